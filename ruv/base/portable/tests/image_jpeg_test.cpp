// JPEG files read through libjpeg: JFIF and Exif files, colour, grey and
// progressive, a premature end, and the files refused (CMYK, truncated
// headers, empty input) with the library's message in the debug output.
#include "image_fixtures.h"
#include "image_test_support.h"

#include "ruvv_image_probe.h"

namespace {

using namespace imgtest;
using fixtures::Jpeg;

constexpr RUV_ERRMSG_ID JPEG_WARNING = 0x0159000b;

// Four flat 8 x 8 blocks of known colours: decoded within a small error.
const uint32_t BLOCKS[4] = {0xC81E32, 0x1EC85A, 0x283CD2, 0xF0F0F0};
uint32_t block_color(int x, int y) { return BLOCKS[(x / 8) % 2 + 2 * ((y / 8) % 2)]; }

Jpeg colour_jpeg()
{
    Jpeg j;
    j.width = 16;
    j.height = 16;
    j.samples = [](int x, int y) {
        uint32_t c = block_color(x, y);
        return std::vector<unsigned>{c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF};
    };
    return j;
}

bool close_to(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        int d = (int)(a >> shift & 0xFF) - (int)(b >> shift & 0xFF);
        if (d > tolerance || d < -tolerance)
            return false;
    }
    return true;
}

class JpegRead : public ImageTest {};

TEST_F(JpegRead, JfifExifAndProgressiveColourFiles)
{
    for (int form = 0; form < 3; form++) {
        Jpeg j = colour_jpeg();
        j.exif = form == 1;
        j.progressive = form == 2;
        std::string file = fixtures::make_jpeg(j);
        EXPECT_EQ(file.substr(6, 5), std::string(form == 1 ? "Exif" : "JFIF", 4) + '\0');
        EXPECT_TRUE(probe_with(ruvv_image_probe_jpg, file)) << form;
        Image image = read_with(ruvv_image_read_jpg, file);
        ASSERT_TRUE(image) << form;
        EXPECT_EQ(image->format, RUV_IMAGE_DIRECT);
        EXPECT_EQ(image->width, 16);
        EXPECT_EQ(image->height, 16);
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
                ASSERT_TRUE(close_to(ruvv_image_get_pixel(image.get(), x, y), block_color(x, y), 3))
                    << form << " " << x << "," << y << " " << std::hex << ruvv_image_get_pixel(image.get(), x, y);
        EXPECT_EQ(ruvv_image_get_pixel(image.get(), 0, 0) >> 24, 0u); // no tag bits
        EXPECT_TRUE(reports().empty());
    }
}

TEST_F(JpegRead, GreyFilesComeOutGrey)
{
    Jpeg j;
    j.width = 9;
    j.height = 3;
    j.components = 1;
    j.color_space = JCS_GRAYSCALE;
    j.samples = [](int, int) { return std::vector<unsigned>{100}; };
    Image image = read_with(ruvv_image_read_jpg, fixtures::make_jpeg(j));
    ASSERT_TRUE(image);
    for (int x = 0; x < 9; x++) {
        RUV_COLOR c = ruvv_image_get_pixel(image.get(), x, 2);
        EXPECT_EQ(c & 0xFF, c >> 8 & 0xFF);
        EXPECT_EQ(c & 0xFF, c >> 16 & 0xFF);
        EXPECT_TRUE(close_to(c, 0x646464, 1)) << std::hex << c;
    }
}

// The pixel loop takes three bytes a pixel: a CMYK file is refused, not
// read as RGB off the end of its rows.
TEST_F(JpegRead, CmykIsRefused)
{
    DebugFile debug;
    Jpeg j;
    j.width = 8;
    j.height = 8;
    j.components = 4;
    j.color_space = JCS_CMYK;
    j.samples = [](int, int) { return std::vector<unsigned>{10, 20, 30, 40}; };
    EXPECT_FALSE(read_with(ruvv_image_read_jpg, fixtures::make_jpeg(j)));
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, JPEG_WARNING);
    EXPECT_EQ(reports()[0].severity, 1);
    EXPECT_EQ(reports()[0].text, "JPEG error -- See debug file for details");
    EXPECT_EQ(debug.text().rfind("JPEG Error: ", 0), 0u) << debug.text();
}

TEST_F(JpegRead, PrematureEndKeepsTheRowsRead)
{
    Jpeg j;
    j.width = 64;
    j.height = 64;
    j.quality = 90;
    j.samples = [](int x, int y) {
        return std::vector<unsigned>{(unsigned)(x * 4), (unsigned)(y * 4), (unsigned)((x * y) & 0xFF)};
    };
    std::string file = fixtures::make_jpeg(j);
    Image whole = read_with(ruvv_image_read_jpg, file);
    ASSERT_TRUE(whole);
    Image cut = read_with(ruvv_image_read_jpg, file.substr(0, file.size() * 2 / 3));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->height, 64);
    for (int x = 0; x < 64; x++)
        EXPECT_EQ(ruvv_image_get_pixel(cut.get(), x, 0), ruvv_image_get_pixel(whole.get(), x, 0));
}

TEST_F(JpegRead, BrokenFilesFailWithTheLibrarysMessage)
{
    DebugFile debug;
    const std::string file = fixtures::make_jpeg(colour_jpeg());
    struct Case {
        const char *name;
        std::string bytes;
        const char *debug;
    } cases[] = {
        {"empty", "", "JPEG Error: Empty input file"},
        {"headers cut", file.substr(0, 100), nullptr},
        {"not a JPEG", "GIF89a" + file.substr(6), nullptr},
    };
    for (const Case &c : cases) {
        reports().clear();
        debug = DebugFile();
        EXPECT_FALSE(read_with(ruvv_image_read_jpg, c.bytes)) << c.name;
        EXPECT_TRUE(reported(JPEG_WARNING)) << c.name;
        std::string text = debug.text();
        if (c.debug)
            EXPECT_EQ(text.substr(0, text.find_last_not_of("\r\n") + 1), c.debug) << c.name;
        else
            EXPECT_NE(text.find("JPEG Error: "), std::string::npos) << c.name;
    }
}

TEST_F(JpegRead, ProbeComparesElevenBytesButTheSegmentLength)
{
    const std::string jfif("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
    const std::string exif("\xFF\xD8\xFF\xE1\x12\x34" "Exif\x00", 11);
    EXPECT_TRUE(probe_with(ruvv_image_probe_jpg, jfif));
    EXPECT_TRUE(probe_with(ruvv_image_probe_jpg, exif));
    std::string other_length = jfif;
    other_length[4] = '\x7F';
    other_length[5] = '\x01';
    EXPECT_TRUE(probe_with(ruvv_image_probe_jpg, other_length));
    EXPECT_FALSE(probe_with(ruvv_image_probe_jpg, jfif.substr(0, 10)));
    std::string wrong = exif;
    wrong[3] = '\xE0'; // Exif text in an APP0 segment
    EXPECT_FALSE(probe_with(ruvv_image_probe_jpg, wrong));
    std::string no_nul = jfif;
    no_nul[10] = 'X';
    EXPECT_FALSE(probe_with(ruvv_image_probe_jpg, no_nul));
}

} // namespace
