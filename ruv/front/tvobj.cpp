// View-object functions (ruv_vobj_): what every window, dialog and control
// has in common: attributes, application data, parent, type, title,
// rectangles, visibility, stacking, title formatter, palette, destruction.
#include "front_guard.h"
#include "ruv.h"

#include "window_services.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_mem.h"
#include "ruvv_palet.h"
#include "ruvv_tx.h"
#include "ruvv_windef.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tvobj";

constexpr int32_t KEY_MEM_FUNCS = 707;
constexpr uint32_t NO_FORMATTER_TYPES = ruvf::types({ 15, 16, 24 });
constexpr uint32_t NO_TITLE_TYPES = ruvf::types({ 15, 16, 19, 20, 24, 26 });
constexpr uint32_t RAISED_TYPES = ruvf::types({ 1, 2, 3, 7, 9, 11 });

// The default memory hooks, unless the application installed its own.
void default_hooks()
{
    if (!ruvv_mem_get_functions())
        ruvv_mem_set_functions(nullptr);
}

// Window checks, then neither a text edit nor type 26.
bool formatter_window(Guard &g, RUV_WIN win, int line = __builtin_LINE())
{
    return g.window(win, line) && g.check(!ruvf::is_text_edit(win) && win->type != 26,
                                          ruvf::ID_INCORRECT_WINDOW_TYPE, nullptr, line);
}

// A non-null window of an attribute call: registered, not a text edit.
bool attr_window(Guard &g, RUV_WIN win, int line = __builtin_LINE())
{
    if (!win)
        return true;
    return g.check(ruvf::is_window(win), ruvf::ID_INVALID_WINDOW, nullptr, line) &&
           g.not_text_edit(win, line);
}

} // namespace

extern "C" {

void ruv_vobj_destroy(RUV_WIN win)
{
    Guard g("ruv_vobj_destroy", SRC);
    if (!g.not_in_update() || !g.window(win) ||
        !g.check(!(win->kind & ruvf::KIND_REFUSED), ruvf::ID_INCORRECT_OBJECT_TYPE, win))
        return;
    if (ruvf::is_text_edit(win))
        ruvv_tx_destroy(reinterpret_cast<TXEDIT>(win));
    else
        ruvk_vobj_destroy(win);
}

intptr_t ruv_vobj_get_attr(RUV_WIN win, int32_t key)
{
    if (key == KEY_MEM_FUNCS)
        return reinterpret_cast<intptr_t>(ruvv_mem_get_functions());
    default_hooks();
    Guard g("ruv_vobj_get_attr", SRC);
    if (!attr_window(g, win))
        return 0;
    return ruvk_vobj_get_attr(win, key);
}

void ruv_vobj_set_attr(RUV_WIN win, int32_t key, intptr_t value)
{
    if (key == KEY_MEM_FUNCS) {
        ruvv_mem_set_functions(reinterpret_cast<const RUV_MEM_FUNCS *>(value));
        return;
    }
    default_hooks();
    Guard g("ruv_vobj_set_attr", SRC);
    if (!attr_window(g, win))
        return;
    ruvv_vobj_set_attr(win, key, value);
}

RUV_RECT *ruv_vobj_get_client_rect(RUV_WIN win, RUV_RECT *rect)
{
    Guard g("ruv_vobj_get_client_rect", SRC);
    if (!g.window(win) || !g.not_null(rect))
        return nullptr;
    ruvk_vobj_get_client_rect(win, rect);
    return rect;
}

RUV_RECT *ruv_vobj_get_outer_rect(RUV_WIN win, RUV_RECT *rect)
{
    Guard g("ruv_vobj_get_outer_rect", SRC);
    if (!g.window(win) || !g.not_null(rect))
        return nullptr;
    ruvk_vobj_get_outer_rect(win, rect);
    return rect;
}

void *ruv_vobj_get_data(RUV_WIN win)
{
    Guard g("ruv_vobj_get_data", SRC);
    if (!g.window(win))
        return nullptr;
    return win->app_data;
}

void ruv_vobj_set_data(RUV_WIN win, void *data)
{
    Guard g("ruv_vobj_set_data", SRC);
    if (!g.window(win))
        return;
    win->app_data = data;
}

int32_t ruv_vobj_get_flags(RUV_WIN win)
{
    Guard g("ruv_vobj_get_flags", SRC);
    if (!g.window(win) || !g.not_text_edit(win))
        return 0;
    return static_cast<int32_t>(ruvk_vobj_get_flags(win));
}

RUV_TITLE_FORMATTER ruv_vobj_get_formatter(RUV_WIN win)
{
    Guard g("ruv_vobj_get_formatter", SRC);
    if (!formatter_window(g, win))
        return nullptr;
    return win->title_formatter;
}

intptr_t ruv_vobj_get_formatter_data(RUV_WIN win)
{
    Guard g("ruv_vobj_get_formatter_data", SRC);
    if (!formatter_window(g, win))
        return 0;
    return win->title_data;
}

void ruv_vobj_set_formatter(RUV_WIN win, RUV_TITLE_FORMATTER formatter, intptr_t data)
{
    Guard g("ruv_vobj_set_formatter", SRC);
    if (!formatter_window(g, win) || ruvf::type_in(win, NO_FORMATTER_TYPES))
        return;
    win->title_formatter = formatter;
    win->title_data = data;
}

void ruv_vobj_set_formatter_data(RUV_WIN win, intptr_t data)
{
    Guard g("ruv_vobj_set_formatter_data", SRC);
    if (!formatter_window(g, win) || ruvf::type_in(win, NO_FORMATTER_TYPES))
        return;
    win->title_data = data;
}

RUV_PALETTE *ruv_vobj_get_palet(RUV_WIN win)
{
    Guard g("ruv_vobj_get_palet", SRC);
    if (!formatter_window(g, win))
        return nullptr;
    return ruvv_vobj_get_palet(win);
}

void ruv_vobj_set_palet(RUV_WIN win, RUV_PALETTE *palette)
{
    Guard g("ruv_vobj_set_palet", SRC);
    if (!g.not_in_update() || !g.window(win) ||
        !g.check(ruvv_vobj_is_topwin(win) || win->type == 8, ruvf::ID_INVALID_WINDOW) ||
        !g.check(!ruvf::is_text_edit(win) && win->type != 26, ruvf::ID_INCORRECT_WINDOW_TYPE) ||
        !g.not_null(palette, ruvf::ID_NULL_PALETTE) ||
        !g.check(ruvv_palet_is_valid(palette) != 0, ruvf::ID_INVALID_PALETTE))
        return;
    ruvv_palet_map_win(palette, win);
}

RUV_WIN ruv_vobj_get_parent(RUV_WIN win)
{
    Guard g("ruv_vobj_get_parent", SRC);
    if (!g.window(win) || ruvf::type_of(win) == 4)
        return NULL_WIN;
    return win->parent;
}

char *ruv_vobj_get_title(RUV_WIN win, char *buffer, int32_t size)
{
    Guard g("ruv_vobj_get_title", SRC);
    if (!g.window(win) || !g.not_text_edit(win) || !g.not_null(buffer) ||
        !g.check(size > 0, ruvf::ID_VALUE_TOO_LOW))
        return nullptr;
    return ruvk_vobj_get_title(win, buffer, size);
}

void ruv_vobj_set_title(RUV_WIN win, const char *title)
{
    Guard g("ruv_vobj_set_title", SRC);
    if (!g.not_in_update() || !g.window(win) || !g.not_text_edit(win) || !g.not_null(title) ||
        ruvf::type_in(win, NO_TITLE_TYPES))
        return;
    ruvv_vobj_set_title(win, title);
}

int32_t ruv_vobj_get_type(RUV_WIN win)
{
    Guard g("ruv_vobj_get_type", SRC);
    if (!g.window(win))
        return 0;
    return ruvf::type_of(win);
}

RUV_BOOL ruv_vobj_is_focusable(RUV_WIN win)
{
    Guard g("ruv_vobj_is_focusable", SRC);
    if (!g.window(win))
        return FALSE;
    return ruvk_vobj_is_focusable(win);
}

RUV_BOOL ruv_vobj_is_valid(RUV_WIN win)
{
    Guard g("ruv_vobj_is_valid", SRC);
    if (!g.check(win != NULL_WIN, ruvf::ID_NULL_WINDOW))
        return FALSE;
    return ruvv_vobj_is_valid(win);
}

void ruv_vobj_move(RUV_WIN win, const RUV_RECT *rect)
{
    Guard g("ruv_vobj_move", SRC);
    RUV_RECT scratch;
    if (!g.not_in_update() || !g.window(win) ||
        !g.check(!(win->kind & ruvf::KIND_REFUSED), ruvf::ID_INVALID_WINDOW) || !g.not_null(rect))
        return;
    const RUV_RECT *r = g.rect(rect, scratch, ruvf::Strict::EqualEdges);
    if (ruvf::is_text_edit(win))
        ruvv_tx_move(reinterpret_cast<TXEDIT>(win), r);
    else
        ruvk_vobj_move(win, r);
}

void ruv_vobj_raise(RUV_WIN win)
{
    Guard g("ruv_vobj_raise", SRC);
    if (!g.not_in_update() || !g.window(win) ||
        !g.check(!(win->kind & ruvf::KIND_REFUSED), ruvf::ID_INVALID_WINDOW))
        return;
    bool raised = ruvf::type_in(win, RAISED_TYPES) ||
                  (ruvf::type_of(win) == 5 && ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW));
    if (!g.check(raised, ruvf::ID_INCORRECT_WINDOW_TYPE))
        return;
    ruvk_vobj_raise(win);
}

void ruv_vobj_set_enabled(RUV_WIN win, RUV_BOOL enabled)
{
    Guard g("ruv_vobj_set_enabled", SRC);
    if (!g.not_in_update() || !g.window(win))
        return;
    ruvk_vobj_set_enabled(win, enabled);
}

void ruv_vobj_set_visible(RUV_WIN win, RUV_BOOL visible)
{
    Guard g("ruv_vobj_set_visible", SRC);
    if (!g.not_in_update() || !g.window(win) ||
        !g.check(!(win->kind & ruvf::KIND_REFUSED), ruvf::ID_INVALID_WINDOW))
        return;
    ruvk_vobj_set_visible(win, visible);
}

void ruv_vobj_translate_points(RUV_WIN from, RUV_WIN to, RUV_POINT *points, int32_t count)
{
    Guard g("ruv_vobj_translate_points", SRC);
    if (!g.window(from) || !g.window(to) || !g.not_null(points))
        return;
    ruvk_vobj_translate_points(from, to, points, count);
}

} // extern "C"
