// Cursor services on real windows: one busy period with one 2036 message,
// the window's own cursor, the mouse cursor hidden over toolkit windows only
// and shown again once the pointer moves, the pointer trap (capture and
// timer 1), the platform escape, and the fatal system-error box in a child
// process.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "cursor.h"
#include "kernel_test_support.h"
#include "system_test_support.h"

namespace {

constexpr UINT kBusyMessage = WM_USER + 1012;

int display_count()
{
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

// Windows of other test programs share the desktop: the window a test
// points at is put above them all first.
void put_on_top(HWND hwnd)
{
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

POINT centre(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ASSERT_TRUE(a_.ok());
        RUV_APP_RECORD *app = ruvk_app_record();
        ASSERT_NE(app, nullptr);
        if (!app->utility) {
            utility_ = CreateWindowExA(0, st::window_class(), "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
            app->utility = utility_;
        }
    }
    void TearDown() override
    {
        ruvk_cursor_stop_tracking();
        if (utility_) {
            ruvk_app_record()->utility = nullptr;
            DestroyWindow(utility_);
        }
    }
    HWND utility() { return ruvk_app_record()->utility; }

    kt::Session session_;
    st::TestWindow a_;
    HWND utility_ = nullptr;
};

TEST_F(CursorTest, OneBusyPeriodPostsOneMessage)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW), wait = LoadCursor(nullptr, IDC_WAIT);
    SetCursor(arrow);
    for (int period = 0; period < 2; ++period) {
        ruvk_scr_set_busy_cursor();
        EXPECT_EQ(GetCursor(), wait);
        SetCursor(LoadCursor(nullptr, IDC_CROSS));
        // A second call before the queue is served does nothing.
        ruvk_scr_set_busy_cursor();
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_CROSS));
        EXPECT_EQ(st::drain(utility(), kBusyMessage, 0), 1);
        ruvk_cursor_restore_busy();
        EXPECT_EQ(GetCursor(), arrow);
        // Restoring twice changes nothing.
        SetCursor(wait);
        ruvk_cursor_restore_busy();
        EXPECT_EQ(GetCursor(), wait);
        SetCursor(arrow);
    }
}

TEST_F(CursorTest, WindowCursorOrTheArrow)
{
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    a_.win()->cursor_handle = cross;
    ruvk_cursor_set_for_window(a_.win());
    EXPECT_EQ(GetCursor(), cross);
    a_.win()->cursor_handle = nullptr;
    ruvk_cursor_set_for_window(a_.win());
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
    SetCursor(cross);
    ruvk_cursor_set_for_window(nullptr);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(CursorTest, HiddenOverToolkitWindowsUntilThePointerMoves)
{
    int before = display_count();
    ASSERT_GE(before, 0);
    put_on_top(a_.hwnd());
    POINT at = centre(a_.hwnd());
    ASSERT_TRUE(SetCursorPos(at.x, at.y));
    ASSERT_EQ(WindowFromPoint(at), a_.hwnd());

    ruvk_scr_hide_cursor();
    EXPECT_LT(display_count(), 0);
    // Hiding again does not count down further.
    int hidden = display_count();
    ruvk_scr_hide_cursor();
    EXPECT_EQ(display_count(), hidden);
    // Still at the same place over the same window: stays hidden.
    ruvk_cursor_show_again();
    EXPECT_LT(display_count(), 0);
    ASSERT_TRUE(SetCursorPos(at.x + 3, at.y));
    ruvk_cursor_show_again();
    EXPECT_EQ(display_count(), before);
}

TEST_F(CursorTest, NotHiddenOverAWindowOfAnotherApplication)
{
    HWND other = st::foreign_window(500, 300, 100, 100);
    ASSERT_NE(other, nullptr);
    put_on_top(other);
    POINT at = centre(other);
    EXPECT_TRUE(SetCursorPos(at.x, at.y));
    EXPECT_EQ(WindowFromPoint(at), other);
    int before = display_count();
    ruvk_scr_hide_cursor();
    EXPECT_EQ(display_count(), before);
    DestroyWindow(other);
}

TEST_F(CursorTest, PointerTrapCapturesAndPollsUntilReleased)
{
    st::TestWindow other{ 400, 100 };
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    a_.win()->cursor_handle = cross;
    ruvk_win_trap_pointer(a_.win());
    EXPECT_EQ(GetCapture(), a_.hwnd());
    EXPECT_EQ(ruvk_pointer_trap_hwnd(), a_.hwnd());
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_GE(st::drain(a_.hwnd(), WM_TIMER, 200, 1), 2);

    // Another window going does not end the trap; the trapping one does.
    ruvk_pointer_forget_window(other.hwnd());
    EXPECT_EQ(GetCapture(), a_.hwnd());
    ruvk_pointer_forget_window(a_.hwnd());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(ruvk_pointer_trap_hwnd(), nullptr);
    st::drain(a_.hwnd(), WM_TIMER, 0);
    EXPECT_EQ(st::drain(a_.hwnd(), WM_TIMER, 120, 1), 0);

    ruvk_win_trap_pointer(a_.win());
    ruvk_win_release_pointer();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(KillTimer(a_.hwnd(), 1));
}

TEST_F(CursorTest, PointerTrapWithoutWindowOrMovedLeavesNoTimerRunning)
{
    // An object without a window of its own or the task's: no capture, no
    // trap, and no timer left ticking (a timer on no window would tick
    // for the thread).
    RUV_VOBJ bare{};
    bare.tag = RUV_VOBJ_TAG;
    bare.type = 2;
    ruvk_win_trap_pointer(&bare);
    EXPECT_EQ(ruvk_pointer_trap_hwnd(), nullptr);
    EXPECT_EQ(st::drain(nullptr, WM_TIMER, 160), 0);
    ruvk_win_release_pointer();

    // Trapping in a second window ends the first one's poll.
    st::TestWindow other{ 400, 100 };
    ruvk_win_trap_pointer(a_.win());
    ruvk_win_trap_pointer(other.win());
    EXPECT_EQ(GetCapture(), other.hwnd());
    st::drain(a_.hwnd(), WM_TIMER, 0);
    EXPECT_EQ(st::drain(a_.hwnd(), WM_TIMER, 160, 1), 0);
    EXPECT_GE(st::drain(other.hwnd(), WM_TIMER, 160, 1), 1);
    ruvk_win_release_pointer();
    EXPECT_FALSE(KillTimer(other.hwnd(), 1));
    EXPECT_FALSE(KillTimer(a_.hwnd(), 1));
}

TEST_F(CursorTest, EscapeCodes)
{
    EXPECT_EQ(ruvk_app_escape(4002, nullptr), 0);
    EXPECT_EQ(ruvk_app_escape(0, nullptr), 0);
    ruvk_scr_beep();
}

// ---- the fatal system-error box, in a child process ----

constexpr const char *kChildVar = "RUVK_FATAL_CHILD_OUT";

// In the child: a watcher thread records the box's caption and text in the
// file named by the environment and closes it.
DWORD WINAPI watch_box(LPVOID main_thread)
{
    for (int i = 0; i < 500; ++i) {
        HWND box = nullptr;
        EnumThreadWindows(
            static_cast<DWORD>(reinterpret_cast<uintptr_t>(main_thread)),
            [](HWND hwnd, LPARAM lp) -> BOOL {
                char cls[16] = "";
                GetClassNameA(hwnd, cls, sizeof cls);
                if (strcmp(cls, "#32770") == 0 && IsWindowVisible(hwnd)) {
                    *reinterpret_cast<HWND *>(lp) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&box));
        if (box) {
            char caption[64] = "", text[512] = "";
            GetWindowTextA(box, caption, sizeof caption);
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            if (FILE *f = fopen(getenv(kChildVar), "w")) {
                fprintf(f, "%s\n%s", caption, text);
                fclose(f);
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(20);
    }
    return 0;
}

TEST(FatalSystemError, ChildShowsTheBoxAndEndsWithTheError)
{
    if (const char *out = getenv(kChildVar)) {
        (void)out;
        CreateThread(nullptr, 0, watch_box, reinterpret_cast<LPVOID>(uintptr_t(GetCurrentThreadId())), 0, nullptr);
        SetLastError(ERROR_ACCESS_DENIED);
        ruvk_fatal_system_error("CreateDIBSection");
        ADD_FAILURE() << "returned";
        return;
    }
    kt::ChildRun child = kt::run_child(kChildVar, "FatalSystemError.*");
    ASSERT_TRUE(child.ran);
    EXPECT_EQ(child.exit_code, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    const std::string &seen = child.output;
    EXPECT_EQ(seen.rfind("Error\nCreateDIBSection failed with error 5: ", 0), 0u) << seen;
    EXPECT_GT(seen.size(), std::string("Error\nCreateDIBSection failed with error 5: ").size()) << seen;
}

} // namespace
