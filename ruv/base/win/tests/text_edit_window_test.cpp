// Text edits on real windows: text-edit windows in a document with an Edit
// menu (32042-32045), driven by real keys and clicks; the text, selection,
// caret, menu states, clipboard, the parent's E_CONTROL events, scrolling
// and its callback, colours and fonts read back as pixels and metrics; the
// handle mode with two text edits on one window; a text edit from a
// compiled window definition; memory given back when the window goes.
#include <string>
#include <vector>

#include "event_test_support.h"
#include "menus.h"
#include "native_controls.h"
#include "ruvv_cxo.h"
#include "ruvv_font.h"
#include "ruvv_res.h"
#include "ruvv_tx.h"
#include "startup.h"
#include "text_edit_window_test_res.h"
#include "../../portable/tests/text_edit_test_support.h"
#include "../../portable/text_edit_private.h"

namespace {

char *t(const char *s)
{
    return const_cast<char *>(s);
}

constexpr uint32_t ON = RUV_MENU_ENABLED;
RUV_MENU_ITEM g_edit[] = {
    { TX_CMD_CUT, t("Cut"), 't', ON, nullptr, 0 },
    { TX_CMD_COPY, t("Copy"), 'C', ON, nullptr, 0 },
    { TX_CMD_PASTE, t("Paste"), 'P', ON, nullptr, 0 },
    { TX_CMD_CLEAR, t("Clear"), 'l', ON, nullptr, 0 },
    {},
};
RUV_MENU_ITEM g_bar[] = {
    { 200, t("Edit"), 'E', ON, g_edit, 0 },
    {},
};

// What the document's own handler saw.
struct Heard {
    std::vector<int32_t> commands;
    std::vector<RUV_EVENT> controls;
};
Heard &heard()
{
    static Heard h;
    return h;
}

int32_t frame_handler(RUV_WIN, RUV_EVENT *ev)
{
    if (ev->type == E_COMMAND)
        heard().commands.push_back(ev->v.command.tag);
    if (ev->type == E_CONTROL)
        heard().controls.push_back(*ev);
    return 0;
}

RUV_WIN make_doc(int16_t top = 30)
{
    RUV_RECT r = { top, 30, static_cast<int16_t>(top + 260), 430 };
    RUV_WIN doc = ruvk_win_create(1, &r, "Text edits", 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, frame_handler, nullptr);
    if (doc) {
        // The document's bar, shown on the frame as when it is activated.
        ruvk_menu_set_tree(doc, g_bar);
        ruvk_menu_show(doc);
    }
    return doc;
}

HWND hw(RUV_WIN w)
{
    return kt::hwnd_of(w);
}

COLORREF pixel(RUV_WIN w, int x, int y)
{
    HDC dc = GetDC(hw(w));
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hw(w), dc);
    return c;
}

void settle()
{
    et::pump(60);
}

void type(const std::string &s)
{
    for (char c : s) {
        int vk = c == ' ' ? VK_SPACE : (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
        et::keys({ vk, -vk });
        et::pump(10);
    }
    settle();
}

void mouse_at(RUV_WIN w, int x, int y)
{
    POINT p = { x, y };
    ClientToScreen(hw(w), &p);
    SetCursorPos(p.x, p.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in.mi.dx = (p.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (p.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    SendInput(1, &in, sizeof in);
    et::pump(20);
}

void button(bool down)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    et::pump(20);
}

void click(RUV_WIN w, int x, int y, int times = 1)
{
    mouse_at(w, x, y);
    for (int i = 0; i < times; ++i) {
        button(true);
        button(false);
    }
    settle();
}

using txtest::all;
using txtest::sel;

// Record metrics of a text edit (line height, ascent, average width).
struct Metrics {
    int lh, ascent, avg;
};
Metrics metrics(TXEDIT tx)
{
    int32_t h = ruvtx::window_to_handle ? ruvtx::window_to_handle((RUV_WIN)tx) : (int32_t)tx;
    ruvtx::Record *r = ruvtx::lock_record(h);
    Metrics m{ r->line_height, r->ascent, r->avg_width };
    ruvtx::unlock_record(h);
    return m;
}

int parent_handlers(RUV_WIN w)
{
    int n = 0;
    for (RUV_CXO *c = w->cxo_chain; c; c = c->next) {
        char name[64];
        if (ruvv_cxo_get_class_name(c, name, sizeof name) && std::string(name) == "TXParentClassCXO")
            ++n;
    }
    return n;
}

UINT menu_state(RUV_WIN doc, int tag)
{
    HMENU bar = GetMenu(hw(et::task()));
    if (!bar)
        bar = GetMenu(hw(doc));
    return GetMenuState(bar, (UINT)tag, MF_BYCOMMAND);
}

std::string clipboard_text()
{
    std::string s;
    if (!OpenClipboard(nullptr))
        return "<closed>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char *p = static_cast<const char *>(GlobalLock(h))) {
            s = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return s;
}

void set_clipboard(const std::string &s)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, s.size() + 1);
    memcpy(GlobalLock(g), s.c_str(), s.size() + 1);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
}

void menu_command(RUV_WIN doc, int tag)
{
    // As the frame's menu sends it.
    (void)doc;
    PostMessageA(hw(et::task()), WM_COMMAND, MAKEWPARAM(tag, 0), 0);
    settle();
}

void no_reports()
{
    // A document's missing icon is the test program's, not the text edit's.
    for (const kt::Report &r : kt::reports())
        if (r.id != 0x3485FF)
            ADD_FAILURE() << "reported " << std::hex << r.id << " (" << r.text << ")";
}

void app(std::function<void()> body, bool handle_mode = false, std::function<void()> before = nullptr)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    if (before)
        before();
    if (handle_mode)
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TX_HANDLE_API, 1);
    heard() = Heard{};
    et::run([body] {
        kt::capture_errors();
        kt::reports().clear();
        body();
    });
}

// First in the program: the counting hooks go in before any start.
TEST(TextEditWindowMemory, DestroyingTheWindowFreesRecordLinkAndHandler)
{
    kt::MemCount::install(false);
    app([] {
        // A first text edit puts the task window's handler in place for good.
        RUV_WIN warm = make_doc();
        RUV_RECT r = { 10, 10, 110, 210 };
        ASSERT_NE(ruvv_tx_create(warm, &r, TX_WRAP, nullptr, 0, 0), 0);
        ruvk_vobj_destroy(warm);
        settle();
        long before = kt::MemCount::outstanding();

        RUV_WIN doc = make_doc();
        TXEDIT a = ruvv_tx_create(doc, &r, TX_WRAP | TX_BORDER, nullptr, 0, 0);
        RUV_RECT r2 = { 120, 10, 220, 210 };
        TXEDIT b = ruvv_tx_create(doc, &r2, TX_WRAP, nullptr, 0, 0);
        ASSERT_NE(a, 0);
        ASSERT_NE(b, 0);
        // A second text edit adds no second handler on the parent.
        EXPECT_EQ(parent_handlers(doc), 1);
        EXPECT_EQ(parent_handlers(et::task()), 1);
        ruvv_tx_add_par(a, 0, "some text that is long enough to wrap over several lines here");
        ruvv_tx_add_par(b, 0, "more");
        settle();
        ruvk_vobj_destroy(doc);
        settle();
        EXPECT_FALSE(ruvv_tx_is_valid(a));
        EXPECT_EQ(ruvv_tx_get_next_tx(0, nullptr), 0);
        EXPECT_EQ(kt::MemCount::outstanding(), before);
    });
}

class TextEditWindow : public ::testing::Test {};

TEST_F(TextEditWindow, TypingWrapsAtTheMarginAndTellsTheParentOfEveryChange)
{
    app([] {
        RUV_WIN doc = make_doc();
        RUV_RECT r = { 10, 10, 210, 310 };
        TXEDIT tx = ruvv_tx_create(doc, &r, TX_WRAP | TX_BORDER | TX_AUTOVSCROLL, nullptr, 0, 0);
        ASSERT_NE(tx, 0);
        Metrics m = metrics(tx);
        ruvv_tx_set_margin(tx, m.avg * 12);
        heard().controls.clear();
        et::undisturbed([&] {
            ruvv_tx_set_active(tx);
            settle();
            heard().controls.clear();
            ruvv_tx_clear(tx);
            type("alpha beta gamma delta");
        });
        EXPECT_EQ(all(tx), "alpha beta gamma delta");
        EXPECT_GE(ruvv_tx_get_num_par_lines(tx, 0), 2);
        // Every line ends at a word within the margin.
        ruvv_tx_get_line(tx, 0, 0, 0, nullptr);
        int32_t n = 0;
        const char *line0 = ruvv_tx_get_line(tx, 0, 1, 0, &n);
        ASSERT_NE(line0, nullptr);
        std::string first(line0, (size_t)n);
        ruvv_tx_get_line(tx, 0, 2, 0, nullptr);
        EXPECT_EQ(first.back(), ' ');
        int changes = 0;
        for (const RUV_EVENT &e : heard().controls) {
            EXPECT_EQ(e.v.control.type, 23);
            EXPECT_EQ(e.v.control.ctl, (RUV_WIN)tx);
            changes += e.v.control.data.edit.change == 0;
        }
        EXPECT_EQ(changes, 22);
        // Focus changes: value 1 with the gained flag.
        RUV_RECT r2 = { 215, 10, 245, 310 };
        TXEDIT other = ruvv_tx_create(doc, &r2, TX_WRAP, nullptr, 0, 0);
        heard().controls.clear();
        ruvv_tx_set_active(other);
        settle();
        bool lost = false;
        for (const RUV_EVENT &e : heard().controls)
            lost = lost || (e.v.control.ctl == (RUV_WIN)tx && e.v.control.data.edit.change == 1 &&
                            e.v.control.data.edit.gained == 0);
        EXPECT_TRUE(lost);
        EXPECT_EQ(ruvv_tx_get_active(), other);
        EXPECT_EQ(ruvv_tx_get_next_tx(tx, doc), other);
        EXPECT_EQ(ruvv_tx_get_next_tx(other, doc), 0);
        no_reports();
    });
}

TEST_F(TextEditWindow, MouseAndKeysSelectAndTheCaretFollows)
{
    app([] {
        RUV_WIN doc = make_doc();
        RUV_RECT r = { 10, 10, 110, 390 };
        TXEDIT tx = ruvv_tx_create(doc, &r, TX_WRAP, nullptr, 0, 0);
        ruvv_tx_add_par(tx, 0, "one two three four");
        Metrics m = metrics(tx);
        RUV_WIN w = (RUV_WIN)tx;
        int y = m.lh / 2;
        // x of a character edge, measured in the text edit's own font.
        auto edge = [&](int ch) {
            ruvtx::Pos p{ 0, 0, (uint32_t)ch, 0 };
            int32_t h = ruvtx::window_to_handle(w);
            ruvtx::Record *rec = ruvtx::lock_record(h);
            ruvtx::begin_draw(rec);
            int x = ruvtx::x_of(rec, p);
            ruvtx::unlock_record(h);
            ruvtx::end_draw();
            return x;
        };
        et::undisturbed([&] {
            ruvv_tx_set_active(tx);
            settle();
            // Double click inside "two": the word.
            click(w, (edge(4) + edge(5)) / 2 + 1, y, 2);
            EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 4, 0, 0, 7 }));
            // A drag from "one" to "three".
            mouse_at(w, edge(1), y);
            button(true);
            mouse_at(w, edge(6), y);
            mouse_at(w, edge(10), y);
            button(false);
            settle();
            EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 1, 0, 0, 10 }));
            // A click, then Shift+Right twice and Ctrl+Right.
            click(w, edge(2), y);
            EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 2, 0, 0, 2 }));
            POINT caret;
            GetCaretPos(&caret);
            EXPECT_EQ(caret.x, edge(2) - 1);
            EXPECT_EQ(caret.y, 0);
            et::keys({ VK_SHIFT, VK_RIGHT, -VK_RIGHT, VK_RIGHT, -VK_RIGHT, -VK_SHIFT }, false);
            settle();
            EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 2, 0, 0, 4 }));
            et::keys({ VK_CONTROL, VK_RIGHT, -VK_RIGHT, -VK_CONTROL });
            settle();
            EXPECT_EQ(sel(tx), (std::vector<uint32_t>{ 0, 0, 8, 0, 0, 8 }));
            GetCaretPos(&caret);
            EXPECT_EQ(caret.x, edge(8) - 1);
            // A click on another text edit gives it the focus.
            RUV_RECT r2 = { 120, 10, 160, 390 };
            TXEDIT other = ruvv_tx_create(doc, &r2, TX_WRAP, nullptr, 0, 0);
            settle();
            click((RUV_WIN)other, 20, 10);
            EXPECT_EQ(ruvv_tx_get_active(), other);
        });
        // The highlight: a selected character is drawn in inverse video.
        ruvv_tx_set_sel(tx, 0, 0, 0, 0, 0, 3);
        UpdateWindow(hw(w));
        settle();
        EXPECT_EQ(pixel(w, edge(3) + 2, y), RGB(255, 255, 255));
        EXPECT_EQ(pixel(w, 1, 1), RGB(0, 0, 0));   // the band's fill at the line's left
        no_reports();
    });
}

TEST_F(TextEditWindow, CutCopyAndPasteGoThroughTheFramesEditMenuToTheFocusedTextEdit)
{
    app([] {
        RUV_WIN doc = make_doc();
        RUV_RECT r = { 10, 10, 110, 390 };
        TXEDIT tx = ruvv_tx_create(doc, &r, TX_WRAP, nullptr, 0, 0);
        ruvv_tx_add_par(tx, 0, "copy this text");
        et::undisturbed([&] {
            ruvv_tx_set_active(tx);
            settle();
        });
        ruvv_tx_set_sel(tx, 0, 0, 5, 0, 0, 9);
        settle();
        EXPECT_FALSE(menu_state(doc, TX_CMD_COPY) & MF_GRAYED);
        EXPECT_FALSE(menu_state(doc, TX_CMD_CUT) & MF_GRAYED);
        heard() = Heard{};
        menu_command(doc, TX_CMD_COPY);
        EXPECT_EQ(clipboard_text(), "this");
        menu_command(doc, TX_CMD_CUT);
        EXPECT_EQ(all(tx), "copy  text");
        // The commands reached the text edit, not the document's handler.
        EXPECT_TRUE(heard().commands.empty());
        EXPECT_TRUE(menu_state(doc, TX_CMD_COPY) & MF_GRAYED);
        set_clipboard("one\r\ntwo");
        ruvv_tx_set_sel(tx, 0, 0, 0, 0, 0, 0);
        menu_command(doc, TX_CMD_PASTE);
        EXPECT_EQ(all(tx), "one|twocopy  text");
        // Cut while another program holds the clipboard keeps the text.
        ruvv_tx_set_sel(tx, 0, 0, 0, 0, 0, 3);
        ASSERT_TRUE(OpenClipboard(hw(doc)));
        menu_command(doc, TX_CMD_CUT);
        CloseClipboard();
        EXPECT_EQ(all(tx), "one|twocopy  text");
        // Clear deletes the selection without the clipboard.
        menu_command(doc, TX_CMD_CLEAR);
        EXPECT_EQ(all(tx), "|twocopy  text");
    });
}

// A handler behind the text edit's own on its window that stops every
// character with -1.
int32_t stop_chars(RUV_CXO *, RUV_EVENT *)
{
    return -1;
}

TEST_F(TextEditWindow, ACharacterThatTheHandlerChainStopsChangesNothing)
{
    app([] {
        RUV_WIN doc = make_doc();
        RUV_RECT r = { 10, 10, 110, 390 };
        TXEDIT tx = ruvv_tx_create(doc, &r, TX_WRAP, nullptr, 0, 0);
        ASSERT_NE(tx, 0);
        ruvv_tx_add_par(tx, 0, "kept");
        ruvv_tx_set_sel(tx, 0, 0, 4, 0, 0, 4);
        RUV_CXO *stop = ruvv_cxo_create((RUV_WIN)tx, nullptr, RUV_CXO_TAIL, stop_chars, RUV_EVENT_BIT(E_CHAR),
                                        "StopChars", nullptr);
        ASSERT_NE(stop, nullptr);
        heard().controls.clear();
        et::undisturbed([&] {
            ruvv_tx_set_active(tx);
            settle();
            heard().controls.clear();
            type("ab");
        });
        EXPECT_EQ(all(tx), "kept");
        for (const RUV_EVENT &e : heard().controls)
            EXPECT_NE(e.v.control.data.edit.change, 0) << "a change was reported";
        // Without the stopping handler the same keys type.
        ruvv_cxo_destroy(stop);
        et::undisturbed([&] {
            ruvv_tx_set_active(tx);
            settle();
            type("ab");
        });
        EXPECT_EQ(all(tx), "keptab");
    });
}

struct Call {
    TXEDIT tx;
    int32_t first, total, h;
};
std::vector<Call> &calls()
{
    static std::vector<Call> c;
    return c;
}

TEST_F(TextEditWindow, ScrollsByItselfAndOnRequestTellingTheCallback)
{
    app([] {
        RUV_WIN doc = make_doc();
        RUV_RECT r = { 10, 10, 110, 210 };
        TXEDIT tx = ruvv_tx_create(doc, &r, TX_WRAP | TX_AUTOVSCROLL, nullptr, 0, 0);
        Metrics m = metrics(tx);
        int visible = 100 / m.lh;
        calls().clear();
        ruvv_tx_set_scroll_callback(tx, [](TXEDIT t, int32_t f, int32_t n, int32_t h) { calls().push_back({ t, f, n, h }); });
        for (int i = 0; i < 20; ++i)
            ruvv_tx_add_par(tx, i, ("line " + std::to_string(i)).c_str());
        ASSERT_FALSE(calls().empty());
        EXPECT_EQ(calls().back().tx, tx);
        EXPECT_EQ(calls().back().total, 20);
        calls().clear();
        ruvv_tx_scroll_vert(tx, -5);
        ASSERT_EQ(calls().size(), 1u);
        EXPECT_EQ(calls()[0].first, 5);
        EXPECT_EQ(calls()[0].total, 0x7FFFFFFF);
        EXPECT_EQ(calls()[0].h, -1);
        ruvv_tx_scroll_vert(tx, -100);
        EXPECT_EQ(calls().back().first, 20 - visible);
        // The first visible line is drawn at the top.
        settle();
        uint32_t op = 0;
        ruvv_tx_get_origin(tx, &op, nullptr, nullptr, nullptr);
        EXPECT_EQ(op, (uint32_t)(20 - visible));
        // Typing at the start scrolls back by itself.
        et::undisturbed([&] {
            ruvv_tx_set_active(tx);
            settle();
            ruvv_tx_set_sel(tx, 0, 0, 0, 0, 0, 0);
            settle();
        });
        EXPECT_EQ(calls().back().first, 0);
        uint16_t first = 9;
        ruvv_tx_get_origin(tx, nullptr, nullptr, &first, nullptr);
        EXPECT_EQ(first, 0);
        // Horizontal: no wrap, auto-scroll, a long line.
        TXEDIT wide = ruvv_tx_create(doc, &r, TX_AUTOHSCROLL, nullptr, 0, 0);
        ruvv_tx_add_par(wide, 0, std::string(80, 'w').c_str());
        calls().clear();
        ruvv_tx_set_scroll_callback(wide, [](TXEDIT t, int32_t f, int32_t n, int32_t h) { calls().push_back({ t, f, n, h }); });
        ruvv_tx_scroll_hor(wide, -30);
        ASSERT_EQ(calls().size(), 1u);
        EXPECT_EQ(calls()[0].h, 30);
        EXPECT_EQ(calls()[0].first, 0x7FFFFFFF);
        no_reports();
    });
}

TEST_F(TextEditWindow, ColoursAndFontsShowAsPixelsAndMetrics)
{
    app([] {
        RUV_WIN doc = make_doc();
        RUV_RECT r = { 10, 10, 110, 210 };
        TXEDIT tx = ruvv_tx_create(doc, &r, TX_WRAP | TX_BORDER, nullptr, 0, 0);
        ruvv_tx_add_par(tx, 0, "");
        RUV_WIN w = (RUV_WIN)tx;
        UpdateWindow(hw(w));
        settle();
        // Defaults: black border, white inside.
        EXPECT_EQ(pixel(w, 0, 50), RGB(0, 0, 0));
        EXPECT_EQ(pixel(w, 100, 50), RGB(255, 255, 255));
        ruvv_tx_set_colors(tx, 0x00FF0000, 0x0000FF00, 0x000000FF);
        UpdateWindow(hw(w));
        settle();
        EXPECT_EQ(pixel(w, 0, 50), RGB(0, 255, 0));
        EXPECT_EQ(pixel(w, 100, 50), RGB(0, 0, 255));
        // The owner's control colours reach a text edit without colours of
        // its own.
        TXEDIT plain = ruvv_tx_create(doc, &(const RUV_RECT &)RUV_RECT{ 120, 10, 220, 210 }, TX_WRAP, nullptr, 0, 0);
        RUV_COLOR_COMPONENT owner[] = { { 4, 0x00FFFF00 }, { 0, 0 } };
        ruvk_win_set_ctl_colors(doc, owner, -1);
        ruvv_tx_reset_colors(doc, nullptr, 0);
        UpdateWindow(hw((RUV_WIN)plain));
        settle();
        EXPECT_EQ(pixel((RUV_WIN)plain, 100, 50), RGB(0xFF, 0xFF, 0));
        // Fonts: the window's own, else the parent's control font.
        Metrics before = metrics(plain);
        RUV_FONT *big = ruvv_font_create();
        ruvv_font_set_size(big, 28);
        ruvv_tx_set_font(plain, big);
        Metrics own = metrics(plain);
        EXPECT_GT(own.lh, before.lh);
        RUV_FONT *copy = ruvv_tx_get_font(plain);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(ruvv_font_get_size(copy), 28);
        ruvv_font_destroy(copy);
        ruvv_tx_set_font(plain, nullptr);
        EXPECT_EQ(metrics(plain).lh, before.lh);
        ruvv_tx_win_set_font(doc, big);
        EXPECT_EQ(metrics(plain).lh, own.lh);
        ruvv_font_destroy(big);
        no_reports();
    });
}

TEST_F(TextEditWindow, ATextEditLineOfAWindowDefinitionTakesItsTitleAsItsFirstParagraph)
{
    app([] {
        // The program's start record hands the text-edit module's create
        // call to the kernel, which makes the text edit with the window.
        RUV_START_RECORD start{};
        start.tx_create_callback = reinterpret_cast<void *>(
            +[](const RUV_WIN_DEF *e, RUV_WIN parent, void *data) -> intptr_t {
                return ruvv_tx_create_def(e, parent, data);
            });
        ASSERT_TRUE(ruvv_win_save_start_info(&start));
        RUV_WIN_DEF *def = ruvv_res_get_win_def(TXT_WINDOW);
        ASSERT_NE(def, nullptr);
        RUV_WIN win = ruvk_win_create_def(def, et::task(), RUV_EVENT_MASK_ALL, frame_handler, nullptr);
        ruvv_res_free_win_def(def);
        start.tx_create_callback = nullptr;
        ruvv_win_save_start_info(&start);
        ASSERT_NE(win, nullptr);
        TXEDIT tx = ruvv_tx_get_tx(win, TXT_NOTES);
        ASSERT_NE(tx, 0);
        EXPECT_EQ(ruvv_tx_get_cid(tx), TXT_NOTES);
        EXPECT_EQ(all(tx), "first paragraph");
        EXPECT_EQ(ruvv_tx_get_margin(tx), 120);
        EXPECT_EQ(ruvv_tx_get_limit(tx), 40);
        EXPECT_EQ(ruvv_tx_get_attr(tx) & (TX_WRAP | TX_BORDER), TX_WRAP | TX_BORDER);
        EXPECT_EQ(ruvv_tx_get_win(tx), win);
        // Hidden and disabled are the window's, read back in the attributes.
        uint16_t attrs = ruvv_tx_get_attr(tx);
        ruvv_tx_set_attr(tx, (uint16_t)(attrs | 0x8000 | 0x4000));
        EXPECT_FALSE(IsWindowVisible(hw((RUV_WIN)tx)));
        EXPECT_FALSE(IsWindowEnabled(hw((RUV_WIN)tx)));
        EXPECT_EQ(ruvv_tx_get_attr(tx), attrs | 0xC000);
        ruvv_tx_set_attr(tx, attrs);
        EXPECT_TRUE(IsWindowVisible(hw((RUV_WIN)tx)));
        EXPECT_EQ(ruvv_tx_get_attr(tx), attrs);
        // Moved, the view follows the window's client area (inset by the
        // border), reported in the parent's coordinates.
        RUV_RECT to = { 20, 30, 100, 230 };
        ruvv_tx_move(tx, &to);
        RUV_RECT view{};
        ruvv_tx_get_view(tx, &view);
        EXPECT_EQ(view.top, 24);
        EXPECT_EQ(view.left, 34);
        EXPECT_EQ(view.bottom, 96);
        EXPECT_EQ(view.right, 226);
        no_reports();
    });
}

RUV_FONT *&big_font()
{
    static RUV_FONT *f = nullptr;
    return f;
}

TEST_F(TextEditWindow, TheToolkitsControlColoursAndFontServeTextEditsWithoutTheirOwn)
{
    static RUV_COLOR_COMPONENT defaults[] = { { 4, 0x0000FFFF }, { 32, 0x00FF0000 }, { 0, 0 } };
    app(
        [] {
            RUV_WIN doc = make_doc();
            RUV_RECT r = { 10, 10, 110, 210 };
            TXEDIT tx = ruvv_tx_create(doc, &r, TX_WRAP | TX_BORDER, nullptr, 0, 0);
            ASSERT_NE(tx, 0);
            UpdateWindow(hw((RUV_WIN)tx));
            settle();
            EXPECT_EQ(pixel((RUV_WIN)tx, 100, 50), RGB(0, 0xFF, 0xFF));
            EXPECT_EQ(pixel((RUV_WIN)tx, 0, 50), RGB(0xFF, 0, 0));
            // The control font of attribute 719, against a default font.
            RUV_FONT *res = big_font();
            Metrics toolkit = metrics(tx);
            RUV_RECT r2 = { 120, 10, 220, 210 };
            TXEDIT plain = ruvv_tx_create(doc, &r2, TX_WRAP, nullptr, 0, 0);
            RUV_FONT *deflt = ruvv_font_create();
            ruvv_tx_set_font(plain, deflt);
            EXPECT_GT(toolkit.lh, metrics(plain).lh);
            ruvv_tx_set_font(plain, res);
            EXPECT_EQ(metrics(plain).lh, toolkit.lh);
            // A parent's control font comes before the toolkit's.
            RUV_WIN doc2 = make_doc(60);
            doc2->ctl_font = ruvv_font_create();
            ruvv_font_copy(doc2->ctl_font, deflt, -1);
            TXEDIT child = ruvv_tx_create(doc2, &r, TX_WRAP, nullptr, 0, 0);
            EXPECT_LT(metrics(child).lh, toolkit.lh);
            ruvv_font_destroy(deflt);
            no_reports();
        },
        false,
        [] {
            ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CTL_COLORS, reinterpret_cast<intptr_t>(defaults));
            // The kernel takes the control font as a font.
            big_font() = ruvv_font_create();
            ruvv_font_set_size(big_font(), 24);
            ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CTL_FONT, reinterpret_cast<intptr_t>(big_font()));
        });
}

// Handle mode: two text edits drawn on one window that passes them its
// events.
int32_t pass_to_text_edits(RUV_WIN win, RUV_EVENT *ev)
{
    return ruvv_tx_process_event(win, ev);
}

TEST_F(TextEditWindow, HandleModeTwoTextEditsOnOneWindow)
{
    app(
        [] {
            RUV_RECT wr = { 30, 30, 290, 430 };
            RUV_WIN doc = ruvk_win_create(1, &wr, "Handles", 0, et::task(), 0x803, RUV_EVENT_MASK_ALL,
                                          pass_to_text_edits, nullptr);
            ruvk_menu_set_tree(doc, g_bar);
            RUV_RECT r1 = { 10, 10, 60, 200 }, r2 = { 80, 10, 130, 200 };
            TXEDIT a = ruvv_tx_create(doc, &r1, TX_WRAP | TX_BORDER, nullptr, 0, 0);
            TXEDIT b = ruvv_tx_create(doc, &r2, TX_WRAP | TX_BORDER, nullptr, 0, 0);
            ASSERT_EQ(a, 1);
            ASSERT_EQ(b, 2);
            ruvv_tx_add_par(a, 0, "first");
            ruvv_tx_add_par(b, 0, "second");
            UpdateWindow(hw(doc));
            settle();
            EXPECT_EQ(pixel(doc, 10, 30), RGB(0, 0, 0));     // a's border
            EXPECT_EQ(pixel(doc, 10, 100), RGB(0, 0, 0));    // b's border
            EXPECT_EQ(pixel(doc, 150, 30), RGB(255, 255, 255));
            et::undisturbed([&] {
                ruvv_tx_set_active(a);
                settle();
                // A press on b activates it; Backspace then works there.
                click(doc, 180, 95);
                et::keys({ VK_BACK, -VK_BACK });
                settle();
            });
            EXPECT_EQ(ruvv_tx_get_active(), b);
            EXPECT_EQ(all(b), "secon");
            EXPECT_EQ(all(a), "first");
            EXPECT_FALSE(kt::reported(0x01740004));
            EXPECT_EQ(ruvv_tx_get_tx(doc, 0), a);
            EXPECT_EQ(ruvv_tx_get_next_tx(a, doc), b);
            ruvv_tx_destroy(a);
            ruvv_tx_destroy(b);
            EXPECT_FALSE(ruvv_tx_is_valid(a));
        },
        true);
}

} // namespace
