// Fonts mapped for real windows: the LOGFONT and native font a logical font
// becomes, one native font per descriptor, an explicit height kept, and
// the metrics, point size, face name, style and scalability read back
// matching what the system reports for the same native font.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "draw_state.h"
#include "font_native.h"
#include "kernel_test_support.h"
#include "ruvk.h"
#include "ruvv_font.h"
#include "services_test_support.h"

namespace {

// What the system says of a native font selected into the window's DC.
struct Reference {
    TEXTMETRICA tm;
    std::string face;
    int resolution;
};

Reference reference_of(HWND hwnd, const LOGFONTA &lf)
{
    Reference r{};
    HFONT h = CreateFontIndirectA(&lf);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, h);
    GetTextMetricsA(dc, &r.tm);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    r.face = face;
    r.resolution = GetDeviceCaps(dc, LOGPIXELSY);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    DeleteObject(h);
    return r;
}

class FontMapping : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ruvv_font_cache_init();
        win_ = st::Win::doc("fonts");
    }
    void TearDown() override
    {
        for (RUV_FONT *f : made_)
            ruvv_font_destroy(f);
        win_.reset();
        ruvv_font_cache_term();
    }
    RUV_FONT *font(const char *family, int32_t size, uint32_t style, const char *desc = nullptr)
    {
        RUV_FONT *f = ruvv_font_create();
        ruvv_font_set_family(f, family);
        ruvv_font_set_size(f, size);
        ruvv_font_set_style(f, style);
        if (desc)
            ruvv_font_set_native_desc(f, desc);
        made_.push_back(f);
        return f;
    }
    // The LOGFONT of the font's descriptor once mapped for the window.
    LOGFONTA mapped_logfont(RUV_FONT *f)
    {
        EXPECT_TRUE(ruvv_font_map(f, win_->rec()));
        RUVK_FONT_DESC d{};
        EXPECT_TRUE(ruvk_font_desc_parse(ruvv_font_get_native_desc(f, FALSE), &d));
        return d.logfont;
    }

    kt::Session session_;
    std::unique_ptr<st::Win> win_;
    std::vector<RUV_FONT *> made_;
};

TEST_F(FontMapping, BoldItalicTimesAt96DotsPerInch)
{
    HDC dc = GetDC(win_->hwnd());
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(win_->hwnd(), dc);
    ASSERT_EQ(dpi, 96);
    RUV_FONT *f = font("times", 12, RUV_FONT_BOLD | RUV_FONT_ITALIC, "NT_01/*/*/*/*/*/*/*/*/*/*/*/*/*/*");
    ASSERT_TRUE(ruvv_font_map(f, win_->rec()));
    HFONT h = ruvk_font_get_hfont(win_->state(), f);
    ASSERT_NE(h, nullptr);
    LOGFONTA lf;
    ASSERT_EQ(GetObjectA(h, sizeof lf, &lf), (int)sizeof lf);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_STREQ(lf.lfFaceName, "Times New Roman");
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_EQ(lf.lfPitchAndFamily, 32);
    ruvv_font_cache_release(ruvv_font_cache_current());
}

TEST_F(FontMapping, OneNativeFontPerDescriptorAndAnExplicitHeightKept)
{
    RUV_FONT *a = font("helvetica", 11, 0);
    RUV_FONT *b = font("helvetica", 11, 0);
    RUV_FONT *given = font("helvetica", 11, 0, "NT_01/-30/*/*/*/*/*/*/*/*/*/*/*/*/*");
    ruvv_font_map(a, win_->rec());
    ruvv_font_map(b, win_->rec());
    ruvv_font_map(given, win_->rec());
    HFONT ha = ruvk_font_get_hfont(win_->state(), a);
    int32_t used_before = ruvv_font_cache_used();
    HFONT hb = ruvk_font_get_hfont(win_->state(), b);
    HFONT hg = ruvk_font_get_hfont(win_->state(), given);
    ASSERT_NE(ha, nullptr);
    EXPECT_EQ(ha, hb);
    EXPECT_EQ(ruvv_font_cache_used(), used_before + 1) << "only the font of the other descriptor takes a slot";
    LOGFONTA lf;
    ASSERT_EQ(GetObjectA(hg, sizeof lf, &lf), (int)sizeof lf);
    EXPECT_EQ(lf.lfHeight, -30);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
}

TEST_F(FontMapping, MetricsAndMappedValuesMatchTheSystem)
{
    const struct {
        const char *family;
        int32_t size;
        uint32_t style;
    } cases[] = {
        {"times", 12, RUV_FONT_BOLD | RUV_FONT_ITALIC},
        {"helvetica", 10, RUV_FONT_UNDERLINE},
        {"fixed", 14, RUV_FONT_STRIKEOUT},
        {"courier", 9, 0},
        {"system", 12, 0},
        {"helvetica", 48, RUV_FONT_BOLD},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.family) + " " + std::to_string(c.size));
        RUV_FONT *f = font(c.family, c.size, c.style);
        LOGFONTA lf = mapped_logfont(f);
        Reference ref = reference_of(win_->hwnd(), lf);

        int32_t leading = -1, ascent = -1, descent = -1;
        ruvk_font_get_metrics(f, &leading, &ascent, &descent, NULL_WIN, 0);
        EXPECT_EQ(leading, ref.tm.tmExternalLeading);
        EXPECT_EQ(ascent, ref.tm.tmAscent);
        EXPECT_EQ(descent, ref.tm.tmDescent);
        // Each destination may be left out.
        int32_t only = -1;
        ruvk_font_get_metrics(f, nullptr, nullptr, &only, win_->rec(), 0);
        EXPECT_EQ(only, ref.tm.tmDescent);

        int expected_size =
            (ref.resolution / 2 + (ref.tm.tmHeight - ref.tm.tmInternalLeading) * 72) / ref.resolution;
        EXPECT_EQ(ruvk_font_get_size_mapped(f), expected_size);
        EXPECT_EQ(ruvk_font_is_scalable(f) != 0, (ref.tm.tmPitchAndFamily & TMPF_VECTOR) != 0);
        const char *face = ruvk_font_get_family_mapped(f);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(std::string(face), ref.face);
        uint32_t style = ruvk_font_get_style_mapped(f);
        EXPECT_EQ((style & RUV_FONT_BOLD) != 0, ref.tm.tmWeight > 500);
        EXPECT_EQ((style & RUV_FONT_ITALIC) != 0, ref.tm.tmItalic != 0);
        EXPECT_EQ((style & RUV_FONT_UNDERLINE) != 0, ref.tm.tmUnderlined != 0);
        EXPECT_EQ((style & RUV_FONT_STRIKEOUT) != 0, ref.tm.tmStruckOut != 0);
        // The native part now holds what the device made.
        const LOGFONTA &now = static_cast<RUVK_FONT_NATIVE *>(f->native)->logfont;
        EXPECT_EQ(now.lfHeight, ref.tm.tmHeight);
        EXPECT_EQ(now.lfWeight, ref.tm.tmWeight);
        EXPECT_EQ(now.lfPitchAndFamily, ref.tm.tmPitchAndFamily);
    }
    // The scalable faces and the raster System font are told apart.
    RUV_FONT *outline = font("helvetica", 10, 0), *raster = font("system", 12, 0);
    ruvv_font_set_win(outline, win_->rec());
    ruvv_font_set_win(raster, win_->rec());
    EXPECT_TRUE(ruvk_font_is_scalable(outline));
    EXPECT_FALSE(ruvk_font_is_scalable(raster));
}

TEST_F(FontMapping, ReadingMetricsLeavesTheWindowsOwnFontSelected)
{
    RUV_DRAW_STATE *st = ruvk_draw_begin(win_->rec());
    ASSERT_NE(st, nullptr);
    ruvk_draw_select_font(st);
    HGDIOBJ own = GetCurrentObject(st->hdc, OBJ_FONT);
    std::vector<int32_t> uses;
    for (int32_t i = 0; i < ruvv_font_cache_used(); ++i)
        uses.push_back(ruvv_font_cache_use_count(i));
    RUV_FONT *big = font("times", 40, 0);
    int32_t ascent = 0;
    ruvk_font_get_metrics(big, nullptr, &ascent, nullptr, win_->rec(), 0);
    EXPECT_GT(ascent, 30);
    EXPECT_EQ(GetCurrentObject(st->hdc, OBJ_FONT), own);
    // The use taken for reading is given back.
    for (int32_t i = 0; i < ruvv_font_cache_used(); ++i)
        EXPECT_EQ(ruvv_font_cache_use_count(i), i < (int32_t)uses.size() ? uses[i] : 0) << i;
}

TEST_F(FontMapping, FontsWithoutAUsableWindowReportNothing)
{
    // A font for no window.
    RUV_FONT *lone = font("times", 12, 0);
    int32_t leading = 7, ascent = 8, descent = 9;
    ruvk_font_get_metrics(lone, &leading, &ascent, &descent, NULL_WIN, 0);
    EXPECT_EQ(leading, 7);
    EXPECT_EQ(ascent, 8);
    EXPECT_EQ(descent, 9);
    EXPECT_EQ(ruvk_font_get_size_mapped(lone), 0);
    EXPECT_FALSE(ruvk_font_is_scalable(lone));
    EXPECT_EQ(ruvk_font_get_family_mapped(lone), nullptr);
    EXPECT_EQ(ruvk_font_get_style_mapped(lone), 0u);
    EXPECT_EQ(ruvk_font_get_size_mapped(nullptr), 0);

    // A window record without a drawing state.
    RUV_VOBJ bare{};
    bare.tag = RUV_VOBJ_TAG;
    bare.type = 1;
    ruvk_font_get_metrics(lone, &leading, nullptr, nullptr, &bare, 0);
    EXPECT_EQ(leading, 7);
}

TEST_F(FontMapping, PrintFontsAreThoseOfPrintWindows)
{
    RUV_VOBJ print{}, text_edit{};
    print.tag = text_edit.tag = RUV_VOBJ_TAG;
    print.type = text_edit.type = 4;
    print.kind = 0x20;
    text_edit.kind = RUV_KIND_TEXT_EDIT;
    RUV_FONT *f = font("times", 12, 0);
    EXPECT_FALSE(ruvk_font_is_print(f));
    f->win = &print;
    EXPECT_TRUE(ruvk_font_is_print(f));
    f->win = &text_edit;
    EXPECT_FALSE(ruvk_font_is_print(f));
    f->win = win_->rec();
    EXPECT_FALSE(ruvk_font_is_print(f));
    EXPECT_FALSE(ruvk_font_is_print(nullptr));
}

} // namespace
