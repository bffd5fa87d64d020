// Drawing primitives read back as pixels of a window: lines and arrow
// lines (heads within a pixel of their arithmetic), shapes, the rectangle's
// fill, invert and outline, every brush pattern and draw mode, text on its
// baseline with the width the system measures, icons, invalidation of a
// window-less object and a scroll that repaints only the uncovered strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "draw_primitives.h"
#include "draw_state.h"
#include "font_native.h"
#include "kernel_test_support.h"
#include "ruvk.h"
#include "ruvv_font.h"
#include "services_test_support.h"

namespace {

constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLUE = RGB(0, 0, 255);
constexpr RUV_COLOR T_RED = 0x01FF0000u, T_BLUE = 0x030000FFu, T_BLACK = 0x07000000u, T_WHITE = 0x0BFFFFFFu;

constexpr int W = 240, H = 200;

// The client area of a window, copied out of its device context.
class Pixels {
public:
    explicit Pixels(HWND hwnd)
    {
        ruvk_draw_release_cached();
        GdiFlush();
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = W;
        bi.bmiHeader.biHeight = -H;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void *bits = nullptr;
        HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, bmp);
        HDC dc = GetDC(hwnd);
        BitBlt(mem, 0, 0, W, H, dc, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
        GdiFlush();
        px_.assign(static_cast<uint32_t *>(bits), static_cast<uint32_t *>(bits) + W * H);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(bmp);
    }
    COLORREF at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= W || y >= H)
            return WHITE;
        uint32_t p = px_[(size_t)y * W + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int count(COLORREF c, int x0 = 0, int y0 = 0, int x1 = W, int y1 = H) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += at(x, y) == c;
        return n;
    }
    bool same_area(const Pixels &o, int x, int y, int w, int h, int dx, int dy) const
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (at(i, j) != o.at(i + dx, j + dy))
                    return false;
        return true;
    }

private:
    std::vector<uint32_t> px_;
};

RUV_POINT pt(int h, int v)
{
    return RUV_POINT{(int16_t)v, (int16_t)h};
}

class DrawPrimitives : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ruvv_font_cache_init();
        win_ = std::make_unique<st::Win>(8u, 1, nullptr, nullptr, "draw", WS_POPUP | WS_VISIBLE, 60, 60, W, H);
        clear();
    }
    void TearDown() override
    {
        win_.reset();
        ruvv_font_cache_term();
    }
    RUV_WIN win() { return win_->rec(); }
    HWND hwnd() { return win_->hwnd(); }
    RUV_DRAW_STATE *state() { return win_->state(); }
    // The whole client area in one colour, drawn past the toolkit.
    void clear(COLORREF c = WHITE)
    {
        ruvk_draw_release_cached();
        HDC dc = GetDC(hwnd());
        RECT r{0, 0, W, H};
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &r, b);
        DeleteObject(b);
        ReleaseDC(hwnd(), dc);
        GdiFlush();
    }
    void tools(RUV_CPEN pen, RUV_CBRUSH brush, int32_t mode = 0, RUV_COLOR fore = T_BLACK, RUV_COLOR back = T_WHITE,
               int32_t opaque = 0)
    {
        RUV_DRAW_CTOOLS t{pen, brush, mode, fore, back, opaque};
        ruvk_dwin_set_draw_ctools(win(), &t);
    }
    Pixels grab() { return Pixels(hwnd()); }

    kt::Session session_;
    std::unique_ptr<st::Win> win_;
};

// ---- lines and arrow lines ----

TEST_F(DrawPrimitives, LineAndArrowLineWithoutHeadsDrawAlike)
{
    tools({1, 2, 0, T_RED}, {1, T_WHITE});
    ruvk_dwin_draw_set_pos(win(), pt(10, 20));
    ruvk_dwin_draw_line(win(), pt(110, 20));
    EXPECT_EQ(state()->pen_h, 110);
    EXPECT_EQ(state()->pen_v, 20);
    ruvk_dwin_draw_set_pos(win(), pt(10, 60));
    ruvk_dwin_draw_aline(win(), pt(110, 60), 0, 0);
    EXPECT_EQ(state()->pen_h, 110);
    EXPECT_EQ(state()->pen_v, 60);
    Pixels p = grab();
    EXPECT_EQ(p.count(RED, 0, 15, W, 25), 100) << "from the start up to, not including, the end";
    EXPECT_EQ(p.at(10, 20), RED);
    EXPECT_EQ(p.at(110, 20), WHITE);
    EXPECT_TRUE(p.same_area(p, 0, 15, W, 10, 0, 40));
}

TEST_F(DrawPrimitives, UnitVectorInFixedPoint)
{
    const struct {
        int32_t dx, dy;
    } cases[] = {{100, 0}, {0, -100}, {3, 4}, {-30000, 1}, {1, 1}, {30000, 30000}, {-7, 24}, {65535, -65535}};
    for (const auto &c : cases) {
        int32_t ux, uy;
        ruvk_draw_unit_vector(c.dx, c.dy, &ux, &uy);
        double len = std::hypot((double)c.dx, (double)c.dy);
        EXPECT_NEAR(ux, 128 * c.dx / len, 2.0) << c.dx << "," << c.dy;
        EXPECT_NEAR(uy, 128 * c.dy / len, 2.0) << c.dx << "," << c.dy;
    }
    int32_t ux, uy;
    ruvk_draw_unit_vector(0, 0, &ux, &uy);
    EXPECT_EQ(ux, 128);
    EXPECT_EQ(uy, 0);
}

// Signed distance of a point from a triangle (negative inside).
double triangle_distance(double px, double py, const double (&t)[3][2])
{
    double area = (t[1][0] - t[0][0]) * (t[2][1] - t[0][1]) - (t[1][1] - t[0][1]) * (t[2][0] - t[0][0]);
    double sign = area > 0 ? 1 : -1;
    double inside = -1e9, outside = 0;
    bool out = false;
    for (int i = 0; i < 3; ++i) {
        const double *a = t[i], *b = t[(i + 1) % 3];
        double ex = b[0] - a[0], ey = b[1] - a[1], len = std::hypot(ex, ey);
        double d = -sign * (ex * (py - a[1]) - ey * (px - a[0])) / len; // > 0 outside this edge
        inside = std::max(inside, d);
        if (d > 0) {
            out = true;
            double t0 = std::clamp(((px - a[0]) * ex + (py - a[1]) * ey) / (len * len), 0.0, 1.0);
            outside = std::max(outside, std::hypot(px - a[0] - t0 * ex, py - a[1] - t0 * ey));
        }
    }
    return out ? outside : inside;
}

TEST_F(DrawPrimitives, ArrowHeadsFollowTheirArithmeticWithinAPixel)
{
    const struct {
        int x0, y0, x1, y1;
        int16_t width, start, end;
    } cases[] = {
        {20, 40, 200, 40, 0, 0, 1},   {20, 100, 200, 100, 3, 1, 1}, {40, 20, 40, 180, 1, 1, 0},
        {70, 30, 210, 170, 0, 1, 1},  {200, 30, 90, 160, 2, 0, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.x0) + "," + std::to_string(c.y0) + " w" + std::to_string(c.width));
        clear();
        tools({c.width, 2, 0, T_BLUE}, {1, T_WHITE});
        ruvk_dwin_draw_set_pos(win(), pt(c.x0, c.y0));
        ruvk_dwin_draw_aline(win(), pt(c.x1, c.y1), c.start, c.end);
        Pixels p = grab();

        double w = c.width ? c.width : 1;
        double len = std::hypot(c.x1 - c.x0, c.y1 - c.y0);
        double ux = (c.x1 - c.x0) / len, uy = (c.y1 - c.y0) / len;
        double along = 4 * (w + 1), half = 217 * (w + 1) / 128.0;
        auto head = [&](double tx, double ty, double dir) {
            double bx = tx + dir * along * ux, by = ty + dir * along * uy;
            double t[3][2] = {{tx, ty}, {bx - half * uy, by + half * ux}, {bx + half * uy, by - half * ux}};
            int inside = 0, stray = 0, checked = 0;
            for (int y = (int)std::min({t[0][1], t[1][1], t[2][1]}) - 4; y <= (int)std::max({t[0][1], t[1][1], t[2][1]}) + 4; ++y)
                for (int x = (int)std::min({t[0][0], t[1][0], t[2][0]}) - 4; x <= (int)std::max({t[0][0], t[1][0], t[2][0]}) + 4; ++x) {
                    double d = triangle_distance(x + 0.5, y + 0.5, t);
                    // Pixels well inside are filled; pixels well outside are
                    // not, but for the line itself.
                    double from_line = std::fabs((x + 0.5 - c.x0) * uy - (y + 0.5 - c.y0) * ux);
                    if (d < -1.0) {
                        ++checked;
                        inside += p.at(x, y) == BLUE;
                    } else if (d > 1.0 && from_line > w / 2 + 1.5) {
                        stray += p.at(x, y) == BLUE;
                    }
                }
            EXPECT_EQ(inside, checked) << "head at " << tx << "," << ty;
            EXPECT_EQ(stray, 0) << "head at " << tx << "," << ty;
        };
        if (c.start)
            head(c.x0, c.y0, 1);
        if (c.end)
            head(c.x1, c.y1, -1);
        // The line ends at the base of an end head, where the pen stays.
        double ex = c.end ? c.x1 - along * ux : c.x1, ey = c.end ? c.y1 - along * uy : c.y1;
        EXPECT_NEAR(state()->pen_h, ex, 1.0);
        EXPECT_NEAR(state()->pen_v, ey, 1.0);
        // Half-way the line is drawn.
        EXPECT_EQ(p.at((c.x0 + c.x1) / 2, (c.y0 + c.y1) / 2), BLUE);
    }
}

TEST_F(DrawPrimitives, NoOutlinePenDrawsNoHeads)
{
    tools({2, 1, 0, T_BLUE}, {2, T_RED});
    ruvk_dwin_draw_set_pos(win(), pt(20, 50));
    ruvk_dwin_draw_aline(win(), pt(200, 50), 1, 1);
    EXPECT_EQ(grab().count(WHITE), W * H);
    EXPECT_EQ(state()->pen_h, 200);
}

// ---- shapes ----

TEST_F(DrawPrimitives, ShapesDrawWithThePenAndFillWithTheBrush)
{
    tools({1, 2, 0, T_RED}, {2, T_BLUE});
    RUV_RECT box{20, 20, 80, 100}; // top, left, bottom, right
    const struct {
        const char *name;
        void (*draw)(RUV_WIN, const RUV_RECT &);
        bool filled;
        int probe_y; // a point inside the shape, at h 60
    } shapes[] = {
        {"oval", [](RUV_WIN w, const RUV_RECT &r) { ruvk_dwin_draw_oval(w, &r); }, true, 50},
        {"roundrect", [](RUV_WIN w, const RUV_RECT &r) { ruvk_dwin_draw_roundrect(w, &r, 20, 20); }, true, 50},
        {"pie", [](RUV_WIN w, const RUV_RECT &r) { ruvk_dwin_draw_pie(w, &r, 100, 50, 20, 50); }, true, 35},
        {"arc", [](RUV_WIN w, const RUV_RECT &r) { ruvk_dwin_draw_arc(w, &r, 100, 50, 20, 50); }, false, 35},
        {"polygon",
         [](RUV_WIN w, const RUV_RECT &r) {
             RUV_POINT p[3] = {pt(r.left, r.bottom), pt((r.left + r.right) / 2, r.top), pt(r.right, r.bottom)};
             ruvk_dwin_draw_polygon(w, p, 3);
         },
         true, 65},
        {"polyline",
         [](RUV_WIN w, const RUV_RECT &r) {
             RUV_POINT p[3] = {pt(r.left, r.bottom), pt((r.left + r.right) / 2, r.top), pt(r.right, r.bottom)};
             ruvk_dwin_draw_polyline(w, p, 3);
         },
         false, 65},
    };
    for (const auto &s : shapes) {
        clear();
        s.draw(win(), box);
        Pixels p = grab();
        EXPECT_EQ(p.at(60, s.probe_y), s.filled ? BLUE : WHITE) << s.name;
        EXPECT_GT(p.count(RED), 60) << s.name;
        EXPECT_EQ(p.count(RED, 0, 0, W, 19) + p.count(RED, 0, 81, W, H) + p.count(RED, 101, 0, W, H), 0) << s.name;
        EXPECT_EQ(p.at(21, 21), WHITE) << s.name << ": corners stay";
    }
}

TEST_F(DrawPrimitives, RectangleFillsInvertsOrOutlines)
{
    RUV_RECT r{10, 20, 40, 60};
    // No outline in copy mode: filled like FillRect, right and bottom
    // edges untouched.
    tools({1, 1, 0, T_BLACK}, {2, T_RED});
    ruvk_dwin_draw_rect(win(), &r);
    Pixels fill = grab();
    EXPECT_EQ(fill.count(RED), 40 * 30);
    EXPECT_EQ(fill.at(59, 39), RED);
    EXPECT_EQ(fill.at(60, 20), WHITE);
    EXPECT_EQ(fill.at(30, 40), WHITE);

    // A solid black brush without outline in mode 2 inverts, twice back.
    clear();
    tools({1, 1, 0, T_BLACK}, {2, T_BLACK}, 2);
    ruvk_dwin_draw_rect(win(), &r);
    EXPECT_EQ(grab().count(RGB(0, 0, 0)), 40 * 30);
    ruvk_dwin_draw_rect(win(), &r);
    EXPECT_EQ(grab().count(WHITE), W * H);

    // A pen outlines it, the brush fills inside.
    clear();
    tools({1, 2, 0, T_BLUE}, {2, T_RED});
    ruvk_dwin_draw_rect(win(), &r);
    Pixels outline = grab();
    EXPECT_EQ(outline.at(20, 10), BLUE);
    EXPECT_EQ(outline.at(59, 39), BLUE);
    EXPECT_EQ(outline.at(40, 25), RED);
    EXPECT_EQ(outline.count(BLUE), 2 * 40 + 2 * 28);
}

TEST_F(DrawPrimitives, EveryBrushPatternMatchesTheSystemsBrush)
{
    // Pattern 1 hollow, 3-8 hatches on the background colour, 2, 9 and
    // others solid.
    const struct {
        int32_t pattern;
        int hatch; // -1 solid, -2 hollow
    } cases[] = {{1, -2}, {2, -1}, {3, HS_HORIZONTAL}, {4, HS_VERTICAL}, {5, HS_BDIAGONAL},
                 {6, HS_FDIAGONAL}, {7, HS_CROSS}, {8, HS_DIAGCROSS}, {9, -1}, {12, -1}};
    for (const auto &c : cases) {
        clear();
        tools({1, 1, 0, T_BLACK}, {c.pattern, T_RED}, 0, T_BLACK, T_BLUE);
        RUV_RECT r{16, 16, 80, 96};
        ruvk_dwin_draw_rect(win(), &r);
        // The same brush made directly, 96 pixels further right.
        ruvk_draw_release_cached();
        HDC dc = GetDC(hwnd());
        if (c.hatch != -2) {
            HBRUSH b = c.hatch == -1 ? CreateSolidBrush(RED) : CreateHatchBrush(c.hatch, RED);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, BLUE);
            RECT ref{112, 16, 192, 80};
            FillRect(dc, &ref, b);
            DeleteObject(b);
        }
        ReleaseDC(hwnd(), dc);
        Pixels p = grab();
        EXPECT_TRUE(p.same_area(p, 16, 16, 80, 64, 96, 0)) << "pattern " << c.pattern;
        if (c.hatch >= 0) {
            EXPECT_GT(p.count(BLUE, 16, 16, 96, 80), 0) << "hatch gaps show the background, pattern " << c.pattern;
        }
    }
}

TEST_F(DrawPrimitives, EveryDrawModeCombinesPenAndScreen)
{
    const COLORREF screen = RGB(0xF0, 0xA0, 0x50);
    const RUV_COLOR pen = 0x003C66CCu;
    const uint32_t P = 0x3C66CC, D = 0xF0A050;
    const uint32_t expected[8] = {P, P & D, ~(P ^ D), ~P, P & ~D, ~P & D, P ^ D, P | D};
    for (int32_t mode = 0; mode < 8; ++mode) {
        clear(screen);
        tools({1, 2, 0, pen}, {2, pen}, mode);
        RUV_RECT r{20, 20, 60, 60};
        ruvk_dwin_draw_rect(win(), &r);
        Pixels p = grab();
        uint32_t e = expected[mode] & 0xFFFFFF;
        COLORREF want = RGB(e >> 16, (e >> 8) & 0xFF, e & 0xFF);
        EXPECT_EQ(p.at(40, 40), want) << "mode " << mode;
        EXPECT_EQ(p.at(20, 20), want) << "mode " << mode << " outline";
        EXPECT_EQ(p.at(100, 100), screen) << "mode " << mode;
    }
}

// ---- text ----

class TextDrawing : public DrawPrimitives {
protected:
    void SetUp() override
    {
        DrawPrimitives::SetUp();
        RUV_FONT *f = ruvv_font_create();
        ruvv_font_set_family(f, "times");
        ruvv_font_set_size(f, 20);
        ruvk_dwin_set_font(win(), f);
        ruvv_font_destroy(f);
    }
    // The system's own font for the window's font, made from its
    // descriptor once mapped.
    HFONT reference_font()
    {
        RUV_FONT *own = ruvk_dwin_get_font(win(), FALSE);
        ruvv_font_map(own, win());
        RUVK_FONT_DESC d{};
        EXPECT_TRUE(ruvk_font_desc_parse(ruvv_font_get_native_desc(own, FALSE), &d));
        return CreateFontIndirectA(&d.logfont);
    }
    TEXTMETRICA metrics_of_window_font()
    {
        HFONT ref = reference_font();
        TEXTMETRICA tm = metrics(ref);
        DeleteObject(ref);
        return tm;
    }
    TEXTMETRICA metrics(HFONT f)
    {
        HDC dc = GetDC(hwnd());
        HGDIOBJ old = SelectObject(dc, f);
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(hwnd(), dc);
        return tm;
    }
};

TEST_F(TextDrawing, WidthIsTheSystemsExtent)
{
    HFONT ref = reference_font();
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, ref);
    const char *text = "Water levels, 12 m";
    SIZE whole, five;
    GetTextExtentPointA(dc, text, (int)strlen(text), &whole);
    GetTextExtentPointA(dc, text, 5, &five);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    DeleteObject(ref);
    EXPECT_GT(whole.cx, 50);
    EXPECT_EQ(ruvk_dwin_get_text_width(win(), text, -1), whole.cx);
    EXPECT_EQ(ruvk_dwin_get_text_width(win(), text, 5), five.cx);
    EXPECT_EQ(ruvk_dwin_get_text_width(win(), text, 0), 0);
    EXPECT_EQ(ruvk_dwin_get_text_width(NULL_WIN, text, -1), 0);
}

TEST_F(TextDrawing, TextSitsOnItsBaseline)
{
    TEXTMETRICA tm = metrics_of_window_font();
    tools({1, 2, 0, T_BLACK}, {2, T_WHITE}, 0, T_RED, T_BLUE, 0);
    ruvk_dwin_draw_text(win(), 20, 100, "HHH", -1);
    Pixels p = grab();
    int top = H, bottom = -1;
    for (int y = 0; y < H; ++y)
        if (p.count(RED, 0, y, W, y + 1)) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    EXPECT_NEAR(bottom, 99, 1) << "capitals end on the baseline";
    EXPECT_GE(top, 100 - tm.tmAscent);
    EXPECT_EQ(p.count(BLUE), 0) << "transparent";

    // Opaque: a box of the background colour, ascent + descent high.
    clear();
    tools({1, 2, 0, T_BLACK}, {2, T_WHITE}, 0, T_RED, T_BLUE, 1);
    int width = ruvk_dwin_get_text_width(win(), "HHH", -1);
    ruvk_dwin_draw_text(win(), 20, 100, "HHH", -1);
    Pixels box = grab();
    int height = tm.tmAscent + tm.tmDescent;
    EXPECT_EQ(W * H - box.count(WHITE), width * height);
    EXPECT_EQ(box.count(WHITE, 20, 100 - tm.tmAscent, 20 + width, 100 + tm.tmDescent), 0);
    EXPECT_EQ(box.at(20, 100 - tm.tmAscent), BLUE);
    EXPECT_EQ(box.at(20, 100 - tm.tmAscent - 1), WHITE);
    EXPECT_EQ(box.at(20 + width - 1, 100 + tm.tmDescent - 1), BLUE);
    EXPECT_EQ(box.at(20 + width, 100), WHITE);
}

TEST_F(TextDrawing, ModesTransferTheTextThroughABitmap)
{
    // Mode 1 ANDs the text, drawn on white, into the screen: the screen
    // shows through around the glyphs, the glyphs take the AND.
    const COLORREF screen = RGB(0x90, 0xC0, 0xF0);
    clear(screen);
    tools({1, 2, 0, T_BLACK}, {2, T_WHITE}, 1, 0x00FF00FFu, T_WHITE, 0);
    ruvk_dwin_draw_text(win(), 20, 100, "HHH", -1);
    Pixels p = grab();
    TEXTMETRICA tm = metrics_of_window_font();
    int width = ruvk_dwin_get_text_width(win(), "HHH", -1);
    int top = 100 - tm.tmAscent, bottom = 100 + tm.tmDescent;
    int box = width * (bottom - top), glyphs = 0;
    EXPECT_EQ(p.count(screen) - p.count(screen, 20, top, 20 + width, bottom), W * H - box)
        << "only the text's box changes";
    for (int y = top; y < bottom; ++y)
        for (int x = 20; x < 20 + width; ++x) {
            COLORREF c = p.at(x, y);
            EXPECT_EQ(c & ~screen, 0u) << "an AND keeps no bit the screen lacks";
            glyphs += c == RGB(0x90, 0, 0xF0);
        }
    EXPECT_GT(glyphs, 20);
}

TEST_F(TextDrawing, NothingToDrawTakesNoDeviceContext)
{
    ruvk_draw_release_cached();
    ASSERT_EQ(state()->hdc, nullptr);
    ruvk_dwin_draw_text(win(), 10, 50, "text", 0);
    ruvk_dwin_draw_text(win(), 10, 50, nullptr, -1);
    EXPECT_EQ(state()->hdc, nullptr);
    EXPECT_EQ(grab().count(WHITE), W * H);
    // Characters, not bytes, count.
    tools({1, 2, 0, T_BLACK}, {2, T_WHITE}, 0, T_RED, T_WHITE, 0);
    ruvk_dwin_draw_text(win(), 10, 50, "HHHH", 2);
    Pixels two = grab();
    clear();
    ruvk_dwin_draw_text(win(), 10, 50, "HH", -1);
    EXPECT_TRUE(two.same_area(grab(), 0, 0, W, H, 0, 0));
}

TEST_F(TextDrawing, PrintWindowsTakeTextStraightWhateverTheMode)
{
    // A print window whose device is a memory bitmap.
    RUV_VOBJ print{};
    print.tag = RUV_VOBJ_TAG;
    print.kind = RUV_KIND_PRINT;
    print.type = 4;
    ruvv_registry_add(&print);
    ASSERT_NE(ruvk_draw_state_create(&print), nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = W;
    bi.bmiHeader.biHeight = -H;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    uint32_t *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits), nullptr, 0);
    for (int i = 0; i < W * H; ++i)
        bits[i] = 0x00FFFFFF;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bmp);
    print.draw_state->preset_hdc = dc;

    // Mode 6 with an opaque box: on a window the box would be inverted
    // through a bitmap; a print window draws the text itself.
    RUV_DRAW_CTOOLS t{{1, 2, 0, T_BLACK}, {2, T_WHITE}, 6, T_RED, T_BLUE, 1};
    ruvk_dwin_set_draw_ctools(&print, &t);
    ruvk_dwin_draw_text(&print, 10, 60, "HHH", -1);
    GdiFlush();
    int blue = 0, red = 0;
    for (int i = 0; i < W * H; ++i) {
        blue += (bits[i] & 0xFFFFFF) == 0x0000FF;
        red += (bits[i] & 0xFFFFFF) == 0xFF0000;
    }
    EXPECT_GT(blue, 100) << "the opaque box in the background colour";
    EXPECT_GT(red, 20) << "the glyphs in the text colour";

    ruvk_draw_state_destroy(&print);
    ruvv_registry_remove(&print);
    DeleteObject(bmp);
}

// ---- icons ----

TEST_F(DrawPrimitives, IconsComeFromTheResourcesOrNotAtAll)
{
    ruvk_dwin_draw_icon(win(), 150, 20, 999);
    EXPECT_EQ(grab().count(WHITE), W * H);
    ruvk_dwin_draw_icon(win(), 150, 20, 1);
    Pixels p = grab();
    EXPECT_GT(W * H - p.count(WHITE), 50);
    EXPECT_EQ(p.count(WHITE, 0, 0, 150, H) + p.count(WHITE, 150, 52, W, H), 150 * H + (W - 150) * (H - 52));
}

// ---- invalidation and scrolling ----

// A window class that records what it is asked to paint.
std::vector<RECT> &painted()
{
    static std::vector<RECT> p;
    return p;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        painted().push_back(ps.rcPaint);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND)
        return 1;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

const char *recording_class()
{
    static bool done = false;
    if (!done) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = recording_proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ruvk_draw_recording";
        RegisterClassA(&wc);
        done = true;
    }
    return "ruvk_draw_recording";
}

TEST_F(DrawPrimitives, ScrollRepaintsOnlyTheUncoveredStrip)
{
    st::Win scroller(8u, 1, nullptr, recording_class(), "scroll", WS_POPUP | WS_VISIBLE, 60, 60, W, H);
    st::pump();
    ruvk_draw_release_cached();
    HDC dc = GetDC(scroller.hwnd());
    RECT all{0, 0, W, H}, stripe{10, 0, 20, H};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH red = CreateSolidBrush(RED);
    FillRect(dc, &stripe, red);
    DeleteObject(red);
    ReleaseDC(scroller.hwnd(), dc);
    ValidateRect(scroller.hwnd(), nullptr);
    painted().clear();

    RUV_RECT r{0, 0, 150, 120}; // top, left, bottom, right
    ruvk_dwin_scroll_rect(scroller.rec(), &r, 30, 0);
    ASSERT_EQ(painted().size(), 1u);
    st::expect_rect(painted()[0], 0, 0, 150, 30);
    Pixels p(scroller.hwnd());
    EXPECT_EQ(p.at(45, 10), RED) << "moved right by 30";
    EXPECT_EQ(p.at(45, 160), WHITE) << "below the rectangle nothing moved";
    EXPECT_EQ(p.at(15, 160), RED);

    // Upwards, clipped to the client area.
    painted().clear();
    RUV_RECT tall{-50, 0, 500, 500};
    ruvk_dwin_scroll_rect(scroller.rec(), &tall, 0, -20);
    ASSERT_EQ(painted().size(), 1u);
    st::expect_rect(painted()[0], H - 20, 0, H, W);
}

// The application's run ends with every window of the session gone, so
// this test has no window of its own.
TEST(DrawInvalidation, WindowlessObjectsInvalidateTheTaskWindow)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        HWND task_hwnd = kt::hwnd_of(task);
        ASSERT_NE(task_hwnd, nullptr);
        RUV_VOBJ lone{}, other{};
        lone.tag = other.tag = RUV_VOBJ_TAG;
        lone.type = 1;
        other.type = 2;
        ruvv_registry_add(&lone);
        ruvv_registry_add(&other);
        ValidateRect(task_hwnd, nullptr);
        RUV_RECT r{10, 20, 30, 40};
        ruvk_dwin_invalidate_rect(&other, &r);
        RECT upd{};
        EXPECT_FALSE(GetUpdateRect(task_hwnd, &upd, FALSE));
        ruvk_dwin_invalidate_rect(&lone, &r);
        ASSERT_TRUE(GetUpdateRect(task_hwnd, &upd, FALSE));
        st::expect_rect(upd, 10, 20, 30, 40);
        ruvk_dwin_update(&lone);
        EXPECT_FALSE(GetUpdateRect(task_hwnd, &upd, FALSE));
        ruvv_registry_remove(&lone);
        ruvv_registry_remove(&other);
    });
}

TEST_F(DrawPrimitives, ObjectsWithoutStateOrWindowDrawNothing)
{
    RUV_VOBJ bare{};
    bare.tag = RUV_VOBJ_TAG;
    bare.type = 2;
    RUV_RECT r{0, 0, 10, 10};
    RUV_POINT p[2] = {pt(0, 0), pt(5, 5)};
    ruvk_dwin_draw_set_pos(&bare, pt(1, 1));
    ruvk_dwin_draw_line(&bare, pt(5, 5));
    ruvk_dwin_draw_aline(&bare, pt(5, 5), 1, 1);
    ruvk_dwin_draw_rect(&bare, &r);
    ruvk_dwin_draw_oval(&bare, &r);
    ruvk_dwin_draw_polygon(&bare, p, 2);
    ruvk_dwin_draw_text(&bare, 0, 0, "x", -1);
    ruvk_dwin_draw_icon(&bare, 0, 0, 1);
    ruvk_dwin_invalidate_rect(&bare, &r);
    ruvk_dwin_scroll_rect(&bare, &r, 1, 1);
    ruvk_dwin_update(&bare);
    EXPECT_EQ(ruvk_dwin_get_text_width(&bare, "x", -1), 0);
    ruvk_dwin_draw_line(NULL_WIN, pt(5, 5));
    ruvk_dwin_draw_rect(win(), nullptr);
    ruvk_dwin_draw_polyline(win(), nullptr, 3);
    EXPECT_EQ(grab().count(WHITE), W * H);
}

} // namespace
