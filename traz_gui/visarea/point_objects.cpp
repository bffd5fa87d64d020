// Observation points, discharges and releases on the map, and the area box:
// the owner's select, add, delete and modify by index, the sets drawn as
// cyan crosses and coloured diamonds over their cells (the selected one in
// red), the zoom-grid area box as a red rectangle, and the mouse editing of
// the four point kinds, each edit reported to the kind's callback.
#include "point_objects.h"

#include <cassert>
#include <cstring>

#include "dialog_controls.h"
#include "ge_list.h"
#include "map_window_state.h"

namespace {

constexpr int32_t SOLID = 2;
constexpr int32_t PEN_WIDTH = 3;

// What tells one point kind from another.
struct PointKind {
    GE_PointSet *set;
    int32_t kind;
    int32_t attribute;
    RUV_COLOR colour;
    const char *notFound;
    const char *invalidId;
    const char *inactive;
    bool cross;  // observation points: a cross, else a diamond
    int32_t type;  // discharge sub-kind, -1 for observation points
};

bool ValidType(int32_t type) { return type >= GEdit_DISCHARGE && type <= GEdit_CONTINUOUS_RELEASE; }

PointKind Observations()
{
    return PointKind{ &global_windata.observations, GEkind_OBSERVATION, GEdit_SHOW_OBSERVATIONS, GE_COLOR_OBSERVATION,
                      "No observation pointed", "Observation id invalid", "Not an ACTIVE grid cell", true, -1 };
}

PointKind Discharges(int32_t type)
{
    static const char *const notFound[] = { "No discharge pointed", "No instantaneous release pointed",
                                            "No continuous release pointed" };
    return PointKind{ &global_windata.discharges[type], GE_DischargeObjectKind(type), GE_DischargeViewAttribute(type),
                      GE_DischargeColor(type), notFound[type], "Discharge id invalid", "No ACTIVE grid cell pointed",
                      false, type };
}

bool InSet(const PointKind &k, int32_t index) { return index >= 0 && index < k.set->count; }

int Select(const PointKind &k, int32_t index)
{
    if (!InSet(k, index)) {
        GE_StatusMessage(k.invalidId);
        return 1;
    }
    return GE_SelectIndex(index, &k.set->selected, k.set->count);
}

void Delete(const PointKind &k, int32_t index)
{
    if (!InSet(k, index)) {
        GE_StatusMessage(k.invalidId);
        return;
    }
    GE_DeleteObject(&k.set->items, &k.set->count, index);
    GE_FixSelection(index, &k.set->selected);
    if (k.set->selected >= k.set->count)
        k.set->selected = -1;
    GE_RedrawAll(0);
}

void Modify(const PointKind &k, const GE_PointObject *point, int32_t index)
{
    if (!point || !InSet(k, index)) {
        GE_StatusMessage(k.invalidId);
        return;
    }
    GE_PointObject copy = *point;
    copy.name[sizeof copy.name - 1] = '\0';
    GE_ReplaceObject(k.set->items, k.set->count, index, &copy);
    GE_RedrawAll(0);
}

void Add(const PointKind &k, const GE_PointObject *point)
{
    if (!point)
        return;
    GE_PointObject copy = *point;
    copy.name[sizeof copy.name - 1] = '\0';
    GE_AppendObject(&k.set->items, &k.set->count, &copy);
}

int16_t CellValid(int32_t m, int32_t n)
{
    const GE_GridState &grid = global_windata.grid;
    return m >= 2 && m <= grid.mmax && n >= 2 && n <= grid.nmax && GE_CellStatus(m, n) == GE_CELL_ACTIVE ? 1 : 0;
}

// ---------------------------------------------------------------- drawing

struct Pixel {
    float x, y;
};

// World point of node (m, n), 1-based; the caller has checked the cell.
Pixel Node(int32_t m, int32_t n)
{
    const GE_GridState &grid = global_windata.grid;
    const size_t k = static_cast<size_t>(n - 1) * grid.mmax + (m - 1);
    return Pixel{ grid.xcoord[k], grid.ycoord[k] };
}

Pixel Mid(Pixel a, Pixel b) { return Pixel{ (a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f }; }

RUV_POINT ToScreen(const GE_WindowData *d, Pixel p)
{
    int16_t px = 0, py = 0;
    GE_DataWorldToPixel(d, p.x, p.y, &px, &py);
    return RUV_POINT{ py, px };
}

int32_t Packed(RUV_POINT p) { return (static_cast<int32_t>(p.h) << 16) | static_cast<uint16_t>(p.v); }

bool Drawable(const GE_PointObject &p)
{
    const GE_GridState &grid = global_windata.grid;
    return grid.xcoord && grid.ycoord && p.m >= 2 && p.m <= grid.mmax && p.n >= 2 && p.n <= grid.nmax;
}

void DrawPoint(RUV_WIN window, const GE_WindowData *d, const PointKind &k, const GE_PointObject &p, RUV_COLOR colour)
{
    if (!Drawable(p))
        return;
    const RUV_CPEN pen{ PEN_WIDTH, SOLID, 0, colour };
    ruv_dwin_set_cpen(window, &pen);
    ruv_dwin_set_fore_color(window, colour);
    const int32_t m = p.m, n = p.n;
    RUV_POINT label{};
    if (k.cross) {
        const RUV_POINT a = ToScreen(d, Node(m - 1, n)), b = ToScreen(d, Node(m, n - 1));
        const RUV_POINT c = ToScreen(d, Node(m - 1, n - 1)), e = ToScreen(d, Node(m, n));
        ruv_dwin_draw_set_pos(window, a);
        ruv_dwin_draw_line(window, b);
        ruv_dwin_draw_set_pos(window, c);
        ruv_dwin_draw_line(window, e);
        label = ToScreen(d, Mid(Node(m - 1, n), Node(m, n - 1)));
    } else {
        const Pixel e1 = Mid(Node(m - 1, n), Node(m, n)), e2 = Mid(Node(m - 1, n), Node(m - 1, n - 1));
        const Pixel e3 = Mid(Node(m, n - 1), Node(m - 1, n - 1)), e4 = Mid(Node(m, n - 1), Node(m, n));
        RUV_POINT points[5] = { ToScreen(d, e1), ToScreen(d, e2), ToScreen(d, e3), ToScreen(d, e4), ToScreen(d, e1) };
        ruv_dwin_draw_polyline(window, points, 5);
        label = ToScreen(d, Mid(e2, e4));
    }
    if (d->namesShown[k.attribute])
        GE_DrawLabel(window, p.name, Packed(label));
}

void DrawSet(RUV_WIN window, const PointKind &k)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d || !d->shown[k.attribute])
        return;
    for (int32_t i = 0; i < k.set->count; ++i)
        DrawPoint(window, d, k, k.set->items[i], k.colour);
    ruv_dwin_set_std_cpen(window, 1);
}

void DrawSelected(RUV_WIN window, const PointKind &k)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d || !d->shown[k.attribute] || k.set->count == 0 || !InSet(k, k.set->selected))
        return;
    DrawPoint(window, d, k, k.set->items[k.set->selected], GE_COLOR_SELECTED);
    ruv_dwin_set_std_cpen(window, 1);
}

// ---------------------------------------------------------------- mouse

void SetStatus(RUV_WIN window, const char *text) { SetStatusFields(window, 0, text, nullptr, nullptr); }

// The clicked cell and world position; false (with the status text) for
// a click off the grid or on a cell that is not active.
bool ClickedCell(RUV_WIN window, const RUV_EVENT *event, const PointKind &k, GE_PointObject *point)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d)
        return false;
    const int32_t px = event->v.mouse.h, py = event->v.mouse.v;
    int32_t m = -1, n = -1;
    if (!GE_DataPixelToCell(d, px, py, &m, &n) || m < 2 || n < 2) {
        SetStatus(window, "No GRID cell pointed");
        return false;
    }
    if (GE_CellStatus(m, n) != GE_CELL_ACTIVE) {
        SetStatus(window, k.inactive);
        return false;
    }
    std::memset(point, 0, sizeof *point);
    point->m = m;
    point->n = n;
    GE_DataPixelToWorld(d, px, py, &point->x, &point->y);
    return true;
}

void Report(const PointKind &k, int32_t operation, int32_t index)
{
    const GE_GlobalData &g = global_windata;
    if (g.callbacks[k.kind])
        g.callbacks[k.kind](g.userData[k.kind], k.kind, operation, index, nullptr, k.set->items, nullptr, nullptr,
                            k.set->count);
}

int SelectKind(const PointKind &k, int32_t index)
{
    return k.cross ? GE_SelectObservation(index) : GE_SelectDischarge(index, k.type);
}

void MouseUp(RUV_WIN window, const RUV_EVENT *event, const PointKind &k)
{
    GE_PointObject clicked;
    if (!ClickedCell(window, event, k, &clicked))
        return;
    GE_PointSet &set = *k.set;
    int32_t index = -1;
    switch (global_windata.currentOperation) {
    case GEmode_ADD:
        if (!GE_AppendObject(&set.items, &set.count, &clicked))
            return;
        set.selected = set.count - 1;
        GE_RedrawAll(0);
        Report(k, GEmode_ADD, set.count - 1);
        GE_EachMapWindow([&k](RUV_WIN w) { GE_DrawInside(w, [&k, w] { DrawSelected(w, k); }); });
        break;
    case GEmode_DELETE:
        if (!GE_PickPointObject(set.items, set.count, clicked.m, clicked.n, clicked.x, clicked.y, &index)) {
            SetStatus(window, k.notFound);
            return;
        }
        Report(k, GEmode_DELETE, index);
        break;
    case GEmode_MODIFY:
        if (set.selected < 0 || set.selected >= set.count) {
            if (!GE_PickPointObject(set.items, set.count, clicked.m, clicked.n, clicked.x, clicked.y, &index)) {
                SetStatus(window, k.notFound);
                return;
            }
            set.selected = index;
            Report(k, GEmode_MODIFY, index);
            SelectKind(k, index);
        } else {
            index = set.selected;
            std::memcpy(clicked.name, set.items[index].name, sizeof clicked.name);
            Modify(k, &clicked, index);
            Report(k, GEmode_MODIFY, index);
            k.set->selected = -1;
        }
        break;
    default:
        return;  // View: the press did it, the status stays
    }
    SetStatus(window, "");
}

void MouseDown(RUV_WIN window, const RUV_EVENT *event, const PointKind &k)
{
    GE_PointObject clicked;
    if (!ClickedCell(window, event, k, &clicked) || global_windata.currentOperation != GEmode_VIEW)
        return;
    int32_t index = -1;
    if (!GE_PickPointObject(k.set->items, k.set->count, clicked.m, clicked.n, clicked.x, clicked.y, &index)) {
        SetStatus(window, k.notFound);
        return;
    }
    SelectKind(k, index);
    Report(k, GEmode_VIEW, k.set->selected);
    SetStatus(window, "");
}

// ---------------------------------------------------------------- kind operations

void DrawObservationKind(RUV_WIN w) { GE_DrawObservations(w); }
void DrawDischarges(RUV_WIN w) { GE_DrawDischargeKind(w, GEdit_DISCHARGE); }
void DrawInstant(RUV_WIN w) { GE_DrawDischargeKind(w, GEdit_INSTANT_RELEASE); }
void DrawContinuous(RUV_WIN w) { GE_DrawDischargeKind(w, GEdit_CONTINUOUS_RELEASE); }
void SelectedDischarge(RUV_WIN w) { GE_DrawSelectedDischargeKind(w, GEdit_DISCHARGE); }
void SelectedInstant(RUV_WIN w) { GE_DrawSelectedDischargeKind(w, GEdit_INSTANT_RELEASE); }
void SelectedContinuous(RUV_WIN w) { GE_DrawSelectedDischargeKind(w, GEdit_CONTINUOUS_RELEASE); }
void DownDischarge(RUV_WIN w, RUV_EVENT *e) { GE_DischargeMouseDown(w, e, GEdit_DISCHARGE); }
void DownInstant(RUV_WIN w, RUV_EVENT *e) { GE_DischargeMouseDown(w, e, GEdit_INSTANT_RELEASE); }
void DownContinuous(RUV_WIN w, RUV_EVENT *e) { GE_DischargeMouseDown(w, e, GEdit_CONTINUOUS_RELEASE); }
void UpDischarge(RUV_WIN w, RUV_EVENT *e) { GE_DischargeMouseUp(w, e, GEdit_DISCHARGE); }
void UpInstant(RUV_WIN w, RUV_EVENT *e) { GE_DischargeMouseUp(w, e, GEdit_INSTANT_RELEASE); }
void UpContinuous(RUV_WIN w, RUV_EVENT *e) { GE_DischargeMouseUp(w, e, GEdit_CONTINUOUS_RELEASE); }

}  // namespace

void GE_InstallPointObjectKinds(void)
{
    static const GE_KindOperations observation{ DrawObservationKind, GE_DrawSelectedObservation,
                                                GE_ObservationMouseDown, GE_ObservationMouseUp };
    static const GE_KindOperations discharge{ DrawDischarges, SelectedDischarge, DownDischarge, UpDischarge };
    static const GE_KindOperations instant{ DrawInstant, SelectedInstant, DownInstant, UpInstant };
    static const GE_KindOperations continuous{ DrawContinuous, SelectedContinuous, DownContinuous, UpContinuous };
    GE_SetKindOperations(GEkind_OBSERVATION, &observation);
    GE_SetKindOperations(GEkind_DISCHARGE, &discharge);
    GE_SetKindOperations(GEkind_INSTANT_RELEASE, &instant);
    GE_SetKindOperations(GEkind_CONTINUOUS_RELEASE, &continuous);
}

// ---------------------------------------------------------------- owner functions

int GE_SelectObservation(int32_t index) { return Select(Observations(), index); }
void GE_AddObservation(const GE_PointObject *point) { Add(Observations(), point); }
void GE_DeleteObservation(int32_t index) { Delete(Observations(), index); }
void GE_ModifyObservation(const GE_PointObject *point, int32_t index) { Modify(Observations(), point, index); }

int GE_SelectDischarge(int32_t index, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    return ValidType(type) ? Select(Discharges(type), index) : 1;
}

void GE_AddDischarge(const GE_PointObject *point, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    if (ValidType(type))
        Add(Discharges(type), point);
}

void GE_DeleteDischarge(int32_t index, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    if (ValidType(type))
        Delete(Discharges(type), index);
}

void GE_ModifyDischarge(const GE_PointObject *point, int32_t index, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    if (ValidType(type))
        Modify(Discharges(type), point, index);
}

void GE_SetDischarges(const GE_PointObject *points, int32_t count, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    if (!ValidType(type))
        return;
    GE_PointSet &set = global_windata.discharges[type];
    if (!GE_CopyPointObjects(&set.items, &set.count, points, count))
        return;
    global_windata.option_loaded[GE_DischargeViewAttribute(type)] = 1;
    GE_ShowLoadedAttribute(GE_DischargeViewAttribute(type), GE_DischargeAttributeMenuItem(type),
                           GE_DischargeNamesMenuItem(type));
}

void GE_RestoreAreaBox(RUV_WIN window)
{
    if (GE_WindowData *d = GE_MapWindowData(window))
        for (int k = 0; k < 3; ++k)
            d->clickX[k] = d->clickY[k] = -1;
    GE_GlobalData &g = global_windata;
    g.areaBox[0] = g.previousAreaBox[0];
    g.areaBox[1] = g.previousAreaBox[1];
    GE_RedrawAll(0);
}

int16_t GE_ObservationCellValid(int32_t m, int32_t n) { return CellValid(m, n); }
int16_t GE_DischargeCellValid(int32_t m, int32_t n) { return CellValid(m, n); }

void GE_ResetLocationSets(void)
{
    GE_GlobalData &g = global_windata;
    for (GE_PointSet *set : { &g.observations, &g.discharges[GEdit_INSTANT_RELEASE],
                              &g.discharges[GEdit_CONTINUOUS_RELEASE] }) {
        GE_Free(set->items);
        set->items = nullptr;
        set->count = 0;
        set->selected = -1;
    }
    g.areaBoxShown = 0;
    std::memset(g.areaBox, 0, sizeof g.areaBox);
    std::memset(g.previousAreaBox, 0, sizeof g.previousAreaBox);
    GE_RedrawAll(0);
}

void GE_PickedArea(const GE_WindowData *data, GE_PointObject corners[2])
{
    const GE_GridState &grid = global_windata.grid;
    for (int k = 0; k < 2; ++k) {
        GE_PointObject &c = corners[k];
        std::memset(&c, 0, sizeof c);
        GE_DataPixelToWorld(data, data->clickX[k], data->clickY[k], &c.x, &c.y);
        int32_t m = 0, n = 0;
        if (grid.mmax > 0 && grid.nmax > 0 &&
            GE_FindCell(nullptr, 0, 0, grid.mmax - 1, grid.nmax - 1, 1, c.x, c.y, &m, &n)) {
            c.m = m;
            c.n = n;
        }
    }
}

// ---------------------------------------------------------------- sub-kind table

int32_t GE_DischargeObjectKind(int32_t type) { return ValidType(type) ? GEkind_DISCHARGE + type : -1; }
int32_t GE_DischargeViewAttribute(int32_t type) { return ValidType(type) ? GEdit_SHOW_DISCHARGES + type : -1; }
int32_t GE_DischargeEditMenuItem(int32_t type) { return ValidType(type) ? 20015 + type : -1; }
int32_t GE_DischargeAttributeMenuItem(int32_t type) { return ValidType(type) ? 20042 + type : -1; }
int32_t GE_DischargeNamesMenuItem(int32_t type) { return ValidType(type) ? 20052 + type : -1; }

RUV_COLOR GE_DischargeColor(int32_t type)
{
    static const RUV_COLOR colours[] = { 0x00990099u, 0x0200FF00u, 0x030000FFu };
    return ValidType(type) ? colours[type] : GE_COLOR_BLACK;
}

// ---------------------------------------------------------------- drawing

void GE_DrawObservations(RUV_WIN window) { DrawSet(window, Observations()); }
void GE_DrawSelectedObservation(RUV_WIN window) { DrawSelected(window, Observations()); }

void GE_DrawDischargeKind(RUV_WIN window, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    if (ValidType(type))
        DrawSet(window, Discharges(type));
}

void GE_DrawSelectedDischargeKind(RUV_WIN window, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    if (ValidType(type))
        DrawSelected(window, Discharges(type));
}

void GE_DrawAreaBox(RUV_WIN window)
{
    const GE_GlobalData &g = global_windata;
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d || !g.areaBoxShown)
        return;
    const float x0 = g.areaBox[0].x, y0 = g.areaBox[0].y, x1 = g.areaBox[1].x, y1 = g.areaBox[1].y;
    const RUV_CPEN pen{ PEN_WIDTH, SOLID, 0, GE_COLOR_SELECTED };
    ruv_dwin_set_cpen(window, &pen);
    const Pixel corners[5] = { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 }, { x0, y0 } };
    ruv_dwin_draw_set_pos(window, ToScreen(d, corners[0]));
    for (int k = 1; k < 5; ++k)
        ruv_dwin_draw_line(window, ToScreen(d, corners[k]));
    ruv_dwin_set_std_cpen(window, 1);
}

// ---------------------------------------------------------------- mouse

void GE_ObservationMouseDown(RUV_WIN window, RUV_EVENT *event) { MouseDown(window, event, Observations()); }
void GE_ObservationMouseUp(RUV_WIN window, RUV_EVENT *event) { MouseUp(window, event, Observations()); }

void GE_DischargeMouseDown(RUV_WIN window, RUV_EVENT *event, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    if (ValidType(type))
        MouseDown(window, event, Discharges(type));
}

void GE_DischargeMouseUp(RUV_WIN window, RUV_EVENT *event, int32_t type)
{
    assert(ValidType(type) && "FALSE");
    if (ValidType(type))
        MouseUp(window, event, Discharges(type));
}
