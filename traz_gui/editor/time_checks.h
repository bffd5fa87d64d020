// Time-entry checks of the editor without windows: the simulation's stop
// time and computational step, the start, stop and step of the history and
// map output files, a release time and a release-rate table, each checked
// against the scenario's times.  A check returns the message of the first
// rule that fails, "" when the entry passes (or is not checked); the page
// code then puts the field's previous text back, shows the message and
// refocuses the field.  Field texts are in the edit form
// "dd mm yyyy hh mm ss"; scenario times in the stored 14-digit form.
#ifndef TRAZ_EDITOR_TIME_CHECKS_H
#define TRAZ_EDITOR_TIME_CHECKS_H

#include <cstdint>
#include <string>
#include <vector>

// The scenario times the checks compare with (stored forms).
struct SimulationTimes {
    std::string start;
    std::string stop;
    std::string step;              // computational time step (duration)
    std::string hydrodynamicsStep; // conversion time step of the hydrodynamics (duration)
};

// Validity of the output times: a rule of a file runs only while the
// file's two other times are valid.  All valid after the scenario defaults.
struct OutputTimeValidity {
    int16_t historyStart = 1, historyStop = 1, historyStep = 1;
    int16_t mapStart = 1, mapStop = 1, mapStep = 1;
};

enum class OutputFile { History, Map };

struct ScenarioRecord;
// The simulation's start, stop and computational step and the
// hydrodynamics conversion step of a scenario.
SimulationTimes ScenarioSimulationTimes(const ScenarioRecord &scenario);

// Whole seconds of a stored duration (days, hours, minutes, seconds); 0 for
// no duration.
long long DurationSeconds(const std::string &duration);

// The message of a rejected time entry: the headline and two labelled
// values (edit-form texts) in the edit form, and "Previous input reset".
std::string TimeInputErrorText(const char *headline, const char *label1, const char *value1, const char *label2,
                               const char *value2);

// Time Frame page.
std::string ComputationalTimeStepMessage(const SimulationTimes &times, const char *stepText);
std::string StopTimeMessage(const SimulationTimes &times, const char *stopText);

// Output Options page: startText of the stop checks is the file's start
// field.  A pass sets the entry's validity, a failure clears it.
std::string OutputStartTimeMessage(OutputFile file, const SimulationTimes &times, const char *startText,
                                   OutputTimeValidity &validity);
std::string OutputStopTimeMessage(OutputFile file, const SimulationTimes &times, const char *stopText,
                                  const char *startText, OutputTimeValidity &validity);
std::string OutputTimeStepMessage(OutputFile file, const SimulationTimes &times, const char *stepText,
                                  OutputTimeValidity &validity);

// The release time of an instantaneous release.
std::string ReleaseTimeMessage(const SimulationTimes &times, const char *releaseText);

// A continuous release's rate table against the simulation: its rows'
// times are minutes after the hydrodynamics reference time.  Both ends are
// checked; the table covers the simulation only when both pass.
struct ReleaseTableVerdict {
    bool covers = true;
    std::vector<std::string> messages;
};
ReleaseTableVerdict CheckReleaseTableTimes(const SimulationTimes &times, const char *hydrodynamicsReference,
                                           const double *rowMinutes, int rowCount);

// Today's local date at midnight, stored form.
std::string TodayDateTime();

#endif
