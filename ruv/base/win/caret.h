/* The text caret of drawable windows: the caret record kept in each
   window's drawing state, and its synchronisation with the one native
   caret (focus changes, the message loop's hide and show). */
#ifndef RUV_KERNEL_CARET_H
#define RUV_KERNEL_CARET_H

#include "kernel_app.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A window's caret as the toolkit sees it.  Height 0 takes the height of
   the window's font: descent and font_height are read from the font when
   the caret is made visible.  v is the baseline. */
typedef struct RUVK_CARET {
    int16_t v;
    int16_t h;
    int16_t height;
    int16_t width;
    int16_t visible;
    int16_t created;
    int16_t descent;
    int16_t font_height;
} RUVK_CARET;

/* Brings the native caret in line with the window's caret record (only
   for the focus window; force re-creates, re-places and re-shows it). */
void ruvk_caret_sync(RUV_WIN win, RUVK_CARET *caret, RUV_BOOL force);
/* Window procedures at focus changes. */
void ruvk_caret_focus_gained(RUV_WIN win);
void ruvk_caret_focus_lost(RUV_WIN win);
/* Message loop: hide the native caret while a message is served; show it
   again at the end of the pass when it is flagged visible. */
void ruvk_caret_hide_native(void);
void ruvk_caret_show_native(void);

#ifdef __cplusplus
}
#endif

#endif
