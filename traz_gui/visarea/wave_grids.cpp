// The wave-grid sets, rectangular and curvilinear, the mode and selection,
// and the three-click definition of a rectangular grid (see wave_grids.h).
#include "wave_grids.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "ge_list.h"
#include "utilities.h"
#include "visarea_internal.h"

namespace {

constexpr double PI = 3.141592654;

bool ValidType(int32_t type) { return type == GE_WAVE_COMPUTATIONAL || type == GE_WAVE_BOTTOM; }

// The rectangular and curvilinear sets of a type in global_windata.
struct RectSet {
    GE_RectWaveGrid *&items;
    int32_t &count;
};
struct CurviSet {
    GE_GridInput *&items;
    int32_t &count;
};

RectSet Rect(int32_t type)
{
    GE_WaveGridState &w = global_windata.wave;
    return type == GE_WAVE_COMPUTATIONAL ? RectSet{ w.recticomp, w.nr_recticomp_grids }
                                         : RectSet{ w.rectibottom, w.nr_rectibottom_grids };
}

CurviSet Curvi(int32_t type)
{
    GE_WaveGridState &w = global_windata.wave;
    return type == GE_WAVE_COMPUTATIONAL ? CurviSet{ w.curvicomp, w.nr_curvicomp_grids }
                                         : CurviSet{ w.curvibottom, w.nr_curvibottom_grids };
}

bool Equal(float a, float b) { return CompareFloatsTol(a, b, 0.001f) == 0; }

// Room for one more record after index after of a set of count (-1: at
// the front; any index outside the set: at the end); the new slot's index,
// or -1 when memory is short (the set unchanged).
template <typename T>
int32_t OpenSlot(T *&items, int32_t count, int32_t after)
{
    if (count == 0 || after < -1 || after >= count)
        after = count - 1;
    void *grown = GE_ReAlloc(items, sizeof(T) * static_cast<size_t>(count + 1));
    if (!grown)
        return -1;
    items = static_cast<T *>(grown);
    const int32_t at = after + 1;
    std::memmove(items + at + 1, items + at, sizeof(T) * static_cast<size_t>(count - at));
    return at;
}

// Closes the gap at index; an empty set is freed.
template <typename T>
void CloseSlot(T *&items, int32_t &count, int32_t index)
{
    std::memmove(items + index, items + index + 1, sizeof(T) * static_cast<size_t>(count - index - 1));
    if (--count == 0) {
        GE_Free(items);
        items = nullptr;
    }
}

// The grid's name record: four bytes, then the name.
constexpr size_t NAME_OFFSET = 4;

void *CopyName(const void *record)
{
    if (!record)
        return nullptr;
    const char *name = static_cast<const char *>(record) + NAME_OFFSET;
    const size_t size = NAME_OFFSET + std::strlen(name) + 1;
    char *copy = static_cast<char *>(GE_Alloc(size));
    if (copy) {
        std::memset(copy, 0, NAME_OFFSET);
        std::memcpy(copy + NAME_OFFSET, name, size - NAME_OFFSET);
    }
    return copy;
}

void FreeCurviArrays(GE_GridInput &grid)
{
    GE_Free(grid.x);
    GE_Free(grid.y);
    GE_Free(grid.cellCode);
    GE_Free(grid.validNodes);
    GE_Free(grid.cellStatus);
    GE_Free(grid.gridName);
    grid = GE_GridInput{};
}

}  // namespace

int32_t GE_WaveGridAttribute(int32_t type)
{
    return type == GE_WAVE_COMPUTATIONAL ? GEdit_SHOW_COMP_GRID : type == GE_WAVE_BOTTOM ? GEdit_SHOW_BOTTOM_GRID : -1;
}

// ---------------------------------------------------------------- rectangular

GE_RectWaveGrid *GE_RectWaveGrids(int32_t type, int32_t *count)
{
    *count = ValidType(type) ? Rect(type).count : 0;
    return ValidType(type) ? Rect(type).items : nullptr;
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
    if (!ValidType(type) || index < 0 || index >= Rect(type).count)
        return;
    float x[4], y[4];
    GE_RectWaveGridCorners(Rect(type).items[index], x, y);
    for (int k = 0; k < 4; ++k)
        GE_WidenBounds(x[k], y[k]);
}

void GE_InsertRectWaveGrid(int32_t type, int32_t after, const GE_RectWaveGrid *grid)
{
    if (!ValidType(type) || !grid)
        return;
    RectSet set = Rect(type);
    const int32_t at = OpenSlot(set.items, set.count, after);
    if (at < 0)
        return;
    set.items[at] = *grid;
    ++set.count;
    GE_RectWaveGridBounds(type, at);
}

void GE_AddRectWaveGrid(int32_t type, int32_t after, const GE_RectWaveGrid *grid)
{
    GE_InsertRectWaveGrid(type, after, grid);
}

void GE_SetRectWaveGrids(int32_t type, const GE_RectWaveGrid *grids, int32_t count)
{
    if (!ValidType(type))
        return;
    global_windata.option_loaded[GE_WaveGridAttribute(type)] = 1;
    for (int32_t i = 0; grids && i < count; ++i)
        GE_InsertRectWaveGrid(type, i - 1, &grids[i]);
}

void GE_DeleteRectWaveGrid(int32_t type, int32_t index)
{
    if (!ValidType(type) || index < 0 || index >= Rect(type).count)
        return;
    RectSet set = Rect(type);
    CloseSlot(set.items, set.count, index);
}

int GE_SetRectWaveGridParameters(int32_t type, float x0, float y0, float lx, float ly, float angle, int32_t value1,
                                 int32_t value2, int16_t display, int32_t gridNr)
{
    // Every type's number is checked against its own set.
    if (!ValidType(type) || gridNr < 0 || gridNr >= Rect(type).count)
        return 0;
    GE_RectWaveGrid &g = Rect(type).items[gridNr];
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

void GE_FreeRectWaveGrids(void)
{
    for (const int32_t type : { GE_WAVE_COMPUTATIONAL, GE_WAVE_BOTTOM }) {
        RectSet set = Rect(type);
        GE_Free(set.items);
        set.items = nullptr;
        set.count = 0;
    }
}

// ---------------------------------------------------------------- curvilinear

GE_GridInput *GE_CurviWaveGrids(int32_t type, int32_t *count)
{
    *count = ValidType(type) ? Curvi(type).count : 0;
    return ValidType(type) ? Curvi(type).items : nullptr;
}

int GE_AddCurviWaveGrid(int32_t type, int32_t after, const GE_GridInput *grid)
{
    const size_t nodes = grid ? GE_NodeCount(grid->mmax, grid->nmax) : 0;
    if (!ValidType(type) || nodes == 0 || !grid->x || !grid->y)
        return 0;
    GE_GridInput copy = *grid;
    copy.x = GE_CopyArray(grid->x, nodes);
    copy.y = GE_CopyArray(grid->y, nodes);
    copy.cellCode = grid->cellCode ? GE_CopyArray(grid->cellCode, nodes) : nullptr;
    copy.validNodes = GE_CopyArray<int32_t>(nullptr, nodes);
    copy.cellStatus = nullptr;
    copy.gridName = CopyName(grid->gridName);
    copy.polylineEnds = nullptr;
    if (GE_Enclosure *enclosure = GE_DefaultEnclosure(grid->mmax, grid->nmax)) {
        copy.cellStatus = enclosure->cellStatus;
        enclosure->cellStatus = nullptr;
        GE_FreeEnclosure(enclosure);
    }
    CurviSet set = Curvi(type);
    const bool complete = copy.x && copy.y && copy.validNodes && copy.cellStatus &&
                          (copy.cellCode || !grid->cellCode) && (copy.gridName || !grid->gridName);
    const int32_t at = complete ? OpenSlot(set.items, set.count, after) : -1;
    if (at < 0) {
        FreeCurviArrays(copy);
        return 0;
    }
    GE_DeriveValidNodes(copy.mmax, copy.nmax, copy.cellStatus, copy.x, copy.y, copy.missingValue, copy.validNodes);
    global_windata.coordinateSystem = copy.coordinateSystem;
    set.items[at] = copy;
    ++set.count;
    return 1;
}

void GE_DeleteCurviWaveGrid(int32_t type, int32_t index)
{
    if (!ValidType(type) || index < 0 || index >= Curvi(type).count)
        return;
    CurviSet set = Curvi(type);
    FreeCurviArrays(set.items[index]);
    CloseSlot(set.items, set.count, index);
    // Only the selection of this type refers to this set.
    GE_WaveGridState &w = global_windata.wave;
    if (w.kind == type && w.selected > set.count - 1)
        w.selected = set.count - 1;
}

void GE_CurviWaveGridBounds(int32_t type, int32_t index)
{
    if (!ValidType(type) || index < 0 || index >= Curvi(type).count)
        return;
    const GE_GridInput &grid = Curvi(type).items[index];
    if (!grid.cellCode)
        return;
    const size_t nodes = GE_NodeCount(grid.mmax, grid.nmax);
    for (size_t k = 0; k < nodes; ++k)
        if (grid.cellCode[k] != 0)
            GE_WidenBounds(grid.x[k], grid.y[k]);
}

const char *GE_CurviWaveGridName(const GE_GridInput &grid)
{
    return grid.gridName ? static_cast<const char *>(grid.gridName) + NAME_OFFSET : "";
}

// ---------------------------------------------------------------- mode and selection

void GE_SetWaveGridMode(int32_t mode)
{
    if (mode != GE_WAVE_RECTANGULAR && mode != GE_WAVE_CURVILINEAR)
        return;
    global_windata.wave.setChoice = mode;
    GE_ComputeBounds();
}

int32_t GE_WaveGridMode(void) { return global_windata.wave.setChoice; }

void GE_WaveGridsBounds(void)
{
    const bool curvilinear = global_windata.wave.setChoice == GE_WAVE_CURVILINEAR;
    for (const int32_t type : { GE_WAVE_COMPUTATIONAL, GE_WAVE_BOTTOM }) {
        const int32_t count = curvilinear ? Curvi(type).count : Rect(type).count;
        for (int32_t k = 0; k < count; ++k)
            (curvilinear ? GE_CurviWaveGridBounds : GE_RectWaveGridBounds)(type, k);
    }
}

namespace {

int Select(int32_t type, int32_t gridNr, int32_t count)
{
    if (gridNr < 0 || gridNr >= count)
        return 0;
    global_windata.wave.kind = type;
    global_windata.wave.selected = gridNr;
    return 1;
}

}  // namespace

int GE_SelectRectWaveGrid(int32_t type, int32_t gridNr)
{
    return ValidType(type) && Select(type, gridNr, Rect(type).count);
}

int GE_SelectCurviWaveGrid(int32_t type, int32_t gridNr)
{
    return ValidType(type) && Select(type, gridNr, Curvi(type).count);
}

int32_t GE_SelectedWaveGrid(void) { return global_windata.wave.selected; }

void GE_FreeWaveGrids(void)
{
    GE_FreeRectWaveGrids();
    for (const int32_t type : { GE_WAVE_COMPUTATIONAL, GE_WAVE_BOTTOM }) {
        CurviSet set = Curvi(type);
        for (int32_t k = 0; k < set.count; ++k)
            FreeCurviArrays(set.items[k]);
        GE_Free(set.items);
        set.items = nullptr;
        set.count = 0;
    }
    global_windata.wave.selected = -1;
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
