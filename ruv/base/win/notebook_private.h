/* Between the notebook model and the tab control that shows it: what the
   tab control asks of the model when the user picks a tab and when the
   control goes. */
#ifndef RUV_NOTEBOOK_PRIVATE_H
#define RUV_NOTEBOOK_PRIVATE_H

#include "ruvv_notebk.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The face of (tab, page), NULL when there is none; reports nothing. */
RUV_WIN ruvv_notebk_face_at(RUV_WIN notebook, int16_t tab, int16_t page);
/* The user brought (tab, page) to the front. */
void ruvv_notebk_note_front(RUV_WIN notebook, int16_t tab, int16_t page);
/* The tab's front page, -1 when none. */
int16_t ruvv_notebk_tab_front_page(RUV_WIN notebook, int16_t tab);
/* The control is going: every tab and page of the model is freed without
   telling the control. */
void ruvv_notebk_head_destroy(RUV_WIN notebook);
/* Made by the tab control once per notebook: keeps the model's head and
   follows the user's tab choices. */
RUV_BOOL ruvk_notebk_attach(RUV_WIN notebook);

#ifdef __cplusplus
}
#endif

#endif
