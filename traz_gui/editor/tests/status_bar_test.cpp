// Status bar on real windows: which bar a window finds, the native id and
// window text seen from outside, default texts and their limits, the table
// of 128 bars, repainting only on a change, and the pixels of its frame and
// fields read back through a memory device context.
#include "status_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dwin_pixels.h"
#include "editor_test_support.h"
#include "front_fixture.h"
#include "ruvv_attr.h"

using namespace ruvf_test;

namespace {

constexpr COLORREF PX_BLACK = RGB(0, 0, 0), PX_LIGHT = RGB(0xC0, 0xC0, 0xC0), PX_DARK = RGB(0x40, 0x40, 0x40);

char kTitle[] = "Status bar";
char kDefault[] = "DEFAULT_TEXT=\"Ready\"";
char kPlain[] = "PLAIN=TRUE";
char kDebugOn[] = "DEBUG=1";
char kDebugNo[] = "DEBUG=no";

char *kBare[] = { kTitle };
char *kWithDefault[] = { kTitle, kDefault };
char *kPlainParams[] = { kTitle, kPlain };

RUV_WIN MakeBar(RUV_WIN parent, char **params = kBare, int32_t count = 1, int32_t id = 10)
{
    return statbar_create(id, 0, 0, 0, 0, count, params, parent, 0, 0, nullptr);
}

HWND Native(RUV_WIN w)
{
    return reinterpret_cast<HWND>(ruv_vobj_get_attr(w, RUV_ATTR_NATIVE_WINDOW));
}

std::string WindowText(HWND hwnd)
{
    char buf[300] = "";
    GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

RUV_WIN MakeChild(RUV_WIN parent)
{
    RUV_RECT r{ 0, 0, 60, 100 };
    return ruv_win_create(7, &r, "", 0, parent, 0, RUV_EVENT_MASK_ALL, ruvcm_null_handler, nullptr);
}

TEST(StatusBar, IsFoundFromItsOwnerAndTheOwnersChildrenAndGrandchildren)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN main = c.get(Obj::Doc);
        const RUV_WIN bar = MakeBar(main);
        ASSERT_NE(bar, NULL_WIN);
        const RUV_WIN page = MakeChild(main);
        RUV_RECT r{ 5, 5, 25, 90 };
        const RUV_WIN field = ruv_ctl_create(17, &r, "", page, 0, nullptr, 3);
        ASSERT_NE(field, NULL_WIN);
        const RUV_WIN great = MakeChild(MakeChild(page));

        EXPECT_EQ(statbar_find(main), bar);
        EXPECT_EQ(statbar_find(bar), bar);
        EXPECT_EQ(statbar_find(page), bar);
        EXPECT_EQ(statbar_find(field), bar);
        EXPECT_EQ(statbar_find(great), NULL_WIN);  // three levels below
        EXPECT_EQ(statbar_find(c.get(Obj::Plain)), NULL_WIN);
        EXPECT_EQ(statbar_find(NULL_WIN), NULL_WIN);
        EXPECT_EQ(statbar_find(c.get(Obj::Task)), NULL_WIN);
        EXPECT_EQ(statbar_set_title(c.get(Obj::Plain), "x"), nullptr);

        // A bar of its own comes first; the owner's bar is found otherwise.
        const RUV_WIN pageBar = MakeBar(page, kBare, 1, 11);
        EXPECT_EQ(statbar_find(field), pageBar);
        EXPECT_EQ(statbar_find(main), bar);
        ruv_vobj_destroy(pageBar);
        EXPECT_EQ(statbar_find(field), bar);
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(StatusBar, ShowsItsTextAsWindowTextUnderItsControlId)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN main = c.get(Obj::Doc);
        const RUV_WIN bar = MakeBar(main, kWithDefault, 2);
        ASSERT_NE(bar, NULL_WIN);
        const HWND hwnd = Native(bar);
        EXPECT_EQ(GetDlgCtrlID(hwnd), 10);
        EXPECT_EQ(GetDlgItem(Native(main), 10), hwnd);
        EXPECT_EQ(WindowText(hwnd), "Status bar");  // the first parameter

        const RUV_WIN page = MakeChild(main);
        EXPECT_STREQ(statbar_set_title(page, "\tDescription\t Quarnex TRAZ-GUI"), "\tDescription\t Quarnex TRAZ-GUI");
        EXPECT_EQ(WindowText(hwnd), "\tDescription\t Quarnex TRAZ-GUI");
        // "" and NULL both show the default text.
        EXPECT_STREQ(statbar_set_title(page, ""), "Ready");
        EXPECT_EQ(WindowText(hwnd), "Ready");
        statbar_set_title(main, "Busy");
        EXPECT_STREQ(statbar_set_title(page, nullptr), "Ready");
        EXPECT_EQ(WindowText(hwnd), "Ready");
        statbar_set_default_text(page, "\tTime frame\t Quarnex TRAZ-GUI");
        EXPECT_STREQ(statbar_set_title(page, nullptr), "\tTime frame\t Quarnex TRAZ-GUI");

        char buf[8];
        EXPECT_EQ(statbar_get_title(page, buf, sizeof buf), buf);
        EXPECT_STREQ(buf, "\tTime f");  // size - 1 characters
        EXPECT_EQ(statbar_get_title(page, buf, 0), nullptr);
        EXPECT_EQ(statbar_get_title(page, nullptr, 8), nullptr);
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(StatusBar, DefaultTextIsCutAt256CharactersAndNullEmptiesIt)
{
    in_app([] {
        Ctx c;
        const RUV_WIN bar = MakeBar(c.get(Obj::Doc));
        ASSERT_NE(bar, NULL_WIN);
        const std::string longText(300, 'd');
        EXPECT_STREQ(statbar_set_default_text(bar, longText.c_str()), std::string(256, 'd').c_str());
        char buf[400];
        ASSERT_NE(statbar_get_default_text(bar, buf, sizeof buf), nullptr);
        EXPECT_EQ(std::string(buf), std::string(256, 'd'));
        EXPECT_EQ(std::string(statbar_set_title(bar, longText.c_str())), std::string(256, 'd'));
        EXPECT_EQ(statbar_set_default_text(bar, nullptr), nullptr);
        ASSERT_NE(statbar_get_default_text(bar, buf, sizeof buf), nullptr);
        EXPECT_STREQ(buf, "");
        EXPECT_STREQ(statbar_set_title(bar, nullptr), "");
        EXPECT_EQ(WindowText(Native(bar)), "");
    });
}

TEST(StatusBar, DebugParameterIsTrueForOneAndFalseForNo)
{
    in_app([] {
        Ctx c;
        char *on[] = { kTitle, kDebugOn };
        char *off[] = { kTitle, kDebugNo };
        const RUV_WIN a = MakeBar(c.get(Obj::Doc), on, 2);
        const RUV_WIN b = MakeBar(c.get(Obj::Plain), off, 2);
        ASSERT_NE(statbar_model(a), nullptr);
        ASSERT_NE(statbar_model(b), nullptr);
        EXPECT_EQ(statbar_model(a)->debug, 1);
        EXPECT_EQ(statbar_model(b)->debug, 0);
        EXPECT_EQ(statbar_model(c.get(Obj::Doc)), nullptr);
    });
}

TEST(StatusBar, The129thBarIsRefusedUntilOneIsDestroyed)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN main = c.get(Obj::Doc);
        std::vector<RUV_WIN> bars;
        for (int i = 0; i < STATBAR_MAX_BARS; ++i) {
            bars.push_back(MakeBar(main, kBare, 1, 100 + i));
            ASSERT_NE(bars.back(), NULL_WIN) << i;
        }
        EXPECT_EQ(MakeBar(c.get(Obj::Plain)), NULL_WIN);
        EXPECT_EQ(statbar_find(c.get(Obj::Plain)), NULL_WIN);
        ruv_vobj_destroy(bars[5]);
        const RUV_WIN again = MakeBar(c.get(Obj::Plain));
        EXPECT_NE(again, NULL_WIN);
        EXPECT_EQ(statbar_find(c.get(Obj::Plain)), again);
        EXPECT_EQ(statbar_find(main), bars[0]);
        for (RUV_WIN b : bars)
            if (b != bars[5])
                ruv_vobj_destroy(b);
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(StatusBar, TheTaskWindowTakesOneBarAndTheOwnersBottomStripOnAutosize)
{
    in_app([] {
        Ctx c;
        char taskWin[] = "TASK_WIN=1";
        char *params[] = { kTitle, taskWin };
        const RUV_WIN task = c.get(Obj::Task);
        const RUV_WIN first = MakeBar(c.get(Obj::Doc), params, 2);
        ASSERT_NE(first, NULL_WIN);
        EXPECT_EQ(ruvcm_get_owner(first), task);
        EXPECT_EQ(statbar_find(task), first);
        EXPECT_EQ(MakeBar(c.get(Obj::Plain), params, 2), NULL_WIN);  // a second one has no parent
        ruv_vobj_destroy(first);
        EXPECT_EQ(statbar_find(task), NULL_WIN);

        // An autosized bar follows its owner's new size when asked.
        const RUV_WIN main = c.get(Obj::Doc);
        const RUV_WIN bar = MakeBar(main);
        ASSERT_NE(bar, NULL_WIN);
        RUV_RECT outer{};
        ruv_vobj_get_outer_rect(main, &outer);
        outer.bottom = static_cast<int16_t>(outer.bottom + 60);
        outer.right = static_cast<int16_t>(outer.right + 40);
        ruv_vobj_move(main, &outer);
        statbar_autosize(main);
        RUV_RECT client{}, placed{};
        ruv_vobj_get_client_rect(main, &client);
        ruv_vobj_get_outer_rect(bar, &placed);
        EXPECT_EQ(placed.top, client.bottom - 28);
        EXPECT_EQ(placed.bottom, client.bottom);
        EXPECT_EQ(placed.left, client.left);
        EXPECT_EQ(placed.right, client.right);
    });
}

TEST(StatusBar, TheSameTextTwiceDoesNotRepaint)
{
    in_app([] {
        Ctx c;
        const RUV_WIN bar = MakeBar(c.get(Obj::Doc));
        const HWND hwnd = Native(bar);
        statbar_set_title(bar, "one");
        pump(30);
        ValidateRect(hwnd, nullptr);
        statbar_set_title(bar, "one");
        EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
        statbar_set_title(bar, "two");
        EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, FALSE));
    });
}

// ---- drawing ----

// Sets the text, lets the bar repaint and reads its client area back.
Pixels Paint(RUV_WIN bar, const char *text)
{
    statbar_set_title(bar, text);
    ruv_dwin_update(bar);
    pump(30);
    return Pixels(Native(bar));
}

int CountIn(const Pixels &p, COLORREF c, int x0, int x1, int y0, int y1) { return p.count(c, x0, y0, x1, y1); }

TEST(StatusBarDrawing, RaisedFrameAndRightAlignedFields)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN main = c.get(Obj::Doc);
        const RUV_WIN bar = MakeBar(main);
        ASSERT_NE(bar, NULL_WIN);
        const StatbarModel *m = statbar_model(bar);
        ASSERT_NE(m, nullptr);
        if (m->plain)
            GTEST_SKIP() << "the screen chooses plain bars";
        RUV_RECT client{}, mainClient{};
        ruv_vobj_get_client_rect(bar, &client);
        ruv_vobj_get_client_rect(main, &mainClient);
        // Autosized: the bottom strip of the owner, 28 pixels high.
        EXPECT_EQ(client.bottom - client.top, 28);
        EXPECT_EQ(client.right, mainClient.right);
        const int w = client.right, h = client.bottom;

        const Pixels p = Paint(bar, "\tDescription\t Quarnex TRAZ-GUI");
        // Frame: white, light and dark grey from the outside in at the top
        // and the left; the bottom and right edges end in dark grey.
        EXPECT_EQ(p.at(w / 2, 0), PX_WHITE);
        EXPECT_EQ(p.at(w / 2, 1), PX_LIGHT);
        EXPECT_EQ(p.at(w / 2, 2), PX_DARK);
        EXPECT_EQ(p.at(w / 2, h - 1), PX_DARK);
        EXPECT_EQ(p.at(0, h / 2), PX_WHITE);
        EXPECT_EQ(p.at(2, h / 2), PX_DARK);
        EXPECT_EQ(p.at(w - 1, h / 2), PX_DARK);
        EXPECT_EQ(p.at(w - 2, h / 2), PX_LIGHT);
        // The first field is empty: nothing but fill where it would be.
        const int product = ruv_dwin_get_text_width(bar, " Quarnex TRAZ-GUI", -1);
        const int title = ruv_dwin_get_text_width(bar, "Description", -1);
        ASSERT_GT(product, 0);
        const int x1 = w - 3 - (6 + product + 4);  // separator of the last field
        const int x2 = x1 - (6 + title + 4);       // separator of the middle one
        EXPECT_EQ(CountIn(p, PX_BLACK, 3, x2, 3, h - 3), 0);
        // The last field's text lies between its separator and the right edge,
        // the middle one's between the two separators.
        EXPECT_GT(CountIn(p, PX_BLACK, x1 + 4, w - 3, 3, h - 3), 0);
        EXPECT_GT(CountIn(p, PX_BLACK, x2 + 4, x1, 3, h - 3), 0);
        // Each separator ends in a dark grey line at x + 3.
        for (int x : { x1, x2 }) {
            EXPECT_EQ(p.at(x + 3, h / 2), PX_DARK) << x;
            EXPECT_EQ(p.at(x + 2, h / 2), PX_LIGHT) << x;
            EXPECT_EQ(CountIn(p, PX_DARK, x + 3, x + 4, 2, h - 2), h - 4) << x;
        }
        EXPECT_EQ(CountIn(p, PX_DARK, 3, x2, 3, h - 3), 0);  // no separator further left
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(StatusBarDrawing, AFieldReachingIntoTheFirstIsLeftOutWithEveryFieldLeftOfIt)
{
    in_app([] {
        Ctx c;
        const RUV_WIN bar = MakeBar(c.get(Obj::Doc), kPlainParams, 2);
        ASSERT_NE(bar, NULL_WIN);
        RUV_RECT client{};
        ruv_vobj_get_client_rect(bar, &client);
        const int w = client.right, h = client.bottom;

        // Plain: white fill, one black line along the top.
        Pixels p = Paint(bar, "Left");
        EXPECT_EQ(p.at(w / 2, 0), PX_BLACK);
        EXPECT_EQ(p.count(PX_DARK), 0);
        const int left = ruv_dwin_get_text_width(bar, "Left", -1);
        EXPECT_GT(CountIn(p, PX_BLACK, 8, 8 + left, 1, h), 0);
        EXPECT_EQ(CountIn(p, PX_BLACK, 8 + left + 2, w, 1, h), 0);

        // The middle field is too wide: neither it nor the one left of it
        // is drawn; the last field still is.
        const std::string wide(200, 'W');
        const std::string text = "Left\tmid\t" + wide + "\tEnd";
        p = Paint(bar, text.c_str());
        const int end = ruv_dwin_get_text_width(bar, "End", -1);
        const int x1 = w - 3 - (6 + end + 4);
        EXPECT_GT(CountIn(p, PX_BLACK, x1 + 1, w, 1, h), 0);
        EXPECT_EQ(CountIn(p, PX_BLACK, 8 + left + 2, x1, 1, h), 0);
        EXPECT_GT(CountIn(p, PX_BLACK, 8, 8 + left, 1, h), 0);
    });
}

}  // namespace
