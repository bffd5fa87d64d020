/* Flag rules of window and control definitions: which creation flags each
   window type and control type allows, tested before a window or control is
   made from a definition or from arguments. */
#ifndef RUVV_WINFLAGS_H
#define RUVV_WINFLAGS_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* 0, 0x01520002 "Failed to create window" (flags not allowed, or a type-7
   window outside another window) or 0x01230001 "Incorrect Window type". */
uint32_t ruvv_win_check_flags(int32_t type, RUV_WIN parent, uint32_t flags);
/* 0 or 0x01520004 "Failed to create control". */
uint32_t ruvv_ctl_check_flags(int32_t type, uint32_t flags);

#ifdef __cplusplus
}
#endif

#endif
