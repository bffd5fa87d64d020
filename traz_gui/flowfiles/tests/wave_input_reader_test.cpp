// Wave input reader frame: layout detection, comment lines and the line
// counter, header switches, derived names, the look-ahead and the text
// conversion entries.

#include "wave_input.h"
#include "wave_fixture.h"

#include "record_io.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

using wavefix::Lines;
using wavefix::operator+;

namespace {

const char kPath[] = "wave_frame.inp";

TEST(WaveFrame, CurrentAndOldLayoutReadTheSameSwitches)
{
    const std::array<bool, 10> want = {true, false, true, false, true, false, true, false, true, false};
    wave::WaveInputRecord cur, old;
    auto rc = wavefix::Read(kPath, wavefix::CurrentHeader() + wavefix::GeneralSection(true) +
                                       wavefix::NoObstaclesNoBoundaries(), &cur);
    auto ro = wavefix::Read(kPath, wavefix::OldHeader() + wavefix::GeneralSection(false), &old);
    EXPECT_EQ(rc.status, wave::kWaveOk);
    EXPECT_EQ(ro.status, wave::kWaveOk);
    EXPECT_EQ(cur.switches, want);
    EXPECT_EQ(old.switches, want);
    EXPECT_TRUE(cur.switches_read);
    EXPECT_TRUE(old.switches_read);
}

TEST(WaveFrame, LayoutLineAnywhereInFirst65Columns)
{
    // "version" in lower case, after other text: current layout.  At column
    // 66 it is not seen: the line is read as switch 1 (a read error).
    wave::WaveInputRecord rec;
    Lines header = wavefix::CurrentHeader();
    header[0] = "  input file version 3";
    auto r = wavefix::Read(kPath, header, &rec);
    EXPECT_EQ(r.status, wave::kWaveEndOfFile);   // at the general section
    EXPECT_EQ(r.lines, 11);   // the version line and ten switches

    header[0] = std::string(65, ' ') + "Version";
    r = wavefix::Read(kPath, header, &rec);
    EXPECT_EQ(r.status, wave::kWaveReadError);
    EXPECT_EQ(r.lines, 1);
}

TEST(WaveFrame, OldLayoutCountsTheFirstLineOnce)
{
    wave::WaveInputRecord rec;
    // Old layout ending after switch 5 (switch 1, 2, 2a, 3, 3a, 3b, 4, 5).
    Lines l = wavefix::OldHeader();
    l.resize(8);
    auto r = wavefix::Read(kPath, l, &rec);
    EXPECT_EQ(r.status, wave::kWaveEndOfFile);
    EXPECT_EQ(r.lines, 8);
}

TEST(WaveFrame, EndOfFileAfterSwitch5)
{
    wave::WaveInputRecord rec;
    Lines l = wavefix::CurrentHeader();
    l.resize(6);
    auto r = wavefix::Read(kPath, l, &rec);
    EXPECT_EQ(r.status, wave::kWaveEndOfFile);
    EXPECT_EQ(r.lines, 6);
    EXPECT_FALSE(rec.switches_read);
}

TEST(WaveFrame, CommentLinesOnlyMoveTheCounter)
{
    wave::WaveInputRecord plain, commented;
    Lines a = wavefix::CurrentHeader();
    Lines b;
    for (const std::string &line : a) {
        b.push_back("* comment before " + line);
        b.push_back("*");
        b.push_back(line);
    }
    auto ra = wavefix::Read(kPath, a, &plain);
    auto rb = wavefix::Read(kPath, b, &commented);
    EXPECT_EQ(ra.status, wave::kWaveEndOfFile);
    EXPECT_EQ(rb.status, wave::kWaveEndOfFile);
    EXPECT_EQ(plain.switches, commented.switches);
    EXPECT_EQ(ra.lines, 11);
    EXPECT_EQ(rb.lines, 11 + 2 * 11);
}

TEST(WaveFrame, AsteriskAfterColumn1IsData)
{
    wave::WaveInputRecord rec;
    Lines l = wavefix::CurrentHeader();
    l.insert(l.begin() + 1, " * not a comment");
    auto r = wavefix::Read(kPath, l, &rec);
    EXPECT_EQ(r.status, wave::kWaveReadError);   // read as switch 1
    EXPECT_EQ(r.lines, 2);
}

TEST(WaveFrame, LogicalForms)
{
    wave::WaveInputRecord rec;
    Lines l = {"Version", ".TRUE.", ".false.", "t", "F", "True", "fals", "T, F", "F  extra", "'T'", "T"};
    auto r = wavefix::Read(kPath, l, &rec);
    EXPECT_EQ(r.status, wave::kWaveEndOfFile);
    const std::array<bool, 10> want = {true, false, true, false, true, false, true, false, true, true};
    EXPECT_EQ(rec.switches, want);
}

TEST(WaveFrame, OpenFailureLeavesCounter)
{
    wave::WaveInputRecord rec;
    int32_t lines = 77;
    EXPECT_EQ(wave::ReadWaveInput("no_such_wave_file.inp", wavefix::SmallCapacities(), &rec, &lines),
              wave::kWaveCannotOpen);
    EXPECT_EQ(lines, 77);

    int32_t status = -1;
    int32_t cap = 2;
    lines = 5;
    READ_WAVE_INPUT("no_such_wave_file.inp   ", 24, &cap, &cap, &cap, &cap, &cap, &cap, &cap, &rec,
                    &status, &lines);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(lines, 5);
}

TEST(WaveFrame, EmptyFileIsEndOfFile)
{
    wave::WaveInputRecord rec;
    auto r = wavefix::Read(kPath, Lines{"* only a comment"}, &rec);
    EXPECT_EQ(r.status, wave::kWaveEndOfFile);
    EXPECT_EQ(r.lines, 1);
}

TEST(WaveFrame, DerivedNames)
{
    struct Case {
        const char *id;
        const char *ext;
        const char *grid;
        const char *com;
    } cases[] = {
        {"abc", ".grd", "hwgxyabc.grd", "com-abc"},
        {"ab", ".grd", "hwgxyab.grd", "com-ab"},
        {"abcdef", ".grdxx", "hwgxyabc.grd", "com-abc"},
        {"", "", "hwgxy", "com-"},
    };
    for (const Case &c : cases) {
        SET_WAVE_NAME_PARTS(c.id, static_cast<int32_t>(std::strlen(c.id)), c.ext,
                            static_cast<int32_t>(std::strlen(c.ext)));
        wave::WaveInputRecord rec;
        wavefix::Read(kPath, wavefix::CurrentHeader(), &rec);
        EXPECT_EQ(rec.grid_name, wavefix::Fit(c.grid, 37)) << c.id;
        EXPECT_EQ(rec.communication_name, wavefix::Fit(c.com, 37)) << c.id;
    }
    SET_WAVE_NAME_PARTS("", 0, "", 0);
}

TEST(WaveFrame, LineHasFieldCount)
{
    struct Case {
        std::string line;
        int32_t n;
        bool want;
    } cases[] = {
        {"1.0 2.0", 2, true},
        {"   1.0    2.0   ", 2, true},
        {"1.0,2.0", 2, false},
        {"1.0,2.0", 1, true},
        {"1.0 2.0 3.0", 2, false},
        {"1.0" + std::string(76, ' ') + "2.0", 1, true},   // the second word starts at column 80
        {"", 0, true},
        {"1.0\t2.0", 1, true},                           // only the blank separates words
    };
    for (const Case &c : cases) {
        wavefix::WriteLines(kPath, {c.line, "next"});
        const int32_t unit = 50;
        ASSERT_EQ(recio::Open(unit, kPath, recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kOld), recio::kOk);
        EXPECT_EQ(LINE_HAS_FIELD_COUNT(&c.n, &unit) != 0, c.want) << c.line;
        std::string first;
        recio::ReadLine(unit, &first);   // the look-ahead did not consume the line
        EXPECT_EQ(first, c.line);
        recio::Close(unit);
    }
}

TEST(WaveFrame, SkipCommentLines)
{
    wavefix::WriteLines(kPath, {"* one", "*two", " * data", "* after"});
    const int32_t unit = 51;
    ASSERT_EQ(recio::Open(unit, kPath, recio::Form::kFormatted, recio::Access::kSequential,
                          recio::OpenStatus::kOld), recio::kOk);
    EXPECT_EQ(SKIP_COMMENT_LINES(&unit), 2);
    std::string line;
    recio::ReadLine(unit, &line);
    EXPECT_EQ(line, " * data");
    EXPECT_EQ(SKIP_COMMENT_LINES(&unit), -2);   // end of file after one comment line
    recio::Close(unit);
}

TEST(WaveFrame, TextConversions)
{
    struct Case {
        const char *op;
        std::string in;
        int32_t n;
        std::string want;
    } cases[] = {
        {"trim", "ab   ", 5, std::string("ab\0\0\0", 5)},
        {"trim", "ab   ", 4, std::string("ab\0\0 ", 5)},
        {"trim", "     ", 5, std::string(5, '\0')},
        {"trim", "ab   ", 0, "ab   "},
        {"trim", "ab   ", 99, std::string("ab\0\0\0", 5)},   // n past the text: cut to its length
        {"pad", std::string("ab\0xy", 5), 5, "ab   "},
        {"pad", std::string("ab\0xy", 5), 3, "ab xy"},
        {"pad", "abcde", 5, "abcde"},
        {"pad", std::string("ab\0xy", 5), 99, "ab   "},   // n past the text: cut to its length
        {"blank", "abcde", 0, "     "},
    };
    for (const Case &c : cases) {
        std::string s = c.in;
        const int32_t len = static_cast<int32_t>(s.size());
        if (std::string(c.op) == "trim")
            TRIM_TO_NUL_TERMINATED(&s[0], len, &c.n);
        else if (std::string(c.op) == "pad")
            PAD_NUL_TERMINATED(&s[0], len, &c.n);
        else
            BLANK_STRING(&s[0], len, &c.n);
        EXPECT_EQ(s, c.want) << c.op << " " << c.n;
    }
}

}  // namespace

namespace {

// The fuzzer's seed files are complete files of each layout: each reads to
// the end with status 0.
TEST(WaveFrame, FuzzSeedsReadCleanly)
{
    const std::string dir = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/flowfiles/tests/fuzz/wave_input_corpus/";
    for (const char *seed : {"current_full", "current_short", "old_layout"}) {
        std::ifstream in(dir + seed, std::ios::binary);
        ASSERT_TRUE(in) << seed;
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream("wave_seed.inp", std::ios::binary | std::ios::trunc) << bytes.substr(1);
        wave::WaveCapacities caps;
        caps.tide_steps = caps.nests = caps.starting_lines = caps.segments = caps.sections = bytes[0] % 8;
        caps.obstacle_points = caps.curve_entries = 2 * (bytes[0] % 8);
        wave::WaveInputRecord rec;
        int32_t lines = 0;
        testing::internal::CaptureStdout();
        EXPECT_EQ(wave::ReadWaveInput("wave_seed.inp", caps, &rec, &lines), wave::kWaveOk) << seed << " " << lines;
        testing::internal::GetCapturedStdout();
    }
}

}  // namespace
