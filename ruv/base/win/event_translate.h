/* Translation of window-system messages into toolkit events: the private
   messages by which events of windows still being created are deferred,
   the pre-filter every toolkit window procedure runs first, the
   translators, and the thread's message-filter hook (F1 in dialogs and
   menus). */
#ifndef RUV_KERNEL_EVENT_TRANSLATE_H
#define RUV_KERNEL_EVENT_TRANSLATE_H

#include <string.h>

#include "kernel_app.h"
#include "ruvv_event.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Private messages, posted to a window's own queue. */
#define RUVK_MSG_FIRST         (WM_USER + 1001)
#define RUVK_MSG_CREATED       (WM_USER + 1001)  /* creation finished: E_CREATE */
#define RUVK_MSG_SIZE          (WM_USER + 1002)  /* deferred size change */
#define RUVK_MSG_FOCUS_GAIN    (WM_USER + 1003)  /* deferred focus gain (wParam: other window) */
#define RUVK_MSG_FOCUS_LOSS    (WM_USER + 1004)  /* deferred focus loss (wParam: other window) */
#define RUVK_MSG_MOVE          (WM_USER + 1005)  /* deferred move */
#define RUVK_MSG_PAINT         (WM_USER + 1006)  /* deferred paint: invalidate all */
#define RUVK_MSG_CONTROL       (WM_USER + 1007)  /* deferred control notification */
#define RUVK_MSG_MENU_REFRESH  (WM_USER + 1012)  /* menu refresh on the utility window */
#define RUVK_MSG_MDI_ACTIVATE  (WM_USER + 1013)  /* deferred MDI activation */
#define RUVK_MSG_DLG_HELP      (WM_USER + 1014)  /* F1 pressed in a dialog */
#define RUVK_MSG_LAST          (WM_USER + 1014)

/* Kernel flag bits of RUV_VOBJ. */
#define RUVK_KF_CREATED    0x1u   /* creation complete */
#define RUVK_KF_DESTROYING 0x2u   /* native window being destroyed */
#define RUVK_KF_NAVIGATION 0x4u   /* keyboard navigation attached */
#define RUVK_KF_MODAL      0x8u   /* modal loop running */
#define RUVK_KF_CREATE_QUEUED 0x10u /* creation message posted, E_CREATE not yet sent */

/* A zero-filled event of type (padding included). */
static inline void ruvk_event_init(RUV_EVENT *ev, int32_t type)
{
    memset(ev, 0, sizeof *ev);
    ev->type = type;
}

/* The pre-filter: 0 when the message is consumed, *result then holds the
   procedure's return value. */
int16_t ruvwi_wndproc_hook(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);

/* Translators: non-zero when an event was sent or the message consumed
   (0 lets the message go on to the default procedure). */
int ruvwi_translate_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
int ruvk_translate_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
int ruvk_translate_command(HWND hwnd, WPARAM wp, LPARAM lp);
int ruvk_translate_control(HWND hwnd, int32_t code, RUV_VOBJ *ctl);
int ruvk_translate_scroll(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
int ruvk_translate_size(HWND hwnd, WPARAM wp, LPARAM lp);
int ruvk_translate_move(HWND hwnd);
int ruvk_translate_paint(HWND hwnd);
int ruvk_translate_focus_gain(HWND hwnd, HWND other);
int ruvk_translate_focus_loss(HWND hwnd, HWND other);
int ruvk_translate_close(HWND hwnd);
int ruvk_translate_timer(HWND hwnd, UINT_PTR id);
int ruvk_translate_quit_query(void);
int ruvk_translate_shutdown(WPARAM ending);
int ruvk_translate_help(RUV_VOBJ *target, RUV_VOBJ *object, int32_t menu_tag);

/* ---- Within the events module (translators, procedures, hook) ---- */
/* Command routes: to the focus's top level with a menu bar (task
   windows), by the document rules, or to the window itself (children). */
#define RUVK_CMD_FOCUS_TOP 0
#define RUVK_CMD_DOC       1
#define RUVK_CMD_SELF      2
/* A native menu bar: top-level windows only (a child's menu handle is its
   id). */
RUV_BOOL ruvk_has_menu_bar(HWND hwnd);
int ruvk_translate_command_to(HWND hwnd, WPARAM wp, LPARAM lp, int route);
/* WM_CREATE: links the record and posts the creation message; that
   message sends E_CREATE (centring first when asked). */
void ruvk_on_native_create(HWND hwnd, RUV_VOBJ *win);
int ruvk_creation_event(HWND hwnd);
/* The private messages 2025-2031 arriving. */
int ruvk_translate_deferred(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
int ruvk_translate_control_deferred(HWND hwnd, WPARAM wp, LPARAM lp);
/* Creation complete and its creation message taken: before that, size,
   move, paint and focus are deferred (a message sent while creation
   completion pumps would otherwise overtake the queued creation
   message). */
RUV_BOOL ruvk_creation_done(const RUV_VOBJ *win);
/* Focus changes are handled at once (creation complete, attribute 10027
   clear) or posted. */
RUV_BOOL ruvk_focus_now(RUV_VOBJ *win);
/* E_FOCUS (1 gained, 0 lost) unless the other window is one of the
   window's controls. */
void ruvk_send_focus(RUV_VOBJ *win, HWND other, int16_t active);
/* A drop list whose list is open closes it (non-client clicks, moves). */
void ruvk_close_drop_list(void);
/* Button-down in a drawable window: the focus first. */
void ruvk_click_focus(HWND hwnd);
/* The next focus gain of a task window follows a click. */
void ruvk_flag_click_focus(HWND hwnd);
RUV_BOOL ruvk_take_click_focus(HWND hwnd);
/* WM_MENUSELECT: the highlighted item's tag for help; message 2038. */
void ruvk_menu_select_record(WPARAM wp, LPARAM lp);
void ruvk_dialog_help(RUV_VOBJ *ctl);

/* The thread's message-filter hook: installed at start with the instance,
   removed at the final clean-up. */
RUV_BOOL ruvk_msg_hook_install(HINSTANCE instance);
void ruvk_msg_hook_remove(void);

#ifdef __cplusplus
}
#endif

#endif
