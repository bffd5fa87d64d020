// The viscosity section (eddy file pair or uniform values, the vertical
// values of a model with layers, the arrays in strict mode), the attached
// eddy file read directly, and the numerical parameters.

#include "process_sections.h"
#include "boundary_fixture.h"
#include "definition_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;

class Viscosity : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    // Arrays (lead 2, -1 .. mmax + 2, 1 .. kdim + 1) of a 2 x 2 grid with
    // two layers, filled with -7.
    static constexpr int32_t kM = 2, kN = 2, kLead = 2, kLayers = 2;
    static constexpr size_t kSize = kLead * (kM + 4) * (kLayers + 1);

    void Read(int32_t strict, int32_t layers, int32_t transported = 1)
    {
        READ_VISCOSITY(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, filedy_, 12, fmtedy_, 2,
                       tkemod_, 12, &vicouv_, &dicouv_, &vicoww_, &dicoww_, &kM, &kLead, &kN, &kLayers, &layers,
                       &transported, visc_.data(), diff_.data());
    }
    static float At(const std::vector<float> &a, int32_t k, int32_t n, int32_t m)
    {
        return a[(n - 1) + kLead * ((m + 1) + (kM + 4) * (k - 1))];
    }

    char filedy_[12] = {}, fmtedy_[2] = {'?', '?'}, tkemod_[12] = {};
    float vicouv_ = 1, dicouv_ = 2, vicoww_ = 3, dicoww_ = 4;
    std::vector<float> visc_ = std::vector<float>(kSize, -7.0f), diff_ = std::vector<float>(kSize, -7.0f);
};

TEST_F(Viscosity, UniformValuesWithoutAFile)
{
    Open({"Vicouv = 10", "Dicouv = [x]", "Vicoww = 0.1", "Dicoww = 0.2", "Tkemod = #K-L#"});
    Read(kLenient, 2);
    EXPECT_EQ(vicouv_, 10.0f);
    EXPECT_EQ(dicouv_, 2.0f);   // bracket: the value stays
    EXPECT_EQ(vicoww_, 0.1f);
    EXPECT_EQ(dicoww_, 0.2f);
    EXPECT_EQ(std::string(tkemod_, 3), std::string(3, '\0'));   // read in strict mode only
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Diag(), Lines{"U100 Filedy"});
}

TEST_F(Viscosity, OneLayerReadsNoVerticalValuesAndNoVicowwNoDicoww)
{
    Open({"Filedy = # #", "Vicoww = 0.1", "Dicoww = 0.2"});
    Read(kLenient, 1);
    EXPECT_EQ(vicoww_, 3.0f);
    Open({"Filedy = # #", "Dicoww = 0.2"});
    Read(kLenient, 2);
    EXPECT_EQ(dicoww_, 4.0f);   // no Vicoww record: Dicoww is not read
    EXPECT_EQ(Diag(), (Lines{"U100 Vicouv", "U100 Dicouv"}));
}

TEST_F(Viscosity, AFileReplacesTheUniformValues)
{
    Open({"Filedy = #eddy.edy#", "Fmtedy = #UNformatted#", "Vicouv = 10", "Dicouv = 20"});
    Read(kLenient, 2);
    EXPECT_EQ(std::string(filedy_, 12), bndfix::Field("eddy.edy", 12));
    EXPECT_EQ(std::string(fmtedy_, 2), "UN");
    EXPECT_EQ(vicouv_, 1.0f);
    EXPECT_EQ(dicouv_, 2.0f);
    EXPECT_EQ(error_, 0);   // lenient: the file is not opened
}

// Strict mode: the background layer from the uniform values, copied into
// every layer, inside the grid only; and Tkemod read.
TEST_F(Viscosity, StrictFillsEveryLayerFromTheBackground)
{
    Open({"Filedy = # #", "Vicouv = 10", "Dicouv = 20", "Tkemod = #K-epsilon#"});
    Read(kStrict, 2);
    for (int32_t k = 1; k <= kLayers + 1; ++k)
        for (int32_t n = 1; n <= kN; ++n) {
            for (int32_t m = 1; m <= kM; ++m) {
                EXPECT_EQ(At(visc_, k, n, m), 10.0f);
                EXPECT_EQ(At(diff_, k, n, m), 20.0f);
            }
            EXPECT_EQ(At(visc_, k, n, 0), -7.0f);
            EXPECT_EQ(At(visc_, k, n, kM + 2), -7.0f);
        }
    EXPECT_EQ(std::string(tkemod_, 12), bndfix::Field("K-epsilon", 12));
}

TEST_F(Viscosity, StrictEddyFileAndItsFailures)
{
    flowfix::WriteText("eddy.edy", "1 2\n3 4\n5 6\n7 8\n");
    Open({"Filedy = #eddy.edy#", "Fmtedy = #FR#"});
    Read(kStrict, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(At(visc_, 3, 2, 1), 3.0f);
    EXPECT_EQ(At(visc_, 1, 2, 2), 4.0f);
    EXPECT_EQ(At(diff_, 2, 1, 2), 6.0f);

    // Without transported quantities the diffusivity is not read.
    flowfix::WriteText("eddy.edy", "1 2\n3 4\n");
    Open({"Filedy = #eddy.edy#", "Fmtedy = #FR#"});
    Read(kStrict, 2, 0);
    EXPECT_EQ(error_, 0);

    Open({"Filedy = #eddy.edy#", "Fmtedy = #FR#"});
    Read(kStrict, 2, 1);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"G006 eddy.edy"});

    // Read directly: unformatted rows, a bad word, a missing file.
    ASSERT_EQ(recio::WriteRecordFile("e.unf", recio::Form::kUnformatted,
                                     {recio::RecordBytes().Reals({1, 2}), recio::RecordBytes().Reals({3, 4})}),
              recio::kOk);
    OpenDiag();
    const int32_t none = 0;
    READ_EDDY_FILE(&kDiag, &error_, "e.unf", 5, "unformatted", 11, &kLead, &kM, &kN, &kLayers, &none, visc_.data(),
                   diff_.data());
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(At(visc_, 3, 2, 2), 4.0f);
    flowfix::WriteText("e.txt", "1 2\n3 [4]\n");
    OpenDiag();
    READ_EDDY_FILE(&kDiag, &error_, "e.txt", 5, "formatted", 9, &kLead, &kM, &kN, &kLayers, &none, visc_.data(),
                   diff_.data());
    EXPECT_NE(error_, 0);
    OpenDiag();
    READ_EDDY_FILE(&kDiag, &error_, "none.edy", 8, "formatted", 9, &kLead, &kM, &kN, &kLayers, &none, visc_.data(),
                   diff_.data());
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"G004 none.edy"});
}

class Numerical : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    void Read(int32_t ktemp, int32_t wind)
    {
        READ_NUMERICAL_PARAMETERS(&kDef, &kDiag, &record_number_, record_, 80, &work_, &iter_, dryflp_, 4, &dryflc_,
                                  &ktemp, &temint_, 1, &wind, &wndint_, 1, &wnsvwp_, 1);
    }
    float work_ = 0, dryflc_ = 0.5f;
    int32_t iter_ = 2;
    char dryflp_[4] = {'Y', 'E', 'S', ' '}, temint_ = '?', wndint_ = '?', wnsvwp_ = '?';
};

TEST_F(Numerical, ValuesAndAnswers)
{
    Open({"Iter   = 4", "Dryflp = #MAX#", "Dryflc = 0.1", "Temint = #n#", "Wndint = #x#", "Wnsvwp = #y#"});
    Read(1, -1);
    EXPECT_EQ(work_, 1.0e-6f);
    EXPECT_EQ(iter_, 4);
    EXPECT_EQ(std::string(dryflp_, 4), "MAX ");
    EXPECT_EQ(dryflc_, 0.1f);
    EXPECT_EQ(temint_, 'N');
    EXPECT_EQ(wndint_, 'Y');
    EXPECT_EQ(wnsvwp_, 'Y');
    EXPECT_TRUE(Diag().empty());
}

TEST_F(Numerical, MissingValuesKeepTheFieldsAndSwitchesSkipTheAnswers)
{
    Open({"Dummy  = 1"});
    Read(0, 0);
    EXPECT_EQ(iter_, 2);
    EXPECT_EQ(std::string(dryflp_, 4), "YES ");
    EXPECT_EQ(dryflc_, 0.5f);
    EXPECT_EQ(temint_, '?');
    EXPECT_EQ(wndint_, '?');
    EXPECT_EQ(Diag(), (Lines{"U100 Iter", "U100 Dryflp", "U100 Dryflc"}));
    Open({"Dummy  = 1"});
    Read(2, -1);
    EXPECT_EQ(temint_, 'Y');
    EXPECT_EQ(wndint_, 'Y');
    EXPECT_EQ(wnsvwp_, 'N');
}

}  // namespace
