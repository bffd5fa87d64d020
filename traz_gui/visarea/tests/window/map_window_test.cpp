// Map windows on the real toolkit: the window made from its resources with
// its status bar and menu states; the background read back as pixels at
// computed cell centres (depth bands in sea and rainbow colours, black grid
// lines, the land boundary, the white frame); the coordinate line after real
// pointer messages; the zoom box driven by real button messages, with its
// callback and the release order; a zoomed-in view painted through; the
// resize latch of each window; the whole coordinate line at the first size,
// and no world point for a pointer before it.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "line_editing_steps.h"
#include "ge_list.h"
#include "legend_window.h"
#include "line_objects.h"
#include "map_window_fixture.h"
#include "point_objects.h"

static_assert(VA_WIN_MAP == GE_MAP_WINDOW && VA_MENU_MAP == GE_MAP_MENU_BAR &&
                  VA_COORDINATE_LINE == GE_COORDINATE_LINE && VA_CMD_SHOW_GRID == GEcmd_SHOW_GRID &&
                  VA_CMD_SEA_COLORS == GEcmd_SEA_COLORS && VA_CMD_ZOOM_BOX == GEcmd_ZOOM_BOX,
              "the window's description and its code agree on the ids");

namespace {

using namespace maptest;

TEST_F(MapWindowTest, OpensWithItsStatusBarCoordinateLineAndMenuStates)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        EXPECT_EQ(global_windata.windowCount, 1);
        EXPECT_NE(ruv_win_get_ctl(w, GE_COORDINATE_LINE), NULL_WIN);
        ASSERT_NE(GE_MapStatusBar(w), NULL_WIN);
        EXPECT_EQ(StatusText(w), "\t\tVA 3.00.00");

        struct Row {
            int32_t item;
            bool enabled, checked;
        };
        const Row rows[] = {
            { GEcmd_OPEN_LANDBOUNDARY, true, false },  { GEcmd_OPEN_BATHYMETRY, false, false },
            { GEcmd_SHOW_GRID, true, true },           { GEcmd_SHOW_BATHYMETRY, true, true },
            { GEcmd_SHOW_LANDBOUNDARY, false, false }, { VA_CMD_SHOW_DRY_POINTS, false, false },
            { GEcmd_EDIT_FIRST, false, false },        { GEcmd_EDIT_NONE, true, true },
            { GEcmd_FONT_HELVETICA, true, true },      { GEcmd_FONT_TIMES, true, false },
            { GEcmd_SIZE_MEDIUM, true, true },         { GEcmd_SIZE_LARGEST, true, false },
            { GEcmd_STYLE_BOLD, true, true },          { GEcmd_CASE_NO_CHANGE, true, true },
            { GEcmd_SEA_COLORS, true, true },          { GEcmd_RAINBOW, true, false },
            { GEcmd_SUPPRESS_WARNINGS, false, false }, { GEcmd_PRINT, true, false },
            { GEcmd_LEGEND, true, false },
        };
        for (const Row &r : rows) {
            const UINT s = MenuState(w, r.item);
            ASSERT_NE(s, static_cast<UINT>(-1)) << r.item;
            EXPECT_EQ((s & MF_GRAYED) == 0, r.enabled) << r.item;
            EXPECT_EQ((s & MF_CHECKED) != 0, r.checked) << r.item;
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// A host that only configures the library (the enable calls and a
// callback) and hands a set over gets the library's own kinds: the set is
// drawn in a window opened after, and the mouse edits it.
struct HostCall {
    int32_t kind, operation, selected, count;
};
std::vector<HostCall> hostCalls;
int HostCallback(void *, int32_t kind, int32_t operation, int32_t selected, void *, GE_PointObject *,
                 GE_LineObject *, int32_t *, int32_t count)
{
    hostCalls.push_back({ kind, operation, selected, count });
    return 0;
}

TEST_F(MapWindowTest, LibraryKindsServeAHostThatOnlyConfiguresIt)
{
    in_app([] {
        Recorder rec;
        World world;
        hostCalls.clear();
        GE_EnableEditModes();
        GE_EnableObjectKind(GEkind_DRY_POINT);
        GE_EnableViewAttribute(GEdit_SHOW_DRY_POINTS);
        GE_SetCallback(GEkind_DRY_POINT, HostCallback, nullptr);
        const GE_LineObject run{ 3, 3, 6, 3, "shoal" };
        GE_SetDryPoints(&run, 1);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        Command(w, GEcmd_SHOW_BATHYMETRY);  // the run on white
        const POINT inRun = linetest::InCell(w, 4, 3, 0.5f, 0.5f);
        EXPECT_EQ(linetest::PixelAt(w, inRun), RGB(0xFF, 0xD6, 0x00));

        Command(w, GEcmd_EDIT_FIRST);     // Edit > Dry Points
        Command(w, GEcmd_MODE_ADD + 1);   // Edit Mode > Delete
        linetest::Click(w, inRun);
        ASSERT_EQ(hostCalls.size(), 2u);
        EXPECT_EQ(hostCalls[1].kind, GEkind_DRY_POINT);
        EXPECT_EQ(hostCalls[1].operation, GEmode_DELETE);
        EXPECT_EQ(hostCalls[1].selected, 0);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The host's enable calls only offer their items in the open windows: what
// the user has turned off or chosen there stays as it is.
TEST_F(MapWindowTest, EnableCallsOnlyOfferTheirItems)
{
    in_app([] {
        Recorder rec;
        World world;
        GE_EnableEditModes();
        GE_EnableObjectKind(GEkind_OBSERVATION);
        GE_EnableViewAttribute(GEdit_SHOW_OBSERVATIONS);
        GE_PointObject point{};
        point.m = point.n = 3;
        GE_SetObservations(&point, 1);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        Command(w, GEcmd_SHOW_GRID);
        Command(w, VA_CMD_NAMES_OBSERVATIONS);
        Command(w, GEcmd_EDIT_FIRST + 2);
        Command(w, GEcmd_MODE_ADD);
        ASSERT_FALSE(Checked(w, GEcmd_SHOW_GRID));

        GE_EnableObjectKind(GEkind_INSTANT_RELEASE);
        GE_EnableFileOpen(1);
        GE_EnableViewAttribute(GEdit_SHOW_DRY_POINTS);
        GE_EnableViewAttribute(GEdit_SHOW_OBSERVATIONS);
        const GE_WindowData *d = GE_MapWindowData(w);
        EXPECT_EQ(d->shown[GEdit_SHOW_GRID], 0);
        EXPECT_EQ(d->shown[GEdit_SHOW_OBSERVATIONS], 1);
        EXPECT_EQ(d->namesShown[GEdit_SHOW_OBSERVATIONS], 0);
        EXPECT_EQ(global_windata.currentKind, GEkind_OBSERVATION);
        EXPECT_EQ(global_windata.currentOperation, GEmode_ADD);
        struct Row {
            int32_t item;
            bool enabled, checked;
        };
        const Row rows[] = {
            { GEcmd_SHOW_GRID, true, false },          { VA_CMD_NAMES_OBSERVATIONS, true, false },
            { VA_CMD_SHOW_OBSERVATIONS, true, true },  { GEcmd_EDIT_FIRST + 2, true, true },
            { GEcmd_EDIT_NONE, true, false },          { GEcmd_EDIT_FIRST + 5, true, false },
            { GEcmd_MODE_ADD, true, true },            { GEcmd_MODE_ADD + 3, true, false },
            { GEcmd_OPEN_BATHYMETRY, true, false },    { VA_CMD_SHOW_DRY_POINTS, false, false },
        };
        for (const Row &r : rows) {
            EXPECT_EQ(Enabled(w, r.item), r.enabled) << r.item;
            EXPECT_EQ(Checked(w, r.item), r.checked) << r.item;
        }
        // Offering the edit modes again starts them in View.
        GE_EnableEditModes();
        EXPECT_TRUE(Checked(w, GEcmd_MODE_ADD + 3));
        EXPECT_FALSE(Checked(w, GEcmd_MODE_ADD));
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The window-wide operations a host may call: every window closed (the
// legend with them), each given the focus in turn, the suppress-warnings
// option offered unchecked.
TEST_F(MapWindowTest, HostOperationsOnEveryWindow)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN a = Open(), b = Open(420);
        ASSERT_NE(a, NULL_WIN);
        ASSERT_NE(b, NULL_WIN);
        EXPECT_FALSE(Enabled(a, GEcmd_SUPPRESS_WARNINGS));
        GE_EnableSuppressWarnings();
        for (const RUV_WIN w : { a, b }) {
            EXPECT_TRUE(Enabled(w, GEcmd_SUPPRESS_WARNINGS));
            EXPECT_FALSE(Checked(w, GEcmd_SUPPRESS_WARNINGS));
        }
        Command(a, GEcmd_SUPPRESS_WARNINGS);
        EXPECT_EQ(global_windata.suppressWarningsChecked, 1);
        EXPECT_TRUE(Checked(b, GEcmd_SUPPRESS_WARNINGS));

        SetFocus(nullptr);
        GE_FocusWindows();
        pump(50);
        const HWND focus = GetFocus();
        EXPECT_TRUE(focus == Native(b) || IsChild(Native(b), focus));

        GE_OpenLegendWindow();
        pump(100);
        ASSERT_NE(global_windata.legendWindow, nullptr);
        const HWND na = Native(a), nb = Native(b);
        GE_CloseAllWindows();
        pump(100);
        EXPECT_EQ(global_windata.windowCount, 0);
        EXPECT_EQ(global_windata.legendWindow, nullptr);
        EXPECT_FALSE(IsWindow(na));
        EXPECT_FALSE(IsWindow(nb));
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// Grid lines between every two neighbouring valid nodes, also where no
// active cell lies beside them, and a path through cell centres.
TEST_F(MapWindowTest, GridLinesAndCellPathsDrawnOnTheWindow)
{
    in_app([] {
        Recorder rec;
        World world;
        // Cells (5, 5) and (5, 6) inactive: the segment between nodes (4, 5)
        // and (5, 5) has no active cell beside it.
        SetTestGrid(world.x, world.y, world.status, 1, { { 5, 5 }, { 5, 6 } });
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_WindowData *d = GE_MapWindowData(w);
        ruv_dwin_clear(w, GE_COLOR_WHITE);
        const GE_DrawTarget t{ w, d, 0, 0, d->drawing.right, d->drawing.bottom };
        GE_DrawGridLines(t);
        const POINT lone = PixelOf(w, 3.5f * STEP, 4.0f * STEP), inner = PixelOf(w, 6.5f * STEP, 2.0f * STEP);
        {
            const Pixels px(Native(w));
            EXPECT_EQ(px.at(lone.x, lone.y), RGB(0, 0, 0));
            EXPECT_EQ(px.at(inner.x, inner.y), RGB(0, 0, 0));
            const POINT middle = PixelOf(w, 6.5f * STEP, 2.5f * STEP);
            EXPECT_EQ(px.at(middle.x, middle.y), RGB(255, 255, 255));
        }
        // The map's own grid leaves that segment out.
        ruv_dwin_clear(w, GE_COLOR_WHITE);
        GE_DrawGrid(t);
        EXPECT_EQ(Pixels(Native(w)).at(lone.x, lone.y), RGB(255, 255, 255));

        // A path from cell (3, 3) to (6, 3) and on to (6, 6).
        GE_List *cells = GE_ListCreate(sizeof(GE_PointObject));
        for (const auto &[m, n] : { std::pair<int32_t, int32_t>{ 3, 3 }, { 6, 3 }, { 6, 6 } }) {
            GE_PointObject cell{};
            cell.m = m;
            cell.n = n;
            ASSERT_TRUE(GE_ListInsert(cells, GE_ListCount(cells), &cell));
        }
        ruv_dwin_clear(w, GE_COLOR_WHITE);
        const RUV_CPEN red{ 1, 2, 0, GE_COLOR_RED };
        ruv_dwin_set_cpen(w, &red);
        GE_DrawCellPath(w, cells);
        GE_ListDestroy(cells);
        {
            const Pixels px(Native(w));
            const POINT along = PixelOf(w, 3.5f * STEP, 1.5f * STEP), up = PixelOf(w, 4.5f * STEP, 3.0f * STEP);
            const POINT off = PixelOf(w, 3.5f * STEP, 3.0f * STEP);
            EXPECT_EQ(px.at(along.x, along.y), RGB(255, 0, 0));
            EXPECT_EQ(px.at(up.x, up.y), RGB(255, 0, 0));
            EXPECT_EQ(px.at(off.x, off.y), RGB(255, 255, 255));
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// Every drawing of the background ends with the edit status: a message
// in the first field goes when the window is resized.
TEST_F(MapWindowTest, BackgroundDrawingShowsTheEditStatus)
{
    in_app([] {
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_StatusMessage("Observation id invalid");
        EXPECT_EQ(StatusText(w), "Observation id invalid\t\tVA 3.00.00");
        RUV_RECT r{ 30, 20, 30 + 400, 20 + 420 };
        ruv_vobj_move(w, &r);
        pump(300);
        EXPECT_EQ(StatusText(w), "\t\tVA 3.00.00");
    });
}

// A new cell status from an enclosure file: every window shows the whole
// grid again, the grid layer on, with its edit status.
TEST_F(MapWindowTest, EnclosureLoadedShowsTheWholeGridInEveryWindow)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN a = Open(), b = Open(420);
        ASSERT_NE(b, NULL_WIN);
        Command(a, GEcmd_ZOOM_IN);
        Command(a, GEcmd_SHOW_GRID);
        Command(b, GEcmd_ZOOM_IN);
        GE_StatusMessage("Observation id invalid");
        std::FILE *f = std::fopen("square.enc", "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("1 1\n6 1\n6 6\n1 6\n1 1\n", f);
        std::fclose(f);
        ASSERT_EQ(GE_LoadEnclosure("square.enc"), 1);
        pump(100);
        EXPECT_EQ(GE_CellStatus(8, 8), 0);
        for (const RUV_WIN w : { a, b }) {
            const GE_WindowData *d = GE_MapWindowData(w);
            EXPECT_EQ(d->zoom, 1.0f);
            EXPECT_EQ(d->shown[GEdit_SHOW_GRID], 1);
            EXPECT_TRUE(Enabled(w, GEcmd_SHOW_GRID));
            EXPECT_TRUE(Checked(w, GEcmd_SHOW_GRID));
            EXPECT_EQ(StatusText(w), "\t\tVA 3.00.00");
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// Band colours at cell centres, grid lines between nodes, the land boundary
// and the frame, in both colour scales.
TEST_F(MapWindowTest, BackgroundShowsBandsGridLinesLandBoundaryAndFrame)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN w = Open();
        const RUV_WIN second = Open(420);
        ASSERT_NE(w, NULL_WIN);
        ASSERT_NE(second, NULL_WIN);
        // A land boundary along y = 420 from x = 150 to 850, loaded as the
        // File menu loads it.
        std::FILE *f = std::fopen("coast.ldb", "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("* coast\nCOAST\n2 2\n150 420\n850 420\n", f);
        std::fclose(f);
        GE_LoadLandBoundaryFrom(w, "coast.ldb");
        pump(100);
        ASSERT_EQ(global_windata.land.count, 2);

        const GE_WindowData *d = GE_MapWindowData(w);
        RUV_RECT client{};
        ruv_vobj_get_client_rect(w, &client);
        EXPECT_EQ(d->drawing.left, 5);
        EXPECT_EQ(d->drawing.top, 5);
        EXPECT_EQ(d->drawing.right, client.right - 5);

        for (int scheme = 0; scheme < 2; ++scheme) {
            SCOPED_TRACE(scheme ? "rainbow" : "sea colours");
            // Colors > Bathymetry in the first window's menu: both windows
            // redrawn, the check mark moved in that menu only.
            Command(w, scheme ? GEcmd_RAINBOW : GEcmd_SEA_COLORS);
            pump(100);
            EXPECT_EQ(global_windata.bathymetryColorScheme, scheme);
            EXPECT_EQ(Checked(w, GEcmd_RAINBOW), scheme == 1);
            EXPECT_EQ(Checked(w, GEcmd_SEA_COLORS), scheme == 0);
            EXPECT_TRUE(Checked(second, GEcmd_SEA_COLORS));
            EXPECT_FALSE(Checked(second, GEcmd_RAINBOW));
            const uint32_t *colors = nullptr;
            const int n = GE_DepthColorTable(scheme, &colors);
            const Pixels px(Native(w));
            int checked = 0;
            for (int32_t j = 0; j + 1 < NMAX; ++j)
                for (int32_t i = 0; i + 1 < MMAX; ++i) {
                    if (j == 4)
                        continue;  // the row the land boundary crosses
                    const float z = (NodeDepth(i) + NodeDepth(i + 1)) / 2;
                    const POINT c = PixelOf(w, (i + 0.5f) * STEP, (j + 0.5f) * STEP);
                    if (c.x < 90)
                        continue;  // the depth scale
                    EXPECT_EQ(px.at(c.x, c.y), Screen(colors[ClassOf(z, n)])) << "cell " << i << ", " << j;
                    ++checked;
                }
            EXPECT_GT(checked, 40);
            // Grid lines halfway between neighbouring nodes, along m and n.
            for (const auto &node : { std::pair<int, int>{ 5, 3 }, { 8, 6 }, { 3, 1 } }) {
                const POINT alongM = PixelOf(w, (node.first + 0.5f) * STEP, node.second * STEP);
                const POINT alongN = PixelOf(w, node.first * STEP, (node.second + 0.5f) * STEP);
                EXPECT_EQ(px.at(alongM.x, alongM.y), RGB(0, 0, 0));
                EXPECT_EQ(px.at(alongN.x, alongN.y), RGB(0, 0, 0));
            }
            // The land boundary (2 pixels wide) across cells of row 4, in
            // both windows.
            const Pixels other(Native(second));
            {
                const POINT c = PixelOf(second, 730.0f, 250.0f);
                EXPECT_EQ(other.at(c.x, c.y), Screen(colors[ClassOf(14.6f, n)])) << "second window";
            }
            for (const float x : { 250.0f, 550.0f, 750.0f }) {
                const POINT p = PixelOf(w, x, 420.0f);
                EXPECT_GE(px.count(RGB(0xC3, 0x77, 0x50), p.x - 1, p.y - 1, p.x + 2, p.y + 2), 2) << x;
                const POINT q = PixelOf(second, x, 420.0f);
                EXPECT_GE(other.count(RGB(0xC3, 0x77, 0x50), q.x - 1, q.y - 1, q.x + 2, q.y + 2), 2) << x;
            }
            // The frame: a 22-pixel band on top, 5 pixels on the other sides.
            const RUV_RECT &r = d->drawing;
            const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
            EXPECT_EQ(px.at(r.left + 2, midY), PX_WHITE);
            EXPECT_EQ(px.at(r.right - 3, midY), PX_WHITE);
            EXPECT_EQ(px.at(midX, r.bottom - 3), PX_WHITE);
            EXPECT_EQ(px.at(midX, r.top + 20), PX_WHITE);
        }
        EXPECT_EQ(global_windata.depth.colorClasses, 20);

        // A comment-only file is refused and the land boundary stays.
        f = std::fopen("comments.ldb", "wb");
        std::fputs("* only a comment\n", f);
        std::fclose(f);
        GE_LoadLandBoundaryFrom(w, "comments.ldb");
        EXPECT_EQ(StatusText(w).substr(0, 29), "Not a valid LANDBOUNDARY file");
        EXPECT_EQ(global_windata.land.count, 2);
        // A bathymetry file too short for the grid is refused; the depths stay.
        GE_LoadBathymetryFrom(w, "comments.ldb");
        EXPECT_EQ(StatusText(w).substr(0, 27), "Not a valid BATHYMETRY file");
        EXPECT_EQ(global_windata.depth.depth[MMAX * NMAX - 1], NodeDepth(MMAX - 1));
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The coordinate line after real pointer moves: world point, the cell with
// M and N swapped for the hydrodynamic model, the depth from the corners
// that have one, and no cell part outside the grid.
TEST_F(MapWindowTest, CoordinateLineFollowsThePointer)
{
    in_app([] {
        Recorder rec;
        World world;
        // Node (0-based) m = 7, n = 2 has no depth: a corner of cell (8, 3)
        // and (9, 3) and others.
        world.depth[2 * MMAX + 7] = -999.0f;
        GE_SetDepth(world.depth.data());
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_WindowData *d = GE_MapWindowData(w);

        struct Row {
            const char *what;
            float x, y;       // world point aimed at
            int32_t m, n;     // 1-based cell, 0 none
            bool depth;
        };
        const Row rows[] = {
            { "cell with depths", 350.0f, 650.0f, 5, 8, true },
            { "corner missing", 790.0f, 290.0f, 9, 4, true },
            { "all corners but one missing", 710.0f, 210.0f, 9, 4, true },
            { "outside the grid", 1060.0f, 450.0f, 0, 0, false },
        };
        for (const Row &r : rows) {
            SCOPED_TRACE(r.what);
            const POINT p = PixelOf(w, r.x, r.y);
            Mouse(w, WM_MOUSEMOVE, p.x, p.y);
            float x = 0, y = 0;
            GE_DataPixelToWorld(d, p.x, p.y, &x, &y);
            char want[256];
            if (r.m == 0) {
                std::snprintf(want, sizeof want, "  X:%#13.8g,   Y:%#13.8g %s", x, y, "[m]");
            } else {
                float z = 0;
                ASSERT_TRUE(GE_InterpolateDepth(r.m, r.n, x, y, &z));
                std::snprintf(want, sizeof want, " X:%#13.8g, Y:%#13.8g %s Z: %.2f [m]  (%s: %3d,  %s: %3d)", x, y,
                              "[m]", z, "M", r.n, "N", r.m);
            }
            EXPECT_EQ(CoordinateLine(w), want);
        }
        // The moves rewrote the line only: a mark put into the background
        // survives them.
        GE_WindowData *data = GE_MapWindowData(w);
        const RUV_CBRUSH red{ 2, 0x01FF0000u };
        ruv_dwin_set_std_cpen(data->pixmap, 2);
        ruv_dwin_set_cbrush(data->pixmap, &red);
        const RUV_RECT mark{ 200, 200, 210, 210 };
        ruv_dwin_draw_rect(data->pixmap, &mark);
        for (int k = 0; k < 5; ++k)
            Mouse(w, WM_MOUSEMOVE, 100 + 20 * k, 150);
        GE_RedrawObjects(w);
        const Pixels marked(Native(w));
        EXPECT_EQ(marked.at(data->drawing.left + 205, data->drawing.top + 205), PX_RED);

        // Without any depth at the cell's corners there is no "Z:".
        for (int32_t m : { 3, 4 })
            for (int32_t n : { 5, 6 })
                world.depth[static_cast<size_t>(n) * MMAX + m] = -1500.0f;
        GE_SetDepth(world.depth.data());
        pump(100);
        const POINT p = PixelOf(w, 350.0f, 550.0f);
        Mouse(w, WM_MOUSEMOVE, p.x, p.y);
        float x = 0, y = 0;
        GE_DataPixelToWorld(d, p.x, p.y, &x, &y);
        char want[256];
        std::snprintf(want, sizeof want, " X:%#13.8g, Y:%#13.8g %s  (%s: %3d, %s: %3d)", x, y, "[m]", "M", 7, "N", 5);
        EXPECT_EQ(CoordinateLine(w), want);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// At the window's first size the coordinate line holds its whole text, to
// the cell's second index, in the font it is shown in.
TEST_F(MapWindowTest, TheCoordinateLineHoldsItsWholeTextAtTheFirstSize)
{
    in_app([] {
        World world;
        const RUV_WIN w = GE_OpenWindow();
        pump(300);
        ASSERT_NE(w, NULL_WIN);
        // A cell of two-digit indices far from the edges: a line as long
        // as any of the example's.
        world.depth.assign(world.depth.size(), 12.34f);
        GE_SetDepth(world.depth.data());
        pump(100);
        const POINT p = PixelOf(w, 950.0f, 450.0f);
        Mouse(w, WM_MOUSEMOVE, p.x, p.y);
        const std::string text = CoordinateLine(w);
        ASSERT_NE(text.find("(M:   6,  N:  11)"), std::string::npos) << text;
        const HWND line = Native(ruv_win_get_ctl(w, GE_COORDINATE_LINE));
        RECT client{};
        GetClientRect(line, &client);
        HDC dc = GetDC(line);
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(line, WM_GETFONT, 0, 0));
        const HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(line, dc);
        EXPECT_LE(extent.cx, client.right - client.left) << text;
    });
}

// A pointer over a window that has not had its first size yet (no drawing
// area, no scale) has no world point: nothing is shown for it and no
// object is added at it.
TEST_F(MapWindowTest, APointerBeforeTheFirstSizeHasNoWorldPoint)
{
    in_app([] {
        Recorder rec;
        World world;
        GE_EnableEditModes();
        GE_EnableObjectKind(GEkind_INSTANT_RELEASE);
        GE_InstallPointObjectKinds();
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        Command(w, GEcmd_EDIT_FIRST + GEkind_INSTANT_RELEASE - GEkind_DRY_POINT);
        Command(w, GEcmd_MODE_ADD);
        SetWindowTextA(Native(ruv_win_get_ctl(w, GE_COORDINATE_LINE)), "before");
        // The record as a window has it between its creation and its size.
        GE_WindowData *d = GE_MapWindowData(w);
        const GE_WindowData laidOut = *d;
        d->drawing = RUV_RECT{};
        d->fitScale = 0.0f;
        GE_UpdateTransform(d);
        for (const UINT message : { WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP })
            Mouse(w, message, 0, 0, message == WM_LBUTTONUP ? 0 : MK_LBUTTON);
        EXPECT_EQ(CoordinateLine(w), "before");
        EXPECT_EQ(global_windata.discharges[GEdit_INSTANT_RELEASE].count, 0);
        *d = laidOut;
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

struct ZoomCall {
    int32_t clickX[2], clickY[2];
    float zoom;
};
std::vector<ZoomCall> zoomCalls;
int16_t pickArea = 0;

int RecordZoomBox(void *user, int32_t kind, int32_t operation, int32_t selected, void *waveGrid,
                  GE_PointObject *points, GE_LineObject *lines, int32_t *extra, int32_t count)
{
    GE_WindowData *d = static_cast<GE_WindowData *>(user);
    EXPECT_EQ(kind, GEkind_ZOOM_BOX);
    EXPECT_EQ(operation, global_windata.currentOperation);
    EXPECT_EQ(selected, 0);
    EXPECT_TRUE(!waveGrid && !points && !lines && !extra && count == 0);
    zoomCalls.push_back({ { d->clickX[0], d->clickX[1] }, { d->clickY[0], d->clickY[1] }, d->zoom });
    d->pickArea = pickArea;
    return 0;
}

// The zoom box through real button messages: the callback sees the release
// point, a click gives no zoom, a release without a press does nothing, the
// host may take the box; a box inside one cell paints the whole view.
TEST_F(MapWindowTest, ZoomBoxFromButtonMessages)
{
    in_app([] {
        Recorder rec;
        World world;
        zoomCalls.clear();
        pickArea = 0;
        GE_SetCallback(GEkind_ZOOM_BOX, RecordZoomBox, nullptr);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_WindowData *d = GE_MapWindowData(w);

        // A release without a press: nothing, the window waits for a box.
        GE_StartZoomBox(w);
        EXPECT_EQ(StatusText(w), "ZOOM: push mouse button, drag zoom area and release button\t\tVA 3.00.00");
        Mouse(w, WM_LBUTTONUP, 100, 100);
        EXPECT_TRUE(zoomCalls.empty());
        EXPECT_EQ(d->zoom, 1.0f);
        EXPECT_EQ(d->zoomBoxMode, 1);

        // A click without a drag: the callback sees the release as the
        // second corner; no zoom; zoom-box mode left.
        Mouse(w, WM_LBUTTONDOWN, 120, 130, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, 120, 130);
        ASSERT_EQ(zoomCalls.size(), 1u);
        EXPECT_EQ(zoomCalls[0].clickX[0], 120);
        EXPECT_EQ(zoomCalls[0].clickX[1], 120);
        EXPECT_EQ(zoomCalls[0].clickY[1], 130);
        EXPECT_EQ(d->zoom, 1.0f);
        EXPECT_EQ(d->zoomBoxMode, 0);
        EXPECT_EQ(d->clickX[0], -1);

        // The host takes the box: no zoom, still in zoom-box mode, and the
        // rectangle is gone from the map.
        const Pixels before(Native(w));
        pickArea = 1;
        GE_StartZoomBox(w);
        Mouse(w, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
        Mouse(w, WM_MOUSEMOVE, 150, 140, MK_LBUTTON);
        Mouse(w, WM_MOUSEMOVE, 170, 160, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, 180, 170);
        ASSERT_EQ(zoomCalls.size(), 2u);
        EXPECT_EQ(zoomCalls[1].clickX[1], 180);
        EXPECT_EQ(d->zoom, 1.0f);
        EXPECT_EQ(d->zoomBoxMode, 1);
        EXPECT_EQ(d->pickArea, 0);
        const Pixels after(Native(w));
        int changed = 0;
        for (int y = d->drawing.top + 22; y < d->drawing.bottom; ++y)  // below the coordinate line
            for (int x = d->drawing.left; x < d->drawing.right; ++x)
                changed += before.at(x, y) != after.at(x, y);
        EXPECT_EQ(changed, 0);

        // A 20 x 20 box round the middle of cell (5, 3), 0-based, far from
        // every node: the view lies inside that cell and is painted in full.
        pickArea = 0;
        const POINT c = PixelOf(w, 550.0f, 350.0f);
        Mouse(w, WM_LBUTTONDOWN, c.x - 10, c.y - 10, MK_LBUTTON);
        Mouse(w, WM_MOUSEMOVE, c.x + 4, c.y + 4, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, c.x + 10, c.y + 10);
        ASSERT_EQ(zoomCalls.size(), 3u);
        EXPECT_EQ(zoomCalls[2].clickX[1], c.x + 10);
        EXPECT_GT(d->zoom, 10.0f);
        EXPECT_EQ(d->zoomBoxMode, 0);
        pump(100);
        const Pixels zoomed(Native(w));
        const RUV_RECT &r = d->drawing;
        // The view inside the frame, right of the depth scale and its title.
        const int x0 = r.left + 140, y0 = r.top + 22, x1 = r.right - 5, y1 = r.bottom - 5;
        const uint32_t *colors = nullptr;
        const int n = GE_DepthColorTable(0, &colors);
        int banded = 0;
        for (int k = 0; k < n; ++k)
            banded += zoomed.count(Screen(colors[k]), x0, y0, x1, y1);
        EXPECT_EQ(banded, (x1 - x0) * (y1 - y0)) << "every pixel of the view in a band colour";
        EXPECT_EQ(zoomed.count(RGB(0, 0, 0), x0, y0, x1, y1), 0);
        const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
        EXPECT_EQ(zoomed.at(midX, midY), Screen(colors[ClassOf(11.0f, n)]));

        // Zoom in and out from the menu restore the transform; Edit > None
        // and Colors > Attributes change nothing; reset goes back to 1.
        const float zoom = d->zoom, cx = d->worldCentreX;
        auto command = [w](int32_t tag) {
            RUV_EVENT e{};
            e.type = E_COMMAND;
            e.v.command.tag = tag;
            ruv_win_dispatch_event(w, &e);
        };
        command(GEcmd_ZOOM_IN);
        EXPECT_EQ(d->zoom, 2 * zoom);
        command(GEcmd_EDIT_NONE);
        command(GEcmd_COLORS_ATTRIBUTES);
        EXPECT_EQ(d->zoom, 2 * zoom);
        command(GEcmd_ZOOM_OUT);
        EXPECT_EQ(d->zoom, zoom);
        EXPECT_EQ(d->worldCentreX, cx);
        GE_ZoomReset(w);
        EXPECT_EQ(d->zoom, 1.0f);
        EXPECT_EQ(d->xOffset, 0.0f);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

POINT ClientOrigin(HWND hwnd)
{
    POINT p{ 0, 0 };
    ClientToScreen(hwnd, &p);
    const HWND parent = GetAncestor(hwnd, GA_PARENT);
    if (parent && parent != GetDesktopWindow())
        ScreenToClient(parent, &p);
    return p;
}

// Each window has its own resize latch; a second size event before an
// update is not acted on; a window made small grows to 300 x 300 at
// (200, 200).
TEST_F(MapWindowTest, ResizeLatchIsPerWindow)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN a = Open();
        const RUV_WIN b = Open();
        ASSERT_NE(a, NULL_WIN);
        ASSERT_NE(b, NULL_WIN);
        EXPECT_EQ(global_windata.windowCount, 2);
        const GE_WindowData *da = GE_MapWindowData(a);
        const GE_WindowData *db = GE_MapWindowData(b);

        // Both updated; then each gets a size event with no update between.
        RUV_RECT ra{ 50, 50, 450, 470 }, rb{ 60, 500, 440, 900 };
        ruv_vobj_move(a, &ra);
        ruv_vobj_move(b, &rb);
        EXPECT_EQ(da->drawing.right - da->drawing.left, 420 - 10);
        EXPECT_EQ(db->drawing.right - db->drawing.left, 400 - 10);
        // A second size event of a before its update: not acted on.
        RUV_RECT ra2{ 50, 50, 500, 550 };
        ruv_vobj_move(a, &ra2);
        EXPECT_EQ(da->drawing.right - da->drawing.left, 420 - 10);
        pump(200);

        // 200 x 200 becomes 300 x 300 at (200, 200).
        RUV_RECT small{ 10, 10, 210, 210 };
        ruv_vobj_move(a, &small);
        pump(200);
        RUV_RECT client{};
        ruv_vobj_get_client_rect(a, &client);
        EXPECT_EQ(client.right - client.left, 300);
        EXPECT_EQ(client.bottom - client.top, 300);
        const POINT origin = ClientOrigin(Native(a));
        EXPECT_EQ(origin.x, 200);
        EXPECT_EQ(origin.y, 200);
        EXPECT_EQ(da->drawing.right - da->drawing.left, 290);

        ruv_vobj_destroy(a);
        EXPECT_EQ(global_windata.windowCount, 1);
        EXPECT_EQ(global_windata.windows[0], b);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

}  // namespace
