// The wrapper of the map library's enclosure reader, in an object of its
// own: only programs that call it need the reader's definition.

#include "flow_files.h"

#include <cstring>

extern "C" void CallReadEnclosureFile(const char *name, int32_t *outcome, int32_t *nmax1, int32_t *mmax1,
                                      int32_t *cells, int32_t *polygon_m, int32_t *polygon_n, int32_t *all_m,
                                      int32_t *all_n, int32_t *count)
{
    const int32_t len = name ? static_cast<int32_t>(std::strlen(name)) : 0;
    READ_ENCLOSURE_FILE(name, len, outcome, nmax1, mmax1, cells, polygon_m, polygon_n, all_m, all_n, count);
}
