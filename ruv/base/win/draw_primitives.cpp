/* The drawing primitives of drawable objects: each obtains the object's
   device context, selects the pen, brush or font made from the drawing
   state's tools, makes one GDI call in toolkit coordinates (v vertical, h
   horizontal; GDI gets x = h, y = v) and keeps the pen position.  Arrow
   lines fill their heads in the pen's colour; text takes its baseline from
   the font and goes through an off-screen bitmap whenever the draw mode or
   an opaque box needs a raster operation; scrolling lets the window
   system invalidate the uncovered strip. */
#include "draw_primitives.h"

#include "draw_state.h"
#include "kernel_app.h"
#include "printing.h"
#include "window_services.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_color.h"
#include "ruvv_font.h"
#include "ruvv_str.h"
#include "ruvv_vobj.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const DWORD BLT_OF_MODE[8] = {SRCCOPY, SRCAND, 0x00990066u, MERGEPAINT, NOTSRCCOPY, 0x00220326u, SRCINVERT, SRCPAINT};
/* The object's drawing state holding a device context, or NULL when the
   process has no application record or the object cannot draw. */
RUV_DRAW_STATE *begin(RUV_WIN win)
{
    if (!ruvk_app_record() || !win || !ruvv_vobj_is_valid(win) || !win->draw_state)
        return nullptr;
    return ruvk_draw_begin(win);
}

RECT native_rect(const RUV_RECT &r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

/* Bytes of a text count: -1 the whole string, else that many characters. */
int32_t byte_count(const char *text, int32_t count)
{
    if (!text || count == 0)
        return 0;
    if (count < 0)
        return (int32_t)strlen(text);
    return ruvv_str_get_n_char_size(text, count);
}

/* Rounds a value in 1/128 pixels to the nearest pixel. */
LONG round128(int64_t v)
{
    return (LONG)((v + 64) >> 7);
}

void fill_triangle(HDC dc, POINT tip, int64_t bx, int64_t by, int64_t px, int64_t py)
{
    POINT tri[3] = {tip, {round128(bx + px), round128(by + py)}, {round128(bx - px), round128(by - py)}};
    Polygon(dc, tri, 3);
}

/* Text through a bitmap: the text drawn with the window's font and
   colours into a white bitmap of its extent, then transferred with the
   draw mode's raster operation. */
void text_through_bitmap(RUV_DRAW_STATE *st, int x, int top, const char *text, int bytes, const TEXTMETRICA &tm)
{
    HDC dc = st->hdc;
    SIZE extent;
    if (!GetTextExtentPoint32A(dc, text, bytes, &extent) || extent.cx <= 0)
        return;
    int height = tm.tmAscent + tm.tmDescent;
    HDC mem = CreateCompatibleDC(dc);
    if (!mem)
        return;
    HBITMAP bmp = CreateCompatibleBitmap(dc, extent.cx, height);
    if (!bmp) {
        DeleteDC(mem);
        return;
    }
    HGDIOBJ old_bmp = SelectObject(mem, bmp);
    PatBlt(mem, 0, 0, extent.cx, height, WHITENESS);
    HGDIOBJ old_font = st->dc && st->dc->font ? SelectObject(mem, st->dc->font) : nullptr;
    SetTextColor(mem, ruvk_draw_colorref(st, st->tools.fore));
    if (st->tools.opaque) {
        SetBkMode(mem, OPAQUE);
        SetBkColor(mem, ruvk_draw_colorref(st, st->tools.back));
    } else {
        SetBkMode(mem, TRANSPARENT);
    }
    TextOutA(mem, 0, 0, text, bytes);
    BitBlt(dc, x, top, extent.cx, height, mem, 0, 0, ruvk_draw_blt_rop(st->tools.draw_mode));
    if (old_font)
        SelectObject(mem, old_font);
    SelectObject(mem, old_bmp);
    DeleteObject(bmp);
    DeleteDC(mem);
}

/* Maps the state's font for its window and selects it with the text
   colours. */
void select_text_font(RUV_WIN win, RUV_DRAW_STATE *st)
{
    if (st->font && !st->font->mapped)
        ruvv_font_map(st->font, win);
    ruvk_draw_select_font(st);
}


/* ---- Rules on printers ---- */

constexpr int32_t ATTR_PRINT_RULES = 10022;

/* How the printer of a print window takes rules (DRAWPATTERNRECT): 0 not
   at all (or not a print window, or rules are off), 1 black and grey, 2
   white too. */
int rule_support(const RUV_DRAW_STATE *st)
{
    if (!(st->kind & RUV_KIND_PRINT) || !st->hdc || !ruvk_vobj_get_attr(NULL_WIN, ATTR_PRINT_RULES))
        return 0;
    int code = DRAWPATTERNRECT;
    const int answer = ruvk_print_device()->escape(st->hdc, QUERYESCSUPPORT, sizeof code,
                                                   reinterpret_cast<LPCSTR>(&code), nullptr);
    return answer > 0 ? answer : 0;
}

/* One rule over r (right and bottom excluded) in colour, clipped to the
   drawing state's clip: true when it is drawn or there is nothing to draw
   (white on a printer that takes no white rules), false when the printer
   refused it. */
bool send_rule(const RUV_DRAW_STATE *st, int support, RECT r, RUV_COLOR color)
{
    r.left = std::max<LONG>(r.left, st->clip.left);
    r.top = std::max<LONG>(r.top, st->clip.top);
    r.right = std::min<LONG>(r.right, st->clip.right);
    r.bottom = std::min<LONG>(r.bottom, st->clip.bottom);
    if (r.right <= r.left || r.bottom <= r.top)
        return true;
    DRAWPATRECT rule{};
    rule.ptPosition = POINT{ r.left, r.top };
    rule.ptSize = POINT{ r.right - r.left, r.bottom - r.top };
    const RUV_COLOR rgb = color & RUV_COLOR_RGB_MASK;
    if (rgb == 0) {
        rule.wStyle = 0;
    } else if (rgb == RUV_COLOR_RGB_MASK) {
        if (support != 2)
            return true;
        rule.wStyle = 1;
    } else {
        const int red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
        rule.wStyle = 2;
        rule.wPattern = static_cast<WORD>(100 - (707 * green + 222 * red + 71 * blue) / 2560);
    }
    return ruvk_print_device()->escape(st->hdc, DRAWPATTERNRECT, sizeof rule, reinterpret_cast<LPCSTR>(&rule),
                                       nullptr) > 0;
}

/* A solid vertical or horizontal line from the current position as a rule
   of the pen's width; the position moves to the end.  False when the line
   is not one for a rule or the printer refused it. */
bool line_as_rule(RUV_DRAW_STATE *st, POINT to)
{
    const RUV_CPEN &pen = st->tools.pen;
    if (pen.pattern != 2 || pen.style != 0)
        return false;
    POINT from{ 0, 0 };
    GetCurrentPositionEx(st->hdc, &from);
    if (from.x != to.x && from.y != to.y)
        return false;
    const int support = rule_support(st);
    if (!support)
        return false;
    const LONG w = pen.width > 0 ? pen.width : 1;
    RECT r;
    if (from.x == to.x)
        r = RECT{ to.x - w / 2, std::min(from.y, to.y), to.x + (w + 1) / 2, std::max(from.y, to.y) };
    else
        r = RECT{ std::min(from.x, to.x), to.y - w / 2, std::max(from.x, to.x), to.y + (w + 1) / 2 };
    if (!send_rule(st, support, r, pen.color))
        return false;
    MoveToEx(st->hdc, to.x, to.y, nullptr);
    return true;
}

/* A rectangle of a solid or no pen and a solid or no brush as rules: the
   fill, then the four edges of the frame.  False when the rectangle is
   not one for rules or the fill was refused (the whole rectangle is then
   drawn as usual). */
bool rect_as_rules(RUV_DRAW_STATE *st, const RECT &r)
{
    const RUV_CPEN &pen = st->tools.pen;
    const RUV_CBRUSH &brush = st->tools.brush;
    if (pen.style != 0 || (pen.pattern != 1 && pen.pattern != 2) || (brush.pattern != 1 && brush.pattern != 2))
        return false;
    const int support = rule_support(st);
    if (!support)
        return false;
    if (brush.pattern == 2 && !send_rule(st, support, r, brush.color))
        return false;
    if (pen.pattern == 2) {
        const LONG w = pen.width > 0 ? pen.width : 1;
        const RECT out{ r.left - w / 2, r.top - w / 2, r.right + (w + 1) / 2 - 1, r.bottom + (w + 1) / 2 - 1 };
        const RECT in{ out.left + w, out.top + w, out.right - w, out.bottom - w };
        send_rule(st, support, RECT{ out.left, out.top, out.right, in.top }, pen.color);
        send_rule(st, support, RECT{ out.left, in.bottom, out.right, out.bottom }, pen.color);
        send_rule(st, support, RECT{ out.left, in.top, in.left, in.bottom }, pen.color);
        send_rule(st, support, RECT{ in.right, in.top, out.right, in.bottom }, pen.color);
    }
    return true;
}

} // namespace

extern "C" DWORD ruvk_draw_blt_rop(int32_t mode)
{
    return mode >= 0 && mode < 8 ? BLT_OF_MODE[mode] : SRCCOPY;
}

extern "C" void ruvk_draw_unit_vector(int32_t dx, int32_t dy, int32_t *ux, int32_t *uy)
{
    if (dx == 0 && dy == 0) {
        *ux = 128;
        *uy = 0;
        return;
    }
    int64_t x = (int64_t)dx * 128;
    int64_t y = (int64_t)dy * 128;
    while (x < -32000 || x > 32000 || y < -32000 || y > 32000) {
        x /= 2;
        y /= 2;
    }
    /* Newton's iteration for the length, from 128, until two successive
       values differ by at most 2. */
    int64_t square = (x * x / 128 + y * y / 128) * 128;
    int64_t length = 128;
    for (int i = 0; i < 64; ++i) {
        int64_t next = llabs(square / 2 / length + length / 2);
        bool done = llabs(next - length) <= 2;
        length = next;
        if (done || length == 0)
            break;
    }
    if (length == 0) {
        *ux = 128;
        *uy = 0;
        return;
    }
    *ux = (int32_t)(x * 128 / length);
    *uy = (int32_t)(y * 128 / length);
}

extern "C" void ruvk_draw_arrow_heads(RUV_DRAW_STATE *st, POINT s, POINT e, RUV_BOOL start_head, RUV_BOOL end_head,
                                      POINT *line_start, POINT *line_end)
{
    *line_start = s;
    *line_end = e;
    if (!st || !st->hdc || st->tools.pen.pattern == 1)
        return;
    int64_t w = st->tools.pen.width ? st->tools.pen.width : 1;
    int32_t ux, uy;
    ruvk_draw_unit_vector(e.x - s.x, e.y - s.y, &ux, &uy);
    /* Head length 4 (w + 1) pixels along the line, half-width
       217 (w + 1) / 128 pixels across it; all in 1/128 pixels. */
    int64_t along_x = 4 * (w + 1) * ux, along_y = 4 * (w + 1) * uy;
    int64_t across_x = -217 * (w + 1) * uy / 128, across_y = 217 * (w + 1) * ux / 128;

    /* The heads are filled in the pen's colour without an outline, in
       the draw mode's line operation. */
    HDC dc = st->hdc;
    HBRUSH brush = CreateSolidBrush(ruvk_draw_colorref(st, st->tools.pen.color));
    if (!brush)
        return;
    HGDIOBJ old_brush = SelectObject(dc, brush);
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
    ruvk_draw_set_rop2(st, ruvk_draw_rop2(st->tools.draw_mode));
    if (start_head) {
        int64_t bx = (int64_t)s.x * 128 + along_x, by = (int64_t)s.y * 128 + along_y;
        fill_triangle(dc, s, bx, by, across_x, across_y);
        *line_start = POINT{round128(bx), round128(by)};
    }
    if (end_head) {
        int64_t bx = (int64_t)e.x * 128 - along_x, by = (int64_t)e.y * 128 - along_y;
        fill_triangle(dc, e, bx, by, across_x, across_y);
        *line_end = POINT{round128(bx), round128(by)};
    }
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(brush);
}

extern "C" {

void ruvk_dwin_draw_set_pos(RUV_WIN win, RUV_POINT point)
{
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return;
    MoveToEx(st->hdc, point.h, point.v, nullptr);
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_line(RUV_WIN win, RUV_POINT point)
{
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return;
    if (!line_as_rule(st, POINT{ point.h, point.v })) {
        ruvk_draw_select_pen(st);
        LineTo(st->hdc, point.h, point.v);
    }
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_aline(RUV_WIN win, RUV_POINT point, int16_t start_arrow, int16_t end_arrow)
{
    if (!start_arrow && !end_arrow) {
        ruvk_dwin_draw_line(win, point);
        return;
    }
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return;
    POINT s{0, 0};
    GetCurrentPositionEx(st->hdc, &s);
    POINT from, to;
    ruvk_draw_arrow_heads(st, s, POINT{point.h, point.v}, start_arrow != 0, end_arrow != 0, &from, &to);
    if (start_arrow && st->tools.pen.pattern != 1)
        MoveToEx(st->hdc, from.x, from.y, nullptr);
    ruvk_draw_select_pen(st);
    LineTo(st->hdc, to.x, to.y);
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_arc(RUV_WIN win, const RUV_RECT *rect, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    RUV_DRAW_STATE *st = rect ? begin(win) : nullptr;
    if (!st)
        return;
    ruvk_draw_select_pen(st);
    Arc(st->hdc, rect->left, rect->top, rect->right, rect->bottom, x1, y1, x2, y2);
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_pie(RUV_WIN win, const RUV_RECT *rect, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    RUV_DRAW_STATE *st = rect ? begin(win) : nullptr;
    if (!st)
        return;
    ruvk_draw_select_pen(st);
    ruvk_draw_select_brush(st);
    Pie(st->hdc, rect->left, rect->top, rect->right, rect->bottom, x1, y1, x2, y2);
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_oval(RUV_WIN win, const RUV_RECT *rect)
{
    RUV_DRAW_STATE *st = rect ? begin(win) : nullptr;
    if (!st)
        return;
    ruvk_draw_select_pen(st);
    ruvk_draw_select_brush(st);
    Ellipse(st->hdc, rect->left, rect->top, rect->right, rect->bottom);
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_roundrect(RUV_WIN win, const RUV_RECT *rect, int32_t oval_width, int32_t oval_height)
{
    RUV_DRAW_STATE *st = rect ? begin(win) : nullptr;
    if (!st)
        return;
    ruvk_draw_select_pen(st);
    ruvk_draw_select_brush(st);
    RoundRect(st->hdc, rect->left, rect->top, rect->right, rect->bottom, oval_width, oval_height);
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_polyline(RUV_WIN win, const RUV_POINT *points, int32_t count)
{
    if (!points || count <= 0)
        return;
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return;
    if (POINT *p = ruvk_draw_points(points, count)) {
        ruvk_draw_select_pen(st);
        Polyline(st->hdc, p, count);
    }
    /* Polyline and Polygon leave the current position as it was: nothing
       to save. */
}

void ruvk_dwin_draw_polygon(RUV_WIN win, const RUV_POINT *points, int32_t count)
{
    if (!points || count <= 0)
        return;
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return;
    if (POINT *p = ruvk_draw_points(points, count)) {
        ruvk_draw_select_pen(st);
        ruvk_draw_select_brush(st);
        Polygon(st->hdc, p, count);
    }
}

void ruvk_dwin_draw_rect(RUV_WIN win, const RUV_RECT *rect)
{
    RUV_DRAW_STATE *st = rect ? begin(win) : nullptr;
    if (!st)
        return;
    const RUV_DRAW_CTOOLS &t = st->tools;
    RECT r = native_rect(*rect);
    if (rect_as_rules(st, r)) {
        // drawn by the printer
    } else if (t.pen.pattern == 1 && t.brush.pattern == 2 && t.brush.color == RUV_COLOR_BLACK && t.draw_mode == 2) {
        InvertRect(st->hdc, &r);
    } else {
        ruvk_draw_select_pen(st);
        ruvk_draw_select_brush(st);
        if (t.pen.pattern == 1 && t.draw_mode == 0 && st->dc && st->dc->brush)
            FillRect(st->hdc, &r, st->dc->brush);
        else
            Rectangle(st->hdc, r.left, r.top, r.right, r.bottom);
    }
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_icon(RUV_WIN win, int32_t x, int32_t y, int32_t icon_id)
{
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return;
    ruvk_draw_set_rop2(st, ruvk_draw_rop2(st->tools.draw_mode));
    ruvk_draw_set_bk_mode(st, OPAQUE);
    RUV_APP_RECORD *app = ruvk_app_record();
    HICON icon = LoadIconA(app->res_instance ? app->res_instance : app->instance,
                           MAKEINTRESOURCEA((WORD)icon_id));
    if (icon)
        DrawIcon(st->hdc, x, y, icon);
    ruvk_draw_end(st);
}

void ruvk_dwin_draw_text(RUV_WIN win, int32_t x, int32_t y, const char *text, int32_t count)
{
    int32_t bytes = byte_count(text, count);
    if (bytes <= 0)
        return;
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return;
    select_text_font(win, st);
    TEXTMETRICA tm;
    if (!GetTextMetricsA(st->hdc, &tm))
        memset(&tm, 0, sizeof tm);
    int top = y - tm.tmAscent;
    if ((st->kind & RUV_KIND_PRINT) || (!st->tools.opaque && st->tools.draw_mode == 0))
        TextOutA(st->hdc, x, top, text, bytes);
    else
        text_through_bitmap(st, x, top, text, bytes, tm);
    ruvk_draw_end(st);
}

int32_t ruvk_dwin_get_text_width(RUV_WIN win, const char *text, int32_t count)
{
    int32_t bytes = byte_count(text, count);
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return 0;
    select_text_font(win, st);
    SIZE extent{0, 0};
    if (bytes > 0)
        GetTextExtentPoint32A(st->hdc, text, bytes, &extent);
    ruvk_draw_end(st);
    return extent.cx;
}

void ruvk_dwin_invalidate_rect(RUV_WIN win, const RUV_RECT *rect)
{
    HWND hwnd = ruvk_vobj_hwnd(win);
    if (!hwnd)
        return;
    RECT r = rect ? native_rect(*rect) : RECT{};
    InvalidateRect(hwnd, rect ? &r : nullptr, FALSE);
}

void ruvk_dwin_update(RUV_WIN win)
{
    if (HWND hwnd = ruvk_vobj_hwnd(win))
        UpdateWindow(hwnd);
}

void ruvk_dwin_scroll_rect(RUV_WIN win, const RUV_RECT *rect, int32_t dh, int32_t dv)
{
    if (!rect || !win || !ruvv_vobj_is_valid(win))
        return;
    RUV_RECT c;
    ruvk_vobj_get_client_rect(win, &c);
    RECT r = native_rect(*rect), client = native_rect(c);
    if (!IntersectRect(&r, &r, &client))
        return;
    if (HWND hwnd = ruvk_vobj_hwnd(win)) {
        /* The window system moves the bits and invalidates the strip the
           move uncovers. */
        UpdateWindow(hwnd);
        ScrollWindow(hwnd, dh, dv, &r, &r);
        UpdateWindow(hwnd);
        return;
    }
    RUV_DRAW_STATE *st = begin(win);
    if (!st)
        return;
    LONG width, height;
    if (dh < 0) {
        if (r.left + dh < 0)
            r.left = -dh;
        width = r.right - r.left;
    } else {
        width = r.right - r.left < client.right - dh - r.left ? r.right - r.left : client.right - dh - r.left;
    }
    if (dv < 0) {
        if (r.top + dv < 0)
            r.top = -dv;
        height = r.bottom - r.top;
    } else {
        height = r.bottom - r.top < client.bottom - dv - r.top ? r.bottom - r.top : client.bottom - dv - r.top;
    }
    if (width > 0 && height > 0)
        BitBlt(st->hdc, r.left + dh, r.top + dv, width, height, st->hdc, r.left, r.top, SRCCOPY);
    ruvk_draw_end(st);
}

} // extern "C"
