// Transport boundary conditions: two- and four-value records, the ProfC
// records and when they are read, negative values, the time checks and
// limit, the scratch file (step, then per opening each quantity) and the
// attached file in strict mode.

#include "boundary_fixture.h"
#include "boundary_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;
using recio::RecordBytes;

constexpr int32_t kT = 100, kO = 100;

class Transport : public bndfix::BoundaryTest {
protected:
    void SetUp() override
    {
        bndfix::BoundaryTest::SetUp();
        sal_.assign(4 * kT * kO + 4, -9.0f);
        tem_.assign(4 * kT * kO + 4, -9.0f);
        con_.assign(4 * 5 * kT * kO + 4, -9.0f);
        jumps_.assign(kT * kO * 7 + 1, -9.0f);
        profiles_.assign(10 * (kT * kO * 7 + 1), '.');
    }
    // Salinity and one named constituent.
    void Read(bool strict, int32_t openings, int32_t stop = 1)
    {
        const int32_t mode = strict ? kStrict : kLenient, start = 0, on = -1, off = 0, named = 1, count = 2;
        const float dt = 60;
        READ_TRANSPORT_BOUNDARY_CONDITIONS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, &last_,
                                           &first_, "abc", 3, file_, 12, format_, 2, &openings, times_, &dt, &start,
                                           &stop, &kT, &kO, &count_, &count, &on, &off, &on, &named, sal_.data(),
                                           tem_.data(), con_.data(), jumps_.data(), profiles_.data(), 10);
    }
    std::vector<float> Salinity(int t, int o) const
    {
        const float *v = sal_.data() + 4 * (t + kT * o);
        return {v[0], v[1], v[2], v[3]};
    }
    std::vector<float> Constituent(int c, int t, int o) const
    {
        const float *v = con_.data() + 4 * (c + 5 * (t + kT * o));
        return {v[0], v[1], v[2], v[3]};
    }
    // Quantity q: 0 salinity, 1 the constituent.
    std::string Profile(int t, int o, int q) const { return std::string(&profiles_[10 * (t + kT * (o + kO * q))], 10); }
    float Jump(int t, int o, int q) const { return jumps_[t + kT * (o + kO * q)]; }

    char file_[12] = {}, format_[2] = {};
    int32_t last_ = -1, first_ = 0, count_ = -1;
    float times_[kT + 1] = {};
    std::vector<float> sal_, tem_, con_, jumps_;
    std::vector<char> profiles_;
};

TEST_F(Transport, ProfilesUntilATwoValueRecord)
{
    Open({"FilbcC = # #", "TsbcC  = 0", "Sab    = 30 31 32 33", "ProfC  = 0.5 #Linear#", "Cab1   = 1 2",
          "Sab    = 20 21 22 23 24", "Cab1   = 11 12", "TsbcC  = 60", "Sab    = 1 1 2 2", "Cab1   = 3 4", "Sab    = 5 5 6 6",
          "Cab1   = 7 8 9 10"});
    Read(false, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(Salinity(0, 0), (std::vector<float>{30, 31, 32, 33}));
    EXPECT_EQ(Profile(0, 0, 0), "Linear    ");
    EXPECT_EQ(Jump(0, 0, 0), 0.5f);
    EXPECT_EQ(Constituent(0, 0, 0), (std::vector<float>{1, 1, 2, 2}));   // two values: uniform
    EXPECT_EQ(Profile(0, 0, 1), "Uniform   ");
    EXPECT_EQ(Salinity(0, 1), (std::vector<float>{20, 21, 22, 23}));   // a fifth value is checked, not kept
    EXPECT_EQ(Profile(0, 1, 0), "Uniform   ");   // no ProfC after a two-value record
    EXPECT_EQ(Constituent(0, 1, 1), (std::vector<float>{7, 8, 9, 10}));
    EXPECT_EQ(Constituent(1, 1, 1), (std::vector<float>{-9, -9, -9, -9}));
    EXPECT_EQ(first_, 0);
    EXPECT_EQ(last_, 1);
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(Transport, Failures)
{
    struct Case {
        const char *label;
        std::vector<std::string> records;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"three values", {"TsbcC  = 0", "Sab    = 1 2 3", "Cab1   = 1 1"}, {"V061 Salinity at open boundary"}},
        {"negative constituent", {"TsbcC  = 0", "Sab    = 1 2", "Cab1   = 1 -1"}, {"V061 Concentration at open boundary"}},
        {"same step twice",
         {"TsbcC  = 0", "Sab    = 1 2", "Cab1   = 1 1", "TsbcC  = 0", "Sab    = 1 2", "Cab1   = 1 1", "TsbcC  = 60",
          "Sab    = 1 2", "Cab1   = 1 1"},
         {"U060 Tsbcc"}},
        {"ends before the stop", {"TsbcC  = 0", "Sab    = 1 2", "Cab1   = 1 1"},
         {"U042 Last time of B.C. for Concentration <"}},
        {"missing ProfC", {"TsbcC  = 0", "Sab    = 1 2 3 4", "Cab1   = 1 1"}, {"U100 ProfC"}},
        {"not a number", {"TsbcC  = 0", "Sab    = 1 x"}, {"U036 Sab"}},
        {"a time beyond 32-bit steps", {"TsbcC  = 1e30", "Sab    = 1 2", "Cab1   = 1 1"}, {"U036 TsbcC"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> records = {"FilbcC = # #"};
        records.insert(records.end(), c.records.begin(), c.records.end());
        Open(records);
        Read(true, 1);
        EXPECT_NE(error_, 0);
        EXPECT_EQ(Diag(), c.diag);
        EXPECT_FALSE(bndfix::Exists("TMP_abc.bcc"));   // deleted on error
    }
}

TEST_F(Transport, LimitOfTimes)
{
    std::vector<std::string> records = {"FilbcC = # #"};
    for (int i = 0; i <= 100; ++i) {
        records.push_back("TsbcC  = " + std::to_string(60 * i));
        records.push_back("Sab    = " + std::to_string(i) + " 1");
        records.push_back("Cab1   = 1 1");
    }
    Open(records);
    Read(false, 1, 200);
    EXPECT_EQ(count_, 99);
    EXPECT_EQ(Salinity(99, 0), (std::vector<float>{99, 99, 1, 1}));
    EXPECT_EQ(sal_[4 * kT], -9.0f);   // opening 2 of the table: untouched
    EXPECT_EQ(Diag(), Lines{"U153 "});
}

TEST_F(Transport, StrictScratchFile)
{
    Open({"FilbcC = # #", "TsbcC  = 0", "Sab    = 30 31 32 33", "ProfC  = 2 #Step#", "Cab1   = 1 2 3 4",
          "ProfC  = 0 # #", "Sab    = 5 6", "Cab1   = 7 8", "TsbcC  = 60", "Sab    = 1 2", "Cab1   = 3 4",
          "Sab    = 5 6", "Cab1   = 7 8"});
    Read(true, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(count_, 0);
    auto rec = [](const char *profile, float jump, float a, float b, float c, float d) {
        return RecordBytes().Text(profile, 10).Real(jump).Real(a).Real(b).Real(c).Real(d);
    };
    EXPECT_EQ(bndfix::Records("TMP_abc.bcc"),
              bndfix::Records({RecordBytes().Real(0), rec("Step", 2, 30, 31, 32, 33), rec("Uniform", 0, 1, 2, 3, 4),
                               rec("Uniform", 0, 5, 5, 6, 6), rec("Uniform", 0, 7, 7, 8, 8), RecordBytes().Real(1),
                               rec("Uniform", 0, 1, 1, 2, 2), rec("Uniform", 0, 3, 3, 4, 4),
                               rec("Uniform", 0, 5, 5, 6, 6), rec("Uniform", 0, 7, 7, 8, 8)}));

    // An attached file goes through the transport block reader.
    flowfix::WriteText("t.bcc", "0 1 2\n0 3 4\n60 1 2\n60 3 4\n");
    Open({"FilbcC = #t.bcc#", "FmtbcC = #FR#"});
    Read(true, 1);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(bndfix::Records("TMP_abc.bcc").size(), 6u);
    EXPECT_EQ(bndfix::Records("TMP_abc.bcc")[2], rec("Uniform", 0, 2, 2, 4, 4).bytes());
}

}  // namespace
