/* What the event entry shares with other modules of the portable layer:
   the notebook module tells it how a notebook forgets a page face, so that
   a face being destroyed leaves no stale face in its notebook. */
#ifndef RUV_EVENT_PRIVATE_H
#define RUV_EVENT_PRIVATE_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Clears the page slot of notebook whose face is `face`. */
typedef void (*RUV_FACE_FORGET)(RUV_WIN notebook, RUV_WIN face);

/* Installed by the notebook module when it makes its first notebook;
   NULL removes it. */
void ruvv_win_set_face_forget(RUV_FACE_FORGET forget);

#ifdef __cplusplus
}
#endif

#endif
