// The visualisation area (the map-window library): the records that cross to
// the host program (point and line objects, the grid input, callbacks), the
// process-wide state global_windata, and the library's window-free services:
// initialisation and configuration, the model grid and its cell status, the
// bathymetry, the land boundary, the map file readers, the enclosure, the
// transforms between window pixels, world coordinates and grid cells, and the
// cell lookup.
#ifndef TRAZ_VISAREA_H
#define TRAZ_VISAREA_H

#include <cstdint>
#include <cstdio>

#include "ruv_types.h"

// A point object: grid cell (1-based, named by its upper corner), world
// coordinates and a name.  56 bytes.
struct GE_PointObject {
    int32_t m;
    int32_t n;
    float x;
    float y;
    char name[40];
};
static_assert(sizeof(GE_PointObject) == 56, "a point record is 56 bytes");

// A line object: two grid cells and a name.  56 bytes.
struct GE_LineObject {
    int32_t m1;
    int32_t n1;
    int32_t m2;
    int32_t n2;
    char name[40];
};
static_assert(sizeof(GE_LineObject) == 56, "a line record is 56 bytes");

// Cell status values of GE_GridInput::cellStatus.
constexpr int32_t GE_CELL_INACTIVE = 0;
constexpr int32_t GE_CELL_ACTIVE = 1;
constexpr int32_t GE_CELL_BOUNDARY = 2;

// A grid handed to the library (only read).  Node (m, n), 1 <= m <= mmax,
// 1 <= n <= nmax, is at (n-1)*mmax + (m-1); cell (m, n) of the status array
// at (n-1)*(mmax+1) + (m-1).  The same record carries a land boundary
// (mmax = number of points, nmax = 0, polyline ends, x, y).
struct GE_GridInput {
    int32_t mmax;
    int32_t nmax;
    int32_t spare0;            // not read by the library
    int32_t spare1;            // not read by the library
    int32_t *cellCode;         // mmax*nmax, or NULL
    int32_t *polylineEnds;     // land boundary only, else NULL
    float *x;                  // mmax*nmax
    float *y;                  // mmax*nmax
    int32_t *validNodes;       // kept by the library for wave grids; not read
    void *spare2;              // not read by the library
    int32_t *cellStatus;       // (mmax+1)*(nmax+1), or NULL
    void *gridName;            // wave grids: name record; not read for the model grid
    void *spare3;              // not read by the library
    int32_t coordinateSystem;  // 1 cartesian, 0 spherical
    float missingValue;        // a node whose x and y both equal it is not valid
};

// ---------------------------------------------------------------- kinds

// Object kinds; also the callback slots 0..13.
enum GE_ObjectKind : int32_t {
    GEkind_NONE = 0,
    GEkind_ZOOM_BOX = 1,
    GEkind_WAVE_GRID_1 = 2,
    GEkind_WAVE_GRID_2 = 3,
    GEkind_WAVE_GRID_3 = 4,
    GEkind_DRY_POINT = 5,
    GEkind_THIN_DAM = 6,
    GEkind_OBSERVATION = 7,
    GEkind_DROGUE = 8,
    GEkind_DISCHARGE = 9,
    GEkind_INSTANT_RELEASE = 10,
    GEkind_CONTINUOUS_RELEASE = 11,
    GEkind_CROSS_SECTION = 12,
    GEkind_OPEN_BOUNDARY = 13,
};
constexpr int GE_KIND_COUNT = 14;

// Edit modes; also the operation codes passed to callbacks.
enum GE_EditMode : int32_t { GEmode_ADD = 0, GEmode_DELETE = 1, GEmode_MODIFY = 2, GEmode_VIEW = 3 };

// View attributes (index 0 is the legend).  Object kind k (2..13) has view
// attribute k + 1.
enum GE_ViewAttribute : int32_t {
    GEdit_SHOW_LEGEND = 0,
    GEdit_SHOW_LANDBOUNDARY = 1,
    GEdit_SHOW_BATHYMETRY = 2,
    GEdit_SHOW_GRID = 3,
    GEdit_SHOW_COMP_GRID = 4,
    GEdit_SHOW_BOTTOM_GRID = 5,
    GEdit_SHOW_DRY_POINTS = 6,
    GEdit_SHOW_THIN_DAMS = 7,
    GEdit_SHOW_OBSERVATIONS = 8,
    GEdit_SHOW_DROGUES = 9,
    GEdit_SHOW_DISCHARGES = 10,
    GEdit_SHOW_INSTANT_RELEASES = 11,
    GEdit_SHOW_CONTINUOUS_RELEASES = 12,
    GEdit_SHOW_CROSS_SECTIONS = 13,
    GEdit_SHOW_OPEN_BOUNDARIES = 14,
};
constexpr int GE_ATTRIBUTE_COUNT = 15;
// Entry of GE_GlobalData::editEnabled that stands for the edit modes.
constexpr int GE_EDIT_MODES_ENTRY = 14;

// The host's callback: user pointer (for slot 1 the calling window's
// record), kind, operation, selected index, wave-grid parameters or NULL,
// point array, line array, int32 array (each or NULL), count.  The result
// is not used.
typedef int (*GE_Callback)(void *user, int32_t kind, int32_t operation, int32_t selected, void *waveGrid,
                           GE_PointObject *points, GE_LineObject *lines, int32_t *extra, int32_t count);

// ---------------------------------------------------------------- state

// The model grid as the library keeps it (its own copies).
struct GE_GridState {
    int32_t mmax;
    int32_t nmax;
    int32_t *valid_point;   // mmax*nmax: 0 not valid, 1 or 3 valid
    float *xcoord;          // mmax*nmax
    float *ycoord;          // mmax*nmax
    int32_t *cellCode;      // mmax*nmax, application type 4 only
    int32_t *cellStatus;    // (mmax+1)*(nmax+1)
    int32_t statusExtra[2]; // -1, -1
    void *enclosure;        // enclosure record (its polygon list is always empty)
    float missingValue;
};

struct GE_LandState {
    int32_t count;
    float *xcoord;
    float *ycoord;
    int32_t *polylineEnds;  // exclusive end of each polyline
};

struct GE_DepthState {
    int32_t mmax;
    int32_t nmax;
    int32_t *valid_point;
    float *xcoord;
    float *ycoord;
    float *depth;
    int32_t colorClasses;   // classes of the last drawing (12 or 20)
};

// The wave grids (wave_grids.h): rectangular and curvilinear computational
// and bottom grids; a curvilinear grid is a whole grid record whose arrays
// are the library's own copies.
struct GE_RectWaveGrid;
struct GE_WaveGridState {
    int32_t nr_recticomp_grids;
    int32_t nr_curvicomp_grids;
    int32_t nr_rectibottom_grids;
    int32_t nr_curvibottom_grids;
    GE_RectWaveGrid *recticomp;
    GE_GridInput *curvicomp;
    GE_RectWaveGrid *rectibottom;
    GE_GridInput *curvibottom;
    int32_t kind;       // the selected wave-grid type, whose grids are drawn last
    int32_t selected;   // -1 = none
    int32_t setChoice;  // the wave-grid mode: 0 rectangular, 1 curvilinear sets shown and bounded
};

struct GE_PointSet {
    GE_PointObject *items;
    int32_t count;
    int32_t selected;   // -1 = none
};

struct GE_LineSet {
    GE_LineObject *items;
    int32_t *extra;     // thin dams: direction (0 U, 1 V); open boundaries: their values
    int32_t count;
    int32_t selected;
};

struct GE_List;

struct GE_GlobalData {
    int32_t applicationType;
    int32_t windowCount;
    void **windows;          // the open map windows
    void *legendWindow;
    GE_GridState grid;
    GE_LandState land;
    GE_DepthState depth;
    GE_WaveGridState wave;
    GE_List *mapTexts;
    GE_LineSet dryPoints;
    GE_LineSet thinDams;
    GE_PointSet observations;
    GE_PointSet drogues;
    GE_PointSet discharges[3];  // discharges, instantaneous and continuous releases
    GE_LineSet crossSections;
    GE_LineSet openBoundaries;
    int16_t areaBoxShown;
    GE_PointObject areaBox[2];
    GE_PointObject previousAreaBox[2];
    float xmin, xmax, ymin, ymax, zmin, zmax;
    int16_t fileOpenEnabled[2];                       // 0 land boundary, 1 bathymetry
    int16_t editEnabled[GE_ATTRIBUTE_COUNT];          // 5..13 kinds, 14 edit modes
    int16_t available[GE_ATTRIBUTE_COUNT];            // by GE_ViewAttribute
    int16_t option_loaded[GE_ATTRIBUTE_COUNT];        // by GE_ViewAttribute
    GE_Callback callbacks[GE_KIND_COUNT];
    void *userData[GE_KIND_COUNT];
    int32_t currentKind;
    int32_t bathymetryColorScheme;                    // 0 sea colours, 1 rainbow
    int32_t currentOperation;
    int16_t suppressWarningsAvailable;
    int16_t suppressWarningsChecked;
    int32_t coordinateSystem;                         // 1 cartesian, 0 spherical
};

extern GE_GlobalData global_windata;

// What the map windows do when the process-wide data change.  The window
// code installs these; without windows (no table, or a NULL entry) the data
// change alone.
enum GE_EnabledGroup : int32_t {
    GE_ENABLED_FILE_OPEN = 0,
    GE_ENABLED_OBJECT_KIND = 1,
    GE_ENABLED_EDIT_MODES = 2,
    GE_ENABLED_VIEW_ATTRIBUTE = 3,
};
struct GE_WindowActions {
    void (*gridSet)(void);            // a grid was taken (mmax > 0)
    void (*gridFreed)(void);          // the grid was unloaded while the grid attribute is enabled
    void (*depthSet)(void);           // a bathymetry was taken
    void (*landBoundarySet)(int resetZoom);
    void (*enclosureSet)(void);       // a new cell status replaced the grid's
    // an enable call: its group (GE_ENABLED_...) and the file kind, object
    // kind or attribute it enabled
    void (*itemsEnabled)(int32_t group, int32_t which);
    void (*redrawAll)(void);
    void (*statusMessage)(const char *text);
    void (*viewReset)(void);
    void (*editModeView)(int32_t previousOperation);
    // a set was handed over: show its attribute with its Attributes item
    // and its Attribute Names item (-1: none)
    void (*attributeLoaded)(int32_t attribute, int32_t item, int32_t namesItem);
};
void GE_SetWindowActions(const GE_WindowActions *actions);

// ---------------------------------------------------------------- state and configuration

void GE_Init(int32_t applicationType);
void GE_SetCallback(int32_t kind, GE_Callback callback, void *user);
void GE_EnableFileOpen(int32_t which);
void GE_EnableObjectKind(int32_t kind);
void GE_EnableEditModes(void);
void GE_EnableViewAttribute(int32_t attribute);
void GE_SetEditModeView(void);
void GE_RedrawAll(int ignored);
// Between these two GE_RedrawAll draws nothing, so that a host that hands
// the map many changes at once (a scenario being read) has every map window
// drawn once, by GE_ResumeDrawing, when it is done.  They nest.
void GE_SuspendDrawing(void);
void GE_ResumeDrawing(void);
// True between the two.
bool GE_DrawingSuspended(void);
void GE_StatusMessage(const char *text);
void GE_ResetView(void);
// Marks an attribute loaded and shows it in every map window.
void GE_AttributeLoaded(int32_t attribute, int32_t item, int32_t namesItem);
void GE_FreeAll(void);
void GE_FixSelection(int32_t deletedIndex, int32_t *selected);
int GE_SelectIndex(int32_t index, int32_t *selected, int32_t count);
void GE_ComputeBounds(void);

// ---------------------------------------------------------------- model grid

// Sets and shows the zoom area box from its two corners (m, n, x, y); the
// box shown before becomes the previous box.  Returns 0.
int GE_SetAreaBox(const GE_PointObject corners[2]);
// Loads the grid ("" = take the cell status of the input, else from that
// enclosure file) and marks the bathymetry as not loaded.  The grid and
// depths it replaces are freed; a grid without nodes unloads the grid.
void GE_SetGrid(const GE_GridInput *input, const char *enclosureName);
// Reads a grid text file and takes it; the current grid stays when the file
// cannot be read.  1 on success, 0 after an error box.
int GE_SetGridFromFile(const char *path, const char *enclosureName, int32_t *mmax, int32_t *nmax);
// Unloads the grid, its depths and cell status.
void GE_FreeGrid(void);
// Valid nodes from the grid's cell status and missing value.
void GE_BuildValidNodes(void);
// Cell status at 1-based (m, n) of the (mmax+1) x (nmax+1) array, 0 outside.
int32_t GE_CellStatus(int32_t m, int32_t n);
// Valid flag of a 1-based node, 0 outside.
int32_t GE_GridPointValid(int32_t m, int32_t n);
// 1 when the four nodes round 1-based cell (m, n) are valid.
int32_t GE_CellCornersValid(int32_t m, int32_t n);
// The world centre of cell (m, n): the mean of its four corners, a corner
// that is not valid (at the grid's edge) carried on from the two nodes
// behind it along its grid line.  1 and (x, y), or 0 when no corner is had.
int GE_CellCentre(int32_t m, int32_t n, float *x, float *y);
// Whether the grid segment ending at 0-based node (m0, n0) is drawn (see
// the grid drawing): 0-based cells (m0, n0) and (m1, n1) are its sides.
int32_t GE_GridEdgeVisible(int32_t m0, int32_t n0, int32_t m1, int32_t n1);
int32_t GE_CoordinateSystem(void);
// World x and y bounds over the valid nodes among the first count.
void GE_GridBounds(int32_t count);

// ---------------------------------------------------------------- bathymetry

// One depth per node (mmax*nmax) of the loaded grid, -999 or less = missing;
// replaces any earlier bathymetry and redraws.
void GE_SetDepth(const float *depth);
// The colour table of a scale (0 sea, 1 rainbow): its classes, or 0 for
// another scale.
int GE_DepthColorTable(int32_t scale, const uint32_t **colors);
// Lower bound of class k of n: zmin + k (zmax - zmin) / n.
float GE_DepthClassBound(float zmin, float zmax, int k, int n);
// The colour index of a cell whose depths lie in [dmin, dmax] when it lies
// in one band: 0 when the whole cell is at or below b(0), n-1 when it is at
// or above b(n-1), else k+1 for a cell inside [b(k), b(k+1)) (1 below b(1));
// -1 when the cell spans more than one band.
int GE_DepthCellColorIndex(float dmin, float dmax, float zmin, float zmax, int n);
// The band painting of one cell: the quadrilateral of pixel corners P0..P3
// with depths d0..d3 cut into the polygons of the colour classes with
// bounds b(0..n-1) (GE_DepthClassBound).  fill receives each polygon (its
// first point repeated at its end, except for a whole cell in colour 0 or
// n-1, given by its four corners) with its colour index, in class order.
typedef void (*GE_BandFill)(void *context, int colour, const int32_t *x, const int32_t *y, int count);
void GE_DepthBands(const int32_t px[4], const int32_t py[4], const float depth[4], const float *bounds, int n,
                   GE_BandFill fill, void *context);
// Depth at world (x, y) inside the 1-based cell (m, n) that the cell lookup
// reports (corner nodes m-1..m, n-1..n): inverse-distance mean over the
// corners that have a depth; on a corner, that corner's depth.  1 and *z
// set, or 0 when no corner has a depth (or no bathymetry is loaded).
int GE_InterpolateDepth(int32_t m, int32_t n, float x, float y, float *z);

// ---------------------------------------------------------------- land boundary

// Takes the polylines (mmax = points, nmax 0, ends, x, y).  The caller keeps
// its arrays.  An input without points is refused.
void GE_SetLandBoundary(const GE_GridInput *input);

// ---------------------------------------------------------------- map file readers

void GE_ReadLandBoundary(const char *name, int32_t *count, float **x, float **y, int32_t **ends, float *xmin,
                         float *xmax, float *ymin, float *ymax, int32_t *code);
void GE_ReadBathymetry(const char *name, int32_t mmax, int32_t nmax, float **depth, float *dmin, float *dmax,
                       int32_t *code);
int GE_ReadGridFile(const char *name, int32_t *mmax, int32_t *nmax, double ***x, double ***y, int32_t ***codes,
                    double *xmin, double *xmax, double *ymin, double *ymax, int32_t *coordinateSystem,
                    int32_t *noKey, double *missingValue);

// Longest line of the map text files, without its line end.
constexpr int GE_MAX_LINE = 254;
// Next line that is neither empty nor begins with the comment character,
// trailing white space removed, into line (room for GE_MAX_LINE + 1): 0, or
// -1 at end of file (line then "" or a last line without its end), or -2
// for a line longer than GE_MAX_LINE characters.  *linesRead counts every
// line read.
int ReadSignificantLine(FILE *file, char comment, char *line, int32_t *linesRead);
// The same in the caller's buffer (room for GE_MAX_LINE + 2).
int ReadSignificantLineNocopy(FILE *file, char comment, char *buffer, int32_t *linesRead);
// One coordinate block: nmax rows of mmax values; 0, or 1 (rows freed).
int ReadGridCoordinates(FILE *file, double ***rows, int32_t mmax, int32_t nmax);
void GridCodesAndBounds(double **x, double **y, int32_t ***codes, int32_t mmax, int32_t nmax, double *xmin,
                        double *xmax, double *ymin, double *ymax);

// ---------------------------------------------------------------- enclosure

struct GE_Enclosure {
    int32_t *cellStatus;   // (mmax+1)*(nmax+1), owned by the receiver
    void *polygons;        // always empty
};
GE_Enclosure *GE_EnclosureCellStatus(const char *name, int32_t mmax, int32_t nmax, int32_t *code);
GE_Enclosure *GE_ReadEnclosure(const char *name, int32_t mmax, int32_t nmax, int32_t *code);
GE_Enclosure *GE_DefaultEnclosure(int32_t mmax, int32_t nmax);
void GE_FreeEnclosure(GE_Enclosure *enclosure);
int32_t *GE_EnclosureToCellStatus(int32_t mmax, int32_t nmax, const int32_t *readerCells);
int GE_LoadEnclosure(const char *name);
// New 512-byte text of an enclosure outcome ("" for a code without text).
char *GE_EnclosureMessage(int32_t code);
extern "C" void ENCLOSURE_STEP(const int32_t *m0, const int32_t *n0, const int32_t *m1, const int32_t *n1,
                               int32_t *dm, int32_t *dn, int32_t *steps, int32_t *code);

// ---------------------------------------------------------------- object sets

// The arrays of point and line objects (records in insertion order).  Copy
// replaces *array by a new copy of count records (the old one freed);
// append grows it by one record; delete closes the gap at index and shrinks
// (an empty array is freed); replace overwrites a record.  Copy and append
// give 1, or 0 when memory is short (the set then stays as it was); delete
// and replace ignore an index outside 0..count-1.
int GE_CopyPointObjects(GE_PointObject **array, int32_t *count, const GE_PointObject *from, int32_t n);
int GE_AppendObject(GE_PointObject **array, int32_t *count, const GE_PointObject *item);
void GE_DeleteObject(GE_PointObject **array, int32_t *count, int32_t index);
void GE_ReplaceObject(GE_PointObject *array, int32_t count, int32_t index, const GE_PointObject *item);
int GE_CopyLineObjects(GE_LineObject **array, int32_t *count, const GE_LineObject *from, int32_t n);
int GE_AppendLineObject(GE_LineObject **array, int32_t *count, const GE_LineObject *item);
void GE_DeleteLineObject(GE_LineObject **array, int32_t *count, int32_t index);
void GE_ReplaceLineObject(GE_LineObject *array, int32_t count, int32_t index, const GE_LineObject *item);
// The point picked by a click on cell (m, n): of those whose cell is the
// clicked one or one of its eight neighbours, the one whose cell is nearest
// to it (the earlier one of two as near).  1 and *index, or 0 and -1.
int GE_FindPointObject(const GE_PointObject *array, int32_t count, int32_t m, int32_t n, int32_t *index);
// The same pick for a click at world point (x, y) in cell (m, n): of the
// points within reach, the one drawn nearest to the click (the middle of
// its cell on the loaded grid); the earlier one of two as near.
int GE_PickPointObject(const GE_PointObject *array, int32_t count, int32_t m, int32_t n, float x, float y,
                       int32_t *index);
// The line picked by a click on cell (m, n): the first whose box of cells
// (ends in either order) holds it.  1 and *index, or 0 and -1.
int GE_FindLineObject(const GE_LineObject *array, int32_t count, int32_t m, int32_t n, int32_t *index);

// ---------------------------------------------------------------- line geometry

// Thin-dam directions.
enum GE_DamDirection : int32_t { GEdit_U_DAM = 0, GEdit_V_DAM = 1 };

// The line with its ends in drawing order: n ascending for a line of
// constant m, else m ascending (n following its m).  1 when the ends were
// swapped (equal ends count as swapped).
int GE_NormaliseLine(const GE_LineObject *line, GE_LineObject *out);
// The view attribute whose names a line drawing kind (0..6) labels, -1 for
// a kind without.
int32_t GE_LineKindAttribute(int32_t drawingKind);
// The grid points a line object is drawn through (m1 <= m2): *count points
// into m[] and n[] (room for max(|m2-m1|, |n2-n1|) + 1), and the index of
// the point its name is drawn at.
int32_t GE_LineObjectPoints(const GE_LineObject *line, int32_t *m, int32_t *n, int32_t room, int32_t *labelAt);
// Room for the points of a line object (its longer extent + 1), and for
// the segment ends of a thin dam along it.
int32_t GE_LineObjectRoom(const GE_LineObject *line);
int32_t GE_ThinDamRoom(const GE_LineObject *line);
// The segments of a thin dam, each between grid points (m[2k], n[2k]) and
// (m[2k+1], n[2k+1]); the number of segments, or -1 for another direction.
int32_t GE_ThinDamSegments(const GE_LineObject *line, int32_t direction, int32_t *m, int32_t *n, int32_t room);
// The cell side nearest to world point (x, y) in cell (m, n) with corner
// world points A (m, n), B (m-1, n), C (m-1, n-1), E (m, n-1) in that order:
// the side code 0..15 (corner, side of constant m or n, close to the corner
// or not) and the side as a line from that corner to its other end.
int32_t GE_CellSideCode(float x, float y, const float cornerX[4], const float cornerY[4], int32_t m, int32_t n,
                        GE_LineObject *side);
// The foot of pixel (px, py) on the line through (x0, y0) and (x1, y1).
void GE_ProjectOntoLine(int32_t px, int32_t py, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t *fx,
                        int32_t *fy);
// The third click of a wave-grid edit held ahead of click 0 along the axis
// click 0 -> click 1 and on its left as seen on the screen (y down).
void GE_HoldThirdClick(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t *px, int32_t *py);
// The rectangle with opposite corners click 0 and click 2 and sides along
// and across the axis click 0 -> click 1: the closed outline c0, B, c2, D, c0.
void GE_AxisRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t xs[5],
                      int32_t ys[5]);
// Text in a case: 1 lower, 2 upper, else unchanged (in place).
void GE_ApplyCase(char *text, int32_t textCase);

// ---------------------------------------------------------------- map window record

// The record of one map window (its application data).
struct GE_WindowData {
    float fitScale;          // pixels per world unit at zoom 1
    float zoom;              // 1.0 at set-up
    float xOffset, yOffset;  // world shift of the view centre from the middle of the bounds
    int32_t clickCounter;    // clicks pending in a multi-click edit (0..2)
    int32_t clickX[4];       // pixel positions of the pending clicks, -1 unset
    int32_t clickY[4];
    int16_t shown[GE_ATTRIBUTE_COUNT];
    int16_t namesShown[GE_ATTRIBUTE_COUNT];
    char fontFamily[40];
    int32_t fontSize;
    int32_t fontStyle;       // 1 bold, 0 regular
    int32_t textCase;        // 0 no change, 1 lower, 2 upper
    int32_t zoomBoxMode;     // 1 while a zoom box is drawn
    RUV_RECT drawing;        // drawing rectangle in client pixels
    RUV_WIN pixmap;
    int16_t printing;
    int16_t pickArea;        // set by the host's zoom-box callback
    float worldCentreX, worldCentreY;
    int32_t pixelCentreX, pixelCentreY;
    float verticalScale;     // zoom x fit scale
    int32_t moveFlag;
};

// The record of a window being set up: offsets 0, zoom 1, no clicks,
// nothing shown, "helvetica" 10 bold, no pixmap.
void GE_InitWindowData(GE_WindowData *data);
// World and pixel centres and the vertical scale from the world bounds, the
// offsets, the zoom and the drawing rectangle.
void GE_UpdateTransform(GE_WindowData *data);
// The horizontal scale of the record's transform.
float GE_WindowScaleX(const GE_WindowData *data);
// World point of a pixel, and pixel of a world point, through the record.
void GE_DataPixelToWorld(const GE_WindowData *data, int32_t px, int32_t py, float *x, float *y);
void GE_DataWorldToPixel(const GE_WindowData *data, float x, float y, int16_t *px, int16_t *py);
// The cell under a pixel: 0 without a grid; else the cell lookup's answer.
int GE_DataPixelToCell(const GE_WindowData *data, int32_t px, int32_t py, int32_t *m, int32_t *n);
// Zooms the record onto the box between pixel corners (x0, y0) and (x1, y1)
// (the second clamped into the drawing rectangle): only a box wider or
// higher than 10 pixels; a side of 0 pixels does not count.  1 when zoomed.
int GE_ZoomToBox(GE_WindowData *data, int32_t x0, int32_t y0, int32_t x1, int32_t y1);

// ---------------------------------------------------------------- transforms and cell lookup

float GE_ScaleX(int32_t coordinateSystem, float scale, float latitude);
void GE_WorldToPixel(int32_t pcx, int32_t pcy, float wcx, float wcy, float x, float y, float xscale,
                     float yscale, int16_t *px, int16_t *py);
void GE_PixelToWorld(int32_t pcx, int32_t pcy, float wcx, float wcy, int32_t px, int32_t py, float xscale,
                     float yscale, float *x, float *y);
// The scale that fits the world bounds into a client rectangle.
float GE_FitScale(int32_t width, int32_t height);
// The literal scan over blocks of step cells of the loaded grid; nonzero
// when found, *m and *n the 1-based cell (both -1 when not found).
int GE_ScanCell(int32_t mstart, int32_t nstart, int32_t mend, int32_t nend, int32_t step, float x, float y,
                int32_t *m, int32_t *n);
// The cell lookup of the map windows: the scan's answer over the whole grid
// (0, 0, mmax - 1, nmax - 1, step 1), through an index of the cells that is
// rebuilt when the grid or its valid nodes change.
int GE_FindCell(void *window, int32_t mstart, int32_t nstart, int32_t mend, int32_t nend, int32_t step, float x,
                float y, int32_t *m, int32_t *n);
// The cell of world point (x, y) on the loaded grid, as the map windows and
// their host find it: 1 and the 1-based cell, or 0 and m = n = 0 when no
// cell holds it or no grid is loaded.
int GE_FindGridCell(float x, float y, int32_t *m, int32_t *n);
// Marks the cell index stale (the grid's coordinates or valid nodes changed).
void GE_InvalidateCellIndex(void);

#endif
