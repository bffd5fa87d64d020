// The legend window (one symbol and label for each kind of object on the
// map) and the About window of the map windows.
#ifndef TRAZ_VISAREA_LEGEND_WINDOW_H
#define TRAZ_VISAREA_LEGEND_WINDOW_H

#include <cstdint>

#include "ruv.h"

constexpr int32_t GE_LEGEND_WINDOW = 20090;
constexpr int32_t GE_ABOUT_WINDOW = 20091;
constexpr int32_t GE_ABOUT_OK = 20092;
constexpr int32_t GE_ABOUT_AREA = 20093;
constexpr int32_t GE_ABOUT_PROGRAM = 20094;
constexpr int32_t GE_ABOUT_VERSION = 20095;

// View > Legend: the legend window made again (an open one destroyed
// first); "Can't open window" when it cannot be made.
void GE_OpenLegendWindow(void);
void GE_CloseLegendWindow(void);
// An open legend drawn again, where it is, with the kinds as they are now.
void GE_RefreshLegendWindow(void);
// An open legend drawn again when the kinds that hold objects are no
// longer those it shows (every map window's object drawing asks).
void GE_LegendFollowObjects(void);
// The distance between two rows of the legend drawn on drawable: 15
// pixels, or more for a font whose lines are higher.
int32_t GE_LegendRowPitch(RUV_WIN drawable);
int32_t GE_LegendWindowHandler(RUV_WIN window, RUV_EVENT *event);
void GE_LegendCreated(RUV_WIN window);
void GE_LegendResized(RUV_WIN window);
void GE_LegendUpdate(RUV_WIN window);
void GE_LegendFree(RUV_WIN window);
// "Symbols:" and a row for every kind with objects, from y = 35 down by the
// row pitch.
void GE_DrawLegend(RUV_WIN drawable);
// The legend's symbol of an object kind (GEkind_DRY_POINT ..
// GEkind_OPEN_BOUNDARY) of size s with its upper left corner at (x, y).
void GE_DrawLegendSymbol(RUV_WIN drawable, int32_t kind, int32_t x, int32_t y, int32_t s);
// The kinds the legend lists now, in its order; returns their number.
int32_t GE_LegendKinds(int32_t *kinds, int32_t room);
// The kinds whose rows the open legend window shows (as it last drew
// them); their number, or -1 when no legend window is open.
int32_t GE_LegendShownKinds(int32_t *kinds, int32_t room);
// The label of a kind's row ("observation point", ...), "" for another kind.
const char *GE_LegendLabel(int32_t kind);

// Help > About; NULL after "Can't open window".
RUV_WIN GE_OpenAboutWindow(void);
int32_t GE_AboutWindowHandler(RUV_WIN window, RUV_EVENT *event);
void GE_FillAbout(RUV_WIN window);

#endif
