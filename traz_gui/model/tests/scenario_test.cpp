// Tests of the scenario record: the defaults, what they keep, the reset, and
// the constructors and destructors of list elements.
#include "scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor_services.h"
#include "fakes.h"
#include "scenario_fixtures.h"

using namespace scenario_fixtures;

namespace {

class ScenarioTest : public testing::Test {
protected:
    void SetUp() override { fakes::Reset(); }
};

int Rows(XYSeries *t) { return GetXYSeriesInfo(t, XYS_INFO_ROWS); }
int Series(XYSeries *t) { return GetXYSeriesInfo(t, XYS_INFO_SERIES); }
int Mode(XYSeries *t) { return GetXYSeriesInfo(t, XYS_INFO_MODE); }
int Kind(XYSeries *t) { return GetXYSeriesInfo(t, XYS_INFO_KIND); }

std::string TextAt(GE_List *list, int i)
{
    char *text = nullptr;
    return GE_ListGet(list, i, &text) && text != nullptr ? text : "<none>";
}

TEST_F(ScenarioTest, DefaultsOfTheRecord)
{
    StartupRecord startup = {};
    ScenarioPtr s(new ScenarioRecord());
    PageFilled[0] = 0;
    ModifiedFlag = 1;
    CurrentPage = 3;
    // Values an earlier scenario left, which the defaults must clear.
    int32_t grid[4] = {};
    float coordinates[4] = {};
    s->modelKind = MODEL_OIL;
    s->temperatureVariant = 0;
    s->redTideSwitch = 0;
    s->releaseNameCount = 7;
    s->oilFractionCount = 2;
    s->coordinatePairSelector = 1;
    s->mmax = s->nmax = s->depthCount = 4;
    s->activeGrid = grid;
    s->x = s->y = s->segmentDepths = coordinates;
    s->hydWord = s->hydFlag = s->hydLayers = 3;
    for (int32_t &flag : s->pageFlags)
        flag = 1;
    for (auto &name : s->fileNames)
        std::strcpy(name, "old");
    for (auto &title : s->titles)
        std::strcpy(title, "old");
    EXPECT_EQ(SetScenarioDefaults(&startup, s.get()), 4);
    EXPECT_EQ(s->releaseNameCount, 0);
    EXPECT_EQ(s->oilFractionCount, 0);
    EXPECT_EQ(s->coordinatePairSelector, 0);
    EXPECT_EQ(s->mmax, 0);
    EXPECT_EQ(s->nmax, 0);
    EXPECT_EQ(s->depthCount, 0);
    EXPECT_EQ(s->activeGrid, nullptr);
    EXPECT_EQ(s->x, nullptr);
    EXPECT_EQ(s->y, nullptr);
    EXPECT_EQ(s->segmentDepths, nullptr);
    EXPECT_EQ(s->hydWord, 0);
    EXPECT_EQ(s->hydFlag, 0);
    for (int32_t flag : s->pageFlags)
        EXPECT_EQ(flag, 0);
    for (const auto &name : s->fileNames)
        EXPECT_STREQ(name, "");
    for (const auto &title : s->titles)
        EXPECT_STREQ(title, "");

    EXPECT_EQ(s->modelKind, MODEL_TRACER);
    EXPECT_EQ(s->temperatureVariant, 1);
    EXPECT_EQ(s->redTideSwitch, 1);
    for (const auto &group : s->timeGroups) {
        EXPECT_STREQ(group[TIME_START], "19000101000000");
        EXPECT_STREQ(group[TIME_STOP], "19000101120000");  // exactly 12 hours on
        EXPECT_STREQ(group[TIME_STEP], "00000000001000");
    }
    EXPECT_STREQ(s->outputReferenceDate, "19000101000000");
    EXPECT_STREQ(s->takeOverTime, "19000101000000");
    EXPECT_STREQ(s->hydReferenceTime, "19000101000000");
    EXPECT_STREQ(s->hydTimes[HYD_TIME_START], "19000101000000");
    EXPECT_STREQ(s->hydTimes[HYD_TIME_STOP], "19000101000000");
    EXPECT_STREQ(s->hydTimes[HYD_TIME_STEP], "00000000001000");
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_STEP], "00000000001000");
    EXPECT_EQ(s->hydLayers, 0);
    EXPECT_STREQ(s->version, "V3.66.00");

    const NumericalParameters *np = s->numericalParameters;
    ASSERT_NE(np, nullptr);
    EXPECT_EQ(np->particleCount, 10000);
    EXPECT_EQ(np->verticalDispersionOption, 3);
    EXPECT_FLOAT_EQ(np->scale, 1.0f);
    EXPECT_FLOAT_EQ(np->dispersionCoefficient, 0.0f);
    ASSERT_NE(s->initialConditions, nullptr);
    EXPECT_EQ(s->initialConditions->option, 0);
    EXPECT_EQ(s->initialConditions->fileGiven, 0);

    const ProcessParameters *p = s->processParameters;
    ASSERT_NE(p, nullptr);
    ASSERT_NE(p->physical, nullptr);
    EXPECT_FLOAT_EQ(p->physical->roughness, 0.02f);
    EXPECT_FLOAT_EQ(p->physical->dispersionA, 1.0f);
    EXPECT_FLOAT_EQ(p->physical->dispersionB, 0.01f);
    EXPECT_FLOAT_EQ(p->physical->windDrag, 1.0f);
    EXPECT_FLOAT_EQ(p->physical->waterDensity, 1024.0f);
    EXPECT_EQ(Series(p->physical->wind), 2);
    EXPECT_EQ(Mode(p->physical->wind), 1);
    EXPECT_EQ(Series(p->decayRates), 1);
    EXPECT_EQ(Mode(p->decayRates), 1);
    EXPECT_EQ(Series(p->intakes), 10);
    EXPECT_EQ(Mode(p->intakes), 0);
    EXPECT_EQ(p->temperatureCount, 11);
    // specific heat, density, salinity, ambient temp., excess temp.,
    // dilution, thickness mixing layer, Richardson number, rel. thickness
    // bottom layer, crit. dens. diff, bouy. length scale
    const float temperature[TEMP_VALUE_COUNT] = {4183, 1024, 30, 16, 0, 1, 1, 12, 0.5f, 0, 0};
    for (int i = 0; i < TEMP_VALUE_COUNT; ++i)
        EXPECT_EQ(p->temperature[i], temperature[i]) << "temperature value " << i;
    EXPECT_EQ(p->redTideCount, 23);
    // growth rates (4), half saturations (4), concentrations NH, NO3 and
    // Nitrogen, mortality, splitting period, threshold, growth rate max and
    // min, the two scale factors, the two light intensities, daylight
    // hours, sunrise hour, vert. ext. coeff.
    const float redTide[RED_TIDE_VALUE_COUNT] = {
        0.014f, 0.0076f, 0.016f, 0, 0.58f, 0.6f, 0.47f, 0.47f, 1.25e-05f, 0.033f, 0.004f, 12,
        6, 0, 0, 71.42f, 2, 1000, 6, 100, 210, 1, 0};
    for (int i = 0; i < RED_TIDE_VALUE_COUNT; ++i)
        EXPECT_EQ(p->redTide[i], redTide[i]) << "red tide value " << i;
    EXPECT_EQ(GE_ListCount(p->oilFractions), 0);
    EXPECT_FLOAT_EQ(p->minimumOilThickness, 0.0005f);
    EXPECT_FLOAT_EQ(p->coriolisAngle, 0.0f);
    EXPECT_FLOAT_EQ(p->chezy, 55.0f);
    EXPECT_FLOAT_EQ(p->criticalShearSedimentation, 0.05f);
    EXPECT_FLOAT_EQ(p->criticalShearErosion, 0.4f);
    EXPECT_EQ(p->sedimentationErosion, 0);
    EXPECT_EQ(p->tracks, 0);
    for (XYSeries *t : p->settling) {
        EXPECT_EQ(Series(t), 1);
        EXPECT_EQ(Kind(t), XYS_LINEAR);
    }
    const char *names[] = {"A0", "A1", "Period", "Phase", "VMin", "VMax"};
    ASSERT_EQ(GE_ListCount(p->settlingNames), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(TextAt(p->settlingNames, i), names[i]);
    ASSERT_EQ(GE_ListCount(p->refinementLabels), 10);
    EXPECT_EQ(TextAt(p->refinementLabels, 0), "        1");
    EXPECT_EQ(TextAt(p->refinementLabels, 9), "       10");
    EXPECT_FLOAT_EQ(p->settlingExponent, 0.0f);
    EXPECT_EQ(p->refinementFactor, 1);
    EXPECT_EQ(p->refinementLabelIndex, 0);

    ASSERT_NE(s->outputOptions, nullptr);
    ASSERT_NE(s->outputOptions->zoomGrid, nullptr);
    const ZoomGrid *zoom = s->outputOptions->zoomGrid;
    for (float word : {zoom->xStart, zoom->xEnd, zoom->yStart, zoom->yEnd})
        EXPECT_EQ(word, 0.0f);
    EXPECT_EQ(s->outputOptions->zoomGrid->cellsX, 100);
    EXPECT_EQ(s->outputOptions->zoomGrid->cellsY, 100);
    EXPECT_EQ(Series(s->outputOptions->recovery), 1);
    for (GE_List *list : {s->substances, s->instantaneousReleases, s->continuousReleases,
                          s->userDefinedReleases, s->observationPoints}) {
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(GE_ListCount(list), 0);
    }

    // Editor state and the start-up directory.
    EXPECT_EQ(ModifiedFlag, 0);
    EXPECT_EQ(CurrentPage, -1);
    for (int page = 0; page < 6; ++page)
        EXPECT_EQ(PageFilled[page], 1) << page;
    for (int32_t selection : PageSelection)
        EXPECT_EQ(selection, -1);
    EXPECT_EQ(startup.selectionIndex, -1);
    std::string cwd = std::filesystem::current_path().string();
    for (char &c : cwd)
        if (c == '\\')
            c = '/';
    EXPECT_EQ(startup.directoryText, cwd);
}

TEST_F(ScenarioTest, DefaultsKeepWhatTheyDoNotOwn)
{
    StartupRecord startup = {};
    ScenarioPtr s = NewScenario();
    std::strcpy(s->hydTimes[HYD_CONVERSION_START], "20200101000000");
    std::strcpy(s->hydTimes[HYD_CONVERSION_STOP], "20200102000000");
    std::strcpy(s->initialConditions->iniFile, "patch.ini");
    s->outputOptions->zoomGrid->xStart2 = 5.0f;
    s->gridLayers = 3;
    s->activeGridLength = 12;
    XYSeries *wind = s->processParameters->physical->wind;
    AddRow(wind, 0.0, {1.0f, 2.0f});
    std::strcpy(s->fileNames[FILE_FLOWS], "x.flo");
    std::strcpy(s->titles[2], "title");
    s->processParameters->physical->roughness = 9.0f;

    SetScenarioDefaults(&startup, s.get());
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_START], "20200101000000");
    EXPECT_STREQ(s->hydTimes[HYD_CONVERSION_STOP], "20200102000000");
    EXPECT_STREQ(s->initialConditions->iniFile, "patch.ini");
    EXPECT_FLOAT_EQ(s->outputOptions->zoomGrid->xStart2, 5.0f);
    EXPECT_EQ(s->gridLayers, 3);
    EXPECT_EQ(s->activeGridLength, 12);
    EXPECT_EQ(s->processParameters->physical->wind, wind);  // existing tables stay
    EXPECT_EQ(Rows(wind), 1);
    // ... while the values it owns are set every time.
    EXPECT_STREQ(s->fileNames[FILE_FLOWS], "");
    EXPECT_STREQ(s->titles[2], "");
    EXPECT_FLOAT_EQ(s->processParameters->physical->roughness, 0.02f);
}

TEST_F(ScenarioTest, ResetEmptiesEverything)
{
    ScenarioPtr s = NewScenario();
    s->modelKind = MODEL_OIL;
    std::strcpy(s->version, "V3.60.00");
    AddOilFraction(s.get(), "light");
    Substance *dye = AddSubstance(s.get(), "dye");
    AddRow(dye->table, 0.0, {1.0f});
    for (int i = 0; i < 2; ++i) {
        std::snprintf(g_startup.substanceNames[i], 30, "name%d", i);
        std::snprintf(g_startup.massUnits[i], 30, "kg");
        std::snprintf(g_startup.concentrationUnits[i], 30, "kg/m3");
        g_startup.oilFlags[i] = 1;
    }
    Location *release = AddLocation(s->instantaneousReleases, "r1", 1.0f, 2.0f);
    release->masses = RowTable({1.0f, 2.0f});
    Location *cont = AddLocation(s->continuousReleases, "c1", 1.0f, 2.0f);
    cont->releaseRates = CreateXYSeries(XYS_LINEAR, 1, 1);
    AddRow(cont->releaseRates, 0.0, {3.0f});
    AddLocation(s->userDefinedReleases, "u1", 0.0f, 0.0f);
    AddLocation(s->observationPoints, "o1", 0.0f, 0.0f);
    ProcessParameters *p = s->processParameters;
    AddRow(p->physical->wind, 0.0, {1.0f, 2.0f});
    AddRow(p->decayRates, 0.0, {1.0f});
    for (XYSeries *t : p->settling)
        AddRow(t, 0.0, {1.0f});
    AddRow(s->outputOptions->recovery, 0.0, {1.0f});
    ModifiedFlag = 1;

    ResetScenario(s.get());

    for (GE_List *list : {s->substances, s->instantaneousReleases, s->continuousReleases,
                          s->userDefinedReleases, s->observationPoints, p->oilFractions})
        EXPECT_EQ(GE_ListCount(list), 0);
    for (XYSeries *t : {p->physical->wind, p->decayRates, p->intakes, s->outputOptions->recovery})
        EXPECT_EQ(Rows(t), 0);
    for (XYSeries *t : p->settling)
        EXPECT_EQ(Rows(t), 0);
    EXPECT_EQ(Series(p->physical->wind), 2);
    EXPECT_STREQ(s->version, "V3.66.00");
    EXPECT_EQ(s->modelKind, MODEL_TRACER);
    EXPECT_EQ(s->oilFractionCount, 0);
    EXPECT_EQ(ModifiedFlag, 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_STREQ(g_startup.substanceNames[i], "");
        EXPECT_STREQ(g_startup.massUnits[i], "");
        EXPECT_STREQ(g_startup.concentrationUnits[i], "");
        EXPECT_EQ(g_startup.oilFlags[i], 0);
    }
    const auto &calls = fakes::Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ResetTableSlots 1"), calls.end());
    EXPECT_EQ(fakes::Texts("map"), std::vector<std::string>{"ResetMapPageBoxes"});
}

TEST_F(ScenarioTest, FreshIntakeTableHasNineSeriesOnlyForTheTwoLayerModel)
{
    const struct {
        int kind, variant, series;
    } cases[] = {{MODEL_TEMPERATURE, 0, 9}, {MODEL_TEMPERATURE, 1, 10}, {MODEL_TRACER, 0, 10},
                 {MODEL_OIL, 0, 10}, {MODEL_RED_TIDE, 1, 10}};
    for (const auto &c : cases) {
        ScenarioPtr s = NewScenario();
        s->modelKind = c.kind;
        s->temperatureVariant = c.variant;
        ResetScenario(s.get());
        EXPECT_EQ(Series(s->processParameters->intakes), c.series) << c.kind << "/" << c.variant;
        EXPECT_EQ(IntakeSeriesCount(c.kind, c.variant), c.series);
    }
}

TEST_F(ScenarioTest, ElementsAtCreation)
{
    Location *location = CreateLocation();
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(location->layer, 1);
    EXPECT_EQ(location->layerIndex, 0);
    EXPECT_FLOAT_EQ(location->loadScale, 1.0f);
    EXPECT_EQ(location->interpolation, 1);
    EXPECT_EQ(location->radiusOption, 0);
    EXPECT_EQ(location->masses, nullptr);
    EXPECT_EQ(location->releaseRates, nullptr);
    EXPECT_STREQ(location->name, "");
    EXPECT_EQ(location->substanceIndex, -1);
    EXPECT_EQ(location->mapSubstanceCount, -1);
    EXPECT_EQ(location->mapTime, -1);
    EXPECT_EQ(location->mapSubstances, nullptr);
    EXPECT_EQ(location->mapTimes, nullptr);
    for (int32_t slot : location->slots)
        EXPECT_EQ(slot, -1);
    location->masses = RowTable({1.0f});
    location->mapTimes = GE_ListCreate(sizeof(char *));
    char *time = GE_StrDup("01 06 2026 01 00 00");
    GE_ListInsert(location->mapTimes, 0, &time);
    FreeLocation(location);   // frees its tables and texts too (checked by the leak checker)
    FreeLocation(nullptr);

    OilFraction *oil = CreateOilFraction();
    ASSERT_NE(oil, nullptr);
    EXPECT_EQ(oil->dispersionOption, 1);
    EXPECT_FLOAT_EQ(oil->stickyProbability, 0.5f);
    EXPECT_FLOAT_EQ(oil->volatileFraction, 0.94f);
    EXPECT_FLOAT_EQ(oil->emulsificationC1, 2.0e-6f);
    EXPECT_FLOAT_EQ(oil->maxWaterContentC2, 0.7f);
    EXPECT_FLOAT_EQ(oil->emulsificationStart, 1.0f);
    EXPECT_FLOAT_EQ(oil->density, 890.0f);
    EXPECT_FLOAT_EQ(oil->viscosity, 1500.0f);
    GE_Free(oil);

    Substance *sub = CreateSubstance();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(Series(sub->table), 1);
    EXPECT_EQ(Mode(sub->table), 1);
    EXPECT_EQ(sub->isOilFraction, 0);
    EXPECT_STREQ(sub->name, "");
    EXPECT_STREQ(sub->dataFile, "");
    FreeSubstance(sub);
    FreeSubstance(nullptr);

    GE_List *list = GE_ListCreate(sizeof(void *));
    for (int i = 0; i < 3; ++i) {
        Substance *s = CreateSubstance();
        GE_ListInsert(list, i, &s);
    }
    FreeSubstanceList(list);
    FreeSubstanceList(nullptr);
}

TEST_F(ScenarioTest, ShortMemoryGivesNullAndLeaksNothing)
{
    {
        fakes::FailingAllocator fail(1);
        EXPECT_EQ(CreateLocation(), nullptr);
    }
    {
        fakes::FailingAllocator fail(1);
        EXPECT_EQ(CreateOilFraction(), nullptr);
    }
    // The substance itself, then each allocation of its table.
    for (int nth = 1; nth <= 8; ++nth) {
        fakes::FailingAllocator fail(nth);
        Substance *sub = CreateSubstance();
        if (fail.Failed()) {
            EXPECT_EQ(sub, nullptr) << nth;
        }
        FreeSubstance(sub);
    }
}

}  // namespace
