// Harmonic and time-series boundary conditions: astronomic openings, the
// Ampab and Phsab records in file order, the attached harmonic file in both
// forms, the TsbcT series with its time checks, its limit of times and its
// scratch file.

#include "boundary_fixture.h"
#include "boundary_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;
using recio::RecordBytes;

constexpr int32_t kLead = 100, kFrequencies = 234;

class Harmonic : public bndfix::BoundaryTest {
protected:
    void SetUp() override
    {
        bndfix::BoundaryTest::SetUp();
        table_.assign(4 * kLead * kFrequencies, -1.0f);
        std::fill(std::begin(omega_), std::end(omega_), -1.0f);
    }
    void Read(bool strict, int32_t openings, int32_t frequencies, char astronomic = 'N')
    {
        const int32_t mode = strict ? kStrict : kLenient, dimension = std::max(frequencies, 1);
        READ_HARMONIC_BOUNDARY_CONDITIONS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, file_, 12,
                                          format_, 2, ana_, 12, cor_, 12, &openings, &kLead, &frequencies, &dimension,
                                          omega_, table_.data(), &astronomic, 1);
    }
    void ReadFile(const char *format, int32_t openings, int32_t frequencies)
    {
        OpenDiag();
        READ_HARMONIC_BC_FILE(&kDiag, &error_, "h.bch       ", 12, format, 11, &openings, &kLead, &frequencies,
                              &kFrequencies, omega_, table_.data());
    }
    // The four values of an opening and frequency (from 0).
    std::vector<float> At(int o, int f) const
    {
        const float *v = table_.data() + 4 * (o + kLead * f);
        return {v[0], v[1], v[2], v[3]};
    }

    char file_[12] = {}, format_[2] = {}, ana_[12] = {}, cor_[12] = {};
    float omega_[kFrequencies + 1] = {};
    std::vector<float> table_;
};

TEST_F(Harmonic, AstronomicOpeningsNameTheirFilesOnly)
{
    Open({"FilbcH = #x.bch#", "Omega  = 1 2", "Filana = #comp.ana#", "Ampab  = 1 1"});
    Read(true, 1, 2, 'Y');
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(std::string(ana_, 12), bndfix::Field("comp.ana", 12));
    EXPECT_EQ(std::string(cor_, 12), std::string(12, ' '));
    EXPECT_EQ(omega_[0], -1.0f);
    EXPECT_EQ(std::string(file_, 12), std::string(12, '\0'));
    EXPECT_EQ(Diag(), Lines{"U100 Filcor"});
}

TEST_F(Harmonic, RecordsInFileOrder)
{
    Open({"FilbcH = # #", "Omega  = 0.5 0.7", "Ampab  = 1 2", "Ampab  = 3 4", "Phsab  = 90 180", "Ampab  = 5 6",
          "Ampab  = 7 8", "Phsab  = 10 20"});
    Read(true, 2, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ((std::vector<float>{omega_[0], omega_[1], omega_[2]}), (std::vector<float>{0.5f, 0.7f, -1.0f}));
    EXPECT_EQ(At(0, 0), (std::vector<float>{1, 2, -1, -1}));   // no phase for the first frequency
    EXPECT_EQ(At(0, 1), (std::vector<float>{3, 4, 90, 180}));
    EXPECT_EQ(At(1, 0), (std::vector<float>{5, 6, -1, -1}));
    EXPECT_EQ(At(1, 1), (std::vector<float>{7, 8, 10, 20}));
    EXPECT_EQ(Diag(), Lines{});

    // One frequency: no Phsab at all; each opening takes the next Ampab.
    Open({"FilbcH = # #", "Omega  = 0", "Ampab  = 1 2", "Ampab  = 3 4"});
    Read(false, 2, 1);
    EXPECT_EQ(At(1, 0), (std::vector<float>{3, 4, -1, -1}));
    EXPECT_EQ(Diag(), Lines{});

    // An opening short of records fails in strict mode.
    Open({"FilbcH = # #", "Omega  = 0", "Ampab  = 1 2"});
    Read(true, 2, 1);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"U100 Ampab"});
}

TEST_F(Harmonic, AttachedFile)
{
    // Values of one block broken over two lines; an empty continuation
    // line leaves its value as it was.
    flowfix::WriteText("h.bch", "0.1\n0.2\nskip\n1\n2\n3\n\n5 6\n7 8\nskip\n90\n91\n180\n181\n");
    ReadFile("formatted  ", 2, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ((std::vector<float>{omega_[0], omega_[1], omega_[2]}), (std::vector<float>{0.1f, 0.2f, -1.0f}));
    EXPECT_EQ(At(0, 0), (std::vector<float>{1, 5, -1, -1}));
    EXPECT_EQ(At(0, 1), (std::vector<float>{2, 6, 90, 180}));
    EXPECT_EQ(At(1, 0), (std::vector<float>{3, 7, -1, -1}));
    EXPECT_EQ(At(1, 1), (std::vector<float>{-1, 8, 91, 181}));
    EXPECT_EQ(Diag(), Lines{});

    ASSERT_EQ(recio::WriteRecordFile("h.bch", recio::Form::kUnformatted,
                                     {RecordBytes().Reals({0.5f}), RecordBytes(), RecordBytes().Reals({1}),
                                      RecordBytes().Reals({2})}),
              recio::kOk);
    ReadFile("unformatted", 1, 1);   // one frequency: no phase block
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(At(0, 0), (std::vector<float>{1, 2, -1, -1}));

    struct Case {
        const char *label;
        const char *text;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"bracketed word", "0.1\nskipped\n[1]\n2\n", {"G006 h.bch"}},
        {"not a number", "0.1\nskipped\nx\n2\n", {"G007 h.bch"}},
        {"ends early", "0.1\nskipped\n1\n", {"G006 h.bch"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        flowfix::WriteText("h.bch", c.text);
        ReadFile("formatted  ", 1, 1);
        EXPECT_NE(error_, 0);
        EXPECT_EQ(Diag(), c.diag);
    }
}

class Series : public bndfix::BoundaryTest {
protected:
    void Read(bool strict, int32_t openings, int32_t start = 0, int32_t stop = 2, float dt = 60)
    {
        const int32_t mode = strict ? kStrict : kLenient, dimension = 100;
        std::fill(std::begin(values_), std::end(values_), -1.0f);
        READ_TIMESERIES_BOUNDARY_CONDITIONS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, &last_,
                                            &first_, "abc", 3, file_, 12, format_, 2, &openings, times_, &dt, &start,
                                            &stop, &dimension, &dimension, &count_, values_);
    }
    // End A and B of time t and opening o (from 0).
    std::vector<float> At(int t, int o) const { return {values_[2 * (t + 100 * o)], values_[2 * (t + 100 * o) + 1]}; }

    char file_[12] = {}, format_[2] = {};
    int32_t last_ = -1, first_ = 0, count_ = -1;
    float times_[101] = {};
    float values_[2 * 100 * 100 + 2] = {};
};

TEST_F(Series, TimesAndChecks)
{
    Open({"FilbcT = # #", "TsbcT  = 0", "Ampab  = 1 2", "Ampab  = 3 4", "TsbcT  = 120", "Ampab  = 5 6",
          "Ampab  = 7 8"});
    Read(false, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(At(1, 1), (std::vector<float>{7, 8}));
    EXPECT_EQ(first_, 0);
    EXPECT_EQ(last_, 2);
    EXPECT_EQ(Diag(), Lines{});

    struct Case {
        const char *label;
        std::vector<std::string> records;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"starts after the start", {"TsbcT  = 60", "Ampab  = 1 1", "TsbcT  = 120", "Ampab  = 1 1"},
         {"U041 First time Tsbct >"}},
        {"same step twice", {"TsbcT  = 0", "Ampab  = 1 1", "TsbcT  = 10", "Ampab  = 1 1", "TsbcT  = 120", "Ampab  = 1 1"},
         {"U044 Tsbct", "U060 Tsbct"}},
        {"ends before the stop", {"TsbcT  = 0", "Ampab  = 1 1"}, {"U042 Last time of B.C. for Temperature <"}},
        {"a time beyond 32-bit steps", {"TsbcT  = 0", "Ampab  = 1 1", "TsbcT  = 1e30", "Ampab  = 1 1"},
         {"U036 TsbcT"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> records = {"FilbcT = # #"};
        records.insert(records.end(), c.records.begin(), c.records.end());
        Open(records);
        Read(true, 1);
        EXPECT_NE(error_, 0);
        EXPECT_EQ(Diag(), c.diag);
    }
}

TEST_F(Series, LimitOfTimes)
{
    std::vector<std::string> records = {"FilbcT = # #"};
    for (int i = 0; i <= 100; ++i) {
        records.push_back("TsbcT  = " + std::to_string(60 * i));
        records.push_back("Ampab  = " + std::to_string(i) + " 0");
    }
    Open(records);
    Read(false, 1, 0, 200);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(count_, 99);
    EXPECT_EQ(At(99, 0), (std::vector<float>{99, 0}));
    EXPECT_EQ(values_[2 * 100], -1.0f);   // nothing past the time dimension
    EXPECT_EQ(Diag(), Lines{"U152 "});
}

TEST_F(Series, StrictModeScratchFile)
{
    Open({"FilbcT = # #", "TsbcT  = 0", "Ampab  = 1 2", "Ampab  = 3 4", "TsbcT  = 120", "Ampab  = 5 6",
          "Ampab  = 7 8"});
    Read(true, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(count_, 0);
    EXPECT_EQ(At(0, 0), (std::vector<float>{7, 8}));   // every opening in the first column
    auto rec = [](float step, float value) { return RecordBytes().Real(step).Real(value); };
    EXPECT_EQ(bndfix::Records("TMP_abc.bct"), bndfix::Records({rec(0, 1), rec(0, 2), rec(0, 3), rec(0, 4), rec(2, 5),
                                                               rec(2, 6), rec(2, 7), rec(2, 8)}));

    // An attached file goes through the time-series block reader; a
    // failure deletes the scratch file.
    flowfix::WriteText("s.bct", "0 1\n120 2\n");
    Open({"FilbcT = #s.bct#", "FmtbcT = #FR#"});
    Read(true, 1);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(std::string(format_, 2), "FR");
    EXPECT_EQ(bndfix::Records("TMP_abc.bct"), bndfix::Records({rec(0, 1), rec(2, 2)}));
    flowfix::WriteText("s.bct", "60 1\n120 2\n");
    Open({"FilbcT = #s.bct#", "FmtbcT = #FR#"});
    Read(true, 1);
    EXPECT_NE(error_, 0);
    EXPECT_FALSE(bndfix::Exists("TMP_abc.bct"));
}

}  // namespace
