// Section readers of the master definition file for the discharge
// locations (name, interpolation letter and grid location of each
// discharge) and for the bottom depth (an attached depth file or one
// uniform depth), with the reader of the depth file.

#include "boundary_sections.h"

#include "boundary_keywords.h"
#include "flow_definition.h"

#include <algorithm>
#include <string>
#include <vector>

using sectionkw::Cursor;
using sectionkw::kTrue;
using sectionkw::Reach;

namespace {

// depth(n, m) of an array whose n runs over row_length and m from -1.
float &DepthAt(float *depth, int32_t row_length, int32_t n, int32_t m)
{
    return depth[static_cast<size_t>(n - 1) + static_cast<size_t>(row_length) * static_cast<size_t>(m + 1)];
}

// The grid extents a reader fills: at most the record's grid limit, and n
// no further than the row length.
void FilledExtents(const int32_t *mmax, const int32_t *row_length, const int32_t *nmax, int32_t *m_count,
                   int32_t *n_count)
{
    *m_count = std::clamp(*mmax, 0, static_cast<int32_t>(kFlowMaxGrid));
    *n_count = std::clamp(std::min(*nmax, *row_length), 0, static_cast<int32_t>(kFlowMaxGrid));
}

}  // namespace

extern "C" void READ_DISCHARGE_LOCATIONS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                         int32_t *record_number, char *record, int32_t record_len,
                                         const int32_t *strict_mode, const int32_t *discharge_count,
                                         int32_t *locations, char *interpolation, int32_t interpolation_len,
                                         char *names, int32_t names_len)
{
    const int32_t count = std::min(*discharge_count, static_cast<int32_t>(kFlowMaxDischarges));
    if (count <= 0)
        return;
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    sectionkw::ForwardReader groups(cursor);
    if (!groups.Start()) {
        if (strict)
            *error = kTrue;
        return;
    }
    // The groups follow one another in the file, each in the order Namdis,
    // Disint, MNKdis.
    for (int32_t i = 0; i < count; ++i) {
        char name[20];
        if (!groups.Locate("Namdis", true) ||
            cursor.ReadText("Namdis", true, name, 20, " ", true, Reach::kToEnd) != Cursor::Text::kValue) {
            if (strict)
                *error = kTrue;   // the name stays as it was
        } else {
            sectionkw::Store(names + static_cast<size_t>(i) * static_cast<size_t>(std::max(names_len, 0)), names_len,
                             std::string(name, 20));
            if (sectionkw::Blank(name, 20)) {
                sectionkw::Report(diag_unit, "V012", " ");
                if (strict)
                    *error = kTrue;
            }
        }

        char value[20] = {'Y'};
        if (groups.Locate("Disint", false) &&
            cursor.ReadText("Disint", false, value, 20, "Y", true, Reach::kToEnd) == Cursor::Text::kBad)
            return;
        const char letter = value[0] == 'n' || value[0] == 'N' ? 'N' : 'Y';
        if (interpolation_len > 0)
            interpolation[static_cast<size_t>(i) * static_cast<size_t>(interpolation_len)] = letter;

        int32_t mnk[3] = {0, 0, 0};
        if (!groups.Locate("MNKdis", true) || !cursor.ReadInts("MNKdis", 3, 3, false, mnk, 0, true, Reach::kToEnd))
            return;
        std::copy(mnk, mnk + 3, locations + 3 * static_cast<size_t>(i));
    }
}

extern "C" void READ_DEPTH(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, char *record,
                           int32_t record_len, int32_t *record_number, const int32_t *strict_mode,
                           char *depth_file, int32_t depth_file_len, char *depth_format, int32_t depth_format_len,
                           float *uniform_depth, const int32_t *mmax, const int32_t *row_length,
                           const int32_t *nmax, float *depth)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    const sectionkw::AttachedFile file = sectionkw::ReadFilePair(cursor, "Fildep", "Fmtdep", true, depth_file,
                                                                 depth_file_len, depth_format, depth_format_len);
    if (file.named) {
        if (strict) {
            const std::string format = file.Format();
            READ_DEPTH_FILE(diag_unit, error, file.name.c_str(), static_cast<int32_t>(file.name.size()),
                            format.c_str(), 11, mmax, row_length, nmax, depth);
        }
        return;
    }
    float value = 0.0f;
    if (!cursor.ReadReals("Depuni", 1, 1, false, &value)) {
        value = 0.0f;
        if (strict)
            *error = kTrue;
    }
    *uniform_depth = value;
    if (strict) {
        int32_t m_count = 0, n_count = 0;
        FilledExtents(mmax, row_length, nmax, &m_count, &n_count);
        for (int32_t m = 1; m <= m_count; ++m)
            for (int32_t n = 1; n <= n_count; ++n)
                DepthAt(depth, *row_length, n, m) = value;
    }
}

extern "C" void READ_DEPTH_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                                const char *format, int32_t format_len, const int32_t *mmax,
                                const int32_t *row_length, const int32_t *nmax, float *depth)
{
    flowrec::UnitGuard in;
    const sectionkw::AttachedInput input = sectionkw::OpenAttached(diag_unit, name, name_len, format, format_len, &in);
    if (!input.exists) {
        *error = kTrue;
        return;
    }
    int r = input.result;
    int32_t m_count = 0, n_count = 0;
    FilledExtents(mmax, row_length, nmax, &m_count, &n_count);
    std::vector<float> row(static_cast<size_t>(m_count));
    for (int32_t n = 1; n <= n_count && r == recio::kOk; ++n) {
        if (input.unformatted) {
            r = recio::ReadReal32(in.unit(), row.data(), row.size());
        } else {
            recio::ListRead read(in.unit());
            for (float &v : row)
                read.Real(&v);
            r = read.result();
        }
        if (r == recio::kOk)
            for (int32_t m = 1; m <= m_count; ++m)
                DepthAt(depth, *row_length, n, m) = row[static_cast<size_t>(m - 1)];
    }
    in.Close();
    if (r != recio::kOk) {
        sectionkw::Report(diag_unit, r == recio::kEndOfFile ? "G006" : "G007", input.file);
        *error = kTrue;
    }
}
