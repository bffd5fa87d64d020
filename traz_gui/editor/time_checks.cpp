// Time-entry checks of the editor without windows: each rule of the
// simulation, output and release times as a message over texts.
#include "time_checks.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "datetime.h"
#include "editor_services.h"
#include "field_checks.h"
#include "scenario.h"

namespace {

// A date-time or duration held while others are converted (the converters
// share static buffers).
std::string StoredDateTime(const char *editText) { return DmyToDateTime(editText); }
std::string StoredDuration(const char *editText) { return DmyToDuration(editText); }
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
    return TimeInputErrorText(rule.headline, rule.label1, value1.c_str(), rule.label2, value2.c_str());
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

// The first start rule that fails, "" when all pass.
std::string StartRuleMessage(const StartRules &rules, const SimulationTimes &times, const std::string &t)
{
    const std::string shown = EditDateTime(t);
    long long d = 0;
    if (Difference(times.start, t, &d) && d < 0)
        return Reject(rules.before, shown, EditDateTime(times.start));
    if (Difference(times.stop, t, &d) && d > 0)
        return Reject(rules.after, shown, EditDateTime(times.stop));
    if (Difference(times.start, t, &d) && !IsMultiple(d, DurationSeconds(times.step)))
        return Reject(rules.multiple, shown, EditDuration(times.step));
    return std::string();
}

// The flags of a file: its start, stop and step validity.
struct FileFlags {
    int16_t &start, &stop, &step;
};

FileFlags FlagsOf(OutputFile file, OutputTimeValidity &v)
{
    if (file == OutputFile::History)
        return { v.historyStart, v.historyStop, v.historyStep };
    return { v.mapStart, v.mapStop, v.mapStep };
}

// Sets the flag from the outcome and hands the message on.
std::string Settle(int16_t &flag, std::string message)
{
    flag = message.empty() ? 1 : 0;
    return message;
}

} // namespace

// The model's writer counts the same seconds for the input file; the checks
// keep to the time functions alone.
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

std::string TimeInputErrorText(const char *headline, const char *label1, const char *value1, const char *label2,
                               const char *value2)
{
    int a[6] = { 0, 0, 0, 0, 0, 0 }, b[6] = { 0, 0, 0, 0, 0, 0 };
    if (value1)
        std::sscanf(value1, "%2d%2d%4d%2d%2d%2d", &a[0], &a[1], &a[2], &a[3], &a[4], &a[5]);
    if (value2)
        std::sscanf(value2, "%2d%2d%4d%2d%2d%2d", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]);
    return CheckTextF("Input error:\n%s\n%s     : %2.2d %2.2d %4.4d %2.2d %2.2d %2.2d\n"
                  "%s     : %2.2d %2.2d %4.4d %2.2d %2.2d %2.2d\nPrevious input reset",
                  headline, label1, a[0], a[1], a[2], a[3], a[4], a[5], label2, b[0], b[1], b[2], b[3], b[4], b[5]);
}

std::string ComputationalTimeStepMessage(const SimulationTimes &times, const char *stepText)
{
    std::string message = TimeStepFieldMessage(stepText);
    if (!message.empty())
        return message;
    const std::string step = StoredDuration(stepText);
    if (IsMultiple(DurationSeconds(times.hydrodynamicsStep), DurationSeconds(step)))
        return std::string();
    return TimeInputErrorText("Hydrodynamics time step not a multiple of computational time step",
                              "Hydrodynamics time step ", EditDuration(times.hydrodynamicsStep).c_str(),
                              "Computational time step ", EditDuration(step).c_str());
}

std::string StopTimeMessage(const SimulationTimes &times, const char *stopText)
{
    std::string message = DateTimeFieldMessage(stopText);
    if (!message.empty())
        return message;
    const std::string stop = StoredDateTime(stopText);
    if (std::strncmp(stop.c_str(), times.start.c_str(), 15) < 0)
        return CheckTextF("Stop time is out of range\nTime must be later than %s\nPrevious input reset",
                      EditDateTime(times.start).c_str());
    long long period = 0;
    if (!Difference(times.start, stop, &period))
        return std::string();
    const long long step = DurationSeconds(times.hydrodynamicsStep);
    if (IsMultiple(period, step))
        return std::string();
    return CheckTextF("Input error:\nSimulation period not a multiple of hydrodynamics time step\n"
                  "Simulation period      : %lld sec.    [%8.1f min.]\n"
                  "Time step              : %lld sec.    [%8.1f min.]\nPrevious input reset",
                  period, static_cast<double>(period) / 60.0, step, static_cast<double>(step) / 60.0);
}

std::string OutputStartTimeMessage(OutputFile file, const SimulationTimes &times, const char *startText,
                                   OutputTimeValidity &validity)
{
    std::string message = DateTimeFieldMessage(startText);
    if (!message.empty())
        return message;
    FileFlags flags = FlagsOf(file, validity);
    if (flags.stop != 1 || flags.step != 1)
        return std::string();
    const StartRules &rules = file == OutputFile::History ? kHistoryStart : kMapStart;
    return Settle(flags.start, StartRuleMessage(rules, times, StoredDateTime(startText)));
}

std::string OutputStopTimeMessage(OutputFile file, const SimulationTimes &times, const char *stopText,
                                  const char *startText, OutputTimeValidity &validity)
{
    std::string message = DateTimeFieldMessage(stopText);
    if (!message.empty())
        return message;
    FileFlags flags = FlagsOf(file, validity);
    if (flags.start != 1 || flags.step != 1)
        return std::string();
    const StopRules &rules = file == OutputFile::History ? kHistoryStop : kMapStop;
    const std::string t = StoredDateTime(stopText), s = StoredDateTime(startText);
    const std::string shown = EditDateTime(t);
    long long d = 0;
    if (Difference(s, t, &d) && d < 0)
        return Settle(flags.stop, Reject(rules.before, shown, EditDateTime(s)));
    if (Difference(s, t, &d) && d == 0)
        return Settle(flags.stop, Reject(rules.equals, shown, EditDateTime(s)));
    if (Difference(times.stop, t, &d) && d > 0)
        return Settle(flags.stop, Reject(rules.after, shown, EditDateTime(times.stop)));
    if (Difference(s, t, &d) && !IsMultiple(d, DurationSeconds(times.step)))
        return Settle(flags.stop, Reject(rules.multiple, shown, EditDuration(times.step)));
    return Settle(flags.stop, std::string());
}

std::string OutputTimeStepMessage(OutputFile file, const SimulationTimes &times, const char *stepText,
                                  OutputTimeValidity &validity)
{
    std::string message = TimeStepFieldMessage(stepText);
    if (!message.empty())
        return message;
    FileFlags flags = FlagsOf(file, validity);
    if (flags.start != 1 || flags.stop != 1)
        return std::string();
    const std::string d = StoredDuration(stepText);
    if (IsMultiple(DurationSeconds(d), DurationSeconds(times.step)))
        return Settle(flags.step, std::string());
    const RuleText &rule = file == OutputFile::History ? kHistoryStep : kMapStep;
    return Settle(flags.step, Reject(rule, EditDuration(d), EditDuration(times.step)));
}

std::string ReleaseTimeMessage(const SimulationTimes &times, const char *releaseText)
{
    std::string message = DateTimeFieldMessage(releaseText);
    if (!message.empty())
        return message;
    return StartRuleMessage(kRelease, times, StoredDateTime(releaseText));
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
    const std::string first = rowTime(0), last = rowTime(rowCount - 1);
    long long d = 0;
    if (!Difference(times.start, first, &d) || d > 0) {
        verdict.covers = false;
        verdict.messages.push_back(CheckTextF("Error:\nStart time table after start time simulation \n"
                                          "Start time table          : %s\nStart time simulation     : %s",
                                          first.c_str(), times.start.c_str()));
    }
    if (!Difference(times.stop, last, &d) || d < 0) {
        verdict.covers = false;
        verdict.messages.push_back(CheckTextF("Error:\nEnd time table before end time simulation \n"
                                          "End time table        : %s\nEnd time simulation   : %s",
                                          last.c_str(), times.stop.c_str()));
    }
    return verdict;
}

std::string TodayDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    // The runtime's converter keeps a buffer per thread.
    local = *std::localtime(&now);
#else
    localtime_r(&now, &local);
#endif
    return CheckTextF("%04d%02d%02d000000", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
