// The state of the editor as the GUI test driver and the monkey read it
// from the program (TRAZ_GUI_TEST_STATE of gui_test_protocol.h): the rules
// its scenario breaks, the output-time validity flags, its locations, each
// map window's point objects and the rows of the legend window; and the
// faults they show: a map window that does not hold exactly the editor's
// locations, a legend that does not list exactly the kinds with objects.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace program_state {

struct Break {
    std::string rule;
    bool always = false;   // kept at every moment; else enforced by a save
    int page = -1, subPane = -1, item = -1;
    std::string message;
};

// A location of the scenario or a point object of a map window.
struct Point {
    int kind = 0;          // 7 observation point, 10 instantaneous, 11 continuous release
    int index = 0;
    int m = 0, n = 0;
    std::string x, y, name;
};

struct MapWindow {
    int number = 0;
    std::vector<int> shown;      // kinds whose attribute the window shows
    std::vector<Point> objects;
};

struct State {
    std::vector<Break> breaks;
    int validity[6] = {1, 1, 1, 1, 1, 1};  // history start, stop, step; map start, stop, step
    std::vector<Point> locations;
    std::vector<MapWindow> maps;
    bool legendOpen = false;
    std::vector<std::string> legendRows;
};

// Asks the program's main window for its state; false when it does not
// answer within timeout ms (a window that is no editor's, or one gone).
bool Ask(HWND mainWindow, State *state, DWORD timeout = 3000);

// The state from the text of the protocol; false for a text it cannot read.
bool Parse(const std::string &text, State *state);

// The kind's name in messages ("observation point", ...).
std::string KindName(int kind);
// A kind from a script's word: 7, 10, 11 or observation, instantaneous,
// continuous; -1 for another.
int KindOf(const std::string &word);

// Each map window against the editor's locations, index for index (kind,
// cell, coordinates, name); the open legend against the kinds that have
// objects.  Empty when they agree.
std::vector<std::string> MapFaults(const State &state);
std::vector<std::string> LegendFaults(const State &state);
// The breaks of rules kept at every moment, but those of an output file
// while the field checks skip its rules (one of its flags is 0): a value
// such a check let in is the user's to mend before a save.
std::vector<const Break *> StandingBreaks(const State &state);

}  // namespace program_state
