// Drawable-window conveniences on the kernel stand-in: the standard pens
// and brushes, a clear that draws the client rectangle in the colour and
// gives the window its tools back, the parts of the window's font, its
// mapped values, and a font set only when it differs.
#include "core_test_support.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_color.h"
#include "ruvv_dwin.h"
#include "ruvv_font.h"
#include "ruvv_vobj.h"
#include "standin_drawing.h"

#include <cstring>

namespace {

bool same_pen(const RUV_CPEN &a, const RUV_CPEN &b)
{
    return a.width == b.width && a.pattern == b.pattern && a.style == b.style && a.color == b.color;
}

bool same_tools(const RUV_DRAW_CTOOLS &a, const RUV_DRAW_CTOOLS &b)
{
    return same_pen(a.pen, b.pen) && a.brush.pattern == b.brush.pattern && a.brush.color == b.brush.color &&
           a.draw_mode == b.draw_mode && a.fore == b.fore && a.back == b.back && a.opaque == b.opaque;
}

class DrawableWindow : public coretest::CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        win_.tag = RUV_VOBJ_TAG;
        win_.type = 1;
    }
    RUV_DRAW_CTOOLS tools()
    {
        RUV_DRAW_CTOOLS t;
        ruvk_dwin_get_draw_ctools(&win_, &t);
        return t;
    }
    RUV_VOBJ win_ = {};
};

TEST_F(DrawableWindow, StandardPensAndBrushesByTheirCodes)
{
    const struct {
        int32_t which;
        RUV_CPEN pen;
    } pens[] = {
        {1, {1, 2, 0, RUV_COLOR_BLACK}}, {2, {1, 1, 0, RUV_COLOR_BLACK}}, {3, {1, 9, 0, RUV_COLOR_BLACK}},
        {4, {1, 2, 0, RUV_COLOR_WHITE}}, {5, {1, 2, 0, RUV_COLOR_BLACK}}, {0, {1, 2, 0, RUV_COLOR_WHITE}},
        {-2, {1, 1, 0, RUV_COLOR_BLACK}},
    };
    for (const auto &p : pens) {
        ruvv_dwin_set_std_cpen(&win_, p.which);
        EXPECT_TRUE(same_pen(tools().pen, p.pen)) << p.which;
    }
    const struct {
        int32_t which;
        RUV_COLOR color;
    } brushes[] = {{0, RUV_COLOR_BLACK}, {1, RUV_COLOR_WHITE}, {2, RUV_COLOR_BLACK}, {3, RUV_COLOR_WHITE}};
    for (const auto &b : brushes) {
        ruvv_dwin_set_std_cbrush(&win_, b.which);
        EXPECT_EQ(tools().brush.pattern, 2) << b.which;
        EXPECT_EQ(tools().brush.color, b.color) << b.which;
    }
}

TEST_F(DrawableWindow, ClearFillsTheClientAndGivesTheToolsBack)
{
    RUV_DRAW_CTOOLS before{{3, 7, 2, RUV_COLOR_RED}, {5, RUV_COLOR_GREEN}, 6, RUV_COLOR_BLUE, RUV_COLOR_YELLOW, 1};
    ruvk_dwin_set_draw_ctools(&win_, &before);
    standin::set_client_rect(&win_, RUV_RECT{0, 0, 120, 200});
    ruvv_dwin_clear(&win_, 0x00123456u);

    ASSERT_EQ(standin::drawn_rects().size(), 1u);
    const standin::DrawnRect &d = standin::drawn_rects()[0];
    EXPECT_EQ(d.win, &win_);
    EXPECT_EQ(d.rect.bottom, 120);
    EXPECT_EQ(d.rect.right, 200);
    // Filled without an outline in copy mode; the text settings stay.
    EXPECT_EQ(d.tools.brush.pattern, 2);
    EXPECT_EQ(d.tools.brush.color, 0x00123456u);
    EXPECT_EQ(d.tools.draw_mode, 0);
    EXPECT_TRUE(same_pen(d.tools.pen, RUV_CPEN{1, 1, 0, RUV_COLOR_BLACK}));
    EXPECT_EQ(d.tools.fore, RUV_COLOR_BLUE);
    EXPECT_EQ(d.tools.opaque, 1);
    EXPECT_TRUE(same_tools(tools(), before));
}

TEST_F(DrawableWindow, FontPartsAreThoseOfTheWindowsFont)
{
    RUV_FONT *own = ruvk_dwin_get_font(&win_, FALSE);
    ASSERT_NE(own, nullptr);
    int data = 0;
    ruvv_dwin_set_font_family(&win_, "times");
    ruvv_dwin_set_font_size(&win_, 14);
    ruvv_dwin_set_font_style(&win_, RUV_FONT_BOLD | RUV_FONT_ITALIC);
    ruvv_dwin_set_font_app_data(&win_, &data);
    EXPECT_STREQ(ruvv_font_get_family(own), "times");
    EXPECT_STREQ(ruvv_dwin_get_font_family(&win_), "times");
    EXPECT_EQ(ruvv_dwin_get_font_size(&win_), 14);
    EXPECT_EQ(ruvv_dwin_get_font_style(&win_), RUV_FONT_BOLD | RUV_FONT_ITALIC);
    EXPECT_EQ(ruvv_dwin_get_font_app_data(&win_), &data);
    EXPECT_EQ(ruvv_dwin_get_font_native_desc(&win_, FALSE), nullptr);

    // The mapped values map the font for the window first.
    EXPECT_FALSE(ruvv_font_is_mapped(own));
    EXPECT_STREQ(ruvv_dwin_get_font_family_mapped(&win_), "Times New Roman");
    EXPECT_TRUE(ruvv_font_is_mapped(own));
    EXPECT_EQ(ruvv_dwin_get_font_size_mapped(&win_), 14);
    EXPECT_EQ(ruvv_dwin_get_font_style_mapped(&win_), RUV_FONT_BOLD | RUV_FONT_ITALIC);

    const char *desc = "NT_01/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial";
    ruvv_dwin_set_font_native_desc(&win_, desc);
    EXPECT_STREQ(ruvv_dwin_get_font_native_desc(&win_, FALSE), desc);
    EXPECT_FALSE(ruvv_font_is_mapped(own));

    // A window without a font gives nothing.
    EXPECT_EQ(ruvv_dwin_get_font_family(NULL_WIN), nullptr);
    EXPECT_EQ(ruvv_dwin_get_font_size_mapped(NULL_WIN), 0);
}

TEST_F(DrawableWindow, FontIsSetOnlyWhenItDiffers)
{
    RUV_FONT *own = ruvk_dwin_get_font(&win_, FALSE);
    ruvv_dwin_set_font_family(&win_, "helvetica");
    ASSERT_EQ(ruvv_dwin_get_font_size_mapped(&win_), 12);
    ASSERT_TRUE(ruvv_font_is_derived(own));

    // An equal font on the same window: the mapped font stays.
    RUV_FONT *same = ruvv_font_create();
    ruvv_font_copy(same, own, 1 | 2 | 4 | 0x10);
    ruvv_font_set_native_desc(same, ruvv_font_get_native_desc(own, FALSE));
    same->win = &win_;
    ASSERT_TRUE(ruvv_font_is_equal(same, own));
    ruvv_dwin_set_font(&win_, same);
    EXPECT_TRUE(ruvv_font_is_derived(own));
    EXPECT_TRUE(ruvv_font_is_mapped(own));

    // The same font for no window is copied in.
    same->win = NULL_WIN;
    ruvv_dwin_set_font(&win_, same);
    EXPECT_FALSE(ruvv_font_is_derived(own));

    RUV_FONT *bigger = ruvv_font_create();
    ruvv_font_set_family(bigger, "times");
    ruvv_font_set_size(bigger, 30);
    ruvv_dwin_set_font(&win_, bigger);
    EXPECT_STREQ(ruvv_dwin_get_font_family(&win_), "times");
    EXPECT_EQ(ruvv_dwin_get_font_size(&win_), 30);
    EXPECT_EQ(ruvk_dwin_get_font(&win_, FALSE), own) << "the window keeps its own font record";
    ruvv_font_destroy(same);
    ruvv_font_destroy(bigger);
}

} // namespace
