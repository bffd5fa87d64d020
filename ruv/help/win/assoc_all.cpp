// Associations in bulk: a window, dialog or control made from a resource
// gets the topics that the association file gives for it, its menu
// commands and its controls.
#include <climits>

#include "help_engine.h"
#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_res.h"
#include "native_controls.h"

namespace {

// Sets the menu associations of the items (and their submenus, each walked
// at once) that the association file lists under the window's resource.
void walk_menu(RUV_HELP_INFO *info, RUV_WIN win, int32_t res_id, const RUV_MENU_ITEM *items)
{
    for (const RUV_MENU_ITEM *item = items; item && item->tag != 0; ++item) {
        if (int32_t topic = hassoc_lookup_entry(info, HELP_KIND_MENU, item->tag, res_id))
            ruvv_help_set_menu_assoc(info, win, item->tag, topic, 0);
        if (item->submenu)
            walk_menu(info, win, res_id, item->submenu);
    }
}

bool is_control_type(int32_t type)
{
    return (type >= 12 && type <= 22) || type == 24;
}

} // namespace

extern "C" RUV_BOOL ruvv_help_assoc_all(RUV_HELP_INFO *info, RUV_WIN win, int32_t res_id, RUV_WIN_DEF *def)
{
    if (!ruvv_help_is_valid_info(info) || !info->entries || !help_is_window(win))
        return FALSE;
    const int32_t kind = help_object_kind(win);
    if (kind == HELP_KIND_NONE)
        return FALSE;
    RUV_WIN_DEF *fetched = nullptr;
    if (!def) {
        if (kind == HELP_KIND_CONTROL) {
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kHelpNoDefinition, "hassoc", __LINE__);
            return FALSE;
        }
        // Resource ids are 16 bits: a larger one names no resource (and
        // must not name the one its low bits would).
        if (res_id > INT16_MAX)
            return FALSE;
        const int16_t id = static_cast<int16_t>(res_id);
        fetched = kind == HELP_KIND_WINDOW ? ruvv_res_get_win_def(id) : ruvv_res_get_dlg_def(id);
        if (!fetched)
            return FALSE;
        def = fetched;
    }
    const int32_t own = hassoc_lookup_entry(info, kind, res_id, 0);
    if (kind == HELP_KIND_WINDOW) {
        if (def[0].u.win.menu) {
            walk_menu(info, win, res_id, def[0].u.win.menu);
        } else if (def[0].u.win.menu_id > 0 && def[0].u.win.menu_id <= INT16_MAX) {
            if (RUV_MENU_ITEM *menu = ruvv_res_get_menu(static_cast<int16_t>(def[0].u.win.menu_id))) {
                walk_menu(info, win, res_id, menu);
                ruvv_res_free_menu_tree(menu);
            }
        }
    }
    if (kind != HELP_KIND_CONTROL && own)
        ruvv_help_set_win_assoc(info, win, own, 0);
    if (def[0].type != 0)
        for (const RUV_WIN_DEF *e = def + 1; e->type != 0; ++e) {
            if (!is_control_type(e->type))
                continue;
            const int32_t ctl_id = static_cast<int32_t>(e->u.ctl.ctl_id);
            const int32_t topic = hassoc_lookup_entry(info, HELP_KIND_CONTROL, ctl_id, res_id);
            if (!topic)
                continue;
            if (RUV_WIN ctl = ruvk_win_get_ctl(win, ctl_id))
                ruvv_help_set_win_assoc(info, ctl, topic, 0);
        }
    if (fetched)
        ruvv_res_free_win_def(fetched);
    return TRUE;
}
