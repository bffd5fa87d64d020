/* Editing a text edit: insertion with the character limit and overtype,
   deletion within and across paragraphs, paragraph split and management,
   keys and caret moves, selection by characters and words, cut, copy and
   paste. */
#include <algorithm>
#include <cstring>
#include <string>

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_str.h"
#include "text_edit_private.h"

namespace ruvtx {

namespace {

void report(RUV_WIN win, uint32_t id, int line, int32_t severity = RUV_SEV_ERROR)
{
    ruvv_errmsg_dispatch(win, severity, id, __FILE__, line);
}

bool has_selection(const Record *r)
{
    return !same_place(r->anchor, r->caret);
}

void ordered(const Record *r, Pos &a, Pos &b)
{
    a = r->anchor;
    b = r->caret;
    if (compare(b, a) < 0)
        std::swap(a, b);
}

Pos end_of_par(Record *r, uint32_t par)
{
    int32_t last = std::max(par_lines(r, par) - 1, 0);
    Pos p{ par, (uint32_t)last, (uint32_t)line_chars(r, par, last), 0 };
    p.x = x_of(r, p);
    return p;
}

void fix_origin(Record *r)
{
    if (r->npars == 0) {
        r->org_par = r->org_line = 0;
        return;
    }
    if (r->org_par >= (uint32_t)r->npars) {
        r->org_par = (uint32_t)(r->npars - 1);
        r->org_line = (uint32_t)(par_lines(r, r->org_par) - 1);
    }
    if ((int32_t)r->org_line >= par_lines(r, r->org_par))
        r->org_line = (uint32_t)(par_lines(r, r->org_par) - 1);
}

void adjust_total(Record *r, int32_t delta)
{
    if (delta == 0)
        return;
    r->total_lines = (int32_t)(uint16_t)(r->total_lines + delta);
    notify_scroll(r, 0x7FFFFFFF, r->total_lines, -1);
}

// Puts a made block into the table at index, the paragraphs from there on
// moving down by one (positions in them follow their text).
bool insert_entry(Record *r, int32_t index, void *block)
{
    if (!grow_table(r, 1)) {
        free_block(block);
        return false;
    }
    // The lines from the index on move down by the new paragraph's line.
    lines_moved(r, (uint32_t)index, 0, 1, true);
    memmove(&r->pars[index + 1], &r->pars[index], (size_t)(r->npars - index) * sizeof(ParEntry));
    r->pars[index] = ParEntry{ 1, block };
    ++r->npars;
    for (Pos *p : { &r->anchor, &r->caret, &r->hl_from, &r->hl_to })
        if (p->par >= (uint32_t)index && r->npars > 1)
            ++p->par;
    if (r->org_par >= (uint32_t)index && r->npars > 1 && !(r->org_par == 0 && r->org_line == 0))
        ++r->org_par;
    adjust_total(r, 1);
    wrap(r, (uint32_t)index, 0);
    return true;
}

// Removes the bytes [from, to) of paragraph par; the anchor and the caret
// go to the deletion point.
void delete_bytes(Record *r, uint32_t par, int32_t from, int32_t to, int32_t from_line)
{
    ParBlock *b = par_block(r, par);
    int32_t n = to - from;
    char *t = b->text();
    memmove(t + from, t + to, (size_t)(b->length - to + 1));
    b->length -= n;
    for (int32_t k = from_line + 1; k < r->pars[par].lines && k < b->starts_cap; ++k)
        b->starts[k] = std::max(from, b->starts[k] - n);
    b->flags &= ~kParLaidOut;
    wrap(r, par, from_line);
    r->anchor = pos_at_offset(r, par, from);
    r->caret = r->anchor;
}

// Removes paragraphs [first, last] from the table (blocks freed).
void remove_entries(Record *r, int32_t first, int32_t last)
{
    int32_t lines = 0;
    for (int32_t p = first; p <= last; ++p) {
        lines += r->pars[p].lines;
        free_block(r->pars[p].block);
    }
    memmove(&r->pars[first], &r->pars[last + 1], (size_t)(r->npars - last - 1) * sizeof(ParEntry));
    r->npars -= last - first + 1;
    adjust_total(r, -lines);
    if (first < r->npars)
        lines_moved(r, (uint32_t)first, 0, -lines, true);
}

bool is_blank_at(Record *r, const Pos &p)
{
    ParBlock *b = par_block(r, p.par);
    if (!b)
        return true;
    int32_t off = pos_offset(r, p);
    int32_t e = line_end(r, p.par, (int32_t)p.line);
    if (off >= e)
        return true;
    return b->text()[off] == ' ' || b->text()[off] == '\t';
}

bool step_left(Record *r, Pos &p)
{
    if (p.ch > 0) {
        --p.ch;
    } else if (p.line > 0) {
        --p.line;
        p.ch = (uint32_t)std::max(line_chars(r, p.par, (int32_t)p.line) - 1, 0);
    } else if (p.par > 0) {
        p = end_of_par(r, p.par - 1);
    } else {
        return false;
    }
    p.x = x_of(r, p);
    return true;
}

bool step_right(Record *r, Pos &p)
{
    int32_t lines = par_lines(r, p.par);
    uint32_t chars = (uint32_t)line_chars(r, p.par, (int32_t)p.line);
    if ((int32_t)p.line < lines - 1) {
        if (p.ch + 1 < chars) {
            ++p.ch;
        } else if (p.ch + 1 == chars) {
            ++p.line;
            p.ch = 0;
        } else {
            ++p.line;
            p.ch = std::min<uint32_t>(1, (uint32_t)line_chars(r, p.par, (int32_t)p.line));
        }
    } else if (p.ch < chars) {
        ++p.ch;
    } else if (p.par + 1 < (uint32_t)r->npars) {
        p = Pos{ p.par + 1, 0, 0, 0 };
    } else {
        return false;
    }
    p.x = x_of(r, p);
    return true;
}

// The position n lines away (negative: up), keeping pixel x.
Pos lines_away(Record *r, const Pos &from, int32_t n)
{
    int64_t abs = (int64_t)line_distance(r, 0, 0, from.par, from.line) + n;
    int64_t total = 0;
    for (int32_t p = 0; p < r->npars; ++p)
        total += par_lines(r, (uint32_t)p);
    abs = std::max<int64_t>(0, std::min<int64_t>(abs, total - 1));
    uint32_t par = 0;
    while (par + 1 < (uint32_t)r->npars && abs >= par_lines(r, par)) {
        abs -= par_lines(r, par);
        ++par;
    }
    return pos_at_x(r, par, (int32_t)abs, from.x);
}

// The word of p's line that ends after p: [start, end) in characters.
bool word_at(Record *r, const Pos &p, uint32_t &ws, uint32_t &we)
{
    ParBlock *b = par_block(r, p.par);
    if (!b)
        return false;
    int32_t s = line_start(r, p.par, (int32_t)p.line), e = line_end(r, p.par, (int32_t)p.line);
    const char *t = b->text();
    uint32_t ch = 0;
    int32_t i = s;
    while (i < e) {
        while (i < e && (t[i] == ' ' || t[i] == '\t')) {
            ++i;
            ++ch;
        }
        if (i >= e)
            break;
        uint32_t start = ch;
        while (i < e && t[i] != ' ' && t[i] != '\t') {
            i += std::max(ruvk_str_get_char_size(t + i), 1);
            ++ch;
        }
        if (ch > p.ch) {
            ws = start;
            we = ch;
            return true;
        }
    }
    return false;
}

Pos with_ch(Record *r, Pos p, uint32_t ch)
{
    p.ch = ch;
    p.x = x_of(r, p);
    return p;
}

std::string selected_text(Record *r)
{
    Pos a, b;
    ordered(r, a, b);
    std::string out;
    for (uint32_t p = a.par; p <= b.par && p < (uint32_t)r->npars; ++p) {
        ParBlock *blk = par_block(r, p);
        int32_t from = p == a.par ? pos_offset(r, a) : 0;
        int32_t to = p == b.par ? pos_offset(r, b) : blk->length;
        if (p != a.par)
            out += "\r\n";
        if (to > from)
            out.append(blk->text() + from, (size_t)(to - from));
    }
    return out;
}

bool delete_one(Record *r, bool forward)
{
    if (r->state & kInactive) {
        report(r->win, kErrHighlight, __LINE__, RUV_SEV_FATAL);
        return false;
    }
    Pos p = r->caret;
    if (!(forward ? step_right(r, p) : step_left(r, p)))
        return false;
    r->caret = p;
    return delete_selection(r);
}

} // namespace

Pos end_of_text(Record *r)
{
    if (r->npars == 0)
        return Pos{ 0, 0, 0, 0 };
    return end_of_par(r, (uint32_t)(r->npars - 1));
}

bool insert_text(Record *r, const char *text, int32_t nbytes, Pos &pos)
{
    ParBlock *b = par_block(r, pos.par);
    if (!b || !text)
        return false;
    if (nbytes == 0x7FFFFFFF)
        nbytes = (int32_t)strlen(text);
    if (const void *z = memchr(text, 0, (size_t)nbytes))
        nbytes = (int32_t)(static_cast<const char *>(z) - text);
    if (r->limit > 0) {
        int32_t present = chars_in(b->text(), b->length);
        if (present >= r->limit)
            return false;
        nbytes = bytes_of(text, nbytes, r->limit - present);
    }
    int32_t off = pos_offset(r, pos);
    if (off > b->length) {
        report(r->win, kErrInternal, __LINE__, RUV_SEV_FATAL);
        return false;
    }
    if (nbytes <= 0)
        return true;
    if (!grow_block(r, pos.par, nbytes))
        return false;
    b = par_block(r, pos.par);
    char *t = b->text();
    memmove(t + off + nbytes, t + off, (size_t)(b->length - off + 1));
    memcpy(t + off, text, (size_t)nbytes);
    b->length += nbytes;
    for (int32_t k = (int32_t)pos.line + 1; k < r->pars[pos.par].lines && k < b->starts_cap; ++k)
        b->starts[k] += nbytes;
    b->flags &= ~kParLaidOut;
    uint32_t par = pos.par;
    wrap(r, par, (int32_t)pos.line);
    pos = pos_at_offset(r, par, off + nbytes);
    return true;
}

bool delete_selection(Record *r)
{
    if (!has_selection(r))
        return true;
    show_highlight(r, false);
    Pos a, b;
    ordered(r, a, b);
    bool suspended_here = false;
    if (!(r->state & kSuspended) && line_distance(r, a.par, a.line, b.par, b.line) > 5) {
        suspend(r);
        suspended_here = true;
    }
    r->anchor = r->caret = a;
    int32_t from = pos_offset(r, a), to = pos_offset(r, b);
    if (a.par == b.par) {
        if (to > from)
            delete_bytes(r, a.par, from, to, (int32_t)a.line);
    } else {
        ParBlock *pb = par_block(r, a.par);
        ParBlock *qb = par_block(r, b.par);
        int32_t tail = qb->length - to;
        int32_t grow = tail - (pb->length - from);
        bool ok = grow <= 0 || grow_block(r, a.par, grow);
        if (ok) {
            pb = par_block(r, a.par);
            qb = par_block(r, b.par);
            memcpy(pb->text() + from, qb->text() + to, (size_t)tail);
            pb->length = from + tail;
            pb->text()[pb->length] = '\0';
            pb->flags &= ~kParLaidOut;
            remove_entries(r, (int32_t)a.par + 1, (int32_t)b.par);
            wrap(r, a.par, (int32_t)a.line);
            r->anchor = r->caret = pos_at_offset(r, a.par, from);
            fix_origin(r);
        }
        if (!ok) {
            if (suspended_here)
                resume(r);
            return false;
        }
    }
    r->hl_from = r->hl_to = r->caret;
    if (suspended_here)
        resume(r);
    scroll_pos_into_view(r, r->anchor);
    return true;
}

bool split_par(Record *r, Pos &pos)
{
    ParBlock *b = par_block(r, pos.par);
    if (!b)
        return false;
    int32_t off = pos_offset(r, pos);
    uint32_t par = pos.par;
    if (off == 0) {
        void *blk = make_block("", 0);
        if (!blk || !insert_entry(r, (int32_t)par, blk))
            return false;
    } else {
        void *blk = make_block(b->text() + off, b->length - off);
        if (!blk || !insert_entry(r, (int32_t)par + 1, blk))
            return false;
        b = par_block(r, par);
        b->length = off;
        b->text()[off] = '\0';
        b->flags &= ~kParLaidOut;
        wrap(r, par, (int32_t)pos.line);
    }
    pos = Pos{ par + 1, 0, 0, 0 };
    return true;
}

bool add_par(Record *r, int32_t index, const char *text)
{
    if ((r->attrs & TX_ONEPAR) && r->npars >= 1)
        return false;
    index = std::max(0, std::min(index, r->npars));
    void *blk = make_block(text, text ? (int32_t)strlen(text) : 0);
    return blk && insert_entry(r, index, blk);
}

bool append_text(Record *r, int32_t index, const char *text)
{
    if (r->npars == 0)
        return false;
    index = std::max(0, std::min(index, r->npars - 1));
    Pos p = end_of_par(r, (uint32_t)index);
    return insert_text(r, text, 0x7FFFFFFF, p);
}

bool set_par(Record *r, int32_t index, const char *text)
{
    if (index < 0 || index >= r->npars)
        return false;
    if (has_selection(r))
        show_highlight(r, false);
    // The new text is made whole before the old goes, so a text the
    // paragraph cannot hold leaves it as it was.
    int32_t n = text ? (int32_t)strlen(text) : 0;
    if (r->limit > 0)
        n = bytes_of(text, n, r->limit);
    void *blk = make_block(text, n);
    if (!blk)
        return false;
    free_block(r->pars[index].block);
    r->pars[index].block = blk;
    wrap(r, (uint32_t)index, 0);
    r->anchor = r->caret = end_of_par(r, (uint32_t)index);
    fix_origin(r);
    return true;
}

bool rem_par(Record *r, int32_t index)
{
    if (has_selection(r))
        show_highlight(r, false);
    if (index < 0 || index >= r->npars) {
        report(r->win, kErrTooBig, __LINE__);
        return false;
    }
    remove_entries(r, index, index);
    // Anchor and caret come back into the text: up one paragraph when
    // after the removed one; from inside it, to the start of the paragraph
    // now at its index, else the text's end.
    for (Pos *p : { &r->anchor, &r->caret }) {
        if (p->par > (uint32_t)index)
            --p->par;
        else if (p->par == (uint32_t)index)
            *p = index < r->npars ? Pos{ (uint32_t)index, 0, 0, 0 } : end_of_text(r);
    }
    r->hl_from = r->hl_to = r->caret;
    if (r->org_par > (uint32_t)index)
        --r->org_par;
    else if (r->org_par == (uint32_t)index)
        r->org_line = 0;
    fix_origin(r);
    return true;
}

void suspend(Record *r)
{
    hide_caret(r);
    r->state |= kSuspended;
}

void resume(Record *r)
{
    if (!(r->state & kSuspended))
        return;
    r->state &= (uint16_t)~kSuspended;
    invalidate_outer(r);
    notify_scroll(r, first_visible_line(r), r->total_lines, r->h_origin);
    place_caret(r, true);
}

void move_caret(Record *r, int32_t key, bool shift)
{
    Pos p = r->caret;
    switch (key) {
    case K_UP: p = lines_away(r, p, -1); break;
    case K_DOWN: p = lines_away(r, p, 1); break;
    case K_LEFT: step_left(r, p); break;
    case K_RIGHT: step_right(r, p); break;
    case K_PAGE_UP: p = lines_away(r, p, -(visible_lines(r) - 1)); break;
    case K_PAGE_DOWN: p = lines_away(r, p, visible_lines(r) - 1); break;
    case K_HOME: p = with_ch(r, p, 0); break;
    case K_END: p = with_ch(r, p, (uint32_t)line_chars(r, p.par, (int32_t)p.line)); break;
    case K_CTRL_HOME: p = Pos{ 0, 0, 0, 0 }; break;
    case K_CTRL_END: p = end_of_text(r); break;
    case K_CTRL_LEFT:
        if (step_left(r, p)) {
            while (is_blank_at(r, p) && step_left(r, p)) {
            }
            while (!is_blank_at(r, p) && step_left(r, p)) {
            }
            if (is_blank_at(r, p) && compare(p, r->caret) < 0)
                step_right(r, p);
        }
        break;
    case K_CTRL_RIGHT: {
        uint32_t guard = 0;
        while (!is_blank_at(r, p) && step_right(r, p) && ++guard < 0x100000) {
        }
        // A paragraph's end counts as a blank, so the caret goes on over
        // the next paragraph's leading blanks (and any empty paragraphs).
        while (is_blank_at(r, p) && step_right(r, p) && ++guard < 0x100000) {
        }
        break;
    }
    default:
        return;
    }
    if (r->npars == 0)
        p = Pos{ 0, 0, 0, 0 };
    scroll_pos_into_view(r, p);
    if (shift) {
        hide_caret(r);
        r->caret = p;
    } else {
        r->anchor = r->caret = p;
    }
    show_highlight(r, true);
    place_caret(r, false);
}

bool handle_key(Record *r, int32_t key, bool shift, bool vk)
{
    if (vk) {
        switch (key) {
        case K_UP: case K_DOWN: case K_RIGHT: case K_LEFT: case K_PAGE_UP: case K_PAGE_DOWN:
        case K_HOME: case K_END: case K_CTRL_HOME: case K_CTRL_END: case K_CTRL_LEFT: case K_CTRL_RIGHT:
            move_caret(r, key, shift);
            return false;
        case 378: move_caret(r, K_LEFT, false); return false;
        case 379: move_caret(r, K_RIGHT, false); return false;
        case 380: move_caret(r, K_UP, false); return false;
        case 381: move_caret(r, K_DOWN, false); return false;
        case K_CLEAR: key = K_DELETE; break;
        case K_PAD_MULTIPLY: key = '*'; vk = false; break;
        case K_PAD_MINUS: key = '-'; vk = false; break;
        case K_PAD_PLUS: key = '+'; vk = false; break;
        case K_PAD_DIVIDE: key = '/'; vk = false; break;
        case K_PAD_DECIMAL: key = '.'; vk = false; break;
        default:
            if (key >= K_PAD_0 && key <= K_PAD_0 + 9) {
                key = '0' + (key - K_PAD_0);
                vk = false;
            }
            break;
        }
    }
    if (!vk && (key == 13 || key == 10) && (r->attrs & TX_ONEPAR))
        return false;
    if (r->attrs & TX_READONLY)
        return false;
    bool changed = false;
    bool deleted = false;
    if (has_selection(r)) {
        if (!delete_selection(r))
            return false;
        deleted = changed = true;
    }
    if (r->npars > 0 && r->anchor.par >= (uint32_t)r->npars) {
        report(r->win, kErrTooBig, __LINE__);
        return changed;
    }
    if (r->npars == 0) {
        if (!add_par(r, 0, ""))
            return changed;
        r->anchor = Pos{ 0, 0, 0, 0 };
    }
    if (!vk) {
        if (key == 8) {
            if (!deleted) {
                r->caret = r->anchor;
                changed = delete_one(r, false) || changed;
            }
        } else if (key == 13 || key == 10) {
            changed = split_par(r, r->anchor) || changed;
        } else {
            char mb[8] = { 0 };
            int32_t n = ruvk_str_convert_wc_to_mb(mb, (RUV_WCHAR)key);
            n = (int32_t)strnlen(mb, sizeof mb);
            if (n > 0) {
                Pos at = r->anchor;
                ParBlock *b = par_block(r, at.par);
                int32_t off = pos_offset(r, at);
                if ((r->attrs & TX_OVERTYPE) && !deleted && off < b->length) {
                    // Replace the character after the anchor: the new one
                    // goes in first, so a refusal leaves the old one.
                    int32_t old_limit = r->limit;
                    r->limit = 0;
                    bool ok = insert_text(r, mb, n, at);
                    r->limit = old_limit;
                    if (ok) {
                        int32_t after = pos_offset(r, at);
                        ParBlock *nb = par_block(r, at.par);
                        int32_t sz = std::max(ruvk_str_get_char_size(nb->text() + after), 1);
                        if (after < nb->length)
                            delete_bytes(r, at.par, after, std::min(after + sz, nb->length), (int32_t)at.line);
                        r->anchor = pos_at_offset(r, at.par, after);
                        changed = true;
                    }
                } else if (insert_text(r, mb, n, at)) {
                    r->anchor = at;
                    changed = true;
                }
                if (changed && r->anchor.ch > 0) {
                    Pos before = with_ch(r, r->anchor, r->anchor.ch - 1);
                    scroll_pos_into_view(r, before);
                }
            }
        }
    } else if (key == K_DELETE) {
        if (!deleted) {
            r->caret = r->anchor;
            changed = delete_one(r, true) || changed;
        }
    }
    r->caret = r->anchor;
    r->hl_from = r->hl_to = r->caret;
    if (changed && notify_parent)
        notify_parent(r, 0, 0);
    return changed;
}

void select_at(Record *r, const Pos &pos, bool shift, bool by_words, bool dragging)
{
    if (!by_words) {
        if (dragging) {
            r->caret = pos;
        } else if (shift) {
            Pos a, b;
            ordered(r, a, b);
            r->anchor = compare(pos, a) < 0 ? b : a;
            r->caret = pos;
        } else {
            r->anchor = r->caret = pos;
        }
        show_highlight(r, true);
        return;
    }
    uint32_t ws = 0, we = 0;
    if (!word_at(r, pos, ws, we))
        return;
    Pos wstart = with_ch(r, pos, ws), wend = with_ch(r, pos, we);
    if (!shift && !dragging) {
        r->anchor = pos.ch >= ws ? wstart : pos;
        r->caret = wend;
    } else {
        Pos a, b;
        ordered(r, a, b);
        // A selection that starts after the word grows back over it from
        // its far end; one that starts at or before it keeps its anchor
        // while the word lies within it during a drag.
        if (compare(a, wstart) > 0) {
            r->anchor = compare(wend, b) >= 0 ? wstart : b;
        } else if (!(dragging && compare(wstart, b) < 0)) {
            r->anchor = a;
        }
        r->caret = compare(r->anchor, wstart) <= 0 ? wend : wstart;
    }
    show_highlight(r, true);
}

bool copy_sel(Record *r)
{
    if (r->attrs & TX_NOCOPY)
        return false;
    if (!has_selection(r))
        return true;
    std::string text = selected_text(r);
    const Platform &pf = platform();
    if (!pf.cb_open(1))
        return false;
    bool ok = pf.cb_put_text(text.data(), (int32_t)text.size()) != 0;
    pf.cb_close();
    update_edit_menu(r->win, r, true);
    return ok;
}

bool cut_sel(Record *r)
{
    if (r->attrs & (TX_NOCUT | TX_READONLY))
        return false;
    if (!has_selection(r))
        return true;
    // The selection goes only once its text is on the clipboard.
    if (!copy_sel(r))
        return false;
    bool ok = delete_selection(r);
    place_caret(r, true);
    if (ok && notify_parent)
        notify_parent(r, 0, 0);
    return ok;
}

bool paste(Record *r)
{
    if (r->attrs & (TX_NOPASTE | TX_READONLY))
        return false;
    const Platform &pf = platform();
    if (!pf.cb_open(0))
        return false;
    int32_t len = 0;
    const char *text = pf.cb_get_text(&len);
    if (!text || len <= 0) {
        pf.cb_close();
        return false;
    }
    // The text is copied before the edit: the clipboard's block lives only
    // until its next call.
    std::string copy(text, (size_t)len);
    if (r->npars == 0 && !add_par(r, 0, "")) {
        pf.cb_close();
        return false;
    }
    bool suspended_here = false;
    if (len > 1000 && !(r->state & kSuspended)) {
        suspend(r);
        suspended_here = true;
    }
    bool ok = delete_selection(r);
    if (ok && r->anchor.par >= (uint32_t)r->npars)
        r->anchor = end_of_text(r);
    int32_t line_len = 0, kind = 0;
    for (const char *line = ok ? ruvv_str_find_eol(copy.data(), (int32_t)copy.size(), &line_len, &kind) : nullptr;
         line; line = ruvv_str_find_eol(nullptr, 0, &line_len, &kind)) {
        if (!insert_text(r, line, line_len, r->anchor)) {
            ok = false;
            break;
        }
        r->caret = r->anchor;
        if (kind != RUV_EOL_KIND_END && !(r->attrs & TX_ONEPAR)) {
            if (!split_par(r, r->anchor)) {
                ok = false;
                break;
            }
            r->caret = r->anchor;
        }
    }
    r->caret = r->anchor;
    r->hl_from = r->hl_to = r->caret;
    if (suspended_here)
        resume(r);
    pf.cb_close();
    place_caret(r, true);
    if (notify_parent)
        notify_parent(r, 0, 0);
    return ok;
}

Pos point_to_pos(Record *r, int16_t v, int16_t h)
{
    if (r->npars == 0)
        return Pos{ 0, 0, 0, 0 };
    int32_t lh = r->line_height ? r->line_height : 1;
    // A point above the view stands for the first visible line.
    int32_t idx = v < r->view.top ? 0 : (v - r->view.top) / lh;
    int32_t x = std::max<int32_t>(r->view.left, std::min<int32_t>(h, r->view.right)) - r->view.left + r->h_origin;
    uint32_t par = r->org_par;
    int32_t line = (int32_t)r->org_line + idx;
    while (par < (uint32_t)r->npars && line >= par_lines(r, par)) {
        line -= par_lines(r, par);
        ++par;
    }
    if (par >= (uint32_t)r->npars) {
        Pos p = end_of_text(r);
        p.x = 0x7FFFFFFF;
        return p;
    }
    return pos_at_x(r, par, line, x);
}

} // namespace ruvtx

extern "C" RUV_BOOL ruvv_txm_handle_key(ruvtx::Record *r, int32_t key, RUV_BOOL shift, RUV_BOOL virtual_key)
{
    return r && ruvtx::handle_key(r, key, shift != 0, virtual_key != 0) ? TRUE : FALSE;
}
