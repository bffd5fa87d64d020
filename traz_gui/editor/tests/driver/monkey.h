// The GUI monkey of the test driver: a program started on a copy of a
// fixture and driven by random user actions drawn from a seed (clicks,
// typing, keys, menu commands, close boxes, mouse work on the map, answers
// to its boxes and file dialogs), with the program's health checked after
// every action (and, while no box is up, its scenario against the rules
// kept at every moment, its map windows against the editor's locations and
// its legend against the kinds with objects) and a save round trip at the
// end.  A failure reports the
// seed, the action and the last actions, and the same seed replays it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace monkey {

struct Options {
    std::string program;              // the program under test
    std::string source;               // the source tree (fixture, menu descriptions)
    std::string work;                 // the monkey's folder; the program works in <work>/run
    std::string fixture = "examples/estuary";
    std::vector<std::string> start;   // the program's arguments
    std::vector<std::string> watch;        // more folders in which nothing may change
    std::vector<std::string> watchFiles;   // and folders whose own files may not
    uint64_t seed = 1;
    long actions = 100;
    bool trace = false;               // print every action as it is done
};

// Runs the monkey; 0 when every check held, 1 on a failure (reported on
// stdout), 2 when it could not start.
int Run(const Options &options);

// The screen, or the part of it given (screen pixels), as a 24-bit BMP
// file; false when it cannot be written.
bool Screenshot(const std::string &file, const RECT *part);

}  // namespace monkey
