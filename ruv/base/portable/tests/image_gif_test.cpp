// GIF files read through giflib: both versions, global and local colour
// maps, interlaced rows, several images, extension records, and files the
// decoder refuses (told in the toolkit's words in the debug output).
#include "image_fixtures.h"
#include "image_test_support.h"

#include "ruvv_image_probe.h"

namespace {

using namespace imgtest;
using fixtures::Gif;
using fixtures::GifFrame;

constexpr RUV_ERRMSG_ID GIF_WARNING = 0x0159000c;

GifFrame frame(int w, int h, std::function<int(int, int)> pixel)
{
    GifFrame f;
    f.width = w;
    f.height = h;
    f.pixel = std::move(pixel);
    return f;
}

class GifRead : public ImageTest {};

TEST_F(GifRead, BothVersionsWithTheGlobalColourMap)
{
    for (bool gif89 : {false, true}) {
        Gif g;
        g.width = 3;
        g.height = 2;
        g.gif89 = gif89;
        g.global_map = {0xFF0000, 0x00FF00, 0x0000FF};
        g.frames = {frame(3, 2, [](int x, int y) { return (x + y) % 3; })};
        std::string file = fixtures::make_gif(g);
        ASSERT_EQ(file.substr(0, 6), gif89 ? "GIF89a" : "GIF87a");
        EXPECT_TRUE(probe_with(ruvv_image_probe_gif, file));
        Image image = read_with(ruvv_image_read_gif, file);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->format, RUV_IMAGE_INDEXED);
        EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 4); // the map's size, a power of two
        EXPECT_EQ(rgb(image.get(), 0, 0), 0xFF0000u);
        EXPECT_EQ(rgb(image.get(), 1, 0), 0x00FF00u);
        EXPECT_EQ(rgb(image.get(), 2, 1), 0xFF0000u);
        EXPECT_EQ(rgb(image.get(), 0, 1), 0x00FF00u);
    }
}

TEST_F(GifRead, LocalColourMapComesFirst)
{
    Gif g;
    g.width = 2;
    g.height = 1;
    g.global_map = {0x111111, 0x222222};
    GifFrame f = frame(2, 1, [](int x, int) { return x; });
    f.local_map = {0xABCDEF, 0x123456};
    g.frames = {f};
    Image image = read_with(ruvv_image_read_gif, fixtures::make_gif(g));
    ASSERT_TRUE(image);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0xABCDEFu);
    EXPECT_EQ(rgb(image.get(), 1, 0), 0x123456u);
}

TEST_F(GifRead, InterlacedTenRowsLandInPassOrder)
{
    std::vector<uint32_t> grey;
    for (int i = 0; i < 16; i++)
        grey.push_back((uint32_t)i * 0x101010u);
    Gif g;
    g.width = 4;
    g.height = 10;
    g.global_map = grey;
    GifFrame f = frame(4, 10, [](int, int y) { return y; });
    f.interlace = true;
    g.frames = {f};
    Image image = read_with(ruvv_image_read_gif, fixtures::make_gif(g));
    ASSERT_TRUE(image);
    // The rows were stored 0, 8, 4, 2, 6, 1, 3, 5, 7, 9: each lands on its row.
    for (int y = 0; y < 10; y++)
        EXPECT_EQ(ruvv_image_get_scanline(image.get(), y)[3], y) << y;
}

TEST_F(GifRead, TheLastOfSeveralImagesIsKeptAndExtensionsAreSkipped)
{
    Gif g;
    g.width = 6;
    g.height = 6;
    g.extension = true;
    g.global_map = {0x000000, 0xFFFFFF};
    GifFrame first = frame(6, 6, [](int, int) { return 1; });
    GifFrame second = frame(2, 3, [](int x, int) { return x; });
    second.left = 4;
    second.top = 3;
    second.local_map = {0x0000FF, 0x00FF00};
    g.frames = {first, second};
    Image image = read_with(ruvv_image_read_gif, fixtures::make_gif(g));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 3);
    EXPECT_EQ(rgb(image.get(), 1, 2), 0x00FF00u);
    EXPECT_TRUE(reports().empty());
}

// Hostile files: each fails with the warning, the decoder's complaint in
// the debug output, and nothing left behind.
TEST_F(GifRead, RefusedFilesAreToldInTheDebugOutput)
{
    DebugFile debug;
    Gif g;
    g.width = 8;
    g.height = 8;
    g.global_map = {0x000000, 0xFFFFFF, 0x808080, 0x404040};
    g.frames = {frame(8, 8, [](int x, int y) { return (x * 7 + y * 3) % 4; })};
    const std::string good = fixtures::make_gif(g);

    Gif outside = g;
    outside.frames[0].left = 4; // 4 + 8 > 8
    // The good file with its global colour map taken out (the encoder
    // refuses to write an image without any map).
    std::string no_map = good.substr(0, 10) + (char)(good[10] & 0x7F) + good.substr(11, 2) + good.substr(13 + 12);

    struct Case {
        const char *name;
        std::string file;
        const char *debug;
    } cases[] = {
        {"truncated in the pixels", good.substr(0, good.size() - 12), "GIF Error: Failed to Read from given file"},
        {"truncated in the screen descriptor", good.substr(0, 9), "GIF Error: No Screen Descriptor detected"},
        {"empty", "", "GIF Error: Failed to Read from given file"},
        {"not a GIF", "JIF89a" + good.substr(6), "GIF Error: Given file is NOT GIF file"},
        {"image outside the screen", fixtures::make_gif(outside), "GIF Error: Image is defective, decoding aborted"},
        {"no colour map", no_map, "GIF Error: Neither Global Nor Local color map"},
        {"no image before the end", good.substr(0, 13 + 12) + ";", "GIF Error: No Image Descriptor detected"},
    };
    for (const Case &c : cases) {
        reports().clear();
        debug = DebugFile();
        EXPECT_FALSE(read_with(ruvv_image_read_gif, c.file)) << c.name;
        ASSERT_EQ(reports().size(), 1u) << c.name;
        EXPECT_EQ(reports()[0].id, GIF_WARNING) << c.name;
        EXPECT_EQ(reports()[0].severity, 1) << c.name;
        EXPECT_EQ(reports()[0].text, "GIF error -- See debug file for details");
        std::string text = debug.text();
        EXPECT_EQ(text.substr(0, text.find_last_not_of("\r\n") + 1), c.debug) << c.name;
    }
}

TEST_F(GifRead, ProbeLooksAtTheSignatureOnly)
{
    EXPECT_TRUE(probe_with(ruvv_image_probe_gif, "GIF87a"));
    EXPECT_TRUE(probe_with(ruvv_image_probe_gif, "GIF89a and anything"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_gif, "GIF88a"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_gif, "GIF8"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_gif, "gif89a"));
}

} // namespace
