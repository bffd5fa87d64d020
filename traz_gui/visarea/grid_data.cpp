// The grid with point types and the line helpers of cross sections and open
// boundaries (see grid_data.h).
#include "grid_data.h"

#include <cassert>
#include <cstring>
#include <memory>
#include <utility>

#include "flow_files.h"
#include "utilities.h"

namespace {

std::unique_ptr<GE_GridData> g_gridData;

bool Inside(int32_t m, int32_t n) { return GE_GridPointType(nullptr, m, n) == 1; }

}  // namespace

// ---------------------------------------------------------------- the record

GE_GridData *GE_NewGridData(void) { return new GE_GridData(); }

void GE_ClearGridData(GE_GridData *gridData)
{
    if (!gridData)
        return;
    gridData->cellTypes = GE_PointTypes{};
    std::vector<int32_t>().swap(gridData->gridPointType);
    assert(gridData->gridPointType.empty() && "gridData->gridPointType == NULL");
    std::vector<double>().swap(gridData->x);
    std::vector<double>().swap(gridData->y);
    gridData->nmax = 0;
    gridData->mmax = 0;
}

const GE_GridData *GE_CurrentGridData(void) { return g_gridData.get(); }

int GE_RebuildGridPointTypes(const char *enclosureName)
{
    GE_GridData *d = g_gridData.get();
    if (!d || d->mmax < 1 || d->nmax < 1)
        return 0;
    return GE_BuildGridPointTypes(d, enclosureName);
}

void GE_DropGridData(void)
{
    GE_ClearGridData(g_gridData.get());
    g_gridData.reset();
}

int GE_SetGridData(int32_t mmax, int32_t nmax, double **x, double **y, double missing, const char *enclosureName)
{
    GE_DropGridData();
    if (mmax < 1 || nmax < 1 || !x || !y)
        return 0;
    for (int32_t i = 0; i < nmax; ++i)
        if (!x[i] || !y[i])
            return 0;
    std::unique_ptr<GE_GridData> data(GE_NewGridData());
    data->mmax = mmax;
    data->nmax = nmax;
    data->missingValue = missing;
    const size_t nodes = static_cast<size_t>(mmax) * static_cast<size_t>(nmax);
    data->x.resize(nodes);
    data->y.resize(nodes);
    for (int32_t i = 0; i < nmax; ++i) {
        std::memcpy(&data->x[static_cast<size_t>(i) * mmax], x[i], sizeof(double) * static_cast<size_t>(mmax));
        std::memcpy(&data->y[static_cast<size_t>(i) * mmax], y[i], sizeof(double) * static_cast<size_t>(mmax));
    }
    if (!GE_BuildGridPointTypes(data.get(), enclosureName))
        return 0;
    g_gridData = std::move(data);
    return 1;
}

int32_t GE_ReadEnclosureCells(const char *enclosureName, int32_t columns, int32_t rows, std::vector<int32_t> *codes)
{
    if (!enclosureName || !*enclosureName || columns < 1 || rows < 1)
        return 4;
    int32_t M1 = columns, N1 = rows, outcome = 0, count = 0;
    const size_t cells = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    const size_t room = static_cast<size_t>(columns + 4) * static_cast<size_t>(rows);
    std::vector<int32_t> read(cells), pm(room), pn(room), am(room), an(room);
    CallReadEnclosureFile(enclosureName, &outcome, &N1, &M1, read.data(), pm.data(), pn.data(), am.data(), an.data(),
                          &count);
    if (outcome == 0)
        codes->swap(read);
    return outcome;
}

GE_PointTypes GE_PointTypesFromEnclosure(const char *enclosureName, int32_t columns, int32_t rows)
{
    std::vector<int32_t> codes;
    if (GE_ReadEnclosureCells(enclosureName, columns, rows, &codes) != 0)
        return GE_PointTypes{};
    return GE_EnclosureToPointTypes(columns, rows, codes.data());
}

GE_PointTypes GE_GridPointTypes(const char *enclosureName, int32_t columns, int32_t rows)
{
    if (enclosureName && *enclosureName) {
        GE_PointTypes types = GE_PointTypesFromEnclosure(enclosureName, columns, rows);
        if (!types.types.empty())
            return types;
    }
    return GE_DefaultPointTypes(columns, rows);
}

int GE_BuildGridPointTypes(GE_GridData *gridData, const char *enclosureName)
{
    GE_GridData &d = *gridData;
    d.cellTypes = GE_GridPointTypes(enclosureName ? enclosureName : "", d.mmax + 1, d.nmax + 1);
    if (d.cellTypes.types.empty())
        return 0;
    const int32_t mmax = d.mmax, nmax = d.nmax;
    d.gridPointType.assign(static_cast<size_t>(mmax) * static_cast<size_t>(nmax), 0);
    // 0-based node (j, i) and cell (j, i), as the valid nodes of the grid
    // are built, with any boundary type on the outer side of an edge.
    auto node = [&](int32_t j, int32_t i) -> int32_t & { return d.gridPointType[static_cast<size_t>(i) * mmax + j]; };
    auto cell = [&](int32_t j, int32_t i) { return GE_GridPointType(gridData, j + 1, i + 1); };
    auto edge = [](int32_t a, int32_t b) { return (a == 1) != (b == 1); };
    for (int32_t i = 1; i < nmax; ++i)
        for (int32_t j = 0; j < mmax; ++j) {
            const int32_t a = cell(j, i), b = cell(j + 1, i);
            if (edge(a, b))
                node(j, i - 1) = node(j, i) = 3;
            else if (a == 1)
                node(j, i - 1) = node(j, i) = 1;
        }
    for (int32_t j = 1; j < mmax; ++j)
        for (int32_t i = 0; i < nmax; ++i) {
            const int32_t a = cell(j, i), b = cell(j, i + 1);
            if (edge(a, b)) {
                node(j - 1, i) = node(j, i) = 3;
            } else if (a == 1) {
                if (node(j - 1, i) == 0)
                    node(j - 1, i) = 1;
                if (node(j, i) == 0)
                    node(j, i) = 1;
            }
        }
    for (size_t k = 0; k < d.gridPointType.size(); ++k)
        if (CompareDoublesTol(d.x[k], d.missingValue, 1e-5) == 0 &&
            CompareDoublesTol(d.y[k], d.missingValue, 1e-5) == 0)
            d.gridPointType[k] = 0;
    return 1;
}

int32_t GE_GridPointType(const GE_GridData *gridData, int32_t m, int32_t n)
{
    const GE_GridData *d = gridData ? gridData : g_gridData.get();
    return d ? GE_GridPointType(d->cellTypes, m, n) : 0;
}

// ---------------------------------------------------------------- line helpers

int GE_LineToCells(int32_t type, const GE_LineObject *in, GE_LineObject *out)
{
    GE_LineObject l{};
    GE_NormaliseLine(in, &l);
    assert(l.m1 <= l.m2 && "m1 <= m2");
    const bool point = l.m1 == l.m2 && l.n1 == l.n2;
    switch (type) {
    case -1:
    case 0: break;
    case Qnx_Boundary:
        if (point)
            return 0;
        if (l.m1 == l.m2) {
            l.n1 += 1;
            if (Inside(l.m1, l.n1)) {
                l.m1 += 1;
                l.m2 += 1;
            }
        } else if (l.n1 == l.n2) {
            l.m1 += 1;
            if (Inside(l.m1, l.n1)) {
                l.n1 += 1;
                l.n2 += 1;
            }
        } else if (l.m1 - l.m2 == l.n1 - l.n2) {
            l.m1 += 1;
            l.n1 += 1;
        } else if (l.m1 - l.m2 == l.n2 - l.n1) {
            l.m1 += 1;
            l.n2 += 1;
        } else {
            assert(!"FALSE");
            return 0;
        }
        break;
    case GE_LINE_CROSS_SECTION:
        assert(!point && "(m1 != m2) || (n1 != n2)");
        if (point)
            return 0;
        if (l.m1 == l.m2) {
            assert(l.n2 - l.n1 >= 2 && "n2 - n1 >= 2");
            l.n1 += 1;
        } else if (l.n1 == l.n2) {
            assert(l.m2 - l.m1 >= 2 && "m2 - m1 >= 2");
            l.m1 += 1;
        } else {
            assert(!"FALSE");
            return 0;
        }
        break;
    default: assert(!"FALSE"); return 0;
    }
    *out = l;
    return 1;
}

int GE_LineFromCells(int32_t type, const GE_LineObject *in, GE_LineObject *out)
{
    GE_LineObject l{};
    GE_NormaliseLine(in, &l);
    assert(l.m1 <= l.m2 && "m1 <= m2");
    switch (type) {
    case -1:
    case 0:
    case 1:
    case 3:
    case 5:
    case 6: break;
    case Qnx_Boundary: assert(!"type != Qnx_Boundary"); return 0;
    case GE_LINE_CROSS_SECTION:
        if (l.m1 == l.m2 && l.n1 == l.n2)
            return 0;
        if (l.m1 == l.m2)
            l.n1 -= 1;
        else if (l.n1 == l.n2)
            l.m1 -= 1;
        else
            return 0;
        break;
    default: assert(!"FALSE"); return 0;
    }
    *out = l;
    return 1;
}

int GE_BoundaryLineToNodes(const GE_LineObject *in, GE_LineObject *out)
{
    GE_LineObject l{};
    GE_NormaliseLine(in, &l);
    assert(l.m1 <= l.m2 && "m1 <= m2");
    const int32_t type = GE_GridPointType(nullptr, l.m1, l.n1);
    if (type == 6 || type == 7) {
        // The corner types run diagonally: the ends ordered by m.
        if (l.m1 > l.m2) {
            std::swap(l.m1, l.m2);
            std::swap(l.n1, l.n2);
        }
        if (type == 6)
            l.n1 -= 1;
        else
            l.n2 -= 1;
        l.m1 -= 1;
    } else if (l.m1 != l.m2 && l.n1 != l.n2) {
        return 0;
    } else if (l.m1 != l.m2) {
        l.m1 -= 1;
        if (type == 4 && l.n1 > 2) {
            l.n1 -= 1;
            l.n2 -= 1;
        }
    } else if (l.n1 != l.n2) {
        l.n1 -= 1;
        if (type == 3 && l.m1 > 2) {
            l.m1 -= 1;
            l.m2 -= 1;
        }
    } else {
        switch (type) {
        case 2: l.n1 -= 1; break;
        case 3:
            l.m1 -= 1;
            l.n1 -= 1;
            l.m2 -= 1;
            break;
        case 5: l.m1 -= 1; break;
        case 4:
            l.m1 -= 1;
            l.n1 -= 1;
            l.n2 -= 1;
            break;
        default: assert(!"FALSE"); return 0;
        }
    }
    *out = l;
    return 1;
}
