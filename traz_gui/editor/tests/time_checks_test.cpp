// Time-entry checks without windows: the simulation stop time and step, the
// sixteen output-time rules with their validity flags, the release time and
// the release-rate table against a one-hour simulation on a one-minute step.
#include "time_checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "scenario.h"

namespace {

SimulationTimes OneHour()
{
    SimulationTimes t;
    t.start = "20000101000000";
    t.stop = "20000101010000";
    t.step = "00000000000100";              // 1 min
    t.hydrodynamicsStep = "00000000003000"; // 30 min
    return t;
}

// The headline line of a time-entry message ("" for none).
std::string Headline(const std::string &message)
{
    const std::string prefix = "Input error:\n";
    if (message.compare(0, prefix.size(), prefix) != 0)
        return message;
    return message.substr(prefix.size(), message.find('\n', prefix.size()) - prefix.size());
}

TEST(TimeChecks, MessageShowsBothValuesInTheEditForm)
{
    EXPECT_EQ(TimeInputErrorText("Head", "One ", "01 02 2003 04 05 06", "Two ", "00 00 0000 00 10 00"),
              "Input error:\nHead\nOne      : 01 02 2003 04 05 06\nTwo      : 00 00 0000 00 10 00\n"
              "Previous input reset");
    // A value that is not there shows as zeros.
    EXPECT_EQ(TimeInputErrorText("Head", "One ", "", "Two ", nullptr),
              "Input error:\nHead\nOne      : 00 00 0000 00 00 00\nTwo      : 00 00 0000 00 00 00\n"
              "Previous input reset");
}

TEST(TimeChecks, StopTime)
{
    const SimulationTimes t = OneHour();
    EXPECT_EQ(StopTimeMessage(t, "01 01 2000 01 00 00"), ""); // 3600 s on a 1800 s step
    EXPECT_EQ(StopTimeMessage(t, "01 01 2000 00 00 00"), ""); // equal to the start
    EXPECT_EQ(StopTimeMessage(t, "01 01 2000 01 01 40"),
              "Input error:\nSimulation period not a multiple of hydrodynamics time step\n"
              "Simulation period      : 3700 sec.    [    61.7 min.]\n"
              "Time step              : 1800 sec.    [    30.0 min.]\nPrevious input reset");
    EXPECT_EQ(StopTimeMessage(t, "31 12 1999 23 00 00"),
              "Stop time is out of range\nTime must be later than 01 01 2000 00 00 00\nPrevious input reset");
    EXPECT_EQ(StopTimeMessage(t, "00 01 2000 00 00 00"),
              "Input error:\nJust entered date-time 00 01 2000 00 00 00 is invalid\nPrevious input reset");
    // A zero hydrodynamics step divides nothing: only an empty period passes.
    SimulationTimes noStep = t;
    noStep.hydrodynamicsStep = "00000000000000";
    EXPECT_EQ(StopTimeMessage(noStep, "01 01 2000 00 00 00"), "");
    EXPECT_EQ(Headline(StopTimeMessage(noStep, "01 01 2000 01 00 00")),
              "Simulation period not a multiple of hydrodynamics time step");
    // Decades of seconds are counted, not wrapped.
    SimulationTimes long_ = t;
    long_.hydrodynamicsStep = "00000000000007";
    EXPECT_NE(StopTimeMessage(long_, "01 01 2100 00 00 01").find(": 3155760001 sec."), std::string::npos);
}

TEST(TimeChecks, ComputationalTimeStep)
{
    const SimulationTimes t = OneHour();
    EXPECT_EQ(ComputationalTimeStepMessage(t, "00 00 0000 00 10 00"), "");
    EXPECT_EQ(ComputationalTimeStepMessage(t, "00 00 0000 00 07 00"),
              "Input error:\nHydrodynamics time step not a multiple of computational time step\n"
              "Hydrodynamics time step      : 00 00 0000 00 30 00\n"
              "Computational time step      : 00 00 0000 00 07 00\nPrevious input reset");
    EXPECT_EQ(ComputationalTimeStepMessage(t, "00 00 0000 00 00 00"),
              "Input error:\nJust entered time step 00 00 0000 00 00 00 is invalid\nPrevious input reset");
}

struct OutputCase {
    const char *kind; // "start", "stop", "step"
    OutputFile file;
    const char *text;
    const char *headline; // "" passes
};

std::string RunOutput(const OutputCase &c, OutputTimeValidity &v)
{
    const SimulationTimes t = OneHour();
    const std::string kind = c.kind;
    if (kind == "start")
        return OutputStartTimeMessage(c.file, t, c.text, v);
    if (kind == "stop")
        return OutputStopTimeMessage(c.file, t, c.text, "01 01 2000 00 10 00", v);
    return OutputTimeStepMessage(c.file, t, c.text, v);
}

TEST(TimeChecks, OutputTimeRules)
{
    const OutputFile H = OutputFile::History, M = OutputFile::Map;
    const OutputCase cases[] = {
        { "start", H, "31 12 1999 23 59 00", "Start time history file before start time simulation " },
        { "start", H, "01 01 2000 01 00 30", "Start time history file after stop time simulation " },
        { "start", H, "01 01 2000 00 00 30", "Start time history file not at a multiple of computational time step" },
        { "start", H, "01 01 2000 00 10 00", "" },
        { "stop", H, "01 01 2000 00 05 00", "Stop time history file before start time history file " },
        { "stop", H, "01 01 2000 00 10 00", "Stop time history file equals start time history file " },
        { "stop", H, "01 01 2000 01 01 00", "Stop time history file after stop time simulation " },
        { "stop", H, "01 01 2000 00 20 30", "Stop time history file not at a multiple of computational time step" },
        { "stop", H, "01 01 2000 00 11 00", "" },
        { "step", H, "00 00 0000 00 00 90", "History file time step not a multiple of computational time step" },
        { "step", H, "00 00 0000 00 02 00", "" },
        { "start", M, "31 12 1999 23 59 00", "Start time  map file before start time simulation " },
        { "start", M, "01 01 2000 01 00 30", "Start time  map file after stop time simulation " },
        { "start", M, "01 01 2000 00 00 30", "Start time map file not at a multiple of computational time step" },
        { "start", M, "01 01 2000 01 00 00", "" },
        { "stop", M, "01 01 2000 00 05 00", "Stop time map file before start time map file " },
        { "stop", M, "01 01 2000 00 10 00", "Stop time map file equals start time map file " },
        { "stop", M, "01 01 2000 01 01 00", "Stop time map file after stop time simulation " },
        { "stop", M, "01 01 2000 00 20 30", "Stop time map file not at a multiple of computational time step" },
        { "stop", M, "01 01 2000 00 11 00", "" }, // one step after the start
        { "step", M, "00 00 0000 00 00 90", "Map file time step not a multiple of computational time step" },
        { "step", M, "00 00 0000 01 00 00", "" },
    };
    for (const OutputCase &c : cases) {
        OutputTimeValidity v; // every rule runs
        const std::string message = RunOutput(c, v);
        EXPECT_EQ(Headline(message), c.headline) << c.kind << " " << c.text;
        if (*c.headline) {
            EXPECT_NE(message.find("\nPrevious input reset"), std::string::npos) << c.text;
        }
    }
}

TEST(TimeChecks, OutputMessagesInFull)
{
    OutputTimeValidity v;
    const SimulationTimes t = OneHour();
    EXPECT_EQ(OutputStopTimeMessage(OutputFile::History, t, "01 01 2000 00 10 00", "01 01 2000 00 10 00", v),
              "Input error:\nStop time history file equals start time history file \n"
              "Stop  time      : 01 01 2000 00 10 00\nStart time      : 01 01 2000 00 10 00\nPrevious input reset");
    EXPECT_EQ(OutputStartTimeMessage(OutputFile::Map, t, "01 01 2000 00 00 30", v),
              "Input error:\nStart time map file not at a multiple of computational time step\n"
              "Map file start time            : 01 01 2000 00 00 30\n"
              "Computational time step      : 00 00 0000 00 01 00\nPrevious input reset");
}

TEST(TimeChecks, ValidityFlagsSkipRelatedRules)
{
    const SimulationTimes t = OneHour();
    OutputTimeValidity v;
    // A rejected history step clears its flag: the history start is then
    // not checked at all, the map start still is.
    EXPECT_NE(OutputTimeStepMessage(OutputFile::History, t, "00 00 0000 00 00 90", v), "");
    EXPECT_EQ(v.historyStep, 0);
    EXPECT_EQ(OutputStartTimeMessage(OutputFile::History, t, "31 12 1999 23 59 00", v), "");
    EXPECT_EQ(v.historyStart, 1);
    EXPECT_NE(OutputStartTimeMessage(OutputFile::Map, t, "31 12 1999 23 59 00", v), "");
    EXPECT_EQ(v.mapStart, 0);
    EXPECT_EQ(OutputStopTimeMessage(OutputFile::Map, t, "01 01 2000 00 05 00", "01 01 2000 00 10 00", v), "");
    // A passing step sets the flag again and the start is checked once more.
    EXPECT_EQ(OutputTimeStepMessage(OutputFile::History, t, "00 00 0000 00 02 00", v), "");
    EXPECT_EQ(v.historyStep, 1);
    EXPECT_NE(OutputStartTimeMessage(OutputFile::History, t, "31 12 1999 23 59 00", v), "");
    EXPECT_EQ(v.historyStart, 0);
    EXPECT_EQ(OutputStartTimeMessage(OutputFile::History, t, "01 01 2000 00 10 00", v), "");
    EXPECT_EQ(v.historyStart, 1);
    // An invalid text is refused whatever the flags, and changes none.
    OutputTimeValidity skip;
    skip.historyStop = 0;
    EXPECT_EQ(Headline(OutputStartTimeMessage(OutputFile::History, t, "30 02 2000 00 00 00", skip)),
              "Just entered date-time 30 02 2000 00 00 00 is invalid");
    EXPECT_EQ(skip.historyStart, 1);
}

TEST(TimeChecks, ZeroComputationalStepDividesNothing)
{
    SimulationTimes t = OneHour();
    t.step = "00000000000000";
    OutputTimeValidity v;
    EXPECT_EQ(OutputStartTimeMessage(OutputFile::History, t, "01 01 2000 00 00 00", v), "");
    EXPECT_EQ(Headline(OutputStartTimeMessage(OutputFile::History, t, "01 01 2000 00 10 00", v)),
              "Start time history file not at a multiple of computational time step");
    EXPECT_EQ(Headline(OutputTimeStepMessage(OutputFile::Map, t, "00 00 0000 00 10 00", v)),
              "Map file time step not a multiple of computational time step");
}

TEST(TimeChecks, ReleaseTime)
{
    const SimulationTimes t = OneHour();
    const struct {
        const char *text;
        const char *headline;
    } cases[] = {
        { "31 12 1999 23 59 00", "Release time before start time simulation " },
        { "01 01 2000 01 01 00", "Release time after stop time simulation " },
        { "01 01 2000 00 00 30", "Release time not at a multiple of computational time step" },
        { "01 01 2000 00 30 00", "" },
        { "01 01 2000 01 00 00", "" },
        { "00 01 2000 00 00 00", "Just entered date-time 00 01 2000 00 00 00 is invalid" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(Headline(ReleaseTimeMessage(t, c.text)), c.headline) << c.text;
    EXPECT_EQ(ReleaseTimeMessage(t, "31 12 1999 23 59 00"),
              "Input error:\nRelease time before start time simulation \n"
              "Release time               : 31 12 1999 23 59 00\n"
              "Simulation start time      : 01 01 2000 00 00 00\nPrevious input reset");
}

TEST(TimeChecks, ReleaseTableMustCoverTheSimulation)
{
    const SimulationTimes t = OneHour();
    const char *reference = "20000101000000";
    const double exact[] = { 0.0, 30.0, 60.0 };
    ReleaseTableVerdict v = CheckReleaseTableTimes(t, reference, exact, 3);
    EXPECT_TRUE(v.covers);
    EXPECT_TRUE(v.messages.empty());

    const double late[] = { 1.0, 60.0 };
    v = CheckReleaseTableTimes(t, reference, late, 2);
    EXPECT_FALSE(v.covers);
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.messages[0], "Error:\nStart time table after start time simulation \n"
                             "Start time table          : 20000101000100\n"
                             "Start time simulation     : 20000101000000");

    // Both ends are checked and both reported.
    const double shortTable[] = { 1.0, 59.0 };
    v = CheckReleaseTableTimes(t, reference, shortTable, 2);
    EXPECT_FALSE(v.covers);
    ASSERT_EQ(v.messages.size(), 2u);
    EXPECT_EQ(v.messages[1], "Error:\nEnd time table before end time simulation \n"
                             "End time table        : 20000101005900\n"
                             "End time simulation   : 20000101010000");

    // 50 s kept as minutes is still 50 s, not 49.
    SimulationTimes fifty = t;
    fifty.stop = "20000101000050";
    const double stored[] = { 0.0, 50.0 / 60.0 };
    EXPECT_TRUE(CheckReleaseTableTimes(fifty, reference, stored, 2).covers);

    // A table without rows covers nothing, and reads no row.
    v = CheckReleaseTableTimes(t, reference, nullptr, 0);
    EXPECT_FALSE(v.covers);
    EXPECT_EQ(v.messages.size(), 2u);
}

TEST(TimeChecks, ScenarioTimesAreTheSimulationsAndTheConversionStep)
{
    auto s = std::make_unique<ScenarioRecord>();
    std::strcpy(s->timeGroups[TIME_GROUP_SIMULATION][TIME_START], "20000101000000");
    std::strcpy(s->timeGroups[TIME_GROUP_SIMULATION][TIME_STOP], "20000101010000");
    std::strcpy(s->timeGroups[TIME_GROUP_SIMULATION][TIME_STEP], "00000000000100");
    std::strcpy(s->timeGroups[TIME_GROUP_HISTORY][TIME_START], "19990101000000");
    std::strcpy(s->hydTimes[HYD_TIME_STEP], "00000000001000");
    std::strcpy(s->hydTimes[HYD_CONVERSION_STEP], "00000000003000");
    const SimulationTimes t = ScenarioSimulationTimes(*s);
    EXPECT_EQ(t.start, "20000101000000");
    EXPECT_EQ(t.stop, "20000101010000");
    EXPECT_EQ(t.step, "00000000000100");
    EXPECT_EQ(t.hydrodynamicsStep, "00000000003000");
}

TEST(TimeChecks, TodayIsAMidnight)
{
    const std::string today = TodayDateTime();
    ASSERT_EQ(today.size(), 14u);
    EXPECT_EQ(today.substr(8), "000000");
}

} // namespace
