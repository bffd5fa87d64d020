// The services the scenario model calls that belong to editor modules not
// yet in the program: each answers as an idle editor would (nothing to
// check, nothing to show), with the module that will fill it named.  The
// units of the model kinds are answered here.
#include <cstring>

#include "editor_services.h"
#include "ge_list.h"
#include "scenario.h"

namespace {

struct ModelUnits {
    const char *concentration;
    const char *mass;
};

// Tracer and oil in kg, temperature in degrees, red tide in nitrogen.
ModelUnits UnitsOfModel(int32_t modelKind)
{
    switch (modelKind) {
    case MODEL_TEMPERATURE:
        return {"degree C", "m3 degree C"};
    case MODEL_RED_TIDE:
        return {"mumolN/l", "1e3 mumolN"};
    default:
        return {"kg/m3", "kg"};
    }
}

}  // namespace

const char *GetConcentrationUnit(void)
{
    static char unit[20];
    std::strcpy(unit, UnitsOfModel(g_scenario.modelKind).concentration);
    return unit;
}

char *GetMassUnit(void)
{
    char *unit = static_cast<char *>(GE_Alloc(20));
    if (unit)
        std::strcpy(unit, UnitsOfModel(g_scenario.modelKind).mass);
    return unit;
}
