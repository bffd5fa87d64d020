// Line objects and drogues of the map: dry points (runs of cells kept dry),
// thin dams (runs of cell sides with a direction), cross sections (runs
// along a grid line), open boundaries (runs along the grid's boundary
// points, with a boundary kind) and drogues (points), as sets the owner
// replaces, edits and selects; the rules that turn two clicks into a line
// and check it against the cell status or the point types; and the picks
// of cross sections and open boundaries by a cell side.  Window-free; the
// map windows draw them and route the mouse.
#ifndef TRAZ_VISAREA_LINE_OBJECTS_H
#define TRAZ_VISAREA_LINE_OBJECTS_H

#include <cstdint>

#include "visarea.h"

// Indices of a placeholder record: never drawn, never picked.
constexpr int32_t GE_PLACEHOLDER = -999;

bool GE_IsPlaceholder(const GE_LineObject &line);

// Dry points: a copy of count records replaces the set; select, add (NULL:
// a placeholder), delete and modify by index (an index outside the set
// shows the kind's message and changes nothing).
void GE_SetDryPoints(const GE_LineObject *lines, int32_t count);
int GE_SelectDryPoint(int32_t index);
void GE_AddDryPoint(const GE_LineObject *line);
void GE_DeleteDryPoint(int32_t index);
void GE_ModifyDryPoint(const GE_LineObject *line, int32_t index);
// A run along a grid line or diagonal with both ends in 2..mmax, 2..nmax
// and every cell active.
int GE_DryPointCellsActive(const GE_LineObject *line);

// Thin dams with a direction each (the array parallel to the records).
void GE_SetThinDams(const GE_LineObject *lines, int32_t count, const int32_t *directions);
int GE_SelectThinDam(int32_t index);
void GE_AddThinDam(const GE_LineObject *line, int32_t direction);
void GE_DeleteThinDam(int32_t index);
void GE_ModifyThinDam(const GE_LineObject *line, int32_t index, int32_t direction);
// Makes dam index a placeholder with direction V; an index outside the set
// shows "No valid thin dam id" and changes nothing.
void GE_ClearThinDam(int32_t index);

// The dam that two clicks place: click 0 in the first cell nearest to side
// code s with side S, click 1 in the end cell nearest to code t with side T
// (codes and sides as GE_NearestCellSide gives them).  1 with the dam and
// its direction; 0 for two sides of one cell that make no dam ("Invalid
// thin dam line"); -1 for ends on neither a grid line nor a diagonal ("No
// GRID cell pointed").
int GE_ThinDamFromClicks(int32_t s, const GE_LineObject &S, int32_t firstM, int32_t firstN, int32_t t,
                         const GE_LineObject &T, int32_t endM, int32_t endN, GE_LineObject *dam,
                         int32_t *direction);
// Every side along the dam has an active cell on one side of it.
int GE_ThinDamCellsActive(const GE_LineObject *dam, int32_t direction);

// Cross sections: grid-point lines along one grid line, as the owner gives
// them (select with an index outside the set shows "No valid Cross section
// id", the others "Cross section id invalid").
void GE_SetCrossSections(const GE_LineObject *lines, int32_t count);
int GE_SelectCrossSection(int32_t index);
void GE_AddCrossSection(const GE_LineObject *line);
void GE_DeleteCrossSection(int32_t index);
void GE_ModifyCrossSection(const GE_LineObject *line, int32_t index);
// A section in cells (as GE_LineToCells gives it): along m or n inside the
// grid with an active cell on one side of every segment.
int GE_CrossSectionCellsActive(const GE_LineObject *cells);
// The section between two grid points: 1 and the line in order when they
// share m or n, lie more than one point apart and every segment has an
// active cell beside it; else 0.
int GE_CrossSectionFromNodes(const GE_LineObject *nodes, GE_LineObject *section);
// The first section (not a placeholder) that holds cell side S (a line
// between two neighbouring grid points, as GE_NearestCellSide gives it).
int GE_FindCrossSection(const GE_LineObject *side, int32_t *index);

// Open boundaries in grid points with a boundary kind each (1: a water-level
// boundary).  Set, add and modify take the lines in cells and store them in
// grid points (GE_BoundaryLineToNodes); set takes over the kinds array (a
// block of GE_Alloc, freed by the library; also when the set is refused).
// Invalid indices show "No valid Open boundary id" (select) and "Open
// boundary id invalid".
void GE_SetOpenBoundaries(const GE_LineObject *lines, int32_t count, int32_t *kinds);
int GE_SelectOpenBoundary(int32_t index);
void GE_AddOpenBoundary(const GE_LineObject *line, int32_t kind);
void GE_DeleteOpenBoundary(int32_t index);
void GE_ModifyOpenBoundary(const GE_LineObject *line, int32_t index, int32_t kind);
// The boundary between two grid points, checked against the point types of
// the process's grid data: the result of GE_OpenBoundaryPointValid or
// GE_OpenBoundaryLineValid (1, -1 or -2; -2 also for two equal points or
// points on neither a grid line nor a diagonal) and, when 1, its cells.
int GE_OpenBoundaryFromNodes(const GE_LineObject *nodes, int waterLevel, GE_LineObject *cells);
// The first boundary (not a placeholder) that runs through cell side S:
// along n for a side of constant m, along m for one of constant n, a
// diagonal one through S's first point.
int GE_FindOpenBoundary(const GE_LineObject *side, int32_t *index);

// Drogues.
void GE_SetDrogues(const GE_PointObject *points, int32_t count);
int GE_SelectDrogue(int32_t index);
void GE_AddDrogue(const GE_PointObject *point);
void GE_DeleteDrogue(int32_t index);
void GE_ModifyDrogue(const GE_PointObject *point, int32_t index);
// 1 when cell (trunc(x) + 1, trunc(y) + 1) lies in 2..mmax, 2..nmax and is
// active.
int16_t GE_DrogueCellValid(float x, float y);

#endif
