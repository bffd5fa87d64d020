// Native palettes: each palette type fills and makes its system palette
// (or none), added colours reach the native entries, a window's drawing
// state selects its palette into the next device context, and the row
// alignment of images.
#include <gtest/gtest.h>

#include <memory>

#include "kernel_test_support.h"
#include "ruvv_palet.h"
#include "services_test_support.h"

namespace {

class Palettes : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.ok()); }
    static RUV_COLOR entry(HPALETTE h, UINT i)
    {
        PALETTEENTRY e{};
        GetPaletteEntries(h, i, 1, &e);
        return ((RUV_COLOR)e.peRed << 16) | ((RUV_COLOR)e.peGreen << 8) | e.peBlue;
    }
    kt::Session session_;
};

TEST_F(Palettes, RowAlignmentIsFour)
{
    EXPECT_EQ(ruvk_image_get_row_alignment(), 4);
}

TEST_F(Palettes, EachTypeMakesItsNativePalette)
{
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    UINT stock_count = GetPaletteEntries(stock, 0, 0, nullptr);
    ASSERT_GT(stock_count, 0u);
    struct Case {
        int32_t type;
        int32_t count;
        bool disabled;
    } cases[] = {{1, (int32_t)stock_count, true}, {5, (int32_t)stock_count, false}, {3, 16, false},
                 {4, 256, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        RUV_PALETTE *p = ruvv_palet_create(c.type);
        ASSERT_NE(p, nullptr);
        RUV_BOOL disabled = 2;
        HPALETTE h = ruvk_palet_native(p, &disabled);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(disabled != 0, c.disabled);
        EXPECT_EQ(p->count, c.count);
        EXPECT_EQ(GetPaletteEntries(h, 0, 0, nullptr), 256u);
        for (int32_t i = 0; i < p->count; ++i) {
            ASSERT_EQ(entry(h, (UINT)i), p->colors[i] & 0xFFFFFF) << i;
        }
        if (c.type == 1 || c.type == 5) {
            EXPECT_EQ(p->colors[0], entry(stock, 0));
        }
        ruvv_palet_destroy(p);
    }
    // The system palette, or the 256 standard colours off palette devices.
    RUV_PALETTE *sys = ruvv_palet_create(2);
    ASSERT_NE(sys, nullptr);
    EXPECT_GT(sys->count, 0);
    ruvv_palet_destroy(sys);
}

TEST_F(Palettes, TypesWithoutANativePaletteAreRefused)
{
    RUV_PALETTE p{};
    p.tag = RUV_PALETTE_TAG;
    for (int32_t type : {0, 6, 99}) {
        p.type = type;
        EXPECT_FALSE(ruvk_palet_create(&p)) << type;
        EXPECT_EQ(p.native, nullptr);
    }
}

TEST_F(Palettes, AddedColoursReachTheNativeEntries)
{
    RUV_PALETTE *p = ruvv_palet_create(3);
    ASSERT_NE(p, nullptr);
    RUV_COLOR more[2] = {0x123456, 0xABCDEF};
    ASSERT_EQ(ruvv_palet_add_colors(p, more, 2), 2);
    HPALETTE h = ruvk_palet_native(p, nullptr);
    EXPECT_EQ(entry(h, 16), 0x123456u);
    EXPECT_EQ(entry(h, 17), 0xABCDEFu);
    // Out-of-range requests write nothing.
    p->colors[255] = 0x010101;
    ruvk_palet_add_colors(p, 250, 10);
    ruvk_palet_add_colors(p, -1, 2);
    EXPECT_EQ(entry(h, 255), 0u);
    ruvv_palet_destroy(p);
}

TEST_F(Palettes, WindowsSelectTheirPaletteInTheNextContext)
{
    auto doc = st::Win::doc("palette");
    RUV_PALETTE *p = ruvv_palet_create(4);
    ASSERT_NE(p, nullptr);
    RUV_DRAW_STATE *s = ruvk_draw_begin(doc->rec());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(ruvk_draw_colorref(s, 0x0A0B0C), RGB(0x0A, 0x0B, 0x0C));
    ruvv_palet_map_win(p, doc->rec());
    EXPECT_EQ(ruvk_dwin_get_palet(doc->rec()), p);
    EXPECT_EQ(p->use_count, 1);
    EXPECT_EQ(s->hdc, nullptr) << "the cached context went";
    s = ruvk_draw_begin(doc->rec());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->dc->palette, ruvk_palet_native(p, nullptr));
    EXPECT_EQ(GetCurrentObject(s->hdc, OBJ_PAL), ruvk_palet_native(p, nullptr));
    EXPECT_EQ(ruvk_draw_colorref(s, 0x0A0B0C), 0x020C0B0Au);
    ruvk_draw_release_cached();

    // A disabled palette is attached but never selected.
    RUV_PALETTE *off = ruvv_palet_create(1);
    ruvv_palet_map_win(off, doc->rec());
    EXPECT_EQ(p->use_count, 0);
    s = ruvk_draw_begin(doc->rec());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->dc->palette, nullptr);
    ruvk_draw_release_cached();

    // The palette the state holds is let go with the state.
    EXPECT_EQ(off->use_count, 1);
    ruvv_palet_destroy(p);
    doc.reset();
    EXPECT_EQ(off->use_count, 0);
    ruvv_palet_destroy(off);
}

TEST_F(Palettes, RealisingAFramePaletteRepaintsItsWholeTopLevel)
{
    st::Win frame(4u, 1, nullptr, nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    auto child = st::Win::child(&frame, 10, 10, 100, 100);
    auto apart = st::Win::doc("apart", 350, 10, 200, 150);
    RUV_PALETTE *on = ruvv_palet_create(4);
    RUV_PALETTE *off = ruvv_palet_create(1);
    RECT r;
    auto settle = [&] {
        st::pump();
        for (HWND h : {frame.hwnd(), child->hwnd(), apart->hwnd()})
            ValidateRect(h, nullptr);
    };
    ruvv_palet_map_win(off, frame.rec());
    settle();
    ruvk_draw_begin_palette(frame.rec());
    EXPECT_FALSE(GetUpdateRect(child->hwnd(), &r, FALSE)) << "a disabled palette repaints nothing";
    ruvv_palet_map_win(on, frame.rec());
    settle();
    ruvk_draw_begin_palette(frame.rec());
    EXPECT_TRUE(GetUpdateRect(frame.hwnd(), &r, FALSE));
    EXPECT_TRUE(GetUpdateRect(child->hwnd(), &r, FALSE));
    EXPECT_FALSE(GetUpdateRect(apart->hwnd(), &r, FALSE));
    ASSERT_NE(frame.state()->dc, nullptr);
    EXPECT_EQ(frame.state()->dc->palette, ruvk_palet_native(on, nullptr)) << "selected and realised";
    ruvk_draw_release_cached();
    ruvv_palet_map_win(nullptr, frame.rec());
    ruvv_palet_destroy(on);
    ruvv_palet_destroy(off);
}

} // namespace
