// Fuzzes the keyword readers over a definition file: the first two bytes
// set the keyword field width and the value start column, then each reader
// runs for a few keywords, with the search starting at various records.
// Diagnostics go to unit 0 (no message file).

#include "../../../gridfiles/tests/fuzz/fuzz_files.h"
#include "keyword_records.h"
#include "record_io.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    FlowDefinitionState *state = FlowDefinitionStateGet();
    state->keyword_width = data[0] % 12;
    state->value_start = data[1] % 90;
    const std::string path = fuzzfiles::Dir() + "k.md";
    fuzzfiles::Write(path, data + 2, size - 2);
    const int32_t unit = 40;
    if (recio::Open(unit, path, recio::Form::kFormatted, recio::Access::kSequential, recio::OpenStatus::kOld) !=
        recio::kOk)
        return 0;
    const int32_t diag = 0;
    const char *keywords[] = {"Ident", "Runtxt", "Mnkmax", "Tstart", "", "#"};
    char record[80];
    int32_t record_number = 0, error = 0;
    for (const char *k : keywords) {
        const int32_t klen = static_cast<int32_t>(std::string(k).size());
        int32_t new_search = record_number % 2, stop = record_number, required = 1, length = 0;
        char value[12];
        READ_KEYWORD_STRING(&unit, &error, k, klen, &new_search, &required, record, 80, value, 12, "d", 1, &length,
                            &record_number, &stop, &diag);
        int32_t count = 4, max = 8;
        char values[4 * 8];
        READ_KEYWORD_STRINGS(&unit, &error, k, klen, &new_search, &count, record, 80, values, 8, "d", 1, &max,
                             &record_number, &stop, &diag);
        // Count 0 reads every value up to the next keyword record: the
        // arrays hold 4 of them, the rest is checked and dropped.
        std::vector<int32_t> ints(4);
        std::vector<float> reals(4);
        int32_t fill = -1, allowed = -1, capacity = 4;
        float rfill = -1.0f;
        for (int32_t c : {0, 1, 3}) {
            READ_KEYWORD_INTS(&unit, &error, k, klen, &new_search, &c, record, 80, ints.data(), &capacity, &fill,
                              &allowed, &record_number, &stop, &diag);
            READ_KEYWORD_REALS(&unit, &error, k, klen, &new_search, &c, record, 80, reals.data(), &capacity, &rfill,
                               &allowed, &record_number, &stop, &diag);
        }
        char format[11] = {'U', 'N', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
        CHECK_FILE_FORMAT(&diag, k, klen, format, 11, &error);
    }
    recio::Close(unit);
    return 0;
}
