// The timer table on real native timers: ids 2 to 256 taken lowest first,
// ids outside the table ignored (the pointer trap keeps id 1), long
// intervals on the native timer of attribute 10015, and every timer of a
// window forgotten with it.
#include <gtest/gtest.h>

#include "cursor.h"
#include "kernel_test_support.h"
#include "system_test_support.h"
#include "timers.h"

namespace {

class TimersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ASSERT_TRUE(a_.ok() && b_.ok());
    }
    void TearDown() override
    {
        ruvk_win_release_pointer();
        ruvk_timer_release_all();
    }
    kt::Session session_;
    st::TestWindow a_, b_{ 300, 100 };
};

TEST_F(TimersTest, IdsTwoTo256AreTakenLowestFirst)
{
    for (int32_t id = RUVK_TIMER_FIRST; id <= RUVK_TIMER_LAST; ++id)
        ASSERT_EQ(ruvk_timer_create(a_.win(), 1000), id);
    EXPECT_EQ(ruvk_timer_create(a_.win(), 1000), -1);
    ruvk_timer_destroy(7);
    EXPECT_EQ(ruvk_timer_slot(7), nullptr);
    EXPECT_EQ(ruvk_timer_create(b_.win(), 1000), 7);
    RUVK_TIMER_SLOT *s = ruvk_timer_slot(7);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->hwnd, b_.hwnd());
    EXPECT_EQ(s->interval, 1000);
    EXPECT_LE(GetTickCount() - s->ticks, 1000u);
}

TEST_F(TimersTest, TimerTicksOnItsWindowUntilDestroyed)
{
    int32_t id = ruvk_timer_create(a_.win(), 20);
    ASSERT_EQ(id, 2);
    EXPECT_GE(st::drain(a_.hwnd(), WM_TIMER, 150, 2), 2);
    ruvk_timer_destroy(id);
    st::drain(a_.hwnd(), WM_TIMER, 0);
    EXPECT_EQ(st::drain(a_.hwnd(), WM_TIMER, 100, 2), 0);
}

TEST_F(TimersTest, IdsOutsideTheTableAreIgnored)
{
    ruvk_win_trap_pointer(a_.win());
    ASSERT_EQ(ruvk_timer_create(a_.win(), 1000), 2);
    ASSERT_EQ(ruvk_timer_create(a_.win(), 1000), 3);
    for (int32_t id : { 1, 0, -1, -300, 257, 100000 })
        ruvk_timer_destroy(id);
    EXPECT_NE(ruvk_timer_slot(2), nullptr);
    EXPECT_NE(ruvk_timer_slot(3), nullptr);
    EXPECT_EQ(ruvk_timer_slot(1), nullptr);
    EXPECT_EQ(ruvk_timer_slot(0), nullptr);
    // The pointer trap's timer still runs.
    EXPECT_GE(st::drain(a_.hwnd(), WM_TIMER, 200, RUVK_TRAP_TIMER_ID), 1);
}

TEST_F(TimersTest, LongIntervalRunsOnTheNativeIntervalOfTheAttribute)
{
    ruvk_vobj_set_attr(NULL_WIN, 10015, 30);
    ASSERT_EQ(ruvk_vobj_get_attr(NULL_WIN, 10015), 30);
    int32_t id = ruvk_timer_create(a_.win(), 100000);
    ASSERT_EQ(id, 2);
    EXPECT_EQ(ruvk_timer_slot(id)->interval, 100000);
    EXPECT_GE(st::drain(a_.hwnd(), WM_TIMER, 200, 2), 1);
}

TEST_F(TimersTest, DestroyedWindowTakesItsTimersAlong)
{
    ASSERT_EQ(ruvk_timer_create(a_.win(), 20), 2);
    ASSERT_EQ(ruvk_timer_create(b_.win(), 20), 3);
    ASSERT_EQ(ruvk_timer_create(a_.win(), 20), 4);
    ruvk_timer_kill_window(a_.hwnd());
    EXPECT_EQ(ruvk_timer_slot(2), nullptr);
    EXPECT_EQ(ruvk_timer_slot(4), nullptr);
    EXPECT_NE(ruvk_timer_slot(3), nullptr);
    st::drain(a_.hwnd(), WM_TIMER, 0);
    EXPECT_EQ(st::drain(a_.hwnd(), WM_TIMER, 100), 0);
    EXPECT_GE(st::drain(b_.hwnd(), WM_TIMER, 100, 3), 1);
    // Freed ids are taken again.
    EXPECT_EQ(ruvk_timer_create(b_.win(), 20), 2);
}

TEST_F(TimersTest, AWindowWithoutANativeWindowGetsNoTimer)
{
    RUV_VOBJ bare{};
    bare.tag = RUV_VOBJ_TAG;
    bare.type = 3;
    ASSERT_TRUE(ruvv_registry_add(&bare));
    EXPECT_EQ(ruvk_timer_create(&bare, 100), -1);
    EXPECT_EQ(ruvk_timer_create(nullptr, 100), -1);
    ruvv_registry_remove(&bare);
    EXPECT_EQ(ruvk_timer_slot(2), nullptr);
}

} // namespace
