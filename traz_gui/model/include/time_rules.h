// The rules of the scenario's times without windows: the simulation's stop
// and computational step against the hydrodynamics, the start, stop and
// step of the history and map output files and a release time against the
// simulation, and a release-rate table against the simulation.  Each rule
// gives the message of its first failure, "" when it holds.  The messages
// are the rule and its two values; the field checks of the editor add
// "Previous input reset" (kPreviousInputReset) after them, the check of a
// whole scenario does not.  Times are in the stored 14-digit form.
#ifndef TRAZ_TIME_RULES_H
#define TRAZ_TIME_RULES_H

#include <string>
#include <vector>

struct ScenarioRecord;

// What a field check adds after the message of a rejected time entry.
constexpr char kPreviousInputReset[] = "\nPrevious input reset";

// The scenario times the rules compare with (stored forms).
struct SimulationTimes {
    std::string start;
    std::string stop;
    std::string step;              // computational time step (duration)
    std::string hydrodynamicsStep; // conversion time step of the hydrodynamics (duration)
};

// The simulation's start, stop and computational step and the
// hydrodynamics conversion step of a scenario.
SimulationTimes ScenarioSimulationTimes(const ScenarioRecord &scenario);

// Whole seconds of a stored duration (days, hours, minutes, seconds); 0 for
// no duration.
long long DurationSeconds(const std::string &duration);

// "Input error:\n" and the headline, then each label with its value (an
// edit-form text "dd mm yyyy hh mm ss") as six two- and four-digit
// numbers; without the "Previous input reset" of a field check.
std::string TimeRuleText(const char *headline, const char *label1, const char *value1, const char *label2,
                         const char *value2);

// One rule of a start or stop time: before the simulation start (a stop:
// before the file's start), equal to the file's start (stops only), after
// the simulation stop, off the computational step (a start counted from
// the simulation start, a stop from the file's start).
enum class TimeRule { Before, Equals, After, Multiple };

// The simulation: a stop before the start, or a period that is no whole
// multiple of the hydrodynamics step (the first that fails, or the one
// asked for: Before or Multiple); a hydrodynamics step that is no multiple
// of the computational step.
std::string SimulationStopRule(const SimulationTimes &times, const std::string &stop);
std::string SimulationStopRule(TimeRule rule, const SimulationTimes &times, const std::string &stop);
std::string ComputationalStepRule(const SimulationTimes &times, const std::string &step);

// The output files and the release time.
enum class OutputFile { History, Map };
enum class TimedStart { History, Map, Release };
std::string StartTimeRule(TimedStart which, TimeRule rule, const SimulationTimes &times, const std::string &start);
std::string StopTimeRule(OutputFile file, TimeRule rule, const SimulationTimes &times, const std::string &stop,
                         const std::string &start);
// The first of a start's rules that fails (before, after, multiple), and
// of a stop's (before, equals, after, multiple).
std::string StartTimeRule(TimedStart which, const SimulationTimes &times, const std::string &start);
std::string StopTimeRule(OutputFile file, const SimulationTimes &times, const std::string &stop,
                         const std::string &start);
// A step that is no multiple of the computational step.
std::string OutputStepRule(OutputFile file, const SimulationTimes &times, const std::string &step);

// A time table against the simulation, a row's time in the stored form:
// its first row after the simulation start, or its last row before the
// simulation stop (the table does not cover the simulation); "" otherwise.
enum class TableEnd { First, Last };
std::string TableEndRule(TableEnd end, const SimulationTimes &times, const std::string &rowTime);

// A continuous release's rate table against the simulation: its rows'
// times are minutes after the hydrodynamics reference time.  Both ends are
// checked; the table covers the simulation only when both pass.
struct ReleaseTableVerdict {
    bool covers = true;
    std::vector<std::string> messages;
};
ReleaseTableVerdict CheckReleaseTableTimes(const SimulationTimes &times, const char *hydrodynamicsReference,
                                           const double *rowMinutes, int rowCount);

#endif
