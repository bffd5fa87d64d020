// The check of a whole scenario: a scenario that holds every rule, and for
// each rule one that breaks it and one at its edge that does not.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "fakes.h"
#include "scenario.h"
#include "scenario_check.h"
#include "scenario_fixtures.h"
#include "visarea.h"
#include "xyseries.h"

using namespace scenario_fixtures;

namespace {

// Minutes after T0 (15 March 2019 00:00) of the simulation's ends.
const double kStart = 120.0;  // 02:00
const double kStop = 840.0;   // 14:00

void Time(char *slot, const char *hhmmss) { std::snprintf(slot, SCEN_TIME_LEN, "20190315%s", hhmmss); }

// A table of `columns` value columns with rows at the given minutes.
XYSeries *TimeTable(int columns, std::vector<double> minutes)
{
    XYSeries *table = CreateXYSeries(XYS_LINEAR, 1, columns);
    for (double m : minutes)
        AddRow(table, m, std::vector<float>(static_cast<size_t>(columns), 1.0f));
    return table;
}

void Replace(XYSeries *&table, XYSeries *fresh)
{
    DestroyXYSeries(table);
    table = fresh;
}

// A row's time written over, as a table whose rows were moved in place
// would hold it.
void SetRowTime(XYSeries *table, int row, double minutes)
{
    *static_cast<double *>(GrowArrayAt(table->times, row)) = minutes;
}

Location *At(GE_List *list, int i)
{
    Location *l = nullptr;
    GE_ListGet(list, i, &l);
    return l;
}

Substance *SubstanceAt(ScenarioRecord &s, int i)
{
    Substance *sub = nullptr;
    GE_ListGet(s.substances, i, &sub);
    return sub;
}

// Nodes (m, n), 0-based, at x = 1000 m, y = 1000 n: 5 x 3 nodes, cell
// (M, N) covering x 1000 (M-2) .. 1000 (M-1), y 1000 (N-2) .. 1000 (N-1).
void HandOverGrid()
{
    static std::vector<float> x, y;
    x.clear();
    y.clear();
    for (int n = 0; n < 3; ++n)
        for (int m = 0; m < 5; ++m) {
            x.push_back(1000.0f * m);
            y.push_back(1000.0f * n);
        }
    GE_GridInput grid{};
    grid.mmax = 5;
    grid.nmax = 3;
    grid.x = x.data();
    grid.y = y.data();
    GE_SetGrid(&grid, "");
}

// Two tracers over one layer from 02:00 to 14:00 by 10 minutes (the
// hydrodynamics by 30), output by 30 minutes, a release of each kind and an
// observation point, each in its cell, and every table in step.
ScenarioPtr Consistent()
{
    ScenarioPtr s = NewScenario();
    s->hydLayers = 1;
    std::strcpy(s->hydReferenceTime, "20190315000000");
    std::strcpy(s->hydTimes[HYD_CONVERSION_STEP], "00000000003000");
    for (int g : {TIME_GROUP_SIMULATION, TIME_GROUP_HISTORY, TIME_GROUP_MAP}) {
        Time(s->timeGroups[g][TIME_START], "020000");
        Time(s->timeGroups[g][TIME_STOP], "140000");
        std::strcpy(s->timeGroups[g][TIME_STEP], "00000000003000");
    }
    std::strcpy(s->timeGroups[TIME_GROUP_SIMULATION][TIME_STEP], "00000000001000");
    AddSubstance(s.get(), "dye");
    AddSubstance(s.get(), "salt");
    ProcessParameters *p = s->processParameters;
    Replace(p->physical->wind, TimeTable(2, {kStart, 480.0, kStop}));
    Replace(p->decayRates, TimeTable(2, {kStart, kStop}));
    for (XYSeries *&table : p->settling)
        Replace(table, TimeTable(2, {kStart, kStop}));
    Replace(s->outputOptions->recovery, TimeTable(1, {kStart, 300.0}));

    Location *spill = AddLocation(s->instantaneousReleases, "Spill", 1500.0f, 500.0f);
    spill->words[0] = 3;
    spill->words[1] = 2;
    Time(spill->releaseTime, "030000");
    spill->masses = RowTable({250.0f, 0.0f});
    Location *outfall = AddLocation(s->continuousReleases, "Outfall", 3500.0f, 1500.0f);
    outfall->words[0] = 5;
    outfall->words[1] = 3;
    outfall->masses = RowTable({0.5f, 30.0f});
    outfall->releaseRates = TimeTable(1, {kStart, 400.0, kStop});
    Location *harbour = AddLocation(s->observationPoints, "Harbour", 500.0f, 1500.0f);
    harbour->words[0] = 2;
    harbour->words[1] = 3;
    return s;
}

bool Breaks(const std::vector<ScenarioBreak> &breaks, const std::string &rule)
{
    for (const ScenarioBreak &b : breaks)
        if (b.rule == rule)
            return true;
    return false;
}

class ScenarioCheckTest : public testing::Test {
protected:
    void SetUp() override
    {
        fakes::Reset();
        HandOverGrid();
    }
};

TEST_F(ScenarioCheckTest, AConsistentScenarioHoldsEveryRule)
{
    ScenarioPtr s = Consistent();
    const std::vector<ScenarioBreak> breaks = CheckScenario(*s);
    for (const ScenarioBreak &b : breaks)
        ADD_FAILURE() << b.rule << ": " << b.message;
    EXPECT_EQ(FirstScenarioBreak(*s), nullptr);
}

using Change = std::function<void(ScenarioRecord &)>;

struct RuleCase {
    const char *rule;
    Change breaks;       // makes the scenario break the rule
    Change edge;         // the nearest change that keeps it
    int32_t page;
    int32_t item;
    RuleScope scope;
    const char *message; // the whole message, when given
};

auto SimStop(const char *t) { return [=](ScenarioRecord &s) { Time(s.timeGroups[TIME_GROUP_SIMULATION][TIME_STOP], t); }; }
auto SimStep(const char *d) { return [=](ScenarioRecord &s) { std::strcpy(s.timeGroups[TIME_GROUP_SIMULATION][TIME_STEP], d); }; }
auto Output(int group, int which, const char *t)
{
    return [=](ScenarioRecord &s) {
        if (which == TIME_STEP)
            std::strcpy(s.timeGroups[group][TIME_STEP], t);
        else
            Time(s.timeGroups[group][which], t);
    };
}
Change Both(Change a, Change b)
{
    return [=](ScenarioRecord &s) {
        a(s);
        b(s);
    };
}
auto ReleaseTime(const char *t) { return [=](ScenarioRecord &s) { Time(At(s.instantaneousReleases, 0)->releaseTime, t); }; }
auto Rates(std::vector<double> minutes)
{
    return [=](ScenarioRecord &s) { Replace(At(s.continuousReleases, 0)->releaseRates, TimeTable(1, minutes)); };
}
auto Wind(std::vector<double> minutes)
{
    return [=](ScenarioRecord &s) { Replace(s.processParameters->physical->wind, TimeTable(2, minutes)); };
}
const Change kNothing = [](ScenarioRecord &) {};

// An oil scenario: its substances made oil fractions (sticky) or not, in
// this order, each fraction with its own oil record; decay and settling
// tables with the columns they need.
Change OilScenario(std::vector<std::pair<const char *, bool>> substances)
{
    return [=](ScenarioRecord &s) {
        for (Substance *sub = nullptr; GE_ListCount(s.substances) > 0; FreeSubstance(sub))
            GE_ListRemove(s.substances, 0, &sub);
        s.modelKind = MODEL_OIL;
        int fractions = 0;
        for (const auto &entry : substances) {
            if (entry.second) {
                AddOilFraction(&s, entry.first);
                ++fractions;
            } else {
                AddSubstance(&s, entry.first);
            }
        }
        const int n = static_cast<int>(substances.size());
        Replace(s.processParameters->decayRates, TimeTable(n + 2 * fractions, {kStart, kStop}));
        for (XYSeries *&table : s.processParameters->settling)
            Replace(table, TimeTable(n + fractions, {kStart, kStop}));
        Replace(At(s.instantaneousReleases, 0)->masses, RowTable(std::vector<float>(static_cast<size_t>(n), 1.0f)));
        Replace(At(s.continuousReleases, 0)->masses, RowTable(std::vector<float>(static_cast<size_t>(n), 1.0f)));
    };
}

Change RedTideFiles(const char *nh4, const char *no3)
{
    return [=](ScenarioRecord &s) {
        s.modelKind = MODEL_RED_TIDE;
        std::snprintf(AddSubstance(&s, "NH4_file")->dataFile, SCEN_DATA_FILE_LEN, "%s", nh4);
        std::snprintf(AddSubstance(&s, "NO3_file")->dataFile, SCEN_DATA_FILE_LEN, "%s", no3);
    };
}

Change Substances(int count)
{
    return [=](ScenarioRecord &s) {
        while (GE_ListCount(s.substances) < count)
            AddSubstance(&s, "extra");
    };
}

Change ObservationAt(float x, float y, int m, int n)
{
    return [=](ScenarioRecord &s) {
        Location *l = At(s.observationPoints, 0);
        l->x = x;
        l->y = y;
        l->words[0] = m;
        l->words[1] = n;
    };
}

const RuleCase kCases[] = {
    // The simulation on the Time frame page.
    {"simulation.stop.before-start", SimStop("015000"), SimStop("020000"), 3, -1, RuleScope::Always,
     "Stop time is out of range\nTime must be later than 15 03 2019 02 00 00"},
    {"simulation.period.multiple", SimStop("134000"), SimStop("133000"), 3, -1, RuleScope::Save,
     "Input error:\nSimulation period not a multiple of hydrodynamics time step\n"
     "Simulation period      : 42000 sec.    [   700.0 min.]\n"
     "Time step              : 1800 sec.    [    30.0 min.]"},
    {"simulation.step.multiple", SimStep("00000000000700"), SimStep("00000000000600"), 3, -1, RuleScope::Save,
     "Input error:\nHydrodynamics time step not a multiple of computational time step\n"
     "Hydrodynamics time step      : 00 00 0000 00 30 00\nComputational time step      : 00 00 0000 00 07 00"},
    // The output files against the simulation and each other.
    {"history.start.before-simulation", Output(2, TIME_START, "015000"), Output(2, TIME_START, "020000"), 11, -1,
     RuleScope::Always, nullptr},
    {"history.start.after-simulation", Output(2, TIME_START, "141000"), Output(2, TIME_START, "140000"), 11, -1,
     RuleScope::Always, nullptr},
    {"history.start.multiple", Output(2, TIME_START, "020500"), Output(2, TIME_START, "021000"), 11, -1,
     RuleScope::Save, nullptr},
    {"history.stop.before-start", Both(Output(2, TIME_START, "050000"), Output(2, TIME_STOP, "044000")),
     Both(Output(2, TIME_START, "050000"), Output(2, TIME_STOP, "050000")), 11, -1, RuleScope::Save,
     "Input error:\nStop time history file before start time history file \n"
     "Stop  time      : 15 03 2019 04 40 00\nStart time      : 15 03 2019 05 00 00"},
    {"history.stop.equals-start", Both(Output(2, TIME_START, "050000"), Output(2, TIME_STOP, "050000")),
     Both(Output(2, TIME_START, "050000"), Output(2, TIME_STOP, "051000")), 11, -1, RuleScope::Save, nullptr},
    {"history.stop.after-simulation", Output(2, TIME_STOP, "141000"), Output(2, TIME_STOP, "140000"), 11, -1,
     RuleScope::Always,
     "Input error:\nStop time history file after stop time simulation \n"
     "History file stop time      : 15 03 2019 14 10 00\nSimulation stop time        : 15 03 2019 14 00 00"},
    {"history.stop.multiple", Output(2, TIME_STOP, "135500"), Output(2, TIME_STOP, "135000"), 11, -1,
     RuleScope::Save, nullptr},
    {"history.step.multiple", Output(2, TIME_STEP, "00000000001500"), Output(2, TIME_STEP, "00000000002000"), 11,
     -1, RuleScope::Save, nullptr},
    {"map.stop.after-simulation", Output(3, TIME_STOP, "141000"), Output(3, TIME_STOP, "140000"), 11, -1,
     RuleScope::Always,
     "Input error:\nStop time map file after stop time simulation \n"
     "Map file stop time        : 15 03 2019 14 10 00\nSimulation stop time      : 15 03 2019 14 00 00"},
    {"map.step.multiple", Output(3, TIME_STEP, "00000000000500"), Output(3, TIME_STEP, "00000000001000"), 11, -1,
     RuleScope::Save, nullptr},
    // The instantaneous release's time.
    {"release.time.before-simulation", ReleaseTime("015000"), ReleaseTime("020000"), 7, 0, RuleScope::Always,
     "Input error:\nRelease time before start time simulation \n"
     "Release time               : 15 03 2019 01 50 00\nSimulation start time      : 15 03 2019 02 00 00"},
    {"release.time.after-simulation", ReleaseTime("141000"), ReleaseTime("140000"), 7, 0, RuleScope::Always,
     nullptr},
    {"release.time.multiple", ReleaseTime("030500"), ReleaseTime("031000"), 7, 0, RuleScope::Save, nullptr},
    // Time tables that follow the simulation's ends.
    {"release.rates.first-after-start", Rates({130.0, kStop}), Rates({kStart, kStop}), 8, 0, RuleScope::Save,
     "Error:\nStart time table after start time simulation \n"
     "Start time table          : 20190315021000\nStart time simulation     : 20190315020000"},
    {"release.rates.last-before-stop", Rates({kStart, 830.0}), Rates({kStart, kStop}), 8, 0, RuleScope::Save,
     "Error:\nEnd time table before end time simulation \n"
     "End time table        : 20190315135000\nEnd time simulation   : 20190315140000"},
    {"release.rates.order",
     [](ScenarioRecord &s) { SetRowTime(At(s.continuousReleases, 0)->releaseRates, 1, 900.0); },
     [](ScenarioRecord &s) { SetRowTime(At(s.continuousReleases, 0)->releaseRates, 1, kStop); }, 8, 0,
     RuleScope::Always, nullptr},
    {"wind.first-after-start", Wind({130.0, kStop}), Wind({110.0, kStop}), 6, -1, RuleScope::Save, nullptr},
    {"wind.last-before-stop", Wind({kStart, 830.0}), Wind({kStart, 850.0}), 6, -1, RuleScope::Save, nullptr},
    {"recovery.order", [](ScenarioRecord &s) { SetRowTime(s.outputOptions->recovery, 0, 310.0); },
     [](ScenarioRecord &s) { SetRowTime(s.outputOptions->recovery, 0, 300.0); }, 11, -1, RuleScope::Always,
     nullptr},
    // Per-substance columns.
    {"decay.columns", [](ScenarioRecord &s) { Replace(s.processParameters->decayRates, TimeTable(1, {kStart, kStop})); },
     [](ScenarioRecord &s) { Replace(s.processParameters->decayRates, TimeTable(1, {})); }, 6, -1,
     RuleScope::Always, "Error:\nThe table of decay rates has 1 value columns\nThe substances need 2"},
    {"settling.columns", [](ScenarioRecord &s) { Replace(s.processParameters->settling[5], TimeTable(3, {kStart, kStop})); },
     kNothing, 6, 5, RuleScope::Always, nullptr},
    {"release.masses.columns", [](ScenarioRecord &s) { Replace(At(s.instantaneousReleases, 0)->masses, RowTable({1.0f})); },
     kNothing, 7, 0, RuleScope::Always, nullptr},
    {"release.concentrations.columns",
     [](ScenarioRecord &s) { Replace(At(s.continuousReleases, 0)->masses, RowTable({1.0f, 2.0f, 3.0f})); },
     kNothing, 8, 0, RuleScope::Always, nullptr},
    // Oil fractions: their columns follow their sticky parts.
    {"decay.columns", Both(OilScenario({{"light", true}, {"heavy", true}}),
                           [](ScenarioRecord &s) {
                               Replace(s.processParameters->decayRates, TimeTable(4, {kStart, kStop}));
                           }),
     OilScenario({{"light", true}, {"heavy", true}}), 6, -1, RuleScope::Always,
     "Error:\nThe table of decay rates has 4 value columns\nThe substances need 6"},
    // Locations in their cells.
    {"location.cell", ObservationAt(500.0f, 1500.0f, 0, 0), ObservationAt(500.0f, 1500.0f, 2, 3), 10, 0,
     RuleScope::Always,
     "Observation point Harbour at x 500, y 1500\nlies in grid cell M 2, N 3\nbut is kept in cell M 0, N 0"},
    {"location.cell", ObservationAt(9000.0f, 1500.0f, 2, 3), ObservationAt(9000.0f, 1500.0f, 0, 0), 10, 0,
     RuleScope::Always,
     "Observation point Harbour at x 9000, y 1500\nlies off the grid (not a valid point)\nbut is kept in cell M 2, N 3"},
    {"location.layer", [](ScenarioRecord &s) { At(s.continuousReleases, 0)->layer = 2; },
     [](ScenarioRecord &s) {
         s.hydLayers = 2;
         At(s.continuousReleases, 0)->layer = 2;
     },
     8, 0, RuleScope::Always, "Continuous release Outfall is released in layer 2\nThe hydrodynamics has 1 layer"},
    // Substances.
    {"substances.count", Substances(91), Substances(90), 2, -1, RuleScope::Always,
     "Maximum number of substances is 90 !"},
    {"substances.oil-fraction", OilScenario({{"Ekofisk", false}}), OilScenario({{"Ekofisk", true}}), 2, -1,
     RuleScope::Always, "At least one oil fraction should remain!"},
    {"substances.oil-order", OilScenario({{"salt", false}, {"Ekofisk", true}}),
     OilScenario({{"Ekofisk", true}, {"salt", false}}), 2, 1, RuleScope::Always,
     "Oil fraction Ekofisk is listed after substance salt\nThe oil fractions come before the other substances"},
    {"substances.oil-record",
     Both(OilScenario({{"Ekofisk", true}}),
          [](ScenarioRecord &s) { std::strcpy(SubstanceAt(s, 0)->name, "Brent"); }),
     Both(OilScenario({{"Ekofisk", true}}),
          [](ScenarioRecord &s) {
              std::strcpy(SubstanceAt(s, 0)->name, "Brent");
              std::strcpy(SubstanceAt(s, 0)->oilFraction->name, "Brent");
          }),
     2, 0, RuleScope::Always, "Oil fraction Brent has the oil parameters of Ekofisk"},
    {"substances.nutrient-file", RedTideFiles("nh4data.fil", "nh4data.fil"),
     RedTideFiles("nh4data.fil", "no3data.fil"), 2, -1, RuleScope::Always,
     "NH4_file and NO3_file name the same data file\nnh4data.fil\nEach nutrient has a data file of its own"},
    {"substances.nutrient-file", RedTideFiles("nh4data.fil", "nh4data.fil"),
     RedTideFiles("- none yet -", "- none yet -"), 2, -1, RuleScope::Always, nullptr},
};

void PrintTo(const RuleCase &c, std::ostream *os) { *os << c.rule; }

class RuleTest : public ScenarioCheckTest, public testing::WithParamInterface<RuleCase> {};

TEST_P(RuleTest, BrokenAndAtItsEdge)
{
    const RuleCase &c = GetParam();
    ScenarioPtr broken = Consistent();
    c.breaks(*broken);
    bool found = false;
    for (const ScenarioBreak &b : CheckScenario(*broken)) {
        if (b.rule != c.rule)
            continue;
        found = true;
        EXPECT_EQ(b.page, c.page);
        EXPECT_EQ(b.item, c.item);
        EXPECT_EQ(b.scope == RuleScope::Always, c.scope == RuleScope::Always);
        if (c.message) {
            EXPECT_EQ(b.message, c.message);
        }
        EXPECT_EQ(SaveRefusalText(b), b.message + "\nData not saved");
    }
    EXPECT_TRUE(found) << c.rule << " not reported";

    ScenarioPtr edge = Consistent();
    c.edge(*edge);
    EXPECT_FALSE(Breaks(CheckScenario(*edge), c.rule)) << c.rule << " reported at its edge";
}

std::string CaseName(const testing::TestParamInfo<RuleCase> &info)
{
    std::string name = std::to_string(info.index) + "_" + info.param.rule;
    for (char &ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Rules, RuleTest, testing::ValuesIn(kCases), CaseName);

// Without hydrodynamics the times are not the scenario's yet: no rule of
// times or tables is judged; without a grid every location is off it.
TEST_F(ScenarioCheckTest, WithoutHydrodynamicsOnlySubstancesAndCellsAreJudged)
{
    ScenarioPtr s = Consistent();
    s->hydLayers = 0;
    Time(s->timeGroups[TIME_GROUP_HISTORY][TIME_STOP], "150000");
    Time(At(s->instantaneousReleases, 0)->releaseTime, "010000");
    EXPECT_TRUE(CheckScenario(*s).empty());
    fakes::Reset();  // no grid handed over
    const std::vector<ScenarioBreak> breaks = CheckScenario(*s);
    ASSERT_EQ(breaks.size(), 3u);
    for (const ScenarioBreak &b : breaks)
        EXPECT_EQ(b.rule, "location.cell");
}

// The last substance deleted: every per-substance table keeps one column
// of zeros and its rows, which no substance's count judges; the other rules
// still are.
TEST_F(ScenarioCheckTest, WithoutSubstancesNoColumnsAreJudged)
{
    ScenarioPtr s = Consistent();
    for (Substance *sub = nullptr; GE_ListCount(s->substances) > 0; FreeSubstance(sub))
        GE_ListRemove(s->substances, 0, &sub);
    Replace(s->processParameters->decayRates, TimeTable(1, {kStart, kStop}));
    for (XYSeries *&table : s->processParameters->settling)
        Replace(table, TimeTable(1, {kStart, kStop}));
    Replace(At(s->instantaneousReleases, 0)->masses, RowTable({0.0f}));
    Replace(At(s->continuousReleases, 0)->masses, RowTable({0.0f}));
    for (const ScenarioBreak &b : CheckScenario(*s))
        ADD_FAILURE() << b.rule << ": " << b.message;
    Time(At(s->instantaneousReleases, 0)->releaseTime, "150000");
    EXPECT_TRUE(Breaks(CheckScenario(*s), "release.time.after-simulation"));
}

// A missing hydrodynamics or computational step divides nothing: the
// rules of multiples are not judged.
TEST_F(ScenarioCheckTest, AZeroStepJudgesNoMultiple)
{
    ScenarioPtr s = Consistent();
    s->hydTimes[HYD_CONVERSION_STEP][0] = '\0';
    std::strcpy(s->timeGroups[TIME_GROUP_SIMULATION][TIME_STEP], "00000000000000");
    Time(s->timeGroups[TIME_GROUP_HISTORY][TIME_START], "020700");
    for (const ScenarioBreak &b : CheckScenario(*s))
        ADD_FAILURE() << b.rule;
}

// The breaks come in the order of the pages, the first is the one a save
// tells.
TEST_F(ScenarioCheckTest, FirstBreakIsTheFirstPage)
{
    ScenarioPtr s = Consistent();
    Time(s->timeGroups[TIME_GROUP_HISTORY][TIME_STOP], "141000");
    Replace(s->processParameters->decayRates, TimeTable(3, {kStart, kStop}));
    Time(At(s->instantaneousReleases, 0)->releaseTime, "150000");
    const ScenarioBreak *first = FirstScenarioBreak(*s);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->rule, "decay.columns");
    EXPECT_EQ(first->subPane, CHECK_PANE_DECAY);
    std::vector<int32_t> pages;
    for (const ScenarioBreak &b : CheckScenario(*s))
        pages.push_back(b.page);
    EXPECT_EQ(pages, (std::vector<int32_t>{6, 7, 11}));
}

} // namespace
