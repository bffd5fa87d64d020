// Fuzzes the grid-file reader the way a caller uses it: a first call with
// guessed sizes, a second with the file's sizes when they differ (small
// grids only), then the grid written back out and read again.

#include "flow_files.h"
#include "../../../gridfiles/tests/fuzz/fuzz_files.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string path = fuzzfiles::Dir() + "g.grd";
    fuzzfiles::Write(path, data, size);
    int32_t mmax = 2, nmax = 2, outcome = -1;
    float v[3];
    std::vector<float> x(4), y(4);
    CallReadGridFile(path.c_str(), &v[0], &v[1], &v[2], x.data(), y.data(), &mmax, &nmax, &outcome);
    if (outcome != 3)
        return 0;
    if (mmax < 0 || nmax < 0 || mmax > 64 || nmax > 64)
        return 0;
    x.assign(static_cast<size_t>(mmax * nmax) + 1, 0.0f);
    y.assign(static_cast<size_t>(mmax * nmax) + 1, 0.0f);
    CallReadGridFile(path.c_str(), &v[0], &v[1], &v[2], x.data(), y.data(), &mmax, &nmax, &outcome);
    if (outcome != 0)
        return 0;
    const std::string copy = fuzzfiles::Dir() + "copy.grd";
    CallWriteGridFile(copy.c_str(), x.data(), y.data(), &mmax, &nmax, &outcome);
    if (outcome != 0)
        __builtin_trap();
    CallReadGridFile(copy.c_str(), &v[0], &v[1], &v[2], x.data(), y.data(), &mmax, &nmax, &outcome);
    return 0;
}
