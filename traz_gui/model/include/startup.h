/* Start-up of the editor: the command line decides stand-alone mode (no
   argument) or project mode (one project id of three characters, which
   names the scenario "traz" + id and its files); the start scenario is then
   opened or created once the main window exists.  The StartupRecord itself
   is declared with the scenario record (scenario.h). */
#ifndef TRAZ_STARTUP_H
#define TRAZ_STARTUP_H

#include <cstdint>

#include "ruv_types.h"

struct ScenarioRecord;
struct StartupRecord;

/* Menu tags that the start enables. */
enum {
    MENU_FILE_NEW = 1002,
    MENU_FILE_OPEN = 1003,
    MENU_FILE_SAVE = 1004,
    MENU_FILE_SAVE_AS = 1005
};

/* Fills the start-up record from the argument count and vector (argv[0] is
   the program): the start-up directory and its copies, the file type "inp";
   one argument: stand-alone, every name empty; two: project mode with the
   second argument as project id, scenario name "traz<id>" ("trazERR" for an
   id that is not three characters long) and input name "<scenario>.inp".
   Any other count sets only the directories. */
void ParseCommandLine(int argc, char **argv, StartupRecord *startup);

/* Opens or creates the start scenario: stand-alone enables New, Open and
   Save as; project mode reads the existing input file of the start-up
   directory (or announces a new scenario) and enables Save and Save as
   unless the model is the temperature model. */
void OpenStartScenario(RUV_WIN mainWindow, StartupRecord *startup, ScenarioRecord *scenario);

/* Lower-cases a text in place. */
void StringToLower(char *text);

#endif
