// Grid point types and the checks of open boundaries: the cell types of a
// grid (inside, the boundary neighbours of the inside cells on each side,
// and the two kinds of corner where two sides meet) from an enclosure's
// cell codes or by default, and whether a boundary point or run may be an
// open boundary.  Window-free.
#ifndef TRAZ_VISAREA_OPEN_BOUNDARIES_H
#define TRAZ_VISAREA_OPEN_BOUNDARIES_H

#include <cstdint>
#include <vector>

#include "visarea.h"

// Point types: 0 outside, 1 inside, 2 low-m, 3 high-m, 4 high-n, 5 low-n
// neighbour of an inside cell; 6 both 2 and 4 or both 3 and 5, 7 both 2
// and 5 or both 3 and 4.
struct GE_PointTypes {
    int32_t columns = 0;          // mmax + 1
    int32_t rows = 0;             // nmax + 1
    std::vector<int32_t> types;   // cell (m, n), 1-based, at (n - 1) * columns + (m - 1)
};

// From enclosure codes (1 inside) of columns x rows cells.
GE_PointTypes GE_EnclosureToPointTypes(int32_t columns, int32_t rows, const int32_t *codes);
// 1 inside, 5 along the first row, 4 along the last, 2 along the first
// column, 3 along the last, 0 in the four corners.
GE_PointTypes GE_DefaultPointTypes(int32_t columns, int32_t rows);
// The type of cell (m, n); 0 outside the table.
int32_t GE_GridPointType(const GE_PointTypes &types, int32_t m, int32_t n);
int GE_IsBoundaryPointType(int32_t type);

// Results of the checks: 1 valid, -1 valid only for a water-level boundary
// (a corner point type without the water-level flag), -2 invalid.
constexpr int GE_BOUNDARY_VALID = 1;
constexpr int GE_BOUNDARY_WATER_LEVEL_ONLY = -1;
constexpr int GE_BOUNDARY_INVALID = -2;

// A boundary point: a boundary type with one active neighbour (types 2..5)
// or two (types 6, 7).
int GE_OpenBoundaryPointValid(const GE_PointTypes &types, int32_t m, int32_t n, int waterLevel);
// A run along a grid line or diagonal whose points all have the first
// point's boundary type.
int GE_OpenBoundaryLineValid(const GE_PointTypes &types, const GE_LineObject *line, int waterLevel);

#endif
