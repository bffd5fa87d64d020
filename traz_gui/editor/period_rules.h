// What follows a change of the simulation period or of the computational
// step, without windows: the times of the dye releases and of the history
// and map output files brought into a new period, the rules of those times
// that a new step would break, and the period a *.hyd file would give.
// Times are the stored 14-digit date-times.
#ifndef TRAZ_EDITOR_PERIOD_RULES_H
#define TRAZ_EDITOR_PERIOD_RULES_H

#include <string>

struct ScenarioRecord;

// Dye (instantaneous) releases whose time lies before start or after stop.
int ReleaseTimesOutside(const ScenarioRecord &scenario, const char *start, const char *stop);
// Each of those release times moved onto the nearer end of the period, as
// a table's first and last rows are.
void MoveReleaseTimesInto(ScenarioRecord &scenario, const char *start, const char *stop);

// Output files (history, map) whose start lies before start or at or
// after stop: in that period they would have no time to write.
int OutputFilesOutside(const ScenarioRecord &scenario, const char *start, const char *stop);
// The output times brought into the period that replaces one ending at
// oldStop: a file outside it takes the period's start and stop (its step
// kept); any other file's stop on oldStop (writing to the end) follows the
// stop, and one after stop is cut to it, as the Output options page shows
// it.
void FitOutputTimes(ScenarioRecord &scenario, const char *oldStop, const char *start, const char *stop);

// The message of a computational step typed in the edit form: the Time
// frame rule (the hydrodynamics step must be its multiple), then the first
// output-time or release-time rule that holds with the step in force and
// that this step would break; "" when the step may be taken.
std::string ComputationalStepChangeMessage(const ScenarioRecord &scenario, const char *stepText);

// The simulation period a *.hyd file would give: its conversion start and
// stop, the scenario's own where the file gives none; false when the file
// cannot be opened or read, or its load would fail on its times.
bool HydConversionPeriod(const char *path, const ScenarioRecord &scenario, std::string *start, std::string *stop);

#endif
