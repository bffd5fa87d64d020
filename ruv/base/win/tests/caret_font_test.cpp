// The caret of height 0 takes its extent from the window's font: made
// visible in a window whose font is set, it spans from the baseline less
// the font's height plus its descent down to the baseline plus its
// descent, as the system measures the font.
#include <gtest/gtest.h>

#include <memory>

#include "draw_state.h"
#include "font_native.h"
#include "kernel_test_support.h"
#include "ruvv_font.h"
#include "services_test_support.h"
#include "window_services.h"

namespace {

TEST(CaretFont, HeightZeroSpansTheFontsExtent)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvv_font_cache_init();
    {
        auto w = st::Win::doc("caret", 80, 80, 300, 200);
        SetForegroundWindow(w->hwnd());
        SetFocus(w->hwnd());
        ASSERT_EQ(GetFocus(), w->hwnd());
        for (int32_t size : {12, 30}) {
            SCOPED_TRACE(size);
            RUV_FONT *f = ruvv_font_create();
            ruvv_font_set_family(f, "times");
            ruvv_font_set_size(f, size);
            ruvk_dwin_set_font(w->rec(), f);
            ruvv_font_destroy(f);

            // The system's measure of the same font.
            RUV_FONT *own = ruvk_dwin_get_font(w->rec(), FALSE);
            ruvv_font_map(own, w->rec());
            RUVK_FONT_DESC d{};
            ASSERT_TRUE(ruvk_font_desc_parse(ruvv_font_get_native_desc(own, FALSE), &d));
            HFONT h = CreateFontIndirectA(&d.logfont);
            HDC dc = GetDC(w->hwnd());
            HGDIOBJ old = SelectObject(dc, h);
            TEXTMETRICA tm;
            GetTextMetricsA(dc, &tm);
            SelectObject(dc, old);
            ReleaseDC(w->hwnd(), dc);
            DeleteObject(h);
            int height = tm.tmExternalLeading + tm.tmAscent + tm.tmDescent;

            ruvk_win_set_caret_visible(w->rec(), FALSE);
            ruvk_win_set_caret_size(w->rec(), 2, 0);
            RUV_POINT at{60, 25}; // baseline 60, 25 from the left
            ruvk_win_set_caret_pos(w->rec(), &at);
            ruvk_win_set_caret_visible(w->rec(), TRUE);
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &gui));
            EXPECT_EQ(gui.hwndCaret, w->hwnd());
            EXPECT_EQ(gui.rcCaret.left, 25);
            EXPECT_EQ(gui.rcCaret.right, 27);
            EXPECT_EQ(gui.rcCaret.top, 60 + tm.tmDescent - height);
            EXPECT_EQ(gui.rcCaret.bottom, 60 + tm.tmDescent);
        }
        ruvk_win_set_caret_visible(w->rec(), FALSE);
        DestroyCaret();
    }
    ruvv_font_cache_term();
}

} // namespace
