// The fakes' shared state: the record of what reached the user or the map
// window, the scripted answers, the call log, and the failing allocator.
#include "fake_state.h"

#include <cstdlib>

#include "ge_list.h"

namespace fakes {

State &S()
{
    static State state;
    return state;
}

void Record(const std::string &kind, const std::string &text)
{
    S().entries.push_back(Entry{kind, text});
}

const std::vector<Entry> &Entries() { return S().entries; }

std::string FormatEntry(const Entry &entry)
{
    std::string line = entry.kind + ": ";
    for (char c : entry.text) {
        if (c == '\n')
            line += "\\n";
        else if (c != '\r')
            line += c;
    }
    return line;
}

std::vector<std::string> RecordLines()
{
    std::vector<std::string> lines;
    for (const Entry &e : S().entries)
        lines.push_back(FormatEntry(e));
    return lines;
}

std::vector<std::string> Texts(const std::string &kind)
{
    std::vector<std::string> texts;
    for (const Entry &e : S().entries)
        if (e.kind == kind)
            texts.push_back(e.text);
    return texts;
}

void ClearRecord() { S().entries.clear(); }

void ScriptAsk(int answer) { S().askAnswers.push_back(answer); }
void ScriptFileDialog(const std::string &path) { S().fileAnswers.push_back(path); }

int NextAskAnswer()
{
    auto &q = S().askAnswers;
    if (q.empty())
        return 0;
    const int a = q.front();
    q.pop_front();
    return a;
}

bool NextFileAnswer(std::string *path)
{
    auto &q = S().fileAnswers;
    if (q.empty())
        return false;
    *path = q.front();
    q.pop_front();
    return !path->empty();
}

const std::vector<std::string> &Calls() { return S().calls; }
void ClearCalls() { S().calls.clear(); }
void LogCall(const std::string &call) { S().calls.push_back(call); }

// --- Failing allocator. ---

namespace {

struct AllocCounter {
    int nth = 0;
    int calls = 0;
    bool failed = false;
} g_alloc;

bool FailThisOne()
{
    ++g_alloc.calls;
    if (g_alloc.calls == g_alloc.nth) {
        g_alloc.failed = true;
        return true;
    }
    return false;
}

void *CountingAlloc(size_t size) { return FailThisOne() ? nullptr : std::malloc(size); }
void *CountingRealloc(void *block, size_t size)
{
    return FailThisOne() ? nullptr : std::realloc(block, size);
}
void CountingFree(void *block) { std::free(block); }

} // namespace

FailingAllocator::FailingAllocator(int nth)
{
    g_alloc = AllocCounter{};
    g_alloc.nth = nth;
    const GE_MemFunctions functions = {CountingAlloc, CountingRealloc, CountingFree};
    GE_SetMemFunctions(&functions);
}

FailingAllocator::~FailingAllocator() { GE_SetMemFunctions(nullptr); }
int FailingAllocator::Calls() const { return g_alloc.calls; }
bool FailingAllocator::Failed() const { return g_alloc.failed; }

void Reset()
{
    State &s = S();
    s.entries.clear();
    s.askAnswers.clear();
    s.fileAnswers.clear();
    s.calls.clear();
    s.modelKind = 0;
    s.modelKindSource = nullptr;
    s.projectDirectory.clear();
    s.zoomGridOk = 1;
    s.settlingOk = 1;
    s.createDefaultTables = nullptr;
    s.updateTableTimes = nullptr;
    s.grid = GridCopy{};
    s.depth.clear();
    s.areaBoxShown = false;
    s.areaBox[0] = GE_PointObject{};
    s.areaBox[1] = GE_PointObject{};
    s.textWidthPerChar = 6;
    ResetAttributes();
    ResetEditorState();
    GE_SetMemFunctions(nullptr);
}

} // namespace fakes
