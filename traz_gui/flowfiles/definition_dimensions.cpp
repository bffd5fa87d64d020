// The dimensions step of the master definition file reader: process
// letters and constituents, the grid dimensions, the turbulence model, and
// the counts of discharges, open boundaries, harmonic frequencies,
// stations, cross sections, drogues and Fourier requests, each from its
// attached file or from the name records of the definition file, capped at
// the record's array limits.

#include "definition_reader.h"

#include "flow_definition.h"
#include "flow_record_util.h"
#include "keyword_records.h"
#include "timeseries_blocks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The record last read from the definition file, shared by the counting
// routines (READ_DEFINITION_DIMENSIONS exchanges it with its caller).
char g_record[80];

constexpr int32_t kTrue = -1;

bool IsTrue(const int32_t *flag)
{
    return (*flag & 1) != 0;
}

std::string Field(const char *text, int32_t len)
{
    return std::string(text, static_cast<size_t>(std::max(len, 0)));
}

void Store(char *to, int32_t len, const std::string &text)
{
    std::memset(to, ' ', static_cast<size_t>(len));
    std::memcpy(to, text.data(), std::min(text.size(), static_cast<size_t>(len)));
}

void Report(const int32_t *diag_unit, const char *code, const std::string &text)
{
    REPORT_MESSAGE(diag_unit, code, 4, text.c_str(), static_cast<int32_t>(text.size()));
}

// The number of entries beyond a limit, as a 3-digit integer.
std::string Excess(int32_t count, int32_t limit)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3d", static_cast<int>(count - limit));
    return text;
}

enum class Found { kValue, kMissing, kBad };

// One text value of a keyword.  The search starts at the current record
// (from_current) or after it, and goes once round the file.  Missing and
// bad values leave the default in value.
Found ReadText(const int32_t *def_unit, const int32_t *diag_unit, const char *keyword, bool from_current,
               bool required, int32_t *record_number, char *value, int32_t value_len, const char *fallback)
{
    int32_t error = 0, length = 0;
    int32_t wanted = required ? 1 : 0;
    const int32_t new_search = from_current ? kTrue : 0;
    const int32_t stop = *record_number;
    const std::string key = std::string(keyword).substr(0, 6);
    READ_KEYWORD_STRING(def_unit, &error, key.c_str(), static_cast<int32_t>(key.size()), &new_search, &wanted, g_record, 80, value, value_len,
                        fallback, static_cast<int32_t>(std::strlen(fallback)), &length, record_number, &stop,
                        diag_unit);
    if (wanted == 999) {
        Store(value, value_len, fallback);
        return Found::kMissing;
    }
    if (error) {
        Store(value, value_len, fallback);
        return Found::kBad;
    }
    return Found::kValue;
}

bool Blank(const char *text, int32_t len)
{
    for (int32_t i = 0; i < len; ++i)
        if (text[i] != ' ' && text[i] != '\0')
            return false;
    return true;
}

// Whether a cyclic search that went from record `from` to record `to`
// passed the record `start` (a search reads on from the record after
// `from`; at the end of the file it goes on from record 1).
bool PassedStart(int32_t from, int32_t to, int32_t start)
{
    if (from < to)
        return from < start && start <= to;
    return start > from || start <= to;
}

// The form of an attached file (the Fmt keyword, normalised); formatted
// unless the value says otherwise.
bool ReadFormatted(const int32_t *def_unit, const int32_t *diag_unit, const char *keyword, int32_t *record_number)
{
    char form[11];
    if (ReadText(def_unit, diag_unit, keyword, true, false, record_number, form, 11, "FRformatted") ==
        Found::kBad)
        return true;
    int32_t error = 0;
    CHECK_FILE_FORMAT(diag_unit, keyword, 6, form, 11, &error);
    return error || std::string(form, 11).rfind("unformatted", 0) != 0;
}

// Counts the entries of a named-entry file: records whose first 20
// characters are not blank, up to the first blank one or the end.  False
// on a read error.
bool CountFileEntries(int unit, bool formatted, int32_t *count)
{
    for (;;) {
        char name[20];
        std::memset(name, ' ', sizeof name);
        int r;
        if (formatted) {
            std::string line;
            r = recio::ReadLine(unit, &line);
            if (r == recio::kOk)
                std::memcpy(name, line.data(), std::min(line.size(), sizeof name));
        } else {
            size_t bytes = 0;
            r = recio::ReadRecord(unit, name, 0, &bytes);
            if (r == recio::kOk) {
                recio::Backspace(unit);
                r = recio::ReadRecord(unit, name, std::min(bytes, sizeof name));
            }
        }
        if (r == recio::kEndOfFile)
            return true;
        if (r != recio::kOk)
            return false;
        if (Blank(name, 20))
            return true;
        ++*count;
    }
}

// The shared rule of the discharges, stations, cross sections and drogues.
// keyword_slot receives the keyword in use (6 characters) when given.
void CountNamed(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                const int32_t *strict_mode, int32_t *count, const std::string &file_keyword,
                const std::string &form_keyword, const std::string &name_keyword, char *keyword_slot,
                int32_t keyword_slot_len)
{
    const bool strict = IsTrue(strict_mode);
    auto use = [&](const std::string &keyword) {
        if (keyword_slot)
            Store(keyword_slot, keyword_slot_len, keyword);
    };
    char name[12];
    if (ReadText(def_unit, diag_unit, file_keyword.c_str(), true, false, record_number, name, 12, " ") ==
        Found::kBad) {
        if (strict) {
            *error = kTrue;
            return;
        }
        Store(name, 12, "");
    }
    if (!Blank(name, 12)) {
        use(form_keyword);
        const bool formatted = ReadFormatted(def_unit, diag_unit, form_keyword.c_str(), record_number);
        if (!strict)
            return;   // named only: the count stays 0
        if (!CHECK_FILE_EXISTS(name, 12, diag_unit, "G004", 4)) {
            *error = kTrue;
            return;
        }
        const std::string path = flowrec::FirstWord(name, 12);
        flowrec::UnitGuard file;
        if (file.Open(path, formatted ? recio::Form::kFormatted : recio::Form::kUnformatted,
                      recio::OpenStatus::kOld) != recio::kOk ||
            !CountFileEntries(file.unit(), formatted, count)) {
            Report(diag_unit, "G007", path);
            *error = kTrue;
        }
        return;
    }
    use(name_keyword);
    const int32_t stop = *record_number;
    for (bool first = true;; first = false) {
        int32_t failed = 0, wanted = 0, length = 0;
        const int32_t new_search = first ? kTrue : 0;
        char value[20];
        const int32_t from = *record_number;
        READ_KEYWORD_STRING(def_unit, &failed, name_keyword.c_str(), 6, &new_search, &wanted, g_record, 80, value,
                            20, " ", 1, &length, record_number, &stop, diag_unit);
        if (wanted == 999 || (!first && PassedStart(from, *record_number, stop)))
            return;   // every occurrence has been seen
        if (failed) {
            if (strict)
                *error = kTrue;
            return;
        }
        if (!Blank(value, 20))
            ++*count;
    }
}

// Applies one boundary's data kind to the counts.
void CountBoundary(char kind, int32_t *total, int32_t *harmonic, char *label_flag)
{
    if (kind >= 'A' && kind <= 'Z')
        kind = static_cast<char>(kind - 'A' + 'a');
    ++*total;
    if (kind != 't')
        ++*harmonic;
    if (kind == 'a')
        *label_flag = 'Y';
}

// Reads the boundary file; false on a read error or a bad record.
bool CountBoundaryFile(int unit, bool formatted, int32_t *total, int32_t *harmonic, char *label_flag)
{
    if (!formatted) {
        for (;;) {
            char item[22];
            const int r = recio::ReadRecord(unit, item, sizeof item);
            if (r == recio::kEndOfFile)
                return true;
            if (r != recio::kOk)
                return false;
            CountBoundary(item[21], total, harmonic, label_flag);
        }
    }
    std::string first;
    int r = recio::ReadLine(unit, &first);
    if (r == recio::kEndOfFile)
        return true;
    if (r != recio::kOk || recio::Rewind(unit) != recio::kOk)
        return false;
    if (first.find('\'') != std::string::npos) {
        for (;;) {
            std::string name, type, kind;
            recio::ListRead read(unit);
            read.Text(&name).Text(&type).Text(&kind);
            if (read.result() == recio::kEndOfFile)
                return true;
            if (read.result() != recio::kOk || kind.empty())
                return false;
            CountBoundary(kind[0], total, harmonic, label_flag);
        }
    }
    for (;;) {
        std::string line;
        r = recio::ReadLine(unit, &line);
        if (r == recio::kEndOfFile)
            return true;
        if (r != recio::kOk)
            return false;
        char record[132];
        std::memset(record, ' ', sizeof record);
        std::memcpy(record, line.data(), std::min(line.size(), sizeof record));
        const int32_t last = 132, max_length = 1;
        int32_t position = 21, end = 0, status = 0;
        char type = ' ', kind = ' ';
        SCAN_NEXT_WORD(record, 132, &last, &position, &end, &type, 1, &max_length, &status);
        if (status != 1)
            return false;
        SCAN_NEXT_WORD(record, 132, &last, &position, &end, &kind, 1, &max_length, &status);
        if (status != 1)
            return false;
        CountBoundary(kind, total, harmonic, label_flag);
    }
}

// Reads the next record of the definition file into the shared record; 1 a
// continuation record (blank keyword field), 0 another record or the end,
// -1 a read error.
int NextContinuation(int unit, int32_t *record_number)
{
    std::memset(g_record, ' ', sizeof g_record);
    std::string line;
    const int r = recio::ReadLine(unit, &line);
    if (r == recio::kEndOfFile)
        return 0;
    if (r != recio::kOk)
        return -1;
    std::memcpy(g_record, line.data(), std::min(line.size(), sizeof g_record));
    ++*record_number;
    const int32_t width = std::min<int32_t>(80, std::max(0, FlowDefinitionStateGet()->keyword_width));
    return Blank(g_record, width) ? 1 : 0;
}

// All values of Omega (placeholders read as 0) into the table; values
// beyond its size are read but not kept.  False when the keyword is missing
// or a value cannot be read.
bool ReadOmega(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number, float *table)
{
    int32_t error = 0, found = 0;
    const int32_t new_search = kTrue, stop = *record_number;
    const int32_t width = FlowDefinitionStateGet()->keyword_width;
    FIND_KEYWORD_RECORD(def_unit, &error, &new_search, record_number, &found, &stop, g_record, 80, &width, "Omega",
                        5, "NO", 2);
    if (!found) {
        Report(diag_unit, "U100", "Omega");
        return false;
    }
    int32_t position = FlowDefinitionStateGet()->value_start, stored = 0;
    const int32_t last = 80;
    const float fill = 0.0f;
    for (;;) {
        int32_t end = 0, status = 0;
        float value = 0.0f;
        SCAN_NEXT_REAL(g_record, 80, &last, &position, &end, &value, &fill, &status);
        if (status == 1 || status == -1) {
            if (stored < kFlowMaxFrequencies)
                table[stored] = value;
            ++stored;
            continue;
        }
        if (status != 0) {
            Report(diag_unit, "U036", "Omega");
            return false;
        }
        const int next = NextContinuation(*def_unit, record_number);
        if (next == 1) {
            position = FlowDefinitionStateGet()->value_start;
            continue;
        }
        if (next < 0) {
            Report(diag_unit, "U036", "Omega");
            return false;
        }
        return true;
    }
}

// Counts the reals of a harmonic frequency file; false on a read error.
bool CountFrequencyFile(int unit, bool formatted, int32_t *count)
{
    if (!formatted) {
        float values[kFlowMaxFrequencies];
        for (int32_t n = kFlowMaxFrequencies; n >= 1; --n) {
            if (recio::Rewind(unit) != recio::kOk)
                return false;
            if (recio::ReadReal32(unit, values, static_cast<size_t>(n)) == recio::kOk) {
                *count = n;
                return true;
            }
        }
        return true;
    }
    for (;;) {
        std::string line;
        const int r = recio::ReadLine(unit, &line);
        if (r == recio::kEndOfFile)
            return true;
        if (r != recio::kOk)
            return false;
        char record[132];
        std::memset(record, ' ', sizeof record);
        std::memcpy(record, line.data(), std::min(line.size(), sizeof record));
        if (Blank(record, 132))
            return true;
        const int32_t last = 132;
        const float fill = 0.0f;
        int32_t position = 1;
        for (;;) {
            int32_t end = 0, status = 0;
            float value = 0.0f;
            SCAN_NEXT_REAL(record, 132, &last, &position, &end, &value, &fill, &status);
            if (status == 0)
                break;
            if (status == -1)
                return true;
            if (status != 1)
                return false;
            ++*count;
        }
    }
}

}  // namespace

extern "C" void COUNT_PROCESS_LETTERS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                      int32_t *record_number, const int32_t *strict_mode,
                                      int32_t *transported_count, int32_t *constituent_count,
                                      int32_t *salinity_index, int32_t *temperature_index,
                                      int32_t *secondary_flow_index, int32_t *salinity, int32_t *temperature,
                                      int32_t *wind, int32_t *secondary_flow, int32_t *drogues,
                                      int32_t *constituents, int32_t *sub2_w)
{
    const bool strict = IsTrue(strict_mode);
    auto read = [&](const char *keyword, char *value, int32_t len) {
        if (ReadText(def_unit, diag_unit, keyword, true, true, record_number, value, len, " ") == Found::kValue)
            return true;
        if (strict) {
            *error = kTrue;
            return false;
        }
        Store(value, len, "");
        return true;
    };
    char sub1[4];
    if (!read("Sub1  ", sub1, 4))
        return;
    const std::string s1 = Field(sub1, 4);
    if (s1.find('S') != std::string::npos) {
        ++*constituent_count;
        *salinity = kTrue;
        *salinity_index = *constituent_count;
    }
    if (s1.find('T') != std::string::npos) {
        ++*constituent_count;
        *temperature = kTrue;
        *temperature_index = *constituent_count;
    }
    if (s1.find('I') != std::string::npos)
        *secondary_flow = kTrue;
    if (s1.find('W') != std::string::npos)
        *wind = kTrue;

    char sub2[3];
    if (!read("Sub2  ", sub2, 3))
        return;
    const std::string s2 = Field(sub2, 3);
    if (s2.find('P') != std::string::npos)
        *drogues = kTrue;
    if (s2.find('W') != std::string::npos)
        *sub2_w = kTrue;
    if (s2.find('C') != std::string::npos) {
        *constituents = kTrue;
        for (int k = 1; k <= kFlowMaxNamedConstituents; ++k) {
            char keyword[7];
            std::snprintf(keyword, sizeof keyword, "Namc%d ", k);
            char name[20];
            if (!read(keyword, name, 20))
                return;
            if (!Blank(name, 20))
                ++*constituent_count;
        }
    }
    *transported_count = *constituent_count;
    if (*secondary_flow & 1) {
        *transported_count = *constituent_count + 1;
        *secondary_flow_index = *constituent_count + 1;
    }
}

extern "C" void COUNT_DISCHARGES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                 int32_t *record_number, const int32_t *strict_mode, int32_t *count)
{
    CountNamed(def_unit, diag_unit, error, record_number, strict_mode, count, "Filsrd", "Fmtsrd", "Namdis",
               nullptr, 0);
}

extern "C" void COUNT_NAMED_ENTRIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                    int32_t *record_number, const int32_t *strict_mode, int32_t *count,
                                    char *file_keyword, int32_t file_keyword_len)
{
    const std::string file = Field(file_keyword, std::min(file_keyword_len, 6));
    const std::string tail = file.size() >= 3 ? file.substr(3) : std::string();
    const std::string name = tail == "sta" ? "Namst " : "Nam" + tail;
    CountNamed(def_unit, diag_unit, error, record_number, strict_mode, count, file, "Fmt" + tail, name,
               file_keyword, file_keyword_len);
}

extern "C" void COUNT_BOUNDARIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                 int32_t *record_number, const int32_t *strict_mode, char *file_name,
                                 int32_t file_name_len, int32_t *total, int32_t *harmonic, int32_t *series,
                                 char *label_flag, int32_t label_flag_len)
{
    (void)label_flag_len;
    const bool strict = IsTrue(strict_mode);
    if (ReadText(def_unit, diag_unit, "Filbnd", true, false, record_number, file_name, file_name_len, " ") ==
        Found::kBad) {
        if (strict) {
            *error = kTrue;
            return;
        }
        Store(file_name, file_name_len, "");
    }
    if (!Blank(file_name, file_name_len)) {
        const bool formatted = ReadFormatted(def_unit, diag_unit, "Fmtbnd", record_number);
        if (!CHECK_FILE_EXISTS(file_name, file_name_len, diag_unit, "G004", 4)) {
            if (strict)
                *error = kTrue;
            else
                *series = *total - *harmonic;
            return;
        }
        const std::string path = flowrec::FirstWord(file_name, file_name_len);
        flowrec::UnitGuard file;
        if (file.Open(path, formatted ? recio::Form::kFormatted : recio::Form::kUnformatted,
                      recio::OpenStatus::kOld) != recio::kOk ||
            !CountBoundaryFile(file.unit(), formatted, total, harmonic, label_flag)) {
            Report(diag_unit, "G007", path);
            if (strict) {
                *error = kTrue;
                return;
            }
            *total = 0;
            *harmonic = 0;
        }
    } else {
        const int32_t stop = *record_number;
        for (bool first = true;; first = false) {
            int32_t failed = 0, wanted = 0, length = 0;
            const int32_t new_search = first ? kTrue : 0;
            char name[20];
            const int32_t from = *record_number;
            READ_KEYWORD_STRING(def_unit, &failed, "Nambnd", 6, &new_search, &wanted, g_record, 80, name, 20, " ",
                                1, &length, record_number, &stop, diag_unit);
            if (wanted == 999 || (!first && PassedStart(from, *record_number, stop)))
                break;   // every boundary has been seen
            if (failed) {
                if (strict)
                    *error = kTrue;
                break;
            }
            if (Blank(name, 20))
                continue;
            char kind = 'H';
            const int32_t name_record = *record_number;
            if (ReadText(def_unit, diag_unit, "Datbnd", false, false, record_number, &kind, 1, "H") !=
                Found::kValue) {
                Report(diag_unit, "U101", "Nambnd & Datbnd");
                if (strict) {
                    *error = kTrue;
                } else {
                    *total = 0;
                    *harmonic = 0;
                }
                break;
            }
            CountBoundary(kind, total, harmonic, label_flag);
            if (PassedStart(name_record, *record_number, stop))
                break;   // the data kind stood beyond the start: the round is complete
        }
    }
    *series = *total - *harmonic;
}

extern "C" void COUNT_HARMONIC_FREQUENCIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                           int32_t *record_number, const int32_t *strict_mode, int32_t *count)
{
    const bool strict = IsTrue(strict_mode);
    float table[kFlowMaxFrequencies] = {};
    char name[12];
    if (ReadText(def_unit, diag_unit, "FilbcH", true, true, record_number, name, 12, " ") != Found::kValue) {
        if (strict) {
            *error = kTrue;
            return;
        }
        Store(name, 12, "");
    }
    if (!Blank(name, 12)) {
        const bool formatted = ReadFormatted(def_unit, diag_unit, "FmtbcH", record_number);
        if (!strict) {
            *count = std::max(*count, 1);   // the file is only named: a count of 0 becomes 1
            return;
        }
        if (!CHECK_FILE_EXISTS(name, 12, diag_unit, "G004", 4)) {
            *error = kTrue;
            return;
        }
        const std::string path = flowrec::FirstWord(name, 12);
        flowrec::UnitGuard file;
        int32_t found = 0;
        if (file.Open(path, formatted ? recio::Form::kFormatted : recio::Form::kUnformatted,
                      recio::OpenStatus::kOld) != recio::kOk ||
            !CountFrequencyFile(file.unit(), formatted, &found)) {
            Report(diag_unit, "G007", path);
            *error = kTrue;
            return;
        }
        *count = std::min(std::max(found, 1), static_cast<int32_t>(kFlowMaxFrequencies));
        return;
    }
    if (!ReadOmega(def_unit, diag_unit, record_number, table))
        return;
    int32_t last = 1;
    for (int32_t i = 0; i < kFlowMaxFrequencies; ++i)
        if (table[i] > 0.0f)
            last = i + 1;
    *count = last;
}

extern "C" void COUNT_FOURIER_REQUESTS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                       int32_t *record_number, const int32_t *strict_mode, char *file_name,
                                       int32_t file_name_len, int32_t *count)
{
    const bool strict = IsTrue(strict_mode);
    if (ReadText(def_unit, diag_unit, "Filfou", true, false, record_number, file_name, file_name_len, " ") ==
        Found::kBad) {
        if (strict) {
            *error = kTrue;
            return;
        }
        Store(file_name, file_name_len, "");
    }
    if (!strict || Blank(file_name, file_name_len))
        return;
    if (!CHECK_FILE_EXISTS(file_name, file_name_len, diag_unit, "G004", 4)) {
        *error = kTrue;
        return;
    }
    const std::string path = flowrec::FirstWord(file_name, file_name_len);
    flowrec::UnitGuard file;
    if (file.Open(path, recio::Form::kFormatted, recio::OpenStatus::kOld) != recio::kOk) {
        Report(diag_unit, "G007", path);
        *error = kTrue;
        return;
    }
    const int32_t unit = file.unit();
    SCAN_FOURIER_REQUESTS(diag_unit, &unit, error, count);
}

extern "C" void READ_DEFINITION_DIMENSIONS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                           const int32_t *strict_mode, int32_t *record_number, char *record,
                                           int32_t record_len, DefinitionProcess *process)
{
    FlowDefinition &def = *FlowDefinitionGet();
    const int32_t n = std::min<int32_t>(std::max(record_len, 0), 80);
    std::memset(g_record, ' ', sizeof g_record);
    std::memcpy(g_record, record, static_cast<size_t>(n));
    struct SyncBack {
        char *record;
        int32_t n;
        ~SyncBack() { std::memcpy(record, g_record, static_cast<size_t>(n)); }
    } sync{record, n};

    // Every count of this step starts at 0.
    for (int32_t *c : {def.constituent_count, def.named_constituent_count, def.salinity_index, def.temperature_on,
                       def.secondary_flow_index, def.transported_count, def.discharge_count,
                       def.open_boundary_count, def.harmonic_boundary_count, def.series_boundary_count,
                       def.frequency_count, def.station_count, def.cross_section_count, def.drogue_count})
        *c = 0;
    *process = DefinitionProcess{};

    // 1-2. Process letters.
    COUNT_PROCESS_LETTERS(def_unit, diag_unit, error, record_number, strict_mode, def.transported_count,
                          def.constituent_count, def.salinity_index, def.temperature_on, def.secondary_flow_index,
                          &process->salinity, &process->temperature, &process->wind, &process->secondary_flow,
                          &process->drogues, &process->constituents, &process->sub2_w);
    if (*error & 1)
        return;
    Store(def.Sub1, 4, "");
    Store(def.Sub2, 3, "");
    if (process->salinity & 1)
        def.Sub1[0] = 'S';
    if (process->temperature & 1)
        def.Sub1[1] = 'T';
    if (process->wind & 1)
        def.Sub1[2] = 'W';
    if (process->secondary_flow & 1)
        def.Sub1[3] = 'I';
    if (process->drogues & 1)
        def.Sub2[0] = 'P';
    if (process->constituents & 1)
        def.Sub2[1] = 'C';
    if (process->sub2_w & 1)
        def.Sub2[2] = 'W';
    def.temperature_on[0] = std::min(def.temperature_on[0], 1);
    if (process->constituents & 1)
        def.named_constituent_count[0] = def.constituent_count[0] - def.salinity_index[0] - def.temperature_on[0];

    // 3. Grid dimensions.
    {
        int32_t failed = 0, values[3] = {0, 0, 0};
        const int32_t from_current = kTrue, wanted = 3, fill = 0, no_placeholders = 0;
        const int32_t stop = *record_number;
        READ_KEYWORD_INTS(def_unit, &failed, "MNKmax", 6, &from_current, &wanted, g_record, 80, values, &wanted,
                          &fill, &no_placeholders, record_number, &stop, diag_unit);
        if (!failed) {
            int32_t &m = def.mmax[0], &nn = def.nmax[0], &k = def.kmax[0];
            m = values[0];
            nn = values[1];
            k = values[2];
            if (m < 3 || nn < 3 || k < 1) {
                Report(diag_unit, "V001", " ");
                m = std::max(m, 3);
                nn = std::max(nn, 3);
                k = std::max(k, 1);
            }
            if (m > kFlowMaxGrid || nn > kFlowMaxGrid || k > kFlowMaxLayers) {
                Report(diag_unit, "U120", " ");
                m = std::min<int32_t>(m, kFlowMaxGrid);
                nn = std::min<int32_t>(nn, kFlowMaxGrid);
                k = std::min<int32_t>(k, kFlowMaxLayers);
            }
        }
        process->three_dimensional = def.kmax[0] > 1 ? kTrue : 0;
    }

    // 4. Discharges.
    COUNT_DISCHARGES(def_unit, diag_unit, error, record_number, strict_mode, def.discharge_count);
    if (*error & 1)
        return;
    if (def.discharge_count[0] > kFlowMaxDischarges) {
        Report(diag_unit, "U121", Excess(def.discharge_count[0], kFlowMaxDischarges));
        def.discharge_count[0] = kFlowMaxDischarges;
    }

    // 5. Open boundaries.
    def.boundary_label_flag[0] = 'N';
    char boundary_file[12];
    Store(boundary_file, 12, "");
    COUNT_BOUNDARIES(def_unit, diag_unit, error, record_number, strict_mode, boundary_file, 12,
                     def.open_boundary_count, def.harmonic_boundary_count, def.series_boundary_count,
                     def.boundary_label_flag, 1);
    if (*error & 1)
        return;
    if (def.open_boundary_count[0] > kFlowMaxBoundaries) {
        const char *blank = static_cast<const char *>(std::memchr(boundary_file, ' ', 12));
        if (blank)
            Report(diag_unit, "U122", std::string(boundary_file, static_cast<size_t>(blank - boundary_file) + 1));
        else
            Report(diag_unit, "U124", " ");
        def.open_boundary_count[0] = kFlowMaxBoundaries;
        def.harmonic_boundary_count[0] = std::min<int32_t>(def.harmonic_boundary_count[0], kFlowMaxBoundaries);
        def.series_boundary_count[0] = kFlowMaxBoundaries - def.harmonic_boundary_count[0];
    }

    // 6. Harmonic frequencies, unless the boundaries carry astronomic data.
    if (def.harmonic_boundary_count[0] > 0 && def.boundary_label_flag[0] == 'N') {
        COUNT_HARMONIC_FREQUENCIES(def_unit, diag_unit, error, record_number, strict_mode, def.frequency_count);
        if (*error & 1)
            return;
    }

    // 7-8. Turbulence model.
    process->turbulence_count = 0;
    if (def.kmax[0] > 1) {
        if (ReadText(def_unit, diag_unit, "Tkemod", true, true, record_number, def.Tkemod, 12, "Algebraic") !=
            Found::kValue)
            Store(def.Tkemod, 12, "Algebraic");
        const std::string model = Field(def.Tkemod, 12);
        if (model == "K-L         ")
            process->turbulence_count = 1;
        else if (model == "K-epsilon   ")
            process->turbulence_count = 2;
        else if (model != "Constant    " && model != "Algebraic   ") {
            Store(def.Tkemod, 12, "Algebraic");
            Report(diag_unit, "V047", " ");
        }
    }
    process->transported_with_turbulence = process->turbulence_count + def.transported_count[0];

    // 9. Stations, cross sections, drogues.
    struct Named {
        const char *keyword;
        int32_t *count;
        int32_t limit;
        const char *code;
        bool wanted;
    } const named[] = {
        {"Filsta", def.station_count, kFlowMaxStations, "U125", true},
        {"Filcrs", def.cross_section_count, kFlowMaxCrossSections, "U126", true},
        {"Filpar", def.drogue_count, kFlowMaxDrogues, "U127", (process->drogues & 1) != 0},
    };
    for (const Named &entry : named) {
        if (!entry.wanted)
            continue;
        char keyword[6];
        std::memcpy(keyword, entry.keyword, 6);
        COUNT_NAMED_ENTRIES(def_unit, diag_unit, error, record_number, strict_mode, entry.count, keyword, 6);
        if (*error & 1)
            return;
        if (*entry.count > entry.limit) {
            Report(diag_unit, entry.code, Excess(*entry.count, entry.limit));
            *entry.count = entry.limit;
        }
    }

    // 10. Fourier requests.
    process->fourier_count = 0;
    COUNT_FOURIER_REQUESTS(def_unit, diag_unit, error, record_number, strict_mode, def.Filfou, 12,
                           &process->fourier_count);
}
