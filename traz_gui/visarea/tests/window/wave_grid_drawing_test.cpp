// Wave grids in a map window on the real toolkit, read from the window's
// pixels at points computed through its transform: curvilinear grids along
// their cells in green and yellow with the selected one red and their names
// among the map texts; the rectangular sets hidden in curvilinear mode;
// rectangular grids by display code, a bottom grid defined by three real
// clicks magenta unless selected; clicks along each world axis giving the
// angles 0, 90, 180 and 270 exactly, never taken for a zoom box; the key
// with its two strokes and texts.
#include <string>
#include <vector>

#include "ge_list.h"
#include "map_window_fixture.h"
#include "wave_grid_fixture.h"
#include "point_objects.h"
#include "wave_grid_drawing.h"

namespace {

using namespace maptest;

const COLORREF GREEN = RGB(0, 255, 0), YELLOW = RGB(255, 255, 0), RED = RGB(255, 0, 0), MAGENTA = RGB(255, 0, 255),
               BLACK = RGB(0, 0, 0), WHITE = RGB(255, 255, 255);

struct Call {
    int32_t kind, operation, selected;
    GE_RectWaveGrid grid;
};
std::vector<Call> calls;

int Owner(void *, int32_t kind, int32_t operation, int32_t selected, void *grid, GE_PointObject *, GE_LineObject *,
          int32_t *, int32_t)
{
    calls.push_back({ kind, operation, selected, grid ? *static_cast<GE_RectWaveGrid *>(grid) : GE_RectWaveGrid{} });
    return 0;
}

struct WaveWorld : World {
    WaveWorld()
    {
        calls.clear();
        GE_EnableViewAttribute(GEdit_SHOW_COMP_GRID);
        GE_EnableViewAttribute(GEdit_SHOW_BOTTOM_GRID);
        GE_SetCallback(GEkind_WAVE_GRID_2, Owner, nullptr);
        GE_SetCallback(GEkind_WAVE_GRID_3, Owner, nullptr);
        GE_InstallWaveGridKinds();
    }
    ~WaveWorld()
    {
        for (int32_t kind = GEkind_WAVE_GRID_1; kind <= GEkind_WAVE_GRID_3; ++kind)
            GE_SetKindOperations(kind, nullptr);
        GE_FreeWaveGrids();
    }
};

// A map window without the depths, so that the grids lie on white.
RUV_WIN OpenPlain()
{
    const RUV_WIN w = Open();
    if (w) {
        GE_MapWindowData(w)->shown[GEdit_SHOW_BATHYMETRY] = 0;
        GE_RedrawWindow(w);
        pump(50);
    }
    return w;
}

// Three clicks at world points (origin, a point on the axis, the corner),
// each after a move there as a hand would make it.
void ThreeClicks(RUV_WIN w, const float o[2], const float a[2], const float p[2])
{
    for (const POINT &click : { PixelOf(w, o[0], o[1]), PixelOf(w, a[0], a[1]), PixelOf(w, p[0], p[1]) }) {
        Mouse(w, WM_MOUSEMOVE, click.x, click.y);
        Mouse(w, WM_LBUTTONDOWN, click.x, click.y, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, click.x, click.y);
        // Never taken for a zoom box.
        EXPECT_EQ(GE_MapWindowData(w)->zoomBoxMode, 0);
    }
}

COLORREF At(const Pixels &px, RUV_WIN w, float x, float y)
{
    const POINT p = PixelOf(w, x, y);
    return px.at(p.x, p.y);
}

// The map texts of the last background drawing, " red" after a red one.
std::vector<std::string> MapTexts()
{
    std::vector<std::string> texts;
    GE_List *list = global_windata.mapTexts;
    for (int k = 0; k < GE_ListCount(list); ++k) {
        GE_MapText *t = nullptr;
        GE_ListGet(list, k, &t);
        texts.push_back(std::string(t->text) + (t->colour == GE_COLOR_RED ? " red" : ""));
    }
    return texts;
}

TEST_F(MapWindowTest, CurvilinearGridsAlongTheirCellsInTheirColours)
{
    in_app([] {
        Recorder rec;
        WaveWorld world;
        // Two computational grids and a bottom grid; a rectangular grid in
        // the same window that curvilinear mode leaves out.
        Curvi west(150, 150, "west"), east(550, 150, "east"), bottom(150, 450, "shoal");
        // The middle node is missing (and not coded, so not bounding).
        east.x[4] = east.y[4] = east.input.missingValue;
        east.codes[4] = 0;
        ASSERT_EQ(GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, -1, &west.input), 1);
        ASSERT_EQ(GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, 0, &east.input), 1);
        ASSERT_EQ(GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, -1, &bottom.input), 1);
        const GE_RectWaveGrid rect{ 550, 450, 200, 200, 0, 0, 0, 1, 0 };
        GE_SetRectWaveGrids(GE_WAVE_COMPUTATIONAL, &rect, 1);
        const RUV_WIN w = OpenPlain();
        ASSERT_NE(w, NULL_WIN);

        GE_SetWaveGridMode(GE_WAVE_CURVILINEAR);
        GE_ShowWaveGrids(GE_WAVE_COMPUTATIONAL);
        GE_ShowWaveGrids(GE_WAVE_BOTTOM);
        EXPECT_TRUE(Checked(w, GEcmd_SHOW_COMP_GRID));
        EXPECT_TRUE(Checked(w, GEcmd_NAMES_FIRST + 1));
        GE_MapWindowData(w)->zoom = 2.0f;
        GE_SelectWaveGrid(GE_WAVE_COMPUTATIONAL, 1);
        pump(50);
        EXPECT_EQ(GE_MapWindowData(w)->zoom, 1.0f) << "curvilinear redraw at zoom 1";
        {
            const Pixels px(Native(w));
            // Middles of segments along m and along n.
            EXPECT_EQ(At(px, w, 200, 150), GREEN);
            EXPECT_EQ(At(px, w, 350, 200), GREEN);
            EXPECT_EQ(At(px, w, 600, 150), RED) << "the selected grid";
            EXPECT_EQ(At(px, w, 200, 550), YELLOW);
            // The segments that end at or start from the missing node are
            // gone; the grid's frame stays.
            EXPECT_NE(At(px, w, 600, 250), RED);
            EXPECT_NE(At(px, w, 650, 200), RED);
            EXPECT_EQ(At(px, w, 650, 350), RED);
            // The rectangular grid is not drawn in this mode.
            EXPECT_NE(At(px, w, 650, 450), GREEN);
        }
        // The names, the selected one red, the bottom set drawn first.
        EXPECT_EQ(MapTexts(), (std::vector<std::string>{ "shoal", "west", "east red" }));
        Command(w, GEcmd_NAMES_FIRST);  // computational names off
        EXPECT_EQ(MapTexts(), (std::vector<std::string>{ "shoal" }));

        // The bottom set selected: drawn last, its grid red; the computational
        // grids both green.
        GE_SelectWaveGrid(GE_WAVE_BOTTOM, 0);
        pump(50);
        {
            const Pixels px(Native(w));
            EXPECT_EQ(At(px, w, 200, 550), RED);
            EXPECT_EQ(At(px, w, 600, 150), GREEN);
        }
        // A number outside the set changes nothing.
        GE_SelectWaveGrid(GE_WAVE_BOTTOM, 1);
        GE_SelectWaveGrid(GE_WAVE_COMPUTATIONAL, -1);
        EXPECT_EQ(global_windata.wave.kind, GE_WAVE_BOTTOM);
        EXPECT_EQ(GE_SelectedWaveGrid(), 0);

        // Back in rectangular mode the rectangle comes, the model grid
        // stays under it.
        GE_SetWaveGridMode(GE_WAVE_RECTANGULAR);
        GE_SelectWaveGrid(GE_WAVE_COMPUTATIONAL, 0);
        pump(50);
        {
            const Pixels px(Native(w));
            EXPECT_EQ(At(px, w, 650, 450), RED) << "the selected rectangular grid";
            EXPECT_EQ(At(px, w, 450, 100), BLACK) << "the model grid";
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST_F(MapWindowTest, RectangularGridsByCodeAndABottomGridDefinedByClicks)
{
    in_app([] {
        Recorder rec;
        WaveWorld world;
        const GE_RectWaveGrid comp[] = { { 150, 150, 200, 200, 0, 0, 0, 1, 0 }, { 550, 150, 200, 200, 0, 0, 0, 0, 0 } };
        const GE_RectWaveGrid bottom[] = { { 150, 450, 200, 200, 0, 0, 0, 1, 0 }, { 550, 450, 100, 100, 0, 0, 0, 1, 0 } };
        GE_SetRectWaveGrids(GE_WAVE_COMPUTATIONAL, comp, 2);
        GE_SetRectWaveGrids(GE_WAVE_BOTTOM, bottom, 2);
        const RUV_WIN w = OpenPlain();
        ASSERT_NE(w, NULL_WIN);
        GE_ShowWaveGrids(GE_WAVE_COMPUTATIONAL);
        GE_ShowWaveGrids(GE_WAVE_BOTTOM);

        // Bottom grid 1 redefined by three clicks along the world's x axis.
        GE_SelectObjectKind(GEkind_WAVE_GRID_3);
        GE_SelectWaveGrid(GE_WAVE_BOTTOM, 1);
        const float o[2] = { 550, 450 }, a[2] = { 750, 450 }, p[2] = { 750, 650 };
        ThreeClicks(w, o, a, p);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].kind, GEkind_WAVE_GRID_3);
        EXPECT_EQ(calls[0].selected, 1);
        int32_t count = 0;
        const GE_RectWaveGrid &defined = GE_RectWaveGrids(GE_WAVE_BOTTOM, &count)[1];
        EXPECT_EQ(defined.display, 2);
        EXPECT_EQ(defined.angle, 0.0f);
        const float pixel = 1.0f / GE_MapWindowData(w)->verticalScale;
        EXPECT_NEAR(defined.lx, 200.0f, 2 * pixel);
        pump(50);
        // A point on its side C0-C1 (away from the model grid's lines), as
        // the clicks defined it.
        const struct {
            float x, y;
        } side{ defined.x0 + 0.35f * defined.lx, defined.y0 };
        struct Expect {
            float x, y;
            COLORREF colour;
            bool equal;
            const char *what;
        };
        const auto check = [w](const std::vector<Expect> &expects) {
            const Pixels px(Native(w));
            for (const Expect &e : expects) {
                if (e.equal)
                    EXPECT_EQ(At(px, w, e.x, e.y), e.colour) << e.what;
                else
                    EXPECT_NE(At(px, w, e.x, e.y), e.colour) << e.what;
            }
        };
        check({
            { 250, 150, GREEN, true, "computational grid 0, code 1" },
            { 150, 250, GREEN, true, "its side C0-C3" },
            { 650, 150, GREEN, false, "computational grid 1, code 0" },
            { 250, 450, YELLOW, true, "bottom grid 0, code 1" },
            { side.x, side.y, RED, true, "the defined bottom grid while selected" },
        });
        // The side C0-C3 of a computational grid is 5 pixels wide, the
        // others 2.
        const Pixels px(Native(w));
        const POINT left = PixelOf(w, 150, 250), top = PixelOf(w, 250, 150);
        EXPECT_EQ(px.count(GREEN, left.x - 4, left.y, left.x + 5, left.y + 1), 5);
        EXPECT_EQ(px.count(GREEN, top.x, top.y - 4, top.x + 1, top.y + 5), 2);

        GE_SelectWaveGrid(GE_WAVE_BOTTOM, 0);
        pump(50);
        check({
            { side.x, side.y, MAGENTA, true, "the defined bottom grid, not selected" },
            { 250, 450, RED, true, "bottom grid 0 selected" },
        });
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST_F(MapWindowTest, GridsFromThreeClicksAlongEachAxis)
{
    in_app([] {
        WaveWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_RectWaveGrid first{ 100, 100, 200, 200, 0, 0, 0, 1, 0 };
        GE_SetRectWaveGrids(GE_WAVE_COMPUTATIONAL, &first, 1);
        GE_SelectObjectKind(GEkind_WAVE_GRID_2);
        calls.clear();
        // Choosing the kind left no grid selected: the owner is told, the
        // set stays as it was.
        const float o0[2] = { 300, 300 }, a0[2] = { 300, 700 }, p0[2] = { 100, 600 };
        ThreeClicks(w, o0, a0, p0);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].selected, -1);
        int32_t count = 0;
        EXPECT_EQ(GE_RectWaveGrids(GE_WAVE_COMPUTATIONAL, &count)[0].lx, 200.0f);
        GE_SelectWaveGrid(GE_WAVE_COMPUTATIONAL, 0);
        // Origin, a point on the axis, the corner: world points.
        struct Case {
            float o[2], a[2], p[2];
            float angle, lx, ly;
        } cases[] = {
            { { 300, 300 }, { 700, 300 }, { 600, 600 }, 0, 300, 300 },
            { { 300, 300 }, { 300, 700 }, { 100, 600 }, 90, 300, 200 },
            { { 700, 600 }, { 300, 600 }, { 400, 300 }, 180, 300, 300 },
            { { 700, 600 }, { 700, 200 }, { 900, 300 }, 270, 300, 200 },
        };
        const float pixel = 1.0f / GE_WindowScaleX(GE_MapWindowData(w));
        for (const Case &c : cases) {
            SCOPED_TRACE(c.angle);
            const size_t before = calls.size();
            ThreeClicks(w, c.o, c.a, c.p);
            ASSERT_EQ(calls.size(), before + 1);
            EXPECT_EQ(calls.back().selected, 0);
            const GE_RectWaveGrid &g = calls.back().grid;
            EXPECT_EQ(calls.back().kind, GEkind_WAVE_GRID_2);
            EXPECT_EQ(g.angle, c.angle);  // exactly
            EXPECT_NEAR(g.lx, c.lx, 2 * pixel);
            EXPECT_NEAR(g.ly, c.ly, 2 * pixel);
            const GE_RectWaveGrid *stored = GE_RectWaveGrids(GE_WAVE_COMPUTATIONAL, &count);
            ASSERT_EQ(count, 1);
            EXPECT_EQ(stored[0].angle, c.angle);
            EXPECT_EQ(stored[0].display, 1);
        }
        EXPECT_EQ(GE_MapWindowData(w)->zoom, 1.0f);
    });
}

TEST_F(MapWindowTest, KeyAtTheLowerRightWhileWaveGridsAreShown)
{
    in_app([] {
        WaveWorld world;
        const RUV_WIN w = OpenPlain();
        ASSERT_NE(w, NULL_WIN);
        const RUV_RECT r = GE_MapWindowData(w)->drawing;
        const int x = r.right, y = r.bottom;
        auto inkIn = [&](const Pixels &px, COLORREF c, int l, int t, int rr, int b) { return px.count(c, x + l, y + t, x + rr, y + b); };
        {
            const Pixels px(Native(w));
            EXPECT_EQ(inkIn(px, GREEN, -150, -30, -140, -28), 0) << "no key without wave grids";
        }
        for (const int32_t type : { GE_WAVE_BOTTOM, GE_WAVE_COMPUTATIONAL }) {
            SCOPED_TRACE(type);
            GE_MapWindowData(w)->shown[GEdit_SHOW_COMP_GRID] = 0;
            GE_MapWindowData(w)->shown[GEdit_SHOW_BOTTOM_GRID] = 0;
            GE_ShowWaveGrids(type);
            pump(50);
            const Pixels px(Native(w));
            // The strokes from x - 150 to x - 140, 2 pixels wide.
            EXPECT_GE(inkIn(px, GREEN, -150, -30, -140, -28), 10);
            EXPECT_GE(inkIn(px, YELLOW, -150, -15, -140, -13), 10);
            // The texts in black, baselines at y - 25 and y - 10, from x - 130.
            EXPECT_GT(inkIn(px, BLACK, -130, -35, -20, -24), 30) << "Computational Grid";
            EXPECT_GT(inkIn(px, BLACK, -130, -20, -60, -9), 20) << "Bottom Grid";
            EXPECT_EQ(inkIn(px, BLACK, -145, -35, -131, -9), 0) << "the box is white before the texts";
            EXPECT_EQ(px.at(x - 138, y - 20), WHITE);
        }
    });
}

// The selected object of the current kind lies over the wave-grid
// overlays: where a selected observation crosses a computational grid's
// outline the point is red.
TEST_F(MapWindowTest, SelectedObjectOverTheWaveGrids)
{
    in_app([] {
        Recorder rec;
        WaveWorld world;
        GE_InstallPointObjectKinds();
        GE_EnableObjectKind(GEkind_OBSERVATION);
        GE_EnableViewAttribute(GEdit_SHOW_OBSERVATIONS);
        const GE_RectWaveGrid rect{ 150, 150, 200, 200, 0, 0, 0, 1, 0 };
        GE_SetRectWaveGrids(GE_WAVE_COMPUTATIONAL, &rect, 1);
        GE_PointObject point{ 4, 3, 250.0f, 150.0f, "buoy" };
        GE_SetObservations(&point, 1);
        const RUV_WIN w = OpenPlain();
        ASSERT_NE(w, NULL_WIN);
        GE_ShowWaveGrids(GE_WAVE_COMPUTATIONAL);
        GE_SelectObjectKind(GEkind_OBSERVATION);
        ASSERT_EQ(GE_SelectObservation(0), 0);
        pump(50);
        const Pixels px(Native(w));
        // The grid's lower side at y = 150 crosses the cell's diagonal from
        // node (3, 3) to node (4, 2) at x = 250.
        EXPECT_EQ(At(px, w, 250.0f, 150.0f), RED);
        EXPECT_EQ(At(px, w, 170.0f, 150.0f), GREEN);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

}  // namespace
