// Tests of the *.hyd reader: the fixture files in data/hyd and a table of
// short texts for the keywords, blocks, bounds and error messages.
#include "hyd_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "scenario.h"

namespace {

const std::string kDataDir = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/model/tests/data/hyd/";

std::unique_ptr<ScenarioRecord> MarkedScenario()
{
    auto s = std::make_unique<ScenarioRecord>();
    std::strcpy(s->hydReferenceTime, "19000101000000");
    std::strcpy(s->outputReferenceDate, "19000101000000");
    for (auto &t : s->hydTimes)
        std::strcpy(t, "18990101000000");
    for (auto &title : s->titles)
        std::strcpy(title, "old title");
    for (auto &name : s->fileNames)
        std::strcpy(name, "old name");
    return s;
}

void ExpectUntouched(const ScenarioRecord &s)
{
    EXPECT_STREQ(s.hydReferenceTime, "19000101000000");
    EXPECT_STREQ(s.outputReferenceDate, "19000101000000");
    for (const auto &t : s.hydTimes)
        EXPECT_STREQ(t, "18990101000000");
    for (const auto &title : s.titles)
        EXPECT_STREQ(title, "old title");
    for (const auto &name : s.fileNames)
        EXPECT_STREQ(name, "old name");
}

struct Parsed {
    int32_t result;
    std::string out;
    std::string err;
    HydDescription d;
};

Parsed Parse(const std::string &text)
{
    Parsed p;
    std::memset(&p.d, 0, sizeof p.d);
    SetHydStartValues(&p.d);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    p.result = ParseHydText(text.data(), text.size(), &p.d);
    p.out = testing::internal::GetCapturedStdout();
    p.err = testing::internal::GetCapturedStderr();
    return p;
}

int32_t ReadQuietly(const std::string &path, ScenarioRecord *s, std::string *out = nullptr,
                    std::string *err = nullptr)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int32_t result = ReadHydFile(path.c_str(), s);
    std::string o = testing::internal::GetCapturedStdout();
    std::string e = testing::internal::GetCapturedStderr();
    if (out)
        *out = o;
    if (err)
        *err = e;
    return result;
}

TEST(HydReader, MainFileFillsDescriptionAndScenario)
{
    auto s = MarkedScenario();
    const std::string path = kDataDir + "main.hyd";
    std::string out, err;
    ASSERT_EQ(ReadQuietly(path, s.get(), &out, &err), HYD_READ_OK);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");

    EXPECT_STREQ(s->hydReferenceTime, "20190315000000");
    EXPECT_STREQ(s->outputReferenceDate, "20190315000000");
    EXPECT_STREQ(s->hydTimes[HYD_TIME_START], "20190315010000");
    EXPECT_STREQ(s->hydTimes[HYD_TIME_STOP], "20190316010000");
    EXPECT_STREQ(s->hydTimes[HYD_TIME_STEP], "00000000000500");
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_START], "20190315020000");
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_STOP], "20190315140000");
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_STEP], "00000000001000");

    EXPECT_STREQ(s->titles[0], "Harbour model, spring tide");
    EXPECT_STREQ(s->titles[1], "Three layers, 12 hours");
    EXPECT_STREQ(s->titles[2], "2019 calibration run");

    EXPECT_EQ(s->fileNames[FILE_HYD], path);
    EXPECT_EQ(s->fileNames[FILE_TOTAL_GRID], kDataDir + "com-harbour.lga");
    EXPECT_EQ(s->fileNames[FILE_GRID_INDICES], kDataDir + "harbour.lga");
    EXPECT_EQ(s->fileNames[FILE_GRID_COORDINATES], kDataDir + "harbour.cco");
    EXPECT_EQ(s->fileNames[FILE_VOLUMES], kDataDir + "harbour.vol");
    EXPECT_EQ(s->fileNames[FILE_FLOWS], kDataDir + "harbour.flo");
    EXPECT_EQ(s->fileNames[FILE_WALKING_DISCHARGES], kDataDir + "harbour.wlk");
    for (int spare = 6; spare <= 9; ++spare)
        EXPECT_STREQ(s->fileNames[spare], "old name") << spare;

    const HydDescription *d = GetHydDescription();
    EXPECT_STREQ(d->files[HYD_HYDRODYNAMIC_FILE], "harbour.dat");
    EXPECT_STREQ(d->files[HYD_AGGREGATION_FILE], "");
    EXPECT_STREQ(d->files[HYD_SALINITY_FILE], "");
    EXPECT_STREQ(d->files[HYD_DEPTHS_FILE], "harbour.dps");
    EXPECT_STREQ(d->files[HYD_ATTRIBUTES_FILE], "harbour.atr");
    EXPECT_STREQ(d->times[HYD_CONVERSION_REF_TIME], "20190315000000");
    EXPECT_EQ(d->descriptionLineCount, 3);

    const int expectedInts[][2] = {
        {HYD_TASK, 3}, {HYD_GEOMETRY, 1}, {HYD_HORIZONTAL_AGGREGATION, 0},
        {HYD_MIN_VERT_DIFFUSION_USED, 1}, {HYD_VERTICAL_DIFFUSION, 1},
        {HYD_CELLS_FIRST_DIRECTION, 14}, {HYD_CELLS_SECOND_DIRECTION, 9},
        {HYD_HYDRODYNAMIC_LAYERS, 3}, {HYD_WATER_QUALITY_LAYERS, 3},
        {HYD_HORIZONTAL_EXCHANGES, 250}, {HYD_VERTICAL_EXCHANGES, 126},
        {HYD_HYDRODYNAMIC_THICKNESS_START, 6}, {HYD_WATER_QUALITY_THICKNESS_START, 9},
    };
    for (const auto &e : expectedInts)
        EXPECT_EQ(d->integers[e[0]], e[1]) << "integer slot " << e[0];

    const float thicknesses[] = {0.2f, 0.3f, 0.5f, 1.0f, 1.0f, 1.0f};
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(d->values[6 + i], thicknesses[i]) << i;
    EXPECT_EQ(d->valueCounter, 12);
    EXPECT_EQ(d->layersGiven[0], 1);
    EXPECT_EQ(d->layersGiven[1], 1);
    ASSERT_EQ(d->boundaryCellCount, 4);
    EXPECT_EQ(d->boundaryCells[0], -1);
    EXPECT_EQ(d->boundaryCells[3], -4);
}

TEST(HydReader, CapitalsAndUnknownWordsSkipTheirLine)
{
    // Times of earlier reads would carry over (a stop before this start).
    std::memset(GetHydDescription()->times, 0, sizeof GetHydDescription()->times);
    auto s = MarkedScenario();
    std::string out, err;
    ASSERT_EQ(ReadQuietly(kDataDir + "uppercase.hyd", s.get(), &out, &err), HYD_READ_OK);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err,
              "Unknown word: 'Reference' near/at line 1 - ignoring line\n"
              "Unknown word: 'CONVERSION' near/at line 3 - ignoring line\n"
              "Unknown word: 'Grid' near/at line 6 - ignoring line\n"
              "Unknown word: 'bogus' near/at line 7 - ignoring line\n");
    EXPECT_STREQ(s->hydReferenceTime, "20200601000000");
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_START], "20200601030000");
    const HydDescription *d = GetHydDescription();
    EXPECT_EQ(d->integers[HYD_CELLS_FIRST_DIRECTION], 5);
    EXPECT_EQ(d->integers[HYD_CELLS_SECOND_DIRECTION], 6);
}

TEST(HydReader, SyntaxErrorNamesLineAndTokenAndLeavesScenario)
{
    auto s = MarkedScenario();
    std::string out, err;
    EXPECT_EQ(ReadQuietly(kDataDir + "syntax_error.hyd", s.get(), &out, &err), HYD_PARSE_FAILED);
    EXPECT_EQ(out, "syntax error near or at line 4  [42]\n");
    ExpectUntouched(*s);
}

TEST(HydReader, MissingFileAndEmptyPath)
{
    auto s = MarkedScenario();
    EXPECT_EQ(ReadQuietly(kDataDir + "no_such_file.hyd", s.get()), HYD_CANNOT_OPEN);
    ExpectUntouched(*s);
    EXPECT_EQ(ReadHydFile("", s.get()), HYD_READ_OK);
    EXPECT_EQ(ReadHydFile(nullptr, s.get()), HYD_READ_OK);
    ExpectUntouched(*s);
}

TEST(HydReader, EmptyFileKeepsTimesAndLinesOfThePreviousRead)
{
    auto s = MarkedScenario();
    ASSERT_EQ(ReadQuietly(kDataDir + "main.hyd", s.get()), HYD_READ_OK);
    auto t = MarkedScenario();
    const std::string path = kDataDir + "empty.hyd";
    ASSERT_EQ(ReadQuietly(path, t.get()), HYD_READ_OK);
    EXPECT_STREQ(t->hydReferenceTime, "20190315000000");
    EXPECT_STREQ(t->hydTimes[HYD_CONVERSION_STEP], "00000000001000");
    EXPECT_STREQ(t->titles[1], "Three layers, 12 hours");
    EXPECT_EQ(t->fileNames[FILE_HYD], path);
    EXPECT_STREQ(t->fileNames[FILE_GRID_INDICES], "");
    EXPECT_STREQ(t->fileNames[FILE_WALKING_DISCHARGES], "");

    // ... but every other field starts afresh.
    const HydDescription *d = GetHydDescription();
    EXPECT_EQ(d->integers[HYD_HYDRODYNAMIC_LAYERS], 1);
    EXPECT_EQ(d->integers[HYD_WATER_QUALITY_THICKNESS_START], 7);
    EXPECT_FLOAT_EQ(d->values[6], 1.0f);
    EXPECT_FLOAT_EQ(d->values[7], 1.0f);
    EXPECT_FLOAT_EQ(d->values[8], 0.0f);
    EXPECT_EQ(d->valueCounter, 6);
    EXPECT_EQ(d->boundaryCellCount, 0);
    EXPECT_EQ(d->layersGiven[0], 0);
    EXPECT_EQ(d->descriptionLineCount, 0);
}

TEST(HydReader, FailedReadLeavesNothingForTheNextRead)
{
    // A file that sets times and description lines and then fails must not
    // hand them to a later read of a file without them.
    auto s = MarkedScenario();
    ASSERT_EQ(ReadQuietly(kDataDir + "main.hyd", s.get()), HYD_READ_OK);
    const std::string path = std::string(TRAZ_TEST_BINARY_DIR) + "/hyd_reader_broken.hyd";
    {
        FILE *f = std::fopen(path.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("reference-time '20301231000000'\n"
                   "conversion-timestep '00000000009900'\n"
                   "description 'broken' end-description\n"
                   "task yes\n", f);
        std::fclose(f);
    }
    EXPECT_EQ(ReadQuietly(path, s.get()), HYD_PARSE_FAILED);
    std::remove(path.c_str());

    auto t = MarkedScenario();
    ASSERT_EQ(ReadQuietly(kDataDir + "empty.hyd", t.get()), HYD_READ_OK);
    EXPECT_STREQ(t->hydReferenceTime, "20190315000000");
    EXPECT_STREQ(t->hydTimes[HYD_CONVERSION_STEP], "00000000001000");
    EXPECT_STREQ(t->titles[0], "Harbour model, spring tide");
}

TEST(HydReader, DiffusionDispersionAndLayerBlocks)
{
    auto s = MarkedScenario();
    ASSERT_EQ(ReadQuietly(kDataDir + "blocks.hyd", s.get()), HYD_READ_OK);
    const HydDescription *d = GetHydDescription();
    EXPECT_FLOAT_EQ(d->values[HYD_UPPER_LAYER], 1.5e-4f);
    EXPECT_FLOAT_EQ(d->values[HYD_LOWER_LAYER], 2.0e-5f);
    EXPECT_FLOAT_EQ(d->values[HYD_INTERFACE_DEPTH], 10.0f);  // set on entering the block
    EXPECT_FLOAT_EQ(d->values[HYD_FIRST_DIRECTION], 1.0f);
    EXPECT_FLOAT_EQ(d->values[HYD_SECOND_DIRECTION], 0.5f);
    EXPECT_FLOAT_EQ(d->values[HYD_THIRD_DIRECTION], 1e-7f);
    EXPECT_EQ(d->integers[HYD_HYDRODYNAMIC_THICKNESS_START], 6);
    EXPECT_FLOAT_EQ(d->values[6], 0.2f);
    EXPECT_FLOAT_EQ(d->values[7], 0.3f);
    EXPECT_FLOAT_EQ(d->values[8], 0.5f);
    EXPECT_EQ(d->integers[HYD_WATER_QUALITY_THICKNESS_START], 9);
    EXPECT_FLOAT_EQ(d->values[9], 0.5f);
    EXPECT_FLOAT_EQ(d->values[10], 0.5f);
    EXPECT_EQ(d->valueCounter, 11);
}

TEST(HydReader, EscapedQuotesAndMultiLineTexts)
{
    auto s = MarkedScenario();
    ASSERT_EQ(ReadQuietly(kDataDir + "escaped_quotes.hyd", s.get()), HYD_READ_OK);
    EXPECT_STREQ(s->titles[0], "It's a model");
    EXPECT_STREQ(s->titles[1], "path C:\\data\\run's end");
    EXPECT_STREQ(s->titles[2], "'quoted'");
    EXPECT_EQ(s->fileNames[FILE_GRID_INDICES], kDataDir + "a b'c.lga");
    EXPECT_EQ(s->fileNames[FILE_GRID_COORDINATES], kDataDir + "grid\ncoordinates.cco");
}

TEST(HydReader, NoGridFilesLeavesGridNamesEmpty)
{
    auto s = MarkedScenario();
    ASSERT_EQ(ReadQuietly(kDataDir + "no_grid.hyd", s.get()), HYD_READ_OK);
    EXPECT_STREQ(s->fileNames[FILE_GRID_INDICES], "");
    EXPECT_STREQ(s->fileNames[FILE_GRID_COORDINATES], "");
    EXPECT_STREQ(s->fileNames[FILE_TOTAL_GRID], "");
    EXPECT_EQ(s->fileNames[FILE_VOLUMES], kDataDir + "only.vol");
    EXPECT_EQ(s->fileNames[FILE_FLOWS], kDataDir + "only.flo");
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_START], "20200101060000");
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_STEP], "00000000003000");
}

// Short texts through the parser: result, and what the read must have set
// or reported.
struct TextCase {
    const char *name;
    std::string text;
    int32_t result;
    std::string out;     // exact standard output, or "*" for any
    const char *errHas;  // text the standard error must contain, or NULL
};

class HydText : public testing::TestWithParam<TextCase> {};

TEST_P(HydText, ResultAndMessages)
{
    const TextCase &c = GetParam();
    Parsed p = Parse(c.text);
    EXPECT_EQ(p.result, c.result);
    if (c.out != "*") {
        EXPECT_EQ(p.out, c.out);
    }
    if (c.errHas) {
        EXPECT_NE(p.err.find(c.errHas), std::string::npos) << p.err;
    }
}

const std::string kLongName(300, 'x');

std::string Repeat(const std::string &item, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += item;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HydText,
    testing::Values(
        TextCase{"Empty", "", 0, "", nullptr},
        TextCase{"OnlyComments", "# one\n   # two\n", 0, "", nullptr},
        TextCase{"NoneClearsSlot", "hydrodynamic-file 'a'\nhydrodynamic-file none\n", 0, "", nullptr},
        TextCase{"FileKeywordWithSwitchValue", "hydrodynamic-file yes\n", 5,
                 "syntax error near or at line 1  [yes]\n", nullptr},
        TextCase{"FileKeywordWithUnknownWord", "flows-file bogus\nvolumes-file 'v'\n", 5,
                 "syntax error near or at line 2  [volumes-file]\n", "Unknown word: 'bogus'"},
        TextCase{"FileKeywordAtEnd", "flows-file", 5, "syntax error near or at line 1  []\n",
                 nullptr},
        TextCase{"ShortTime", "\n\nreference-time '2020010100'\n", 5,
                 "time value of fewer than 14 digits near or at line 3  ['2020010100']\n",
                 nullptr},
        TextCase{"EmptyTimeIsText", "reference-time ''\n", 5, "*", nullptr},
        TextCase{"LongTimeKeepsFourteen", "reference-time '2020010112000099'", 0, "", nullptr},
        TextCase{"CountOutOfRange", "grid-cells-first-direction 99999999999\n", 5,
                 "number out of range near or at line 1  [99999999999]\n", nullptr},
        TextCase{"CountNotInteger", "grid-cells-first-direction 1.5\n", 5, "*", nullptr},
        TextCase{"RealOutOfRange", "hydrodynamic-layers 1e40 end-hydrodynamic-layers", 5,
                 "number out of range near or at line 1  [1e40]\n", nullptr},
        TextCase{"FileNameTooLong", "grid-indices-file '" + kLongName + "'\n", 5,
                 "file name too long near or at line 1  ['" + kLongName + "']\n",
                 nullptr},
        TextCase{"FileNameOfMaximumLength",
                 "grid-indices-file '" + std::string(255, 'y') + "'\n", 0, "", nullptr},
        TextCase{"UnterminatedText", "description\n 'abc\n\n", 5,
                 "text without closing quote near or at line 2  ['abc\n\n]\n", nullptr},
        TextCase{"StrayCharacter", "task , full-coupling\n", 5,
                 "syntax error near or at line 1  [,]\n", nullptr},
        TextCase{"NulCharacter", std::string("task \0 no-task", 14), 5, "*", nullptr},
        TextCase{"LineAfterMultiLineText",
                 "grid-indices-file 'a\nb\nc'\ntask 7\n", 5,
                 "syntax error near or at line 4  [7]\n", nullptr},
        TextCase{"AnyEndClosesAnyBlock", "description 'a' end-domains\n", 0, "", nullptr},
        TextCase{"BlockWithoutEnd", "hydrodynamic-layers 0.5 0.5\n", 5, "*", nullptr},
        TextCase{"MostThicknesses",
                 "hydrodynamic-layers " + Repeat("1 ", 194) + "end-hydrodynamic-layers", 0, "",
                 nullptr},
        TextCase{"TooManyThicknesses",
                 "hydrodynamic-layers " + Repeat("1 ", 195) + "end-hydrodynamic-layers", 5,
                 "too many layer thicknesses near or at line 1  [1]\n", nullptr},
        TextCase{"MostBoundaryCells",
                 "boundary-sections 'a' " + Repeat("7 ", 999) + "end-boundary-sections", 0, "",
                 nullptr},
        TextCase{"TooManyBoundaryCells",
                 "boundary-sections 'a' " + Repeat("7 ", 500) + "'b' " + Repeat("8 ", 500) +
                     "end-boundary-sections",
                 5, "", "Too many boundary cells!\n"},
        TextCase{"DischargeEntryIncomplete",
                 "discharges 1 2 'a' end-discharges", 5, "*", nullptr},
        TextCase{"DomainWithNone", "domains 'a' 1 2 none 'b' 3 4 'c' end-domains", 0, "",
                 nullptr},
        TextCase{"DdBoundaryShort", "dd-boundaries 'a' 1 2 3 4 'b' 1 2 3 end-dd-boundaries", 5,
                 "*", nullptr},
        TextCase{"CoupledBoundary",
                 "boundaries-coupled-externally 'a' 1 2 3 4 'b' 5 6 7 8 "
                 "end-boundaries-coupled-externally",
                 0, "", nullptr},
        TextCase{"ChoiceNeedsChoiceValue", "task yes\n", 5, "*", nullptr},
        TextCase{"SwitchNeedsSwitchValue", "horizontal-aggregation no-task\n", 5, "*",
                 nullptr},
        TextCase{"KeywordGluedToWord", "tasks full-coupling\n", 0, "", "Unknown word: 'tasks'"}),
    [](const testing::TestParamInfo<TextCase> &info) { return std::string(info.param.name); });

TEST(HydText, ValuesOfTheStatements)
{
    Parsed p = Parse(
        "hydrodynamic-file 'a.dat' hydrodynamic-file none\n"
        "reference-time '2020010112000099'\n"
        "task coupling-per-domain geometry curvilinear-grid vertical-diffusion from-hydrodynamics\n"
        "horizontal-aggregation automatic minimum-vert-diffusion-used no\n"
        "number-vertical-exchanges -3\n"
        "hydrodynamic-layers 1 +2.5 .5 3. 1.E1 end-hydrodynamic-layers\n"
        "description '" + std::string(70, 'd') + "' '12345' '' 'four' end-description\n"
        "conversion-start-time '20200101000000'\n");
    ASSERT_EQ(p.result, 0) << p.out;
    EXPECT_STREQ(p.d.files[HYD_HYDRODYNAMIC_FILE], "");
    EXPECT_STREQ(p.d.times[HYD_REFERENCE_TIME], "20200101120000");
    EXPECT_STREQ(p.d.times[HYD_CONVERSION_START_TIME], "20200101000000");
    EXPECT_EQ(p.d.integers[HYD_TASK], 4);
    EXPECT_EQ(p.d.integers[HYD_GEOMETRY], 1);
    EXPECT_EQ(p.d.integers[HYD_VERTICAL_DIFFUSION], 2);
    EXPECT_EQ(p.d.integers[HYD_HORIZONTAL_AGGREGATION], 2);
    EXPECT_EQ(p.d.integers[HYD_MIN_VERT_DIFFUSION_USED], 0);
    EXPECT_EQ(p.d.integers[HYD_VERTICAL_EXCHANGES], -3);
    const float layers[] = {1.0f, 2.5f, 0.5f, 3.0f, 10.0f};
    for (int i = 0; i < 5; ++i)
        EXPECT_FLOAT_EQ(p.d.values[6 + i], layers[i]) << i;
    EXPECT_EQ(p.d.descriptionLineCount, 3);
    EXPECT_EQ(std::string(p.d.descriptionLines[0]), std::string(59, 'd'));
    EXPECT_STREQ(p.d.descriptionLines[1], "12345");  // quoted digits are text here
    EXPECT_STREQ(p.d.descriptionLines[2], "");
}

TEST(HydReader, ReadErrorEndsTheReadNotTheProgram)
{
#ifdef _WIN32
    GTEST_SKIP() << "the Windows runtime reads a write-only stream as empty, without an error";
#endif
    const std::string path = std::string(TRAZ_TEST_BINARY_DIR) + "/hyd_reader_write_only.hyd";
    FILE *f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("task no-task\n", f);
    HydDescription d;
    std::memset(&d, 0, sizeof d);
    SetHydStartValues(&d);
    testing::internal::CaptureStdout();
    EXPECT_EQ(ParseHydStream(f, &d), HYD_PARSE_FAILED);  // the stream cannot be read
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "input in flex scanner failed near or at line 1  []\n");
    std::fclose(f);
    std::remove(path.c_str());
}

// A file read whole, over several blocks, gives the description its text
// gives; a folder named as the file is not read, and the read fails with a
// line that says why.
TEST(HydReader, FileReadsAsItsTextAndAFolderFails)
{
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "# comment line " + std::to_string(i) + " that the reader passes over\n";
    std::ifstream main(kDataDir + "main.hyd", std::ios::binary);
    text += std::string(std::istreambuf_iterator<char>(main), std::istreambuf_iterator<char>());
    ASSERT_GT(text.size(), 3u * 4096u);
    const std::string path = std::string(TRAZ_TEST_BINARY_DIR) + "/hyd_reader_long.hyd";
    std::ofstream(path, std::ios::binary) << text;
    auto s = MarkedScenario();
    ASSERT_EQ(ReadQuietly(path, s.get()), HYD_READ_OK);
    const HydDescription fromFile = *GetHydDescription();
    const Parsed fromText = Parse(text);
    ASSERT_EQ(fromText.result, HYD_READ_OK);
    const HydDescription &d = fromText.d;
    for (int i = 0; i < HYD_FILE_SLOTS; ++i)
        EXPECT_STREQ(fromFile.files[i], d.files[i]) << i;
    for (int i = 0; i < HYD_TIME_SLOTS; ++i)
        EXPECT_STREQ(fromFile.times[i], d.times[i]) << i;
    for (int i = 0; i < HYD_DESCRIPTION_LINES; ++i)
        EXPECT_STREQ(fromFile.descriptionLines[i], d.descriptionLines[i]) << i;
    EXPECT_EQ(fromFile.descriptionLineCount, d.descriptionLineCount);
    EXPECT_EQ(std::memcmp(fromFile.integers, d.integers, sizeof d.integers), 0);
    EXPECT_EQ(std::memcmp(fromFile.values, d.values, sizeof d.values), 0);
    EXPECT_EQ(fromFile.valueCounter, d.valueCounter);
    EXPECT_EQ(std::memcmp(fromFile.layersGiven, d.layersGiven, sizeof d.layersGiven), 0);
    EXPECT_EQ(fromFile.boundaryCellCount, d.boundaryCellCount);
    EXPECT_EQ(std::memcmp(fromFile.boundaryCells, d.boundaryCells, sizeof d.boundaryCells), 0);
    EXPECT_STREQ(s->titles[0], "Harbour model, spring tide");
    std::remove(path.c_str());

    const std::string folder = std::string(TRAZ_TEST_BINARY_DIR) + "/hyd_reader_folder.hyd";
    std::filesystem::create_directories(folder);
    auto t = MarkedScenario();
    std::string out;
    EXPECT_EQ(ReadQuietly(folder, t.get(), &out), HYD_PARSE_FAILED);
    EXPECT_EQ(out, folder + " is not a regular file\n");
    ExpectUntouched(*t);
}

// Times that make no simulation fail the read with a line that names the
// time, and the scenario keeps its times (and everything else); good times
// around them read.
TEST(HydReader, TimesThatMakeNoSimulationFailTheRead)
{
    const std::string good =
        "reference-time          '20260601000000'\n"
        "hydrodynamic-start-time '20260601000000'\n"
        "hydrodynamic-stop-time  '20260602000000'\n"
        "hydrodynamic-timestep   '00000000003000'\n"
        "conversion-start-time   '20260601000000'\n"
        "conversion-stop-time    '20260602000000'\n"
        "conversion-timestep     '00000000003000'\n";
    const std::string path = std::string(TRAZ_TEST_BINARY_DIR) + "/hyd_reader_times.hyd";
    const struct {
        const char *time;
        const char *value;
        const char *out;
    } cases[] = {
        {"conversion-stop-time", "'20261399999999'", "Invalid time: conversion-stop-time '20261399999999' is no date\n"},
        {"reference-time", "'20260230000000'", "Invalid time: reference-time '20260230000000' is no date\n"},
        {"conversion-stop-time", "'20260531000000'",
         "Invalid time: conversion-stop-time '20260531000000' is not after its start '20260601000000'\n"},
        {"conversion-stop-time", "'20260601000000'",
         "Invalid time: conversion-stop-time '20260601000000' is not after its start '20260601000000'\n"},
        {"hydrodynamic-stop-time", "'20250101000000'",
         "Invalid time: hydrodynamic-stop-time '20250101000000' is not after its start '20260601000000'\n"},
        {"conversion-timestep", "'00000000000000'",
         "Invalid time: conversion-timestep '00000000000000' is no time step\n"},
        {"hydrodynamic-timestep", "'00000000000000'",
         "Invalid time: hydrodynamic-timestep '00000000000000' is no time step\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.out);
        std::ofstream(path, std::ios::binary) << good << c.time << " " << c.value << "\n"
                                              << "description 'new title' end-description\n";
        auto s = MarkedScenario();
        std::string out;
        EXPECT_EQ(ReadQuietly(path, s.get(), &out), HYD_PARSE_FAILED);
        EXPECT_EQ(out, c.out);
        ExpectUntouched(*s);
    }
    std::ofstream(path, std::ios::binary) << good;
    auto s = MarkedScenario();
    EXPECT_EQ(ReadQuietly(path, s.get()), HYD_READ_OK);
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_STOP], "20260602000000");
    std::remove(path.c_str());
}

// A UTF-8 byte-order mark before the text is passed over, as the input
// file reader passes over one.
TEST(HydReader, AByteOrderMarkIsPassedOver)
{
    const std::string path = std::string(TRAZ_TEST_BINARY_DIR) + "/hyd_reader_bom.hyd";
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBFreference-time '20260601000000'\n";
    auto s = MarkedScenario();
    EXPECT_EQ(ReadQuietly(path, s.get()), HYD_READ_OK);
    EXPECT_STREQ(s->hydReferenceTime, "20260601000000");
    std::remove(path.c_str());
}

// What is no regular file (a device, whose read never ends) or is larger
// than a description file can be is not read: the read fails with a line
// that says why, and the scenario keeps what it had.
TEST(HydReader, ADeviceOrAnOversizedFileIsNotRead)
{
    const std::string big = std::string(TRAZ_TEST_BINARY_DIR) + "/hyd_reader_big.hyd";
    {
        std::ofstream(big, std::ios::binary) << "task no-task\n";
    }
    std::filesystem::resize_file(big, (16 << 20) + 1);   // sparse: costs no writing
    struct {
        std::string path;
        std::string out;
    } cases[] = {
        {big, big + " is larger than a description file can be\n"},
#ifndef _WIN32
        {"/dev/zero", "/dev/zero is not a regular file\n"},
#endif
    };
    for (const auto &c : cases) {
        auto s = MarkedScenario();
        std::string out;
        EXPECT_EQ(ReadQuietly(c.path, s.get(), &out), HYD_PARSE_FAILED) << c.path;
        EXPECT_EQ(out, c.out);
        ExpectUntouched(*s);
    }
    std::remove(big.c_str());
}

TEST(HydReader, EachReadStartsAfresh)
{
    // A read that stopped inside a quoted text or a text block leaves
    // nothing behind for the next one.
    HydDescription d;
    std::memset(&d, 0, sizeof d);
    SetHydStartValues(&d);
    for (const char *broken : {"description 'half", "discharges 1 2 3"}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(ParseHydText(broken, std::strlen(broken), &d), HYD_PARSE_FAILED);
        testing::internal::GetCapturedStdout();
        const char good[] = "reference-time '20200101000000'";
        EXPECT_EQ(ParseHydText(good, sizeof good - 1, &d), HYD_READ_OK) << broken;
    }
    auto s = MarkedScenario();
    EXPECT_EQ(ReadQuietly(kDataDir + "syntax_error.hyd", s.get()), HYD_PARSE_FAILED);
    EXPECT_EQ(ReadQuietly(kDataDir + "no_grid.hyd", s.get()), HYD_READ_OK);
}

TEST(HydReader, TrailingBlanksOfDescriptionLinesAreDropped)
{
    const std::string dir = std::string(TRAZ_TEST_BINARY_DIR) + "/";
    const std::string path = dir + "hyd_reader_blanks.hyd";
    {
        FILE *f = std::fopen(path.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("description '  lead and trail   \t' 'x' end-description\n", f);
        std::fclose(f);
    }
    auto s = MarkedScenario();
    ASSERT_EQ(ReadQuietly(path, s.get()), HYD_READ_OK);
    EXPECT_STREQ(s->titles[0], "  lead and trail");
    EXPECT_STREQ(s->titles[1], "x");
    std::remove(path.c_str());
}

}  // namespace
