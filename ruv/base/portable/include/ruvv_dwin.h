/* Conveniences on a window's drawing state: the parts of its current font
   (as set and as mapped), setting its font only when it differs, the
   standard pens and brushes, and clearing the window to a colour. */
#ifndef RUVV_DWIN_H
#define RUVV_DWIN_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_FONT;

void *ruvv_dwin_get_font_app_data(RUV_WIN win);
void ruvv_dwin_set_font_app_data(RUV_WIN win, void *data);
const char *ruvv_dwin_get_font_family(RUV_WIN win);
void ruvv_dwin_set_font_family(RUV_WIN win, const char *family);
/* copy as ruvv_font_get_native_desc. */
char *ruvv_dwin_get_font_native_desc(RUV_WIN win, RUV_BOOL copy);
void ruvv_dwin_set_font_native_desc(RUV_WIN win, const char *desc);
int32_t ruvv_dwin_get_font_size(RUV_WIN win);
void ruvv_dwin_set_font_size(RUV_WIN win, int32_t size);
uint32_t ruvv_dwin_get_font_style(RUV_WIN win);
void ruvv_dwin_set_font_style(RUV_WIN win, uint32_t style);
/* The values the device gave the font, which is mapped for the window
   first when it is not mapped. */
const char *ruvv_dwin_get_font_family_mapped(RUV_WIN win);
int32_t ruvv_dwin_get_font_size_mapped(RUV_WIN win);
uint32_t ruvv_dwin_get_font_style_mapped(RUV_WIN win);

/* Copies the font into the window's drawing state unless it equals the
   current font and the current descriptor was chosen by the mapper. */
void ruvv_dwin_set_font(RUV_WIN win, const struct RUV_FONT *font);
/* which & 1: 0 solid black, 1 solid white. */
void ruvv_dwin_set_std_cbrush(RUV_WIN win, int32_t which);
/* (which - 1) & 3: solid black, no outline, dotted black, solid white;
   each one pixel wide. */
void ruvv_dwin_set_std_cpen(RUV_WIN win, int32_t which);
/* Fills the client area with the colour; the tools stay as they were. */
void ruvv_dwin_clear(RUV_WIN win, RUV_COLOR color);

#ifdef __cplusplus
}
#endif

#endif
