// Image files made by the tests with the libraries' own encoders: PNG of
// any colour type and depth, JPEG (JFIF or Exif, colour, grey, CMYK) and
// GIF (87a or 89a, global and local colour maps, interlaced, several
// images, extension records).
#ifndef IMAGE_FIXTURES_H
#define IMAGE_FIXTURES_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace fixtures {

// ---- PNG ----

struct Png {
    int width = 1, height = 1;
    int color_type = PNG_COLOR_TYPE_RGB;
    int bit_depth = 8;
    bool interlace = false;
    std::vector<png_color> palette;   // palette images
    std::vector<png_byte> trns;       // palette transparency
    // Samples of a pixel, one per channel, each within the bit depth.
    std::function<std::vector<unsigned>(int x, int y)> samples;
};

inline void png_append(png_structp png, png_bytep data, png_size_t n)
{
    static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), n);
}
inline void png_flush_none(png_structp) {}

inline std::string make_png(const Png &p)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::string();
    }
    png_set_write_fn(png, &out, png_append, png_flush_none);
    png_set_IHDR(png, info, (png_uint_32)p.width, (png_uint_32)p.height, p.bit_depth, p.color_type,
                 p.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!p.palette.empty())
        png_set_PLTE(png, info, p.palette.data(), (int)p.palette.size());
    if (!p.trns.empty())
        png_set_tRNS(png, info, p.trns.data(), (int)p.trns.size(), nullptr);
    png_write_info(png, info);
    int channels = png_get_channels(png, info);
    size_t row_bytes = png_get_rowbytes(png, info);
    std::vector<std::vector<png_byte>> rows((size_t)p.height, std::vector<png_byte>(row_bytes, 0));
    for (int y = 0; y < p.height; y++) {
        png_byte *r = rows[(size_t)y].data();
        for (int x = 0; x < p.width; x++) {
            std::vector<unsigned> s = p.samples(x, y);
            for (int c = 0; c < channels; c++) {
                unsigned v = s[(size_t)c];
                size_t bit = ((size_t)x * (size_t)channels + (size_t)c) * (size_t)p.bit_depth;
                if (p.bit_depth == 16) {
                    r[bit / 8] = (png_byte)(v >> 8);
                    r[bit / 8 + 1] = (png_byte)v;
                } else {
                    r[bit / 8] |= (png_byte)(v << (8 - p.bit_depth - bit % 8));
                }
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto &r : rows)
        pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// ---- JPEG ----

struct Jpeg {
    int width = 8, height = 8;
    int components = 3;
    J_COLOR_SPACE color_space = JCS_RGB;
    bool exif = false;
    bool progressive = false;
    int quality = 100;
    std::function<std::vector<unsigned>(int x, int y)> samples;
};

inline std::string make_jpeg(const Jpeg &j)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = (JDIMENSION)j.width;
    cinfo.image_height = (JDIMENSION)j.height;
    cinfo.input_components = j.components;
    cinfo.in_color_space = j.color_space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, j.quality, TRUE);
    for (int c = 0; c < cinfo.num_components; c++) // no subsampling
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    if (j.progressive)
        jpeg_simple_progression(&cinfo);
    if (j.exif)
        cinfo.write_JFIF_header = FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    if (j.exif) {
        static const JOCTET app1[] = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0};
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, app1, sizeof app1);
    }
    std::vector<JSAMPLE> row((size_t)j.width * (size_t)j.components);
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = (int)cinfo.next_scanline;
        for (int x = 0; x < j.width; x++) {
            std::vector<unsigned> s = j.samples(x, y);
            for (int c = 0; c < j.components; c++)
                row[(size_t)x * (size_t)j.components + (size_t)c] = (JSAMPLE)s[(size_t)c];
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string out(reinterpret_cast<const char *>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return out;
}

// ---- GIF ----

struct GifFrame {
    int left = 0, top = 0, width = 1, height = 1;
    bool interlace = false;
    std::vector<uint32_t> local_map;  // 0xRRGGBB, empty = none
    std::function<int(int x, int y)> pixel;
};

struct Gif {
    int width = 1, height = 1;
    bool gif89 = true;
    bool extension = false;           // a comment extension before the images
    std::vector<uint32_t> global_map; // empty = none
    std::vector<GifFrame> frames;
};

inline int gif_append(GifFileType *gif, const GifByteType *data, int n)
{
    static_cast<std::string *>(gif->UserData)->append(reinterpret_cast<const char *>(data), (size_t)n);
    return n;
}

inline ColorMapObject *gif_map(const std::vector<uint32_t> &colors)
{
    if (colors.empty())
        return nullptr;
    int count = 2;
    while (count < (int)colors.size())
        count *= 2;
    std::vector<GifColorType> c((size_t)count, GifColorType{0, 0, 0});
    for (size_t i = 0; i < colors.size(); i++)
        c[i] = GifColorType{(GifByteType)(colors[i] >> 16), (GifByteType)(colors[i] >> 8), (GifByteType)colors[i]};
    return GifMakeMapObject(count, c.data());
}

inline std::string make_gif(const Gif &g)
{
    std::string out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, gif_append, &error);
    if (!gif)
        return std::string();
    EGifSetGifVersion(gif, g.gif89);
    ColorMapObject *global = gif_map(g.global_map);
    EGifPutScreenDesc(gif, g.width, g.height, 8, 0, global);
    if (g.extension) {
        const char text[] = "made by the tests";
        EGifPutExtension(gif, COMMENT_EXT_FUNC_CODE, (int)sizeof text - 1, text);
    }
    for (const GifFrame &f : g.frames) {
        ColorMapObject *local = gif_map(f.local_map);
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, local);
        std::vector<int> order;
        if (f.interlace) {
            const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; pass++)
                for (int y = start[pass]; y < f.height; y += step[pass])
                    order.push_back(y);
        } else {
            for (int y = 0; y < f.height; y++)
                order.push_back(y);
        }
        std::vector<GifPixelType> line((size_t)f.width);
        for (int y : order) {
            for (int x = 0; x < f.width; x++)
                line[(size_t)x] = (GifPixelType)f.pixel(x, y);
            EGifPutLine(gif, line.data(), f.width);
        }
        GifFreeMapObject(local);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(global);
    return out;
}

} // namespace fixtures

#endif
