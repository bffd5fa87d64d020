// The heat model and physical parameters: which keywords each switch
// reads, the heat model number's range, the tide-generating constituents,
// the wind stress with one, several or too many values, secondary flow.

#include "process_sections.h"
#include "boundary_fixture.h"
#include "definition_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;

class Physical : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    struct Switches {
        bool salinity = false, temperature = false, wind = false, spherical = false, secondary = false;
    };
    void Read(int32_t strict, Switches s)
    {
        const int32_t sal = s.salinity ? -1 : 0, tem = s.temperature ? -1 : 0, wnd = s.wind ? -1 : 0,
                      sph = s.spherical ? -1 : 0, sec = s.secondary ? -1 : 0;
        READ_PHYSICAL_PARAMETERS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, &sal, &tem, &wnd,
                                 &ktemp_, &fclou_, &sarea_, &irov_, &z0v_, &sph, tidfor_, 36, &tempw_, &salw_, wstres_,
                                 &rhoa_, &sec, &betac_, &equili_, 1, &mode_);
    }
    int32_t ktemp_ = 7, irov_ = 0, mode_ = 0;
    float fclou_ = 1, sarea_ = 2, z0v_ = 3, tempw_ = 4, salw_ = 5, wstres_[4] = {6, 6, 6, 6}, rhoa_ = 7, betac_ = 8;
    char tidfor_[36] = {}, equili_ = 'N';
};

TEST_F(Physical, WithoutTemperatureTheHeatModelIsNotRead)
{
    Open({"Ktemp  = 1", "Fclou  = 0.3"});
    ktemp_ = 0;
    Read(kLenient, {});
    EXPECT_EQ(ktemp_, 0);
    EXPECT_EQ(fclou_, 1.0f);
    EXPECT_TRUE(Diag().empty());
}

TEST_F(Physical, HeatModelNumberAndItsParameters)
{
    struct Case {
        std::string value;
        int32_t model;
        float fclou, sarea;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"1", 1, 0.3f, 1e6f, {"U100 Salw"}},
        {"2", 2, 1.0f, 1e6f, {"U100 Salw"}},
        {"-1", 0, 1.0f, 2.0f, {"U051 ", "U100 Salw"}},
        {"4", 0, 1.0f, 2.0f, {"U051 ", "U100 Salw"}},
        {"x", 0, 1.0f, 2.0f, {"U036 Ktemp", "U100 Salw"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        fclou_ = 1;
        sarea_ = 2;
        Open({"Ktemp  = " + c.value, "Fclou  = 0.3", "Sarea  = 1e6"});
        Switches s;
        s.temperature = true;
        Read(kStrict, s);
        EXPECT_EQ(ktemp_, c.model);
        EXPECT_EQ(fclou_, c.fclou);
        EXPECT_EQ(sarea_, c.sarea);
        EXPECT_EQ(Diag(), c.diag);
        EXPECT_EQ(error_, 0);   // never an error
    }
}

TEST_F(Physical, IrovReadsZ0vOnlyAbove0)
{
    Open({"Irov   = 1", "Z0v    = 0.05"});
    Read(kLenient, {});
    EXPECT_EQ(irov_, 1);
    EXPECT_EQ(z0v_, 0.05f);
    Open({"Irov   = 0", "Z0v    = 0.07"});
    Read(kLenient, {});
    EXPECT_EQ(irov_, 0);
    EXPECT_EQ(z0v_, 0.05f);
}

TEST_F(Physical, TideGeneratingForces)
{
    struct Case {
        std::vector<std::string> records;
        std::string field;
        Lines diag;
        bool strict_error;
    };
    const std::string all = "M2 S2 N2 K2 K1 O1 P1 Q1 MF MM SSA---";
    const std::vector<Case> cases = {
        {{"Tidfor = #M2 S2 N2 K2# #K1 O1 P1 Q1# #MF MM SSA#"}, all, {}, false},
        // Listed in the fixed order; "---" is accepted.
        {{"Tidfor = #K1 M2 ---O1# #P1 Q1 ---S2# #------MM#"}, "M2 S2 ------K1 O1 P1 Q1 ---MM ------", {}, false},
        {{"Tidfor = #M2 XX S2 N2# #K1 O1 P1 Q1# #MF MM SSA#"}, "M2 S2 N2 ---K1 O1 P1 Q1 MF MM SSA---", {"V081 XX"},
         true},
        // A blank slot is no constituent either.
        {{"Tidfor = #M2 S2 N2 K2# #K1 O1 P1# #MF MM SSA#"}, "M2 S2 N2 K2 K1 O1 P1 ---MF MM SSA---", {"V081 "}, true},
        {{"Tidfor = #M2# #S2#"}, "", {"U036 Tidfor"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.records[0]);
        std::memset(tidfor_, 0, sizeof tidfor_);
        ktemp_ = 0;
        Open(c.records);
        Switches s;
        s.spherical = true;
        Read(kStrict, s);
        EXPECT_EQ(std::string(tidfor_, 36), c.field.empty() ? std::string(36, '\0') : c.field);
        Lines diag = Diag();
        EXPECT_EQ(diag, c.diag);
        EXPECT_EQ(error_ != 0, c.strict_error);
    }
    // Not spherical: not read.
    std::memset(tidfor_, 0, sizeof tidfor_);
    Open({"Tidfor = #M2 S2 N2 K2# #K1 O1 P1 Q1# #MF MM SSA#"});
    Read(kStrict, {});
    EXPECT_EQ(std::string(tidfor_, 36), std::string(36, '\0'));
}

TEST_F(Physical, WindStress)
{
    struct Case {
        std::vector<std::string> records;
        std::vector<float> wstres;
    };
    const std::vector<Case> cases = {
        {{"Wstres = 0.002"}, {0.002f, 0.0f, 0.002f, 100.0f}},
        {{"Wstres = 0.001 0 0.003 25"}, {0.001f, 0.0f, 0.003f, 25.0f}},
        {{"Wstres = 0.001 5 0.003"}, {0.001f, 5.0f, 0.003f, 999.999f}},
        {{"Dummy  = 1"}, {0.0025f, 0.0f, 0.0025f, 100.0f}},
        {{"Wstres = 0.001 x"}, {0.0025f, 0.0f, 0.0025f, 100.0f}},
        // Values past the four are checked but not kept: nothing beyond
        // the field is written.
        {{"Wstres = 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30",
          "         31 32 33 34 35 36 37 38 39 40"},
         {1, 2, 3, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.records[0]);
        Open(c.records);
        Switches s;
        s.wind = true;
        rhoa_ = 7;
        Read(kLenient, s);
        EXPECT_EQ(std::vector<float>(wstres_, wstres_ + 4), c.wstres);
        EXPECT_EQ(rhoa_, 7.0f);
    }
}

TEST_F(Physical, BackgroundValuesFollowTheirSwitchesAndSecondaryFlow)
{
    Open({"Tempw  = 15", "Salw   = 31", "Betac  = 0.5", "Equili = #y#"});
    Switches s;
    s.salinity = true;
    s.secondary = true;
    Read(kLenient, s);
    EXPECT_EQ(tempw_, 15.0f);   // read with salinity
    EXPECT_EQ(salw_, 5.0f);     // read with temperature only
    EXPECT_EQ(betac_, 0.5f);
    EXPECT_EQ(equili_, 'Y');
    EXPECT_EQ(mode_, 2);
    Open({"Betac  = 0.5"});
    Read(kLenient, s);
    EXPECT_EQ(equili_, 'Y');    // missing: the current answer stays
    Open({"Equili = #n#"});
    Read(kLenient, s);
    EXPECT_EQ(equili_, 'N');
    EXPECT_EQ(mode_, 1);
}

}  // namespace
