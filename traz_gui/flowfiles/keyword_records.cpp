// Keyword records of the flow-model definition file: the cyclic search for
// a keyword's record, the readers of its character and numeric values with
// their continuation records, and the checks of file formats and names.

#include "keyword_records.h"

#include "flow_record_util.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

FlowDefinitionState g_state = {6, 8, {' '}};

bool g_state_ready = false;

// Reads the next record "(a80)" into the blanked record buffer.
int ReadRecord80(int unit, char *record, int32_t record_len)
{
    if (record_len <= 0) {
        std::string line;
        return recio::ReadLine(unit, &line);
    }
    const size_t len = static_cast<size_t>(record_len);
    const size_t field = std::min(len, static_cast<size_t>(80));
    if (len > field)
        std::memset(record + field, ' ', len - field);   // the field itself is filled by the read
    const int r = recio::ReadLineInto(unit, record, field, ' ');
    if (r != recio::kOk)
        std::memset(record, ' ', len);
    return r;
}

// The keyword's text up to its first blank.
std::string KeywordText(const char *keyword, int32_t keyword_len)
{
    return flowrec::FirstWord(keyword, keyword_len);
}

// True when the record's keyword field is blank: it continues the values
// of the record before it.
bool IsContinuation(const char *record, int32_t record_len)
{
    const int32_t width = std::min(record_len, FlowDefinitionStateGet()->keyword_width);
    for (int32_t i = 0; i < width; ++i)
        if (record[i] != ' ' && record[i] != '\t')
            return false;
    return true;
}

void Report(const int32_t *diag_unit, const char *code, const std::string &text)
{
    REPORT_MESSAGE(diag_unit, code, 4, text.c_str(), static_cast<int32_t>(text.size()));
}

// Searches the keyword's record for the value readers (no printing).
bool Search(const int32_t *unit, int32_t *error, const std::string &keyword, const int32_t *new_search,
            char *record, int32_t record_len, int32_t *record_number, const int32_t *stop_record)
{
    int32_t found = 0;
    const int32_t width = FlowDefinitionStateGet()->keyword_width;
    FIND_KEYWORD_RECORD(unit, error, new_search, record_number, &found, stop_record, record, record_len, &width,
                        keyword.c_str(), static_cast<int32_t>(keyword.size()), "NO", 2);
    return found != 0;
}

// The next record of a value list: 1 a continuation record, 0 a new keyword
// record or the end of the file, -1 a read error.
int NextValueRecord(int unit, char *record, int32_t record_len, int32_t *record_number)
{
    int r = ReadRecord80(unit, record, record_len);
    if (r == recio::kEndOfFile)
        return 0;
    if (r != recio::kOk)
        return -1;
    ++*record_number;
    return IsContinuation(record, record_len) ? 1 : 0;
}

void StoreText(char *value, int32_t value_len, const std::string &text)
{
    if (value_len <= 0)
        return;
    std::memset(value, ' ', static_cast<size_t>(value_len));
    std::memcpy(value, text.data(), std::min(text.size(), static_cast<size_t>(value_len)));
}

// Numbers of a keyword: the shared body of the integer and real readers.
template <typename T, typename Scan>
void ReadKeywordNumbers(const int32_t *unit, int32_t *error, const char *keyword, int32_t keyword_len,
                        const int32_t *new_search, const int32_t *count, char *record, int32_t record_len,
                        T *values, const int32_t *capacity, const T *fill, const int32_t *brackets_allowed,
                        int32_t *record_number, const int32_t *stop_record, const int32_t *diag_unit, Scan scan)
{
    const std::string key = KeywordText(keyword, keyword_len);
    if (!Search(unit, error, key, new_search, record, record_len, record_number, stop_record)) {
        Report(diag_unit, "U100", key);
        *error = -1;
        return;
    }
    const int32_t wanted = *count;
    const int32_t last = record_len;
    int32_t position = FlowDefinitionStateGet()->value_start;
    int32_t read = 0;
    bool bad = false;
    while (wanted == 0 || read < wanted) {
        int32_t end = 0, status = 0;
        T v = *fill;
        scan(record, record_len, &last, &position, &end, &v, fill, &status);
        if (status == 1 || (status == -1 && *brackets_allowed != 0)) {
            if (read < *capacity)   // values past the capacity are checked, not kept
                values[read] = v;
            ++read;
            continue;
        }
        if (status != 0) {   // a bracket not allowed here, or not a number
            bad = true;
            break;
        }
        // The record ran out.
        if (wanted == 1) {
            bad = true;
            break;
        }
        int next = NextValueRecord(*unit, record, record_len, record_number);
        if (next == 1) {
            position = FlowDefinitionStateGet()->value_start;
            continue;
        }
        bad = next < 0 || wanted != 0;   // a read error, or too few values
        break;
    }
    if (bad) {
        Report(diag_unit, "U036", key);
        *error = -1;
    }
}

}  // namespace

extern "C" FlowDefinitionState *FlowDefinitionStateGet(void)
{
    if (!g_state_ready) {
        std::memset(g_state.message_directory, ' ', sizeof g_state.message_directory);
        g_state_ready = true;
    }
    return &g_state;
}

extern "C" void FIND_KEYWORD_RECORD(const int32_t *unit, int32_t *error, const int32_t *new_search,
                                    int32_t *record_number, int32_t *found, const int32_t *stop_record,
                                    char *record, int32_t record_len, const int32_t *field_width,
                                    const char *keyword, int32_t keyword_len, const char *print_flag,
                                    int32_t print_flag_len)
{
    *found = -1;
    const std::string key(keyword, static_cast<size_t>(std::max(0, keyword_len)));
    const bool print = print_flag_len > 0 && (print_flag[0] == 'Y' || print_flag[0] == 'y');
    const int32_t width = std::max(0, std::min(record_len, *field_width));
    int ends_met = 0;

    enum class Step { kRecord, kGiveUp, kError };
    // Reads the next record, going round from the start at the end of the
    // file; may_stop: give up when the record number reaches the stop.  The
    // first read of a search that does not test the current record is
    // exempt (a search from record 0 with stop 1 reads the whole file), but
    // not once it has gone round: a search that starts at the last record
    // and stops at the first gives up there instead of reading the file
    // again from its start.
    auto next = [&](bool may_stop) {
        int r = ReadRecord80(*unit, record, record_len);
        if (r == recio::kEndOfFile) {
            if (++ends_met > 1)
                return Step::kGiveUp;   // the whole file was searched
            *record_number = 0;
            if (recio::Rewind(*unit) != recio::kOk)
                return Step::kError;
            r = ReadRecord80(*unit, record, record_len);
            if (r == recio::kEndOfFile)
                return Step::kGiveUp;
            may_stop = true;
        }
        if (r != recio::kOk)
            return Step::kError;
        ++*record_number;
        if (may_stop && *record_number == *stop_record)
            return Step::kGiveUp;
        return Step::kRecord;
    };

    // A keyword without blanks is in a record only when it is in the
    // record's line (the blanks after a short line are the record's own),
    // so the lines that lack it are passed over where the unit has them
    // in memory, without filling the record with each; never the record
    // the search is to stop at.
    const bool may_pass = record_len > 0 && !key.empty() && key.find(' ') == std::string::npos;
    const size_t window = static_cast<size_t>(std::min(width, 80));
    Step step = *new_search != 0 ? Step::kRecord : next(false);
    while (step == Step::kRecord) {
        if (std::string_view(record, static_cast<size_t>(width)).find(key) != std::string_view::npos)
            return;
        if (may_pass) {
            const int64_t before_stop = static_cast<int64_t>(*stop_record) - *record_number - 1;
            const size_t most = before_stop >= 0 ? static_cast<size_t>(before_stop) : SIZE_MAX;
            *record_number += static_cast<int32_t>(recio::PassLinesWithout(*unit, key, window, most));
        }
        step = next(true);
    }
    *found = 0;
    if (step == Step::kError) {
        *error = -1;
        if (print)
            std::printf(" *** ERROR I/O error while reading input file\n");
    } else if (print) {
        std::printf(" *** ERROR Record %s not found\n", key.c_str());
    }
    if (print)
        std::fflush(stdout);
}

extern "C" void READ_KEYWORD_STRING(const int32_t *unit, int32_t *error, const char *keyword, int32_t keyword_len,
                                    const int32_t *new_search, int32_t *required, char *record, int32_t record_len,
                                    char *value, int32_t value_len, const char *default_value,
                                    int32_t default_len, int32_t *value_length_out, int32_t *record_number,
                                    const int32_t *stop_record, const int32_t *diag_unit)
{
    StoreText(value, value_len, "");
    *value_length_out = value_len;
    const std::string key = KeywordText(keyword, keyword_len);
    if (!Search(unit, error, key, new_search, record, record_len, record_number, stop_record)) {
        if (*required < 1) {
            *required = 999;
        } else {
            Report(diag_unit, "U100", key);
            *required = -1;
            *error = -1;
        }
        return;
    }
    int32_t bad = 0;
    int32_t start = FlowDefinitionStateGet()->value_start;
    int32_t end = 0;
    FIND_HASH_DELIMITED_VALUE(record, record_len, &record_len, &start, &end, &bad);
    if (!bad) {
        int32_t length = value_len;
        COPY_TRIMMED_VALUE(record, record_len, &start, &end, &length, value, value_len, &bad);
        if (!bad && length == 0)
            StoreText(value, value_len, flowrec::FieldText(default_value, default_len));
    }
    if (bad) {
        Report(diag_unit, "U036", key);
        *required = -1;
        *error = -1;
    }
}

extern "C" void READ_KEYWORD_STRINGS(const int32_t *unit, int32_t *error, const char *keyword,
                                     int32_t keyword_len, const int32_t *new_search, int32_t *count,
                                     char *record, int32_t record_len, char *values, int32_t value_len,
                                     const char *default_value, int32_t default_len, const int32_t *max_length,
                                     int32_t *record_number, const int32_t *stop_record, const int32_t *diag_unit)
{
    const int32_t wanted = std::max(0, *count);
    const std::string fallback = flowrec::FieldText(default_value, default_len);
    const std::string key = KeywordText(keyword, keyword_len);
    int32_t read = 0;
    bool bad = false;
    if (!Search(unit, error, key, new_search, record, record_len, record_number, stop_record)) {
        Report(diag_unit, "U100", key);
        *error = -1;
    } else {
        int32_t position = FlowDefinitionStateGet()->value_start;
        while (read < wanted) {
            int32_t start = position, end = 0, none = 0;
            FIND_HASH_DELIMITED_VALUE(record, record_len, &record_len, &start, &end, &none);
            if (none) {
                if (wanted == 1) {
                    bad = true;
                    break;
                }
                int next = NextValueRecord(*unit, record, record_len, record_number);
                if (next == 1) {
                    position = FlowDefinitionStateGet()->value_start;
                    continue;
                }
                bad = next < 0;
                break;
            }
            char *value = values + static_cast<size_t>(read) * static_cast<size_t>(std::max(0, value_len));
            int32_t length = std::min(*max_length, value_len);
            int32_t first = start, last = end;
            int32_t too_long = 0;
            COPY_TRIMMED_VALUE(record, record_len, &first, &last, &length, value, value_len, &too_long);
            if (too_long) {
                bad = true;
                break;
            }
            if (length == 0)
                StoreText(value, value_len, fallback);
            ++read;
            position = end + 2;   // after the closing '#'
        }
    }
    for (int32_t i = read; i < wanted; ++i)
        StoreText(values + static_cast<size_t>(i) * static_cast<size_t>(std::max(0, value_len)), value_len, fallback);
    *count = read;
    if (bad) {
        Report(diag_unit, "U036", key);
        *error = -1;
    }
}

extern "C" void READ_KEYWORD_INTS(const int32_t *unit, int32_t *error, const char *keyword, int32_t keyword_len,
                                  const int32_t *new_search, const int32_t *count, char *record, int32_t record_len,
                                  int32_t *values, const int32_t *capacity, const int32_t *fill,
                                  const int32_t *brackets_allowed, int32_t *record_number,
                                  const int32_t *stop_record, const int32_t *diag_unit)
{
    ReadKeywordNumbers(unit, error, keyword, keyword_len, new_search, count, record, record_len, values, capacity,
                       fill, brackets_allowed, record_number, stop_record, diag_unit,
                       [](const char *line, int32_t len, const int32_t *last, int32_t *pos, int32_t *end,
                          int32_t *v, const int32_t *f, int32_t *status) {
                           SCAN_NEXT_INT(line, len, last, pos, end, v, f, status);
                       });
}

extern "C" void READ_KEYWORD_REALS(const int32_t *unit, int32_t *error, const char *keyword, int32_t keyword_len,
                                   const int32_t *new_search, const int32_t *count, char *record,
                                   int32_t record_len, float *values, const int32_t *capacity,
                                   const float *fill, const int32_t *brackets_allowed, int32_t *record_number,
                                   const int32_t *stop_record, const int32_t *diag_unit)
{
    ReadKeywordNumbers(unit, error, keyword, keyword_len, new_search, count, record, record_len, values, capacity,
                       fill, brackets_allowed, record_number, stop_record, diag_unit,
                       [](const char *line, int32_t len, const int32_t *last, int32_t *pos, int32_t *end,
                          float *v, const float *f, int32_t *status) {
                           SCAN_NEXT_REAL(line, len, last, pos, end, v, f, status);
                       });
}

extern "C" void CHECK_FILE_FORMAT(const int32_t *diag_unit, const char *keyword, int32_t keyword_len, char *format,
                                  int32_t format_len, int32_t *error)
{
    // "UN" and "FR" are looked for as written: a value in lower case is not
    // a format the definition readers accept.
    const std::string text = flowrec::FieldText(format, format_len);
    const bool un = text.find("UN") != std::string::npos;
    const bool fr = text.find("FR") != std::string::npos;
    if (un != fr) {
        StoreText(format, format_len, un ? "unformatted" : "formatted");
        return;
    }
    Report(diag_unit, "U036", KeywordText(keyword, keyword_len));
    *error = -1;
}

extern "C" int32_t CHECK_FILE_EXISTS(const char *name, int32_t name_len, const int32_t *diag_unit, const char *code,
                                     int32_t code_len)
{
    const std::string file = flowrec::FirstWord(name, name_len);
    if (!file.empty() && recio::FileExists(file))
        return -1;
    REPORT_MESSAGE(diag_unit, code, code_len, file.c_str(), static_cast<int32_t>(file.size()));
    return 0;
}
