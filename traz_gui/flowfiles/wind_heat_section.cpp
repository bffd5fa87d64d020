// Section readers of the master definition file for the uniform wind and
// the heat-model parameters as time series: an attached file, or records
// of a time and its values (Tswnd, Tstmp), checked against the time frame;
// in strict mode copied to the scratch files "TMP_" + run id + ".wnd" and
// ".tem".

#include "process_sections.h"

#include "flow_definition.h"
#include "process_keywords.h"
#include "timeseries_blocks.h"

#include <string>
#include <vector>

using sectionkw::Cursor;
using sectionkw::Reach;

namespace {

// How one series stands in the definition file.
struct SeriesForm {
    const char *keyword;        // "Tswnd", "Tstmp"
    bool first_from_current;    // the first search tests the first record
    const char *last_text;      // "U042"
    const char *first_text;     // "U041"
    const char *full_code;      // the last place of the table was filled
    std::vector<float *> tables;   // one per value after the time
};

// Reads the records of a series from the first record of the definition
// file to its end, each a time and its values, into times and the tables;
// strict mode writes each to the scratch file instead of advancing the
// index.  The number of times stored goes to *count.
void ReadSeriesRecords(Cursor &cursor, const SeriesForm &form, bool strict, int32_t *error, int32_t *last_common,
                       int32_t *first_common, const float *dt, const int32_t *start_step, const int32_t *stop_step,
                       int32_t capacity, float *times, const sectionkw::ScratchFile &scratch, int32_t *count)
{
    sectionkw::SeriesSteps steps(cursor.diag_unit, error, strict, dt, start_step, stop_step);
    const int32_t values = static_cast<int32_t>(form.tables.size()) + 1;
    int32_t index = 1;
    bool first_search = form.first_from_current;
    if (cursor.Restart()) {
        for (;;) {
            bool io_error = false;
            if (!sectionkw::FindForward(cursor, form.keyword, first_search, &io_error)) {
                if (io_error)
                    steps.Finding("U100", form.keyword);
                else
                    steps.CheckEnd(form.last_text);
                break;
            }
            first_search = false;
            float record[4] = {};
            if (!cursor.ReadReals(form.keyword, values, values, false, record, 0.0f, true, Reach::kToEnd)) {
                if (strict)
                    *error = sectionkw::kTrue;
                break;
            }
            int32_t step = 0;
            if (!steps.Take(record[0], form.keyword, form.keyword, form.first_text, first_common, &step))
                break;
            times[index - 1] = record[0];
            for (size_t i = 0; i < form.tables.size(); ++i)
                form.tables[i][index - 1] = record[i + 1];
            if (strict && !sectionkw::WriteStepRecord(scratch, step, record + 1, form.tables.size()))
                *error = sectionkw::kTrue;
            steps.Completed(step);
            if (!strict && ++index > capacity) {
                sectionkw::Report(cursor.diag_unit, form.full_code, " ");
                index = capacity;
                break;
            }
        }
    }
    steps.Finish(last_common);
    *count = index - 1;
}

int32_t SeriesCapacity(const int32_t *time_capacity)
{
    return std::max(1, std::min(*time_capacity, static_cast<int32_t>(kFlowMaxSeriesTimes)));
}

}  // namespace

extern "C" void READ_WIND(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                          char *record, int32_t record_len, const int32_t *strict_mode, int32_t *last_common,
                          int32_t *first_common, const char *run_id, int32_t run_id_len, char *filwnd,
                          int32_t filwnd_len, char *fmtwnd, int32_t fmtwnd_len, const char *wnsvwp,
                          int32_t wnsvwp_len, const int32_t *mmax, const int32_t *nmax, const int32_t *extent,
                          float *times, const float *dt, const int32_t *start_step, const int32_t *stop_step,
                          const int32_t *time_capacity, int32_t *time_count, float *series_1, float *series_2)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    sectionkw::ScratchFile scratch(strict, run_id, run_id_len, ".wnd");
    const bool uniform = wnsvwp_len > 0 && wnsvwp[0] == 'N';

    const sectionkw::AttachedFile file =
        sectionkw::ReadFilePair(cursor, "Filwnd", "Fmtwnd", true, filwnd, filwnd_len, fmtwnd, fmtwnd_len,
                                sectionkw::kReportedFormatDefault);
    if (file.named) {
        if (strict) {
            const std::string format = file.Format();
            if (uniform) {
                const int32_t values = 2;
                float work[2];
                READ_TIMESERIES_BLOCK(diag_unit, scratch.unit(), error, last_common, first_common, filwnd,
                                      filwnd_len, format.c_str(), 11, &values, work, dt, start_step, stop_step);
            } else {
                READ_WIND_TIMESERIES_BLOCK(diag_unit, scratch.unit(), error, last_common, first_common, filwnd,
                                           filwnd_len, format.c_str(), 11, mmax, nmax, extent, dt, start_step,
                                           stop_step);
            }
        }
    } else if (uniform) {
        const SeriesForm form = {"Tswnd", false, "Last time of the wind data <", "First time Tswnd >", "U155",
                                 {series_1, series_2}};
        ReadSeriesRecords(cursor, form, strict, error, last_common, first_common, dt, start_step, stop_step,
                          SeriesCapacity(time_capacity), times, scratch, time_count);
    } else {
        sectionkw::Report(diag_unit, "U156", " ");
        if (strict)
            *error = sectionkw::kTrue;
    }
    scratch.Close(sectionkw::IsTrue(error));
}

extern "C" void READ_HEAT_SERIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                 int32_t *record_number, char *record, int32_t record_len, const int32_t *strict_mode,
                                 int32_t *last_common, int32_t *first_common, const char *run_id, int32_t run_id_len,
                                 char *filtmp, int32_t filtmp_len, char *fmttmp, int32_t fmttmp_len,
                                 const int32_t *ktemp, float *times, const float *dt, const int32_t *start_step,
                                 const int32_t *stop_step, const int32_t *time_capacity, int32_t *time_count,
                                 float *series_3, float *series_2, float *series_4, float *series_1)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    sectionkw::ScratchFile scratch(strict, run_id, run_id_len, ".tem");
    const bool one_parameter = *ktemp == 3;

    const sectionkw::AttachedFile file =
        sectionkw::ReadFilePair(cursor, "Filtmp", "Fmttmp", true, filtmp, filtmp_len, fmttmp, fmttmp_len,
                                sectionkw::kReportedFormatDefault);
    if (file.named) {
        if (strict) {
            const std::string format = file.Format();
            const int32_t values = one_parameter ? 1 : 3;
            float work[3];
            READ_TIMESERIES_BLOCK(diag_unit, scratch.unit(), error, last_common, first_common, filtmp, filtmp_len,
                                  format.c_str(), 11, &values, work, dt, start_step, stop_step);
        }
    } else {
        SeriesForm form = {"Tstmp", true, "Last time of parameters for heat model <", "First time Tstmp >", "U157",
                           {series_3, series_2, series_4}};
        if (one_parameter)
            form.tables = {series_1};
        ReadSeriesRecords(cursor, form, strict, error, last_common, first_common, dt, start_step, stop_step,
                          SeriesCapacity(time_capacity), times, scratch, time_count);
    }
    scratch.Close(sectionkw::IsTrue(error));
}
