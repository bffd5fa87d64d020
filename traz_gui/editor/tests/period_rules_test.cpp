// What follows a change of the simulation period or step, without windows:
// dye-release times moved into a new period, output times cut, following
// the stop or given the whole period, the output and release rules a new computational step
// would break, and the period a *.hyd file gives.  The simulation runs
// from 01:00 to 23:00 on 1 June 2026 with a 5-minute step and a 30-minute
// hydrodynamics step.
#include "period_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "scenario.h"
#include "scenario_fixtures.h"

using scenario_fixtures::AddLocation;
using scenario_fixtures::NewScenario;
using scenario_fixtures::ScenarioPtr;

namespace {

void Set(char *slot, const char *time) { std::snprintf(slot, sizeof(DateTimeString), "%s", time); }

ScenarioPtr Estuary()
{
    ScenarioPtr s = NewScenario();
    for (int g = 0; g < TIME_GROUP_COUNT; ++g) {
        Set(s->timeGroups[g][TIME_START], "20260601010000");
        Set(s->timeGroups[g][TIME_STOP], "20260601230000");
        Set(s->timeGroups[g][TIME_STEP], "00000000000500");
    }
    Set(s->timeGroups[TIME_GROUP_HISTORY][TIME_STEP], "00000000003000");
    Set(s->timeGroups[TIME_GROUP_MAP][TIME_STEP], "00000000010000");
    Set(s->hydTimes[HYD_CONVERSION_START], "20260601000000");
    Set(s->hydTimes[HYD_CONVERSION_STOP], "20260602000000");
    Set(s->hydTimes[HYD_CONVERSION_STEP], "00000000003000");
    return s;
}

Location *DyeRelease(ScenarioRecord &s, const char *name, const char *time)
{
    Location *r = AddLocation(s.instantaneousReleases, name, 0.0f, 0.0f);
    Set(r->releaseTime, time);
    return r;
}

std::string Group(const ScenarioRecord &s, int group)
{
    return std::string(s.timeGroups[group][TIME_START]) + "-" + s.timeGroups[group][TIME_STOP] + "/" +
           s.timeGroups[group][TIME_STEP];
}

}  // namespace

TEST(PeriodRules, ReleaseTimesMoveOntoTheNearerEndOfTheNewPeriod)
{
    ScenarioPtr s = Estuary();
    const struct {
        const char *time, *moved;
    } cases[] = {
        {"20260601003000", "20260601060000"},  // before the new start
        {"20260601060000", "20260601060000"},  // on it
        {"20260601080000", "20260601080000"},  // inside
        {"20260601100000", "20260601100000"},  // on the new stop
        {"20260601120000", "20260601100000"},  // after it
    };
    std::vector<Location *> releases;
    for (const auto &c : cases)
        releases.push_back(DyeRelease(*s, "r", c.time));
    // A release without a time is no time to move.
    DyeRelease(*s, "none", "");
    EXPECT_EQ(ReleaseTimesOutside(*s, "20260601060000", "20260601100000"), 2);
    MoveReleaseTimesInto(*s, "20260601060000", "20260601100000");
    for (size_t i = 0; i < releases.size(); ++i)
        EXPECT_STREQ(releases[i]->releaseTime, cases[i].moved) << cases[i].time;
    EXPECT_EQ(ReleaseTimesOutside(*s, "20260601060000", "20260601100000"), 0);
}

TEST(PeriodRules, OutputTimesFollowTheNewStopOrGetTheWholePeriod)
{
    const struct {
        const char *start, *stop, *newStop, *fitted;
        int outside;
    } cases[] = {
        // A stop after the new one is cut, as the Output options page shows it.
        {"20260601020000", "20260601230000", "20260601100000", "20260601020000-20260601100000/", 0},
        // A stop before it stays.
        {"20260601020000", "20260601050000", "20260601100000", "20260601020000-20260601050000/", 0},
        // A file that would start on the new stop or after it has no time
        // to write: it gets the simulation's start and the new stop.
        {"20260601100000", "20260601230000", "20260601100000", "20260601010000-20260601100000/", 1},
        {"20260601120000", "20260601230000", "20260601100000", "20260601010000-20260601100000/", 1},
        // A file written to the end follows a later stop; one that ends
        // before it stays.
        {"20260601020000", "20260601230000", "20260602000000", "20260601020000-20260602000000/", 0},
        {"20260601020000", "20260601220000", "20260602000000", "20260601020000-20260601220000/", 0},
    };
    for (const auto &c : cases) {
        ScenarioPtr s = Estuary();
        Set(s->timeGroups[TIME_GROUP_MAP][TIME_START], c.start);
        Set(s->timeGroups[TIME_GROUP_MAP][TIME_STOP], c.stop);
        EXPECT_EQ(OutputFilesOutside(*s, "20260601010000", c.newStop), c.outside) << c.start << " " << c.newStop;
        FitOutputTimes(*s, "20260601230000", "20260601010000", c.newStop);
        EXPECT_EQ(Group(*s, TIME_GROUP_MAP), std::string(c.fitted) + "00000000010000") << c.start << " " << c.newStop;
        // The history file, from the simulation's start to its stop, only
        // ever has its stop cut.
        EXPECT_EQ(std::string(s->timeGroups[TIME_GROUP_HISTORY][TIME_START]), "20260601010000");
    }
}

TEST(PeriodRules, ANewStepIsRefusedWithTheFirstRuleItWouldBreak)
{
    const struct {
        const char *what;
        const char *step;         // typed
        const char *historyStep;  // stored, 30 min by default
        const char *mapStop;      // stored, 23:00 by default
        const char *release;      // a dye release's time, none when NULL
        const char *headline;     // of the refusal, "" to take the step
    } cases[] = {
        {"a finer step", "00 00 0000 00 01 00", nullptr, nullptr, "20260601020500", ""},
        {"a coarser step every time keeps", "00 00 0000 00 15 00", nullptr, nullptr, "20260601021500", ""},
        {"no divisor of the hydrodynamics step", "00 00 0000 00 20 00", nullptr, nullptr, nullptr,
         "Hydrodynamics time step not a multiple of computational time step"},
        {"a history step off it", "00 00 0000 00 15 00", "00000000001000", nullptr, nullptr,
         "History file time step not a multiple of computational time step"},
        {"a map stop off it", "00 00 0000 00 15 00", nullptr, "20260601225500", nullptr,
         "Stop time map file not at a multiple of computational time step"},
        {"a release time off it", "00 00 0000 00 15 00", nullptr, nullptr, "20260601020500",
         "Release time not at a multiple of computational time step"},
        // A history step that breaks its rule already is not the new step's
        // doing: the step is taken.
        {"a history step already off", "00 00 0000 00 10 00", "00000000000700", nullptr, nullptr, ""},
    };
    for (const auto &c : cases) {
        ScenarioPtr s = Estuary();
        if (c.historyStep)
            Set(s->timeGroups[TIME_GROUP_HISTORY][TIME_STEP], c.historyStep);
        if (c.mapStop)
            Set(s->timeGroups[TIME_GROUP_MAP][TIME_STOP], c.mapStop);
        if (c.release)
            DyeRelease(*s, "r", c.release);
        const std::string message = ComputationalStepChangeMessage(*s, c.step);
        if (c.headline[0] == '\0') {
            EXPECT_EQ(message, "") << c.what;
            continue;
        }
        EXPECT_EQ(message.substr(0, message.find('\n', 13)), std::string("Input error:\n") + c.headline) << c.what;
        EXPECT_NE(message.find(c.step), std::string::npos) << c.what << ": the message quotes the step";
    }
}

TEST(PeriodRules, AHydFileGivesItsConversionPeriodOrTheScenarios)
{
    ScenarioPtr s = Estuary();
    const std::string dir = ::testing::TempDir();
    const std::string both = dir + "/period_both.hyd", none = dir + "/period_none.hyd";
    FILE *f = std::fopen(both.c_str(), "w");
    ASSERT_TRUE(f);
    std::fputs("conversion-start-time    '20260601060000'\nconversion-stop-time     '20260602000000'\n", f);
    std::fclose(f);
    f = std::fopen(none.c_str(), "w");
    ASSERT_TRUE(f);
    std::fputs("task      full-coupling\n", f);
    std::fclose(f);
    std::string start, stop;
    ASSERT_TRUE(HydConversionPeriod(both.c_str(), *s, &start, &stop));
    EXPECT_EQ(start, "20260601060000");
    EXPECT_EQ(stop, "20260602000000");
    ASSERT_TRUE(HydConversionPeriod(none.c_str(), *s, &start, &stop));
    EXPECT_EQ(start, "20260601000000");
    EXPECT_EQ(stop, "20260602000000");
    EXPECT_FALSE(HydConversionPeriod((dir + "/period_missing.hyd").c_str(), *s, &start, &stop));
    // A file whose load would fail gives no period to ask about: the load's
    // own box follows.  A device is not read at all.
    const std::string backwards = dir + "/period_backwards.hyd";
    f = std::fopen(backwards.c_str(), "w");
    ASSERT_TRUE(f);
    std::fputs("conversion-start-time    '20260602000000'\nconversion-stop-time     '20260601000000'\n", f);
    std::fclose(f);
    EXPECT_FALSE(HydConversionPeriod(backwards.c_str(), *s, &start, &stop));
#ifndef _WIN32
    EXPECT_FALSE(HydConversionPeriod("/dev/zero", *s, &start, &stop));
#endif
    std::remove(both.c_str());
    std::remove(none.c_str());
    std::remove(backwards.c_str());
}
