// Helpers shared by the modules of the visualisation area (not for hosts).
#ifndef TRAZ_VISAREA_INTERNAL_H
#define TRAZ_VISAREA_INTERNAL_H

#include <cstddef>
#include <cstdint>

#include "visarea.h"

// The window actions installed by the window code (all NULL without).
const GE_WindowActions &GE_Actions();
// Frees the land boundary's points, ends and count (not its loaded flag).
void GE_FreeLandBoundaryArrays();
// Frees the depth arrays and sizes (not the loaded flag).
void GE_FreeDepthArrays();
// A node count mmax*nmax, 0 for sizes that are not positive.
size_t GE_NodeCount(int32_t mmax, int32_t nmax);

#endif
