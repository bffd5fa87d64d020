// The reader of the hydrodynamic model's master definition file: opens the
// definition and diagnostic files, establishes the dimensions, calls the
// section readers in their fixed order with their guards, and closes both
// files.  The values it hands to the readers live as long as the process.

#include "definition_reader.h"

#include "flow_definition.h"
#include "flow_record_util.h"
#include "keyword_records.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// What the driver passes by reference to every step of a read.
struct ReadState {
    int32_t def_unit = kNoDefinitionUnit;
    int32_t diag_unit = 0;
    int32_t record_number = 0;
    char record[80] = {};
    int32_t strict_mode = 0;
    DefinitionProcess process = {};
    float scratch[80] = {};             // 5 x 2 x 8: the grid-sized arrays of the section readers
    int32_t latest_first_step = 0;      // over all time series
    int32_t earliest_last_step = -1;    // -1: not yet set
    char ident[27] = {};
    int32_t grid_from_file = 0;         // work values of the grid section
    int32_t spherical = 0;
};

ReadState g_read;

bool IsSet(const int32_t *flag)
{
    return (*flag & 1) != 0;
}

// Back to the first record for the sections.  False when the definition
// file cannot be read from its start again.
bool RestartAtFirstRecord(ReadState &s)
{
    std::memset(s.record, ' ', sizeof s.record);
    std::string line;
    if (recio::Rewind(s.def_unit) != recio::kOk || recio::ReadLine(s.def_unit, &line) != recio::kOk)
        return false;
    std::memcpy(s.record, line.data(), std::min(line.size(), sizeof s.record));
    s.record_number = 1;
    return true;
}

// The sections in their fixed order, each behind its guard; a stop ends
// the read when the error flag is set.
void ReadSections(ReadState &s, int32_t *error)
{
    FlowDefinition &def = *FlowDefinitionGet();

    READ_RUN_TEXT(&s.def_unit, &s.diag_unit, &s.record_number, s.record, 80, &s.strict_mode, def.Runtxt, 30);
    if (IsSet(error))
        return;

    s.grid_from_file = 0;
    s.spherical = 0;
    READ_GRID_PARAMETERS(&s.def_unit, &s.diag_unit, error, &s.record_number, s.record, 80, &s.strict_mode,
                         def.kmax, &s.grid_from_file, def.dx, def.dy, def.Filcco, 12, def.Fmtcco, 2, def.Thick,
                         def.Anglat, def.Grdang, def.Sphere, 1, &s.spherical);
    if (IsSet(error))
        return;
}

}  // namespace

extern "C" void READ_FLOW_DEFINITION(const char *run_id, int32_t run_id_len, int32_t *error, const char *version,
                                     int32_t version_len)
{
    ReadState &s = g_read;
    std::fill(std::begin(s.scratch), std::end(s.scratch), 0.0f);
    s.latest_first_step = 0;
    s.earliest_last_step = -1;
    std::memset(s.ident, ' ', sizeof s.ident);
    s.strict_mode = 0;
    s.def_unit = kNoDefinitionUnit;
    s.diag_unit = 0;
    *error = 0;

    // The opening step lower-cases the identifier it is given: hand it a
    // copy, so that the caller's text (perhaps a constant) stays as it is.
    char caller_id[3] = {' ', ' ', ' '};
    for (int32_t i = 0; i < std::min(run_id_len, 3) && run_id[i] != '\0'; ++i)
        caller_id[i] = run_id[i];

    FlowDefinition &def = *FlowDefinitionGet();
    OPEN_DEFINITION_FILE(&s.def_unit, &s.diag_unit, error, &s.record_number, s.record, 80, caller_id, 3,
                         def.run_id, 3, version, version_len, s.ident, 27);
    if (!IsSet(error)) {
        READ_DEFINITION_DIMENSIONS(&s.def_unit, &s.diag_unit, error, &s.strict_mode, &s.record_number, s.record, 80,
                                   &s.process);
    }
    if (!IsSet(error)) {
        if (RestartAtFirstRecord(s)) {
            ReadSections(s, error);
        } else {
            const std::string text = "Md-file." + flowrec::FirstWord(caller_id, 3);
            REPORT_MESSAGE(&s.diag_unit, "G007", 4, text.c_str(), static_cast<int32_t>(text.size()));
            *error = -1;
        }
    }

    // Closing: both files stay on disk.
    if (s.def_unit != kNoDefinitionUnit && recio::IsConnected(s.def_unit))
        recio::Close(s.def_unit);
    if (s.diag_unit != 0)
        recio::Close(s.diag_unit);
    s.def_unit = kNoDefinitionUnit;
    s.diag_unit = 0;
}
