// Time-series tables: creation, row edits, the three evaluations (with rows
// that share a time), row search, combination by series name, the growable
// array, and allocation failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "fakes.h"
#include "xyseries.h"

namespace {

// Adds rows (time, values of all series) with operation 3.
void AddRows(XYSeries *t, const std::vector<std::vector<double>> &rows)
{
    const int previous = SelectXYSeries(t, XYS_ALL);
    for (const auto &row : rows) {
        std::vector<float> v;
        for (size_t k = 1; k < row.size(); ++k)
            v.push_back(static_cast<float>(row[k]));
        const XYSeriesEdit e = {t, XYS_INSERT_AT_TIME, 0, row[0], v.data(), v.data()};
        ASSERT_EQ(EditXYSeriesRows(e), XYS_OK);
    }
    SelectXYSeries(t, previous);
}

std::vector<double> Times(XYSeries *t)
{
    std::vector<double> times;
    for (int r = 0; r < GetXYSeriesInfo(t, XYS_INFO_ROWS); ++r) {
        double tm = 0;
        EvaluateXYSeries(t, XYS_ROW, r, &tm, nullptr, nullptr);
        times.push_back(tm);
    }
    return times;
}

std::vector<float> Row(XYSeries *t, int r)
{
    const int previous = SelectXYSeries(t, XYS_ALL);
    std::vector<float> v(static_cast<size_t>(GetXYSeriesInfo(t, XYS_INFO_SERIES)));
    double tm = 0;
    EXPECT_EQ(EvaluateXYSeries(t, XYS_ROW, r, &tm, v.data(), nullptr), XYS_OK);
    SelectXYSeries(t, previous);
    return v;
}

float At(XYSeries *t, double tm)
{
    float v = -12345.0f;
    EXPECT_EQ(EvaluateXYSeries(t, XYS_AT_TIME, 0, &tm, &v, nullptr), XYS_OK);
    return v;
}

TEST(XYSeries, NewTable)
{
    XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, 2);
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(SetXYSeriesName(t, XYS_GET, -1, nullptr), "X");
    EXPECT_STREQ(SetXYSeriesName(t, XYS_GET, 0, nullptr), "Series 1");
    EXPECT_STREQ(SetXYSeriesName(t, XYS_GET, 1, nullptr), "Series 2");
    for (int s = -1; s < 2; ++s) {
        double range[2] = {-1, -1};
        EXPECT_EQ(SetXYSeriesRange(t, XYS_GET, s, range), XYS_OK);
        EXPECT_EQ(range[0], 0.0);
        EXPECT_EQ(range[1], 1.0);
    }
    EXPECT_EQ(GetXYSeriesInfo(t, XYS_INFO_KIND), 0);
    EXPECT_EQ(GetXYSeriesInfo(t, XYS_INFO_MODE), 1);
    EXPECT_EQ(GetXYSeriesInfo(t, XYS_INFO_SERIES), 2);
    EXPECT_EQ(GetXYSeriesInfo(t, XYS_INFO_ROWS), 0);
    EXPECT_EQ(GetXYSeriesInfo(t, XYS_INFO_CURRENT), 0);
    EXPECT_EQ(GetXYSeriesInfo(t, XYS_INFO_VIEW), 0);
    EXPECT_EQ(GetXYSeriesInfo(t, 6), XYS_BAD_ARGUMENT);
    EXPECT_EQ(GetXYSeriesInfo(nullptr, 0), XYS_BAD_ARGUMENT);
    DestroyXYSeries(t);

    const int bad[][3] = {{-1, 0, 1}, {3, 0, 1}, {0, 2, 1}, {0, 0, 0}};
    for (const auto &b : bad)
        EXPECT_EQ(CreateXYSeries(b[0], b[1], b[2]), nullptr);
    DestroyXYSeries(nullptr);
}

TEST(XYSeries, NamesRangesAndSelection)
{
    XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, 3);
    const std::string longName(80, 'n');
    EXPECT_EQ(std::string(SetXYSeriesName(t, XYS_SET, 2, longName.c_str())), std::string(63, 'n'));
    EXPECT_EQ(SetXYSeriesName(t, XYS_SET, 3, "x"), nullptr);
    EXPECT_EQ(SetXYSeriesName(t, 4, 0, "x"), nullptr);

    double range[2] = {5, 1};
    EXPECT_EQ(SetXYSeriesRange(t, XYS_SET, 0, range), XYS_OK);
    double got[2] = {0, 0};
    SetXYSeriesRange(t, XYS_GET, 0, got);
    EXPECT_EQ(got[0], 1.0);
    EXPECT_EQ(got[1], 5.0);
    double same[2] = {2, 2};
    EXPECT_EQ(SetXYSeriesRange(t, XYS_SET, 0, same), XYS_BAD_ARGUMENT);
    SetXYSeriesRange(t, XYS_GET, 0, got);
    EXPECT_EQ(got[1], 5.0);

    EXPECT_EQ(SelectXYSeries(t, 2), 0);
    EXPECT_EQ(SelectXYSeries(t, XYS_QUERY), 2);
    EXPECT_EQ(SelectXYSeries(t, -1), 2);
    EXPECT_EQ(SelectXYSeries(t, 3), XYS_BAD_ARGUMENT);
    EXPECT_EQ(SelectXYSeries(t, -3), XYS_BAD_ARGUMENT);
    EXPECT_EQ(GetXYSeriesInfo(t, XYS_INFO_CURRENT), -1);
    EXPECT_EQ(SelectXYSeries(nullptr, 0), XYS_BAD_ARGUMENT);
    EXPECT_EQ(SetXYSeriesRedraw(t, 0), 1);
    EXPECT_EQ(SetXYSeriesRedraw(t, 1), 0);
    DestroyXYSeries(t);
}

TEST(XYSeries, RowEdits)
{
    XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, 1);
    AddRows(t, {{10, 3}, {0, 1}, {5, 2}});
    EXPECT_EQ(Times(t), (std::vector<double>{0, 5, 10}));

    const float v = 7.0f;
    // Operation 4: at an existing time it overwrites, at a new one it inserts.
    XYSeriesEdit e = {t, XYS_SET_AT_TIME, 0, 5.0, &v, nullptr};
    EXPECT_EQ(EditXYSeriesRows(e), XYS_OK);
    EXPECT_EQ(Times(t).size(), 3u);
    EXPECT_EQ(Row(t, 1)[0], 7.0f);
    e.time = 7.0;
    EXPECT_EQ(EditXYSeriesRows(e), XYS_OK);
    EXPECT_EQ(Times(t), (std::vector<double>{0, 5, 7, 10}));

    // Operation 5: the time must stay strictly between the neighbours.
    const struct {
        int row;
        double time;
        int result;
    } sets[] = {{1, 0.0, XYS_BAD_ARGUMENT}, {1, 7.0, XYS_BAD_ARGUMENT}, {1, 6.0, XYS_OK},
                {0, -3.0, XYS_OK}, {3, 99.0, XYS_OK}, {4, 1.0, XYS_BAD_ARGUMENT}};
    for (const auto &s : sets) {
        XYSeriesEdit set = {t, XYS_SET_ROW, s.row, s.time, &v, nullptr};
        EXPECT_EQ(EditXYSeriesRows(set), s.result) << s.row << " " << s.time;
    }
    EXPECT_EQ(Times(t), (std::vector<double>{-3, 6, 7, 99}));

    // Operation 6.
    XYSeriesEdit del = {t, XYS_DELETE_ROW, 1, 0, nullptr, nullptr};
    EXPECT_EQ(EditXYSeriesRows(del), XYS_OK);
    EXPECT_EQ(Times(t), (std::vector<double>{-3, 7, 99}));
    del.row = 3;
    EXPECT_EQ(EditXYSeriesRows(del), XYS_BAD_ARGUMENT);
    del.row = -1;
    EXPECT_EQ(EditXYSeriesRows(del), XYS_OK);
    EXPECT_EQ(GetXYSeriesInfo(t, XYS_INFO_ROWS), 0);
    double tm = 0;
    float out = 0;
    EXPECT_EQ(EvaluateXYSeries(t, XYS_AT_TIME, 0, &tm, &out, nullptr), XYS_EMPTY);

    XYSeriesEdit bad = {t, 2, 0, 0, &v, nullptr};
    EXPECT_EQ(EditXYSeriesRows(bad), XYS_BAD_ARGUMENT);
    bad.operation = 7;
    EXPECT_EQ(EditXYSeriesRows(bad), XYS_BAD_ARGUMENT);
    bad.table = nullptr;
    bad.operation = 3;
    EXPECT_EQ(EditXYSeriesRows(bad), XYS_BAD_ARGUMENT);
    DestroyXYSeries(t);
}

// An insertion writes the selected series; the others take the value the
// table had at that time.
TEST(XYSeries, InsertFillsOtherSeriesFromTheTable)
{
    XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, 2);
    AddRows(t, {{0, 1, 10}, {10, 3, 30}});
    SelectXYSeries(t, 1);
    const float v = 99.0f;
    XYSeriesEdit e = {t, XYS_INSERT_AT_TIME, 0, 5.0, &v, nullptr};
    ASSERT_EQ(EditXYSeriesRows(e), XYS_OK);
    EXPECT_EQ(Row(t, 1), (std::vector<float>{2.0f, 99.0f}));
    DestroyXYSeries(t);
}

// Rows of fewer and of more series than a row edit keeps on the stack
// interpolate alike: a row inserted between two others takes their mean.
TEST(XYSeries, InsertedRowsOfFewAndManySeries)
{
    for (int n : {1, 31, 32, 33, 100}) {
        SCOPED_TRACE(n);
        XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, n);
        std::vector<double> first = {0}, last = {10};
        for (int s = 0; s < n; ++s) {
            first.push_back(s);
            last.push_back(3.0 * s);
        }
        AddRows(t, {first, last});
        ASSERT_EQ(SelectXYSeries(t, n - 1), 0);
        const float one = 7.0f;
        const XYSeriesEdit e = {t, XYS_INSERT_AT_TIME, 0, 5.0, &one, nullptr};
        ASSERT_EQ(EditXYSeriesRows(e), XYS_OK);
        const std::vector<float> middle = Row(t, 1);
        for (int s = 0; s + 1 < n; ++s)
            EXPECT_FLOAT_EQ(middle[static_cast<size_t>(s)], 2.0f * s) << s;
        EXPECT_FLOAT_EQ(middle[static_cast<size_t>(n - 1)], 7.0f);
        double at = 2.5;
        std::vector<float> values(static_cast<size_t>(n));
        SelectXYSeries(t, XYS_ALL);
        ASSERT_EQ(EvaluateXYSeries(t, XYS_AT_TIME, 0, &at, values.data(), nullptr), XYS_OK);
        for (int s = 0; s + 1 < n; ++s)
            EXPECT_FLOAT_EQ(values[static_cast<size_t>(s)], 1.5f * s) << s;
        EXPECT_FLOAT_EQ(values[static_cast<size_t>(n - 1)], (n - 1 + 7.0f) / 2);
        DestroyXYSeries(t);
    }
}

TEST(XYSeries, Evaluation)
{
    XYSeries *linear = CreateXYSeries(XYS_LINEAR, 1, 1);
    XYSeries *block = CreateXYSeries(XYS_BLOCK, 1, 1);
    AddRows(linear, {{0, 1}, {10, 3}});
    AddRows(block, {{0, 1}, {10, 3}});
    const struct {
        double time;
        float linear;
        float block;
    } cases[] = {{5, 2, 1}, {-1, 1, 1}, {20, 3, 3}, {0, 1, 1}, {10, 3, 3}, {2.5, 1.5, 1}};
    for (const auto &c : cases) {
        EXPECT_FLOAT_EQ(At(linear, c.time), c.linear) << c.time;
        EXPECT_FLOAT_EQ(At(block, c.time), c.block) << c.time;
    }

    // Nearest row: a tie keeps the earlier row.
    const struct {
        double time;
        double row;
    } nearest[] = {{5, 0}, {5.1, 10}, {-4, 0}, {40, 10}};
    for (const auto &n : nearest) {
        double tm = n.time;
        float v = 0;
        EXPECT_EQ(EvaluateXYSeries(linear, XYS_NEAREST_ROW, 0, &tm, &v, nullptr), XYS_OK);
        EXPECT_EQ(tm, n.row) << n.time;
    }

    double tm = 0;
    float v = 0;
    EXPECT_EQ(EvaluateXYSeries(linear, XYS_ROW, 2, &tm, &v, nullptr), XYS_BAD_ARGUMENT);
    EXPECT_EQ(EvaluateXYSeries(linear, 3, 0, &tm, &v, nullptr), XYS_BAD_ARGUMENT);
    EXPECT_EQ(EvaluateXYSeries(nullptr, XYS_ROW, 0, &tm, &v, nullptr), XYS_BAD_ARGUMENT);
    DestroyXYSeries(linear);
    DestroyXYSeries(block);
}

// Neighbouring rows that share a time: the linear evaluation at that time
// takes the later row's value instead of dividing by zero.
TEST(XYSeries, RowsSharingATime)
{
    const std::vector<std::vector<std::vector<double>>> layouts = {
        {{0, 1}, {5, 2}, {5, 4}},
        {{0, 1}, {5, 2}, {5, 4}, {10, 6}},
        {{5, 2}, {5, 4}},
        {{0, 1}, {1, 1}, {5, 2}, {5, 4}, {9, 5}},
    };
    for (const auto &rows : layouts) {
        XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, 1);
        AddRows(t, rows);
        const float v = At(t, 5.0);
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_EQ(v, 4.0f) << "rows: " << rows.size();
        DestroyXYSeries(t);
    }
}

// Rows inserted at one time stay in the order they came, before and after
// other rows, however many there are: a table read from a file keeps the
// order of its rows, and saving it and reading it again changes nothing.
TEST(XYSeries, RowsOfOneTimeKeepTheirOrder)
{
    for (int equal = 2; equal <= 7; ++equal)
        for (bool later_first : {false, true}) {
            SCOPED_TRACE(std::to_string(equal) + (later_first ? " rows, a later row first" : " rows"));
            XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, 1);
            std::vector<std::vector<double>> rows = {{0, 1}};
            if (later_first)
                rows.push_back({20, 9});
            for (int k = 0; k < equal; ++k)
                rows.push_back({14, 100.0 + k});
            if (!later_first)
                rows.push_back({20, 9});
            AddRows(t, rows);
            std::vector<float> at14;
            for (int r = 0; r < GetXYSeriesInfo(t, XYS_INFO_ROWS); ++r) {
                double tm = 0;
                float v = 0;
                EvaluateXYSeries(t, XYS_ROW, r, &tm, &v, nullptr);
                if (tm == 14)
                    at14.push_back(v);
            }
            std::vector<float> expected;
            for (int k = 0; k < equal; ++k)
                expected.push_back(100.0f + static_cast<float>(k));
            EXPECT_EQ(at14, expected);
            DestroyXYSeries(t);
        }
}

TEST(XYSeries, Harmonic)
{
    XYSeries *t = CreateXYSeries(XYS_HARMONIC, 0, 1);
    const float amplitude = 2.0f, phase = 0.0f;
    XYSeriesEdit e = {t, XYS_INSERT_AT_TIME, 0, 0.0, &amplitude, &phase};
    ASSERT_EQ(EditXYSeriesRows(e), XYS_OK);
    for (double tm : {0.0, 3.7, -100.0, 1e6})
        EXPECT_FLOAT_EQ(At(t, tm), static_cast<float>(2.0 * std::sin(1.5707963))) << tm;

    // A period of 12 with phase pi/2: a cosine.
    const float a2 = 1.0f, p2 = 1.5707963f;
    XYSeriesEdit e2 = {t, XYS_INSERT_AT_TIME, 0, 12.0, &a2, &p2};
    ASSERT_EQ(EditXYSeriesRows(e2), XYS_OK);
    EXPECT_NEAR(At(t, 3.0), 2.0 + std::sin(6.2831852 * 0.25 - 1.5707963), 1e-5);
    double tm = 12.0;
    float amp = 0, ph = 0;
    ASSERT_EQ(EvaluateXYSeries(t, XYS_ROW, 1, &tm, &amp, &ph), XYS_OK);
    EXPECT_EQ(amp, 1.0f);
    EXPECT_EQ(ph, p2);
    DestroyXYSeries(t);
}

TEST(XYSeries, FindRowMatchesAScan)
{
    std::mt19937 random(7);
    for (int n = 1; n <= 40; ++n) {
        XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, 1);
        std::vector<std::vector<double>> rows;
        double tm = 0;
        for (int i = 0; i < n; ++i) {
            tm += 1 + random() % 5;
            rows.push_back({tm, 0});
        }
        AddRows(t, rows);
        for (double probe = 0; probe <= tm + 2; probe += 0.5) {
            int expected = -1;
            for (int i = 0; i < n; ++i)
                if (rows[static_cast<size_t>(i)][0] <= probe)
                    expected = i;
            ASSERT_EQ(FindXYSeriesRow(t, probe), expected) << "n=" << n << " t=" << probe;
        }
        DestroyXYSeries(t);
    }
    EXPECT_EQ(FindXYSeriesRow(nullptr, 0), -1);
}

TEST(XYSeries, Combine)
{
    XYSeries *a = CreateXYSeries(XYS_LINEAR, 1, 2);
    XYSeries *b = CreateXYSeries(XYS_LINEAR, 1, 2);
    SetXYSeriesName(a, XYS_SET, -1, "time");
    SetXYSeriesName(a, XYS_SET, 0, "a");
    SetXYSeriesName(a, XYS_SET, 1, "b");
    SetXYSeriesName(b, XYS_SET, 0, "b");
    SetXYSeriesName(b, XYS_SET, 1, "c");
    double range[2] = {-5, 5};
    SetXYSeriesRange(b, XYS_SET, 1, range);
    AddRows(a, {{0, 1, 2}});
    AddRows(b, {{10, 20, 30}});
    SelectXYSeries(a, 1);

    XYSeries *u = CombineXYSeries(XYS_UNION, a, b);
    ASSERT_NE(u, nullptr);
    ASSERT_EQ(GetXYSeriesInfo(u, XYS_INFO_SERIES), 3);
    EXPECT_STREQ(SetXYSeriesName(u, XYS_GET, -1, nullptr), "time");
    EXPECT_STREQ(SetXYSeriesName(u, XYS_GET, 0, nullptr), "a");
    EXPECT_STREQ(SetXYSeriesName(u, XYS_GET, 1, nullptr), "b");
    EXPECT_STREQ(SetXYSeriesName(u, XYS_GET, 2, nullptr), "c");
    double got[2];
    SetXYSeriesRange(u, XYS_GET, 2, got);
    EXPECT_EQ(got[0], -5.0);
    EXPECT_EQ(Times(u), (std::vector<double>{0, 10}));
    EXPECT_EQ(Row(u, 0), (std::vector<float>{1, 2, 0}));
    EXPECT_EQ(Row(u, 1), (std::vector<float>{1, 20, 30}));
    // The inputs keep their selection and redraw flag.
    EXPECT_EQ(GetXYSeriesInfo(a, XYS_INFO_CURRENT), 1);
    EXPECT_EQ(a->autoRedraw, 1);

    XYSeries *c = CombineXYSeries(XYS_COPY, a, nullptr);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(Times(c), Times(a));
    EXPECT_EQ(Row(c, 0), Row(a, 0));
    EXPECT_STREQ(SetXYSeriesName(c, XYS_GET, 1, nullptr), "b");

    // Merge a into b: b's series "b" takes a's values, "c" keeps b's.
    EXPECT_EQ(CombineXYSeries(XYS_MERGE, a, b), b);
    EXPECT_EQ(Times(b), (std::vector<double>{0, 10}));
    EXPECT_EQ(Row(b, 0), (std::vector<float>{2, 30}));

    XYSeries *other = CreateXYSeries(XYS_BLOCK, 1, 1);
    EXPECT_EQ(CombineXYSeries(XYS_MERGE, a, other), nullptr);  // kinds differ
    EXPECT_EQ(CombineXYSeries(XYS_UNION, a, nullptr), nullptr);
    EXPECT_EQ(CombineXYSeries(5, a, b), nullptr);
    EXPECT_EQ(CombineXYSeries(XYS_COPY, nullptr, b), nullptr);
    for (XYSeries *t : {a, b, u, c, other})
        DestroyXYSeries(t);
}

TEST(XYSeries, AttachedViewIsRedrawnAndDestroyed)
{
    fakes::Reset();
    const RUV_RECT r = {0, 0, 10, 10};
    const int live = fakes::LiveWindowCount();
    XYSeries *t = CreateXYSeries(XYS_LINEAR, 1, 2);
    t->view = fakes::CreateTestWindow(r);
    t->viewAttached = 1;
    SelectXYSeries(t, 1);
    SelectXYSeries(t, XYS_QUERY);
    SetXYSeriesName(t, XYS_SET, 0, "not current");
    SetXYSeriesName(t, XYS_SET, 1, "current");
    EXPECT_EQ(fakes::Calls(), std::vector<std::string>(2, "ruv_dwin_invalidate_rect"));
    DestroyXYSeries(t);
    EXPECT_EQ(fakes::LiveWindowCount(), live);
}

// Everything a table tells of itself: shape, state, names, ranges, rows.
std::string Described(XYSeries *t)
{
    std::string out;
    for (int code = XYS_INFO_KIND; code <= XYS_INFO_VIEW; ++code)
        out += std::to_string(GetXYSeriesInfo(t, code)) + " ";
    out += std::to_string(SetXYSeriesRedraw(t, 1)) + " ";
    SetXYSeriesRedraw(t, 0);
    out += std::to_string(SetXYSeriesRedraw(t, 1)) + "\n";
    const int current = SelectXYSeries(t, XYS_QUERY);
    for (int s = -1; s < GetXYSeriesInfo(t, XYS_INFO_SERIES); ++s) {
        double range[2] = {0, 0};
        SetXYSeriesRange(t, XYS_GET, s, range);
        out += std::string(SetXYSeriesName(t, XYS_GET, s, nullptr)) + " " + std::to_string(range[0]) + " " +
               std::to_string(range[1]) + "\n";
    }
    for (int r = 0; r < GetXYSeriesInfo(t, XYS_INFO_ROWS); ++r) {
        out += std::to_string(Times(t)[static_cast<size_t>(r)]);
        for (float v : Row(t, r))
            out += " " + std::to_string(v);
        out += "\n";
    }
    SelectXYSeries(t, current);
    return out;
}

// A renewed table is a new table of its shape: one of the same shape is
// emptied in place, whatever was done to it, and fills as a new one does;
// one of another shape, or shown in a window, is replaced.
TEST(XYSeries, RenewedTableIsANewTable)
{
    struct Shape {
        int kind, mode, series;
    } shapes[] = {{XYS_LINEAR, 1, 1}, {XYS_LINEAR, 1, 2}, {XYS_LINEAR, 0, 10}, {XYS_BLOCK, 1, 3}};
    for (const Shape &used : shapes) {
        for (const Shape &wanted : shapes) {
            SCOPED_TRACE(std::to_string(used.series) + " series renewed to " + std::to_string(wanted.series));
            XYSeries *t = CreateXYSeries(used.kind, used.mode, used.series);
            AddRows(t, {{1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}});
            SetXYSeriesName(t, XYS_SET, 0, "used");
            double range[2] = {-4, 4};
            SetXYSeriesRange(t, XYS_SET, -1, range);
            SelectXYSeries(t, XYS_ALL);
            SetXYSeriesRedraw(t, 0);

            XYSeries *fresh = CreateXYSeries(wanted.kind, wanted.mode, wanted.series);
            XYSeries *renewed = RenewXYSeries(t, wanted.kind, wanted.mode, wanted.series);
            ASSERT_NE(renewed, nullptr);
            // (A table of another shape is made anew: the allocator may give
            // it the block of the one destroyed, so its address tells nothing.)
            if (used.kind == wanted.kind && used.mode == wanted.mode && used.series == wanted.series) {
                EXPECT_EQ(renewed, t);
            }
            EXPECT_EQ(Described(renewed), Described(fresh));
            const std::vector<std::vector<double>> rows = {{7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}};
            AddRows(renewed, rows);
            AddRows(fresh, rows);
            EXPECT_EQ(Described(renewed), Described(fresh));
            DestroyXYSeries(renewed);
            DestroyXYSeries(fresh);
        }
    }

    // A table shown in a window goes with its window; a long one gives its
    // blocks back.
    fakes::Reset();
    const RUV_RECT r = {0, 0, 10, 10};
    const int live = fakes::LiveWindowCount();
    XYSeries *shown = CreateXYSeries(XYS_LINEAR, 1, 2);
    shown->view = fakes::CreateTestWindow(r);
    shown->viewAttached = 1;
    XYSeries *renewed = RenewXYSeries(shown, XYS_LINEAR, 1, 2);
    EXPECT_EQ(fakes::LiveWindowCount(), live);
    EXPECT_EQ(GetXYSeriesInfo(renewed, XYS_INFO_VIEW), 0);
    std::vector<std::vector<double>> many;
    for (int row = 0; row < 1000; ++row)
        many.push_back({static_cast<double>(row), 1, 2});
    AddRows(renewed, many);
    const int capacity = renewed->times->capacity;
    renewed = RenewXYSeries(renewed, XYS_LINEAR, 1, 2);
    EXPECT_LT(renewed->times->capacity, capacity);
    EXPECT_EQ(GetXYSeriesInfo(renewed, XYS_INFO_ROWS), 0);
    DestroyXYSeries(renewed);
    EXPECT_EQ(RenewXYSeries(nullptr, XYS_LINEAR, 7, 1), nullptr);   // no such mode
}

TEST(GrowArray, ExtendInsertDelete)
{
    GrowArray *g = GrowArrayCreate(sizeof(int));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->capacity, 20);
    EXPECT_EQ(GrowArrayExtend(g, 0), -1);
    EXPECT_EQ(GrowArrayExtend(g, 25), 0);
    EXPECT_EQ(g->capacity, 40);
    EXPECT_EQ(GrowArrayExtend(g, 30), 25);
    EXPECT_EQ(g->capacity, 60);  // 40 + 20 holds 55
    EXPECT_EQ(GrowArrayExtend(g, 100), 55);
    EXPECT_EQ(g->capacity, 155);  // count + k is larger than 60 + 20
    for (int i = 0; i < g->count; ++i)
        *static_cast<int *>(GrowArrayAt(g, i)) = i;

    EXPECT_EQ(GrowArrayInsert(g, 2, 3), 2);
    EXPECT_EQ(*static_cast<int *>(GrowArrayAt(g, 5)), 2);
    EXPECT_EQ(GrowArrayInsert(g, -4, 1), 0);
    EXPECT_EQ(*static_cast<int *>(GrowArrayAt(g, 1)), 0);
    EXPECT_EQ(GrowArrayInsert(g, 1000, 2), 159);  // beyond the count: appended
    EXPECT_EQ(g->count, 161);

    GrowArrayDelete(g, 0, 1);
    EXPECT_EQ(*static_cast<int *>(GrowArrayAt(g, 0)), 0);
    GrowArrayDelete(g, 500, 1);
    EXPECT_EQ(g->count, 160);
    GrowArrayDelete(g, 10, 1000);  // cut at 10
    EXPECT_EQ(g->count, 10);
    GrowArrayDelete(g, 0, 10);
    EXPECT_EQ(g->count, 0);
    GrowArrayDelete(g, 0, 1);
    EXPECT_EQ(g->count, 0);
    GrowArrayDestroy(g);
    EXPECT_EQ(GrowArrayCreate(0), nullptr);
}

TEST(XYSeries, AllocationFailures)
{
    // Each allocation of a creation fails in turn: NULL, nothing leaked.
    for (int nth = 1;; ++nth) {
        XYSeries *t;
        bool failed;
        {
            fakes::FailingAllocator failing(nth);
            t = CreateXYSeries(XYS_HARMONIC, 1, 3);
            failed = failing.Failed();
        }
        if (!failed) {
            ASSERT_NE(t, nullptr);
            DestroyXYSeries(t);
            break;
        }
        EXPECT_EQ(t, nullptr) << nth;
    }

    // A full array that cannot grow keeps its elements and reports -1.
    GrowArray *g = GrowArrayCreate(sizeof(double));
    GrowArrayExtend(g, 20);
    {
        fakes::FailingAllocator failing(1);
        EXPECT_EQ(GrowArrayExtend(g, 1), -1);
    }
    EXPECT_EQ(g->count, 20);
    EXPECT_EQ(g->capacity, 20);
    GrowArrayDestroy(g);

    // An insertion that cannot grow one of the row arrays leaves the table
    // as it was.
    for (int nth = 1;; ++nth) {
        XYSeries *t = CreateXYSeries(XYS_HARMONIC, 1, 1);
        std::vector<std::vector<double>> rows;
        for (int i = 0; i < 20; ++i)
            rows.push_back({static_cast<double>(i), static_cast<double>(i)});
        AddRows(t, rows);
        const float v = 1, p = 0;
        XYSeriesEdit e = {t, XYS_INSERT_AT_TIME, 0, 4.5, &v, &p};
        int result;
        bool failed;
        {
            fakes::FailingAllocator failing(nth);
            result = EditXYSeriesRows(e);
            failed = failing.Failed();
        }
        if (!failed) {
            EXPECT_EQ(result, XYS_OK);
            DestroyXYSeries(t);
            break;
        }
        EXPECT_NE(result, XYS_OK);
        EXPECT_EQ(t->times->count, 20);
        EXPECT_EQ(t->values->count, 20);
        EXPECT_EQ(t->phases->count, 20);
        EXPECT_EQ(Times(t)[5], 5.0);
        DestroyXYSeries(t);
    }
}

TEST(NameIndex, CreateFindDestroy)
{
    NameIndex *index = NameIndexCreate(8);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(NameIndexFind(index, "anything   "), -1);
    NameIndexDestroy(index);
    NameIndexDestroy(nullptr);
    EXPECT_EQ(NameIndexCreate(0), nullptr);

    int flag = 7;
    EXPECT_EQ(SetZeroOneFlag(&flag, 1), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(SetZeroOneFlag(&flag, 2), -2);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(SetZeroOneFlag(nullptr, 0), -2);
}

} // namespace
