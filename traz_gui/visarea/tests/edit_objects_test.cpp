// The object sets and the geometry of edits: copying, growing, closing up
// and freeing the arrays (also when memory is short), the pick rules of
// points and lines, lines in drawing order with the grid points and thin-dam
// segments they pass, the cell side nearest to a click, the third click of
// a grid edit held ahead of and left of its axis, and the case of texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "ge_list.h"
#include "visarea.h"
#include "visarea_test_support.h"

namespace {

GE_PointObject Point(int32_t m, int32_t n, const char *name = "")
{
    GE_PointObject p{};
    p.m = m;
    p.n = n;
    std::strncpy(p.name, name, sizeof p.name - 1);
    return p;
}

GE_LineObject Line(int32_t m1, int32_t n1, int32_t m2, int32_t n2, const char *name = "")
{
    GE_LineObject l{ m1, n1, m2, n2, {} };
    std::strncpy(l.name, name, sizeof l.name - 1);
    return l;
}

std::string Names(const GE_PointObject *items, int32_t count)
{
    std::string s;
    for (int32_t k = 0; k < count; ++k)
        s += items[k].name;
    return s;
}

// An allocator that fails every request after the first `left`.
int allocationsLeft = -1;
void *FailingAlloc(size_t size) { return allocationsLeft == 0 ? nullptr : (--allocationsLeft, std::malloc(size)); }
void *FailingRealloc(void *block, size_t size)
{
    return allocationsLeft == 0 ? nullptr : (--allocationsLeft, std::realloc(block, size));
}
void PlainFree(void *block) { std::free(block); }

struct ObjectSetTest : ::testing::Test {
    void TearDown() override
    {
        GE_SetMemFunctions(nullptr);
        allocationsLeft = -1;
    }
};

TEST_F(ObjectSetTest, AppendDeleteReplaceAndCopyKeepTheRecordsInOrder)
{
    GE_PointObject *items = nullptr;
    int32_t count = 0;
    for (const char *name : { "a", "b", "c", "d" }) {
        const GE_PointObject p = Point(2, 2, name);
        ASSERT_EQ(GE_AppendObject(&items, &count, &p), 1);
    }
    EXPECT_EQ(Names(items, count), "abcd");
    // Appending a record of the array itself copies it before the array moves.
    ASSERT_EQ(GE_AppendObject(&items, &count, &items[0]), 1);
    EXPECT_EQ(Names(items, count), "abcda");

    GE_DeleteObject(&items, &count, 1);
    EXPECT_EQ(Names(items, count), "acda");
    GE_DeleteObject(&items, &count, 3);
    EXPECT_EQ(Names(items, count), "acd");
    GE_DeleteObject(&items, &count, 3);   // outside: nothing
    GE_DeleteObject(&items, &count, -1);
    EXPECT_EQ(Names(items, count), "acd");
    const GE_PointObject e = Point(9, 9, "e");
    GE_ReplaceObject(items, count, 1, &e);
    GE_ReplaceObject(items, count, 3, &e);  // outside: nothing
    EXPECT_EQ(Names(items, count), "aed");
    EXPECT_EQ(items[1].m, 9);

    GE_PointObject *copy = nullptr;
    int32_t copied = 0;
    ASSERT_EQ(GE_CopyPointObjects(&copy, &copied, items, count), 1);
    EXPECT_EQ(Names(copy, copied), "aed");
    EXPECT_NE(copy, items);
    ASSERT_EQ(GE_CopyPointObjects(&copy, &copied, nullptr, 0), 1);
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(copied, 0);

    // Deleting the last records frees the array.
    while (count > 0)
        GE_DeleteObject(&items, &count, 0);
    EXPECT_EQ(items, nullptr);

    // Line sets work the same way.
    GE_LineObject *lines = nullptr;
    int32_t lineCount = 0;
    const GE_LineObject l1 = Line(2, 2, 5, 2, "x"), l2 = Line(3, 3, 3, 6, "y");
    ASSERT_EQ(GE_AppendLineObject(&lines, &lineCount, &l1), 1);
    ASSERT_EQ(GE_AppendLineObject(&lines, &lineCount, &l2), 1);
    GE_DeleteLineObject(&lines, &lineCount, 0);
    ASSERT_EQ(lineCount, 1);
    EXPECT_STREQ(lines[0].name, "y");
    GE_ReplaceLineObject(lines, lineCount, 0, &l1);
    EXPECT_STREQ(lines[0].name, "x");
    GE_LineObject *lineCopy = nullptr;
    int32_t lineCopied = 0;
    ASSERT_EQ(GE_CopyLineObjects(&lineCopy, &lineCopied, lines, lineCount), 1);
    EXPECT_EQ(lineCopy[0].m2, 5);
    GE_DeleteLineObject(&lines, &lineCount, 0);
    EXPECT_EQ(lines, nullptr);
    GE_Free(lineCopy);
}

TEST_F(ObjectSetTest, ShortMemoryLeavesTheSetAsItWas)
{
    const GE_MemFunctions failing{ FailingAlloc, FailingRealloc, PlainFree };
    GE_SetMemFunctions(&failing);
    GE_PointObject *items = nullptr;
    int32_t count = 0;
    const GE_PointObject a = Point(1, 1, "a"), b = Point(1, 1, "b");
    allocationsLeft = 1;
    ASSERT_EQ(GE_AppendObject(&items, &count, &a), 1);
    EXPECT_EQ(GE_AppendObject(&items, &count, &b), 0);
    EXPECT_EQ(Names(items, count), "a");
    const GE_PointObject more[2] = { b, b };
    EXPECT_EQ(GE_CopyPointObjects(&items, &count, more, 2), 0);
    EXPECT_EQ(Names(items, count), "a");

    // A shrink that fails keeps the records in the larger block.
    allocationsLeft = 2;
    ASSERT_EQ(GE_AppendObject(&items, &count, &b), 1);
    ASSERT_EQ(GE_AppendObject(&items, &count, &a), 1);
    GE_DeleteObject(&items, &count, 0);
    EXPECT_EQ(Names(items, count), "ba");
    GE_DeleteObject(&items, &count, 0);
    GE_DeleteObject(&items, &count, 0);
    EXPECT_EQ(items, nullptr);
    EXPECT_EQ(count, 0);
}

TEST(PickRules, PointsWithinOneCellAndLinesInsideTheirBox)
{
    const GE_PointObject points[] = { Point(5, 5), Point(6, 6), Point(20, 3) };
    struct Case {
        int32_t m, n, index;
    } pointCases[] = {
        { 5, 5, 0 }, { 4, 4, 0 },  { 6, 4, 0 },   // the cell and its neighbours
        { 6, 6, 1 }, { 5, 6, 0 }, { 6, 5, 0 },    // both near: the one in the cell; as near: the earlier
        { 7, 7, 1 },                              // only the second
        { 3, 5, -1 }, { 5, 8, -1 }, { 22, 3, -1 },  // two cells away
        { 21, 2, 2 },
    };
    for (const Case &c : pointCases) {
        int32_t index = 99;
        EXPECT_EQ(GE_FindPointObject(points, 3, c.m, c.n, &index), c.index >= 0 ? 1 : 0) << c.m << "," << c.n;
        EXPECT_EQ(index, c.index) << c.m << "," << c.n;
    }
    EXPECT_EQ(GE_FindPointObject(nullptr, 0, 5, 5, nullptr), 0);

    const GE_LineObject lines[] = { Line(8, 4, 3, 4), Line(10, 9, 10, 2), Line(2, 2, 12, 12) };
    Case lineCases[] = {
        { 3, 4, 0 }, { 8, 4, 0 }, { 5, 4, 0 },  // ends given in reverse order
        { 9, 4, 2 }, { 5, 5, 2 },               // only the diagonal's box
        { 10, 2, 1 }, { 10, 9, 1 },
        { 11, 1, -1 }, { 13, 5, -1 },
    };
    for (const Case &c : lineCases) {
        int32_t index = 99;
        EXPECT_EQ(GE_FindLineObject(lines, 3, c.m, c.n, &index), c.index >= 0 ? 1 : 0) << c.m << "," << c.n;
        EXPECT_EQ(index, c.index) << c.m << "," << c.n;
    }
}

// A click picks, of the points within one cell, the one drawn nearest to
// it: the middle of its cell (cell (m, n) spans x (m-2)*10 .. (m-1)*10).
class PickOnGridTest : public vatest::LibraryTest {};

TEST_F(PickOnGridTest, TheNearestPointToTheClickEarlierOnATie)
{
    vatest::GridFixture grid(10, 10);
    GE_SetGrid(grid.Refresh(), "");
    // Both beside the clicked cell (5, 5), one on either side; a third in
    // the cell above, listed first.
    const GE_PointObject points[] = { Point(5, 6, "above"), Point(4, 5, "west"), Point(6, 5, "east") };
    struct Case {
        float x, y;
        int32_t index;
    } cases[] = {
        { 38.0f, 32.0f, 2 },  // near the east side
        { 32.0f, 32.0f, 1 },  // near the west side
        { 35.0f, 39.0f, 0 },  // near the top
        { 35.0f, 35.0f, 0 },  // the middle, 10 from each: the first in the list
        { 35.0f, 31.0f, 1 },  // as near to west and east: the earlier
    };
    for (const Case &c : cases) {
        int32_t index = 99;
        EXPECT_EQ(GE_PickPointObject(points, 3, 5, 5, c.x, c.y, &index), 1) << c.x << "," << c.y;
        EXPECT_EQ(index, c.index) << c.x << "," << c.y;
    }
    // Out of reach whatever the position.
    int32_t index = 99;
    EXPECT_EQ(GE_PickPointObject(points, 3, 8, 8, 35.0f, 35.0f, &index), 0);
    EXPECT_EQ(index, -1);
}

TEST(LineGeometry, NormalisedEndsPointsAndLabels)
{
    struct Case {
        GE_LineObject in;
        int swapped;
        int32_t m1, n1, m2, n2;
    } cases[] = {
        { Line(4, 9, 4, 3), 1, 4, 3, 4, 9 },   // constant m: n ascending
        { Line(4, 3, 4, 9), 0, 4, 3, 4, 9 },
        { Line(9, 2, 3, 2), 1, 3, 2, 9, 2 },   // constant n: m ascending
        { Line(7, 1, 2, 6), 1, 2, 6, 7, 1 },   // diagonal: n goes with its m
        { Line(2, 6, 7, 1), 0, 2, 6, 7, 1 },
        { Line(5, 5, 5, 5), 1, 5, 5, 5, 5 },   // equal ends count as swapped
    };
    for (const Case &c : cases) {
        GE_LineObject in = c.in, out{};
        std::strcpy(in.name, "dam");
        EXPECT_EQ(GE_NormaliseLine(&in, &out), c.swapped);
        EXPECT_EQ(std::vector<int32_t>({ out.m1, out.n1, out.m2, out.n2 }),
                  std::vector<int32_t>({ c.m1, c.n1, c.m2, c.n2 }));
        EXPECT_STREQ(out.name, "dam");
    }

    struct PointsCase {
        GE_LineObject line;
        std::vector<int32_t> m, n;
        int32_t label;
    } points[] = {
        { Line(3, 2, 3, 5), { 3, 3, 3, 3 }, { 2, 3, 4, 5 }, 2 },
        { Line(2, 7, 6, 7), { 2, 3, 4, 5, 6 }, { 7, 7, 7, 7, 7 }, 2 },
        { Line(2, 6, 5, 3), { 2, 3, 4, 5 }, { 6, 5, 4, 3 }, 2 },  // descending n, one step a point
        { Line(4, 4, 4, 4), { 4 }, { 4 }, 0 },
    };
    for (const PointsCase &c : points) {
        int32_t m[16], n[16], label = -1;
        const int32_t count = GE_LineObjectPoints(&c.line, m, n, 16, &label);
        EXPECT_EQ(std::vector<int32_t>(m, m + count), c.m);
        EXPECT_EQ(std::vector<int32_t>(n, n + count), c.n);
        EXPECT_EQ(label, c.label);
    }

    EXPECT_EQ(GE_LineKindAttribute(0), GEdit_SHOW_DRY_POINTS);
    EXPECT_EQ(GE_LineKindAttribute(2), GEdit_SHOW_OPEN_BOUNDARIES);
    EXPECT_EQ(GE_LineKindAttribute(4), GEdit_SHOW_CROSS_SECTIONS);
    EXPECT_EQ(GE_LineKindAttribute(7), -1);
}

TEST(LineGeometry, ThinDamSegments)
{
    struct Case {
        const char *what;
        GE_LineObject line;
        int32_t direction;
        std::vector<int32_t> mn;  // m, n of both ends of each segment
    } cases[] = {
        { "single U cell", Line(4, 3, 4, 3), GEdit_U_DAM, { 4, 3, 4, 2 } },
        { "U along m", Line(2, 5, 4, 5), GEdit_U_DAM, { 2, 5, 2, 4, 3, 5, 3, 4, 4, 5, 4, 4 } },
        { "V along n", Line(6, 2, 6, 3), GEdit_V_DAM, { 6, 2, 5, 2, 6, 3, 5, 3 } },
        { "U staircase", Line(2, 4, 4, 2), GEdit_U_DAM, { 2, 4, 2, 3, 3, 3, 3, 2, 4, 2, 4, 1 } },
        { "V staircase", Line(2, 2, 3, 3), GEdit_V_DAM, { 2, 2, 1, 2, 3, 3, 2, 3 } },
    };
    for (const Case &c : cases) {
        int32_t m[32], n[32];
        const int32_t count = GE_ThinDamSegments(&c.line, c.direction, m, n, 32);
        std::vector<int32_t> got;
        for (int32_t k = 0; k < 2 * count; ++k) {
            got.push_back(m[k]);
            got.push_back(n[k]);
        }
        EXPECT_EQ(got, c.mn) << c.what;
    }
    int32_t m[4], n[4];
    const GE_LineObject l = Line(1, 1, 1, 1);
    EXPECT_EQ(GE_ThinDamSegments(&l, 2, m, n, 4), -1);
}

// Cell (5, 7) with corners A (5, 7) at (1, 1), B (4, 7) at (0, 1), C (4, 6)
// at (0, 0) and E (5, 6) at (1, 0): the sixteen codes round the cell.
TEST(LineGeometry, NearestCellSideCodes)
{
    const float cx[4] = { 1, 0, 0, 1 }, cy[4] = { 1, 1, 0, 0 };
    struct Case {
        float x, y;
        int32_t code, m1, n1, m2, n2;
    } cases[] = {
        { 0.6f, 0.9f, 0, 5, 7, 4, 7 },   { 0.9f, 0.95f, 1, 5, 7, 4, 7 }, { 0.95f, 0.6f, 2, 5, 7, 5, 6 },
        { 0.7f, 0.55f, 3, 5, 7, 5, 6 },  { 0.7f, 0.45f, 4, 5, 6, 5, 7 }, { 0.95f, 0.4f, 5, 5, 6, 5, 7 },
        { 0.9f, 0.05f, 6, 5, 6, 4, 6 },  { 0.6f, 0.1f, 7, 5, 6, 4, 6 },  { 0.4f, 0.1f, 8, 4, 6, 5, 6 },
        { 0.1f, 0.05f, 9, 4, 6, 5, 6 },  { 0.05f, 0.4f, 10, 4, 6, 4, 7 }, { 0.3f, 0.45f, 11, 4, 6, 4, 7 },
        { 0.3f, 0.55f, 12, 4, 7, 4, 6 }, { 0.05f, 0.6f, 13, 4, 7, 4, 6 }, { 0.1f, 0.95f, 14, 4, 7, 5, 7 },
        { 0.4f, 0.9f, 15, 4, 7, 5, 7 },
        { 0.9f, 0.9f, 1, 5, 7, 4, 7 },   // both midpoints equally near: the side of constant n
    };
    for (const Case &c : cases) {
        GE_LineObject side{};
        EXPECT_EQ(GE_CellSideCode(c.x, c.y, cx, cy, 5, 7, &side), c.code) << c.x << "," << c.y;
        EXPECT_EQ(std::vector<int32_t>({ side.m1, side.n1, side.m2, side.n2 }),
                  std::vector<int32_t>({ c.m1, c.n1, c.m2, c.n2 }))
            << c.x << "," << c.y;
    }
}

TEST(RubberBand, ThirdClickHeldAheadAndLeftOfTheAxis)
{
    struct Case {
        const char *what;
        int32_t x0, y0, x1, y1, px, py, wx, wy;
    } cases[] = {
        { "right: left and ahead stays", 100, 100, 200, 100, 150, 80, 150, 80 },
        { "right: below the axis", 100, 100, 200, 100, 150, 120, 150, 100 },
        { "right: behind", 100, 100, 200, 100, 50, 80, 100, 80 },
        { "left: above the axis", 200, 100, 100, 100, 150, 80, 150, 100 },
        { "left: behind", 200, 100, 100, 100, 250, 130, 200, 130 },
        { "up: right of it", 100, 200, 100, 100, 130, 150, 100, 150 },
        { "up: left and ahead stays", 100, 200, 100, 100, 60, 150, 60, 150 },
        { "up: behind", 100, 200, 100, 100, 60, 250, 60, 200 },
        { "down: right of it", 100, 100, 100, 200, 60, 150, 100, 150 },
        { "down-right: left stays", 100, 100, 200, 200, 200, 100, 200, 100 },
        { "down-right: right goes to the axis", 100, 100, 200, 200, 100, 200, 150, 150 },
        { "down-right: behind goes to the perpendicular", 100, 100, 200, 200, 80, 40, 120, 80 },
        { "down-right: behind and right goes to click 0", 100, 100, 200, 200, 50, 70, 100, 100 },
    };
    for (const Case &c : cases) {
        int32_t x = c.px, y = c.py;
        GE_HoldThirdClick(c.x0, c.y0, c.x1, c.y1, &x, &y);
        EXPECT_EQ(x, c.wx) << c.what;
        EXPECT_EQ(y, c.wy) << c.what;
    }

    int32_t xs[5], ys[5];
    GE_AxisRectangle(100, 100, 200, 100, 150, 60, xs, ys);
    EXPECT_EQ(std::vector<int32_t>(xs, xs + 5), std::vector<int32_t>({ 100, 150, 150, 100, 100 }));
    EXPECT_EQ(std::vector<int32_t>(ys, ys + 5), std::vector<int32_t>({ 100, 100, 60, 60, 100 }));
    GE_AxisRectangle(100, 100, 200, 200, 200, 100, xs, ys);
    EXPECT_EQ(std::vector<int32_t>(xs, xs + 5), std::vector<int32_t>({ 100, 150, 200, 150, 100 }));
    EXPECT_EQ(std::vector<int32_t>(ys, ys + 5), std::vector<int32_t>({ 100, 150, 100, 50, 100 }));
}

TEST(TextCase, LowerUpperOrUnchanged)
{
    for (const auto &c : { std::make_tuple(0, "Obs A-1"), std::make_tuple(1, "obs a-1"), std::make_tuple(2, "OBS A-1"),
                           std::make_tuple(3, "Obs A-1") }) {
        char text[] = "Obs A-1";
        GE_ApplyCase(text, std::get<0>(c));
        EXPECT_STREQ(text, std::get<1>(c));
    }
}

}  // namespace
