// The table control's windows: the table window, its edit controls,
// headers and scroll bars made through the toolkit, and the event handler
// that turns focus changes, edits, keys and scroll actions into changes of
// the table's record (table_control_core.h) and calls to the owner.
#include "table_control.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "editor_services.h"
#include "ruvv_attr.h"
#include "ruvv_res.h"

// Removes the recorded help associations of a window (help hook).
void HelpRemoveWindow(RUV_WIN window);

using table_core::Layout;
using table_core::Table;

namespace {

// Toolkit control types and creation flags of the table's controls.
constexpr int32_t kTableWindowType = 2;
constexpr int32_t kTableResourceId = 4000;
constexpr uintptr_t kTableWindowFlags = 0x800;
constexpr int32_t kHScrollBar = 15;
constexpr int32_t kVScrollBar = 16;
constexpr int32_t kEdit = 17;
constexpr int32_t kStaticText = 18;
constexpr uintptr_t kHidden = 0x10;
constexpr uintptr_t kLeftAligned = 0x2000;
constexpr uintptr_t kRightAligned = 0x8000;
constexpr int32_t kBarSelf = 2;   // scroll-bar selector: the control itself

} // namespace

struct GE_TableData {
    GE_TableData(int rows, int columns, const Layout &l) : layout(l), table(rows, columns, l) {}
    Layout layout;
    Table table;
    std::vector<RUV_WIN> cells;          // visible rows x visible columns
    std::vector<RUV_WIN> rowHeaders;     // empty without row headers
    std::vector<RUV_WIN> columnHeaders;  // empty without a header strip
    RUV_WIN vbar = NULL_WIN, hbar = NULL_WIN;
    int shownRows = 0;                   // row slots whose controls are shown
    GE_TableCallback callback = nullptr;
};

namespace {

// The table that holds the keyboard focus (one for all tables).
RUV_WIN focusedTable = NULL_WIN;

// The table asked for last and its record: cell reads and writes of a
// whole table ask for the same one again and again.  Forgotten when the
// table goes.
RUV_WIN lastTable = NULL_WIN;
GE_TableData *lastRecord = nullptr;

GE_TableData *Record(RUV_WIN table)
{
    if (table == NULL_WIN || reinterpret_cast<intptr_t>(table) == -1)
        return nullptr;
    if (table == lastTable)
        return lastRecord;
    auto *d = static_cast<GE_TableData *>(ruv_vobj_get_data(table));
    if (d) {
        lastTable = table;
        lastRecord = d;
    }
    return d;
}

void Forget(RUV_WIN table)
{
    if (focusedTable == table)
        focusedTable = NULL_WIN;
    if (lastTable == table) {
        lastTable = NULL_WIN;
        lastRecord = nullptr;
    }
}

RUV_RECT ToRect(const table_core::Box &b)
{
    return RUV_RECT{ static_cast<int16_t>(b.top), static_cast<int16_t>(b.left), static_cast<int16_t>(b.bottom),
                     static_cast<int16_t>(b.right) };
}

RUV_WIN MakeControl(RUV_WIN parent, int32_t type, const table_core::Box &box, const char *title, int32_t id,
                    uintptr_t flags)
{
    RUV_WIN_DEF def{};
    def.type = type;
    def.rect = ToRect(box);
    def.title = const_cast<char *>(title);
    def.u.ctl.ctl_id = id;
    def.u.ctl.flags = flags;
    return ruv_ctl_create_def(&def, parent, nullptr);
}

void Notify(RUV_WIN win, GE_TableData *d, int32_t code, int32_t row, int32_t column, char *text)
{
    if (d->callback)
        d->callback(win, code, row, column, text);
}

// The bar's range, proportion and position from the view.
void UpdateVerticalBar(GE_TableData *d)
{
    const Table &t = d->table;
    ruv_sbar_set_range(d->vbar, kBarSelf, 0, t.rows());
    ruv_sbar_set_proportion(d->vbar, kBarSelf, t.usedRows());
    ruv_sbar_set_pos(d->vbar, kBarSelf, t.firstRow());
}

// Shows the controls of the row slots in use and hides the others.
void SyncShownRows(GE_TableData *d)
{
    const int want = d->table.usedRows();
    const int cols = d->table.visibleColumns();
    while (d->shownRows != want) {
        const bool show = d->shownRows < want;
        const int i = show ? d->shownRows : d->shownRows - 1;
        for (int k = 0; k < cols; ++k)
            ruv_vobj_set_visible(d->cells[static_cast<size_t>(i * cols + k)], show);
        if (!d->rowHeaders.empty())
            ruv_vobj_set_visible(d->rowHeaders[static_cast<size_t>(i)], show);
        d->shownRows += show ? 1 : -1;
    }
}

void Refresh(GE_TableData *d, int which)
{
    const Table &t = d->table;
    const int cols = t.visibleColumns();
    for (int i = 0; i < t.visibleRows(); ++i) {
        const int row = t.firstRow() + i;
        if (row >= t.rows())
            break;
        if (which == 1 && !d->rowHeaders.empty())
            ruv_vobj_set_title(d->rowHeaders[static_cast<size_t>(i)], t.rowTitle(row));
        for (int k = 0; k < cols; ++k) {
            const int column = t.slotColumn(k);
            const GE_TableCell *cell = t.cell(row, column);
            RUV_WIN ctl = d->cells[static_cast<size_t>(i * cols + k)];
            ruv_vobj_set_title(ctl, cell ? cell->text : "");
            ruv_vobj_set_enabled(ctl, t.cellShownEnabled(row, column));
        }
    }
    if (which == 0 && !d->columnHeaders.empty()) {
        for (int k = 0; k < cols; ++k) {
            const char *title = t.columnTitle(t.slotColumn(k));
            ruv_vobj_set_title(d->columnHeaders[static_cast<size_t>(k)], title ? title : "");
        }
    }
}

// The slot of a cell control of this table, -1 for any other object.
int SlotOf(const GE_TableData *d, RUV_WIN ctl, int32_t id)
{
    if (id >= 0 && id < static_cast<int32_t>(d->cells.size()) && d->cells[static_cast<size_t>(id)] == ctl)
        return id;
    for (size_t s = 0; s < d->cells.size(); ++s)
        if (d->cells[s] == ctl)
            return static_cast<int>(s);
    return -1;
}

// After a change of rows: controls shown, bar, cells and row headers.
void AfterRowChange(GE_TableData *d)
{
    SyncShownRows(d);
    UpdateVerticalBar(d);
    Refresh(d, 1);
}

void StoreCurrentText(RUV_WIN table, GE_TableData *d)
{
    int32_t r, c;
    GE_TableFocusedCell(table, &r, &c);
    if (r < 0)
        return;
    if (char *text = GE_TableGetCurrentText(table)) {
        GE_TableSetCell(table, d->table.currentRow(), d->table.currentColumn(), text);
        ruv_mem_free(text);
    }
}

void OnScroll(RUV_WIN win, GE_TableData *d, bool vertical, int32_t action, int32_t position)
{
    StoreCurrentText(win, d);
    // The bar always ends on the offset, also when an action past a bound
    // left the view where it was.
    const bool moved = d->table.scroll(vertical, action, position);
    if (vertical) {
        ruv_sbar_set_pos(d->vbar, kBarSelf, d->table.firstRow());
        if (moved)
            Refresh(d, 1);
    } else {
        ruv_sbar_set_pos(d->hbar, kBarSelf, d->table.columnOffset());
        if (moved)
            Refresh(d, 0);
    }
    int32_t r, c;
    GE_TableFocusedCell(win, &r, &c);
    d->table.setCurrent(r, c);
}

// Focus and text notifications of a cell control.  An edit is stored into
// the cell its control shows (the current cell, unless the current cell
// was moved before the notification came); a control left in a row slot
// below the last row (its row deleted while it had the focus) shows no
// cell, and what it holds is never stored into one.
void OnCellEvent(RUV_WIN win, GE_TableData *d, int slot, const RUV_EVENT *ev)
{
    RUV_WIN ctl = d->cells[static_cast<size_t>(slot)];
    char text[60] = "";
    int r = -1, c = -1;
    d->table.slotCell(slot, &r, &c);
    const bool shown = d->table.validCell(r, c);
    if (ev->v.control.data.edit.change && ev->v.control.data.edit.gained) {
        d->table.setCurrent(r, c);
        focusedTable = win;
        Notify(win, d, GE_TABLE_CELL_FOCUS, r, c, nullptr);
    } else if (ev->v.control.data.edit.change) {
        if (focusedTable == win)
            focusedTable = NULL_WIN;
        if (!shown)
            return;
        ruv_vobj_get_title(ctl, text, sizeof text);
        GE_TableSetCell(win, r, c, text);
        Notify(win, d, GE_TABLE_CELL_STORED, r, c, text);
    } else if (shown) {
        ruv_vobj_get_title(ctl, text, sizeof text);
        Notify(win, d, GE_TABLE_CELL_CHANGED, r, c, text);
        ModifiedFlag = 1;
        UpdateMainTitle();
    }
}

void OnKey(GE_TableData *d, int key)
{
    switch (key) {
    case table_core::kKeyTab:
    case table_core::kKeyEnter:
    case table_core::kKeyUp:
    case table_core::kKeyDown: {
        const int slot = d->table.keyTarget(key);
        if (slot >= 0)
            ruv_scr_set_focus_vobj(d->cells[static_cast<size_t>(slot)]);
        break;
    }
    case table_core::kKeyDelete: fputs("Delete \n", stdout); break;
    case table_core::kKeyCopy: fputs("Copy \n", stdout); break;
    case table_core::kKeyCut: fputs("Cut \n", stdout); break;
    case table_core::kKeyCtrlA: fputs("Ctrl-A\n", stdout); break;
    case table_core::kKeyCtrlD: fputs("Ctrl-D\n", stdout); break;
    default: return;
    }
    fflush(stdout);
}

} // namespace

Layout GE_TableLayout(const RUV_RECT &rect, int32_t rows, int32_t columns, int32_t rowHeight, int32_t minHeaderHeight,
                      int32_t minRowHeaderWidth, int32_t fixedWidth, int32_t columnWidth)
{
    table_core::LayoutInput in{};
    in.height = rect.bottom - rect.top;
    in.width = rect.right - rect.left;
    in.hscrollHeight = static_cast<int>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_HSCROLL_HEIGHT));
    in.vscrollWidth = static_cast<int>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_VSCROLL_WIDTH));
    in.rows = rows;
    in.columns = columns;
    in.rowHeight = rowHeight;
    in.minHeaderHeight = minHeaderHeight;
    in.minRowHeaderWidth = minRowHeaderWidth;
    in.fixedWidth = fixedWidth;
    in.columnWidth = columnWidth;
    return table_core::ComputeLayout(in);
}

RUV_WIN GE_TableCreate(RUV_WIN parent, const RUV_RECT *rect, int32_t rows, int32_t columns, int32_t rowHeight,
                       int32_t minHeaderHeight, int32_t minRowHeaderWidth, int32_t fixedWidth, int32_t columnWidth,
                       GE_TableCallback callback)
{
    if (!rect || rows < 0 || columns < 1)
        return NULL_WIN;
    const Layout layout = GE_TableLayout(*rect, rows, columns, rowHeight, minHeaderHeight, minRowHeaderWidth,
                                         fixedWidth, columnWidth);

    auto *d = new (std::nothrow) GE_TableData(rows, columns, layout);
    if (!d)
        return NULL_WIN;
    d->callback = callback;

    RUV_WIN_DEF def[2]{};
    def[0].type = kTableWindowType;
    def[0].rect = *rect;
    def[0].u.win.menu_id = kTableResourceId;
    def[0].u.win.flags = kTableWindowFlags;
    RUV_WIN win = ruv_win_create_def(def, parent, d, GE_TableEventHandler, RUV_EVENT_MASK_ALL);
    if (win == NULL_WIN) {
        delete d;
        return NULL_WIN;
    }

    const int vr = layout.visibleRows, vc = layout.visibleColumns;
    d->cells.assign(static_cast<size_t>(vr * vc), NULL_WIN);
    for (int i = 0; i < vr; ++i)
        for (int k = 0; k < vc; ++k)
            d->cells[static_cast<size_t>(i * vc + k)] =
                MakeControl(win, kEdit, layout.cell(i, k), " ", i * vc + k, i >= rows ? kHidden : 0);
    if (layout.rowHeaderWidth > 0) {
        d->rowHeaders.assign(static_cast<size_t>(vr), NULL_WIN);
        for (int i = 0; i < vr; ++i)
            d->rowHeaders[static_cast<size_t>(i)] =
                MakeControl(win, kStaticText, layout.rowHeader(i), "", table_core::kRowHeaderId + i,
                            kRightAligned | (i >= rows ? kHidden : 0));
    }
    if (layout.headerHeight > 0) {
        d->columnHeaders.assign(static_cast<size_t>(vc), NULL_WIN);
        for (int k = 0; k < vc; ++k)
            d->columnHeaders[static_cast<size_t>(k)] = MakeControl(
                win, kStaticText, layout.columnHeader(k), "", table_core::kColumnHeaderId + k, kLeftAligned);
    }
    d->shownRows = d->table.usedRows();

    d->vbar = MakeControl(win, kVScrollBar, layout.vscroll, "", table_core::kVScrollId, 0);
    UpdateVerticalBar(d);
    d->hbar = MakeControl(win, kHScrollBar, layout.hscroll, "", table_core::kHScrollId, 0);
    ruv_sbar_set_range(d->hbar, kBarSelf, 0, columns);
    ruv_sbar_set_proportion(d->hbar, kBarSelf, columns < vc ? columns : vc);
    ruv_sbar_set_pos(d->hbar, kBarSelf, 0);
    return win;
}

void GE_TableDestroy(RUV_WIN *table)
{
    if (!table)
        return;
    GE_TableData *d = Record(*table);
    if (!d)
        return;
    Forget(*table);
    ruv_vobj_set_data(*table, nullptr);
    delete d;
    ruv_vobj_destroy(*table);
    *table = reinterpret_cast<RUV_WIN>(static_cast<intptr_t>(-1));
}

void GE_TableGetFocus(RUV_WIN *table, int32_t *row, int32_t *column)
{
    GE_TableData *d = focusedTable ? Record(focusedTable) : nullptr;
    if (table)
        *table = d ? focusedTable : NULL_WIN;
    if (row)
        *row = d ? d->table.currentRow() : -1;
    if (column)
        *column = d ? d->table.currentColumn() : -1;
}

char *GE_TableGetCurrentText(RUV_WIN table)
{
    GE_TableData *d = Record(table);
    if (!d)
        return nullptr;
    const int slot = d->table.cellSlot(d->table.currentRow(), d->table.currentColumn());
    if (slot < 0 || slot >= static_cast<int>(d->cells.size()))
        return nullptr;
    char buffer[60] = "";
    ruv_vobj_get_title(d->cells[static_cast<size_t>(slot)], buffer, sizeof buffer);
    const size_t n = strlen(buffer) + 1;
    char *copy = static_cast<char *>(ruv_mem_alloc(n));
    if (copy)
        memcpy(copy, buffer, n);
    return copy;
}

void GE_TableSetCell(RUV_WIN table, int32_t row, int32_t column, const char *text)
{
    GE_TableData *d = Record(table);
    if (!d || !d->table.setCellText(row, column, text))
        return;
    const int slot = d->table.cellSlot(row, column);
    if (slot >= 0 && slot < static_cast<int>(d->cells.size()))
        ruv_vobj_set_title(d->cells[static_cast<size_t>(slot)], d->table.cell(row, column)->text);
}

void GE_TableGetCell(RUV_WIN table, int32_t row, int32_t column, char *buffer)
{
    GE_TableData *d = Record(table);
    const GE_TableCell *cell = d ? d->table.cell(row, column) : nullptr;
    if (cell && buffer)
        memcpy(buffer, cell->text, sizeof cell->text);
}

void GE_TableGetCellRecord(RUV_WIN table, int32_t row, int32_t column, GE_TableCell *out)
{
    GE_TableData *d = Record(table);
    const GE_TableCell *cell = d ? d->table.cell(row, column) : nullptr;
    if (cell && out)
        *out = *cell;
}

void GE_TableDeleteRow(RUV_WIN table, int32_t row)
{
    GE_TableData *d = Record(table);
    if (d && d->table.deleteRow(row))
        AfterRowChange(d);
}

void GE_TableInsertRow(RUV_WIN table, int32_t row)
{
    GE_TableData *d = Record(table);
    if (d && d->table.insertRow(row))
        AfterRowChange(d);
}

void GE_TableCopyRow(RUV_WIN table, int32_t row, int32_t sourceRow)
{
    GE_TableData *d = Record(table);
    if (d && d->table.copyRow(row, sourceRow))
        AfterRowChange(d);
}

void GE_TableSetColumnTitle(RUV_WIN table, int32_t column, const char *text)
{
    GE_TableData *d = Record(table);
    if (!d || !d->table.setColumnTitle(column, text) || d->columnHeaders.empty())
        return;
    const int slot = d->table.cellSlot(d->table.firstRow(), column);
    if (slot >= 0)
        ruv_vobj_set_title(d->columnHeaders[static_cast<size_t>(slot)], d->table.columnTitle(column));
}

void GE_TableSetRowTitle(RUV_WIN table, int32_t row, const char *text)
{
    GE_TableData *d = Record(table);
    if (!d || !d->table.setRowTitle(row, text) || d->rowHeaders.empty())
        return;
    const int i = row - d->table.firstRow();
    if (i >= 0 && i < d->table.visibleRows())
        ruv_vobj_set_title(d->rowHeaders[static_cast<size_t>(i)], d->table.rowTitle(row));
}

int32_t GE_TableRowCount(RUV_WIN table)
{
    GE_TableData *d = Record(table);
    return d ? d->table.rows() : 0;
}

int32_t GE_TableColumnCount(RUV_WIN table)
{
    GE_TableData *d = Record(table);
    return d ? d->table.columns() : 0;
}

void GE_TableSetColumnFlags(RUV_WIN table, const int32_t *columns, int32_t count)
{
    GE_TableData *d = Record(table);
    if (d && d->table.setColumnFlags(columns, count)) {
        Refresh(d, 1);
        Refresh(d, 0);
    }
}

void GE_TableSetCellEnabled(RUV_WIN table, int32_t row, int32_t column, int32_t enabled)
{
    GE_TableData *d = Record(table);
    if (!d || !d->table.setCellEnabled(row, column, enabled))
        return;
    const int slot = d->table.cellSlot(row, column);
    if (slot >= 0)
        ruv_vobj_set_enabled(d->cells[static_cast<size_t>(slot)], d->table.cellShownEnabled(row, column));
}

void GE_TableCopyValue(void)
{
    GE_TableData *d = focusedTable ? Record(focusedTable) : nullptr;
    if (!d)
        return;
    char *text = GE_TableGetCurrentText(focusedTable);
    if (!text)
        return;
    const int column = d->table.currentColumn();
    for (int r = 0; r < d->table.rows(); ++r) {
        const GE_TableCell *cell = d->table.cell(r, column);
        if (cell && cell->enabled)
            GE_TableSetCell(focusedTable, r, column, text);
    }
    ruv_mem_free(text);
}

RUV_WIN GE_TableSetCurrent(RUV_WIN table, int32_t row, int32_t column)
{
    GE_TableData *d = Record(table);
    if (!d || d->table.rows() == 0)
        return table;
    Table &t = d->table;
    row = row < 0 ? 0 : (row >= t.rows() ? t.rows() - 1 : row);
    column = column < 0 ? 0 : (column >= t.columns() ? t.columns() - 1 : column);
    if (t.reveal(row, column)) {
        ruv_sbar_set_pos(d->vbar, kBarSelf, t.firstRow());
        ruv_sbar_set_pos(d->hbar, kBarSelf, t.columnOffset());
        Refresh(d, 1);
        Refresh(d, 0);
    }
    t.setCurrent(row, column);
    const int slot = t.cellSlot(row, column);
    if (slot >= 0)
        ruv_scr_set_focus_vobj(d->cells[static_cast<size_t>(slot)]);
    focusedTable = table;
    return table;
}

void GE_TableRefresh(RUV_WIN table, int32_t which)
{
    if (GE_TableData *d = Record(table))
        Refresh(d, which);
}

int32_t GE_TableCellControl(RUV_WIN table, int32_t row, int32_t column)
{
    GE_TableData *d = Record(table);
    return d ? d->table.cellSlot(row, column) : -1;
}

void GE_TableFocusedCell(RUV_WIN table, int32_t *row, int32_t *column)
{
    int r = -1, c = -1;
    GE_TableData *d = Record(table);
    if (d) {
        const int slot = SlotOf(d, ruv_scr_get_focus_vobj(), -1);
        if (slot >= 0)
            d->table.slotCell(slot, &r, &c);
    }
    if (row)
        *row = r;
    if (column)
        *column = c;
}

int32_t GE_TableEventHandler(RUV_WIN win, RUV_EVENT *ev)
{
    if (!ev)
        return 0;
    if (ev->type == E_DESTROY) {
        Forget(win);
        HelpRemoveWindow(win);
        return 0;
    }
    if (ev->type == E_CLOSE) {
        ruv_vobj_destroy(win);
        return 0;
    }
    if (ev->type == E_UPDATE) {
        ruv_dwin_clear(win, static_cast<RUV_COLOR>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_BACK_COLOR)));
        return 0;
    }
    GE_TableData *d = Record(win);
    if (!d || d->cells.empty())
        return 0;
    switch (ev->type) {
    case E_FOCUS:
        // A table that loses the focus clears only its own mark: the table
        // entered next may have set its own already.
        if (ev->v.focus.active)
            focusedTable = win;
        else if (focusedTable == win)
            focusedTable = NULL_WIN;
        Notify(win, d, ev->v.focus.active ? GE_TABLE_FOCUS : GE_TABLE_UNFOCUS, d->table.currentRow(),
               d->table.currentColumn(), nullptr);
        break;
    case E_CHAR:
        // Esc belongs to the window the table lies in (a time-table
        // window closes on it).
        if (ev->v.chr.key == 27) {
            if (const RUV_WIN parent = ruv_vobj_get_parent(win))
                ruv_win_dispatch_event(parent, ev);
            break;
        }
        OnKey(d, ev->v.chr.key);
        break;
    case E_CONTROL: {
        const int32_t id = ev->v.control.id;
        if (id == table_core::kVScrollId || id == table_core::kHScrollId) {
            OnScroll(win, d, id == table_core::kVScrollId, ev->v.control.data.scroll.action,
                     ev->v.control.data.scroll.position);
            break;
        }
        const int slot = SlotOf(d, ev->v.control.ctl, id);
        if (slot >= 0)
            OnCellEvent(win, d, slot, ev);
        break;
    }
    default:
        break;
    }
    return 0;
}
