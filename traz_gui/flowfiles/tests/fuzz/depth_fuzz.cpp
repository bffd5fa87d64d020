// Fuzzes both depth readers over a small array whose sizes come from the
// first two bytes.

#include "flow_files.h"
#include "../../../gridfiles/tests/fuzz/fuzz_files.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    int32_t mmax = data[0] % 9;
    int32_t nmax = data[1] % 9;
    const std::string path = fuzzfiles::Dir() + "d.dep";
    fuzzfiles::Write(path, data + 2, size - 2);
    std::vector<float> depth(static_cast<size_t>(mmax * nmax) + 1);
    int32_t outcome = -1;
    CallReadDepthRows(path.c_str(), depth.data(), &mmax, &nmax, &outcome);
    CallReadDepthStream(path.c_str(), depth.data(), &mmax, &nmax, &outcome);
    return 0;
}
