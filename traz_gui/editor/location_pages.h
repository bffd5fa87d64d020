// The location pages: instantaneous releases (page 7), continuous releases
// (page 8) and observation points (page 10).  Each lists the scenario's
// locations of its kind with the fields of the selected one, adds, deletes
// and renames them, and keeps the map's point set of the kind in step, index
// for index.
#ifndef TRAZ_EDITOR_LOCATION_PAGES_H
#define TRAZ_EDITOR_LOCATION_PAGES_H

#include <cstdint>

#include "location_names.h"
#include "ruv.h"

struct GE_List;
struct GE_EditEvent;
struct Location;

constexpr int LOCATION_PAGE_INSTANTANEOUS = 7;
constexpr int LOCATION_PAGE_CONTINUOUS = 8;
constexpr int LOCATION_PAGE_OBSERVATION = 10;

// 7, 8 or 10 for a location page number, else false.
bool IsLocationPage(int page);
// The page number of a location page window, -1 for another window.
int LocationPageOf(RUV_WIN window);
// The scenario's list of the page's locations, and one of them (NULL
// outside the list).
GE_List *LocationList(int page);
Location *LocationAt(int page, int index);
// The page's record of its last edit (index, operation, item).
GE_EditEvent *LocationEditRecord(int page);
// Notes an edit in the page's record.
void NoteLocationEdit(int page, int index, int operation, Location *location);

void ShowLocationPage(RUV_WIN page);
// The location selected in list 1 shown (after storing the fields when
// storeFirst); the selection, -1 for none.
int ShowSelectedLocation(RUV_WIN page, int storeFirst);
void StoreLocationFields(RUV_WIN page);
// A new location at the end of the list (point: x, y, or NULL for 0, 0),
// handed to the map with mode (0 add, 1 add and select, 2 only its cell).
// Its position, or -1 when it could not be made.
int AddLocation(const float *point, int mode, RUV_WIN page);
void DeleteLocation(RUV_WIN page);
void OnLocationFieldLeft(RUV_WIN page, int32_t control);
// The names of list into a list control, selected shown (-1: none).
void FillNameList(RUV_WIN window, int32_t control, GE_List *list, int selected);
void ShowLocationCoordinates(RUV_WIN page, int which);
// The page's fields refreshed from location index, the map's kind made
// current and the location selected on it.
void ShowLocationFields(RUV_WIN page, int index);

// Page n filled or stored (false for the other pages).
bool FillLocationPage(int n);
// The map edits the locations of page n (7, 8 or 10) from now on, unless it
// already does; other pages leave the map's kind as it is.
void SelectLocationKindOnMap(int n);
bool StoreLocationPage(int n);
// A map edit the editor did not take (GEmode_ADD or GEmode_MODIFY of the
// location at index): the point added is taken off the map, the point
// moved goes back to its location.
void TakeBackMapEdit(int page, int operation, int index);

// The control events of a location page.
void LocationPageControl(RUV_WIN page, const RUV_EVENT *event);
// The keys of a location page: Delete in the name list deletes the
// selected location, as the Delete button does.
void LocationPageKey(RUV_WIN page, const RUV_EVENT *event);
// The zoom-grid sub-pane's events of the map link: a typed box shown on
// the map, the pick check box toggled with a map window opened.
void ZoomGridPaneMapControl(RUV_WIN pane, const RUV_EVENT *event);
// The box typed into the zoom-grid sub-pane shown on the map.
void ShowZoomGridBox(void);

#endif
