// The scenario's substance set without windows (see substance_set.h): the
// changes of the set, the oil records, the units and the column remapping
// of the per-substance tables.
#include "substance_set.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ge_list.h"
#include "scenario.h"
#include "xyseries.h"

namespace {

struct UnitPair {
    const char *concentration;
    const char *mass;
    const char *massText;  // the mass unit as the unit list shows it
};

const UnitPair kUnitPairs[UNIT_PAIR_COUNT] = {
    {"g/m3", "g", "    g"},
    {"mg/l", "g", "     g"},
    {"mg/l", "kg", "     kg"},
    {"ug/l", "g", "      g"},
    {"MPN/100ml", "1e10 MPN", "1e10 MPN"},
    {"MPN/l", "1e10 MPN", "    1e10 MPN"},
    {"MPN/m3", "1e10 MPN", " 1e10 MPN"},
    {"degree C", "m3 degree C", "   m3 deg.C "},
    {"kg/m2", "kg", "    kg"},
    {"kg/m3", "kg", "    kg"},
    {"mumolN/l", "1e3 mumolN", "  1e3 mumolN"},
    {"cells/ml", "1e6 cells", "     1e6 cells"},
    {"[-]", "m3", "       m3"},
};

template <size_t N>
void CopyText(char (&field)[N], const char *text)
{
    std::snprintf(field, N, "%s", text ? text : "");
}

bool OilKind(const ScenarioRecord *s) { return s->modelKind == MODEL_OIL; }

GE_List *OilList(const ScenarioRecord *s)
{
    return s->processParameters ? s->processParameters->oilFractions : nullptr;
}

int CountSticky(const ScenarioRecord *s)
{
    int count = 0;
    for (int i = 0; i < SubstanceCount(s); ++i)
        if (IsStickyFraction(s, SubstanceAt(s, i)))
            ++count;
    return count;
}

// Takes the record out of the oil list (when it is there) and frees it.
void FreeOilRecord(ScenarioRecord *s, OilFraction *oil)
{
    if (!oil)
        return;
    GE_List *list = OilList(s);
    for (int i = 0; i < GE_ListCount(list); ++i) {
        OilFraction *entry = nullptr;
        GE_ListGet(list, i, &entry);
        if (entry == oil) {
            GE_ListRemove(list, i, nullptr);
            break;
        }
    }
    GE_Free(oil);
}

// Frees every substance and every oil record of the scenario.
void FreeWholeSet(ScenarioRecord *s)
{
    Substance *sub = nullptr;
    while (GE_ListCount(s->substances) > 0) {
        GE_ListRemove(s->substances, GE_ListCount(s->substances) - 1, &sub);
        if (sub) {
            // The oil list frees the records below; a record it does not
            // hold is this substance's alone.
            bool listed = false;
            for (int i = 0; sub->oilFraction && i < GE_ListCount(OilList(s)); ++i) {
                OilFraction *entry = nullptr;
                GE_ListGet(OilList(s), i, &entry);
                listed = listed || entry == sub->oilFraction;
            }
            if (!listed)
                GE_Free(sub->oilFraction);
            sub->oilFraction = nullptr;
        }
        FreeSubstance(sub);
    }
    if (s->processParameters)
        FreeOilFractions(s->processParameters);
    s->oilFractionCount = 0;
}

// Column layout of one order: the first decay and settling column of each
// substance.
struct Layout {
    std::vector<int> decayStart, settlingStart;
    int decayColumns = 0, settlingColumns = 0;
};

Layout MakeLayout(const std::vector<bool> &sticky)
{
    Layout layout;
    for (bool fraction : sticky) {
        layout.decayStart.push_back(layout.decayColumns);
        layout.settlingStart.push_back(layout.settlingColumns);
        layout.decayColumns += fraction ? 3 : 1;
        layout.settlingColumns += fraction ? 2 : 1;
    }
    return layout;
}

// A new table of `columns` columns whose column k holds the old column
// map[k] (0 where map[k] is -1 or outside the old table); the rows, kind and
// time mode are kept.  NULL when memory is short.  (The table copy of the
// time tables refuses more than 70 columns; a set of 90 substances needs up
// to 270.)
XYSeries *CopyColumns(XYSeries *table, int columns, const int *map)
{
    if (!table || columns < 1)
        return nullptr;
    const int previous = SelectXYSeries(table, XYS_ALL);
    const int rows = GetXYSeriesInfo(table, XYS_INFO_ROWS);
    const int series = GetXYSeriesInfo(table, XYS_INFO_SERIES);
    XYSeries *copy = CreateXYSeries(table->kind, table->modeFlag, columns);
    if (copy && rows > 0 && series > 0) {
        SelectXYSeries(copy, XYS_ALL);
        std::vector<float> inValues(static_cast<size_t>(series)), inPhases(static_cast<size_t>(series));
        std::vector<float> outValues(static_cast<size_t>(columns)), outPhases(static_cast<size_t>(columns));
        for (int r = 0; r < rows && copy; ++r) {
            double time = 0.0;
            if (EvaluateXYSeries(table, XYS_ROW, r, &time, inValues.data(), inPhases.data()) != XYS_OK) {
                DestroyXYSeries(copy);
                copy = nullptr;
                break;
            }
            for (int k = 0; k < columns; ++k) {
                const int from = map ? map[k] : k;
                const bool known = from >= 0 && from < series;
                outValues[static_cast<size_t>(k)] = known ? inValues[static_cast<size_t>(from)] : 0.0f;
                outPhases[static_cast<size_t>(k)] = known ? inPhases[static_cast<size_t>(from)] : 0.0f;
            }
            // Rows of equal times go in after each other, as they were.
            const XYSeriesEdit insert = {copy, XYS_INSERT_AT_TIME, r, time, outValues.data(), outPhases.data()};
            if (EditXYSeriesRows(insert) != XYS_OK) {
                DestroyXYSeries(copy);
                copy = nullptr;
            }
        }
        if (copy)
            SelectXYSeries(copy, 0);
    }
    SelectXYSeries(table, previous);
    return copy;
}

// Replaces *table by its copy through map; the old table stays when the
// copy cannot be made.  Columns beyond the map's length are new.
void RemapTable(XYSeries **table, int columns, const int *map)
{
    if (!*table)
        return;
    std::vector<int> full(static_cast<size_t>(std::max(columns, 1)), -1);
    for (int k = 0; k < columns; ++k)
        full[static_cast<size_t>(k)] = map ? map[k] : k;
    XYSeries *copy = CopyColumns(*table, std::max(columns, 1), full.data());
    if (!copy)
        return;
    DestroyXYSeries(*table);
    *table = copy;
}

void RemapReleaseMasses(GE_List *releases, int columns, const int *map)
{
    for (int i = 0; i < GE_ListCount(releases); ++i) {
        Location *release = nullptr;
        GE_ListGet(releases, i, &release);
        if (release)
            RemapTable(&release->masses, columns, map);
    }
}

SubstanceResult ApplyChange(ScenarioRecord *s, const SubstanceOrder &before)
{
    s->oilFractionCount = OilKind(s) ? CountSticky(s) : 0;
    RebuildOilNameList(s);
    RemapSubstanceTables(s, BuildColumnMaps(before, s));
    return SUBSTANCE_DONE;
}

Substance *NewSubstance(int kind, const char *name)
{
    Substance *sub = CreateSubstance();
    if (!sub)
        return nullptr;
    CopyText(sub->name, name && *name ? name : "(new)");
    SetSubstanceUnits(sub, kind);
    if (kind == MODEL_RED_TIDE && IsNutrientSubstance(sub->name))
        CopyText(sub->dataFile, "- none yet -");
    return sub;
}

}  // namespace

// ---- the set ----

Substance *SubstanceAt(const ScenarioRecord *scenario, int index)
{
    Substance *sub = nullptr;
    if (scenario && GE_ListGet(scenario->substances, index, &sub))
        return sub;
    return nullptr;
}

int SubstanceCount(const ScenarioRecord *scenario) { return scenario ? GE_ListCount(scenario->substances) : 0; }

bool IsStickyFraction(const ScenarioRecord *scenario, const Substance *substance)
{
    return scenario && substance && OilKind(scenario) && substance->isOilFraction != 0;
}

SubstanceOrder TakeSubstanceOrder(const ScenarioRecord *scenario)
{
    SubstanceOrder order;
    for (int i = 0; i < SubstanceCount(scenario); ++i) {
        const Substance *sub = SubstanceAt(scenario, i);
        order.items.push_back(sub);
        order.sticky.push_back(IsStickyFraction(scenario, sub));
    }
    return order;
}

SubstanceColumnMaps BuildColumnMaps(const SubstanceOrder &before, const ScenarioRecord *scenario)
{
    const SubstanceOrder after = TakeSubstanceOrder(scenario);
    const Layout old = MakeLayout(before.sticky);
    SubstanceColumnMaps maps;
    for (size_t i = 0; i < after.items.size(); ++i) {
        const auto found = std::find(before.items.begin(), before.items.end(), after.items[i]);
        const int from = found == before.items.end() ? -1 : static_cast<int>(found - before.items.begin());
        const bool wasSticky = from >= 0 && before.sticky[static_cast<size_t>(from)];
        const int decay = from >= 0 ? old.decayStart[static_cast<size_t>(from)] : -1;
        const int settling = from >= 0 ? old.settlingStart[static_cast<size_t>(from)] : -1;
        maps.substances.push_back(from);
        maps.decay.push_back(decay);
        maps.settling.push_back(settling);
        if (after.sticky[i]) {
            maps.decay.push_back(wasSticky ? decay + 1 : -1);
            maps.decay.push_back(wasSticky ? decay + 2 : -1);
            maps.settling.push_back(wasSticky ? settling + 1 : -1);
        }
    }
    return maps;
}

void RemapSubstanceTables(ScenarioRecord *scenario, const int *decayMap, const int *settlingMap,
                          const int *substanceMap, int extra)
{
    if (!scenario)
        return;
    const int n = SubstanceCount(scenario) + extra;
    const int fractions = OilKind(scenario) ? scenario->oilFractionCount : 0;
    if (ProcessParameters *p = scenario->processParameters) {
        RemapTable(&p->decayRates, n + 2 * fractions, decayMap);
        for (XYSeries *&table : p->settling)
            RemapTable(&table, n + fractions, settlingMap);
    }
    RemapReleaseMasses(scenario->instantaneousReleases, n, substanceMap);
    RemapReleaseMasses(scenario->continuousReleases, n, substanceMap);

    for (int i = 0; i < GE_ListCount(scenario->userDefinedReleases); ++i) {
        Location *release = nullptr;
        GE_ListGet(scenario->userDefinedReleases, i, &release);
        if (!release)
            continue;
        int position = -1;
        for (int k = 0; k < n && substanceMap; ++k)
            if (substanceMap[k] >= 0 && substanceMap[k] == release->substanceIndex) {
                position = k;
                break;
            }
        release->substanceIndex = position;
        release->userWord3 = position + 1;
    }
    scenario->pageFlags[9] = 0;
}

void RemapSubstanceTables(ScenarioRecord *scenario, const SubstanceColumnMaps &maps)
{
    RemapSubstanceTables(scenario, maps.decay.data(), maps.settling.data(), maps.substances.data(), 0);
}

SubstanceResult AddSubstanceEntry(SubstancePage *page, const char *name)
{
    ScenarioRecord *s = page->scenario;
    const int count = SubstanceCount(s);
    if (count >= SCEN_MAX_SUBSTANCES)
        return SUBSTANCE_LIST_FULL;
    const SubstanceOrder before = TakeSubstanceOrder(s);
    s->modelKind = page->kind;

    int at = page->selected >= 0 && page->selected < count ? page->selected + 1 : count;
    Substance *sub = NewSubstance(page->kind, name);
    if (!sub)
        return SUBSTANCE_NO_MEMORY;
    if (OilKind(s)) {
        // A new fraction goes no later than after the last fraction.
        at = std::min(at, CountSticky(s));
        OilFraction *oil = CreateOilFraction();
        if (!oil || !GE_ListInsert(OilList(s), GE_ListCount(OilList(s)), &oil)) {
            GE_Free(oil);
            FreeSubstance(sub);
            return SUBSTANCE_NO_MEMORY;
        }
        CopyText(oil->name, sub->name);
        sub->oilFraction = oil;
        sub->isOilFraction = 1;
    }
    if (!GE_ListInsert(s->substances, at, &sub)) {
        FreeOilRecord(s, sub->oilFraction);
        FreeSubstance(sub);
        return SUBSTANCE_NO_MEMORY;
    }
    page->selected = at;
    return ApplyChange(s, before);
}

SubstanceResult DeleteSubstanceEntry(SubstancePage *page)
{
    ScenarioRecord *s = page->scenario;
    Substance *sub = SubstanceAt(s, page->selected);
    if (!sub)
        return SUBSTANCE_NOTHING_SELECTED;
    if (IsStickyFraction(s, sub) && CountSticky(s) <= 1)
        return SUBSTANCE_LAST_FRACTION;
    const SubstanceOrder before = TakeSubstanceOrder(s);
    GE_ListRemove(s->substances, page->selected, nullptr);
    page->selected = -1;
    FreeOilRecord(s, sub->oilFraction);
    sub->oilFraction = nullptr;
    FreeSubstance(sub);
    return ApplyChange(s, before);
}

SubstanceResult RenameSubstanceEntry(SubstancePage *page, const char *name)
{
    Substance *sub = SubstanceAt(page->scenario, page->selected);
    if (!sub)
        return SUBSTANCE_NOTHING_SELECTED;
    CopyText(sub->name, name);
    if (sub->oilFraction)
        CopyText(sub->oilFraction->name, sub->name);
    // A substance renamed into a nutrient names no file yet, as a new one
    // of that name does.
    if (page->kind == MODEL_RED_TIDE && IsNutrientSubstance(sub->name) && !sub->dataFile[0])
        CopyText(sub->dataFile, "- none yet -");
    return SUBSTANCE_DONE;
}

SubstanceResult SetSubstanceSticky(SubstancePage *page, bool sticky)
{
    ScenarioRecord *s = page->scenario;
    Substance *sub = SubstanceAt(s, page->selected);
    if (!sub || !OilKind(s))
        return SUBSTANCE_NOTHING_SELECTED;
    if (IsStickyFraction(s, sub) == sticky)
        return SUBSTANCE_UNCHANGED;
    if (sticky && !sub->oilFraction) {
        OilFraction *oil = CreateOilFraction();
        if (!oil || !GE_ListInsert(OilList(s), GE_ListCount(OilList(s)), &oil)) {
            GE_Free(oil);
            return SUBSTANCE_NO_MEMORY;
        }
        CopyText(oil->name, sub->name);
        sub->oilFraction = oil;
    }
    const SubstanceOrder before = TakeSubstanceOrder(s);
    // Out of the list, then in again right behind the fractions that
    // remain: a ticked one at their end, an un-ticked one just after them.
    GE_ListRemove(s->substances, page->selected, nullptr);
    sub->isOilFraction = sticky ? 1 : 0;
    const int at = CountSticky(s);
    GE_ListInsert(s->substances, at, &sub);
    page->selected = at;
    return ApplyChange(s, before);
}

SubstanceResult ChangeModelKind(SubstancePage *page, int kind)
{
    if (kind == page->kind)
        return SUBSTANCE_UNCHANGED;
    if (kind == SUBSTANCE_KIND_TRACER_REQUEST)
        kind = MODEL_TRACER;
    ScenarioRecord *s = page->scenario;
    FreeWholeSet(s);
    page->kind = kind;
    page->selected = -1;
    s->modelKind = kind;

    static const char *const kTracer[] = {"tracer"};
    static const char *const kTemperature[] = {"temperature"};
    static const char *const kRedTide[] = {"RED-Q", "RED-N", "RED-C", "NH4_file", "NO3_file"};
    static const char *const kOil[] = {"Ekofisk"};
    std::vector<const char *> names;
    switch (kind) {
    case MODEL_TEMPERATURE: names.assign(std::begin(kTemperature), std::end(kTemperature)); break;
    case MODEL_RED_TIDE: names.assign(std::begin(kRedTide), std::end(kRedTide)); break;
    case MODEL_OIL: names.assign(std::begin(kOil), std::end(kOil)); break;
    default: names.assign(std::begin(kTracer), std::end(kTracer)); break;
    }
    // Every table column is new: the old substances are gone.
    const SubstanceOrder none;
    for (const char *name : names) {
        page->selected = SubstanceCount(s) - 1;
        if (AddSubstanceEntry(page, name) != SUBSTANCE_DONE)
            break;
    }
    ApplyChange(s, none);
    page->selected = SubstanceCount(s) > 0 ? 0 : -1;
    return SUBSTANCE_DONE;
}

void RebuildOilNameList(ScenarioRecord *scenario)
{
    GE_List *list = OilList(scenario);
    if (!list)
        return;
    std::vector<OilFraction *> owned;
    OilFraction *oil = nullptr;
    while (GE_ListCount(list) > 0) {
        GE_ListRemove(list, 0, &oil);
        owned.push_back(oil);
    }
    std::vector<OilFraction *> order;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < SubstanceCount(scenario); ++i) {
            Substance *sub = SubstanceAt(scenario, i);
            if (sub && sub->oilFraction && IsStickyFraction(scenario, sub) == (pass == 0))
                order.push_back(sub->oilFraction);
        }
    for (OilFraction *entry : order)
        GE_ListInsert(list, GE_ListCount(list), &entry);
    for (OilFraction *entry : owned)
        if (std::find(order.begin(), order.end(), entry) == order.end())
            GE_Free(entry);
}

// ---- what a change would drop ----

bool TableHoldsValues(XYSeries *table, int column)
{
    if (!table)
        return false;
    const int previous = SelectXYSeries(table, XYS_ALL);
    const int rows = GetXYSeriesInfo(table, XYS_INFO_ROWS);
    const int series = GetXYSeriesInfo(table, XYS_INFO_SERIES);
    bool held = false;
    if (series > 0 && column < series) {
        std::vector<float> values(static_cast<size_t>(series));
        for (int r = 0; r < rows && !held; ++r) {
            double time = 0.0;
            if (EvaluateXYSeries(table, XYS_ROW, r, &time, values.data(), nullptr) != XYS_OK)
                continue;
            for (int k = column < 0 ? 0 : column; k < (column < 0 ? series : column + 1); ++k)
                held = held || values[static_cast<size_t>(k)] != 0.0f;
        }
    }
    SelectXYSeries(table, previous);
    return held;
}

bool UntickDropsValues(const ScenarioRecord *scenario, int index)
{
    const Substance *sub = SubstanceAt(scenario, index);
    const ProcessParameters *p = scenario ? scenario->processParameters : nullptr;
    if (!IsStickyFraction(scenario, sub) || !p)
        return false;
    const Layout layout = MakeLayout(TakeSubstanceOrder(scenario).sticky);
    const int decay = layout.decayStart[static_cast<size_t>(index)];
    const int settling = layout.settlingStart[static_cast<size_t>(index)];
    if (TableHoldsValues(p->decayRates, decay + 1) || TableHoldsValues(p->decayRates, decay + 2))
        return true;
    for (XYSeries *table : p->settling)
        if (TableHoldsValues(table, settling + 1))
            return true;
    return false;
}

bool OilFractionTyped(const OilFraction *oil)
{
    if (!oil)
        return false;
    OilFraction *fresh = CreateOilFraction();
    if (!fresh)
        return true;
    const bool typed = oil->evaporation != fresh->evaporation || oil->dispersionOption != fresh->dispersionOption ||
                       oil->dispersionRate != fresh->dispersionRate ||
                       oil->stickyProbability != fresh->stickyProbability ||
                       oil->volatileFraction != fresh->volatileFraction ||
                       oil->emulsificationC1 != fresh->emulsificationC1 ||
                       oil->maxWaterContentC2 != fresh->maxWaterContentC2 ||
                       oil->emulsificationStart != fresh->emulsificationStart || oil->density != fresh->density ||
                       oil->viscosity != fresh->viscosity;
    GE_Free(fresh);
    return typed;
}

// ---- units and texts ----

const char *ConcentrationUnitOfKind(int kind)
{
    switch (kind) {
    case MODEL_TEMPERATURE: return "degree C";
    case MODEL_RED_TIDE: return "mumolN/l";
    default: return "kg/m3";
    }
}

const char *MassUnitOfKind(int kind)
{
    switch (kind) {
    case MODEL_TEMPERATURE: return "m3 degree C";
    case MODEL_RED_TIDE: return "1e3 mumolN";
    default: return "kg";
    }
}

void SetSubstanceUnits(Substance *substance, int kind)
{
    if (!substance)
        return;
    CopyText(substance->concentrationUnit, ConcentrationUnitOfKind(kind));
    CopyText(substance->massUnit, MassUnitOfKind(kind));
}

bool IsNutrientSubstance(const char *name)
{
    return name && (std::strcmp(name, "NH4_file") == 0 || std::strcmp(name, "NO3_file") == 0);
}

void RefreshSubstanceTables(StartupRecord *startup, const ScenarioRecord *scenario)
{
    for (int i = 0; i < SCEN_MAX_SUBSTANCES; ++i) {
        const Substance *sub = SubstanceAt(scenario, i);
        CopyText(startup->substanceNames[i], sub ? sub->name : "");
        CopyText(startup->concentrationUnits[i], sub ? sub->concentrationUnit : "");
        CopyText(startup->massUnits[i], sub ? sub->massUnit : "");
        startup->oilFlags[i] = static_cast<int16_t>(IsStickyFraction(scenario, sub) ? 1 : 0);
    }
}

int GetUnitIndex(const char *concentrationUnit, const char *massUnit)
{
    for (int i = 0; i < UNIT_PAIR_COUNT; ++i)
        if (concentrationUnit && massUnit && std::strcmp(kUnitPairs[i].concentration, concentrationUnit) == 0 &&
            std::strcmp(kUnitPairs[i].mass, massUnit) == 0)
            return i;
    return 0;
}

std::string UnitPairText(int index)
{
    if (index < 0 || index >= UNIT_PAIR_COUNT)
        return "";
    char text[64];
    std::snprintf(text, sizeof text, "%-20s %-20s", kUnitPairs[index].concentration, kUnitPairs[index].massText);
    return text;
}

std::string SubstanceListText(const Substance *substance, int mode, const char *concentrationUnit)
{
    if (!substance)
        return "";
    // The label is the substance's 40-character text (not terminated when
    // full); the value follows it.
    char label[41] = {};
    static_assert(sizeof substance->words == 40, "the label is 40 characters");
    std::memcpy(label, substance->words, 40);
    float value = 0.0f;
    std::memcpy(&value, substance->words2, sizeof value);
    char text[160];
    if (mode == 1)
        std::snprintf(text, sizeof text, "%-40.40s %g %s", label, static_cast<double>(value),
                      concentrationUnit ? concentrationUnit : "");
    else
        std::snprintf(text, sizeof text, "%-40.40s (%s)", label, substance->name);
    return text;
}

