// The object sets of the edit kinds: arrays of point and line records that
// grow by one record per addition, close up on deletion and are freed when
// empty, and the pick rules by which a click on a cell finds an object: of
// the points within one cell of the click, the one nearest to it.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "ge_list.h"
#include "visarea.h"

namespace {

template <typename T> int Copy(T **array, int32_t *count, const T *from, int32_t n)
{
    if (!array || !count || n < 0 || (n > 0 && !from))
        return 0;
    T *fresh = nullptr;
    if (n > 0) {
        fresh = static_cast<T *>(GE_Alloc(sizeof(T) * static_cast<size_t>(n)));
        if (!fresh)
            return 0;
        std::memcpy(fresh, from, sizeof(T) * static_cast<size_t>(n));
    }
    GE_Free(*array);
    *array = fresh;
    *count = n;
    return 1;
}

template <typename T> int Append(T **array, int32_t *count, const T *item)
{
    if (!array || !count || !item || *count < 0)
        return 0;
    // The item may be a record of the array itself: copy it before growing.
    const T copy = *item;
    T *grown = static_cast<T *>(GE_ReAlloc(*array, sizeof(T) * (static_cast<size_t>(*count) + 1)));
    if (!grown)
        return 0;
    grown[*count] = copy;
    *array = grown;
    *count += 1;
    return 1;
}

template <typename T> void Delete(T **array, int32_t *count, int32_t index)
{
    if (!array || !*array || !count || index < 0 || index >= *count)
        return;
    T *items = *array;
    std::memmove(items + index, items + index + 1, sizeof(T) * static_cast<size_t>(*count - index - 1));
    *count -= 1;
    if (*count == 0) {
        GE_Free(items);
        *array = nullptr;
        return;
    }
    // A failed shrink keeps the larger block, which still holds the records.
    if (T *shrunk = static_cast<T *>(GE_ReAlloc(items, sizeof(T) * static_cast<size_t>(*count))))
        *array = shrunk;
}

template <typename T> void Replace(T *array, int32_t count, int32_t index, const T *item)
{
    if (array && item && index >= 0 && index < count)
        array[index] = *item;
}

int32_t Low(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t High(int32_t a, int32_t b) { return a < b ? b : a; }

}  // namespace

int GE_CopyPointObjects(GE_PointObject **array, int32_t *count, const GE_PointObject *from, int32_t n)
{
    return Copy(array, count, from, n);
}

int GE_AppendObject(GE_PointObject **array, int32_t *count, const GE_PointObject *item)
{
    return Append(array, count, item);
}

void GE_DeleteObject(GE_PointObject **array, int32_t *count, int32_t index) { Delete(array, count, index); }

void GE_ReplaceObject(GE_PointObject *array, int32_t count, int32_t index, const GE_PointObject *item)
{
    Replace(array, count, index, item);
}

int GE_CopyLineObjects(GE_LineObject **array, int32_t *count, const GE_LineObject *from, int32_t n)
{
    return Copy(array, count, from, n);
}

int GE_AppendLineObject(GE_LineObject **array, int32_t *count, const GE_LineObject *item)
{
    return Append(array, count, item);
}

void GE_DeleteLineObject(GE_LineObject **array, int32_t *count, int32_t index) { Delete(array, count, index); }

void GE_ReplaceLineObject(GE_LineObject *array, int32_t count, int32_t index, const GE_LineObject *item)
{
    Replace(array, count, index, item);
}

namespace {

bool WithinReach(const GE_PointObject &p, int32_t m, int32_t n)
{
    return std::abs(m - p.m) < 2 && std::abs(n - p.n) < 2;
}

// The nearest of the records within one cell of (m, n) by the distance
// given, the earlier one when two are as near; 1 and *index, or 0 and -1.
template <typename Distance>
int Nearest(const GE_PointObject *array, int32_t count, int32_t m, int32_t n, int32_t *index, Distance distance)
{
    int32_t best = -1;
    double bestDistance = 0.0;
    for (int32_t k = 0; array && k < count; ++k) {
        if (!WithinReach(array[k], m, n))
            continue;
        const double d = distance(array[k]);
        if (best < 0 || d < bestDistance) {
            best = k;
            bestDistance = d;
        }
    }
    if (index)
        *index = best;
    return best >= 0 ? 1 : 0;
}

// Where a point is drawn: the middle of its cell's four corners, or its
// own position when the cell has no corners on the grid.
void DrawnAt(const GE_PointObject &p, double *x, double *y)
{
    const GE_GridState &grid = global_windata.grid;
    *x = p.x;
    *y = p.y;
    if (!grid.xcoord || !grid.ycoord || p.m < 2 || p.m > grid.mmax || p.n < 2 || p.n > grid.nmax)
        return;
    double sx = 0.0, sy = 0.0;
    for (const int32_t dn : { 2, 1 })
        for (const int32_t dm : { 2, 1 }) {
            const size_t k = static_cast<size_t>(p.n - dn) * static_cast<size_t>(grid.mmax) +
                             static_cast<size_t>(p.m - dm);
            sx += grid.xcoord[k];
            sy += grid.ycoord[k];
        }
    *x = sx / 4.0;
    *y = sy / 4.0;
}

}  // namespace

int GE_FindPointObject(const GE_PointObject *array, int32_t count, int32_t m, int32_t n, int32_t *index)
{
    return Nearest(array, count, m, n, index, [m, n](const GE_PointObject &p) {
        const double dm = m - p.m, dn = n - p.n;
        return dm * dm + dn * dn;
    });
}

int GE_PickPointObject(const GE_PointObject *array, int32_t count, int32_t m, int32_t n, float x, float y,
                       int32_t *index)
{
    // Degrees of longitude shrink with the latitude.
    const double xScale =
        global_windata.coordinateSystem == 0 ? std::cos(static_cast<double>(y) * std::acos(-1.0) / 180.0) : 1.0;
    return Nearest(array, count, m, n, index, [x, y, xScale](const GE_PointObject &p) {
        double px = 0.0, py = 0.0;
        DrawnAt(p, &px, &py);
        const double dx = (px - x) * xScale, dy = py - y;
        return dx * dx + dy * dy;
    });
}

int GE_FindLineObject(const GE_LineObject *array, int32_t count, int32_t m, int32_t n, int32_t *index)
{
    for (int32_t k = 0; array && k < count; ++k) {
        const GE_LineObject &l = array[k];
        if (m >= Low(l.m1, l.m2) && m <= High(l.m1, l.m2) && n >= Low(l.n1, l.n2) && n <= High(l.n1, l.n2)) {
            if (index)
                *index = k;
            return 1;
        }
    }
    if (index)
        *index = -1;
    return 0;
}
