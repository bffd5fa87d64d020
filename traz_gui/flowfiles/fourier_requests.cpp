// The count of Fourier-analysis requests in a Fourier input file, and the
// splitting of a record into its words.

#include "timeseries_blocks.h"

#include "keyword_records.h"
#include "record_io.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Quantities of a Fourier request and the number of analyses each asks for.
int RequestsOf(const std::string &word)
{
    if (word == "wl" || word == "ct" || word == "cs")
        return 1;
    if (word == "uv" || word == "qf")
        return 2;
    if (word.size() == 2 && word[0] == 'c' && word[1] >= '1' && word[1] <= '5')
        return 1;
    return 0;
}

}  // namespace

extern "C" void SPLIT_WORDS(const char *line, int32_t line_len, int32_t *starts, int32_t *ends, int32_t *count)
{
    *count = 0;
    int32_t c = 1;
    while (c <= line_len) {
        while (c <= line_len && (line[c - 1] == ' ' || line[c - 1] == '\t'))
            ++c;
        if (c > line_len)
            break;
        starts[*count] = c;
        while (c <= line_len && line[c - 1] != ' ' && line[c - 1] != '\t')
            ++c;
        ends[*count] = c - 1;
        ++*count;
    }
}

extern "C" void SCAN_FOURIER_REQUESTS(const int32_t *diag_unit, const int32_t *file_unit, int32_t *error,
                                      int32_t *count)
{
    *count = 0;
    std::string text;
    for (;;) {
        int r = recio::ReadLine(*file_unit, &text);
        if (r == recio::kEndOfFile)
            return;
        if (r != recio::kOk) {
            *error = -1;
            return;
        }
        char record[80];
        std::memset(record, ' ', sizeof record);
        std::memcpy(record, text.data(), std::min(text.size(), sizeof record));
        const int32_t len = 80;
        TO_LOWER_CASE(record, len, &len);
        int32_t starts[40], ends[40], words = 0;
        SPLIT_WORDS(record, len, starts, ends, &words);
        if (words == 0 || record[starts[0] - 1] == '*')
            continue;
        const std::string first(record + starts[0] - 1, static_cast<size_t>(ends[0] - starts[0] + 1));
        const int requests = RequestsOf(first);
        if (requests == 0) {
            REPORT_MESSAGE(diag_unit, "F001", 4, first.c_str(), static_cast<int32_t>(first.size()));
            *error = -1;
            return;
        }
        *count += requests;
    }
}
