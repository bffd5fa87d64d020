// Screen functions of the front layer: the beep, the keyboard focus, the
// cursor, the list of top-level windows and the browser.
#include "cursor.h"
#include "front_guard.h"
#include "ruv.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_windef.h"
#include "window_services.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tscr";

// Objects that never take the focus: print windows, the task window (unless
// it is drawable), the screen, type 8, type 18, group boxes and icons.
constexpr uint32_t NO_FOCUS_TYPES = ruvf::types({ 4, 5, 6, 8, 18, 22, 24 });
constexpr int32_t TYPE_TASK = 5;

} // namespace

extern "C" void ruv_scr_beep(void)
{
    Guard g("ruv_scr_beep", SRC);
    ruvk_scr_beep();
}

extern "C" RUV_WIN ruv_scr_get_focus_topwin(void)
{
    Guard g("ruv_scr_get_focus_topwin", SRC);
    return ruvv_scr_get_focus_topwin();
}

extern "C" RUV_WIN ruv_scr_get_focus_vobj(void)
{
    Guard g("ruv_scr_get_focus_vobj", SRC);
    const RUV_WIN focus = ruvk_scr_get_focus_vobj();
    return ruvf::is_window(focus) ? focus : NULL_WIN;
}

extern "C" void ruv_scr_hide_cursor(void)
{
    Guard g("ruv_scr_hide_cursor", SRC);
    ruvk_scr_hide_cursor();
}

extern "C" void ruv_scr_set_busy_cursor(void)
{
    Guard g("ruv_scr_set_busy_cursor", SRC);
    ruvk_scr_set_busy_cursor();
}

extern "C" struct SLIST *ruv_scr_list_wins(void)
{
    Guard g("ruv_scr_list_wins", SRC);
    return ruvv_scr_list_wins();
}

extern "C" void ruv_scr_set_focus_vobj(RUV_WIN window)
{
    Guard g("ruv_scr_set_focus_vobj", SRC);
    if (!g.not_in_update() || !g.window(window))
        return;
    // A text edit always takes the focus, whatever its type field says.
    if (!ruvf::is_text_edit(window) && ruvf::type_in(window, NO_FOCUS_TYPES)) {
        const bool drawableTask = ruvf::type_of(window) == TYPE_TASK &&
                                  ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW) != 0;
        if (!drawableTask) {
            g.raise(ruvf::ID_INCORRECT_WINDOW_TYPE);
            return;
        }
    }
    ruvk_scr_set_focus_vobj(window);
}

extern "C" RUV_BOOL ruv_scr_launch_browser(const char *address)
{
    Guard g("ruv_scr_launch_browser", SRC);
    if (!g.not_null(address, ruvf::ID_NULL_POINTER) || !g.check(address[0] != '\0', ruvf::ID_BAD_VALUE))
        return FALSE;
    return ruvv_scr_launch_browser(address);
}
