// Scroll-bar functions of the front layer: range, position and proportion
// (thumb size) of a window's own scroll bars and of scroll-bar controls,
// each handed to the kernel once the selector is one the object has.
#include "front_guard.h"
#include "native_controls.h"
#include "ruv.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "window_services.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tsbar";

enum : int32_t { SEL_HORZ = 0, SEL_VERT = 1, SEL_CONTROL = 2 };
enum : uint32_t { FLAG_HSCROLL = 0x4u, FLAG_VSCROLL = 0x8u };

// Whether the object has the scroll bar the selector names: a document or
// top-level window (or the task window, unless the application runs
// without one) its horizontal or vertical bar, a scroll-bar control only
// itself.
bool ruv_sbar_check_type(RUV_WIN win, int32_t selector)
{
    switch (ruvf::type_of(win)) {
    case 5:
        if (ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW) != 0)
            return false;
        [[fallthrough]];
    case 1:
    case 2: {
        uint32_t flags = ruvk_vobj_get_flags(win);
        return (selector == SEL_HORZ && (flags & FLAG_HSCROLL)) || (selector == SEL_VERT && (flags & FLAG_VSCROLL));
    }
    case WC_HSCROLL_BAR:
    case WC_VSCROLL_BAR:
        return selector == SEL_CONTROL;
    default:
        return false;
    }
}

bool scroll_checks(Guard &g, RUV_WIN win, int32_t selector, int line = __builtin_LINE())
{
    return g.window(win, line) &&
           g.check(ruv_sbar_check_type(win, selector), ruvf::ID_INCORRECT_SCROLL_TYPE, nullptr, line);
}

} // namespace

extern "C" int32_t ruv_sbar_get_pos(RUV_WIN window, int32_t selector)
{
    Guard g("ruv_sbar_get_pos", SRC);
    if (!scroll_checks(g, window, selector))
        return -1;
    return ruvk_sbar_get_pos(window, selector);
}

extern "C" int32_t ruv_sbar_get_proportion(RUV_WIN window, int32_t selector)
{
    Guard g("ruv_sbar_get_proportion", SRC);
    if (!scroll_checks(g, window, selector))
        return -1;
    return ruvk_sbar_get_proportion(window, selector);
}

extern "C" void ruv_sbar_get_range(RUV_WIN window, int32_t selector, int32_t *minimum, int32_t *maximum)
{
    Guard g("ruv_sbar_get_range", SRC);
    if (!g.window(window) || !g.not_null(minimum) || !g.not_null(maximum) ||
        !g.check(ruv_sbar_check_type(window, selector), ruvf::ID_INCORRECT_SCROLL_TYPE))
        return;
    ruvk_sbar_get_range(window, selector, minimum, maximum);
}

extern "C" void ruv_sbar_set_pos(RUV_WIN window, int32_t selector, int32_t position)
{
    Guard g("ruv_sbar_set_pos", SRC);
    if (!scroll_checks(g, window, selector))
        return;
    ruvk_sbar_set_pos(window, selector, position);
}

extern "C" void ruv_sbar_set_proportion(RUV_WIN window, int32_t selector, int32_t proportion)
{
    Guard g("ruv_sbar_set_proportion", SRC);
    if (!scroll_checks(g, window, selector))
        return;
    ruvk_sbar_set_proportion(window, selector, proportion);
}

extern "C" void ruv_sbar_set_range(RUV_WIN window, int32_t selector, int32_t minimum, int32_t maximum)
{
    Guard g("ruv_sbar_set_range", SRC);
    if (!scroll_checks(g, window, selector))
        return;
    ruvk_sbar_set_range(window, selector, minimum, maximum);
}
