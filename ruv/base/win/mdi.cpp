// The multiple-document task frame and its documents: the frame makes the
// MDI client and the window-less frame object, tiles, cascades and arranges
// its documents, keeps the client inside the application's margins and
// ends the loop when it goes; MDI documents are documents with the focus
// rules of the MDI client.

#include "window_procs.h"

#include "caret.h"
#include "cursor.h"
#include "draw_state.h"
#include "menus.h"
#include "event_translate.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_event.h"
#include "ruvv_mem.h"
#include "ruvk.h"
#include "window_create.h"
#include "window_services.h"

namespace {

constexpr int32_t kAttrMarginLeft = 10032;
constexpr int32_t kAttrMarginRight = 10033;
constexpr UINT kMdiClientId = 100;
constexpr UINT kFirstDocumentId = 32788;
constexpr DWORD kMdiClientStyle = 0x42300001;

RUV_VOBJ *record_of(HWND hwnd)
{
    return hwnd ? ruvwi_hwnd_to_window(hwnd) : nullptr;
}

HWND mdi_client()
{
    RUV_APP_RECORD *app = ruvk_app_record();
    return app ? app->mdi_client : nullptr;
}

intptr_t attr(int32_t key)
{
    return ruvk_vobj_get_attr(NULL_WIN, key);
}

// ---- Frame ---------------------------------------------------------------

void frame_create(HWND hwnd, LPARAM lp)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    const CREATESTRUCTA *cs = reinterpret_cast<const CREATESTRUCTA *>(lp);
    RUV_VOBJ *w = static_cast<RUV_VOBJ *>(cs->lpCreateParams);
    CLIENTCREATESTRUCT ccs = {app ? app->window_menu : nullptr, kFirstDocumentId};
    HWND client = CreateWindowExA(0, "mdiclient", nullptr, kMdiClientStyle, 0, 0, 0, 0, hwnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kMdiClientId)),
                                  cs->hInstance, &ccs);
    if (app)
        app->mdi_client = client;
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_MDI_CLIENT, reinterpret_cast<intptr_t>(client));
    if (client)
        ShowWindow(client, SW_SHOW);
    ruvk_on_native_create(hwnd, w);
    if (!w || w->tag != RUV_VOBJ_TAG)
        return;
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(w));

    RUV_VOBJ *frame = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
    if (!frame)
        return;
    frame->tag = RUV_VOBJ_TAG;
    frame->type = 1;
    frame->kind = RUVK_KIND_MDIFRAME_OBJ;
    frame->parent = reinterpret_cast<RUV_VOBJ *>(attr(RUV_ATTR_SCREEN_WINDOW));
    frame->top = frame;
    ruvv_registry_add(frame);
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_MDI_FRAME_WINDOW, reinterpret_cast<intptr_t>(frame));
}

void frame_destroyed(HWND hwnd)
{
    ruvk_win_native_destroyed(hwnd);
    RUV_VOBJ *frame = reinterpret_cast<RUV_VOBJ *>(attr(RUV_ATTR_MDI_FRAME_WINDOW));
    if (frame && ruvv_vobj_is_valid(frame)) {
        ruvv_registry_remove(frame);
        frame->tag = 0;
        ruvv_mem_free(frame);
    }
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_MDI_FRAME_WINDOW, 0);
    if (RUV_APP_RECORD *app = ruvk_app_record())
        app->mdi_client = nullptr;
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_MDI_CLIENT, 0);
    PostQuitMessage(0);
}

// Menu commands of the frame; FALSE sends the command to DefFrameProcA.
bool frame_command(HWND hwnd, WPARAM wp, LPARAM lp)
{
    if (lp) {
        RUV_VOBJ *ctl = record_of(reinterpret_cast<HWND>(lp));
        return ruvk_translate_control(hwnd, HIWORD(wp), ctl) != 0;
    }
    HWND client = mdi_client();
    const UINT tag = LOWORD(wp);
    switch (tag) {
    case 32769:
        SendMessageA(client, WM_MDITILE, MDITILE_SKIPDISABLED, 0);
        return true;
    case 32770:
        SendMessageA(client, WM_MDICASCADE, MDITILE_SKIPDISABLED, 0);
        return true;
    case 32771:
        SendMessageA(client, WM_MDIICONARRANGE, 0, 0);
        return true;
    default:
        break;
    }
    if (tag >= 61440 || (tag >> 8) == 0x80)
        return false;
    HWND active = client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    HWND target = active && record_of(active) && ruvk_has_menu_bar(active) ? active : hwnd;
    return ruvk_translate_command_to(target, wp, 0, RUVK_CMD_SELF) != 0;
}

// The client inside the margins, or FALSE for DefFrameProcA's layout.
bool frame_layout(HWND hwnd)
{
    const int top = static_cast<int16_t>(attr(RUV_ATTR_MDI_MARGIN_TOP));
    const int bottom = static_cast<int16_t>(attr(RUV_ATTR_MDI_MARGIN_BOTTOM));
    const int left = static_cast<int16_t>(attr(kAttrMarginLeft));
    const int right = static_cast<int16_t>(attr(kAttrMarginRight));
    if (!top && !bottom && !left && !right)
        return false;
    RECT r;
    GetClientRect(hwnd, &r);
    if (HWND client = mdi_client())
        MoveWindow(client, left, top, r.right - right - left, r.bottom - bottom - top, TRUE);
    return true;
}

// ---- Documents ---------------------------------------------------------------

RUV_VOBJ *doc_create_param(LPARAM lp)
{
    const CREATESTRUCTA *cs = reinterpret_cast<const CREATESTRUCTA *>(lp);
    const MDICREATESTRUCTA *mcs = cs ? static_cast<const MDICREATESTRUCTA *>(cs->lpCreateParams) : nullptr;
    return mcs ? reinterpret_cast<RUV_VOBJ *>(mcs->lParam) : nullptr;
}

bool take_queued(HWND hwnd, UINT msg)
{
    MSG m;
    return PeekMessageA(&m, hwnd, msg, msg, PM_REMOVE) != 0;
}

void doc_gain(HWND hwnd, HWND other)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return;
    ruvk_menu_show(w);
    HWND active = reinterpret_cast<HWND>(SendMessageA(mdi_client(), WM_MDIGETACTIVE, 0, 0));
    RUV_VOBJ *remembered = w->last_focus;
    if (other && other == mdi_client() && active == hwnd && ruvv_vobj_is_valid(remembered) && remembered != w) {
        ruvk_caret_focus_gained(w);
        ruvk_send_focus(w, nullptr, 1);
        if (ruvv_vobj_is_valid(remembered) && remembered->native)
            SetFocus(static_cast<HWND>(remembered->native));
        return;
    }
    ruvk_focus_remember(w);
    ruvk_caret_focus_gained(w);
    if (w->kind & 0x4000100eu)
        ruvk_draw_begin_palette(w);
    ruvk_send_focus(w, other, 1);
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
}

void doc_loss(HWND hwnd, HWND other)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return;
    RUV_VOBJ *o = record_of(other);
    const bool to_mdi = o && (o->kind == RUVK_KIND_MDIDOC ||
                              ((o->kind & 0x80u) && o->parent && o->parent->kind == RUVK_KIND_MDIFRAME_OBJ));
    if (!to_mdi && (!o || o->top != w->top))
        SendMessageA(hwnd, WM_NCACTIVATE, FALSE, 0);
    ruvk_caret_focus_lost(w);
    ruvk_send_focus(w, other, 0);
}

int doc_focus(HWND hwnd, UINT msg, HWND other)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 1;
    switch (msg) {
    case WM_SETFOCUS:
        if (take_queued(hwnd, RUVK_MSG_FOCUS_LOSS))
            return 1;
        if (!ruvk_focus_now(w))
            PostMessageA(hwnd, RUVK_MSG_FOCUS_GAIN, reinterpret_cast<WPARAM>(other), 0);
        else
            doc_gain(hwnd, other);
        return 1;
    case WM_KILLFOCUS:
        if (take_queued(hwnd, RUVK_MSG_FOCUS_GAIN))
            return 1;
        if (!ruvk_creation_done(w))
            PostMessageA(hwnd, RUVK_MSG_FOCUS_LOSS, reinterpret_cast<WPARAM>(other), 0);
        else
            doc_loss(hwnd, other);
        return 1;
    case RUVK_MSG_FOCUS_GAIN:
        doc_gain(hwnd, other);
        return 1;
    case RUVK_MSG_FOCUS_LOSS: {
        MSG m;
        while (PeekMessageA(&m, hwnd, RUVK_MSG_FOCUS_GAIN, RUVK_MSG_FOCUS_GAIN, PM_REMOVE))
            DispatchMessageA(&m);
        doc_loss(hwnd, other);
        return 1;
    }
    default:
        return 0;
    }
}

LRESULT CALLBACK def_mdi_child(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefMDIChildProcA(hwnd, msg, wp, lp);
}

const RUVK_PROC_TRAITS kMdiDoc = {
    def_mdi_child, doc_create_param, doc_focus, nullptr, RUVK_CMD_DOC, RUVK_FOCUS_PLAIN,
    RUVK_PF_WHEEL | RUVK_PF_CLICK_FOCUS | RUVK_PF_MOVE | RUVK_PF_CLOSE | RUVK_PF_SYSCOMMAND | RUVK_PF_MINMAX |
        RUVK_PF_MOUSEACTIVATE | RUVK_PF_MENUCHAR | RUVK_PF_DEFAULT_SIZE | RUVK_PF_DEFAULT_FOCUS,
};

} // namespace

extern "C" {

LRESULT CALLBACK ruvk_proc_mditask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result;
    if (!ruvwi_wndproc_hook(hwnd, msg, wp, lp, &result))
        return result;
    switch (msg) {
    case WM_CREATE:
        frame_create(hwnd, lp);
        return 0;
    case RUVK_MSG_CREATED:
        ruvk_creation_event(hwnd);
        return 0;
    case WM_COMMAND:
        if (frame_command(hwnd, wp, lp))
            return 0;
        break;
    case WM_SIZE:
        if (wp == SIZE_MINIMIZED)
            break;
        ruvk_translate_size(hwnd, wp, lp);
        if (frame_layout(hwnd))
            return 0;
        break;
    case RUVK_MSG_SIZE:
        ruvk_translate_size(hwnd, wp, lp);
        return 0;
    case RUVK_MSG_CONTROL:
        ruvk_translate_control_deferred(hwnd, wp, lp);
        return 0;
    case WM_CLOSE:
        ruvk_translate_close(hwnd);
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wp) == hwnd || reinterpret_cast<HWND>(wp) == mdi_client()) {
            ruvk_cursor_set_for_window(record_of(hwnd));
            return 1;
        }
        break;
    case WM_NCDESTROY:
        frame_destroyed(hwnd);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        ruvk_close_drop_list();
        break;
    case WM_TIMER:
        if (ruvk_translate_timer(hwnd, wp))
            return 0;
        break;
    case WM_MENUCHAR:
        return ruvk_menu_char(hwnd, wp, lp, DefFrameProcA(hwnd, mdi_client(), msg, wp, lp));
    default:
        break;
    }
    return DefFrameProcA(hwnd, mdi_client(), msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_mdidoc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SIZE && wp == SIZE_MINIMIZED && GetFocus() == hwnd)
        SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    // The activated document shows its bar on the frame; before its
    // creation is complete, once it is.
    if (msg == WM_MDIACTIVATE && reinterpret_cast<HWND>(lp) == hwnd) {
        if (RUV_VOBJ *w = record_of(hwnd)) {
            if (ruvk_creation_done(w))
                ruvk_menu_show(w);
            else
                PostMessageA(hwnd, RUVK_MSG_MDI_ACTIVATE, 0, 0);
        }
    } else if (msg == RUVK_MSG_MDI_ACTIVATE) {
        if (RUV_VOBJ *w = record_of(hwnd))
            ruvk_menu_show(w);
        return 0;
    }
    return ruvk_doc_proc(&kMdiDoc, hwnd, msg, wp, lp);
}

void ruvk_app_layout_mdi_client(void)
{
    RUV_VOBJ *task = reinterpret_cast<RUV_VOBJ *>(attr(RUV_ATTR_TASK_WINDOW));
    if (!ruvv_vobj_is_valid(task) || task->kind != RUVK_KIND_MDITASK || !task->native)
        return;
    HWND frame = static_cast<HWND>(task->native);
    if (!IsWindowVisible(frame) || IsIconic(frame))
        return;
    RECT r;
    GetClientRect(frame, &r);
    SendMessageA(frame, WM_SIZE, IsZoomed(frame) ? SIZE_MAXIMIZED : SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
}

} // extern "C"
