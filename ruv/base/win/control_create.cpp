/* Native controls made: the control state each record carries, the native
   class and styles of each control kind, recognition of a native class,
   the colour components each kind accepts, definition units, and the
   creation of a control from arguments, from one definition element or
   for every control element of a window definition. */
#include "html_view.h"
#include "native_controls.h"
#include "startup.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <commctrl.h>

#include "event_translate.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_ctl_text.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "window_create.h"
#include "window_services.h"
#include "draw_state.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_BAD_CONTROL_TYPE = 0x347857;
constexpr uint32_t KINDS_OUTSIDE_MDI_CLIENT = 0x30000000u;

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

bool attr_on(int32_t key)
{
    return static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, key)) != 0;
}

// Colour components by type: text, background, brush.
struct Components {
    int32_t type;
    uint32_t text, back, brush;
};
constexpr Components COMPONENTS[] = {
    {12, 0x2, 0x4, 0x8}, {13, 0x2, 0x8, 0x8}, {14, 0x2, 0x8, 0x8}, {15, 0, 0, 0x40},
    {16, 0, 0, 0x40},    {17, 0x2, 0x4, 0x4}, {18, 0x2, 0x8, 0x8}, {19, 0x2, 0x4, 0x4},
    {20, 0x2, 0x4, 0x4}, {21, 0x2, 0x4, 0x8}, {22, 0x2, 0x8, 0x8}, {24, 0x2, 0x4, 0x8},
    {25, 0x2, 0x4, 0x8},
};

// Native class recognition, in order; style 0 matches any style.
struct ClassEntry {
    const char *name;
    DWORD style;
    int32_t type;
};
constexpr ClassEntry CLASSES[] = {
    {"button", 4, 13},   {"button", 9, 13},    {"button", 2, 14},   {"button", 3, 14},
    {"button", 7, 22},   {"button", 0, 12},    {"scrollbar", 1, 16}, {"scrollbar", 0, 15},
    {"edit", 0, 17},     {"listbox", 0, 19},   {"combobox", 3, 20}, {"combobox", 2, 21},
    {"systabcontrol32", 0, 25}, {"static", 3, 24}, {"static", 0, 18},
};

bool takes_font(int32_t type)
{
    return (type >= 12 && type <= 14) || (type >= 17 && type <= 22) || type == WC_NOTEBOOK;
}

// The drop-down's edit part: a second object, not registered, linked to
// the combo's object and back.
void attach_combo_edit(RUV_WIN combo, HWND hwnd)
{
    HWND edit = GetWindow(hwnd, GW_CHILD);
    RUVK_CTL_STATE *st = ruvk_ctl_state(combo);
    if (!edit || !st)
        return;
    auto *sub = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
    if (!sub)
        return;
    sub->tag = RUV_VOBJ_TAG;
    sub->kind = RUVK_KIND_SUBCTL;
    sub->type = WC_EDIT;
    sub->parent = combo;
    sub->top = combo->top;
    sub->native = edit;
    sub->minus_one = -1;
    st->secondary = sub;
    if (RUVK_CTL_STATE *sst = ruvk_ctl_state(sub))
        sst->secondary = combo;
    SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(sub));
    ruvk_ctl_subclass(sub, edit);
}

void release_record(RUV_WIN rec)
{
    ruvk_draw_state_destroy(rec);
    ruvk_vobj_record_release(rec);
    ruvv_mem_free(rec);
}

int16_t guard_depth = 0;

} // namespace

extern "C" {

// ---- State ---------------------------------------------------------------------

RUVK_CTL_STATE *ruvk_ctl_state(RUV_WIN obj)
{
    if (!valid(obj))
        return nullptr;
    if (!obj->ctl_state) {
        auto *st = static_cast<RUVK_CTL_STATE *>(ruvv_mem_zalloc(sizeof(RUVK_CTL_STATE)));
        if (!st)
            return nullptr;
        st->notebook_sel = st->notebook_hover = -1;
        st->bars[0] = st->bars[1] = RUVK_SBAR_RANGE{0, 100, 0};
        obj->ctl_state = st;
    }
    return static_cast<RUVK_CTL_STATE *>(obj->ctl_state);
}

void ruvk_ctl_state_free(RUV_WIN obj)
{
    if (!obj || !obj->ctl_state)
        return;
    auto *st = static_cast<RUVK_CTL_STATE *>(obj->ctl_state);
    ruvv_mem_free(st->colors.items);
    ruvv_mem_free(st);
    obj->ctl_state = nullptr;
}

// ---- Kinds -------------------------------------------------------------------------

const char *ruvk_ctl_class_style(int32_t type, uint32_t flags, DWORD *style_out, DWORD *ex_out)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ex = 0;
    if (flags & RUV_CF_DISABLED)
        style |= WS_DISABLED;
    if (!(flags & RUV_CF_HIDDEN))
        style |= WS_VISIBLE;
    const bool ctl3d = attr_on(RUV_ATTR_USE_CTL3D);
    const char *cls = nullptr;
    switch (type) {
    case WC_PUSH_BUTTON:
        cls = "Button";
        style |= (flags & RUV_CF_DEFAULT) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        break;
    case WC_RADIO_BUTTON:
        cls = "Button";
        style |= BS_RADIOBUTTON;
        break;
    case WC_CHECK_BOX:
        cls = "Button";
        style |= BS_CHECKBOX;
        break;
    case WC_HSCROLL_BAR:
        cls = "Scrollbar";
        style |= SBS_HORZ;
        break;
    case WC_VSCROLL_BAR:
        cls = "Scrollbar";
        style |= SBS_VERT;
        break;
    case WC_EDIT:
        cls = "Edit";
        style |= WS_BORDER | ES_AUTOHSCROLL;
        if (flags & RUV_CF_RIGHT)
            style |= ES_RIGHT;
        else if (flags & RUV_CF_CENTER)
            style |= ES_CENTER;
        if (flags & RUV_CF_READONLY)
            style |= ES_READONLY;
        if (flags & RUV_CF_PASSWORD)
            style |= ES_PASSWORD;
        if (ctl3d)
            ex |= WS_EX_CLIENTEDGE;
        break;
    case WC_STATIC_TEXT:
        cls = "Static";
        style |= (flags & RUV_CF_CENTER) ? SS_CENTER : (flags & RUV_CF_RIGHT) ? SS_RIGHT : SS_LEFT;
        break;
    case WC_LIST_BOX:
        cls = "Listbox";
        style |= WS_BORDER | WS_VSCROLL | LBS_DISABLENOSCROLL;
        if (attr_on(RUV_ATTR_COLOR_LIST_ROWS))
            style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
        if (!(flags & RUV_CF_READONLY))
            style |= LBS_NOTIFY;
        if (flags & RUV_CF_EXTENDED)
            style |= LBS_EXTENDEDSEL;
        if (flags & RUV_CF_LIST_HSCROLL)
            style |= WS_HSCROLL;
        if (ctl3d)
            ex |= WS_EX_CLIENTEDGE;
        break;
    case WC_DROP_LIST:
    case WC_DROP_DOWN:
        cls = "Combobox";
        style |= type == WC_DROP_LIST ? (WS_VSCROLL | CBS_SORT | CBS_DROPDOWNLIST)
                                      : (WS_VSCROLL | CBS_AUTOHSCROLL | CBS_DROPDOWN);
        if (attr_on(RUV_ATTR_COLOR_COMBO_ROWS))
            style |= CBS_HASSTRINGS | CBS_OWNERDRAWFIXED;
        if (ctl3d)
            ex |= WS_EX_CLIENTEDGE;
        break;
    case WC_GROUP_BOX:
        cls = "Button";
        style |= BS_GROUPBOX;
        break;
    case WC_ICON:
        cls = "Static";
        style |= SS_ICON;
        break;
    case WC_NOTEBOOK:
        cls = WC_TABCONTROLA;
        style |= TCS_RAGGEDRIGHT;
        break;
    case WC_HTML_VIEW:
        cls = "Static";
        break;
    default:
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_BAD_CONTROL_TYPE);
        break;
    }
    if (style_out)
        *style_out = style;
    if (ex_out)
        *ex_out = ex;
    return cls;
}

int32_t ruvk_ctl_type_of_class(const char *class_name, DWORD style)
{
    if (!class_name)
        return -1;
    for (const ClassEntry &e : CLASSES)
        if (lstrcmpiA(class_name, e.name) == 0 && (e.style == 0 || (style & 0xF) == e.style))
            return e.type;
    return -1;
}

int32_t ruvk_ctl_type_of_hwnd(HWND hwnd)
{
    char cls[64] = "";
    if (!hwnd || !GetClassNameA(hwnd, cls, sizeof cls))
        return -1;
    return ruvk_ctl_type_of_class(cls, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)));
}

void ruvk_ctl_components(int32_t type, uint32_t *text, uint32_t *back, uint32_t *brush)
{
    uint32_t t = 0, b = 0, r = 0;
    for (const Components &c : COMPONENTS)
        if (c.type == type) {
            t = c.text;
            b = c.back;
            r = c.brush;
        }
    // Windows 9x paints the drop-down's edit part with its background.
    if (type == WC_DROP_DOWN && ruvk_platform.win9x)
        r = b;
    if (text)
        *text = t;
    if (back)
        *back = b;
    if (brush)
        *brush = r;
}

uint32_t ruvk_ctl_component_mask(int32_t type)
{
    uint32_t t, b, r;
    ruvk_ctl_components(type, &t, &b, &r);
    return t | b | r;
}

// ---- Definition units -------------------------------------------------------------

void ruvk_dialog_base_units(int32_t *bx, int32_t *by)
{
    static LONG units = 0;
    if (!units)
        units = GetDialogBaseUnits();
    if (bx)
        *bx = LOWORD(units);
    if (by)
        *by = HIWORD(units);
}

void ruvk_rect_to_pixels(RUV_RECT *rect, int32_t unit)
{
    int32_t bx, by;
    ruvk_dialog_base_units(&bx, &by);
    ruvv_units_convert_rect(rect, unit, RUV_UNIT_PIXELS, bx, by);
}

// ---- Creation ------------------------------------------------------------------------

void ruvk_ctl_guard(RUV_BOOL up)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app)
        return;
    if (up) {
        if (guard_depth++ == 0)
            app->kernel_sets_text = 1;
    } else if (guard_depth > 0 && --guard_depth == 0) {
        app->kernel_sets_text = 0;
    }
}

static RUV_WIN create_control(int32_t type, const RUV_RECT *rect_in, const char *title, RUV_WIN parent,
                              uint32_t flags, void *app_data, int32_t ctl_id, int32_t icon_id, RUV_FONT *font,
                              const RUV_COLOR_COMPONENT *colors)
{
    if (!valid(parent) || !rect_in)
        return NULL_WIN;
    RUV_APP_RECORD *app = ruvk_app_record();
    auto *rec = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
    if (!rec || !app)
        return ruvv_mem_free(rec), NULL_WIN;
    if (!ruvk_vobj_record_init(rec, type, RUVK_KIND_CONTROL, parent)) {
        release_record(rec);
        return NULL_WIN;
    }
    rec->app_data = app_data;
    rec->create_flags = flags;
    rec->top = parent->top ? parent->top : parent;
    RUVK_CTL_STATE *st = ruvk_ctl_state(rec);
    if (!st) {
        release_record(rec);
        return NULL_WIN;
    }

    RUV_RECT r = *rect_in;
    if (type == WC_HSCROLL_BAR || type == WC_VSCROLL_BAR) {
        if (r.right == r.left)
            r.right = static_cast<int16_t>(r.left + GetSystemMetrics(SM_CXVSCROLL));
        if (r.bottom == r.top)
            r.bottom = static_cast<int16_t>(r.top + GetSystemMetrics(SM_CYHSCROLL));
    }
    ruvk_ctl_guard(1);
    std::string text;
    if (type == WC_ICON) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "#%d", static_cast<int>(icon_id));
        text = buf;
    } else if (title && ruvk_type_has_mnemonics(type)) {
        size_t size = std::strlen(title) * 2 + 1;
        text.assign(size, '\0');
        ruvk_title_to_native(title, &text[0], size);
        text.resize(std::strlen(text.c_str()));
    } else if (title) {
        text = title;
    }

    DWORD style = 0, ex = 0;
    const char *cls = ruvk_ctl_class_style(type, flags, &style, &ex);
    HWND parent_hwnd = ruvk_vobj_hwnd(parent);
    HWND hwnd = cls && parent_hwnd
                    ? ruvk_win_create_native(ex, cls, text.c_str(), style, r.left, r.top, r.right - r.left,
                                             r.bottom - r.top, parent_hwnd,
                                             reinterpret_cast<HMENU>(static_cast<intptr_t>(ctl_id)),
                                             app->instance, nullptr)
                    : nullptr;
    if (!hwnd) {
        release_record(rec);
        ruvk_ctl_guard(0);
        return NULL_WIN;
    }
    rec->native = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(rec));
    if (type == WC_HTML_VIEW)
        rec->html = ruvk_html_create_view(type, &r, flags, rec);
    if (app->ctl3d && app->ctl3d_subclass)
        reinterpret_cast<BOOL(WINAPI *)(HWND)>(reinterpret_cast<void *>(app->ctl3d_subclass))(hwnd);

    if (type == WC_EDIT && (flags & RUV_CF_PASSWORD))
        SendMessageA(hwnd, EM_SETPASSWORDCHAR, '*', 0);
    if (type == WC_DROP_DOWN)
        attach_combo_edit(rec, hwnd);
    if (type == WC_DROP_LIST || type == WC_DROP_DOWN)
        st->list_height = r.bottom - r.top;

    if (takes_font(type)) {
        if (ruvv_font_is_valid(font))
            ruvk_ctl_set_font(rec, font);
        else if (HFONT f = ruvk_ctl_inherited_font(rec))
            SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    }

    st->colors.allowed = ruvk_ctl_component_mask(type);
    if (colors)
        ruvv_color_modify_set(&st->colors, colors, 0);
    ruvk_ctl_resolve_colors(rec, st->colors.allowed);

    // Redrawn whole when resized: the class changes for all its windows.
    LONG_PTR cs = GetClassLongPtrA(hwnd, GCL_STYLE);
    if ((cs & (CS_HREDRAW | CS_VREDRAW)) != (CS_HREDRAW | CS_VREDRAW))
        SetClassLongPtrA(hwnd, GCL_STYLE, cs | CS_HREDRAW | CS_VREDRAW);

    ruvk_ctl_subclass(rec, hwnd);
    if ((flags & RUV_CF_CHECKED) && (type == WC_RADIO_BUTTON || type == WC_CHECK_BOX))
        SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);

    if (!(flags & RUV_CF_HIDDEN)) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        SetWindowPos(hwnd, type == WC_GROUP_BOX ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ruvk_ctl_guard(0);
    return rec;
}

RUV_WIN ruvk_ctl_create(int32_t type, const RUV_RECT *rect, const char *title, RUV_WIN parent, uint32_t flags,
                        void *app_data, int32_t ctl_id)
{
    return create_control(type, rect, title, parent, flags, app_data, ctl_id, 0, nullptr, nullptr);
}

RUV_WIN ruvk_ctl_create_def(const RUV_WIN_DEF *def, RUV_WIN parent, void *app_data)
{
    if (!def)
        return NULL_WIN;
    RUV_RECT r = def->rect;
    ruvk_rect_to_pixels(&r, def->unit);
    return create_control(def->type, &r, def->title, parent, static_cast<uint32_t>(def->u.ctl.flags), app_data,
                          static_cast<int32_t>(def->u.ctl.ctl_id), static_cast<int32_t>(def->u.ctl.icon_id),
                          def->u.ctl.font, def->colors);
}

RUV_BOOL ruvk_ctl_create_all(const RUV_WIN_DEF *def, RUV_WIN win, void *app_data)
{
    if (!def)
        return 0;
    for (const RUV_WIN_DEF *e = def + 1; e->type != 0; ++e) {
        // Text edits are the text-edit module's windows, not native controls:
        // the start record's create callback makes them.  A program that gave
        // none has no text edits.
        if (e->type == WC_TEXT_EDIT) {
            RUVK_TX_CREATE create = ruvk_app_tx_create();
            if (create && !create(e, win, app_data))
                return 0;
            continue;
        }
        if (!ruvk_ctl_create_def(e, win, app_data))
            return 0;
    }
    return 1;
}

} // extern "C"
