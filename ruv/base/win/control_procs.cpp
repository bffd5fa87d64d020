/* How native controls behave as toolkit objects: the subclass procedures
   that replace each control's window procedure (focus memory, keys that
   belong to the parent window, the click-focus rule, painting with the
   parent's brush, drop-down edit parts, icons that ignore the mouse, own
   button click tracking, and the release of the record with the native
   window), the colours of controls resolved from their own, their
   window's and the application's lists, the colour answer of a toolkit
   window to its child's WM_CTLCOLOR* message, and the painter of coloured
   list and combo rows. */
#include "html_view.h"
#include "native_controls.h"

#include <cstring>
#include <string>
#include <vector>

#include "event_translate.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_ctl_text.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "draw_state.h"
#include "font_native.h"
#include "timers.h"
#include "window_create.h"
#include "window_services.h"

namespace {

enum ProcKind : int16_t {
    PROC_GENERIC = 0,
    PROC_PAINT_FILL,
    PROC_COMBO,
    PROC_ICON,
    PROC_TAB,
    PROC_BUTTON,
    PROC_COMBO_EDIT,
};

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

RUV_WIN record_of(HWND hwnd)
{
    auto *rec = reinterpret_cast<RUV_WIN>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return valid(rec) ? rec : NULL_WIN;
}

RUVK_CTL_STATE *state_of(RUV_WIN w)
{
    return valid(w) ? static_cast<RUVK_CTL_STATE *>(w->ctl_state) : nullptr;
}

COLORREF native_color(RUV_COLOR c)
{
    return PALETTERGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

bool is_button_kind(int32_t t)
{
    return t == WC_PUSH_BUTTON || t == WC_RADIO_BUTTON || t == WC_CHECK_BOX;
}

// The window a control's keys and characters go to.
HWND key_target(RUV_WIN ctl, int16_t kind)
{
    RUV_WIN owner = ctl;
    if (kind == PROC_COMBO_EDIT) {
        RUVK_CTL_STATE *st = state_of(ctl);
        owner = st && valid(st->secondary) ? st->secondary : ctl->parent;
    }
    return valid(owner) && valid(owner->parent) ? ruvk_vobj_hwnd(owner->parent) : nullptr;
}

bool parent_gets_key(RUV_WIN ctl, WPARAM vk)
{
    if (vk == VK_CANCEL)
        return true;
    if (vk >= VK_F1 && vk <= VK_F24 && vk != VK_F8)
        return true;
    if (vk == VK_F8) {
        bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
        bool extended_list = ctl->type == WC_LIST_BOX && (ctl->create_flags & RUV_CF_EXTENDED);
        return !(extended_list && shift && !ctrl);
    }
    if (is_button_kind(ctl->type) && (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN))
        return true;
    // A list box has no use for Delete: the window deletes the selected
    // entry with it.
    if (ctl->type == WC_LIST_BOX && vk == VK_DELETE)
        return true;
    return false;
}

// Focus moving between a control and a window that is neither its parent
// nor a toolkit control of the same parent: the parent hears of it first.
bool from_outside(RUV_WIN ctl, HWND other)
{
    if (!other)
        return true;
    HWND parent = valid(ctl->parent) ? ruvk_vobj_hwnd(ctl->parent) : nullptr;
    if (other == parent)
        return false;
    RUV_WIN o = ruvwi_hwnd_to_window(other);
    if (!o) {
        // The edit part of a drop-down stands for its combo.
        HWND up = GetParent(other);
        o = up ? ruvwi_hwnd_to_window(up) : NULL_WIN;
    }
    return !(o && (o->kind & (RUVK_KIND_CONTROL | RUVK_KIND_SUBCTL)) && o->parent == ctl->parent);
}

void fill_with_parent_brush(HWND hwnd)
{
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (!rgn)
        return;
    if (GetUpdateRgn(hwnd, rgn, FALSE) != NULLREGION) {
        HDC dc = GetDC(hwnd);
        HBRUSH brush = reinterpret_cast<HBRUSH>(
            SendMessageA(GetParent(hwnd), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
        if (!brush) {
            RUV_APP_RECORD *app = ruvk_app_record();
            brush = app ? app->back_brush : nullptr;
        }
        if (brush)
            FillRgn(dc, rgn, brush);
        ReleaseDC(hwnd, dc);
    }
    DeleteObject(rgn);
}

LRESULT call_prev(RUVK_CTL_STATE *st, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (!st || !st->prev_proc)
        return -1;
    return CallWindowProcA(st->prev_proc, hwnd, msg, wp, lp);
}

// The native window is going: the record goes with it.
LRESULT destroyed(RUV_WIN ctl, RUVK_CTL_STATE *st, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, int16_t kind)
{
    WNDPROC prev = st ? st->prev_proc : nullptr;
    ruvk_timer_kill_window(hwnd);
    RUV_APP_RECORD *app = ruvk_app_record();
    if (app && app->open_drop_list == hwnd)
        app->open_drop_list = nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (kind == PROC_COMBO_EDIT) {
        if (RUVK_CTL_STATE *cst = st && valid(st->secondary) ? state_of(st->secondary) : nullptr)
            cst->secondary = NULL_WIN;
        ruvk_ctl_state_free(ctl);
        std::memset(ctl, 0, sizeof *ctl);
        ruvv_mem_free(ctl);
    } else {
        if (valid(ctl->top) && ctl->top->last_focus == ctl)
            ctl->top->last_focus = NULL_WIN;
        ruvk_focus_forget(ctl);
        if (st && valid(st->secondary)) {
            if (RUVK_CTL_STATE *sst = state_of(st->secondary))
                sst->secondary = NULL_WIN;
        }
        ruvk_draw_state_destroy(ctl);
        ruvk_vobj_record_release(ctl);
        ruvv_mem_free(ctl);
    }
    return prev ? CallWindowProcA(prev, hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

// Own click tracking of buttons under windows outside the MDI client.
bool track_button(RUV_WIN ctl, RUVK_CTL_STATE *st, HWND hwnd, UINT msg, LPARAM lp)
{
    POINT p = {static_cast<int16_t>(LOWORD(lp)), static_cast<int16_t>(HIWORD(lp))};
    RECT client;
    GetClientRect(hwnd, &client);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(hwnd);
        st->tracking = 1;
        st->pressed = 1;
        SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
        return true;
    case WM_MOUSEMOVE:
        if (st->tracking) {
            int16_t inside = PtInRect(&client, p) ? 1 : 0;
            if (inside != st->pressed) {
                st->pressed = inside;
                SendMessageA(hwnd, BM_SETSTATE, inside, 0);
            }
            return true;
        }
        return false;
    case WM_LBUTTONUP:
        if (st->tracking) {
            st->tracking = 0;
            st->pressed = 0;
            SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
            ReleaseCapture();
            if (PtInRect(&client, p))
                SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                             reinterpret_cast<LPARAM>(hwnd));
            return true;
        }
        return false;
    default:
        return false;
    }
    (void)ctl;
}

LRESULT CALLBACK control_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    RUV_WIN ctl = record_of(hwnd);
    RUVK_CTL_STATE *st = state_of(ctl);
    if (!ctl || !st)
        return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (!ruvwi_wndproc_hook(hwnd, msg, wp, lp, &result))
        return result;
    const int16_t kind = st->proc_kind;

    switch (msg) {
    case WM_DESTROY:
        // An HTML view's browser goes while its windows are still there.
        ruvk_html_destroy_view(ctl);
        break;
    case WM_NCDESTROY:
        return destroyed(ctl, st, hwnd, msg, wp, lp, kind);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        HWND other = reinterpret_cast<HWND>(wp);
        if (kind == PROC_COMBO_EDIT) {
            RUV_WIN combo = st->secondary;
            if (valid(combo) && combo->native && (msg == WM_KILLFOCUS || other != combo->native)) {
                if (from_outside(combo, other) && valid(combo->parent))
                    SendMessageA(ruvk_vobj_hwnd(combo->parent), msg, wp, 0);
                if (msg == WM_SETFOCUS)
                    ruvk_focus_remember(combo);
            }
            break;
        }
        if (from_outside(ctl, other) && valid(ctl->parent))
            if (HWND ph = ruvk_vobj_hwnd(ctl->parent))
                SendMessageA(ph, msg, wp, 0);
        if (msg == WM_SETFOCUS)
            ruvk_focus_remember(ctl);
        break;
    }
    default:
        break;
    }

    if (kind == PROC_ICON) {
        if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
            return 0;
        if (msg == WM_NCHITTEST)
            return HTCLIENT;
    }
    if (kind == PROC_BUTTON && track_button(ctl, st, hwnd, msg, lp))
        return 0;
    if (kind == PROC_BUTTON && msg == WM_CANCELMODE) {
        if (st->tracking) {
            st->tracking = 0;
            SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
            ReleaseCapture();
        }
        return call_prev(st, hwnd, msg, wp, lp);
    }

    switch (msg) {
    case WM_KEYDOWN:
        if (kind != PROC_ICON && parent_gets_key(kind == PROC_COMBO_EDIT && valid(st->secondary) ? st->secondary : ctl, wp)) {
            if (HWND target = key_target(ctl, kind)) {
                SendMessageA(target, WM_KEYDOWN, wp, lp);
                return 0;
            }
        }
        break;
    case WM_CHAR:
        if (kind != PROC_ICON && (wp == '\t' || wp == '\r' || wp == 27)) {
            if (HWND target = key_target(ctl, kind)) {
                SendMessageA(target, WM_CHAR, wp, lp);
                return 0;
            }
        }
        break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) != SC_VSCROLL && (wp & 0xFFF0) != SC_HSCROLL) {
            RUV_WIN owner = kind == PROC_COMBO_EDIT && valid(st->secondary) ? st->secondary : ctl;
            if (valid(owner->parent))
                if (HWND ph = ruvk_vobj_hwnd(owner->parent))
                    return SendMessageA(ph, WM_SYSCOMMAND, wp, lp);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (kind == PROC_GENERIC || kind == PROC_TAB) {
            int32_t t = ctl->type;
            if (t == WC_HSCROLL_BAR || t == WC_VSCROLL_BAR || t == WC_EDIT || t == WC_NOTEBOOK)
                ruvk_focus_before_control_click(ctl);
        }
        break;
    case WM_PAINT:
        if (kind == PROC_PAINT_FILL || kind == PROC_BUTTON)
            fill_with_parent_brush(hwnd);
        break;
    case WM_DRAWITEM:
        if (kind == PROC_COMBO && ruvk_ctl_draw_item(reinterpret_cast<const DRAWITEMSTRUCT *>(lp)))
            return TRUE;
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (kind == PROC_COMBO && (st->has_text || st->has_back || st->has_brush)) {
            HDC dc = reinterpret_cast<HDC>(wp);
            RUV_APP_RECORD *app = ruvk_app_record();
            SetTextColor(dc, st->has_text ? st->text : app ? app->text_color : GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, st->has_back ? st->back : app ? app->back_color : GetSysColor(COLOR_WINDOW));
            return ruvk_ctl_color_answer(GetParent(hwnd), WM_CTLCOLOREDIT, dc, hwnd, 1);
        }
        break;
    default:
        break;
    }
    return call_prev(st, hwnd, msg, wp, lp);
}

// One solid brush for the controls' own brush colours.
HBRUSH own_brush(COLORREF color)
{
    static HBRUSH brush = nullptr;
    static COLORREF made = 0;
    if (!brush || made != color) {
        if (brush)
            DeleteObject(brush);
        brush = CreateSolidBrush(color);
        made = color;
    }
    return brush;
}

HBRUSH window_color_brush()
{
    static HBRUSH brush = nullptr;
    if (!brush)
        brush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    return brush;
}

// The first component of type in a type-0 terminated list.
const RUV_COLOR_COMPONENT *find_component(const RUV_COLOR_COMPONENT *list, uint32_t type, int32_t max)
{
    if (!list)
        return nullptr;
    for (int32_t i = 0; list[i].type && (max < 0 || i < max); ++i)
        if (static_cast<uint32_t>(list[i].type) == type)
            return &list[i];
    return nullptr;
}

} // namespace

extern "C" {

void ruvk_ctl_subclass(RUV_WIN ctl, HWND hwnd)
{
    RUVK_CTL_STATE *st = ruvk_ctl_state(ctl);
    if (!st || !hwnd)
        return;
    RUV_APP_RECORD *app = ruvk_app_record();
    const bool ctl3d = app && app->ctl3d;
    const int32_t t = ctl->type;
    int16_t kind = PROC_GENERIC;
    if (ctl->kind & RUVK_KIND_SUBCTL) {
        kind = PROC_COMBO_EDIT;
    } else {
        const bool outside = valid(ctl->parent) && (ctl->parent->kind & 0x30000000u);
        if (is_button_kind(t))
            kind = outside ? PROC_BUTTON : ((t != WC_PUSH_BUTTON && ctl3d) ? PROC_PAINT_FILL : PROC_GENERIC);
        else if (t == WC_DROP_LIST || t == WC_DROP_DOWN)
            kind = PROC_COMBO;
        else if (t == WC_GROUP_BOX)
            kind = PROC_PAINT_FILL;
        else if (t == WC_ICON)
            kind = PROC_ICON;
        else if (t == WC_NOTEBOOK)
            kind = PROC_TAB;
    }
    st->proc_kind = kind;
    st->prev_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_proc)));
}

void ruvk_ctl_resolve_colors(RUV_WIN ctl, uint32_t components)
{
    RUVK_CTL_STATE *st = state_of(ctl);
    if (!st)
        return;
    uint32_t comp[3];
    ruvk_ctl_components(ctl->type, &comp[0], &comp[1], &comp[2]);
    COLORREF *out[3] = {&st->text, &st->back, &st->brush};
    int16_t *flag[3] = {&st->has_text, &st->has_back, &st->has_brush};
    const RUV_COLOR_COMPONENT *parent_list =
        valid(ctl->parent) ? static_cast<const RUV_COLOR_COMPONENT *>(ctl->parent->ctl_colors.items) : nullptr;
    int32_t parent_count = valid(ctl->parent) ? ctl->parent->ctl_colors.count : 0;
    auto *app_list = reinterpret_cast<const RUV_COLOR_COMPONENT *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_CTL_COLORS));
    bool touched = false;
    for (int i = 0; i < 3; ++i) {
        if (!comp[i] || !(comp[i] & components))
            continue;
        touched = true;
        const RUV_COLOR_COMPONENT *hit = find_component(st->colors.items, comp[i], st->colors.count);
        if (!hit)
            hit = find_component(parent_list, comp[i], parent_count);
        if (!hit)
            hit = find_component(app_list, comp[i], -1);
        if (hit) {
            *out[i] = native_color(hit->color);
            *flag[i] = 1;
        } else {
            *flag[i] = 0;
        }
    }
    if (touched && ctl->native)
        InvalidateRect(static_cast<HWND>(ctl->native), nullptr, TRUE);
}

LRESULT ruvk_ctl_color_answer(HWND parent, UINT msg, HDC dc, HWND child, int32_t kind)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    RUV_WIN ctl = ruvwi_hwnd_to_window(child);
    RUVK_CTL_STATE *st = ctl && (ctl->kind & RUVK_KIND_CONTROL) ? state_of(ctl) : nullptr;
    using ColorFn = HBRUSH(WINAPI *)(UINT, WPARAM, LPARAM);
    ColorFn ctl3d = app && app->ctl3d && app->ctl3d_color ? reinterpret_cast<ColorFn>(reinterpret_cast<void *>(app->ctl3d_color)) : nullptr;
    if (kind == 4)
        return 0;
    if (!st || !(st->has_text || st->has_back || st->has_brush)) {
        if (ctl3d)
            return reinterpret_cast<LRESULT>(ctl3d(msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
        return DefWindowProcA(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
    }
    HBRUSH lib_brush = ctl3d ? ctl3d(msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)) : nullptr;
    const bool edit_or_list = kind == 1 || kind == 2;
    if (st->has_text)
        SetTextColor(dc, st->text);
    else if (!ctl3d && app)
        SetTextColor(dc, app->text_color);
    if (st->has_back)
        SetBkColor(dc, st->back);
    else if (!ctl3d)
        SetBkColor(dc, ruvk_platform.win9x && edit_or_list ? GetSysColor(COLOR_WINDOW)
                                                            : app ? app->back_color : GetSysColor(COLOR_BTNFACE));
    HBRUSH brush = nullptr;
    if (st->has_brush)
        brush = own_brush(st->brush);
    else if (lib_brush)
        brush = lib_brush;
    else if (ruvk_platform.win9x && edit_or_list)
        brush = window_color_brush();
    else if (app)
        brush = app->back_brush;
    return reinterpret_cast<LRESULT>(brush);
}

RUV_BOOL ruvk_ctl_handle_color_msg(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result)
{
    int32_t kind;
    switch (msg) {
    case WM_CTLCOLORMSGBOX: kind = 0; break;
    case WM_CTLCOLOREDIT: kind = 1; break;
    case WM_CTLCOLORLISTBOX: kind = 2; break;
    case WM_CTLCOLORBTN: kind = 3; break;
    case WM_CTLCOLORDLG: kind = 4; break;
    case WM_CTLCOLORSCROLLBAR: kind = 5; break;
    case WM_CTLCOLORSTATIC: kind = 6; break;
    default: return 0;
    }
    LRESULT r = ruvk_ctl_color_answer(hwnd, msg, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), kind);
    if (result)
        *result = r;
    return 1;
}

RUV_BOOL ruvk_ctl_draw_item(const DRAWITEMSTRUCT *item)
{
    if (!item || (item->CtlType != ODT_LISTBOX && item->CtlType != ODT_COMBOBOX))
        return 0;
    HDC dc = item->hDC;
    RECT rc = item->rcItem;
    if (item->itemAction == ODA_FOCUS) {
        DrawFocusRect(dc, &rc);
        return 1;
    }
    if (static_cast<int>(item->itemID) < 0) {
        if (item->itemState & ODS_FOCUS)
            DrawFocusRect(dc, &rc);
        return 1;
    }
    const bool combo = item->CtlType == ODT_COMBOBOX;
    HWND hwnd = item->hwndItem;
    LRESULT len = SendMessageA(hwnd, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, item->itemID, 0);
    if (len < 0)
        return 0;
    std::vector<char> row(static_cast<size_t>(len) + 1, '\0');
    SendMessageA(hwnd, combo ? CB_GETLBTEXT : LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(row.data()));
    row.back() = '\0';
    RUV_ROW_COLORS rcol;
    ruvv_row_colors_parse(row.data(), &rcol);
    COLORREF back = rcol.has_back ? native_color(rcol.back) : GetBkColor(dc);
    COLORREF text = rcol.has_text ? native_color(rcol.text) : GetTextColor(dc);
    COLORREF select = rcol.has_select ? native_color(rcol.select) : GetSysColor(COLOR_HIGHLIGHT);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    COLORREF fill = back, ink = text;
    if (selected && (item->itemAction == ODA_SELECT || !combo)) {
        fill = select;
        ink = back;
    }
    std::string shown(std::strlen(rcol.visible) * 2 + 1, '\0');
    ruvk_title_to_native(rcol.visible, &shown[0], shown.size());
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    COLORREF old_text = SetTextColor(dc, ink);
    int old_mode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, shown.c_str(), -1, &rc, DT_SINGLELINE | DT_EXPANDTABS | DT_VCENTER);
    SetBkMode(dc, old_mode);
    SetTextColor(dc, old_text);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &rc);
    return 1;
}

HFONT ruvk_ctl_inherited_font(RUV_WIN obj)
{
    if (!valid(obj))
        return nullptr;
    if (RUVK_CTL_STATE *st = state_of(obj))
        if (st->hfont)
            return st->hfont;
    if (!(obj->kind & RUVK_KIND_CONTROL) && ruvv_font_is_valid(obj->ctl_font)) {
        if (!obj->ctl_font->mapped)
            ruvv_font_map(obj->ctl_font, obj);
        if (HFONT f = ruvk_font_get_hfont(obj->draw_state, obj->ctl_font))
            return f;
    }
    if ((obj->kind & RUVK_KIND_CONTROL) && valid(obj->parent))
        return ruvk_ctl_inherited_font(obj->parent);
    auto *def = reinterpret_cast<RUV_FONT *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_CTL_FONT));
    if (ruvv_font_is_valid(def)) {
        if (!def->mapped)
            ruvv_font_map(def, obj);
        return ruvk_font_get_hfont(obj->draw_state, def);
    }
    return nullptr;
}

} // extern "C"
