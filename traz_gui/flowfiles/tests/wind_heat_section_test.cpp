// The uniform wind and heat-model series: records of a time and its
// values, the series limit, the space-varying wind that needs a file, the
// attached files in strict mode and their scratch files.

#include "process_sections.h"
#include "boundary_fixture.h"
#include "definition_dump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bndfix::Lines;

class Series : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    void Wind(int32_t strict, char wnsvwp = 'N', int32_t mmax = 3, int32_t nmax = 2)
    {
        const int32_t capacity = 100;
        READ_WIND(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, &last_, &first_, "ab ", 3, file_, 12,
                  format_, 2, &wnsvwp, 1, &mmax, &nmax, &nmax, times_.data(), &dt_, &start_, &stop_, &capacity,
                  &count_, s1_.data(), s2_.data());
    }
    void Heat(int32_t strict, int32_t ktemp)
    {
        const int32_t capacity = 100;
        READ_HEAT_SERIES(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, &last_, &first_, "ab ", 3,
                         file_, 12, format_, 2, &ktemp, times_.data(), &dt_, &start_, &stop_, &capacity, &count_,
                         s3_.data(), s2_.data(), s4_.data(), s1_.data());
    }
    static std::vector<std::string> Records(const std::string &key, int n, int values)
    {
        std::vector<std::string> r;
        for (int i = 0; i < n; ++i) {
            std::string line = key + "  = " + std::to_string(i * 10);
            for (int v = 1; v <= values; ++v)
                line += " " + std::to_string(i + v);
            r.push_back(line);
        }
        return r;
    }

    int32_t last_ = -1, first_ = 0, count_ = -1, start_ = 0, stop_ = 20;
    float dt_ = 1;
    char file_[12] = {}, format_[2] = {};
    std::vector<float> times_ = std::vector<float>(100, -9.0f), s1_ = std::vector<float>(100, -9.0f),
                       s2_ = std::vector<float>(100, -9.0f), s3_ = std::vector<float>(100, -9.0f),
                       s4_ = std::vector<float>(100, -9.0f);
};

TEST_F(Series, UniformWindInRecordOrder)
{
    std::vector<std::string> records = {"Filwnd = # #"};
    for (const std::string &r : Records("Tswnd", 3, 2))
        records.push_back(r);
    Open(records);
    Wind(kLenient);
    EXPECT_EQ(count_, 3);
    EXPECT_EQ(std::vector<float>(times_.begin(), times_.begin() + 3), (std::vector<float>{0, 10, 20}));
    EXPECT_EQ(std::vector<float>(s1_.begin(), s1_.begin() + 3), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(std::vector<float>(s2_.begin(), s2_.begin() + 3), (std::vector<float>{2, 3, 4}));
    EXPECT_EQ(last_, 20);
    EXPECT_TRUE(Diag().empty());
}

// The first record of the file is never taken as a wind record: the
// search starts after it.
TEST_F(Series, WindSearchStartsAfterTheFirstRecordAndChecksTheEnd)
{
    Open({"Tswnd  = 0 1 2", "Filwnd = # #"});
    FlowDefinitionStateGet()->keyword_width = 7;
    Wind(kStrict);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"U042 Last time of the wind data <"});
}

TEST_F(Series, HundredthWindTimeEndsTheSeries)
{
    std::vector<std::string> records = {"Filwnd = # #"};
    for (const std::string &r : Records("Tswnd", 101, 2))
        records.push_back(r);
    Open(records);
    stop_ = 2000;
    Wind(kLenient);
    EXPECT_EQ(count_, 99);
    EXPECT_EQ(times_[99], 990.0f);   // the 100th stays stored
    EXPECT_EQ(Diag(), Lines{"U155 "});
}

// A capacity above the record's hundred places keeps a hundred.
TEST_F(Series, CapacityAboveTheRecordsIsCapped)
{
    std::vector<std::string> records = {"Filtmp = # #"};
    for (const std::string &r : Records("Tstmp", 120, 1))
        records.push_back(r);
    Open(records);
    stop_ = 2000;
    const int32_t strict = kLenient, capacity = 500, ktemp = 3;
    READ_HEAT_SERIES(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, &last_, &first_, "ab ", 3, file_,
                     12, format_, 2, &ktemp, times_.data(), &dt_, &start_, &stop_, &capacity, &count_, s3_.data(),
                     s2_.data(), s4_.data(), s1_.data());
    EXPECT_EQ(count_, 99);
    EXPECT_EQ(Diag(), Lines{"U157 "});
}

TEST_F(Series, SpaceVaryingWindNeedsAFile)
{
    Open({"Filwnd = # #", "Tswnd  = 0 1 2"});
    Wind(kLenient, 'Y');
    EXPECT_EQ(count_, -1);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Diag(), Lines{"U156 "});
    Open({"Filwnd = # #"});
    Wind(kStrict, 'Y');
    EXPECT_NE(error_, 0);
}

TEST_F(Series, StrictWindFilesGoToTheScratchFile)
{
    flowfix::WriteText("w.txt", "0 1 2\n20 3 4\n");
    Open({"Filwnd = #w.txt#", "Fmtwnd = #FR#"});
    Wind(kStrict);
    EXPECT_EQ(error_, 0);
    const auto records = bndfix::Records("TMP_ab.wnd");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(defdump::Reals(records[1]), (std::vector<float>{20, 3, 4}));

    // A space-varying file of an mmax x nmax field.
    flowfix::WriteText("sv.txt", "1 n\n0 1 2 3 4 5 6\n20 1 2 3 4 5 6\n");
    Open({"Filwnd = #sv.txt#", "Fmtwnd = #FR#"});
    Wind(kStrict, 'Y');
    EXPECT_EQ(error_, 0);
    ASSERT_EQ(bndfix::Records("TMP_ab.wnd").size(), 3u);

    // An extent beyond the record's grid is refused before the file.
    Open({"Filwnd = #sv.txt#", "Fmtwnd = #FR#"});
    Wind(kStrict, 'Y', 3, 751);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"U120 "});
    EXPECT_FALSE(recio::FileExists("TMP_ab.wnd"));
}

TEST_F(Series, HeatModelsThreeAndOne)
{
    std::vector<std::string> records = {"Filtmp = # #"};
    for (const std::string &r : Records("Tstmp", 2, 1))
        records.push_back(r);
    Open(records);
    stop_ = 10;
    Heat(kLenient, 3);
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(s1_[1], 2.0f);
    EXPECT_EQ(s2_[0], -9.0f);
    EXPECT_TRUE(Diag().empty());

    records = {"Filtmp = # #"};
    for (const std::string &r : Records("Tstmp", 2, 3))
        records.push_back(r);
    Open(records);
    Heat(kStrict, 1);
    EXPECT_EQ(error_, 0);
    const auto scratch = bndfix::Records("TMP_ab.tem");
    ASSERT_EQ(scratch.size(), 2u);
    EXPECT_EQ(defdump::Reals(scratch[1]), (std::vector<float>{10, 2, 3, 4}));

    // Heat model 1 in lenient mode: second, third, fourth value.
    Open(records);
    Heat(kLenient, 2);
    EXPECT_EQ(s3_[1], 2.0f);
    EXPECT_EQ(s2_[1], 3.0f);
    EXPECT_EQ(s4_[1], 4.0f);
}

TEST_F(Series, HeatTimeChecks)
{
    Open({"Filtmp = # #", "Tstmp  = 5 1", "Tstmp  = 5 1", "Tstmp  = 7.5 1"});
    dt_ = 2;
    stop_ = 10;
    Heat(kStrict, 3);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), (Lines{"U044 Tstmp", "U041 First time Tstmp >", "U044 Tstmp", "U060 Tstmp", "U044 Tstmp",
                             "U042 Last time of parameters for heat model <"}));
}

// A blank Fmtwnd or Fmttmp takes the default "formatted", which the format
// check refuses: reported, and the file is read as formatted.
TEST_F(Series, BlankFormatKeywordsAreReported)
{
    Open({"Filwnd = #w.txt#", "Fmtwnd = # #"});
    Wind(kLenient);
    EXPECT_EQ(Diag(), Lines{"U036 Fmtwnd"});
    EXPECT_EQ(std::string(format_, 2), "FR");
    Open({"Filtmp = #t.txt#", "Fmttmp = # #"});
    Heat(kLenient, 1);
    EXPECT_EQ(Diag(), Lines{"U036 Fmttmp"});
    EXPECT_EQ(std::string(format_, 2), "FR");
}

}  // namespace
