/* Window services on existing windows and controls: native handle,
   client and outer rectangles, state flags, titles with the mnemonic sign
   converted between "~" and "&", moving (minimised windows through their
   restored placement), showing, enabling with the focus moved away first,
   focus and the focus memory of top-level windows, control font, cursor,
   caret values, point translation, event dispatch and the quit answer. */
#include "html_view.h"
#include "window_services.h"

#include "caret.h"
#include "cursor.h"
#include "draw_state.h"
#include "event_translate.h"
#include "font_native.h"
#include "kernel_app.h"
#include "pixmaps.h"
#include "printing.h"
#include "window_create.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"
#include "ruvv_font.h"

#include <cstring>
#include <string>

namespace {

constexpr uint32_t KIND_CONTROL = 0x80u;
constexpr uint32_t KIND_MDIDOC = 0x40000008u;
constexpr uint32_t KIND_DIALOG = 0x40u;
constexpr uint32_t KIND_SUBWINDOW = 0x8000000u;
constexpr int32_t ATTR_TASK_WINDOW = 301;
constexpr int32_t ATTR_CTL_FONT = 719;

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

bool has_mnemonics(RUV_WIN w)
{
    return !(w->kind & RUV_KIND_TEXT_EDIT) && ruvk_type_has_mnemonics(w->type);
}

RUV_RECT rect_of(const RECT &r)
{
    return RUV_RECT{(int16_t)r.top, (int16_t)r.left, (int16_t)r.bottom, (int16_t)r.right};
}

RECT native_rect(const RUV_RECT &r)
{
    RECT n = {r.left, r.top, r.right, r.bottom};
    return n;
}

/* The native window whose client coordinates place the window, as the
   window system places it: the native parent of a child window, the
   screen (NULL) for every top level. */
HWND placing_parent(HWND hwnd)
{
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
}

/* Distances between outer and client rectangle of a window that is not
   minimised. */
RECT frame_insets(HWND hwnd)
{
    RECT outer, client, in = {0, 0, 0, 0};
    if (!GetWindowRect(hwnd, &outer) || !GetClientRect(hwnd, &client))
        return in;
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT *>(&client), 2);
    in.left = client.left - outer.left;
    in.top = client.top - outer.top;
    in.right = outer.right - client.right;
    in.bottom = outer.bottom - client.bottom;
    return in;
}

/* The insets the window has when restored, taken from its styles. */
RECT restored_insets(HWND hwnd)
{
    RECT r = {0, 0, 0, 0};
    DWORD style = (DWORD)GetWindowLongPtrA(hwnd, GWL_STYLE) & ~(DWORD)WS_MINIMIZE;
    DWORD ex = (DWORD)GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    BOOL menu = !(style & WS_CHILD) && GetMenu(hwnd) != nullptr;
    AdjustWindowRectEx(&r, style, menu, ex);
    RECT in = {-r.left, -r.top, r.right, r.bottom};
    return in;
}

HWND mdi_client()
{
    RUV_APP_RECORD *app = ruvk_app_record();
    return app ? app->mdi_client : nullptr;
}

/* An MDI document changed visibility or enabling: the window menu shows
   it again, and when it was the active one the next is activated. */
void mdi_after_change(RUV_WIN win, bool gone)
{
    HWND client = mdi_client();
    if (win->kind != KIND_MDIDOC || !client)
        return;
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (gone && reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) == hwnd)
        SendMessageA(client, WM_MDINEXT, reinterpret_cast<WPARAM>(hwnd), 0);
    SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(GetParent(client));
}

RUV_WIN task_window()
{
    RUV_WIN t = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, ATTR_TASK_WINDOW));
    return valid(t) ? t : NULL_WIN;
}

bool remembers(RUV_WIN top)
{
    return valid(top) && (top->kind & RUVK_KINDS_NATIVE);
}

HCURSOR load_cursor(int32_t id)
{
    switch (id) {
    case 0: return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    case 1: return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    case 3: return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS));
    case 4: return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    default: {
        RUV_APP_RECORD *app = ruvk_app_record();
        HINSTANCE inst = app ? app->res_instance : GetModuleHandleA(nullptr);
        return LoadCursorA(inst, MAKEINTRESOURCEA(id));
    }
    }
}

/* Converts text between the sign forms: from_sign before a character
   marks the mnemonic and becomes to_sign; from_sign twice is one
   from_sign; to_sign alone is doubled. */
std::string convert_signs(const char *text, char from_sign, char to_sign)
{
    std::string out;
    if (!text)
        return out;
    const char *p = text;
    while (*p) {
        const char *next = CharNextA(p);
        if (*p == from_sign) {
            if (p[1] == from_sign) {
                /* Native "&&" is one "&"; toolkit "~~" is one "~". */
                out += from_sign;
                next = p + 2;
            } else if (p[1] != '\0') {
                out += to_sign;
            } else {
                out += from_sign;
            }
        } else if (*p == to_sign) {
            out += to_sign;
            out += to_sign;
        } else {
            out.append(p, (size_t)(next - p));
        }
        p = next;
    }
    return out;
}

char *copy_cut(const std::string &s, char *out, size_t size)
{
    if (!out || size == 0)
        return out;
    size_t n = s.size() < size - 1 ? s.size() : size - 1;
    /* Never end inside a double-byte character. */
    size_t k = 0;
    while (k < n) {
        const char *next = CharNextA(s.c_str() + k);
        size_t step = (size_t)(next - (s.c_str() + k));
        if (step == 0 || k + step > n)
            break;
        k += step;
    }
    memcpy(out, s.data(), k);
    out[k] = '\0';
    return out;
}

} // namespace

/* ---- Native handle, geometry, state ------------------------------------- */

extern "C" HWND ruvk_vobj_hwnd(RUV_WIN win)
{
    if (!valid(win))
        return nullptr;
    if (win->native)
        return static_cast<HWND>(win->native);
    if (win->type == 1 && !(win->kind & RUV_KIND_TEXT_EDIT)) {
        RUV_WIN task = task_window();
        return task && task != win && task->native ? static_cast<HWND>(task->native) : nullptr;
    }
    return nullptr;
}

extern "C" void ruvk_vobj_get_client_rect(RUV_WIN win, RUV_RECT *rect)
{
    if (!rect)
        return;
    *rect = RUV_RECT{0, 0, 0, 0};
    if (!valid(win))
        return;
    if (win->kind == RUV_KIND_PRINT) {
        ruvk_print_get_page_rect(win, rect);
        return;
    }
    if (win->kind == 0x400u) {
        int32_t w = 0, h = 0;
        ruvk_pmap_bitmap(win, &w, &h);
        rect->bottom = (int16_t)h;
        rect->right = (int16_t)w;
        return;
    }
    if (win->type == 6 || win->kind == 0x200u) {
        rect->bottom = (int16_t)GetSystemMetrics(SM_CYSCREEN);
        rect->right = (int16_t)GetSystemMetrics(SM_CXSCREEN);
        return;
    }
    HWND hwnd = ruvk_vobj_hwnd(win);
    RECT r;
    if (!hwnd || !GetClientRect(hwnd, &r))
        return;
    *rect = rect_of(r);
    if ((win->type == 20 || win->type == 21) && !(win->kind & RUV_KIND_TEXT_EDIT)) {
        RECT outer;
        if (GetWindowRect(hwnd, &outer))
            rect->bottom = (int16_t)(rect->top + (outer.bottom - outer.top));
    }
}

extern "C" void ruvk_vobj_get_outer_rect(RUV_WIN win, RUV_RECT *rect)
{
    if (!rect)
        return;
    *rect = RUV_RECT{0, 0, 0, 0};
    HWND hwnd = ruvk_vobj_hwnd(win);
    RECT r;
    if (!hwnd || !GetWindowRect(hwnd, &r))
        return;
    MapWindowPoints(nullptr, placing_parent(hwnd), reinterpret_cast<POINT *>(&r), 2);
    *rect = rect_of(r);
}

extern "C" uint32_t ruvk_vobj_get_flags(RUV_WIN win)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd || !win->native)
        return 0;
    uint32_t f = win->create_flags;
    bool disabled = !IsWindowEnabled(hwnd);
    bool hidden = !(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE);
    if (win->kind & KIND_CONTROL) {
        f &= ~0x15u;
        if (disabled)
            f |= 0x1;
        if (hidden)
            f |= 0x10;
        if ((win->type == 13 || win->type == 14) && SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
            f |= 0x4;
        return f;
    }
    f &= ~0x1130u;
    if (disabled)
        f |= 0x20;
    if (hidden)
        f |= 0x10;
    if (IsIconic(hwnd))
        f |= 0x100;
    if (IsZoomed(hwnd))
        f |= 0x1000;
    return f;
}

extern "C" RUV_BOOL ruvk_vobj_is_focusable(RUV_WIN win)
{
    if (!valid(win))
        return FALSE;
    if (win->kind & RUV_KIND_TEXT_EDIT)
        return TRUE;
    switch (win->type) {
    case 0: case 4: case 6: case 8: case 18: case 22: case 24: case 26:
        return FALSE;
    default:
        return TRUE;
    }
}

extern "C" RUV_BOOL ruvk_vobj_is_list(RUV_WIN win)
{
    return valid(win) && !(win->kind & RUV_KIND_TEXT_EDIT) && win->type >= 19 && win->type <= 21;
}

extern "C" void ruvk_vobj_raise(RUV_WIN win)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (hwnd)
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

extern "C" int32_t ruvk_vobj_translate_points(RUV_WIN from, RUV_WIN to, RUV_POINT *points, int32_t count)
{
    if (from == to || !points || count <= 0)
        return 0;
    POINT a = {0, 0}, b = {0, 0};
    if (HWND h = ruvk_vobj_hwnd(from))
        ClientToScreen(h, &a);
    if (HWND h = ruvk_vobj_hwnd(to))
        ClientToScreen(h, &b);
    int16_t dv = (int16_t)(a.y - b.y), dh = (int16_t)(a.x - b.x);
    for (int32_t i = 0; i < count; ++i) {
        points[i].v = (int16_t)(points[i].v + dv);
        points[i].h = (int16_t)(points[i].h + dh);
    }
    return count;
}

extern "C" void ruvk_vobj_move(RUV_WIN win, const RUV_RECT *rect)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd || !win->native)
        return;
    ruvk_close_drop_list();
    RUV_RECT want;
    if (rect) {
        want = *rect;
    } else {
        want = RUV_RECT{0, 0, 0, 0};
        if (valid(win->parent))
            ruvk_vobj_get_client_rect(win->parent, &want);
    }
    if (win->kind & KIND_CONTROL) {
        MoveWindow(hwnd, want.left, want.top, want.right - want.left, want.bottom - want.top, TRUE);
        ruvk_html_resize(win);
        return;
    }
    /* A client rectangle where the window system places the window: in
       its native parent's client area, or on the screen. */
    RECT r = native_rect(want);
    if (IsIconic(hwnd)) {
        RECT in = restored_insets(hwnd);
        WINDOWPLACEMENT wp;
        wp.length = sizeof wp;
        if (!GetWindowPlacement(hwnd, &wp))
            return;
        wp.rcNormalPosition.left = r.left - in.left;
        wp.rcNormalPosition.top = r.top - in.top;
        wp.rcNormalPosition.right = r.right + in.right;
        wp.rcNormalPosition.bottom = r.bottom + in.bottom;
        wp.flags = 0;
        wp.showCmd = SW_SHOWMINNOACTIVE;
        if (!(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE))
            wp.showCmd = SW_HIDE;
        SetWindowPlacement(hwnd, &wp);
        return;
    }
    RECT in = frame_insets(hwnd);
    MoveWindow(hwnd, r.left - in.left, r.top - in.top, (r.right + in.right) - (r.left - in.left),
               (r.bottom + in.bottom) - (r.top - in.top), TRUE);
}

extern "C" void ruvk_vobj_set_visible(RUV_WIN win, RUV_BOOL visible)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd || !win->native)
        return;
    ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
    mdi_after_change(win, !visible);
}

extern "C" void ruvk_vobj_set_enabled(RUV_WIN win, RUV_BOOL enabled)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd || !win->native)
        return;
    if (!enabled && ruvk_focus_is_within(win)) {
        RUV_WIN parent = valid(win->parent) ? win->parent : NULL_WIN;
        if (parent && (parent->kind & KIND_DIALOG) && ruvk_vobj_hwnd(parent)) {
            SendMessageA(ruvk_vobj_hwnd(parent), WM_NEXTDLGCTL, 0, FALSE);
        } else if (parent && (win->kind & 0x90u) && ruvk_vobj_hwnd(parent)) {
            SetFocus(ruvk_vobj_hwnd(parent));
            if (remembers(parent))
                parent->last_focus = parent;
        }
    }
    /* Whether the focus's top level is this document, asked before the
       native disable can move the focus. */
    bool doc_holds_focus = !enabled && (win->kind & RUVK_KIND_DOC) && ruvk_focus_is_within(win);
    EnableWindow(hwnd, enabled ? TRUE : FALSE);
    if (doc_holds_focus && valid(win->parent) && ruvk_vobj_hwnd(win->parent))
        SetFocus(ruvk_vobj_hwnd(win->parent));
    mdi_after_change(win, !enabled);
}

/* ---- Titles -------------------------------------------------------------- */

extern "C" RUV_BOOL ruvk_type_has_mnemonics(int32_t type)
{
    return (type >= 12 && type <= 14) || type == 18 || type == 22;
}

extern "C" char *ruvk_title_to_native(const char *text, char *out, size_t size)
{
    return copy_cut(convert_signs(text, '~', '&'), out, size);
}

extern "C" char *ruvk_title_to_toolkit(const char *text, char *out, size_t size)
{
    return copy_cut(convert_signs(text, '&', '~'), out, size);
}

extern "C" int32_t ruvk_title_toolkit_length(const char *native)
{
    if (!native)
        return 0;
    int32_t n = 0;
    for (const char *p = native; *p;) {
        const char *next = CharNextA(p);
        if (p[0] == '&' && p[1] == '&') {
            n += 1;
            next = p + 2;
        } else if (p[0] == '~') {
            n += 2;
        } else {
            n += (int32_t)(next - p);
        }
        p = next;
    }
    return n;
}

extern "C" char *ruvk_vobj_get_title(RUV_WIN win, char *buf, int32_t size)
{
    if (!buf || size <= 0)
        return buf;
    buf[0] = '\0';
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd || !win->native)
        return buf;
    if (win->html)
        return ruvk_html_get_title(win, buf, size);   // the document's name
    int len = GetWindowTextLengthA(hwnd);
    std::string text((size_t)(len > 0 ? len : 0) + 1, '\0');
    int got = GetWindowTextA(hwnd, &text[0], len + 1);
    text.resize((size_t)(got > 0 ? got : 0));
    if (has_mnemonics(win))
        return ruvk_title_to_toolkit(text.c_str(), buf, (size_t)size);
    return copy_cut(text, buf, (size_t)size);
}

extern "C" void ruvk_vobj_set_title(RUV_WIN win, const char *text)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd || !win->native || !(win->kind & 0x50dfu))
        return;
    RUV_APP_RECORD *app = ruvk_app_record();
    int16_t was = app ? app->kernel_sets_text : 0;
    if (app)
        app->kernel_sets_text = 1;
    if (win->type == 22 && !(win->kind & RUV_KIND_TEXT_EDIT)) {
        /* A group box repaints only under its new text: blank the old. */
        int len = GetWindowTextLengthA(hwnd);
        std::string blank((size_t)(len > 0 ? len : 0) * 10 / 4, ' ');
        SetWindowTextA(hwnd, blank.c_str());
    }
    if (has_mnemonics(win))
        SetWindowTextA(hwnd, convert_signs(text ? text : "", '~', '&').c_str());
    else
        SetWindowTextA(hwnd, text ? text : "");
    if (app)
        app->kernel_sets_text = was;
}

extern "C" void ruvk_win_set_doc_title(RUV_WIN win, const char *text)
{
    ruvk_vobj_set_title(win, text);
}

/* ---- Focus --------------------------------------------------------------- */

extern "C" RUV_WIN ruvk_scr_get_focus_vobj(void)
{
    HWND focus = GetFocus();
    if (!focus)
        return NULL_WIN;
    RUV_WIN w = ruvwi_hwnd_to_window(focus);
    if (!w || (w->kind & KIND_SUBWINDOW)) {
        RUV_WIN p = ruvwi_hwnd_to_window(GetParent(focus));
        if (p || !w)
            return p;
    }
    return w;
}

extern "C" intptr_t ruvk_scr_set_focus_vobj(RUV_WIN win)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd)
        return 0;
    HWND previous = GetFocus();
    intptr_t result = reinterpret_cast<intptr_t>(previous);
    if (previous != hwnd) {
        RUV_WIN parent = valid(win->parent) ? win->parent : NULL_WIN;
        if ((win->kind & KIND_CONTROL) && parent && (parent->kind & KIND_DIALOG) && ruvk_vobj_hwnd(parent))
            SendMessageA(ruvk_vobj_hwnd(parent), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
        else {
            if (win->kind == RUVK_KIND_DRAWTASK)
                ruvk_flag_click_focus(hwnd);
            SetFocus(hwnd);
        }
    }
    if (!(win->kind & KIND_CONTROL))
        result = SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return result;
}

extern "C" void ruvk_focus_remember(RUV_WIN win)
{
    if (!valid(win) || !(win->kind & 0x90u))
        return;
    RUV_WIN top = win->top;
    if (!remembers(top) || top == win)
        return;
    top->last_focus = win;
    RUV_WIN task = task_window();
    if (task && task != top && top->parent == task && task->native && remembers(task))
        task->last_focus = win;
}

extern "C" void ruvk_focus_forget(RUV_WIN win)
{
    if (!valid(win))
        return;
    RUV_WIN tops[2] = {win->top, task_window()};
    for (RUV_WIN t : tops)
        if (t && t != win && remembers(t) && t->last_focus == win)
            t->last_focus = valid(win->parent) ? win->parent : t;
}

extern "C" void ruvk_focus_to_remembered(RUV_WIN win)
{
    if (!valid(win))
        return;
    RUV_WIN target = win->last_focus && ruvv_vobj_is_valid(win->last_focus) ? win->last_focus : win;
    HWND hwnd = ruvk_vobj_hwnd(target);
    if (hwnd && GetFocus() != hwnd)
        SetFocus(hwnd);
}

extern "C" RUV_BOOL ruvk_focus_is_within(RUV_WIN win)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd)
        return FALSE;
    for (HWND h = GetFocus(); h; h = GetParent(h))
        if (h == hwnd)
            return TRUE;
    return FALSE;
}

extern "C" void ruvk_focus_before_control_click(RUV_WIN ctl)
{
    if (!valid(ctl) || (ctl->kind & RUV_KIND_TEXT_EDIT))
        return;
    int32_t t = ctl->type;
    if (t != 15 && t != 16 && t != 17 && t != 25)
        return;
    if (valid(ctl->top) && ruvk_focus_is_within(ctl->top))
        return;
    if (HWND parent = valid(ctl->parent) ? ruvk_vobj_hwnd(ctl->parent) : nullptr)
        SetFocus(parent);
}

/* ---- Control font, cursor, caret ----------------------------------------- */

extern "C" void ruvk_win_set_ctl_font(RUV_WIN win, RUV_FONT *font)
{
    if (!valid(win))
        return;
    if (!font)
        font = reinterpret_cast<RUV_FONT *>(ruvk_vobj_get_attr(NULL_WIN, ATTR_CTL_FONT));
    HFONT hfont = nullptr;
    if (ruvv_font_is_valid(font)) {
        if (!font->mapped)
            ruvv_font_map(font, win);
        hfont = ruvk_font_get_hfont(win->draw_state, font);
    }
    if (!hfont)
        return;
    RUV_REGISTRY_ITER iter;
    ruvv_registry_iter_init(&iter);
    while (RUV_WIN c = ruvv_registry_iter_next(&iter, ruvv_registry_filter_parent, reinterpret_cast<intptr_t>(win))) {
        if ((c->kind & KIND_CONTROL) && !c->ctl_font && c->native)
            SendMessageA(static_cast<HWND>(c->native), WM_SETFONT, reinterpret_cast<WPARAM>(hfont), TRUE);
    }
}

extern "C" void ruvk_win_apply_ctl_font(RUV_WIN win)
{
    if (valid(win))
        ruvk_win_set_ctl_font(win, win->ctl_font);
}

extern "C" void ruvk_win_set_cursor(RUV_WIN win, int32_t cursor_id)
{
    if (!valid(win))
        return;
    HCURSOR cursor = load_cursor(cursor_id);
    if (!cursor) {
        RUV_ERR(win, RUV_SEV_WARNING, 0x1520001);
        return;
    }
    win->cursor_handle = cursor;
    win->cursor_id = cursor_id;
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd)
        return;
    POINT p;
    RECT client;
    bool inside = GetCursorPos(&p) && ScreenToClient(hwnd, &p) && GetClientRect(hwnd, &client) &&
                  PtInRect(&client, p);
    if (ruvk_pointer_trap_hwnd() == hwnd || inside)
        SetCursor(cursor);
}

extern "C" void ruvk_win_set_caret_size(RUV_WIN win, int16_t width, int16_t height)
{
    if (!valid(win) || !win->draw_state)
        return;
    RUVK_CARET *c = &win->draw_state->caret;
    c->width = width;
    c->height = height;
    ruvk_caret_sync(win, c, FALSE);
}

extern "C" void ruvk_win_set_caret_pos(RUV_WIN win, const RUV_POINT *point)
{
    if (!valid(win) || !win->draw_state || !point)
        return;
    RUVK_CARET *c = &win->draw_state->caret;
    c->v = point->v;
    c->h = point->h;
    ruvk_caret_sync(win, c, FALSE);
}

extern "C" void ruvk_win_set_caret_visible(RUV_WIN win, RUV_BOOL visible)
{
    if (!valid(win) || !win->draw_state)
        return;
    RUV_DRAW_STATE *st = win->draw_state;
    RUVK_CARET *c = &st->caret;
    c->visible = visible ? 1 : 0;
    if (visible) {
        /* The caret's extent comes from the window's current font. */
        if (RUV_DRAW_STATE *s = ruvk_draw_begin(win)) {
            ruvk_draw_select_font(s);
            TEXTMETRICA tm;
            if (GetTextMetricsA(s->hdc, &tm)) {
                c->font_descent = (int16_t)tm.tmDescent;
                c->font_height = (int16_t)(tm.tmExternalLeading + tm.tmAscent + tm.tmDescent);
            }
            ruvk_draw_end(s);
        }
    }
    ruvk_caret_sync(win, c, FALSE);
}

/* ---- Events and application --------------------------------------------- */

extern "C" int32_t ruvk_win_dispatch_event(RUV_WIN win, RUV_EVENT *event)
{
    int32_t r = ruvv_win_dispatch_event(win, event);
    ruvk_draw_release_cached();
    return r;
}

extern "C" void ruvk_app_allow_quit(void)
{
    if (RUV_APP_RECORD *app = ruvk_app_record())
        app->allow_quit = 1;
}
