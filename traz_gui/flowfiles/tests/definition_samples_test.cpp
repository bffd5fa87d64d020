// Whole definition files read by the driver, compared with their goldens:
// the record (every field), the work values, the diagnostic file written
// with the shipped message file, and in strict mode the decoded scratch
// files.  The samples and their attached files stand in tests/data/samples;
// TRAZ_UPDATE_GOLDENS=1 in the environment writes the goldens instead of
// comparing (to be checked by hand against the definition's rules before
// they are kept).  The definitions, the message file and what the reader
// writes go to the test's own directory in the build tree, wherever the
// program is started (by hand, to write the goldens, it is often started
// in the checkout).

#include "definition_dump.h"
#include "definition_reader.h"
#include "flow_definition.h"
#include "flow_fixture.h"
#include "keyword_records.h"
#include "process_sections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <sstream>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string kSamples = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/flowfiles/tests/data/samples/";

// The working directory CTest gives this test, made current before the
// first test.
class OwnDirectory : public ::testing::Environment {
public:
    void SetUp() override
    {
        const std::filesystem::path dir = std::filesystem::path(TRAZ_TEST_BINARY_DIR) / "traz_gui" / "flowfiles" /
                                          "flowfiles_definition_samples_test.run";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        std::filesystem::current_path(dir, ec);
        ASSERT_FALSE(ec) << dir.string() << ": " << ec.message();
    }
};
::testing::Environment *const kOwnDirectory = ::testing::AddGlobalTestEnvironment(new OwnDirectory);

struct Sample {
    std::string name;                 // <name>.md
    std::string run_id;
    std::vector<std::string> files;   // attached files beside it
    bool catalogue;                   // the user process catalogue knows the sample's process
};

const char *const kScratch[] = {".grd", ".dry", ".td", ".bct", ".bcc", ".dis", ".wnd", ".tem"};

std::string WorkValues(const DefinitionWorkValues &w)
{
    std::string out;
    auto line = [&](const char *name, const std::string &value) { out += std::string(name) + " " + value + "\n"; };
    using defdump::Value;
    line("grid_from_file", Value(w.grid_from_file));
    line("spherical", Value(w.spherical));
    line("enclosure_given", Value(w.enclosure_given));
    line("dry_points_present", Value(w.dry_points_present));
    line("thin_dams_present", Value(w.thin_dams_present));
    line("turbulence_count", Value(w.turbulence_count));
    line("turbulence_restart", Value(w.turbulence_restart));
    line("date_number", Value(w.date_number));
    line("julian_day", Value(w.julian_day));
    line("start_step", Value(w.start_step));
    line("stop_step", Value(w.stop_step));
    line("seconds_per_unit", Value(w.seconds_per_unit));
    line("smoothing_steps", Value(w.smoothing_steps));
    line("frequency_dimension", Value(w.frequency_dimension));
    line("secondary_flow_mode", Value(w.secondary_flow_mode));
    line("numerical_work_value", Value(w.numerical_work_value));
    std::string steps;
    for (int32_t s : w.map_print_steps)
        steps += " " + Value(s);
    line("map_print_steps", steps.substr(1));
    steps.clear();
    for (int32_t s : w.output_steps)
        steps += " " + Value(s);
    line("output_steps", steps.substr(1));
    line("latest_first_step", Value(w.latest_first_step));
    line("earliest_last_step", Value(w.earliest_last_step));
    return out;
}

// Writes the definition (the sample's text unless given), its attached
// files and the shipped message file into the working directory and reads
// it in the given mode on a zero-filled record.  The error flag.
int32_t RunSample(const Sample &sample, bool strict, const std::string &definition = "")
{
    flowfix::WriteText("errfil", flowfix::ReadText(kSamples + "../../../data/errfil"));
    FlowDefinitionState *state = FlowDefinitionStateGet();
    std::fill(state->message_directory, state->message_directory + sizeof state->message_directory, ' ');
    flowfix::WriteText("md-file." + sample.run_id,
                       definition.empty() ? flowfix::ReadText(kSamples + sample.name + ".md") : definition);
    for (const std::string &file : sample.files) {
        std::FILE *in = std::fopen((kSamples + file).c_str(), "rb");
        std::FILE *out = std::fopen(file.c_str(), "wb");
        int c;
        while (in && out && (c = std::fgetc(in)) != EOF)
            std::fputc(c, out);
        if (in)
            std::fclose(in);
        if (out)
            std::fclose(out);
    }
    for (const char *ext : kScratch)
        std::remove(("TMP_" + sample.run_id + ext).c_str());
    std::memset(FlowDefinitionGet(), 0, sizeof(FlowDefinition));
    if (sample.catalogue) {
        const std::string names = flowfix::Field("Oxygen uptake", 20);
        const int32_t count = 1, needs[4] = {1, 2, 1, 1};
        SET_USER_PROCESS_CATALOGUE(&count, names.c_str(), 20, needs);
    }
    int32_t error = 0;
    const int32_t mode = strict ? -1 : 0;
    READ_FLOW_DEFINITION_IN_MODE(sample.run_id.c_str(), static_cast<int32_t>(sample.run_id.size()), &mode, &error,
                                 "version", 7);
    const int32_t none = 0;
    SET_USER_PROCESS_CATALOGUE(&none, "", 0, nullptr);
    return error;
}

// Reads the sample in the given mode on a zero-filled record and returns
// everything the read left.
std::string ReadSample(const Sample &sample, bool strict)
{
    const int32_t error = RunSample(sample, strict);
    std::string out = "== error " + std::to_string(error) + "\n";
    out += "== record\n" + defdump::Dump(*FlowDefinitionGet());
    out += "== work values\n" + WorkValues(*DefinitionWorkValuesGet());
    int32_t count = 0, inputs[40], integers[10];
    char names[200], files[120], characters[200];
    float reals[10];
    GET_USER_PROCESS_RECORD(&count, names, 20, inputs, files, 12, reals, integers, characters, 20);
    out += "== user processes " + std::to_string(count) + "\n";
    for (int32_t i = 0; i < count; ++i)
        out += "'" + std::string(names + 20 * i, 20) + "' " + std::to_string(inputs[4 * i]) + " " +
               std::to_string(inputs[4 * i + 1]) + " " + std::to_string(inputs[4 * i + 2]) + " " +
               std::to_string(inputs[4 * i + 3]) + "\n";
    out += "files '" + std::string(files, 24) + "' reals " + defdump::Value(reals[0]) + " " +
           defdump::Value(reals[1]) + " integer " + defdump::Value(integers[0]) + " character '" +
           std::string(characters, 20) + "'\n";
    out += "== diagnostic\n" + flowfix::ReadText("md-diag." + sample.run_id);
    if (strict)
        for (const char *ext : kScratch)
            out += "== TMP_" + sample.run_id + ext + "\n" + defdump::DecodeScratch("TMP_" + sample.run_id + ext);
    for (int unit = recio::kFirstFreeUnit; unit <= recio::kLastFreeUnit; ++unit)
        if (recio::IsConnected(unit))
            out += "== unit " + std::to_string(unit) + " still connected\n";
    return out;
}

void CheckGolden(const Sample &sample, bool strict)
{
    const std::string golden = kSamples + sample.name + (strict ? ".strict.golden" : ".golden");
    const std::string text = ReadSample(sample, strict);
    if (std::getenv("TRAZ_UPDATE_GOLDENS")) {
        flowfix::WriteText(golden, text);
        return;
    }
    const std::string expected = flowfix::ReadText(golden);
    ASSERT_FALSE(expected.empty()) << golden;
    if (text == expected)
        return;
    // The first line that differs, for the report.
    size_t line = 1, at = 0;
    while (at < text.size() && at < expected.size() && text[at] == expected[at]) {
        if (text[at] == '\n')
            ++line;
        ++at;
    }
    const size_t from = text.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t efrom = expected.rfind('\n', at == 0 ? 0 : at - 1);
    FAIL() << golden << " differs at line " << line << ":\n  got      "
           << text.substr(from == std::string::npos ? 0 : from + 1, 100) << "\n  expected "
           << expected.substr(efrom == std::string::npos ? 0 : efrom + 1, 100);
}

const Sample kEstuary = {"estuary", "est", {}, true};
const Sample kAstronomic = {"astronomic", "ast", {}, false};
const Sample kAttached = {"attached",
                          "att",
                          {"att.cco", "att.grd", "att.dry", "att.thd", "att.dep", "att.bnd", "att.bch", "att.bct",
                           "att.bcc", "att.ini", "att.rgh", "att.edy", "att.dis", "att.wnd", "att.tem", "att.sta",
                           "att.crs", "att.par", "att.fou"},
                          true};
const Sample kAttachedUnformatted = {"attached_unf",
                                     "atu",
                                     {"attu.cco", "attu.grd", "attu.dry", "attu.thd", "attu.dep", "attu.bnd",
                                      "attu.bch", "attu.bct", "attu.bcc", "attu.ini", "attu.rgh", "attu.edy",
                                      "attu.dis", "attu.wnd", "attu.tem", "attu.sta", "attu.crs", "attu.par",
                                      "attu.fou"},
                                     true};

TEST(DefinitionSamples, EstuaryWithEveryGuardTrue)
{
    CheckGolden(kEstuary, false);
}

TEST(DefinitionSamples, EstuaryStrictKeepsItsScratchFiles)
{
    CheckGolden(kEstuary, true);
}

TEST(DefinitionSamples, AstronomicOpenings)
{
    CheckGolden(kAstronomic, false);
    CheckGolden(kAstronomic, true);
}

TEST(DefinitionSamples, EveryFileKeywordWithAFormattedFile)
{
    CheckGolden(kAttached, false);
    CheckGolden(kAttached, true);
}

// The other forms: unformatted files, transport conditions in the uniform
// layout, a space-varying wind.
TEST(DefinitionSamples, EveryFileKeywordWithAnUnformattedFile)
{
    CheckGolden(kAttachedUnformatted, false);
    CheckGolden(kAttachedUnformatted, true);
}

// ---------------------------------------------------------------- hostile input
// Variations of the estuary sample, read in lenient mode.  Each must give
// the finding's code, close every unit, and change no field but those of
// the section concerned (an overrun inside the record shows as a field
// that should not have changed).

std::vector<std::string> SampleLines(const Sample &sample)
{
    std::vector<std::string> lines;
    std::istringstream in(flowfix::ReadText(kSamples + sample.name + ".md"));
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &l : lines)
        text += l + "\n";
    return text;
}

// The lines with those of a keyword replaced by the given ones (at the
// place of the first).
std::vector<std::string> Replace(std::vector<std::string> lines, const std::string &keyword,
                                 const std::vector<std::string> &with)
{
    auto is_key = [&](const std::string &l) { return l.compare(0, 7, flowfix::Field(keyword, 7)) == 0; };
    auto first = std::find_if(lines.begin(), lines.end(), is_key);
    const size_t at = static_cast<size_t>(first - lines.begin());
    lines.erase(std::remove_if(lines.begin(), lines.end(), is_key), lines.end());
    lines.insert(lines.begin() + static_cast<long>(std::min(at, lines.size())), with.begin(), with.end());
    return lines;
}

// A keyword's values, several to a record, continued on records with a
// blank keyword field.
std::vector<std::string> LongList(const std::string &keyword, int count, const std::string &prefix = "")
{
    std::vector<std::string> lines = {flowfix::Field(keyword, 7) + "=" + prefix};
    for (int i = 1; i <= count; ++i) {
        if (lines.back().size() > 70)
            lines.push_back(std::string(8, ' '));
        lines.back() += " " + std::to_string(i);
    }
    return lines;
}

class Hostile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RunSample(kEstuary, false), 0);
        base_.reset(new FlowDefinition(*FlowDefinitionGet()));
    }
    // Reads the variation; the diagnostic lines and the changed fields.
    std::set<std::string> Read(const std::vector<std::string> &lines, std::vector<std::string> *diag)
    {
        RunSample(kEstuary, false, Join(lines));
        std::istringstream in(flowfix::ReadText("md-diag.est"));
        std::string line;
        diag->clear();
        while (std::getline(in, line))
            diag->push_back(line);
        for (int unit = recio::kFirstFreeUnit; unit <= recio::kLastFreeUnit; ++unit)
            EXPECT_FALSE(recio::IsConnected(unit)) << unit;
        return defdump::ChangedFields(*base_, *FlowDefinitionGet());
    }
    std::unique_ptr<FlowDefinition> base_;
};

TEST_F(Hostile, ListsBeyondTheirLimitsChangeOnlyTheirSection)
{
    struct Case {
        const char *name;
        std::vector<std::string> lines;
        std::string finding;
        std::set<std::string> may_change;
    };
    auto repeat = [](const std::string &first, const std::string &line, int n, const std::string &last = "") {
        std::vector<std::string> r;
        if (!first.empty())
            r.push_back(first);
        for (int i = 0; i < n; ++i) {
            std::string l = line;
            const size_t at = l.find('@');
            if (at != std::string::npos)
                l.replace(at, 1, std::to_string(i * 5));
            r.push_back(l);
        }
        if (!last.empty())
            r.push_back(last);
        return r;
    };
    const std::vector<std::string> sample = SampleLines(kEstuary);
    std::vector<std::string> tsbct;
    for (int i = 0; i < 101; ++i) {
        tsbct.push_back("TsbcT  = " + std::to_string(i * 5));
        tsbct.push_back("Ampab  = 100 110");
    }
    // The harmonic Ampab records come first, then the 101 times.
    std::vector<std::string> harmonic = {"Omega  = 0.0 28.984", "Ampab  = 0.1 0.1", "Ampab  = 1.2 1.1",
                                         "Phsab  = 45 50",      "Ampab  = 0.0 0.0", "Ampab  = 0.9 0.8",
                                         "Phsab  = 60 65"};
    harmonic.insert(harmonic.end(), tsbct.begin(), tsbct.end());
    const std::vector<std::string> series =
        Replace(Replace(Replace(Replace(sample, "Ampab", {}), "Phsab", {}), "TsbcT", {}), "Omega", harmonic);
    std::vector<std::string> tsdis;
    for (int i = 0; i < 51; ++i)
        for (const char *rest : {"2.5", "40"}) {
            tsdis.push_back("Tsdis  = " + std::to_string(i * 5) + " " + rest);
            tsdis.push_back("Cqs    = 1");
            tsdis.push_back("Cqt    = 1");
            tsdis.push_back("CqcN   = 1 1");
        }
    const std::vector<std::string> discharges =
        Replace(Replace(Replace(Replace(sample, "Cqs", {}), "Cqt", {}), "CqcN", {}), "Tsdis", tsdis);
    const std::vector<Case> cases = {
        {"101 enclosure points", Replace(sample, "MNgrd", repeat("", "MNgrd  = 2 2", 101)), "Too many enclosure points, ignored:   1",
         {"MNgrd", "enclosure_point_count"}},
        {"101 dry points", Replace(sample, "MNdry", repeat("", "MNdry  = 3 3 3 5", 101)), "Too many dry points, ignored:   1",
         {"MNdry", "dry_point_count"}},
        {"101 thin dams", Replace(sample, "MNtd", repeat("", "MNtd   = 4 2 4 6 #V#", 101)), "Too many thin dams, ignored:   1",
         {"MNtd", "thin_dam_types", "thin_dam_count"}},
        {"101 boundary series times", series, "Too many times of hydrodynamic boundary conditions ", {"series_times", "series_values", "series_time_count"}},
        {"101 wind times", Replace(sample, "Tswnd", repeat("", "Tswnd  = @ 1 2", 101)), "Too many wind times ",
         {"wind_times", "wind_series_1", "wind_series_2", "wind_time_count"}},
        {"101 heat times", Replace(sample, "Tstmp", repeat("", "Tstmp  = @ 1 2 3", 101)), "Too many heat model times ",
         {"heat_times", "heat_series_2", "heat_series_3", "heat_series_4", "heat_time_count"}},
        {"51 discharge levels", discharges, "Too many discharge times ",
         {"Tsdis", "discharge_series_1", "discharge_series_2", "discharge_series_3", "discharge_concentrations",
          "discharge_time_count"}},
        {"40 wind stresses", Replace(sample, "Wstres", LongList("Wstres", 40)), "", {"Wstres"}},
        {"60 map print times", Replace(sample, "Prmap", LongList("Prmap", 60, " 0")), "",
         {"Prmap", "map_print_count"}},
        {"150 initial velocities", Replace(sample, "U0", LongList("U0", 150)), "", {"U0"}},
        {"150 constituent values", Replace(sample, "C01", LongList("C01", 150)), "", {"C0"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> diag;
        const std::set<std::string> changed = Read(c.lines, &diag);
        for (const std::string &field : changed) {
            EXPECT_TRUE(c.may_change.count(field)) << field << " changed";
        }
        if (!c.finding.empty()) {
            EXPECT_NE(std::find(diag.begin(), diag.end(), c.finding), diag.end()) << ::testing::PrintToString(diag);
        }
    }
}

TEST_F(Hostile, BadValuesAreRefusedWithTheirCode)
{
    struct Case {
        std::string keyword;
        std::string line;
        std::string finding;
        std::set<std::string> may_change;
    };
    const std::vector<Case> cases = {
        {"Ag", "Ag     = abc", "Invalid value for keyword Ag", {"Ag"}},
        {"Rhow", "Rhow   = 1e39", "Invalid value for keyword Rhow", {"Rhow"}},
        {"Thick", "Thick  = 20 [30] 50", "Invalid value for keyword Thick", {"Thick"}},
        {"Iter", "Iter   = 3.5", "Invalid value for keyword Iter", {"Iter"}},
        {"Ktemp", "Ktemp  = 7", "Heat model number out of range, 0 used ", {"heat_model", "heat_times",
                                                                            "heat_series_2", "heat_series_3",
                                                                            "heat_series_4", "heat_time_count",
                                                                            "Temint", "Fclou", "Sarea", "Filtmp"}},
        {"Itdate", "Itdate = #19x3-01-01#", "Invalid date: Itdate", {"Itdate"}},
        {"Tswnd", "Tswnd  = 0 5 ]", "Invalid value for keyword Tswnd", {"wind_times", "wind_series_1",
                                                                       "wind_series_2", "wind_time_count"}},
        {"XYpar", "XYpar  = 1e30 6.25", "Invalid value for keyword XYpar", {"drogue_table_1", "XYpar", "Tpar",
                                                                           "Nampar"}},
        {"Prhis", "Prhis  = 0 5 [60", "Invalid value for keyword Prhis", {"Prhis_start", "Prhis_interval",
                                                                         "Prhis_stop"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<std::string> diag;
        const std::set<std::string> changed = Read(Replace(SampleLines(kEstuary), c.keyword, {c.line}), &diag);
        for (const std::string &field : changed) {
            EXPECT_TRUE(c.may_change.count(field)) << field << " changed";
        }
        EXPECT_NE(std::find(diag.begin(), diag.end(), c.finding), diag.end()) << ::testing::PrintToString(diag);
    }
}

// Every keyword record of the sample dropped in turn: the read goes on,
// every unit is closed, and a keyword that must stand is reported.
TEST_F(Hostile, EachKeywordDroppedInTurn)
{
    // Keywords whose absence the readers take silently: optional ones,
    // records of lists that simply get shorter, presence tests.
    const std::set<std::string> quiet = {"Runtxt", "Namc1", "Namc2", "Tkemod", "MNgrd", "MNtd", "Namdis", "Nambnd",
                                         "Tzone", "Filfou", "Irov", "Vicoww", "Dicoww", "Equili", "Temint", "Wndint",
                                         "Wnsvwp", "Prmap", "Prhis", "Nprcus", "Namst", "Namcrs", "Nampar", "Rettib",
                                         "PHhydr", "PHproc", "PHderv", "PHflux", "PMhydr", "PMproc", "SHhydr",
                                         "SHproc", "SHderv", "SHflux", "SMhydr", "SMproc", "SMderv", "Ident",
                                         "Runid", "Tswnd", "Tstmp", "Tsdis", "TsbcC", "TsbcT", "Disint", "Fildry",
                                         "Datbnd", "Rettis", "Tidfor", "Restrt"};
    const std::vector<std::string> sample = SampleLines(kEstuary);
    for (size_t i = 0; i < sample.size(); ++i) {
        const std::string keyword = sample[i].substr(0, sample[i].find(' '));
        if (keyword.empty())
            continue;   // a continuation record
        SCOPED_TRACE(sample[i]);
        std::vector<std::string> lines = sample;
        lines.erase(lines.begin() + static_cast<long>(i));
        std::vector<std::string> diag;
        Read(lines, &diag);
        if (!quiet.count(keyword)) {
            EXPECT_FALSE(diag.empty()) << "nothing reported";
        }
    }
}

}  // namespace
