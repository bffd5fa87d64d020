// The general pages of the editor: Description, Hydrodynamics, Time frame,
// Initial conditions, Numerical parameters and Output options, filled from
// the scenario when shown and stored into it when left, their fields checked
// when left; the zoom grid sub-pane; the selection of the hydrodynamics and
// oil initial-condition files; file names relative to the project
// directory; and the checks that Save runs before it writes.
#include "general_pages.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "datetime.h"
#include "dialog_controls.h"
#include "editor_shell.h"
#include "field_check_boxes.h"
#include "field_checks.h"
#include "general_page_rules.h"
#include "hyd_reader.h"
#include "load_hydrodynamics.h"
#include "period_change.h"
#include "period_rules.h"
#include "scenario.h"
#include "time_check_boxes.h"
#include "xyseries.h"

namespace {

constexpr const char *kNoneYet = "- none yet -";
constexpr int kTitleLineShown = 40;

// The text of a control, up to a file name's length.
std::string ControlText(RUV_WIN window, int32_t id)
{
    return GetControlText(window, id, SCEN_FILE_NAME_LEN + 1);
}

void CopyText(char *target, size_t size, const std::string &text)
{
    std::snprintf(target, size, "%s", text.c_str());
}

// The hydrodynamics page's file-name fields and their slots.
struct FileField {
    int32_t control;
    int slot;
};
constexpr FileField kFileFields[] = {
    {11, FILE_HYD}, {3, FILE_TOTAL_GRID}, {8, FILE_GRID_INDICES},
    {9, FILE_GRID_COORDINATES}, {4, FILE_VOLUMES}, {6, FILE_FLOWS},
};

// The earlier of two date-times: the smaller of their texts.
const char *Earlier(const char *a, const char *b) { return std::strcmp(a, b) <= 0 ? a : b; }

void ShowDate(RUV_WIN window, int32_t id, const char *dateTime) { SetControlTitle(window, id, DateTimeToDmy(dateTime)); }
void ShowStep(RUV_WIN window, int32_t id, const char *duration) { SetControlTitle(window, id, DurationToDmy(duration)); }

// A date-time or time-step field into its slot when its text is one and
// passes the field's time rule (nullptr: none); otherwise the slot stays.
void StoreDate(RUV_WIN window, int32_t id, DateTimeString slot, const FieldRule &rule = nullptr)
{
    StoreTimeField(window, id, false, rule, slot, sizeof(DateTimeString));
}
void StoreStep(RUV_WIN window, int32_t id, DateTimeString slot, const FieldRule &rule = nullptr)
{
    StoreTimeField(window, id, true, rule, slot, sizeof(DateTimeString));
}

// A date-time or time-step field: its text kept when it is entered, checked
// when it is left and, when valid, given to its time rule.
using TimeRule = void (*)(RUV_WIN, int32_t);
void TimeField(RUV_WIN page, const RUV_EVENT *event, bool step, TimeRule rule)
{
    const int32_t id = event->v.control.id;
    switch (FieldEventOf(event)) {
    case FieldEvent::Entered:
        SavePreviousInput(page, id);
        break;
    case FieldEvent::Left: {
        EventsFrozen frozen(page);
        const int16_t valid = step ? CheckTimeStepField(page, id) : CheckDateTimeField(page, id);
        if (valid)
            rule(page, id);
        break;
    }
    default:
        break;
    }
}

// Every editable time field of a window starts with the text it shows, so
// that a field refused before it was ever entered gets that text back.
void RememberShownTimes(RUV_WIN window, std::initializer_list<int32_t> ids)
{
    for (int32_t id : ids)
        SavePreviousInput(window, id);
}

void CheckNumberOnLeave(RUV_WIN page, const RUV_EVENT *event, int16_t (*check)(RUV_WIN, int32_t))
{
    if (FieldEventOf(event) == FieldEvent::Left)
        check(page, event->v.control.id);
}

// The chosen directory without the separator the dialog leaves at its end
// (a drive's root keeps it), so that joining it to a name gives one '/'.
std::string DirectoryOf(const RUV_FILE_SPEC &spec)
{
    std::string dir = spec.dir.path;
    while (dir.size() > 1 && dir.back() == '/' && dir[dir.size() - 2] != ':')
        dir.pop_back();
    return dir;
}

// The project directory of the start-up record.
const char *ProjectDirectory() { return g_startup.directoryText; }

}  // namespace

// ---- Description ----

void ExchangeDescriptionPage(ScenarioRecord *scenario, RUV_WIN page, int direction)
{
    if (!scenario || !page)
        return;
    if (direction == 1) {
        // A page that already shows a title keeps its texts.
        if (!ControlText(page, 2).empty())
            return;
        for (int line = 0; line < 3; ++line)
            SetControlTitle(page, 2 + line, scenario->titles[line]);
    } else if (direction == 0) {
        for (int line = 0; line < 3; ++line) {
            std::string text = ControlText(page, 2 + line);
            if (text.size() > SCEN_TITLE_LEN - 1)
                text.resize(SCEN_TITLE_LEN - 1);
            CopyText(scenario->titles[line], SCEN_TITLE_LEN, text);
        }
    }
}

void ForgetDescriptionPage(RUV_WIN page)
{
    // The titles of another scenario must not stay on the page: emptied, the
    // page is filled again from the scenario shown next.
    if (page)
        for (int32_t id = 2; id <= 4; ++id)
            SetControlTitle(page, id, "");
}

void DescriptionPageControl(RUV_WIN page, const RUV_EVENT *event)
{
    const int32_t id = event->v.control.id;
    if (id >= 2 && id <= 4 && FieldEventOf(event) == FieldEvent::Changed)
        LimitFieldText(page, id, kTitleLineShown, true);
}

// ---- Hydrodynamics ----

void ShowHydrodynamicsPage(ScenarioRecord *scenario, RUV_WIN page)
{
    if (!scenario || !page)
        return;
    SetControlTitle(page, 14, HydrodynamicLayersText(scenario->hydLayers).c_str());
    for (const FileField &f : kFileFields) {
        const char *name = scenario->fileNames[f.slot];
        SetControlTitle(page, f.control, name[0] ? name : kNoneYet);
    }
}

void StoreHydrodynamicsPage(ScenarioRecord *scenario, RUV_WIN page)
{
    if (!scenario || !page)
        return;
    for (const FileField &f : kFileFields) {
        const std::string text = ControlText(page, f.control);
        if (!text.empty() && text != kNoneYet)
            CopyText(scenario->fileNames[f.slot], SCEN_FILE_NAME_LEN, text);
    }
}

void CmdSelectHydrodynamics(RUV_WIN)
{
    RUV_FILE_SPEC spec;
    std::memset(&spec, 0, sizeof spec);
    SelectFile("hyd", "Select hydrodynamics file", 1, &spec);
    if (!spec.name[0])
        return;
    // The period the file gives is asked for first when it would lose data;
    // No loads nothing.
    const std::string directory = DirectoryOf(spec);
    const std::string path = directory.empty() ? std::string(spec.name) : directory + "/" + spec.name;
    if (!ConfirmHydrodynamicsPeriod(&g_scenario, path.c_str()))
        return;
    // The load shows the page again with what it read.  A file that could
    // not be read has been reported; it enables no page of a scenario that
    // still has no hydrodynamics.
    const bool loaded = LoadHydrodynamics(directory.c_str(), spec.name) == HYD_READ_OK;
    UpdateVisualisationAreaItem(MainWindow);
    if (!loaded)
        return;
    FollowHydrodynamicsPeriod(&g_scenario);
    SetModified(1);
    EnablePageButtons();
    UpdateMainTitle();
}

void HydrodynamicsPageControl(RUV_WIN page, const RUV_EVENT *event)
{
    if (event->v.control.id == 10 && IsClick(event))
        CmdSelectHydrodynamics(page);
}

// ---- time fields ----

void ShowTimeFields(ScenarioRecord *scenario, RUV_WIN window, int kind)
{
    if (!scenario || !window)
        return;
    DateTimeString(&sim)[3] = scenario->timeGroups[TIME_GROUP_SIMULATION];
    switch (kind) {
    case 1:
        ShowDate(window, 3, scenario->hydTimes[HYD_TIME_START]);
        ShowDate(window, 5, scenario->hydTimes[HYD_TIME_STOP]);
        // The hydrodynamics step that rules the simulation's: the conversion
        // step, which the step and stop checks quote.
        ShowStep(window, 7, scenario->hydTimes[HYD_CONVERSION_STEP]);
        ShowDate(window, 15, sim[TIME_START]);
        ShowDate(window, 11, sim[TIME_STOP]);
        ShowStep(window, 12, sim[TIME_STEP]);
        RememberShownTimes(window, {11, 12});
        break;
    case 2: {
        ShowDate(window, 1, sim[TIME_START]);
        ShowDate(window, 2, sim[TIME_STOP]);
        ShowStep(window, 3, sim[TIME_STEP]);
        int32_t id = 9;
        for (int group : {TIME_GROUP_HISTORY, TIME_GROUP_MAP}) {
            DateTimeString(&t)[3] = scenario->timeGroups[group];
            ShowDate(window, id, t[TIME_START]);
            ShowDate(window, id + 1, Earlier(t[TIME_STOP], sim[TIME_STOP]));
            ShowStep(window, id + 2, t[TIME_STEP]);
            id += 3;
        }
        RememberShownTimes(window, {9, 10, 11, 12, 13, 14});
        break;
    }
    case 3:
    case 4:
        ShowDate(window, 4, sim[TIME_START]);
        ShowDate(window, 8, sim[TIME_STOP]);
        break;
    default:
        break;
    }
}

void StoreTimeFields(ScenarioRecord *scenario, RUV_WIN window, int kind)
{
    if (!scenario || !window)
        return;
    DateTimeString(&sim)[3] = scenario->timeGroups[TIME_GROUP_SIMULATION];
    // The rules see the scenario's times as they are before this store.
    const SimulationTimes times = ScenarioSimulationTimes(*scenario);
    if (kind == 0) {
        // The period goes into the scenario through one door, which asks
        // before it loses data and brings what depends on it into line.
        DateTimeString start, stop, step;
        CopyText(start, sizeof start, sim[TIME_START]);
        CopyText(stop, sizeof stop, sim[TIME_STOP]);
        CopyText(step, sizeof step, sim[TIME_STEP]);
        StoreDate(window, 15, start);
        StoreDate(window, 11, stop, [&](const char *t) { return StopTimeMessage(times, t); });
        StoreStep(window, 12, step, [&](const char *t) { return ComputationalStepChangeMessage(*scenario, t); });
        if (!ChangeSimulationPeriod(scenario, start, stop, step))
            GiveBackStoredText(window, 11, DateTimeToDmy(sim[TIME_STOP]));
    } else if (kind == 1) {
        // The output rules are asked on a copy of the validity flags: a
        // store changes no flag.
        OutputTimeValidity flags = OutputTimeFlags();
        int32_t id = 9;
        for (OutputFile file : {OutputFile::History, OutputFile::Map}) {
            DateTimeString(&t)[3] = scenario->timeGroups[file == OutputFile::History ? TIME_GROUP_HISTORY : TIME_GROUP_MAP];
            const std::string start = ControlText(window, id);
            StoreDate(window, id, t[TIME_START],
                      [&](const char *x) { return OutputStartTimeMessage(file, times, x, flags); });
            StoreDate(window, id + 1, t[TIME_STOP],
                      [&](const char *x) { return OutputStopTimeMessage(file, times, x, start.c_str(), flags); });
            StoreStep(window, id + 2, t[TIME_STEP],
                      [&](const char *x) { return OutputTimeStepMessage(file, times, x, flags); });
            id += 3;
        }
    }
}

namespace {

// A stop or step left: checked, and what its rule takes goes into the
// scenario at once, with all that follows the period (a refused text has
// been given back the field's previous one, which changes nothing).
void TimeFrameFieldLeft(RUV_WIN page, int32_t id)
{
    if (id == 11)
        CheckStopTime(page, id);
    else
        CheckComputationalTimeStep(page, id);
    StoreTimeFields(&g_scenario, page, 0);
}

}  // namespace

void TimeFramePageControl(RUV_WIN page, const RUV_EVENT *event)
{
    switch (event->v.control.id) {
    case 11: TimeField(page, event, false, TimeFrameFieldLeft); break;
    case 12: TimeField(page, event, true, TimeFrameFieldLeft); break;
    default: break;
    }
}

// ---- Initial conditions ----

void EnableIniFileFields(RUV_WIN page, int option)
{
    if (option != 0 && option != 1) {
        PostErrorF("Internal error in source general: initial-condition option %d", option);
        return;
    }
    SetControlsEnabled(page, static_cast<int16_t>(option), 3, 4, 0);
}

void ShowInitialConditionsPage(RUV_WIN page)
{
    const InitialConditions *ic = g_scenario.initialConditions;
    if (!ic || !page)
        return;
    CheckRadioInRange(page, ic->option == 1 ? 2 : 1, 1, 2);
    EnableIniFileFields(page, ic->option);
    SetControlTitle(page, 4,
                    ic->fileGiven == 1 ? ProjectRelativePath(ProjectDirectory(), ic->iniFile).c_str() : kNoneYet);
}

void StoreInitialConditionsPage(ScenarioRecord *scenario, RUV_WIN page)
{
    InitialConditions *ic = scenario ? scenario->initialConditions : nullptr;
    if (!ic || !page)
        return;
    if (IsControlChecked(page, 1))
        ic->option = 0;
    else if (IsControlChecked(page, 2))
        ic->option = 1;
    // The field shows the chosen name relative to the project; while it does,
    // the full name stays in the scenario.
    const std::string text = ControlText(page, 4);
    if (ic->fileGiven == 1 && !text.empty() && text != kNoneYet &&
        text != ProjectRelativePath(ProjectDirectory(), ic->iniFile))
        CopyText(ic->iniFile, sizeof ic->iniFile, text);
}

void CmdSelectIniFile(RUV_WIN page)
{
    InitialConditions *ic = g_scenario.initialConditions;
    if (!ic)
        return;
    RUV_FILE_SPEC spec;
    std::memset(&spec, 0, sizeof spec);
    SelectFile("ini", "Select ini file", 1, &spec);
    if (!spec.name[0])
        return;
    std::snprintf(ic->iniFile, sizeof ic->iniFile, "%s/%s", DirectoryOf(spec).c_str(), spec.name);
    ic->fileGiven = 1;
    SetControlTitle(page, 4, MakeProjectRelativePath(ic->iniFile));
    SetModified(1);
}

void InitialConditionsPageControl(RUV_WIN page, const RUV_EVENT *event)
{
    if (!IsClick(event))
        return;
    const int32_t id = event->v.control.id;
    if (id == 1 || id == 2) {
        CheckRadioInRange(page, id, 1, 2);
        EnableIniFileFields(page, id == 2 ? 1 : 0);
        SetModified(1);
    } else if (id == 3) {
        CmdSelectIniFile(page);
    }
}

// ---- Numerical parameters ----

void ShowNumericalParametersPage(RUV_WIN page)
{
    const NumericalParameters *np = g_scenario.numericalParameters;
    if (!np || !page)
        return;
    const int selector = np->verticalDispersionOption >= 0 && np->verticalDispersionOption <= 3
                             ? np->verticalDispersionOption : 3;
    CheckRadioInRange(page, 3 + selector, 3, 6);
    SetControlEnabled(page, 10, selector == 3 ? 1 : 0);
    SetControlIntText(page, 2, np->particleCount);
    SetControlFloatText(page, 9, np->scale);
    SetControlFloatText(page, 10, np->dispersionCoefficient);
}

void StoreNumericalParametersPage(ScenarioRecord *scenario, RUV_WIN page)
{
    NumericalParameters *np = scenario ? scenario->numericalParameters : nullptr;
    if (!np || !page)
        return;
    StoreNumberField(page, 2, IntegerPositiveMessage, np->particleCount);
    StoreNumberField(page, 9, FloatNonNegativeMessage, np->scale);
    StoreNumberField(page, 10, FloatNonNegativeMessage, np->dispersionCoefficient);
    np->verticalDispersionOption = 3;
    for (int32_t id = 3; id <= 5; ++id)
        if (IsControlChecked(page, id)) {
            np->verticalDispersionOption = id - 3;
            break;
        }
}

void NumericalParametersPageControl(RUV_WIN page, const RUV_EVENT *event)
{
    const int32_t id = event->v.control.id;
    if (id == 2)
        CheckNumberOnLeave(page, event, CheckIntegerPositive);
    else if (id == 9 || id == 10)
        CheckNumberOnLeave(page, event, CheckFloatNonNegative);
    else if (id >= 3 && id <= 6 && IsClick(event)) {
        CheckRadioInRange(page, id, 3, 6);
        SetControlEnabled(page, 10, id == 6 ? 1 : 0);
        SetModified(1);
    }
}

// ---- Output options ----

void ShowOutputOptionsPage(ScenarioRecord *scenario, RUV_WIN page)
{
    if (!scenario || !page)
        return;
    ShowTimeFields(scenario, page, 2);
    if (scenario->processParameters)
        SetControlChecked(page, 24, scenario->processParameters->tracks ? 1 : 0);
    HideAllSubPanes();
}

void StoreOutputOptionsPage(ScenarioRecord *scenario, RUV_WIN page)
{
    if (!scenario || !page)
        return;
    StoreTimeFields(scenario, page, 1);
    StoreSubPane(14, 0);
}

void OutputOptionsPageControl(RUV_WIN page, const RUV_EVENT *event)
{
    switch (event->v.control.id) {
    case 9: TimeField(page, event, false, CheckHistoryStartTime); break;
    case 10: TimeField(page, event, false, CheckHistoryStopTime); break;
    case 11: TimeField(page, event, true, CheckHistoryTimeStep); break;
    case 12: TimeField(page, event, false, CheckMapStartTime); break;
    case 13: TimeField(page, event, false, CheckMapStopTime); break;
    case 14: TimeField(page, event, true, CheckMapTimeStep); break;
    case 21:
        if (IsClick(event))
            ShowSubPane(page, 21, 6);
        break;
    case 22:
        if (IsClick(event))
            ShowSubPane(page, 22, 7);
        break;
    case 24:
        if (IsClick(event)) {
            const int16_t checked = IsControlChecked(page, 24) ? 0 : 1;
            SetControlChecked(page, 24, checked);
            ApplyTracksRule(checked);
            SetModified(1);
        }
        break;
    default:
        break;
    }
}

// ---- zoom grid sub-pane ----

namespace {

// The box corners the sub-pane edits: the first coordinate pair, or the
// second when the scenario's zoom grid uses it.
struct BoxWords {
    float *x1, *x2, *y1, *y2;
};

BoxWords ZoomBox(ZoomGrid &grid)
{
    if (g_scenario.coordinatePairSelector == 1)
        return {&grid.xStart2, &grid.xEnd2, &grid.yStart2, &grid.yEnd2};
    return {&grid.xStart, &grid.xEnd, &grid.yStart, &grid.yEnd};
}

// True while the sub-pane's fields show the zoom grid of the scenario in
// hand: a sub-pane left current from another scenario stores nothing.
bool g_zoomPaneFilled = false;

ZoomGrid *ScenarioZoomGrid()
{
    return g_scenario.outputOptions ? g_scenario.outputOptions->zoomGrid : nullptr;
}

}  // namespace

void FillZoomGridPane(RUV_WIN pane)
{
    ZoomGrid *grid = ScenarioZoomGrid();
    if (!grid || !pane)
        return;
    const float x1 = grid->xStart, x2 = grid->xEnd, y1 = grid->yStart, y2 = grid->yEnd;
    SetControlFloatText(pane, 2, x1 < x2 ? x1 : x2);
    SetControlFloatText(pane, 3, x1 < x2 ? x2 : x1);
    SetControlFloatText(pane, 4, y1 < y2 ? y1 : y2);
    SetControlFloatText(pane, 1, y1 < y2 ? y2 : y1);
    SetControlIntText(pane, 5, grid->cellsX);
    SetControlIntText(pane, 8, grid->cellsY);
    g_zoomPaneFilled = true;
}

void ForgetZoomGridPane(void) { g_zoomPaneFilled = false; }

bool StoreOutputSubPane(int index)
{
    if (index == 14) {
        if (PageWindows[11] && g_scenario.processParameters)
            g_scenario.processParameters->tracks = IsControlChecked(PageWindows[11], 24) ? 1 : 0;
        return true;
    }
    if (index != 6)
        return false;
    ZoomGrid *grid = ScenarioZoomGrid();
    const RUV_WIN pane = SubPaneWindow(6);
    if (!grid || !pane || !g_zoomPaneFilled)
        return true;
    const BoxWords box = ZoomBox(*grid);
    StoreNumberField(pane, 2, FloatMessage, *box.x1);
    StoreNumberField(pane, 3, FloatMessage, *box.x2);
    StoreNumberField(pane, 4, FloatMessage, *box.y1);
    StoreNumberField(pane, 1, FloatMessage, *box.y2);
    StoreNumberField(pane, 5, IntegerPositiveMessage, grid->cellsX);
    StoreNumberField(pane, 8, IntegerPositiveMessage, grid->cellsY);
    return true;
}

void ZoomGridPaneControl(RUV_WIN pane, const RUV_EVENT *event)
{
    const int32_t id = event->v.control.id;
    if (id == 5 || id == 8)
        CheckNumberOnLeave(pane, event, CheckIntegerPositive);
    else if (id >= 1 && id <= 4)
        CheckNumberOnLeave(pane, event, CheckFloat);
}

// ---- the pages' dispatch ----

bool FillGeneralPage(int n)
{
    RUV_WIN page = n >= 0 && n < EDITOR_PAGE_COUNT ? PageWindows[n] : NULL_WIN;
    switch (n) {
    case 0: ExchangeDescriptionPage(&g_scenario, page, 1); return true;
    case 1: ShowHydrodynamicsPage(&g_scenario, page); return true;
    case 3: return true;  // its times are shown with the page (ShowPageTimes)
    case 4: ShowInitialConditionsPage(page); return true;
    case 5: ShowNumericalParametersPage(page); return true;
    case 11: ShowOutputOptionsPage(&g_scenario, page); return true;
    default: return false;
    }
}

bool StoreGeneralPage(int n)
{
    RUV_WIN page = n >= 0 && n < EDITOR_PAGE_COUNT ? PageWindows[n] : NULL_WIN;
    switch (n) {
    case 0: ExchangeDescriptionPage(&g_scenario, page, 0); return true;
    case 1: StoreHydrodynamicsPage(&g_scenario, page); return true;
    case 3: StoreTimeFields(&g_scenario, page, 0); return true;
    case 4: StoreInitialConditionsPage(&g_scenario, page); return true;
    case 5: StoreNumericalParametersPage(&g_scenario, page); return true;
    case 11: StoreOutputOptionsPage(&g_scenario, page); return true;
    default: return false;
    }
}

// ---- project-relative file names ----

const char *MakeProjectRelativePath(const char *fullPath)
{
    static char result[SCEN_FILE_NAME_LEN];
    CopyText(result, sizeof result, ProjectRelativePath(ProjectDirectory(), fullPath));
    return result;
}

// ---- checks before saving ----

RUV_BOOL CheckZoomGrid(void)
{
    OutputOptions *output = g_scenario.outputOptions;
    if (output && output->recovery)
        SelectXYSeries(output->recovery, XYS_ALL);
    const std::string message = ZoomGridMessage(output);
    if (message.empty())
        return TRUE;
    PostErrorF("%s", message.c_str());
    return FALSE;
}

RUV_BOOL CheckSettlingTables(void)
{
    const std::string message = SettlingTablesMessage(g_scenario.processParameters);
    if (message.empty())
        return TRUE;
    PostErrorF("%s", message.c_str());
    return FALSE;
}

RUV_BOOL CheckContinuousReleaseTables(void)
{
    const std::string message = ContinuousReleaseTablesMessage(g_scenario.continuousReleases);
    if (message.empty())
        return TRUE;
    PostErrorF("%s", message.c_str());
    return FALSE;
}
