// The model grid of the map windows: taking a grid from the host or from a
// grid text file, its cell status and the valid nodes derived from it, the
// lookups of nodes and cells, and its release.
#include <cassert>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "editor_services.h"
#include "ge_list.h"
#include "grid_data.h"
#include "utilities.h"
#include "visarea.h"
#include "visarea_internal.h"

namespace {

size_t CellCount(int32_t mmax, int32_t nmax)
{
    return static_cast<size_t>(mmax + 1) * static_cast<size_t>(nmax + 1);
}

// 0-based cell (j, i) of the status array, 0 outside.
int32_t Cell0(int32_t j, int32_t i)
{
    return GE_CellStatus(j + 1, i + 1);
}

void FreeGridArrays()
{
    GE_GridState &grid = global_windata.grid;
    GE_Free(grid.xcoord);
    GE_Free(grid.ycoord);
    GE_Free(grid.valid_point);
    GE_Free(grid.cellStatus);
    GE_Free(grid.cellCode);
    grid.xcoord = grid.ycoord = nullptr;
    grid.valid_point = grid.cellStatus = grid.cellCode = nullptr;
    grid.mmax = grid.nmax = 0;
    GE_InvalidateCellIndex();
}

}  // namespace

size_t GE_NodeCount(int32_t mmax, int32_t nmax)
{
    if (mmax <= 0 || nmax <= 0)
        return 0;
    return static_cast<size_t>(mmax) * static_cast<size_t>(nmax);
}

void GE_SetGrid(const GE_GridInput *input, const char *enclosureName)
{
    GE_GlobalData &g = global_windata;
    const size_t nodes = input ? GE_NodeCount(input->mmax, input->nmax) : 0;
    if (nodes == 0 || !input->x || !input->y) {
        // A grid without nodes: nothing to show, so no grid.
        GE_FreeGrid();
        return;
    }
    const int32_t mmax = input->mmax, nmax = input->nmax;
    const size_t cells = CellCount(mmax, nmax);
    GE_GridState &grid = g.grid;
    // A grid of the size shown (the model read again) goes into the arrays
    // that hold it: fresh pages are most of what a large grid costs.
    const bool inPlace = grid.xcoord && grid.ycoord && grid.valid_point && grid.mmax == mmax && grid.nmax == nmax;
    float *x = inPlace ? grid.xcoord : GE_CopyArray<float>(nullptr, nodes);
    float *y = inPlace ? grid.ycoord : GE_CopyArray<float>(nullptr, nodes);
    int32_t *valid = inPlace ? grid.valid_point : GE_CopyArray<int32_t>(nullptr, nodes);
    int32_t *codes = nullptr;
    if (g.applicationType == 4 && input->cellCode)
        codes = GE_CopyArray(input->cellCode, nodes);
    int32_t *status = nullptr;
    const bool fromInput = (!enclosureName || !*enclosureName) && input->cellStatus;
    if (fromInput) {
        status = inPlace && grid.cellStatus ? grid.cellStatus : GE_CopyArray<int32_t>(nullptr, cells);
    } else {
        int32_t code = 0;
        GE_Enclosure *enclosure = GE_EnclosureCellStatus(enclosureName ? enclosureName : "", mmax, nmax, &code);
        if (enclosure) {
            status = enclosure->cellStatus;
            enclosure->cellStatus = nullptr;
            GE_FreeEnclosure(enclosure);
        }
    }
    if (!x || !y || !valid || !status || (g.applicationType == 4 && input->cellCode && !codes)) {
        // Blocks of the grid shown stay the grid's.
        if (x != grid.xcoord)
            GE_Free(x);
        if (y != grid.ycoord)
            GE_Free(y);
        if (valid != grid.valid_point)
            GE_Free(valid);
        if (status != grid.cellStatus)
            GE_Free(status);
        GE_Free(codes);
        return;  // no memory: the grid shown stays
    }
    // memmove: a caller may hand the grid's own arrays back.
    std::memmove(x, input->x, nodes * sizeof(float));
    std::memmove(y, input->y, nodes * sizeof(float));
    if (fromInput)
        std::memmove(status, input->cellStatus, cells * sizeof(int32_t));

    // The rest of the grid it replaces goes, and its depths are no longer
    // shown (their blocks may serve the depths of this grid).
    if (grid.xcoord == x)
        grid.xcoord = nullptr;
    if (grid.ycoord == y)
        grid.ycoord = nullptr;
    if (grid.valid_point == valid)
        grid.valid_point = nullptr;
    if (grid.cellStatus == status)
        grid.cellStatus = nullptr;
    FreeGridArrays();
    GE_RetireDepthArrays(nodes);
    g.option_loaded[GEdit_SHOW_GRID] = 1;
    g.option_loaded[GEdit_SHOW_BATHYMETRY] = 0;
    grid.mmax = mmax;
    grid.nmax = nmax;
    grid.xcoord = x;
    grid.ycoord = y;
    grid.valid_point = valid;
    grid.cellCode = codes;
    grid.cellStatus = status;
    grid.missingValue = input->missingValue;
    g.coordinateSystem = input->coordinateSystem;
    g.zmin = FLT_MAX;
    g.zmax = -FLT_MAX;
    GE_BuildValidNodes();
    GE_ComputeBounds();
    if (GE_Actions().gridSet)
        GE_Actions().gridSet();
}

int GE_SetGridFromFile(const char *path, const char *enclosureName, int32_t *mmaxOut, int32_t *nmaxOut)
{
    int32_t mmax = 0, nmax = 0, coordinateSystem = 1, noKey = 1;
    double **x = nullptr, **y = nullptr, xmin, xmax, ymin, ymax, missing = 0.0;
    int32_t **codes = nullptr;
    // Read first: a file that cannot be read leaves the grid shown.
    const int result = GE_ReadGridFile(path, &mmax, &nmax, &x, &y, &codes, &xmin, &xmax, &ymin, &ymax,
                                       &coordinateSystem, &noKey, &missing);
    if (result != 0) {
        const char *shown = ShortenPathForMessage(path ? path : "");
        if (result == 1)
            PostErrorF("Cannot open grid file\n\n%s", shown);
        else
            PostErrorF("Error reading grid file\n\n%s", shown);
        return 0;
    }
    const size_t nodes = GE_NodeCount(mmax, nmax);
    float *fx = static_cast<float *>(GE_Alloc(nodes * sizeof(float)));
    float *fy = static_cast<float *>(GE_Alloc(nodes * sizeof(float)));
    int ok = 0;
    if (fx && fy) {
        for (int32_t n = 0; n < nmax; ++n)
            for (int32_t m = 0; m < mmax; ++m) {
                fx[static_cast<size_t>(n) * mmax + m] = static_cast<float>(x[n][m]);
                fy[static_cast<size_t>(n) * mmax + m] = static_cast<float>(y[n][m]);
            }
        GE_GridInput input{};
        input.mmax = mmax;
        input.nmax = nmax;
        input.x = fx;
        input.y = fy;
        input.coordinateSystem = coordinateSystem;
        input.missingValue = static_cast<float>(missing);
        GE_SetGrid(&input, enclosureName ? enclosureName : "");
        ok = global_windata.grid.xcoord != nullptr && global_windata.grid.mmax == mmax &&
             global_windata.grid.nmax == nmax;
    }
    GE_Free(fx);
    GE_Free(fy);
    Free2DArray(reinterpret_cast<void **>(x), nmax);
    Free2DArray(reinterpret_cast<void **>(y), nmax);
    Free2DArray(reinterpret_cast<void **>(codes), nmax);
    if (mmaxOut)
        *mmaxOut = mmax;
    if (nmaxOut)
        *nmaxOut = nmax;
    return ok;
}

void GE_FreeGrid(void)
{
    GE_GlobalData &g = global_windata;
    if (g.option_loaded[GEdit_SHOW_GRID]) {
        g.option_loaded[GEdit_SHOW_GRID] = 0;
        g.option_loaded[GEdit_SHOW_BATHYMETRY] = 0;
        g.option_loaded[GEdit_SHOW_LANDBOUNDARY] = 0;
    }
    // Each array is freed once and forgotten, loaded or not.
    FreeGridArrays();
    GE_FreeDepthArrays();
    if (g.available[GEdit_SHOW_GRID]) {
        g.option_loaded[GEdit_SHOW_BATHYMETRY] = 0;
        if (GE_Actions().gridFreed)
            GE_Actions().gridFreed();
    }
    GE_DropGridData();
}

void GE_DeriveValidNodes(int32_t mmax, int32_t nmax, const int32_t *status, const float *x, const float *y,
                         float missing, int32_t *valid)
{
    const size_t nodes = GE_NodeCount(mmax, nmax);
    if (!valid || nodes == 0)
        return;
    std::memset(valid, 0, nodes * sizeof(int32_t));
    auto node = [&](int32_t j, int32_t i) -> int32_t & { return valid[static_cast<size_t>(i) * mmax + j]; };
    // 0-based cell (j, i), 0 outside.
    auto cell = [&](int32_t j, int32_t i) -> int32_t {
        if (j < 0 || i < 0 || j > mmax || i > nmax)
            return 0;
        return status[static_cast<size_t>(i) * (mmax + 1) + j];
    };
    auto edge = [](int32_t a, int32_t b) { return (a == 1 && (b == 0 || b == 2)) || (b == 1 && (a == 0 || a == 2)); };
    if (status) {
        for (int32_t i = 1; i < nmax; ++i)
            for (int32_t j = 0; j < mmax; ++j) {
                const int32_t a = cell(j, i), b = cell(j + 1, i);
                if (edge(a, b)) {
                    node(j, i - 1) = 3;
                    node(j, i) = 3;
                } else if (a == 1 && b == 1) {
                    node(j, i - 1) = 1;
                    node(j, i) = 1;
                }
            }
        for (int32_t j = 1; j < mmax; ++j)
            for (int32_t i = 0; i < nmax; ++i) {
                const int32_t a = cell(j, i), b = cell(j, i + 1);
                if (edge(a, b)) {
                    node(j - 1, i) = 3;
                    node(j, i) = 3;
                } else if (a == 1 && b == 1) {
                    if (node(j - 1, i) == 0)
                        node(j - 1, i) = 1;
                    if (node(j, i) == 0)
                        node(j, i) = 1;
                }
            }
    }
    for (size_t k = 0; x && y && k < nodes; ++k)
        if (CompareFloatsTol(x[k], missing, 1e-5f) == 0 && CompareFloatsTol(y[k], missing, 1e-5f) == 0)
            valid[k] = 0;
}

void GE_BuildValidNodes(void)
{
    GE_GridState &grid = global_windata.grid;
    GE_DeriveValidNodes(grid.mmax, grid.nmax, grid.cellStatus, grid.xcoord, grid.ycoord, grid.missingValue,
                        grid.valid_point);
    GE_InvalidateCellIndex();
}

int32_t GE_CellStatus(int32_t m, int32_t n)
{
    const GE_GridState &grid = global_windata.grid;
    if (!grid.cellStatus || m < 1 || n < 1 || m > grid.mmax + 1 || n > grid.nmax + 1)
        return 0;
    return grid.cellStatus[static_cast<size_t>(n - 1) * (grid.mmax + 1) + (m - 1)];
}

int32_t GE_GridPointValid(int32_t m, int32_t n)
{
    const GE_GridState &grid = global_windata.grid;
    if (!grid.valid_point || m < 1 || n < 1 || m > grid.mmax || n > grid.nmax)
        return 0;
    return grid.valid_point[static_cast<size_t>(n - 1) * grid.mmax + (m - 1)];
}

int32_t GE_CellCornersValid(int32_t m, int32_t n)
{
    return GE_GridPointValid(m - 1, n - 1) && GE_GridPointValid(m, n - 1) && GE_GridPointValid(m, n) &&
           GE_GridPointValid(m - 1, n);
}

namespace {

// The world point of a valid 1-based node.
bool NodePoint(int32_t m, int32_t n, float *x, float *y)
{
    const GE_GridState &grid = global_windata.grid;
    if (!grid.xcoord || !grid.ycoord || !GE_GridPointValid(m, n))
        return false;
    const size_t k = static_cast<size_t>(n - 1) * grid.mmax + (m - 1);
    *x = grid.xcoord[k];
    *y = grid.ycoord[k];
    return true;
}

// A corner of a cell at the grid's edge: the grid line through it carried
// on from the two nodes behind it, across the cell (dn, dm: towards them).
bool Extrapolated(int32_t m, int32_t n, int32_t dm, int32_t dn, float *x, float *y)
{
    float x1, y1, x2, y2;
    if (!NodePoint(m + dm, n + dn, &x1, &y1) || !NodePoint(m + 2 * dm, n + 2 * dn, &x2, &y2))
        return false;
    *x = 2 * x1 - x2;
    *y = 2 * y1 - y2;
    return true;
}

}  // namespace

int GE_CellCentre(int32_t m, int32_t n, float *x, float *y)
{
    const GE_GridState &grid = global_windata.grid;
    if (m < 2 || n < 2 || m > grid.mmax || n > grid.nmax)
        return 0;
    // The corners (m-1, n-1), (m, n-1), (m, n), (m-1, n); a missing one is
    // carried on along n from inside the cell, else along m.
    static const int32_t cm[4] = { -1, 0, 0, -1 }, cn[4] = { -1, -1, 0, 0 };
    float sx = 0, sy = 0;
    int used = 0;
    for (int k = 0; k < 4; ++k) {
        const int32_t km = m + cm[k], kn = n + cn[k];
        const int32_t towardsN = cn[k] == 0 ? -1 : 1, towardsM = cm[k] == 0 ? -1 : 1;
        float px, py;
        if (NodePoint(km, kn, &px, &py) || Extrapolated(km, kn, 0, towardsN, &px, &py) ||
            Extrapolated(km, kn, towardsM, 0, &px, &py)) {
            sx += px;
            sy += py;
            ++used;
        }
    }
    if (used == 0)
        return 0;
    *x = sx / used;
    *y = sy / used;
    return 1;
}

int32_t GE_GridEdgeVisible(int32_t m0, int32_t n0, int32_t m1, int32_t n1)
{
    const GE_GlobalData &g = global_windata;
    if (!GE_GridPointValid(m0 + 1, n0 + 1))
        return 0;
    if (g.applicationType == 4) {
        if (!g.grid.cellCode)
            return 0;
        auto code = [&](int32_t m, int32_t n) -> int32_t {
            if (m < 0 || n < 0 || m >= g.grid.mmax || n >= g.grid.nmax)
                return 0;
            return g.grid.cellCode[static_cast<size_t>(n) * g.grid.mmax + m];
        };
        const int32_t a = code(m0, n0), b = code(m1, n1);
        return a != b && (a > 0 || b > 0);
    }
    return Cell0(m0, n0) == 1 || Cell0(m1, n1) == 1;
}

int32_t GE_CoordinateSystem(void)
{
    return global_windata.coordinateSystem;
}

void GE_GridBounds(int32_t count)
{
    GE_GlobalData &g = global_windata;
    assert(g.grid.valid_point != nullptr && "global_windata.grid.valid_point != NULL");
    assert(g.grid.xcoord != nullptr && "global_windata.grid.xcoord != NULL");
    assert(g.grid.ycoord != nullptr && "global_windata.grid.ycoord != NULL");
    g.xmin = g.ymin = FLT_MAX;
    g.xmax = g.ymax = -FLT_MAX;
    if (!g.grid.valid_point || !g.grid.xcoord || !g.grid.ycoord)
        return;
    const size_t limit = GE_NodeCount(g.grid.mmax, g.grid.nmax);
    for (size_t k = 0; count > 0 && k < static_cast<size_t>(count) && k < limit; ++k) {
        if (!g.grid.valid_point[k])
            continue;
        const float x = g.grid.xcoord[k], y = g.grid.ycoord[k];
        if (x < g.xmin) g.xmin = x;
        if (x > g.xmax) g.xmax = x;
        if (y < g.ymin) g.ymin = y;
        if (y > g.ymax) g.ymax = y;
    }
}
