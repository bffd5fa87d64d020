// Observation points and the discharge family (discharges, instantaneous
// and continuous releases) on the map, and the area box: the owner's
// functions by index, the drawing of the sets and of their selected point,
// and the mouse editing of the four point kinds with the owner told
// through the kind's callback.
#ifndef TRAZ_VISAREA_POINT_OBJECTS_H
#define TRAZ_VISAREA_POINT_OBJECTS_H

#include <cstdint>

#include "map_window.h"

// Sub-kinds of the discharge family.
enum GE_DischargeType : int32_t { GEdit_DISCHARGE = 0, GEdit_INSTANT_RELEASE = 1, GEdit_CONTINUOUS_RELEASE = 2 };

// Colours of the point kinds and of the selected point and area box.
constexpr RUV_COLOR GE_COLOR_OBSERVATION = 0x0400FFFFu;
constexpr RUV_COLOR GE_COLOR_SELECTED = 0x01FF0000u;

// Installs the drawing and mouse editing of kinds 7, 9, 10 and 11 in the
// map windows (there from the start; this puts them back).
void GE_InstallPointObjectKinds(void);

// The owner's functions.  An index outside the set changes nothing and
// shows "Observation id invalid" / "Discharge id invalid" in every map
// window; a sub-kind outside 0..2 changes nothing.
int GE_SelectObservation(int32_t index);
void GE_AddObservation(const GE_PointObject *point);
void GE_DeleteObservation(int32_t index);
void GE_ModifyObservation(const GE_PointObject *point, int32_t index);
int GE_SelectDischarge(int32_t index, int32_t type);
void GE_AddDischarge(const GE_PointObject *point, int32_t type);
void GE_DeleteDischarge(int32_t index, int32_t type);
void GE_ModifyDischarge(const GE_PointObject *point, int32_t index, int32_t type);
void GE_SetDischarges(const GE_PointObject *points, int32_t count, int32_t type);
// The window's pending clicks unset (its counter kept) and the area box
// shown before the last GE_SetAreaBox shown again.
void GE_RestoreAreaBox(RUV_WIN window);
// 1 when (m, n) is an active cell whose four corners exist.
int16_t GE_ObservationCellValid(int32_t m, int32_t n);
int16_t GE_DischargeCellValid(int32_t m, int32_t n);
// Empties the observation, instantaneous- and continuous-release sets
// (arrays freed, no selection), hides the area box with its corners
// zeroed, and redraws the open map windows.
void GE_ResetLocationSets(void);

// The box picked in a map window: its first two clicks as world points
// through the window's transform (the horizontal scale for x), each with
// its grid cell (0, 0 off the grid) and an empty name.
void GE_PickedArea(const GE_WindowData *data, GE_PointObject corners[2]);

// The columns of the sub-kind table (-1 for another sub-kind).
int32_t GE_DischargeObjectKind(int32_t type);
int32_t GE_DischargeViewAttribute(int32_t type);
int32_t GE_DischargeEditMenuItem(int32_t type);
int32_t GE_DischargeAttributeMenuItem(int32_t type);
int32_t GE_DischargeNamesMenuItem(int32_t type);
RUV_COLOR GE_DischargeColor(int32_t type);

// Drawing in a map window (the object layer).
void GE_DrawObservations(RUV_WIN window);
void GE_DrawSelectedObservation(RUV_WIN window);
void GE_DrawDischargeKind(RUV_WIN window, int32_t type);
void GE_DrawSelectedDischargeKind(RUV_WIN window, int32_t type);
void GE_DrawAreaBox(RUV_WIN window);

// The mouse in kinds 7 and 9..11 (the point clamped into the drawing
// rectangle).
void GE_ObservationMouseDown(RUV_WIN window, RUV_EVENT *event);
void GE_ObservationMouseUp(RUV_WIN window, RUV_EVENT *event);
void GE_DischargeMouseDown(RUV_WIN window, RUV_EVENT *event, int32_t type);
void GE_DischargeMouseUp(RUV_WIN window, RUV_EVENT *event, int32_t type);

#endif
