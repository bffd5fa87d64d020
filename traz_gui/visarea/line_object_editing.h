// Dry points, thin dams, cross sections, open boundaries and drogues in the
// map windows: their drawing and the mouse edits that report to the kinds'
// callbacks (two clicks for a line, one for a drogue).
#ifndef TRAZ_VISAREA_LINE_OBJECT_EDITING_H
#define TRAZ_VISAREA_LINE_OBJECT_EDITING_H

#include "ruv.h"

// Installs the kinds' operations: dry points, thin dams, drogues, cross
// sections and open boundaries.
void GE_InstallLineObjectKinds(void);

void GE_DrawDryPoints(RUV_WIN window);
void GE_DrawThinDams(RUV_WIN window);
void GE_DrawDrogues(RUV_WIN window);
void GE_DrawCrossSections(RUV_WIN window);
void GE_DrawOpenBoundaries(RUV_WIN window);

#endif
