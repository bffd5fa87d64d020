// The scenario model's window helpers on the real toolkit: a path shortened
// to the message width in an invisible measuring window that goes again, a
// path fitted into a control, a window centred on the screen and a window
// grown in height where it stands.
#include "front_fixture.h"
#include "ruv.h"
#include "ruvv_attr.h"
#include "thread_windows.h"
#include "editor_services.h"
#include "utilities.h"

#include <cstdarg>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace ruvf_test;

// The editor's dialog-control helpers that the window helpers call, over
// the toolkit (the editor's own are not part of this program).
void SetControlTitle(RUV_WIN window, int32_t controlId, const char *text)
{
    if (RUV_WIN ctl = ruv_win_get_ctl(window, controlId))
        ruv_vobj_set_title(ctl, text);
}

std::vector<std::string> &errors_shown()
{
    static std::vector<std::string> e;
    return e;
}

void PostErrorF(const char *format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    errors_shown().push_back(text);
}

// The file checks of the same module need the editor's file specification;
// the window helpers do not reach them, so it refuses here.
int16_t PathToFileSpec(const char *, RUV_FILE_SPEC *)
{
    return 0;
}

namespace {

constexpr int MESSAGE_WIDTH = 216;

RUV_WIN task_window()
{
    return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

int32_t no_events(RUV_WIN, RUV_EVENT *) { return 0; }

// A hidden window of the measuring window's kind: texts are measured in
// the same font.
class Ruler {
public:
    Ruler()
    {
        RUV_RECT r{ 0, 0, 200, 226 };
        w_ = ruv_win_create(2, &r, "", 0, task_window(), 0x810, -1, no_events, nullptr);
    }
    ~Ruler() { ruv_vobj_destroy(w_); }
    int width(const std::string &text) const { return ruv_dwin_get_text_width(w_, text.c_str(), -1); }

private:
    RUV_WIN w_;
};

HWND hwnd_of(RUV_WIN w)
{
    return static_cast<HWND>(w->native);
}

// The client area's top-left corner on the screen and its size.
RECT client_on_screen(RUV_WIN w)
{
    RECT r{};
    GetClientRect(hwnd_of(w), &r);
    MapWindowPoints(hwnd_of(w), nullptr, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

bool ends_with(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(ShortenPathForMessage, FitsTheMessageWidthAndLeavesNoWindow)
{
    in_app([] {
        Recorder rec;
        Ruler ruler;
        const std::string deep = "C:\\scenarios\\estuary\\harbour\\runs\\2026\\december\\first\\trial.inp";
        ASSERT_GT(ruler.width(deep), MESSAGE_WIDTH);
        const std::string narrow = "C:\\" + std::string(80, 'W');
        const std::string cases[] = { "", "C:\\a.inp", deep, narrow };
        for (const std::string &path : cases) {
            SCOPED_TRACE(path);
            const int windows = thread_windows();
            const std::string shown = ShortenPathForMessage(path.c_str());
            EXPECT_EQ(thread_windows(), windows);
            if (path.empty()) {
                EXPECT_EQ(shown, "Filename unknown");
                continue;
            }
            EXPECT_LE(ruler.width(shown), MESSAGE_WIDTH) << shown;
            if (ruler.width(path) <= MESSAGE_WIDTH) {
                EXPECT_EQ(shown, path);
            } else if (path == deep) {
                // The longest tail of whole components that fits.
                ASSERT_EQ(shown.rfind("...\\", 0), 0u) << shown;
                EXPECT_TRUE(ends_with(path, shown.substr(3))) << shown;
                const std::string tail = shown.substr(4);
                const size_t at = path.rfind("\\" + tail);
                const size_t before = path.rfind('\\', at - 1);
                EXPECT_GT(ruler.width("...\\" + path.substr(before + 1)), MESSAGE_WIDTH) << shown;
            } else {
                // One component too wide: its last characters after "...".
                ASSERT_EQ(shown.rfind("...", 0), 0u) << shown;
                EXPECT_NE(shown[3], '\\');
                EXPECT_TRUE(ends_with(path, shown.substr(3))) << shown;
                EXPECT_GT(ruler.width("..." + path.substr(path.size() - (shown.size() - 3) - 1)), MESSAGE_WIDTH);
            }
        }
        EXPECT_EQ(rec.errors(), 0u);
    });
}

TEST(FitTextToControl, PutsTheFittedPathIntoTheControl)
{
    in_app([] {
        Recorder rec;
        RUV_RECT r{ 40, 40, 200, 400 };
        RUV_WIN window = ruv_win_create(1, &r, "Fit", 0, task_window(), 0x803, -1, no_events, nullptr);
        RUV_RECT cr{ 10, 10, 34, 130 };
        RUV_WIN ctl = ruv_ctl_create(18, &cr, "", window, 0, nullptr, 5);
        ASSERT_NE(ctl, NULL_WIN);
        const char *path = "C:\\scenarios\\estuary\\harbour\\runs\\trial.inp";
        EXPECT_EQ(FitTextToControl(path, window, 5), 1);
        char title[256] = "";
        ruv_vobj_get_title(ctl, title, sizeof title);
        const std::string shown = title;
        EXPECT_EQ(shown.rfind("...\\", 0), 0u) << shown;
        EXPECT_TRUE(ends_with(path, shown.substr(3))) << shown;
        EXPECT_LE(ruv_dwin_get_text_width(window, title, -1), 120) << shown;
        EXPECT_EQ(FitTextToControl(path, window, 6), 0);
        ruv_vobj_destroy(window);
        EXPECT_EQ(rec.errors(), 0u);
    });
}

// As the program runs: the task window is a window-less object, so a
// top-level window's coordinates are the screen's.
void in_program_app(std::function<void()> body)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruv_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    kt::run_app(std::move(body));
}

TEST(WindowPlacement, CentreOnTheScreenThenGrowWhereItStands)
{
    in_program_app([] {
        Recorder rec;
        RUV_RECT r{ 10, 10, 210, 310 };
        RUV_WIN window = ruv_win_create(1, &r, "Place", 0, task_window(), 0x803, -1, no_events, nullptr);
        ASSERT_NE(window, NULL_WIN);
        const RECT before = client_on_screen(window);
        const int w = before.right - before.left, h = before.bottom - before.top;

        CenterWindowOnScreen(window);
        const RECT centred = client_on_screen(window);
        EXPECT_EQ(centred.right - centred.left, w);
        EXPECT_EQ(centred.bottom - centred.top, h);
        const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
        const int frame = static_cast<int>(ruv_vobj_get_attr(NULL_WIN, 501) + ruv_vobj_get_attr(NULL_WIN, 506));
        EXPECT_EQ(centred.left, (screenW - w) / 2);
        EXPECT_EQ(centred.top, (screenH + frame - h) / 2);

        GrowWindowHeight(window, 30);
        const RECT grown = client_on_screen(window);
        EXPECT_EQ(grown.left, centred.left);
        EXPECT_EQ(grown.top, centred.top);
        EXPECT_EQ(grown.right - grown.left, w);
        EXPECT_EQ(grown.bottom - grown.top, h + 30);

        // A child keeps its place in its parent.
        RUV_RECT cr{ 20, 30, 60, 130 };
        RUV_WIN child = ruv_win_create(7, &cr, "", 0, window, 0, -1, no_events, nullptr);
        ASSERT_NE(child, NULL_WIN);
        GrowWindowHeight(child, 15);
        RECT c{};
        GetWindowRect(hwnd_of(child), &c);
        MapWindowPoints(nullptr, hwnd_of(window), reinterpret_cast<POINT *>(&c), 2);
        EXPECT_EQ(c.left, 30);
        EXPECT_EQ(c.top, 20);
        EXPECT_EQ(c.bottom - c.top, 55);
        ruv_vobj_destroy(window);
        EXPECT_EQ(rec.errors(), 0u);
        EXPECT_TRUE(errors_shown().empty());
    });
}

} // namespace
