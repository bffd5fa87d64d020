// Land-boundary files of any content through the reader that grows its
// buffers, and into the library.
#include <cstdio>

#include "fakes.h"
#include "fuzz_file.h"
#include "ge_list.h"
#include "visarea.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string name = FuzzInputFile("ldb", data, size);
    int32_t count = 0, code = -1;
    float *x = nullptr, *y = nullptr, xmin, xmax, ymin, ymax;
    int32_t *ends = nullptr;
    GE_ReadLandBoundary(name.c_str(), &count, &x, &y, &ends, &xmin, &xmax, &ymin, &ymax, &code);
    if (code == 0) {
        GE_Init(1);
        GE_GridInput input{};
        input.mmax = count;
        input.x = x;
        input.y = y;
        input.polylineEnds = ends;
        GE_SetLandBoundary(&input);
        GE_ComputeBounds();
        global_windata.option_loaded[GEdit_SHOW_LANDBOUNDARY] = 0;
        GE_FreeAll();
    }
    GE_Free(x);
    GE_Free(y);
    GE_Free(ends);
    std::remove(name.c_str());
    fakes::Reset();   // the fakes' log of calls goes with the run, as for the leak check
    return 0;
}
