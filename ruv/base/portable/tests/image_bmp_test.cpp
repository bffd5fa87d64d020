// BMP files: the reader of Windows and OS/2 bitmaps of 1, 4, 8 and 24 bits
// (bottom-up and top-down), its refusals of hostile headers, and the
// writer with its golden bytes and failing writes.
#include "image_test_support.h"

#include "ruvv_image_probe.h"

namespace {

using namespace imgtest;

// A bitmap file laid out field by field.  rows are the file's rows in file
// order, each already padded.
struct Bmp {
    uint32_t header_size = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint32_t bits = 24;
    uint32_t compression = 0;
    uint32_t colors_used = 0;
    std::vector<uint32_t> palette; // 0xRRGGBB
    std::vector<std::string> rows;
    int64_t offset = -1;           // default: right after the palette
    size_t cut = 0;                // bytes cut off the end

    std::string bytes() const
    {
        std::string info;
        put32(info, header_size);
        if (header_size == 12) {
            put16(info, (uint32_t)width);
            put16(info, (uint32_t)height);
            put16(info, 1);
            put16(info, bits);
        } else {
            put32(info, (uint32_t)width);
            put32(info, (uint32_t)height);
            put16(info, 1);
            put16(info, bits);
            put32(info, compression);
            put32(info, 0);          // image size
            put32(info, 2835);       // resolutions
            put32(info, 2835);
            put32(info, colors_used);
            if (header_size != 36)
                put32(info, 0);      // important colours
            while (info.size() < header_size)
                info += '\0';
        }
        for (uint32_t c : palette) {
            info += (char)(c & 0xFF);
            info += (char)((c >> 8) & 0xFF);
            info += (char)((c >> 16) & 0xFF);
            if (header_size != 12)
                info += '\0';
        }
        std::string data;
        for (const std::string &r : rows)
            data += r;
        std::string file = "BM";
        uint32_t off = offset >= 0 ? (uint32_t)offset : (uint32_t)(14 + info.size());
        put32(file, (uint32_t)(14 + info.size() + data.size()));
        put32(file, 0);
        put32(file, off);
        file += info + data;
        return file.substr(0, file.size() - cut);
    }
};

std::string bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int v : b)
        s += (char)v;
    return s;
}

class BmpRead : public ImageTest {};

TEST_F(BmpRead, TwentyFourBitRowsArePaddedAndStoredBottomUp)
{
    Bmp b;
    b.width = 3;
    b.height = 2;
    // 9 bytes of pixels and 3 of padding a row; the first file row is the
    // last image row.  Pixels are blue, green, red.
    b.rows = {bytes({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xEE, 0xEE, 0xEE}),
              bytes({0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xEE, 0xEE, 0xEE})};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format, RUV_IMAGE_DIRECT);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(rgb(image.get(), 0, 1), 0x030201u);
    EXPECT_EQ(rgb(image.get(), 1, 1), 0x060504u);
    EXPECT_EQ(rgb(image.get(), 2, 1), 0x090807u);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x0000FFu);
    EXPECT_EQ(rgb(image.get(), 1, 0), 0x00FF00u);
    EXPECT_EQ(rgb(image.get(), 2, 0), 0xFF0000u);
    int32_t h = -1, v = -1;
    ruvv_image_get_resolution(image.get(), &h, &v);
    EXPECT_EQ(h, 0); // resolutions are not taken over
}

TEST_F(BmpRead, OneBitBecomesMonoWithThePaletteAsTable)
{
    Bmp b;
    b.bits = 1;
    b.width = 10;
    b.height = 2;
    b.palette = {0x102030, 0xF0E0D0};
    b.rows = {bytes({0xC0, 0x40, 0, 0}), bytes({0xA5, 0x80, 0, 0})};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format, RUV_IMAGE_MONO);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 2);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), 0x102030u);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 1), 0xF0E0D0u);
    EXPECT_EQ(ruvv_image_get_scanline(image.get(), 0)[0], 0xA5);
    EXPECT_EQ(ruvv_image_get_scanline(image.get(), 0)[1], 0x80);
    EXPECT_EQ(ruvv_image_get_scanline(image.get(), 1)[0], 0xC0);
    EXPECT_EQ(ruvv_image_get_scanline(image.get(), 1)[1], 0x40);
}

// A set bit of a mono image is white: a file whose palette has the light
// colour first is read with its bits inverted and its two entries swapped,
// so the pixels, a transfer through the table and a BMP written back all
// keep the picture.
TEST_F(BmpRead, OneBitWithTheLightColourFirstKeepsThePicture)
{
    Bmp b;
    b.bits = 1;
    b.width = 10;
    b.height = 1;
    b.palette = {0xFFFFFF, 0x000000}; // bit 0 white, bit 1 black
    b.rows = {bytes({0xC0, 0x40, 0, 0})};
    const bool black[10] = {true, true, false, false, false, false, false, false, false, true};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), 0x000000u);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 1), 0xFFFFFFu);
    Image direct(ruvv_image_create(RUV_IMAGE_DIRECT, 10, 1));
    ASSERT_TRUE(direct);
    RUV_RECT all = {0, 0, 1, 10};
    ruvv_image_transfer(direct.get(), image.get(), &all, &all);
    Sink sink;
    ASSERT_EQ(write_bmp(image.get(), sink), 1);
    Image back = read_with(ruvv_image_read_bmp, sink.data);
    ASSERT_TRUE(back);
    for (int x = 0; x < 10; x++) {
        RUV_COLOR want = black[x] ? 0x000000 : 0xFFFFFF;
        EXPECT_EQ(rgb(image.get(), x, 0), want) << x;
        EXPECT_EQ(rgb(direct.get(), x, 0), want) << x;
        EXPECT_EQ(rgb(back.get(), x, 0), want) << x;
    }
}

TEST_F(BmpRead, FourBitSplitsNibblesHighFirst)
{
    Bmp b;
    b.bits = 4;
    b.width = 3;
    b.height = 1;
    b.colors_used = 3;
    b.palette = {0x000000, 0xFF0000, 0x00FF00};
    b.rows = {bytes({0x21, 0x0F, 0, 0})}; // 2, 1, 0 and a nibble past the width
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format, RUV_IMAGE_INDEXED);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 3);
    const uint8_t *row = ruvv_image_get_scanline(image.get(), 0);
    EXPECT_EQ(row[0], 2);
    EXPECT_EQ(row[1], 1);
    EXPECT_EQ(row[2], 0);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x00FF00u);
}

TEST_F(BmpRead, EightBitCopiesIndexes)
{
    Bmp b;
    b.bits = 8;
    b.width = 5;
    b.height = 1;
    b.colors_used = 2;
    b.palette = {0xABCDEF, 0x123456};
    b.rows = {bytes({1, 0, 1, 1, 0, 0, 0, 0})};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 2);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x123456u);
    EXPECT_EQ(rgb(image.get(), 1, 0), 0xABCDEFu);
}

TEST_F(BmpRead, Os2FormHasThreeBytePaletteEntries)
{
    Bmp b;
    b.header_size = 12;
    b.bits = 8;
    b.width = 2;
    b.height = 1;
    b.palette.assign(256, 0);
    b.palette[7] = 0x336699;
    b.rows = {bytes({7, 0, 0, 0})};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 256);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x336699u);

    Bmp c;
    c.header_size = 12;
    c.width = 1;
    c.height = 1;
    c.rows = {bytes({0x10, 0x20, 0x30, 0})};
    Image direct = read_with(ruvv_image_read_bmp, c.bytes());
    ASSERT_TRUE(direct);
    EXPECT_EQ(rgb(direct.get(), 0, 0), 0x302010u);
}

TEST_F(BmpRead, HeaderOf36BytesHasNoImportantColours)
{
    Bmp b;
    b.header_size = 36;
    b.bits = 8;
    b.colors_used = 1;
    b.palette = {0x445566};
    b.rows = {bytes({0, 0, 0, 0})};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x445566u);
}

TEST_F(BmpRead, LongerHeadersAreSkipped)
{
    Bmp b;
    b.header_size = 124; // the newest header form
    b.width = 1;
    b.height = 1;
    b.rows = {bytes({1, 2, 3, 0})};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x030201u);
}

TEST_F(BmpRead, NegativeHeightIsTopDown)
{
    Bmp b;
    b.width = 1;
    b.height = -2;
    b.rows = {bytes({1, 1, 1, 0}), bytes({2, 2, 2, 0})};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x010101u);
    EXPECT_EQ(rgb(image.get(), 0, 1), 0x020202u);
}

TEST_F(BmpRead, ShortLastRowIsKeptOtherShortRowsFail)
{
    Bmp b;
    b.width = 2;
    b.height = 2;
    b.rows = {bytes({1, 1, 1, 2, 2, 2, 0, 0}), bytes({3, 3, 3, 4, 4, 4, 0, 0})};
    b.cut = 3; // the last file row (image row 0) ends after 5 bytes
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x030303u);
    EXPECT_EQ(rgb(image.get(), 1, 0), 0x000404u); // what was read, the rest 0
    EXPECT_EQ(rgb(image.get(), 0, 1), 0x010101u);

    b.cut = 9; // now the first file row is short too
    reports().clear();
    EXPECT_FALSE(read_with(ruvv_image_read_bmp, b.bytes()));
    EXPECT_TRUE(reported(0x01560001));
}

// Hostile headers: every field is checked against the block it comes from.
TEST_F(BmpRead, HostileHeadersAreRefused)
{
    struct Case {
        const char *name;
        Bmp bmp;
    };
    auto base = [] {
        Bmp b;
        b.bits = 8;
        b.width = 2;
        b.height = 2;
        b.colors_used = 2;
        b.palette = {0, 0xFFFFFF};
        b.rows = {bytes({0, 1, 0, 0}), bytes({1, 0, 0, 0})};
        return b;
    };
    std::vector<Case> cases;
    auto add = [&](const char *name, auto change) {
        Bmp b = base();
        change(b);
        cases.push_back({name, b});
    };
    add("offset inside the file header", [](Bmp &b) { b.offset = 10; });
    add("offset before the info header ends", [](Bmp &b) { b.offset = 20; });
    add("offset past the end of the file", [](Bmp &b) { b.offset = 5000; });
    add("offset of 4 GiB", [](Bmp &b) { b.offset = 0xFFFFFFF0; });
    add("header size between the two forms", [](Bmp &b) { b.header_size = 20; });
    add("header size 38", [](Bmp &b) { b.header_size = 38; });
    add("header larger than the block", [](Bmp &b) { b.header_size = 40; b.offset = 14 + 30; });
    add("palette past the pixel offset", [](Bmp &b) { b.colors_used = 200; });
    add("implied palette of 256 missing", [](Bmp &b) { b.colors_used = 0; });
    add("zero width", [](Bmp &b) { b.width = 0; });
    add("negative width", [](Bmp &b) { b.width = -2; });
    add("width 32768", [](Bmp &b) { b.width = 32768; });
    add("zero height", [](Bmp &b) { b.height = 0; });
    // The low 16 bits of 65538 are 2: the height is taken whole.
    add("height 65538", [](Bmp &b) { b.height = 65538; });
    add("top-down height -32768", [](Bmp &b) { b.height = -32768; });
    add("height INT32_MIN", [](Bmp &b) { b.height = INT32_MIN; });
    add("16 bits a pixel", [](Bmp &b) { b.bits = 16; });
    add("32 bits a pixel", [](Bmp &b) { b.bits = 32; });
    add("2 bits a pixel", [](Bmp &b) { b.bits = 2; });
    add("RLE8", [](Bmp &b) { b.compression = 1; });
    add("RLE4", [](Bmp &b) { b.bits = 4; b.compression = 2; });
    add("bit fields", [](Bmp &b) { b.compression = 3; });
    add("truncated info header", [](Bmp &b) { b.rows.clear(); b.cut = 30; });

    for (const Case &c : cases) {
        std::string file = c.bmp.bytes();
        reports().clear();
        EXPECT_FALSE(read_with(ruvv_image_read_bmp, file)) << c.name;
        EXPECT_TRUE(reported(0x01250001)) << c.name;
        EXPECT_FALSE(probe_with(ruvv_image_probe_bmp, file)) << c.name;
    }
    EXPECT_TRUE(probe_with(ruvv_image_probe_bmp, base().bytes()));
    EXPECT_FALSE(probe_with(ruvv_image_probe_bmp, "BA" + base().bytes().substr(2)));
    EXPECT_FALSE(probe_with(ruvv_image_probe_bmp, "BM"));
}

TEST_F(BmpRead, OneAndTwentyFourBitIgnoreTheCompressionField)
{
    Bmp b;
    b.compression = 1;
    b.rows = {bytes({9, 8, 7, 0})};
    Image image = read_with(ruvv_image_read_bmp, b.bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(rgb(image.get(), 0, 0), 0x070809u);
}

class BmpWrite : public ImageTest {};

// Golden file, laid out by hand from the format: a 2 x 2 direct image.
TEST_F(BmpWrite, DirectImageGoldenBytes)
{
    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, 2, 2));
    ASSERT_TRUE(image);
    ruvv_image_set_pixel(image.get(), 0, 0, 0x112233);
    ruvv_image_set_pixel(image.get(), 1, 0, 0x445566);
    ruvv_image_set_pixel(image.get(), 0, 1, 0x778899);
    ruvv_image_set_pixel(image.get(), 1, 1, 0xAABBCC);
    Sink sink;
    ASSERT_EQ(write_bmp(image.get(), sink), 1);
    const std::string expected = bytes({
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,          // size 8 x 2 + 54, offset 54
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,        // header 40, 2 x 2, 1 plane, 24 bits
        0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,         // no compression, 16 bytes, resolutions 0
        0, 0, 0, 0, 0, 0, 0, 0,                                  // no colours
        0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0, 0,                // image row 1 first
        0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0, 0,
    });
    EXPECT_EQ(sink.data, expected);
}

TEST_F(BmpWrite, MonoImageWritesBlackThenWhite)
{
    Image image(ruvv_image_create(RUV_IMAGE_MONO, 9, 1));
    ASSERT_TRUE(image);
    ruvv_image_set_clut(image.get(), 0, 0x123456); // the table is not written
    ruvv_image_get_scanline(image.get(), 0)[0] = 0xA5;
    ruvv_image_get_scanline(image.get(), 0)[1] = 0x80;
    Sink sink;
    ASSERT_EQ(write_bmp(image.get(), sink), 1);
    const std::string expected = bytes({
        'B', 'M', 66, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,          // 4 + 2 x 4 + 54; offset 62
        40, 0, 0, 0, 9, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0,
        0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        2, 0, 0, 0, 2, 0, 0, 0,                                  // 2 colours used and important
        0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0,
        0xA5, 0x80, 0, 0,
    });
    EXPECT_EQ(sink.data, expected);
}

TEST_F(BmpWrite, IndexedImageWritesItsColoursInUse)
{
    Image image(ruvv_image_create(RUV_IMAGE_INDEXED, 3, 2));
    ASSERT_TRUE(image);
    ruvv_image_set_clut(image.get(), 2, 0x0A0B0C);
    ruvv_image_set_ncolors(image.get(), 3);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++)
            ruvv_image_get_scanline(image.get(), y)[x] = (uint8_t)((x + y) % 3);
    Sink sink;
    ASSERT_EQ(write_bmp(image.get(), sink), 1);
    ASSERT_EQ(sink.data.size(), 54u + 12u + 8u);
    EXPECT_EQ(sink.data.substr(10, 4), bytes({66, 0, 0, 0}));
    EXPECT_EQ(sink.data.substr(28, 2), bytes({8, 0}));
    EXPECT_EQ(sink.data.substr(46, 8), bytes({3, 0, 0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(sink.data.substr(54, 12), bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0x0C, 0x0B, 0x0A, 0}));
    EXPECT_EQ(sink.data.substr(66), bytes({1, 2, 0, 0, 0, 1, 2, 0}));
}

TEST_F(BmpWrite, WrittenFilesReadBack)
{
    for (int32_t format : {RUV_IMAGE_INDEXED, RUV_IMAGE_DIRECT, RUV_IMAGE_MONO}) {
        Image image(ruvv_image_create(format, 13, 5));
        ASSERT_TRUE(image);
        if (format == RUV_IMAGE_INDEXED) {
            for (int i = 0; i < 40; i++)
                ruvv_image_set_clut(image.get(), i, (uint32_t)i * 0x060504u);
            ruvv_image_set_ncolors(image.get(), 40);
        }
        for (int y = 0; y < 5; y++)
            for (int x = 0; x < 13; x++)
                ruvv_image_set_pixel(image.get(), x, y, (uint32_t)(x * 19 + y * 45) * 0x030201u & 0xFFFFFF);
        Sink sink;
        ASSERT_EQ(write_bmp(image.get(), sink), 1);
        Image back = read_with(ruvv_image_read_bmp, sink.data);
        ASSERT_TRUE(back) << format;
        EXPECT_EQ(back->format, format);
        for (int y = 0; y < 5; y++)
            for (int x = 0; x < 13; x++)
                EXPECT_EQ(rgb(back.get(), x, y), rgb(image.get(), x, y)) << format << " " << x << "," << y;
    }
}

// A failed or short write is a failure, wherever it happens.
TEST_F(BmpWrite, FailedWritesAreReported)
{
    Image image(ruvv_image_create(RUV_IMAGE_INDEXED, 7, 4));
    ASSERT_TRUE(image);
    ruvv_image_set_ncolors(image.get(), 2);
    Sink full;
    ASSERT_EQ(write_bmp(image.get(), full), 1);
    ASSERT_EQ(full.data.size(), 54u + 8u + 4u * 8u);
    for (int mode : {0, 1}) {
        for (size_t limit : {0, 10, 54, 58, 62, 70, 93}) {
            Sink sink;
            sink.limit = limit;
            sink.fail_mode = mode;
            EXPECT_EQ(write_bmp(image.get(), sink), 0) << "mode " << mode << " limit " << limit;
        }
    }
    EXPECT_EQ(ruvv_image_write_winbmp(image.get(), nullptr), 0);
}

TEST_F(BmpWrite, MacPictureIsNeitherReadNorWritten)
{
    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, 1, 1));
    Sink sink;
    RUV_IOSTR *s = ruvv_iostr_create_write(&sink, sink_write);
    EXPECT_EQ(ruvv_image_write_macpict(image.get(), s), 0);
    ruvv_iostr_destroy(s);
    EXPECT_TRUE(sink.data.empty());
    EXPECT_FALSE(read_with(ruvv_image_read_macpict, "anything"));
}

} // namespace
