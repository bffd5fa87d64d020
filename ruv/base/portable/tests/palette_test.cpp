// Colour palettes: the tolerance that keeps near colours out, the capacity
// of 256, use counts through window mapping, the default tables and the
// per-process default palette, and the native palette kept beside them.
#include "image_test_support.h"

#include "ruvk.h"
#include "ruvv_palet.h"
#include "standin_images.h"

#include <set>

namespace {

using namespace imgtest;

struct PaletteFree {
    void operator()(RUV_PALETTE *p) const { ruvv_palet_destroy(p); }
};
using Palette = std::unique_ptr<RUV_PALETTE, PaletteFree>;

class PaletteTest : public ImageTest {};

TEST_F(PaletteTest, NewPaletteByType)
{
    Palette p16(ruvv_palet_create(RUV_PALETTE_DEFAULT_16));
    ASSERT_TRUE(p16);
    EXPECT_TRUE(ruvv_palet_is_valid(p16.get()));
    EXPECT_EQ(p16->tag, 64222);
    EXPECT_EQ(ruvv_palet_get_size(p16.get()), 256);
    EXPECT_EQ(ruvv_palet_get_tolerance(p16.get()), 5);
    EXPECT_EQ(ruvv_palet_get_ncolors(p16.get()), 16);
    RUV_COLOR c[16];
    ASSERT_EQ(ruvv_palet_get_colors(p16.get(), c, 16), 16);
    EXPECT_EQ(c[0], 0xFFFFFFu);
    EXPECT_EQ(c[1], 0x000000u);
    EXPECT_EQ(c[15], 0x907039u);
    EXPECT_EQ(standin_palet_native_count(p16.get()), 16);

    Palette p256(ruvv_palet_create(RUV_PALETTE_DEFAULT_256));
    ASSERT_TRUE(p256);
    EXPECT_EQ(ruvv_palet_get_ncolors(p256.get()), 256);

    for (int32_t type : {RUV_PALETTE_SYSTEM_DISABLED, RUV_PALETTE_SYSTEM, RUV_PALETTE_SYSTEM_DEFAULT}) {
        Palette p(ruvv_palet_create(type));
        ASSERT_TRUE(p) << type;
        EXPECT_GT(ruvv_palet_get_ncolors(p.get()), 0) << type;
    }
}

TEST_F(PaletteTest, UnknownTypeFails)
{
    int live = standin_palet_live_count();
    EXPECT_EQ(ruvv_palet_create(6), nullptr);
    EXPECT_EQ(ruvv_palet_create(0), nullptr);
    EXPECT_TRUE(reported(0x00510000));
    EXPECT_EQ(standin_palet_live_count(), live);
}

TEST_F(PaletteTest, DefaultTables)
{
    RUV_COLOR c[300];
    EXPECT_EQ(ruvv_palet_copy_default_colors(c, 300), 256);
    const RUV_COLOR start[8] = {0xFFFFFF, 0x000000, 0xBBBBBB, 0x777777, 0x555555, 0xFFFFCC, 0xFFFF99, 0xFFFF66};
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(c[i], start[i]) << i;
    std::set<RUV_COLOR> distinct(c, c + 256);
    EXPECT_EQ(distinct.size(), 256u);
    for (int i = 0; i < 256; i++)
        for (int shift = 0; shift <= 16; shift += 8)
            EXPECT_EQ((c[i] >> shift & 0xFF) % 0x11, 0u) << std::hex << c[i];
    for (int r = 0; r < 6; r++) // the whole cube is there
        for (int g = 0; g < 6; g++)
            for (int b = 0; b < 6; b++)
                EXPECT_TRUE(distinct.count((RUV_COLOR)(r * 0x33 << 16 | g * 0x33 << 8 | b * 0x33)));

    EXPECT_EQ(ruvv_palet_copy_default_colors(c, 16), 16);
    EXPECT_EQ(c[5], 0xFBF205u); // from the 16-colour table
    EXPECT_EQ(ruvv_palet_copy_default_colors(c, 17), 17);
    EXPECT_EQ(c[5], 0xFFFFCCu); // from the 256-colour table
    EXPECT_EQ(ruvv_palet_copy_default_colors(c, 0), 0);
}

TEST_F(PaletteTest, ToleranceKeepsNearColoursOut)
{
    Palette p(ruvv_palet_create(RUV_PALETTE_DEFAULT_16));
    ASSERT_TRUE(p);
    const RUV_COLOR near_black = 0x000005, just_out = 0x000006;
    EXPECT_EQ(ruvv_palet_add_colors(p.get(), &near_black, 1), 0);
    EXPECT_EQ(ruvv_palet_add_colors(p.get(), &just_out, 1), 1);
    EXPECT_EQ(ruvv_palet_get_ncolors(p.get()), 17);

    // Tolerance 0: everything not present exactly; colours of one call are
    // compared with each other too; the tag bits are dropped.
    ruvv_palet_set_tolerance(p.get(), 0);
    const RUV_COLOR more[4] = {0x0B000001, 0x000001, 0xFFFFFF, 0x000002};
    EXPECT_EQ(ruvv_palet_add_colors(p.get(), more, 4), 2);
    RUV_COLOR c[20];
    ASSERT_EQ(ruvv_palet_get_colors(p.get(), c, 20), 19);
    EXPECT_EQ(c[17], 0x000001u);
    EXPECT_EQ(c[18], 0x000002u);
    // The native palette got the new entries.
    EXPECT_EQ(standin_palet_native_count(p.get()), 19);
    EXPECT_EQ(standin_palet_native_color(p.get(), 18), 0x000002u);
    EXPECT_EQ(ruvv_palet_add_colors(p.get(), more, 0), 0);
    EXPECT_EQ(ruvv_palet_add_colors(p.get(), more, -3), 0);
}

TEST_F(PaletteTest, AddingStopsAt256)
{
    Palette p(ruvv_palet_create(RUV_PALETTE_DEFAULT_16));
    ASSERT_TRUE(p);
    // Start empty: the 16 colours out.
    p->count = 0;
    std::vector<RUV_COLOR> colors;
    for (int i = 0; i < 300; i++)
        colors.push_back((RUV_COLOR)((i % 20) * 12) << 16 | (RUV_COLOR)((i / 20) * 12) << 8);
    EXPECT_EQ(ruvv_palet_add_colors(p.get(), colors.data(), 300), 256);
    EXPECT_EQ(ruvv_palet_get_ncolors(p.get()), 256);
    EXPECT_EQ(ruvv_palet_add_colors(p.get(), colors.data(), 300), 0);
    const RUV_COLOR blue = 0x0000FF;
    EXPECT_EQ(ruvv_palet_add_colors(p.get(), &blue, 1), 0);
    RUV_COLOR c[4];
    EXPECT_EQ(ruvv_palet_get_colors(p.get(), c, 4), 4);
}

TEST_F(PaletteTest, ColoursFromImages)
{
    Palette p(ruvv_palet_create(RUV_PALETTE_DEFAULT_16));
    ASSERT_TRUE(p);
    p->count = 0;
    Image indexed(ruvv_image_create(RUV_IMAGE_INDEXED, 1, 1));
    ruvv_image_set_clut(indexed.get(), 0, 0x07123456);
    ruvv_image_set_clut(indexed.get(), 1, 0xABCDEF);
    ruvv_image_set_clut(indexed.get(), 2, 0x00FF00); // not in use
    EXPECT_EQ(ruvv_palet_add_colors_from_image(p.get(), indexed.get()), 2);
    EXPECT_EQ(p->colors[0], 0x123456u);

    Image mono(ruvv_image_create(RUV_IMAGE_MONO, 1, 1));
    EXPECT_EQ(ruvv_palet_add_colors_from_image(p.get(), mono.get()), 2); // black and white

    Image direct(ruvv_image_create(RUV_IMAGE_DIRECT, 1, 1));
    Palette q(ruvv_palet_create(RUV_PALETTE_DEFAULT_16));
    q->count = 0;
    ruvv_palet_set_tolerance(q.get(), 0);
    EXPECT_EQ(ruvv_palet_add_colors_from_image(q.get(), direct.get()), 256);
}

TEST_F(PaletteTest, DestroyWaitsForTheLastWindow)
{
    RUV_WIN w1 = reinterpret_cast<RUV_WIN>(0x1001), w2 = reinterpret_cast<RUV_WIN>(0x1002);
    int live = standin_palet_live_count();
    RUV_PALETTE *p = ruvv_palet_create(RUV_PALETTE_DEFAULT_16);
    ASSERT_TRUE(p);
    ruvv_palet_map_win(p, w1);
    ruvv_palet_map_win(p, w2);
    EXPECT_EQ(p->use_count, 2);
    EXPECT_EQ(ruvk_dwin_get_palet(w1), p);
    ruvv_palet_destroy(p);
    EXPECT_TRUE(ruvv_palet_is_valid(p));
    EXPECT_EQ(p->destroy_requested, 1);

    // Mapping a window its own palette again keeps it.
    ruvv_palet_map_win(p, w1);
    EXPECT_EQ(p->use_count, 2);

    Palette other(ruvv_palet_create(RUV_PALETTE_DEFAULT_16));
    ruvv_palet_map_win(other.get(), w1);
    EXPECT_EQ(p->use_count, 1);
    EXPECT_EQ(standin_palet_live_count(), live + 2);
    ruvv_palet_map_win(other.get(), w2); // the last window lets go: freed
    EXPECT_EQ(standin_palet_live_count(), live + 1);
    EXPECT_EQ(other->use_count, 2);
    ruvv_palet_map_win(nullptr, w1);
    ruvv_palet_map_win(nullptr, w2);
    EXPECT_EQ(other->use_count, 0);
}

TEST_F(PaletteTest, UnusedPaletteIsFreedAtOnce)
{
    int live = standin_palet_live_count();
    RUV_PALETTE *p = ruvv_palet_create(RUV_PALETTE_DEFAULT_256);
    ASSERT_TRUE(p);
    EXPECT_EQ(standin_palet_live_count(), live + 1);
    ruvv_palet_destroy(p);
    EXPECT_EQ(standin_palet_live_count(), live);
}

TEST_F(PaletteTest, DefaultPaletteIsMadeOnceAndNeverFreed)
{
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_PALETTE_TYPE, RUV_PALETTE_DEFAULT_16);
    RUV_PALETTE *d = ruvv_palet_default();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->is_default, 1);
    EXPECT_EQ(d->type, RUV_PALETTE_DEFAULT_16);
    EXPECT_EQ(ruvv_palet_default(), d);
    ruvv_palet_destroy(d);
    EXPECT_TRUE(ruvv_palet_is_valid(d));
    ruvv_palet_use(d);
    ruvv_palet_release(d);
    EXPECT_TRUE(ruvv_palet_is_valid(d));
}

TEST_F(PaletteTest, DefaultPaletteOfABadTypeIsNotMade)
{
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_PALETTE_TYPE, 9);
    EXPECT_EQ(ruvv_palet_default(), nullptr);
    EXPECT_TRUE(reported(0x00520000));
}

TEST_F(PaletteTest, InvalidPalettesAreIgnored)
{
    RUV_PALETTE fake = {};
    RUV_COLOR c = 0x123456;
    EXPECT_FALSE(ruvv_palet_is_valid(&fake));
    EXPECT_FALSE(ruvv_palet_is_valid(nullptr));
    EXPECT_EQ(ruvv_palet_add_colors(&fake, &c, 1), 0);
    EXPECT_EQ(ruvv_palet_get_ncolors(&fake), 0);
    ruvv_palet_destroy(&fake);
    ruvv_palet_destroy(nullptr);
}

class PaletteOutOfMemory : public ImageTest {
protected:
    void install_hooks() override { coretest::FailingAlloc::install(0); }
};

TEST_F(PaletteOutOfMemory, CreateReportsAndReturnsNull)
{
    coretest::FailingAlloc::fail_next(1);
    EXPECT_EQ(ruvv_palet_create(RUV_PALETTE_DEFAULT_16), nullptr);
    EXPECT_TRUE(reported(0x00510000));
}

} // namespace
