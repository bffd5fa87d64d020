// What follows a change of the simulation period or of the computational
// step, without windows (period_rules.h).
#include "period_rules.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "datetime.h"
#include "ge_list.h"
#include "hyd_reader.h"
#include "scenario.h"
#include "time_checks.h"

namespace {

constexpr int kDigits = 14;

// Stored date-times compare as their digits; false for no date-time.
bool Before(const char *a, const char *b) { return std::strncmp(a, b, kDigits) < 0; }
bool Valid(const char *t) { return t && IsValidDateTime(t); }

void CopyTime(DateTimeString target, const char *time)
{
    std::snprintf(target, sizeof(DateTimeString), "%.*s", kDigits, time);
}

// A dye release's time, or NULL for none.
template <typename Each>
void ForEachDyeRelease(const ScenarioRecord &scenario, Each each)
{
    Location *release = nullptr;
    for (int i = 0; GE_ListGet(scenario.instantaneousReleases, i, &release); ++i)
        if (release && Valid(release->releaseTime))
            each(*release);
}

constexpr int kOutputGroups[] = {TIME_GROUP_HISTORY, TIME_GROUP_MAP};

bool OutputOutside(const DateTimeString (&group)[3], const char *start, const char *stop)
{
    const char *first = group[TIME_START];
    return Valid(first) && (Before(first, start) || !Before(first, stop));
}

// Edit forms, held apart from the converters' shared buffers.
std::string EditTime(const char *stored) { return DateTimeToDmy(stored); }
std::string EditStep(const char *stored) { return DurationToDmy(stored); }

}  // namespace

int ReleaseTimesOutside(const ScenarioRecord &scenario, const char *start, const char *stop)
{
    int outside = 0;
    ForEachDyeRelease(scenario, [&](const Location &r) {
        if (Before(r.releaseTime, start) || Before(stop, r.releaseTime))
            ++outside;
    });
    return outside;
}

void MoveReleaseTimesInto(ScenarioRecord &scenario, const char *start, const char *stop)
{
    ForEachDyeRelease(scenario, [&](Location &r) {
        if (Before(r.releaseTime, start))
            CopyTime(r.releaseTime, start);
        else if (Before(stop, r.releaseTime))
            CopyTime(r.releaseTime, stop);
    });
}

int OutputFilesOutside(const ScenarioRecord &scenario, const char *start, const char *stop)
{
    int outside = 0;
    for (int g : kOutputGroups)
        outside += OutputOutside(scenario.timeGroups[g], start, stop) ? 1 : 0;
    return outside;
}

void FitOutputTimes(ScenarioRecord &scenario, const char *oldStop, const char *start, const char *stop)
{
    // The old stop is held apart: it may be the scenario's own slot.
    const std::string previous(oldStop, strnlen(oldStop, kDigits));
    for (int g : kOutputGroups) {
        DateTimeString(&group)[3] = scenario.timeGroups[g];
        if (OutputOutside(group, start, stop)) {
            CopyTime(group[TIME_START], start);
            CopyTime(group[TIME_STOP], stop);
        } else if (Valid(group[TIME_STOP]) &&
                   (Before(stop, group[TIME_STOP]) || std::strncmp(group[TIME_STOP], previous.c_str(), kDigits) == 0)) {
            CopyTime(group[TIME_STOP], stop);
        }
    }
}

std::string ComputationalStepChangeMessage(const ScenarioRecord &scenario, const char *stepText)
{
    const SimulationTimes now = ScenarioSimulationTimes(scenario);
    std::string message = ComputationalTimeStepMessage(now, stepText);
    if (!message.empty())
        return message;
    SimulationTimes next = now;
    next.step = DmyToDuration(stepText);
    // A rule the scenario keeps now and would not keep with the new step;
    // a time that already breaks a rule is not this step's doing.
    auto broken = [&](auto rule) {
        const std::string after = rule(next);
        return !after.empty() && rule(now).empty() ? after : std::string();
    };
    for (const OutputFile file : {OutputFile::History, OutputFile::Map}) {
        const DateTimeString(&group)[3] =
            scenario.timeGroups[file == OutputFile::History ? TIME_GROUP_HISTORY : TIME_GROUP_MAP];
        const std::string start = EditTime(group[TIME_START]), stop = EditTime(group[TIME_STOP]);
        const std::string step = EditStep(group[TIME_STEP]);
        // Each rule asked with every time of its file valid.
        const auto startRule = [&](const SimulationTimes &t) {
            OutputTimeValidity valid;
            return OutputStartTimeMessage(file, t, start.c_str(), valid);
        };
        const auto stopRule = [&](const SimulationTimes &t) {
            OutputTimeValidity valid;
            return OutputStopTimeMessage(file, t, stop.c_str(), start.c_str(), valid);
        };
        const auto stepRule = [&](const SimulationTimes &t) {
            OutputTimeValidity valid;
            return OutputTimeStepMessage(file, t, step.c_str(), valid);
        };
        for (const std::string &m : {broken(startRule), broken(stopRule), broken(stepRule)})
            if (!m.empty())
                return m;
    }
    ForEachDyeRelease(scenario, [&](const Location &r) {
        if (!message.empty())
            return;
        const std::string time = EditTime(r.releaseTime);
        message = broken([&](const SimulationTimes &t) { return ReleaseTimeMessage(t, time.c_str()); });
    });
    return message;
}

bool HydConversionPeriod(const char *path, const ScenarioRecord &scenario, std::string *start, std::string *stop)
{
    if (path == nullptr || path[0] == '\0')
        return false;
    auto description = std::make_unique<HydDescription>();
    std::memset(description.get(), 0, sizeof(HydDescription));
    SetHydStartValues(description.get());
    if (ReadHydDescription(path, description.get()) != HYD_READ_OK)
        return false;
    const char *first = description->times[HYD_CONVERSION_START_TIME];
    const char *last = description->times[HYD_CONVERSION_STOP_TIME];
    *start = first[0] ? first : scenario.hydTimes[HYD_CONVERSION_START];
    *stop = last[0] ? last : scenario.hydTimes[HYD_CONVERSION_STOP];
    return true;
}
