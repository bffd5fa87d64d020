// Rectangular wave grids in the map windows: drawing and the three-click
// definition of object kinds 2..4.
#ifndef TRAZ_VISAREA_WAVE_GRID_DRAWING_H
#define TRAZ_VISAREA_WAVE_GRID_DRAWING_H

#include "ruv.h"

// Installs the operations of the wave-grid kinds 2..4.
void GE_InstallWaveGridKinds(void);

void GE_DrawRectWaveGrids(RUV_WIN window);
// The mouse-down handler of the wave-grid kinds: origin, axis, corner.
void GE_WaveGridClick(RUV_WIN window, RUV_EVENT *event);

#endif
