// The visualisation area's process-wide record global_windata: its
// initialisation, the host's configuration (file kinds, object kinds, edit
// modes, view attributes, callbacks), selections, the world bounds and the
// release of everything for a new scenario.
#include <cassert>
#include <cfloat>
#include <cstring>

#include "ge_list.h"
#include "visarea.h"
#include "visarea_internal.h"
#include "wave_grids.h"

GE_GlobalData global_windata;

namespace {

GE_WindowActions g_actions = {};
// How many suspensions of GE_RedrawAll are open.
int g_drawingSuspended = 0;

void ResetBounds()
{
    global_windata.xmin = global_windata.ymin = global_windata.zmin = FLT_MAX;
    global_windata.xmax = global_windata.ymax = global_windata.zmax = -FLT_MAX;
}

void Widen(float x, float y)
{
    GE_GlobalData &g = global_windata;
    if (x < g.xmin) g.xmin = x;
    if (x > g.xmax) g.xmax = x;
    if (y < g.ymin) g.ymin = y;
    if (y > g.ymax) g.ymax = y;
}

void EmptyLineSet(GE_LineSet &set)
{
    GE_Free(set.items);
    GE_Free(set.extra);
    set.items = nullptr;
    set.extra = nullptr;
    set.count = 0;
    set.selected = -1;
}

void EmptyPointSet(GE_PointSet &set)
{
    GE_Free(set.items);
    set.items = nullptr;
    set.count = 0;
    set.selected = -1;
}

void FreeMapTexts()
{
    GE_List *list = global_windata.mapTexts;
    if (!list)
        return;
    void *item = nullptr;
    while (GE_ListCount(list) > 0) {
        GE_ListRemove(list, 0, &item);
        GE_Free(item);
    }
    GE_ListDestroy(list);
    global_windata.mapTexts = nullptr;
}

}  // namespace

void GE_FreeMapTexts() { FreeMapTexts(); }

void GE_WidenBounds(float x, float y) { Widen(x, y); }

void GE_SetWindowActions(const GE_WindowActions *actions)
{
    g_actions = actions ? *actions : GE_WindowActions{};
}

const GE_WindowActions &GE_Actions()
{
    return g_actions;
}

void GE_Init(int32_t applicationType)
{
    GE_GlobalData &g = global_windata;
    std::memset(&g, 0, sizeof g);
    g.applicationType = applicationType;
    ResetBounds();
    g.grid.statusExtra[0] = g.grid.statusExtra[1] = -1;
    g.coordinateSystem = 1;
    g.wave.selected = -1;
    g.dryPoints.selected = g.thinDams.selected = g.crossSections.selected = g.openBoundaries.selected = -1;
    g.observations.selected = g.drogues.selected = -1;
    for (GE_PointSet &d : g.discharges)
        d.selected = -1;
    g.bathymetryColorScheme = 0;
    g.suppressWarningsAvailable = 0;
    g.suppressWarningsChecked = 1;
    g.currentKind = GEkind_NONE;
    g.currentOperation = GEmode_VIEW;
    g.areaBoxShown = 0;
    GE_InvalidateCellIndex();
}

void GE_SetCallback(int32_t kind, GE_Callback callback, void *user)
{
    assert(kind >= 0 && kind < GE_KIND_COUNT);
    if (kind < 0 || kind >= GE_KIND_COUNT)
        return;
    global_windata.callbacks[kind] = callback;
    global_windata.userData[kind] = user;
}

void GE_EnableFileOpen(int32_t which)
{
    assert(which == 0 || which == 1);
    if (which != 0 && which != 1)
        return;
    global_windata.fileOpenEnabled[which] = 1;
    if (g_actions.itemsEnabled)
        g_actions.itemsEnabled(GE_ENABLED_FILE_OPEN, which);
}

void GE_EnableObjectKind(int32_t kind)
{
    assert(kind >= GEkind_DRY_POINT && kind <= GEkind_OPEN_BOUNDARY);
    if (kind < GEkind_DRY_POINT || kind > GEkind_OPEN_BOUNDARY)
        return;
    global_windata.editEnabled[kind] = 1;
    if (g_actions.itemsEnabled)
        g_actions.itemsEnabled(GE_ENABLED_OBJECT_KIND, kind);
}

void GE_EnableEditModes(void)
{
    global_windata.editEnabled[GE_EDIT_MODES_ENTRY] = 1;
    global_windata.currentOperation = GEmode_VIEW;
    if (g_actions.itemsEnabled)
        g_actions.itemsEnabled(GE_ENABLED_EDIT_MODES, 0);
}

void GE_EnableViewAttribute(int32_t attribute)
{
    assert(attribute >= 1 && attribute < GE_ATTRIBUTE_COUNT);
    if (attribute < 1 || attribute >= GE_ATTRIBUTE_COUNT)
        return;
    global_windata.available[attribute] = 1;
    if (g_actions.itemsEnabled)
        g_actions.itemsEnabled(GE_ENABLED_VIEW_ATTRIBUTE, attribute);
}

void GE_SetEditModeView(void)
{
    const int32_t previous = global_windata.currentOperation;
    global_windata.currentOperation = GEmode_VIEW;
    if (g_actions.editModeView)
        g_actions.editModeView(previous);
}

void GE_RedrawAll(int)
{
    if (g_actions.redrawAll && g_drawingSuspended == 0)
        g_actions.redrawAll();
}

void GE_SuspendDrawing(void) { ++g_drawingSuspended; }

bool GE_DrawingSuspended(void) { return g_drawingSuspended > 0; }

void GE_ResumeDrawing(void)
{
    if (g_drawingSuspended > 0 && --g_drawingSuspended == 0)
        GE_RedrawAll(0);
}

void GE_StatusMessage(const char *text)
{
    if (g_actions.statusMessage)
        g_actions.statusMessage(text ? text : "");
}

void GE_AttributeLoaded(int32_t attribute, int32_t item, int32_t namesItem)
{
    if (attribute <= 0 || attribute >= GE_ATTRIBUTE_COUNT)
        return;
    global_windata.option_loaded[attribute] = 1;
    if (g_actions.attributeLoaded)
        g_actions.attributeLoaded(attribute, item, namesItem);
}

void GE_ResetView(void)
{
    GE_ComputeBounds();
    if (g_actions.viewReset)
        g_actions.viewReset();
}

void GE_ComputeBounds(void)
{
    GE_GlobalData &g = global_windata;
    ResetBounds();
    if (g.option_loaded[GEdit_SHOW_GRID]) {
        assert(g.grid.valid_point != nullptr && "global_windata.grid.valid_point != NULL");
        assert(g.grid.xcoord != nullptr && "global_windata.grid.xcoord != NULL");
        assert(g.grid.ycoord != nullptr && "global_windata.grid.ycoord != NULL");
        const size_t nodes = static_cast<size_t>(g.grid.mmax) * static_cast<size_t>(g.grid.nmax);
        for (size_t i = 0; i < nodes; ++i)
            if (g.grid.valid_point[i])
                Widen(g.grid.xcoord[i], g.grid.ycoord[i]);
    }
    if (g.option_loaded[GEdit_SHOW_LANDBOUNDARY]) {
        assert(g.land.xcoord != nullptr && "global_windata.land.xcoord != NULL");
        assert(g.land.ycoord != nullptr && "global_windata.land.ycoord != NULL");
        for (int32_t i = 0; i < g.land.count; ++i)
            Widen(g.land.xcoord[i], g.land.ycoord[i]);
    }
    if (g.option_loaded[GEdit_SHOW_BATHYMETRY]) {
        assert(g.depth.valid_point != nullptr && "global_windata.depth.valid_point != NULL");
        assert(g.depth.xcoord != nullptr && "global_windata.depth.xcoord != NULL");
        assert(g.depth.ycoord != nullptr && "global_windata.depth.ycoord != NULL");
        assert(g.depth.depth != nullptr && "global_windata.depth.depth != NULL");
        const size_t nodes = static_cast<size_t>(g.depth.mmax) * static_cast<size_t>(g.depth.nmax);
        for (size_t i = 0; i < nodes; ++i) {
            if (!g.depth.valid_point[i])
                continue;
            Widen(g.depth.xcoord[i], g.depth.ycoord[i]);
            const float z = g.depth.depth[i];
            if (z < g.zmin) g.zmin = z;
            if (z > g.zmax) g.zmax = z;
        }
    }
    assert(g.wave.setChoice == 0 || g.wave.setChoice == 1);
    if (g.wave.setChoice == 0 || g.wave.setChoice == 1)
        GE_WaveGridsBounds();
}

void GE_FreeAll(void)
{
    GE_GlobalData &g = global_windata;
    // Land-boundary points that are no longer loaded are freed here; the
    // grid, its depths and cell status go with the grid unload (which also
    // clears the land boundary's loaded flag when a grid was loaded).
    if (!g.option_loaded[GEdit_SHOW_LANDBOUNDARY])
        GE_FreeLandBoundaryArrays();
    GE_FreeGrid();
    EmptyLineSet(g.dryPoints);
    EmptyLineSet(g.thinDams);
    EmptyPointSet(g.observations);
    EmptyPointSet(g.drogues);
    for (GE_PointSet &d : g.discharges)
        EmptyPointSet(d);
    EmptyLineSet(g.crossSections);
    EmptyLineSet(g.openBoundaries);
    FreeMapTexts();
}

void GE_FixSelection(int32_t deletedIndex, int32_t *selected)
{
    if (!selected)
        return;
    if (deletedIndex == 0)
        *selected = -1;
    else if (*selected >= deletedIndex)
        *selected -= 1;
}

int GE_SelectIndex(int32_t index, int32_t *selected, int32_t count)
{
    if (!selected || index < 0 || index >= count)
        return 1;
    *selected = index;
    GE_RedrawAll(0);
    return 0;
}

int GE_SetAreaBox(const GE_PointObject corners[2])
{
    if (!corners)
        return 0;
    GE_GlobalData &g = global_windata;
    g.previousAreaBox[0] = g.areaBox[0];
    g.previousAreaBox[1] = g.areaBox[1];
    g.areaBox[0] = corners[0];
    g.areaBox[1] = corners[1];
    g.areaBoxShown = 1;
    GE_RedrawAll(0);
    return 0;
}
