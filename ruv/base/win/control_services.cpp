/* Operations on native controls that the portable and front layers call:
   check state of radio buttons and check boxes, text selection of edit
   fields and drop-downs in characters, control ids and lookup by id, the
   control colours (own lists, the window's default list, the system's
   defaults per kind), the control font, tooltips, and the button
   activation and default button of keyboard navigation. */
#include "native_controls.h"

#include <cstring>
#include <string>
#include <vector>

#include <commctrl.h>

#include "event_translate.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "draw_state.h"
#include "font_native.h"
#include "window_create.h"
#include "window_services.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_NOT_CHECKABLE = 0x347859;

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

HWND hwnd_of(RUV_WIN w)
{
    return valid(w) ? static_cast<HWND>(w->native) : nullptr;
}

RUVK_CTL_STATE *state_of(RUV_WIN w)
{
    return valid(w) ? static_cast<RUVK_CTL_STATE *>(w->ctl_state) : nullptr;
}

// The native window that holds the text of an edit field or drop-down.
HWND text_hwnd(RUV_WIN ctl)
{
    if (ctl->type == WC_DROP_DOWN) {
        RUVK_CTL_STATE *st = state_of(ctl);
        if (st && valid(st->secondary))
            return hwnd_of(st->secondary);
        return GetWindow(hwnd_of(ctl), GW_CHILD);
    }
    return hwnd_of(ctl);
}

std::string window_text(HWND hwnd)
{
    int n = GetWindowTextLengthA(hwnd);
    if (n <= 0)
        return std::string();
    std::vector<char> buf(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(hwnd, buf.data(), n + 1);
    return std::string(buf.data());
}

// Byte offset of the character position pos within text (clamped).
int32_t byte_of_char(const std::string &text, int32_t pos)
{
    const char *p = text.c_str();
    for (int32_t i = 0; i < pos && *p; ++i)
        p = CharNextA(p);
    return static_cast<int32_t>(p - text.c_str());
}

int32_t char_of_byte(const std::string &text, int32_t byte)
{
    const char *p = text.c_str();
    const char *end = p + (byte < static_cast<int32_t>(text.size()) ? byte : static_cast<int32_t>(text.size()));
    int32_t n = 0;
    while (p < end && *p) {
        p = CharNextA(p);
        ++n;
    }
    return n;
}

// Per-type native default colours: {component, system colour index}.
struct NativeColor {
    int32_t component;
    int32_t sys;
};
struct NativeRow {
    int32_t type;
    std::vector<NativeColor> plain, lib3d, win9x;
};

const std::vector<NativeRow> &native_rows()
{
    static const std::vector<NativeRow> rows = {
        {12, {{2, COLOR_BTNTEXT}, {4, COLOR_BTNFACE}, {8, COLOR_WINDOW}, {0x20, COLOR_WINDOWFRAME}},
             {{2, COLOR_BTNTEXT}, {4, COLOR_BTNFACE}, {8, COLOR_BTNFACE}, {0x20, COLOR_WINDOWFRAME}},
             {{2, COLOR_BTNTEXT}, {4, COLOR_BTNFACE}, {0x20, COLOR_WINDOWFRAME}}},
        {13, {{2, COLOR_WINDOWTEXT}, {8, COLOR_WINDOW}}, {{2, COLOR_BTNTEXT}, {8, COLOR_BTNFACE}},
             {{2, COLOR_WINDOWTEXT}, {8, COLOR_BTNFACE}}},
        {15, {{0x40, COLOR_SCROLLBAR}, {0x20, COLOR_WINDOWFRAME}, {4, COLOR_BTNFACE}},
             {{0x40, COLOR_SCROLLBAR}, {0x20, COLOR_WINDOWFRAME}, {4, COLOR_BTNFACE}}, {{4, COLOR_BTNFACE}}},
        {17, {{2, COLOR_WINDOWTEXT}, {4, COLOR_WINDOW}, {0x20, COLOR_WINDOWFRAME}},
             {{2, COLOR_WINDOWTEXT}, {4, COLOR_WINDOW}, {0x20, COLOR_WINDOWFRAME}},
             {{2, COLOR_WINDOWTEXT}, {4, COLOR_WINDOW}, {0x20, COLOR_WINDOWFRAME}}},
        {18, {{2, COLOR_WINDOWTEXT}, {8, COLOR_WINDOW}}, {{2, COLOR_BTNTEXT}, {8, COLOR_BTNFACE}},
             {{2, COLOR_WINDOWTEXT}, {8, COLOR_BTNFACE}}},
        {20, {{2, COLOR_WINDOWTEXT}, {4, COLOR_WINDOW}, {8, COLOR_WINDOW}, {0x20, COLOR_WINDOWFRAME}},
             {{2, COLOR_WINDOWTEXT}, {4, COLOR_WINDOW}, {8, COLOR_BTNFACE}, {0x20, COLOR_WINDOWFRAME}},
             {{2, COLOR_WINDOWTEXT}, {4, COLOR_WINDOW}, {0x20, COLOR_WINDOWFRAME}}},
        {22, {{2, COLOR_WINDOWTEXT}, {8, COLOR_WINDOW}, {0x20, COLOR_WINDOWFRAME}},
             {{2, COLOR_BTNTEXT}, {8, COLOR_BTNFACE}},
             {{2, COLOR_WINDOWTEXT}, {8, COLOR_BTNFACE}, {0x20, COLOR_WINDOWFRAME}}},
        {24, {{8, COLOR_WINDOW}}, {{8, COLOR_BTNFACE}}, {{8, COLOR_BTNFACE}}},
    };
    return rows;
}

// The row a type shares.
int32_t native_row_type(int32_t type)
{
    switch (type) {
    case 14: return 13;
    case 16: return 15;
    case 19: case 21: return 17;
    case 25: return 12;
    default: return type;
    }
}

RUV_COLOR_COMPONENT *copy_list(const RUV_COLOR_COMPONENT *items, int32_t count)
{
    if (!items || count <= 0)
        return nullptr;
    auto *out = static_cast<RUV_COLOR_COMPONENT *>(ruvv_mem_zalloc(sizeof(RUV_COLOR_COMPONENT) * (count + 1)));
    if (!out)
        return nullptr;
    std::memcpy(out, items, sizeof(RUV_COLOR_COMPONENT) * count);
    return out;
}

} // namespace

extern "C" {

// ---- Checks ------------------------------------------------------------------------

RUV_BOOL ruvk_ctl_is_checked(RUV_WIN ctl)
{
    if (!valid(ctl) || (ctl->type != WC_RADIO_BUTTON && ctl->type != WC_CHECK_BOX) ||
        (ctl->kind & RUV_KIND_TEXT_EDIT)) {
        RUV_ERR(ctl, RUV_SEV_FATAL, ERR_NOT_CHECKABLE);
        return 0;
    }
    return SendMessageA(hwnd_of(ctl), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void ruvk_ctl_set_checked(RUV_WIN ctl, RUV_BOOL checked)
{
    if (!valid(ctl))
        return;
    ruvk_ctl_guard(1);
    SendMessageA(hwnd_of(ctl), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    ruvk_ctl_guard(0);
}

void ruvk_ctl_check_radio_button(RUV_WIN button, RUV_WIN *buttons, int32_t count)
{
    if (!buttons)
        return;
    ruvk_ctl_guard(1);
    for (int32_t i = 0; i < count; ++i)
        if (valid(buttons[i]))
            SendMessageA(hwnd_of(buttons[i]), BM_SETCHECK, buttons[i] == button ? BST_CHECKED : BST_UNCHECKED, 0);
    ruvk_ctl_guard(0);
}

// ---- Text selection ------------------------------------------------------------------

void ruvk_ctl_set_text_sel(RUV_WIN ctl, int32_t first, int32_t last)
{
    if (!valid(ctl))
        return;
    HWND h = hwnd_of(ctl);
    HWND text = text_hwnd(ctl);
    if (!h || !text)
        return;
    HWND focus = GetFocus();
    bool moved = false;
    if (focus != h && focus != text) {
        SetFocus(h);
        moved = true;
    }
    std::string t = window_text(text);
    int32_t b1 = byte_of_char(t, first < 0 ? 0 : first);
    int32_t b2 = last < 0 ? -1 : byte_of_char(t, last);
    ruvk_ctl_guard(1);
    if (ctl->type == WC_DROP_DOWN)
        SendMessageA(h, CB_SETEDITSEL, 0, MAKELPARAM(b1, b2));
    else
        SendMessageA(h, EM_SETSEL, b1, b2);
    ruvk_ctl_guard(0);
    if (moved && valid(ctl->parent)) {
        RUV_EVENT ev;
        ruvk_event_init(&ev, E_CONTROL);
        ev.v.control.id = ruvk_ctl_get_id(ctl);
        ev.v.control.type = ctl->type;
        ev.v.control.ctl = ctl;
        ev.v.control.data.edit.change = 1;
        ev.v.control.data.edit.gained = 1;
        ruvk_win_dispatch_event(ctl->parent, &ev);
    }
}

void ruvk_ctl_get_text_sel(RUV_WIN ctl, int32_t *first, int32_t *last)
{
    if (!valid(ctl))
        return;
    HWND text = text_hwnd(ctl);
    DWORD b1 = 0, b2 = 0;
    SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&b1), reinterpret_cast<LPARAM>(&b2));
    std::string t = window_text(text);
    if (first)
        *first = char_of_byte(t, static_cast<int32_t>(b1));
    if (last)
        *last = char_of_byte(t, static_cast<int32_t>(b2));
}

// ---- Ids -----------------------------------------------------------------------------

int32_t ruvk_ctl_get_id(RUV_WIN ctl)
{
    HWND h = hwnd_of(ctl);
    return h ? static_cast<int16_t>(GetDlgCtrlID(h)) : 0;
}

RUV_WIN ruvk_win_get_ctl(RUV_WIN win, int32_t id)
{
    if (!valid(win))
        return NULL_WIN;
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    while (RUV_WIN c = ruvv_registry_iter_next(&it, ruvv_registry_filter_parent, reinterpret_cast<intptr_t>(win)))
        if ((c->kind & RUVK_KIND_CONTROL) && c->native && ruvk_ctl_get_id(c) == static_cast<int16_t>(id))
            return c;
    return NULL_WIN;
}

// ---- Colours -------------------------------------------------------------------------

void ruvk_ctl_set_colors(RUV_WIN ctl, const RUV_COLOR_COMPONENT *colors, int32_t action)
{
    RUVK_CTL_STATE *st = valid(ctl) ? ruvk_ctl_state(ctl) : nullptr;
    if (!st)
        return;
    if (!st->colors.allowed)
        st->colors.allowed = ruvk_ctl_component_mask(ctl->type);
    uint32_t changed = ruvv_color_modify_set(&st->colors, colors, action ? 1 : 0);
    ruvk_ctl_resolve_colors(ctl, changed);
}

RUV_COLOR_COMPONENT *ruvk_ctl_get_native_colors(int32_t type)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    const int32_t row_type = native_row_type(type);
    for (const NativeRow &row : native_rows()) {
        if (row.type != row_type)
            continue;
        const std::vector<NativeColor> &list =
            ruvk_platform.win9x ? row.win9x : (app && app->ctl3d) ? row.lib3d : row.plain;
        auto *out = static_cast<RUV_COLOR_COMPONENT *>(
            ruvv_mem_zalloc(sizeof(RUV_COLOR_COMPONENT) * (list.size() + 1)));
        if (!out)
            return nullptr;
        for (size_t i = 0; i < list.size(); ++i) {
            COLORREF c = GetSysColor(list[i].sys);
            out[i].type = list[i].component;
            out[i].color = (static_cast<RUV_COLOR>(GetRValue(c)) << 16) | (static_cast<RUV_COLOR>(GetGValue(c)) << 8) |
                           GetBValue(c);
        }
        return out;
    }
    return nullptr;
}

RUV_COLOR_COMPONENT *ruvk_ctl_get_colors(RUV_WIN win)
{
    if (!valid(win))
        return nullptr;
    if (win->kind & RUVK_KIND_CONTROL) {
        RUVK_CTL_STATE *st = state_of(win);
        return st ? copy_list(st->colors.items, st->colors.count) : nullptr;
    }
    return copy_list(static_cast<const RUV_COLOR_COMPONENT *>(win->ctl_colors.items), win->ctl_colors.count);
}

RUV_COLOR_COMPONENT *ruvk_win_get_ctl_colors(RUV_WIN win)
{
    return ruvk_ctl_get_colors(win);
}

void ruvk_win_set_ctl_colors(RUV_WIN win, const RUV_COLOR_COMPONENT *colors, int32_t count)
{
    if (!valid(win))
        return;
    if (colors && count < 0)
        for (count = 0; colors[count].type; ++count) {
        }
    RUV_COLOR_COMPONENT *copy = copy_list(colors, count);
    if (colors && count > 0 && !copy)
        return;
    ruvv_mem_free(win->ctl_colors.items);
    win->ctl_colors.items = copy;
    win->ctl_colors.count = static_cast<int16_t>(copy ? count : 0);
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    while (RUV_WIN c = ruvv_registry_iter_next(&it, ruvv_registry_filter_parent, reinterpret_cast<intptr_t>(win)))
        if (c->kind & RUVK_KIND_CONTROL)
            ruvk_ctl_resolve_colors(c, 0xFFFFFFFFu);
}

// ---- Fonts ---------------------------------------------------------------------------

void ruvk_ctl_set_font(RUV_WIN ctl, RUV_FONT *font)
{
    RUVK_CTL_STATE *st = valid(ctl) ? ruvk_ctl_state(ctl) : nullptr;
    if (!st)
        return;
    if (ruvv_font_is_valid(font)) {
        if (!ctl->ctl_font)
            ctl->ctl_font = ruvv_font_create();
        if (ctl->ctl_font) {
            ruvv_font_copy(ctl->ctl_font, font, -1);
            ruvv_font_map(ctl->ctl_font, ctl);
            st->hfont = ruvk_font_get_hfont(ctl->draw_state, ctl->ctl_font);
        }
    } else {
        if (ctl->ctl_font)
            ruvv_font_destroy(ctl->ctl_font);
        ctl->ctl_font = nullptr;
        st->hfont = nullptr;
    }
    HFONT f = st->hfont ? st->hfont : ruvk_ctl_inherited_font(ctl);
    SendMessageA(hwnd_of(ctl), WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
    if (ctl->type == WC_LIST_BOX && (ctl->create_flags & RUV_CF_LIST_HSCROLL))
        ruvk_list_recompute_extent(ctl);
}

RUV_FONT *ruvk_ctl_get_font(RUV_WIN obj)
{
    if (!valid(obj) || !ruvv_font_is_valid(obj->ctl_font))
        return nullptr;
    RUV_FONT *copy = ruvv_font_create();
    if (copy)
        ruvv_font_copy(copy, obj->ctl_font, -1);
    return copy;
}

RUV_FONT *ruvk_win_get_ctl_font(RUV_WIN obj)
{
    return ruvk_ctl_get_font(obj);
}

// ---- Tooltips ------------------------------------------------------------------------

intptr_t ruvk_ctl_set_tooltip(RUV_WIN ctl, const char *text, const RUV_RECT *rect)
{
    HWND h = hwnd_of(ctl);
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!h || !app)
        return 0;
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, h, nullptr, app->instance, nullptr);
    if (!tip)
        return 0;
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = h;
    ti.uId = 1;
    ti.hinst = app->instance;
    ti.lpszText = const_cast<char *>(text ? text : "");
    if (rect) {
        ti.rect.left = rect->left;
        ti.rect.top = rect->top;
        ti.rect.right = rect->right;
        ti.rect.bottom = rect->bottom;
    } else {
        GetClientRect(h, &ti.rect);
    }
    return SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

// ---- Buttons -------------------------------------------------------------------------

void ruvk_ctl_press_button(RUV_WIN ctl)
{
    HWND h = hwnd_of(ctl);
    if (!h || !valid(ctl->parent))
        return;
    SendMessageA(h, BM_SETSTATE, TRUE, 0);
    UpdateWindow(h);
    Sleep(50);
    SendMessageA(h, BM_SETSTATE, FALSE, 0);
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_CONTROL);
    ev.v.control.id = ruvk_ctl_get_id(ctl);
    ev.v.control.type = ctl->type;
    ev.v.control.ctl = ctl;
    ruvk_win_dispatch_event(ctl->parent, &ev);
}

void ruvk_ctl_set_default_button(RUV_WIN ctl)
{
    HWND h = hwnd_of(ctl);
    if (!h || ctl->type != WC_PUSH_BUTTON)
        return;
    if ((GetWindowLongPtrA(h, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
        return;
    for (HWND c = GetWindow(GetParent(h), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RUV_WIN o = ruvwi_hwnd_to_window(c);
        if (c == h) {
            SendMessageA(c, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        } else if (o && (o->kind & RUVK_KIND_CONTROL) && o->type == WC_PUSH_BUTTON &&
                   (GetWindowLongPtrA(c, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON) {
            SendMessageA(c, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        }
    }
}

} // extern "C"
