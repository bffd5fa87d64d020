/* Text-edit records and their handle table: locking by handle, creation
   and destruction, font metrics, colours, activation and focus, the Edit
   menu and the engine's event switch. */
#include <algorithm>
#include <cstring>

#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_color.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "text_edit_private.h"

#ifdef _WIN32
extern "C" {
RUV_BOOL ruvk_cb_open(int16_t for_writing);
RUV_BOOL ruvk_cb_close(void);
RUV_BOOL ruvk_cb_has_format(int32_t format, const char *name);
void *ruvk_cb_alloc_data(int32_t length);
RUV_BOOL ruvk_cb_free_data(void);
RUV_BOOL ruvk_cb_put_data(int32_t format, const char *name, int32_t length, void *picture);
void *ruvk_cb_get_data(int32_t format, const char *name, int32_t *length);
int32_t ruvk_menu_set_item_enabled(RUV_WIN win, int32_t tag, int16_t enabled);
void ruvk_dwin_draw_text(RUV_WIN win, int32_t x, int32_t y, const char *text, int32_t count);
void ruvk_dwin_invalidate_rect(RUV_WIN win, const RUV_RECT *rect);
void ruvk_dwin_update(RUV_WIN win);
void ruvk_dwin_scroll_rect(RUV_WIN win, const RUV_RECT *rect, int32_t dh, int32_t dv);
void ruvk_dwin_get_clip(RUV_WIN win, RUV_RECT *out);
void ruvk_dwin_set_clip(RUV_WIN win, const RUV_RECT *rect);
RUV_BOOL ruvk_dwin_is_update_needed(RUV_WIN win, const RUV_RECT *rect);
void ruvk_win_set_caret_pos(RUV_WIN win, const RUV_POINT *point);
void ruvk_win_set_caret_visible(RUV_WIN win, RUV_BOOL visible);
void ruvk_win_trap_pointer(RUV_WIN win);
void ruvk_win_release_pointer(void);
intptr_t ruvk_scr_set_focus_vobj(RUV_WIN win);
}
#endif

namespace ruvtx {

int32_t (*window_to_handle)(RUV_WIN win) = nullptr;
void (*notify_parent)(Record *r, int32_t value, int32_t flag) = nullptr;

namespace {

struct Module {
    int32_t tracking;
    Pos tracking_pos;
    void *slots_handle;
    Slot *slots;
    int32_t nslots;
    int16_t handle_api;
};

void module_init(void *p)
{
    static_cast<Module *>(p)->handle_api = ruvk_vobj_get_attr(nullptr, RUV_ATTR_TX_HANDLE_API) ? 1 : 0;
}

void module_term(void *p)
{
    Module *m = static_cast<Module *>(p);
    // Text edits still alive when the process ends go with it.
    for (int32_t i = 1; i < m->nslots; ++i) {
        Slot &s = m->slots[i];
        if (!s.mem)
            continue;
        Record *r = static_cast<Record *>(s.mem);
        r->pars = static_cast<ParEntry *>(r->pars_handle);
        for (int32_t k = 0; k < r->npars && r->pars; ++k)
            free_block(r->pars[k].block);
        if (r->pars_handle)
            ruvv_gmem_free(r->pars_handle);
        ruvv_font_destroy(r->font);
        ruvv_gmem_free(s.mem);
        s = Slot{};
    }
    if (m->slots_handle)
        ruvv_gmem_free(m->slots_handle);
    m->slots_handle = nullptr;
    m->slots = nullptr;
    m->nslots = 0;
    close_line_access();
}

RUV_STATIC_BLOCK(tx_desc, Module, module_init, module_term);

Module *mod()
{
    return static_cast<Module *>(ruvk_static_get_ptr(&tx_desc));
}

#ifdef _WIN32
RUV_BOOL kernel_has_text() { return ruvk_cb_has_format(0, nullptr); }
RUV_BOOL kernel_put_text(const char *text, int32_t length)
{
    char *block = static_cast<char *>(ruvk_cb_alloc_data(length));
    if (!block)
        return FALSE;
    memcpy(block, text, (size_t)length);
    RUV_BOOL ok = ruvk_cb_put_data(0, nullptr, length, nullptr);
    ruvk_cb_free_data();
    return ok;
}
const char *kernel_get_text(int32_t *length)
{
    return static_cast<const char *>(ruvk_cb_get_data(0, nullptr, length));
}
#else
RUV_BOOL no_open(int16_t) { return FALSE; }
RUV_BOOL no_close() { return TRUE; }
RUV_BOOL no_has_text() { return FALSE; }
RUV_BOOL no_put(const char *, int32_t) { return FALSE; }
const char *no_get(int32_t *length)
{
    if (length)
        *length = 0;
    return nullptr;
}
void no_menu(RUV_WIN, int32_t, RUV_BOOL) {}
void no_text(RUV_WIN, int32_t, int32_t, const char *, int32_t) {}
void no_rect(RUV_WIN, const RUV_RECT *) {}
void no_win(RUV_WIN) {}
RUV_BOOL all_needed(RUV_WIN, const RUV_RECT *) { return TRUE; }
void no_scroll(RUV_WIN, const RUV_RECT *, int32_t, int32_t) {}
void no_clip(RUV_WIN, RUV_RECT *rect)
{
    if (rect)
        *rect = RUV_RECT{ -32768, -32768, 32767, 32767 };
}
void no_caret_pos(RUV_WIN, const RUV_POINT *) {}
void no_caret_visible(RUV_WIN, RUV_BOOL) {}
void no_release() {}
#endif

Platform default_platform()
{
#ifdef _WIN32
    return Platform{ ruvk_cb_open,
                     ruvk_cb_close,
                     kernel_has_text,
                     kernel_put_text,
                     kernel_get_text,
                     [](RUV_WIN menu, int32_t tag, RUV_BOOL on) {
                         if (menu)
                             ruvk_menu_set_item_enabled(menu, tag, on ? 1 : 0);
                     },
                     ruvk_dwin_draw_text,
                     ruvk_dwin_invalidate_rect,
                     ruvk_dwin_update,
                     ruvk_dwin_is_update_needed,
                     ruvk_dwin_scroll_rect,
                     ruvk_dwin_get_clip,
                     ruvk_dwin_set_clip,
                     ruvk_win_set_caret_pos,
                     ruvk_win_set_caret_visible,
                     ruvk_win_trap_pointer,
                     ruvk_win_release_pointer,
                     [](RUV_WIN win) { ruvk_scr_set_focus_vobj(win); } };
#else
    return Platform{ no_open, no_close,    no_has_text,  no_put,         no_get,           no_menu,
                     no_text, no_rect,     no_win,       all_needed,     no_scroll,        no_clip,
                     no_rect, no_caret_pos, no_caret_visible, no_win,    no_release,       no_win };
#endif
}

Platform &current_platform()
{
    static Platform p = default_platform();
    return p;
}

RUV_WIN parent_of(RUV_WIN win)
{
    return win ? win->parent : nullptr;
}

void internal_error(int line)
{
    ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, kErrInternal, __FILE__, line);
}

bool contains(const RUV_RECT &r, int16_t v, int16_t h)
{
    return v >= r.top && v < r.bottom && h >= r.left && h < r.right;
}

int32_t take_slot(Module *m, RUV_WIN win, void *mem, const RUV_RECT &rect)
{
    for (int32_t i = 1; i < m->nslots; ++i)
        if (m->slots[i].locks > 0) {
            internal_error(__LINE__);
            return 0;
        }
    int32_t h = 0;
    for (int32_t i = 1; i < m->nslots; ++i)
        if (!m->slots[i].win) {
            h = i;
            break;
        }
    if (!h) {
        int32_t n = m->nslots ? m->nslots + 1 : 2;
        void *grown = m->slots_handle ? ruvv_gmem_realloc(m->slots_handle, (int32_t)(n * sizeof(Slot)))
                                      : ruvv_gmem_alloc((int32_t)(n * sizeof(Slot)));
        if (!grown) {
            ruvv_errmsg_dispatch(win, RUV_SEV_ERROR, kErrGlobalMemory, __FILE__, __LINE__);
            return 0;
        }
        m->slots_handle = grown;
        m->slots = static_cast<Slot *>(grown);
        for (int32_t i = m->nslots; i < n; ++i)
            m->slots[i] = Slot{};
        h = m->nslots ? m->nslots : 1;
        m->nslots = n;
    }
    m->slots[h] = Slot{ win, rect, mem, nullptr, 0, 0 };
    return h;
}

// A control-colour list ({kind, colour} entries ended by kind 0), the
// kinds it holds as a mask, and the last colour of a kind.
const RUV_COLOR_COMPONENT *list_of(RUV_WIN win)
{
    return win ? static_cast<const RUV_COLOR_COMPONENT *>(win->ctl_colors.items) : nullptr;
}

uint32_t kinds_in(const RUV_COLOR_COMPONENT *list)
{
    uint32_t mask = 0;
    for (; list && list->type; ++list)
        mask |= (uint32_t)list->type;
    return mask;
}

RUV_COLOR last_of(const RUV_COLOR_COMPONENT *list, int32_t kind, RUV_COLOR fallback)
{
    for (; list && list->type; ++list)
        if (list->type == kind)
            fallback = list->color;
    return fallback;
}

} // namespace

bool recompute_colors(Record *r)
{
    if (r->explicit_colors)
        return false;
    const RUV_COLOR_COMPONENT *own = list_of(r->win);
    const RUV_COLOR_COMPONENT *owner = list_of(r->owner);
    const RUV_COLOR_COMPONENT *deflt = reinterpret_cast<const RUV_COLOR_COMPONENT *>(
        ruvk_vobj_get_attr(nullptr, RUV_ATTR_CTL_COLORS));
    struct {
        int32_t kind;
        RUV_COLOR *field;
        RUV_COLOR fallback;
    } kinds[] = { { 2, &r->fg, 0x07000000 }, { 4, &r->bg, 0x0BFFFFFF }, { 32, &r->border, 0x07000000 } };
    for (auto &k : kinds) {
        const RUV_COLOR_COMPONENT *list = (kinds_in(own) & (uint32_t)k.kind)     ? own
                                          : (kinds_in(owner) & (uint32_t)k.kind) ? owner
                                                                                 : deflt;
        *k.field = last_of(list, k.kind, k.fallback);
    }
    return true;
}

void recolor(RUV_WIN object, bool drawn_on)
{
    Module *m = mod();
    for (int32_t i = 1; m && i < m->nslots; ++i) {
        Record *rec = static_cast<Record *>(m->slots[i].mem);
        if (!rec || (drawn_on ? rec->win : rec->owner) != object)
            continue;
        if (Record *r = lock_record(i)) {
            if (recompute_colors(r))
                invalidate_outer(r);
            unlock_record(i);
        }
    }
}

int compare(const Pos &a, const Pos &b)
{
    if (a.par != b.par)
        return a.par < b.par ? -1 : 1;
    if (a.line != b.line)
        return a.line < b.line ? -1 : 1;
    if (a.ch != b.ch)
        return a.ch < b.ch ? -1 : 1;
    return 0;
}

void set_platform(const Platform *p)
{
    Platform d = default_platform();
    Platform n = p ? *p : d;
    // Members a caller leaves NULL keep their defaults.
    constexpr size_t count = sizeof(Platform) / sizeof(void (*)());
    static_assert(sizeof(Platform) == count * sizeof(void (*)()), "the seam holds function pointers only");
    void (**np)() = reinterpret_cast<void (**)()>(&n);
    void (**dp)() = reinterpret_cast<void (**)()>(&d);
    for (size_t i = 0; i < count; ++i)
        if (!np[i])
            np[i] = dp[i];
    current_platform() = n;
}

const Platform &platform() { return current_platform(); }

bool handle_api_mode()
{
    Module *m = mod();
    return m && m->handle_api;
}

int32_t slot_count()
{
    Module *m = mod();
    return m ? m->nslots : 0;
}

Slot *slot(int32_t handle)
{
    Module *m = mod();
    if (!m || handle <= 0 || handle >= m->nslots)
        return nullptr;
    return &m->slots[handle];
}

Record *lock_record(int32_t handle)
{
    Module *m = mod();
    // A handle equal to the count is one past the table: refused like any other.
    if (!m || handle <= 0 || handle >= m->nslots) {
        internal_error(__LINE__);
        return nullptr;
    }
    Slot &s = m->slots[handle];
    if (s.rec) {
        ++s.locks;
        if (s.rec->magic != kMagic)
            internal_error(__LINE__);
        return s.rec;
    }
    if (!s.mem)
        return nullptr;
    Record *r = static_cast<Record *>(s.mem);
    if (r->magic != kMagic)
        internal_error(__LINE__);
    s.rec = r;
    s.locks = 1;
    r->pars = static_cast<ParEntry *>(r->pars_handle);
    return r;
}

bool unlock_record(int32_t handle)
{
    Slot *s = slot(handle);
    if (!s || !s->rec)
        return true;
    if (s->rec->magic != kMagic)
        internal_error(__LINE__);
    if (s->locks <= 0) {
        internal_error(__LINE__);
        return false;
    }
    if (--s->locks == 0) {
        bool ok = !s->rec->pars_handle || ruvv_gmem_unlock(s->rec->pars_handle);
        s->rec->pars = nullptr;
        s->rec = nullptr;
        return ok;
    }
    return true;
}

void notify_scroll(Record *r, int32_t first, int32_t total, int32_t h_origin)
{
    if (!r->scroll_cb || (r->state & kSuspended))
        return;
    TXEDIT tx = handle_api_mode() ? (TXEDIT)r->handle : (TXEDIT)(intptr_t)r->win;
    end_draw();
    ruv::ErrFrame frame(r->owner);
    r->scroll_cb(tx, first, total, h_origin);
}

int32_t first_visible_line(const Record *r)
{
    return line_distance(r, 0, 0, r->org_par, r->org_line);
}

int32_t visible_lines(const Record *r)
{
    int32_t lh = r->line_height ? r->line_height : 1;
    int32_t n = (r->view.bottom - r->view.top + lh - r->ascent - r->descent) / lh;
    return std::max(n, 1);
}

void place_at(Record *r, const RUV_RECT *outer)
{
    if (outer)
        r->outer = *outer;
    r->view = r->outer;
    if (r->attrs & TX_BORDER) {
        r->view.top += 4;
        r->view.left += 4;
        r->view.bottom -= 4;
        r->view.right -= 4;
    }
    if (Slot *s = slot(r->handle))
        s->rect = r->outer;
}

bool set_font_metrics(Record *r, RUV_FONT *font)
{
    if (!font)
        font = ruvk_dwin_get_font(r->win, FALSE);
    if (!ruvv_font_is_valid(font)) {
        internal_error(__LINE__);
        return false;
    }
    if (font != r->font)
        ruvv_font_copy(r->font, font, 63);
    r->font->win = r->win;
    ruvk_dwin_set_font(r->win, r->font);
    int32_t leading = 0, ascent = 0, descent = 0;
    ruvk_font_get_metrics(r->font, &leading, &ascent, &descent, r->win, 0);
    int32_t w = ruvk_dwin_get_text_width(r->win, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52);
    r->avg_width = std::max<int32_t>((w + 25) / 52, 1);
    r->ascent = (int16_t)ascent;
    r->descent = (int16_t)descent;
    r->line_height = (uint16_t)(ascent + leading + descent);
    return true;
}

int32_t create_record(RUV_WIN win, const RUV_RECT *rect, uint16_t attrs, RUV_FONT *font, int32_t margin,
                      int32_t limit, int32_t cid, void *app_data)
{
    Module *m = mod();
    if (!win || !rect || !m) {
        internal_error(__LINE__);
        return 0;
    }
    void *mem = ruvv_gmem_alloc((int32_t)sizeof(Record));
    if (!mem) {
        ruvv_errmsg_dispatch(win, RUV_SEV_ERROR, kErrGlobalMemory, __FILE__, __LINE__);
        return 0;
    }
    Record *r = static_cast<Record *>(mem);
    memset(r, 0, sizeof *r);
    r->magic = kMagic;
    r->win = win;
    r->owner = m->handle_api ? win : parent_of(win);
    r->attrs = attrs;
    r->limit = limit;
    r->cid = cid;
    r->app_data = app_data;
    r->tabstop = 8;
    recompute_colors(r);
    r->font = ruvv_font_create();
    if (!r->font || !set_font_metrics(r, font)) {
        ruvv_font_destroy(r->font);
        ruvv_gmem_free(mem);
        return 0;
    }
    int32_t h = take_slot(m, win, mem, *rect);
    if (!h) {
        ruvv_font_destroy(r->font);
        ruvv_gmem_free(mem);
        return 0;
    }
    r->handle = h;
    if (!lock_record(h))
        return 0;
    place_at(r, rect);
    r->margin = std::max(0, margin);
    invalidate_outer(r);
    unlock_record(h);
    set_active(win, h, false);
    if (Record *again = lock_record(h)) {
        place_caret(again, false);
        update_edit_menu(win, again, true);
        unlock_record(h);
    }
    return h;
}

bool destroy_record(int32_t handle, bool api_form)
{
    Module *m = mod();
    if (!m || handle <= 0 || handle >= m->nslots || !m->slots[handle].mem) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, kErrDestroyInvalid, __FILE__, __LINE__);
        return false;
    }
    Record *r = lock_record(handle);
    if (!r) {
        internal_error(__LINE__);
        return false;
    }
    if (m->tracking == handle)
        m->tracking = 0;
    clear_text(r, api_form);
    if (api_form) {
        hide_caret(r);
        RUV_RECT g = m->slots[handle].rect;
        g = RUV_RECT{ (int16_t)(g.top - 1), (int16_t)(g.left - 1), (int16_t)(g.bottom + 1), (int16_t)(g.right + 1) };
        platform().invalidate(r->win, &g);
        r->attrs |= TX_NOPASTE;
        update_edit_menu(r->win, r, true);
    }
    end_draw();
    ruvv_font_destroy(r->font);
    r->font = nullptr;
    r->magic = 0;
    Slot &s = m->slots[handle];
    s.rec = nullptr;
    s.locks = 0;
    if (!ruvv_gmem_free(s.mem)) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, kErrFreeing, __FILE__, __LINE__);
        return false;
    }
    s = Slot{};
    return true;
}

void destroy_all_on(RUV_WIN win)
{
    Module *m = mod();
    if (!win) {
        internal_error(__LINE__);
        return;
    }
    for (int32_t i = 1; m && i < m->nslots; ++i)
        if (m->slots[i].win == win)
            destroy_record(i, false);
}

int32_t active_on(RUV_WIN win)
{
    Module *m = mod();
    for (int32_t i = 1; m && i < m->nslots; ++i)
        if (m->slots[i].win == win && (m->slots[i].flags & 1))
            return i;
    return 0;
}

void set_active(RUV_WIN win, int32_t handle, bool defer)
{
    Module *m = mod();
    if (!m)
        return;
    if (active_on(win) != handle) {
        for (int32_t i = 1; i < m->nslots; ++i) {
            Slot &s = m->slots[i];
            if (s.win != win || ((s.flags & 1) != 0) == (i == handle))
                continue;
            Record *r = lock_record(i);
            if (!r)
                continue;
            if (i == handle && defer)
                r->state |= kInactive;
            else if (r->state & kInactive)
                r->state &= (uint16_t)~kInactive;
            else
                show_highlight(r, i == handle);
            unlock_record(i);
        }
        for (int32_t i = 1; i < m->nslots; ++i)
            if (m->slots[i].win == win)
                m->slots[i].flags = (uint16_t)((m->slots[i].flags & ~1u) | (i == handle ? 1u : 0u));
    }
    int32_t act = active_on(win);
    if (act) {
        if (Record *r = lock_record(act)) {
            update_edit_menu(win, r, true);
            unlock_record(act);
        }
    }
}

void focus_change(Record *r, bool gained)
{
    if (gained && (r->state & kInactive)) {
        r->state &= (uint16_t)~kInactive;
        show_highlight(r, true);
        place_caret(r, false);
    } else if (gained) {
        place_caret(r, false);
    } else if (active_on(r->win) == r->handle) {
        hide_caret(r);
        show_highlight(r, false);
        r->state |= kInactive;
    }
}

void update_edit_menu(RUV_WIN win, Record *r, bool with_paste)
{
    int32_t h = 0;
    if (!r) {
        h = active_on(win);
        if (!h || !(r = lock_record(h)))
            return;
    }
    if (!(r->attrs & TX_NOMENUS)) {
        RUV_WIN task = (RUV_WIN)ruvk_vobj_get_attr(nullptr, 301);
        RUV_WIN screen = (RUV_WIN)ruvk_vobj_get_attr(nullptr, 300);
        RUV_WIN menu = r->owner;
        for (RUV_WIN p = menu ? parent_of(menu) : nullptr; p && p != task && p != screen;
             p = parent_of(p))
            menu = p;
        bool sel = !same_place(r->anchor, r->caret);
        bool ro = (r->attrs & TX_READONLY) != 0;
        const Platform &pf = platform();
        if (with_paste)
            pf.menu_enable(menu, TX_CMD_PASTE, !ro && !(r->attrs & TX_NOPASTE) && pf.cb_has_text());
        pf.menu_enable(menu, TX_CMD_COPY, sel && !(r->attrs & TX_NOCOPY));
        pf.menu_enable(menu, TX_CMD_CUT, !ro && sel && !(r->attrs & TX_NOCUT));
        pf.menu_enable(menu, TX_CMD_CLEAR, !ro && (sel || (r->attrs & TX_ENABLECLEAR)));
    }
    if (h)
        unlock_record(h);
}

} // namespace ruvtx

using namespace ruvtx;

namespace {

// The text edit that takes an Edit-menu command sent to win: the active one
// of the focused object (a focused native control stands for the window it
// lies on); none while nothing has the focus.
int32_t focused_for_command(RUV_WIN win)
{
    RUV_WIN focus = ruvk_scr_get_focus_vobj();
    if (!focus)
        return 0;
    if (!(focus->kind & RUV_KIND_TEXT_EDIT) && ((focus->type >= 12 && focus->type <= 22) || focus->type == 24))
        focus = focus->parent;
    for (int32_t i = 1; focus && i < slot_count(); ++i) {
        Slot *s = slot(i);
        if (!s->win || !(s->flags & 1) || s->win != focus)
            continue;
        bool below = false;
        for (RUV_WIN p = s->win; p; p = parent_of(p))
            if (p == win) {
                below = true;
                break;
            }
        if (!below)
            continue;
        Record *r = lock_record(i);
        bool ok = r && !(r->state & kInactive);
        unlock_record(i);
        if (ok)
            return i;
    }
    return 0;
}

int32_t hit_test(RUV_WIN win, int16_t v, int16_t h)
{
    for (int32_t i = 1; i < slot_count(); ++i) {
        Slot *s = slot(i);
        if (s->win == win && contains(s->rect, v, h))
            return i;
    }
    return 0;
}


// Locks a handle for one step of the event switch; a failed unlock is an
// internal error.
class Held {
public:
    explicit Held(int32_t h) : h_(h), r_(lock_record(h))
    {
        if (r_)
            begin_draw(r_);
    }
    ~Held()
    {
        if (r_ && !unlock_record(h_))
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, kErrInternal, __FILE__, __LINE__);
    }
    Held(const Held &) = delete;
    Held &operator=(const Held &) = delete;
    Record *operator->() const { return r_; }
    Record *get() const { return r_; }
    explicit operator bool() const { return r_ != nullptr; }

private:
    int32_t h_;
    Record *r_;
};

RUV_BOOL process(RUV_WIN win, RUV_EVENT *ev)
{
    Module *m = mod();
    const Platform &pf = platform();
    switch (ev->type) {
    case E_DESTROY:
        destroy_all_on(win);
        return FALSE;
    case E_FOCUS: {
        int32_t h = active_on(win);
        if (!h)
            return FALSE;
        if (Held r{ h }) {
            focus_change(r.get(), ev->v.focus.active != 0);
            if (ev->v.focus.active)
                update_edit_menu(win, r.get(), true);
        }
        return FALSE;
    }
    case E_UPDATE:
        for (int32_t i = 1; i < m->nslots; ++i) {
            Slot &s = m->slots[i];
            if (s.win != win || !s.mem)
                continue;
            RUV_RECT g{ (int16_t)(s.rect.top - 1), (int16_t)(s.rect.left - 1), (int16_t)(s.rect.bottom + 1),
                        (int16_t)(s.rect.right + 1) };
            if (!pf.is_update_needed(win, &g))
                continue;
            if (Held r{ i })
                draw_all(r.get(), true);
        }
        return FALSE;
    case E_MOUSE_DOWN:
    case E_MOUSE_DOUBLE: {
        int32_t h = hit_test(win, ev->v.mouse.v, ev->v.mouse.h);
        if (!h) {
            m->tracking = 0;
            return FALSE;
        }
        set_active(win, h, true);
        Held r{ h };
        if (!r)
            return TRUE;
        bool dbl = ev->type == E_MOUSE_DOUBLE;
        // The press makes this the focused text edit whichever way it goes:
        // it leaves the inactive state on every path.
        r->state &= (uint16_t)~kInactive;
        if (!((r->attrs & TX_READONLY) && (r->attrs & TX_NOCOPY))) {
            m->tracking = h;
            m->tracking_pos = point_to_pos(r.get(), ev->v.mouse.v, ev->v.mouse.h);
            if (dbl)
                r->state |= kByWords;
            select_at(r.get(), m->tracking_pos, ev->v.mouse.shift != 0, dbl, false);
            pf.trap_pointer(win);
        } else {
            show_highlight(r.get(), true);
        }
        hide_caret(r.get());
        if (!m->tracking)
            place_caret(r.get(), false);
        return TRUE;
    }
    case E_MOUSE_MOVE: {
        if (!m->tracking)
            return FALSE;
        if (Held r{ m->tracking }) {
            int32_t v = ev->v.mouse.v, x = ev->v.mouse.h;
            if (v < r->view.top || v >= r->view.bottom || x < r->view.left || x > r->view.right)
                scroll_box_into_view(r.get(), x, v, 1, 1);
            v = std::min<int32_t>(std::max<int32_t>(v, r->view.top), r->view.bottom - 1);
            x = std::min<int32_t>(std::max<int32_t>(x, r->view.left), r->view.right);
            select_at(r.get(), point_to_pos(r.get(), (int16_t)v, (int16_t)x), true, (r->state & kByWords) != 0,
                      true);
        }
        return TRUE;
    }
    case E_MOUSE_UP: {
        if (!m->tracking)
            return FALSE;
        int32_t h = m->tracking;
        m->tracking = 0;
        if (Held r{ h }) {
            r->state &= (uint16_t)~kByWords;
            place_caret(r.get(), true);
        }
        pf.release_pointer();
        return TRUE;
    }
    case E_CHAR: {
        int32_t h = active_on(win);
        if (!h)
            return FALSE;
        if (Held r{ h }) {
            hide_caret(r.get());
            handle_key(r.get(), ev->v.chr.key, ev->v.chr.shift != 0, ev->v.chr.virtual_key != 0);
            place_caret(r.get(), true);
        }
        return TRUE;
    }
    case E_COMMAND: {
        int32_t tag = ev->v.command.tag;
        if (tag < TX_CMD_CUT || tag > TX_CMD_CLEAR)
            return FALSE;
        int32_t h = focused_for_command(win);
        if (!h)
            return FALSE;
        if (Held r{ h }) {
            if (!(r->state & kSuspended))
                pf.update(r->win);
            hide_caret(r.get());
            if (tag == TX_CMD_CUT) {
                cut_sel(r.get());
            } else if (tag == TX_CMD_COPY) {
                copy_sel(r.get());
                place_caret(r.get(), false);
            } else if (tag == TX_CMD_PASTE) {
                paste(r.get());
            } else {
                handle_key(r.get(), K_DELETE, false, true);
                place_caret(r.get(), false);
            }
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

extern "C" RUV_BOOL ruvv_txc_process_event(RUV_WIN win, RUV_EVENT *ev)
{
    Module *m = mod();
    if (!m || !m->slots || !ev)
        return FALSE;
    return process(win, ev);
}

extern "C" ruvtx::Record *ruvv_txc_lock_record(int32_t handle)
{
    return lock_record(handle);
}

extern "C" RUV_BOOL ruvv_txc_unlock_record(int32_t handle)
{
    return unlock_record(handle) ? TRUE : FALSE;
}

extern "C" int32_t ruvv_txc_create_record(RUV_WIN win, const RUV_RECT *rect, uint16_t attrs, RUV_FONT *font,
                                          int32_t margin, int32_t limit, int32_t cid, void *app_data)
{
    int32_t h = create_record(win, rect, attrs, font, margin, limit, cid, app_data);
    end_draw();
    return h;
}

extern "C" RUV_BOOL ruvv_txc_destroy_record(int32_t handle)
{
    return destroy_record(handle, false) ? TRUE : FALSE;
}

extern "C" RUV_BOOL ruvv_txc_set_font_metrics(ruvtx::Record *r, RUV_FONT *font)
{
    return r && set_font_metrics(r, font) ? TRUE : FALSE;
}

extern "C" void ruvv_txc_update_edit_menu(RUV_WIN win, ruvtx::Record *r, RUV_BOOL with_paste)
{
    update_edit_menu(win, r, with_paste != 0);
}
