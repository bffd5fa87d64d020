// State shared by the fake modules (not for tests: they use fakes.h).
#ifndef TRAZ_MODEL_FAKE_STATE_H
#define TRAZ_MODEL_FAKE_STATE_H

#include <cstdarg>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fakes.h"

namespace fakes {

struct State {
    std::vector<Entry> entries;
    std::deque<int> askAnswers;
    std::deque<std::string> fileAnswers;
    std::vector<std::string> calls;

    int modelKind = 0;
    std::function<int()> modelKindSource;
    std::string projectDirectory;
    int zoomGridOk = 1;
    int settlingOk = 1;
    std::function<void(ScenarioRecord *, int)> createDefaultTables;
    std::function<void(ScenarioRecord *)> updateTableTimes;

    GridCopy grid;
    std::vector<float> depth;
    bool areaBoxShown = false;
    GE_PointObject areaBox[2] = {};

    int textWidthPerChar = 6;
};

State &S();
void LogCall(const std::string &call);
int NextAskAnswer();
// False for a cancelled dialog; else the chosen path.
bool NextFileAnswer(std::string *path);
// printf into a std::string.
std::string FormatV(const char *format, va_list args);
std::string Format(const char *format, ...);
void ResetAttributes();
void ResetEditorState();

} // namespace fakes

#endif
