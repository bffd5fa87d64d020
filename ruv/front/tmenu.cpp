// Menu functions of the front layer: a window's menu tree, its items by
// tag, the font menu's selection and pop-up menus, each handed to the
// kernel's menus.  Every member is refused while a window is repainted.
#include "front_guard.h"
#include "menus.h"
#include "ruv.h"
#include "ruvv_font.h"

using ruvf::Guard;
using ruvf::types;

namespace {

const char SRC[] = "tmenu";

// A window that carries a menu bar of its own.
bool menu_window(RUV_WIN win)
{
    return (win->kind & ruvf::KIND_MENU) != 0 && (win->create_flags & ruvf::CF_NO_MENU_BAR) == 0;
}

// Update refusal, window checks and the menu-window test.
bool menu_checks(Guard &g, RUV_WIN win, int line = __builtin_LINE())
{
    return g.not_in_update(line) && g.window(win, line) &&
           g.check(menu_window(win), ruvf::ID_FAILED_ACCESS_MENU, nullptr, line);
}

// Update refusal, window checks and a positive item tag.
bool item_checks(Guard &g, RUV_WIN win, int32_t tag, int line = __builtin_LINE())
{
    return g.not_in_update(line) && g.window(win, line) && g.check(tag > 0, ruvf::ID_BAD_VALUE, nullptr, line);
}

bool is_top_level_tag(const RUV_MENU_ITEM *tree, int32_t tag)
{
    for (const RUV_MENU_ITEM *item = tree; item->tag != 0; ++item)
        if (item->tag == tag)
            return true;
    return false;
}

} // namespace

extern "C" RUV_FONT *ruv_menu_get_font_sel(RUV_WIN window)
{
    Guard g("ruv_menu_get_font_sel", SRC);
    if (!menu_checks(g, window))
        return nullptr;
    return ruvk_menu_get_font_sel(window, 1);
}

extern "C" RUV_MENU_ITEM *ruv_menu_get_tree(RUV_WIN window)
{
    Guard g("ruv_menu_get_tree", SRC);
    if (!menu_checks(g, window))
        return nullptr;
    return ruvk_menu_get_tree(window);
}

extern "C" void ruv_menu_set_font_sel(RUV_WIN window, const RUV_FONT *font)
{
    Guard g("ruv_menu_set_font_sel", SRC);
    if (!menu_checks(g, window) || !g.check(!font || ruvv_font_is_valid(font), ruvf::ID_INVALID_FONT))
        return;
    ruvk_menu_set_font_sel(window, font);
}

extern "C" void ruv_menu_set_item_checked(RUV_WIN window, int32_t tag, RUV_BOOL checked)
{
    Guard g("ruv_menu_set_item_checked", SRC);
    if (!item_checks(g, window, tag))
        return;
    ruvk_menu_set_item_checked(window, tag, checked);
}

extern "C" void ruv_menu_set_item_enabled(RUV_WIN window, int32_t tag, RUV_BOOL enabled)
{
    Guard g("ruv_menu_set_item_enabled", SRC);
    if (!item_checks(g, window, tag))
        return;
    ruvk_menu_set_item_enabled(window, tag, enabled);
}

extern "C" void ruv_menu_set_item_title(RUV_WIN window, int32_t tag, const char *title)
{
    Guard g("ruv_menu_set_item_title", SRC);
    if (!item_checks(g, window, tag) || !g.not_null(title))
        return;
    ruvk_menu_set_item_title(window, tag, title);
}

extern "C" void ruv_menu_set_tree(RUV_WIN window, const RUV_MENU_ITEM *tree)
{
    Guard g("ruv_menu_set_tree", SRC);
    if (!menu_checks(g, window) || !g.not_null(tree, ruvf::ID_NULL_OBJECT))
        return;
    ruvk_menu_set_tree(window, tree);
}

extern "C" void ruv_menu_update(RUV_WIN window)
{
    Guard g("ruv_menu_update", SRC);
    if (!menu_checks(g, window))
        return;
    ruvk_menu_update(window);
}

extern "C" RUV_BOOL ruv_menu_popup(const RUV_MENU_ITEM *tree, RUV_WIN window, RUV_POINT point, int32_t alignment,
                                   int32_t tag)
{
    Guard g("ruv_menu_popup", SRC);
    if (!g.not_in_update() || !g.not_null(tree, ruvf::ID_NULL_OBJECT) || !g.window(window) ||
        !g.check(ruvf::type_in(window, types({ 1, 2, 3, 5, 7, 9, 10, 11 })), ruvf::ID_INVALID_WINDOW))
        return FALSE;
    // Aligned on an item: the item must be one of the tree's top level.
    if (alignment == 3 && !g.check(is_top_level_tag(tree, tag), ruvf::ID_INVALID_OBJECT_HANDLE))
        return FALSE;
    return ruvk_menu_popup(tree, window, point, static_cast<int16_t>(alignment), tag);
}
