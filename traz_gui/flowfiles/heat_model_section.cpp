// Section reader of the master definition file for the heat model and the
// physical parameters: the heat model number and its parameters, the
// vegetation roughness switch, the tide-generating forces of a spherical
// grid, the background temperature and salinity, the wind stress and air
// density, and the secondary-flow parameters.

#include "process_sections.h"

#include "process_keywords.h"

#include <string>

using sectionkw::Cursor;

namespace {

// The tide-generating constituents in their fixed order, then an unused
// slot: twelve slots of three characters.
const char kConstituents[] = "M2 S2 N2 K2 K1 O1 P1 Q1 MF MM SSA---";
constexpr int kSlots = 12;
constexpr int kKnown = 11;

// Checks the slots of a Tidfor value ("V081" for each one that is not a
// constituent) and lists the constituents asked for in their fixed order.
std::string TideForces(const std::string &value, const int32_t *diag_unit, int32_t *error, bool strict)
{
    const std::string reference(kConstituents, 36);
    for (int i = 0; i < kKnown; ++i) {
        const std::string slot = value.substr(static_cast<size_t>(3 * i), 3);
        if (reference.find(slot) == std::string::npos) {
            sectionkw::Report(diag_unit, "V081", slot);
            if (strict)
                *error = sectionkw::kTrue;
        }
    }
    std::string forces;
    for (int i = 0; i < kSlots; ++i) {
        const std::string name = reference.substr(static_cast<size_t>(3 * i), 3);
        forces += i < kKnown && value.find(name) != std::string::npos ? name : "---";
    }
    return forces;
}

}  // namespace

extern "C" void READ_PHYSICAL_PARAMETERS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                         int32_t *record_number, char *record, int32_t record_len,
                                         const int32_t *strict_mode, const int32_t *salinity,
                                         const int32_t *temperature, const int32_t *wind, int32_t *ktemp,
                                         float *fclou, float *sarea, int32_t *irov, float *z0v,
                                         const int32_t *spherical, char *tidfor, int32_t tidfor_len, float *tempw,
                                         float *salw, float *wstres, float *rhoa, const int32_t *secondary_flow,
                                         float *betac, char *equili, int32_t equili_len, int32_t *secondary_mode)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};

    if (sectionkw::IsTrue(temperature)) {
        int32_t model = 0;
        if (!cursor.ReadInts("Ktemp", 1, 1, true, &model, 0))
            model = 0;
        if (model < 0 || model > 3) {
            sectionkw::Report(diag_unit, "U051", " ");
            model = 0;
        }
        *ktemp = model;
    }
    if (*ktemp == 1)
        sectionkw::ReadRealKeeping(cursor, "Fclou", fclou);
    if (*ktemp > 0)
        sectionkw::ReadRealKeeping(cursor, "Sarea", sarea);

    if (cursor.Find("Irov", true, sectionkw::Reach::kRound)) {
        int32_t value = 0;
        *irov = cursor.ReadInts("Irov", 1, 1, true, &value, 0) ? value : 0;
        if (*irov > 0)
            sectionkw::ReadRealKeeping(cursor, "Z0v", z0v);
    }

    if (sectionkw::IsTrue(spherical) && cursor.Find("Tidfor", true, sectionkw::Reach::kRound)) {
        char values[36];
        int32_t count = 3, failed = 0;
        const int32_t max_length = 12, new_search = sectionkw::kTrue, stop = *record_number;
        READ_KEYWORD_STRINGS(def_unit, &failed, "Tidfor", 6, &new_search, &count, record, record_len, values, 12,
                             " ", 1, &max_length, record_number, &stop, diag_unit);
        if (!failed && count != 3)
            sectionkw::Report(diag_unit, "U036", "Tidfor");
        else if (!failed)
            sectionkw::Store(tidfor, tidfor_len, std::string(values, 36));
        const std::string field(tidfor, static_cast<size_t>(std::max(0, std::min(tidfor_len, 36))));
        if (!sectionkw::Blank(field.data(), static_cast<int32_t>(field.size())) && field.size() == 36)
            sectionkw::Store(tidfor, tidfor_len, TideForces(field, diag_unit, error, strict));
    }

    if (sectionkw::IsTrue(salinity))
        sectionkw::ReadRealKeeping(cursor, "Tempw", tempw);
    if (sectionkw::IsTrue(temperature))
        sectionkw::ReadRealKeeping(cursor, "Salw", salw);

    if (sectionkw::IsTrue(wind)) {
        float values[4] = {999.999f, 999.999f, 999.999f, 999.999f};
        if (!cursor.ReadReals("Wstres", 0, 4, true, values, wstres[0])) {
            const float fallback[4] = {0.0025f, 0.0f, 0.0025f, 100.0f};
            std::copy(fallback, fallback + 4, wstres);
        } else if (values[1] == 999.999f) {
            const float one[4] = {values[0], 0.0f, values[0], 100.0f};
            std::copy(one, one + 4, wstres);
        } else {
            std::copy(values, values + 4, wstres);
        }
        sectionkw::ReadRealKeeping(cursor, "Rhoa", rhoa);
    }

    if (sectionkw::IsTrue(secondary_flow)) {
        sectionkw::ReadRealKeeping(cursor, "Betac", betac);
        char answer = equili_len > 0 ? equili[0] : ' ';
        const std::string current = answer == '\0' ? std::string(" ") : std::string(1, answer);
        if (cursor.ReadText("Equili", false, &answer, 1, current) != Cursor::Text::kValue)
            answer = current[0];
        answer = answer == 'Y' || answer == 'y' ? 'Y' : 'N';
        sectionkw::Store(equili, equili_len, std::string(1, answer));
        *secondary_mode = answer == 'Y' ? 2 : 1;
    }
}
