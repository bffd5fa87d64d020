// Shared by the string fuzz targets: fresh toolkit state in the single-byte
// or the double-byte string mode, with every error report swallowed.
#ifndef FUZZ_STRINGS_MODE_H
#define FUZZ_STRINGS_MODE_H

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "standin_core.h"
#include "standin_strings.h"

namespace fuzzmode {

inline RUV_BOOL swallow(RUV_ERRMSG *, void *) { return 1; }

// Switches the string mode (the flag is read once per process, so the
// toolkit state starts afresh when it changes) and keeps reports quiet.
inline void use(bool multibyte)
{
    static int current = -1;
    static int calls = 0;
    // Fresh state now and then too, so the error count never grows large.
    if (current != (int)multibyte || ++calls % 1000 == 0) {
        standin::end_process();
        standin::set_codepage(multibyte ? 932 : 0);
        ruvk_vobj_set_attr(NULL_WIN, 713, multibyte ? 1 : 0);
        ruvv_errmsg_set_ready();
        ruvv_errmsg_push_handler(swallow, nullptr);
        current = multibyte;
    }
}

} // namespace fuzzmode

#endif
