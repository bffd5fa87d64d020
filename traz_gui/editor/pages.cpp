// The pages of the main window and their sub-panes: made once from their
// window descriptions, one page shown at a time in the page area, the page
// left stored into the scenario and the page shown filled from it, the page
// buttons, the modified mark and the titles, the focus order that Tab and
// Enter follow in each window, and the protocol that every page and
// sub-pane handler shares.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "field_check_boxes.h"
#include "general_pages.h"
#include "location_pages.h"
#include "process_page.h"
#include "releases_from_file_page.h"
#include "scenario.h"
#include "scenario_title.h"
#include "status_bar.h"
#include "time_check_boxes.h"
#include "time_tables.h"
#include "substances_page.h"
#include "ruvv_attr.h"

// ---- editor state shared with the scenario model ----
RUV_WIN MainWindow = NULL_WIN;
RUV_WIN PageWindows[EDITOR_PAGE_COUNT] = {};
int16_t ModifiedFlag = 0;
int32_t CurrentPage = 0;
int32_t PageSelection[EDITOR_PAGE_COUNT] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
int32_t PageFilled[EDITOR_PAGE_COUNT] = {};

namespace {

enum FocusKeys { TAB_AND_ENTER, TAB_ONLY, NO_KEYS };

struct PaneInfo {
    int32_t helpTopic;              // recorded on create, 0 = none
    FocusKeys keys;
};

struct PageDef {
    const char *statusTitle;
    int32_t resource;
    RUV_EVENT_HANDLER handler;
    int rect[4];
};

struct SubPaneDef {
    int32_t resource;
    int parent;                     // page index, or -(1 + sub-pane index), or kTaskWindow
    RUV_EVENT_HANDLER handler;
    int rect[4];
};

constexpr int kTaskWindow = 100;
constexpr int kSubstancesPage = 2;

int g_pageCount = 0;
int g_pageLeft = 0;
int g_requestedPage = 0;
RUV_WIN g_subPanes[EDITOR_SUBPANE_COUNT] = {};
int g_currentSubPane = -1;
int g_subPaneLeft = -1;
int g_currentTimeTable = -1;
// The last store for a Save met a refused field.
bool g_saveRefused = false;
// The last SwitchPage kept the user in a table that cannot be stored.
bool g_switchRefused = false;

// ---- filling and storing the pages ----
// What each page shows and stores belongs to the page's own module; until
// those modules are in place the pages are shown as they are.

// Fills page n from the scenario (description, hydrodynamics, time frame,
// initial conditions, numerical parameters, output options: the general
// pages; process parameters; location pages; substances; releases from
// file).
void FillPage(int n)
{
    if (n == 6)
        ShowProcessParametersPage(&g_scenario, PageWindows[6]);
    else if (!FillSubstancesPage(n) && !FillLocationPage(n) && !FillReleasesFromFilePage(n))
        FillGeneralPage(n);
}
// Stores page n into the scenario (the same modules as FillPage).
void StorePage(int n)
{
    if (!StoreSubstancesPageOf(n) && !StoreLocationPage(n) && !StoreReleasesFromFilePage(n))
        StoreGeneralPage(n);
}
// Shows the hydrodynamics and simulation times on the time-frame page:
// the page's fields are its times.
void ShowPageTimes(RUV_WIN page) { ShowTimeFields(&g_scenario, page, 1); }
// The selected release of the page shown (the last selected location).
int SelectedRelease()
{
    return PageSelection[CurrentPage >= 0 && CurrentPage < EDITOR_PAGE_COUNT ? CurrentPage : 0];
}

// Fills the tables of a time-table window for the selected release: window
// 8 its rate and concentration tables, window 9 its masses (the release
// time fields come with the location pages).
void FillTablePane(int index)
{
    if (index == 8) {
        SetTableData(&g_scenario, g_subPanes[8], 10, SelectedRelease());
        SetTableData(&g_scenario, g_subPanes[8], 11, SelectedRelease());
    } else if (index == 9) {
        SetTableData(&g_scenario, g_subPanes[9], 9, SelectedRelease());
    }
}

bool ValidPage(int n) { return n >= 0 && n < g_pageCount; }

bool ScenarioIsOil() { return g_scenario.modelKind == MODEL_OIL; }

// ---- focus orders ----

std::vector<int32_t> FocusOrder(RUV_WIN window)
{
    const auto page = [&](int n) { return n < EDITOR_PAGE_COUNT && window == PageWindows[n]; };
    const auto pane = [&](int n) { return window == g_subPanes[n]; };
    if (window == NULL_WIN)
        return {};
    if (page(0))
        return {2, 3, 4};
    if (page(1))
        return {10};
    if (page(2))
        return {1, 2, 3, 4, 5, 6, 12, 8, 9, 12};
    if (page(3))
        return {11, 12};
    if (page(4))
        return {1, 2, 3};
    if (page(5))
        return {2, 3, 4, 5, 6, 10, 9};
    if (page(6))
        return {2, 3, 4, 5};
    if (page(7)) {
        std::vector<int32_t> ids{1, 3, 4, 17, 6, 7, 8, 12, 19, 14, 15};
        if (ScenarioIsOil())
            ids.insert(ids.end(), {24, 25});
        return ids;
    }
    if (page(8))
        return {1, 3, 4, 17, 6, 7, 8, 12, 19, 14, 15};
    if (page(10))
        return {1, 3, 4, 6, 7, 8};
    if (page(11))
        return {9, 10, 11, 12, 13, 14, 21, 22, 24};
    if (pane(0))
        return {2};
    if (pane(11))
        return {2, 3};
    if (pane(12))
        return {12, 11, 4, 5, 6};
    if (pane(4))
        return {2, 8, 9};
    if (pane(5))
        return {6, 7, 8, 9, 10, 19};
    if (pane(3)) {
        std::vector<int32_t> ids{39, 23, 24, 25, 26, 27, 28, 33, 36, 13, 29, 14, 5};
        if (ScenarioIsOil() && g_scenario.hydLayers > 1)
            ids.push_back(1);
        return ids;
    }
    if (pane(6))
        return {2, 3, 4, 1, 5, 8};
    if (pane(7))
        return {2};
    return {};
}

// ---- the handlers' common protocol ----

bool IsEditField(const RUV_EVENT *event)
{
    return event->v.control.type == 17 || event->v.control.type == 21;
}

int32_t PaneEvent(RUV_WIN window, RUV_EVENT *event, const PaneInfo &info)
{
    switch (event->type) {
    case E_CREATE:
        if (info.helpTopic)
            HelpRecordAssociation(window, 0, info.helpTopic, 1);
        break;
    case E_DESTROY:
        HelpRemoveWindow(window);
        break;
    case E_UPDATE:
        ClearWithBackground(window);
        break;
    case E_CLOSE:
        ruv_vobj_destroy(window);
        break;
    case E_CHAR: {
        const int16_t key = event->v.chr.key;
        if ((key == 9 && info.keys != NO_KEYS) || (key == 13 && info.keys == TAB_AND_ENTER))
            AdvanceFocus(window);
        else if (key == K_BACKTAB && info.keys != NO_KEYS)
            MoveFocusBack(window);
        break;
    }
    case E_CONTROL:
        // A content change of an edit field (no focus change) marks the
        // scenario modified; the checks of each field on focus loss belong
        // to the page's own module.
        if (IsEditField(event) && event->v.control.data.edit.change == 0)
            SetModified(1);
        // The text a field had when entered: what a refused entry gets back.
        if (IsEditField(event) && FieldEventOf(event) == FieldEvent::Entered)
            SavePreviousInput(window, event->v.control.id);
        break;
    default:
        break;
    }
    return 0;
}

// A field of a window no longer shown (its page left for another, for
// New or for Open) is not checked when it loses the focus: the page left
// stores it through its rule, or the scenario drops it, and a refusal
// would give the focus back to a field that no user can see, to be
// refused again on every click.
bool FieldLeftHidden(RUV_WIN window, const RUV_EVENT *event)
{
    if (event->type != E_CONTROL || FieldEventOf(event) != FieldEvent::Left)
        return false;
    const HWND native = reinterpret_cast<HWND>(ruv_vobj_get_attr(window, RUV_ATTR_NATIVE_WINDOW));
    return native && !IsWindowVisible(native);
}

// Pages without keys of their own.
void NoKeys(RUV_WIN, const RUV_EVENT *) {}

// The general pages, the zoom grid and the process sub-panes: their own
// fields and buttons first, then the common protocol.  The location pages
// and page 9 also see their fields left while hidden: leaving one moves
// the location on the map as well.
#define TRAZ_GENERAL_HANDLER(name, topic, keys, control, hiddenFieldsToo, key)      \
    int32_t name(RUV_WIN window, RUV_EVENT *event)                                  \
    {                                                                               \
        static const PaneInfo info{topic, keys};                                    \
        if (event->type == E_CONTROL && ((hiddenFieldsToo) || !FieldLeftHidden(window, event))) \
            control(window, event);                                                 \
        if (event->type == E_CHAR)                                                  \
            key(window, event);                                                     \
        return PaneEvent(window, event, info);                                      \
    }

TRAZ_GENERAL_HANDLER(DescriptionPageHandler, 111, TAB_AND_ENTER, DescriptionPageControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(HydrodynamicsPageHandler, 105, TAB_AND_ENTER, HydrodynamicsPageControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(TimeFramePageHandler, 0, TAB_AND_ENTER, TimeFramePageControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(InitialConditionsPageHandler, 0, TAB_AND_ENTER, InitialConditionsPageControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(NumericalParametersPageHandler, 113, TAB_AND_ENTER, NumericalParametersPageControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(OutputOptionsPageHandler, 114, TAB_AND_ENTER, OutputOptionsPageControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(ZoomGridPaneHandler, 0, TAB_AND_ENTER, ZoomGridPaneMapControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(InstantaneousReleasesPageHandler, 112, TAB_AND_ENTER, LocationPageControl, true, LocationPageKey)
TRAZ_GENERAL_HANDLER(ContinuousReleasesPageHandler, 112, TAB_AND_ENTER, LocationPageControl, true, LocationPageKey)
TRAZ_GENERAL_HANDLER(ObservationPointsPageHandler, 112, TAB_AND_ENTER, LocationPageControl, true, LocationPageKey)
TRAZ_GENERAL_HANDLER(ReleasesFromFilePageHandler, 111, NO_KEYS, ReleasesFromFilePageControl, true, NoKeys)
TRAZ_GENERAL_HANDLER(SettlingChoicePaneHandler, 0, TAB_AND_ENTER, SettlingChoicePaneControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(SedimentationPaneHandler, 0, TAB_AND_ENTER, SedimentationPaneControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(SettlingPaneHandler, 0, TAB_AND_ENTER, SettlingPaneControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(PhysicalPaneHandler, 0, TAB_AND_ENTER, PhysicalPaneControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(TemperaturePaneHandler, 0, TAB_AND_ENTER, TemperaturePaneControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(RedTidePaneHandler, 0, TAB_AND_ENTER, RedTidePaneControl, false, NoKeys)
TRAZ_GENERAL_HANDLER(OilPaneHandler, 0, TAB_AND_ENTER, OilPaneControl, false, NoKeys)

#undef TRAZ_GENERAL_HANDLER

// The Substances page: its own controls first, then the common protocol.
int32_t SubstancesPageHandler(RUV_WIN window, RUV_EVENT *event)
{
    static const PaneInfo info{0, TAB_ONLY};
    if (event->type == E_CONTROL)
        SubstancesPageControl(window, event);
    if (event->type == E_CHAR)
        SubstancesPageKey(window, event);
    return PaneEvent(window, event, info);
}

// A button's click (no edit-field notification).
bool IsButtonClick(const RUV_EVENT *event) { return event->type == E_CONTROL && !IsEditField(event); }

// The close box, or Esc, which closes a time-table window as its close
// box does.
bool IsCloseRequest(const RUV_EVENT *event)
{
    return event->type == E_CLOSE || (event->type == E_CHAR && event->v.chr.key == 27);
}

// The focus left edit field id.
bool IsFieldLeft(const RUV_EVENT *event, int32_t id)
{
    return event->type == E_CONTROL && event->v.control.id == id && FieldEventOf(event) == FieldEvent::Left;
}

// The process page: buttons 2 to 5 choose its sub-pane.
int32_t ProcessParametersPageHandler(RUV_WIN window, RUV_EVENT *event)
{
    static const PaneInfo info{114, TAB_AND_ENTER};
    if (event->type == E_CONTROL)
        ProcessPageControl(window, event);
    return PaneEvent(window, event, info);
}

// The decay and recovery panes: button 2 opens window 186, which
// generates a regular table for the pane.
int32_t DecayPaneHandler(RUV_WIN window, RUV_EVENT *event)
{
    static const PaneInfo info{0, TAB_AND_ENTER};
    if (IsButtonClick(event) && event->v.control.id == 2)
        OpenTableEditor(window);
    return PaneEvent(window, event, info);
}

int32_t RecoveryPaneHandler(RUV_WIN window, RUV_EVENT *event)
{
    static const PaneInfo info{112, TAB_AND_ENTER};
    if (IsButtonClick(event) && event->v.control.id == 2)
        OpenTableEditor(window);
    return PaneEvent(window, event, info);
}

// The time-table windows with the Table menu give its commands to the
// popup-menu dispatcher first.  Window 148: button 15 opens window 186;
// window 174: OK stores the intake table and hides the window.
int32_t ContinuousTablePaneHandler(RUV_WIN window, RUV_EVENT *event)
{
    if (event->type == E_COMMAND)
        return PopupMenuCommand(window, event);
    // The load scale (10) is checked when it is left; 12 and 13 are the
    // interpolation's radio group.
    if (IsFieldLeft(event, 10))
        CheckFloatNonNegative(window, 10);
    if (IsButtonClick(event) && (event->v.control.id == 12 || event->v.control.id == 13))
        CheckRadioInRange(window, event->v.control.id, 12, 13);
    if (IsButtonClick(event) && event->v.control.id == 15)
        OpenTableEditor(window);
    // OK and the close box: the tables stored and checked, the window
    // hidden when they cover the simulation (it is made once and kept).
    if ((IsCloseRequest(event) || (IsButtonClick(event) && event->v.control.id == 9)) &&
        StoreReleaseTableAndCheck(8, SelectedRelease()))
        HideTablePane(8, SelectedRelease());
    if (event->type == E_CLOSE)
        return 0;
    static const PaneInfo info{0, NO_KEYS};
    return PaneEvent(window, event, info);
}

// Window 146: the release time (10) is checked when it is left, as a
// date-time and then against the simulation; OK (11) stores the masses and
// hides the window.
int32_t InstantaneousTablePaneHandler(RUV_WIN window, RUV_EVENT *event)
{
    if (IsFieldLeft(event, 10)) {
        if (CheckDateTimeField(window, 10)) {
            CheckReleaseTime(window, 10);
            SavePreviousInput(window, 10);
        }
    }
    // OK and the close box store the masses and hide the window, unless
    // the masses cannot be stored.
    if (IsCloseRequest(event) || (IsButtonClick(event) && event->v.control.id == 11)) {
        if (CheckShownTables(window, ""))
            ShowTablePane(9, 0);
        if (event->type == E_CLOSE)
            return 0;
    }
    static const PaneInfo info{0, TAB_AND_ENTER};
    return PaneEvent(window, event, info);
}

int32_t TableWindowHandler(RUV_WIN window, RUV_EVENT *event)
{
    if (event->type == E_COMMAND)
        return PopupMenuCommand(window, event);
    // OK and the close box store the table and hide the window, unless the
    // table cannot be stored.
    if (IsCloseRequest(event) || (IsButtonClick(event) && event->v.control.id == 2)) {
        if (CheckShownTables(window, "")) {
            StoreTableOfSlot(1);
            SetWindowVisible(window, 0);
        }
        if (event->type == E_CLOSE)
            return 0;
    }
    static const PaneInfo info{0, NO_KEYS};
    return PaneEvent(window, event, info);
}

const PageDef kPages[EDITOR_PAGE_COUNT] = {
    {"Description", 106, DescriptionPageHandler, {180, 10, 780, 456}},
    {"Hydrodynamics", 102, HydrodynamicsPageHandler, {180, 10, 780, 456}},
    {"Substances", 119, SubstancesPageHandler, {180, 10, 780, 456}},
    {"Time frame", 104, TimeFramePageHandler, {180, 10, 780, 456}},
    {"Initial conditions", 185, InitialConditionsPageHandler, {180, 10, 780, 456}},
    {"Numerical parameters", 108, NumericalParametersPageHandler, {180, 10, 780, 456}},
    {"Process parameters", 127, ProcessParametersPageHandler, {176, 10, 780, 490}},
    {"Dye releases", 166, InstantaneousReleasesPageHandler, {180, 10, 780, 456}},
    {"Continuous releases", 142, ContinuousReleasesPageHandler, {180, 10, 780, 456}},
    {"Releases from file", 168, ReleasesFromFilePageHandler, {180, 10, 780, 456}},
    {"Observation points", 144, ObservationPointsPageHandler, {180, 10, 780, 456}},
    {"Output options", 111, OutputOptionsPageHandler, {180, 10, 780, 490}},
};

// Sub-panes in the order they are made; parent: page index, or
// -(1 + sub-pane index), or kTaskWindow.
struct SubPaneEntry {
    int index;
    SubPaneDef def;
};
const SubPaneEntry kSubPanes[EDITOR_SUBPANE_COUNT] = {
    {0, {128, 6, DecayPaneHandler, {0, 70, 600, 480}}},
    {11, {183, 6, SettlingChoicePaneHandler, {0, 70, 600, 480}}},
    {12, {184, -(1 + 11), SedimentationPaneHandler, {0, 70, 600, 410}}},
    {4, {130, -(1 + 11), SettlingPaneHandler, {0, 70, 600, 410}}},
    {5, {132, 6, PhysicalPaneHandler, {0, 70, 600, 480}}},
    {1, {134, 6, TemperaturePaneHandler, {0, 70, 600, 480}}},
    {2, {140, 6, RedTidePaneHandler, {0, 70, 600, 480}}},
    {3, {180, 6, OilPaneHandler, {0, 70, 600, 480}}},
    {6, {177, 11, ZoomGridPaneHandler, {0, 280, 580, 480}}},
    {7, {156, 11, RecoveryPaneHandler, {0, 280, 580, 480}}},
    {8, {148, kTaskWindow, ContinuousTablePaneHandler, {0, 0, 0, 0}}},
    {9, {146, kTaskWindow, InstantaneousTablePaneHandler, {0, 0, 0, 0}}},
    {10, {174, kTaskWindow, TableWindowHandler, {0, 0, 0, 0}}},
};

void *PageData(int n)
{
    // The substances and location pages take the records of their own
    // modules; the field pages take the scenario's sub-record they edit.
    switch (n) {
    case 2:
        return SubstancesPageRecord();
    case 4:
        return g_scenario.initialConditions;
    case 5:
        return g_scenario.numericalParameters;
    case 6:
        return g_scenario.processParameters;
    case 11:
        return g_scenario.outputOptions;
    default:
        return nullptr;
    }
}

void *SubPaneData(int index)
{
    if (index == 4 && g_scenario.processParameters)
        return static_cast<void *>(g_scenario.processParameters->settling);
    return nullptr;
}

RUV_WIN TaskWindow() { return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)); }

void CreateSubPanes(RUV_WIN)
{
    for (const SubPaneEntry &e : kSubPanes) {
        const SubPaneDef &d = e.def;
        if (d.parent == kTaskWindow) {
            g_subPanes[e.index] = ruv_win_create_res(d.resource, TaskWindow(), nullptr, d.handler, 0xFFFFFFFFu);
            // These windows have menu bars of their own (the Table menu).
            AnswerTestDriver(g_subPanes[e.index]);
            continue;
        }
        const RUV_WIN parent = d.parent >= 0 ? PageWindows[d.parent] : g_subPanes[-d.parent - 1];
        g_subPanes[e.index] = CreateChildPaneEx(parent, d.resource, d.handler, d.rect[0], d.rect[1], d.rect[2],
                                                d.rect[3], SubPaneData(e.index));
    }
}

void SetButton(int32_t id, bool enabled)
{
    if (MainWindow)
        SetControlEnabled(MainWindow, id, enabled ? 1 : 0);
}

// The page buttons, top to bottom.
const int32_t kPageButtons[] = {11, 1, 2, 3, 12, 6, 5, 4, 7, 8, 9};

// The pages lie right of the page buttons, as designed, whatever the
// system's dialog units: the buttons are placed in pixels, the pages in
// dialog units, which are narrower where the system font is (they would
// cover the buttons' right edge).  A page that would reach into the
// buttons' column moves right, keeping its size, to the smallest gap of
// the design (6 pixels).
void KeepPagesRightOfButtons(RUV_WIN mainWindow)
{
    constexpr int16_t kGap = 6;
    int16_t buttonsRight = 0;
    for (const int32_t id : kPageButtons) {
        RUV_RECT r{};
        if (const RUV_WIN button = ruv_win_get_ctl(mainWindow, id)) {
            ruv_vobj_get_outer_rect(button, &r);
            if (r.right > buttonsRight)
                buttonsRight = r.right;
        }
    }
    for (const RUV_WIN page : PageWindows) {
        RUV_RECT r{};
        if (!page || !ruv_vobj_get_outer_rect(page, &r) || r.left >= buttonsRight + kGap)
            continue;
        const int16_t shift = static_cast<int16_t>(buttonsRight + kGap - r.left);
        r.left = static_cast<int16_t>(r.left + shift);
        r.right = static_cast<int16_t>(r.right + shift);
        ruv_vobj_move(page, &r);
    }
}

void SetPageTitle(RUV_WIN page)
{
    if (!page)
        return;
    char title[SCEN_FILE_NAME_LEN + 40];
    const char *dir = g_startup.directoryText;
    const size_t length = std::strlen(dir);
    if (length > 50)
        std::snprintf(title, sizeof title, "Particle tracking   [..%s]", dir + length - 50);
    else
        std::snprintf(title, sizeof title, "Particle tracking  [%s]", dir);
    SetDocTitle(page, title);
}

}  // namespace

void ClearWithBackground(RUV_WIN window)
{
    ruv_dwin_clear(window, static_cast<RUV_COLOR>(ruv_vobj_get_attr(window, RUV_ATTR_BACK_COLOR)));
}

void CreatePages(RUV_WIN mainWindow)
{
    MainWindow = mainWindow;
    g_pageCount = 0;
    for (int n = 0; n < EDITOR_PAGE_COUNT; ++n) {
        const PageDef &p = kPages[n];
        PageWindows[n] = CreateChildPaneEx(mainWindow, p.resource, p.handler, p.rect[0], p.rect[1], p.rect[2],
                                           p.rect[3], PageData(n));
    }
    g_pageCount = EDITOR_PAGE_COUNT;
    KeepPagesRightOfButtons(mainWindow);
    if (PageWindows[kSubstancesPage])
        SetControlVisible(PageWindows[kSubstancesPage], 2, 0);
    CreateSubPanes(mainWindow);
    ResetPageButtons();
}

void SwitchPage(int n)
{
    // A table shown that cannot be stored keeps the user in it, whatever
    // was to leave it: another page, Save, New, Open or the close box.
    const bool save = n == PAGE_NONE_SAVE || n == PAGE_NONE_SAVE_AS;
    g_switchRefused = n != PAGE_NONE_START && !CheckShownTables(NULL_WIN, save ? "\nData not saved" : "");
    g_saveRefused = g_switchRefused && save;
    if (g_switchRefused)
        return;
    const int left = CurrentPage;
    g_pageLeft = left;
    CurrentPage = n;
    TakeRefusedField();

    RUV_WIN working;
    if (ValidPage(left)) {
        working = PageWindows[left];
        SetWindowVisible(working, 0);
    } else {
        // Nothing was shown: the substances page still keeps the scenario's
        // substance names and its own in step.
        working = PageWindows[kSubstancesPage];
        FillPage(kSubstancesPage);
        StorePage(kSubstancesPage);
    }

    StoreSubPane(g_currentSubPane, 0);
    g_currentTimeTable = -1;

    // The page left: its fields, and on the process-parameter and output
    // pages the sub-pane shown with it.
    if (ValidPage(left)) {
        StorePage(left);
        if (left == 6 || left == 11)
            StoreSubPane(g_currentSubPane, 0);
    }

    // A new or opened scenario brings its own titles and zoom grid: fields
    // filled for the scenario before are not stored into it.
    if (n == PAGE_NONE_NEW || n == PAGE_NONE_OPEN) {
        ForgetDescriptionPage(PageWindows[0]);
        ForgetZoomGridPane();
        ForgetProcessPanes();
    }

    char status[80] = "";
    if (n >= 0 && n < EDITOR_PAGE_COUNT) {
        working = PageWindows[n];
        std::snprintf(status, sizeof status, "\t%s\t%s", kPages[n].statusTitle, " Quarnex TRAZ-GUI");
        FillPage(n);
        SelectLocationKindOnMap(n);
        bool show = true;
        if (n == 6 && g_currentSubPane >= 0 && g_subPanes[g_currentSubPane])
            SetWindowVisible(g_subPanes[g_currentSubPane], 1);
        if (n == 3)
            ShowPageTimes(working);
        if (n == kSubstancesPage) {
            if (g_scenario.modelKind == MODEL_TEMPERATURE) {
                ruv_dm_post_note("%s", "Temperature model no longer supported");
                show = false;
            } else if (g_scenario.modelKind == MODEL_RED_TIDE &&
                       static_cast<int16_t>(g_scenario.redTideSwitch & 0xFFFF) == 0) {
                ruv_dm_post_note("%s", "Red tide model no longer supported");
                show = false;
            }
        }
        if (show)
            SetWindowVisible(working, 1);
        RememberRequestedPage(n);
    }
    if ((n == PAGE_NONE_SAVE || n == PAGE_NONE_SAVE_AS) && ValidPage(left)) {
        CurrentPage = left;
        working = PageWindows[left];
        SetWindowVisible(working, 1);
        status[0] = '\0';
    }
    // A Save that meets a field whose text its rule refuses says so and
    // writes nothing: the field keeps the focus.
    g_saveRefused = false;
    if (n == PAGE_NONE_SAVE || n == PAGE_NONE_SAVE_AS) {
        const RefusedField refused = TakeRefusedField();
        if (refused.window != NULL_WIN) {
            g_saveRefused = true;
            ShowRefusedField(refused, "\nData not saved");
        }
    }

    if (working) {
        statbar_set_default_text(working, status);
        statbar_set_title(working, nullptr);
        SetPageTitle(working);
    }
    FollowReleaseGenerator();
}

void SetModified(int flag)
{
    ModifiedFlag = static_cast<int16_t>(flag);
    UpdateMainTitle();
}

void UpdateMainTitle(void)
{
    if (!MainWindow)
        return;
    const char *path = ScenarioTitlePath();
    const char *mark = ModifiedFlag == 1 ? " *" : " ";
    char title[sizeof g_startup.directoryText + sizeof g_scenario.scenarioFile.name + 48];
    const size_t length = std::strlen(path);
    if (length > 50)
        std::snprintf(title, sizeof title, "Particle tracking   [..%s %s]", path + length - 50, mark);
    else
        std::snprintf(title, sizeof title, "Particle tracking  [%s %s]", path, mark);
    ruv_vobj_set_title(MainWindow, title);
}

void EnablePageButtons(void)
{
    for (int32_t id : {11, 1, 2, 3})
        SetButton(id, true);
    SetButton(12, g_scenario.modelKind == MODEL_OIL);
    for (int32_t id : {6, 4, 7, 5, 8, 9})
        SetButton(id, true);
}

void ResetPageButtons(void)
{
    SetButton(11, true);
    SetButton(1, true);
    for (int32_t id : {2, 3, 12, 6, 4, 7, 5, 8, 9})
        SetButton(id, false);
}

void EnableInitialConditionButton(int flag) { SetButton(12, flag != 0); }

void HideAllSubPanes(void)
{
    for (RUV_WIN pane : g_subPanes)
        if (pane)
            SetWindowVisible(pane, 0);
}

void ShowSubPane(RUV_WIN, int32_t, int index)
{
    if (!CheckShownTables(NULL_WIN, ""))
        return;
    g_subPaneLeft = g_currentSubPane;
    StoreSubPane(g_subPaneLeft, 0);
    HideAllSubPanes();
    g_currentSubPane = index;
    if (index == 6 || index == 7) {
        // The recovery table is filled with the time tables.
        if (index == 6)
            FillZoomGridPane(g_subPanes[6]);
        if (index == 7) {
            SetTableData(&g_scenario, g_subPanes[7], 12, 0);
            g_currentTimeTable = 12;
        }
        if (g_subPanes[index])
            SetWindowVisible(g_subPanes[index], 1);
    }
}

namespace {

bool Shown(RUV_WIN window)
{
    const HWND native = window ? reinterpret_cast<HWND>(ruv_vobj_get_attr(window, RUV_ATTR_NATIVE_WINDOW)) : nullptr;
    return native && IsWindowVisible(native);
}

// A time-table window shown or hidden leaves no sub-pane current: the
// sub-panes of the pages are hidden (their page stored them when it was
// left), so that no page shows one again that nothing would store.
void ForgetCurrentSubPane()
{
    for (int i = 0; i < EDITOR_SUBPANE_COUNT; ++i)
        if (i != 8 && i != 9 && i != 10 && g_subPanes[i])
            SetWindowVisible(g_subPanes[i], 0);
    g_subPaneLeft = g_currentSubPane;
    g_currentSubPane = -1;
}

}  // namespace

void ShowTablePane(int index, int show)
{
    if (index < 8 || index > 10 || !g_subPanes[index])
        return;
    if (!show) {
        HideTablePane(index, SelectedRelease());
        return;
    }
    ForgetCurrentSubPane();
    ShowTimeFields(&g_scenario, g_subPanes[index], index == 9 ? 3 : 4);
    FillTablePane(index);
    SetWindowVisible(g_subPanes[index], 1);
    FollowReleaseGenerator();
}

void HideTablePane(int index, int release)
{
    if (index < 8 || index > 10 || !g_subPanes[index])
        return;
    StoreSubPane(index, release);
    g_currentTimeTable = -1;
    if (Shown(g_subPanes[index])) {
        ForgetCurrentSubPane();
        SetWindowVisible(g_subPanes[index], 0);
    }
    FollowReleaseGenerator();
}

// Stores a sub-pane into the process parameters or the output options:
// the zoom grid (6) and the tracks switch (14) with the general pages, the
// process-parameter panes with their page.
void StoreSubPane(int index, int release)
{
    switch (index) {
    case 0: StoreTableOfSlot(0); break;
    case 7: StoreTableOfSlot(12); break;
    case 8:
        StoreTable(&g_scenario, 10, release);
        StoreTable(&g_scenario, 11, release);
        break;
    case 9: StoreTable(&g_scenario, 9, release); break;
    default:
        if (!StoreProcessSubPane(index))
            StoreOutputSubPane(index);
        break;
    }
}

int SaveRefusedByField(void) { return g_saveRefused ? 1 : 0; }
int SwitchRefusedByTable(void) { return g_switchRefused ? 1 : 0; }

int CurrentSubPane(void) { return g_currentSubPane; }
void SetCurrentSubPane(int index) { g_currentSubPane = index; }
int CurrentTimeTable(void) { return g_currentTimeTable; }
void SetCurrentTimeTable(int slot) { g_currentTimeTable = slot; }

void AdvanceFocus(RUV_WIN window)
{
    const std::vector<int32_t> ids = FocusOrder(window);
    if (!ids.empty())
        FocusNextControl(window, ids.data(), static_cast<int>(ids.size()));
}

void MoveFocusBack(RUV_WIN window)
{
    const std::vector<int32_t> ids = FocusOrder(window);
    if (!ids.empty())
        FocusPreviousControl(window, ids.data(), static_cast<int>(ids.size()));
}

void CheckRadioInRange(RUV_WIN window, int32_t id, int32_t first, int32_t last)
{
    std::vector<RUV_WIN> buttons;
    for (int32_t i = first; i <= last; ++i)
        buttons.push_back(ruv_win_get_ctl(window, i));
    const RUV_WIN button = ruv_win_get_ctl(window, id);
    if (button && !buttons.empty())
        ruv_ctl_check_radio_button(button, buttons.data(), static_cast<int32_t>(buttons.size()));
}

void RememberRequestedPage(int n) { g_requestedPage = n; }
int LastRequestedPage(void) { return g_requestedPage; }

RUV_WIN SubPaneWindow(int index)
{
    return index >= 0 && index < EDITOR_SUBPANE_COUNT ? g_subPanes[index] : NULL_WIN;
}

int PageOfButton(int32_t controlId)
{
    switch (controlId) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 3;
    case 4: return 7;
    case 5: return 6;
    case 6: return 5;
    case 7: return 8;
    case 8: return 10;
    case 9: return 11;
    case 11: return 0;
    case 12: return 4;
    default: return -1;
    }
}
