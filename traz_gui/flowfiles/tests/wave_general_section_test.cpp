// Wave input general section: values in file order, tide steps, nests and
// starting lines with their capacities, the two field groups and the codes
// in both layouts.

#include "wave_input.h"
#include "wave_fixture.h"

#include <gtest/gtest.h>

using namespace wavefix;

namespace {

const char kPath[] = "wave_general.inp";

Lines Current(const Lines &general)
{
    return CurrentHeader() + general + NoObstaclesNoBoundaries();
}

TEST(WaveGeneral, CurrentLayoutValues)
{
    wave::WaveInputRecord rec;
    auto r = Read(kPath, Current(GeneralSection(true)), &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(rec.first_file_name, Fit("bottom.dep", 37));
    EXPECT_EQ(rec.seven_ints[0], 1);
    EXPECT_EQ(rec.seven_ints[1], 2);
    EXPECT_FLOAT_EQ(rec.seven_reals[4], 0.5f);
    ASSERT_EQ(rec.tide_step_count, 1);
    EXPECT_EQ(rec.tide_steps[0].step, 10);
    EXPECT_FLOAT_EQ(rec.tide_steps[0].values[2], 3.0f);
    EXPECT_EQ(rec.text16, Fit("project", 16));
    EXPECT_EQ(rec.text4, "run1");
    EXPECT_EQ(rec.texts65[2], Fit("text three", 65));
    EXPECT_EQ(rec.int_pair[1], 5);
    EXPECT_FLOAT_EQ(rec.real_triple[2], 3.0f);
    EXPECT_FLOAT_EQ(rec.real_pair[1], 5.0f);
    EXPECT_FLOAT_EQ(rec.field1.values[0], 1.5f);
    EXPECT_FLOAT_EQ(rec.field1.values[1], 270.0f);
    EXPECT_FALSE(rec.field1.file_flag);
    EXPECT_EQ(rec.nest_count, 0);
    EXPECT_FLOAT_EQ(rec.further_real, 0.5f);
    EXPECT_EQ(rec.further_ints[1], 2);
    EXPECT_EQ(rec.g19_int1, 3);
    EXPECT_FLOAT_EQ(rec.g19_reals[1], 0.75f);
    EXPECT_EQ(rec.g19_int2, 4);
    EXPECT_EQ(rec.starting_line_count, 0);
    EXPECT_FLOAT_EQ(rec.starting_value, 9.5f);
    EXPECT_FLOAT_EQ(rec.field2.values[4], 5.0f);
    EXPECT_TRUE(rec.field2.flag_value);
    EXPECT_FALSE(rec.field2.file_flag);
    EXPECT_EQ(rec.code1, "inc");
    EXPECT_FLOAT_EQ(rec.value1, 0.5f);
    EXPECT_EQ(rec.code2, "ref");
    EXPECT_FLOAT_EQ(rec.value2, 999.0f);
}

TEST(WaveGeneral, OldLayoutEndsAfterTheSection)
{
    wave::WaveInputRecord rec;
    rec.obstacle_count = 5;
    rec.curve_total = 7;
    // Anything after the codes is not read in the old layout.
    auto r = Read(kPath, OldHeader() + GeneralSection(false) + Lines{"garbage"}, &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(r.lines, 13 + 22);
    EXPECT_TRUE(rec.boundary_section_absent);
    EXPECT_EQ(rec.obstacle_count, 0);
    EXPECT_EQ(rec.curve_total, 0);
    // The code lines: (T 1.0), (F 2.0) ignored, then T -> inc, F -> ref.
    EXPECT_EQ(rec.code1, "inc");
    EXPECT_FLOAT_EQ(rec.value1, 999.0f);
    EXPECT_EQ(rec.code2, "ref");
    EXPECT_FLOAT_EQ(rec.value2, 0.0f);
    EXPECT_FALSE(rec.field1.file_flag);
    EXPECT_TRUE(rec.field2.flag_value);
}

TEST(WaveGeneral, OldLayoutReadsFieldGroupValuesAlone)
{
    // In the old layout a file name on the field line is simply ignored.
    wave::WaveInputRecord rec;
    Lines g = GeneralSection(false);
    g[kG13] = "1.5 270. 'wind.fld' dif";
    auto r = Read(kPath, OldHeader() + g, &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_FALSE(rec.field1.file_flag);
    EXPECT_FLOAT_EQ(rec.field1.values[1], 270.0f);
}

TEST(WaveGeneral, FieldGroupOne)
{
    struct Case {
        Lines lines;       // replacing G13
        bool file_flag;
        const char *name;  // expected lower-cased name, nullptr = not read
        const char *code;
        bool extra;
    } cases[] = {
        {{"1.5 270."}, false, nullptr, nullptr, false},
        {{"1.5 270. 'NOTHING' xyz"}, false, "nothing", "xyz", false},
        {{"1.5 270. wind.fld DIF", "1. 2. 3. 4 5 6. 7."}, true, "wind.fld", "dif", true},
        {{"1.5 270. 'Wind.fld' 'ref'"}, true, "wind.fld", "ref", false},
    };
    for (const Case &c : cases) {
        Lines g = GeneralSection(true);
        g.erase(g.begin() + kG13);
        g.insert(g.begin() + kG13, c.lines.begin(), c.lines.end());
        wave::WaveInputRecord rec;
        auto r = Read(kPath, Current(g), &rec);
        ASSERT_EQ(r.status, wave::kWaveOk) << c.lines[0];
        EXPECT_EQ(rec.field1.file_flag, c.file_flag) << c.lines[0];
        EXPECT_FLOAT_EQ(rec.field1.values[1], 270.0f);
        if (c.name) {
            EXPECT_EQ(rec.field1.file_name, Fit(c.name, 37));
            EXPECT_EQ(rec.field1.code, c.code);
        }
        if (c.extra) {
            EXPECT_FLOAT_EQ(rec.field1.extra.first[2], 3.0f);
            EXPECT_EQ(rec.field1.extra.ints[0], 4);
            EXPECT_EQ(rec.field1.extra.ints[1], 5);
            EXPECT_FLOAT_EQ(rec.field1.extra.last[1], 7.0f);
        }
    }
}

TEST(WaveGeneral, FieldGroupTwoWithFile)
{
    wave::WaveInputRecord rec;
    Lines g = GeneralSection(true);
    g[kG22] = "1. 2. 3. 4. 5. F 'curr.fld' 'dif'";
    g.insert(g.begin() + kG22 + 1, "9. 8. 7. 6 5 4. 3.");
    auto r = Read(kPath, Current(g), &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_TRUE(rec.field2.file_flag);
    EXPECT_FALSE(rec.field2.flag_value);
    EXPECT_EQ(rec.field2.extra.ints[0], 6);
    EXPECT_EQ(rec.code1, "inc");
}

TEST(WaveGeneral, NestsAndSecondNameLines)
{
    Lines g = GeneralSection(true);
    g[kG14] = "2";
    Lines nest = {"1. 2. 3. 4 5 6. 7.", "11. 12. 13. 14 15 16. 17.",
                  "'a1' 'b1' 0.5", "'a2' /",
                  "1. 2. 3. 4 5", "6 7. 8. 9.", "21. 22. 23. 24 25", "26 27. 28. 29."};
    g.insert(g.begin() + kG14 + 1, nest.begin(), nest.end());
    g.push_back("'c2' 'd2' 42");
    wave::WaveInputRecord rec;
    rec.nests.resize(2);
    rec.nests[1].name2 = "old name";
    rec.nests[1].name_value = 3.0f;
    auto r = Read(kPath, Current(g), &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    ASSERT_EQ(rec.nest_count, 2);
    EXPECT_EQ(rec.nests[1].line_a.ints[1], 15);
    EXPECT_EQ(rec.nests[0].name2, Fit("b1", 37));
    EXPECT_FLOAT_EQ(rec.nests[0].name_value, 0.5f);
    // A name line that ends (slash) after the first name leaves the others cleared.
    EXPECT_EQ(rec.nests[1].name1, Fit("a2", 37));
    EXPECT_EQ(rec.nests[1].name2, Fit("", 37));
    EXPECT_FLOAT_EQ(rec.nests[1].name_value, 0.0f);
    EXPECT_EQ(rec.nests[1].b_ints[1], 25);
    EXPECT_EQ(rec.nests[1].c_int, 26);
    EXPECT_FLOAT_EQ(rec.nests[1].c_reals[2], 29.0f);
    EXPECT_EQ(rec.nests[1].second_name1, Fit("c2", 37));
    EXPECT_EQ(rec.nests[1].second_value, 42);
}

TEST(WaveGeneral, OneNestHasNoSecondNameLine)
{
    Lines g = GeneralSection(true);
    g[kG14] = "1";
    Lines nest = {"1. 2. 3. 4 5 6. 7.", "'a1' 'b1' 0.5", "1. 2. 3. 4 5", "6 7. 8. 9."};
    g.insert(g.begin() + kG14 + 1, nest.begin(), nest.end());
    wave::WaveInputRecord rec;
    auto r = Read(kPath, Current(g), &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(rec.nests[0].second_name1, "");
}

TEST(WaveGeneral, CapacitiesOfCounts)
{
    struct Case {
        GeneralLine line;
        const char *count_line;
        Lines items;
        int32_t status;
        const char *message;
    } cases[] = {
        {kG3, "3", {"1 1. 1. 1.", "2 2. 2. 2.", "3 3. 3. 3."}, 0, ""},
        {kG3, "4", {}, 3, " Number of tide steps exceeds maximum\n Please contact Ostravel\n"},
        {kG14, "3", {}, 3, " Number of nest areas exceeds maximum\n Please contact Ostravel\n"},
        {kG20, "2 9.5", {"1. 2. 3. 4. 5.", "1. 2. 3. 4. 5."}, 0, ""},
        {kG20, "3 9.5", {}, 3, " Number of starting lines exceeds maximum\n Please contact Ostravel\n"},
    };
    for (const Case &c : cases) {
        Lines g = GeneralSection(true);
        const int line = static_cast<int>(c.line);
        // Remove the fixture's own items of that count, then put ours.
        if (c.line == kG3)
            g.erase(g.begin() + kG4);
        g[static_cast<size_t>(line)] = c.count_line;
        g.insert(g.begin() + line + 1, c.items.begin(), c.items.end());
        wave::WaveInputRecord rec;
        testing::internal::CaptureStdout();
        auto r = Read(kPath, Current(g), &rec);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.message);
        EXPECT_EQ(r.status, c.status) << c.count_line;
        if (c.status == 3) {
            EXPECT_EQ(r.lines, 11 + line + 1);   // the count line
            const int32_t count = c.line == kG3 ? rec.tide_step_count
                                  : c.line == kG14 ? rec.nest_count : rec.starting_line_count;
            EXPECT_EQ(count, 1);
        }
    }
}

TEST(WaveGeneral, UnquotedNameEndsAtBlank)
{
    Lines g = GeneralSection(true);
    g[kG1] = "my file.dat";
    wave::WaveInputRecord rec;
    auto r = Read(kPath, Current(g), &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(rec.first_file_name, Fit("my", 37));
}

TEST(WaveGeneral, ReadErrorAndEndOfFileStopAtTheLine)
{
    Lines g = GeneralSection(true);
    g[kG10] = "4 x";
    wave::WaveInputRecord rec;
    auto r = Read(kPath, Current(g), &rec);
    EXPECT_EQ(r.status, wave::kWaveReadError);
    EXPECT_EQ(r.lines, 11 + kG10 + 1);
    EXPECT_EQ(rec.texts65[2], Fit("text three", 65));   // read before the failure

    g = GeneralSection(true);
    g.resize(kG19);
    r = Read(kPath, CurrentHeader() + g, &rec);
    EXPECT_EQ(r.status, wave::kWaveEndOfFile);
    EXPECT_EQ(r.lines, 11 + kG19);
}

}  // namespace
