/* Pure rules of control definitions and rows, shared by the kernel and
   tested without a window system: the conversion of definition rectangles
   between pixels, character cells and dialog-template units, and the
   colour prefix of coloured list rows ("<\CF(255)...)>visible text"). */
#ifndef RUVV_CTL_TEXT_H
#define RUVV_CTL_TEXT_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Definition units. */
#define RUV_UNIT_PIXELS 0
#define RUV_UNIT_CELLS  1
#define RUV_UNIT_DIALOG 2

/* Converts a horizontal (x) and a vertical (y) value from unit `from` to
   unit `to` with the dialog base units bx, by (rounded to nearest; equal
   units, an unknown unit or base units below 1 leave the values as they
   are).  Results beyond int16 are held at its limits. */
void ruvv_units_convert(int32_t *x, int32_t *y, int32_t from, int32_t to, int32_t bx, int32_t by);
/* Both corners of a rectangle, in place. */
void ruvv_units_convert_rect(RUV_RECT *rect, int32_t from, int32_t to, int32_t bx, int32_t by);

/* What a coloured row's prefix says.  Each has_ flag tells whether the
   prefix set that colour; colours are RUV_COLOR values (0xRRGGBB). */
typedef struct RUV_ROW_COLORS {
    const char *visible;     /* the text to show: after the first ")>" */
    RUV_BOOL has_back, has_text, has_select;
    RUV_COLOR back, text, select;
} RUV_ROW_COLORS;

/* Reads a row: a row holding "<\" and ")>" has its prefix read (the first
   "\CB(", "\CF(" and "\CS(" give background, text and selection colours as
   decimal numbers; a number beyond 32 bits or without digits sets
   nothing); any other row is shown whole.  NULL reads as "". */
void ruvv_row_colors_parse(const char *row, RUV_ROW_COLORS *out);

#ifdef __cplusplus
}
#endif

#endif
