/* Object registry and application queries of the toolkit.  A window handle
   is the address of a RUV_VOBJ record made by the kernel; it is valid from
   ruvv_registry_add until ruvv_registry_remove.  Every public entry looks a
   handle up here (ruvv_vobj_is_valid) before it reads the record. */
#ifndef RUVV_APP_H
#define RUVV_APP_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct SLIST;

/* Registry (called by the kernel when it makes a window, screen or task
   object, and when it frees one). */
RUV_BOOL ruvv_registry_add(RUV_WIN obj);      /* FALSE: on the list, not valid */
RUV_WIN ruvv_registry_remove(RUV_WIN obj);    /* returns obj */
RUV_BOOL ruvv_vobj_is_valid(RUV_WIN handle);

/* Walks every registered object, newest first. */
typedef RUV_BOOL (*RUV_REGISTRY_FILTER)(RUV_WIN obj, intptr_t arg);
typedef struct RUV_REGISTRY_ITER {
    RUV_WIN next;
} RUV_REGISTRY_ITER;
void ruvv_registry_iter_init(RUV_REGISTRY_ITER *iter);
/* The next object for which filter(obj, arg) is non-zero (any object for a
   null filter); NULL at the end. */
RUV_WIN ruvv_registry_iter_next(RUV_REGISTRY_ITER *iter, RUV_REGISTRY_FILTER filter, intptr_t arg);
RUV_BOOL ruvv_registry_filter_flags(RUV_WIN obj, intptr_t mask);
RUV_BOOL ruvv_registry_filter_parent(RUV_WIN obj, intptr_t parent);
/* A new list of the objects that pass the filter, in title order (titles
   fetched only when with_titles); each element's refcon is the object.
   NULL when the list cannot be made or grown. */
struct SLIST *ruvv_registry_list(RUV_REGISTRY_FILTER filter, intptr_t arg, RUV_BOOL with_titles);
/* A new list of the windows and controls whose parent is `parent`, in
   creation order; empty (not NULL) when it has none. */
struct SLIST *ruvv_win_list_wins(RUV_WIN parent, int32_t reserved, RUV_BOOL with_titles);

/* Application queries. */
RUV_BOOL ruvv_app_is_update_in_progress(void);   /* an E_UPDATE is being processed */
RUV_BOOL ruvv_app_proc_update(void);             /* the same unless attribute 704 is set */
void ruvv_app_update_count(RUV_BOOL raise);
void ruvv_app_destroy(void);                     /* destroys the task window */
void ruvv_app_get_default_ctools(RUV_DRAW_CTOOLS *ctools);
int32_t ruvv_app_get_remote_platform(void);      /* 300 */
int32_t ruvv_app_get_remote_winsys(void);        /* 300 */

#ifdef __cplusplus
}
#endif

#endif
