// Conformance rows of the scroll-bar functions (tsbar).
#include "conformance.h"
#include "controls_support.h"

using namespace ruvf_test;
using ctl_test::extra;
using ctl_test::X;

namespace {

SCROLLINFO info(HWND h, int bar)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, bar, &si);
    return si;
}

RUV_WIN bars()
{
    return extra(X::BothBars);
}

// A range on the window's vertical bar, set through the toolkit's kernel.
void prepare(int32_t selector = 1)
{
    ruvk_sbar_set_range(bars(), selector, 0, 100);
    ruvk_sbar_set_proportion(bars(), selector, 10);
    ruvk_sbar_set_pos(bars(), selector, 5);
}

} // namespace

static Rows rows{
    Row{ "ruv_sbar_get_pos", "tsbar" }
        .failure(-1)
        .window([](Ctx &, RUV_WIN w) { return R(ruv_sbar_get_pos(w, 1)); })
        .refused_type(Obj::Doc, 0x01230004)
        .refused_type(Obj::Button, 0x01230004)
        .bad("selector 0 on a scroll-bar control", 0x01230004,
             [](Ctx &c) { return R(ruv_sbar_get_pos(c.get(Obj::HScroll), 0)); })
        .bad("selector 1 on a window with a horizontal bar only", 0x01230004,
             [](Ctx &) { return R(ruv_sbar_get_pos(extra(X::HBarOnly), 1)); })
        .valid([](Ctx &) {
            prepare();
            return R(ruv_sbar_get_pos(bars(), 1));
        })
        .read_back([](Ctx &) { return ruv_sbar_get_pos(bars(), 1) == GetScrollPos(ctl_test::hwnd(bars()), SB_VERT); }),
    Row{ "ruv_sbar_get_proportion", "tsbar" }
        .failure(-1)
        .window([](Ctx &, RUV_WIN w) { return R(ruv_sbar_get_proportion(w, 2)); })
        .refused_type(Obj::Doc, 0x01230004)
        .valid([](Ctx &c) {
            ruvk_sbar_set_range(c.get(Obj::HScroll), 2, 0, 50);
            ruvk_sbar_set_proportion(c.get(Obj::HScroll), 2, 7);
            return R(ruv_sbar_get_proportion(c.get(Obj::HScroll), 2));
        })
        .read_back([](Ctx &c) { return ruv_sbar_get_proportion(c.get(Obj::HScroll), 2) == 7; }),
    Row{ "ruv_sbar_get_range", "tsbar" }
        .window([](Ctx &, RUV_WIN w) {
            int32_t lo, hi;
            ruv_sbar_get_range(w, 0, &lo, &hi);
            return 0;
        })
        .bad("NULL minimum", 0x00210000,
             [](Ctx &) {
                 int32_t hi;
                 ruv_sbar_get_range(bars(), 0, nullptr, &hi);
                 return 0;
             })
        .bad("NULL maximum, before the selector", 0x00210000,
             [](Ctx &c) {
                 int32_t lo;
                 ruv_sbar_get_range(c.get(Obj::Doc), 0, &lo, nullptr);
                 return 0;
             })
        .bad("selector 2 on a window", 0x01230004,
             [](Ctx &) {
                 int32_t lo, hi;
                 ruv_sbar_get_range(bars(), 2, &lo, &hi);
                 return 0;
             })
        .valid([](Ctx &) {
            int32_t lo = -1, hi = -1;
            prepare(0);
            ruv_sbar_get_range(bars(), 0, &lo, &hi);
            return 0;
        })
        .read_back([](Ctx &) {
            int32_t lo = -1, hi = -1;
            ruv_sbar_get_range(bars(), 0, &lo, &hi);
            return lo == 0 && hi == 100;
        }),
    Row{ "ruv_sbar_set_pos", "tsbar" }
        .window([](Ctx &, RUV_WIN w) { ruv_sbar_set_pos(w, 1, 3); return 0; })
        .refused_type(Obj::Doc, 0x01230004)
        .bad("selector 1 on a window with a horizontal bar only", 0x01230004,
             [](Ctx &) { ruv_sbar_set_pos(extra(X::HBarOnly), 1, 3); return 0; })
        .valid([](Ctx &) {
            prepare();
            ruv_sbar_set_pos(bars(), 1, 40);
            return 0;
        })
        .read_back([](Ctx &) { return GetScrollPos(ctl_test::hwnd(bars()), SB_VERT) == 40; }),
    Row{ "ruv_sbar_set_proportion", "tsbar" }
        .window([](Ctx &, RUV_WIN w) { ruv_sbar_set_proportion(w, 1, 3); return 0; })
        .refused_type(Obj::Doc, 0x01230004)
        .valid([](Ctx &) {
            prepare();
            ruv_sbar_set_proportion(bars(), 1, 25);
            return 0;
        })
        .read_back([](Ctx &) {
            SCROLLINFO si = info(ctl_test::hwnd(bars()), SB_VERT);
            return si.nPage == 25u || si.nMax == 75;
        }),
    Row{ "ruv_sbar_set_range", "tsbar" }
        .window([](Ctx &, RUV_WIN w) { ruv_sbar_set_range(w, 2, 0, 10); return 0; })
        .refused_type(Obj::Doc, 0x01230004)
        .bad("selector 2 on a window", 0x01230004, [](Ctx &) { ruv_sbar_set_range(bars(), 2, 0, 10); return 0; })
        .valid([](Ctx &) {
            ruv_sbar_set_range(extra(X::VScroll), 2, 10, 60);
            return 0;
        })
        .read_back([](Ctx &) {
            SCROLLINFO si = info(ctl_test::hwnd(extra(X::VScroll)), SB_CTL);
            return si.nMin == 10 && (si.nMax == 60 || si.nMax == 59);
        }),
};
