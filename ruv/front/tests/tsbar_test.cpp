// Scroll-bar functions on real windows and controls: the selector a window
// or control has, and a refused call that changes nothing.
#include "controls_support.h"

namespace {

using namespace ruvf_test;
using ctl_test::extra;
using ctl_test::X;

TEST(ScrollKinds, EachObjectTakesOnlyTheBarsItHas)
{
    in_app([] {
        Ctx c;
        RUV_WIN hbar_only = extra(X::HBarOnly);
        RUV_WIN both = extra(X::BothBars);
        RUV_WIN control = c.get(Obj::HScroll);
        ruvk_sbar_set_range(hbar_only, 0, 0, 100);
        ruvk_sbar_set_range(control, 0, 0, 100);
        ruvk_sbar_set_pos(control, 0, 30);
        Recorder rec;
        struct Case {
            const char *what;
            RUV_WIN obj;
            int32_t selector;
            bool taken;
        } cases[] = {
            { "window, horizontal bar", hbar_only, 0, true },
            { "window without a vertical bar", hbar_only, 1, false },
            { "window with both, vertical", both, 1, true },
            { "window, selector 2", both, 2, false },
            { "control, selector 0", control, 0, false },
            { "control, selector 1", control, 1, false },
            { "control itself", control, 2, true },
            { "a document without bars", c.get(Obj::Doc), 0, false },
            { "a push button", c.get(Obj::Button), 2, false },
            { "a selector out of the set", both, 3, false },
        };
        for (const Case &k : cases) {
            SCOPED_TRACE(k.what);
            rec.clear();
            int32_t pos = ruv_sbar_get_pos(k.obj, k.selector);
            if (k.taken) {
                EXPECT_TRUE(rec.reports().empty());
            } else {
                EXPECT_EQ(pos, -1);
                ASSERT_EQ(rec.reports().size(), 1u);
                EXPECT_EQ(rec.reports()[0].id, 0x01230004u);
            }
        }
        rec.clear();
        EXPECT_EQ(ruv_sbar_get_pos(control, 2), 30);
        // A refused set leaves the bar as it was.
        HWND h = ctl_test::hwnd(hbar_only);
        ruvk_sbar_set_pos(hbar_only, 0, 20);
        int before_h = GetScrollPos(h, SB_HORZ), before_v = GetScrollPos(h, SB_VERT);
        ruv_sbar_set_pos(hbar_only, 1, 70);
        EXPECT_EQ(GetScrollPos(h, SB_HORZ), before_h);
        EXPECT_EQ(GetScrollPos(h, SB_VERT), before_v);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01230004u);
        rec.clear();
        ruv_sbar_set_pos(hbar_only, 0, 70);
        EXPECT_EQ(GetScrollPos(h, SB_HORZ), 70);
        EXPECT_TRUE(rec.reports().empty());
    });
}

} // namespace
