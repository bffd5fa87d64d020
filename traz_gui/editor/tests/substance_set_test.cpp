// The substance set without windows: every change of the set keeps each
// column of the decay, settling and release tables with its substance in
// the layout the input file is written in, the oil records are owned once,
// and the units, unit pairs and list texts.
#include "substance_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "scenario.h"
#include "scenario_fixtures.h"
#include "xyseries.h"

using namespace scenario_fixtures;

namespace {

// A substance of a fixture: its name, sticky mark and tag.  Every table
// column of the substance holds its tag (the substance's own column), tag
// + 1 (dispersed) or tag + 2 (sticky), so that a column that lands on
// another substance shows.
struct Item {
    const char *name;
    bool sticky;
};

float TagOf(const Substance *sub)
{
    // The tag is kept in the substance's first word by the fixture; a new
    // substance has 0.
    return static_cast<float>(sub->firstWord);
}

std::vector<float> Row(XYSeries *table, int row)
{
    const int previous = SelectXYSeries(table, XYS_ALL);
    std::vector<float> values(static_cast<size_t>(GetXYSeriesInfo(table, XYS_INFO_SERIES)));
    double time = 0.0;
    EXPECT_EQ(EvaluateXYSeries(table, XYS_ROW, row, &time, values.data(), nullptr), XYS_OK);
    SelectXYSeries(table, previous);
    return values;
}

struct SetFixture {
    ScenarioPtr s = NewScenario();
    SubstancePage page{};
    // Substances whose dispersed and sticky columns are new (ticked here).
    std::vector<const Substance *> freshExtras;

    SetFixture(int kind, const std::vector<Item> &items)
    {
        s->modelKind = kind;
        page = {kind, -1, s.get()};
        int tag = 100;
        for (const Item &item : items) {
            Substance *sub = nullptr;
            if (item.sticky) {
                AddOilFraction(s.get(), item.name);
                sub = SubstanceAt(s.get(), SubstanceCount(s.get()) - 1);
            } else {
                sub = AddSubstance(s.get(), item.name);
            }
            sub->firstWord = tag;
            tag += 100;
        }
        if (items.empty())
            return;
        // The tables in the file's layout, two rows each.
        const std::vector<float> decay = WriterDecayRow();
        const std::vector<float> settling = WriterSettlingRow();
        std::vector<float> masses;
        for (int i = 0; i < SubstanceCount(s.get()); ++i)
            masses.push_back(TagOf(SubstanceAt(s.get(), i)));
        ProcessParameters *p = s->processParameters;
        ReplaceWith(&p->decayRates, CreateXYSeries(XYS_LINEAR, 1, static_cast<int>(decay.size())), decay);
        for (XYSeries *&table : p->settling)
            ReplaceWith(&table, CreateXYSeries(XYS_LINEAR, 1, static_cast<int>(settling.size())), settling);
        Location *dye = AddLocation(s->instantaneousReleases, "dye", 0, 0);
        dye->masses = RowTable(masses);
        Location *cont = AddLocation(s->continuousReleases, "cont", 0, 0);
        cont->masses = RowTable(masses);
        cont->releaseRates = CreateXYSeries(XYS_LINEAR, 1, 1);
        AddRow(cont->releaseRates, 0.0, {5.0f});
        AddRow(cont->releaseRates, 60.0, {7.0f});
    }

    void ReplaceWith(XYSeries **table, XYSeries *fresh, const std::vector<float> &row)
    {
        DestroyXYSeries(*table);
        *table = fresh;
        AddRow(fresh, 0.0, row);
        AddRow(fresh, 60.0, row);
    }

    bool Sticky(int i) const { return IsStickyFraction(s.get(), SubstanceAt(s.get(), i)); }

    // The columns as the input file writes them: decay in list order with
    // an oil fraction's dispersed and sticky columns after it; settling with
    // fraction k at 2k and 2k + 1 and the other substances after all
    // fractions.
    std::vector<float> WriterDecayRow() const
    {
        std::vector<float> row;
        for (int i = 0; i < SubstanceCount(s.get()); ++i) {
            const float tag = TagOf(SubstanceAt(s.get(), i));
            row.push_back(tag);
            if (Sticky(i)) {
                row.push_back(ExtraTag(i, 1));
                row.push_back(ExtraTag(i, 2));
            }
        }
        return row;
    }

    float ExtraTag(int i, int part) const
    {
        const Substance *sub = SubstanceAt(s.get(), i);
        const bool fresh = std::find(freshExtras.begin(), freshExtras.end(), sub) != freshExtras.end();
        return TagOf(sub) == 0 || fresh ? 0.0f : TagOf(sub) + static_cast<float>(part);
    }

    std::vector<float> WriterSettlingRow() const
    {
        int fractions = 0;
        for (int i = 0; i < SubstanceCount(s.get()); ++i)
            fractions += Sticky(i) ? 1 : 0;
        std::vector<float> row(static_cast<size_t>(SubstanceCount(s.get()) + fractions), -1.0f);
        int oilSeen = 0, otherSeen = 0;
        for (int i = 0; i < SubstanceCount(s.get()); ++i) {
            const float tag = TagOf(SubstanceAt(s.get(), i));
            if (Sticky(i)) {
                row[static_cast<size_t>(2 * oilSeen)] = tag;
                row[static_cast<size_t>(2 * oilSeen + 1)] = ExtraTag(i, 1);
                ++oilSeen;
            } else {
                row[static_cast<size_t>(2 * fractions + otherSeen++)] = tag;
            }
        }
        return row;
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < SubstanceCount(s.get()); ++i)
            names.push_back(SubstanceAt(s.get(), i)->name);
        return names;
    }

    // Every table holds, at the writer's position of each substance, that
    // substance's values; the fractions come first; the oil list's first
    // entries are the fractions' records in order; the rates are untouched.
    void ExpectTablesFollow(const std::vector<std::string> &names) const
    {
        EXPECT_EQ(Names(), names);
        ProcessParameters *p = s->processParameters;
        for (int r = 0; r < 2; ++r) {
            EXPECT_EQ(Row(p->decayRates, r), WriterDecayRow()) << "decay row " << r;
            for (XYSeries *table : p->settling)
                EXPECT_EQ(Row(table, r), WriterSettlingRow()) << "settling row " << r;
        }
        EXPECT_EQ(GetXYSeriesInfo(p->decayRates, XYS_INFO_MODE), 1);
        std::vector<float> masses;
        for (int i = 0; i < SubstanceCount(s.get()); ++i)
            masses.push_back(TagOf(SubstanceAt(s.get(), i)));
        Location *dye = nullptr, *cont = nullptr;
        GE_ListGet(s->instantaneousReleases, 0, &dye);
        GE_ListGet(s->continuousReleases, 0, &cont);
        if (dye && cont) {
            if (!masses.empty()) {
                EXPECT_EQ(Row(dye->masses, 0), masses);
                EXPECT_EQ(Row(cont->masses, 0), masses);
            }
            EXPECT_EQ(Row(cont->releaseRates, 0), std::vector<float>{5.0f});
            EXPECT_EQ(Row(cont->releaseRates, 1), std::vector<float>{7.0f});
        }

        int fractions = 0;
        bool otherSeen = false;
        for (int i = 0; i < SubstanceCount(s.get()); ++i) {
            if (Sticky(i)) {
                EXPECT_FALSE(otherSeen) << "fraction " << names[static_cast<size_t>(i)] << " behind a substance";
                OilFraction *listed = nullptr;
                ASSERT_TRUE(GE_ListGet(p->oilFractions, fractions, &listed));
                EXPECT_EQ(listed, SubstanceAt(s.get(), i)->oilFraction);
                EXPECT_STREQ(listed->name, SubstanceAt(s.get(), i)->name);
                ++fractions;
            } else {
                otherSeen = true;
            }
        }
        if (s->modelKind == MODEL_OIL) {
            EXPECT_EQ(s->oilFractionCount, fractions);
        }
    }
};

const std::vector<Item> kOil = {{"heavy", true}, {"light", true}, {"tracer", false}};
const std::vector<Item> kTracer = {{"salt", false}, {"dye", false}, {"heat", false}};

// ---- column maps and remapping, tracer and oil ----

struct ChangeCase {
    const char *what;
    int kind;
    std::vector<Item> start;
    int selected;
    enum { ADD, DELETE, TICK, UNTICK } change;
    std::vector<std::string> names;  // the order afterwards
    int selectedAfter;
};

void PrintTo(const ChangeCase &c, std::ostream *os) { *os << c.what; }

class SubstanceChange : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(SubstanceChange, EveryColumnStaysWithItsSubstance)
{
    const ChangeCase &c = GetParam();
    SetFixture f(c.kind, c.start);
    f.page.selected = c.selected;
    SubstanceResult result = SUBSTANCE_DONE;
    switch (c.change) {
    case ChangeCase::ADD: result = AddSubstanceEntry(&f.page, "new"); break;
    case ChangeCase::DELETE: result = DeleteSubstanceEntry(&f.page); break;
    case ChangeCase::TICK:
        f.freshExtras.push_back(SubstanceAt(f.s.get(), c.selected));
        result = SetSubstanceSticky(&f.page, true);
        break;
    case ChangeCase::UNTICK: result = SetSubstanceSticky(&f.page, false); break;
    }
    EXPECT_EQ(result, SUBSTANCE_DONE);
    EXPECT_EQ(f.page.selected, c.selectedAfter);
    f.ExpectTablesFollow(c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SubstanceChange,
    ::testing::Values(
        ChangeCase{"tracer add after first", MODEL_TRACER, kTracer, 0, ChangeCase::ADD, {"salt", "new", "dye", "heat"}, 1},
        ChangeCase{"tracer add after middle", MODEL_TRACER, kTracer, 1, ChangeCase::ADD, {"salt", "dye", "new", "heat"}, 2},
        ChangeCase{"tracer add at end", MODEL_TRACER, kTracer, -1, ChangeCase::ADD, {"salt", "dye", "heat", "new"}, 3},
        ChangeCase{"tracer delete first", MODEL_TRACER, kTracer, 0, ChangeCase::DELETE, {"dye", "heat"}, -1},
        ChangeCase{"tracer delete middle", MODEL_TRACER, kTracer, 1, ChangeCase::DELETE, {"salt", "heat"}, -1},
        ChangeCase{"tracer delete last", MODEL_TRACER, kTracer, 2, ChangeCase::DELETE, {"salt", "dye"}, -1},
        ChangeCase{"oil add after first fraction", MODEL_OIL, kOil, 0, ChangeCase::ADD, {"heavy", "new", "light", "tracer"}, 1},
        ChangeCase{"oil add after last fraction", MODEL_OIL, kOil, 1, ChangeCase::ADD, {"heavy", "light", "new", "tracer"}, 2},
        ChangeCase{"oil add after a substance", MODEL_OIL, kOil, 2, ChangeCase::ADD, {"heavy", "light", "new", "tracer"}, 2},
        ChangeCase{"oil add with none selected", MODEL_OIL, kOil, -1, ChangeCase::ADD, {"heavy", "light", "new", "tracer"}, 2},
        ChangeCase{"oil delete first fraction", MODEL_OIL, kOil, 0, ChangeCase::DELETE, {"light", "tracer"}, -1},
        ChangeCase{"oil delete the substance", MODEL_OIL, kOil, 2, ChangeCase::DELETE, {"heavy", "light"}, -1},
        ChangeCase{"oil untick first fraction", MODEL_OIL, kOil, 0, ChangeCase::UNTICK, {"light", "heavy", "tracer"}, 1},
        ChangeCase{"oil untick last fraction", MODEL_OIL, kOil, 1, ChangeCase::UNTICK, {"heavy", "light", "tracer"}, 1},
        ChangeCase{"oil tick the substance", MODEL_OIL, kOil, 2, ChangeCase::TICK, {"heavy", "light", "tracer"}, 2},
        ChangeCase{"oil tick behind two substances", MODEL_OIL,
                   {{"heavy", true}, {"tracer", false}, {"salt", false}}, 2, ChangeCase::TICK,
                   {"heavy", "salt", "tracer"}, 1}),
    [](const ::testing::TestParamInfo<ChangeCase> &info) {
        std::string name = info.param.what;
        for (char &ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(SubstanceSet, ColumnMapsOfAnOilChange)
{
    // heavy (3 decay, 2 settling columns), light (3, 2), tracer (1, 1);
    // "light" un-ticked moves behind the fractions and keeps only its own
    // columns.
    SetFixture f(MODEL_OIL, kOil);
    const SubstanceOrder before = TakeSubstanceOrder(f.s.get());
    f.page.selected = 1;
    Substance *light = SubstanceAt(f.s.get(), 1);
    GE_ListRemove(f.s->substances, 1, nullptr);
    light->isOilFraction = 0;
    GE_ListInsert(f.s->substances, 1, &light);
    f.s->oilFractionCount = 1;
    const SubstanceColumnMaps maps = BuildColumnMaps(before, f.s.get());
    EXPECT_EQ(maps.decay, (std::vector<int>{0, 1, 2, 3, 6}));
    EXPECT_EQ(maps.settling, (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(maps.substances, (std::vector<int>{0, 1, 2}));

    // Ticked again: its extra columns come back empty.
    const SubstanceOrder unticked = TakeSubstanceOrder(f.s.get());
    light->isOilFraction = 1;
    const SubstanceColumnMaps back = BuildColumnMaps(unticked, f.s.get());
    EXPECT_EQ(back.decay, (std::vector<int>{0, 1, 2, 3, -1, -1, 4}));
    EXPECT_EQ(back.settling, (std::vector<int>{0, 1, 2, -1, 3}));
}

TEST(SubstanceSet, AddAfterAnUntickedFractionKeepsTheFractionsFirst)
{
    // The scenario of the oil golden: select "tracer", add, un-tick
    // "light": every value is still with its substance.
    SetFixture f(MODEL_OIL, kOil);
    f.page.selected = 2;
    ASSERT_EQ(AddSubstanceEntry(&f.page, ""), SUBSTANCE_DONE);
    f.ExpectTablesFollow({"heavy", "light", "(new)", "tracer"});
    f.page.selected = 1;
    ASSERT_EQ(SetSubstanceSticky(&f.page, false), SUBSTANCE_DONE);
    f.ExpectTablesFollow({"heavy", "(new)", "light", "tracer"});
    EXPECT_EQ(f.s->oilFractionCount, 2);
}

TEST(SubstanceSet, UntickedFractionKeepsItsParametersAndIsFreedOnce)
{
    SetFixture f(MODEL_OIL, kOil);
    f.page.selected = 1;
    OilFraction *light = SubstanceAt(f.s.get(), 1)->oilFraction;
    light->evaporation = 0.25f;
    ASSERT_EQ(SetSubstanceSticky(&f.page, false), SUBSTANCE_DONE);
    // Still owned by the oil list, after the fractions.
    ASSERT_EQ(GE_ListCount(f.s->processParameters->oilFractions), 2);
    OilFraction *second = nullptr;
    GE_ListGet(f.s->processParameters->oilFractions, 1, &second);
    EXPECT_EQ(second, light);
    ASSERT_EQ(SetSubstanceSticky(&f.page, true), SUBSTANCE_DONE);
    EXPECT_EQ(SubstanceAt(f.s.get(), f.page.selected)->oilFraction, light);
    EXPECT_FLOAT_EQ(light->evaporation, 0.25f);

    // Deleting an un-ticked one frees its record (the sanitizer reports a
    // leak or a second free).
    ASSERT_EQ(SetSubstanceSticky(&f.page, false), SUBSTANCE_DONE);
    ASSERT_EQ(DeleteSubstanceEntry(&f.page), SUBSTANCE_DONE);
    EXPECT_EQ(GE_ListCount(f.s->processParameters->oilFractions), 1);
    // A kind change frees every substance and record; the reset afterwards
    // frees the new ones.
    ASSERT_EQ(ChangeModelKind(&f.page, MODEL_RED_TIDE), SUBSTANCE_DONE);
    EXPECT_EQ(GE_ListCount(f.s->processParameters->oilFractions), 0);
    ASSERT_EQ(ChangeModelKind(&f.page, MODEL_OIL), SUBSTANCE_DONE);
    EXPECT_EQ(GE_ListCount(f.s->processParameters->oilFractions), 1);
}

TEST(SubstanceSet, LimitsAreRefusedAndLeaveTheSet)
{
    SetFixture oil(MODEL_OIL, {{"heavy", true}, {"tracer", false}});
    oil.page.selected = 0;
    EXPECT_EQ(DeleteSubstanceEntry(&oil.page), SUBSTANCE_LAST_FRACTION);
    EXPECT_EQ(oil.Names(), (std::vector<std::string>{"heavy", "tracer"}));
    EXPECT_EQ(oil.page.selected, 0);

    oil.page.selected = -1;
    EXPECT_EQ(DeleteSubstanceEntry(&oil.page), SUBSTANCE_NOTHING_SELECTED);
    EXPECT_EQ(RenameSubstanceEntry(&oil.page, "x"), SUBSTANCE_NOTHING_SELECTED);
    EXPECT_EQ(SetSubstanceSticky(&oil.page, true), SUBSTANCE_NOTHING_SELECTED);
    oil.ExpectTablesFollow({"heavy", "tracer"});

    // 90 substances: the 91st is refused; the tables of 90 keep every column.
    SetFixture many(MODEL_TRACER, {});
    for (int i = 0; i < SCEN_MAX_SUBSTANCES; ++i) {
        many.page.selected = -1;
        ASSERT_EQ(AddSubstanceEntry(&many.page, "s"), SUBSTANCE_DONE) << i;
        SubstanceAt(many.s.get(), many.page.selected)->firstWord = 1000 + i;
    }
    // Give every column its substance's value, then add at the front.
    std::vector<float> row = many.WriterDecayRow();
    many.ReplaceWith(&many.s->processParameters->decayRates, CreateXYSeries(XYS_LINEAR, 1, 90), row);
    EXPECT_EQ(AddSubstanceEntry(&many.page, "s"), SUBSTANCE_LIST_FULL);
    EXPECT_EQ(SubstanceCount(many.s.get()), SCEN_MAX_SUBSTANCES);
    many.page.selected = 0;
    ASSERT_EQ(DeleteSubstanceEntry(&many.page), SUBSTANCE_DONE);
    EXPECT_EQ(Row(many.s->processParameters->decayRates, 1), many.WriterDecayRow());
    many.page.selected = 0;
    ASSERT_EQ(AddSubstanceEntry(&many.page, "s"), SUBSTANCE_DONE);
    EXPECT_EQ(Row(many.s->processParameters->decayRates, 1), many.WriterDecayRow());
}

TEST(SubstanceSet, UserDefinedReleaseFollowsItsSubstance)
{
    SetFixture f(MODEL_TRACER, kTracer);
    Location *user = AddLocation(f.s->userDefinedReleases, "UD-1", 0, 0);
    user->substanceIndex = 1;  // "dye"
    user->userWord3 = 2;
    user->userWord4 = 4;       // the map file's substance stays
    f.s->pageFlags[9] = 1;
    const struct {
        const char *what;
        bool add;
        int selected;
        int index;
    } steps[] = {
        {"added at the end", true, -1, 1},
        {"added in front", true, 0, 2},
        {"first deleted", false, 0, 1},
        {"its own deleted", false, 1, -1},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        f.page.selected = step.selected;
        ASSERT_EQ(step.add ? AddSubstanceEntry(&f.page, "new") : DeleteSubstanceEntry(&f.page), SUBSTANCE_DONE);
        EXPECT_EQ(user->substanceIndex, step.index);
        EXPECT_EQ(user->userWord3, step.index + 1);
        EXPECT_EQ(user->userWord4, 4);
        EXPECT_EQ(f.s->pageFlags[9], 0);
        f.s->pageFlags[9] = 1;
    }
}

TEST(SubstanceSet, NoTableIsLostWhenTheLastSubstanceGoes)
{
    SetFixture f(MODEL_TRACER, {{"salt", false}});
    f.page.selected = 0;
    ASSERT_EQ(DeleteSubstanceEntry(&f.page), SUBSTANCE_DONE);
    ProcessParameters *p = f.s->processParameters;
    ASSERT_NE(p->decayRates, nullptr);
    EXPECT_EQ(GetXYSeriesInfo(p->decayRates, XYS_INFO_ROWS), 2);
    for (XYSeries *table : p->settling)
        ASSERT_NE(table, nullptr);
    Location *dye = nullptr;
    GE_ListGet(f.s->instantaneousReleases, 0, &dye);
    ASSERT_NE(dye->masses, nullptr);
    EXPECT_EQ(Row(dye->masses, 0), std::vector<float>{0.0f});
}

// ---- model kinds ----

TEST(SubstanceSet, ModelKindReplacesTheSetWithItsDefaults)
{
    struct Case {
        int kind;
        std::vector<std::string> names;
        const char *concentration;
        const char *mass;
        int fractions;
    };
    const Case cases[] = {
        {SUBSTANCE_KIND_TRACER_REQUEST, {"tracer"}, "kg/m3", "kg", 0},
        {MODEL_TEMPERATURE, {"temperature"}, "degree C", "m3 degree C", 0},
        {MODEL_RED_TIDE, {"RED-Q", "RED-N", "RED-C", "NH4_file", "NO3_file"}, "mumolN/l", "1e3 mumolN", 0},
        {MODEL_OIL, {"Ekofisk"}, "kg/m3", "kg", 1},
    };
    for (const Case &c : cases) {
        SetFixture f(MODEL_OIL, kOil);
        f.page.kind = MODEL_OIL + 10;  // whatever the page shows, the kind is new
        ASSERT_EQ(ChangeModelKind(&f.page, c.kind), SUBSTANCE_DONE) << c.kind;
        EXPECT_EQ(f.page.selected, 0);
        EXPECT_EQ(f.Names(), c.names);
        EXPECT_EQ(f.s->oilFractionCount, c.fractions);
        EXPECT_STREQ(SubstanceAt(f.s.get(), 0)->concentrationUnit, c.concentration);
        EXPECT_STREQ(SubstanceAt(f.s.get(), 0)->massUnit, c.mass);
        for (int i = 0; i < SubstanceCount(f.s.get()); ++i) {
            const Substance *sub = SubstanceAt(f.s.get(), i);
            EXPECT_STREQ(sub->dataFile, i >= 3 && c.kind == MODEL_RED_TIDE ? "- none yet -" : "") << sub->name;
        }
        // Every column is new: zeros, sized for the new set.
        f.ExpectTablesFollow(c.names);
    }
    SetFixture same(MODEL_TRACER, kTracer);
    same.page.selected = 1;
    EXPECT_EQ(ChangeModelKind(&same.page, MODEL_TRACER), SUBSTANCE_UNCHANGED);
    EXPECT_EQ(same.Names(), (std::vector<std::string>{"salt", "dye", "heat"}));
    EXPECT_EQ(same.page.selected, 1);
}

TEST(SubstanceSet, NamesAreCutToTheirFields)
{
    SetFixture f(MODEL_OIL, kOil);
    f.page.selected = 0;
    ASSERT_EQ(AddSubstanceEntry(&f.page, "a name much longer than twenty"), SUBSTANCE_DONE);
    EXPECT_STREQ(SubstanceAt(f.s.get(), 1)->name, "a name much longer ");
    EXPECT_STREQ(SubstanceAt(f.s.get(), 1)->oilFraction->name, "a name much longer ");
    ASSERT_EQ(RenameSubstanceEntry(&f.page, "crude"), SUBSTANCE_DONE);
    EXPECT_STREQ(SubstanceAt(f.s.get(), 1)->name, "crude");
    EXPECT_STREQ(SubstanceAt(f.s.get(), 1)->oilFraction->name, "crude");
}

// What un-ticking a fraction or switching the kind would drop: values
// other than 0 in the fraction's dispersed and sticky columns (decay, then
// settling alone), and typed oil parameters.
TEST(SubstanceSet, WhatAChangeWouldDrop)
{
    SetFixture f(MODEL_OIL, kOil);
    ProcessParameters *p = f.s->processParameters;
    EXPECT_TRUE(UntickDropsValues(f.s.get(), 0));
    EXPECT_TRUE(UntickDropsValues(f.s.get(), 1));
    EXPECT_FALSE(UntickDropsValues(f.s.get(), 2)) << "not a fraction";
    // light's extra columns emptied: only heavy's would go.
    f.freshExtras.push_back(SubstanceAt(f.s.get(), 1));
    f.ReplaceWith(&p->decayRates, CreateXYSeries(XYS_LINEAR, 1, 7), f.WriterDecayRow());
    for (XYSeries *&table : p->settling)
        f.ReplaceWith(&table, CreateXYSeries(XYS_LINEAR, 1, 5), f.WriterSettlingRow());
    EXPECT_TRUE(UntickDropsValues(f.s.get(), 0));
    EXPECT_FALSE(UntickDropsValues(f.s.get(), 1));
    EXPECT_TRUE(TableHoldsValues(p->decayRates, 3)) << "light's own column";
    EXPECT_FALSE(TableHoldsValues(p->decayRates, 4));
    EXPECT_FALSE(TableHoldsValues(p->decayRates, 9)) << "no such column";
    // A value in one settling table's sticky column of light.
    std::vector<float> settling = f.WriterSettlingRow();
    settling[3] = 0.5f;
    f.ReplaceWith(&p->settling[4], CreateXYSeries(XYS_LINEAR, 1, 5), settling);
    EXPECT_TRUE(UntickDropsValues(f.s.get(), 1));

    XYSeries *zeros = CreateXYSeries(XYS_LINEAR, 1, 2);
    AddRow(zeros, 0.0, {0.0f, 0.0f});
    EXPECT_FALSE(TableHoldsValues(zeros));
    EXPECT_FALSE(TableHoldsValues(nullptr));
    DestroyXYSeries(zeros);

    OilFraction *oil = SubstanceAt(f.s.get(), 0)->oilFraction;
    EXPECT_FALSE(OilFractionTyped(oil));
    oil->density = 900.0f;
    EXPECT_TRUE(OilFractionTyped(oil));
    EXPECT_FALSE(OilFractionTyped(nullptr));
}

// A red-tide substance renamed into a nutrient names no file yet; one
// that names a file keeps it through a rename away and back.
TEST(SubstanceSet, ARenamedNutrientKeepsOrGetsItsFile)
{
    SetFixture f(MODEL_TRACER, kTracer);
    ASSERT_EQ(ChangeModelKind(&f.page, MODEL_RED_TIDE), SUBSTANCE_DONE);
    std::snprintf(SubstanceAt(f.s.get(), 3)->dataFile, SCEN_DATA_FILE_LEN, "%s", "nh4.fil");
    f.page.selected = 3;
    for (const char *name : {"NH4x", "NH4_file"}) {
        ASSERT_EQ(RenameSubstanceEntry(&f.page, name), SUBSTANCE_DONE);
        EXPECT_STREQ(SubstanceAt(f.s.get(), 3)->dataFile, "nh4.fil") << name;
    }
    f.page.selected = 2;
    ASSERT_EQ(RenameSubstanceEntry(&f.page, "NO3_file"), SUBSTANCE_DONE);
    EXPECT_STREQ(SubstanceAt(f.s.get(), 2)->dataFile, "- none yet -");
    // Not in a tracer scenario.
    SetFixture tracer(MODEL_TRACER, kTracer);
    tracer.page.selected = 0;
    ASSERT_EQ(RenameSubstanceEntry(&tracer.page, "NO3_file"), SUBSTANCE_DONE);
    EXPECT_STREQ(SubstanceAt(tracer.s.get(), 0)->dataFile, "");
}

// ---- units and texts ----

TEST(SubstanceSet, UnitPairs)
{
    struct Pair {
        const char *concentration;
        const char *mass;
        const char *massText;  // as the unit list shows it
    };
    const Pair pairs[UNIT_PAIR_COUNT] = {
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
    const auto padded = [](const std::string &text) { return text + std::string(20 - text.size(), ' '); };
    for (int i = 0; i < UNIT_PAIR_COUNT; ++i) {
        EXPECT_EQ(GetUnitIndex(pairs[i].concentration, pairs[i].mass), i);
        EXPECT_EQ(UnitPairText(i), padded(pairs[i].concentration) + " " + padded(pairs[i].massText)) << i;
    }
    EXPECT_EQ(UnitPairText(7), "degree C                m3 deg.C         ");
    // Any other pair is pair 0.
    EXPECT_EQ(GetUnitIndex("kg/m3", "g"), 0);
    EXPECT_EQ(GetUnitIndex("furlongs", "kg"), 0);
    EXPECT_EQ(GetUnitIndex(nullptr, "kg"), 0);
    EXPECT_EQ(UnitPairText(13), "");
    EXPECT_EQ(UnitPairText(-1), "");
}

TEST(SubstanceSet, UnitsOfTheModelKinds)
{
    struct Case {
        int kind;
        const char *concentration;
        const char *mass;
    };
    const Case cases[] = {{MODEL_TRACER, "kg/m3", "kg"},
                          {MODEL_TEMPERATURE, "degree C", "m3 degree C"},
                          {MODEL_RED_TIDE, "mumolN/l", "1e3 mumolN"},
                          {MODEL_OIL, "kg/m3", "kg"}};
    for (const Case &c : cases) {
        EXPECT_STREQ(ConcentrationUnitOfKind(c.kind), c.concentration);
        EXPECT_STREQ(MassUnitOfKind(c.kind), c.mass);
    }
}

TEST(SubstanceSet, ListTextsAndHeaderTables)
{
    ScenarioPtr s = NewScenario();
    Substance *sub = AddSubstance(s.get(), "salt");
    const char label[] = "a label of exactly forty characters ....";
    static_assert(sizeof label == 41, "forty characters");
    std::memcpy(sub->words, label, 40);  // fills the field: no terminator
    const float value = 2.5f;
    std::memcpy(sub->words2, &value, sizeof value);
    EXPECT_EQ(SubstanceListText(sub, 1, "kg/m3"), std::string(label) + " 2.5 kg/m3");
    EXPECT_EQ(SubstanceListText(sub, 0, "kg/m3"), std::string(label) + " (salt)");
    std::memset(sub->words, 0, sizeof sub->words);
    std::memcpy(sub->words, "short", 5);
    EXPECT_EQ(SubstanceListText(sub, 0, ""), "short" + std::string(35, ' ') + " (salt)");

    StartupRecord startup{};
    std::snprintf(startup.substanceNames[1], SCEN_SUBSTANCE_TABLE_LEN, "stale");
    SetSubstanceUnits(sub, MODEL_RED_TIDE);
    RefreshSubstanceTables(&startup, s.get());
    EXPECT_STREQ(startup.substanceNames[0], "salt");
    EXPECT_STREQ(startup.concentrationUnits[0], "mumolN/l");
    EXPECT_STREQ(startup.massUnits[0], "1e3 mumolN");
    EXPECT_STREQ(startup.substanceNames[1], "");
    EXPECT_TRUE(IsNutrientSubstance("NH4_file"));
    EXPECT_TRUE(IsNutrientSubstance("NO3_file"));
    EXPECT_FALSE(IsNutrientSubstance("RED-N"));
    EXPECT_FALSE(IsNutrientSubstance(nullptr));
}

}  // namespace
