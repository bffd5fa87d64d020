/* Toolkit dialogs (window types 10 and 11) from window definitions and
   native dialog resources: the in-memory dialog template, creation modal
   and modeless, the controls adopted at initialisation, the modeless list
   the message loop offers its messages to, the owner choice, closing and
   freeing. */
#ifndef RUV_KERNEL_DIALOGS_H
#define RUV_KERNEL_DIALOGS_H

#include "kernel_app.h"
#include "ruvv_res.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RUVK_W_MODAL_DIALOG    10
#define RUVK_W_MODELESS_DIALOG 11

/* The dialog template of a definition in a moveable, zero-filled global
   block (its written length in *length); NULL, reported, when the block
   cannot be had or the definition holds an element without a template
   entry. */
HGLOBAL ruvk_dlg_build_template(const RUV_WIN_DEF *def, size_t *length);

RUV_WIN ruvk_dlg_create_def(const RUV_WIN_DEF *def, uint32_t event_mask, RUV_EVENT_HANDLER handler,
                            void *app_data);
RUV_WIN ruvk_dlg_create_res(int32_t type, int32_t res_id, uint32_t event_mask, RUV_EVENT_HANDLER handler,
                            void *app_data);

/* The dialog procedure's initialisation: adopts the native controls and
   applies the definition's checks, fonts and colours. */
void ruvk_dlg_init_controls(RUV_WIN dlg);
/* Ends a modal dialog, destroys anything else (the focus first moving on
   when it is the active window). */
void ruvk_dlg_close(RUV_WIN win);
/* The end of a dialog object (the dialog procedure's last message). */
void ruvk_dlg_free(RUV_WIN dlg);
/* TRUE when a modeless dialog took the message. */
RUV_BOOL ruvk_dlg_modeless_message(MSG *msg);
/* The enabled top-level toolkit windows other than owner, disabled (a
   zero-terminated list, NULL when memory runs out), and the list's windows
   enabled again and the list freed. */
RUV_WIN *ruvk_dlg_disable_windows(HWND owner);
void ruvk_dlg_enable_windows(RUV_WIN *list);
/* The owner window of a modal dialog (modal non-zero) or of anything else
   the kernel shows over the application. */
HWND ruvk_dlg_owner(RUV_BOOL modal);

#ifdef __cplusplus
}
#endif

#endif
