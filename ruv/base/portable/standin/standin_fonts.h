/* Controls of the kernel stand-in's fonts for tests: what the "display"
   offers and what the portable font layer asked of the kernel. */
#ifndef STANDIN_FONTS_H
#define STANDIN_FONTS_H

#include <string>
#include <vector>

namespace standin {

/* Times ruvk_font_refresh_win, ruvk_font_invalidate and
   ruvk_font_check_native_desc were called. */
int font_refreshes();
int font_invalidations();
int font_desc_checks();
void reset_font_counters();

} // namespace standin

#endif
