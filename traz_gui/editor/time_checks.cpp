// Time-entry checks of the editor without windows: a typed date-time or
// time step read, checked by the rules of the scenario's times, and the
// validity flags of the output times kept.
#include "time_checks.h"

#include <cstdio>
#include <ctime>

#include "datetime.h"
#include "field_checks.h"

namespace {

std::string StoredDateTime(const char *editText) { return DmyToDateTime(editText); }
std::string StoredDuration(const char *editText) { return DmyToDuration(editText); }

// A rule's message as a field check shows it.
std::string Refusal(const std::string &rule)
{
    return rule.empty() ? rule : rule + kPreviousInputReset;
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
std::string Settle(int16_t &flag, const std::string &rule)
{
    flag = rule.empty() ? 1 : 0;
    return Refusal(rule);
}

} // namespace

std::string TimeInputErrorText(const char *headline, const char *label1, const char *value1, const char *label2,
                               const char *value2)
{
    return TimeRuleText(headline, label1, value1, label2, value2) + kPreviousInputReset;
}

std::string ComputationalTimeStepMessage(const SimulationTimes &times, const char *stepText)
{
    std::string message = TimeStepFieldMessage(stepText);
    if (!message.empty())
        return message;
    return Refusal(ComputationalStepRule(times, StoredDuration(stepText)));
}

std::string StopTimeMessage(const SimulationTimes &times, const char *stopText)
{
    std::string message = DateTimeFieldMessage(stopText);
    if (!message.empty())
        return message;
    return Refusal(SimulationStopRule(times, StoredDateTime(stopText)));
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
    const TimedStart which = file == OutputFile::History ? TimedStart::History : TimedStart::Map;
    return Settle(flags.start, StartTimeRule(which, times, StoredDateTime(startText)));
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
    return Settle(flags.stop, StopTimeRule(file, times, StoredDateTime(stopText), StoredDateTime(startText)));
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
    return Settle(flags.step, OutputStepRule(file, times, StoredDuration(stepText)));
}

std::string ReleaseTimeMessage(const SimulationTimes &times, const char *releaseText)
{
    std::string message = DateTimeFieldMessage(releaseText);
    if (!message.empty())
        return message;
    return Refusal(StartTimeRule(TimedStart::Release, times, StoredDateTime(releaseText)));
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
