// Grid file reader and the depth and grid writers: golden layouts, reading
// back what was written, size mismatch, skipped records, implied decimals,
// short and damaged files, and the old file kept when a write cannot start.

#include "flow_files.h"
#include "flow_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Grid {
    int32_t outcome = -1;
    int32_t mmax = 0, nmax = 0;
    float v[3] = {-1, -1, -1};
    std::vector<float> x, y;
};

Grid ReadGrid(const std::string &path, int32_t mmax, int32_t nmax)
{
    Grid g;
    g.mmax = mmax;
    g.nmax = nmax;
    g.x.assign(static_cast<size_t>(mmax * nmax), -5.0f);
    g.y.assign(static_cast<size_t>(mmax * nmax), -5.0f);
    CallReadGridFile(path.c_str(), &g.v[0], &g.v[1], &g.v[2], g.x.data(), g.y.data(), &g.mmax, &g.nmax,
                     &g.outcome);
    return g;
}

TEST(DepthWriter, TwoByTwoGolden)
{
    const std::vector<float> depth = {1.0f, 2.0f, 3.25f, -4.5f};
    int32_t mmax = 2, nmax = 2, outcome = -1;
    CallWriteDepthFile("w.dep", depth.data(), &mmax, &nmax, &outcome);
    ASSERT_EQ(outcome, 0);
    EXPECT_EQ(flowfix::ReadText("w.dep"),
              "    1.00    2.00 -999.00\n"
              "    3.25   -4.50 -999.00\n"
              " -999.00 -999.00 -999.00\n");

    // Read back as the (mmax + 1) x (nmax + 1) array it is.
    int32_t m1 = 3, n1 = 3;
    std::vector<float> back(9, 0.0f);
    CallReadDepthRows("w.dep", back.data(), &m1, &n1, &outcome);
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(back, (std::vector<float>{1, 2, -999, 3.25f, -4.5f, -999, -999, -999, -999}));
}

TEST(DepthWriter, LongRowsContinueAndWideValuesShowAsterisks)
{
    std::vector<float> depth(11);
    for (int i = 0; i < 11; ++i)
        depth[static_cast<size_t>(i)] = static_cast<float>(i);
    depth[10] = 123456.0f;   // does not fit F8.2
    int32_t mmax = 11, nmax = 1, outcome = -1;
    CallWriteDepthFile("long.dep", depth.data(), &mmax, &nmax, &outcome);
    ASSERT_EQ(outcome, 0);
    EXPECT_EQ(flowfix::ReadText("long.dep"),
              "    0.00    1.00    2.00    3.00    4.00    5.00    6.00    7.00    8.00    9.00\n"
              "******** -999.00\n"
              " -999.00 -999.00 -999.00 -999.00 -999.00 -999.00 -999.00 -999.00 -999.00 -999.00\n"
              " -999.00 -999.00\n");
}

// x = 1.5 2 3 4 5 6 / -1 1234567.125 0.0004 7 8 9; y = 10 .. 15 / 20 .. 25.
TEST(GridWriter, GoldenAndReadBack)
{
    const std::vector<float> x = {1.5f, 2, 3, 4, 5, 6, -1, 1234567.125f, 0.0004f, 7, 8, 9};
    std::vector<float> y;
    for (int i = 0; i < 12; ++i)
        y.push_back(static_cast<float>(i < 6 ? 10 + i : 14 + i));
    int32_t mmax = 6, nmax = 2, outcome = -1;
    flowfix::WriteText("g.grd", "an older and much longer file that is replaced\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
    CallWriteGridFile("g.grd", x.data(), y.data(), &mmax, &nmax, &outcome);
    ASSERT_EQ(outcome, 0);
    EXPECT_EQ(flowfix::ReadText("g.grd"),
              "* Quarnex\n"
              "       6       2\n"
              "       0       0       0\n"
              " ETA=    1       1.500       2.000       3.000       4.000       5.000\n"
              "                 6.000\n"
              " ETA=    2      -1.000 1234567.125       0.000       7.000       8.000\n"
              "                 9.000\n"
              " ETA=    1      10.000      11.000      12.000      13.000      14.000\n"
              "                15.000\n"
              " ETA=    2      20.000      21.000      22.000      23.000      24.000\n"
              "                25.000\n");
    EXPECT_FALSE(std::filesystem::exists("g.grd.tmp~"));

    Grid g = ReadGrid("g.grd", 6, 2);
    EXPECT_EQ(g.outcome, 0);
    EXPECT_EQ(g.v[0], 0.0f);
    EXPECT_EQ(g.v[1], 0.0f);
    EXPECT_EQ(g.v[2], 0.0f);
    std::vector<float> x3 = x;
    x3[8] = 0.0f;   // 3 decimals
    EXPECT_EQ(g.x, x3);
    EXPECT_EQ(g.y, y);
}

TEST(GridReader, SizeMismatchGivesTheFilesSizes)
{
    const std::vector<float> v(6, 1.0f);
    int32_t mmax = 3, nmax = 2, outcome = -1;
    CallWriteGridFile("m.grd", v.data(), v.data(), &mmax, &nmax, &outcome);
    ASSERT_EQ(outcome, 0);
    Grid g = ReadGrid("m.grd", 2, 3);
    EXPECT_EQ(g.outcome, 3);
    EXPECT_EQ(g.mmax, 3);
    EXPECT_EQ(g.nmax, 2);
    EXPECT_EQ(g.x, std::vector<float>(6, -5.0f));
    EXPECT_EQ(g.y, std::vector<float>(6, -5.0f));
}

TEST(GridReader, SkippedRecordsImpliedDecimalsAndShortRecords)
{
    // k = 2: four records skipped.  "125" in an F12.3 field is 0.125 and
    // "-3" in an E14.8 field is -3e-8; a short record reads as blanks.
    flowfix::WriteText("k.grd",
                       "title\r\n"
                       "       2       1       2\r\n"
                       "      0.12345678E+03      2.5                 -3\r\n"
                       "s1\r\ns2\r\ns3\r\ns4\r\n"
                       " ETA=    1       1.000         125\r\n"
                       " ETA=    1      -2.500\r\n");
    Grid g = ReadGrid("k.grd", 2, 1);
    EXPECT_EQ(g.outcome, 0);
    EXPECT_FLOAT_EQ(g.v[0], 123.45678f);
    EXPECT_FLOAT_EQ(g.v[1], 2.5f);
    EXPECT_FLOAT_EQ(g.v[2], -3e-8f);
    EXPECT_EQ(g.x, (std::vector<float>{1.0f, 0.125f}));
    EXPECT_EQ(g.y, (std::vector<float>{-2.5f, 0.0f}));
}

TEST(GridReader, Failures)
{
    struct Case {
        const char *label;
        const char *text;
        int32_t outcome;
        std::vector<float> x, y;
    };
    const std::vector<Case> cases = {
        {"empty file", "", 6, {-5, -5}, {-5, -5}},
        {"no size record", "t\n", 6, {-5, -5}, {-5, -5}},
        {"bad size record", "t\n  two\n\n", 4, {-5, -5}, {-5, -5}},
        {"no reals record", "t\n       2       1\n", 6, {-5, -5}, {-5, -5}},
        {"bad reals record", "t\n       2       1\n      x\n", 4, {-5, -5}, {-5, -5}},
        {"file ends in y", "t\n       2       1\n\n                 1.0         2.0\n", 6, {1, 2}, {0, 0}},
        // Blanks inside a field are ignored: "1 2" is 12 thousandths.
        {"blanks in a field", "t\n       2       1\n\n          1 2\n\n", 0, {0.012f, 0}, {0, 0}},
        // A bad x row does not stop the y row from being read, and the
        // failure is not lost when y reads well.
        {"bad x, good y", "t\n       2       1\n\n          abc\n                 3.0         4.0\n", 4,
         {0, 0}, {3, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        flowfix::WriteText("f.grd", c.text);
        Grid g = ReadGrid("f.grd", 2, 1);
        EXPECT_EQ(g.outcome, c.outcome);
        EXPECT_EQ(g.x, c.x);
        EXPECT_EQ(g.y, c.y);
    }
    Grid missing = ReadGrid("missing.grd", 2, 1);
    EXPECT_EQ(missing.outcome, 1);
    EXPECT_EQ(missing.v[0], -1.0f);
}

// A damaged count of skipped records (k = 99999999): the reader stops at
// the end of the file instead of reading past it 200 million times, which
// took close to a minute in the sanitizer build.
TEST(GridReader, HugeSkipCountStopsAtTheEndOfTheFile)
{
    flowfix::WriteText("huge.grd", "t\n       2       199999999\n\n s\n s\n");
    const auto begin = std::chrono::steady_clock::now();
    Grid g = ReadGrid("huge.grd", 2, 1);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_EQ(g.outcome, 6);
    EXPECT_EQ(g.x, (std::vector<float>{0, 0}));
    EXPECT_LT(seconds, 5.0);
}

TEST(Writers, AWriteThatCannotStartKeepsTheOldFile)
{
    const std::vector<float> v(4, 2.0f);
    int32_t mmax = 2, nmax = 2, outcome = -1;
    flowfix::WriteText("keep.dep", "old contents\n");
    // The work file cannot be made: a directory of that name holds a file.
    std::filesystem::create_directory("keep.dep.tmp~");
    flowfix::WriteText("keep.dep.tmp~/in", "x");
    CallWriteDepthFile("keep.dep", v.data(), &mmax, &nmax, &outcome);
    EXPECT_EQ(outcome, 1);
    EXPECT_EQ(flowfix::ReadText("keep.dep"), "old contents\n");
    std::filesystem::remove_all("keep.dep.tmp~");

    CallWriteGridFile("no such dir/x.grd", v.data(), v.data(), &mmax, &nmax, &outcome);
    EXPECT_EQ(outcome, 1);
    CallWriteDepthFile("", v.data(), &mmax, &nmax, &outcome);
    EXPECT_EQ(outcome, 1);
}

}  // namespace
