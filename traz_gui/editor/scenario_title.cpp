// The scenario path of the main window's title, made from the start-up
// directory and the scenario's file name.
#include "scenario_title.h"

#include <cstdio>

#include "scenario.h"

namespace {

char g_titlePath[sizeof(StartupRecord::directoryText) + sizeof(RUV_FILE_SPEC::name) + 1];

}  // namespace

void BuildScenarioPath(void)
{
    const char *name = g_scenario.scenarioFile.name;
    std::snprintf(g_titlePath, sizeof g_titlePath, "%s/%s", g_startup.directoryText, name[0] ? name : "--Unnamed--");
}

const char *ScenarioTitlePath(void) { return g_titlePath; }
