// The time tables of the process, release and output pages: fourteen
// table slots, each showing one kind of the scenario's time series in a
// table control and storing it back; regular tables generated from a step
// typed into window 186; the first and last rows kept on the simulation
// start and stop; the row commands of the Table menus.  What a slot shows
// and reads back is decided in time_tables_core.h.
#ifndef TRAZ_EDITOR_TIME_TABLES_H
#define TRAZ_EDITOR_TIME_TABLES_H

#include <cstdint>

#include "editor_services.h"
#include "ruv.h"
#include "scenario.h"

// Shows the slot's series in a table on the parent window (slots 9 to 11:
// of the release with that index).
void SetTableData(ScenarioRecord *scenario, RUV_WIN parent, int slot, int index);
// Creates the slot's table with its headers (releaseName: slot 10's name
// record, may be NULL); rows over 1000 are refused with a box and cut.
RUV_WIN BuildTable(RUV_WIN parent, int slot, const char *releaseName, int rows, int columns);
// BuildTable, then every cell from rows x (first column + columns) texts.
RUV_WIN BuildAndFillTable(RUV_WIN parent, int slot, const char *releaseName, const char *const *cells, int rows,
                          int columns);
// Reads the slot's table back into the scenario; nothing when it cannot
// be read.
void StoreTable(ScenarioRecord *scenario, int slot, int index);
void StoreTableOfSlot(int slot);
// The six settling tables share the times of their rows, and a row
// inserted goes into all six: a row filled in one of them is kept in every
// table, so that they keep the same length.  Where a row was left blank in
// another table it takes the time of the first table whose row has one,
// its values empty (0), and that table is stored.  A row blank in all six
// is dropped from every one when they are stored.
void KeepSettlingRowsTogether(ScenarioRecord *scenario);
// A new series from the slot's table (mode 0 time rows, 1 row numbers,
// 2 no first column), NULL when there is no table or a cell is refused.
XYSeries *TableToXYSeries(int slot, int mode);

// The rows that a simulation period from start to stop (minutes after the
// hydrodynamics reference time) would drop from the tables that follow the
// period (UpdateTableTimes): rows between the first and last that would
// lie outside it, and recovery rows outside it.  Open tables count with
// what was typed into them.
int TableRowsOutsidePeriod(ScenarioRecord *scenario, double start, double stop);

// Stores the tables of the continuous release's table window (sub-pane
// index) into the release and checks that its rates cover the simulation
// (a box for each end that does not); 1 when they do.
int StoreReleaseTableAndCheck(int index, int release);

// Window 186 and the table panes.
void SelectTablePane(RUV_WIN window);
// SelectTablePane, then window 186 under the task window.
void OpenTableEditor(RUV_WIN pane);
// Closes window 186 when it is up, without checking its step.
void CloseTableEditor(void);
void GenerateTimeTable(RUV_WIN window);
void SetDefaultTableStep(RUV_WIN window);
int32_t TableEditorHandler(RUV_WIN window, RUV_EVENT *event);
void ShowSettlingTable(RUV_WIN window, int slot);
// The table controls built on the substance set (decay rates, settling
// velocities, released masses and concentrations) destroyed and the
// release windows hidden, so nothing is stored from a table built for
// another set; they are built again when shown.
void ForgetSubstanceTables(void);

// The Table menu's row commands on the focused table.
void InsertTableRow(void);
void CopyTableRow(void);
void DeleteTableRow(void);
void CopyTableValue(void);

int IsValidTableCell(RUV_WIN table, int row, int column);
char *TableCellCallback(RUV_WIN table, int32_t code, int32_t row, int32_t column, char *text);
RUV_WIN GetTableOfSlot(int slot);
// Trace of the focused cell of the slot's table on standard output.
void ShowRememberedEditValue(int slot);
// 1 when the row's time fits the simulation start, stop and step; else a
// message and cell (0, 0) of the window's table made current.
int CheckTableRowTime(RUV_WIN window, int unused, int row, int lastRow, const char *text);
// 1 when the first text of every row is a valid date-time.
int AreDateTimeCells(const char *const *cells, int unused, int rows, int columns);

#endif
