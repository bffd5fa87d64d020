// Keyboard navigation between the controls of a window.  A navigation
// handler ("NavClassName") at the front of a window's chain keeps an
// ordered list of the window's controls and child windows and answers the
// window's characters: Tab and Shift+Tab move the focus to the next or
// previous tab stop, the arrow keys move inside a radio group, a letter
// goes to the control whose title marks it, Enter and Esc press the
// default and cancel buttons.  A child window listed in a navigation gets a
// small "NavChildWin" handler that hands its keys to the parent's
// navigation; a navigation that runs off its end passes the move on to the
// navigation of its parent window.
#include "ruvv_nav.h"

#include <cctype>
#include <cstring>

#include "cursor.h"
#include "native_controls.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_tx.h"
#include "window_services.h"

namespace {

const char kNavClass[] = "NavClassName";
const char kChildClass[] = "NavChildWin";

constexpr RUV_ERRMSG_ID ERR_WRONG_TYPE = 0x01230001;   // "Incorrect Window type"
constexpr RUV_ERRMSG_ID ERR_WRONG_STATE = 0x01640001;  // "Request while object in wrong state"
constexpr RUV_ERRMSG_ID ERR_NOT_CREATED = 0x01520001;  // "Failed to create object"

// Entry flags.
constexpr uint32_t F_TAB = 0x1;
constexpr uint32_t F_GROUP_FIRST = 0x2;
constexpr uint32_t F_GROUP_LAST = 0x4;
constexpr uint32_t F_RADIO = 0x8;
constexpr uint32_t F_MNEMONIC = 0x10;
constexpr uint32_t F_NOT_FOCUSABLE = 0x20;
constexpr uint32_t F_CONTAINER = 0x40;
constexpr uint32_t F_FOCUSABLE = 0x200;

// Object flags (ruvk_vobj_get_flags) that keep an object from the focus.
constexpr uint32_t O_CTL_DISABLED = 0x1;
constexpr uint32_t O_HIDDEN = 0x10;
constexpr uint32_t O_WIN_DISABLED = 0x20;

// A radio button whose creation flags hold this bit bounds a group.
constexpr uint32_t CF_GROUP_MARK = 0x20;

constexpr int32_t kTitleMax = 1275;
constexpr int16_t kKeypadUp = 378, kKeypadDown = 379, kKeypadLeft = 380, kKeypadRight = 381;

struct Entry {
    RUV_WIN obj;
    uint32_t flags;
};

struct NavState {
    RUV_DLIST *entries;
    RUV_DLIST_NODE *current;
    RUV_WIN default_button;
    RUV_WIN cancel_button;
    RUV_CXO *parent_nav;
    RUV_CXO *self;
    RUV_WIN win;
};

bool valid(RUV_WIN w)
{
    return ruvv_vobj_is_valid(w) != 0;
}

int32_t type_of(RUV_WIN w)
{
    return (w->kind & RUV_KIND_TEXT_EDIT) ? WC_TEXT_EDIT : w->type;
}

bool is_container_type(int32_t t)
{
    return t == 2 || t == 7 || t == WC_TEXT_EDIT;
}

bool accepted_type(int32_t t)
{
    return t == 2 || t == 7 || (t >= 12 && t <= 25);
}

bool is_control_type(int32_t t)
{
    return (t >= 12 && t <= 22) || t == 24;
}

bool is_push_button(RUV_WIN w)
{
    return valid(w) && !(w->kind & RUV_KIND_TEXT_EDIT) && w->type == WC_PUSH_BUTTON;
}

NavState *state_of(RUV_CXO *nav)
{
    if (!ruvv_cxo_is_valid(nav) || !ruvv_nav_is_valid(nav))
        return nullptr;
    auto *s = static_cast<NavState *>(nav->user_data);
    return s && s->self == nav ? s : nullptr;
}

Entry *entry_of(const RUV_DLIST_NODE *node)
{
    return node ? static_cast<Entry *>(ruvv_dlist_get_data(node)) : nullptr;
}

// The object can take the focus now: listed alive, shown and enabled.
bool object_allows(RUV_WIN w)
{
    if (!valid(w))
        return false;
    const uint32_t f = ruvk_vobj_get_flags(w);
    if (is_control_type(type_of(w)))
        return !(f & (O_HIDDEN | O_CTL_DISABLED));
    return !(f & (O_HIDDEN | O_WIN_DISABLED));
}

bool eligible(const Entry *e, uint32_t need)
{
    return e && (e->flags & F_FOCUSABLE) && (e->flags & need) && object_allows(e->obj);
}

RUV_DLIST_NODE *node_of(NavState *s, RUV_WIN w)
{
    for (RUV_DLIST_NODE *n = ruvv_dlist_first(s->entries); n; n = ruvv_dlist_next(n))
        if (entry_of(n)->obj == w)
            return n;
    return nullptr;
}

// The entry of the focused object, or of the listed window that holds it.
RUV_DLIST_NODE *node_of_focus(NavState *s)
{
    for (RUV_WIN w = ruvk_scr_get_focus_vobj(); valid(w) && w != s->win; w = w->parent)
        if (RUV_DLIST_NODE *n = node_of(s, w))
            return n;
    return nullptr;
}

RUV_BOOL checked(RUV_WIN w)
{
    return valid(w) && (ruvk_vobj_get_flags(w) & 0x4u) != 0;
}

// Cuts the runs of radio buttons into groups: the first button of a run
// starts a group and the last ends it; inside a run the buttons marked with
// the group bit close the current group and open a new one in turn.  Each
// group's tab stop is its checked button, else its first.
void compute_groups(NavState *s)
{
    Entry *prev = nullptr;
    bool prev_radio = false, start_next = false, closing = true;
    for (RUV_DLIST_NODE *n = ruvv_dlist_first(s->entries); n; n = ruvv_dlist_next(n)) {
        Entry *e = entry_of(n);
        e->flags &= ~(F_GROUP_FIRST | F_GROUP_LAST);
        if (!(e->flags & F_RADIO)) {
            if (prev_radio)
                prev->flags |= F_GROUP_LAST;
            prev_radio = false;
            prev = e;
            continue;
        }
        if (!prev_radio) {
            e->flags |= F_GROUP_FIRST;
            closing = true;
            start_next = false;
        } else if (start_next) {
            prev->flags |= F_GROUP_LAST;
            e->flags |= F_GROUP_FIRST;
            start_next = false;
        }
        if (valid(e->obj) && (e->obj->create_flags & CF_GROUP_MARK)) {
            if (closing) {
                e->flags |= F_GROUP_LAST;
                start_next = true;
            } else if (!(e->flags & F_GROUP_FIRST)) {
                prev->flags |= F_GROUP_LAST;
                e->flags |= F_GROUP_FIRST;
            }
            closing = !closing;
        }
        prev = e;
        prev_radio = true;
    }
    if (prev_radio)
        prev->flags |= F_GROUP_LAST;

    // Tab stops: one per group.
    RUV_DLIST_NODE *group = nullptr;
    RUV_DLIST_NODE *stop = nullptr;
    for (RUV_DLIST_NODE *n = ruvv_dlist_first(s->entries); n; n = ruvv_dlist_next(n)) {
        Entry *e = entry_of(n);
        if (!(e->flags & F_RADIO))
            continue;
        if (e->flags & F_GROUP_FIRST) {
            group = n;
            stop = nullptr;
        }
        e->flags &= ~F_TAB;
        if (!stop && checked(e->obj))
            stop = n;
        if (e->flags & F_GROUP_LAST)
            entry_of(stop ? stop : group)->flags |= F_TAB;
    }
}

void refresh(NavState *s)
{
    compute_groups(s);
    if (RUV_DLIST_NODE *n = node_of_focus(s))
        s->current = n;
}

uint32_t flags_for(RUV_WIN w)
{
    const int32_t t = type_of(w);
    uint32_t f = ruvk_vobj_is_focusable(w) ? F_FOCUSABLE : F_NOT_FOCUSABLE;
    if (t == WC_RADIO_BUTTON)
        f |= F_RADIO;
    else
        f |= F_TAB;
    if (t == WC_PUSH_BUTTON || t == WC_RADIO_BUTTON || t == WC_CHECK_BOX || t == WC_STATIC_TEXT ||
        t == WC_GROUP_BOX)
        f |= F_MNEMONIC;
    if (is_container_type(t))
        f |= F_CONTAINER;
    return f;
}

int32_t child_callback(RUV_CXO *cxo, RUV_EVENT *event);

// A listed container hands its keys to this navigation: through its own
// navigation when it has one, else through a "NavChildWin" handler.
void attach_child(NavState *s, RUV_WIN w)
{
    if (RUV_CXO *own = ruvv_win_get_nav(w)) {
        ruvv_cxo_dispatch_msg(own, RUV_NAV_MSG_PARENT, s->self);
        return;
    }
    if (RUV_CXO *old = ruvv_win_get_cxo(w, kChildClass, nullptr)) {
        if (old->user_data == s->self)
            return;
        ruvv_cxo_destroy(old);
    }
    ruvv_cxo_create(w, s->self, RUV_CXO_FRONT, child_callback, RUV_EVENT_BIT(E_CHAR), kChildClass, nullptr);
}

void detach_child(NavState *s, RUV_WIN w)
{
    if (!valid(w))
        return;
    if (RUV_CXO *own = ruvv_win_get_nav(w)) {
        if (NavState *cs = state_of(own))
            if (cs->parent_nav == s->self)
                cs->parent_nav = nullptr;
        return;
    }
    RUV_CXO *c = ruvv_win_get_cxo(w, kChildClass, nullptr);
    if (c && c->user_data == s->self)
        ruvv_cxo_destroy(c);
}

bool add_entry(NavState *s, RUV_WIN w, RUV_WIN ref, int32_t where)
{
    if (!valid(w) || !accepted_type(type_of(w))) {
        RUV_ERR(w, RUV_SEV_ERROR, ERR_WRONG_TYPE);
        return false;
    }
    if (node_of(s, w))
        return true;
    RUV_DLIST_NODE *at = nullptr;
    if (where == RUV_NAV_BEFORE || where == RUV_NAV_AFTER) {
        at = node_of(s, ref);
        if (!at) {
            RUV_ERR(ref, RUV_SEV_ERROR, ERR_WRONG_STATE);
            return false;
        }
    } else if (where != RUV_NAV_FRONT && where != RUV_NAV_END) {
        return false;
    }
    auto *e = static_cast<Entry *>(ruvv_mem_zalloc(sizeof(Entry)));
    if (!e)
        return false;
    e->obj = w;
    e->flags = flags_for(w);
    if (!ruvv_dlist_insert(s->entries, e, at, where)) {
        ruvv_mem_free(e);
        return false;
    }
    if ((e->flags & F_CONTAINER) && (e->flags & F_FOCUSABLE))
        attach_child(s, w);
    compute_groups(s);
    return true;
}

void remove_entry(NavState *s, RUV_WIN w)
{
    RUV_DLIST_NODE *n = node_of(s, w);
    if (!n)
        return;
    if (s->current == n)
        s->current = nullptr;
    Entry *e = static_cast<Entry *>(ruvv_dlist_delete(s->entries, n));
    if (e && (e->flags & F_CONTAINER))
        detach_child(s, w);
    ruvv_mem_free(e);
    compute_groups(s);
}

void free_state(NavState *s)
{
    if (!s)
        return;
    if (s->entries) {
        while (RUV_DLIST_NODE *n = ruvv_dlist_first(s->entries)) {
            Entry *e = static_cast<Entry *>(ruvv_dlist_delete(s->entries, n));
            if (e && (e->flags & F_CONTAINER))
                detach_child(s, e->obj);
            ruvv_mem_free(e);
        }
        ruvv_dlist_destroy(s->entries);
    }
    s->self = nullptr;
    ruvv_mem_free(s);
}

NavState *build_state(RUV_CXO *cxo, SLIST *list)
{
    auto *s = static_cast<NavState *>(ruvv_mem_zalloc(sizeof(NavState)));
    if (!s)
        return nullptr;
    s->self = cxo;
    s->win = cxo->owner;
    s->entries = ruvv_dlist_create();
    if (!s->entries) {
        free_state(s);
        return nullptr;
    }
    RUV_WIN def = ruvk_win_get_ctl(s->win, 1);
    RUV_WIN can = ruvk_win_get_ctl(s->win, 2);
    s->default_button = is_push_button(def) ? def : NULL_WIN;
    s->cancel_button = is_push_button(can) ? can : NULL_WIN;
    if (valid(s->win->parent) && s->win->parent != s->win)
        s->parent_nav = ruvv_win_get_nav(s->win->parent);
    if (list) {
        for (SLIST_ELT *e = ruvv_slist_get_first(list); e; e = ruvv_slist_get_next(list, e)) {
            intptr_t ref = 0;
            ruvv_slist_get(list, e, &ref);
            if (!add_entry(s, reinterpret_cast<RUV_WIN>(ref), NULL_WIN, RUV_NAV_END)) {
                free_state(s);
                return nullptr;
            }
        }
    }
    return s;
}

// ---- Moving the focus ----

void focus_edit_all(RUV_WIN w)
{
    ruvk_scr_set_focus_vobj(w);
    ruvk_ctl_set_text_sel(w, 0, 32767);
}

void press(RUV_WIN w)
{
    if (valid(w) && !(w->kind & RUV_KIND_TEXT_EDIT) && w->type >= WC_PUSH_BUTTON && w->type <= WC_CHECK_BOX)
        ruvk_ctl_press_button(w);
}

// Gives the chosen entry the focus the way its kind takes it.
void take(NavState *s, RUV_DLIST_NODE *n, bool forward)
{
    Entry *e = entry_of(n);
    s->current = n;
    RUV_WIN w = e->obj;
    const int32_t t = type_of(w);
    if (t == WC_RADIO_BUTTON) {
        ruvk_scr_set_focus_vobj(w);
        if (!checked(w))
            press(w);
    } else if ((e->flags & F_CONTAINER) && ruvv_win_get_nav(w)) {
        ruvv_cxo_dispatch_msg(ruvv_win_get_nav(w), forward ? RUV_NAV_MSG_FIRST : RUV_NAV_MSG_LAST, nullptr);
    } else if (t == WC_EDIT) {
        focus_edit_all(w);
    } else {
        ruvk_scr_set_focus_vobj(w);
    }
}

RUV_DLIST_NODE *step(NavState *s, RUV_DLIST_NODE *n, bool forward)
{
    (void)s;
    return forward ? ruvv_dlist_next(n) : ruvv_dlist_prev(n);
}

RUV_DLIST_NODE *end_of(NavState *s, bool forward)
{
    return forward ? ruvv_dlist_first(s->entries) : ruvv_dlist_last(s->entries);
}

void focus_move(NavState *s, bool forward)
{
    refresh(s);
    RUV_DLIST_NODE *start = s->current;
    RUV_DLIST_NODE *n = start ? step(s, start, forward) : end_of(s, forward);
    bool wrapped = start == nullptr;
    for (;;) {
        if (!n) {
            if (ruvv_cxo_is_valid(s->parent_nav)) {
                ruvv_cxo_dispatch_msg(s->parent_nav, forward ? RUV_NAV_MSG_FORWARD : RUV_NAV_MSG_BACKWARD, nullptr);
                return;
            }
            if (wrapped)
                return;
            wrapped = true;
            n = end_of(s, forward);
            if (!n)
                return;
        }
        if (eligible(entry_of(n), F_TAB)) {
            take(s, n, forward);
            return;
        }
        if (n == start)
            return;
        n = step(s, n, forward);
    }
}

void focus_end(NavState *s, bool first)
{
    refresh(s);
    for (RUV_DLIST_NODE *n = end_of(s, first); n; n = step(s, n, first)) {
        if (eligible(entry_of(n), F_TAB)) {
            take(s, n, first);
            return;
        }
    }
}

// The previous or next eligible radio button of the current one's group,
// wrapping inside the group; it takes over the group's tab stop.
bool radio_move(NavState *s, bool forward)
{
    refresh(s);
    Entry *cur = entry_of(s->current);
    if (!cur || !(cur->flags & F_RADIO))
        return false;
    RUV_DLIST_NODE *first = s->current, *last = s->current;
    while (!(entry_of(first)->flags & F_GROUP_FIRST) && ruvv_dlist_prev(first))
        first = ruvv_dlist_prev(first);
    while (!(entry_of(last)->flags & F_GROUP_LAST) && ruvv_dlist_next(last))
        last = ruvv_dlist_next(last);
    RUV_DLIST_NODE *n = s->current;
    do {
        n = n == (forward ? last : first) ? (forward ? first : last) : step(s, n, forward);
        if (eligible(entry_of(n), F_RADIO)) {
            for (RUV_DLIST_NODE *g = first;; g = ruvv_dlist_next(g)) {
                entry_of(g)->flags &= ~F_TAB;
                if (g == last)
                    break;
            }
            entry_of(n)->flags |= F_TAB;
            s->current = n;
            ruvk_scr_set_focus_vobj(entry_of(n)->obj);
            if (!checked(entry_of(n)->obj))
                press(entry_of(n)->obj);
            return true;
        }
    } while (n != s->current);
    return true;
}

bool button_allows(RUV_WIN w)
{
    return valid(w) && !(ruvk_vobj_get_flags(w) & (O_CTL_DISABLED | O_HIDDEN));
}

void default_action(NavState *s)
{
    RUV_WIN f = ruvk_scr_get_focus_vobj();
    if (valid(f) && !(f->kind & RUV_KIND_TEXT_EDIT)) {
        if (f->type == WC_PUSH_BUTTON && button_allows(f)) {
            ruvk_ctl_press_button(f);
            return;
        }
        // A list or drop-down keeps Enter for itself.
        if (f->type >= WC_LIST_BOX && f->type <= WC_DROP_DOWN && button_allows(f))
            return;
    }
    if (button_allows(s->default_button))
        ruvk_ctl_press_button(s->default_button);
    else if (ruvv_cxo_is_valid(s->parent_nav))
        ruvv_cxo_dispatch_msg(s->parent_nav, RUV_NAV_MSG_PRESS_DEF, nullptr);
}

void cancel_action(NavState *s)
{
    if (button_allows(s->cancel_button))
        ruvk_ctl_press_button(s->cancel_button);
    else if (ruvv_cxo_is_valid(s->parent_nav))
        ruvv_cxo_dispatch_msg(s->parent_nav, RUV_NAV_MSG_PRESS_CAN, nullptr);
}

// The character a toolkit title marks with "~" (two tildes stand for one),
// upper case; 0 when none.
int mnemonic_of(const char *title)
{
    for (const char *p = title; *p; ++p) {
        if (*p != '~')
            continue;
        if (p[1] == '~') {
            ++p;
            continue;
        }
        return p[1] ? std::toupper(static_cast<unsigned char>(p[1])) : 0;
    }
    return 0;
}

bool mnemonic(NavState *s, int ch)
{
    refresh(s);
    const int want = std::toupper(ch);
    RUV_DLIST_NODE *start = s->current;
    RUV_DLIST_NODE *n = start ? ruvv_dlist_next(start) : ruvv_dlist_first(s->entries);
    bool wrapped = start == nullptr;
    static char title[kTitleMax + 1];
    for (;;) {
        if (!n) {
            if (wrapped)
                return false;
            wrapped = true;
            n = ruvv_dlist_first(s->entries);
            if (!n)
                return false;
        }
        Entry *e = entry_of(n);
        if ((e->flags & F_MNEMONIC) && object_allows(e->obj)) {
            title[0] = '\0';
            ruvk_vobj_get_title(e->obj, title, sizeof title);
            if (mnemonic_of(title) == want) {
                const int32_t t = type_of(e->obj);
                if (t == WC_STATIC_TEXT || t == WC_GROUP_BOX) {
                    // A label hands the focus to the tab stop after it.
                    for (RUV_DLIST_NODE *m = ruvv_dlist_next(n); m; m = ruvv_dlist_next(m)) {
                        if (eligible(entry_of(m), F_TAB) ||
                            (eligible(entry_of(m), F_RADIO) && (entry_of(m)->flags & F_TAB))) {
                            take(s, m, true);
                            return true;
                        }
                    }
                    return true;
                }
                if (e->flags & F_FOCUSABLE) {
                    s->current = n;
                    ruvk_scr_set_focus_vobj(e->obj);
                    press(e->obj);
                    return true;
                }
            }
        }
        if (n == start)
            return false;
        n = ruvv_dlist_next(n);
    }
}

int32_t handle_key(NavState *s, RUV_CXO *cxo, RUV_EVENT *event)
{
    const int16_t key = event->v.chr.key;
    switch (key) {
    case K_UP:
    case K_LEFT:
    case kKeypadUp:
    case kKeypadLeft:
        if (radio_move(s, false))
            return -1;
        return ruvv_cxo_call_next(NULL_WIN, cxo, event);
    case K_DOWN:
    case K_RIGHT:
    case kKeypadDown:
    case kKeypadRight:
        if (radio_move(s, true))
            return -1;
        return ruvv_cxo_call_next(NULL_WIN, cxo, event);
    case K_BACKTAB:
        focus_move(s, false);
        return -1;
    case 9:
        focus_move(s, event->v.chr.shift == 0);
        return -1;
    case 3:
    case 13:
        default_action(s);
        return -1;
    case 27:
        cancel_action(s);
        return -1;
    default:
        break;
    }
    if (key > 0 && key < 256 && std::isalnum(key)) {
        if (!mnemonic(s, key))
            ruvk_scr_beep();
        return -1;
    }
    return ruvv_cxo_call_next(NULL_WIN, cxo, event);
}

int32_t nav_message(RUV_CXO *cxo, int32_t message, void *data)
{
    if (message == E_CXO_CREATED) {
        cxo->user_data = nullptr;
        NavState *s = build_state(cxo, static_cast<SLIST *>(data));
        if (!s) {
            cxo->user_data = nullptr;
            ruvv_cxo_destroy(cxo);
            return 0;
        }
        cxo->user_data = s;
        return 1;
    }
    NavState *s = state_of(cxo);
    if (message == E_CXO_DESTROYED) {
        cxo->user_data = nullptr;
        free_state(s);
        return 1;
    }
    if (!s)
        return 0;
    switch (message) {
    case RUV_NAV_MSG_ADD: {
        auto *d = static_cast<RUV_NAV_ADD_DATA *>(data);
        return d && add_entry(s, d->win, d->ref, d->where) ? 1 : 0;
    }
    case RUV_NAV_MSG_REMOVE:
        remove_entry(s, static_cast<RUV_WIN>(data));
        return 1;
    case RUV_NAV_MSG_FORWARD:
    case RUV_NAV_MSG_BACKWARD:
        focus_move(s, message == RUV_NAV_MSG_FORWARD);
        return 1;
    case RUV_NAV_MSG_DEFAULT: {
        auto *d = static_cast<RUV_NAV_DEFAULT_DATA *>(data);
        if (d && d->flag && s->default_button) {
            if (is_push_button(d->ctl))
                ruvk_ctl_set_default_button(d->ctl);
            else if (valid(s->default_button))
                ruvk_ctl_set_default_button(s->default_button);
        }
        return 1;
    }
    case RUV_NAV_MSG_FIRST:
    case RUV_NAV_MSG_LAST:
        focus_end(s, message == RUV_NAV_MSG_FIRST);
        return 1;
    case RUV_NAV_MSG_PARENT:
        s->parent_nav = static_cast<RUV_CXO *>(data);
        return 1;
    case RUV_NAV_MSG_PRESS_DEF:
        default_action(s);
        return 1;
    case RUV_NAV_MSG_PRESS_CAN:
        cancel_action(s);
        return 1;
    default:
        return 0;
    }
}

int32_t nav_callback(RUV_CXO *cxo, RUV_EVENT *event)
{
    if (event->type == E_CXO)
        return nav_message(cxo, event->v.cxo.message, event->v.cxo.data);
    NavState *s = state_of(cxo);
    if (event->type != E_CHAR || !s)
        return ruvv_cxo_call_next(NULL_WIN, cxo, event);
    return handle_key(s, cxo, event);
}

// ---- A child window's keys to its parent's navigation ----

int32_t child_callback(RUV_CXO *cxo, RUV_EVENT *event)
{
    if (event->type == E_CXO) {
        if (event->v.cxo.message == E_CXO_CREATED)
            cxo->user_data = event->v.cxo.data;
        return 1;
    }
    if (event->type != E_CHAR)
        return ruvv_cxo_call_next(NULL_WIN, cxo, event);
    auto *parent_nav = static_cast<RUV_CXO *>(cxo->user_data);
    RUV_WIN win = cxo->owner;
    RUV_WIN parent = valid(win) ? win->parent : NULL_WIN;
    const int16_t key = event->v.chr.key;
    if ((key == 9 || key == K_BACKTAB) && ruvv_cxo_is_valid(parent_nav)) {
        const bool back = key == K_BACKTAB || event->v.chr.shift;
        ruvv_cxo_dispatch_msg(parent_nav, back ? RUV_NAV_MSG_BACKWARD : RUV_NAV_MSG_FORWARD, nullptr);
        return -1;
    }
    if (key == 27 && valid(parent))
        return ruvk_win_dispatch_event(parent, event);
    if (key == 3 || key == 13) {
        // A text edit of more than one paragraph keeps Enter for itself.
        RUV_WIN f = ruvk_scr_get_focus_vobj();
        const bool keeps = valid(f) && (f->kind & RUV_KIND_TEXT_EDIT) &&
                           (ruvv_tx_get_attr(reinterpret_cast<TXEDIT>(f)) & ~TX_ONEPAR) != 0;
        if (!keeps && valid(parent))
            return ruvk_win_dispatch_event(parent, event);
        return ruvv_cxo_call_next(NULL_WIN, cxo, event);
    }
    if (event->v.chr.modifiers & RUV_MOD_CONTROL) {
        event->v.chr.modifiers &= ~RUV_MOD_CONTROL;
        return ruvv_cxo_call_next(NULL_WIN, cxo, event);
    }
    if ((event->v.chr.modifiers & RUV_MOD_ALT) && valid(parent))
        return ruvk_win_dispatch_event(parent, event);
    return ruvv_cxo_call_next(NULL_WIN, cxo, event);
}

} // namespace

extern "C" {

RUV_BOOL ruvv_nav_is_valid(RUV_CXO *cxo)
{
    if (!ruvv_cxo_is_valid(cxo))
        return FALSE;
    char name[32];
    return ruvv_cxo_get_class_name(cxo, name, sizeof name) && std::strcmp(name, kNavClass) == 0;
}

RUV_CXO *ruvv_nav_create(RUV_WIN win, SLIST *list)
{
    if (!valid(win)) {
        RUV_ERR(win, RUV_SEV_ERROR, ERR_NOT_CREATED);
        return nullptr;
    }
    if (ruvv_win_get_nav(win)) {
        RUV_ERR(win, RUV_SEV_ERROR, ERR_WRONG_STATE);
        return nullptr;
    }
    const int32_t t = type_of(win);
    if ((t == 2 || t == 7) && valid(win->parent) && ruvv_win_get_nav(win->parent))
        if (RUV_CXO *c = ruvv_win_get_cxo(win, kChildClass, nullptr))
            ruvv_cxo_destroy(c);
    RUV_CXO *nav = ruvv_cxo_create(win, list, RUV_CXO_FRONT, nav_callback, RUV_EVENT_BIT(E_CHAR), kNavClass, nullptr);
    if (!nav) {
        RUV_ERR(win, RUV_SEV_ERROR, ERR_NOT_CREATED);
        return nullptr;
    }
    ruvk_vobj_set_attr(win, RUV_ATTR_NAVIGATION, 1);
    return nav;
}

void ruvv_nav_destroy(RUV_CXO *nav)
{
    if (!state_of(nav))
        return;
    RUV_WIN win = nav->owner;
    if (valid(win))
        ruvk_vobj_set_attr(win, RUV_ATTR_NAVIGATION, 0);
    ruvv_cxo_destroy(nav);
    if (valid(win) && valid(win->parent)) {
        RUV_CXO *parent_nav = ruvv_win_get_nav(win->parent);
        if (NavState *ps = state_of(parent_nav))
            if (RUV_DLIST_NODE *n = node_of(ps, win))
                if (entry_of(n)->flags & F_FOCUSABLE)
                    attach_child(ps, win);
    }
}

RUV_BOOL ruvv_nav_add_win(RUV_CXO *nav, RUV_WIN win, RUV_WIN ref, int32_t where)
{
    RUV_NAV_ADD_DATA d = { ref, win, where };
    return state_of(nav) && ruvv_cxo_dispatch_msg(nav, RUV_NAV_MSG_ADD, &d) == 1 ? TRUE : FALSE;
}

RUV_BOOL ruvv_nav_rem_win(RUV_CXO *nav, RUV_WIN win)
{
    return state_of(nav) && ruvv_cxo_dispatch_msg(nav, RUV_NAV_MSG_REMOVE, win) == 1 ? TRUE : FALSE;
}

SLIST *ruvv_nav_list_wins(RUV_CXO *nav)
{
    NavState *s = state_of(nav);
    if (!s || ruvv_dlist_count(s->entries) == 0)
        return nullptr;
    SLIST *list = ruvv_slist_create();
    if (!list)
        return nullptr;
    for (RUV_DLIST_NODE *n = ruvv_dlist_first(s->entries); n; n = ruvv_dlist_next(n)) {
        if (!ruvv_slist_add_at_pos(list, 0, "", reinterpret_cast<intptr_t>(entry_of(n)->obj))) {
            ruvv_slist_destroy(list);
            return nullptr;
        }
    }
    return list;
}

} // extern "C"
