// The table control on real windows: the controls it makes (classes, ids,
// rectangles, styles) read back through Win32, controls shown and hidden
// as rows come and go, the bars' scroll information and the texts after
// scrolling (a bar's bottom and a row deleted at the end never show rows
// past the end), typed text kept across a scroll, the owner's callback
// codes 0-4, the key walks and the row, title and value operations.
#include "table_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor_test_support.h"
#include "front_fixture.h"
#include "ruvcm.h"
#include "ruvv_attr.h"

using namespace ruvf_test;

// The editor services the control calls, recorded.
int16_t ModifiedFlag = 0;
static int titleUpdates = 0;
static std::vector<RUV_WIN> helpRemoved;
void UpdateMainTitle(void) { ++titleUpdates; }
void HelpRemoveWindow(RUV_WIN window) { helpRemoved.push_back(window); }

namespace {

struct Call {
    int code, row, column;
    std::string text;
    bool nullText;
};
std::vector<Call> calls;

char *Record(RUV_WIN, int32_t code, int32_t row, int32_t column, char *text)
{
    calls.push_back({ code, row, column, text ? text : "", text == nullptr });
    return nullptr;
}

// The calls as "code(row,column) ..." .
std::string Sequence()
{
    std::string seq;
    for (const Call &k : calls)
        seq += std::to_string(k.code) + "(" + std::to_string(k.row) + "," + std::to_string(k.column) + ") ";
    return seq;
}

HWND Native(RUV_WIN w)
{
    return reinterpret_cast<HWND>(ruv_vobj_get_attr(w, RUV_ATTR_NATIVE_WINDOW));
}

std::string Text(HWND h)
{
    char buf[100] = "";
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

std::string ClassOf(HWND h)
{
    char buf[64] = "";
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

// A control's rectangle in its parent's client coordinates.
table_core::Box BoxOf(HWND h)
{
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT *>(&r), 2);
    return { r.top, r.left, r.bottom, r.right };
}

SCROLLINFO Scroll(HWND bar)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &si);
    return si;
}

// The page that holds the tables of a test.
RUV_WIN MakePage()
{
    RUV_RECT r{ 20, 20, 520, 720 };
    return ruv_win_create(1, &r, "Tables", 0, reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)),
                          0x803, RUV_EVENT_MASK_ALL, ruvcm_null_handler, nullptr);
}

struct Shape {
    const char *name;
    RUV_RECT rect;
    int rows, columns, rowHeight, minHeader, minRowHeader, fixedWidth, columnWidth;
};

table_core::Layout LayoutOf(const Shape &s)
{
    return GE_TableLayout(s.rect, s.rows, s.columns, s.rowHeight, s.minHeader, s.minRowHeader, s.fixedWidth,
                          s.columnWidth);
}

RUV_WIN Make(RUV_WIN page, const Shape &s)
{
    return GE_TableCreate(page, &s.rect, s.rows, s.columns, s.rowHeight, s.minHeader, s.minRowHeader, s.fixedWidth,
                          s.columnWidth, Record);
}

HWND Ctl(RUV_WIN table, int id)
{
    return GetDlgItem(Native(table), id);
}

void Fill(RUV_WIN t)
{
    for (int r = 0; r < GE_TableRowCount(t); ++r) {
        GE_TableSetRowTitle(t, r, std::to_string(r + 1).c_str());
        for (int c = 0; c < GE_TableColumnCount(t); ++c)
            GE_TableSetCell(t, r, c, (std::to_string(r) + "," + std::to_string(c)).c_str());
    }
}

void SendScroll(RUV_WIN t, bool vertical, int code, int pos = 0)
{
    HWND bar = Ctl(t, vertical ? table_core::kVScrollId : table_core::kHScrollId);
    SendMessageA(Native(t), vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
    pump(30);
}

void Key(RUV_WIN t, int key)
{
    RUV_EVENT ev{};
    ev.type = E_CHAR;
    ev.v.chr.key = static_cast<int16_t>(key);
    ruv_win_dispatch_event(t, &ev);
    pump(30);
}

void Focus(HWND h)
{
    SetFocus(h);
    pump(30);
}

int VisibleRows(RUV_WIN t, int visibleRows, int visibleColumns)
{
    int n = 0;
    for (int i = 0; i < visibleRows; ++i) {
        const bool cells = IsWindowVisible(Ctl(t, i * visibleColumns)) != 0;
        EXPECT_EQ(IsWindowVisible(Ctl(t, i * visibleColumns + visibleColumns - 1)) != 0, cells) << "slot row " << i;
        EXPECT_EQ(IsWindowVisible(Ctl(t, table_core::kRowHeaderId + i)) != 0, cells) << "slot row " << i;
        n += cells;
    }
    return n;
}

const Shape kPlain{ "plain", { 10, 10, 250, 400 }, 3, 4, 22, 20, 40, 0, 80, };
const Shape kFixed{ "fixed column", { 10, 10, 250, 400 }, 30, 12, 22, 30, 40, 100, 70 };

// Runs body in a started application on a table of the shape with that
// many rows, filled with "row,column" texts and row titles 1, 2, ..., on a
// page of its own; the body leaves no error report.
void WithTable(Shape s, int rows, const std::function<void(RUV_WIN, RUV_WIN, const table_core::Layout &)> &body)
{
    s.rows = rows;
    in_app([&] {
        Recorder rec;
        RUV_WIN page = MakePage();
        RUV_WIN t = Make(page, s);
        ASSERT_NE(t, NULL_WIN);
        Fill(t);
        body(page, t, LayoutOf(s));
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
        ruv_vobj_destroy(page);
    });
}

} // namespace

TEST(TableControl, ControlsReadBackThroughWin32)
{
    in_app([] {
        Recorder rec;
        RUV_WIN page = MakePage();
        for (const Shape &s : { kPlain, kFixed }) {
            SCOPED_TRACE(s.name);
            const table_core::Layout l = LayoutOf(s);
            RUV_WIN t = Make(page, s);
            ASSERT_NE(t, NULL_WIN);
            HWND h = Native(t);
            EXPECT_EQ(GetParent(h), Native(page));
            RECT client;
            GetClientRect(h, &client);
            MapWindowPoints(h, Native(page), reinterpret_cast<POINT *>(&client), 2);
            EXPECT_EQ((table_core::Box{ client.top, client.left, client.bottom, client.right }),
                      (table_core::Box{ s.rect.top, s.rect.left, s.rect.bottom, s.rect.right }));
            EXPECT_TRUE(IsWindowVisible(h));
            EXPECT_EQ(Text(h), "");
            const int vr = l.visibleRows, vc = l.visibleColumns;
            ASSERT_GE(vr, 2);
            for (int i = 0; i < vr; ++i) {
                for (int k = 0; k < vc; ++k) {
                    HWND cell = Ctl(t, i * vc + k);
                    ASSERT_NE(cell, nullptr) << i << "," << k;
                    EXPECT_EQ(ClassOf(cell), "Edit");
                    EXPECT_EQ(BoxOf(cell), l.cell(i, k)) << i << "," << k;
                    EXPECT_EQ(Text(cell), " ");
                    EXPECT_FALSE(GetWindowLongPtrA(cell, GWL_STYLE) & ES_MULTILINE);
                }
                HWND header = Ctl(t, table_core::kRowHeaderId + i);
                ASSERT_NE(header, nullptr);
                EXPECT_EQ(ClassOf(header), "Static");
                EXPECT_EQ(BoxOf(header), l.rowHeader(i));
                EXPECT_EQ(GetWindowLongPtrA(header, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
            }
            for (int k = 0; k < vc; ++k) {
                HWND header = Ctl(t, table_core::kColumnHeaderId + k);
                ASSERT_NE(header, nullptr);
                EXPECT_EQ(BoxOf(header), l.columnHeader(k));
                EXPECT_EQ(GetWindowLongPtrA(header, GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
                EXPECT_TRUE(IsWindowVisible(header));
            }
            EXPECT_EQ(Ctl(t, vr * vc), nullptr);
            HWND vbar = Ctl(t, table_core::kVScrollId), hbar = Ctl(t, table_core::kHScrollId);
            ASSERT_NE(vbar, nullptr);
            ASSERT_NE(hbar, nullptr);
            EXPECT_EQ(ClassOf(vbar), "ScrollBar");
            EXPECT_EQ(GetWindowLongPtrA(vbar, GWL_STYLE) & SBS_VERT, SBS_VERT);
            EXPECT_EQ(GetWindowLongPtrA(hbar, GWL_STYLE) & SBS_VERT, 0);
            EXPECT_EQ(BoxOf(vbar), l.vscroll);
            EXPECT_EQ(BoxOf(hbar), l.hscroll);
            EXPECT_TRUE(IsWindowVisible(vbar));
            EXPECT_TRUE(IsWindowVisible(hbar));
            // Rows below the last one have hidden controls.
            EXPECT_EQ(VisibleRows(t, vr, vc), s.rows < vr ? s.rows : vr);
            const SCROLLINFO v = Scroll(vbar);
            EXPECT_EQ(v.nMin, 0);
            EXPECT_EQ(v.nPos, 0);
            EXPECT_EQ(static_cast<int>(v.nPage), s.rows < vr ? s.rows : vr);
            EXPECT_EQ(v.nMax - static_cast<int>(v.nPage) + 1, s.rows < vr ? 1 : s.rows - vr);
            EXPECT_EQ(GE_TableRowCount(t), s.rows);
            EXPECT_EQ(GE_TableColumnCount(t), s.columns);
        }
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
        ruv_vobj_destroy(page);
    });
}

TEST(TableControl, RowsComeAndGoWithTheirControls)
{
    WithTable(kPlain, 2, [](RUV_WIN, RUV_WIN t, const table_core::Layout &l) {
        const int vr = l.visibleRows, vc = l.visibleColumns;
        ASSERT_GE(vr, 5);
        HWND vbar = Ctl(t, table_core::kVScrollId);
        EXPECT_EQ(VisibleRows(t, vr, vc), 2);

        GE_TableInsertRow(t, 0);
        EXPECT_EQ(VisibleRows(t, vr, vc), 3);
        EXPECT_EQ(Text(Ctl(t, 0)), "");
        EXPECT_EQ(Text(Ctl(t, vc)), "0,0");
        EXPECT_EQ(Text(Ctl(t, table_core::kRowHeaderId + 1)), "1");
        EXPECT_EQ(static_cast<int>(Scroll(vbar).nPage), 3);

        GE_TableCopyRow(t, 1, 1);
        EXPECT_EQ(VisibleRows(t, vr, vc), 4);
        EXPECT_EQ(Text(Ctl(t, vc + 2)), "0,2");
        EXPECT_EQ(Text(Ctl(t, 2 * vc + 2)), "0,2");
        EXPECT_EQ(Text(Ctl(t, table_core::kRowHeaderId + 2)), "1");

        GE_TableInsertRow(t, 4);   // appended
        EXPECT_EQ(VisibleRows(t, vr, vc), 5);
        GE_TableInsertRow(t, 6);   // out of range
        GE_TableDeleteRow(t, 5);
        GE_TableCopyRow(t, 5, 5);
        EXPECT_EQ(GE_TableRowCount(t), 5);

        for (int n = 4; n >= 0; --n) {
            GE_TableDeleteRow(t, 0);
            EXPECT_EQ(VisibleRows(t, vr, vc), n);
            EXPECT_EQ(GE_TableRowCount(t), n);
        }
        GE_TableDeleteRow(t, 0);
        EXPECT_EQ(GE_TableRowCount(t), 0);
        GE_TableInsertRow(t, 0);
        EXPECT_EQ(VisibleRows(t, vr, vc), 1);
    });
}

TEST(TableControl, ScrollingKeepsTheFirstRowWithinTheTableAndTheBarOnIt)
{
    WithTable(kFixed, 20, [](RUV_WIN, RUV_WIN t, const table_core::Layout &l) {
        const int vr = l.visibleRows, vc = l.visibleColumns;
        HWND vbar = Ctl(t, table_core::kVScrollId), hbar = Ctl(t, table_core::kHScrollId);
        auto firstShown = [&] { return Text(Ctl(t, table_core::kRowHeaderId)); };
        auto lastCell = [&] { return Text(Ctl(t, (vr - 1) * vc)); };

        struct Step {
            const char *name;
            int code, pos, first;
        };
        const int end = 20 - vr;
        const Step steps[] = {
            { "line down", SB_LINEDOWN, 0, 1 },
            { "page down", SB_PAGEDOWN, 0, 4 },
            { "line up", SB_LINEUP, 0, 3 },
            { "thumb", SB_THUMBPOSITION, 6, 6 },
            { "bottom", SB_BOTTOM, 0, end },
            { "line down at the end", SB_LINEDOWN, 0, end },
            { "page down at the end", SB_PAGEDOWN, 0, end },
            { "thumb track", SB_THUMBTRACK, 2, end },
            { "top", SB_TOP, 0, 0 },
            { "page up at the top", SB_PAGEUP, 0, 0 },
        };
        for (const Step &st : steps) {
            SCOPED_TRACE(st.name);
            SendScroll(t, true, st.code, st.pos);
            EXPECT_EQ(Scroll(vbar).nPos, st.first);
            EXPECT_EQ(firstShown(), std::to_string(st.first + 1));
            EXPECT_EQ(Text(Ctl(t, 1)), std::to_string(st.first) + ",1");
            EXPECT_EQ(lastCell(), std::to_string(st.first + vr - 1) + ",0");
        }

        // A row deleted while scrolled to the end: the view moves up, every
        // slot shows a row of the table and the bar stays on the first.
        SendScroll(t, true, SB_BOTTOM);
        for (int rows = 19; rows >= vr - 1; --rows) {
            SCOPED_TRACE(rows);
            GE_TableDeleteRow(t, rows / 2);
            const int first = rows > vr ? rows - vr : 0;
            const SCROLLINFO si = Scroll(vbar);
            EXPECT_EQ(si.nPos, first);
            EXPECT_EQ(si.nMax - static_cast<int>(si.nPage) + 1, rows > vr ? rows - vr : 1);
            char buf[60] = "";
            GE_TableGetCell(t, rows - 1, 0, buf);
            const int used = rows < vr ? rows : vr;
            EXPECT_EQ(Text(Ctl(t, (used - 1) * vc)), buf);
            if (used < vr) {
                EXPECT_FALSE(IsWindowVisible(Ctl(t, used * vc)));
            }
        }

        // Horizontally: the fixed slot keeps column 0.
        const int cend = 12 - vc;
        SendScroll(t, false, SB_BOTTOM);
        EXPECT_EQ(Scroll(hbar).nPos, cend);
        EXPECT_EQ(Text(Ctl(t, 0)), "0,0");
        EXPECT_EQ(Text(Ctl(t, 1)), "0," + std::to_string(cend + 1));
        EXPECT_EQ(Text(Ctl(t, vc - 1)), "0,11");
        EXPECT_EQ(Text(Ctl(t, table_core::kColumnHeaderId + 1)), "");
        GE_TableSetColumnTitle(t, 11, "last");
        GE_TableSetColumnTitle(t, 0, "time");
        GE_TableSetColumnTitle(t, 1, "hidden");
        EXPECT_EQ(Text(Ctl(t, table_core::kColumnHeaderId + vc - 1)), "last");
        EXPECT_EQ(Text(Ctl(t, table_core::kColumnHeaderId)), "time");
        SendScroll(t, false, SB_PAGEUP);
        EXPECT_EQ(Scroll(hbar).nPos, cend - 3);
        EXPECT_EQ(Text(Ctl(t, 1)), "0," + std::to_string(cend - 2));
        SendScroll(t, false, SB_TOP);
        EXPECT_EQ(Text(Ctl(t, table_core::kColumnHeaderId + 1)), "hidden");
    });
}

TEST(TableControl, TypedTextSurvivesAScrollAndTheCallbackSeesEveryStep)
{
    WithTable(kPlain, 30, [](RUV_WIN page, RUV_WIN t, const table_core::Layout &l) {
        const int vc = l.visibleColumns;
        calls.clear();
        ModifiedFlag = 0;
        titleUpdates = 0;

        Focus(Ctl(t, vc + 1));   // cell (1, 1)
        RUV_WIN ft = NULL_WIN;
        int32_t r = 0, c = 0;
        GE_TableGetFocus(&ft, &r, &c);
        EXPECT_EQ(ft, t);
        EXPECT_EQ(r, 1);
        EXPECT_EQ(c, 1);
        GE_TableFocusedCell(t, &r, &c);
        EXPECT_EQ(r, 1);
        EXPECT_EQ(c, 1);
        // The table window hears of the focus first (code 3, no current
        // cell yet), then the cell (code 0).
        EXPECT_EQ(Sequence(), "3(-1,-1) 0(1,1) ");
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_TRUE(calls[1].nullText);
        EXPECT_EQ(ModifiedFlag, 0);

        calls.clear();
        SetWindowTextA(Ctl(t, vc + 1), "2.5e-3");
        pump(30);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].code, 1);
        EXPECT_EQ(calls[0].row, 1);
        EXPECT_EQ(calls[0].column, 1);
        EXPECT_EQ(calls[0].text, "2.5e-3");
        EXPECT_EQ(ModifiedFlag, 1);
        EXPECT_GE(titleUpdates, 1);
        char *current = GE_TableGetCurrentText(t);
        ASSERT_NE(current, nullptr);
        EXPECT_STREQ(current, "2.5e-3");
        ruv_mem_free(current);

        // Scrolling stores the typed text before the view moves; the focus
        // stays in its slot, which now shows (and is current for) row 2.
        calls.clear();
        SendScroll(t, true, SB_LINEDOWN);
        char buf[60] = "";
        GE_TableGetCell(t, 1, 1, buf);
        EXPECT_STREQ(buf, "2.5e-3");
        EXPECT_EQ(Text(Ctl(t, 1)), "2.5e-3");
        EXPECT_EQ(Text(Ctl(t, vc + 1)), "2,1");
        GE_TableGetFocus(&ft, &r, &c);
        EXPECT_EQ(r, 2);
        EXPECT_EQ(c, 1);
        for (const Call &k : calls)
            EXPECT_NE(k.code, 1) << "a refill is not an edit";

        // Leaving the cell stores its text and reports code 2.
        SetWindowTextA(Ctl(t, vc + 1), "7");
        pump(30);
        calls.clear();
        Focus(Ctl(t, 2 * vc));
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls[0].code, 2);
        EXPECT_EQ(calls[0].row, 2);
        EXPECT_EQ(calls[0].column, 1);
        EXPECT_EQ(calls[0].text, "7");
        EXPECT_EQ(calls[1].code, 0);
        EXPECT_EQ(calls[1].row, 3);
        EXPECT_EQ(calls[1].column, 0);
        GE_TableGetCell(t, 2, 1, buf);
        EXPECT_STREQ(buf, "7");

        // The focus to the table window itself stores the cell; leaving the
        // table reports code 4 with the current cell.
        calls.clear();
        Focus(Native(t));
        Focus(Native(page));
        EXPECT_EQ(Sequence(), "2(3,0) 4(3,0) ");
        GE_TableGetFocus(&ft, &r, &c);
        EXPECT_EQ(ft, NULL_WIN);
        EXPECT_EQ(r, -1);
        EXPECT_EQ(c, -1);
    });
}

TEST(TableControl, KeysWalkTheVisibleCells)
{
    WithTable(kPlain, 3, [](RUV_WIN, RUV_WIN t, const table_core::Layout &l) {
        const int vc = l.visibleColumns;
        ASSERT_EQ(vc, 4);
        const int skipped[] = { 2 };
        GE_TableSetColumnFlags(t, skipped, 1);
        EXPECT_FALSE(IsWindowEnabled(Ctl(t, 2)));
        EXPECT_TRUE(IsWindowEnabled(Ctl(t, 1)));

        struct Step {
            int key, slot;
        };
        Focus(Ctl(t, 0));
        const Step steps[] = {
            { 9, 1 },        // Tab right
            { 9, 3 },        // over the skipped column
            { 13, 4 },       // Enter to the next row
            { 302, 8 },      // Down
            { 302, 8 },      // Down from the last used row stays
            { 301, 4 },      // Up
            { 301, 0 },      // Up
            { 301, 0 },      // Up from the first row stays
            { 315, 0 },      // Backtab: nothing
        };
        for (const Step &st : steps) {
            Key(t, st.key);
            EXPECT_EQ(GetFocus(), Ctl(t, st.slot)) << "key " << st.key << " to slot " << st.slot;
        }
        // Tab and Enter typed in a cell reach the table through the kernel.
        Focus(Ctl(t, 0));
        SendMessageA(GetFocus(), WM_CHAR, '\t', 0);
        pump(30);
        EXPECT_EQ(GetFocus(), Ctl(t, 1));
        SendMessageA(GetFocus(), WM_CHAR, '\r', 0);
        pump(30);
        EXPECT_EQ(GetFocus(), Ctl(t, 3));

        Focus(Ctl(t, 11));
        Key(t, 9);
        EXPECT_EQ(GetFocus(), Ctl(t, 0)) << "the last used slot wraps to the first";

        testing::internal::CaptureStdout();
        for (int key : { 127, 328, 329, 1, 4 })
            Key(t, key);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Delete \nCopy \nCut \nCtrl-A\nCtrl-D\n");
        EXPECT_EQ(GE_TableRowCount(t), 3);
    });
}

TEST(TableControl, EditsLandInTheCellTheirControlShows)
{
    WithTable(kPlain, 3, [](RUV_WIN, RUV_WIN t, const table_core::Layout &l) {
        const int vc = l.visibleColumns;
        char buf[60];

        // The focused last row deleted: its control goes out of sight with
        // the focus, and nothing typed there reaches the row above.
        HWND last = Ctl(t, 2 * vc + 1);
        Focus(last);
        SetWindowTextA(last, "typed");
        pump(30);
        calls.clear();
        GE_TableDeleteRow(t, 2);
        EXPECT_FALSE(IsWindowVisible(last));
        SetWindowTextA(last, "more");
        pump(30);
        Focus(Ctl(t, 0));
        EXPECT_EQ(Sequence(), "0(0,0) ");
        GE_TableGetCell(t, 1, 1, buf);
        EXPECT_STREQ(buf, "1,1");
        EXPECT_EQ(Text(Ctl(t, vc + 1)), "1,1");

        // The current cell moved by the program while a cell is being
        // edited: the edit stays in its own cell.
        Focus(Ctl(t, 1));
        SetWindowTextA(Ctl(t, 1), "x9");
        GE_TableSetCurrent(t, 1, 2);
        pump(30);
        EXPECT_EQ(GetFocus(), Ctl(t, vc + 2));
        GE_TableGetCell(t, 0, 1, buf);
        EXPECT_STREQ(buf, "x9");
        GE_TableGetCell(t, 1, 2, buf);
        EXPECT_STREQ(buf, "1,2");
        RUV_WIN ft;
        int32_t r, c;
        GE_TableGetFocus(&ft, &r, &c);
        EXPECT_EQ(r, 1);
        EXPECT_EQ(c, 2);
    });
}

TEST(TableControl, TheFocusedTableIsTheOneLastEntered)
{
    WithTable(kPlain, 3, [](RUV_WIN page, RUV_WIN a, const table_core::Layout &) {
        Shape s = kPlain;
        s.rect = RUV_RECT{ 260, 10, 480, 400 };
        RUV_WIN b = Make(page, s);
        ASSERT_NE(b, NULL_WIN);
        RUV_WIN ft;
        int32_t r, c;
        for (int round = 0; round < 2; ++round) {
            Focus(Ctl(a, 1));
            GE_TableGetFocus(&ft, &r, &c);
            EXPECT_EQ(ft, a);
            Focus(Ctl(b, 2));
            GE_TableGetFocus(&ft, &r, &c);
            EXPECT_EQ(ft, b);
            EXPECT_EQ(c, 2);
        }
        Focus(Native(page));
        GE_TableGetFocus(&ft, &r, &c);
        EXPECT_EQ(ft, NULL_WIN);
    });
}

TEST(TableControl, CurrentCellValueCopyEnablingAndDestroy)
{
    WithTable(kFixed, 40, [](RUV_WIN, RUV_WIN t, const table_core::Layout &l) {
        const int vc = l.visibleColumns;

        // Set-current clamps and scrolls the cell in, within the bounds.
        EXPECT_EQ(GE_TableSetCurrent(t, 99, 99), t);
        RUV_WIN ft;
        int32_t r, c;
        GE_TableGetFocus(&ft, &r, &c);
        EXPECT_EQ(ft, t);
        EXPECT_EQ(r, 39);
        EXPECT_EQ(c, 11);
        EXPECT_EQ(Scroll(Ctl(t, table_core::kVScrollId)).nPos, 40 - l.visibleRows);
        const int slot = GE_TableCellControl(t, 39, 11);
        ASSERT_GE(slot, 0);
        EXPECT_EQ(GetFocus(), Ctl(t, slot));
        EXPECT_EQ(slot % vc, vc - 1);

        // Copy value: the current control's text into the enabled cells.
        GE_TableSetCellEnabled(t, 39, 11, 1);
        GE_TableSetCellEnabled(t, 0, 11, 0);
        GE_TableSetCellEnabled(t, 38, 11, 0);
        EXPECT_FALSE(IsWindowEnabled(Ctl(t, slot - vc)));
        SetWindowTextA(Ctl(t, slot), "9.5");
        pump(30);
        GE_TableCopyValue();
        char buf[60];
        for (int row : { 1, 20, 39 }) {
            GE_TableGetCell(t, row, 11, buf);
            EXPECT_STREQ(buf, "9.5") << row;
        }
        GE_TableGetCell(t, 0, 11, buf);
        EXPECT_STREQ(buf, "0,11");
        GE_TableGetCell(t, 38, 11, buf);
        EXPECT_STREQ(buf, "38,11");
        EXPECT_EQ(Text(Ctl(t, slot - 2 * vc)), "9.5");
        GE_TableCell cell{};
        GE_TableGetCellRecord(t, 38, 11, &cell);
        EXPECT_EQ(cell.enabled, 0);

        // Long texts are cut to 59 characters.
        const std::string longText(70, 'x');
        GE_TableSetCell(t, 39, 0, longText.c_str());
        GE_TableGetCell(t, 39, 0, buf);
        EXPECT_EQ(std::string(buf), std::string(59, 'x'));

        // Destroy: window gone, handle -1, help entries removed, no focus.
        helpRemoved.clear();
        HWND h = Native(t);
        RUV_WIN handle = t;
        GE_TableDestroy(&handle);
        pump(30);
        EXPECT_EQ(reinterpret_cast<intptr_t>(handle), -1);
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(helpRemoved, std::vector<RUV_WIN>{ t });
        GE_TableGetFocus(&ft, &r, &c);
        EXPECT_EQ(ft, NULL_WIN);
        EXPECT_EQ(r, -1);
        GE_TableCopyValue();   // no focused table: nothing
        GE_TableDestroy(&handle);
    });
}
