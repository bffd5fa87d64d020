// Screenshots of a map window on a real display: the grid over its depths
// in sea colours and in rainbow colours, with a land boundary, with a zoom
// box being dragged, zoomed in eight times, with its points, names and
// area box, and their legend, with the line objects and drogues, with
// curvilinear wave grids and their key, and with its depth scale over an
// object and a name at the map's right edge.  Each picture is the window's
// client area written as a PNG into the directory given; a few pixels of
// each are checked (band colours at
// computed cell centres, the land boundary's colour, the dotted zoom box,
// the zoomed view's bands, the points' and the legend's symbols, the line
// objects' colours, the wave grids' colours and the key's strokes, the
// legend's labels whole and apart, the depth scale's labels on white, a
// name at the edge whole and nothing of it left when its point moves).
//   visarea_map_screenshots <directory>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <ios>
#include <string>
#include <vector>

#include "../window/line_editing_steps.h"
#include "../window/wave_grid_fixture.h"
#include "ge_list.h"
#include "legend_window.h"
#include "line_object_editing.h"
#include "line_objects.h"
#include "point_objects.h"
#include "wave_grid_drawing.h"

namespace {

using namespace maptest;

std::string g_directory = ".";

// The client area of a window as it is on the screen now, once the
// window's pending drawing has been done, and written as a PNG.
struct Shot : ruvf_test::Pixels {
    explicit Shot(HWND hwnd) : Pixels((pump(50), hwnd)) {}
    // Writes the picture as an 8-bit RGB PNG; true when written.
    bool Save(const std::string &name) const
    {
        const std::string path = g_directory + "\\" + name;
        std::FILE *f = std::fopen(path.c_str(), "wb");
        if (!f)
            return false;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png ? png_create_info_struct(png) : nullptr;
        volatile bool ok = png && info;
        if (ok && setjmp(png_jmpbuf(png)) == 0) {
            png_init_io(png, f);
            const int width = this->width(), height = this->height();
            png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                         PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
            png_write_info(png, info);
            std::vector<png_byte> row(static_cast<size_t>(width) * 3);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const COLORREF c = at(x, y);
                    row[3 * x] = GetRValue(c);
                    row[3 * x + 1] = GetGValue(c);
                    row[3 * x + 2] = GetBValue(c);
                }
                png_write_row(png, row.data());
            }
            png_write_end(png, nullptr);
        } else {
            ok = false;
        }
        png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
        const bool closed = std::fclose(f) == 0;
        ok = closed && ok;
        if (ok)
            std::printf("screenshot: %s\n", path.c_str());
        return ok;
    }
};

// Band colours at the centres of cells away from the depth scale: all as
// computed from the cell's depth.
int WrongBands(RUV_WIN w, const Shot &shot, int scheme)
{
    const uint32_t *colors = nullptr;
    const int n = GE_DepthColorTable(scheme, &colors);
    int wrong = 0;
    for (int32_t j = 0; j + 1 < NMAX; ++j)
        for (int32_t i = 0; i + 1 < MMAX; ++i) {
            const POINT c = PixelOf(w, (i + 0.5f) * STEP, (j + 0.5f) * STEP);
            if (c.x < 90 || j == 4)
                continue;  // the depth scale; the row the land boundary crosses
            const float z = (NodeDepth(i) + NodeDepth(i + 1)) / 2;
            wrong += shot.at(c.x, c.y) != Screen(colors[ClassOf(z, n)]);
        }
    return wrong;
}

TEST_F(MapWindowTest, Screenshots)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const HWND hwnd = Native(w);
        GE_WindowData *d = GE_MapWindowData(w);

        const Shot sea(hwnd);
        EXPECT_TRUE(sea.Save("map_sea.png"));
        EXPECT_EQ(WrongBands(w, sea, 0), 0);

        Command(w, GEcmd_RAINBOW);
        const Shot rainbow(hwnd);
        EXPECT_TRUE(rainbow.Save("map_rainbow.png"));
        EXPECT_EQ(WrongBands(w, rainbow, 1), 0);
        Command(w, GEcmd_SEA_COLORS);

        std::FILE *f = std::fopen("shot_coast.ldb", "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("* coast\nCOAST\n4 2\n150 420\n450 520\n650 380\n850 420\n", f);
        std::fclose(f);
        GE_LoadLandBoundaryFrom(w, "shot_coast.ldb");
        const Shot land(hwnd);
        EXPECT_TRUE(land.Save("map_land_boundary.png"));
        EXPECT_GT(land.count(RGB(0xC3, 0x77, 0x50)), 200) << "the land boundary in its colour";

        // A zoom box dragged from (120, 110) to (260, 230), not yet released.
        // The display's own pointer is put where the messages say, or its
        // moves would drag the box elsewhere.
        auto pointer = [hwnd, w](UINT message, int x, int y, WPARAM keys) {
            POINT p{ x, y };
            ClientToScreen(hwnd, &p);
            SetCursorPos(p.x, p.y);
            Mouse(w, message, x, y, keys);
        };
        Command(w, GEcmd_ZOOM_BOX);
        pointer(WM_LBUTTONDOWN, 120, 110, MK_LBUTTON);
        pointer(WM_MOUSEMOVE, 200, 180, MK_LBUTTON);
        pointer(WM_MOUSEMOVE, 260, 230, MK_LBUTTON);
        EXPECT_EQ(d->clickX[1], 260);
        EXPECT_EQ(d->clickY[1], 230);
        const Shot box(hwnd);
        EXPECT_TRUE(box.Save("map_zoom_box.png"));
        int changed = 0;
        for (int x = 125; x < 255; ++x)
            changed += box.at(x, 110) != land.at(x, 110);
        EXPECT_GT(changed, 20) << "the box's dotted top side";
        changed = 0;
        for (int x = 125; x < 255; ++x)
            changed += box.at(x, 180) != land.at(x, 180);
        EXPECT_EQ(changed, 0) << "the box of the first move was erased";
        pointer(WM_LBUTTONUP, 260, 230, 0);

        // Eight times the whole map, round the middle of the world.
        GE_ZoomReset(w);
        for (int k = 0; k < 3; ++k)
            Command(w, GEcmd_ZOOM_IN);
        EXPECT_EQ(d->zoom, 8.0f);
        const Shot zoomed(hwnd);
        EXPECT_TRUE(zoomed.Save("map_zoom_x8.png"));
        const uint32_t *colors = nullptr;
        const int n = GE_DepthColorTable(0, &colors);
        float x = 0, y = 0;
        const int midX = (d->drawing.left + d->drawing.right) / 2 + 7, midY = (d->drawing.top + d->drawing.bottom) / 2 + 20;
        GE_DataPixelToWorld(d, midX, midY, &x, &y);
        EXPECT_EQ(zoomed.at(midX, midY), Screen(colors[ClassOf(x / STEP * 2.0f, n)])) << x << ", " << y;
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// Observation points, instantaneous and continuous releases with their
// names, the selected release in red and the zoom-grid area box.
TEST_F(MapWindowTest, PointObjectScreenshot)
{
    in_app([] {
        Recorder rec;
        World world;
        for (const int32_t kind : { GEkind_INSTANT_RELEASE, GEkind_CONTINUOUS_RELEASE, GEkind_OBSERVATION })
            GE_EnableObjectKind(kind);
        for (const int32_t a : { GEdit_SHOW_INSTANT_RELEASES, GEdit_SHOW_CONTINUOUS_RELEASES, GEdit_SHOW_OBSERVATIONS })
            GE_EnableViewAttribute(a);
        GE_InstallPointObjectKinds();
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        // Cell (m, n) spans nodes m-1..m, n-1..n: world ((m-2)..(m-1)) * STEP.
        auto at = [](int32_t m, int32_t n, const char *name) {
            GE_PointObject p{ m, n, (m - 1.5f) * STEP, (n - 1.5f) * STEP, {} };
            std::snprintf(p.name, sizeof p.name, "%s", name);
            return p;
        };
        const GE_PointObject observations[] = { at(3, 7, "Harbour"), at(9, 3, "Mouth") };
        GE_SetObservations(observations, 2);
        const GE_PointObject instant[] = { at(5, 5, "Spill"), at(8, 7, "Spill 2") };
        GE_SetDischarges(instant, 2, GEdit_INSTANT_RELEASE);
        const GE_PointObject continuous[] = { at(6, 3, "Outfall") };
        GE_SetDischarges(continuous, 1, GEdit_CONTINUOUS_RELEASE);
        GE_SelectObjectKind(GEkind_INSTANT_RELEASE);
        GE_SelectDischarge(1, GEdit_INSTANT_RELEASE);
        GE_PointObject box[2] = { at(4, 4, ""), at(10, 8, "") };
        GE_SetAreaBox(box);
        const Shot shot(Native(w));
        EXPECT_TRUE(shot.Save("map_points.png"));
        // A quarter into a diamond's cell from its corner lies on its edge;
        // the cross's middle is the cell's middle.
        auto edge = [w](int32_t m, int32_t n) { return PixelOf(w, (m - 1.25f) * STEP, (n - 1.25f) * STEP); };
        const POINT cross = PixelOf(w, 1.5f * STEP, 5.5f * STEP), spill = edge(5, 5), spill2 = edge(8, 7),
                    outfall = edge(6, 3), side = PixelOf(w, 2.5f * STEP, 4.5f * STEP);
        EXPECT_EQ(shot.at(cross.x, cross.y), RGB(0, 255, 255));
        EXPECT_EQ(shot.at(spill.x, spill.y), RGB(0, 255, 0));
        EXPECT_EQ(shot.at(spill2.x, spill2.y), RGB(255, 0, 0));
        EXPECT_EQ(shot.at(outfall.x, outfall.y), RGB(0, 0, 255));
        EXPECT_EQ(shot.at(side.x, side.y), RGB(255, 0, 0)) << "the area box's left side";
        // The name starts at the cross's middle and runs past its cell,
        // where nothing else is cyan.
        int name = 0;
        const int past = static_cast<int>(STEP * GE_MapWindowData(w)->verticalScale / 2) + 3;
        for (int y = cross.y - 14; y < cross.y + 14; ++y)
            for (int x = cross.x + past; x < cross.x + past + 40; ++x)
                name += shot.at(x, y) == RGB(0, 255, 255);
        EXPECT_GT(name, 5) << "the name \"Harbour\" beside its cross";
        // The legend of the same map: a row for each kind present, in its
        // colour, under "Symbols:".
        GE_OpenLegendWindow();
        pump(200);
        const RUV_WIN legend = static_cast<RUV_WIN>(global_windata.legendWindow);
        ASSERT_NE(legend, NULL_WIN);
        const Shot key(Native(legend));
        EXPECT_TRUE(key.Save("map_legend.png"));
        for (const COLORREF colour : {RGB(0, 255, 255), RGB(0, 255, 0), RGB(0, 0, 255)})
            EXPECT_GT(key.count(colour, 0, 35, key.width(), key.height()), 10)
                << "the legend's symbol in colour " << std::hex << colour;
        // In the display's fonts: every label whole inside the window, and
        // a line without black between two labels.
        RECT keyClient{};
        GetClientRect(Native(legend), &keyClient);
        int rightmost = -1, runs = 0;
        bool before = false;
        for (int y = 28; y < keyClient.bottom; ++y) {
            bool inked = false;
            for (int x = 36; x < keyClient.right; ++x)
                if (key.at(x, y) == RGB(0, 0, 0)) {
                    rightmost = std::max(rightmost, x);
                    inked = true;
                }
            runs += inked && !before;
            before = inked;
        }
        EXPECT_LT(rightmost, keyClient.right - 4) << "the longest label ends inside the legend";
        EXPECT_EQ(runs, 3) << "three labels, each apart from the next";
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The owner's naming of every release added on the map.
int NameLongRelease(void *, int32_t, int32_t operation, int32_t index, void *, GE_PointObject *points,
                    GE_LineObject *, int32_t *, int32_t count)
{
    if (operation == GEmode_ADD && points && index >= 0 && index < count)
        std::snprintf(points[index].name, sizeof points[index].name, "%s", "a long release name");
    return 0;
}

// What must stay readable: the depth scale over the grid and an object
// under it, each label on white; a release added by the mouse in the last
// column, its name whole inside the map (ending at the frame); and after it
// was moved away, nothing of its name left beside the map.
TEST_F(MapWindowTest, DepthScaleAndNamesAtTheEdgeReadable)
{
    in_app([] {
        Recorder rec;
        World world;
        GE_EnableEditModes();
        for (const int32_t kind : { GEkind_INSTANT_RELEASE, GEkind_OBSERVATION })
            GE_EnableObjectKind(kind);
        for (const int32_t a : { GEdit_SHOW_INSTANT_RELEASES, GEdit_SHOW_OBSERVATIONS })
            GE_EnableViewAttribute(a);
        GE_InstallPointObjectKinds();
        GE_SetCallback(GEkind_INSTANT_RELEASE, NameLongRelease, nullptr);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const HWND hwnd = Native(w);
        const GE_WindowData *d = GE_MapWindowData(w);
        const uint32_t *colors = nullptr;
        const int n = GE_DepthColorTable(0, &colors);
        // Label k's strip: right of its box, up to its baseline.
        const int labelX = d->drawing.left + 10 + 20, firstBaseline = d->drawing.top + 40 + 30;
        // An observation point in the first column, under the scale.
        int32_t under = 0;
        for (int32_t cell = 2; cell <= NMAX && !under; ++cell) {
            const POINT c = PixelOf(w, 0.5f * STEP, (cell - 1.5f) * STEP);
            if (c.y > firstBaseline + 15 && c.y < firstBaseline + 15 * (n - 2))
                under = cell;
        }
        ASSERT_GT(under, 0);
        GE_PointObject observation{ 2, under, 0.5f * STEP, (under - 1.5f) * STEP, "under" };
        GE_SetObservations(&observation, 1);
        const Shot scale(hwnd);
        EXPECT_TRUE(scale.Save("map_depth_scale.png"));
        // Neither a band's colour nor the cross's shows among the letters.
        std::vector<COLORREF> covering(colors, colors + n);
        for (COLORREF &c : covering)
            c = Screen(c);
        covering.push_back(RGB(0, 255, 255));
        for (int k = 0; k < n; ++k) {
            const int baseline = firstBaseline + 15 * k;
            int covered = 0;
            for (const COLORREF c : covering)
                covered += scale.count(c, labelX + 2, baseline - 8, labelX + 30, baseline + 1);
            EXPECT_EQ(covered, 0) << "label " << k << " lies on white";
        }

        // Edit > Instantaneous releases, Add, in the last column's middle.
        Command(w, GEcmd_EDIT_FIRST + GEkind_INSTANT_RELEASE - GEkind_DRY_POINT);
        Command(w, GEcmd_MODE_ADD);
        const POINT edge = PixelOf(w, 9.5f * STEP, 4.5f * STEP);
        Mouse(w, WM_LBUTTONDOWN, edge.x, edge.y, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, edge.x, edge.y);
        ASSERT_EQ(global_windata.discharges[GEdit_INSTANT_RELEASE].count, 1);
        const RUV_RECT &r = d->drawing;
        const int insideRight = r.right - 5;
        RECT client{};
        GetClientRect(hwnd, &client);
        const Shot added(hwnd);
        EXPECT_TRUE(added.Save("map_name_at_edge.png"));
        // The selected release and its name in red: the name ends at the
        // frame, nothing of it on the frame or beside the map.
        const int width = ruv_dwin_get_text_width(w, "a long release name", -1);
        ASSERT_GT(width, 40);
        EXPECT_GT(added.count(PX_RED, insideRight - width, edge.y - 20, insideRight - width + 8, edge.y + 4), 3)
            << "the name's first letter";
        EXPECT_EQ(added.count(PX_RED, insideRight, 0, client.right, client.bottom), 0);

        // Modify: picked, then put down in the middle of the map.
        Command(w, GEcmd_MODE_ADD + 2);
        const POINT middle = PixelOf(w, 4.5f * STEP, 4.5f * STEP);
        for (const POINT p : { edge, middle }) {
            Mouse(w, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
            Mouse(w, WM_LBUTTONUP, p.x, p.y);
        }
        EXPECT_EQ(global_windata.discharges[GEdit_INSTANT_RELEASE].items[0].m, 6);
        const Shot moved(hwnd);
        EXPECT_TRUE(moved.Save("map_name_moved.png"));
        for (const COLORREF c : { PX_RED, RGB(0, 255, 0) })
            EXPECT_EQ(moved.count(c, insideRight, 0, client.right, client.bottom), 0) << "nothing left behind";
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The line objects and drogues as an owner hands them over: a dry-point
// run, a thin dam, a cross section with its name, the selected one red,
// an open boundary along the grid's left side and a drogue with its name.
TEST_F(MapWindowTest, LineObjectScreenshot)
{
    in_app([] {
        Recorder rec;
        World world;
        ASSERT_EQ(linetest::SetTestGridData(world, ""), 1);
        for (const int32_t kind : { GEkind_DRY_POINT, GEkind_THIN_DAM, GEkind_DROGUE, GEkind_CROSS_SECTION,
                                    GEkind_OPEN_BOUNDARY })
            GE_EnableObjectKind(kind);
        for (const int32_t a : { GEdit_SHOW_DRY_POINTS, GEdit_SHOW_THIN_DAMS, GEdit_SHOW_DROGUES,
                                 GEdit_SHOW_CROSS_SECTIONS, GEdit_SHOW_OPEN_BOUNDARIES })
            GE_EnableViewAttribute(a);
        GE_InstallLineObjectKinds();
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_LineObject dry{ 3, 3, 3, 5, "" };
        GE_SetDryPoints(&dry, 1);
        const GE_LineObject dam{ 6, 2, 6, 5, "" };
        const int32_t direction = GEdit_U_DAM;
        GE_SetThinDams(&dam, 1, &direction);
        const GE_LineObject sections[] = { { 8, 3, 8, 7, "gauge A" }, { 4, 7, 7, 7, "gauge B" } };
        GE_SetCrossSections(sections, 2);
        const GE_LineObject boundary{ 1, 3, 1, 7, "west" };
        int32_t *kinds = static_cast<int32_t *>(GE_Alloc(sizeof(int32_t)));
        *kinds = 1;
        GE_SetOpenBoundaries(&boundary, 1, kinds);
        GE_PointObject drogue{ 9, 3, 8.5f * STEP, 2.5f * STEP, "buoy" };
        GE_SetDrogues(&drogue, 1);
        GE_SelectObjectKind(GEkind_CROSS_SECTION);
        GE_SelectCrossSection(1);
        const Shot shot(Native(w));
        EXPECT_TRUE(shot.Save("map_lines.png"));
        const RUV_RECT &r = GE_MapWindowData(w)->drawing;
        auto count = [&](COLORREF c) { return shot.count(c, r.left, r.top, r.right, r.bottom); };
        // Dry cells mask the depth bands below them: no blue, red and green
        // from both, unlike the thin dam's equal red and green.
        int masked = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = shot.at(x, y);
                masked += GetBValue(c) == 0 && GetRValue(c) >= 0x40 && GetGValue(c) >= 0x40 &&
                          GetRValue(c) != GetGValue(c);
            }
        EXPECT_GT(masked, 50) << "the dry points";
        EXPECT_GT(count(RGB(0xD8, 0xD8, 0x00)), 10) << "the thin dam";
        EXPECT_GT(count(RGB(0x00, 0xFF, 0xFF)), 10) << "the cross section";
        EXPECT_GT(count(RGB(0xFF, 0x00, 0x00)), 10) << "the selected cross section";
        EXPECT_GT(count(RGB(0x00, 0x00, 0xFF)), 10) << "the open boundary";
        EXPECT_GT(count(RGB(0x99, 0x00, 0x99)), 10) << "the drogue";
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// Curvilinear wave grids over the model grid: two computational grids in
// green, the selected one red, a bottom grid in yellow, their names, and
// the wave-grid key at the lower right.
TEST_F(MapWindowTest, WaveGridScreenshot)
{
    in_app([] {
        Recorder rec;
        World world;
        GE_EnableViewAttribute(GEdit_SHOW_COMP_GRID);
        GE_EnableViewAttribute(GEdit_SHOW_BOTTOM_GRID);
        Curvi west(150, 150, "west"), east(550, 150, "east"), shoal(250, 450, "shoal");
        GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, -1, &west.input);
        GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, 0, &east.input);
        GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, -1, &shoal.input);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_SetWaveGridMode(GE_WAVE_CURVILINEAR);
        GE_ShowWaveGrids(GE_WAVE_COMPUTATIONAL);
        GE_ShowWaveGrids(GE_WAVE_BOTTOM);
        GE_SelectWaveGrid(GE_WAVE_COMPUTATIONAL, 1);
        const Shot shot(Native(w));
        EXPECT_TRUE(shot.Save("map_wave_grids.png"));
        auto at = [&](float x, float y) {
            const POINT p = PixelOf(w, x, y);
            return shot.at(p.x, p.y);
        };
        EXPECT_EQ(at(200, 150), RGB(0, 255, 0));
        EXPECT_EQ(at(600, 150), RGB(255, 0, 0));
        EXPECT_EQ(at(300, 450), RGB(255, 255, 0));
        const RUV_RECT &r = GE_MapWindowData(w)->drawing;
        EXPECT_GE(shot.count(RGB(0, 255, 0), r.right - 150, r.bottom - 30, r.right - 140, r.bottom - 28), 10)
            << "the key's green stroke";
        EXPECT_GE(shot.count(RGB(255, 255, 0), r.right - 150, r.bottom - 15, r.right - 140, r.bottom - 13), 10)
            << "the key's yellow stroke";
        GE_FreeWaveGrids();
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

}  // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1)
        g_directory = argv[1];
    return RUN_ALL_TESTS();
}
