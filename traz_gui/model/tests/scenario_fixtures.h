// Building scenarios for the model's tests: a record with its defaults,
// table rows, substances, oil fractions and locations, and the disposal of
// everything the record owns.
#ifndef TRAZ_MODEL_SCENARIO_FIXTURES_H
#define TRAZ_MODEL_SCENARIO_FIXTURES_H

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ge_list.h"
#include "scenario.h"
#include "xyseries.h"

namespace scenario_fixtures {

// Frees the grid arrays of the record, which its defaults forget without
// freeing.
inline void FreeGridArrays(ScenarioRecord *s)
{
    GE_Free(s->activeGrid);
    GE_Free(s->x);
    GE_Free(s->y);
    GE_Free(s->segmentDepths);
    s->activeGrid = nullptr;
    s->x = s->y = s->segmentDepths = nullptr;
}

// Appends a row at a time (minutes) with one value per series.
inline void AddRow(XYSeries *table, double minutes, const std::vector<float> &values)
{
    const int previous = SelectXYSeries(table, XYS_ALL);
    XYSeriesEdit edit = {table, XYS_INSERT_AT_TIME, 0, minutes, values.data(), nullptr};
    EditXYSeriesRows(edit);
    SelectXYSeries(table, previous);
}

inline void ClearRows(XYSeries *table)
{
    XYSeriesEdit edit = {table, XYS_DELETE_ROW, -1, 0.0, nullptr, nullptr};
    EditXYSeriesRows(edit);
}

// A table of n series without a time column holding one row.
inline XYSeries *RowTable(const std::vector<float> &values)
{
    XYSeries *table = CreateXYSeries(XYS_LINEAR, 0, static_cast<int>(values.size()));
    AddRow(table, 0.0, values);
    return table;
}

inline Substance *AddSubstance(ScenarioRecord *s, const char *name)
{
    Substance *sub = CreateSubstance();
    std::snprintf(sub->name, sizeof sub->name, "%s", name);
    GE_ListInsert(s->substances, GE_ListCount(s->substances), &sub);
    return sub;
}

// An oil-fraction substance with its OilFraction in the oil list.
inline OilFraction *AddOilFraction(ScenarioRecord *s, const char *name)
{
    Substance *sub = AddSubstance(s, name);
    OilFraction *oil = CreateOilFraction();
    std::snprintf(oil->name, sizeof oil->name, "%s", name);
    GE_List *list = s->processParameters->oilFractions;
    GE_ListInsert(list, GE_ListCount(list), &oil);
    sub->isOilFraction = 1;
    sub->oilFraction = oil;
    ++s->oilFractionCount;
    return oil;
}

inline Location *AddLocation(GE_List *list, const char *name, float x, float y)
{
    Location *location = CreateLocation();
    std::snprintf(location->name, sizeof location->name, "%s", name);
    location->x = location->x2 = x;
    location->y = location->y2 = y;
    GE_ListInsert(list, GE_ListCount(list), &location);
    return location;
}

inline void DestroyLocations(GE_List *list)
{
    if (list == nullptr)
        return;
    Location *location = nullptr;
    for (int i = 0; GE_ListGet(list, i, &location); ++i)
        FreeLocation(location);
    GE_ListDestroy(list);
}

inline void DestroyTexts(GE_List *list)
{
    if (list == nullptr)
        return;
    char *text = nullptr;
    for (int i = 0; GE_ListGet(list, i, &text); ++i)
        GE_Free(text);
    GE_ListDestroy(list);
}

// Frees everything the record owns and leaves it zeroed.
inline void DisposeScenario(ScenarioRecord *s)
{
    FreeSubstanceList(s->substances);
    if (ProcessParameters *p = s->processParameters) {
        FreeOilFractions(p);
        GE_ListDestroy(p->oilFractions);
        DestroyXYSeries(p->decayRates);
        DestroyXYSeries(p->intakes);
        for (XYSeries *table : p->settling)
            DestroyXYSeries(table);
        DestroyTexts(p->settlingNames);
        DestroyTexts(p->refinementLabels);
        if (p->physical != nullptr)
            DestroyXYSeries(p->physical->wind);
        GE_Free(p->physical);
        GE_Free(p);
    }
    DestroyLocations(s->instantaneousReleases);
    DestroyLocations(s->continuousReleases);
    DestroyLocations(s->userDefinedReleases);
    DestroyLocations(s->observationPoints);
    if (OutputOptions *out = s->outputOptions) {
        DestroyXYSeries(out->recovery);
        GE_Free(out->zoomGrid);
        GE_Free(out);
    }
    GE_Free(s->initialConditions);
    GE_Free(s->numericalParameters);
    std::memset(s, 0, sizeof *s);
}

struct ScenarioDisposer {
    void operator()(ScenarioRecord *s) const
    {
        DisposeScenario(s);
        delete s;
    }
};
using ScenarioPtr = std::unique_ptr<ScenarioRecord, ScenarioDisposer>;

// A zeroed record with every default (the start-up record is scratch).
inline ScenarioPtr NewScenario()
{
    ScenarioPtr s(new ScenarioRecord());
    static StartupRecord startup;
    SetScenarioDefaults(&startup, s.get());
    return s;
}

} // namespace scenario_fixtures

#endif
