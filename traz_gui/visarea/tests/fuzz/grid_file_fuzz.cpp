// Grid text files of any content through the reader and, when read, into
// the library with the default enclosure.
#include <cstdio>

#include "fakes.h"
#include "fuzz_file.h"
#include "utilities.h"
#include "visarea.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string name = FuzzInputFile("grd", data, size);
    GE_Init(1);
    int32_t mmax = 0, nmax = 0;
    GE_SetGridFromFile(name.c_str(), "", &mmax, &nmax);
    float z;
    int32_t m, n;
    if (global_windata.grid.mmax > 0) {
        GE_FindCell(nullptr, 0, 0, mmax - 1, nmax - 1, 1, global_windata.grid.xcoord[0], global_windata.grid.ycoord[0],
                    &m, &n);
        GE_InterpolateDepth(2, 2, 0.0f, 0.0f, &z);
    }
    GE_FreeAll();
    // The lookup's cell index goes with the run: a run that keeps nothing
    // then looks so to the leak check, which otherwise scans the whole heap
    // after every input.
    GE_InvalidateCellIndex();
    std::remove(name.c_str());
    fakes::Reset();   // the fakes' log of calls goes with the run, as for the leak check
    return 0;
}
