// Creation of the toolkit's native windows: record initialisation and
// release, native styles from the creation flags, class kind and border,
// the outer rectangle of a client rectangle, creation by class kind,
// creation completion, the modal loop, the screen and task objects, and the
// lookup of a native window's record.

#include <cstring>
#include <string>
#include <vector>

#include "draw_state.h"
#include "event_translate.h"
#include "kernel_app.h"
#include "menus.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_cxo.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"
#include "ruvv_font.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_palet.h"
#include "startup.h"
#include "window_create.h"
#include "native_controls.h"
#include "window_procs.h"
#include "window_services.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_MDI_TYPE = 0x3486DB;
constexpr RUV_ERRMSG_ID ERR_NOT_NATIVE = 0x3486DD;
constexpr RUV_ERRMSG_ID ERR_FOCUS_SET = 0x3486E1;
constexpr RUV_ERRMSG_ID ERR_FOCUS_GET = 0x3486E2;
constexpr RUV_ERRMSG_ID ERR_COMPLETE = 0x3486E3;
constexpr RUV_ERRMSG_ID ERR_NO_RESOURCE = 0x1530003;

constexpr int32_t ATTR_DOC_ICON = 10005;
constexpr int32_t ATTR_FIRST_DOC_FILLS = 10007;
constexpr int32_t ATTR_TASK_APP_DATA = 10009;
constexpr int32_t ATTR_TASK_MASK = 10010;
constexpr int32_t ATTR_TASK_RECT = 10011;
constexpr int32_t ATTR_DETDOC_POPUP = 10018;
constexpr int32_t ATTR_DETDOC_PARENT = 10043;
constexpr int32_t DEFAULT_ICON = 9012;
constexpr int32_t NOTEBOOK_TYPE = 25;

// {toolkit bit, native style bits, clear}
struct StyleRule {
    uint32_t bit;
    DWORD style;
    bool clear;
};

const StyleRule FLAG_RULES[] = {
    { 0x1, 0x00050000, false },  { 0x2, 0x00080000, false },   { 0x4, 0x00100000, false },
    { 0x8, 0x00200000, false },  { 0x10, 0x10000000, true },   { 0x20, 0x08000000, false },
    { 0x80, 0x000A0000, false }, { 0x100, 0x20000000, false }, { 0x1000, 0x01000000, false },
};

const StyleRule KIND_RULES[] = {
    { 0x40000000, 0x40C00000, false }, { 0x8, 0x40C00000, false },        { 0x10, 0x40000000, false },
    { 0x2, 0x00C00000, false },        { 0x80000000, 0x00C00000, false }, { 0x80000000, 0x00300000, true },
    { 0x1, 0x00F00000, true },         { 0x1, 0, false },                 { 0x4, 0x00C00000, false },
    { 0x10000000, 0x40000000, false }, { 0x1000, 0x80C80000, false },
};

// Border kinds are values, not bits.
const StyleRule BORDER_RULES[] = {
    { 8, 0x00F70000, true }, { 4, 0x00F70000, true }, { 4, 0x00400000, false },
    { 2, 0x21CF0000, true }, { 2, 0x00800000, false },
};

template <size_t N>
DWORD apply_bits(DWORD style, uint32_t value, const StyleRule (&rules)[N])
{
    for (const StyleRule &r : rules)
        if (value & r.bit)
            style = r.clear ? (style & ~r.style) : (style | r.style);
    return style;
}

bool valid(RUV_WIN w)
{
    return w && ruvv_vobj_is_valid(w);
}

RUV_WIN task_window()
{
    RUV_WIN t = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    return valid(t) ? t : NULL_WIN;
}

HWND native_of(RUV_WIN w)
{
    return valid(w) ? static_cast<HWND>(w->native) : nullptr;
}

// Native window of a parent: the task window's for a window-less type-1
// window and for the window-less MDI frame object.
HWND parent_native(RUV_WIN parent)
{
    if (!valid(parent))
        return nullptr;
    if (!parent->native && (parent->type == RUVK_W_DOC || parent->kind == RUVK_KIND_MDIFRAME_OBJ))
        return native_of(task_window());
    return static_cast<HWND>(parent->native);
}

// The creation hook (attribute 10019) may change every argument.
typedef void (*CreateHook)(DWORD *ex_style, LPCSTR *cls, LPCSTR *title, DWORD *style, int *x, int *y, int *w, int *h,
                           HWND *parent, HMENU *menu, HINSTANCE *instance, LPVOID *param);

HWND create_native(DWORD ex_style, LPCSTR cls, LPCSTR title, DWORD style, int x, int y, int w, int h, HWND parent,
                   HMENU menu, HINSTANCE instance, LPVOID param)
{
    if (auto hook = reinterpret_cast<CreateHook>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK))) {
        ruv::ErrFrame frame;
        hook(&ex_style, &cls, &title, &style, &x, &y, &w, &h, &parent, &menu, &instance, &param);
    }
    return CreateWindowExA(ex_style, cls, title, style, x, y, w, h, parent, menu, instance, param);
}

struct Placement {
    int x, y, w, h;
};

// Client rectangle of the task window (the screen's size without one).
RUV_RECT task_client_rect()
{
    RUV_RECT r{ 0, 0, 0, 0 };
    RECT c;
    HWND task = native_of(task_window());
    if (task && GetClientRect(task, &c)) {
        r.bottom = static_cast<int16_t>(c.bottom);
        r.right = static_cast<int16_t>(c.right);
    } else {
        r.bottom = static_cast<int16_t>(GetSystemMetrics(SM_CYSCREEN));
        r.right = static_cast<int16_t>(GetSystemMetrics(SM_CXSCREEN));
    }
    return r;
}

Placement place(RUV_VOBJ *rec, const RUV_RECT *given, DWORD style, uint32_t flags, bool menu)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    RUV_RECT rect;
    bool have = given != nullptr;
    if (have)
        rect = *given;
    if (rec->kind == RUVK_KIND_DOC && app && app->first_document &&
        static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, ATTR_FIRST_DOC_FILLS))) {
        rect = task_client_rect();
        have = true;
        app->first_document = 0;
    }
    Placement p{ CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT };
    if (!have) {
        if (rec->kind & RUVK_KINDS_FRAMELIKE)
            return p;
        rect = task_client_rect();
    }
    bool default_pos = rect.left == RUVK_DEFAULT_COORD;
    bool default_size = rect.right == RUVK_DEFAULT_COORD;
    if (default_pos && default_size)
        return p;
    if (default_pos) {
        rect.top = 0;
        rect.left = 0;
    }
    if (default_size) {
        rect.bottom = 100;
        rect.right = 100;
    }
    ruvk_rect_client_to_outer(&rect, rec->type, style, flags, menu);
    if (!default_pos) {
        p.x = rect.left;
        p.y = rect.top;
    }
    if (!default_size) {
        p.w = rect.right - rect.left;
        p.h = rect.bottom - rect.top;
    }
    return p;
}

// The system menu of a modal window keeps Move and Close only.
void trim_system_menu(HWND hwnd)
{
    HMENU sys = GetSystemMenu(hwnd, FALSE);
    if (!sys)
        return;
    for (int i = GetMenuItemCount(sys) - 1; i >= 0; --i) {
        UINT id = GetMenuItemID(sys, i);
        if (id != SC_MOVE && id != SC_CLOSE)
            DeleteMenu(sys, static_cast<UINT>(i), MF_BYPOSITION);
    }
}

void after_frame_creation(HWND hwnd, uint32_t flags)
{
    if ((flags & RUVK_CF_ICONIZABLE) && !(flags & RUVK_CF_CLOSE))
        EnableMenuItem(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    if (flags & RUVK_CF_VSCROLL)
        SetScrollPos(hwnd, SB_VERT, 0, TRUE);
    if (flags & RUVK_CF_HSCROLL)
        SetScrollPos(hwnd, SB_HORZ, 0, TRUE);
}

// The owner of a modal window: the active toolkit window's top level, else
// the dialog owner of attribute 10042, else the task window.
HWND modal_owner()
{
    HWND active = GetActiveWindow();
    if (active && ruvwi_hwnd_to_window(active))
        return active;
    if (HWND owner = reinterpret_cast<HWND>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_DIALOG_OWNER)))
        return owner;
    return native_of(task_window());
}

int32_t border_of_type(int32_t type)
{
    if (type == RUVK_W_PLAIN)
        return 2;
    if (type == RUVK_W_NOBORDER)
        return 8;
    return 0;
}

// Creates the native window of the record by its class kind; FALSE when it
// cannot be made.
bool create_by_kind(RUV_VOBJ *rec, const RUV_RECT *rect, const char *title, int32_t menu_id, uint32_t flags,
                    int32_t border, bool bar)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app)
        return false;
    uint32_t kind = rec->kind;
    RUV_WIN parent = rec->parent;
    char cls[96];
    // Only controls with mnemonics convert their titles; a window's title
    // (a document's path, say) is its text as given, whatever its length.
    std::string given = title ? title : "";
    if (ruvk_type_has_mnemonics(rec->type)) {
        std::vector<char> native(given.size() * 2 + 1);
        given = ruvk_title_to_native(given.c_str(), native.data(), native.size());
    }
    const char *native_title = given.c_str();
    HWND hwnd = nullptr;

    switch (kind) {
    case RUVK_KIND_TASK:
    case RUVK_KIND_DRAWTASK:
    case RUVK_KIND_MDITASK:
    case RUVK_KIND_DOC:
    case RUVK_KIND_DETDOC: {
        DWORD style = ruvk_style_from_border(ruvk_style_from_kind(ruvk_style_from_flags(0x06000000, flags), kind), border);
        rec->top = rec;
        if (kind & RUVK_KINDS_TASK_FRAME || kind == RUVK_KIND_DRAWTASK)
            rec->kernel_flags &= ~RUVK_KF_NAVIGATION;
        int32_t icon = static_cast<int32_t>(ruvk_vobj_get_attr(NULL_WIN, ATTR_DOC_ICON));
        if (icon == 0)
            icon = DEFAULT_ICON;
        ruvv_attr_set_internal(NULL_WIN, ATTR_DOC_ICON, 0);
        if (!ruvk_class_register(kind, icon, cls, sizeof cls))
            return false;
        HWND native_parent = parent_native(parent);
        if (kind == RUVK_KIND_DETDOC) {
            native_parent = reinterpret_cast<HWND>(ruvk_vobj_get_attr(NULL_WIN, ATTR_DETDOC_PARENT));
            RUV_WIN task = task_window();
            if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, ATTR_DETDOC_POPUP)) && task &&
                (task->kind & 0x3) && task->native) {
                native_parent = static_cast<HWND>(task->native);
                style = (style & ~static_cast<DWORD>(WS_MINIMIZEBOX)) | WS_POPUP;
            }
        }
        Placement p = place(rec, rect, style, flags, bar);
        hwnd = create_native(0, cls, native_title, style, p.x, p.y, p.w, p.h, native_parent, nullptr, app->instance,
                             rec);
        if (!hwnd)
            return false;
        after_frame_creation(hwnd, flags);
        break;
    }
    case RUVK_KIND_CHILD:
    case RUVK_KIND_MDIFRMCHILD:
    case RUVK_KIND_PAGE_CHILD: {
        DWORD style = ruvk_style_from_border(ruvk_style_from_kind(ruvk_style_from_flags(0x06000000, flags), kind), border);
        rec->top = valid(parent) ? parent->top : nullptr;
        if (!ruvk_class_register(kind == RUVK_KIND_PAGE_CHILD ? RUVK_KIND_CHILD : kind, 0, cls, sizeof cls))
            return false;
        Placement p = place(rec, rect, style, flags, false);
        hwnd = create_native(0, cls, "", style, p.x, p.y, p.w, p.h, parent_native(parent),
                             reinterpret_cast<HMENU>(static_cast<intptr_t>(menu_id)), app->instance, rec);
        if (!hwnd)
            return false;
        after_frame_creation(hwnd, flags);
        break;
    }
    case RUVK_KIND_WIALOG: {
        DWORD style = ruvk_style_from_kind(ruvk_style_from_flags(0x06000000, flags), kind);
        rec->top = rec;
        if (!ruvk_class_register(kind, 0, cls, sizeof cls))
            return false;
        Placement p = place(rec, rect, style, flags, false);
        hwnd = create_native(WS_EX_DLGMODALFRAME, cls, native_title, style, p.x, p.y, p.w, p.h, modal_owner(),
                             nullptr, app->instance, rec);
        if (!hwnd)
            return false;
        trim_system_menu(hwnd);
        break;
    }
    case RUVK_KIND_MDIDOC: {
        if (!app->mdi_client)
            return false;
        DWORD style = ruvk_style_from_border(ruvk_style_from_kind(ruvk_style_from_flags(0x56CF0000, flags), kind), border);
        rec->top = rec;
        int32_t icon = static_cast<int32_t>(ruvk_vobj_get_attr(NULL_WIN, ATTR_DOC_ICON));
        if (icon == 0)
            icon = DEFAULT_ICON;
        ruvv_attr_set_internal(NULL_WIN, ATTR_DOC_ICON, 0);
        if (!ruvk_class_register(kind, icon, cls, sizeof cls))
            return false;
        BOOL active_max = FALSE;
        SendMessageA(app->mdi_client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&active_max));
        bool visible = (style & WS_VISIBLE) != 0;
        bool show_max_later = false;
        if (active_max && visible)
            style |= WS_MAXIMIZE;
        if ((style & WS_MAXIMIZE) && !visible) {
            style &= ~static_cast<DWORD>(WS_MAXIMIZE);
            show_max_later = true;
        }
        Placement p = place(rec, rect, style, flags, false);
        MDICREATESTRUCTA mc{};
        mc.szClass = cls;
        mc.szTitle = native_title;
        mc.hOwner = app->instance;
        mc.x = p.x;
        mc.y = p.y;
        mc.cx = p.w;
        mc.cy = p.h;
        mc.style = style;
        mc.lParam = reinterpret_cast<LPARAM>(rec);
        hwnd = reinterpret_cast<HWND>(SendMessageA(app->mdi_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mc)));
        if (!hwnd)
            return false;
        if (show_max_later)
            ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        break;
    }
    default:
        // No native window: the record is the window.
        rec->top = (kind & RUVK_KINDS_OWN_TOP) || !valid(parent) ? rec : parent->top;
        return true;
    }
    ruvk_win_link_native(hwnd, rec);
    return true;
}

// The general creation (without menu definition, control font and
// colours); NULL on failure, the record freed.
RUV_WIN general_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t menu_id, RUV_WIN parent,
                       uint32_t flags, uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data, int32_t border,
                       bool with_menu = false)
{
    if (valid(parent) && parent->kind == RUVK_KIND_MDITASK &&
        (type == RUVK_W_PLAIN || type == RUVK_W_DBL || type == RUVK_W_NOBORDER)) {
        RUV_ERR(parent, RUV_SEV_FATAL, ERR_MDI_TYPE);
        return NULL_WIN;
    }
    uint32_t kind = ruvk_class_kind_for(type, parent);
    if (kind == RUVK_KIND_CHILD && valid(parent) && parent->type == NOTEBOOK_TYPE)
        kind = RUVK_KIND_PAGE_CHILD;
    if (kind == 0)
        return NULL_WIN;
    // Only a frame that shows a bar of its own makes room for it; a
    // document's bar goes on the task window.
    const bool own_bar = with_menu && (kind == RUVK_KIND_TASK || kind == RUVK_KIND_DRAWTASK ||
                                       kind == RUVK_KIND_DETDOC || kind == RUVK_KIND_MDITASK);
    if ((kind & RUVK_KINDS_FRAMELIKE) && !own_bar)
        flags |= RUVK_CF_NO_MENU_BAR;
    auto *rec = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
    if (!rec)
        return NULL_WIN;
    if (!ruvk_vobj_record_init(rec, type, kind, parent)) {
        ruvk_vobj_record_release(rec);
        ruvv_mem_free(rec);
        return NULL_WIN;
    }
    rec->handler = handler;
    rec->event_mask = event_mask;
    rec->app_data = app_data;
    rec->create_flags = flags;
    rec->kernel_flags &= ~RUVK_KF_CREATED;

    if (!create_by_kind(rec, rect, title, menu_id, flags, border, own_bar)) {
        // A native window that failed after its first message has had its
        // destroy message: the record went with it.
        if (!ruvv_vobj_is_valid(rec))
            return NULL_WIN;
        ruvk_draw_state_destroy(rec);
        ruvk_vobj_record_release(rec);
        ruvv_mem_free(rec);
        return NULL_WIN;
    }
    if (!(rec->kind & RUVK_KINDS_NATIVE)) {
        RUV_ERR(rec, RUV_SEV_FATAL, ERR_NOT_NATIVE);
        return rec;
    }
    HWND hwnd = static_cast<HWND>(rec->native);
    if (hwnd && !(flags & RUVK_CF_INVISIBLE))
        // A document made maximised under a maximised one stays so: a
        // normal show would restore every document of the client.
        ShowWindow(hwnd, (flags & RUVK_CF_MAXIMIZED) ? SW_SHOWMAXIMIZED
                         : (flags & RUVK_CF_ICONIZED) ? SW_SHOWMINIMIZED
                         : IsZoomed(hwnd)             ? SW_SHOW
                                                      : SW_SHOWNORMAL);
    if (hwnd && !(flags & RUVK_CF_DISABLED)) {
        if (rec->kind != RUVK_KIND_CHILD && rec->kind != RUVK_KIND_MDIFRMCHILD)
            SetFocus(hwnd);
        BringWindowToTop(hwnd);
    }
    if (!(rec->kind & RUVK_KINDS_TASK_FRAME)) {
        ruvk_win_apply_ctl_font(rec);
        rec->minus_one = -1;
    }
    return rec;
}

// A window that may carry a menu bar gets its menu record and its bar.
void attach_menu(RUV_WIN win, int32_t menu_id, const RUV_MENU_ITEM *tree)
{
    if (!(win->kind & RUVK_KINDS_MENU_BAR) || (!menu_id && !tree))
        return;
    if (ruvk_menu_attach(win, menu_id, tree))
        ruvk_menu_after_creation(win);
}

} // namespace

extern "C" {

HWND ruvk_win_create_native(DWORD ex_style, LPCSTR cls, LPCSTR title, DWORD style, int x, int y, int w, int h,
                             HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    return create_native(ex_style, cls, title, style, x, y, w, h, parent, menu, instance, param);
}

DWORD ruvk_style_from_flags(DWORD style, uint32_t flags)
{
    return apply_bits(style, flags, FLAG_RULES);
}

DWORD ruvk_style_from_kind(DWORD style, uint32_t kind)
{
    return apply_bits(style, kind, KIND_RULES);
}

DWORD ruvk_style_from_border(DWORD style, int32_t border)
{
    for (const StyleRule &r : BORDER_RULES)
        if (static_cast<uint32_t>(border) == r.bit)
            style = r.clear ? (style & ~r.style) : (style | r.style);
    return style;
}

void ruvk_rect_client_to_outer(RUV_RECT *rect, int32_t type, DWORD style, uint32_t flags, RUV_BOOL menu)
{
    if (!rect)
        return;
    const bool new_look = ruvk_platform.win9x || ruvk_platform.nt4;
    const int cx_border = GetSystemMetrics(SM_CXBORDER);
    const int cy_border = GetSystemMetrics(SM_CYBORDER);
    const int cx_dlg = GetSystemMetrics(SM_CXDLGFRAME);
    const int cy_dlg = GetSystemMetrics(SM_CYDLGFRAME);
    const int B = new_look ? 0 : cx_border;
    const int F = new_look ? cx_dlg : cx_dlg + cx_border;
    const int C = new_look ? 0 : cy_border;
    int top = rect->top, left = rect->left, bottom = rect->bottom, right = rect->right;
    if ((style & WS_VSCROLL) || (flags & RUVK_CF_VSCROLL))
        right += GetSystemMetrics(SM_CXVSCROLL) - B;
    if ((style & WS_HSCROLL) || (flags & RUVK_CF_HSCROLL))
        bottom += GetSystemMetrics(SM_CYHSCROLL) - B;
    if (menu)
        top -= GetSystemMetrics(SM_CYMENU) + cy_border;
    switch (type) {
    case RUVK_W_DOC: {
        top -= GetSystemMetrics(SM_CYCAPTION) - C;
        int dx, dy;
        if (style & WS_THICKFRAME) {
            dx = GetSystemMetrics(SM_CXFRAME);
            dy = GetSystemMetrics(SM_CYFRAME);
        } else if (new_look) {
            dx = cx_dlg;
            dy = cy_dlg;
        } else {
            dx = cx_border;
            dy = cy_border;
        }
        top -= dy;
        bottom += dy;
        left -= dx;
        right += dx;
        break;
    }
    case RUVK_W_PLAIN:
        top -= cy_border;
        bottom += cy_border;
        left -= cx_border;
        right += cx_border;
        break;
    case RUVK_W_DBL:
        top -= cy_dlg + cy_border;
        bottom += cy_dlg + cy_border;
        left -= cx_dlg + cx_border;
        right += cx_dlg + cx_border;
        break;
    case RUVK_W_MODAL: {
        top -= GetSystemMetrics(SM_CYCAPTION) + F - C;
        bottom += F;
        int side = new_look ? cy_dlg : cx_border + cy_dlg;
        left -= side;
        right += side;
        break;
    }
    default:
        break;
    }
    rect->top = static_cast<int16_t>(top);
    rect->left = static_cast<int16_t>(left);
    rect->bottom = static_cast<int16_t>(bottom);
    rect->right = static_cast<int16_t>(right);
}

RUV_BOOL ruvk_vobj_record_init(RUV_VOBJ *rec, int32_t type, uint32_t kind, RUV_WIN parent)
{
    if (!rec)
        return 0;
    rec->tag = RUV_VOBJ_TAG;
    rec->type = type;
    rec->kind = kind;
    rec->kernel_flags = 0;
    rec->parent = parent;
    rec->minus_one = -1;
    if (!ruvv_registry_add(rec))
        return 0;
    return ruvk_draw_state_create(rec) != nullptr;
}

void ruvk_vobj_record_release(RUV_VOBJ *rec)
{
    if (!rec)
        return;
    ruvv_registry_remove(rec);
    if (rec->ctl_font)
        ruvv_font_destroy(rec->ctl_font);
    if (rec->strings)
        ruvv_slist_destroy(static_cast<SLIST *>(rec->strings));
    if (rec->ctl_colors.items)
        ruvv_mem_free(rec->ctl_colors.items);
    if (rec->cxo_chain)
        ruvv_cxo_destroy_chain(&rec->cxo_chain);
    ruvk_ctl_state_free(rec);
    std::memset(rec, 0, sizeof *rec);
}

RUV_WIN ruvk_win_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t menu_id, RUV_WIN parent,
                        uint32_t flags, uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data)
{
    RUV_WIN win = general_create(type, rect, title, menu_id, parent, flags, event_mask, handler, app_data,
                                 border_of_type(type), menu_id != 0);
    if (win) {
        attach_menu(win, menu_id, nullptr);
        ruvk_win_complete_creation(win);
    }
    return win;
}

RUV_WIN ruvk_win_create_def(const RUV_WIN_DEF *def, RUV_WIN parent, uint32_t event_mask,
                            RUV_EVENT_HANDLER handler, void *app_data)
{
    if (!def)
        return NULL_WIN;
    RUV_RECT rect = def->rect;
    ruvk_rect_to_pixels(&rect, def->unit);
    RUV_WIN win = general_create(def->type, &rect, def->title, static_cast<int32_t>(def->u.win.menu_id), parent,
                                 static_cast<uint32_t>(def->u.win.flags), event_mask, handler, app_data,
                                 border_of_type(def->type), def->u.win.menu_id != 0 || def->u.win.menu != nullptr);
    if (!win)
        return NULL_WIN;
    if (!(win->kind & RUVK_KINDS_TASK_FRAME)) {
        if (ruvv_font_is_valid(def->u.win.font) && (win->ctl_font = ruvv_font_create()) != nullptr) {
            ruvv_font_copy(win->ctl_font, def->u.win.font, -1);
            ruvk_win_apply_ctl_font(win);
        }
        if (def->colors)
            ruvk_win_set_ctl_colors(win, def->colors, -1);
    }
    attach_menu(win, static_cast<int32_t>(def->u.win.menu_id), def->u.win.menu);
    if (!ruvk_ctl_create_all(def, win, app_data)) {
        // The window goes without its handler hearing of it.
        win->event_mask = 0;
        ruvk_vobj_destroy(win);
        return NULL_WIN;
    }
    ruvk_win_complete_creation(win);
    return win;
}

void ruvk_win_complete_creation(RUV_WIN win)
{
    if (!valid(win))
        return;
    win->kernel_flags |= RUVK_KF_CREATED;
    if (HWND hwnd = static_cast<HWND>(win->native))
        ruvk_app_pump_range(RUVK_MSG_FIRST, RUVK_MSG_LAST, hwnd);
    if (valid(win) && win->type == RUVK_W_MODAL && !(win->create_flags & RUVK_CF_NO_MODAL)) {
        if (HWND hwnd = static_cast<HWND>(win->native))
            BringWindowToTop(hwnd);
        ruvk_win_process_modal(win);
    }
}

void ruvk_win_process_modal(RUV_WIN win)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!valid(win) || !app)
        return;
    // Disable the other enabled, visible top-level windows.
    int count = 0;
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    while (ruvv_registry_iter_next(&it, nullptr, 0))
        ++count;
    auto *disabled = static_cast<RUV_WIN *>(ruvv_mem_zalloc(sizeof(RUV_WIN) * (count + 1)));
    int n = 0;
    ruvv_registry_iter_init(&it);
    while (RUV_WIN w = ruvv_registry_iter_next(&it, nullptr, 0)) {
        if (!disabled || w == win || !(w->kind & 0x1047u) || w->kind == RUVK_KIND_MDIFRAME_OBJ || w->top != w)
            continue;
        HWND h = static_cast<HWND>(w->native);
        if (h && IsWindowEnabled(h) && IsWindowVisible(h)) {
            EnableWindow(h, FALSE);
            disabled[n++] = w;
        }
    }
    win->modal_disabled = disabled;
    win->kernel_flags |= RUVK_KF_MODAL;
    win->modal_state = 1;   // the loop frees the record

    bool quit = false;
    for (;;) {
        if (ruvwi_pump_messages(app, 0, 0, nullptr) == 0) {
            quit = true;
            break;
        }
        if (!(win->kernel_flags & RUVK_KF_MODAL))
            break;
        HWND parent = parent_native(win->parent);
        if (parent)
            SendMessageA(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(win->native));
        WaitMessage();
    }
    if (quit) {
        // The quit belongs to the outer loop; a window still open goes
        // first, then its record.
        if (win->tag == RUV_VOBJ_TAG && valid(win))
            ruvk_vobj_destroy_ex(win, 0);
        PostQuitMessage(0);
    }
    if (win->tag == RUV_VOBJ_TAG) {
        // Destroyed without its native window: release what is left.
        ruvk_draw_state_destroy(win);
        ruvk_vobj_record_release(win);
    }
    ruvv_mem_free(win);
}

RUV_WIN ruvwi_hwnd_to_window(HWND hwnd)
{
    if (!hwnd || !IsWindow(hwnd))
        return NULL_WIN;
    auto *rec = reinterpret_cast<RUV_WIN>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!rec || !ruvv_vobj_is_valid(rec) || rec->tag != RUV_VOBJ_TAG)
        return NULL_WIN;
    return rec;
}

RUV_BOOL ruvk_win_is_created(RUV_WIN win)
{
    if (!valid(win) || !(win->kind & RUVK_KINDS_NATIVE)) {
        RUV_ERR(win, RUV_SEV_FATAL, ERR_COMPLETE);
        return 0;
    }
    return (win->kernel_flags & RUVK_KF_CREATED) ? 1 : 0;
}

RUV_WIN ruvk_win_get_focus_memory(RUV_WIN win)
{
    if (!valid(win) || !(win->kind & RUVK_KINDS_NATIVE)) {
        RUV_ERR(win, RUV_SEV_FATAL, ERR_FOCUS_GET);
        return NULL_WIN;
    }
    return win->last_focus;
}

void ruvk_win_set_focus_memory(RUV_WIN win, RUV_WIN ctl)
{
    if (!valid(win) || !(win->kind & RUVK_KINDS_NATIVE)) {
        RUV_ERR(win, RUV_SEV_FATAL, ERR_FOCUS_SET);
        return;
    }
    win->last_focus = ctl;
}

RUV_BOOL ruvk_app_create_screen_and_task(RUV_EVENT_HANDLER handler, const struct RUV_APP_CONFIG *config)
{
    auto *screen = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
    if (!screen)
        return 0;
    if (!ruvk_vobj_record_init(screen, RUVK_W_SCREEN, RUVK_KIND_SCREEN, NULL_WIN)) {
        ruvk_draw_state_destroy(screen);
        ruvk_vobj_record_release(screen);
        ruvv_mem_free(screen);
        return 0;
    }
    // The screen is its own top level and nobody's child: searches up the
    // parents end there.
    screen->top = screen;
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_SCREEN_WINDOW, reinterpret_cast<intptr_t>(screen));
    ruvv_palet_map_win(ruvv_palet_default(), screen);

    if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW))) {
        auto *task = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
        if (!task)
            return 0;
        task->tag = RUV_VOBJ_TAG;
        task->type = RUVK_W_TASK;
        task->kind = RUVK_KIND_NOWIN_TASK;
        task->handler = handler;
        task->event_mask = RUV_EVENT_MASK_ALL;
        task->parent = screen;
        task->top = task;
        task->minus_one = -1;
        ruvv_registry_add(task);
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(task));
        RUV_EVENT ev;
        std::memset(&ev, 0, sizeof ev);
        ev.type = E_CREATE;
        ruvk_win_dispatch_event(task, &ev);
        if (valid(task)) {
            std::memset(&ev, 0, sizeof ev);
            ev.type = E_SIZE;
            ev.v.size.height = static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_HEIGHT));
            ev.v.size.width = static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WIDTH));
            ruvk_win_dispatch_event(task, &ev);
        }
        return 1;
    }

    const RUV_APP_CONFIG *cfg = reinterpret_cast<const RUV_APP_CONFIG *>(config);
    uint32_t mask = static_cast<uint32_t>(ruvk_vobj_get_attr(NULL_WIN, ATTR_TASK_MASK));
    RUV_WIN task = general_create(RUVK_W_TASK, reinterpret_cast<const RUV_RECT *>(ruvk_vobj_get_attr(NULL_WIN, ATTR_TASK_RECT)),
                                  cfg ? cfg->task_title : "", cfg ? cfg->menu_bar_id : 0, screen,
                                  static_cast<uint32_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_STYLE)),
                                  mask ? mask : RUV_EVENT_MASK_ALL, handler,
                                  reinterpret_cast<void *>(ruvk_vobj_get_attr(NULL_WIN, ATTR_TASK_APP_DATA)), 0,
                                  cfg && cfg->menu_bar_id != 0);
    if (!task) {
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_NO_RESOURCE);
        return 0;
    }
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(task));
    attach_menu(task, cfg ? cfg->menu_bar_id : 0, nullptr);
    ruvk_win_complete_creation(task);
    return 1;
}

} // extern "C"
