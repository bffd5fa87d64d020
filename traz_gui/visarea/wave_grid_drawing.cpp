// Rectangular wave grids in the map windows: their drawing (each grid a
// closed rectangle in its type's colour, the selected one again in red) and
// the three clicks (origin, axis, corner) that define one.
#include "wave_grid_drawing.h"

#include <cstdio>
#include <initializer_list>

#include "map_window_state.h"
#include "wave_grids.h"

namespace {

constexpr int32_t SOLID = 2;
constexpr RUV_COLOR RED = 0x01FF0000u, GREEN = 0x0200FF00u, YELLOW = 0x06FFFF00u, MAGENTA = 0x05FF00FFu;

void Pen(RUV_WIN window, int16_t width, RUV_COLOR colour)
{
    const RUV_CPEN pen{ width, SOLID, 0, colour };
    ruv_dwin_set_cpen(window, &pen);
    ruv_dwin_set_fore_color(window, colour);
}

void DrawRectSet(RUV_WIN window, const GE_WindowData *d, int32_t type)
{
    int32_t count = 0;
    const GE_RectWaveGrid *grids = GE_RectWaveGrids(type, &count);
    const RUV_COLOR own = type == GE_WAVE_COMPUTATIONAL ? GREEN : YELLOW;
    const GE_WaveGridState &w = global_windata.wave;
    for (int32_t i = 0; i <= count; ++i) {
        // The selected grid of the selected type again in red, on top.
        const bool again = i == count;
        const int32_t at = again ? w.selected : i;
        if (again && (w.kind != type || at < 0 || at >= count || grids[at].display != 1))
            break;
        const GE_RectWaveGrid &g = grids[at];
        if (g.display <= 0)
            continue;
        const RUV_COLOR colour = again ? RED : g.display == 1 ? own : MAGENTA;
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
    const RUV_CPEN white{ 1, SOLID, 0, 0x0BFFFFFFu };
    ruv_dwin_set_cpen(window, &white);
}

void DrawWaveKind(RUV_WIN w) { GE_DrawRectWaveGrids(w); }

}  // namespace

void GE_DrawRectWaveGrids(RUV_WIN window)
{
    const GE_WindowData *d = GE_MapWindowData(window);
    if (!d)
        return;
    const int32_t selectedType = global_windata.wave.kind == GE_WAVE_BOTTOM ? GE_WAVE_BOTTOM : GE_WAVE_COMPUTATIONAL;
    for (int32_t type : { 1 - selectedType, selectedType })
        if (d->shown[type == GE_WAVE_COMPUTATIONAL ? GEdit_SHOW_COMP_GRID : GEdit_SHOW_BOTTOM_GRID])
            DrawRectSet(window, d, type);
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
    static const GE_KindOperations wave{ DrawWaveKind, nullptr, GE_WaveGridClick, nullptr };
    for (int32_t kind = GEkind_WAVE_GRID_1; kind <= GEkind_WAVE_GRID_3; ++kind)
        GE_SetKindOperations(kind, &wave);
}
