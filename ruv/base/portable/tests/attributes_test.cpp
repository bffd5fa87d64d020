// Toolkit attributes: the table, start values, each access rule and its
// refusals, pointer-sized values, and the values asked of the window
// system.

#include <set>

#include "core_test_support.h"
#include "ruvv_vobj.h"
#include "ruvv_attr.h"
#include "ruvk.h"

using namespace coretest;

namespace {

class AttrTest : public CoreTest {};

TEST_F(AttrTest, TableHasTheKeysInOrderOnce)
{
    const RUV_ATTR_ENTRY *t = ruvv_attr_table();
    std::set<int> keys;
    for (int i = 0; i < RUV_ATTR_COUNT; ++i)
        EXPECT_TRUE(keys.insert(t[i].key).second) << t[i].key;
    EXPECT_EQ(t[0].key, RUV_ATTR_MESSAGE_HOOK);
    EXPECT_EQ(t[5].key, RUV_ATTR_BACK_COLOR);
    EXPECT_EQ(t[RUV_ATTR_COUNT - 1].key, 10044);
}

TEST_F(AttrTest, StartValues)
{
    RUV_ATTR_START s{};
    s.dlg_units_12 = 20;
    s.dlg_units_9 = 15;
    s.ppi_x = 96;
    s.ppi_y = 120;
    s.color_screen = 1;
    s.frame_width = 21;
    s.frame_height = 27;
    s.task_style = 387;
    s.instance = 0x400000;
    s.prev_instance = 0;
    static const char cmd[] = "traz abc";
    s.command_line = reinterpret_cast<intptr_t>(cmd);
    ruvv_attr_set(NULL_WIN, 10009, 5);  // cleared by the start
    ASSERT_TRUE(ruvv_attr_init(&s));
    struct {
        int32_t key;
        intptr_t value;
    } cases[] = {
        { 200, 20 }, { 201, 20 }, { 202, 20 }, { 205, 15 }, { 206, 15 }, { 402, 96 }, { 403, 120 },
        { 101, 1 }, { 408, 21 }, { 409, 27 }, { 10012, 387 }, { 10001, 0x400000 }, { 10002, 0 },
        { 10000, reinterpret_cast<intptr_t>(cmd) }, { 10015, 1000 }, { 103, 1 }, { 10022, 1 }, { 10028, 0 },
        { 708, 1 }, { 10041, 0 }, { 10009, 0 }, { 10017, 0 },
    };
    for (const auto &c : cases)
        EXPECT_EQ(ruvv_attr_get(NULL_WIN, c.key), c.value) << c.key;
    EXPECT_TRUE(reports().empty());
}

TEST_F(AttrTest, FixedStartValuesHoldBeforeTheKernelStarts)
{
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_PALETTE_TYPE), 1);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, 10015), 1000);
}

TEST_F(AttrTest, UnlistedKeys)
{
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, 12345), 0);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x73C382u);
    EXPECT_EQ(reports()[0].severity, RUV_SEV_ERROR);
    ruvv_attr_set(NULL_WIN, 12345, 1);
    ASSERT_EQ(reports().size(), 2u);
    EXPECT_EQ(reports()[1].id, 0x73C37Eu);
}

TEST_F(AttrTest, RefusedReadOnlyValueIsNotStored)
{
    RUV_VOBJ screen{};
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_SCREEN_WINDOW, reinterpret_cast<intptr_t>(&screen));
    for (int32_t key : { RUV_ATTR_SCREEN_WINDOW, 200, 10000, 103 }) {
        intptr_t before = ruvv_attr_get(NULL_WIN, key);
        reports().clear();
        ruvk_vobj_set_attr(NULL_WIN, key, 4242);
        ASSERT_EQ(reports().size(), 1u) << key;
        EXPECT_EQ(reports()[0].id, 0x73C37Eu);
        EXPECT_EQ(ruvv_attr_get(NULL_WIN, key), before) << key;
    }
    EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW), reinterpret_cast<intptr_t>(&screen));
}

TEST_F(AttrTest, ValuesArePointerSized)
{
    const intptr_t big = static_cast<intptr_t>(INTPTR_MAX - 0x1234);
    for (int32_t key : { RUV_ATTR_HELP_HOOK, RUV_ATTR_HELP_INFO, RUV_ATTR_MEM_ERR_HOOK, 10009, 10011 }) {
        ruvv_attr_set(NULL_WIN, key, big);
        EXPECT_EQ(ruvv_attr_get(NULL_WIN, key), big) << key;
    }
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, big);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_TASK_WINDOW), big);
}

TEST_F(AttrTest, FontCacheSize)
{
    struct {
        intptr_t set, stored;
    } cases[] = { { -5, 10 }, { 0, 10 }, { 1, 1 }, { 25, 25 } };
    for (const auto &c : cases) {
        ruvv_attr_set(NULL_WIN, RUV_ATTR_FONT_CACHE_SIZE, c.set);
        EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_FONT_CACHE_SIZE), c.stored) << c.set;
    }
}

TEST_F(AttrTest, BeforeStartKeysRefuseOnceRunning)
{
    ruvv_attr_set(NULL_WIN, RUV_ATTR_USE_CTL3D, 1);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_KEY_HOOK_MODE, 1);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_USE_CTL3D), 1);
    EXPECT_TRUE(reports().empty());
    standin::set_running(true);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_USE_CTL3D, 0);
    ruvv_attr_set(NULL_WIN, 716, 7);
    ASSERT_EQ(reports().size(), 2u);
    EXPECT_EQ(reports()[0].id, 0x73C37Au);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_USE_CTL3D), 1);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, 716), 0);
    // Stored keys are still set while running.
    ruvv_attr_set(NULL_WIN, RUV_ATTR_HELP_INFO, 3);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_HELP_INFO), 3);
}

TEST_F(AttrTest, TaskWindowModesAreExclusive)
{
    ruvv_attr_set(NULL_WIN, RUV_ATTR_MDI, 1);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x73C37Bu);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW), 0);  // previous value kept
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_MDI), 1);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_MDI, 0);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW, 1);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW), 1);
    EXPECT_EQ(reports().size(), 1u);
    standin::set_running(true);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW, 0);
    EXPECT_EQ(reports().back().id, 0x73C37Au);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW), 1);
}

TEST_F(AttrTest, MdiMargins)
{
    ruvv_attr_set(NULL_WIN, RUV_ATTR_MDI_MARGIN_TOP, 5);
    EXPECT_EQ(reports().back().id, 0x73C37Cu);  // not running
    standin::set_running(true);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_MDI_MARGIN_BOTTOM, 5);
    EXPECT_EQ(reports().back().id, 0x73C37Du);  // no MDI
    EXPECT_EQ(standin::mdi_layouts(), 0);
    standin::set_running(false);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_MDI, 1);
    standin::set_running(true);
    reports().clear();
    ruvv_attr_set(NULL_WIN, RUV_ATTR_MDI_MARGIN_BOTTOM, 22);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_MDI_MARGIN_BOTTOM), 22);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_MDI_MARGIN_TOP), 0);
    EXPECT_EQ(standin::mdi_layouts(), 1);
}

TEST_F(AttrTest, ValuesOfTheWindowSystem)
{
    struct {
        int32_t key, arg;
        intptr_t value;
    } cases[] = {
        { RUV_ATTR_HSCROLL_HEIGHT, 3, 17 }, { RUV_ATTR_VSCROLL_WIDTH, 2, 18 }, { 505, 8, 3 }, { 504, 7, 4 },
        { 105, 105, 5 }, { RUV_ATTR_FRAME_HEIGHT, 33, 6 }, { 500, 32, 7 }, { 503, 8, 3 }, { 502, 7, 4 },
        { 102, 19, 1 }, { 208, 12, 32 }, { 207, 11, 33 }, { RUV_ATTR_MENU_HEIGHT, 15, 19 },
        { RUV_ATTR_SCREEN_HEIGHT, 1, 768 }, { RUV_ATTR_SCREEN_WIDTH, 0, 1024 }, { 507, 4, 23 },
        { 404, 404, 850 }, { 405, 405, 1100 }, { 406, 406, 4960 }, { 407, 407, 7016 },
        { 10024, 10024, 3 }, { 10037, 10037, 0x1234 },
    };
    for (const auto &c : cases)
        standin::set_system_value(c.key, c.arg, c.value);
    for (const auto &c : cases)
        EXPECT_EQ(ruvv_attr_get(NULL_WIN, c.key), c.value) << c.key;
    EXPECT_TRUE(reports().empty());
    // Read-only all the same.
    ruvv_attr_set(NULL_WIN, RUV_ATTR_SCREEN_HEIGHT, 5);
    EXPECT_EQ(reports().back().id, 0x73C37Eu);
}

TEST_F(AttrTest, BackColorTurnsTheNativeColourIntoRgb)
{
    // Button face red 224, green 208, blue 192, native 0x00BBGGRR.
    standin::set_system_value(RUV_ATTR_BACK_COLOR, RUV_ATTR_BACK_COLOR, 0x00C0D0E0);
    intptr_t c = ruvv_attr_get(NULL_WIN, RUV_ATTR_BACK_COLOR);
    EXPECT_EQ((c >> 16) & 0xFF, 224);
    EXPECT_EQ((c >> 8) & 0xFF, 208);
    EXPECT_EQ(c & 0xFF, 192);
    EXPECT_EQ(c, 0x00E0D0C0);
    ruvv_attr_set(NULL_WIN, RUV_ATTR_BACK_COLOR, 0);
    EXPECT_EQ(reports().back().id, 0x73C37Eu);
}

TEST_F(AttrTest, ValuesKeptByTheWindowSystem)
{
    ruvv_attr_set(NULL_WIN, 10023, 12);
    EXPECT_EQ(standin::system_value_set(10023), 12);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, 10023), 12);
    ruvv_attr_set(NULL_WIN, 10038, 0x55);
    EXPECT_EQ(standin::system_value_set(10038), 0x55);
    EXPECT_TRUE(reports().empty());
}

TEST_F(AttrTest, PerWindowKeys)
{
    RUV_VOBJ doc{};
    doc.tag = RUV_VOBJ_TAG;
    doc.kind = 8;
    RUV_VOBJ print{};
    print.tag = RUV_VOBJ_TAG;
    print.kind = 0x20;
    RUV_VOBJ untagged{};
    untagged.kind = 8;
    RUV_VOBJ screen{};
    screen.tag = RUV_VOBJ_TAG;
    screen.kind = 256;
    standin::set_system_value(RUV_ATTR_NATIVE_WINDOW, RUV_ATTR_NATIVE_WINDOW, 0xABCD);
    standin::set_system_value(601, 601, 0x77);

    EXPECT_EQ(ruvv_attr_get(&doc, RUV_ATTR_NATIVE_WINDOW), 0xABCD);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_NATIVE_WINDOW), 0);
    EXPECT_EQ(ruvv_attr_get(&untagged, RUV_ATTR_NATIVE_WINDOW), 0);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(ruvv_attr_get(&print, RUV_ATTR_NATIVE_WINDOW), 0);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x73C378u);
    EXPECT_EQ(ruvv_attr_get(&doc, 601), 0x77);

    // Navigation: kernel flag bit 2 of windows of kinds 0x501f.
    ruvv_attr_set(&doc, RUV_ATTR_NAVIGATION, 1);
    EXPECT_EQ(doc.kernel_flags, 0x4u);
    EXPECT_EQ(ruvv_attr_get(&doc, RUV_ATTR_NAVIGATION), 1);
    ruvv_attr_set(&doc, RUV_ATTR_NAVIGATION, 0);
    EXPECT_EQ(doc.kernel_flags, 0u);
    ruvv_attr_set(&screen, RUV_ATTR_NAVIGATION, 1);  // ignored
    EXPECT_EQ(screen.kernel_flags, 0u);
    screen.kernel_flags = 0x4;
    EXPECT_EQ(ruvv_attr_get(&screen, RUV_ATTR_NAVIGATION), 0);
}

TEST_F(AttrTest, InternalSetterStoresReadOnlyKeysWithoutReport)
{
    ruvv_attr_set_internal(NULL_WIN, 10021, 99);
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_FONT_CACHE_SIZE, -1);  // still through its rule
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, 10021), 99);
    EXPECT_EQ(ruvv_attr_get(NULL_WIN, RUV_ATTR_FONT_CACHE_SIZE), 10);
    ruvv_attr_set_internal(NULL_WIN, 12345, 1);  // unlisted: nothing
    EXPECT_TRUE(reports().empty());
}

TEST_F(AttrTest, KernelEntriesForwardToTheTable)
{
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_HOOK, 0x4711);
    EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_HELP_HOOK), 0x4711);
}

} // namespace
