// The editor's link to the visualisation area: the map-window library set
// up once when the main window is created (application type, edit modes,
// the land-boundary file item, the three location kinds, the view
// attributes and the four callbacks), the map's edits of releases and
// observation points applied to the location pages and the scenario, the
// zoom-grid box picked on the map or typed on the output page, the
// location sets emptied with the scenario, and the View menu's map window,
// which is offered once a grid is loaded.
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "ge_list.h"
#include "general_pages.h"
#include "location_pages.h"
#include "map_window.h"
#include "point_objects.h"
#include "scenario.h"
#include "status_bar.h"
#include "time_tables.h"
#include "visarea.h"

namespace {

constexpr int32_t kInitialConditionButton = 12;
constexpr int kZoomGridPane = 6;
constexpr int32_t kPickBox = 13;

// What tells the three location callbacks apart.
struct LinkKind {
    int page;
    const char *statusText;
};

// A report of the map on a location kind applied to the page and the
// scenario; the page's list and fields are refreshed in every case.
int ApplyLocationReport(const LinkKind &k, int32_t operation, int32_t index, GE_PointObject *points)
{
    // A table shown that cannot be stored keeps the user in it: the map's
    // edit is not taken.
    if (!CheckShownTables(NULL_WIN, "")) {
        TakeBackMapEdit(k.page, operation, index);
        return -1;
    }
    if (CurrentPage != k.page && PageWindows[k.page]) {
        statbar_set_default_text(PageWindows[k.page], k.statusText);
        statbar_set_title(PageWindows[k.page], nullptr);
        SwitchPage(k.page);
    } else if (PageWindows[k.page]) {
        // The page shown keeps what was typed into the location it shows
        // before the map's report shows another one.
        StoreLocationFields(PageWindows[k.page]);
    }
    const RUV_WIN page = PageWindows[k.page];
    GE_List *list = LocationList(k.page);
    if (!page || !list)
        return -1;
    const bool valid = index >= 0;
    // Only a report that changed the scenario marks it modified: a Modify
    // pick of the point to move, a refused Add and a View leave it as it was.
    bool changed = false;
    int &selected = PageSelection[k.page];
    switch (operation) {
    case GEmode_ADD:
        if (valid && points) {
            const float xy[2] = {points[index].x, points[index].y};
            const int position = AddLocation(xy, 2, page);
            if (position < 0) {
                // Nothing was added to the scenario: neither is it on the map.
                if (k.page == LOCATION_PAGE_OBSERVATION)
                    GE_DeleteObservation(index);
                else
                    GE_DeleteDischarge(index, k.page == LOCATION_PAGE_INSTANTANEOUS ? 1 : 2);
                break;
            }
            selected = index;
            changed = true;
            // The map shows the name the editor gave.
            if (const Location *l = LocationAt(k.page, position)) {
                GE_PointSet &set = k.page == LOCATION_PAGE_OBSERVATION
                                       ? global_windata.observations
                                       : global_windata.discharges[k.page == LOCATION_PAGE_INSTANTANEOUS ? 1 : 2];
                if (index < set.count)
                    std::snprintf(set.items[index].name, sizeof set.items[index].name, "%s", l->name);
            }
        }
        break;
    case GEmode_DELETE:
        if (valid && index < GE_ListCount(list)) {
            Location *l = nullptr;
            GE_ListRemove(list, index, &l);
            NoteLocationEdit(k.page, index, 1, l);
            FreeLocation(l);
            changed = true;
        }
        if (k.page == LOCATION_PAGE_OBSERVATION)
            GE_DeleteObservation(index);
        else
            GE_DeleteDischarge(index, k.page == LOCATION_PAGE_INSTANTANEOUS ? 1 : 2);
        if (selected >= index && selected > 0)
            selected -= 1;
        if (GE_ListCount(list) == 0)
            selected = -1;
        // The release's time tables no longer match their index.
        if (k.page != LOCATION_PAGE_OBSERVATION) {
            if (const RUV_WIN w = SubPaneWindow(k.page == LOCATION_PAGE_INSTANTANEOUS ? 9 : 8))
                SetWindowVisible(w, 0);
            if (selected >= 0) {
                if (k.page == LOCATION_PAGE_INSTANTANEOUS) {
                    SetTableData(&g_scenario, SubPaneWindow(9), 9, selected);
                } else {
                    SetTableData(&g_scenario, SubPaneWindow(8), 10, selected);
                    SetTableData(&g_scenario, SubPaneWindow(8), 11, selected);
                }
            }
        }
        break;
    case GEmode_MODIFY:
        if (valid && points) {
            if (Location *l = LocationAt(k.page, index)) {
                changed = l->words[0] != points[index].m || l->words[1] != points[index].n ||
                          l->x != points[index].x || l->y != points[index].y;
                NoteLocationEdit(k.page, index, 2, l);
                l->words[0] = points[index].m;
                l->words[1] = points[index].n;
                l->x = points[index].x;
                l->y = points[index].y;
                GE_ListSet(list, index, &l);
                ShowLocationFields(page, index);
                selected = index;
                if (k.page == LOCATION_PAGE_OBSERVATION)
                    GE_RedrawAll(0);
            }
        }
        break;
    case GEmode_VIEW:
        if (valid && index < GE_ListCount(list))
            selected = index;
        break;
    default:
        break;
    }
    FillNameList(page, 1, list, selected);
    if (changed)
        SetModified(1);
    return ShowSelectedLocation(page, 0);
}

int OnVisAreaInstantaneousRelease(void *, int32_t, int32_t operation, int32_t index, void *, GE_PointObject *points,
                                  GE_LineObject *, int32_t *, int32_t)
{
    return ApplyLocationReport({LOCATION_PAGE_INSTANTANEOUS, "\t\tInstantaneous releases\tQuarnex"}, operation,
                               index, points);
}

int OnVisAreaContinuousRelease(void *, int32_t, int32_t operation, int32_t index, void *, GE_PointObject *points,
                               GE_LineObject *, int32_t *, int32_t)
{
    return ApplyLocationReport({LOCATION_PAGE_CONTINUOUS, "\t\tContinuous releases\tQuarnex"}, operation, index,
                               points);
}

int OnVisAreaObservationPoint(void *, int32_t, int32_t operation, int32_t index, void *, GE_PointObject *points,
                              GE_LineObject *, int32_t *, int32_t)
{
    return ApplyLocationReport({LOCATION_PAGE_OBSERVATION, "Observation points   Quarnex"}, operation, index, points);
}

// A corner of the box with its grid cell (m = n = 0 off the grid).
GE_PointObject Corner(float x, float y)
{
    GE_PointObject p{};
    p.x = x;
    p.y = y;
    const GE_GridState &grid = global_windata.grid;
    int32_t m = 0, n = 0;
    if (grid.mmax > 0 && grid.nmax > 0 && GE_FindCell(nullptr, 0, 0, grid.mmax - 1, grid.nmax - 1, 1, x, y, &m, &n)) {
        p.m = m;
        p.n = n;
    }
    return p;
}

// The box dragged on the map fills the zoom-grid fields when the pick box
// was checked.  The window's own transform turns the pixels into world
// points, with its horizontal scale for x.
int OnVisAreaZoomBox(void *windowData, int32_t, int32_t, int32_t, void *, GE_PointObject *, GE_LineObject *,
                     int32_t *, int32_t count)
{
    if (!windowData)
        return count;
    GE_WindowData *d = static_cast<GE_WindowData *>(windowData);
    const RUV_WIN pane = SubPaneWindow(kZoomGridPane);
    const int16_t checked = pane ? IsControlChecked(pane, kPickBox) : 0;
    d->pickArea = checked;
    if (pane)
        SetControlChecked(pane, kPickBox, 0);
    if (!checked)
        return 0;
    GE_PointObject corners[2];
    GE_PickedArea(d, corners);
    const float x0 = corners[0].x, x1 = corners[1].x, y0 = corners[0].y, y1 = corners[1].y;
    SetControlFloat(pane, 2, x0 < x1 ? x0 : x1);
    SetControlFloat(pane, 3, x0 < x1 ? x1 : x0);
    SetControlFloat(pane, 4, y0 < y1 ? y0 : y1);
    SetControlFloat(pane, 1, y0 < y1 ? y1 : y0);
    SetModified(1);
    return GE_SetAreaBox(corners);
}

}  // namespace

void RegisterVisAreaCallbacks(RUV_WIN mainWindow)
{
    GE_Init(1);
    GE_InstallPointObjectKinds();
    GE_EnableEditModes();
    GE_EnableFileOpen(0);
    for (const int32_t kind : {GEkind_INSTANT_RELEASE, GEkind_CONTINUOUS_RELEASE, GEkind_OBSERVATION})
        GE_EnableObjectKind(kind);
    for (const int32_t attribute : {GEdit_SHOW_GRID, GEdit_SHOW_COMP_GRID, GEdit_SHOW_BATHYMETRY, GEdit_SHOW_LANDBOUNDARY,
                                      GEdit_SHOW_INSTANT_RELEASES, GEdit_SHOW_CONTINUOUS_RELEASES,
                                      GEdit_SHOW_OBSERVATIONS})
        GE_EnableViewAttribute(attribute);
    GE_SetCallback(GEkind_INSTANT_RELEASE, OnVisAreaInstantaneousRelease, nullptr);
    GE_SetCallback(GEkind_CONTINUOUS_RELEASE, OnVisAreaContinuousRelease, nullptr);
    GE_SetCallback(GEkind_OBSERVATION, OnVisAreaObservationPoint, nullptr);
    GE_SetCallback(GEkind_ZOOM_BOX, OnVisAreaZoomBox, nullptr);
    if (const RUV_WIN button = ruv_win_get_ctl(mainWindow, kInitialConditionButton))
        ruv_vobj_set_enabled(button, FALSE);
}

int VisualisationAreaAvailable(void)
{
    const GE_GlobalData &g = global_windata;
    return g.option_loaded[GEdit_SHOW_GRID] && g.grid.mmax > 0 && g.grid.nmax > 0;
}

void OpenVisualisationArea(void)
{
    if (!VisualisationAreaAvailable())
        return;
    if (const RUV_WIN map = GE_OpenWindow()) {
        MoveFrameOnScreen(map);
        AnswerTestDriver(map);
    }
}

void ResetMapPageBoxes(void) { GE_ResetLocationSets(); }

void ShowZoomGridBox(void)
{
    const RUV_WIN pane = SubPaneWindow(kZoomGridPane);
    if (!pane)
        return;
    const float xs = static_cast<float>(GetControlDouble(pane, 2)), xe = static_cast<float>(GetControlDouble(pane, 3));
    const float ys = static_cast<float>(GetControlDouble(pane, 4)), ye = static_cast<float>(GetControlDouble(pane, 1));
    const GE_PointObject corners[2] = {Corner(xs, ys), Corner(xe, ye)};
    GE_SetAreaBox(corners);
}

void ZoomGridPaneMapControl(RUV_WIN pane, const RUV_EVENT *event)
{
    ZoomGridPaneControl(pane, event);
    const int32_t id = event->v.control.id, type = event->v.control.type;
    const bool edit = type == 17 || type == 21;
    if (edit && id >= 1 && id <= 4 && event->v.control.data.edit.change == 0) {
        ShowZoomGridBox();
    } else if (!edit && id == kPickBox) {
        SetControlChecked(pane, kPickBox, IsControlChecked(pane, kPickBox) ? 0 : 1);
        if (global_windata.windowCount == 0)
            OpenVisualisationArea();
    }
}
