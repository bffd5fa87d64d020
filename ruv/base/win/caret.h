/* The text caret of drawable windows: the caret record (RUVK_CARET) lives
   in each window's drawing state; this module keeps the one native caret in
   line with it (attribute changes, focus changes, the message loop's hide
   and show). */
#ifndef RUV_KERNEL_CARET_H
#define RUV_KERNEL_CARET_H

#include "kernel_app.h"
#include "draw_state.h"

#ifdef __cplusplus
extern "C" {
#endif

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
