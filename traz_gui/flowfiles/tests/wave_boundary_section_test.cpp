// Wave input boundary section: the packed parameter slots, boundaries with
// sections and segments, the point list or its alternative name, the
// capacities, and the section reader entry.

#include "wave_input.h"
#include "wave_fixture.h"

#include "record_io.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace wavefix;

namespace {

const char kPath[] = "wave_boundary.inp";

// The section up to and including the boundary count (no nests).
Lines Front(const std::string &boundaries)
{
    return {"1.5", "2.5", "T", "F", "T",
            "7", "8", "9.5", "T", "1 2 3", "'bnd.sec'", "T F T F T", "9", "4.0 5.0", boundaries};
}

// The two boundaries of the worked examples.
Lines TwoBoundaries()
{
    return {"1 1 1", "2 3 4", "7", "1.0 8.0 270.0 30.0",
            "2 2 3", "2", "0.0 'spec1.sp2'", "500.0 'spec2.sp2'", "3", "1. 2.", "3. 4.", "5. 6."};
}

Lines Middle()
{
    return {"4", "13 6. 7.", "2 8.", "14 9. 10.", "15 16 17 18 19", "11. 12. 13. 19. 1", "30"};
}

Lines PointList(int points)
{
    Lines l = {"T", "F", std::to_string(points)};
    for (int i = 0; i < points; ++i)
        l.push_back(std::to_string(i) + ". " + std::to_string(i + 1000) + ".");
    return l + Lines{"21 22 23"};
}

Lines Last()
{
    return {"24 25 26 27 28 29"};
}

Result ReadBoundary(const Lines &section, wave::WaveInputRecord *rec, std::string *out = nullptr,
                    Lines general = GeneralSection(true))
{
    testing::internal::CaptureStdout();
    Result r = Read(kPath, CurrentHeader() + general + Lines{"0", "0", "T"} + section, rec);
    std::string text = testing::internal::GetCapturedStdout();
    if (out)
        *out = text;
    return r;
}

wave::WaveInputRecord Preset()
{
    wave::WaveInputRecord rec;
    const wave::WaveCapacities caps = SmallCapacities();
    rec.ints.assign(wave::WaveIntSlots(caps), -7);
    rec.reals.assign(wave::WaveRealSlots(caps), -7.0f);
    rec.names.assign(wave::WaveNameEntries(caps), "old");
    rec.boundary_section_absent = true;
    return rec;
}

TEST(WaveBoundary, WorkedExample)
{
    wave::WaveInputRecord rec = Preset();
    auto r = ReadBoundary(Front("2") + TwoBoundaries() + Middle() + PointList(2) + Last(), &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_FALSE(rec.boundary_section_absent);

    // Fixed slots.
    const int32_t want_ints[] = {0, 1, 2, 8, 4, 1, 2, 3, 2, 9, 7, -7, -7, 13, 14, 15, 16, 17, 18, 19,
                                 2, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 51};
    for (size_t slot = 1; slot <= 31; ++slot)
        EXPECT_EQ(rec.ints[slot], want_ints[slot]) << "I(" << slot << ")";
    const float want_reals[] = {0, 1.5f, 2.5f, 9.5f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9.0f, 10.0f, 11.0f, 12.0f,
                                13.0f};
    for (size_t slot = 1; slot <= 13; ++slot)
        EXPECT_FLOAT_EQ(rec.reals[slot], want_reals[slot]) << "R(" << slot << ")";
    EXPECT_FLOAT_EQ(rec.reals[19], 19.0f);
    EXPECT_FLOAT_EQ(rec.reals[14], -7.0f);   // not given by the file
    const bool want_logicals[] = {false, false, true, false, true, true, true, false, true, false, true, true,
                                  false};
    for (size_t slot = 2; slot <= 12; ++slot)
        EXPECT_EQ(rec.logicals[slot], want_logicals[slot]) << "L(" << slot << ")";
    EXPECT_EQ(rec.boundary_file_name, Fit("bnd.sec", 37));

    // Boundary 1 at integer slots 40 to 50, boundary 2 at 51 to 61.
    const int32_t b1[] = {1, 2, 3, 4, 1, 7, 1, 1, 1, 1, 0};
    const int32_t b2[] = {2, 1, 1, 1, 2, 1, -7, 1, 3, 2, 3};
    for (size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(rec.ints[40 + i], b1[i]) << "boundary 1 slot " << i;
        EXPECT_EQ(rec.ints[51 + i], b2[i]) << "boundary 2 slot " << i;
    }
    // Real slots from 30: boundary 1's section, boundary 2's two sections,
    // its three segments, then the points.
    const float sections[] = {0.0f, 1.0f, 8.0f, 270.0f, 30.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                              500.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f,
                              0.0f, 1000.0f, 1.0f, 1001.0f};
    for (size_t i = 0; i < sizeof sections / sizeof sections[0]; ++i)
        EXPECT_FLOAT_EQ(rec.reals[30 + i], sections[i]) << "R(" << 30 + i << ")";
    EXPECT_EQ(rec.names[1], "old");
    EXPECT_EQ(rec.names[2], Fit("", 37));
    EXPECT_EQ(rec.names[3], Fit("spec1.sp2", 37));
    EXPECT_EQ(rec.names[4], Fit("spec2.sp2", 37));
}

TEST(WaveBoundary, NoBoundariesNoPoints)
{
    wave::WaveInputRecord rec = Preset();
    auto r = ReadBoundary(Front("0") + Middle() + Lines{"F"} + Last(), &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(rec.ints[8], 0);
    EXPECT_EQ(rec.ints[4], 4);   // B18 follows B16
    for (size_t slot = 20; slot <= 23; ++slot)
        EXPECT_EQ(rec.ints[slot], 0) << slot;
    EXPECT_EQ(rec.ints[31], 0);
    EXPECT_EQ(rec.ints[40], -7);
    EXPECT_FALSE(rec.logicals[4]);
}

TEST(WaveBoundary, AlternativeName)
{
    wave::WaveInputRecord rec = Preset();
    auto r = ReadBoundary(Front("0") + Middle() + Lines{"T", "T", "'points.xy'", "21 22 23"} + Last(), &rec);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(rec.names[1], Fit("points.xy", 37));
    EXPECT_EQ(rec.ints[20], 0);
    EXPECT_EQ(rec.ints[21], 21);
    EXPECT_TRUE(rec.logicals[12]);
}

TEST(WaveBoundary, Capacities)
{
    const std::string contact = "\n Please contact Ostravel\n";
    struct Case {
        const char *name;
        Lines section;
        int32_t status;
        std::string message;
    } cases[] = {
        {"4 boundaries", Front("4") + Lines{"2 3 1", "'a'", "2 3 1", "'b'", "2 3 1", "'c'", "2 3 1", "'d'"} +
                             Middle() + Lines{"F"} + Last(), 0, ""},
        {"5 boundaries", Front("5"), 3, " Number of boundaries exceeds maximum (4)" + contact},
        {"300 points", Front("0") + Middle() + PointList(300) + Last(), 0, ""},
        {"301 points", Front("0") + Middle() + PointList(301) + Last(), 3,
         " Number of points exceeds maximum(300)" + contact},
        {"3 sections", Front("1") + Lines{"2 3 3", "3", "0. 'a'", "1. 'b'", "2. 'c'"}, 3,
         " Number of sections exceeds maximum" + contact},
        {"4 segments", Front("1") + Lines{"2 2 1", "'a'", "4"}, 3, " Number of segments exceeds maximum" + contact},
        {"3 segments", Front("1") + Lines{"2 2 1", "'a'", "3", "1. 1.", "2. 2.", "3. 3."} + Middle() +
                           Lines{"F"} + Last(), 0, ""},
        // A negative section count would move the free real slot backwards.
        {"negative sections", Front("1") + Lines{"2 3 3", "-2"}, 4, ""},
    };
    for (const Case &c : cases) {
        wave::WaveInputRecord rec = Preset();
        std::string out;
        auto r = ReadBoundary(c.section, &rec, &out);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(out, c.message) << c.name;
        if (c.status != 0) {
            EXPECT_TRUE(rec.boundary_section_absent) << c.name;   // kept
            EXPECT_EQ(rec.ints[3], -7) << c.name;                 // held values not written
        }
    }
    wave::WaveInputRecord rec = Preset();
    ReadBoundary(Front("0") + Middle() + PointList(300) + Last(), &rec);
    EXPECT_EQ(rec.ints[20], 300);
    EXPECT_EQ(rec.ints[31], 30);
    EXPECT_FLOAT_EQ(rec.reals[30 + 599], 1299.0f);
}

TEST(WaveBoundary, NestSlots)
{
    Lines g = GeneralSection(true);
    g[kG14] = "1";
    Lines nest = {"1. 2. 3. 4 5 6. 7.", "'a1' 'b1' 0.5", "1. 2. 3. 4 5", "6 7. 8. 9."};
    g.insert(g.begin() + kG14 + 1, nest.begin(), nest.end());
    Lines section = Front("1");
    section.insert(section.begin() + 5, "31. 32. 41 42 43 33. 34.");
    section = section + Lines{"2 3 1", "'one'"} + Middle() + PointList(1) + Last();
    wave::WaveInputRecord rec = Preset();
    auto r = ReadBoundary(section, &rec, nullptr, g);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_FLOAT_EQ(rec.reals[30], 31.0f);
    EXPECT_FLOAT_EQ(rec.reals[33], 34.0f);
    EXPECT_EQ(rec.ints[40], 41);
    EXPECT_EQ(rec.ints[42], 43);
    EXPECT_EQ(rec.ints[43], 2);    // the boundary after the nest's slots
    EXPECT_EQ(rec.ints[52], 1);    // one section
    EXPECT_EQ(rec.names[2], Fit("one", 37));
    EXPECT_FLOAT_EQ(rec.reals[34], 0.0f);
    EXPECT_EQ(rec.ints[31], 39);   // points after the section's five values
}

TEST(WaveBoundary, NegativeNestCountPlacesNothingBeforeTheFixedSlots)
{
    // A negative nest count has no nest lines; the boundaries' slots start
    // where they start without nests instead of inside the fixed slots.
    Lines g = GeneralSection(true);
    g[kG14] = "-3";
    wave::WaveInputRecord rec = Preset();
    auto r = ReadBoundary(Front("1") + Lines{"2 3 1", "'one'"} + Middle() + PointList(1) + Last(), &rec, nullptr, g);
    ASSERT_EQ(r.status, wave::kWaveOk);
    EXPECT_EQ(rec.nest_count, -3);
    EXPECT_EQ(rec.ints[40], 2);
    EXPECT_EQ(rec.ints[49], 1);    // one section
    EXPECT_EQ(rec.ints[31], 35);   // points after the section's five values from slot 30
    EXPECT_EQ(rec.ints[10], 7);
}

TEST(WaveBoundary, EndOfFileKeepsAbsentFlag)
{
    wave::WaveInputRecord rec = Preset();
    rec.boundary_section_absent = false;
    auto r = ReadBoundary(Front("0") + Middle(), &rec);
    EXPECT_EQ(r.status, wave::kWaveEndOfFile);
    EXPECT_FALSE(rec.boundary_section_absent);
    rec.boundary_section_absent = true;
    r = ReadBoundary(Front("0") + Middle() + Lines{"F", "24 25 x"}, &rec);
    EXPECT_EQ(r.status, wave::kWaveReadError);
    EXPECT_TRUE(rec.boundary_section_absent);
}

TEST(WaveBoundary, BadLogicalEndsTheLine)
{
    // B13 with a value that is no logical: the line is a read error at that
    // item, and the logicals after it keep what they held.
    wave::WaveInputRecord rec = Preset();
    Lines section = Front("0");
    section[11] = "T X T T T";
    auto r = ReadBoundary(section, &rec);
    EXPECT_EQ(r.status, wave::kWaveReadError);
    EXPECT_EQ(r.lines, 11 + 20 + 3 + 12);
    EXPECT_TRUE(rec.logicals[6]);
    for (size_t slot = 7; slot <= 10; ++slot)
        EXPECT_FALSE(rec.logicals[slot]) << "L(" << slot << ")";
}

TEST(WaveBoundary, SectionReaderEntry)
{
    struct Case {
        Lines lines;
        int32_t kind, layout, capacity;
        int32_t status, count, lines_read;
        float first_values[5];
        const char *first_name;
    } cases[] = {
        {{"* c", "1. 2. 3. 4."}, 1, 1, 2, 0, 1, 2, {0, 1, 2, 3, 4}, ""},
        {{"'spec.sp2'"}, 2, 1, 1, 0, 1, 1, {0, 0, 0, 0, 0}, "spec.sp2"},
        {{"'spec.sp2'"}, 2, 1, 0, 3, -1, 0, {-1, -1, -1, -1, -1}, "-"},
        {{"2", "5. 6. 7. 8. 9.", "1. 1. 1. 1. 1."}, 1, 3, 2, 0, 2, 3, {5, 6, 7, 8, 9}, ""},
        {{"3"}, 1, 3, 2, 3, -1, 1, {-1, -1, -1, -1, -1}, "-"},
        {{"2", "5. 'x'"}, 2, 3, 2, 6, 2, 2, {5, 0, 0, 0, 0}, "x"},
        {{"2", "5. 6. x"}, 1, 3, 2, 4, 2, 2, {5, 6, 0, 0, 0}, ""},
    };
    for (const Case &c : cases) {
        WriteLines(kPath, c.lines);
        const int32_t unit = 52;
        ASSERT_EQ(recio::Open(unit, kPath, recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kOld), recio::kOk);
        float reals[10];
        std::fill(reals, reals + 10, -1.0f);
        char names[2 * 8 + 1];
        std::memset(names, '-', sizeof names);
        int32_t count = -1, lines = 0;
        int32_t status = READ_BOUNDARY_SECTIONS(&unit, &c.kind, &c.layout, &c.capacity, &count, reals, names,
                                                8, &lines);
        recio::Close(unit);
        EXPECT_EQ(status, c.status) << c.lines[0];
        EXPECT_EQ(count, c.count) << c.lines[0];
        EXPECT_EQ(lines, c.lines_read) << c.lines[0];
        for (int i = 0; i < 5; ++i)
            EXPECT_FLOAT_EQ(reals[i], c.first_values[i]) << c.lines[0] << " value " << i;
        if (std::string(c.first_name) == "-")
            EXPECT_EQ(names[0], '-');
        else
            EXPECT_EQ(std::string(names, 8), Fit(c.first_name, 8)) << c.lines[0];
    }
}

}  // namespace
