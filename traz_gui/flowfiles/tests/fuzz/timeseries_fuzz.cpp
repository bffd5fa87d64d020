// Fuzzes the time-series readers and the Fourier request count over one
// input file.  The first byte chooses the reader and the file form, the
// second the sizes; diagnostics go to unit 0 (no message file).

#include "../../../gridfiles/tests/fuzz/fuzz_files.h"
#include "record_io.h"
#include "timeseries_blocks.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int choice = data[0] % 8;
    const int32_t a = data[1] % 5;
    const int32_t b = (data[1] / 5) % 5;
    const std::string path = fuzzfiles::Dir() + "s.tim";
    fuzzfiles::Write(path, data + 2, size - 2);
    const std::string name = path;
    const int32_t name_len = static_cast<int32_t>(name.size());
    const char *format = choice % 2 ? "unformatted" : "formatted";
    const int32_t format_len = choice % 2 ? 11 : 9;

    const int32_t diag = 0, scratch = 41;
    if (recio::Open(scratch, "", recio::Form::kUnformatted, recio::Access::kSequential, recio::OpenStatus::kScratch) !=
        recio::kOk)
        return 0;
    int32_t error = 0, last = -1, first = -1, start = 1, stop = 3;
    const float dt = (choice / 2) == 3 ? 0.5f : 60.0f;
    switch (choice / 2) {
    case 0: {
        std::vector<float> values(static_cast<size_t>(a) + 1);
        READ_TIMESERIES_BLOCK(&diag, &scratch, &error, &last, &first, name.c_str(), name_len, format, format_len, &a,
                              values.data(), &dt, &start, &stop);
        break;
    }
    case 1:
        READ_TRANSPORT_BC_BLOCK(&diag, &scratch, &error, &last, &first, name.c_str(), name_len, format, format_len,
                                &a, &b, &dt, &start, &stop);
        break;
    case 2:
        READ_WIND_TIMESERIES_BLOCK(&diag, &scratch, &error, &last, &first, name.c_str(), name_len, format,
                                   format_len, &a, &b, &b, &dt, &start, &stop);
        break;
    default: {
        const int32_t unit = 42;
        if (recio::Open(unit, path, recio::Form::kFormatted, recio::Access::kSequential, recio::OpenStatus::kOld) ==
            recio::kOk) {
            int32_t count = 0;
            SCAN_FOURIER_REQUESTS(&diag, &unit, &error, &count);
            recio::Close(unit);
        }
        int32_t date = 0, day = 0;
        for (size_t i = 2; i + 4 <= size; i += 4) {
            std::memcpy(&date, data + i, 4);
            JULIAN_DAY_CONVERT(&date, &day);
        }
        break;
    }
    }
    recio::Close(scratch);
    return 0;
}
