// Window procedures of the kernel's window classes: task, drawable task,
// document, detached document (and wialog), child, child of the MDI frame,
// template dialog and the hidden utility window.  Each runs the pre-filter
// first, then routes what its class knows to the event translators and the
// rest to the default procedure.  The MDI frame and MDI documents are in
// mdi.cpp and share the document handling here.

#include "window_procs.h"
#include "native_controls.h"

#include "cursor.h"
#include "dialogs.h"
#include "draw_state.h"
#include "event_translate.h"
#include "menus.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_cxo.h"
#include "ruvv_errmsg.h"
#include "ruvk.h"
#include "startup.h"
#include "timers.h"
#include "window_create.h"
#include "window_services.h"

namespace {

RUV_VOBJ *record_of(HWND hwnd)
{
    return hwnd ? ruvwi_hwnd_to_window(hwnd) : nullptr;
}

RUV_VOBJ *create_param(LPARAM lp)
{
    const CREATESTRUCTA *cs = reinterpret_cast<const CREATESTRUCTA *>(lp);
    return cs ? static_cast<RUV_VOBJ *>(cs->lpCreateParams) : nullptr;
}

bool is_mouse(UINT msg)
{
    return (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) || msg == WM_MOUSEWHEEL || msg == WM_MOUSEHWHEEL;
}

bool is_button_down(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

// The plain task window passes its focus on to its first visible, enabled
// child while it still holds it itself; TRUE when a child took it.
bool focus_to_first_child(HWND hwnd)
{
    if (GetFocus() != hwnd)
        return false;
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsWindowVisible(c) && IsWindowEnabled(c)) {
            SetFocus(c);
            return true;
        }
    }
    return false;
}

LRESULT default_of(const RUVK_PROC_TRAITS &t, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return t.def ? t.def(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

// Focus gain and loss of the document-like classes, once they are to be
// processed (at once, or when the deferred message arrives).
void doc_focus_gain(const RUVK_PROC_TRAITS &t, HWND hwnd, HWND other)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return;
    if (t.focus == RUVK_FOCUS_DETDOC) {
        RUV_VOBJ *o = record_of(other);
        if (!o || o->top != w->top)
            ruvk_focus_to_remembered(w);
    } else if (t.focus == RUVK_FOCUS_CHILD) {
        ruvk_focus_remember(w);
    }
    ruvk_translate_focus_gain(hwnd, other);
}

} // namespace

extern "C" {

LRESULT ruvk_menu_char(HWND hwnd, WPARAM wp, LPARAM lp, LRESULT def)
{
    (void)hwnd;
    (void)wp;
    (void)lp;
    const WORD action = HIWORD(def);
    if (action == MNC_EXECUTE || action == MNC_SELECT)
        return def;
    RUV_VOBJ *f = ruvk_scr_get_focus_vobj();
    if (f && (f->kind & 0x80u))
        f = f->parent;
    if (ruvv_vobj_is_valid(f) && (f->kernel_flags & RUVK_KF_NAVIGATION))
        return 0x10000;
    return def;
}

LRESULT ruvk_doc_proc(const RUVK_PROC_TRAITS *tr, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    const RUVK_PROC_TRAITS &t = *tr;
    LRESULT result;
    if (!ruvwi_wndproc_hook(hwnd, msg, wp, lp, &result))
        return result;
    // Colours and coloured rows of the window's native controls.
    if (msg == WM_DRAWITEM && ruvk_ctl_draw_item(reinterpret_cast<const DRAWITEMSTRUCT *>(lp)))
        return TRUE;
    if (ruvk_ctl_handle_color_msg(hwnd, msg, wp, lp, &result))
        return result;

    if (is_mouse(msg)) {
        if ((msg == WM_MOUSEWHEEL || msg == WM_MOUSEHWHEEL) && !(t.flags & RUVK_PF_WHEEL))
            return default_of(t, hwnd, msg, wp, lp);
        if (is_button_down(msg) && (t.flags & RUVK_PF_CLICK_FOCUS))
            ruvk_click_focus(hwnd);
        if (ruvwi_translate_mouse(hwnd, msg, wp, lp))
            return 0;
        return default_of(t, hwnd, msg, wp, lp);
    }

    switch (msg) {
    case WM_CREATE:
        ruvk_on_native_create(hwnd, t.create_param ? t.create_param(lp) : create_param(lp));
        break;
    case RUVK_MSG_CREATED:
        ruvk_creation_event(hwnd);
        return 0;

    case WM_KEYDOWN:
    case WM_CHAR:
        if (ruvk_translate_key(hwnd, msg, wp, lp))
            return 0;
        break;
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR: {
        RUV_VOBJ *w = record_of(hwnd);
        if (w && (w->kernel_flags & RUVK_KF_NAVIGATION))
            ruvk_translate_key(hwnd, msg, wp, lp);
        break;
    }

    case WM_COMMAND:
        if (ruvk_translate_command_to(hwnd, wp, lp, t.command_route))
            return 0;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (ruvk_translate_scroll(hwnd, msg, wp, lp))
            return 0;
        break;

    case WM_MOVE:
        if (t.flags & RUVK_PF_MOVE)
            ruvk_translate_move(hwnd);
        break;
    case WM_SIZE:
        if (ruvk_translate_size(hwnd, wp, lp) && !(t.flags & RUVK_PF_DEFAULT_SIZE))
            return 0;
        break;
    case WM_PAINT:
        if (ruvk_translate_paint(hwnd))
            return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        RUV_VOBJ *w = record_of(hwnd);
        if (!w)
            break;
        if (t.focus_override && t.focus_override(hwnd, msg, reinterpret_cast<HWND>(wp))) {
        } else if (!ruvk_focus_now(w)) {
            PostMessageA(hwnd, msg == WM_SETFOCUS ? RUVK_MSG_FOCUS_GAIN : RUVK_MSG_FOCUS_LOSS, wp, 0);
        } else if (msg == WM_SETFOCUS) {
            doc_focus_gain(t, hwnd, reinterpret_cast<HWND>(wp));
        } else {
            ruvk_translate_focus_loss(hwnd, reinterpret_cast<HWND>(wp));
        }
        if (t.flags & RUVK_PF_DEFAULT_FOCUS)
            break;
        return 0;
    }
    case WM_CLOSE:
        if (t.flags & RUVK_PF_CLOSE) {
            ruvk_translate_close(hwnd);
            return 0;
        }
        break;
    case WM_TIMER:
        if (ruvk_translate_timer(hwnd, wp))
            return 0;
        break;
    case WM_SETCURSOR:
        ruvk_cursor_set_for_window(record_of(hwnd));
        return 1;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        ruvk_close_drop_list();
        break;
    case WM_MENUCHAR:
        if (t.flags & RUVK_PF_MENUCHAR)
            return ruvk_menu_char(hwnd, wp, lp, default_of(t, hwnd, msg, wp, lp));
        break;
    case WM_NCDESTROY:
        ruvk_win_native_destroyed(hwnd);
        break;

    case WM_SYSCOMMAND:
        if (t.flags & RUVK_PF_SYSCOMMAND) {
            RUV_VOBJ *w = record_of(hwnd);
            if ((wp & 0xFFF0) == SC_KEYMENU && lp != '-' && !IsIconic(hwnd) && w && w->parent) {
                HWND ph = ruvk_vobj_hwnd(w->parent);
                if (ph) {
                    SendMessageA(ph, WM_SYSCOMMAND, wp, lp);
                    return 0;
                }
            }
        }
        break;
    case WM_GETMINMAXINFO:
        if (t.flags & RUVK_PF_MINMAX) {
            RUV_VOBJ *w = record_of(hwnd);
            HWND ph = w && w->parent ? ruvk_vobj_hwnd(w->parent) : GetParent(hwnd);
            RECT pr;
            if (ph && GetClientRect(ph, &pr)) {
                MINMAXINFO *mm = reinterpret_cast<MINMAXINFO *>(lp);
                mm->ptMaxSize.x = pr.right + 1;
                mm->ptMaxSize.y = pr.bottom + 1;
                mm->ptMaxPosition.x = 0;
                mm->ptMaxPosition.y = 0;
                if (t.flags & RUVK_PF_DEFAULT_SIZE)
                    break;
                return 0;
            }
        }
        break;
    case WM_MOUSEACTIVATE:
        if (t.flags & RUVK_PF_MOUSEACTIVATE_ONLY)
            return MA_ACTIVATE;
        if ((t.flags & RUVK_PF_MOUSEACTIVATE) && LOWORD(lp) != HTCLIENT) {
            if (RUV_VOBJ *w = record_of(hwnd))
                ruvk_focus_to_remembered(w);
            return MA_ACTIVATE;
        }
        break;
    case WM_PALETTECHANGED:
        if ((t.flags & RUVK_PF_PALETTE) && reinterpret_cast<HWND>(wp) != hwnd) {
            if (RUV_VOBJ *w = record_of(hwnd))
                ruvk_draw_begin_palette(w);
            return 0;
        }
        break;

    case RUVK_MSG_FOCUS_GAIN:
        if (!(t.focus_override && t.focus_override(hwnd, msg, reinterpret_cast<HWND>(wp))))
            doc_focus_gain(t, hwnd, reinterpret_cast<HWND>(wp));
        return 0;
    case RUVK_MSG_FOCUS_LOSS:
        if (!(t.focus_override && t.focus_override(hwnd, msg, reinterpret_cast<HWND>(wp))))
            ruvk_translate_focus_loss(hwnd, reinterpret_cast<HWND>(wp));
        return 0;
    case RUVK_MSG_MOVE:
        if (!(t.flags & RUVK_PF_MOVE))
            break;
        return 0;
    case RUVK_MSG_SIZE:
    case RUVK_MSG_PAINT:
    case RUVK_MSG_CONTROL:
        ruvk_translate_deferred(hwnd, msg, wp, lp);
        return 0;
    case WM_QUIT:
        if (t.flags & RUVK_PF_NO_QUIT)
            return 0;
        break;
    default:
        if (t.extra) {
            LRESULT r;
            if (t.extra(hwnd, msg, wp, lp, &r))
                return r;
        }
        break;
    }
    return default_of(t, hwnd, msg, wp, lp);
}

// ---- Document classes ----------------------------------------------------

static const RUVK_PROC_TRAITS kDoc = {
    nullptr, nullptr, nullptr, nullptr, RUVK_CMD_DOC, RUVK_FOCUS_PLAIN,
    RUVK_PF_WHEEL | RUVK_PF_CLICK_FOCUS | RUVK_PF_MOVE | RUVK_PF_CLOSE | RUVK_PF_SYSCOMMAND | RUVK_PF_MINMAX |
        RUVK_PF_MOUSEACTIVATE | RUVK_PF_MENUCHAR,
};

static const RUVK_PROC_TRAITS kDetdoc = {
    nullptr, nullptr, nullptr, nullptr, RUVK_CMD_DOC, RUVK_FOCUS_DETDOC,
    RUVK_PF_WHEEL | RUVK_PF_CLICK_FOCUS | RUVK_PF_MOVE | RUVK_PF_CLOSE | RUVK_PF_MENUCHAR | RUVK_PF_PALETTE |
        RUVK_PF_MOUSEACTIVATE,
};

static const RUVK_PROC_TRAITS kChild = {
    nullptr, nullptr, nullptr, nullptr, RUVK_CMD_SELF, RUVK_FOCUS_CHILD,
    RUVK_PF_WHEEL | RUVK_PF_CLICK_FOCUS | RUVK_PF_MOVE | RUVK_PF_CLOSE | RUVK_PF_SYSCOMMAND | RUVK_PF_MINMAX |
        RUVK_PF_MOUSEACTIVATE | RUVK_PF_MENUCHAR,
};

static const RUVK_PROC_TRAITS kMdiFrameChild = {
    nullptr, nullptr, nullptr, nullptr, RUVK_CMD_SELF, RUVK_FOCUS_CHILD,
    RUVK_PF_SYSCOMMAND | RUVK_PF_MINMAX | RUVK_PF_MOUSEACTIVATE_ONLY | RUVK_PF_NO_QUIT | RUVK_PF_MENUCHAR,
};

LRESULT CALLBACK ruvk_proc_doc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return ruvk_doc_proc(&kDoc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_detdoc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return ruvk_doc_proc(&kDetdoc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_child(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return ruvk_doc_proc(&kChild, hwnd, msg, wp, lp);
}

LRESULT CALLBACK ruvk_proc_mdifrmchild(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return ruvk_doc_proc(&kMdiFrameChild, hwnd, msg, wp, lp);
}

// ---- Task windows ----------------------------------------------------------

// Creation of a task window: linked, published as the task window.
static void task_create(HWND hwnd, LPARAM lp)
{
    RUV_VOBJ *w = create_param(lp);
    ruvk_on_native_create(hwnd, w);
    if (w && w->tag == RUV_VOBJ_TAG)
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(w));
}

LRESULT CALLBACK ruvk_proc_task(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result;
    if (!ruvwi_wndproc_hook(hwnd, msg, wp, lp, &result))
        return result;
    if (msg == WM_DRAWITEM && ruvk_ctl_draw_item(reinterpret_cast<const DRAWITEMSTRUCT *>(lp)))
        return TRUE;
    if (ruvk_ctl_handle_color_msg(hwnd, msg, wp, lp, &result))
        return result;
    switch (msg) {
    case WM_CREATE:
        task_create(hwnd, lp);
        break;
    case RUVK_MSG_CREATED:
        ruvk_creation_event(hwnd);
        return 0;
    case WM_COMMAND:
        if (ruvk_translate_command_to(hwnd, wp, lp, RUVK_CMD_FOCUS_TOP))
            return 0;
        break;
    case WM_SIZE:
    case RUVK_MSG_SIZE:
        if (ruvk_translate_size(hwnd, wp, lp))
            return 0;
        break;
    case WM_SETFOCUS:
        PostMessageA(hwnd, RUVK_MSG_FOCUS_GAIN, wp, 0);
        return 0;
    case WM_KILLFOCUS:
        PostMessageA(hwnd, RUVK_MSG_FOCUS_LOSS, wp, 0);
        return 0;
    case RUVK_MSG_FOCUS_GAIN:
        if (!focus_to_first_child(hwnd))
            ruvk_menu_refresh();
        return 0;
    case RUVK_MSG_FOCUS_LOSS:
        return 0;
    case RUVK_MSG_CONTROL:
        // Its commands post the notifications of its own controls here.
        ruvk_translate_control_deferred(hwnd, wp, lp);
        return 0;
    case WM_CLOSE:
        ruvk_translate_close(hwnd);
        return 0;
    case WM_SETCURSOR:
        ruvk_cursor_set_for_window(record_of(hwnd));
        return 1;
    case WM_NCDESTROY:
        ruvk_win_native_destroyed(hwnd);
        PostQuitMessage(0);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        ruvk_close_drop_list();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (GetFocus() != hwnd)
            SetFocus(hwnd);
        break;
    case WM_TIMER:
        if (ruvk_translate_timer(hwnd, wp))
            return 0;
        break;
    case WM_MENUCHAR:
        return ruvk_menu_char(hwnd, wp, lp, DefWindowProcA(hwnd, msg, wp, lp));
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The drawable task window posts its focus changes; a gain that follows a
// click is a full focus gain, any other first passes the focus on to a
// child.
static int drawtask_focus(HWND hwnd, UINT msg, HWND other)
{
    switch (msg) {
    case WM_SETFOCUS:
        PostMessageA(hwnd, RUVK_MSG_FOCUS_GAIN, reinterpret_cast<WPARAM>(other), 0);
        return 1;
    case WM_KILLFOCUS:
        PostMessageA(hwnd, RUVK_MSG_FOCUS_LOSS, reinterpret_cast<WPARAM>(other), 0);
        return 1;
    case RUVK_MSG_FOCUS_GAIN:
        if (ruvk_take_click_focus(hwnd))
            return 0;
        return focus_to_first_child(hwnd) ? 1 : 0;
    default:
        return 0;
    }
}

static const RUVK_PROC_TRAITS kDrawTask = {
    nullptr, nullptr, drawtask_focus, nullptr, RUVK_CMD_FOCUS_TOP, RUVK_FOCUS_PLAIN,
    RUVK_PF_WHEEL | RUVK_PF_CLICK_FOCUS | RUVK_PF_MOVE | RUVK_PF_CLOSE | RUVK_PF_MENUCHAR,
};

LRESULT CALLBACK ruvk_proc_drawtask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CREATE) {
        LRESULT result;
        if (!ruvwi_wndproc_hook(hwnd, msg, wp, lp, &result))
            return result;
        task_create(hwnd, lp);
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    LRESULT r = ruvk_doc_proc(&kDrawTask, hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY)
        PostQuitMessage(0);
    return r;
}

// ---- Utility window --------------------------------------------------------

LRESULT CALLBACK ruvk_proc_util(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result;
    if (!ruvwi_wndproc_hook(hwnd, msg, wp, lp, &result))
        return result;
    switch (msg) {
    case WM_QUERYENDSESSION:
        return ruvk_translate_quit_query();
    case WM_ENDSESSION:
        ruvk_translate_shutdown(wp);
        return 0;
    case WM_SYSCOLORCHANGE: {
        RUV_APP_RECORD *app = ruvk_app_record();
        if (!app)
            break;
        const uint32_t back = static_cast<uint32_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_BACK_COLOR));
        app->back_color = RGB((back >> 16) & 0xFF, (back >> 8) & 0xFF, back & 0xFF);
        app->text_color = GetSysColor(COLOR_WINDOWTEXT);
        if (HBRUSH brush = CreateSolidBrush(app->back_color)) {
            if (app->back_brush)
                DeleteObject(app->back_brush);
            app->back_brush = brush;
        }
        if (app->ctl3d) {
            typedef BOOL(WINAPI * ColorChange)(void);
            if (auto fn = reinterpret_cast<ColorChange>(
                    reinterpret_cast<void *>(GetProcAddress(app->ctl3d, "Ctl3dColorChange"))))
                fn();
        }
        return 0;
    }
    case WM_TIMER:
        if (ruvk_translate_timer(hwnd, wp))
            return 0;
        break;
    case RUVK_MSG_MENU_REFRESH:
        ruvk_cursor_restore_busy();
        ruvk_menu_refresh();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// ---- Template dialogs --------------------------------------------------------

INT_PTR CALLBACK ruvk_proc_dialog(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITDIALOG)
        ruvk_win_link_native(hwnd, reinterpret_cast<RUV_VOBJ *>(lp));
    RUV_APP_RECORD *app = ruvk_app_record();
    if (app && app->fatal)
        return 0;
    LRESULT result;
    if (!ruvwi_wndproc_hook(hwnd, msg, wp, lp, &result)) {
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
        return static_cast<INT_PTR>(result);
    }
    // Colours and coloured rows of the adopted controls (a dialog procedure
    // answers these with the brush itself).
    if (msg == WM_DRAWITEM && ruvk_ctl_draw_item(reinterpret_cast<const DRAWITEMSTRUCT *>(lp)))
        return TRUE;
    if (msg != WM_CTLCOLORDLG && ruvk_ctl_handle_color_msg(hwnd, msg, wp, lp, &result))
        return static_cast<INT_PTR>(result);
    RUV_VOBJ *w = record_of(hwnd);
    switch (msg) {
    case WM_INITDIALOG: {
        if (!w)
            return TRUE;
        ruvk_dlg_init_controls(w);
        if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, 10044))) {
            HWND parent = GetParent(hwnd);
            RECT r, pr;
            GetWindowRect(hwnd, &r);
            if (parent)
                GetWindowRect(parent, &pr);
            else
                SetRect(&pr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
            SetWindowPos(hwnd, nullptr, pr.left + ((pr.right - pr.left) - (r.right - r.left)) / 2,
                         pr.top + ((pr.bottom - pr.top) - (r.bottom - r.top)) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        HWND before = GetFocus();
        RUV_EVENT ev;
        ruvk_event_init(&ev, E_CREATE);
        ruvk_win_dispatch_event(w, &ev);
        return GetFocus() == before ? TRUE : FALSE;
    }
    case WM_SIZE:
        if (w && (wp == SIZE_RESTORED || wp == SIZE_MAXIMIZED)) {
            RUV_EVENT ev;
            ruvk_event_init(&ev, E_SIZE);
            ev.v.size.height = static_cast<int16_t>(HIWORD(lp));
            ev.v.size.width = static_cast<int16_t>(LOWORD(lp));
            ruvk_win_dispatch_event(w, &ev);
        }
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (w && !(w->kernel_flags & RUVK_KF_DESTROYING)) {
            RECT r;
            GetClientRect(hwnd, &r);
            RUV_EVENT ev;
            ruvk_event_init(&ev, E_SIZE);
            ev.v.size.height = static_cast<int16_t>(r.bottom);
            ev.v.size.width = static_cast<int16_t>(r.right);
            ruvk_win_dispatch_event(w, &ev);
        }
        return 0;
    case WM_ACTIVATE:
        if (w) {
            RUV_EVENT ev;
            ruvk_event_init(&ev, E_FOCUS);
            ev.v.focus.active = LOWORD(wp) != WA_INACTIVE ? 1 : 0;
            ruvk_win_dispatch_event(w, &ev);
        }
        return 0;
    case WM_CLOSE:
        ruvk_translate_close(hwnd);
        return 0;
    case WM_SETCURSOR:
        ruvk_cursor_set_for_window(w);
        return 0;
    case WM_COMMAND:
        if (app && app->kernel_sets_text)
            return 0;
        {
            // Enter and Escape come without the control: found by its id.
            HWND ctl = lp ? reinterpret_cast<HWND>(lp) : GetDlgItem(hwnd, LOWORD(wp));
            ruvk_translate_control(hwnd, HIWORD(wp), record_of(ctl));
        }
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        ruvk_translate_scroll(hwnd, msg, wp, lp);
        return 0;
    case WM_TIMER:
        ruvk_translate_timer(hwnd, wp);
        return 0;
    case RUVK_MSG_CONTROL:
        ruvk_translate_control_deferred(hwnd, wp, lp);
        return 0;
    case WM_NCDESTROY:
        if (w) {
            ruvk_timer_kill_window(hwnd);
            w->kernel_flags |= RUVK_KF_DESTROYING;
            RUV_EVENT ev;
            ruvk_event_init(&ev, E_DESTROY);
            ruvk_win_dispatch_event(w, &ev);
            ruvk_dlg_free(w);
        }
        return 0;
    default:
        return 0;
    }
}

} // extern "C"
