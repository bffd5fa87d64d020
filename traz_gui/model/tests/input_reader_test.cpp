// Tests of the model input file reader: one real fixture per old version
// converted to the current version (data/old, each golden checked by hand),
// the writer's golden files read back and written again, failures that must
// leave the directory and the work file as they were, the values the reader
// must refuse, the work file itself, File Open and the older list files.
#include "input_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../../gridfiles/tests/grid_fixture.h"
#include "editor_default_tables.h"
#include "editor_services.h"
#include "fakes.h"
#include "ge_list.h"
#include "input_writer.h"
#include "saved_numbers.h"
#include "scenario.h"
#include "xyseries.h"

namespace fs = std::filesystem;

namespace {

const std::string kSourceData = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/model/tests/data/";

// Copies the files of a directory tree into an existing directory (a
// recursive fs::copy into an existing directory fails with MinGW).
void CopyTree(const fs::path &from, const fs::path &to)
{
    for (const auto &entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory())
            fs::create_directories(target);
        else
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
    }
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WithoutCr(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

void WriteFile(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string Slashed(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// The lines a reader sees: comments, blanks and empty lines dropped.
std::string Content(const std::string &text)
{
    std::istringstream in(WithoutCr(text));
    std::string line, out;
    while (std::getline(in, line)) {
        bool quoted = false;
        size_t end = 0;
        for (; end < line.size(); ++end) {
            if (line[end] == '\'')
                quoted = !quoted;
            else if (line[end] == ';' && !quoted)
                break;
        }
        line = line.substr(0, end);
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
        out += line + "\n";
    }
    return out;
}

// Replaces the first occurrence of from (which must be there) by to.
std::string Replaced(std::string text, const std::string &from, const std::string &to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "not found: " << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

#ifdef __linux__
int OpenDescriptors()
{
    int n = 0;
    for (const auto &entry : fs::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++n;
    }
    return n;
}
#endif

Substance *SubstanceAt(int i)
{
    Substance *s = nullptr;
    GE_ListGet(g_scenario.substances, i, &s);
    return s;
}

Location *LocationAt(GE_List *list, int i)
{
    Location *l = nullptr;
    GE_ListGet(list, i, &l);
    return l;
}

std::vector<float> Row(XYSeries *table, int row, double *time = nullptr)
{
    std::vector<float> values(static_cast<size_t>(GetXYSeriesInfo(table, XYS_INFO_SERIES)));
    const int previous = SelectXYSeries(table, XYS_ALL);
    double t = 0.0;
    EXPECT_EQ(EvaluateXYSeries(table, XYS_ROW, row, &t, values.data(), nullptr), XYS_OK);
    SelectXYSeries(table, previous);
    if (time)
        *time = t;
    return values;
}

int Rows(XYSeries *table)
{
    return table ? GetXYSeriesInfo(table, XYS_INFO_ROWS) : -1;
}

// Every test works in its own copy of the fixtures; the scenario and the
// editor start as after the program's start, and the editor makes its
// default tables when the writer asks for them.
class ReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        fakes::Reset();
        fakes::SetModelKindSource([] { return static_cast<int>(g_scenario.modelKind); });
        fakes::SetCreateDefaultTablesHook(EditorDefaultTables);
        cwd_ = fs::current_path();
        const testing::TestInfo *info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir_ = Slashed(fs::absolute(fs::path(TRAZ_TEST_BINARY_DIR) / "input_reader_test" / name).string());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        CopyTree(kSourceData + "old", dir_);
        MainWindow = fakes::CreateTestWindow(RUV_RECT{0, 0, 600, 800});
        SetScenarioDefaults(&g_startup, &g_scenario);
        fakes::SetProjectDirectory(dir_);
        fakes::ClearRecord();
        fakes::ClearCalls();
    }

    void TearDown() override
    {
        EXPECT_EQ(fs::current_path(), cwd_) << "current directory restored";
        FreeGrid();
        fs::current_path(cwd_);
    }

    // The defaults forget the grid arrays without freeing them.
    static void FreeGrid()
    {
        GE_Free(g_scenario.activeGrid);
        GE_Free(g_scenario.x);
        GE_Free(g_scenario.y);
        GE_Free(g_scenario.segmentDepths);
        g_scenario.activeGrid = nullptr;
        g_scenario.x = g_scenario.y = g_scenario.segmentDepths = nullptr;
    }

    void UseFile(const std::string &name)
    {
        std::snprintf(g_scenario.scenarioFile.dir.path, sizeof g_scenario.scenarioFile.dir.path, "%s", dir_.c_str());
        std::snprintf(g_scenario.scenarioFile.name, sizeof g_scenario.scenarioFile.name, "%s", name.c_str());
    }

    // Reset and read name from the test's directory.
    int32_t Read(const std::string &name, int16_t *obsolete = nullptr)
    {
        FreeGrid();
        ResetScenario(&g_scenario);
        fakes::ClearRecord();
        fakes::ClearCalls();
        UseFile(name);
        int16_t flag = -1;
        const int32_t result = ReadInputFile(&flag);
        if (obsolete)
            *obsolete = flag;
        return result;
    }

    int32_t ReadText(const std::string &text, int16_t *obsolete = nullptr)
    {
        WriteFile(dir_ + "/case.inp", text);
        return Read("case.inp", obsolete);
    }

    // Writes the scenario as name (.mdp) and returns the input file written.
    std::string Write(const std::string &name)
    {
        UseFile(name + ".mdp");
        StartupRecord startup = g_startup;
        startup.mode = STARTUP_STAND_ALONE;
        EXPECT_EQ(WriteInputFile(&g_scenario, &startup), WRITE_OK);
        return WithoutCr(ReadFile(dir_ + "/" + name + ".inp"));
    }

    std::string Golden(const std::string &relative) { return WithoutCr(ReadFile(kSourceData + relative)); }

    std::vector<std::string> Errors() { return fakes::Texts("error"); }

    fs::path cwd_;
    std::string dir_;
};

// --- Every old version, converted -------------------------------------------

struct OldVersion {
    const char *fixture;
    const char *version;
    int modelKind;
    int layers;
};

const OldVersion kOldVersions[] = {
    {"v360_tracer", "V3.60.00", MODEL_TRACER, 1},    // the tag "LUPREN_VERSION_3.60"
    {"v360_oil", "V3.60.00", MODEL_OIL, 2},
    {"v362_tracer", "V3.62.00", MODEL_TRACER, 3},
    {"v362_oil", "V3.62.00", MODEL_OIL, 2},
    {"v363_tracer", "V3.63.00", MODEL_TRACER, 1},
    {"v363_oil", "V3.63.00", MODEL_OIL, 1},
    {"v364_tracer", "V3.64.00", MODEL_TRACER, 1},
    {"v364_tracer_layers", "V3.64.00", MODEL_TRACER, 3},
    {"v364_oil", "V3.64.00", MODEL_OIL, 2},
};

class OldVersionTest : public ReaderTest, public testing::WithParamInterface<OldVersion> {};

TEST_P(OldVersionTest, ConvertsToTheGoldenCurrentFileAndReadsItBack)
{
    const OldVersion &v = GetParam();
    int16_t obsolete = 0;
    ASSERT_EQ(Read(std::string(v.fixture) + ".inp", &obsolete), READ_OK) << testing::PrintToString(Errors());
    EXPECT_EQ(obsolete, 1);
    EXPECT_STREQ(g_scenario.version, v.version);
    EXPECT_EQ(g_scenario.modelKind, v.modelKind);
    EXPECT_EQ(g_scenario.hydLayers, v.layers);
    EXPECT_TRUE(Errors().empty()) << testing::PrintToString(Errors());

    const std::string converted = Write(std::string(v.fixture) + "_new");
    EXPECT_EQ(converted, Golden("old/converted/" + std::string(v.fixture) + ".inp"));

    // The converted file is current: it reads without conversion and
    // writes the same content again, each number within the precision it
    // was written with.  Where the first save asked the editor for default
    // tables, the settling dimension gets its heading from the second save
    // on; from there the bytes are a fixed point.
    ASSERT_EQ(Read(std::string(v.fixture) + "_new.inp", &obsolete), READ_OK);
    EXPECT_EQ(obsolete, 0);
    const std::string again = Write(std::string(v.fixture) + "_again");
    EXPECT_EQ(savedfile::Differences(Content(converted), Content(again)), "");
    ASSERT_EQ(Read(std::string(v.fixture) + "_again.inp", &obsolete), READ_OK);
    EXPECT_EQ(Write(std::string(v.fixture) + "_third"), again);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, OldVersionTest, testing::ValuesIn(kOldVersions),
                         [](const testing::TestParamInfo<OldVersion> &info) { return info.param.fixture; });

TEST_F(ReaderTest, Version360TracerLayout)
{
    ASSERT_EQ(Read("v360_tracer.inp"), READ_OK);
    // The old tag is known although it is longer than a version.
    EXPECT_STREQ(g_scenario.version, "V3.60.00");
    EXPECT_EQ(g_scenario.processParameters->physical->waterDensity, 1024.0f);   // four physical values
    EXPECT_EQ(g_scenario.processParameters->physical->windDrag, 2.5f);
    EXPECT_EQ(Rows(g_scenario.processParameters->physical->wind), 3);
    EXPECT_EQ(g_startup.tableSlotFlags[2], 2);

    // Zoom cells in y came first.
    EXPECT_EQ(g_scenario.outputOptions->zoomGrid->cellsX, 60);
    EXPECT_EQ(g_scenario.outputOptions->zoomGrid->cellsY, 40);
    EXPECT_EQ(g_scenario.outputOptions->zoomGrid->xStart2, 1000.0f);
    EXPECT_EQ(fakes::Texts("message"),
              std::vector<std::string>{"Obsolete input found\nPSF method for output has been removed\n"
                                       "Consider standard output to zoom grid\nPlease check output!\n"});

    // Depth fraction, radius and share come from the line after the
    // position line, not from the position line again.
    Location *spill = LocationAt(g_scenario.instantaneousReleases, 0);
    ASSERT_NE(spill, nullptr);
    EXPECT_STREQ(spill->name, "Spill 1");
    EXPECT_STREQ(spill->releaseTime, "20190315030000");
    EXPECT_EQ(spill->layer, 1);
    EXPECT_EQ(spill->layerIndex, 0);
    EXPECT_FLOAT_EQ(spill->depth, 75.0f);
    EXPECT_EQ(spill->radius, 15.0f);
    EXPECT_EQ(spill->particleShare, 60.0f);
    EXPECT_EQ(spill->radiusOption, 0);
    EXPECT_EQ(spill->x2, 1500.0f);
    EXPECT_EQ(Row(spill->masses, 0), (std::vector<float>{100.0f, 2.5f}));
    EXPECT_STREQ(LocationAt(g_scenario.instantaneousReleases, 1)->name, "unknown name 2");

    // Continuous releases share one rate table; no interpolation before 3.63.
    ASSERT_EQ(GE_ListCount(g_scenario.continuousReleases), 2);
    Location *creek = LocationAt(g_scenario.continuousReleases, 1);
    EXPECT_EQ(creek->loadScale, 2.0f);
    EXPECT_EQ(creek->interpolation, 1);
    EXPECT_EQ(Row(creek->masses, 0), (std::vector<float>{0.0f, 30.0f}));
    ASSERT_EQ(Rows(creek->releaseRates), 3);
    double time = 0.0;
    EXPECT_EQ(Row(creek->releaseRates, 1, &time), std::vector<float>{0.2f});
    EXPECT_EQ(time, 480.0);
    EXPECT_EQ(g_scenario.releaseNameCount, 4);
    EXPECT_STREQ(g_scenario.releaseNames[3], "Creek");

    // User-defined release.
    Location *user = LocationAt(g_scenario.userDefinedReleases, 0);
    ASSERT_NE(user, nullptr);
    EXPECT_STREQ(user->name, "UD-1");
    EXPECT_STREQ(user->releaseTime, "20190315050000");
    EXPECT_STREQ(user->stopTime, "20190315060000");
    EXPECT_EQ(user->userLayer, 1);
    EXPECT_EQ(user->userWord3, 2);
    EXPECT_EQ(user->userWord4, 3);
    EXPECT_EQ(user->substanceIndex, 1);
    EXPECT_EQ(user->spare[0], -1);
    EXPECT_STREQ(user->userText, "from map file");

    // Settling tables of four values: Vmin 0 and Vmax 1000 are added.
    for (int k = 0; k < SETTLING_TABLE_COUNT; ++k)
        EXPECT_EQ(g_startup.tableSlotFlags[3 + k], 3 + k);
    EXPECT_EQ(Row(g_scenario.processParameters->settling[SETTLING_A0], 1), (std::vector<float>{0.0002f, 0.0f}));
    EXPECT_EQ(Row(g_scenario.processParameters->settling[SETTLING_VMAX], 0), (std::vector<float>{1000.0f, 1000.0f}));
    EXPECT_EQ(g_scenario.processParameters->refinementFactor, 1);
}

TEST_F(ReaderTest, UnnamedReleasesAreNumberedInTheirOwnSection)
{
    std::string text = ReadFile(dir_ + "/v360_tracer.inp");
    text = Replaced(text, "'Creek'", "''");
    ASSERT_EQ(ReadText(text), READ_OK) << testing::PrintToString(Errors());
    EXPECT_STREQ(LocationAt(g_scenario.instantaneousReleases, 1)->name, "unknown name 2");
    EXPECT_STREQ(LocationAt(g_scenario.continuousReleases, 1)->name, "unknown name 2");
    EXPECT_STREQ(g_scenario.releaseNames[3], "unknown name 2");
}

TEST_F(ReaderTest, OldOilLayouts)
{
    ASSERT_EQ(Read("v360_oil.inp"), READ_OK);
    ProcessParameters *p = g_scenario.processParameters;
    EXPECT_EQ(g_scenario.oilFractionCount, 2);
    ASSERT_EQ(GE_ListCount(g_scenario.substances), 3);
    EXPECT_EQ(GE_ListCount(p->oilFractions), 2);
    EXPECT_EQ(p->coriolisAngle, 0.0f);   // not carried before 3.62, even with two layers
    EXPECT_EQ(p->minimumOilThickness, 0.00005f);
    OilFraction *heavy = SubstanceAt(1)->oilFraction;
    ASSERT_NE(heavy, nullptr);
    EXPECT_STREQ(heavy->name, "heavy");
    EXPECT_EQ(heavy->dispersionOption, 1);
    EXPECT_EQ(heavy->stickyProbability, 0.3f);
    EXPECT_EQ(heavy->viscosity, 1500.0f);   // default: the old C0 is dropped
    EXPECT_EQ(SubstanceAt(0)->oilFraction->dispersionRate, 0.3f);
    EXPECT_EQ(SubstanceAt(2)->isOilFraction, 0);
    EXPECT_EQ(fakes::Texts("message").size(), 2u);

    // The editor's tables of the substances.
    EXPECT_STREQ(g_startup.substanceNames[2], "marker");
    EXPECT_EQ(g_startup.oilFlags[0], 1);
    EXPECT_EQ(g_startup.oilFlags[2], 0);
    EXPECT_STREQ(g_startup.concentrationUnits[0], "kg/m3");
    EXPECT_STREQ(g_startup.massUnits[0], "kg");

    // A listed release has the Fay-Hoult radius; oil is at the surface.
    Location *tanker = LocationAt(g_scenario.instantaneousReleases, 0);
    EXPECT_EQ(tanker->radiusOption, 1);
    EXPECT_EQ(tanker->layer, 1);
    EXPECT_EQ(tanker->depth, 0.0f);
    EXPECT_EQ(Row(tanker->masses, 0), (std::vector<float>{1000.0f, 500.0f, 1.0f}));
    EXPECT_EQ(LocationAt(g_scenario.instantaneousReleases, 1)->radiusOption, 0);

    ASSERT_EQ(Read("v362_oil.inp"), READ_OK);
    EXPECT_EQ(g_scenario.processParameters->coriolisAngle, 12.5f);
    EXPECT_EQ(LocationAt(g_scenario.instantaneousReleases, 2)->radiusOption, 1);
    // Settling keeps two columns an oil fraction.
    EXPECT_EQ(Row(g_scenario.processParameters->settling[SETTLING_A0], 0), (std::vector<float>{0.0f, 0.001f}));

    ASSERT_EQ(Read("v363_oil.inp"), READ_OK);   // one layer: no angle in the file
    EXPECT_EQ(g_scenario.processParameters->coriolisAngle, 0.0f);
    EXPECT_EQ(LocationAt(g_scenario.instantaneousReleases, 0)->radiusOption, 1);
    EXPECT_EQ(LocationAt(g_scenario.instantaneousReleases, 0)->depth, 0.0f);
    EXPECT_EQ(Row(g_scenario.processParameters->decayRates, 0).size(), 4u);   // output columns
}

// --- The writer's golden files read back ------------------------------------

struct WriterGolden {
    const char *name;
    int layers;
    bool firstSaveMadeDefaults;   // the golden is a first save that asked for default tables
};

const WriterGolden kWriterGoldens[] = {
    {"tracer_one_layer", 1, false}, {"tracer_three_layers", 3, true}, {"oil", 2, false},
    {"temperature_full", 1, false}, {"temperature_two_layer", 1, false}, {"red_tide", 1, false},
    {"sedimentation", 1, false},
};

class WriterGoldenTest : public ReaderTest, public testing::WithParamInterface<WriterGolden> {
protected:
    // The harbour model the goldens name: hyd/harbour.hyd over a grid of
    // the golden's layers, reference time 2019-03-15.
    void MakeHarbour(int layers)
    {
        fs::create_directories(dir_ + "/hyd");
        WriteFile(dir_ + "/hyd/harbour.hyd",
                  "reference-time          '20190315000000'\n"
                  "conversion-start-time   '20190315020000'\n"
                  "conversion-stop-time    '20190315140000'\n"
                  "conversion-timestep     '00000000001000'\n"
                  "grid-indices-file       'harbour.lga'\n"
                  "grid-coordinates-file   'harbour.cco'\n"
                  "total-grid-file         'com-harbour.lga'\n"
                  "volumes-file            'harbour.vol'\n"
                  "flows-file              'harbour.flo'\n");
        gridfix::Grid g = gridfix::SampleGrid();
        g.layers = layers;
        ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/hyd/harbour", recio::Form::kUnformatted, g), recio::kOk);
    }
};

TEST_P(WriterGoldenTest, ReadsBackAndWritesTheSameFile)
{
    const WriterGolden &w = GetParam();
    MakeHarbour(w.layers);
    const std::string golden = Golden(std::string("writer/") + w.name + ".inp");
    WriteFile(dir_ + "/" + w.name + ".inp", golden);

    int16_t obsolete = -1;
    ASSERT_EQ(Read(std::string(w.name) + ".inp", &obsolete), READ_OK) << testing::PrintToString(Errors());
    EXPECT_EQ(obsolete, 0);
    EXPECT_STREQ(g_scenario.version, "V3.66.00        ");
    EXPECT_TRUE(Errors().empty()) << testing::PrintToString(Errors());

    const std::string first = Write("again");
    EXPECT_EQ(Content(first), Content(golden));
    if (w.firstSaveMadeDefaults) {
        // The defaults the first save asked for are real tables now: the
        // settling dimension is written with its heading.
        ASSERT_EQ(Read("again.inp"), READ_OK);
        EXPECT_EQ(Write("third"), first);
    } else {
        EXPECT_EQ(first, golden);
    }
}

INSTANTIATE_TEST_SUITE_P(Goldens, WriterGoldenTest, testing::ValuesIn(kWriterGoldens),
                         [](const testing::TestParamInfo<WriterGolden> &info) { return info.param.name; });

class SaveAfterReadTest : public WriterGoldenTest {};

// A mass just over 1000 is saved in e-form at the format's precision
// ("1.000e+03"), reads back as 1000.0 and is saved in f-form: the second
// save keeps each number of the first within the precision it was written
// with, and the third equals the second.
TEST_F(SaveAfterReadTest, RoundedValuesSettleFromTheSecondSave)
{
    MakeHarbour(2);
    const std::string golden = Golden("writer/oil.inp");
    const std::string line = "    1000.000        ; light";
    ASSERT_NE(golden.find(line), std::string::npos);
    ASSERT_EQ(ReadText(Replaced(golden, line, "    1000.010        ; light")), READ_OK);
    const std::string first = Write("first");
    EXPECT_NE(first.find("   1.000e+03        ; light"), std::string::npos);
    ASSERT_EQ(Read("first.inp"), READ_OK);
    const std::string second = Write("second");
    EXPECT_EQ(second, golden);
    EXPECT_EQ(savedfile::Differences(first, second), "");
    ASSERT_EQ(Read("second.inp"), READ_OK);
    EXPECT_EQ(Write("third"), second);

    // A number that moves by more than its precision is a difference.
    EXPECT_NE(savedfile::Differences(first, Replaced(second, "    1000.000        ; light",
                                                     "    1000.600        ; light")), "");
    EXPECT_NE(savedfile::Differences("  12  'a  b'", "  12  'a b'"), "");
}

// The work file holds a line's text up to a NUL in it, and the read takes
// the same: the wind row ends with its direction, and what follows the NUL
// is neither read nor saved.
TEST_F(SaveAfterReadTest, ALineEndsAtANulInIt)
{
    MakeHarbour(2);
    const std::string golden = Golden("writer/oil.inp");
    const std::string row = "   0  2  0  0           5.000      270.000";
    ASSERT_NE(golden.find(row), std::string::npos);
    ASSERT_EQ(ReadText(Replaced(golden, row, row + std::string("\0 1 2", 5))), READ_OK)
        << testing::PrintToString(Errors());
    const std::string work = WithoutCr(ReadFile(dir_ + "/" INPUT_WORK_FILE));
    EXPECT_EQ(work.find('\0'), std::string::npos);
    EXPECT_NE(work.find("0  2  0  0           5.000      270.000\n"), std::string::npos);
    EXPECT_EQ(Write("again"), golden);
}

// The record read back is the one the writer's test built.
TEST_F(ReaderTest, WriterGoldenRecordIsRestored)
{
    fs::create_directories(dir_ + "/hyd");
    WriteFile(dir_ + "/case.inp", Golden("writer/tracer_three_layers.inp"));
    gridfix::Grid g = gridfix::SampleGrid();
    g.layers = 3;
    WriteFile(dir_ + "/hyd/harbour.hyd", "reference-time '20190315000000'\ngrid-indices-file 'harbour.lga'\n"
                                         "grid-coordinates-file 'harbour.cco'\n");
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "/hyd/harbour", recio::Form::kUnformatted, g), recio::kOk);
    ASSERT_EQ(Read("case.inp"), READ_OK);
    const ScenarioRecord &s = g_scenario;
    EXPECT_STREQ(s.titles[2], "two observation points");
    EXPECT_EQ(s.processParameters->tracks, 1);
    EXPECT_EQ(s.numericalParameters->verticalDispersionOption, 0);
    EXPECT_EQ(s.numericalParameters->scale, 0.5f);
    EXPECT_EQ(s.numericalParameters->dispersionCoefficient, 0.0015f);
    EXPECT_EQ(s.numericalParameters->particleCount, 25000);
    EXPECT_STREQ(s.timeGroups[TIME_GROUP_SIMULATION][TIME_STEP], "00000000000010");
    EXPECT_STREQ(s.timeGroups[TIME_GROUP_MAP][TIME_STEP], "00000000003000");
    EXPECT_STREQ(s.timeGroups[TIME_GROUP_HISTORY][TIME_START], "20190315020000");
    EXPECT_STREQ(s.outputReferenceDate, "20190315000000");

    Location *spill = LocationAt(s.instantaneousReleases, 0);
    EXPECT_STREQ(spill->releaseTime, "20190315030050");   // 50 s stays 50 s
    EXPECT_EQ(spill->layer, 2);
    EXPECT_EQ(spill->radius, 25.0f);
    EXPECT_EQ(spill->particleShare, 40.0f);
    EXPECT_EQ(Row(spill->masses, 0), (std::vector<float>{100.0f, 0.0005f}));

    Location *outfall = LocationAt(s.continuousReleases, 0);
    EXPECT_EQ(outfall->layer, 3);
    EXPECT_EQ(outfall->interpolation, 0);
    EXPECT_EQ(outfall->loadScale, 1.5f);
    EXPECT_EQ(Row(outfall->masses, 0), (std::vector<float>{2.5f, 1500.0f}));
    ASSERT_EQ(Rows(outfall->releaseRates), 3);
    double time = 0.0;
    EXPECT_EQ(Row(outfall->releaseRates, 1, &time), std::vector<float>{0.625f});
    EXPECT_NEAR(time, 130.0 + 50.0 / 60.0, 1e-9);

    Location *user = LocationAt(s.userDefinedReleases, 0);
    EXPECT_EQ(user->particleShare, 12.5f);
    EXPECT_EQ(user->loadScale, 2.0f);
    EXPECT_EQ(user->userLayer, 2);
    EXPECT_EQ(user->userWord4, 4);

    ASSERT_EQ(GE_ListCount(s.observationPoints), 2);
    EXPECT_STREQ(LocationAt(s.observationPoints, 1)->name, "Quay");
    EXPECT_FLOAT_EQ(LocationAt(s.observationPoints, 1)->x, 1234.57f);
    EXPECT_EQ(Rows(s.outputOptions->recovery), 2);
    EXPECT_EQ(Row(s.processParameters->decayRates, 1), (std::vector<float>{0.1f, 0.2f}));
}

// --- Failures leave the directory and the work file as they were -----------

struct Failure {
    const char *name;
    const char *file;     // relative to the test's directory; "" = the text below
    const char *edit;     // for the text: replace this line of converted/v364_tracer.inp ...
    const char *by;       // ... by this
    int32_t result;
    const char *error;    // first error text
};

const char kTemperatureModel[] = "      1      0      0      0  ; type of model";

const Failure kFailures[] = {
    {"missing_file", "no_such.inp", "", "", READ_CANNOT_OPEN, "Reading data: could not open file!"},
    {"list_without_input", "v364_tracer.mdp.bad", "", "", READ_CANNOT_OPEN, "Reading data: could not open file!"},
    {"ends_early", "truncated.inp", "", "", READ_BAD_INPUT,
     "Reading data: the input file ends too early:\nreleased mass expected"},
    {"temperature_count", "", " \n   0 ; number of model specific parameters\n",
     " \n   42\n   1 2 3 4 5 6 7 8 9 10 11\n   2\n", READ_TEMPERATURE_MISMATCH,
     "Reading data: error in line 49 of the input file:\n42 temperature parameters do not fit 2 intakes (32 expected)"},
};

class FailureTest : public ReaderTest, public testing::WithParamInterface<Failure> {};

TEST_P(FailureTest, RestoresTheDirectoryAndClosesTheWorkFile)
{
    const Failure &f = GetParam();
    WriteFile(dir_ + "/v364_tracer.mdp.bad", "15  no quotes\n");
    std::string file = f.file;
    if (file.empty()) {
        std::string text = Golden("old/converted/v364_tracer.inp");
        text = Replaced(text, kTemperatureModel, "      5      0      0      0  ; type of model");
        WriteFile(dir_ + "/case.inp", Replaced(text, f.edit, f.by));
        file = "case.inp";
    }
#ifdef __linux__
    const int descriptors = OpenDescriptors();
#endif
    EXPECT_EQ(Read(file), f.result);
    ASSERT_FALSE(Errors().empty());
    EXPECT_EQ(Errors()[0], f.error);
    EXPECT_EQ(fs::current_path(), cwd_);
#ifdef __linux__
    EXPECT_EQ(OpenDescriptors(), descriptors);
#endif
    // A work file still open could be neither removed nor renamed on Windows.
    if (fs::exists(dir_ + "/" INPUT_WORK_FILE)) {
        std::error_code ec;
        fs::rename(dir_ + "/" INPUT_WORK_FILE, dir_ + "/moved.wrk", ec);
        EXPECT_FALSE(ec) << ec.message();
        EXPECT_TRUE(fs::remove(dir_ + "/moved.wrk", ec));
    }
}

INSTANTIATE_TEST_SUITE_P(Results, FailureTest, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<Failure> &info) { return info.param.name; });

TEST_F(ReaderTest, AFileThatEndsEarlyKeepsWhatWasRead)
{
    int16_t obsolete = 0;
    ASSERT_EQ(Read("truncated.inp", &obsolete), READ_BAD_INPUT);
    EXPECT_EQ(obsolete, 1);
    // The last line has no line end and is read: radius and share are there.
    EXPECT_EQ(GE_ListCount(g_scenario.substances), 1);
    EXPECT_EQ(g_scenario.outputOptions->zoomGrid->cellsX, 70);
    EXPECT_EQ(GE_ListCount(g_scenario.instantaneousReleases), 0);
    EXPECT_EQ(fakes::Texts("map").back(), "GE_SetAreaBox (0, 0, 1000, 2000) (0, 0, 5000, 6000)");
}

// --- Values that must not overflow a slot, a table or a time text ------------

struct BadValue {
    const char *name;
    const char *line;     // a line of converted/v364_tracer.inp ...
    const char *by;       // ... replaced by this
    const char *error;    // the error shown
};

const BadValue kBadValues[] = {
    {"time_step_of_100_days", "      1    600  ", "      1    8640000  ",
     "Reading data: error in line 19 of the input file:\ntime step of 8640000 s is 100 days or more"},
    {"negative_time_step", "      1    600  ", "      1    -600  ",
     "Reading data: error in line 19 of the input file:\ntime step is negative (-600)"},
    {"take_over_of_100_days", "          1  0  0  0      ;KIMBOL", "          100  0  0  0      ;KIMBOL",
     "Reading data: error in line 53 of the input file:\ntake over time is not a valid duration: 100  0  0  0"},
    {"negative_duration", "          0  0 30  0      ;map file time step", "          0  0 -30  0  ;",
     "Reading data: error in line 56 of the input file:\nmap file time step is not a valid duration: 0  0 -30  0"},
    {"invalid_reference_date", " 2019  3 15  0  0  0", " 2019 13 15  0  0  0",
     "Reading data: error in line 60 of the input file:\nreference date for output is not a valid date: 2019 13 15  0  0  0"},
    {"91_substances", "       1   ; no_of_substances", "      91   ; no_of_substances",
     "Reading data: error in line 25 of the input file:\n91 substances (at most 90)"},
    {"negative_substances", "       1   ; no_of_substances", "      -1   ; no_of_substances",
     "Reading data: error in line 25 of the input file:\nnumber of substances is negative (-1)"},
    {"1001_releases", "    1  ; number of instantaneous releases", "    1001  ;",
     "Reading data: error in line 79 of the input file:\nnumber of instantaneous releases is 1001 (at most 1000)"},
    {"1001_release_names", "  1  ; number of continuous releases", "  1000 ;",
     "Reading data: error in line 96 of the input file:\nnumber of continuous releases is 1000 (at most 999)"},
    {"negative_observation_points", "    0\n;   ", "    -2\n;   ",
     "Reading data: error in line 63 of the input file:\nnumber of observation points is negative (-2)"},
    {"not_a_number", "    10000 ; number of particles", "    many ; number of particles",
     "Reading data: error in line 29 of the input file:\nnumber of particles expected"},
    {"huge_number", "    10000 ; number of particles", "    99999999999 ; number of particles",
     "Reading data: error in line 29 of the input file:\nnumber of particles expected"},
    {"release_out_of_time", "      0  3  0  0                               ; release time",
     "      99999999  0  0  0  ;",
     "Reading data: error in line 84 of the input file:\nrelease time is out of range (99999999 0 0 0 after 20190315000000)"},
    {"not_a_version", "'V3.66.00        '", "V3.66.00",
     "Reading data: error in line 1 of the input file:\nversion expected between single quotes"},
};

class BadValueTest : public ReaderTest, public testing::WithParamInterface<BadValue> {};

TEST_P(BadValueTest, EndsTheReadWithResult4AndAClearMessage)
{
    const BadValue &b = GetParam();
    const std::string text = Replaced(Golden("old/converted/v364_tracer.inp"), b.line, b.by);
    EXPECT_EQ(ReadText(text), READ_BAD_INPUT);
    EXPECT_EQ(Errors(), std::vector<std::string>{b.error});
    EXPECT_EQ(fs::current_path(), cwd_);
}

INSTANTIATE_TEST_SUITE_P(Values, BadValueTest, testing::ValuesIn(kBadValues),
                         [](const testing::TestParamInfo<BadValue> &info) { return info.param.name; });

TEST_F(ReaderTest, RedTideCountsAndOilFractionsAreBounded)
{
    std::string text = Golden("writer/red_tide.inp");
    fs::create_directories(dir_ + "/hyd");
    WriteFile(dir_ + "/hyd/harbour.hyd", "reference-time '20190315000000'\n");
    text = Replaced(text, "   23 \n", "   24 \n");
    EXPECT_EQ(ReadText(text), READ_BAD_INPUT);
    EXPECT_EQ(Errors().back(), "Reading data: error in line 52 of the input file:\n"
                               "number of red tide parameters is 24 (at most 23)");

    std::string oil = Golden("old/converted/v364_oil.inp");
    oil = Replaced(oil, "       3       1   ; no of substances", "       3       2   ;");
    EXPECT_EQ(ReadText(oil), READ_BAD_INPUT);
    EXPECT_EQ(Errors().back(), "Reading data: error in line 25 of the input file:\n"
                               "2 oil fractions need 6 substance lines, the file gives 3");
}

TEST_F(ReaderTest, ManySubstancesKeepEveryReleaseColumn)
{
    // 80 substances: more columns than a copied table may hold.
    std::string names, masses, decay;
    for (int i = 0; i < 80; ++i) {
        names += " 's" + std::to_string(i) + "'\n";
        masses += "   " + std::to_string(i + 1) + ".0\n";
    }
    std::string text = Golden("old/converted/v364_tracer.inp");
    text = Replaced(text, "       1   ; no_of_substances\n 'tracer'\n", "      80\n" + names);
    text = Replaced(text, "      10.000        ; tracer\n", masses);
    text = Replaced(text, "       3.000        ; tracer\n", masses);
    // No decay or settling tables (the file's are of one column).
    text = text.substr(0, text.find("\n;                            Decay rates")) + "\n  0\n  0.0\n  1\n  0\n";
    ASSERT_EQ(ReadText(text), READ_OK) << testing::PrintToString(Errors());
    const std::vector<float> row = Row(LocationAt(g_scenario.instantaneousReleases, 0)->masses, 0);
    ASSERT_EQ(row.size(), 80u);
    EXPECT_EQ(row[79], 80.0f);
    EXPECT_STREQ(g_startup.substanceNames[79], "s79");
}

TEST_F(ReaderTest, TwoLayerTemperatureModelIsRefusedWithSeveralLayers)
{
    std::string text = Golden("old/converted/v364_tracer_layers.inp");
    text = Replaced(text, "      1      0      0      0  ; type of model", "      2      0      0      0  ;");
    text = Replaced(text, " \n   0 ; number of model specific parameters\n",
                    "\n   22\n   4183 1024 30 16 0 1 1 12 0.5 0 0\n   1\n   1 2 3 4 5 6 7 8 9 10\n");
    ASSERT_EQ(ReadText(text), READ_OK) << testing::PrintToString(Errors());
    EXPECT_EQ(Errors(), std::vector<std::string>{"Cannot choose temperature 2 layer model\n"
                                                 "in case of multi layer hydrodynamics!"});
    EXPECT_EQ(g_scenario.modelKind, MODEL_TEMPERATURE);
    EXPECT_EQ(g_scenario.temperatureVariant, 1);
    EXPECT_EQ(Row(g_scenario.processParameters->intakes, 0).size(), 10u);
}

// --- The work file ------------------------------------------------------------

TEST_F(ReaderTest, StripInputCommentsKeepsWholeLinesAndQuotedSemicolons)
{
    const std::string longPath = "'" + std::string(250, 'p') + "'";
    const std::string source =
        "  'V3.66.00'  ; comment with a 'quote\n"
        "; a comment line\n"
        "\n"
        "   \t  \n"
        "'Harbour; north side' ; the title\n" +
        longPath + "; name of *hyd file\n"
        "  1  2  3  \r\n"
        "a'b;'c;d'e'f;g\n"
        "'open; quote never closed ;\n"
        "last line without end";
    WriteFile(dir_ + "/source.txt", source);
    ASSERT_EQ(StripInputComments((dir_ + "/source.txt").c_str(), (dir_ + "/work.txt").c_str(), 100), 0);
    EXPECT_EQ(WithoutCr(ReadFile(dir_ + "/work.txt")),
              "'V3.66.00'\n'Harbour; north side'\n" + longPath +
                  "\n1  2  3\na'b;'c\n'open; quote never closed ;\nlast line without end\n");

    // A line longer than the limit is refused, never cut.
    WriteFile(dir_ + "/long.txt", "'" + std::string(400, 'x') + "'\n");
    EXPECT_EQ(StripInputComments((dir_ + "/long.txt").c_str(), (dir_ + "/work.txt").c_str(), 300), 2);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading data: line 1 of the input file is longer than 300 characters!"});
    EXPECT_EQ(StripInputComments((dir_ + "/long.txt").c_str(), (dir_ + "/work.txt").c_str(), 500), 0);

    // Lines of every length around the ends of the blocks the file is read
    // in, and one longer than a block.
    std::string many, stripped;
    for (int n = 0; n < 3000; ++n) {
        const std::string value = "'" + std::string(static_cast<size_t>(n % 23), 'v') + std::to_string(n) + "'";
        many += "  " + value + " ; comment " + std::string(static_cast<size_t>(n % 7), ';') + "\n";
        stripped += value + "\n";
    }
    const std::string longLine = "'" + std::string(20000, 'w') + "'";
    WriteFile(dir_ + "/many.txt", many + longLine + " ;");
    ASSERT_EQ(StripInputComments((dir_ + "/many.txt").c_str(), (dir_ + "/work.txt").c_str(), 30000), 0);
    EXPECT_EQ(WithoutCr(ReadFile(dir_ + "/work.txt")), stripped + longLine + "\n");

    EXPECT_EQ(StripInputComments((dir_ + "/none.txt").c_str(), (dir_ + "/work.txt").c_str(), 100), 2);
    // The input file is never overwritten by its own work file.
    EXPECT_EQ(StripInputComments((dir_ + "/source.txt").c_str(), (dir_ + "/source.txt").c_str(), 100), 2);
    EXPECT_EQ(ReadFile(dir_ + "/source.txt"), source);
}

TEST_F(ReaderTest, LongQuotedTextsAndSemicolonsSurviveARoundTrip)
{
    std::string text = Golden("old/converted/v360_tracer.inp");
    const std::string userText = "sources; " + std::string(230, 'u');
    text = Replaced(text, "'Dye test in the bay'", "'Bay; north side'");
    text = Replaced(text, "  'from map file'  ", "  '" + userText + "'  ; comment");
    ASSERT_EQ(ReadText(text), READ_OK) << testing::PrintToString(Errors());
    EXPECT_STREQ(g_scenario.titles[0], "Bay; north side");
    EXPECT_EQ(std::string(LocationAt(g_scenario.userDefinedReleases, 0)->userText), userText);
    EXPECT_EQ(Write("again"), text.substr(0, text.find("; comment")) + text.substr(text.find("; comment") + 9));
}

TEST_F(ReaderTest, WorkFileIsWrittenInTheScenarioDirectory)
{
    const fs::path original = cwd_;
    fs::create_directories(dir_ + "/elsewhere");
    fs::current_path(dir_ + "/elsewhere");
    const fs::path elsewhere = fs::current_path();
    EXPECT_EQ(Read("v364_tracer.inp"), READ_OK);
    EXPECT_TRUE(fs::exists(dir_ + "/" INPUT_WORK_FILE));
    EXPECT_FALSE(fs::exists(dir_ + "/elsewhere/" INPUT_WORK_FILE));
    EXPECT_EQ(fs::current_path(), elsewhere);
    fs::current_path(original);
}

TEST_F(ReaderTest, ReleaseLayersBelowOneAreRefused)
{
    const std::string text = Replaced(Golden("old/converted/v364_tracer_layers.inp"),
                                      "         1500.00        2500.00              3", "   1500 2500 0");
    EXPECT_EQ(ReadText(text), READ_BAD_INPUT);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Reading data: error in line 85 of the input file:\n"
                                                 "release layer is 0 (1 or more)"});
}

TEST_F(ReaderTest, AScenarioDirectoryWithoutRoomForTheWorkFileIsReported)
{
    // The work file's name is taken by a directory: it cannot be written, as
    // in a read-only scenario directory.
    fs::create_directory(dir_ + "/" INPUT_WORK_FILE);
    EXPECT_EQ(Read("v364_tracer.inp"), READ_CANNOT_OPEN);
    const std::vector<std::string> errors = Errors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("Cannot"), std::string::npos) << errors[0];
    EXPECT_EQ(errors[1], "Reading data: error stripping input file!");

    // An input file that is itself named like the work file stays whole.
    fs::remove(dir_ + "/" INPUT_WORK_FILE);
    const std::string original = ReadFile(dir_ + "/v364_tracer.inp");
    fs::copy_file(dir_ + "/v364_tracer.inp", dir_ + "/" INPUT_WORK_FILE);
    EXPECT_EQ(Read(INPUT_WORK_FILE), READ_CANNOT_OPEN);
    EXPECT_EQ(ReadFile(dir_ + "/" INPUT_WORK_FILE), original);
}

// --- Helpers ---------------------------------------------------------------

TEST(InputReaderHelpers, ExtractQuoted)
{
    const std::string longText = "'" + std::string(300, 'a') + "'";
    const struct {
        int32_t maximum;
        const char *line;
        const char *text;
        int32_t position;
    } cases[] = {
        {40, "'abc' 1 2", "abc", 4},
        {40, "  ''", "", 3},
        {2, "'abc'", "ab", 3},
        {40, "x 'open to the end", "open to the end", 18},
        {40, "no quote", "", -1},
        {1000, longText.c_str(), nullptr, 255},
    };
    for (const auto &c : cases) {
        char text[1001] = "unchanged";
        EXPECT_EQ(ExtractQuoted(c.maximum, c.line, text), c.position) << c.line;
        if (c.text)
            EXPECT_STREQ(text, c.position < 0 ? "unchanged" : c.text) << c.line;
        else
            EXPECT_EQ(std::strlen(text), 254u);
    }
}

TEST(InputReaderHelpers, ParseTimeField)
{
    const struct {
        int flag;
        const char *text;
        const char *result;
    } cases[] = {
        {1, "1  0  0  0", "00000001000000"},
        {1, "  2 3 15 5 ", "00000002031505"},
        {1, "99 23 59 59", "00000099235959"},
        {1, "100 0 0 0", ""},        // 100 days do not fit the day field
        {1, "0 -1 0 0", ""},
        {1, "0 0 0", ""},
        {1, "a b c d", ""},
        {0, "2019  3 15  0  0  0", "20190315000000"},
        {0, "2019 2 29 0 0 0", ""},   // no such date
        {0, "10000 1 1 0 0 0", ""},
    };
    for (const auto &c : cases) {
        char out[32] = "x";
        EXPECT_EQ(ParseTimeField(c.flag, c.text, out), c.result[0] ? 1 : 0) << c.text;
        EXPECT_STREQ(out, c.result) << c.text;
    }
}

TEST_F(ReaderTest, ResolveInputName)
{
    fs::current_path(dir_);
    WriteFile("list.mdp", "15  'case.inp'\n16  'case.out' \n");
    WriteFile("empty.mdp", "15  ''\n");
    char name[SCEN_FILE_NAME_LEN];
    EXPECT_EQ(ResolveInputName(name, sizeof name, "Case.INP"), 1);
    EXPECT_STREQ(name, "Case.INP");
    EXPECT_EQ(ResolveInputName(name, sizeof name, "list.mdp"), 1);
    EXPECT_STREQ(name, "case.inp");
    EXPECT_EQ(ResolveInputName(name, sizeof name, "empty.mdp"), 0);
    EXPECT_EQ(ResolveInputName(name, sizeof name, "absent.mdp"), 0);
    EXPECT_EQ(ResolveInputName(name, sizeof name, ""), 0);
    fs::current_path(cwd_);

    char directory[8] = "x";
    SplitPathName("a/b.hyd", directory, name, sizeof name);
    EXPECT_STREQ(directory, "");
    EXPECT_STREQ(name, "a/b.hyd");
}

// --- File Open -----------------------------------------------------------------

class CmdOpenTest : public ReaderTest {
protected:
    std::vector<std::string> Calls() { return fakes::Calls(); }
    bool Called(const std::string &call)
    {
        const auto &calls = fakes::Calls();
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    int32_t Open(const std::string &name)
    {
        FreeGrid();
        fakes::ScriptFileDialog(dir_ + "/" + name);
        fakes::ClearRecord();
        fakes::ClearCalls();
        return CmdOpen(MainWindow);
    }
};

TEST_F(CmdOpenTest, AskFirstWhenModifiedAndKeepTheScenarioOnCancel)
{
    UseFile("kept.mdp");
    ModifiedFlag = 1;
    fakes::ScriptAsk(0);   // Cancel
    EXPECT_EQ(CmdOpen(MainWindow), 0);
    EXPECT_EQ(fakes::Texts("ask"),
              std::vector<std::string>{"Data may be changed. Do you really want to read new data ? [Cancel/OK]"});
    EXPECT_EQ(ModifiedFlag, 1);

    fakes::ClearRecord();
    fakes::ScriptAsk(1);   // OK, then the dialog is cancelled
    fakes::ScriptFileDialog("");
    EXPECT_EQ(CmdOpen(MainWindow), 0);
    EXPECT_EQ(fakes::Texts("ask").back(),
              "Select an existing Quarnex-TRAZ master file or input file [*.mdp open]");
    EXPECT_STREQ(g_scenario.scenarioFile.name, "kept.mdp");
    EXPECT_EQ(ModifiedFlag, 1);
}

TEST_F(CmdOpenTest, OpenRefreshesTheEditorAndExplainsTheConversion)
{
    EXPECT_EQ(Open("v360_oil.inp"), READ_OK);
    EXPECT_STREQ(g_scenario.scenarioFile.name, "v360_oil.inp");
    for (const char *call : {"BuildScenarioPath", "UpdateMainTitle", "EnablePageButtons",
                             "EnableInitialConditionButton 1", "ruv_menu_set_item_enabled 1004 1",
                             "ruv_menu_set_item_enabled 1005 1", "ResetTableSlots 1"})
        EXPECT_TRUE(Called(call)) << call;
    EXPECT_EQ(fakes::Texts("message").back(),
              "Obsolete input found\nRelease scenario for oil has been modified\n"
              "1. Oil releases are always at water surface\n"
              "2. Oil releases are restricted to floating fractions only\nPlease check!\n");

    EXPECT_EQ(Open("v364_tracer.mdp"), READ_OK);   // a list file
    EXPECT_TRUE(Called("EnableInitialConditionButton 0"));
    EXPECT_EQ(fakes::Texts("message"),
              std::vector<std::string>{"Obsolete input found\nRelease scenario has been modified\nPlease check!\n"});

    EXPECT_EQ(Open("converted/v364_tracer.inp"), READ_OK);   // current: nothing to explain
    EXPECT_TRUE(fakes::Texts("message").empty());
    EXPECT_TRUE(fakes::Texts("note").empty());
}

TEST_F(CmdOpenTest, OldTemperatureModelIsNoLongerSupported)
{
    // The 3.64 tracer turned into a full temperature model without intakes.
    std::string text = ReadFile(dir_ + "/v364_tracer.inp");
    text = Replaced(text, "      1      1      0      0      0", "      5      1      0      0      0");
    text = Replaced(text, "   0\n\n;                            Timers",
                    "   12\n   4183 1024 30 16 0 1 1 12 0.5 0 0\n   0\n\n; Timers");
    WriteFile(dir_ + "/temperature.inp", text);
    EXPECT_EQ(Open("temperature.inp"), READ_OK) << testing::PrintToString(Errors());
    EXPECT_EQ(g_scenario.modelKind, MODEL_TEMPERATURE);
    EXPECT_EQ(fakes::Texts("note"), std::vector<std::string>{"Temperature model no longer supported"});
    EXPECT_TRUE(Called("ruv_menu_set_item_enabled 1004 0"));
    EXPECT_TRUE(Called("ruv_menu_set_item_enabled 1005 0"));
}

TEST_F(CmdOpenTest, OldRedTideModelIsExplainedAsATracer)
{
    // The 3.64 tracer turned into a red tide model; the switch of the
    // defaults allows it, so the user is told as for a tracer.
    std::string text = ReadFile(dir_ + "/v364_tracer.inp");
    text = Replaced(text, "      1      1      0      0      0", "      3      1      0      0      0");
    std::string values;
    for (int i = 1; i <= RED_TIDE_VALUE_COUNT; ++i)
        values += "   " + std::to_string(i) + ".5\n";
    text = Replaced(text, "   0\n\n;                            Timers", "   23\n" + values + "\n; Timers");
    WriteFile(dir_ + "/red_tide.inp", text);
    EXPECT_EQ(Open("red_tide.inp"), READ_OK) << testing::PrintToString(Errors());
    EXPECT_EQ(g_scenario.modelKind, MODEL_RED_TIDE);
    EXPECT_EQ(g_scenario.processParameters->redTide[22], 23.5f);
    EXPECT_TRUE(fakes::Texts("note").empty());
    EXPECT_EQ(fakes::Texts("message"),
              std::vector<std::string>{"Obsolete input found\nRelease scenario has been modified\nPlease check!\n"});
    EXPECT_FALSE(Called("ruv_menu_set_item_enabled 1004 0"));
}

// --- Older list files ------------------------------------------------------------

TEST_F(ReaderTest, ReadMasterFile)
{
    fs::current_path(dir_);
    StartupRecord startup = g_startup;
    startup.mode = STARTUP_PROJECT;
    std::snprintf(startup.scenarioFile.name, sizeof startup.scenarioFile.name, "trazP63.inp");

    EXPECT_EQ(ReadMasterFile("absent.mdp", &g_scenario, &startup), 2);
    EXPECT_EQ(fakes::Texts("status").back(), "Reading data: filename.dat not found !");
    EXPECT_STREQ(g_scenario.fileNames[FILE_HYD], "- unknown name -");

    WriteFile("other.mdp", "15  'other.inp'\n");
    EXPECT_EQ(ReadMasterFile("other.mdp", &g_scenario, &startup), 10);
    EXPECT_EQ(fakes::Texts("status").back(), "Not valid Quarnex-TRAZ master file!");

    WriteFile("short.mdp", "15  'trazP63.inp'\n16  'trazP63.out' \n17  'hyd/bay1.lga' \n");
    EXPECT_EQ(ReadMasterFile("short.mdp", &g_scenario, &startup), 4);
    EXPECT_EQ(fakes::Texts("error").back(), "Error reading Quarnex-TRAZ master file\nPlease check!");

    WriteFile("trazP63.mdp", "15  'trazP63.inp'\n16  'trazP63.out' \n17  'hyd/bay1.lga' \n"
                             "18  'hyd/com-bay1.lga' \n19  'hyd/bay1.cco' \n20  'hyd/bay1.vol' \n"
                             "21  'hyd/bay1.flo' \n");
    EXPECT_EQ(ReadMasterFile("trazP63.mdp", &g_scenario, &startup), 0);
    EXPECT_STREQ(g_scenario.fileNames[6], "trazP63.inp");
    EXPECT_STREQ(g_scenario.fileNames[FILE_GRID_INDICES], "hyd/bay1.lga");
    EXPECT_STREQ(g_scenario.fileNames[FILE_TOTAL_GRID], "hyd/com-bay1.lga");
    EXPECT_STREQ(g_scenario.fileNames[FILE_FLOWS], "hyd/bay1.flo");
    EXPECT_EQ(g_scenario.mmax, 5);
    EXPECT_EQ(startup.gridAvailable, 1);
    fs::current_path(cwd_);
}

} // namespace
