/* JPEG files (JFIF or Exif), read through libjpeg into a direct image.
   The library reads the stream through a source manager of ours and leaves
   through our error exit by a non-local jump; the function that the jump
   returns to holds nothing with a destructor.  The library decodes a file
   that ends early as if the rest were flat, so the image's size is bounded
   by the file's length before anything is allocated for it. */
#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include <jpeglib.h>
#include <jerror.h>

#include "image_private.h"
#include "ruvv_image_probe.h"

using namespace ruv_image;

namespace {

/* The library's fast entropy decoder runs only while the input buffer
   holds at least a worst-case MCU (up to ten blocks of 512 bytes); with
   less it takes the slow path for every MCU.  A block well above that
   keeps the fast path for nearly all of a file. */
constexpr size_t INPUT_BLOCK = 65536;

/* Decoded pixels: libjpeg-turbo writes blue, green, red and a filler
   straight into the image's rows; a plain libjpeg gives RGB rows that are
   packed into 0x00RRGGBB words. */
#ifdef JCS_EXTENSIONS
constexpr J_COLOR_SPACE OUTPUT_SPACE = JCS_EXT_BGRX;
constexpr int OUTPUT_BYTES = 4;
#else
constexpr J_COLOR_SPACE OUTPUT_SPACE = JCS_RGB;
constexpr int OUTPUT_BYTES = 3;
#endif
constexpr size_t MESSAGE_SIZE = 200;
/* Most pixels a byte of the file may stand for: twice the densest Huffman
   coding (a progressive grey file, one bit for a flat 8x8 block). */
constexpr uint64_t MAX_PIXELS_PER_BYTE = 1024;

struct JpegSource {
    jpeg_source_mgr pub;
    RUV_IOSTR *stream;
    bool started;
    JOCTET buffer[INPUT_BLOCK];
};

struct JpegError {
    jpeg_error_mgr pub;
    RUV_IOSTR *stream;
    jmp_buf jump;
};

/* Everything one decode holds, plain data only: the error exit jumps over
   the frames in between. */
struct JpegState {
    jpeg_decompress_struct cinfo;
    JpegError err;
    JpegSource src;
    RUV_IMAGE *image;
    JSAMPLE *row;
};

void error_exit(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<JpegError *>(cinfo->err);
    char text[JMSG_LENGTH_MAX > MESSAGE_SIZE ? JMSG_LENGTH_MAX : MESSAGE_SIZE];
    (*cinfo->err->format_message)(cinfo, text);
    text[MESSAGE_SIZE - 1] = '\0';
    ruvv_debug_print("JPEG Error: %s", text);
    RUV_ERR(err->stream, RUV_SEV_WARNING, ERR_JPEG);
    longjmp(err->jump, 1);
}

/* Warnings (a premature end among them) go to the debug output, not to a
   console the program does not have. */
void output_message(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    ruvv_debug_print("JPEG Warning: %s", text);
}

void init_source(j_decompress_ptr) {}
void term_source(j_decompress_ptr) {}

boolean fill_input_buffer(j_decompress_ptr cinfo)
{
    auto *src = reinterpret_cast<JpegSource *>(cinfo->src);
    int32_t n = ruvv_iostr_read(src->stream, (int32_t)INPUT_BLOCK, src->buffer);
    if (n <= 0) {
        if (!src->started)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        /* Premature end: warn and let the decoder see an end-of-image. */
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = (JOCTET)0xFF;
        src->buffer[1] = (JOCTET)JPEG_EOI;
        n = 2;
    }
    src->started = true;
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = (size_t)n;
    return TRUE;
}

void skip_input_data(j_decompress_ptr cinfo, long count)
{
    jpeg_source_mgr *pub = cinfo->src;
    if (count <= 0)
        return;
    while (count > (long)pub->bytes_in_buffer) {
        count -= (long)pub->bytes_in_buffer;
        (void)(*pub->fill_input_buffer)(cinfo);
    }
    pub->next_input_byte += (size_t)count;
    pub->bytes_in_buffer -= (size_t)count;
}

/* Raises a library error with one number argument. */
void fail(j_decompress_ptr cinfo, int code, int value)
{
    cinfo->err->msg_code = code;
    cinfo->err->msg_parm.i[0] = value;
    (*cinfo->err->error_exit)(reinterpret_cast<j_common_ptr>(cinfo));
}

/* The decode proper.  Returns the image or NULL; st->image and st->row are
   released here on every path. */
RUV_IMAGE *decode(JpegState *st)
{
    j_decompress_ptr cinfo = &st->cinfo;
    if (setjmp(st->err.jump)) {
        jpeg_destroy_decompress(cinfo);
        ruvv_mem_free(st->row);
        ruvv_image_destroy(st->image);
        st->row = nullptr;
        st->image = nullptr;
        return nullptr;
    }
    jpeg_create_decompress(cinfo);
    cinfo->src = &st->src.pub;
    jpeg_read_header(cinfo, TRUE);

    /* Only colour output is taken: files the library cannot give as RGB
       (CMYK, YCCK) are refused rather than read as three bytes a pixel. */
    if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK)
        fail(cinfo, JERR_CONVERSION_NOTIMPL, 0);
    cinfo->out_color_space = OUTPUT_SPACE;
    jpeg_calc_output_dimensions(cinfo);
    if (cinfo->output_components != OUTPUT_BYTES || cinfo->out_color_space != OUTPUT_SPACE)
        fail(cinfo, JERR_CONVERSION_NOTIMPL, 0);
    if (cinfo->output_width < 1 || cinfo->output_height < 1 ||
        cinfo->output_width > RUV_IMAGE_MAX_SIDE || cinfo->output_height > RUV_IMAGE_MAX_SIDE)
        fail(cinfo, JERR_IMAGE_TOO_BIG, RUV_IMAGE_MAX_SIDE);
    if (!source_holds(st->src.stream,
                      (uint64_t)cinfo->output_width * cinfo->output_height / MAX_PIXELS_PER_BYTE))
        fail(cinfo, JERR_INPUT_EOF, 0);

    /* The image is made before the decoder takes its own working memory,
       so an image that cannot be had costs nothing more. */
    int32_t width = (int32_t)cinfo->output_width;
    st->image = create(RUV_IMAGE_DIRECT, width, (int32_t)cinfo->output_height, false);
    if (OUTPUT_BYTES == 3)
        st->row = static_cast<JSAMPLE *>(ruvv_mem_alloc((size_t)width * 3));
    if (!st->image || (OUTPUT_BYTES == 3 && !st->row)) {
        if (st->image)
            RUV_ERR(st->err.stream, RUV_SEV_ERROR, ERR_HEAP);
        jpeg_destroy_decompress(cinfo);
        ruvv_mem_free(st->row);
        ruvv_image_destroy(st->image);
        st->row = nullptr;
        st->image = nullptr;
        return nullptr;
    }
    jpeg_start_decompress(cinfo);
    while (cinfo->output_scanline < cinfo->output_height) {
        int32_t y = (int32_t)cinfo->output_scanline;
        auto *out = reinterpret_cast<uint32_t *>(ruvv_image_get_scanline(st->image, y));
        JSAMPROW rows[1] = {OUTPUT_BYTES == 3 ? st->row : reinterpret_cast<JSAMPLE *>(out)};
        if (jpeg_read_scanlines(cinfo, rows, 1) != 1)
            break; /* our source never suspends */
        if (OUTPUT_BYTES == 3) {
            pack_rgb(st->row, out, width);
        } else {
            /* Blue, green, red and a filler byte: the filler becomes the
               zero top byte of 0x00RRGGBB, two pixels a word. */
            int32_t x = 0;
            for (; x + 1 < width; x += 2) {
                uint64_t pair;
                memcpy(&pair, out + x, sizeof pair);
                pair &= 0x00FFFFFF00FFFFFFull;
                memcpy(out + x, &pair, sizeof pair);
            }
            if (x < width)
                out[x] &= 0x00FFFFFFu;
        }
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    ruvv_mem_free(st->row);
    st->row = nullptr;
    RUV_IMAGE *image = st->image;
    st->image = nullptr;
    return image;
}

} // namespace

extern "C" RUV_BOOL ruvv_image_probe_jpg(RUV_IOSTR *stream)
{
    unsigned char b[11];
    if (!read_exact(stream, b, 11))
        return FALSE;
    /* Bytes 4 and 5 (the segment length) are not compared. */
    if (b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF && b[3] == 0xE0 && memcmp(b + 6, "JFIF", 5) == 0)
        return TRUE;
    if (b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF && b[3] == 0xE1 && memcmp(b + 6, "Exif", 5) == 0)
        return TRUE;
    return FALSE;
}

extern "C" RUV_IMAGE *ruvv_image_read_jpg(RUV_IOSTR *stream)
{
    auto *st = static_cast<JpegState *>(ruvv_mem_zalloc(sizeof(JpegState)));
    if (!st) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_HEAP);
        return nullptr;
    }
    st->cinfo.err = jpeg_std_error(&st->err.pub);
    st->err.pub.error_exit = error_exit;
    st->err.pub.output_message = output_message;
    st->err.stream = stream;
    st->src.pub.init_source = init_source;
    st->src.pub.fill_input_buffer = fill_input_buffer;
    st->src.pub.skip_input_data = skip_input_data;
    st->src.pub.resync_to_restart = jpeg_resync_to_restart;
    st->src.pub.term_source = term_source;
    st->src.stream = stream;
    RUV_IMAGE *image = decode(st);
    ruvv_mem_free(st);
    return image;
}
