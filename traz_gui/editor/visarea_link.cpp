// The editor's link to the visualisation area: the map-window library set
// up once when the main window is created (application type, edit modes,
// the land-boundary file item, the three location kinds, the view
// attributes and the four callbacks), and the View menu's map window, which
// is offered once a grid is loaded.
#include <cstdint>
#include <initializer_list>

#include "editor_shell.h"
#include "map_window.h"
#include "visarea.h"

namespace {

constexpr int32_t kInitialConditionButton = 12;

// The map's reports of edits to releases, observation points and the zoom
// box.  They reach the location pages and the zoom-grid sub-pane once those
// pages take locations; until then a report changes nothing.
int OnVisAreaInstantaneousRelease(void *, int32_t, int32_t, int32_t, void *, GE_PointObject *, GE_LineObject *,
                                  int32_t *, int32_t)
{
    return 0;
}

int OnVisAreaContinuousRelease(void *, int32_t, int32_t, int32_t, void *, GE_PointObject *, GE_LineObject *,
                               int32_t *, int32_t)
{
    return 0;
}

int OnVisAreaObservationPoint(void *, int32_t, int32_t, int32_t, void *, GE_PointObject *, GE_LineObject *,
                              int32_t *, int32_t)
{
    return 0;
}

// With no window data the zoom box's report gives back its count.
int OnVisAreaZoomBox(void *windowData, int32_t, int32_t, int32_t, void *, GE_PointObject *, GE_LineObject *,
                     int32_t *, int32_t count)
{
    if (!windowData)
        return count;
    return 0;
}

}  // namespace

void RegisterVisAreaCallbacks(RUV_WIN mainWindow)
{
    GE_Init(1);
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
    if (const RUV_WIN map = GE_OpenWindow())
        AnswerTestDriver(map);
}
