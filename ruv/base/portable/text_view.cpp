/* Text view of the text edit: the drawing context it sets up on its
   window and gives back, lines on screen with the inverse-video selection,
   the border, the caret, scrolling (with the scroll callback) and the
   redraw of what an edit changed.  Drawing reads the paragraph blocks
   itself: it never touches the paragraph the application holds open for
   line access. */
#include <algorithm>
#include <cstring>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_font.h"
#include "ruvv_static.h"
#include "text_edit_private.h"

namespace ruvtx {

namespace {

struct DrawState {
    RUV_WIN win;             // window being drawn (NULL: none)
    RUV_DRAW_CTOOLS saved;   // its tools, font and clip before
    RUV_FONT *saved_font;
    RUV_RECT saved_clip;
    int32_t handle;          // record whose colours, font and clip are set
    RUV_DRAW_CTOOLS tools;   // the tools set for it
    int16_t scrolling;       // TRUE while pixels of a window are scrolled
};

void term_state(void *p)
{
    DrawState *d = static_cast<DrawState *>(p);
    if (d->saved_font)
        ruvv_font_destroy(d->saved_font);
    d->saved_font = nullptr;
    d->win = nullptr;
}

RUV_STATIC_BLOCK(view_desc, DrawState, nullptr, term_state);

DrawState *dstate()
{
    return static_cast<DrawState *>(ruvk_static_get_ptr(&view_desc));
}

constexpr int32_t kCoordGuard = 16382;
constexpr int32_t kScrollClamp = 0x3FFF;

RUV_RECT grown(const RUV_RECT &r, int16_t by)
{
    return RUV_RECT{ (int16_t)(r.top - by), (int16_t)(r.left - by), (int16_t)(r.bottom + by),
                     (int16_t)(r.right + by) };
}

int16_t c16(int32_t v)
{
    return (int16_t)std::max<int32_t>(-32768, std::min<int32_t>(32767, v));
}

RUV_RECT rect_of(int32_t top, int32_t left, int32_t bottom, int32_t right)
{
    return RUV_RECT{ c16(top), c16(left), c16(bottom), c16(right) };
}

bool is_active(const Record *r)
{
    return active_on(r->win) == r->handle;
}

void set_tools(Record *r, RUV_COLOR fore, RUV_COLOR back)
{
    DrawState *d = dstate();
    begin_draw(r);
    if (d->tools.fore == fore && d->tools.back == back)
        return;
    d->tools.fore = fore;
    d->tools.back = back;
    ruvk_dwin_set_draw_ctools(r->win, &d->tools);
}

// A rectangle filled in one colour, without outline.
void fill(Record *r, const RUV_RECT &rect, RUV_COLOR color)
{
    if (rect.bottom <= rect.top || rect.right <= rect.left)
        return;
    DrawState *d = dstate();
    begin_draw(r);
    RUV_CPEN pen = d->tools.pen;
    RUV_CBRUSH brush = d->tools.brush;
    pen.pattern = 1;
    brush.pattern = 2;
    brush.color = color;
    if (pen.pattern != d->tools.pen.pattern || pen.color != d->tools.pen.color) {
        d->tools.pen = pen;
        ruvk_dwin_set_cpen(r->win, &pen);
    }
    if (brush.color != d->tools.brush.color || brush.pattern != d->tools.brush.pattern) {
        d->tools.brush = brush;
        ruvk_dwin_set_cbrush(r->win, &brush);
    }
    ruvk_dwin_draw_rect(r->win, &rect);
}

int32_t tab_px(const Record *r)
{
    return std::max<int32_t>(r->tabstop * r->avg_width, 1);
}

int32_t screen_x(const Record *r, const Pos &p)
{
    return p.x == 0x7FFFFFFF ? r->view.right : r->view.left - r->h_origin + p.x;
}

Pos absolute_to_pos(const Record *r, int32_t abs)
{
    uint32_t par = 0;
    while (par + 1 < (uint32_t)r->npars && abs >= par_lines(r, par)) {
        abs -= par_lines(r, par);
        ++par;
    }
    int32_t n = par_lines(r, par);
    return Pos{ par, (uint32_t)std::max(0, std::min(abs, n - 1)), 0, 0 };
}

// Lines (p1, l1) .. (p2, l2) with p1/l1 ordered before p2/l2.
void order(uint32_t &p1, int32_t &l1, uint32_t &p2, int32_t &l2)
{
    if (p2 < p1 || (p2 == p1 && l2 < l1)) {
        std::swap(p1, p2);
        std::swap(l1, l2);
    }
}

} // namespace

bool scroll_update_flag()
{
    DrawState *d = dstate();
    return d && d->scrolling;
}

void begin_draw(Record *r)
{
    DrawState *d = dstate();
    if (!d || !r->win)
        return;
    if (d->win && d->win != r->win)
        end_draw();
    const Platform &pf = platform();
    if (!d->win) {
        d->win = r->win;
        ruvk_dwin_get_draw_ctools(r->win, &d->saved);
        d->saved_font = ruvk_dwin_get_font(r->win, TRUE);
        pf.get_clip(r->win, &d->saved_clip);
        d->handle = 0;
    }
    if (d->handle != r->handle) {
        RUV_DRAW_CTOOLS t;
        ruvv_app_get_default_ctools(&t);
        t.pen.color = r->border;
        t.brush.color = r->bg;
        t.fore = r->fg;
        t.back = r->bg;
        t.opaque = 1;
        d->tools = t;
        ruvk_dwin_set_draw_ctools(r->win, &t);
        if (r->font)
            ruvk_dwin_set_font(r->win, r->font);
        pf.set_clip(r->win, &r->view);
        d->handle = r->handle;
    }
}

void end_draw()
{
    DrawState *d = dstate();
    if (!d || !d->win)
        return;
    RUV_WIN win = d->win;
    d->win = nullptr;
    d->handle = 0;
    if (ruvv_vobj_is_valid(win)) {
        ruvk_dwin_set_draw_ctools(win, &d->saved);
        if (d->saved_font)
            ruvk_dwin_set_font(win, d->saved_font);
        platform().set_clip(win, &d->saved_clip);
    }
    if (d->saved_font)
        ruvv_font_destroy(d->saved_font);
    d->saved_font = nullptr;
}

int32_t line_top(const Record *r, uint32_t par, int32_t line)
{
    int32_t d = line_distance(r, r->org_par, r->org_line, par, (uint32_t)line);
    return r->view.top + d * (int32_t)r->line_height;
}

void invalidate_outer(Record *r)
{
    RUV_RECT g = grown(r->outer, 1);
    platform().invalidate(r->win, &g);
}

void draw_all(Record *r, bool only_update)
{
    if (r->state & kSuspended)
        return;
    const Platform &pf = platform();
    begin_draw(r);
    bool border = (r->attrs & TX_BORDER) != 0;
    RUV_RECT clip = border ? grown(r->outer, 1) : r->outer;
    pf.set_clip(r->win, &clip);
    fill(r, r->outer, r->bg);
    if (border) {
        const RUV_RECT &o = r->outer;
        fill(r, rect_of(o.top, o.left, o.top + 1, o.right), r->border);
        fill(r, rect_of(o.bottom - 1, o.left, o.bottom, o.right), r->border);
        fill(r, rect_of(o.top, o.left, o.bottom, o.left + 1), r->border);
        fill(r, rect_of(o.top, o.right - 1, o.bottom, o.right), r->border);
    }
    pf.set_clip(r->win, &r->view);
    if (r->npars > 0)
        draw_lines(r, r->org_par, (int32_t)r->org_line, (uint32_t)(r->npars - 1),
                   par_lines(r, (uint32_t)(r->npars - 1)) - 1, only_update);
}

void draw_lines(Record *r, uint32_t p1, int32_t l1, uint32_t p2, int32_t l2, bool only_update)
{
    if ((r->state & kSuspended) || r->npars == 0 || !r->line_height)
        return;
    order(p1, l1, p2, l2);
    // Never before the first visible line.
    if (p1 < r->org_par || (p1 == r->org_par && l1 < (int32_t)r->org_line)) {
        p1 = r->org_par;
        l1 = (int32_t)r->org_line;
    }
    begin_draw(r);
    const Platform &pf = platform();
    pf.set_clip(r->win, &r->view);
    int32_t lh = r->line_height;
    int32_t x = r->view.left - r->h_origin;
    for (uint32_t p = p1; p <= p2 && p < (uint32_t)r->npars; ++p) {
        int32_t n = par_lines(r, p);
        int32_t first = p == p1 ? std::max(l1, 0) : 0;
        int32_t last = p == p2 ? std::min(l2, n - 1) : n - 1;
        int32_t base = line_top(r, p, first) + r->ascent;
        if (base < -kCoordGuard || base > kCoordGuard) {
            if (base > kCoordGuard)
                return;
            continue;
        }
        for (int32_t l = first; l <= last; ++l, base += lh) {
            if (base < r->view.top)
                continue;
            if (only_update) {
                RUV_RECT band = rect_of(r->view.top, r->view.left, base + r->descent, r->view.right);
                if (!pf.is_update_needed(r->win, &band))
                    continue;
            }
            draw_line(r, p, l, x, base);
            if (base > r->view.bottom)
                return;
        }
    }
}

void draw_line(Record *r, uint32_t par, int32_t line, int32_t x, int32_t baseline)
{
    // The paragraph's block is read directly: the application's open
    // paragraph (line access) stays as it is.
    ParBlock *b = par_block(r, par);
    if (!b)
        return;
    const Platform &pf = platform();
    int32_t s = std::min(std::max(line_start(r, par, line), 0), b->length);
    int32_t e = std::min(std::max(line_end(r, par, line), s), b->length);
    const char *t = b->text();
    int32_t top = baseline - r->ascent;
    int32_t lh = r->line_height;

    // Character c of this line is highlighted when it lies in [from, to);
    // the rest of the line is when the highlight goes on past its end.
    const Pos &hf = r->hl_from, &ht = r->hl_to;
    bool any = !same_place(hf, ht);
    auto lit = [&](uint32_t c) {
        Pos p{ par, (uint32_t)line, c, 0 };
        return any && compare(p, hf) >= 0 && compare(p, ht) < 0;
    };
    bool past = any && (ht.par > par || (ht.par == par && ht.line > (uint32_t)line));

    int32_t cx = x - r->view.left + r->h_origin;   // x from the line's left edge
    int32_t tw = tab_px(r);
    uint32_t ch = 0;
    int32_t i = s;
    while (i < e) {
        // A piece of characters in one state, all tabs or no tab.
        bool hl = lit(ch);
        bool tabs = t[i] == '\t';
        int32_t j = i;
        uint32_t c = ch;
        while (j < e && (t[j] == '\t') == tabs && lit(c) == hl) {
            j = std::min(j + std::max(ruvk_str_get_char_size(t + j), 1), e);
            ++c;
        }
        RUV_COLOR fore = hl ? r->bg : r->fg;
        RUV_COLOR back = hl ? r->fg : r->bg;
        int32_t w = tabs ? tw * (int32_t)(c - ch) - (cx % tw) : text_width(r, t + i, j - i, 0);
        int32_t sx = r->view.left - r->h_origin + cx;
        if (sx + w > r->view.left) {
            fill(r, rect_of(top, sx, top + lh, sx + w), back);
            if (!tabs) {
                set_tools(r, fore, back);
                pf.draw_text(r->win, sx, baseline, t + i, (int32_t)(c - ch));
            }
        }
        cx += w;
        ch = c;
        i = j;
    }
    int32_t sx = r->view.left - r->h_origin + cx;
    bool rest = past && lit(ch);
    fill(r, rect_of(top, std::max<int32_t>(sx, r->view.left), top + lh, r->view.right), rest ? r->fg : r->bg);
}

void redraw_wrapped(Record *r, uint32_t par, int32_t from_line, int32_t old_count)
{
    if (r->state & kSuspended)
        return;
    int32_t count = par_lines(r, par);
    if (count != old_count)
        lines_moved(r, par, std::min(count, old_count), count - old_count, false);
    draw_lines(r, par, std::max(0, std::min(from_line, count - 1)), par, count - 1, false);
}

void show_highlight(Record *r, bool show)
{
    Pos of = r->hl_from, ot = r->hl_to;
    if (show && !same_place(r->anchor, r->caret)) {
        r->hl_from = r->anchor;
        r->hl_to = r->caret;
        if (compare(r->hl_to, r->hl_from) < 0)
            std::swap(r->hl_from, r->hl_to);
    } else {
        r->hl_from = r->hl_to = r->caret;
    }
    if (!(r->state & kSuspended) && r->npars > 0) {
        bool was = !same_place(of, ot), is = !same_place(r->hl_from, r->hl_to);
        auto clampp = [&](Pos p) {
            if (p.par >= (uint32_t)r->npars) {
                p.par = (uint32_t)r->npars - 1;
                p.line = (uint32_t)par_lines(r, p.par) - 1;
            }
            return p;
        };
        of = clampp(of);
        ot = clampp(ot);
        Pos nf = clampp(r->hl_from), nt = clampp(r->hl_to);
        if (was && !is) {
            draw_lines(r, of.par, (int32_t)of.line, ot.par, (int32_t)ot.line, false);
        } else if (!was && is) {
            draw_lines(r, nf.par, (int32_t)nf.line, nt.par, (int32_t)nt.line, false);
        } else if (was && is) {
            if (compare(of, nf) != 0)
                draw_lines(r, of.par, (int32_t)of.line, nf.par, (int32_t)nf.line, false);
            if (compare(ot, nt) != 0)
                draw_lines(r, ot.par, (int32_t)ot.line, nt.par, (int32_t)nt.line, false);
        }
    }
    update_edit_menu(r->win, r, false);
}

void hide_caret(Record *r)
{
    if (is_active(r))
        platform().caret_visible(r->win, FALSE);
}

void place_caret(Record *r, bool scroll)
{
    if (r->state & kSuspended)
        return;
    if (r->anchor.par != r->caret.par || r->anchor.line != r->caret.line || r->anchor.x != r->caret.x)
        return;
    int32_t cx = screen_x(r, r->caret) - 1;
    int32_t top = line_top(r, r->caret.par, (int32_t)r->caret.line);
    if (scroll)
        scroll_box_into_view(r, cx, top, 1, r->ascent + r->descent);
    if (is_active(r)) {
        if (cx < r->view.left && r->caret.ch == 0 && r->h_origin == 0)
            cx = r->view.left;
        const Platform &pf = platform();
        int32_t py = top + r->ascent;
        if (py >= r->view.top && py < r->view.bottom && cx >= r->view.left - 1 && cx < r->view.right) {
            begin_draw(r);
            pf.set_clip(r->win, nullptr);
            // The window's caret stands on the line's baseline.
            RUV_POINT pt{ c16(py), c16(cx) };
            // Shown first: the window's caret is placed when it moves while
            // shown.
            pf.caret_visible(r->win, (r->state & kInactive) ? FALSE : TRUE);
            pf.caret_pos(r->win, &pt);
            pf.set_clip(r->win, &r->view);
        } else {
            pf.caret_visible(r->win, FALSE);
        }
    }
    update_edit_menu(r->win, r, false);
}

void scroll_box_into_view(Record *r, int32_t &x, int32_t &y, int32_t w, int32_t h)
{
    int32_t dx = 0, dn = 0;
    int32_t lh = std::max<int32_t>(r->line_height, 1);
    if (r->attrs & TX_AUTOHSCROLL) {
        if (x + w > r->view.right)
            dx = -(x + w - r->view.right);
        else if (x < r->view.left && r->h_origin > 0)
            dx = r->view.left - x;
    }
    if (r->attrs & TX_AUTOVSCROLL) {
        if (y + h > r->view.bottom)
            dn = -((y + h - r->view.bottom + lh - 1) / lh);
        else if (y < r->view.top && (r->org_par != 0 || r->org_line != 0))
            dn = (r->view.top - y + lh - 1) / lh;
    }
    if (!dx && !dn)
        return;
    if (!(r->state & kSuspended))
        platform().update(r->win);
    int32_t lines = dn ? scroll_vert(r, dn) : 0;
    int32_t px = dx ? scroll_hor(r, dx) : 0;
    scroll_pixels(r, px, lines * lh);
    x += px;
    y += lines * lh;
}

void scroll_pos_into_view(Record *r, const Pos &p)
{
    int32_t x = screen_x(r, p);
    int32_t y = line_top(r, p.par, (int32_t)p.line);
    scroll_box_into_view(r, x, y, r->avg_width, r->ascent + r->descent);
}

int32_t scroll_hor(Record *r, int32_t dx)
{
    if (dx > 0) {
        dx = std::min(dx, r->h_origin);
    } else if (dx < 0) {
        int32_t width = r->view.right - r->view.left;
        int32_t most;
        if (r->attrs & TX_WRAP) {
            int32_t m = r->margin ? r->margin : width - 2;
            most = std::max(0, m - width);
        } else {
            most = 32767;
        }
        dx = std::max(dx, r->h_origin - most);
        if (dx > 0)
            dx = 0;
    }
    if (dx) {
        r->h_origin -= dx;
        notify_scroll(r, 0x7FFFFFFF, 0x7FFFFFFF, r->h_origin);
    }
    return dx;
}

int32_t scroll_vert(Record *r, int32_t n)
{
    if (!n || r->npars == 0)
        return 0;
    int32_t first = first_visible_line(r);
    int32_t last_page = std::max(0, r->total_lines - visible_lines(r));
    int32_t to;
    if (n > 0)
        to = std::max(0, first - n);
    else
        to = std::max(first, std::min(first - n, last_page));
    if (to == first)
        return 0;
    Pos o = absolute_to_pos(r, to);
    r->org_par = o.par;
    r->org_line = o.line;
    notify_scroll(r, to, 0x7FFFFFFF, -1);
    return first - to;
}

void scroll_pixels(Record *r, int32_t dh, int32_t dv)
{
    if ((!dh && !dv) || (r->state & kSuspended))
        return;
    dh = std::max(-kScrollClamp, std::min(kScrollClamp, dh));
    dv = std::max(-kScrollClamp, std::min(kScrollClamp, dv));
    DrawState *d = dstate();
    end_draw();
    if (d)
        d->scrolling = 1;
    platform().scroll_rect(r->win, &r->view, dh, dv);
    if (d)
        d->scrolling = 0;
}

void lines_moved(Record *r, uint32_t par, int32_t line, int32_t k, bool update_first)
{
    if (!k || (r->state & kSuspended) || r->npars == 0)
        return;
    if (par < r->org_par || (par == r->org_par && line < (int32_t)r->org_line))
        return;
    int32_t top = line_top(r, par, line);
    if (top >= r->view.bottom)
        return;
    const Platform &pf = platform();
    if (update_first)
        pf.update(r->win);
    RUV_RECT band = rect_of(std::max<int32_t>(top, r->view.top), r->view.left, r->view.bottom, r->view.right);
    int32_t dv = std::max(-kScrollClamp, std::min(kScrollClamp, k * (int32_t)r->line_height));
    DrawState *d = dstate();
    end_draw();
    if (d)
        d->scrolling = 1;
    pf.scroll_rect(r->win, &band, 0, dv);
    if (d)
        d->scrolling = 0;
}

} // namespace ruvtx

extern "C" void ruvv_txv_begin_draw(ruvtx::Record *r)
{
    if (r)
        ruvtx::begin_draw(r);
}

extern "C" void ruvv_txv_end_draw(void)
{
    ruvtx::end_draw();
}

extern "C" void ruvv_txv_draw_line(ruvtx::Record *r, uint32_t par, uint32_t line, int32_t x, int32_t baseline)
{
    if (r)
        ruvtx::draw_line(r, par, (int32_t)line, x, baseline);
}

extern "C" void ruvv_txv_place_caret(ruvtx::Record *r, RUV_BOOL scroll)
{
    if (r)
        ruvtx::place_caret(r, scroll != 0);
}
