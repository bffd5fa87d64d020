/* Shared colour tables: an index over a list of up to 256 colours that
   answers which entry is nearest to a colour through a 16 x 16 x 16 grid of
   cells (each cell names one entry, or a bucket of the entries that lie
   inside it), plus the per-process memo of the last table made and of the
   last source-to-destination index map. */
#include "ruvk.h"
#include "ruvv_color.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"

#include <cstring>

namespace {

constexpr int32_t MAX_COLORS = 256;
constexpr int32_t CELLS = 4096;
constexpr int16_t BUCKET_STEP = 8;

enum : uint8_t { CELL_INDEX = 1, CELL_BUCKET = 2 };

struct Bucket {
    uint8_t (*members)[4]; /* R, G, B, usable */
    uint8_t *index;        /* list index of each member */
    int16_t count;
    int16_t capacity;
};

struct ColorTable {
    RUV_COLOR *colors;
    uint8_t grid[CELLS][2]; /* {kind, value} */
    Bucket buckets[MAX_COLORS];
    int32_t nbuckets;
    int32_t ncolors;
    int32_t refs;
    RUV_COLOR memo_color;
    int32_t memo_result;
};

struct Memo {
    RUV_COLOR *src;   /* 256 colours */
    RUV_COLOR *dst;   /* 256 colours */
    int32_t nsrc;     /* -1 = none */
    int32_t ndst;
    uint8_t *map;     /* 256 bytes */
    ColorTable *last; /* the memo's own reference */
};

void free_table(ColorTable *t)
{
    if (!t)
        return;
    for (int32_t i = 0; i < t->nbuckets; ++i) {
        ruvv_mem_free(t->buckets[i].members);
        ruvv_mem_free(t->buckets[i].index);
    }
    ruvv_mem_free(t->colors);
    ruvv_mem_free(t);
}

void unref(ColorTable *t)
{
    if (t && --t->refs <= 0)
        free_table(t);
}

void term_memo(void *p)
{
    Memo *m = static_cast<Memo *>(p);
    unref(m->last);
    m->last = nullptr;
    ruvv_mem_free(m->src);
    ruvv_mem_free(m->dst);
    ruvv_mem_free(m->map);
    m->src = m->dst = nullptr;
    m->map = nullptr;
    m->nsrc = -1;
}

RUV_STATIC_BLOCK(g_desc, Memo, nullptr, term_memo);

Memo *memo()
{
    Memo *m = static_cast<Memo *>(ruvk_static_get_ptr(&g_desc));
    if (!m)
        return nullptr;
    if (!m->src) {
        m->src = static_cast<RUV_COLOR *>(ruvv_mem_zalloc(sizeof(RUV_COLOR) * MAX_COLORS));
        m->dst = static_cast<RUV_COLOR *>(ruvv_mem_zalloc(sizeof(RUV_COLOR) * MAX_COLORS));
        m->map = static_cast<uint8_t *>(ruvv_mem_zalloc(MAX_COLORS));
        m->nsrc = -1;
        if (!m->src || !m->dst || !m->map) {
            ruvv_mem_free(m->src);
            ruvv_mem_free(m->dst);
            ruvv_mem_free(m->map);
            m->src = m->dst = nullptr;
            m->map = nullptr;
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
            return nullptr;
        }
    }
    return m;
}

int32_t cell_of(RUV_COLOR c)
{
    return (RUV_COLOR_R(c) >> 4) * 256 + (RUV_COLOR_G(c) >> 4) * 16 + (RUV_COLOR_B(c) >> 4);
}

int32_t absdiff(int32_t a, int32_t b)
{
    return a > b ? a - b : b - a;
}

/* Form A over a bucket's members: the list index of the nearest usable
   member (ties to the later member); the first member's when none is. */
int32_t bucket_nearest(const Bucket &b, RUV_COLOR c)
{
    int32_t best = 10000, found = 0;
    for (int16_t i = 0; i < b.count; ++i) {
        if (!b.members[i][3])
            continue;
        int32_t dr = absdiff(b.members[i][0], RUV_COLOR_R(c));
        int32_t dg = absdiff(b.members[i][1], RUV_COLOR_G(c));
        int32_t db = absdiff(b.members[i][2], RUV_COLOR_B(c));
        if (dr <= best && dg <= best && db <= best) {
            int32_t d = dr > dg ? dr : dg;
            best = d > db ? d : db;
            found = i;
        }
    }
    return b.count ? b.index[found] : 0;
}

bool bucket_append(Bucket &b, uint8_t index)
{
    if (b.count >= b.capacity) {
        int16_t cap = (int16_t)(b.capacity + BUCKET_STEP);
        void *m = ruvv_mem_realloc(b.members, sizeof(b.members[0]) * (size_t)cap);
        if (!m)
            return false;
        b.members = static_cast<uint8_t(*)[4]>(m);
        void *ix = ruvv_mem_realloc(b.index, (size_t)cap);
        if (!ix)
            return false;
        b.index = static_cast<uint8_t *>(ix);
        b.capacity = cap;
    }
    b.index[b.count++] = index;
    return true;
}

ColorTable *make_table(const RUV_COLOR *colors, int32_t count)
{
    ColorTable *t = static_cast<ColorTable *>(ruvv_mem_zalloc(sizeof(ColorTable)));
    if (!t)
        return nullptr;
    t->colors = static_cast<RUV_COLOR *>(ruvv_mem_alloc(sizeof(RUV_COLOR) * (size_t)(count ? count : 1)));
    if (!t->colors) {
        free_table(t);
        return nullptr;
    }
    memcpy(t->colors, colors, sizeof(RUV_COLOR) * (size_t)count);
    t->ncolors = count;
    bool used[MAX_COLORS] = {};
    for (int32_t cell = 0; cell < CELLS; ++cell) {
        RUV_COLOR centre = ((RUV_COLOR)(cell >> 8) << 20 | (RUV_COLOR)((cell >> 4) & 15) << 12 |
                            (RUV_COLOR)(cell & 15) << 4) | 0x080808u;
        int32_t idx = ruvv_color_nearest_a(colors, count, centre);
        t->grid[cell][0] = CELL_INDEX;
        t->grid[cell][1] = (uint8_t)idx;
        if (count)
            used[idx] = true;
    }
    for (int32_t i = 0; i < count; ++i)
        for (int32_t j = 0; j < i && !used[i]; ++j)
            if (colors[j] == colors[i])
                used[i] = true;
    for (int32_t i = 0; i < count; ++i) {
        if (used[i])
            continue;
        int32_t cell = cell_of(colors[i]);
        if (t->grid[cell][0] == CELL_INDEX) {
            Bucket &b = t->buckets[t->nbuckets];
            if (!bucket_append(b, t->grid[cell][1]) || !bucket_append(b, (uint8_t)i)) {
                ++t->nbuckets;
                free_table(t);
                return nullptr;
            }
            t->grid[cell][0] = CELL_BUCKET;
            t->grid[cell][1] = (uint8_t)t->nbuckets;
            ++t->nbuckets;
        } else if (!bucket_append(t->buckets[t->grid[cell][1]], (uint8_t)i)) {
            free_table(t);
            return nullptr;
        }
    }
    for (int32_t k = 0; k < t->nbuckets; ++k) {
        Bucket &b = t->buckets[k];
        for (int16_t m = 0; m < b.count; ++m) {
            RUV_COLOR c = colors[b.index[m]];
            b.members[m][0] = (uint8_t)RUV_COLOR_R(c);
            b.members[m][1] = (uint8_t)RUV_COLOR_G(c);
            b.members[m][2] = (uint8_t)RUV_COLOR_B(c);
            b.members[m][3] = (c & RUV_COLOR_UNSET) ? 0 : 1;
        }
    }
    t->refs = 1;
    t->memo_color = RUV_COLOR_WHITE;
    t->memo_result = ruvv_color_nearest_b(colors, count, RUV_COLOR_WHITE);
    return t;
}

} // namespace

struct RUV_COLOR_TABLE_REF {
    ColorTable *table;
};

extern "C" RUV_COLOR_TABLE_REF *ruvv_color_table_for_list(const RUV_COLOR *colors, int32_t count)
{
    if (count > MAX_COLORS) {
        RUV_ERR(nullptr, RUV_SEV_FATAL, 0x01250005);
        return nullptr;
    }
    if (count < 0 || (count > 0 && !colors))
        return nullptr;
    Memo *m = memo();
    if (!m)
        return nullptr;
    RUV_COLOR_TABLE_REF *ref = static_cast<RUV_COLOR_TABLE_REF *>(ruvv_mem_zalloc(sizeof(RUV_COLOR_TABLE_REF)));
    if (!ref) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return nullptr;
    }
    ColorTable *last = m->last;
    if (last && last->ncolors == count && memcmp(last->colors, colors, sizeof(RUV_COLOR) * (size_t)count) == 0) {
        ++last->refs;
        ref->table = last;
        return ref;
    }
    ColorTable *t = make_table(colors, count);
    if (!t) {
        ruvv_mem_free(ref);
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return nullptr;
    }
    /* The memo keeps a reference of its own, so a table it remembers is
       never freed under it when the handles are released. */
    unref(m->last);
    m->last = t;
    ++t->refs;
    ref->table = t;
    return ref;
}

extern "C" void ruvv_color_table_release(RUV_COLOR_TABLE_REF *ref)
{
    if (!ref)
        return;
    unref(ref->table);
    ruvv_mem_free(ref);
}

extern "C" int32_t ruvv_color_table_nearest(RUV_COLOR color, RUV_COLOR_TABLE_REF *ref)
{
    if (!ref || !ref->table)
        return 0;
    ColorTable *t = ref->table;
    if (color == t->memo_color)
        return t->memo_result;
    int32_t cell = cell_of(color);
    int32_t result = t->grid[cell][0] == CELL_BUCKET ? bucket_nearest(t->buckets[t->grid[cell][1]], color)
                                                     : t->grid[cell][1];
    t->memo_color = color;
    t->memo_result = result;
    return result;
}

extern "C" const uint8_t *ruvv_color_index_map(const RUV_COLOR *src, int32_t nsrc, const RUV_COLOR *dst, int32_t ndst)
{
    if (nsrc > MAX_COLORS || ndst > MAX_COLORS) {
        RUV_ERR(nullptr, RUV_SEV_FATAL, 0x01250005);
        return nullptr;
    }
    if (nsrc < 0 || ndst < 0 || (nsrc && !src) || (ndst && !dst))
        return nullptr;
    Memo *m = memo();
    if (!m)
        return nullptr;
    if (m->nsrc == nsrc && m->ndst == ndst && memcmp(m->src, src, sizeof(RUV_COLOR) * (size_t)nsrc) == 0 &&
        memcmp(m->dst, dst, sizeof(RUV_COLOR) * (size_t)ndst) == 0)
        return m->map;
    if (nsrc == ndst && memcmp(src, dst, sizeof(RUV_COLOR) * (size_t)nsrc) == 0) {
        for (int32_t i = 0; i < MAX_COLORS; ++i)
            m->map[i] = (uint8_t)i;
    } else {
        for (int32_t i = 0; i < nsrc; ++i)
            if (!(src[i] & RUV_COLOR_UNSET))
                m->map[i] = (uint8_t)ruvv_color_nearest_a(dst, ndst, src[i]);
    }
    memcpy(m->src, src, sizeof(RUV_COLOR) * (size_t)nsrc);
    memcpy(m->dst, dst, sizeof(RUV_COLOR) * (size_t)ndst);
    m->nsrc = nsrc;
    m->ndst = ndst;
    return m->map;
}
