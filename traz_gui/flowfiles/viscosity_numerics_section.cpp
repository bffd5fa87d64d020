// Section readers of the master definition file for the eddy viscosity and
// diffusivity (an attached eddy file or uniform values, and the vertical
// values of a model with layers) and for the numerical parameters; with
// the readers of the attached grid-array files of eddy viscosity and
// bottom roughness.

#include "process_sections.h"

#include "process_keywords.h"

#include <string>
#include <vector>

using sectionkw::Cursor;

namespace {

// Element (n, m) of the slice `slice` (0-based) of an array (lead, -1 ..
// mmax + 2, ...), n and m 1-based.
size_t Offset(int32_t lead, int32_t mmax, int32_t slice, int32_t n, int32_t m)
{
    const size_t columns = static_cast<size_t>(mmax) + 4;
    return static_cast<size_t>(n - 1) +
           static_cast<size_t>(lead) * (static_cast<size_t>(m + 1) + columns * static_cast<size_t>(slice));
}

// Reads nmax rows of mmax values into each of the given slices in turn:
// one unformatted record, or one list-directed read, per row.  "G004" for
// a missing file, "G006" at an early end of the file, "G007" for any other
// failure; each sets the error flag.
void ReadGridArrays(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                    const char *format, int32_t format_len, int32_t lead, int32_t mmax, int32_t nmax,
                    const std::vector<float *> &slices)
{
    const std::string file = flowrec::FirstWord(name, name_len);
    if (!CHECK_FILE_EXISTS(name, name_len, diag_unit, "G004", 4)) {
        *error = sectionkw::kTrue;
        return;
    }
    const bool unformatted = flowrec::FieldText(format, format_len).rfind("un", 0) == 0;
    flowrec::UnitGuard unit;
    if (unit.Open(file, unformatted ? recio::Form::kUnformatted : recio::Form::kFormatted, recio::OpenStatus::kOld) !=
        recio::kOk) {
        sectionkw::Report(diag_unit, "G007", file);
        *error = sectionkw::kTrue;
        return;
    }
    const int32_t columns = std::max(0, mmax), rows = std::max(0, std::min(nmax, lead));
    std::vector<float> row(static_cast<size_t>(columns));
    for (float *slice : slices) {
        for (int32_t n = 1; n <= rows; ++n) {
            int r;
            if (unformatted) {
                r = recio::ReadReal32(unit.unit(), row.data(), row.size());
            } else {
                recio::ListRead read(unit.unit());
                for (float &v : row)
                    read.Real(&v);
                r = read.result();
            }
            if (r != recio::kOk) {
                sectionkw::Report(diag_unit, r == recio::kEndOfFile ? "G006" : "G007", file);
                *error = sectionkw::kTrue;
                return;
            }
            for (int32_t m = 1; m <= columns; ++m)
                slice[Offset(lead, mmax, 0, n, m)] = row[static_cast<size_t>(m - 1)];
        }
    }
}

// The start of the background layer (layers + 1) of an eddy array.
float *Background(float *array, int32_t lead, int32_t mmax, int32_t layers)
{
    return array + Offset(lead, mmax, layers, 1, -1);
}

}  // namespace

extern "C" void READ_EDDY_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                               const char *format, int32_t format_len, const int32_t *lead, const int32_t *mmax,
                               const int32_t *nmax, const int32_t *layers, const int32_t *transported,
                               float *viscosity, float *diffusivity)
{
    const int32_t k = std::max(0, *layers);
    std::vector<float *> slices = {Background(viscosity, *lead, *mmax, k)};
    if (*transported > 0)
        slices.push_back(Background(diffusivity, *lead, *mmax, k));
    ReadGridArrays(diag_unit, error, name, name_len, format, format_len, *lead, *mmax, *nmax, slices);
}

extern "C" void READ_ROUGHNESS_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                                    const char *format, int32_t format_len, const int32_t *lead,
                                    const int32_t *mmax, const int32_t *nmax, float *first, float *second)
{
    ReadGridArrays(diag_unit, error, name, name_len, format, format_len, *lead, *mmax, *nmax,
                   {first + Offset(*lead, *mmax, 0, 1, -1), second + Offset(*lead, *mmax, 0, 1, -1)});
}

extern "C" void READ_VISCOSITY(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                               int32_t *record_number, char *record, int32_t record_len, const int32_t *strict_mode,
                               char *filedy, int32_t filedy_len, char *fmtedy, int32_t fmtedy_len, char *tkemod,
                               int32_t tkemod_len, float *vicouv, float *dicouv, float *vicoww, float *dicoww,
                               const int32_t *mmax, const int32_t *lead, const int32_t *nmax,
                               const int32_t *layer_dim, const int32_t *layers, const int32_t *transported,
                               float *viscosity, float *diffusivity)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    const int32_t kdim = std::max(0, *layer_dim);
    const int32_t m_count = std::max(0, *mmax), n_count = std::max(0, std::min(*nmax, *lead));

    char name[12];
    if (cursor.ReadText("Filedy", true, name, 12, " ") != Cursor::Text::kValue)
        sectionkw::Store(name, 12, "");
    sectionkw::Store(filedy, filedy_len, std::string(name, 12));
    if (!sectionkw::Blank(name, 12)) {
        char format[11];
        bool accepted = cursor.ReadText("Fmtedy", true, format, 11, "formatted") == Cursor::Text::kValue;
        if (accepted) {
            int32_t bad = 0;
            CHECK_FILE_FORMAT(diag_unit, "Fmtedy", 6, format, 11, &bad);
            accepted = bad == 0;
        }
        if (!accepted)
            sectionkw::Store(format, 11, "formatted");
        sectionkw::Store(fmtedy, fmtedy_len, std::string(format, 2) == "un" ? "UN" : "FR");
        if (strict)
            READ_EDDY_FILE(diag_unit, error, name, 12, format, 11, lead, mmax, nmax, &kdim, transported, viscosity,
                           diffusivity);
    } else {
        sectionkw::ReadRealKeeping(cursor, "Vicouv", vicouv);
        sectionkw::ReadRealKeeping(cursor, "Dicouv", dicouv);
        if (strict)
            for (int32_t m = 1; m <= m_count; ++m)
                for (int32_t n = 1; n <= n_count; ++n) {
                    viscosity[Offset(*lead, *mmax, kdim, n, m)] = *vicouv;
                    diffusivity[Offset(*lead, *mmax, kdim, n, m)] = *dicouv;
                }
    }
    if (strict)
        for (float *array : {viscosity, diffusivity})
            for (int32_t k = 0; k < std::min(kdim, std::max(0, *layers)); ++k)
                for (int32_t m = 1; m <= m_count; ++m)
                    for (int32_t n = 1; n <= n_count; ++n)
                        array[Offset(*lead, *mmax, k, n, m)] = array[Offset(*lead, *mmax, kdim, n, m)];

    if (*layers < 2)
        return;
    if (strict) {
        char model[12];
        if (cursor.ReadText("Tkemod", false, model, 12, " ") == Cursor::Text::kValue && !sectionkw::Blank(model, 12))
            sectionkw::Store(tkemod, tkemod_len, std::string(model, 12));
    }
    if (!cursor.Find("Vicoww", true, sectionkw::Reach::kRound))
        return;
    sectionkw::ReadRealKeeping(cursor, "Vicoww", vicoww);
    sectionkw::ReadRealKeeping(cursor, "Dicoww", dicoww);
}

extern "C" void READ_NUMERICAL_PARAMETERS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number,
                                          char *record, int32_t record_len, float *work_value, int32_t *iter,
                                          char *dryflp, int32_t dryflp_len, float *dryflc, const int32_t *ktemp,
                                          char *temint, int32_t temint_len, const int32_t *wind, char *wndint,
                                          int32_t wndint_len, char *wnsvwp, int32_t wnsvwp_len)
{
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    *work_value = 1.0e-6f;

    int32_t value = *iter;
    if (cursor.ReadInts("Iter", 1, 1, true, &value, *iter))
        *iter = value;

    const std::string current(dryflp, static_cast<size_t>(std::max(0, std::min(dryflp_len, 4))));
    char text[4];
    if (cursor.ReadText("Dryflp", true, text, 4, current) == Cursor::Text::kValue)
        sectionkw::Store(dryflp, dryflp_len, std::string(text, 4));

    sectionkw::ReadRealKeeping(cursor, "Dryflc", dryflc);

    if (*ktemp > 0)
        sectionkw::Store(temint, temint_len, std::string(1, sectionkw::ReadAnswer(cursor, "Temint", false, 'Y')));
    if (sectionkw::IsTrue(wind)) {
        sectionkw::Store(wndint, wndint_len, std::string(1, sectionkw::ReadAnswer(cursor, "Wndint", false, 'Y')));
        sectionkw::Store(wnsvwp, wnsvwp_len, std::string(1, sectionkw::ReadAnswer(cursor, "Wnsvwp", false, 'N')));
    }
}
