// Helpers shared by the modules of the visualisation area (not for hosts).
#ifndef TRAZ_VISAREA_INTERNAL_H
#define TRAZ_VISAREA_INTERNAL_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ge_list.h"
#include "visarea.h"

// The window actions installed by the window code (all NULL without).
const GE_WindowActions &GE_Actions();
// Frees the land boundary's points, ends and count (not its loaded flag).
void GE_FreeLandBoundaryArrays();
// Frees the depth arrays and sizes (not the loaded flag), and the blocks
// kept from depths a new grid replaced.
void GE_FreeDepthArrays();
// The depths shown stop being shown (a new grid of `nodes` nodes came);
// their blocks are kept for its depths when they are of its size.
void GE_RetireDepthArrays(size_t nodes);
// A node count mmax*nmax, 0 for sizes that are not positive.
size_t GE_NodeCount(int32_t mmax, int32_t nmax);
// The valid nodes (mmax*nmax into valid) of a grid from its cell status
// ((mmax+1)*(nmax+1), or NULL: none valid) and its missing value, as the
// model grid derives them.
void GE_DeriveValidNodes(int32_t mmax, int32_t nmax, const int32_t *status, const float *x, const float *y,
                         float missing, int32_t *valid);
// The map texts freed and the list dropped.
void GE_FreeMapTexts();
// The world bounds widened to hold (x, y).
void GE_WidenBounds(float x, float y);

// A heap copy (GE_Alloc) of count elements of source (NULL: an array left
// as allocated); NULL when memory is short.
template <typename T>
T *GE_CopyArray(const T *source, size_t count)
{
    T *copy = static_cast<T *>(GE_Alloc(count * sizeof(T)));
    if (copy && source)
        std::memcpy(copy, source, count * sizeof(T));
    return copy;
}

#endif
