// Pixmaps, pictures and images on devices, read back as pixels: a new
// pixmap is white; images of every format drawn into a pixmap come back as
// the transfer engine scales them, also across the strips of a large
// image; a scroll inside a pixmap (no window to invalidate) copies within
// it; a pixmap copied onto a window lands where asked; a picture
// recorded on a window and drawn back; the locked copy of a picture holds
// every row; a picture destroyed while locked; pixmaps go with their
// window.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <vector>

#include "draw_primitives.h"
#include "draw_state.h"
#include "kernel_test_support.h"
#include "pixmaps.h"
#include "ruvv_font.h"
#include "ruvv_image.h"
#include "services_test_support.h"
#include "window_create.h"

namespace {

constexpr int W = 200, H = 150;

struct ImageDel {
    void operator()(RUV_IMAGE *i) const { ruvv_image_destroy(i); }
};
using Image = std::unique_ptr<RUV_IMAGE, ImageDel>;

RUV_RECT rect(int top, int left, int bottom, int right)
{
    return RUV_RECT{(int16_t)top, (int16_t)left, (int16_t)bottom, (int16_t)right};
}

// A direct image whose every pixel tells its position.
Image pattern(int w, int h)
{
    Image img(ruvv_image_create(RUV_IMAGE_DIRECT, w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ruvv_image_set_pixel(img.get(), x, y,
                                 ((RUV_COLOR)(y & 0xFF) << 16) | ((RUV_COLOR)(x & 0xFF) << 8) | ((x * 7 + y * 3) & 0xFF));
    return img;
}

// The whole pixmap as a direct image.
Image read_back(RUV_WIN pm)
{
    int32_t w = 0, h = 0;
    ruvk_pmap_bitmap(pm, &w, &h);
    Image img(ruvv_image_create(RUV_IMAGE_DIRECT, w, h));
    RUV_RECT r = rect(0, 0, h, w);
    ruvk_image_get_from_pmap(img.get(), pm, &r, &r);
    return img;
}

// A pixel of a native window's client area as 0xRRGGBB.
uint32_t window_pixel(HWND hwnd, int x, int y)
{
    ruvk_draw_release_cached();
    GdiFlush();
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return ((uint32_t)GetRValue(c) << 16) | ((uint32_t)GetGValue(c) << 8) | GetBValue(c);
}

struct Probe {
    int x, y;
    uint32_t color;
};

void expect_pixels(HWND hwnd, std::initializer_list<Probe> probes)
{
    for (const Probe &p : probes)
        EXPECT_EQ(window_pixel(hwnd, p.x, p.y), p.color) << p.x << "," << p.y;
}

void fill_native(RUV_WIN win, RECT r, COLORREF c)
{
    RUV_DRAW_STATE *st = ruvk_draw_begin(win);
    ASSERT_NE(st, nullptr);
    HBRUSH b = CreateSolidBrush(c);
    FillRect(st->hdc, &r, b);
    DeleteObject(b);
    ruvk_draw_end(st);
}

class Pixmaps : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ruvv_font_cache_init();
        // Above the windows of other test programs on the shared desktop, so
        // its pixels read back as drawn.
        win_ = std::make_unique<st::Win>(8u, 1, nullptr, nullptr, "pixmaps", WS_POPUP | WS_VISIBLE, 40, 40, W, H,
                                         WS_EX_TOPMOST);
    }
    void TearDown() override
    {
        ruvk_pmap_destroy_children(win());
        win_.reset();
        ruvv_font_cache_term();
    }
    RUV_WIN win() { return win_->rec(); }
    kt::Session session_;
    std::unique_ptr<st::Win> win_;
};

TEST_F(Pixmaps, ANewPixmapIsWhiteAndItsClientRectIsItsSize)
{
    RUV_WIN pm = ruvk_pmap_create(win(), 1, 37, 23);
    ASSERT_NE(pm, nullptr);
    EXPECT_EQ(pm->type, 8);
    EXPECT_EQ(pm->kind, RUVK_KIND_PIXMAP);
    EXPECT_EQ(pm->parent, win());
    RUV_RECT c;
    ruvk_vobj_get_client_rect(pm, &c);
    EXPECT_EQ(c.bottom, 23);
    EXPECT_EQ(c.right, 37);
    Image img = read_back(pm);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(ruvv_image_get_pixel(img.get(), x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
    // A window shrunk to nothing still gets a pixmap of one pixel.
    RUV_WIN tiny = ruvk_pmap_create(win(), 1, 0, -5);
    ASSERT_NE(tiny, nullptr);
    ruvk_vobj_get_client_rect(tiny, &c);
    EXPECT_EQ(c.bottom, 1);
    EXPECT_EQ(c.right, 1);
}

TEST_F(Pixmaps, DrawingThroughTheStateReachesThePixmap)
{
    RUV_WIN a = ruvk_pmap_create(win(), 1, 40, 30);
    RUV_WIN b = ruvk_pmap_create(win(), 1, 40, 30);
    fill_native(a, RECT{5, 5, 15, 10}, RGB(255, 0, 0));
    // Drawing into another pixmap and into the window lets the first go.
    fill_native(b, RECT{0, 0, 40, 30}, RGB(0, 0, 255));
    fill_native(win(), RECT{0, 0, 10, 10}, RGB(0, 255, 0));
    fill_native(a, RECT{20, 20, 22, 22}, RGB(0, 0, 0));
    Image img = read_back(a);
    EXPECT_EQ(ruvv_image_get_pixel(img.get(), 5, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ruvv_image_get_pixel(img.get(), 14, 9) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ruvv_image_get_pixel(img.get(), 15, 9) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(ruvv_image_get_pixel(img.get(), 21, 21) & 0xFFFFFF, 0u);
    Image other = read_back(b);
    EXPECT_EQ(ruvv_image_get_pixel(other.get(), 39, 29) & 0xFFFFFF, 0x0000FFu);
}

// Each format into a pixmap, scaled, against the engine's own transfer
// between two images.
TEST_F(Pixmaps, ImagesOfEveryFormatDrawAsTheEngineScalesThem)
{
    Image direct = pattern(16, 12);
    Image indexed(ruvv_image_create(RUV_IMAGE_INDEXED, 16, 12));
    ruvv_image_set_ncolors(indexed.get(), 4);
    const RUV_COLOR cols[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    for (int i = 0; i < 4; ++i)
        ruvv_image_set_clut(indexed.get(), i, cols[i]);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            ruvv_image_set_pixel(indexed.get(), x, y, cols[(x + 2 * y) % 4]);
    Image mono(ruvv_image_create(RUV_IMAGE_MONO, 16, 12));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            ruvv_image_set_pixel(mono.get(), x, y, (x ^ y) & 1 ? 0xFFFFFF : 0);
    struct Case {
        const char *name;
        RUV_IMAGE *img;
        RUV_RECT src, dst;
    } cases[] = {
        {"direct 1:1", direct.get(), rect(0, 0, 12, 16), rect(3, 4, 15, 20)},
        {"direct x3", direct.get(), rect(0, 0, 12, 16), rect(0, 0, 36, 48)},
        {"direct halved part", direct.get(), rect(2, 2, 12, 16), rect(10, 10, 15, 17)},
        {"indexed x2", indexed.get(), rect(0, 0, 12, 16), rect(1, 1, 25, 33)},
        {"mono x2", mono.get(), rect(0, 0, 12, 16), rect(0, 0, 24, 32)},
        {"clipped by the pixmap", direct.get(), rect(0, 0, 12, 16), rect(40, 50, 64, 82)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RUV_WIN pm = ruvk_pmap_create(win(), 1, 60, 50);
        ruvk_dwin_draw_image(pm, c.img, &c.src, &c.dst);
        Image got = read_back(pm);
        Image want(ruvv_image_create(RUV_IMAGE_DIRECT, 60, 50));
        RUV_RECT all = rect(0, 0, 50, 60);
        ruvv_image_fill_rect(want.get(), 0xFFFFFF, &all);
        RUV_RECT s = c.src, d = c.dst;
        ruvv_image_transfer(want.get(), c.img, &d, &s);
        int bad = 0;
        for (int y = 0; y < 50 && bad < 5; ++y)
            for (int x = 0; x < 60 && bad < 5; ++x) {
                RUV_COLOR g = ruvv_image_get_pixel(got.get(), x, y) & 0xFFFFFF;
                RUV_COLOR w = ruvv_image_get_pixel(want.get(), x, y) & 0xFFFFFF;
                if (g != w) {
                    ADD_FAILURE() << x << "," << y << " got " << std::hex << g << " want " << w;
                    ++bad;
                }
            }
        ruvk_vobj_destroy(pm);
    }
}

// 1,200 rows of 1,600 pixels as 24-bit rows of 4,800 bytes: 1,041 rows a
// strip, so the image goes in two strips; scaled 1.5 times it goes in
// three.  Every row comes back as the engine gives it, the strip seams
// included.
TEST_F(Pixmaps, AnImageAboveTheStripLimitDrawsWithoutSeams)
{
    Image big = pattern(1600, 1200);
    struct Case {
        int w, h;
    } cases[] = {{1600, 1200}, {2400, 1800}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.w);
        RUV_WIN pm = ruvk_pmap_create(win(), 1, c.w, c.h);
        RUV_RECT s = rect(0, 0, 1200, 1600), d = rect(0, 0, c.h, c.w);
        ruvk_dwin_draw_image(pm, big.get(), &s, &d);
        Image got = read_back(pm);
        Image want(ruvv_image_create(RUV_IMAGE_DIRECT, c.w, c.h));
        ruvv_image_transfer(want.get(), big.get(), &d, &s);
        int bad_rows = 0;
        for (int y = 0; y < c.h; ++y) {
            const uint32_t *g = reinterpret_cast<const uint32_t *>(ruvv_image_get_scanline(got.get(), y));
            const uint32_t *w = reinterpret_cast<const uint32_t *>(ruvv_image_get_scanline(want.get(), y));
            for (int x = 0; x < c.w; ++x)
                if ((g[x] & 0xFFFFFF) != (w[x] & 0xFFFFFF)) {
                    if (++bad_rows < 5)
                        ADD_FAILURE() << "row " << y << " column " << x;
                    break;
                }
        }
        EXPECT_EQ(bad_rows, 0);
        ruvk_vobj_destroy(pm);
    }
}

// A pixmap has no window: a scroll copies its bits within it and leaves
// the strip it uncovers as it was.  Each case: the rectangle (top, left,
// bottom, right), the move, and where the moved bits land.
TEST_F(Pixmaps, AScrollCopiesWithinThePixmap)
{
    constexpr int PW = 40, PH = 30;
    Image source = pattern(PW, PH);
    struct Case {
        const char *name;
        RUV_RECT rect;
        int dh, dv;
        int x0, y0, x1, y1;  // the bits moved land in [x0, x1) x [y0, y1)
    } cases[] = {
        {"right, cut at the right edge", rect(0, 0, PH, PW), 5, 0, 5, 0, PW, PH},
        {"left past the rectangle's left edge: from column 6", rect(0, 2, PH, PW), -6, 0, 0, 0, PW - 6, PH},
        {"up inside the pixmap", rect(5, 0, 20, PW), 0, -4, 0, 1, PW, 16},
        {"down, the rectangle cut to the pixmap", rect(-10, 0, 100, PW), 0, 3, 0, 3, PW, PH},
        {"both ways in a part", rect(10, 10, 20, 20), 4, 2, 14, 12, 24, 22},
        {"a move that leaves nothing to copy", rect(0, 0, PH, PW), PW, 0, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RUV_WIN pm = ruvk_pmap_create(win(), 1, PW, PH);
        RUV_RECT all = rect(0, 0, PH, PW);
        ruvk_dwin_draw_image(pm, source.get(), &all, &all);
        ruvk_dwin_scroll_rect(pm, &c.rect, c.dh, c.dv);
        Image got = read_back(pm);
        int bad = 0;
        for (int y = 0; y < PH && bad < 5; ++y)
            for (int x = 0; x < PW && bad < 5; ++x) {
                const bool moved = x >= c.x0 && x < c.x1 && y >= c.y0 && y < c.y1;
                const RUV_COLOR want = ruvv_image_get_pixel(source.get(), moved ? x - c.dh : x, moved ? y - c.dv : y);
                const RUV_COLOR seen = ruvv_image_get_pixel(got.get(), x, y);
                if ((seen & 0xFFFFFF) != (want & 0xFFFFFF)) {
                    ADD_FAILURE() << x << "," << y << " got " << std::hex << seen << " want " << want;
                    ++bad;
                }
            }
        ruvk_vobj_destroy(pm);
    }
}

TEST_F(Pixmaps, APixmapCopiedOntoTheWindowLandsScaledAndClipped)
{
    fill_native(win(), RECT{0, 0, W, H}, RGB(255, 255, 255));
    RUV_WIN pm = ruvk_pmap_create(win(), 1, 20, 10);
    fill_native(pm, RECT{0, 0, 10, 10}, RGB(255, 0, 0));
    fill_native(pm, RECT{10, 0, 20, 10}, RGB(0, 0, 255));
    RUV_RECT s = rect(0, 0, 10, 20), d = rect(50, 100, 70, 140);
    ruvk_dwin_draw_pmap(win(), pm, &s, &d);
    // A source reaching past the pixmap is cut and the destination with it.
    RUV_RECT s2 = rect(0, 10, 10, 30), d2 = rect(100, 0, 110, 20);
    ruvk_dwin_draw_pmap(win(), pm, &s2, &d2);
    expect_pixels(win_->hwnd(), {{100, 50, 0xFF0000u}, {119, 69, 0xFF0000u}, {120, 50, 0x0000FFu},
                                 {139, 69, 0x0000FFu}, {140, 60, 0xFFFFFFu}, {120, 70, 0xFFFFFFu},
                                 {0, 100, 0x0000FFu}, {9, 109, 0x0000FFu}, {10, 105, 0xFFFFFFu}});
}

TEST_F(Pixmaps, APictureRecordedOnAWindowDrawsBackTheSame)
{
    fill_native(win(), RECT{0, 0, W, H}, RGB(0, 255, 0));
    RUV_RECT r = rect(20, 30, 60, 90);
    ASSERT_TRUE(ruvk_dwin_open_pict(win(), &r));
    // Window coordinates while recording; the window itself is untouched.
    fill_native(win(), RECT{40, 30, 60, 40}, RGB(255, 0, 0));
    HBITMAP pict = ruvk_dwin_close_pict(win());
    ASSERT_NE(pict, nullptr);
    EXPECT_EQ(win()->draw_state->recorder, nullptr);
    EXPECT_EQ(window_pixel(win_->hwnd(), 50, 35), 0x00FF00u);
    BITMAP bm;
    ASSERT_TRUE(GetObjectA(pict, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 60);
    EXPECT_EQ(bm.bmHeight, 40);
    // Drawn back at the same place and size.
    ruvk_dwin_draw_pict(win(), pict, &r);
    expect_pixels(win_->hwnd(), {{40, 30, 0xFF0000u}, {59, 39, 0xFF0000u}, {60, 30, 0xFFFFFFu}, {30, 20, 0xFFFFFFu},
                                 {89, 59, 0xFFFFFFu}, {90, 59, 0x00FF00u}, {29, 20, 0x00FF00u}});
    // After recording, drawing reaches the window again.
    fill_native(win(), RECT{0, 0, 5, 5}, RGB(0, 0, 255));
    EXPECT_EQ(window_pixel(win_->hwnd(), 0, 0), 0x0000FFu);
    ruvk_pict_destroy(pict);
}

// A 1-bit picture 33 pixels wide: rows of 6 bytes (not 4), all of them in
// the locked copy.
TEST_F(Pixmaps, TheLockedCopyHoldsEveryRowOfThePicture)
{
    const int w = 33, h = 5;
    struct {
        BITMAP bm;
        uint8_t bits[6 * 5];
    } data{};
    data.bm.bmWidth = w;
    data.bm.bmHeight = h;
    data.bm.bmWidthBytes = 6;
    data.bm.bmPlanes = 1;
    data.bm.bmBitsPixel = 1;
    for (int i = 0; i < 6 * h; ++i)
        data.bits[i] = (uint8_t)(0x11 * (i % 7) + i) | (i % 6 == 4 ? 0x80 : 0);
    for (int y = 0; y < h; ++y)
        data.bits[y * 6 + 5] = 0;  // the padding bytes
    static_assert(offsetof(decltype(data), bits) == sizeof(BITMAP), "bits follow the header");
    RUV_RECT out{};
    HBITMAP pict = ruvk_pict_create(&data, 0, &out);
    ASSERT_NE(pict, nullptr);
    EXPECT_TRUE(ruvk_pict_is_valid(pict));
    EXPECT_FALSE(ruvk_pict_is_valid(nullptr));
    EXPECT_EQ(out.bottom, h);
    EXPECT_EQ(out.right, w);
    int32_t size = 0;
    RUVK_LOCKED_PICT *lp = ruvk_pict_lock(pict, &size);
    ASSERT_NE(lp, nullptr);
    EXPECT_EQ(size, (int32_t)(sizeof(RUVK_LOCKED_PICT) + 6 * h));
    EXPECT_EQ(lp->width, w);
    EXPECT_EQ(lp->bytes_per_row, 6);
    EXPECT_EQ(lp->bits, reinterpret_cast<uint8_t *>(lp + 1));
    // Every row in place, to the last row's 33rd pixel.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(lp->bits[y * 6 + x], data.bits[y * 6 + x]) << y << "," << x;
        ASSERT_EQ(lp->bits[y * 6 + 4] & 0x80, data.bits[y * 6 + 4] & 0x80) << y;
    }
    // One locked picture at a time.
    int32_t other = 0;
    EXPECT_EQ(ruvk_pict_lock(pict, &other), nullptr);
    ruvk_pict_unlock();
    lp = ruvk_pict_lock(pict, &size);
    ASSERT_NE(lp, nullptr);
    ruvk_pict_unlock();
    ruvk_pict_destroy(pict);
}

TEST_F(Pixmaps, APictureDestroyedWhileLockedSaysSoAndUnlocks)
{
    RUV_RECT r = rect(0, 0, 10, 10);
    ASSERT_TRUE(ruvk_dwin_open_pict(win(), &r));
    HBITMAP a = ruvk_dwin_close_pict(win());
    ASSERT_TRUE(ruvk_dwin_open_pict(win(), &r));
    HBITMAP b = ruvk_dwin_close_pict(win());
    int32_t size = 0;
    ASSERT_NE(ruvk_pict_lock(a, &size), nullptr);
    kt::ModalGuard guard({{"Picture still locked.", 0}});
    ruvk_pict_destroy(b);
    guard.stop();
    // The lock went and the picture with it.
    BITMAP bm;
    EXPECT_EQ(GetObjectA(b, sizeof bm, &bm), 0);
    ASSERT_NE(ruvk_pict_lock(a, &size), nullptr);
    ruvk_pict_unlock();
    ruvk_pict_destroy(a);
}

TEST_F(Pixmaps, PixmapsGoWithTheirWindow)
{
    kt::run_app([] {
        RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        RUV_RECT r = rect(10, 10, 110, 210);
        RUV_WIN doc = ruvk_win_create(1, &r, "Pixmaps", 0, task, 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ASSERT_NE(doc, nullptr);
        RUV_WIN p1 = ruvk_pmap_create(doc, 1, 30, 30);
        RUV_WIN p2 = ruvk_pmap_create(doc, 1, 30, 30);
        fill_native(p1, RECT{0, 0, 5, 5}, RGB(1, 2, 3));
        ASSERT_TRUE(ruvv_vobj_is_valid(p1) && ruvv_vobj_is_valid(p2));
        // One destroyed on its own, the other with its window.
        ruvk_vobj_destroy(p2);
        EXPECT_FALSE(ruvv_vobj_is_valid(p2));
        ruvk_vobj_destroy(doc);
        EXPECT_FALSE(ruvv_vobj_is_valid(p1));
    });
}

// A 4000 x 3000 image into a pixmap, against one StretchDIBits of the same
// rows already converted: the strips and the conversion cost at most about
// twice the plain transfer.
TEST_F(Pixmaps, BenchmarkALargeImageIntoAPixmap)
{
    const int w = 4000, h = 3000;
    Image big = pattern(w, h);
    RUV_WIN pm = ruvk_pmap_create(win(), 1, w, h);
    ASSERT_NE(pm, nullptr);
    RUV_RECT s = rect(0, 0, h, w);
    auto t0 = std::chrono::steady_clock::now();
    ruvk_dwin_draw_image(pm, big.get(), &s, &s);
    GdiFlush();
    auto t1 = std::chrono::steady_clock::now();
    // The plain transfer: the image's own 32-bit rows in one call.
    RUV_DRAW_STATE *st = ruvk_draw_begin(pm);
    ASSERT_NE(st, nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    auto t2 = std::chrono::steady_clock::now();
    StretchDIBits(st->hdc, 0, 0, w, h, 0, 0, w, h, big->pixels, &bi, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    auto t3 = std::chrono::steady_clock::now();
    ruvk_draw_end(st);
    double ours = std::chrono::duration<double, std::milli>(t1 - t0).count();
    double plain = std::chrono::duration<double, std::milli>(t3 - t2).count();
    std::printf("image 4000x3000 into a pixmap: %.1f ms, one StretchDIBits %.1f ms, ratio %.2f\n", ours, plain,
                plain > 0 ? ours / plain : 0.0);
    RecordProperty("ratio", std::to_string(plain > 0 ? ours / plain : 0.0));
    ruvk_vobj_destroy(pm);
}

} // namespace
