// Rectangular wave grids: the computational and bottom sets, each grid an
// origin, two side lengths and a rotation, and the definition of a grid by
// three clicks (origin, direction of its x axis, opposite corner) that the
// owner is told of through callback slot 3 or 4 before it is stored.
// Window-free; the map windows draw the grids and take the clicks.
#ifndef TRAZ_VISAREA_WAVE_GRIDS_H
#define TRAZ_VISAREA_WAVE_GRIDS_H

#include <cstdint>

#include "visarea.h"

// Wave-grid types.
constexpr int32_t GE_WAVE_COMPUTATIONAL = 0;
constexpr int32_t GE_WAVE_BOTTOM = 1;

struct GE_RectWaveGrid {
    float x0, y0;      // origin, world units
    float lx, ly;      // lengths along the grid's x and y axes
    float angle;       // of the grid's x axis, degrees counter-clockwise from the world x axis
    int32_t value1;    // the owner's values, kept only
    int32_t value2;
    int16_t display;   // 0 not drawn, 1 the type's colour, other positive values magenta
    int16_t spare;
};

// The rectangular set of a type (NULL and 0 for another type).
GE_RectWaveGrid *GE_RectWaveGrids(int32_t type, int32_t *count);
// Copies of the records appended in order; the type's attribute loaded.
void GE_SetRectWaveGrids(int32_t type, const GE_RectWaveGrid *grids, int32_t count);
// A copy inserted after index after (-1: at the front); the world bounds
// widened by its corners.
void GE_InsertRectWaveGrid(int32_t type, int32_t after, const GE_RectWaveGrid *grid);
void GE_AddRectWaveGrid(int32_t type, int32_t after, const GE_RectWaveGrid *grid);
void GE_DeleteRectWaveGrid(int32_t type, int32_t index);
// Writes the fields of grid gridNr of the type's set and widens the bounds;
// 0 (and no change) for another type or a number outside that set.
int GE_SetRectWaveGridParameters(int32_t type, float x0, float y0, float lx, float ly, float angle, int32_t value1,
                                 int32_t value2, int16_t display, int32_t gridNr);
// Corners C0..C3 of a grid.
void GE_RectWaveGridCorners(const GE_RectWaveGrid &grid, float x[4], float y[4]);
void GE_RectWaveGridBounds(int32_t type, int32_t index);
// The selected type and grid number of the definitions.
void GE_SelectRectWaveGrid(int32_t type, int32_t gridNr);
int32_t GE_SelectedWaveGrid(void);
// Both rectangular sets emptied; GE_FreeWaveGrids then frees all the
// library's data.
void GE_FreeRectWaveGrids(void);
void GE_FreeWaveGrids(void);

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
