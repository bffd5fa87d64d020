// Drawing states and device contexts: the tools made into GDI pens and
// brushes (read back as pixels), tools kept or remade as they change, the
// one cached window DC, clip, painting and the update test, the pen
// position across DCs, the point buffer and the resolution.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "draw_state.h"
#include "kernel_test_support.h"
#include "ruvv_font.h"
#include "services_test_support.h"
#include "window_services.h"

namespace {

constexpr COLORREF WHITE = RGB(255, 255, 255);

// A drawable whose DC is a memory DC on a 32-bit section (the state's
// preset context, as a print window has): its pixels are read from the
// section bits.
class Canvas {
public:
    static constexpr int W = 64, H = 48;
    Canvas()
    {
        rec_.tag = RUV_VOBJ_TAG;
        rec_.kind = 0x20;
        rec_.type = 4;
        ruvv_registry_add(&rec_);
        ruvk_draw_state_create(&rec_);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = W;
        bi.bmiHeader.biHeight = -H;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits_), nullptr, 0);
        fresh_dc();
    }
    ~Canvas()
    {
        ruvk_draw_state_destroy(&rec_);
        ruvv_registry_remove(&rec_);
        DeleteObject(bitmap_);
    }
    // A new memory DC for the next drawing call (the last one is deleted
    // when the state lets its DC go).
    void fresh_dc()
    {
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap_);
        rec_.draw_state->preset_hdc = dc;
    }
    void clear()
    {
        for (int i = 0; i < W * H; ++i)
            bits_[i] = 0x00FFFFFF;
    }
    COLORREF at(int x, int y) const
    {
        uint32_t p = bits_[y * W + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int count(COLORREF c) const
    {
        int n = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                n += at(x, y) == c;
        return n;
    }
    RUV_WIN rec() { return &rec_; }
    RUV_DRAW_STATE *state() { return rec_.draw_state; }
    // One drawing call the way the primitives make it.
    template <class F> void draw(bool pen, bool brush, F gdi)
    {
        RUV_DRAW_STATE *s = ruvk_draw_begin(&rec_);
        ASSERT_NE(s, nullptr);
        if (pen)
            ruvk_draw_select_pen(s);
        if (brush)
            ruvk_draw_select_brush(s);
        gdi(ruvk_draw_get_hdc(s));
        GdiFlush();
        ruvk_draw_end(s);
    }

private:
    RUV_VOBJ rec_{};
    HBITMAP bitmap_ = nullptr;
    uint32_t *bits_ = nullptr;
};

class DrawTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ruvv_font_cache_init();
        canvas_ = std::make_unique<Canvas>();
        canvas_->clear();
    }
    void TearDown() override { canvas_.reset(); }
    void set_pen(int16_t width, int32_t pattern, int32_t style, RUV_COLOR color)
    {
        RUV_CPEN pen{};
        pen.width = width;
        pen.pattern = pattern;
        pen.style = style;
        pen.color = color;
        ruvk_dwin_set_cpen(canvas_->rec(), &pen);
    }
    void set_brush(int32_t pattern, RUV_COLOR color)
    {
        RUV_CBRUSH b{pattern, color};
        ruvk_dwin_set_cbrush(canvas_->rec(), &b);
    }

    kt::Session session_;
    std::unique_ptr<Canvas> canvas_;
};

TEST_F(DrawTools, NewStateHasDefaultsAndNoClip)
{
    RUV_DRAW_STATE *s = canvas_->state();
    ASSERT_NE(s, nullptr);
    RUV_DRAW_CTOOLS def, got;
    ruvv_app_get_default_ctools(&def);
    ruvk_dwin_get_draw_ctools(canvas_->rec(), &got);
    EXPECT_EQ(got.pen.width, def.pen.width);
    EXPECT_EQ(got.pen.pattern, def.pen.pattern);
    EXPECT_EQ(got.pen.color, def.pen.color);
    EXPECT_EQ(got.brush.pattern, def.brush.pattern);
    EXPECT_EQ(got.brush.color, def.brush.color);
    EXPECT_EQ(got.back, def.back);
    RUV_RECT clip;
    ruvk_dwin_get_clip(canvas_->rec(), &clip);
    st::expect_rect(clip, 0, 0, 16960, 16960);
    EXPECT_EQ(ruvv_font_get_win(s->font), canvas_->rec());
    EXPECT_EQ(s->hdc, nullptr);
    EXPECT_EQ(s->dc, nullptr);
}

TEST_F(DrawTools, NullObjectsDoNothing)
{
    RUV_DRAW_CTOOLS t{};
    ruvk_dwin_get_draw_ctools(NULL_WIN, &t);
    EXPECT_EQ(ruvk_dwin_set_draw_ctools(NULL_WIN, &t), nullptr);
    EXPECT_EQ(ruvk_dwin_get_font(NULL_WIN, TRUE), nullptr);
    EXPECT_FALSE(ruvk_dwin_is_update_needed(NULL_WIN, nullptr));
    EXPECT_EQ(ruvk_draw_begin(NULL_WIN), nullptr);
    RUV_VOBJ bare{};
    bare.tag = RUV_VOBJ_TAG;
    EXPECT_EQ(ruvk_draw_begin(&bare), nullptr);
}

TEST_F(DrawTools, PenWidthZeroDrawsOnePixelAndPatternOneDrawsNothing)
{
    set_pen(0, 2, 0, 0xFF0000);
    set_brush(1, 0);
    canvas_->draw(true, true, [](HDC dc) { Rectangle(dc, 10, 10, 30, 30); });
    EXPECT_EQ(canvas_->at(10, 20), RGB(255, 0, 0));
    EXPECT_EQ(canvas_->at(11, 20), WHITE);
    EXPECT_EQ(canvas_->at(20, 20), WHITE) << "hollow brush";
    EXPECT_EQ(canvas_->count(RGB(255, 0, 0)), 4 * 19);

    canvas_->clear();
    set_pen(3, 1, 0, 0x0000FF);
    set_brush(2, 0x00FF00);
    canvas_->draw(true, true, [](HDC dc) { Rectangle(dc, 10, 10, 30, 30); });
    EXPECT_EQ(canvas_->count(RGB(0, 0, 255)), 0) << "no outline";
    EXPECT_EQ(canvas_->at(10, 10), RGB(0, 255, 0));
    EXPECT_EQ(canvas_->at(20, 20), RGB(0, 255, 0));
}

TEST_F(DrawTools, PenPatternsAndStylesMakeTheirGdiStyles)
{
    struct Case {
        int32_t pattern, style;
        UINT gdi;
    } cases[] = {{2, 0, PS_SOLID}, {2, 1, PS_DOT}, {2, 2, PS_DASH}, {5, 1, PS_DOT},
                 {9, 2, PS_DASH},  {9, 0, PS_DOT}, {9, 1, PS_DOT},  {1, 2, PS_NULL}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.pattern << "/" << c.style);
        set_pen(2, c.pattern, c.style, 0x102030);
        canvas_->draw(true, false, [](HDC) {});
        LOGPEN lp;
        ASSERT_EQ(GetObjectA(canvas_->state()->dc->pen, sizeof lp, &lp), (int)sizeof lp);
        EXPECT_EQ(lp.lopnStyle, c.gdi);
        if (c.gdi != PS_NULL) {
            EXPECT_EQ(lp.lopnWidth.x, 2);
            EXPECT_EQ(lp.lopnColor, RGB(0x10, 0x20, 0x30));
        }
    }
}

TEST_F(DrawTools, BrushPatternsMakeHatchesOnTheBackgroundColour)
{
    struct Case {
        int32_t pattern;
        UINT style;
        LONG hatch;
    } cases[] = {{1, BS_HOLLOW, 0},        {2, BS_SOLID, 0},          {3, BS_HATCHED, HS_HORIZONTAL},
                 {4, BS_HATCHED, HS_VERTICAL}, {5, BS_HATCHED, HS_BDIAGONAL}, {6, BS_HATCHED, HS_FDIAGONAL},
                 {7, BS_HATCHED, HS_CROSS}, {8, BS_HATCHED, HS_DIAGCROSS}, {9, BS_SOLID, 0}, {42, BS_SOLID, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pattern);
        set_brush(c.pattern, 0x0000FF);
        canvas_->draw(false, true, [](HDC) {});
        LOGBRUSH lb;
        ASSERT_EQ(GetObjectA(canvas_->state()->dc->brush, sizeof lb, &lb), (int)sizeof lb);
        EXPECT_EQ(lb.lbStyle, c.style);
        if (c.style == BS_HATCHED) {
            EXPECT_EQ((LONG)lb.lbHatch, c.hatch);
        }
    }
    // Horizontal hatch: blue lines, gaps in the background colour.
    ruvk_dwin_set_back_color(canvas_->rec(), 0xFFFF00);
    set_pen(1, 1, 0, 0);
    set_brush(3, 0x0000FF);
    canvas_->draw(true, true, [](HDC dc) { Rectangle(dc, 0, 0, 32, 32); });
    EXPECT_GT(canvas_->count(RGB(0, 0, 255)), 0);
    EXPECT_GT(canvas_->count(RGB(255, 255, 0)), 0);
    EXPECT_EQ(canvas_->count(WHITE), Canvas::W * Canvas::H - 31 * 31);
}

TEST_F(DrawTools, EqualPenKeepsTheGdiPenAndAChangedOneIsRemade)
{
    set_pen(1, 2, 0, 0x000000);
    canvas_->draw(true, false, [](HDC) {});
    HPEN first = canvas_->state()->dc->pen;
    ASSERT_NE(first, nullptr);
    set_pen(1, 2, 0, 0x000000);
    EXPECT_EQ(canvas_->state()->dc->pen, first);
    // Padding bytes of the record never make two equal pens differ.
    RUV_CPEN pen;
    memset(&pen, 0xA5, sizeof pen);
    pen.width = 1;
    pen.pattern = 2;
    pen.style = 0;
    pen.color = 0;
    ruvk_dwin_set_cpen(canvas_->rec(), &pen);
    EXPECT_EQ(canvas_->state()->dc->pen, first);
    // Mode and colours never drop anything.
    ruvk_dwin_set_draw_mode(canvas_->rec(), 6);
    ruvk_dwin_set_fore_color(canvas_->rec(), 0x123456);
    ruvk_dwin_set_back_color(canvas_->rec(), 0x654321);
    EXPECT_EQ(canvas_->state()->dc->pen, first);
    ruvk_dwin_set_draw_mode(canvas_->rec(), 0);
    set_pen(1, 2, 0, 0x00FF00);
    EXPECT_EQ(canvas_->state()->dc->pen, nullptr);
    canvas_->draw(true, false, [](HDC dc) {
        MoveToEx(dc, 0, 5, nullptr);
        LineTo(dc, 20, 5);
    });
    EXPECT_EQ(canvas_->at(10, 5), RGB(0, 255, 0));
    // The same for the brush.
    set_brush(2, 0x0000FF);
    canvas_->draw(false, true, [](HDC) {});
    HBRUSH brush = canvas_->state()->dc->brush;
    set_brush(2, 0x0000FF);
    EXPECT_EQ(canvas_->state()->dc->brush, brush);
    set_brush(2, 0xFF0000);
    EXPECT_EQ(canvas_->state()->dc->brush, nullptr);
}

TEST_F(DrawTools, DrawModesApplyAtTheNextCall)
{
    struct Case {
        int32_t mode;
        COLORREF on_white;   // red pen over white
        COLORREF on_black;   // red pen over black
    } cases[] = {
        {0, RGB(255, 0, 0), RGB(255, 0, 0)},   {1, RGB(255, 0, 0), RGB(0, 0, 0)},
        {2, RGB(255, 0, 0), RGB(0, 255, 255)}, {3, RGB(0, 255, 255), RGB(0, 255, 255)},
        {4, RGB(0, 0, 0), RGB(255, 0, 0)},     {5, RGB(0, 255, 255), RGB(0, 0, 0)},
        {6, RGB(0, 255, 255), RGB(255, 0, 0)}, {7, RGB(255, 255, 255), RGB(255, 0, 0)},
    };
    set_pen(1, 2, 0, 0xFF0000);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        canvas_->clear();
        canvas_->draw(false, false, [](HDC dc) { PatBlt(dc, 0, 20, 64, 20, BLACKNESS); });
        ruvk_dwin_set_draw_mode(canvas_->rec(), c.mode);
        canvas_->draw(true, false, [](HDC dc) {
            MoveToEx(dc, 5, 0, nullptr);
            LineTo(dc, 5, 40);
        });
        EXPECT_EQ(canvas_->at(5, 10), c.on_white);
        EXPECT_EQ(canvas_->at(5, 30), c.on_black);
    }
}

// A drawing call sets the raster operation and background only when the DC
// does not have them from the last call; after a deselect (a printer page
// may reset the DC) they are set again.
TEST_F(DrawTools, ModesAreSetAgainAfterADeselect)
{
    set_pen(1, 2, 0, 0xFF0000);
    set_brush(3, 0x0000FF);
    ruvk_dwin_set_back_color(canvas_->rec(), 0x00FF00);
    ruvk_dwin_set_draw_mode(canvas_->rec(), 0);
    HDC used = nullptr;
    canvas_->draw(true, true, [&](HDC dc) { used = dc; });
    ASSERT_NE(used, nullptr);
    EXPECT_EQ(GetROP2(used), R2_COPYPEN);
    EXPECT_EQ(GetBkMode(used), OPAQUE);
    EXPECT_EQ(GetBkColor(used), RGB(0, 255, 0));
    // Changed tools reach the same DC at the next call.
    ruvk_dwin_set_draw_mode(canvas_->rec(), 6);
    ruvk_dwin_set_back_color(canvas_->rec(), 0xFFFF00);
    canvas_->draw(true, true, [&](HDC dc) { EXPECT_EQ(dc, used); });
    EXPECT_EQ(GetROP2(used), R2_XORPEN);
    EXPECT_EQ(GetBkColor(used), RGB(255, 255, 0));
    // The DC reset behind the state's back, as a new printer page may.
    SetROP2(used, R2_BLACK);
    SetBkMode(used, TRANSPARENT);
    SetBkColor(used, RGB(1, 2, 3));
    ruvk_draw_deselect_all(canvas_->state());
    canvas_->draw(true, true, [&](HDC dc) { EXPECT_EQ(dc, used); });
    EXPECT_EQ(GetROP2(used), R2_XORPEN);
    EXPECT_EQ(GetBkMode(used), OPAQUE);
    EXPECT_EQ(GetBkColor(used), RGB(255, 255, 0));
    // A hatched fill over black shows the background colour in its gaps.
    ruvk_dwin_set_draw_mode(canvas_->rec(), 0);
    canvas_->clear();
    canvas_->draw(true, true, [](HDC dc) { Rectangle(dc, 0, 0, 32, 32); });
    EXPECT_GT(canvas_->count(RGB(255, 255, 0)), 100);
}

TEST_F(DrawTools, SetToolsCopiesEveryPart)
{
    RUV_DRAW_CTOOLS t;
    memset(&t, 0, sizeof t);
    t.pen = RUV_CPEN{4, 3, 2, 0x010203};
    t.brush = RUV_CBRUSH{5, 0x040506};
    t.draw_mode = 7;
    t.fore = 0x070809;
    t.back = 0x0A0B0C;
    t.opaque = 1;
    RUV_DRAW_CTOOLS *in = ruvk_dwin_set_draw_ctools(canvas_->rec(), &t);
    ASSERT_EQ(in, &canvas_->state()->tools);
    RUV_DRAW_CTOOLS got;
    ruvk_dwin_get_draw_ctools(canvas_->rec(), &got);
    EXPECT_EQ(got.pen.width, 4);
    EXPECT_EQ(got.pen.pattern, 3);
    EXPECT_EQ(got.pen.style, 2);
    EXPECT_EQ(got.pen.color, 0x010203u);
    EXPECT_EQ(got.brush.pattern, 5);
    EXPECT_EQ(got.brush.color, 0x040506u);
    EXPECT_EQ(got.draw_mode, 7);
    EXPECT_EQ(got.fore, 0x070809u);
    EXPECT_EQ(got.back, 0x0A0B0Cu);
    EXPECT_EQ(got.opaque, 1);
}

TEST_F(DrawTools, ClipIsIntersectedAndAppliedAtOnce)
{
    RUV_RECT clip{10, 10, 20, 20};
    canvas_->draw(false, false, [](HDC) {});
    ruvk_dwin_set_clip(canvas_->rec(), &clip);
    canvas_->draw(false, false, [](HDC dc) { PatBlt(dc, 0, 0, 64, 48, BLACKNESS); });
    EXPECT_EQ(canvas_->count(RGB(0, 0, 0)), 100);
    EXPECT_EQ(canvas_->at(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(canvas_->at(20, 20), WHITE);

    RUV_RECT got;
    RUV_RECT big{-5, -5, 20000, 17000};
    ruvk_dwin_set_clip(canvas_->rec(), &big);
    ruvk_dwin_get_clip(canvas_->rec(), &got);
    st::expect_rect(got, 0, 0, 16960, 16960);
    ruvk_dwin_set_clip(canvas_->rec(), &clip);
    ruvk_dwin_set_clip(canvas_->rec(), nullptr);
    ruvk_dwin_get_clip(canvas_->rec(), &got);
    EXPECT_EQ(got.bottom, 16960);
    EXPECT_EQ(got.right, 16960);
    // A rectangle outside the drawable range leaves nothing drawable.
    RUV_RECT far_off{17000, 17000, 17100, 17100};
    ruvk_dwin_set_clip(canvas_->rec(), &far_off);
    ruvk_dwin_get_clip(canvas_->rec(), &got);
    EXPECT_EQ(got.top, got.bottom);
    EXPECT_EQ(got.left, got.right);
    canvas_->clear();
    canvas_->draw(false, false, [](HDC dc) { PatBlt(dc, 0, 0, 64, 48, BLACKNESS); });
    EXPECT_EQ(canvas_->count(RGB(0, 0, 0)), 0);
    // The clip is set again in every new DC.
    ruvk_dwin_set_clip(canvas_->rec(), &clip);
    ruvk_draw_release_dc(canvas_->state());
    canvas_->fresh_dc();
    canvas_->clear();
    canvas_->draw(false, false, [](HDC dc) { PatBlt(dc, 0, 0, 64, 48, BLACKNESS); });
    EXPECT_EQ(canvas_->count(RGB(0, 0, 0)), 100);
}

TEST_F(DrawTools, PenPositionCarriesAcrossDeviceContexts)
{
    canvas_->draw(false, false, [](HDC dc) { MoveToEx(dc, 17, 9, nullptr); });
    ruvk_draw_release_dc(canvas_->state());
    EXPECT_EQ(canvas_->state()->pen_h, 17);
    EXPECT_EQ(canvas_->state()->pen_v, 9);
    canvas_->fresh_dc();
    RUV_DRAW_STATE *s = ruvk_draw_begin(canvas_->rec());
    ASSERT_NE(s, nullptr);
    POINT p;
    GetCurrentPositionEx(s->hdc, &p);
    EXPECT_EQ(p.x, 17);
    EXPECT_EQ(p.y, 9);
}

TEST_F(DrawTools, TextUsesTheStateFontAndColours)
{
    RUV_FONT *f = ruvv_font_create();
    ruvv_font_set_family(f, "helvetica");
    ruvv_font_set_size(f, 20);
    ruvk_dwin_set_font(canvas_->rec(), f);
    ruvv_font_destroy(f);
    ruvk_dwin_set_fore_color(canvas_->rec(), 0x0000FF);
    ruvk_dwin_set_back_color(canvas_->rec(), 0x00FF00);
    RUV_DRAW_STATE *s = ruvk_draw_begin(canvas_->rec());
    ASSERT_NE(s, nullptr);
    ruvk_draw_select_font(s);
    ASSERT_NE(s->dc->font, nullptr);
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(s->hdc, &tm));
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, (ruvk_draw_get_logpixelsy(s) * 20 + 36) / 72, 1)
        << "character height from the point size";
    EXPECT_EQ(GetTextColor(s->hdc), RGB(0, 0, 255));
    EXPECT_EQ(GetBkMode(s->hdc), TRANSPARENT);
    RUV_DRAW_CTOOLS t = s->tools;
    t.opaque = 1;
    ruvk_dwin_set_draw_ctools(canvas_->rec(), &t);
    ruvk_draw_select_font(s);
    EXPECT_EQ(GetBkMode(s->hdc), OPAQUE);
    EXPECT_EQ(GetBkColor(s->hdc), RGB(0, 255, 0));
    // Another font drops the selected one at once; an equal one keeps it.
    HFONT first = s->dc->font;
    RUV_FONT *same = ruvk_dwin_get_font(canvas_->rec(), TRUE);
    ruvk_dwin_set_font(canvas_->rec(), same);
    EXPECT_EQ(s->dc->font, first);
    ruvv_font_set_size(same, 8);
    ruvk_dwin_set_font(canvas_->rec(), same);
    EXPECT_EQ(s->dc->font, nullptr);
    ruvv_font_destroy(same);
    ruvk_draw_end(s);
}

TEST_F(DrawTools, PointBufferGrowsAndIsReused)
{
    RUV_POINT pts[3] = {{1, 2}, {3, 4}, {5, 6}};
    POINT *a = ruvk_draw_points(pts, 3);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a[0].x, 2);
    EXPECT_EQ(a[0].y, 1);
    EXPECT_EQ(a[2].x, 6);
    EXPECT_EQ(a[2].y, 5);
    EXPECT_EQ(ruvk_draw_points(pts, 2), a) << "never shrinks";
    std::vector<RUV_POINT> many(500, RUV_POINT{7, 8});
    POINT *b = ruvk_draw_points(many.data(), 500);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b[499].x, 8);
    EXPECT_EQ(ruvk_draw_points(nullptr, 4), nullptr);
}

TEST_F(DrawTools, ResolutionIsCachedInTheState)
{
    int32_t desk = ruvk_draw_get_logpixelsy(nullptr);
    EXPECT_GT(desk, 0);
    RUV_DRAW_STATE *s = canvas_->state();
    s->logpixelsy = 0;
    EXPECT_EQ(ruvk_draw_get_logpixelsy(s), desk);
    s->logpixelsy = 300;
    EXPECT_EQ(ruvk_draw_get_logpixelsy(s), 300);
}

TEST(DrawStateMemory, StatesAndContextsGiveTheirMemoryBack)
{
    kt::MemCount::install(true);
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvv_font_cache_init();
    {
        // Warm-up: the module blocks and the font cache fill once.
        Canvas c;
        c.draw(true, true, [](HDC) {});
        ruvk_draw_points(nullptr, 0);
    }
    long before = kt::MemCount::outstanding();
    long allocs = kt::MemCount::allocs();
    for (int round = 0; round < 3; ++round) {
        auto w = st::Win::doc("memory");
        RUV_DRAW_STATE *s = ruvk_draw_begin(w->rec());
        ASSERT_NE(s, nullptr);
        ruvk_draw_select_pen(s);
        ruvk_draw_select_brush(s);
        ruvk_draw_select_font(s);
        ruvk_draw_end(s);
        Canvas c;
        c.draw(true, true, [](HDC dc) { Rectangle(dc, 1, 1, 5, 5); });
    }
    EXPECT_GT(kt::MemCount::allocs(), allocs) << "the counting hooks are in place";
    EXPECT_EQ(kt::MemCount::outstanding(), before);
}

// ---- window device contexts ----

class WindowDc : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.ok()); }
    kt::Session session_;
};

TEST_F(WindowDc, DrawingIntoBReleasesAsDcFirst)
{
    auto a = st::Win::doc("A", 10, 10, 200, 150);
    auto b = st::Win::doc("B", 250, 10, 200, 150);
    RUV_DRAW_STATE *sa = ruvk_draw_begin(a->rec());
    ASSERT_NE(sa, nullptr);
    MoveToEx(sa->hdc, 33, 44, nullptr);
    ruvk_draw_end(sa);
    EXPECT_EQ(ruvk_draw_cached_window(), a->rec());
    // Between calls A keeps its DC.
    HDC held = sa->hdc;
    EXPECT_EQ(ruvk_draw_begin(a->rec()), sa);
    EXPECT_EQ(sa->hdc, held);

    RUV_DRAW_STATE *sb = ruvk_draw_begin(b->rec());
    ASSERT_NE(sb, nullptr);
    EXPECT_EQ(sa->hdc, nullptr);
    EXPECT_EQ(sa->dc, nullptr);
    EXPECT_EQ(sa->pen_h, 33);
    EXPECT_EQ(sa->pen_v, 44);
    EXPECT_EQ(ruvk_draw_cached_window(), b->rec());
    EXPECT_EQ(WindowFromDC(sb->hdc), b->hwnd());

    // Dispatching an event lets the cached DC go.
    RUV_EVENT ev{};
    ev.type = E_USER;
    ruvk_win_dispatch_event(b->rec(), &ev);
    EXPECT_EQ(sb->hdc, nullptr);
    EXPECT_EQ(ruvk_draw_cached_window(), NULL_WIN);

    // Destroying the cached window's state lets the cache go too.
    ASSERT_NE(ruvk_draw_begin(a->rec()), nullptr);
    a.reset();
    EXPECT_EQ(ruvk_draw_cached_window(), NULL_WIN);
}

TEST_F(WindowDc, PaintingSetsAndResetsTheUpdateRectangle)
{
    auto w = st::Win::doc("paint", 10, 10, 300, 200);
    st::pump();
    RUV_RECT outside{100, 100, 120, 120};
    EXPECT_TRUE(ruvk_dwin_is_update_needed(w->rec(), &outside)) << "outside painting: the no-clip rectangle";
    RUV_RECT beyond{17000, 0, 17010, 10};
    EXPECT_FALSE(ruvk_dwin_is_update_needed(w->rec(), &beyond));
    ASSERT_NE(ruvk_draw_begin(w->rec()), nullptr);
    ValidateRect(w->hwnd(), nullptr);
    RECT dirty = {20, 10, 60, 40};
    InvalidateRect(w->hwnd(), &dirty, FALSE);
    RUV_DRAW_STATE *s = ruvk_draw_paint_begin(w->rec());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(ruvk_draw_cached_window(), NULL_WIN);
    ASSERT_NE(s->hdc, nullptr);
    EXPECT_EQ(ruvk_draw_paint_depth(), 1);
    RUV_APP_RECORD *app = ruvk_app_record();
    ASSERT_NE(app, nullptr);
    st::expect_rect(app->update_rect, 10, 20, 40, 60);
    RUV_RECT inside{15, 25, 18, 30}, apart{100, 100, 120, 120}, touching{40, 20, 50, 60};
    EXPECT_TRUE(ruvk_dwin_is_update_needed(w->rec(), &inside));
    EXPECT_FALSE(ruvk_dwin_is_update_needed(w->rec(), &apart));
    EXPECT_FALSE(ruvk_dwin_is_update_needed(w->rec(), &touching));
    // A drawing call while painting uses the paint DC.
    EXPECT_EQ(ruvk_draw_begin(w->rec()), s);
    ruvk_draw_paint_end(w->rec());
    EXPECT_EQ(ruvk_draw_paint_depth(), 0);
    EXPECT_EQ(s->hdc, nullptr);
    EXPECT_EQ(s->paint, nullptr);
    EXPECT_EQ(app->update_rect.bottom, 16960);
    EXPECT_EQ(app->update_rect.right, 16960);
    EXPECT_TRUE(ruvk_dwin_is_update_needed(w->rec(), &apart));
    RECT upd;
    EXPECT_FALSE(GetUpdateRect(w->hwnd(), &upd, FALSE));
}

TEST_F(WindowDc, StateWithoutWindowDrawsOnNothingButTheScreen)
{
    RUV_VOBJ screen{};
    screen.tag = RUV_VOBJ_TAG;
    screen.kind = 0x100;
    screen.type = 6;
    ruvv_registry_add(&screen);
    ASSERT_NE(ruvk_draw_state_create(&screen), nullptr);
    RUV_DRAW_STATE *s = ruvk_draw_begin(&screen);
    ASSERT_NE(s, nullptr) << "the screen draws on the desktop DC";
    EXPECT_EQ(GetDeviceCaps(s->hdc, HORZRES), GetSystemMetrics(SM_CXSCREEN));
    ruvk_draw_state_destroy(&screen);
    EXPECT_EQ(screen.draw_state, nullptr);
    EXPECT_EQ(ruvk_draw_cached_window(), NULL_WIN);
    ruvv_registry_remove(&screen);
}

} // namespace
