// Drawable-window conveniences on real windows: a clear paints the whole
// client area in its colour and leaves the drawing tools as they were, the
// standard pens and brushes draw as their table says, and the window
// font's mapped values are those the system gives.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "draw_primitives.h"
#include "draw_state.h"
#include "kernel_test_support.h"
#include "ruvk.h"
#include "ruvv_dwin.h"
#include "ruvv_font.h"
#include "services_test_support.h"

namespace {

constexpr int W = 160, H = 120;

COLORREF pixel(HWND hwnd, int x, int y)
{
    ruvk_draw_release_cached();
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

class DrawableWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ruvv_font_cache_init();
        win_ = std::make_unique<st::Win>(8u, 1, nullptr, nullptr, "dwin", WS_POPUP | WS_VISIBLE, 70, 70, W, H);
        st::pump();
    }
    void TearDown() override
    {
        win_.reset();
        ruvv_font_cache_term();
    }
    RUV_WIN win() { return win_->rec(); }
    HWND hwnd() { return win_->hwnd(); }
    int count(COLORREF c)
    {
        ruvk_draw_release_cached();
        HDC dc = GetDC(hwnd());
        int n = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                n += GetPixel(dc, x, y) == c;
        ReleaseDC(hwnd(), dc);
        return n;
    }

    kt::Session session_;
    std::unique_ptr<st::Win> win_;
};

TEST_F(DrawableWindow, ClearPaintsTheClientAndKeepsTheTools)
{
    RUV_DRAW_CTOOLS before{{3, 5, 2, 0x01FF0000u}, {7, 0x0200FF00u}, 6, 0x030000FFu, 0x06FFFF00u, 1};
    ruvk_dwin_set_draw_ctools(win(), &before);
    ruvv_dwin_clear(win(), 0x00336699u);
    EXPECT_EQ(count(RGB(0x33, 0x66, 0x99)), W * H);
    RUV_DRAW_CTOOLS after;
    ruvk_dwin_get_draw_ctools(win(), &after);
    EXPECT_EQ(after.pen.width, 3);
    EXPECT_EQ(after.pen.pattern, 5);
    EXPECT_EQ(after.pen.style, 2);
    EXPECT_EQ(after.pen.color, 0x01FF0000u);
    EXPECT_EQ(after.brush.pattern, 7);
    EXPECT_EQ(after.brush.color, 0x0200FF00u);
    EXPECT_EQ(after.draw_mode, 6);
    EXPECT_EQ(after.fore, 0x030000FFu);
    EXPECT_EQ(after.back, 0x06FFFF00u);
    EXPECT_EQ(after.opaque, 1);
}

TEST_F(DrawableWindow, StandardPensAndBrushesDraw)
{
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    const struct {
        int32_t pen, brush;
        COLORREF edge, inside;
    } cases[] = {
        {1, 1, black, white}, // solid black outline, white fill
        {2, 0, black, black}, // no outline: the fill reaches the edge
        {4, 0, white, black}, // solid white outline
        {5, 3, black, white}, // codes taken modulo the table
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pen);
        ruvv_dwin_clear(win(), 0x00808080u);
        ruvv_dwin_set_std_cpen(win(), c.pen);
        ruvv_dwin_set_std_cbrush(win(), c.brush);
        RUV_RECT r{20, 20, 80, 120};
        ruvk_dwin_draw_rect(win(), &r);
        EXPECT_EQ(pixel(hwnd(), 20, 20), c.edge);
        EXPECT_EQ(pixel(hwnd(), 60, 50), c.inside);
        EXPECT_EQ(pixel(hwnd(), 130, 100), 0x00808080u);
    }
    // The dotted standard pen leaves gaps.
    ruvv_dwin_clear(win(), 0x00FFFFFFu);
    ruvv_dwin_set_std_cpen(win(), 3);
    ruvk_dwin_draw_set_pos(win(), RUV_POINT{60, 10});
    ruvk_dwin_draw_line(win(), RUV_POINT{60, 150});
    int dots = 0;
    for (int x = 10; x < 150; ++x)
        dots += pixel(hwnd(), x, 60) == black;
    EXPECT_GT(dots, 20);
    EXPECT_LT(dots, 120);
}

TEST_F(DrawableWindow, MappedValuesOfTheWindowsFont)
{
    ruvv_dwin_set_font_family(win(), "times");
    ruvv_dwin_set_font_size(win(), 12);
    ruvv_dwin_set_font_style(win(), RUV_FONT_BOLD | RUV_FONT_ITALIC);

    // What the system makes of the same request: 12 points at 96 dots per
    // inch, bold italic Times New Roman.
    LOGFONTA lf{};
    lf.lfHeight = -16;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = FF_SWISS;
    strcpy(lf.lfFaceName, "Times New Roman");
    HFONT h = CreateFontIndirectA(&lf);
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, h);
    char expected[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof expected, expected);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    DeleteObject(h);

    EXPECT_EQ(ruvv_dwin_get_font_size_mapped(win()), (48 + (tm.tmHeight - tm.tmInternalLeading) * 72) / 96);
    EXPECT_EQ(ruvv_dwin_get_font_style_mapped(win()), RUV_FONT_BOLD | RUV_FONT_ITALIC);
    const char *face = ruvv_dwin_get_font_family_mapped(win());
    ASSERT_NE(face, nullptr);
    EXPECT_STREQ(face, expected);
    EXPECT_STREQ(ruvv_dwin_get_font_family(win()), "times");
    EXPECT_TRUE(ruvv_font_is_mapped(ruvk_dwin_get_font(win(), FALSE)));
}

} // namespace
