/* Cursor services of the kernel: the busy cursor, hiding the mouse cursor
   while typing, trapping the pointer in one window, the beep, the
   platform escape and the last-resort box for a failed system call. */
#ifndef RUV_KERNEL_CURSOR_H
#define RUV_KERNEL_CURSOR_H

#include "kernel_app.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RUVK_ESCAPE_PAGE_INFO 4000
#define RUVK_ESCAPE_DESTROY_TASK 4001

/* Busy cursor until the queue is next served: the utility window's
   procedure calls ruvk_cursor_restore_busy for message 2036. */
void ruvk_scr_set_busy_cursor(void);
void ruvk_cursor_restore_busy(void);
/* The window's cursor, or the arrow. */
void ruvk_cursor_set_for_window(RUV_WIN win);
void ruvk_scr_hide_cursor(void);
/* Shows a hidden cursor again once the pointer has moved. */
void ruvk_cursor_show_again(void);
/* Teardown: pointer trap off and the cursor shown. */
void ruvk_cursor_stop_tracking(void);

/* Pointer trap: capture plus the 50 ms trap timer (id 1). */
void ruvk_win_trap_pointer(RUV_WIN win);
void ruvk_win_release_pointer(void);
/* The native window that holds the trap, NULL when none. */
HWND ruvk_pointer_trap_hwnd(void);
/* A native window is being destroyed: a trap it holds is released. */
void ruvk_pointer_forget_window(HWND hwnd);

void ruvk_scr_beep(void);
int32_t ruvk_app_escape(int32_t code, void *argument);
/* "<text> failed with error <n>: <system text>" in a box, then the
   process ends with the error. */
void ruvk_fatal_system_error(const char *text);

#ifdef __cplusplus
}
#endif

#endif
