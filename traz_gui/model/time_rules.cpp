// The rules of the scenario's times: each rule of the simulation, output
// and release times as a message over stored times.
#include "time_rules.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "datetime.h"
#include "scenario.h"

namespace {

std::string Format(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    return text;
}

// A date-time or duration held while others are converted (the converters
// share static buffers).
std::string EditDateTime(const std::string &stored) { return DateTimeToDmy(stored.c_str()); }
std::string EditDuration(const std::string &stored) { return DurationToDmy(stored.c_str()); }

// second - first in whole seconds; false when either is no date-time.
bool Difference(const std::string &first, const std::string &second, long long *seconds)
{
    double s = 0;
    if (!DateTimeDiffSeconds(first.c_str(), second.c_str(), &s))
        return false;
    *seconds = static_cast<long long>(s);
    return true;
}

// A zero step divides nothing: only a difference of 0 is its multiple.
bool IsMultiple(long long difference, long long step)
{
    return step == 0 ? difference == 0 : difference % step == 0;
}

// Headline and labels of one rule.
struct RuleText {
    const char *headline;
    const char *label1;
    const char *label2;
};

std::string Reject(const RuleText &rule, const std::string &value1, const std::string &value2)
{
    return TimeRuleText(rule.headline, rule.label1, value1.c_str(), rule.label2, value2.c_str());
}

// The start-time rules of an output file or a release: before the
// simulation start, after its stop, off the computational step.
struct StartRules {
    RuleText before, after, multiple;
};

const StartRules kHistoryStart = {
    { "Start time history file before start time simulation ", "History file start time ", "Simulation start time   " },
    { "Start time history file after stop time simulation ", "History file start time ", "Simulation stop time    " },
    { "Start time history file not at a multiple of computational time step", "History file start time  ",
      "Computational time step  " },
};
const StartRules kMapStart = {
    { "Start time  map file before start time simulation ", "Map file start time     ", "Simulation start time " },
    { "Start time  map file after stop time simulation ", "Map file start time     ", "Simulation stop time " },
    { "Start time map file not at a multiple of computational time step", "Map file start time       ",
      "Computational time step " },
};
const StartRules kRelease = {
    { "Release time before start time simulation ", "Release time          ", "Simulation start time " },
    { "Release time after stop time simulation ", "Release time         ", "Simulation stop time " },
    { "Release time not at a multiple of computational time step", "Release time             ",
      "Computational time step  " },
};

struct StopRules {
    RuleText before, equals, after, multiple;
};

const StopRules kHistoryStop = {
    { "Stop time history file before start time history file ", "Stop  time ", "Start time " },
    { "Stop time history file equals start time history file ", "Stop  time ", "Start time " },
    { "Stop time history file after stop time simulation ", "History file stop time ", "Simulation stop time   " },
    { "Stop time history file not at a multiple of computational time step", "History file  stop time ",
      "Computational time step " },
};
const StopRules kMapStop = {
    { "Stop time map file before start time map file ", "Stop  time ", "Start time " },
    { "Stop time map file equals start time map file ", "Stop  time ", "Start time " },
    { "Stop time map file after stop time simulation ", "Map file stop time   ", "Simulation stop time " },
    { "Stop time map file not at a multiple of computational time step", "Map file  stop time     ",
      "Computational time step " },
};

const RuleText kHistoryStep = { "History file time step not a multiple of computational time step",
                                "History file  time step ", "Computational time step " };
const RuleText kMapStep = { "Map file time step not a multiple of computational time step",
                            "Map file  time step     ", "Computational time step " };

const StartRules &StartRulesOf(TimedStart which)
{
    switch (which) {
    case TimedStart::History: return kHistoryStart;
    case TimedStart::Map: return kMapStart;
    default: return kRelease;
    }
}

} // namespace

long long DurationSeconds(const std::string &duration)
{
    if (!IsValidDuration(duration.c_str()))
        return 0;
    int d = 0, h = 0, m = 0, s = 0;
    if (std::sscanf(duration.c_str() + 6, "%2d%2d%2d%2d", &d, &h, &m, &s) != 4)
        return 0;
    return d * 86400LL + h * 3600LL + m * 60LL + s;
}

SimulationTimes ScenarioSimulationTimes(const ScenarioRecord &scenario)
{
    const auto &simulation = scenario.timeGroups[TIME_GROUP_SIMULATION];
    SimulationTimes t;
    t.start = simulation[TIME_START];
    t.stop = simulation[TIME_STOP];
    t.step = simulation[TIME_STEP];
    t.hydrodynamicsStep = scenario.hydTimes[HYD_CONVERSION_STEP];
    return t;
}

std::string TimeRuleText(const char *headline, const char *label1, const char *value1, const char *label2,
                         const char *value2)
{
    int a[6] = { 0, 0, 0, 0, 0, 0 }, b[6] = { 0, 0, 0, 0, 0, 0 };
    if (value1)
        std::sscanf(value1, "%2d%2d%4d%2d%2d%2d", &a[0], &a[1], &a[2], &a[3], &a[4], &a[5]);
    if (value2)
        std::sscanf(value2, "%2d%2d%4d%2d%2d%2d", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]);
    return Format("Input error:\n%s\n%s     : %2.2d %2.2d %4.4d %2.2d %2.2d %2.2d\n"
                  "%s     : %2.2d %2.2d %4.4d %2.2d %2.2d %2.2d",
                  headline, label1, a[0], a[1], a[2], a[3], a[4], a[5], label2, b[0], b[1], b[2], b[3], b[4], b[5]);
}

std::string SimulationStopRule(TimeRule rule, const SimulationTimes &times, const std::string &stop)
{
    if (rule == TimeRule::Before) {
        if (std::strncmp(stop.c_str(), times.start.c_str(), 15) < 0)
            return Format("Stop time is out of range\nTime must be later than %s", EditDateTime(times.start).c_str());
        return std::string();
    }
    long long period = 0;
    if (rule != TimeRule::Multiple || !Difference(times.start, stop, &period) || period < 0)
        return std::string();
    const long long step = DurationSeconds(times.hydrodynamicsStep);
    if (IsMultiple(period, step))
        return std::string();
    return Format("Input error:\nSimulation period not a multiple of hydrodynamics time step\n"
                  "Simulation period      : %lld sec.    [%8.1f min.]\n"
                  "Time step              : %lld sec.    [%8.1f min.]",
                  period, static_cast<double>(period) / 60.0, step, static_cast<double>(step) / 60.0);
}

std::string SimulationStopRule(const SimulationTimes &times, const std::string &stop)
{
    const std::string before = SimulationStopRule(TimeRule::Before, times, stop);
    return before.empty() ? SimulationStopRule(TimeRule::Multiple, times, stop) : before;
}

std::string ComputationalStepRule(const SimulationTimes &times, const std::string &step)
{
    if (IsMultiple(DurationSeconds(times.hydrodynamicsStep), DurationSeconds(step)))
        return std::string();
    return TimeRuleText("Hydrodynamics time step not a multiple of computational time step",
                        "Hydrodynamics time step ", EditDuration(times.hydrodynamicsStep).c_str(),
                        "Computational time step ", EditDuration(step).c_str());
}

std::string StartTimeRule(TimedStart which, TimeRule rule, const SimulationTimes &times, const std::string &t)
{
    const StartRules &rules = StartRulesOf(which);
    long long d = 0;
    switch (rule) {
    case TimeRule::Before:
        if (Difference(times.start, t, &d) && d < 0)
            return Reject(rules.before, EditDateTime(t), EditDateTime(times.start));
        break;
    case TimeRule::After:
        if (Difference(times.stop, t, &d) && d > 0)
            return Reject(rules.after, EditDateTime(t), EditDateTime(times.stop));
        break;
    case TimeRule::Multiple:
        if (Difference(times.start, t, &d) && !IsMultiple(d, DurationSeconds(times.step)))
            return Reject(rules.multiple, EditDateTime(t), EditDuration(times.step));
        break;
    default:
        break;
    }
    return std::string();
}

std::string StartTimeRule(TimedStart which, const SimulationTimes &times, const std::string &t)
{
    for (TimeRule rule : { TimeRule::Before, TimeRule::After, TimeRule::Multiple }) {
        std::string message = StartTimeRule(which, rule, times, t);
        if (!message.empty())
            return message;
    }
    return std::string();
}

std::string StopTimeRule(OutputFile file, TimeRule rule, const SimulationTimes &times, const std::string &t,
                         const std::string &s)
{
    const StopRules &rules = file == OutputFile::History ? kHistoryStop : kMapStop;
    long long d = 0;
    switch (rule) {
    case TimeRule::Before:
        if (Difference(s, t, &d) && d < 0)
            return Reject(rules.before, EditDateTime(t), EditDateTime(s));
        break;
    case TimeRule::Equals:
        if (Difference(s, t, &d) && d == 0)
            return Reject(rules.equals, EditDateTime(t), EditDateTime(s));
        break;
    case TimeRule::After:
        if (Difference(times.stop, t, &d) && d > 0)
            return Reject(rules.after, EditDateTime(t), EditDateTime(times.stop));
        break;
    case TimeRule::Multiple:
        if (Difference(s, t, &d) && !IsMultiple(d, DurationSeconds(times.step)))
            return Reject(rules.multiple, EditDateTime(t), EditDuration(times.step));
        break;
    }
    return std::string();
}

std::string StopTimeRule(OutputFile file, const SimulationTimes &times, const std::string &t, const std::string &s)
{
    for (TimeRule rule : { TimeRule::Before, TimeRule::Equals, TimeRule::After, TimeRule::Multiple }) {
        std::string message = StopTimeRule(file, rule, times, t, s);
        if (!message.empty())
            return message;
    }
    return std::string();
}

std::string OutputStepRule(OutputFile file, const SimulationTimes &times, const std::string &d)
{
    if (IsMultiple(DurationSeconds(d), DurationSeconds(times.step)))
        return std::string();
    return Reject(file == OutputFile::History ? kHistoryStep : kMapStep, EditDuration(d), EditDuration(times.step));
}

std::string TableEndRule(TableEnd end, const SimulationTimes &times, const std::string &rowTime)
{
    long long d = 0;
    if (end == TableEnd::First) {
        if (Difference(times.start, rowTime, &d) && d <= 0)
            return std::string();
        return Format("Error:\nStart time table after start time simulation \n"
                      "Start time table          : %s\nStart time simulation     : %s",
                      rowTime.c_str(), times.start.c_str());
    }
    if (Difference(times.stop, rowTime, &d) && d >= 0)
        return std::string();
    return Format("Error:\nEnd time table before end time simulation \n"
                  "End time table        : %s\nEnd time simulation   : %s",
                  rowTime.c_str(), times.stop.c_str());
}

ReleaseTableVerdict CheckReleaseTableTimes(const SimulationTimes &times, const char *hydrodynamicsReference,
                                           const double *rowMinutes, int rowCount)
{
    ReleaseTableVerdict verdict;
    // A row's time as a date-time: minutes to whole seconds after the
    // reference ("" for no row or no reference).
    auto rowTime = [&](int row) -> std::string {
        if (rowMinutes == nullptr || row < 0 || row >= rowCount || hydrodynamicsReference == nullptr)
            return std::string();
        return AddSecondsToDateTime(hydrodynamicsReference, MinutesToSeconds(rowMinutes[row]));
    };
    for (const std::string &message :
         { TableEndRule(TableEnd::First, times, rowTime(0)), TableEndRule(TableEnd::Last, times, rowTime(rowCount - 1)) })
        if (!message.empty()) {
            verdict.covers = false;
            verdict.messages.push_back(message);
        }
    return verdict;
}
