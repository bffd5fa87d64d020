/* Resource libraries (modules whose compiled and native resources replace
   the program's while selected), string resources and raw-data blocks. */
#ifndef RUV_KERNEL_RESOURCES_H
#define RUV_KERNEL_RESOURCES_H

#include "kernel_app.h"
#include "ruvk.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A resource library's handle: its node in the list, NULL on failure. */
void *ruvk_res_add_res(const char *file);
/* Makes the library current; the previous handle (the same when already
   current), NULL when the handle is not in the list. */
void *ruvk_res_use_res(void *res);
RUV_BOOL ruvk_res_remove_res(void *res);

#ifdef __cplusplus
}
#endif

#endif
