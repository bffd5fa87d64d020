/* Windows made from window resources, and the small object services of
   the portable layer: the font check of a definition, control fonts,
   enumeration of child windows, the top-level test, palette lookup, titles
   through a formatter, attribute setting, the focused top-level window and
   the list of the screen's windows. */
#ifndef RUVV_WINDEF_H
#define RUVV_WINDEF_H

#include "ruv_types.h"
#include "ruvv_res.h"
#include "ruvv_vobj.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_FONT;
struct RUV_PALETTE;
struct SLIST;

/* Makes a window (and its controls) from window resource res_id; NULL on
   failure, reported with severity 2 and the caller's API mark removed. */
RUV_WIN ruvv_win_create_res(int32_t res_id, RUV_WIN parent, uint32_t event_mask, RUV_EVENT_HANDLER handler,
                            void *app_data);
/* 0, or 0x01220003 "Invalid Font handle" when a font of the definition is
   not a valid font. */
uint32_t ruvv_win_check_fonts(const RUV_WIN_DEF *def);
void ruvv_win_set_ctl_font(RUV_WIN win, struct RUV_FONT *font);
void ruvv_ctl_set_font(RUV_WIN ctl, struct RUV_FONT *font);
/* callback(child, data) for every child in creation order until it answers
   0; 0 when the list cannot be made, else 1. */
typedef int16_t (*RUV_ENUM_WINS_FN)(RUV_WIN child, void *data);
RUV_BOOL ruvv_win_enum_wins(RUV_WIN parent, RUV_ENUM_WINS_FN callback, void *data, int32_t reserved);
RUV_BOOL ruvv_vobj_is_topwin(RUV_WIN obj);
struct RUV_PALETTE *ruvv_vobj_get_palet(RUV_WIN obj);
void ruvv_vobj_set_title(RUV_WIN obj, const char *title);
char *ruvv_vobj_call_formatter(RUV_WIN obj, char *title, int32_t *sel_first, int32_t *sel_second);
void ruvv_vobj_set_attr(RUV_WIN obj, int32_t attribute, intptr_t value);
RUV_WIN ruvv_scr_get_focus_topwin(void);
struct SLIST *ruvv_scr_list_wins(void);
/* The text-edit handle behind a text-edit window (window mode); 0 for any
   other object and in handle mode. */
intptr_t ruvv_win_get_tx(RUV_WIN win);
/* Asks the shell to open a file or address; TRUE when it did. */
RUV_BOOL ruvv_scr_launch_browser(const char *path);

#ifdef __cplusplus
}
#endif

#endif
