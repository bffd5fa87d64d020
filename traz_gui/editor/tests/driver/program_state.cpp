// Reading the editor's state from the program (program_state.h).
#include "program_state.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "gui_test_protocol.h"

namespace program_state {
namespace {

std::string g_received;
bool g_answered = false;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto *data = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
        if (data && data->dwData == TRAZ_GUI_TEST_STATE_DATA) {
            g_received.assign(static_cast<const char *>(data->lpData), data->cbData);
            g_answered = true;
            return TRUE;
        }
        return FALSE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The message-only window that takes the answers of this thread.
HWND Receiver()
{
    static HWND receiver = nullptr;
    if (!receiver) {
        WNDCLASSA c{};
        c.lpfnWndProc = ReceiverProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "TrazGuiTestStateReceiver";
        RegisterClassA(&c);
        receiver = CreateWindowA(c.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, c.hInstance, nullptr);
    }
    return receiver;
}

std::vector<std::string> Split(const std::string &line)
{
    std::vector<std::string> fields;
    std::string field;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.push_back(field);
            field.clear();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char e = line[++i];
            field += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

int Int(const std::string &text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

bool ReadPoint(const std::vector<std::string> &f, size_t at, Point *p)
{
    if (f.size() < at + 7)
        return false;
    p->kind = Int(f[at]);
    p->index = Int(f[at + 1]);
    p->m = Int(f[at + 2]);
    p->n = Int(f[at + 3]);
    p->x = f[at + 4];
    p->y = f[at + 5];
    p->name = f[at + 6];
    return true;
}

std::string Describe(const Point &p)
{
    return KindName(p.kind) + " " + std::to_string(p.index) + " \"" + p.name + "\" at x " + p.x + ", y " + p.y +
           " in cell (" + std::to_string(p.m) + ", " + std::to_string(p.n) + ")";
}

const int kKinds[] = {7, 10, 11};

}  // namespace

bool Ask(HWND mainWindow, State *state, DWORD timeout)
{
    const HWND receiver = Receiver();
    static const UINT question = RegisterWindowMessageA(TRAZ_GUI_TEST_STATE);
    if (!receiver || !mainWindow)
        return false;
    g_answered = false;
    g_received.clear();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(mainWindow, question, reinterpret_cast<WPARAM>(receiver), 0, SMTO_NORMAL, timeout,
                             &result) ||
        (result & TRAZ_GUI_TEST_ANSWERED) == 0 || !g_answered)
        return false;
    return Parse(g_received, state);
}

bool Parse(const std::string &text, State *state)
{
    *state = State();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = Split(line);
        const std::string &what = f[0];
        if (what == "break" && f.size() >= 7) {
            state->breaks.push_back({f[1], f[2] == "always", Int(f[3]), Int(f[4]), Int(f[5]), f[6]});
        } else if (what == "validity" && f.size() >= 7) {
            for (int i = 0; i < 6; ++i)
                state->validity[i] = Int(f[static_cast<size_t>(i) + 1]);
        } else if (what == "location") {
            Point p;
            if (!ReadPoint(f, 1, &p))
                return false;
            state->locations.push_back(p);
        } else if (what == "map" && f.size() >= 3) {
            MapWindow w;
            w.number = Int(f[1]);
            std::istringstream kinds(f[2]);
            for (std::string k; std::getline(kinds, k, ',');)
                w.shown.push_back(Int(k));
            state->maps.push_back(w);
        } else if (what == "object" && f.size() >= 2) {
            Point p;
            if (!ReadPoint(f, 2, &p) || state->maps.empty() || state->maps.back().number != Int(f[1]))
                return false;
            state->maps.back().objects.push_back(p);
        } else if (what == "legend" && f.size() >= 2) {
            state->legendOpen = f[1] == "open";
        } else if (what == "legend-row" && f.size() >= 2) {
            state->legendRows.push_back(f[1]);
        } else {
            return false;
        }
    }
    return true;
}

std::string KindName(int kind)
{
    switch (kind) {
    case 7: return "observation point";
    case 10: return "instantaneous release";
    case 11: return "continuous release";
    default: return "kind " + std::to_string(kind);
    }
}

int KindOf(const std::string &word)
{
    if (word == "7" || word == "observation") return 7;
    if (word == "10" || word == "instantaneous") return 10;
    if (word == "11" || word == "continuous") return 11;
    return -1;
}

std::vector<std::string> MapFaults(const State &state)
{
    std::vector<std::string> faults;
    for (const MapWindow &w : state.maps)
        for (int kind : kKinds) {
            std::vector<Point> held, edited;
            for (const Point &p : w.objects)
                if (p.kind == kind)
                    held.push_back(p);
            for (const Point &p : state.locations)
                if (p.kind == kind)
                    edited.push_back(p);
            const std::string where = "map window " + std::to_string(w.number) + ": ";
            for (size_t i = 0; i < std::max(held.size(), edited.size()); ++i) {
                if (i >= held.size()) {
                    faults.push_back(where + "no " + KindName(kind) + " " + std::to_string(i) + "; the editor has " +
                                     Describe(edited[i]));
                    break;
                }
                if (i >= edited.size()) {
                    faults.push_back(where + "holds " + Describe(held[i]) + ", which the editor does not have");
                    break;
                }
                const Point &a = held[i], &b = edited[i];
                if (a.m != b.m || a.n != b.n || a.x != b.x || a.y != b.y || a.name != b.name) {
                    faults.push_back(where + "holds " + Describe(a) + "; the editor has " + Describe(b));
                    break;
                }
            }
        }
    return faults;
}

std::vector<std::string> LegendFaults(const State &state)
{
    if (!state.legendOpen)
        return {};
    // The kinds that have objects: the map windows' (all hold the same
    // sets), or the editor's without a map window.
    const std::vector<Point> &objects = state.maps.empty() ? state.locations : state.maps.front().objects;
    std::vector<std::string> expected;
    for (int kind : kKinds)
        if (std::any_of(objects.begin(), objects.end(), [&](const Point &p) { return p.kind == kind; }))
            expected.push_back(KindName(kind));
    if (expected == state.legendRows)
        return {};
    auto joined = [](const std::vector<std::string> &rows) {
        std::string s;
        for (const std::string &r : rows)
            s += (s.empty() ? "" : ", ") + r;
        return "(" + s + ")";
    };
    return {"the legend lists " + joined(state.legendRows) + ", the kinds with objects are " + joined(expected)};
}

std::vector<const Break *> StandingBreaks(const State &state)
{
    std::vector<const Break *> standing;
    for (const Break &b : state.breaks) {
        if (!b.always)
            continue;
        const bool history = b.rule.rfind("history.", 0) == 0, map = b.rule.rfind("map.", 0) == 0;
        const int *flags = state.validity + (map ? 3 : 0);
        if ((history || map) && !(flags[0] && flags[1] && flags[2]))
            continue;
        standing.push_back(&b);
    }
    return standing;
}

}  // namespace program_state
