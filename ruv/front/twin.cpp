// Window functions (ruv_win_): windows made from arguments, from an
// in-memory definition and from a compiled resource; event dispatch; the
// handler, event mask, cursor, caret, control colours and font, pointer
// capture, document title, modal processing and handler-chain objects.
#include "front_guard.h"
#include "ruv.h"

#include "cursor.h"
#include "native_controls.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_color.h"
#include "ruvv_cxo.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_rect.h"
#include "ruvv_tx.h"
#include "ruvv_windef.h"
#include "ruvv_winflags.h"
#include "window_create.h"
#include "window_services.h"

using ruvf::Guard;
using ruvf::type_range;
using ruvf::types;

namespace {

const char SRC[] = "twin";

constexpr uint32_t NEW_WINDOW_TYPES = types({ 1, 2, 3, 7, 9 });
constexpr uint32_t PARENT_TYPES = type_range(1, 11, { 4, 8 });
constexpr uint32_t DIALOG_TYPES = types({ 10, 11 });
constexpr uint32_t DISPATCH_TYPES = types({ 1, 2, 3, 5, 7, 9, 10, 11, 25 });
constexpr uint32_t CTL_LIST_TYPES = types({ 1, 2, 3, 5, 7, 9, 10, 11 });
constexpr uint32_t CTL_COMPONENT_TYPES = type_range(1, 11, { 4, 6, 8 });
constexpr uint32_t CURSOR_GET_TYPES = type_range(1, 9, { 4, 8 });
constexpr uint32_t CURSOR_CARET_TYPES = types({ 1, 2, 3, 5, 6, 7, 9 });
constexpr uint32_t RES_PARENT_TYPES = types({ 1, 2, 3, 5, 6, 7, 9 });
constexpr uint32_t NAV_TYPES = types({ 1, 2, 3, 7, 9 });

constexpr int32_t ATTR_SCREEN = 300;
constexpr uint32_t CF_NO_MODAL = 0x8000u;
constexpr uint32_t KERNEL_IN_MODAL_LOOP = 0x8u;
constexpr RUV_ERRMSG_ID ID_NOT_MODELESS = 0x01220013;

bool is_component(int32_t c)
{
    return c == 2 || c == 4 || c == 8 || c == 16 || c == 32 || c == 64 || c == 128;
}

// The kernel replaces a window's whole colour list: a change of single
// components is merged into the list the window has (added, changed or,
// with remove, taken out) and the result handed over.
void modify_ctl_colors(RUV_WIN win, const RUV_COLOR_COMPONENT *components, RUV_BOOL remove)
{
    RUV_COLOR_SET set{};
    set.allowed = 0xFFFFFFFFu;
    RUV_COLOR_COMPONENT *had = ruvk_win_get_ctl_colors(win);
    ruvv_color_modify_set(&set, had, FALSE);
    ruvv_mem_free(had);
    ruvv_color_modify_set(&set, components, remove);
    const RUV_COLOR_COMPONENT none = { 0, static_cast<RUV_COLOR>(-1) };
    ruvk_win_set_ctl_colors(win, set.items ? set.items : &none, -1);
    ruvv_color_modify_set(&set, nullptr, FALSE);
}

// Window checks, then a component selector and a window type that the
// colour-component functions take.
bool component_window(Guard &g, RUV_WIN win, int32_t component, int line = __builtin_LINE())
{
    return g.window(win, line) && g.check(is_component(component), ruvf::ID_INCORRECT_WINDOW_TYPE, nullptr, line) &&
           g.check(ruvf::type_in(win, CTL_COMPONENT_TYPES), ruvf::ID_INCORRECT_WINDOW_TYPE, nullptr, line);
}

// A parent of a new window of type: window checks, then the parent types
// (the dialog types only for a window of type 9).
bool parent_ok(Guard &g, RUV_WIN parent, int32_t type, int line = __builtin_LINE())
{
    if (!g.window(parent, line))
        return false;
    bool ok = ruvf::type_in(parent, PARENT_TYPES) && (type == 9 || !ruvf::type_in(parent, DIALOG_TYPES));
    return g.check(ok, ruvf::ID_INCORRECT_WINDOW_TYPE, nullptr, line);
}


} // namespace

extern "C" {

RUV_WIN ruv_win_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t menu_bar, RUV_WIN parent,
                       int32_t flags, int32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data)
{
    Guard g("ruv_win_create", SRC);
    if (!g.not_in_update() || !g.check(type >= 0 && type < 32 && (NEW_WINDOW_TYPES >> type & 1u),
                                       ruvf::ID_INCORRECT_WINDOW_TYPE) ||
        !parent_ok(g, parent, type))
        return NULL_WIN;
    RUV_RECT scratch;
    const RUV_RECT *r = g.rect(rect, scratch, ruvf::Strict::EqualEdges);
    if (!g.no_id(ruvv_win_check_flags(type, parent, static_cast<uint32_t>(flags))) ||
        !g.not_null_fn(handler, ruvf::ID_NULL_HANDLER))
        return NULL_WIN;
    return ruvk_win_create(type, r, title, menu_bar, parent, static_cast<uint32_t>(flags),
                           static_cast<uint32_t>(event_mask), handler, app_data);
}

RUV_WIN ruv_win_create_def(RUV_WIN_DEF *def, RUV_WIN parent, void *app_data, RUV_EVENT_HANDLER handler,
                           uint32_t event_mask)
{
    Guard g("ruv_win_create_def", SRC);
    if (!g.not_in_update() || !g.not_null(def) || !g.window(parent))
        return NULL_WIN;
    int32_t parent_type = ruvf::type_of(parent);
    if (parent_type == 5 || parent_type == 6) {
        bool no_bar = (def->u.win.flags & ruvf::CF_NO_MENU_BAR) != 0;
        if (!g.check(no_bar || def->u.win.menu_id || def->u.win.menu || def->type == 9, ruvf::ID_INVALID_OBJECT))
            return NULL_WIN;
    } else {
        bool ok = ruvf::type_in(parent, NEW_WINDOW_TYPES) || (def->type == 9 && ruvf::type_in(parent, DIALOG_TYPES));
        if (!g.check(ok, ruvf::ID_INCORRECT_WINDOW_TYPE))
            return NULL_WIN;
    }
    if (!g.not_null_fn(handler, ruvf::ID_NULL_HANDLER) ||
        !g.check(def->type >= 0 && def->type < 32 && (NEW_WINDOW_TYPES >> def->type & 1u),
                 ruvf::ID_INCORRECT_WINDOW_TYPE))
        return NULL_WIN;

    // The caller's rectangles come back as they were on every path.
    ruvf::DefinitionRepair repair(def);
    if (!g.no_id(ruvv_win_check_flags(def->type, parent, static_cast<uint32_t>(def->u.win.flags))))
        return NULL_WIN;
    for (const RUV_WIN_DEF *e = def + 1; e->type != 0; ++e)
        if (e->type != ruvf::TYPE_TEXT_EDIT && !g.no_id(ruvv_ctl_check_flags(e->type, static_cast<uint32_t>(e->u.ctl.flags))))
            return NULL_WIN;
    const RUV_RECT &r = def->rect;
    if (!g.check(r.left < r.right && r.top < r.bottom, ruvf::ID_RECT_FORMAT) ||
        !g.no_id(ruvv_win_check_fonts(def)))
        return NULL_WIN;
    return ruvk_win_create_def(def, parent, event_mask, handler, app_data);
}

RUV_WIN ruv_win_create_res(int32_t res_id, RUV_WIN parent, void *app_data, RUV_EVENT_HANDLER handler,
                           uint32_t event_mask)
{
    Guard g("ruv_win_create_res", SRC);
    if (!g.not_in_update() || !g.window(parent, RES_PARENT_TYPES) || !g.not_null_fn(handler, ruvf::ID_NULL_HANDLER))
        return NULL_WIN;
    RUV_WIN win = ruvv_win_create_res(res_id, parent, event_mask, handler, app_data);
    if (!win)
        g.mark_removed();
    return win;
}

int32_t ruv_win_dispatch_event(RUV_WIN win, RUV_EVENT *event)
{
    Guard g("ruv_win_dispatch_event", SRC);
    // The screen object is named before the type test refuses its type.
    if (!g.window(win) ||
        !g.check(win != reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, ATTR_SCREEN)),
                 ruvf::ID_BAD_VALUE_GENERIC) ||
        !g.check(ruvf::type_in(win, DISPATCH_TYPES), ruvf::ID_INCORRECT_WINDOW_TYPE) || !g.not_null(event) ||
        !g.check(win->handler != nullptr, ruvf::ID_WRONG_STATE) ||
        !g.check(event->type <= E_USER, ruvf::ID_BAD_VALUE_GENERIC))
        return -1;
    return ruvk_win_dispatch_event(win, event);
}

RUV_BOOL ruv_win_enum_wins(RUV_WIN win, int16_t (*callback)(RUV_WIN, void *), void *data, int32_t reserved)
{
    Guard g("ruv_win_enum_wins", SRC);
    if (!g.registered(win) || !g.check(ruvf::type_in(win, PARENT_TYPES), ruvf::ID_INCORRECT_WINDOW_TYPE) ||
        !g.check(reserved == 0, ruvf::ID_BAD_VALUE))
        return FALSE;
    return ruvv_win_enum_wins(win, callback, data, 0);
}

SLIST *ruv_win_list_wins(RUV_WIN win, int32_t reserved)
{
    Guard g("ruv_win_list_wins", SRC);
    if (!g.registered(win) || !g.check(ruvf::type_in(win, PARENT_TYPES), ruvf::ID_INCORRECT_WINDOW_TYPE) ||
        !g.check(reserved == 0, ruvf::ID_BAD_VALUE))
        return nullptr;
    return ruvv_win_list_wins(win, 0, 1);
}

SLIST *ruv_win_list_cxos(RUV_WIN win)
{
    Guard g("ruv_win_list_cxos", SRC);
    if (!g.window(win, PARENT_TYPES))
        return nullptr;
    return ruvv_win_list_cxos(win);
}

RUV_CXO *ruv_win_get_cxo(RUV_WIN win, const char *class_name, void *data)
{
    Guard g("ruv_win_get_cxo", SRC);
    if (!g.window(win, PARENT_TYPES) || !g.not_null(class_name, ruvf::ID_INVALID_OBJECT_HANDLE))
        return nullptr;
    return ruvv_win_get_cxo(win, class_name, data);
}

RUV_WIN ruv_win_get_ctl(RUV_WIN win, int32_t control_id)
{
    Guard g("ruv_win_get_ctl", SRC);
    if (!g.window(win))
        return NULL_WIN;
    return ruvk_win_get_ctl(win, control_id);
}

RUV_COLOR_COMPONENT *ruv_win_get_ctl_colors(RUV_WIN win)
{
    Guard g("ruv_win_get_ctl_colors", SRC);
    if (!g.window(win, CTL_LIST_TYPES))
        return nullptr;
    return ruvk_win_get_ctl_colors(win);
}

RUV_COLOR ruv_win_get_ctl_color_component(RUV_WIN win, int32_t component)
{
    Guard g("ruv_win_get_ctl_color_component", SRC);
    if (!component_window(g, win, component))
        return static_cast<RUV_COLOR>(-1);
    RUV_COLOR_COMPONENT *list = ruvk_win_get_ctl_colors(win);
    RUV_COLOR color = static_cast<RUV_COLOR>(-1);
    for (const RUV_COLOR_COMPONENT *c = list; c && c->type != 0; ++c)
        if (c->type == component) {
            color = c->color;
            break;
        }
    ruvv_mem_free(list);
    return color;
}

// The kernel takes a list ended by component 0 with count -1; a NULL list
// clears the window's colours.
void ruv_win_set_ctl_colors(RUV_WIN win, const RUV_COLOR_COMPONENT *colors, int32_t flag)
{
    Guard g("ruv_win_set_ctl_colors", SRC);
    if (!g.window(win, CTL_LIST_TYPES))
        return;
    if (!colors)
        flag = 1;
    ruvk_win_set_ctl_colors(win, colors, -1);
    ruvv_tx_reset_colors(win, colors, static_cast<RUV_BOOL>(flag));
}

void ruv_win_set_ctl_color_component(RUV_WIN win, int32_t component, RUV_COLOR color)
{
    Guard g("ruv_win_set_ctl_color_component", SRC);
    if (!g.not_in_update() || !component_window(g, win, component))
        return;
    const RUV_COLOR_COMPONENT list[2] = { { component, color }, { 0, static_cast<RUV_COLOR>(-1) } };
    modify_ctl_colors(win, list, FALSE);
    ruvv_tx_reset_colors(win, list, 0);
}

void ruv_win_unset_ctl_color_component(RUV_WIN win, int32_t component)
{
    Guard g("ruv_win_unset_ctl_color_component", SRC);
    if (!g.not_in_update() || !component_window(g, win, component))
        return;
    const RUV_COLOR_COMPONENT list[2] = { { component, static_cast<RUV_COLOR>(-1) },
                                          { 0, static_cast<RUV_COLOR>(-1) } };
    modify_ctl_colors(win, list, TRUE);
}

RUV_FONT *ruv_win_get_ctl_font(RUV_WIN win)
{
    Guard g("ruv_win_get_ctl_font", SRC);
    if (!g.window(win, CTL_LIST_TYPES))
        return nullptr;
    return ruvk_win_get_ctl_font(win);
}

void ruv_win_set_ctl_font(RUV_WIN win, RUV_FONT *font)
{
    Guard g("ruv_win_set_ctl_font", SRC);
    if (!g.window(win, CTL_COMPONENT_TYPES) || !g.check(!font || ruvv_font_is_valid(font), ruvf::ID_INVALID_FONT))
        return;
    ruvv_win_set_ctl_font(win, font);
    ruvv_tx_win_set_font(win, font);
}

int32_t ruv_win_get_cursor(RUV_WIN win)
{
    Guard g("ruv_win_get_cursor", SRC);
    if (!g.window(win, CURSOR_GET_TYPES))
        return -1;
    return win->cursor_id;
}

void ruv_win_set_cursor(RUV_WIN win, int32_t cursor)
{
    Guard g("ruv_win_set_cursor", SRC);
    if (!g.window(win, CURSOR_CARET_TYPES))
        return;
    ruvk_win_set_cursor(win, cursor);
}

uint32_t ruv_win_get_event_mask(RUV_WIN win)
{
    Guard g("ruv_win_get_event_mask", SRC);
    if (!g.window(win))
        return 0;
    return win->event_mask;
}

void ruv_win_set_event_mask(RUV_WIN win, uint32_t mask)
{
    Guard g("ruv_win_set_event_mask", SRC);
    if (!g.window(win))
        return;
    win->event_mask = mask;
}

RUV_EVENT_HANDLER ruv_win_get_handler(RUV_WIN win)
{
    Guard g("ruv_win_get_handler", SRC);
    if (!g.window(win))
        return nullptr;
    return win->handler;
}

void ruv_win_set_handler(RUV_WIN win, RUV_EVENT_HANDLER handler)
{
    Guard g("ruv_win_set_handler", SRC);
    if (!g.window(win))
        return;
    win->handler = handler;
}

RUV_CXO *ruv_win_get_nav(RUV_WIN win)
{
    Guard g("ruv_win_get_nav", SRC);
    if (!g.registered(win) || !g.check(ruvf::type_in(win, NAV_TYPES), ruvf::ID_INVALID_WINDOW))
        return nullptr;
    return ruvv_win_get_nav(win);
}

intptr_t ruv_win_get_tx(RUV_WIN win, int32_t index)
{
    Guard g("ruv_win_get_tx", SRC);
    if (!g.window(win))
        return 0;
    // The base library answers for the window itself; the index is not
    // used on this platform.
    (void)index;
    return ruvv_win_get_tx(win);
}

RUV_BOOL ruv_win_has_menu(RUV_WIN win)
{
    Guard g("ruv_win_has_menu", SRC);
    if (!g.window(win))
        return FALSE;
    return (win->kind & ruvf::KIND_MENU) && !(win->create_flags & ruvf::CF_NO_MENU_BAR);
}

void ruv_win_process_modal(RUV_WIN win)
{
    Guard g("ruv_win_process_modal", SRC);
    if (!g.check(win != NULL_WIN, ruvf::ID_NULL_WINDOW) || !ruvf::is_window(win))
        return;
    if (!g.check(!ruvf::is_text_edit(win) && win->type == 9, ruvf::ID_INCORRECT_WINDOW_TYPE, win) ||
        !g.check((win->create_flags & CF_NO_MODAL) != 0, ID_NOT_MODELESS, win) ||
        !g.check(!(win->kernel_flags & KERNEL_IN_MODAL_LOOP), ruvf::ID_INVALID_WINDOW, win))
        return;
    ruvk_win_process_modal(win);
}

void ruv_win_set_caret_pos(RUV_WIN win, RUV_POINT point)
{
    Guard g("ruv_win_set_caret_pos", SRC);
    if (!g.not_in_update() || !g.window(win, CURSOR_CARET_TYPES))
        return;
    ruvk_win_set_caret_pos(win, &point);
}

void ruv_win_set_caret_size(RUV_WIN win, int32_t width, int32_t height)
{
    Guard g("ruv_win_set_caret_size", SRC);
    if (!g.not_in_update() || !g.window(win, CURSOR_CARET_TYPES))
        return;
    ruvk_win_set_caret_size(win, static_cast<int16_t>(width), static_cast<int16_t>(height));
}

void ruv_win_set_caret_visible(RUV_WIN win, RUV_BOOL visible)
{
    Guard g("ruv_win_set_caret_visible", SRC);
    if (!g.not_in_update() || !g.window(win, CURSOR_CARET_TYPES))
        return;
    ruvk_win_set_caret_visible(win, visible);
}

void ruv_win_set_doc_title(RUV_WIN win, const char *title)
{
    Guard g("ruv_win_set_doc_title", SRC);
    if (!g.not_in_update() || !g.window(win, CTL_COMPONENT_TYPES) || !g.not_null(title))
        return;
    ruvk_win_set_doc_title(win, title);
}

void ruv_win_trap_pointer(RUV_WIN win)
{
    Guard g("ruv_win_trap_pointer", SRC);
    if (!g.window(win) || !g.not_text_edit(win))
        return;
    ruvk_win_trap_pointer(win);
}

void ruv_win_release_pointer(void)
{
    Guard g("ruv_win_release_pointer", SRC);
    ruvk_win_release_pointer();
}

} // extern "C"
