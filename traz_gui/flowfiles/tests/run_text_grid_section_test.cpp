// The run text and grid parameter sections: the run description and its
// echo, the coordinate file pair, the rectilinear grid keywords, the layer
// thicknesses, latitude and orientation.

#include "definition_fixture.h"
#include "definition_reader.h"
#include "flow_definition.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The definition on its unit, positioned at its first record, layout from
// an '=' in column 8; the diagnostic file on its own unit.
class Section : public ::testing::Test {
protected:
    void SetUp() override { deffix::WriteMessageFile(); }
    void TearDown() override { Close(); }

    void Open(const std::vector<std::string> &records)
    {
        Close();
        std::vector<std::string> all = {"Ident  = #VANTOLA.UI    .02.03.930601#"};
        all.insert(all.end(), records.begin(), records.end());
        deffix::WriteDefinition("def.md", all);
        std::remove("diag.txt");
        ASSERT_EQ(recio::Open(kDef, "def.md", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kOld),
                  recio::kOk);
        ASSERT_EQ(recio::Open(kDiag, "diag.txt", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kUnknown),
                  recio::kOk);
        std::string first;
        recio::ReadLine(kDef, &first);
        std::memset(record_, ' ', 80);
        std::memcpy(record_, first.data(), first.size());
        record_number_ = 1;
        FlowDefinitionStateGet()->keyword_width = 7;
        FlowDefinitionStateGet()->value_start = 9;
    }
    void Close()
    {
        recio::Close(kDef);
        recio::Close(kDiag);
    }
    Lines Diag()
    {
        Close();
        return deffix::Lines("diag.txt");
    }
    void RunText(bool strict)
    {
        const int32_t s = strict ? -1 : 0;
        READ_RUN_TEXT(&kDef, &kDiag, &record_number_, record_, 80, &s, text_, 30);
    }
    void Grid(bool strict, int32_t kmax = 3)
    {
        const int32_t s = strict ? -1 : 0;
        READ_GRID_PARAMETERS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &s, &kmax, &from_file_, &dx_, &dy_,
                             file_, 12, format_, 2, thick_, &lat_, &angle_, sphere_, 1, &spherical_);
    }

    static constexpr int32_t kDef = 70, kDiag = 71;
    char record_[80] = {};
    int32_t record_number_ = 0, error_ = 0, from_file_ = 0, spherical_ = 0;
    char text_[300] = {};
    char file_[12] = {}, format_[2] = {'?', '?'}, sphere_[1] = {'?'};
    float dx_ = -1, dy_ = -1, thick_[100] = {}, lat_ = -1, angle_ = -1;
};

TEST_F(Section, NoRunTextLeavesItUntouched)
{
    std::memset(text_, 'k', sizeof text_);
    Open({"Grdang = 1"});
    RunText(true);
    EXPECT_EQ(std::string(text_, 300), std::string(300, 'k'));
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(Section, RunTextIsEchoedInStrictModeOnly)
{
    const std::vector<std::string> records = {"Grdang = 1", "Runtxt = #first line# ## #third#", "Other  = #x#"};
    const std::string pad30(30, ' ');
    Open(records);
    RunText(true);
    EXPECT_EQ(std::string(text_, 30), "first line" + std::string(20, ' '));
    EXPECT_EQ(std::string(text_ + 30, 30), pad30);
    EXPECT_EQ(std::string(text_ + 60, 30), "third" + std::string(25, ' '));
    EXPECT_EQ(std::string(text_ + 90, 210), std::string(210, ' '));
    EXPECT_EQ(Diag(), (Lines{"*** Start of User Defined Model description ", " -",
                             " -  first line" + std::string(20, ' '), " -  " + pad30,
                             " -  third" + std::string(25, ' '), " -", "*** End   of User Defined Model description ",
                             ""}));
    Open(records);
    RunText(false);
    EXPECT_EQ(std::string(text_ + 60, 5), "third");
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(Section, RunTextContinuesAndBadValuesBlankIt)
{
    Open({"Runtxt = #one#", "         #two#", "Runtxt2= #not this#"});
    RunText(false);
    EXPECT_EQ(std::string(text_, 3), "one");
    EXPECT_EQ(std::string(text_ + 30, 3), "two");
    EXPECT_EQ(std::string(text_ + 60, 30), std::string(30, ' '));

    Open({"Runtxt = #a line much longer than thirty characters#"});
    RunText(true);
    EXPECT_EQ(std::string(text_, 300), std::string(300, ' '));
    EXPECT_EQ(Diag(), Lines{"U036 Runtxt"});
}

TEST_F(Section, CoordinateFileSkipsTheRectilinearKeywords)
{
    flowfix::WriteText("grid.cco", "x\n");
    Open({"Filcco = #grid.cco#", "Fmtcco = #UN#", "Sphere = #Y#", "DxDy   = 5 6", "Thick  = 50 30 20",
          "Anglat = 52.5", "Grdang = [x]"});
    Grid(false);
    EXPECT_EQ(error_, 0);
    EXPECT_NE(from_file_, 0);
    EXPECT_EQ(std::string(format_, 2), "UN");
    EXPECT_EQ(spherical_, 0);
    EXPECT_EQ(sphere_[0], '?');
    EXPECT_EQ(dx_, -1);
    EXPECT_EQ(thick_[0], 50);
    EXPECT_EQ(thick_[2], 20);
    EXPECT_EQ(lat_, 52.5f);
    EXPECT_EQ(angle_, 0.0f);   // a bracket gives the default without a message
    EXPECT_EQ(Diag(), Lines{});
}

struct StrictCase {
    const char *name;
    std::vector<std::string> records;
    bool error;
    std::string format;
    Lines diag;
};

class StrictCoordinateFile : public Section, public ::testing::WithParamInterface<StrictCase> {};

TEST_P(StrictCoordinateFile, ErrorFlag)
{
    flowfix::WriteText("grid.cco", "x\n");
    const StrictCase &c = GetParam();
    std::vector<std::string> records = c.records;
    records.insert(records.end(), {"Thick  = 1 1 1", "Anglat = 0", "Grdang = 0"});
    Open(records);
    Grid(true);
    EXPECT_EQ(error_ != 0, c.error);
    EXPECT_EQ(std::string(format_, 2), c.format);
    EXPECT_EQ(Diag(), c.diag);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrictCoordinateFile,
    ::testing::Values(StrictCase{"Formatted", {"Filcco = #grid.cco#", "Fmtcco = #FR#"}, false, "FR", {}},
                      StrictCase{"Unformatted", {"Filcco = #grid.cco#", "Fmtcco = #UN#"}, true, "UN", {}},
                      StrictCase{"RejectedFormat", {"Filcco = #grid.cco#", "Fmtcco = #FRUN#"}, true, "FR",
                                 {"U036 Fmtcco"}},
                      StrictCase{"MissingFormat", {"Filcco = #grid.cco#"}, false, "FR", {"U100 Fmtcco"}},
                      StrictCase{"MissingFile", {"Filcco = #none.cco#", "Fmtcco = #FR#"}, true, "FR",
                                 {"G004 none.cco"}}),
    [](const ::testing::TestParamInfo<StrictCase> &info) { return std::string(info.param.name); });

struct SphereCase {
    const char *name;
    const char *value;
    char sphere;
    Lines diag;
};

class RectilinearGrid : public Section, public ::testing::WithParamInterface<SphereCase> {};

TEST_P(RectilinearGrid, SphereAndMeshSizes)
{
    const SphereCase &c = GetParam();
    Open({std::string("Sphere = #") + c.value + "#", "DxDy   = 100 200.5", "Thick  = 60 40", "Anglat = [0]",
          "Grdang = 30"});
    Grid(false, 2);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(from_file_, 0);
    EXPECT_EQ(sphere_[0], c.sphere);
    EXPECT_EQ(spherical_ != 0, c.sphere == 'Y');
    EXPECT_EQ(dx_, 100.0f);
    EXPECT_EQ(dy_, 200.5f);
    EXPECT_EQ(thick_[1], 40.0f);
    EXPECT_EQ(lat_, 0.0f);
    EXPECT_EQ(angle_, 30.0f);
    Lines diag = {"U100 Filcco"};
    diag.insert(diag.end(), c.diag.begin(), c.diag.end());
    EXPECT_EQ(Diag(), diag);
}

INSTANTIATE_TEST_SUITE_P(Cases, RectilinearGrid,
                         ::testing::Values(SphereCase{"LowerY", "y", 'Y', {}}, SphereCase{"UpperY", "Y", 'Y', {}},
                                           SphereCase{"Other", "x", 'N', {}}, SphereCase{"Blank", " ", 'N', {}},
                                           SphereCase{"TooLong", "yes", 'N', {"U036 Sphere"}}),
                         [](const ::testing::TestParamInfo<SphereCase> &info) { return std::string(info.param.name); });

TEST_F(Section, BadValuesKeepTheOldOnesAndFailOnlyInStrictMode)
{
    const std::vector<std::string> records = {"Sphere = #N#", "DxDy   = 1", "Thick  = 5 [x] 5", "Anglat = north",
                                              "Grdang = 2"};
    thick_[0] = 7;
    Open(records);
    Grid(false);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(dx_, -1);
    EXPECT_EQ(thick_[0], 7);
    EXPECT_EQ(lat_, 0.0f);
    EXPECT_EQ(Diag(), (Lines{"U100 Filcco", "U036 DxDy", "U036 Thick", "U036 Anglat"}));
    Open(records);
    Grid(true);
    EXPECT_NE(error_, 0);
}

TEST_F(Section, NoLayersReadNoThicknesses)
{
    // kmax 0 (dimensions never read): nothing is taken, however many stand.
    std::string many = "Thick  =";
    for (int i = 0; i < 30; ++i)
        many += " 1";
    std::vector<std::string> records = {"Sphere = #N#", "DxDy   = 1 1", many};
    for (int i = 0; i < 10; ++i)
        records.push_back("        " + many.substr(8));
    thick_[0] = 9;
    Open(records);
    Grid(false, 0);
    EXPECT_EQ(thick_[0], 9);
}

}  // namespace
