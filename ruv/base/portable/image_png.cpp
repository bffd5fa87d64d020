/* PNG files, read through libpng into a direct image.  The library reads
   the stream through a callback of ours, takes its memory through the
   toolkit's hooks and leaves on an error by a non-local jump; the function
   that the jump returns to holds nothing with a destructor.  What a file
   may make the library allocate is bounded before anything is read: the
   image's sides, the largest chunk it holds in memory, and the ancillary
   chunks the reader has no use for are skipped unread. */
#include <string.h>

#include <png.h>

#include "image_private.h"
#include "ruvv_image_probe.h"

using namespace ruv_image;

namespace {

/* "PNG error -- See debug file for details": the library's message goes to
   the debug output. */
constexpr RUV_ERRMSG_ID ERR_PNG = 0x0159000d;
constexpr size_t SIGNATURE = 8;
/* Largest chunk the library may hold in memory (only the transparency
   chunk, at most 256 bytes, is read among the ancillary ones). */
constexpr png_alloc_size_t CHUNK_MAX = 1u << 20;
/* Deflate's best: 258 bytes for a length and a distance code of one bit
   each. */
constexpr uint64_t DEFLATE_MAX_RATIO = 1032;

/* Everything one decode holds, plain data only. */
struct PngState {
    RUV_IOSTR *stream;
    png_structp png;
    png_infop info;
    RUV_IMAGE *image;
    png_bytep *rows;
    png_bytep row;
};

void error_fn(png_structp png, png_const_charp message)
{
    auto *st = static_cast<PngState *>(png_get_error_ptr(png));
    ruvv_debug_print("PNG Error: %s", message);
    RUV_ERR(st->stream, RUV_SEV_WARNING, ERR_PNG);
    png_longjmp(png, 1);
}

void warning_fn(png_structp, png_const_charp message)
{
    ruvv_debug_print("PNG Warning: %s", message);
}

png_voidp alloc_fn(png_structp, png_alloc_size_t size)
{
    return ruvv_mem_alloc(size);
}

void free_fn(png_structp, png_voidp block)
{
    ruvv_mem_free(block);
}

void read_fn(png_structp png, png_bytep data, png_size_t length)
{
    auto *st = static_cast<PngState *>(png_get_io_ptr(png));
    size_t got = 0;
    while (got < length) {
        size_t want = length - got;
        int32_t n = ruvv_iostr_read(st->stream, want > 0x40000000 ? 0x40000000 : (int32_t)want, data + got);
        if (n <= 0)
            png_error(png, "Couldn't read PNG stream!");
        got += (size_t)n;
    }
}

/* The decode proper, after the signature.  Every form is turned into rows
   of 8-bit red, green and blue, packed into the image row by row.  An
   interlaced file needs the whole image at once: it is decoded straight
   into the image as blue, green, red and a zero filler, the bytes of one
   0x00RRGGBB pixel in memory.  Returns the image or NULL; every library
   object is released here. */
RUV_IMAGE *decode(PngState *st)
{
    st->png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, st, error_fn, warning_fn, nullptr, alloc_fn,
                                       free_fn);
    if (!st->png) {
        RUV_ERR(st->stream, RUV_SEV_ERROR, ERR_HEAP);
        return nullptr;
    }
    st->info = png_create_info_struct(st->png);
    if (!st->info) {
        png_destroy_read_struct(&st->png, nullptr, nullptr);
        RUV_ERR(st->stream, RUV_SEV_ERROR, ERR_HEAP);
        return nullptr;
    }
    if (setjmp(png_jmpbuf(st->png))) {
        png_destroy_read_struct(&st->png, &st->info, nullptr);
        ruvv_mem_free(st->rows);
        ruvv_mem_free(st->row);
        ruvv_image_destroy(st->image);
        st->rows = nullptr;
        st->row = nullptr;
        st->image = nullptr;
        return nullptr;
    }
    png_set_read_fn(st->png, st, read_fn);
    png_set_sig_bytes(st->png, (int)SIGNATURE);
    png_set_user_limits(st->png, RUV_IMAGE_MAX_SIDE, RUV_IMAGE_MAX_SIDE);
    png_set_chunk_malloc_max(st->png, CHUNK_MAX);
    /* The library only warns about a chunk over the limit and then reads
       it whole; the chunks it would read that way are skipped instead. */
    png_set_keep_unknown_chunks(st->png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(st->png, st->info);

    png_uint_32 width = png_get_image_width(st->png, st->info);
    png_uint_32 height = png_get_image_height(st->png, st->info);
    int depth = png_get_bit_depth(st->png, st->info);
    int type = png_get_color_type(st->png, st->info);
    bool interlaced = png_get_interlace_type(st->png, st->info) != PNG_INTERLACE_NONE;
    /* The filtered rows (a filter byte each) cannot come out of fewer bytes
       of the file than deflate's best packing of them. */
    uint64_t row_bytes = ((uint64_t)width * png_get_channels(st->png, st->info) * (uint64_t)depth + 7) / 8 + 1;
    if (!source_holds(st->stream, row_bytes * height / DEFLATE_MAX_RATIO))
        png_error(st->png, "Image larger than the file can hold");
    if (depth == 16)
        png_set_strip_16(st->png);
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(st->png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(st->png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(st->png);
    /* The alpha channel (or transparency chunk) is not taken over. */
    png_set_strip_alpha(st->png);
    if (interlaced) {
        png_set_bgr(st->png);
        png_set_filler(st->png, 0, PNG_FILLER_AFTER);
        png_set_interlace_handling(st->png);
    }
    png_read_update_info(st->png, st->info);
    /* Row bytes and channels as they are after the transformations. */
    png_byte channels = png_get_channels(st->png, st->info);
    if (channels != (interlaced ? 4 : 3) || png_get_bit_depth(st->png, st->info) != 8 ||
        png_get_rowbytes(st->png, st->info) != (size_t)width * channels)
        png_error(st->png, "Unexpected row layout");

    st->image = create(RUV_IMAGE_DIRECT, (int32_t)width, (int32_t)height, false);
    if (!st->image)
        png_error(st->png, "Out of memory for the image");
    if (interlaced) {
        st->rows = static_cast<png_bytep *>(ruvv_mem_alloc(sizeof(png_bytep) * height));
        if (!st->rows)
            png_error(st->png, "Out of memory for the rows");
        for (png_uint_32 y = 0; y < height; y++)
            st->rows[y] = ruvv_image_get_scanline(st->image, (int32_t)y);
        png_read_image(st->png, st->rows);
    } else {
        st->row = static_cast<png_bytep>(ruvv_mem_alloc((size_t)width * 3));
        if (!st->row)
            png_error(st->png, "Out of memory for the rows");
        for (png_uint_32 y = 0; y < height; y++) {
            png_read_row(st->png, st->row, nullptr);
            pack_rgb(st->row, reinterpret_cast<uint32_t *>(ruvv_image_get_scanline(st->image, (int32_t)y)),
                     (int32_t)width);
        }
    }

    png_destroy_read_struct(&st->png, &st->info, nullptr);
    ruvv_mem_free(st->rows);
    ruvv_mem_free(st->row);
    st->rows = nullptr;
    st->row = nullptr;
    RUV_IMAGE *image = st->image;
    st->image = nullptr;
    return image;
}

} // namespace

extern "C" RUV_BOOL ruvv_image_probe_png(RUV_IOSTR *stream)
{
    png_byte sig[SIGNATURE];
    return read_exact(stream, sig, (int32_t)SIGNATURE) && png_sig_cmp(sig, 0, SIGNATURE) == 0 ? TRUE : FALSE;
}

extern "C" RUV_IMAGE *ruvv_image_read_png(RUV_IOSTR *stream)
{
    png_byte sig[SIGNATURE];
    if (!read_exact(stream, sig, (int32_t)SIGNATURE) || png_sig_cmp(sig, 0, SIGNATURE) != 0) {
        ruvv_debug_print("PNG Error: %s", "Not a PNG file");
        RUV_ERR(stream, RUV_SEV_WARNING, ERR_PNG);
        return nullptr;
    }
    PngState st = {stream, nullptr, nullptr, nullptr, nullptr, nullptr};
    return decode(&st);
}
