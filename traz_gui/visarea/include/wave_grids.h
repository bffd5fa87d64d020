// Wave grids: the computational and bottom grids of a wave model, each set
// either rectangular (an origin, two side lengths and a rotation) or
// curvilinear (a whole grid record); the wave-grid mode says which sets the
// map shows and bounds.  A rectangular grid is defined by three clicks
// (origin, direction of its x axis, opposite corner) that the owner is told
// of through callback slot 3 or 4 before it is stored.  Window-free; the
// map windows draw the grids and take the clicks (wave_grid_drawing.h).
// A type or grid number outside its set is refused and changes nothing.
#ifndef TRAZ_VISAREA_WAVE_GRIDS_H
#define TRAZ_VISAREA_WAVE_GRIDS_H

#include <cstdint>

#include "visarea.h"

// Wave-grid types.
constexpr int32_t GE_WAVE_COMPUTATIONAL = 0;
constexpr int32_t GE_WAVE_BOTTOM = 1;
// Wave-grid modes.
constexpr int32_t GE_WAVE_RECTANGULAR = 0;
constexpr int32_t GE_WAVE_CURVILINEAR = 1;

struct GE_RectWaveGrid {
    float x0, y0;      // origin, world units
    float lx, ly;      // lengths along the grid's x and y axes
    float angle;       // of the grid's x axis, degrees counter-clockwise from the world x axis
    int32_t value1;    // the owner's values, kept only
    int32_t value2;
    int16_t display;   // 0 not drawn, 1 the type's colour, other positive values magenta
    int16_t spare;
};

// The view attribute of a type (computational 4, bottom 5), -1 for another.
int32_t GE_WaveGridAttribute(int32_t type);

// ---------------------------------------------------------------- rectangular

// The rectangular set of a type (NULL and 0 for another type).
GE_RectWaveGrid *GE_RectWaveGrids(int32_t type, int32_t *count);
// Copies of the records appended in order; the type's attribute loaded.
void GE_SetRectWaveGrids(int32_t type, const GE_RectWaveGrid *grids, int32_t count);
// A copy inserted after index after (-1: at the front); the world bounds
// widened by its corners.
void GE_InsertRectWaveGrid(int32_t type, int32_t after, const GE_RectWaveGrid *grid);
void GE_AddRectWaveGrid(int32_t type, int32_t after, const GE_RectWaveGrid *grid);
void GE_DeleteRectWaveGrid(int32_t type, int32_t index);
// Writes the fields of grid gridNr of the type's set, widens the bounds and
// redraws the objects of every window; 0 (and no change) for another type
// or a number outside that set.
int GE_SetRectWaveGridParameters(int32_t type, float x0, float y0, float lx, float ly, float angle, int32_t value1,
                                 int32_t value2, int16_t display, int32_t gridNr);
// Corners C0..C3 of a grid.
void GE_RectWaveGridCorners(const GE_RectWaveGrid &grid, float x[4], float y[4]);
void GE_RectWaveGridBounds(int32_t type, int32_t index);

// ---------------------------------------------------------------- curvilinear

// The curvilinear set of a type (NULL and 0 for another type).
GE_GridInput *GE_CurviWaveGrids(int32_t type, int32_t *count);
// A copy of the grid inserted after index after (-1: at the front): its x,
// y and cell codes copied (the caller keeps its arrays), the default cell
// status of the enclosure (interior active, sides boundary) and the valid
// nodes derived from it, its name copied.  The library takes the grid's
// coordinate system.  1, or 0 for another type, a grid without nodes or
// coordinates, or short memory.
int GE_AddCurviWaveGrid(int32_t type, int32_t after, const GE_GridInput *grid);
// The grid's arrays freed and the grid removed; a selection of this type
// beyond the new last grid moves to it (-1 when none is left).
void GE_DeleteCurviWaveGrid(int32_t type, int32_t index);
// Widens the world bounds by the nodes whose cell code is not 0.
void GE_CurviWaveGridBounds(int32_t type, int32_t index);
// A grid's name (from the fifth byte of its name record), "" without one.
const char *GE_CurviWaveGridName(const GE_GridInput &grid);

// ---------------------------------------------------------------- mode and selection

// 0 rectangular or 1 curvilinear (another value is refused); the world
// bounds recomputed.
void GE_SetWaveGridMode(int32_t mode);
int32_t GE_WaveGridMode(void);
// Widens the world bounds by every grid of the mode's two sets.
void GE_WaveGridsBounds(void);
// Grid gridNr of the type's rectangular or curvilinear set becomes the
// selected one (type and number): 1, or 0 and no change when it is not a
// grid of that set.
int GE_SelectRectWaveGrid(int32_t type, int32_t gridNr);
int GE_SelectCurviWaveGrid(int32_t type, int32_t gridNr);
int32_t GE_SelectedWaveGrid(void);

// Both rectangular sets emptied.
void GE_FreeRectWaveGrids(void);
// Every set emptied (each curvilinear grid's arrays freed), no grid
// selected, then all the library's data freed (GE_FreeAll).
void GE_FreeWaveGrids(void);

// ---------------------------------------------------------------- definition by clicks

// The grid of three world points: origin O, a point A on its x axis and the
// opposite corner P; the lengths along and across the axis and the axis
// angle in [0, 360), exact along the world axes.
void GE_WaveGridFromPoints(float x0, float y0, float x1, float y1, float x2, float y2, GE_RectWaveGrid *grid);
// A definition for object kind 3 (computational) or 4 (bottom): the slot's
// callback is told (operation, selected number, the grid), then the grid is
// stored as number "selected" with display code 1 or 2.  Nothing for kind 2,
// a slot without a callback, or a selected number outside the set.
void GE_DefineRectWaveGrid(int32_t kind, float x0, float y0, float x1, float y1, float x2, float y2);

#endif
