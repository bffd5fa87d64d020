/* Fonts as the device made them: metrics, point size, face name and style
   of a mapped font (exported through ruvk.h), and the point size of a set
   of text metrics, shared with the enumeration of system fonts. */
#ifndef RUV_FONT_MAPPING_H
#define RUV_FONT_MAPPING_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Points of a font with these metrics at the vertical resolution:
   (resolution / 2 + (height - internal leading) * 72) / resolution; 0
   without a resolution. */
int32_t ruvk_font_point_size(const TEXTMETRICA *tm, int32_t resolution);
/* Style bits of a native font: bold above weight 500, italic, underline,
   strikeout. */
uint32_t ruvk_font_style_bits(LONG weight, BYTE italic, BYTE underline, BYTE strikeout);

#ifdef __cplusplus
}
#endif

#endif
