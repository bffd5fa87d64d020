// The Process parameters page (page 6) and its sub-panes (process_page.h):
// buttons 2 to 5 of the page choose the decay, settling, physical or
// model-specific pane; the settling choice (11) holds the settling-velocity
// (4) and the sedimentation (12) panes; the oil pane (3) edits the sticky
// oil fractions one at a time.
#include "process_page.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "field_check_boxes.h"
#include "field_checks.h"
#include "ge_list.h"
#include "scenario.h"
#include "status_bar.h"
#include "substance_set.h"
#include "time_tables.h"

namespace {

// Sub-panes of the page.
enum {
    kDecayPane = 0,
    kTemperaturePane = 1,
    kRedTidePane = 2,
    kOilPane = 3,
    kSettlingPane = 4,
    kPhysicalPane = 5,
    kTimeTableWindow = 10,
    kSettlingChoicePane = 11,
    kSedimentationPane = 12,
};

// Time-table slots.
enum { kDecaySlot = 0, kIntakeSlot = 1, kWindSlot = 2, kFirstSettlingSlot = 3, kLastSettlingSlot = 8 };

constexpr int32_t kTemperatureIds[TEMP_VALUE_COUNT] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 24, 25};
constexpr int32_t kRedTideIds[RED_TIDE_VALUE_COUNT] = {7,  9,  11, 13, 8,  10, 12, 14, 36, 22, 37, 46,
                                                       47, 16, 17, 28, 41, 29, 40, 34, 32, 49, 23};

constexpr double kSettlingZero = 1e-6;

const char *const kSettlingTitles[SETTLING_KIND_COUNT] = {
    "Non-cyclic component settling velocity [m/s]",
    "Amplitude of sinusoidal variation [m/s]",
    "Period of sinusoidal variation [hours]",
    "Phase lag for sinusoidal variation [hours]",
    "Minimum settling velocity [m/s]",
    "Maximum settling velocity [m/s]",
};

constexpr const char *kOilHeading = "Oil parameters for ";

// The oil pane's fraction (-1 none) and the settling pane's table kind.
int g_oilSelected = -1;
int g_settlingKind = 0;

// The sub-panes whose fields show the scenario in hand, and the fraction
// the oil pane's fields were filled from.
constexpr int kPaneCount = 13;
bool g_filled[kPaneCount] = {};
const OilFraction *g_oilFilledFrom = nullptr;

void MarkFilled(int index)
{
    if (index >= 0 && index < kPaneCount)
        g_filled[index] = true;
}
bool Filled(int index) { return index >= 0 && index < kPaneCount && g_filled[index]; }

ProcessParameters *Process() { return g_scenario.processParameters; }

RUV_WIN Pane(int index) { return SubPaneWindow(index); }

bool IsSettlingSlot(int slot) { return slot >= kFirstSettlingSlot && slot <= kLastSettlingSlot; }

bool HasTable(int slot)
{
    const RUV_WIN table = GetTableOfSlot(slot);
    return table != NULL_WIN && reinterpret_cast<intptr_t>(table) != -1;
}

// The check of a field being left.
int16_t CheckOnLeave(RUV_WIN pane, const RUV_EVENT *event, int16_t (*check)(RUV_WIN, int32_t))
{
    if (FieldEventOf(event) != FieldEvent::Left)
        return 0;
    EventsFrozen frozen(pane);
    return check(pane, event->v.control.id);
}

int16_t CheckUnitInterval(RUV_WIN pane, int32_t id) { return CheckFloatInterval(pane, id, 0.0, 1.0); }
// A percentage is any number from 0 to 100 (the wind drag is a float, 3.5 %).
int16_t CheckPercentage(RUV_WIN pane, int32_t id) { return CheckFloatInterval(pane, id, 0.0, 100.0); }

// ---- storing checked fields ----

using Rule = std::string (*)(const char *);

std::string UnitIntervalMessage(const char *text) { return FloatIntervalMessage(text, 0.0, 1.0); }
std::string PercentageMessage(const char *text) { return FloatIntervalMessage(text, 0.0, 100.0); }

// The field's value into target when its text passes the rule; a refused
// or empty text leaves target as it was.
void StoreFloat(RUV_WIN pane, int32_t id, Rule rule, float &target) { StoreNumberField(pane, id, rule, target); }

void ShowFloat(RUV_WIN pane, int32_t id, float value) { SetControlFloatText(pane, id, value); }

void HideWindow(RUV_WIN window)
{
    if (window)
        SetWindowVisible(window, 0);
}

void ShowWindow(RUV_WIN window)
{
    if (window)
        SetWindowVisible(window, 1);
}

// ---- filling the panes ----

void FillTemperaturePane(RUV_WIN pane)
{
    if (!pane || !Process())
        return;
    MarkFilled(kTemperaturePane);
    for (int i = 0; i < TEMP_VALUE_COUNT; ++i)
        ShowFloat(pane, kTemperatureIds[i], Process()->temperature[i]);
}

void FillRedTidePane(RUV_WIN pane)
{
    if (!pane || !Process())
        return;
    MarkFilled(kRedTidePane);
    for (int i = 0; i < RED_TIDE_VALUE_COUNT; ++i)
        ShowFloat(pane, kRedTideIds[i], Process()->redTide[i]);
}

void FillPhysicalPane(RUV_WIN pane)
{
    const PhysicalParameters *phys = Process() ? Process()->physical : nullptr;
    if (!pane || !phys)
        return;
    MarkFilled(kPhysicalPane);
    ShowFloat(pane, 8, phys->roughness);
    ShowFloat(pane, 6, phys->dispersionA);
    ShowFloat(pane, 7, phys->dispersionB);
    ShowFloat(pane, 9, phys->windDrag);
    ShowFloat(pane, 10, phys->waterDensity);
    SetTableData(&g_scenario, pane, kWindSlot, 0);
    SetCurrentTimeTable(kWindSlot);
}

// A list control filled with the texts of a list of text pointers, the
// index selected.
void FillTextList(RUV_WIN pane, int32_t id, GE_List *texts, int selected)
{
    SuspendListControl(pane, id);
    ClearList(pane, id);
    for (int i = 0; i < GE_ListCount(texts); ++i) {
        const char *text = nullptr;
        GE_ListGet(texts, i, &text);
        AddListItem(pane, id, -1, text ? text : "");
    }
    if (selected >= 0 && selected < CountList(pane, id))
        SetListItemSelected(pane, id, selected, 1);
    ResumeListControl(pane, id);
}

void EnableSettlingFields(RUV_WIN pane, bool enabled)
{
    SetControlEnabled(pane, 3, enabled ? 1 : 0);
    SetControlEnabled(pane, 8, enabled ? 1 : 0);
}

void FillSettlingPane(RUV_WIN pane)
{
    ProcessParameters *p = Process();
    if (!pane || !p)
        return;
    MarkFilled(kSettlingPane);
    ShowFloat(pane, 2, p->settlingExponent);
    FillTextList(pane, 8, p->refinementLabels, p->refinementLabelIndex);
    EnableSettlingFields(pane, std::fabs(p->settlingExponent) > kSettlingZero);
    FillTextList(pane, 9, p->settlingNames, g_settlingKind);
    // Tables built before (a row command builds all six) are made again
    // from the scenario, whose substances may have changed since.
    for (int slot = kFirstSettlingSlot; slot <= kLastSettlingSlot; ++slot)
        if (HasTable(slot)) {
            SetTableData(&g_scenario, pane, slot, 0);
            if (RUV_WIN table = GetTableOfSlot(slot))
                ruv_vobj_set_visible(table, 0);
        }
    ShowSettlingTableKind(pane, g_settlingKind);
}

void FillSedimentationPane(RUV_WIN pane)
{
    ProcessParameters *p = Process();
    if (!pane || !p)
        return;
    MarkFilled(kSedimentationPane);
    ShowFloat(pane, 4, p->chezy);
    ShowFloat(pane, 5, p->criticalShearSedimentation);
    ShowFloat(pane, 6, p->criticalShearErosion);
    const int on = p->sedimentationErosion ? 1 : 0;
    CheckRadioInRange(pane, on ? 11 : 12, 11, 12);
    EnableSedimentationFields(pane, on);
}

// The model-specific sub-pane filled from the scenario.
void FillProcessSubPane(int index)
{
    switch (index) {
    case kDecayPane:
        SetTableData(&g_scenario, Pane(kDecayPane), kDecaySlot, 0);
        SetCurrentTimeTable(kDecaySlot);
        break;
    case kTemperaturePane: FillTemperaturePane(Pane(index)); break;
    case kRedTidePane: FillRedTidePane(Pane(index)); break;
    case kOilPane: ShowOilPane(Pane(index)); break;
    case kPhysicalPane: FillPhysicalPane(Pane(index)); break;
    default: break;
    }
}

int ModelPaneOf(int32_t kind)
{
    switch (kind) {
    case MODEL_TEMPERATURE: return kTemperaturePane;
    case MODEL_RED_TIDE: return kRedTidePane;
    case MODEL_OIL: return kOilPane;
    default: return kDecayPane;
    }
}

bool RedTideSupported() { return static_cast<int16_t>(g_scenario.redTideSwitch & 0xFFFF) != 0; }

bool IsProcessSubPane(int index)
{
    switch (index) {
    case kDecayPane:
    case kTemperaturePane:
    case kRedTidePane:
    case kOilPane:
    case kSettlingPane:
    case kPhysicalPane:
    case kSettlingChoicePane:
    case kSedimentationPane:
        return true;
    default:
        return false;
    }
}

void ClearMainStatus()
{
    if (MainWindow)
        statbar_set_title(MainWindow, "");
}

// ---- storing the panes ----

void StoreTemperaturePane(RUV_WIN pane)
{
    if (pane && Process())
        for (int i = 0; i < TEMP_VALUE_COUNT; ++i)
            StoreFloat(pane, kTemperatureIds[i], FloatMessage, Process()->temperature[i]);
    HideWindow(Pane(kTimeTableWindow));
}

void StoreRedTidePane(RUV_WIN pane)
{
    if (pane && Process())
        for (int i = 0; i < RED_TIDE_VALUE_COUNT; ++i)
            StoreFloat(pane, kRedTideIds[i], FloatMessage, Process()->redTide[i]);
}

void StorePhysicalPane(RUV_WIN pane)
{
    ProcessParameters *p = Process();
    if (!pane || !p)
        return;
    for (int32_t id : {8, 6, 7, 9, 10})
        StorePhysicalField(p, pane, id);
    StoreTable(&g_scenario, kWindSlot, 0);
}

void StoreSettlingPane(RUV_WIN pane)
{
    ProcessParameters *p = Process();
    if (!pane || !p)
        return;
    StoreFloat(pane, 2, FloatNonNegativeMessage, p->settlingExponent);
    const bool enabled = std::fabs(p->settlingExponent) > kSettlingZero;
    if (enabled) {
        const int selected = GetListSelIndex(pane, 8);
        if (selected >= 0) {
            p->refinementFactor = selected + 1;
            p->refinementLabelIndex = selected;
        }
    }
    EnableSettlingFields(pane, enabled);
    KeepSettlingRowsTogether(&g_scenario);
    if (IsSettlingSlot(CurrentTimeTable()))
        StoreTable(&g_scenario, CurrentTimeTable(), 0);
}

void StoreSedimentationPane(RUV_WIN pane)
{
    ProcessParameters *p = Process();
    if (!pane || !p)
        return;
    StoreFloat(pane, 4, FloatNonNegativeMessage, p->chezy);
    StoreFloat(pane, 5, FloatNonNegativeMessage, p->criticalShearSedimentation);
    StoreFloat(pane, 6, FloatNonNegativeMessage, p->criticalShearErosion);
}

// ---- the oil fractions ----

// The sticky fractions the pane lists: the first oilFractionCount records
// of the oil block.
int OilFractionsShown()
{
    const ProcessParameters *p = Process();
    if (!p || !p->oilFractions)
        return 0;
    const int count = GE_ListCount(p->oilFractions);
    const int sticky = g_scenario.oilFractionCount;
    return sticky < 0 ? 0 : sticky < count ? sticky : count;
}

OilFraction *OilFractionAt(int index)
{
    if (index < 0 || index >= OilFractionsShown())
        return nullptr;
    OilFraction *fraction = nullptr;
    GE_ListGet(Process()->oilFractions, index, &fraction);
    return fraction;
}

bool OilLayerFieldsShown() { return g_scenario.hydLayers > 1; }

constexpr int32_t kOilFractionFields[] = {23, 24, 25, 26, 27, 28, 33, 36, 29};

}  // namespace

// ---- the page ----

void ShowProcessParametersPage(ScenarioRecord *scenario, RUV_WIN page)
{
    if (!scenario || !page)
        return;
    static const char *const kModelTitles[] = {"Tracer Model", "Temp. Model", "Red Tide Model", "Oil Model"};
    const int32_t kind = scenario->modelKind;
    if (kind < MODEL_TRACER || kind > MODEL_OIL) {
        PostErrorF("Internal error in source general: model kind %d", static_cast<int>(kind));
    } else {
        SetControlTitle(page, 5, kModelTitles[kind]);
        SetControlVisible(page, 5, kind != MODEL_TRACER ? 1 : 0);
    }
    if (kind == MODEL_OIL) {
        // Instantaneous releases first; the table holds 1000 names.
        int count = 0;
        for (GE_List *releases : {scenario->instantaneousReleases, scenario->continuousReleases}) {
            for (int i = 0; releases && i < GE_ListCount(releases) && count < SCEN_MAX_RELEASE_NAMES; ++i) {
                const Location *release = nullptr;
                GE_ListGet(releases, i, &release);
                std::snprintf(scenario->releaseNames[count], SCEN_RELEASE_NAME_LEN, "%.20s",
                              release ? release->name : "");
                ++count;
            }
        }
        scenario->releaseNameCount = count;
    }
    // The sub-pane shown with the page shows this scenario's values; a
    // model pane of another kind gives way to the pane of this kind.
    int current = CurrentSubPane();
    if (!IsProcessSubPane(current))
        return;
    if ((current == kTemperaturePane || current == kRedTidePane || current == kOilPane) &&
        current != ModelPaneOf(kind)) {
        HideWindow(Pane(current));
        current = ModelPaneOf(kind);
        SetCurrentSubPane(current);
        if (current == kDecayPane)
            ShowWindow(Pane(current));
    }
    if (current == kSettlingPane)
        FillSettlingPane(Pane(kSettlingPane));
    else if (current == kSedimentationPane)
        FillSedimentationPane(Pane(kSedimentationPane));
    else
        FillProcessSubPane(current);
    if (current == kSettlingPane || current == kSedimentationPane)
        ShowWindow(Pane(kSettlingChoicePane));
}

void ShowProcessSubPane(int index)
{
    // A table of the pane left that cannot be stored keeps the user in it.
    if (index == -1 || !CheckShownTables(NULL_WIN, ""))
        return;
    ClearMainStatus();
    const int left = CurrentSubPane();
    StoreSubPane(left, 0);
    HideWindow(SubPaneWindow(left));
    if (left == kSettlingChoicePane || left == kSedimentationPane || left == kSettlingPane)
        HideWindow(Pane(kSettlingChoicePane));

    if (index == PROCESS_MODEL_PANE)
        index = ModelPaneOf(g_scenario.modelKind);
    FillProcessSubPane(index);

    if (index == kTemperaturePane) {
        PostNoteF("%s", "Temperature model no longer supported");
    } else if (index == kRedTidePane && !RedTideSupported()) {
        PostNoteF("%s", "Red tide model no longer supported");
    } else {
        ShowWindow(SubPaneWindow(index));
        if (index == kSedimentationPane || index == kSettlingPane)
            ShowWindow(Pane(kSettlingChoicePane));
    }
    SetCurrentSubPane(index);
}

void ShowSettlingSubPane(int index)
{
    if (!CheckShownTables(NULL_WIN, ""))
        return;
    ClearMainStatus();
    StoreSubPane(CurrentSubPane(), 0);
    HideWindow(Pane(kSettlingPane));
    HideWindow(Pane(kSedimentationPane));
    if (index == kSettlingPane) {
        FillSettlingPane(Pane(kSettlingPane));
    } else if (index == kSedimentationPane) {
        FillSedimentationPane(Pane(kSedimentationPane));
    } else {
        PostErrorF("Internal error in source pt_show: settling sub-pane %d", index);
        return;
    }
    ShowWindow(Pane(index));
    SetCurrentSubPane(index);
}

void ShowSettlingTableKind(RUV_WIN pane, int kind)
{
    if (kind < 0 || kind >= SETTLING_KIND_COUNT) {
        PostErrorF("Internal error in source pt_show: settling table kind %d", kind);
        return;
    }
    if (!pane)
        return;
    SetControlTitle(pane, 4, kSettlingTitles[kind]);
    const int slot = kFirstSettlingSlot + kind;
    ShowSettlingTable(pane, slot);
    SetCurrentTimeTable(slot);
    g_settlingKind = kind;
}

int SettlingTableKind(void) { return g_settlingKind; }

// ---- storing ----

bool StoreProcessSubPane(int index)
{
    if (IsProcessSubPane(index) && index != kDecayPane && index != kSettlingChoicePane && !Filled(index))
        return true;
    switch (index) {
    case kTemperaturePane: StoreTemperaturePane(Pane(index)); return true;
    case kRedTidePane: StoreRedTidePane(Pane(index)); return true;
    case kOilPane: StoreOilPane(Pane(index)); return true;
    case kSettlingPane: StoreSettlingPane(Pane(index)); return true;
    case kPhysicalPane: StorePhysicalPane(Pane(index)); return true;
    case kSedimentationPane: StoreSedimentationPane(Pane(index)); return true;
    default: return false;
    }
}

void StorePhysicalField(ProcessParameters *process, RUV_WIN pane, int32_t control)
{
    PhysicalParameters *phys = process ? process->physical : nullptr;
    if (!phys || !pane)
        return;
    switch (control) {
    case 8: StoreFloat(pane, 8, FloatPositiveMessage, phys->roughness); break;
    case 6: StoreFloat(pane, 6, FloatMessage, phys->dispersionA); break;
    case 7: StoreFloat(pane, 7, FloatMessage, phys->dispersionB); break;
    case 9: StoreFloat(pane, 9, PercentageMessage, phys->windDrag); break;
    case 10: StoreFloat(pane, 10, FloatPositiveMessage, phys->waterDensity); break;
    default: break;
    }
}

void ForgetProcessPanes(void)
{
    for (bool &filled : g_filled)
        filled = false;
    g_oilFilledFrom = nullptr;
}

void EnableSedimentationFields(RUV_WIN pane, int flag)
{
    for (int32_t id : {4, 5, 6})
        SetControlEnabled(pane, id, flag ? 1 : 0);
    if (Process())
        Process()->sedimentationErosion = static_cast<int16_t>(flag ? 1 : 0);
}

// ---- the oil pane ----

void ShowOilPane(RUV_WIN pane)
{
    RebuildOilNameList(&g_scenario);
    ShowOilLayerFields(pane);
    FillOilPane(pane);
}

void ShowOilLayerFields(RUV_WIN pane)
{
    if (pane)
        SetControlsVisible(pane, OilLayerFieldsShown() ? 1 : 0, 1, 2, 3, 0);
}

void FillOilPane(RUV_WIN pane)
{
    ProcessParameters *p = Process();
    if (!pane || !p)
        return;
    MarkFilled(kOilPane);
    const int count = OilFractionsShown();
    SuspendListControl(pane, 39);
    ClearList(pane, 39);
    for (int i = 0; i < count; ++i)
        AddListItem(pane, 39, -1, OilFractionAt(i)->name);
    ResumeListControl(pane, 39);

    if (count == 0) {
        // Every fraction un-ticked: nothing to edit.
        g_oilSelected = -1;
        g_oilFilledFrom = nullptr;
        SetControlTitle(pane, 30, kOilHeading);
        for (int32_t id : kOilFractionFields)
            SetControlTitle(pane, id, "");
    } else {
        g_oilSelected = g_oilSelected < 0 ? 0 : g_oilSelected >= count ? count - 1 : g_oilSelected;
        const OilFraction *f = OilFractionAt(g_oilSelected);
        g_oilFilledFrom = f;
        SetControlTitle(pane, 30, (std::string(kOilHeading) + f->name).c_str());
        ShowFloat(pane, 23, f->evaporation);
        ShowFloat(pane, 24, f->stickyProbability);
        ShowFloat(pane, 25, f->volatileFraction);
        ShowFloat(pane, 26, f->emulsificationC1);
        ShowFloat(pane, 27, f->maxWaterContentC2);
        ShowFloat(pane, 28, f->emulsificationStart);
        ShowFloat(pane, 33, f->density);
        ShowFloat(pane, 36, f->viscosity);
        if (f->dispersionOption == 0 || f->dispersionOption == 1) {
            CheckRadioInRange(pane, f->dispersionOption == 0 ? 13 : 14, 13, 14);
            SetControlEnabled(pane, 29, f->dispersionOption == 0 ? 1 : 0);
        } else {
            PostErrorF("Internal error in source oilfraction: dispersion option %d",
                       static_cast<int>(f->dispersionOption));
        }
        ShowFloat(pane, 29, f->dispersionRate);
    }
    ShowFloat(pane, 5, p->minimumOilThickness);
    if (OilLayerFieldsShown())
        ShowFloat(pane, 1, p->coriolisAngle);
    if (g_oilSelected >= 0)
        SetListItemSelected(pane, 39, g_oilSelected, 1);
}

void StoreOilPane(RUV_WIN pane)
{
    ProcessParameters *p = Process();
    if (!pane || !p || !Filled(kOilPane))
        return;
    // The fraction fields go back only into the fraction they show.
    OilFraction *f = OilFractionAt(g_oilSelected);
    if (f && f == g_oilFilledFrom) {
        StoreFloat(pane, 23, FloatNonNegativeMessage, f->evaporation);
        StoreFloat(pane, 24, UnitIntervalMessage, f->stickyProbability);
        StoreFloat(pane, 25, UnitIntervalMessage, f->volatileFraction);
        StoreFloat(pane, 26, FloatNonNegativeMessage, f->emulsificationC1);
        StoreFloat(pane, 27, UnitIntervalMessage, f->maxWaterContentC2);
        StoreFloat(pane, 28, FloatNonNegativeMessage, f->emulsificationStart);
        StoreFloat(pane, 33, FloatPositiveMessage, f->density);
        StoreFloat(pane, 36, FloatPositiveMessage, f->viscosity);
        if (IsControlChecked(pane, 13)) {
            f->dispersionOption = 0;
            StoreFloat(pane, 29, FloatNonNegativeMessage, f->dispersionRate);
        } else if (IsControlChecked(pane, 14)) {
            f->dispersionOption = 1;
        }
    }
    StoreFloat(pane, 5, FloatNonNegativeMessage, p->minimumOilThickness);
    // Field 1 is hidden and never filled with one layer.
    if (OilLayerFieldsShown())
        StoreFloat(pane, 1, FloatMessage, p->coriolisAngle);
}

void OnOilFractionSelected(RUV_WIN pane)
{
    StoreOilPane(pane);
    g_oilSelected = GetListSelIndex(pane, 39);
    if (g_oilSelected >= 0) {
        FillOilPane(pane);
    } else {
        for (int i = 0; i < CountList(pane, 39); ++i)
            SetListItemSelected(pane, 39, i, 0);
    }
}

int SelectedOilFraction(void) { return g_oilSelected; }
void SetSelectedOilFraction(int index) { g_oilSelected = index; }

// ---- control events ----

void ProcessPageControl(RUV_WIN, const RUV_EVENT *event)
{
    if (!IsClick(event))
        return;
    switch (event->v.control.id) {
    case 2: ShowProcessSubPane(kDecayPane); break;
    case 3: ShowProcessSubPane(kSettlingChoicePane); break;
    case 4: ShowProcessSubPane(kPhysicalPane); break;
    case 5: ShowProcessSubPane(PROCESS_MODEL_PANE); break;
    default: break;
    }
}

void SettlingChoicePaneControl(RUV_WIN, const RUV_EVENT *event)
{
    if (!IsClick(event))
        return;
    if (event->v.control.id == 2)
        ShowSettlingSubPane(kSedimentationPane);
    else if (event->v.control.id == 3)
        ShowSettlingSubPane(kSettlingPane);
}

void SedimentationPaneControl(RUV_WIN pane, const RUV_EVENT *event)
{
    const int32_t id = event->v.control.id;
    if (id >= 4 && id <= 6) {
        CheckOnLeave(pane, event, CheckFloatNonNegative);
    } else if ((id == 11 || id == 12) && IsClick(event)) {
        CheckRadioInRange(pane, id, 11, 12);
        EnableSedimentationFields(pane, id == 11 ? 1 : 0);
        SetModified(1);
    }
}

void SettlingPaneControl(RUV_WIN pane, const RUV_EVENT *event)
{
    switch (event->v.control.id) {
    case 2:
        if (FieldEventOf(event) == FieldEvent::Left && CheckOnLeave(pane, event, CheckFloatNonNegative) == 0)
            EnableSettlingFields(pane, std::fabs(GetControlDouble(pane, 2)) > kSettlingZero);
        break;
    case 9: {
        // The selection stays with the kind shown.
        const int kind = GetListSelIndex(pane, 9);
        if (kind >= 0 && kind != g_settlingKind) {
            if (CheckShownTables(NULL_WIN, ""))
                ShowSettlingTableKind(pane, kind);
            else
                SetListItemSelected(pane, 9, g_settlingKind, 1);
        }
        break;
    }
    default:
        // List 8 keeps its selection until the pane is stored.
        break;
    }
}

void PhysicalPaneControl(RUV_WIN pane, const RUV_EVENT *event)
{
    switch (event->v.control.id) {
    case 6:
    case 7: CheckOnLeave(pane, event, CheckFloat); break;
    case 8:
    case 10: CheckOnLeave(pane, event, CheckFloatPositive); break;
    case 9: CheckOnLeave(pane, event, CheckPercentage); break;
    case 19:
        if (IsClick(event))
            OpenTableEditor(pane);
        break;
    default: break;
    }
}

void TemperaturePaneControl(RUV_WIN, const RUV_EVENT *event)
{
    if (event->v.control.id != 23 || !IsClick(event))
        return;
    RUV_WIN window = Pane(kTimeTableWindow);
    if (!window)
        return;
    SetTableData(&g_scenario, window, kIntakeSlot, 0);
    SetCurrentTimeTable(kIntakeSlot);
    ShowWindow(window);
}

// Every red-tide parameter is any number: a field left with another text
// gets its box and keeps the focus, as the other panes' fields do, rather
// than being dropped unseen when the pane is stored.
void RedTidePaneControl(RUV_WIN pane, const RUV_EVENT *event)
{
    for (const int32_t id : kRedTideIds)
        if (event->v.control.id == id) {
            CheckOnLeave(pane, event, CheckFloat);
            return;
        }
}

void OilPaneControl(RUV_WIN pane, const RUV_EVENT *event)
{
    switch (event->v.control.id) {
    case 39:
        if (IsClick(event))
            OnOilFractionSelected(pane);
        break;
    case 1: CheckOnLeave(pane, event, CheckFloat); break;
    case 5:
    case 23:
    case 26:
    case 28:
    case 29: CheckOnLeave(pane, event, CheckFloatNonNegative); break;
    case 24:
    case 25:
    case 27: CheckOnLeave(pane, event, CheckUnitInterval); break;
    case 33:
    case 36: CheckOnLeave(pane, event, CheckFloatPositive); break;
    case 13:
    case 14:
        if (IsClick(event)) {
            CheckRadioInRange(pane, event->v.control.id, 13, 14);
            SetControlEnabled(pane, 29, event->v.control.id == 13 ? 1 : 0);
            SetModified(1);
        }
        break;
    default: break;
    }
}
