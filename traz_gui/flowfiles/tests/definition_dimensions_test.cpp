// The dimensions step: process letters and constituents, MNKmax limits,
// the counts from name records and from attached files, their caps, the
// harmonic frequencies and the turbulence model.

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
const char kIdent[] = "Ident  = #VANTOLA.UI    .02.03.930601#";
const char kRunid[] = "Runid  = #abc#";

class Dimensions : public ::testing::Test {
protected:
    void SetUp() override
    {
        deffix::WriteMessageFile();
        std::remove("md-diag.abc");
    }
    void TearDown() override { Close(); }

    // Opens a definition of the given records (after Ident and Runid) and
    // runs the dimensions step on it.
    void Run(const std::vector<std::string> &records, bool strict = false)
    {
        std::vector<std::string> all = {kIdent, kRunid};
        all.insert(all.end(), records.begin(), records.end());
        deffix::WriteDefinition("md-file.abc", all);
        char caller[3] = {'a', 'b', 'c'};
        char run_id[3], ident[27];
        error_ = 0;
        OPEN_DEFINITION_FILE(&def_unit_, &diag_unit_, &error_, &record_number_, record_, 80, caller, 3, run_id, 3, "",
                             0, ident, 27);
        ASSERT_EQ(error_, 0);
        const int32_t strict_mode = strict ? -1 : 0;
        READ_DEFINITION_DIMENSIONS(&def_unit_, &diag_unit_, &error_, &strict_mode, &record_number_, record_, 80,
                                   &process_);
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
    Lines Diag()
    {
        Close();
        return deffix::Lines("md-diag.abc");
    }
    static std::vector<std::string> Repeat(const std::string &keyword, int count)
    {
        std::vector<std::string> records;
        for (int i = 1; i <= count; ++i)
            records.push_back(keyword + "= #name " + std::to_string(i) + "#");
        return records;
    }

    FlowDefinition &def = *FlowDefinitionGet();
    DefinitionProcess process_ = {};
    int32_t def_unit_ = kNoDefinitionUnit, diag_unit_ = 0, error_ = 0, record_number_ = 0;
    char record_[80] = {};
};

// The common tail of a definition with no further entities.
std::vector<std::string> Plain(std::vector<std::string> records)
{
    records.push_back("MNKmax = 10 12 1");
    return records;
}

TEST_F(Dimensions, SalinityAndTemperatureWithoutNamedConstituents)
{
    Run(Plain({"Sub1   = #ST#", "Sub2   = #C#"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.constituent_count[0], 2);
    EXPECT_EQ(def.salinity_index[0], 1);
    EXPECT_EQ(def.temperature_on[0], 1);
    EXPECT_EQ(def.named_constituent_count[0], 0);
    EXPECT_EQ(def.transported_count[0], 2);
    EXPECT_EQ(std::string(def.Sub1, 4), "ST  ");
    EXPECT_EQ(std::string(def.Sub2, 3), " C ");
    EXPECT_EQ(Diag(), (Lines{"U100 Namc1", "U100 Namc2", "U100 Namc3", "U100 Namc4", "U100 Namc5"}));
}

TEST_F(Dimensions, LettersAnywhereAndNamedConstituents)
{
    Run(Plain({"Sub1   = #IWT#", "Sub2   = #WCP#", "Namc1  = #dye#", "Namc2  = #  #", "Namc3  = #tracer#",
               "Namc4  = # #", "Namc5  = ##"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(std::string(def.Sub1, 4), " TWI");
    EXPECT_EQ(std::string(def.Sub2, 3), "PCW");
    EXPECT_EQ(def.constituent_count[0], 3);
    EXPECT_EQ(def.salinity_index[0], 0);
    EXPECT_EQ(def.temperature_on[0], 1);   // index 1, kept as "on"
    EXPECT_EQ(def.named_constituent_count[0], 2);
    EXPECT_EQ(def.transported_count[0], 4);
    EXPECT_EQ(def.secondary_flow_index[0], 4);
    EXPECT_TRUE(process_.wind && process_.secondary_flow && process_.drogues && process_.constituents &&
                process_.sub2_w && process_.temperature);
    EXPECT_FALSE(process_.salinity);
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(Dimensions, GridDimensionsAreCorrectedBothWays)
{
    Run({"Sub1   = #S#", "Sub2   = # #", "MNKmax = 2 800 0"});
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.mmax[0], 3);
    EXPECT_EQ(def.nmax[0], 750);
    EXPECT_EQ(def.kmax[0], 1);
    EXPECT_FALSE(process_.three_dimensional);
    EXPECT_EQ(Diag(), (Lines{"V001 ", "U120 "}));
}

TEST_F(Dimensions, UnreadableGridDimensionsKeepTheOldValues)
{
    def.mmax[0] = 21;
    def.nmax[0] = 22;
    def.kmax[0] = 4;
    Run({"Sub1   = #S#", "Sub2   = # #", "MNKmax = 7 x 3", "Tkemod = #K-L#"});
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.mmax[0], 21);
    EXPECT_EQ(def.kmax[0], 4);
    EXPECT_TRUE(process_.three_dimensional);
    EXPECT_EQ(process_.turbulence_count, 1);
    EXPECT_EQ(process_.transported_with_turbulence, 2);
    EXPECT_EQ(Diag(), Lines{"U036 MNKmax"});
}

TEST_F(Dimensions, DischargesBeyondTheLimitAreCapped)
{
    std::vector<std::string> records = Plain({"Sub1   = # #", "Sub2   = # #"});
    for (const std::string &r : Repeat("Namdis ", 60))
        records.push_back(r);
    records.push_back("Namdis = #   #");   // blank: not counted
    Run(records);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.discharge_count[0], 50);
    EXPECT_EQ(Diag(), Lines{"U121  10"});
}

TEST_F(Dimensions, NamedEntriesFromNameRecords)
{
    std::vector<std::string> records = Plain({"Sub1   = # #", "Sub2   = #P#"});
    for (const std::string &r : Repeat("Namst  ", 205))
        records.push_back(r);
    for (const std::string &r : Repeat("Namcrs ", 53))
        records.push_back(r);
    for (const std::string &r : Repeat("Nampar ", 51))
        records.push_back(r);
    Run(records);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.station_count[0], 200);
    EXPECT_EQ(def.cross_section_count[0], 50);
    EXPECT_EQ(def.drogue_count[0], 50);
    EXPECT_EQ(Diag(), (Lines{"U125   5", "U126   3", "U127   1"}));
}

TEST_F(Dimensions, DroguesAreCountedOnlyWithTheirLetter)
{
    std::vector<std::string> records = Plain({"Sub1   = # #", "Sub2   = # #"});
    for (const std::string &r : Repeat("Nampar ", 3))
        records.push_back(r);
    def.drogue_count[0] = 9;
    Run(records);
    EXPECT_EQ(def.drogue_count[0], 0);   // every count starts at 0
}

TEST_F(Dimensions, AttachedFilesAreOnlyNamedInLenientMode)
{
    flowfix::WriteText("sta.txt", "first\nsecond\n\nafter the blank\n");
    flowfix::WriteText("fou.txt", "wl 1\nuv 2\n");
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filsta = #sta.txt#", "Fmtsta = #FR#", "Namst  = #not this#",
               "Filfou = #fou.txt#"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.station_count[0], 0);
    EXPECT_EQ(process_.fourier_count, 0);
    EXPECT_EQ(std::string(def.Filfou, 12), "fou.txt     ");
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(Dimensions, NamedFrequencyFileGivesOneFrequencyInLenientMode)
{
    // The file is not opened, so nothing is counted; a count of 0 becomes 1.
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Nambnd = #north#", "Datbnd = #H#", "FilbcH = #none.bch#",
               "FmtbcH = #FR#"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.harmonic_boundary_count[0], 1);
    EXPECT_EQ(def.frequency_count[0], 1);
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(Dimensions, AttachedFilesAreCountedInStrictMode)
{
    flowfix::WriteText("sta.txt", "first\nsecond\n\nafter the blank\n");
    recio::WriteRecordFile("crs.unf", recio::Form::kUnformatted,
                           {recio::RecordBytes().Text("one", 20), recio::RecordBytes().Text("two", 20),
                            recio::RecordBytes().Text("three", 20)});
    flowfix::WriteText("fou.txt", "wl 1\n* comment\nuv 2\nc3\n");
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filsta = #sta.txt#", "Filcrs = #crs.unf#", "Fmtcrs = #UN#",
               "Filfou = #fou.txt#"}),
        true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.station_count[0], 2);
    EXPECT_EQ(def.cross_section_count[0], 3);
    EXPECT_EQ(process_.fourier_count, 4);
    EXPECT_EQ(Diag(), Lines{});
}

TEST_F(Dimensions, StrictModeStopsAtAMissingFile)
{
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filsta = #none.txt#", "Namcrs = #x#"}), true);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(def.cross_section_count[0], 0);
    EXPECT_EQ(Diag(), Lines{"G004 none.txt"});
}

TEST_F(Dimensions, BoundaryFileWithAstronomicData)
{
    flowfix::WriteText("bnd.txt", "north               Z H\n"
                                  "south               C t\n"
                                  "west                Z A\n");
    Run(Plain({"Sub1   = #S#", "Sub2   = # #", "Filbnd = #bnd.txt#"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.open_boundary_count[0], 3);
    EXPECT_EQ(def.harmonic_boundary_count[0], 2);
    EXPECT_EQ(def.series_boundary_count[0], 1);
    EXPECT_EQ(def.boundary_label_flag[0], 'Y');
    EXPECT_EQ(Diag(), Lines{});   // the frequencies are not counted: no FilbcH asked for
}

struct BoundaryFileCase {
    const char *name;
    std::string text;
    int32_t total, harmonic, series;
    Lines diag;
};

class BoundaryFiles : public Dimensions, public ::testing::WithParamInterface<BoundaryFileCase> {};

TEST_P(BoundaryFiles, Counts)
{
    const BoundaryFileCase &c = GetParam();
    flowfix::WriteText("bnd.txt", c.text);
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filbnd = #bnd.txt#", "Omega  = 1.0"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.open_boundary_count[0], c.total);
    EXPECT_EQ(def.harmonic_boundary_count[0], c.harmonic);
    EXPECT_EQ(def.series_boundary_count[0], c.series);
    EXPECT_EQ(Diag(), c.diag);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoundaryFiles,
    ::testing::Values(
        BoundaryFileCase{"Quoted", "'north side' Z H\n'south' C T\n", 2, 1, 1, {"U100 FilbcH"}},
        BoundaryFileCase{"MissingKind", "north               Z H\nsouth               C\n", 0, 0, 0,
                         {"G007 bnd.txt"}},
        BoundaryFileCase{"LongWord", "north               Z HH\n", 0, 0, 0, {"G007 bnd.txt"}},
        BoundaryFileCase{"Empty", "", 0, 0, 0, {}}),
    [](const ::testing::TestParamInfo<BoundaryFileCase> &info) { return std::string(info.param.name); });

TEST_F(Dimensions, UnformattedBoundaryFileAndItsCap)
{
    std::vector<recio::RecordBytes> records;
    for (int i = 0; i < 103; ++i)
        records.push_back(recio::RecordBytes().Text("b" + std::to_string(i), 20).Text("Z", 1).Text(i < 2 ? "T" : "h",
                                                                                                  1));
    recio::WriteRecordFile("bnd.unf", recio::Form::kUnformatted, records);
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filbnd = #bnd.unf#", "Fmtbnd = #UN#", "Omega  = 0.5"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.open_boundary_count[0], 100);
    EXPECT_EQ(def.harmonic_boundary_count[0], 100);
    EXPECT_EQ(def.series_boundary_count[0], 0);
    EXPECT_EQ(def.frequency_count[0], 1);
    EXPECT_EQ(Diag(), (Lines{"U122 bnd.unf", "U100 FilbcH"}));
}

// A boundary file whose name fills all 12 characters is named by no text
// in the cap's message.
TEST_F(Dimensions, BoundaryCapWithATwelveCharacterFileName)
{
    std::vector<recio::RecordBytes> records;
    for (int i = 0; i < 101; ++i)
        records.push_back(recio::RecordBytes().Text("b" + std::to_string(i), 20).Text("Z", 1).Text("T", 1));
    recio::WriteRecordFile("bnd12345.unf", recio::Form::kUnformatted, records);
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filbnd = #bnd12345.unf#", "Fmtbnd = #UN#"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.open_boundary_count[0], 100);
    EXPECT_EQ(Diag(), (Lines{"U124 "}));
}

TEST_F(Dimensions, MissingBoundaryFileInLenientMode)
{
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filbnd = #nobnd.txt#"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.open_boundary_count[0], 0);
    EXPECT_EQ(Diag(), Lines{"G004 nobnd.txt"});
}

struct OmegaCase {
    const char *name;
    std::vector<std::string> records;
    int32_t frequencies;
    Lines diag;
};

class HarmonicFrequencies : public Dimensions, public ::testing::WithParamInterface<OmegaCase> {};

TEST_P(HarmonicFrequencies, FromOmega)
{
    const OmegaCase &c = GetParam();
    std::vector<std::string> records = Plain({"Sub1   = # #", "Sub2   = # #", "Nambnd = #north#", "Datbnd = #h#",
                                              "Nambnd = #south#", "Datbnd = #T#"});
    records.insert(records.end(), c.records.begin(), c.records.end());
    def.frequency_count[0] = 77;
    Run(records);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.open_boundary_count[0], 2);
    EXPECT_EQ(def.harmonic_boundary_count[0], 1);
    EXPECT_EQ(def.series_boundary_count[0], 1);
    EXPECT_EQ(def.frequency_count[0], c.frequencies);
    Lines diag = {"U100 FilbcH"};
    diag.insert(diag.end(), c.diag.begin(), c.diag.end());
    EXPECT_EQ(Diag(), diag);
}

std::vector<std::string> ManyOmegas()
{
    // 300 values over continuation records, the last positive one at 250.
    std::vector<std::string> records;
    std::string line = "Omega  =";
    for (int i = 1; i <= 300; ++i) {
        line += i == 3 || i == 250 ? " 2.5" : " 0";
        if (i % 20 == 0) {
            records.push_back(line);
            line = "        ";
        }
    }
    return records;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HarmonicFrequencies,
    ::testing::Values(OmegaCase{"TwoPositive", {"Omega  = 0.5 0.7 0 0"}, 2, {}},
                      OmegaCase{"AllZero", {"Omega  = 0 0 0"}, 1, {}},
                      OmegaCase{"Continued", {"Omega  = 0.5 [x] 0", "         0 3.0"}, 5, {}},
                      OmegaCase{"MoreThanTheTableHolds", ManyOmegas(), 3, {}},
                      OmegaCase{"Unreadable", {"Omega  = 0.5 abc"}, 0, {"U036 Omega"}},
                      OmegaCase{"Missing", {}, 0, {"U100 Omega"}}),
    [](const ::testing::TestParamInfo<OmegaCase> &info) { return std::string(info.param.name); });

TEST_F(Dimensions, MissingDatbndEndsTheBoundaryCount)
{
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Nambnd = #north#"}));
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.open_boundary_count[0], 0);
    EXPECT_EQ(Diag(), Lines{"U101 Nambnd & Datbnd"});
}

struct TurbulenceCase {
    const char *name;
    const char *mnk;
    const char *tkemod;   // null: no record
    int32_t quantities;
    std::string stored;
    Lines diag;
};

class Turbulence : public Dimensions, public ::testing::WithParamInterface<TurbulenceCase> {};

TEST_P(Turbulence, Model)
{
    const TurbulenceCase &c = GetParam();
    std::vector<std::string> records = {"Sub1   = #S#", "Sub2   = # #", c.mnk};
    if (c.tkemod)
        records.push_back(c.tkemod);
    std::memcpy(def.Tkemod, "previous    ", 12);
    Run(records);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(process_.turbulence_count, c.quantities);
    EXPECT_EQ(process_.transported_with_turbulence, c.quantities + 1);
    EXPECT_EQ(std::string(def.Tkemod, 12), c.stored);
    EXPECT_EQ(Diag(), c.diag);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Turbulence,
    ::testing::Values(TurbulenceCase{"OneLayerNotRead", "MNKmax = 5 5 1", "Tkemod = #K-epsilon#", 0, "previous    ", {}},
                      TurbulenceCase{"KEpsilon", "MNKmax = 5 5 3", "Tkemod = #K-epsilon#", 2, "K-epsilon   ", {}},
                      TurbulenceCase{"Constant", "MNKmax = 5 5 3", "Tkemod = #Constant#", 0, "Constant    ", {}},
                      TurbulenceCase{"Unknown", "MNKmax = 5 5 3", "Tkemod = #k-l#", 0, "Algebraic   ", {"V047 "}},
                      TurbulenceCase{"Missing", "MNKmax = 5 5 3", nullptr, 0, "Algebraic   ", {"U100 Tkemod"}}),
    [](const ::testing::TestParamInfo<TurbulenceCase> &info) { return std::string(info.param.name); });

TEST_F(Dimensions, StrictModeFrequencyFiles)
{
    flowfix::WriteText("bnd.txt", "north               Z H\n");
    flowfix::WriteText("bch.txt", "0.5 0.7 1.2\n3.0\n\n9 9 9\n");
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filbnd = #bnd.txt#", "FilbcH = #bch.txt#"}), true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.frequency_count[0], 4);

    recio::WriteRecordFile("bch.unf", recio::Form::kUnformatted,
                           {recio::RecordBytes().Reals({0.5f, 0.7f, 1.0f, 2.0f, 3.0f}),
                            recio::RecordBytes().Reals({1.0f})});
    Run(Plain({"Sub1   = # #", "Sub2   = # #", "Filbnd = #bnd.txt#", "FilbcH = #bch.unf#", "FmtbcH = #UN#"}),
        true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(def.frequency_count[0], 5);
}

}  // namespace
