// Redraw of a map window's background on a curvilinear grid of 1000 x 1000
// nodes with depths, the drawing rectangle about 800 x 600: GE_DrawBackground
// against a bare GDI loop that fills the same cells in their class colours
// (brushes made once) and draws the same grid segments into a memory DC of
// the same size.  Both run in the same process; the ratio of their mean
// times is printed.  Run by hand under Wine, never by ctest:
//   wine visarea_redraw_benchmark.exe [--benchmark_min_time=2]
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "front_fixture.h"
#include "map_window.h"
#include "ruvv_attr.h"

void HelpRemoveWindow(RUV_WIN) {}

namespace {

constexpr int32_t MMAX = 1000, NMAX = 1000;

struct World {
    std::vector<float> x, y, depth;
    std::vector<int32_t> status;
    World()
    {
        GE_Init(1);
        GE_EnableViewAttribute(GEdit_SHOW_BATHYMETRY);
        GE_EnableViewAttribute(GEdit_SHOW_GRID);
        for (int32_t j = 0; j < NMAX; ++j)
            for (int32_t i = 0; i < MMAX; ++i) {
                const double r = 1000.0 + j * 1000.0 / NMAX, a = i * 1.5 / MMAX;
                x.push_back(static_cast<float>(r * std::cos(a)));
                y.push_back(static_cast<float>(r * std::sin(a)));
                depth.push_back(static_cast<float>(2.0 + 18.0 * j / NMAX + 3.0 * std::sin(i * 0.02)));
            }
        status.assign(static_cast<size_t>(MMAX + 1) * (NMAX + 1), 0);
        for (int32_t j = 1; j < NMAX; ++j)
            for (int32_t i = 1; i < MMAX; ++i)
                status[static_cast<size_t>(j) * (MMAX + 1) + i] = GE_CELL_ACTIVE;
        GE_GridInput in{};
        in.mmax = MMAX;
        in.nmax = NMAX;
        in.x = x.data();
        in.y = y.data();
        in.cellStatus = status.data();
        in.coordinateSystem = 1;
        in.missingValue = -99999.0f;
        GE_SetGrid(&in, "");
        GE_SetDepth(depth.data());
    }
};

RUV_WIN g_window = NULL_WIN;

void BM_DrawBackground(benchmark::State &state)
{
    for (auto _ : state)
        GE_DrawBackground(g_window);
}

// The bare loop: node pixels through the window's transform, one polygon a
// cell in its class colour, then every grid segment, into a memory DC.
void BM_BareGdi(benchmark::State &state)
{
    const GE_WindowData *d = GE_MapWindowData(g_window);
    const int width = d->drawing.right - d->drawing.left, height = d->drawing.bottom - d->drawing.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const GE_GlobalData &g = global_windata;
    const uint32_t *colors = nullptr;
    const int n = GE_DepthColorTable(g.bathymetryColorScheme, &colors);
    std::vector<HBRUSH> brushes;
    for (int k = 0; k < n; ++k)
        brushes.push_back(CreateSolidBrush(RGB((colors[k] >> 16) & 0xFF, (colors[k] >> 8) & 0xFF, colors[k] & 0xFF)));
    HPEN black = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    std::vector<POINT> node(static_cast<size_t>(MMAX) * NMAX);
    const GE_GridState &grid = g.grid;

    for (auto _ : state) {
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        for (size_t k = 0; k < node.size(); ++k) {
            int16_t px = 0, py = 0;
            GE_DataWorldToPixel(d, grid.xcoord[k], grid.ycoord[k], &px, &py);
            node[k] = POINT{ px - d->drawing.left, py - d->drawing.top };
        }
        SelectObject(dc, GetStockObject(NULL_PEN));
        for (int32_t j = 0; j + 1 < NMAX; ++j)
            for (int32_t i = 0; i + 1 < MMAX; ++i) {
                const size_t c[4] = { static_cast<size_t>(j) * MMAX + i, static_cast<size_t>(j) * MMAX + i + 1,
                                      static_cast<size_t>(j + 1) * MMAX + i + 1,
                                      static_cast<size_t>(j + 1) * MMAX + i };
                const float mean = (g.depth.depth[c[0]] + g.depth.depth[c[1]] + g.depth.depth[c[2]] +
                                    g.depth.depth[c[3]]) / 4;
                int k = static_cast<int>((mean - g.zmin) * n / (g.zmax - g.zmin)) + 1;
                k = k < 0 ? 0 : (k >= n ? n - 1 : k);
                SelectObject(dc, brushes[static_cast<size_t>(k)]);
                const POINT quad[4] = { node[c[0]], node[c[1]], node[c[2]], node[c[3]] };
                Polygon(dc, quad, 4);
            }
        SelectObject(dc, black);
        for (int32_t j = 0; j < NMAX; ++j) {
            MoveToEx(dc, node[static_cast<size_t>(j) * MMAX].x, node[static_cast<size_t>(j) * MMAX].y, nullptr);
            for (int32_t i = 1; i < MMAX; ++i)
                LineTo(dc, node[static_cast<size_t>(j) * MMAX + i].x, node[static_cast<size_t>(j) * MMAX + i].y);
        }
        for (int32_t i = 0; i < MMAX; ++i) {
            MoveToEx(dc, node[static_cast<size_t>(i)].x, node[static_cast<size_t>(i)].y, nullptr);
            for (int32_t j = 1; j < NMAX; ++j)
                LineTo(dc, node[static_cast<size_t>(j) * MMAX + i].x, node[static_cast<size_t>(j) * MMAX + i].y);
        }
        GdiFlush();
    }
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteObject(black);
    for (HBRUSH b : brushes)
        DeleteObject(b);
}

}  // namespace

BENCHMARK(BM_DrawBackground)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareGdi)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    int result = 0;
    ruvf_test::in_app([&] {
        ruvf_test::Recorder rec;
        World world;
        g_window = GE_OpenWindow();
        ruvf_test::pump(300);
        if (!g_window) {
            std::fprintf(stderr, "no map window\n");
            result = 1;
            return;
        }
        // A client area that gives a drawing rectangle of about 800 x 600.
        RUV_RECT r{ 10, 10, 10 + 640, 10 + 810 };
        ruv_vobj_move(g_window, &r);
        ruvf_test::pump(300);
        const GE_WindowData *d = GE_MapWindowData(g_window);
        std::printf("grid %d x %d, drawing rectangle %d x %d\n", MMAX, NMAX, d->drawing.right - d->drawing.left,
                    d->drawing.bottom - d->drawing.top);
        bench_ratio::Keeper keeper;
        benchmark::RunSpecifiedBenchmarks(&keeper);
        if (!keeper.PrintRatio("GE_DrawBackground against a bare GDI loop", "BM_DrawBackground", "BM_BareGdi"))
            result = 1;
        ruv_vobj_destroy(g_window);
        GE_FreeAll();
    });
    benchmark::Shutdown();
    return result;
}
