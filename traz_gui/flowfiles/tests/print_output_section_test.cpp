// Print and store flags (keywords into their groups, the "Y"/"N" rule, what
// the definition cannot produce switched off) and the output times with
// their steps, the map print list and its limit, and the restart switch.

#include "process_sections.h"
#include "boundary_fixture.h"
#include "definition_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;

class PrintFlags : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    struct Setup {
        int32_t layers = 2, constituents = 2, turbulence = 1, salinity = 1, temperature = 2, stations = 1,
                cross_sections = 1;
        std::string filsta, filcrs;
    };
    void Read(const Setup &s)
    {
        const std::string filsta = bndfix::Field(s.filsta, 12), filcrs = bndfix::Field(s.filcrs, 12);
        READ_PRINT_FLAGS(&kDef, &kDiag, &record_number_, record_, 80, &s.layers, &s.constituents, &s.turbulence,
                         &s.salinity, &s.temperature, &s.stations, filsta.c_str(), 12, &s.cross_sections,
                         filcrs.c_str(), 12, mp_, 19, hp_, 23, ms_, 20, hs_, 23);
    }
    char mp_[19] = {}, hp_[23] = {}, ms_[20] = {}, hs_[23] = {};
};

TEST_F(PrintFlags, KeywordsFillTheirGroupsAndEverythingElseIsY)
{
    Open({"PHhydr = #yn#", "PHproc = #NNNNNNNNNN#", "PHflux = #NYNY#", "SMderv = #NNYNN#", "SHhydr = #abcN#",
          "PMhydr = #YYYYYYYYYYY#"});
    Read({});
    EXPECT_EQ(std::string(hp_, 23), "YNYYYYNNNNNNNNNNYYYNYNY");
    EXPECT_EQ(std::string(mp_, 19), "YYYYYYYYYYYYYYYYNNY");   // too long PMhydr: all Y; SMderv's first three
    EXPECT_EQ(std::string(ms_, 20), "YYYYYYYYYYYYYYYNNYNN");
    EXPECT_EQ(std::string(hs_, 23), "YYYNYYYYYYYYYYYYYYYYYYY");
    EXPECT_EQ(Diag(), Lines{"U036 PMhydr"});
}

TEST_F(PrintFlags, WhatTheDefinitionCannotProduceIsSwitchedOff)
{
    // One layer, no constituents, no turbulence, no salinity or
    // temperature, with stations: history print keeps Y in 1-5 only.
    Open({"Dummy  = 1"});
    Setup s;
    s.layers = 1;
    s.constituents = s.turbulence = s.salinity = s.temperature = 0;
    s.cross_sections = 0;
    Read(s);
    EXPECT_EQ(std::string(hp_, 23), "YYYYYNNNNNNNNNNNNNNNNNN");
    EXPECT_EQ(std::string(mp_, 19), "YYYYYNNNNNNNNNNNNNN");
    EXPECT_EQ(std::string(hs_, 23), "YYYNNNNNNNNNNNYYNNNYNNN");
    EXPECT_EQ(std::string(ms_, 20), "YYYNNNNNNNNNNNNYYNNN");

    // Without stations and station file: history flags 1-19 N; a station
    // file counts as stations.
    Open({"Dummy  = 1"});
    s = Setup();
    s.stations = 0;
    Read(s);
    EXPECT_EQ(std::string(hp_, 19), std::string(19, 'N'));
    EXPECT_EQ(std::string(hs_, 19), std::string(19, 'N'));
    EXPECT_EQ(std::string(hp_ + 19, 4), "YYYY");
    Open({"Dummy  = 1"});
    s.filsta = "st.txt";
    Read(s);
    EXPECT_EQ(std::string(hp_, 23), std::string(23, 'Y'));
}

class OutputTimes : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    void Read(int32_t strict)
    {
        const int32_t capacity = 50;
        READ_OUTPUT_TIMES(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, map_steps_.data(), &capacity,
                          &map_count_, steps_, prmap_.data(), &t_[0], &t_[1], &t_[2], &t_[3], &t_[4], &t_[5], &t_[6],
                          &t_[7], &t_[8], &t_[9], &restrt_, 1, &dt_);
    }
    float dt_ = 10;
    std::vector<int32_t> map_steps_ = std::vector<int32_t>(51, 0);
    std::vector<float> prmap_ = std::vector<float>(51, -9.0f);
    int32_t map_count_ = -5, steps_[10] = {};
    float t_[10] = {-9, -9, -9, -9, -9, -9, -9, -9, -9, -9};
    char restrt_ = '?';
};

TEST_F(OutputTimes, GroupsTheirStepsAndTheRestartSwitch)
{
    Open({"Prmap  = 0.0 60.0 120.0 0.0", "Prhis  = 0 30 600", "Flmap  = 0 60 1440", "Flhis  = 0.0 30.0 1440.0",
          "Flpp   = 10 20 30", "Restrt = #n#"});
    Read(kLenient);
    EXPECT_EQ(map_count_, 3);
    EXPECT_EQ(std::vector<int32_t>(map_steps_.begin(), map_steps_.begin() + 4), (std::vector<int32_t>{0, 6, 12, 0}));
    EXPECT_EQ(std::vector<float>(t_, t_ + 10), (std::vector<float>{0, 30, 600, 0, 60, 1440, 30, 10, 20, 30}));
    EXPECT_EQ(std::vector<int32_t>(steps_, steps_ + 10), (std::vector<int32_t>{0, 3, 60, 0, 6, 144, 3, 1, 2, 3}));
    EXPECT_EQ(restrt_, 'N');
    EXPECT_TRUE(Diag().empty());
}

TEST_F(OutputTimes, MapPrintListForms)
{
    struct Case {
        std::string record;
        int32_t count, first_step;
        float first_time;
    };
    const std::vector<Case> cases = {{"Prmap  = 0.0", 1, 0, 0.0f}, {"Prmap  = [x]", 0, -1, 0.0f},
                                     {"Prmap  = 0 20 x", 1, 0, 0.0f}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.record);
        Open({c.record, "Flmap  = 0 0 0", "Flhis  = 0 0 0", "Flpp   = 0 0 0"});
        Read(kLenient);
        EXPECT_EQ(map_count_, c.count);
        EXPECT_EQ(map_steps_[0], c.first_step);
        EXPECT_EQ(prmap_[0], c.first_time);
    }
    // Without Prmap nothing changes but the first step; Restrt is then
    // required.
    prmap_[0] = 7;
    map_count_ = 2;
    Open({"Flmap  = 0 0 0", "Flhis  = 0 0 0", "Flpp   = 0 0 0"});
    Read(kLenient);
    EXPECT_EQ(map_count_, 2);
    EXPECT_EQ(prmap_[0], 7.0f);
    EXPECT_EQ(map_steps_[0], -1);
    EXPECT_EQ(restrt_, 'Y');
    EXPECT_EQ(Diag(), Lines{"U100 Restrt"});
}

// Sixty map print times: fifty kept, the rest checked; nothing written
// past the fifty places of the table.
TEST_F(OutputTimes, OverLongMapPrintListKeepsFifty)
{
    std::vector<std::string> records = {"Prmap  ="};
    for (int i = 1; i <= 60; ++i) {
        if (records.back().size() > 70)
            records.push_back("        ");
        records.back() += " " + std::to_string(i * 10);
    }
    records.push_back("Flmap  = 0 0 0");
    records.push_back("Flhis  = 0 0 0");
    records.push_back("Flpp   = 0 0 0");
    Open(records);
    Read(kStrict);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(map_count_, 50);
    EXPECT_EQ(prmap_[49], 500.0f);
    EXPECT_EQ(prmap_[50], -9.0f);
    EXPECT_EQ(map_steps_[49], 50);
    EXPECT_EQ(map_steps_[50], 0);
}

// A capacity above the record's fifty places keeps fifty (the tables here
// hold 51: the last one stays untouched).
TEST_F(OutputTimes, CapacityAboveTheRecordsIsCapped)
{
    std::vector<std::string> records = {"Prmap  ="};
    for (int i = 1; i <= 70; ++i) {
        if (records.back().size() > 70)
            records.push_back("        ");
        records.back() += " " + std::to_string(i * 10);
    }
    records.push_back("Flmap  = 0 0 0");
    records.push_back("Flhis  = 0 0 0");
    records.push_back("Flpp   = 0 0 0");
    Open(records);
    const int32_t strict = kLenient, capacity = 80;
    READ_OUTPUT_TIMES(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, map_steps_.data(), &capacity,
                      &map_count_, steps_, prmap_.data(), &t_[0], &t_[1], &t_[2], &t_[3], &t_[4], &t_[5], &t_[6],
                      &t_[7], &t_[8], &t_[9], &restrt_, 1, &dt_);
    EXPECT_EQ(map_count_, 50);
    EXPECT_EQ(prmap_[50], -9.0f);
    EXPECT_EQ(map_steps_[50], 0);
}

TEST_F(OutputTimes, TimesOffTheGridAndMissingGroups)
{
    Open({"Prhis  = 0 35 600", "Flmap  = x", "Flpp   = 0 10 15"});
    t_[3] = 5;
    Read(kStrict);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(t_[3], 0.0f);   // unreadable group: 0.0
    EXPECT_EQ(steps_[1], 4);
    EXPECT_EQ(Diag(), (Lines{"U044 His print time interval", "U036 Flmap", "U100 Flhis",
                             "U044 COMMUNICATION file stop time", "U100 Restrt"}));
    // A time beyond every step refuses its group.
    dt_ = 1e-6f;
    Open({"Flmap  = 0 1e6 0", "Flhis  = 0 0 0", "Flpp   = 0 0 0", "Restrt = #Y#"});
    Read(kLenient);
    EXPECT_EQ(t_[4], 0.0f);
    EXPECT_EQ(Diag(), Lines{"U036 Flmap"});
}

}  // namespace
