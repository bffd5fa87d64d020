// The scenario path that the main window's title shows: the start-up
// directory, "/" and the scenario's file name ("--Unnamed--" without one).
// BuildScenarioPath (editor_services.h) makes it from the scenario model's
// records.
#ifndef TRAZ_EDITOR_SCENARIO_TITLE_H
#define TRAZ_EDITOR_SCENARIO_TITLE_H

#include "editor_services.h"

// The path BuildScenarioPath made last ("" before the first call).
const char *ScenarioTitlePath(void);

#endif
