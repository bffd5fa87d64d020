// Costs of the time tables on the decay pane, each against a bare loop in
// the same run that keeps the texts in a plain array and makes the same
// Win32 calls on plain native controls, as benchmarks of one run: a decay
// series of 1000 rows of 3 and of 270 columns shown (texts made and the
// table filled), walked from top to bottom by lines, row 0 inserted and
// deleted by the Table menu's commands, and the table stored back into the
// scenario.  Run by hand under Wine (Release build); the ratio of each pair
// is printed last, and the program exits 1 when an operation costs more
// than twice its bare loop.
//   wine editor_time_tables_bench.exe [benchmark options]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "dialog_controls.h"
#include "editor_shell.h"
#include "front_fixture.h"
#include "ruvv_attr.h"
#include "scenario_fixtures.h"
#include "table_control.h"
#include "time_tables.h"
#include "time_tables_core.h"

// The shell's services the tables call.
RUV_WIN MainWindow = NULL_WIN;
RUV_WIN PageWindows[EDITOR_PAGE_COUNT] = {};
int16_t ModifiedFlag = 0;
int32_t CurrentPage = 0;
int32_t PageSelection[EDITOR_PAGE_COUNT] = {};
int32_t PageFilled[EDITOR_PAGE_COUNT] = {};
static RUV_WIN decayPane = NULL_WIN;
RUV_WIN SubPaneWindow(int index) { return index == 0 ? decayPane : NULL_WIN; }
void SetModified(int flag) { ModifiedFlag = static_cast<int16_t>(flag); }
void UpdateMainTitle(void) {}
void HelpRemoveWindow(RUV_WIN) {}
void ClearWithBackground(RUV_WIN) {}
void ResetMapPageBoxes(void) {}
const char *GetConcentrationUnit(void) { return "kg/m3"; }
void StoreSubPane(int index, int release)
{
    if (index == 8) {
        StoreTable(&g_scenario, 10, release);
        StoreTable(&g_scenario, 11, release);
    }
}

namespace {

constexpr int kRows = 1000;
int32_t Quiet(RUV_WIN, RUV_EVENT *) { return 0; }

// The decay series: rows every 10 minutes, one value per column.
void MakeScenario(int columns)
{
    scenario_fixtures::DisposeScenario(&g_scenario);
    g_startup = StartupRecord();
    SetScenarioDefaults(&g_startup, &g_scenario);
    std::strcpy(g_scenario.hydReferenceTime, "20260601000000");
    std::strcpy(g_scenario.timeGroups[0][TIME_START], "20260601000000");
    std::strcpy(g_scenario.timeGroups[0][TIME_STOP], "20260607230000");
    std::strcpy(g_scenario.timeGroups[0][TIME_STEP], "00000000001000");
    for (int i = 0; i < columns; ++i) {
        const std::string name = "s" + std::to_string(i);
        scenario_fixtures::AddSubstance(&g_scenario, name.c_str());
        std::snprintf(g_startup.substanceNames[i % SCEN_MAX_SUBSTANCES], 30, "%s", name.c_str());
    }
    XYSeries *&decay = g_scenario.processParameters->decayRates;
    DestroyXYSeries(decay);
    decay = CreateXYSeries(XYS_LINEAR, 1, columns);
    std::vector<float> row(static_cast<size_t>(columns));
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < columns; ++c)
            row[static_cast<size_t>(c)] = static_cast<float>((r + 1) * 1.5e-3 * (c + 1));
        scenario_fixtures::AddRow(decay, 10.0 * r, row);
    }
    ResetTableSlots(0);
}

// The bare counterpart: texts in one plain array, native controls in the
// numbers the table made.
struct Bare {
    int rows = 0, columns = 0, visibleRows = 0, visibleColumns = 0, first = 0;
    std::vector<char> texts;
    HWND parent = nullptr, vbar = nullptr;
    std::vector<HWND> cells, headers;

    char *at(int r, int c) { return &texts[(static_cast<size_t>(r) * columns + c) * 60]; }
    void make(int r, int c, int vr, int vc)
    {
        rows = r, columns = c, visibleRows = vr, visibleColumns = vc, first = 0;
        texts.assign(static_cast<size_t>(rows) * columns * 60, 0);
        parent = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 700, 10, 600, 400, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        for (int i = 0; i < vr * vc; ++i)
            cells.push_back(CreateWindowExA(0, "Edit", " ", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                            (i % vc) * 90, 35 + (i / vc) * 22, 90, 22, parent, nullptr,
                                            GetModuleHandleA(nullptr), nullptr));
        for (int k = 0; k < vc; ++k)
            headers.push_back(CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, k * 90, 0, 90, 35, parent,
                                              nullptr, GetModuleHandleA(nullptr), nullptr));
        vbar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 580, 35, 16, 300, parent,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 340, 580, 16, parent, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    }
    void destroy()
    {
        DestroyWindow(parent);
        cells.clear();
        headers.clear();
    }
    void refresh()
    {
        for (int i = 0; i < visibleRows && first + i < rows; ++i)
            for (int k = 0; k < visibleColumns; ++k)
                SetWindowTextA(cells[static_cast<size_t>(i * visibleColumns + k)], at(first + i, k));
        SetScrollPos(vbar, SB_CTL, first, TRUE);
    }
};

int CountChildren(HWND parent, const char *cls)
{
    struct Count {
        const char *cls;
        HWND parent;
        int n;
    } count{cls, parent, 0};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto *c = reinterpret_cast<Count *>(p);
            char name[32] = "";
            GetClassNameA(h, name, sizeof name);
            if (GetParent(h) == c->parent && lstrcmpiA(name, c->cls) == 0)
                ++c->n;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

// The decay table of a scenario of the given columns shown on the pane,
// and a bare counterpart with as many cells shown, filled alike.
struct Shown {
    int columns;
    RUV_WIN table = NULL_WIN;
    Bare bare;
    int visibleRows = 0, visibleColumns = 0;

    explicit Shown(int c) : columns(c)
    {
        MakeScenario(columns);
        SetTableData(&g_scenario, decayPane, 0, 0);
        table = GetTableOfSlot(0);
        if (!table)
            return;
        HWND native = reinterpret_cast<HWND>(ruv_vobj_get_attr(table, RUV_ATTR_NATIVE_WINDOW));
        visibleColumns = CountChildren(native, "Static");
        visibleRows = visibleColumns > 0 ? CountChildren(native, "Edit") / visibleColumns : 0;
        ShowBare();
    }
    ~Shown()
    {
        bare.destroy();
        ResetTableSlots(1);
    }
    void ShowBare()
    {
        XYSeries *decay = g_scenario.processParameters->decayRates;
        bare.destroy();
        bare.make(kRows, columns + 1, visibleRows, visibleColumns);
        SelectXYSeries(decay, XYS_ALL);
        std::vector<float> values(static_cast<size_t>(columns));
        for (int r = 0; r < kRows; ++r) {
            double time = 0;
            EvaluateXYSeries(decay, XYS_ROW, r, &time, values.data(), nullptr);
            std::snprintf(bare.at(r, 0), 60, "%s",
                          time_tables::MinutesToText(g_scenario.hydReferenceTime, time).c_str());
            for (int c = 0; c < columns; ++c)
                std::snprintf(bare.at(r, c + 1), 60, "%s",
                              time_tables::FormatValue(values[static_cast<size_t>(c)]).c_str());
        }
        for (int k = 0; k < visibleColumns; ++k)
            SetWindowTextA(bare.headers[static_cast<size_t>(k)], "header");
        bare.refresh();
    }
    void Scroll(int action)
    {
        RUV_EVENT ev{};
        ev.type = E_CONTROL;
        ev.v.control.id = table_core::kVScrollId;
        ev.v.control.type = 16;
        ev.v.control.ctl = ruv_win_get_ctl(table, table_core::kVScrollId);
        ev.v.control.data.scroll.action = action;
        ruv_win_dispatch_event(table, &ev);
    }
};

int Columns(const benchmark::State &state) { return static_cast<int>(state.range(0)); }

bool Made(benchmark::State &state, const Shown &s)
{
    if (!s.table)
        state.SkipWithError("the decay table was not made");
    return s.table != NULL_WIN;
}

void BM_TablesShow(benchmark::State &state)
{
    Shown s(Columns(state));
    if (Made(state, s))
        for (auto _ : state)
            SetTableData(&g_scenario, decayPane, 0, 0);
}
void BM_BareShow(benchmark::State &state)
{
    Shown s(Columns(state));
    if (Made(state, s))
        for (auto _ : state)
            s.ShowBare();
}

void BM_TablesScrollByLines(benchmark::State &state)
{
    Shown s(Columns(state));
    if (Made(state, s))
        for (auto _ : state) {
            s.Scroll(SC_THUMB);
            for (int i = 0; i < kRows; ++i)
                s.Scroll(SC_LINE_DOWN);
        }
}
void BM_BareScrollByLines(benchmark::State &state)
{
    Shown s(Columns(state));
    if (Made(state, s))
        for (auto _ : state) {
            Bare &bare = s.bare;
            bare.first = 0;
            bare.refresh();
            for (int i = 0; i < kRows; ++i) {
                if (bare.first < bare.rows - bare.visibleRows)
                    ++bare.first;
                bare.refresh();
            }
        }
}

// Row 0 inserted and deleted by the Table menu's commands (the empty row
// then the row again).
void BM_TablesInsertDeleteRow0(benchmark::State &state)
{
    Shown s(Columns(state));
    if (Made(state, s))
        for (auto _ : state)
            for (int i = 0; i < 20; ++i) {
                GE_TableSetCurrent(s.table, 0, 1);
                InsertTableRow();
                GE_TableSetCurrent(s.table, 0, 1);
                DeleteTableRow();
            }
}
void BM_BareInsertDeleteRow0(benchmark::State &state)
{
    Shown s(Columns(state));
    if (Made(state, s))
        for (auto _ : state)
            for (int i = 0; i < 20; ++i) {
                Bare &bare = s.bare;
                SetFocus(bare.cells[1]);
                bare.texts.insert(bare.texts.begin(), static_cast<size_t>(bare.columns) * 60, 0);
                ++bare.rows;
                bare.refresh();
                SetFocus(bare.cells[1]);
                bare.texts.erase(bare.texts.begin(),
                                 bare.texts.begin() + static_cast<std::ptrdiff_t>(bare.columns) * 60);
                --bare.rows;
                bare.refresh();
            }
}

// Stored back: texts read, checked and made a series.
void BM_TablesStore(benchmark::State &state)
{
    Shown s(Columns(state));
    if (!Made(state, s))
        return;
    for (auto _ : state)
        StoreTableOfSlot(0);
    if (time_tables::SeriesRows(g_scenario.processParameters->decayRates) != kRows)
        state.SkipWithError("the stored decay table lost rows");
}
void BM_BareStore(benchmark::State &state)
{
    Shown s(Columns(state));
    if (!Made(state, s))
        return;
    const int columns = s.columns;
    Bare &bare = s.bare;
    for (auto _ : state) {
        XYSeries *series = CreateXYSeries(XYS_LINEAR, 1, columns);
        SelectXYSeries(series, XYS_ALL);
        std::vector<float> values(static_cast<size_t>(columns));
        char copy[60];
        for (int r = 0; r < bare.rows; ++r) {
            std::memcpy(copy, bare.at(r, 0), 60);
            double minutes = 0;
            time_tables::TextToMinutes(g_scenario.hydReferenceTime, copy, &minutes);
            for (int c = 0; c < columns; ++c) {
                std::memcpy(copy, bare.at(r, c + 1), 60);
                char *end = nullptr;
                values[static_cast<size_t>(c)] = static_cast<float>(std::strtod(copy, &end));
            }
            XYSeriesEdit edit = {series, XYS_INSERT_AT_TIME, r, minutes, values.data(), nullptr};
            EditXYSeriesRows(edit);
        }
        DestroyXYSeries(series);
    }
}

const bench_ratio::Pair kOperations[] = {
    { "shown", "BM_TablesShow", "BM_BareShow", 3, BM_TablesShow, BM_BareShow },
    { "scroll top to bottom by lines", "BM_TablesScrollByLines", "BM_BareScrollByLines", 1, BM_TablesScrollByLines,
      BM_BareScrollByLines },
    { "insert and delete row 0 (x20)", "BM_TablesInsertDeleteRow0", "BM_BareInsertDeleteRow0", 3,
      BM_TablesInsertDeleteRow0, BM_BareInsertDeleteRow0 },
    { "stored back", "BM_TablesStore", "BM_BareStore", 3, BM_TablesStore, BM_BareStore },
};

std::string Size(int64_t columns) { return std::to_string(kRows) + " x " + std::to_string(columns); }

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    bench_ratio::RegisterPairs(kOperations, { 3, 270 });
    bool slow = false;
    ruvf_test::in_app([&] {
        RUV_RECT r{10, 10, 700, 900};
        RUV_WIN page = ruv_win_create(1, &r, "Time table costs", 0,
                                      reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)),
                                      0x803, RUV_EVENT_MASK_ALL, Quiet, nullptr);
        decayPane = CreateChildPaneEx(page, 128, Quiet, 0, 70, 700, 700, nullptr);
        bench_ratio::Keeper keeper;
        benchmark::RunSpecifiedBenchmarks(&keeper);
        slow = !bench_ratio::PrintPairs(keeper, kOperations, { 3, 270 }, Size, 2.0);
        ruv_vobj_destroy(page);
    });
    benchmark::Shutdown();
    return slow ? 1 : 0;
}
