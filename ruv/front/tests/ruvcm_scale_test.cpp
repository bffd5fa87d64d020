// Character-cell scaling of the design-support module, in a process of its
// own: the measured cell and each direction's first scaling are kept for
// the process.  A measurement that cannot be made (here: the measuring
// window refused during an E_UPDATE) scales by 1 until one succeeds; a
// design cell with a zero length is refused; measuring leaves no window.
#include "front_fixture.h"
#include "ruvcm.h"
#include "ruvv_attr.h"
#include "ruvv_event.h"
#include "thread_windows.h"

#include <cstring>

using namespace ruvf_test;

namespace {

struct InUpdate {
    bool ran = false;
    int h = -1;
    int v = -1;
    int32_t cell = -1;
};

InUpdate &in_update()
{
    static InUpdate u;
    return u;
}

int32_t scale_in_update(RUV_WIN, RUV_EVENT *e)
{
    if (e->type == E_UPDATE && !in_update().ran) {
        in_update().ran = true;
        in_update().h = ruvcm_scale_h(100);
        in_update().v = ruvcm_scale_v(40);
        in_update().cell = ruvcm_measure_char_cell();
    }
    return 0;
}

TEST(Scale, FirstMeasuredCellDecidesEachDirection)
{
    in_app([] {
        Recorder rec;
        EXPECT_EQ(ruvcm_get_base_cell(), RUVCM_CELL(8, 16));
        // A design cell with no width or no height would divide by zero.
        ruvcm_set_base_cell(RUVCM_CELL(0, 16));
        ruvcm_set_base_cell(RUVCM_CELL(8, 0));
        ruvcm_set_base_cell(0);
        EXPECT_EQ(ruvcm_get_base_cell(), RUVCM_CELL(8, 16));

        // No window can be made while an update is processed: no cell yet,
        // so the values stay as designed.
        RUV_RECT r{ 40, 40, 200, 300 };
        RUV_WIN w = ruv_win_create(1, &r, "Update", 0,
                                   reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)),
                                   0x803, -1, scale_in_update, nullptr);
        ASSERT_NE(w, NULL_WIN);
        SetForegroundWindow(static_cast<HWND>(w->native));
        InvalidateRect(static_cast<HWND>(w->native), nullptr, TRUE);
        UpdateWindow(static_cast<HWND>(w->native));
        pump(100);
        ASSERT_TRUE(in_update().ran);
        EXPECT_EQ(in_update().cell, 0);
        EXPECT_EQ(in_update().h, 100);
        EXPECT_EQ(in_update().v, 40);
        bool refused = false;
        for (const Report &rep : rec.reports())
            refused |= rep.id == 0x01610001u;
        EXPECT_TRUE(refused);
        ruv_vobj_destroy(w);
        rec.clear();

        // Measuring makes its window and destroys it again.
        const int windows = thread_windows();
        struct SLIST *before = ruv_scr_list_wins();
        const int32_t listed = ruv_slist_count(before);
        ruv_slist_destroy(before);
        const int32_t cell = ruvcm_measure_char_cell();
        const int width = RUVCM_CELL_WIDTH(cell), height = RUVCM_CELL_HEIGHT(cell);
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        ruvk_app_process_pending_events();
        EXPECT_EQ(thread_windows(), windows);
        struct SLIST *after = ruv_scr_list_wins();
        EXPECT_EQ(ruv_slist_count(after), listed);
        ruv_slist_destroy(after);
        EXPECT_EQ(ruvcm_measure_char_cell(), cell);

        EXPECT_EQ(ruvcm_scale_h(100), 100 * width / 8);
        EXPECT_EQ(ruvcm_scale_h(-100), -100 * width / 8);
        EXPECT_EQ(ruvcm_scale_h(0), 0);

        // A design cell set now no longer changes the horizontal direction;
        // the vertical one takes it at its first scaling.
        ruvcm_set_base_cell(RUVCM_CELL(16, 32));
        EXPECT_EQ(ruvcm_get_base_cell(), RUVCM_CELL(16, 32));
        EXPECT_EQ(ruvcm_scale_h(100), 100 * width / 8);
        EXPECT_EQ(ruvcm_scale_v(64), 64 * height / 32);
        ruvcm_set_base_cell(RUVCM_CELL(8, 16));
        EXPECT_EQ(ruvcm_scale_v(64), 64 * height / 32);
        EXPECT_EQ(rec.errors(), 0u);
    });
}

} // namespace
