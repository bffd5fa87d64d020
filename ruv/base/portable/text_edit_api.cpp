/* The exported text-edit operations: each locks the record behind a text
   edit around one operation of the engine. */
#include <algorithm>
#include <cstring>

#include "ruvk.h"
#include "ruvv_color.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "ruvv_vobj.h"
#include "text_edit_private.h"

using namespace ruvtx;

extern "C" char *ruvtx_line_access(ruvtx::Record *r, int32_t par, int32_t mode, int32_t line, int32_t *length);
extern "C" RUV_BOOL ruvv_txc_process_event(RUV_WIN win, RUV_EVENT *ev);
#ifdef _WIN32
// Element rectangles in their unit (pixels, character cells, dialog units)
// become pixels through the kernel; without one they stand as given.
extern "C" void ruvk_rect_to_pixels(RUV_RECT *rect, int32_t unit);
#endif

namespace {

int32_t resolve(TXEDIT tx)
{
    if (handle_api_mode())
        return tx > 0 && tx < 0x7FFFFFFF ? (int32_t)tx : 0;
    txn_start();
    return window_to_handle && tx ? window_to_handle((RUV_WIN)tx) : 0;
}

// The record of a text edit for the scope of one operation.
class Locked {
public:
    explicit Locked(TXEDIT tx, bool quiet = false) : h_(resolve(tx))
    {
        if (quiet) {
            Slot *s = slot(h_);
            if (s && s->mem)
                r_ = lock_record(h_);
            return;
        }
        if (h_)
            r_ = lock_record(h_);
        if (!r_)
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, kErrInternal, __FILE__, __LINE__);
        else
            begin_draw(r_);
    }
    ~Locked()
    {
        if (r_ && !unlock_record(h_))
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, kErrInternal, __FILE__, __LINE__);
        end_draw();
    }
    Locked(const Locked &) = delete;
    Locked &operator=(const Locked &) = delete;
    Record *operator->() const { return r_; }
    Record *get() const { return r_; }
    explicit operator bool() const { return r_ != nullptr; }
    int32_t handle() const { return h_; }

private:
    int32_t h_;
    Record *r_ = nullptr;
};

void clamp_triple(Record *r, uint32_t &par, uint32_t &line, uint32_t &ch)
{
    if (par >= (uint32_t)r->npars) {
        par = (uint32_t)(r->npars - 1);
        line = 0xFFFF;
        ch = 0xFFFF;
    }
    int32_t lines = par_lines(r, par);
    if (line >= (uint32_t)lines) {
        line = (uint32_t)(lines - 1);
        ch = 0xFFFF;
    }
    ch = std::min<uint32_t>(ch, (uint32_t)line_chars(r, par, (int32_t)line));
}

// An operation that changes the text: the caret is hidden before it and
// placed (without scrolling) after.
template <typename F> RUV_BOOL changing(TXEDIT tx, F op)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    hide_caret(r.get());
    bool ok = op(r.get());
    place_caret(r.get(), false);
    return ok ? TRUE : FALSE;
}

} // namespace

extern "C" {

TXEDIT ruvv_tx_create(RUV_WIN win, const RUV_RECT *rect, uint16_t attrs, RUV_FONT *font, int32_t margin,
                      int32_t limit)
{
    if (!handle_api_mode())
        return (TXEDIT)(intptr_t)txn_create(win, rect, attrs, font, margin, limit, 0, nullptr);
    int32_t h = create_record(win, rect, attrs, font, margin, limit, 0, nullptr);
    end_draw();
    return h;
}

TXEDIT ruvv_tx_create_def(const RUV_WIN_DEF *def, RUV_WIN parent, void *app_data)
{
    if (!def)
        return 0;
    RUV_RECT rect = def->rect;
#ifdef _WIN32
    ruvk_rect_to_pixels(&rect, def->unit);
#endif
    uint16_t attrs = (uint16_t)def->u.tx.flags;
    int32_t margin = (int32_t)def->u.tx.margin, limit = (int32_t)def->u.tx.limit, cid = (int32_t)def->u.tx.ctl_id;
    TXEDIT tx;
    if (handle_api_mode()) {
        tx = create_record(parent, &rect, attrs, def->u.tx.font, margin, limit, cid, app_data);
        end_draw();
    } else {
        tx = (TXEDIT)(intptr_t)txn_create(parent, &rect, attrs, def->u.tx.font, margin, limit, cid, app_data);
    }
    if (tx && def->title && def->title[0])
        ruvv_tx_add_par(tx, 0, def->title);
    return tx;
}

RUV_BOOL ruvv_tx_destroy(TXEDIT tx)
{
    if (!handle_api_mode())
        return txn_destroy((RUV_WIN)tx) ? TRUE : FALSE;
    int32_t h = resolve(tx);
    if (Slot *s = slot(h))
        if (s->mem)
            static_cast<Record *>(s->mem)->scroll_cb = nullptr;
    return destroy_record(h, true) ? TRUE : FALSE;
}

RUV_BOOL ruvv_tx_add_par(TXEDIT tx, int32_t index, const char *text)
{
    return changing(tx, [&](Record *r) { return add_par(r, index, text); });
}

RUV_BOOL ruvv_tx_append(TXEDIT tx, int32_t index, const char *text)
{
    return changing(tx, [&](Record *r) { return append_text(r, index, text); });
}

RUV_BOOL ruvv_tx_set_par(TXEDIT tx, int32_t index, const char *text)
{
    return changing(tx, [&](Record *r) { return set_par(r, index, text); });
}

RUV_BOOL ruvv_tx_rem_par(TXEDIT tx, int32_t index)
{
    return changing(tx, [&](Record *r) { return rem_par(r, index); });
}

RUV_BOOL ruvv_tx_clear(TXEDIT tx)
{
    return changing(tx, [&](Record *r) {
        if (!same_place(r->anchor, r->caret))
            show_highlight(r, false);
        clear_text(r, true);
        return true;
    });
}

RUV_BOOL ruvv_tx_reset(TXEDIT tx)
{
    return changing(tx, [&](Record *r) {
        relayout(r);
        return true;
    });
}

int32_t ruvv_tx_get_num_pars(TXEDIT tx)
{
    Locked r(tx);
    return r ? r->npars : 0;
}

int32_t ruvv_tx_get_num_par_lines(TXEDIT tx, int32_t par)
{
    Locked r(tx);
    if (!r)
        return 0;
    if (par < 0 || par >= r->npars) {
        ruvv_errmsg_dispatch(r->win, RUV_SEV_ERROR, kErrTooBig, __FILE__, __LINE__);
        return 0;
    }
    return par_lines(r.get(), (uint32_t)par);
}

int32_t ruvv_tx_get_num_lines(TXEDIT tx)
{
    Locked r(tx);
    return r ? r->total_lines : 0;
}

int32_t ruvv_tx_get_num_chars(TXEDIT tx, int32_t par, int32_t line)
{
    Locked r(tx);
    if (!r || par < 0 || par >= r->npars)
        return 0;
    return line_chars(r.get(), (uint32_t)par, std::max(line, 0));
}

char *ruvv_tx_get_line(TXEDIT tx, int32_t par, int32_t mode, int32_t line, int32_t *length)
{
    Locked r(tx);
    return r ? ruvtx_line_access(r.get(), par, mode, line, length) : nullptr;
}

RUV_BOOL ruvv_tx_get_sel(TXEDIT tx, uint32_t *par1, uint32_t *line1, uint32_t *ch1, uint32_t *par2, uint32_t *line2,
                         uint32_t *ch2)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    Pos a = r->anchor, b = r->caret;
    if (compare(b, a) < 0)
        std::swap(a, b);
    if (par1) *par1 = a.par;
    if (line1) *line1 = a.line;
    if (ch1) *ch1 = a.ch;
    if (par2) *par2 = b.par;
    if (line2) *line2 = b.line;
    if (ch2) *ch2 = b.ch;
    return TRUE;
}

RUV_BOOL ruvv_tx_set_sel(TXEDIT tx, uint32_t par1, uint32_t line1, uint32_t ch1, uint32_t par2, uint32_t line2,
                         uint32_t ch2)
{
    Locked r(tx);
    if (!r || r->npars == 0)
        return FALSE;
    clamp_triple(r.get(), par1, line1, ch1);
    clamp_triple(r.get(), par2, line2, ch2);
    r->anchor = Pos{ par1, line1, ch1, 0 };
    r->anchor.x = x_of(r.get(), r->anchor);
    r->caret = Pos{ par2, line2, ch2, 0 };
    r->caret.x = x_of(r.get(), r->caret);
    hide_caret(r.get());
    show_highlight(r.get(), true);
    if (compare(r->caret, Pos{ r->org_par, r->org_line, 0, 0 }) < 0) {
        Pos before = r->caret;
        if (before.line > 0) {
            --before.line;
        } else if (before.par > 0) {
            --before.par;
            before.line = (uint32_t)(par_lines(r.get(), before.par) - 1);
        }
        before.ch = 0;
        before.x = 0;
        scroll_pos_into_view(r.get(), before);
    } else {
        int32_t last = first_visible_line(r.get()) + visible_lines(r.get()) - 1;
        if (line_distance(r.get(), 0, 0, r->anchor.par, r->anchor.line) > last)
            scroll_pos_into_view(r.get(), r->anchor);
    }
    place_caret(r.get(), true);
    return TRUE;
}

RUV_BOOL ruvv_tx_get_origin(TXEDIT tx, uint32_t *par, uint32_t *line, uint16_t *first_line, int32_t *h_origin)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    if (par) *par = r->org_par;
    if (line) *line = r->org_line;
    if (first_line) *first_line = (uint16_t)first_visible_line(r.get());
    if (h_origin) *h_origin = r->h_origin;
    return TRUE;
}

RUV_BOOL ruvv_tx_get_rect(TXEDIT tx, RUV_RECT *rect)
{
    if (!handle_api_mode())
        return txn_outer_rect((RUV_WIN)tx, rect) ? TRUE : FALSE;
    Locked r(tx);
    if (!r || !rect)
        return FALSE;
    *rect = r->outer;
    return TRUE;
}

RUV_BOOL ruvv_tx_get_view(TXEDIT tx, RUV_RECT *rect)
{
    Locked r(tx);
    if (!r || !rect)
        return FALSE;
    *rect = r->view;
    if (!handle_api_mode())
        return txn_view_in_parent((RUV_WIN)tx, rect) ? TRUE : FALSE;
    return TRUE;
}

RUV_BOOL ruvv_tx_move(TXEDIT tx, const RUV_RECT *rect)
{
    if (!handle_api_mode())
        return txn_move((RUV_WIN)tx, rect) ? TRUE : FALSE;
    Locked r(tx);
    if (!r)
        return FALSE;
    place_at(r.get(), rect);
    if (active_on(r->win) == r.handle())
        place_caret(r.get(), false);
    return TRUE;
}

uint16_t ruvv_tx_get_attr(TXEDIT tx)
{
    Locked r(tx);
    if (!r)
        return 0;
    return (uint16_t)(r->attrs | (handle_api_mode() ? 0 : txn_state_bits((RUV_WIN)tx)));
}

RUV_BOOL ruvv_tx_set_attr(TXEDIT tx, uint16_t attrs)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    if (!handle_api_mode()) {
        txn_apply_state_bits((RUV_WIN)tx, attrs);
        attrs &= 0x3FFF;
    }
    uint16_t changed = (uint16_t)(r->attrs ^ attrs);
    r->attrs = attrs;
    if (changed & TX_BORDER)
        place_at(r.get(), nullptr);
    if (changed & 0x0093)
        relayout(r.get());
    else if (changed & 0x1F00)
        update_edit_menu(r->win, r.get(), true);
    return TRUE;
}

int32_t ruvv_tx_get_cid(TXEDIT tx)
{
    Locked r(tx, true);
    return r ? r->cid : 0;
}

void *ruvv_tx_get_data(TXEDIT tx)
{
    if (!handle_api_mode())
        return txn_is_valid((RUV_WIN)tx) ? ((RUV_WIN)tx)->app_data : nullptr;
    Locked r(tx);
    return r ? r->app_data : nullptr;
}

RUV_BOOL ruvv_tx_set_data(TXEDIT tx, void *data)
{
    if (!handle_api_mode()) {
        if (!txn_is_valid((RUV_WIN)tx))
            return FALSE;
        ((RUV_WIN)tx)->app_data = data;
        return TRUE;
    }
    Locked r(tx);
    if (!r)
        return FALSE;
    r->app_data = data;
    return TRUE;
}

RUV_FONT *ruvv_tx_get_font(TXEDIT tx)
{
    if (!handle_api_mode()) {
        RUV_WIN win = (RUV_WIN)tx;
        if (!txn_is_valid(win) || !ruvv_font_is_valid(win->ctl_font))
            return nullptr;
        RUV_FONT *f = ruvv_font_create();
        if (f)
            ruvv_font_copy(f, win->ctl_font, 63);
        return f;
    }
    Locked r(tx);
    if (!r)
        return nullptr;
    RUV_FONT *f = ruvv_font_create();
    if (f)
        ruvv_font_copy(f, r->font, 63);
    return f;
}

RUV_BOOL ruvv_tx_set_font(TXEDIT tx, RUV_FONT *font)
{
    if (!handle_api_mode())
        return txn_set_font((RUV_WIN)tx, font);
    Locked r(tx);
    if (!r || !set_font_metrics(r.get(), font))
        return FALSE;
    place_at(r.get(), nullptr);
    relayout(r.get());
    return TRUE;
}

RUV_BOOL ruvv_tx_win_set_font(RUV_WIN win, RUV_FONT *font)
{
    if (handle_api_mode())
        return FALSE;
    txn_start();
    return txn_win_set_font(win, font);
}

int32_t ruvv_tx_get_limit(TXEDIT tx)
{
    Locked r(tx);
    return r ? r->limit : 0;
}

RUV_BOOL ruvv_tx_set_limit(TXEDIT tx, int32_t limit)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    r->limit = (int16_t)limit;
    return TRUE;
}

int32_t ruvv_tx_get_margin(TXEDIT tx)
{
    Locked r(tx);
    return r ? r->margin : 0;
}

RUV_BOOL ruvv_tx_set_margin(TXEDIT tx, int32_t margin)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    r->margin = margin < 0 ? 0 : (uint16_t)margin;
    relayout(r.get());
    return TRUE;
}

int32_t ruvv_tx_get_tabstop(TXEDIT tx)
{
    Locked r(tx);
    return r ? r->tabstop : 0;
}

RUV_BOOL ruvv_tx_set_tabstop(TXEDIT tx, int32_t chars)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    r->tabstop = chars;
    relayout(r.get());
    return TRUE;
}

RUV_BOOL ruvv_tx_set_scroll_callback(TXEDIT tx, RUV_TX_SCROLL_CALLBACK callback)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    r->scroll_cb = callback;
    return TRUE;
}

RUV_BOOL ruvv_tx_suspend(TXEDIT tx)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    suspend(r.get());
    return TRUE;
}

RUV_BOOL ruvv_tx_resume(TXEDIT tx)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    resume(r.get());
    return TRUE;
}

RUV_BOOL ruvv_tx_set_colors(TXEDIT tx, RUV_COLOR foreground, RUV_COLOR border, RUV_COLOR background)
{
    if (!handle_api_mode()) {
        const RUV_COLOR_COMPONENT list[4] = { { 2, foreground }, { 4, background }, { 32, border }, { 0, 0 } };
        return ruvv_tx_reset_colors((RUV_WIN)tx, list, TRUE);
    }
    Locked r(tx);
    if (!r)
        return FALSE;
    r->fg = foreground;
    r->border = border;
    r->bg = background;
    r->explicit_colors = 1;
    invalidate_outer(r.get());
    place_caret(r.get(), false);
    return TRUE;
}

RUV_BOOL ruvv_tx_reset_colors(RUV_WIN object, const RUV_COLOR_COMPONENT *list, RUV_BOOL)
{
    if (!object)
        return FALSE;
    if (!handle_api_mode()) {
        txn_start();
        RUV_BOOL ok = txn_reset_colors(object, list);
        end_draw();
        return ok;
    }
    recolor(object, false);
    return TRUE;
}

RUV_COLOR_COMPONENT *ruvv_tx_get_native_colors(void)
{
    static const RUV_COLOR_COMPONENT natives[4] = { { 2, 0x07000000 }, { 4, 0x0BFFFFFF }, { 32, 0x07000000 }, { 0, 0 } };
    auto *list = static_cast<RUV_COLOR_COMPONENT *>(ruvv_mem_alloc(sizeof natives));
    if (list)
        memcpy(list, natives, sizeof natives);
    return list;
}

TXEDIT ruvv_tx_get_active(void)
{
    if (!handle_api_mode())
        return (TXEDIT)(intptr_t)txn_active();
    RUV_WIN focus = ruvk_scr_get_focus_vobj();
    return focus ? active_on(focus) : 0;
}

RUV_BOOL ruvv_tx_set_active(TXEDIT tx)
{
    if (!handle_api_mode())
        return txn_set_active((RUV_WIN)tx);
    Locked r(tx);
    if (!r)
        return FALSE;
    RUV_WIN win = r->win;
    int32_t h = r.handle();
    if (int32_t old = active_on(win))
        if (Record *o = lock_record(old)) {
            hide_caret(o);
            unlock_record(old);
        }
    platform().set_focus(win);
    set_active(win, h, false);
    place_caret(r.get(), false);
    return TRUE;
}

TXEDIT ruvv_tx_get_tx(RUV_WIN win, int32_t cid)
{
    if (!handle_api_mode()) {
        txn_start();
        return (TXEDIT)(intptr_t)txn_find(win, cid);
    }
    if (!win) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, kErrInvalidWindow, __FILE__, __LINE__);
        return 0;
    }
    for (int32_t i = 1; i < slot_count(); ++i) {
        Slot *s = slot(i);
        if (s->win != win || !s->mem)
            continue;
        if (static_cast<Record *>(s->mem)->cid == cid)
            return i;
    }
    return 0;
}

RUV_WIN ruvv_tx_get_win(TXEDIT tx)
{
    if (!handle_api_mode())
        return txn_is_valid((RUV_WIN)tx) ? ((RUV_WIN)tx)->parent : nullptr;
    Locked r(tx);
    return r ? r->win : nullptr;
}

TXEDIT ruvv_tx_get_next_tx(TXEDIT tx, RUV_WIN win)
{
    if (!handle_api_mode()) {
        txn_start();
        return (TXEDIT)(intptr_t)txn_next((RUV_WIN)tx, win);
    }
    int32_t from = tx ? resolve(tx) : 0;
    for (int32_t i = std::max(from, 0) + 1; i < slot_count(); ++i) {
        Slot *s = slot(i);
        if (s->mem && (!win || s->win == win))
            return i;
    }
    return 0;
}

RUV_BOOL ruvv_tx_is_valid(TXEDIT tx)
{
    if (!tx)
        return FALSE;
    if (!handle_api_mode())
        return txn_is_valid((RUV_WIN)tx) ? TRUE : FALSE;
    Slot *s = slot(resolve(tx));
    return s && s->mem ? TRUE : FALSE;
}

RUV_BOOL ruvv_tx_is_scroll_update(void)
{
    return handle_api_mode() && scroll_update_flag() ? TRUE : FALSE;
}

RUV_BOOL ruvv_tx_scroll_hor(TXEDIT tx, int32_t dx)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    if (!(r->state & kSuspended))
        platform().update(r->win);
    int32_t applied = scroll_hor(r.get(), dx);
    scroll_pixels(r.get(), applied, 0);
    place_caret(r.get(), false);
    return TRUE;
}

RUV_BOOL ruvv_tx_scroll_vert(TXEDIT tx, int32_t lines)
{
    Locked r(tx);
    if (!r)
        return FALSE;
    if (!(r->state & kSuspended))
        platform().update(r->win);
    int32_t applied = scroll_vert(r.get(), lines);
    scroll_pixels(r.get(), 0, applied * (int32_t)r->line_height);
    place_caret(r.get(), false);
    return TRUE;
}

RUV_BOOL ruvvo_tx_process_event(RUV_WIN win, RUV_EVENT *event)
{
    RUV_BOOL consumed = ruvv_txc_process_event(win, event);
    end_draw();
    return consumed;
}

RUV_BOOL ruvv_tx_process_event(RUV_WIN win, RUV_EVENT *event)
{
    return handle_api_mode() ? ruvvo_tx_process_event(win, event) : FALSE;
}

} // extern "C"
