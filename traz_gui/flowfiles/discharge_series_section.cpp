// Section reader of the master definition file for the time series of the
// discharges: an attached discharge file, or per time level and discharge
// a Tsdis record (time and flow) with its Cqs, Cqt and CqcN records, checked
// against the time frame; in strict mode copied to the scratch file
// "TMP_" + run id + ".dis".

#include "process_sections.h"

#include "flow_definition.h"
#include "process_keywords.h"
#include "timeseries_blocks.h"

#include <string>
#include <vector>

using sectionkw::Cursor;

namespace {

// Reads the scratch records that the attached file gave back and checks
// that no concentration is negative.
bool ConcentrationsValid(const int32_t *scratch_unit, size_t values)
{
    if (recio::Rewind(*scratch_unit) != recio::kOk)
        return true;
    std::vector<float> record(values + 1);
    while (recio::ReadReal32(*scratch_unit, record.data(), record.size()) == recio::kOk)
        for (size_t i = 2; i < record.size(); ++i)
            if (record[i] < 0.0f)
                return false;
    return true;
}

}  // namespace

extern "C" void READ_DISCHARGES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                int32_t *record_number, char *record, int32_t record_len, const int32_t *strict_mode,
                                int32_t *last_common, int32_t *first_common, const char *run_id, int32_t run_id_len,
                                char *fildis, int32_t fildis_len, char *fmtdis, int32_t fmtdis_len,
                                const int32_t *discharge_count, float *times, const float *dt,
                                const int32_t *start_step, const int32_t *stop_step, const int32_t *time_lead,
                                const int32_t *time_capacity, int32_t *time_count, const int32_t *constituent_count,
                                const int32_t *salinity, const int32_t *temperature, const int32_t *constituents,
                                const int32_t *named_count, float *flow, float *salinity_values,
                                float *temperature_values, float *concentrations)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    sectionkw::ScratchFile scratch(strict, run_id, run_id_len, ".dis");

    const sectionkw::AttachedFile file =
        sectionkw::ReadFilePair(cursor, "Fildis", "Fmtdis", true, fildis, fildis_len, fmtdis, fmtdis_len,
                                sectionkw::kReportedFormatDefault);
    if (file.named) {
        if (strict) {
            const int32_t values = std::max(0, *constituent_count) + 1;
            std::vector<float> work(static_cast<size_t>(values));
            int32_t failed = 0;
            const std::string format = file.Format();
            READ_TIMESERIES_BLOCK(diag_unit, scratch.unit(), &failed, last_common, first_common, fildis, fildis_len,
                                  format.c_str(), 11, &values, work.data(), dt, start_step, stop_step);
            if (failed) {
                *error = sectionkw::kTrue;
            } else if (!ConcentrationsValid(scratch.unit(), static_cast<size_t>(values))) {
                sectionkw::Report(diag_unit, "V061", "Concentration at discharge points");
                *error = sectionkw::kTrue;
            }
        }
        scratch.Close(sectionkw::IsTrue(error));
        return;
    }

    // The series in the definition file: searches run forward from the
    // first record to the end of the file.
    const int32_t discharges = std::min(std::max(0, *discharge_count), static_cast<int32_t>(kFlowMaxDischarges));
    const int32_t lead = std::max(1, *time_lead);
    const int32_t capacity = std::max(1, std::min(*time_capacity, lead));
    const int32_t named = sectionkw::IsTrue(constituents)
                              ? std::min(std::max(0, *named_count), static_cast<int32_t>(kFlowMaxNamedConstituents))
                              : 0;
    sectionkw::SeriesSteps steps(diag_unit, error, strict, dt, start_step, stop_step);
    int32_t level = 1;
    bool first_search = true;
    if (discharges > 0 && cursor.Restart()) {
        bool going = true;
        while (going) {
            int32_t step = 0;
            for (int32_t k = 1; k <= discharges && going; ++k) {
                bool io_error = false;
                if (!sectionkw::FindForward(cursor, "Tsdis", first_search, &io_error)) {
                    if (io_error)
                        steps.Finding("U100", "Tsdis");
                    else
                        steps.CheckEnd("Last time of discharge data <");
                    going = false;
                    break;
                }
                first_search = false;
                float pair[2] = {0.0f, 0.0f};
                if (!cursor.ReadReals("Tsdis", 2, 2, false, pair, 0.0f, true, sectionkw::Reach::kToEnd)) {
                    if (strict)
                        *error = sectionkw::kTrue;
                    going = false;
                    break;
                }
                // Strict: every discharge at level 1 of column 1; the series
                // lives in the scratch file only.
                const int32_t column = strict ? 1 : k;
                const size_t at =
                    static_cast<size_t>(level - 1) + static_cast<size_t>(lead) * static_cast<size_t>(column - 1);
                times[level - 1] = pair[0];
                if (!steps.Take(pair[0], "Tsdis", "Tsdis", "First time Tsdis >", first_common, &step)) {
                    going = false;
                    break;
                }
                flow[at] = pair[1];
                std::vector<float> out = {pair[1]};

                // Salinity, temperature and the named constituents of this
                // discharge, each from the next record of its keyword.
                struct Quantity {
                    bool on;
                    const char *keyword;
                    int32_t count;
                    float *table;   // one value per level and discharge; none: the concentrations
                    const char *negative;
                };
                const Quantity quantities[3] = {
                    {sectionkw::IsTrue(salinity), "Cqs", 1, salinity_values, "Salinity at discharge point"},
                    {sectionkw::IsTrue(temperature), "Cqt", 1, temperature_values, "Temperature at discharge point"},
                    {named > 0, "CqcN", named, nullptr, "Concentration at discharge points"}};
                for (const Quantity &q : quantities) {
                    if (!q.on)
                        continue;
                    float values[kFlowMaxNamedConstituents] = {};
                    if (!sectionkw::ReadRealsForward(cursor, q.keyword, q.count, values, false)) {
                        if (strict)
                            *error = sectionkw::kTrue;
                        going = false;
                        break;
                    }
                    if (q.table)
                        q.table[at] = values[0];
                    else
                        for (int32_t c = 0; c < named; ++c)
                            concentrations[static_cast<size_t>(c) + static_cast<size_t>(kFlowMaxNamedConstituents) * at] =
                                values[c];
                    out.insert(out.end(), values, values + q.count);
                    if (std::any_of(values, values + q.count, [](float v) { return v < 0.0f; })) {
                        steps.Finding("V061", q.negative);
                        going = false;
                        break;
                    }
                }
                if (!going)
                    break;
                if (strict && !sectionkw::WriteStepRecord(scratch, step, out.data(), out.size()))
                    *error = sectionkw::kTrue;
            }
            if (!going)
                break;
            if (!strict && ++level > capacity) {
                sectionkw::Report(diag_unit, "U154", " ");
                level = capacity;
                steps.Completed(step);
                break;
            }
            steps.Completed(step);
        }
    }
    steps.Finish(last_common);
    *time_count = level - 1;
    scratch.Close(sectionkw::IsTrue(error));
}
