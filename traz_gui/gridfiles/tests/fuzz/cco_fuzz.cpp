// Fuzzes the coordinate reader: x and y into a bounded array.

#include "fuzz_files.h"
#include "grid_readers.h"
#include "record_io.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string path = fuzzfiles::Dir() + "c.cco";
    fuzzfiles::Write(path, data, size);

    char name[512];
    std::memset(name, 0, sizeof name);
    std::memcpy(name + 256, path.c_str(), path.size());
    static std::vector<float> values(4096);
    float missing = -999.0f;
    int32_t ft = 0, spare = 0, loc[9] = {0}, capacity = static_cast<int32_t>(values.size()), status = -1;
    for (int32_t selector = 1; selector <= 2; ++selector)
        ZRF_KIMBOL_UNF_CCO(name, &ft, &selector, &spare, loc, &missing, &capacity, values.data(), &status, 256);
    for (int u = recio::kFirstFreeUnit; u <= recio::kLastFreeUnit; ++u)
        if (recio::IsConnected(u))
            std::abort();
    return 0;
}
