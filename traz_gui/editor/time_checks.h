// Time-entry checks of the editor without windows: the simulation's stop
// time and computational step, the start, stop and step of the history and
// map output files and a release time, each typed text checked against the
// scenario's times by the rules of time_rules.h.  A check returns the
// message of the first rule that fails, with "Previous input reset", and ""
// when the entry passes (or is not checked); the page
// code then puts the field's previous text back, shows the message and
// refocuses the field.  Field texts are in the edit form
// "dd mm yyyy hh mm ss"; scenario times in the stored 14-digit form.
#ifndef TRAZ_EDITOR_TIME_CHECKS_H
#define TRAZ_EDITOR_TIME_CHECKS_H

#include <cstdint>
#include <string>

#include "time_rules.h"

// Validity of the output times: a rule of a file runs only while the
// file's two other times are valid.  All valid after the scenario defaults.
struct OutputTimeValidity {
    int16_t historyStart = 1, historyStop = 1, historyStep = 1;
    int16_t mapStart = 1, mapStop = 1, mapStep = 1;
};

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

// Today's local date at midnight, stored form.
std::string TodayDateTime();

#endif
