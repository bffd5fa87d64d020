// Section reader of the master definition file for the transport boundary
// conditions: per time and open boundary the values of salinity,
// temperature and the named constituents at both ends of the opening, with
// an optional vertical profile, from an attached file or from the TsbcC
// blocks of the definition file.

#include "boundary_sections.h"

#include "boundary_keywords.h"
#include "flow_definition.h"
#include "process_keywords.h"
#include "timeseries_blocks.h"

#include <algorithm>
#include <string>
#include <vector>

using sectionkw::Cursor;
using sectionkw::kTrue;
using sectionkw::Reach;

namespace {

constexpr int32_t kProfileLength = 10;

// A transported quantity of the section: its keyword, the text of a
// negative value, and where its four values go.
struct Quantity {
    std::string keyword;
    const char *negative_text;
    float *table;          // 4 values per (constituent,) time and opening
    int32_t constituent;   // -1: salinity or temperature table; else the index in the constituent table
};

}  // namespace

extern "C" void READ_TRANSPORT_BOUNDARY_CONDITIONS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, int32_t *earliest_last, int32_t *latest_first,
    const char *run_id, int32_t run_id_len, char *transport_file, int32_t transport_file_len,
    char *transport_format, int32_t transport_format_len, const int32_t *open_boundary_count, float *times,
    const float *time_step, const int32_t *start_step, const int32_t *stop_step, const int32_t *time_dimension,
    const int32_t *opening_dimension, int32_t *time_count, const int32_t *constituent_count,
    const int32_t *salinity, const int32_t *temperature, const int32_t *constituents,
    const int32_t *named_constituents, float *salinity_values, float *temperature_values,
    float *constituent_values, float *jumps, char *profiles, int32_t profiles_len)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    sectionkw::ScratchFile scratch(strict, run_id, run_id_len, ".bcc");
    if (strict && !scratch.open())
        *error = kTrue;
    const sectionkw::AttachedFile file =
        sectionkw::ReadFilePair(cursor, "FilbcC", "FmtbcC", true, transport_file, transport_file_len,
                                transport_format, transport_format_len);
    const int32_t openings = std::clamp(*open_boundary_count, 0, std::max(*opening_dimension, 0));
    const int32_t time_room = std::max(*time_dimension, 0);
    const size_t opening_room = static_cast<size_t>(std::max(*opening_dimension, 0));
    if (file.named) {
        if (strict) {
            const std::string format = file.Format();
            READ_TRANSPORT_BC_BLOCK(diag_unit, scratch.unit(), error, earliest_last, latest_first, file.name.c_str(),
                                    static_cast<int32_t>(file.name.size()), format.c_str(), 11, open_boundary_count,
                                    constituent_count, time_step, start_step, stop_step);
            scratch.Close(sectionkw::IsTrue(error));
        }
        return;
    }

    // The quantities switched on, in the order of the profile table.
    std::vector<Quantity> quantities;
    if (sectionkw::IsTrue(salinity))
        quantities.push_back({"Sab", "Salinity at open boundary", salinity_values, -1});
    if (sectionkw::IsTrue(temperature))
        quantities.push_back({"Tab", "Temperature at open boundary", temperature_values, -1});
    if (sectionkw::IsTrue(constituents))
        for (int32_t c = 0; c < std::clamp(*named_constituents, 0, static_cast<int32_t>(kFlowMaxNamedConstituents)); ++c)
            quantities.push_back({"Cab" + std::to_string(c + 1), "Concentration at open boundary", constituent_values, c});
    quantities.resize(std::min<size_t>(quantities.size(), kFlowMaxConstituents));

    if (openings > 0 && time_room > 0) {
        sectionkw::SeriesSteps steps(diag_unit, error, strict, time_step, start_step, stop_step);
        sectionkw::ForwardReader records(cursor);
        auto fail = [&]() {
            if (strict)
                *error = kTrue;
        };
        int32_t index = 0;                // of the current time, from 0
        bool profiles_read = true;        // until a record gives two values
        bool io_error = !records.Start();
        for (bool stopped = io_error; !stopped;) {
            if (!records.Locate("TsbcC", false, &io_error)) {
                if (io_error)
                    steps.Finding("U100", "TsbcC ");
                else
                    steps.CheckEnd("Last time of B.C. for Concentration <");
                break;
            }
            float time = 0.0f;
            if (!cursor.ReadReals("TsbcC", 1, 1, false, &time, 0.0f, true, Reach::kToEnd)) {
                fail();
                break;
            }
            times[index] = time;
            int32_t step = 0;
            if (!steps.Take(time, "TsbcC", "Tsbcc", "First time Tsbcc >", latest_first, &step))
                break;
            if (strict && !scratch.Write(recio::RecordBytes().Real(static_cast<float>(step))))
                fail();

            for (int32_t o = 0; o < openings && !stopped; ++o) {
                const size_t column = strict ? 0 : static_cast<size_t>(o);
                const size_t at = static_cast<size_t>(index) + static_cast<size_t>(time_room) * column;
                std::vector<recio::RecordBytes> scratch_records;
                for (size_t q = 0; q < quantities.size() && !stopped; ++q) {
                    const Quantity &quantity = quantities[q];
                    float values[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
                    if (!records.Locate(quantity.keyword, true) ||
                        !cursor.ReadReals(quantity.keyword, 0, 4, false, values, 0.0f, true, Reach::kToEnd)) {
                        fail();
                        stopped = true;
                        break;
                    }
                    // The profile of this time, opening and quantity.
                    const size_t slot = at + static_cast<size_t>(time_room) * opening_room * q;
                    float &jump = jumps[slot];
                    char *profile = profiles + slot * static_cast<size_t>(std::max(profiles_len, 0));
                    jump = 0.0f;
                    sectionkw::Store(profile, profiles_len, "Uniform");
                    if (values[2] < -0.5f) {
                        // Two values: one at each end, uniform over the
                        // vertical; no profile records from now on.
                        values[2] = values[3] = values[1];
                        values[1] = values[0];
                        profiles_read = false;
                    }
                    float *to = quantity.constituent < 0
                                    ? quantity.table + 4 * at
                                    : quantity.table +
                                          4 * (static_cast<size_t>(quantity.constituent) + kFlowMaxNamedConstituents * at);
                    std::copy(values, values + 4, to);
                    if (std::any_of(values, values + 4, [](float v) { return v < 0.0f; })) {
                        sectionkw::Report(diag_unit, "V061", quantity.negative_text);
                        fail();
                        stopped = true;
                        break;
                    }
                    if (profiles_read) {
                        char name[kProfileLength];
                        float value = 0.0f;
                        if (!records.Locate("ProfC", true) ||
                            !cursor.ReadReals("ProfC", 1, 1, false, &value, 0.0f, true, Reach::kToEnd) ||
                            cursor.ReadText("ProfC", true, name, kProfileLength, "Uniform   ", true, Reach::kToEnd) !=
                                Cursor::Text::kValue) {
                            fail();
                            stopped = true;
                            break;
                        }
                        jump = value;
                        sectionkw::Store(profile, profiles_len, std::string(name, kProfileLength));
                    }
                    scratch_records.push_back(recio::RecordBytes()
                                                  .Text(std::string(profile, static_cast<size_t>(profiles_len)),
                                                        kProfileLength)
                                                  .Real(jump)
                                                  .Reals(values, 4));
                }
                if (strict && !stopped)
                    for (const recio::RecordBytes &r : scratch_records)
                        if (!scratch.Write(r))
                            fail();
            }
            if (stopped)
                break;
            const bool more = sectionkw::NextTime(strict, &index, time_room, diag_unit, "U153");
            steps.Completed(step);
            if (!more)
                break;
        }
        steps.Finish(earliest_last);
        *time_count = strict ? 0 : index;
    }
    if (strict)
        scratch.Close(sectionkw::IsTrue(error));
}
