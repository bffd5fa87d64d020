// Fuzzes the land-boundary reader.  The first byte chooses the capacity
// (1 to 64 points), so the over-capacity paths run as often as full reads.

#include "flow_files.h"
#include "../../../gridfiles/tests/fuzz/fuzz_files.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    int32_t capacity = 1 + data[0] % 64;
    const std::string path = fuzzfiles::Dir() + "l.ldb";
    fuzzfiles::Write(path, data + 1, size - 1);
    std::vector<double> x(static_cast<size_t>(capacity)), y(static_cast<size_t>(capacity));
    std::vector<int32_t> ends(static_cast<size_t>(capacity));
    int32_t count = -1, outcome = -1;
    CallReadPolylineFile(path.c_str(), x.data(), y.data(), ends.data(), &capacity, &count, &outcome);
    if (outcome == 0) {
        // Every stored polyline ends inside the points, in increasing order,
        // and a zero follows the last.
        if (count < 0 || count >= capacity)
            __builtin_trap();
        int32_t previous = 0;
        size_t k = 0;
        for (; k < ends.size() && ends[k] != 0; ++k) {
            if (ends[k] <= previous || ends[k] > count)
                __builtin_trap();
            previous = ends[k];
        }
        if (k >= ends.size() || previous != count)
            __builtin_trap();
    }
    return 0;
}
