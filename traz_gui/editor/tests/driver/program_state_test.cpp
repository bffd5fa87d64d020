// The driver's reading of the program's state and the faults it judges:
// the text of the protocol, the map windows against the editor's
// locations, the legend against the kinds with objects, and the broken
// rules the monkey counts.
#include <gtest/gtest.h>

#include "program_state.h"

namespace {

using program_state::State;

// The example: two observation points, an instantaneous release, one map
// window holding them, the legend open.
const char kExample[] =
    "break\thistory.step.multiple\tsave\t11\t-1\t-1\tInput error:\\nHistory file time step\\tx\\\\y\n"
    "validity\t1\t1\t1\t1\t0\t1\n"
    "location\t7\t0\t8\t11\t21070\t41500\tHarbour\n"
    "location\t7\t1\t26\t21\t23620\t42850\tMouth\n"
    "location\t10\t0\t10\t12\t21220\t41650\tSpill\n"
    "map\t0\t7,10\n"
    "object\t0\t7\t0\t8\t11\t21070\t41500\tHarbour\n"
    "object\t0\t7\t1\t26\t21\t23620\t42850\tMouth\n"
    "object\t0\t10\t0\t10\t12\t21220\t41650\tSpill\n"
    "legend\topen\n"
    "legend-row\tobservation point\n"
    "legend-row\tinstantaneous release\n";

State Read(const std::string &text)
{
    State s;
    EXPECT_TRUE(program_state::Parse(text, &s));
    return s;
}

TEST(ProgramState, ReadsTheProtocolText)
{
    const State s = Read(kExample);
    ASSERT_EQ(s.breaks.size(), 1u);
    EXPECT_EQ(s.breaks[0].rule, "history.step.multiple");
    EXPECT_FALSE(s.breaks[0].always);
    EXPECT_EQ(s.breaks[0].page, 11);
    EXPECT_EQ(s.breaks[0].message, "Input error:\nHistory file time step\tx\\y");
    EXPECT_EQ(s.validity[4], 0);
    ASSERT_EQ(s.locations.size(), 3u);
    EXPECT_EQ(s.locations[1].name, "Mouth");
    EXPECT_EQ(s.locations[1].m, 26);
    ASSERT_EQ(s.maps.size(), 1u);
    EXPECT_EQ(s.maps[0].shown, (std::vector<int>{7, 10}));
    EXPECT_EQ(s.maps[0].objects.size(), 3u);
    EXPECT_TRUE(s.legendOpen);
    EXPECT_EQ(s.legendRows.size(), 2u);
    EXPECT_TRUE(program_state::MapFaults(s).empty());
    EXPECT_TRUE(program_state::LegendFaults(s).empty());

    State unknown;
    EXPECT_FALSE(program_state::Parse("nonsense\t1\n", &unknown));
    EXPECT_FALSE(program_state::Parse("object\t0\t7\t0\t1\t1\t0\t0\tx\n", &unknown)) << "an object before its window";
}

// A map window out of step with the editor, each way it can be.
TEST(ProgramState, MapWindowsHoldTheEditorsLocations)
{
    const struct {
        const char *from, *to, *fault;
    } cases[] = {
        {"object\t0\t7\t1\t26\t21\t23620\t42850\tMouth\n", "",
         "map window 0: no observation point 1; the editor has observation point 1 \"Mouth\""},
        {"location\t10\t0\t10\t12\t21220\t41650\tSpill\n", "",
         "map window 0: holds instantaneous release 0 \"Spill\" at x 21220, y 41650 in cell (10, 12), which the "
         "editor does not have"},
        {"object\t0\t7\t0\t8\t11\t", "object\t0\t7\t0\t9\t11\t",
         "map window 0: holds observation point 0 \"Harbour\" at x 21070, y 41500 in cell (9, 11); the editor has "
         "observation point 0 \"Harbour\" at x 21070, y 41500 in cell (8, 11)"},
        {"41500\tHarbour\nobject", "41500\tHarbor\nobject", "\"Harbor\""},
    };
    for (const auto &c : cases) {
        std::string text = kExample;
        text.replace(text.find(c.from), std::string(c.from).size(), c.to);
        const std::vector<std::string> faults = program_state::MapFaults(Read(text));
        ASSERT_EQ(faults.size(), 1u) << c.fault;
        EXPECT_NE(faults[0].find(c.fault), std::string::npos) << faults[0];
    }
}

TEST(ProgramState, TheLegendListsTheKindsWithObjects)
{
    std::string stale = kExample;
    stale.replace(stale.find("legend-row\tinstantaneous release\n"), 33, "");
    const std::vector<std::string> faults = program_state::LegendFaults(Read(stale));
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0], "the legend lists (observation point), the kinds with objects are (observation point, "
                         "instantaneous release)");
    std::string closed = stale;
    closed.replace(closed.find("legend\topen"), 11, "legend\tclosed");
    EXPECT_TRUE(program_state::LegendFaults(Read(closed)).empty()) << "a closed legend shows nothing";
}

// The monkey counts a broken rule kept at every moment, but not one of an
// output file while a field check of that file skips its rules.
TEST(ProgramState, StandingBreaks)
{
    const State s = Read(std::string("break\tmap.stop.after-simulation\talways\t11\t-1\t-1\tm\n"
                                     "break\thistory.stop.after-simulation\talways\t11\t-1\t-1\th\n"
                                     "break\trelease.time.after-simulation\talways\t7\t-1\t0\tr\n"
                                     "break\thistory.stop.equals-start\tsave\t11\t-1\t-1\te\n"
                                     "validity\t1\t1\t1\t1\t0\t1\n"));
    std::vector<std::string> rules;
    for (const program_state::Break *b : program_state::StandingBreaks(s))
        rules.push_back(b->rule);
    EXPECT_EQ(rules, (std::vector<std::string>{"history.stop.after-simulation", "release.time.after-simulation"}));
}

}  // namespace
