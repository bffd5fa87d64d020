/* Drawing on drawable objects (windows, print windows): pen position,
   lines and arrow lines, arcs, pies, ovals, rounded and plain rectangles,
   polylines and polygons, icons and text, invalidation, updates and
   scrolling.  Each call draws through the object's drawing state with its
   pen, brush, font and draw mode; an object without a drawing state or
   device context draws nothing. */
#ifndef RUV_DRAW_PRIMITIVES_H
#define RUV_DRAW_PRIMITIVES_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_DRAW_STATE;

/* ---- Kernel-internal ----------------------------------------------------- */
/* Unit vector from (0, 0) towards (dx, dy) in 1/128 pixels: (128, 0) for
   a zero vector. */
void ruvk_draw_unit_vector(int32_t dx, int32_t dy, int32_t *ux, int32_t *uy);
/* Fills the arrow heads of the line from the current position to end (a
   start head, an end head or both) in the pen's colour, and gives the
   line's ends moved to the heads' bases. */
void ruvk_draw_arrow_heads(struct RUV_DRAW_STATE *state, POINT start, POINT end, RUV_BOOL start_head,
                           RUV_BOOL end_head, POINT *line_start, POINT *line_end);
/* Bitmap raster operation of a draw mode (text and images through
   bitmaps). */
DWORD ruvk_draw_blt_rop(int32_t mode);

/* ---- Exported ------------------------------------------------------------ */
void ruvk_dwin_draw_set_pos(RUV_WIN win, RUV_POINT point);
void ruvk_dwin_draw_line(RUV_WIN win, RUV_POINT point);
void ruvk_dwin_draw_aline(RUV_WIN win, RUV_POINT point, int16_t start_arrow, int16_t end_arrow);
void ruvk_dwin_draw_arc(RUV_WIN win, const RUV_RECT *rect, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void ruvk_dwin_draw_pie(RUV_WIN win, const RUV_RECT *rect, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void ruvk_dwin_draw_oval(RUV_WIN win, const RUV_RECT *rect);
void ruvk_dwin_draw_roundrect(RUV_WIN win, const RUV_RECT *rect, int32_t oval_width, int32_t oval_height);
void ruvk_dwin_draw_polyline(RUV_WIN win, const RUV_POINT *points, int32_t count);
void ruvk_dwin_draw_polygon(RUV_WIN win, const RUV_POINT *points, int32_t count);
void ruvk_dwin_draw_icon(RUV_WIN win, int32_t x, int32_t y, int32_t icon_id);
/* Text with its baseline at y; count 0 draws nothing, -1 the whole
   string, else that many characters. */
void ruvk_dwin_draw_text(RUV_WIN win, int32_t x, int32_t y, const char *text, int32_t count);
void ruvk_dwin_invalidate_rect(RUV_WIN win, const RUV_RECT *rect);
void ruvk_dwin_update(RUV_WIN win);
void ruvk_dwin_scroll_rect(RUV_WIN win, const RUV_RECT *rect, int32_t dh, int32_t dv);

#ifdef __cplusplus
}
#endif

#endif
