// Recording fakes of the services the scenario model calls: the toolkit's
// front layer (message boxes, file system on the real file system, windows
// without a screen), the editor windows and the map window.  Every call that
// reaches the user or the map window is recorded in order as one entry of a
// kind ("error", "note", "message", "ask", "status", "map") and a complete
// text; ask boxes and file dialogs answer from scripts.
#ifndef TRAZ_MODEL_FAKES_H
#define TRAZ_MODEL_FAKES_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ruv_types.h"
#include "visarea.h"

struct ScenarioRecord;

namespace fakes {

// --- The record of what reached the user or the map window. ---
struct Entry {
    std::string kind;
    std::string text;
};
void Record(const std::string &kind, const std::string &text);
const std::vector<Entry> &Entries();
// "<kind>: <text>", line ends inside the text written as "\n".
std::string FormatEntry(const Entry &entry);
std::vector<std::string> RecordLines();
// The texts of the entries of one kind, in order.
std::vector<std::string> Texts(const std::string &kind);
void ClearRecord();

// --- Scripts. ---
// The answers of the next ask boxes, in order; an unscripted box answers 0
// (its first button).
void ScriptAsk(int answer);
// The answers of the next file dialogs: a path chooses that file, "" cancels;
// an unscripted dialog is cancelled.
void ScriptFileDialog(const std::string &path);

// --- Calls of the editor and toolkit that show nothing ("UpdateMainTitle",
// "ruv_menu_set_item_enabled 1002 1", ...), in order. ---
const std::vector<std::string> &Calls();
void ClearCalls();

// --- Editor behaviour. ---
// Model kind that decides the units (default 0 unless a source is set).
void SetModelKind(int kind);
void SetModelKindSource(std::function<int()> source);
// Project directory of MakeProjectRelativePath ("" = paths stay unchanged).
void SetProjectDirectory(const std::string &directory);
// Results of CheckZoomGrid and CheckSettlingTables (default 1).
void SetCheckResults(int zoomGrid, int settlingTables);
// What CreateDefaultTables and UpdateTableTimes do besides being logged.
void SetCreateDefaultTablesHook(std::function<void(ScenarioRecord *, int)> hook);
void SetUpdateTableTimesHook(std::function<void(ScenarioRecord *)> hook);

// --- Map window: copies of what it was handed. ---
struct GridCopy {
    bool set = false;
    int32_t mmax = 0;
    int32_t nmax = 0;
    std::string enclosure;
    std::vector<float> x, y;
    std::vector<int32_t> cellStatus;
    int32_t coordinateSystem = 0;
    float missingValue = 0.0f;
};
const GridCopy &LastGrid();
const std::vector<float> &LastDepth();
bool AreaBoxShown();
const GE_PointObject *AreaBox();  // the two corners last set

// --- Windows without a screen. ---
RUV_WIN TaskWindow();
// A top-level test window of the given rectangle (parent: the task window).
RUV_WIN CreateTestWindow(const RUV_RECT &rect);
// The window's rectangle in its parent's coordinates.
RUV_RECT WindowRect(RUV_WIN window);
std::string WindowTitle(RUV_WIN window);
void SetWindowTitle(RUV_WIN window, const std::string &title);
// Windows and controls created and not yet destroyed (the task window and
// test windows included).
int LiveWindowCount();
// Text width: pixels per character (default 6).
void SetTextWidthPerChar(int pixels);
// Application-wide attributes (screen 1024 x 768, frame 4, menu 20 by default).
void SetAttribute(int32_t key, intptr_t value);

// --- Allocation failures (GE_Alloc / GE_ReAlloc). ---
// While alive, the nth allocation from now fails (1 = the next one, 0 =
// none: only count); the runtime's functions serve every other call.
class FailingAllocator {
public:
    explicit FailingAllocator(int nth);
    ~FailingAllocator();
    FailingAllocator(const FailingAllocator &) = delete;
    FailingAllocator &operator=(const FailingAllocator &) = delete;
    int Calls() const;     // allocations seen
    bool Failed() const;   // the nth one was reached
};

// Everything back to its start: record, scripts, calls, editor state and
// behaviour, map copies, attributes, allocator.
void Reset();

} // namespace fakes

#endif
