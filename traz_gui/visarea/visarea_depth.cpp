// The bathymetry of the map windows: the depth per grid node taken from the
// host, its colour scales and class bounds, and the depth under a point of
// a cell.
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include "ge_list.h"
#include "visarea.h"
#include "visarea_internal.h"

namespace {

const uint32_t kSeaColors[12] = {0xB3FFFF, 0xA3F1FF, 0x99E4FF, 0x8AD6FF, 0x7AC8FF, 0x70BCFF,
                                 0x61ADFF, 0x57A2FF, 0x4792F5, 0x3986EA, 0x2E7BE0, 0x1F6BD6};
const uint32_t kRainbowColors[20] = {0x0000C2, 0x0033CC, 0x0066DB, 0x0099E6, 0x00D0F5, 0x00FFFF, 0x00F0AC,
                                     0x00DB54, 0x00CC00, 0x42DB00, 0x7EE600, 0xC0F500, 0xFFFF00, 0xFFE100,
                                     0xFFBF00, 0xFFA200, 0xFF8000, 0xFF6200, 0xFF4000, 0xFF2200};

// A depth of -999 or less means no depth.
bool Missing(float depth)
{
    return depth <= -999.0f + 1e-6f;
}

// The blocks of the depths that a new grid replaced, kept for the depths of
// that grid: a model read again then fills them instead of fresh pages,
// which are most of what a large grid's depths cost.
GE_DepthState g_retired;

// The blocks and sizes of d, which is left without any.
GE_DepthState Detach(GE_DepthState &d)
{
    GE_DepthState blocks{};
    blocks.mmax = d.mmax;
    blocks.nmax = d.nmax;
    blocks.xcoord = d.xcoord;
    blocks.ycoord = d.ycoord;
    blocks.depth = d.depth;
    blocks.valid_point = d.valid_point;
    d.valid_point = nullptr;
    d.xcoord = d.ycoord = d.depth = nullptr;
    d.mmax = d.nmax = 0;
    return blocks;
}

void FreeBlocks(GE_DepthState &d)
{
    const GE_DepthState blocks = Detach(d);
    GE_Free(blocks.valid_point);
    GE_Free(blocks.xcoord);
    GE_Free(blocks.ycoord);
    GE_Free(blocks.depth);
}

// Takes the four blocks of d when they hold exactly `nodes` values.
bool TakeBlocks(GE_DepthState &d, size_t nodes, float *&x, float *&y, float *&z, int32_t *&valid)
{
    if (!d.xcoord || !d.ycoord || !d.depth || !d.valid_point || GE_NodeCount(d.mmax, d.nmax) != nodes)
        return false;
    const GE_DepthState blocks = Detach(d);
    x = blocks.xcoord;
    y = blocks.ycoord;
    z = blocks.depth;
    valid = blocks.valid_point;
    return true;
}

}  // namespace

void GE_FreeDepthArrays()
{
    FreeBlocks(global_windata.depth);
    FreeBlocks(g_retired);
}

void GE_RetireDepthArrays(size_t nodes)
{
    GE_DepthState &d = global_windata.depth;
    FreeBlocks(g_retired);
    if (GE_NodeCount(d.mmax, d.nmax) != nodes) {
        FreeBlocks(d);
        return;
    }
    g_retired = Detach(d);
}

void GE_SetDepth(const float *depth)
{
    GE_GlobalData &g = global_windata;
    assert(g.option_loaded[GEdit_SHOW_GRID] && "global_windata.option_loaded[GEdit_SHOW_GRID]");
    assert(depth != nullptr && "depth != NULL");
    if (!g.option_loaded[GEdit_SHOW_GRID] || !depth)
        return;
    const int32_t mmax = g.grid.mmax, nmax = g.grid.nmax;
    const size_t nodes = GE_NodeCount(mmax, nmax);
    // The blocks of the depths shown or of those the grid replaced when they
    // are of this size, else new ones.
    float *x = nullptr, *y = nullptr, *z = nullptr;
    int32_t *valid = nullptr;
    if (!TakeBlocks(g.depth, nodes, x, y, z, valid) && !TakeBlocks(g_retired, nodes, x, y, z, valid)) {
        x = static_cast<float *>(GE_Alloc(nodes * sizeof(float)));
        y = static_cast<float *>(GE_Alloc(nodes * sizeof(float)));
        z = static_cast<float *>(GE_Alloc(nodes * sizeof(float)));
        valid = static_cast<int32_t *>(GE_Alloc(nodes * sizeof(int32_t)));
        if (!x || !y || !z || !valid) {
            GE_Free(x);
            GE_Free(y);
            GE_Free(z);
            GE_Free(valid);
            return;
        }
    }
    GE_FreeDepthArrays();
    g.option_loaded[GEdit_SHOW_BATHYMETRY] = 1;
    for (size_t k = 0; k < nodes; ++k) {
        x[k] = g.grid.xcoord[k];
        y[k] = g.grid.ycoord[k];
        valid[k] = Missing(depth[k]) ? 0 : g.grid.valid_point[k];
        z[k] = depth[k];
    }
    GE_DepthState &d = g.depth;
    d.mmax = mmax;
    d.nmax = nmax;
    d.xcoord = x;
    d.ycoord = y;
    d.depth = z;
    d.valid_point = valid;
    GE_ComputeBounds();
    if (g.available[GEdit_SHOW_BATHYMETRY] && GE_Actions().depthSet)
        GE_Actions().depthSet();
}

int GE_DepthColorTable(int32_t scale, const uint32_t **colors)
{
    assert((scale == 0 || scale == 1) && "FALSE");
    if (scale == 0) {
        if (colors)
            *colors = kSeaColors;
        return 12;
    }
    if (scale == 1) {
        if (colors)
            *colors = kRainbowColors;
        return 20;
    }
    if (colors)
        *colors = nullptr;
    return 0;
}

float GE_DepthClassBound(float zmin, float zmax, int k, int n)
{
    return zmin + static_cast<float>(k) * (zmax - zmin) / static_cast<float>(n);
}

int GE_DepthCellColorIndex(float dmin, float dmax, float zmin, float zmax, int n)
{
    if (n < 1)
        return -1;
    if (GE_DepthClassBound(zmin, zmax, 0, n) >= dmax)
        return 0;
    if (dmin >= GE_DepthClassBound(zmin, zmax, n - 1, n))
        return n - 1;
    for (int i = 0; i < n; ++i) {
        const float lower = i == 0 ? -1e10f : GE_DepthClassBound(zmin, zmax, i, n);
        const float upper = i == n - 1 ? 1e10f : GE_DepthClassBound(zmin, zmax, i + 1, n);
        const bool lowerIn = lower >= dmin && lower <= dmax;
        const bool upperIn = upper >= dmin && upper <= dmax;
        if (lowerIn || upperIn)
            return -1;
        if (lower <= dmin && dmax <= upper)
            return i + 1 < n - 1 ? i + 1 : n - 1;
    }
    return -1;
}

int GE_InterpolateDepth(int32_t m, int32_t n, float x, float y, float *z)
{
    const GE_GlobalData &g = global_windata;
    const GE_DepthState &d = g.depth;
    if (!g.option_loaded[GEdit_SHOW_BATHYMETRY] || !d.depth || !d.valid_point)
        return 0;
    if (m < 2 || n < 2 || m > d.mmax || n > d.nmax)
        return 0;
    const int32_t corners[4][2] = {{m - 2, n - 2}, {m - 1, n - 2}, {m - 2, n - 1}, {m - 1, n - 1}};
    double sumDepth = 0.0, sumWeight = 0.0;
    for (const auto &c : corners) {
        const size_t k = static_cast<size_t>(c[1]) * d.mmax + c[0];
        if (!d.valid_point[k] || d.depth[k] <= -999.0f + 1e-6f)
            continue;
        const double r = std::hypot(static_cast<double>(x) - d.xcoord[k], static_cast<double>(y) - d.ycoord[k]);
        if (r == 0.0) {
            if (z)
                *z = d.depth[k];
            return 1;
        }
        sumDepth += d.depth[k] / r;
        sumWeight += 1.0 / r;
    }
    if (sumWeight == 0.0)
        return 0;
    if (z)
        *z = static_cast<float>(sumDepth / sumWeight);
    return 1;
}

void GE_DepthBands(const int32_t px[4], const int32_t py[4], const float depth[4], const float *bounds, int n,
                   GE_BandFill fill, void *context)
{
    if (n < 1 || !fill)
        return;
    const float dmin = std::min(std::min(depth[0], depth[1]), std::min(depth[2], depth[3]));
    const float dmax = std::max(std::max(depth[0], depth[1]), std::max(depth[2], depth[3]));
    if (bounds[0] >= dmax) {
        fill(context, 0, px, py, 4);
        return;
    }
    if (dmin >= bounds[n - 1]) {
        fill(context, n - 1, px, py, 4);
        return;
    }
    for (int i = 0; i < n; ++i) {
        const float lower = i == 0 ? -1e10f : bounds[i];
        const float upper = i == n - 1 ? 1e10f : bounds[std::min(i + 1, n - 1)];
        const int colour = std::min(i + 1, n - 1);
        const bool lowerIn = lower >= dmin && lower <= dmax;
        const bool upperIn = upper >= dmin && upper <= dmax;
        if (lowerIn || upperIn) {
            int32_t x[16], y[16];
            int count = 0;
            auto crossing = [&](int k, float z) {
                const int j = (k + 1) % 4;
                const float t = (z - depth[k]) / (depth[j] - depth[k]);
                if (!(t > 0.0f && t <= 1.0f))
                    return;
                x[count] = static_cast<int32_t>(px[k] + (px[j] - px[k]) * t);
                y[count] = static_cast<int32_t>(py[k] + (py[j] - py[k]) * t);
                ++count;
            };
            for (int k = 0; k < 4; ++k) {
                const float dk = depth[k], dj = depth[(k + 1) % 4];
                if (lower <= dk && dk <= upper) {
                    x[count] = px[k];
                    y[count] = py[k];
                    ++count;
                    if (dj < lower)
                        crossing(k, lower);
                    else if (dj > upper)
                        crossing(k, upper);
                } else if (dk < lower) {
                    if (dj > lower)
                        crossing(k, lower);
                    if (dj > upper)
                        crossing(k, upper);
                } else {
                    if (dj < upper)
                        crossing(k, upper);
                    if (dj < lower)
                        crossing(k, lower);
                }
            }
            if (count == 0)
                continue;
            x[count] = x[0];
            y[count] = y[0];
            ++count;
            if (count > 3)
                fill(context, colour, x, y, count);
        } else if (lower <= dmin && dmax <= upper) {
            const int32_t x[5] = {px[0], px[1], px[2], px[3], px[0]};
            const int32_t y[5] = {py[0], py[1], py[2], py[3], py[0]};
            fill(context, colour, x, y, 5);
        }
    }
}
