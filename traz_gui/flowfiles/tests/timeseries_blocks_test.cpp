// Julian days, the time-series readers (time checks, common times, both
// file forms, scratch records) and the count of Fourier requests.

#include "flow_fixture.h"
#include "keyword_records.h"
#include "record_io.h"
#include "timeseries_blocks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using recio::RecordBytes;

constexpr int32_t kDiag = 61;
constexpr int32_t kScratch = 62;

const char kMessages[] =
    "G004 File # does not exist\n"
    "G006 Premature end of file #\n"
    "G007 Read error in file #\n"
    "U041 # start time\n"
    "U042 # stop time\n"
    "U044 # not on a time step\n"
    "U062 Times decrease in file #\n"
    "U120 Wind field too large: #\n"
    "U159 No valid flag in file #\n"
    "V061 # is negative\n"
    "F001 Fourier request # not recognised\n";

TEST(JulianDay, Dates)
{
    const struct {
        int32_t date, day;
    } cases[] = {
        {20000229, 2451604}, {20240615, 2460477}, {19000101, 2415021}, {20001231, 2451910},
        {99991231, 5373484}, {10101, 1721426},    {20010229, 0},       {19991301, 0},
        {20000230, 0},       {20000100, 0},       {0, 0},              {-20240615, 0},
        {INT32_MAX, 0},      {INT32_MIN, 0},
    };
    for (const auto &c : cases) {
        int32_t day = -1;
        JULIAN_DAY_CONVERT(&c.date, &day);
        EXPECT_EQ(day, c.day) << c.date;
    }
}

class SeriesFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        flowfix::WriteText("errfil", kMessages);
        std::remove("diag.txt");
        std::remove("scratch.bin");
        ASSERT_EQ(recio::Open(kDiag, "diag.txt", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kUnknown),
                  recio::kOk);
        ASSERT_EQ(recio::Open(kScratch, "scratch.bin", recio::Form::kUnformatted, recio::Access::kSequential,
                              recio::OpenStatus::kUnknown),
                  recio::kOk);
    }
    void TearDown() override
    {
        recio::Close(kDiag);
        recio::Close(kScratch);
    }

    // Fresh diagnostic and scratch files for the next case of a table.
    void Reset()
    {
        TearDown();
        SetUp();
    }

    std::string Diag()
    {
        recio::Close(kDiag);
        return flowfix::ReadText("diag.txt");
    }

    // The scratch records written so far, as bytes.
    std::vector<std::vector<unsigned char>> Scratch()
    {
        std::vector<std::vector<unsigned char>> out;
        recio::Rewind(kScratch);
        for (;;) {
            size_t bytes = 0;
            unsigned char buf[512];
            int r = recio::ReadRecord(kScratch, buf, 0, &bytes);
            if (r != recio::kOk && r != recio::kErrShortRecord)
                break;
            recio::Backspace(kScratch);
            if (bytes > sizeof buf || recio::ReadRecord(kScratch, buf, bytes) != recio::kOk)
                break;
            out.emplace_back(buf, buf + bytes);
        }
        return out;
    }

    static std::vector<std::vector<unsigned char>> Records(const std::vector<RecordBytes> &records)
    {
        std::vector<std::vector<unsigned char>> out;
        for (const RecordBytes &r : records)
            out.push_back(r.bytes());
        return out;
    }

    void Series(const std::string &name, const char *format, int32_t n, float dt, int32_t start, int32_t stop)
    {
        std::vector<float> values(static_cast<size_t>(n) + 1);
        READ_TIMESERIES_BLOCK(&kDiag, &kScratch, &error_, &last_, &first_, name.c_str(),
                              static_cast<int32_t>(name.size()), format, static_cast<int32_t>(std::strlen(format)),
                              &n, values.data(), &dt, &start, &stop);
    }

    int32_t error_ = 0;
    int32_t last_ = -1;
    int32_t first_ = -5;
};

TEST_F(SeriesFile, FormattedSeriesWithinTheFrame)
{
    flowfix::WriteText("a.tim", "0.0 1 2\n60.0 3 4\n60.0, 3.5, 4.5\n120.0 5\n6\n\n");
    Series("a.tim   rest", "formatted", 2, 60.0f, 0, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(first_, 0);
    EXPECT_EQ(last_, 2);
    EXPECT_EQ(Scratch(), Records({RecordBytes().Real(0).Real(1).Real(2), RecordBytes().Real(1).Real(3).Real(4),
                                  RecordBytes().Real(1).Real(3.5f).Real(4.5f), RecordBytes().Real(2).Real(5).Real(6)}));

    // A second file that starts earlier (before the reference time) and
    // ends later leaves the common times as they are.
    flowfix::WriteText("b.tim", "-120 0\n180 0\n");
    Series("b.tim", "FR", 1, 60.0f, 0, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(first_, 0);
    EXPECT_EQ(last_, 2);
    EXPECT_EQ(Diag(), "");
}

TEST_F(SeriesFile, UnformattedSeries)
{
    ASSERT_EQ(recio::WriteRecordFile("u.tim", recio::Form::kUnformatted,
                                     {RecordBytes().Real(0).Real(7), RecordBytes().Real(30).Real(8),
                                      RecordBytes().Real(60).Real(9)}),
              recio::kOk);
    Series("u.tim", "unformatted", 1, 30.0f, 1, 1);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(first_, 0);   // the larger of -5 and the first k
    EXPECT_EQ(last_, 2);
    EXPECT_EQ(Scratch(), Records({RecordBytes().Real(0).Real(7), RecordBytes().Real(1).Real(8),
                                  RecordBytes().Real(2).Real(9)}));
}

TEST_F(SeriesFile, TimeChecks)
{
    struct Case {
        const char *label;
        const char *text;
        float dt;
        bool error;
        size_t records;
        int32_t last;
        const char *diag;
    };
    const std::vector<Case> cases = {
        {"off the time step: a warning", "0 1\n70 2\n120 3\n", 60, false, 3, 2, "Times in file s.tim not on a time step\n"},
        {"within a tenth of a step", "0 1\n65 2\n120 3\n", 60, false, 3, 2, ""},
        {"begins after the start", "60 1\n120 2\n", 60, true, 0, -1, "First time in file s.tim > start time\n"},
        {"ends before the stop", "0 1\n60 2\n", 60, true, 2, 1, "Last time in file s.tim < stop time\n"},
        {"empty file", "", 60, true, 0, -1, "Last time in file s.tim < stop time\n"},
        {"times decrease", "0 1\n120 2\n60 3\n", 60, true, 2, 2, "Times decrease in file s.tim\n"},
        {"bad value", "0 1\n60 x\n", 60, true, 1, 0, "Read error in file s.tim\n"},
        {"time step zero", "0 1\n", 0, true, 0, -1, "Read error in file s.tim\n"},
        {"time too far for an index", "1e30 1\n", 1, true, 0, -1, "Read error in file s.tim\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        Reset();
        error_ = 0;
        last_ = -1;
        flowfix::WriteText("s.tim", c.text);
        Series("s.tim", "formatted", 1, c.dt, 0, 2);
        EXPECT_EQ(error_ != 0, c.error);
        EXPECT_EQ(Scratch().size(), c.records);
        EXPECT_EQ(last_, c.last);
        EXPECT_EQ(Diag(), c.diag);
    }
}

TEST_F(SeriesFile, MissingFile)
{
    Series("none.tim", "formatted", 1, 60, 0, 2);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), "File none.tim does not exist\n");
}

// The transport reader's layouts: uniform files give (A, A, B, B) per
// quantity, profile files name a profile and a jump; the scratch file holds
// per time the step, then opening by opening each quantity.
class TransportFile : public SeriesFile {
protected:
    void Transport(const std::string &name, const char *format, int32_t nopen, int32_t ncons, int32_t stop)
    {
        int32_t start = 0;
        float dt = 60;
        READ_TRANSPORT_BC_BLOCK(&kDiag, &kScratch, &error_, &last_, &first_, name.c_str(),
                                static_cast<int32_t>(name.size()), format, static_cast<int32_t>(std::strlen(format)),
                                &nopen, &ncons, &dt, &start, &stop);
    }
    static RecordBytes Rec(const char *profile, float jump, float a, float b, float c, float d)
    {
        return RecordBytes().Text(profile, 10).Real(jump).Real(a).Real(b).Real(c).Real(d);
    }
};

TEST_F(TransportFile, UniformFormatted)
{
    // Two openings, two quantities; per time A and B of opening 1, then of
    // opening 2.
    flowfix::WriteText("u.bcc",
                       "0 1 2\n0 3 4\n0 5 6\n0 7 8\n"
                       "60 1 1\n60 2 2\n60 3 3\n60 4 4\n");
    Transport("u.bcc", "formatted", 2, 2, 1);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(last_, 1);
    EXPECT_EQ(Scratch(), Records({RecordBytes().Real(0), Rec("Uniform", 0, 1, 1, 3, 3), Rec("Uniform", 0, 2, 2, 4, 4),
                                  Rec("Uniform", 0, 5, 5, 7, 7), Rec("Uniform", 0, 6, 6, 8, 8), RecordBytes().Real(1),
                                  Rec("Uniform", 0, 1, 1, 2, 2), Rec("Uniform", 0, 1, 1, 2, 2),
                                  Rec("Uniform", 0, 3, 3, 4, 4), Rec("Uniform", 0, 3, 3, 4, 4)}));
    EXPECT_EQ(Diag(), "");
}

TEST_F(TransportFile, ProfilesFormattedWithRealOrIntegerJumps)
{
    flowfix::WriteText("p.bcc",
                       "0.0\n'Uniform' 0 1 2 3 4\nLinear 1.5 5 6 7 8\n"
                       "60.0\nUniform 0 1 1 1 1\n'Step  ' 2 -1 1 1 1\n");
    Transport("p.bcc", "formatted", 2, 1, 1);
    EXPECT_NE(error_, 0);   // the negative value
    EXPECT_EQ(last_, 1);
    EXPECT_EQ(Scratch(), Records({RecordBytes().Real(0), Rec("Uniform", 0, 1, 2, 3, 4), Rec("Linear", 1.5f, 5, 6, 7, 8),
                                  RecordBytes().Real(1), Rec("Uniform", 0, 1, 1, 1, 1), Rec("Step", 2, -1, 1, 1, 1)}));
    EXPECT_EQ(Diag(), "Concentration at open boundary is negative\n");
}

TEST_F(TransportFile, UnformattedLayouts)
{
    // Uniform: a record of the time and one value per quantity.
    ASSERT_EQ(recio::WriteRecordFile("uu.bcc", recio::Form::kUnformatted,
                                     {RecordBytes().Real(0).Real(1).Real(2), RecordBytes().Real(0).Real(3).Real(4)}),
              recio::kOk);
    Transport("uu.bcc", "unformatted", 1, 2, 0);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Scratch(), Records({RecordBytes().Real(0), Rec("Uniform", 0, 1, 1, 3, 3), Rec("Uniform", 0, 2, 2, 4, 4)}));

    // Profiles: a record of the time alone, then name, jump and values.
    Reset();
    ASSERT_EQ(recio::WriteRecordFile("up.bcc", recio::Form::kUnformatted,
                                     {RecordBytes().Real(0), Rec("Log", 0.5f, 1, 2, 3, 4), Rec("Lin", 1, 5, 6, 7, 8)}),
              recio::kOk);
    Transport("up.bcc", "unformatted", 1, 2, 0);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Scratch(), Records({RecordBytes().Real(0), Rec("Log", 0.5f, 1, 2, 3, 4), Rec("Lin", 1, 5, 6, 7, 8)}));
}

TEST_F(TransportFile, Failures)
{
    struct Case {
        const char *label;
        const char *text;
        size_t records;
        const char *diag;
    };
    const std::vector<Case> cases = {
        {"empty file", "", 0, "Read error in file f.bcc\n"},
        {"a repeated time that differs", "0 1\n30 2\n", 0, "Read error in file f.bcc\n"},
        {"ends inside a time", "0 1\n0 2\n60 1\n", 2, "Read error in file f.bcc\n"},
        {"profile record short of values", "0\nUniform 0 1 2 3\n", 0, "Read error in file f.bcc\n"},
        {"ends before the stop", "0 1\n0 2\n", 2, "Last time in file f.bcc < stop time\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        Reset();
        error_ = 0;
        flowfix::WriteText("f.bcc", c.text);
        Transport("f.bcc", "formatted", 1, 1, 1);
        EXPECT_NE(error_, 0);
        EXPECT_EQ(Scratch().size(), c.records);
        EXPECT_EQ(Diag(), c.diag);
    }
}

TEST_F(SeriesFile, WindFormatted)
{
    struct Case {
        const char *label;
        const char *text;
        bool error;
        std::vector<RecordBytes> records;
        const char *diag;
    };
    const std::vector<Case> cases = {
        {"values over several lines", "1.5 Y\n0 1 2\n3 4\n\n60 5 6 7 8\n\n", false,
         {RecordBytes().Real(1.5f).Text("y", 1), RecordBytes().Real(0).Real(1).Real(2).Real(3).Real(4),
          RecordBytes().Real(1).Real(5).Real(6).Real(7).Real(8)},
         ""},
        {"another flag counts as y", "2 x\n0 1 2 3 4\n60 1 2 3 4\n", false,
         {RecordBytes().Real(2).Text("y", 1), RecordBytes().Real(0).Real(1).Real(2).Real(3).Real(4),
          RecordBytes().Real(1).Real(1).Real(2).Real(3).Real(4)},
         "No valid flag in file \n"},
        {"ends inside a time", "3 n\n0 1 2\n", true, {RecordBytes().Real(3).Text("n", 1)},
         "Premature end of file w.wnd\n"},
        {"bad value", "3 n\n0 1 2 z 4\n", true, {RecordBytes().Real(3).Text("n", 1)}, "Read error in file w.wnd\n"},
        {"empty file", "", true, {}, "Premature end of file w.wnd\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        Reset();
        error_ = 0;
        flowfix::WriteText("w.wnd", c.text);
        int32_t size1 = 2, size2 = 2, start = 0, stop = 1;
        float dt = 60;
        READ_WIND_TIMESERIES_BLOCK(&kDiag, &kScratch, &error_, &last_, &first_, "w.wnd", 5, "formatted", 9,
                                   &size1, &size2, &size2, &dt, &start, &stop);
        EXPECT_EQ(error_ != 0, c.error);
        EXPECT_EQ(Scratch(), Records(c.records));
        EXPECT_EQ(Diag(), c.diag);
    }
}

TEST_F(SeriesFile, WindUnformattedWithoutFlag)
{
    ASSERT_EQ(recio::WriteRecordFile("wu.wnd", recio::Form::kUnformatted,
                                     {RecordBytes().Real(4), RecordBytes().Real(0).Real(1).Real(2),
                                      RecordBytes().Real(60).Real(3).Real(4)}),
              recio::kOk);
    int32_t size1 = 1, size2 = 2, start = 0, stop = 1;
    float dt = 60;
    READ_WIND_TIMESERIES_BLOCK(&kDiag, &kScratch, &error_, &last_, &first_, "wu.wnd", 6, "unformatted", 11, &size1,
                               &size2, &size2, &dt, &start, &stop);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Scratch(), Records({RecordBytes().Real(4).Text("y", 1), RecordBytes().Real(0).Real(1).Real(2),
                                  RecordBytes().Real(1).Real(3).Real(4)}));
    EXPECT_EQ(Diag(), "No valid flag in file \n");
}

TEST_F(SeriesFile, WindTooLargeIsRefusedBeforeTheFile)
{
    int32_t size1 = 751, size2 = 2, start = 0, stop = 1;
    float dt = 60;
    READ_WIND_TIMESERIES_BLOCK(&kDiag, &kScratch, &error_, &last_, &first_, "absent.wnd", 10, "formatted", 9,
                               &size1, &size2, &size2, &dt, &start, &stop);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), "Wind field too large: \n");   // no "does not exist"
}

TEST_F(SeriesFile, FourierRequests)
{
    struct Case {
        const char *text;
        int32_t count;
        bool error;
        const char *diag;
    };
    const Case cases[] = {
        {"wl 1 2\nuv 3 4\n* comment\n", 3, false, ""},
        {"WL\n\n   qf a\nct\ncs\nC1\nc5\n*wl\n", 7, false, ""},
        {"wl\nzz 1\nuv\n", 1, true, "Fourier request zz not recognised\n"},
        {"c6\n", 0, true, "Fourier request c6 not recognised\n"},
        {"", 0, false, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Reset();
        flowfix::WriteText("f.fou", c.text);
        const int32_t unit = 63;
        ASSERT_EQ(recio::Open(unit, "f.fou", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kOld),
                  recio::kOk);
        int32_t error = 0, count = -1;
        SCAN_FOURIER_REQUESTS(&kDiag, &unit, &error, &count);
        recio::Close(unit);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(error != 0, c.error);
        EXPECT_EQ(Diag(), c.diag);
    }
}

TEST(SplitWords, Columns)
{
    const char line[] = " ab  c\tdef ";
    int32_t starts[6], ends[6], count = 0;
    SPLIT_WORDS(line, 11, starts, ends, &count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(std::vector<int32_t>(starts, starts + 3), (std::vector<int32_t>{2, 6, 8}));
    EXPECT_EQ(std::vector<int32_t>(ends, ends + 3), (std::vector<int32_t>{3, 6, 10}));
}

}  // namespace
