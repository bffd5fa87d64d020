/* What the static-block module shares inside the portable layer. */
#ifndef RUV_STATIC_BLOCKS_H
#define RUV_STATIC_BLOCKS_H

#include "ruvv_static.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Head of the chain of descriptors queued for termination. */
RUV_STATIC_DESC *ruvv_static_term_chain(void);

#ifdef __cplusplus
}
#endif

#endif
