// Section readers of the master definition file for the gravitational
// acceleration and the water density, and for the bottom roughness: its
// formula, an attached roughness file or uniform values in the two grid
// directions, and with waves the wave-current interaction formula.

#include "process_sections.h"

#include "process_keywords.h"

#include <string>

using sectionkw::Cursor;

namespace {

// Default roughness of a formula letter (as written: a lower-case letter
// has none).
float FormulaRoughness(char letter)
{
    switch (letter) {
    case 'C': return 65.0f;
    case 'M': return 0.026f;
    case 'W': return 0.13f;
    case 'Z': return 0.003f;
    default: return 0.0f;
    }
}

// One slice (third index `slice`, 0-based) of a roughness array (lead, -1 ..
// mmax + 2, 2) at (n, m), both 1-based.
float &At(float *array, int32_t lead, int32_t mmax, int32_t slice, int32_t n, int32_t m)
{
    const size_t columns = static_cast<size_t>(mmax) + 4;
    return array[static_cast<size_t>(n - 1) + static_cast<size_t>(lead) * (static_cast<size_t>(m + 1) +
                                                                           columns * static_cast<size_t>(slice))];
}

// Accepted wave-current interaction formulas, each followed by a blank.
const char kWaveFormulas[] = "BIJK NIEL FR84 MS90 HT91 GM79 DS88 BK67 ";

}  // namespace

extern "C" void READ_GRAVITY_AND_DENSITY(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number,
                                         char *record, int32_t record_len, float *ag, float *rhow)
{
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    sectionkw::ReadRealKeeping(cursor, "Ag", ag);
    sectionkw::ReadRealKeeping(cursor, "Rhow", rhow);
}

extern "C" void READ_ROUGHNESS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                               int32_t *record_number, char *record, int32_t record_len, const int32_t *strict_mode,
                               char *roumet, int32_t roumet_len, const int32_t *three_dimensional, char *filrgh,
                               int32_t filrgh_len, char *fmtrgh, int32_t fmtrgh_len, float *ccofu, float *ccofv,
                               const int32_t *waves, char *rouwav, int32_t rouwav_len, const int32_t *mmax,
                               const int32_t *lead, const int32_t *nmax, float *rough_u, float *rough_v)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    // The arrays are filled within the caller's extents only.
    const int32_t m_count = std::max(0, *mmax), n_count = std::max(0, std::min(*nmax, *lead));

    char letter = 'C';
    if (cursor.ReadText("Roumet", true, &letter, 1, "C") != Cursor::Text::kValue)
        letter = 'C';
    sectionkw::Store(roumet, roumet_len, std::string(1, letter));
    if (letter == 'Z' && !sectionkw::IsTrue(three_dimensional)) {
        sectionkw::Report(diag_unit, "V046", " ");
        if (strict)
            *error = sectionkw::kTrue;
    }

    char name[12];
    if (cursor.ReadText("Filrgh", true, name, 12, " ") != Cursor::Text::kValue)
        sectionkw::Store(name, 12, "");
    sectionkw::Store(filrgh, filrgh_len, std::string(name, 12));
    if (!sectionkw::Blank(name, 12)) {
        char format[11];
        bool accepted = cursor.ReadText("Fmtrgh", true, format, 11, " ") == Cursor::Text::kValue;
        if (accepted) {
            int32_t bad = 0;
            CHECK_FILE_FORMAT(diag_unit, "Fmtrgh", 6, format, 11, &bad);
            accepted = bad == 0;
        }
        if (!accepted)
            sectionkw::Store(format, 11, "");
        sectionkw::Store(fmtrgh, fmtrgh_len, std::string(format, 2) == "un" ? "UN" : "FR");
        if (strict)
            READ_ROUGHNESS_FILE(diag_unit, error, name, 12, format, 11, lead, mmax, nmax, rough_u, rough_v);
    } else {
        const float formula = FormulaRoughness(letter);
        float *fields[2] = {ccofu, ccofv};
        float *arrays[2] = {rough_u, rough_v};
        const char *keys[2] = {"Ccofu", "Ccofv"};
        for (int d = 0; d < 2; ++d) {
            float value = formula;
            if (!cursor.ReadReals(keys[d], 1, 1, true, &value, formula))
                value = formula;
            *fields[d] = value;
            if (strict)
                for (int32_t m = 1; m <= m_count; ++m)
                    for (int32_t n = 1; n <= n_count; ++n)
                        At(arrays[d], *lead, *mmax, 0, n, m) = value;
        }
    }
    if (strict)
        for (float *array : {rough_u, rough_v})
            for (int32_t m = 1; m <= m_count; ++m)
                for (int32_t n = 1; n <= n_count; ++n)
                    At(array, *lead, *mmax, 1, n, m) = At(array, *lead, *mmax, 0, n, m);

    if (sectionkw::IsTrue(waves)) {
        char value[4];
        const bool read = cursor.ReadText("Rouwav", true, value, 4, "BIJK") == Cursor::Text::kValue;
        bool known = read && std::string(kWaveFormulas).find(std::string(value, 4)) != std::string::npos;
        if (read && !known)
            sectionkw::Report(diag_unit, "V048", " ");
        sectionkw::Store(rouwav, rouwav_len, known ? std::string(value, 4) : "BIJK");
    }
}
