// Map windows: opening one under the task window with its status bar, the
// set-up of its record and menu, resize and close, the event handler and the
// menu dispatcher, the pointer's coordinate line, the zoom operations with
// the zoom box, and what every open window does when the process-wide data
// change (the window actions of the library).
#include "map_window.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "dialog_controls.h"
#include "map_window_state.h"
#include "point_objects.h"
#include "editor_services.h"
#include "legend_window.h"
#include "map_printing.h"
#include "status_bar.h"
#include "wave_grid_drawing.h"

// The help hook forgets a window's help associations when it is destroyed.
void HelpRemoveWindow(RUV_WIN window);

namespace {

constexpr int32_t ATTR_BACK_COLOR = 100;
constexpr int32_t ATTR_TASK_WINDOW = 301;

using MapWindow = GE_MapWindowState;

RUV_PRINT_RECORD *g_printRecord = nullptr;

char kParamNone[] = "";
char kParamDebug[] = "DEBUG=FALSE";
char kParamDefault[] = "DEFAULT_TEXT=\"Status Bar\"";
char kParamFieldOffset[] = "FIELD_OFFSET=16";
char kParamFill[] = "FILL_COLOR=LTGRAY";
char kParamFontSize[] = "FONTSIZE=12";
char kParamLeftOffset[] = "LEFT_OFFSET=8";
char kParamPlain[] = "PLAIN=FALSE";
char kParamTaskWin[] = "TASK_WIN=FALSE";
char kParamTextColor[] = "TEXT_COLOR=BLACK";
char *kStatusParams[] = { kParamNone, kParamDebug, kParamDefault, kParamFieldOffset, kParamFill,
                          kParamFontSize, kParamLeftOffset, kParamPlain, kParamTaskWin, kParamTextColor };

MapWindow *State(RUV_WIN window) { return GE_WindowState(window); }

template <typename F> void EachWindow(F f) { GE_EachMapWindow(f); }

void Item(RUV_WIN window, int32_t tag, bool enabled, bool checked) { GE_SetMenuItem(window, tag, enabled, checked); }

void InitAttributeItems(RUV_WIN window, GE_WindowData *data, int32_t attribute)
{
    const GE_GlobalData &g = global_windata;
    if (!g.available[attribute] || !g.option_loaded[attribute])
        return;
    data->shown[attribute] = 1;
    data->namesShown[attribute] = 1;
    const int32_t item = GE_AttributeMenuItem(attribute), names = GE_AttributeNamesMenuItem(attribute);
    if (item > 0)
        Item(window, item, true, attribute != GEdit_SHOW_LEGEND);
    if (names > 0)
        Item(window, names, true, true);
}

void InitMenuItems(RUV_WIN window, GE_WindowData *data)
{
    const GE_GlobalData &g = global_windata;
    if (g.suppressWarningsAvailable)
        Item(window, GEcmd_SUPPRESS_WARNINGS, true, g.suppressWarningsChecked != 0);
    ruv_menu_set_item_enabled(window, GEcmd_OPEN_LANDBOUNDARY, g.fileOpenEnabled[0] ? TRUE : FALSE);
    ruv_menu_set_item_enabled(window, GEcmd_OPEN_BATHYMETRY, g.fileOpenEnabled[1] ? TRUE : FALSE);
    for (int32_t kind = GEkind_DRY_POINT; kind <= GEkind_OPEN_BOUNDARY; ++kind)
        Item(window, GEcmd_EDIT_FIRST + kind - GEkind_DRY_POINT, g.editEnabled[kind] != 0, g.currentKind == kind);
    ruv_menu_set_item_checked(window, GEcmd_EDIT_NONE, TRUE);
    if (g.editEnabled[GE_EDIT_MODES_ENTRY])
        for (int32_t mode = GEmode_ADD; mode <= GEmode_VIEW; ++mode)
            Item(window, GEcmd_MODE_ADD + mode, true, g.currentOperation == mode);
    static const int32_t kOrder[] = { 0, 3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14 };
    for (const int32_t attribute : kOrder)
        InitAttributeItems(window, data, attribute);
    // The legend lists whatever kinds hold objects when it is drawn (the
    // heading alone when none do), so it can always be opened.
    ruv_menu_set_item_enabled(window, GEcmd_LEGEND, TRUE);
    GE_CheckViewItems(window, data);
}

// ---- the zoom rectangle (exclusive-or: drawing it twice removes it)

void DrawBand(MapWindow *mw)
{
    const RUV_POINT points[5] = {
        { static_cast<int16_t>(mw->bandY0), static_cast<int16_t>(mw->bandX0) },
        { static_cast<int16_t>(mw->bandY0), static_cast<int16_t>(mw->bandX1) },
        { static_cast<int16_t>(mw->bandY1), static_cast<int16_t>(mw->bandX1) },
        { static_cast<int16_t>(mw->bandY1), static_cast<int16_t>(mw->bandX0) },
        { static_cast<int16_t>(mw->bandY0), static_cast<int16_t>(mw->bandX0) },
    };
    ruv_dwin_set_std_cpen(mw->window, 3);
    ruv_dwin_set_draw_mode(mw->window, 2);
    ruv_dwin_draw_polyline(mw->window, points, 5);
    ruv_dwin_set_std_cpen(mw->window, 1);
    ruv_dwin_set_draw_mode(mw->window, 0);
}

void Redraw(RUV_WIN window)
{
    if (MapWindow *mw = State(window)) {
        GE_UpdateTransform(&mw->data);
        GE_DrawBackground(window);
        GE_DrawObjects(window, 1);
    }
}

// ---- the window actions: what each open window does on a data change

void OnGridSet()
{
    const GE_GlobalData &g = global_windata;
    EachWindow([&](RUV_WIN w) {
        MapWindow *mw = State(w);
        if (g.available[GEdit_SHOW_BATHYMETRY]) {
            mw->data.shown[GEdit_SHOW_BATHYMETRY] = 0;
            Item(w, GEcmd_SHOW_BATHYMETRY, false, false);
        }
        if (g.available[GEdit_SHOW_GRID]) {
            mw->data.shown[GEdit_SHOW_GRID] = 1;
            Item(w, GEcmd_SHOW_GRID, true, true);
            mw->data.zoom = 1.0f;
            mw->data.xOffset = mw->data.yOffset = 0.0f;
        }
        GE_UpdateTransform(&mw->data);
        GE_DrawBackground(w);
        GE_CancelClicks(w);
    });
}

void OnGridFreed()
{
    EachWindow([&](RUV_WIN w) {
        MapWindow *mw = State(w);
        mw->data.shown[GEdit_SHOW_GRID] = 0;
        mw->data.shown[GEdit_SHOW_BATHYMETRY] = 0;
        mw->data.shown[GEdit_SHOW_LANDBOUNDARY] = 0;
        Item(w, GEcmd_SHOW_GRID, false, false);
        GE_UpdateTransform(&mw->data);
        GE_DrawBackground(w);
    });
}

void OnDepthSet()
{
    EachWindow([&](RUV_WIN w) {
        MapWindow *mw = State(w);
        mw->data.shown[GEdit_SHOW_BATHYMETRY] = 1;
        mw->data.zoom = 1.0f;
        mw->data.xOffset = mw->data.yOffset = 0.0f;
        Item(w, GEcmd_SHOW_BATHYMETRY, true, true);
        GE_UpdateTransform(&mw->data);
        GE_DrawBackground(w);
        GE_CancelClicks(w);
    });
}

void OnLandBoundarySet(int resetZoom)
{
    EachWindow([&](RUV_WIN w) {
        MapWindow *mw = State(w);
        mw->data.shown[GEdit_SHOW_LANDBOUNDARY] = 1;
        if (resetZoom) {
            mw->data.zoom = 1.0f;
            mw->data.xOffset = mw->data.yOffset = 0.0f;
        }
        Item(w, GEcmd_SHOW_LANDBOUNDARY, true, true);
        GE_UpdateTransform(&mw->data);
        GE_DrawBackground(w);
        GE_CancelClicks(w);
    });
}

// A new cell status: every window shows the whole grid again.
void OnEnclosureSet()
{
    EachWindow([](RUV_WIN w) {
        MapWindow *mw = State(w);
        mw->data.zoom = 1.0f;
        mw->data.xOffset = mw->data.yOffset = 0.0f;
        mw->data.shown[GEdit_SHOW_GRID] = 1;
        Item(w, GEcmd_SHOW_GRID, true, true);
        Redraw(w);
        GE_ShowEditStatus(w);
    });
}

// Objects changed: the object layer over the background as it is.
void OnRedrawAll()
{
    EachWindow([](RUV_WIN w) {
        GE_DrawObjects(w, 1);
        GE_ShowEditStatus(w);
    });
}

// An enable call only offers its items: what each window shows and checks
// stays as its user left it.
void OnItemsEnabled(int32_t group, int32_t which)
{
    const GE_GlobalData &g = global_windata;
    EachWindow([&](RUV_WIN w) {
        switch (group) {
        case GE_ENABLED_FILE_OPEN:
            ruv_menu_set_item_enabled(w, which == 0 ? GEcmd_OPEN_LANDBOUNDARY : GEcmd_OPEN_BATHYMETRY, TRUE);
            break;
        case GE_ENABLED_OBJECT_KIND:
            ruv_menu_set_item_enabled(w, GEcmd_EDIT_FIRST + which - GEkind_DRY_POINT, TRUE);
            break;
        case GE_ENABLED_EDIT_MODES:
            for (int32_t mode = GEmode_ADD; mode <= GEmode_VIEW; ++mode)
                Item(w, GEcmd_MODE_ADD + mode, true, mode == g.currentOperation);
            break;
        case GE_ENABLED_VIEW_ATTRIBUTE:
            if (g.option_loaded[which]) {
                ruv_menu_set_item_enabled(w, GE_AttributeMenuItem(which), TRUE);
                if (which >= GEdit_SHOW_OBSERVATIONS)
                    ruv_menu_set_item_enabled(w, GE_AttributeNamesMenuItem(which), TRUE);
            }
            break;
        default:
            break;
        }
    });
}

void OnStatusMessage(const char *text)
{
    EachWindow([&](RUV_WIN w) { SetStatusFields(w, 0, text ? text : "", nullptr, nullptr); });
}

void OnViewReset()
{
    EachWindow([](RUV_WIN w) {
        MapWindow *mw = State(w);
        mw->data.zoom = 1.0f;
        mw->data.xOffset = mw->data.yOffset = 0.0f;
        Redraw(w);
        GE_ShowEditStatus(w);
    });
    GE_RefreshLegendWindow();
}

void OnEditModeView(int32_t)
{
    EachWindow([](RUV_WIN w) {
        for (int32_t mode = GEmode_ADD; mode <= GEmode_VIEW; ++mode)
            ruv_menu_set_item_checked(w, GEcmd_MODE_ADD + mode, mode == GEmode_VIEW ? TRUE : FALSE);
    });
}

void InstallWindowActions()
{
    static const GE_WindowActions actions = {
        OnGridSet, OnGridFreed, OnDepthSet, OnLandBoundarySet, OnEnclosureSet,
        OnItemsEnabled, OnRedrawAll, OnStatusMessage, OnViewReset, OnEditModeView, GE_ShowLoadedAttribute,
    };
    GE_SetWindowActions(&actions);
}

}  // namespace

// ---------------------------------------------------------------- shared with the other window modules

GE_MapWindowState *GE_WindowState(RUV_WIN window)
{
    if (!window)
        return nullptr;
    const GE_GlobalData &g = global_windata;
    for (int32_t k = 0; k < g.windowCount; ++k)
        if (g.windows[k] == window)
            return static_cast<GE_MapWindowState *>(ruv_vobj_get_data(window));
    // A page being printed draws through the copy of its window's state.
    if (window == GE_CurrentPrintWindow())
        return static_cast<GE_MapWindowState *>(ruv_vobj_get_data(window));
    return nullptr;
}

RUV_PRINT_RECORD *GE_PrintRecord(void) { return g_printRecord; }

void GE_SetMenuItem(RUV_WIN window, int32_t tag, bool enabled, bool checked)
{
    ruv_menu_set_item_enabled(window, tag, enabled ? TRUE : FALSE);
    ruv_menu_set_item_checked(window, tag, checked ? TRUE : FALSE);
}

void GE_EraseZoomBand(GE_MapWindowState *mw)
{
    if (!mw->bandShown)
        return;
    DrawBand(mw);
    mw->bandShown = false;
}

void GE_ForgetClicks(GE_WindowData *data)
{
    for (int k = 0; k < 4; ++k)
        data->clickX[k] = data->clickY[k] = -1;
    data->clickCounter = 0;
}

int32_t GE_AttributeMenuItem(int32_t attribute)
{
    switch (attribute) {
    case GEdit_SHOW_LEGEND: return GEcmd_LEGEND;
    case GEdit_SHOW_GRID: return GEcmd_SHOW_GRID;
    case GEdit_SHOW_LANDBOUNDARY: return GEcmd_SHOW_LANDBOUNDARY;
    case GEdit_SHOW_BATHYMETRY: return GEcmd_SHOW_BATHYMETRY;
    default: return attribute >= 4 && attribute <= 14 ? GEcmd_SHOW_COMP_GRID + attribute - 4 : -1;
    }
}

int32_t GE_AttributeNamesMenuItem(int32_t attribute)
{
    if (attribute == 4 || attribute == 5)
        return GEcmd_NAMES_FIRST + attribute - 4;
    if (attribute >= 8 && attribute <= 14)
        return GEcmd_NAMES_FIRST + 2 + attribute - 8;
    return -1;
}

// ---------------------------------------------------------------- windows

GE_WindowData *GE_MapWindowData(RUV_WIN window)
{
    MapWindow *mw = State(window);
    return mw ? &mw->data : nullptr;
}

RUV_WIN GE_MapStatusBar(RUV_WIN window)
{
    MapWindow *mw = State(window);
    return mw ? mw->statusBar : NULL_WIN;
}

RUV_WIN GE_OpenWindow(void)
{
    InstallWindowActions();
    const RUV_WIN task = reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, ATTR_TASK_WINDOW));
    const RUV_WIN window = ruv_win_create_res(GE_MAP_WINDOW, task, nullptr, GE_WindowHandler, RUV_EVENT_MASK_ALL);
    if (!window) {
        ruv_dm_post_error("Can't open window");
        return NULL_WIN;
    }
    return window;
}

void GE_WindowCreated(RUV_WIN window)
{
    GE_GlobalData &g = global_windata;
    g.bathymetryColorScheme = 0;
    MapWindow *mw = new (std::nothrow) MapWindow{};
    void **grown = static_cast<void **>(std::realloc(g.windows, sizeof(void *) * (g.windowCount + 1)));
    if (!mw || !grown) {
        delete mw;
        if (grown)
            g.windows = grown;
        ruv_dm_post_error("Can't open window");
        ruv_vobj_destroy(window);
        return;
    }
    g.windows = grown;
    g.windows[g.windowCount++] = window;
    GE_InitWindowData(&mw->data);
    mw->window = window;
    mw->statusBar = statbar_find(window);
    ruv_vobj_set_data(window, &mw->data);
    SetStatusFields(window, 0, "", "Visualization", "VA 3.00.00");
    InitMenuItems(window, &mw->data);
    // The coordinate line in a plain small font: the whole line, to the
    // cell's second index, fits the window's first width.
    if (const RUV_WIN line = ruv_win_get_ctl(window, GE_COORDINATE_LINE)) {
        if (RUV_FONT *font = ruv_font_create()) {
            ruv_font_set_family(font, "helvetica");
            ruv_font_set_size(font, 8);
            ruv_font_set_style(font, 0);
            ruv_ctl_set_font(line, font);
            ruv_font_destroy(font);
        }
    }

    // Placement on an assumed screen of 1024 x 720.
    RUV_RECT client{};
    ruv_vobj_get_client_rect(window, &client);
    const int16_t width = static_cast<int16_t>(client.right - client.left);
    RUV_RECT placed{ 40, static_cast<int16_t>(1024 - width), static_cast<int16_t>(client.bottom - client.top),
                     1014 };
    ruv_vobj_move(window, &placed);
}

void GE_WindowResized(RUV_WIN window)
{
    MapWindow *mw = State(window);
    if (!mw || mw->data.printing)
        return;
    GE_WindowData &d = mw->data;
    GE_EraseZoomBand(mw);
    GE_ForgetClicks(&d);

    RUV_RECT client{};
    ruv_vobj_get_client_rect(window, &client);
    int16_t width = static_cast<int16_t>(client.right - client.left);
    int16_t height = static_cast<int16_t>(client.bottom - client.top);
    if (width < 300 || height < 300) {
        width = std::max<int16_t>(width, 300);
        height = std::max<int16_t>(height, 300);
        RUV_RECT moved{ 200, 200, static_cast<int16_t>(200 + height), static_cast<int16_t>(200 + width) };
        ruv_vobj_move(window, &moved);
        client = RUV_RECT{ 0, 0, height, width };
    }
    int16_t barHeight = 0;
    if (mw->statusBar) {
        RUV_RECT bar{};
        ruv_vobj_get_outer_rect(mw->statusBar, &bar);
        barHeight = static_cast<int16_t>(bar.bottom - bar.top);
    }
    d.drawing.left = static_cast<int16_t>(client.left + 5);
    d.drawing.right = static_cast<int16_t>(d.drawing.left + width - 10);
    d.drawing.top = static_cast<int16_t>(client.top + 5);
    d.drawing.bottom = static_cast<int16_t>(client.bottom - barHeight - 5);

    if (const RUV_WIN line = ruv_win_get_ctl(window, GE_COORDINATE_LINE)) {
        RUV_RECT r{};
        ruv_vobj_get_outer_rect(line, &r);
        r.left = 0;
        r.right = width;
        ruv_vobj_move(line, &r);
    }
    ruv_dwin_clear(window, static_cast<RUV_COLOR>(ruv_vobj_get_attr(NULL_WIN, ATTR_BACK_COLOR)));
    if (d.pixmap) {
        ruv_dwin_clear(d.pixmap, GE_COLOR_WHITE);
        ruv_pmap_destroy(d.pixmap);
        d.pixmap = NULL_WIN;
    }
    const int32_t pw = d.drawing.right - d.drawing.left, ph = d.drawing.bottom - d.drawing.top;
    if (pw > 0 && ph > 0)
        d.pixmap = ruv_pmap_create(window, 1, pw, ph);
    GE_DrawBackground(window);
    if (mw->statusBar)
        statbar_autosize(mw->statusBar);
    ruv_dwin_invalidate_rect(window, nullptr);
    GE_DrawObjects(window, 1);
}

void GE_WindowDestroyed(RUV_WIN window)
{
    GE_GlobalData &g = global_windata;
    int32_t at = -1;
    for (int32_t k = 0; k < g.windowCount; ++k)
        if (g.windows[k] == window)
            at = k;
    if (at < 0)
        return;
    MapWindow *mw = static_cast<MapWindow *>(ruv_vobj_get_data(window));
    for (int32_t k = at; k + 1 < g.windowCount; ++k)
        g.windows[k] = g.windows[k + 1];
    --g.windowCount;
    if (mw) {
        if (mw->data.pixmap)
            ruv_pmap_destroy(mw->data.pixmap);
        ruv_vobj_set_data(window, nullptr);
        delete mw;
    }
    if (g.windowCount == 0) {
        std::free(g.windows);
        g.windows = nullptr;
        GE_CloseLegendWindow();
        if (g_printRecord) {
            ruv_print_destroy(g_printRecord);
            g_printRecord = nullptr;
        }
    }
}

void GE_CloseAllWindows(void)
{
    while (global_windata.windowCount > 0) {
        const int32_t before = global_windata.windowCount;
        ruv_vobj_destroy(static_cast<RUV_WIN>(global_windata.windows[0]));
        if (global_windata.windowCount == before)
            break;  // not destroyed: the toolkit has reported why
    }
}

void GE_FocusWindows(void)
{
    EachWindow([](RUV_WIN w) { ruv_scr_set_focus_vobj(w); });
}

void GE_EnableSuppressWarnings(void)
{
    GE_GlobalData &g = global_windata;
    g.suppressWarningsAvailable = 1;
    g.suppressWarningsChecked = 0;
    EachWindow([](RUV_WIN w) { Item(w, GEcmd_SUPPRESS_WARNINGS, true, false); });
}

void GE_DisableLegendItems(void)
{
    EachWindow([](RUV_WIN w) { ruv_menu_set_item_enabled(w, GEcmd_LEGEND, FALSE); });
}

int32_t GE_WindowHandler(RUV_WIN window, RUV_EVENT *event)
{
    ruvcm_route_event(window, event);
    MapWindow *mw = State(window);
    switch (event->type) {
    case E_CREATE: {
        RUV_WIN bar = statbar_create(GE_STATUS_BAR, 8, 376, 363, 398, 10, kStatusParams, window, GE_MAP_WINDOW,
                                     131, "");
        if (bar) {
            statbar_set_default_text(bar, "\tVisualization\tQuarnex 1.0");
            statbar_set_title(bar, nullptr);
        }
        GE_WindowCreated(window);
        if ((mw = State(window)) != nullptr) {
            if (!g_printRecord) {
                int32_t size = 0;
                g_printRecord = ruv_print_create(&size);
            }
            ruv_menu_set_item_enabled(window, GEcmd_PAGE_SETUP, TRUE);
            ruv_menu_set_item_enabled(window, GEcmd_PRINT, TRUE);
            mw->resizeLatch = 1;
        }
        break;
    }
    case E_DESTROY:
        HelpRemoveWindow(window);
        GE_WindowDestroyed(window);
        break;
    case E_FOCUS:
        if (!event->v.focus.active)
            ruv_vobj_raise(window);
        break;
    case E_SIZE:
        if (mw && mw->resizeLatch) {
            GE_WindowResized(window);
            mw->resizeLatch = 0;
        }
        break;
    case E_UPDATE:
        ruv_dwin_clear(window, static_cast<RUV_COLOR>(ruv_vobj_get_attr(NULL_WIN, ATTR_BACK_COLOR)));
        GE_RedrawObjects(window);
        if (mw)
            mw->resizeLatch = 1;
        break;
    case E_CLOSE:
        ruv_vobj_destroy(window);
        break;
    case E_MOUSE_DOWN:
        GE_MouseDown(window, event);
        break;
    case E_MOUSE_UP:
        GE_MouseUp(window, event);
        break;
    case E_MOUSE_MOVE:
        GE_MouseMove(window, event);
        break;
    case E_COMMAND:
        GE_MenuCommand(window, event);
        break;
    default:
        break;
    }
    return 0;
}

void GE_MenuCommand(RUV_WIN window, RUV_EVENT *event)
{
    const int32_t tag = event->v.command.tag;
    switch (tag) {
    case GEcmd_OPEN_LANDBOUNDARY: GE_LoadLandBoundary(window); break;
    case GEcmd_OPEN_BATHYMETRY: GE_LoadBathymetry(window); break;
    case GEcmd_EXIT: ruv_vobj_destroy(window); break;
    case GEcmd_EDIT_FIRST: GE_EditDryPoints(); break;
    case GEcmd_EDIT_FIRST + 1: GE_EditThinDams(); break;
    case GEcmd_EDIT_FIRST + 2: GE_EditObservationPoints(); break;
    case GEcmd_EDIT_FIRST + 3: GE_EditDrogues(); break;
    case GEcmd_EDIT_FIRST + 4: GE_EditDischargeKind(0); break;
    case GEcmd_EDIT_FIRST + 5: GE_EditDischargeKind(1); break;
    case GEcmd_EDIT_FIRST + 6: GE_EditDischargeKind(2); break;
    case GEcmd_EDIT_FIRST + 7: GE_EditCrossSections(); break;
    case GEcmd_EDIT_FIRST + 8: GE_EditOpenBoundaries(); break;
    case GEcmd_MODE_ADD: GE_SetModeAdd(); break;
    case GEcmd_MODE_ADD + 1: GE_SetModeDelete(); break;
    case GEcmd_MODE_ADD + 2: GE_SetModeModify(); break;
    case GEcmd_MODE_ADD + 3: GE_SetModeView(); break;
    case GEcmd_ZOOM_IN: GE_ZoomIn(window); break;
    case GEcmd_ZOOM_OUT: GE_ZoomOut(window); break;
    case GEcmd_ZOOM_BOX: GE_StartZoomBox(window); break;
    case GEcmd_ZOOM_RESET: GE_ZoomReset(window); break;
    case GEcmd_SHOW_GRID: GE_ToggleAttribute(window, GEdit_SHOW_GRID, 0); break;
    case GEcmd_SHOW_LANDBOUNDARY: GE_ToggleAttribute(window, GEdit_SHOW_LANDBOUNDARY, 0); break;
    case GEcmd_SHOW_BATHYMETRY: GE_ToggleAttribute(window, GEdit_SHOW_BATHYMETRY, 0); break;
    case GEcmd_FONT_TIMES: GE_SetFontFamily(window, "times"); break;
    case GEcmd_FONT_HELVETICA: GE_SetFontFamily(window, "helvetica"); break;
    case GEcmd_FONT_COURIER: GE_SetFontFamily(window, "courier"); break;
    case GEcmd_STYLE_REGULAR: GE_SetFontStyle(window, 0); break;
    case GEcmd_STYLE_BOLD: GE_SetFontStyle(window, 1); break;
    case GEcmd_CASE_LOWER: GE_SetTextCase(window, 1); break;
    case GEcmd_CASE_NO_CHANGE: GE_SetTextCase(window, 0); break;
    case GEcmd_CASE_UPPER: GE_SetTextCase(window, 2); break;
    case GEcmd_SEA_COLORS: GE_SetDepthColorScale(window, 0); break;
    case GEcmd_RAINBOW: GE_SetDepthColorScale(window, 1); break;
    case GEcmd_APPLY_OPTIONS: GE_RedrawWindow(window); break;
    case GEcmd_SUPPRESS_WARNINGS: GE_ToggleSuppressWarnings(); break;
    case GEcmd_PAGE_SETUP: GE_PageSetup(); break;
    case GEcmd_PRINTER_SETUP:
        ruv_dm_post_note("Platform/printer specific setup could be implemented");
        GE_PrinterSetup();
        break;
    case GEcmd_PRINT: ruv_print_start_thread(GE_PrintWindowJob, window); break;
    case GEcmd_LEGEND: GE_OpenLegendWindow(); break;
    case GEcmd_ABOUT: GE_OpenAboutWindow(); break;
    default:
        if (tag >= GEcmd_SHOW_COMP_GRID && tag <= GEcmd_SHOW_COMP_GRID + 10) {
            // Computational and bottom grids pass 0, the object kinds 1.
            const int32_t attribute = GEdit_SHOW_COMP_GRID + tag - GEcmd_SHOW_COMP_GRID;
            GE_ToggleAttribute(window, attribute, attribute <= GEdit_SHOW_BOTTOM_GRID ? 0 : 1);
        } else if (tag >= GEcmd_NAMES_FIRST && tag <= GEcmd_NAMES_FIRST + 8) {
            const int32_t k = tag - GEcmd_NAMES_FIRST;
            GE_ToggleAttribute(window, k < 2 ? GEdit_SHOW_COMP_GRID + k : GEdit_SHOW_OBSERVATIONS + k - 2, 2);
        } else if (tag >= GEcmd_SIZE_LARGEST && tag <= GEcmd_SIZE_LARGEST + 4) {
            GE_SetFontSize(window, 12 - (tag - GEcmd_SIZE_LARGEST));
        }
        break;  // Edit > None, Colors > Attributes and the rest change nothing here
    }
}

// ---------------------------------------------------------------- layers

void GE_DrawObjects(RUV_WIN window, int)
{
    // Drawing the objects may reach code that asks for them again.
    static bool drawing = false;
    MapWindow *mw = State(window);
    if (!mw || drawing)
        return;
    drawing = true;
    ++mw->objectDraws;
    GE_WindowData &d = mw->data;
    ruv_dwin_set_font_family(window, d.fontFamily);
    ruv_dwin_set_font_size(window, d.fontSize);
    ruv_dwin_set_font_style(window, static_cast<uint32_t>(d.fontStyle));
    if (!d.printing && d.pixmap) {
        RUV_RECT src{ 0, 0, static_cast<int16_t>(d.drawing.bottom - d.drawing.top),
                      static_cast<int16_t>(d.drawing.right - d.drawing.left) };
        if (src.bottom > 0 && src.right > 0) {
            ruv_dwin_draw_pmap(window, d.pixmap, &d.drawing, &src);
            // The copy covers the rubber bands.
            mw->bandShown = false;
            mw->figureCount = 0;
        }
        ruv_dwin_set_clip(window, &d.drawing);
    }
    GE_DrawKindObjects(window);
    GE_DrawWaveGridLayer(window);
    GE_DrawAreaBox(window);
    GE_DrawSelectedObject(window);
    // Over the map and its objects, where it can be read.
    GE_DrawDepthScaleOver(window);
    ruv_dwin_set_clip(window, nullptr);
    GE_DrawFrame(window);
    drawing = false;
    // The legend lists the kinds drawn.
    if (!d.printing)
        GE_LegendFollowObjects();
}

void GE_RedrawObjects(RUV_WIN window) { GE_DrawObjects(window, 1); }

int32_t GE_ObjectLayerDraws(RUV_WIN window)
{
    const MapWindow *mw = State(window);
    return mw ? mw->objectDraws : -1;
}

void GE_RedrawWindow(RUV_WIN window)
{
    if (MapWindow *mw = State(window)) {
        GE_UpdateTransform(&mw->data);
        GE_DrawBackground(window);
        GE_CancelClicks(window);
    }
}

// ---------------------------------------------------------------- coordinate line

void GE_FormatPointerPosition(const GE_WindowData *data, int32_t px, int32_t py, char *text, size_t size)
{
    const GE_GlobalData &g = global_windata;
    float x = 0.0f, y = 0.0f;
    GE_DataPixelToWorld(data, px, py, &x, &y);
    int32_t m = -1, n = -1;
    const int found = GE_DataPixelToCell(data, px, py, &m, &n);
    const char *unit = g.coordinateSystem == 1 ? "[m]" : "[dec. deg]";
    const char *first = g.applicationType == 4 ? "First" : "M";
    const char *second = g.applicationType == 4 ? "Second" : "N";
    // The hydrodynamic model numbers its cells the other way round.
    const int32_t a = g.applicationType == 1 ? n : m;
    const int32_t b = g.applicationType == 1 ? m : n;
    float z = 0.0f;
    if (found && GE_InterpolateDepth(m, n, x, y, &z))
        std::snprintf(text, size, " X:%#13.8g, Y:%#13.8g %s Z: %.2f [m]  (%s: %3d,  %s: %3d)", x, y, unit, z, first,
                      a, second, b);
    else if (found)
        std::snprintf(text, size, " X:%#13.8g, Y:%#13.8g %s  (%s: %3d, %s: %3d)", x, y, unit, first, a, second, b);
    else
        std::snprintf(text, size, "  X:%#13.8g,   Y:%#13.8g %s", x, y, unit);
}

void GE_ShowPointerPosition(RUV_WIN window, int32_t px, int32_t py)
{
    MapWindow *mw = State(window);
    if (!mw || mw->data.printing)
        return;
    char text[200];
    GE_FormatPointerPosition(&mw->data, px, py, text, sizeof text);
    SetControlTitle(window, GE_COORDINATE_LINE, text);
}

// ---------------------------------------------------------------- zoom

namespace {

void BeginZoomOperation(MapWindow *mw)
{
    GE_EraseRubberBand(mw->window);
    GE_EraseZoomBand(mw);
    GE_ForgetClicks(&mw->data);
    GE_ShowEditStatus(mw->window);
}

}  // namespace

void GE_ZoomIn(RUV_WIN window)
{
    if (MapWindow *mw = State(window)) {
        BeginZoomOperation(mw);
        mw->data.zoom *= 2.0f;
        Redraw(window);
    }
}

void GE_ZoomOut(RUV_WIN window)
{
    if (MapWindow *mw = State(window)) {
        BeginZoomOperation(mw);
        mw->data.zoom /= 2.0f;
        Redraw(window);
    }
}

void GE_StartZoomBox(RUV_WIN window)
{
    if (MapWindow *mw = State(window)) {
        BeginZoomOperation(mw);
        mw->data.zoomBoxMode = 1;
        GE_ShowEditStatus(window);
    }
}

void GE_ZoomReset(RUV_WIN window)
{
    MapWindow *mw = State(window);
    if (!mw)
        return;
    BeginZoomOperation(mw);
    if (mw->data.pickArea)
        return;
    mw->data.zoom = 1.0f;
    mw->data.xOffset = mw->data.yOffset = 0.0f;
    GE_ComputeBounds();
    Redraw(window);
}

void GE_DrawZoomRubberBand(RUV_WIN window)
{
    if (MapWindow *mw = State(window)) {
        DrawBand(mw);
        mw->bandShown = !mw->bandShown;
    }
}

void GE_FinishZoomBox(RUV_WIN window, RUV_EVENT *)
{
    MapWindow *mw = State(window);
    if (!mw)
        return;
    GE_WindowData &d = mw->data;
    const GE_GlobalData &g = global_windata;
    if (g.callbacks[GEkind_ZOOM_BOX]) {
        g.callbacks[GEkind_ZOOM_BOX](&d, GEkind_ZOOM_BOX, g.currentOperation, 0, nullptr, nullptr, nullptr, nullptr,
                                     0);
        if (d.pickArea) {
            GE_ZoomReset(window);
            d.pickArea = 0;
            return;
        }
    }
    GE_EraseZoomBand(mw);
    if (GE_ZoomToBox(&d, d.clickX[0], d.clickY[0], d.clickX[1], d.clickY[1])) {
        GE_DrawBackground(window);
        GE_DrawObjects(window, 1);
    }
    d.zoomBoxMode = 0;
    GE_ForgetClicks(&d);
    SetStatusFields(window, 0, "", nullptr, nullptr);
}
