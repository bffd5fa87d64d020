// Wave input obstacles and curves: short and long obstacle headers, the
// point and curve-entry capacities, curve totals and the boundary-section
// flag.

#include "wave_input.h"
#include "wave_fixture.h"

#include <gtest/gtest.h>

using namespace wavefix;

namespace {

const char kPath[] = "wave_obstacles.inp";
const int kBefore = 11 + 20;   // header and general section lines of the fixture

Result ReadTail(const Lines &tail, wave::WaveInputRecord *rec, std::string *out = nullptr)
{
    testing::internal::CaptureStdout();
    Result r = Read(kPath, CurrentHeader() + GeneralSection(true) + tail, rec);
    std::string text = testing::internal::GetCapturedStdout();
    if (out)
        *out = text;
    return r;
}

TEST(WaveObstacles, NoneAndNoBoundarySection)
{
    wave::WaveInputRecord rec;
    rec.obstacle_point_total = 9;
    rec.curve_entry_count = 9;
    auto r = ReadTail({"0", "* comment", "0", "F", "not read"}, &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(r.lines, kBefore + 4);
    EXPECT_EQ(rec.obstacle_count, 0);
    EXPECT_EQ(rec.obstacle_point_total, 0);
    EXPECT_EQ(rec.curve_count, 0);
    EXPECT_EQ(rec.curve_entry_count, 0);
    EXPECT_EQ(rec.curve_total, 0);
    EXPECT_TRUE(rec.boundary_section_absent);
}

TEST(WaveObstacles, ShortLongAndCommaHeaders)
{
    wave::WaveInputRecord rec;
    Lines tail = {"3",
                  "4 0.8", "0. 0.", "1. 0.", "1. 1.", "0. 1.",
                  "2 3.0 2.6 0.15", "5. 5.", "6. 6.",
                  "1,0.8", "1. 2.", "7. 7.",   // one word: long form, continues on the next line
                  "0", "F"};
    auto r = ReadTail(tail, &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(r.lines, kBefore + static_cast<int>(tail.size()) - 1);   // the continuation is not counted
    ASSERT_EQ(rec.obstacle_count, 3);
    EXPECT_TRUE(rec.obstacles[0].short_form);
    EXPECT_EQ(rec.obstacles[0].point_count, 4);
    EXPECT_FLOAT_EQ(rec.obstacles[0].coefficients[0], 0.8f);
    EXPECT_FLOAT_EQ(rec.obstacles[0].coefficients[3], 999.0f);
    EXPECT_FALSE(rec.obstacles[1].short_form);
    EXPECT_FLOAT_EQ(rec.obstacles[1].coefficients[0], 999.0f);
    EXPECT_FLOAT_EQ(rec.obstacles[1].coefficients[3], 0.15f);
    EXPECT_FALSE(rec.obstacles[2].short_form);
    EXPECT_EQ(rec.obstacles[2].point_count, 1);
    EXPECT_FLOAT_EQ(rec.obstacles[2].coefficients[1], 0.8f);
    EXPECT_FLOAT_EQ(rec.obstacles[2].coefficients[3], 2.0f);
    EXPECT_EQ(rec.obstacle_point_total, 7);
    EXPECT_FLOAT_EQ(rec.obstacle_points[4][0], 5.0f);
    EXPECT_FLOAT_EQ(rec.obstacle_points[6][1], 7.0f);
}

TEST(WaveObstacles, PointCapacity)
{
    // Capacity 10: obstacles of 6 and 5 points; the second header overflows.
    wave::WaveInputRecord rec;
    rec.obstacle_points.assign(10, {-1.0f, -1.0f});
    Lines tail = {"2", "6 0.5"};
    for (int i = 0; i < 6; ++i)
        tail.push_back(std::to_string(i) + ". 0.");
    tail = tail + Lines{"5 0.5", "9. 9.", "9. 9.", "9. 9.", "9. 9.", "9. 9.", "0", "F"};
    std::string out;
    auto r = ReadTail(tail, &rec, &out);
    EXPECT_EQ(r.status, wave::kWaveCapacityExceeded);
    EXPECT_EQ(out, " Number of obstacles exceeds maximum\n Please contact Ostravel\n");
    EXPECT_EQ(r.lines, kBefore + 9);
    EXPECT_FLOAT_EQ(rec.obstacle_points[5][0], 5.0f);
    EXPECT_FLOAT_EQ(rec.obstacle_points[6][0], -1.0f);

    // Exactly 10 points is accepted.
    tail[8] = "4 0.5";
    tail.erase(tail.begin() + 9);
    r = ReadTail(tail, &rec, &out);
    EXPECT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(rec.obstacle_point_total, 10);
}

TEST(WaveObstacles, GuardedCounts)
{
    // More obstacles than the arrays hold, and a negative point count that
    // would let a later obstacle run past the point entries.
    struct Case {
        Lines tail;
        int32_t status;
        const char *message;
    } cases[] = {
        {{"11"}, 3, " Number of obstacles exceeds maximum\n Please contact Ostravel\n"},
        {{"2", "-5 0.5", "12 0.5"}, 4, ""},
    };
    for (const Case &c : cases) {
        wave::WaveInputRecord rec;
        std::string out;
        auto r = ReadTail(c.tail, &rec, &out);
        EXPECT_EQ(r.status, c.status) << c.tail[0];
        EXPECT_EQ(out, c.message);
        EXPECT_LE(rec.obstacle_points.size(), 10u);
    }
}

TEST(WaveCurves, TotalsAndEntries)
{
    wave::WaveInputRecord rec;
    Lines tail = {"0", "2", "3 0. 0.", "4 10. 0.", "5 10. 10.", "1 7. 8.", "F"};
    auto r = ReadTail(tail, &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(rec.curve_count, 2);
    EXPECT_EQ(rec.curve_entry_count, 4);
    EXPECT_EQ(rec.curve_total, 2 + 4 + 5);
    EXPECT_EQ(rec.curve_entries[1].count, 4);
    EXPECT_FLOAT_EQ(rec.curve_entries[2].values[1], 10.0f);
    EXPECT_FLOAT_EQ(rec.curve_entries[3].values[0], 7.0f);
}

TEST(WaveCurves, EntryCapacity)
{
    const char kMessage[] = " Number of curves exceeds maximum\n Please contact Ostravel\n";
    struct Case {
        Lines tail;
        int32_t status;
        int lines;   // after the general section
    } cases[] = {
        {{"0", "2", "3 0. 0.", "1 0. 0.", "1 0. 0.", "2 0. 0.", "1 0. 0.", "F"}, 0, 8},
        {{"0", "2", "3 0. 0.", "1 0. 0.", "1 0. 0.", "3 0. 0."}, 3, 6},
        // Curves that give no lines still take an entry each: six of them
        // do not fit five entries.
        {{"0", "6", "0 0. 0.", "0 0. 0.", "-1 0. 0.", "0 0. 0.", "0 0. 0.", "0 0. 0.", "F"}, 3, 7},
    };
    for (const Case &c : cases) {
        wave::WaveInputRecord rec;
        std::string out;
        auto r = ReadTail(c.tail, &rec, &out);
        EXPECT_EQ(r.status, c.status) << c.tail[1];
        EXPECT_EQ(out, c.status == 3 ? kMessage : "");
        EXPECT_EQ(r.lines, kBefore + c.lines);
        EXPECT_LE(rec.curve_entries.size(), 5u);
    }
}

}  // namespace
