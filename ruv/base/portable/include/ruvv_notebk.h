/* Notebooks: a control (type 25) showing tabs, each tab an ordered list of
   pages, each page optionally with a face, the child window that shows the
   page's contents.  ruvv_notebk_ keeps the model (tabs, pages, titles, tab
   images, page data, front tab and page, faces); ruvk_notebk_ is the tab
   control that shows it.  Tabs and pages are zero-based indexes in order.
   When the user picks a tab the notebook's parent gets an E_CONTROL event
   of type 25 whose payload (event.v.control.data.notebook) names the face,
   tab and page now in front. */
#ifndef RUVV_NOTEBK_H
#define RUVV_NOTEBK_H

#include "ruv_types.h"
#include "ruvv_vobj.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_IMAGE;
struct RUV_WIN_DEF;

/* ---- The model ------------------------------------------------------------ */
/* A missing notebook, tab or page reports 0x570000 and answers NULL, 0 or -1. */
typedef int32_t (*RUV_NOTEBK_ENUM_FN)(RUV_WIN notebook, int16_t tab, int16_t page, void *data);

/* Inserts a tab at min(position, tabs); the image is copied (scaled to the
   notebook's first tab image); the caller keeps its own. */
RUV_BOOL ruvv_notebk_add_tab(RUV_WIN notebook, int16_t position, const char *title, struct RUV_IMAGE *image);
RUV_BOOL ruvv_notebk_add_page(RUV_WIN notebook, int16_t tab, int16_t position, const char *title, intptr_t data);
/* Faces: child windows of the notebook (type 7, flags 0x810) in the page
   area, hidden until their page comes to the front; each replaces the
   page's former face. */
RUV_WIN ruvv_notebk_create_face(RUV_WIN notebook, int16_t tab, int16_t page, uint32_t event_mask,
                                RUV_EVENT_HANDLER handler, void *app_data);
RUV_WIN ruvv_notebk_create_face_def(RUV_WIN notebook, int16_t tab, int16_t page, const struct RUV_WIN_DEF *def,
                                    uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data);
RUV_WIN ruvv_notebk_create_face_res(RUV_WIN notebook, int16_t tab, int16_t page, int32_t res_id,
                                    uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data);
RUV_WIN ruvv_notebk_get_face(RUV_WIN notebook, int16_t tab, int16_t page);
/* The tab and page whose face it is; FALSE and -1, -1 when none. */
RUV_BOOL ruvv_notebk_get_page_from_face(RUV_WIN face, int16_t *tab, int16_t *page);
int16_t ruvv_notebk_get_num_tabs(RUV_WIN notebook);
int16_t ruvv_notebk_get_num_pages(RUV_WIN notebook, int16_t tab);
intptr_t ruvv_notebk_get_page_data(RUV_WIN notebook, int16_t tab, int16_t page);
RUV_BOOL ruvv_notebk_set_page_data(RUV_WIN notebook, int16_t tab, int16_t page, intptr_t data);
/* Titles into buf (emptied first, whole characters within size bytes). */
char *ruvv_notebk_get_page_title(RUV_WIN notebook, int16_t tab, int16_t page, char *buf, int32_t size);
char *ruvv_notebk_get_tab_title(RUV_WIN notebook, int16_t tab, char *buf, int32_t size);
RUV_BOOL ruvv_notebk_set_page_title(RUV_WIN notebook, int16_t tab, int16_t page, const char *title);
RUV_BOOL ruvv_notebk_set_tab_title(RUV_WIN notebook, int16_t tab, const char *title);
/* The notebook's own copy (NULL when none). */
struct RUV_IMAGE *ruvv_notebk_get_tab_image(RUV_WIN notebook, int16_t tab);
RUV_BOOL ruvv_notebk_set_tab_image(RUV_WIN notebook, int16_t tab, struct RUV_IMAGE *image);
RUV_BOOL ruvv_notebk_set_front_page(RUV_WIN notebook, int16_t tab, int16_t page);
/* The face of the front tab's front page; *tab the front tab (-1 none). */
RUV_WIN ruvv_notebk_get_front_page(RUV_WIN notebook, int16_t *tab);
RUV_BOOL ruvv_notebk_rem_page(RUV_WIN notebook, int16_t tab, int16_t page);
RUV_BOOL ruvv_notebk_rem_tab(RUV_WIN notebook, int16_t tab);
/* fn for every page of every tab in order; 0 when fn stopped the walk. */
int32_t ruvv_notebk_enum_pages(RUV_WIN notebook, RUV_NOTEBK_ENUM_FN fn, void *data);

/* ---- The tab control ------------------------------------------------------ */
void *ruvk_notebk_get_notebk_head(RUV_WIN notebook);
void ruvk_notebk_set_notebk_head(RUV_WIN notebook, void *head);
/* ILC flags of ImageList_Create; TRUE when the list exists or was made. */
RUV_BOOL ruvk_notebk_add_image_list(RUV_WIN notebook, int32_t width, int32_t height, uint32_t flags);
/* Index of the image in the notebook's image list, -1 on failure. */
int32_t ruvk_notebk_add_image_to_list(RUV_WIN notebook, struct RUV_IMAGE *image);
void ruvk_notebk_destroy_image_list(RUV_WIN notebook);
int32_t ruvk_notebk_add_tab(RUV_WIN notebook, int16_t tab, const char *title, struct RUV_IMAGE *image);
void ruvk_notebk_rem_tab(RUV_WIN notebook, int16_t tab);
void ruvk_notebk_set_tab_title(RUV_WIN notebook, int16_t tab, const char *title);
/* The new image index, -1 when the image could not be added. */
int32_t ruvk_notebk_set_tab_image(RUV_WIN notebook, int16_t tab, struct RUV_IMAGE *image);
RUV_WIN ruvk_notebk_get_front_page(RUV_WIN notebook, int16_t *tab, int16_t *page);
void ruvk_notebk_set_front_page(RUV_WIN notebook, int16_t tab, int16_t page);
void ruvk_notebk_rem_page(RUV_WIN notebook, int16_t tab, int16_t page);
/* Adding a page or retitling one needs nothing of the tab control. */
void ruvk_notebk_add_page(RUV_WIN notebook, int16_t tab, int16_t page);
void ruvk_notebk_set_page_title(RUV_WIN notebook, int16_t tab, int16_t page, const char *title);
void ruvk_notebk_get_page_rect(RUV_WIN notebook, RUV_RECT *rect);
int32_t ruvk_notebk_relayout(RUV_WIN notebook);
void ruvk_notebk_tab_changed(RUV_WIN notebook, int16_t tab, int16_t page);

#ifdef __cplusplus
}
#endif

#endif
