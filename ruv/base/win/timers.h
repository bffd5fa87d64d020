/* Application timers: the table of timer ids 2-256 (id 1 is the pointer
   trap's), each with its native window, interval and the tick count of
   its last event; creation, destruction and forgetting at window
   destruction. */
#ifndef RUV_KERNEL_TIMERS_H
#define RUV_KERNEL_TIMERS_H

#include "kernel_app.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RUVK_TRAP_TIMER_ID 1
#define RUVK_TIMER_FIRST 2
#define RUVK_TIMER_LAST 256

typedef struct RUVK_TIMER_SLOT {
    HWND hwnd;          /* NULL: free */
    int32_t interval;   /* requested, milliseconds */
    DWORD ticks;        /* tick count at creation, then at each event sent */
} RUVK_TIMER_SLOT;

/* A timer on the window's native window (the utility window for the
   window-less task); its id, -1 when none is free or the system refuses. */
int32_t ruvk_timer_create(RUV_WIN win, int32_t interval);
/* Kills the timer and frees its slot; ids outside 2-256 are ignored. */
void ruvk_timer_destroy(int32_t id);
/* Kills and frees every timer of a native window (at its destruction). */
void ruvk_timer_kill_window(HWND hwnd);
/* Kills and frees every timer (application teardown). */
void ruvk_timer_release_all(void);
/* The slot of a live timer id, NULL for a free or foreign id (the timer
   event translation reads the interval and keeps the tick count). */
RUVK_TIMER_SLOT *ruvk_timer_slot(int32_t id);

/* The native window a window's capture and timers go to: its own, the
   task window's for a window-less object of type 1 (not a text edit),
   else NULL. */
HWND ruvk_win_timer_hwnd(RUV_WIN win);

#ifdef __cplusplus
}
#endif

#endif
