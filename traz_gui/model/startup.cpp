/* Start-up of the editor: the command line into the start-up record
   (stand-alone or project mode, the names of a project's scenario) and the
   start scenario opened or created when the main window exists. */
#include "startup.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "editor_services.h"
#include "input_reader.h"
#include "ruv.h"
#include "scenario.h"

namespace {

const size_t kProjectIdLength = 3;

void CopyText(char *slot, size_t size, const char *text)
{
    std::snprintf(slot, size, "%s", text);
}

/* A file of the start-up directory exists. */
bool Exists(const StartupRecord *startup, const char *name, const char *type)
{
    RUV_FILE_SPEC spec;
    std::memset(&spec, 0, sizeof spec);
    spec.dir = startup->startupDirectory;
    CopyText(spec.type, sizeof spec.type, type);
    CopyText(spec.name, sizeof spec.name, name);
    return ruv_fsys_get_file_attr(&spec, 1) > 0;
}

}  // namespace

void StringToLower(char *text)
{
    if (text == nullptr)
        return;
    for (; *text; ++text)
        *text = static_cast<char>(std::tolower(static_cast<unsigned char>(*text)));
}

void ParseCommandLine(int argc, char **argv, StartupRecord *startup)
{
    if (!ruv_fsys_get_dir(&startup->startupDirectory))
        std::memset(&startup->startupDirectory, 0, sizeof startup->startupDirectory);
    startup->directoryCopies[0] = startup->startupDirectory;
    startup->directoryCopies[1] = startup->startupDirectory;
    startup->scenarioFile.dir = startup->startupDirectory;
    CopyText(startup->scenarioFile.type, sizeof startup->scenarioFile.type, "inp");

    if (argc == 1) {
        startup->mode = STARTUP_STAND_ALONE;
        startup->listFileKey[0] = '\0';
        startup->scenarioFile.name[0] = '\0';
        startup->scenarioName[0] = '\0';
    } else if (argc == 2 && argv != nullptr && argv[1] != nullptr) {
        startup->mode = STARTUP_PROJECT;
        CopyText(startup->listFileKey, sizeof startup->listFileKey, "LUPRINP");
        CopyText(startup->projectId, sizeof startup->projectId, argv[1]);
        if (std::strlen(argv[1]) == kProjectIdLength)
            std::snprintf(startup->scenarioName, sizeof startup->scenarioName, "traz%s", argv[1]);
        else
            CopyText(startup->scenarioName, sizeof startup->scenarioName, "trazERR");
        std::snprintf(startup->scenarioFile.name, sizeof startup->scenarioFile.name, "%s.inp",
                      startup->scenarioName);
    }
}

void OpenStartScenario(RUV_WIN mainWindow, StartupRecord *startup, ScenarioRecord *scenario)
{
    scenario->scenarioFile.dir = startup->scenarioFile.dir;
    CopyText(scenario->scenarioFile.type, sizeof scenario->scenarioFile.type, startup->scenarioFile.type);
    CopyText(scenario->scenarioFile.name, sizeof scenario->scenarioFile.name, startup->scenarioFile.name);

    if (startup->mode != STARTUP_PROJECT) {
        ruv_menu_set_item_enabled(mainWindow, MENU_FILE_NEW, TRUE);
        ruv_menu_set_item_enabled(mainWindow, MENU_FILE_OPEN, TRUE);
        ruv_menu_set_item_enabled(mainWindow, MENU_FILE_SAVE_AS, TRUE);
        ruv_menu_update(mainWindow);
        return;
    }

    if (std::strcmp(startup->scenarioName, "trazERR") == 0)
        ruv_dm_post_message("Invalid project_id : %s!\nERR applied.", startup->projectId);

    const bool inputExists = Exists(startup, startup->scenarioFile.name, "inp");
    char hydName[SCEN_SCENARIO_NAME_LEN + 8];
    std::snprintf(hydName, sizeof hydName, "%s.hyd", startup->scenarioName);
    if (!Exists(startup, hydName, "hyd"))
        statbar_set_title(mainWindow, "Corresponding *hyd file not found!");

    if (inputExists) {
        ruv_dm_post_message("Opening existing scenario: %s!", startup->scenarioFile.name);
        int16_t obsolete = 0;
        const int32_t read = ReadInputFile(&obsolete);
        EnableInitialConditionButton(scenario->modelKind == MODEL_OIL ? 1 : 0);
        // A conversion is told only of a file that was read.
        if (obsolete == 1 && read == READ_OK)
            ruv_dm_post_message("%s", "Release scenario has been modified (obsolete input)\n"
                                      "1. for oil the release is always at water surface\n"
                                      "2. for tracers, either the depth (2Dh model)\n"
                                      "   or layer (3D model) must be specified\n");
    } else {
        ruv_dm_post_message("Creating a new scenario: %s!", startup->scenarioFile.name);
    }
    if (scenario->modelKind != MODEL_TEMPERATURE) {
        ruv_menu_set_item_enabled(mainWindow, MENU_FILE_SAVE, TRUE);
        ruv_menu_set_item_enabled(mainWindow, MENU_FILE_SAVE_AS, TRUE);
    } else {
        RefuseScenarioSave("Temperature model no longer supported");
    }
}
