// The sets of dry points, thin dams and drogues and the placement rules of
// their two-click edits (see line_objects.h).
#include "line_objects.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ge_list.h"
#include "grid_data.h"

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

bool InLineSet(const GE_LineSet &set, int32_t index) { return index >= 0 && index < set.count; }
bool InPointSet(const GE_PointSet &set, int32_t index) { return index >= 0 && index < set.count; }

// The operations shared by the line sets; the int array parallel to the
// records (thin-dam directions, boundary kinds) goes along when withExtra.
int SelectLine(GE_LineSet &set, int32_t index, const char *invalid)
{
    if (!InLineSet(set, index)) {
        if (invalid)
            GE_StatusMessage(invalid);
        return 0;
    }
    return GE_SelectIndex(index, &set.selected, set.count);
}

void AddLine(GE_LineSet &set, const GE_LineObject *line, bool withExtra, int32_t value)
{
    if (withExtra) {
        void *grown = GE_ReAlloc(set.extra, sizeof(int32_t) * static_cast<size_t>(set.count + 1));
        if (!grown)
            return;
        set.extra = static_cast<int32_t *>(grown);
    }
    const GE_LineObject record = line ? *line : Placeholder();
    if (GE_AppendLineObject(&set.items, &set.count, &record) && withExtra)
        set.extra[set.count - 1] = value;
}

void DeleteLine(GE_LineSet &set, int32_t index, const char *invalid)
{
    if (!InLineSet(set, index)) {
        GE_StatusMessage(invalid);
        return;
    }
    GE_DeleteLineObject(&set.items, &set.count, index);
    if (set.extra)
        std::memmove(set.extra + index, set.extra + index + 1,
                     sizeof(int32_t) * static_cast<size_t>(set.count - index));
    GE_FixSelection(index, &set.selected);
    GE_RedrawAll(0);
}

void ModifyLine(GE_LineSet &set, const GE_LineObject *line, int32_t index, const char *invalid, bool withExtra,
                int32_t value)
{
    if (!InLineSet(set, index) || !line) {
        GE_StatusMessage(invalid);
        return;
    }
    GE_ReplaceLineObject(set.items, set.count, index, line);
    if (withExtra && set.extra)
        set.extra[index] = value;
    GE_RedrawAll(0);
}

// Replaces the records and the int array parallel to them (taken over, not
// copied); on failure the set stays and the array is freed.
void SetLinesWithExtra(GE_LineSet &set, const GE_LineObject *lines, int32_t count, int32_t *extra)
{
    if (!GE_CopyLineObjects(&set.items, &set.count, lines, count)) {
        if (extra != set.extra)
            GE_Free(extra);
        return;
    }
    if (extra != set.extra)
        GE_Free(set.extra);
    set.extra = extra;
}

// Whether every step along a straight or diagonal line passes the test.
template <typename Test> bool EveryPoint(const GE_LineObject &l, Test test)
{
    const int32_t dm = Sign(l.m2 - l.m1), dn = Sign(l.n2 - l.n1);
    const int32_t steps = std::abs(l.m2 - l.m1) > std::abs(l.n2 - l.n1) ? std::abs(l.m2 - l.m1) : std::abs(l.n2 - l.n1);
    for (int32_t k = 0; k <= steps; ++k)
        if (!test(l.m1 + k * dm, l.n1 + k * dn))
            return false;
    return true;
}

// An open boundary given in cells, in grid points; a line the point types
// cannot convert (a single cell of no boundary type, a bent line) is kept
// as given.
GE_LineObject BoundaryToNodes(const GE_LineObject &cells)
{
    GE_LineObject nodes = cells;
    if (GE_IsPlaceholder(cells))
        return nodes;
    const bool single = cells.m1 == cells.m2 && cells.n1 == cells.n2;
    if (single && !GE_IsBoundaryPointType(GE_GridPointType(nullptr, cells.m1, cells.n1)))
        return nodes;
    if (!GE_BoundaryLineToNodes(&cells, &nodes))
        nodes = cells;
    return nodes;
}

}  // namespace

bool GE_IsPlaceholder(const GE_LineObject &l)
{
    return l.m1 == GE_PLACEHOLDER && l.n1 == GE_PLACEHOLDER && l.m2 == GE_PLACEHOLDER && l.n2 == GE_PLACEHOLDER;
}

// ---------------------------------------------------------------- dry points

// The set functions show their kinds in the map windows with their View >
// Attributes item (20038 dry points, 20039 thin dams, 20041 drogues, 20045
// cross sections, 20046 open boundaries) and Attribute Names item.
void GE_SetDryPoints(const GE_LineObject *lines, int32_t count)
{
    GE_LineSet &set = global_windata.dryPoints;
    if (GE_CopyLineObjects(&set.items, &set.count, lines, count))
        GE_AttributeLoaded(GEdit_SHOW_DRY_POINTS, 20038, -1);
}

int GE_SelectDryPoint(int32_t index) { return SelectLine(global_windata.dryPoints, index, "No valid Dry Point id"); }

void GE_AddDryPoint(const GE_LineObject *line) { AddLine(global_windata.dryPoints, line, false, 0); }

void GE_DeleteDryPoint(int32_t index) { DeleteLine(global_windata.dryPoints, index, "Dry point id invalid"); }

void GE_ModifyDryPoint(const GE_LineObject *line, int32_t index)
{
    ModifyLine(global_windata.dryPoints, line, index, "Dry point id invalid", false, 0);
}

int GE_DryPointCellsActive(const GE_LineObject *line)
{
    const GE_LineObject l = *line;
    const int32_t mmax = global_windata.grid.mmax, nmax = global_windata.grid.nmax;
    if (!StraightOrDiagonal(l))
        return 0;
    if (!In(l.m1, 2, mmax) || !In(l.m2, 2, mmax) || !In(l.n1, 2, nmax) || !In(l.n2, 2, nmax))
        return 0;
    return EveryPoint(l, Active) ? 1 : 0;
}

// ---------------------------------------------------------------- thin dams

void GE_SetThinDams(const GE_LineObject *lines, int32_t count, const int32_t *directions)
{
    if (count < 0 || (count > 0 && (!lines || !directions)))
        return;
    int32_t *copy = static_cast<int32_t *>(GE_Alloc(sizeof(int32_t) * static_cast<size_t>(count > 0 ? count : 1)));
    if (!copy)
        return;
    if (count > 0)
        std::memcpy(copy, directions, sizeof(int32_t) * static_cast<size_t>(count));
    SetLinesWithExtra(global_windata.thinDams, lines, count, copy);
    if (global_windata.thinDams.extra == copy)
        GE_AttributeLoaded(GEdit_SHOW_THIN_DAMS, 20039, -1);
}

int GE_SelectThinDam(int32_t index) { return SelectLine(global_windata.thinDams, index, "No valid thin dam id"); }

void GE_AddThinDam(const GE_LineObject *line, int32_t direction)
{
    AddLine(global_windata.thinDams, line, true, direction);
}

void GE_DeleteThinDam(int32_t index) { DeleteLine(global_windata.thinDams, index, "No valid thin dam id"); }

void GE_ModifyThinDam(const GE_LineObject *line, int32_t index, int32_t direction)
{
    ModifyLine(global_windata.thinDams, line, index, "No valid thin dam id", true, direction);
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
    return EveryPoint(d, sideActive) ? 1 : 0;
}

// ---------------------------------------------------------------- cross sections

void GE_SetCrossSections(const GE_LineObject *lines, int32_t count)
{
    GE_LineSet &set = global_windata.crossSections;
    if (GE_CopyLineObjects(&set.items, &set.count, lines, count))
        GE_AttributeLoaded(GEdit_SHOW_CROSS_SECTIONS, 20045, 20055);
}

int GE_SelectCrossSection(int32_t index)
{
    return SelectLine(global_windata.crossSections, index, "No valid Cross section id");
}

void GE_AddCrossSection(const GE_LineObject *line) { AddLine(global_windata.crossSections, line, false, 0); }

void GE_DeleteCrossSection(int32_t index)
{
    DeleteLine(global_windata.crossSections, index, "Cross section id invalid");
}

void GE_ModifyCrossSection(const GE_LineObject *line, int32_t index)
{
    ModifyLine(global_windata.crossSections, line, index, "Cross section id invalid", false, 0);
}

int GE_CrossSectionCellsActive(const GE_LineObject *cells)
{
    const GE_LineObject c = *cells;
    const int32_t mmax = global_windata.grid.mmax, nmax = global_windata.grid.nmax;
    if (c.m1 == c.m2) {
        if (!In(c.m1, 1, mmax) || !In(c.n1, 2, nmax) || !In(c.n2, 2, nmax))
            return 0;
        return EveryPoint(c, [](int32_t m, int32_t n) { return Active(m, n) || Active(m + 1, n); }) ? 1 : 0;
    }
    if (c.n1 == c.n2) {
        if (!In(c.n1, 1, nmax) || !In(c.m1, 2, mmax) || !In(c.m2, 2, mmax))
            return 0;
        return EveryPoint(c, [](int32_t m, int32_t n) { return Active(m, n) || Active(m, n + 1); }) ? 1 : 0;
    }
    return 0;
}

int GE_CrossSectionFromNodes(const GE_LineObject *nodes, GE_LineObject *section)
{
    const GE_LineObject &p = *nodes;
    const bool alongN = p.m1 == p.m2 && std::abs(p.n2 - p.n1) > 1;
    const bool alongM = p.n1 == p.n2 && std::abs(p.m2 - p.m1) > 1;
    GE_LineObject cells{};
    if ((!alongN && !alongM) || !GE_LineToCells(GE_LINE_CROSS_SECTION, nodes, &cells) ||
        !GE_CrossSectionCellsActive(&cells))
        return 0;
    GE_NormaliseLine(nodes, section);
    return 1;
}

int GE_FindCrossSection(const GE_LineObject *side, int32_t *index)
{
    const GE_LineSet &set = global_windata.crossSections;
    const GE_LineObject &S = *side;
    *index = -1;
    const auto within = [](int32_t v, int32_t a, int32_t b) { return In(v, a < b ? a : b, a < b ? b : a); };
    for (int32_t i = 0; i < set.count; ++i) {
        const GE_LineObject &l = set.items[i];
        if (GE_IsPlaceholder(l))
            continue;
        const bool picked = S.m1 == S.m2 ? l.m1 == l.m2 && l.m1 == S.m1 && within(S.n1, l.n1, l.n2) &&
                                               within(S.n2, l.n1, l.n2)
                                         : l.n1 == l.n2 && l.n1 == S.n1 && within(S.m1, l.m1, l.m2) &&
                                               within(S.m2, l.m1, l.m2);
        if (picked) {
            *index = i;
            return 1;
        }
    }
    return 0;
}

// ---------------------------------------------------------------- open boundaries

void GE_SetOpenBoundaries(const GE_LineObject *lines, int32_t count, int32_t *kinds)
{
    GE_LineSet &set = global_windata.openBoundaries;
    if (count < 0 || (count > 0 && (!lines || !kinds))) {
        if (kinds != set.extra)
            GE_Free(kinds);
        return;
    }
    std::vector<GE_LineObject> nodes(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        nodes[static_cast<size_t>(i)] = BoundaryToNodes(lines[i]);
    SetLinesWithExtra(set, nodes.data(), count, kinds);
    if (set.extra == kinds)
        GE_AttributeLoaded(GEdit_SHOW_OPEN_BOUNDARIES, 20046, 20056);
}

int GE_SelectOpenBoundary(int32_t index)
{
    return SelectLine(global_windata.openBoundaries, index, "No valid Open boundary id");
}

void GE_AddOpenBoundary(const GE_LineObject *line, int32_t kind)
{
    GE_LineObject nodes{};
    if (line)
        nodes = BoundaryToNodes(*line);
    AddLine(global_windata.openBoundaries, line ? &nodes : nullptr, true, kind);
}

void GE_DeleteOpenBoundary(int32_t index)
{
    DeleteLine(global_windata.openBoundaries, index, "Open boundary id invalid");
}

void GE_ModifyOpenBoundary(const GE_LineObject *line, int32_t index, int32_t kind)
{
    GE_LineObject nodes{};
    if (line)
        nodes = BoundaryToNodes(*line);
    ModifyLine(global_windata.openBoundaries, line ? &nodes : nullptr, index, "Open boundary id invalid", true, kind);
}

int GE_OpenBoundaryFromNodes(const GE_LineObject *nodes, int waterLevel, GE_LineObject *cells)
{
    const GE_GridData *data = GE_CurrentGridData();
    const GE_LineObject &p = *nodes;
    if (!data || (p.m1 == p.m2 && p.n1 == p.n2) || !StraightOrDiagonal(p))
        return GE_BOUNDARY_INVALID;
    GE_LineObject c{};
    if (!GE_LineToCells(Qnx_Boundary, nodes, &c))
        return GE_BOUNDARY_INVALID;
    *cells = c;
    if (c.m1 != c.m2 || c.n1 != c.n2)
        return GE_OpenBoundaryLineValid(data->cellTypes, &c, waterLevel);
    // One cell: its type must fit the form of the segment.
    const int32_t type = GE_GridPointType(data, c.m1, c.n1);
    const bool fits = p.m1 == p.m2   ? type == 2 || type == 3
                      : p.n1 == p.n2 ? type == 4 || type == 5
                                     : type == 6 || type == 7;
    if (!fits)
        return GE_BOUNDARY_INVALID;
    return GE_OpenBoundaryPointValid(data->cellTypes, c.m1, c.n1, waterLevel);
}

int GE_FindOpenBoundary(const GE_LineObject *side, int32_t *index)
{
    const GE_LineSet &set = global_windata.openBoundaries;
    const GE_LineObject &S = *side;
    *index = -1;
    for (int32_t i = 0; i < set.count; ++i) {
        GE_LineObject l{};
        if (GE_IsPlaceholder(set.items[i]))
            continue;
        GE_NormaliseLine(&set.items[i], &l);
        bool picked = false;
        if (l.m1 == l.m2 && l.n1 != l.n2)
            picked = S.m1 == S.m2 && S.m1 == l.m1 && In(S.n1, l.n1, l.n2) && In(S.n2, l.n1, l.n2);
        else if (l.n1 == l.n2 && l.m1 != l.m2)
            picked = S.n1 == S.n2 && S.n1 == l.n1 && In(S.m1, l.m1, l.m2) && In(S.m2, l.m1, l.m2);
        else
            picked = StraightOrDiagonal(l) &&
                     !EveryPoint(l, [&](int32_t m, int32_t n) { return m != S.m1 || n != S.n1; });
        if (picked) {
            *index = i;
            return 1;
        }
    }
    return 0;
}

// ---------------------------------------------------------------- drogues

void GE_SetDrogues(const GE_PointObject *points, int32_t count)
{
    GE_PointSet &set = global_windata.drogues;
    if (GE_CopyPointObjects(&set.items, &set.count, points, count))
        GE_AttributeLoaded(GEdit_SHOW_DROGUES, 20041, 20051);
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
