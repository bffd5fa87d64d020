// Fake of the scenario editor's services for the scenario model's tests: the
// editor state the model reads and writes, message helpers that reach the
// recorded toolkit boxes (with the whole text: the editor's own helpers show
// at most 1023 characters, the record keeps every one so that a test sees
// exactly what the model asked for), scripted file selection, a status bar that records
// its texts, and page and table helpers that log their calls.
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "editor_services.h"
#include "fake_state.h"
#include "ge_list.h"
#include "scenario.h"
#include "visarea.h"
#include "ruv.h"
#include "xyseries.h"

// --- Editor state. ---
RUV_WIN MainWindow = NULL_WIN;
RUV_WIN PageWindows[EDITOR_PAGE_COUNT] = {};
int16_t ModifiedFlag = 0;
int32_t CurrentPage = 0;
int32_t PageSelection[EDITOR_PAGE_COUNT] = {};
int32_t PageFilled[EDITOR_PAGE_COUNT] = {};

namespace fakes {

void ResetEditorState()
{
    MainWindow = NULL_WIN;
    for (int i = 0; i < EDITOR_PAGE_COUNT; ++i) {
        PageWindows[i] = NULL_WIN;
        PageSelection[i] = -1;
        PageFilled[i] = 0;
    }
    ModifiedFlag = 0;
    CurrentPage = 0;
}

void SetModelKind(int kind) { S().modelKind = kind; }
void SetModelKindSource(std::function<int()> source) { S().modelKindSource = std::move(source); }
void SetProjectDirectory(const std::string &directory) { S().projectDirectory = directory; }
void SetCheckResults(int zoomGrid, int settlingTables)
{
    S().zoomGridOk = zoomGrid;
    S().settlingOk = settlingTables;
}
void SetCreateDefaultTablesHook(std::function<void(ScenarioRecord *, int)> hook)
{
    S().createDefaultTables = std::move(hook);
}
void SetUpdateTableTimesHook(std::function<void(ScenarioRecord *)> hook)
{
    S().updateTableTimes = std::move(hook);
}

namespace {

int ModelKind() { return S().modelKindSource ? S().modelKindSource() : S().modelKind; }

std::string PageName(RUV_WIN page)
{
    for (int i = 0; i < EDITOR_PAGE_COUNT; ++i)
        if (page != NULL_WIN && PageWindows[i] == page)
            return std::to_string(i);
    return page == NULL_WIN ? "null" : "window";
}

std::string Lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> SplitSlash(const std::string &s)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = s.find('/', start);
        parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

} // namespace
} // namespace fakes

using fakes::Format;
using fakes::LogCall;

void ResetMapPageBoxes(void)
{
    fakes::S().areaBoxShown = false;
    fakes::S().areaBox[0] = GE_PointObject{};
    fakes::S().areaBox[1] = GE_PointObject{};
    fakes::Record("map", "ResetMapPageBoxes");
}

const char *MakeProjectRelativePath(const char *fullPath)
{
    static std::string result;
    result.assign(fullPath ? fullPath : "");
    const std::string &path = result;   // until the relative path replaces it
    if (path.find('/') == std::string::npos || fakes::S().projectDirectory.empty())
        return result.c_str();
    const std::string dir = fakes::Lower(fakes::S().projectDirectory);
    const std::string lower = fakes::Lower(path);
    if (dir[0] != lower[0])
        return result.c_str();
    std::string d = dir;
    if (!d.empty() && d.back() == '/')
        d.pop_back();
    const auto dp = fakes::SplitSlash(d);
    const auto pp = fakes::SplitSlash(lower);
    size_t common = 0;
    while (common < dp.size() && common < pp.size() && dp[common] == pp[common])
        ++common;
    if (common == 0)
        return result.c_str();
    std::string rel;
    for (size_t i = common; i < dp.size(); ++i)
        rel += (i == common) ? ".." : "/..";
    std::string rest;
    for (size_t i = common; i < pp.size(); ++i)
        rest += (i == common ? "" : "/") + pp[i];
    if (!rel.empty() && !rest.empty())
        rel += "/";
    result = rel + rest;
    return result.c_str();
}

void BuildScenarioPath(void) { LogCall("BuildScenarioPath"); }

void ToForwardSlashes(char *text)
{
    if (!text)
        return;
    for (; *text; ++text)
        if (*text == '\\')
            *text = '/';
}

void UpdateMainTitle(void) { LogCall("UpdateMainTitle"); }

int16_t PathToFileSpec(const char *path, RUV_FILE_SPEC *spec)
{
    if (!path || !spec)
        return 0;
    char volume[RUV_FILE_DIR_SIZE], directory[RUV_FILE_DIR_SIZE], name[RUV_FILE_DIR_SIZE],
        extension[RUV_FILE_DIR_SIZE], version[RUV_FILE_DIR_SIZE];
    ruv_fsys_save_dir();
    int16_t ok = 0;
    RUV_FILE_SPEC result;
    std::memset(&result, 0, sizeof result);
    if (ruv_fsys_parse_pathname(path, volume, directory, name, extension, version)) {
        if (directory[0]) {
            const std::string dirText = std::string(volume) + directory;
            ok = ruv_fsys_convert_str_to_dir(dirText.c_str(), &result.dir) ? 1 : 0;
        } else {
            ok = ruv_fsys_get_dir(&result.dir) ? 1 : 0;
        }
        if (ok) {
            std::string leaf = name;
            if (extension[0])
                leaf += std::string(".") + extension;
            std::snprintf(result.name, sizeof result.name, "%s", leaf.c_str());
            *spec = result;
        }
    }
    ruv_fsys_restore_dir();
    return ok;
}

void SelectFile(const char *fileType, const char *prompt, int mode, RUV_FILE_SPEC *spec)
{
    fakes::Record("ask", Format("%s [*.%s %s]", prompt ? prompt : "", fileType ? fileType : "",
                                mode ? "open" : "save"));
    if (!spec)
        return;
    if (fileType)
        std::snprintf(spec->type, sizeof spec->type, "%s", fileType);
    spec->name[0] = '\0';
    std::string chosen;
    if (!fakes::NextFileAnswer(&chosen))
        return;
    RUV_FILE_SPEC picked;
    if (!PathToFileSpec(chosen.c_str(), &picked)) {
        PostErrorF("Error accessing file !");
        return;
    }
    spec->dir = picked.dir;
    ToForwardSlashes(spec->dir.path);
    std::snprintf(spec->name, sizeof spec->name, "%s", picked.name);
}

RUV_BOOL CheckZoomGrid(void)
{
    LogCall("CheckZoomGrid");
    return static_cast<RUV_BOOL>(fakes::S().zoomGridOk);
}

RUV_BOOL CheckSettlingTables(void)
{
    LogCall("CheckSettlingTables");
    return static_cast<RUV_BOOL>(fakes::S().settlingOk);
}

void ShowHydrodynamicsPage(ScenarioRecord *, RUV_WIN page)
{
    LogCall("ShowHydrodynamicsPage " + fakes::PageName(page));
}

void EnableInitialConditionButton(int flag)
{
    LogCall(Format("EnableInitialConditionButton %d", flag));
}

void ShowSubPane(RUV_WIN page, int32_t control, int index)
{
    LogCall(Format("ShowSubPane %s %d %d", fakes::PageName(page).c_str(), control, index));
}

void ShowScenarioBreak(int page, int subPane, int item)
{
    LogCall(Format("ShowScenarioBreak %d %d %d", page, subPane, item));
}

void SwitchPage(int n)
{
    LogCall(Format("SwitchPage %d", n));
    CurrentPage = n;
}

void EnablePageButtons(void) { LogCall("EnablePageButtons"); }

// As the map link does, the location's grid cell is found on the grid
// handed to the map (m = n = 0 off it).
void SendLocationToVisArea(RUV_WIN page, int pageNumber, int index, int mode)
{
    (void)page;
    GE_List *list = pageNumber == 7 ? g_scenario.instantaneousReleases
                    : pageNumber == 8 ? g_scenario.continuousReleases
                    : pageNumber == 10 ? g_scenario.observationPoints
                                       : nullptr;
    Location *location = nullptr;
    if (list && GE_ListGet(list, index, &location) && location)
        GE_FindGridCell(location->x, location->y, &location->words[0], &location->words[1]);
    fakes::Record("map", Format("SendLocationToVisArea page=%d index=%d mode=%d", pageNumber, index, mode));
}

// The cells of the locations are the map's affair: nothing to record.
void FindLocationCellsAgain(void) {}

const char *GetConcentrationUnit(void)
{
    static char unit[30];
    switch (fakes::ModelKind()) {
    case 1: std::snprintf(unit, sizeof unit, "degree C"); break;
    case 2: std::snprintf(unit, sizeof unit, "mumolN/l"); break;
    default: std::snprintf(unit, sizeof unit, "kg/m3"); break;
    }
    return unit;
}

char *GetMassUnit(void)
{
    auto *unit = static_cast<char *>(GE_Alloc(20));
    if (!unit)
        return nullptr;
    switch (fakes::ModelKind()) {
    case 1: std::snprintf(unit, 20, "m3 degree C"); break;
    case 2: std::snprintf(unit, 20, "1e3 mumolN"); break;
    default: std::snprintf(unit, 20, "kg"); break;
    }
    return unit;
}

XYSeries *CopyXYSeries(XYSeries *table, int count, const int *map)
{
    if (!table)
        return nullptr;
    const int previous = SelectXYSeries(table, XYS_ALL);
    const int rows = GetXYSeriesInfo(table, XYS_INFO_ROWS);
    const int series = GetXYSeriesInfo(table, XYS_INFO_SERIES);
    XYSeries *copy = nullptr;
    if (rows < 0) {
        std::printf("CopyXYSeries : Invalid number of rows !\n");
    } else if (series > 70 || count > 70) {
        std::printf("CopyXYSeries : Invalid number of series !\n");
    } else {
        const int columns = (count == -1 || count == series) ? series : count;
        copy = columns > 0 ? CreateXYSeries(XYS_LINEAR, 0, columns) : nullptr;
        if (copy) {
            SelectXYSeries(copy, XYS_ALL);
            std::vector<float> in(static_cast<size_t>(series)), out(static_cast<size_t>(columns));
            for (int r = 0; r < rows; ++r) {
                double time = 0.0;
                if (EvaluateXYSeries(table, XYS_ROW, r, &time, in.data(), nullptr) != XYS_OK) {
                    std::printf("CopyXYSeries : Unable to get data from XYSeries !\n");
                    DestroyXYSeries(copy);
                    copy = nullptr;
                    break;
                }
                for (int k = 0; k < columns; ++k) {
                    const int from = map ? map[k] : k;
                    out[static_cast<size_t>(k)] =
                        (from >= 0 && from < series) ? in[static_cast<size_t>(from)] : 0.0f;
                }
                XYSeriesEdit edit = {copy, XYS_INSERT_AT_TIME, r, time, out.data(), nullptr};
                EditXYSeriesRows(edit);
            }
            if (copy)
                SelectXYSeries(copy, 0);
        }
    }
    SelectXYSeries(table, previous);
    return copy;
}

void ResetTableSlots(int mode) { LogCall(Format("ResetTableSlots %d", mode)); }

void CreateDefaultTables(ScenarioRecord *scenario, int slot)
{
    LogCall(Format("CreateDefaultTables %d", slot));
    if (fakes::S().createDefaultTables)
        fakes::S().createDefaultTables(scenario, slot);
}

void UpdateTableTimes(ScenarioRecord *scenario)
{
    LogCall("UpdateTableTimes");
    if (fakes::S().updateTableTimes)
        fakes::S().updateTableTimes(scenario);
}

void PostNoteF(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = fakes::FormatV(format, args);
    va_end(args);
    ruv_dm_post_note("%s", text.c_str());
}

void PostErrorF(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = fakes::FormatV(format, args);
    va_end(args);
    ruv_dm_post_error("%s", text.c_str());
}

void SetWindowVisible(RUV_WIN window, int flag)
{
    LogCall(Format("SetWindowVisible %s %d", fakes::PageName(window).c_str(), flag));
}

void SetControlTitle(RUV_WIN window, int32_t controlId, const char *text)
{
    fakes::SetWindowTitle(ruv_win_get_ctl(window, controlId), text ? text : "");
}

const char *GetControlTitle(RUV_WIN window, int32_t controlId)
{
    static char buffer[101];
    buffer[0] = '\0';
    std::snprintf(buffer, sizeof buffer, "%s",
                  fakes::WindowTitle(ruv_win_get_ctl(window, controlId)).c_str());
    return buffer;
}

const char *statbar_set_title(RUV_WIN, const char *text)
{
    static std::string shown;
    shown = text ? text : "";
    fakes::Record("status", shown);
    return shown.c_str();
}

namespace {
// Page selections start at -1 (none), as after the editor's start.
struct EditorStateAtStart {
    EditorStateAtStart() { fakes::ResetEditorState(); }
} g_editorStateAtStart;
} // namespace
