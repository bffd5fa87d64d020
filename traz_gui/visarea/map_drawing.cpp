// The background layer of a map window, drawn into its off-screen pixmap
// through the window's transform: the bathymetry as colour bands, the grid
// lines, the land boundary, the curvilinear wave grids and the map texts
// gathered on the way; the depth scale drawn over the map, readable on
// whatever lies under it; and the white frame round the map.
#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <initializer_list>
#include <utility>
#include <vector>

#include "dialog_controls.h"
#include "ge_list.h"
#include "map_printing.h"
#include "map_window.h"
#include "map_window_state.h"
#include "visarea_internal.h"
#include "wave_grid_drawing.h"
#include "wave_grids.h"

namespace {

constexpr int32_t SOLID = 2;
// The white frame round the map: its band at the top and at the sides.
constexpr int32_t FRAME_TOP = 22;
constexpr int32_t FRAME_SIDE = 5;

void ApplyFont(RUV_WIN target, const GE_WindowData &d)
{
    ruv_dwin_set_font_family(target, d.fontFamily);
    ruv_dwin_set_font_size(target, d.fontSize);
    ruv_dwin_set_font_style(target, static_cast<uint32_t>(d.fontStyle));
}

RUV_POINT ToPoint(int32_t x, int32_t y)
{
    return RUV_POINT{ static_cast<int16_t>(y), static_cast<int16_t>(x) };
}

// A world point as a pixel of the target.
void TargetPixel(const GE_DrawTarget &t, float x, float y, int32_t *px, int32_t *py)
{
    int16_t wx = 0, wy = 0;
    GE_DataWorldToPixel(t.data, x, y, &wx, &wy);
    *px = wx - t.originX;
    *py = wy - t.originY;
}

// The target pixels of count world points (each node once, however many
// cells and segments share it).  out is one of the buffers below, kept
// between redraws: a large grid's is megabytes, and fresh memory for it on
// every redraw costs more than the transform that fills it.
void TargetPixels(const GE_DrawTarget &t, const float *x, const float *y, size_t count, std::vector<RUV_POINT> &out)
{
    if (out.capacity() > 2 * count + 65536)
        std::vector<RUV_POINT>().swap(out);  // a much smaller grid than the last: the memory goes back
    out.resize(count);
    for (size_t k = 0; k < count; ++k) {
        int32_t px = 0, py = 0;
        TargetPixel(t, x[k], y[k], &px, &py);
        out[k] = ToPoint(px, py);
    }
}

// The node pixels of the depth bands and of the grid lines (one drawing
// pass at a time uses each).
std::vector<RUV_POINT> g_depthPixels;
std::vector<RUV_POINT> g_linePixels;

struct BandContext {
    RUV_WIN target;
    const uint32_t *colors;
    int current;
    std::vector<RUV_POINT> points;
};

void FillBand(void *context, int colour, const int32_t *x, const int32_t *y, int count)
{
    BandContext &c = *static_cast<BandContext *>(context);
    if (colour != c.current) {
        const RUV_CBRUSH brush{ SOLID, c.colors[colour] };
        ruv_dwin_set_cbrush(c.target, &brush);
        c.current = colour;
    }
    c.points.resize(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        c.points[static_cast<size_t>(k)] = ToPoint(x[k], y[k]);
    ruv_dwin_draw_polygon(c.target, c.points.data(), count);
}

}  // namespace

void GE_DrawDepth(const GE_DrawTarget &t)
{
    GE_GlobalData &g = global_windata;
    const GE_DepthState &d = g.depth;
    if (!d.depth || !d.valid_point || !d.xcoord || !d.ycoord || d.mmax < 2 || d.nmax < 2)
        return;
    const uint32_t *colors = nullptr;
    const int n = GE_DepthColorTable(g.bathymetryColorScheme, &colors);
    if (n < 1)
        return;
    std::vector<float> bounds(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        bounds[static_cast<size_t>(k)] = GE_DepthClassBound(g.zmin, g.zmax, k, n);
    ruv_dwin_set_std_cpen(t.target, 2);
    BandContext context{ t.target, colors, -1, {} };

    // The world rectangle the target shows.
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    GE_DataPixelToWorld(t.data, t.originX, t.originY, &x0, &y0);
    GE_DataPixelToWorld(t.data, t.originX + t.width, t.originY + t.height, &x1, &y1);
    const float vxMin = std::min(x0, x1), vxMax = std::max(x0, x1);
    const float vyMin = std::min(y0, y1), vyMax = std::max(y0, y1);

    const int32_t mmax = d.mmax;
    std::vector<RUV_POINT> &pixels = g_depthPixels;
    TargetPixels(t, d.xcoord, d.ycoord, static_cast<size_t>(mmax) * d.nmax, pixels);
    for (int32_t i = 0; i + 1 < d.nmax; ++i) {
        for (int32_t j = 0; j + 1 < mmax; ++j) {
            const size_t node[4] = {
                static_cast<size_t>(i) * mmax + j, static_cast<size_t>(i) * mmax + j + 1,
                static_cast<size_t>(i + 1) * mmax + j + 1, static_cast<size_t>(i + 1) * mmax + j };
            float depth[4];
            bool valid = true;
            for (int k = 0; k < 4 && valid; ++k) {
                valid = d.valid_point[node[k]] && d.depth[node[k]] > -999.0f;
                depth[k] = d.depth[node[k]];
            }
            if (!valid)
                continue;
            float bxMin = FLT_MAX, bxMax = -FLT_MAX, byMin = FLT_MAX, byMax = -FLT_MAX;
            for (const size_t k : node) {
                bxMin = std::min(bxMin, d.xcoord[k]);
                bxMax = std::max(bxMax, d.xcoord[k]);
                byMin = std::min(byMin, d.ycoord[k]);
                byMax = std::max(byMax, d.ycoord[k]);
            }
            // Every cell that overlaps the view, also one larger than it.
            if (bxMax < vxMin || bxMin > vxMax || byMax < vyMin || byMin > vyMax)
                continue;
            int32_t px[4], py[4];
            for (int k = 0; k < 4; ++k) {
                px[k] = pixels[node[k]].h;
                py[k] = pixels[node[k]].v;
            }
            GE_DepthBands(px, py, depth, bounds.data(), n, FillBand, &context);
        }
    }
    g.depth.colorClasses = n;
}

int GE_DrawGridPasses(const GE_DrawTarget &t, const GE_GridLines &grid, RUV_POINT *firstDrawn)
{
    if (!grid.valid || !grid.x || !grid.y || GE_NodeCount(grid.mmax, grid.nmax) == 0)
        return 0;
    std::vector<RUV_POINT> &pixels = g_linePixels;
    TargetPixels(t, grid.x, grid.y, GE_NodeCount(grid.mmax, grid.nmax), pixels);
    auto node = [&](int32_t m, int32_t n) { return pixels[static_cast<size_t>(n) * grid.mmax + m]; };
    auto valid = [&](int32_t m, int32_t n) { return grid.valid[static_cast<size_t>(n) * grid.mmax + m] != 0; };
    // One grid line: runs of shown segments, each drawn as one polyline; a
    // run starts at a valid node after a gap.
    std::vector<RUV_POINT> run;
    int drawn = 0;
    auto flush = [&]() {
        if (run.size() >= 2) {
            if (!drawn && firstDrawn)
                *firstDrawn = run[1];
            drawn = 1;
            ruv_dwin_draw_polyline(t.target, run.data(), static_cast<int32_t>(run.size()));
        }
        run.clear();
    };
    auto line = [&](int32_t count, auto nodeAt, int32_t dm, int32_t dn) {
        for (int32_t k = 0; k < count; ++k) {
            const int32_t m = nodeAt(k).first, n = nodeAt(k).second;
            if (!run.empty() && grid.edgeVisible(grid.context, m, n, m + dm, n + dn)) {
                run.push_back(node(m, n));
            } else {
                flush();
                if (valid(m, n))
                    run.push_back(node(m, n));
            }
        }
        flush();
    };
    // Along m, row by row (the cells beside a segment: (m, n) and (m, n+1));
    // then along n, column by column ((m, n) and (m+1, n)).
    for (int32_t i = 0; i < grid.nmax; ++i)
        line(grid.mmax, [i](int32_t j) { return std::make_pair(j, i); }, 0, 1);
    for (int32_t j = 0; j < grid.mmax; ++j)
        line(grid.nmax, [j](int32_t i) { return std::make_pair(j, i); }, 1, 0);
    return drawn;
}

void GE_DrawGrid(const GE_DrawTarget &t)
{
    const GE_GridState &grid = global_windata.grid;
    const RUV_CPEN pen{ 1, SOLID, 0, GE_COLOR_BLACK };
    ruv_dwin_set_cpen(t.target, &pen);
    const GE_GridLines lines{ grid.mmax, grid.nmax, grid.xcoord, grid.ycoord, grid.valid_point,
                              [](const void *, int32_t m0, int32_t n0, int32_t m1, int32_t n1) {
                                  return GE_GridEdgeVisible(m0, n0, m1, n1);
                              },
                              nullptr };
    GE_DrawGridPasses(t, lines, nullptr);
}

void GE_DrawGridLines(const GE_DrawTarget &t)
{
    const GE_GridState &grid = global_windata.grid;
    ruv_dwin_set_std_cpen(t.target, 1);
    const GE_GridLines lines{ grid.mmax, grid.nmax, grid.xcoord, grid.ycoord, grid.valid_point,
                              [](const void *, int32_t m0, int32_t n0, int32_t, int32_t) {
                                  return GE_GridPointValid(m0 + 1, n0 + 1);
                              },
                              nullptr };
    GE_DrawGridPasses(t, lines, nullptr);
}

void GE_DrawLandBoundary(const GE_DrawTarget &t)
{
    const GE_LandState &land = global_windata.land;
    if (land.count < 2 || !land.xcoord || !land.ycoord || !land.polylineEnds || land.polylineEnds[0] > land.count)
        return;
    const RUV_CPEN pen{ 2, SOLID, 0, GE_COLOR_LAND };
    ruv_dwin_set_cpen(t.target, &pen);
    int32_t start = 0;
    for (int32_t line = 0;; ++line) {
        const int32_t end = std::min(land.polylineEnds[line], land.count);
        for (int32_t k = start; k < end; ++k) {
            int32_t px = 0, py = 0;
            TargetPixel(t, land.xcoord[k], land.ycoord[k], &px, &py);
            if (k == start)
                ruv_dwin_draw_set_pos(t.target, ToPoint(px, py));
            else
                ruv_dwin_draw_line(t.target, ToPoint(px, py));
        }
        if (end >= land.count || end <= start)
            break;
        start = end;
    }
}

namespace {

// A white patch under a text whose baseline starts at (x, y), so that it
// reads whatever lies under it.
void ClearUnderText(RUV_WIN target, int32_t x, int32_t y, const char *text)
{
    int32_t leading = 0, ascent = 0, descent = 0;
    ruv_dwin_get_font_metrics(target, &leading, &ascent, &descent);
    const int32_t width = ruv_dwin_get_text_width(target, text, -1);
    const RUV_RECT patch{ static_cast<int16_t>(y - ascent), static_cast<int16_t>(x - 1),
                          static_cast<int16_t>(y + descent), static_cast<int16_t>(x + width + 1) };
    ruv_dwin_set_std_cpen(target, 2);
    const RUV_CBRUSH white{ SOLID, GE_COLOR_WHITE };
    ruv_dwin_set_cbrush(target, &white);
    ruv_dwin_draw_rect(target, &patch);
}

}  // namespace

void GE_DrawDepthLegend(RUV_WIN target, int32_t left, int32_t top, int printing)
{
    const GE_GlobalData &g = global_windata;
    const uint32_t *colors = nullptr;
    const int n = GE_DepthColorTable(g.bathymetryColorScheme, &colors);
    SetForeColor(target, GE_COLOR_BLACK);
    for (int k = n - 1; k >= 0; --k) {
        const RUV_CPEN pen{ 1, SOLID, 0, colors[k] };
        const RUV_CBRUSH brush{ SOLID, colors[k] };
        ruv_dwin_set_cpen(target, &pen);
        ruv_dwin_set_cbrush(target, &brush);
        RUV_RECT box{};
        if (printing) {
            // In millimetres of the page: a box 2 wide and high every 6.
            const float sx = GE_PrinterFactorX(), sy = GE_PrinterFactorY();
            const float y0 = top + (14.0f + 6.0f * k) * sy;
            box = RUV_RECT{ static_cast<int16_t>(y0), static_cast<int16_t>(left + 10.0f * sx),
                            static_cast<int16_t>(y0 + 2.0f * sy), static_cast<int16_t>(left + 12.0f * sx) };
        } else {
            box = RUV_RECT{ static_cast<int16_t>(top + 20 + 15 * k), static_cast<int16_t>(left + 10),
                            static_cast<int16_t>(top + 30 + 15 * k), static_cast<int16_t>(left + 20) };
        }
        ruv_dwin_draw_rect(target, &box);
        char label[48];
        std::snprintf(label, sizeof label, " < %.1f", g.zmax - (n - k) * (g.zmax - g.zmin) / n);
        if (!printing)
            ClearUnderText(target, box.right, box.bottom, label);
        ruv_dwin_draw_text(target, box.right, box.bottom, label, -1);
    }
}

void GE_DrawDepthLegendTitle(RUV_WIN target, int32_t x, int32_t y, int printing)
{
    SetForeColor(target, GE_COLOR_BLACK);
    if (printing) {
        ruv_dwin_draw_text(target, static_cast<int32_t>(x + 10.0f * GE_PrinterFactorX()),
                           static_cast<int32_t>(y + 10.0f * GE_PrinterFactorY()), "Bathymetry [m]", -1);
    } else {
        ClearUnderText(target, x + 10, y, "Bathymetry [m]");
        ruv_dwin_draw_text(target, x + 10, y, "Bathymetry [m]", -1);
    }
    GE_DrawDepthLegend(target, x, y, printing);
}

void GE_DrawDepthScaleOver(RUV_WIN window)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    const GE_GlobalData &g = global_windata;
    if (!d || !d->shown[GEdit_SHOW_BATHYMETRY] || !(g.zmin > -FLT_MAX && g.zmin < FLT_MAX))
        return;
    // On paper the scale is placed in millimetres from the page's corner,
    // on screen 10 and 40 pixels into the map.
    if (d->printing)
        GE_DrawDepthLegendTitle(window, 0, 0, 1);
    else
        GE_DrawDepthLegendTitle(window, d->drawing.left + 10, d->drawing.top + 40, 0);
}

void GE_DrawBackground(RUV_WIN window)
{
    GE_WindowData *d = GE_MapWindowData(window);
    if (!d)
        return;
    const RUV_WIN target = d->printing ? window : d->pixmap;
    if (!target)
        return;
    const int32_t width = d->drawing.right - d->drawing.left, height = d->drawing.bottom - d->drawing.top;
    ApplyFont(target, *d);
    d->fitScale = GE_FitScale(width, height);
    GE_UpdateTransform(d);
    GE_FreeMapTexts();
    ruv_dwin_clear(target, GE_COLOR_WHITE);
    ruv_scr_set_busy_cursor();
    const GE_DrawTarget t{ target, d, d->printing ? 0 : d->drawing.left, d->printing ? 0 : d->drawing.top, width,
                           height };
    const GE_GlobalData &g = global_windata;
    // The depth scale is drawn over everything by the object layer.
    if (d->shown[GEdit_SHOW_BATHYMETRY])
        GE_DrawDepth(t);
    if (d->shown[GEdit_SHOW_GRID])
        GE_DrawGrid(t);
    if (d->shown[GEdit_SHOW_LANDBOUNDARY])
        GE_DrawLandBoundary(t);
    // The curvilinear wave grids, the selected type's set on top.
    const int32_t top = g.wave.kind == GE_WAVE_BOTTOM ? GE_WAVE_BOTTOM : GE_WAVE_COMPUTATIONAL;
    for (const int32_t type : { 1 - top, top })
        if (d->shown[GE_WaveGridAttribute(type)])
            GE_DrawCurviWaveGrids(t, type);
    GE_DrawMapTexts(window, target);
    if (!d->printing)
        GE_ShowEditStatus(window);
}

void GE_AddMapText(RUV_WIN, const char *text, int32_t packedPoint, RUV_COLOR colour)
{
    GE_GlobalData &g = global_windata;
    if (!text)
        return;
    if (!g.mapTexts && !(g.mapTexts = GE_ListCreate(sizeof(GE_MapText *))))
        return;
    GE_MapText *item = static_cast<GE_MapText *>(GE_Alloc(sizeof(GE_MapText)));
    if (!item)
        return;
    std::snprintf(item->text, sizeof item->text, "%s", text);
    item->position = packedPoint;
    item->colour = colour;
    if (!GE_ListInsert(g.mapTexts, GE_ListCount(g.mapTexts), &item))
        GE_Free(item);
}

void GE_DrawMapTexts(RUV_WIN window, RUV_WIN target)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    GE_List *list = global_windata.mapTexts;
    for (int k = 0; d && k < GE_ListCount(list); ++k) {
        GE_MapText *item = nullptr;
        if (!GE_ListGet(list, k, &item) || !item)
            continue;
        char text[sizeof item->text];
        std::snprintf(text, sizeof text, "%s", item->text);
        GE_ApplyCase(text, d->textCase);
        SetForeColor(target, item->colour == GE_COLOR_RED ? GE_COLOR_RED : GE_COLOR_BLACK);
        const int32_t x = static_cast<int16_t>(static_cast<uint32_t>(item->position) >> 16);
        const int32_t y = static_cast<int16_t>(item->position & 0xFFFF);
        ruv_dwin_draw_text(target, x, y, text, -1);
    }
}

RUV_RECT GE_MapInside(const GE_WindowData *d)
{
    const RUV_RECT &r = d->drawing;
    return RUV_RECT{ static_cast<int16_t>(r.top + FRAME_TOP), static_cast<int16_t>(r.left + FRAME_SIDE),
                     static_cast<int16_t>(r.bottom - FRAME_SIDE), static_cast<int16_t>(r.right - FRAME_SIDE) };
}

void GE_DrawFrame(RUV_WIN window)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d)
        return;
    const RUV_RECT &r = d->drawing;
    const RUV_RECT in = GE_MapInside(d);
    ruv_dwin_set_std_cpen(window, 2);
    const RUV_CBRUSH white{ SOLID, GE_COLOR_WHITE };
    ruv_dwin_set_cbrush(window, &white);
    const RUV_RECT bands[4] = {
        { r.top, r.left, in.top, r.right },
        { r.top, r.left, r.bottom, in.left },
        { r.top, in.right, r.bottom, r.right },
        { in.bottom, r.left, r.bottom, r.right },
    };
    for (const RUV_RECT &band : bands)
        ruv_dwin_draw_rect(window, &band);
    ruv_dwin_set_std_cpen(window, 1);
}
