// The map file readers: land boundaries with buffer regrowth, bathymetry
// files of both sizes, grid text files and their line readers, and the grid
// loader that reads before it replaces.
#include <gtest/gtest.h>

#include <dirent.h>

#include <string>
#include <vector>

#include "utilities.h"
#include "visarea_test_support.h"

namespace {

using vatest::WriteFile;

class ReaderTest : public vatest::LibraryTest {};

// Open file descriptors of the process (-1 where they cannot be counted).
int OpenFiles()
{
#ifdef __linux__
    DIR *dir = opendir("/proc/self/fd");
    if (!dir)
        return -1;
    int count = 0;
    while (readdir(dir))
        ++count;
    closedir(dir);
    return count;
#else
    return -1;
#endif
}

struct LandResult {
    int32_t code = -1, count = 0;
    float *x = nullptr, *y = nullptr;
    int32_t *ends = nullptr;
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    ~LandResult()
    {
        GE_Free(x);
        GE_Free(y);
        GE_Free(ends);
    }
    void Read(const std::string &name)
    {
        GE_ReadLandBoundary(name.c_str(), &count, &x, &y, &ends, &xmin, &xmax, &ymin, &ymax, &code);
    }
};

TEST_F(ReaderTest, ALandBoundaryOf25000PointsIsReadAfterTwoRegrowths)
{
    std::string text = "* coast line\nCOAST\n25000 2\n";
    for (int k = 0; k < 25000; ++k)
        text += std::to_string(k) + " " + std::to_string(k % 7 - 3) + "\n";
    const std::string name = WriteFile("long.ldb", text);
    LandResult r;
    r.Read(name);
    ASSERT_EQ(r.code, 0);
    ASSERT_EQ(r.count, 25000);
    EXPECT_EQ(r.x[24999], 24999.0f);
    EXPECT_EQ(r.y[24999], 24999 % 7 - 3);
    EXPECT_EQ(r.ends[0], 25000);
    EXPECT_EQ(r.ends[1], 0);
    EXPECT_EQ(r.xmin, 0.0f);
    EXPECT_EQ(r.xmax, 24999.0f);
    EXPECT_EQ(r.ymin, -3.0f);
    EXPECT_EQ(r.ymax, 3.0f);
}

TEST_F(ReaderTest, PolylinesOfALandBoundaryEndWhereTheReaderSays)
{
    const std::string name =
        WriteFile("two.ldb", "A\n3 2\n0 0\n1 1\n2 0\n* between\nB\n3 2\n5 5\n999.999 999.999\n6 6\n");
    LandResult r;
    r.Read(name);
    ASSERT_EQ(r.code, 0);
    ASSERT_EQ(r.count, 5);
    EXPECT_EQ(r.ends[0], 3);
    EXPECT_EQ(r.ends[1], 4);
    EXPECT_EQ(r.ends[2], 5);
    vatest::InstallCountingActions();
    GE_EnableViewAttribute(GEdit_SHOW_LANDBOUNDARY);
    GE_GridInput input{};
    input.mmax = r.count;
    input.x = r.x;
    input.y = r.y;
    input.polylineEnds = r.ends;
    GE_SetLandBoundary(&input);
    // No grid: the view is fitted to the land boundary.
    EXPECT_EQ(vatest::Counts().landReset, 1);
    EXPECT_EQ(global_windata.xmax, 6.0f);
}

TEST_F(ReaderTest, ALandBoundaryWithoutPointsIsRefusedAndChangesNothing)
{
    LandResult r;
    r.Read(WriteFile("good.ldb", "A\n2 2\n0 0\n1 1\n"));
    ASSERT_EQ(r.code, 0);
    float *before = r.x;
    for (const char *text : {"* only a comment\n* and another\n", ""}) {
        r.Read(WriteFile("comments.ldb", text));
        EXPECT_NE(r.code, 0) << text;
        EXPECT_EQ(r.x, before);
        EXPECT_EQ(r.count, 2);
    }
    r.Read("no such file.ldb");
    EXPECT_EQ(r.code, 1);
    // The library refuses an empty land boundary as well.
    GE_GridInput empty{};
    GE_SetLandBoundary(&empty);
    EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_LANDBOUNDARY], 0);
    GE_ComputeBounds();
}

TEST_F(ReaderTest, BathymetryAtCornerPointsAndAtNodesBothLoad)
{
    float low = 0, high = 0;
    int32_t code = -1;
    float *depth = nullptr;
    // (mmax+1) x (nmax+1) = 4 x 3 values, one row a line: the last column and
    // row are dropped.
    GE_ReadBathymetry(WriteFile("corners.dep", "9 2 3 -999\n4 5 6 -999\n-999 -999 -999 -999\n").c_str(), 3, 2,
                      &depth, &low, &high, &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(std::vector<float>(depth, depth + 6), (std::vector<float>{9, 2, 3, 4, 5, 6}));
    EXPECT_EQ(low, 2.0f);
    EXPECT_EQ(high, 9.0f);  // the first value is the largest
    // Exactly mmax x nmax values.
    GE_ReadBathymetry(WriteFile("nodes.dep", "1 2 3\n4 -1000 6\n").c_str(), 3, 2, &depth, &low, &high, &code);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(std::vector<float>(depth, depth + 6), (std::vector<float>{1, 2, 3, 4, -1000, 6}));
    EXPECT_EQ(low, 1.0f);
    // Too few values: the array stays.
    float *kept = depth;
    GE_ReadBathymetry(WriteFile("short.dep", "1 2 3\n").c_str(), 3, 2, &depth, &low, &high, &code);
    EXPECT_NE(code, 0);
    EXPECT_EQ(depth, kept);
    EXPECT_EQ(depth[0], 1.0f);
    GE_Free(depth);
}

struct GridFile {
    int result = -1;
    int32_t mmax = 0, nmax = 0, system = -1, noKey = -1;
    double **x = nullptr, **y = nullptr, xmin = 0, xmax = 0, ymin = 0, ymax = 0, missing = -1;
    int32_t **codes = nullptr;
    explicit GridFile(const std::string &name)
    {
        result = GE_ReadGridFile(name.c_str(), &mmax, &nmax, &x, &y, &codes, &xmin, &xmax, &ymin, &ymax, &system,
                                 &noKey, &missing);
    }
    ~GridFile()
    {
        if (result == 0) {
            Free2DArray(reinterpret_cast<void **>(x), nmax);
            Free2DArray(reinterpret_cast<void **>(y), nmax);
            Free2DArray(reinterpret_cast<void **>(codes), nmax);
        }
    }
};

// A 7 x 2 grid: x = 10 m, y = 100 n (0-based); node (0, 0) at (0, 0).
std::string GridText(const std::string &header, bool lastLineEnd = true)
{
    std::string text = header + "7 2\n 0 0 0\n";
    for (int block = 0; block < 2; ++block)
        for (int n = 0; n < 2; ++n) {
            text += " ETA=    " + std::to_string(n + 1);
            for (int m = 0; m < 7; ++m) {
                if (m == 5)
                    text += "\n          ";
                text += " " + std::to_string(block == 0 ? 10 * m : 100 * n);
            }
            text += "\n";
        }
    if (!lastLineEnd)
        text.pop_back();
    return text;
}

TEST_F(ReaderTest, GridFileVariantsAreRead)
{
    struct Case {
        const char *what;
        std::string header;
        bool lastLineEnd;
        int32_t system, noKey;
        double missing;
    } cases[] = {
        {"keys", "* made by hand\nCoordinate System = Cartesian\nMissing Value = -999.5\n", true, 1, 0, -999.5},
        {"spherical key", "Coordinate System = Spherical\n", true, 0, 0, 0.0},
        {"a title first", "My grid title\n* comment\n", true, 1, 1, 0.0},
        {"SPHERICAL in the first line", "SPHERICAL grid\n", true, 0, 1, 0.0},
        {"last line without its end", "* c\n", false, 1, 1, 0.0},
    };
    for (const Case &c : cases) {
        GridFile g(WriteFile("variant.grd", GridText(c.header, c.lastLineEnd)));
        ASSERT_EQ(g.result, 0) << c.what;
        EXPECT_EQ(g.mmax, 7);
        EXPECT_EQ(g.nmax, 2);
        EXPECT_EQ(g.system, c.system) << c.what;
        EXPECT_EQ(g.noKey, c.noKey) << c.what;
        EXPECT_EQ(g.missing, c.missing) << c.what;
        EXPECT_EQ(g.x[1][6], 60.0);
        EXPECT_EQ(g.y[1][6], 100.0);
        // Node (0, 0) lies at (0, 0): inactive and outside the bounds.
        EXPECT_EQ(g.codes[0][0], 0);
        EXPECT_EQ(g.codes[0][1], 1);
        EXPECT_EQ(g.xmin, 0.0);  // node (0, 1) at x 0
        EXPECT_EQ(g.ymin, 0.0);  // node (1, 0) at y 0
        EXPECT_EQ(g.xmax, 60.0);
        EXPECT_EQ(g.ymax, 100.0);
    }
}

TEST_F(ReaderTest, BrokenGridFilesAreRefusedAndClosed)
{
    const std::string longLine(300, '1');
    const std::string blanks(300, ' ');
    const std::string good = GridText("* grid\n");
    struct Case {
        const char *what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no sizes", "* grid\n* only comments\n"},
        {"sizes not numbers", "* grid\nseven two\n0 0 0\n"},
        {"negative size", "* grid\n-7 2\n0 0 0\n"},
        {"sizes the file cannot hold", "* grid\n100000 100000\n0 0 0\n ETA= 1 1 2 3 4 5\n"},
        // Lines over 254 characters are refused, not split.
        {"a long value line", "* grid\n2 1\n0 0 0\n ETA= 1 0 1" + blanks + "\n ETA= 1 0 1\n"},
        {"a long comment line", "* grid\n*" + longLine + "\n" + good.substr(good.find('\n') + 1)},
        {"y block missing", good.substr(0, good.find(" ETA=    1 0 0"))},
        {"a value that is no number", "* grid\n2 1\n0 0 0\n ETA= 1 0 x\n ETA= 1 0 0\n"},
    };
    // The same files with short lines are read.
    EXPECT_EQ(GridFile(WriteFile("fine.grd", "* grid\n2 1\n0 0 0\n ETA= 1 0 1\n ETA= 1 0 1\n")).result, 0);
    EXPECT_EQ(GridFile(WriteFile("fine.grd", "* grid\n*" + longLine.substr(0, 250) + "\n" +
                                                 good.substr(good.find('\n') + 1)))
                  .result,
              0);
    const int files = OpenFiles();
    for (const Case &c : cases) {
        GridFile g(WriteFile("broken.grd", c.text));
        EXPECT_EQ(g.result, 4) << c.what;
        EXPECT_EQ(OpenFiles(), files) << c.what;
    }
    GridFile missing("no such file.grd");
    EXPECT_EQ(missing.result, 1);
}

TEST_F(ReaderTest, SignificantLinesSkipCommentsAndReportTheEnd)
{
    const std::string name = WriteFile("lines.txt", "* c\n\n  value one  \n*\nlast");
    FILE *f = std::fopen(name.c_str(), "r");
    ASSERT_NE(f, nullptr);
    char line[GE_MAX_LINE + 1];
    int32_t read = 0;
    EXPECT_EQ(ReadSignificantLine(f, '*', line, &read), 0);
    EXPECT_STREQ(line, "  value one");
    EXPECT_EQ(read, 3);
    EXPECT_EQ(ReadSignificantLine(f, '*', line, &read), -1);  // a last line without its end
    EXPECT_STREQ(line, "last");
    EXPECT_EQ(ReadSignificantLine(f, '*', line, &read), -1);
    EXPECT_STREQ(line, "");
    std::fclose(f);
}

TEST_F(ReaderTest, AGridFileIsReadBeforeTheGridIsReplaced)
{
    vatest::GridFixture shown(4, 4);
    GE_SetGrid(&shown.input, "");
    EXPECT_EQ(GE_SetGridFromFile(WriteFile("bad.grd", "7 2\n").c_str(), "", nullptr, nullptr), 0);
    EXPECT_EQ(global_windata.grid.mmax, 4);
    EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_GRID], 1);
    ASSERT_FALSE(fakes::Texts("error").empty());
    EXPECT_EQ(fakes::Texts("error").back().rfind("Error reading grid file\n\n", 0), 0u);

    int32_t mmax = 0, nmax = 0;
    EXPECT_EQ(GE_SetGridFromFile(WriteFile("good.grd", GridText("* grid\n")).c_str(), "", &mmax, &nmax), 1);
    EXPECT_EQ(mmax, 7);
    EXPECT_EQ(nmax, 2);
    EXPECT_EQ(global_windata.grid.mmax, 7);
    // No cell status in the file: the default enclosure.
    EXPECT_EQ(GE_CellStatus(2, 2), 1);

    fakes::ClearRecord();
    EXPECT_EQ(GE_SetGridFromFile("no such file.grd", "", nullptr, nullptr), 0);
    EXPECT_EQ(global_windata.grid.mmax, 7);
    ASSERT_FALSE(fakes::Texts("error").empty());
    EXPECT_EQ(fakes::Texts("error").back().rfind("Cannot open grid file\n\n", 0), 0u);
}

}  // namespace
