/* What tests can ask of the images and palettes stand-in: the colours the
   native palettes were given and the windows' palettes. */
#ifndef STANDIN_IMAGES_H
#define STANDIN_IMAGES_H

#include "ruvv_palet.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Entries of the native palette behind a palette (-1 when it has none). */
int32_t standin_palet_native_count(const RUV_PALETTE *palette);
/* Entry i of the native palette. */
RUV_COLOR standin_palet_native_color(const RUV_PALETTE *palette, int32_t i);
/* Native palettes made and not yet destroyed. */
int32_t standin_palet_live_count(void);

#ifdef __cplusplus
}
#endif

#endif
