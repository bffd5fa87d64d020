// Line objects and drogues without windows: thin dams placed from two
// clicks near cell sides (a table of placements on a grid of active cells),
// the cell checks of dams, dry-point runs and cross sections, the open
// boundaries checked against the point types, the picks of sections and
// boundaries by a cell side, the set operations with their index checks
// (placeholders, clearing a dam, the boundary kinds) and drogue cells.
#include "line_objects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ge_list.h"
#include "grid_data.h"
#include "visarea_test_support.h"

namespace {

using namespace vatest;

constexpr float STEP = 10.0f;

GE_LineObject L(int32_t m1, int32_t n1, int32_t m2, int32_t n2, const char *name = "")
{
    GE_LineObject l{ m1, n1, m2, n2, {} };
    std::strncpy(l.name, name, sizeof l.name - 1);
    return l;
}

// A click at fraction (fx, fy) of cell (m, n) of the fixture grid (node m
// at x = (m - 1) * STEP): its side code and side.
struct Click {
    int32_t m, n, code;
    GE_LineObject side;
};
Click At(int32_t m, int32_t n, float fx, float fy)
{
    const float cx[4] = { (m - 1) * STEP, (m - 2) * STEP, (m - 2) * STEP, (m - 1) * STEP };
    const float cy[4] = { (n - 1) * STEP, (n - 1) * STEP, (n - 2) * STEP, (n - 2) * STEP };
    Click c{ m, n, 0, {} };
    c.code = GE_CellSideCode((m - 2 + fx) * STEP, (n - 2 + fy) * STEP, cx, cy, m, n, &c.side);
    return c;
}

class LineObjectTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        InstallCountingActions();
        GE_SetGrid(grid_.Refresh(), "");
    }
    GridFixture grid_{ 10, 10, STEP, STEP };
};

TEST_F(LineObjectTest, ThinDamPlacementFromTwoClicks)
{
    // A U dam point (m, n) is the side from node (m, n-1) to (m, n); a V
    // dam point the side from (m-1, n) to (m, n).
    struct Case {
        const char *what;
        Click first, end;
        int result;
        GE_LineObject dam;
        int32_t direction;
    } cases[] = {
        { "left side of one cell", At(5, 5, 0.05f, 0.4f), At(5, 5, 0.05f, 0.6f), 1, L(4, 5, 4, 5), GEdit_U_DAM },
        { "right side of one cell", At(5, 5, 0.95f, 0.4f), At(5, 5, 0.95f, 0.6f), 1, L(5, 5, 5, 5), GEdit_U_DAM },
        { "bottom side of one cell", At(5, 5, 0.4f, 0.05f), At(5, 5, 0.6f, 0.05f), 1, L(5, 4, 5, 4), GEdit_V_DAM },
        { "top side of one cell", At(5, 5, 0.4f, 0.95f), At(5, 5, 0.6f, 0.95f), 1, L(5, 5, 5, 5), GEdit_V_DAM },
        { "bottom sides along a row", At(3, 4, 0.5f, 0.05f), At(6, 4, 0.5f, 0.05f), 1, L(3, 3, 6, 3), GEdit_V_DAM },
        { "the same row clicked right to left", At(6, 4, 0.5f, 0.05f), At(3, 4, 0.5f, 0.05f), 1, L(3, 3, 6, 3),
          GEdit_V_DAM },
        { "left sides along a column", At(4, 3, 0.05f, 0.5f), At(4, 6, 0.05f, 0.5f), 1, L(3, 3, 3, 6), GEdit_U_DAM },
        { "bottom sides along a row, clicked past their middles", At(3, 4, 0.8f, 0.05f), At(6, 4, 0.8f, 0.05f), 1,
          L(3, 3, 6, 3), GEdit_V_DAM },
        { "top sides along a row", At(3, 4, 0.3f, 0.95f), At(6, 4, 0.7f, 0.95f), 1, L(3, 4, 6, 4), GEdit_V_DAM },
        { "left sides along a column, clicked past their middles", At(4, 3, 0.05f, 0.8f), At(4, 6, 0.05f, 0.8f), 1,
          L(3, 3, 3, 6), GEdit_U_DAM },
        { "right sides along a column", At(4, 6, 0.95f, 0.2f), At(4, 3, 0.95f, 0.7f), 1, L(4, 3, 4, 6), GEdit_U_DAM },
        { "opposite corners of one cell", At(5, 5, 0.1f, 0.1f), At(5, 5, 0.9f, 0.9f), 0, L(0, 0, 0, 0), 0 },
        { "the other two corners of one cell", At(5, 5, 0.9f, 0.1f), At(5, 5, 0.1f, 0.9f), 0, L(0, 0, 0, 0), 0 },
        { "a knight's move", At(3, 3, 0.5f, 0.05f), At(4, 5, 0.5f, 0.05f), -1, L(0, 0, 0, 0), 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        GE_LineObject dam = L(-1, -1, -1, -1);
        int32_t direction = -1;
        const int result = GE_ThinDamFromClicks(c.first.code, c.first.side, c.first.m, c.first.n, c.end.code,
                                                c.end.side, c.end.m, c.end.n, &dam, &direction);
        EXPECT_EQ(result, c.result);
        if (result != 1 || c.result != 1)
            continue;
        EXPECT_EQ(direction, c.direction);
        EXPECT_EQ(std::vector<int32_t>({ dam.m1, dam.n1, dam.m2, dam.n2 }),
                  std::vector<int32_t>({ c.dam.m1, c.dam.n1, c.dam.m2, c.dam.n2 }));
        EXPECT_TRUE(GE_ThinDamCellsActive(&dam, direction));
    }
}

TEST_F(LineObjectTest, DamsAndRunsNeedActiveCells)
{
    grid_.Status(4, 4) = 0;
    GE_SetGrid(grid_.Refresh(), "");
    struct Case {
        const char *what;
        GE_LineObject line;
        int32_t direction;  // -1: a dry-point run
        int ok;
    } cases[] = {
        { "dry run (3,3)-(5,5) over inactive (4,4)", L(3, 3, 5, 5), -1, 0 },
        { "dry run (3,3)-(5,4): neither straight nor diagonal", L(3, 3, 5, 4), -1, 0 },
        { "dry run (5,3)-(5,7)", L(5, 3, 5, 7), -1, 1 },
        { "dry run of one cell", L(6, 6, 6, 6), -1, 1 },
        { "dry run reaching m = 1", L(1, 3, 3, 3), -1, 0 },
        { "dry run beyond mmax", L(8, 3, 11, 3), -1, 0 },
        { "U dam between (3,4) and inactive (4,4)", L(3, 4, 3, 4), GEdit_U_DAM, 1 },
        { "V dam between inactive (4,4) and (4,5)", L(4, 4, 4, 4), GEdit_V_DAM, 1 },
        { "one-side dam outside the grid", L(11, 4, 11, 4), GEdit_U_DAM, 0 },
        { "V dam along n = 5", L(3, 5, 8, 5), GEdit_V_DAM, 1 },
        { "U dam reaching n = 1", L(5, 1, 5, 4), GEdit_U_DAM, 0 },
        { "bad direction", L(3, 5, 8, 5), 2, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.direction < 0 ? GE_DryPointCellsActive(&c.line) : GE_ThinDamCellsActive(&c.line, c.direction),
                  c.ok);
    }
    // A side with no active cell on either side.
    grid_.Status(6, 6) = 0;
    grid_.Status(7, 6) = 0;
    GE_SetGrid(grid_.Refresh(), "");
    EXPECT_EQ(GE_ThinDamCellsActive(&cases[9].line, GEdit_V_DAM), 1);
    const GE_LineObject between = L(6, 6, 6, 6);
    EXPECT_EQ(GE_ThinDamCellsActive(&between, GEdit_U_DAM), 0);
}

TEST_F(LineObjectTest, ThinDamSetIndicesAreChecked)
{
    const GE_LineObject dams[] = { L(3, 3, 6, 3, "north"), L(4, 3, 4, 6, "west") };
    const int32_t directions[] = { GEdit_V_DAM, GEdit_U_DAM };
    GE_SetThinDams(dams, 2, directions);
    GE_GlobalData &g = global_windata;
    ASSERT_EQ(g.thinDams.count, 2);
    EXPECT_EQ(g.option_loaded[GEdit_SHOW_THIN_DAMS], 1);
    GE_AddThinDam(nullptr, GEdit_U_DAM);
    ASSERT_EQ(g.thinDams.count, 3);
    EXPECT_TRUE(GE_IsPlaceholder(g.thinDams.items[2]));
    EXPECT_EQ(g.thinDams.extra[2], GEdit_U_DAM);

    // Out-of-range indices: one message each, nothing changed.
    for (int32_t bad : { -1, 3, 1000 }) {
        SCOPED_TRACE(bad);
        Counts().status.clear();
        const int redraws = Counts().redraw;
        GE_ClearThinDam(bad);
        GE_DeleteThinDam(bad);
        GE_ModifyThinDam(&dams[0], bad, GEdit_V_DAM);
        EXPECT_EQ(GE_SelectThinDam(bad), 0);
        EXPECT_EQ(Counts().status, std::vector<std::string>(4, "No valid thin dam id"));
        EXPECT_EQ(Counts().redraw, redraws);
        EXPECT_EQ(g.thinDams.count, 3);
        EXPECT_STREQ(g.thinDams.items[1].name, "west");
    }

    GE_ClearThinDam(0);
    EXPECT_TRUE(GE_IsPlaceholder(g.thinDams.items[0]));
    EXPECT_STREQ(g.thinDams.items[0].name, "");
    EXPECT_EQ(g.thinDams.extra[0], GEdit_V_DAM);
    GE_SelectThinDam(2);
    GE_DeleteThinDam(1);
    ASSERT_EQ(g.thinDams.count, 2);
    EXPECT_EQ(g.thinDams.extra[1], GEdit_U_DAM);  // the placeholder's direction moved down with it
    EXPECT_EQ(g.thinDams.selected, 1);
    GE_ModifyThinDam(&dams[1], 1, GEdit_V_DAM);
    EXPECT_STREQ(g.thinDams.items[1].name, "west");
    EXPECT_EQ(g.thinDams.extra[1], GEdit_V_DAM);
}

TEST_F(LineObjectTest, DryPointsAndDroguesKeepTheirSetsOnBadIndices)
{
    GE_GlobalData &g = global_windata;
    const GE_LineObject runs[] = { L(3, 3, 5, 5, "a") };
    GE_SetDryPoints(runs, 1);
    GE_AddDryPoint(nullptr);
    ASSERT_EQ(g.dryPoints.count, 2);
    EXPECT_TRUE(GE_IsPlaceholder(g.dryPoints.items[1]));
    Counts().status.clear();
    GE_DeleteDryPoint(2);
    GE_ModifyDryPoint(&runs[0], -1);
    GE_SelectDryPoint(5);
    EXPECT_EQ(Counts().status,
              (std::vector<std::string>{ "Dry point id invalid", "Dry point id invalid", "No valid Dry Point id" }));
    EXPECT_EQ(g.dryPoints.count, 2);

    GE_PointObject d{ 4, 4, 35.0f, 35.0f, "d1" };
    GE_SetDrogues(&d, 1);
    GE_AddDrogue(&d);
    Counts().status.clear();
    GE_DeleteDrogue(2);
    GE_ModifyDrogue(&d, 7);
    GE_SelectDrogue(-1);
    EXPECT_EQ(Counts().status, std::vector<std::string>(3, "Drogue id invalid"));
    EXPECT_EQ(g.drogues.count, 2);

    // Drogue cells from fractional indices.
    grid_.Status(4, 4) = 0;
    GE_SetGrid(grid_.Refresh(), "");
    struct Case {
        float x, y;
        int16_t valid;
    } cells[] = { { 2.5f, 2.5f, 1 }, { 3.9f, 3.1f, 0 }, { 0.5f, 3.0f, 0 }, { 9.99f, 9.0f, 1 }, { 10.0f, 9.0f, 0 },
                  { -1e30f, 2.0f, 0 } };
    for (const Case &c : cells)
        EXPECT_EQ(GE_DrogueCellValid(c.x, c.y), c.valid) << c.x << ", " << c.y;
}

std::vector<int32_t> Ends(const GE_LineObject &l) { return { l.m1, l.n1, l.m2, l.n2 }; }

// Cell sides (as GE_NearestCellSide gives them) and the index each picks.
struct Pick {
    const char *what;
    GE_LineObject side;
    int32_t index;
};
void ExpectPicks(int (*find)(const GE_LineObject *, int32_t *), const std::vector<Pick> &picks)
{
    for (const Pick &p : picks) {
        SCOPED_TRACE(p.what);
        int32_t index = 99;
        EXPECT_EQ(find(&p.side, &index), p.index >= 0 ? 1 : 0);
        EXPECT_EQ(index, p.index);
    }
}

TEST_F(LineObjectTest, CrossSectionsFromTwoGridPointsAndTheirPicks)
{
    // Grid line m = 4 has no active cell on either side at n = 4.
    grid_.Status(4, 4) = 0;
    grid_.Status(5, 4) = 0;
    GE_SetGrid(grid_.Refresh(), "");
    struct Case {
        const char *what;
        GE_LineObject nodes;
        int ok;
        std::vector<int32_t> section;
    } cases[] = {
        { "along n past inactive cells on both sides", L(4, 2, 4, 6), 0, {} },
        { "along n, drawn downwards", L(6, 6, 6, 2), 1, { 6, 2, 6, 6 } },
        { "along m", L(2, 7, 8, 7), 1, { 2, 7, 8, 7 } },
        { "along m with one side inactive", L(2, 4, 8, 4), 1, { 2, 4, 8, 4 } },
        { "along the grid's low-m edge", L(1, 2, 1, 5), 1, { 1, 2, 1, 5 } },
        { "one segment", L(6, 2, 6, 3), 0, {} },
        { "one grid point", L(6, 2, 6, 2), 0, {} },
        { "diagonal", L(2, 2, 4, 4), 0, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        GE_LineObject section{};
        EXPECT_EQ(GE_CrossSectionFromNodes(&c.nodes, &section), c.ok);
        if (c.ok) {
            EXPECT_EQ(Ends(section), c.section);
        }
    }

    const GE_LineObject sections[] = { L(GE_PLACEHOLDER, GE_PLACEHOLDER, GE_PLACEHOLDER, GE_PLACEHOLDER),
                                       L(6, 6, 6, 2, "s1"), L(2, 7, 8, 7, "s2") };
    GE_SetCrossSections(sections, 3);
    EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_CROSS_SECTIONS], 1);
    ExpectPicks(GE_FindCrossSection, {
        { "a side of constant m on section 1", L(6, 4, 6, 3), 1 },
        { "its last side, from the other end", L(6, 5, 6, 6), 1 },
        { "past its end", L(6, 6, 6, 7), -1 },
        { "a side of constant n across section 1", L(5, 4, 6, 4), -1 },
        { "a side of constant n on section 2", L(3, 7, 4, 7), 2 },
        { "the placeholder's ends", L(GE_PLACEHOLDER, GE_PLACEHOLDER, GE_PLACEHOLDER, GE_PLACEHOLDER + 1), -1 },
    });

    Counts().status.clear();
    EXPECT_EQ(GE_SelectCrossSection(3), 0);
    GE_DeleteCrossSection(-1);
    GE_ModifyCrossSection(&sections[1], 3);
    EXPECT_EQ(Counts().status, (std::vector<std::string>{ "No valid Cross section id", "Cross section id invalid",
                                                          "Cross section id invalid" }));
    EXPECT_EQ(global_windata.crossSections.count, 3);
}

class OpenBoundaryTest : public LineObjectTest {
protected:
    // Point types of an L of inside cells (2..4, 2) and (2, 3..4) on 6 x 6
    // grid points, top row first:
    //   0000000 / 0000000 / 0400000 / 2130000 / 2174000 / 2111300 / 0555000
    // Cell (3, 3) is a concave corner (type 7).
    void UseLShape()
    {
        const std::string name = WriteFile("l_shape.enc", "1 1\n5 1\n5 3\n3 3\n3 5\n1 5\n1 1\n");
        std::vector<std::vector<double>> x(6, std::vector<double>(6)), y = x;
        std::vector<double *> xr, yr;
        for (int32_t n = 0; n < 6; ++n) {
            for (int32_t m = 0; m < 6; ++m) {
                x[n][m] = m * 10.0;
                y[n][m] = n * 10.0;
            }
            xr.push_back(x[n].data());
            yr.push_back(y[n].data());
        }
        ASSERT_EQ(GE_SetGridData(6, 6, xr.data(), yr.data(), -999.0, name.c_str()), 1);
    }
};

TEST_F(OpenBoundaryTest, BoundariesBetweenTwoGridPoints)
{
    const GE_LineObject west = L(1, 1, 1, 3);
    GE_LineObject unused{};
    EXPECT_EQ(GE_OpenBoundaryFromNodes(&west, 1, &unused), GE_BOUNDARY_INVALID) << "no point types yet";
    UseLShape();
    struct Case {
        const char *what;
        GE_LineObject nodes;
        int waterLevel;
        int result;
        std::vector<int32_t> cells;
    } cases[] = {
        { "the corner, a water-level boundary", L(2, 3, 3, 2), 1, 1, { 3, 3, 3, 3 } },
        { "the corner, another kind", L(2, 3, 3, 2), 0, -1, {} },
        { "one segment on the low-m side", L(1, 1, 1, 2), 0, 1, { 1, 2, 1, 2 } },
        { "a run on the low-m side", L(1, 4, 1, 1), 0, 1, { 1, 2, 1, 4 } },
        { "a run leaving the boundary", L(1, 1, 1, 5), 0, -2, {} },
        { "a run on the low-n side", L(2, 1, 4, 1), 0, 1, { 3, 1, 4, 1 } },
        { "along m through the corner cell", L(3, 2, 3, 3), 1, -2, {} },
        { "one grid point", L(1, 2, 1, 2), 1, -2, {} },
        { "neither straight nor diagonal", L(1, 1, 2, 3), 1, -2, {} },
        { "inside cells", L(2, 2, 2, 4), 1, -2, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        GE_LineObject cells{};
        EXPECT_EQ(GE_OpenBoundaryFromNodes(&c.nodes, c.waterLevel, &cells), c.result);
        if (c.result == 1) {
            EXPECT_EQ(Ends(cells), c.cells);
        }
    }
}

TEST_F(OpenBoundaryTest, SetsTakeCellsAndKeepGridPointsWithTheirKinds)
{
    UseLShape();
    GE_GlobalData &g = global_windata;
    const GE_LineObject given[] = { L(1, 2, 1, 4, "west"), L(3, 3, 3, 3, "corner") };
    auto *kinds = static_cast<int32_t *>(GE_Alloc(2 * sizeof(int32_t)));
    kinds[0] = 2;
    kinds[1] = 1;
    GE_SetOpenBoundaries(given, 2, kinds);
    ASSERT_EQ(g.openBoundaries.count, 2);
    EXPECT_EQ(g.openBoundaries.extra, kinds);  // taken over, not copied
    EXPECT_EQ(g.option_loaded[GEdit_SHOW_OPEN_BOUNDARIES], 1);
    EXPECT_EQ(Ends(g.openBoundaries.items[0]), (std::vector<int32_t>{ 1, 1, 1, 4 }));
    EXPECT_EQ(Ends(g.openBoundaries.items[1]), (std::vector<int32_t>{ 2, 3, 3, 2 }));
    EXPECT_STREQ(g.openBoundaries.items[1].name, "corner");

    // Added lines are taken in cells like set ones.
    const GE_LineObject south = L(3, 1, 4, 1, "south");
    GE_AddOpenBoundary(&south, 3);
    GE_AddOpenBoundary(nullptr, 4);
    ASSERT_EQ(g.openBoundaries.count, 4);
    EXPECT_EQ(Ends(g.openBoundaries.items[2]), (std::vector<int32_t>{ 2, 1, 4, 1 }));
    EXPECT_TRUE(GE_IsPlaceholder(g.openBoundaries.items[3]));
    EXPECT_EQ(std::vector<int32_t>(g.openBoundaries.extra, g.openBoundaries.extra + 4),
              (std::vector<int32_t>{ 2, 1, 3, 4 }));

    // Picks by a cell side: along n for sides of constant m, along m for
    // sides of constant n, the diagonal through the side's first point.
    ExpectPicks(GE_FindOpenBoundary, {
        { "a side of the west run", L(1, 3, 1, 2), 0 },
        { "past its end", L(1, 4, 1, 5), -1 },
        { "from the corner's first point", L(2, 3, 2, 2), 1 },
        { "from a point off the corner", L(3, 3, 3, 2), -1 },
        { "a side of the south run", L(4, 1, 3, 1), 2 },
        { "a side of constant m at the south run", L(3, 1, 3, 2), -1 },
    });

    GE_ModifyOpenBoundary(&south, 0, 1);
    EXPECT_EQ(Ends(g.openBoundaries.items[0]), (std::vector<int32_t>{ 2, 1, 4, 1 }));
    EXPECT_EQ(g.openBoundaries.extra[0], 1);
    GE_SelectOpenBoundary(3);
    GE_DeleteOpenBoundary(1);
    ASSERT_EQ(g.openBoundaries.count, 3);
    EXPECT_EQ(std::vector<int32_t>(g.openBoundaries.extra, g.openBoundaries.extra + 3),
              (std::vector<int32_t>{ 1, 3, 4 }));
    EXPECT_EQ(g.openBoundaries.selected, 2);

    Counts().status.clear();
    EXPECT_EQ(GE_SelectOpenBoundary(-1), 0);
    GE_DeleteOpenBoundary(3);
    GE_ModifyOpenBoundary(&south, 7, 1);
    EXPECT_EQ(Counts().status, (std::vector<std::string>{ "No valid Open boundary id", "Open boundary id invalid",
                                                          "Open boundary id invalid" }));
    EXPECT_EQ(g.openBoundaries.count, 3);

    // A refused set keeps the boundaries and frees the array it was given.
    auto *unused = static_cast<int32_t *>(GE_Alloc(sizeof(int32_t)));
    GE_SetOpenBoundaries(given, -1, unused);
    EXPECT_EQ(g.openBoundaries.count, 3);
}

}  // namespace
