// Wave grids in the map windows: the curvilinear grids drawn into the
// background as the model grid is, the rectangular grids (each a closed
// rectangle in its type's colour, the selected one again in red) and the
// key over the objects, the selection and mode shown in every window, and
// the three clicks (origin, axis, corner) that define a rectangular grid.
#include "wave_grid_drawing.h"

#include <cstdio>
#include <initializer_list>

#include "map_window_state.h"
#include "wave_grids.h"

namespace {

constexpr int32_t SOLID = 2;
constexpr RUV_COLOR GREEN = 0x0200FF00u, YELLOW = 0x06FFFF00u, MAGENTA = 0x05FF00FFu;

RUV_COLOR TypeColour(int32_t type) { return type == GE_WAVE_COMPUTATIONAL ? GREEN : YELLOW; }

// The selected type: the one drawn last.
int32_t TopType() { return global_windata.wave.kind == GE_WAVE_BOTTOM ? GE_WAVE_BOTTOM : GE_WAVE_COMPUTATIONAL; }

// Pen and text in one colour.
void Pen(RUV_WIN target, int16_t width, RUV_COLOR colour)
{
    const RUV_CPEN pen{ width, SOLID, 0, colour };
    ruv_dwin_set_cpen(target, &pen);
    ruv_dwin_set_fore_color(target, colour);
}

void WhitePen(RUV_WIN target)
{
    const RUV_CPEN white{ 1, SOLID, 0, GE_COLOR_WHITE };
    ruv_dwin_set_cpen(target, &white);
}

// A segment of a curvilinear grid ends at valid node (m0, n0) and one of
// the 0-based cells (m0, n0), (m1, n1) beside it is active.
int32_t CurviEdgeVisible(const void *context, int32_t m0, int32_t n0, int32_t m1, int32_t n1)
{
    const GE_GridInput &g = *static_cast<const GE_GridInput *>(context);
    auto cell = [&g](int32_t m, int32_t n) -> int32_t {
        if (m < 0 || n < 0 || m > g.mmax || n > g.nmax)
            return 0;
        return g.cellStatus[static_cast<size_t>(n) * (g.mmax + 1) + m];
    };
    return g.validNodes[static_cast<size_t>(n0) * g.mmax + m0] != 0 &&
           (cell(m0, n0) == GE_CELL_ACTIVE || cell(m1, n1) == GE_CELL_ACTIVE);
}

void DrawCurviGrid(const GE_DrawTarget &t, const GE_GridInput &grid, RUV_COLOR colour, bool names)
{
    if (!grid.cellStatus || !grid.validNodes)
        return;
    Pen(t.target, 1, colour);
    const GE_GridLines lines{ grid.mmax, grid.nmax, grid.x, grid.y, grid.validNodes, CurviEdgeVisible, &grid };
    RUV_POINT first{};
    if (GE_DrawGridPasses(t, lines, &first) && names) {
        const int32_t packed = static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(first.h)) << 16) |
                                                    static_cast<uint16_t>(first.v));
        GE_AddMapText(nullptr, GE_CurviWaveGridName(grid), packed, colour);
    }
}

void DrawRectSet(RUV_WIN window, const GE_WindowData *d, int32_t type)
{
    int32_t count = 0;
    const GE_RectWaveGrid *grids = GE_RectWaveGrids(type, &count);
    const GE_WaveGridState &w = global_windata.wave;
    for (int32_t i = 0; i <= count; ++i) {
        // The selected grid of the selected type again in red, on top,
        // whatever colour its code gives it (a grid defined by clicks as a
        // bottom grid has code 2).
        const bool again = i == count;
        const int32_t at = again ? w.selected : i;
        if (again && (w.kind != type || at < 0 || at >= count))
            break;
        const GE_RectWaveGrid &g = grids[at];
        if (g.display <= 0)
            continue;
        const RUV_COLOR colour = again ? GE_COLOR_RED : g.display == 1 ? TypeColour(type) : MAGENTA;
        float x[4], y[4];
        GE_RectWaveGridCorners(g, x, y);
        RUV_POINT p[5];
        for (int k = 0; k < 5; ++k)
            GE_DataWorldToPixel(d, x[k % 4], y[k % 4], &p[k].h, &p[k].v);
        Pen(window, 2, colour);
        ruv_dwin_draw_polyline(window, p, 5);
        if (type == GE_WAVE_COMPUTATIONAL) {
            Pen(window, 5, colour);
            ruv_dwin_draw_set_pos(window, p[0]);
            ruv_dwin_draw_line(window, p[3]);
        }
        char label[16];
        std::snprintf(label, sizeof label, "%2d", at + 1);
        ruv_dwin_draw_text(window, p[0].h, p[0].v, label, -1);
    }
    WhitePen(window);
}

RUV_POINT Point(int32_t x, int32_t y) { return RUV_POINT{ static_cast<int16_t>(y), static_cast<int16_t>(x) }; }

}  // namespace

void GE_DrawCurviWaveGrids(const GE_DrawTarget &t, int32_t type)
{
    int32_t count = 0;
    const GE_GridInput *grids = GE_CurviWaveGrids(type, &count);
    const GE_WaveGridState &w = global_windata.wave;
    const int32_t selected = w.kind == type && w.selected >= 0 && w.selected < count ? w.selected : -1;
    const bool names = t.data->namesShown[GE_WaveGridAttribute(type)] != 0;
    for (int32_t k = 0; k < count; ++k)
        if (k != selected)
            DrawCurviGrid(t, grids[k], TypeColour(type), names);
    if (selected >= 0)
        DrawCurviGrid(t, grids[selected], GE_COLOR_RED, names);
    WhitePen(t.target);
}

void GE_DrawRectWaveGrids(RUV_WIN window)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d)
        return;
    const int32_t top = TopType();
    for (const int32_t type : { 1 - top, top })
        if (d->shown[GE_WaveGridAttribute(type)])
            DrawRectSet(window, d, type);
}

void GE_DrawWaveGridKey(RUV_WIN window, const RUV_RECT &drawing)
{
    const int32_t x = drawing.right, y = drawing.bottom;
    const RUV_CPEN border{ 2, SOLID, 0, GE_COLOR_WHITE };
    const RUV_CBRUSH fill{ SOLID, GE_COLOR_WHITE };
    ruv_dwin_set_cpen(window, &border);
    ruv_dwin_set_cbrush(window, &fill);
    const RUV_POINT box[4] = { Point(x - 145, y - 10), Point(x, y - 10), Point(x, y - 35), Point(x - 145, y - 35) };
    ruv_dwin_draw_polygon(window, box, 4);
    ruv_dwin_set_font_size(window, 10);
    const struct {
        RUV_COLOR colour;
        int32_t stroke, text;
        const char *label;
    } rows[] = { { GREEN, 29, 25, "Computational Grid" }, { YELLOW, 14, 10, "Bottom Grid" } };
    for (const auto &row : rows) {
        Pen(window, 2, row.colour);
        ruv_dwin_draw_set_pos(window, Point(x - 150, y - row.stroke));
        ruv_dwin_draw_line(window, Point(x - 140, y - row.stroke));
        ruv_dwin_set_fore_color(window, GE_COLOR_BLACK);
        ruv_dwin_draw_text(window, x - 130, y - row.text, row.label, -1);
    }
    WhitePen(window);
}

void GE_DrawWaveGridLayer(RUV_WIN window)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d || (!d->shown[GEdit_SHOW_COMP_GRID] && !d->shown[GEdit_SHOW_BOTTOM_GRID]))
        return;
    ruv_dwin_set_font_family(window, "helvetica");
    ruv_dwin_set_font_style(window, 1);
    ruv_dwin_set_font_size(window, d->fontSize);
    if (GE_WaveGridMode() == GE_WAVE_RECTANGULAR)
        GE_DrawRectWaveGrids(window);
    GE_DrawWaveGridKey(window, d->drawing);
    ruv_dwin_set_font_size(window, d->fontSize);
}

void GE_ShowWaveGrids(int32_t type)
{
    const int32_t attribute = GE_WaveGridAttribute(type);
    if (attribute < 0)
        return;
    GE_ShowLoadedAttribute(attribute, GEcmd_SHOW_COMP_GRID + type, GEcmd_NAMES_FIRST + type);
    // Curvilinear grids are part of the background.
    int32_t count = 0;
    GE_CurviWaveGrids(type, &count);
    if (count > 0 && global_windata.available[attribute])
        GE_EachMapWindow([](RUV_WIN w) {
            GE_DrawBackground(w);
            GE_DrawObjects(w, 1);
        });
}

void GE_SelectWaveGrid(int32_t type, int32_t gridNr)
{
    const bool curvilinear = GE_WaveGridMode() == GE_WAVE_CURVILINEAR;
    if (!(curvilinear ? GE_SelectCurviWaveGrid : GE_SelectRectWaveGrid)(type, gridNr))
        return;
    GE_ComputeBounds();
    GE_RedrawWaveGrids();
}

void GE_RedrawWaveGrids(void)
{
    const bool curvilinear = GE_WaveGridMode() == GE_WAVE_CURVILINEAR;
    GE_EachMapWindow([curvilinear](RUV_WIN w) {
        GE_WindowData *d = GE_MapWindowData(w);
        if (curvilinear) {
            d->zoom = 1.0f;
            d->xOffset = d->yOffset = 0.0f;
            GE_DrawBackground(w);
            GE_CancelClicks(w);
        } else {
            // The background stays under the rectangular grids.
            GE_DrawBackground(w);
            GE_DrawObjects(w, 1);
        }
    });
}

void GE_WaveGridClick(RUV_WIN window, RUV_EVENT *event)
{
    GE_MapWindowState *mw = GE_WindowState(window);
    if (!mw)
        return;
    GE_WindowData &d = mw->data;
    GE_EraseRubberBand(window);
    const int32_t px = event->v.mouse.h, py = event->v.mouse.v;
    if (d.clickCounter == 0) {
        d.clickX[0] = px;
        d.clickY[0] = py;
        d.clickCounter = 1;
    } else if (d.clickCounter == 1) {
        d.clickX[1] = px;
        d.clickY[1] = py;
        d.clickCounter = 2;
        GE_DrawGridRubberBand(window);
    } else {
        // The corner as the pointer left it, held ahead of the origin and
        // left of the axis.
        int32_t cx = px, cy = py;
        GE_HoldThirdClick(d.clickX[0], d.clickY[0], d.clickX[1], d.clickY[1], &cx, &cy);
        float x[3], y[3];
        const int32_t xs[3] = { d.clickX[0], d.clickX[1], cx }, ys[3] = { d.clickY[0], d.clickY[1], cy };
        for (int k = 0; k < 3; ++k)
            GE_DataPixelToWorld(&d, xs[k], ys[k], &x[k], &y[k]);
        GE_DefineRectWaveGrid(global_windata.currentKind, x[0], y[0], x[1], y[1], x[2], y[2]);
        GE_ForgetClicks(&d);
        d.clickCounter = 0;
    }
    GE_ShowEditStatus(window);
    // A definition is no zoom box: the mouse keeps going to the grid.
    d.zoomBoxMode = 0;
}

void GE_InstallWaveGridKinds(void)
{
    static const GE_KindOperations wave{ nullptr, nullptr, GE_WaveGridClick, nullptr };
    for (int32_t kind = GEkind_WAVE_GRID_1; kind <= GEkind_WAVE_GRID_3; ++kind)
        GE_SetKindOperations(kind, &wave);
}
