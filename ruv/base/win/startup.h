/* The kernel's life cycle for one process: the start record the program
   hands over, the application configuration, start-up and end, the message
   loop and one pass of its pump, and the exit entry.  Other kernel modules
   use the pump over a range of private messages and the utility window. */
#ifndef RUV_KERNEL_STARTUP_H
#define RUV_KERNEL_STARTUP_H

#include "kernel_app.h"
#include "ruvv_event.h"
#include "ruvv_start.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Start-up and end. */
RUV_BOOL ruvwi_Begin(const RUV_START_RECORD *start);
int32_t ruvwi_Init(const RUV_START_RECORD *start);
/* Runs the message loop; returns when the quit message is taken. */
void ruvwi_ruv_system(int32_t argc, char **argv, intptr_t value, RUV_EVENT_HANDLER task_handler,
                      RUV_APP_CONFIG *config);
void ruvwi_End(void);
HWND ruvwi_get_utility_hwnd(void);

/* One pass of the pump over the messages first..last (0, 0: all) for hwnd
   (NULL: every window of the thread): 1 when the queue is empty, 0 when the
   quit message was taken (it is not dispatched). */
int32_t ruvwi_pump_messages(RUV_APP_RECORD *app, UINT first, UINT last, HWND hwnd);
/* The same pass with the current record: over everything, or over a range
   for one window (creation completion, deferred focus loss). */
int32_t ruvk_app_process_pending_events(void);
int32_t ruvk_app_pump_range(UINT first, UINT last, HWND hwnd);

/* The exit entry: with a non-zero flag calls the application's exit
   callback; returns the application record. */
RUV_APP_RECORD *ruvk_app_exit(int16_t call_exit);

/* The task style (creation flags) for a native show command. */
int32_t ruvk_task_style_for_show(int32_t show_mode);

/* Window filter of a pass, handed to the message hook (attribute 10017). */
typedef struct RUVK_MSG_FILTER {
    HWND hwnd;
    UINT first;
    UINT last;
} RUVK_MSG_FILTER;
typedef RUV_BOOL (*RUVK_MESSAGE_HOOK)(MSG *msg, RUVK_MSG_FILTER *filter);

/* The allocation that static blocks come from (the runtime's; a test may
   make it fail). */
extern void *(*ruvk_static_calloc)(size_t count, size_t size);
/* Releases every per-process static block of the calling process. */
void ruvk_static_release_process(void);

/* Copies the start record's text-edit callbacks for the portable layer. */
RUV_BOOL ruvv_win_save_start_info(const RUV_START_RECORD *start);
/* The start record's text-edit create callback (NULL when the program gave
   none): makes the text edit of a type-23 element of a window definition. */
typedef intptr_t (*RUVK_TX_CREATE)(const struct RUV_WIN_DEF *element, RUV_WIN parent, void *app_data);
RUVK_TX_CREATE ruvk_app_tx_create(void);

/* Nothing to do on this platform (files are never marked processed). */
void ruvk_app_set_file_processed(void);

#ifdef __cplusplus
}
#endif

#endif
