// A file specification of a leaf in the current directory, for the
// file-system tests.
#ifndef RUVF_FSYS_SPEC_H
#define RUVF_FSYS_SPEC_H

#include <cstdio>

#include "ruv.h"

namespace ruvf_test {

inline RUV_FILE_SPEC spec_of(const char *leaf)
{
    RUV_FILE_SPEC s{};
    ruv_fsys_get_dir(&s.dir);
    std::snprintf(s.name, sizeof s.name, "%s", leaf);
    return s;
}

} // namespace ruvf_test

#endif
