// The location pages (instantaneous releases, continuous releases and
// observation points): the list of names and the fields of the selected
// location, new locations with their default values and next free name,
// deletion, fields stored when they are left, and each change mirrored on
// the map so that the map's point set of the kind and the scenario's list
// stay index for index the same.
#include "location_pages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "field_check_boxes.h"
#include "field_checks.h"
#include "ge_list.h"
#include "map_window.h"
#include "point_objects.h"
#include "scenario.h"
#include "status_bar.h"
#include "time_checks.h"
#include "time_tables.h"
#include "visarea.h"
#include "xyseries.h"

namespace {

enum Control : int32_t {
    kList = 1,
    kNew = 3,
    kDelete = 4,
    kHeading = 5,
    kName = 6,
    kX = 7,
    kY = 8,
    kDepthLabel = 11,
    kDepth = 12,
    kPercentage = 14,
    kRadius = 15,
    kTables = 17,
    kLayers = 19,
    kDepthUnit = 20,
    kDepthNote = 21,
    kRadiusLabel = 22,
    kRadiusUnit = 23,
    kRadiusGiven = 24,
    kRadiusComputed = 25,
    kGivenRadius = 26,
    kOilRadiusLabel = 27,
    kOilNote = 28,
    kOilRadiusUnit = 29,
};

// Window 146 (instantaneous release: time and masses) and 148 (continuous
// release: load scale, interpolation, rates and concentrations).
constexpr int kInstantaneousTables = 9;
constexpr int kContinuousTables = 8;
constexpr int32_t kTimeOrScale = 10;
constexpr int32_t kBlock = 12;
constexpr int32_t kLinear = 13;

struct PageRecord {
    GE_EditEvent *edit;
    int layersFilled;  // the layer count list 19 was filled with, -1 none
};
PageRecord g_records[EDITOR_PAGE_COUNT] = {};

bool IsRelease(int page) { return page == LOCATION_PAGE_INSTANTANEOUS || page == LOCATION_PAGE_CONTINUOUS; }
bool IsOil() { return g_scenario.modelKind == MODEL_OIL; }

PageRecord &Record(int page)
{
    PageRecord &r = g_records[page];
    if (!r.edit) {
        r.edit = GE_EditEventCreate();
        r.layersFilled = -1;
    }
    return r;
}

int &Selected(int page) { return PageSelection[page]; }

RUV_WIN PageWindow(int page) { return IsLocationPage(page) ? PageWindows[page] : NULL_WIN; }

void SetText(RUV_WIN window, int32_t id, const char *text) { SetControlTitle(window, id, text); }

void SetNumber(RUV_WIN window, int32_t id, float value) { SetControlFloatText(window, id, value); }

// The rules of the fields, applied on every path that stores them.
std::string DepthMessage(const char *text) { return FloatIntervalMessage(text, 0.0, 100.0); }
FieldRule RuleOf(int32_t id)
{
    switch (id) {
    case kDepth: return DepthMessage;
    case kPercentage: return IntegerPositiveMessage;
    case kRadius:
    case kGivenRadius:
    case kTimeOrScale: return FloatNonNegativeMessage;
    default: return FloatMessage;
    }
}

std::string ReleaseTimeRule(const char *text) { return ReleaseTimeMessage(ScenarioSimulationTimes(g_scenario), text); }

// A number field into its record's value through the field's rule.
bool StoreNumber(RUV_WIN window, int32_t id, float &target) { return StoreNumberField(window, id, RuleOf(id), target); }

int Count(GE_List *list) { return list ? GE_ListCount(list) : 0; }

// The discharge sub-kind of a release page.
int32_t TypeOf(int page) { return page == LOCATION_PAGE_INSTANTANEOUS ? GEdit_INSTANT_RELEASE : GEdit_CONTINUOUS_RELEASE; }
int32_t MapKind(int page)
{
    return page == LOCATION_PAGE_OBSERVATION ? GEkind_OBSERVATION
                                             : (page == LOCATION_PAGE_INSTANTANEOUS ? GEkind_INSTANT_RELEASE
                                                                                    : GEkind_CONTINUOUS_RELEASE);
}

void SelectOnMap(int page, int index)
{
    if (index < 0)
        return;
    GE_SelectObjectKind(MapKind(page));
    if (page == LOCATION_PAGE_OBSERVATION)
        GE_SelectObservation(index);
    else
        GE_SelectDischarge(index, TypeOf(page));
}

void DeleteOnMap(int page, int index)
{
    if (page == LOCATION_PAGE_OBSERVATION)
        GE_DeleteObservation(index);
    else
        GE_DeleteDischarge(index, TypeOf(page));
}

GE_PointObject PointOf(const Location &l)
{
    GE_PointObject p{};
    p.m = l.words[0];
    p.n = l.words[1];
    p.x = l.x;
    p.y = l.y;
    std::snprintf(p.name, sizeof p.name, "%s", l.name);
    return p;
}

// The grid cell of a location (m = n = 0 off the grid); false off the grid.
bool FindLocationCell(Location *l)
{
    const GE_GridState &grid = global_windata.grid;
    int32_t m = 0, n = 0;
    if (grid.mmax > 0 && grid.nmax > 0 &&
        GE_FindCell(nullptr, 0, 0, grid.mmax - 1, grid.nmax - 1, 1, l->x, l->y, &m, &n)) {
        l->words[0] = m;
        l->words[1] = n;
        return true;
    }
    l->words[0] = l->words[1] = 0;
    return false;
}

// List 19: "1" .. "N" for N layers ("1" for N <= 1), once per layer count.
void FillLayerList(RUV_WIN page, int pageNumber)
{
    PageRecord &r = Record(pageNumber);
    const int layers = g_scenario.hydLayers > 1 ? g_scenario.hydLayers : 1;
    if (r.layersFilled == layers)
        return;
    SuspendListControl(page, kLayers);
    ClearList(page, kLayers);
    for (int k = 1; k <= layers; ++k) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", k);
        AddListItem(page, kLayers, -1, text);
    }
    ResumeListControl(page, kLayers);
    r.layersFilled = layers;
}

void SelectLayer(RUV_WIN page, int position)
{
    // Selecting an item of these one-choice lists leaves the others.
    if (position >= 0 && position < CountList(page, kLayers))
        SetListItemSelected(page, kLayers, position, 1);
}

// The radius fields of an instantaneous release as its record has them.
void ShowRadius(RUV_WIN page, const Location &l)
{
    CheckRadioInRange(page, l.radiusOption == 0 ? kRadiusGiven : kRadiusComputed, kRadiusGiven, kRadiusComputed);
    SetControlEnabled(page, kGivenRadius, l.radiusOption == 0 ? 1 : 0);
    if (l.radiusOption == 0) {
        SetNumber(page, kRadius, l.radius);
        SetNumber(page, kGivenRadius, l.radius);
    }
}

// The time-table windows of a release page: filled for a release, or
// stored for the release they show and hidden.
void FillReleaseTables(int page, int index)
{
    if (page == LOCATION_PAGE_INSTANTANEOUS) {
        SetTableData(&g_scenario, SubPaneWindow(kInstantaneousTables), 9, index);
    } else if (page == LOCATION_PAGE_CONTINUOUS) {
        SetTableData(&g_scenario, SubPaneWindow(kContinuousTables), 10, index);
        SetTableData(&g_scenario, SubPaneWindow(kContinuousTables), 11, index);
    }
}

void StoreAndHideTables(int page, int index)
{
    HideTablePane(page == LOCATION_PAGE_INSTANTANEOUS ? kInstantaneousTables : kContinuousTables, index);
}

// Whether the tables window of a release page can be stored for the
// release it shows; when it cannot, its box keeps the user in it.
bool ReleaseTablesStorable(int page)
{
    if (!IsRelease(page))
        return true;
    const RUV_WIN w = SubPaneWindow(page == LOCATION_PAGE_INSTANTANEOUS ? kInstantaneousTables : kContinuousTables);
    return !w || CheckShownTables(w, "") != 0;
}

void ShowReleaseWindowFields(int page, const Location &l)
{
    if (page == LOCATION_PAGE_INSTANTANEOUS) {
        if (const RUV_WIN w = SubPaneWindow(kInstantaneousTables)) {
            SetText(w, kTimeOrScale, DateTimeToDmy(l.releaseTime));
            // A release time refused in that window goes back to this one.
            SavePreviousInput(w, kTimeOrScale);
        }
    } else if (page == LOCATION_PAGE_CONTINUOUS) {
        if (const RUV_WIN w = SubPaneWindow(kContinuousTables)) {
            SetNumber(w, kTimeOrScale, l.loadScale);
            CheckRadioInRange(w, l.interpolation == 0 ? kBlock : kLinear, kBlock, kLinear);
        }
    }
}

// Shows the heading and which fields a page has for the scenario's kind.
void ShowLayout(RUV_WIN page, int pageNumber)
{
    const char *heading = pageNumber == LOCATION_PAGE_INSTANTANEOUS ? "Instantaneous release:"
                          : pageNumber == LOCATION_PAGE_CONTINUOUS  ? "Continuous release:"
                          : pageNumber == LOCATION_PAGE_OBSERVATION ? "Observation point:"
                                                                    : "?!";
    SetText(page, kHeading, heading);
    if (!IsRelease(pageNumber))
        return;
    if (pageNumber == LOCATION_PAGE_INSTANTANEOUS) {
        SetControlEnabled(page, kDepth, 0);
        const int16_t oil = IsOil() ? 1 : 0;
        for (const int32_t id : {kOilNote, kOilRadiusLabel, kRadiusGiven, kGivenRadius, kOilRadiusUnit, kRadiusComputed})
            SetControlVisible(page, id, oil);
        for (const int32_t id : {kRadiusLabel, kRadius, kRadiusUnit})
            SetControlVisible(page, id, oil ? 0 : 1);
    }
    const bool oneLayer = g_scenario.hydLayers == 1;
    for (const int32_t id : {kDepthLabel, kDepthUnit, kDepthNote, kDepth})
        SetControlEnabled(page, id, !IsOil() && oneLayer ? 1 : 0);
    SetControlEnabled(page, kLayers, !IsOil() && !oneLayer ? 1 : 0);
}

}  // namespace

// ---------------------------------------------------------------- lists and records

bool IsLocationPage(int page)
{
    return page == LOCATION_PAGE_INSTANTANEOUS || page == LOCATION_PAGE_CONTINUOUS || page == LOCATION_PAGE_OBSERVATION;
}

int LocationPageOf(RUV_WIN window)
{
    for (const int page : {LOCATION_PAGE_INSTANTANEOUS, LOCATION_PAGE_CONTINUOUS, LOCATION_PAGE_OBSERVATION})
        if (window && window == PageWindows[page])
            return page;
    return -1;
}

GE_List *LocationList(int page)
{
    switch (page) {
    case LOCATION_PAGE_INSTANTANEOUS: return g_scenario.instantaneousReleases;
    case LOCATION_PAGE_CONTINUOUS: return g_scenario.continuousReleases;
    case LOCATION_PAGE_OBSERVATION: return g_scenario.observationPoints;
    default: return nullptr;
    }
}

Location *LocationAt(int page, int index)
{
    GE_List *list = LocationList(page);
    Location *l = nullptr;
    if (!list || index < 0 || index >= GE_ListCount(list) || !GE_ListGet(list, index, &l))
        return nullptr;
    return l;
}

GE_EditEvent *LocationEditRecord(int page) { return IsLocationPage(page) ? Record(page).edit : nullptr; }

void NoteLocationEdit(int page, int index, int operation, Location *location)
{
    GE_EditEvent *e = LocationEditRecord(page);
    if (!e)
        return;
    e->index = index;
    e->operation = operation;
    if (e->item)
        std::memcpy(e->item, &location, sizeof location);
}

void FillNameList(RUV_WIN window, int32_t control, GE_List *list, int selected)
{
    ClearList(window, control);
    const int count = Count(list);
    for (int k = 0; k < count; ++k) {
        void *element = nullptr;
        GE_ListGet(list, k, &element);
        const char *text = nullptr;
        if (control == 1 || control == 3)
            text = element ? static_cast<Location *>(element)->name : "";
        else if (control == 4)
            text = element ? static_cast<Substance *>(element)->name : "";
        else if (control == 8 || control == 9)
            text = static_cast<const char *>(element);
        else if (control == 39)
            text = element ? static_cast<OilFraction *>(element)->name : "";
        if (text)
            AddListItem(window, control, -1, text);
    }
    if (selected < 0) {
        for (int k = 0; k < count; ++k)
            SetListItemSelected(window, control, k, 0);
    } else if (selected < count) {
        SetListItemSelected(window, control, selected, 1);
    }
}

// ---------------------------------------------------------------- the page

void ShowLocationPage(RUV_WIN page)
{
    const int pageNumber = LocationPageOf(page);
    if (pageNumber < 0)
        return;
    if (IsRelease(pageNumber))
        FillLayerList(page, pageNumber);
    GE_List *list = LocationList(pageNumber);
    if (Count(list) == 0) {
        Selected(pageNumber) = -1;
        ClearList(page, kList);
        SetText(page, kName, " ");
        SetText(page, kX, "0");
        SetText(page, kY, "0");
        if (IsRelease(pageNumber)) {
            SetText(page, kDepth, "0");
            SetText(page, kRadius, "100");
            SetText(page, kPercentage, "100");
            SelectLayer(page, 0);
        }
    } else {
        int &sel = Selected(pageNumber);
        if (sel < 0)
            sel = 0;
        if (sel >= Count(list))
            sel = Count(list) - 1;
        FillNameList(page, kList, list, sel);
        ShowSelectedLocation(page, 0);
    }
    ShowLayout(page, pageNumber);
}

int ShowSelectedLocation(RUV_WIN page, int storeFirst)
{
    const int pageNumber = LocationPageOf(page);
    if (pageNumber < 0)
        return -1;
    if (storeFirst)
        StoreLocationFields(page);
    FollowReleaseGenerator();
    const int sel = GetListSelIndex(page, kList);
    Selected(pageNumber) = sel;
    Location *l = LocationAt(pageNumber, sel);
    if (!l)
        return -1;
    SetText(page, kName, l->name);
    SetNumber(page, kX, l->x);
    SetNumber(page, kY, l->y);
    if (IsRelease(pageNumber)) {
        SetNumber(page, kDepth, l->depth);
        SetNumber(page, kPercentage, l->particleShare);
        if (pageNumber == LOCATION_PAGE_INSTANTANEOUS)
            ShowRadius(page, *l);
        else
            SetNumber(page, kRadius, l->radius);
        SelectLayer(page, l->layerIndex);
        ShowReleaseWindowFields(pageNumber, *l);
    }
    if (global_windata.currentOperation != GEmode_MODIFY)
        SelectOnMap(pageNumber, sel);
    return sel;
}

void StoreLocationFields(RUV_WIN page)
{
    const int pageNumber = LocationPageOf(page);
    if (pageNumber < 0)
        return;
    const int sel = Selected(pageNumber);
    Location *l = LocationAt(pageNumber, sel);
    if (!l)
        return;
    std::snprintf(l->name, sizeof l->name, "%s", GetControlTitle(page, kName));
    StoreNumber(page, kX, l->x);
    StoreNumber(page, kY, l->y);
    if (!IsRelease(pageNumber))
        return;
    StoreNumber(page, kDepth, l->depth);
    StoreNumber(page, kPercentage, l->particleShare);
    const int layer = GetListSelIndex(page, kLayers);
    if (layer >= 0) {
        l->layerIndex = layer;
        l->layer = std::atoi(GetListItem(page, kLayers, layer));
    }
    if (pageNumber == LOCATION_PAGE_INSTANTANEOUS) {
        if (!IsOil()) {
            l->radiusOption = 0;
            StoreNumber(page, kRadius, l->radius);
        } else if (IsControlChecked(page, kRadiusGiven)) {
            l->radiusOption = 0;
            StoreNumber(page, kGivenRadius, l->radius);
        } else {
            l->radiusOption = 1;
        }
        if (const RUV_WIN w = SubPaneWindow(kInstantaneousTables)) {
            StoreTimeField(w, kTimeOrScale, false, ReleaseTimeRule, l->releaseTime, sizeof l->releaseTime);
        }
    } else {
        StoreNumber(page, kRadius, l->radius);
        if (const RUV_WIN w = SubPaneWindow(kContinuousTables)) {
            // The window is hidden below: a load scale its rule refuses
            // gives way to the one stored.
            if (!StoreNumber(w, kTimeOrScale, l->loadScale))
                GiveBackStoredText(w, kTimeOrScale, FloatFieldText(l->loadScale));
            l->interpolation = IsControlChecked(w, kBlock) ? 0 : 1;
        }
    }
    StoreAndHideTables(pageNumber, sel);
}

int AddLocation(const float *point, int mode, RUV_WIN page)
{
    const int pageNumber = LocationPageOf(page);
    GE_List *list = LocationList(pageNumber);
    if (pageNumber < 0 || !list)
        return -1;
    StoreLocationFields(page);
    if (IsRelease(pageNumber) && ReleaseCount(&g_scenario) >= SCEN_MAX_RELEASE_NAMES) {
        PostNoteF("Maximum number of releases is %d !", SCEN_MAX_RELEASE_NAMES);
        return -1;
    }
    Location *l = CreateLocation();
    if (!l)
        return -1;
    if (IsRelease(pageNumber)) {
        l->radiusOption = IsOil() && pageNumber == LOCATION_PAGE_INSTANTANEOUS ? 1 : 0;
        l->depth = 0.0f;
        l->layer = 1;
        l->layerIndex = 0;
        l->radius = 10.0f;
        l->particleShare = 100.0f;
        l->releaseRates = CreateXYSeries(0, 1, 1);
        l->masses = CreateXYSeries(0, 0, 1);
        std::snprintf(l->releaseTime, sizeof l->releaseTime, "%s",
                      g_scenario.timeGroups[TIME_GROUP_SIMULATION][TIME_START]);
    }
    MakeLocationName(pageNumber, list, l->name);
    l->closingWords[0] = l->closingWords[1] = 0;
    l->loadScale = 1.0f;
    if (point) {
        l->x = point[0];
        l->y = point[1];
    }
    const int position = GE_ListCount(list);
    if (!GE_ListInsert(list, position, &l)) {
        FreeLocation(l);
        return -1;
    }
    // The fields show the new record.
    SetText(page, kName, l->name);
    SetNumber(page, kX, l->x);
    SetNumber(page, kY, l->y);
    if (IsRelease(pageNumber)) {
        SetNumber(page, kDepth, l->depth);
        SetNumber(page, kRadius, l->radius);
        SetNumber(page, kPercentage, l->particleShare);
        if (pageNumber == LOCATION_PAGE_INSTANTANEOUS)
            ShowRadius(page, *l);
        SelectLayer(page, l->layerIndex);
        ShowReleaseWindowFields(pageNumber, *l);
        FillReleaseTables(pageNumber, position);
        if (const RUV_WIN w = SubPaneWindow(pageNumber == LOCATION_PAGE_INSTANTANEOUS ? kInstantaneousTables
                                                                                        : kContinuousTables))
            SetWindowVisible(w, 0);
    }
    FillNameList(page, kList, list, position);
    Selected(pageNumber) = position;
    SendLocationToVisArea(page, pageNumber, position, mode);
    return position;
}

void DeleteLocation(RUV_WIN page)
{
    const int pageNumber = LocationPageOf(page);
    GE_List *list = LocationList(pageNumber);
    const int index = GetListSelIndex(page, kList);
    if (pageNumber < 0 || !list || index < 0 || index >= GE_ListCount(list))
        return;
    Selected(pageNumber) = -1;
    Location *l = nullptr;
    GE_ListRemove(list, index, &l);
    NoteLocationEdit(pageNumber, index, 1, nullptr);
    FreeLocation(l);
    RemoveListItem(page, kList, index);
    DeleteOnMap(pageNumber, index);
    const int count = GE_ListCount(list);
    const int next = count == 0 ? -1 : (index < count ? index : count - 1);
    // The time tables no longer belong to a release at their index.
    if (IsRelease(pageNumber)) {
        if (const RUV_WIN w = SubPaneWindow(pageNumber == LOCATION_PAGE_INSTANTANEOUS ? kInstantaneousTables
                                                                                        : kContinuousTables))
            SetWindowVisible(w, 0);
        FollowReleaseGenerator();
        if (next >= 0)
            FillReleaseTables(pageNumber, next);
    }
    if (next >= 0)
        SetListItemSelected(page, kList, next, 1);
    if (next < 0) {
        ShowLocationPage(page);
        return;
    }
    ShowSelectedLocation(page, 0);
}

void OnLocationFieldLeft(RUV_WIN page, int32_t control)
{
    const int pageNumber = LocationPageOf(page);
    const int sel = Selected(pageNumber);
    Location *l = LocationAt(pageNumber, sel);
    if (!l)
        return;
    switch (control) {
    case kName:
        std::snprintf(l->name, sizeof l->name, "%s", GetControlTitle(page, kName));
        FillNameList(page, kList, LocationList(pageNumber), sel);
        break;
    case kX:
    case kY:
        if (!StoreNumber(page, control, control == kX ? l->x : l->y))
            return;
        break;
    case kDepth:
        if (!CheckFloatInterval(page, kDepth, 0.0, 100.0)) {
            const double v = GetControlDouble(page, kDepth);
            if (v > 0.0 && v <= 1.0)
                PostNoteF("Percentage expected here\nDid you mean %8.2f percent ?\nPlease check ...", v * 100.0);
        }
        return;
    default:
        if (IsRelease(pageNumber)) {
            if (control == kPercentage)
                StoreNumber(page, kPercentage, l->particleShare);
            else if (control == kRadius)
                StoreNumber(page, kRadius, l->radius);
            else if (control == kLayers && GetListSelIndex(page, kLayers) >= 0)
                l->layerIndex = GetListSelIndex(page, kLayers);
        }
        return;
    }
    if (FindLocationCell(l))
        statbar_set_title(page, "");
    else
        statbar_set_title(page, "Not valid point");
    const GE_PointObject p = PointOf(*l);
    GE_SelectObjectKind(MapKind(pageNumber));
    if (pageNumber == LOCATION_PAGE_OBSERVATION) {
        GE_ModifyObservation(&p, sel);
        GE_SelectObservation(sel);
    } else {
        GE_ModifyDischarge(&p, sel, TypeOf(pageNumber));
        GE_SelectDischarge(sel, TypeOf(pageNumber));
    }
}

void ShowLocationCoordinates(RUV_WIN page, int which)
{
    const int pageNumber = LocationPageOf(page);
    const Location *l = LocationAt(pageNumber, Selected(pageNumber));
    if (!l)
        return;
    SetNumber(page, kX, which == 1 ? l->x2 : l->x);
    SetNumber(page, kY, which == 1 ? l->y2 : l->y);
}

void ShowLocationFields(RUV_WIN page, int index)
{
    const int pageNumber = LocationPageOf(page);
    if (pageNumber == LOCATION_PAGE_CONTINUOUS)
        FillLayerList(page, pageNumber);
    const Location *l = LocationAt(pageNumber, index);
    if (pageNumber < 0 || !l) {
        if (page)
            SetText(page, kHeading, "?!");
        return;
    }
    SetText(page, kName, l->name);
    SetNumber(page, kX, l->x);
    SetNumber(page, kY, l->y);
    if (IsRelease(pageNumber)) {
        SetNumber(page, kDepth, l->depth);
        SetNumber(page, kRadius, l->radius);
        SetNumber(page, kPercentage, l->particleShare);
        SelectLayer(page, l->layerIndex);
    }
    ShowLayout(page, pageNumber);
    SelectOnMap(pageNumber, index);
}

// ---------------------------------------------------------------- the map

void SendLocationToVisArea(RUV_WIN page, int pageNumber, int index, int mode)
{
    if (page) {
        pageNumber = LocationPageOf(page);
        if (pageNumber < 0)
            return;
        index = Selected(pageNumber);
        if (index == -1)
            return;
    }
    Location *l = LocationAt(pageNumber, index);
    if (!l)
        return;
    if (page)
        NoteLocationEdit(pageNumber, index, 0, l);
    const int32_t attribute = pageNumber == LOCATION_PAGE_OBSERVATION ? GEdit_SHOW_OBSERVATIONS
                              : pageNumber == LOCATION_PAGE_INSTANTANEOUS ? GEdit_SHOW_INSTANT_RELEASES
                                                                          : GEdit_SHOW_CONTINUOUS_RELEASES;
    const RUV_WIN bar = page ? page : MainWindow;
    if (FindLocationCell(l)) {
        if (bar)
            statbar_set_title(bar, "");
    } else if (bar) {
        statbar_set_title(bar, "Not valid point!");
    }
    if (mode != 2) {
        const GE_PointObject p = PointOf(*l);
        if (pageNumber == LOCATION_PAGE_OBSERVATION)
            GE_AddObservation(&p);
        else
            GE_AddDischarge(&p, TypeOf(pageNumber));
    }
    // Every open map window shows the kind and offers its View items, as a
    // window opened later does (while a scenario is read the drawing waits
    // for the end of the read).
    GE_ShowLoadedAttribute(attribute, GE_AttributeMenuItem(attribute), GE_AttributeNamesMenuItem(attribute));
    if (mode == 1)
        SelectOnMap(pageNumber, index);
}

void FindLocationCellsAgain(void)
{
    const bool haveGrid = global_windata.grid.mmax > 0 && global_windata.grid.nmax > 0;
    bool offGrid = false;
    for (const int page : {LOCATION_PAGE_OBSERVATION, LOCATION_PAGE_INSTANTANEOUS, LOCATION_PAGE_CONTINUOUS}) {
        GE_PointSet &set = page == LOCATION_PAGE_OBSERVATION ? global_windata.observations
                                                             : global_windata.discharges[TypeOf(page)];
        for (int i = 0; i < Count(LocationList(page)); ++i) {
            Location *l = LocationAt(page, i);
            if (!l)
                continue;
            offGrid = !FindLocationCell(l) || offGrid;
            // The map's point of the location moves with it.
            if (i < set.count) {
                set.items[i].m = l->words[0];
                set.items[i].n = l->words[1];
            }
        }
    }
    // Without a grid no location has a cell; the failed load said why.
    if (MainWindow && haveGrid)
        statbar_set_title(MainWindow, offGrid ? "Not valid point!" : "");
    GE_RedrawAll(0);
}

// ---------------------------------------------------------------- pages' dispatch

bool FillLocationPage(int n)
{
    if (!IsLocationPage(n))
        return false;
    if (const RUV_WIN page = PageWindow(n))
        ShowLocationPage(page);
    return true;
}

void SelectLocationKindOnMap(int n)
{
    if (IsLocationPage(n) && global_windata.currentKind != MapKind(n))
        GE_SelectObjectKind(MapKind(n));
}

void TakeBackMapEdit(int page, int operation, int index)
{
    if (!IsLocationPage(page) || index < 0)
        return;
    if (operation == GEmode_ADD) {
        DeleteOnMap(page, index);
    } else if (operation == GEmode_MODIFY) {
        if (const Location *l = LocationAt(page, index)) {
            const GE_PointObject p = PointOf(*l);
            if (page == LOCATION_PAGE_OBSERVATION)
                GE_ModifyObservation(&p, index);
            else
                GE_ModifyDischarge(&p, index, TypeOf(page));
        }
    }
}

bool StoreLocationPage(int n)
{
    if (!IsLocationPage(n))
        return false;
    if (const RUV_WIN page = PageWindow(n))
        StoreLocationFields(page);
    return true;
}

void LocationPageControl(RUV_WIN page, const RUV_EVENT *event)
{
    const int pageNumber = LocationPageOf(page);
    if (pageNumber < 0)
        return;
    const int32_t id = event->v.control.id;
    const int32_t type = event->v.control.type;
    const bool edit = type == 17 || type == 21;
    const bool left = edit && event->v.control.data.edit.change != 0 && !event->v.control.data.edit.gained;
    const bool release = IsRelease(pageNumber);
    switch (id) {
    case kList:
        // Another location shown stores the tables of the one left.
        if (!ReleaseTablesStorable(pageNumber)) {
            SetListItemSelected(page, kList, Selected(pageNumber), 1);
            break;
        }
        ShowSelectedLocation(page, 1);
        GE_SetModeView();
        statbar_set_title(page, "Edit current name and coordinates");
        break;
    case kNew:
        if (edit || !ReleaseTablesStorable(pageNumber))
            break;
        if (AddLocation(nullptr, 1, page) < 0)
            break;
        SetModified(1);
        statbar_set_title(page, "Edit name and coordinates for new location");
        break;
    case kDelete:
        if (edit)
            break;
        DeleteLocation(page);
        SetModified(1);
        break;
    case kName:
        // The name is written in quotes: a quote is refused as it is typed,
        // and it is cut to what the record keeps, as the title lines are.
        if (edit && FieldEventOf(event) == FieldEvent::Changed)
            LimitFieldText(page, kName, SCEN_LOCATION_NAME_LEN - 1, true);
        if (left)
            OnLocationFieldLeft(page, id);
        break;
    case kX:
    case kY:
        if (left && !CheckFloat(page, id))
            OnLocationFieldLeft(page, id);
        break;
    case kDepth:
        if (left && release)
            OnLocationFieldLeft(page, id);
        break;
    case kPercentage:
        if (left && release && !CheckIntegerPositive(page, id))
            OnLocationFieldLeft(page, id);
        break;
    case kRadius:
        if (left && release && !CheckFloatNonNegative(page, id))
            OnLocationFieldLeft(page, id);
        break;
    case kGivenRadius:
        if (left && pageNumber == LOCATION_PAGE_INSTANTANEOUS)
            CheckFloatNonNegative(page, id);
        break;
    case kTables:
        if (!release || edit)
            break;
        if (Selected(pageNumber) < 0) {
            PostNoteF("%s", "Select a release first!");
            break;
        }
        ShowTablePane(pageNumber == LOCATION_PAGE_INSTANTANEOUS ? kInstantaneousTables : kContinuousTables, 1);
        break;
    case kLayers:
        if (release) {
            OnLocationFieldLeft(page, id);
            SetModified(1);
        }
        break;
    case kRadiusGiven:
    case kRadiusComputed:
        if (pageNumber == LOCATION_PAGE_INSTANTANEOUS) {
            CheckRadioInRange(page, id, kRadiusGiven, kRadiusComputed);
            SetControlEnabled(page, kGivenRadius, id == kRadiusGiven ? 1 : 0);
            SetModified(1);
        }
        break;
    default:
        break;
    }
}

void LocationPageKey(RUV_WIN page, const RUV_EVENT *event)
{
    if (LocationPageOf(page) < 0 || !IsDeleteKeyInList(page, event, kList) || GetListSelIndex(page, kList) < 0)
        return;
    DeleteLocation(page);
    SetModified(1);
}
