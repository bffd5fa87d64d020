// Line objects and drogues in the map windows (see
// line_object_editing.h).  A line is placed by pressing in its first cell
// and releasing in its last; the rubber band follows the pointer between.
// The four line kinds share that protocol; each adds its texts, pick,
// line building and storing through a LineKind record.
#include "line_object_editing.h"

#include <cstring>
#include <vector>

#include "dialog_controls.h"
#include "grid_data.h"
#include "line_objects.h"
#include "map_window_state.h"

namespace {

constexpr int32_t SOLID = 2;
constexpr RUV_COLOR RED = 0x01FF0000u, DRY = 0x00FFD600u, DAM = 0x00D8D800u, DROGUE = 0x00990099u;
constexpr RUV_COLOR SECTION = 0x0400FFFFu, BOUNDARY = 0x000000FFu;

// The first cell of the line being placed (one window edits at a time).
int32_t g_firstM = -1, g_firstN = -1;

void Status(RUV_WIN window, const char *text) { SetStatusFields(window, 0, text, nullptr, nullptr); }

void Pen(RUV_WIN window, int16_t width, RUV_COLOR colour)
{
    const RUV_CPEN pen{ width, SOLID, 0, colour };
    ruv_dwin_set_cpen(window, &pen);
    ruv_dwin_set_fore_color(window, colour);
}

bool Shown(RUV_WIN window, int32_t attribute, const GE_WindowData **data)
{
    *data = GE_MapWindowData(window);
    return *data && (*data)->shown[attribute];
}

// The cell under an event's pixel; 0 off the grid.
bool CellAt(RUV_WIN window, const RUV_EVENT *event, int32_t *m, int32_t *n)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    return d && GE_DataPixelToCell(d, event->v.mouse.h, event->v.mouse.v, m, n) && *m >= 2 && *n >= 2;
}

void ReportLines(int32_t kind, int32_t operation, int32_t index, const GE_LineSet &set, bool withExtra)
{
    const GE_GlobalData &g = global_windata;
    if (g.callbacks[kind])
        g.callbacks[kind](g.userData[kind], kind, operation, index, nullptr, nullptr, set.items,
                          withExtra ? set.extra : nullptr, set.count);
}

void ReportPoints(int32_t kind, int32_t operation, int32_t index, const GE_PointSet &set)
{
    const GE_GlobalData &g = global_windata;
    if (g.callbacks[kind])
        g.callbacks[kind](g.userData[kind], kind, operation, index, nullptr, set.items, nullptr, nullptr, set.count);
}

void Forget(RUV_WIN window)
{
    if (GE_MapWindowState *mw = GE_WindowState(window))
        GE_ForgetClicks(&mw->data);
    g_firstM = g_firstN = -1;
}

// ---------------------------------------------------------------- picking

// The thin dam through the side of cell (m, n) nearest to the pixel.
bool PickThinDam(RUV_WIN window, int32_t px, int32_t py, int32_t m, int32_t n, int32_t *index)
{
    int32_t code = -1;
    GE_LineObject side{};
    GE_NearestCellSide(window, px, py, m, n, &code, &side);
    if (code < 0)
        return false;
    const GE_LineSet &set = global_windata.thinDams;
    const int32_t direction = side.n1 == side.n2 ? GEdit_V_DAM : GEdit_U_DAM;
    std::vector<int32_t> sm, sn;
    for (int32_t i = 0; i < set.count; ++i) {
        if (GE_IsPlaceholder(set.items[i]) || !set.extra || set.extra[i] != direction)
            continue;
        // Walked as it is drawn: from its lower end.
        GE_LineObject dam{};
        GE_NormaliseLine(&set.items[i], &dam);
        const int32_t room = GE_ThinDamRoom(&dam);
        sm.resize(static_cast<size_t>(room));
        sn.resize(static_cast<size_t>(room));
        const int32_t segments = GE_ThinDamSegments(&dam, direction, sm.data(), sn.data(), room);
        for (int32_t k = 0; k < segments; ++k) {
            const bool same = (sm[2 * k] == side.m1 && sn[2 * k] == side.n1 && sm[2 * k + 1] == side.m2 &&
                               sn[2 * k + 1] == side.n2) ||
                              (sm[2 * k] == side.m2 && sn[2 * k] == side.n2 && sm[2 * k + 1] == side.m1 &&
                               sn[2 * k + 1] == side.n1);
            if (same) {
                *index = i;
                return true;
            }
        }
    }
    return false;
}

bool PickDryPoint(int32_t m, int32_t n, int32_t *index)
{
    const GE_LineSet &set = global_windata.dryPoints;
    for (int32_t i = 0; i < set.count; ++i) {
        if (GE_IsPlaceholder(set.items[i]))
            continue;
        int32_t found = -1;
        if (GE_FindLineObject(&set.items[i], 1, m, n, &found)) {
            *index = i;
            return true;
        }
    }
    return false;
}

// The side of cell (m, n) nearest to a pixel, as a line between grid points.
bool SideAt(RUV_WIN window, int32_t px, int32_t py, int32_t m, int32_t n, GE_LineObject *side)
{
    int32_t code = -1;
    GE_NearestCellSide(window, px, py, m, n, &code, side);
    return code >= 0;
}

// The line between the first grid points of the sides nearest to the two
// clicks (click 0 in the first cell, click 1 in cell (m, n)).
GE_LineObject NodesOfClicks(RUV_WIN window, const GE_WindowData &d, int32_t m, int32_t n)
{
    GE_LineObject S{}, T{}, nodes{};
    GE_NearestCellSide(window, d.clickX[0], d.clickY[0], g_firstM, g_firstN, nullptr, &S);
    GE_NearestCellSide(window, d.clickX[1], d.clickY[1], m, n, nullptr, &T);
    nodes.m1 = S.m1;
    nodes.n1 = S.n1;
    nodes.m2 = T.m1;
    nodes.n2 = T.n1;
    return nodes;
}

bool Usable(int32_t m, int32_t n) { return GE_CellStatus(m, n) == GE_CELL_ACTIVE; }
bool Inside(int32_t m, int32_t n) { return GE_GridPointType(nullptr, m, n) == 1; }

// ---------------------------------------------------------------- the two-click lines

// What a line kind adds to the shared protocol: its texts (NULL: silent),
// which cells a press may start in, its pick, how the second click makes
// its line, and how an added or moved line is stored.
struct LineKind {
    int32_t kind;
    GE_LineSet *set;
    bool reportExtra;                  // the callback gets the int array
    const char *noCell, *inactive, *notPicked;
    const char *noCellOnDelete, *inactiveOnDelete, *notPickedOnDelete, *noCellOnFinish;
    bool (*usable)(int32_t m, int32_t n);
    bool (*pick)(RUV_WIN window, const RUV_EVENT *event, int32_t m, int32_t n, int32_t *index);
    int (*select)(int32_t index);
    // The line of the two clicks, or false with the refusal text (NULL: silent).
    bool (*build)(RUV_WIN window, const GE_WindowData &d, int32_t m, int32_t n, GE_LineObject *line, int32_t *value,
                  const char **refusal);
    void (*add)(const GE_LineObject &line, int32_t value);
    void (*move)(int32_t index, GE_LineObject line, int32_t value);
    void (*drawAdded)(RUV_WIN window);  // drawn in every window after an add, or NULL
};

bool PickDry(RUV_WIN, const RUV_EVENT *, int32_t m, int32_t n, int32_t *index) { return PickDryPoint(m, n, index); }
bool PickDam(RUV_WIN w, const RUV_EVENT *e, int32_t m, int32_t n, int32_t *index)
{
    return PickThinDam(w, e->v.mouse.h, e->v.mouse.v, m, n, index);
}
bool PickSection(RUV_WIN w, const RUV_EVENT *e, int32_t m, int32_t n, int32_t *index)
{
    GE_LineObject side{};
    return SideAt(w, e->v.mouse.h, e->v.mouse.v, m, n, &side) && GE_FindCrossSection(&side, index);
}
bool PickBoundary(RUV_WIN w, const RUV_EVENT *e, int32_t m, int32_t n, int32_t *index)
{
    GE_LineObject side{};
    return SideAt(w, e->v.mouse.h, e->v.mouse.v, m, n, &side) && GE_FindOpenBoundary(&side, index);
}

bool BuildDry(RUV_WIN, const GE_WindowData &, int32_t m, int32_t n, GE_LineObject *line, int32_t *,
              const char **refusal)
{
    line->m1 = g_firstM;
    line->n1 = g_firstN;
    line->m2 = m;
    line->n2 = n;
    *refusal = "Dry points contain INACTIVE cells";
    return GE_DryPointCellsActive(line) != 0;
}

bool BuildDam(RUV_WIN w, const GE_WindowData &d, int32_t m, int32_t n, GE_LineObject *line, int32_t *direction,
              const char **refusal)
{
    int32_t s = -1, t = -1;
    GE_LineObject S{}, T{};
    GE_NearestCellSide(w, d.clickX[0], d.clickY[0], g_firstM, g_firstN, &s, &S);
    GE_NearestCellSide(w, d.clickX[1], d.clickY[1], m, n, &t, &T);
    const int placed = GE_ThinDamFromClicks(s, S, g_firstM, g_firstN, t, T, m, n, line, direction);
    *refusal = placed < 0 ? "No GRID cell pointed" : "Invalid thin dam line";
    return placed > 0 && GE_ThinDamCellsActive(line, *direction);
}

bool BuildSection(RUV_WIN w, const GE_WindowData &d, int32_t m, int32_t n, GE_LineObject *line, int32_t *,
                  const char **refusal)
{
    const GE_LineObject nodes = NodesOfClicks(w, d, m, n);
    *refusal = "Invalid cross section line";
    return GE_CrossSectionFromNodes(&nodes, line) != 0;
}

bool BuildBoundary(RUV_WIN w, const GE_WindowData &d, int32_t m, int32_t n, GE_LineObject *line, int32_t *kind,
                   const char **refusal)
{
    const GE_LineSet &set = global_windata.openBoundaries;
    // A new boundary is a water-level boundary; a moved one keeps its kind.
    *kind = 1;
    if (global_windata.currentOperation == GEmode_MODIFY && set.extra)
        *kind = set.extra[set.selected];
    const GE_LineObject nodes = NodesOfClicks(w, d, m, n);
    const int result = GE_OpenBoundaryFromNodes(&nodes, *kind == 1, line);
    *refusal =
        result == GE_BOUNDARY_WATER_LEVEL_ONLY ? "Only valid with Waterlevel boundaries" : "Invalid boundary line";
    return result == GE_BOUNDARY_VALID;
}

void AddDry(const GE_LineObject &line, int32_t) { GE_AddDryPoint(&line); }
void AddDam(const GE_LineObject &line, int32_t direction) { GE_AddThinDam(&line, direction); }
void AddSection(const GE_LineObject &line, int32_t) { GE_AddCrossSection(&line); }
void AddBoundary(const GE_LineObject &line, int32_t kind) { GE_AddOpenBoundary(&line, kind); }

// A moved dry-point run gets no name; the other kinds keep theirs (a dam
// its new direction, a boundary its kind).
void KeepName(const GE_LineSet &set, int32_t index, GE_LineObject *line)
{
    std::memcpy(line->name, set.items[index].name, sizeof line->name);
}
void MoveDry(int32_t index, GE_LineObject line, int32_t)
{
    GE_LineSet &set = global_windata.dryPoints;
    GE_ReplaceLineObject(set.items, set.count, index, &line);
}
void MoveDam(int32_t index, GE_LineObject line, int32_t direction)
{
    GE_LineSet &set = global_windata.thinDams;
    KeepName(set, index, &line);
    GE_ReplaceLineObject(set.items, set.count, index, &line);
    if (set.extra)
        set.extra[index] = direction;
}
void MoveSection(int32_t index, GE_LineObject line, int32_t)
{
    GE_LineSet &set = global_windata.crossSections;
    KeepName(set, index, &line);
    GE_ReplaceLineObject(set.items, set.count, index, &line);
}
void MoveBoundary(int32_t index, GE_LineObject line, int32_t kind)
{
    KeepName(global_windata.openBoundaries, index, &line);
    GE_ModifyOpenBoundary(&line, index, kind);
}

void DrawSelectedSection(RUV_WIN w);
void DrawSelectedBoundary(RUV_WIN w);
void SelectedDrogue(RUV_WIN w);

LineKind DryPoints()
{
    return { GEkind_DRY_POINT, &global_windata.dryPoints, false, "No GRID cell pointed", "No ACTIVE cell pointed",
             "No dry point pointed", "No GRID cell pointed", "No active point selected", "No dry point pointed",
             "No GRID cell pointed", Usable, PickDry, GE_SelectDryPoint, BuildDry, AddDry, MoveDry, nullptr };
}
LineKind ThinDams()
{
    return { GEkind_THIN_DAM, &global_windata.thinDams, true, "No GRID cell selected", "No ACTIVE gridpoint selected",
             "No thin dam pointed", nullptr, nullptr, "No thin dam pointed", nullptr, Usable, PickDam,
             GE_SelectThinDam, BuildDam, AddDam, MoveDam, nullptr };
}
LineKind CrossSections()
{
    return { GEkind_CROSS_SECTION, &global_windata.crossSections, false, "No GRID cell pointed",
             "No ACTIVE grid cell pointed", "No cross section pointed", "No GRID cell pointed", nullptr,
             "No cross section pointed", "No GRID cell pointed", Usable, PickSection, GE_SelectCrossSection,
             BuildSection, AddSection, MoveSection, DrawSelectedSection };
}
LineKind OpenBoundaries()
{
    return { GEkind_OPEN_BOUNDARY, &global_windata.openBoundaries, false, "First click: No GRID cell pointed", nullptr,
             "No boundary pointed", nullptr, nullptr, "No open boundary pointed", "No GRID cell pointed", Inside,
             PickBoundary, GE_SelectOpenBoundary, BuildBoundary, AddBoundary, MoveBoundary, DrawSelectedBoundary };
}

void StatusOrSilent(RUV_WIN window, const char *text)
{
    if (text)
        Status(window, text);
}

void LineMouseDown(RUV_WIN window, RUV_EVENT *event, const LineKind &k)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    int32_t m = -1, n = -1;
    if (!mw)
        return;
    if (!CellAt(window, event, &m, &n)) {
        StatusOrSilent(window, k.noCell);
        return;
    }
    if (!k.usable(m, n)) {
        StatusOrSilent(window, k.inactive);
        return;
    }
    GE_WindowData &d = mw->data;
    GE_LineSet &set = *k.set;
    const int32_t operation = global_windata.currentOperation;
    const bool selected = set.selected >= 0 && set.selected < set.count;
    if (operation == GEmode_ADD || (operation == GEmode_MODIFY && selected)) {
        g_firstM = m;
        g_firstN = n;
        d.clickCounter = 1;
        d.clickX[0] = d.clickX[1] = event->v.mouse.h;
        d.clickY[0] = d.clickY[1] = event->v.mouse.v;
        d.moveFlag = 0;
        return;
    }
    if (operation != GEmode_MODIFY && operation != GEmode_VIEW)
        return;
    int32_t index = -1;
    if (!k.pick(window, event, m, n, &index)) {
        Status(window, k.notPicked);
        return;
    }
    if (operation == GEmode_MODIFY) {
        set.selected = index;
        GE_RedrawAll(0);
        ReportLines(k.kind, GEmode_MODIFY, index, set, k.reportExtra);
    } else {
        k.select(index);
        ReportLines(k.kind, GEmode_VIEW, set.selected, set, k.reportExtra);
    }
    Status(window, "");
}

void LineFinish(RUV_WIN window, RUV_EVENT *event, const LineKind &k)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw || mw->data.clickCounter != 1)
        return;
    GE_WindowData &d = mw->data;
    GE_EraseRubberBand(window);
    d.clickX[1] = event->v.mouse.h;
    d.clickY[1] = event->v.mouse.v;
    GE_LineSet &set = *k.set;
    const int32_t operation = global_windata.currentOperation;
    int32_t m = -1, n = -1, value = GEdit_V_DAM;
    GE_LineObject line{};
    const char *refusal = k.noCellOnFinish;
    // A move needs the line it moves: a selection the owner has since
    // taken away ends the placement.
    const bool moving = operation == GEmode_MODIFY;
    if (moving && (set.selected < 0 || set.selected >= set.count)) {
        Forget(window);
        return;
    }
    const bool good = CellAt(window, event, &m, &n) && k.build(window, d, m, n, &line, &value, &refusal);
    if (good && operation == GEmode_ADD) {
        k.add(line, value);
        set.selected = set.count - 1;
        GE_RedrawAll(0);
        ReportLines(k.kind, GEmode_ADD, set.selected, set, k.reportExtra);
        if (k.drawAdded)
            GE_ForAllWindows(k.drawAdded);
        Status(window, "");
    } else if (good) {
        k.move(set.selected, line, value);
        ReportLines(k.kind, GEmode_MODIFY, set.selected, set, k.reportExtra);
        set.selected = -1;
        GE_RedrawAll(0);
        Status(window, "");
    } else {
        StatusOrSilent(window, refusal);
    }
    Forget(window);
}

void LineMouseUp(RUV_WIN window, RUV_EVENT *event, const LineKind &k)
{
    const int32_t operation = global_windata.currentOperation;
    if (operation == GEmode_ADD || operation == GEmode_MODIFY) {
        LineFinish(window, event, k);
        return;
    }
    if (operation != GEmode_DELETE)
        return;
    int32_t m = -1, n = -1, index = -1;
    if (!CellAt(window, event, &m, &n)) {
        StatusOrSilent(window, k.noCellOnDelete);
        return;
    }
    if (k.inactiveOnDelete && GE_CellStatus(m, n) != GE_CELL_ACTIVE) {
        Status(window, k.inactiveOnDelete);
        return;
    }
    if (!k.pick(window, event, m, n, &index)) {
        Status(window, k.notPickedOnDelete);
        return;
    }
    // The owner deletes it when it agrees.
    ReportLines(k.kind, GEmode_DELETE, index, *k.set, k.reportExtra);
    Status(window, "");
}

// ---------------------------------------------------------------- drogues

void DrogueMouseDown(RUV_WIN window, RUV_EVENT *event)
{
    int32_t m = -1, n = -1, index = -1;
    if (!CellAt(window, event, &m, &n)) {
        Status(window, "No GRID cell pointed");
        return;
    }
    if (GE_CellStatus(m, n) != GE_CELL_ACTIVE) {
        Status(window, "No ACTIVE grid cell pointed");
        return;
    }
    if (global_windata.currentOperation != GEmode_VIEW)
        return;
    GE_PointSet &set = global_windata.drogues;
    float x = 0.0f, y = 0.0f;
    GE_DataPixelToWorld(GE_MapWindowData(window), event->v.mouse.h, event->v.mouse.v, &x, &y);
    if (!GE_PickPointObject(set.items, set.count, m, n, x, y, &index)) {
        Status(window, "No drogue pointed");
        return;
    }
    GE_SelectDrogue(index);
    ReportPoints(GEkind_DROGUE, GEmode_VIEW, set.selected, set);
    Status(window, "");
}

void DrogueMouseUp(RUV_WIN window, RUV_EVENT *event)
{
    int32_t m = -1, n = -1, index = -1;
    if (!CellAt(window, event, &m, &n) || GE_CellStatus(m, n) != GE_CELL_ACTIVE)
        return;
    GE_PointSet &set = global_windata.drogues;
    GE_PointObject clicked{};
    clicked.m = m;
    clicked.n = n;
    GE_DataPixelToWorld(GE_MapWindowData(window), event->v.mouse.h, event->v.mouse.v, &clicked.x, &clicked.y);
    switch (global_windata.currentOperation) {
    case GEmode_ADD:
        GE_AddDrogue(&clicked);
        set.selected = set.count - 1;
        GE_RedrawAll(0);
        ReportPoints(GEkind_DROGUE, GEmode_ADD, set.selected, set);
        // With the name its owner may have given it.
        GE_ForAllWindows(SelectedDrogue);
        break;
    case GEmode_DELETE:
        if (!GE_PickPointObject(set.items, set.count, m, n, clicked.x, clicked.y, &index)) {
            Status(window, "No drogue pointed");
            return;
        }
        ReportPoints(GEkind_DROGUE, GEmode_DELETE, index, set);
        break;
    case GEmode_MODIFY:
        if (set.selected < 0 || set.selected >= set.count) {
            if (!GE_PickPointObject(set.items, set.count, m, n, clicked.x, clicked.y, &index)) {
                Status(window, "No drogue pointed");
                return;
            }
            set.selected = index;
            ReportPoints(GEkind_DROGUE, GEmode_MODIFY, index, set);
            GE_SelectDrogue(index);
        } else {
            index = set.selected;
            std::memcpy(clicked.name, set.items[index].name, sizeof clicked.name);
            GE_ModifyDrogue(&clicked, index);
            ReportPoints(GEkind_DROGUE, GEmode_MODIFY, index, set);
            set.selected = -1;
        }
        break;
    default: return;
    }
    Status(window, "");
}

// ---------------------------------------------------------------- drawing

void DrawDryRun(RUV_WIN window, const GE_LineObject &raw)
{
    GE_LineObject l{};
    GE_NormaliseLine(&raw, &l);
    const GE_GridState &grid = global_windata.grid;
    if (l.m1 < 2 || l.m2 > grid.mmax || l.n1 < 2 || l.n2 > grid.nmax || l.n1 > grid.nmax || l.n2 < 2)
        return;
    const int32_t dm = l.m1 != l.m2 ? 1 : 0, dn = (l.n2 > l.n1) - (l.n2 < l.n1);
    for (int32_t m = l.m1, n = l.n1;; m += dm, n += dn) {
        GE_DrawCellPolygon(window, m, n);
        if ((m == l.m2 && n == l.n2) || (dm == 0 && dn == 0))
            break;
        if (m > grid.mmax || n > grid.nmax || n < 2)
            break;
    }
}

void DrawDryWith(RUV_WIN window, RUV_COLOR colour, bool selectedOnly)
{
    const GE_WindowData *d = nullptr;
    const GE_LineSet &set = global_windata.dryPoints;
    if (!Shown(window, GEdit_SHOW_DRY_POINTS, &d))
        return;
    const RUV_CBRUSH brush{ SOLID, colour };
    ruv_dwin_set_cbrush(window, &brush);
    ruv_dwin_set_std_cpen(window, 1);
    // The cells mask what lies below them.
    ruv_dwin_set_draw_mode(window, 1);
    for (int32_t i = 0; i < set.count; ++i)
        if ((!selectedOnly || i == set.selected) && !GE_IsPlaceholder(set.items[i]))
            DrawDryRun(window, set.items[i]);
    ruv_dwin_set_draw_mode(window, 0);
}

void DrawDam(RUV_WIN window, const GE_LineObject &raw, int32_t direction)
{
    GE_LineObject l{};
    GE_NormaliseLine(&raw, &l);
    if (direction == GEdit_V_DAM && l.n1 == l.n2) {
        GE_LineObject run = l;
        run.m1 = l.m1 - 1;
        GE_DrawLineObject(1, window, &run);
    } else if (direction == GEdit_U_DAM && l.m1 == l.m2) {
        GE_LineObject run = l;
        run.n1 = l.n1 - 1;
        GE_DrawLineObject(1, window, &run);
    } else if (direction == GEdit_U_DAM || direction == GEdit_V_DAM) {
        GE_DrawThinDam(window, &l, direction);
    }
}

void DrawDamsWith(RUV_WIN window, RUV_COLOR colour, bool selectedOnly)
{
    const GE_WindowData *d = nullptr;
    const GE_LineSet &set = global_windata.thinDams;
    if (!Shown(window, GEdit_SHOW_THIN_DAMS, &d) || !set.extra)
        return;
    Pen(window, 3, colour);
    for (int32_t i = 0; i < set.count; ++i)
        if ((!selectedOnly || i == set.selected) && !GE_IsPlaceholder(set.items[i]))
            DrawDam(window, set.items[i], set.extra[i]);
    ruv_dwin_set_std_cpen(window, 1);
}

RUV_POINT NodePixel(const GE_WindowData *d, float x, float y)
{
    int16_t px = 0, py = 0;
    GE_DataWorldToPixel(d, x, y, &px, &py);
    return RUV_POINT{ py, px };
}

void DrawDrogue(RUV_WIN window, const GE_WindowData *d, const GE_PointObject &p)
{
    const GE_GridState &grid = global_windata.grid;
    if (!grid.xcoord || p.m < 2 || p.n < 2 || p.m > grid.mmax || p.n > grid.nmax)
        return;
    const auto node = [&](int32_t m, int32_t n, float *x, float *y) {
        const size_t k = static_cast<size_t>(n - 1) * grid.mmax + (m - 1);
        *x = grid.xcoord[k];
        *y = grid.ycoord[k];
    };
    const auto mid = [&](int32_t ma, int32_t na, int32_t mb, int32_t nb) {
        float xa, ya, xb, yb;
        node(ma, na, &xa, &ya);
        node(mb, nb, &xb, &yb);
        return NodePixel(d, (xa + xb) / 2, (ya + yb) / 2);
    };
    const int32_t m = p.m, n = p.n;
    ruv_dwin_draw_set_pos(window, mid(m - 1, n, m, n));
    ruv_dwin_draw_line(window, mid(m, n - 1, m - 1, n - 1));
    ruv_dwin_draw_set_pos(window, mid(m - 1, n, m - 1, n - 1));
    const RUV_POINT end = mid(m, n - 1, m, n);
    ruv_dwin_draw_line(window, end);
    if (d->namesShown[GEdit_SHOW_DROGUES])
        GE_DrawLabel(window, p.name, (static_cast<int32_t>(end.h) << 16) | static_cast<uint16_t>(end.v));
}

void DrawDroguesWith(RUV_WIN window, RUV_COLOR colour, bool selectedOnly)
{
    const GE_WindowData *d = nullptr;
    const GE_PointSet &set = global_windata.drogues;
    if (!Shown(window, GEdit_SHOW_DROGUES, &d))
        return;
    Pen(window, 3, colour);
    for (int32_t i = 0; i < set.count; ++i)
        if (!selectedOnly || i == set.selected)
            DrawDrogue(window, d, set.items[i]);
    ruv_dwin_set_std_cpen(window, 1);
}

// Cross sections and open boundaries: lines through grid points.
void DrawLinesWith(RUV_WIN window, const GE_LineSet &set, int32_t attribute, int32_t drawingKind, RUV_COLOR colour,
                   bool selectedOnly)
{
    const GE_WindowData *d = nullptr;
    if (!Shown(window, attribute, &d) || (selectedOnly && (set.count == 0 || set.selected < 0)))
        return;
    Pen(window, 3, colour);
    for (int32_t i = 0; i < set.count; ++i) {
        if ((selectedOnly && i != set.selected) || GE_IsPlaceholder(set.items[i]))
            continue;
        GE_LineObject l{};
        GE_NormaliseLine(&set.items[i], &l);
        GE_DrawLineObject(drawingKind, window, &l);
    }
    ruv_dwin_set_std_cpen(window, 1);
}

void DrawSelectedSection(RUV_WIN w)
{
    DrawLinesWith(w, global_windata.crossSections, GEdit_SHOW_CROSS_SECTIONS, 2, RED, true);
}
void DrawSelectedBoundary(RUV_WIN w)
{
    DrawLinesWith(w, global_windata.openBoundaries, GEdit_SHOW_OPEN_BOUNDARIES, 2, RED, true);
}

// ---------------------------------------------------------------- kind operations

void DrawDryKind(RUV_WIN w) { GE_DrawDryPoints(w); }
void SelectedDry(RUV_WIN w) { DrawDryWith(w, RED, true); }
void DownDry(RUV_WIN w, RUV_EVENT *e) { LineMouseDown(w, e, DryPoints()); }
void UpDry(RUV_WIN w, RUV_EVENT *e) { LineMouseUp(w, e, DryPoints()); }
void DrawDamKind(RUV_WIN w) { GE_DrawThinDams(w); }
void SelectedDam(RUV_WIN w) { DrawDamsWith(w, RED, true); }
void DownDam(RUV_WIN w, RUV_EVENT *e) { LineMouseDown(w, e, ThinDams()); }
void UpDam(RUV_WIN w, RUV_EVENT *e) { LineMouseUp(w, e, ThinDams()); }
void DrawDrogueKind(RUV_WIN w) { GE_DrawDrogues(w); }
void DrawSectionKind(RUV_WIN w) { GE_DrawCrossSections(w); }
void DownSection(RUV_WIN w, RUV_EVENT *e) { LineMouseDown(w, e, CrossSections()); }
void UpSection(RUV_WIN w, RUV_EVENT *e) { LineMouseUp(w, e, CrossSections()); }
void DrawBoundaryKind(RUV_WIN w) { GE_DrawOpenBoundaries(w); }
void DownBoundary(RUV_WIN w, RUV_EVENT *e) { LineMouseDown(w, e, OpenBoundaries()); }
void UpBoundary(RUV_WIN w, RUV_EVENT *e) { LineMouseUp(w, e, OpenBoundaries()); }
void SelectedDrogue(RUV_WIN w) { DrawDroguesWith(w, RED, true); }

}  // namespace

void GE_DrawDryPoints(RUV_WIN window) { DrawDryWith(window, DRY, false); }
void GE_DrawThinDams(RUV_WIN window) { DrawDamsWith(window, DAM, false); }
void GE_DrawDrogues(RUV_WIN window) { DrawDroguesWith(window, DROGUE, false); }
void GE_DrawCrossSections(RUV_WIN window)
{
    DrawLinesWith(window, global_windata.crossSections, GEdit_SHOW_CROSS_SECTIONS, 4, SECTION, false);
}
void GE_DrawOpenBoundaries(RUV_WIN window)
{
    DrawLinesWith(window, global_windata.openBoundaries, GEdit_SHOW_OPEN_BOUNDARIES, 2, BOUNDARY, false);
}

void GE_InstallLineObjectKinds(void)
{
    static const GE_KindOperations dry{ DrawDryKind, SelectedDry, DownDry, UpDry };
    static const GE_KindOperations dams{ DrawDamKind, SelectedDam, DownDam, UpDam };
    static const GE_KindOperations drogues{ DrawDrogueKind, SelectedDrogue, DrogueMouseDown, DrogueMouseUp };
    GE_SetKindOperations(GEkind_DRY_POINT, &dry);
    GE_SetKindOperations(GEkind_THIN_DAM, &dams);
    static const GE_KindOperations sections{ DrawSectionKind, DrawSelectedSection, DownSection, UpSection };
    static const GE_KindOperations boundaries{ DrawBoundaryKind, DrawSelectedBoundary, DownBoundary, UpBoundary };
    GE_SetKindOperations(GEkind_DROGUE, &drogues);
    GE_SetKindOperations(GEkind_CROSS_SECTION, &sections);
    GE_SetKindOperations(GEkind_OPEN_BOUNDARY, &boundaries);
}
