// Section readers of the master definition file for the hydrodynamic
// forcing of the open boundaries: harmonic conditions (frequencies with
// amplitudes and phases at both ends of each opening, from the definition
// file or an attached file, or only the files of astronomic components)
// and time series (times with the values at both ends of each opening);
// with the reader of the attached harmonic file.

#include "boundary_sections.h"

#include "boundary_keywords.h"
#include "process_keywords.h"
#include "timeseries_blocks.h"

#include <algorithm>
#include <string>
#include <vector>

using sectionkw::Cursor;
using sectionkw::kTrue;
using sectionkw::Reach;

namespace {

// The harmonic table: 4 values (amplitude A, amplitude B, phase A, phase
// B) per opening (leading dimension) and frequency.
struct HarmonicTable {
    float *values;
    int32_t lead;

    float &At(int32_t value, int32_t opening, int32_t frequency) const
    {
        return values[static_cast<size_t>(value) +
                      4 * (static_cast<size_t>(opening) + static_cast<size_t>(lead) * static_cast<size_t>(frequency))];
    }
};

// Reals of a formatted harmonic file: words read from lines of up to 132
// characters, a line that runs out continued on the next one.
class HarmonicLines {
public:
    explicit HarmonicLines(int unit) : unit_(unit) {}

    // A new line (a block begins on one, a skipped line is read so).
    int NewLine()
    {
        std::string text;
        const int r = recio::ReadLine(unit_, &text);
        if (r != recio::kOk)
            return r;
        line_ = text.substr(0, std::min<size_t>(text.size(), 132));
        position_ = 1;
        return recio::kOk;
    }
    // The next real.  A line without a further word is followed by the
    // next line; when that one is empty as well the value stays as it was.
    // A bracketed word reads as an end of file.
    int Real(float *value)
    {
        for (bool continued = false;; continued = true) {
            const int32_t len = static_cast<int32_t>(line_.size());
            int32_t end = 0, status = 0;
            float read = *value;
            const float fill = *value;
            SCAN_NEXT_REAL(line_.data(), len, &len, &position_, &end, &read, &fill, &status);
            if (status == 1) {
                *value = read;
                return recio::kOk;
            }
            if (status == -1)
                return recio::kEndOfFile;
            if (status != 0)
                return recio::kErrBadNumber;
            if (continued)
                return recio::kOk;   // an empty continuation line
            const int r = NewLine();
            if (r != recio::kOk)
                return r;
        }
    }

private:
    int unit_;
    std::string line_;
    int32_t position_ = 1;
};

}  // namespace

extern "C" void READ_HARMONIC_BC_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                                      const char *format, int32_t format_len, const int32_t *openings,
                                      const int32_t *leading_dimension, const int32_t *frequency_count,
                                      const int32_t *frequency_dimension, float *frequencies, float *table)
{
    flowrec::UnitGuard in;
    const sectionkw::AttachedInput input = sectionkw::OpenAttached(diag_unit, name, name_len, format, format_len, &in);
    if (!input.exists) {
        *error = kTrue;
        return;
    }
    const bool unformatted = input.unformatted;
    int r = input.result;
    const int32_t lead = std::max(*leading_dimension, 0);
    const int32_t count = std::clamp(*frequency_count, 0, std::max(*frequency_dimension, 0));
    const int32_t nopen = std::clamp(*openings, 0, lead);
    const HarmonicTable harmonic{table, lead};
    const int unit = in.unit();
    HarmonicLines lines(unit);

    // The blocks of the file in order: each a value of a row per frequency
    // from `first` on, one row per opening (the frequencies: one row).
    struct Block {
        int32_t value;   // -1: the frequencies
        int32_t first;   // first frequency
    };
    std::vector<Block> blocks = {{-1, 0}, {0, 0}, {1, 0}};
    if (count >= 2) {
        blocks.push_back({2, 1});
        blocks.push_back({3, 1});
    }
    std::vector<float> row(static_cast<size_t>(count));
    for (size_t b = 0; b < blocks.size() && r == recio::kOk; ++b) {
        const Block &block = blocks[b];
        // A skipped record before the amplitudes and before the phases.
        if (b == 1 || b == 3)
            r = unformatted ? recio::SkipRecord(unit) : lines.NewLine();
        const int32_t rows = block.value < 0 ? 1 : nopen;
        for (int32_t o = 0; o < rows && r == recio::kOk; ++o) {
            auto slot = [&](int32_t f) -> float & {
                return block.value < 0 ? frequencies[f] : harmonic.At(block.value, o, f);
            };
            const size_t n = static_cast<size_t>(count - block.first);
            if (unformatted) {
                r = recio::ReadReal32(unit, row.data(), n);
                for (size_t i = 0; i < n && r == recio::kOk; ++i)
                    slot(block.first + static_cast<int32_t>(i)) = row[i];
            } else {
                r = lines.NewLine();
                for (int32_t f = block.first; f < count && r == recio::kOk; ++f)
                    r = lines.Real(&slot(f));
            }
        }
    }
    in.Close();
    if (r != recio::kOk) {
        sectionkw::Report(diag_unit, r == recio::kEndOfFile ? "G006" : "G007", input.file);
        *error = kTrue;
    }
}

extern "C" void READ_HARMONIC_BOUNDARY_CONDITIONS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, char *harmonic_file, int32_t harmonic_file_len,
    char *harmonic_format, int32_t harmonic_format_len, char *component_file, int32_t component_file_len,
    char *correction_file, int32_t correction_file_len, const int32_t *harmonic_boundary_count,
    const int32_t *leading_dimension, const int32_t *frequency_count, const int32_t *frequency_dimension,
    float *frequencies, float *table, const char *astronomic_flag, int32_t astronomic_flag_len)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};

    if (astronomic_flag_len > 0 && astronomic_flag[0] == 'Y') {
        // Astronomic openings: the component and correction files only.
        struct Named {
            const char *keyword;
            char *field;
            int32_t len;
        } files[2] = {{"Filana", component_file, component_file_len}, {"Filcor", correction_file, correction_file_len}};
        for (const Named &f : files) {
            char name[12];
            sectionkw::Store(name, 12, "");
            if (!cursor.Find(f.keyword, true, Reach::kRound))
                sectionkw::Report(diag_unit, "U100", f.keyword);
            else if (cursor.ReadText(f.keyword, true, name, 12, " ") != Cursor::Text::kValue)
                sectionkw::Store(name, 12, "");
            sectionkw::Store(f.field, f.len, std::string(name, 12));
        }
        return;
    }

    const sectionkw::AttachedFile file = sectionkw::ReadFilePair(cursor, "FilbcH", "FmtbcH", true, harmonic_file,
                                                                 harmonic_file_len, harmonic_format,
                                                                 harmonic_format_len);
    if (file.named) {
        if (strict) {
            const std::string format = file.Format();
            READ_HARMONIC_BC_FILE(diag_unit, error, file.name.c_str(), static_cast<int32_t>(file.name.size()),
                                  format.c_str(), 11, harmonic_boundary_count, leading_dimension, frequency_count,
                                  frequency_dimension, frequencies, table);
        }
        return;
    }
    const int32_t lead = std::max(*leading_dimension, 0);
    const int32_t openings = std::clamp(*harmonic_boundary_count, 0, lead);
    const int32_t count = std::clamp(*frequency_count, 0, std::max(*frequency_dimension, 0));
    if (openings == 0)
        return;
    if (count > 0 && !cursor.ReadReals("Omega", count, count, false, frequencies) && strict)
        *error = kTrue;

    // Per opening the Ampab records of its frequencies, then the Phsab
    // records of the second frequency on, in file order.
    const HarmonicTable harmonic{table, lead};
    sectionkw::ForwardReader records(cursor);
    if (!records.Start()) {
        if (strict)
            *error = kTrue;
        return;
    }
    for (int32_t o = 0; o < openings; ++o) {
        for (int32_t part = 0; part < 2; ++part) {
            const char *keyword = part == 0 ? "Ampab" : "Phsab";
            for (int32_t f = part; f < count; ++f) {
                float pair[2];
                if (!records.Locate(keyword, true) ||
                    !cursor.ReadReals(keyword, 2, 2, false, pair, 0.0f, true, Reach::kToEnd)) {
                    if (strict)
                        *error = kTrue;
                    return;
                }
                harmonic.At(2 * part, o, f) = pair[0];
                harmonic.At(2 * part + 1, o, f) = pair[1];
            }
        }
    }
}

extern "C" void READ_TIMESERIES_BOUNDARY_CONDITIONS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, int32_t *earliest_last, int32_t *latest_first,
    const char *run_id, int32_t run_id_len, char *series_file, int32_t series_file_len, char *series_format,
    int32_t series_format_len, const int32_t *series_boundary_count, float *times, const float *time_step,
    const int32_t *start_step, const int32_t *stop_step, const int32_t *time_dimension,
    const int32_t *opening_dimension, int32_t *time_count, float *values)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    sectionkw::ScratchFile scratch(strict, run_id, run_id_len, ".bct");
    if (strict && !scratch.open())
        *error = kTrue;
    const sectionkw::AttachedFile file = sectionkw::ReadFilePair(cursor, "FilbcT", "FmtbcT", true, series_file,
                                                                 series_file_len, series_format, series_format_len);
    const int32_t openings = std::clamp(*series_boundary_count, 0, std::max(*opening_dimension, 0));
    const int32_t time_room = std::max(*time_dimension, 0);
    if (file.named) {
        if (strict) {
            const std::string format = file.Format();
            const int32_t one = 1;
            float work = 0.0f;
            READ_TIMESERIES_BLOCK(diag_unit, scratch.unit(), error, earliest_last, latest_first, file.name.c_str(),
                                  static_cast<int32_t>(file.name.size()), format.c_str(), 11, &one, &work, time_step,
                                  start_step, stop_step);
        }
    } else if (openings > 0 && time_room > 0) {
        sectionkw::SeriesSteps steps(diag_unit, error, strict, time_step, start_step, stop_step);
        sectionkw::ForwardReader records(cursor);
        int32_t index = 0;   // of the current time, from 0
        bool io_error = false;
        if (!records.Start()) {
            io_error = true;
        }
        for (; !io_error;) {
            if (!records.Locate("TsbcT", false, &io_error)) {
                if (io_error)
                    steps.Finding("U100", "TsbcT ");
                else
                    steps.CheckEnd("Last time of B.C. for Temperature <");
                break;
            }
            float time = 0.0f;
            if (!cursor.ReadReals("TsbcT", 1, 1, false, &time, 0.0f, true, Reach::kToEnd)) {
                if (strict)
                    *error = kTrue;
                break;
            }
            times[index] = time;
            int32_t step = 0;
            if (!steps.Take(time, "TsbcT", "Tsbct", "First time Tsbct >", latest_first, &step))
                break;
            bool complete = true;
            for (int32_t o = 0; o < openings && complete; ++o) {
                float pair[2];
                complete = records.Locate("Ampab", true) &&
                           cursor.ReadReals("Ampab", 2, 2, false, pair, 0.0f, true, Reach::kToEnd);
                if (!complete)
                    break;
                const int32_t column = strict ? 0 : o;
                float *at = values + 2 * (static_cast<size_t>(index) + static_cast<size_t>(time_room) * column);
                at[0] = pair[0];
                at[1] = pair[1];
                if (strict)
                    for (float v : pair)
                        if (!scratch.Write(recio::RecordBytes().Real(static_cast<float>(step)).Real(v)))
                            *error = kTrue;
            }
            if (!complete)
                break;   // the keyword reader has reported it
            const bool more = sectionkw::NextTime(strict, &index, time_room, diag_unit, "U152");
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
