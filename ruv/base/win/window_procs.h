/* The window procedures of the kernel's window classes, one per class kind
   of the class table (the wialog class shares the detached document's).
   Each first runs the pre-filter, then hands the messages it knows to the
   event translators and the rest to the default procedure of its kind. */
#ifndef RUV_KERNEL_WINDOW_PROCS_H
#define RUV_KERNEL_WINDOW_PROCS_H

#include "kernel_app.h"

#ifdef __cplusplus
extern "C" {
#endif

LRESULT CALLBACK ruvk_proc_mdidoc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);      /* 0x40000008 */
LRESULT CALLBACK ruvk_proc_mditask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);     /* 0x80000001 */
LRESULT CALLBACK ruvk_proc_task(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);        /* 1 */
LRESULT CALLBACK ruvk_proc_drawtask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);    /* 2 */
LRESULT CALLBACK ruvk_proc_detdoc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);      /* 4 and 4096 */
LRESULT CALLBACK ruvk_proc_doc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);         /* 8 */
LRESULT CALLBACK ruvk_proc_child(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);       /* 16 */
LRESULT CALLBACK ruvk_proc_mdifrmchild(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp); /* 0x10000010 */
/* Template dialogs (kind 64): a dialog procedure, INT_PTR like LRESULT. */
INT_PTR CALLBACK ruvk_proc_dialog(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);      /* 64 */
LRESULT CALLBACK ruvk_proc_util(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);        /* 2048 */

/* Links a record and its native window: the record's native handle and the
   window's user data (done on the native creation message; dialogs do it
   first thing on their initialisation message). */
void ruvk_win_link_native(HWND hwnd, RUV_VOBJ *win);

#ifdef __cplusplus
}
#endif

#endif
