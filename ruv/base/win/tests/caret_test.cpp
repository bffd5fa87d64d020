// The caret of drawable windows on the one native caret, read back through
// the thread's GUI information: extent from the font or an explicit height,
// creation only for the focus window, the caret following the focus, and
// the owner forgotten when the caret goes.
#include <gtest/gtest.h>

#include "caret.h"
#include "kernel_test_support.h"
#include "system_test_support.h"

namespace {

struct NativeCaret {
    HWND hwnd;
    RECT rect;
};

NativeCaret native_caret()
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetCurrentThreadId(), &gui);
    return { gui.hwndCaret, gui.rcCaret };
}

class CaretTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ASSERT_TRUE(a_.ok() && b_.ok());
        focus(a_);
    }
    void TearDown() override { DestroyCaret(); }
    static void focus(st::TestWindow &w)
    {
        SetForegroundWindow(w.hwnd());
        SetFocus(w.hwnd());
        ASSERT_EQ(GetFocus(), w.hwnd());
    }

    kt::Session session_;
    st::TestWindow a_{ 50, 50 }, b_{ 300, 50 };
};

TEST_F(CaretTest, ExtentComesFromTheFontOrTheHeight)
{
    struct Case {
        int16_t v, h, height, width, descent, font_height;
        RECT expect;
    } cases[] = {
        // Height 0 at baseline 20, descent 3, font height 16: 7 to 23.
        { 20, 4, 0, 2, 3, 16, { 4, 7, 6, 23 } },
        { 30, 5, 10, 1, 3, 16, { 5, 20, 6, 30 } },
        { 40, 0, 0, 3, 4, 20, { 0, 24, 3, 44 } },
    };
    RUV_APP_RECORD *app = ruvk_app_record();
    for (const Case &c : cases) {
        RUVK_CARET &k = a_.caret();
        k.v = c.v;
        k.h = c.h;
        k.height = c.height;
        k.width = c.width;
        k.font_descent = c.descent;
        k.font_height = c.font_height;
        k.visible = 1;
        ruvk_caret_sync(a_.win(), &k, FALSE);
        NativeCaret n = native_caret();
        EXPECT_EQ(n.hwnd, a_.hwnd());
        EXPECT_EQ(n.rect.left, c.expect.left) << c.v;
        EXPECT_EQ(n.rect.top, c.expect.top) << c.v;
        EXPECT_EQ(n.rect.right, c.expect.right) << c.v;
        EXPECT_EQ(n.rect.bottom, c.expect.bottom) << c.v;
        EXPECT_EQ(k.created, 1);
        EXPECT_EQ(app->caret_owner, a_.win());
        EXPECT_EQ(app->caret_hwnd, a_.hwnd());
        EXPECT_EQ(app->caret_visible, 1);
    }
    // Moving only places it again.
    a_.caret().h = 9;
    ruvk_caret_sync(a_.win(), &a_.caret(), FALSE);
    EXPECT_EQ(native_caret().rect.left, 9);

    a_.caret().visible = 0;
    ruvk_caret_sync(a_.win(), &a_.caret(), FALSE);
    EXPECT_EQ(app->caret_visible, 0);
    EXPECT_EQ(a_.caret().created, 1);
}

TEST_F(CaretTest, OnlyTheFocusWindowGetsTheNativeCaret)
{
    RUVK_CARET &k = b_.caret();
    k.v = 20;
    k.width = 1;
    k.height = 12;
    k.visible = 1;
    ruvk_caret_sync(b_.win(), &k, FALSE);
    EXPECT_EQ(native_caret().hwnd, nullptr);
    EXPECT_EQ(k.created, 0);
    EXPECT_EQ(ruvk_app_record()->caret_owner, nullptr);

    // A window that loses the focus with a created caret is marked so at
    // its next synchronisation.
    a_.caret() = k;
    ruvk_caret_sync(a_.win(), &a_.caret(), FALSE);
    ASSERT_EQ(a_.caret().created, 1);
    focus(b_);
    ruvk_caret_sync(a_.win(), &a_.caret(), FALSE);
    EXPECT_EQ(a_.caret().created, 0);
    EXPECT_EQ(ruvk_app_record()->caret_owner, nullptr);
}

TEST_F(CaretTest, CaretFollowsTheFocus)
{
    RUVK_CARET &k = a_.caret();
    k.v = 25;
    k.h = 6;
    k.width = 2;
    k.height = 15;
    k.visible = 1;
    ruvk_caret_sync(a_.win(), &k, FALSE);
    ASSERT_EQ(native_caret().hwnd, a_.hwnd());

    ruvk_caret_focus_lost(a_.win());
    EXPECT_EQ(native_caret().hwnd, nullptr);
    EXPECT_EQ(k.created, 0);
    EXPECT_EQ(ruvk_app_record()->caret_owner, nullptr);

    ruvk_caret_focus_gained(a_.win());
    NativeCaret n = native_caret();
    EXPECT_EQ(n.hwnd, a_.hwnd());
    EXPECT_EQ(n.rect.left, 6);
    EXPECT_EQ(n.rect.top, 10);
    EXPECT_EQ(n.rect.bottom, 25);
    EXPECT_EQ(ruvk_app_record()->caret_owner, a_.win());

    // A hidden caret is not brought back by the focus.
    ruvk_caret_focus_lost(a_.win());
    k.visible = 0;
    ruvk_caret_focus_gained(a_.win());
    EXPECT_EQ(native_caret().hwnd, nullptr);
}

} // namespace
