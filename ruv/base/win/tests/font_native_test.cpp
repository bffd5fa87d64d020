// Native side of fonts: descriptors parse (wildcards, symbolic names) and
// format back, families give their face names, a font maps to a LOGFONT
// for a device resolution, the native font is shared through the font
// cache, and the bookkeeping calls of the portable font layer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "font_native.h"
#include "kernel_test_support.h"
#include "ruvv_font.h"
#include "services_test_support.h"

namespace {

const char *const ALL_WILD = "NT_01/*/*/*/*/*/*/*/*/*/*/*/*/*/*";

struct ParseCase {
    const char *text;
    LONG height, weight;
    int charset, pitch_family;
    const char *face;
};

TEST(FontDescriptor, ParsesNumbersNamesAndWildcards)
{
    const ParseCase cases[] = {
        {"NT_01/-13/0/0/0/FW_BOLD/0/0/0/ANSI_CHARSET/0/0/0/VARIABLE_PITCH-FF_SWISS/Arial", -13, 700, 0, 34, "Arial"},
        {"NT_01/20/0/0/0/400/1/0/0/1/0/0/2/32/Times New Roman", 20, 400, 1, 32, "Times New Roman"},
        {"NT_01/-8/0/0/0/FW_NORMAL/0/0/0/OEM_CHARSET/0/0/0/FF_MODERN-1/Courier New", -8, 400, 255, 49,
         "Courier New"},
        // Symbolic fields also take numbers, alone or as parts.
        {"NT_01/-8/0/0/0/650/0/0/0/128/0/0/0/FF_ROMAN-2/x", -8, 650, 128, 18, "x"},
        // A part matches a name over its own length, first in table order.
        {"NT_01/-8/0/0/0/FW_B/0/0/0/ANSI/0/0/0/FF_SW/x", -8, 700, 0, 32, "x"},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.text);
        RUVK_FONT_DESC d;
        ASSERT_TRUE(ruvk_font_desc_parse(c.text, &d));
        EXPECT_EQ(d.logfont.lfHeight, c.height);
        EXPECT_EQ(d.logfont.lfWeight, c.weight);
        EXPECT_EQ(d.logfont.lfCharSet, c.charset);
        EXPECT_EQ(d.logfont.lfPitchAndFamily, c.pitch_family);
        EXPECT_STREQ(d.logfont.lfFaceName, c.face);
        for (int16_t w : d.wild)
            EXPECT_EQ(w, 0);
    }
    const char *const refused[] = {
        "NT_02/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "nt_01/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial/extra",
        "NT_01/-13/0/0/0/400/0/0/0/0/0/0/0/0",
        "NT_01/-13x/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/-/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01//0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/1/0/0/0/FW_BOGUS/0/0/0/0/0/0/0/0/Arial",
        "NT_01/1/0/0/0/400/0/0/0/0/0/0/0/FF_SWISS-/Arial",
        "NT_01/1/0/0/0/400/0/0/0/0/0/0/0/--32/Arial",
        // Byte-wide members refuse values they cannot hold.
        "NT_01/1/0/0/0/400/300/0/0/0/0/0/0/0/Arial",
        "NT_01/1/0/0/0/400/0/0/0/256/0/0/0/0/Arial",
        "NT_01/99999999999/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "",
        "NT_01",
    };
    for (const char *text : refused)
        EXPECT_FALSE(ruvk_font_desc_parse(text, nullptr)) << text;
    EXPECT_FALSE(ruvk_font_desc_parse(nullptr, nullptr));
}

TEST(FontDescriptor, WildcardsAreFlaggedPerField)
{
    RUVK_FONT_DESC d;
    ASSERT_TRUE(ruvk_font_desc_parse(ALL_WILD, &d));
    for (int16_t w : d.wild)
        EXPECT_EQ(w, 1);
    ASSERT_TRUE(ruvk_font_desc_parse("NT_01/-13/*/0/0/*/0/0/0/0/0/0/0/0/*", &d));
    EXPECT_EQ(d.wild[0], 0);
    EXPECT_EQ(d.wild[1], 1);
    EXPECT_EQ(d.wild[4], 1);
    EXPECT_EQ(d.wild[13], 1);
    EXPECT_EQ(d.logfont.lfHeight, -13);
}

TEST(FontDescriptor, LongFaceNameIsCutToTheLogfont)
{
    std::string face(40, 'F');
    RUVK_FONT_DESC d;
    ASSERT_TRUE(ruvk_font_desc_parse(("NT_01/1/0/0/0/400/0/0/0/0/0/0/0/0/" + face).c_str(), &d));
    EXPECT_EQ(std::string(d.logfont.lfFaceName), face.substr(0, LF_FACESIZE - 1));
}

TEST(FontDescriptor, FormatAndParseRoundTrip)
{
    LOGFONTA fonts[3] = {};
    fonts[0].lfHeight = -16;
    fonts[0].lfWeight = 700;
    fonts[0].lfItalic = 1;
    fonts[0].lfCharSet = DEFAULT_CHARSET;
    fonts[0].lfQuality = PROOF_QUALITY;
    fonts[0].lfPitchAndFamily = FF_SWISS;
    strcpy(fonts[0].lfFaceName, "Times New Roman");
    fonts[1].lfHeight = 24;
    fonts[1].lfWidth = 10;
    fonts[1].lfEscapement = 900;
    fonts[1].lfOrientation = -900;
    fonts[1].lfWeight = 100;
    fonts[1].lfUnderline = 1;
    fonts[1].lfStrikeOut = 1;
    fonts[1].lfCharSet = 255;
    fonts[1].lfOutPrecision = 7;
    fonts[1].lfClipPrecision = 128;
    fonts[1].lfQuality = 1;
    fonts[1].lfPitchAndFamily = 0x31;
    strcpy(fonts[1].lfFaceName, "Courier New");
    // An empty face name survives too.
    fonts[2].lfHeight = -1;
    for (const LOGFONTA &lf : fonts) {
        char text[RUVK_FONT_DESC_SIZE];
        ruvk_font_desc_format(&lf, text);
        SCOPED_TRACE(text);
        RUVK_FONT_DESC d;
        ASSERT_TRUE(ruvk_font_desc_parse(text, &d));
        EXPECT_EQ(0, memcmp(&d.logfont, &lf, offsetof(LOGFONTA, lfFaceName)));
        EXPECT_STREQ(d.logfont.lfFaceName, lf.lfFaceName);
        char again[RUVK_FONT_DESC_SIZE];
        EXPECT_STREQ(ruvk_font_desc_format(&d.logfont, again), text);
    }
    char text[RUVK_FONT_DESC_SIZE];
    EXPECT_STREQ(ruvk_font_desc_format(&fonts[0], text), "NT_01/-16/0/0/0/700/1/0/0/1/0/0/2/32/Times New Roman");
}

TEST(FontDescriptor, PlatformTagAndTranslation)
{
    EXPECT_STREQ(ruvk_font_get_plat_name(), "NT_01");
    const char *d = "NT_01/1/0/0/0/400/0/0/0/0/0/0/0/0/Arial";
    EXPECT_EQ(ruvk_font_translate_desc(nullptr, d), d);
}

// ---- fonts of a running kernel ----

class FontNative : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ruvv_font_cache_init();
        win_ = st::Win::doc("fonts");
    }
    void TearDown() override
    {
        win_.reset();
        for (RUV_FONT *f : made_)
            ruvv_font_destroy(f);
    }
    RUV_FONT *font(const char *family, int32_t size, uint32_t style, const char *desc = nullptr)
    {
        RUV_FONT *f = ruvv_font_create();
        ruvv_font_set_family(f, family);
        ruvv_font_set_size(f, size);
        ruvv_font_set_style(f, style);
        if (desc)
            ruvv_font_set_native_desc(f, desc);
        ruvv_font_set_win(f, win_->rec());
        made_.push_back(f);
        return f;
    }
    static const LOGFONTA &lf(RUV_FONT *f) { return static_cast<RUVK_FONT_NATIVE *>(f->native)->logfont; }
    static RUVK_FONT_NATIVE *native(RUV_FONT *f) { return static_cast<RUVK_FONT_NATIVE *>(f->native); }

    kt::Session session_;
    std::unique_ptr<st::Win> win_;
    std::vector<RUV_FONT *> made_;
};

TEST_F(FontNative, LogicalFamiliesHaveTheirFaceNames)
{
    const char *const pairs[][2] = {{"system", "System"},           {"helvetica", "Arial"},
                                    {"fixed", "Courier New"},       {"times", "Times New Roman"},
                                    {"courier", "Courier New"},     {"Verdana", "Verdana"}};
    for (auto &p : pairs)
        EXPECT_STREQ(ruvk_font_face_of_family(p[0]), p[1]) << p[0];
}

TEST_F(FontNative, DefaultDescriptorMapsFromStyleAndSize)
{
    RUV_FONT *f = font("times", 12, RUV_FONT_BOLD | RUV_FONT_ITALIC);
    RUVK_FONT_DESC d;
    ASSERT_TRUE(ruvk_font_desc_parse(ALL_WILD, &d));
    ruvk_font_map_native(f, &d, 96);
    EXPECT_EQ(lf(f).lfHeight, -16);
    EXPECT_EQ(lf(f).lfWeight, 700);
    EXPECT_EQ(lf(f).lfItalic, 1);
    EXPECT_EQ(lf(f).lfUnderline, 0);
    EXPECT_STREQ(lf(f).lfFaceName, "Times New Roman");
    EXPECT_EQ(lf(f).lfQuality, PROOF_QUALITY);
    EXPECT_EQ(lf(f).lfPitchAndFamily, FF_SWISS);
    EXPECT_EQ(lf(f).lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(native(f)->resolution, 96);
    EXPECT_TRUE(ruvk_font_is_mapped(f));
    // The font now carries the concrete descriptor, and it parses.
    EXPECT_STREQ(ruvv_font_get_native_desc(f, FALSE), "NT_01/-16/0/0/0/700/1/0/0/1/0/0/2/32/Times New Roman");
    EXPECT_TRUE(ruvk_font_check_native_desc(f));

    RUV_FONT *g = font("helvetica", 100000, RUV_FONT_UNDERLINE | RUV_FONT_STRIKEOUT);
    ruvk_font_map_native(g, nullptr, 72);
    EXPECT_EQ(lf(g).lfHeight, -((72 * 9999 + 36) / 72)) << "size capped at 9999";
    EXPECT_EQ(lf(g).lfWeight, 400);
    EXPECT_EQ(lf(g).lfUnderline, 1);
    EXPECT_EQ(lf(g).lfStrikeOut, 1);
    EXPECT_STREQ(lf(g).lfFaceName, "Arial");
}

TEST_F(FontNative, HeightFollowsTheDeviceUnlessTheDescriptorGivesIt)
{
    RUV_DRAW_STATE printer{}, screen{};
    printer.logpixelsy = 300;
    screen.logpixelsy = 96;
    RUV_FONT *wild = font("helvetica", 12, 0, ALL_WILD);
    RUV_FONT *fixed = font("helvetica", 12, 0, "NT_01/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial");
    ASSERT_NE(ruvk_font_get_hfont(&printer, wild), nullptr);
    EXPECT_EQ(lf(wild).lfHeight, -50);
    ASSERT_NE(ruvk_font_get_hfont(&screen, wild), nullptr);
    EXPECT_EQ(lf(wild).lfHeight, -16);
    ASSERT_NE(ruvk_font_get_hfont(&printer, fixed), nullptr);
    EXPECT_EQ(lf(fixed).lfHeight, -13);
    ASSERT_NE(ruvk_font_get_hfont(&screen, fixed), nullptr);
    EXPECT_EQ(lf(fixed).lfHeight, -13);
    EXPECT_EQ(native(fixed)->resolution, 0);
}

TEST_F(FontNative, FontsOfOneDescriptorShareOneNativeFont)
{
    RUV_FONT *a = font("times", 14, 0);
    RUV_FONT *b = font("times", 14, 0);
    RUV_FONT *c = font("times", 20, 0);
    RUV_DRAW_STATE *s = win_->state();
    HFONT ha = ruvk_font_get_hfont(s, a);
    HFONT hb = ruvk_font_get_hfont(s, b);
    HFONT hc = ruvk_font_get_hfont(s, c);
    ASSERT_NE(ha, nullptr);
    EXPECT_EQ(ha, hb);
    EXPECT_NE(ha, hc);
    LOGFONTA got;
    ASSERT_EQ(GetObjectA(ha, sizeof got, &got), (int)sizeof got);
    EXPECT_EQ(got.lfHeight, lf(a).lfHeight);
    EXPECT_STREQ(got.lfFaceName, "Times New Roman");
    // The fonts themselves never own the native font: destroying them
    // leaves the cache's handle alive.
    ruvv_font_destroy(a);
    made_.erase(std::find(made_.begin(), made_.end(), a));
    EXPECT_EQ(GetObjectA(hb, sizeof got, &got), (int)sizeof got);
}

TEST_F(FontNative, InvalidationTracksExactDescriptors)
{
    RUV_FONT *f = font("helvetica", 12, 0);
    ruvv_font_set_native_desc(f, "NT_01/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial");
    EXPECT_EQ(native(f)->exact, 1);
    ruvv_font_set_native_desc(f, "NT_01/*/0/0/0/400/0/0/0/0/0/0/0/0/Arial");
    EXPECT_EQ(native(f)->exact, 0);
    ruvk_font_map_native(f, nullptr, 96);
    EXPECT_TRUE(ruvk_font_is_mapped(f));
    ruvv_font_set_size(f, 30);
    EXPECT_FALSE(ruvk_font_is_mapped(f));
    EXPECT_EQ(native(f)->resolution, 0);
    ruvv_font_set_native_desc(f, "NT_01/not a descriptor");
    EXPECT_FALSE(ruvk_font_check_native_desc(f));
    EXPECT_EQ(native(f)->exact, 0);
}

TEST_F(FontNative, MapUsingDefaultKeepsAValidDescriptor)
{
    RUV_FONT *plain = font("fixed", 10, RUV_FONT_BOLD);
    EXPECT_TRUE(ruvk_font_map_using_default(plain));
    RUVK_FONT_DESC d;
    ASSERT_TRUE(ruvk_font_desc_parse(ruvv_font_get_native_desc(plain, FALSE), &d));
    EXPECT_STREQ(d.logfont.lfFaceName, "Courier New");
    EXPECT_EQ(d.logfont.lfWeight, 700);

    RUV_FONT *given = font("fixed", 10, 0, "NT_01/-20/0/0/0/FW_LIGHT/0/0/0/0/0/0/0/0/Arial");
    EXPECT_TRUE(ruvk_font_map_using_default(given));
    EXPECT_EQ(lf(given).lfHeight, -20);
    EXPECT_EQ(lf(given).lfWeight, 300);
    EXPECT_STREQ(lf(given).lfFaceName, "Arial");
}

TEST_F(FontNative, CopyingNativePartsNeverSharesTheHandle)
{
    RUV_FONT *a = font("times", 16, 0);
    ruvk_font_map_native(a, nullptr, 96);
    native(a)->hfont = CreateFontIndirectA(&lf(a));
    RUV_FONT *b = font("helvetica", 8, 0);
    ruvk_font_copy_native(b, a, RUVK_FONT_COPY_WHOLE);
    EXPECT_EQ(native(b)->hfont, nullptr);
    EXPECT_EQ(native(b)->logfont.lfHeight, -21);
    EXPECT_EQ(native(b)->mapped, 1);
    RUV_FONT *c = font("helvetica", 8, 0);
    ruvk_font_copy_native(c, a, 0);
    EXPECT_EQ(native(c)->resolution, 96);
    EXPECT_STREQ(native(c)->logfont.lfFaceName, "Times New Roman");
}

TEST_F(FontNative, RemapIsNeededAcrossPrintAndScreen)
{
    RUV_VOBJ print{};
    print.tag = RUV_VOBJ_TAG;
    print.type = 4;
    print.kind = 0x20;
    RUV_VOBJ dead{};
    RUV_FONT *f = font("times", 12, 0);
    EXPECT_FALSE(ruvk_font_needs_remap(f, win_->rec()));
    EXPECT_TRUE(ruvk_font_needs_remap(f, &print));
    EXPECT_TRUE(ruvk_font_needs_remap(f, &dead));
    EXPECT_TRUE(ruvk_font_needs_remap(f, NULL_WIN));
    RUV_FONT *lone = ruvv_font_create();
    EXPECT_TRUE(ruvk_font_needs_remap(lone, win_->rec()));
    ruvv_font_destroy(lone);
}

} // namespace
