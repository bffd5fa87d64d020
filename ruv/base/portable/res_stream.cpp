/* Reader of the compiled resource stream: a virtual file over the raw-data
   chunks that the index resource 10000 describes, the stream header, the
   two-level directory (a page index over pages of up to 256 entries), the
   byte cache that serves the small field reads of a located resource, and
   the field decoder.  One reader state per open stream; the current state
   is per process and resource libraries swap theirs in and out. */
#include "res_reader.h"

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t PAGE_MAX = 256;
constexpr int32_t DIRENT_SIZE = 12;
constexpr int32_t CACHE_MIN = 16;
constexpr int32_t CACHE_MAX = 2000;
constexpr int32_t INDEX_TEXT_MAX = 64;

struct VFile {
    int32_t total;
    int32_t pos;
    int16_t chunk_size;
    int16_t first_chunk;
    int32_t chunk_in_buf; /* 0 = none */
    int32_t buf_valid;    /* bytes of the buffered chunk that the chunk holds */
    uint8_t *buf;         /* chunk size + 1 bytes */
};

struct PageIndex {
    uint32_t first_key;
    uint32_t last_key;
    int16_t count;
};

struct CacheNode {
    int32_t offset; /* -1 when its read failed */
    int32_t length;
    uint8_t *data;
    CacheNode *next;
};

} // namespace

struct RUV_FURL_STATE {
    uint32_t magic;
    int16_t version;
    int16_t count;
    int32_t dir_offset;
    bool open;
    VFile vf;
    int16_t page_size;
    RUV_FURL_DIRENT *page_buf;
    int16_t npages;
    PageIndex *pages;
    int32_t page_in_buf;
    int32_t cache_limit;
    int32_t cached;
    int32_t read_pos;
    int32_t res_end; /* end of the resource being read; -1 none */
    CacheNode *tail;
    CacheNode *head;
    RUV_FURL_DIRENT found;
    int32_t uncached_reads;
};

namespace {

struct Block {
    RUV_FURL_STATE *current;
};

void term_block(void *p)
{
    Block *b = static_cast<Block *>(p);
    if (b->current) {
        ruvv_furl_state_free(b->current);
        b->current = nullptr;
    }
}

RUV_STATIC_BLOCK(g_desc, Block, nullptr, term_block);

Block *block()
{
    return static_cast<Block *>(ruvk_static_get_ptr(&g_desc));
}

RUV_FURL_STATE *current(bool make)
{
    Block *b = block();
    if (!b)
        return nullptr;
    if (!b->current && make) {
        b->current = static_cast<RUV_FURL_STATE *>(ruvv_mem_zalloc(sizeof(RUV_FURL_STATE)));
        if (!b->current)
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        else
            b->current->page_in_buf = -1, b->current->res_end = -1;
    }
    return b->current;
}

uint32_t be32(const uint8_t *p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}
int16_t be16(const uint8_t *p)
{
    return (int16_t)(uint16_t)((p[0] << 8) | p[1]);
}

uint32_t key_of(int16_t type, int16_t id)
{
    return ((uint32_t)(uint16_t)type << 16) | (uint16_t)id;
}

/* ---- Virtual file ----------------------------------------------------- */

void vf_close(VFile &vf)
{
    ruvv_mem_free(vf.buf);
    memset(&vf, 0, sizeof vf);
}

/* Reads the index resource; false (nothing reported) when it is missing or
   does not hold three numbers. */
bool vf_open(VFile &vf)
{
    /* The index text is copied into a terminated buffer before it is
       scanned: the resource itself carries no guarantee of a terminator. */
    char text[INDEX_TEXT_MAX + 1];
    int32_t n = ruvk_res_load_rcdata(RUV_FURL_CHUNK_INDEX_ID, text, INDEX_TEXT_MAX);
    if (n < 0)
        return false;
    text[n < INDEX_TEXT_MAX ? n : INDEX_TEXT_MAX] = '\0';
    char *p = text, *end = nullptr;
    long total = strtol(p, &end, 10);
    if (end == p)
        return false;
    p = end;
    long first = strtol(p, &end, 10);
    if (end == p)
        return false;
    p = end;
    long size = strtol(p, &end, 10);
    if (end == p)
        return false;
    if (total < 0 || total > INT32_MAX || first < 1 || first > 32767 || size < 1 || size > 32767)
        return false;
    memset(&vf, 0, sizeof vf);
    vf.buf = static_cast<uint8_t *>(ruvv_mem_alloc((size_t)size + 1));
    if (!vf.buf)
        return false;
    vf.total = (int32_t)total;
    vf.first_chunk = (int16_t)first;
    vf.chunk_size = (int16_t)size;
    return true;
}

/* Copies up to len bytes from the position; a read past the total length,
   or a chunk that is missing or shorter than the layout says, ends the
   read short.  Every copy is bounded by the chunk buffer and by the bytes
   the chunk really holds. */
int32_t vf_read(VFile &vf, uint8_t *out, int32_t len)
{
    if (!vf.buf || len <= 0 || vf.pos < 0 || vf.pos >= vf.total)
        return 0;
    if (len > vf.total - vf.pos)
        len = vf.total - vf.pos;
    int32_t done = 0;
    while (done < len) {
        int32_t chunk = vf.pos / vf.chunk_size + vf.first_chunk;
        int32_t off = vf.pos % vf.chunk_size;
        if (chunk > 32767)
            break;
        if (chunk != vf.chunk_in_buf) {
            vf.chunk_in_buf = 0;
            int32_t real = ruvk_res_load_rcdata(chunk, vf.buf, vf.chunk_size);
            if (real < 0)
                break;
            vf.buf_valid = real < vf.chunk_size ? real : vf.chunk_size;
            vf.chunk_in_buf = chunk;
        }
        if (off >= vf.buf_valid)
            break;
        int32_t take = vf.buf_valid - off;
        if (take > len - done)
            take = len - done;
        memcpy(out + done, vf.buf + off, (size_t)take);
        done += take;
        vf.pos += take;
    }
    return done;
}

/* ---- Byte cache ------------------------------------------------------- */

void cache_drop_oldest(RUV_FURL_STATE *s)
{
    CacheNode *n = s->head;
    if (!n)
        return;
    s->head = n->next;
    if (!s->head)
        s->tail = nullptr;
    s->cached -= n->length;
    ruvv_mem_free(n->data);
    ruvv_mem_free(n);
}

void cache_clear(RUV_FURL_STATE *s)
{
    while (s->head)
        cache_drop_oldest(s);
    s->cached = 0;
}

/* Reads len bytes at the read position (see the header's contract). */
int32_t cached_read(RUV_FURL_STATE *s, uint8_t *out, int32_t len)
{
    if (len <= 0)
        return 0;
    int32_t pos = s->read_pos;
    for (CacheNode *n = s->head; n; n = n->next) {
        if (n->offset >= 0 && n->offset <= pos && (int64_t)pos + len <= (int64_t)n->offset + n->length) {
            memcpy(out, n->data + (pos - n->offset), (size_t)len);
            s->read_pos += len;
            s->vf.pos = s->read_pos;
            return len;
        }
    }
    s->vf.pos = pos;
    if (len >= CACHE_MIN && len <= CACHE_MAX && len <= s->cache_limit) {
        while (s->head && s->cached + len > s->cache_limit)
            cache_drop_oldest(s);
        CacheNode *n = static_cast<CacheNode *>(ruvv_mem_zalloc(sizeof(CacheNode)));
        uint8_t *data = n ? static_cast<uint8_t *>(ruvv_mem_alloc((size_t)len)) : nullptr;
        if (n && data) {
            n->data = data;
            n->length = len;
            int32_t got = vf_read(s->vf, data, len);
            n->offset = got == len ? pos : -1;
            if (s->tail)
                s->tail->next = n;
            else
                s->head = n;
            s->tail = n;
            s->cached += len;
            memcpy(out, data, (size_t)got);
            s->read_pos += got;
            return got;
        }
        ruvv_mem_free(n);
    }
    ++s->uncached_reads;
    int32_t got = vf_read(s->vf, out, len);
    s->read_pos += got;
    return got;
}

/* ---- Directory -------------------------------------------------------- */

void close_state(RUV_FURL_STATE *s)
{
    cache_clear(s);
    vf_close(s->vf);
    ruvv_mem_free(s->page_buf);
    ruvv_mem_free(s->pages);
    s->page_buf = nullptr;
    s->pages = nullptr;
    s->npages = 0;
    s->page_size = 0;
    s->page_in_buf = -1;
    s->res_end = -1;
    s->open = false;
}

bool read_dirent(RUV_FURL_STATE *s, int32_t index, RUV_FURL_DIRENT *e)
{
    uint8_t raw[DIRENT_SIZE];
    s->vf.pos = s->dir_offset + index * DIRENT_SIZE;
    if (vf_read(s->vf, raw, DIRENT_SIZE) != DIRENT_SIZE)
        return false;
    e->id = be16(raw);
    e->type = be16(raw + 2);
    e->length = (int32_t)be32(raw + 4);
    e->offset = (int32_t)be32(raw + 8);
    return true;
}

bool build_page_index(RUV_FURL_STATE *s)
{
    if (s->pages)
        return true;
    if (s->count <= 0)
        return false;
    int32_t p = s->count < PAGE_MAX ? s->count : PAGE_MAX;
    int32_t npages = (s->count - 1) / p + 1;
    PageIndex *pages = static_cast<PageIndex *>(ruvv_mem_zalloc(sizeof(PageIndex) * (size_t)npages));
    RUV_FURL_DIRENT *buf = static_cast<RUV_FURL_DIRENT *>(ruvv_mem_zalloc(sizeof(RUV_FURL_DIRENT) * (size_t)p));
    if (!pages || !buf) {
        ruvv_mem_free(pages);
        ruvv_mem_free(buf);
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return false;
    }
    for (int32_t k = 0; k < npages; ++k) {
        int32_t first = k * p;
        int32_t last = first + p - 1 < s->count - 1 ? first + p - 1 : s->count - 1;
        RUV_FURL_DIRENT a, b;
        if (!read_dirent(s, first, &a) || !read_dirent(s, last, &b)) {
            ruvv_mem_free(pages);
            ruvv_mem_free(buf);
            return false;
        }
        pages[k].first_key = key_of(a.type, a.id);
        pages[k].last_key = key_of(b.type, b.id);
        pages[k].count = (int16_t)(last - first + 1);
    }
    s->pages = pages;
    s->page_buf = buf;
    s->page_size = (int16_t)p;
    s->npages = (int16_t)npages;
    s->page_in_buf = -1;
    return true;
}

bool load_page(RUV_FURL_STATE *s, int32_t page)
{
    if (s->page_in_buf == page)
        return true;
    s->page_in_buf = -1;
    for (int32_t i = 0; i < s->pages[page].count; ++i)
        if (!read_dirent(s, page * s->page_size + i, &s->page_buf[i]))
            return false;
    s->page_in_buf = page;
    return true;
}

const RUV_FURL_DIRENT *find_in(RUV_FURL_STATE *s, int16_t type, int16_t id)
{
    if (!s || !s->open || !build_page_index(s))
        return nullptr;
    uint32_t key = key_of(type, id);
    for (int32_t k = 0; k < s->npages; ++k) {
        if (key < s->pages[k].first_key || key > s->pages[k].last_key)
            continue;
        if (!load_page(s, k))
            return nullptr;
        for (int32_t i = 0; i < s->pages[k].count; ++i) {
            if (s->page_buf[i].type == type && s->page_buf[i].id == id) {
                s->found = s->page_buf[i];
                return &s->found;
            }
        }
        return nullptr;
    }
    return nullptr;
}

bool open_state(RUV_FURL_STATE *s)
{
    close_state(s);
    s->cache_limit = RUV_FURL_CACHE_LIMIT;
    if (!vf_open(s->vf)) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01540001);
        return false;
    }
    uint8_t head[12];
    s->vf.pos = 0;
    if (vf_read(s->vf, head, 12) != 12) {
        vf_close(s->vf);
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01560001);
        return false;
    }
    s->magic = be32(head);
    s->version = be16(head + 4);
    s->count = be16(head + 6);
    s->dir_offset = (int32_t)be32(head + 8);
    if (s->magic != RUV_FURL_MAGIC || s->version != RUV_FURL_VERSION || s->count < 0 || s->dir_offset < 0) {
        vf_close(s->vf);
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01570001);
        return false;
    }
    s->open = true;
    return true;
}

} // namespace

/* ---- Field reads of the current resource ------------------------------ */

namespace ruv_res {

int32_t remaining()
{
    RUV_FURL_STATE *s = current(false);
    if (!s || !s->open)
        return 0;
    if (s->res_end < 0)
        return s->vf.total - s->read_pos;
    return s->res_end - s->read_pos;
}

bool read_bytes(void *out, int32_t len)
{
    if (len < 0)
        return false;
    if (len == 0)
        return true;
    return ruvv_furl_read(out, len) == len;
}

bool skip_bytes(int32_t len)
{
    RUV_FURL_STATE *s = current(false);
    if (!s || len < 0 || len > remaining())
        return false;
    s->read_pos += len;
    return true;
}

bool read_i16(int16_t *out)
{
    uint8_t b[2];
    if (!read_bytes(b, 2))
        return false;
    *out = be16(b);
    return true;
}

bool read_i32(int32_t *out)
{
    uint8_t b[4];
    if (!read_bytes(b, 4))
        return false;
    *out = (int32_t)be32(b);
    return true;
}

bool read_string(char **out)
{
    int16_t len;
    *out = nullptr;
    if (!read_i16(&len) || len < 0 || len > remaining())
        return false;
    char *text = static_cast<char *>(ruvv_mem_alloc((size_t)len + 1));
    if (!text) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return false;
    }
    if (!read_bytes(text, len)) {
        ruvv_mem_free(text);
        return false;
    }
    text[len] = '\0';
    *out = text;
    return true;
}

bool skip_extras()
{
    int16_t n;
    if (!read_i16(&n) || n < 0)
        return false;
    for (int16_t i = 0; i < n; ++i) {
        int16_t tag, len;
        if (!read_i16(&tag) || !read_i16(&len) || !skip_bytes(len))
            return false;
    }
    return true;
}

bool find_extra(int16_t tag, char **found)
{
    *found = nullptr;
    int16_t n;
    if (!read_i16(&n) || n < 0)
        return false;
    for (int16_t i = 0; i < n; ++i) {
        int16_t t, len;
        if (!read_i16(&t) || !read_i16(&len) || len < 0 || len > remaining()) {
            ruvv_mem_free(*found);
            *found = nullptr;
            return false;
        }
        if (t == tag && !*found) {
            char *text = static_cast<char *>(ruvv_mem_alloc((size_t)len + 1));
            if (!text) {
                RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
                return false;
            }
            if (!read_bytes(text, len)) {
                ruvv_mem_free(text);
                return false;
            }
            text[len] = '\0';
            *found = text;
        } else if (!skip_bytes(len)) {
            break;
        }
    }
    return true;
}

bool decode(const Field *table, void *target)
{
    char *base = static_cast<char *>(target);
    char **strings[16];
    int nstrings = 0;
    bool ok = true;
    for (const Field *f = table; ok && f->kind != F_END; ++f) {
        switch (f->kind) {
        case F_INT32: {
            int32_t v;
            ok = read_i32(&v);
            if (ok)
                memcpy(base + f->offset, &v, sizeof v);
            break;
        }
        case F_INT16: {
            int16_t v;
            ok = read_i16(&v);
            if (ok)
                memcpy(base + f->offset, &v, sizeof v);
            break;
        }
        case F_BYTE:
            ok = read_bytes(base + f->offset, 1);
            break;
        case F_STRING: {
            char *text = nullptr;
            ok = read_string(&text);
            if (ok) {
                memcpy(base + f->offset, &text, sizeof text);
                if (nstrings < 16)
                    strings[nstrings++] = reinterpret_cast<char **>(base + f->offset);
            }
            break;
        }
        case F_SKIP:
            ok = skip_bytes((int32_t)f->offset);
            break;
        case F_SKIP16: {
            int16_t n;
            ok = read_i16(&n) && skip_bytes(n);
            break;
        }
        case F_EXTRAS:
            ok = skip_extras();
            break;
        default:
            RUV_ERR(nullptr, RUV_SEV_FATAL, 0x01570001);
            ok = false;
            break;
        }
    }
    if (!ok) {
        for (int i = 0; i < nstrings; ++i) {
            ruvv_mem_free(*strings[i]);
            *strings[i] = nullptr;
        }
    }
    return ok;
}

} // namespace ruv_res

/* ---- Public reader ---------------------------------------------------- */

extern "C" RUV_BOOL ruvv_furl_open(void)
{
    RUV_FURL_STATE *s = current(true);
    if (!s)
        return FALSE;
    return open_state(s) ? TRUE : FALSE;
}

extern "C" void ruvv_furl_close(void)
{
    RUV_FURL_STATE *s = current(false);
    if (s)
        close_state(s);
}

extern "C" RUV_FURL_STATE *ruvv_furl_state_open(RUV_FURL_STATE **previous)
{
    Block *b = block();
    if (!b)
        return nullptr;
    RUV_FURL_STATE *s = static_cast<RUV_FURL_STATE *>(ruvv_mem_zalloc(sizeof(RUV_FURL_STATE)));
    if (!s) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return nullptr;
    }
    s->page_in_buf = -1;
    s->res_end = -1;
    RUV_FURL_STATE *prev = b->current;
    b->current = s;
    bool ok = open_state(s);
    b->current = prev;
    if (previous)
        *previous = prev;
    if (!ok) {
        ruvv_furl_state_free(s);
        return nullptr;
    }
    return s;
}

extern "C" RUV_FURL_STATE *ruvv_furl_swap_state(RUV_FURL_STATE *state)
{
    Block *b = block();
    if (!b)
        return nullptr;
    RUV_FURL_STATE *prev = b->current;
    b->current = state;
    return prev;
}

extern "C" void ruvv_furl_state_free(RUV_FURL_STATE *state)
{
    if (!state)
        return;
    close_state(state);
    Block *b = block();
    if (b && b->current == state)
        b->current = nullptr;
    ruvv_mem_free(state);
}

extern "C" const RUV_FURL_DIRENT *ruvv_furl_find(int16_t type, int16_t id)
{
    return find_in(current(false), type, id);
}

extern "C" RUV_BOOL ruvv_res_seek(int16_t type, int16_t id)
{
    RUV_FURL_STATE *s = current(false);
    const RUV_FURL_DIRENT *e = find_in(s, type, id);
    if (!e || e->offset < 0 || e->length < 0)
        return FALSE;
    int32_t offset = e->offset, length = e->length;
    s->res_end = -1;
    s->read_pos = offset;
    /* The whole resource goes through the cache in one read, so that the
       field reads that follow are served from memory. */
    if (length >= CACHE_MIN && length <= CACHE_MAX) {
        uint8_t tmp[CACHE_MAX];
        cached_read(s, tmp, length);
    }
    s->read_pos = offset;
    s->vf.pos = offset;
    /* Field reads never pass the resource's end. */
    int64_t end = (int64_t)offset + length;
    s->res_end = end > s->vf.total ? s->vf.total : (int32_t)end;
    return TRUE;
}

extern "C" int32_t ruvv_furl_read(void *buffer, int32_t len)
{
    RUV_FURL_STATE *s = current(false);
    if (!s || !s->open || len <= 0)
        return 0;
    int32_t left = ruv_res::remaining();
    if (left < 0)
        left = 0;
    if (len > left)
        len = left;
    return cached_read(s, static_cast<uint8_t *>(buffer), len);
}

extern "C" RUV_BOOL ruvv_furl_entry(int32_t index, int32_t *length, int16_t *type, int16_t *id)
{
    RUV_FURL_STATE *s = current(false);
    if (!s || !s->open || index < 0 || index >= s->count)
        return FALSE;
    RUV_FURL_DIRENT e;
    if (!read_dirent(s, index, &e))
        return FALSE;
    if (length)
        *length = e.length;
    if (type)
        *type = e.type;
    if (id)
        *id = e.id;
    return TRUE;
}

extern "C" int32_t ruvv_furl_count(void)
{
    RUV_FURL_STATE *s = current(false);
    return s && s->open ? s->count : 0;
}

extern "C" int32_t ruvv_furl_version(void)
{
    RUV_FURL_STATE *s = current(false);
    return s && s->open ? s->version : 0;
}

extern "C" int32_t ruvv_furl_cached_bytes(void)
{
    RUV_FURL_STATE *s = current(false);
    return s ? s->cached : 0;
}

extern "C" int32_t ruvv_furl_uncached_reads(void)
{
    RUV_FURL_STATE *s = current(false);
    return s ? s->uncached_reads : 0;
}
