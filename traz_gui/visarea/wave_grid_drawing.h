// Wave grids in the map windows: the curvilinear sets in the background,
// the rectangular sets and the key in the object layer, the selection and
// mode shown in every window, and the three-click definition of object
// kinds 2..4.
#ifndef TRAZ_VISAREA_WAVE_GRID_DRAWING_H
#define TRAZ_VISAREA_WAVE_GRID_DRAWING_H

#include "map_window.h"

// Installs the operations of the wave-grid kinds 2..4 (their mouse clicks;
// the grids themselves are drawn with the layers).
void GE_InstallWaveGridKinds(void);

// The type's attribute loaded and shown, with its names, in every window;
// the backgrounds redrawn when the type has curvilinear grids.
void GE_ShowWaveGrids(int32_t type);
// Grid gridNr of the type's set in the current mode becomes the selected
// one: bounds recomputed and every window redrawn.  Nothing for a type or
// number outside that set.
void GE_SelectWaveGrid(int32_t type, int32_t gridNr);
// Every window redrawn for the wave grids: in curvilinear mode at zoom 1
// with no offset and its pending clicks cancelled; in rectangular mode the
// background and the objects as they are.
void GE_RedrawWaveGrids(void);

// The background's part: the type's curvilinear grids, each in the type's
// colour (the selected one red) along the sides of its active cells, their
// names among the map texts when the type's names are shown.
void GE_DrawCurviWaveGrids(const GE_DrawTarget &t, int32_t type);
// The object layer's part when computational or bottom grids are shown:
// the rectangular grids (rectangular mode only) and the key.
void GE_DrawWaveGridLayer(RUV_WIN window);
// The shown types' rectangular sets, the selected type last.
void GE_DrawRectWaveGrids(RUV_WIN window);
// The key at the lower right of the drawing rectangle: a white box with a
// green and a yellow stroke for "Computational Grid" and "Bottom Grid".
void GE_DrawWaveGridKey(RUV_WIN window, const RUV_RECT &drawing);

// The mouse-down handler of the wave-grid kinds: origin, axis, corner.
void GE_WaveGridClick(RUV_WIN window, RUV_EVENT *event);

#endif
