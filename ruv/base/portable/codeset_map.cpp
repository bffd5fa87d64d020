/* Code-set translation maps: built from one or two code-set table streams
   (native codes and their wide values), they translate text from a source
   code set into a target code set, either side possibly the wide set. */
#include <string.h>

#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_str.h"
#include "str_internal.h"

namespace {

constexpr const char *kModule = "codeset";
constexpr RUV_ERRMSG_ID kBadHandle = 0x1220001; /* "Invalid object handle" */
constexpr size_t kMapHead = offsetof(RUV_CODESET_MAP, entries);

struct TableHeader {
    int width;
    uint16_t count;
};

/* A table could not be read: reported with the heap id, as every failure
   of map construction is. */
void bad_table(int line)
{
    ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, ruv::str::kNoHeap, kModule, line);
}

using ruv::str::MemBuf;

/* Reads exactly count bytes (a short read fails); false when the buffer
   cannot be had (reported) or the stream falls short. */
bool read_exact(RUV_IOSTR *stream, size_t count, MemBuf<uint8_t> &out)
{
    if (!out.alloc(count, __LINE__))
        return false;
    if (count == 0)
        return true;
    return ruvv_iostr_read(stream, (int32_t)count, out.get()) == (int32_t)count;
}

bool read_header(RUV_IOSTR *stream, TableHeader &h)
{
    uint8_t b[4];
    if (ruvv_iostr_read(stream, 4, b) != 4 || b[0] != 1 || (b[1] != 1 && b[1] != 2))
        return false;
    h.width = b[1];
    h.count = (uint16_t)(b[2] << 8 | b[3]);
    return true;
}

/* A code of width w at p, big-endian. */
uint16_t code_at(const uint8_t *p, int w) { return w == 2 ? (uint16_t)(p[0] << 8 | p[1]) : p[0]; }

/* The entry of a code by binary search (entries ascending by code). */
const RUV_CODESET_ENTRY *lookup(const RUV_CODESET_MAP *map, uint16_t code)
{
    int lo = 0, hi = map->count - 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        uint16_t c = map->entries[mid].code;
        if (c == code)
            return &map->entries[mid];
        if (c < code)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return nullptr;
}

} // namespace

extern "C" RUV_CODESET_MAP *ruvv_str_create_codeset_map(RUV_IOSTR *source, RUV_IOSTR *target)
{
    if (!source && !target)
        return nullptr;
    TableHeader sh = {0, 0}, th = {0, 0};
    if (source && !read_header(source, sh)) {
        bad_table(__LINE__);
        return nullptr;
    }
    if (target && !read_header(target, th)) {
        bad_table(__LINE__);
        return nullptr;
    }
    uint16_t count = source ? sh.count : th.count;
    size_t size = kMapHead + sizeof(RUV_CODESET_ENTRY) * (count ? count : 1);
    auto *map = static_cast<RUV_CODESET_MAP *>(ruvv_mem_zalloc(size));
    if (!map) {
        ruv::str::no_heap(__LINE__);
        return nullptr;
    }
    map->tag = RUV_CODESET_MAP_TAG;
    map->count = count;
    map->source_width = (int16_t)(source ? sh.width : 2);
    map->target_width = (int16_t)(target ? th.width : 2);

    MemBuf<uint8_t> table;
    if (source) {
        size_t rec = (size_t)sh.width + 2;
        if (!read_exact(source, rec * sh.count, table)) {
            bad_table(__LINE__);
            ruvv_str_destroy_codeset_map(map);
            return nullptr;
        }
        for (uint16_t i = 0; i < sh.count; i++) {
            const uint8_t *p = &table[rec * i];
            map->entries[i].code = code_at(p, sh.width);
            map->entries[i].value = code_at(p + sh.width, 2);
            map->entries[i].valid = target ? 0 : 1;
        }
    }
    if (target) {
        size_t rec = (size_t)th.width + 2;
        MemBuf<uint8_t> skipped;
        if (!read_exact(target, rec * th.count, skipped) || !read_exact(target, rec * th.count, table)) {
            bad_table(__LINE__);
            ruvv_str_destroy_codeset_map(map);
            return nullptr;
        }
        for (uint16_t i = 0; i < th.count; i++) {
            const uint8_t *p = &table[rec * i];
            uint16_t wide = code_at(p, 2);
            uint16_t code = code_at(p + 2, th.width);
            if (source) {
                /* Only entries still holding a wide value: one already given
                   its target code must not be taken for a wide value (a code
                   equal to a later wide value would be mapped twice). */
                for (uint16_t j = 0; j < count; j++)
                    if (!map->entries[j].valid && map->entries[j].value == wide) {
                        map->entries[j].value = code;
                        map->entries[j].valid = 1;
                        break;
                    }
            } else {
                map->entries[i].code = wide;
                map->entries[i].value = code;
                map->entries[i].valid = 1;
            }
        }
    }
    return map;
}

extern "C" int32_t ruvv_str_translate_codeset(const RUV_CODESET_MAP *map, const char *in, char *out,
                                              int32_t out_size)
{
    if (!map || map->tag != RUV_CODESET_MAP_TAG || !in || !out)
        return -1;
    if (out_size <= 0)
        return 0;
    const auto *p = reinterpret_cast<const uint8_t *>(in);
    const int sw = map->source_width, tw = map->target_width;
    const int32_t room = out_size - 1; /* the terminator's byte is reserved */
    int32_t pos = 0, chars = 0;
    for (;;) {
        uint16_t code = code_at(p, sw);
        if (code == 0)
            break;
        p += sw;
        uint16_t value;
        const RUV_CODESET_ENTRY *e = lookup(map, code);
        if (e) {
            if (!e->valid || e->value == 0)
                continue;
            value = e->value;
        } else if (code < 32) {
            value = code; /* control characters pass through */
        } else {
            continue;
        }
        if (pos + tw > room)
            break;
        if (tw == 2)
            out[pos++] = (char)(value >> 8);
        out[pos++] = (char)(value & 0xFF);
        chars++;
    }
    out[pos] = 0;
    return chars;
}

extern "C" void ruvv_str_destroy_codeset_map(RUV_CODESET_MAP *map)
{
    if (!map || map->tag != RUV_CODESET_MAP_TAG) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kBadHandle, kModule, __LINE__);
        return;
    }
    map->tag = 0;
    ruvv_mem_free(map);
}
