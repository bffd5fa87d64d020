// The editor's task window: the program's start (cell size, command line,
// application), the scenario and main window made when the task window is
// created, menu commands handed to the main window's dispatcher, and the
// question whether to save before the application closes or quits.
#include <cstring>

#include "editor_shell.h"
#include "input_writer.h"
#include "ruvcm.h"
#include "ruvv_attr.h"
#include "scenario.h"
#include "startup.h"
#include "time_check_boxes.h"

namespace {

constexpr int32_t kMainWindowResource = 101;

RUV_APP_CONFIG g_appConfig = {1000, 181, "traz_gui", "Quarnex", "Quarnex"};

void CreateScenarioAndMainWindow(RUV_WIN taskWindow)
{
    InstallHelpHook();
    ScenarioRecord *s = &g_scenario;
    s->numericalParameters = nullptr;
    s->substances = nullptr;
    s->processParameters = nullptr;
    s->instantaneousReleases = nullptr;
    s->continuousReleases = nullptr;
    s->userDefinedReleases = nullptr;
    s->observationPoints = nullptr;
    s->outputOptions = nullptr;
    SetScenarioDefaults(&g_startup, s);
    ResetOutputTimeFlags();
    const RUV_WIN parent = reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    if (!ruv_win_create_res(kMainWindowResource, parent ? parent : taskWindow, nullptr, MainWindowHandler,
                            0xFFFFFFFFu))
        ruv_dm_post_error("%s", "Can't open window");
}

}  // namespace

void StartEditorProgram(int argc, char **argv)
{
    ruvcm_set_base_cell(RUVCM_CELL(8, 16));
    ruv_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    KeepWindowsOnScreen();
    ParseCommandLine(argc, argv, &g_startup);
    ruv_app_create(argc, argv, 0, TaskWindowHandler, &g_appConfig);
}

int32_t TaskWindowHandler(RUV_WIN window, RUV_EVENT *event)
{
    switch (event->type) {
    case E_CREATE:
        CreateScenarioAndMainWindow(window);
        break;
    case E_DESTROY:
        CloseHelp();
        break;
    case E_CLOSE:
        if (AskSave())
            ruv_app_destroy();
        break;
    case E_COMMAND:
        // A command the main window routes here on its way is dispatched
        // by the main window itself, once.
        if (!MainWindowIsRouting())
            DispatchMenuCommand(window, event);
        break;
    case E_QUIT:
        if (event->v.quit.query == 0)
            ruv_app_destroy();
        else if (AskSave())
            ruv_app_allow_quit();
        break;
    default:
        break;
    }
    return 0;
}

int AskSaveQuestion(void)
{
    const int answer = ruv_dm_post_ask("Yes", "No", "Cancel", "%s", "Do you want to save the current data?");
    if (answer < 0 || answer > 2)
        ruv_dm_post_fatal_exit("%s", "Invalid return from ruv_dm_post_ask");
    return answer;
}

int AskSave(void)
{
    if (ModifiedFlag != 1)
        return 1;
    switch (AskSaveQuestion()) {
    case 0:
        SwitchPage(PAGE_NONE_SAVE);
        if (SaveRefusedByField())
            return 0;
        CmdSave(0);
        // Go on only when the save took the edits: a cancelled or failed
        // save keeps the application and the scenario.
        return ModifiedFlag == 1 ? 0 : 1;
    case 1:
        return 1;
    default:
        return 0;
    }
}
