// One pass of the message pump: the message hook, the quit message, the
// caret hidden while messages for its window are handled, modeless dialogs,
// accelerators (with the MDI system keys), dispatch and the release of the
// cached device context.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "caret.h"
#include "dialogs.h"
#include "draw_state.h"
#include "html_view.h"
#include "kernel_app.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "startup.h"
#include "window_create.h"

namespace {

constexpr UINT CARET_BLINK = 0x118;

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

// The toolkit window of a message's native window: the nearest native
// ancestor that the toolkit owns.
RUV_WIN window_of(HWND hwnd)
{
    for (HWND h = hwnd; h; h = GetParent(h))
        if (RUV_WIN w = ruvwi_hwnd_to_window(h))
            return w;
    return NULL_WIN;
}

RUV_WIN task_window()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

// Native handle of a top-level window; a window-less window of type 1
// uses the task window's.
HWND top_native(RUV_WIN top)
{
    if (!valid(top))
        return nullptr;
    if (!top->native && top->type == RUVK_W_DOC) {
        RUV_WIN task = task_window();
        return valid(task) ? static_cast<HWND>(task->native) : nullptr;
    }
    return static_cast<HWND>(top->native);
}

// TRUE when the accelerator table took the message.
bool translate_accelerators(RUV_APP_RECORD *app, MSG *msg)
{
    RUV_WIN win = window_of(msg->hwnd);
    if (!valid(win))
        return false;
    RUV_WIN top = win->top;
    if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI)) &&
        (msg->hwnd == app->mdi_client || win->kind == RUVK_KIND_MDIDOC || win->kind == RUVK_KIND_MDITASK)) {
        if (app->mdi_client && TranslateMDISysAccel(app->mdi_client, msg))
            return true;
        top = task_window();
    }
    HWND target = top_native(top);
    return target && TranslateAcceleratorA(target, app->accelerators, msg);
}

} // namespace

extern "C" {

int32_t ruvwi_pump_messages(RUV_APP_RECORD *app, UINT first, UINT last, HWND hwnd)
{
    if (!app)
        return 1;
    int32_t result = 1;
    bool caret_hidden = false;
    RUVK_MSG_FILTER filter{ hwnd, first, last };
    while (!app->fatal) {
        MSG msg;
        if (!PeekMessageA(&msg, hwnd, first, last, PM_REMOVE))
            break;
        if (auto hook = reinterpret_cast<RUVK_MESSAGE_HOOK>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MESSAGE_HOOK))) {
            ruv::ErrFrame frame;
            if (static_cast<int16_t>(hook(&msg, &filter)) == 0)
                continue;
        }
        if (msg.message == WM_QUIT) {
            // Taken, not dispatched; a nested loop posts it again.
            result = 0;
            break;
        }
        if (ruvk_html_translate_key(&msg))
            continue;
        if (!caret_hidden && app->caret_owner && msg.hwnd && msg.hwnd == app->caret_hwnd &&
            msg.message != WM_MOUSEMOVE && msg.message != CARET_BLINK) {
            ruvk_caret_hide_native();
            caret_hidden = true;
        }
        if (app->modeless_count && ruvk_dlg_modeless_message(&msg))
            continue;
        if (app->accelerators && translate_accelerators(app, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ruvk_draw_release_cached();
    }
    if (caret_hidden && app->caret_visible)
        ruvk_caret_show_native();
    return result;
}

int32_t ruvk_app_process_pending_events(void)
{
    return ruvwi_pump_messages(ruvk_app_record(), 0, 0, nullptr);
}

int32_t ruvk_app_pump_range(UINT first, UINT last, HWND hwnd)
{
    int32_t r = ruvwi_pump_messages(ruvk_app_record(), first, last, hwnd);
    // A quit message taken here belongs to the outer loop.
    if (r == 0)
        PostQuitMessage(0);
    return r;
}

} // extern "C"
