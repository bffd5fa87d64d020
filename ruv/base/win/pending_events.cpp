// Placeholders for the kernel operations that the events module has not
// built yet; each goes when its real definition lands.

#include <stdarg.h>
#include "ruvk.h"
#include "window_procs.h"
#include "event_translate.h"

extern "C" {

void ruvk_app_layout_mdi_client(void)
{
}

LRESULT CALLBACK ruvk_proc_mdidoc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefMDIChildProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_mditask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_task(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_drawtask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_detdoc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_doc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_child(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_mdifrmchild(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

INT_PTR CALLBACK ruvk_proc_dialog(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return 0;
}

LRESULT CALLBACK ruvk_proc_util(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void ruvk_win_link_native(HWND hwnd, RUV_VOBJ *win)
{
}

int16_t ruvwi_wndproc_hook(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result)
{
    return 1;
}

int ruvwi_translate_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return 0; }
int ruvk_translate_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return 0; }
int ruvk_translate_command(HWND hwnd, WPARAM wp, LPARAM lp) { return 0; }
int ruvk_translate_control(HWND hwnd, int32_t code, RUV_VOBJ *ctl) { return 0; }
int ruvk_translate_scroll(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return 0; }
int ruvk_translate_size(HWND hwnd, WPARAM wp, LPARAM lp) { return 0; }
int ruvk_translate_move(HWND hwnd) { return 0; }
int ruvk_translate_paint(HWND hwnd) { return 0; }
int ruvk_translate_focus_gain(HWND hwnd, HWND other) { return 0; }
int ruvk_translate_focus_loss(HWND hwnd, HWND other) { return 0; }
int ruvk_translate_close(HWND hwnd) { return 0; }
int ruvk_translate_timer(HWND hwnd, UINT_PTR id) { return 0; }
int ruvk_translate_quit_query(void) { return 0; }
int ruvk_translate_shutdown(WPARAM ending) { return 0; }
int ruvk_translate_help(RUV_VOBJ *target, RUV_VOBJ *object, int32_t menu_tag) { return 0; }

RUV_BOOL ruvk_msg_hook_install(HINSTANCE instance)
{
    return 1;
}

void ruvk_msg_hook_remove(void)
{
}

}
