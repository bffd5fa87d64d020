// Rectangle arithmetic and the repair of window-definition rectangles.
#include "ruvv_rect.h"
#include "ruvv_res.h"
#include "strings_test_support.h"

using coretest::reported;
using strtest::StringTest;

namespace {

constexpr RUV_ERRMSG_ID kBadRect = 0x01240003;

RUV_RECT rect(int top, int left, int bottom, int right)
{
    return RUV_RECT{(int16_t)top, (int16_t)left, (int16_t)bottom, (int16_t)right};
}

bool same(const RUV_RECT &a, const RUV_RECT &b)
{
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

RUV_POINT point(int v, int h) { return RUV_POINT{(int16_t)v, (int16_t)h}; }

class Rect : public StringTest {};

TEST_F(Rect, SettersAndGetters)
{
    RUV_RECT r;
    ruvv_rect_set(&r, 20, 10, 40, 30); // left, top, right, bottom
    EXPECT_TRUE(same(r, rect(10, 20, 30, 40)));
    EXPECT_EQ(ruvv_rect_get_width(&r), 20);
    EXPECT_EQ(ruvv_rect_get_height(&r), 20);
    RUV_POINT p = ruvv_rect_get_pos(&r);
    EXPECT_EQ(p.v, 10);
    EXPECT_EQ(p.h, 20);
    ruvv_rect_set_pos(&r, point(100, 200));
    EXPECT_TRUE(same(r, rect(100, 200, 120, 220)));
    ruvv_rect_offset(&r, -200, 5); // dh, dv
    EXPECT_TRUE(same(r, rect(105, 0, 125, 20)));
    ruvv_rect_set_width(&r, 7);
    ruvv_rect_set_height(&r, 3);
    EXPECT_TRUE(same(r, rect(105, 0, 108, 7)));
    r = rect(10, 20, 30, 40);
    ruvv_rect_set_empty(&r);
    EXPECT_TRUE(same(r, rect(10, 20, 10, 20)));
    EXPECT_TRUE(ruvv_rect_is_empty(&r));
}

TEST_F(Rect, PointsAndIntersections)
{
    RUV_RECT r = rect(10, 20, 30, 40);
    EXPECT_TRUE(ruvv_rect_has_point(&r, point(10, 20)));  // top-left corner
    EXPECT_FALSE(ruvv_rect_has_point(&r, point(30, 40))); // bottom-right corner
    EXPECT_FALSE(ruvv_rect_has_point(&r, point(29, 40)));
    EXPECT_TRUE(ruvv_rect_has_point(&r, point(29, 39)));

    RUV_RECT touching = rect(30, 20, 50, 40), out;
    EXPECT_FALSE(ruvv_rect_intersect(&out, &r, &touching));
    EXPECT_TRUE(ruvv_rect_is_empty(&out));
    RUV_RECT overlap = rect(25, 35, 50, 60);
    EXPECT_TRUE(ruvv_rect_intersect(&out, &r, &overlap));
    EXPECT_TRUE(same(out, rect(25, 35, 30, 40)));
    EXPECT_TRUE(ruvv_rect_intersect(nullptr, &r, &overlap));
}

TEST_F(Rect, Repair)
{
    RUV_RECT r = rect(30, 40, 10, 40);
    ruvv_rect_repair(&r);
    EXPECT_TRUE(same(r, rect(10, 40, 30, 41)));
    RUV_RECT src = rect(5, 9, 5, 1), dst;
    EXPECT_EQ(ruvv_rect_repair_ptr(&src, &dst), &dst);
    EXPECT_TRUE(same(dst, rect(5, 1, 6, 9)));
    EXPECT_TRUE(same(src, rect(5, 9, 5, 1))); // unchanged
}

TEST_F(Rect, WindowDefinitionsAreRepairedAndCanBeRestored)
{
    RUV_WIN_DEF def[6] = {};
    def[0].type = 1;
    def[0].rect = rect(0, 0, 100, 200);  // fine
    def[1].type = 12;
    def[1].rect = rect(10, 10, 10, 50);  // a push button may be flat
    def[2].type = 16;
    def[2].rect = rect(10, 10, 50, 10);  // a vertical scroll bar may be thin
    def[3].type = 17;
    def[3].rect = rect(10, 50, 20, 10);  // bad: left > right
    def[4].type = 19;
    def[4].rect = rect(10, 10, 10, 20);  // bad: a list box may not be flat
    RUV_RECT saved[4];
    RUV_RECT *places[4];
    EXPECT_TRUE(ruvv_rect_repair_windef(def, saved, places, 4));
    EXPECT_TRUE(same(def[3].rect, rect(10, 10, 20, 50)));
    EXPECT_TRUE(same(def[4].rect, rect(10, 10, 11, 20)));
    EXPECT_EQ(places[0], &def[3].rect);
    EXPECT_EQ(places[1], &def[4].rect);
    EXPECT_EQ(places[2], nullptr);
    EXPECT_EQ(strtest::count_reports(kBadRect), 2);
    ruvv_rect_restore(saved, places);
    EXPECT_TRUE(same(def[3].rect, rect(10, 50, 20, 10)));
    EXPECT_TRUE(same(def[4].rect, rect(10, 10, 10, 20)));
    EXPECT_TRUE(same(def[1].rect, rect(10, 10, 10, 50)));

    coretest::reports().clear(); // room for one: the second is repaired, not saved
    EXPECT_TRUE(ruvv_rect_repair_windef(def, saved, places, 2));
    EXPECT_EQ(places[0], &def[3].rect);
    EXPECT_EQ(places[1], nullptr);
    EXPECT_TRUE(same(def[4].rect, rect(10, 10, 11, 20)));
    int errors = 0;
    for (const coretest::Report &rep : coretest::reports())
        errors += rep.id == kBadRect && rep.severity == RUV_SEV_ERROR;
    EXPECT_EQ(errors, 1);

    coretest::reports().clear(); // nothing left to repair
    EXPECT_FALSE(ruvv_rect_repair_windef(def, saved, places, 4));
    EXPECT_EQ(places[0], nullptr);
}

} // namespace
