// The definition reader's driver: a whole read from the run identifier to
// the closed files, its error flag, and what stays on disk.

#include "definition_fixture.h"
#include "definition_reader.h"
#include "flow_definition.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class ReadDefinition : public ::testing::Test {
protected:
    void SetUp() override
    {
        deffix::WriteMessageFile();
        for (const char *name : {"md-file.abc", "md-flow.abc", "md-diag.abc", "md-file.x", "md-diag.x"})
            std::remove(name);
    }
    // No unit of the allocator's range is left connected.
    static void ExpectAllUnitsClosed()
    {
        for (int unit = recio::kFirstFreeUnit; unit <= recio::kLastFreeUnit; ++unit)
            EXPECT_FALSE(recio::IsConnected(unit)) << "unit " << unit;
    }
};

TEST_F(ReadDefinition, ReadsDimensionsAndClosesBothFiles)
{
    deffix::WriteDefinition("md-file.abc", {"Ident  = #VANTOLA.UI    .02.03.930601#", "Runid  = #ABC#",
                                            "Sub1   = #S#", "Sub2   = # #", "MNKmax = 20 30 2", "Namdis = #d1#",
                                            "Namdis = #d2#", "Tkemod = #K-L#", "Runtxt = #Harbour run#",
                                            "Sphere = #y#", "DxDy   = 10 20", "Thick  = 60 40", "Anglat = 45",
                                            "Grdang = 3"});
    int32_t error = 0;
    READ_FLOW_DEFINITION("abc", 3, &error, "version text               ", 27);
    EXPECT_EQ(error, 0);
    const FlowDefinition &def = *FlowDefinitionGet();
    EXPECT_EQ(std::string(def.run_id, 3), "abc");
    EXPECT_EQ(def.mmax[0], 20);
    EXPECT_EQ(def.nmax[0], 30);
    EXPECT_EQ(def.discharge_count[0], 2);
    EXPECT_EQ(def.constituent_count[0], 1);
    EXPECT_EQ(std::string(def.Runtxt, 11), "Harbour run");
    EXPECT_EQ(def.Sphere[0], 'Y');
    EXPECT_EQ(def.dy[0], 20.0f);
    EXPECT_EQ(def.Thick[1], 40.0f);
    EXPECT_EQ(def.Anglat[0], 45.0f);
    EXPECT_EQ(def.Grdang[0], 3.0f);
    ExpectAllUnitsClosed();
    EXPECT_EQ(deffix::Lines("md-diag.abc"), Lines{"U100 Filcco"});
}

TEST_F(ReadDefinition, CallersIdentifierIsNotChanged)
{
    // The opening step lower-cases the identifier it works on; the caller's
    // text may be a constant and stays as given.
    deffix::WriteDefinition("md-flow.x", {"Runid = #X#", "Sub1  = # #", "Sub2  = # #", "MNKmax= 3 3 1", "Filcco= #g#",
                                          "Fmtcco= #FR#", "Thick = 1", "Anglat= 0", "Grdang= 0"});
    static const char kId[] = "x  ";
    int32_t error = 0;
    READ_FLOW_DEFINITION(kId, 3, &error, "", 0);
    EXPECT_EQ(std::string(kId), "x  ");
    EXPECT_EQ(error, 0);
    EXPECT_EQ(deffix::Lines("md-diag.x"), Lines{"U100 Ident"});
    ExpectAllUnitsClosed();
}

struct FailureCase {
    const char *name;
    bool write;
    std::vector<std::string> records;
    Lines diag;
};

class ReadDefinitionFailures : public ReadDefinition, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ReadDefinitionFailures, EndWithErrorFlagAndFilesClosed)
{
    const FailureCase &c = GetParam();
    if (c.write)
        deffix::WriteDefinition("md-file.abc", c.records);
    int32_t error = 0;
    READ_FLOW_DEFINITION("abc", 3, &error, "", 0);
    EXPECT_NE(error, 0);
    ExpectAllUnitsClosed();
    EXPECT_EQ(deffix::Lines("md-diag.abc"), c.diag);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadDefinitionFailures,
    ::testing::Values(FailureCase{"NoDefinitionFile", false, {}, {"G004 md-file/flow.abc"}},
                      FailureCase{"NoEquals", true, {"no layout here"}, {"G007 Md-file.abc"}},
                      FailureCase{"OldIdent", true, {"Ident = #VANTOLA.UI    .01.03.930601#"}, {"U112 "}}),

    [](const ::testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

TEST_F(ReadDefinition, SecondReadRewritesTheDiagnosticFile)
{
    deffix::WriteDefinition("md-file.abc", {"Ident = #VANTOLA.UI    .02.03.930601#", "Runid = #zz#"});
    int32_t error = 0;
    READ_FLOW_DEFINITION("abc", 3, &error, "", 0);
    const Lines first = deffix::Lines("md-diag.abc");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front(), "U113 zz");

    deffix::WriteDefinition("md-file.abc", {"Ident = #VANTOLA.UI    .02.03.930601#", "Runid = #abc#",
                                            "Sub1  = # #", "Sub2  = # #", "MNKmax= 3 3 1", "Filcco= #g#",
                                            "Fmtcco= #FR#", "Thick = 1", "Anglat= 0", "Grdang= 0"});
    READ_FLOW_DEFINITION("abc", 3, &error, "", 0);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(deffix::Lines("md-diag.abc"), Lines{});
}

}  // namespace
