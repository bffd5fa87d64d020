// Decoding a 4000 x 3000 PNG and JPEG through the toolkit's readers against
// the libraries' own decode loops (RGB rows into one buffer), from memory.
// Each runs five times; the ratio of the medians is printed for each format.
// Built with the native tests, run by hand:
//   ruv_image_decode_bench
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include "bench_ratio.h"
#include <jpeglib.h>
#include <png.h>

#include "ruvv_image.h"
#include "ruvv_iostr.h"

namespace {

constexpr int WIDTH = 4000;
constexpr int HEIGHT = 3000;

// A photograph-like picture: smooth gradients with some texture.
void fill_row(int y, std::vector<unsigned char> &row)
{
    for (int x = 0; x < WIDTH; x++) {
        unsigned noise = (unsigned)(x * 7919 + y * 104729) * 2654435761u >> 28;
        row[(size_t)x * 3] = (unsigned char)((x * 255 / WIDTH + noise) & 0xFF);
        row[(size_t)x * 3 + 1] = (unsigned char)((y * 255 / HEIGHT + noise * 2) & 0xFF);
        row[(size_t)x * 3 + 2] = (unsigned char)(((x + y) * 128 / (WIDTH + HEIGHT) + 64 + noise) & 0xFF);
    }
}

void append(png_structp png, png_bytep data, png_size_t n)
{
    static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), n);
}
void flush_none(png_structp) {}

const std::string &png_file()
{
    static std::string out;
    if (!out.empty())
        return out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, append, flush_none);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, WIDTH, HEIGHT, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<unsigned char> row((size_t)WIDTH * 3);
    for (int y = 0; y < HEIGHT; y++) {
        fill_row(y, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

const std::string &jpeg_file()
{
    static std::string out;
    if (!out.empty())
        return out;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = WIDTH;
    cinfo.image_height = HEIGHT;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row((size_t)WIDTH * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        fill_row((int)cinfo.next_scanline, row);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    out.assign(reinterpret_cast<const char *>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return out;
}

// ---- through the toolkit ----

struct Source {
    const std::string *data;
    size_t pos;
};

int32_t source_read(RUV_IOSTR *s, int32_t count, void *buffer)
{
    auto *src = static_cast<Source *>(s->source);
    size_t left = src->data->size() - src->pos;
    size_t n = left < (size_t)count ? left : (size_t)count;
    if (n == 0)
        return -1;
    memcpy(buffer, src->data->data() + src->pos, n);
    src->pos += n;
    return (int32_t)n;
}

int32_t source_size(RUV_IOSTR *s) { return (int32_t) static_cast<Source *>(s->source)->data->size(); }

void toolkit_decode(benchmark::State &state, const std::string &file, RUV_IMAGE *(*reader)(RUV_IOSTR *))
{
    for (auto _ : state) {
        Source src = {&file, 0};
        RUV_IOSTR *s = ruvv_iostr_create_read(&src, source_read, source_size);
        RUV_IMAGE *image = reader(s);
        if (!image || image->width != WIDTH || image->height != HEIGHT)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image);
        ruvv_image_destroy(image);
        ruvv_iostr_destroy(s);
    }
}

void BM_PngToolkit(benchmark::State &state) { toolkit_decode(state, png_file(), ruvv_image_read_png); }
void BM_JpegToolkit(benchmark::State &state) { toolkit_decode(state, jpeg_file(), ruvv_image_read_jpg); }

// ---- the libraries' own loops ----

void png_from_memory(png_structp png, png_bytep data, png_size_t n)
{
    auto *src = static_cast<Source *>(png_get_io_ptr(png));
    if (src->data->size() - src->pos < n)
        png_error(png, "short");
    memcpy(data, src->data->data() + src->pos, n);
    src->pos += n;
}

void BM_PngLibrary(benchmark::State &state)
{
    const std::string &file = png_file();
    for (auto _ : state) {
        Source src = {&file, 0};
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_read_fn(png, &src, png_from_memory);
        png_read_info(png, info);
        png_set_strip_16(png);
        png_set_expand(png);
        png_set_gray_to_rgb(png);
        png_read_update_info(png, info);
        size_t row_bytes = png_get_rowbytes(png, info);
        std::vector<unsigned char> pixels(row_bytes * HEIGHT);
        std::vector<png_bytep> rows(HEIGHT);
        for (int y = 0; y < HEIGHT; y++)
            rows[(size_t)y] = pixels.data() + row_bytes * (size_t)y;
        png_read_image(png, rows.data());
        benchmark::DoNotOptimize(pixels.data());
        png_destroy_read_struct(&png, &info, nullptr);
    }
}

void BM_JpegLibrary(benchmark::State &state)
{
    const std::string &file = jpeg_file();
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(file.data()), (unsigned long)file.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        size_t row_bytes = (size_t)cinfo.output_width * 3;
        std::vector<unsigned char> pixels(row_bytes * cinfo.output_height);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW r = pixels.data() + row_bytes * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &r, 1);
        }
        benchmark::DoNotOptimize(pixels.data());
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
    }
}

BENCHMARK(BM_PngLibrary)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_PngToolkit)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_JpegLibrary)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_JpegToolkit)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    bench_ratio::Keeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    bool ok = keeper.PrintRatio("PNG through the toolkit against the library's loop", "BM_PngToolkit", "BM_PngLibrary");
    ok = keeper.PrintRatio("JPEG through the toolkit against the library's loop", "BM_JpegToolkit", "BM_JpegLibrary") &&
         ok;
    benchmark::Shutdown();
    return ok ? 0 : 1;
}
