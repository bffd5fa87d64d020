// The window-free core of the table control: the table's cells and titles,
// its view (first visible row, column offset, current cell), the mapping
// between table cells and control slots with and without a fixed first
// column, the layout of the controls, the key walks, the scroll bounds and
// the row operations.  The window layer (table_control.cpp) only applies
// what this core decides to the controls.
#ifndef TRAZ_EDITOR_TABLE_CONTROL_CORE_H
#define TRAZ_EDITOR_TABLE_CONTROL_CORE_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One cell of a table.
struct GE_TableCell {
    int32_t enabled;   // 1: the cell's edit control may be enabled; 0: shown disabled
    char text[60];     // at most 59 characters and a terminating NUL
};

namespace table_core {

// Key codes the table window acts on.
constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeyCtrlA = 1;
constexpr int kKeyCtrlD = 4;
constexpr int kKeyDelete = 127;
constexpr int kKeyUp = 301;
constexpr int kKeyDown = 302;
constexpr int kKeyBacktab = 315;
constexpr int kKeyCopy = 328;
constexpr int kKeyCut = 329;

// Scroll actions of the scroll-bar notifications.
constexpr int kLineUp = 1;
constexpr int kLineDown = 2;
constexpr int kPageUp = 3;
constexpr int kPageDown = 4;
constexpr int kThumb = 5;
constexpr int kThumbTrack = 6;

// Lines and columns moved by a page action.
constexpr int kPage = 3;

// Control ids of the headers and the bars.
constexpr int kRowHeaderId = 2000;
constexpr int kColumnHeaderId = 3000;
constexpr int kVScrollId = 5000;
constexpr int kHScrollId = 5100;

// Longest text of a cell or title.
constexpr size_t kTextMax = 59;

// A rectangle in the table window's coordinates.
struct Box {
    int top, left, bottom, right;
    bool operator==(const Box &o) const
    {
        return top == o.top && left == o.left && bottom == o.bottom && right == o.right;
    }
};

// What the creation arguments make of a rectangle of height x width.
struct LayoutInput {
    int height, width;          // the table window's rectangle
    int hscrollHeight;          // height of a horizontal scroll bar
    int vscrollWidth;           // width of a vertical scroll bar
    int rows, columns;
    int rowHeight;
    int minHeaderHeight;
    int minRowHeaderWidth;
    int fixedWidth;             // 0: no fixed first column
    int columnWidth;
};

struct Layout {
    int visibleRows = 1;
    int headerHeight = 0;
    int visibleScrollingColumns = 1;
    int visibleColumns = 1;
    int fixedColumns = 0;
    int rowHeaderWidth = 0;
    int rowHeight = 0;
    int fixedWidth = 0;
    int columnWidth = 0;
    Box vscroll{}, hscroll{};

    // Rectangles of the controls of row slot i and column slot k.
    Box cell(int i, int k) const;
    Box rowHeader(int i) const;
    Box columnHeader(int k) const;
};

Layout ComputeLayout(const LayoutInput &in);

using Title = std::array<char, kTextMax + 1>;

// Copies text into a 60-byte slot, cut to 59 characters (NULL: empty).
void CopyText(char *dst, const char *text);

// One table: its stores and its view.
class Table {
public:
    Table(int rows, int columns, const Layout &layout);

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    int firstRow() const { return firstRow_; }
    int columnOffset() const { return columnOffset_; }
    int visibleRows() const { return visibleRows_; }
    int visibleColumns() const { return visibleColumns_; }
    int visibleScrollingColumns() const { return visibleScrollingColumns_; }
    bool fixed() const { return fixed_; }
    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentColumn_; }
    void setCurrent(int row, int column)
    {
        currentRow_ = row;
        currentColumn_ = column;
    }

    // Row slots in use: min(rows, visible rows); the control slots in use.
    int usedRows() const { return rows_ < visibleRows_ ? rows_ : visibleRows_; }
    int usedSlots() const { return usedRows() * visibleColumns_; }
    int slotCount() const { return visibleRows_ * visibleColumns_; }

    // Largest first visible row and column offset.
    int rowBound() const;
    int columnBound() const;

    // The control slot that shows cell (row, column), -1 when hidden.
    int cellSlot(int row, int column) const;
    // The cell shown by control slot; false for a slot out of range.
    bool slotCell(int slot, int *row, int *column) const;
    // The column shown in column slot k.
    int slotColumn(int k) const;

    // Slot the focus goes to for a key from the current cell, -1: none.
    int keyTarget(int key) const;

    // Scrolls by a scroll-bar action; true when the offset changed.  The
    // offset is kept within 0 .. rows - used rows (columns likewise).
    bool scroll(bool vertical, int action, int position);
    // Scrolls so that the cell is shown (first visible row and column as
    // far as the bounds allow); true when the view moved.
    bool reveal(int row, int column);

    // Column flags: 1 normal, 0 skipped by Tab and Enter and disabled.
    int columnFlag(int column) const;
    // Nothing when count > columns; else all 1, then the listed ones 0.
    bool setColumnFlags(const int *indices, int count);

    bool validCell(int row, int column) const
    {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }
    const GE_TableCell *cell(int row, int column) const;
    bool setCellText(int row, int column, const char *text);
    bool setCellEnabled(int row, int column, int enabled);
    // Whether the control of the cell is enabled (cells past the columns: no).
    bool cellShownEnabled(int row, int column) const;

    const char *rowTitle(int row) const;
    const char *columnTitle(int column) const;
    bool setRowTitle(int row, const char *text);
    bool setColumnTitle(int column, const char *text);

    // Row operations; false (nothing changed) when out of range.
    bool deleteRow(int row);
    bool insertRow(int row);
    bool copyRow(int row, int source);

private:
    void clampView();

    int rows_, columns_;
    int firstRow_ = 0, columnOffset_ = 0;
    int visibleRows_, visibleColumns_, visibleScrollingColumns_;
    bool fixed_;
    int currentRow_ = -1, currentColumn_ = -1;
    std::vector<int> flags_;
    // One block of cells per row, so that a row comes and goes without
    // moving the cells of the others.
    std::vector<std::vector<GE_TableCell>> cells_;
    std::vector<Title> rowTitles_, columnTitles_;
};

} // namespace table_core

#endif
