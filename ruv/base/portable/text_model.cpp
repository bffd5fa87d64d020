/* Text model of the text edit: the paragraph table, paragraph blocks with
   their line-start arrays, word wrap, positions and line access. */
#include <algorithm>
#include <cstring>

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_str.h"
#include "text_edit_private.h"

namespace ruvtx {

namespace {

// The paragraph ruvv_tx_get_line keeps open between its calls.
struct LineAccess {
    int32_t handle;
    uint32_t par;
    int16_t open;
};

RUV_STATIC_BLOCK(line_desc, LineAccess, nullptr, nullptr);

LineAccess *line_access()
{
    return static_cast<LineAccess *>(ruvk_static_get_ptr(&line_desc));
}

constexpr int32_t kHeader = (int32_t)sizeof(ParBlock);
constexpr uint16_t kStartsFirst = 16;

void report(RUV_WIN win, uint32_t id, int line)
{
    ruvv_errmsg_dispatch(win, RUV_SEV_ERROR, id, __FILE__, line);
}

int32_t tab_width(const Record *r)
{
    return std::max<int32_t>(r->tabstop * r->avg_width, 1);
}

void clamp_pos(Record *r, Pos &p, uint32_t par)
{
    if (p.par != par)
        return;
    int32_t n = par_lines(r, par);
    if ((int32_t)p.line >= n)
        p.line = (uint32_t)std::max(n - 1, 0);
    int32_t chars = line_chars(r, par, (int32_t)p.line);
    if (p.ch > (uint32_t)chars)
        p.ch = (uint32_t)chars;
    p.x = x_of(r, p);
}

} // namespace

int32_t chars_in(const char *text, int32_t nbytes)
{
    return nbytes > 0 ? ruvv_str_get_n_char_count(text, nbytes, nullptr) : 0;
}

// Bytes of the first n characters, never beyond nbytes.
int32_t bytes_of(const char *text, int32_t nbytes, int32_t n)
{
    if (n <= 0 || nbytes <= 0)
        return 0;
    int32_t b = 0;
    while (n-- > 0 && b < nbytes) {
        int32_t sz = ruvk_str_get_char_size(text + b);
        b += sz > 0 ? sz : 1;
    }
    return std::min(b, nbytes);
}

ParBlock *par_block(Record *r, uint32_t par)
{
    if (!r->pars || par >= (uint32_t)r->npars)
        return nullptr;
    return static_cast<ParBlock *>(r->pars[par].block);
}

int32_t par_lines(const Record *r, uint32_t par)
{
    if (!r->pars || par >= (uint32_t)r->npars)
        return 0;
    return r->pars[par].lines;
}

int32_t line_start(const Record *r, uint32_t par, int32_t line)
{
    const ParBlock *b = par_block(const_cast<Record *>(r), par);
    if (!b)
        return 0;
    if (line <= 0)
        return 0;
    if (line < r->pars[par].lines && line < b->starts_cap)
        return b->starts[line];
    return b->length;
}

int32_t line_end(const Record *r, uint32_t par, int32_t line)
{
    return line_start(r, par, line + 1);
}

int32_t line_chars(Record *r, uint32_t par, int32_t line)
{
    ParBlock *b = par_block(r, par);
    if (!b)
        return 0;
    line = std::min(line, r->pars[par].lines - 1);
    int32_t s = line_start(r, par, line);
    return chars_in(b->text() + s, line_end(r, par, line) - s);
}

bool grow_table(Record *r, int32_t more)
{
    int64_t need = (int64_t)r->npars + more;
    if (need <= r->pars_cap)
        return true;
    int64_t cap = r->pars_cap == 0 ? need : std::max<int64_t>(need, (int64_t)r->pars_cap + 10);
    cap = std::min<int64_t>(cap, 0x7FFFFFFE);
    if (need > cap) {
        report(r->win, kErrGlobalMemory, __LINE__);
        return false;
    }
    int64_t bytes = cap * (int64_t)sizeof(ParEntry);
    void *grown = bytes > 0x7FFFFFFF ? nullptr
                  : r->pars_handle ? ruvv_gmem_realloc(r->pars_handle, (int32_t)bytes)
                                   : ruvv_gmem_alloc((int32_t)bytes);
    if (!grown) {
        report(r->win, kErrGlobalMemory, __LINE__);
        if (!r->pars_handle)
            r->pars_cap = 0;
        return false;
    }
    r->pars_handle = grown;
    r->pars = static_cast<ParEntry *>(grown);
    r->pars_cap = (int32_t)cap;
    return true;
}

void *make_block(const char *text, int32_t length)
{
    if (length < 0 || length >= 0x7FFFFFFF) {
        report(nullptr, kErrTooBig, __LINE__);
        return nullptr;
    }
    if (!text)
        length = 0;
    if ((int64_t)kHeader + length + 1 >= kBlockLimit) {
        report(nullptr, kErrWrongState, __LINE__);
        return nullptr;
    }
    int32_t size = std::min<int32_t>(kHeader + length + 1 + 64, kBlockLimit - 1);
    void *mem = ruvv_gmem_alloc(size);
    void *starts = mem ? ruvv_gmem_alloc(kStartsFirst * (int32_t)sizeof(int32_t)) : nullptr;
    if (!starts) {
        if (mem)
            ruvv_gmem_free(mem);
        report(nullptr, kErrGlobalMemory, __LINE__);
        return nullptr;
    }
    memset(starts, 0, kStartsFirst * sizeof(int32_t));
    ParBlock *b = static_cast<ParBlock *>(mem);
    b->flags = kParFlagsNew & ~kParLaidOut;
    b->length = length;
    b->capacity = size - kHeader;
    b->starts_handle = starts;
    b->starts = static_cast<int32_t *>(starts);
    b->starts_cap = kStartsFirst;
    if (length)
        memcpy(b->text(), text, (size_t)length);
    b->text()[length] = '\0';
    return mem;
}

void free_block(void *block)
{
    if (!block)
        return;
    ParBlock *b = static_cast<ParBlock *>(block);
    if (b->starts_handle)
        ruvv_gmem_free(b->starts_handle);
    ruvv_gmem_free(block);
}

bool grow_block(Record *r, uint32_t par, int32_t more)
{
    ParBlock *b = par_block(r, par);
    if (!b)
        return false;
    int64_t need = (int64_t)b->length + more + 1;
    if (need <= b->capacity)
        return true;
    if (kHeader + need >= kBlockLimit) {
        report(r->win, kErrWrongState, __LINE__);
        return false;
    }
    int32_t size = (int32_t)std::min<int64_t>(kHeader + need + 65, kBlockLimit - 1);
    void *grown = ruvv_gmem_realloc(b, size);
    if (!grown) {
        report(r->win, kErrGlobalMemory, __LINE__);
        return false;
    }
    r->pars[par].block = grown;
    static_cast<ParBlock *>(grown)->capacity = size - kHeader;
    return true;
}

bool set_line_start(Record *r, uint32_t par, int32_t k, int32_t offset)
{
    ParBlock *b = par_block(r, par);
    if (!b)
        return false;
    if (k >= b->starts_cap) {
        int64_t cap = (int64_t)b->starts_cap + 16 + (k - b->starts_cap);
        if (cap * (int64_t)sizeof(int32_t) >= kStartsLimit || cap > 0xFFFF) {
            report(r->win, kErrWrongState, __LINE__);
            return false;
        }
        void *grown = ruvv_gmem_realloc(b->starts_handle, (int32_t)(cap * sizeof(int32_t)));
        if (!grown) {
            report(r->win, kErrGlobalMemory, __LINE__);
            return false;
        }
        int32_t *starts = static_cast<int32_t *>(grown);
        for (int64_t i = b->starts_cap; i < cap; ++i)
            starts[i] = 0;
        b->starts_handle = grown;
        b->starts = starts;
        b->starts_cap = (uint16_t)cap;
    }
    b->starts[k] = offset;
    return true;
}

int32_t text_width(Record *r, const char *text, int32_t nbytes, int32_t x)
{
    int32_t tw = tab_width(r);
    int32_t i = 0;
    while (i < nbytes) {
        if (text[i] == '\t') {
            int32_t m = 0;
            while (i < nbytes && text[i] == '\t') {
                ++m;
                ++i;
            }
            x += tw * m - (x % tw);
        } else {
            int32_t j = i;
            while (j < nbytes && text[j] != '\t' && text[j] != '\0')
                ++j;
            if (j == i)
                break;
            x += ruvk_dwin_get_text_width(r->win, text + i, chars_in(text + i, j - i));
            i = j;
        }
    }
    return x;
}

int32_t line_distance(const Record *r, uint32_t p1, uint32_t l1, uint32_t p2, uint32_t l2)
{
    bool swapped = p1 > p2 || (p1 == p2 && l1 > l2);
    if (swapped) {
        std::swap(p1, p2);
        std::swap(l1, l2);
    }
    int64_t d = 0;
    for (uint32_t p = p1; p < p2; ++p)
        d += par_lines(r, p);
    d += (int64_t)l2 - (int64_t)l1;
    return (int32_t)(swapped ? -d : d);
}

int32_t x_of(Record *r, const Pos &pos)
{
    ParBlock *b = par_block(r, pos.par);
    if (!b)
        return 0;
    int32_t s = line_start(r, pos.par, (int32_t)pos.line);
    int32_t off = pos_offset(r, pos);
    return text_width(r, b->text() + s, off - s, 0);
}

int32_t pos_offset(Record *r, const Pos &pos)
{
    ParBlock *b = par_block(r, pos.par);
    if (!b)
        return 0;
    if (pos.ch == kEndChar)
        return b->length;
    int32_t line = std::min<int64_t>(pos.line, r->pars[pos.par].lines - 1);
    int32_t s = line_start(r, pos.par, line);
    int32_t e = line_end(r, pos.par, line);
    return s + bytes_of(b->text() + s, e - s, (int32_t)std::min<uint32_t>(pos.ch, 0x7FFFFFFE));
}

Pos pos_at_offset(Record *r, uint32_t par, int32_t offset)
{
    Pos p{ par, 0, 0, 0 };
    ParBlock *b = par_block(r, par);
    if (!b)
        return p;
    offset = std::max(0, std::min(offset, b->length));
    int32_t lo = 0, hi = r->pars[par].lines - 1;
    while (lo < hi) {
        int32_t mid = (lo + hi + 1) / 2;
        if (line_start(r, par, mid) <= offset)
            lo = mid;
        else
            hi = mid - 1;
    }
    int32_t s = line_start(r, par, lo);
    p.line = (uint32_t)lo;
    p.ch = (uint32_t)chars_in(b->text() + s, offset - s);
    p.x = text_width(r, b->text() + s, offset - s, 0);
    return p;
}

Pos pos_at_x(Record *r, uint32_t par, int32_t line, int32_t x)
{
    Pos p{ par, (uint32_t)std::max(line, 0), 0, 0 };
    ParBlock *b = par_block(r, par);
    if (!b)
        return p;
    line = std::min(std::max(line, 0), r->pars[par].lines - 1);
    p.line = (uint32_t)line;
    int32_t s = line_start(r, par, line), e = line_end(r, par, line);
    const char *t = b->text();
    int32_t w = 0, i = s;
    uint32_t d = 0;
    while (i < e) {
        int32_t sz = std::max(ruvk_str_get_char_size(t + i), 1);
        int32_t next = t[i] == '\t' ? w + tab_width(r) - (w % tab_width(r)) : w + text_width(r, t + i, sz, 0);
        if (next > x) {
            if (x - w > next - x) {
                w = next;
                ++d;
            }
            break;
        }
        w = next;
        ++d;
        i += sz;
    }
    p.ch = d;
    p.x = w;
    return p;
}

void wrap(Record *r, uint32_t par, int32_t from_line)
{
    ParBlock *b = par_block(r, par);
    if (!b)
        return;
    int32_t old = r->pars[par].lines;
    int32_t count;
    int32_t from = 0;
    if (!(r->attrs & TX_WRAP)) {
        count = 1;
        r->pars[par].lines = 1;
    } else {
        int32_t W = r->margin ? r->margin : (uint16_t)(r->view.right - r->view.left - 2);
        int32_t L = std::max(0, std::min(from_line, old));
        from = L;
        int32_t s = L == 0 ? 0 : line_start(r, par, L - 1);
        count = std::max(L, 1);
        r->pars[par].lines = count;
        const char *t = b->text();
        int32_t len = b->length;
        while (s < len) {
            int32_t u = s;
            for (;;) {
                const char *brk = ruvv_str_find_char_set(t + u, " \t");
                int32_t at = brk ? (int32_t)(brk - t) : len;
                if (text_width(r, t + s, at - s, 0) > W)
                    break;
                while (at < len && (t[at] == ' ' || t[at] == '\t'))
                    ++at;
                u = at;
                if (u >= len)
                    break;
            }
            int32_t end = u;
            if (u == s) {
                // No word fits: the line ends after the first character
                // that overflows it, and takes at least one.
                int32_t i = s;
                int32_t sz = std::max(ruvk_str_get_char_size(t + i), 1);
                i += sz;
                while (i < len) {
                    if (text_width(r, t + s, i - s, 0) > W)
                        break;
                    i += std::max(ruvk_str_get_char_size(t + i), 1);
                }
                end = std::min(i, len);
            }
            if (end >= len)
                break;
            if (!set_line_start(r, par, count, end))
                break;
            ++count;
            r->pars[par].lines = count;
            s = end;
        }
        b = par_block(r, par);
    }
    int32_t total = (int32_t)(uint16_t)(r->total_lines - old + count);
    if (total != r->total_lines) {
        r->total_lines = total;
        notify_scroll(r, 0x7FFFFFFF, total, -1);
    }
    b->flags |= kParLaidOut;
    clamp_pos(r, r->anchor, par);
    clamp_pos(r, r->caret, par);
    if (r->org_par == par && (int32_t)r->org_line >= count)
        r->org_line = (uint32_t)(count - 1);
    redraw_wrapped(r, par, std::max(0, std::min(from, count - 1)), old);
}

void relayout(Record *r)
{
    bool suspended_here = !(r->state & kSuspended);
    if (suspended_here)
        suspend(r);
    r->anchor = r->caret = Pos{ 0, 0, 0, 0 };
    for (int32_t p = 0; p < r->npars; ++p)
        wrap(r, (uint32_t)p, 0);
    if (r->org_par != 0 || r->org_line != 0) {
        r->org_par = r->org_line = 0;
        notify_scroll(r, 0, 0x7FFFFFFF, -1);
    }
    if (r->h_origin != 0) {
        r->h_origin = 0;
        notify_scroll(r, 0x7FFFFFFF, 0x7FFFFFFF, 0);
    }
    show_highlight(r, false);
    update_edit_menu(r->win, r, true);
    // Resuming tells the scroll callback the new total, which the wraps
    // above could not while drawing was suspended.
    if (suspended_here)
        resume(r);
}

void clear_text(Record *r, bool redraw)
{
    for (int32_t p = 0; p < r->npars && r->pars; ++p)
        free_block(r->pars[p].block);
    if (r->pars_handle)
        ruvv_gmem_free(r->pars_handle);
    r->pars_handle = nullptr;
    r->pars = nullptr;
    r->pars_cap = 0;
    r->npars = 0;
    r->anchor = r->caret = r->hl_from = r->hl_to = Pos{ 0, 0, 0, 0 };
    r->org_par = r->org_line = 0;
    int32_t old = r->total_lines;
    r->total_lines = 0;
    if (LineAccess *a = line_access())
        if (a->open && a->handle == r->handle)
            a->open = 0;
    if (redraw) {
        relayout(r);
        if (old != 0)
            notify_scroll(r, 0x7FFFFFFF, 0, -1);
    }
}

void close_line_access()
{
    if (LineAccess *a = line_access())
        a->open = 0;
}

} // namespace ruvtx

using namespace ruvtx;

// Line access for the application: the paragraph stays open (by handle and
// index) between calls, and each read takes the paragraph's current block,
// so an edit between two reads never leaves the caller a freed block.
extern "C" char *ruvtx_line_access(Record *r, int32_t par, int32_t mode, int32_t line, int32_t *length)
{
    LineAccess *a = line_access();
    if (!a)
        return nullptr;
    if (length)
        *length = 0;
    switch (mode) {
    case 0:
        if (par < 0 || par >= r->npars) {
            report(r->win, kErrTooBig, __LINE__);
            return nullptr;
        }
        a->handle = r->handle;
        a->par = (uint32_t)par;
        a->open = 1;
        return par_block(r, (uint32_t)par)->text();
    case 1: {
        if (!a->open || a->handle != r->handle || a->par >= (uint32_t)r->npars) {
            ruvv_errmsg_dispatch(r->win, RUV_SEV_FATAL, kErrInternal, __FILE__, __LINE__);
            return nullptr;
        }
        if (line < 0 || line >= r->pars[a->par].lines) {
            report(r->win, kErrTooBig, __LINE__);
            return nullptr;
        }
        ParBlock *b = par_block(r, a->par);
        int32_t s = line_start(r, a->par, line);
        if (length)
            *length = line_end(r, a->par, line) - s;
        return b->text() + s;
    }
    case 2:
        a->open = 0;
        return nullptr;
    default:
        ruvv_errmsg_dispatch(r->win, RUV_SEV_FATAL, kErrInternal, __FILE__, __LINE__);
        return nullptr;
    }
}

extern "C" int32_t ruvv_txe_text_width(ruvtx::Record *r, const char *text, int32_t n, int32_t x)
{
    if (!r || !text)
        return x;
    int32_t len = (int32_t)strlen(text);
    return text_width(r, text, n < 0 ? len : bytes_of(text, len, n), x);
}
