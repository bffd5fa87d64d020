// Fuzzes the depth reader over a depth file and its coordinate companion.

#include "fuzz_files.h"
#include "grid_readers.h"
#include "record_io.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string base = fuzzfiles::Dir() + "d";
    fuzzfiles::Split(data, size, base + ".dps", base + ".cco");

    char name[512];
    std::memset(name, 0, sizeof name);
    std::memcpy(name, base.c_str(), base.size());
    static std::vector<float> depths(4096);
    int32_t ft = 0, loc[9] = {0}, dims[7], seg = static_cast<int32_t>(depths.size()), spare = 0, status = -1;
    ZRF_KIMBOL_UNF_DPS(name, &ft, loc, dims, depths.data(), &seg, &spare, &status, 256);
    for (int u = recio::kFirstFreeUnit; u <= recio::kLastFreeUnit; ++u)
        if (recio::IsConnected(u))
            std::abort();
    return 0;
}
