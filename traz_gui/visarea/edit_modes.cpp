// Object kinds and edit modes of the map windows: choosing the kind to edit
// (from the Edit menu, with the kind's callback told, or by the host), the
// Edit Mode menu, the edit state in the status bar, the mouse routed to the
// zoom box or to the current kind's editor, the rubber band of multi-click
// edits, the shared drawing of line objects, thin dams and cells, and the
// showing of newly loaded object kinds.
#include <cassert>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dialog_controls.h"
#include "ge_list.h"
#include "line_object_editing.h"
#include "map_window_state.h"
#include "point_objects.h"
#include "wave_grid_drawing.h"

namespace {

constexpr int32_t SOLID = 2;

// What each kind does: the library's own kinds until the host replaces or
// removes one, so that a host needs no call beyond the configuration.
GE_KindOperations *Operations()
{
    static GE_KindOperations table[GE_KIND_COUNT] = {};
    static bool filled = false;
    if (!filled) {
        filled = true;
        GE_InstallPointObjectKinds();
        GE_InstallLineObjectKinds();
        GE_InstallWaveGridKinds();
    }
    return table;
}

bool IsObjectKind(int32_t kind) { return kind >= GEkind_DRY_POINT && kind <= GEkind_OPEN_BOUNDARY; }
bool IsWaveGridKind(int32_t kind) { return kind >= GEkind_WAVE_GRID_1 && kind <= GEkind_WAVE_GRID_3; }

int32_t ViewAttribute(int32_t kind) { return kind + 1; }
int32_t EditItem(int32_t kind) { return GEcmd_EDIT_FIRST + kind - GEkind_DRY_POINT; }

const char *StatusName(int32_t kind)
{
    static const char *const names[] = { "Dry Point",
                                         "Thin Dam",
                                         "Observation Point",
                                         "Drogue",
                                         "Discharge",
                                         "Instantaneous releases",
                                         "Continuous releases",
                                         "CrossSection",
                                         "Open Boundary" };
    return names[kind - GEkind_DRY_POINT];
}

// The set of an object kind as a callback sees it.
struct KindSet {
    GE_PointObject *points;
    GE_LineObject *lines;
    int32_t *extra;
    int32_t count;
    int32_t *selected;
};

KindSet SetOf(int32_t kind)
{
    GE_GlobalData &g = global_windata;
    auto points = [](GE_PointSet &s) { return KindSet{ s.items, nullptr, nullptr, s.count, &s.selected }; };
    switch (kind) {
    case GEkind_DRY_POINT: return KindSet{ nullptr, g.dryPoints.items, nullptr, g.dryPoints.count, &g.dryPoints.selected };
    case GEkind_THIN_DAM: return KindSet{ nullptr, g.thinDams.items, g.thinDams.extra, g.thinDams.count, &g.thinDams.selected };
    case GEkind_OBSERVATION: return points(g.observations);
    case GEkind_DROGUE: return points(g.drogues);
    case GEkind_DISCHARGE: return points(g.discharges[0]);
    case GEkind_INSTANT_RELEASE: return points(g.discharges[1]);
    case GEkind_CONTINUOUS_RELEASE: return points(g.discharges[2]);
    case GEkind_CROSS_SECTION:
        return KindSet{ nullptr, g.crossSections.items, nullptr, g.crossSections.count, &g.crossSections.selected };
    case GEkind_OPEN_BOUNDARY:
        return KindSet{ nullptr, g.openBoundaries.items, nullptr, g.openBoundaries.count, &g.openBoundaries.selected };
    default: return KindSet{};
    }
}

void ClearSelections()
{
    for (int32_t kind = GEkind_DRY_POINT; kind <= GEkind_OPEN_BOUNDARY; ++kind)
        *SetOf(kind).selected = -1;
    global_windata.wave.selected = -1;
}

void DrawKind(RUV_WIN window, int32_t kind)
{
    if (kind >= 0 && kind < GE_KIND_COUNT && Operations()[kind].draw)
        Operations()[kind].draw(window);
}

void ShowAllStatus() { GE_EachMapWindow([](RUV_WIN w) { GE_ShowEditStatus(w); }); }

// A press whose release never came (released outside the window) belongs
// to the edit it started: it is forgotten when the edit changes.
void ForgetPendingClicks()
{
    GE_EachMapWindow([](RUV_WIN w) {
        GE_MapWindowState *mw = GE_WindowState(w);
        if (!mw || mw->data.zoomBoxMode)
            return;
        GE_EraseRubberBand(w);
        GE_ForgetClicks(&mw->data);
    });
}

// The first step of every choice of kind: no selection, no kind, and the
// old kind's check marks gone.
void LeaveObjectKind()
{
    GE_GlobalData &g = global_windata;
    const int32_t old = g.currentKind;
    ForgetPendingClicks();
    ClearSelections();
    g.currentKind = GEkind_NONE;
    ShowAllStatus();
    if (old == GEkind_NONE || IsObjectKind(old)) {
        GE_EachMapWindow([old](RUV_WIN w) {
            ruv_menu_set_item_checked(w, GEcmd_EDIT_NONE, FALSE);
            if (IsObjectKind(old))
                ruv_menu_set_item_checked(w, EditItem(old), FALSE);
            DrawKind(w, old);
            GE_ShowEditStatus(w);
        });
    } else {
        assert(IsWaveGridKind(old) && "FALSE");
    }
}

// Shows the kind's attribute in a window where it is available: marked
// loaded, shown with its names, its items enabled and checked.  Every
// window gets its items enabled, also when an earlier one marked the
// attribute loaded.
void ShowKindAttribute(RUV_WIN window, int32_t attribute, bool namesAlways)
{
    GE_GlobalData &g = global_windata;
    GE_WindowData *d = GE_MapWindowData(window);
    if (!d || !g.available[attribute])
        return;
    g.option_loaded[attribute] = 1;
    const int32_t item = GE_AttributeMenuItem(attribute), names = GE_AttributeNamesMenuItem(attribute);
    if (!d->shown[attribute]) {
        d->shown[attribute] = 1;
        if (names > 0)
            d->namesShown[attribute] = 1;
    }
    if (namesAlways && names > 0)
        d->namesShown[attribute] = 1;
    GE_SetMenuItem(window, item, true, d->shown[attribute] != 0);
    if (names > 0)
        GE_SetMenuItem(window, names, true, d->namesShown[attribute] != 0);
}

// A kind chosen from the Edit menu becomes current in every window.
void ChooseFromMenu(int32_t kind)
{
    GE_GlobalData &g = global_windata;
    LeaveObjectKind();
    GE_EachMapWindow([&](RUV_WIN w) {
        if (g.editEnabled[kind])
            ruv_menu_set_item_checked(w, EditItem(kind), TRUE);
        // Open boundaries bring their names back on even when already shown.
        ShowKindAttribute(w, ViewAttribute(kind), kind == GEkind_OPEN_BOUNDARY);
        GE_ShowEditStatus(w);
    });
    g.currentKind = kind;
}

// The Edit command: the kind chosen, its callback told with View and the
// (cleared) selection, its objects and the status redrawn everywhere.
void EditCommand(int32_t kind)
{
    GE_GlobalData &g = global_windata;
    ChooseFromMenu(kind);
    const KindSet set = SetOf(kind);
    if (g.callbacks[kind])
        g.callbacks[kind](g.userData[kind], kind, GEmode_VIEW, *set.selected, nullptr, set.points, set.lines,
                          set.extra, set.count);
    GE_EachMapWindow([kind](RUV_WIN w) {
        DrawKind(w, kind);
        GE_ShowEditStatus(w);
    });
}

// The host's choice of kind 2..13.
void ChooseKind(int32_t kind)
{
    GE_GlobalData &g = global_windata;
    LeaveObjectKind();
    g.currentKind = kind;
    ShowAllStatus();
    GE_EachMapWindow([&](RUV_WIN w) {
        ShowKindAttribute(w, ViewAttribute(kind), false);
        GE_ShowEditStatus(w);
    });
    g.currentKind = kind;
}

void SetMode(int32_t mode)
{
    GE_GlobalData &g = global_windata;
    const int32_t previous = g.currentOperation;
    ForgetPendingClicks();
    GE_EachMapWindow([previous](RUV_WIN w) {
        if (previous >= GEmode_ADD && previous <= GEmode_VIEW)
            ruv_menu_set_item_checked(w, GEcmd_MODE_ADD + previous, FALSE);
    });
    g.currentOperation = mode;
    GE_EachMapWindow([mode](RUV_WIN w) { ruv_menu_set_item_checked(w, GEcmd_MODE_ADD + mode, TRUE); });
    if (IsObjectKind(g.currentKind)) {
        if (mode == GEmode_MODIFY)
            ClearSelections();
        GE_EachMapWindow([](RUV_WIN w) { GE_DrawObjects(w, 1); });
    }
    ShowAllStatus();
}

RUV_POINT ToPoint(int32_t x, int32_t y) { return RUV_POINT{ static_cast<int16_t>(y), static_cast<int16_t>(x) }; }

// The figure of the multi-click edit, drawn in exclusive-or mode: drawing
// it again removes it.
void DrawFigure(GE_MapWindowState *mw)
{
    if (mw->figureCount < 2)
        return;
    RUV_POINT points[5];
    for (int32_t k = 0; k < mw->figureCount; ++k)
        points[k] = ToPoint(mw->figureX[k], mw->figureY[k]);
    ruv_dwin_set_std_cpen(mw->window, 3);
    ruv_dwin_set_draw_mode(mw->window, 2);
    ruv_dwin_draw_polyline(mw->window, points, mw->figureCount);
    ruv_dwin_set_std_cpen(mw->window, 1);
    ruv_dwin_set_draw_mode(mw->window, 0);
}

// A grid point (1-based) as a window pixel; false for a point off the grid.
bool GridPixel(const GE_WindowData *d, int32_t m, int32_t n, RUV_POINT *p)
{
    const GE_GridState &grid = global_windata.grid;
    if (!grid.xcoord || !grid.ycoord || m < 1 || n < 1 || m > grid.mmax || n > grid.nmax)
        return false;
    const size_t k = static_cast<size_t>(n - 1) * grid.mmax + (m - 1);
    int16_t px = 0, py = 0;
    GE_DataWorldToPixel(d, grid.xcoord[k], grid.ycoord[k], &px, &py);
    *p = RUV_POINT{ py, px };
    return true;
}

}  // namespace

// ---------------------------------------------------------------- kinds

void GE_SetKindOperations(int32_t kind, const GE_KindOperations *operations)
{
    assert(kind >= GEkind_WAVE_GRID_1 && kind < GE_KIND_COUNT && "FALSE");
    if (kind < GEkind_WAVE_GRID_1 || kind >= GE_KIND_COUNT)
        return;
    Operations()[kind] = operations ? *operations : GE_KindOperations{};
}

void GE_DrawKindObjects(RUV_WIN window)
{
    const int32_t current = global_windata.currentKind;
    for (int32_t kind = GEkind_DRY_POINT; kind <= GEkind_OPEN_BOUNDARY; ++kind)
        if (kind != current)
            DrawKind(window, kind);
    DrawKind(window, current);
}

void GE_DrawSelectedObject(RUV_WIN window)
{
    const int32_t current = global_windata.currentKind;
    if (current >= 0 && current < GE_KIND_COUNT && Operations()[current].drawSelected)
        Operations()[current].drawSelected(window);
}

void GE_EditDryPoints(void) { EditCommand(GEkind_DRY_POINT); }
void GE_EditThinDams(void) { EditCommand(GEkind_THIN_DAM); }
void GE_EditObservationPoints(void) { EditCommand(GEkind_OBSERVATION); }
void GE_EditDrogues(void) { EditCommand(GEkind_DROGUE); }
void GE_EditCrossSections(void) { EditCommand(GEkind_CROSS_SECTION); }
void GE_EditOpenBoundaries(void) { EditCommand(GEkind_OPEN_BOUNDARY); }

void GE_EditDischargeKind(int32_t type)
{
    assert(type >= 0 && type <= 2 && "FALSE");
    if (type >= 0 && type <= 2)
        EditCommand(GEkind_DISCHARGE + type);
}

void GE_SelectObjectKind(int32_t kind)
{
    GE_GlobalData &g = global_windata;
    if (kind == GEkind_NONE) {
        LeaveObjectKind();
        GE_EachMapWindow([](RUV_WIN w) { ruv_menu_set_item_checked(w, GEcmd_EDIT_NONE, TRUE); });
    } else if (IsWaveGridKind(kind)) {
        ChooseKind(kind);
    } else if (IsObjectKind(kind)) {
        ChooseKind(kind);
        GE_EachMapWindow([&](RUV_WIN w) {
            if (g.editEnabled[kind])
                ruv_menu_set_item_checked(w, EditItem(kind), TRUE);
            GE_ShowEditStatus(w);
        });
        g.currentKind = kind;
    } else {
        assert(!"FALSE");
    }
    GE_RedrawAll(0);
}

// ---------------------------------------------------------------- modes

void GE_SetModeAdd(void) { SetMode(GEmode_ADD); }
void GE_SetModeDelete(void) { SetMode(GEmode_DELETE); }
void GE_SetModeModify(void) { SetMode(GEmode_MODIFY); }
void GE_SetModeView(void) { SetMode(GEmode_VIEW); }

// ---------------------------------------------------------------- status

void GE_ShowEditStatus(RUV_WIN window)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d || d->printing)
        return;
    const GE_GlobalData &g = global_windata;
    const int32_t kind = g.currentKind;
    if (d->zoomBoxMode) {
        SetStatusFields(window, 0, "ZOOM: push mouse button, drag zoom area and release button", "", nullptr);
    } else if (kind == GEkind_NONE) {
        SetStatusFields(window, 0, "", "", nullptr);
    } else if (IsWaveGridKind(kind)) {
        const char *text = d->clickCounter == 0   ? "GRID: first mouse click defines origin of actual grid"
                           : d->clickCounter == 1 ? "GRID: second mouse click defines x-axis of actual grid"
                                                  : "GRID: third mouse click redefines actual grid";
        SetStatusFields(window, 0, text, "", nullptr);
    } else if (IsObjectKind(kind)) {
        static const char *const words[] = { "Add ", "Delete ", "Modify ", "View " };
        const int32_t op = g.currentOperation;
        assert(op >= GEmode_ADD && op <= GEmode_VIEW && "FALSE");
        if (op < GEmode_ADD || op > GEmode_VIEW)
            return;
        char text[64];
        std::snprintf(text, sizeof text, "%s%s", words[op], StatusName(kind));
        SetStatusFields(window, 0, nullptr, text, nullptr);
    } else {
        assert(!"FALSE");
    }
}

// ---------------------------------------------------------------- mouse

void GE_ClampToRect(const RUV_EVENT *event, int32_t *x, int32_t *y, const RUV_RECT *rect)
{
    int32_t h = event->v.mouse.h, v = event->v.mouse.v;
    h = h < rect->left ? rect->left : (h > rect->right ? rect->right : h);
    v = v < rect->top ? rect->top : (v > rect->bottom ? rect->bottom : v);
    *x = h;
    *y = v;
}

namespace {

// A copy of the event with its point clamped into the drawing rectangle.
RUV_EVENT Clamped(const GE_WindowData &d, const RUV_EVENT *event, int32_t *x, int32_t *y)
{
    GE_ClampToRect(event, x, y, &d.drawing);
    RUV_EVENT e = *event;
    e.v.mouse.h = static_cast<int16_t>(*x);
    e.v.mouse.v = static_cast<int16_t>(*y);
    return e;
}

}  // namespace

namespace {

// A window that has not had its first size yet has no drawing area and no
// scale: the pointer has no world point in it.
bool LaidOut(const GE_WindowData &d)
{
    return d.verticalScale > 0.0f && d.drawing.right > d.drawing.left && d.drawing.bottom > d.drawing.top;
}

}  // namespace

void GE_MouseDown(RUV_WIN window, RUV_EVENT *event)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw || !LaidOut(mw->data))
        return;
    GE_WindowData &d = mw->data;
    int32_t px = 0, py = 0;
    RUV_EVENT e = Clamped(d, event, &px, &py);
    GE_ShowPointerPosition(window, px, py);
    if (d.zoomBoxMode) {
        GE_EraseZoomBand(mw);
        d.clickX[0] = px;
        d.clickY[0] = py;
        d.clickX[1] = d.clickY[1] = -1;
        // The box is dragged to its end even outside the window.
        ruv_win_trap_pointer(window);
        return;
    }
    const int32_t kind = global_windata.currentKind;
    if (kind == GEkind_NONE)
        return;
    assert((IsWaveGridKind(kind) || IsObjectKind(kind)) && "FALSE");
    if ((IsWaveGridKind(kind) || IsObjectKind(kind)) && Operations()[kind].mouseDown)
        Operations()[kind].mouseDown(window, &e);
}

void GE_MouseUp(RUV_WIN window, RUV_EVENT *event)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw || !LaidOut(mw->data))
        return;
    GE_WindowData &d = mw->data;
    int32_t px = 0, py = 0;
    RUV_EVENT e = Clamped(d, event, &px, &py);
    if (d.zoomBoxMode) {
        // A release without a press in this window (the press went
        // elsewhere) has no box.
        if (d.clickX[0] < 0)
            return;
        ruv_win_release_pointer();
        // The release is the box's second corner before anyone reads the box.
        d.clickX[1] = px;
        d.clickY[1] = py;
        GE_FinishZoomBox(window, &e);
    } else {
        const int32_t kind = global_windata.currentKind;
        assert(kind != GEkind_ZOOM_BOX && kind >= 0 && kind < GE_KIND_COUNT && "FALSE");
        if (IsObjectKind(kind) && Operations()[kind].mouseUp)
            Operations()[kind].mouseUp(window, &e);
    }
    GE_ShowEditStatus(window);
}

void GE_MouseMove(RUV_WIN window, RUV_EVENT *event)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw || !LaidOut(mw->data))
        return;
    GE_WindowData &d = mw->data;
    int32_t px = 0, py = 0;
    RUV_EVENT e = Clamped(d, event, &px, &py);
    GE_ShowPointerPosition(window, px, py);
    if (d.zoomBoxMode) {
        if (d.clickX[0] < 0)
            return;
        GE_EraseZoomBand(mw);
        d.clickX[1] = px;
        d.clickY[1] = py;
        mw->bandX0 = d.clickX[0];
        mw->bandY0 = d.clickY[0];
        mw->bandX1 = px;
        mw->bandY1 = py;
        GE_DrawZoomRubberBand(window);
        return;
    }
    const int32_t kind = global_windata.currentKind;
    assert(kind != GEkind_ZOOM_BOX && "FALSE");
    if (IsWaveGridKind(kind) || kind == GEkind_DRY_POINT || kind == GEkind_THIN_DAM ||
        kind == GEkind_CROSS_SECTION || kind == GEkind_OPEN_BOUNDARY)
        GE_TrackClick(window, &e);
}

// ---------------------------------------------------------------- rubber band

void GE_EraseRubberBand(RUV_WIN window)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw)
        return;
    if (mw->data.zoomBoxMode) {
        if (mw->data.clickX[1] >= 0)
            GE_EraseZoomBand(mw);
        return;
    }
    if (global_windata.currentKind != GEkind_NONE && mw->figureCount > 0) {
        DrawFigure(mw);
        mw->figureCount = 0;
    }
}

void GE_DrawGridRubberBand(RUV_WIN window)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw)
        return;
    const GE_WindowData &d = mw->data;
    mw->figureCount = 0;
    if (d.clickX[0] < 0 || d.clickX[1] < 0)
        return;
    if (d.clickX[2] < 0) {
        mw->figureX[0] = d.clickX[0];
        mw->figureY[0] = d.clickY[0];
        mw->figureX[1] = d.clickX[1];
        mw->figureY[1] = d.clickY[1];
        mw->figureCount = 2;
    } else {
        GE_AxisRectangle(d.clickX[0], d.clickY[0], d.clickX[1], d.clickY[1], d.clickX[2], d.clickY[2], mw->figureX,
                         mw->figureY);
        mw->figureCount = 5;
    }
    DrawFigure(mw);
}

void GE_TrackClick(RUV_WIN window, RUV_EVENT *event)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw)
        return;
    GE_WindowData &d = mw->data;
    GE_EraseRubberBand(window);
    int32_t px = event->v.mouse.h, py = event->v.mouse.v;
    if (d.clickCounter == 1) {
        d.clickX[1] = px;
        d.clickY[1] = py;
    } else if (d.clickCounter == 2) {
        GE_HoldThirdClick(d.clickX[0], d.clickY[0], d.clickX[1], d.clickY[1], &px, &py);
        d.clickX[2] = px;
        d.clickY[2] = py;
    } else {
        return;
    }
    GE_DrawGridRubberBand(window);
}

void GE_CancelClicks(RUV_WIN window)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw)
        return;
    GE_EraseRubberBand(window);
    GE_ForgetClicks(&mw->data);
    GE_DrawObjects(window, 1);
    GE_ShowEditStatus(window);
}

// ---------------------------------------------------------------- loaded kinds

void GE_ForAllWindows(void (*draw)(RUV_WIN window))
{
    GE_EachMapWindow([draw](RUV_WIN w) {
        GE_DrawInside(w, [draw, w] { draw(w); });
        GE_ShowEditStatus(w);
    });
}

void GE_RedrawObjectsAll(void) { GE_ForAllWindows(GE_RedrawObjects); }

void GE_ShowLoadedAttribute(int32_t attribute, int32_t item, int32_t namesItem)
{
    GE_GlobalData &g = global_windata;
    assert(attribute > 0 && attribute < GE_ATTRIBUTE_COUNT && "FALSE");
    if (attribute <= 0 || attribute >= GE_ATTRIBUTE_COUNT)
        return;
    g.option_loaded[attribute] = 1;
    if (!g.available[attribute])
        return;
    GE_EachMapWindow([&](RUV_WIN w) {
        GE_WindowData *d = GE_MapWindowData(w);
        d->shown[attribute] = 1;
        GE_SetMenuItem(w, item, true, true);
        if (namesItem != -1) {
            d->namesShown[attribute] = 1;
            GE_SetMenuItem(w, namesItem, true, true);
        }
        if (!GE_DrawingSuspended())
            GE_DrawObjects(w, 1);
    });
}

void GE_SetObservations(const GE_PointObject *points, int32_t count)
{
    GE_GlobalData &g = global_windata;
    if (!GE_CopyPointObjects(&g.observations.items, &g.observations.count, points, count))
        return;
    if (g.observations.selected >= g.observations.count)
        g.observations.selected = -1;
    g.option_loaded[GEdit_SHOW_OBSERVATIONS] = 1;
    if (!g.available[GEdit_SHOW_OBSERVATIONS])
        return;
    GE_EachMapWindow([](RUV_WIN w) {
        ShowKindAttribute(w, GEdit_SHOW_OBSERVATIONS, true);
        GE_DrawObjects(w, 1);
    });
}

// ---------------------------------------------------------------- lines and cells

void GE_DrawLineObject(int32_t drawingKind, RUV_WIN window, const GE_LineObject *line)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    assert(line->m1 <= line->m2 && "m_start <= m_end");
    if (!d || line->m1 > line->m2)
        return;
    const int32_t room = GE_LineObjectRoom(line);
    std::vector<int32_t> m(static_cast<size_t>(room)), n(static_cast<size_t>(room));
    int32_t labelAt = 0;
    const int32_t count = GE_LineObjectPoints(line, m.data(), n.data(), room, &labelAt);
    bool penDown = false;
    for (int32_t k = 0; k < count; ++k) {
        RUV_POINT p{};
        if (!GridPixel(d, m[k], n[k], &p)) {
            penDown = false;
            continue;
        }
        if (penDown)
            ruv_dwin_draw_line(window, p);
        else
            ruv_dwin_draw_set_pos(window, p);
        penDown = true;
    }
    const int32_t attribute = GE_LineKindAttribute(drawingKind);
    if (drawingKind >= 2 && attribute > 0 && d->namesShown[attribute] && labelAt < count) {
        RUV_POINT p{};
        if (GridPixel(d, m[labelAt], n[labelAt], &p))
            GE_DrawLabel(window, line->name, (static_cast<int32_t>(p.h) << 16) | static_cast<uint16_t>(p.v));
    }
}

void GE_DrawThinDam(RUV_WIN window, const GE_LineObject *line, int32_t direction)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    assert((direction == GEdit_U_DAM || direction == GEdit_V_DAM) && "(kind == GEdit_U_DAM) || (kind == GEdit_V_DAM)");
    if (!d)
        return;
    const int32_t room = GE_ThinDamRoom(line);
    std::vector<int32_t> m(static_cast<size_t>(room)), n(static_cast<size_t>(room));
    const int32_t count = GE_ThinDamSegments(line, direction, m.data(), n.data(), room);
    for (int32_t k = 0; k < count; ++k) {
        RUV_POINT a{}, b{};
        if (GridPixel(d, m[2 * k], n[2 * k], &a) && GridPixel(d, m[2 * k + 1], n[2 * k + 1], &b)) {
            ruv_dwin_draw_set_pos(window, a);
            ruv_dwin_draw_line(window, b);
        }
    }
}

void GE_NearestCellSide(RUV_WIN window, int32_t px, int32_t py, int32_t m, int32_t n, int32_t *code,
                        GE_LineObject *line)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    const GE_GridState &grid = global_windata.grid;
    if (!d || !grid.xcoord || m < 2 || n < 2 || m > grid.mmax || n > grid.nmax)
        return;
    float x = 0, y = 0;
    GE_DataPixelToWorld(d, px, py, &x, &y);
    static const int32_t dm[4] = { 0, -1, -1, 0 }, dn[4] = { 0, 0, -1, -1 };
    float cx[4], cy[4];
    for (int k = 0; k < 4; ++k) {
        const size_t node = static_cast<size_t>(n + dn[k] - 1) * grid.mmax + (m + dm[k] - 1);
        cx[k] = grid.xcoord[node];
        cy[k] = grid.ycoord[node];
    }
    const int32_t c = GE_CellSideCode(x, y, cx, cy, m, n, line);
    if (code)
        *code = c;
}

void GE_DrawCellPath(RUV_WIN window, const GE_List *cells)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d)
        return;
    std::vector<RUV_POINT> path;
    for (int k = 0; k < GE_ListCount(cells); ++k) {
        GE_PointObject cell{};
        float x = 0, y = 0;
        if (!GE_ListGet(cells, k, &cell) || !GE_CellCentre(cell.m, cell.n, &x, &y))
            continue;
        int16_t px = 0, py = 0;
        GE_DataWorldToPixel(d, x, y, &px, &py);
        path.push_back(RUV_POINT{ py, px });
    }
    if (path.size() >= 2)
        ruv_dwin_draw_polyline(window, path.data(), static_cast<int32_t>(path.size()));
}

void GE_DrawCellPolygon(RUV_WIN window, int32_t m, int32_t n)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d)
        return;
    RUV_POINT p[5];
    if (GridPixel(d, m - 1, n - 1, &p[0]) && GridPixel(d, m - 1, n, &p[1]) && GridPixel(d, m, n, &p[2]) &&
        GridPixel(d, m, n - 1, &p[3])) {
        p[4] = p[0];
        ruv_dwin_draw_polygon(window, p, 5);
    }
}
