// Window procedures by class: what the plain task window keeps to itself,
// the document's maximised size and its keyboard menu, the cursor answer,
// and the drawable task window's events.
#include <gtest/gtest.h>

#include "event_test_support.h"
#include "window_procs.h"

using et::events_of;
using et::seen;

namespace {

struct Sent {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};
std::vector<Sent> g_sent;
UINT g_take;
HWND g_take_at;

// Sees every message of every toolkit window first; takes g_take.
RUV_BOOL watch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT *)
{
    g_sent.push_back({hwnd, msg, wp, lp});
    return msg == g_take && hwnd == g_take_at ? 0 : 1;
}

} // namespace

TEST(WindowProcs, ThePlainTaskWindowSendsNoMouseKeyOrPaintEvents)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(
        [] {
            HWND task = et::hwnd(et::task());
            ASSERT_NE(task, nullptr);
            seen().clear();
            SendMessageA(task, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            SendMessageA(task, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
            SendMessageA(task, WM_MOUSEMOVE, 0, MAKELPARAM(12, 10));
            SendMessageA(task, WM_KEYDOWN, VK_HOME, 1);
            SendMessageA(task, WM_CHAR, 'a', 1);
            InvalidateRect(task, nullptr, TRUE);
            UpdateWindow(task);
            EXPECT_TRUE(events_of(et::task(), RUV_EVENT_BIT(E_FOCUS)).empty());
            SendMessageA(task, WM_CLOSE, 0, 0);
            EXPECT_EQ(events_of(et::task(), RUV_EVENT_BIT(E_FOCUS)), std::vector<std::string>{"close"});
        },
        et::record);
}

TEST(WindowProcs, TheDrawableTaskWindowGetsInputAndPaint)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW, 1);
    et::run(
        [] {
            RUV_WIN t = et::task();
            ASSERT_EQ(t->kind, 2u);
            HWND task = et::hwnd(t);
            et::pump(50);
            seen().clear();
            SendMessageA(task, WM_LBUTTONUP, 0, MAKELPARAM(10, 11));
            SendMessageA(task, WM_KEYDOWN, VK_HOME, 1);
            InvalidateRect(task, nullptr, TRUE);
            UpdateWindow(task);
            EXPECT_EQ(events_of(t, RUV_EVENT_BIT(E_FOCUS)),
                      (std::vector<std::string>{"up v11 h10 s0 c0 b0", "char 307 vk1 s0 c0 m0", "update"}));
        },
        et::record);
}

TEST(WindowProcs, AMaximisedDocumentFillsItsParentsClientArea)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN doc = et::make_window(NULL_WIN);
        ASSERT_NE(doc, nullptr);
        HWND h = et::hwnd(doc), parent = GetParent(h);
        ASSERT_NE(parent, nullptr);
        RECT pc;
        GetClientRect(parent, &pc);
        MINMAXINFO mm = {};
        SendMessageA(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
        EXPECT_EQ(mm.ptMaxSize.x, pc.right + 1);
        EXPECT_EQ(mm.ptMaxSize.y, pc.bottom + 1);
        EXPECT_EQ(mm.ptMaxPosition.x, 0);
        EXPECT_EQ(mm.ptMaxPosition.y, 0);

        ShowWindow(h, SW_MAXIMIZE);
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
        EXPECT_LE(r.left, 0);
        EXPECT_LE(r.top, 0);
        EXPECT_GE(r.right, pc.right);
        EXPECT_GE(r.bottom, pc.bottom);
    });
}

TEST(WindowProcs, AltLetterInADocumentGoesToTheTaskWindowsMenu)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN doc = et::make_window(NULL_WIN);
        ASSERT_NE(doc, nullptr);
        HWND task = et::hwnd(et::task());
        g_sent.clear();
        g_take = WM_SYSCOMMAND;
        g_take_at = task;
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, reinterpret_cast<intptr_t>(&watch));
        // The hook takes the command at the task window, so no menu opens.
        SendMessageA(et::hwnd(doc), WM_SYSCOMMAND, SC_KEYMENU, 'f');
        g_take = 0;
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, 0);
        bool forwarded = false;
        for (const Sent &s : g_sent)
            forwarded |= s.hwnd == task && s.msg == WM_SYSCOMMAND && (s.wp & 0xFFF0) == SC_KEYMENU && s.lp == 'f';
        EXPECT_TRUE(forwarded);
    });
}

TEST(WindowProcs, SetCursorIsAnsweredByTheToolkit)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN doc = et::make_window(NULL_WIN);
        ASSERT_NE(doc, nullptr);
        HWND h = et::hwnd(doc);
        EXPECT_EQ(SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
        EXPECT_EQ(SendMessageA(et::hwnd(et::task()), WM_SETCURSOR, reinterpret_cast<WPARAM>(h),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                  1);
    });
}

TEST(WindowProcs, MessagesOfWindowsTheToolkitDoesNotOwnGiveNoEvent)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        // A window of a kernel class whose user data is no record.
        RUV_WIN doc = et::make_window(NULL_WIN);
        ASSERT_NE(doc, nullptr);
        char cls[256];
        GetClassNameA(et::hwnd(doc), cls, sizeof cls);
        HWND stray = CreateWindowExA(0, cls, "stray", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(stray, nullptr);
        seen().clear();
        SendMessageA(stray, WM_KEYDOWN, VK_HOME, 1);
        SendMessageA(stray, WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10));
        EXPECT_TRUE(seen().empty());
        DestroyWindow(stray);
        EXPECT_TRUE(seen().empty());
    });
}
