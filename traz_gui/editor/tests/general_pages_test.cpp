// Rules of the general pages without windows: file names relative to the
// project directory (letter case kept), the layer text, and the zoom grid
// and settling table checks that stop a save, with their messages.
#include "general_page_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario.h"
#include "xyseries.h"

namespace {

TEST(ProjectRelativePath, RelativeToTheProjectWithTheLetterCaseKept)
{
    struct Case {
        const char *project, *path, *expected;
    };
    const Case cases[] = {
        {"c:/work/prj", "c:/work/prj/data/a.ini", "data/a.ini"},
        {"c:/work/other", "c:/work/prj/data/a.ini", "../prj/data/a.ini"},
        {"d:/work/prj", "c:/work/prj/data/a.ini", "c:/work/prj/data/a.ini"},
        // Compared without case, returned as written.
        {"C:/Work/Prj", "c:/work/prj/Data/Spill.INI", "Data/Spill.INI"},
        {"c:/work/prj", "C:/WORK/Other/Run.hyd", "../Other/Run.hyd"},
        {"c:/work/prj/", "c:/work/prj/a.ini", "a.ini"},
        {"c:/work/prj/deep/er", "c:/work/b.ini", "../../../b.ini"},
        // No '/', or nothing in common: unchanged.
        {"c:/work/prj", "a.ini", "a.ini"},
        {"c:/work/prj", "cx/b.ini", "cx/b.ini"},
        {"", "c:/work/a.ini", "c:/work/a.ini"},
    };
    for (const Case &k : cases) {
        const std::string project = k.project;
        EXPECT_EQ(ProjectRelativePath(project.c_str(), k.path), k.expected) << k.project << " | " << k.path;
        EXPECT_EQ(project, k.project);
    }
}

TEST(HydrodynamicLayers, TextOfTheLayerCount)
{
    EXPECT_EQ(HydrodynamicLayersText(0), " ");
    EXPECT_EQ(HydrodynamicLayersText(1), "1 (2D model)");
    EXPECT_EQ(HydrodynamicLayersText(5), "5 (3D model)");
}

// A table of the given columns with one row per time (minutes).
XYSeries *Table(int columns, const std::vector<double> &times)
{
    XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, columns);
    const std::vector<float> values(static_cast<size_t>(columns), 1.0f);
    SelectXYSeries(t, XYS_ALL);
    for (double time : times) {
        const XYSeriesEdit e = {t, XYS_INSERT_AT_TIME, 0, time, values.data(), nullptr};
        EXPECT_EQ(EditXYSeriesRows(e), XYS_OK);
    }
    return t;
}

TEST(ZoomGridCheck, RefusesAZeroAreaOrZeroCellsOnlyWhenRecoveryAsksForOutput)
{
    const std::string zeroArea = "Zoom grid output was required,\nbut the grid area is invalid (zero sized)\n"
                                 "xMin=        100.0\nxMax=        100.0\nyMin=         20.0\nyMax=        500.0\n"
                                 "Fix zoom grid or remove output !";
    const std::string noCells = "Zoom grid output was required,\nbut discrete zoom grid is invalid\n"
                                "No. of cells in X dir.=       10\nNo. of cells in Y dir. =        0\n"
                                "Fix zoom grid or remove output !";
    struct Case {
        int recoveryRows;
        ZoomGrid grid;
        std::string message;
    };
    const Case cases[] = {
        {0, {100, 100, 20, 500, 0, 0, 0, 0, 0, 0}, ""},
        {2, {100, 100, 500, 20, 0, 0, 0, 0, 10, 10}, zeroArea},
        {2, {900, 100, 20, 500, 0, 0, 0, 0, 10, 0}, noCells},
        {2, {900, 100, 500, 20, 0, 0, 0, 0, 10, 10}, ""},
        {1, {900, 100, 500, 20, 0, 0, 0, 0, -1, 3}, "Zoom grid output was required,\nbut discrete zoom grid is "
                                                   "invalid\nNo. of cells in X dir.=       -1\nNo. of cells in Y "
                                                   "dir. =        3\nFix zoom grid or remove output !"},
    };
    for (const Case &k : cases) {
        std::vector<double> times;
        for (int i = 0; i < k.recoveryRows; ++i)
            times.push_back(60.0 * i);
        ZoomGrid grid = k.grid;
        OutputOptions output{&grid, Table(1, times)};
        EXPECT_EQ(ZoomGridMessage(&output), k.message) << k.recoveryRows << " rows, cells " << k.grid.cellsX;
        DestroyXYSeries(output.recovery);
    }
}

struct SettlingTables {
    ProcessParameters process{};
    explicit SettlingTables(const std::vector<std::vector<double>> &times, int columns)
    {
        for (int i = 0; i < SETTLING_TABLE_COUNT; ++i)
            process.settling[i] = Table(columns, times[static_cast<size_t>(i) % times.size()]);
    }
    ~SettlingTables()
    {
        for (XYSeries *t : process.settling)
            DestroyXYSeries(t);
    }
};

TEST(SettlingCheck, SixTablesNeedTheSameRowsAndTimes)
{
    const std::string lengths = "Tables for settling velocities have different lengths\nwhat's not allowed for "
                                "TRAZ; data not saved\nPlease make settling tables of same length";
    const std::string levels = "In tables for settling velocities corresponding time levels\nare different, what's "
                               "not allowed for TRAZ; data not saved\nPlease edit settling tables for "
                               "corresponding time levels";
    struct Case {
        const char *name;
        std::vector<std::vector<double>> times; // repeated over the six tables
        int columns;
        std::string message;
    };
    const Case cases[] = {
        {"equal", {{0, 30, 60}}, 3, ""},
        {"second row half a minute later", {{0, 30, 60}, {0, 30.5, 60}}, 3, levels},
        {"last row differs", {{0, 30, 60}, {0, 30, 61}}, 2, levels},
        {"a row short", {{0, 30, 60}, {0, 60}}, 3, lengths},
        {"all empty", {{}}, 3, ""},
        // More substances than a table copy could take.
        {"90 substances", {{0, 15, 45, 90}}, 90, ""},
        {"90 substances, times differ", {{0, 15, 45, 90}, {0, 15, 45, 91}}, 90, levels},
    };
    for (const Case &k : cases) {
        SettlingTables tables(k.times, k.columns);
        EXPECT_EQ(SettlingTablesMessage(&tables.process), k.message) << k.name;
    }
}

TEST(SettlingCheck, AMissingTableCountsAsEmpty)
{
    SettlingTables tables({{0, 60}}, 2);
    DestroyXYSeries(tables.process.settling[4]);
    tables.process.settling[4] = nullptr;
    EXPECT_NE(SettlingTablesMessage(&tables.process).find("different lengths"), std::string::npos);
}

TEST(ContinuousReleaseCheck, RateTablesOfTwoOrMoreReleasesNeedTheSameRowsAndTimes)
{
    const std::string lengths = "Tables for continuous releases have different lengths\nwhat's not allowed for "
                                "TRAZ; data not saved\nPlease make tables of same length";
    const std::string levels = "In tables for continuous releases corresponding time levels\nare different, what's "
                               "not allowed for TRAZ; data not saved\nPlease edit release tables for "
                               "corresponding time levels";
    struct Case {
        const char *name;
        std::vector<std::vector<double>> tables; // one rate table per release (minutes)
        std::string message;
    };
    const Case cases[] = {
        {"no release", {}, ""},
        {"one release, whatever its table", {{0, 30, 60}}, ""},
        {"two alike", {{0, 30, 60}, {0, 30, 60}}, ""},
        {"three, the last a row short", {{0, 60}, {0, 60}, {0}}, lengths},
        {"second row half a minute later", {{0, 30, 60}, {0, 30.5, 60}}, levels},
        {"a difference below the tolerance", {{0, 30, 60}, {0, 30 + 1e-9, 60}}, ""},
    };
    for (const Case &k : cases) {
        GE_List *releases = GE_ListCreate(sizeof(Location *));
        std::vector<Location> records(k.tables.size());
        for (size_t i = 0; i < k.tables.size(); ++i) {
            records[i].releaseRates = Table(1, k.tables[i]);
            Location *r = &records[i];
            ASSERT_TRUE(GE_ListInsert(releases, static_cast<int>(i), &r));
        }
        EXPECT_EQ(ContinuousReleaseTablesMessage(releases), k.message) << k.name;
        for (Location &r : records)
            DestroyXYSeries(r.releaseRates);
        GE_ListDestroy(releases);
    }
}

} // namespace
