// What the image fuzz targets share: memory hooks that refuse blocks over
// 16 MiB (so a header promising a huge image costs nothing), reports
// swallowed, and one run of a probe and a reader over the input, with the
// image duplicated and written as BMP when it is small.
#ifndef IMAGE_FUZZ_COMMON_H
#define IMAGE_FUZZ_COMMON_H

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ruvv_errmsg.h"
#include "ruvv_image.h"
#include "ruvv_iostr.h"
#include "ruvv_mem.h"
#include "standin_core.h"

namespace image_fuzz {

constexpr size_t MAX_BLOCK = 16u << 20;

inline void *alloc(size_t n) { return n > MAX_BLOCK ? nullptr : std::malloc(n ? n : 1); }
inline void *zalloc(size_t n) { return n > MAX_BLOCK ? nullptr : std::calloc(1, n ? n : 1); }
inline void *reallocate(void *p, size_t n)
{
    if (n == 0) {
        std::free(p);
        return nullptr;
    }
    return n > MAX_BLOCK ? nullptr : std::realloc(p, n);
}
inline void release(void *p) { std::free(p); }

inline RUV_BOOL swallow(RUV_ERRMSG *, void *) { return 1; }

inline void setup()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    static const RUV_MEM_FUNCS hooks = {alloc, release, reallocate, zalloc};
    ruvv_mem_set_functions(&hooks);
    ruvv_errmsg_set_ready();
    ruvv_errmsg_push_handler(swallow, nullptr);
    standin::set_system_value(105, 105, 5); // a colour screen
}

struct Input {
    const uint8_t *data;
    size_t size;
    size_t pos;
};

inline int32_t read_input(RUV_IOSTR *s, int32_t count, void *buffer)
{
    auto *in = static_cast<Input *>(s->source);
    size_t left = in->size - in->pos;
    size_t n = left < (size_t)count ? left : (size_t)count;
    if (n == 0)
        return -1;
    std::memcpy(buffer, in->data + in->pos, n);
    in->pos += n;
    return (int32_t)n;
}

inline int32_t input_size(RUV_IOSTR *s) { return (int32_t) static_cast<Input *>(s->source)->size; }

inline int32_t discard(RUV_IOSTR *, int32_t count, const void *) { return count; }

inline int run(const uint8_t *data, size_t size, RUV_BOOL (*probe)(RUV_IOSTR *), RUV_IMAGE *(*reader)(RUV_IOSTR *))
{
    setup();
    Input in = {data, size, 0};
    RUV_IOSTR *s = ruvv_iostr_create_read(&in, read_input, input_size);
    if (!s)
        return 0;
    probe(s);
    in.pos = 0;
    RUV_IMAGE *image = reader(s);
    ruvv_iostr_destroy(s);
    if (image && (int32_t)image->width * image->height <= 1 << 16) {
        RUV_IMAGE *copy = ruvv_image_duplicate(image);
        RUV_IOSTR *out = ruvv_iostr_create_write(nullptr, discard);
        ruvv_image_write_winbmp(copy, out);
        ruvv_iostr_destroy(out);
        ruvv_image_destroy(copy);
    }
    ruvv_image_destroy(image);
    return 0;
}

} // namespace image_fuzz

#endif
