// The text edit's view over the kernel stand-in (eight pixels a byte,
// 16-pixel lines), with the engine's drawing seam recording what it draws:
// lines and their highlight, the caret, scrolling and its callback, and
// drawing that leaves the application's open paragraph alone.
#include <string>
#include <vector>

#include "core_test_support.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_tx.h"
#include "standin_drawing.h"
#include "../text_edit_private.h"

namespace {

struct Text {
    int32_t x, baseline;
    std::string text;
};
struct Scroll {
    RUV_RECT rect;
    int32_t dh, dv;
};
struct Seen {
    std::vector<Text> texts;
    std::vector<Scroll> scrolls;
    RUV_POINT caret{ -1, -1 };
    bool caret_shown = false;
    int invalidations = 0;
};

Seen &seen()
{
    static Seen s;
    return s;
}

ruvtx::Platform recording()
{
    ruvtx::Platform p{};
    p.draw_text = [](RUV_WIN, int32_t x, int32_t y, const char *t, int32_t chars) {
        seen().texts.push_back({ x, y, std::string(t, (size_t)chars) });
    };
    p.scroll_rect = [](RUV_WIN, const RUV_RECT *r, int32_t dh, int32_t dv) { seen().scrolls.push_back({ *r, dh, dv }); };
    p.caret_pos = [](RUV_WIN, const RUV_POINT *pt) { seen().caret = *pt; };
    p.caret_visible = [](RUV_WIN, RUV_BOOL on) { seen().caret_shown = on != 0; };
    p.invalidate = [](RUV_WIN, const RUV_RECT *) { ++seen().invalidations; };
    return p;
}

struct Scrolled {
    int32_t first, total, h;
};
std::vector<Scrolled> &calls()
{
    static std::vector<Scrolled> c;
    return c;
}

class TextViewTest : public coretest::CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        standin::reset_drawing();
        seen() = Seen{};
        calls().clear();
        static const ruvtx::Platform p = recording();
        ruvtx::set_platform(&p);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TX_HANDLE_API, 1);
    }
    void TearDown() override
    {
        ruvtx::set_platform(nullptr);
        standin::reset_drawing();
        CoreTest::TearDown();
    }

    // View 10 characters wide and 4 lines high unless told otherwise.
    TXEDIT make(uint16_t attrs, int32_t margin = 0, RUV_RECT rect = { 0, 0, 64, 80 })
    {
        TXEDIT tx = ruvv_tx_create(&win_, &rect, attrs, nullptr, margin, 0);
        EXPECT_NE(tx, 0);
        ruvv_tx_set_scroll_callback(tx, [](TXEDIT, int32_t f, int32_t t, int32_t h) { calls().push_back({ f, t, h }); });
        return tx;
    }
    RUV_BOOL event(int32_t type, int16_t v = 0, int16_t h = 0, int32_t key = 0, bool vk = false, bool shift = false)
    {
        RUV_EVENT ev{};
        ev.type = type;
        if (type == E_CHAR) {
            ev.v.chr.key = key;
            ev.v.chr.virtual_key = vk ? 1 : 0;
            ev.v.chr.shift = shift ? 1 : 0;
        } else if (type == E_FOCUS) {
            ev.v.focus.active = 1;
        } else {
            ev.v.mouse.v = v;
            ev.v.mouse.h = h;
            ev.v.mouse.shift = shift ? 1 : 0;
        }
        return ruvv_tx_process_event(&win_, &ev);
    }
    void type(const std::string &s)
    {
        for (char c : s)
            event(E_CHAR, 0, 0, (unsigned char)c);
    }
    static int16_t ascent(TXEDIT tx)
    {
        ruvtx::Record *r = ruvtx::lock_record((int32_t)tx);
        int16_t a = r->ascent;
        ruvtx::unlock_record((int32_t)tx);
        return a;
    }
    // The brush colour of the last fill that began at (top, left).
    static RUV_COLOR fill_at(int16_t top, int16_t left)
    {
        RUV_COLOR c = 0xFFFFFFFF;
        for (const auto &d : standin::drawn_rects())
            if (d.rect.top == top && d.rect.left == left && d.tools.pen.pattern == 1)
                c = d.tools.brush.color;
        return c;
    }

    RUV_VOBJ win_{};
};

TEST_F(TextViewTest, DrawingLeavesTheApplicationsOpenParagraphAlone)
{
    TXEDIT tx = make(TX_WRAP);
    ruvv_tx_add_par(tx, 0, "first");
    ruvv_tx_add_par(tx, 1, "second");
    // The application opens paragraph 1 and reads its line; meanwhile the
    // text edit redraws paragraph 0 (typing, then a full update).
    ASSERT_NE(ruvv_tx_get_line(tx, 1, 0, 0, nullptr), nullptr);
    ruvv_tx_set_sel(tx, 0, 0, 5, 0, 0, 5);
    seen().texts.clear();
    type("!");
    EXPECT_EQ(event(E_UPDATE), FALSE);
    bool drew_first = false;
    for (const auto &t : seen().texts)
        drew_first = drew_first || t.text == "first!";
    EXPECT_TRUE(drew_first);
    coretest::reports().clear();
    int32_t n = 0;
    const char *t = ruvv_tx_get_line(tx, 1, 1, 0, &n);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(std::string(t, (size_t)n), "second");
    EXPECT_TRUE(coretest::reports().empty());
    ruvv_tx_get_line(tx, 1, 2, 0, nullptr);
}

TEST_F(TextViewTest, LinesDrawOnTheirBaselinesAndASelectionAcrossALineBreakLightsItsEnd)
{
    TXEDIT tx = make(TX_WRAP | TX_BORDER, 0, { 0, 0, 72, 96 });   // view 4..68, 4..92: 88 wide
    ruvv_tx_add_par(tx, 0, "aaaa bbbb cccc");                    // wraps after "bbbb "
    ASSERT_EQ(ruvv_tx_get_num_par_lines(tx, 0), 2);
    int16_t a = ascent(tx);
    standin::reset_drawing();
    seen().texts.clear();
    event(E_UPDATE);
    ASSERT_GE(seen().texts.size(), 2u);
    EXPECT_EQ(seen().texts[0].baseline, 4 + a);
    EXPECT_EQ(seen().texts[0].x, 4);
    EXPECT_EQ(seen().texts[1].baseline, 4 + a + 16);
    // Border: one-pixel strips of the outer rectangle in the border colour.
    EXPECT_EQ(fill_at(0, 0), (RUV_COLOR)0x07000000);
    // From character 2 of line 0 to character 1 of line 1.
    standin::reset_drawing();
    ruvv_tx_set_sel(tx, 0, 0, 2, 0, 1, 1);
    // Line 0: two normal characters, then lit to the right edge.
    EXPECT_EQ(fill_at(4, 4), (RUV_COLOR)0x0BFFFFFF);
    EXPECT_EQ(fill_at(4, 4 + 16), (RUV_COLOR)0x07000000);
    EXPECT_EQ(fill_at(4, 4 + 80), (RUV_COLOR)0x07000000);   // after "aaaa bbbb "
    // Line 1: one lit character, then normal to the edge.
    EXPECT_EQ(fill_at(20, 4), (RUV_COLOR)0x07000000);
    EXPECT_EQ(fill_at(20, 12), (RUV_COLOR)0x0BFFFFFF);
}

TEST_F(TextViewTest, CaretStandsBeforeItsCharacterAndAtTheRightEdgeBelowTheText)
{
    TXEDIT tx = make(TX_WRAP);
    ruvv_tx_add_par(tx, 0, "abc");
    event(E_FOCUS);
    ruvv_tx_set_sel(tx, 0, 0, 2, 0, 0, 2);
    EXPECT_EQ(seen().caret.h, 16 - 1);
    EXPECT_EQ(seen().caret.v, ascent(tx));   // on the baseline
    EXPECT_TRUE(seen().caret_shown);
    // A press below the last line: end of the text, x at the view's edge.
    event(E_MOUSE_DOWN, 40, 10);
    event(E_MOUSE_UP, 40, 10);
    EXPECT_EQ(seen().caret.h, 80 - 1);
    // At character 0 the caret stands on the view's left edge.
    ruvv_tx_set_sel(tx, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(seen().caret.h, 0);
    // A selection hides no caret of its own but places none either.
    seen().caret = RUV_POINT{ -1, -1 };
    ruvv_tx_set_sel(tx, 0, 0, 0, 0, 0, 2);
    EXPECT_EQ(seen().caret.h, -1);
}

TEST_F(TextViewTest, VerticalScrollingStopsAtTheLastPageAndTellsTheCallback)
{
    TXEDIT tx = make(TX_WRAP | TX_AUTOVSCROLL);   // 4 lines visible
    for (int i = 0; i < 10; ++i)
        ruvv_tx_add_par(tx, i, ("line" + std::to_string(i)).c_str());
    calls().clear();
    seen().scrolls.clear();
    ruvv_tx_scroll_vert(tx, -100);
    uint16_t first = 0;
    ruvv_tx_get_origin(tx, nullptr, nullptr, &first, nullptr);
    EXPECT_EQ(first, 6);   // lines 6..9 fill the view
    ASSERT_FALSE(calls().empty());
    EXPECT_EQ(calls().back().first, 6);
    EXPECT_EQ(calls().back().total, 0x7FFFFFFF);
    EXPECT_EQ(calls().back().h, -1);
    ASSERT_EQ(seen().scrolls.size(), 1u);
    EXPECT_EQ(seen().scrolls[0].dv, -6 * 16);
    // Back up by two, then past the start.
    ruvv_tx_scroll_vert(tx, 2);
    ruvv_tx_get_origin(tx, nullptr, nullptr, &first, nullptr);
    EXPECT_EQ(first, 4);
    ruvv_tx_scroll_vert(tx, 50);
    ruvv_tx_get_origin(tx, nullptr, nullptr, &first, nullptr);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(calls().back().first, 0);
    // The caret moved below the view pulls it down with auto-scroll.
    event(E_CHAR, 0, 0, K_CTRL_END, true);
    ruvv_tx_get_origin(tx, nullptr, nullptr, &first, nullptr);
    EXPECT_EQ(first, 6);
    // A drag above the view maps to the first visible line and scrolls up.
    event(E_MOUSE_DOWN, 10, 4);
    event(E_MOUSE_MOVE, -40, 4);
    event(E_MOUSE_UP, -40, 4);
    ruvv_tx_get_origin(tx, nullptr, nullptr, &first, nullptr);
    EXPECT_LT(first, 6);
    uint32_t p1, l1, c1, p2, l2, c2;
    ruvv_tx_get_sel(tx, &p1, &l1, &c1, &p2, &l2, &c2);
    EXPECT_EQ(p1, (uint32_t)first);
    EXPECT_EQ(p2, 6u);
}

TEST_F(TextViewTest, HorizontalScrollFollowsTypingOnlyWithAutoScroll)
{
    struct Case {
        uint16_t attrs;
        int32_t origin;
    } cases[] = {
        { 0, 0 },                  // no auto-scroll: typing past the edge stays put
        { TX_AUTOVSCROLL, 0 },
        { TX_AUTOHSCROLL, 8 * 14 - 80 },   // the caret just inside the right edge
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.attrs);
        TXEDIT tx = make(c.attrs);
        ruvv_tx_add_par(tx, 0, "");
        event(E_FOCUS);
        seen().scrolls.clear();
        calls().clear();
        type("abcdefghijklmn");   // 14 characters, 112 pixels in an 80-pixel view
        int32_t h = -1;
        ruvv_tx_get_origin(tx, nullptr, nullptr, nullptr, &h);
        EXPECT_EQ(h, c.origin);
        EXPECT_EQ(seen().scrolls.empty(), c.origin == 0);
        if (c.origin) {
            EXPECT_EQ(calls().back().h, c.origin);
            // Scrolling back is limited to the origin.
            ruvv_tx_scroll_hor(tx, 1000);
            ruvv_tx_get_origin(tx, nullptr, nullptr, nullptr, &h);
            EXPECT_EQ(h, 0);
            EXPECT_EQ(calls().back().h, 0);
        }
        ruvv_tx_destroy(tx);
    }
}

TEST_F(TextViewTest, WrappedTextScrollsNoFurtherThanItsMargin)
{
    TXEDIT tx = make(TX_WRAP, 120);
    ruvv_tx_add_par(tx, 0, "x");
    ruvv_tx_scroll_hor(tx, -500);
    int32_t h = -1;
    ruvv_tx_get_origin(tx, nullptr, nullptr, nullptr, &h);
    EXPECT_EQ(h, 120 - 80);
    TXEDIT narrow = make(TX_WRAP, 40, { 100, 0, 164, 80 });
    ruvv_tx_scroll_hor(narrow, -500);
    ruvv_tx_get_origin(narrow, nullptr, nullptr, nullptr, &h);
    EXPECT_EQ(h, 0);
}

TEST_F(TextViewTest, ANewParagraphMovesTheLinesBelowItDown)
{
    TXEDIT tx = make(TX_WRAP);
    ruvv_tx_add_par(tx, 0, "one");
    ruvv_tx_add_par(tx, 1, "three");
    seen().scrolls.clear();
    ruvv_tx_add_par(tx, 1, "two");
    ASSERT_EQ(seen().scrolls.size(), 1u);
    EXPECT_EQ(seen().scrolls[0].rect.top, 16);
    EXPECT_EQ(seen().scrolls[0].dv, 16);
    seen().scrolls.clear();
    ruvv_tx_rem_par(tx, 0);
    ASSERT_EQ(seen().scrolls.size(), 1u);
    EXPECT_EQ(seen().scrolls[0].rect.top, 0);
    EXPECT_EQ(seen().scrolls[0].dv, -16);
    // Suspended, nothing moves on screen; resuming redraws it all.
    ruvv_tx_suspend(tx);
    seen().scrolls.clear();
    int before = seen().invalidations;
    ruvv_tx_add_par(tx, 0, "zero");
    EXPECT_TRUE(seen().scrolls.empty());
    ruvv_tx_resume(tx);
    EXPECT_GT(seen().invalidations, before);
}

} // namespace
