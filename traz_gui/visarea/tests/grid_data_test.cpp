// The grid with point types: built with the default types or from an
// enclosure file, its node types, replaced and dropped with the grid; and
// the line helpers of cross sections and open boundaries as tables of
// lines between grid points and cells.
#include "grid_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "visarea_test_support.h"

namespace {

using vatest::WriteFile;

GE_LineObject L(int32_t m1, int32_t n1, int32_t m2, int32_t n2) { return GE_LineObject{ m1, n1, m2, n2, "b1" }; }
std::vector<int32_t> Ends(const GE_LineObject &l) { return { l.m1, l.n1, l.m2, l.n2 }; }

// A grid of mmax x nmax nodes 10 apart, as rows of doubles.
struct Rows {
    std::vector<std::vector<double>> x, y;
    std::vector<double *> xr, yr;
    Rows(int32_t mmax, int32_t nmax)
    {
        for (int32_t n = 0; n < nmax; ++n) {
            x.emplace_back();
            y.emplace_back();
            for (int32_t m = 0; m < mmax; ++m) {
                x.back().push_back(10.0 * m);
                y.back().push_back(10.0 * n);
            }
        }
        for (int32_t n = 0; n < nmax; ++n) {
            xr.push_back(x[n].data());
            yr.push_back(y[n].data());
        }
    }
};

// Cell types of the process's record, top row first.
std::vector<std::string> Picture()
{
    const GE_GridData *d = GE_CurrentGridData();
    std::vector<std::string> rows;
    for (int32_t n = d->nmax + 1; n >= 1; --n) {
        std::string row;
        for (int32_t m = 1; m <= d->mmax + 1; ++m)
            row += static_cast<char>('0' + GE_GridPointType(nullptr, m, n));
        rows.push_back(row);
    }
    return rows;
}

class GridDataTest : public vatest::LibraryTest {};

TEST_F(GridDataTest, DefaultTypesNodeTypesAndLifetime)
{
    Rows rows(4, 3);
    rows.x[1][2] = rows.y[1][2] = -999.0;  // node (3, 2) missing
    ASSERT_EQ(GE_SetGridData(4, 3, rows.xr.data(), rows.yr.data(), -999.0, ""), 1);
    EXPECT_EQ(Picture(), (std::vector<std::string>{ "04440", "21113", "21113", "05550" }));
    // Nodes on an edge between inside and boundary cells are 3, between two
    // inside cells 1; the missing one is not valid.
    const GE_GridData *d = GE_CurrentGridData();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->gridPointType, (std::vector<int32_t>{ 3, 3, 3, 3,    //
                                                       3, 1, 0, 3,    //
                                                       3, 3, 3, 3 }));
    EXPECT_EQ(d->x[1 * 4 + 1], 10.0);

    // A file that cannot be read gives the default types too.
    ASSERT_EQ(GE_SetGridData(4, 3, rows.xr.data(), rows.yr.data(), -999.0, "no such.enc"), 1);
    EXPECT_EQ(Picture()[1], "21113");
    // Unusable sizes or rows leave no record.
    EXPECT_EQ(GE_SetGridData(0, 3, rows.xr.data(), rows.yr.data(), -999.0, ""), 0);
    EXPECT_EQ(GE_CurrentGridData(), nullptr);
    std::vector<double *> holed = rows.xr;
    holed[2] = nullptr;
    EXPECT_EQ(GE_SetGridData(4, 3, holed.data(), rows.yr.data(), -999.0, ""), 0);
    EXPECT_EQ(GE_CurrentGridData(), nullptr);
    EXPECT_EQ(GE_GridPointType(nullptr, 2, 2), 0);

    // Unloading the grid drops the record.
    ASSERT_EQ(GE_SetGridData(4, 3, rows.xr.data(), rows.yr.data(), -999.0, ""), 1);
    GE_FreeGrid();
    EXPECT_EQ(GE_CurrentGridData(), nullptr);

    GE_GridData *own = GE_NewGridData();
    own->mmax = 4;
    own->nmax = 3;
    own->x.assign(12, 0.0);
    own->y.assign(12, 0.0);
    ASSERT_EQ(GE_BuildGridPointTypes(own, ""), 1);
    EXPECT_EQ(GE_GridPointType(own, 5, 2), 3);
    GE_ClearGridData(own);
    EXPECT_EQ(own->mmax, 0);
    EXPECT_TRUE(own->gridPointType.empty());
    EXPECT_EQ(GE_GridPointType(own, 5, 2), 0);
    delete own;
}

TEST_F(GridDataTest, TypesFromAnEnclosureMarkTheConcaveCorner)
{
    // An L of inside cells (2..4, 2) and (2, 3..4): cell (3, 3) touches it
    // below and on the left.
    const std::string name = WriteFile("l_shape.enc", "1 1\n5 1\n5 3\n3 3\n3 5\n1 5\n1 1\n");
    Rows rows(6, 6);
    ASSERT_EQ(GE_SetGridData(6, 6, rows.xr.data(), rows.yr.data(), -999.0, name.c_str()), 1);
    EXPECT_EQ(Picture(), (std::vector<std::string>{ "0000000",
                                                    "0000000",
                                                    "0400000",
                                                    "2130000",
                                                    "2174000",
                                                    "2111300",
                                                    "0555000" }));
    EXPECT_TRUE(GE_PointTypesFromEnclosure("no such.enc", 7, 7).types.empty());
    EXPECT_EQ(GE_GridPointTypes(name.c_str(), 7, 7).types, GE_CurrentGridData()->cellTypes.types);
}

TEST_F(GridDataTest, LinesBetweenGridPointsAndCells)
{
    // Default types on 8 x 6 nodes: column 1 low-m (2), column 9 high-m (3),
    // row 1 low-n (5), row 7 high-n (4).
    Rows rows(8, 6);
    ASSERT_EQ(GE_SetGridData(8, 6, rows.xr.data(), rows.yr.data(), -999.0, ""), 1);
    enum Helper { TO_CELLS, FROM_CELLS, TO_NODES };
    struct Case {
        const char *what;
        Helper helper;
        int32_t type;
        GE_LineObject in;
        int result;
        std::vector<int32_t> out;
    } cases[] = {
        { "boundary along n on the low-m side", TO_CELLS, Qnx_Boundary, L(1, 2, 1, 4), 1, { 1, 3, 1, 4 } },
        { "boundary along n on the high-m side", TO_CELLS, Qnx_Boundary, L(8, 4, 8, 2), 1, { 9, 3, 9, 4 } },
        { "boundary along m on the low-n side", TO_CELLS, Qnx_Boundary, L(5, 1, 2, 1), 1, { 3, 1, 5, 1 } },
        { "boundary along m on the high-n side", TO_CELLS, Qnx_Boundary, L(2, 6, 5, 6), 1, { 3, 7, 5, 7 } },
        { "boundary of one grid point", TO_CELLS, Qnx_Boundary, L(1, 3, 1, 3), 0, {} },
        { "boundary diagonal", TO_CELLS, Qnx_Boundary, L(4, 4, 2, 2), 1, { 3, 3, 4, 4 } },
        { "boundary anti-diagonal", TO_CELLS, Qnx_Boundary, L(2, 4, 4, 2), 1, { 3, 4, 4, 3 } },
        { "no conversion", TO_CELLS, 0, L(4, 4, 2, 2), 1, { 2, 2, 4, 4 } },
        { "section along n", TO_CELLS, GE_LINE_CROSS_SECTION, L(3, 5, 3, 1), 1, { 3, 2, 3, 5 } },
        { "section along m", TO_CELLS, GE_LINE_CROSS_SECTION, L(1, 3, 5, 3), 1, { 2, 3, 5, 3 } },
        { "section back along n", FROM_CELLS, GE_LINE_CROSS_SECTION, L(3, 2, 3, 5), 1, { 3, 1, 3, 5 } },
        { "section back along m", FROM_CELLS, GE_LINE_CROSS_SECTION, L(5, 3, 2, 3), 1, { 1, 3, 5, 3 } },
        { "section of one cell", FROM_CELLS, GE_LINE_CROSS_SECTION, L(3, 3, 3, 3), 0, {} },
        { "diagonal section", FROM_CELLS, GE_LINE_CROSS_SECTION, L(2, 2, 4, 4), 0, {} },
        { "passed through", FROM_CELLS, 5, L(3, 3, 3, 3), 1, { 3, 3, 3, 3 } },
        { "low-m cells to nodes", TO_NODES, 0, L(1, 3, 1, 4), 1, { 1, 2, 1, 4 } },
        { "high-m cells to nodes", TO_NODES, 0, L(9, 4, 9, 3), 1, { 8, 2, 8, 4 } },
        { "low-n cells to nodes", TO_NODES, 0, L(3, 1, 5, 1), 1, { 2, 1, 5, 1 } },
        { "high-n cells to nodes", TO_NODES, 0, L(3, 7, 5, 7), 1, { 2, 6, 5, 6 } },
        { "one low-m cell", TO_NODES, 0, L(1, 3, 1, 3), 1, { 1, 2, 1, 3 } },
        { "one high-m cell", TO_NODES, 0, L(9, 3, 9, 3), 1, { 8, 2, 8, 3 } },
        { "one low-n cell", TO_NODES, 0, L(3, 1, 3, 1), 1, { 2, 1, 3, 1 } },
        { "one high-n cell", TO_NODES, 0, L(3, 7, 3, 7), 1, { 2, 6, 3, 6 } },
        { "diagonal of inside cells", TO_NODES, 0, L(3, 3, 4, 4), 0, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        GE_LineObject out{ -5, -5, -5, -5, "" };
        const int result = c.helper == TO_CELLS     ? GE_LineToCells(c.type, &c.in, &out)
                           : c.helper == FROM_CELLS ? GE_LineFromCells(c.type, &c.in, &out)
                                                    : GE_BoundaryLineToNodes(&c.in, &out);
        EXPECT_EQ(result, c.result);
        if (c.result == 1) {
            EXPECT_EQ(Ends(out), c.out);
            EXPECT_STREQ(out.name, "b1");
        }
    }
}

TEST_F(GridDataTest, CornerCellsRunDiagonally)
{
    // The L's concave corner (3, 3) is of type 7: the boundary cutting it
    // runs from (2, 3) to (3, 2) and back.
    const std::string name = WriteFile("l_shape.enc", "1 1\n5 1\n5 3\n3 3\n3 5\n1 5\n1 1\n");
    Rows rows(6, 6);
    ASSERT_EQ(GE_SetGridData(6, 6, rows.xr.data(), rows.yr.data(), -999.0, name.c_str()), 1);
    const GE_LineObject nodes = L(2, 3, 3, 2);
    GE_LineObject cells{}, back{};
    ASSERT_EQ(GE_LineToCells(Qnx_Boundary, &nodes, &cells), 1);
    EXPECT_EQ(Ends(cells), (std::vector<int32_t>{ 3, 3, 3, 3 }));
    ASSERT_EQ(GE_BoundaryLineToNodes(&cells, &back), 1);
    EXPECT_EQ(Ends(back), Ends(nodes));
}

// Lines the helpers are never given by the editors are programming errors:
// they assert in a debug build and make no line in a release build.
TEST_F(GridDataTest, LinesTheHelpersRefuse)
{
    Rows rows(8, 6);
    ASSERT_EQ(GE_SetGridData(8, 6, rows.xr.data(), rows.yr.data(), -999.0, ""), 1);
    struct Case {
        const char *what;
        int (*call)();
    } cases[] = {
        { "a bent boundary", [] {
             const GE_LineObject l = L(1, 1, 3, 2);
             GE_LineObject out{};
             return GE_LineToCells(Qnx_Boundary, &l, &out);
         } },
        { "a section of one grid point", [] {
             const GE_LineObject l = L(3, 3, 3, 3);
             GE_LineObject out{};
             return GE_LineToCells(GE_LINE_CROSS_SECTION, &l, &out);
         } },
        { "a diagonal section", [] {
             const GE_LineObject l = L(2, 2, 4, 4);
             GE_LineObject out{};
             return GE_LineToCells(GE_LINE_CROSS_SECTION, &l, &out);
         } },
        { "an unknown line type", [] {
             const GE_LineObject l = L(2, 2, 2, 4);
             GE_LineObject out{};
             return GE_LineToCells(3, &l, &out);
         } },
        { "boundary cells back by the section rule", [] {
             const GE_LineObject l = L(1, 3, 1, 4);
             GE_LineObject out{};
             return GE_LineFromCells(Qnx_Boundary, &l, &out);
         } },
        { "one inside cell to grid points", [] {
             const GE_LineObject l = L(3, 3, 3, 3);
             GE_LineObject out{};
             return GE_BoundaryLineToNodes(&l, &out);
         } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DEBUG_DEATH(EXPECT_EQ(c.call(), 0), "");
    }
}

}  // namespace
