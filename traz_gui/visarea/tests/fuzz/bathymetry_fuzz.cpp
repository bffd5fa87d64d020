// Bathymetry files of any content for a small grid whose sizes come from
// the first two bytes.
#include <cstdio>

#include "fakes.h"
#include "fuzz_file.h"
#include "ge_list.h"
#include "visarea.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int32_t mmax = data[0] % 12, nmax = data[1] % 12;
    const std::string name = FuzzInputFile("dep", data + 2, size - 2);
    float *depth = nullptr, low, high;
    int32_t code = -1;
    GE_ReadBathymetry(name.c_str(), mmax, nmax, &depth, &low, &high, &code);
    GE_Free(depth);
    std::remove(name.c_str());
    fakes::Reset();   // the fakes' log of calls goes with the run, as for the leak check
    return 0;
}
