// The sets of dry points, thin dams and drogues and the placement rules of
// their two-click edits (see line_objects.h).
#include "line_objects.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "ge_list.h"

namespace {

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }
int32_t Sign(int32_t v) { return (v > 0) - (v < 0); }

GE_LineObject Placeholder()
{
    GE_LineObject p{};
    p.m1 = p.n1 = p.m2 = p.n2 = GE_PLACEHOLDER;
    return p;
}

GE_LineObject Line(int32_t m1, int32_t n1, int32_t m2, int32_t n2)
{
    GE_LineObject l{};
    l.m1 = m1;
    l.n1 = n1;
    l.m2 = m2;
    l.n2 = n2;
    return l;
}

bool StraightOrDiagonal(const GE_LineObject &l)
{
    return l.m1 == l.m2 || l.n1 == l.n2 || std::abs(l.m2 - l.m1) == std::abs(l.n2 - l.n1);
}

bool Active(int32_t m, int32_t n) { return GE_CellStatus(m, n) == GE_CELL_ACTIVE; }

// The direction array of the thin dams grown or shrunk with the records.
bool ResizeDirections(int32_t count)
{
    GE_LineSet &set = global_windata.thinDams;
    void *grown = GE_ReAlloc(set.extra, sizeof(int32_t) * static_cast<size_t>(count > 0 ? count : 1));
    if (!grown)
        return false;
    set.extra = static_cast<int32_t *>(grown);
    return true;
}

bool InLineSet(const GE_LineSet &set, int32_t index) { return index >= 0 && index < set.count; }
bool InPointSet(const GE_PointSet &set, int32_t index) { return index >= 0 && index < set.count; }

}  // namespace

bool GE_IsPlaceholder(const GE_LineObject &l)
{
    return l.m1 == GE_PLACEHOLDER && l.n1 == GE_PLACEHOLDER && l.m2 == GE_PLACEHOLDER && l.n2 == GE_PLACEHOLDER;
}

// ---------------------------------------------------------------- dry points

void GE_SetDryPoints(const GE_LineObject *lines, int32_t count)
{
    GE_LineSet &set = global_windata.dryPoints;
    if (GE_CopyLineObjects(&set.items, &set.count, lines, count))
        global_windata.option_loaded[GEdit_SHOW_DRY_POINTS] = 1;
}

int GE_SelectDryPoint(int32_t index)
{
    GE_LineSet &set = global_windata.dryPoints;
    if (!InLineSet(set, index)) {
        GE_StatusMessage("No valid Dry Point id");
        return 0;
    }
    return GE_SelectIndex(index, &set.selected, set.count);
}

void GE_AddDryPoint(const GE_LineObject *line)
{
    const GE_LineObject record = line ? *line : Placeholder();
    GE_AppendLineObject(&global_windata.dryPoints.items, &global_windata.dryPoints.count, &record);
}

void GE_DeleteDryPoint(int32_t index)
{
    GE_LineSet &set = global_windata.dryPoints;
    if (!InLineSet(set, index)) {
        GE_StatusMessage("Dry point id invalid");
        return;
    }
    GE_DeleteLineObject(&set.items, &set.count, index);
    GE_FixSelection(index, &set.selected);
    GE_RedrawAll(0);
}

void GE_ModifyDryPoint(const GE_LineObject *line, int32_t index)
{
    GE_LineSet &set = global_windata.dryPoints;
    if (!InLineSet(set, index) || !line) {
        GE_StatusMessage("Dry point id invalid");
        return;
    }
    GE_ReplaceLineObject(set.items, set.count, index, line);
    GE_RedrawAll(0);
}

int GE_DryPointCellsActive(const GE_LineObject *line)
{
    const GE_LineObject l = *line;
    const int32_t mmax = global_windata.grid.mmax, nmax = global_windata.grid.nmax;
    if (!StraightOrDiagonal(l))
        return 0;
    if (!In(l.m1, 2, mmax) || !In(l.m2, 2, mmax) || !In(l.n1, 2, nmax) || !In(l.n2, 2, nmax))
        return 0;
    const int32_t dm = Sign(l.m2 - l.m1), dn = Sign(l.n2 - l.n1);
    const int32_t steps = std::abs(l.m2 - l.m1) > std::abs(l.n2 - l.n1) ? std::abs(l.m2 - l.m1) : std::abs(l.n2 - l.n1);
    for (int32_t k = 0; k <= steps; ++k)
        if (!Active(l.m1 + k * dm, l.n1 + k * dn))
            return 0;
    return 1;
}

// ---------------------------------------------------------------- thin dams

void GE_SetThinDams(const GE_LineObject *lines, int32_t count, const int32_t *directions)
{
    GE_LineSet &set = global_windata.thinDams;
    if (count < 0 || (count > 0 && (!lines || !directions)))
        return;
    int32_t *copy = static_cast<int32_t *>(GE_Alloc(sizeof(int32_t) * static_cast<size_t>(count > 0 ? count : 1)));
    if (!copy)
        return;
    if (!GE_CopyLineObjects(&set.items, &set.count, lines, count)) {
        GE_Free(copy);
        return;
    }
    if (count > 0)
        std::memcpy(copy, directions, sizeof(int32_t) * static_cast<size_t>(count));
    GE_Free(set.extra);
    set.extra = copy;
    global_windata.option_loaded[GEdit_SHOW_THIN_DAMS] = 1;
}

int GE_SelectThinDam(int32_t index)
{
    GE_LineSet &set = global_windata.thinDams;
    if (!InLineSet(set, index)) {
        GE_StatusMessage("No valid thin dam id");
        return 0;
    }
    return GE_SelectIndex(index, &set.selected, set.count);
}

void GE_AddThinDam(const GE_LineObject *line, int32_t direction)
{
    GE_LineSet &set = global_windata.thinDams;
    if (!ResizeDirections(set.count + 1))
        return;
    const GE_LineObject record = line ? *line : Placeholder();
    if (GE_AppendLineObject(&set.items, &set.count, &record))
        set.extra[set.count - 1] = direction;
}

void GE_DeleteThinDam(int32_t index)
{
    GE_LineSet &set = global_windata.thinDams;
    if (!InLineSet(set, index)) {
        GE_StatusMessage("No valid thin dam id");
        return;
    }
    GE_DeleteLineObject(&set.items, &set.count, index);
    if (set.extra)
        std::memmove(set.extra + index, set.extra + index + 1, sizeof(int32_t) * static_cast<size_t>(set.count - index));
    GE_FixSelection(index, &set.selected);
    GE_RedrawAll(0);
}

void GE_ModifyThinDam(const GE_LineObject *line, int32_t index, int32_t direction)
{
    GE_LineSet &set = global_windata.thinDams;
    if (!InLineSet(set, index) || !line) {
        GE_StatusMessage("No valid thin dam id");
        return;
    }
    GE_ReplaceLineObject(set.items, set.count, index, line);
    if (set.extra)
        set.extra[index] = direction;
    GE_RedrawAll(0);
}

void GE_ClearThinDam(int32_t index)
{
    GE_LineSet &set = global_windata.thinDams;
    if (!InLineSet(set, index)) {
        GE_StatusMessage("No valid thin dam id");
        return;
    }
    set.items[index] = Placeholder();
    if (set.extra)
        set.extra[index] = GEdit_V_DAM;
    GE_RedrawAll(0);
}

int GE_ThinDamFromClicks(int32_t s, const GE_LineObject &S, int32_t firstM, int32_t firstN, int32_t t,
                         const GE_LineObject &T, int32_t endM, int32_t endN, GE_LineObject *dam, int32_t *direction)
{
    GE_LineObject line{};
    const GE_LineObject ends = Line(S.m1, S.n1, T.m1, T.n1);
    if (GE_NormaliseLine(&ends, &line)) {
        const int32_t swap = s;
        s = t;
        t = swap;
    }
    const int32_t l = line.m1, m0 = line.n1, o = line.m2, r = line.n2;
    const auto both = [&](int32_t lo, int32_t hi) { return In(s, lo, hi) && In(t, lo, hi); };
    const auto corner = [](int32_t c) { return c <= 2 || c >= 13; };
    int32_t dir = GEdit_V_DAM;
    GE_LineObject out{};
    // A wall along a column or row of cells is taken from the cells: the
    // side's first point depends on which of its corners was nearer, which
    // would move the wall by one cell for clicks past a side's middle.
    const int32_t nLow = firstN < endN ? firstN : endN, nHigh = firstN < endN ? endN : firstN;
    const int32_t mLow = firstM < endM ? firstM : endM, mHigh = firstM < endM ? endM : firstM;
    if (firstM == endM && firstN != endN) {
        if (both(1, 6) || both(9, 14)) {
            dir = GEdit_U_DAM;
            const int32_t mu = In(s, 1, 6) ? firstM : firstM - 1;
            out = Line(mu, nLow, mu, nHigh);
        } else {
            const int32_t lv = In(s, 8, 15) ? l + 1 : l;
            out = Line(lv, m0, lv, r);
        }
    } else if (firstM == endM && firstN == endN && s == t) {
        if (s <= 1 || s >= 14) {
            out = Line(s >= 14 ? l + 1 : l, m0, 0, 0);
        } else if (In(s, 2, 5)) {
            dir = GEdit_U_DAM;
            out = Line(l, s >= 4 ? m0 + 1 : m0, 0, 0);
        } else if (In(s, 6, 9)) {
            out = Line(s >= 8 ? l + 1 : l, m0, 0, 0);
        } else {
            dir = GEdit_U_DAM;
            out = Line(l, s <= 11 ? m0 + 1 : m0, 0, 0);
        }
        out.m2 = out.m1;
        out.n2 = out.n1;
    } else if (firstM == endM && firstN == endN) {
        if (In(s, 12, 15) && In(t, 0, 3))
            dir = GEdit_V_DAM;
        else if (In(s, 4, 7) && In(t, 0, 3))
            dir = GEdit_U_DAM;
        else if (In(s, 8, 11) && In(t, 4, 7))
            dir = GEdit_V_DAM;
        else if (In(s, 8, 11) && In(t, 12, 15))
            dir = GEdit_U_DAM;
        else
            return 0;
        out = Line(o, r, o, r);
    } else if (firstN == endN) {
        if ((corner(s) && corner(t)) || both(5, 10)) {
            const int32_t nv = corner(s) ? firstN : firstN - 1;
            out = Line(mLow, nv, mHigh, nv);
        } else {
            dir = GEdit_U_DAM;
            const int32_t nu = In(s, 4, 11) ? m0 + 1 : m0;
            out = Line(l, nu, o, nu);
        }
    } else {
        out = Line(l, m0, o, r);
        if (s <= 1 || s >= 14) {
            out.m1 += s >= 14;
        } else if (In(s, 2, 5)) {
            dir = GEdit_U_DAM;
            out.n1 += s >= 4;
        } else if (In(s, 6, 9)) {
            out.m1 += s >= 8;
        } else {
            dir = GEdit_U_DAM;
            out.n1 += s <= 11;
        }
        if (t == 4 || t == 5 || t == 10 || t == 11)
            out.n2 += 1;
        else if (t == 8 || t == 9 || t == 14 || t == 15)
            out.m2 += 1;
    }
    if (!StraightOrDiagonal(out))
        return -1;
    *dam = out;
    *direction = dir;
    return 1;
}

int GE_ThinDamCellsActive(const GE_LineObject *dam, int32_t direction)
{
    if (direction != GEdit_U_DAM && direction != GEdit_V_DAM)
        return 0;
    const int32_t mmax = global_windata.grid.mmax, nmax = global_windata.grid.nmax;
    const GE_LineObject d = *dam;
    const auto sideActive = [&](int32_t m, int32_t n) {
        return direction == GEdit_U_DAM ? Active(m, n) || Active(m + 1, n) : Active(m, n) || Active(m, n + 1);
    };
    if (d.m1 == d.m2 && d.n1 == d.n2)
        return In(d.m1, 1, mmax) && In(d.n1, 1, nmax) && sideActive(d.m1, d.n1);
    if (!StraightOrDiagonal(d))
        return 0;
    if (direction == GEdit_U_DAM ? !In(d.m1, 1, mmax) || !In(d.m2, 1, mmax) || !In(d.n1, 2, nmax) || !In(d.n2, 2, nmax)
                                 : !In(d.n1, 1, nmax) || !In(d.n2, 1, nmax) || !In(d.m1, 2, mmax) || !In(d.m2, 2, mmax))
        return 0;
    const int32_t dm = Sign(d.m2 - d.m1), dn = Sign(d.n2 - d.n1);
    const int32_t steps = std::abs(d.m2 - d.m1) > std::abs(d.n2 - d.n1) ? std::abs(d.m2 - d.m1) : std::abs(d.n2 - d.n1);
    for (int32_t k = 0; k <= steps; ++k)
        if (!sideActive(d.m1 + k * dm, d.n1 + k * dn))
            return 0;
    return 1;
}

// ---------------------------------------------------------------- drogues

void GE_SetDrogues(const GE_PointObject *points, int32_t count)
{
    GE_PointSet &set = global_windata.drogues;
    if (GE_CopyPointObjects(&set.items, &set.count, points, count))
        global_windata.option_loaded[GEdit_SHOW_DROGUES] = 1;
}

int GE_SelectDrogue(int32_t index)
{
    GE_PointSet &set = global_windata.drogues;
    if (!InPointSet(set, index)) {
        GE_StatusMessage("Drogue id invalid");
        return 0;
    }
    return GE_SelectIndex(index, &set.selected, set.count);
}

void GE_AddDrogue(const GE_PointObject *point)
{
    if (point)
        GE_AppendObject(&global_windata.drogues.items, &global_windata.drogues.count, point);
}

void GE_DeleteDrogue(int32_t index)
{
    GE_PointSet &set = global_windata.drogues;
    if (!InPointSet(set, index)) {
        GE_StatusMessage("Drogue id invalid");
        return;
    }
    GE_DeleteObject(&set.items, &set.count, index);
    GE_FixSelection(index, &set.selected);
    GE_RedrawAll(0);
}

void GE_ModifyDrogue(const GE_PointObject *point, int32_t index)
{
    GE_PointSet &set = global_windata.drogues;
    if (!InPointSet(set, index) || !point) {
        GE_StatusMessage("Drogue id invalid");
        return;
    }
    GE_ReplaceObject(set.items, set.count, index, point);
    GE_RedrawAll(0);
}

int16_t GE_DrogueCellValid(float x, float y)
{
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e9f || std::fabs(y) > 1e9f)
        return 0;
    const int32_t m = static_cast<int32_t>(std::trunc(x)) + 1, n = static_cast<int32_t>(std::trunc(y)) + 1;
    return In(m, 2, global_windata.grid.mmax) && In(n, 2, global_windata.grid.nmax) && Active(m, n) ? 1 : 0;
}
