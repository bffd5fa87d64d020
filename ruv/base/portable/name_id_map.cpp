/* The process-wide map from names to 16-bit ids (handler class names).
   Names live in 4096-byte string pools; ids are handed out from 1 upward
   and recorded in pages of 256, so the name of an id is one lookup away. */
#include <string.h>

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"

namespace {

constexpr RUV_ERRMSG_ID kNoMemory = 0x00510000;
constexpr RUV_ERRMSG_ID kBadValue = 0x01250001;
constexpr const char *kModule = "idmap";

constexpr uint32_t kBuckets = 509;
constexpr int kPages = 256;
constexpr int kPageSlots = 256;
constexpr size_t kPoolSize = 4096;
constexpr int kPoolsFirst = 4;
constexpr int kPoolsGrowth = 10;
constexpr size_t kCompareLimit = 32767;

struct Entry {
    Entry *next; /* in the bucket chain */
    uint16_t id;
    char name[1];
};

constexpr size_t kEntryHead = offsetof(Entry, name);

struct IdMap {
    Entry *buckets[kBuckets];
    Entry **pages[kPages];
    char **pools;
    int pool_count;
    int pool_capacity;
    char *pool;       /* current pool */
    size_t pool_used; /* bytes used in it, a multiple of 8 */
    uint16_t next_id; /* candidate for the next id */
};

void map_init(void *p)
{
    auto *m = static_cast<IdMap *>(p);
    m->pool_used = kPoolSize; /* no current pool yet */
    m->next_id = 1;
}

void map_term(void *p)
{
    auto *m = static_cast<IdMap *>(p);
    for (Entry **&page : m->pages) {
        ruvv_mem_free(page);
        page = nullptr;
    }
    for (int i = 0; i < m->pool_count; i++)
        ruvv_mem_free(m->pools[i]);
    ruvv_mem_free(m->pools);
    m->pools = nullptr;
    m->pool_count = m->pool_capacity = 0;
}

RUV_STATIC_BLOCK(g_desc, IdMap, map_init, map_term);

/* The process's map; NULL (reported) when it cannot be had. */
IdMap *map_block()
{
    return static_cast<IdMap *>(ruvk_static_get_ptr(&g_desc));
}

void no_memory(int line) { ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, kNoMemory, kModule, line); }

/* h = 2h + byte over the name's bytes taken as unsigned, mod the buckets. */
uint32_t hash_name(const char *name)
{
    uint32_t h = 0;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(name); *p; p++)
        h = 2 * h + *p;
    return h % kBuckets;
}

/* Room for size bytes (a multiple of 8) in the current pool or a new one. */
char *pool_take(IdMap &m, size_t size)
{
    if (m.pool_used + size > kPoolSize) {
        if (m.pool_count == m.pool_capacity) {
            int cap = m.pool_capacity ? m.pool_capacity + kPoolsGrowth : kPoolsFirst;
            auto **pools = static_cast<char **>(ruvv_mem_realloc(m.pools, sizeof(char *) * (size_t)cap));
            if (!pools) {
                no_memory(__LINE__);
                return nullptr;
            }
            m.pools = pools;
            m.pool_capacity = cap;
        }
        char *pool = static_cast<char *>(ruvv_mem_alloc(kPoolSize));
        if (!pool) {
            no_memory(__LINE__);
            return nullptr;
        }
        m.pools[m.pool_count++] = pool;
        m.pool = pool;
        m.pool_used = 0;
    }
    char *p = m.pool + m.pool_used;
    m.pool_used += size;
    return p;
}

/* The slot of an id in its page, allocating the page when asked. */
Entry **id_slot(IdMap &m, uint16_t id, bool create)
{
    Entry **&page = m.pages[id / kPageSlots];
    if (!page) {
        if (!create)
            return nullptr;
        page = static_cast<Entry **>(ruvv_mem_zalloc(sizeof(Entry *) * kPageSlots));
        if (!page) {
            no_memory(__LINE__);
            return nullptr;
        }
    }
    return &page[id % kPageSlots];
}

/* The next id not yet handed out, from the candidate upward; 0 when all
   are taken. */
uint16_t free_id(IdMap &m, Entry ***slot)
{
    for (uint32_t id = m.next_id; id != 0 && id <= 0xFFFF; id++) {
        Entry **s = id_slot(m, (uint16_t)id, true);
        if (!s)
            return 0;
        if (!*s) {
            *slot = s;
            return (uint16_t)id;
        }
    }
    return 0;
}

} // namespace

extern "C" int16_t ruvv_idmap_intern(const char *name)
{
    if (!name) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kBadValue, kModule, __LINE__);
        return 0;
    }
    IdMap *map = map_block();
    if (!map) {
        no_memory(__LINE__);
        return 0;
    }
    IdMap &m = *map;
    uint32_t b = hash_name(name);
    Entry **link = &m.buckets[b];
    for (; *link; link = &(*link)->next)
        if (strncmp((*link)->name, name, kCompareLimit) == 0)
            return (int16_t)(*link)->id;

    size_t len = strlen(name);
    size_t size = (kEntryHead + len + 1 + 7) & ~(size_t)7;
    if (size > kPoolSize) { /* a name that no pool can hold */
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kBadValue, kModule, __LINE__);
        return 0;
    }
    Entry **slot = nullptr;
    uint16_t id = free_id(m, &slot);
    if (id == 0) {
        no_memory(__LINE__);
        return 0;
    }
    auto *e = reinterpret_cast<Entry *>(pool_take(m, size));
    if (!e)
        return 0;
    e->next = nullptr;
    e->id = id;
    memcpy(e->name, name, len + 1);
    *link = e;
    *slot = e;
    m.next_id = (uint16_t)(id + 1);
    return (int16_t)id;
}

extern "C" const char *ruvv_idmap_name(int16_t id)
{
    uint16_t u = (uint16_t)id;
    if (u == 0)
        return nullptr;
    IdMap *m = map_block();
    if (!m)
        return nullptr;
    Entry **slot = id_slot(*m, u, false);
    return slot && *slot ? (*slot)->name : nullptr;
}
