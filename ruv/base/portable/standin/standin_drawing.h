/* Controls of the kernel stand-in's drawing for tests: each window's
   drawing tools and font, the client rectangle it reports, and the
   rectangles drawn with the tools in effect at the time. */
#ifndef STANDIN_DRAWING_H
#define STANDIN_DRAWING_H

#include <vector>

#include "ruv_types.h"

namespace standin {

struct DrawnRect {
    RUV_WIN win;
    RUV_RECT rect;
    RUV_DRAW_CTOOLS tools;
};

/* Rectangles drawn through ruvk_dwin_draw_rect, in order. */
const std::vector<DrawnRect> &drawn_rects();
/* The client rectangle ruvk_vobj_get_client_rect reports for win. */
void set_client_rect(RUV_WIN win, const RUV_RECT &rect);
/* Forgets every window's tools, font and rectangles (fonts destroyed). */
void reset_drawing();

} // namespace standin

#endif
