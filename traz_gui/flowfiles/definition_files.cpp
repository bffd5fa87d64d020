// Opening a read of the master definition file: the diagnostic file, the
// definition file of the run, the record layout taken from its first
// record, and the identifying keywords Ident and Runid.

#include "definition_reader.h"

#include "flow_record_util.h"
#include "keyword_records.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kDefaultIdent[] = "VANTOLA.UI    .02.03.930601";

void Blank(char *text, int32_t len)
{
    if (text && len > 0)
        std::memset(text, ' ', static_cast<size_t>(len));
}

void Report(const int32_t *diag_unit, const char *code, const std::string &text)
{
    REPORT_MESSAGE(diag_unit, code, 4, text.c_str(), static_cast<int32_t>(text.size()));
}

// The major version in columns 16 and 17 of the Ident text, read as a
// two-digit integer; blanks count for nothing, anything else is no number.
bool MajorVersionIsOne(const char *ident, int32_t ident_len)
{
    if (ident_len < 17)
        return false;
    std::string digits;
    for (int i = 15; i < 17; ++i) {
        if (ident[i] == ' ')
            continue;
        if (ident[i] < '0' || ident[i] > '9')
            return false;
        digits.push_back(ident[i]);
    }
    return !digits.empty() && std::stoi(digits) == 1;
}

// Reads a keyword's text value; a failure is cleared and the default used.
void ReadIdentifying(const int32_t *def_unit, const int32_t *diag_unit, const char *keyword, char *record,
                     int32_t record_len, int32_t *record_number, char *value, int32_t value_len,
                     const std::string &fallback)
{
    int32_t error = 0, required = 1, length = 0;
    const int32_t from_current = -1;
    const int32_t stop = *record_number;
    READ_KEYWORD_STRING(def_unit, &error, keyword, 6, &from_current, &required, record, record_len, value,
                        value_len, fallback.c_str(), static_cast<int32_t>(fallback.size()), &length, record_number,
                        &stop, diag_unit);
    if (error) {
        Blank(value, value_len);
        std::memcpy(value, fallback.data(), std::min(fallback.size(), static_cast<size_t>(value_len)));
    }
}

}  // namespace

extern "C" void OPEN_DEFINITION_FILE(int32_t *def_unit, int32_t *diag_unit, int32_t *error, int32_t *record_number,
                                     char *record, int32_t record_len, char *caller_run_id,
                                     int32_t caller_run_id_len, char *run_id, int32_t run_id_len,
                                     const char *version, int32_t version_len, char *ident, int32_t ident_len)
{
    (void)version;
    (void)version_len;
    *error = 0;
    Blank(record, record_len);
    Blank(ident, ident_len);

    // The run id: the caller's text before its first blank, at most 3.
    int32_t id_len = std::min(caller_run_id_len, 3);
    for (int32_t i = 0; i < id_len; ++i)
        if (caller_run_id[i] == ' ' || caller_run_id[i] == '\0') {
            id_len = i;
            break;
        }
    const std::string id(caller_run_id, static_cast<size_t>(std::max(id_len, 0)));

    // The diagnostic file is made anew for every read.
    const std::string diag_name = "md-diag." + id;
    if (std::remove(diag_name.c_str()) != 0) {
        // Not removable (perhaps still held elsewhere): empty it instead.
        if (std::FILE *old = std::fopen(diag_name.c_str(), "w"))
            std::fclose(old);
    }
    *diag_unit = ALLOCATE_UNIT_NUMBER();
    *def_unit = kNoDefinitionUnit;
    if (recio::Open(*diag_unit, diag_name, recio::Form::kFormatted, recio::Access::kSequential,
                    recio::OpenStatus::kUnknown) != recio::kOk) {
        *diag_unit = 0;   // nothing can be reported
        *error = -1;
        return;
    }

    // The definition is md-file.<id>, or md-flow.<id> when there is no
    // md-file.<id>; one that is there but cannot be opened is not passed
    // over.
    const int32_t unit = ALLOCATE_UNIT_NUMBER();
    auto open_old = [unit](const std::string &name) {
        return recio::Open(unit, name, recio::Form::kFormatted, recio::Access::kSequential,
                           recio::OpenStatus::kOld) == recio::kOk;
    };
    const std::string md_file = "md-file." + id;
    bool opened = open_old(md_file);
    if (!opened && !recio::FileExists(md_file)) {
        const std::string md_flow = "md-flow." + id;
        opened = open_old(md_flow);
    }
    if (!opened) {
        Report(diag_unit, "G004", "md-file/flow." + id);
        *error = -1;
        return;
    }
    *def_unit = unit;

    // The first record fixes the layout of every record.
    const std::string file_text = "Md-file." + id;
    std::string line;
    const int r = recio::ReadLine(unit, &line);
    if (r != recio::kOk) {
        Report(diag_unit, r == recio::kEndOfFile ? "G006" : "G007", file_text);
        *error = -1;
        return;
    }
    std::memcpy(record, line.data(), std::min({line.size(), static_cast<size_t>(80),
                                               static_cast<size_t>(std::max(record_len, 0))}));
    const char *equals = static_cast<const char *>(std::memchr(record, '=', static_cast<size_t>(
                                                                                 std::min(record_len, 80))));
    if (!equals) {
        Report(diag_unit, "G007", file_text);
        *error = -1;
        return;
    }
    const int32_t equals_column = static_cast<int32_t>(equals - record) + 1;
    FlowDefinitionState *state = FlowDefinitionStateGet();
    state->keyword_width = equals_column - 1;
    state->value_start = equals_column + 1;

    *record_number = 1;
    ReadIdentifying(def_unit, diag_unit, "Ident ", record, record_len, record_number, ident, ident_len,
                    kDefaultIdent);
    if (MajorVersionIsOne(ident, ident_len)) {
        Report(diag_unit, "U112", " ");
        *error = -1;
        return;
    }

    TO_LOWER_CASE(caller_run_id, caller_run_id_len, &caller_run_id_len);
    const std::string lowered(caller_run_id, static_cast<size_t>(std::max(id_len, 0)));
    ReadIdentifying(def_unit, diag_unit, "Runid ", record, record_len, record_number, run_id, run_id_len, lowered);
    TO_LOWER_CASE(run_id, run_id_len, &run_id_len);

    std::string caller3(caller_run_id, static_cast<size_t>(std::max(std::min(caller_run_id_len, 3), 0)));
    caller3.resize(3, ' ');
    std::string runid3(run_id, static_cast<size_t>(std::max(std::min(run_id_len, 3), 0)));
    runid3.resize(3, ' ');
    for (char &c : caller3)
        if (c == '\0')
            c = ' ';
    if (caller3 != runid3)
        Report(diag_unit, "U113", recio::FieldText(run_id, run_id_len));
}
