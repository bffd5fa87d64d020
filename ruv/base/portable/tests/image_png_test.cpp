// PNG files read through libpng: every colour type and depth becomes an
// RGB image (alpha dropped, 16 bits stripped, grey and palette expanded),
// interlaced files read like plain ones, and broken files are refused.
#include "image_fixtures.h"
#include "image_test_support.h"

#include "ruvv_image_probe.h"

namespace {

using namespace imgtest;
using fixtures::Png;

// "PNG error -- See debug file for details", a warning.
constexpr RUV_ERRMSG_ID PNG_FAILED = 0x0159000d;

uint32_t pattern(int x, int y) { return (uint32_t)(x * 37 % 256) << 16 | (uint32_t)(y * 59 % 256) << 8 | (uint32_t)((x ^ y) * 11 % 256); }

Png rgb_png(int w, int h)
{
    Png p;
    p.width = w;
    p.height = h;
    p.samples = [](int x, int y) {
        uint32_t c = pattern(x, y);
        return std::vector<unsigned>{c >> 16, c >> 8 & 0xFF, c & 0xFF};
    };
    return p;
}

void expect_pattern(const RUV_IMAGE *image, int w, int h)
{
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, w);
    ASSERT_EQ(image->height, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            ASSERT_EQ(ruvv_image_get_pixel(image, x, y), pattern(x, y)) << x << "," << y;
}

class PngRead : public ImageTest {};

TEST_F(PngRead, RgbAndRgbaGiveTheSamePixels)
{
    Png opaque = rgb_png(7, 5);
    Png alpha = opaque;
    alpha.color_type = PNG_COLOR_TYPE_RGB_ALPHA;
    alpha.samples = [](int x, int y) {
        uint32_t c = pattern(x, y);
        return std::vector<unsigned>{c >> 16, c >> 8 & 0xFF, c & 0xFF, (unsigned)(x * 40)};
    };
    Image a = read_with(ruvv_image_read_png, fixtures::make_png(opaque));
    Image b = read_with(ruvv_image_read_png, fixtures::make_png(alpha));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->format, RUV_IMAGE_DIRECT);
    expect_pattern(a.get(), 7, 5);
    expect_pattern(b.get(), 7, 5);
    EXPECT_TRUE(reports().empty());
}

TEST_F(PngRead, InterlacedAndSixteenBitFiles)
{
    Png interlaced = rgb_png(13, 11);
    interlaced.interlace = true;
    expect_pattern(read_with(ruvv_image_read_png, fixtures::make_png(interlaced)).get(), 13, 11);

    // Interlaced files of the other forms: the alpha channel goes, grey and
    // palette expand, as in plain files.
    Png interlaced_alpha = interlaced;
    interlaced_alpha.color_type = PNG_COLOR_TYPE_RGB_ALPHA;
    interlaced_alpha.samples = [](int x, int y) {
        uint32_t c = pattern(x, y);
        return std::vector<unsigned>{c >> 16, c >> 8 & 0xFF, c & 0xFF, (unsigned)(y * 20)};
    };
    expect_pattern(read_with(ruvv_image_read_png, fixtures::make_png(interlaced_alpha)).get(), 13, 11);
    Png interlaced_grey;
    interlaced_grey.width = 10;
    interlaced_grey.height = 9;
    interlaced_grey.interlace = true;
    interlaced_grey.color_type = PNG_COLOR_TYPE_GRAY;
    interlaced_grey.bit_depth = 1;
    interlaced_grey.samples = [](int x, int y) { return std::vector<unsigned>{(unsigned)((x + y) % 2)}; };
    Image grey = read_with(ruvv_image_read_png, fixtures::make_png(interlaced_grey));
    ASSERT_TRUE(grey);
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 10; x++)
            ASSERT_EQ(ruvv_image_get_pixel(grey.get(), x, y), (x + y) % 2 ? 0xFFFFFFu : 0u) << x << "," << y;

    Png deep = rgb_png(6, 3);
    deep.bit_depth = 16;
    deep.samples = [](int x, int y) {
        uint32_t c = pattern(x, y);
        // The high byte is the pixel; the low byte must not leak in.
        return std::vector<unsigned>{(c >> 16) << 8 | 0xFF, (c >> 8 & 0xFF) << 8 | 0x80, (c & 0xFF) << 8 | 0x7F};
    };
    expect_pattern(read_with(ruvv_image_read_png, fixtures::make_png(deep)).get(), 6, 3);
}

TEST_F(PngRead, PaletteFilesTakeThePaletteColours)
{
    Png p;
    p.width = 4;
    p.height = 2;
    p.color_type = PNG_COLOR_TYPE_PALETTE;
    p.bit_depth = 2;
    p.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
    p.samples = [](int x, int y) { return std::vector<unsigned>{(unsigned)((x + y) % 4)}; };
    const uint32_t want[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x0A141E};
    for (bool transparency : {false, true}) {
        if (transparency)
            p.trns = {0, 128};
        Image image = read_with(ruvv_image_read_png, fixtures::make_png(p));
        ASSERT_TRUE(image) << transparency;
        for (int y = 0; y < 2; y++)
            for (int x = 0; x < 4; x++)
                EXPECT_EQ(ruvv_image_get_pixel(image.get(), x, y), want[(x + y) % 4]) << transparency;
    }
}

TEST_F(PngRead, GreyOfEveryDepthIsExpandedToRgb)
{
    struct Case {
        int depth;
        int color_type;
        unsigned sample;
        uint32_t want;
    } cases[] = {
        {1, PNG_COLOR_TYPE_GRAY, 1, 0xFFFFFF},
        {1, PNG_COLOR_TYPE_GRAY, 0, 0x000000},
        {2, PNG_COLOR_TYPE_GRAY, 1, 0x555555},
        {2, PNG_COLOR_TYPE_GRAY, 2, 0xAAAAAA},
        {4, PNG_COLOR_TYPE_GRAY, 7, 0x777777},
        {8, PNG_COLOR_TYPE_GRAY, 0x3C, 0x3C3C3C},
        {16, PNG_COLOR_TYPE_GRAY, 0x9A01, 0x9A9A9A},
        {8, PNG_COLOR_TYPE_GRAY_ALPHA, 0x42, 0x424242},
    };
    for (const Case &c : cases) {
        Png p;
        p.width = 9; // a partly used last byte at 1, 2 and 4 bits
        p.height = 2;
        p.color_type = c.color_type;
        p.bit_depth = c.depth;
        unsigned sample = c.sample;
        p.samples = [sample](int, int) { return std::vector<unsigned>{sample, 0x10}; };
        Image image = read_with(ruvv_image_read_png, fixtures::make_png(p));
        ASSERT_TRUE(image) << c.depth;
        for (int x = 0; x < 9; x++)
            EXPECT_EQ(ruvv_image_get_pixel(image.get(), x, 1), c.want) << c.depth << " " << c.sample << " " << x;
    }
}

TEST_F(PngRead, BrokenFilesAreRefused)
{
    DebugFile debug;
    const std::string good = fixtures::make_png(rgb_png(40, 40));
    std::string bad_crc = good;
    bad_crc[29] ^= 0x55; // inside the header chunk's CRC
    Png huge;
    huge.width = 40000;
    huge.height = 1;
    huge.color_type = PNG_COLOR_TYPE_GRAY;
    huge.bit_depth = 1;
    huge.samples = [](int, int) { return std::vector<unsigned>{0}; };

    struct Case {
        const char *name;
        std::string bytes;
        const char *debug;
    } cases[] = {
        {"truncated in the image data", good.substr(0, good.size() / 2), "PNG Error: Couldn't read PNG stream!"},
        {"truncated after the signature", good.substr(0, 12), "PNG Error: Couldn't read PNG stream!"},
        {"header checksum", bad_crc, nullptr},
        {"wider than 32767", fixtures::make_png(huge), nullptr},
        {"signature only", good.substr(0, 8), "PNG Error: Couldn't read PNG stream!"},
        // An ancillary chunk longer than the file is skipped, not read whole.
        {"chunk of 1.8 GB", source_file("ruv/base/portable/tests/fuzz/image_png_corpus/huge_splt_chunk.png"), nullptr},
    };
    for (const Case &c : cases) {
        reports().clear();
        debug = DebugFile();
        EXPECT_FALSE(read_with(ruvv_image_read_png, c.bytes)) << c.name;
        ASSERT_EQ(reports().size(), 1u) << c.name;
        EXPECT_EQ(reports()[0].id, PNG_FAILED) << c.name;
        EXPECT_EQ(reports()[0].severity, 1) << c.name;
        std::string text = debug.text();
        if (c.debug)
            EXPECT_EQ(text.substr(0, text.find_last_not_of("\r\n") + 1), c.debug) << c.name;
        else
            EXPECT_NE(text.find("PNG Error: "), std::string::npos) << c.name << ": " << text;
    }
    reports().clear();
    debug = DebugFile();
    EXPECT_FALSE(read_with(ruvv_image_read_png, "GIF89a" + good.substr(6)));
    EXPECT_TRUE(reported(PNG_FAILED));
    EXPECT_EQ(debug.text().rfind("PNG Error: Not a PNG file", 0), 0u) << debug.text();
}

TEST_F(PngRead, ProbeChecksTheSignature)
{
    const std::string good = fixtures::make_png(rgb_png(1, 1));
    EXPECT_TRUE(probe_with(ruvv_image_probe_png, good));
    EXPECT_TRUE(probe_with(ruvv_image_probe_png, good.substr(0, 8)));
    EXPECT_FALSE(probe_with(ruvv_image_probe_png, good.substr(0, 7)));
    std::string text_mode = good;
    text_mode[4] = '\n'; // a CR-LF pair turned into LF
    EXPECT_FALSE(probe_with(ruvv_image_probe_png, text_mode));
}

} // namespace
