// Section reader of the master definition file for the named output
// locations: monitoring stations, cross sections and drogues, each from an
// attached file or from name and location records, with the check that
// the names of a list are unique; and the readers of the attached files.

#include "process_sections.h"

#include "flow_definition.h"
#include "process_keywords.h"

#include <cmath>
#include <string>
#include <vector>

using sectionkw::Cursor;
using sectionkw::Reach;

namespace {

constexpr int32_t kNameLength = 20;

// What tells the three lists apart.
struct ListForm {
    const char *file_keyword;     // "Filsta"
    const char *format_keyword;   // "Fmtsta"
    const char *name_keyword;     // "Namst"
    const char *cell_keyword;     // "MNst" (drogues: "XYpar")
    int32_t numbers;              // numbers per entry after the name
    int32_t limit;
    const char *blank_code;       // "V013"
    const char *duplicate_code;   // "U170"
};

const ListForm kStations = {"Filsta", "Fmtsta", "Namst", "MNst", 2, kFlowMaxStations, "V013", "U170"};
const ListForm kCrossSections = {"Filcrs", "Fmtcrs", "Namcrs", "MNcrs", 4, kFlowMaxCrossSections, "V014", "U171"};
const ListForm kDrogues = {"Filpar", "Fmtpar", "Nampar", "XYpar", 4, kFlowMaxDrogues, "V034", "U172"};

int32_t Capped(const int32_t *count, int32_t limit)
{
    return std::min(std::max(0, *count), limit);
}

char *NameAt(char *names, int32_t names_len, int32_t i)
{
    return names + static_cast<size_t>(i) * static_cast<size_t>(std::max(0, names_len));
}

// A drogue's release and stop times as steps, each checked against the
// step grid ("U044" with the time's text and a line naming the drogue).
// False when a time has no step in 32 bits ("U036"); off_grid tells
// whether either time lay off the grid.
bool DrogueSteps(const int32_t *diag_unit, const float *times, float dt, const std::string &name, int32_t *steps,
                 bool *off_grid)
{
    static const char *const kTexts[2] = {"start time", "stop  time"};
    *off_grid = false;
    for (int i = 0; i < 2; ++i) {
        bool off = false;
        if (!sectionkw::StepOf(times[i], dt, &steps[i], &off)) {
            sectionkw::Report(diag_unit, "U036", "Tpar");
            return false;
        }
        if (off) {
            sectionkw::Report(diag_unit, "U044", kTexts[i]);
            if (*diag_unit != 0)
                recio::WriteLine(*diag_unit,
                                 " for drogue: " + flowrec::FieldText(name.data(), static_cast<int32_t>(name.size())));
            *off_grid = true;
        }
    }
    return true;
}

// The grid cell and the fractions within it of a drogue position.  False
// when a coordinate has no cell in 32 bits.
bool DrogueCell(const float *xy, int32_t *cell, float *fraction)
{
    for (int i = 0; i < 2; ++i) {
        const double whole = std::trunc(static_cast<double>(xy[i]));
        if (!std::isfinite(whole) || std::fabs(whole) > 2147483647.0)
            return false;
        cell[i] = static_cast<int32_t>(whole);
        fraction[i] = xy[i] - static_cast<float>(cell[i]);
    }
    return true;
}

// The entries of an attached file of a list: count records of a name and
// its numbers (integers, or reals for the drogues).
void ReadListFile(const ListForm &form, const int32_t *diag_unit, const char *name, int32_t name_len,
                  const char *format, int32_t format_len, int32_t *error, const int32_t *count, const float *dt,
                  char *names, int32_t names_len, int32_t *cells, int32_t *steps, float *fractions)
{
    const bool drogues = steps != nullptr;
    const std::string file = flowrec::FirstWord(name, name_len);
    if (!CHECK_FILE_EXISTS(name, name_len, diag_unit, "G004", 4)) {
        *error = sectionkw::kTrue;
        return;
    }
    const bool unformatted = flowrec::FieldText(format, format_len).rfind("un", 0) == 0;
    flowrec::UnitGuard unit;
    auto fail = [&](const char *code, const std::string &text) {
        sectionkw::Report(diag_unit, code, text);
        *error = sectionkw::kTrue;
    };
    if (unit.Open(file, unformatted ? recio::Form::kUnformatted : recio::Form::kFormatted, recio::OpenStatus::kOld) !=
        recio::kOk) {
        fail("G007", file);
        return;
    }
    const int32_t entries = Capped(count, form.limit);
    for (int32_t i = 0; i < entries; ++i) {
        std::string entry_name;
        int32_t ints[4] = {};
        float reals[4] = {};
        int r = recio::kOk;
        if (unformatted) {
            unsigned char bytes[kNameLength + 16];
            r = recio::ReadRecord(unit.unit(), bytes, static_cast<size_t>(kNameLength + 4 * form.numbers));
            if (r == recio::kOk) {
                entry_name.assign(reinterpret_cast<const char *>(bytes), kNameLength);
                for (int32_t v = 0; v < form.numbers; ++v) {
                    ints[v] = recio::GetInt32LE(bytes + kNameLength + 4 * v);
                    reals[v] = recio::GetReal32LE(bytes + kNameLength + 4 * v);
                }
            }
        } else {
            std::string line;
            r = recio::ReadLine(unit.unit(), &line);
            if (r == recio::kOk) {
                line.resize(std::min<size_t>(std::max<size_t>(line.size(), kNameLength), 132), ' ');
                entry_name = line.substr(0, kNameLength);
                const int32_t len = static_cast<int32_t>(line.size());
                int32_t position = kNameLength + 1;
                for (int32_t v = 0; v < form.numbers && r == recio::kOk; ++v) {
                    int32_t end = 0, status = 0;
                    if (drogues) {
                        const float fill = 0.0f;
                        SCAN_NEXT_REAL(line.data(), len, &len, &position, &end, &reals[v], &fill, &status);
                    } else {
                        const int32_t fill = 0;
                        SCAN_NEXT_INT(line.data(), len, &len, &position, &end, &ints[v], &fill, &status);
                    }
                    if (status != 1)
                        r = recio::kErrBadNumber;
                }
            }
        }
        if (r != recio::kOk) {
            fail(r == recio::kEndOfFile ? "G006" : "G007", file);
            return;
        }
        if (sectionkw::Blank(entry_name.data(), kNameLength)) {
            fail(form.blank_code, " ");
            return;
        }
        sectionkw::Store(NameAt(names, names_len, i), names_len, entry_name);
        if (!drogues) {
            std::copy(ints, ints + form.numbers, cells + static_cast<size_t>(form.numbers) * static_cast<size_t>(i));
            continue;
        }
        bool off = false;
        if (!DrogueSteps(diag_unit, reals, *dt, entry_name, steps + 2 * i, &off)) {
            *error = sectionkw::kTrue;
            return;
        }
        if (!DrogueCell(reals + 2, cells + 2 * i, fractions + 2 * i)) {
            fail("U036", "XYpar");
            return;
        }
        if (off) {
            *error = sectionkw::kTrue;
            return;
        }
    }
}

// One list from the records of the definition file, from its first record
// on: per entry the name, then the cells (drogues: Tpar, then XYpar).
void ReadListRecords(const ListForm &form, Cursor &cursor, int32_t *error, bool strict, int32_t count, float dt,
                     char *names, int32_t names_len, int32_t *cells, int32_t *steps, float *fractions)
{
    if (count <= 0 || !cursor.Restart())
        return;
    const bool drogues = steps != nullptr;
    auto finding = [&]() {
        if (strict)
            *error = sectionkw::kTrue;
    };
    for (int32_t i = 0; i < count; ++i) {
        char name[kNameLength];
        cursor.ReadText(form.name_keyword, true, name, kNameLength, " ", true, Reach::kToEnd);
        sectionkw::Store(NameAt(names, names_len, i), names_len, std::string(name, kNameLength));
        if (sectionkw::Blank(name, kNameLength)) {
            sectionkw::Report(cursor.diag_unit, form.blank_code, " ");
            finding();
            return;
        }
        if (!drogues) {
            int32_t values[4] = {};
            if (!cursor.ReadInts(form.cell_keyword, form.numbers, form.numbers, false, values, 0, true,
                                 Reach::kToEnd)) {
                finding();
                return;
            }
            std::copy(values, values + form.numbers, cells + static_cast<size_t>(form.numbers) * static_cast<size_t>(i));
            continue;
        }
        float times[2] = {0.0f, 0.0f};
        bool failed = false;
        if (!cursor.ReadReals("Tpar", 2, 2, false, times, 0.0f, true, Reach::kToEnd)) {
            times[0] = times[1] = 0.0f;
            failed = true;
        }
        bool off = false;
        if (!DrogueSteps(cursor.diag_unit, times, dt, std::string(name, kNameLength), steps + 2 * i, &off)) {
            finding();
            return;
        }
        if (failed || off) {
            finding();
            if (strict)
                return;   // the list ends at an error
        }
        float xy[2] = {0.0f, 0.0f};
        if (!cursor.ReadReals("XYpar", 2, 2, false, xy, 0.0f, true, Reach::kToEnd)) {
            finding();
            return;
        }
        if (!DrogueCell(xy, cells + 2 * i, fractions + 2 * i)) {
            sectionkw::Report(cursor.diag_unit, "U036", "XYpar");
            finding();
            return;
        }
    }
}

// Every name equal to an earlier one of the list is reported.
void CheckUnique(const ListForm &form, const int32_t *diag_unit, int32_t *error, bool strict, int32_t count,
                 const char *names, int32_t names_len)
{
    const size_t len = static_cast<size_t>(std::max(0, std::min(names_len, kNameLength)));
    for (int32_t i = 1; i < count; ++i)
        for (int32_t j = 0; j < i; ++j) {
            const char *a = names + static_cast<size_t>(i) * static_cast<size_t>(names_len);
            const char *b = names + static_cast<size_t>(j) * static_cast<size_t>(names_len);
            if (std::memcmp(a, b, len) == 0) {
                sectionkw::Report(diag_unit, form.duplicate_code, std::string(a, len));
                if (strict)
                    *error = sectionkw::kTrue;
            }
        }
}

}  // namespace

extern "C" void READ_STATION_FILE(const int32_t *diag_unit, const char *name, int32_t name_len, const char *format,
                                  int32_t format_len, int32_t *error, const int32_t *count, char *names,
                                  int32_t names_len, int32_t *cells)
{
    ReadListFile(kStations, diag_unit, name, name_len, format, format_len, error, count, nullptr, names, names_len,
                 cells, nullptr, nullptr);
}

extern "C" void READ_CROSS_SECTION_FILE(const int32_t *diag_unit, const char *name, int32_t name_len,
                                        const char *format, int32_t format_len, int32_t *error, const int32_t *count,
                                        char *names, int32_t names_len, int32_t *cells)
{
    ReadListFile(kCrossSections, diag_unit, name, name_len, format, format_len, error, count, nullptr, names,
                 names_len, cells, nullptr, nullptr);
}

extern "C" void READ_DROGUE_FILE(const int32_t *diag_unit, const char *name, int32_t name_len, const char *format,
                                 int32_t format_len, int32_t *error, const int32_t *count, const float *dt,
                                 char *names, int32_t names_len, int32_t *cells, int32_t *steps, float *fractions)
{
    ReadListFile(kDrogues, diag_unit, name, name_len, format, format_len, error, count, dt, names, names_len, cells,
                 steps, fractions);
}

extern "C" void READ_MONITORING_POINTS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                       int32_t *record_number, char *record, int32_t record_len,
                                       const int32_t *strict_mode, const float *dt, char *filsta, int32_t filsta_len,
                                       char *fmtsta, int32_t fmtsta_len, const int32_t *station_count, char *filcrs,
                                       int32_t filcrs_len, char *fmtcrs, int32_t fmtcrs_len,
                                       const int32_t *cross_section_count, char *filpar, int32_t filpar_len,
                                       char *fmtpar, int32_t fmtpar_len, const int32_t *drogue_count,
                                       int32_t *drogues, char *station_names, int32_t station_names_len,
                                       char *cross_section_names, int32_t cross_section_names_len,
                                       char *drogue_names, int32_t drogue_names_len, int32_t *station_cells,
                                       int32_t *cross_section_cells, int32_t *drogue_cells, int32_t *drogue_steps,
                                       float *drogue_fractions)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};

    struct List {
        const ListForm &form;
        char *file;
        int32_t file_len;
        char *code;
        int32_t code_len;
        int32_t count;
        char *names;
        int32_t names_len;
        int32_t *cells;
    };
    List lists[3] = {
        {kStations, filsta, filsta_len, fmtsta, fmtsta_len, Capped(station_count, kStations.limit), station_names,
         station_names_len, station_cells},
        {kCrossSections, filcrs, filcrs_len, fmtcrs, fmtcrs_len, Capped(cross_section_count, kCrossSections.limit),
         cross_section_names, cross_section_names_len, cross_section_cells},
        {kDrogues, filpar, filpar_len, fmtpar, fmtpar_len, Capped(drogue_count, kDrogues.limit), drogue_names,
         drogue_names_len, drogue_cells}};

    for (List &list : lists) {
        const bool is_drogues = &list.form == &kDrogues;
        int32_t *steps = is_drogues ? drogue_steps : nullptr;
        float *fractions = is_drogues ? drogue_fractions : nullptr;

        sectionkw::Store(list.file, list.file_len, "");
        if (cursor.Find(list.form.file_keyword, true, Reach::kRound)) {
            char name[12];
            if (cursor.ReadText(list.form.file_keyword, true, name, 12, " ") != Cursor::Text::kValue) {
                if (strict) {
                    *error = sectionkw::kTrue;
                    return;
                }
            } else if (!sectionkw::Blank(name, 12)) {
                sectionkw::ReadFilePair(cursor, list.form.file_keyword, list.form.format_keyword, true, list.file,
                                        list.file_len, list.code, list.code_len, sectionkw::kReportedFormatDefault);
            }
        }
        if (!sectionkw::Blank(list.file, list.file_len)) {
            if (strict) {
                char format[11];
                sectionkw::Store(format, 11, std::string(list.code, 2) == "UN" ? "unformatted" : "formatted");
                int32_t failed = 0;
                ReadListFile(list.form, diag_unit, list.file, list.file_len, format, 11, &failed, &list.count, dt,
                             list.names, list.names_len, list.cells, steps, fractions);
                if (failed) {
                    *error = sectionkw::kTrue;
                    return;
                }
                if (is_drogues)
                    *drogues = sectionkw::kTrue;
            }
        } else if (!is_drogues || sectionkw::IsTrue(drogues)) {
            ReadListRecords(list.form, cursor, error, strict, list.count, *dt, list.names, list.names_len, list.cells,
                            steps, fractions);
        }
        CheckUnique(list.form, diag_unit, error, strict, list.count, list.names, list.names_len);
    }
}
