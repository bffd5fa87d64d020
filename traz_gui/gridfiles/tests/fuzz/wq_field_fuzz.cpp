// Fuzzes the formatted field reader: the first byte picks the dimensions
// asked for, the rest is the file.

#include "fuzz_files.h"
#include "record_io.h"
#include "wq_files.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const std::string path = fuzzfiles::Dir() + "field.txt";
    fuzzfiles::Write(path, data + 1, size - 1);
    char name[256];
    std::memset(name, ' ', sizeof name);
    std::memcpy(name, path.c_str(), path.size());
    int32_t n = 1 + (data[0] & 7), m = 1 + ((data[0] >> 3) & 3), k = 1 + (data[0] >> 5);
    std::vector<float> rdep(static_cast<size_t>(n) * m * k);
    int32_t ierr = 0;
    REAMIC(name, rdep.data(), &n, &m, &k, &ierr, 256);
    for (int u = recio::kFirstFreeUnit; u <= recio::kLastFreeUnit; ++u)
        if (recio::IsConnected(u))
            std::abort();
    return 0;
}
