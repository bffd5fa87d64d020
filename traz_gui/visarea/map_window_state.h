// What the map-window modules share about an open window beyond its public
// record: the window state behind GE_WindowData, the rubber bands drawn in
// exclusive-or mode, the per-kind edit operations and the menu items of the
// view attributes (not for hosts).
#ifndef TRAZ_VISAREA_MAP_WINDOW_STATE_H
#define TRAZ_VISAREA_MAP_WINDOW_STATE_H

#include <cstdint>

#include "map_window.h"

// A map window's state: the record the host sees (its application data)
// first, then what only the window code keeps.
struct GE_MapWindowState {
    GE_WindowData data;
    RUV_WIN window;
    RUV_WIN statusBar;
    // Size events are acted on only after the window's own create or update
    // event: each window has its own latch.
    int16_t resizeLatch;
    // The zoom rectangle as it is drawn now (exclusive-or), if it is.
    bool bandShown;
    int32_t bandX0, bandY0, bandX1, bandY1;
    // The rubber band of a multi-click edit as it is drawn now, if it is:
    // a polyline of figureCount points.
    int32_t figureCount;
    int32_t figureX[5], figureY[5];
    // How many times the object layer has been drawn since the window
    // opened.
    int32_t objectDraws;
};

// The state of an open map window, NULL for another window.
GE_MapWindowState *GE_WindowState(RUV_WIN window);
// The zoom rectangle removed when it is drawn.
void GE_EraseZoomBand(GE_MapWindowState *mw);
// Click positions -1, counter 0.
void GE_ForgetClicks(GE_WindowData *data);
// Enables and checks a menu item.
void GE_SetMenuItem(RUV_WIN window, int32_t tag, bool enabled, bool checked);

// The check marks of the font, size, style, case and colour items from
// the window's record and the colour scale.
void GE_CheckViewItems(RUV_WIN window, const GE_WindowData *data);

// The part of the drawing rectangle inside the white frame of GE_DrawFrame
// (22 pixels at the top, 5 at the other sides): where objects and their
// names show.
RUV_RECT GE_MapInside(const GE_WindowData *data);

// draw() clipped to the inside of the window's frame: a drawing outside the
// object layer leaves nothing where the next copy of the background does
// not reach.
template <typename F> void GE_DrawInside(RUV_WIN window, F draw)
{
    if (const GE_WindowData *d = GE_MapWindowData(window)) {
        const RUV_RECT inside = GE_MapInside(d);
        ruv_dwin_set_clip(window, &inside);
    }
    draw();
    ruv_dwin_set_clip(window, nullptr);
}

// Calls f(window) for every open map window, in opening order.
template <typename F> void GE_EachMapWindow(F f)
{
    const GE_GlobalData &g = global_windata;
    for (int32_t k = 0; k < g.windowCount; ++k)
        f(static_cast<RUV_WIN>(g.windows[k]));
}

#endif
