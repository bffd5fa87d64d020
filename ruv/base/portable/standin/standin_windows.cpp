/* Stand-in for the kernel's window operations that windows from
   definitions call: no window system, so no window is made and the rest
   does nothing; the focus object is whatever a test set. */
#include "ruvk.h"
#include "standin_core.h"

namespace {
RUV_WIN g_focus = NULL_WIN;
}

void standin::set_focus(RUV_WIN win)
{
    g_focus = win;
}

extern "C" {

RUV_WIN ruvk_win_create_def(const struct RUV_WIN_DEF *, RUV_WIN, uint32_t, RUV_EVENT_HANDLER, void *)
{
    return NULL_WIN;
}

void ruvk_win_set_ctl_font(RUV_WIN, struct RUV_FONT *) {}

void ruvk_ctl_set_font(RUV_WIN, struct RUV_FONT *) {}

void ruvk_vobj_set_title(RUV_WIN, const char *) {}

void ruvk_ctl_set_text_sel(RUV_WIN, int32_t, int32_t) {}

RUV_WIN ruvk_scr_get_focus_vobj(void)
{
    return g_focus;
}

} // extern "C"
