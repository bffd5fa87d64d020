// Tests of the table control's window-free core: layout, cell/slot mapping
// with and without a fixed first column, key walks, scroll bounds and row
// operations.
#include "table_control_core.h"

#include <gtest/gtest.h>

#include <string>

using namespace table_core;

namespace {

Layout ViewOf(int visibleRows, int visibleScrolling, bool fixed)
{
    Layout l;
    l.visibleRows = visibleRows;
    l.visibleScrollingColumns = visibleScrolling;
    l.fixedColumns = fixed ? 1 : 0;
    l.visibleColumns = visibleScrolling + l.fixedColumns;
    return l;
}

// Fills every cell with "r,c" and every row title with "Rr".
void Fill(Table &t)
{
    for (int r = 0; r < t.rows(); ++r) {
        t.setRowTitle(r, ("R" + std::to_string(r)).c_str());
        for (int c = 0; c < t.columns(); ++c)
            t.setCellText(r, c, (std::to_string(r) + "," + std::to_string(c)).c_str());
    }
}

std::string Text(const Table &t, int r, int c)
{
    const GE_TableCell *cell = t.cell(r, c);
    return cell ? cell->text : "<none>";
}

} // namespace

// ---- Layout -------------------------------------------------------------------

struct LayoutCase {
    const char *name;
    LayoutInput in;
    int visibleRows, headerHeight, visibleScrolling, visibleColumns, rowHeaderWidth;
};

TEST(TableCoreLayout, RowsColumnsAndLeftovers)
{
    const LayoutCase cases[] = {
        // H, W, S, V, rows, cols, rh, minH, minRH, fixedW, colW
        { "plain", { 200, 300, 16, 16, 10, 5, 20, 20, 30, 0, 60 }, 8, 24, 4, 4, 44 },
        { "fixed column", { 200, 300, 16, 16, 10, 5, 20, 20, 30, 70, 60 }, 8, 24, 3, 4, 34 },
        { "fewer columns than room", { 200, 600, 16, 16, 10, 3, 20, 20, 30, 0, 60 }, 8, 24, 3, 3, 404 },
        { "fixed, one scrolling column", { 200, 600, 16, 16, 10, 2, 20, 20, 30, 80, 60 }, 8, 24, 1, 2, 444 },
        { "fixed, nothing scrolls", { 200, 600, 16, 16, 10, 1, 20, 20, 30, 80, 60 }, 8, 24, 1, 2, 444 },
        { "too small for one row", { 30, 300, 16, 16, 10, 5, 20, 20, 30, 0, 60 }, 1, 20, 4, 4, 44 },
        { "too narrow for one column", { 200, 50, 16, 16, 10, 5, 20, 20, 30, 0, 60 }, 8, 24, 1, 1, 30 },
        { "no headers", { 216, 256, 16, 16, 10, 5, 20, 0, 0, 0, 60 }, 10, 0, 4, 4, 0 },
        { "no row height", { 100, 256, 16, 16, 10, 5, 0, 0, 0, 0, 60 }, 84, 0, 4, 4, 0 },
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Layout l = ComputeLayout(c.in);
        EXPECT_EQ(l.visibleRows, c.visibleRows);
        EXPECT_EQ(l.headerHeight, c.headerHeight);
        EXPECT_EQ(l.visibleScrollingColumns, c.visibleScrolling);
        EXPECT_EQ(l.visibleColumns, c.visibleColumns);
        EXPECT_EQ(l.rowHeaderWidth, c.rowHeaderWidth);
        EXPECT_EQ(l.fixedColumns, c.in.fixedWidth > 0 ? 1 : 0);
        // Cells lie side by side right of the row headers, rows below the
        // header strip; the bars lie right of and below the last cells.
        const Box last = l.cell(l.visibleRows - 1, l.visibleColumns - 1);
        EXPECT_LE(last.right, l.vscroll.left);
        EXPECT_LE(last.bottom, l.hscroll.top);
        EXPECT_EQ(l.cell(0, 0).left, l.rowHeaderWidth);
        EXPECT_EQ(l.cell(0, 0).top, l.headerHeight);
    }
}

TEST(TableCoreLayout, ControlRectanglesWithFixedColumn)
{
    const Layout l = ComputeLayout({ 200, 300, 16, 16, 10, 5, 20, 20, 30, 70, 60 });
    // Row header 34 wide, fixed column 70, then columns of 60.
    EXPECT_EQ(l.cell(0, 0), (Box{ 24, 34, 44, 104 }));
    EXPECT_EQ(l.cell(0, 1), (Box{ 24, 104, 44, 164 }));
    EXPECT_EQ(l.cell(2, 3), (Box{ 64, 224, 84, 284 }));
    EXPECT_EQ(l.rowHeader(2), (Box{ 64, 0, 84, 34 }));
    EXPECT_EQ(l.columnHeader(0), (Box{ 0, 34, 24, 104 }));
    EXPECT_EQ(l.columnHeader(3), (Box{ 0, 224, 24, 284 }));
    EXPECT_EQ(l.vscroll, (Box{ 24, 284, 184, 300 }));
    EXPECT_EQ(l.hscroll, (Box{ 184, 104, 200, 284 }));
}

TEST(TableCoreLayout, BarsKeepRoomForOneCellInATinyRectangle)
{
    const Layout l = ComputeLayout({ 10, 10, 16, 16, 3, 3, 20, 5, 4, 0, 60 });
    EXPECT_EQ(l.visibleRows, 1);
    EXPECT_EQ(l.headerHeight, 5);
    EXPECT_EQ(l.vscroll, (Box{ 5, 64, 25, 80 }));
    EXPECT_EQ(l.hscroll, (Box{ 25, 4, 41, 64 }));
}

// ---- Mapping ------------------------------------------------------------------

struct MapCase {
    bool fixed;
    int firstRow, offset, row, column, slot;
};

TEST(TableCoreMapping, CellToSlotWithAndWithoutFixedColumn)
{
    // 20 rows x 10 columns, 4 rows of 3 scrolling columns shown.
    const MapCase cases[] = {
        { false, 0, 0, 0, 0, 0 },
        { false, 0, 0, 0, 2, 2 },
        { false, 0, 0, 0, 3, -1 },
        { false, 0, 0, 3, 1, 10 },
        { false, 0, 0, 4, 0, -1 },
        { false, 5, 4, 5, 4, 0 },
        { false, 5, 4, 5, 3, -1 },
        { false, 5, 4, 8, 6, 11 },
        { false, 5, 4, 4, 4, -1 },
        { true, 0, 0, 0, 0, 0 },
        { true, 0, 0, 0, 1, 1 },
        { true, 0, 0, 0, 3, 3 },
        { true, 0, 0, 0, 4, -1 },
        { true, 2, 3, 2, 0, 0 },      // column 0 stays in slot 0
        { true, 2, 3, 2, 3, -1 },     // scrolled by k: column k is gone
        { true, 2, 3, 2, 4, 1 },
        { true, 2, 3, 5, 6, 15 },
        { true, 2, 3, 5, 7, -1 },
        { true, 2, 3, 6, 0, -1 },
    };
    for (const MapCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "fixed " << c.fixed << " first " << c.firstRow << " offset "
                                        << c.offset << " cell " << c.row << "," << c.column);
        Table t(20, 10, ViewOf(4, 3, c.fixed));
        t.scroll(true, kThumb, c.firstRow);
        t.scroll(false, kThumb, c.offset);
        ASSERT_EQ(t.firstRow(), c.firstRow);
        ASSERT_EQ(t.columnOffset(), c.offset);
        EXPECT_EQ(t.cellSlot(c.row, c.column), c.slot);
    }
}

TEST(TableCoreMapping, SlotToCellIsTheInverse)
{
    for (bool fixed : { false, true }) {
        Table t(20, 10, ViewOf(4, 3, fixed));
        t.scroll(true, kThumb, 7);
        t.scroll(false, kThumb, 2);
        for (int slot = 0; slot < t.slotCount(); ++slot) {
            int r = -1, c = -1;
            ASSERT_TRUE(t.slotCell(slot, &r, &c));
            EXPECT_EQ(t.cellSlot(r, c), slot) << "fixed " << fixed << " slot " << slot;
        }
        int r = 0, c = 0;
        EXPECT_FALSE(t.slotCell(-1, &r, &c));
        EXPECT_FALSE(t.slotCell(t.slotCount(), &r, &c));
        int fr = -1, fc = -1;
        t.slotCell(4, &fr, &fc);
        EXPECT_EQ(fc, fixed ? 0 : 3);
    }
}

// ---- Keys ---------------------------------------------------------------------

struct KeyCase {
    const char *name;
    int rows;
    bool fixed;
    std::vector<int> skipped;   // columns whose flag is 0
    int curRow, curColumn, key, target;
};

TEST(TableCoreKeys, TabEnterUpDownWalkTheVisibleSlots)
{
    // 5 columns, 3 rows of 3 visible columns (fixed: 1 + 2).
    const KeyCase cases[] = {
        { "tab right", 10, false, {}, 0, 0, kKeyTab, 1 },
        { "enter right", 10, false, {}, 1, 1, kKeyEnter, 5 },
        { "tab after last visible column: next row", 10, false, {}, 0, 2, kKeyTab, 3 },
        { "tab from the last column of the table", 10, false, {}, 0, 4, kKeyTab, 3 },
        { "tab from the last used slot wraps", 10, false, {}, 2, 2, kKeyTab, 0 },
        { "tab wraps within the used rows", 2, false, {}, 1, 2, kKeyTab, 0 },
        { "tab skips a column", 10, false, { 1 }, 0, 0, kKeyTab, 2 },
        { "tab skips two columns", 10, false, { 1, 2 }, 1, 0, kKeyTab, 6 },
        { "tab skips column 0 at the row's end", 10, false, { 0 }, 0, 4, kKeyTab, 1 },
        { "every flag 0: nothing", 10, false, { 0, 1, 2, 3, 4 }, 0, 0, kKeyTab, -1 },
        { "no current cell", 10, false, {}, -1, -1, kKeyTab, -1 },
        { "current cell scrolled away", 10, false, {}, 5, 0, kKeyTab, -1 },
        { "fixed: tab from column 0", 10, true, {}, 0, 0, kKeyTab, 1 },
        { "fixed: tab to the next row", 10, true, {}, 0, 2, kKeyTab, 3 },
        { "up from the second row's first slot", 10, false, {}, 1, 0, kKeyUp, 0 },
        { "up from the first row stays", 10, false, {}, 0, 1, kKeyUp, 1 },
        { "down", 10, false, {}, 0, 1, kKeyDown, 4 },
        { "down from the last used row stays", 2, false, {}, 1, 1, kKeyDown, 4 },
        { "down from the last visible row stays", 10, false, {}, 2, 0, kKeyDown, 6 },
        { "up with the current cell hidden", 10, false, {}, 0, 4, kKeyUp, -1 },
        { "backtab does nothing", 10, false, {}, 0, 0, kKeyBacktab, -1 },
        { "delete key does nothing", 10, false, {}, 0, 0, kKeyDelete, -1 },
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        Table t(c.rows, 5, ViewOf(3, c.fixed ? 2 : 3, c.fixed));
        ASSERT_TRUE(t.setColumnFlags(c.skipped.data(), static_cast<int>(c.skipped.size())));
        t.setCurrent(c.curRow, c.curColumn);
        EXPECT_EQ(t.keyTarget(c.key), c.target);
    }
}

TEST(TableCoreKeys, ColumnFlagsRefuseTooManyAndIgnoreOutOfRange)
{
    Table t(3, 4, ViewOf(3, 4, false));
    const int first[] = { 1, 2 };
    ASSERT_TRUE(t.setColumnFlags(first, 2));
    const int tooMany[] = { 0, 0, 0, 0, 0 };
    EXPECT_FALSE(t.setColumnFlags(tooMany, 5));
    EXPECT_EQ(t.columnFlag(1), 0);
    EXPECT_EQ(t.columnFlag(2), 0);
    const int odd[] = { -1, 7, 3 };
    ASSERT_TRUE(t.setColumnFlags(odd, 3));
    EXPECT_EQ(t.columnFlag(0) + t.columnFlag(1) + t.columnFlag(2), 3);
    EXPECT_EQ(t.columnFlag(3), 0);
    // A skipped column is shown disabled, as is a disabled cell.
    EXPECT_FALSE(t.cellShownEnabled(0, 3));
    t.setCellEnabled(1, 1, 0);
    EXPECT_FALSE(t.cellShownEnabled(1, 1));
    EXPECT_TRUE(t.cellShownEnabled(0, 1));
}

TEST(TableCoreKeys, FixedColumnIsEnabledByItsCellAlone)
{
    Table t(3, 4, ViewOf(3, 2, true));
    const int skip0[] = { 0 };
    t.setColumnFlags(skip0, 1);
    EXPECT_TRUE(t.cellShownEnabled(0, 0));
    t.setCellEnabled(0, 0, 0);
    EXPECT_FALSE(t.cellShownEnabled(0, 0));
}

// ---- Scrolling ----------------------------------------------------------------

struct ScrollCase {
    const char *name;
    int rows, start, action, position, expected;
};

TEST(TableCoreScroll, FirstVisibleRowStaysWithinTheBounds)
{
    // 5 rows of controls.
    const ScrollCase cases[] = {
        { "line up at the top", 20, 0, kLineUp, 0, 0 },
        { "line up", 20, 4, kLineUp, 0, 3 },
        { "line down", 20, 4, kLineDown, 0, 5 },
        { "line down at the end", 20, 15, kLineDown, 0, 15 },
        { "page up by 3", 20, 10, kPageUp, 0, 7 },
        { "page up stops at 0", 20, 2, kPageUp, 0, 0 },
        { "page down by 3", 20, 4, kPageDown, 0, 7 },
        { "page down stops at rows - visible", 20, 13, kPageDown, 0, 15 },
        { "thumb", 20, 0, kThumb, 9, 9 },
        { "thumb at the range maximum (the bar's bottom)", 20, 0, kThumb, 20, 15 },
        { "thumb past the range", 20, 3, kThumb, 32000, 15 },
        { "thumb below 0", 20, 3, kThumb, -4, 0 },
        { "thumb track changes nothing", 20, 3, kThumbTrack, 10, 3 },
        { "end of scroll changes nothing", 20, 3, 8, 10, 3 },
        { "fewer rows than slots: no scrolling", 3, 0, kLineDown, 0, 0 },
        { "fewer rows than slots: bottom", 3, 0, kThumb, 3, 0 },
        { "empty table", 0, 0, kThumb, 0, 0 },
    };
    for (const ScrollCase &c : cases) {
        SCOPED_TRACE(c.name);
        Table t(c.rows, 2, ViewOf(5, 2, false));
        t.scroll(true, kThumb, c.start);
        ASSERT_EQ(t.firstRow(), c.start);
        const bool moved = t.scroll(true, c.action, c.position);
        EXPECT_EQ(t.firstRow(), c.expected);
        EXPECT_EQ(moved, c.expected != c.start);
    }
}

TEST(TableCoreScroll, ColumnOffsetStaysWithinTheBounds)
{
    const ScrollCase cases[] = {
        // rows stands for columns here; 3 columns of controls (fixed: 1 + 2).
        { "line right", 10, 0, kLineDown, 0, 1 },
        { "page right stops at columns - visible", 10, 6, kPageDown, 0, 7 },
        { "thumb at the range maximum", 10, 0, kThumb, 10, 7 },
        { "page left", 10, 5, kPageUp, 0, 2 },
        { "too few columns to scroll", 2, 0, kThumb, 2, 0 },
    };
    for (bool fixed : { false, true }) {
        for (const ScrollCase &c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (fixed ? " (fixed)" : ""));
            Table t(4, c.rows, ViewOf(2, fixed ? 2 : 3, fixed));
            t.scroll(false, kThumb, c.start);
            t.scroll(false, c.action, c.position);
            EXPECT_EQ(t.columnOffset(), c.expected);
            // The last column is reachable and no slot shows a column past
            // the end.
            t.scroll(false, kThumb, 1000);
            if (c.rows >= 3) {
                EXPECT_GE(t.cellSlot(0, c.rows - 1), 0);
            }
            int r, col;
            ASSERT_TRUE(t.slotCell(t.visibleColumns() - 1, &r, &col));
            EXPECT_LT(col, c.rows < 3 ? 3 : c.rows);
        }
    }
}

TEST(TableCoreScroll, RevealScrollsTheCellIntoViewWithinTheBounds)
{
    Table t(20, 10, ViewOf(4, 3, true));
    EXPECT_TRUE(t.reveal(8, 6));
    EXPECT_EQ(t.firstRow(), 8);
    EXPECT_EQ(t.columnOffset(), 5);
    EXPECT_EQ(t.cellSlot(8, 6), 1);
    EXPECT_FALSE(t.reveal(9, 7));           // already shown
    EXPECT_TRUE(t.reveal(19, 0));           // the last row: first row 16, not 19
    EXPECT_EQ(t.firstRow(), 16);
    EXPECT_EQ(t.columnOffset(), 5);         // column 0 needs no horizontal scroll
    EXPECT_GE(t.cellSlot(19, 0), 0);
    EXPECT_TRUE(t.reveal(0, 9));
    EXPECT_EQ(t.columnOffset(), 6);
    EXPECT_GE(t.cellSlot(0, 9), 0);
}

// ---- Row operations -------------------------------------------------------------

TEST(TableCoreRows, DeleteKeepsTheViewInRange)
{
    struct Case {
        const char *name;
        int rows, first, curRow, deleted;
        int rowsAfter, firstAfter, curAfter;
    };
    // 5 rows of controls.
    const Case cases[] = {
        { "middle row", 10, 0, 2, 4, 9, 0, 2 },
        { "last row while current, scrolled to the end", 10, 5, 9, 9, 9, 4, 8 },
        { "last row while current, at the top", 4, 0, 3, 3, 3, 0, 2 },
        { "last row, not scrolled to the end", 10, 2, 3, 9, 9, 1, 2 },
        { "middle row while scrolled to the end", 10, 5, 7, 6, 9, 4, 6 },
        { "row 0 while scrolled to the end", 10, 5, 5, 0, 9, 4, 4 },
        { "only row", 1, 0, 0, 0, 0, 0, -1 },
        { "no current cell", 10, 5, -1, 9, 9, 4, -1 },
        { "out of range: nothing", 10, 5, 6, 10, 10, 5, 6 },
        { "negative: nothing", 10, 5, 6, -1, 10, 5, 6 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Table t(c.rows, 3, ViewOf(5, 3, false));
        Fill(t);
        t.scroll(true, kThumb, c.first);
        t.setCurrent(c.curRow, c.curRow < 0 ? -1 : 1);
        t.deleteRow(c.deleted);
        EXPECT_EQ(t.rows(), c.rowsAfter);
        EXPECT_EQ(t.firstRow(), c.firstAfter);
        EXPECT_EQ(t.currentRow(), c.curAfter);
        EXPECT_LE(t.firstRow(), t.rows() - t.usedRows());
        // Later rows moved up.
        if (c.deleted >= 0 && c.deleted < c.rows - 1) {
            EXPECT_EQ(Text(t, c.deleted, 2), std::to_string(c.deleted + 1) + ",2");
        }
    }
}

TEST(TableCoreRows, RepeatedDeletesAtTheEndNeverShowRowsPastTheEnd)
{
    Table t(12, 2, ViewOf(5, 2, false));
    t.scroll(true, kThumb, 12);
    while (t.rows() > 0) {
        t.deleteRow(t.rows() / 2);
        int r, c;
        ASSERT_TRUE(t.slotCell(t.usedSlots() > 0 ? t.usedSlots() - 1 : 0, &r, &c));
        EXPECT_LT(r, t.rows() > 0 ? t.rows() : 1);
        EXPECT_EQ(t.firstRow(), t.rows() - t.usedRows());
    }
}

TEST(TableCoreRows, InsertAndCopy)
{
    Table t(3, 2, ViewOf(5, 2, false));
    Fill(t);
    t.setCellEnabled(1, 0, 0);

    EXPECT_FALSE(t.insertRow(4));
    EXPECT_FALSE(t.insertRow(-1));
    ASSERT_TRUE(t.insertRow(3));   // append
    EXPECT_EQ(t.rows(), 4);
    EXPECT_EQ(Text(t, 3, 0), "");
    EXPECT_EQ(t.cell(3, 0)->enabled, 1);

    ASSERT_TRUE(t.insertRow(0));
    EXPECT_EQ(Text(t, 0, 1), "");
    EXPECT_EQ(std::string(t.rowTitle(0)), "");
    EXPECT_EQ(Text(t, 1, 1), "0,1");
    EXPECT_EQ(std::string(t.rowTitle(1)), "R0");

    // A copy of row 2 ("1,x", whose cell 0 is disabled) inserted before it.
    ASSERT_TRUE(t.copyRow(2, 2));
    EXPECT_EQ(t.rows(), 6);
    EXPECT_EQ(Text(t, 2, 0), "1,0");
    EXPECT_EQ(Text(t, 3, 0), "1,0");
    EXPECT_EQ(std::string(t.rowTitle(2)), "R1");
    EXPECT_EQ(std::string(t.rowTitle(3)), "R1");
    EXPECT_EQ(t.cell(2, 0)->enabled, 1);   // flags are not copied
    EXPECT_EQ(t.cell(3, 0)->enabled, 0);

    EXPECT_FALSE(t.copyRow(6, 0));
    EXPECT_FALSE(t.copyRow(0, 6));
    EXPECT_EQ(t.rows(), 6);
}

TEST(TableCoreRows, CopyBetweenTwoRowsInsertsAtTheFirstACopyOfTheSecond)
{
    struct Case {
        int row, source;
        std::vector<std::string> column0;
    };
    const Case cases[] = {
        { 1, 3, { "0,0", "3,0", "1,0", "2,0", "3,0" } },
        { 3, 1, { "0,0", "1,0", "2,0", "1,0", "3,0" } },
        { 0, 0, { "0,0", "0,0", "1,0", "2,0", "3,0" } },
    };
    for (const Case &c : cases) {
        Table t(4, 2, ViewOf(5, 2, false));
        Fill(t);
        ASSERT_TRUE(t.copyRow(c.row, c.source));
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(Text(t, r, 0), c.column0[static_cast<size_t>(r)]) << c.row << " <- " << c.source << " row " << r;
    }
}

TEST(TableCoreRows, TextsAreCutTo59Characters)
{
    Table t(1, 1, ViewOf(1, 1, false));
    const std::string longText(80, 'x');
    t.setCellText(0, 0, longText.c_str());
    EXPECT_EQ(Text(t, 0, 0), std::string(59, 'x'));
    t.setRowTitle(0, longText.c_str());
    EXPECT_EQ(std::string(t.rowTitle(0)), std::string(59, 'x'));
    t.setCellText(0, 0, nullptr);
    EXPECT_EQ(Text(t, 0, 0), "");
    EXPECT_FALSE(t.setCellText(1, 0, "a"));
    EXPECT_FALSE(t.setColumnTitle(1, "a"));
    EXPECT_EQ(t.cell(0, 1), nullptr);
}

TEST(TableCoreRows, BigTableRowOperationsKeepEveryCell)
{
    Table t(1000, 270, ViewOf(10, 5, true));
    t.setCellText(999, 269, "last");
    for (int i = 0; i < 50; ++i)
        t.insertRow(0);
    EXPECT_EQ(Text(t, 1049, 269), "last");
    for (int i = 0; i < 50; ++i)
        t.deleteRow(0);
    EXPECT_EQ(Text(t, 999, 269), "last");
    EXPECT_EQ(t.rows(), 1000);
}
