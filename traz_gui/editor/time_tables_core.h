// The window-free part of the time tables: which series each of the
// fourteen table slots shows and with which first column, the texts of the
// cells and headers made from a series, the checks of typed cells and the
// series read back from a table's texts, value formats, regular time
// series, the default tables, the first and last rows moved onto the
// simulation start and stop, and the rules of the row commands.  The
// window layer (time_tables.cpp) puts what this part makes into table
// controls and back.
#ifndef TRAZ_EDITOR_TIME_TABLES_CORE_H
#define TRAZ_EDITOR_TIME_TABLES_CORE_H

#include <string>
#include <vector>

#include "scenario.h"
#include "xyseries.h"

namespace time_tables {

constexpr int kSlotCount = 14;
constexpr int kMaxRows = 1000;
// Series a copied or shown series may hold: three decay columns for each
// of the 90 substances a scenario may have.
constexpr int kMaxSeries = 3 * SCEN_MAX_SUBSTANCES;

enum Slot {
    kDecay = 0,
    kIntakes = 1,
    kWind = 2,
    kFirstSettling = 3,
    kLastSettling = 8,
    kMasses = 9,
    kReleaseRates = 10,
    kConcentrations = 11,
    kRecovery = 12,
};

// First column of a slot's table.
enum FirstColumn { kTimeRows = 0, kRowNumbers = 1, kNoFirstColumn = 2 };
FirstColumn SlotFirstColumn(int slot);
inline bool IsSettlingSlot(int slot) { return slot >= kFirstSettling && slot <= kLastSettling; }

// The value text of a cell: "%.3e" above 1000 in size or between the
// smallest normal float and 0.001, else "%.3f".
std::string FormatValue(double value);

// A copy of a series (kind 0, no time mode) with the same row times; per
// new column k the old column map[k] (-1 or out of range: 0.0).  count -1
// (or the source's count) keeps the source's columns.  NULL for NULL, a
// bad row count or more than kMaxSeries series, with a line on stdout.
XYSeries *CopySeries(XYSeries *series, int count, const int *map);

// Rows and columns of a series (all series selected); 0 for NULL.
int SeriesRows(XYSeries *series);
int SeriesCount(XYSeries *series);

// What the headers and column counts of a scenario need: the substances
// with their mass units and oil flags, and the concentration unit.
struct SubstanceColumns {
    std::vector<std::string> names;
    std::vector<std::string> massUnits;
    std::vector<bool> oil;          // an oil fraction (its sticky flag set)
    bool oilScenario = false;
    std::string concentrationUnit;
    int count() const { return static_cast<int>(names.size()); }
    int oilCount() const;           // oil fractions of an oil scenario, else 0
};
SubstanceColumns ScenarioSubstances(const ScenarioRecord &scenario, const StartupRecord &startup,
                                    const char *concentrationUnit);

// The least number of value columns of a slot's table (the defaults' and
// the headers' columns); -1 for slot 13 and out of range.
int SlotColumns(int slot, const SubstanceColumns &subs, const ScenarioRecord &scenario);
// Value columns a slot's table shows for a series of that many.
int ShownColumns(int slot, int seriesColumns, const SubstanceColumns &subs, const ScenarioRecord &scenario);
// Rows a slot's table shows for a series of that many rows.
int ShownRows(int slot, int seriesRows);

// The header of the first column and of each value column.
std::string FirstColumnHeader(int slot);
std::vector<std::string> ValueHeaders(int slot, int columns, const SubstanceColumns &subs,
                                      const ScenarioRecord &scenario);

// Times: minutes after the hydrodynamics reference time and the edit
// form "dd mm yyyy hh mm ss".
std::string MinutesToText(const char *reference, double minutes);
// false when the text is not a valid date-time.
bool TextToMinutes(const char *reference, const char *text, double *minutes);
// The simulation start and stop in minutes; false when a time is invalid.
bool SimulationMinutes(const ScenarioRecord &scenario, double *start, double *stop);

// The cells (rows x (first column + columns), row by row) of a series in
// a slot's table; rows and columns past the series padded.
std::vector<std::string> MakeCells(int slot, XYSeries *series, int rows, int columns,
                                   const ScenarioRecord &scenario);

// The check of one typed cell.
enum CellKind { kDateTimeCell, kIntegerCell, kFloatCell };
bool IsBlank(const char *text);
bool CellValid(CellKind kind, const char *text, const char *reference);
// "Input error:\nInput %s in row %d, column %d is not a valid ..." (row and
// column counted from 1).
std::string CellError(CellKind kind, const char *text, int row, int column);
inline CellKind CellKindOf(int slot, int column)
{
    if (column > 0 || SlotFirstColumn(slot) == kNoFirstColumn)
        return kFloatCell;
    return SlotFirstColumn(slot) == kTimeRows ? kDateTimeCell : kIntegerCell;
}

// A series read back from the texts of a slot's table (rows x columns
// texts, first column included): wholly empty rows are skipped; a cell
// that fails its check gives NULL and the message in *error; a time table
// (but the recovery table) of fewer than 2 rows gives NULL with an empty
// *error and a line on stdout.  The mode says what the first column holds:
// times (the rows' times in minutes after reference), row numbers (the
// rows' times), or no first column (the rows counted from 1).
XYSeries *CellsToSeries(int slot, FirstColumn mode, const std::vector<std::string> &cells, int rows, int columns,
                        const char *reference, std::string *error);
// The same with the first column of the slot's own table.
inline XYSeries *CellsToSeries(int slot, const std::vector<std::string> &cells, int rows, int columns,
                               const char *reference, std::string *error)
{
    return CellsToSeries(slot, SlotFirstColumn(slot), cells, rows, columns, reference, error);
}

// Times of a regular series from start to stop by step (minutes): start,
// start + step, ... and the stop when the last falls before it; at most
// kMaxRows times are made, *total gets how many there are.  Empty for a
// step <= 0 or a stop not after the start.
std::vector<double> RegularTimes(double start, double stop, double step, long *total);

// The computational step in whole minutes (rounded).
int ComputationalStepMinutes(const ScenarioRecord &scenario);
// Whether a generating step (minutes) may be used with the computational
// step; a computational step of 0 minutes (under 30 s) takes any step.
bool StepIsMultiple(int step, int computationalMinutes);

// A series of the given times, each row with the same values.
XYSeries *RegularSeries(const std::vector<double> &times, const std::vector<float> &values);

// Two rows of zeros at the simulation start and stop, one column per
// default column of the slot; NULL when the slot has no default.
XYSeries *DefaultSeries(int slot, const ScenarioRecord &scenario, const SubstanceColumns &subs);
// A copy whose first row is at start and last at stop, every value kept;
// the rows between keep their times, and those that would lie before start
// or after stop are dropped, so the table stays in time order inside the
// period.  NULL (with a line on stdout) for a series of fewer than 1 row or
// a bad size.  A series of one row gets a second.
XYSeries *WithEndTimes(XYSeries *series, double start, double stop, const char *who);
// A copy of the rows whose times lie inside start..stop (the recovery
// table, whose ends stay where they are); NULL for NULL or a bad size.
XYSeries *WithinPeriod(XYSeries *series, double start, double stop);
// The rows that WithEndTimes (ends true) or WithinPeriod (ends false)
// would drop for that period.
int RowsOutside(XYSeries *series, double start, double stop, bool ends);

// The scenario's series of a slot (slots 9 to 11: of location `release`
// of the list given); NULL when there is none.
XYSeries **SlotSeries(ScenarioRecord &scenario, int slot, Location *release);

// Notes of the row commands (empty: allowed).
enum RowCommand { kInsertRow, kCopyRow, kDeleteRow };
std::string RowCommandRefusal(RowCommand command, int slot, int rows);

}  // namespace time_tables

#endif
