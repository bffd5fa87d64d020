// Page 9, releases from file, in the running program: the editor is started
// in-process on a copy of the example estuary as traz_gui.exe starts it (its
// own sources without main.cpp), no button leads to the page so it is shown
// by SwitchPage(9) from inside the message loop, and a second thread drives
// the page's real controls with real messages (clicks on buttons, radio
// buttons and list items, typed text), answering the program's boxes and
// its file dialog as a user would.  Map files are written by the test: one
// of three substances (one name longer than the 19 characters shown) and
// five output times, and one whose counts leave no record to read.  The
// scenario saved is compared with a golden checked by hand against the
// input-file format, then opened again and shown on the same page.  Last,
// two rules of the program that no user reaches: the file commands greyed
// and enabled again, and File New checking every output time afresh
// (leaving a refused time field checks it again, so no user carries a
// refusal into the next scenario; the flags are set here).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "editor_shell.h"
#include "scenario.h"
#include "startup.h"
#include "time_check_boxes.h"
#include "window_answers.h"

namespace fs = std::filesystem;
namespace wa = window_answers;

namespace {

constexpr UINT kRun = WM_APP + 7;
constexpr DWORD kWait = 10000;
HWND g_runner = nullptr;

// Runs the function its message carries on the program's thread, inside
// the program's message loop (and inside any box's modal loop).
LRESULT CALLBACK RunnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRun)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    auto *fn = reinterpret_cast<std::function<void()> *>(wParam);
    (*fn)();
    delete fn;
    SetEvent(reinterpret_cast<HANDLE>(lParam));
    return 0;
}

void MakeRunner()
{
    WNDCLASSA c{};
    c.lpfnWndProc = RunnerProc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "releases_from_file_runner";
    RegisterClassA(&c);
    g_runner = CreateWindowA(c.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, c.hInstance, nullptr);
}

}  // namespace

// The program's start, as in traz_gui.exe, in project mode with the
// example's project id.
extern "C" int ProgramMain(int, char **argv)
{
    MakeRunner();
    char project[] = "est";
    char *args[] = {argv[0], project, nullptr};
    StartEditorProgram(2, args);
    return 0;
}

namespace {

void PutInt(std::string &b, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
}

// Titles, the counts, names padded with blanks to 20 and a record of
// n * s values per time.
void WriteMapFile(const fs::path &path, int32_t n, int32_t s, const std::vector<std::string> &names,
                  const std::vector<int32_t> &times)
{
    std::string b(160, ' ');
    PutInt(b, n);
    PutInt(b, s);
    for (const std::string &name : names)
        b += (name + std::string(20, ' ')).substr(0, 20);
    for (int32_t t : times) {
        PutInt(b, t);
        b.append(static_cast<size_t>(4 * n * s), '\0');
    }
    std::ofstream(path, std::ios::binary) << b;
}

std::vector<std::string> FileLines(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// "" when the files are the same, else their first differing line.
std::string FirstDifference(const fs::path &written, const fs::path &golden)
{
    const std::vector<std::string> a = FileLines(written), b = FileLines(golden);
    for (size_t k = 0; k < a.size() || k < b.size(); ++k) {
        const std::string x = k < a.size() ? a[k] : "<end>", y = k < b.size() ? b[k] : "<end>";
        if (x != y)
            return "line " + std::to_string(k + 1) + ": \"" + x + "\", golden \"" + y + "\"";
    }
    return "";
}

// What page 9 shows for a release.
struct Shown {
    std::string name, percentage, scale, time, file;
    int substance, mapSubstance, mapTime, mapSubstances, mapTimes;
    bool mapFile, releaseFile;
    auto Tie() const
    {
        return std::tie(name, percentage, scale, time, file, substance, mapSubstance, mapTime, mapSubstances,
                        mapTimes, mapFile, releaseFile);
    }
    bool operator==(const Shown &o) const { return Tie() == o.Tie(); }
};

std::ostream &operator<<(std::ostream &out, const Shown &s)
{
    return out << "{" << s.name << "|" << s.percentage << "|" << s.scale << "|" << s.time << "|" << s.file
               << "| substance " << s.substance << ", map " << s.mapSubstance << "/" << s.mapSubstances << ", time "
               << s.mapTime << "/" << s.mapTimes << ", option " << (s.mapFile ? "map" : "") << (s.releaseFile ? "file" : "")
               << "}";
}

class Page {
public:
    // Waits for the main window; false when it does not come up.
    bool Start()
    {
        return Poll([&] {
            for (HWND h : wa::TopLevels(pid_))
                if (IsWindowVisible(h) && wa::TextOf(h).find("Particle tracking") != std::string::npos &&
                    wa::ClassOf(h) != "#32770") {
                    main_ = h;
                    return true;
                }
            return false;
        });
    }

    // Runs fn on the program's thread; waits until it returned (false
    // after the wait: fn then shows a box).
    bool OnUi(std::function<void()> fn, DWORD wait = kWait)
    {
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        PostMessageA(g_runner, kRun, reinterpret_cast<WPARAM>(new std::function<void()>(std::move(fn))),
                     reinterpret_cast<LPARAM>(done));
        const bool ran = WaitForSingleObject(done, wait) == WAIT_OBJECT_0;
        if (ran)
            CloseHandle(done);
        return ran;
    }

    // Lets the program take what was posted, and what it posted in turn.
    void Settle()
    {
        for (int i = 0; i < 3; ++i)
            OnUi([] {});
    }

    void ShowPage9()
    {
        ASSERT_TRUE(OnUi([] { SwitchPage(9); }));
        Settle();
        page_ = nullptr;
        for (HWND h : wa::Descendants(main_))
            if (GetDlgCtrlID(h) == 168 && IsWindowVisible(h))
                page_ = h;
        ASSERT_NE(page_, nullptr) << "page 9 is not shown";
    }

    HWND Ctl(int id) const
    {
        HWND hidden = nullptr;
        for (HWND h : wa::Descendants(page_)) {
            if (GetDlgCtrlID(h) != id)
                continue;
            if (IsWindowVisible(h))
                return h;
            hidden = hidden ? hidden : h;
        }
        return hidden;
    }

    void Press(HWND control, int x, int y)
    {
        const LPARAM at = MAKELPARAM(x, y);
        PostMessageA(control, WM_MOUSEMOVE, 0, at);
        PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(control, WM_LBUTTONUP, 0, at);
        Settle();
    }

    void Click(int id)
    {
        HWND c = Ctl(id);
        RECT r{};
        GetClientRect(c, &r);
        Press(c, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    void ClickItem(int id, int item)
    {
        HWND list = Ctl(id);
        ASSERT_LT(item, Count(id)) << "list " << id;
        Send(list, LB_SETTOPINDEX, static_cast<WPARAM>(item), 0);
        RECT r{};
        Send(list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        Press(list, 4, (r.top + r.bottom) / 2);
    }

    // Typed into the field (its old text selected first), then the focus
    // moves on to the field next.
    void Type(int id, const std::string &text, int next)
    {
        Click(id);
        PostMessageA(Ctl(id), EM_SETSEL, 0, -1);
        for (unsigned char ch : text)
            PostMessageA(Ctl(id), WM_CHAR, ch, 1);
        Click(next);
    }

    void Menu(int tag)
    {
        PostMessageA(main_, WM_COMMAND, static_cast<WPARAM>(tag), 0);
        Settle();
    }

    HWND Main() const { return main_; }
    std::string Text(int id) const { return wa::TextOf(Ctl(id)); }
    int Count(int id) const { return static_cast<int>(Send(Ctl(id), LB_GETCOUNT, 0, 0)); }
    int Sel(int id) const { return static_cast<int>(Send(Ctl(id), LB_GETCURSEL, 0, 0)); }
    bool Shows(int id) const { return IsWindowVisible(Ctl(id)) != FALSE; }
    bool Checked(int id) const { return Send(Ctl(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::string Item(int id, int item) const
    {
        HWND list = Ctl(id);
        const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(item), 0);
        if (length == LB_ERR)
            return "<no item>";
        std::string text(static_cast<size_t>(length) + 1, '\0');
        Send(list, LB_GETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        return text;
    }

    std::vector<std::string> Items(int id) const
    {
        std::vector<std::string> items;
        for (int k = 0; k < Count(id); ++k)
            items.push_back(Item(id, k));
        return items;
    }

    Shown Fields() const
    {
        return {Text(13), Text(20), Text(15), Text(10), Text(8), Sel(16), Sel(17), Sel(19), Count(17), Count(19),
                Checked(23), Checked(24)};
    }

    // A box with this text answered with the button.
    void Box(const std::string &text, const std::string &button)
    {
        HWND box = nullptr;
        const bool up = Poll([&] { return (box = wa::FindDialog(pid_, text, false)) != nullptr; });
        ASSERT_TRUE(up) << "no box \"" << text << "\"" << BoxesUp();
        ASSERT_TRUE(wa::PressButton(box, button));
        ASSERT_TRUE(Poll([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
        Settle();
    }

    void NoBox()
    {
        Settle();
        EXPECT_TRUE(wa::Dialogs(pid_).empty()) << BoxesUp();
    }

    // The program's file dialog answered with a name.
    void ChooseFile(const std::string &name, const char *title = "Select an input file")
    {
        HWND dialog = nullptr;
        const bool up = Poll([&] { return (dialog = wa::FindDialog(pid_, title, true)) != nullptr; });
        ASSERT_TRUE(up) << "no file dialog" << BoxesUp();
        ASSERT_TRUE(wa::ChooseFileName(dialog, name));
        ASSERT_TRUE(Poll([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));
        Settle();
    }

    // The start scenario read again from its file, as at the start, and
    // page 9 shown for it.
    void OpenAgain()
    {
        EXPECT_FALSE(OnUi(
            [] {
                SwitchPage(PAGE_NONE_OPEN);
                OpenStartScenario(MainWindow, &g_startup, &g_scenario);
                SwitchPage(9);
            },
            500));
        Box("Opening existing scenario: trazest.inp!", "OK");
    }

private:
    static LRESULT Send(HWND h, UINT message, WPARAM w, LPARAM l)
    {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(h, message, w, l, SMTO_NORMAL, wa::kSendTimeout, &result))
            return LB_ERR;
        return static_cast<LRESULT>(result);
    }

    static bool Poll(const std::function<bool()> &probe)
    {
        const ULONGLONG end = GetTickCount64() + kWait;
        while (!probe()) {
            if (GetTickCount64() > end)
                return false;
            Sleep(20);
        }
        return true;
    }

    std::string BoxesUp() const
    {
        std::string up;
        for (HWND d : wa::Dialogs(pid_))
            up += "; up: \"" + wa::TextOf(d) + "\" \"" + wa::BoxText(d) + "\"";
        return up;
    }

    DWORD pid_ = GetCurrentProcessId();
    HWND main_ = nullptr;
    HWND page_ = nullptr;
};

const char kReference[] = "01 06 2026 00 00 00";
// A release file's name of 160 characters.
const std::string kLongFile = "release_of_the_spring_tide_survey_" + std::string(122, 'x') + ".fil";
const std::vector<std::string> kMapSubstances = {"dye                ", "salt               ", "a very long substan"};
const std::vector<std::string> kMapTimes = {"01 06 2026 01 00 00", "01 06 2026 02 00 00", "01 06 2026 03 00 00",
                                            "01 06 2026 04 00 00", "01 06 2026 05 00 00"};

TEST(ReleasesFromFilePage, EditedSavedAndOpenedAgain)
{
    // A copy of the example with the map files and a release file.
    const fs::path work = fs::current_path() / "work";
    std::error_code ec;
    fs::remove_all(work, ec);
    fs::copy(fs::path(TRAZ_TEST_SOURCE_DIR) / "examples" / "estuary", work, fs::copy_options::recursive);
    WriteMapFile(work / "estuary.map", 3, 4, {"dye", "salt", "a very long substance name"},
                 {3600, 7200, 10800, 14400, 18000});
    WriteMapFile(work / "bad.map", 0, 4, {}, {});
    std::ofstream(work / "source.fil") << "particles\n";
    std::ofstream(work / kLongFile) << "particles\n";
    ASSERT_TRUE(SetCurrentDirectoryA(work.string().c_str()));

    CloseHandle(CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD {
            static char commandLine[] = "";
            return static_cast<DWORD>(ruv_win_main(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL));
        },
        nullptr, 0, nullptr));

    Page p;
    p.Box("Opening existing scenario: trazest.inp!", "OK");
    ASSERT_TRUE(p.Start()) << "the main window did not come up";
    p.ShowPage9();

    {
        SCOPED_TRACE("no release yet: the defaults of a new one");
        EXPECT_EQ(p.Count(3), 0);
        EXPECT_EQ(p.Text(13), "-none yet-");
        EXPECT_EQ(p.Text(8), "-none yet-");
        EXPECT_EQ(p.Text(20), "100");
        EXPECT_EQ(p.Text(15), "1.0");
        EXPECT_EQ(p.Text(10), kReference);
        EXPECT_TRUE(p.Checked(23));
        EXPECT_EQ(p.Items(16), (std::vector<std::string>{"dye", "salt"}));
        EXPECT_EQ(p.Sel(16), 0);
        for (int id : {11, 17, 18, 19})
            EXPECT_TRUE(p.Shows(id)) << id;
        EXPECT_EQ(p.Count(17) + p.Count(19), 0);

        // Nothing to read for, nothing to switch.
        p.Click(7);
        p.Box("Select a release first!", "OK");
        p.Click(24);
        p.Box("Select a release first!", "OK");
        p.Click(23);
        p.Box("Select a release first!", "OK");
        p.NoBox();
        EXPECT_EQ(GE_ListCount(g_scenario.userDefinedReleases), 0);
    }
    {
        SCOPED_TRACE("Add, then a map file chosen in the file dialog");
        p.Click(1);
        p.NoBox();
        EXPECT_EQ(p.Items(3), std::vector<std::string>{"(new pair)"});
        EXPECT_EQ(p.Sel(3), 0);
        EXPECT_EQ(p.Fields(), (Shown{"(new pair)", "100", "1.0", kReference, "-none yet-", 0, -1, -1, 0, 0, true,
                                     false}));
        p.Click(7);
        p.ChooseFile("estuary.map");
        p.NoBox();
        EXPECT_EQ(p.Text(8), "estuary.map");
        EXPECT_EQ(p.Items(17), kMapSubstances);
        EXPECT_EQ(p.Items(19), kMapTimes);
        EXPECT_EQ(p.Sel(17), 0);
        EXPECT_EQ(p.Sel(19), 0);
    }
    {
        SCOPED_TRACE("a second release named by its choice when stored");
        p.Click(1);
        EXPECT_EQ(p.Items(3), (std::vector<std::string>{"UD1: s1 & (s1, t1)", "(new pair)"}));
        EXPECT_EQ(p.Sel(3), 1);
        p.Click(7);
        p.ChooseFile("estuary.map");
        p.ClickItem(16, 0);
        p.ClickItem(17, 2);
        p.ClickItem(19, 4);
        p.Type(15, "2.5", 20);
        p.Type(20, "40", 10);
        p.Type(10, "01 06 2026 02 30 00", 15);
        p.NoBox();
        p.ClickItem(3, 0);
        EXPECT_EQ(p.Items(3), (std::vector<std::string>{"UD1: s1 & (s1, t1)", "UD2: s1 & (s3, t5)"}));
        EXPECT_EQ(p.Fields(), (Shown{"UD1: s1 & (s1, t1)", "100", "1.0", kReference, "estuary.map", 0, 0, 0, 3, 5,
                                     true, false}));
        p.ClickItem(3, 1);
        EXPECT_EQ(p.Fields(), (Shown{"UD2: s1 & (s3, t5)", "40", "2.5", "01 06 2026 02 30 00", "estuary.map", 0, 2,
                                     4, 3, 5, true, false}));
    }
    {
        SCOPED_TRACE("an unreadable map file; the release-file option");
        p.Click(1);
        p.ClickItem(16, 1);
        // A choice made in a map file read before does not stay with a file
        // chosen in its place that cannot be read: neither selection does.
        p.Click(7);
        p.ChooseFile("estuary.map");
        p.ClickItem(17, 2);
        p.ClickItem(19, 3);
        p.Click(7);
        p.ChooseFile("bad.map");
        p.NoBox();
        EXPECT_EQ(p.Text(8), "- not found -");
        EXPECT_EQ(p.Count(17) + p.Count(19), 0);
        EXPECT_EQ(p.Sel(17), -1);
        EXPECT_EQ(p.Sel(19), -1);
        int32_t count = 0, mapSubstance = 0, mapTime = 0;
        ASSERT_TRUE(p.OnUi([&] {
            Location *r = nullptr;
            GE_ListGet(g_scenario.userDefinedReleases, 2, &r);
            if (r) {
                count = r->mapSubstanceCount;
                mapSubstance = r->userWord4;
                mapTime = r->mapTime;
            }
        }));
        EXPECT_EQ(count, -1);
        EXPECT_EQ(mapSubstance, -1);
        EXPECT_EQ(mapTime, -1);
        p.Click(7);
        p.ChooseFile("estuary.map");
        EXPECT_EQ(p.Count(17), 3);
        p.Click(24);
        p.NoBox();
        for (int id : {11, 17, 18, 19})
            EXPECT_FALSE(p.Shows(id)) << id;
        EXPECT_EQ(p.Count(17) + p.Count(19), 0);
        EXPECT_EQ(p.Text(8), "-none yet-");
        p.Click(7);
        p.ChooseFile("source.fil");
        EXPECT_EQ(p.Text(8), "source.fil");
        p.Click(25);
        p.Click(7);
        p.Box("Other options not implemented yet!", "OK");
        p.Click(24);
        EXPECT_EQ(p.Text(8), "-none yet-");  // the file went with the option left
        p.Click(7);
        p.ChooseFile("source.fil");
        p.ClickItem(3, 1);
        EXPECT_EQ(p.Items(3), (std::vector<std::string>{"UD1: s1 & (s1, t1)", "UD2: s1 & (s3, t5)", "UD3"}));
        p.ClickItem(3, 2);
        EXPECT_EQ(p.Fields(), (Shown{"UD3", "100", "1.0", kReference, "source.fil", 1, -1, -1, 0, 0, false, true}));
        for (int id : {11, 17, 18, 19})
            EXPECT_FALSE(p.Shows(id)) << id;
    }
    {
        SCOPED_TRACE("Delete asks first and then shows the defaults");
        p.Click(1);
        EXPECT_EQ(p.Count(3), 4);
        // A release file named longer than a control title's 100
        // characters is kept whole when the release is left and shown again.
        p.Click(24);
        p.Click(7);
        p.ChooseFile(kLongFile);
        EXPECT_EQ(p.Text(8), kLongFile);
        p.ClickItem(3, 0);
        p.ClickItem(3, 3);
        EXPECT_EQ(p.Text(8), kLongFile);
        std::string kept;
        ASSERT_TRUE(p.OnUi([&] {
            Location *r = nullptr;
            GE_ListGet(g_scenario.userDefinedReleases, 3, &r);
            kept = r ? r->userText : "";
        }));
        EXPECT_EQ(kept, kLongFile);
        p.Type(15, "7", 20);
        p.Click(2);
        p.Box("You will lose data. Do you want to continue?", "No");
        EXPECT_EQ(p.Count(3), 4);
        p.Click(2);
        p.Box("You will lose data. Do you want to continue?", "Yes");
        EXPECT_EQ(p.Count(3), 3);
        EXPECT_EQ(p.Sel(3), -1);
        EXPECT_EQ(p.Text(13), " ");
        EXPECT_EQ(p.Text(20), "100");
        EXPECT_EQ(p.Text(15), "1.0");
        EXPECT_EQ(p.Text(8), "-none-");
        EXPECT_EQ(p.Text(10), kReference);
        EXPECT_EQ(p.Sel(16), 0);
        EXPECT_EQ(GE_ListCount(g_scenario.userDefinedReleases), 3);
    }

    // What each release shows, to be shown again from the saved file.
    std::vector<Shown> before;
    for (int k = 0; k < 3; ++k) {
        p.ClickItem(3, k);
        before.push_back(p.Fields());
    }
    // The input file gives a release file no substance of this run.
    before[2].substance = -1;
    p.Menu(1004);
    p.NoBox();
    EXPECT_EQ(FirstDifference(work / "trazest.inp", fs::path(TRAZ_TEST_SOURCE_DIR) /
                                                          "traz_gui/editor/tests/fixtures/releases_from_file/trazest.inp"),
              "");

    {
        SCOPED_TRACE("the saved scenario opened again");
        p.OpenAgain();
        EXPECT_EQ(p.Items(3), (std::vector<std::string>{"UD-1", "UD-2", "UD-3"}));
        // Each release is named by its choice once it is stored.
        for (int k : {1, 2, 0})
            p.ClickItem(3, k);
        for (int k = 0; k < 3; ++k) {
            p.ClickItem(3, k);
            EXPECT_EQ(p.Fields(), before[static_cast<size_t>(k)]) << "release " << k + 1;
        }
        EXPECT_EQ(p.Items(3), (std::vector<std::string>{"UD1: s1 & (s1, t1)", "UD2: s1 & (s3, t5)", "UD3"}));
        p.NoBox();
    }
    {
        SCOPED_TRACE("a map file gone: shown as not found, its name kept");
        fs::rename(work / "estuary.map", work / "moved.map");
        p.OpenAgain();
        EXPECT_EQ(p.Text(8), "- not found -");
        EXPECT_EQ(p.Count(17) + p.Count(19), 0);
        p.ClickItem(3, 1);
        std::string kept;
        int32_t substance = -1, mapSubstance = -1;
        ASSERT_TRUE(p.OnUi([&] {
            Location *r = nullptr;
            GE_ListGet(g_scenario.userDefinedReleases, 0, &r);
            kept = r ? r->userText : "";
            Location *second = nullptr;
            GE_ListGet(g_scenario.userDefinedReleases, 1, &second);
            if (second) {
                substance = second->userWord3;
                mapSubstance = second->userWord4;
            }
        }));
        EXPECT_EQ(kept, "estuary.map");
        // Its choice stays for the next save: substance 1, map substance 3.
        EXPECT_EQ(substance, 1);
        EXPECT_EQ(mapSubstance, 2);
        p.NoBox();
    }
    {
        SCOPED_TRACE("the file commands greyed and enabled again");
        const std::vector<UINT> tags = {1002, 1003, 1004, 1005, 1008};
        const auto greyed = [&](UINT tag) {
            return (GetMenuState(GetMenu(p.Main()), tag, MF_BYCOMMAND) & MF_GRAYED) != 0;
        };
        ASSERT_TRUE(p.OnUi([] { EnableFileCommands(0); }));
        for (UINT tag : tags)
            EXPECT_TRUE(greyed(tag)) << tag;
        ASSERT_TRUE(p.OnUi([] { EnableFileCommands(1); }));
        for (UINT tag : tags)
            EXPECT_FALSE(greyed(tag)) << tag;
    }
    {
        // An output time refused in one scenario leaves its rule unmet, and
        // with it the other rules of its file; a new scenario checks every
        // output time afresh.
        const auto allValid = [&p] {
            OutputTimeValidity flags;
            flags.historyStep = flags.mapStart = 0;
            EXPECT_TRUE(p.OnUi([&] { flags = OutputTimeFlags(); }));
            for (int16_t valid : {flags.historyStart, flags.historyStop, flags.historyStep, flags.mapStart,
                                  flags.mapStop, flags.mapStep})
                EXPECT_EQ(valid, 1);
        };
        const auto refuseTwo = [&p] {
            EXPECT_TRUE(p.OnUi([] {
                OutputTimeFlags().historyStep = 0;
                OutputTimeFlags().mapStart = 0;
            }));
        };
        {
            SCOPED_TRACE("File Open makes every output time valid");
            refuseTwo();
            p.Menu(1003);
            p.ChooseFile("trazest.inp", "Select an existing Quarnex-TRAZ master file or input file");
            p.NoBox();
            allValid();
        }
        {
            SCOPED_TRACE("File New makes every output time valid");
            refuseTwo();
            p.Menu(1002);
            p.NoBox();
            allValid();
        }
    }
}

}  // namespace
