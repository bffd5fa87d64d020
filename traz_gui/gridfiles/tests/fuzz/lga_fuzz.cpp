// Fuzzes the grid table reader over a table file and its coordinate
// companion: a query, then the table read sized by the answer.

#include "fuzz_files.h"
#include "grid_readers.h"
#include "record_io.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string base = fuzzfiles::Dir() + "t";
    fuzzfiles::Split(data, size, base + ".lga", base + ".cco");

    char name[512];
    std::memset(name, 0, sizeof name);
    std::memcpy(name, base.c_str(), base.size());
    int32_t ft = 0, loc[9] = {GRID_QUERY_EXCHANGES, 0, 0, 0, 0, 0, 0, 0, 0}, dims[7];
    int32_t seg = 0, spare = 0, status = -1;
    ZRF_KIMBOL_UNF_LGA(name, &ft, loc, dims, &seg, &spare, &status, 256);
    if (status == GRID_OK) {
        // The answer never promises more cells than the file holds.
        int64_t size_lga = recio::FileSize(base + ".lga");
        if (dims[3] < 1 || static_cast<int64_t>(dims[3]) * 4 > size_lga)
            std::abort();
        std::vector<int32_t> table(static_cast<size_t>(dims[3]));
        loc[0] = 0;
        ZRF_KIMBOL_UNF_LGA(name, &ft, loc, table.data(), &seg, &spare, &status, 256);
    }
    for (int u = recio::kFirstFreeUnit; u <= recio::kLastFreeUnit; ++u)
        if (recio::IsConnected(u))
            std::abort();   // a unit left connected
    return 0;
}
