/* The scenario record: the process-wide ScenarioRecord and StartupRecord,
   the constructors and destructors of list elements (locations, oil
   fractions, substances), the defaults and the reset. */
#include "scenario.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "editor_services.h"
#include "ruv.h"

ScenarioRecord g_scenario;
StartupRecord g_startup;

namespace {

const char kDefaultTime[] = "19000101000000";
const char kDefaultStep[] = "00000000001000";
const double kDefaultDurationSeconds = 43200.0;   /* 12 hours */

const float kTemperatureDefaults[TEMP_VALUE_COUNT] = {
    4183.0f, 1024.0f, 30.0f, 16.0f, 0.0f, 1.0f, 1.0f, 12.0f, 0.5f, 0.0f, 0.0f};

const float kRedTideDefaults[RED_TIDE_VALUE_COUNT] = {
    0.014f, 0.0076f, 0.016f, 0.0f, 0.58f, 0.6f, 0.47f, 0.47f,
    1.25e-05f, 0.033f, 0.004f, 12.0f, 6.0f, 0.0f, 0.0f, 71.42f,
    2.0f, 1000.0f, 6.0f, 100.0f, 210.0f, 1.0f, 0.0f};

const char *const kSettlingNames[SETTLING_TABLE_COUNT] = {
    "A0", "A1", "Period", "Phase", "VMin", "VMax"};

const int kRefinementChoices = 10;
const int kRefinementLabelLen = 10;

/* Selection indices of the editor's pages that a fresh scenario clears. */
void ClearPageSelections()
{
    for (int32_t &selection : PageSelection)
        selection = -1;
}

void SetText(char *slot, size_t size, const char *text)
{
    std::snprintf(slot, size, "%s", text);
}

template <typename T>
T *AllocZeroed()
{
    T *record = static_cast<T *>(GE_Alloc(sizeof(T)));
    if (record != nullptr)
        std::memset(record, 0, sizeof(T));
    return record;
}

GE_List *CreatePointerList()
{
    return GE_ListCreate(sizeof(void *));
}

/* A table of the scenario: linear, rows keyed by time. */
XYSeries *CreateTimeTable(int series)
{
    return CreateXYSeries(XYS_LINEAR, 1, series);
}

void RenewTimeTable(XYSeries **table, int series)
{
    *table = RenewXYSeries(*table, XYS_LINEAR, 1, series);
}

void FreeLocationList(GE_List *list)
{
    Location *location = nullptr;
    while (GE_ListCount(list) > 0) {
        GE_ListRemove(list, GE_ListCount(list) - 1, &location);
        FreeLocation(location);
    }
}

void SetProcessDefaults(ScenarioRecord *scenario)
{
    ProcessParameters *p = scenario->processParameters;
    if (p == nullptr)
        return;
    if (p->physical == nullptr)
        p->physical = AllocZeroed<PhysicalParameters>();
    if (p->decayRates == nullptr)
        p->decayRates = CreateTimeTable(1);
    if (p->intakes == nullptr)
        p->intakes = CreateXYSeries(XYS_LINEAR, 0,
                                    IntakeSeriesCount(scenario->modelKind,
                                                      scenario->temperatureVariant));
    if (p->oilFractions == nullptr)
        p->oilFractions = CreatePointerList();
    for (XYSeries *&table : p->settling)
        if (table == nullptr)
            table = CreateTimeTable(1);
    if (p->settlingNames == nullptr) {
        p->settlingNames = CreatePointerList();
        for (int i = 0; p->settlingNames != nullptr && i < SETTLING_TABLE_COUNT; ++i) {
            char *name = GE_StrDup(kSettlingNames[i]);
            if (name != nullptr)
                GE_ListInsert(p->settlingNames, i, &name);
        }
    }
    if (p->refinementLabels == nullptr) {
        p->refinementLabels = CreatePointerList();
        for (int i = 0; p->refinementLabels != nullptr && i < kRefinementChoices; ++i) {
            char *label = static_cast<char *>(GE_Alloc(kRefinementLabelLen));
            if (label == nullptr)
                continue;
            std::snprintf(label, kRefinementLabelLen, "%9d", i + 1);
            GE_ListInsert(p->refinementLabels, i, &label);
        }
    }

    if (PhysicalParameters *phys = p->physical) {
        phys->roughness = 0.02f;
        phys->dispersionA = 1.0f;
        phys->dispersionB = 0.01f;
        phys->windDrag = 1.0f;
        phys->waterDensity = 1024.0f;
        if (phys->wind == nullptr)
            phys->wind = CreateTimeTable(2);
    }

    p->temperatureCount = TEMP_VALUE_COUNT;
    std::memcpy(p->temperature, kTemperatureDefaults, sizeof p->temperature);
    p->redTideCount = RED_TIDE_VALUE_COUNT;
    std::memcpy(p->redTide, kRedTideDefaults, sizeof p->redTide);
    p->coriolisAngle = 0.0f;
    p->minimumOilThickness = 0.0005f;

    p->chezy = 55.0f;
    p->criticalShearSedimentation = 0.05f;
    p->criticalShearErosion = 0.4f;
    p->sedimentationErosion = 0;
    p->tracks = 0;
}

}  // namespace

int32_t IntakeSeriesCount(int32_t modelKind, int32_t temperatureVariant)
{
    return modelKind == MODEL_TEMPERATURE && temperatureVariant == 0
               ? SCEN_INTAKE_SERIES_TWO_LAYER
               : SCEN_INTAKE_SERIES;
}

namespace {
std::string g_saveRefusal;
}  // namespace

void RefuseScenarioSave(const char *why) { g_saveRefusal = why ? why : ""; }

const char *ScenarioSaveRefusal(void) { return g_saveRefusal.empty() ? nullptr : g_saveRefusal.c_str(); }

int16_t SetScenarioFolder(StartupRecord *startup, const RUV_FILE_DIR *dir)
{
    char text[sizeof startup->directoryText];
    if (!ruv_fsys_convert_dir_to_str(dir, text, sizeof text))
        return 0;
    ToForwardSlashes(text);
    std::memcpy(startup->directoryText, text, sizeof text);
    return 1;
}

int32_t SetScenarioDefaults(StartupRecord *startup, ScenarioRecord *scenario)
{
    if (ruv_fsys_get_dir(&startup->startupDirectory) &&
        ruv_fsys_convert_dir_to_str(&startup->startupDirectory, startup->directoryText,
                                    sizeof startup->directoryText))
        ToForwardSlashes(startup->directoryText);
    else
        startup->directoryText[0] = '\0';

    CurrentPage = -1;
    ClearPageSelections();

    scenario->modelKind = MODEL_TRACER;
    SetText(scenario->hydTimes[HYD_TIME_START], SCEN_TIME_LEN, kDefaultTime);
    SetText(scenario->hydTimes[HYD_TIME_STOP], SCEN_TIME_LEN, kDefaultTime);
    SetText(scenario->hydTimes[HYD_TIME_STEP], SCEN_TIME_LEN, kDefaultStep);
    scenario->hydWord = 0;
    scenario->hydLayers = 0;
    scenario->temperatureVariant = 1;
    scenario->releaseNameCount = 0;
    scenario->oilFractionCount = 0;
    scenario->redTideSwitch = 1;

    for (auto &group : scenario->timeGroups) {
        SetText(group[TIME_START], SCEN_TIME_LEN, kDefaultTime);
        SetText(group[TIME_STOP], SCEN_TIME_LEN,
                AddSecondsToDateTime(group[TIME_START], kDefaultDurationSeconds));
        SetText(group[TIME_STEP], SCEN_TIME_LEN, kDefaultStep);
    }
    SetText(scenario->hydTimes[HYD_CONVERSION_STEP], SCEN_TIME_LEN,
            scenario->timeGroups[TIME_GROUP_SIMULATION][TIME_STEP]);
    SetText(scenario->outputReferenceDate, SCEN_TIME_LEN, kDefaultTime);
    SetText(scenario->takeOverTime, SCEN_TIME_LEN, kDefaultTime);
    SetText(scenario->hydReferenceTime, SCEN_TIME_LEN, kDefaultTime);

    std::memset(scenario->fileNames, 0, sizeof scenario->fileNames);
    std::memset(scenario->titles, 0, sizeof scenario->titles);
    scenario->hydFlag = 0;
    std::memset(scenario->pageFlags, 0, sizeof scenario->pageFlags);

    if (scenario->initialConditions == nullptr)
        scenario->initialConditions = AllocZeroed<InitialConditions>();
    if (InitialConditions *ic = scenario->initialConditions) {
        ic->option = 0;
        ic->fileGiven = 0;
    }
    if (scenario->numericalParameters == nullptr)
        scenario->numericalParameters = AllocZeroed<NumericalParameters>();
    if (NumericalParameters *np = scenario->numericalParameters) {
        np->particleCount = 10000;
        np->verticalDispersionOption = 3;
        np->scale = 1.0f;
        np->dispersionCoefficient = 0.0f;
    }
    if (scenario->substances == nullptr)
        scenario->substances = CreatePointerList();
    if (scenario->processParameters == nullptr)
        scenario->processParameters = AllocZeroed<ProcessParameters>();
    SetProcessDefaults(scenario);

    if (scenario->outputOptions == nullptr)
        scenario->outputOptions = AllocZeroed<OutputOptions>();
    if (OutputOptions *out = scenario->outputOptions) {
        if (out->zoomGrid == nullptr)
            out->zoomGrid = AllocZeroed<ZoomGrid>();
        if (out->recovery == nullptr)
            out->recovery = CreateTimeTable(1);
        if (ZoomGrid *zoom = out->zoomGrid) {
            zoom->xStart = zoom->xEnd = zoom->yStart = zoom->yEnd = 0.0f;
            zoom->cellsX = 100;
            zoom->cellsY = 100;
        }
    }

    if (scenario->instantaneousReleases == nullptr)
        scenario->instantaneousReleases = CreatePointerList();
    if (scenario->continuousReleases == nullptr)
        scenario->continuousReleases = CreatePointerList();
    if (scenario->userDefinedReleases == nullptr)
        scenario->userDefinedReleases = CreatePointerList();
    if (scenario->observationPoints == nullptr)
        scenario->observationPoints = CreatePointerList();

    /* The grid arrays may still be shown by the map window: they are
       dropped from the record here, not freed. */
    scenario->coordinatePairSelector = 0;
    scenario->mmax = 0;
    scenario->nmax = 0;
    scenario->depthCount = 0;
    scenario->activeGrid = nullptr;
    scenario->x = nullptr;
    scenario->y = nullptr;
    scenario->segmentDepths = nullptr;

    SetText(scenario->version, SCEN_VERSION_LEN, SCENARIO_CURRENT_VERSION);
    if (ProcessParameters *p = scenario->processParameters) {
        p->settlingExponent = 0.0f;
        p->refinementFactor = 1;
        p->refinementLabelIndex = 0;
    }

    ModifiedFlag = 0;
    for (int page = 0; page < 6; ++page)
        PageFilled[page] = 1;
    startup->selectionIndex = -1;
    ClearPageSelections();
    return 4;
}

int32_t ReleaseCount(const ScenarioRecord *scenario)
{
    return GE_ListCount(scenario->instantaneousReleases) + GE_ListCount(scenario->continuousReleases);
}

void ResetScenario(ScenarioRecord *scenario)
{
    StartupRecord *startup = &g_startup;

    Substance *substance = nullptr;
    for (int i = GE_ListCount(scenario->substances) - 1; i >= 0; --i) {
        GE_ListRemove(scenario->substances, i, &substance);
        FreeSubstance(substance);
        if (i < SCEN_MAX_SUBSTANCES) {
            startup->substanceNames[i][0] = '\0';
            startup->concentrationUnits[i][0] = '\0';
            startup->massUnits[i][0] = '\0';
            startup->oilFlags[i] = 0;
        }
    }

    /* Each table is made new; one of the same shape is emptied in place. */
    if (ProcessParameters *p = scenario->processParameters) {
        if (p->physical != nullptr)
            RenewTimeTable(&p->physical->wind, 2);
        p->intakes = RenewXYSeries(p->intakes, XYS_LINEAR, 0,
                                   IntakeSeriesCount(scenario->modelKind, scenario->temperatureVariant));
        FreeOilFractions(p);
        RenewTimeTable(&p->decayRates, 1);
        for (XYSeries *&table : p->settling)
            if (table != nullptr)
                RenewTimeTable(&table, 1);
    }

    FreeLocationList(scenario->observationPoints);
    FreeLocationList(scenario->instantaneousReleases);
    FreeLocationList(scenario->continuousReleases);
    FreeLocationList(scenario->userDefinedReleases);

    if (scenario->outputOptions != nullptr)
        RenewTimeTable(&scenario->outputOptions->recovery, 1);

    SetScenarioDefaults(startup, scenario);
    scenario->inputFile[0] = '\0';
    ResetTableSlots(1);
    startup->selectionIndex = -1;
    ClearPageSelections();
    ResetMapPageBoxes();
    RefuseScenarioSave(nullptr);
    ModifiedFlag = 0;
}

Location *CreateLocation(void)
{
    Location *location = AllocZeroed<Location>();
    if (location == nullptr)
        return nullptr;
    location->layer = 1;
    location->loadScale = 1.0f;
    location->interpolation = 1;
    location->substanceIndex = -1;
    location->mapSubstanceCount = -1;
    location->mapTime = -1;
    for (int32_t &slot : location->slots)
        slot = -1;
    return location;
}

void FreeTextList(GE_List *texts)
{
    GE_ListDestroyWith(texts, [](void *text) { GE_Free(text); });
}

void FreeLocation(Location *location)
{
    if (location == nullptr)
        return;
    DestroyXYSeries(location->masses);
    DestroyXYSeries(location->releaseRates);
    FreeTextList(location->mapSubstances);
    FreeTextList(location->mapTimes);
    GE_Free(location);
}

OilFraction *CreateOilFraction(void)
{
    OilFraction *oil = AllocZeroed<OilFraction>();
    if (oil == nullptr)
        return nullptr;
    oil->evaporation = 0.0f;
    oil->dispersionOption = 1;
    oil->dispersionRate = 0.0f;
    oil->stickyProbability = 0.5f;
    oil->volatileFraction = 0.94f;
    oil->emulsificationC1 = 2.0e-6f;
    oil->maxWaterContentC2 = 0.7f;
    oil->emulsificationStart = 1.0f;
    oil->density = 890.0f;
    oil->viscosity = 1500.0f;
    return oil;
}

void FreeOilFractions(ProcessParameters *process)
{
    if (process == nullptr)
        return;
    OilFraction *oil = nullptr;
    while (GE_ListCount(process->oilFractions) > 0) {
        GE_ListRemove(process->oilFractions, GE_ListCount(process->oilFractions) - 1, &oil);
        GE_Free(oil);
    }
}

Substance *CreateSubstance(void)
{
    Substance *substance = AllocZeroed<Substance>();
    if (substance == nullptr)
        return nullptr;
    substance->table = CreateTimeTable(1);
    if (substance->table == nullptr) {
        GE_Free(substance);
        return nullptr;
    }
    return substance;
}

void FreeSubstance(Substance *substance)
{
    if (substance == nullptr)
        return;
    DestroyXYSeries(substance->table);
    GE_Free(substance);
}

void FreeSubstanceList(GE_List *substances)
{
    if (substances == nullptr)
        return;
    Substance *substance = nullptr;
    for (int i = 0; GE_ListGet(substances, i, &substance); ++i)
        FreeSubstance(substance);
    GE_ListDestroy(substances);
}
