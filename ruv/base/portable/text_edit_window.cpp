/* Text edit as a child window (window mode): each text edit is a window of
   its own carrying one engine record, reached through its handler object.
   Handlers on the parent, the parent's top-level ancestor and the task
   window send Edit-menu commands to the focused text edit; the parent hears
   of every change through E_CONTROL events; fonts come from the window,
   its parent or the toolkit's control font. */
#include <algorithm>
#include <cstring>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_color.h"
#include "ruvv_cxo.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"
#include "text_edit_private.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
extern "C" {
RUV_WIN ruvk_win_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t menu_id, RUV_WIN parent,
                        uint32_t flags, uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data);
void ruvk_vobj_get_outer_rect(RUV_WIN win, RUV_RECT *rect);
int32_t ruvk_vobj_translate_points(RUV_WIN from, RUV_WIN to, RUV_POINT *points, int32_t count);
void ruvk_vobj_move(RUV_WIN win, const RUV_RECT *rect);
intptr_t ruvk_scr_set_focus_vobj(RUV_WIN win);
int32_t ruvk_win_dispatch_event(RUV_WIN win, RUV_EVENT *event);
void ruvk_vobj_set_visible(RUV_WIN win, RUV_BOOL visible);
void ruvk_vobj_set_enabled(RUV_WIN win, RUV_BOOL enabled);
void ruvk_win_set_ctl_colors(RUV_WIN win, const RUV_COLOR_COMPONENT *colors, int32_t count);
HWND ruvk_vobj_hwnd(RUV_WIN win);
}
#endif

namespace ruvtx {

namespace {

constexpr char kEditClass[] = "TXEditClassName";
[[maybe_unused]] constexpr char kParentClass[] = "TXParentClassCXO";
[[maybe_unused]] constexpr uint32_t kEditMask = 0x4BD6;
[[maybe_unused]] constexpr uint32_t kParentMask = 0x4000;
[[maybe_unused]] constexpr int32_t kTypeTextEdit = 23;

struct Link {
    int32_t handle;
    int32_t cid;
    RUV_WIN win;
    RUV_WIN parent;
    RUV_CXO *cxo;
};

struct Module {
    RUV_DLIST *links;
};

int32_t handle_of(RUV_WIN win);
void notify(Record *r, int32_t value, int32_t flag);

void module_init(void *p)
{
    static_cast<Module *>(p)->links = ruvv_dlist_create();
    window_to_handle = handle_of;
    notify_parent = notify;
}

void module_term(void *p)
{
    Module *m = static_cast<Module *>(p);
    if (m->links) {
        while (RUV_DLIST_NODE *n = ruvv_dlist_first(m->links))
            ruvv_mem_free(ruvv_dlist_delete(m->links, n));
        ruvv_dlist_destroy(m->links);
    }
    m->links = nullptr;
}

RUV_STATIC_BLOCK(txn_desc, Module, module_init, module_term);

Module *mod()
{
    return static_cast<Module *>(ruvk_static_get_ptr(&txn_desc));
}

[[maybe_unused]] bool is_tx_window(RUV_WIN win)
{
    return win && ruvv_vobj_is_valid(win) && (win->kind & RUV_KIND_TEXT_EDIT);
}

Link *link_of(RUV_WIN win)
{
    if (!win || !ruvv_vobj_is_valid(win))
        return nullptr;
    RUV_CXO *cxo = ruvv_win_get_cxo(win, kEditClass, nullptr);
    if (!cxo || !ruvv_cxo_is_valid(cxo))
        return nullptr;
    return static_cast<Link *>(cxo->user_data);
}

int32_t handle_of(RUV_WIN win)
{
    Link *l = link_of(win);
    return l ? l->handle : 0;
}

void notify(Record *r, int32_t value, int32_t flag)
{
#ifdef _WIN32
    if (handle_api_mode() || !is_tx_window(r->win) || !r->win->parent)
        return;
    RUV_EVENT ev{};
    ev.type = E_CONTROL;
    ev.v.control.id = (int16_t)r->cid;
    ev.v.control.type = kTypeTextEdit;
    ev.v.control.ctl = r->win;
    ev.v.control.data.edit.change = (int16_t)value;
    ev.v.control.data.edit.gained = (int16_t)flag;
    end_draw();
    ruvk_win_dispatch_event(r->win->parent, &ev);
#else
    (void)r;
    (void)value;
    (void)flag;
#endif
}

#ifdef _WIN32

int32_t quiet_handler(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

// The text-edit window's handler: the engine sees the window's events
// after the rest of its chain.
int32_t edit_handler(RUV_CXO *cxo, RUV_EVENT *ev)
{
    if (ev->type == E_CXO) {
        if (ev->v.cxo.message == E_CXO_DESTROYED) {
            Link *l = static_cast<Link *>(cxo->user_data);
            Module *m = mod();
            if (l && m && m->links)
                if (RUV_DLIST_NODE *n = ruvv_dlist_find_next(
                        m->links, l, nullptr, [](const void *k, const void *d) { return k == d ? 0 : 1; }))
                    ruvv_dlist_delete(m->links, n);
            ruvv_mem_free(l);
            cxo->user_data = nullptr;
        } else if (ev->v.cxo.message == E_CXO_CREATED) {
            cxo->user_data = ev->v.cxo.data;
        }
        return 1;
    }
    RUV_WIN win = cxo->owner && !cxo->screen_level ? cxo->owner : nullptr;
    Link *l = static_cast<Link *>(cxo->user_data);
    // A -1 from the rest of the chain stops the event before the engine;
    // only the window's destruction always reaches it, so that its record
    // goes with the window.
    int32_t result = ruvv_cxo_call_next(nullptr, cxo, ev);
    if ((result == -1 && ev->type != E_DESTROY) || !l || !ruvv_cxo_is_valid(cxo))
        return result;
    win = l->win;
    if (!ruvv_vobj_is_valid(win))
        return result;
    if (ev->type == E_FOCUS && l->handle) {
        if (Record *r = lock_record(l->handle)) {
            notify(r, 1, ev->v.focus.active ? 1 : 0);
            unlock_record(l->handle);
        }
    }
    return ruvvo_tx_process_event(win, ev) ? 1 : 0;
}

// On the parent, its top-level ancestor and the task window: an Edit-menu
// command goes to the focused text-edit window first.
int32_t parent_handler(RUV_CXO *cxo, RUV_EVENT *ev)
{
    if (ev->type == E_CXO)
        return 1;
    RUV_WIN focus = ruvk_scr_get_focus_vobj();
    if (is_tx_window(focus)) {
        int32_t r = ruvk_win_dispatch_event(focus, ev);
        if (r != 0 && r != -1)
            return r;
    }
    return ruvv_cxo_call_next(nullptr, cxo, ev);
}

bool ensure_parent_handler(RUV_WIN win)
{
    if (!win)
        return true;
    if (ruvv_win_get_cxo(win, kParentClass, nullptr))
        return true;
    return ruvv_cxo_create(win, nullptr, RUV_CXO_FRONT, parent_handler, kParentMask, kParentClass, nullptr) != nullptr;
}

RUV_WIN task_window()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(nullptr, 301));
}

RUV_WIN screen_window()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(nullptr, 300));
}

// The parent's ancestor directly below the task window or the screen.
RUV_WIN top_ancestor(RUV_WIN parent)
{
    RUV_WIN task = task_window(), screen = screen_window();
    RUV_WIN w = parent;
    while (w && w->parent && w->parent != task && w->parent != screen)
        w = w->parent;
    return w;
}

// The toolkit's control font (attribute 719), new: a font resource named by
// its id; a value beyond 16 bits that is a font stands for that font.
// Without one, a new default font.
RUV_FONT *toolkit_font()
{
    intptr_t v = ruvk_vobj_get_attr(nullptr, RUV_ATTR_CTL_FONT);
    RUV_FONT *font = nullptr;
    if (v > 0 && v <= 0x7FFF) {
        font = ruvv_res_get_font((int16_t)v);
    } else if (v && ruvv_font_is_valid(reinterpret_cast<RUV_FONT *>(v))) {
        if ((font = ruvv_font_create()) != nullptr)
            ruvv_font_copy(font, reinterpret_cast<RUV_FONT *>(v), -1);
    }
    return font ? font : ruvv_font_create();
}

// The font a text-edit window's record takes: its own control font, else
// its parent's, else the toolkit's control-font resource, else a default.
void apply_font(RUV_WIN win, RUV_FONT *font_given, bool use_given)
{
    int32_t h = handle_of(win);
    if (!h)
        return;
    RUV_FONT *made = nullptr;
    RUV_FONT *font = use_given ? font_given : nullptr;
    if (!use_given) {
        if (ruvv_font_is_valid(win->ctl_font))
            font = win->ctl_font;
        else if (win->parent && ruvv_font_is_valid(win->parent->ctl_font))
            font = win->parent->ctl_font;
    }
    if (!font)
        font = made = toolkit_font();
    if (Record *r = lock_record(h)) {
        begin_draw(r);
        if (set_font_metrics(r, font)) {
            place_at(r, nullptr);
            relayout(r);
        }
        unlock_record(h);
    }
    end_draw();
    if (made)
        ruvv_font_destroy(made);
}

#endif // _WIN32

} // namespace

#ifdef _WIN32

RUV_WIN txn_create(RUV_WIN parent, const RUV_RECT *rect, uint16_t attrs, RUV_FONT *font, int32_t margin,
                   int32_t limit, int32_t cid, void *app_data)
{
    Module *m = mod();
    if (!m || !m->links || !rect)
        return nullptr;
    RUV_WIN win = ruvk_win_create(7, rect, "", 0, parent, 0x800, 0xFFFFFFFFu, quiet_handler, app_data);
    if (!win)
        return nullptr;
    win->kind |= RUV_KIND_TEXT_EDIT;
    win->app_data = app_data;
    Link *l = static_cast<Link *>(ruvv_mem_alloc(sizeof(Link)));
    if (!l) {
        ruvk_vobj_destroy(win);
        return nullptr;
    }
    memset(l, 0, sizeof *l);
    l->cid = cid;
    l->win = win;
    l->parent = parent;
    RUV_RECT client;
    ruvk_vobj_get_client_rect(win, &client);
    l->handle = create_record(win, &client, (uint16_t)(attrs & 0x3FFF), nullptr, margin, limit, cid, nullptr);
    end_draw();
    RUV_CXO *cxo = nullptr;
    bool ok = l->handle != 0;
    if (ok)
        ok = (cxo = ruvv_cxo_create(win, l, RUV_CXO_FRONT, edit_handler, kEditMask, kEditClass, nullptr)) != nullptr;
    l->cxo = cxo;
    if (ok) {
        RUV_WIN task = task_window();
        ok = ensure_parent_handler(parent) && ensure_parent_handler(top_ancestor(parent)) &&
             (!task || ensure_parent_handler(task));
    }
    if (!ok) {
        if (cxo) {
            cxo->user_data = nullptr;   // the link is freed below
            ruvv_cxo_destroy(cxo);
        }
        if (l->handle)
            destroy_record(l->handle, false);
        ruvk_vobj_destroy(win);
        ruvv_mem_free(l);
        return nullptr;
    }
    ruvv_dlist_insert(m->links, l, nullptr, RUV_DLIST_END);
    txn_reset_colors(win, nullptr);
    if (font) {
        txn_set_font(win, font);
    } else {
        apply_font(win, nullptr, false);
    }
    if (attrs & 0x8000)
        ruvk_vobj_set_visible(win, FALSE);
    if (attrs & 0x4000)
        ruvk_vobj_set_enabled(win, FALSE);
    return win;
}

bool txn_destroy(RUV_WIN win)
{
    if (!is_tx_window(win))
        return false;
    ruvk_vobj_destroy(win);
    return true;
}

bool txn_outer_rect(RUV_WIN win, RUV_RECT *rect)
{
    if (!is_tx_window(win) || !rect)
        return false;
    ruvk_vobj_get_outer_rect(win, rect);
    return true;
}

bool txn_view_in_parent(RUV_WIN win, RUV_RECT *rect)
{
    if (!is_tx_window(win) || !rect)
        return false;
    RUV_POINT pts[2] = { { rect->top, rect->left }, { rect->bottom, rect->right } };
    ruvk_vobj_translate_points(win, win->parent, pts, 2);
    *rect = RUV_RECT{ pts[0].v, pts[0].h, pts[1].v, pts[1].h };
    return true;
}

bool txn_move(RUV_WIN win, const RUV_RECT *rect)
{
    int32_t h = handle_of(win);
    if (!h || !rect)
        return false;
    RUV_RECT before, after;
    ruvk_vobj_get_client_rect(win, &before);
    ruvk_vobj_move(win, rect);
    ruvk_vobj_get_client_rect(win, &after);
    Record *r = lock_record(h);
    if (!r)
        return false;
    const Platform &pf = platform();
    if (r->attrs & TX_BORDER) {
        // The bands where border and text change places.
        int32_t band = r->line_height + 4;
        RUV_RECT g;
        if (after.right > before.right) {
            g = RUV_RECT{ before.top, (int16_t)(before.right - 4), after.bottom, after.right };
            pf.invalidate(win, &g);
        } else if (after.right < before.right) {
            g = RUV_RECT{ after.top, (int16_t)(after.right - 4), after.bottom, after.right };
            pf.invalidate(win, &g);
        }
        if (after.bottom > before.bottom) {
            g = RUV_RECT{ (int16_t)(before.bottom - band), before.left, after.bottom, after.right };
            pf.invalidate(win, &g);
        } else if (after.bottom < before.bottom) {
            g = RUV_RECT{ (int16_t)(after.bottom - band), after.left, after.bottom, after.right };
            pf.invalidate(win, &g);
        }
    }
    begin_draw(r);
    place_at(r, &after);
    if (active_on(win) == h)
        place_caret(r, false);
    unlock_record(h);
    end_draw();
    return true;
}

uint16_t txn_state_bits(RUV_WIN win)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd)
        return 0;
    return (uint16_t)((IsWindowEnabled(hwnd) ? 0 : 0x4000) | (IsWindowVisible(hwnd) ? 0 : 0x8000));
}

void txn_apply_state_bits(RUV_WIN win, uint16_t attrs)
{
    ruvk_vobj_set_enabled(win, (attrs & 0x4000) ? FALSE : TRUE);
    ruvk_vobj_set_visible(win, (attrs & 0x8000) ? FALSE : TRUE);
}

RUV_BOOL txn_set_font(RUV_WIN win, RUV_FONT *font)
{
    if (!is_tx_window(win))
        return FALSE;
    if (font) {
        if (!win->ctl_font && !(win->ctl_font = ruvv_font_create()))
            return FALSE;
        ruvv_font_copy(win->ctl_font, font, -1);
        win->ctl_font->win = win;
    } else if (win->ctl_font) {
        ruvv_font_destroy(win->ctl_font);
        win->ctl_font = nullptr;
    }
    apply_font(win, nullptr, false);
    return TRUE;
}

RUV_BOOL txn_win_set_font(RUV_WIN parent, RUV_FONT *font)
{
    Module *m = mod();
    if (!m || !m->links)
        return FALSE;
    for (RUV_DLIST_NODE *n = ruvv_dlist_first(m->links); n; n = ruvv_dlist_next(n)) {
        Link *l = static_cast<Link *>(ruvv_dlist_get_data(n));
        if (l->parent != parent || !is_tx_window(l->win) || ruvv_font_is_valid(l->win->ctl_font))
            continue;
        RUV_FONT *made = font ? nullptr : toolkit_font();
        apply_font(l->win, font ? font : made, true);
        if (made)
            ruvv_font_destroy(made);
    }
    return TRUE;
}

// The colour list of a text-edit window with the given components changed
// or added.
void merge_colors(RUV_WIN win, const RUV_COLOR_COMPONENT *list)
{
    const RUV_COLOR_COMPONENT *old = static_cast<const RUV_COLOR_COMPONENT *>(win->ctl_colors.items);
    int32_t n_old = 0, n_new = 0;
    for (; old && old[n_old].type; ++n_old) {
    }
    for (; list[n_new].type; ++n_new) {
    }
    auto *merged = static_cast<RUV_COLOR_COMPONENT *>(
        ruvv_mem_alloc((size_t)(n_old + n_new + 1) * sizeof(RUV_COLOR_COMPONENT)));
    if (!merged)
        return;
    int32_t k = 0;
    for (int32_t i = 0; i < n_old; ++i)
        merged[k++] = old[i];
    for (int32_t j = 0; j < n_new; ++j) {
        int32_t i = 0;
        while (i < k && merged[i].type != list[j].type)
            ++i;
        merged[i] = list[j];
        if (i == k)
            ++k;
    }
    merged[k] = RUV_COLOR_COMPONENT{ 0, 0 };
    ruvk_win_set_ctl_colors(win, merged, k);
    ruvv_mem_free(merged);
}

RUV_BOOL txn_reset_colors(RUV_WIN object, const RUV_COLOR_COMPONENT *list)
{
    if (!object)
        return FALSE;
    bool own = is_tx_window(object) || object->type == kTypeTextEdit;
    if (own && list)
        merge_colors(object, list);
    recolor(object, own);
    return TRUE;
}

RUV_WIN txn_active()
{
    RUV_WIN focus = ruvk_scr_get_focus_vobj();
    return is_tx_window(focus) ? focus : nullptr;
}

RUV_BOOL txn_set_active(RUV_WIN win)
{
    if (!is_tx_window(win))
        return FALSE;
    ruvk_scr_set_focus_vobj(win);
    return TRUE;
}

RUV_WIN txn_find(RUV_WIN parent, int32_t cid)
{
    Module *m = mod();
    if (!m || !m->links)
        return nullptr;
    for (RUV_DLIST_NODE *n = ruvv_dlist_first(m->links); n; n = ruvv_dlist_next(n)) {
        Link *l = static_cast<Link *>(ruvv_dlist_get_data(n));
        if (l->parent == parent && l->cid == cid && is_tx_window(l->win))
            return l->win;
    }
    return nullptr;
}

RUV_WIN txn_next(RUV_WIN after, RUV_WIN parent)
{
    Module *m = mod();
    if (!m || !m->links)
        return nullptr;
    bool passed = after == nullptr;
    for (RUV_DLIST_NODE *n = ruvv_dlist_first(m->links); n; n = ruvv_dlist_next(n)) {
        Link *l = static_cast<Link *>(ruvv_dlist_get_data(n));
        if (!passed) {
            passed = l->win == after;
            continue;
        }
        if (is_tx_window(l->win) && (!parent || l->parent == parent))
            return l->win;
    }
    return nullptr;
}

bool txn_is_valid(RUV_WIN win)
{
    return is_tx_window(win);
}

#else

// Without a window system there are no text-edit windows.
RUV_WIN txn_create(RUV_WIN, const RUV_RECT *, uint16_t, RUV_FONT *, int32_t, int32_t, int32_t, void *)
{
    mod();
    return nullptr;
}
bool txn_destroy(RUV_WIN) { return false; }
bool txn_outer_rect(RUV_WIN, RUV_RECT *) { return false; }
bool txn_view_in_parent(RUV_WIN, RUV_RECT *) { return false; }
bool txn_move(RUV_WIN, const RUV_RECT *) { return false; }
uint16_t txn_state_bits(RUV_WIN) { return 0; }
void txn_apply_state_bits(RUV_WIN, uint16_t) {}
RUV_BOOL txn_set_font(RUV_WIN, RUV_FONT *) { return FALSE; }
RUV_BOOL txn_win_set_font(RUV_WIN, RUV_FONT *) { return FALSE; }
RUV_BOOL txn_reset_colors(RUV_WIN, const RUV_COLOR_COMPONENT *) { return FALSE; }
RUV_WIN txn_active() { return nullptr; }
RUV_BOOL txn_set_active(RUV_WIN) { return FALSE; }
RUV_WIN txn_find(RUV_WIN, int32_t) { return nullptr; }
RUV_WIN txn_next(RUV_WIN, RUV_WIN) { return nullptr; }
bool txn_is_valid(RUV_WIN) { return false; }

#endif // _WIN32

// Window mode needs the module (its resolver and parent notice) before
// the first text edit is looked up.
void txn_start()
{
    mod();
}

} // namespace ruvtx

extern "C" RUV_WIN ruvv_txn_create_window(RUV_WIN parent, const RUV_RECT *rect, uint16_t attrs, RUV_FONT *font,
                                          int32_t margin, int32_t limit, int32_t cid, void *app_data)
{
    return ruvtx::txn_create(parent, rect, attrs, font, margin, limit, cid, app_data);
}

extern "C" int32_t ruvv_txn_handler(RUV_CXO *cxo, RUV_EVENT *event)
{
#ifdef _WIN32
    return cxo && event ? ruvtx::edit_handler(cxo, event) : 0;
#else
    (void)cxo;
    (void)event;
    return 0;
#endif
}

extern "C" void ruvv_txn_notify_parent(RUV_WIN win, int32_t value, int32_t flag)
{
    int32_t h = ruvtx::window_to_handle ? ruvtx::window_to_handle(win) : 0;
    if (ruvtx::Record *r = h ? ruvtx::lock_record(h) : nullptr) {
        ruvtx::notify_parent(r, value, flag);
        ruvtx::unlock_record(h);
    }
}
