// The program's state as the GUI test driver asks for it (the text of
// gui_test_protocol.h): the rules the scenario breaks, the output-time
// validity flags, the scenario's locations, every map window's point
// objects and the rows of the legend window.
#include "state_answer.h"

#include <cstdio>

#include "ge_list.h"
#include "legend_window.h"
#include "map_window.h"
#include "scenario.h"
#include "scenario_check.h"
#include "time_check_boxes.h"
#include "visarea.h"

namespace {

// A text field: line ends, tabs and backslashes escaped.
std::string Field(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

std::string Point(int32_t m, int32_t n, float x, float y, const char *name)
{
    char text[96];
    std::snprintf(text, sizeof text, "%d\t%d\t%.9g\t%.9g\t", m, n, static_cast<double>(x), static_cast<double>(y));
    return text + Field(name);
}

// The editor's kinds: observation points, instantaneous and continuous
// releases.
const int32_t kKinds[] = { GEkind_OBSERVATION, GEkind_INSTANT_RELEASE, GEkind_CONTINUOUS_RELEASE };

GE_List *LocationsOf(int32_t kind)
{
    switch (kind) {
    case GEkind_OBSERVATION: return g_scenario.observationPoints;
    case GEkind_INSTANT_RELEASE: return g_scenario.instantaneousReleases;
    default: return g_scenario.continuousReleases;
    }
}

const GE_PointSet &ObjectsOf(int32_t kind)
{
    if (kind == GEkind_OBSERVATION)
        return global_windata.observations;
    return global_windata.discharges[kind - GEkind_DISCHARGE];
}

} // namespace

std::string DriverStateText()
{
    std::string text;
    for (const ScenarioBreak &b : CheckScenario(g_scenario)) {
        char place[64];
        std::snprintf(place, sizeof place, "\t%s\t%d\t%d\t%d\t", b.scope == RuleScope::Always ? "always" : "save",
                      b.page, b.subPane, b.item);
        text += "break\t" + Field(b.rule) + place + Field(b.message) + "\n";
    }
    const OutputTimeValidity &v = OutputTimeFlags();
    char flags[64];
    std::snprintf(flags, sizeof flags, "validity\t%d\t%d\t%d\t%d\t%d\t%d\n", v.historyStart, v.historyStop,
                  v.historyStep, v.mapStart, v.mapStop, v.mapStep);
    text += flags;
    for (int32_t kind : kKinds) {
        GE_List *list = LocationsOf(kind);
        for (int i = 0; i < GE_ListCount(list); ++i) {
            Location *l = nullptr;
            if (GE_ListGet(list, i, &l) && l)
                text += "location\t" + std::to_string(kind) + "\t" + std::to_string(i) + "\t" +
                        Point(l->words[0], l->words[1], l->x, l->y, l->name) + "\n";
        }
    }
    for (int32_t w = 0; w < global_windata.windowCount; ++w) {
        const GE_WindowData *data = GE_MapWindowData(static_cast<RUV_WIN>(global_windata.windows[w]));
        std::string shown;
        for (int32_t kind : kKinds)
            if (data && data->shown[kind + 1])
                shown += (shown.empty() ? "" : ",") + std::to_string(kind);
        text += "map\t" + std::to_string(w) + "\t" + shown + "\n";
        for (int32_t kind : kKinds) {
            const GE_PointSet &set = ObjectsOf(kind);
            for (int32_t i = 0; i < set.count; ++i) {
                const GE_PointObject &p = set.items[i];
                text += "object\t" + std::to_string(w) + "\t" + std::to_string(kind) + "\t" + std::to_string(i) +
                        "\t" + Point(p.m, p.n, p.x, p.y, p.name) + "\n";
            }
        }
    }
    int32_t kinds[GE_KIND_COUNT];
    const int32_t rows = GE_LegendShownKinds(kinds, GE_KIND_COUNT);
    text += rows < 0 ? "legend\tclosed\n" : "legend\topen\n";
    for (int32_t r = 0; r < rows; ++r)
        text += std::string("legend-row\t") + GE_LegendLabel(kinds[r]) + "\n";
    return text;
}
