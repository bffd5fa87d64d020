// Tests of the model input file writer: golden files of whole scenarios
// (data/writer, each checked by hand against the format), the time and
// table formats, and saves that are refused or fail without harming the
// files already there.
#include "input_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "editor_services.h"
#include "fakes.h"
#include "ruv.h"
#include "scenario.h"
#include "scenario_fixtures.h"

using namespace scenario_fixtures;
namespace fs = std::filesystem;

namespace {

const std::string kGoldenDir =
    std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/model/tests/data/writer/";

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

void WriteText(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string Slashed(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// A fresh directory for one test under the build tree.
std::string TestDirectory(const std::string &name)
{
    const fs::path dir = fs::path(TRAZ_TEST_BINARY_DIR) / "input_writer_test" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return Slashed(fs::absolute(dir).string());
}

std::vector<std::string> FilesIn(const std::string &dir)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Minutes after T0 of the times used below.
const double kStart = 120.0;  // 02:00
const double kStop = 840.0;   // 14:00

// The editor's default tables: two rows, at the simulation start and stop,
// with the columns the substances need (an oil fraction's decay rates three,
// its settling velocities two).
void EditorDefaultTables(ScenarioRecord *s, int slot)
{
    ProcessParameters *p = s->processParameters;
    XYSeries **table = nullptr;
    const int substances = GE_ListCount(s->substances);
    const int fractions = s->modelKind == MODEL_OIL ? s->oilFractionCount : 0;
    int n = 2;
    if (slot == 0) {
        table = &p->decayRates;
        n = substances + 2 * fractions;
    } else if (slot == 2) {
        table = &p->physical->wind;
    } else if (slot >= 3 && slot <= 8) {
        table = &p->settling[slot - 3];
        n = substances + fractions;
    }
    if (table == nullptr || n < 1)
        return;
    if (GetXYSeriesInfo(*table, XYS_INFO_SERIES) != n) {
        DestroyXYSeries(*table);
        *table = CreateXYSeries(XYS_LINEAR, 1, n);
    }
    ClearRows(*table);
    AddRow(*table, kStart, std::vector<float>(static_cast<size_t>(n), 0.0f));
    AddRow(*table, kStop, std::vector<float>(static_cast<size_t>(n), 0.0f));
}

// Decay and the six settling tables of the given columns, two rows each
// (settling: A0 small, Vmax 1000).
void CompleteTables(ScenarioRecord *s, int columns)
{
    XYSeries *&decay = s->processParameters->decayRates;
    DestroyXYSeries(decay);
    decay = CreateXYSeries(XYS_LINEAR, 1, columns);
    AddRow(decay, kStart, std::vector<float>(static_cast<size_t>(columns), 0.5f));
    AddRow(decay, kStop, std::vector<float>(static_cast<size_t>(columns), 0.5f));
    const float values[] = {0.0001f, 0.0f, 12.5f, 0.0f, 0.0f, 1000.0f};
    for (int k = 0; k < SETTLING_TABLE_COUNT; ++k) {
        XYSeries *&table = s->processParameters->settling[k];
        DestroyXYSeries(table);
        table = CreateXYSeries(XYS_LINEAR, 1, columns);
        const std::vector<float> row(static_cast<size_t>(columns), values[k]);
        AddRow(table, kStart, row);
        AddRow(table, kStop, row);
    }
}

class WriterTest : public testing::Test {
protected:
    void SetUp() override
    {
        fakes::Reset();
        fakes::SetCreateDefaultTablesHook(EditorDefaultTables);
        startup_ = StartupRecord();
        startup_.mode = STARTUP_STAND_ALONE;
        cwd_ = fs::current_path();
    }
    void TearDown() override { EXPECT_EQ(fs::current_path(), cwd_) << "current directory restored"; }

    // A loaded scenario of the harbour model, saved into dir as name.
    ScenarioPtr Harbour(const std::string &dir, const char *name)
    {
        ScenarioPtr s = NewScenario();
        s->hydLayers = 1;
        std::strcpy(s->hydReferenceTime, "20190315000000");
        std::strcpy(s->outputReferenceDate, "20190315000000");
        for (int g : {TIME_GROUP_SIMULATION, TIME_GROUP_HISTORY, TIME_GROUP_MAP}) {
            std::strcpy(s->timeGroups[g][TIME_START], "20190315020000");
            std::strcpy(s->timeGroups[g][TIME_STOP], "20190315140000");
        }
        std::strcpy(s->timeGroups[TIME_GROUP_SIMULATION][TIME_STEP], "00000000001000");
        std::strcpy(s->timeGroups[TIME_GROUP_MAP][TIME_STEP], "00000000003000");
        std::strcpy(s->timeGroups[TIME_GROUP_HISTORY][TIME_STEP], "00000000001000");
        const struct {
            int slot;
            const char *file;
        } files[] = {{FILE_HYD, "harbour.hyd"},         {FILE_TOTAL_GRID, "com-harbour.lga"},
                     {FILE_GRID_INDICES, "harbour.lga"}, {FILE_GRID_COORDINATES, "harbour.cco"},
                     {FILE_VOLUMES, "harbour.vol"},      {FILE_FLOWS, "harbour.flo"}};
        for (const auto &f : files)
            std::snprintf(s->fileNames[f.slot], SCEN_FILE_NAME_LEN, "%s/hyd/%s", dir.c_str(), f.file);
        std::snprintf(s->scenarioFile.dir.path, sizeof s->scenarioFile.dir.path, "%s", dir.c_str());
        std::snprintf(s->scenarioFile.name, sizeof s->scenarioFile.name, "%s", name);
        fakes::SetProjectDirectory(dir);
        return s;
    }

    // Writes the scenario and compares with the golden file(s); a second
    // write gives the same bytes.  A scenario whose first save had to ask
    // for the editor's default tables is compared from its second save on.
    void WriteTwiceAndCompare(ScenarioRecord *s, const std::string &dir, const std::string &golden,
                              bool compareList = false, bool firstSaveAddsDefaults = false)
    {
        ASSERT_EQ(WriteInputFile(s, &startup_), WRITE_OK);
        const std::string input = dir + "/" + golden + ".inp";
        const std::string list = dir + "/" + golden + ".mdp";
        const std::string first = ReadFile(input);
        const std::string firstList = ReadFile(list);
        if (WithoutCr(first) != ReadFile(kGoldenDir + golden + ".inp"))
            WriteText(dir + ".actual.inp", first);  // for a look at the difference
        EXPECT_EQ(WithoutCr(first), ReadFile(kGoldenDir + golden + ".inp"));
        if (compareList) {
            EXPECT_EQ(WithoutCr(firstList), ReadFile(kGoldenDir + golden + ".mdp"));
        }
        ASSERT_EQ(WriteInputFile(s, &startup_), WRITE_OK);
        const std::string second = ReadFile(input);
        if (firstSaveAddsDefaults) {
            ASSERT_EQ(WriteInputFile(s, &startup_), WRITE_OK);
            EXPECT_EQ(ReadFile(input), second) << "third write differs";
        } else {
            EXPECT_EQ(second, first) << "second write differs";
        }
        EXPECT_EQ(ReadFile(list), firstList) << "list differs";
        EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{golden + ".inp", golden + ".mdp"}));
    }

    StartupRecord startup_;
    fs::path cwd_;
};

TEST_F(WriterTest, GoldenTracerOneLayer)
{
    const std::string dir = TestDirectory("tracer_one_layer");
    ScenarioPtr s = Harbour(dir, "tracer_one_layer.mdp");
    std::strcpy(s->titles[0], "Tracer release in the harbour");
    std::strcpy(s->titles[1], "one layer, no releases");
    AddSubstance(s.get(), "dye");
    ProcessParameters *p = s->processParameters;
    AddRow(p->physical->wind, kStart, {5.0f, 270.0f});
    AddRow(p->physical->wind, kStop, {7.5f, 180.0f});
    AddRow(p->decayRates, kStart, {0.1f});
    AddRow(p->decayRates, kStop, {0.25f});
    const float settling[] = {0.0001f, 0.0f, 12.5f, 0.0f, 0.0f, 1000.0f};
    for (int k = 0; k < SETTLING_TABLE_COUNT; ++k) {
        AddRow(p->settling[k], kStart, {settling[k]});
        AddRow(p->settling[k], kStop, {settling[k]});
    }
    ZoomGrid *zoom = s->outputOptions->zoomGrid;
    zoom->xStart = 1000.0f;
    zoom->xEnd = 5000.0f;
    zoom->yStart = 2000.0f;
    zoom->yEnd = 6000.0f;

    WriteTwiceAndCompare(s.get(), dir, "tracer_one_layer", true);
    EXPECT_EQ(fakes::Texts("status")[0], "Saving data to " + dir + "/tracer_one_layer.inp ...");
    EXPECT_TRUE(fakes::Texts("error").empty());
}

TEST_F(WriterTest, GoldenTracerThreeLayersWithReleases)
{
    const std::string dir = TestDirectory("tracer_three_layers");
    ScenarioPtr s = Harbour(dir, "tracer_three_layers.mdp");
    s->hydLayers = 3;
    // A step of 10 s, on which the release 50 s past the minute lies.
    std::strcpy(s->timeGroups[TIME_GROUP_SIMULATION][TIME_STEP], "00000000000010");
    std::strcpy(s->titles[0], "Two tracers, three layers");
    std::strcpy(s->titles[1], "one release of each kind");
    std::strcpy(s->titles[2], "two observation points");
    s->processParameters->tracks = 1;
    s->numericalParameters->verticalDispersionOption = 0;
    s->numericalParameters->scale = 0.5f;
    s->numericalParameters->dispersionCoefficient = 0.0015f;
    s->numericalParameters->particleCount = 25000;
    AddSubstance(s.get(), "tracerA");
    AddSubstance(s.get(), "tracerB");
    ProcessParameters *p = s->processParameters;
    AddRow(p->physical->wind, kStart, {5.0f, 270.0f});   // one row: the defaults are made
    DestroyXYSeries(p->decayRates);
    p->decayRates = CreateXYSeries(XYS_LINEAR, 1, 2);
    AddRow(p->decayRates, kStart, {0.1f, 0.2f});
    AddRow(p->decayRates, kStop, {0.1f, 0.2f});
    for (XYSeries *&table : p->settling) {  // two columns, no rows: the defaults are made
        DestroyXYSeries(table);
        table = CreateXYSeries(XYS_LINEAR, 1, 2);
    }
    AddRow(s->outputOptions->recovery, kStart, {1.0f});
    AddRow(s->outputOptions->recovery, kStop, {0.5f});

    Location *spill = AddLocation(s->instantaneousReleases, "Spill A", 1500.5f, 2500.25f);
    std::strcpy(spill->releaseTime, "20190315030050");  // 50 s past the minute
    spill->layer = 2;
    spill->radius = 25.0f;
    spill->particleShare = 40.0f;
    spill->masses = RowTable({100.0f, 0.0005f});

    Location *outfall = AddLocation(s->continuousReleases, "Outfall", 1200.0f, 2200.0f);
    outfall->layer = 3;
    outfall->radius = 10.0f;
    outfall->particleShare = 60.0f;
    outfall->loadScale = 1.5f;
    outfall->interpolation = 0;
    outfall->masses = RowTable({2.5f, 1500.0f});
    outfall->releaseRates = CreateXYSeries(XYS_LINEAR, 1, 1);
    AddRow(outfall->releaseRates, kStart, {0.5f});
    AddRow(outfall->releaseRates, 130.0 + 50.0 / 60.0, {0.625f});  // 02:10:50
    AddRow(outfall->releaseRates, kStop, {0.75f});

    Location *user = AddLocation(s->userDefinedReleases, "UD-1", 0.0f, 0.0f);
    user->particleShare = 12.5f;
    user->loadScale = 2.0f;
    std::strcpy(user->releaseTime, "20190315040000");
    std::strcpy(user->stopTime, "20190315050000");
    user->userLayer = 2;
    user->userOption = 0;
    user->userWord3 = 3;
    user->userWord4 = 4;
    std::strcpy(user->userText, "from map file");

    AddLocation(s->observationPoints, "Harbour mouth", 1000.0f, 2000.0f);
    AddLocation(s->observationPoints, "Quay", 1234.567f, 2345.678f);

    WriteTwiceAndCompare(s.get(), dir, "tracer_three_layers", false, true);
    // The defaults for the wind table and the six settling tables were asked
    // for once: the second write finds them.
    const auto &calls = fakes::Calls();
    for (const char *slot : {"CreateDefaultTables 2", "CreateDefaultTables 3", "CreateDefaultTables 8"})
        EXPECT_EQ(std::count(calls.begin(), calls.end(), slot), 1) << slot;
}

TEST_F(WriterTest, GoldenOilTwoFractionsAndOneSubstance)
{
    const std::string dir = TestDirectory("oil");
    ScenarioPtr s = Harbour(dir, "oil.mdp");
    s->modelKind = MODEL_OIL;
    s->hydLayers = 2;
    std::strcpy(s->titles[0], "Oil spill at the quay");
    OilFraction *light = AddOilFraction(s.get(), "light");
    light->dispersionOption = 0;
    light->dispersionRate = 0.25f;
    light->evaporation = 0.3f;
    OilFraction *heavy = AddOilFraction(s.get(), "heavy");
    heavy->dispersionOption = 1;
    heavy->density = 950.0f;
    AddSubstance(s.get(), "tracer");
    ProcessParameters *p = s->processParameters;
    p->coriolisAngle = 15.0f;
    AddRow(p->physical->wind, kStart, {5.0f, 270.0f});
    AddRow(p->physical->wind, kStop, {5.0f, 270.0f});
    // Decay in output-column order: 3 + 3 + 1 columns.
    DestroyXYSeries(p->decayRates);
    p->decayRates = CreateXYSeries(XYS_LINEAR, 1, 7);
    AddRow(p->decayRates, kStart, {1, 2, 3, 4, 5, 6, 7});
    AddRow(p->decayRates, kStop, {1, 2, 3, 4, 5, 6, 0.0005f});
    // Settling columns: light 0 and 1, heavy 2 and 3, tracer 4.
    for (int k = 0; k < SETTLING_TABLE_COUNT; ++k) {
        DestroyXYSeries(p->settling[k]);
        p->settling[k] = CreateXYSeries(XYS_LINEAR, 1, 5);
        std::vector<float> row;
        for (int c = 0; c < 5; ++c)
            row.push_back(static_cast<float>(10 * (k + 1) + c));
        AddRow(p->settling[k], kStart, row);
        AddRow(p->settling[k], kStop, row);
    }
    s->initialConditions->option = 1;
    s->initialConditions->fileGiven = 1;
    std::strcpy(s->initialConditions->iniFile, "patches.ini");

    Location *spill = AddLocation(s->instantaneousReleases, "Tanker", 1500.0f, 2500.0f);
    std::strcpy(spill->releaseTime, "20190315020000");
    spill->radiusOption = 1;
    spill->particleShare = 100.0f;
    spill->masses = RowTable({1000.0f, 500.0f, 0.5f});

    WriteTwiceAndCompare(s.get(), dir, "oil");
    EXPECT_TRUE(fakes::Texts("message").empty());
}

TEST_F(WriterTest, GoldenTemperatureFullModel)
{
    const std::string dir = TestDirectory("temperature_full");
    ScenarioPtr s = Harbour(dir, "temperature_full.mdp");
    s->modelKind = MODEL_TEMPERATURE;
    s->temperatureVariant = 1;
    std::strcpy(s->titles[0], "Cooling water, full model");
    AddSubstance(s.get(), "excess");
    ProcessParameters *p = s->processParameters;
    p->temperature[TEMP_AMBIENT] = 12.5f;
    AddRow(p->intakes, 0.0, {10, 20, 1, 5.5, 2, 0.1f, 3, 4, 5, 6});
    AddRow(p->intakes, 0.0, {11, 21, 2, 6.5, 2, 0.2f, 3, 4, 5, 1500});
    CompleteTables(s.get(), 1);
    AddRow(p->physical->wind, kStart, {5.0f, 270.0f});
    AddRow(p->physical->wind, kStop, {5.0f, 270.0f});
    WriteTwiceAndCompare(s.get(), dir, "temperature_full");
}

TEST_F(WriterTest, GoldenTemperatureTwoLayerModel)
{
    const std::string dir = TestDirectory("temperature_two_layer");
    ScenarioPtr s = Harbour(dir, "temperature_two_layer.mdp");
    s->modelKind = MODEL_TEMPERATURE;
    s->temperatureVariant = 0;
    std::strcpy(s->titles[0], "Cooling water, two-layer model");
    AddSubstance(s.get(), "excess");
    ProcessParameters *p = s->processParameters;
    DestroyXYSeries(p->intakes);
    p->intakes = CreateXYSeries(XYS_LINEAR, 0, 9);
    AddRow(p->intakes, 0.0, {10, 20, 1, 5.5, 0.1f, 3, 4, 5, 6});
    CompleteTables(s.get(), 1);
    AddRow(p->physical->wind, kStart, {5.0f, 270.0f});
    AddRow(p->physical->wind, kStop, {5.0f, 270.0f});
    WriteTwiceAndCompare(s.get(), dir, "temperature_two_layer");
}

TEST_F(WriterTest, GoldenRedTideWithNutrientFiles)
{
    const std::string dir = TestDirectory("red_tide");
    ScenarioPtr s = Harbour(dir, "red_tide.mdp");
    s->modelKind = MODEL_RED_TIDE;
    std::strcpy(s->titles[0], "Red tide bloom");
    AddSubstance(s.get(), "RedTide");
    std::strcpy(AddSubstance(s.get(), "NO3_file")->dataFile, "nutrients/no3.dat");
    std::strcpy(AddSubstance(s.get(), "NH4_file")->dataFile, "nutrients/nh4.dat");
    CompleteTables(s.get(), 3);
    ProcessParameters *p = s->processParameters;
    AddRow(p->physical->wind, kStart, {5.0f, 270.0f});
    AddRow(p->physical->wind, kStop, {5.0f, 270.0f});
    WriteTwiceAndCompare(s.get(), dir, "red_tide");
}

TEST_F(WriterTest, GoldenSedimentationErosionAndWalkingDischarges)
{
    const std::string dir = TestDirectory("sedimentation");
    ScenarioPtr s = Harbour(dir, "sedimentation.mdp");
    std::strcpy(s->titles[0], "Sedimentation and erosion");
    std::snprintf(s->fileNames[FILE_WALKING_DISCHARGES], SCEN_FILE_NAME_LEN, "%s/hyd/harbour.wlk",
                  dir.c_str());
    AddSubstance(s.get(), "silt");
    ProcessParameters *p = s->processParameters;
    p->sedimentationErosion = 1;
    p->chezy = 65.0f;
    CompleteTables(s.get(), 1);
    AddRow(p->physical->wind, kStart, {5.0f, 270.0f});
    AddRow(p->physical->wind, kStop, {5.0f, 270.0f});
    WriteTwiceAndCompare(s.get(), dir, "sedimentation", true);
}

// --- Formats ------------------------------------------------------------

TEST(WriterFormat, TimeFieldsOffsetsAndDurations)
{
    char text[64];
    FormatTimeField(1, "19000101000000", text);
    EXPECT_STREQ(text, "1  0  0  0");
    FormatTimeField(1, "00000002031505", text);
    EXPECT_STREQ(text, "2  3 15  5");
    FormatTimeField(0, "20190315143005", text);
    EXPECT_STREQ(text, "2019  3 15 14 30  5");

    const struct {
        const char *time;
        const char *offset;
    } offsets[] = {
        {"20200101000050", "0  0  0 50"},     // 50 s stays 50 s
        {"20200101000059", "0  0  0 59"},
        {"20200102030405", "1  3  4  5"},
        {"20200131235959", "30 23 59 59"},
        {"20200101000000", "0  0  0  0"},
        {"20191231223010", "0 -1 -29 -50"},   // before T0: every field negative
        {"bad", "0  0  0  0"},
    };
    for (const auto &c : offsets) {
        FormatTimeOffset("20200101000000", c.time, text);
        EXPECT_STREQ(text, c.offset) << c.time;
    }

    EXPECT_EQ(DurationToSeconds("00000000001000"), 600);
    EXPECT_EQ(DurationToSeconds("00000001020304"), 86400 + 7200 + 180 + 4);
    EXPECT_EQ(DurationToSeconds("0000"), 0);

    char name[32];
    MakeInputName(name, sizeof name, "case.mdp");
    EXPECT_STREQ(name, "case.inp");
    MakeInputName(name, sizeof name, "CASE.INP");
    EXPECT_STREQ(name, "CASE.inp");
    MakeInputName(name, sizeof name, "ab");
    EXPECT_STREQ(name, "ab.inp");
}

std::string Captured(const std::function<void(FILE *)> &write)
{
    FILE *f = std::tmpfile();
    write(f);
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(f);
    return WithoutCr(text);
}

TEST(WriterFormat, ValuesChooseFixedOrExponent)
{
    const struct {
        float value;
        const char *text;
    } cases[] = {
        {0.0005f, "   5.000e-04"}, {0.001f, "       0.001"}, {0.5f, "       0.500"},
        {1000.0f, "    1000.000"}, {1000.5f, "   1.000e+03"}, {-2000.0f, "  -2.000e+03"},
        {0.0f, "       0.000"},    {-0.0005f, "  -5.000e-04"}, {1e-40f, "       0.000"},
    };
    for (const auto &c : cases) {
        const double time = 0.0;
        EXPECT_EQ(Captured([&](FILE *f) { WriteTimeTable(f, &time, &c.value, 1, 1, 1); }), c.text)
            << c.value;
    }
}

TEST(WriterFormat, TableLayouts)
{
    // Eight values a line in time tables; row times in whole seconds.
    std::vector<float> values(9, 1.0f);
    const double time = 130.0 + 50.0 / 60.0;
    EXPECT_EQ(Captured([&](FILE *f) { WriteTimeTable(f, &time, values.data(), 1, 9, 0); }),
              "\n   0  2 10 50  "
                  "       1.000       1.000       1.000       1.000       1.000       1.000"
                  "       1.000       1.000\n       1.000");

    // Six values a line in unlabelled series tables, continued after 17 blanks.
    XYSeries *table = CreateXYSeries(XYS_LINEAR, 1, 7);
    AddRow(table, 1440.0 + 50.0 / 60.0, {1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(Captured([&](FILE *f) { WriteSeriesTable(f, table, 0, 7, nullptr); }),
              "\n   1  0  0 50    "
              "       1.000        2.000        3.000        4.000        5.000        6.000 "
              "\n                        7.000 ");
    // Labelled: one value a line; a column the table lacks is 0.
    const char *labels[] = {"a", "b", "c", "d", "e", "f", "g", "h"};
    EXPECT_EQ(Captured([&](FILE *f) { WriteSeriesTable(f, table, 1, 8, labels); }),
              "       1.000        ; a\n       2.000        ; b\n       3.000        ; c\n"
              "       4.000        ; d\n       5.000        ; e\n       6.000        ; f\n"
              "       7.000        ; g\n       0.000        ; h\n");
    EXPECT_EQ(GetXYSeriesInfo(table, XYS_INFO_CURRENT), 0);  // selection restored
    DestroyXYSeries(table);
    EXPECT_EQ(Captured([&](FILE *f) { WriteSeriesTable(f, nullptr, 0, 1, nullptr); }), "");

    // A row time that is no number, or beyond every day count, still gives
    // four fields.
    const struct {
        double minutes;
        const char *text;
    } odd[] = {{std::nan(""), "\n   0  0  0  0         1.000"},
               {1e300, "\n   2147483647  0  0  0         1.000"},
               {-HUGE_VAL, "\n   -2147483647  0  0  0         1.000"}};
    for (const auto &c : odd)
        EXPECT_EQ(Captured([&](FILE *f) { WriteTimeTable(f, &c.minutes, values.data(), 1, 1, 0); }),
                  c.text);
}

// --- Saves that must not harm the files there -----------------------------

class SaveSafetyTest : public WriterTest {
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        dir_ = TestDirectory(testing::UnitTest::GetInstance()->current_test_info()->name());
        s_ = Harbour(dir_, "case.mdp");
        AddSubstance(s_.get(), "dye");
        WriteText(dir_ + "/case.inp", "old input\n");
        WriteText(dir_ + "/case.mdp", "old list\n");
    }
    void ExpectOldFilesOnly()
    {
        EXPECT_EQ(ReadFile(dir_ + "/case.inp"), "old input\n");
        EXPECT_EQ(ReadFile(dir_ + "/case.mdp"), "old list\n");
        for (const std::string &name : FilesIn(dir_))
            EXPECT_TRUE(name == "case.inp" || name == "case.mdp" || fs::is_directory(dir_ + "/" + name))
                << name << " left behind";
    }
    std::string dir_;
    ScenarioPtr s_;
};

TEST_F(SaveSafetyTest, RefusedWithoutSubstanceOrHydrodynamics)
{
    ScenarioPtr empty = Harbour(dir_, "case.mdp");
    EXPECT_EQ(WriteInputFile(empty.get(), &startup_), WRITE_REFUSED);
    s_->hydLayers = 0;
    EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_REFUSED);
    // The refusal says what is missing.
    EXPECT_EQ(fakes::Texts("error"),
              (std::vector<std::string>{"Scenario not defined: no substance.\n Writing cancelled!",
                                        "Scenario not defined: the grid files of hyd/harbour.hyd could not be "
                                        "read.\n Writing cancelled!"}));
    ExpectOldFilesOnly();
}

// A scenario that breaks a rule tying two of its values together is not
// written: the box tells the first rule broken, the page it is mended on
// is shown, and the old files stay as they were.
TEST_F(SaveSafetyTest, RefusedForABrokenRule)
{
    std::strcpy(s_->timeGroups[TIME_GROUP_HISTORY][TIME_START], "20190315050000");
    std::strcpy(s_->timeGroups[TIME_GROUP_HISTORY][TIME_STOP], "20190315040000");
    EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_REFUSED);
    EXPECT_EQ(fakes::Texts("message"),
              std::vector<std::string>{"Input error:\nStop time history file before start time history file \n"
                                       "Stop  time      : 15 03 2019 04 00 00\n"
                                       "Start time      : 15 03 2019 05 00 00\nData not saved"});
    const auto &calls = fakes::Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ShowScenarioBreak 11 -1 -1"), calls.end());
    ExpectOldFilesOnly();
    // Mended, it is written.
    std::strcpy(s_->timeGroups[TIME_GROUP_HISTORY][TIME_STOP], "20190315060000");
    EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_OK);
}

// The input file holds at most 1000 releases, both kinds together: a
// scenario beyond that is not written (the reader would refuse the file),
// and the box names the limit and the section that goes over it.
TEST_F(SaveSafetyTest, RefusedBeyondTheReleaseLimit)
{
    auto releases = [&](int instantaneous, int continuous) {
        for (GE_List *list : {s_->instantaneousReleases, s_->continuousReleases})
            for (Location *l = nullptr; GE_ListCount(list) > 0; FreeLocation(l))
                GE_ListRemove(list, 0, &l);
        for (int i = 0; i < instantaneous; ++i)
            std::strcpy(AddLocation(s_->instantaneousReleases, "spill", 100.0f, 200.0f)->releaseTime,
                        "20190315030000");
        for (int i = 0; i < continuous; ++i)
            AddLocation(s_->continuousReleases, "outfall", 100.0f, 200.0f);
    };
    const struct {
        int instantaneous, continuous;
        const char *section;
    } cases[] = {{501, 500, "continuous"}, {1001, 0, "instantaneous"}, {0, 1001, "continuous"}};
    for (const auto &c : cases) {
        releases(c.instantaneous, c.continuous);
        fakes::ClearRecord();
        EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_REFUSED);
        EXPECT_EQ(fakes::Texts("error"),
                  std::vector<std::string>{"Saving data: " + std::to_string(c.instantaneous) + " instantaneous and " +
                                           std::to_string(c.continuous) +
                                           " continuous releases.\nAn input file holds at most 1000 releases in "
                                           "all; the " + c.section + " releases go over it.\nWriting cancelled!"});
        ExpectOldFilesOnly();
    }
    // At the limit the file is written.
    releases(500, 500);
    EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_OK);
}

// A time that is no time after T0, or a file name that neither its
// relative nor its full form gives within what the reader takes, is never
// written in another form (an offset of 0, a cut name): the save is
// refused with a box that names it, and the old files stay.
TEST_F(SaveSafetyTest, RefusedForATimeOrANameTheFileCannotHold)
{
    const std::string farName = "Q:/" + std::string(252, 'f');   // 255 characters, nothing in common
    const struct {
        const char *what;
        std::function<void(ScenarioRecord *)> spoil;
        std::string message;
    } cases[] = {
        {"stop in month 13",
         [](ScenarioRecord *s) { std::strcpy(s->timeGroups[TIME_GROUP_SIMULATION][TIME_STOP], "20261399999999"); },
         "Saving data: the simulation stop time \"20261399999999\" cannot be written as a time from the reference time "
         "20190315000000."},
        {"release time empty",
         [](ScenarioRecord *s) { AddLocation(s->instantaneousReleases, "spill", 100.0f, 200.0f); },
         "Saving data: the release time \"\" cannot be written as a time from the reference time 20190315000000."},
        {"name of 255 characters",
         [&](ScenarioRecord *s) { std::strcpy(s->fileNames[FILE_FLOWS], farName.c_str()); },
         "Saving data: the file name\n" + farName + "\nhas 255 characters; the input file holds names of at most 254."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        s_ = Harbour(dir_, "case.mdp");
        AddSubstance(s_.get(), "dye");
        c.spoil(s_.get());
        fakes::ClearRecord();
        EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_REFUSED);
        EXPECT_EQ(fakes::Texts("error"), std::vector<std::string>{c.message + "\nWriting cancelled!"});
        ExpectOldFilesOnly();
    }
}

// A name whose relative form is longer than the reader takes (a scenario
// saved 88 folders below its hydrodynamics) is written in full, and the
// file read back names the same files.
TEST_F(WriterTest, ARelativeNameTooLongForTheFileIsWrittenInFull)
{
    const std::string top = TestDirectory("long_relative");
    std::string deep = top;
    for (int i = 0; i < 88; ++i)
        deep += "/d";
    fs::create_directories(deep);
    ScenarioPtr s = Harbour(top, "case.mdp");
    AddSubstance(s.get(), "dye");
    std::snprintf(s->scenarioFile.dir.path, sizeof s->scenarioFile.dir.path, "%s", deep.c_str());
    fakes::SetProjectDirectory(deep);
    ASSERT_EQ(WriteInputFile(s.get(), &startup_), WRITE_OK) << testing::PrintToString(fakes::Texts("error"));
    const std::string input = WithoutCr(ReadFile(deep + "/case.inp"));
    EXPECT_NE(input.find("\n'" + top + "/hyd/harbour.hyd'; name of *hyd file\n"), std::string::npos);
    const std::string list = WithoutCr(ReadFile(deep + "/case.mdp"));
    EXPECT_NE(list.find("\n17  '" + top + "/hyd/harbour.lga' \n"), std::string::npos) << list;
    EXPECT_EQ(list.substr(0, list.find('\n')), "15  'case.inp'");
    fakes::SetProjectDirectory("");
}

TEST_F(SaveSafetyTest, FailedInputFileLeavesBothFiles)
{
    // The input file's temporary name is taken by a directory: it cannot be
    // created, as in a directory where nothing may be written.
    fs::create_directory(dir_ + "/case.inp.~sav");
    EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_CANNOT_WRITE);
    EXPECT_EQ(fakes::Texts("error"), std::vector<std::string>{"Saving data: could not open file!"});
    ExpectOldFilesOnly();
}

TEST_F(SaveSafetyTest, FailedListFileLeavesBothFiles)
{
    fs::create_directory(dir_ + "/case.mdp.~sav");
    EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_CANNOT_WRITE);
    ExpectOldFilesOnly();
}

TEST_F(SaveSafetyTest, MissingDirectoryFails)
{
    std::strcat(s_->scenarioFile.dir.path, "/no/such/directory");
    EXPECT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_CANNOT_WRITE);
    ExpectOldFilesOnly();
}

TEST_F(SaveSafetyTest, InputNameEndingInInpHoldsTheInputFile)
{
    std::strcpy(s_->scenarioFile.name, "case.inp");
    ASSERT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_OK);
    EXPECT_EQ(ReadFile(dir_ + "/case.inp").rfind("'V3.66.00        '", 0), 0u);
    EXPECT_EQ(ReadFile(dir_ + "/case.mdp"), "old list\n");
}

TEST_F(SaveSafetyTest, ProjectModeWritesTheNameUnprefixed)
{
    startup_.mode = STARTUP_PROJECT;
    fakes::SetProjectDirectory("");
    ASSERT_EQ(WriteInputFile(s_.get(), &startup_), WRITE_OK);
    const std::string list = WithoutCr(ReadFile(dir_ + "/case.mdp"));
    EXPECT_EQ(list.substr(0, 31), "15  'case.inp'\n16  'case.out' \n");
    EXPECT_EQ(fakes::Texts("status"), std::vector<std::string>{"Saving data to case.inp ..."});
}

TEST_F(WriterTest, OilInitialConditionWithoutFileIsWrittenAsNone)
{
    const std::string dir = TestDirectory("oil_no_ini");
    ScenarioPtr s = Harbour(dir, "case.mdp");
    s->modelKind = MODEL_OIL;
    AddOilFraction(s.get(), "light");
    s->initialConditions->option = 1;
    // No name at all, and a name that an earlier scenario left behind (the
    // defaults keep it) while no file was chosen for this one.
    for (const char *stale : {"", "earlier.ini"}) {
        fakes::Reset();
        fakes::SetCreateDefaultTablesHook(EditorDefaultTables);
        std::strcpy(s->initialConditions->iniFile, stale);
        s->initialConditions->fileGiven = 0;
        ASSERT_EQ(WriteInputFile(s.get(), &startup_), WRITE_OK);
        EXPECT_EQ(fakes::Texts("message"),
                  std::vector<std::string>{"Missing data on saving input file\n"
                                           "Initial oil condition file not yet selected\nPlease check !\n"});
        const std::string text = WithoutCr(ReadFile(dir + "/case.inp"));
        EXPECT_NE(text.find(";                            Initial condition (oil only)\n\n"
                            "              0 ; 0 = no initial particles\n"
                            "                ; 1 = initial oil patches (from *.ini file)\n\n"
                            ";                            Observation points \n"),
                  std::string::npos)
            << stale;
        // One fraction over one layer: ten constants and the minimum
        // thickness, no deflection angle.
        EXPECT_NE(text.find("\n   11 ;number of constants \n"), std::string::npos);
        EXPECT_EQ(text.find("deflection angle"), std::string::npos);
    }
}

TEST_F(WriterTest, ReleaseTablesWriteEveryOutputColumn)
{
    // 80 substances (more than a copied table may hold) and a release
    // without a table: every column is written, zeros where nothing is known.
    const std::string dir = TestDirectory("many_columns");
    ScenarioPtr s = Harbour(dir, "case.mdp");
    std::vector<float> masses;
    for (int i = 0; i < 80; ++i) {
        AddSubstance(s.get(), ("s" + std::to_string(i)).c_str());
        masses.push_back(static_cast<float>(i + 1));
    }
    Location *withTable = AddLocation(s->instantaneousReleases, "full", 0.0f, 0.0f);
    withTable->masses = RowTable(masses);
    std::strcpy(withTable->releaseTime, "20190315030000");
    std::strcpy(AddLocation(s->instantaneousReleases, "none", 0.0f, 0.0f)->releaseTime, "20190315030000");
    ASSERT_EQ(WriteInputFile(s.get(), &startup_), WRITE_OK);
    const std::string text = WithoutCr(ReadFile(dir + "/case.inp"));
    const size_t full = text.find(";released mass(kg)\n");
    const size_t none = text.find(";released mass(kg)\n", full + 1);
    ASSERT_NE(none, std::string::npos);
    std::string expectedFull, expectedNone;
    for (int i = 0; i < 80; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%12.3f        ; s%d\n", i + 1.0, i);
        expectedFull += line;
        std::snprintf(line, sizeof line, "%12.3f        ; s%d\n", 0.0, i);
        expectedNone += line;
    }
    EXPECT_EQ(text.substr(full + 19, expectedFull.size()), expectedFull);
    EXPECT_EQ(text.substr(none + 19, expectedNone.size()), expectedNone);
}

TEST_F(WriterTest, OneLayerReleasesGiveTheirDepthAndUserReleasesTheirStopLine)
{
    // With one layer (and no oil) a release's position line ends with its
    // depth under the surface; a user-defined release with option 1 has no
    // stop line.
    const std::string dir = TestDirectory("one_layer_releases");
    ScenarioPtr s = Harbour(dir, "case.mdp");
    AddSubstance(s.get(), "dye");
    Location *instantaneous = AddLocation(s->instantaneousReleases, "i", 100.0f, 200.0f);
    instantaneous->depth = 35.5f;
    std::strcpy(instantaneous->releaseTime, "20190315020000");
    AddLocation(s->continuousReleases, "c", 300.0f, 400.0f)->depth = 80.0f;
    Location *user = AddLocation(s->userDefinedReleases, "u", 0.0f, 0.0f);
    user->particleShare = 5.0f;
    std::strcpy(user->releaseTime, "20190315040000");
    user->userLayer = 1;
    user->userOption = 1;
    std::strcpy(user->userText, "txt");
    ASSERT_EQ(WriteInputFile(s.get(), &startup_), WRITE_OK);
    const std::string text = WithoutCr(ReadFile(dir + "/case.inp"));
    for (const char *expected :
         {"\n'i'\n      0  2  0  0                               ; release time (dd hh mm ss) \n"
          "          100.00         200.00        35.5000"
          " ; x-coord.       y-coord.        depth under surface(%)\n",
          "\n'c'\n          300.00         400.00        80.0000"
          " ; x-coord(m)      y-coord(m)      depth under surface(%)\n",
          "\n  1 \n                5.0000                 1.000   \n  0  4  0  0    1   \n  1 \n"
          "  'txt'  \n\n;                            Decay rates\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

// --- Save and Save as from the menu -----------------------------------------

class CmdSaveTest : public WriterTest {
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        dir_ = TestDirectory(testing::UnitTest::GetInstance()->current_test_info()->name());
        ScenarioPtr s = Harbour(dir_, "");
        AddSubstance(s.get(), "dye");
        DisposeScenario(&g_scenario);
        g_scenario = *s;                 // g_scenario takes over what s owns
        std::memset(s.get(), 0, sizeof *s);
        g_startup = StartupRecord();
        ModifiedFlag = 1;
    }
    void TearDown() override
    {
        DisposeScenario(&g_scenario);
        WriterTest::TearDown();
    }
    std::string dir_;
};

TEST_F(CmdSaveTest, FailedChecksWriteNothing)
{
    const RUV_RECT rect = {0, 0, 100, 100};
    PageWindows[6] = fakes::CreateTestWindow(rect);
    PageWindows[11] = fakes::CreateTestWindow(rect);
    fakes::SetCheckResults(0, 1);
    std::strcpy(g_scenario.scenarioFile.name, "case.mdp");
    EXPECT_EQ(CmdSave(0), 0);
    fakes::SetCheckResults(1, 0);
    EXPECT_EQ(CmdSave(0), 0);
    EXPECT_TRUE(FilesIn(dir_).empty());
    EXPECT_EQ(ModifiedFlag, 1);
    const auto &calls = fakes::Calls();
    // Each refused page is made current as its button would make it.
    EXPECT_NE(std::find(calls.begin(), calls.end(), "SwitchPage 11"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ShowSubPane 11 21 6"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "SwitchPage 6"), calls.end());
    EXPECT_EQ(CurrentPage, 6);
    ruv_vobj_destroy(PageWindows[6]);
    ruv_vobj_destroy(PageWindows[11]);
}

// Save refuses a broken rule before it asks for a name: no dialog, no
// file, the scenario still marked modified, the place of the rule shown.
TEST_F(CmdSaveTest, BrokenRuleRefusedBeforeTheDialog)
{
    std::strcpy(g_scenario.timeGroups[TIME_GROUP_HISTORY][TIME_STEP], "00000000001500");
    fakes::ScriptFileDialog(dir_ + "/chosen.mdp");
    EXPECT_EQ(CmdSaveAs(), 0);
    EXPECT_TRUE(FilesIn(dir_).empty());
    EXPECT_EQ(ModifiedFlag, 1);
    EXPECT_TRUE(fakes::Texts("ask").empty()) << "no file dialog";
    ASSERT_EQ(fakes::Texts("message").size(), 1u);
    EXPECT_EQ(fakes::Texts("message")[0].rfind("Input error:\nHistory file time step not a multiple of computational "
                                               "time step\n", 0),
              0u);
    const auto &calls = fakes::Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ShowScenarioBreak 11 -1 -1"), calls.end());
}

TEST_F(CmdSaveTest, CancelledDialogKeepsTheName)
{
    std::strcpy(g_scenario.scenarioFile.name, "case.mdp");
    fakes::ScriptFileDialog("");
    EXPECT_EQ(CmdSaveAs(), 0);
    EXPECT_STREQ(g_scenario.scenarioFile.name, "case.mdp");
    EXPECT_TRUE(FilesIn(dir_).empty());
    EXPECT_EQ(ModifiedFlag, 1);
}

TEST_F(CmdSaveTest, SaveAsWritesTheChosenFileAndClearsTheMark)
{
    fakes::ScriptFileDialog(dir_ + "/chosen.mdp");
    EXPECT_EQ(CmdSave(0), WRITE_OK);  // no name yet: the dialog is shown
    EXPECT_EQ(FilesIn(dir_), (std::vector<std::string>{"chosen.inp", "chosen.mdp"}));
    EXPECT_STREQ(g_scenario.scenarioFile.name, "chosen.mdp");
    EXPECT_EQ(std::string(g_startup.directoryText), dir_);
    EXPECT_EQ(ModifiedFlag, 0);
    EXPECT_EQ(fakes::Texts("ask"), std::vector<std::string>{"Save the current data [*.mdp save]"});
    // Named now, the scenario is offered Save.
    const auto &calls = fakes::Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ruv_menu_set_item_enabled 1004 1"), calls.end());
}

TEST_F(CmdSaveTest, FailedWriteKeepsTheModifiedMark)
{
    std::strcpy(g_scenario.scenarioFile.name, "case.mdp");
    fs::create_directory(dir_ + "/case.inp.~sav");
    EXPECT_EQ(CmdSave(0), WRITE_CANNOT_WRITE);
    EXPECT_EQ(ModifiedFlag, 1);
}

}  // namespace
