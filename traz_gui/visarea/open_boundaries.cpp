// Grid point types and the open-boundary checks (see open_boundaries.h).
#include "open_boundaries.h"

#include <cstdlib>

namespace {

int32_t &At(GE_PointTypes &t, int32_t m, int32_t n)
{
    return t.types[static_cast<size_t>(n - 1) * static_cast<size_t>(t.columns) + static_cast<size_t>(m - 1)];
}

void Mark(GE_PointTypes &t, int32_t m, int32_t n, const int32_t (&from)[3], const int32_t (&to)[3])
{
    int32_t &cell = At(t, m, n);
    for (int k = 0; k < 3; ++k)
        if (cell == from[k]) {
            cell = to[k];
            return;
        }
}

bool Active(const GE_PointTypes &t, int32_t m, int32_t n) { return GE_GridPointType(t, m, n) == 1; }

int Result(bool valid, int32_t type, int waterLevel)
{
    if (!valid)
        return GE_BOUNDARY_INVALID;
    if ((type == 6 || type == 7) && !waterLevel)
        return GE_BOUNDARY_WATER_LEVEL_ONLY;
    return GE_BOUNDARY_VALID;
}

}  // namespace

GE_PointTypes GE_EnclosureToPointTypes(int32_t columns, int32_t rows, const int32_t *codes)
{
    GE_PointTypes t;
    if (columns <= 0 || rows <= 0 || !codes)
        return t;
    t.columns = columns;
    t.rows = rows;
    t.types.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0);
    for (size_t k = 0; k < t.types.size(); ++k)
        t.types[k] = codes[k] == 1 ? 1 : 0;
    for (int32_t n = 2; n < rows; ++n)
        for (int32_t m = 2; m < columns; ++m) {
            if (At(t, m, n) != 1)
                continue;
            Mark(t, m - 1, n, { 0, 4, 5 }, { 2, 6, 7 });
            Mark(t, m, n + 1, { 0, 2, 3 }, { 4, 6, 7 });
            Mark(t, m + 1, n, { 0, 4, 5 }, { 3, 7, 6 });
            Mark(t, m, n - 1, { 0, 3, 2 }, { 5, 6, 7 });
        }
    return t;
}

GE_PointTypes GE_DefaultPointTypes(int32_t columns, int32_t rows)
{
    GE_PointTypes t;
    if (columns <= 0 || rows <= 0)
        return t;
    t.columns = columns;
    t.rows = rows;
    t.types.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), 1);
    for (int32_t m = 1; m <= columns; ++m) {
        At(t, m, 1) = 5;
        At(t, m, rows) = 4;
    }
    for (int32_t n = 1; n <= rows; ++n) {
        At(t, 1, n) = 2;
        At(t, columns, n) = 3;
    }
    At(t, 1, 1) = At(t, columns, 1) = At(t, 1, rows) = At(t, columns, rows) = 0;
    return t;
}

int32_t GE_GridPointType(const GE_PointTypes &t, int32_t m, int32_t n)
{
    if (m < 1 || n < 1 || m > t.columns || n > t.rows)
        return 0;
    return t.types[static_cast<size_t>(n - 1) * static_cast<size_t>(t.columns) + static_cast<size_t>(m - 1)];
}

int GE_IsBoundaryPointType(int32_t type) { return type >= 2 && type <= 7 ? 1 : 0; }

int GE_OpenBoundaryPointValid(const GE_PointTypes &t, int32_t m, int32_t n, int waterLevel)
{
    const int32_t type = GE_GridPointType(t, m, n);
    if (!GE_IsBoundaryPointType(type))
        return GE_BOUNDARY_INVALID;
    // The grid's node counts: the table has one column and row more.
    const int32_t mmax = t.columns - 1, nmax = t.rows - 1;
    int32_t neighbours = 0;
    if (m >= 2 && m <= mmax)
        neighbours += Active(t, m - 1, n) + Active(t, m + 1, n);
    else
        neighbours += 1;
    if (n >= 2 && n <= nmax)
        neighbours += Active(t, m, n - 1) + Active(t, m, n + 1);
    else
        neighbours += 1;
    const bool valid = type <= 5 ? neighbours == 1 : neighbours == 2;
    return Result(valid, type, waterLevel);
}

int GE_OpenBoundaryLineValid(const GE_PointTypes &t, const GE_LineObject *line, int waterLevel)
{
    const GE_LineObject l = *line;
    const int32_t dm = l.m2 - l.m1, dn = l.n2 - l.n1;
    if (dm != 0 && dn != 0 && std::abs(dm) != std::abs(dn))
        return GE_BOUNDARY_INVALID;
    const int32_t type = GE_GridPointType(t, l.m1, l.n1);
    if (type == 0 || type == 1)
        return GE_BOUNDARY_INVALID;
    const int32_t sm = (dm > 0) - (dm < 0), sn = (dn > 0) - (dn < 0);
    const int32_t steps = std::abs(dm) > std::abs(dn) ? std::abs(dm) : std::abs(dn);
    for (int32_t k = 1; k <= steps; ++k)
        if (GE_GridPointType(t, l.m1 + k * sm, l.n1 + k * sn) != type)
            return GE_BOUNDARY_INVALID;
    return Result(true, type, waterLevel);
}
