// The discharge time series: levels of Tsdis, Cqs, Cqt and CqcN records
// per discharge, the time checks, the level limit, the attached file in
// both modes and the scratch file of strict mode.

#include "process_sections.h"
#include "boundary_fixture.h"
#include "definition_dump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bndfix::Lines;

class Discharges : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    struct Setup {
        int32_t discharges = 2;
        bool salinity = true, temperature = false;
        int32_t named = 0;
        float dt = 1.0f;
        int32_t start = 0, stop = 20;
    };
    void Read(int32_t strict, const Setup &s)
    {
        const int32_t sal = s.salinity ? -1 : 0, tem = s.temperature ? -1 : 0, con = s.named > 0 ? -1 : 0;
        const int32_t constituents = (s.salinity ? 1 : 0) + (s.temperature ? 1 : 0) + s.named;
        const int32_t lead = 50, capacity = 50;
        READ_DISCHARGES(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, &last_, &first_, "run", 3,
                        fildis_, 12, fmtdis_, 2, &s.discharges, times_.data(), &s.dt, &s.start, &s.stop, &lead,
                        &capacity, &count_, &constituents, &sal, &tem, &con, &s.named, flow_.data(), salt_.data(),
                        heat_.data(), conc_.data());
    }
    float Flow(int level, int discharge) const { return flow_[(level - 1) + 50 * (discharge - 1)]; }
    float Salt(int level, int discharge) const { return salt_[(level - 1) + 50 * (discharge - 1)]; }
    float Conc(int c, int level, int discharge) const { return conc_[(c - 1) + 5 * ((level - 1) + 50 * (discharge - 1))]; }

    // Levels of two discharges with salinity: "Tsdis = t q", "Cqs = s".
    static std::vector<std::string> Levels(const std::vector<float> &times)
    {
        std::vector<std::string> r = {"Fildis = # #"};
        for (float t : times)
            for (int k = 1; k <= 2; ++k) {
                char line[80];
                std::snprintf(line, sizeof line, "Tsdis  = %g %d", t, k * 10);
                r.push_back(line);
                std::snprintf(line, sizeof line, "Cqs    = %g", t + k);
                r.push_back(line);
            }
        return r;
    }

    int32_t last_ = -1, first_ = 0, count_ = -1;
    char fildis_[12] = {}, fmtdis_[2] = {};
    std::vector<float> times_ = std::vector<float>(50, -9.0f), flow_ = std::vector<float>(2500, -9.0f),
                       salt_ = std::vector<float>(2500, -9.0f), heat_ = std::vector<float>(2500, -9.0f),
                       conc_ = std::vector<float>(12500, -9.0f);
};

TEST_F(Discharges, LevelsInFileOrder)
{
    Open(Levels({0, 10, 20}));
    Read(kLenient, {});
    EXPECT_EQ(count_, 3);
    EXPECT_EQ(std::vector<float>(times_.begin(), times_.begin() + 4), (std::vector<float>{0, 10, 20, -9}));
    EXPECT_EQ(Flow(1, 1), 10.0f);
    EXPECT_EQ(Flow(3, 2), 20.0f);
    EXPECT_EQ(Salt(2, 1), 11.0f);
    EXPECT_EQ(Salt(3, 2), 22.0f);
    EXPECT_EQ(last_, 20);
    EXPECT_EQ(first_, 0);
    EXPECT_EQ(error_, 0);
    EXPECT_TRUE(Diag().empty());
}

TEST_F(Discharges, AnIncompleteLevelEndsTheSeries)
{
    std::vector<std::string> records = Levels({0, 10});
    records.push_back("Tsdis  = 15 10");
    records.push_back("Cqs    = 1");
    Open(records);
    Read(kStrict, {});
    EXPECT_EQ(count_, 0);   // strict: the values go to the scratch file only
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"U042 Last time of discharge data <"});
    EXPECT_FALSE(recio::FileExists("TMP_run.dis"));   // deleted at the error

    Open(records);
    last_ = -1;
    Read(kLenient, {});
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(last_, 10);
    EXPECT_EQ(error_, 0);
}

TEST_F(Discharges, TimeChecks)
{
    struct Case {
        std::vector<float> times;
        int32_t start;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {{0, 10.05f, 20}, 0, {}},
        {{0, 10.2f, 20}, 0, {"U044 Tsdis", "U044 Tsdis"}},
        {{5, 10, 20}, 0, {"U041 First time Tsdis >"}},
        {{0, 10, 10, 20}, 0, {"U060 Tsdis", "U060 Tsdis"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.times[1]);
        Open(Levels(c.times));
        first_ = 0;
        Setup s;
        s.start = c.start;
        Read(kLenient, s);
        EXPECT_EQ(count_, static_cast<int32_t>(c.times.size()));
        EXPECT_EQ(Diag(), c.diag);
        EXPECT_EQ(error_, 0);
    }
}

// A time that makes a step beyond 32 bits is refused, not converted.
TEST_F(Discharges, TimeBeyondEveryStepIsRefused)
{
    Open({"Fildis = # #", "Tsdis  = 0 1", "Cqs    = 1", "Tsdis  = 1e6 1", "Cqs    = 1"});
    Setup s;
    s.discharges = 1;
    s.dt = 1.0e-6f;
    s.stop = 0;
    Read(kStrict, s);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"U036 Tsdis"});
}

TEST_F(Discharges, FiftiethLevelEndsTheSeries)
{
    std::vector<float> times;
    for (int i = 0; i < 51; ++i)
        times.push_back(static_cast<float>(i));
    Open(Levels(times));
    Setup s;
    s.stop = 60;
    Read(kLenient, s);
    EXPECT_EQ(count_, 49);
    EXPECT_EQ(Flow(50, 2), 20.0f);   // the 50th level stays stored
    EXPECT_EQ(times_[49], 49.0f);
    EXPECT_EQ(Diag(), Lines{"U154 "});
}

// More discharges or constituents than the tables hold: no more than 50
// discharges and 5 constituents are read.
TEST_F(Discharges, CountsAboveTheLimitsAreCapped)
{
    std::vector<std::string> records = {"Fildis = # #"};
    for (int k = 1; k <= 60; ++k) {
        records.push_back("Tsdis  = 0 " + std::to_string(k));
        records.push_back("CqcN   = 1 2 3 4 5 6 7");
    }
    Open(records);
    Setup s;
    s.discharges = 60;
    s.salinity = false;
    s.named = 7;
    Read(kLenient, s);
    EXPECT_EQ(Flow(1, 50), 50.0f);
    EXPECT_EQ(Conc(5, 1, 50), 5.0f);
    EXPECT_EQ(count_, 1);
}

TEST_F(Discharges, NegativeValuesAndNamedConstituents)
{
    Open({"Fildis = # #", "Tsdis  = 0 5", "Cqt    = 12", "CqcN   = 1 2 3", "Tsdis  = 30 5", "Cqt    = 12",
          "CqcN   = 4 5 6"});
    Setup s;
    s.discharges = 1;
    s.salinity = false;
    s.temperature = true;
    s.named = 3;
    Read(kLenient, s);
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(Conc(1, 1, 1), 1.0f);
    EXPECT_EQ(Conc(3, 1, 1), 3.0f);
    EXPECT_EQ(Conc(2, 2, 1), 5.0f);   // constituent fastest
    EXPECT_EQ(heat_[1], 12.0f);

    Open({"Fildis = # #", "Tsdis  = 0 5", "Cqs    = -1", "Tsdis  = 30 5", "Cqs    = 1"});
    s = Setup();
    s.discharges = 1;
    Read(kStrict, s);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"V061 Salinity at discharge point"});
}

// Strict mode keeps the values of the caller's tables at level 1 of
// column 1 (the last discharge read); the other places stay untouched.
TEST_F(Discharges, StrictModeUsesTheFirstPlaceOnly)
{
    Setup s;
    s.named = 1;
    std::vector<std::string> records = Levels({0, 10, 20});
    for (size_t i = records.size(); i-- > 1;)
        if (records[i].compare(0, 3, "Cqs") == 0)
            records.insert(records.begin() + static_cast<long>(i) + 1, "CqcN   = " + records[i].substr(9));
    Open(records);
    Read(kStrict, s);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(count_, 0);
    EXPECT_EQ(times_[0], 20.0f);
    EXPECT_EQ(Flow(1, 1), 20.0f);
    EXPECT_EQ(Salt(1, 1), 22.0f);
    EXPECT_EQ(Conc(1, 1, 1), 22.0f);
    EXPECT_EQ(Flow(1, 2), -9.0f);
    EXPECT_EQ(Salt(1, 2), -9.0f);
    EXPECT_EQ(Conc(1, 1, 2), -9.0f);
    EXPECT_EQ(Flow(2, 1), -9.0f);
    EXPECT_EQ(bndfix::Records("TMP_run.dis").size(), 6u);
}

TEST_F(Discharges, StrictScratchRecordsHoldTheStepAsAReal)
{
    Open({"Fildis = # #", "Tsdis  = 0 5", "Cqs    = 1", "Tsdis  = 60 6", "Cqs    = 2"});
    Setup s;
    s.discharges = 1;
    s.dt = 30;
    s.stop = 2;
    Read(kStrict, s);
    EXPECT_EQ(error_, 0);
    const auto records = bndfix::Records("TMP_run.dis");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(defdump::Reals(records[0]), (std::vector<float>{0, 5, 1}));
    EXPECT_EQ(defdump::Reals(records[1]), (std::vector<float>{2, 6, 2}));
}

TEST_F(Discharges, AttachedFile)
{
    flowfix::WriteText("dis.txt", "0 5 1\n60 6 2\n");
    Open({"Fildis = #dis.txt#", "Fmtdis = #FR#", "Tsdis  = 0 5"});
    Setup s;
    s.discharges = 1;
    Read(kLenient, s);
    EXPECT_EQ(std::string(fildis_, 12), bndfix::Field("dis.txt", 12));
    EXPECT_EQ(std::string(fmtdis_, 2), "FR");
    EXPECT_EQ(count_, -1);   // nothing read from the definition
    EXPECT_EQ(error_, 0);

    s.dt = 30;
    s.stop = 2;
    Open({"Fildis = #dis.txt#", "Fmtdis = #FR#"});
    Read(kStrict, s);
    EXPECT_EQ(error_, 0);
    ASSERT_EQ(bndfix::Records("TMP_run.dis").size(), 2u);
    EXPECT_EQ(defdump::Reals(bndfix::Records("TMP_run.dis")[1]), (std::vector<float>{2, 6, 2}));

    flowfix::WriteText("dis.txt", "0 5 1\n60 6 -2\n");
    Open({"Fildis = #dis.txt#", "Fmtdis = #FR#"});
    Read(kStrict, s);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"V061 Concentration at discharge points"});
    EXPECT_FALSE(recio::FileExists("TMP_run.dis"));
}

// A blank Fmtdis takes the default "formatted", which the format check
// refuses: reported, and the file is read as formatted.
TEST_F(Discharges, BlankFormatKeywordIsReported)
{
    Open({"Fildis = #dis.txt#", "Fmtdis = # #"});
    Setup s;
    s.discharges = 1;
    Read(kLenient, s);
    EXPECT_EQ(Diag(), Lines{"U036 Fmtdis"});
    EXPECT_EQ(std::string(fmtdis_, 2), "FR");
}

}  // namespace
