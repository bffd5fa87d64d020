// The window-free core of the table control: stores, view, slot mapping,
// layout, key walks, scroll bounds and row operations (see table_control_core.h).
#include "table_control_core.h"

#include <algorithm>
#include <cstring>

namespace table_core {

namespace {

int Clamp(int v, int lo, int hi)
{
    if (hi < lo)
        hi = lo;
    return v < lo ? lo : (v > hi ? hi : v);
}

std::vector<GE_TableCell> EmptyRow(int columns)
{
    GE_TableCell empty{};
    empty.enabled = 1;
    return std::vector<GE_TableCell>(static_cast<size_t>(columns), empty);
}

} // namespace

void CopyText(char *dst, const char *text)
{
    size_t n = text ? strnlen(text, kTextMax) : 0;
    if (n)
        memcpy(dst, text, n);
    dst[n] = '\0';
}

// ---- Layout -----------------------------------------------------------------

Layout ComputeLayout(const LayoutInput &in)
{
    Layout l;
    l.rowHeight = in.rowHeight > 0 ? in.rowHeight : 1;
    l.fixedColumns = in.fixedWidth > 0 ? 1 : 0;
    l.fixedWidth = l.fixedColumns ? in.fixedWidth : 0;
    l.columnWidth = in.columnWidth;

    // Rows: what fits below the minimum header; the rest goes to the header.
    l.visibleRows = std::max(1, (in.height - in.minHeaderHeight - in.hscrollHeight) / l.rowHeight);
    l.headerHeight = std::max(in.minHeaderHeight, in.height - in.hscrollHeight - l.visibleRows * l.rowHeight);

    // Columns: what fits right of the minimum row header and the fixed
    // column; the rest goes to the row headers.
    const int scrolling = in.columns - l.fixedColumns;
    int count = 0;
    int x = in.minRowHeaderWidth + l.fixedWidth;
    while (count < scrolling && x + in.columnWidth <= in.width - in.vscrollWidth) {
        ++count;
        x += in.columnWidth;
    }
    l.visibleScrollingColumns = std::max(1, count);
    l.visibleColumns = l.visibleScrollingColumns + l.fixedColumns;
    l.rowHeaderWidth = std::max(in.minRowHeaderWidth, in.width - in.vscrollWidth - l.fixedWidth -
                                                          l.visibleScrollingColumns * in.columnWidth);

    const int rh = l.rowHeight;
    l.vscroll.top = l.headerHeight;
    l.vscroll.bottom = std::max(in.height - in.hscrollHeight, l.headerHeight + rh);
    l.vscroll.left = std::max(in.width - in.vscrollWidth, l.rowHeaderWidth + l.fixedWidth + in.columnWidth);
    l.vscroll.right = l.vscroll.left + in.vscrollWidth;
    l.hscroll.top = std::max(in.height - in.hscrollHeight, l.headerHeight + rh);
    l.hscroll.bottom = l.hscroll.top + in.hscrollHeight;
    l.hscroll.left = l.rowHeaderWidth + l.fixedWidth;
    l.hscroll.right = std::max(in.width - in.vscrollWidth, l.hscroll.left + in.columnWidth);
    return l;
}

Box Layout::cell(int i, int k) const
{
    Box b;
    b.top = headerHeight + i * rowHeight;
    b.bottom = b.top + rowHeight;
    if (fixedColumns && k == 0) {
        b.left = rowHeaderWidth;
        b.right = rowHeaderWidth + fixedWidth;
    } else {
        b.left = rowHeaderWidth + fixedWidth + (k - fixedColumns) * columnWidth;
        b.right = b.left + columnWidth;
    }
    return b;
}

Box Layout::rowHeader(int i) const
{
    Box b = cell(i, 0);
    b.left = 0;
    b.right = rowHeaderWidth;
    return b;
}

Box Layout::columnHeader(int k) const
{
    Box b = cell(0, k);
    b.top = 0;
    b.bottom = headerHeight;
    return b;
}

// ---- Table ------------------------------------------------------------------

Table::Table(int rows, int columns, const Layout &layout)
    : rows_(std::max(0, rows)), columns_(std::max(0, columns)), visibleRows_(layout.visibleRows),
      visibleColumns_(layout.visibleColumns), visibleScrollingColumns_(layout.visibleScrollingColumns),
      fixed_(layout.fixedColumns != 0), flags_(static_cast<size_t>(columns_), 1)
{
    cells_.assign(static_cast<size_t>(rows_), EmptyRow(columns_));
    rowTitles_.assign(static_cast<size_t>(rows_), Title{});
    columnTitles_.assign(static_cast<size_t>(columns_), Title{});
}

int Table::rowBound() const
{
    return std::max(0, rows_ - usedRows());
}

int Table::columnBound() const
{
    return std::max(0, columns_ - std::min(columns_, visibleColumns_));
}

int Table::cellSlot(int row, int column) const
{
    if (row < firstRow_ || row >= firstRow_ + visibleRows_)
        return -1;
    int k;
    if (fixed_ && column == 0) {
        k = 0;
    } else {
        k = column - columnOffset_;
        if (k < (fixed_ ? 1 : 0) || k >= visibleColumns_)
            return -1;
    }
    return (row - firstRow_) * visibleColumns_ + k;
}

int Table::slotColumn(int k) const
{
    return fixed_ && k == 0 ? 0 : k + columnOffset_;
}

bool Table::slotCell(int slot, int *row, int *column) const
{
    if (slot < 0 || slot >= slotCount())
        return false;
    *row = firstRow_ + slot / visibleColumns_;
    *column = slotColumn(slot % visibleColumns_);
    return true;
}

int Table::keyTarget(int key) const
{
    const int slot = cellSlot(currentRow_, currentColumn_);
    const int n = usedSlots();
    switch (key) {
    case kKeyTab:
    case kKeyEnter: {
        if (columns_ <= 0 || currentRow_ < 0)
            return -1;
        // The column before the next one to visit: walk over skipped
        // columns, wrapping to the row's start; every flag 0: nothing.
        int c = currentColumn_;
        if (c >= columns_ - 1)
            c = -1;
        int steps = 0;
        while (columnFlag(c + 1) == 0) {
            if (++steps > columns_)
                return -1;
            ++c;
            if (c >= columns_ - 1)
                c = -1;
        }
        if (c == -1)
            c = columnOffset_ + visibleColumns_ - 1;
        const int from = cellSlot(currentRow_, c);
        if (from < 0)
            return -1;
        return from >= n - 1 ? 0 : from + 1;
    }
    case kKeyUp:
        if (slot < 0)
            return -1;
        return slot - visibleColumns_ >= 0 ? slot - visibleColumns_ : slot;
    case kKeyDown:
        if (slot < 0)
            return -1;
        return slot + visibleColumns_ <= n - 1 ? slot + visibleColumns_ : slot;
    default:
        return -1;
    }
}

bool Table::scroll(bool vertical, int action, int position)
{
    int &offset = vertical ? firstRow_ : columnOffset_;
    const int bound = vertical ? rowBound() : columnBound();
    int next = offset;
    switch (action) {
    case kLineUp: next = offset - 1; break;
    case kLineDown: next = offset + 1; break;
    case kPageUp: next = offset - kPage; break;
    case kPageDown: next = offset + kPage; break;
    case kThumb: next = position; break;
    default: return false;
    }
    next = Clamp(next, 0, bound);
    if (next == offset)
        return false;
    offset = next;
    return true;
}

bool Table::reveal(int row, int column)
{
    if (cellSlot(row, column) >= 0)
        return false;
    const int oldFirst = firstRow_, oldOffset = columnOffset_;
    firstRow_ = row;
    if (!fixed_)
        columnOffset_ = column;
    else if (column >= 1)
        columnOffset_ = column - 1;
    clampView();
    return firstRow_ != oldFirst || columnOffset_ != oldOffset;
}

void Table::clampView()
{
    firstRow_ = Clamp(firstRow_, 0, rowBound());
    columnOffset_ = Clamp(columnOffset_, 0, columnBound());
}

int Table::columnFlag(int column) const
{
    return column >= 0 && column < columns_ ? flags_[static_cast<size_t>(column)] : 0;
}

bool Table::setColumnFlags(const int *indices, int count)
{
    if (count > columns_)
        return false;
    std::fill(flags_.begin(), flags_.end(), 1);
    for (int i = 0; i < count && indices; ++i)
        if (indices[i] >= 0 && indices[i] < columns_)
            flags_[static_cast<size_t>(indices[i])] = 0;
    return true;
}

const GE_TableCell *Table::cell(int row, int column) const
{
    if (!validCell(row, column))
        return nullptr;
    return &cells_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

bool Table::setCellText(int row, int column, const char *text)
{
    if (!validCell(row, column))
        return false;
    CopyText(const_cast<GE_TableCell *>(cell(row, column))->text, text);
    return true;
}

bool Table::setCellEnabled(int row, int column, int enabled)
{
    if (!validCell(row, column))
        return false;
    const_cast<GE_TableCell *>(cell(row, column))->enabled = enabled;
    return true;
}

bool Table::cellShownEnabled(int row, int column) const
{
    const GE_TableCell *c = cell(row, column);
    if (!c)
        return false;
    if (fixed_ && column == 0)
        return c->enabled == 1;
    return columnFlag(column) != 0 && c->enabled == 1;
}

const char *Table::rowTitle(int row) const
{
    return row >= 0 && row < rows_ ? rowTitles_[static_cast<size_t>(row)].data() : nullptr;
}

const char *Table::columnTitle(int column) const
{
    return column >= 0 && column < columns_ ? columnTitles_[static_cast<size_t>(column)].data() : nullptr;
}

bool Table::setRowTitle(int row, const char *text)
{
    if (row < 0 || row >= rows_)
        return false;
    CopyText(rowTitles_[static_cast<size_t>(row)].data(), text);
    return true;
}

bool Table::setColumnTitle(int column, const char *text)
{
    if (column < 0 || column >= columns_)
        return false;
    CopyText(columnTitles_[static_cast<size_t>(column)].data(), text);
    return true;
}

bool Table::deleteRow(int row)
{
    if (row < 0 || row >= rows_)
        return false;
    const bool last = row == rows_ - 1;
    cells_.erase(cells_.begin() + row);
    rowTitles_.erase(rowTitles_.begin() + row);
    --rows_;
    // The view follows a deleted last row up by one; then the first
    // visible row stays within 0 .. rows - used rows, and the current row
    // moves with it, so that it stays the row of the focused slot.
    const int oldFirst = firstRow_;
    if (last && firstRow_ > 0)
        --firstRow_;
    clampView();
    if (currentRow_ >= 0) {
        currentRow_ += firstRow_ - oldFirst;
        currentRow_ = rows_ > 0 ? Clamp(currentRow_, 0, rows_ - 1) : -1;
    }
    return true;
}

bool Table::insertRow(int row)
{
    if (row < 0 || row > rows_)
        return false;
    cells_.insert(cells_.begin() + row, EmptyRow(columns_));
    rowTitles_.insert(rowTitles_.begin() + row, Title{});
    ++rows_;
    return true;
}

bool Table::copyRow(int row, int source)
{
    if (row < 0 || row >= rows_ || source < 0 || source >= rows_)
        return false;
    insertRow(row);
    const int from = source < row ? source : source + 1;
    for (int c = 0; c < columns_; ++c)
        setCellText(row, c, cell(from, c)->text);
    rowTitles_[static_cast<size_t>(row)] = rowTitles_[static_cast<size_t>(from)];
    return true;
}

} // namespace table_core
