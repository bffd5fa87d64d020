// Fuzzes the result-file family over a plain result file: the first byte
// picks the file's extension, the rest is the file.

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
    static const char *const kExt[4] = {".map", ".his", ".dat", ".MAP"};
    const std::string path = fuzzfiles::Dir() + "r" + kExt[data[0] & 3];
    fuzzfiles::Write(path, data + 1, size - 1);

    char name[256];
    std::memset(name, ' ', sizeof name);
    std::memcpy(name, path.c_str(), path.size());
    int32_t h[WQ_HANDLE_SIZE] = {0};
    int32_t ierr = 0, date = 0, time = 0;
    char titles[160];
    DQBINF(name, h, &date, &time, titles, &ierr, 256, 40);
    if (ierr == 0 && h[WQ_H_SUBSTANCES] <= 1000 && h[WQ_H_SEGMENTS] <= 1000) {
        const int32_t nsub = h[WQ_H_SUBSTANCES], nseg = h[WQ_H_SEGMENTS];
        std::vector<char> names(static_cast<size_t>(nsub) * 20);
        std::vector<int32_t> index(static_cast<size_t>(nsub));
        int32_t count = 0;
        DQBPAR(name, h, names.data(), index.data(), &count, &ierr, 256, 20);
        std::vector<double> times(50);
        int32_t room = 50, unit_code = static_cast<int32_t>(data[0] >> 2) % 5;
        DQBTIM(name, h, times.data(), &room, &unit_code, &ierr, 256);
        std::vector<float> values(static_cast<size_t>(nsub) * nseg * 3);
        int32_t vroom = static_cast<int32_t>(values.size());
        const int32_t selectors[3] = {1, -3, -1};
        int32_t all = -1, one = 1;
        for (int32_t o : selectors) {
            double t = ierr == 0 && room > 0 ? times[0] : 0.0;
            DQBMAT(name, h, &all, &all, &t, &o, values.data(), &vroom, &ierr, 256);
            DQBMAT(name, h, &one, &all, &t, &o, values.data(), &vroom, &ierr, 256);
        }
    }
    DQBCLS(h);
    for (int u = recio::kFirstFreeUnit; u <= recio::kLastFreeUnit; ++u)
        if (recio::IsConnected(u))
            std::abort();
    return 0;
}
