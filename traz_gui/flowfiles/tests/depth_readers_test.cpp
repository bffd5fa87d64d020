// Depth readers: column order, record boundaries of the row reader against
// the stream reader, short files and bad values.

#include "flow_files.h"
#include "flow_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Depths {
    int32_t outcome = -1;
    std::vector<float> values;
};

Depths Read(bool rows, const std::string &path, int32_t mmax, int32_t nmax)
{
    Depths d;
    d.values.assign(static_cast<size_t>(mmax * nmax), -5.0f);
    if (rows)
        CallReadDepthRows(path.c_str(), d.values.data(), &mmax, &nmax, &d.outcome);
    else
        CallReadDepthStream(path.c_str(), d.values.data(), &mmax, &nmax, &d.outcome);
    return d;
}

TEST(DepthReaders, RowsAndStream)
{
    struct Case {
        const char *label;
        const char *text;
        int32_t mmax, nmax;
        int32_t rows_outcome;
        std::vector<float> rows_values;
        int32_t stream_outcome;
        std::vector<float> stream_values;
    };
    const std::vector<Case> cases = {
        {"one record per row", "1 2 3\n4 5 6\n", 3, 2, 0, {1, 2, 3, 4, 5, 6}, 0, {1, 2, 3, 4, 5, 6}},
        {"rows over several records", "1 2\n3\n4\n5 6\n", 3, 2, 0, {1, 2, 3, 4, 5, 6}, 0, {1, 2, 3, 4, 5, 6}},
        // The row reader skips the rest of each row's last record.
        {"rows longer than mmax", "1 2 -999\n3 4 -999\n-999 -999 -999\n", 2, 2, 0, {1, 2, 3, 4}, 0,
         {1, 2, -999, 3}},
        // All values on one record: the stream reads them, the rows run out.
        {"everything on one record", "1.5 2.5 3.5 4.5\n", 2, 2, 6, {1.5f, 2.5f, 0, 0}, 0, {1.5f, 2.5f, 3.5f, 4.5f}},
        {"fewer values than the array", "1 2\n3\n", 2, 2, 6, {1, 2, 3, 0}, 6, {1, 2, 3, 0}},
        {"empty file", "", 2, 1, 6, {0, 0}, 6, {0, 0}},
        {"bad value", "1 x\n3 4\n", 2, 2, 4, {1, 0, 0, 0}, 4, {1, 0, 0, 0}},
        {"exponents and commas", "1e1,2.5D0\n-3,4\n", 2, 2, 0, {10, 2.5f, -3, 4}, 0, {10, 2.5f, -3, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        flowfix::WriteText("d.dep", c.text);
        Depths rows = Read(true, "d.dep", c.mmax, c.nmax);
        EXPECT_EQ(rows.outcome, c.rows_outcome);
        EXPECT_EQ(rows.values, c.rows_values);
        Depths stream = Read(false, "d.dep", c.mmax, c.nmax);
        EXPECT_EQ(stream.outcome, c.stream_outcome);
        EXPECT_EQ(stream.values, c.stream_values);
    }
}

TEST(DepthReaders, MissingFileLeavesTheArray)
{
    for (bool rows : {true, false}) {
        Depths d = Read(rows, "missing.dep", 2, 2);
        EXPECT_EQ(d.outcome, 1);
        EXPECT_EQ(d.values, (std::vector<float>{-5, -5, -5, -5}));
    }
}

TEST(DepthReaders, EmptyArrayReadsNothing)
{
    flowfix::WriteText("e.dep", "");
    int32_t mmax = 0, nmax = 3, outcome = -1;
    float unused = 7.0f;
    CallReadDepthRows("e.dep", &unused, &mmax, &nmax, &outcome);
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(unused, 7.0f);
}

}  // namespace
