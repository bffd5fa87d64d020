// The system services inside a running application on windows the kernel
// makes: timers of the window-less task on the utility window reaching the
// task as timer events, a window-less object's timers on the task window,
// the caret of a focused window set through the window services and
// following the focus, a destroyed window taking its timers and pointer trap along, the busy
// cursor ending when the queue is served, and the application's end
// releasing the trap, the timers and the clipboard.
#include <vector>

#include <gtest/gtest.h>

#include "clipboard.h"
#include "draw_state.h"
#include "cursor.h"
#include "kernel_test_support.h"
#include "timers.h"
#include "window_services.h"
#include "window_create.h"

namespace {

RUV_WIN task()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

std::vector<int32_t> &timer_events()
{
    static std::vector<int32_t> ids;
    return ids;
}

int32_t record_timers(RUV_WIN, RUV_EVENT *event)
{
    if (event->type == E_TIMER)
        timer_events().push_back(event->v.timer.id);
    return 0;
}

// Serves the queue for ms milliseconds.
void serve(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        ruvk_app_process_pending_events();
        Sleep(2);
    }
}

RUV_WIN document()
{
    RUV_RECT rect{ 50, 50, 250, 350 };
    return ruvk_win_create(1, &rect, "Document", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
}

TEST(SystemInApplication, WindowlessTaskTimerTicksOnTheUtilityWindow)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    timer_events().clear();
    int32_t id = -1;
    kt::run_app([&] {
        id = ruvk_timer_create(task(), 100);
        ASSERT_EQ(id, RUVK_TIMER_FIRST);
        ASSERT_NE(ruvk_timer_slot(id), nullptr);
        EXPECT_EQ(ruvk_timer_slot(id)->hwnd, ruvwi_get_utility_hwnd());
        serve(1000);
        ruvk_timer_destroy(id);
        size_t seen = timer_events().size();
        serve(250);
        EXPECT_EQ(timer_events().size(), seen);
    }, record_timers);
    EXPECT_GE(timer_events().size(), 8u);
    EXPECT_LE(timer_events().size(), 11u);
    for (int32_t got : timer_events())
        EXPECT_EQ(got, id);
}

TEST(SystemInApplication, WindowlessObjectOfTypeOneTimesOnTheTaskWindow)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        HWND task_hwnd = kt::hwnd_of(task());
        ASSERT_NE(task_hwnd, nullptr);
        RUV_VOBJ bare{};
        bare.tag = RUV_VOBJ_TAG;
        bare.type = 1;
        ASSERT_TRUE(ruvv_registry_add(&bare));
        EXPECT_EQ(ruvk_win_timer_hwnd(&bare), task_hwnd);
        int32_t id = ruvk_timer_create(&bare, 50);
        ASSERT_NE(id, -1);
        EXPECT_EQ(ruvk_timer_slot(id)->hwnd, task_hwnd);
        ruvk_timer_destroy(id);
        // Not for a text edit, nor for other types.
        bare.kind = RUV_KIND_TEXT_EDIT;
        EXPECT_EQ(ruvk_win_timer_hwnd(&bare), nullptr);
        bare.kind = 0;
        bare.type = 2;
        EXPECT_EQ(ruvk_timer_create(&bare, 50), -1);
        ruvv_registry_remove(&bare);
    });
}

TEST(SystemInApplication, DestroyedWindowTakesItsTimersAndTrapAlong)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        RUV_WIN w = document();
        ASSERT_NE(w, nullptr);
        HWND hwnd = kt::hwnd_of(w);
        RUV_WIN keep = document();
        int32_t id = ruvk_timer_create(w, 50);
        int32_t kept = ruvk_timer_create(keep, 50);
        ASSERT_NE(id, -1);
        ruvk_win_trap_pointer(w);
        ASSERT_EQ(GetCapture(), hwnd);
        ruvk_vobj_destroy(w);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(ruvk_timer_slot(id), nullptr);
        EXPECT_NE(ruvk_timer_slot(kept), nullptr);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(ruvk_pointer_trap_hwnd(), nullptr);
    });
}

TEST(SystemInApplication, BusyCursorEndsWhenTheQueueIsServed)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
        for (int period = 0; period < 2; ++period) {
            SetCursor(arrow);
            ruvk_scr_set_busy_cursor();
            ruvk_scr_set_busy_cursor();
            EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
            ruvk_app_process_pending_events();
            EXPECT_EQ(GetCursor(), arrow);
        }
    });
}

RECT caret_rect(HWND *owner)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetCurrentThreadId(), &gui);
    *owner = gui.hwndCaret;
    return gui.rcCaret;
}

TEST(SystemInApplication, CaretOfTheFocusWindowFollowsTheFocus)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        RUV_WIN w = document(), other = document();
        ASSERT_TRUE(w && other);
        HWND hwnd = kt::hwnd_of(w);
        SetForegroundWindow(hwnd);
        SetFocus(hwnd);
        serve(50);
        ASSERT_EQ(GetFocus(), hwnd);

        ruvk_win_set_caret_size(w, 2, 0);
        RUV_POINT at{ 30, 12 };
        ruvk_win_set_caret_pos(w, &at);
        ruvk_win_set_caret_visible(w, TRUE);
        const RUVK_CARET &c = w->draw_state->caret;
        ASSERT_GT(c.font_height, 0);
        HWND owner = nullptr;
        RECT r = caret_rect(&owner);
        EXPECT_EQ(owner, hwnd);
        EXPECT_EQ(r.left, 12);
        EXPECT_EQ(r.right, 14);
        EXPECT_EQ(r.top, 30 + c.font_descent - c.font_height);
        EXPECT_EQ(r.bottom, 30 + c.font_descent);

        SetFocus(kt::hwnd_of(other));
        serve(50);
        caret_rect(&owner);
        EXPECT_EQ(owner, nullptr);
        SetFocus(hwnd);
        serve(50);
        r = caret_rect(&owner);
        EXPECT_EQ(owner, hwnd);
        EXPECT_EQ(r.left, 12);
        EXPECT_EQ(r.top, 30 + c.font_descent - c.font_height);
    });
}

TEST(SystemInApplication, EndReleasesTrapTimersAndClipboard)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    HWND utility = nullptr;
    kt::run_app([&] {
        utility = ruvwi_get_utility_hwnd();
        RUV_WIN w = document();
        ASSERT_NE(w, nullptr);
        ASSERT_NE(ruvk_timer_create(w, 50), -1);
        ASSERT_NE(ruvk_timer_create(task(), 50), -1);
        ruvk_win_trap_pointer(w);
        ASSERT_TRUE(ruvk_cb_open(FALSE));
        EXPECT_EQ(GetOpenClipboardWindow(), utility);
    });
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindow(utility));
    for (int32_t id = RUVK_TIMER_FIRST; id <= RUVK_TIMER_LAST; ++id)
        ASSERT_EQ(ruvk_timer_slot(id), nullptr) << id;
    // Nothing of the clipboard, the timers or the cursor was reported.
    for (const kt::Report &r : kt::reports())
        EXPECT_NE(r.id & 0xFFFF00u, 0x347700u) << std::hex << r.id;
}

} // namespace
