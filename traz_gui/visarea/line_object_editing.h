// Dry points, thin dams, drogues and rectangular wave grids in the map
// windows: their drawing and the mouse edits that report to the kinds'
// callbacks (two clicks for a line, one for a drogue, three for a grid).
#ifndef TRAZ_VISAREA_LINE_OBJECT_EDITING_H
#define TRAZ_VISAREA_LINE_OBJECT_EDITING_H

#include "ruv.h"

// Installs the kinds' operations: dry points, thin dams, drogues and the
// wave-grid kinds 2..4.
void GE_InstallLineObjectKinds(void);

void GE_DrawDryPoints(RUV_WIN window);
void GE_DrawThinDams(RUV_WIN window);
void GE_DrawDrogues(RUV_WIN window);
void GE_DrawRectWaveGrids(RUV_WIN window);
// The mouse-down handler of the wave-grid kinds: origin, axis, corner.
void GE_WaveGridClick(RUV_WIN window, RUV_EVENT *event);

#endif
