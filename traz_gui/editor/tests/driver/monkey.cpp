// The GUI monkey (monkey.h): one program, a seed and a number of actions.
// Each action is one thing a user can do at that moment: answer the box or
// file dialog that is up, or, with none up, pick one of the program's
// visible, enabled windows and click one of its reachable controls, type
// into a field, press a key, choose an enabled item of its menu bar, press
// its close box, or click and drag on the map.  After each action the
// program must still run and answer, show no toolkit error box and have
// changed nothing outside its work folder; and, while no box is up, its
// scenario must keep every rule that holds at every moment (the scenario
// check), each map window must hold exactly the editor's locations and
// an open legend must list exactly the kinds that have objects.  At the end the scenario is
// saved under a new name, opened, and saved under a second name: both
// saves must give the same files and both opens no box.
#include "monkey.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <utility>

#include "gui_test_protocol.h"
#include "program_state.h"
#include "scenario_script.h"
#include "window_answers.h"

namespace fs = std::filesystem;

namespace monkey {
namespace {

using window_answers::CanReach;
using window_answers::ClassOf;
using window_answers::TextOf;

// splitmix64: the same numbers for the same seed on every machine.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(size_t n) { return n == 0 ? 0 : static_cast<int>(Next() % n); }
    bool Percent(int p) { return Below(100) < p; }
    template <class T>
    const T &Pick(const std::vector<T> &v) { return v[static_cast<size_t>(Below(v.size()))]; }

private:
    uint64_t state_;
};

struct Fault {
    std::string why;
};

struct MenuItem {
    long tag;
    std::string name;      // the item's name in the window description
    std::string caption;
};

// Menu items a monkey does not choose, and why.
const std::map<std::string, const char *> kAvoidedItems = {
    // Printing wants the print server, which the monkey's runs do not start.
    {"VA_CMD_PAGE_SETUP", "print server"},
    {"VA_CMD_PRINTER_SETUP", "print server"},
    {"VA_CMD_PRINT", "print server"},
};

// Texts typed into fields, a key at a time.
const std::vector<std::string> kTexts = {
    "0", "1", "2", "5", "10", "42", "100", "250", "1000", "86400", "99999", "1234567",
    "-1", "-0.5", "+3", "0.5", ".5", "5.", "3.14159", "0.001", "1e5", "1e-3", "1.5e+300", "-1e-300",
    "abc", "x", "12a", "1,5", "1..2", "--1", " ", "1 2",
    "01 06 2026 12 00 50", "01 06 2026 00 00 00", "31 12 2025 23 59 59", "02 06 2026 06 30 00",
    "01 06 2026 12 00 00", "01 06 2026 02 30 00",
    "32 13 2026 25 61 61", "01 01 1900 00 00 00", "00 00 0000 00 00 00", "29 02 2025 12 00 00",
    "01 06 2026", "12 00 00", "2026", "Estuary", "spill A", "obs 1", "dye",
    "Jack's pier", "'", "''", "\"quoted\"", "a'b\"c",
};

const char kLetters[] = "0123456789.-+eE abcxyzXYZ,;:/()_'\"";

class Monkey {
public:
    explicit Monkey(Options o) : o_(std::move(o)), random_(o_.seed) {}

    ~Monkey() { EndProgram(); }

    int Run()
    {
        run_ = fs::absolute(fs::path(o_.work) / "run");
        try {
            Prepare();
        } catch (const Fault &f) {
            std::printf("monkey: %s\n", f.why.c_str());
            return 2;
        }
        const auto began = std::chrono::steady_clock::now();
        try {
            Start();
            OpenExample();
            for (action_ = 1; action_ <= o_.actions; ++action_) {
                Act();
                Check();
            }
            action_ = o_.actions + 1;
            RoundTrip();
        } catch (const Fault &f) {
            Report(f.why);
            return 1;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        std::printf("monkey passed: seed %llu, %ld actions, %.1f s (%.1f s per 1000 actions), %d restarts\n",
                    static_cast<unsigned long long>(o_.seed), o_.actions, seconds,
                    o_.actions > 0 ? seconds * 1000.0 / static_cast<double>(o_.actions) : 0.0, restarts_);
        return 0;
    }

private:
    // ------------------------------------------------------------ set-up

    void Prepare()
    {
        std::error_code ec;
        fs::create_directories(o_.work, ec);
        fs::remove_all(run_, ec);
        fs::remove(fs::path(o_.work) / "failure.bmp", ec);
        fs::create_directories(run_, ec);
        const fs::path from = fs::path(o_.source) / o_.fixture;
        for (const auto &e : fs::directory_iterator(from, ec))
            if (!ec && !fs::copy_file(e.path(), run_ / e.path().filename(), ec))
                break;
        if (ec)
            throw Fault{"cannot copy the fixture " + from.string() + ": " + ec.message()};
        ReadMenus();
        watched_ = {{fs::absolute(o_.work), true}, {fs::absolute(from), true},
                    {fs::absolute(fs::path(o_.program)).parent_path(), false}};
        for (const std::string &w : o_.watch)
            watched_.push_back({fs::absolute(w), true});
        for (const std::string &w : o_.watchFiles)
            watched_.push_back({fs::absolute(w), false});
        before_ = Snapshot();
    }

    // Every item of the program's menus, from the window descriptions.
    void ReadMenus()
    {
        const std::regex item(R"(^\s*item\s+(\w+)\s*=\s*(\d+)\s*"([^"]*)\")");
        for (const char *dir : {"traz_gui/editor/resources", "traz_gui/visarea/resources"}) {
            std::error_code ec;
            for (const auto &entry : fs::directory_iterator(fs::path(o_.source) / dir, ec)) {
                if (entry.path().extension() != ".ruv")
                    continue;
                std::ifstream in(entry.path());
                std::string line;
                std::smatch m;
                while (std::getline(in, line))
                    if (std::regex_search(line, m, item) && !kAvoidedItems.count(m[1]))
                        items_.push_back({std::stol(m[2]), m[1], m[3]});
            }
        }
        if (items_.empty())
            throw Fault{"no menu items found in the window descriptions under " + o_.source};
    }

    void Start()
    {
        std::string line = "\"" + o_.program + "\"";
        for (const std::string &a : o_.start)
            line += " " + a;
        SetEnvironmentVariableA(TRAZ_GUI_TEST_VARIABLE, "1");
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        const std::string dir = run_.string();
        // Wine on a busy machine now and then fails to start a process
        // (error 1359); a user would start it again.
        bool started = false;
        DWORD error = 0;
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            if (attempt > 0)
                Sleep(1000);
            started = CreateProcessA(o_.program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                                     &si, &pi) != FALSE;
            if (!started)
                error = GetLastError();
        }
        if (!started)
            throw Fault{"cannot start " + o_.program + " (error " + std::to_string(error) + ")"};
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        CloseHandle(pi.hThread);
        WaitForInputIdle(process_, 10000);
        if (!Poll(20000, [&] { return !Windows().empty() || !window_answers::Dialogs(pid_).empty(); }))
            throw Fault{"the program showed no window"};
    }

    // The first thing a user does in the program started without a
    // scenario: File Open of the example's input file.
    void OpenExample()
    {
        const Asked asked = FileCommand(1003, "Open", "trazest.inp");
        if (!asked.after.empty())
            throw Fault{"Open of the example gives boxes:" + Joined(asked.after)};
    }

    void EndProgram() { window_answers::EndProcess(&process_); }

    // ------------------------------------------------------------ windows

    static bool Poll(DWORD ms, const std::function<bool()> &probe)
    {
        const DWORD start = GetTickCount();
        for (;;) {
            if (probe())
                return true;
            if (GetTickCount() - start > ms)
                return false;
            Sleep(20);
        }
    }

    // The visible, enabled top-level windows of the program that are not
    // dialogs (those are answered first).
    std::vector<HWND> Windows() const
    {
        std::vector<HWND> found;
        for (HWND h : window_answers::TopLevels(pid_)) {
            if (!IsWindowVisible(h) || !IsWindowEnabled(h))
                continue;
            const std::string cls = ClassOf(h);
            if (cls == "#32770" || cls == "#32768" || cls == "ComboLBox" || cls == "tooltips_class32")
                continue;
            found.push_back(h);
        }
        return found;
    }

    // The controls of a window a user can click or type into: reachable
    // windows without children of their own, not labels or frames.  The
    // walk leaves out hidden and disabled windows with all they hold.
    static std::vector<HWND> Controls(HWND top)
    {
        std::vector<HWND> found;
        if (CanReach(top))
            AddControls(top, &found);
        return found;
    }

    static void AddControls(HWND parent, std::vector<HWND> *found)
    {
        for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            const LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
            if (!(style & WS_VISIBLE) || (style & WS_DISABLED))
                continue;
            if (GetWindow(h, GW_CHILD)) {
                AddControls(h, found);
                continue;
            }
            const std::string cls = ClassOf(h);
            if (cls == "Static")
                continue;
            if (cls == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX)
                continue;
            RECT r{};
            GetClientRect(h, &r);
            if (r.right <= 0 || r.bottom <= 0)
                continue;
            found->push_back(h);
        }
    }

    static bool IsMap(HWND top) { return TextOf(top) == "Visualisation Area"; }

    bool IsMain(HWND top) const { return TextOf(top).rfind("Particle tracking", 0) == 0; }

    static std::string Cut(const std::string &text, size_t most = 24)
    {
        return text.size() <= most ? text : text.substr(0, most) + "...";
    }

    // "TITLE" / the ids from the window down / class "text".
    static std::string Describe(HWND h)
    {
        const HWND top = GetAncestor(h, GA_ROOT);
        if (h == top)
            return scn::Quote(Cut(TextOf(h), 40));
        std::string path;
        for (HWND w = h; w && w != top; w = GetParent(w))
            path = "/" + std::to_string(GetDlgCtrlID(w)) + path;
        return scn::Quote(Cut(TextOf(top), 40)) + path + " " + ClassOf(h) + " " + scn::Quote(Cut(TextOf(h)));
    }

    // ------------------------------------------------------------ input

    // Lets the program take a sent message; a timeout means it is busy or
    // shows a box, which a later action answers.
    static void Send(HWND h, UINT message, WPARAM w, LPARAM l, UINT ms = 150)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(h, message, w, l, SMTO_NORMAL, ms, &result);
    }

    static void Foreground(HWND h)
    {
        const HWND root = GetAncestor(h, GA_ROOT);
        for (int attempt = 0; attempt < 20 && GetForegroundWindow() != root; ++attempt) {
            SetForegroundWindow(root);
            Sleep(10);
        }
    }

    static void Keys(const std::vector<std::pair<WORD, bool>> &strokes)
    {
        std::vector<INPUT> inputs;
        for (const auto &s : strokes) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = s.first;
            in.ki.dwFlags = s.second ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(in);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    static void Key(WORD vk, bool shift = false)
    {
        std::vector<std::pair<WORD, bool>> s;
        if (shift)
            s.push_back({VK_SHIFT, false});
        s.push_back({vk, false});
        s.push_back({vk, true});
        if (shift)
            s.push_back({VK_SHIFT, true});
        Keys(s);
    }

    static void MouseAt(HWND h, int x, int y, bool right = false)
    {
        const LPARAM at = MAKELPARAM(x, y);
        Send(h, WM_MOUSEMOVE, 0, at);
        Send(h, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
        Send(h, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    }

    std::vector<const MenuItem *> EnabledItems(HWND window) const
    {
        std::vector<const MenuItem *> found;
        for (const MenuItem &m : items_) {
            const long state = window_answers::MenuState(window, m.tag);
            if (state >= 0 && !(state & (MF_GRAYED | MF_DISABLED)))
                found.push_back(&m);
        }
        return found;
    }

    // A cell of a table control (the table window 4000 holds its cells).
    static bool InTable(HWND edit) { return GetDlgCtrlID(GetParent(edit)) == 4000; }

    std::string RandomText()
    {
        const int kind = random_.Below(10);
        if (kind < 7)
            return random_.Pick(kTexts);
        std::string text;
        const int length = kind < 9 ? 1 + random_.Below(12) : 40 + random_.Below(260);
        const char repeated = kLetters[random_.Below(sizeof kLetters - 1)];
        for (int i = 0; i < length; ++i)
            text.push_back(kind < 9 ? kLetters[random_.Below(sizeof kLetters - 1)] : repeated);
        return text;
    }

    // ------------------------------------------------------------ actions

    void Log(const std::string &what)
    {
        const std::string line = "#" + std::to_string(action_) + " " + what;
        recent_.push_back(line);
        if (recent_.size() > 20)
            recent_.pop_front();
        if (o_.trace) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        }
    }

    void Act()
    {
        const bool boxWasUp = boxUp_;
        boxUp_ = false;
        // An action after which no box came up left no refusal behind.
        if (!boxWasUp && !boxAnswered_)
            refused_ = false;
        boxAnswered_ = boxWasUp;
        std::vector<HWND> dialogs;
        for (HWND d : window_answers::Dialogs(pid_))
            if (IsWindowEnabled(d))
                dialogs.push_back(d);
        if (!dialogs.empty()) {
            boxUp_ = true;
            return AnswerDialog(random_.Pick(dialogs));
        }
        for (HWND h : window_answers::TopLevels(pid_))
            if (IsWindowVisible(h) && ClassOf(h) == "ComboLBox") {
                const bool choose = random_.Percent(50);
                Log(std::string("dropped list: key ") + (choose ? "enter" : "escape"));
                Key(choose ? VK_RETURN : VK_ESCAPE);
                return Settle();
            }
        const std::vector<HWND> windows = Windows();
        if (windows.empty()) {
            Log("no window to act on: wait");
            return Settle();
        }
        // The main window gets about half of the actions.
        HWND main = nullptr;
        std::vector<HWND> others;
        for (HWND h : windows) {
            if (!main && IsMain(h))
                main = h;
            else
                others.push_back(h);
        }
        if (main && !refused_)
            NoteAccepted(main);
        HWND target = main;
        if (!target || (!others.empty() && random_.Percent(50)))
            target = random_.Pick(others);
        ActOn(target);
    }

    void ActOn(HWND top)
    {
        // A user answers a refusal by typing the field again, mostly what
        // it held before.
        const HWND focus = Focused(top);
        if (focus && ClassOf(focus) == "Edit" && CanReach(focus)) {
            if (refused_ && boxAnswered_ && random_.Percent(70))
                return Restore(focus);
            if (random_.Percent(boxAnswered_ ? 60 : 5))
                return Type(focus, boxAnswered_);
        }
        const bool map = IsMap(top);
        const int roll = random_.Below(100);
        if (map && roll < 40)
            return MapMouse(top);
        if (roll < (map ? 70 : 22))
            return Menu(top);
        if (roll < (map ? 74 : 25))
            return Close(top);
        if (roll < (map ? 80 : 35))
            return PressKey(top);
        const std::vector<HWND> controls = Controls(top);
        if (controls.empty())
            return PressKey(top);
        const HWND c = random_.Pick(controls);
        if (ClassOf(c) == "Edit" && random_.Percent(70))
            return Type(c);
        Click(c);
    }

    void Click(HWND c)
    {
        const std::string cls = ClassOf(c);
        RECT r{};
        GetClientRect(c, &r);
        int x = r.right / 2, y = r.bottom / 2;
        std::string what = "click " + Describe(c);
        if (cls == "ListBox") {
            DWORD_PTR count = 0, top = 0, height = 0;
            SendMessageTimeoutA(c, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 1000, &count);
            if (count > 0 && count != static_cast<DWORD_PTR>(LB_ERR)) {
                const int item = random_.Below(count);
                SendMessageTimeoutA(c, LB_SETTOPINDEX, static_cast<WPARAM>(item), 0, SMTO_NORMAL, 1000, &top);
                SendMessageTimeoutA(c, LB_GETTOPINDEX, 0, 0, SMTO_NORMAL, 1000, &top);
                SendMessageTimeoutA(c, LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, 1000, &height);
                x = 4;
                y = static_cast<int>((static_cast<DWORD_PTR>(item) - top) * height + height / 2);
                what += " item " + std::to_string(item);
            }
        } else if (cls != "Button") {
            x = random_.Below(static_cast<size_t>(std::max<LONG>(r.right, 1)));
            y = random_.Below(static_cast<size_t>(std::max<LONG>(r.bottom, 1)));
            what += " at " + std::to_string(x) + "," + std::to_string(y);
        }
        Log(what);
        Foreground(c);
        MouseAt(c, x, y);
        Settle();
    }

    // Keys go through the input queue, after messages sent meanwhile:
    // waits until the field shows the keys' selection, all its text or
    // the caret at its end.
    static void AwaitSelection(HWND edit, bool all)
    {
        Poll(300, [&] {
            DWORD_PTR length = 0, selection = 0;
            SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 200, &length);
            SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, 200, &selection);
            return HIWORD(selection) == length && (!all || LOWORD(selection) == 0);
        });
    }

    // The control with the keyboard focus in the program's thread.
    static HWND Focused(HWND top)
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) ? info.hwndFocus : nullptr;
    }

    // Types back what a field held before the monkey first typed into it
    // while nothing was refused, and leaves it by Tab.
    void Restore(HWND edit)
    {
        const auto was = accepted_.find(edit);
        const std::string text = was != accepted_.end() ? was->second : "0";
        Log("restore " + Describe(edit) + " " + scn::Quote(text) + " tab");
        Foreground(edit);
        MouseAt(edit, 2, 2);
        Key(VK_HOME);
        Key(VK_END, true);
        AwaitSelection(edit, true);
        for (size_t typed = 0; typed < text.size() && CanReach(edit); ++typed)
            Send(edit, WM_CHAR, static_cast<unsigned char>(text[typed]), 1);
        Key(VK_TAB);
        Sleep(40);
        Settle();
    }

    // With nothing refused, the texts of the main window's fields that
    // were left (every field but the focused one): what a refused field
    // gets back.
    void NoteAccepted(HWND main)
    {
        const HWND focus = Focused(main);
        for (HWND h : Controls(main))
            if (h != focus && ClassOf(h) == "Edit")
                accepted_[h] = TextOf(h);
    }

    void Type(HWND edit, bool replace = false)
    {
        const std::string text = RandomText();
        std::string what = "type " + Describe(edit);
        Foreground(edit);
        MouseAt(edit, 2, 2);
        const int how = replace || InTable(edit) ? 0 : random_.Below(3);
        if (how == 0) {
            what += " (all replaced)";
            Key(VK_HOME);
            Key(VK_END, true);
            AwaitSelection(edit, true);
        } else if (how == 1) {
            what += " (at the end)";
            Key(VK_END);
            AwaitSelection(edit, false);
        }
        what += " " + scn::Quote(text);
        // The click may have made another field show a box: the keys then
        // go nowhere, as a user's would.
        size_t typed = 0;
        while (typed < text.size() && CanReach(edit))
            Send(edit, WM_CHAR, static_cast<unsigned char>(text[typed++]), 1);
        if (typed < text.size())
            what += " (a box came up after " + std::to_string(typed) + " keys)";
        const int after = random_.Below(4);
        static const char *const kAfter[] = {"", " tab", " enter", " shift+tab"};
        what += kAfter[after];
        Log(what);
        if (after == 1) Key(VK_TAB);
        if (after == 2) Key(VK_RETURN);
        if (after == 3) Key(VK_TAB, true);
        if (after)
            Sleep(40);
        Settle();
    }

    void PressKey(HWND top)
    {
        static const struct {
            const char *name;
            WORD vk;
            bool shift;
        } kKeys[] = {
            {"tab", VK_TAB, false},       {"shift+tab", VK_TAB, true}, {"enter", VK_RETURN, false},
            {"escape", VK_ESCAPE, false}, {"backspace", VK_BACK, false}, {"delete", VK_DELETE, false},
            {"up", VK_UP, false},         {"down", VK_DOWN, false},    {"left", VK_LEFT, false},
            {"right", VK_RIGHT, false},   {"home", VK_HOME, false},    {"end", VK_END, false},
            {"space", VK_SPACE, false},   {"f1", VK_F1, false},
        };
        const auto &k = kKeys[random_.Below(sizeof kKeys / sizeof kKeys[0])];
        Log(std::string("key ") + k.name + " in " + Describe(top));
        Foreground(top);
        Key(k.vk, k.shift);
        Sleep(40);
        Settle();
    }

    void Menu(HWND top)
    {
        const std::vector<const MenuItem *> items = EnabledItems(top);
        if (items.empty())
            return PressKey(top);
        // The file commands come up more often than their share.
        std::vector<const MenuItem *> file;
        for (const MenuItem *m : items)
            if (m->tag >= 1002 && m->tag <= 1005)
                file.push_back(m);
        const MenuItem *m = !file.empty() && random_.Percent(30) ? random_.Pick(file) : random_.Pick(items);
        // Leaving the program costs a new start: less often than its share.
        if (m->name == "CMD_EXIT" && random_.Percent(70))
            m = random_.Pick(items);
        Log("menu " + std::to_string(m->tag) + " " + scn::Quote(m->caption) + " in " + Describe(top));
        if (IsMain(top) && m->name == "CMD_EXIT")
            AskExit();
        Foreground(top);
        PostMessageA(top, WM_COMMAND, static_cast<WPARAM>(m->tag), 0);
        Settle();
    }

    void AskExit()
    {
        exitAsked_ = true;
        stayedAfterExit_ = 0;
    }

    void Close(HWND top)
    {
        Log("close box of " + Describe(top));
        if (IsMain(top))
            AskExit();
        PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        Settle();
    }

    // Clicks, right clicks and drags on the map, clear of its lines.
    void MapMouse(HWND top)
    {
        RECT client{};
        GetClientRect(top, &client);
        std::vector<RECT> children;
        for (HWND c = GetWindow(top, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c))
                continue;
            RECT r{};
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, top, reinterpret_cast<POINT *>(&r), 2);
            children.push_back(r);
        }
        auto point = [&] {
            POINT p{0, 0};
            for (int attempt = 0; attempt < 20; ++attempt) {
                p = {random_.Below(static_cast<size_t>(std::max<LONG>(client.right, 1))),
                     random_.Below(static_cast<size_t>(std::max<LONG>(client.bottom, 1)))};
                if (std::none_of(children.begin(), children.end(), [&](const RECT &r) { return PtInRect(&r, p); }))
                    break;
            }
            return p;
        };
        const POINT a = point();
        const int kind = random_.Below(10);
        Foreground(top);
        if (kind < 5) {
            Log("map click at " + std::to_string(a.x) + "," + std::to_string(a.y));
            MouseAt(top, a.x, a.y);
        } else if (kind < 6) {
            Log("map right click at " + std::to_string(a.x) + "," + std::to_string(a.y));
            MouseAt(top, a.x, a.y, true);
        } else if (kind < 7) {
            Log("map move to " + std::to_string(a.x) + "," + std::to_string(a.y));
            Send(top, WM_MOUSEMOVE, 0, MAKELPARAM(a.x, a.y));
        } else {
            const POINT b = point();
            Log("map drag " + std::to_string(a.x) + "," + std::to_string(a.y) + " to " + std::to_string(b.x) + "," +
                std::to_string(b.y));
            Send(top, WM_MOUSEMOVE, 0, MAKELPARAM(a.x, a.y));
            Send(top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
            Send(top, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((a.x + b.x) / 2, (a.y + b.y) / 2));
            Send(top, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.x, b.y));
            Send(top, WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
        }
        Settle();
    }

    // ------------------------------------------------------------ dialogs

    static bool IsFileDialog(HWND d) { return GetDlgItem(d, 0x47c) || GetDlgItem(d, 0x480); }

    static std::vector<HWND> PushButtons(HWND d)
    {
        std::vector<HWND> found;
        for (HWND h : window_answers::Descendants(d)) {
            if (ClassOf(h) != "Button" || !IsWindowVisible(h) || !IsWindowEnabled(h))
                continue;
            const LONG_PTR type = GetWindowLongPtrA(h, GWL_STYLE) & BS_TYPEMASK;
            if ((type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !TextOf(h).empty())
                found.push_back(h);
        }
        return found;
    }

    void AnswerDialog(HWND d)
    {
        if (IsFileDialog(d))
            return AnswerFileDialog(d);
        const std::string text = window_answers::BoxText(d);
        const std::vector<HWND> buttons = PushButtons(d);
        // A dialog that is not a box (an about box, a colour chooser) is a
        // window like others, now and then left by one of its buttons.
        if (!text.empty() && buttons.size() == 1)
            refused_ = true;
        if (!buttons.empty() && (!text.empty() || random_.Percent(40))) {
            const std::string caption = window_answers::WithoutMnemonic(TextOf(random_.Pick(buttons)));
            Log("box " + scn::Quote(Cut(text.empty() ? TextOf(d) : text, 60)) + " " + caption);
            window_answers::PressButton(d, caption);
            return AwaitGone(d);
        }
        const std::vector<HWND> controls = Controls(d);
        if (controls.empty()) {
            Log("key escape in " + Describe(d));
            Foreground(d);
            Key(VK_ESCAPE);
            return Settle();
        }
        const HWND c = random_.Pick(controls);
        if (ClassOf(c) == "Edit")
            return Type(c);
        Click(c);
    }

    std::vector<std::string> FilesInRun(const std::vector<std::string> &extensions) const
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto &e : fs::directory_iterator(run_, ec)) {
            if (!e.is_regular_file(ec))
                continue;
            const std::string ext = e.path().extension().string();
            if (extensions.empty() || std::find(extensions.begin(), extensions.end(), ext) != extensions.end())
                names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    void AnswerFileDialog(HWND d)
    {
        const std::string title = TextOf(d);
        const bool save = title.find("Save") != std::string::npos;
        const bool scenario = save || title.find("Open") != std::string::npos ||
                              title.find("open") != std::string::npos;
        const int roll = random_.Below(100);
        std::string name;
        if (roll < 25) {
            Log("file dialog " + scn::Quote(title) + " cancelled");
            window_answers::CancelFileDialog(d);
            return AwaitGone(d);
        }
        std::vector<std::string> existing =
            FilesInRun(scenario ? std::vector<std::string>{".mdp", ".inp"} : std::vector<std::string>{});
        if (roll < 60 && !existing.empty()) {
            name = random_.Pick(existing);
        } else if (roll < 90) {
            name = "m" + std::to_string(action_) + (random_.Percent(80) ? ".mdp" : ".inp");
        } else {
            static const std::vector<std::string> kInvalid = {"", "no_such_folder\\x.mdp", "bad?name.mdp",
                                                             "bad*name", "x.", "con.mdp"};
            name = random_.Pick(kInvalid);
        }
        Log("file dialog " + scn::Quote(title) + " " + scn::Quote(name));
        window_answers::ChooseFileName(d, name);
        AwaitGone(d);
    }

    // Waits until an answered dialog is gone, or asks a question of its
    // own, and the program has done what the answer set off.
    void AwaitGone(HWND d) const
    {
        // A dialog that stays (a file name it does not take) is answered
        // again by a later action.
        Poll(1000, [&] {
            return !IsWindow(d) || !IsWindowVisible(d) || window_answers::DialogQuestionUp(pid_, d);
        });
        Settle();
    }

    // Waits until the program has taken what was sent before (a sent
    // message waits for the work in hand, a box answers it at once).
    void Ping() const
    {
        std::vector<HWND> tops = window_answers::TopLevels(pid_);
        std::stable_partition(tops.begin(), tops.end(), [](HWND h) { return ClassOf(h) != "#32770"; });
        if (!tops.empty())
            Send(tops.front(), WM_NULL, 0, 0, 20000);
    }

    // Waits a little for what the action set off: the program takes its
    // input, and a box it shows is up before the checks look.
    void Settle() const
    {
        Sleep(20);
        for (HWND h : window_answers::TopLevels(pid_)) {
            Send(h, WM_NULL, 0, 0, 300);
            break;
        }
    }

    // ------------------------------------------------------------ checks

    void Check()
    {
        // A window may go between the listing and the question: the
        // program answers when one of its windows does.
        bool answers = false;
        std::vector<HWND> tops = window_answers::TopLevels(pid_);
        // A box going away answers late: the other windows are asked first.
        std::stable_partition(tops.begin(), tops.end(), [](HWND h) { return ClassOf(h) != "#32770"; });
        for (HWND h : tops) {
            DWORD_PTR result = 0;
            SetLastError(0);
            if (SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result)) {
                answers = true;
                break;
            }
            if (GetLastError() == ERROR_TIMEOUT)
                break;
        }
        if (!answers && WaitForSingleObject(process_, exitAsked_ ? 10000 : 1000) != WAIT_OBJECT_0)
            throw Fault{"the program does not answer"};
        if (WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process_, &code);
            CloseHandle(process_);
            process_ = nullptr;
            if (!exitAsked_ || code != 0)
                throw Fault{"the program ended with exit code " + std::to_string(code)};
            // A user who left the program starts it again.
            exitAsked_ = false;
            ++restarts_;
            Log("the program ended: start it again");
            Start();
            OpenExample();
        }
        bool boxUp = false;
        for (HWND d : window_answers::Dialogs(pid_)) {
            boxUp = true;
            const std::string text = window_answers::BoxText(d);
            if (text.rfind("ERROR:", 0) == 0)
                throw Fault{"an error box: " + scn::Quote(text)};
        }
        // A user who chose to leave and answered every question: the
        // program ends in a moment, or stays when Cancel kept it.  It may
        // still end during the next actions; after a few checks that saw
        // it stay, it stays.
        if (!boxUp && exitAsked_) {
            Poll(300, [&] {
                return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0 || !window_answers::Dialogs(pid_).empty();
            });
            if (WaitForSingleObject(process_, 0) == WAIT_OBJECT_0)
                return Check();
            if (window_answers::Dialogs(pid_).empty() && ++stayedAfterExit_ >= 4)
                exitAsked_ = false;
        }
        std::map<std::string, std::string> now = Snapshot();
        if (now != before_) {
            std::string what;
            for (const auto &f : now) {
                auto b = before_.find(f.first);
                if (b == before_.end())
                    what += " written: " + f.first;
                else if (b->second != f.second)
                    what += " changed: " + f.first;
            }
            for (const auto &f : before_)
                if (!now.count(f.first))
                    what += " removed: " + f.first;
            throw Fault{"a file outside the work folder was touched:" + what};
        }
        if (!boxUp)
            CheckState();
    }

    // The scenario, the map windows and the legend as the program tells
    // them.  Judged only while no box is up before and after the question:
    // a box up means a command is under way.
    void CheckState()
    {
        const std::vector<HWND> windows = Windows();
        const auto main = std::find_if(windows.begin(), windows.end(), [&](HWND h) { return IsMain(h); });
        program_state::State state;
        if (main == windows.end() || !program_state::Ask(*main, &state, 20000) ||
            !window_answers::Dialogs(pid_).empty())
            return;
        std::string faults;
        for (const program_state::Break *b : program_state::StandingBreaks(state))
            faults += "\n  the scenario breaks a rule (" + b->rule + ", page " + std::to_string(b->page) +
                      "): " + scn::Quote(b->message);
        for (const std::string &f : program_state::MapFaults(state))
            faults += "\n  " + f;
        for (const std::string &f : program_state::LegendFaults(state))
            faults += "\n  " + f;
        if (!faults.empty())
            throw Fault{"the scenario, the map or the legend is out of step:" + faults};
    }

    // Size and time of every file under the watched folders (recursively
    // where asked), the program's run folder left out.
    std::map<std::string, std::string> Snapshot() const
    {
        std::map<std::string, std::string> files;
        auto note = [&](const fs::directory_entry &e) {
            std::error_code ec;
            if (!e.is_regular_file(ec))
                return;
            const auto size = e.file_size(ec);
            const auto time = e.last_write_time(ec).time_since_epoch().count();
            files[e.path().string()] = std::to_string(size) + "@" + std::to_string(time);
        };
        for (const auto &w : watched_) {
            std::error_code ec;
            if (!w.second) {
                // A build may renew the programs and libraries meanwhile.
                for (const auto &e : fs::directory_iterator(w.first, ec)) {
                    const std::string ext = e.path().extension().string();
                    if (ext != ".exe" && ext != ".dll")
                        note(e);
                }
                continue;
            }
            for (auto it = fs::recursive_directory_iterator(w.first, ec); !ec && it != fs::recursive_directory_iterator();
                 it.increment(ec)) {
                if (it->path() == run_) {
                    it.disable_recursion_pending();
                    continue;
                }
                note(*it);
            }
        }
        return files;
    }

    // ------------------------------------------------------------ the end

    // Answers what is up so that the main window takes a command: file
    // dialogs cancelled, boxes left by Cancel, OK or No.
    HWND Quiet()
    {
        int restores = 0;
        for (int round = 0; round < 40; ++round) {
            bool busy = false;
            for (HWND d : window_answers::Dialogs(pid_)) {
                if (!IsWindowEnabled(d))
                    continue;
                busy = true;
                if (IsFileDialog(d)) {
                    Log("file dialog " + scn::Quote(TextOf(d)) + " cancelled");
                    window_answers::CancelFileDialog(d);
                } else {
                    const std::string text = window_answers::BoxText(d);
                    if (!text.empty() && PushButtons(d).size() == 1)
                        refused_ = true;
                    bool pressed = false;
                    for (const char *caption : {"Cancel", "OK", "No", "Close"})
                        if (!pressed && window_answers::PressButton(d, caption)) {
                            Log("box " + scn::Quote(Cut(text.empty() ? TextOf(d) : text, 60)) + " " + caption);
                            pressed = true;
                        }
                    if (!pressed) {
                        Foreground(d);
                        Key(VK_ESCAPE);
                    }
                }
                Settle();
                Check();
                break;
            }
            for (HWND h : window_answers::TopLevels(pid_))
                if (IsWindowVisible(h) && ClassOf(h) == "ComboLBox") {
                    busy = true;
                    Key(VK_ESCAPE);
                    Settle();
                }
            if (busy)
                continue;
            const std::vector<HWND> windows = Windows();
            const auto main = std::find_if(windows.begin(), windows.end(), [&](HWND h) { return IsMain(h); });
            if (main == windows.end()) {
                Sleep(100);
                continue;
            }
            // A field that refused its text gets its old text back first.
            const HWND focus = Focused(*main);
            if (refused_ && restores < 3 && focus && ClassOf(focus) == "Edit" && CanReach(focus)) {
                ++restores;
                refused_ = false;
                Restore(focus);
                continue;
            }
            return *main;
        }
        throw Fault{"the main window cannot be reached"};
    }

    // Answers a box so that what was asked goes on: OK, or No to a
    // question whether to save first, or its first button; its text.
    std::string AnswerToGoOn(HWND d)
    {
        const std::string text = window_answers::BoxText(d);
        bool pressed = window_answers::PressButton(d, "OK") || window_answers::PressButton(d, "No");
        if (!pressed) {
            const std::vector<HWND> buttons = PushButtons(d);
            if (!buttons.empty())
                window_answers::PressButton(d, window_answers::WithoutMnemonic(TextOf(buttons.front())));
        }
        Poll(3000, [&] { return !IsWindow(d) || !IsWindowVisible(d); });
        return text.empty() ? TextOf(d) : text;
    }

    // The boxes that come up until none has for a moment (at most ms),
    // each answered to go on; their texts.
    std::vector<std::string> BoxesFor(DWORD ms, HWND except = nullptr)
    {
        std::vector<std::string> texts;
        const DWORD start = GetTickCount();
        DWORD quiet = GetTickCount();
        while (GetTickCount() - start < ms && GetTickCount() - quiet < 400) {
            for (HWND d : window_answers::Dialogs(pid_)) {
                if (d == except || IsFileDialog(d) || !IsWindowEnabled(d))
                    continue;
                texts.push_back(AnswerToGoOn(d));
                quiet = GetTickCount();
                break;
            }
            Sleep(30);
            Ping();
        }
        return texts;
    }

    static std::string Joined(const std::vector<std::string> &texts)
    {
        std::string s;
        for (const std::string &t : texts)
            s += " " + scn::Quote(t);
        return s;
    }

    struct Asked {
        std::vector<std::string> before;   // boxes before the file dialog
        std::vector<std::string> after;    // and after it
    };

    // Chooses File command tag of the main window and answers its file
    // dialog with name; the boxes on the way, answered to go on.
    Asked FileCommand(long tag, const char *what, const std::string &name)
    {
        const HWND main = Quiet();
        // Just started, the program enables its file commands in a moment
        // (on a machine with every core busy, a few seconds).
        if (!Poll(30000, [&] {
                const long state = window_answers::MenuState(main, tag);
                return state >= 0 && !(state & (MF_GRAYED | MF_DISABLED));
            }))
            throw Fault{std::string("File ") + what + " cannot be chosen"};
        Log(std::string("File ") + what + " " + scn::Quote(name));
        Foreground(main);
        PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(tag), 0);
        HWND dialog = nullptr;
        Asked asked;
        Poll(10000, [&] {
            for (HWND d : window_answers::Dialogs(pid_)) {
                if (IsFileDialog(d)) {
                    dialog = d;
                    return true;
                }
                if (IsWindowEnabled(d))
                    asked.before.push_back(AnswerToGoOn(d));
            }
            return false;
        });
        // A command may refuse before its dialog (a scenario that may not
        // be saved says why): the caller judges the boxes.
        if (!dialog && asked.before.empty())
            throw Fault{std::string("File ") + what + " shows no file dialog"};
        if (!dialog) {
            Check();
            return asked;
        }
        window_answers::ChooseFileName(dialog, name);
        if (!Poll(10000, [&] {
                return !IsWindow(dialog) || !IsWindowVisible(dialog) ||
                       window_answers::DialogQuestionUp(pid_, dialog);
            }))
            throw Fault{std::string("the file dialog of File ") + what + " stays up"};
        Ping();
        asked.after = BoxesFor(5000, dialog);
        Check();
        return asked;
    }

    static std::string Read(const fs::path &p)
    {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // Where two texts first differ, as a line number and both lines.
    static std::string FirstDifference(const std::string &a, const std::string &b)
    {
        std::istringstream sa(a), sb(b);
        std::string la, lb;
        for (int line = 1;; ++line) {
            const bool ga = static_cast<bool>(std::getline(sa, la)), gb = static_cast<bool>(std::getline(sb, lb));
            if (!ga && !gb)
                return "no difference";
            if (!ga || !gb || la != lb)
                return "line " + std::to_string(line) + ": " + scn::Quote(ga ? la : "<end>") + " and " +
                       scn::Quote(gb ? lb : "<end>");
        }
    }

    // The boxes before an Open's file dialog but those that speak of the
    // scenario in hand: an oil scenario without oil fractions may be
    // saved, and File Open with no page shown stores the Substances page,
    // which then says that no oil fraction is given.
    static std::vector<std::string> OnScenarioInHand(std::vector<std::string> boxes)
    {
        boxes.erase(std::remove(boxes.begin(), boxes.end(), std::string("No oil fractions specified!")), boxes.end());
        return boxes;
    }

    void RoundTrip()
    {
        std::string first = "monkey_end_1";
        const std::string second = "monkey_end_2";
        auto saved = [&](const std::string &name) {
            return fs::exists(run_ / (name + ".inp")) && fs::exists(run_ / (name + ".mdp"));
        };
        Asked asked = FileCommand(1005, "Save as", first + ".mdp");
        if (!saved(first)) {
            // The actions may leave a scenario that may not be saved (no
            // hydrodynamics, a field that refuses its text): the round trip
            // then starts from the example.
            std::printf("monkey note: seed %llu: at the end the scenario was not saved; boxes:%s\n",
                        static_cast<unsigned long long>(o_.seed), Joined(asked.before).c_str());
            std::printf("monkey note: and%s\n", Joined(asked.after).c_str());
            OpenExample();
            first = "monkey_end_0";
            asked = FileCommand(1005, "Save as", first + ".mdp");
            if (!saved(first))
                throw Fault{"at the end Save as " + first + ".mdp wrote no scenario; boxes:" +
                            Joined(asked.before) + Joined(asked.after)};
        }
        asked = FileCommand(1003, "Open", first + ".mdp");
        if (!OnScenarioInHand(asked.before).empty() || !asked.after.empty())
            throw Fault{"Open of the scenario just saved gives boxes:" + Joined(asked.before) + Joined(asked.after)};
        asked = FileCommand(1005, "Save as", second + ".mdp");
        if (!saved(second))
            throw Fault{"at the end Save as " + second + ".mdp wrote no scenario; boxes:" + Joined(asked.before) +
                        Joined(asked.after)};
        const std::string in1 = Read(run_ / (first + ".inp")), in2 = Read(run_ / (second + ".inp"));
        if (in1 != in2)
            throw Fault{"saved, opened and saved again, the input files differ at " + FirstDifference(in1, in2)};
        std::string list1 = Read(run_ / (first + ".mdp"));
        const std::string list2 = Read(run_ / (second + ".mdp"));
        for (size_t at = list1.find(first); at != std::string::npos; at = list1.find(first, at + second.size()))
            list1.replace(at, first.size(), second);
        if (list1 != list2)
            throw Fault{"saved, opened and saved again, the list files differ (but for their names) at " +
                        FirstDifference(list1, list2)};
        asked = FileCommand(1003, "Open", second + ".mdp");
        if (!OnScenarioInHand(asked.before).empty() || !asked.after.empty())
            throw Fault{"Open of the second save gives boxes:" + Joined(asked.before) + Joined(asked.after)};
        const HWND main = Quiet();
        Log("File Exit");
        PostMessageA(main, WM_COMMAND, 1008, 0);
        const std::vector<std::string> boxes = BoxesFor(1000);
        if (!boxes.empty())
            throw Fault{"File Exit after Open asks:" + Joined(boxes)};
        if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0)
            throw Fault{"the program did not end after File Exit"};
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        if (code != 0)
            throw Fault{"the program ended with exit code " + std::to_string(code) + " after File Exit"};
    }

    // ------------------------------------------------------------ failure

    void Report(const std::string &why)
    {
        std::printf("MONKEY FAILED: seed %llu, action %ld of %ld: %s\n", static_cast<unsigned long long>(o_.seed),
                    action_, o_.actions, why.c_str());
        std::printf("replay: traz_gui_driver --program %s --source %s --work %s --monkey %llu %ld\n",
                    o_.program.c_str(), o_.source.c_str(), o_.work.c_str(), static_cast<unsigned long long>(o_.seed),
                    std::min(action_, o_.actions));
        std::printf("the last actions:\n");
        for (const std::string &line : recent_)
            std::printf("  %s\n", line.c_str());
        const fs::path shot = fs::absolute(fs::path(o_.work) / "failure.bmp");
        std::printf("work folder kept: %s\n", run_.string().c_str());
        if (Screenshot(shot.string(), nullptr))
            std::printf("screenshot: %s\n", shot.string().c_str());
        if (process_)
            std::printf("%s", window_answers::DescribeWindows(pid_, scn::Quote).c_str());
        std::fflush(stdout);
        EndProgram();
    }


    Options o_;
    Random random_;
    fs::path run_;
    std::vector<MenuItem> items_;
    std::vector<std::pair<fs::path, bool>> watched_;   // folder, recursively
    std::map<std::string, std::string> before_;
    std::deque<std::string> recent_;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    long action_ = 0;
    bool exitAsked_ = false;      // the user chose to leave: the program may end
    int stayedAfterExit_ = 0;     // checks since then that saw it stay, no box up
    bool boxUp_ = false;          // this action answered a box or dialog
    bool boxAnswered_ = false;    // the one before did
    bool refused_ = false;        // a box told of a refusal (it had OK alone), not mended yet
    std::map<HWND, std::string> accepted_;   // fields' texts before the monkey typed
    int restarts_ = 0;
};

}  // namespace

int Run(const Options &options)
{
    return Monkey(options).Run();
}

bool Screenshot(const std::string &file, const RECT *part)
{
    const int left = part ? part->left : 0, top = part ? part->top : 0;
    const int w = part ? part->right - part->left : GetSystemMetrics(SM_CXSCREEN);
    const int h = part ? part->bottom - part->top : GetSystemMetrics(SM_CYSCREEN);
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, w, h, screen, left, top, SRCCOPY) != FALSE;
        SelectObject(memory, old);
        GdiFlush();
    }
    if (ok) {
        const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
        BITMAPFILEHEADER head{};
        head.bfType = 0x4D42;
        head.bfOffBits = sizeof head + sizeof info.bmiHeader;
        head.bfSize = head.bfOffBits + stride * static_cast<DWORD>(h);
        std::ofstream out(fs::path(file), std::ios::binary);
        out.write(reinterpret_cast<const char *>(&head), sizeof head);
        out.write(reinterpret_cast<const char *>(&info.bmiHeader), sizeof info.bmiHeader);
        out.write(static_cast<const char *>(bits), static_cast<std::streamsize>(stride) * h);
        ok = static_cast<bool>(out);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace monkey
