// Gravity and density, and the bottom roughness: formula letters and their
// default roughness, the roughness file pair, uniform values written into
// both slices of the arrays in strict mode, the wave-current formula; and
// the attached roughness file read directly.

#include "process_sections.h"
#include "boundary_fixture.h"
#include "definition_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;

class Roughness : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    // Arrays (lead 2, -1 .. mmax + 2, 2) of a 3 x 2 grid, filled with -7.
    static constexpr int32_t kM = 3, kN = 2, kLead = 2;
    static constexpr size_t kSize = kLead * (kM + 4) * 2;

    void Read(int32_t strict, bool layers, bool waves)
    {
        const int32_t three_d = layers ? -1 : 0, wave = waves ? -1 : 0;
        READ_ROUGHNESS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, &roumet_, 1, &three_d, filrgh_,
                       12, fmtrgh_, 2, &ccofu_, &ccofv_, &wave, rouwav_, 4, &kM, &kLead, &kN, u_.data(), v_.data());
    }
    float U(int32_t slice, int32_t n, int32_t m) const { return u_[(n - 1) + kLead * ((m + 1) + (kM + 4) * slice)]; }
    float V(int32_t slice, int32_t n, int32_t m) const { return v_[(n - 1) + kLead * ((m + 1) + (kM + 4) * slice)]; }

    char roumet_ = '?', filrgh_[12] = {}, fmtrgh_[2] = {'?', '?'}, rouwav_[4] = {'?', '?', '?', '?'};
    float ccofu_ = -1, ccofv_ = -1;
    std::vector<float> u_ = std::vector<float>(kSize, -7.0f), v_ = std::vector<float>(kSize, -7.0f);
};

TEST_F(Roughness, GravityAndDensityKeepTheirValuesWhenMissingOrBracketed)
{
    Open({"Ag     = 9.81", "Rhow   = [x]"});
    float ag = 1, rhow = 1000;
    READ_GRAVITY_AND_DENSITY(&kDef, &kDiag, &record_number_, record_, 80, &ag, &rhow);
    EXPECT_EQ(ag, 9.81f);
    EXPECT_EQ(rhow, 1000.0f);
    Open({"Rhow   = abc"});
    READ_GRAVITY_AND_DENSITY(&kDef, &kDiag, &record_number_, record_, 80, &ag, &rhow);
    EXPECT_EQ(ag, 9.81f);
    EXPECT_EQ(rhow, 1000.0f);
    EXPECT_EQ(Diag(), (Lines{"U100 Ag", "U036 Rhow"}));
}

// The formula letter gives the default of Ccofu and Ccofv.
TEST_F(Roughness, FormulaLetterGivesTheDefaultRoughness)
{
    struct Case {
        std::vector<std::string> records;
        char letter;
        float u, v;
    };
    const std::vector<Case> cases = {
        {{"Filrgh = # #"}, 'C', 65.0f, 65.0f},
        {{"Roumet = #M#", "Filrgh = # #"}, 'M', 0.026f, 0.026f},
        {{"Roumet = #W#", "Filrgh = # #", "Ccofv  = 0.5"}, 'W', 0.13f, 0.5f},
        {{"Roumet = #Z#", "Filrgh = # #"}, 'Z', 0.003f, 0.003f},
        {{"Roumet = #m#", "Filrgh = # #"}, 'm', 0.0f, 0.0f},   // stored as written, no default
        {{"Roumet = #MM#", "Filrgh = # #", "Ccofu  = 40 "}, 'C', 40.0f, 65.0f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.letter);
        Open(c.records);
        Read(kLenient, true, false);
        EXPECT_EQ(roumet_, c.letter);
        EXPECT_EQ(ccofu_, c.u);
        EXPECT_EQ(ccofv_, c.v);
        EXPECT_EQ(error_, 0);
    }
}

TEST_F(Roughness, NothingGivenIsChezy65AndOnlyMessages)
{
    Open({"Dummy  = 1"});
    Read(kStrict, true, false);
    EXPECT_EQ(roumet_, 'C');
    EXPECT_EQ(ccofu_, 65.0f);
    EXPECT_EQ(ccofv_, 65.0f);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Diag(), (Lines{"U100 Roumet", "U100 Filrgh", "U100 Ccofu", "U100 Ccofv"}));
}

// Strict mode writes the uniform values into the first slice within the
// grid and copies it into the second; the spare columns stay.
TEST_F(Roughness, StrictUniformValuesFillBothSlicesWithinTheGrid)
{
    Open({"Roumet = #C#", "Filrgh = # #", "Ccofu  = 50", "Ccofv  = 55"});
    Read(kStrict, true, false);
    for (int32_t s = 0; s < 2; ++s)
        for (int32_t n = 1; n <= kN; ++n) {
            for (int32_t m = 1; m <= kM; ++m) {
                EXPECT_EQ(U(s, n, m), 50.0f);
                EXPECT_EQ(V(s, n, m), 55.0f);
            }
            for (int32_t m : {-1, 0, kM + 1, kM + 2})
                EXPECT_EQ(U(s, n, m), -7.0f);
        }
    // Lenient mode does not touch the arrays.
    u_.assign(kSize, -7.0f);
    Open({"Filrgh = # #", "Ccofu  = 50"});
    Read(kLenient, true, false);
    EXPECT_EQ(u_, std::vector<float>(kSize, -7.0f));
}

TEST_F(Roughness, FormulaZWithOneLayer)
{
    Open({"Roumet = #Z#", "Filrgh = # #"});
    Read(kLenient, false, false);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Diag()[0], "V046 ");
    Open({"Roumet = #Z#", "Filrgh = # #"});
    Read(kStrict, false, false);
    EXPECT_NE(error_, 0);
}

TEST_F(Roughness, FilePairAndItsBlankFormat)
{
    Open({"Filrgh = #rough.rgh#"});
    Read(kLenient, true, false);
    EXPECT_EQ(std::string(filrgh_, 12), bndfix::Field("rough.rgh", 12));
    EXPECT_EQ(std::string(fmtrgh_, 2), "FR");
    EXPECT_EQ(ccofu_, -1.0f);   // no uniform values with a file
    EXPECT_EQ(Diag(), (Lines{"U100 Roumet", "U100 Fmtrgh"}));

    Open({"Filrgh = #rough.rgh#", "Fmtrgh = #UN#"});
    Read(kLenient, true, false);
    EXPECT_EQ(std::string(fmtrgh_, 2), "UN");
}

TEST_F(Roughness, StrictFileFillsTheArrays)
{
    flowfix::WriteText("rough.rgh", "1 2 3\n4 5 6\n7 8 9\n10 11 12\n");
    Open({"Filrgh = #rough.rgh#", "Fmtrgh = #FR#"});
    Read(kStrict, true, false);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(U(0, 1, 1), 1.0f);
    EXPECT_EQ(U(0, 2, 3), 6.0f);
    EXPECT_EQ(V(0, 1, 2), 8.0f);
    EXPECT_EQ(V(1, 2, 3), 12.0f);   // the second slice is a copy
    EXPECT_EQ(U(1, 2, 1), 4.0f);
}

TEST_F(Roughness, WaveFormulaChecks)
{
    struct Case {
        std::string value;
        std::string stored;
        bool message;
    };
    const std::vector<Case> cases = {{"NIEL", "NIEL", false}, {"XXXX", "BIJK", true}, {"K NI", "K NI", false},
                                     {"", "BIJK", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        Open({"Filrgh = # #", "Rouwav = #" + c.value + "#"});
        Read(kStrict, true, true);
        EXPECT_EQ(std::string(rouwav_, 4), c.stored);
        const Lines diag = Diag();
        EXPECT_EQ(std::count(diag.begin(), diag.end(), "V048 "), c.message ? 1 : 0);
        EXPECT_EQ(error_, 0);
    }
    std::memcpy(rouwav_, "????", 4);
    Open({"Filrgh = # #"});
    Read(kLenient, true, false);
    EXPECT_EQ(std::string(rouwav_, 4), "????");   // without waves it is not read
}

// The attached file read directly: both directions, every failure.
TEST_F(Roughness, RoughnessFileFormsAndFailures)
{
    ASSERT_EQ(recio::WriteRecordFile("r.unf", recio::Form::kUnformatted,
                                     {recio::RecordBytes().Reals({1, 2, 3}), recio::RecordBytes().Reals({4, 5, 6}),
                                      recio::RecordBytes().Reals({7, 8, 9}), recio::RecordBytes().Reals({10, 11, 12})}),
              recio::kOk);
    OpenDiag();
    READ_ROUGHNESS_FILE(&kDiag, &error_, "r.unf       ", 12, "unformatted", 11, &kLead, &kM, &kN, u_.data(), v_.data());
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(U(0, 2, 3), 6.0f);
    EXPECT_EQ(V(0, 2, 3), 12.0f);
    EXPECT_EQ(U(0, 1, -1), -7.0f);

    struct Case {
        std::string text;
        std::string diag;
    };
    const std::vector<Case> cases = {{"1 2 3\n4 5 6\n7 8 9\n", "G006 r.txt"},
                                     {"1 2 3\n4 x 6\n", "G007 r.txt"},
                                     {"", "G006 r.txt"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        flowfix::WriteText("r.txt", c.text);
        OpenDiag();
        READ_ROUGHNESS_FILE(&kDiag, &error_, "r.txt", 5, "formatted", 9, &kLead, &kM, &kN, u_.data(), v_.data());
        EXPECT_NE(error_, 0);
        EXPECT_EQ(Diag(), Lines{c.diag});
    }
    OpenDiag();
    READ_ROUGHNESS_FILE(&kDiag, &error_, "absent.rgh", 10, "formatted", 9, &kLead, &kM, &kN, u_.data(), v_.data());
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"G004 absent.rgh"});
    for (int unit = recio::kFirstFreeUnit; unit <= recio::kLastFreeUnit; ++unit)
        EXPECT_FALSE(recio::IsConnected(unit) && unit != kDiag && unit != kDef) << unit;
}

}  // namespace
