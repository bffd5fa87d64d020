// The land boundary of the map windows: the polylines taken from a
// land-boundary file.
#include <cstring>

#include "ge_list.h"
#include "visarea.h"
#include "visarea_internal.h"

void GE_FreeLandBoundaryArrays()
{
    GE_LandState &land = global_windata.land;
    GE_Free(land.xcoord);
    GE_Free(land.ycoord);
    GE_Free(land.polylineEnds);
    land.xcoord = land.ycoord = nullptr;
    land.polylineEnds = nullptr;
    land.count = 0;
}

void GE_SetLandBoundary(const GE_GridInput *input)
{
    GE_GlobalData &g = global_windata;
    // A land boundary without points is no land boundary: nothing changes.
    if (!input || input->mmax <= 0 || !input->x || !input->y || !input->polylineEnds)
        return;
    const size_t count = static_cast<size_t>(input->mmax);
    auto *x = static_cast<float *>(GE_Alloc(count * sizeof(float)));
    auto *y = static_cast<float *>(GE_Alloc(count * sizeof(float)));
    auto *ends = static_cast<int32_t *>(GE_Alloc(count * sizeof(int32_t)));
    if (!x || !y || !ends) {
        GE_Free(x);
        GE_Free(y);
        GE_Free(ends);
        return;
    }
    std::memcpy(x, input->x, count * sizeof(float));
    std::memcpy(y, input->y, count * sizeof(float));
    std::memcpy(ends, input->polylineEnds, count * sizeof(int32_t));
    // The points of an earlier land boundary go, loaded or not.
    GE_FreeLandBoundaryArrays();
    g.option_loaded[GEdit_SHOW_LANDBOUNDARY] = 1;
    g.land.count = input->mmax;
    g.land.xcoord = x;
    g.land.ycoord = y;
    g.land.polylineEnds = ends;
    const int resetZoom = !g.option_loaded[GEdit_SHOW_GRID];
    if (resetZoom)
        GE_ComputeBounds();
    if (g.available[GEdit_SHOW_LANDBOUNDARY] && GE_Actions().landBoundarySet)
        GE_Actions().landBoundarySet(resetZoom);
}
