// Page 9, releases from file: the user-defined releases listed with the
// fields of the selected one, a map file's substances and times read into
// a release and its choice kept in the release's record (see
// releases_from_file_page.h).  The fields always show the record's values,
// or the defaults of a new release when none is selected.
#include "releases_from_file_page.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "ge_list.h"
#include "location_pages.h"
#include "map_file_releases.h"
#include "scenario.h"
#include "status_bar.h"

namespace {

enum Control : int32_t {
    kAdd = 1,
    kDelete = 2,
    kList = 3,
    kReadSource = 7,
    kFile = 8,
    kTime = 10,
    kMapSubstancesLabel = 11,
    kName = 13,
    kScale = 15,
    kSubstances = 16,
    kMapSubstances = 17,
    kMapTimesLabel = 18,
    kMapTimes = 19,
    kPercentage = 20,
    kMapFile = 23,
    kReleaseFile = 24,
    kOther = 25,
};

constexpr int kPage = RELEASES_FROM_FILE_PAGE;
const char kNoneYet[] = "-none yet-";
const char kNotFound[] = "- not found -";
const char kSelectFirst[] = "Select a release first!";

GE_List *Releases() { return g_scenario.userDefinedReleases; }
int Count() { return GE_ListCount(Releases()); }
int &Selected() { return PageSelection[kPage]; }

Location *ReleaseAt(int index)
{
    Location *r = nullptr;
    if (index < 0 || index >= Count() || !GE_ListGet(Releases(), index, &r))
        return nullptr;
    return r;
}

Location *SelectedRelease() { return ReleaseAt(Selected()); }

void SetText(RUV_WIN window, int32_t id, const char *text) { SetControlTitle(window, id, text); }

// Percentages as "%g"; a scale factor keeps one decimal when it is whole,
// so the default shows as 1.0.
void ShowPercentage(RUV_WIN window, float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    SetText(window, kPercentage, text);
}

void ShowScale(RUV_WIN window, float value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    if (!std::strpbrk(text, ".eEn"))
        std::strcat(text, ".0");
    SetText(window, kScale, text);
}

float FieldValue(RUV_WIN window, int32_t id) { return static_cast<float>(GetControlDouble(window, id)); }

// The release time typed in the edit form; unchanged when it does not parse.
void StoreTime(RUV_WIN window, Location *r)
{
    const char *time = DmyToDateTime(GetControlTitle(window, kTime));
    if (time && time[0])
        std::snprintf(r->releaseTime, sizeof r->releaseTime, "%s", time);
}

// Field 8 shows a file name or one of the texts that stand for none.
bool IsPlaceholder(const char *text)
{
    return !text[0] || std::strcmp(text, kNoneYet) == 0 || std::strcmp(text, kNotFound) == 0 ||
           std::strcmp(text, "-none-") == 0;
}

void ShowMapControls(RUV_WIN window, bool shown)
{
    SetControlsVisible(window, shown ? 1 : 0, kMapSubstancesLabel, kMapSubstances, kMapTimesLabel, kMapTimes, 0);
}

void ClearMapLists(RUV_WIN window)
{
    ClearList(window, kMapSubstances);
    ClearList(window, kMapTimes);
}

void SelectItem(RUV_WIN window, int32_t id, int index)
{
    const int count = CountList(window, id);
    if (index >= 0 && index < count) {
        SetListItemSelected(window, id, index, 1);
    } else {
        for (int k = 0; k < count; ++k)
            SetListItemSelected(window, id, k, 0);
    }
}

void FillTextList(RUV_WIN window, int32_t id, const GE_List *texts, int selected)
{
    SuspendListControl(window, id);
    ClearList(window, id);
    for (const std::string &text : TextListItems(texts))
        AddListItem(window, id, -1, text.c_str());
    ResumeListControl(window, id);
    SelectItem(window, id, selected);
}

std::vector<std::string> ListItems(RUV_WIN window, int32_t id)
{
    std::vector<std::string> items;
    const int count = CountList(window, id);
    for (int k = 0; k < count; ++k)
        items.emplace_back(GetListItem(window, id, k));
    return items;
}

// List 16: the substances of this simulation from the header tables, each
// sticky oil fraction followed by its dispersed and sticky parts.  Filled
// again when the substances changed (the flag is cleared then).
void FillSubstanceList(RUV_WIN window)
{
    const int substances = GE_ListCount(g_scenario.substances);
    std::vector<std::string> items;
    for (int i = 0; i < substances && i < SCEN_MAX_SUBSTANCES; ++i) {
        const std::string name = g_startup.substanceNames[i];
        items.push_back(name);
        if (g_scenario.modelKind == MODEL_OIL && g_startup.oilFlags[i]) {
            items.push_back(name + " disp");
            items.push_back(name + " stick");
        }
    }
    if (g_scenario.pageFlags[kPage] && ListItems(window, kSubstances) == items)
        return;
    SuspendListControl(window, kSubstances);
    ClearList(window, kSubstances);
    for (const std::string &item : items)
        AddListItem(window, kSubstances, -1, item.c_str());
    ResumeListControl(window, kSubstances);
    g_scenario.pageFlags[kPage] = 1;
    if (items.empty())
        PostErrorF("%s", "Substances from this simulation not found!");
}

bool SubstancesFilled(RUV_WIN window) { return CountList(window, kSubstances) > 0; }

// The fields of a page without a selected release: the defaults of a new
// one under the given name and file texts.
void ShowDefaults(RUV_WIN window, const char *name, const char *file)
{
    SetText(window, kName, name);
    SetText(window, kFile, file);
    ShowPercentage(window, 100.0f);
    ShowScale(window, 1.0f);
    SetText(window, kTime, DateTimeToDmy(g_scenario.hydReferenceTime));
    CheckRadioInRange(window, kMapFile, kMapFile, kOther);
    ShowMapControls(window, true);
    ClearMapLists(window);
    SelectItem(window, kSubstances, SubstancesFilled(window) ? 0 : -1);
}

// List 3 shows the names again with the release selected in it kept: a
// click on another release may be on its way while a field is left.
void RefreshNames(RUV_WIN window)
{
    const int listed = GetListSelIndex(window, kList);
    FillNameList(window, kList, Releases(), listed >= 0 && listed < Count() ? listed : Selected());
}

// A chosen file's name as the release keeps it: with the current directory
// in front when the program runs stand-alone.
std::string ChosenFileName(const char *name)
{
    if (g_startup.mode != STARTUP_STAND_ALONE)
        return name;
    RUV_FILE_DIR dir;
    char text[SCEN_USER_TEXT_LEN] = "";
    if (!ruv_fsys_get_dir(&dir) || !ruv_fsys_convert_dir_to_str(&dir, text, sizeof text)) {
        if (MainWindow)
            statbar_set_title(MainWindow, "Current directory not found!");
        return name;
    }
    std::string path = text;
    for (char &c : path)
        if (c == '\\')
            c = '/';
    return path + "/" + name;
}

void KeepFileName(Location *r, const std::string &name)
{
    std::snprintf(r->userText, sizeof r->userText, "%s", name.c_str());
}

// The release's file, or what field 8 shows without one.
const char *FileText(const Location &r)
{
    if (r.userText[0])
        return r.userText;
    return r.userOption == USER_SOURCE_MAP ? kNoneYet : kNotFound;
}

// The map time whose text is the release's stored time (first 19
// characters), else the first; -1 without times.
int MatchingMapTime(const Location &r)
{
    const std::vector<std::string> times = TextListItems(r.mapTimes);
    if (times.empty())
        return -1;
    const std::string stored = DateTimeToDmy(r.stopTime);
    for (size_t k = 0; k < times.size(); ++k)
        if (times[k].compare(0, 19, stored, 0, 19) == 0)
            return static_cast<int>(k);
    return 0;
}

}  // namespace

// ---------------------------------------------------------------- the page

void ShowReleasesFromFilePage(RUV_WIN window)
{
    if (!window)
        return;
    Selected() = -1;
    FillSubstanceList(window);
    if (Count() > 0) {
        FillNameList(window, kList, Releases(), 0);
        ShowUserReleaseFields(window);
        return;
    }
    ClearList(window, kList);
    ShowDefaults(window, kNoneYet, kNoneYet);
}

void AddUserRelease(RUV_WIN window)
{
    StoreUserReleaseFields(window);
    Location *r = CreateLocation();
    if (!r)
        return;
    std::snprintf(r->name, sizeof r->name, "%s", "(new pair)");
    r->loadScale = 1.0f;
    r->particleShare = 100.0f;
    r->userOption = USER_SOURCE_MAP;
    r->userLayer = r->layer;  // written as the release layer: 1, never 0
    r->layerIndex = r->layer - 1;
    r->userWord4 = -1;
    std::snprintf(r->releaseTime, sizeof r->releaseTime, "%s", g_scenario.hydReferenceTime);
    ShowDefaults(window, r->name, kNoneYet);
    if (SubstancesFilled(window)) {
        r->substanceIndex = 0;
        r->userWord3 = 1;
    }
    const int at = Selected() >= 0 && Selected() < Count() ? Selected() + 1 : Count();
    if (!GE_ListInsert(Releases(), at, &r)) {
        FreeLocation(r);
        return;
    }
    Selected() = at;
    FillNameList(window, kList, Releases(), at);
}

void DeleteUserRelease(RUV_WIN window)
{
    Location *r = nullptr;
    if (!GE_ListRemove(Releases(), Selected(), &r))
        return;
    FreeLocation(r);
    Selected() = -1;
    FillNameList(window, kList, Releases(), -1);
    ShowDefaults(window, " ", "-none-");
}

void StoreUserReleaseFields(RUV_WIN window)
{
    const int sel = Selected();
    Location *r = ReleaseAt(sel);
    if (!r || !window)
        return;
    r->particleShare = FieldValue(window, kPercentage);
    r->loadScale = FieldValue(window, kScale);
    StoreTime(window, r);

    const bool substanceChosen = SubstancesFilled(window);
    if (substanceChosen) {
        r->substanceIndex = GetListSelIndex(window, kSubstances);
        r->userWord3 = r->substanceIndex + 1;
    } else {
        PostNoteF("%s", "Substance from this simulation unknown!");
    }
    if (IsControlChecked(window, kReleaseFile))
        r->userOption = USER_SOURCE_RELEASE_FILE;
    else if (IsControlChecked(window, kMapFile))
        r->userOption = USER_SOURCE_MAP;
    // A text standing for no file keeps the file the release has.
    const std::string file = GetControlText(window, kFile, sizeof r->userText);
    if (!IsPlaceholder(file.c_str()))
        KeepFileName(r, file);

    if (r->userOption == USER_SOURCE_MAP) {
        r->mapSubstanceCount = CountList(window, kMapSubstances);
        if (r->mapSubstanceCount > 0) {
            SetMapFileLists(r, MakeTextList(ListItems(window, kMapSubstances)),
                            MakeTextList(ListItems(window, kMapTimes)));
            r->userWord4 = GetListSelIndex(window, kMapSubstances);
            r->mapTime = GetListSelIndex(window, kMapTimes);
            if (r->mapTime >= 0) {
                const char *time = DmyToDateTime(GetListItem(window, kMapTimes, r->mapTime));
                if (time && time[0])
                    std::snprintf(r->stopTime, sizeof r->stopTime, "%s", time);
            }
        }
    }
    const std::string name = UserReleaseName(*r, sel + 1, substanceChosen);
    std::snprintf(r->name, sizeof r->name, "%s", name.c_str());
}

void ShowUserReleaseFields(RUV_WIN window)
{
    StoreUserReleaseFields(window);
    Selected() = GetListSelIndex(window, kList);
    Location *r = SelectedRelease();
    if (!r)
        return;
    SetText(window, kName, r->name);
    const int32_t radio = r->userOption == USER_SOURCE_OTHER          ? kOther
                          : r->userOption == USER_SOURCE_RELEASE_FILE ? kReleaseFile
                                                                      : kMapFile;
    CheckRadioInRange(window, radio, kMapFile, kOther);
    ShowPercentage(window, r->particleShare);
    SetText(window, kTime, DateTimeToDmy(r->releaseTime));
    ShowScale(window, r->loadScale);
    SelectItem(window, kSubstances, r->substanceIndex);
    const bool mapFile = r->userOption == USER_SOURCE_MAP;
    ShowMapControls(window, mapFile);

    const char *file = FileText(*r);
    if (mapFile && r->userText[0] && !(r->mapSubstances && r->mapTimes) &&
        ReadMapFileHeader(r->userText, Selected(), window) != MAPFILE_OK)
        file = kNotFound;
    if (mapFile && r->mapSubstances && r->mapTimes) {
        if (r->mapTime < 0)
            r->mapTime = MatchingMapTime(*r);
        FillTextList(window, kMapSubstances, r->mapSubstances, r->userWord4);
        FillTextList(window, kMapTimes, r->mapTimes, r->mapTime);
    } else {
        ClearMapLists(window);
    }
    SetText(window, kFile, file);
    RefreshNames(window);
}

void OnUserReleaseField(RUV_WIN window, int32_t control)
{
    Location *r = SelectedRelease();
    if (!r) {
        PostNoteF("%s", kSelectFirst);
        return;
    }
    switch (control) {
    case kTime: StoreTime(window, r); break;
    case kScale: r->loadScale = FieldValue(window, kScale); break;
    case kPercentage: r->particleShare = FieldValue(window, kPercentage); break;
    case kMapFile:
    case kReleaseFile:
    case kOther: {
        const bool mapFile = IsControlChecked(window, kMapFile) != 0;
        ShowMapControls(window, mapFile);
        // The file of the option left goes with it.
        if ((!mapFile && r->userOption == USER_SOURCE_MAP) ||
            (r->userOption == USER_SOURCE_RELEASE_FILE && !IsControlChecked(window, kReleaseFile))) {
            if (r->userOption == USER_SOURCE_MAP) {
                ClearMapLists(window);
                SetMapFileLists(r, nullptr, nullptr);
                r->mapSubstanceCount = -1;
                r->userWord4 = -1;
                r->mapTime = -1;
            }
            r->userText[0] = '\0';
            SetText(window, kFile, kNoneYet);
        }
        r->userOption = mapFile ? USER_SOURCE_MAP : USER_SOURCE_RELEASE_FILE;
        break;
    }
    default:
        break;
    }
    StoreUserReleaseFields(window);
    RefreshNames(window);
}

void ReadReleaseSource(RUV_WIN window)
{
    if (IsControlChecked(window, kMapFile))
        ReadMapFileHeader("", -1, window);
    else if (IsControlChecked(window, kReleaseFile))
        SelectReleaseFile("", window);
    else
        PostNoteF("%s", "Other options not implemented yet!");
}

int SelectReleaseFile(const char *text, RUV_WIN window)
{
    if (text && text[0])
        return 0;
    Location *r = SelectedRelease();
    if (!r) {
        PostNoteF("%s", kSelectFirst);
        return 1;
    }
    const char *chosen = SelectInputFile("fil");
    if (!chosen[0])
        return 0;
    KeepFileName(r, ChosenFileName(chosen));
    SetText(window, kFile, r->userText);
    return 0;
}

int ReadMapFileHeader(const char *path, int index, RUV_WIN window)
{
    const bool interactive = !path || !path[0];
    Location *r = nullptr;
    std::string file;
    if (!interactive) {
        file = path;
        r = ReleaseAt(index);
        if (!r) {
            std::fprintf(stderr, "Invalid user defined release when reading map file!\n");
            return MAPFILE_NO_RELEASE;
        }
    } else {
        index = Selected();
        r = ReleaseAt(index);
        if (!r) {
            PostNoteF("%s", kSelectFirst);
            return MAPFILE_NO_RELEASE;
        }
        const char *chosen = SelectInputFile("map");
        if (!chosen[0])
            return MAPFILE_CANNOT_OPEN;  // nothing chosen: the release stays as it was
        file = ChosenFileName(chosen);
        KeepFileName(r, file);
    }
    const int result = LoadMapFileLists(file.c_str(), r, g_scenario.hydReferenceTime);
    if (!window)
        return result;
    if (result != MAPFILE_OK) {
        if (interactive) {
            // A file chosen in place of another has no choice of its own
            // yet; the choice made in the file before does not carry over.
            r->userWord4 = -1;
            SetMapFileLists(r, nullptr, nullptr);
            ClearMapLists(window);
            SetText(window, kFile, kNotFound);
        }
        return result;
    }
    if (interactive) {
        SetText(window, kFile, file.c_str());
        r->mapSubstanceCount = GE_ListCount(r->mapSubstances);
        r->userWord4 = 0;
        r->mapTime = GE_ListCount(r->mapTimes) > 0 ? 0 : -1;
    }
    FillTextList(window, kMapSubstances, r->mapSubstances, r->userWord4);
    FillTextList(window, kMapTimes, r->mapTimes, r->mapTime);
    return result;
}

int AllowUserReleaseEdit(RUV_WIN, int32_t) { return 0; }

// ---------------------------------------------------------------- dispatch

bool FillReleasesFromFilePage(int n)
{
    if (n != kPage)
        return false;
    ShowReleasesFromFilePage(PageWindows[kPage]);
    return true;
}

bool StoreReleasesFromFilePage(int n)
{
    if (n != kPage)
        return false;
    StoreUserReleaseFields(PageWindows[kPage]);
    return true;
}

void ReleasesFromFilePageControl(RUV_WIN window, const RUV_EVENT *event)
{
    const int32_t id = event->v.control.id;
    const int32_t type = event->v.control.type;
    const bool edit = type == 17 || type == 21;
    const bool left = edit && event->v.control.data.edit.change != 0 && !event->v.control.data.edit.gained;
    switch (id) {
    case kAdd:
        AddUserRelease(window);
        SetModified(1);
        statbar_set_title(window, "Edit name and coordinates for new release");
        break;
    case kDelete:
        if (ruv_dm_post_ask("Yes", "No", nullptr, "%s", "You will lose data. Do you want to continue?") == 0) {
            DeleteUserRelease(window);
            SetModified(1);
        }
        break;
    case kList:
        ShowUserReleaseFields(window);
        statbar_set_title(window, "Edit current name and coordinates");
        break;
    case kReadSource:
        ReadReleaseSource(window);
        break;
    case kTime:
    case kScale:
    case kPercentage:
        if (left)
            OnUserReleaseField(window, id);
        break;
    case kMapFile:
    case kReleaseFile:
    case kOther:
        CheckRadioInRange(window, id, kMapFile, kOther);
        OnUserReleaseField(window, id);
        SetModified(1);
        break;
    default:
        break;
    }
}
