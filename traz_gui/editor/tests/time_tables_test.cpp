// The time tables on the editor's real panes and windows: a slot's table
// made from the scenario inside its placeholder (headers, texts, rows cut
// to 1000 after the box), typed cells checked when left and when stored
// (the series unchanged on a refusal), the row commands with their notes
// on windows 146, 148, 174 and the six settling tables (a deleted or
// inserted row reaching all six in the scenario), an open table rebuilt
// when the simulation stop moves and the rows outside a new period
// dropped, 270 decay columns, and window 186.
#include "time_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "editor_test_support.h"
#include "front_fixture.h"
#include "ruvv_attr.h"
#include "scenario_fixtures.h"
#include "table_control.h"
#include "time_tables_core.h"

using namespace ruvf_test;
using editor_test::NativeOf;

// ---- the shell's services the tables call, on the test's panes ----
RUV_WIN MainWindow = NULL_WIN;
RUV_WIN PageWindows[EDITOR_PAGE_COUNT] = {};
int16_t ModifiedFlag = 0;
int32_t CurrentPage = 0;
int32_t PageSelection[EDITOR_PAGE_COUNT] = {};
int32_t PageFilled[EDITOR_PAGE_COUNT] = {};
static RUV_WIN panes[EDITOR_SUBPANE_COUNT] = {};
RUV_WIN SubPaneWindow(int index) { return index >= 0 && index < EDITOR_SUBPANE_COUNT ? panes[index] : NULL_WIN; }
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

using scenario_fixtures::AddRow;

RUV_WIN Task() { return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)); }

int32_t Quiet(RUV_WIN, RUV_EVENT *) { return 0; }

// The panes and windows of the tables: the decay (0), settling (4), wind
// (5) and recovery (7) panes on a page, windows 148, 146 and 174.
struct Panes {
    RUV_WIN page = NULL_WIN;
    Panes()
    {
        RUV_RECT r{10, 10, 700, 900};
        page = ruv_win_create(1, &r, "Tables", 0, Task(), 0x803, RUV_EVENT_MASK_ALL, Quiet, nullptr);
        panes[0] = CreateChildPaneEx(page, 128, Quiet, 0, 70, 700, 700, nullptr);
        panes[4] = CreateChildPaneEx(page, 130, Quiet, 0, 70, 700, 456, nullptr);
        panes[5] = CreateChildPaneEx(page, 132, Quiet, 0, 70, 700, 550, nullptr);
        panes[7] = CreateChildPaneEx(page, 156, Quiet, 0, 280, 580, 560, nullptr);
        panes[8] = ruv_win_create_res(148, Task(), nullptr, Quiet, 0xFFFFFFFFu);
        panes[9] = ruv_win_create_res(146, Task(), nullptr, Quiet, 0xFFFFFFFFu);
        panes[10] = ruv_win_create_res(174, Task(), nullptr, Quiet, 0xFFFFFFFFu);
        // A refused cell gets the focus back only in a table on the screen.
        for (RUV_WIN w : {page, panes[0], panes[4], panes[5], panes[7], panes[8], panes[9], panes[10]})
            ShowWindow(NativeOf(w), SW_SHOWNA);
    }
    ~Panes()
    {
        ResetTableSlots(1);
        for (RUV_WIN &p : panes)
            if (p) {
                ruv_vobj_destroy(p);
                p = NULL_WIN;
            }
        ruv_vobj_destroy(page);
    }
};

// A scenario from 01 06 2026 01:00 to 23:00 by 5 minutes with substances
// "dye" and "salt", each table of two rows.
void MakeScenario(int substances = 2, bool oil = false)
{
    scenario_fixtures::DisposeScenario(&g_scenario);
    g_startup = StartupRecord();
    SetScenarioDefaults(&g_startup, &g_scenario);
    std::strcpy(g_scenario.hydReferenceTime, "20260601000000");
    std::strcpy(g_scenario.timeGroups[0][TIME_START], "20260601010000");
    std::strcpy(g_scenario.timeGroups[0][TIME_STOP], "20260601230000");
    std::strcpy(g_scenario.timeGroups[0][TIME_STEP], "00000000000500");
    g_scenario.modelKind = oil ? MODEL_OIL : MODEL_TRACER;
    for (int i = 0; i < substances; ++i) {
        char name[20];
        std::snprintf(name, sizeof name, "%s", i == 0 ? "dye" : i == 1 ? "salt" : ("s" + std::to_string(i)).c_str());
        if (oil)
            scenario_fixtures::AddOilFraction(&g_scenario, name);
        else
            scenario_fixtures::AddSubstance(&g_scenario, name);
        std::snprintf(g_startup.substanceNames[i], 30, "%s", name);
        std::snprintf(g_startup.massUnits[i], 30, "kg");
        g_startup.oilFlags[i] = oil ? 1 : 0;
    }
    ProcessParameters *p = g_scenario.processParameters;
    const int decayColumns = substances * (oil ? 3 : 1);
    const auto table = [](XYSeries *&t, int columns, float value) {
        DestroyXYSeries(t);
        t = CreateXYSeries(XYS_LINEAR, 1, columns);
        AddRow(t, 60.0, std::vector<float>(static_cast<size_t>(columns), value));
        AddRow(t, 1380.0, std::vector<float>(static_cast<size_t>(columns), value));
    };
    table(p->decayRates, decayColumns, 0.2f);
    table(p->physical->wind, 2, 4.0f);
    for (XYSeries *&s : p->settling)
        table(s, substances * (oil ? 2 : 1), 0.0f);
    ResetTableSlots(0);
}

HWND Cell(RUV_WIN table, int row, int column)
{
    const int32_t slot = GE_TableCellControl(table, row, column);
    return slot < 0 ? nullptr : GetDlgItem(NativeOf(table), slot);
}

std::string CellText(RUV_WIN table, int row, int column)
{
    char text[64] = "";
    GE_TableGetCell(table, row, column, text);
    return text;
}

int Rows(XYSeries *s) { return time_tables::SeriesRows(s); }

// The window's own visibility (its pane may be hidden).
bool Shown(RUV_WIN w) { return (GetWindowLongA(NativeOf(w), GWL_STYLE) & WS_VISIBLE) != 0; }

// Runs f with the boxes of script answered; every one must come.
template <typename F>
void WithBoxes(std::vector<std::string> texts, F f)
{
    std::vector<kt::Answer> script;
    for (const std::string &t : texts)
        script.push_back({t, 0});
    kt::ModalGuard guard(script);
    f();
    guard.stop();
}

TEST(TimeTables, ASlotsTableFillsItsPlaceholderWithHeadersAndTexts)
{
    in_app([] {
        Panes p;
        MakeScenario();
        WithBoxes({}, [] { SetTableData(&g_scenario, panes[0], 0, 0); });
        RUV_WIN table = GetTableOfSlot(0);
        ASSERT_TRUE(table);
        EXPECT_EQ(GE_TableRowCount(table), 2);
        EXPECT_EQ(GE_TableColumnCount(table), 3);
        EXPECT_EQ(CellText(table, 0, 0), "01 06 2026 01 00 00");
        EXPECT_EQ(CellText(table, 1, 0), "01 06 2026 23 00 00");
        EXPECT_EQ(CellText(table, 1, 2), "0.200");
        EXPECT_EQ(editor_test::WindowText(GetDlgItem(NativeOf(table), 3000)),
                  " time breakpoints\n dd mm yyyy hh mm ss ");
        EXPECT_EQ(editor_test::WindowText(GetDlgItem(NativeOf(table), 3002)), "salt\n [1/day]");
        EXPECT_TRUE(Shown(table));
        EXPECT_EQ(g_startup.tableSlotFlags[0], 0);

        // Inside the placeholder control 1 of the pane.
        RECT holder, inner;
        GetWindowRect(GetDlgItem(NativeOf(panes[0]), 1), &holder);
        GetWindowRect(NativeOf(table), &inner);
        EXPECT_GE(inner.left, holder.left);
        EXPECT_GE(inner.top, holder.top);
        EXPECT_LE(inner.right, holder.right);
        EXPECT_LE(inner.bottom, holder.bottom);

        // The recovery table of no rows shows one row at the start, 1.0;
        // the masses of a release always one row.
        WithBoxes({}, [] { SetTableData(&g_scenario, panes[7], 12, 0); });
        EXPECT_EQ(GE_TableRowCount(GetTableOfSlot(12)), 1);
        EXPECT_EQ(CellText(GetTableOfSlot(12), 0, 1), "1.0");
        Location *spill = scenario_fixtures::AddLocation(g_scenario.instantaneousReleases, "Spill", 0, 0);
        spill->masses = CreateXYSeries(XYS_LINEAR, 0, 2);
        AddRow(spill->masses, 1.0, {250.f, 0.f});
        AddRow(spill->masses, 2.0, {1.f, 1.f});
        WithBoxes({}, [] { SetTableData(&g_scenario, panes[9], 9, 0); });
        RUV_WIN masses = GetTableOfSlot(9);
        EXPECT_EQ(GE_TableRowCount(masses), 1);
        EXPECT_EQ(GE_TableColumnCount(masses), 2);
        EXPECT_EQ(CellText(masses, 0, 0), "250.000");
        EXPECT_EQ(editor_test::WindowText(GetDlgItem(NativeOf(masses), 3000)), "dye\n [kg]");

        // 1500 rows: the box, then 1000 rows.
        XYSeries *&decay = g_scenario.processParameters->decayRates;
        DestroyXYSeries(decay);
        decay = CreateXYSeries(XYS_LINEAR, 1, 2);
        for (int r = 0; r < 1500; ++r)
            AddRow(decay, 60.0 + r, {0.1f, 0.2f});
        WithBoxes({"Too many rows in table!\nNumber of rows restricted to 1000"},
                  [] { SetTableData(&g_scenario, panes[0], 0, 0); });
        EXPECT_EQ(GE_TableRowCount(GetTableOfSlot(0)), 1000);
        EXPECT_EQ(CellText(GetTableOfSlot(0), 999, 0), "01 06 2026 17 39 00");
    });
}

TEST(TimeTables, StoringReadsTheTableBackOrRefusesABadCellKeepingTheSeries)
{
    in_app([] {
        Panes p;
        MakeScenario();
        SetTableData(&g_scenario, panes[5], 2, 0);
        RUV_WIN wind = GetTableOfSlot(2);
        ASSERT_TRUE(wind);
        XYSeries *before = g_scenario.processParameters->physical->wind;
        const struct {
            int row, column;
            const char *text, *message;
        } refused[] = {
            {0, 1, "abc", "Input error:\nInput abc in row 1, column 2 is not a valid floating point number"},
            {1, 2, "1.5\t2.5", "Input error:\nInput 1.5\t2.5 in row 2, column 3 is not a valid floating point number"},
            {1, 0, "31 02 2026 00 00 00", "Input error:\nInput 31 02 2026 00 00 00 in row 2, column 1 is not a valid date-time"},
            {1, 1, " ", "Input error:\nEmpty value in row 2, column 2"},
        };
        for (const auto &c : refused) {
            char old[64] = "";
            GE_TableGetCell(wind, c.row, c.column, old);
            GE_TableSetCell(wind, c.row, c.column, c.text);
            WithBoxes({c.message}, [] { StoreTable(&g_scenario, 2, 0); });
            EXPECT_EQ(g_scenario.processParameters->physical->wind, before) << c.text;
            EXPECT_EQ(GetFocus(), Cell(wind, c.row, c.column)) << c.text;
            GE_TableSetCell(wind, c.row, c.column, old);
        }
        // A wholly empty row is skipped; the others are read.
        GE_TableInsertRow(wind, 1);
        GE_TableSetCell(wind, 0, 1, "2.5e-3");
        WithBoxes({}, [] { StoreTable(&g_scenario, 2, 0); });
        XYSeries *after = g_scenario.processParameters->physical->wind;
        ASSERT_NE(after, before);
        EXPECT_EQ(Rows(after), 2);
        float values[2];
        double time = 0;
        SelectXYSeries(after, XYS_ALL);
        EvaluateXYSeries(after, XYS_ROW, 0, &time, values, nullptr);
        EXPECT_FLOAT_EQ(values[0], 0.0025f);
        EXPECT_EQ(time, 60.0);
    });
}

TEST(TimeTables, ACellIsCheckedWhenLeftAndGetsTheFocusBack)
{
    in_app([] {
        Panes p;
        MakeScenario();
        SetTableData(&g_scenario, panes[0], 0, 0);
        RUV_WIN decay = GetTableOfSlot(0);
        GE_TableSetCurrent(decay, 0, 1);
        SetWindowTextA(Cell(decay, 0, 1), "abc");
        WithBoxes({"Input error:\nInput abc in row 1, column 2 is not a valid floating point number"},
                  [&] { SetFocus(Cell(decay, 0, 2)); pump(50); });
        pump(50);
        EXPECT_EQ(GetFocus(), Cell(decay, 0, 1));
        // A good number passes; emptied, the cell gets it back.
        SetWindowTextA(Cell(decay, 0, 1), "7");
        WithBoxes({}, [&] { SetFocus(Cell(decay, 0, 2)); pump(50); });
        EXPECT_EQ(GetFocus(), Cell(decay, 0, 2));
        GE_TableSetCurrent(decay, 0, 1);
        SetWindowTextA(Cell(decay, 0, 1), "");
        WithBoxes({"Input error:\nEmpty value in row 1, column 2\nPrevious input reset"},
                  [&] { SetFocus(Cell(decay, 0, 2)); pump(50); });
        pump(50);
        EXPECT_EQ(CellText(decay, 0, 1), "7");
        EXPECT_EQ(GetFocus(), Cell(decay, 0, 1));
        // The empty cells of a row inserted are left without a box as long
        // as nothing is typed; its time typed is checked.
        GE_TableInsertRow(decay, 1);
        GE_TableSetCurrent(decay, 1, 1);
        WithBoxes({}, [&] { SetFocus(Cell(decay, 1, 0)); pump(50); });
        EXPECT_EQ(GetFocus(), Cell(decay, 1, 0));
        SetWindowTextA(Cell(decay, 1, 0), "01 06 2026 12 00 00");
        WithBoxes({}, [&] { SetFocus(Cell(decay, 1, 1)); pump(50); });
        WithBoxes({}, [&] { SetFocus(Cell(decay, 1, 2)); pump(50); });
        EXPECT_EQ(GetFocus(), Cell(decay, 1, 2));
        EXPECT_EQ(CellText(decay, 1, 0), "01 06 2026 12 00 00");
    });
}

TEST(TimeTables, TablesShownAreCheckedBeforeTheyAreLeft)
{
    in_app([] {
        Panes p;
        MakeScenario();
        SetTableData(&g_scenario, panes[0], 0, 0);
        SetTableData(&g_scenario, panes[5], 2, 0);
        ShowWindow(NativeOf(panes[5]), SW_HIDE);
        RUV_WIN decay = GetTableOfSlot(0);
        RUV_WIN wind = GetTableOfSlot(2);
        // Tables as filled pass, shown or not.
        WithBoxes({}, [] { EXPECT_EQ(CheckShownTables(NULL_WIN, ""), 1); });
        // A text being typed that its cell refuses: one box, the cell's
        // text back, the focus in it.
        GE_TableSetCurrent(decay, 1, 2);
        SetWindowTextA(Cell(decay, 1, 2), "abc");
        WithBoxes({"Input error:\nInput abc in row 2, column 3 is not a valid floating point number"
                   "\nPrevious input reset\nData not saved"},
                  [] { EXPECT_EQ(CheckShownTables(NULL_WIN, "\nData not saved"), 0); });
        pump(50);
        EXPECT_EQ(CellText(decay, 1, 2), "0.200");
        EXPECT_EQ(GetFocus(), Cell(decay, 1, 2));
        // A row filled in part: its empty cell named and focused, nothing
        // stored.
        GE_TableInsertRow(decay, 1);
        GE_TableSetCell(decay, 1, 0, "01 06 2026 12 00 00");
        GE_TableSetCell(decay, 1, 1, "0.5");
        XYSeries *before = g_scenario.processParameters->decayRates;
        WithBoxes({"Input error:\nEmpty value in row 2, column 3"},
                  [] { EXPECT_EQ(CheckShownTables(NULL_WIN, ""), 0); });
        pump(50);
        EXPECT_EQ(GetFocus(), Cell(decay, 1, 2));
        WithBoxes({"Input error:\nEmpty value in row 2, column 3"},
                  [] { EXPECT_FALSE(StoreTable(&g_scenario, 0, 0)); });
        EXPECT_EQ(g_scenario.processParameters->decayRates, before);
        // The wind table hidden with its pane is not looked at; asked for
        // by its window, it is.
        GE_TableSetCell(decay, 1, 2, "0.25");
        GE_TableSetCell(wind, 0, 1, "");
        WithBoxes({}, [] { EXPECT_EQ(CheckShownTables(NULL_WIN, ""), 1); });
        WithBoxes({"Input error:\nEmpty value in row 1, column 2"},
                  [] { EXPECT_EQ(CheckShownTables(panes[5], ""), 0); });
        WithBoxes({}, [] { EXPECT_TRUE(StoreTable(&g_scenario, 0, 0)); });
        EXPECT_EQ(Rows(g_scenario.processParameters->decayRates), 3);
    });
}

TEST(TimeTables, RowCommandsGiveTheirNotesByTableAndRows)
{
    in_app([] {
        Panes p;
        MakeScenario();
        Location *spill = scenario_fixtures::AddLocation(g_scenario.instantaneousReleases, "Spill", 0, 0);
        spill->masses = CreateXYSeries(XYS_LINEAR, 0, 2);
        AddRow(spill->masses, 1.0, {250.f, 0.f});
        Location *outfall = scenario_fixtures::AddLocation(g_scenario.continuousReleases, "Outfall", 0, 0);
        outfall->masses = CreateXYSeries(XYS_LINEAR, 0, 2);
        AddRow(outfall->masses, 1.0, {0.5f, 30.f});
        outfall->releaseRates = CreateXYSeries(XYS_LINEAR, 1, 1);
        AddRow(outfall->releaseRates, 60.0, {2.f});
        AddRow(outfall->releaseRates, 1380.0, {2.f});
        g_scenario.processParameters->intakes = CreateXYSeries(XYS_LINEAR, 0, 9);
        SetTableData(&g_scenario, panes[9], 9, 0);
        SetTableData(&g_scenario, panes[8], 10, 0);
        SetTableData(&g_scenario, panes[8], 11, 0);
        SetTableData(&g_scenario, panes[10], 1, 0);
        SetTableData(&g_scenario, panes[5], 2, 0);
        const struct {
            int slot;
            void (*command)();
            const char *note;   // nullptr: done
            int rowsAfter;
            int modified;
        } cases[] = {
            {9, InsertTableRow, "Only one row required !", 1, 0},
            {11, CopyTableRow, "Only one row required !", 1, 0},
            {9, DeleteTableRow, "Minimum one row required !", 1, 0},
            {11, DeleteTableRow, "Minimum one row required !", 1, 0},
            {1, DeleteTableRow, "Minimum one row required !", 1, 0},
            {10, DeleteTableRow, "At Least 2 rows required !", 2, 0},
            {2, DeleteTableRow, "At Least 2 rows required !", 2, 0},
            {10, InsertTableRow, nullptr, 3, 1},
            {1, CopyTableRow, nullptr, 2, 1},
            {10, DeleteTableRow, nullptr, 2, 1},
        };
        for (const auto &c : cases) {
            RUV_WIN table = GetTableOfSlot(c.slot);
            ASSERT_TRUE(table) << c.slot;
            GE_TableSetCurrent(table, 0, 0);
            ModifiedFlag = 0;
            std::vector<std::string> boxes;
            if (c.note)
                boxes.push_back(c.note);
            WithBoxes(boxes, c.command);
            EXPECT_EQ(GE_TableRowCount(table), c.rowsAfter) << c.slot << " " << (c.note ? c.note : "");
            EXPECT_EQ(ModifiedFlag, c.modified) << c.slot;
        }
        // Cells inside the table only.
        RUV_WIN rates = GetTableOfSlot(10);
        const int cellCases[][3] = {{0, 0, 1}, {1, 1, 1}, {2, 0, 0}, {0, 2, 0}, {-1, 0, 0}, {0, -1, 0}};
        for (const auto &c : cellCases)
            EXPECT_EQ(IsValidTableCell(rates, c[0], c[1]), c[2]) << c[0] << "," << c[1];
        EXPECT_EQ(IsValidTableCell(NULL_WIN, 0, 0), 0);
        // No table of a slot focused: nothing changes, the scenario is
        // marked modified; Copy value marks it only when it copied.
        SetFocus(NativeOf(p.page));
        ModifiedFlag = 0;
        WithBoxes({}, [] { InsertTableRow(); });
        EXPECT_EQ(ModifiedFlag, 1);
        ModifiedFlag = 0;
        WithBoxes({}, [] { CopyTableValue(); });
        EXPECT_EQ(ModifiedFlag, 0);
        RUV_WIN wind = GetTableOfSlot(2);
        GE_TableSetCurrent(wind, 1, 1);
        SetWindowTextA(Cell(wind, 1, 1), "9.5");
        WithBoxes({}, [] { CopyTableValue(); });
        EXPECT_EQ(CellText(wind, 0, 1), "9.5");
        EXPECT_EQ(ModifiedFlag, 1);
        // Insert and Copy row take the text being typed first: the copy
        // holds it; a text refused is not copied, nor the row inserted.
        GE_TableSetCurrent(wind, 1, 2);
        SetWindowTextA(Cell(wind, 1, 2), "12.5");
        WithBoxes({}, [] { CopyTableRow(); });
        EXPECT_EQ(CellText(wind, 1, 2), "12.5");
        EXPECT_EQ(CellText(wind, 2, 2), "12.5");
        GE_TableSetCurrent(wind, 0, 2);
        SetWindowTextA(Cell(wind, 0, 2), "1,5");
        WithBoxes({"Input error:\nInput 1,5 in row 1, column 3 is not a valid floating point number"
                   "\nPrevious input reset"},
                  [] { InsertTableRow(); });
        EXPECT_EQ(GE_TableRowCount(wind), 3);
        EXPECT_EQ(CellText(wind, 0, 2), "4.000");
        SetWindowTextA(Cell(wind, 0, 2), "x");
        WithBoxes({"Input error:\nInput x in row 1, column 3 is not a valid floating point number"
                   "\nPrevious input reset"},
                  [] { CopyTableValue(); });
        EXPECT_EQ(CellText(wind, 1, 2), "12.5");
    });
}

TEST(TimeTables, TheReleaseWindowsTablesAreStoredAndMustCoverTheSimulation)
{
    in_app([] {
        Panes p;
        MakeScenario();
        Location *outfall = scenario_fixtures::AddLocation(g_scenario.continuousReleases, "Outfall", 0, 0);
        outfall->masses = CreateXYSeries(XYS_LINEAR, 0, 2);
        AddRow(outfall->masses, 1.0, {0.5f, 30.f});
        outfall->releaseRates = CreateXYSeries(XYS_LINEAR, 1, 1);
        AddRow(outfall->releaseRates, 60.0, {2.f});
        AddRow(outfall->releaseRates, 1380.0, {2.f});
        SetTableData(&g_scenario, panes[8], 10, 0);
        SetTableData(&g_scenario, panes[8], 11, 0);
        RUV_WIN rates = GetTableOfSlot(10);
        RUV_WIN masses = GetTableOfSlot(11);
        GE_TableSetCell(masses, 0, 1, "35");
        int covers = -1;
        WithBoxes({}, [&] { covers = StoreReleaseTableAndCheck(8, 0); });
        EXPECT_EQ(covers, 1);
        float values[2];
        double time = 0;
        SelectXYSeries(outfall->masses, XYS_ALL);
        EvaluateXYSeries(outfall->masses, XYS_ROW, 0, &time, values, nullptr);
        EXPECT_FLOAT_EQ(values[1], 35.f);
        // Ends inside the simulation: both boxes, the table stored as typed.
        GE_TableSetCell(rates, 0, 0, "01 06 2026 02 00 00");
        GE_TableSetCell(rates, 1, 0, "01 06 2026 22 00 00");
        WithBoxes({"Error:\nStart time table after start time simulation \nStart time table          : "
                   "20260601020000\nStart time simulation     : 20260601010000",
                   "Error:\nEnd time table before end time simulation \nEnd time table        : "
                   "20260601220000\nEnd time simulation   : 20260601230000"},
                  [&] { covers = StoreReleaseTableAndCheck(8, 0); });
        EXPECT_EQ(covers, 0);
        SelectXYSeries(outfall->releaseRates, XYS_ALL);
        EvaluateXYSeries(outfall->releaseRates, XYS_ROW, 1, &time, values, nullptr);
        EXPECT_EQ(time, 1320.0);
    });
}

TEST(TimeTables, SettlingRowsComeAndGoInAllSixTables)
{
    in_app([] {
        Panes p;
        MakeScenario();
        for (XYSeries *s : g_scenario.processParameters->settling)
            AddRow(s, 600.0, {1.f, 2.f});
        ShowSettlingTable(panes[4], 5);
        RUV_WIN focused = GetTableOfSlot(5);
        ASSERT_TRUE(focused);
        EXPECT_TRUE(Shown(focused));
        // The second-to-last of three rows goes from all six; the five
        // others are stored, so the scenario's six agree after the store
        // of the focused one.
        GE_TableSetCurrent(focused, 1, 1);
        WithBoxes({}, [] { DeleteTableRow(); });
        for (int s = 3; s <= 8; ++s) {
            ASSERT_TRUE(GetTableOfSlot(s)) << s;
            EXPECT_EQ(GE_TableRowCount(GetTableOfSlot(s)), 2) << s;
            EXPECT_EQ(Shown(GetTableOfSlot(s)), s == 5) << s;
            if (s != 5) {
                EXPECT_EQ(Rows(g_scenario.processParameters->settling[s - 3]), 2) << s;
            }
        }
        StoreTableOfSlot(5);
        EXPECT_EQ(Rows(g_scenario.processParameters->settling[2]), 2);
        EXPECT_EQ(CellText(GetTableOfSlot(3), 1, 0), "01 06 2026 23 00 00");
        // Insert reaches all six; the empty rows are skipped when stored.
        GE_TableSetCurrent(focused, 1, 0);
        WithBoxes({}, [] { InsertTableRow(); });
        for (int s = 3; s <= 8; ++s)
            EXPECT_EQ(GE_TableRowCount(GetTableOfSlot(s)), 3) << s;
        // The empty row goes; then a filled one of the two left may not.
        GE_TableSetCurrent(focused, 1, 0);
        WithBoxes({}, [] { DeleteTableRow(); });
        GE_TableSetCurrent(GetTableOfSlot(5), 0, 0);
        WithBoxes({"At Least 2 rows required !"}, [] { DeleteTableRow(); });
        // A row filled in another of the six counts: an empty row of the
        // table shown whose twin holds a time is no empty row.
        WithBoxes({}, [] { InsertTableRow(); });
        GE_TableSetCell(GetTableOfSlot(3), 0, 0, "01 06 2026 12 00 00");
        WithBoxes({}, [] { DeleteTableRow(); });
        EXPECT_EQ(GE_TableRowCount(GetTableOfSlot(5)), 2);
        GE_TableSetCurrent(GetTableOfSlot(5), 0, 0);
        WithBoxes({"At Least 2 rows required !"}, [] { DeleteTableRow(); });
    });
}

TEST(TimeTables, ANewStopRebuildsTheOpenTablesAndMovesEveryLastRow)
{
    in_app([] {
        Panes p;
        MakeScenario();
        Location *outfall = scenario_fixtures::AddLocation(g_scenario.continuousReleases, "Outfall", 0, 0);
        outfall->releaseRates = CreateXYSeries(XYS_LINEAR, 1, 1);
        SetTableData(&g_scenario, panes[0], 0, 0);
        RUV_WIN decay = GetTableOfSlot(0);
        GE_TableSetCell(decay, 0, 1, "0.75");   // typed, not stored yet
        std::strcpy(g_scenario.timeGroups[0][TIME_STOP], "20260601200000");
        WithBoxes({}, [] { UpdateTableTimes(&g_scenario); });
        decay = GetTableOfSlot(0);
        ASSERT_TRUE(decay);
        EXPECT_EQ(CellText(decay, 1, 0), "01 06 2026 20 00 00");
        EXPECT_EQ(CellText(decay, 0, 1), "0.750");
        XYSeries *moved[] = {g_scenario.processParameters->decayRates, g_scenario.processParameters->physical->wind,
                             g_scenario.processParameters->settling[0], g_scenario.processParameters->settling[5],
                             outfall->releaseRates};
        for (XYSeries *s : moved) {
            ASSERT_EQ(Rows(s), 2);
            double time = 0;
            SelectXYSeries(s, XYS_ALL);
            std::vector<float> v(static_cast<size_t>(time_tables::SeriesCount(s)));
            EvaluateXYSeries(s, XYS_ROW, 1, &time, v.data(), nullptr);
            EXPECT_EQ(time, 1200.0);
        }
        // Storing the open table afterwards keeps the new stop.
        StoreTableOfSlot(0);
        double time = 0;
        float v[2];
        SelectXYSeries(g_scenario.processParameters->decayRates, XYS_ALL);
        EvaluateXYSeries(g_scenario.processParameters->decayRates, XYS_ROW, 1, &time, v, nullptr);
        EXPECT_EQ(time, 1200.0);
    });
}

// The last substance deleted: the decay and settling tables keep one
// column and their rows, whose ends follow the period as they do with
// substances; a table without rows is left without.
TEST(TimeTables, WithoutSubstancesTheKeptTablesFollowThePeriod)
{
    in_app([] {
        Panes p;
        MakeScenario(1);
        Substance *sub = nullptr;
        GE_ListRemove(g_scenario.substances, 0, &sub);
        FreeSubstance(sub);
        ProcessParameters *pp = g_scenario.processParameters;
        DestroyXYSeries(pp->settling[5]);
        pp->settling[5] = CreateXYSeries(XYS_LINEAR, 1, 1);
        std::strcpy(g_scenario.timeGroups[0][TIME_STOP], "20260601200000");
        WithBoxes({}, [] { UpdateTableTimes(&g_scenario); });
        for (XYSeries *s : {pp->decayRates, pp->settling[0], pp->settling[4]}) {
            ASSERT_EQ(Rows(s), 2);
            ASSERT_EQ(time_tables::SeriesCount(s), 1);
            double first = 0, last = 0;
            float v = 0;
            SelectXYSeries(s, XYS_ALL);
            EvaluateXYSeries(s, XYS_ROW, 0, &first, &v, nullptr);
            EvaluateXYSeries(s, XYS_ROW, 1, &last, &v, nullptr);
            EXPECT_EQ(first, 60.0);
            EXPECT_EQ(last, 1200.0);
        }
        EXPECT_EQ(Rows(pp->settling[5]), 0);
    });
}

TEST(TimeTables, AnEarlierStopCountsAndDropsTheRowsAfterItTypedOnesToo)
{
    in_app([] {
        Panes p;
        MakeScenario();
        ProcessParameters *pp = g_scenario.processParameters;
        // Wind at 01:00 with more digits than its cells show and at 12:00;
        // decay at 05:00, typed to 15:00 in its open table; recovery at
        // 01:00 and 20:00, its table never shown.
        DestroyXYSeries(pp->physical->wind);
        pp->physical->wind = CreateXYSeries(XYS_LINEAR, 1, 2);
        AddRow(pp->physical->wind, 60.0, {4.0005f, 225.0f});
        AddRow(pp->physical->wind, 720.0, {8.0f, 270.0f});
        AddRow(pp->physical->wind, 1380.0, {6.0f, 300.0f});
        AddRow(pp->decayRates, 300.0, {0.3f, 0.0f});
        g_scenario.outputOptions->recovery = CreateXYSeries(XYS_LINEAR, 1, 1);
        AddRow(g_scenario.outputOptions->recovery, 60.0, {1.0f});
        AddRow(g_scenario.outputOptions->recovery, 1200.0, {0.25f});
        SetTableData(&g_scenario, panes[5], 2, 0);
        SetTableData(&g_scenario, panes[0], 0, 0);
        GE_TableSetCell(GetTableOfSlot(0), 1, 0, "01 06 2026 15 00 00");

        // Up to 10:00: the 12:00 wind row, the typed 15:00 decay row and
        // the 20:00 recovery row; up to 16:00 only the last.
        EXPECT_EQ(TableRowsOutsidePeriod(&g_scenario, 60.0, 600.0), 3);
        EXPECT_EQ(TableRowsOutsidePeriod(&g_scenario, 60.0, 960.0), 1);
        EXPECT_EQ(TableRowsOutsidePeriod(&g_scenario, 60.0, 1380.0), 0);

        std::strcpy(g_scenario.timeGroups[0][TIME_STOP], "20260601100000");
        WithBoxes({}, [] { UpdateTableTimes(&g_scenario); });
        // The wind table was only looked at: its first row keeps the digits
        // its cells do not show.
        const struct {
            XYSeries *series;
            std::vector<double> times;
            std::vector<float> firsts;
        } after[] = {
            {pp->physical->wind, {60.0, 600.0}, {4.0005f, 6.0f}},
            {pp->decayRates, {60.0, 600.0}, {0.2f, 0.2f}},
            {g_scenario.outputOptions->recovery, {60.0}, {1.0f}},
        };
        for (const auto &a : after) {
            ASSERT_EQ(Rows(a.series), static_cast<int>(a.times.size()));
            SelectXYSeries(a.series, XYS_ALL);
            for (size_t r = 0; r < a.times.size(); ++r) {
                double time = 0;
                float v[2] = {};
                EvaluateXYSeries(a.series, XYS_ROW, static_cast<int>(r), &time, v, nullptr);
                EXPECT_EQ(time, a.times[r]);
                EXPECT_EQ(v[0], a.firsts[r]);
            }
        }
        EXPECT_EQ(GE_TableRowCount(GetTableOfSlot(2)), 2);
        EXPECT_EQ(CellText(GetTableOfSlot(2), 1, 0), "01 06 2026 10 00 00");
    });
}

TEST(TimeTables, NinetyOilFractionsShowAndStoreTheirTwoHundredSeventyDecayColumns)
{
    in_app([] {
        Panes p;
        MakeScenario(90, true);
        SetTableData(&g_scenario, panes[0], 0, 0);
        RUV_WIN decay = GetTableOfSlot(0);
        ASSERT_TRUE(decay);
        EXPECT_EQ(GE_TableColumnCount(decay), 271);
        GE_TableSetCell(decay, 1, 270, "4.5");
        StoreTableOfSlot(0);
        XYSeries *s = g_scenario.processParameters->decayRates;
        ASSERT_EQ(time_tables::SeriesCount(s), 270);
        std::vector<float> v(270);
        double time = 0;
        SelectXYSeries(s, XYS_ALL);
        EvaluateXYSeries(s, XYS_ROW, 1, &time, v.data(), nullptr);
        EXPECT_FLOAT_EQ(v[269], 4.5f);
        XYSeries *copy = CopyXYSeries(s, -1, nullptr);
        EXPECT_NE(copy, nullptr);
        DestroyXYSeries(copy);
    });
}

TEST(TimeTables, WindowGenerateRefusesBadStepsAndMakesRegularRows)
{
    in_app([] {
        Panes p;
        MakeScenario();
        SetTableData(&g_scenario, panes[0], 0, 0);
        const struct {
            const char *computational;   // simulation step
            const char *preset;          // field 2 as the window opens
            const char *typed;
            const char *message;         // nullptr: generated
            int rows;
        } cases[] = {
            {"00000000000500", "5", "7",
             "Input error:\nTime step 7 min. not a multiple of\nsimulation time step(=5 min.)\nPlease, try again", 2},
            {"00000000000500", "5", "", "Input error:\nValue  must be greater than 0", 2},
            {"00000000000500", "5", "-10", "Input error:\nValue -10 must be greater than 0", 2},
            {"00000000000020", "0", "0", "Input error:\nValue 0 must be greater than 0", 2},
            {"00000000000020", "0", "7", nullptr, 190},   // 20 s: any whole step
            {"00000000000500", "5", "300", nullptr, 6},
        };
        for (const auto &c : cases) {
            std::strcpy(g_scenario.timeGroups[0][TIME_STEP], c.computational);
            SelectTablePane(panes[0]);
            RUV_WIN w = ruv_win_create_res(186, Task(), nullptr, TableEditorHandler, 0xFFFFFFFFu);
            ASSERT_TRUE(w);
            SetDefaultTableStep(w);
            EXPECT_STREQ(GetControlTitle(w, 2), c.preset);
            SetControlTitle(w, 2, c.typed);
            std::vector<std::string> boxes;
            if (c.message)
                boxes.push_back(c.message);
            WithBoxes(boxes, [&] { GenerateTimeTable(w); });
            ruv_vobj_destroy(w);
            EXPECT_EQ(GE_TableRowCount(GetTableOfSlot(0)), c.rows) << c.typed;
        }
        RUV_WIN decay = GetTableOfSlot(0);
        EXPECT_EQ(CellText(decay, 4, 0), "01 06 2026 21 00 00");
        EXPECT_EQ(CellText(decay, 5, 0), "01 06 2026 23 00 00");
        EXPECT_EQ(CellText(decay, 5, 1), "0.200");
    });
}

}  // namespace
