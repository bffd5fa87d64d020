// The initial conditions: which start applies, the uniform values per layer
// and their work buffer, each quantity in its own slot, the names of the
// transported quantities, and the restart and initial-conditions file
// readers called directly.

#include "boundary_fixture.h"
#include "boundary_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;
using recio::RecordBytes;

// A grid of 2 x 1 points in arrays of row length 1 (m from -1 to 4: six
// values a plane), two layers, up to four transported quantities.
constexpr int32_t kM = 2, kRow = 1, kN = 1, kK = 2;
constexpr size_t kPlane = kRow * (kM + 4);

class InitialConditions : public bndfix::BoundaryTest {
protected:
    void SetUp() override
    {
        bndfix::BoundaryTest::SetUp();
        for (float *a : {level_, u_, v_, transported_, turbulence_})
            std::fill(a, a + 8 * kPlane, -1.0f);
        std::fill(std::begin(u0_), std::end(u0_), -1.0f);
        std::fill(std::begin(v0_), std::end(v0_), -1.0f);
        std::fill(std::begin(s0_), std::end(s0_), -1.0f);
        std::fill(std::begin(t0_), std::end(t0_), -1.0f);
        std::fill(std::begin(c0_), std::end(c0_), -1.0f);
        std::fill(std::begin(names_), std::end(names_), '.');
    }
    // Salinity, temperature, n named constituents; no secondary flow.
    void Read(bool strict, int32_t constituents, int32_t kmax = kK, int32_t turbulence = 0)
    {
        const int32_t mode = strict ? kStrict : kLenient, on = -1, off = 0, mmax = kM, row = kRow, nmax = kN;
        const int32_t lstsci = 2 + constituents;
        READ_INITIAL_CONDITIONS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, "abc", 3, restid_, 3,
                                filic_, 12, fmtic_, 2, &on, &on, &off, &constituents, &turbulence, &indicator_, &zeta0_,
                                u0_, v0_, s0_, t0_, c0_, i0_, names_, 20, &mmax, &row, &nmax, &kmax, &lstsci, level_, u_,
                                v_, transported_, turbulence_);
    }
    // The value at point (1, m) of plane p of a field.
    static float At(const float *field, size_t plane, int m) { return field[plane * kPlane + (m + 1) * kRow]; }
    std::string Name(int i) const { return std::string(names_ + 20 * i, 20); }

    char restid_[3] = {'?', '?', '?'}, filic_[12] = {}, fmtic_[2] = {};
    int32_t indicator_ = 9;
    float zeta0_ = -1;
    float u0_[100], v0_[100], s0_[100], t0_[100], c0_[500], i0_[100] = {};
    char names_[200];
    float level_[8 * kPlane], u_[8 * kPlane], v_[8 * kPlane], transported_[8 * kPlane], turbulence_[8 * kPlane];
};

TEST_F(InitialConditions, UniformValuesAndTheWorkBuffer)
{
    // V0 gives one value: its second layer takes what U0 left in the work
    // buffer.
    Open({"Restid = # #", "Filic  = # #", "Zeta0  = 1.5", "U0     = 0.1 0.2", "V0     = 0.3", "S0     = 30 31",
          "T0     = 10", "        11", "C01    = 5 6", "Namc1  = #Tracer#"});
    Read(true, 1);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(zeta0_, 1.5f);
    EXPECT_EQ((std::vector<float>{u0_[0], u0_[1], v0_[0], v0_[1]}), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.2f}));
    EXPECT_EQ((std::vector<float>{t0_[0], t0_[1], c0_[0], c0_[1]}), (std::vector<float>{10, 11, 5, 6}));
    EXPECT_EQ(At(level_, 0, 1), 1.5f);
    EXPECT_EQ(At(level_, 0, 0), -1.0f);   // spare column
    EXPECT_EQ(At(v_, 1, 2), 0.2f);
    EXPECT_EQ(At(transported_, 1, 1), 31.0f);   // salinity, layer 2
    EXPECT_EQ(At(transported_, 4, 2), 5.0f);    // constituent 1, layer 1
    EXPECT_EQ(Name(0) + Name(1) + Name(2),
              bndfix::Field("Salinity", 20) + bndfix::Field("Temperature", 20) + bndfix::Field("Tracer", 20));
    EXPECT_EQ(Name(3), std::string(20, ' '));
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(InitialConditions, ListsLongerThanTheLayersAreCut)
{
    // 150 values for U0 on a keyword record and its continuation records.
    std::vector<std::string> records = {"Restid = # #", "Filic  = # #", "Zeta0  = 0"};
    std::string line = "U0     =";
    for (int i = 1; i <= 150; ++i) {
        if (line.size() > 70) {
            records.push_back(line);
            line = "        ";
        }
        line += " " + std::to_string(i);
    }
    records.push_back(line);
    for (const char *r : {"V0     = 1", "S0     = 1", "T0     = 1"})
        records.push_back(r);
    Open(records);
    Read(false, 0, 100);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(u0_[99], 100.0f);
    EXPECT_EQ(v0_[1], 2.0f);   // from the work buffer
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(InitialConditions, AFailedConstituentKeepsTheOthersInTheirSlots)
{
    Open({"Restid = # #", "Filic  = # #", "Zeta0  = 0", "U0     = 0", "V0     = 0", "S0     = x", "T0     = 7",
          "C01    = [1]", "C02    = 8 9", "Namc1  = #A#", "Namc2  = #B#"});
    Read(true, 2);
    EXPECT_NE(error_, 0);   // S0 fails the read in strict mode; C01 does not
    EXPECT_EQ(s0_[0], -1.0f);
    EXPECT_EQ(c0_[0], -1.0f);
    EXPECT_EQ(c0_[100], 8.0f);
    EXPECT_EQ(At(transported_, 0, 1), -1.0f);   // salinity: nothing stored
    EXPECT_EQ(At(transported_, 2, 1), 7.0f);    // temperature in its own slot
    EXPECT_EQ(At(transported_, 4, 1), -1.0f);   // constituent 1: nothing stored
    EXPECT_EQ(At(transported_, 6, 1), 8.0f);    // constituent 2 in its own slot
    EXPECT_EQ(At(transported_, 7, 1), 9.0f);
    EXPECT_EQ(Diag(), (Lines{"U036 S0", "U036 C01"}));
}

TEST_F(InitialConditions, NamesOfTheQuantities)
{
    Open({"Restid = # #", "Filic  = #ic.dat#", "Namc1  = #Salinity#", "Namc3  = #  #"});
    Read(false, 3, kK, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(std::string(fmtic_, 2), "FR");
    EXPECT_EQ(Name(5), bndfix::Field("Turbulent energy", 20));
    EXPECT_EQ(Name(6), bndfix::Field("Energy dissipation", 20));
    EXPECT_EQ(Diag(), (Lines{"U100 Fmtic", "U100 Namc2", "V015 ", "V015 ", "U160 Salinity", "U160 "}));
}

TEST_F(InitialConditions, RestartStart)
{
    // The restart applies, Filic is not read; the identifier is compared in
    // lower case.
    Open({"Restid = #ABC#", "Filic  = #ic.dat#", "Namc1  = #A#"});
    Read(true, 1);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(std::string(restid_, 3), "abc");
    EXPECT_EQ(Diag(), Lines{"V005 "});

    Open({"Restid = #Old#", "Namc1  = #A#"});
    Read(false, 1);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(std::string(restid_, 3), "old");
    EXPECT_EQ(Diag(), Lines{});   // lenient: the restart file is not looked at
    Open({"Restid = #Old#", "Namc1  = #A#"});
    Read(true, 1);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"G004 vto-rst.old"});
}

TEST_F(InitialConditions, FormatOfTheConditionsFile)
{
    for (const char *format : {"UNFORMATTED", "unformatted"}) {
        SCOPED_TRACE(format);
        Open({"Restid = # #", "Filic  = #ic.dat#", std::string("Fmtic  = #") + format + "#", "Namc1  = #A#"});
        Read(false, 1);
        EXPECT_EQ(std::string(fmtic_, 2), format[0] == 'U' ? "UN" : "FR");
        EXPECT_EQ(Diag(), format[0] == 'U' ? Lines{} : Lines{"U036 Fmtic"});
    }
}

// Records of 2 x 1 values: the field files called directly.
class FieldFiles : public InitialConditions {
protected:
    static RecordBytes Plane(float a, float b) { return RecordBytes().Real(a).Real(b); }
    void Restart(int32_t turbulence)
    {
        OpenDiag();
        const int32_t mmax = kM, row = kRow, nmax = kN, kmax = kK, lstsci = 1;
        READ_RESTART_FILE(&kDiag, &error_, "run", 3, &indicator_, &mmax, &row, &nmax, &kmax, &lstsci, &turbulence,
                          level_, u_, v_, transported_, turbulence_);
    }
};

TEST_F(FieldFiles, RestartFile)
{
    // Level, u per layer, v per layer, one quantity per layer: 7 records.
    std::vector<RecordBytes> flow;
    for (int i = 0; i < 7; ++i)
        flow.push_back(Plane(static_cast<float>(i), static_cast<float>(10 + i)));
    struct Case {
        const char *label;
        size_t records;          // of the flow records
        int turbulence_records;  // written after them
        int32_t turbulence;
        bool error;
        int32_t indicator;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"no turbulence", 7, 0, 0, false, 9, {}},
        {"both turbulence quantities", 7, 6, 2, false, 0, {}},
        {"ends before the turbulence", 7, 0, 2, false, 2, {}},
        {"ends inside the second quantity", 7, 4, 2, false, -2, {}},
        {"ends inside the flow", 5, 0, 0, true, 9, {"G006 vto-rst.run"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<RecordBytes> records(flow.begin(), flow.begin() + static_cast<long>(c.records));
        for (int i = 0; i < c.turbulence_records; ++i)
            records.push_back(Plane(100.0f + i, 200.0f + i));
        ASSERT_EQ(recio::WriteRecordFile("vto-rst.run", recio::Form::kUnformatted, records), recio::kOk);
        indicator_ = 9;
        Restart(c.turbulence);
        EXPECT_EQ(error_ != 0, c.error);
        EXPECT_EQ(indicator_, c.indicator);
        EXPECT_EQ(Diag(), c.diag);
    }
    // Row by row into (n, m): m = 1 and 2 of the one row.
    EXPECT_EQ(At(level_, 0, 1), 0.0f);
    EXPECT_EQ(At(level_, 0, 2), 10.0f);
    EXPECT_EQ(At(v_, 1, 2), 14.0f);
    EXPECT_EQ(At(transported_, 1, 1), 6.0f);

    // The turbulence planes run over the interfaces 0..kmax.
    std::vector<RecordBytes> records = flow;
    for (int i = 0; i < 6; ++i)
        records.push_back(Plane(100.0f + i, 200.0f + i));
    ASSERT_EQ(recio::WriteRecordFile("vto-rst.run", recio::Form::kUnformatted, records), recio::kOk);
    Restart(2);
    EXPECT_EQ(At(turbulence_, 3, 2), 203.0f);   // quantity 2, interface 0
    EXPECT_EQ(At(turbulence_, 6, 1), -1.0f);    // nothing past the last interface of quantity 2
}

TEST_F(FieldFiles, InitialConditionFile)
{
    flowfix::WriteText("ic.txt", "1 2\n3\n4\n5 6\n7 8\n9 10 11 12\n13 14\n15 16\n");
    OpenDiag();
    const int32_t mmax = kM, row = kRow, nmax = kN, kmax = kK, lstsci = 1;
    READ_INITIAL_CONDITION_FILE(&kDiag, &error_, "ic.txt      ", 12, "formatted  ", 11, &mmax, &row, &nmax, &kmax, &lstsci,
                                level_, u_, v_, transported_);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(At(u_, 0, 2), 4.0f);   // a read may span lines
    EXPECT_EQ(At(v_, 1, 1), 9.0f);   // what is left of a line is not used
    EXPECT_EQ(At(transported_, 1, 2), 16.0f);

    flowfix::WriteText("ic.txt", "1 2\n3 x\n");
    OpenDiag();
    READ_INITIAL_CONDITION_FILE(&kDiag, &error_, "ic.txt      ", 12, "formatted  ", 11, &mmax, &row, &nmax, &kmax, &lstsci,
                                level_, u_, v_, transported_);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"G007 ic.txt"});
}

}  // namespace
