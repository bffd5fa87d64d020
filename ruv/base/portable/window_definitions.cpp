/* Windows from window resources: the definition is read, adapted to its
   parent (inside dialogs and notebooks a window becomes a borderless pane),
   its window and control flags are checked, and the kernel makes the
   window with its controls.  Also the portable object services: the font
   check of a definition, control fonts, enumeration of child windows, the
   top-level test, palette lookup, titles through a formatter, attribute
   setting, the focused top-level window and the screen's window list. */
#include "ruvv_windef.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_list.h"
#include "ruvv_palet.h"
#include "ruvv_winflags.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_INCORRECT_TYPE = 0x01230001;
constexpr RUV_ERRMSG_ID ERR_INVALID_FONT = 0x01220003;
constexpr int32_t TYPE_PANE = 7;
constexpr uint32_t PANE_FLAGS = 0x810;

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG && ruvv_vobj_is_valid(w);
}

int32_t type_of(RUV_WIN w)
{
    return (w->kind & RUV_KIND_TEXT_EDIT) ? 23 : w->type;
}

RUV_WIN attr_win(int32_t key)
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, key));
}

bool is_window_type(int32_t t)
{
    return t == 1 || t == 2 || t == 3 || t == 7 || t == 9;
}

// The font word of a definition element.
RUV_FONT *font_of(const RUV_WIN_DEF &e)
{
    if (is_window_type(e.type))
        return e.u.win.font;
    if (e.type == 10 || e.type == 11)
        return e.u.dlg.font;
    if (e.type == 23)
        return e.u.tx.font;
    return e.u.ctl.font;
}

RUV_WIN fail(RUV_WIN parent, RUV_ERRMSG_ID id, RUV_WIN_DEF *def)
{
    if (id)
        RUV_ERR(parent, RUV_SEV_ERROR, id);
    ruvv_errfrm_unmark_API();
    ruvv_res_free_win_def(def);
    return NULL_WIN;
}

} // namespace

extern "C" {

RUV_WIN ruvv_win_create_res(int32_t res_id, RUV_WIN parent, uint32_t event_mask, RUV_EVENT_HANDLER handler,
                            void *app_data)
{
    // The reader reports a resource it cannot find.
    RUV_WIN_DEF *def = ruvv_res_get_win_def(static_cast<int16_t>(res_id));
    if (!def)
        return fail(parent, 0, nullptr);
    if (!valid(parent))
        return fail(parent, ERR_INCORRECT_TYPE, def);
    switch (type_of(parent)) {
    case 1: case 2: case 3: case 5: case 6: case 7: case 9:
        break;
    case 10:
    case 11:
        if (def->type != 9) {
            def->type = TYPE_PANE;
            def->u.win.flags = PANE_FLAGS;
        }
        break;
    case 25:
        def->type = TYPE_PANE;
        def->u.win.flags = PANE_FLAGS;
        break;
    default:
        return fail(parent, ERR_INCORRECT_TYPE, def);
    }
    if (uint32_t id = ruvv_win_check_flags(def->type, parent, static_cast<uint32_t>(def->u.win.flags)))
        return fail(parent, id, def);
    for (const RUV_WIN_DEF *e = def + 1; e->type != 0; ++e) {
        if (e->type == 23)
            continue;
        if (uint32_t id = ruvv_ctl_check_flags(e->type, static_cast<uint32_t>(e->u.ctl.flags)))
            return fail(parent, id, def);
    }
    RUV_WIN win = ruvk_win_create_def(def, parent, event_mask, handler, app_data);
    ruvv_res_free_win_def(def);
    if (!win)
        ruvv_errfrm_unmark_API();
    return win;
}

uint32_t ruvv_win_check_fonts(const RUV_WIN_DEF *def)
{
    if (!def)
        return 0;
    for (const RUV_WIN_DEF *e = def; e->type != 0; ++e) {
        RUV_FONT *f = font_of(*e);
        if (f && !ruvv_font_is_valid(f))
            return ERR_INVALID_FONT;
    }
    return 0;
}

void ruvv_win_set_ctl_font(RUV_WIN win, RUV_FONT *font)
{
    if (font)
        ruvv_font_map(font, win);
    ruvk_win_set_ctl_font(win, font);
}

void ruvv_ctl_set_font(RUV_WIN ctl, RUV_FONT *font)
{
    ruvk_ctl_set_font(ctl, font);
}

RUV_BOOL ruvv_win_enum_wins(RUV_WIN parent, RUV_ENUM_WINS_FN callback, void *data, int32_t reserved)
{
    SLIST *list = ruvv_win_list_wins(parent, reserved, FALSE);
    if (!list)
        return 0;
    for (SLIST_ELT *e = ruvv_slist_get_first(list); e && callback; e = ruvv_slist_get_next(list, e)) {
        intptr_t child = 0;
        ruvv_slist_get(list, e, &child);
        int16_t go;
        {
            ruv::ErrFrame frame(parent);
            go = callback(reinterpret_cast<RUV_WIN>(child), data);
        }
        if (go == 0)
            break;
    }
    ruvv_slist_destroy(list);
    return 1;
}

RUV_BOOL ruvv_vobj_is_topwin(RUV_WIN obj)
{
    if (!valid(obj))
        return 0;
    int32_t t = type_of(obj);
    if (t == 5 || t == 6)
        return 1;
    if (t == 1 || t == 2 || t == 3 || t == 9) {
        RUV_WIN p = obj->parent;
        return (p && (p == attr_win(RUV_ATTR_TASK_WINDOW) || p == attr_win(RUV_ATTR_SCREEN_WINDOW))) ? 1 : 0;
    }
    return 0;
}

RUV_PALETTE *ruvv_vobj_get_palet(RUV_WIN obj)
{
    for (int guard = 0; valid(obj) && guard < 1000; ++guard) {
        int32_t t = type_of(obj);
        if (t == 4)
            return ruvv_palet_default();
        if (t == 8 || ruvv_vobj_is_topwin(obj)) {
            if (RUV_PALETTE *p = ruvk_dwin_get_palet(obj))
                return p;
        }
        if (obj->parent == obj)
            break;
        obj = obj->parent;
    }
    return nullptr;
}

char *ruvv_vobj_call_formatter(RUV_WIN obj, char *title, int32_t *sel_first, int32_t *sel_second)
{
    if (!valid(obj) || !obj->title_formatter)
        return nullptr;
    ruv::ErrFrame frame(obj);
    return obj->title_formatter(obj, title, sel_first, sel_second, obj->title_data);
}

void ruvv_vobj_set_title(RUV_WIN obj, const char *title)
{
    if (!valid(obj))
        return;
    if (!obj->title_formatter) {
        ruvk_vobj_set_title(obj, title);
        return;
    }
    int32_t first = -1, second = -1;
    char *result = ruvv_vobj_call_formatter(obj, const_cast<char *>(title), &first, &second);
    if (!result || result == reinterpret_cast<char *>(-1)) {
        ruvk_vobj_set_title(obj, title);
        return;
    }
    ruvk_vobj_set_title(obj, result);
    const int32_t t = type_of(obj);
    if ((t == 17 || t == 21) && ruvk_scr_get_focus_vobj() == obj && first >= 0 && second >= 0)
        ruvk_ctl_set_text_sel(obj, first, second);
}

void ruvv_vobj_set_attr(RUV_WIN obj, int32_t attribute, intptr_t value)
{
    if (attribute == RUV_ATTR_FONT_MAP_HOOK)
        ruvv_font_cache_flush();
    ruvk_vobj_set_attr(obj, attribute, value);
}

RUV_WIN ruvv_scr_get_focus_topwin(void)
{
    RUV_WIN f = ruvk_scr_get_focus_vobj();
    if (!f || f->tag != RUV_VOBJ_TAG)
        return NULL_WIN;
    RUV_WIN task = attr_win(RUV_ATTR_TASK_WINDOW), screen = attr_win(RUV_ATTR_SCREEN_WINDOW);
    for (int guard = 0; f && guard < 1000; ++guard) {
        RUV_WIN p = f->parent;
        if (!p || p == f || p == task || p == screen)
            break;
        f = p;
    }
    if (!f)
        return NULL_WIN;
    int32_t t = type_of(f);
    return (t == 10 || t == 11) ? NULL_WIN : f;
}

SLIST *ruvv_scr_list_wins(void)
{
    return ruvv_registry_list(ruvv_registry_filter_flags, RUV_KIND_SCREEN_MASK, TRUE);
}

} // extern "C"
