/* What the image modules share: message ids, colour constants, the read
   entries by path and by open file, and a buffered byte reader over an io
   stream for the text formats. */
#ifndef RUV_IMAGE_PRIVATE_H
#define RUV_IMAGE_PRIVATE_H

#include <stdio.h>
#include <string.h>
#include <memory>
#include "ruvv_errmsg.h"
#include "ruvv_image.h"
#include "ruvv_iostr.h"
#include "ruvv_mem.h"

/* Direct pixels are 32-bit words 0x00RRGGBB whose bytes lie blue, green,
   red, 0 in memory; the readers and the transfer engine rely on it. */
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "direct image pixels are taken as little-endian words"
#endif

namespace ruv_image {

constexpr RUV_ERRMSG_ID ERR_ALLOC = 0x00510000;          /* "Failed to allocate memory" */
constexpr RUV_ERRMSG_ID ERR_CREATE = 0x00520000;         /* "Failed to create" */
constexpr RUV_ERRMSG_ID ERR_HEAP = 0x01510001;           /* "Failed to allocate heap memory" */
constexpr RUV_ERRMSG_ID ERR_NULL_IMAGE = 0x01210007;     /* "NULL Image handle" */
constexpr RUV_ERRMSG_ID ERR_BAD_VALUE = 0x01250001;      /* "Bad value" */
constexpr RUV_ERRMSG_ID ERR_BAD_SIZE = 0x01260001;       /* "Bad size" */
constexpr RUV_ERRMSG_ID ERR_FILE_NOT_FOUND = 0x01530001; /* "Failed to find file" */
constexpr RUV_ERRMSG_ID ERR_READ = 0x01560001;           /* "Read failed" */
constexpr RUV_ERRMSG_ID ERR_IMAGE_INTERNAL = 0x01570005; /* "Internal image error" */
constexpr RUV_ERRMSG_ID ERR_XBM_NO_END = 0x01590001;
constexpr RUV_ERRMSG_ID ERR_XPM_DECL = 0x01590002;
constexpr RUV_ERRMSG_ID ERR_XPM_VALUES = 0x01590003;
constexpr RUV_ERRMSG_ID ERR_XPM_CPP = 0x01590004;
constexpr RUV_ERRMSG_ID ERR_XPM_COLORS = 0x01590005;
constexpr RUV_ERRMSG_ID ERR_XPM_PIXELS = 0x01590006;
constexpr RUV_ERRMSG_ID ERR_XPM_EXT = 0x01590007;
constexpr RUV_ERRMSG_ID ERR_JPEG = 0x0159000b;
constexpr RUV_ERRMSG_ID ERR_GIF = 0x0159000c;
constexpr RUV_ERRMSG_ID ERR_XPM_IMAGE = 0x0152000d;      /* "Failed to create Xpm image object" */
constexpr RUV_ERRMSG_ID ERR_BAD_FORMAT = 0x01640003;     /* "Invalid image format" */

constexpr RUV_COLOR STD_BLACK = 0x07000000; /* black with its standard tag */
constexpr RUV_COLOR STD_WHITE = 0x0BFFFFFF; /* white with its standard tag */

/* Owners of hook memory and of images for the scope of a reader (never
   used in a function that a library jumps out of). */
struct MemFree {
    void operator()(void *p) const { ruvv_mem_free(p); }
};
template <class T> using MemPtr = std::unique_ptr<T, MemFree>;
struct ImageFree {
    void operator()(RUV_IMAGE *image) const { ruvv_image_destroy(image); }
};
using ImagePtr = std::unique_ptr<RUV_IMAGE, ImageFree>;

/* ruvv_image_create for readers that write every pixel themselves: with
   clear false the pixels are left as the allocator gives them. */
RUV_IMAGE *create(int32_t format, int32_t width, int32_t height, bool clear);

using StreamReader = RUV_IMAGE *(*)(RUV_IOSTR *stream);

/* Opens path "rb" (0x01530001 when it cannot) and reads it through reader. */
RUV_IMAGE *read_path(const char *path, StreamReader reader);
/* Wraps an open file in a stream (0x00510000 when it cannot) and reads it. */
RUV_IMAGE *read_file(FILE *file, StreamReader reader);

/* Bytes of a stream, read in blocks through its read-bytes operation. */
class ByteReader {
public:
    explicit ByteReader(RUV_IOSTR *stream) : stream_(stream) {}
    ByteReader(const ByteReader &) = delete;
    ByteReader &operator=(const ByteReader &) = delete;

    /* The next byte, or -1 at the end (or on a read failure). */
    int get()
    {
        if (pos_ == len_ && !fill())
            return -1;
        return buf_[pos_++];
    }
    /* The next byte without taking it, or -1. */
    int peek()
    {
        if (pos_ == len_ && !fill())
            return -1;
        return buf_[pos_];
    }
private:
    bool fill()
    {
        if (done_)
            return false;
        int32_t n = ruvv_iostr_read(stream_, (int32_t)sizeof buf_, buf_);
        if (n <= 0) { /* a file stream answers -1 at its end */
            done_ = true;
            return false;
        }
        pos_ = 0;
        len_ = (size_t)n;
        return true;
    }

    RUV_IOSTR *stream_;
    unsigned char buf_[4096];
    size_t pos_ = 0;
    size_t len_ = 0;
    bool done_ = false;
};

/* Packs a row of red, green, blue bytes into 0x00RRGGBB words. */
inline void pack_rgb(const uint8_t *in, uint32_t *out, int32_t width)
{
    int32_t x = 0;
    for (; x + 1 < width; x++, in += 3) {
        uint32_t v; /* red, green, blue and the next pixel's red */
        memcpy(&v, in, 4);
        out[x] = __builtin_bswap32(v) >> 8;
    }
    for (; x < width; x++, in += 3)
        out[x] = (uint32_t)in[0] << 16 | (uint32_t)in[1] << 8 | in[2];
}

/* Reads exactly count bytes; false on a short read. */
bool read_exact(RUV_IOSTR *stream, void *buffer, int32_t count);

/* False when the stream's source is known to be shorter than bytes.  A
   reader asks this before it allocates for the sizes in a header: the
   fewest bytes in which its format can hold an image of those sizes, so a
   short file cannot make it take memory for a picture it does not hold.
   A source of unknown length holds anything. */
bool source_holds(RUV_IOSTR *stream, uint64_t bytes);

} // namespace ruv_image

#endif
