// The Process parameters page and its sub-panes on the editor's real
// windows: the model button of each kind, the release names of an oil
// scenario, the model-specific pane of each kind with the notes of the
// panes no longer supported, every pane's fields by their ids filled and
// stored, refused texts that leave the scenario's value alone, the
// settling and sedimentation enable rules, the six settling titles, and the
// oil pane with its selection, dispersion option, layer fields and a set
// of fractions that are all un-ticked.
#include "process_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "editor_test_support.h"
#include "general_pages.h"
#include "front_fixture.h"
#include "ruvv_attr.h"
#include "scenario_fixtures.h"
#include "substance_set.h"
#include "table_control.h"
#include "time_tables.h"

using namespace ruvf_test;
using editor_test::NativeOf;

// ---- the shell's services the page calls, on the test's panes ----
RUV_WIN MainWindow = NULL_WIN;
RUV_WIN PageWindows[EDITOR_PAGE_COUNT] = {};
int16_t ModifiedFlag = 0;
int32_t CurrentPage = 0;
int32_t PageSelection[EDITOR_PAGE_COUNT] = {};
int32_t PageFilled[EDITOR_PAGE_COUNT] = {};
static RUV_WIN panes[EDITOR_SUBPANE_COUNT] = {};
static int currentSubPane = -1;
static int currentTimeTable = -1;
RUV_WIN SubPaneWindow(int index) { return index >= 0 && index < EDITOR_SUBPANE_COUNT ? panes[index] : NULL_WIN; }
int CurrentSubPane(void) { return currentSubPane; }
void SetCurrentSubPane(int index) { currentSubPane = index; }
int CurrentTimeTable(void) { return currentTimeTable; }
void SetCurrentTimeTable(int slot) { currentTimeTable = slot; }
void StoreSubPane(int index, int)
{
    if (index == 0)
        StoreTableOfSlot(0);
    else
        StoreProcessSubPane(index);
}
void CheckRadioInRange(RUV_WIN window, int32_t id, int32_t first, int32_t last)
{
    std::vector<RUV_WIN> buttons;
    for (int32_t i = first; i <= last; ++i)
        buttons.push_back(ruv_win_get_ctl(window, i));
    ruv_ctl_check_radio_button(ruv_win_get_ctl(window, id), buttons.data(), static_cast<int32_t>(buttons.size()));
}
void SetModified(int flag) { ModifiedFlag = static_cast<int16_t>(flag); }
void EnablePageButtons(void) {}
void UpdateVisualisationAreaItem(RUV_WIN) {}
int VisualisationAreaAvailable(void) { return 0; }
void FindLocationCellsAgain(void) {}
void HideAllSubPanes(void) {}
void ShowSubPane(RUV_WIN, int32_t, int) {}
void UpdateMainTitle(void) {}
void HelpRemoveWindow(RUV_WIN) {}
void ClearWithBackground(RUV_WIN) {}
void ResetMapPageBoxes(void) {}
const char *GetConcentrationUnit(void) { return "kg/m3"; }

namespace {

using scenario_fixtures::AddRow;

RUV_WIN Task() { return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)); }

int32_t Quiet(RUV_WIN, RUV_EVENT *) { return 0; }

// Page 6 with its sub-panes as the editor makes them, and window 174.
struct Page {
    RUV_WIN frame = NULL_WIN;
    Page()
    {
        RUV_RECT r{10, 10, 760, 900};
        frame = ruv_win_create(1, &r, "Process", 0, Task(), 0x803, RUV_EVENT_MASK_ALL, Quiet, nullptr);
        PageWindows[6] = CreateChildPaneEx(frame, 127, Quiet, 176, 10, 780, 490, nullptr);
        RUV_WIN page = PageWindows[6];
        panes[0] = CreateChildPaneEx(page, 128, Quiet, 0, 70, 700, 700, nullptr);
        panes[11] = CreateChildPaneEx(page, 183, Quiet, 0, 70, 700, 456, nullptr);
        panes[12] = CreateChildPaneEx(panes[11], 184, Quiet, 0, 70, 700, 456, nullptr);
        panes[4] = CreateChildPaneEx(panes[11], 130, Quiet, 0, 70, 700, 456, nullptr);
        panes[5] = CreateChildPaneEx(page, 132, Quiet, 0, 70, 700, 550, nullptr);
        panes[1] = CreateChildPaneEx(page, 134, Quiet, 0, 70, 700, 600, nullptr);
        panes[2] = CreateChildPaneEx(page, 140, Quiet, 0, 70, 700, 600, nullptr);
        panes[3] = CreateChildPaneEx(page, 180, Quiet, 0, 70, 700, 600, nullptr);
        panes[10] = ruv_win_create_res(174, Task(), nullptr, Quiet, 0xFFFFFFFFu);
        for (int i : {0, 11, 12, 4, 5, 1, 2, 3})
            SetWindowVisible(panes[i], 0);
        SetWindowVisible(page, 1);
        currentSubPane = -1;
        currentTimeTable = -1;
        SetSelectedOilFraction(-1);
    }
    ~Page()
    {
        ResetTableSlots(1);
        for (RUV_WIN &p : panes)
            if (p) {
                ruv_vobj_destroy(p);
                p = NULL_WIN;
            }
        ruv_vobj_destroy(PageWindows[6]);
        PageWindows[6] = NULL_WIN;
        ruv_vobj_destroy(frame);
    }
};

// A tracer scenario with the substances "dye" and "salt", or an oil
// scenario with the fractions "a", "b", "c"; two-row tables.
void MakeScenario(int32_t kind = MODEL_TRACER, int layers = 1)
{
    scenario_fixtures::DisposeScenario(&g_scenario);
    g_startup = StartupRecord();
    SetScenarioDefaults(&g_startup, &g_scenario);
    std::strcpy(g_scenario.hydReferenceTime, "20260601000000");
    std::strcpy(g_scenario.timeGroups[0][TIME_START], "20260601010000");
    std::strcpy(g_scenario.timeGroups[0][TIME_STOP], "20260601230000");
    std::strcpy(g_scenario.timeGroups[0][TIME_STEP], "00000000000500");
    g_scenario.modelKind = kind;
    g_scenario.hydLayers = layers;
    g_scenario.redTideSwitch = 1;
    const bool oil = kind == MODEL_OIL;
    const std::vector<std::string> names = oil ? std::vector<std::string>{"a", "b", "c"}
                                               : std::vector<std::string>{"dye", "salt"};
    for (size_t i = 0; i < names.size(); ++i) {
        if (oil)
            scenario_fixtures::AddOilFraction(&g_scenario, names[i].c_str());
        else
            scenario_fixtures::AddSubstance(&g_scenario, names[i].c_str());
        std::snprintf(g_startup.substanceNames[i], 30, "%s", names[i].c_str());
        g_startup.oilFlags[i] = oil ? 1 : 0;
    }
    ProcessParameters *p = g_scenario.processParameters;
    const int n = static_cast<int>(names.size());
    const auto table = [](XYSeries *&t, int columns, float value) {
        DestroyXYSeries(t);
        t = CreateXYSeries(XYS_LINEAR, 1, columns);
        AddRow(t, 60.0, std::vector<float>(static_cast<size_t>(columns), value));
        AddRow(t, 1380.0, std::vector<float>(static_cast<size_t>(columns), value));
    };
    table(p->decayRates, n * (oil ? 3 : 1), 0.2f);
    table(p->physical->wind, 2, 4.0f);
    for (int k = 0; k < SETTLING_TABLE_COUNT; ++k)
        table(p->settling[k], n * (oil ? 2 : 1), 0.25f * static_cast<float>(k));
    ResetTableSlots(0);
}

// Runs f with the boxes of texts answered in order; every one must come.
template <typename F>
void WithBoxes(std::vector<std::string> texts, F f)
{
    std::vector<kt::Answer> script;
    for (const std::string &t : texts)
        script.push_back({t, 0});
    kt::ModalGuard guard(script);
    f();
    guard.stop();
}

// The value of a series in a row.
float RowValue(XYSeries *series, int row, int column)
{
    double time = 0;
    float values[8] = {};
    SelectXYSeries(series, XYS_ALL);
    EvaluateXYSeries(series, XYS_ROW, row, &time, values, nullptr);
    return values[column];
}

std::string Text(RUV_WIN pane, int32_t id) { return GetControlTitle(pane, id); }
bool Shown(RUV_WIN w) { return (GetWindowLongA(NativeOf(w), GWL_STYLE) & WS_VISIBLE) != 0; }
bool ControlShown(RUV_WIN pane, int32_t id)
{
    return (GetWindowLongA(GetDlgItem(NativeOf(pane), id), GWL_STYLE) & WS_VISIBLE) != 0;
}
bool Enabled(RUV_WIN pane, int32_t id) { return IsWindowEnabled(GetDlgItem(NativeOf(pane), id)) != 0; }

// A click on a control as its handler meets it.
RUV_EVENT Click(int32_t id)
{
    RUV_EVENT e{};
    e.type = E_CONTROL;
    e.v.control.id = id;
    return e;
}

TEST(ProcessPage, TheModelButtonNamesTheKindAndIsHiddenForATracer)
{
    in_app([] {
        Page page;
        struct Case {
            int32_t kind;
            const char *title;
            bool shown;
        };
        const Case cases[] = {
            {MODEL_TRACER, "Tracer Model", false},
            {MODEL_TEMPERATURE, "Temp. Model", true},
            {MODEL_RED_TIDE, "Red Tide Model", true},
            {MODEL_OIL, "Oil Model", true},
        };
        for (const Case &k : cases) {
            MakeScenario(k.kind);
            WithBoxes({}, [] { ShowProcessParametersPage(&g_scenario, PageWindows[6]); });
            EXPECT_EQ(Text(PageWindows[6], 5), k.title);
            EXPECT_EQ(ControlShown(PageWindows[6], 5), k.shown) << k.title;
        }
    });
}

TEST(ProcessPage, AnOilScenarioNamesItsReleasesInstantaneousFirstAndAtMost1000)
{
    in_app([] {
        Page page;
        struct Case {
            int instantaneous, continuous, expected;
        };
        const Case cases[] = {{2, 1, 3}, {0, 0, 0}, {999, 5, 1000}, {600, 600, 1000}};
        for (const Case &k : cases) {
            MakeScenario(MODEL_OIL);
            for (int i = 0; i < k.instantaneous; ++i)
                scenario_fixtures::AddLocation(g_scenario.instantaneousReleases,
                                               ("spill number " + std::to_string(i) + " of the bay").c_str(), 0, 0);
            for (int i = 0; i < k.continuous; ++i)
                scenario_fixtures::AddLocation(g_scenario.continuousReleases, ("outfall " + std::to_string(i)).c_str(),
                                               0, 0);
            // The fields behind the table must stay as they are.
            const int32_t countBefore = g_scenario.oilFractionCount;
            WithBoxes({}, [] { ShowProcessParametersPage(&g_scenario, PageWindows[6]); });
            EXPECT_EQ(g_scenario.releaseNameCount, k.expected);
            EXPECT_EQ(g_scenario.oilFractionCount, countBefore);
            if (k.instantaneous > 0) {
                EXPECT_STREQ(g_scenario.releaseNames[0], "spill number 0 of th");
            }
            if (k.continuous > 0 && k.instantaneous + k.continuous <= 1000) {
                EXPECT_STREQ(g_scenario.releaseNames[k.instantaneous], "outfall 0");
            }
            if (k.expected == 1000 && k.instantaneous < 1000) {
                EXPECT_STREQ(g_scenario.releaseNames[999],
                             ("outfall " + std::to_string(999 - k.instantaneous)).c_str());
            }
        }
    });
}

TEST(ProcessPage, TheModelButtonShowsThePaneOfTheKind)
{
    in_app([] {
        struct Case {
            int32_t kind;
            int redTideSwitch;
            int pane;             // shown, -1 none
            int current;
            const char *note;
        };
        const Case cases[] = {
            {MODEL_TRACER, 1, 0, 0, nullptr},
            {MODEL_TEMPERATURE, 1, -1, 1, "Temperature model no longer supported"},
            {MODEL_RED_TIDE, 0, -1, 2, "Red tide model no longer supported"},
            {MODEL_RED_TIDE, 1, 2, 2, nullptr},
            {MODEL_OIL, 1, 3, 3, nullptr},
        };
        for (const Case &k : cases) {
            Page page;
            MakeScenario(k.kind);
            g_scenario.redTideSwitch = k.redTideSwitch;
            std::vector<std::string> boxes;
            if (k.note)
                boxes.push_back(k.note);
            // The physical pane first: the model button hides it.
            WithBoxes({}, [] { ShowProcessSubPane(5); });
            EXPECT_TRUE(Shown(panes[5]));
            WithBoxes(boxes, [&] {
                const RUV_EVENT e = Click(5);
                ProcessPageControl(PageWindows[6], &e);
            });
            EXPECT_EQ(CurrentSubPane(), k.current) << k.kind;
            EXPECT_FALSE(Shown(panes[5]));
            for (int i : {0, 1, 2, 3})
                EXPECT_EQ(Shown(panes[i]), i == k.pane) << "kind " << k.kind << " pane " << i;
            if (k.pane == 0) {
                EXPECT_EQ(CurrentTimeTable(), 0);
                ASSERT_TRUE(GetTableOfSlot(0));
                EXPECT_EQ(GE_TableColumnCount(GetTableOfSlot(0)), 3);
            }
        }
    });
}

// Fields of a pane with the scenario's values they show and take.
struct FieldCase {
    int32_t id;
    float *value;
};

TEST(ProcessPage, TemperatureAndRedTideFieldsInTheirOrder)
{
    in_app([] {
        Page page;
        MakeScenario(MODEL_RED_TIDE);
        ProcessParameters *p = g_scenario.processParameters;
        const int32_t temperatureIds[] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 24, 25};
        const int32_t redTideIds[] = {7, 9, 11, 13, 8, 10, 12, 14, 36, 22, 37, 46, 47, 16, 17, 28, 41, 29, 40, 34, 32, 49, 23};
        for (int i = 0; i < TEMP_VALUE_COUNT; ++i)
            p->temperature[i] = 1.5f + static_cast<float>(i);
        for (int i = 0; i < RED_TIDE_VALUE_COUNT; ++i)
            p->redTide[i] = 0.25f + static_cast<float>(i);
        WithBoxes({}, [] { ShowProcessSubPane(2); });
        for (int i = 0; i < RED_TIDE_VALUE_COUNT; ++i)
            EXPECT_EQ(Text(panes[2], redTideIds[i]), std::to_string(i) + ".25") << redTideIds[i];
        SetControlTitle(panes[2], 13, "7.5");
        SetControlTitle(panes[2], 23, "1.5abc");   // refused: kept
        SetControlTitle(panes[2], 7, "");          // empty: kept
        StoreProcessSubPane(2);
        EXPECT_FLOAT_EQ(p->redTide[3], 7.5f);
        EXPECT_FLOAT_EQ(p->redTide[22], 22.25f);
        EXPECT_FLOAT_EQ(p->redTide[0], 0.25f);

        // The temperature pane stays hidden but is filled and stored.
        WithBoxes({"Temperature model no longer supported"}, [] { ShowProcessSubPane(1); });
        EXPECT_FALSE(Shown(panes[1]));
        for (int i = 0; i < TEMP_VALUE_COUNT; ++i)
            EXPECT_EQ(Text(panes[1], temperatureIds[i]), std::to_string(i + 1) + ".5") << temperatureIds[i];
        SetControlTitle(panes[1], 25, "-3");
        SetControlTitle(panes[1], 10, "x");
        SetWindowVisible(panes[10], 1);
        StoreProcessSubPane(1);
        EXPECT_FLOAT_EQ(p->temperature[10], -3.0f);
        EXPECT_FLOAT_EQ(p->temperature[0], 1.5f);
        EXPECT_FALSE(Shown(panes[10]));
    });
}

TEST(ProcessPage, PhysicalFieldsAndWindTableStoredOnlyWhenTheirChecksPass)
{
    in_app([] {
        Page page;
        MakeScenario();
        PhysicalParameters *phys = g_scenario.processParameters->physical;
        phys->roughness = 0.02f;
        phys->dispersionA = 0.5f;
        phys->dispersionB = 1.25f;
        phys->windDrag = 3.0f;
        phys->waterDensity = 1025.0f;
        WithBoxes({}, [] { ShowProcessSubPane(5); });
        EXPECT_TRUE(Shown(panes[5]));
        EXPECT_EQ(Text(panes[5], 8), "0.02");
        EXPECT_EQ(Text(panes[5], 6), "0.5");
        EXPECT_EQ(Text(panes[5], 7), "1.25");
        EXPECT_EQ(Text(panes[5], 9), "3");
        EXPECT_EQ(Text(panes[5], 10), "1025");
        EXPECT_EQ(CurrentTimeTable(), 2);
        ASSERT_TRUE(GetTableOfSlot(2));

        struct Case {
            int32_t id;
            const char *text;
            float *value;
            float expected;
        };
        const Case cases[] = {
            {8, "0", &phys->roughness, 0.02f},         // > 0 refused
            {8, "0.05", &phys->roughness, 0.05f},
            {6, "-2", &phys->dispersionA, -2.0f},       // any float
            {7, "", &phys->dispersionB, 1.25f},         // empty refused
            {7, "1.5abc", &phys->dispersionB, 1.25f},
            {9, "101", &phys->windDrag, 3.0f},          // any number 0..100
            {9, "2.5", &phys->windDrag, 2.5f},
            {9, "100", &phys->windDrag, 100.0f},
            {10, "-1000", &phys->waterDensity, 1025.0f},
            {10, "1000", &phys->waterDensity, 1000.0f},
        };
        for (const Case &k : cases) {
            SetControlTitle(panes[5], k.id, k.text);
            StorePhysicalField(g_scenario.processParameters, panes[5], k.id);
            EXPECT_FLOAT_EQ(*k.value, k.expected) << k.id << " '" << k.text << "'";
        }
        // An id that is not one of the five stores nothing.
        StorePhysicalField(g_scenario.processParameters, panes[5], 18);

        // The wind table's typed cell reaches the scenario with the pane.
        GE_TableSetCell(GetTableOfSlot(2), 0, 1, "7.500");
        SetControlTitle(panes[5], 8, "0.03");
        StoreProcessSubPane(5);
        EXPECT_FLOAT_EQ(phys->roughness, 0.03f);
        EXPECT_FLOAT_EQ(RowValue(phys->wind, 0, 0), 7.5f);
    });
}

TEST(ProcessPage, SettlingFieldsFollowTheExponent)
{
    in_app([] {
        Page page;
        MakeScenario();
        ProcessParameters *p = g_scenario.processParameters;
        struct Case {
            float exponent;
            const char *typed;      // exponent typed before the store
            int listSelection;      // selected in list 8 before the store
            bool enabled;           // after the store
            int32_t factor;         // refinement factor after the store
        };
        const Case cases[] = {
            {0.0f, "0", 4, false, 3},       // 0: the refinement stays
            {0.0f, "0.5", 4, true, 5},
            {1.5f, "1.5", 9, true, 10},
            {1.5f, "0", 0, false, 3},
            {1.5f, "-1", 6, true, 7},       // refused: the exponent stays 1.5
        };
        for (const Case &k : cases) {
            SetCurrentSubPane(-1);
            p->settlingExponent = k.exponent;
            p->refinementFactor = 3;
            p->refinementLabelIndex = 2;
            WithBoxes({}, [] {
                ShowProcessSubPane(11);
                ShowSettlingSubPane(4);
            });
            EXPECT_TRUE(Shown(panes[11]));
            EXPECT_TRUE(Shown(panes[4]));
            EXPECT_FALSE(Shown(panes[12]));
            EXPECT_EQ(CurrentSubPane(), 4);
            EXPECT_EQ(CountList(panes[4], 8), 10);
            EXPECT_STREQ(GetListItem(panes[4], 8, 0), "        1");
            EXPECT_EQ(GetListSelIndex(panes[4], 8), 2);
            EXPECT_EQ(CountList(panes[4], 9), 6);
            const bool shownEnabled = k.exponent != 0.0f;
            EXPECT_EQ(Enabled(panes[4], 3), shownEnabled);
            EXPECT_EQ(Enabled(panes[4], 8), shownEnabled);

            SetControlTitle(panes[4], 2, k.typed);
            SetListItemSelected(panes[4], 8, k.listSelection, 1);
            StoreProcessSubPane(4);
            EXPECT_EQ(Enabled(panes[4], 3), k.enabled) << k.typed;
            EXPECT_EQ(Enabled(panes[4], 8), k.enabled) << k.typed;
            EXPECT_EQ(p->refinementFactor, k.factor) << k.typed;
            EXPECT_EQ(p->refinementLabelIndex, k.factor - 1) << k.typed;
        }
        EXPECT_FLOAT_EQ(p->settlingExponent, 1.5f);
    });
}

TEST(ProcessPage, EachSettlingKindShowsItsTitleAndTable)
{
    in_app([] {
        Page page;
        MakeScenario();
        const char *const titles[] = {
            "Non-cyclic component settling velocity [m/s]", "Amplitude of sinusoidal variation [m/s]",
            "Period of sinusoidal variation [hours]",       "Phase lag for sinusoidal variation [hours]",
            "Minimum settling velocity [m/s]",              "Maximum settling velocity [m/s]",
        };
        WithBoxes({}, [] { ShowSettlingSubPane(4); });
        for (int kind = 0; kind < SETTLING_KIND_COUNT; ++kind) {
            SetListItemSelected(panes[4], 9, kind, 1);
            WithBoxes({}, [] {
                RUV_EVENT e = Click(9);
                SettlingPaneControl(panes[4], &e);
            });
            EXPECT_EQ(Text(panes[4], 4), titles[kind]);
            EXPECT_EQ(SettlingTableKind(), kind);
            EXPECT_EQ(CurrentTimeTable(), 3 + kind);
            for (int slot = 3; slot <= 8; ++slot) {
                if (RUV_WIN t = GetTableOfSlot(slot)) {
                    EXPECT_EQ(Shown(t), slot == 3 + kind) << "kind " << kind << " slot " << slot;
                }
            }
        }
        // A value typed into the table shown reaches its series with the pane.
        GE_TableSetCell(GetTableOfSlot(8), 1, 2, "0.900");
        StoreProcessSubPane(4);
        EXPECT_FLOAT_EQ(RowValue(g_scenario.processParameters->settling[SETTLING_VMAX], 1, 1), 0.9f);

        // The kind is kept when the pane is shown again.
        WithBoxes({}, [] { ShowSettlingSubPane(12); });
        WithBoxes({}, [] { ShowSettlingSubPane(4); });
        EXPECT_EQ(Text(panes[4], 4), titles[5]);
        EXPECT_EQ(GetListSelIndex(panes[4], 9), 5);
        WithBoxes({"Internal error in source pt_show"}, [] { ShowSettlingTableKind(panes[4], 6); });
        EXPECT_EQ(SettlingTableKind(), 5);
    });
}

TEST(ProcessPage, SedimentationSwitchEnablesItsFields)
{
    in_app([] {
        Page page;
        MakeScenario();
        ProcessParameters *p = g_scenario.processParameters;
        for (int16_t on : {1, 0}) {
            SetCurrentSubPane(-1);
            p->sedimentationErosion = on;
            p->chezy = 55.0f;
            p->criticalShearSedimentation = 0.05f;
            p->criticalShearErosion = 0.4f;
            WithBoxes({}, [] { ShowSettlingSubPane(12); });
            EXPECT_TRUE(Shown(panes[12]));
            EXPECT_EQ(IsControlChecked(panes[12], 11) != 0, on == 1);
            EXPECT_EQ(IsControlChecked(panes[12], 12) != 0, on == 0);
            for (int32_t id : {4, 5, 6})
                EXPECT_EQ(Enabled(panes[12], id), on == 1) << id;
            EXPECT_EQ(Text(panes[12], 4), "55");
            EXPECT_EQ(Text(panes[12], 5), "0.05");
            EXPECT_EQ(Text(panes[12], 6), "0.4");

            // The other radio button turns the switch and the fields over.
            const int32_t other = on ? 12 : 11;
            ModifiedFlag = 0;
            RUV_EVENT e = Click(other);
            SedimentationPaneControl(panes[12], &e);
            EXPECT_EQ(p->sedimentationErosion, on ? 0 : 1);
            EXPECT_TRUE(IsControlChecked(panes[12], other));
            for (int32_t id : {4, 5, 6})
                EXPECT_EQ(Enabled(panes[12], id), on == 0) << id;
            EXPECT_EQ(ModifiedFlag, 1);

            SetControlTitle(panes[12], 4, "60");
            SetControlTitle(panes[12], 5, "-0.1");   // refused
            SetControlTitle(panes[12], 6, "0");
            StoreProcessSubPane(12);
            EXPECT_FLOAT_EQ(p->chezy, 60.0f);
            EXPECT_FLOAT_EQ(p->criticalShearSedimentation, 0.05f);
            EXPECT_FLOAT_EQ(p->criticalShearErosion, 0.0f);
        }
    });
}

void SetOil(OilFraction *f, float base, int option)
{
    f->evaporation = base;
    f->stickyProbability = 0.5f;
    f->volatileFraction = 0.25f;
    f->emulsificationC1 = base + 1;
    f->maxWaterContentC2 = 0.75f;
    f->emulsificationStart = base + 2;
    f->density = 850.0f + base;
    f->viscosity = 20.0f + base;
    f->dispersionOption = option;
    f->dispersionRate = base + 3;
}

OilFraction *Fraction(int i)
{
    OilFraction *f = nullptr;
    GE_ListGet(g_scenario.processParameters->oilFractions, i, &f);
    return f;
}

TEST(ProcessPage, OilPaneClampsTheSelectionAndShowsTheDispersionOption)
{
    in_app([] {
        struct Case {
            int stored;     // selection kept before the pane is shown
            int shown;
            const char *name;
            int option;
        };
        const Case cases[] = {{7, 2, "c", 1}, {-4, 0, "a", 0}, {1, 1, "b", 0}};
        for (const Case &k : cases) {
            Page page;
            MakeScenario(MODEL_OIL);
            for (int i = 0; i < 3; ++i)
                SetOil(Fraction(i), static_cast<float>(i), i == 2 ? 1 : 0);
            g_scenario.processParameters->minimumOilThickness = 0.125f;
            SetSelectedOilFraction(k.stored);
            WithBoxes({}, [] { ShowProcessSubPane(PROCESS_MODEL_PANE); });
            EXPECT_TRUE(Shown(panes[3]));
            EXPECT_EQ(CountList(panes[3], 39), 3);
            EXPECT_EQ(SelectedOilFraction(), k.shown);
            EXPECT_EQ(GetListSelIndex(panes[3], 39), k.shown);
            EXPECT_EQ(Text(panes[3], 30), std::string("Oil parameters for ") + k.name);
            EXPECT_EQ(Text(panes[3], 23), std::to_string(k.shown));
            EXPECT_EQ(Text(panes[3], 24), "0.5");
            EXPECT_EQ(Text(panes[3], 33), std::to_string(850 + k.shown));
            EXPECT_EQ(Text(panes[3], 29), std::to_string(k.shown + 3));
            EXPECT_EQ(IsControlChecked(panes[3], 13) != 0, k.option == 0);
            EXPECT_EQ(IsControlChecked(panes[3], 14) != 0, k.option == 1);
            EXPECT_EQ(Enabled(panes[3], 29), k.option == 0);
            EXPECT_EQ(Text(panes[3], 5), "0.125");
        }
    });
}

TEST(ProcessPage, OilPaneStoresTheSelectedFractionAndTheLayerFieldOnlyWhenShown)
{
    in_app([] {
        for (int layers : {1, 3}) {
            Page page;
            MakeScenario(MODEL_OIL, layers);
            for (int i = 0; i < 3; ++i)
                SetOil(Fraction(i), static_cast<float>(i), 0);
            ProcessParameters *p = g_scenario.processParameters;
            p->coriolisAngle = 12.0f;
            SetSelectedOilFraction(0);
            WithBoxes({}, [] { ShowProcessSubPane(3); });
            for (int32_t id : {1, 2, 3})
                EXPECT_EQ(ControlShown(panes[3], id), layers > 1) << id;
            EXPECT_EQ(Text(panes[3], 1), layers > 1 ? "12" : "");

            // Fraction "a": option 1 chosen, a refused density and sticky
            // probability, then "b" selected.
            RUV_EVENT radio = Click(14);
            OilPaneControl(panes[3], &radio);
            EXPECT_FALSE(Enabled(panes[3], 29));
            SetControlTitle(panes[3], 23, "0.75");
            SetControlTitle(panes[3], 33, "0");
            SetControlTitle(panes[3], 24, "1.5");
            SetControlTitle(panes[3], 27, "1");
            SetControlTitle(panes[3], 29, "9");
            SetControlTitle(panes[3], 5, "0.5");
            SetControlTitle(panes[3], 1, "-45");
            SetListItemSelected(panes[3], 39, 1, 1);
            RUV_EVENT select = Click(39);
            OilPaneControl(panes[3], &select);

            const OilFraction *a = Fraction(0);
            EXPECT_FLOAT_EQ(a->evaporation, 0.75f);
            EXPECT_FLOAT_EQ(a->density, 850.0f);
            EXPECT_FLOAT_EQ(a->stickyProbability, 0.5f);
            EXPECT_FLOAT_EQ(a->maxWaterContentC2, 1.0f);
            EXPECT_EQ(a->dispersionOption, 1);
            EXPECT_FLOAT_EQ(a->dispersionRate, 3.0f);  // the rate is read with option 0 only
            EXPECT_FLOAT_EQ(p->minimumOilThickness, 0.5f);
            EXPECT_FLOAT_EQ(p->coriolisAngle, layers > 1 ? -45.0f : 12.0f);

            EXPECT_EQ(SelectedOilFraction(), 1);
            EXPECT_EQ(Text(panes[3], 30), "Oil parameters for b");
            EXPECT_EQ(Text(panes[3], 23), "1");
            EXPECT_TRUE(IsControlChecked(panes[3], 13));
            EXPECT_TRUE(Enabled(panes[3], 29));

            // Option 0 with its rate.
            SetControlTitle(panes[3], 29, "2.5");
            StoreOilPane(panes[3]);
            EXPECT_EQ(Fraction(1)->dispersionOption, 0);
            EXPECT_FLOAT_EQ(Fraction(1)->dispersionRate, 2.5f);
        }
    });
}

TEST(ProcessPage, OilPaneWithEveryFractionUntickedShowsAndStoresNothing)
{
    in_app([] {
        Page page;
        MakeScenario(MODEL_OIL);
        for (int i = 0; i < 3; ++i)
            SetOil(Fraction(i), static_cast<float>(i), 0);
        for (int i = 0; i < 3; ++i)
            SubstanceAt(&g_scenario, i)->isOilFraction = 0;
        g_scenario.oilFractionCount = 0;
        SetSelectedOilFraction(2);
        WithBoxes({}, [] { ShowProcessSubPane(3); });
        EXPECT_EQ(CountList(panes[3], 39), 0);
        EXPECT_EQ(SelectedOilFraction(), -1);
        EXPECT_EQ(Text(panes[3], 30), "Oil parameters for ");
        for (int32_t id : {23, 24, 25, 26, 27, 28, 33, 36, 29})
            EXPECT_EQ(Text(panes[3], id), "") << id;

        SetControlTitle(panes[3], 23, "5");
        SetControlTitle(panes[3], 33, "999");
        StoreOilPane(panes[3]);
        // The un-ticked records keep their parameters.
        ASSERT_EQ(GE_ListCount(g_scenario.processParameters->oilFractions), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(Fraction(i)->evaporation, static_cast<float>(i));
            EXPECT_FLOAT_EQ(Fraction(i)->density, 850.0f + static_cast<float>(i));
        }
    });
}

TEST(ProcessPage, ThePageShownAgainShowsTheScenariosValuesOnItsCurrentPane)
{
    in_app([] {
        Page page;
        MakeScenario(MODEL_OIL);
        for (int i = 0; i < 3; ++i)
            SetOil(Fraction(i), static_cast<float>(i), 0);
        SetSelectedOilFraction(1);
        WithBoxes({}, [] { ShowProcessSubPane(3); });
        EXPECT_EQ(Text(panes[3], 30), "Oil parameters for b");
        // Another scenario comes in while the pane is current: the page
        // shows its fractions, not the old texts.
        MakeScenario(MODEL_OIL);
        SetOil(Fraction(0), 40.0f, 1);
        SetOil(Fraction(1), 41.0f, 1);
        WithBoxes({}, [] { ShowProcessParametersPage(&g_scenario, PageWindows[6]); });
        EXPECT_EQ(Text(panes[3], 23), "41");
        EXPECT_TRUE(IsControlChecked(panes[3], 14));
        StoreOilPane(panes[3]);
        EXPECT_FLOAT_EQ(Fraction(1)->evaporation, 41.0f);
        EXPECT_FLOAT_EQ(Fraction(1)->density, 891.0f);
    });
}

TEST(ProcessPage, TheZoomGridStoreWithTheSecondCoordinatePairKeepsTheFirst)
{
    in_app([] {
        Page page;
        panes[6] = CreateChildPaneEx(page.frame, 177, Quiet, 0, 280, 580, 560, nullptr);
        MakeScenario();
        ZoomGrid *grid = g_scenario.outputOptions->zoomGrid;
        *grid = ZoomGrid{100, 900, 20, 500, 1, 2, 3, 4, 10, 12};
        struct Case {
            int32_t method;
            ZoomGrid expected;
        };
        const Case cases[] = {
            {1, {100, 900, 20, 500, 150, 850, 25, 450, 8, 6}},
            {0, {150, 850, 25, 450, 150, 850, 25, 450, 8, 6}},
        };
        for (const Case &k : cases) {
            g_scenario.coordinatePairSelector = k.method;
            FillZoomGridPane(panes[6]);
            const std::pair<int32_t, const char *> fields[] = {{2, "150"}, {3, "850"}, {4, "25"},
                                                               {1, "450"}, {5, "8"},   {8, "6"}};
            for (const auto &f : fields)
                SetControlTitle(panes[6], f.first, f.second);
            StoreOutputSubPane(6);
            const ZoomGrid &g = *grid;
            const float got[] = {g.xStart, g.xEnd, g.yStart, g.yEnd, g.xStart2, g.xEnd2, g.yStart2, g.yEnd2};
            const float want[] = {k.expected.xStart,  k.expected.xEnd,  k.expected.yStart,  k.expected.yEnd,
                                  k.expected.xStart2, k.expected.xEnd2, k.expected.yStart2, k.expected.yEnd2};
            for (int i = 0; i < 8; ++i)
                EXPECT_FLOAT_EQ(got[i], want[i]) << "method " << k.method << " word " << i;
            EXPECT_EQ(g.cellsX, 8);
            EXPECT_EQ(g.cellsY, 6);
        }
        g_scenario.coordinatePairSelector = 0;
    });
}

}  // namespace
