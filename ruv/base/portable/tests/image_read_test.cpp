// Reading image files by path: the format told by the probes, the entries
// by path and by open file for every format, and the two failures of
// detection (no file, no reader).
#include "image_fixtures.h"
#include "image_test_support.h"

namespace {

using namespace imgtest;

using PathReader = RUV_IMAGE *(*)(const char *);
using FileReader = RUV_IMAGE *(*)(FILE *);

struct Format {
    const char *name;
    std::string bytes;
    PathReader from_fn;
    FileReader from_fp;
    int32_t format;
    int width, height;
};

std::vector<Format> formats()
{
    fixtures::Png png;
    png.width = 3;
    png.height = 2;
    png.samples = [](int x, int y) { return std::vector<unsigned>{(unsigned)x * 80, (unsigned)y * 80, 7}; };
    fixtures::Jpeg jpeg;
    jpeg.width = 4;
    jpeg.height = 5;
    jpeg.samples = [](int, int) { return std::vector<unsigned>{10, 20, 30}; };
    fixtures::Jpeg exif = jpeg;
    exif.exif = true;
    fixtures::Gif gif;
    gif.width = 2;
    gif.height = 2;
    gif.global_map = {0x000000, 0xFFFFFF};
    fixtures::GifFrame frame;
    frame.width = 2;
    frame.height = 2;
    frame.pixel = [](int x, int) { return x; };
    gif.frames = {frame};

    std::string bmp = "BM";
    put32(bmp, 58);
    put32(bmp, 0);
    put32(bmp, 54);
    put32(bmp, 40);
    put32(bmp, 1);
    put32(bmp, 1);
    put16(bmp, 1);
    put16(bmp, 24);
    for (int i = 0; i < 6; i++)
        put32(bmp, 0);
    bmp += std::string("\x01\x02\x03\x00", 4);

    return {
        {"bmp", bmp, ruvv_image_read_bmp_from_fn, ruvv_image_read_bmp_from_fp, RUV_IMAGE_DIRECT, 1, 1},
        {"gif", fixtures::make_gif(gif), ruvv_image_read_gif_from_fn, ruvv_image_read_gif_from_fp, RUV_IMAGE_INDEXED, 2, 2},
        {"jpg", fixtures::make_jpeg(jpeg), ruvv_image_read_jpg_from_fn, ruvv_image_read_jpg_from_fp, RUV_IMAGE_DIRECT, 4, 5},
        {"exif.jpg", fixtures::make_jpeg(exif), ruvv_image_read_jpg_from_fn, ruvv_image_read_jpg_from_fp, RUV_IMAGE_DIRECT, 4, 5},
        {"png", fixtures::make_png(png), ruvv_image_read_png_from_fn, ruvv_image_read_png_from_fp, RUV_IMAGE_DIRECT, 3, 2},
        {"xbm", "#define x_width 3\n#define x_height 1\nstatic char x_bits[] = { 0x05 };\n",
         ruvv_image_read_xbm_from_fn, ruvv_image_read_xbm_from_fp, RUV_IMAGE_INDEXED, 3, 1},
        {"xpm", "/* XPM */\nstatic char *x[] = {\n\"2 3 1 1\",\n\". c red\",\n\"..\",\n\"..\",\n\"..\"\n};\n",
         ruvv_image_read_xpm_from_fn, ruvv_image_read_xpm_from_fp, RUV_IMAGE_INDEXED, 2, 3},
    };
}

class ImageRead : public ImageTest {};

TEST_F(ImageRead, EveryFormatByDetectionByPathAndByOpenFile)
{
    for (const Format &f : formats()) {
        std::string path = write_file(std::string("read.") + f.name, f.bytes);
        for (int entry = 0; entry < 3; entry++) {
            Image image;
            if (entry == 0) {
                image.reset(ruvv_image_read(path.c_str()));
            } else if (entry == 1) {
                image.reset(f.from_fn(path.c_str()));
            } else {
                FILE *file = fopen(path.c_str(), "rb");
                ASSERT_TRUE(file);
                image.reset(f.from_fp(file));
                fclose(file);
            }
            ASSERT_TRUE(image) << f.name << " entry " << entry;
            EXPECT_EQ(image->format, f.format) << f.name;
            EXPECT_EQ(image->width, f.width) << f.name;
            EXPECT_EQ(image->height, f.height) << f.name;
        }
        std::remove(path.c_str());
    }
    EXPECT_TRUE(reports().empty());
}

TEST_F(ImageRead, MissingFileAndUnknownContent)
{
    const std::string missing = temp_path("no such file.png");
    std::remove(missing.c_str());
    EXPECT_EQ(ruvv_image_read(missing.c_str()), nullptr);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x01530001u);
    EXPECT_EQ(reports()[0].severity, 2);

    for (const Format &f : formats()) {
        reports().clear();
        EXPECT_EQ(f.from_fn(missing.c_str()), nullptr) << f.name;
        EXPECT_TRUE(reported(0x01530001)) << f.name;
    }

    const std::string text = write_file("unknown.txt", "neither an image\nnor anything else\n");
    reports().clear();
    EXPECT_EQ(ruvv_image_read(text.c_str()), nullptr);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x00520000u);
    std::remove(text.c_str());

    // A broken bitmap header is told by no probe: unknown content too.
    const std::string broken = write_file("broken.bmp", std::string("BM\x10\x00\x00\x00\x00\x00\x00\x00\x09\x00\x00\x00", 14));
    reports().clear();
    EXPECT_EQ(ruvv_image_read(broken.c_str()), nullptr);
    EXPECT_TRUE(reported(0x00520000));
    std::remove(broken.c_str());

    EXPECT_EQ(ruvv_image_read_macpict_from_fn(missing.c_str()), nullptr);
}

} // namespace
