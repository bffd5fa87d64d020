/* The font cache: a per-process ring of slot fonts with use counts that the
   kernel fills with the fonts it has made native fonts for, so that fonts
   mapping to one descriptor share one native font. */
#include "font_internal.h"

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"

#include <initializer_list>

using ruv_font::CacheBlock;

namespace {

constexpr int32_t FONT_CACHE_SIZE_ATTR = 802;
constexpr int32_t MIN_CAPACITY = 4;

void free_table(CacheBlock *b)
{
    if (b->table) {
        for (RUV_FONT **f = b->table; *f; ++f)
            ruvv_font_destroy(*f);
        ruvv_mem_free(b->table);
    }
    b->table = nullptr;
    b->table_loaded = 0;
}

void term_slots(CacheBlock *b)
{
    for (int32_t i = 0; b->slots && i < b->capacity; ++i)
        if (ruvv_font_is_valid(b->slots[i]))
            ruvv_font_destroy(b->slots[i]);
    ruvv_mem_free(b->slots);
    ruvv_mem_free(b->uses);
    b->slots = nullptr;
    b->uses = nullptr;
    b->capacity = 0;
    b->used = 0;
    b->last = b->current = -1;
}

void term_block(void *p)
{
    CacheBlock *b = static_cast<CacheBlock *>(p);
    term_slots(b);
    free_table(b);
}

void init_block(void *p)
{
    CacheBlock *b = static_cast<CacheBlock *>(p);
    b->last = b->current = -1;
}

RUV_STATIC_BLOCK(g_desc, CacheBlock, init_block, term_block);

/* Drops a slot's descriptor as the setters do. */
void drop_desc(RUV_FONT *f)
{
    if (!f->native_desc)
        return;
    f->mapped = 0;
    f->parsed = 0;
    f->native_desc = 0;
    f->derived = 0;
    ruvk_font_invalidate(f, nullptr);
}

void swap_slots(CacheBlock *b, int32_t i, int32_t j)
{
    RUV_FONT *f = b->slots[i];
    b->slots[i] = b->slots[j];
    b->slots[j] = f;
    int32_t u = b->uses[i];
    b->uses[i] = b->uses[j];
    b->uses[j] = u;
    for (int32_t *k : {&b->last, &b->current}) {
        if (*k == i)
            *k = j;
        else if (*k == j)
            *k = i;
    }
}

} // namespace

namespace ruv_font {

CacheBlock *cache_block()
{
    return static_cast<CacheBlock *>(ruvk_static_get_ptr(&g_desc));
}

} // namespace ruv_font

extern "C" RUV_BOOL ruvv_font_cache_init(void)
{
    CacheBlock *b = ruv_font::cache_block();
    if (!b)
        return FALSE;
    term_slots(b);
    intptr_t want = ruvk_vobj_get_attr(NULL_WIN, FONT_CACHE_SIZE_ATTR);
    int32_t cap = want > MIN_CAPACITY ? (want > 32767 ? 32767 : (int32_t)want) : MIN_CAPACITY;
    b->slots = static_cast<RUV_FONT **>(ruvv_mem_zalloc(sizeof(RUV_FONT *) * (size_t)cap));
    b->uses = static_cast<int32_t *>(ruvv_mem_zalloc(sizeof(int32_t) * (size_t)cap));
    if (!b->slots || !b->uses) {
        ruvv_mem_free(b->slots);
        ruvv_mem_free(b->uses);
        b->slots = nullptr;
        b->uses = nullptr;
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return FALSE;
    }
    b->capacity = cap;
    for (int32_t i = 0; i < cap; ++i) {
        b->slots[i] = ruvv_font_create();
        if (!b->slots[i]) {
            term_slots(b);
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
            return FALSE;
        }
    }
    b->used = 0;
    b->last = b->current = -1;
    return TRUE;
}

extern "C" void ruvv_font_cache_term(void)
{
    CacheBlock *b = ruv_font::cache_block();
    if (b)
        term_slots(b);
}

extern "C" RUV_BOOL ruvv_font_cache_has(const RUV_FONT *font)
{
    CacheBlock *b = ruv_font::cache_block();
    if (!b || !font || !font->native_desc || b->used <= 0)
        return FALSE;
    int32_t start = b->last >= 0 && b->last < b->used ? b->last : b->used - 1;
    for (int32_t k = 0; k < b->used; ++k) {
        int32_t i = (start - k + b->used) % b->used;
        if (b->slots[i]->native_desc == font->native_desc) {
            ++b->uses[i];
            b->last = b->current = i;
            return TRUE;
        }
    }
    return FALSE;
}

extern "C" RUV_BOOL ruvv_font_cache_push(const RUV_FONT *font)
{
    CacheBlock *b = ruv_font::cache_block();
    if (!b || b->capacity <= 0) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01570003);
        return FALSE;
    }
    if (!font)
        return FALSE;
    int32_t idx;
    if (b->used < b->capacity) {
        idx = b->used++;
    } else {
        int32_t last = b->last >= 0 && b->last < b->used ? b->last : b->used - 1;
        idx = -1;
        for (int32_t k = 1; k <= b->used; ++k) {
            int32_t i = (last + k) % b->used;
            if (i == last) {
                if (b->uses[i] != 0)
                    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01570003);
                idx = i;
                break;
            }
            if (b->uses[i] == 0) {
                idx = i;
                break;
            }
        }
    }
    ++b->uses[idx];
    ruvv_font_copy(b->slots[idx], font, -1);
    b->last = b->current = idx;
    return TRUE;
}

extern "C" void ruvv_font_cache_release(RUV_FONT *slot_font)
{
    CacheBlock *b = ruv_font::cache_block();
    for (int32_t i = 0; b && i < b->capacity; ++i) {
        if (b->slots[i] == slot_font) {
            if (b->uses[i] > 0)
                --b->uses[i];
            return;
        }
    }
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01220003);
}

extern "C" RUV_FONT *ruvv_font_cache_current(void)
{
    CacheBlock *b = ruv_font::cache_block();
    if (!b || b->current < 0 || b->current >= b->capacity)
        return nullptr;
    return b->slots[b->current];
}

extern "C" void ruvv_font_cache_flush(void)
{
    CacheBlock *b = ruv_font::cache_block();
    if (!b)
        return;
    for (int32_t i = 0; i < b->used; ++i)
        drop_desc(b->slots[i]);
    b->used = 0;
    b->last = b->current = -1;
}

extern "C" void ruvv_font_cache_purge(void)
{
    CacheBlock *b = ruv_font::cache_block();
    if (!b)
        return;
    int32_t i = 0;
    while (i < b->used) {
        if (b->slots[i]->print) {
            drop_desc(b->slots[i]);
            swap_slots(b, i, b->used - 1);
            --b->used;
        } else {
            ++i;
        }
    }
}

extern "C" int32_t ruvv_font_cache_used(void)
{
    CacheBlock *b = ruv_font::cache_block();
    return b ? b->used : 0;
}

extern "C" int32_t ruvv_font_cache_use_count(int32_t slot)
{
    CacheBlock *b = ruv_font::cache_block();
    return b && slot >= 0 && slot < b->capacity ? b->uses[slot] : 0;
}

extern "C" RUV_FONT *ruvv_font_cache_slot(int32_t slot)
{
    CacheBlock *b = ruv_font::cache_block();
    return b && slot >= 0 && slot < b->capacity ? b->slots[slot] : nullptr;
}
