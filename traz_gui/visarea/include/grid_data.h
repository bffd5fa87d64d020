// The grid with point types that the cross-section and open-boundary
// editors work on: a double-precision copy of a grid's nodes, the point
// type of every cell (from an enclosure file or by default) and the type
// of every node, kept as one record per process; and the conversions of
// those editors' lines between grid points (nodes) and cells.  Window-free.
#ifndef TRAZ_VISAREA_GRID_DATA_H
#define TRAZ_VISAREA_GRID_DATA_H

#include <cstdint>
#include <vector>

#include "open_boundaries.h"
#include "visarea.h"

struct GE_GridData {
    GE_PointTypes cellTypes;             // (mmax + 1) x (nmax + 1) cells
    std::vector<int32_t> gridPointType;  // node (m, n) at (n - 1) * mmax + (m - 1): 0, 1 or 3
    std::vector<double> x, y;            // node coordinates, same order
    double missingValue = 0;
    int32_t nmax = 0;
    int32_t mmax = 0;
};

// Line types of the line helpers.
constexpr int32_t Qnx_Boundary = 2;        // an open boundary
constexpr int32_t GE_LINE_CROSS_SECTION = 4;

// Replaces the process's record by one for mmax x nmax nodes given as nmax
// rows of mmax x and y values, with point types from enclosureName ("" or
// an unreadable file: the default types).  1, or 0 when the sizes or rows
// are unusable (the old record is gone then too).
int GE_SetGridData(int32_t mmax, int32_t nmax, double **x, double **y, double missing, const char *enclosureName);
// The process's record, or NULL.
const GE_GridData *GE_CurrentGridData(void);
// Clears and drops the process's record (with the grid).
void GE_DropGridData(void);
// The process's record, when it has a size, given its cell and node types
// afresh from enclosureName; 1 when rebuilt.
int GE_RebuildGridPointTypes(const char *enclosureName);
// A new empty record.
GE_GridData *GE_NewGridData(void);
// Empties a record: types and coordinates gone, sizes 0.
void GE_ClearGridData(GE_GridData *gridData);
// The cell and node types of a record whose sizes and coordinates are set;
// 0 when no cell types can be made (the record then has none).
int GE_BuildGridPointTypes(GE_GridData *gridData, const char *enclosureName);
// Cell point types of columns x rows cells from an enclosure file, or by
// default for "" or a file that cannot be read.
GE_PointTypes GE_GridPointTypes(const char *enclosureName, int32_t columns, int32_t rows);
// From the enclosure file alone: empty when it cannot be read.
GE_PointTypes GE_PointTypesFromEnclosure(const char *enclosureName, int32_t columns, int32_t rows);
// The cell codes (1 inside) of an enclosure file for columns x rows cells,
// row after row; 0 and the codes, or the reader's outcome.
int32_t GE_ReadEnclosureCells(const char *enclosureName, int32_t columns, int32_t rows, std::vector<int32_t> *codes);
// The point type of cell (m, n) of a record (NULL: the process's); 0 outside
// or without a record.
int32_t GE_GridPointType(const GE_GridData *gridData, int32_t m, int32_t n);

// The line helpers: each puts the line in order first and gives 1 with the
// converted line (the name copied), 0 when it makes none.
// Grid points to cells: an open boundary (Qnx_Boundary, cells taken on the
// inside of the run by the process's point types) or a cross section;
// types -1 and 0 pass the line through.
int GE_LineToCells(int32_t type, const GE_LineObject *in, GE_LineObject *out);
// Cells back to grid points for a cross section; types -1, 0, 1, 3, 5 and
// 6 pass the line through.
int GE_LineFromCells(int32_t type, const GE_LineObject *in, GE_LineObject *out);
// The grid points of an open boundary given by its cells, by the point
// type of its first cell.
int GE_BoundaryLineToNodes(const GE_LineObject *in, GE_LineObject *out);

#endif
