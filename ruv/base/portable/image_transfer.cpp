/* Image transfer: copies a rectangle of one raster into a rectangle of
   another.  Whole-pixel scaling by a digital differential analyser with a
   15-bit fraction, mirroring by reversed rectangles, proportional clipping
   of both rectangles to their rasters, and conversion between indexed,
   bit-field, byte-channel and table-mapped pixels.  Images use it through
   ruvv_image_transfer; the kernel drives it with its own layouts. */
#include <string.h>

#include <vector>

#include "image_private.h"
#include "ruvv_color.h"
#include "ruvv_imgxfer.h"

using namespace ruv_image;

namespace {

constexpr RUV_ERRMSG_ID ERR_NO_CONVERTER = 0x01570005; /* "Internal image error" */
constexpr int32_t ONE = 32768;                         /* 1.0 in the stepping fraction */
/* Above this many pixels (rows times the wider width) nearest colours come
   from a shared colour table instead of a linear search. */
constexpr int64_t LINEAR_SEARCH_LIMIT = 48;

/* One column pair of a transfer: byte offsets in the rows, and for packed
   indexes the shift and mask of the pixel within its byte. */
struct Column {
    int32_t src_off;
    int32_t dst_off;
    uint8_t src_shift, src_mask;
    uint8_t dst_shift, dst_mask;
};

struct Rgb {
    uint8_t r, g, b;
};

/* What a row converter knows of one side. */
struct Layout {
    const RUV_XFER_DESC *d;
    int32_t kind;
    int32_t bpp;
    int32_t pixel_bytes;      /* kinds 1-3 */
    /* indexed */
    const RUV_COLOR *clut;
    int32_t ncolors;
    int32_t clut_size;
    /* bit field: channel shifts and masks, expansion to 8 bits (reading)
       and the stored bits of each 8-bit component (writing) */
    uint32_t mask[3];
    int32_t shift[3];
    std::vector<uint8_t> expand[3];
    uint32_t build[3][256];
    bool high_first;
    /* byte channels: positions of red, green, blue */
    int32_t pos[3];
};

struct Converter;
using RowFn = void (*)(const Converter &c, const uint8_t *src, uint8_t *dst, const Column *cols, size_t n);

struct Converter {
    Layout src, dst;
    uint8_t map[256];                /* indexed -> indexed */
    bool identical = false;          /* bit field -> identical bit field */
    RUV_COLOR_TABLE_REF *table = nullptr; /* direct -> indexed, shared table */
    RowFn row = nullptr;
};

int32_t ctz32(uint32_t v)
{
    int32_t n = 0;
    while (v && !(v & 1)) {
        v >>= 1;
        n++;
    }
    return n;
}

int32_t popcount32(uint32_t v)
{
    int32_t n = 0;
    for (; v; v &= v - 1)
        n++;
    return n;
}

bool setup_layout(Layout &l, const RUV_XFER_DESC *d)
{
    l.d = d;
    l.kind = d->kind;
    l.bpp = d->bits_per_pixel;
    switch (d->kind) {
    case RUV_XFER_INDEXED:
        if (l.bpp != 1 && l.bpp != 2 && l.bpp != 4 && l.bpp != 8)
            return false;
        l.clut = d->clut;
        l.ncolors = d->green_or_ncolors < 0 ? 0 : d->green_or_ncolors > 256 ? 256 : d->green_or_ncolors;
        l.clut_size = d->clut_size > 0 ? d->clut_size : l.ncolors;
        if (!l.clut)
            l.ncolors = l.clut_size = 0;
        return true;
    case RUV_XFER_BITFIELD: {
        if (l.bpp != 8 && l.bpp != 16)
            return false;
        l.pixel_bytes = l.bpp / 8;
        l.high_first = d->word_order == RUV_XFER_WORD_HIGH_FIRST;
        const uint32_t masks[3] = {(uint32_t)d->red, (uint32_t)d->green_or_ncolors, (uint32_t)d->blue};
        for (int k = 0; k < 3; k++) {
            uint32_t m = masks[k] & (l.bpp == 8 ? 0xFFu : 0xFFFFu);
            l.mask[k] = m;
            l.shift[k] = ctz32(m);
            int32_t width = popcount32(m);
            uint32_t max = width ? (1u << width) - 1 : 0;
            l.expand[k].assign((size_t)max + 1, 0);
            for (uint32_t v = 0; v <= max && max; v++)
                l.expand[k][v] = (uint8_t)((v * 255 + max / 2) / max);
            for (uint32_t c = 0; c < 256; c++)
                l.build[k][c] = width ? ((width >= 8 ? c << (width - 8) : c >> (8 - width)) << l.shift[k]) & m : 0;
        }
        return true;
    }
    case RUV_XFER_BYTES:
    case RUV_XFER_TABLED:
        if (l.bpp < 24 || l.bpp % 8 != 0)
            return false;
        l.pixel_bytes = l.bpp / 8;
        l.pos[0] = d->red;
        l.pos[1] = d->green_or_ncolors;
        l.pos[2] = d->blue;
        for (int k = 0; k < 3; k++)
            if (l.pos[k] < 0 || l.pos[k] >= l.pixel_bytes)
                return false;
        return true;
    default:
        return false;
    }
}

/* ---- Reading and writing one pixel by kind ----------------------------- */

inline uint32_t read_index(const uint8_t *row, const Column &c, bool src)
{
    return src ? (uint32_t)(row[c.src_off] & c.src_mask) >> c.src_shift
               : (uint32_t)(row[c.dst_off] & c.dst_mask) >> c.dst_shift;
}

inline void write_index(uint8_t *row, const Column &c, uint32_t index)
{
    uint8_t &b = row[c.dst_off];
    b = (uint8_t)((b & ~c.dst_mask) | ((index << c.dst_shift) & c.dst_mask));
}

inline uint32_t read_word(const Layout &l, const uint8_t *p)
{
    if (l.bpp == 8)
        return p[0];
    if (l.high_first)
        return (uint32_t)p[0] << 8 | p[1];
    uint16_t w;
    memcpy(&w, p, 2);
    return w;
}

inline void write_word(const Layout &l, uint8_t *p, uint32_t v)
{
    if (l.bpp == 8) {
        p[0] = (uint8_t)v;
    } else if (l.high_first) {
        p[0] = (uint8_t)(v >> 8);
        p[1] = (uint8_t)v;
    } else {
        uint16_t w = (uint16_t)v;
        memcpy(p, &w, 2);
    }
}

template <int KIND> inline Rgb read_rgb(const Layout &l, const uint8_t *row, const Column &c)
{
    if constexpr (KIND == RUV_XFER_INDEXED) {
        uint32_t i = read_index(row, c, true);
        RUV_COLOR col = (int32_t)i < l.clut_size ? l.clut[i] : 0;
        return {(uint8_t)(col >> 16), (uint8_t)(col >> 8), (uint8_t)col};
    } else if constexpr (KIND == RUV_XFER_BITFIELD) {
        uint32_t v = read_word(l, row + c.src_off);
        return {l.expand[0][(v & l.mask[0]) >> l.shift[0]], l.expand[1][(v & l.mask[1]) >> l.shift[1]],
                l.expand[2][(v & l.mask[2]) >> l.shift[2]]};
    } else {
        const uint8_t *p = row + c.src_off;
        Rgb rgb = {p[l.pos[0]], p[l.pos[1]], p[l.pos[2]]};
        if constexpr (KIND == RUV_XFER_TABLED) {
            if (l.d->in_tables[0])
                rgb.r = l.d->in_tables[0][rgb.r];
            if (l.d->in_tables[1])
                rgb.g = l.d->in_tables[1][rgb.g];
            if (l.d->in_tables[2])
                rgb.b = l.d->in_tables[2][rgb.b];
        }
        return rgb;
    }
}

template <int KIND> inline void write_rgb(const Layout &l, uint8_t *row, const Column &c, Rgb rgb)
{
    if constexpr (KIND == RUV_XFER_BITFIELD) {
        write_word(l, row + c.dst_off, l.build[0][rgb.r] | l.build[1][rgb.g] | l.build[2][rgb.b]);
    } else {
        uint8_t *p = row + c.dst_off;
        if constexpr (KIND == RUV_XFER_TABLED) {
            p[l.pos[0]] = l.d->out_tables[0] ? (uint8_t)l.d->out_tables[0][rgb.r] : rgb.r;
            p[l.pos[1]] = l.d->out_tables[1] ? (uint8_t)l.d->out_tables[1][rgb.g] : rgb.g;
            p[l.pos[2]] = l.d->out_tables[2] ? (uint8_t)l.d->out_tables[2][rgb.b] : rgb.b;
        } else {
            /* Any further byte of the pixel is left as it was. */
            p[l.pos[0]] = rgb.r;
            p[l.pos[1]] = rgb.g;
            p[l.pos[2]] = rgb.b;
        }
    }
}

/* ---- Row converters ----------------------------------------------------- */

void row_index_to_index(const Converter &c, const uint8_t *src, uint8_t *dst, const Column *cols, size_t n)
{
    if (c.src.bpp == 8 && c.dst.bpp == 8) {
        for (size_t i = 0; i < n; i++)
            dst[cols[i].dst_off] = c.map[src[cols[i].src_off]];
        return;
    }
    for (size_t i = 0; i < n; i++)
        write_index(dst, cols[i], c.map[read_index(src, cols[i], true) & 0xFF]);
}

template <int SK> void row_direct_to_index(const Converter &c, const uint8_t *src, uint8_t *dst, const Column *cols, size_t n)
{
    for (size_t i = 0; i < n; i++) {
        Rgb rgb = read_rgb<SK>(c.src, src, cols[i]);
        RUV_COLOR col = (RUV_COLOR)rgb.r << 16 | (RUV_COLOR)rgb.g << 8 | rgb.b;
        int32_t index = c.table ? ruvv_color_table_nearest(col, c.table)
                                : ruvv_color_nearest_b(c.dst.clut, c.dst.ncolors, col);
        write_index(dst, cols[i], (uint32_t)index);
    }
}

template <int SK, int DK> void row_to_direct(const Converter &c, const uint8_t *src, uint8_t *dst, const Column *cols, size_t n)
{
    for (size_t i = 0; i < n; i++)
        write_rgb<DK>(c.dst, dst, cols[i], read_rgb<SK>(c.src, src, cols[i]));
}

void row_bitfield_copy(const Converter &c, const uint8_t *src, uint8_t *dst, const Column *cols, size_t n)
{
    size_t bytes = (size_t)c.src.pixel_bytes;
    for (size_t i = 0; i < n; i++)
        memcpy(dst + cols[i].dst_off, src + cols[i].src_off, bytes);
}

/* ---- The converter table ------------------------------------------------ */

struct Pair {
    int src_kind, dst_kind;
    bool (*prepare)(Converter &c, int64_t pixels);
    RowFn row;
    void (*finish)(Converter &c);
};

bool prepare_index_to_index(Converter &c, int64_t)
{
    const uint8_t *map = ruvv_color_index_map(c.src.clut, c.src.ncolors, c.dst.clut, c.dst.ncolors);
    if (!map)
        return false;
    memcpy(c.map, map, sizeof c.map);
    /* An index beyond the destination's packed width keeps its low bits. */
    return true;
}

bool prepare_direct_to_index(Converter &c, int64_t pixels)
{
    if (pixels > LINEAR_SEARCH_LIMIT && c.dst.ncolors > 0) {
        c.table = ruvv_color_table_for_list(c.dst.clut, c.dst.ncolors);
        if (!c.table)
            return false;
    }
    return true;
}

void finish_direct_to_index(Converter &c)
{
    if (c.table)
        ruvv_color_table_release(c.table);
    c.table = nullptr;
}

bool prepare_bitfield_pair(Converter &c, int64_t)
{
    c.identical = c.src.bpp == c.dst.bpp && c.src.high_first == c.dst.high_first &&
                  c.src.mask[0] == c.dst.mask[0] && c.src.mask[1] == c.dst.mask[1] && c.src.mask[2] == c.dst.mask[2];
    if (c.identical)
        c.row = row_bitfield_copy;
    return true;
}

bool prepare_none(Converter &, int64_t) { return true; }
void finish_none(Converter &) {}

constexpr int I = RUV_XFER_INDEXED, F = RUV_XFER_BITFIELD, B = RUV_XFER_BYTES, T = RUV_XFER_TABLED;

const Pair PAIRS[16] = {
    {I, I, prepare_index_to_index, row_index_to_index, finish_none},
    {F, I, prepare_direct_to_index, row_direct_to_index<F>, finish_direct_to_index},
    {B, I, prepare_direct_to_index, row_direct_to_index<B>, finish_direct_to_index},
    {T, I, prepare_direct_to_index, row_direct_to_index<T>, finish_direct_to_index},
    {I, F, prepare_none, row_to_direct<I, F>, finish_none},
    {I, B, prepare_none, row_to_direct<I, B>, finish_none},
    {I, T, prepare_none, row_to_direct<I, T>, finish_none},
    {F, F, prepare_bitfield_pair, row_to_direct<F, F>, finish_none},
    {F, B, prepare_none, row_to_direct<F, B>, finish_none},
    {F, T, prepare_none, row_to_direct<F, T>, finish_none},
    {B, F, prepare_none, row_to_direct<B, F>, finish_none},
    {B, B, prepare_none, row_to_direct<B, B>, finish_none},
    {B, T, prepare_none, row_to_direct<B, T>, finish_none},
    {T, F, prepare_none, row_to_direct<T, F>, finish_none},
    {T, B, prepare_none, row_to_direct<T, B>, finish_none},
    {T, T, prepare_none, row_to_direct<T, T>, finish_none},
};

/* ---- Stepping ------------------------------------------------------------ */

/* One axis of a transfer after clipping: starts, directions and lengths;
   a reversed span starts one pixel back so its last pixel is included. */
struct Axis {
    int32_t s, d;       /* first source and destination position */
    int32_t sdir, ddir;
    int32_t slen, dlen;
    bool src_major;
    int32_t step;
    int32_t count;      /* iterations: the major length */
};

Axis make_axis(int32_t s0, int32_t s1, int32_t d0, int32_t d1)
{
    Axis a;
    a.sdir = s1 >= s0 ? 1 : -1;
    a.ddir = d1 >= d0 ? 1 : -1;
    a.slen = s1 >= s0 ? s1 - s0 : s0 - s1;
    a.dlen = d1 >= d0 ? d1 - d0 : d0 - d1;
    a.s = a.sdir < 0 ? s0 - 1 : s0;
    a.d = a.ddir < 0 ? d0 - 1 : d0;
    a.src_major = a.slen >= a.dlen;
    int32_t major = a.src_major ? a.slen : a.dlen;
    int32_t minor = a.src_major ? a.dlen : a.slen;
    a.step = major ? (int32_t)((int64_t)minor * ONE / major) : 0;
    a.count = major;
    return a;
}

/* Runs the analyser: calls visit(source, destination) for every step. */
template <class Visit> void walk(const Axis &a, Visit visit)
{
    int32_t s = a.s, d = a.d, acc = 0;
    for (int32_t i = 0; i < a.count; i++) {
        visit(s, d);
        acc += a.step;
        if (a.src_major) {
            s += a.sdir;
            if (acc >= ONE) {
                d += a.ddir;
                acc &= ONE - 1;
            }
        } else {
            d += a.ddir;
            if (acc >= ONE) {
                s += a.sdir;
                acc &= ONE - 1;
            }
        }
    }
}

struct Range {
    int32_t lo, hi; /* lo <= x < hi */
    bool has(int32_t x) const { return x >= lo && x < hi; }
};

Range span_range(int32_t a, int32_t b, int32_t lo, int32_t hi)
{
    Range r = {a < b ? a : b, a < b ? b : a};
    if (r.lo < lo)
        r.lo = lo;
    if (r.hi > hi)
        r.hi = hi;
    return r;
}

Column make_column(const Layout &src, const Layout &dst, int32_t sx, int32_t dx)
{
    Column c = {};
    if (src.kind == RUV_XFER_INDEXED) {
        int32_t bit = sx * src.bpp;
        c.src_off = bit / 8;
        c.src_shift = (uint8_t)(8 - src.bpp - bit % 8);
        c.src_mask = (uint8_t)(((1u << src.bpp) - 1) << c.src_shift);
    } else {
        c.src_off = sx * src.pixel_bytes;
    }
    if (dst.kind == RUV_XFER_INDEXED) {
        int32_t bit = dx * dst.bpp;
        c.dst_off = bit / 8;
        c.dst_shift = (uint8_t)(8 - dst.bpp - bit % 8);
        c.dst_mask = (uint8_t)(((1u << dst.bpp) - 1) << c.dst_shift);
    } else {
        c.dst_off = dx * dst.pixel_bytes;
    }
    return c;
}

uint8_t *image_row(const RUV_XFER_DESC *desc, int32_t row)
{
    return ruvv_image_get_scanline(static_cast<RUV_IMAGE *>(desc->source), row);
}

void swap16(int16_t &a, int16_t &b)
{
    int16_t t = a;
    a = b;
    b = t;
}

} // namespace

extern "C" RUV_BOOL ruvv_imgxfer_clip_spans(int32_t *start, int32_t *end, int32_t lo, int32_t hi,
                                            int32_t *partner_start, int32_t *partner_end)
{
    int32_t &a0 = *start, &a1 = *end, &b0 = *partner_start, &b1 = *partner_end;
    if (a0 == a1 || b0 == b1)
        return FALSE;
    int32_t bdir = b1 >= b0 ? 1 : -1;
    bool forward = a1 >= a0;
    /* Cut the span's low end, then its high end; each cut moves the
       partner's corresponding end by delta x partner / span, rounded. */
    for (int pass = 0; pass < 2; pass++) {
        int32_t &edge = (forward == (pass == 0)) ? a0 : a1;
        int32_t &partner = (forward == (pass == 0)) ? b0 : b1;
        bool is_start = &edge == &a0;
        int64_t delta = pass == 0 ? (int64_t)lo - edge : (int64_t)edge - hi;
        if (delta <= 0)
            continue;
        int64_t alen = a1 >= a0 ? (int64_t)a1 - a0 : (int64_t)a0 - a1;
        int64_t blen = b1 >= b0 ? (int64_t)b1 - b0 : (int64_t)b0 - b1;
        if (delta >= alen)
            return FALSE;
        int64_t adj = (delta * blen + alen / 2) / alen;
        edge = pass == 0 ? lo : hi;
        partner = (int32_t)(partner + (is_start ? adj : -adj) * bdir);
        if (a0 == a1 || b0 == b1 || (b1 - b0) * bdir < 0)
            return FALSE;
    }
    return TRUE;
}

extern "C" void ruvv_imgxfer_describe(RUV_XFER_DESC *desc, RUV_IMAGE *image)
{
    memset(desc, 0, sizeof *desc);
    if (!ruvv_image_is_valid(image)) {
        RUV_ERR(image, RUV_SEV_FATAL, ERR_BAD_VALUE);
        return;
    }
    desc->width = image->width;
    desc->height = image->height;
    desc->source = image;
    desc->row_fetch = image_row;
    switch (image->format) {
    case RUV_IMAGE_INDEXED:
        desc->kind = RUV_XFER_INDEXED;
        desc->bits_per_pixel = 8;
        desc->green_or_ncolors = image->ncolors < 0 ? 0 : image->ncolors > 256 ? 256 : image->ncolors;
        desc->clut = image->clut;
        desc->clut_size = RUV_IMAGE_CLUT_SIZE;
        break;
    case RUV_IMAGE_MONO:
        desc->kind = RUV_XFER_INDEXED;
        desc->bits_per_pixel = 1;
        desc->green_or_ncolors = 2;
        desc->clut = image->clut;
        desc->clut_size = 2;
        break;
    default:
        desc->kind = RUV_XFER_BYTES;
        desc->bits_per_pixel = 32;
        desc->red = 2;
        desc->green_or_ncolors = 1;
        desc->blue = 0;
    }
}

extern "C" void ruvv_imgxfer_prepare(RUV_IMAGE *image, RUV_RECT *rect, RUV_RECT *partner,
                                     RUV_XFER_DESC *desc, RUV_RECT *clip)
{
    ruvv_imgxfer_describe(desc, image);
    if (rect->bottom < rect->top) {
        swap16(rect->top, rect->bottom);
        swap16(partner->top, partner->bottom);
    }
    if (rect->right < rect->left) {
        swap16(rect->left, rect->right);
        swap16(partner->left, partner->right);
    }
    clip->top = 0;
    clip->left = 0;
    clip->bottom = desc->height;
    clip->right = desc->width;
}

extern "C" void ruvv_imgxfer_run(const RUV_XFER_DESC *dst, const RUV_XFER_DESC *src, const RUV_RECT *dst_rect,
                                 const RUV_RECT *src_rect, const RUV_RECT *clip)
{
    if (!dst || !src || !dst_rect || !src_rect || !clip || !dst->row_fetch || !src->row_fetch)
        return;
    const Pair *pair = nullptr;
    for (const Pair &p : PAIRS)
        if (p.src_kind == src->kind && p.dst_kind == dst->kind)
            pair = &p;
    if (!pair) {
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_NO_CONVERTER);
        return;
    }
    Converter conv;
    if (!setup_layout(conv.src, src) || !setup_layout(conv.dst, dst)) {
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_BAD_VALUE);
        return;
    }

    /* Clip both rectangles to their rasters, each cut moving the other. */
    int32_t sx0 = src_rect->left, sx1 = src_rect->right, dx0 = dst_rect->left, dx1 = dst_rect->right;
    int32_t sy0 = src_rect->top, sy1 = src_rect->bottom, dy0 = dst_rect->top, dy1 = dst_rect->bottom;
    if (!ruvv_imgxfer_clip_spans(&sx0, &sx1, 0, src->width, &dx0, &dx1) ||
        !ruvv_imgxfer_clip_spans(&dx0, &dx1, 0, dst->width, &sx0, &sx1) ||
        !ruvv_imgxfer_clip_spans(&sy0, &sy1, 0, src->height, &dy0, &dy1) ||
        !ruvv_imgxfer_clip_spans(&dy0, &dy1, 0, dst->height, &sy0, &sy1))
        return;

    Range src_cols = span_range(sx0, sx1, 0, src->width);
    Range src_rows = span_range(sy0, sy1, 0, src->height);
    Range dst_cols = span_range(dx0, dx1, clip->left > 0 ? clip->left : 0,
                                clip->right < dst->width ? clip->right : dst->width);
    Range dst_rows = span_range(dy0, dy1, clip->top > 0 ? clip->top : 0,
                                clip->bottom < dst->height ? clip->bottom : dst->height);

    Axis xs = make_axis(sx0, sx1, dx0, dx1);
    Axis ys = make_axis(sy0, sy1, dy0, dy1);

    /* The column table, filled in order: where several source columns
       fall on one destination column, the last one is written last. */
    Column *cols = static_cast<Column *>(ruvv_mem_alloc(sizeof(Column) * (size_t)(xs.count > 0 ? xs.count : 1)));
    if (!cols) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_HEAP);
        return;
    }
    size_t ncols = 0;
    walk(xs, [&](int32_t sx, int32_t dx) {
        if (src_cols.has(sx) && dst_cols.has(dx))
            cols[ncols++] = make_column(conv.src, conv.dst, sx, dx);
    });

    conv.row = pair->row;
    int64_t pixels = (int64_t)ys.count * (xs.slen > xs.dlen ? xs.slen : xs.dlen);
    if (ncols > 0 && pair->prepare(conv, pixels)) {
        int32_t last_dy = -1;
        bool any = false;
        walk(ys, [&](int32_t sy, int32_t dy) {
            if (!src_rows.has(sy) || !dst_rows.has(dy))
                return;
            /* A destination row is converted once, from the first source
               row that falls on it. */
            if (ys.src_major && any && dy == last_dy)
                return;
            conv.row(conv, src->row_fetch(src, sy), dst->row_fetch(dst, dy), cols, ncols);
            last_dy = dy;
            any = true;
        });
        pair->finish(conv);
    }
    ruvv_mem_free(cols);
}

extern "C" void ruvv_image_transfer(RUV_IMAGE *dst, RUV_IMAGE *src, const RUV_RECT *dst_rect,
                                    const RUV_RECT *src_rect)
{
    if (!dst || !src) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_NULL_IMAGE);
        return;
    }
    if (!ruvv_image_is_valid(dst) || !ruvv_image_is_valid(src)) {
        RUV_ERR(ruvv_image_is_valid(dst) ? src : dst, RUV_SEV_FATAL, ERR_BAD_FORMAT);
        return;
    }
    if (!dst_rect || !src_rect)
        return;

    /* An indexed source gives the destination its colours. */
    if (src->format != RUV_IMAGE_DIRECT) {
        int32_t src_entries = src->format == RUV_IMAGE_INDEXED ? RUV_IMAGE_CLUT_SIZE : 2;
        if (dst->format == RUV_IMAGE_INDEXED && dst != src) {
            for (int32_t i = 0; i < RUV_IMAGE_CLUT_SIZE; i++)
                dst->clut[i] = i < src_entries ? src->clut[i] : RUV_COLOR_UNSET;
            ruvv_image_set_ncolors(dst, src->ncolors);
        } else if (dst->format == RUV_IMAGE_MONO && dst != src) {
            dst->clut[0] = src->clut[0];
            dst->clut[1] = src->clut[1];
            dst->ncolors = 2;
        }
    }

    RUV_RECT d = *dst_rect, s = *src_rect, clip, src_clip;
    RUV_XFER_DESC dd, sd;
    ruvv_imgxfer_prepare(src, &s, &d, &sd, &src_clip);
    ruvv_imgxfer_prepare(dst, &d, &s, &dd, &clip);
    ruvv_imgxfer_run(&dd, &sd, &d, &s, &clip);
}
