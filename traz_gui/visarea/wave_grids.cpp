// The rectangular wave-grid sets and their three-click definition (see
// wave_grids.h).
#include "wave_grids.h"

#include <cmath>
#include <cstring>

#include "ge_list.h"
#include "utilities.h"

namespace {

struct RectSet {
    GE_RectWaveGrid *items = nullptr;
    int32_t count = 0;
};

RectSet g_sets[2];

constexpr double PI = 3.141592654;

RectSet *Set(int32_t type) { return type == GE_WAVE_COMPUTATIONAL || type == GE_WAVE_BOTTOM ? &g_sets[type] : nullptr; }

int32_t Attribute(int32_t type) { return type == GE_WAVE_COMPUTATIONAL ? GEdit_SHOW_COMP_GRID : GEdit_SHOW_BOTTOM_GRID; }

bool Equal(float a, float b) { return CompareFloatsTol(a, b, 0.001f) == 0; }

}  // namespace

GE_RectWaveGrid *GE_RectWaveGrids(int32_t type, int32_t *count)
{
    RectSet *set = Set(type);
    *count = set ? set->count : 0;
    return set ? set->items : nullptr;
}

void GE_RectWaveGridCorners(const GE_RectWaveGrid &g, float x[4], float y[4])
{
    const double a = g.angle * PI / 180.0, c = std::cos(a), s = std::sin(a);
    x[0] = g.x0;
    y[0] = g.y0;
    x[1] = static_cast<float>(g.x0 + g.lx * c);
    y[1] = static_cast<float>(g.y0 + g.lx * s);
    x[2] = static_cast<float>(g.x0 + g.lx * c - g.ly * s);
    y[2] = static_cast<float>(g.y0 + g.lx * s + g.ly * c);
    x[3] = static_cast<float>(g.x0 - g.ly * s);
    y[3] = static_cast<float>(g.y0 + g.ly * c);
}

void GE_RectWaveGridBounds(int32_t type, int32_t index)
{
    RectSet *set = Set(type);
    if (!set || index < 0 || index >= set->count)
        return;
    float x[4], y[4];
    GE_RectWaveGridCorners(set->items[index], x, y);
    GE_GlobalData &g = global_windata;
    for (int k = 0; k < 4; ++k) {
        if (x[k] < g.xmin) g.xmin = x[k];
        if (x[k] > g.xmax) g.xmax = x[k];
        if (y[k] < g.ymin) g.ymin = y[k];
        if (y[k] > g.ymax) g.ymax = y[k];
    }
}

void GE_InsertRectWaveGrid(int32_t type, int32_t after, const GE_RectWaveGrid *grid)
{
    RectSet *set = Set(type);
    if (!set || !grid)
        return;
    if (set->count == 0 || after < -1 || after >= set->count)
        after = set->count == 0 ? -1 : set->count - 1;
    void *grown = GE_ReAlloc(set->items, sizeof(GE_RectWaveGrid) * static_cast<size_t>(set->count + 1));
    if (!grown)
        return;
    set->items = static_cast<GE_RectWaveGrid *>(grown);
    const int32_t at = after + 1;
    std::memmove(set->items + at + 1, set->items + at, sizeof(GE_RectWaveGrid) * static_cast<size_t>(set->count - at));
    set->items[at] = *grid;
    ++set->count;
    GE_RectWaveGridBounds(type, at);
}

void GE_AddRectWaveGrid(int32_t type, int32_t after, const GE_RectWaveGrid *grid)
{
    GE_InsertRectWaveGrid(type, after, grid);
}

void GE_SetRectWaveGrids(int32_t type, const GE_RectWaveGrid *grids, int32_t count)
{
    if (!Set(type))
        return;
    global_windata.option_loaded[Attribute(type)] = 1;
    for (int32_t i = 0; grids && i < count; ++i)
        GE_InsertRectWaveGrid(type, i - 1, &grids[i]);
}

void GE_DeleteRectWaveGrid(int32_t type, int32_t index)
{
    RectSet *set = Set(type);
    if (!set || index < 0 || index >= set->count)
        return;
    std::memmove(set->items + index, set->items + index + 1,
                 sizeof(GE_RectWaveGrid) * static_cast<size_t>(set->count - index - 1));
    --set->count;
}

int GE_SetRectWaveGridParameters(int32_t type, float x0, float y0, float lx, float ly, float angle, int32_t value1,
                                 int32_t value2, int16_t display, int32_t gridNr)
{
    RectSet *set = Set(type);
    // Every type's number is checked against its own set.
    if (!set || gridNr < 0 || gridNr >= set->count)
        return 0;
    GE_RectWaveGrid &g = set->items[gridNr];
    g.x0 = x0;
    g.y0 = y0;
    g.lx = lx;
    g.ly = ly;
    g.angle = angle;
    g.value1 = value1;
    g.value2 = value2;
    g.display = display;
    GE_RectWaveGridBounds(type, gridNr);
    GE_RedrawAll(0);
    return 1;
}

void GE_SelectRectWaveGrid(int32_t type, int32_t gridNr)
{
    RectSet *set = Set(type);
    if (!set || gridNr < 0 || gridNr >= set->count)
        return;
    global_windata.wave.kind = type;
    global_windata.wave.selected = gridNr;
}

int32_t GE_SelectedWaveGrid(void) { return global_windata.wave.selected; }

void GE_FreeRectWaveGrids(void)
{
    for (RectSet &set : g_sets) {
        GE_Free(set.items);
        set = RectSet{};
    }
}

void GE_FreeWaveGrids(void)
{
    GE_FreeRectWaveGrids();
    GE_FreeAll();
}

void GE_WaveGridFromPoints(float x0, float y0, float x1, float y1, float x2, float y2, GE_RectWaveGrid *grid)
{
    GE_RectWaveGrid g{};
    g.x0 = x0;
    g.y0 = y0;
    if (!Equal(x1, x0) && !Equal(y1, y0)) {
        // Along the axis O -> A and across it, by the foot of P on each.
        const double ax = x1 - x0, ay = y1 - y0, len = std::sqrt(ax * ax + ay * ay);
        const double ux = ax / len, uy = ay / len, px = x2 - x0, py = y2 - y0;
        g.lx = static_cast<float>(std::fabs(px * ux + py * uy));
        g.ly = static_cast<float>(std::fabs(-px * uy + py * ux));
        double angle = std::atan((y1 - y0) / (x1 - x0)) * 180.0 / PI;
        if (angle > 0.0)
            angle += x0 > x1 ? 180.0 : 0.0;
        else
            angle += x0 > x1 ? 180.0 : 360.0;
        g.angle = static_cast<float>(angle >= 360.0 ? angle - 360.0 : angle);
    } else if (x1 > x0 && Equal(y1, y0)) {
        g.lx = x2 - x0;
        g.ly = y2 - y0;
        g.angle = 0.0f;
    } else if (x1 < x0 && Equal(y1, y0)) {
        g.lx = x0 - x2;
        g.ly = y0 - y2;
        g.angle = 180.0f;
    } else if (y1 > y0) {
        g.lx = y2 - y0;
        g.ly = x0 - x2;
        g.angle = 90.0f;
    } else {
        g.lx = y0 - y2;
        g.ly = x2 - x0;
        g.angle = 270.0f;
    }
    *grid = g;
}

void GE_DefineRectWaveGrid(int32_t kind, float x0, float y0, float x1, float y1, float x2, float y2)
{
    if (kind != GEkind_WAVE_GRID_2 && kind != GEkind_WAVE_GRID_3)
        return;
    const GE_GlobalData &gd = global_windata;
    const GE_Callback callback = gd.callbacks[kind];
    if (!callback)
        return;
    const int32_t type = kind == GEkind_WAVE_GRID_2 ? GE_WAVE_COMPUTATIONAL : GE_WAVE_BOTTOM;
    GE_RectWaveGrid grid{};
    GE_WaveGridFromPoints(x0, y0, x1, y1, x2, y2, &grid);
    const int32_t selected = gd.wave.selected;
    callback(gd.userData[kind], kind, gd.currentOperation, selected, &grid, nullptr, nullptr, nullptr, 1);
    GE_SetRectWaveGridParameters(type, grid.x0, grid.y0, grid.lx, grid.ly, grid.angle, grid.value1, grid.value2,
                                 static_cast<int16_t>(kind == GEkind_WAVE_GRID_2 ? 1 : 2), selected);
}
