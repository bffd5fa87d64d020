// I/O streams over runtime files and caller sources, and the image-file
// probe.
#include <cstdio>
#include <fstream>
#include <string>

#include "ruvv_image_probe.h"
#include "ruvv_iostr.h"
#include "strings_test_support.h"

using strtest::MemorySource;
using strtest::StringTest;

namespace {

std::string temp_path(const std::string &name) { return std::string(TRAZ_TEST_BINARY_DIR) + "/iostr_" + name; }

void write_file(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class IoStream : public StringTest {};

TEST_F(IoStream, LinesOfACallerSource)
{
    MemorySource src(std::string("abc\n\nlast"));
    char buf[16];
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, sizeof buf, buf), 3);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, sizeof buf, buf), 0); // an empty line
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, sizeof buf, buf), 4); // the last line has no end
    EXPECT_STREQ(buf, "last");
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, sizeof buf, buf), -1); // the end
    EXPECT_EQ(ruvv_iostr_size(src.stream), 9);
}

TEST_F(IoStream, LineReadingStopsAtNulAndAtAFullBuffer)
{
    MemorySource src(std::vector<unsigned char>{'a', 'b', 0, 'c', 'd', 'e', 'f', 'g', '\n'});
    char buf[8];
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, sizeof buf, buf), 2);
    EXPECT_STREQ(buf, "ab");
    memset(buf, '#', sizeof buf);
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, 3, buf), 3); // full: unterminated
    EXPECT_EQ(std::string(buf, 4), "cde#");
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, sizeof buf, buf), 2);
    EXPECT_STREQ(buf, "fg");
}

class IoStreamMultiByte : public strtest::MultiByteTest {};

TEST_F(IoStreamMultiByte, LinesOfDoubleByteText)
{
    // A newline ends the line only as a character of its own: after a lead
    // byte it is that character's second byte.
    MemorySource src(std::string("\x93\xfa\x96\x7b\nx\x93\ny\n"));
    char buf[16];
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, sizeof buf, buf), 4);
    EXPECT_STREQ(buf, "\x93\xfa\x96\x7b");
    EXPECT_EQ(ruvv_iostr_read_line(src.stream, sizeof buf, buf), 4);
    EXPECT_STREQ(buf, "x\x93\ny");
}

TEST_F(IoStream, RuntimeFiles)
{
    std::string path = temp_path("file.txt");
    write_file(path, "first line\nsecond\n");
    FILE *f = fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    RUV_IOSTR *s = ruvv_iostr_create_fread(f, fread, fgets, fseek, ftell);
    char buf[32];
    EXPECT_EQ(ruvv_iostr_read(s, 5, buf), 5);
    EXPECT_EQ(ruvv_iostr_size(s), 18);
    EXPECT_EQ(ruvv_iostr_read_line(s, sizeof buf, buf), 5); // the rest of the line, newline removed
    EXPECT_STREQ(buf, " line");
    EXPECT_EQ(ruvv_iostr_read_line(s, sizeof buf, buf), 6);
    EXPECT_EQ(ruvv_iostr_read_line(s, sizeof buf, buf), -1);
    EXPECT_EQ(ruvv_iostr_read(s, 4, buf), -1); // nothing left
    EXPECT_EQ(ruvv_iostr_write(s, 1, "x"), -1); // no write on a read stream
    ruvv_iostr_destroy(s);
    fclose(f);

    f = fopen(path.c_str(), "wb");
    s = ruvv_iostr_create_fwrite(f, fwrite);
    EXPECT_EQ(ruvv_iostr_write(s, 3, "abc"), 3);
    EXPECT_EQ(ruvv_iostr_read(s, 1, buf), -1);
    ruvv_iostr_destroy(s);
    fclose(f);
    std::remove(path.c_str());
}

size_t short_write(const void *, size_t size, size_t count, FILE *) { return size * count / 2; }

TEST_F(IoStream, AShortWriteFails)
{
    RUV_IOSTR *s = ruvv_iostr_create_fwrite(stdout, short_write);
    EXPECT_EQ(ruvv_iostr_write(s, 4, "abcd"), -1);
    ruvv_iostr_destroy(s);
}

int32_t write_all(RUV_IOSTR *s, int32_t count, const void *data)
{
    static_cast<std::string *>(s->source)->append(static_cast<const char *>(data), (size_t)count);
    return count;
}

TEST_F(IoStream, CallerWrite)
{
    std::string sink;
    RUV_IOSTR *s = ruvv_iostr_create_write(&sink, write_all);
    EXPECT_EQ(ruvv_iostr_write(s, 2, "hi"), 2);
    EXPECT_EQ(sink, "hi");
    EXPECT_EQ(ruvv_iostr_read_line(s, 4, nullptr), -1);
    ruvv_iostr_destroy(s);
}

struct ProbeCase {
    const char *name;
    std::string bytes;
    int32_t format;
};

std::string bmp_header()
{
    // 2 x 1 pixels, 24 bits, Windows form.
    std::string h = "BM";
    auto le32 = [&](uint32_t v) { for (int i = 0; i < 4; i++) h += (char)((v >> (8 * i)) & 0xFF); };
    auto le16 = [&](uint16_t v) { h += (char)(v & 0xFF); h += (char)(v >> 8); };
    le32(62); le32(0); le32(54);
    le32(40); le32(2); le32(1); le16(1); le16(24); le32(0); le32(8); le32(0); le32(0); le32(0); le32(0);
    h += std::string(8, '\0');
    return h;
}

TEST_F(IoStream, ProbeTellsTheFormat)
{
    const std::string png_sig("\x89PNG\r\n\x1a\n", 8);
    const ProbeCase cases[] = {
        {"a.bmp", bmp_header(), RUV_IMAGE_FILE_BMP},
        {"a.gif", std::string("GIF89a") + std::string(20, '\0'), RUV_IMAGE_FILE_GIF},
        {"a.jpg", std::string("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11) + std::string(20, '\0'), RUV_IMAGE_FILE_JPEG},
        {"a.png", png_sig + std::string("\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0", 21) + std::string(8, '\0'),
         RUV_IMAGE_FILE_PNG},
        {"a.xbm", "#define a_width 8\n#define a_height 1\nstatic char a_bits[] = {\n0x01 };\n", RUV_IMAGE_FILE_XBM},
        {"a.xpm", "/* XPM */\nstatic char *a[] = {\n\"1 1 1 1\",\n\"a c #000000\",\n\"a\"};\n", RUV_IMAGE_FILE_XPM},
        {"a.txt", "plain text, no image\n", RUV_IMAGE_FILE_UNKNOWN},
        {"empty", "", RUV_IMAGE_FILE_UNKNOWN},
    };
    for (const ProbeCase &c : cases) {
        std::string path = temp_path(c.name);
        write_file(path, c.bytes);
        EXPECT_EQ(ruvv_image_probe_file(path.c_str()), c.format) << c.name;
        std::remove(path.c_str());
    }
    EXPECT_EQ(ruvv_image_probe_file(temp_path("missing.png").c_str()), RUV_IMAGE_FILE_CANNOT_OPEN);
    EXPECT_EQ(ruvv_image_probe_file(nullptr), RUV_IMAGE_FILE_CANNOT_OPEN);
}

} // namespace

#include "ruvv_image.h"

namespace {

TEST_F(IoStream, ScaledCopiesOfTabImages)
{
    RUV_IMAGE *src = ruvv_image_create(RUV_IMAGE_INDEXED, 2, 1);
    ASSERT_NE(src, nullptr);
    ruvv_image_set_ncolors(src, 2);
    ruvv_image_set_clut(src, 0, 0x000000);
    ruvv_image_set_clut(src, 1, 0xFF0000);
    ruvv_image_set_pixel(src, 1, 0, 0xFF0000);
    EXPECT_EQ(ruvv_image_peek_ncolors(src), 2);
    ASSERT_NE(ruvv_image_peek_colors(src), nullptr);
    EXPECT_EQ(ruvv_image_peek_colors(src)[1], 0xFF0000u);

    RUV_IMAGE_SIZE size = {0, 0}; // the first image fixes the size
    RUV_IMAGE *copy = nullptr;
    EXPECT_TRUE(ruvv_image_make_scaled(&size, src, &copy));
    EXPECT_EQ(size.width, 2);
    EXPECT_EQ(size.height, 1);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, src);
    EXPECT_EQ(ruvv_image_get_pixel(copy, 1, 0), 0xFF0000u);
    ruvv_image_destroy(copy);

    size = {4, 2}; // scaled up
    EXPECT_TRUE(ruvv_image_make_scaled(&size, src, &copy));
    EXPECT_EQ(copy->width, 4);
    EXPECT_EQ(copy->height, 2);
    EXPECT_EQ(ruvv_image_get_pixel(copy, 3, 1), 0xFF0000u);
    EXPECT_EQ(ruvv_image_get_pixel(copy, 0, 1), 0x000000u);
    ruvv_image_destroy(copy);

    RUV_IMAGE *direct = ruvv_image_create(RUV_IMAGE_DIRECT, 1, 1);
    EXPECT_EQ(ruvv_image_peek_colors(direct), nullptr);
    EXPECT_EQ(ruvv_image_peek_ncolors(nullptr), 0);
    ruvv_image_destroy(direct);
    ruvv_image_destroy(src);
}

} // namespace
