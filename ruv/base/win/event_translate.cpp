// Translation of window-system messages into toolkit events.  A window
// procedure hands a message to one translator here; the translator finds
// the toolkit window of the native window, fills a zeroed RUV_EVENT and
// sends it through ruvk_win_dispatch_event.  Windows still being created
// get their size, move, paint and focus messages deferred through private
// messages, which creation completion pumps behind E_CREATE.

#include "event_translate.h"
#include "native_controls.h"

#include <windowsx.h>

#include "caret.h"
#include "cursor.h"
#include "draw_state.h"
#include "menus.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_cxo.h"
#include "ruvv_dm.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_static.h"
#include "ruvk.h"
#include "startup.h"
#include "timers.h"
#include "window_create.h"
#include "window_services.h"

namespace {

constexpr int32_t kAttrFocusDeferred = 10027;
constexpr int32_t kAttrCentreRef = 10043;
constexpr int32_t kAttrCentre = 10044;

constexpr uint32_t kKindControl = 0x80u;
constexpr uint32_t kKindNoActivate = 0x10001000u;   // wialog, child of the MDI frame
constexpr uint32_t kKindPalette = 0x4000100eu;

// Per-process state of the translators: a DBCS lead byte waiting for its
// trail byte, and the window whose next focus gain follows a click.
struct TranslateBlock {
    int16_t lead_pending;
    unsigned char lead;
    HWND click_focus;
};

RUV_STATIC_BLOCK(translate_desc, TranslateBlock, nullptr, nullptr);

TranslateBlock *block()
{
    return static_cast<TranslateBlock *>(ruvk_static_get_ptr(&translate_desc));
}

RUV_VOBJ *record_of(HWND hwnd)
{
    return hwnd ? ruvwi_hwnd_to_window(hwnd) : nullptr;
}

bool key_down(int vk)
{
    return (GetKeyState(vk) & 0x8000) != 0;
}

int16_t shift_down()
{
    return key_down(VK_SHIFT) ? 1 : 0;
}

int16_t control_down()
{
    return key_down(VK_CONTROL) ? 1 : 0;
}

int32_t send(RUV_VOBJ *win, RUV_EVENT *ev)
{
    return ruvk_win_dispatch_event(win, ev);
}

bool created(const RUV_VOBJ *w)
{
    return ruvk_creation_done(w) != 0;
}

RUV_VOBJ *task_window()
{
    RUV_VOBJ *t = reinterpret_cast<RUV_VOBJ *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    return ruvv_vobj_is_valid(t) ? t : nullptr;
}

// ---- Keys ------------------------------------------------------------------

struct KeyCode {
    int vk;
    int16_t code;
    int16_t with_control;    // 0: same code
};

const KeyCode kKeyTable[] = {
    {VK_CLEAR, 317, 0},  {VK_PRIOR, 305, 0}, {VK_NEXT, 306, 0},   {VK_END, 308, 310},
    {VK_HOME, 307, 309}, {VK_LEFT, 304, 313}, {VK_UP, 301, 0},    {VK_RIGHT, 303, 314},
    {VK_DOWN, 302, 0},   {VK_INSERT, 312, 0}, {VK_DELETE, 127, 0}, {VK_HELP, 316, 0},
};

int16_t key_code(int vk, bool control)
{
    if (vk >= VK_F1 && vk <= VK_F24)
        return static_cast<int16_t>(K_F1 + (vk - VK_F1));
    for (const KeyCode &k : kKeyTable)
        if (k.vk == vk)
            return control && k.with_control ? k.with_control : k.code;
    return 0;
}

int16_t keypad_code(unsigned ch)
{
    if (ch >= '0' && ch <= '9')
        return static_cast<int16_t>(ch + 270);
    switch (ch) {
    case '*': return K_PAD_MULTIPLY;
    case '-': return K_PAD_MINUS;
    case '+': return K_PAD_PLUS;
    case '/': return K_PAD_DIVIDE;
    case '.': return K_PAD_DECIMAL;
    default: return 0;
    }
}

uint32_t modifier_bits()
{
    uint32_t m = 0;
    const bool shift = key_down(VK_SHIFT), control = key_down(VK_CONTROL), alt = key_down(VK_MENU);
    if (shift)
        m |= RUV_MOD_SHIFT;
    if (control)
        m |= RUV_MOD_CONTROL;
    if (alt)
        m |= RUV_MOD_ALT;
    if (key_down(VK_LSHIFT))
        m |= RUV_MOD_LSHIFT;
    if (key_down(VK_RSHIFT))
        m |= RUV_MOD_RSHIFT;
    if (key_down(VK_LMENU))
        m |= RUV_MOD_LALT;
    if (key_down(VK_RMENU))
        m |= RUV_MOD_RALT;
    if (alt && control)
        m |= RUV_MOD_ALTGR;
    return m;
}

typedef RUV_BOOL (*KeyHookFull)(HWND, UINT, WPARAM, LPARAM, RUV_EVENT *);
typedef RUV_BOOL (*KeyHookShort)(int16_t *);

// ---- Focus -----------------------------------------------------------------

HWND hwnd_of(RUV_VOBJ *w)
{
    return w ? static_cast<HWND>(w->native) : nullptr;
}

// The other window of a focus change is one of this window's controls.
bool is_own_control(RUV_VOBJ *w, HWND other)
{
    RUV_VOBJ *o = record_of(other);
    return o && (o->kind & kKindControl) && o->parent == w;
}

void activate_top(RUV_VOBJ *top)
{
    HWND h = hwnd_of(top);
    if (!h)
        return;
    ruvk_menu_show(top);
    if (top->kind & RUVK_KINDS_FRAMELIKE) {
        SendMessageA(h, WM_NCACTIVATE, TRUE, 0);
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void deliver_pending_gains(HWND hwnd)
{
    MSG m;
    while (PeekMessageA(&m, hwnd, RUVK_MSG_FOCUS_GAIN, RUVK_MSG_FOCUS_GAIN, PM_REMOVE))
        DispatchMessageA(&m);
}

// ---- Scroll ----------------------------------------------------------------

struct ScrollMap {
    int native;
    int32_t action;
    int position;   // 0 none, 1 native, 2 range minimum, 3 range maximum
};

const ScrollMap kScrollTable[] = {
    {SB_LINEUP, SC_LINE_UP, 0},      {SB_LINEDOWN, SC_LINE_DOWN, 0}, {SB_PAGEUP, SC_PAGE_UP, 0},
    {SB_PAGEDOWN, SC_PAGE_DOWN, 0},  {SB_THUMBTRACK, SC_THUMB_TRACK, 1}, {SB_THUMBPOSITION, SC_THUMB, 1},
    {SB_TOP, SC_THUMB, 2},           {SB_BOTTOM, SC_THUMB, 3},       {SB_ENDSCROLL, 0, 0},
};

// Action and position of a scroll message against a scroll bar's range.
int32_t scroll_action(int code, int native_pos, HWND bar, int which, int16_t *position)
{
    *position = 0;
    for (const ScrollMap &s : kScrollTable) {
        if (s.native != code)
            continue;
        int lo = 0, hi = 0;
        if (s.position >= 2)
            GetScrollRange(bar, which, &lo, &hi);
        if (s.position == 1)
            *position = static_cast<int16_t>(native_pos);
        else if (s.position == 2)
            *position = static_cast<int16_t>(lo);
        else if (s.position == 3)
            *position = static_cast<int16_t>(hi);
        return s.action;
    }
    return 0;
}

// The tick tolerance of timer events: a tick that comes a little early is
// still a tick (the system's timer is not exact, and a stricter test loses
// nearly every second one).
DWORD timer_tolerance(int32_t interval)
{
    DWORD t = static_cast<DWORD>(interval) / 4;
    return t > 50 ? 50 : t;
}

} // namespace

extern "C" {

RUV_BOOL ruvk_has_menu_bar(HWND hwnd)
{
    return hwnd && !(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) && GetMenu(hwnd) != nullptr;
}

// ---- Pre-filter --------------------------------------------------------------

typedef RUV_BOOL (*WndprocHook)(HWND, UINT, WPARAM, LPARAM, LRESULT *);

int16_t ruvwi_wndproc_hook(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result)
{
    *result = 0;
    if (auto hook = reinterpret_cast<WndprocHook>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK))) {
        RUV_BOOL go_on;
        {
            ruv::ErrFrame frame(record_of(hwnd));
            go_on = hook(hwnd, msg, wp, lp, result);
        }
        if (go_on == 0)
            return 0;
        *result = 0;
    }
    if (msg == WM_MENUSELECT) {
        ruvk_menu_select_record(wp, lp);
        return 0;
    }
    if (msg == RUVK_MSG_DLG_HELP) {
        ruvk_dialog_help(reinterpret_cast<RUV_VOBJ *>(lp));
        return 0;
    }
    return 1;
}

// ---- Creation ------------------------------------------------------------------

RUV_BOOL ruvk_creation_done(const RUV_VOBJ *win)
{
    return win && (win->kernel_flags & (RUVK_KF_CREATED | RUVK_KF_CREATE_QUEUED)) == RUVK_KF_CREATED ? TRUE : FALSE;
}

void ruvk_win_link_native(HWND hwnd, RUV_VOBJ *win)
{
    if (!win || win->tag != RUV_VOBJ_TAG)
        return;
    win->native = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(win));
}

void ruvk_on_native_create(HWND hwnd, RUV_VOBJ *win)
{
    ruvk_win_link_native(hwnd, win);
    if (win && win->tag == RUV_VOBJ_TAG)
        win->kernel_flags |= RUVK_KF_CREATE_QUEUED;
    PostMessageA(hwnd, RUVK_MSG_CREATED, 0, 0);
}

int ruvk_creation_event(HWND hwnd)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, kAttrCentre))) {
        HWND ref = reinterpret_cast<HWND>(ruvk_vobj_get_attr(NULL_WIN, kAttrCentreRef));
        if (!ref)
            ref = GetParent(hwnd);
        RECT r, rr;
        GetWindowRect(hwnd, &r);
        if (ref)
            GetWindowRect(ref, &rr);
        else
            SetRect(&rr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        POINT p = {rr.left + ((rr.right - rr.left) - (r.right - r.left)) / 2,
                   rr.top + ((rr.bottom - rr.top) - (r.bottom - r.top)) / 2};
        if (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)
            ScreenToClient(GetParent(hwnd), &p);
        SetWindowPos(hwnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    w->kernel_flags &= ~RUVK_KF_CREATE_QUEUED;
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_CREATE);
    send(w, &ev);
    return 1;
}

// ---- Mouse -------------------------------------------------------------------------

void ruvk_click_focus(HWND hwnd)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return;
    bool take;
    if (w->kernel_flags & RUVK_KF_NAVIGATION)
        take = !ruvk_focus_is_within(w);
    else
        take = GetFocus() != hwnd;
    if (!take)
        return;
    if ((w->kind & RUVK_KINDS_TASK_FRAME) || w->kind == RUVK_KIND_DRAWTASK)
        ruvk_flag_click_focus(hwnd);
    SetFocus(hwnd);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void ruvk_flag_click_focus(HWND hwnd)
{
    if (TranslateBlock *b = block())
        b->click_focus = hwnd;
}

RUV_BOOL ruvk_take_click_focus(HWND hwnd)
{
    TranslateBlock *b = block();
    if (!b || b->click_focus != hwnd)
        return FALSE;
    b->click_focus = nullptr;
    return TRUE;
}

int ruvwi_translate_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    RUV_EVENT ev;
    ruvk_event_init(&ev, 0);
    POINT p = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_MOUSEMOVE: ev.type = E_MOUSE_MOVE; break;
    case WM_LBUTTONDOWN: ev.type = E_MOUSE_DOWN; break;
    case WM_RBUTTONDOWN: ev.type = E_MOUSE_DOWN; ev.v.mouse.button = 1; break;
    case WM_MBUTTONDOWN: ev.type = E_MOUSE_DOWN; ev.v.mouse.button = 2; break;
    case WM_LBUTTONUP: ev.type = E_MOUSE_UP; break;
    case WM_RBUTTONUP: ev.type = E_MOUSE_UP; ev.v.mouse.button = 1; break;
    case WM_MBUTTONUP: ev.type = E_MOUSE_UP; ev.v.mouse.button = 2; break;
    case WM_LBUTTONDBLCLK: ev.type = E_MOUSE_DOUBLE; break;
    case WM_RBUTTONDBLCLK: ev.type = E_MOUSE_DOUBLE; ev.v.mouse.button = 1; break;
    case WM_MBUTTONDBLCLK: ev.type = E_MOUSE_DOUBLE; ev.v.mouse.button = 2; break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        ev.type = E_MOUSE_WHEEL;
        ScreenToClient(hwnd, &p);
        int32_t steps = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
        if (msg == WM_MOUSEWHEEL)
            ev.v.mouse.vsteps = steps;
        else
            ev.v.mouse.hsteps = steps;
        break;
    }
    default:
        return 0;
    }
    ev.v.mouse.v = static_cast<int16_t>(p.y);
    ev.v.mouse.h = static_cast<int16_t>(p.x);
    ev.v.mouse.shift = shift_down();
    ev.v.mouse.control = control_down();
    send(w, &ev);
    return 1;
}

// ---- Keys and characters -------------------------------------------------------

int ruvk_translate_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    const bool is_char = msg == WM_CHAR || msg == WM_SYSCHAR;
    RUV_WCHAR ch = 0;
    if (is_char) {
        TranslateBlock *b = block();
        if (!b)
            return 0;
        const unsigned char byte = static_cast<unsigned char>(wp);
        char bytes[2];
        int n = 1;
        if (b->lead_pending) {
            bytes[0] = static_cast<char>(b->lead);
            bytes[1] = static_cast<char>(byte);
            n = 2;
            b->lead_pending = 0;
        } else if (IsDBCSLeadByte(byte)) {
            b->lead = byte;
            b->lead_pending = 1;
            return 1;
        } else {
            bytes[0] = static_cast<char>(byte);
        }
        WCHAR wide = 0;
        if (MultiByteToWideChar(CP_ACP, 0, bytes, n, &wide, 1) != 1) {
            b->lead = byte;
            b->lead_pending = 1;
            return 1;
        }
        ch = wide;
    }

    RUV_EVENT ev;
    ruvk_event_init(&ev, E_CHAR);
    bool hooked = false;
    if (auto hook = ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_KEY_HOOK)) {
        RUV_BOOL r;
        const bool full = static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_KEY_HOOK_MODE)) != 0;
        {
            ruv::ErrFrame frame(w);
            if (full) {
                if (is_char)
                    ev.v.chr.key = static_cast<int16_t>(ch);
                r = reinterpret_cast<KeyHookFull>(hook)(hwnd, msg, wp, lp, &ev);
            } else {
                r = reinterpret_cast<KeyHookShort>(hook)(&ev.v.chr.key);
            }
        }
        if (!ruvv_vobj_is_valid(w))
            return 1;
        hooked = full ? r == 0 : r != 0;
    }

    if (!hooked) {
        ev.v.chr.shift = shift_down();
        ev.v.chr.control = control_down();
        ev.v.chr.virtual_key = 1;
        ev.v.chr.modifiers = modifier_bits();
        if (!is_char) {
            int16_t code = key_code(static_cast<int>(wp), ev.v.chr.control != 0);
            if (code == 0)
                return 0;
            ev.v.chr.key = code;
        } else if (lp & (1L << 24)) {
            int16_t code = keypad_code(ch);
            ev.v.chr.key = code ? code : static_cast<int16_t>(ch);
            ev.v.chr.virtual_key = code ? 1 : 0;
        } else if (ch == '\t' && ev.v.chr.shift) {
            ev.v.chr.key = K_BACKTAB;
        } else {
            ev.v.chr.key = static_cast<int16_t>(ch);
            ev.v.chr.virtual_key = 0;
        }
        if (ev.v.chr.key == K_F1 && ev.v.chr.virtual_key) {
            RUV_VOBJ *active = record_of(GetActiveWindow());
            if (active)
                ruvk_translate_help(active, ruvk_scr_get_focus_vobj(), 0);
            return 1;
        }
    }

    int repeat = LOWORD(lp);
    if (repeat < 1)
        repeat = 1;
    for (int i = 0; i < repeat && ruvv_vobj_is_valid(w); ++i) {
        RUV_EVENT copy = ev;
        send(w, &copy);
    }
    return 1;
}

// ---- Commands ----------------------------------------------------------------

int ruvk_translate_command(HWND hwnd, WPARAM wp, LPARAM lp)
{
    return ruvk_translate_command_to(hwnd, wp, lp, RUVK_CMD_FOCUS_TOP);
}

int ruvk_translate_command_to(HWND hwnd, WPARAM wp, LPARAM lp, int route)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    if (lp) {
        RUV_VOBJ *ctl = record_of(reinterpret_cast<HWND>(lp));
        return ruvk_translate_control(hwnd, HIWORD(wp), ctl);
    }
    const int32_t tag = LOWORD(wp);
    const bool accelerator = HIWORD(wp) == 1;
    RUV_VOBJ *target = nullptr;
    switch (route) {
    case RUVK_CMD_SELF:
        target = w;
        break;
    case RUVK_CMD_DOC: {
        if (accelerator) {
            // Only an item of the owning menu bar that is not greyed.
            for (RUV_VOBJ *o = w; o && o->tag == RUV_VOBJ_TAG; o = o->parent) {
                HWND oh = hwnd_of(o);
                if (!ruvk_has_menu_bar(oh))
                    continue;
                HMENU bar = GetMenu(oh);
                UINT state = GetMenuState(bar, static_cast<UINT>(tag), MF_BYCOMMAND);
                if (state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED)))
                    target = o;
                break;
            }
            if (!target)
                return 1;
        } else if (ruvk_has_menu_bar(hwnd)) {
            target = w;
        } else if (w->parent && ruvk_has_menu_bar(hwnd_of(w->parent))) {
            target = w->parent;
        } else {
            return 0;
        }
        break;
    }
    default: {
        RUV_VOBJ *focus = ruvk_scr_get_focus_vobj();
        RUV_VOBJ *top = focus ? focus->top : nullptr;
        if (top && ruvk_has_menu_bar(hwnd_of(top)))
            target = top;
        else if (ruvk_has_menu_bar(hwnd))
            target = w;
        else
            return 0;
        break;
    }
    }

    if (tag >= 61440)
        return 1;
    if (tag == 32451) {
        ruvk_translate_help(target, ruvk_scr_get_focus_vobj(), 0);
        return 1;
    }
    if (tag == 32025 || tag == 32459) {
        ruvv_dm_post_about_box();
        return 1;
    }
    if (tag == 32065 || tag == 32066) {
        // The dialog works on a copy of the window's font-menu selection
        // (the application sets the selection from the font event), or on
        // a new font bound to the window; the dialog sends the event.
        RUV_FONT *font = ruvk_menu_get_font_sel(target, 1);
        if (!font && (font = ruvv_font_create()) != nullptr)
            ruvv_font_set_win(font, target);
        if (font) {
            ruvv_dm_post_font_sel(target, font, nullptr, 0);
            ruvv_font_destroy(font);
        }
        return 1;
    }
    if (tag >= 32042 && tag <= 32045) {
        static const UINT edit_msg[] = {WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR};
        RUV_VOBJ *focus = ruvk_scr_get_focus_vobj();
        if (focus && (focus->kind & kKindControl) && (focus->type == 17 || focus->type == 21)) {
            SendMessageA(hwnd_of(focus), edit_msg[tag - 32042], 0, 0);
            return 1;
        }
        // Otherwise a command event: a toolkit text edit with the focus
        // takes it through its parent's handlers.
    }
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_COMMAND);
    ev.v.command.tag = tag;
    ev.v.command.shift = shift_down();
    ev.v.command.control = control_down();
    send(target, &ev);
    return 1;
}

// ---- Control notifications ---------------------------------------------------

// Which notifications of a control become events (types of the control).
static bool control_accepts(const RUV_VOBJ *ctl, int32_t code)
{
    switch (ctl->type) {
    case 12: case 13: case 14:
        return code == BN_CLICKED;
    case 17:
        return code == EN_SETFOCUS || code == EN_KILLFOCUS || code == EN_CHANGE;
    case 19:
        return code == LBN_SELCHANGE || code == LBN_DBLCLK;
    case 20:
        return code == CBN_SELCHANGE || code == CBN_DBLCLK;
    case 21:
        return code == CBN_SETFOCUS || code == CBN_KILLFOCUS || code == CBN_EDITCHANGE ||
               code == CBN_SELCHANGE || code == CBN_DBLCLK;
    default:
        return false;
    }
}

int ruvk_translate_control(HWND hwnd, int32_t code, RUV_VOBJ *ctl)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!ctl || !(ctl->kind & kKindControl) || (app && app->kernel_sets_text))
        return 0;
    if ((ctl->type == 20 || ctl->type == 21) && code == CBN_DROPDOWN) {
        if (app)
            app->open_drop_list = hwnd_of(ctl);
        return 1;
    }
    if ((ctl->type == 17 && code == EN_UPDATE) || (ctl->type == 21 && code == CBN_EDITUPDATE)) {
        ruvk_ctl_run_formatter(ctl);
        return 1;
    }
    if (ctl->type == 17 && code == EN_ERRSPACE) {
        RUV_ERR(ctl, 2, 0x1510005);
        return 1;
    }
    if (!control_accepts(ctl, code))
        return 0;
    PostMessageA(hwnd, RUVK_MSG_CONTROL, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(ctl));
    return 1;
}

int ruvk_translate_control_deferred(HWND hwnd, WPARAM wp, LPARAM lp)
{
    RUV_VOBJ *ctl = reinterpret_cast<RUV_VOBJ *>(lp);
    if (!ruvv_vobj_is_valid(ctl))
        return 1;
    RUV_VOBJ *w = ctl->parent;
    if (!ruvv_vobj_is_valid(w))
        return 1;
    const int32_t code = static_cast<int32_t>(wp);
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_CONTROL);
    ev.v.control.id = GetDlgCtrlID(hwnd_of(ctl));
    ev.v.control.type = (ctl->kind & RUV_KIND_TEXT_EDIT) ? 23 : ctl->type;
    ev.v.control.ctl = ctl;
    switch (ctl->type) {
    case 17:
    case 21:
        if (code == EN_SETFOCUS || (ctl->type == 21 && code == CBN_SETFOCUS)) {
            ev.v.control.data.edit.change = 1;
            ev.v.control.data.edit.gained = 1;
        } else if (code == EN_KILLFOCUS || (ctl->type == 21 && code == CBN_KILLFOCUS)) {
            ev.v.control.data.edit.change = 1;
        }
        break;
    case 19:
        ev.v.control.data.list.dbl = code == LBN_DBLCLK ? 1 : 0;
        break;
    default:
        break;
    }
    // A drop-down's chosen row goes into its edit part first.
    if (ctl->type == 21 && (code == CBN_SELCHANGE || code == CBN_DBLCLK) && !ruvk_ctl_copy_selected_row(ctl))
        return 1;
    (void)hwnd;
    send(w, &ev);
    return 1;
}

// ---- Scroll bars -----------------------------------------------------------

int ruvk_translate_scroll(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    HWND bar = reinterpret_cast<HWND>(lp);
    const int code = LOWORD(wp);
    const int native_pos = static_cast<int16_t>(HIWORD(wp));
    RUV_EVENT ev;
    ruvk_event_init(&ev, 0);
    int16_t pos = 0;
    if (bar) {
        RUV_VOBJ *ctl = record_of(bar);
        if (!ctl || GetDlgCtrlID(bar) <= 0)
            return 0;
        int32_t action = scroll_action(code, native_pos, bar, SB_CTL, &pos);
        if (action == 0)
            return 1;
        ev.type = E_CONTROL;
        ev.v.control.id = GetDlgCtrlID(bar);
        ev.v.control.type = msg == WM_HSCROLL ? 15 : 16;
        ev.v.control.ctl = ctl;
        ev.v.control.data.scroll.action = action;
        ev.v.control.data.scroll.position = pos;
    } else {
        int32_t action = scroll_action(code, native_pos, hwnd, msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &pos);
        if (action == 0)
            return 1;
        ev.type = msg == WM_HSCROLL ? E_HSCROLL : E_VSCROLL;
        ev.v.scroll.action = action;
        ev.v.scroll.position = pos;
    }
    send(w, &ev);
    return 1;
}

// ---- Window state ------------------------------------------------------------

int ruvk_translate_size(HWND hwnd, WPARAM wp, LPARAM lp)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w || (wp != SIZE_RESTORED && wp != SIZE_MAXIMIZED))
        return 0;
    if (!created(w)) {
        PostMessageA(hwnd, RUVK_MSG_SIZE, wp, lp);
        return 1;
    }
    if (w->kernel_flags & RUVK_KF_DESTROYING)
        return 0;
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_SIZE);
    ev.v.size.height = static_cast<int16_t>(HIWORD(lp));
    ev.v.size.width = static_cast<int16_t>(LOWORD(lp));
    send(w, &ev);
    return 1;
}

int ruvk_translate_move(HWND hwnd)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w || created(w))
        return 0;
    PostMessageA(hwnd, RUVK_MSG_MOVE, 0, 0);
    return 1;
}

int ruvk_translate_paint(HWND hwnd)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!created(w) || (app && app->update_deferral > 0)) {
        ValidateRect(hwnd, nullptr);
        PostMessageA(hwnd, RUVK_MSG_PAINT, 0, 0);
        return 1;
    }
    if (!ruvk_draw_paint_begin(w)) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 1;
    }
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_UPDATE);
    if (app)
        ev.v.update.rect = app->update_rect;
    send(w, &ev);
    if (ruvv_vobj_is_valid(w))
        ruvk_draw_paint_end(w);
    return 1;
}

int ruvk_translate_close(HWND hwnd)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_CLOSE);
    send(w, &ev);
    return 1;
}

// ---- Focus -------------------------------------------------------------------

void ruvk_send_focus(RUV_VOBJ *w, HWND other, int16_t active)
{
    if (!ruvv_vobj_is_valid(w) || is_own_control(w, other))
        return;
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_FOCUS);
    ev.v.focus.active = active;
    send(w, &ev);
}

void ruvk_close_drop_list(void)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (app && app->open_drop_list) {
        HWND list = app->open_drop_list;
        app->open_drop_list = nullptr;
        SendMessageA(list, CB_SHOWDROPDOWN, FALSE, 0);
    }
}

RUV_BOOL ruvk_focus_now(RUV_VOBJ *w)
{
    return created(w) && static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, kAttrFocusDeferred)) == 0;
}

int ruvk_translate_focus_gain(HWND hwnd, HWND other)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    // Wialogs and children of the MDI frame are activated by the system;
    // their caret and palette come back like any other window's.
    if (!(w->kind & kKindNoActivate)) {
        RUV_VOBJ *o = record_of(other);
        RUV_VOBJ *top = w->top;
        if (top && (!o || o->top != top))
            activate_top(top);
        if (top != w)
            SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
        if (!ruvv_vobj_is_valid(w))
            return 1;
    }
    ruvk_caret_focus_gained(w);
    if (w->kind & kKindPalette)
        ruvk_draw_begin_palette(w);
    ruvk_send_focus(w, other, 1);
    return 1;
}

int ruvk_translate_focus_loss(HWND hwnd, HWND other)
{
    deliver_pending_gains(hwnd);
    RUV_VOBJ *w = record_of(hwnd);
    if (!w)
        return 0;
    RUV_VOBJ *o = record_of(other);
    RUV_VOBJ *top = w->top;
    if (top && hwnd_of(top) && (!o || o->top != top))
        SendMessageA(hwnd_of(top), WM_NCACTIVATE, FALSE, 0);
    if (top != w)
        SendMessageA(hwnd, WM_NCACTIVATE, FALSE, 0);
    ruvk_caret_focus_lost(w);
    ruvk_send_focus(w, other, 0);
    return 1;
}

// ---- Timers ------------------------------------------------------------------

int ruvk_translate_timer(HWND hwnd, UINT_PTR id)
{
    RUV_VOBJ *w = record_of(hwnd);
    if (id == RUVK_TRAP_TIMER_ID) {
        if (!w)
            return 0;
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd, &p);
        RUV_EVENT ev;
        ruvk_event_init(&ev, E_MOUSE_MOVE);
        ev.v.mouse.v = static_cast<int16_t>(p.y);
        ev.v.mouse.h = static_cast<int16_t>(p.x);
        ev.v.mouse.shift = shift_down();
        ev.v.mouse.control = control_down();
        send(w, &ev);
        return 1;
    }
    RUVK_TIMER_SLOT *slot = ruvk_timer_slot(static_cast<int32_t>(id));
    if (!slot || slot->hwnd != hwnd)
        return 0;
    if (!w && hwnd == ruvwi_get_utility_hwnd())
        w = task_window();
    if (!w)
        return 0;
    const DWORD now = GetTickCount();
    if (now < slot->ticks) {
        slot->ticks = now;
        return 1;
    }
    if (now - slot->ticks + timer_tolerance(slot->interval) < static_cast<DWORD>(slot->interval))
        return 1;
    slot->ticks = now;
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_TIMER);
    ev.v.timer.id = static_cast<int32_t>(id);
    send(w, &ev);
    return 1;
}

// ---- Quit and help -------------------------------------------------------------

int ruvk_translate_quit_query(void)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app)
        return 1;
    app->allow_quit = 0;
    if (RUV_VOBJ *t = task_window()) {
        RUV_EVENT ev;
        ruvk_event_init(&ev, E_QUIT);
        ev.v.quit.query = 1;
        send(t, &ev);
    }
    return app->allow_quit != 0;
}

int ruvk_translate_shutdown(WPARAM ending)
{
    if (!ending)
        return 0;
    RUV_VOBJ *t = task_window();
    if (!t)
        return 0;
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_QUIT);
    ev.v.quit.query = 0;
    send(t, &ev);
    return 1;
}

int ruvk_translate_help(RUV_VOBJ *target, RUV_VOBJ *object, int32_t menu_tag)
{
    if (!ruvv_vobj_is_valid(target))
        return 0;
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_HELP);
    ev.v.help.object = object;
    ev.v.help.menu_tag = menu_tag;
    send(target, &ev);
    return 1;
}

void ruvk_dialog_help(RUV_VOBJ *ctl)
{
    RUV_VOBJ *dlg = record_of(GetActiveWindow());
    if (!dlg || dlg->kind != RUVK_KIND_DIALOG || (dlg->type != 10 && dlg->type != 11))
        return;
    RUV_VOBJ *object = nullptr;
    if (ruvv_vobj_is_valid(ctl))
        object = GetParent(hwnd_of(ctl)) == hwnd_of(dlg) ? ctl : ctl->parent;
    ruvk_translate_help(dlg, object, 0);
}

// ---- Deferred messages ---------------------------------------------------------

int ruvk_translate_deferred(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case RUVK_MSG_CREATED:
        return ruvk_creation_event(hwnd);
    case RUVK_MSG_SIZE:
        return ruvk_translate_size(hwnd, wp, lp);
    case RUVK_MSG_FOCUS_GAIN:
        return ruvk_translate_focus_gain(hwnd, reinterpret_cast<HWND>(wp));
    case RUVK_MSG_FOCUS_LOSS:
        return ruvk_translate_focus_loss(hwnd, reinterpret_cast<HWND>(wp));
    case RUVK_MSG_MOVE:
        return 1;
    case RUVK_MSG_PAINT:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 1;
    case RUVK_MSG_CONTROL:
        return ruvk_translate_control_deferred(hwnd, wp, lp);
    default:
        return 0;
    }
}

} // extern "C"
