/* Rectangle and point arithmetic of the toolkit, and the repair of the
   rectangles of window definitions. */
#ifndef RUVV_RECT_H
#define RUVV_RECT_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

int16_t ruvv_rect_get_height(const RUV_RECT *r);
int16_t ruvv_rect_get_width(const RUV_RECT *r);
RUV_POINT ruvv_rect_get_pos(const RUV_RECT *r);
void ruvv_rect_set(RUV_RECT *r, int16_t left, int16_t top, int16_t right, int16_t bottom);
void ruvv_rect_set_height(RUV_RECT *r, int16_t height);
void ruvv_rect_set_width(RUV_RECT *r, int16_t width);
void ruvv_rect_set_pos(RUV_RECT *r, RUV_POINT pos);
void ruvv_rect_offset(RUV_RECT *r, int16_t dh, int16_t dv);
/* bottom = top, right = left. */
void ruvv_rect_set_empty(RUV_RECT *r);
RUV_BOOL ruvv_rect_is_empty(const RUV_RECT *r);
/* left <= h < right and top <= v < bottom. */
RUV_BOOL ruvv_rect_has_point(const RUV_RECT *r, RUV_POINT p);
/* result (may be NULL) = the overlap; TRUE when it is not empty. */
RUV_BOOL ruvv_rect_intersect(RUV_RECT *result, const RUV_RECT *a, const RUV_RECT *b);
/* Orders each pair, then widens a zero width or height by one unit. */
void ruvv_rect_repair(RUV_RECT *r);
/* Copies src to dst and repairs dst; returns dst. */
RUV_RECT *ruvv_rect_repair_ptr(const RUV_RECT *src, RUV_RECT *dst);
/* Checks the rectangle of every element of a window definition array
   (ended by type 0) for its type; each bad one is saved (its copy in saved,
   its address in places, while fewer than capacity - 1 are stored; places
   ends with NULL), repaired and reported as a warning.  TRUE when any was
   repaired. */
struct RUV_WIN_DEF;
RUV_BOOL ruvv_rect_repair_windef(struct RUV_WIN_DEF *def, RUV_RECT *saved, RUV_RECT **places,
                                 int32_t capacity);
/* Copies saved[i] back to *places[i] up to the NULL entry of places (undoes
   a repair). */
void ruvv_rect_restore(const RUV_RECT *saved, RUV_RECT *const *places);

#ifdef __cplusplus
}
#endif

#endif
