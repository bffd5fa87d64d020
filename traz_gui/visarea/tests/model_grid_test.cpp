// The model grid and its bathymetry: copies of the host's arrays, valid
// nodes from the cell status, replacing and unloading a grid, the depth
// rules, colour scales and the depth under a point.
#include <gtest/gtest.h>

#include <cfloat>
#include <algorithm>
#include <cmath>

#include "visarea_test_support.h"

namespace {

using vatest::Counts;
using vatest::GridFixture;

class GridTest : public vatest::LibraryTest {};

// Valid flags of all nodes as text rows, n = 1 first.
std::string ValidRows()
{
    std::string text;
    for (int32_t n = 1; n <= global_windata.grid.nmax; ++n) {
        for (int32_t m = 1; m <= global_windata.grid.mmax; ++m)
            text += static_cast<char>('0' + GE_GridPointValid(m, n));
        text += '\n';
    }
    return text;
}

// Cell centres: the mean of the corners, at the grid's edge with the
// corners that are not valid carried on along their grid lines.
TEST_F(GridTest, CellCentresCarryTheGridOnAtItsEdge)
{
    GridFixture grid(6, 6);
    for (int32_t n = 2; n <= 6; ++n)
        grid.Status(6, n) = 0;  // the last column: its far nodes not valid
    GE_SetGrid(grid.Refresh(), "");
    ASSERT_EQ(GE_GridPointValid(6, 3), 0);
    struct Case {
        int32_t m, n;
        int found;
        float x, y;
    } cases[] = {
        {3, 3, 1, 15.0f, 15.0f},   // inside
        {6, 3, 1, 45.0f, 15.0f},   // two corners carried on along m
        {2, 2, 1, 5.0f, 5.0f},     // the first cell
        {1, 3, 0, 0, 0},           // no cell
        {7, 3, 0, 0, 0},
    };
    for (const Case &c : cases) {
        float x = -1, y = -1;
        EXPECT_EQ(GE_CellCentre(c.m, c.n, &x, &y), c.found) << c.m << "," << c.n;
        if (c.found) {
            EXPECT_FLOAT_EQ(x, c.x) << c.m << "," << c.n;
            EXPECT_FLOAT_EQ(y, c.y) << c.m << "," << c.n;
        }
    }
}

TEST_F(GridTest, ValidNodesFollowTheActiveCells)
{
    struct Case {
        const char *what;
        std::vector<std::pair<int, int>> active;  // 1-based cells
        const char *rows;
    } cases[] = {
        {"no active cell", {}, "0000\n0000\n0000\n"},
        {"one cell", {{2, 2}}, "3300\n3300\n0000\n"},
        {"two cells side by side along m", {{2, 2}, {3, 2}}, "3330\n3330\n0000\n"},
        {"a block of four", {{2, 2}, {3, 2}, {2, 3}, {3, 3}}, "3330\n3130\n3330\n"},
    };
    for (const Case &c : cases) {
        GridFixture grid(4, 3);
        std::fill(grid.status.begin(), grid.status.end(), 0);
        for (auto [m, n] : c.active)
            grid.Status(m, n) = 1;
        GE_SetGrid(grid.Refresh(), "");
        EXPECT_EQ(ValidRows(), c.rows) << c.what;
    }
}

TEST_F(GridTest, ANodeAtTheMissingValueInBothCoordinatesIsNeverValid)
{
    GridFixture grid(3, 3);
    grid.input.missingValue = 0.0f;
    grid.x[4] = 0.0f;  // node (2, 2): x only
    grid.y[4] = 10.0f;
    GE_SetGrid(&grid.input, "");
    EXPECT_EQ(GE_GridPointValid(1, 1), 0);  // x = y = 0 = the missing value
    EXPECT_NE(GE_GridPointValid(2, 2), 0);
    EXPECT_NE(GE_GridPointValid(3, 3), 0);
}

TEST_F(GridTest, TheLibraryKeepsCopiesOfTheGrid)
{
    GridFixture grid(3, 2);
    GE_SetGrid(&grid.input, "");
    grid.x.assign(grid.x.size(), -1.0f);
    grid.status.assign(grid.status.size(), 0);
    EXPECT_EQ(global_windata.grid.xcoord[1], 10.0f);
    EXPECT_EQ(GE_CellStatus(2, 2), 1);
    EXPECT_EQ(GE_CellStatus(0, 2), 0);
    EXPECT_EQ(GE_CellStatus(5, 2), 0);  // beyond mmax + 1
}

TEST_F(GridTest, ANewGridReplacesTheOldOneAndItsDepths)
{
    vatest::InstallCountingActions();
    GE_EnableViewAttribute(GEdit_SHOW_BATHYMETRY);
    GridFixture first(5, 4);
    GE_SetGrid(&first.input, "");
    std::vector<float> depth(20, 8.0f);
    GE_SetDepth(depth.data());
    float z = 0.0f;
    ASSERT_EQ(GE_InterpolateDepth(3, 3, 15.0f, 15.0f, &z), 1);

    GridFixture second(3, 2);
    GE_SetGrid(&second.input, "");
    const GE_GlobalData &g = global_windata;
    EXPECT_EQ(g.grid.mmax, 3);
    EXPECT_EQ(g.option_loaded[GEdit_SHOW_BATHYMETRY], 0);
    // No depth of the old grid is read with the new sizes.
    EXPECT_EQ(g.depth.depth, nullptr);
    EXPECT_EQ(g.depth.mmax, 0);
    EXPECT_EQ(GE_InterpolateDepth(2, 2, 5.0f, 5.0f, &z), 0);
    EXPECT_EQ(g.zmin, FLT_MAX);
    EXPECT_EQ(Counts().gridSet, 2);
    EXPECT_EQ(Counts().depthSet, 1);
}

// A grid of the size shown (the model read again) is written into the
// blocks that hold the old one, and the old depths' blocks serve the new
// depths; nothing of the old grid or its depths shows through.
TEST_F(GridTest, AGridOfTheSameSizeTakesTheBlocksOfTheOldOne)
{
    GE_EnableViewAttribute(GEdit_SHOW_BATHYMETRY);
    const GE_GlobalData &g = global_windata;
    GridFixture second(5, 4, 20.0f, 20.0f);   // other coordinates
    second.Status(3, 3) = 0;                  // and a cell no longer active
    GE_SetGrid(second.Refresh(), "");
    const std::string secondRows = ValidRows();
    GE_FreeGrid();

    GridFixture first(5, 4);
    GE_SetGrid(&first.input, "");
    std::vector<float> depth(20, 8.0f);
    GE_SetDepth(depth.data());
    float z = 0.0f, cx = 0.0f, cy = 0.0f;
    ASSERT_EQ(GE_CellCentre(2, 2, &cx, &cy), 1);
    ASSERT_FLOAT_EQ(cx, 5.0f);
    const float *x = g.grid.xcoord, *oldDepth = g.depth.depth;

    GE_SetGrid(&second.input, "");
    EXPECT_EQ(g.grid.xcoord, x);
    EXPECT_EQ(g.grid.xcoord[1], 20.0f);
    EXPECT_EQ(GE_CellStatus(3, 3), 0);
    EXPECT_EQ(ValidRows(), secondRows);
    ASSERT_EQ(GE_CellCentre(2, 2, &cx, &cy), 1);   // the cell lookups see the new grid
    EXPECT_FLOAT_EQ(cx, 10.0f);
    // The old depths are not shown on the new grid.
    EXPECT_EQ(g.option_loaded[GEdit_SHOW_BATHYMETRY], 0);
    EXPECT_EQ(g.depth.depth, nullptr);
    EXPECT_EQ(GE_InterpolateDepth(2, 2, 10.0f, 10.0f, &z), 0);

    std::vector<float> newDepth(20, 3.0f);
    newDepth[0] = -999.0f;
    GE_SetDepth(newDepth.data());
    EXPECT_EQ(g.depth.depth, oldDepth);
    EXPECT_EQ(g.depth.xcoord[1], 20.0f);
    EXPECT_EQ(g.depth.valid_point[0], 0);
    EXPECT_EQ(g.zmin, 3.0f);
    EXPECT_EQ(g.zmax, 3.0f);

    // A grid of another size takes new blocks and lets the old depths go.
    GridFixture third(3, 2);
    GE_SetGrid(&third.input, "");
    EXPECT_EQ(g.grid.mmax, 3);
    EXPECT_EQ(g.depth.depth, nullptr);
    std::vector<float> thirdDepth(6, 5.0f);
    GE_SetDepth(thirdDepth.data());
    EXPECT_EQ(g.depth.mmax, 3);
    EXPECT_EQ(g.zmax, 5.0f);
}

TEST_F(GridTest, AGridWithoutNodesUnloadsTheGrid)
{
    GridFixture grid(3, 3);
    GE_SetGrid(&grid.input, "");
    GE_GridInput empty{};
    GE_SetGrid(&empty, "");
    EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_GRID], 0);
    EXPECT_EQ(global_windata.grid.xcoord, nullptr);
    GE_ComputeBounds();  // no grid: nothing to assert on
    EXPECT_EQ(global_windata.xmax, -FLT_MAX);
    GE_SetGrid(nullptr, "");
    EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_GRID], 0);
}

TEST_F(GridTest, AnEnclosureNameOverridesTheInputsCellStatus)
{
    GridFixture grid(6, 6);
    std::fill(grid.status.begin(), grid.status.end(), 0);
    const std::string name = vatest::WriteFile("square.enc", "1 1\n5 1\n5 5\n1 5\n1 1\n");
    GE_SetGrid(grid.Refresh(), name.c_str());
    EXPECT_EQ(GE_CellStatus(3, 3), 1);
    EXPECT_EQ(GE_CellStatus(1, 3), 2);
    EXPECT_EQ(GE_CellStatus(6, 6), 0);
    // A file that cannot be read gives the default enclosure.
    GE_SetGrid(grid.Refresh(), "no such file.enc");
    EXPECT_EQ(GE_CellStatus(6, 6), 1);
    EXPECT_EQ(GE_CellStatus(7, 6), 2);
}

TEST_F(GridTest, GridEdgesAreDrawnBesideAnActiveCell)
{
    GridFixture grid(4, 3);
    std::fill(grid.status.begin(), grid.status.end(), 0);
    grid.Status(2, 2) = 1;
    grid.Status(3, 2) = 2;
    GE_SetGrid(grid.Refresh(), "");
    // 0-based: node (1, 1) with its cells (1, 1) (active) and (1, 2).
    EXPECT_EQ(GE_GridEdgeVisible(1, 1, 1, 2), 1);
    // Boundary on one side and inactive on the other: not drawn.
    EXPECT_EQ(GE_GridEdgeVisible(2, 1, 2, 2), 0);
    // An invalid node draws nothing.
    EXPECT_EQ(GE_GridEdgeVisible(3, 2, 3, 3), 0);
}

TEST_F(GridTest, DepthsAtOrBelowMinus999AreMissing)
{
    GridFixture grid(3, 3);
    GE_SetGrid(&grid.input, "");
    std::vector<float> depth = {1, 2, 3, 4, -999.0f, 6, -1500.0f, -999.0000001f, 9};
    GE_SetDepth(depth.data());
    const GE_DepthState &d = global_windata.depth;
    EXPECT_EQ(d.valid_point[4], 0);
    EXPECT_EQ(d.valid_point[6], 0);
    EXPECT_EQ(d.valid_point[7], 0);
    EXPECT_NE(d.valid_point[8], 0);
    // A depth below -999 does not stretch the scale.
    EXPECT_EQ(global_windata.zmin, 1.0f);
    EXPECT_EQ(global_windata.zmax, 9.0f);
}

TEST_F(GridTest, DepthUnderAPointUsesTheCornersWithADepth)
{
    GridFixture grid(3, 3);  // nodes 10 apart
    GE_SetGrid(&grid.input, "");
    // Cell (2, 2) has corner nodes (1,1) (2,1) (1,2) (2,2): indices 0, 1, 3, 4.
    std::vector<float> depth = {4, -999, 0, -999, 8, 0, 0, 0, 0};
    GE_SetDepth(depth.data());
    float z = -1.0f;
    // Equally far from the two corners with a depth: their mean.
    ASSERT_EQ(GE_InterpolateDepth(2, 2, 5.0f, 5.0f, &z), 1);
    EXPECT_FLOAT_EQ(z, 6.0f);
    // On a corner: that corner's depth, no division by zero.
    ASSERT_EQ(GE_InterpolateDepth(2, 2, 10.0f, 10.0f, &z), 1);
    EXPECT_EQ(z, 8.0f);
    // On a corner without a depth: the others.
    ASSERT_EQ(GE_InterpolateDepth(2, 2, 10.0f, 0.0f, &z), 1);
    EXPECT_TRUE(std::isfinite(z));
    // No corner with a depth: no depth.
    std::vector<float> none(9, -999.0f);
    GE_SetDepth(none.data());
    EXPECT_EQ(GE_InterpolateDepth(2, 2, 5.0f, 5.0f, &z), 0);
    // Cells outside the grid.
    EXPECT_EQ(GE_InterpolateDepth(1, 2, 5.0f, 5.0f, &z), 0);
    EXPECT_EQ(GE_InterpolateDepth(4, 2, 5.0f, 5.0f, &z), 0);
}

TEST(DepthScale, ColourTablesAndClassBounds)
{
    const uint32_t *colors = nullptr;
    ASSERT_EQ(GE_DepthColorTable(0, &colors), 12);
    EXPECT_EQ(colors[0], 0xB3FFFFu);
    EXPECT_EQ(colors[11], 0x1F6BD6u);
    ASSERT_EQ(GE_DepthColorTable(1, &colors), 20);
    EXPECT_EQ(colors[0], 0x0000C2u);
    EXPECT_EQ(colors[19], 0xFF2200u);
    EXPECT_FLOAT_EQ(GE_DepthClassBound(0.0f, 12.0f, 3, 12), 3.0f);
    EXPECT_FLOAT_EQ(GE_DepthClassBound(-5.0f, 15.0f, 0, 20), -5.0f);

    struct Case {
        float dmin, dmax;
        int expected;
    } cases[] = {
        {0.0f, 0.0f, 0},     // wholly at zmin: colour 0
        {0.5f, 0.7f, 1},     // below b(1)
        {3.2f, 3.9f, 4},     // inside [b(3), b(4))
        {11.0f, 12.0f, 11},  // at or above b(n-1)
        {2.5f, 3.5f, -1},    // spans b(3): more than one band
    };
    for (const Case &c : cases)
        EXPECT_EQ(GE_DepthCellColorIndex(c.dmin, c.dmax, 0.0f, 12.0f, 12), c.expected) << c.dmin << " " << c.dmax;
    // All depths equal: every cell in colour 0.
    EXPECT_EQ(GE_DepthCellColorIndex(4.0f, 4.0f, 4.0f, 4.0f, 12), 0);
}

struct Band {
    int colour;
    std::vector<int32_t> x, y;
};

std::vector<Band> Bands(const float depth[4], float zmin, float zmax, int n)
{
    const int32_t px[4] = {0, 120, 120, 0}, py[4] = {0, 0, 120, 120};
    std::vector<float> bounds;
    for (int k = 0; k < n; ++k)
        bounds.push_back(GE_DepthClassBound(zmin, zmax, k, n));
    std::vector<Band> bands;
    GE_DepthBands(px, py, depth, bounds.data(), n,
                  [](void *context, int colour, const int32_t *x, const int32_t *y, int count) {
                      static_cast<std::vector<Band> *>(context)->push_back(
                          {colour, std::vector<int32_t>(x, x + count), std::vector<int32_t>(y, y + count)});
                  },
                  &bands);
    return bands;
}

double Area(const Band &b)
{
    double twice = 0.0;
    const size_t n = b.x.size();
    for (size_t k = 0; k < n; ++k) {
        const size_t j = (k + 1) % n;
        twice += double(b.x[k]) * b.y[j] - double(b.x[j]) * b.y[k];
    }
    return std::fabs(twice) / 2.0;
}

TEST(DepthBands, ACellInOneBandIsFilledWhole)
{
    const float inside[4] = {3.5f, 3.5f, 3.5f, 3.5f};
    auto bands = Bands(inside, 0.0f, 12.0f, 12);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].colour, 4);
    EXPECT_EQ(bands[0].x.size(), 5u);
    EXPECT_EQ(Area(bands[0]), 120.0 * 120.0);
    // All depths at zmin: colour 0, the four corners.
    const float bottom[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    bands = Bands(bottom, 0.0f, 12.0f, 12);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].colour, 0);
    EXPECT_EQ(bands[0].x.size(), 4u);
    // At or above b(n-1): the last colour.
    const float top[4] = {11.5f, 12.0f, 11.0f, 11.2f};
    bands = Bands(top, 0.0f, 12.0f, 12);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].colour, 11);
}

TEST(DepthBands, AGradientIsCutIntoStripsThatCoverTheCell)
{
    // Depth rising with x from 0 to 12 over 12 classes: a strip per class.
    const float depth[4] = {0.0f, 12.0f, 12.0f, 0.0f};
    const auto bands = Bands(depth, 0.0f, 12.0f, 12);
    double area = 0.0;
    std::vector<int> colours;
    for (const Band &b : bands) {
        area += Area(b);
        colours.push_back(b.colour);
        for (size_t k = 0; k < b.x.size(); ++k) {
            EXPECT_GE(b.x[k], 0);
            EXPECT_LE(b.x[k], 120);
        }
        EXPECT_EQ(b.x.front(), b.x.back());
        EXPECT_EQ(b.y.front(), b.y.back());
    }
    EXPECT_NEAR(area, 120.0 * 120.0, 120.0 * 12);  // crossings are truncated to whole pixels
    for (int c = 1; c <= 11; ++c)
        EXPECT_NE(std::find(colours.begin(), colours.end(), c), colours.end()) << c;
    EXPECT_EQ(std::find(colours.begin(), colours.end(), 0), colours.end());
}

}  // namespace
