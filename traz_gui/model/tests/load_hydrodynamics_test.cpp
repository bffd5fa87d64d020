// Loading a hydrodynamics result: times, file names, the grid arrays and
// their reuse, the depths filled next to the wet area, and what the map
// window is handed, checked against the recording fakes.
#include "load_hydrodynamics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../../gridfiles/tests/grid_fixture.h"
#include "editor_services.h"
#include "fakes.h"
#include "ge_list.h"
#include "scenario.h"

namespace {

namespace fs = std::filesystem;
using recio::Form;

// The *.hyd text of the test model: conversion times 06:00 to 18:00, step
// 10 minutes, and the grid files com.lga and com.cco beside it.
std::string HydText(const std::string &gridIndices, const std::string &gridCoordinates,
                    const std::string &extra = "")
{
    std::string text =
        "task full-coupling\n"
        "geometry curvilinear-grid\n"
        "reference-time          '20240101000000'\n"
        "hydrodynamic-start-time '20240101000000'\n"
        "hydrodynamic-stop-time  '20240102000000'\n"
        "hydrodynamic-timestep   '00000000003000'\n"
        "conversion-ref-time     '20240101000000'\n"
        "conversion-start-time   '20240101060000'\n"
        "conversion-stop-time    '20240101180000'\n"
        "conversion-timestep     '00000000001000'\n"
        "volumes-file            'sub\\dir\\com.vol'\n";
    if (!gridIndices.empty())
        text += "grid-indices-file '" + gridIndices + "'\n";
    if (!gridCoordinates.empty())
        text += "grid-coordinates-file '" + gridCoordinates + "'\n";
    return text + extra;
}

class LoadHydrodynamicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakes::Reset();
        cwd_ = fs::current_path();
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        relDir_ = std::string("loadhyd_work/") + info->name();
        fs::remove_all(relDir_);
        fs::create_directories(relDir_);
        dir_ = fs::absolute(relDir_).generic_string();
        SetScenarioDefaults(&g_startup, &g_scenario);
        MainWindow = fakes::CreateTestWindow(RUV_RECT{0, 0, 400, 600});
        PageWindows[1] = fakes::CreateTestWindow(RUV_RECT{0, 0, 300, 500});
        fakes::ClearRecord();
        fakes::ClearCalls();
    }

    void TearDown() override
    {
        // The defaults forget the grid arrays without freeing them.
        GE_Free(g_scenario.activeGrid);
        GE_Free(g_scenario.x);
        GE_Free(g_scenario.y);
        GE_Free(g_scenario.segmentDepths);
        g_scenario.activeGrid = nullptr;
        g_scenario.x = g_scenario.y = g_scenario.segmentDepths = nullptr;
        fs::current_path(cwd_);
    }

    void WriteHyd(const std::string &name, const std::string &text)
    {
        std::ofstream(dir_ + "/" + name, std::ios::binary) << text;
    }

    // com.hyd over com.lga, com.cco, com.dps.
    void WriteModel(const gridfix::Grid &g, Form form = Form::kUnformatted, int lgaGeneration = 7)
    {
        WriteHyd("com.hyd", HydText("com.lga", "com.cco"));
        ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/com", form, g, lgaGeneration), recio::kOk);
    }

    fs::path cwd_;
    std::string relDir_;
    std::string dir_;
};

std::vector<std::string> MapEntries()
{
    return fakes::Texts("map");
}

// Depth per cell of the sample grid after the fill: cell (1, 0) has depth 0
// beside wet cells and gets the extrapolation 2 * 4 - 7 = 1 along its
// column (the distances (1,0)-(1,1) and (1,1)-(1,2) are equal).
const float M = GRID_MISSING_VALUE;
const std::vector<float> kSampleCellDepths = {M, 1.0f, 2.5f, 3.0f, M,
                                              M, 4.0f, 5.0f, 6.0f, M,
                                              M, 7.0f, 8.0f, M, M};

// Cell status of the sample grid, 6 x 4 with the extra column and row 0.
const std::vector<int32_t> kSampleCellStatus = {2, 1, 1, 1, 2, 0,
                                                2, 1, 1, 1, 0, 0,
                                                0, 1, 1, 0, 0, 0,
                                                0, 0, 0, 0, 0, 0};

TEST_F(LoadHydrodynamicsTest, TimesFileNamesGridAndDepthsReachTheScenarioAndTheMap)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    WriteModel(g);
    ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "com.hyd"), 0);

    for (int group = 0; group < TIME_GROUP_COUNT; ++group) {
        EXPECT_STREQ(g_scenario.timeGroups[group][TIME_START], "20240101060000") << group;
        EXPECT_STREQ(g_scenario.timeGroups[group][TIME_STOP], "20240101180000") << group;
        EXPECT_STREQ(g_scenario.timeGroups[group][TIME_STEP], "00000000001000") << group;
    }
    EXPECT_STREQ(g_scenario.fileNames[FILE_HYD], (dir_ + "/com.hyd").c_str());
    EXPECT_STREQ(g_scenario.fileNames[FILE_GRID_INDICES], (dir_ + "/com.lga").c_str());
    EXPECT_STREQ(g_scenario.fileNames[FILE_VOLUMES], (dir_ + "/sub/dir/com.vol").c_str());

    EXPECT_EQ(g_scenario.mmax, 5);
    EXPECT_EQ(g_scenario.nmax, 3);
    EXPECT_EQ(g_scenario.activeGridLength, 15);
    EXPECT_EQ(g_scenario.depthCount, 8);
    EXPECT_EQ(g_scenario.gridLayers, 2);
    EXPECT_EQ(g_scenario.hydLayers, 2);
    EXPECT_EQ(g_scenario.coordinatePairSelector, 0);
    EXPECT_EQ(std::vector<int32_t>(g_scenario.activeGrid, g_scenario.activeGrid + 15), g.table);
    EXPECT_EQ(std::vector<float>(g_scenario.x, g_scenario.x + 15), g.x);
    EXPECT_EQ(std::vector<float>(g_scenario.y, g_scenario.y + 15), g.y);
    EXPECT_EQ(std::vector<float>(g_scenario.segmentDepths, g_scenario.segmentDepths + 8), g.depths);
    EXPECT_EQ(g_startup.gridAvailable, 1);

    const fakes::GridCopy &grid = fakes::LastGrid();
    ASSERT_TRUE(grid.set);
    EXPECT_EQ(grid.mmax, 5);
    EXPECT_EQ(grid.nmax, 3);
    EXPECT_EQ(grid.enclosure, "");
    EXPECT_EQ(grid.coordinateSystem, 1);
    EXPECT_EQ(grid.x, g.x);
    EXPECT_EQ(grid.y, g.y);
    EXPECT_EQ(grid.cellStatus, kSampleCellStatus);
    EXPECT_EQ(fakes::LastDepth(), kSampleCellDepths);
    EXPECT_EQ(MapEntries(), (std::vector<std::string>{
                                "GE_SetGrid mmax=5 nmax=3 enclosure=\"\" active=8 boundary=3",
                                "GE_SetDepth count=15"}));

    // The status bar is cleared (by the load and by the grid read); nothing
    // else reaches the user.
    EXPECT_EQ(fakes::Texts("status"), (std::vector<std::string>{"", ""}));
    EXPECT_TRUE(fakes::Texts("error").empty());
    const std::vector<std::string> &calls = fakes::Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "UpdateTableTimes"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ShowHydrodynamicsPage 1"), calls.end());
    EXPECT_EQ(fs::current_path(), cwd_);
}

TEST_F(LoadHydrodynamicsTest, BothStorageFormsAndAllHeaderGenerationsLoadAlike)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    for (Form form : {Form::kUnformatted, Form::kBinary}) {
        for (int generation : {7, 5, 4, 3}) {
            SCOPED_TRACE(std::to_string(generation) + (form == Form::kBinary ? " binary" : " unformatted"));
            WriteModel(g, form, generation);
            fakes::Reset();
            ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "com.hyd"), 0);
            EXPECT_EQ(g_startup.gridAvailable, 1);
            EXPECT_EQ(g_scenario.gridLayers, generation == 3 ? 1 : 2);
            EXPECT_EQ(fakes::LastGrid().cellStatus, kSampleCellStatus);
            EXPECT_EQ(fakes::LastDepth(), kSampleCellDepths);
        }
    }
}

TEST_F(LoadHydrodynamicsTest, WithoutGridFilesTheTimesAreStillCopied)
{
    WriteHyd("nogrid.hyd", HydText("com.lga", ""));
    ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "nogrid.hyd"), 0);
    EXPECT_EQ(fakes::Texts("status"), (std::vector<std::string>{"", "Error finding grid files!"}));
    EXPECT_STREQ(g_scenario.timeGroups[TIME_GROUP_MAP][TIME_START], "20240101060000");
    EXPECT_EQ(g_startup.gridAvailable, 0);
    EXPECT_EQ(g_scenario.mmax, 0);
    // The map shows no grid rather than another *.hyd's.
    EXPECT_EQ(MapEntries(), (std::vector<std::string>{"GE_FreeGrid"}));
}

TEST_F(LoadHydrodynamicsTest, AnUnreadableHydFileIsReportedAndChangesNoTimes)
{
    fakes::SetProjectDirectory(dir_);
    // A name with a backslash is turned to '/' on every path.
    std::strcpy(g_scenario.fileNames[FILE_FLOWS], "old\\flows.flo");
    EXPECT_EQ(LoadHydrodynamics(dir_.c_str(), "missing.hyd"), 2);
    EXPECT_STREQ(g_scenario.fileNames[FILE_FLOWS], "old/flows.flo");

    WriteHyd("bad.hyd", "task full-coupling\ngrid-indices-file 12\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(LoadHydrodynamics(dir_.c_str(), "bad.hyd"), 5);
    testing::internal::GetCapturedStdout();

    EXPECT_EQ(fakes::Texts("error"),
              (std::vector<std::string>{"Hydrodynamic file\nmissing.hyd\nnot found !\n\nPlease check !",
                                        "Error reading hydrodynamic file:\n\n\nbad.hyd\nPlease check !"}));
    EXPECT_STREQ(g_scenario.timeGroups[TIME_GROUP_SIMULATION][TIME_START], "19000101000000");
    EXPECT_TRUE(fakes::Texts("status").empty());
    EXPECT_TRUE(MapEntries().empty());
}

// The map is left without a grid, not with the last *.hyd's; the
// scenario's arrays stay for the next load to reuse.
TEST_F(LoadHydrodynamicsTest, AnUnreadableGridEmptiesTheMap)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    WriteModel(g);
    ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "com.hyd"), 0);
    int32_t *table = g_scenario.activeGrid;

    // The table itself, then the coordinates after a good table.
    struct Case {
        const char *what;
        void (*spoil)(const std::string &base);
    } cases[] = {
        {"table in neither form",
         [](const std::string &base) { std::ofstream(base + ".lga", std::ios::binary) << "not a grid table"; }},
        {"table missing", [](const std::string &base) { fs::remove(base + ".lga"); }},
        {"y record missing",
         [](const std::string &base) {
             gridfix::Grid other = gridfix::RegularGrid(6, 4);
             gridfix::WriteGridFiles(base, Form::kUnformatted, other);
             auto size = fs::file_size(base + ".cco");
             fs::resize_file(base + ".cco", size - (8 + 4 * 24));
         }},
        // Counts in a header that no grid of the table's size can have:
        // refused before anything is made from them (the table's own count
        // of cells the reader has seen the file hold).
        {"2,000,000,000 segments in a 4 x 3 grid",
         [](const std::string &base) {
             gridfix::Grid other = gridfix::RegularGrid(4, 3);
             other.segments = 2000000000;
             gridfix::WriteGridFiles(base, Form::kUnformatted, other);
         }},
        {"more segments than cells in all layers",
         [](const std::string &base) {
             gridfix::Grid other = gridfix::RegularGrid(4, 3);
             other.layers = 2;
             other.segments = 25;
             gridfix::WriteGridFiles(base, Form::kBinary, other);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteHyd("other.hyd", HydText("other.lga", "other.cco"));
        gridfix::WriteGridFiles(dir_ + "/other", Form::kUnformatted, gridfix::RegularGrid(6, 4));
        c.spoil(dir_ + "/other");
        fakes::Reset();
        EXPECT_EQ(LoadHydrodynamics(dir_.c_str(), "other.hyd"), 0);   // the *.hyd itself was read
        EXPECT_EQ(fakes::Texts("error"),
                  (std::vector<std::string>{"Error reading grid file (*.lga)\nNote that grid files are "
                                            "platform dependent\nPlease check!"}));
        EXPECT_EQ(g_startup.gridAvailable, 0);
        EXPECT_EQ(MapEntries(), (std::vector<std::string>{"GE_FreeGrid"}));
        EXPECT_EQ(g_scenario.mmax, 5);
        EXPECT_EQ(g_scenario.nmax, 3);
        EXPECT_EQ(g_scenario.activeGrid, table);
        EXPECT_EQ(std::vector<int32_t>(g_scenario.activeGrid, g_scenario.activeGrid + 15), g.table);
        EXPECT_EQ(std::vector<float>(g_scenario.x, g_scenario.x + 15), g.x);
    }
    EXPECT_EQ(ReadGridTable(&g_scenario, (dir_ + "/other.lga").c_str()), GRID_TABLE_UNREADABLE);
}

TEST_F(LoadHydrodynamicsTest, UnreadableDepthsLeaveTheGridWithoutBathymetry)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    WriteModel(g);
    // Missing, or declaring 2,000,000,000 depths in a file of 8: no room
    // is made for them, and no segment has a depth.
    const struct {
        const char *what;
        std::function<void()> spoil;
    } cases[] = {
        {"depth file missing", [&] { fs::remove(dir_ + "/com.dps"); }},
        {"depth count beyond the file",
         [&] {
             gridfix::Grid other = g;
             other.segments = 2000000000;
             gridfix::WriteDps(dir_ + "/com.dps", Form::kUnformatted, other);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.spoil();
        fakes::ClearRecord();
        ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "com.hyd"), 0);
        EXPECT_EQ(g_startup.gridAvailable, 1);
        EXPECT_EQ(MapEntries(), (std::vector<std::string>{
                                    "GE_SetGrid mmax=5 nmax=3 enclosure=\"\" active=8 boundary=3"}));
        EXPECT_TRUE(fakes::Texts("error").empty());
        EXPECT_EQ(g_scenario.depthCount, 0);
    }
}

TEST_F(LoadHydrodynamicsTest, AHeaderOfZeroLayersStoresOneLayer)
{
    gridfix::Grid g = gridfix::SampleGrid();
    g.layers = 0;
    WriteModel(g, Form::kBinary, 4);
    ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "com.hyd"), 0);
    EXPECT_EQ(g_scenario.gridLayers, 1);
    EXPECT_EQ(g_scenario.hydLayers, 1);
}

TEST_F(LoadHydrodynamicsTest, ArraysAreReusedForASmallerGridAndReplacedForALargerOne)
{
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/big", Form::kBinary, gridfix::RegularGrid(8, 6)), recio::kOk);
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/small", Form::kBinary, gridfix::SampleGrid()), recio::kOk);
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/bigger", Form::kBinary, gridfix::RegularGrid(9, 7)), recio::kOk);

    ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/big.lga").c_str()), GRID_TABLE_READ);
    int32_t *table = g_scenario.activeGrid;
    float *x = g_scenario.x, *y = g_scenario.y, *depths = g_scenario.segmentDepths;
    EXPECT_EQ(g_scenario.activeGridLength, 48);

    ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/small.lga").c_str()), GRID_TABLE_READ);
    EXPECT_EQ(g_scenario.activeGrid, table);
    EXPECT_EQ(g_scenario.x, x);
    EXPECT_EQ(g_scenario.y, y);
    EXPECT_EQ(g_scenario.segmentDepths, depths);
    EXPECT_EQ(g_scenario.activeGridLength, 15);
    EXPECT_EQ(g_scenario.depthCount, 8);
    EXPECT_EQ(std::vector<float>(g_scenario.y, g_scenario.y + 15), gridfix::SampleGrid().y);

    ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/bigger.lga").c_str()), GRID_TABLE_READ);
    EXPECT_NE(g_scenario.activeGrid, table);
    EXPECT_NE(g_scenario.x, x);
    EXPECT_NE(g_scenario.segmentDepths, depths);
    EXPECT_EQ(g_scenario.activeGridLength, 63);
    EXPECT_EQ(std::vector<float>(g_scenario.x, g_scenario.x + 63), gridfix::RegularGrid(9, 7).x);
}

// The arrays a load reads into stay from one load to the next: a grid read
// after a larger one, or the same one again, hands the map exactly what it
// hands it when read first.
TEST_F(LoadHydrodynamicsTest, AGridReadAfterAnotherGivesTheMapWhatItGivesAlone)
{
    gridfix::Grid sample = gridfix::SampleGrid();
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/small", Form::kBinary, sample), recio::kOk);
    gridfix::Grid big = gridfix::RegularGrid(8, 6);
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/big", Form::kBinary, big), recio::kOk);

    ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/small.lga").c_str()), GRID_TABLE_READ);
    const fakes::GridCopy alone = fakes::LastGrid();
    const std::vector<float> aloneDepth = fakes::LastDepth();
    ASSERT_EQ(aloneDepth.size(), 15u);

    for (const char *before : {"big", "small"}) {
        SCOPED_TRACE(before);
        ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/" + before + ".lga").c_str()), GRID_TABLE_READ);
        ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/small.lga").c_str()), GRID_TABLE_READ);
        const fakes::GridCopy &again = fakes::LastGrid();
        EXPECT_EQ(again.mmax, alone.mmax);
        EXPECT_EQ(again.nmax, alone.nmax);
        EXPECT_EQ(again.x, alone.x);
        EXPECT_EQ(again.y, alone.y);
        EXPECT_EQ(again.cellStatus, alone.cellStatus);
        EXPECT_EQ(fakes::LastDepth(), aloneDepth);
        EXPECT_EQ(std::vector<int32_t>(g_scenario.activeGrid, g_scenario.activeGrid + 15), sample.table);
    }
}

TEST_F(LoadHydrodynamicsTest, ADifferentLayerCountClearsThePageFlags)
{
    WriteModel(gridfix::SampleGrid());
    // The first hydrodynamics of a scenario (none before, or its *.hyd
    // missing when it was read) keeps the model the scenario has.
    for (int p = 0; p < SCEN_PAGE_COUNT; ++p)
        g_scenario.pageFlags[p] = 1;
    g_scenario.modelKind = MODEL_OIL;
    ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "com.hyd"), 0);   // 0 layers before, 2 now
    EXPECT_EQ(g_scenario.pageFlags[3], 1);
    EXPECT_EQ(g_scenario.modelKind, MODEL_OIL);

    // Another layer count than the hydrodynamics before: cleared.
    g_scenario.hydLayers = 1;
    g_scenario.temperatureVariant = 0;
    ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "com.hyd"), 0);   // 1 layer before, 2 now
    for (int p = 0; p < SCEN_PAGE_COUNT; ++p)
        EXPECT_EQ(g_scenario.pageFlags[p], 0) << p;
    EXPECT_EQ(g_scenario.modelKind, MODEL_TRACER);
    EXPECT_EQ(g_scenario.temperatureVariant, 1);

    // The same layers again: nothing is cleared.
    g_scenario.pageFlags[3] = 1;
    g_scenario.modelKind = MODEL_OIL;
    ASSERT_EQ(LoadHydrodynamics(dir_.c_str(), "com.hyd"), 0);
    EXPECT_EQ(g_scenario.pageFlags[3], 1);
    EXPECT_EQ(g_scenario.modelKind, MODEL_OIL);
}

TEST_F(LoadHydrodynamicsTest, RelativeNamesFindTheGrid)
{
    WriteModel(gridfix::SampleGrid());
    // A relative directory, and a relative path with no directory.
    ASSERT_EQ(LoadHydrodynamics(relDir_.c_str(), "com.hyd"), 0);
    EXPECT_EQ(g_startup.gridAvailable, 1);
    EXPECT_EQ(fs::current_path(), cwd_);
    fakes::Reset();
    ASSERT_EQ(LoadHydrodynamics("", (relDir_ + "/com.hyd").c_str()), 0);
    EXPECT_EQ(g_startup.gridAvailable, 1);
    EXPECT_EQ(fakes::LastDepth(), kSampleCellDepths);
}

// The dry cell (1, 0) of the sample grid beside wet cells, with the cell two
// ahead in its column changed.
TEST_F(LoadHydrodynamicsTest, DepthsNextToTheWetAreaNeverGoNegative)
{
    struct Case {
        const char *what;
        void (*change)(gridfix::Grid &g);
        float expect;   // depth of cell (1, 0)
    } cases[] = {
        {"straight-line extrapolation", [](gridfix::Grid &) {}, 1.0f},
        {"negative extrapolation takes the neighbour", [](gridfix::Grid &g) { g.depths[6] = 9.0f; }, 4.0f},
        {"cell two ahead is a boundary cell", [](gridfix::Grid &g) { g.table[11] = -7; }, 4.0f},
        // Segment 9 is beyond the depth file's 8: the cell is active but has
        // no depth, so there is no line to extrapolate along (taking its
        // missing value as a depth would give 2 * 4 + 999).
        {"cell two ahead has no depth", [](gridfix::Grid &g) { g.table[11] = 9; }, 4.0f},
        {"cell two ahead at the neighbour's place", [](gridfix::Grid &g) {
             g.x[11] = g.x[6];
             g.y[11] = g.y[6];
         }, 4.0f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        gridfix::Grid g = gridfix::SampleGrid();
        c.change(g);
        ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/fill", Form::kBinary, g), recio::kOk);
        fakes::Reset();
        ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/fill.lga").c_str()), GRID_TABLE_READ);
        ASSERT_EQ(fakes::LastDepth().size(), 15u);
        EXPECT_EQ(fakes::LastDepth()[1], c.expect);
        EXPECT_TRUE(std::isfinite(fakes::LastDepth()[1]));
    }
}

TEST_F(LoadHydrodynamicsTest, ADryCellBesideCellsWithoutDepthStaysDry)
{
    // Segment 6 at (3, 1) gets depth 0; its neighbours ahead, (3, 2) and
    // (4, 1), are inactive (missing value): nothing wet to fill it from, so
    // it keeps its depth 0 and never takes the missing value.
    gridfix::Grid g = gridfix::SampleGrid();
    g.depths[5] = 0.0f;
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/dry", Form::kBinary, g), recio::kOk);
    ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/dry.lga").c_str()), GRID_TABLE_READ);
    std::vector<float> expect = kSampleCellDepths;
    expect[8] = 0.0f;
    EXPECT_EQ(fakes::LastDepth(), expect);
}

TEST_F(LoadHydrodynamicsTest, ShortMemoryKeepsThePreviousGrid)
{
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/small", Form::kBinary, gridfix::SampleGrid()), recio::kOk);
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/big", Form::kUnformatted, gridfix::RegularGrid(8, 6)),
              recio::kOk);
    ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/small.lga").c_str()), GRID_TABLE_READ);
    int32_t *table = g_scenario.activeGrid;
    float *x = g_scenario.x;

    // Each of the four blocks of the larger grid in turn cannot be had.
    for (int nth = 1; nth <= 4; ++nth) {
        SCOPED_TRACE(nth);
        fakes::Reset();
        {
            fakes::FailingAllocator failing(nth);
            EXPECT_EQ(ReadGridTable(&g_scenario, (dir_ + "/big.lga").c_str()), GRID_TABLE_UNREADABLE);
            EXPECT_TRUE(failing.Failed());
        }
        EXPECT_EQ(fakes::Texts("error").size(), 1u);
        EXPECT_TRUE(MapEntries().empty());
        EXPECT_EQ(g_scenario.activeGrid, table);
        EXPECT_EQ(g_scenario.x, x);
        EXPECT_EQ(g_scenario.mmax, 5);
        EXPECT_EQ(g_scenario.activeGridLength, 15);
        EXPECT_EQ(std::vector<int32_t>(table, table + 15), gridfix::SampleGrid().table);
    }
    ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/big.lga").c_str()), GRID_TABLE_READ);
    EXPECT_EQ(g_scenario.activeGridLength, 48);
}

TEST_F(LoadHydrodynamicsTest, ARowFillGoesAlongTheRowAndASegmentBeyondTheDepthsHasNone)
{
    // Row j = 2 of a 4 x 3 grid: (0,2) dry, (1,2) and (2,2) wet, equally
    // spaced along the row: 2 * 5 - 6 = 4.  Cell (3,2) names segment 12 of a
    // depth file with 11: no depth, never a read past the array.
    gridfix::Grid g = gridfix::RegularGrid(4, 3);
    g.segments = 11;
    g.table = {-1, -2, -3, -4,
               -5, -6, -7, -8,
                1, 2, 3, 12};
    g.depths = {0.0f, 5.0f, 6.0f, 1, 1, 1, 1, 1, 1, 1, 1};
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/row", Form::kUnformatted, g), recio::kOk);
    ASSERT_EQ(ReadGridTable(&g_scenario, (dir_ + "/row.lga").c_str()), GRID_TABLE_READ);
    const std::vector<float> &d = fakes::LastDepth();
    ASSERT_EQ(d.size(), 12u);
    EXPECT_EQ(d[8], 4.0f);
    EXPECT_EQ(d[9], 5.0f);
    EXPECT_EQ(d[11], GRID_MISSING_VALUE);
}

TEST(ExtrapolateBoundaryValue, StraightLineAndCoincidentPoints)
{
    const float x[] = {0.0f, 3.0f, 9.0f, 9.0f};
    const float y[] = {0.0f, 4.0f, 12.0f, 12.0f};
    struct Case {
        int u, v, w;
        float valueV, valueW, expect;
    } cases[] = {
        {0, 1, 2, 10.0f, 20.0f, 5.0f},     // d1 5, d2 10: b = -0.5
        {2, 1, 0, 10.0f, 20.0f, -10.0f},   // d1 10, d2 5: b = -2
        {0, 2, 3, 7.0f, 8.0f, 7.0f},       // v and w coincide: the neighbour's value
    };
    for (const Case &c : cases) {
        float values[4] = {0, 0, 0, 0};
        values[c.v] = c.valueV;
        values[c.w] = c.valueW;
        EXPECT_FLOAT_EQ(ExtrapolateBoundaryValue(x, y, values, c.u, c.v, c.w), c.expect);
        EXPECT_FLOAT_EQ(values[c.u], c.expect);
    }
}

} // namespace
