// Land-boundary reader: blocks, comments and separators, a file that ends
// inside a block, the capacity limit with the caller's doubling, and the
// outcomes of a missing or unreadable file.

#include "flow_files.h"
#include "flow_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Result {
    int32_t outcome = -1;
    int32_t count = -7;
    std::vector<double> x, y;
    std::vector<int32_t> ends;
};

Result Read(const std::string &path, int32_t capacity)
{
    Result r;
    r.x.assign(static_cast<size_t>(capacity), -1.0);
    r.y.assign(static_cast<size_t>(capacity), -1.0);
    r.ends.assign(static_cast<size_t>(capacity), -1);
    CallReadPolylineFile(path.c_str(), r.x.data(), r.y.data(), r.ends.data(), &capacity, &r.count, &r.outcome);
    return r;
}

// The leading non-zero entries of ends.
std::vector<int32_t> Polylines(const Result &r)
{
    std::vector<int32_t> out;
    for (int32_t e : r.ends) {
        if (e == 0)
            break;
        out.push_back(e);
    }
    return out;
}

struct Case {
    const char *label;
    const char *text;
    std::vector<double> x, y;
    std::vector<int32_t> ends;
};

TEST(LandBoundary, BlocksCommentsAndSeparators)
{
    const std::vector<Case> cases = {
        {"comments only", "* one\n*two\n", {}, {}, {}},
        {"empty file", "", {}, {}, {}},
        {"two blocks with a comment between",
         "* header\nL001\n2 2\n1.0 2.0\n3.0 4.0\n* between\nL002\n  1   2\n5.5, 6.5, 9.0\n",
         {1.0, 3.0, 5.5}, {2.0, 4.0, 6.5}, {2, 3}},
        {"separators split a block; a leading and a doubled one open nothing",
         "name\n6 2\n999.999 0\n1 1\n2 2\n999999.0 999999.0\n999.999 5\n3 3\n",
         {1, 2, 3}, {1, 2, 3}, {2, 3}},
        {"blank name record, file ends inside a block",
         "\n5 2\n10 20\n30 40\n", {10, 30}, {20, 40}, {2}},
        {"file ends after a name record", "a\n1 2\n7 8\nb\n", {7}, {8}, {1}},
        {"file ends inside the size record", "a\n", {}, {}, {}},
        {"a point spread over two records", "a\n2 2\n1\n2\n3 4\n", {1, 3}, {2, 4}, {2}},
        {"block of separators only", "a\n1 2\n999.999 1\nb\n1 2\n4 4\n", {4}, {4}, {1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        flowfix::WriteText("lb.ldb", c.text);
        Result r = Read("lb.ldb", 20);
        EXPECT_EQ(r.outcome, 0);
        ASSERT_EQ(r.count, static_cast<int32_t>(c.x.size()));
        for (size_t i = 0; i < c.x.size(); ++i) {
            EXPECT_EQ(r.x[i], c.x[i]) << i;
            EXPECT_EQ(r.y[i], c.y[i]) << i;
        }
        // Cleared beyond the points, and a zero always ends the polylines.
        for (size_t i = c.x.size(); i < r.x.size(); ++i)
            ASSERT_TRUE(r.x[i] == 0.0 && r.y[i] == 0.0) << i;
        EXPECT_EQ(Polylines(r), c.ends);
    }
}

TEST(LandBoundary, CapacityLimit)
{
    // Capacity c holds c - 1 points.
    flowfix::WriteText("cap.ldb", "a\n4 2\n1 1\n2 2\n3 3\n4 4\n");
    Result full = Read("cap.ldb", 5);
    EXPECT_EQ(full.outcome, 0);
    EXPECT_EQ(full.count, 4);
    EXPECT_EQ(full.ends[0], 4);
    EXPECT_EQ(full.ends[4], 0);

    // One more announced point record is over capacity, even when the file
    // holds no such record; the count keeps the caller's value.
    flowfix::WriteText("cap.ldb", "a\n5 2\n1 1\n2 2\n3 3\n4 4\n");
    Result over = Read("cap.ldb", 5);
    EXPECT_EQ(over.outcome, 3);
    EXPECT_EQ(over.count, -7);

    // A separator as the extra record still needs room.
    flowfix::WriteText("cap.ldb", "a\n5 2\n1 1\n2 2\n3 3\n4 4\n999.999 0\n");
    EXPECT_EQ(Read("cap.ldb", 5).outcome, 3);
}

// The map's caller: start at 10,000 points and double the buffers while the
// reader is over capacity, reading the file again from its start.
TEST(LandBoundary, CallerDoublesUntilItFits)
{
    std::string text = "* 25,000 points in five polylines\n";
    for (int block = 0; block < 5; ++block) {
        text += "B" + std::to_string(block) + "\n5000 2\n";
        for (int i = 0; i < 5000; ++i)
            text += std::to_string(block * 5000 + i) + ".5 " + std::to_string(i) + "\n";
    }
    flowfix::WriteText("big.ldb", text);

    int32_t capacity = 10000;
    std::vector<int32_t> capacities;
    Result r;
    for (;;) {
        capacities.push_back(capacity);
        r = Read("big.ldb", capacity);
        if (r.outcome != 3)
            break;
        capacity *= 2;
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{10000, 20000, 40000}));
    ASSERT_EQ(r.outcome, 0);
    ASSERT_EQ(r.count, 25000);
    EXPECT_EQ(r.x[24999], 24999.5);
    EXPECT_EQ(r.y[24999], 4999.0);
    EXPECT_EQ(Polylines(r), (std::vector<int32_t>{5000, 10000, 15000, 20000, 25000}));
}

TEST(LandBoundary, FailuresKeepTheCallersValues)
{
    Result missing = Read("no such file.ldb", 10);
    EXPECT_EQ(missing.outcome, 1);
    EXPECT_EQ(missing.count, -7);
    EXPECT_EQ(missing.x[0], -1.0);   // untouched
    EXPECT_EQ(missing.ends[9], -1);

    flowfix::WriteText("bad.ldb", "a\n3 2\n1 1\nx y\n2 2\n");
    Result bad = Read("bad.ldb", 10);
    EXPECT_EQ(bad.outcome, 4);
    EXPECT_EQ(bad.count, -7);

    flowfix::WriteText("bad.ldb", "a\nthree 2\n1 1\n");
    EXPECT_EQ(Read("bad.ldb", 10).outcome, 4);
}

TEST(LandBoundary, NameIsAFixedLengthField)
{
    flowfix::WriteText("field.ldb", "a\n1 2\n3 4\n");
    std::string field = flowfix::Field("field.ldb", 80);
    int32_t capacity = 4, count = 0, outcome = -1;
    double x[4], y[4];
    int32_t ends[4];
    READ_POLYLINE_FILE(field.data(), 80, x, y, ends, &capacity, &count, &outcome);
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(count, 1);
    // A length shorter than the name cuts it.
    READ_POLYLINE_FILE(field.data(), 5, x, y, ends, &capacity, &count, &outcome);
    EXPECT_EQ(outcome, 1);
}

}  // namespace
