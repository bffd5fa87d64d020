// Opening a read: the diagnostic file, the choice of the definition file,
// the record layout from the first record, and the Ident and Runid checks.

#include "definition_fixture.h"
#include "definition_reader.h"
#include "keyword_records.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class OpenDefinition : public ::testing::Test {
protected:
    void SetUp() override
    {
        deffix::WriteMessageFile();
        for (const char *name : {"md-file.abc", "md-flow.abc", "md-file.ab", "md-flow.ab", "md-diag.abc",
                                 "md-diag.ab"})
            std::remove(name);
    }
    void TearDown() override { Close(); }

    // Runs the opening step for the identifier (3 characters).
    void Open(const std::string &id)
    {
        std::string caller = id;
        caller.resize(3, ' ');
        std::memcpy(caller_, caller.data(), 3);
        OPEN_DEFINITION_FILE(&def_unit_, &diag_unit_, &error_, &record_number_, record_, 80, caller_, 3, run_id_, 3,
                             "version", 7, ident_, 27);
    }
    void Close()
    {
        if (def_unit_ != kNoDefinitionUnit)
            recio::Close(def_unit_);
        if (diag_unit_ != 0)
            recio::Close(diag_unit_);
        def_unit_ = kNoDefinitionUnit;
        diag_unit_ = 0;
    }
    Lines Diag(const std::string &id = "abc")
    {
        Close();
        return deffix::Lines("md-diag." + id);
    }

    int32_t def_unit_ = kNoDefinitionUnit, diag_unit_ = 0, error_ = 0, record_number_ = 0;
    char record_[80] = {}, caller_[3] = {}, run_id_[3] = {}, ident_[27] = {};
};

TEST_F(OpenDefinition, PrefersMdFileAndTakesLayoutFromFirstRecord)
{
    deffix::WriteDefinition("md-file.abc", {"Ident  = #VANTOLA.UI    .03.01.950101#", "Runid  = #ABC#",
                                            "Filler = x"});
    deffix::WriteDefinition("md-flow.abc", {"Runid = #zzz#"});
    Open("abc");
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(std::string(ident_, 27), "VANTOLA.UI    .03.01.950101");
    EXPECT_EQ(std::string(run_id_, 3), "abc");
    EXPECT_EQ(FlowDefinitionStateGet()->keyword_width, 7);
    EXPECT_EQ(FlowDefinitionStateGet()->value_start, 9);
    EXPECT_EQ(record_number_, 2);   // positioned at the Runid record
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(OpenDefinition, FallsBackToMdFlowAndShortIdentifier)
{
    // Two letters and a blank: the names end after the two letters.
    deffix::WriteDefinition("md-flow.ab", {"Runid= #ab#"});
    Open("ab");
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(FlowDefinitionStateGet()->keyword_width, 5);
    EXPECT_EQ(FlowDefinitionStateGet()->value_start, 7);
    EXPECT_EQ(std::string(run_id_, 3), "ab ");
    // No Ident: U100, the default used.
    EXPECT_EQ(std::string(ident_, 27), "VANTOLA.UI    .02.03.930601");
    EXPECT_EQ(Diag("ab"), (Lines{"U100 Ident"}));
}

TEST_F(OpenDefinition, KeywordWidthFromEqualsInColumnEight)
{
    // "Runid" in columns 9.. is beyond the 7-column keyword field: not found.
    deffix::WriteDefinition("md-file.abc", {"Ident  = #VANTOLA.UI    .02.03.930601#", "        Runid #xyz#",
                                            "Runid  =#xyz#"});
    Open("abc");
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(std::string(run_id_, 3), "xyz");
    EXPECT_EQ(record_number_, 3);
    EXPECT_EQ(Diag(), (Lines{"U113 xyz"}));
}

struct FailureCase {
    const char *name;
    std::vector<std::string> records;   // empty name: no file
    bool write_file;
    Lines diag;
    bool error;
};

class OpenDefinitionFailures : public OpenDefinition, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(OpenDefinitionFailures, MessageAndErrorFlag)
{
    const FailureCase &c = GetParam();
    if (c.write_file)
        deffix::WriteDefinition("md-file.abc", c.records);
    if (c.write_file && c.records.empty())
        flowfix::WriteText("md-file.abc", "");
    Open("abc");
    EXPECT_EQ(error_ != 0, c.error);
    if (!c.write_file) {
        EXPECT_EQ(def_unit_, kNoDefinitionUnit);
    }
    EXPECT_EQ(Diag(), c.diag);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenDefinitionFailures,
    ::testing::Values(
        FailureCase{"NoFile", {}, false, {"G004 md-file/flow.abc"}, true},
        FailureCase{"EmptyFile", {}, true, {"G006 Md-file.abc"}, true},
        FailureCase{"NoEquals", {"Ident #x#"}, true, {"G007 Md-file.abc"}, true},
        FailureCase{"MajorVersionOne", {"Ident = #VANTOLA.UI    .01.03.930601#"}, true, {"U112 "}, true},
        FailureCase{"MajorVersionTwoDigits", {"Ident = #VANTOLA.UI    .11.03.930601#", "Runid = #abc#"}, true, {},
                    false},
        FailureCase{"MajorVersionNotDigits", {"Ident = #VANTOLA.UI    .x1.03.930601#", "Runid = #abc#"}, true,
                    {}, false},
        FailureCase{"UpperCaseRunidMatches", {"Ident = #VANTOLA.UI    .02.03.930601#", "Runid = #ABC#"}, true,
                    {}, false},
        FailureCase{"OtherRunid", {"Ident = #VANTOLA.UI    .02.03.930601#", "Runid = #xy#"}, true,
                    {"U113 xy"}, false},
        FailureCase{"RunidTooLong",
                    {"Ident = #VANTOLA.UI    .02.03.930601#", "Runid = #abcd#"},
                    true,
                    {"U036 Runid"},
                    false}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

TEST_F(OpenDefinition, DiagnosticFileIsMadeAnew)
{
    flowfix::WriteText("md-diag.abc", "old findings\n");
    deffix::WriteDefinition("md-file.abc", {"Ident = #VANTOLA.UI    .02.03.930601#", "Runid = #abc#"});
    Open("abc");
    EXPECT_EQ(Diag(), Lines{});
}

}  // namespace
