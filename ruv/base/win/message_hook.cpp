// The thread's message-filter hook and the menu-selection record: F1 in a
// dialog box goes to the active toolkit window as a private message (or,
// in a native dialog with a help context, to the task window as a help
// request); F1 in an open menu asks for help on the highlighted item.

#include "event_translate.h"

#include "ruvv_static.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "window_create.h"

namespace {

struct HookBlock {
    HHOOK hook;
    int32_t menu_tag;    // highlighted menu item, 0 when none
};

RUV_STATIC_BLOCK(hook_desc, HookBlock, nullptr, nullptr);

HookBlock *block()
{
    return static_cast<HookBlock *>(ruvk_static_get_ptr(&hook_desc));
}

RUV_VOBJ *task_window()
{
    RUV_VOBJ *t = reinterpret_cast<RUV_VOBJ *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    return ruvv_vobj_is_valid(t) ? t : nullptr;
}

LRESULT CALLBACK filter_proc(int code, WPARAM wp, LPARAM lp)
{
    HookBlock *b = block();
    const MSG *m = reinterpret_cast<const MSG *>(lp);
    if (b && code >= 0 && m && m->message == WM_KEYDOWN && m->wParam == VK_F1) {
        if (code == MSGF_DIALOGBOX) {
            HWND active = GetActiveWindow();
            if (ruvwi_hwnd_to_window(active)) {
                PostMessageA(active, RUVK_MSG_DLG_HELP, VK_F1,
                             reinterpret_cast<LPARAM>(ruvwi_hwnd_to_window(m->hwnd)));
                return 0;
            }
            if (ruvv_win_get_help_ctx() != 0)
                ruvk_translate_help(task_window(), nullptr, 0);
        } else if (code == MSGF_MENU && b->menu_tag != 0) {
            RUV_VOBJ *task = task_window();
            const int32_t tag = b->menu_tag;
            b->menu_tag = 0;
            ruvk_translate_help(task, task, tag);
        }
    }
    return CallNextHookEx(b ? b->hook : nullptr, code, wp, lp);
}

} // namespace

extern "C" {

void ruvk_menu_select_record(WPARAM wp, LPARAM lp)
{
    HookBlock *b = block();
    if (!b)
        return;
    b->menu_tag = 0;
    const UINT item = LOWORD(wp), flags = HIWORD(wp);
    if (flags == 0xFFFF && lp == 0)
        return;
    if (flags & (MF_SYSMENU | MF_SEPARATOR | MF_POPUP))
        return;
    if (item >= 61440 || item == 32769 || item == 32770 || item == 32771 || item == 32788)
        return;
    b->menu_tag = static_cast<int32_t>(item);
}

RUV_BOOL ruvk_msg_hook_install(HINSTANCE instance)
{
    HookBlock *b = block();
    if (!b)
        return FALSE;
    if (!b->hook)
        b->hook = SetWindowsHookExA(WH_MSGFILTER, filter_proc, instance, GetCurrentThreadId());
    return b->hook ? TRUE : FALSE;
}

void ruvk_msg_hook_remove(void)
{
    HookBlock *b = block();
    if (!b || !b->hook)
        return;
    UnhookWindowsHookEx(b->hook);
    b->hook = nullptr;
    b->menu_tag = 0;
}

} // extern "C"
