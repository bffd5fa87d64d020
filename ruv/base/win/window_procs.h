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

/* ---- Within the events module: what the MDI procedures share with the
   document procedures. ---- */

/* Per-class traits of the document-like procedure. */
#define RUVK_PF_WHEEL              0x1u    /* wheel events */
#define RUVK_PF_CLICK_FOCUS        0x2u    /* button-down brings the focus first */
#define RUVK_PF_MOVE               0x4u    /* WM_MOVE and 2029 */
#define RUVK_PF_CLOSE              0x8u    /* WM_CLOSE gives E_CLOSE */
#define RUVK_PF_SYSCOMMAND         0x10u   /* keyboard menu goes to the parent */
#define RUVK_PF_MINMAX             0x20u   /* maximised size from the parent */
#define RUVK_PF_MOUSEACTIVATE      0x40u   /* non-client click: remembered control */
#define RUVK_PF_MOUSEACTIVATE_ONLY 0x80u   /* answers "activate", focus stays */
#define RUVK_PF_MENUCHAR           0x100u  /* no beep for unknown mnemonics */
#define RUVK_PF_PALETTE            0x200u  /* realises its palette on change */
#define RUVK_PF_NO_QUIT            0x400u  /* WM_QUIT not passed on */
#define RUVK_PF_DEFAULT_SIZE       0x800u  /* size messages also to the default */
#define RUVK_PF_DEFAULT_FOCUS      0x1000u /* focus messages also to the default */

/* Focus gain variants. */
#define RUVK_FOCUS_PLAIN  0
#define RUVK_FOCUS_DETDOC 1   /* remembered control first (not from its own top level) */
#define RUVK_FOCUS_CHILD  2   /* the top level remembers the child */

typedef struct RUVK_PROC_TRAITS {
    LRESULT (CALLBACK *def)(HWND, UINT, WPARAM, LPARAM);    /* NULL: DefWindowProcA */
    RUV_VOBJ *(*create_param)(LPARAM lp);                    /* NULL: CREATESTRUCT's */
    /* Focus messages (WM_SETFOCUS/KILLFOCUS and 2027/2028) of its own:
       non-zero when handled. */
    int (*focus_override)(HWND hwnd, UINT msg, HWND other);
    /* Any other message: non-zero when handled, with its result. */
    int (*extra)(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
    int command_route;                                       /* RUVK_CMD_* */
    int focus;                                               /* RUVK_FOCUS_* */
    uint32_t flags;                                          /* RUVK_PF_* */
} RUVK_PROC_TRAITS;

LRESULT ruvk_doc_proc(const RUVK_PROC_TRAITS *traits, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
/* WM_MENUCHAR: the default result, or "ignore" when keyboard navigation
   serves the focus window. */
LRESULT ruvk_menu_char(HWND hwnd, WPARAM wp, LPARAM lp, LRESULT def);

#ifdef __cplusplus
}
#endif

#endif
