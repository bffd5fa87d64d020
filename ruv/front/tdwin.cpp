// Drawing functions of the front layer: lines, shapes, text and icons on a
// drawing window, its pen, brush, colours, draw mode, clip rectangle and
// font, invalidation, scrolling and the forced update.  Only the last three
// are refused during an update, so that an E_UPDATE handler can draw.
#include "draw_primitives.h"
#include "draw_state.h"
#include "front_guard.h"
#include "pixmaps.h"
#include "ruv.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_dwin.h"
#include "ruvv_font.h"
#include "ruvv_image.h"
#include "ruvv_rect.h"
#include "ruvv_str.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tdwin";

// A window that can be drawn on: one of the drawing kinds, then not a text
// edit (two checks).
bool drawing_window(Guard &g, RUV_WIN win, int line = __builtin_LINE())
{
    return g.window(win, line) &&
           g.check((win->kind & ruvf::KIND_DRAWABLE) != 0, ruvf::ID_INCORRECT_WINDOW_TYPE) &&
           g.not_text_edit(win);
}

// The rectangle of a shape: NULL is refused; an empty one ends the call
// without a word (NULL back, nothing raised); a reversed one gives its
// ordered copy in scratch with a warning.
const RUV_RECT *shape_rect(Guard &g, const RUV_RECT *rect, RUV_RECT &scratch, bool &go,
                           int line = __builtin_LINE())
{
    go = false;
    if (!g.not_null(rect, ruvf::ID_NULL_HANDLE, line))
        return nullptr;
    if (ruvv_rect_is_empty(rect))
        return nullptr;
    go = true;
    return g.rect(rect, scratch, ruvf::Strict::Reversed, line);
}

// Windows that pictures are recorded on: types 1-11 but print windows (4)
// and pixmaps (8).
constexpr uint32_t kPictTypes = ruvf::type_range(1, 11, { 4, 8 });

// The two rectangles of image and pixmap drawing.  An empty destination is
// nothing to draw (silent); an empty source is an error.  Reversed ones are
// ordered into their own copies, the source first unless dst_first.  False
// when nothing is to be drawn.
bool copy_rects(Guard &g, const RUV_RECT *&dst, const RUV_RECT *&src, RUV_RECT &dst_copy, RUV_RECT &src_copy,
                bool dst_first)
{
    if (!g.not_null(dst) || ruvv_rect_is_empty(dst))
        return false;
    if (!g.not_null(src))
        return false;
    if (ruvv_rect_is_empty(src))
        return g.raise(ruvf::ID_RECT_FORMAT);
    if (dst_first) {
        dst = g.rect(dst, dst_copy);
        src = g.rect(src, src_copy);
    } else {
        src = g.rect(src, src_copy);
        dst = g.rect(dst, dst_copy);
    }
    return true;
}

// The font parts that are texts, copied into the caller's buffer.
enum class FontText { Family, FamilyMapped, NativeDesc };

RUV_BOOL font_text(const char *name, RUV_WIN win, char *buffer, int32_t size, FontText which)
{
    Guard g(name, SRC);
    if (!g.not_null(buffer))
        return FALSE;
    // Every later failure leaves an empty string, but a buffer of no size
    // is never written.
    if (size > 0)
        buffer[0] = '\0';
    if (!drawing_window(g, win))
        return FALSE;
    if (!g.check(size > 0, ruvf::ID_SIZE_TOO_SMALL))
        return FALSE;
    const char *text = nullptr;
    switch (which) {
    case FontText::Family:
        text = ruvv_dwin_get_font_family(win);
        break;
    case FontText::FamilyMapped:
        text = ruvv_dwin_get_font_family_mapped(win);
        break;
    case FontText::NativeDesc:
        text = ruvv_dwin_get_font_native_desc(win, FALSE);
        break;
    }
    if (!text)
        text = "";
    if (!g.check(ruvv_str_get_byte_count(text) < size, ruvf::ID_SIZE_TOO_SMALL))
        return FALSE;
    ruvv_str_copy(buffer, text);
    return TRUE;
}

} // namespace

// ---- drawing ---------------------------------------------------------------

extern "C" void ruv_dwin_clear(RUV_WIN window, RUV_COLOR color)
{
    Guard g("ruv_dwin_clear", SRC);
    if (!drawing_window(g, window))
        return;
    ruvv_dwin_clear(window, color);
}

extern "C" void ruv_dwin_draw_set_pos(RUV_WIN window, RUV_POINT point)
{
    Guard g("ruv_dwin_draw_set_pos", SRC);
    if (!drawing_window(g, window))
        return;
    ruvk_dwin_draw_set_pos(window, point);
}

extern "C" void ruv_dwin_draw_line(RUV_WIN window, RUV_POINT point)
{
    Guard g("ruv_dwin_draw_line", SRC);
    if (!drawing_window(g, window))
        return;
    ruvk_dwin_draw_line(window, point);
}

extern "C" void ruv_dwin_draw_aline(RUV_WIN window, RUV_POINT point, int16_t startArrow, int16_t endArrow)
{
    Guard g("ruv_dwin_draw_aline", SRC);
    if (!drawing_window(g, window))
        return;
    ruvk_dwin_draw_aline(window, point, startArrow, endArrow);
}

extern "C" void ruv_dwin_draw_arc(RUV_WIN window, const RUV_RECT *rect, int32_t x1, int32_t y1, int32_t x2,
                                  int32_t y2)
{
    Guard g("ruv_dwin_draw_arc", SRC);
    RUV_RECT scratch;
    bool go;
    if (!drawing_window(g, window))
        return;
    const RUV_RECT *r = shape_rect(g, rect, scratch, go);
    if (go)
        ruvk_dwin_draw_arc(window, r, x1, y1, x2, y2);
}

extern "C" void ruv_dwin_draw_pie(RUV_WIN window, const RUV_RECT *rect, int32_t x1, int32_t y1, int32_t x2,
                                  int32_t y2)
{
    Guard g("ruv_dwin_draw_pie", SRC);
    RUV_RECT scratch;
    bool go;
    if (!drawing_window(g, window))
        return;
    const RUV_RECT *r = shape_rect(g, rect, scratch, go);
    if (go)
        ruvk_dwin_draw_pie(window, r, x1, y1, x2, y2);
}

extern "C" void ruv_dwin_draw_oval(RUV_WIN window, const RUV_RECT *rect)
{
    Guard g("ruv_dwin_draw_oval", SRC);
    RUV_RECT scratch;
    bool go;
    if (!drawing_window(g, window))
        return;
    const RUV_RECT *r = shape_rect(g, rect, scratch, go);
    if (go)
        ruvk_dwin_draw_oval(window, r);
}

extern "C" void ruv_dwin_draw_rect(RUV_WIN window, const RUV_RECT *rect)
{
    Guard g("ruv_dwin_draw_rect", SRC);
    RUV_RECT scratch;
    bool go;
    if (!drawing_window(g, window))
        return;
    const RUV_RECT *r = shape_rect(g, rect, scratch, go);
    if (go)
        ruvk_dwin_draw_rect(window, r);
}

extern "C" void ruv_dwin_draw_roundrect(RUV_WIN window, const RUV_RECT *rect, int32_t ovalWidth,
                                       int32_t ovalHeight)
{
    Guard g("ruv_dwin_draw_roundrect", SRC);
    RUV_RECT scratch;
    bool go;
    if (!drawing_window(g, window))
        return;
    const RUV_RECT *r = shape_rect(g, rect, scratch, go);
    if (go)
        ruvk_dwin_draw_roundrect(window, r, ovalWidth, ovalHeight);
}

extern "C" void ruv_dwin_draw_polyline(RUV_WIN window, const RUV_POINT *points, int32_t count)
{
    Guard g("ruv_dwin_draw_polyline", SRC);
    if (!drawing_window(g, window) || !g.not_null(points))
        return;
    ruvk_dwin_draw_polyline(window, points, count);
}

extern "C" void ruv_dwin_draw_polygon(RUV_WIN window, const RUV_POINT *points, int32_t count)
{
    Guard g("ruv_dwin_draw_polygon", SRC);
    if (!drawing_window(g, window) || !g.not_null(points))
        return;
    ruvk_dwin_draw_polygon(window, points, count);
}

extern "C" void ruv_dwin_draw_icon(RUV_WIN window, int32_t x, int32_t y, int32_t iconId)
{
    Guard g("ruv_dwin_draw_icon", SRC);
    if (!drawing_window(g, window))
        return;
    ruvk_dwin_draw_icon(window, x, y, iconId);
}

extern "C" void ruv_dwin_draw_text(RUV_WIN window, int32_t x, int32_t y, const char *text, int32_t length)
{
    Guard g("ruv_dwin_draw_text", SRC);
    if (!drawing_window(g, window) || !g.not_null(text))
        return;
    ruvk_dwin_draw_text(window, x, y, text, length);
}

// ---- images, pixmaps and pictures ------------------------------------------

extern "C" void ruv_dwin_draw_image(RUV_WIN window, RUV_IMAGE *image, const RUV_RECT *dst, const RUV_RECT *src)
{
    Guard g("ruv_dwin_draw_image", SRC);
    if (!drawing_window(g, window) || !g.not_null(image, ruvf::ID_NULL_IMAGE) ||
        !g.check(ruvv_image_is_valid(image) != FALSE, ruvf::ID_INVALID_IMAGE))
        return;
    RUV_RECT dst_copy, src_copy;
    if (!copy_rects(g, dst, src, dst_copy, src_copy, false))
        return;
    ruvk_dwin_draw_image(window, image, src, dst);
}

extern "C" void ruv_dwin_draw_pmap(RUV_WIN window, RUV_WIN pixmap, const RUV_RECT *dst, const RUV_RECT *src)
{
    Guard g("ruv_dwin_draw_pmap", SRC);
    // The pixmap is asked of the registry before its record is read.
    if (!drawing_window(g, window) || !g.not_null(pixmap, ruvf::ID_NULL_PIXMAP) ||
        !g.check(ruvf::is_window(pixmap) && (pixmap->kind & ruvf::KIND_PIXMAP) != 0, ruvf::ID_INVALID_PIXMAP))
        return;
    RUV_RECT dst_copy, src_copy;
    if (!copy_rects(g, dst, src, dst_copy, src_copy, true))
        return;
    ruvk_dwin_draw_pmap(window, pixmap, src, dst);
}

extern "C" RUV_BOOL ruv_dwin_open_pict(RUV_WIN window, const RUV_RECT *rect)
{
    Guard g("ruv_dwin_open_pict", SRC);
    if (!drawing_window(g, window) ||
        !g.check(ruvf::type_in(window, kPictTypes), ruvf::ID_INCORRECT_WINDOW_TYPE) || !g.not_null(rect))
        return FALSE;
    // An empty rectangle goes on as it is.
    RUV_RECT scratch;
    return ruvk_dwin_open_pict(window, ruvv_rect_is_empty(rect) ? rect : g.rect(rect, scratch));
}

extern "C" HBITMAP ruv_dwin_close_pict(RUV_WIN window)
{
    Guard g("ruv_dwin_close_pict", SRC);
    if (!drawing_window(g, window) || !g.check(ruvf::type_in(window, kPictTypes), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return nullptr;
    return ruvk_dwin_close_pict(window);
}

extern "C" void ruv_dwin_draw_pict(RUV_WIN window, HBITMAP picture, const RUV_RECT *rect)
{
    Guard g("ruv_dwin_draw_pict", SRC);
    RUV_RECT scratch;
    bool go;
    if (!drawing_window(g, window))
        return;
    const RUV_RECT *r = shape_rect(g, rect, scratch, go);
    if (go)
        ruvk_dwin_draw_pict(window, picture, r);
}

// ---- drawing state ---------------------------------------------------------

extern "C" RUV_BOOL ruv_dwin_get_clip(RUV_WIN window, RUV_RECT *rect)
{
    Guard g("ruv_dwin_get_clip", SRC);
    if (!drawing_window(g, window) || !g.not_null(rect))
        return FALSE;
    ruvk_dwin_get_clip(window, rect);
    return TRUE;
}

extern "C" void ruv_dwin_set_clip(RUV_WIN window, const RUV_RECT *rect)
{
    Guard g("ruv_dwin_set_clip", SRC);
    if (!drawing_window(g, window))
        return;
    // No rectangle lifts the clipping and an empty one clips everything:
    // both go on as they are.
    RUV_RECT scratch;
    const RUV_RECT *r = rect && !ruvv_rect_is_empty(rect) ? g.rect(rect, scratch) : rect;
    ruvk_dwin_set_clip(window, r);
}

extern "C" RUV_DRAW_CTOOLS *ruv_dwin_get_draw_ctools(RUV_WIN window, RUV_DRAW_CTOOLS *tools)
{
    Guard g("ruv_dwin_get_draw_ctools", SRC);
    if (!drawing_window(g, window) || !g.not_null(tools))
        return nullptr;
    ruvk_dwin_get_draw_ctools(window, tools);
    return tools;
}

extern "C" void ruv_dwin_set_draw_ctools(RUV_WIN window, const RUV_DRAW_CTOOLS *tools)
{
    Guard g("ruv_dwin_set_draw_ctools", SRC);
    if (!drawing_window(g, window) || !g.not_null(tools))
        return;
    ruvk_dwin_set_draw_ctools(window, tools);
}

extern "C" void ruv_dwin_set_cpen(RUV_WIN window, const RUV_CPEN *pen)
{
    Guard g("ruv_dwin_set_cpen", SRC);
    if (!drawing_window(g, window) || !g.not_null(pen))
        return;
    ruvk_dwin_set_cpen(window, pen);
}

extern "C" void ruv_dwin_set_cbrush(RUV_WIN window, const RUV_CBRUSH *brush)
{
    Guard g("ruv_dwin_set_cbrush", SRC);
    if (!drawing_window(g, window) || !g.not_null(brush))
        return;
    ruvk_dwin_set_cbrush(window, brush);
}

extern "C" void ruv_dwin_set_std_cpen(RUV_WIN window, int32_t pen)
{
    Guard g("ruv_dwin_set_std_cpen", SRC);
    if (!drawing_window(g, window))
        return;
    if (pen < 1 || pen > 4) {
        g.raise(ruvf::ID_BAD_VALUE, nullptr, RUV_SEV_WARNING);
        pen = 1;
    }
    ruvv_dwin_set_std_cpen(window, pen);
}

extern "C" void ruv_dwin_set_std_cbrush(RUV_WIN window, int32_t brush)
{
    Guard g("ruv_dwin_set_std_cbrush", SRC);
    if (!drawing_window(g, window))
        return;
    if (brush != 0 && brush != 1) {
        g.raise(ruvf::ID_BAD_VALUE, window, RUV_SEV_WARNING);
        brush = 1;
    }
    ruvv_dwin_set_std_cbrush(window, brush);
}

extern "C" void ruv_dwin_set_draw_mode(RUV_WIN window, int32_t mode)
{
    Guard g("ruv_dwin_set_draw_mode", SRC);
    if (!drawing_window(g, window))
        return;
    ruvk_dwin_set_draw_mode(window, mode);
}

extern "C" void ruv_dwin_set_fore_color(RUV_WIN window, RUV_COLOR color)
{
    Guard g("ruv_dwin_set_fore_color", SRC);
    if (!drawing_window(g, window))
        return;
    ruvk_dwin_set_fore_color(window, color);
}

extern "C" void ruv_dwin_set_back_color(RUV_WIN window, RUV_COLOR color)
{
    Guard g("ruv_dwin_set_back_color", SRC);
    if (!drawing_window(g, window))
        return;
    ruvk_dwin_set_back_color(window, color);
}

// ---- invalidation, scrolling, update ---------------------------------------

extern "C" void ruv_dwin_invalidate_rect(RUV_WIN window, const RUV_RECT *rect)
{
    Guard g("ruv_dwin_invalidate_rect", SRC);
    if (!g.not_in_update() || !drawing_window(g, window) ||
        !g.check(ruvf::type_in(window, ruvf::types({ 1, 2, 3, 5, 7, 9 })), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return;
    RUV_RECT scratch;
    const RUV_RECT *r = rect;
    if (rect) {
        if (ruvv_rect_is_empty(rect))
            return;
        r = g.rect(rect, scratch);
    }
    ruvk_dwin_invalidate_rect(window, r);
}

extern "C" void ruv_dwin_scroll_rect(RUV_WIN window, const RUV_RECT *rect, int32_t dh, int32_t dv)
{
    Guard g("ruv_dwin_scroll_rect", SRC);
    RUV_RECT scratch;
    bool go;
    if (!g.not_in_update() || !drawing_window(g, window))
        return;
    const RUV_RECT *r = shape_rect(g, rect, scratch, go);
    if (go)
        ruvk_dwin_scroll_rect(window, r, dh, dv);
}

extern "C" void ruv_dwin_update(RUV_WIN window)
{
    Guard g("ruv_dwin_update", SRC);
    if (!g.not_in_update() || !drawing_window(g, window))
        return;
    ruvk_dwin_update(window);
}

extern "C" RUV_BOOL ruv_dwin_is_update_needed(RUV_WIN window, const RUV_RECT *rect)
{
    Guard g("ruv_dwin_is_update_needed", SRC);
    if (!drawing_window(g, window))
        return FALSE;
    // Outside an update only a print window has anything to ask about.
    const bool print = window->type == 4 && !ruvf::is_text_edit(window);
    if (!ruvv_app_is_update_in_progress() && !print)
        return FALSE;
    if (!g.not_null(rect) || ruvv_rect_is_empty(rect))
        return FALSE;
    RUV_RECT scratch;
    return ruvk_dwin_is_update_needed(window, g.rect(rect, scratch));
}

// ---- text and fonts --------------------------------------------------------

extern "C" int32_t ruv_dwin_get_text_width(RUV_WIN window, const char *text, int32_t length)
{
    Guard g("ruv_dwin_get_text_width", SRC);
    if (!drawing_window(g, window) || !g.not_null(text))
        return -1;
    return ruvk_dwin_get_text_width(window, text, length);
}

extern "C" RUV_FONT *ruv_dwin_get_font(RUV_WIN window)
{
    Guard g("ruv_dwin_get_font", SRC);
    if (!drawing_window(g, window))
        return nullptr;
    return ruvk_dwin_get_font(window, TRUE);
}

extern "C" void ruv_dwin_set_font(RUV_WIN window, const RUV_FONT *font)
{
    Guard g("ruv_dwin_set_font", SRC);
    if (!drawing_window(g, window) || !g.not_null(font, ruvf::ID_NULL_FONT) ||
        !g.check(ruvv_font_is_valid(font) != FALSE, ruvf::ID_INVALID_FONT))
        return;
    ruvv_dwin_set_font(window, font);
}

extern "C" void ruv_dwin_get_font_metrics(RUV_WIN window, int32_t *leading, int32_t *ascent, int32_t *descent)
{
    Guard g("ruv_dwin_get_font_metrics", SRC);
    // Any window but a text edit: no drawing-kind test here.
    if (!g.window(window) || !g.not_text_edit(window))
        return;
    ruvk_font_get_metrics(ruvk_dwin_get_font(window, FALSE), leading, ascent, descent, window, 0);
}

extern "C" RUV_BOOL ruv_dwin_get_font_family(RUV_WIN window, char *buffer, int32_t size)
{
    return font_text("ruv_dwin_get_font_family", window, buffer, size, FontText::Family);
}

extern "C" RUV_BOOL ruv_dwin_get_font_family_mapped(RUV_WIN window, char *buffer, int32_t size)
{
    return font_text("ruv_dwin_get_font_family_mapped", window, buffer, size, FontText::FamilyMapped);
}

extern "C" RUV_BOOL ruv_dwin_get_font_native_desc(RUV_WIN window, char *buffer, int32_t size)
{
    return font_text("ruv_dwin_get_font_native_desc", window, buffer, size, FontText::NativeDesc);
}

extern "C" void *ruv_dwin_get_font_app_data(RUV_WIN window)
{
    Guard g("ruv_dwin_get_font_app_data", SRC);
    if (!drawing_window(g, window))
        return nullptr;
    return ruvv_dwin_get_font_app_data(window);
}

extern "C" int32_t ruv_dwin_get_font_size(RUV_WIN window)
{
    Guard g("ruv_dwin_get_font_size", SRC);
    if (!drawing_window(g, window))
        return 0;
    return ruvv_dwin_get_font_size(window);
}

extern "C" int32_t ruv_dwin_get_font_size_mapped(RUV_WIN window)
{
    Guard g("ruv_dwin_get_font_size_mapped", SRC);
    if (!drawing_window(g, window))
        return 0;
    return ruvv_dwin_get_font_size_mapped(window);
}

extern "C" uint32_t ruv_dwin_get_font_style(RUV_WIN window)
{
    Guard g("ruv_dwin_get_font_style", SRC);
    if (!drawing_window(g, window))
        return 0;
    return ruvv_dwin_get_font_style(window);
}

extern "C" uint32_t ruv_dwin_get_font_style_mapped(RUV_WIN window)
{
    Guard g("ruv_dwin_get_font_style_mapped", SRC);
    if (!drawing_window(g, window))
        return 0;
    return ruvv_dwin_get_font_style_mapped(window);
}

extern "C" void ruv_dwin_set_font_app_data(RUV_WIN window, void *appData)
{
    Guard g("ruv_dwin_set_font_app_data", SRC);
    if (!drawing_window(g, window))
        return;
    ruvv_dwin_set_font_app_data(window, appData);
}

extern "C" void ruv_dwin_set_font_family(RUV_WIN window, const char *family)
{
    Guard g("ruv_dwin_set_font_family", SRC);
    if (!drawing_window(g, window) || !g.not_null(family))
        return;
    ruvv_dwin_set_font_family(window, family);
}

extern "C" void ruv_dwin_set_font_native_desc(RUV_WIN window, const char *desc)
{
    Guard g("ruv_dwin_set_font_native_desc", SRC);
    if (!drawing_window(g, window) || !g.not_null(desc))
        return;
    ruvv_dwin_set_font_native_desc(window, desc);
}

extern "C" void ruv_dwin_set_font_size(RUV_WIN window, int32_t size)
{
    Guard g("ruv_dwin_set_font_size", SRC);
    if (!drawing_window(g, window) || !g.check(size >= 1, ruvf::ID_VALUE_TOO_LOW))
        return;
    ruvv_dwin_set_font_size(window, size);
}

extern "C" void ruv_dwin_set_font_style(RUV_WIN window, uint32_t style)
{
    Guard g("ruv_dwin_set_font_style", SRC);
    if (!drawing_window(g, window))
        return;
    ruvv_dwin_set_font_style(window, style);
}
