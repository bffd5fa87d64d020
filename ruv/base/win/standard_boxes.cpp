// Kernel entries that this platform does not have yet (the boxes of the
// dialog manager are the standard dialogs' now).

#include <cstdarg>
#include <cstdio>

#include "kernel_app.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "startup.h"

extern "C" {

} // extern "C"
