// Section readers of the master definition file for the run text and the
// grid parameters: the free run description, the coordinate file or the
// rectilinear grid, the layer thicknesses, the latitude and the grid
// orientation.

#include "definition_reader.h"

#include "flow_definition.h"
#include "flow_record_util.h"
#include "keyword_records.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int32_t kTrue = -1;
constexpr int32_t kLines = 10;
constexpr int32_t kLineLength = 30;

void Store(char *to, int32_t len, const std::string &text)
{
    if (len <= 0)
        return;
    std::memset(to, ' ', static_cast<size_t>(len));
    std::memcpy(to, text.data(), std::min(text.size(), static_cast<size_t>(len)));
}

// A text keyword from the current record on, once round the file.
bool ReadText(const int32_t *def_unit, const int32_t *diag_unit, const char *keyword, int32_t *record_number,
              char *record, int32_t record_len, char *value, int32_t value_len, const char *fallback)
{
    int32_t error = 0, required = 1, length = 0;
    const int32_t from_current = kTrue, stop = *record_number;
    READ_KEYWORD_STRING(def_unit, &error, keyword, 6, &from_current, &required, record, record_len, value,
                        value_len, fallback, static_cast<int32_t>(std::strlen(fallback)), &length, record_number,
                        &stop, diag_unit);
    return error == 0;
}

// Reals of a keyword from the current record on; false when the read failed.
bool ReadReals(const int32_t *def_unit, const int32_t *diag_unit, const char *keyword, int32_t count,
               bool brackets, int32_t *record_number, char *record, int32_t record_len, float *values)
{
    int32_t error = 0;
    const int32_t from_current = kTrue, stop = *record_number, allowed = brackets ? kTrue : 0;
    const float fill = 0.0f;
    READ_KEYWORD_REALS(def_unit, &error, keyword, 6, &from_current, &count, record, record_len, values, &count,
                       &fill, &allowed, record_number, &stop, diag_unit);
    return error == 0;
}

}  // namespace

extern "C" void READ_RUN_TEXT(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number,
                              char *record, int32_t record_len, const int32_t *strict_mode, char *run_text,
                              int32_t run_text_len)
{
    char lines[kLines * kLineLength];
    std::memset(lines, ' ', sizeof lines);

    int32_t error = 0, found = 0;
    const int32_t from_current = kTrue, stop = *record_number;
    const int32_t width = FlowDefinitionStateGet()->keyword_width;
    FIND_KEYWORD_RECORD(def_unit, &error, &from_current, record_number, &found, &stop, record, record_len, &width,
                        "Runtxt", 6, "N", 1);
    if (!found)
        return;   // the run text stays as it was

    int32_t count = kLines;
    const int32_t max_length = kLineLength, here = *record_number;
    READ_KEYWORD_STRINGS(def_unit, &error, "Runtxt", 6, &from_current, &count, record, record_len, lines,
                         kLineLength, " ", 1, &max_length, record_number, &here, diag_unit);
    if (error)
        std::memset(lines, ' ', sizeof lines);
    int32_t used = 0;
    for (int32_t i = 0; i < kLines; ++i) {
        const std::string line(lines + i * kLineLength, kLineLength);
        Store(run_text + static_cast<size_t>(i) * static_cast<size_t>(std::max(run_text_len, 0)), run_text_len, line);
        if (line.find_first_not_of(' ') != std::string::npos)
            used = i + 1;
    }

    if ((*strict_mode & 1) && used > 0 && *diag_unit != 0) {
        recio::WriteLine(*diag_unit, "*** Start of User Defined Model description ");
        recio::WriteLine(*diag_unit, " -");
        for (int32_t i = 0; i < used; ++i)
            recio::WriteLine(*diag_unit, " -  " + std::string(lines + i * kLineLength, kLineLength));
        recio::WriteLine(*diag_unit, " -");
        recio::WriteLine(*diag_unit, "*** End   of User Defined Model description ");
        recio::WriteLine(*diag_unit, "");
    }
}

extern "C" void READ_GRID_PARAMETERS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                     int32_t *record_number, char *record, int32_t record_len,
                                     const int32_t *strict_mode, const int32_t *kmax, int32_t *grid_from_file,
                                     float *dx, float *dy, char *coordinate_file, int32_t coordinate_file_len,
                                     char *coordinate_format, int32_t coordinate_format_len, float *thick,
                                     float *latitude, float *grid_angle, char *sphere, int32_t sphere_len,
                                     int32_t *spherical)
{
    const bool strict = (*strict_mode & 1) != 0;
    if (!ReadText(def_unit, diag_unit, "Filcco", record_number, record, record_len, coordinate_file,
                  coordinate_file_len, " "))
        Store(coordinate_file, coordinate_file_len, "");

    if (flowrec::FirstWord(coordinate_file, coordinate_file_len) != "") {
        char format[11];
        bool rejected = false;
        if (!ReadText(def_unit, diag_unit, "Fmtcco", record_number, record, record_len, format, 11,
                      "FRformatted")) {
            Store(format, 11, "formatted");
        } else {
            int32_t bad = 0;
            CHECK_FILE_FORMAT(diag_unit, "Fmtcco", 6, format, 11, &bad);
            if (bad) {
                rejected = true;
                Store(format, 11, "formatted");
            }
        }
        if (rejected && strict)
            *error = kTrue;
        const bool unformatted = std::string(format, 2) == "un";
        Store(coordinate_format, coordinate_format_len, unformatted ? "UN" : "FR");
        *grid_from_file = kTrue;
        if (strict) {
            if (!CHECK_FILE_EXISTS(coordinate_file, coordinate_file_len, diag_unit, "G004", 4))
                *error = kTrue;
            if (unformatted)
                *error = kTrue;   // a computation takes a formatted coordinate file only
        }
    } else {
        char value[1] = {'N'};
        if (!ReadText(def_unit, diag_unit, "Sphere", record_number, record, record_len, value, 1, "N"))
            value[0] = 'N';
        const char s = value[0] == 'y' || value[0] == 'Y' ? 'Y' : 'N';
        Store(sphere, sphere_len, std::string(1, s));
        if (s == 'Y')
            *spherical = kTrue;
        float sizes[2] = {0.0f, 0.0f};
        if (ReadReals(def_unit, diag_unit, "DxDy", 2, false, record_number, record, record_len, sizes)) {
            *dx = sizes[0];
            *dy = sizes[1];
        } else if (strict) {
            *error = kTrue;
        }
    }

    // The first kmax thicknesses; no layers (kmax not yet known) read none,
    // since a count of 0 would take every value that stands.
    const int32_t layers = std::min<int32_t>(*kmax, kFlowMaxLayers);
    if (layers >= 1) {
        float values[kFlowMaxLayers] = {};
        if (ReadReals(def_unit, diag_unit, "Thick", layers, false, record_number, record, record_len, values))
            std::copy(values, values + layers, thick);
        else if (strict)
            *error = kTrue;
    }

    float value = 0.0f;
    *latitude = ReadReals(def_unit, diag_unit, "Anglat", 1, true, record_number, record, record_len, &value) ? value
                                                                                                          : 0.0f;
    value = 0.0f;
    *grid_angle =
        ReadReals(def_unit, diag_unit, "Grdang", 1, true, record_number, record, record_len, &value) ? value : 0.0f;
}
