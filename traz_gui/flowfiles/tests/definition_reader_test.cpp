// The definition reader's driver: a whole read from the run identifier to
// the closed files, its error flag, and what stays on disk.

#include "definition_fixture.h"
#include "definition_reader.h"
#include "flow_definition.h"
#include "process_sections.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

bool Has(const Lines &lines, const std::string &line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

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
    // Every section after the grid runs: its missing keywords are
    // reported, the grid's first.
    const Lines diag = deffix::Lines("md-diag.abc");
    ASSERT_FALSE(diag.empty());
    EXPECT_EQ(diag.front(), "U100 Filcco");
    EXPECT_TRUE(Has(diag, "U100 Restrt"));
}

// A read in another working folder, which holds no message file: the
// messages come from the one shipped beside the program.  A directory that
// the caller has set (here relative to that folder) is kept.
TEST_F(ReadDefinition, MessagesOfAReadInAnotherWorkingFolder)
{
    namespace fs = std::filesystem;
    struct BackHome {
        fs::path home = fs::current_path();
        ~BackHome()
        {
            fs::current_path(home);
            SET_MESSAGE_DIRECTORY(" ", 1);
        }
    } back;
    fs::create_directories("elsewhere");
    fs::remove("elsewhere/errfil");
    fs::current_path("elsewhere");
    deffix::WriteDefinition("md-file.x", {"Ident  = #VANTOLA.UI    .02.03.930601#", "Runid  = #x#"});

    int32_t error = 0;
    READ_FLOW_DEFINITION("x", 1, &error, "", 0);
    EXPECT_TRUE(Has(deffix::Lines("md-diag.x"), "Keyword not found: Filcco"));

    // The test's own message file, one folder up.
    SET_MESSAGE_DIRECTORY("../", 3);
    READ_FLOW_DEFINITION("x", 1, &error, "", 0);
    EXPECT_TRUE(Has(deffix::Lines("md-diag.x"), "U100 Filcco"));
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
    EXPECT_EQ(deffix::Lines("md-diag.x").front(), "U100 Ident");
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
    EXPECT_FALSE(Has(deffix::Lines("md-diag.abc"), "U113 zz"));
}


// ---------------------------------------------------------------- guards and stops

// A definition of a 3 x 3 grid with one layer, built from its parts.
struct Parts {
    std::string sub1 = " ", sub2 = " ";
    std::vector<std::string> extra;
};

std::vector<std::string> Definition(const Parts &parts)
{
    std::vector<std::string> r = {"Ident  = #VANTOLA.UI    .02.03.930601#", "Runid  = #abc#",
                                  "Sub1   = #" + parts.sub1 + "#", "Sub2   = #" + parts.sub2 + "#",
                                  "MNKmax = 3 3 1", "Filcco = # #", "Sphere = #N#", "DxDy   = 1 1", "Thick  = 100",
                                  "Anglat = 0", "Grdang = 0", "Itdate = #1993-01-01#", "Tunit  = #M#", "Dt     = 1",
                                  "Tstart = 0", "Tstop  = 10"};
    r.insert(r.end(), parts.extra.begin(), parts.extra.end());
    return r;
}

// Reads the definition in the given mode; the diagnostic lines.
Lines Read(const Parts &parts, bool strict, int32_t *error)
{
    deffix::WriteDefinition("md-file.abc", Definition(parts));
    const int32_t mode = strict ? -1 : 0;
    *error = 0;
    std::memset(FlowDefinitionGet(), 0, sizeof(FlowDefinition));
    READ_FLOW_DEFINITION_IN_MODE("abc", 3, &mode, error, "", 0);
    return deffix::Lines("md-diag.abc");
}

// Which sections run: each guarded step reports its missing file keyword.
TEST_F(ReadDefinition, GuardsDecideWhichSectionsRun)
{
    struct Case {
        const char *name;
        Parts parts;
        std::vector<std::string> run, skipped;
    };
    const std::vector<std::string> kHarmonicOpening = {"Nambnd = #a#", "Datbnd = #H#"};
    const std::vector<Case> cases = {
        {"no openings", {"S", " ", {}}, {"U100 Ag"}, {"U100 Filbnd", "U100 Tlfsmo", "U100 FilbcH", "U100 FilbcT",
                                                     "U100 FilbcC"}},
        {"harmonic opening, no constituents",
         {" ", " ", kHarmonicOpening},
         {"U100 Filbnd", "U100 Tlfsmo", "U100 FilbcH"},
         {"U100 FilbcT", "U100 FilbcC"}},
        {"series opening with salinity",
         {"S", " ", {"Nambnd = #a#", "Datbnd = #T#"}},
         {"U100 FilbcT", "U100 FilbcC"},
         {"U100 FilbcH"}},
        {"no wind, no heat model, no discharges", {"T", " ", {"Ktemp  = 0"}}, {}, {"U100 Filwnd", "U100 Filtmp",
                                                                                 "U100 Fildis"}},
        {"wind, heat model and a discharge",
         {"TW", " ", {"Ktemp  = 3", "Namdis = #d#"}},
         {"U100 Filwnd", "U100 Filtmp", "U100 Fildis"},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t error = 0;
        const Lines diag = Read(c.parts, false, &error);
        for (const std::string &line : c.run)
            EXPECT_TRUE(Has(diag, line)) << line;
        for (const std::string &line : c.skipped)
            EXPECT_FALSE(Has(diag, line)) << line;
        ExpectAllUnitsClosed();
    }
}

// The read ends at a stop only when the error flag is set there; between
// the stops every section runs.
TEST_F(ReadDefinition, StopsAfterTheStepsThatHaveThem)
{
    struct Case {
        const char *name;
        bool strict;
        Parts parts;
        std::string last_seen, never_seen;
    };
    const std::vector<Case> cases = {
        // A blank discharge name in step 8 ends the read before the depth.
        // A missing enclosure file in step 7 ends the read after step 8,
        // before the depth.
        {"after step 8", true, {" ", " ", {"Filgrd = #none.grd#", "Fmtgrd = #FR#", "Depuni = 5"}}, "G004 none.grd",
         "U100 Fildep"},
        // A missing depth (step 9) does not stop: the boundaries of step 10
        // are read, then the read ends.
        {"after step 10",
         true,
         {" ", " ", {"Nambnd = #a#", "Datbnd = #H#", "FilbcH = # #", "Omega  = 1.0"}},
         "U100 Filbnd",
         "U100 Restid"},
        // Without openings the depth's error passes unnoticed until step
        // 28: every section between runs.
        {"not before step 28", true, {" ", " ", {}}, "U100 Restrt", "no such line"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t error = 0;
        const Lines diag = Read(c.parts, c.strict, &error);
        EXPECT_NE(error, 0);
        EXPECT_TRUE(Has(diag, c.last_seen)) << ::testing::PrintToString(diag);
        EXPECT_FALSE(Has(diag, c.never_seen)) << ::testing::PrintToString(diag);
        ExpectAllUnitsClosed();
    }
}

// A boundary file with more openings than the record holds fails the read
// in either mode, and the read ends after step 10.
TEST_F(ReadDefinition, TooManyOpeningsInTheBoundaryFileStopAfterStep10)
{
    std::string text;
    for (int i = 1; i <= 101; ++i)
        text += flowfix::Field("Opening " + std::to_string(i), 20) + "Z H 1 1 1 3 0.0\n";
    flowfix::WriteText("many.bnd", text);
    int32_t error = 0;
    const Lines diag = Read({" ", " ", {"Depuni = 5", "Filbnd = #many.bnd#", "Fmtbnd = #FR#"}}, false, &error);
    EXPECT_NE(error, 0);
    EXPECT_TRUE(Has(diag, "U122 many.bnd"));
    EXPECT_FALSE(Has(diag, "U100 Restid"));
    EXPECT_EQ(FlowDefinitionGet()->open_boundary_count[0], 100);
    ExpectAllUnitsClosed();
}

// An error in step 28 or 29 ends the read before the next step.
TEST_F(ReadDefinition, StopsAfterTheUserProcessSteps)
{
    const std::string names = flowfix::Field("Decay", 20);
    const int32_t one = 1, needs[4] = {1, 1, 0, 0};
    SET_USER_PROCESS_CATALOGUE(&one, names.c_str(), 20, needs);
    const std::vector<std::string> base = {"Depuni = 5", "Restrt = #Y#", "Nprcus = 1", "Prcusr = #Decay#",
                                           "Nprinp = 1 1 0 0"};

    // Step 28 fails (a Nprcus beyond the catalogue): no Filusr is read.
    Parts parts{" ", " ", base};
    parts.extra[2] = "Nprcus = 2";
    int32_t error = 0;
    Lines diag = Read(parts, true, &error);
    EXPECT_NE(error, 0);
    EXPECT_TRUE(Has(diag, "V211  1"));
    EXPECT_FALSE(Has(diag, "U100 Filusr"));

    // Step 29 fails (a blank file name): the coefficients are not read.
    parts = Parts{" ", " ", base};
    parts.extra.push_back("Filusr = # #");
    diag = Read(parts, true, &error);
    EXPECT_NE(error, 0);
    EXPECT_TRUE(Has(diag, "V220 ")) << ::testing::PrintToString(diag);
    EXPECT_FALSE(Has(diag, "U100 Rcousr"));

    // Without an error the coefficients follow.
    parts = Parts{" ", " ", base};
    parts.extra.push_back("Filusr = #decay.dat#");
    diag = Read(parts, false, &error);
    EXPECT_TRUE(Has(diag, "U100 Rcousr"));
    EXPECT_TRUE(Has(diag, "V221 real"));

    const int32_t none = 0;
    SET_USER_PROCESS_CATALOGUE(&none, "", 0, nullptr);
    ExpectAllUnitsClosed();
}

// Strict mode keeps the scratch files written before an error and deletes
// those of the sections that close after it.
TEST_F(ReadDefinition, StrictScratchFilesAfterAnError)
{
    for (const char *name : {"TMP_abc.grd", "TMP_abc.dis", "TMP_abc.wnd"})
        std::remove(name);
    int32_t error = 0;
    Read({"W", " ",
          {"Depuni = 5", "MNgrd  = 1 1", "MNgrd  = 3 1", "MNgrd  = 3 3", "Namdis = #d#", "MNKdis = 1 1 1",
           "Fildis = # #", "Tsdis  = 0 1", "Tsdis  = 9.5 1", "Filwnd = # #", "Wnsvwp = #N#", "Tswnd  = 0 1 1",
           "Tswnd  = 10 1 1"}},
         true, &error);
    EXPECT_NE(error, 0);
    EXPECT_TRUE(recio::FileExists("TMP_abc.grd"));
    EXPECT_FALSE(recio::FileExists("TMP_abc.dis"));
    EXPECT_FALSE(recio::FileExists("TMP_abc.wnd"));
    ExpectAllUnitsClosed();
}

// The reference date's Julian day keeps the formula of the date routine:
// 2000-02-29 exists, 1900-02-29 does not.
TEST_F(ReadDefinition, LeapDaysOfTheReferenceDate)
{
    struct Case {
        const char *date;
        int32_t julian;
        bool invalid;
    };
    const Case cases[] = {{"2000-02-29", 2451604, false}, {"1900-02-29", 0, true}, {"1993-06-01", 2449140, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date);
        Parts parts;
        parts.extra = {"Itdate = #" + std::string(c.date) + "#"};
        int32_t error = 0;
        std::vector<std::string> records = Definition(parts);
        records.erase(std::find(records.begin(), records.end(), "Itdate = #1993-01-01#"));
        deffix::WriteDefinition("md-file.abc", records);
        const int32_t lenient = 0;
        READ_FLOW_DEFINITION_IN_MODE("abc", 3, &lenient, &error, "", 0);
        EXPECT_EQ(DefinitionWorkValuesGet()->julian_day, c.julian);
        EXPECT_EQ(Has(deffix::Lines("md-diag.abc"), "V007 Itdate"), c.invalid);
    }
}

}  // namespace
