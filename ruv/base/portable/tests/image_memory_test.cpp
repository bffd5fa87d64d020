// Picture files from anywhere cannot take the machine's memory: every
// reader refuses a file whose header promises more than the file can hold,
// with its usual error, before it allocates for it.  The toolkit's memory
// hooks count what is asked for (libpng's own blocks among them).  Runs
// natively and on the Windows kernel.
#include "image_fixtures.h"
#include "image_stream_support.h"

#include "ruvv_image_probe.h"

namespace {

using namespace imgtest;

// 156 bytes whose sPLT chunk claims 1,795,162,112 bytes: libpng used to
// allocate that much before it found the file short.
const char *const HUGE_CHUNK_PNG = "ruv/base/portable/tests/fuzz/image_png_corpus/huge_splt_chunk.png";

uint32_t crc32_of(const std::string &bytes, size_t from, size_t to)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < to; i++) {
        crc ^= (unsigned char)bytes[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void put_be16(std::string &s, size_t at, uint32_t v)
{
    s[at] = (char)(v >> 8);
    s[at + 1] = (char)v;
}
void put_be32(std::string &s, size_t at, uint32_t v)
{
    put_be16(s, at, v >> 16);
    put_be16(s, at + 2, v & 0xFFFF);
}

// A one-pixel grey PNG whose header says 32767 x 32767 (checksum mended).
std::string png_claiming_32767()
{
    fixtures::Png p;
    p.color_type = PNG_COLOR_TYPE_GRAY;
    p.samples = [](int, int) { return std::vector<unsigned>{0}; };
    std::string file = fixtures::make_png(p);
    put_be32(file, 16, 32767);
    put_be32(file, 20, 32767);
    put_be32(file, 29, crc32_of(file, 12, 29));
    return file;
}

// An 8 x 8 JPEG whose frame header says 32767 x 32767.
std::string jpeg_claiming_32767()
{
    fixtures::Jpeg j;
    j.samples = [](int, int) { return std::vector<unsigned>{9, 9, 9}; };
    std::string file = fixtures::make_jpeg(j);
    size_t sof = file.find("\xFF\xC0");
    put_be16(file, sof + 5, 32767);
    put_be16(file, sof + 7, 32767);
    return file;
}

// A GIF whose screen and image are 32767 x 32767, with one code of data.
std::string gif_claiming_32767()
{
    std::string g = "GIF89a";
    put16(g, 32767);
    put16(g, 32767);
    g += std::string("\x80\x00\x00", 3);            // a global map of two colours
    g += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);
    g += ',';
    put16(g, 0);
    put16(g, 0);
    put16(g, 32767);
    put16(g, 32767);
    g += std::string("\x00\x02\x02\x4C\x01\x00;", 7);
    return g;
}

// A 24-bit BMP header of 32767 x 32767 with no pixels behind it.
std::string bmp_claiming_32767()
{
    std::string b = "BM";
    put32(b, 54 + 16);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, 32767);
    put32(b, 32767);
    put16(b, 1);
    put16(b, 24);
    for (int i = 0; i < 6; i++)
        put32(b, 0);
    return b + std::string(16, '\0');
}

class ImageMemory : public coretest::CoreTest {
protected:
    void install_hooks() override { CountingAlloc::install(); }
};

TEST_F(ImageMemory, HeadersPromisingMoreThanTheFileHoldsAreRefusedBeforeAllocating)
{
    struct Case {
        const char *name;
        RUV_IMAGE *(*reader)(RUV_IOSTR *);
        std::string bytes;
        RUV_ERRMSG_ID error;
    } cases[] = {
        {"PNG chunk of 1.8 GB", ruvv_image_read_png, source_file(HUGE_CHUNK_PNG), 0x0159000d},
        {"PNG of 32767 x 32767", ruvv_image_read_png, png_claiming_32767(), 0x0159000d},
        {"JPEG of 32767 x 32767", ruvv_image_read_jpg, jpeg_claiming_32767(), 0x0159000b},
        {"GIF of 32767 x 32767", ruvv_image_read_gif, gif_claiming_32767(), 0x0159000c},
        {"BMP of 32767 x 32767", ruvv_image_read_bmp, bmp_claiming_32767(), 0x01560001},
        {"XPM of 32767 x 32767", ruvv_image_read_xpm,
         "/* XPM */\nstatic char *x[] = {\n\"32767 32767 1 1\",\n\"a c #000000\",\n\"a\"};\n", 0x01590006},
        {"XBM of 32767 x 32767", ruvv_image_read_xbm,
         "#define w 32767\n#define h 32767\nstatic char b[] = {0x00};\n", 0x01250001},
    };
    for (const Case &c : cases) {
        ASSERT_FALSE(c.bytes.empty()) << c.name;
        reports().clear();
        CountingAlloc::restart();
        EXPECT_FALSE(read_with(c.reader, c.bytes)) << c.name;
        EXPECT_LT(CountingAlloc::largest(), size_t(4) << 20) << c.name;
        EXPECT_LT(CountingAlloc::peak(), size_t(8) << 20) << c.name;
        ASSERT_EQ(reports().size(), 1u) << c.name;
        EXPECT_EQ(reports()[0].id, c.error) << c.name;
    }
}

// The same sides are read when the file really holds them: a large plain
// PNG of one colour packs its rows about a thousand to one.
TEST_F(ImageMemory, LargeImagesThatTheFileHoldsAreRead)
{
    fixtures::Png p;
    p.width = 2000;
    p.height = 1000;
    p.color_type = PNG_COLOR_TYPE_GRAY;
    p.bit_depth = 1;
    p.samples = [](int, int) { return std::vector<unsigned>{1}; };
    const std::string file = fixtures::make_png(p);
    ASSERT_LT(file.size(), 2000u);
    CountingAlloc::restart();
    Image image = read_with(ruvv_image_read_png, file);
    ASSERT_TRUE(image);
    // The hooks saw the image's memory (a row of 2000 pixels at least): the
    // limits above were measured, not passed by hooks that never ran.
    EXPECT_GE(CountingAlloc::largest(), size_t(250));
    EXPECT_EQ(image->width, 2000);
    EXPECT_EQ(ruvv_image_get_pixel(image.get(), 1999, 999) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_TRUE(reports().empty());
}

} // namespace
