// The table control: a scrolling spreadsheet of short texts placed on the
// editor's pages for its time tables.  A child window holds one single-line
// edit control per visible cell, a static-text header per visible row and
// column, and a vertical and a horizontal scroll bar; the texts of all
// cells and titles live in the control's record (table_control_core.h)
// and the edit controls are refilled from it whenever the view moves.
// The owner learns of focus changes and edits through its callback.
#ifndef TRAZ_EDITOR_TABLE_CONTROL_H
#define TRAZ_EDITOR_TABLE_CONTROL_H

#include <cstdint>

#include "ruv.h"
#include "table_control_core.h"

// The record of one table (the table window's application data).
struct GE_TableData;

// Callback codes.
enum {
    GE_TABLE_CELL_FOCUS = 0,     // a cell got the focus and became current; text NULL
    GE_TABLE_CELL_CHANGED = 1,   // the current cell's text changed; the control's text
    GE_TABLE_CELL_STORED = 2,    // a cell lost the focus; the text stored into it
    GE_TABLE_FOCUS = 3,          // the table window got the focus; text NULL
    GE_TABLE_UNFOCUS = 4,        // the table window lost the focus; text NULL
};

// The owner's function: (table window, code, row, column, text); the
// result is ignored.
typedef char *(*GE_TableCallback)(RUV_WIN table, int32_t code, int32_t row, int32_t column, char *text);

// The layout GE_TableCreate gives a table of these arguments, with the
// toolkit's scroll-bar sizes.
table_core::Layout GE_TableLayout(const RUV_RECT &rect, int32_t rows, int32_t columns, int32_t rowHeight,
                                  int32_t minHeaderHeight, int32_t minRowHeaderWidth, int32_t fixedWidth,
                                  int32_t columnWidth);

// Control ids: cell slot i x visible columns + k; row headers 2000 + i,
// column headers 3000 + k, the bars 5000 (vertical) and 5100.
RUV_WIN GE_TableCreate(RUV_WIN parent, const RUV_RECT *rect, int32_t rows, int32_t columns, int32_t rowHeight,
                       int32_t minHeaderHeight, int32_t minRowHeaderWidth, int32_t fixedWidth, int32_t columnWidth,
                       GE_TableCallback callback);
// Frees the record, destroys the window and sets *table to -1; nothing
// when the window has no record.
void GE_TableDestroy(RUV_WIN *table);
// The focused table and its current cell; NULL, -1, -1 when none.
void GE_TableGetFocus(RUV_WIN *table, int32_t *row, int32_t *column);
// A copy (ruv_mem_free) of the text in the current cell's control; NULL
// when the current cell is not shown.
char *GE_TableGetCurrentText(RUV_WIN table);
void GE_TableSetCell(RUV_WIN table, int32_t row, int32_t column, const char *text);
// Copies the cell's text into buffer (60 bytes); out of range: untouched.
void GE_TableGetCell(RUV_WIN table, int32_t row, int32_t column, char *buffer);
void GE_TableGetCellRecord(RUV_WIN table, int32_t row, int32_t column, GE_TableCell *cell);
void GE_TableDeleteRow(RUV_WIN table, int32_t row);
void GE_TableInsertRow(RUV_WIN table, int32_t row);
// Inserts at row a copy of the texts and title of the source row.
void GE_TableCopyRow(RUV_WIN table, int32_t row, int32_t sourceRow);
void GE_TableSetColumnTitle(RUV_WIN table, int32_t column, const char *text);
void GE_TableSetRowTitle(RUV_WIN table, int32_t row, const char *text);
int32_t GE_TableRowCount(RUV_WIN table);
int32_t GE_TableColumnCount(RUV_WIN table);
void GE_TableSetColumnFlags(RUV_WIN table, const int32_t *columns, int32_t count);
void GE_TableSetCellEnabled(RUV_WIN table, int32_t row, int32_t column, int32_t enabled);
// Copies the focused table's current text into every enabled cell of its
// current column.
void GE_TableCopyValue(void);
// Makes the cell current (scrolled into view) and gives it the focus.
RUV_WIN GE_TableSetCurrent(RUV_WIN table, int32_t row, int32_t column);
// Re-shows the visible part: 1 row headers and cells, 0 cells and column
// headers.
void GE_TableRefresh(RUV_WIN table, int32_t which);
// The control slot showing the cell, -1 when hidden.
int32_t GE_TableCellControl(RUV_WIN table, int32_t row, int32_t column);
// The cell whose control has the keyboard focus; -1, -1 when none of this
// table's.
void GE_TableFocusedCell(RUV_WIN table, int32_t *row, int32_t *column);
int32_t GE_TableEventHandler(RUV_WIN window, RUV_EVENT *event);

#endif
