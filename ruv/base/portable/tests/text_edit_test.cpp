// The text edit's engine over the kernel stand-in (eight pixels a byte, a
// 12-point font of 16-pixel lines): handles, word wrap and its limits,
// editing by keys, selection, caret moves, the clipboard through the
// engine's seam, and the Edit menu.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core_test_support.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_color.h"
#include "ruvv_font.h"
#include "ruvv_tx.h"
#include "standin_core.h"
#include "standin_drawing.h"
#include "text_edit_test_support.h"
#include "../text_edit_private.h"

namespace {

using coretest::reported;

struct FakeClipboard {
    std::string text;
    bool has = false;
    bool refuse_open = false;
    bool refuse_put = false;
    std::map<int32_t, bool> menu;
};

FakeClipboard &cb()
{
    static FakeClipboard c;
    return c;
}

// The clipboard and Edit menu seam; drawing keeps its defaults.
const ruvtx::Platform kFake = [] {
    ruvtx::Platform p{};
    p.cb_open = [](int16_t) -> RUV_BOOL { return cb().refuse_open ? FALSE : TRUE; };
    p.cb_close = []() -> RUV_BOOL { return TRUE; };
    p.cb_has_text = []() -> RUV_BOOL { return cb().has ? TRUE : FALSE; };
    p.cb_put_text = [](const char *t, int32_t n) -> RUV_BOOL {
        if (cb().refuse_put)
            return FALSE;
        cb().text.assign(t, (size_t)n);
        cb().has = true;
        return TRUE;
    };
    p.cb_get_text = [](int32_t *n) -> const char * {
        *n = (int32_t)cb().text.size();
        return cb().has ? cb().text.c_str() : nullptr;
    };
    p.menu_enable = [](RUV_WIN, int32_t tag, RUV_BOOL on) { cb().menu[tag] = on != 0; };
    return p;
}();

class TextEditTest : public coretest::CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        standin::reset_drawing();
        cb() = FakeClipboard{};
        ruvtx::set_platform(&kFake);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TX_HANDLE_API, 1);
        win_ = RUV_VOBJ{};
        // The window holding the text edits has the focus.
        standin::set_focus(&win_);
    }
    void TearDown() override
    {
        ruvtx::set_platform(nullptr);
        standin::reset_drawing();
        CoreTest::TearDown();
    }

    // A text edit of 10 characters' width (margin 80) unless told otherwise.
    TXEDIT make(uint16_t attrs = TX_WRAP, int32_t margin = 80, int32_t limit = 0, RUV_RECT rect = { 0, 0, 160, 200 })
    {
        TXEDIT tx = ruvv_tx_create(&win_, &rect, attrs, nullptr, margin, limit);
        EXPECT_NE(tx, 0);
        return tx;
    }

    static std::string par(TXEDIT tx, int32_t p) { return txtest::par(tx, p); }

    static std::vector<std::string> lines(TXEDIT tx, int32_t p)
    {
        std::vector<std::string> out;
        ruvv_tx_get_line(tx, p, 0, 0, nullptr);
        for (int32_t l = 0; l < ruvv_tx_get_num_par_lines(tx, p); ++l) {
            int32_t n = 0;
            const char *t = ruvv_tx_get_line(tx, p, 1, l, &n);
            out.emplace_back(t, (size_t)n);
        }
        ruvv_tx_get_line(tx, p, 2, 0, nullptr);
        return out;
    }

    static std::string all(TXEDIT tx) { return txtest::all(tx); }

    static void type(TXEDIT tx, const std::string &keys)
    {
        for (char c : keys)
            key(tx, (unsigned char)c, false, false);
    }

    static void key(TXEDIT tx, int32_t k, bool vk, bool shift = false)
    {
        int32_t h = (int32_t)tx;
        ruvtx::Record *r = ruvtx::lock_record(h);
        ASSERT_NE(r, nullptr);
        ruvtx::handle_key(r, k, shift, vk);
        ruvtx::unlock_record(h);
    }

    static ruvtx::Pos caret(TXEDIT tx)
    {
        ruvtx::Record *r = ruvtx::lock_record((int32_t)tx);
        ruvtx::Pos p = r->caret;
        ruvtx::unlock_record((int32_t)tx);
        return p;
    }

    static bool command(RUV_WIN win, int32_t tag)
    {
        RUV_EVENT ev{};
        ev.type = E_COMMAND;
        ev.v.command.tag = tag;
        return ruvv_tx_process_event(win, &ev) != 0;
    }

    RUV_VOBJ win_{};
};

TEST_F(TextEditTest, HandlesAreReusedLowestFirstAndEveryHandleOutsideTheTableIsRefused)
{
    TXEDIT a = make();
    EXPECT_EQ(a, 1);
    EXPECT_TRUE(ruvv_tx_destroy(a));
    EXPECT_FALSE(ruvv_tx_is_valid(a));
    TXEDIT b = make();
    EXPECT_EQ(b, 1);

    // The table has slots 0 and 1: a handle equal to the count is one past it.
    int32_t count = ruvtx::slot_count();
    for (int32_t h : { 0, count, count + 1, -1 }) {
        coretest::reports().clear();
        EXPECT_EQ(ruvtx::lock_record(h), nullptr) << h;
        EXPECT_TRUE(reported(0x01740001)) << h;
    }
    coretest::reports().clear();
    EXPECT_FALSE(ruvv_tx_destroy(count));
    EXPECT_TRUE(reported(0x01740002));
    EXPECT_EQ(ruvv_tx_get_cid(count), 0);

    // Every lock is paired: the count is back at 0 after API calls.
    ruvv_tx_add_par(b, 0, "text");
    EXPECT_EQ(ruvtx::slot(1)->locks, 0);
}

TEST_F(TextEditTest, WordWrapRules)
{
    struct Case {
        const char *text;
        int32_t margin;
        std::vector<std::string> lines;
    } cases[] = {
        { "hello world foo", 80, { "hello ", "world foo" } },
        // Spaces after a fitting word stay at the end of its line.
        { "aaa      bbb", 40, { "aaa      ", "bbb" } },
        // A word wider than the line breaks after the first overflowing character.
        { "abcdefghijklmnop", 40, { "abcdef", "ghijkl", "mnop" } },
        // A single character wider than the width still makes a line.
        { "abc", 4, { "a", "b", "c" } },
        { "", 80, { "" } },
    };
    for (const Case &c : cases) {
        TXEDIT tx = make(TX_WRAP, c.margin);
        ASSERT_TRUE(ruvv_tx_add_par(tx, 0, c.text));
        EXPECT_EQ(lines(tx, 0), c.lines) << c.text;
        EXPECT_EQ(ruvv_tx_get_num_lines(tx), (int32_t)c.lines.size()) << c.text;
        ruvv_tx_destroy(tx);
    }

    // Without wrapping every paragraph is one line whatever its width.
    TXEDIT flat = make(0, 40);
    ruvv_tx_add_par(flat, 0, "a very long paragraph without any wrap at all");
    EXPECT_EQ(ruvv_tx_get_num_par_lines(flat, 0), 1);
}

TEST_F(TextEditTest, TabAtAStopAdvancesAFullTabWidth)
{
    TXEDIT tx = make(TX_WRAP, 1000);
    ruvtx::Record *r = ruvtx::lock_record((int32_t)tx);
    // Tab width: 8 characters of 8 pixels.
    EXPECT_EQ(ruvtx::text_width(r, "\t", 1, 0), 64);
    EXPECT_EQ(ruvtx::text_width(r, "\t", 1, 64), 128);
    EXPECT_EQ(ruvtx::text_width(r, "ab\t", 3, 0), 64);
    EXPECT_EQ(ruvtx::text_width(r, "ab\t\tc", 5, 0), 136);
    ruvtx::unlock_record((int32_t)tx);
}

TEST_F(TextEditTest, AParagraphBlockReachingItsLimitIsRefusedAndLeftUnchanged)
{
    TXEDIT tx = make(TX_WRAP, 800);
    std::string big(32767 - (int32_t)sizeof(ruvtx::ParBlock) - 3, 'x');
    ASSERT_TRUE(ruvv_tx_add_par(tx, 0, big.c_str()));
    coretest::reports().clear();
    EXPECT_FALSE(ruvv_tx_append(tx, 0, "yz"));
    EXPECT_TRUE(reported(0x00640000));
    EXPECT_EQ(par(tx, 0), big);
    // Typing at its end: one more byte fits, the next is refused.
    ruvv_tx_set_sel(tx, 0, 0xFFFF, 0xFFFF, 0, 0xFFFF, 0xFFFF);
    type(tx, "yz");
    EXPECT_EQ(par(tx, 0), big + "y");
    // Replacing the paragraph by a text too big for a block keeps the old one.
    std::string bigger(40000, 'q');
    EXPECT_FALSE(ruvv_tx_set_par(tx, 0, bigger.c_str()));
    EXPECT_EQ(par(tx, 0), big + "y");
}

TEST_F(TextEditTest, TypingInsertsReplacesTheSelectionAndSplitsAndJoinsParagraphs)
{
    for (uint16_t extra : { (uint16_t)0, (uint16_t)TX_OVERTYPE }) {
        TXEDIT tx = make(TX_WRAP | extra, 800);
        type(tx, "hello");
        EXPECT_EQ(all(tx), "hello");
        // A selection is replaced by the typed character, also in overtype.
        ruvv_tx_set_sel(tx, 0, 0, 1, 0, 0, 3);
        type(tx, "X");
        EXPECT_EQ(all(tx), "hXlo") << extra;
        ruvv_tx_destroy(tx);
    }

    TXEDIT over = make(TX_WRAP | TX_OVERTYPE, 800);
    ruvv_tx_add_par(over, 0, "abcd");
    ruvv_tx_set_sel(over, 0, 0, 1, 0, 0, 1);
    type(over, "XY");
    EXPECT_EQ(all(over), "aXYd");
    ruvv_tx_destroy(over);

    TXEDIT tx = make(TX_WRAP, 800);
    ruvv_tx_add_par(tx, 0, "one");
    ruvv_tx_add_par(tx, 1, "two");
    // Return at a paragraph's start puts an empty paragraph before it and
    // leaves the caret at the start of the text that was there.
    ruvv_tx_set_sel(tx, 1, 0, 0, 1, 0, 0);
    type(tx, "\r");
    EXPECT_EQ(all(tx), "one||two");
    ruvtx::Pos c = caret(tx);
    EXPECT_EQ(c.par, 2u);
    EXPECT_EQ(c.ch, 0u);
    // Backspace at a paragraph's start joins it to the previous one.
    type(tx, "\b");
    type(tx, "\b");
    EXPECT_EQ(all(tx), "onetwo");
    EXPECT_EQ(caret(tx).ch, 3u);
    // Return in the middle splits.
    type(tx, "\n");
    EXPECT_EQ(all(tx), "one|two");
    key(tx, K_DELETE, true);
    EXPECT_EQ(all(tx), "one|wo");
    EXPECT_EQ(ruvv_tx_get_num_lines(tx), 2);
}

TEST_F(TextEditTest, ReadOnlyAndOneParagraphRefuseWhatTheySay)
{
    TXEDIT ro = make(TX_WRAP | TX_READONLY, 800);
    ruvv_tx_add_par(ro, 0, "fixed");
    type(ro, "x\b");
    EXPECT_EQ(all(ro), "fixed");
    TXEDIT one = make(TX_WRAP | TX_ONEPAR, 800);
    ruvv_tx_add_par(one, 0, "only");
    EXPECT_FALSE(ruvv_tx_add_par(one, 1, "second"));
    ruvv_tx_set_sel(one, 0, 0, 2, 0, 0, 2);
    type(one, "\r\n");
    EXPECT_EQ(all(one), "only");
}

TEST_F(TextEditTest, CharacterLimit)
{
    TXEDIT tx = make(TX_WRAP, 800, 5);
    ruvv_tx_add_par(tx, 0, "abcd");
    ruvv_tx_set_sel(tx, 0, 0, 4, 0, 0, 4);
    cb().text = "xyz";
    cb().has = true;
    EXPECT_TRUE(command(&win_, TX_CMD_PASTE));
    EXPECT_EQ(all(tx), "abcdx");
    type(tx, "q");
    EXPECT_EQ(all(tx), "abcdx");
    EXPECT_EQ(ruvv_tx_get_limit(tx), 5);
}

TEST_F(TextEditTest, PasteCutAndCopy)
{
    TXEDIT tx = make(TX_WRAP, 800);
    cb().text = "first\r\nsecond";
    cb().has = true;
    EXPECT_TRUE(command(&win_, TX_CMD_PASTE));
    EXPECT_EQ(all(tx), "first|second");
    ruvtx::Pos c = caret(tx);
    EXPECT_EQ(c.par, 1u);
    EXPECT_EQ(c.ch, 6u);

    TXEDIT one = make(TX_WRAP | TX_ONEPAR, 800, 0, RUV_RECT{ 200, 0, 300, 200 });
    ruvv_tx_set_active(one);
    EXPECT_TRUE(command(&win_, TX_CMD_PASTE));
    EXPECT_EQ(all(one), "firstsecond");
    ruvv_tx_destroy(one);
    ruvv_tx_set_active(tx);

    // Copy of a selection over three paragraphs joins them by CR LF.
    ruvv_tx_add_par(tx, 2, "third");
    ruvv_tx_set_sel(tx, 0, 0, 2, 2, 0, 3);
    cb().text.clear();
    EXPECT_TRUE(command(&win_, TX_CMD_COPY));
    EXPECT_EQ(cb().text, "rst\r\nsecond\r\nthi");
    EXPECT_EQ(all(tx), "first|second|third");

    // Cut whose copy fails keeps the text; a successful one removes it.
    cb().refuse_put = true;
    EXPECT_TRUE(command(&win_, TX_CMD_CUT));
    EXPECT_EQ(all(tx), "first|second|third");
    cb().refuse_put = false;
    cb().refuse_open = true;
    command(&win_, TX_CMD_CUT);
    EXPECT_EQ(all(tx), "first|second|third");
    cb().refuse_open = false;
    EXPECT_TRUE(command(&win_, TX_CMD_CUT));
    EXPECT_EQ(all(tx), "fird");
    EXPECT_EQ(cb().text, "rst\r\nsecond\r\nthi");
    EXPECT_EQ(ruvv_tx_get_num_lines(tx), 1);

    // Clear deletes the selection.
    ruvv_tx_set_sel(tx, 0, 0, 0, 0, 0, 2);
    command(&win_, TX_CMD_CLEAR);
    EXPECT_EQ(all(tx), "rd");
}

TEST_F(TextEditTest, EditCommandsReachOnlyTheTextEditOfTheFocusedObject)
{
    TXEDIT tx = make(TX_WRAP, 800);
    ruvv_tx_add_par(tx, 0, "text");
    ruvv_tx_set_sel(tx, 0, 0, 0, 0, 0, 2);
    RUV_VOBJ other{}, button{};
    button.type = 12;
    button.parent = &win_;
    // With nothing focused, or another window, the command is not the
    // text edit's.
    for (RUV_WIN focus : { NULL_WIN, &other }) {
        standin::set_focus(focus);
        EXPECT_FALSE(command(&win_, TX_CMD_CUT)) << (focus ? "other window" : "no focus");
        EXPECT_EQ(all(tx), "text");
    }
    // A focused native control stands for the window it lies on.
    standin::set_focus(&button);
    EXPECT_TRUE(command(&win_, TX_CMD_CUT));
    EXPECT_EQ(all(tx), "xt");
}

TEST_F(TextEditTest, EditMenuFollowsSelectionAndAttributes)
{
    TXEDIT tx = make(TX_WRAP | TX_NOCUT | TX_NOCOPY, 800);
    ruvv_tx_add_par(tx, 0, "text");
    ruvv_tx_set_sel(tx, 0, 0, 1, 0, 0, 1);
    EXPECT_FALSE(cb().menu[TX_CMD_CLEAR]);
    EXPECT_FALSE(cb().menu[TX_CMD_COPY]);
    ruvv_tx_set_attr(tx, TX_WRAP | TX_NOCUT | TX_NOCOPY | TX_ENABLECLEAR);
    EXPECT_TRUE(cb().menu[TX_CMD_CLEAR]);
    ruvv_tx_set_attr(tx, TX_WRAP);
    ruvv_tx_set_sel(tx, 0, 0, 1, 0, 0, 3);
    EXPECT_TRUE(cb().menu[TX_CMD_COPY]);
    EXPECT_TRUE(cb().menu[TX_CMD_CUT]);
}

TEST_F(TextEditTest, CaretMoves)
{
    TXEDIT tx = make(TX_WRAP, 80);
    ruvv_tx_add_par(tx, 0, "abc def ghij");   // "abc def " / "ghij"
    ruvv_tx_add_par(tx, 1, "xy");
    struct Step {
        int32_t key;
        uint32_t par, line, ch;
    } steps[] = {
        { K_CTRL_HOME, 0, 0, 0 }, { K_RIGHT, 0, 0, 1 }, { K_END, 0, 0, 8 },
        // From a line's end to character 1 of the next line.
        { K_RIGHT, 0, 1, 1 }, { K_LEFT, 0, 1, 0 },
        // From a line's start to the previous line before its last character.
        { K_LEFT, 0, 0, 7 }, { K_DOWN, 0, 1, 4 }, { K_RIGHT, 1, 0, 0 }, { K_LEFT, 0, 1, 4 },
        { K_CTRL_END, 1, 0, 2 }, { K_RIGHT, 1, 0, 2 }, { K_UP, 0, 1, 2 }, { K_HOME, 0, 1, 0 },
        { K_CTRL_LEFT, 0, 0, 4 }, { K_CTRL_LEFT, 0, 0, 0 }, { K_CTRL_RIGHT, 0, 0, 4 },
        { K_CTRL_HOME, 0, 0, 0 }, { K_LEFT, 0, 0, 0 }, { K_PAGE_DOWN, 1, 0, 0 },
    };
    for (const Step &s : steps) {
        key(tx, s.key, true);
        ruvtx::Pos c = caret(tx);
        EXPECT_EQ(c.par, s.par) << s.key;
        EXPECT_EQ(c.line, s.line) << s.key;
        EXPECT_EQ(c.ch, s.ch) << s.key;
    }
    // Shift extends from the anchor.
    key(tx, K_CTRL_HOME, true);
    key(tx, K_RIGHT, true, true);
    key(tx, K_RIGHT, true, true);
    uint32_t p1, l1, c1, p2, l2, c2;
    ruvv_tx_get_sel(tx, &p1, &l1, &c1, &p2, &l2, &c2);
    EXPECT_EQ(c1, 0u);
    EXPECT_EQ(c2, 2u);
}

TEST_F(TextEditTest, ControlRightCrossesIntoTheNextParagraphsFirstWord)
{
    TXEDIT tx = make(TX_WRAP, 800);
    for (const char *t : { "one", "   two", "", "\t three" })
        ruvv_tx_add_par(tx, 99, t);
    struct Step {
        uint32_t from_par, from_ch, par, ch;
    } steps[] = {
        // From a paragraph's end over the next one's leading blanks.
        { 0, 3, 1, 3 },
        // Within the last word of a paragraph: over the word, then on.
        { 0, 1, 1, 3 },
        // An empty paragraph counts as blank.
        { 1, 6, 3, 2 },
        // At the very end nothing moves.
        { 3, 7, 3, 7 },
    };
    for (const Step &s : steps) {
        ruvv_tx_set_sel(tx, s.from_par, 0, s.from_ch, s.from_par, 0, s.from_ch);
        key(tx, K_CTRL_RIGHT, true);
        ruvtx::Pos c = caret(tx);
        EXPECT_EQ(c.par, s.par) << s.from_par << "/" << s.from_ch;
        EXPECT_EQ(c.ch, s.ch) << s.from_par << "/" << s.from_ch;
    }
}

TEST_F(TextEditTest, RemovedParagraphBringsSelectionBackIntoTheText)
{
    TXEDIT tx = make(TX_WRAP, 800);
    for (const char *t : { "zero", "one", "two" })
        ruvv_tx_add_par(tx, 99, t);
    ruvv_tx_set_sel(tx, 1, 0, 2, 2, 0, 3);
    EXPECT_TRUE(ruvv_tx_rem_par(tx, 1));
    uint32_t p1, l1, c1, p2, l2, c2;
    ruvv_tx_get_sel(tx, &p1, &l1, &c1, &p2, &l2, &c2);
    EXPECT_EQ(p1, 1u);
    EXPECT_EQ(c1, 0u);
    EXPECT_EQ(p2, 1u);
    EXPECT_EQ(c2, 3u);
    EXPECT_TRUE(ruvv_tx_rem_par(tx, 1));
    ruvv_tx_get_sel(tx, &p1, &l1, &c1, &p2, &l2, &c2);
    EXPECT_EQ(p2, 0u);
    EXPECT_EQ(c2, 4u);
    coretest::reports().clear();
    EXPECT_FALSE(ruvv_tx_rem_par(tx, 1));
    EXPECT_TRUE(reported(0x01260002));
    EXPECT_EQ(ruvv_tx_get_num_lines(tx), 1);
    type(tx, "!");
    EXPECT_EQ(all(tx), "zero!");
}

TEST_F(TextEditTest, PressOnAnotherTextEditLeavesItReadyForBackspace)
{
    TXEDIT left = make(TX_WRAP, 80, 0, RUV_RECT{ 0, 0, 100, 100 });
    TXEDIT right = make(TX_WRAP, 80, 0, RUV_RECT{ 0, 100, 100, 200 });
    ruvv_tx_add_par(left, 0, "left");
    ruvv_tx_add_par(right, 0, "right");
    EXPECT_EQ(ruvtx::active_on(&win_), (int32_t)right);
    for (TXEDIT target : { left, right }) {
        RUV_EVENT ev{};
        ev.type = E_MOUSE_DOWN;
        ev.v.mouse.v = 5;
        ev.v.mouse.h = (int16_t)(target == left ? 90 : 190);
        EXPECT_TRUE(ruvv_tx_process_event(&win_, &ev));
        ev.type = E_MOUSE_UP;
        ruvv_tx_process_event(&win_, &ev);
        EXPECT_EQ(ruvtx::active_on(&win_), (int32_t)target);
        coretest::reports().clear();
        RUV_EVENT k{};
        k.type = E_CHAR;
        k.v.chr.key = 8;
        EXPECT_TRUE(ruvv_tx_process_event(&win_, &k));
        EXPECT_FALSE(reported(0x01740004));
    }
    EXPECT_EQ(all(left), "lef");
    EXPECT_EQ(all(right), "righ");
}

TEST_F(TextEditTest, ScrollCallbackHearsTheTotalAndResume)
{
    static std::vector<int32_t> totals;
    totals.clear();
    TXEDIT tx = make(TX_WRAP, 40);
    ruvv_tx_set_scroll_callback(tx, [](TXEDIT, int32_t, int32_t total, int32_t) { totals.push_back(total); });
    ruvv_tx_add_par(tx, 0, "abcdefghijkl");
    ASSERT_FALSE(totals.empty());
    EXPECT_EQ(totals.back(), 2);
    ruvv_tx_suspend(tx);
    size_t before = totals.size();
    ruvv_tx_add_par(tx, 1, "x");
    EXPECT_EQ(totals.size(), before);
    ruvv_tx_resume(tx);
    EXPECT_EQ(totals.back(), 3);
}

TEST_F(TextEditTest, EveryReLayoutTellsTheScrollCallbackTheNewTotal)
{
    static std::vector<int32_t> totals;
    TXEDIT tx = make(TX_WRAP, 40);
    // "ab" and the tab fill 64 of the 40 pixels: two lines.
    ruvv_tx_add_par(tx, 0, "ab\tcd");
    ASSERT_EQ(ruvv_tx_get_num_lines(tx), 2);
    ruvv_tx_set_scroll_callback(tx, [](TXEDIT, int32_t, int32_t total, int32_t) {
        if (total != 0x7FFFFFFF)
            totals.push_back(total);
    });
    struct Step {
        const char *what;
        std::function<void()> relayout;
        int32_t total;
    } steps[] = {
        { "tab stop 1", [&] { ruvv_tx_set_tabstop(tx, 1); }, 1 },
        { "tab stop 8", [&] { ruvv_tx_set_tabstop(tx, 8); }, 2 },
        { "margin 800", [&] { ruvv_tx_set_margin(tx, 800); }, 1 },
        { "margin 40", [&] { ruvv_tx_set_margin(tx, 40); }, 2 },
        { "no wrap", [&] { ruvv_tx_set_attr(tx, 0); }, 1 },
        { "wrap", [&] { ruvv_tx_set_attr(tx, TX_WRAP); }, 2 },
        { "reset", [&] { ruvv_tx_reset(tx); }, 2 },
    };
    for (const Step &s : steps) {
        totals.clear();
        s.relayout();
        EXPECT_EQ(ruvv_tx_get_num_lines(tx), s.total) << s.what;
        ASSERT_FALSE(totals.empty()) << s.what;
        EXPECT_EQ(totals.back(), s.total) << s.what;
    }
    // A text edit that the application suspended hears it when resumed.
    ruvv_tx_suspend(tx);
    totals.clear();
    ruvv_tx_set_margin(tx, 800);
    EXPECT_TRUE(totals.empty());
    ruvv_tx_resume(tx);
    ASSERT_FALSE(totals.empty());
    EXPECT_EQ(totals.back(), 1);
}

TEST_F(TextEditTest, LineAccessAcrossAnEdit)
{
    TXEDIT tx = make(TX_WRAP, 8000);
    ruvv_tx_add_par(tx, 0, "one");
    ASSERT_NE(ruvv_tx_get_line(tx, 0, 0, 0, nullptr), nullptr);
    // The paragraph grows (and may move) between two reads.
    std::string more(500, 'm');
    ruvv_tx_append(tx, 0, more.c_str());
    int32_t n = 0;
    const char *t = ruvv_tx_get_line(tx, 0, 1, 0, &n);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(std::string(t, (size_t)n), "one" + more);
    coretest::reports().clear();
    EXPECT_EQ(ruvv_tx_get_line(tx, 0, 1, 5, &n), nullptr);
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(reported(0x01260002));
    ruvv_tx_get_line(tx, 0, 2, 0, nullptr);
    coretest::reports().clear();
    EXPECT_EQ(ruvv_tx_get_line(tx, 0, 1, 0, &n), nullptr);
    EXPECT_TRUE(reported(0x01740001));
}

} // namespace

namespace {

class TextEditMouseTest : public TextEditTest {
protected:
    bool mouse(int32_t type, int16_t v, int16_t h, bool shift = false)
    {
        RUV_EVENT ev{};
        ev.type = type;
        ev.v.mouse.v = v;
        ev.v.mouse.h = h;
        ev.v.mouse.shift = shift ? 1 : 0;
        return ruvv_tx_process_event(&win_, &ev) != 0;
    }
    static std::vector<uint32_t> sel(TXEDIT tx) { return txtest::sel(tx); }
};

TEST_F(TextEditMouseTest, PressesDragsAndDoubleClicksSelect)
{
    TXEDIT tx = make(TX_WRAP, 800);
    ruvv_tx_add_par(tx, 0, "alpha beta   gamma");
    // A press lands on the nearest character edge (8 pixels a character).
    EXPECT_TRUE(mouse(E_MOUSE_DOWN, 5, 8 * 7 + 3));
    EXPECT_TRUE(mouse(E_MOUSE_MOVE, 5, 8 * 9 + 5));
    EXPECT_TRUE(mouse(E_MOUSE_UP, 5, 8 * 9 + 5));
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 7, 0, 0, 10 }));
    // Shift-press keeps the far end of the selection as the anchor.
    mouse(E_MOUSE_DOWN, 5, 8 * 2, true);
    mouse(E_MOUSE_UP, 5, 8 * 2);
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 2, 0, 0, 10 }));
    // A double click inside a word selects it; in the blanks before a
    // word, from there to the word's end.
    mouse(E_MOUSE_DOUBLE, 5, 8 * 7 + 3);
    mouse(E_MOUSE_UP, 5, 8 * 7 + 3);
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 6, 0, 0, 10 }));
    mouse(E_MOUSE_DOUBLE, 5, 8 * 11);
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 11, 0, 0, 18 }));
    mouse(E_MOUSE_UP, 5, 8 * 11);
    // Dragging after a double click extends by whole words.
    mouse(E_MOUSE_DOUBLE, 5, 8 * 7 + 3);
    mouse(E_MOUSE_MOVE, 5, 8 * 15);
    mouse(E_MOUSE_UP, 5, 8 * 15);
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 6, 0, 0, 18 }));
    // A point above the view stands for the first visible line, one below
    // the text for its end.
    mouse(E_MOUSE_DOWN, 5, 8 * 3);
    mouse(E_MOUSE_MOVE, -40, 8 * 5);
    mouse(E_MOUSE_UP, -40, 8 * 5);
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 3, 0, 0, 5 }));
    mouse(E_MOUSE_DOWN, 150, 8 * 3);
    mouse(E_MOUSE_UP, 150, 8 * 3);
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 18, 0, 0, 18 }));
}

TEST_F(TextEditMouseTest, DraggingAfterADoubleClickKeepsTheDoubleClickedWord)
{
    TXEDIT tx = make(TX_WRAP, 800);
    ruvv_tx_add_par(tx, 0, "alpha beta   gamma");
    // Double-click "beta" (6..10), then drag: each step's selection.
    struct Step {
        int16_t h;
        uint32_t from, to;
    } steps[] = {
        { 8 * 2, 0, 10 },   // onto "alpha"
        { 8 * 7, 6, 10 },   // back onto "beta"
        { 8 * 15, 6, 18 },  // onto "gamma"
        { 8 * 8, 6, 10 },   // back onto "beta"
        { 8 * 1, 0, 10 },   // onto "alpha" again
    };
    mouse(E_MOUSE_DOUBLE, 5, 8 * 7 + 3);
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 6, 0, 0, 10 }));
    for (const Step &s : steps) {
        mouse(E_MOUSE_MOVE, 5, s.h);
        EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, s.from, 0, 0, s.to })) << s.h;
    }
    mouse(E_MOUSE_UP, 5, 8 * 1);
    EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 0, 0, 0, 10 }));
}

TEST_F(TextEditMouseTest, ReadOnlyCopyProtectedPressActivatesWithoutSelecting)
{
    TXEDIT a = make(TX_WRAP, 80, 0, RUV_RECT{ 0, 0, 100, 100 });
    TXEDIT b = make(TX_WRAP | TX_READONLY | TX_NOCOPY, 80, 0, RUV_RECT{ 0, 100, 100, 200 });
    ruvv_tx_add_par(b, 0, "locked");
    ruvv_tx_set_active(a);
    EXPECT_TRUE(mouse(E_MOUSE_DOWN, 5, 130));
    EXPECT_EQ(ruvtx::active_on(&win_), (int32_t)b);
    EXPECT_FALSE(mouse(E_MOUSE_MOVE, 5, 190));
    EXPECT_EQ(sel(b), (std::vector<uint32_t>{ 0, 0, 0, 0, 0, 0 }));
}

TEST_F(TextEditMouseTest, DeletingInATextEditWithoutFocusIsAHighlightConflict)
{
    TXEDIT tx = make(TX_WRAP, 800);
    ruvv_tx_add_par(tx, 0, "abc");
    ruvv_tx_set_sel(tx, 0, 0, 3, 0, 0, 3);
    RUV_EVENT focus{};
    focus.type = E_FOCUS;
    focus.v.focus.active = 0;
    ruvv_tx_process_event(&win_, &focus);
    coretest::reports().clear();
    type(tx, "\b");
    EXPECT_TRUE(reported(0x01740004));
    EXPECT_EQ(all(tx), "abc");
    focus.v.focus.active = 1;
    ruvv_tx_process_event(&win_, &focus);
    coretest::reports().clear();
    type(tx, "\b");
    EXPECT_FALSE(reported(0x01740004));
    EXPECT_EQ(all(tx), "ab");
}

} // namespace

namespace {

TEST_F(TextEditTest, ColoursComeFromTheControlColourListsUntilSetExplicitly)
{
    RUV_VOBJ parent{};
    win_.parent = &parent;
    // The owner (the window itself in handle mode) gives foreground twice
    // (the last wins) and border; background stays the default.
    RUV_COLOR_COMPONENT own[] = { { 2, 0x07000011 }, { 32, 0x07000022 }, { 2, 0x07000033 }, { 0, 0 } };
    win_.ctl_colors.items = own;
    win_.ctl_colors.count = 3;
    TXEDIT tx = make();
    ruvtx::Record *r = ruvtx::lock_record((int32_t)tx);
    EXPECT_EQ(r->fg, 0x07000033u);
    EXPECT_EQ(r->bg, 0x0BFFFFFFu);
    EXPECT_EQ(r->border, 0x07000022u);
    ruvtx::unlock_record((int32_t)tx);
    // A changed list reaches the text edit when its owner's colours are reset.
    own[1].color = 0x07000044;
    ruvv_tx_reset_colors(&win_, nullptr, 0);
    r = ruvtx::lock_record((int32_t)tx);
    EXPECT_EQ(r->border, 0x07000044u);
    ruvtx::unlock_record((int32_t)tx);
    ruvv_tx_set_colors(tx, 1, 2, 3);
    ruvv_tx_reset_colors(&win_, nullptr, 0);
    r = ruvtx::lock_record((int32_t)tx);
    EXPECT_FALSE(ruvtx::recompute_colors(r));
    EXPECT_EQ(r->fg, 1u);
    EXPECT_EQ(r->border, 2u);
    EXPECT_EQ(r->bg, 3u);
    ruvtx::unlock_record((int32_t)tx);
    ruvv_tx_destroy(tx);
    RUV_COLOR_COMPONENT *natives = ruvv_tx_get_native_colors();
    ASSERT_NE(natives, nullptr);
    EXPECT_EQ(natives[1].type, 4);
    EXPECT_EQ(natives[1].color, 0x0BFFFFFFu);
    EXPECT_EQ(natives[3].type, 0);
    ruvv_mem_free(natives);
    win_.ctl_colors.items = nullptr;
    win_.ctl_colors.count = 0;
}

} // namespace
