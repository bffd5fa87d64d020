// A change of the simulation period made by the user, on the Time frame
// page or by choosing another *.hyd file: asked first when it would lose
// data (table rows outside the new period, dye-release or output times
// that must move), and then followed at once, whatever pages were shown,
// by the time tables, the dye releases' times and the output times.
#ifndef TRAZ_EDITOR_PERIOD_CHANGE_H
#define TRAZ_EDITOR_PERIOD_CHANGE_H

#include "scenario.h"

// The scenario takes the simulation start, stop and computational step
// (the step's rules already passed).  A new period that would lose data is
// asked for first ("You will lose data. Do you want to continue?"): on No
// nothing changes and the result is false.  Otherwise the tables drop
// their rows outside it and move their ends onto it, the dye releases'
// times move into it and the output times are brought into it.
bool ChangeSimulationPeriod(ScenarioRecord *scenario, const char *start, const char *stop, const char *step);

// Before the *.hyd file at path is loaded: asks for the period it would
// give (nothing to ask for a file that cannot be read: the load reports
// it).  After a load: the dye releases' times follow the period the load
// set (the load itself moves the tables and sets the output times).
bool ConfirmHydrodynamicsPeriod(ScenarioRecord *scenario, const char *path);
void FollowHydrodynamicsPeriod(ScenarioRecord *scenario);

#endif
