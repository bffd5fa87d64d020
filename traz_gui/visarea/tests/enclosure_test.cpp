// Enclosure files and the cell status: the reader's outcomes, the cell
// status of a polygon, the default enclosure, the enclosure command and the
// message texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "flow_files.h"
#include "grid_data.h"
#include "visarea_test_support.h"

namespace {

using vatest::WriteFile;

class EnclosureTest : public vatest::LibraryTest {};

// The cell status as rows of digits, file point n = 1 first.
std::string StatusRows(const int32_t *status, int32_t mmax, int32_t nmax)
{
    std::string text;
    for (int32_t j = 0; j <= nmax; ++j) {
        for (int32_t i = 0; i <= mmax; ++i)
            text += static_cast<char>('0' + status[j * (mmax + 1) + i]);
        text += '\n';
    }
    return text;
}

struct Read {
    int32_t code = -1;
    GE_Enclosure *enclosure = nullptr;
    Read(const std::string &text, int32_t mmax, int32_t nmax)
    {
        enclosure = GE_ReadEnclosure(WriteFile("polygon.enc", text).c_str(), mmax, nmax, &code);
    }
    ~Read() { GE_FreeEnclosure(enclosure); }
};

TEST_F(EnclosureTest, TheSquareMakesItsInsideActiveAndItsSidesBoundary)
{
    const char *square =
        "0222000\n"
        "2111200\n"
        "2111200\n"
        "2111200\n"
        "0222000\n"
        "0000000\n"
        "0000000\n";
    Read r("1 1\n5 1\n5 5\n1 5\n1 1\n", 6, 6);
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(StatusRows(r.enclosure->cellStatus, 6, 6), square);
    // The same square walked the other way round.
    Read back("1 1\n1 5\n5 5\n5 1\n1 1\n", 6, 6);
    ASSERT_EQ(back.code, 0);
    EXPECT_EQ(StatusRows(back.enclosure->cellStatus, 6, 6), square);
}

TEST_F(EnclosureTest, PolygonsWithStepsAndDiagonals)
{
    struct Case {
        const char *what;
        const char *file;
        const char *rows;
    } cases[] = {
        {"an L shape", "1 1\n5 1\n5 3\n3 3\n3 5\n1 5\n1 1\n",
         "0222000\n"
         "2111200\n"
         "2122000\n"
         "2120000\n"
         "0200000\n"
         "0000000\n"
         "0000000\n"},
        {"a diamond of diagonals", "3 1\n5 3\n3 5\n1 3\n3 1\n",
         "0020000\n"
         "0212000\n"
         "2111200\n"
         "0212000\n"
         "0020000\n"
         "0000000\n"
         "0000000\n"},
        {"two polygons", "1 1\n3 1\n3 3\n1 3\n1 1\n4 4\n7 4\n7 7\n4 7\n4 4\n",
         "0200000\n"
         "2120000\n"
         "0200000\n"
         "0000220\n"
         "0002112\n"
         "0002112\n"
         "0000220\n"},
    };
    for (const Case &c : cases) {
        Read r(c.file, 6, 6);
        ASSERT_EQ(r.code, 0) << c.what;
        EXPECT_EQ(StatusRows(r.enclosure->cellStatus, 6, 6), c.rows) << c.what;
    }
}

TEST_F(EnclosureTest, ReaderOutcomes)
{
    struct Case {
        const char *what;
        const char *file;
        int32_t code;
    } cases[] = {
        {"empty file", "", 4},
        {"not numbers", "a b\n", 4},
        {"a point below the lattice", "1 1\n0 3\n1 1\n", 11},
        {"a point beyond it", "1 1\n8 3\n1 1\n", 11},  // mmax + 2 on a 6 x 6 grid
        {"a first point beyond it", "9 9\n1 1\n9 9\n", 11},
        {"an edge neither straight nor diagonal", "1 1\n3 2\n1 3\n1 1\n", 13},
        {"the file ends inside a polygon", "1 1\n5 1\n5 5\n", 14},
        {"a second polygon left open", "1 1\n3 1\n3 3\n1 1\n4 4\n6 4\n", 14},
    };
    for (const Case &c : cases) {
        Read r(c.file, 6, 6);
        EXPECT_EQ(r.code, c.code) << c.what;
        EXPECT_EQ(r.enclosure, nullptr) << c.what;
    }
    Read missing("", 6, 6);
    int32_t code = -1;
    GE_Enclosure *none = GE_ReadEnclosure("no such file.enc", 6, 6, &code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(none, nullptr);
}

TEST_F(EnclosureTest, TheReaderChecksTheRoomBeforeItStoresAPoint)
{
    // On a 1 x 1 grid the work arrays hold (2 + 4) x 2 = 12 points; a
    // polygon that never closes fills them.  The arrays are exactly that
    // large, so a point stored past them is caught.
    int32_t mmax1 = 2, nmax1 = 2;
    const size_t room = (2 + 4) * 2;
    std::string text;
    for (int k = 0; k < 20; ++k)
        text += k % 2 ? "2 2\n" : "2 1\n";
    const std::string name = WriteFile("endless.enc", "1 1\n" + text);
    std::vector<int32_t> cells(4), pm(room), pn(room), am(room), an(room);
    int32_t code = -1, count = -1;
    CallReadEnclosureFile(name.c_str(), &code, &nmax1, &mmax1, cells.data(), pm.data(), pn.data(), am.data(),
                          an.data(), &count);
    EXPECT_EQ(code, 12);
    EXPECT_EQ(count, static_cast<int32_t>(room));
}

TEST_F(EnclosureTest, WithoutANameOrWithAnErrorTheDefaultEnclosureComesBack)
{
    const char *full =
        "0220\n"
        "2112\n"
        "2112\n"
        "0220\n";
    int32_t code = -1;
    GE_Enclosure *e = GE_EnclosureCellStatus("", 3, 3, &code);
    EXPECT_EQ(code, 15);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(StatusRows(e->cellStatus, 3, 3), full);
    GE_FreeEnclosure(e);
    e = GE_EnclosureCellStatus(WriteFile("open.enc", "1 1\n2 1\n").c_str(), 3, 3, &code);
    EXPECT_EQ(code, 14);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(StatusRows(e->cellStatus, 3, 3), full);
    GE_FreeEnclosure(e);
    // The default enclosure is the cell status of the whole lattice.
    Read whole("1 1\n4 1\n4 4\n1 4\n1 1\n", 3, 3);
    ASSERT_EQ(whole.code, 0);
    EXPECT_EQ(StatusRows(whole.enclosure->cellStatus, 3, 3), full);
}

TEST_F(EnclosureTest, TheEnclosureCommandReplacesTheCellStatusOrKeepsIt)
{
    vatest::InstallCountingActions();
    GE_EnableViewAttribute(GEdit_SHOW_GRID);
    vatest::GridFixture grid(6, 6);
    GE_SetGrid(&grid.input, "");
    ASSERT_NE(GE_GridPointValid(6, 6), 0);
    // The point types of the grid's editors, by default until the file.
    std::vector<std::vector<double>> xs(6), ys(6);
    std::vector<double *> xr, yr;
    for (int32_t n = 0; n < 6; ++n) {
        for (int32_t m = 0; m < 6; ++m) {
            xs[n].push_back(grid.x[static_cast<size_t>(n) * 6 + m]);
            ys[n].push_back(grid.y[static_cast<size_t>(n) * 6 + m]);
        }
        xr.push_back(xs[n].data());
        yr.push_back(ys[n].data());
    }
    ASSERT_EQ(GE_SetGridData(6, 6, xr.data(), yr.data(), -99999.0, ""), 1);
    ASSERT_EQ(GE_GridPointType(nullptr, 6, 6), 1);
    EXPECT_EQ(GE_LoadEnclosure(WriteFile("square.enc", "1 1\n5 1\n5 5\n1 5\n1 1\n").c_str()), 1);
    EXPECT_EQ(GE_CellStatus(3, 3), 1);
    EXPECT_EQ(GE_CellStatus(6, 6), 0);
    EXPECT_EQ(GE_GridPointType(nullptr, 3, 3), 1);
    EXPECT_EQ(GE_GridPointType(nullptr, 6, 6), 0);
    EXPECT_EQ(GE_GridPointType(nullptr, 5, 3), 3);
    // Valid nodes follow the new status.
    EXPECT_EQ(GE_GridPointValid(6, 6), 0);
    EXPECT_NE(GE_GridPointValid(4, 4), 0);
    EXPECT_EQ(vatest::Counts().enclosureSet, 1);

    EXPECT_EQ(GE_LoadEnclosure("no such file.enc"), 0);
    EXPECT_EQ(GE_LoadEnclosure(WriteFile("bad.enc", "1 1\n3 2\n1 1\n").c_str()), 0);
    EXPECT_EQ(GE_CellStatus(3, 3), 1);
    EXPECT_EQ(GE_CellStatus(6, 6), 0);
    const auto errors = fakes::Texts("error");
    ASSERT_GE(errors.size(), 2u);
    EXPECT_EQ(errors[errors.size() - 2], "Cannot open enclosure file\n\nno such file.enc");
    EXPECT_EQ(errors.back(), "Error reading enclosure file\n\nbad.enc");
}

TEST(EnclosureStep, UnitStepsAlongGridLinesAndDiagonals)
{
    struct Case {
        int32_t m0, n0, m1, n1, dm, dn, steps, code;
    } cases[] = {
        {1, 1, 5, 1, 1, 0, 4, 0}, {5, 5, 5, 1, 0, -1, 4, 0}, {1, 1, 4, 4, 1, 1, 3, 0},
        {4, 1, 1, 4, -1, 1, 3, 0}, {1, 1, 3, 2, 99, 99, 2, 10}, {2, 2, 2, 2, 99, 99, 0, 0},
    };
    for (const Case &c : cases) {
        int32_t dm = 99, dn = 99, steps = -1, code = 0;
        ENCLOSURE_STEP(&c.m0, &c.n0, &c.m1, &c.n1, &dm, &dn, &steps, &code);
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(dm, c.dm);
        EXPECT_EQ(dn, c.dn);
    }
}

TEST(EnclosureMessage, TextsOfTheOutcomes)
{
    struct Case {
        int32_t code;
        const char *text;
    } cases[] = {{1, "Can't open the enclosure file"},
                 {12, "Max number of enclosure points reached"},
                 {14, "End point an enclosure polygon not found"},
                 {19, "Grid status known from *.lga file"},
                 {8, ""},
                 {0, ""}};
    for (const Case &c : cases) {
        char *text = GE_EnclosureMessage(c.code);
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text, c.text);
        GE_Free(text);
    }
}

}  // namespace
