// The text image formats: X bitmaps and X pixmaps, with their probes, the
// colour contexts chosen by the screen's colour class and the refusals of
// hostile files.
#include "image_test_support.h"

#include "ruvv_image_probe.h"

namespace {

using namespace imgtest;

class Xbm : public ImageTest {};

const char *const XBM_10x2 =
    "#define arrow_width 10\n"
    "#define arrow_height 2\n"
    "#define arrow_x_hot 3\n"
    "#define arrow_y_hot 1\n"
    "static unsigned char arrow_bits[] = {\n"
    "   0x01, 0x02,\n"
    "   0xFF, 0x03};\n";

TEST_F(Xbm, TenWideReadsTwoValuesARowLeastSignificantBitFirst)
{
    Image image = read_with(ruvv_image_read_xbm, XBM_10x2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format, RUV_IMAGE_INDEXED);
    EXPECT_EQ(image->width, 10);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 2);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), 0x07000000u);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 1), 0x0BFFFFFFu);
    // A set bit is black (index 0).
    const uint8_t row0[10] = {0, 1, 1, 1, 1, 1, 1, 1, 1, 0};
    const uint8_t row1[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(ruvv_image_get_scanline(image.get(), 0), row0, 10));
    EXPECT_EQ(0, memcmp(ruvv_image_get_scanline(image.get(), 1), row1, 10));
    EXPECT_TRUE(reports().empty());
}

TEST_F(Xbm, MissingTerminatorWarnsAndKeepsTheImage)
{
    std::string text = XBM_10x2;
    text = text.substr(0, text.find('}'));
    Image image = read_with(ruvv_image_read_xbm, text);
    ASSERT_TRUE(image);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x01590001u);
    EXPECT_EQ(reports()[0].severity, 1);
    EXPECT_EQ(reports()[0].text, "No terminator '}' in xbm definition");
    EXPECT_EQ(ruvv_image_get_scanline(image.get(), 1)[9], 0);
}

TEST_F(Xbm, BadValuesFailTheImage)
{
    for (const char *values : {"0xZZ, 0x00, 0x00, 0x00}", "12, 0x00, 0x00, 0x00}", "0x, 0x00, 0x00, 0x00}",
                               "0x00, 0x00; 0x00, 0x00}", "0x00 0x0G 0x00 0x00}"}) {
        std::string text = std::string("#define a_width 10\n#define a_height 2\nstatic char a[] = {") + values;
        reports().clear();
        EXPECT_FALSE(read_with(ruvv_image_read_xbm, text)) << values;
        EXPECT_TRUE(reported(0x01250001)) << values;
    }
}

TEST_F(Xbm, ProbeNeedsTwoDefinitionsAndABrace)
{
    EXPECT_TRUE(probe_with(ruvv_image_probe_xbm, XBM_10x2));
    EXPECT_TRUE(probe_with(ruvv_image_probe_xbm, "# define w 1\n# define h 1\n{0x00}"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xbm, "#define w 10\n#define h 2\nno brace"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xbm, "#define w 10\nstatic char x[] = {"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xbm, "#define w 0\n#define h 2\n{"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xbm, "#define w 40000\n#define h 2\n{"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xbm, "#define w ten\n#define h 2\n{"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xbm, "/* XPM */\nstatic char *x[] = {\n"));
}

class Xpm : public ImageTest {};

// Comments, both hexadecimal forms of white, a colour name with blanks,
// two characters a pixel, a hot spot.
const char *const XPM_4x2 =
    "/* XPM */\n"
    "static char *test[] = {\n"
    "/* width height ncolors chars_per_pixel x_hot y_hot */\n"
    "\"4 2 4 2 1 1\",\n"
    "/* colors */\n"
    "\"a  c #FFF\",\n"
    "\"b  c #FFFFFF m black\",\n"
    "\".. c light sky blue\",\n"
    "\"#x s thing c #102030 m white\",\n"
    "/* pixels */\n"
    "\"a b ..#x\",\n"
    "\"#x..b a \"\n"
    "};\n";

TEST_F(Xpm, CommentsHexColoursNamesWithBlanksAndTwoCharsAPixel)
{
    Image image = read_with(ruvv_image_read_xpm, XPM_4x2);
    ASSERT_TRUE(image);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(image->format, RUV_IMAGE_INDEXED);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 4);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), 0xFFFFFFu);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 1), 0xFFFFFFu);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 2), 0x87CEFAu); // light sky blue
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 3), 0x102030u);
    const uint8_t row0[4] = {0, 1, 2, 3}, row1[4] = {3, 2, 1, 0};
    EXPECT_EQ(0, memcmp(ruvv_image_get_scanline(image.get(), 0), row0, 4));
    EXPECT_EQ(0, memcmp(ruvv_image_get_scanline(image.get(), 1), row1, 4));
}

TEST_F(Xpm, HexDigitsScaleToBytes)
{
    struct Case {
        const char *color;
        RUV_COLOR want;
    } cases[] = {
        {"#FFF", 0xFFFFFF}, {"#FFFFFF", 0xFFFFFF}, {"#FFFFFFFFFFFF", 0xFFFFFF},
        {"#808", 0x880088}, {"#8000FF", 0x8000FF}, {"#800000000000", 0x800000},
        {"#000", 0x000000}, {"#7F7F7F7F7F7F", 0x7F7F7F},
    };
    for (const Case &c : cases) {
        std::string text = std::string("static char *x[] = {\n\"1 1 1 1\",\n\"a c ") + c.color + "\",\n\"a\"};\n";
        Image image = read_with(ruvv_image_read_xpm, text);
        ASSERT_TRUE(image) << c.color;
        EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), c.want) << c.color;
    }
}

TEST_F(Xpm, ColourContextFollowsTheScreensColourClass)
{
    // One colour with every context, one without "c" and "g4".
    const char *text =
        "static char *x[] = {\n"
        "\"2 1 2 1\",\n"
        "\"a m #000001 g4 #000002 g #000003 c #000004\",\n"
        "\"b m #000011 g #000013\",\n"
        "\"ab\"};\n";
    struct Case {
        intptr_t color_class;
        RUV_COLOR a, b;
    } cases[] = {
        {0, 0x01, 0x11}, // mono
        {1, 0x02, 0x13}, // four-level grey; b falls back to grey
        {2, 0x03, 0x13}, // grey
        {3, 0x04, 0x13}, // colour; b has none: grey is the next present
        {4, 0x04, 0x13},
        {5, 0x04, 0x13},
    };
    for (const Case &c : cases) {
        set_color_class(c.color_class);
        Image image = read_with(ruvv_image_read_xpm, text);
        ASSERT_TRUE(image) << c.color_class;
        EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), c.a) << c.color_class;
        EXPECT_EQ(ruvv_image_get_clut(image.get(), 1), c.b) << c.color_class;
    }
    set_color_class(6);
    reports().clear();
    EXPECT_FALSE(read_with(ruvv_image_read_xpm, text));
    EXPECT_TRUE(reported(0x01590005));

    // Only the chosen context is parsed: a bad colour in another is no harm,
    // a bad one in the chosen context fails.
    set_color_class(5);
    EXPECT_TRUE(read_with(ruvv_image_read_xpm, "static char *x[] = {\n\"1 1 1 1\",\n\"a m %bad c red\",\n\"a\"};\n"));
    set_color_class(0);
    EXPECT_FALSE(read_with(ruvv_image_read_xpm, "static char *x[] = {\n\"1 1 1 1\",\n\"a m %bad c red\",\n\"a\"};\n"));
}

TEST_F(Xpm, FailuresReportTheirSection)
{
    const std::string head = "static char *x[] = {\n";
    struct Case {
        const char *name;
        std::string text;
        RUV_ERRMSG_ID id;
    } cases[] = {
        {"no line ending in a brace", "static char *x[] = { \"1 1 1 1\", \"a c red\", \"a\" };\n", 0x01590002},
        {"brace inside a comment only", "/* { */\n\"1 1 1 1\",\n", 0x01590002},
        {"values not numbers", head + "\"one 1 1 1\",\n\"a c red\",\n\"a\"};\n", 0x01590003},
        {"values missing", head + "};\n", 0x01590003},
        {"three values", head + "\"1 1 1\",\n\"a c red\",\n\"a\"};\n", 0x01590003},
        // More than 256 colours or no characters a pixel would run past the
        // colour table.
        {"257 colours", head + "\"1 1 257 2\",\n\"aa c red\",\n\"aa\"};\n", 0x01590003},
        {"zero chars a pixel", head + "\"1 1 1 0\",\n\"c red\",\n\"\"};\n", 0x01590003},
        {"zero width", head + "\"0 1 1 1\",\n\"a c red\",\n\"\"};\n", 0x01590003},
        {"width 40000", head + "\"40000 1 1 1\",\n\"a c red\",\n\"a\"};\n", 0x01590003},
        {"eleven chars a pixel", head + "\"1 1 1 11\",\n\"abcdefghijk c red\",\n\"abcdefghijk\"};\n", 0x01590004},
        {"None is no colour", head + "\"1 1 1 1\",\n\"a c None\",\n\"a\"};\n", 0x01590005},
        {"percent form", head + "\"1 1 1 1\",\n\"a c %50\",\n\"a\"};\n", 0x01590005},
        {"unknown name", head + "\"1 1 1 1\",\n\"a c nosuchcolour\",\n\"a\"};\n", 0x01590005},
        {"hex not a multiple of 3", head + "\"1 1 1 1\",\n\"a c #FFFF\",\n\"a\"};\n", 0x01590005},
        {"bad hex digit", head + "\"1 1 1 1\",\n\"a c #FFG\",\n\"a\"};\n", 0x01590005},
        {"colour strings missing", head + "\"1 1 2 1\",\n\"a c red\"};\n", 0x01590005},
        {"key shorter than cpp", head + "\"1 1 1 2\",\n\"a\",\n\"aa\"};\n", 0x01590005},
        {"no context", head + "\"1 1 1 1\",\n\"a red\",\n\"a\"};\n", 0x01590005},
        {"row too short", head + "\"2 1 1 1\",\n\"a c red\",\n\"a\"};\n", 0x01590006},
        {"row too long", head + "\"2 1 1 1\",\n\"a c red\",\n\"aaa\"};\n", 0x01590006},
        {"unknown key", head + "\"2 1 1 1\",\n\"a c red\",\n\"ab\"};\n", 0x01590006},
        {"rows missing", head + "\"1 2 1 1\",\n\"a c red\",\n\"a\"};\n", 0x01590006},
        {"unterminated string", head + "\"1 1 1 1\",\n\"a c red\",\n\"a", 0x01590006},
        {"extension not ended", head + "\"1 1 1 1 XPMEXT\",\n\"a c red\",\n\"a\",\n\"XPMEXT note\",\n\"text\"};\n",
         0x01590007},
    };
    for (const Case &c : cases) {
        reports().clear();
        EXPECT_FALSE(read_with(ruvv_image_read_xpm, c.text)) << c.name;
        EXPECT_TRUE(reported(c.id)) << c.name;
    }
}

TEST_F(Xpm, ExtensionsAreSkippedUpToTheirEnd)
{
    const char *text =
        "static char *x[] = {\n"
        "\"1 1 1 1 0 0 XPMEXT\",\n"
        "\"a c blue\",\n"
        "\"a\",\n"
        "\"XPMEXT comment\",\n"
        "\"some text\",\n"
        "\"XPMENDEXT\"\n"
        "};\n";
    Image image = read_with(ruvv_image_read_xpm, text);
    ASSERT_TRUE(image);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), 0x0000FFu);
}

TEST_F(Xpm, ManyCharsAPixelAndTheFirstOfEqualKeysWins)
{
    const char *text =
        "static char *x[] = {\n"
        "\"3 1 3 3\",\n"
        "\"abc c red\",\n"
        "\"xyz c green\",\n"
        "\"abc c blue\",\n"
        "\"xyzabcabc\"};\n";
    Image image = read_with(ruvv_image_read_xpm, text);
    ASSERT_TRUE(image);
    const uint8_t want[3] = {1, 0, 0};
    EXPECT_EQ(0, memcmp(ruvv_image_get_scanline(image.get(), 0), want, 3));
}

TEST_F(Xpm, TwoHundredFiftySixColoursFit)
{
    std::string text = "static char *x[] = {\n\"256 1 256 2\",\n";
    std::string row;
    for (int i = 0; i < 256; i++) {
        char key[3] = {(char)('A' + i / 16), (char)('a' + i % 16), 0};
        char line[40];
        snprintf(line, sizeof line, "\"%s c #%02X%02X%02X\",\n", key, i, 255 - i, i / 2);
        text += line;
        row += key;
    }
    text += "\"" + row + "\"};\n";
    Image image = read_with(ruvv_image_read_xpm, text);
    ASSERT_TRUE(image);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 256);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 255), 0xFF007Fu);
    EXPECT_EQ(ruvv_image_get_scanline(image.get(), 0)[200], 200);
}

TEST_F(Xpm, ProbeNeedsTheDataLineAndValues)
{
    EXPECT_TRUE(probe_with(ruvv_image_probe_xpm, XPM_4x2));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xpm, "static char *x[] = {\n\"a b c d\"\n"));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xpm, XBM_10x2));
    EXPECT_FALSE(probe_with(ruvv_image_probe_xpm, ""));
}

} // namespace
