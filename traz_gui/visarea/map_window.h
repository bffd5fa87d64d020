// Map windows of the visualisation area: the window itself (set-up, resize,
// close, its event handler and menu), its two drawing layers (the background
// in an off-screen pixmap and the objects over a copy of it), the coordinate
// line under the pointer, zooming, and the map files opened from its menu.
// Every map window shows the one global_windata at a zoom and offset of its
// own; its GE_WindowData is the window's application data.
#ifndef TRAZ_VISAREA_MAP_WINDOW_H
#define TRAZ_VISAREA_MAP_WINDOW_H

#include <cstdint>

#include "ruv.h"
#include "visarea.h"

// Resource ids of the map window (the window's description has the same).
constexpr int32_t GE_MAP_WINDOW = 20087;
constexpr int32_t GE_MAP_MENU_BAR = 20000;
constexpr int32_t GE_STATUS_BAR = 20088;
constexpr int32_t GE_COORDINATE_LINE = 20089;

// Menu items of menu bar 20000 that the window's code names.
enum GE_MenuItem : int32_t {
    GEcmd_OPEN_LANDBOUNDARY = 20003,
    GEcmd_OPEN_BATHYMETRY = 20004,
    GEcmd_PAGE_SETUP = 20006,
    GEcmd_PRINTER_SETUP = 20007,
    GEcmd_PRINT = 20008,
    GEcmd_EXIT = 20009,
    GEcmd_EDIT_FIRST = 20011,     // 20011-20019: dry points .. open boundaries
    GEcmd_EDIT_NONE = 20020,
    GEcmd_MODE_ADD = 20022,       // 20022-20025: add, delete, modify, view
    GEcmd_ZOOM_IN = 20027,
    GEcmd_ZOOM_OUT = 20028,
    GEcmd_ZOOM_BOX = 20029,
    GEcmd_ZOOM_RESET = 20030,
    GEcmd_SHOW_GRID = 20033,
    GEcmd_SHOW_LANDBOUNDARY = 20034,
    GEcmd_SHOW_BATHYMETRY = 20035,
    GEcmd_SHOW_COMP_GRID = 20036,  // 20036-20046: attributes 4..14
    GEcmd_NAMES_FIRST = 20048,     // 20048-20056: names of attributes 4, 5, 8..14
    GEcmd_LEGEND = 20057,
    GEcmd_FONT_TIMES = 20060,
    GEcmd_FONT_HELVETICA = 20061,
    GEcmd_FONT_COURIER = 20062,
    GEcmd_SIZE_LARGEST = 20064,    // 20064-20068: 12, 11, 10, 9, 8 points
    GEcmd_SIZE_MEDIUM = 20066,
    GEcmd_STYLE_REGULAR = 20070,
    GEcmd_STYLE_BOLD = 20071,
    GEcmd_CASE_LOWER = 20073,
    GEcmd_CASE_NO_CHANGE = 20074,
    GEcmd_CASE_UPPER = 20075,
    GEcmd_COLORS_ATTRIBUTES = 20077,
    GEcmd_SEA_COLORS = 20079,
    GEcmd_RAINBOW = 20080,
    GEcmd_APPLY_OPTIONS = 20082,
    GEcmd_SUPPRESS_WARNINGS = 20083,
    GEcmd_ABOUT = 20085,
};

// Colours of the map.
constexpr RUV_COLOR GE_COLOR_WHITE = 0x0BFFFFFFu;
constexpr RUV_COLOR GE_COLOR_BLACK = 0x07000000u;
constexpr RUV_COLOR GE_COLOR_LAND = 0x00C37750u;
constexpr RUV_COLOR GE_COLOR_RED = 0x01FF0000u;

// ---------------------------------------------------------------- windows

// A new map window under the task window; NULL after the error box
// "Can't open window".
RUV_WIN GE_OpenWindow(void);
// The handler of every map window and its menu dispatcher.
int32_t GE_WindowHandler(RUV_WIN window, RUV_EVENT *event);
void GE_MenuCommand(RUV_WIN window, RUV_EVENT *event);
// The record of a map window, NULL for another window.
GE_WindowData *GE_MapWindowData(RUV_WIN window);
// The status bar of a map window.
RUV_WIN GE_MapStatusBar(RUV_WIN window);

// Every map window destroyed (the legend goes with the last one).
void GE_CloseAllWindows(void);
// Each map window given the focus in turn.
void GE_FocusWindows(void);
// Options > Suppress Warnings offered, unchecked, in every map window.
void GE_EnableSuppressWarnings(void);
// View > Legend greyed in every open map window.
void GE_DisableLegendItems(void);

void GE_WindowCreated(RUV_WIN window);
void GE_WindowResized(RUV_WIN window);
void GE_WindowDestroyed(RUV_WIN window);

// ---------------------------------------------------------------- drawing

// The background layer: bathymetry bands, depth scale, grid, land boundary,
// curvilinear wave grids and map texts into the window's pixmap (into the
// window itself while printing).
void GE_DrawBackground(RUV_WIN window);
// The object layer: the pixmap copied onto the drawing rectangle, the
// objects over it and the white frame.  Never runs nested.
void GE_DrawObjects(RUV_WIN window, int ignored);
void GE_RedrawObjects(RUV_WIN window);
// How many times the window's object layer has been drawn since it opened
// (the editor tells the GUI test driver); -1 for another window.
int32_t GE_ObjectLayerDraws(RUV_WIN window);
// Background, then the pending clicks cancelled.
void GE_RedrawWindow(RUV_WIN window);
void GE_DrawFrame(RUV_WIN window);
// The rubber band erased, pending clicks forgotten, objects redrawn,
// status refreshed.
void GE_CancelClicks(RUV_WIN window);

// The layers' parts, each drawing into target through the window's record
// (target pixel = window pixel - (originX, originY)).
struct GE_DrawTarget {
    RUV_WIN target;
    const GE_WindowData *data;
    int32_t originX;
    int32_t originY;
    int32_t width;
    int32_t height;
};
void GE_DrawDepth(const GE_DrawTarget &t);
void GE_DrawGrid(const GE_DrawTarget &t);
// Every pair of neighbouring valid nodes of the grid joined, along m and
// then along n, in black one pixel wide, whatever the cells beside them.
void GE_DrawGridLines(const GE_DrawTarget &t);
// A grid drawn as the model grid is, with the pen as it is: along m row by
// row, then along n column by column, a segment ending at a valid node
// (m0, n0) drawn when edgeVisible(context, m0, n0, m1, n1) holds for the
// 0-based cells (m0, n0) and (m1, n1) beside it.  1 and the first point a
// line was drawn to, or 0 when nothing was drawn.
struct GE_GridLines {
    int32_t mmax, nmax;
    const float *x, *y;
    const int32_t *valid;
    int32_t (*edgeVisible)(const void *context, int32_t m0, int32_t n0, int32_t m1, int32_t n1);
    const void *context;
};
int GE_DrawGridPasses(const GE_DrawTarget &t, const GE_GridLines &grid, RUV_POINT *firstDrawn);
void GE_DrawLandBoundary(const GE_DrawTarget &t);
// Texts gathered while the background is drawn (the map-text list, emptied
// when a background drawing starts) and drawn at its end in the window's
// case: red ones red, the others black.  The point is packed as
// (x << 16) | y in target pixels.
struct GE_MapText {
    char text[100];
    int32_t position;
    int32_t colour;
};
void GE_AddMapText(RUV_WIN window, const char *text, int32_t packedPoint, RUV_COLOR colour);
void GE_DrawMapTexts(RUV_WIN window, RUV_WIN target);
// "Bathymetry [m]" and the colour scale below it with (x, y) its top-left.
void GE_DrawDepthLegendTitle(RUV_WIN target, int32_t x, int32_t y, int printing);
void GE_DrawDepthLegend(RUV_WIN target, int32_t left, int32_t top, int printing);
// The depth scale of a window that shows the bathymetry, drawn by its
// object layer over the map and the objects (each text on a white patch),
// 10 and 40 pixels into the map; on paper at the page's corner.
void GE_DrawDepthScaleOver(RUV_WIN window);

// ---------------------------------------------------------------- pointer and zoom

// The coordinate line for window pixel (px, py), as shown in control 20089.
void GE_FormatPointerPosition(const GE_WindowData *data, int32_t px, int32_t py, char *text, size_t size);
void GE_ShowPointerPosition(RUV_WIN window, int32_t px, int32_t py);
void GE_ZoomIn(RUV_WIN window);
void GE_ZoomOut(RUV_WIN window);
void GE_StartZoomBox(RUV_WIN window);
void GE_ZoomReset(RUV_WIN window);
void GE_FinishZoomBox(RUV_WIN window, RUV_EVENT *event);
void GE_DrawZoomRubberBand(RUV_WIN window);

// ---------------------------------------------------------------- object kinds and edit modes

// What an edit kind does in a map window: draw its objects, draw its
// selected object, and answer a mouse press and release (the point already
// clamped into the drawing rectangle).  The library's own kinds are there
// from the start; a kind whose operations are removed draws nothing and
// ignores the mouse.
// Kinds 2..4 take their grid clicks through mouseDown.
struct GE_KindOperations {
    void (*draw)(RUV_WIN window);
    void (*drawSelected)(RUV_WIN window);
    void (*mouseDown)(RUV_WIN window, RUV_EVENT *event);
    void (*mouseUp)(RUV_WIN window, RUV_EVENT *event);
};
// Installs (NULL: removes) the operations of kind 2..13.
void GE_SetKindOperations(int32_t kind, const GE_KindOperations *operations);
// The objects of every kind, the current kind last (the object layer's
// part).
void GE_DrawKindObjects(RUV_WIN window);
// The selected object of the current kind, drawn over everything else.
void GE_DrawSelectedObject(RUV_WIN window);

// The Edit menu: the kind becomes current in every map window and its
// callback is told with operation View and no selection.
void GE_EditDryPoints(void);
void GE_EditThinDams(void);
void GE_EditObservationPoints(void);
void GE_EditDrogues(void);
// Sub-kind 0 discharges, 1 instantaneous, 2 continuous releases.
void GE_EditDischargeKind(int32_t type);
void GE_EditCrossSections(void);
void GE_EditOpenBoundaries(void);
// The host's choice of kind 0 or 2..13 (no callback).
void GE_SelectObjectKind(int32_t kind);
// The Edit Mode menu, for every map window.
void GE_SetModeAdd(void);
void GE_SetModeDelete(void);
void GE_SetModeModify(void);
void GE_SetModeView(void);

// The state of the edit in the window's status bar.
void GE_ShowEditStatus(RUV_WIN window);
// The mouse: each point clamped into the drawing rectangle, then to the
// zoom box or the current kind's editor.
void GE_MouseDown(RUV_WIN window, RUV_EVENT *event);
void GE_MouseUp(RUV_WIN window, RUV_EVENT *event);
void GE_MouseMove(RUV_WIN window, RUV_EVENT *event);
void GE_ClampToRect(const RUV_EVENT *event, int32_t *x, int32_t *y, const RUV_RECT *rect);
// The rubber band of a multi-click edit: follows the pointer, is drawn and
// erased in exclusive-or mode.
void GE_TrackClick(RUV_WIN window, RUV_EVENT *event);
void GE_DrawGridRubberBand(RUV_WIN window);
void GE_EraseRubberBand(RUV_WIN window);

// Marks an attribute loaded and, when available, shows it (and its names
// when namesItem is not -1) in every window, then redraws the objects.
void GE_ShowLoadedAttribute(int32_t attribute, int32_t item, int32_t namesItem);
void GE_ForAllWindows(void (*draw)(RUV_WIN window));
void GE_RedrawObjectsAll(void);
// Replaces the observation points by a copy of count records and shows them.
void GE_SetObservations(const GE_PointObject *points, int32_t count);

// Line objects and cells on the map.
void GE_DrawLineObject(int32_t drawingKind, RUV_WIN window, const GE_LineObject *line);
void GE_DrawThinDam(RUV_WIN window, const GE_LineObject *line, int32_t direction);
// The side of cell (m, n) nearest to window pixel (px, py): its code 0..15
// and the side as a line from its corner.
void GE_NearestCellSide(RUV_WIN window, int32_t px, int32_t py, int32_t m, int32_t n, int32_t *code,
                        GE_LineObject *line);
void GE_DrawCellPolygon(RUV_WIN window, int32_t m, int32_t n);
// A polyline with the window's pen through the centres (GE_CellCentre) of
// a list of cells, each a GE_PointObject whose m and n name it.
void GE_DrawCellPath(RUV_WIN window, const GE_List *cells);

// ---------------------------------------------------------------- view settings

// The Attributes (how 0 or 1) or Attribute Names (how 2) item of an
// attribute in the window whose menu was used, then its redraw.
void GE_ToggleAttribute(RUV_WIN window, int32_t attribute, int32_t how);
// The menu items of a view attribute; -1 where it has none.
int32_t GE_AttributeMenuItem(int32_t attribute);
int32_t GE_AttributeNamesMenuItem(int32_t attribute);
// Font, size (8..12), style (0 regular, 1 bold) and text case (0 no change,
// 1 lower, 2 upper) of every map window; the check marks move in the menu
// of the window given.
void GE_SetFontFamily(RUV_WIN window, const char *family);
void GE_SetFontSize(RUV_WIN window, int32_t size);
void GE_SetFontStyle(RUV_WIN window, int32_t style);
void GE_SetTextCase(RUV_WIN window, int32_t textCase);
// Sea colours (0) or rainbow (1) for the bathymetry of every map window.
void GE_SetDepthColorScale(RUV_WIN window, int32_t scale);
void GE_ToggleSuppressWarnings(void);
// A text in the window's case at a point packed as (x << 16) | y.
void GE_DrawLabel(RUV_WIN window, const char *text, int32_t packedPoint);

// ---------------------------------------------------------------- map files from the menu

void GE_LoadLandBoundary(RUV_WIN window);
void GE_LoadBathymetry(RUV_WIN window);
void GE_LoadGridFile(void);
void GE_LoadEnclosureFile(void);
// The loaders once a file is chosen (the dialog's part left out).
void GE_LoadLandBoundaryFrom(RUV_WIN window, const char *name);
void GE_LoadBathymetryFrom(RUV_WIN window, const char *name);

#endif
