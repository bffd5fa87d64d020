// Help events: help requests (F1), the standard help-menu commands and
// object-click help, in which the user points at a window, control or menu
// command to see its topic; and the removal of a window's associations
// when it is destroyed.  The library's own event hook passes on what this
// does not handle.
#include "help_engine.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_event.h"
#include "cursor.h"
#include "window_create.h"
#include "window_services.h"

namespace {

enum class Action { None, Consumed, Display, Search };

struct Request {
    Action action = Action::None;
    int32_t topic = 0;
};

constexpr int32_t kHelpCursor = 5;

RUV_WIN attr_win(int32_t key)
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, key));
}

// Window association of the object, else of its parents on the way up.
int32_t chain_topic(RUV_HELP_INFO *info, RUV_WIN obj)
{
    for (int guard = 0; help_is_window(obj) && guard < 1000; ++guard) {
        if (int32_t topic = ruvv_help_get_win_assoc(info, obj))
            return topic;
        if (obj->parent == obj)
            break;
        obj = obj->parent;
    }
    return 0;
}

int32_t menu_topic(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag)
{
    if (tag <= 0)
        return 0;
    if (int32_t topic = ruvv_help_get_menu_assoc(info, win, tag))
        return topic;
    return win ? ruvv_help_get_menu_assoc(info, NULL_WIN, tag) : 0;
}

// The own association of the toolkit window under the remembered point.
int32_t hit_topic(RUV_HELP_INFO *info)
{
    POINT p{ info->last_pos.h, info->last_pos.v };
    HWND hwnd = WindowFromPoint(p);
    if (!hwnd)
        return 0;
    RUV_WIN obj = ruvwi_hwnd_to_window(hwnd);
    return help_is_window(obj) ? ruvv_help_get_win_assoc(info, obj) : 0;
}

Request help_menu_command(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag)
{
    switch (tag) {
    case 32451: return { Action::Display, chain_topic(info, ruvk_scr_get_focus_vobj()) };
    case 32452: return { Action::Display, 32000 };
    case 32453: {
        int32_t topic = help_is_window(win) ? ruvv_help_get_win_assoc(info, win) : 0;
        return { Action::Display, topic ? topic : 32001 };
    }
    case 32454: return { Action::Display, 32005 };
    case 32455: return { Action::Display, 32001 };
    case 32456: return { Action::Display, 32002 };
    case 32457: return { Action::Search, 0 };
    case 32458:
        ruvv_help_begin_objclick(info, win, 0);
        return { Action::Consumed, 0 };
    case 32459: return { Action::Display, 32007 };
    case 32461: return { Action::Display, 32009 };
    case 32462: return { Action::Display, 32006 };
    default: return {};
    }
}

Request objclick_event(RUV_HELP_INFO *info, RUV_WIN win, RUV_EVENT *event)
{
    switch (event->type) {
    case E_CLOSE:
        help_end_objclick(info, false);
        return {};
    case E_MOUSE_DOWN:
        return { Action::Consumed, 0 };
    case E_MOUSE_MOVE: {
        RUV_POINT p{ event->v.mouse.v, event->v.mouse.h };
        ruvk_vobj_translate_points(win, attr_win(RUV_ATTR_SCREEN_WINDOW), &p, 1);
        info->last_pos = p;
        return {};
    }
    case E_MOUSE_UP:
    case E_MOUSE_DOUBLE:
    case E_HELP:
        help_end_objclick(info, false);
        return { Action::Display, hit_topic(info) };
    case E_CHAR:
        help_end_objclick(info, false);
        return { Action::Consumed, 0 };
    case E_COMMAND:
        help_end_objclick(info, false);
        return { Action::Display, menu_topic(info, win, event->v.command.tag) };
    case E_CONTROL: {
        const int32_t type = event->v.control.type;
        if ((type == 17 || type == 21) && event->v.control.data.words[0] != 0)
            return {};
        help_end_objclick(info, false);
        return { Action::Display, chain_topic(info, event->v.control.ctl) };
    }
    default:
        return {};
    }
}

Request help_request(RUV_HELP_INFO *info, RUV_WIN win, RUV_EVENT *event)
{
    int32_t topic = event->v.help.topic;
    if (!topic && event->v.help.menu_tag > 0)
        topic = menu_topic(info, win, event->v.help.menu_tag);
    if (!topic && event->v.help.object)
        topic = chain_topic(info, event->v.help.object);
    return { Action::Display, topic };
}

} // namespace

void help_end_objclick(RUV_HELP_INFO *info, bool window_gone)
{
    if (!(info->mode & kHelpModeObjClick))
        return;
    info->mode &= ~kHelpModeObjClick;
    ruvk_win_release_pointer();
    RUV_WIN win = info->objclick_win;
    info->objclick_win = NULL_WIN;
    if (!window_gone && help_is_window(win))
        ruvk_win_set_cursor(win, info->saved_cursor);
}

extern "C" {

RUV_BOOL ruvv_help_process_event(RUV_HELP_INFO *info, RUV_WIN win, RUV_EVENT *event)
{
    if (!ruvv_help_is_valid_info(info) || !event)
        return FALSE;
    Request r;
    if (event->type == E_DESTROY) {
        // The object-click window going away ends the mode; it is not
        // touched again.
        if ((info->mode & kHelpModeObjClick) && win == info->objclick_win)
            help_end_objclick(info, true);
        ruvv_help_disassoc_all(info, win);
    } else if (info->mode & kHelpModeObjClick) {
        r = objclick_event(info, win, event);
    } else if (event->type == E_COMMAND) {
        r = help_menu_command(info, win, event->v.command.tag);
    } else if (event->type == E_HELP) {
        r = help_request(info, win, event);
    }
    switch (r.action) {
    case Action::None:
        return FALSE;
    case Action::Consumed:
        return TRUE;
    case Action::Display:
        ruvv_help_display_topic(info, r.topic ? r.topic : RUV_HELP_TOPIC_CONTENTS);
        return TRUE;
    case Action::Search:
        ruvv_help_search_topic(info, r.topic, "");
        return TRUE;
    }
    return FALSE;
}

RUV_BOOL ruvv_help_helpfile_callback(void *info, RUV_WIN win, RUV_EVENT *event)
{
    return ruvv_help_process_event(static_cast<RUV_HELP_INFO *>(info), win, event) ? FALSE : TRUE;
}

void ruvv_help_begin_objclick(RUV_HELP_INFO *info, RUV_WIN win, int32_t)
{
    if (!ruvv_help_is_valid_info(info) || !help_is_window(win))
        return;
    if (info->mode & kHelpModeObjClick)
        return;
    if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW)) == 0 &&
        win == attr_win(RUV_ATTR_TASK_WINDOW)) {
        ruvk_scr_beep();
        return;
    }
    info->mode |= kHelpModeObjClick;
    info->objclick_win = win;
    info->saved_cursor = win->cursor_id;
    ruvk_win_set_cursor(win, kHelpCursor);
    ruvk_win_trap_pointer(win);
}

void ruvv_help_end_objclick(RUV_HELP_INFO *info)
{
    if (ruvv_help_is_valid_info(info))
        help_end_objclick(info, false);
}

} // extern "C"
