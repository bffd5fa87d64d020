// Transforms between pixels and world coordinates, and the cell lookup: the
// index answers exactly as the literal scan on curvilinear grids with holes,
// degenerate cells, corners, edges and points outside.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "visarea_test_support.h"

namespace {

using vatest::GridFixture;

class LookupTest : public vatest::LibraryTest {};

TEST(Transforms, WorldToPixelRoundsClampsAndTruncates)
{
    struct Case {
        float x, y, xs, ys;
        int16_t px, py;
    } cases[] = {
        {0.0f, 0.0f, 2.0f, 2.0f, 400, 299},        // the world centre: pixel centre (py - 0.5 truncated)
        {10.0f, 5.0f, 2.0f, 2.0f, 420, 289},
        {-10.0f, -5.0f, 2.0f, 2.0f, 380, 309},
        {1e9f, -1e9f, 1.0f, 1.0f, 32767, 32767},   // limited to the 16-bit range
        {-1e9f, 1e9f, 1.0f, 1.0f, -32767, -32767},
        {0.2f, 0.0f, 1.0f, 1.0f, 400, 299},        // 400.7 truncates to 400
    };
    for (const Case &c : cases) {
        int16_t px = 0, py = 0;
        GE_WorldToPixel(400, 300, 0.0f, 0.0f, c.x, c.y, c.xs, c.ys, &px, &py);
        EXPECT_EQ(px, c.px) << c.x << " " << c.y;
        EXPECT_EQ(py, c.py) << c.x << " " << c.y;
    }
    float x = 0, y = 0;
    GE_PixelToWorld(400, 300, 1000.0f, 2000.0f, 420, 290, 2.0f, 4.0f, &x, &y);
    EXPECT_FLOAT_EQ(x, 1010.0f);
    EXPECT_FLOAT_EQ(y, 2002.5f);
    // Spherical coordinates narrow x by the cosine of the latitude.
    EXPECT_FLOAT_EQ(GE_ScaleX(1, 3.0f, 60.0f), 3.0f);
    EXPECT_NEAR(GE_ScaleX(0, 3.0f, 60.0f), 1.5f, 1e-6);
}

TEST_F(LookupTest, FitScaleWithAndWithoutAWorld)
{
    // Nothing loaded: 0.9 x the smaller side less 22.
    EXPECT_FLOAT_EQ(GE_FitScale(622, 422), 0.9f * 400.0f);
    GridFixture grid(11, 6);  // 100 x 50 world units
    GE_SetGrid(&grid.input, "");
    EXPECT_FLOAT_EQ(GE_FitScale(622, 422), 0.9f * std::min(600.0f / 100.0f, 400.0f / 50.0f));
}

TEST_F(LookupTest, CellsAreNamedByTheirUpperCorner)
{
    GridFixture grid(4, 3);  // nodes 10 apart, all inner cells active
    GE_SetGrid(&grid.input, "");
    struct Case {
        float x, y;
        int32_t m, n;
    } cases[] = {
        {5.0f, 5.0f, 2, 2},
        {25.0f, 15.0f, 4, 3},
        {10.05f, 10.05f, 2, 2},  // within the corner tolerance: the first cell having that corner
        {35.0f, 5.0f, -1, -1},   // outside the grid
        {-5.0f, 5.0f, -1, -1},
    };
    for (const Case &c : cases) {
        int32_t m = 0, n = 0;
        const int found = GE_FindCell(nullptr, 0, 0, 3, 2, 1, c.x, c.y, &m, &n);
        EXPECT_EQ(found != 0, c.m > 0) << c.x << " " << c.y;
        EXPECT_EQ(m, c.m) << c.x << " " << c.y;
        EXPECT_EQ(n, c.n) << c.x << " " << c.y;
    }
}

TEST_F(LookupTest, AGridOfOneRowHasNoCells)
{
    GridFixture grid(5, 1);
    GE_SetGrid(&grid.input, "");
    int32_t m = 0, n = 0;
    EXPECT_EQ(GE_FindCell(nullptr, 0, 0, 4, 0, 1, 5.0f, 0.0f, &m, &n), 0);
    EXPECT_EQ(m, -1);
    EXPECT_EQ(n, -1);
}

// A curvilinear grid (a bent, sheared lattice) with holes in its status,
// a few missing nodes and, optionally, cells that are degenerate or have
// corners that are no numbers, or rows that widen geometrically (many
// small cells share one part of the index).
GridFixture CurvedGrid(int32_t mmax, int32_t nmax, std::mt19937 &random, bool damaged, bool graded = false)
{
    GridFixture grid(mmax, nmax);
    std::uniform_real_distribution<float> jitter(-0.2f, 0.2f);
    for (int32_t j = 0; j < nmax; ++j)
        for (int32_t i = 0; i < mmax; ++i) {
            const size_t k = static_cast<size_t>(j) * mmax + i;
            const float r = graded ? 100.0f * std::pow(1.15f, static_cast<float>(j)) : 100.0f + j * 3.0f;
            const float a = i * 0.01f;
            grid.x[k] = r * std::cos(a) * 10.0f + jitter(random);
            grid.y[k] = r * std::sin(a) * 10.0f + i * 0.5f + jitter(random);
        }
    std::uniform_int_distribution<int> pick(0, 9);
    for (int32_t n = 2; n <= nmax; ++n)
        for (int32_t m = 2; m <= mmax; ++m)
            if (pick(random) == 0)
                grid.Status(m, n) = 0;
    if (damaged) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        grid.x[static_cast<size_t>(nmax / 2) * mmax + mmax / 3] = nan;
        // A cell squeezed onto a line, and one folded onto a single point.
        const size_t a = static_cast<size_t>(nmax / 3) * mmax + mmax / 2;
        grid.x[a + 1] = grid.x[a] + 1.0f;
        grid.y[a + 1] = grid.y[a];
        grid.x[a + mmax] = grid.x[a] + 2.0f;
        grid.y[a + mmax] = grid.y[a];
        grid.x[a + mmax + 1] = grid.x[a] + 3.0f;
        grid.y[a + mmax + 1] = grid.y[a];
        const size_t b = static_cast<size_t>(2 * nmax / 3) * mmax + 2;
        for (size_t k : {b + 1, b + mmax, b + mmax + 1}) {
            grid.x[k] = grid.x[b];
            grid.y[k] = grid.y[b];
        }
    }
    grid.input.missingValue = -1.0f;
    grid.x[5] = grid.y[5] = -1.0f;  // a missing node
    grid.Refresh();
    return grid;
}

// The points to ask: random ones over and round the grid, every node, the
// middles of edges and of cells, and points just beside nodes.
std::vector<std::pair<float, float>> Probes(const GridFixture &grid, std::mt19937 &random, int count)
{
    std::vector<std::pair<float, float>> points;
    float x0 = FLT_MAX, x1 = -FLT_MAX, y0 = FLT_MAX, y1 = -FLT_MAX;
    for (size_t k = 0; k < grid.x.size(); ++k) {
        if (!std::isfinite(grid.x[k]))
            continue;
        x0 = std::min(x0, grid.x[k]);
        x1 = std::max(x1, grid.x[k]);
        y0 = std::min(y0, grid.y[k]);
        y1 = std::max(y1, grid.y[k]);
    }
    const float wx = x1 - x0, wy = y1 - y0;
    std::uniform_real_distribution<float> ux(x0 - 0.2f * wx, x1 + 0.2f * wx), uy(y0 - 0.2f * wy, y1 + 0.2f * wy);
    for (int k = 0; k < count; ++k)
        points.emplace_back(ux(random), uy(random));
    std::uniform_real_distribution<float> near(-0.05f, 0.05f);
    for (int32_t j = 0; j + 1 < grid.nmax; ++j)
        for (int32_t i = 0; i + 1 < grid.mmax; ++i) {
            const size_t k = static_cast<size_t>(j) * grid.mmax + i;
            points.emplace_back(grid.x[k], grid.y[k]);
            points.emplace_back((grid.x[k] + grid.x[k + 1]) / 2, (grid.y[k] + grid.y[k + 1]) / 2);
            points.emplace_back((grid.x[k] + grid.x[k + grid.mmax]) / 2, (grid.y[k] + grid.y[k + grid.mmax]) / 2);
            points.emplace_back((grid.x[k] + grid.x[k + grid.mmax + 1]) / 2,
                                (grid.y[k] + grid.y[k + grid.mmax + 1]) / 2);
            points.emplace_back(grid.x[k] + near(random), grid.y[k] + near(random));
        }
    // On the line of the squeezed cell, far beyond it.
    points.emplace_back(1e6f, grid.y[static_cast<size_t>(grid.nmax / 3) * grid.mmax + grid.mmax / 2]);
    return points;
}

TEST_F(LookupTest, TheIndexAnswersAsTheScan)
{
    std::mt19937 random(20261210);
    for (const auto &[damaged, graded] : {std::pair{false, false}, std::pair{true, false}, std::pair{false, true}}) {
        GridFixture grid = CurvedGrid(60, 40, random, damaged, graded);
        GE_SetGrid(&grid.input, "");
        int differences = 0, found = 0;
        const auto probes = Probes(grid, random, 4000);
        for (const auto &[x, y] : probes) {
            int32_t sm, sn, im, in;
            const int scan = GE_ScanCell(0, 0, grid.mmax - 1, grid.nmax - 1, 1, x, y, &sm, &sn);
            const int index = GE_FindCell(nullptr, 0, 0, grid.mmax - 1, grid.nmax - 1, 1, x, y, &im, &in);
            found += scan != 0;
            if ((scan != 0) != (index != 0) || sm != im || sn != in) {
                if (++differences <= 5)
                    ADD_FAILURE() << "at (" << x << ", " << y << "): scan " << sm << "," << sn << " index " << im
                                  << "," << in << (damaged ? " (damaged grid)" : graded ? " (graded grid)" : "");
            }
        }
        EXPECT_EQ(differences, 0);
        EXPECT_GT(found, static_cast<int>(probes.size() / 3));
    }
}

TEST_F(LookupTest, TheIndexFollowsANewCellStatus)
{
    GridFixture grid(6, 6);
    GE_SetGrid(&grid.input, "");
    int32_t m, n;
    ASSERT_NE(GE_FindCell(nullptr, 0, 0, 5, 5, 1, 45.0f, 45.0f, &m, &n), 0);
    EXPECT_EQ(m, 6);
    ASSERT_EQ(GE_LoadEnclosure(vatest::WriteFile("small.enc", "1 1\n4 1\n4 4\n1 4\n1 1\n").c_str()), 1);
    EXPECT_EQ(GE_FindCell(nullptr, 0, 0, 5, 5, 1, 45.0f, 45.0f, &m, &n), 0);
    EXPECT_NE(GE_FindCell(nullptr, 0, 0, 5, 5, 1, 15.0f, 15.0f, &m, &n), 0);
    // A new grid replaces the index with its own.
    GridFixture wide(6, 6, 100.0f, 100.0f);
    GE_SetGrid(&wide.input, "");
    ASSERT_NE(GE_FindCell(nullptr, 0, 0, 5, 5, 1, 450.0f, 450.0f, &m, &n), 0);
    EXPECT_EQ(m, 6);
    EXPECT_EQ(n, 6);
}

}  // namespace
