// The editor's main window: the status bar, the pages and the start
// scenario made on its creation, the page buttons as page switches, the
// menu commands of the File, Table, View and Help menus and of the Table
// pop-up menu, File New and the About box.  With TRAZ_GUI_TEST set the
// window (and every map window it opens) also answers the test driver's
// question for a menu item's state and for the state of the scenario, the
// map windows and the legend, and a map window its question for the number
// of its drawings.
#include <windows.h>

#include <cstdlib>
#include <initializer_list>

#include "editor_shell.h"
#include "gui_test_protocol.h"
#include "input_reader.h"
#include "input_writer.h"
#include "legend_window.h"
#include "map_window.h"
#include "ruvcm.h"
#include "ruvv_attr.h"
#include "scenario.h"
#include "state_answer.h"
#include "startup.h"
#include "status_bar.h"
#include "time_check_boxes.h"
#include "time_tables.h"
#include "visarea.h"

namespace {

enum {
    MENU_FILE_EXIT = 1008,
    MENU_TABLE_INSERT_ROW = 1010,
    MENU_TABLE_COPY_ROW = 1011,
    MENU_TABLE_DELETE_ROW = 1016,
    MENU_TABLE_COPY_VALUE = 1017,
    MENU_ABOUT = 1022,
    MENU_VISUALISATION_AREA = 1048,
    POPUP_INSERT_ROW = 1014,
    POPUP_COPY_ROW = 1015,
    POPUP_DELETE_ROW = 1018,
    POPUP_COPY_VALUE = 1020
};

constexpr int32_t kStatusBarId = 10;
constexpr int32_t kMainWindowResource = 101;
constexpr int32_t kAboutResource = 181;
constexpr int32_t kVersionField = 5;

// The status bar's design parameters (they live as long as the bar).
char *g_statusParams[] = {
    const_cast<char *>("Custom Control 12"), const_cast<char *>("AUTOSIZED=TRUE"),
    const_cast<char *>("DEBUG=FALSE"),       const_cast<char *>("DEFAULT_TEXT=\"Status Bar\""),
    const_cast<char *>("FIELD_OFFSET=16"),   const_cast<char *>("FILL_COLOR=LTGRAY"),
    const_cast<char *>("FONTSIZE=12"),       const_cast<char *>("LEFT_OFFSET=8"),
    const_cast<char *>("PLAIN=FALSE"),       const_cast<char *>("POS=\"AUTO\""),
    const_cast<char *>("SCALED=FALSE"),      const_cast<char *>("SIZE=\"AUTO\""),
    const_cast<char *>("TASK_WIN=FALSE"),    const_cast<char *>("TEXT_COLOR=BLACK"),
    const_cast<char *>("TRANSLATED=FALSE")};

// The time-table commands act on the focused time table.
void TableCommand(int32_t tag)
{
    switch (tag) {
    case MENU_TABLE_INSERT_ROW: InsertTableRow(); break;
    case MENU_TABLE_COPY_ROW: CopyTableRow(); break;
    case MENU_TABLE_DELETE_ROW: DeleteTableRow(); break;
    case MENU_TABLE_COPY_VALUE: CopyTableValue(); break;
    default: break;
    }
}

// ---- the test driver's menu-state question ----

// While the main window hands an event to its focused child: a command
// routed on from there to the task window is the one the main window is
// about to dispatch itself.
bool g_routing = false;

// Every window that answers keeps its own window procedure under this
// property.
constexpr char kNativeProcProperty[] = "TrazGuiTestNativeProc";
// ... and its toolkit window under this one.
constexpr char kToolkitWindowProperty[] = "TrazGuiTestWindow";
UINT g_menuStateMessage = 0;
UINT g_drawCountMessage = 0;
UINT g_stateMessage = 0;
UINT g_queueStateMessage = 0;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto native = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kNativeProcProperty));
    if (g_menuStateMessage && message == g_menuStateMessage) {
        HMENU menu = GetMenu(hwnd);
        if (!menu)
            menu = GetMenu(GetAncestor(hwnd, GA_ROOT));
        if (!menu)
            return static_cast<LRESULT>(-1);
        const UINT state = GetMenuState(menu, static_cast<UINT>(wParam), MF_BYCOMMAND);
        return state == static_cast<UINT>(-1) ? static_cast<LRESULT>(-1)
                                              : static_cast<LRESULT>(state | TRAZ_GUI_TEST_ANSWERED);
    }
    if (g_stateMessage && message == g_stateMessage) {
        const std::string text = DriverStateText();
        COPYDATASTRUCT data{};
        data.dwData = TRAZ_GUI_TEST_STATE_DATA;
        data.cbData = static_cast<DWORD>(text.size());
        data.lpData = const_cast<char *>(text.data());
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(reinterpret_cast<HWND>(wParam), WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd),
                            reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &ignored);
        return static_cast<LRESULT>(TRAZ_GUI_TEST_ANSWERED);
    }
    if (g_queueStateMessage && message == g_queueStateMessage) {
        const bool queued = HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_INPUT)) != 0;
        return static_cast<LRESULT>(TRAZ_GUI_TEST_ANSWERED | (queued ? TRAZ_GUI_TEST_QUEUED : 0));
    }
    if (g_drawCountMessage && message == g_drawCountMessage) {
        const auto window = static_cast<RUV_WIN>(GetPropA(hwnd, kToolkitWindowProperty));
        return static_cast<LRESULT>(GE_ObjectLayerDraws(window));
    }
    if (message == WM_NCDESTROY && native) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(native));
        RemovePropA(hwnd, kNativeProcProperty);
        RemovePropA(hwnd, kToolkitWindowProperty);
    }
    return native ? CallWindowProcA(native, hwnd, message, wParam, lParam)
                  : DefWindowProcA(hwnd, message, wParam, lParam);
}

void CreateMainWindowContents(RUV_WIN window)
{
    statbar_create(kStatusBarId, 5, 498, 765, 522, 15, g_statusParams, window, kMainWindowResource, 130, "");
    CreatePages(window);
    SwitchPage(PAGE_NONE_START);
    BuildScenarioPath();
    UpdateMainTitle();
    ResetTableSlots(0);
    RegisterVisAreaCallbacks(window);
    OpenStartScenario(window, &g_startup, &g_scenario);
    if (g_startup.mode == STARTUP_PROJECT) {
        // The scenario the start opened (or names) in the title, and its
        // pages reachable as after File Open.
        BuildScenarioPath();
        UpdateMainTitle();
        if (g_scenario.hydLayers > 0)
            EnablePageButtons();
    }
    UpdateVisualisationAreaItem(window);
    AnswerTestDriver(window);
}

void ShowAboutBox()
{
    if (!ruv_dlg_create_res(10, kAboutResource, 0xFFFFFFFFu, AboutDialogHandler, nullptr))
        ruv_dm_post_error("%s", "Can't open dialog");
}

}  // namespace

// The Visualisation Area item is offered while a grid is loaded.
void UpdateVisualisationAreaItem(RUV_WIN window)
{
    ruv_menu_set_item_enabled(window, MENU_VISUALISATION_AREA, VisualisationAreaAvailable() ? TRUE : FALSE);
    ruv_menu_update(window);
}

void AnswerTestDriver(RUV_WIN window)
{
    if (!std::getenv(TRAZ_GUI_TEST_VARIABLE))
        return;
    HWND hwnd = reinterpret_cast<HWND>(ruv_vobj_get_attr(window, RUV_ATTR_NATIVE_WINDOW));
    if (!hwnd || GetPropA(hwnd, kNativeProcProperty))
        return;
    if (!g_menuStateMessage) {
        g_menuStateMessage = RegisterWindowMessageA(TRAZ_GUI_TEST_MENU_STATE);
        g_drawCountMessage = RegisterWindowMessageA(TRAZ_GUI_TEST_DRAW_COUNT);
        g_stateMessage = RegisterWindowMessageA(TRAZ_GUI_TEST_STATE);
        g_queueStateMessage = RegisterWindowMessageA(TRAZ_GUI_TEST_QUEUE_STATE);
    }
    SetPropA(hwnd, kToolkitWindowProperty, static_cast<HANDLE>(window));
    const LONG_PTR native = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    SetPropA(hwnd, kNativeProcProperty, reinterpret_cast<HANDLE>(native));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestWindowProc));
}

int32_t MainWindowHandler(RUV_WIN window, RUV_EVENT *event)
{
    g_routing = true;
    ruvcm_route_event(window, event);
    g_routing = false;
    switch (event->type) {
    case E_CREATE:
        CreateMainWindowContents(window);
        break;
    case E_DESTROY:
        HelpRemoveWindow(window);
        break;
    case E_UPDATE:
        ClearWithBackground(window);
        break;
    case E_CLOSE: {
        // The close box asks as File Exit does: the edits are not lost
        // without a question.
        const int shown = CurrentPage;
        SwitchPage(PAGE_NONE_CLOSING);
        if (SwitchRefusedByTable())
            break;
        if (AskSave())
            ruv_app_destroy();
        else if (shown >= 0 && shown < EDITOR_PAGE_COUNT && (CurrentPage < 0 || CurrentPage >= EDITOR_PAGE_COUNT))
            SwitchPage(shown);  // cancelled: the page stays in front (a refused save shows its own)
        break;
    }
    case E_CHAR:
        if (event->v.chr.key == 9 || event->v.chr.key == 13)
            AdvanceFocus(window);
        break;
    case E_COMMAND:
        DispatchMenuCommand(window, event);
        break;
    case E_CONTROL: {
        const int page = PageOfButton(event->v.control.id);
        if (page >= 0)
            SwitchPage(page);
        break;
    }
    default:
        break;
    }
    return 0;
}

void DispatchMenuCommand(RUV_WIN window, RUV_EVENT *event)
{
    const int32_t tag = event->v.command.tag;
    if (tag < MENU_FILE_NEW || tag > MENU_VISUALISATION_AREA)
        return;
    switch (tag) {
    case MENU_FILE_NEW:
        CmdNew();
        UpdateVisualisationAreaItem(window);
        break;
    case MENU_FILE_OPEN:
        // The pages Open hides take the table generator with them.
        CloseTableEditor();
        SwitchPage(PAGE_NONE_OPEN);
        if (SwitchRefusedByTable())
            break;
        CmdOpen(window);
        // The times of the scenario opened (or of the one kept when the
        // dialog was cancelled) are checked afresh.
        ResetOutputTimeFlags();
        if (!VisualisationAreaAvailable())
            GE_ResetView();
        UpdateVisualisationAreaItem(window);
        break;
    case MENU_FILE_SAVE:
        SwitchPage(PAGE_NONE_SAVE);
        if (!SaveRefusedByField())
            CmdSave(0);
        break;
    case MENU_FILE_SAVE_AS:
        SwitchPage(PAGE_NONE_SAVE_AS);
        if (!SaveRefusedByField())
            CmdSaveAs();
        break;
    case MENU_FILE_EXIT:
        if (AskSave())
            ruv_app_destroy();
        break;
    case MENU_TABLE_INSERT_ROW:
    case MENU_TABLE_COPY_ROW:
    case MENU_TABLE_DELETE_ROW:
    case MENU_TABLE_COPY_VALUE:
        TableCommand(tag);
        break;
    case MENU_VISUALISATION_AREA:
        OpenVisualisationArea();
        break;
    case MENU_ABOUT:
        ShowAboutBox();
        break;
    default:
        break;
    }
}

bool MainWindowIsRouting(void) { return g_routing; }

int32_t PopupMenuCommand(RUV_WIN, RUV_EVENT *event)
{
    switch (event->v.command.tag) {
    case POPUP_INSERT_ROW:
        TableCommand(MENU_TABLE_INSERT_ROW);
        break;
    case POPUP_COPY_ROW:
        TableCommand(MENU_TABLE_COPY_ROW);
        break;
    case POPUP_DELETE_ROW:
        TableCommand(MENU_TABLE_DELETE_ROW);
        break;
    case POPUP_COPY_VALUE:
        TableCommand(MENU_TABLE_COPY_VALUE);
        break;
    default: {
        const RUV_WIN task = reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        if (task)
            ruv_win_dispatch_event(task, event);
        break;
    }
    }
    return 0;
}

void CmdNew(void)
{
    // The pages New hides take the table generator with them.
    CloseTableEditor();
    SwitchPage(PAGE_NONE_NEW);
    if (SwitchRefusedByTable())
        return;
    if (ModifiedFlag == 1) {
        switch (AskSaveQuestion()) {
        case 0:
            CmdSaveAs();
            // A failed or cancelled save keeps the scenario and its edits.
            if (ModifiedFlag == 1)
                return;
            break;
        case 1:
            break;
        default:
            return;
        }
    }
    ResetScenario(&g_scenario);
    ResetOutputTimeFlags();
    g_scenario.scenarioFile.name[0] = '\0';
    for (int i = 0; i < FILE_NAME_COUNT; ++i)
        g_scenario.fileNames[i][0] = '\0';
    BuildScenarioPath();
    UpdateMainTitle();
    GE_FreeAll();
    GE_ResetView();
    ResetPageButtons();
    HideAllSubPanes();
    // A new scenario has no name yet and may be saved, as at the start.
    ruv_menu_set_item_enabled(MainWindow, MENU_FILE_SAVE, FALSE);
    ruv_menu_set_item_enabled(MainWindow, MENU_FILE_SAVE_AS, TRUE);
    ruv_menu_update(MainWindow);
}

void EnableFileCommands(int flag)
{
    if (!MainWindow)
        return;
    for (int32_t tag : std::initializer_list<int32_t>{MENU_FILE_NEW, MENU_FILE_OPEN, MENU_FILE_SAVE, MENU_FILE_SAVE_AS,
                                                      MENU_FILE_EXIT})
        ruv_menu_set_item_enabled(MainWindow, tag, flag ? TRUE : FALSE);
    ruv_menu_update(MainWindow);
}

int32_t AboutDialogHandler(RUV_WIN window, RUV_EVENT *event)
{
    switch (event->type) {
    case E_CREATE: {
        const RUV_WIN field = ruv_win_get_ctl(window, kVersionField);
        if (field)
            ruv_vobj_set_title(field, "2.30.38828:38829");
        break;
    }
    case E_DESTROY:
        HelpRemoveWindow(window);
        break;
    case E_CLOSE:
        ruv_vobj_destroy(window);
        break;
    case E_CONTROL:
        if (event->v.control.id == 1)
            ruv_vobj_destroy(window);
        break;
    default:
        break;
    }
    return 0;
}
