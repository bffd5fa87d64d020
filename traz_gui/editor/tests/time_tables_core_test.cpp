// The time tables without windows: value formats, copies of series with
// and without a map, the columns and headers of each slot, cells made from
// a series with their padding, typed cells checked and read back, regular
// series, the default tables (beside the model tests' stand-in) and the
// end rows moved onto the simulation start and stop.
#include "time_tables_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_default_tables.h"
#include "scenario_fixtures.h"

using namespace time_tables;
using scenario_fixtures::AddOilFraction;
using scenario_fixtures::AddRow;
using scenario_fixtures::AddSubstance;
using scenario_fixtures::NewScenario;
using scenario_fixtures::ScenarioPtr;

namespace {

struct SeriesDeleter {
    void operator()(XYSeries *s) const { DestroyXYSeries(s); }
};
using SeriesPtr = std::unique_ptr<XYSeries, SeriesDeleter>;

std::vector<float> Row(XYSeries *s, int r, double *time)
{
    SelectXYSeries(s, XYS_ALL);
    std::vector<float> v(static_cast<size_t>(GetXYSeriesInfo(s, XYS_INFO_SERIES)));
    EXPECT_EQ(EvaluateXYSeries(s, XYS_ROW, r, time, v.data(), nullptr), XYS_OK);
    return v;
}

// A scenario of reference 01 01 2020 00:00, simulation 02:00 to 04:30 by
// 10 minutes.
ScenarioPtr TimedScenario()
{
    ScenarioPtr s = NewScenario();
    std::snprintf(s->hydReferenceTime, sizeof s->hydReferenceTime, "%s", "20200101000000");
    std::snprintf(s->timeGroups[0][TIME_START], 15, "%s", "20200101020000");
    std::snprintf(s->timeGroups[0][TIME_STOP], 15, "%s", "20200101043000");
    std::snprintf(s->timeGroups[0][TIME_STEP], 15, "%s", "00000000001000");
    return s;
}

SubstanceColumns Substances(std::vector<std::pair<std::string, bool>> list, bool oilScenario,
                            const std::string &mass = "kg")
{
    SubstanceColumns subs;
    for (auto &[name, oil] : list) {
        subs.names.push_back(name);
        subs.massUnits.push_back(mass);
        subs.oil.push_back(oil);
    }
    subs.oilScenario = oilScenario;
    subs.concentrationUnit = "degree C";
    return subs;
}

TEST(TimeTablesCore, ValuesTakeTheExponentFormOutsideTheFixedRange)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {0.0005, "5.000e-04"}, {1500.0, "1.500e+03"}, {0.0, "0.000"},         {999.5, "999.500"},
        {1000.0, "1000.000"},  {0.001, "0.001"},       {-0.0005, "-5.000e-04"}, {-2500.0, "-2.500e+03"},
        {1e-39, "0.000"},      {1.25, "1.250"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatValue(c.value), c.text) << c.value;
}

TEST(TimeTablesCore, CopiesThroughAMapAndAllowsEveryColumnOfAScenario)
{
    SeriesPtr src(CreateXYSeries(XYS_LINEAR, 1, 3));
    AddRow(src.get(), 10.0, {1.f, 2.f, 3.f});
    AddRow(src.get(), 20.0, {4.f, 5.f, 6.f});
    const int map[] = {2, -1, 0, 7};
    SeriesPtr mapped(CopySeries(src.get(), 4, map));
    ASSERT_TRUE(mapped);
    double t = 0;
    EXPECT_EQ(Row(mapped.get(), 1, &t), (std::vector<float>{6.f, 0.f, 4.f, 0.f}));
    EXPECT_EQ(t, 20.0);
    SeriesPtr same(CopySeries(src.get(), -1, nullptr));
    EXPECT_EQ(Row(same.get(), 0, &t), (std::vector<float>{1.f, 2.f, 3.f}));
    EXPECT_EQ(CopySeries(nullptr, -1, nullptr), nullptr);

    // 90 substances with three decay columns each: 270 columns.
    for (int columns : {71, 270}) {
        SeriesPtr wide(CreateXYSeries(XYS_LINEAR, 1, columns));
        AddRow(wide.get(), 0.0, std::vector<float>(static_cast<size_t>(columns), 0.5f));
        SeriesPtr copy(CopySeries(wide.get(), -1, nullptr));
        ASSERT_TRUE(copy) << columns;
        EXPECT_EQ(SeriesCount(copy.get()), columns);
    }
    SeriesPtr tooWide(CreateXYSeries(XYS_LINEAR, 1, 271));
    EXPECT_EQ(CopySeries(tooWide.get(), -1, nullptr), nullptr);
    EXPECT_EQ(CopySeries(src.get(), 271, nullptr), nullptr);
}

TEST(TimeTablesCore, ColumnsAndHeadersOfEachSlot)
{
    ScenarioPtr s = TimedScenario();
    const SubstanceColumns oil = Substances({{"light", true}, {"salt", false}}, true);
    const SubstanceColumns temp = Substances({{"heat", false}, {"dye", false}}, false, "m3 degree C");
    const struct {
        int slot;
        const SubstanceColumns *subs;
        std::vector<std::string> headers;
    } cases[] = {
        {0, &oil, {"light\n [1/day]", "light disp.\n [1/day]", "light sticky\n [1/day]", "salt\n [1/day]"}},
        {2, &oil, {" wind speed\n [m/s]", " wind direction\n [degrees]"}},
        {3, &oil, {"light", "light dispersed", "salt"}},
        {8, &oil, {"light", "light dispersed", "salt"}},
        {9, &oil, {"light\n [kg]", "salt\n [kg]"}},
        {10, &oil, {" Release rates\n [m3/s]"}},
        {11, &oil, {"light\n [kg/m3]", "salt\n [kg/m3]"}},
        {11, &temp, {"heat\n [degree C]", "dye\n [degree C]"}},
        {12, &oil, {" recovery\n  factor"}},
    };
    for (const auto &c : cases) {
        const int columns = SlotColumns(c.slot, *c.subs, *s);
        EXPECT_EQ(columns, static_cast<int>(c.headers.size())) << c.slot;
        EXPECT_EQ(ValueHeaders(c.slot, columns, *c.subs, *s), c.headers) << c.slot;
    }
    // A non-oil scenario ignores the oil flags; "m3" as mass unit gives [-].
    const SubstanceColumns notOil = Substances({{"light", true}}, false, "m3");
    EXPECT_EQ(SlotColumns(0, notOil, *s), 1);
    EXPECT_EQ(ValueHeaders(11, 1, notOil, *s), std::vector<std::string>{"light\n [-]"});

    // The intake table with and without its Z column; headers past the
    // known ones are empty.
    EXPECT_EQ(ValueHeaders(1, 10, oil, *s)[4], " Z");
    EXPECT_EQ(ValueHeaders(1, 10, oil, *s)[5], " R10\n  [m]");
    EXPECT_EQ(ValueHeaders(1, 9, oil, *s)[4], "R10\n [m]");
    EXPECT_EQ(ValueHeaders(12, 3, oil, *s), (std::vector<std::string>{" recovery\n  factor", "", ""}));
    EXPECT_EQ(FirstColumnHeader(0), " time breakpoints\n dd mm yyyy hh mm ss ");
    EXPECT_EQ(FirstColumnHeader(1), "no.");
    EXPECT_EQ(FirstColumnHeader(9), "");

    // Shown sizes: at least the slot's columns, rows by slot.
    s->temperatureVariant = 0;
    EXPECT_EQ(ShownColumns(1, 4, oil, *s), 9);
    EXPECT_EQ(ShownColumns(1, 11, oil, *s), 11);
    s->temperatureVariant = 1;
    EXPECT_EQ(ShownColumns(1, 4, oil, *s), 10);
    EXPECT_EQ(ShownColumns(0, 6, oil, *s), 6);
    EXPECT_EQ(ShownColumns(0, 1, oil, *s), 4);
    const int rowCases[][3] = {{9, 5, 1}, {9, 0, 1}, {1, 0, 1}, {11, 0, 1}, {12, 0, 1}, {0, 0, 2}, {0, 1, 2},
                               {10, 7, 7}, {2, 1, 2}};
    for (const auto &c : rowCases)
        EXPECT_EQ(ShownRows(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(TimeTablesCore, CellsOfASeriesArePaddedBySlot)
{
    ScenarioPtr s = TimedScenario();
    // 50 s after the start stays 50 s: 120 + 50/60 minutes.
    SeriesPtr decay(CreateXYSeries(XYS_LINEAR, 1, 1));
    AddRow(decay.get(), 120.0 + 50.0 / 60.0, {0.0005f});
    const std::vector<std::string> cells = MakeCells(0, decay.get(), 3, 2, *s);
    EXPECT_EQ(cells, (std::vector<std::string>{"01 01 2020 02 00 50", "5.000e-04", "0.0",
                                               "01 01 2020 04 30 00", "0.0", "0.0",
                                               "01 01 2020 04 30 00", "0.0", "0.0"}));
    // No series: the start on row 0, the stop on the others; recovery 1.0.
    EXPECT_EQ(MakeCells(12, nullptr, 2, 1, *s),
              (std::vector<std::string>{"01 01 2020 02 00 00", "1.0", "01 01 2020 04 30 00", "1.0"}));
    // Row numbers, and no first column.
    SeriesPtr intakes(CreateXYSeries(XYS_LINEAR, 0, 2));
    AddRow(intakes.get(), 7.0, {1500.f, 2.f});
    EXPECT_EQ(MakeCells(1, intakes.get(), 2, 2, *s),
              (std::vector<std::string>{"7", "1.500e+03", "2.000", "2", "0.0", "0.0"}));
    EXPECT_EQ(MakeCells(9, intakes.get(), 1, 3, *s), (std::vector<std::string>{"1.500e+03", "2.000", "0.0"}));
}

TEST(TimeTablesCore, TypedCellsAreCheckedByTheirColumn)
{
    const char *ref = "20200101000000";
    const struct {
        CellKind kind;
        const char *text;
        bool valid;
    } cases[] = {
        {kDateTimeCell, "01 01 2020 02 00 00", true}, {kDateTimeCell, "", true},
        {kDateTimeCell, "   ", true},                 {kDateTimeCell, "32 01 2020 02 00 00", false},
        {kDateTimeCell, "abc", false},                {kDateTimeCell, "00 01 2020 00 00 00", false},
        {kIntegerCell, "12", true},                   {kIntegerCell, "1.5", false},
        {kIntegerCell, "99999999999", false},         {kFloatCell, "2.5e-3", true},
        {kFloatCell, " 7 ", true},                    {kFloatCell, "abc", false},
        {kFloatCell, "1.5\t2.5", false},              {kFloatCell, "1.5 2.5", false},
        {kFloatCell, "nan", false},                   {kFloatCell, "1e39", false},
        {kFloatCell, "inf", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CellValid(c.kind, c.text, ref), c.valid) << c.text;
    EXPECT_EQ(CellError(kDateTimeCell, "abc", 2, 1),
              "Input error:\nInput abc in row 2, column 1 is not a valid date-time");
    EXPECT_EQ(CellError(kIntegerCell, "x", 1, 1), "Input error:\nInput x in row 1, column 1 is not a valid integer number");
    EXPECT_EQ(CellError(kFloatCell, "x", 3, 4),
              "Input error:\nInput x in row 3, column 4 is not a valid floating point number");
    EXPECT_EQ(CellKindOf(0, 0), kDateTimeCell);
    EXPECT_EQ(CellKindOf(1, 0), kIntegerCell);
    EXPECT_EQ(CellKindOf(9, 0), kFloatCell);
    EXPECT_EQ(CellKindOf(0, 2), kFloatCell);
}

TEST(TimeTablesCore, TablesReadBackSkippingEmptyRowsAndStoppingAtABadCell)
{
    const char *ref = "20200101000000";
    std::string error;
    // Two time rows and an empty one between them.
    SeriesPtr ok(CellsToSeries(0, {"01 01 2020 02 00 50", "2.5e-3", "", "", "01 01 2020 04 30 00", ""}, 3, 2, ref,
                               &error));
    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(SeriesRows(ok.get()), 2);
    double t = 0;
    EXPECT_EQ(Row(ok.get(), 0, &t), std::vector<float>{0.0025f});
    EXPECT_EQ(MinutesToSeconds(t), 7250.0);
    EXPECT_EQ(Row(ok.get(), 1, &t), std::vector<float>{0.0f});

    const struct {
        int slot;
        std::vector<std::string> cells;
        int rows, columns;
        const char *message;
    } refused[] = {
        {0, {"01 01 2020 02 00 00", "abc", "01 01 2020 04 30 00", "1"}, 2, 2,
         "Input error:\nInput abc in row 1, column 2 is not a valid floating point number"},
        {0, {"01 01 2020 02 00 00", "1", "01 13 2020 04 30 00", "1"}, 2, 2,
         "Input error:\nInput 01 13 2020 04 30 00 in row 2, column 1 is not a valid date-time"},
        {0, {"01 01 2020 02 00 00", "1.5\t2.5", "01 01 2020 04 30 00", "1"}, 2, 2,
         "Input error:\nInput 1.5\t2.5 in row 1, column 2 is not a valid floating point number"},
        {0, {"", "1", "01 01 2020 04 30 00", "1"}, 2, 2,
         "Input error:\nInput  in row 1, column 1 is not a valid date-time"},
        {1, {"1.5", "1"}, 1, 2, "Input error:\nInput 1.5 in row 1, column 1 is not a valid integer number"},
        {9, {"1", "x"}, 1, 2, "Input error:\nInput x in row 1, column 2 is not a valid floating point number"},
        {2, {"01 01 2020 02 00 00", "1", "", ""}, 2, 2, ""},  // a time table needs 2 rows
    };
    for (const auto &c : refused) {
        EXPECT_EQ(CellsToSeries(c.slot, c.cells, c.rows, c.columns, ref, &error), nullptr) << c.message;
        EXPECT_EQ(error, c.message);
    }
    // The recovery table and the tables without times take one row; rows
    // without a first column count 1, 2, ...
    SeriesPtr recovery(CellsToSeries(12, {"01 01 2020 02 00 00", "0.5"}, 1, 2, ref, &error));
    EXPECT_TRUE(recovery);
    SeriesPtr masses(CellsToSeries(9, {"1", "2", "", "", "3", "4"}, 3, 2, ref, &error));
    ASSERT_TRUE(masses);
    EXPECT_EQ(Row(masses.get(), 1, &t), (std::vector<float>{3.f, 4.f}));
    EXPECT_EQ(t, 2.0);
}

TEST(TimeTablesCore, TheModeAsksWhatTheFirstColumnHolds)
{
    // The same two rows of a wind table's texts read in each mode: as
    // times, as row numbers, and as three value columns.
    const char *ref = "20200101000000";
    const struct {
        FirstColumn mode;
        std::vector<std::string> cells;
        std::vector<double> times;
        std::vector<std::vector<float>> values;
    } cases[] = {
        {kTimeRows, {"01 01 2020 01 00 00", "1.5", "2", "01 01 2020 03 00 00", "2.5", "3"}, {60.0, 180.0},
         {{1.5f, 2.f}, {2.5f, 3.f}}},
        {kRowNumbers, {"4", "1.5", "2", "9", "2.5", "3"}, {4.0, 9.0}, {{1.5f, 2.f}, {2.5f, 3.f}}},
        {kNoFirstColumn, {"4", "1.5", "2", "9", "2.5", "3"}, {1.0, 2.0}, {{4.f, 1.5f, 2.f}, {9.f, 2.5f, 3.f}}},
    };
    for (const auto &c : cases) {
        std::string error;
        SeriesPtr series(CellsToSeries(kWind, c.mode, c.cells, 2, 3, ref, &error));
        ASSERT_TRUE(series) << "mode " << c.mode << ": " << error;
        ASSERT_EQ(SeriesRows(series.get()), 2) << "mode " << c.mode;
        for (int r = 0; r < 2; ++r) {
            double t = 0;
            EXPECT_EQ(Row(series.get(), r, &t), c.values[static_cast<size_t>(r)]) << "mode " << c.mode;
            EXPECT_DOUBLE_EQ(t, c.times[static_cast<size_t>(r)]) << "mode " << c.mode << " row " << r;
        }
    }
    // Times are refused in a row-number column, and a row number in a time
    // column.
    std::string error;
    EXPECT_EQ(CellsToSeries(kWind, kRowNumbers, {"01 01 2020 01 00 00", "1", "2"}, 1, 3, ref, &error), nullptr);
    EXPECT_EQ(error, "Input error:\nInput 01 01 2020 01 00 00 in row 1, column 1 is not a valid integer number");
    EXPECT_EQ(CellsToSeries(kRecovery, kTimeRows, {"4", "1"}, 1, 2, ref, &error), nullptr);
    EXPECT_EQ(error, "Input error:\nInput 4 in row 1, column 1 is not a valid date-time");
}

TEST(TimeTablesCore, RegularSeriesEndOnTheStopAndStopAtTheRowLimit)
{
    const struct {
        double start, stop, step;
        std::vector<double> times;
        long total;
    } cases[] = {
        {120, 270, 60, {120, 180, 240, 270}, 4},
        {0, 120, 60, {0, 60, 120}, 3},
        {0, 120, 0, {}, 0},
        {0, 120, -5, {}, 0},
        {120, 120, 10, {}, 0},
        {120, 60, 10, {}, 0},
    };
    for (const auto &c : cases) {
        long total = -1;
        EXPECT_EQ(RegularTimes(c.start, c.stop, c.step, &total), c.times) << c.step;
        EXPECT_EQ(total, c.total);
    }
    long total = 0;
    const std::vector<double> many = RegularTimes(0, 1e7, 1, &total);
    EXPECT_EQ(many.size(), 1000u);
    EXPECT_EQ(total, 10000001);

    const int steps[][3] = {{60, 10, 1}, {15, 10, 0}, {7, 0, 1}, {20, 20, 1}};
    for (const auto &c : steps)
        EXPECT_EQ(StepIsMultiple(c[0], c[1]), c[2] != 0) << c[0] << " " << c[1];
    ScenarioPtr s = TimedScenario();
    EXPECT_EQ(ComputationalStepMinutes(*s), 10);
    std::snprintf(s->timeGroups[0][TIME_STEP], 15, "%s", "00000000000020");
    EXPECT_EQ(ComputationalStepMinutes(*s), 0);
    std::snprintf(s->timeGroups[0][TIME_STEP], 15, "%s", "00000000000030");
    EXPECT_EQ(ComputationalStepMinutes(*s), 1);

    SeriesPtr regular(RegularSeries({0, 60}, {1.f, 2.f}));
    double t = 0;
    EXPECT_EQ(Row(regular.get(), 1, &t), (std::vector<float>{1.f, 2.f}));
    EXPECT_EQ(t, 60.0);
}

// The default tables equal those the model tests' stand-in makes.
TEST(TimeTablesCore, DefaultTablesMatchTheModelTestsStandIn)
{
    ScenarioPtr s = TimedScenario();
    s->modelKind = MODEL_OIL;
    AddOilFraction(s.get(), "light");
    AddSubstance(s.get(), "salt");
    StartupRecord startup{};
    std::snprintf(startup.substanceNames[0], 30, "light");
    std::snprintf(startup.substanceNames[1], 30, "salt");
    startup.oilFlags[0] = 1;
    const SubstanceColumns subs = ScenarioSubstances(*s, startup, "kg/m3");
    for (int slot : {0, 2, 3, 4, 5, 6, 7, 8}) {
        SeriesPtr mine(DefaultSeries(slot, *s, subs));
        ASSERT_TRUE(mine) << slot;
        EditorDefaultTables(s.get(), slot);
        XYSeries *theirs = *SlotSeries(*s, slot, nullptr);
        ASSERT_EQ(SeriesRows(mine.get()), SeriesRows(theirs)) << slot;
        ASSERT_EQ(SeriesCount(mine.get()), SeriesCount(theirs)) << slot;
        for (int r = 0; r < 2; ++r) {
            double a = 0, b = 0;
            EXPECT_EQ(Row(mine.get(), r, &a), Row(theirs, r, &b)) << slot;
            EXPECT_EQ(a, b) << slot;
        }
    }
    EXPECT_EQ(DefaultSeries(12, *s, subs), nullptr);
    EXPECT_EQ(DefaultSeries(9, *s, subs), nullptr);
}

TEST(TimeTablesCore, EndRowsMoveOntoStartAndStopKeepingValues)
{
    SeriesPtr three(CreateXYSeries(XYS_LINEAR, 1, 2));
    AddRow(three.get(), 0.0, {1.f, 2.f});
    AddRow(three.get(), 50.0, {3.f, 4.f});
    AddRow(three.get(), 100.0, {5.f, 6.f});
    SeriesPtr moved(WithEndTimes(three.get(), 10.0, 300.0, "UpdateTime"));
    ASSERT_TRUE(moved);
    const double times[] = {10.0, 50.0, 300.0};
    const std::vector<float> values[] = {{1.f, 2.f}, {3.f, 4.f}, {5.f, 6.f}};
    for (int r = 0; r < 3; ++r) {
        double t = 0;
        EXPECT_EQ(Row(moved.get(), r, &t), values[r]);
        EXPECT_EQ(t, times[r]);
    }
    SeriesPtr one(CreateXYSeries(XYS_LINEAR, 1, 1));
    AddRow(one.get(), 5.0, {7.f});
    SeriesPtr two(WithEndTimes(one.get(), 10.0, 20.0, "UpdateTime"));
    ASSERT_EQ(SeriesRows(two.get()), 2);
    double t = 0;
    EXPECT_EQ(Row(two.get(), 1, &t), std::vector<float>{7.f});
    EXPECT_EQ(t, 20.0);
    SeriesPtr none(CreateXYSeries(XYS_LINEAR, 1, 1));
    EXPECT_EQ(WithEndTimes(none.get(), 0, 1, "UpdateTime"), nullptr);
    EXPECT_EQ(WithEndTimes(nullptr, 0, 1, "UpdateTime"), nullptr);
}

TEST(TimeTablesCore, RowsOutsideANewPeriodAreDroppedTheTableStaysInOrder)
{
    SeriesPtr five(CreateXYSeries(XYS_LINEAR, 1, 1));
    for (double t : {0.0, 50.0, 100.0, 200.0, 300.0})
        AddRow(five.get(), t, {static_cast<float>(t)});
    const struct {
        double start, stop;
        std::vector<double> times;   // WithEndTimes: ends moved, rows between kept inside
        std::vector<float> values;
        std::vector<double> within;  // WithinPeriod: rows inside, none moved
    } cases[] = {
        {60, 250, {60, 100, 200, 250}, {0, 100, 200, 300}, {100, 200}},
        {10, 80, {10, 50, 80}, {0, 50, 300}, {50}},
        // A row on the new stop is inside: it stays beside the moved last row.
        {10, 200, {10, 50, 100, 200, 200}, {0, 50, 100, 200, 300}, {50, 100, 200}},
        {-10, 400, {-10, 50, 100, 200, 400}, {0, 50, 100, 200, 300}, {0, 50, 100, 200, 300}},
        {120, 150, {120, 150}, {0, 300}, {}},
    };
    for (const auto &c : cases) {
        SeriesPtr moved(WithEndTimes(five.get(), c.start, c.stop, "UpdateTime"));
        ASSERT_TRUE(moved);
        ASSERT_EQ(SeriesRows(moved.get()), static_cast<int>(c.times.size())) << c.start << ".." << c.stop;
        for (int r = 0; r < SeriesRows(moved.get()); ++r) {
            double t = 0;
            EXPECT_EQ(Row(moved.get(), r, &t), std::vector<float>{c.values[r]}) << c.start << ".." << c.stop;
            EXPECT_EQ(t, c.times[r]) << c.start << ".." << c.stop;
        }
        EXPECT_EQ(RowsOutside(five.get(), c.start, c.stop, true), 5 - static_cast<int>(c.times.size()));
        SeriesPtr kept(WithinPeriod(five.get(), c.start, c.stop));
        ASSERT_TRUE(kept);
        ASSERT_EQ(SeriesRows(kept.get()), static_cast<int>(c.within.size()));
        for (int r = 0; r < SeriesRows(kept.get()); ++r) {
            double t = 0;
            Row(kept.get(), r, &t);
            EXPECT_EQ(t, c.within[r]);
        }
        EXPECT_EQ(RowsOutside(five.get(), c.start, c.stop, false), 5 - static_cast<int>(c.within.size()));
    }
}

TEST(TimeTablesCore, RowCommandsRefuseBySlotAndRows)
{
    const struct {
        RowCommand command;
        int slot, rows;
        const char *note;
    } cases[] = {
        {kInsertRow, 9, 1, "Only one row required !"},   {kCopyRow, 11, 1, "Only one row required !"},
        {kInsertRow, 0, 2, ""},                           {kCopyRow, 1, 1, ""},
        {kDeleteRow, 9, 1, "Minimum one row required !"}, {kDeleteRow, 11, 5, "Minimum one row required !"},
        {kDeleteRow, 1, 5, "Minimum one row required !"}, {kDeleteRow, 2, 2, "At Least 2 rows required !"},
        {kDeleteRow, 5, 2, "At Least 2 rows required !"}, {kDeleteRow, 5, 3, ""},
        {kDeleteRow, 12, 1, ""},                          {kDeleteRow, 10, 3, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RowCommandRefusal(c.command, c.slot, c.rows), c.note) << c.slot << " " << c.rows;
}

}  // namespace
