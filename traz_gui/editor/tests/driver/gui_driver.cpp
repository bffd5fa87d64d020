// traz_gui_driver: runs one scenario script against a GUI program as a user
// would meet it.  It starts the program in a fresh copy of a fixture
// directory, finds its windows, types, clicks, chooses menu items, answers
// message boxes and file dialogs, reads texts, states and the focus back,
// compares the files the program wrote with goldens and checks the exit
// code.  On the first failure it prints every window of the program with
// its controls, ends the program and exits 1.
//
//   traz_gui_driver --program EXE --source DIR --work DIR SCRIPT
//   traz_gui_driver --program EXE --source DIR --work DIR --monkey SEED ACTIONS
//                   [--watch DIR]... [--watch-files DIR]... [--trace]
// The second form runs the GUI monkey (monkey.h) instead of a script.
//
// Commands of a script (one a line; <ctl> is a control id searched among
// the current window's descendants, visible ones first, PANE/ID for the
// control ID inside the descendant PANE (PANE/PANE/ID deeper down; PANE#N
// for the N-th visible one of panes sharing an id), PANE//ID for PANE's own
// child ID, or /ID for the current window's own child ID):
//   fixture DIR [TO]            copy DIR (relative to --source) into the work directory
//                               (or into its folder TO)
//   mkdir DIR                   make a folder in the work directory (DIR is UTF-8)
//   read-only FILE              give a file of the work directory the read-only attribute
//   start [ARG ...]             start the program in the work directory
//   window "TITLE"              wait for a visible top-level window; it becomes current
//   window-part "PART"          the same for a title that holds PART
//   window-gone "TITLE"         wait until no visible top-level window has this title
//   type <ctl> "TEXT"           WM_CHAR for each character
//   key tab|shift+tab|enter|escape|delete|f1   a real key stroke (SendInput)
//   key home|shift+end          the same (a field's caret to its start, its text selected)
//   select <ctl>                select all of an edit control's text (EM_SETSEL)
//   paste <ctl> "TEXT"          TEXT on the clipboard, then WM_PASTE to the control
//   click <ctl>                 mouse press and release at the control's centre
//   click-item <ctl> N          the same on item N (from 0) of a list box
//   notify <ctl>                the button's click notification to its parent (hidden or disabled buttons too)
//   move-at X Y | click-at X Y  pointer moved, or pressed and released, at client pixel (X, Y) of the current window
//   drag X0 Y0 X1 Y1            pressed at (X0, Y0), moved and released at (X1, Y1) in the current window
//   expect-text-part <ctl> "TEXT"   a control's text holds TEXT
//   menu TAG                    choose a menu item of the current window's menu bar, as a
//                               user does: it must be there and enabled
//   close                       the current window's close box
//   end-session                 the user's session ends (log-off): every top-level window of the program
//                               is asked whether it may end, then told the outcome, as the system does;
//                               the boxes the question shows are left to box commands
//   box "TEXT" BUTTON           wait for a message box with this text, press BUTTON
//                               (a system box's static 0xFFFF, or static 5 of the toolkit's boxes)
//   no-box                      no message box or dialog of the program is up
//   file-dialog "TITLE" "NAME" | file-dialog "TITLE" cancel
//                               (a question the dialog asks on OK is left to a box command;
//                               NAME is UTF-8)
//   file-dialog-type "TITLE" "NAME"   NAME typed key by key into the emptied name field (which
//                               keeps what it takes), then OK; the dialog may stay up (a folder
//                               typed is opened in it) for the next command
//   box-part "TEXT" BUTTON      box-part: the same as box, for a box whose text holds TEXT
//   expect-file-types "TITLE" "TYPE|TYPE..."   the file types a file dialog offers, in order
//   expect-title "TEXT"         the current window's title
//   expect-title-part "TEXT"    a title that holds TEXT (for titles naming the work directory)
//   expect-text <ctl> "TEXT"    a control's text
//   expect-enabled <ctl> yes|no   expect-shown <ctl> yes|no   expect-focus <ctl>
//   expect-checked <ctl> yes|no   (check boxes and radio buttons)
//   expect-menu TAG enabled|grayed|checked|unchecked
//   expect-item <ctl> N "TEXT"  expect-items <ctl> COUNT   (list boxes)
//   expect-on-screen            the current window's whole frame lies on a 1024 x 768 screen
//   expect-inside [BAR]         every visible control of the current window lies inside
//                               the client area of each window above it, overlaps no visible sibling
//                               but labels and frames, and (with BAR, the id of the
//                               window's status bar) ends above the bar
//   screenshot FILE             what the screen shows of the current window's client area, as
//                               a 24-bit BMP file in the work directory (a picture only on a
//                               real display)
//   count-draws                 the current map window's drawings are counted from here
//   expect-draws MIN MAX        ... and it has drawn MIN to MAX times since (a window
//                               uncovered draws again, so an exact count would vary)
//   expect-box-none             alias of no-box
// The scenario the program holds, its map windows and legend, as the program
// tells them (program_state.h); each waits until it holds:
//   expect-consistent           the scenario breaks no rule of the scenario check
//   expect-rule "TEXT" [PAGE]   it breaks a rule whose message holds TEXT (mended on PAGE)
//   expect-no-rule "TEXT"       it breaks no rule whose message holds TEXT
//   expect-location KIND INDEX M N   the editor's location INDEX (from 0) of KIND
//                               (observation, instantaneous, continuous, or 7, 10, 11)
//                               is kept in grid cell (M, N); 0 0 for a point off the grid
//   expect-map-objects KIND COUNT    every map window (one at least) holds COUNT objects of KIND
//   expect-map-object KIND INDEX M N "NAME"   and its object INDEX is NAME in cell (M, N)
//   expect-map-in-step          every map window holds exactly the editor's locations, index
//                               for index, and an open legend lists exactly the kinds with objects
//   expect-legend "ROW|ROW..." | expect-legend closed   the rows the legend window shows
//                               ("" for an open legend without rows)
//   compare FILE GOLDEN         FILE in the work directory (waited for, like every check),
//                               GOLDEN relative to --source; @WORK@ in the golden stands for
//                               the work directory as the program names it (its full Windows
//                               path with '/')
//   expect-file FILE absent|present|read-only|writable   a file of the work directory
//   exit CODE                   wait for the program to end with CODE
//   timeout MS                  how long checks and waits poll (default 10000)
//   sleep MS
//   define NAME ... end         the lines between make a command NAME; "NAME ARG..." later
//                               stands for them with $1..$9 replaced by the ARGs, so that a
//                               table of such lines runs one procedure over many cases
//                               (scenario_script.h)
// A control that is typed into, selected, pasted into or clicked must be one a
// user can reach: it and every window above it visible and enabled (a window
// under a modal box is not).
// An action is sent with SendMessageTimeout: when it times out the program
// is showing a box, which the next command answers; checks poll until they
// hold or the timeout passes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "gui_test_protocol.h"
#include "monkey.h"
#include "program_state.h"
#include "scenario_script.h"
#include "window_answers.h"

namespace fs = std::filesystem;

namespace {

using window_answers::ClassOf;
using window_answers::kSendTimeout;
using window_answers::Narrow;
using window_answers::TextOf;

struct Options {
    std::string program, source, work, script;
};

class Failure {
public:
    explicit Failure(std::string why) : why_(std::move(why)) {}
    const std::string &why() const { return why_; }

private:
    std::string why_;
};

class Driver {
public:
    explicit Driver(Options options) : o_(std::move(options)) {}
    ~Driver() { EndProgram(); }

    int Run()
    {
        std::ifstream in(o_.script, std::ios::binary);
        if (!in) {
            std::printf("cannot read the script %s\n", o_.script.c_str());
            return 2;
        }
        std::stringstream text;
        text << in.rdbuf();
        std::vector<scn::Command> commands;
        std::string error;
        if (!scn::ParseScript(text.str(), &commands, &error)) {
            std::printf("%s: %s\n", o_.script.c_str(), error.c_str());
            return 2;
        }
        std::error_code ec;
        // A read-only file of an earlier run must not keep its folder.
        for (auto it = fs::recursive_directory_iterator(o_.work, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            SetFileAttributesA(it->path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        ec.clear();
        fs::remove_all(o_.work, ec);
        fs::create_directories(o_.work, ec);
        for (const scn::Command &c : commands) {
            try {
                Execute(c);
            } catch (const Failure &f) {
                std::printf("FAILED at %s:%d: %s\n  %s\n", o_.script.c_str(), c.line, c.source.c_str(),
                            f.why().c_str());
                DumpWindows();
                EndProgram();
                std::fflush(stdout);
                return 1;
            }
        }
        if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            std::printf("FAILED: the script ended while the program still runs (end it with exit CODE)\n");
            DumpWindows();
            EndProgram();
            return 1;
        }
        std::printf("passed: %s (%zu commands)\n", o_.script.c_str(), commands.size());
        return 0;
    }

private:
    // ------------------------------------------------------------ commands

    void Execute(const scn::Command &c)
    {
        const std::string &v = c.verb;
        if (v == "fixture") return Fixture(Arg(c, 0), c.args.size() > 1 ? Arg(c, 1) : std::string());
        if (v == "mkdir") return MakeFolder(Arg(c, 0));
        if (v == "read-only") return MakeReadOnly(Arg(c, 0));
        if (v == "expect-file") return ExpectFile(Arg(c, 0), Arg(c, 1));
        if (v == "start") return Start(c.args);
        if (v == "timeout") { timeout_ = static_cast<DWORD>(Number(c, 0)); return; }
        if (v == "sleep") { Sleep(static_cast<DWORD>(Number(c, 0))); return; }
        if (v == "compare") return Compare(Arg(c, 0), Arg(c, 1));
        NeedProgram();
        if (v == "window") return Window(Arg(c, 0), false);
        if (v == "window-part") return Window(Arg(c, 0), true);
        if (v == "window-gone") return WindowGone(Arg(c, 0));
        if (v == "type") return Type(Reachable(Arg(c, 0)), Arg(c, 1));
        if (v == "key") return Key(Arg(c, 0));
        if (v == "select") { Send(Reachable(Arg(c, 0)), EM_SETSEL, 0, -1); Drain(); return; }
        if (v == "paste") return Paste(Reachable(Arg(c, 0)), Arg(c, 1));
        if (v == "click") return Click(Reachable(Arg(c, 0)), -1);
        if (v == "click-item") return Click(Reachable(Arg(c, 0)), static_cast<int>(Number(c, 1)));
        if (v == "move-at" || v == "click-at" || v == "drag") {
            const int x0 = static_cast<int>(Number(c, 0)), y0 = static_cast<int>(Number(c, 1));
            const bool drag = v == "drag";
            const int x1 = drag ? static_cast<int>(Number(c, 2)) : x0, y1 = drag ? static_cast<int>(Number(c, 3)) : y0;
            NeedReachable(Current(), "the current window");
            Foreground();
            Send(Current(), WM_MOUSEMOVE, 0, MAKELPARAM(x0, y0));
            if (v != "move-at") {
                Send(Current(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
                if (drag)
                    Send(Current(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1, y1));
                Send(Current(), WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
            }
            Settle();
            return;
        }
        if (v == "notify") {
            const HWND button = Control(Arg(c, 0));
            Send(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
            return;
        }
        if (v == "menu") return Menu(Number(c, 0));
        if (v == "close") { PostMessageA(Current(), WM_SYSCOMMAND, SC_CLOSE, 0); return; }
        if (v == "end-session") return EndSession();
        if (v == "box") return Box(Arg(c, 0), Arg(c, 1));
        if (v == "box-part") return Box(Arg(c, 0), Arg(c, 1), true);
        if (v == "no-box" || v == "expect-box-none") return NoBox();
        if (v == "file-dialog") return FileDialog(Arg(c, 0), Arg(c, 1));
        if (v == "file-dialog-type") return TypeInFileDialog(Arg(c, 0), Arg(c, 1));
        if (v == "expect-file-types") return ExpectFileTypes(Arg(c, 0), Arg(c, 1));
        if (v == "expect-title") return ExpectTitle(Arg(c, 0));
        if (v == "expect-title-part") return ExpectTitlePart(Arg(c, 0));
        if (v == "expect-text") return ExpectText(Arg(c, 0), Arg(c, 1));
        if (v == "expect-text-part") return ExpectTextPart(Arg(c, 0), Arg(c, 1));
        if (v == "expect-enabled") return ExpectFlag(Arg(c, 0), Arg(c, 1), "enabled", IsWindowEnabled);
        if (v == "expect-shown") return ExpectFlag(Arg(c, 0), Arg(c, 1), "shown", IsWindowVisible);
        if (v == "expect-checked") return ExpectFlag(Arg(c, 0), Arg(c, 1), "checked", IsChecked);
        if (v == "expect-focus") return ExpectFocus(Arg(c, 0));
        if (v == "expect-menu") return ExpectMenu(Number(c, 0), Arg(c, 1));
        if (v == "expect-item") return ExpectItem(Arg(c, 0), static_cast<int>(Number(c, 1)), Arg(c, 2));
        if (v == "expect-items") return ExpectItems(Arg(c, 0), static_cast<int>(Number(c, 1)));
        if (v == "expect-on-screen") return ExpectOnScreen();
        if (v == "expect-inside") return ExpectInside(c.args.empty() ? 0 : static_cast<int>(Number(c, 0)));
        if (v == "screenshot") return Screenshot(Arg(c, 0));
        if (v == "count-draws") { drawMark_ = Draws(); return; }
        if (v == "expect-draws") return ExpectDraws(Number(c, 0), Number(c, 1));
        if (v == "expect-consistent") return ExpectConsistent();
        if (v == "expect-rule" || v == "expect-no-rule")
            return ExpectRule(Arg(c, 0), v == "expect-rule", c.args.size() > 1 ? static_cast<int>(Number(c, 1)) : -1);
        if (v == "expect-location")
            return ExpectLocation(Kind(c, 0), static_cast<int>(Number(c, 1)), static_cast<int>(Number(c, 2)),
                                  static_cast<int>(Number(c, 3)));
        if (v == "expect-map-objects") return ExpectMapObjects(Kind(c, 0), static_cast<int>(Number(c, 1)));
        if (v == "expect-map-object")
            return ExpectMapObject(Kind(c, 0), static_cast<int>(Number(c, 1)), static_cast<int>(Number(c, 2)),
                                   static_cast<int>(Number(c, 3)), Arg(c, 4));
        if (v == "expect-map-in-step") return ExpectMapInStep();
        if (v == "expect-legend") return ExpectLegend(Arg(c, 0));
        if (v == "exit") return Exit(static_cast<DWORD>(Number(c, 0)));
        throw Failure("unknown command \"" + v + "\"");
    }

    static const std::string &Arg(const scn::Command &c, size_t i)
    {
        if (i >= c.args.size())
            throw Failure("missing argument " + std::to_string(i + 1));
        return c.args[i];
    }

    static long Number(const scn::Command &c, size_t i)
    {
        const std::string &a = Arg(c, i);
        char *end = nullptr;
        long value = std::strtol(a.c_str(), &end, 0);
        if (a.empty() || *end != '\0')
            throw Failure("\"" + a + "\" is not a number");
        return value;
    }

    static int Kind(const scn::Command &c, size_t i)
    {
        const int kind = program_state::KindOf(Arg(c, i));
        if (kind < 0)
            throw Failure("\"" + Arg(c, i) + "\" is no kind of location (observation, instantaneous, continuous)");
        return kind;
    }

    void Fixture(const std::string &dir, const std::string &into)
    {
        const fs::path from = fs::path(o_.source) / dir;
        const fs::path base = fs::path(o_.work) / into;
        std::error_code ec;
        if (!fs::is_directory(from, ec))
            throw Failure("no fixture directory " + dir);
        if (!fs::is_directory(base, ec))
            fs::create_directories(base, ec);
        ec.clear();
        for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            const fs::path to = base / fs::relative(it->path(), from, ec);
            if (it->is_directory(ec)) {
                if (!fs::is_directory(to, ec))
                    fs::create_directories(to, ec);
            }
            else if (!CopyFileA(it->path().string().c_str(), to.string().c_str(), FALSE))
                ec = std::error_code(static_cast<int>(GetLastError()), std::system_category());
            if (ec)
                break;
        }
        if (ec)
            throw Failure("cannot copy the fixture " + dir + ": " + ec.message());
    }

    void MakeFolder(const std::string &dir) const
    {
        std::error_code ec;
        fs::create_directories(fs::path(o_.work) / fs::u8path(dir), ec);   // the name is UTF-8
        if (ec)
            throw Failure("cannot make the folder " + dir + ": " + ec.message());
    }

    void MakeReadOnly(const std::string &file) const
    {
        const std::string path = (fs::path(o_.work) / file).string();
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !SetFileAttributesA(path.c_str(), attributes | FILE_ATTRIBUTE_READONLY))
            throw Failure("cannot make " + file + " read-only");
    }

    // Polled like every check: the program may still be writing the file
    // that the last command asked for.
    void ExpectFile(const std::string &file, const std::string &state) const
    {
        if (state != "absent" && state != "present" && state != "read-only" && state != "writable")
            throw Failure("unknown file state \"" + state + "\"");
        const std::string path = (fs::path(o_.work) / file).string();
        bool present = false, readOnly = false;
        const bool holds = Poll([&] {
            const DWORD attributes = GetFileAttributesA(path.c_str());
            present = attributes != INVALID_FILE_ATTRIBUTES;
            readOnly = present && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
            if (state == "absent") return !present;
            if (state == "present") return present;
            if (state == "read-only") return readOnly;
            return present && !readOnly;
        });
        if (!holds)
            throw Failure(file + " is " + (!present ? "absent" : readOnly ? "read-only" : "present and writable") +
                          ", expected " + state);
    }

    void Start(const std::vector<std::string> &args)
    {
        if (process_)
            throw Failure("the program is already running");
        std::string line = "\"" + o_.program + "\"";
        for (const std::string &a : args)
            line += " " + a;
        SetEnvironmentVariableA(TRAZ_GUI_TEST_VARIABLE, "1");
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string work = fs::absolute(o_.work).string();
        if (!CreateProcessA(o_.program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, work.c_str(),
                            &si, &pi))
            throw Failure("cannot start " + o_.program + " (error " + std::to_string(GetLastError()) + ")");
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        answering_ = nullptr;
        CloseHandle(pi.hThread);
        WaitForInputIdle(process_, timeout_);
    }

    void NeedProgram() const
    {
        if (!process_)
            throw Failure("no program started");
    }

    // --------------------------------------------------------- windows

    std::vector<HWND> TopLevels() const { return window_answers::TopLevels(pid_); }

    static std::vector<HWND> Descendants(HWND parent) { return window_answers::Descendants(parent); }

    // Polls `probe` until it gives true or the timeout passes.
    bool Poll(const std::function<bool()> &probe) const
    {
        DWORD start = GetTickCount();
        for (;;) {
            if (probe())
                return true;
            if (GetTickCount() - start > timeout_)
                return false;
            if (process_ && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0 && !probe())
                return false;
            Sleep(30);
        }
    }

    HWND Current() const
    {
        if (!current_ || !IsWindow(current_))
            throw Failure("no current window (use window \"TITLE\" first)");
        return current_;
    }

    void Window(const std::string &title, bool part)
    {
        HWND found = nullptr;
        bool ok = Poll([&] {
            for (HWND h : TopLevels()) {
                if (!IsWindowVisible(h))
                    continue;
                std::string t = TextOf(h);
                if (part ? t.find(title) != std::string::npos : t == title) {
                    found = h;
                    return true;
                }
            }
            return false;
        });
        if (!ok)
            throw Failure("no window titled " + scn::Quote(title) + " came up");
        current_ = found;
    }

    void WindowGone(const std::string &title) const
    {
        const bool gone = Poll([&] {
            for (HWND h : TopLevels())
                if (IsWindowVisible(h) && TextOf(h) == title)
                    return false;
            return true;
        });
        if (!gone)
            throw Failure("the window titled " + scn::Quote(title) + " is still shown");
    }

    // <ctl>: "ID" or "PANE/ID".
    // A control a user can reach: visible and enabled, with every window
    // above it; waited for while a pane is still being made.
    HWND Reachable(const std::string &spec) const
    {
        HWND control = nullptr;
        std::string missing;
        bool ok = Poll([&] {
            try {
                control = Control(spec);
            } catch (const Failure &f) {
                missing = f.why();
                return false;
            }
            missing.clear();
            return CanReach(control);
        });
        if (!ok)
            throw Failure(!missing.empty() ? missing : Unreachable(control, "control " + spec));
        return control;
    }

    void NeedReachable(HWND window, const std::string &what) const
    {
        if (!Poll([&] { return CanReach(window); }))
            throw Failure(Unreachable(window, what));
    }

    static bool CanReach(HWND window) { return window_answers::CanReach(window); }

    static std::string Unreachable(HWND window, const std::string &what)
    {
        return what + (IsWindowVisible(window) ? " is disabled, or lies in a disabled window (a box up?)"
                                               : " is not visible");
    }

    HWND Control(const std::string &spec) const
    {
        HWND scope = Current();
        std::string id = spec;
        if (!spec.empty() && spec[0] == '/') {
            HWND child = GetDlgItem(scope, ParseId(spec.substr(1)));
            if (!child)
                throw Failure("no control " + spec + " in the current window");
            return child;
        }
        for (size_t slash = id.find('/'); slash != std::string::npos; slash = id.find('/')) {
            scope = FindPane(scope, id.substr(0, slash));
            if (!scope)
                throw Failure("no pane " + spec.substr(0, spec.size() - id.size() + slash) + " in the current window");
            id = id.substr(slash + 1);
            if (!id.empty() && id[0] == '/') {
                HWND child = GetDlgItem(scope, ParseId(id.substr(1)));
                if (!child)
                    throw Failure("no control " + spec + " in the current window");
                return child;
            }
        }
        HWND control = FindById(scope, ParseId(id));
        if (!control)
            throw Failure("no control " + spec + " in the current window");
        return control;
    }

    static int ParseId(const std::string &text)
    {
        char *end = nullptr;
        long value = std::strtol(text.c_str(), &end, 0);
        if (text.empty() || *end != '\0')
            throw Failure("\"" + text + "\" is not a control id");
        return static_cast<int>(value);
    }

    // A pane by its id, or by ID#N the N-th visible one of panes that
    // share the id (from 1, in the order the window lists them).
    static HWND FindPane(HWND scope, const std::string &text)
    {
        const size_t hash = text.find('#');
        if (hash == std::string::npos)
            return FindById(scope, ParseId(text));
        const int id = ParseId(text.substr(0, hash)), nth = ParseId(text.substr(hash + 1));
        int seen = 0;
        for (HWND h : Descendants(scope))
            if (GetDlgCtrlID(h) == id && IsWindowVisible(h) && ++seen == nth)
                return h;
        return nullptr;
    }

    static HWND FindById(HWND scope, int id)
    {
        HWND hidden = nullptr;
        for (HWND h : Descendants(scope)) {
            if (GetDlgCtrlID(h) != id)
                continue;
            if (IsWindowVisible(h))
                return h;
            if (!hidden)
                hidden = h;
        }
        return hidden;
    }

    // --------------------------------------------------------- actions

    void Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const
    {
        DWORD_PTR result = 0;
        // A timeout means the program shows a box now; the script answers it.
        SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, kSendTimeout, &result);
    }

    void Type(HWND control, const std::string &text) const
    {
        for (unsigned char ch : text)
            Send(control, WM_CHAR, ch, 1);
        Drain();
    }

    void Paste(HWND control, const std::string &text) const
    {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (!block)
            throw Failure("no memory for the clipboard");
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        if (!OpenClipboard(nullptr)) {
            GlobalFree(block);
            throw Failure("the clipboard cannot be opened");
        }
        EmptyClipboard();
        if (!SetClipboardData(CF_TEXT, block))
            GlobalFree(block);
        CloseClipboard();
        Send(control, WM_PASTE, 0, 0);
        Drain();
    }

    // The current window brought to the front as a user's click brings it,
    // and waited for until the program itself has made it active: the
    // system takes the foreground at once, but the program's thread moves
    // its activation and focus (leaving the control that had it) only when
    // it takes that from its queue, while a message sent by the driver
    // would be handled first.
    void Foreground() const
    {
        HWND target = current_ && IsWindow(current_) ? current_ : nullptr;
        if (!target)
            return;
        const HWND root = GetAncestor(target, GA_ROOT);
        const DWORD thread = GetWindowThreadProcessId(root, nullptr);
        auto active = [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetForegroundWindow() == root && GetGUIThreadInfo(thread, &info) && info.hwndActive == root;
        };
        const DWORD start = GetTickCount();
        while (!active() && GetTickCount() - start < timeout_) {
            if (GetForegroundWindow() != root)
                SetForegroundWindow(root);
            Sleep(20);
        }
        Drain();
    }

    void Key(const std::string &name) const
    {
        WORD vk = 0;
        bool shift = false;
        if (name == "tab") vk = VK_TAB;
        else if (name == "shift+tab") { vk = VK_TAB; shift = true; }
        else if (name == "enter") vk = VK_RETURN;
        else if (name == "escape") vk = VK_ESCAPE;
        else if (name == "delete") vk = VK_DELETE;
        else if (name == "f1") vk = VK_F1;
        else if (name == "home") vk = VK_HOME;
        else if (name == "shift+end") { vk = VK_END; shift = true; }
        else throw Failure("unknown key \"" + name + "\"");
        Foreground();
        std::vector<INPUT> inputs;
        auto push = [&](WORD key, bool up) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = key;
            in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(in);
        };
        if (shift) push(VK_SHIFT, false);
        push(vk, false);
        push(vk, true);
        if (shift) push(VK_SHIFT, true);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Settle();
    }

    // Lets the program take what was sent before the next step reads it.
    void Settle() const
    {
        if (process_)
            WaitForInputIdle(process_, 200);
        Drain();
    }

    // Waits until the program has taken from its queue everything posted
    // to it so far, and what its handlers posted on the way (the answer to
    // the queue-state question of gui_test_protocol.h), at most the check
    // timeout: a message the driver sends would be handled before them, as
    // a user's input never is.  A program that does not answer is given
    // 50 ms.
    void Drain() const
    {
        static const UINT message = RegisterWindowMessageA(TRAZ_GUI_TEST_QUEUE_STATE);
        const DWORD start = GetTickCount();
        for (;;) {
            // The queued state of the program's thread: 1 queued, 0 empty,
            // -1 no window answers.
            int queued = -1;
            auto ask = [&](HWND h) {
                DWORD_PTR state = 0;
                if (!IsWindow(h) || !SendMessageTimeoutA(h, message, 0, 0, SMTO_NORMAL, kSendTimeout, &state) ||
                    !(state & TRAZ_GUI_TEST_ANSWERED))
                    return false;
                queued = (state & TRAZ_GUI_TEST_QUEUED) ? 1 : 0;
                return true;
            };
            if (!ask(answering_)) {
                answering_ = nullptr;
                for (HWND h : TopLevels())
                    if (ask(h)) {
                        answering_ = h;
                        break;
                    }
            }
            if (queued < 0) {
                Sleep(50);
                return;
            }
            if (queued == 0 || GetTickCount() - start > timeout_)
                return;
            Sleep(2);
        }
    }

    void Click(HWND control, int item) const
    {
        RECT r{};
        GetClientRect(control, &r);
        int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        if (item >= 0) {
            DWORD_PTR top = 0, height = 0, count = 0;
            SendMessageTimeoutA(control, LB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeout, &count);
            if (item >= static_cast<int>(count))
                throw Failure("the list has " + std::to_string(count) + " items, no item " + std::to_string(item));
            SendMessageTimeoutA(control, LB_SETTOPINDEX, static_cast<WPARAM>(item), 0, SMTO_NORMAL, kSendTimeout,
                                &top);
            SendMessageTimeoutA(control, LB_GETTOPINDEX, 0, 0, SMTO_NORMAL, kSendTimeout, &top);
            SendMessageTimeoutA(control, LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, kSendTimeout, &height);
            x = 4;
            y = static_cast<int>((static_cast<DWORD_PTR>(item) - top) * height + height / 2);
        }
        Foreground();
        LPARAM at = MAKELPARAM(x, y);
        Send(control, WM_MOUSEMOVE, 0, at);
        Send(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        Send(control, WM_LBUTTONUP, 0, at);
        Settle();
    }

    // --------------------------------------------------------- boxes

    std::vector<HWND> Dialogs() const { return window_answers::Dialogs(pid_); }

    static std::string BoxText(HWND box) { return window_answers::BoxText(box); }

    void Box(const std::string &text, const std::string &button, bool part = false)
    {
        HWND found = nullptr;
        bool ok = Poll([&] {
            if (!part)
                return (found = window_answers::FindDialog(pid_, text, false)) != nullptr;
            for (HWND b : Dialogs())
                if (BoxText(b).find(text) != std::string::npos)
                    return (found = b) != nullptr;
            return false;
        });
        if (!ok) {
            std::string seen;
            for (HWND b : Dialogs())
                seen += " " + scn::Quote(BoxText(b));
            throw Failure("no box " + scn::Quote(text) + (seen.empty() ? " (no box is up)" : "; up:" + seen));
        }
        Press(found, button);
    }

    void Press(HWND dialog, const std::string &caption) const
    {
        if (!window_answers::PressButton(dialog, caption))
            throw Failure("the box has no button " + scn::Quote(caption));
        WaitGone(dialog);
    }

    void WaitGone(HWND dialog) const
    {
        if (!Poll([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
            throw Failure("the box stayed up after its button");
        Settle();
    }

    void NoBox() const
    {
        Settle();
        std::vector<HWND> boxes = Dialogs();
        if (!boxes.empty()) {
            std::string what = TextOf(boxes.front());
            std::string text = BoxText(boxes.front());
            throw Failure("a box is up: " + scn::Quote(what) + (text.empty() ? "" : " " + scn::Quote(text)));
        }
    }

    void FileDialog(const std::string &title, const std::string &name)
    {
        HWND found = nullptr;
        bool ok = Poll([&] { return (found = window_answers::FindDialog(pid_, title, true)) != nullptr; });
        if (!ok)
            throw Failure("no file dialog titled " + scn::Quote(title));
        if (name == "cancel") {
            window_answers::CancelFileDialog(found);
            WaitGone(found);
            return;
        }
        if (!window_answers::ChooseFileName(found, name))
            throw Failure("the file dialog has no name field");
        // A question of the dialog itself (a name that exists, to be
        // replaced) stays up for the next command to answer.
        if (!Poll([&] {
                return !IsWindow(found) || !IsWindowVisible(found) || window_answers::DialogQuestionUp(pid_, found);
            }))
            throw Failure("the file dialog stayed up after OK");
        Settle();
    }

    void TypeInFileDialog(const std::string &title, const std::string &name)
    {
        HWND found = nullptr;
        if (!Poll([&] { return (found = window_answers::FindDialog(pid_, title, true)) != nullptr; }))
            throw Failure("no file dialog titled " + scn::Quote(title));
        if (!window_answers::EnterFileName(found, name, true))
            throw Failure("the file dialog has no name field");
        Settle();
    }

    void ExpectFileTypes(const std::string &title, const std::string &types) const
    {
        HWND found = nullptr;
        if (!Poll([&] { return (found = window_answers::FindDialog(pid_, title, true)) != nullptr; }))
            throw Failure("no file dialog titled " + scn::Quote(title));
        std::string seen;
        Expect(
            [&] {
                seen.clear();
                HWND combo = GetDlgItem(found, 0x470);
                DWORD_PTR count = 0;
                if (!combo || !SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeout, &count))
                    return false;
                for (DWORD_PTR i = 0; i < count; ++i) {
                    wchar_t item[256] = L"";
                    DWORD_PTR got = 0;
                    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item), SMTO_NORMAL,
                                        kSendTimeout, &got);
                    seen += (i ? "|" : "") + Narrow(item);
                }
                return seen == types;
            },
            [&] { return "the file dialog offers " + scn::Quote(seen) + ", expected " + scn::Quote(types); });
    }

    // --------------------------------------------------------- checks

    // Waits until HOLDS; a control it reads that is not there yet (a pane
    // still being made) is waited for too, and named if it never comes.
    void Expect(const std::function<bool()> &holds, const std::function<std::string()> &why) const
    {
        std::string missing;
        auto probe = [&] {
            try {
                missing.clear();
                return holds();
            } catch (const Failure &f) {
                missing = f.why();
                return false;
            }
        };
        if (!Poll(probe))
            throw Failure(missing.empty() ? why() : missing);
    }

    void ExpectTitle(const std::string &title) const
    {
        std::string seen;
        Expect([&] { return (seen = TextOf(Current())) == title; },
               [&] { return "title " + scn::Quote(seen) + ", expected " + scn::Quote(title); });
    }

    void ExpectTitlePart(const std::string &part) const
    {
        std::string seen;
        Expect([&] { return (seen = TextOf(Current())).find(part) != std::string::npos; },
               [&] { return "title " + scn::Quote(seen) + ", expected one holding " + scn::Quote(part); });
    }

    void ExpectText(const std::string &spec, const std::string &text) const
    {
        std::string seen;
        Expect([&] { return (seen = TextOf(Control(spec))) == text; },
               [&] { return "control " + spec + " reads " + scn::Quote(seen) + ", expected " + scn::Quote(text); });
    }

    void ExpectTextPart(const std::string &spec, const std::string &text) const
    {
        std::string seen;
        Expect([&] { return (seen = TextOf(Control(spec))).find(text) != std::string::npos; },
               [&] { return "control " + spec + " reads " + scn::Quote(seen) + ", expected a text holding " +
                            scn::Quote(text); });
    }

    void ExpectFlag(const std::string &spec, const std::string &want, const char *what, BOOL(WINAPI *test)(HWND)) const
    {
        if (want != "yes" && want != "no")
            throw Failure("expected yes or no, not \"" + want + "\"");
        bool expected = want == "yes";
        Expect([&] { return (test(Control(spec)) != FALSE) == expected; },
               [&] { return "control " + spec + " is " + (expected ? "not " : "") + what; });
    }

    static BOOL WINAPI IsChecked(HWND button)
    {
        DWORD_PTR state = 0;
        return SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeout, &state) &&
               state == BST_CHECKED;
    }

    HWND Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        DWORD thread = GetWindowThreadProcessId(Current(), nullptr);
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    }

    void ExpectFocus(const std::string &spec) const
    {
        HWND focus = nullptr;
        Expect([&] { return (focus = Focus()) == Control(spec); },
               [&] {
                   return "the focus is on " + (focus ? ClassOf(focus) + " id " + std::to_string(GetDlgCtrlID(focus)) +
                                                            " " + scn::Quote(TextOf(focus))
                                                      : std::string("no window")) +
                          ", expected control " + spec;
               });
    }

    // The state of item TAG in the current window's menu bar (see
    // window_answers::MenuState).
    long MenuState(long tag) const { return window_answers::MenuState(Current(), tag); }

    static std::string MenuStateText(long tag, long state)
    {
        if (state == -2)
            return "the window does not answer for its menu";
        if (state == -1)
            return "the menu has no item " + std::to_string(tag);
        char b[16];
        std::snprintf(b, sizeof b, "%lx", state);
        return "menu item " + std::to_string(tag) + " has state 0x" + b;
    }

    // Chooses an item of the menu bar as a user can: only when it is there
    // and enabled; Windows then sends the window the item's command.
    void Menu(long tag) const
    {
        NeedReachable(Current(), "the current window");
        long seen = -1;
        Expect([&] { seen = MenuState(tag); return seen >= 0 && !(seen & (MF_GRAYED | MF_DISABLED)); },
               [&] { return MenuStateText(tag, seen) + ": it cannot be chosen"; });
        PostMessageA(Current(), WM_COMMAND, static_cast<WPARAM>(tag), 0);
        Settle();
    }

    void ExpectMenu(long tag, const std::string &state) const
    {
        long seen = -1;
        auto holds = [&] {
            seen = MenuState(tag);
            if (seen < 0)
                return false;
            bool grayed = (seen & (MF_GRAYED | MF_DISABLED)) != 0;
            bool checked = (seen & MF_CHECKED) != 0;
            if (state == "enabled") return !grayed;
            if (state == "grayed") return grayed;
            if (state == "checked") return checked;
            if (state == "unchecked") return !checked;
            throw Failure("unknown menu state \"" + state + "\"");
        };
        Expect(holds, [&] { return MenuStateText(tag, seen) + ", expected " + state; });
    }

    // How many times the current window has drawn, as the program answers;
    // -1 while it does not answer.
    long DrawAnswer() const
    {
        static const UINT message = RegisterWindowMessageA(TRAZ_GUI_TEST_DRAW_COUNT);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(Current(), message, 0, 0, SMTO_NORMAL, kSendTimeout, &result))
            return -1;
        return static_cast<long>(static_cast<int>(result));
    }

    long Draws() const
    {
        long seen = -1;
        Expect([&] { return (seen = DrawAnswer()) >= 0; }, [] { return std::string("the window is not a map window"); });
        return seen;
    }

    // What the screen shows of the current window's client area.
    void Screenshot(const std::string &file) const
    {
        RECT client{};
        GetClientRect(Current(), &client);
        MapWindowPoints(Current(), nullptr, reinterpret_cast<POINT *>(&client), 2);
        if (!monkey::Screenshot((fs::path(o_.work) / file).string(), &client))
            throw Failure("the screenshot " + file + " could not be written");
    }

    void ExpectDraws(long least, long most) const
    {
        long seen = -1;
        Expect([&] { return (seen = DrawAnswer()) >= 0 && seen - drawMark_ >= least && seen - drawMark_ <= most; },
               [&] {
                   return seen < 0 ? std::string("the window is not a map window")
                                   : "the window drew " + std::to_string(seen - drawMark_) + " times, expected " +
                                         std::to_string(least) + " to " + std::to_string(most);
               });
    }

    // ---------------------------------------------------- the program's state

    HWND ProgramMainWindow() const
    {
        for (HWND h : TopLevels())
            if (IsWindowVisible(h) && TextOf(h).rfind("Particle tracking", 0) == 0)
                return h;
        return nullptr;
    }

    program_state::State AskState() const
    {
        program_state::State state;
        if (!program_state::Ask(ProgramMainWindow(), &state))
            throw Failure("the program does not tell the state of its scenario");
        return state;
    }

    // Waits until holds(state, &why) is true; why tells what was seen.
    void ExpectState(const std::function<bool(const program_state::State &, std::string *)> &holds) const
    {
        std::string why;
        Expect([&] { return holds(AskState(), &why); }, [&] { return why; });
    }

    static std::string Breaks(const program_state::State &s)
    {
        std::string text;
        for (const program_state::Break &b : s.breaks)
            text += "\n  " + b.rule + " (page " + std::to_string(b.page) + "): " + scn::Quote(b.message);
        return text.empty() ? " none" : text;
    }

    void ExpectConsistent() const
    {
        ExpectState([](const program_state::State &s, std::string *why) {
            *why = "the scenario breaks rules:" + Breaks(s);
            return s.breaks.empty();
        });
    }

    void ExpectRule(const std::string &text, bool broken, int page) const
    {
        ExpectState([&](const program_state::State &s, std::string *why) {
            const bool found = std::any_of(s.breaks.begin(), s.breaks.end(), [&](const program_state::Break &b) {
                return b.message.find(text) != std::string::npos && (page < 0 || b.page == page);
            });
            *why = std::string(broken ? "no broken rule tells " : "a broken rule tells ") + scn::Quote(text) +
                   (page >= 0 ? " on page " + std::to_string(page) : "") + "; broken:" + Breaks(s);
            return found == broken;
        });
    }

    void ExpectLocation(int kind, int index, int m, int n) const
    {
        ExpectState([&](const program_state::State &s, std::string *why) {
            for (const program_state::Point &p : s.locations)
                if (p.kind == kind && p.index == index) {
                    *why = program_state::KindName(kind) + " " + std::to_string(index) + " is kept in cell (" +
                           std::to_string(p.m) + ", " + std::to_string(p.n) + "), expected (" + std::to_string(m) +
                           ", " + std::to_string(n) + ")";
                    return p.m == m && p.n == n;
                }
            *why = "the editor has no " + program_state::KindName(kind) + " " + std::to_string(index);
            return false;
        });
    }

    // Every map window (one at least) by holds(its objects of kind).
    void ExpectMaps(int kind, const std::function<bool(const std::vector<program_state::Point> &, std::string *)> &holds) const
    {
        ExpectState([&](const program_state::State &s, std::string *why) {
            if (s.maps.empty()) {
                *why = "no map window is open";
                return false;
            }
            for (const program_state::MapWindow &w : s.maps) {
                std::vector<program_state::Point> objects;
                for (const program_state::Point &p : w.objects)
                    if (p.kind == kind)
                        objects.push_back(p);
                std::string what;
                if (!holds(objects, &what)) {
                    *why = "map window " + std::to_string(w.number) + " " + what;
                    return false;
                }
            }
            return true;
        });
    }

    void ExpectMapObjects(int kind, int count) const
    {
        ExpectMaps(kind, [&](const std::vector<program_state::Point> &objects, std::string *why) {
            *why = "holds " + std::to_string(objects.size()) + " objects of kind " + program_state::KindName(kind) +
                   ", expected " + std::to_string(count);
            return static_cast<int>(objects.size()) == count;
        });
    }

    void ExpectMapObject(int kind, int index, int m, int n, const std::string &name) const
    {
        ExpectMaps(kind, [&](const std::vector<program_state::Point> &objects, std::string *why) {
            if (index < 0 || index >= static_cast<int>(objects.size())) {
                *why = "holds no " + program_state::KindName(kind) + " " + std::to_string(index);
                return false;
            }
            const program_state::Point &p = objects[static_cast<size_t>(index)];
            *why = "holds " + scn::Quote(p.name) + " in cell (" + std::to_string(p.m) + ", " + std::to_string(p.n) +
                   "), expected " + scn::Quote(name) + " in (" + std::to_string(m) + ", " + std::to_string(n) + ")";
            return p.m == m && p.n == n && p.name == name;
        });
    }

    void ExpectMapInStep() const
    {
        ExpectState([](const program_state::State &s, std::string *why) {
            std::vector<std::string> faults = program_state::MapFaults(s);
            for (const std::string &f : program_state::LegendFaults(s))
                faults.push_back(f);
            why->clear();
            for (const std::string &f : faults)
                *why += "\n  " + f;
            return faults.empty();
        });
    }

    void ExpectLegend(const std::string &rows) const
    {
        ExpectState([&](const program_state::State &s, std::string *why) {
            std::string seen;
            for (const std::string &r : s.legendRows)
                seen += (seen.empty() ? "" : "|") + r;
            if (!s.legendOpen)
                seen = "closed";
            *why = "the legend shows " + scn::Quote(seen) + ", expected " + scn::Quote(rows);
            return seen == rows;
        });
    }

    static std::string ItemText(HWND list, int item)
    {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, static_cast<WPARAM>(item), 0, SMTO_NORMAL, kSendTimeout, &length) ||
            length == static_cast<DWORD_PTR>(LB_ERR))
            return "<no item>";
        std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(buffer.data()),
                            SMTO_NORMAL, kSendTimeout, &got);
        buffer.resize(got == static_cast<DWORD_PTR>(LB_ERR) ? 0 : static_cast<size_t>(got));
        return Narrow(buffer);
    }

    void ExpectItem(const std::string &spec, int item, const std::string &text) const
    {
        std::string seen;
        Expect([&] { return (seen = ItemText(Control(spec), item)) == text; },
               [&] {
                   return "item " + std::to_string(item) + " of " + spec + " reads " + scn::Quote(seen) +
                          ", expected " + scn::Quote(text);
               });
    }

    void ExpectItems(const std::string &spec, int count) const
    {
        DWORD_PTR seen = 0;
        Expect(
            [&] {
                SendMessageTimeoutA(Control(spec), LB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeout, &seen);
                return static_cast<int>(seen) == count;
            },
            [&] { return spec + " has " + std::to_string(seen) + " items, expected " + std::to_string(count); });
    }

    void ExpectOnScreen() const
    {
        RECT r{};
        Expect([&] { return GetWindowRect(Current(), &r) && r.left >= 0 && r.top >= 0 && r.right <= 1024 && r.bottom <= 768; },
               [&] {
                   return "the window's frame is at (" + std::to_string(r.left) + ", " + std::to_string(r.top) +
                          ") to (" + std::to_string(r.right) + ", " + std::to_string(r.bottom) +
                          "), not on a 1024 x 768 screen";
               });
    }

    // A control outside its parent's client area, under the status bar or
    // over another control is cut off or covered where a user looks for it.
    // Labels and group frames may lie under other controls (a table lies
    // over the label that places it).
    void ExpectInside(int bar) const
    {
        const HWND window = Current();
        const HWND barWindow = bar ? GetDlgItem(window, bar) : nullptr;
        if (bar && !barWindow)
            throw Failure("no control " + std::to_string(bar) + " in the current window");
        RECT barRect{};
        if (barWindow)
            GetWindowRect(barWindow, &barRect);
        const auto describe = [](HWND h) {
            RECT r{};
            GetWindowRect(h, &r);
            char line[200];
            std::snprintf(line, sizeof line, "id %d %s \"%s\" at (%ld,%ld)-(%ld,%ld)", GetDlgCtrlID(h),
                          ClassOf(h).c_str(), TextOf(h).substr(0, 30).c_str(), r.left, r.top, r.right, r.bottom);
            return std::string(line);
        };
        const auto underneath = [](HWND h) {
            const std::string c = ClassOf(h);
            const LONG style = GetWindowLongA(h, GWL_STYLE);
            return c == "Static" || (c == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX);
        };
        std::string faults;
        std::vector<HWND> shown;
        for (HWND h : Descendants(window))
            if (IsWindowVisible(h) && h != barWindow && GetParent(h) != barWindow)
                shown.push_back(h);
        for (HWND h : shown) {
            const HWND parent = GetParent(h);
            RECT r{};
            GetWindowRect(h, &r);
            // Inside the parent, and so inside each window above it.
            bool inside = true;
            for (HWND above = parent; inside && above; above = above == window ? nullptr : GetParent(above)) {
                RECT client{};
                GetClientRect(above, &client);
                MapWindowPoints(above, nullptr, reinterpret_cast<POINT *>(&client), 2);
                inside = r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                         r.bottom <= client.bottom;
            }
            if (!inside)
                faults += "\n  " + describe(h) + " outside its parent's client area";
            else if (barWindow && r.bottom > barRect.top)
                faults += "\n  " + describe(h) + " under the status bar";
            if (underneath(h))
                continue;
            for (HWND other : shown) {
                RECT o{}, both{};
                GetWindowRect(other, &o);
                if (other < h && GetParent(other) == parent && !underneath(other) && IntersectRect(&both, &r, &o))
                    faults += "\n  " + describe(h) + " over " + describe(other);
            }
        }
        if (!faults.empty())
            throw Failure("controls cut off or covered:" + faults);
    }

    // --------------------------------------------------------- files, end

    void Compare(const std::string &file, const std::string &golden) const
    {
        auto read = [](const fs::path &p, std::string *out) {
            std::ifstream in(p, std::ios::binary);
            if (!in)
                return false;
            std::stringstream s;
            s << in.rdbuf();
            *out = s.str();
            return true;
        };
        std::string written, expected;
        if (!read(fs::path(o_.source) / golden, &expected))
            throw Failure("no golden " + golden);
        char full[MAX_PATH * 4] = "";
        const DWORD length = GetFullPathNameA(o_.work.c_str(), sizeof full, full, nullptr);
        std::string work(full, length < sizeof full ? length : 0);
        std::replace(work.begin(), work.end(), '\\', '/');
        for (size_t at; !work.empty() && (at = expected.find("@WORK@")) != std::string::npos;)
            expected.replace(at, 6, work);
        // Polled like every check: the save that the last command asked
        // for may still be under way.
        bool wrote = false;
        if (Poll([&] { return (wrote = read(fs::path(o_.work) / file, &written)) && written == expected; }))
            return;
        if (!wrote)
            throw Failure("the program wrote no " + file);
        size_t at = 0;
        while (at < written.size() && at < expected.size() && written[at] == expected[at])
            ++at;
        size_t line = 1 + static_cast<size_t>(std::count(written.begin(), written.begin() + static_cast<long>(at), '\n'));
        throw Failure(file + " differs from " + golden + " at byte " + std::to_string(at) + " (line " +
                      std::to_string(line) + "; sizes " + std::to_string(written.size()) + " and " +
                      std::to_string(expected.size()) + ")");
    }

    void Exit(DWORD code)
    {
        if (WaitForSingleObject(process_, timeout_) != WAIT_OBJECT_0)
            throw Failure("the program did not end");
        if (session_.joinable())
            session_.join();
        DWORD seen = 0;
        GetExitCodeProcess(process_, &seen);
        CloseHandle(process_);
        process_ = nullptr;
        current_ = nullptr;
        if (seen != code)
            throw Failure("exit code " + std::to_string(seen) + ", expected " + std::to_string(code));
    }

    void EndProgram()
    {
        window_answers::EndProcess(&process_);
        if (session_.joinable())
            session_.join();
    }

    // The system's end of a session, from a thread of its own: the
    // question waits while the program asks its user.  When every window
    // agrees the session ends; when one refuses, those asked are told it
    // goes on.
    void EndSession()
    {
        if (session_.joinable())
            session_.join();
        const std::vector<HWND> tops = window_answers::TopLevels(pid_);
        session_ = std::thread([tops] {
            size_t asked = 0;
            bool ends = true;
            for (; asked < tops.size() && ends; ++asked) {
                DWORD_PTR agreed = 0;
                if (IsWindow(tops[asked]) &&
                    SendMessageTimeoutA(tops[asked], WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 120000,
                                        &agreed) &&
                    !agreed)
                    ends = false;
            }
            for (size_t i = 0; i < asked; ++i) {
                DWORD_PTR ignored = 0;
                if (IsWindow(tops[i]))
                    SendMessageTimeoutA(tops[i], WM_ENDSESSION, ends, ENDSESSION_LOGOFF, SMTO_NORMAL, 120000,
                                        &ignored);
            }
        });
    }

    void DumpWindows() const
    {
        if (process_)
            std::printf("%s", window_answers::DescribeWindows(pid_, scn::Quote).c_str());
    }

    Options o_;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND current_ = nullptr;
    DWORD timeout_ = 10000;
    mutable HWND answering_ = nullptr;  // the program's window that answers the queue-state question
    std::thread session_;   // a session's end under way
    long drawMark_ = 0;
};

}  // namespace

int main(int argc, char **argv)
{
    Options o;
    monkey::Options m;
    bool monkeyRun = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--program" && i + 1 < argc) o.program = argv[++i];
        else if (a == "--source" && i + 1 < argc) o.source = argv[++i];
        else if (a == "--work" && i + 1 < argc) o.work = argv[++i];
        else if (a == "--monkey" && i + 2 < argc) {
            monkeyRun = true;
            m.seed = std::strtoull(argv[i + 1], nullptr, 0);
            m.actions = std::strtol(argv[i + 2], nullptr, 0);
            i += 2;
        }
        else if (a == "--watch" && i + 1 < argc) m.watch.push_back(argv[++i]);
        else if (a == "--watch-files" && i + 1 < argc) m.watchFiles.push_back(argv[++i]);
        else if (a == "--trace") m.trace = true;
        else o.script = a;
    }
    if (o.source.empty())
        o.source = ".";
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (monkeyRun && !o.program.empty() && !o.work.empty()) {
        m.program = o.program;
        m.source = o.source;
        m.work = o.work;
        return monkey::Run(m);
    }
    if (o.program.empty() || o.work.empty() || o.script.empty()) {
        std::printf("usage: traz_gui_driver --program EXE --source DIR --work DIR SCRIPT\n"
                    "       traz_gui_driver --program EXE --source DIR --work DIR --monkey SEED ACTIONS\n"
                    "                       [--watch DIR]... [--watch-files DIR]... [--trace]\n");
        return 2;
    }
    return Driver(o).Run();
}
