// Time-entry checks of the editor's pages against the current scenario:
// the field's text and the scenario's times given to the window-free rules,
// a rejection reset, shown and refocused.
#include "time_check_boxes.h"

#include <string>

#include "dialog_controls.h"
#include "field_check_boxes.h"
#include "field_checks.h"
#include "period_rules.h"
#include "scenario.h"

namespace {

// Output Options controls of the two start times.
constexpr int32_t HISTORY_START_FIELD = 9;
constexpr int32_t MAP_START_FIELD = 12;

std::string Text(RUV_WIN window, int32_t id)
{
    const char *text = GetControlTitle(window, id);
    return text ? text : "";
}

SimulationTimes Times()
{
    return ScenarioSimulationTimes(g_scenario);
}

void CheckOutputStart(RUV_WIN window, int32_t id, OutputFile file)
{
    RejectTimeEntry(window, id, OutputStartTimeMessage(file, Times(), Text(window, id).c_str(), OutputTimeFlags()));
}

void CheckOutputStop(RUV_WIN window, int32_t id, OutputFile file, int32_t startField)
{
    const std::string start = Text(window, startField);
    RejectTimeEntry(window, id,
                    OutputStopTimeMessage(file, Times(), Text(window, id).c_str(), start.c_str(), OutputTimeFlags()));
}

void CheckOutputStep(RUV_WIN window, int32_t id, OutputFile file)
{
    RejectTimeEntry(window, id, OutputTimeStepMessage(file, Times(), Text(window, id).c_str(), OutputTimeFlags()));
}

} // namespace

void CheckComputationalTimeStep(RUV_WIN window, int32_t id)
{
    RejectTimeEntry(window, id, ComputationalStepChangeMessage(g_scenario, Text(window, id).c_str()));
}

void CheckStopTime(RUV_WIN window, int32_t id)
{
    RejectTimeEntry(window, id, StopTimeMessage(Times(), Text(window, id).c_str()));
}

void CheckHistoryStartTime(RUV_WIN window, int32_t id) { CheckOutputStart(window, id, OutputFile::History); }
void CheckHistoryStopTime(RUV_WIN window, int32_t id)
{
    CheckOutputStop(window, id, OutputFile::History, HISTORY_START_FIELD);
}
void CheckHistoryTimeStep(RUV_WIN window, int32_t id) { CheckOutputStep(window, id, OutputFile::History); }
void CheckMapStartTime(RUV_WIN window, int32_t id) { CheckOutputStart(window, id, OutputFile::Map); }
void CheckMapStopTime(RUV_WIN window, int32_t id) { CheckOutputStop(window, id, OutputFile::Map, MAP_START_FIELD); }
void CheckMapTimeStep(RUV_WIN window, int32_t id) { CheckOutputStep(window, id, OutputFile::Map); }

void CheckReleaseTime(RUV_WIN window, int32_t id)
{
    RejectTimeEntry(window, id, ReleaseTimeMessage(Times(), Text(window, id).c_str()));
}

OutputTimeValidity &OutputTimeFlags()
{
    static OutputTimeValidity flags;
    return flags;
}

void ResetOutputTimeFlags()
{
    OutputTimeFlags() = OutputTimeValidity{};
}

int16_t CheckIntervalMultiple(RUV_WIN window, int32_t id)
{
    const SimulationTimes t = Times();
    return CheckNumberField(window, id, [&t](const char *text) {
        return IntervalMultipleMessage(text, static_cast<int32_t>(DurationSeconds(t.step)));
    });
}

void ApplyTracksRule(int16_t flag)
{
    ProcessParameters *process = g_scenario.processParameters;
    if (process != nullptr)
        process->tracks = flag;
    const NumericalParameters *numerical = g_scenario.numericalParameters;
    const std::string message = TracksMessage(flag, numerical != nullptr ? numerical->particleCount : 0);
    if (!message.empty())
        ruv_dm_post_message("%s", message.c_str());
}
