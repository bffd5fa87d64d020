/* Window services: what the portable layer, the front layer and the other
   kernel modules do to an existing window or control: native handle,
   geometry, titles with mnemonic conversion, moving, showing, enabling,
   focus and the focus memory of top-level windows, control font, cursor,
   caret values, point translation, event dispatch and the quit answer. */
#ifndef RUV_WINDOW_SERVICES_H
#define RUV_WINDOW_SERVICES_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruv_types.h"
#include "ruvv_vobj.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_EVENT;
struct RUV_FONT;

/* ---- Kernel-internal ----------------------------------------------------- */
/* The native window a record draws and lives on: its own; for a window-less
   object of type 1 the task window's; else NULL. */
HWND ruvk_vobj_hwnd(RUV_WIN win);

/* Focus memory.  A child window or control that got the focus: its top
   level (and the task window when that is the top level's parent and has a
   native window) remembers it. */
void ruvk_focus_remember(RUV_WIN win);
/* A window going away: every top level remembering it remembers the
   window's parent instead. */
void ruvk_focus_forget(RUV_WIN win);
/* Gives the focus to the window's remembered control (or the window)
   unless that already has it. */
void ruvk_focus_to_remembered(RUV_WIN win);
/* TRUE when the focused native window is the window's or lies inside it. */
RUV_BOOL ruvk_focus_is_within(RUV_WIN win);
/* Before a click into a scroll bar, edit field or notebook (types 15, 16,
   17, 25): when the control's top level lacks the focus, its parent gets
   it. */
void ruvk_focus_before_control_click(RUV_WIN ctl);

/* Applies the window's control font (or the default control font) to its
   controls; called once a window is made. */
void ruvk_win_apply_ctl_font(RUV_WIN win);

/* Whether controls of a type carry a mnemonic in their titles (push and
   radio buttons, check boxes, static texts, group boxes: 12-14, 18, 22);
   every other title is taken as given. */
RUV_BOOL ruvk_type_has_mnemonics(int32_t type);
/* Title conversions between the toolkit's mnemonic sign "~" and the native
   "&"; each writes at most size bytes (terminated) and returns out. */
char *ruvk_title_to_native(const char *text, char *out, size_t size);
char *ruvk_title_to_toolkit(const char *text, char *out, size_t size);
/* Bytes a native title takes in toolkit form (without the terminator). */
int32_t ruvk_title_toolkit_length(const char *native);

/* ---- Exported ------------------------------------------------------------ */
void ruvk_vobj_get_client_rect(RUV_WIN win, RUV_RECT *rect);
void ruvk_vobj_get_outer_rect(RUV_WIN win, RUV_RECT *rect);
uint32_t ruvk_vobj_get_flags(RUV_WIN win);
RUV_BOOL ruvk_vobj_is_focusable(RUV_WIN win);
RUV_BOOL ruvk_vobj_is_list(RUV_WIN win);
void ruvk_vobj_raise(RUV_WIN win);
int32_t ruvk_vobj_translate_points(RUV_WIN from, RUV_WIN to, RUV_POINT *points, int32_t count);
void ruvk_vobj_move(RUV_WIN win, const RUV_RECT *rect);
void ruvk_vobj_set_visible(RUV_WIN win, RUV_BOOL visible);
void ruvk_vobj_set_enabled(RUV_WIN win, RUV_BOOL enabled);
void ruvk_vobj_set_title(RUV_WIN win, const char *text);
void ruvk_win_set_doc_title(RUV_WIN win, const char *text);
RUV_WIN ruvk_scr_get_focus_vobj(void);
intptr_t ruvk_scr_set_focus_vobj(RUV_WIN win);
void ruvk_win_set_ctl_font(RUV_WIN win, struct RUV_FONT *font);
void ruvk_win_set_cursor(RUV_WIN win, int32_t cursor_id);
void ruvk_win_set_caret_size(RUV_WIN win, int16_t width, int16_t height);
void ruvk_win_set_caret_pos(RUV_WIN win, const RUV_POINT *point);
void ruvk_win_set_caret_visible(RUV_WIN win, RUV_BOOL visible);
int32_t ruvk_win_dispatch_event(RUV_WIN win, struct RUV_EVENT *event);
void ruvk_app_allow_quit(void);

#ifdef __cplusplus
}
#endif

#endif
