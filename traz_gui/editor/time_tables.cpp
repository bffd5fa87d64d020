// The time tables in their windows (time_tables.h): the fourteen slots
// with their table controls, building a slot's table from the scenario
// and storing it back, window 186 that generates regular tables, the end
// rows kept on the simulation start and stop, and the Table menu's row
// commands.
#include "time_tables.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "field_check_boxes.h"
#include "ge_list.h"
#include "ruvv_attr.h"
#include "table_control.h"
#include "time_checks.h"
#include "time_tables_core.h"

using namespace time_tables;

namespace {

constexpr int kMargin = 2;          // a table inside its placeholder control
constexpr int kMinColumnWidth = 90;
constexpr int kPadding = 8;         // around a header line's text

// Sub-panes of the table panes.
enum {
    kDecayPane = 0,
    kSettlingPane = 4,
    kWindPane = 5,
    kRecoveryPane = 7,
    kContinuousTablePane = 8,
    kInstantaneousTablePane = 9,
    kTimeTableWindow = 10,
};

struct SlotState {
    RUV_WIN table = NULL_WIN;
    bool created = false;
    RUV_WIN parent = NULL_WIN;   // where the table was built
    int index = 0;               // release of slots 9 to 11
    std::vector<std::string> shown;  // the cells as filled from the scenario
};
SlotState g_slots[kSlotCount];

// The pane whose window 186 was opened last: its slot, -1 none.
int g_tablePaneSlot = -1;
// The settling table shown on the settling pane, -1 none.
int g_shownSettling = -1;
// A cell check is showing its box.
bool g_checking = false;

// The text the current cell had when it got the focus: a refused entry
// gives it back.
struct EnteredCell {
    RUV_WIN table = NULL_WIN;
    int32_t row = -1, column = -1;
    std::string text;
};
EnteredCell g_entered;

bool IsTable(RUV_WIN table) { return table != NULL_WIN && reinterpret_cast<intptr_t>(table) != -1; }

bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

RUV_WIN SlotTable(int slot) { return ValidSlot(slot) && IsTable(g_slots[slot].table) ? g_slots[slot].table : NULL_WIN; }

int SlotOfTable(RUV_WIN table)
{
    if (!IsTable(table))
        return -1;
    for (int s = 0; s < kSlotCount; ++s)
        if (g_slots[s].table == table)
            return s;
    return -1;
}

SubstanceColumns Substances(const ScenarioRecord &scenario)
{
    return ScenarioSubstances(scenario, g_startup, GetConcentrationUnit());
}

Location *ReleaseOf(ScenarioRecord *scenario, int slot, int index)
{
    GE_List *list = slot == kMasses ? scenario->instantaneousReleases
                  : (slot == kReleaseRates || slot == kConcentrations) ? scenario->continuousReleases
                                                                       : nullptr;
    Location *release = nullptr;
    if (list && index >= 0 && GE_ListGet(list, index, &release))
        return release;
    return nullptr;
}

int FilledMarker(int slot) { return ValidSlot(slot) ? g_startup.tableSlotFlags[slot] : -1; }
void SetFilled(int slot) { g_startup.tableSlotFlags[slot] = slot; }

// Widest line of a header in the parent's font.
int TextWidth(RUV_WIN parent, const std::string &text)
{
    int widest = 0;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        const int w = ruv_dwin_get_text_width(parent, text.c_str() + begin, static_cast<int32_t>(end - begin));
        widest = w > widest ? w : widest;
        begin = end + 1;
    }
    return widest;
}

// The table's rectangle on the parent: inside the slot's placeholder
// control (the recovery table: the pane above its button).
RUV_RECT PlaceholderRect(RUV_WIN parent, int slot)
{
    RUV_RECT r{0, 0, 100, 200};
    int32_t id = 1;
    if (slot == kWind)
        id = 18;
    else if (slot == kConcentrations)
        id = 2;
    else if (IsSettlingSlot(slot))
        id = 7;
    if (slot == kRecovery) {
        ruv_vobj_get_client_rect(parent, &r);
        RUV_RECT button{};
        if (RUV_WIN b = ruv_win_get_ctl(parent, 2)) {
            ruv_vobj_get_outer_rect(b, &button);
            if (button.top > r.top + 40)
                r.bottom = button.top;
        }
    } else if (RUV_WIN ctl = ruv_win_get_ctl(parent, id)) {
        ruv_vobj_get_outer_rect(ctl, &r);
    }
    r.top = static_cast<int16_t>(r.top + kMargin);
    r.left = static_cast<int16_t>(r.left + kMargin);
    r.bottom = static_cast<int16_t>(r.bottom - kMargin);
    r.right = static_cast<int16_t>(r.right - kMargin);
    return r;
}

// Reads the texts of a slot's table, the cell being edited with its
// edit text.
std::vector<std::string> TableTexts(RUV_WIN table, int *rows, int *columns)
{
    *rows = GE_TableRowCount(table);
    *columns = GE_TableColumnCount(table);
    std::vector<std::string> cells(static_cast<size_t>(*rows) * static_cast<size_t>(*columns));
    char buffer[64];
    for (int r = 0; r < *rows; ++r)
        for (int c = 0; c < *columns; ++c) {
            buffer[0] = '\0';
            GE_TableGetCell(table, r, c, buffer);
            cells[static_cast<size_t>(r) * static_cast<size_t>(*columns) + static_cast<size_t>(c)] = buffer;
        }
    RUV_WIN focused = NULL_WIN;
    int32_t row = -1, column = -1;
    GE_TableGetFocus(&focused, &row, &column);
    if (focused == table && row >= 0 && row < *rows && column >= 0 && column < *columns) {
        if (char *text = GE_TableGetCurrentText(table)) {
            cells[static_cast<size_t>(row) * static_cast<size_t>(*columns) + static_cast<size_t>(column)] = text;
            ruv_mem_free(text);
        }
    }
    return cells;
}

// The window's own visible style, or (onScreen) whether it and every
// window above it are shown.
bool Visible(RUV_WIN window, bool onScreen = false)
{
    HWND hwnd = reinterpret_cast<HWND>(ruv_vobj_get_attr(window, RUV_ATTR_NATIVE_WINDOW));
    if (onScreen)
        return hwnd && IsWindowVisible(hwnd);
    return hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE);
}

// The series of a slot's table as its texts are now (the cell being edited
// with its edit text), or the refusal; *typed says that the refused cell is
// the one being edited and its edit text differs from the text it had.
XYSeries *ReadTable(int slot, FirstColumn mode, TableRefusal *refusal, bool *typed)
{
    *typed = false;
    RUV_WIN table = SlotTable(slot);
    int rows = 0, columns = 0;
    const std::vector<std::string> cells = TableTexts(table, &rows, &columns);
    XYSeries *series = CellsToSeries(slot, mode, cells, rows, columns, g_scenario.hydReferenceTime, refusal);
    if (refusal->refused()) {
        RUV_WIN focused = NULL_WIN;
        int32_t row = -1, column = -1;
        GE_TableGetFocus(&focused, &row, &column);
        char stored[64] = "";
        GE_TableGetCell(table, refusal->row, refusal->column, stored);
        *typed = focused == table && row == refusal->row && column == refusal->column &&
                 cells[static_cast<size_t>(row) * static_cast<size_t>(columns) + static_cast<size_t>(column)] != stored;
    }
    return series;
}

// The current cell as it is now entered: what leaving it compares with.
void NoteEnteredCell(RUV_WIN table, int32_t row, int32_t column)
{
    char entered[64] = "";
    GE_TableGetCell(table, row, column, entered);
    g_entered = {table, row, column, entered};
}

// The cell of a refusal made current once its box is answered.  While the
// box was up, the click that left the cell may have built the slot's table
// again or hidden it with its window: only a table still shown gets the
// cell back.
void GiveBackCell(int slot, RUV_WIN table, int32_t row, int32_t column)
{
    if (SlotTable(slot) == table && Visible(table, true)) {
        GE_TableSetCurrent(table, row, column);
        NoteEnteredCell(table, row, column);
    }
}

// One box for a refused table, the refused cell made current.  A text
// being typed into it gives way to the text the cell had ("Previous input
// reset"), as when the cell is left.  end closes the message.
void ShowTableRefusal(int slot, const TableRefusal &refusal, bool typed, const char *end)
{
    RUV_WIN table = SlotTable(slot);
    if (!table)
        return;
    std::string message = refusal.message;
    g_checking = true;
    if (typed) {
        char stored[64] = "";
        GE_TableGetCell(table, refusal.row, refusal.column, stored);
        GE_TableSetCell(table, refusal.row, refusal.column, stored);
        message += "\nPrevious input reset";
    }
    message += end ? end : "";
    PostErrorF("%s", message.c_str());
    GiveBackCell(slot, table, refusal.row, refusal.column);
    g_checking = false;
}

// Whether a slot's table holds what it was filled with: a table nobody
// edited is neither refused nor stored back.
bool Untouched(int slot)
{
    int rows = 0, columns = 0;
    return TableTexts(SlotTable(slot), &rows, &columns) == g_slots[slot].shown;
}

// Whether a cell's text is the one it had: nothing typed, or only blanks
// into an empty cell.
bool Unchanged(const std::string &text, const std::string &before)
{
    return text == before || (IsBlank(text.c_str()) && IsBlank(before.c_str()));
}

// The text being typed into the current cell, checked as if the cell were
// left and stored into it when accepted; false, with the cell's box and
// its text given back, when refused.  A text to be copied (copy) is
// checked even when it is the cell's own.
bool TakeTypedText(int slot, RUV_WIN table, int32_t row, int32_t column, bool copy)
{
    char *edit = GE_TableGetCurrentText(table);
    const std::string text = edit ? edit : "";
    if (edit)
        ruv_mem_free(edit);
    char stored[64] = "";
    GE_TableGetCell(table, row, column, stored);
    if (!copy && Unchanged(text, stored))
        return true;
    const std::string message =
        CellMessage(CellKindOf(slot, column), text.c_str(), g_scenario.hydReferenceTime, row, column);
    if (!message.empty()) {
        ShowTableRefusal(slot, TableRefusal{message, row, column}, text != stored, "");
        return false;
    }
    if (text != stored)
        GE_TableSetCell(table, row, column, text.c_str());
    return true;
}

// Builds the slot's table again from the scenario where it was shown,
// keeping it hidden or shown.
void RebuildOpenTable(ScenarioRecord *scenario, int slot)
{
    RUV_WIN table = SlotTable(slot);
    if (!table)
        return;
    const bool shown = Visible(table);
    SetTableData(scenario, g_slots[slot].parent, slot, g_slots[slot].index);
    if (RUV_WIN fresh = SlotTable(slot))
        ruv_vobj_set_visible(fresh, shown);
}

// The focused table of a slot with its current cell.
bool FocusedSlot(int *slot, RUV_WIN *table, int32_t *row, int32_t *column)
{
    *table = NULL_WIN;
    *row = *column = -1;
    GE_TableGetFocus(table, row, column);
    *slot = SlotOfTable(*table);
    return *slot >= 0;
}

// The parent window of a slot's table when it has none yet.
RUV_WIN DefaultParent(int slot)
{
    if (slot == kDecay)
        return SubPaneWindow(kDecayPane);
    if (slot == kIntakes)
        return SubPaneWindow(kTimeTableWindow);
    if (slot == kWind)
        return SubPaneWindow(kWindPane);
    if (IsSettlingSlot(slot))
        return SubPaneWindow(kSettlingPane);
    if (slot == kMasses)
        return SubPaneWindow(kInstantaneousTablePane);
    if (slot == kReleaseRates || slot == kConcentrations)
        return SubPaneWindow(kContinuousTablePane);
    if (slot == kRecovery)
        return SubPaneWindow(kRecoveryPane);
    return NULL_WIN;
}

// The row command on a settling table: every one of the six, those not
// built yet built first, the five others stored back.
template <typename Change>
void OnAllSettlingTables(int focusedSlot, Change change)
{
    for (int s = kFirstSettling; s <= kLastSettling; ++s) {
        if (!SlotTable(s)) {
            SetTableData(&g_scenario, DefaultParent(s), s, 0);
            if (RUV_WIN t = SlotTable(s))
                ruv_vobj_set_visible(t, s == g_shownSettling);
        }
        if (RUV_WIN t = SlotTable(s))
            change(t);
        if (s != focusedSlot)
            StoreTable(&g_scenario, s, 0);
    }
}

// The rows of a table that a row command counts: with the six settling
// tables, which keep their rows together, a row filled in any of them.
TableRows RowsOf(int slot, RUV_WIN table, int32_t current)
{
    TableRows counted;
    std::vector<bool> filled;
    const auto count = [&](RUV_WIN t) {
        int rows = 0, columns = 0;
        const std::vector<std::string> cells = TableTexts(t, &rows, &columns);
        if (static_cast<int>(filled.size()) < rows)
            filled.resize(static_cast<size_t>(rows), false);
        for (int r = 0; r < rows; ++r)
            if (!BlankRow(cells, r, columns))
                filled[static_cast<size_t>(r)] = true;
    };
    if (IsSettlingSlot(slot)) {
        for (int s = kFirstSettling; s <= kLastSettling; ++s)
            if (RUV_WIN t = SlotTable(s))
                count(t);
    } else {
        count(table);
    }
    counted.rows = GE_TableRowCount(table);
    for (size_t r = 0; r < filled.size(); ++r)
        if (filled[r])
            ++counted.filled;
    counted.currentFilled = current >= 0 && current < static_cast<int32_t>(filled.size()) &&
                            filled[static_cast<size_t>(current)];
    return counted;
}

enum class RowChange { Insert, Copy, Delete };

void ApplyRowCommand(RowChange kind)
{
    int slot = -1;
    RUV_WIN table = NULL_WIN;
    int32_t row = -1, column = -1;
    if (!FocusedSlot(&slot, &table, &row, &column)) {
        SetModified(1);
        return;
    }
    const time_tables::RowCommand rule = kind == RowChange::Insert ? kInsertRow : kind == RowChange::Copy ? kCopyRow : kDeleteRow;
    const RowRefusal refusal = RowCommandRefusal(rule, slot, RowsOf(slot, table, row));
    if (!refusal.text.empty()) {
        if (refusal.error)
            PostErrorF("%s", refusal.text.c_str());
        else
            PostNoteF("%s", refusal.text.c_str());
        return;
    }
    // A row inserted or copied takes the text being typed first: the
    // cells shown again would drop it.
    if (kind != RowChange::Delete && IsValidTableCell(table, row, column) &&
        !TakeTypedText(slot, table, row, column, false))
        return;
    if (!IsValidTableCell(table, row, column)) {
        PostNoteF("%s", "Invalid Row/Column specification !");
        SetModified(1);
        return;
    }
    const auto change = [&](RUV_WIN t) {
        switch (kind) {
        case RowChange::Insert: GE_TableInsertRow(t, row); break;
        case RowChange::Copy: GE_TableCopyRow(t, row, row); break;
        case RowChange::Delete: GE_TableDeleteRow(t, row); break;
        }
    };
    if (IsSettlingSlot(slot))
        OnAllSettlingTables(slot, change);
    else
        change(table);
    // The cursor's cell now shows another row: leaving it compares with
    // what it shows.
    int32_t current = -1, currentColumn = -1;
    RUV_WIN focused = NULL_WIN;
    GE_TableGetFocus(&focused, &current, &currentColumn);
    if (focused == table && IsValidTableCell(table, current, currentColumn))
        NoteEnteredCell(table, current, currentColumn);
    SetModified(1);
}

}  // namespace

// ---- the model's services ----

XYSeries *CopyXYSeries(XYSeries *table, int count, const int *map) { return CopySeries(table, count, map); }

void ResetTableSlots(int mode)
{
    for (int s = 0; s < kSlotCount; ++s) {
        if (mode == 0) {
            g_slots[s].created = false;
        } else if (g_slots[s].created && IsTable(g_slots[s].table)) {
            GE_TableDestroy(&g_slots[s].table);
        }
        g_slots[s].table = NULL_WIN;
        g_slots[s].parent = NULL_WIN;
        g_startup.tableSlotFlags[s] = -1;
    }
    g_tablePaneSlot = -1;
    g_shownSettling = -1;
}

void ForgetSubstanceTables(void)
{
    for (int s = 0; s < kSlotCount; ++s) {
        const bool bySubstance = s == kDecay || IsSettlingSlot(s) || s == kMasses || s == kConcentrations;
        if (!bySubstance)
            continue;
        if (IsTable(g_slots[s].table))
            GE_TableDestroy(&g_slots[s].table);
        g_slots[s].table = NULL_WIN;
    }
    g_shownSettling = -1;
    g_entered = EnteredCell{};
    for (int pane : {kContinuousTablePane, kInstantaneousTablePane})
        if (RUV_WIN w = SubPaneWindow(pane))
            SetWindowVisible(w, 0);
}

void CreateDefaultTables(ScenarioRecord *scenario, int slot)
{
    if (!scenario)
        return;
    double start = 0.0, stop = 0.0;
    SimulationMinutes(*scenario, &start, &stop);
    if (slot == kReleaseRates) {
        Location *release = nullptr;
        for (int i = 0; GE_ListGet(scenario->continuousReleases, i, &release); ++i) {
            if (SeriesRows(release->releaseRates) >= 2)
                continue;
            XYSeries *fresh = RegularSeries({start, stop}, {0.0f});
            if (!fresh)
                continue;
            DestroyXYSeries(release->releaseRates);
            release->releaseRates = fresh;
        }
        return;
    }
    if (slot != kDecay && slot != kWind && !IsSettlingSlot(slot))
        return;
    XYSeries **where = SlotSeries(*scenario, slot, nullptr);
    if (!where)
        return;
    const SubstanceColumns subs = Substances(*scenario);
    XYSeries *fresh = nullptr;
    if (!SlotTable(slot) && FilledMarker(slot) < 0) {
        fresh = DefaultSeries(slot, *scenario, subs);
    } else {
        const int columns = SlotColumns(slot, subs, *scenario);
        if (columns >= 1 && columns <= kMaxSeries)
            fresh = RegularSeries({}, std::vector<float>(static_cast<size_t>(columns), 0.0f));
    }
    if (!fresh)
        return;
    DestroyXYSeries(*where);
    *where = fresh;
}

namespace {

// A table that follows the simulation period: a slot's series in the
// scenario, of continuous release `release` for the release rates (-1 for
// the others).
struct PeriodTable {
    int slot;
    XYSeries **where;
    int release;
};

// The process tables that keep their first and last rows on the
// simulation's start and stop (wind, decay and settling), the recovery
// table, and each continuous release's rates.  Without substances a decay
// or settling table follows only when it has rows: the table of the last
// substance deleted keeps them, with its one column, for the next one.
std::vector<PeriodTable> PeriodTables(ScenarioRecord &scenario, const SubstanceColumns &subs)
{
    static const int kSlots[] = {kWind, kDecay, 3, 4, 5, 6, 7, 8, kRecovery};
    std::vector<PeriodTable> tables;
    for (int slot : kSlots) {
        XYSeries **where = SlotSeries(scenario, slot, nullptr);
        const bool bySubstance = slot == kDecay || IsSettlingSlot(slot);
        if (where && (!bySubstance || subs.count() > 0 || SeriesRows(*where) > 0))
            tables.push_back({slot, where, -1});
    }
    Location *release = nullptr;
    for (int i = 0; GE_ListGet(scenario.continuousReleases, i, &release); ++i)
        if (release)
            tables.push_back({kReleaseRates, &release->releaseRates, i});
    return tables;
}

// The slot's open table, for that release when it is a release's.
bool OpenFor(const PeriodTable &t)
{
    return SlotTable(t.slot) && (t.release < 0 || g_slots[t.slot].index == t.release);
}

// What the user has typed into a period table's open table, NULL when the
// table is not open, shows what it was filled with (its cells show fewer
// digits than the scenario keeps) or holds a refused cell; quiet reads it
// without the box of a refused cell.
XYSeries *TypedSeries(const PeriodTable &t, bool quiet)
{
    if (!OpenFor(t))
        return nullptr;
    int rows = 0, columns = 0;
    const std::vector<std::string> cells = TableTexts(SlotTable(t.slot), &rows, &columns);
    if (cells == g_slots[t.slot].shown)
        return nullptr;
    if (!quiet)
        return TableToXYSeries(t.slot, SlotFirstColumn(t.slot));
    TableRefusal refusal;
    return CellsToSeries(t.slot, cells, rows, columns, g_scenario.hydReferenceTime, &refusal);
}

}  // namespace

int TableRowsOutsidePeriod(ScenarioRecord *scenario, double start, double stop)
{
    if (!scenario || !scenario->processParameters)
        return 0;
    int dropped = 0;
    for (const PeriodTable &t : PeriodTables(*scenario, Substances(*scenario))) {
        XYSeries *typed = TypedSeries(t, true);
        dropped += RowsOutside(typed ? typed : *t.where, start, stop, t.slot != kRecovery);
        DestroyXYSeries(typed);
    }
    return dropped;
}

void UpdateTableTimes(ScenarioRecord *scenario)
{
    if (!scenario || !scenario->processParameters)
        return;
    double start = 0.0, stop = 0.0;
    SimulationMinutes(*scenario, &start, &stop);
    const SubstanceColumns subs = Substances(*scenario);
    for (const PeriodTable &t : PeriodTables(*scenario, subs)) {
        const bool open = OpenFor(t);
        XYSeries *source = TypedSeries(t, false);
        XYSeries *moved = nullptr;
        if (t.slot == kRecovery) {
            // Its rows keep their times; only those outside the period go.
            moved = WithinPeriod(source ? source : *t.where, start, stop);
        } else if (t.release >= 0) {
            if (!source && SeriesRows(*t.where) > 0)
                source = CopySeries(*t.where, -1, nullptr);
            if (!source)
                source = RegularSeries({start, stop}, {0.0f});
            moved = WithEndTimes(source, start, stop, "UpdateTime");
        } else {
            if (!source && (open || FilledMarker(t.slot) >= 0 || subs.count() == 0))
                source = CopySeries(*t.where, -1, nullptr);
            if (!source)
                source = DefaultSeries(t.slot, *scenario, subs);
            if (!source) {
                std::printf("UpdateTableTimes : Invalid number of series !\n");
                continue;
            }
            moved = WithEndTimes(source, start, stop, "UpdateTableTimes");
        }
        DestroyXYSeries(source);
        if (!moved)
            continue;
        DestroyXYSeries(*t.where);
        *t.where = moved;
        if (t.release < 0 && t.slot != kRecovery)
            SetFilled(t.slot);
        if (open)
            RebuildOpenTable(scenario, t.slot);
    }
}

// ---- building and storing ----

RUV_WIN BuildTable(RUV_WIN parent, int slot, const char *releaseName, int rows, int columns)
{
    (void)releaseName;
    if (!ValidSlot(slot) || !parent || columns < 1)
        return NULL_WIN;
    if (rows > kMaxRows) {
        PostErrorF("Too many rows in table!\nNumber of rows restricted to %d", kMaxRows);
        rows = kMaxRows;
    }
    SlotState &state = g_slots[slot];
    if (IsTable(state.table))
        GE_TableDestroy(&state.table);
    state.created = true;
    state.parent = parent;

    ScenarioRecord &scenario = g_scenario;
    const std::vector<std::string> headers = ValueHeaders(slot, columns, Substances(scenario), scenario);
    const std::string timeHeader = FirstColumnHeader(slot);
    const bool first = SlotFirstColumn(slot) != kNoFirstColumn;
    int fixedWidth = 0;
    if (slot == kIntakes)
        fixedWidth = 30;
    else if (first)
        fixedWidth = TextWidth(parent, timeHeader) + kPadding;
    int columnWidth = kMinColumnWidth;
    for (const std::string &h : headers) {
        const int w = TextWidth(parent, h) + kPadding;
        columnWidth = w > columnWidth ? w : columnWidth;
    }
    if (slot == kMasses || slot == kReleaseRates || slot == kConcentrations) {
        const int w = TextWidth(parent, "0000000000000") + kPadding;
        columnWidth = w > columnWidth ? w : columnWidth;
    }

    RUV_RECT rect = PlaceholderRect(parent, slot);
    const int vscroll = static_cast<int>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_VSCROLL_WIDTH));
    int visible = (rect.right - rect.left - fixedWidth - vscroll) / columnWidth;
    if (slot == kWind || slot == kReleaseRates || slot == kRecovery || visible > columns)
        visible = columns;
    if (visible < 1)
        visible = 1;
    rect.right = static_cast<int16_t>(rect.left + fixedWidth + visible * columnWidth + vscroll);

    const int rowHeight = slot == kMasses ? 30 : 22;
    const int headerHeight = (slot == kMasses || slot == kReleaseRates || slot == kConcentrations) ? 31 : 35;
    const int total = columns + (first ? 1 : 0);
    state.table = GE_TableCreate(parent, &rect, rows, total, rowHeight, headerHeight, 0, fixedWidth, columnWidth,
                                 TableCellCallback);
    if (!IsTable(state.table)) {
        state.table = NULL_WIN;
        return NULL_WIN;
    }
    if (IsSettlingSlot(slot))
        ruv_vobj_set_visible(state.table, 0);
    int c = 0;
    if (first)
        GE_TableSetColumnTitle(state.table, c++, timeHeader.c_str());
    for (const std::string &h : headers)
        GE_TableSetColumnTitle(state.table, c++, h.c_str());
    GE_TableRefresh(state.table, 0);
    return state.table;
}

RUV_WIN BuildAndFillTable(RUV_WIN parent, int slot, const char *releaseName, const char *const *cells, int rows,
                          int columns)
{
    RUV_WIN table = BuildTable(parent, slot, releaseName, rows, columns);
    if (!table)
        return NULL_WIN;
    const int shown = GE_TableRowCount(table);
    const int width = GE_TableColumnCount(table);
    std::vector<std::string> &filled = g_slots[slot].shown;
    filled.clear();
    for (int r = 0; r < shown; ++r)
        for (int c = 0; c < width; ++c) {
            const char *text = cells[static_cast<size_t>(r) * static_cast<size_t>(width) + static_cast<size_t>(c)];
            GE_TableSetCell(table, r, c, text);
            filled.push_back(text ? text : "");
        }
    GE_TableRefresh(table, 1);
    return table;
}

void SetTableData(ScenarioRecord *scenario, RUV_WIN parent, int slot, int index)
{
    if (!scenario || !ValidSlot(slot) || slot == 13)
        return;
    Location *release = ReleaseOf(scenario, slot, index);
    XYSeries **where = SlotSeries(*scenario, slot, release);
    if (!where || !*where) {
        std::printf("SetTableData: XYSeries do not exist yet! \n");
        return;
    }
    char name[21] = "";
    if (slot == kReleaseRates && release)
        std::snprintf(name, sizeof name, "%s", release->name);
    const SubstanceColumns subs = Substances(*scenario);
    const int rows = ShownRows(slot, SeriesRows(*where));
    const int columns = ShownColumns(slot, SeriesCount(*where), subs, *scenario);
    g_slots[slot].index = index;
    if (columns >= 1 && columns <= kMaxSeries) {
        const int made = rows > kMaxRows ? kMaxRows : rows;
        const std::vector<std::string> cells = MakeCells(slot, *where, made, columns, *scenario);
        std::vector<const char *> texts(cells.size());
        for (size_t i = 0; i < cells.size(); ++i)
            texts[i] = cells[i].c_str();
        if (RUV_WIN table = BuildAndFillTable(parent, slot, name, texts.data(), rows, columns)) {
            g_slots[slot].index = index;
            if (!IsSettlingSlot(slot))
                ruv_vobj_set_visible(table, 1);
        }
    } else if (RUV_WIN table = SlotTable(slot)) {
        ruv_vobj_set_visible(table, 0);
    }
    SetFilled(slot);
    if (slot == kReleaseRates)
        FollowReleaseGenerator();
}

XYSeries *TableToXYSeries(int slot, int mode)
{
    if (!SlotTable(slot) || mode < kTimeRows || mode > kNoFirstColumn)
        return nullptr;
    TableRefusal refusal;
    bool typed = false;
    XYSeries *series = ReadTable(slot, static_cast<FirstColumn>(mode), &refusal, &typed);
    if (refusal.refused())
        ShowTableRefusal(slot, refusal, typed, "");
    return series;
}

int CheckShownTables(RUV_WIN window, const char *end)
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RUV_WIN table = SlotTable(slot);
        if (!table || (window ? g_slots[slot].parent != window : !Visible(table, true)) || Untouched(slot))
            continue;
        TableRefusal refusal;
        bool typed = false;
        DestroyXYSeries(ReadTable(slot, SlotFirstColumn(slot), &refusal, &typed));
        if (refusal.refused()) {
            ShowTableRefusal(slot, refusal, typed, end);
            return 0;
        }
    }
    return 1;
}

void KeepSettlingRowsTogether(ScenarioRecord *scenario)
{
    struct Shown {
        int slot;
        std::vector<std::string> cells;
        int rows, columns;
    };
    std::vector<Shown> tables;
    for (int s = kFirstSettling; s <= kLastSettling; ++s)
        if (RUV_WIN t = SlotTable(s)) {
            Shown shown{s, {}, 0, 0};
            shown.cells = TableTexts(t, &shown.rows, &shown.columns);
            if (shown.columns > 0)
                tables.push_back(std::move(shown));
        }
    std::vector<int> filled;
    for (int row = 0;; ++row) {
        bool any = false;
        std::string time;
        for (const Shown &t : tables)
            if (row < t.rows) {
                any = true;
                const std::string &text = t.cells[static_cast<size_t>(row) * static_cast<size_t>(t.columns)];
                if (time.empty() && !BlankRow(t.cells, row, t.columns) && !IsBlank(text.c_str()))
                    time = text;
            }
        if (!any)
            break;
        if (time.empty())
            continue;
        for (const Shown &t : tables)
            if (row < t.rows && BlankRow(t.cells, row, t.columns)) {
                GE_TableSetCell(SlotTable(t.slot), row, 0, time.c_str());
                for (int c = 1; c < t.columns; ++c)
                    GE_TableSetCell(SlotTable(t.slot), row, c, FormatValue(0.0).c_str());
                if (std::find(filled.begin(), filled.end(), t.slot) == filled.end())
                    filled.push_back(t.slot);
            }
    }
    for (const int slot : filled) {
        GE_TableRefresh(SlotTable(slot), 1);
        StoreTable(scenario, slot, 0);
    }
}

bool StoreTable(ScenarioRecord *scenario, int slot, int index)
{
    if (!scenario || !SlotTable(slot))
        return true;
    if ((slot == kMasses || slot == kReleaseRates || slot == kConcentrations) && g_slots[slot].index != index)
        return true;
    XYSeries **where = SlotSeries(*scenario, slot, ReleaseOf(scenario, slot, index));
    if (!where)
        return true;
    // A table nobody edited is not stored back: the rows it pads (an empty
    // recovery table shows one) and the digits its cells do not show stay
    // as the scenario has them.
    if (Untouched(slot))
        return true;
    XYSeries *series = TableToXYSeries(slot, SlotFirstColumn(slot));
    if (!series)
        return false;
    DestroyXYSeries(*where);
    *where = series;
    return true;
}

void StoreTableOfSlot(int slot) { StoreTable(&g_scenario, slot, 0); }

int StoreReleaseTableAndCheck(int index, int release)
{
    if (!CheckShownTables(SubPaneWindow(index), ""))
        return 0;
    StoreSubPane(index, release);
    Location *location = ReleaseOf(&g_scenario, kReleaseRates, release);
    if (!location)
        return 0;
    XYSeries *rates = location->releaseRates;
    const int rows = SeriesRows(rates);
    std::vector<double> minutes(static_cast<size_t>(rows > 0 ? rows : 0));
    if (rows > 0) {
        SelectXYSeries(rates, XYS_ALL);
        std::vector<float> values(static_cast<size_t>(SeriesCount(rates) > 0 ? SeriesCount(rates) : 1));
        for (int r = 0; r < rows; ++r)
            EvaluateXYSeries(rates, XYS_ROW, r, &minutes[static_cast<size_t>(r)], values.data(), nullptr);
    }
    const ReleaseTableVerdict verdict = CheckReleaseTableTimes(
        ScenarioSimulationTimes(g_scenario), g_scenario.hydReferenceTime, minutes.data(), rows);
    for (const std::string &message : verdict.messages)
        PostErrorF("%s", message.c_str());
    return verdict.covers ? 1 : 0;
}

// ---- window 186 ----

void SelectTablePane(RUV_WIN window)
{
    g_tablePaneSlot = -1;
    if (!window)
        return;
    if (window == SubPaneWindow(kDecayPane))
        g_tablePaneSlot = kDecay;
    else if (window == SubPaneWindow(kWindPane))
        g_tablePaneSlot = kWind;
    else if (window == SubPaneWindow(kContinuousTablePane))
        g_tablePaneSlot = kReleaseRates;
    else if (window == SubPaneWindow(kRecoveryPane))
        g_tablePaneSlot = kRecovery;
}

// The one window 186: it generates into the table of the pane that opened
// it last, so a second window for another pane would generate into the
// wrong table.  Closing it (Generate, Cancel, its close box, File New or
// Open) checks nothing: the step typed there is only ever used by Generate.
static RUV_WIN g_tableEditor = NULL_WIN;
static bool g_closingTableEditor = false;
// The continuous release whose rates window 186 was opened for: it
// generates for that release alone, and goes when the release goes.
static Location *g_generatorRelease = nullptr;

static void DestroyTableEditor(RUV_WIN window)
{
    g_closingTableEditor = true;
    ruv_vobj_destroy(window);
    g_closingTableEditor = false;
}

void CloseTableEditor(void)
{
    if (g_tableEditor)
        DestroyTableEditor(g_tableEditor);
}

void OpenTableEditor(RUV_WIN pane)
{
    CloseTableEditor();
    SelectTablePane(pane);
    g_generatorRelease = g_tablePaneSlot == kReleaseRates
                             ? ReleaseOf(&g_scenario, kReleaseRates, g_slots[kReleaseRates].index)
                             : nullptr;
    const RUV_WIN task = reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    g_tableEditor = ruv_win_create_res(186, task, nullptr, TableEditorHandler, 0xFFFFFFFFu);
    if (!g_tableEditor)
        PostErrorF("%s", "Can't open window");
}

void SetDefaultTableStep(RUV_WIN window)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d", ComputationalStepMinutes(g_scenario));
    SetControlTitle(window, 2, text);
}

// The index of a continuous release in the scenario's list, -1 when it is
// not there.
static int ReleaseIndex(const Location *release)
{
    Location *l = nullptr;
    for (int i = 0; release && GE_ListGet(g_scenario.continuousReleases, i, &l); ++i)
        if (l == release)
            return i;
    return -1;
}

void FollowReleaseGenerator(void)
{
    if (!g_tableEditor || g_tablePaneSlot != kReleaseRates)
        return;
    const RUV_WIN window = SubPaneWindow(kContinuousTablePane);
    const int index = ReleaseIndex(g_generatorRelease);
    if (index < 0 || !window || !Visible(window) || !SlotTable(kReleaseRates) || g_slots[kReleaseRates].index != index)
        CloseTableEditor();
}

// The slot of the table pane noted by SelectTablePane and the place of its
// series: for the continuous releases' rates, those of the release the
// generator was opened for. NULL when no pane is noted or that release is
// gone.
static XYSeries **PrepareTableSeries(ScenarioRecord *scenario, int *slot, int *index)
{
    *slot = g_tablePaneSlot;
    *index = 0;
    if (*slot != kDecay && *slot != kWind && *slot != kRecovery && *slot != kReleaseRates) {
        std::printf("Assertion failed in table: no table pane selected\n");
        return nullptr;
    }
    if (*slot == kReleaseRates) {
        *index = ReleaseIndex(g_generatorRelease);
        if (*index < 0)
            return nullptr;
    }
    return SlotSeries(*scenario, *slot, ReleaseOf(scenario, *slot, *index));
}

void GenerateTimeTable(RUV_WIN window)
{
    ScenarioRecord *scenario = &g_scenario;
    int slot = -1, index = 0;
    XYSeries **where = PrepareTableSeries(scenario, &slot, &index);
    if (!where)
        return;
    const RUV_WIN parent = SlotTable(slot) ? g_slots[slot].parent : DefaultParent(slot);
    // The values of the first row are those the table holds: a table that
    // cannot be stored keeps the user in it.
    if (!StoreTable(scenario, slot, index))
        return;

    const std::string stepText = GetControlTitle(window, 2);
    char *end = nullptr;
    const long step = std::strtol(stepText.c_str(), &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (stepText.empty() || !end || *end || end == stepText.c_str() || step <= 0 || step > 100000000L) {
        PostErrorF("Input error:\nValue %s must be greater than %d", stepText.c_str(), 0);
        return;
    }
    const int computational = ComputationalStepMinutes(*scenario);
    if (!StepIsMultiple(static_cast<int>(step), computational)) {
        PostErrorF("Input error:\nTime step %d min. not a multiple of\nsimulation time step(=%d min.)\nPlease, try again",
                   static_cast<int>(step), computational);
        return;
    }
    double start = 0.0, stop = 0.0;
    SimulationMinutes(*scenario, &start, &stop);
    long total = 0;
    const std::vector<double> times = RegularTimes(start, stop, static_cast<double>(step), &total);
    if (times.empty()) {
        char span[32];
        std::snprintf(span, sizeof span, "%g", stop - start);
        PostErrorF("Input error:\nValue %s must be greater than %d", span, 0);
        return;
    }
    const SubstanceColumns subs = Substances(*scenario);
    const int columns = ShownColumns(slot, SeriesCount(*where), subs, *scenario);
    if (columns < 1 || columns > kMaxSeries)
        return;
    // Every row takes the values of the first.
    std::vector<float> values(static_cast<size_t>(columns), slot == kRecovery ? 1.0f : 0.0f);
    if (*where && SeriesRows(*where) > 0) {
        SelectXYSeries(*where, XYS_ALL);
        std::vector<float> first(static_cast<size_t>(SeriesCount(*where)));
        double t = 0.0;
        if (EvaluateXYSeries(*where, XYS_ROW, 0, &t, first.data(), nullptr) == XYS_OK)
            for (size_t k = 0; k < first.size() && k < values.size(); ++k)
                values[k] = first[k];
    }
    XYSeries *series = RegularSeries(times, values);
    if (!series)
        return;
    if (total > kMaxRows)
        PostErrorF("Too many rows in table!\nNumber of rows restricted to %d", kMaxRows);
    DestroyXYSeries(*where);
    *where = series;
    SetTableData(scenario, parent, slot, index);
}

int32_t TableEditorHandler(RUV_WIN window, RUV_EVENT *event)
{
    switch (event->type) {
    case E_CREATE:
        SetDefaultTableStep(window);
        break;
    case E_DESTROY:
        HelpRemoveWindow(window);
        ForgetPreviousInputs(window);
        if (window == g_tableEditor) {
            g_tableEditor = NULL_WIN;
            g_generatorRelease = nullptr;
        }
        break;
    case E_UPDATE:
        ClearWithBackground(window);
        break;
    case E_CLOSE:
        DestroyTableEditor(window);
        break;
    case E_CONTROL: {
        const int32_t id = event->v.control.id;
        const bool edit = event->v.control.type == 17 || event->v.control.type == 21;
        if (id == 2 && edit) {
            // The step shown when the field is entered (the computational
            // step in whole minutes, 0 under a minute) is not checked when
            // left as it was; a typed step is.
            if (event->v.control.data.edit.change == 0)
                SetModified(1);
            else if (event->v.control.data.edit.gained)
                SavePreviousInput(window, 2);
            else if (!g_closingTableEditor)
                CheckIntegerPositive(window, 2);
        } else if (id == 4) {
            GenerateTimeTable(window);
            SetModified(1);
            DestroyTableEditor(window);
        } else if (id == 5) {
            DestroyTableEditor(window);
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

void ShowSettlingTable(RUV_WIN window, int slot)
{
    if (!IsSettlingSlot(slot))
        return;
    if (g_shownSettling >= 0)
        StoreTable(&g_scenario, g_shownSettling, 0);
    for (int s = kFirstSettling; s <= kLastSettling; ++s)
        if (RUV_WIN t = SlotTable(s))
            ruv_vobj_set_visible(t, 0);
    if (!SlotTable(slot))
        SetTableData(&g_scenario, window, slot, 0);
    if (RUV_WIN t = SlotTable(slot))
        ruv_vobj_set_visible(t, 1);
    g_shownSettling = slot;
}

// ---- row commands ----

void InsertTableRow(void) { ApplyRowCommand(RowChange::Insert); }
void CopyTableRow(void) { ApplyRowCommand(RowChange::Copy); }
void DeleteTableRow(void) { ApplyRowCommand(RowChange::Delete); }

void CopyTableValue(void)
{
    int slot = -1;
    RUV_WIN table = NULL_WIN;
    int32_t row = -1, column = -1;
    if (!FocusedSlot(&slot, &table, &row, &column))
        return;
    if (!IsValidTableCell(table, row, column)) {
        std::printf("Invalid Row/Column specification !\n");
        return;
    }
    // Only a value the cell's check accepts reaches the other rows.
    if (!TakeTypedText(slot, table, row, column, true))
        return;
    GE_TableCopyValue();
    SetModified(1);
}

// ---- cells ----

int IsValidTableCell(RUV_WIN table, int row, int column)
{
    return IsTable(table) && row >= 0 && row < GE_TableRowCount(table) && column >= 0 &&
           column < GE_TableColumnCount(table);
}

// A cell is checked when it is left: a text that is no date-time, integer
// or number (by its column) is refused with a box, the cell gets back the
// text it had when it was entered and the focus, so the table never holds
// a refused text and its other edits are stored with it.
char *TableCellCallback(RUV_WIN table, int32_t code, int32_t row, int32_t column, char *text)
{
    if (code == GE_TABLE_CELL_FOCUS && !g_checking) {
        NoteEnteredCell(table, row, column);
        return nullptr;
    }
    if (code != GE_TABLE_CELL_STORED || g_checking || !text)
        return nullptr;
    const int slot = SlotOfTable(table);
    if (slot < 0)
        return nullptr;
    // A cell left as it was entered holds nothing typed: an empty cell of
    // a row inserted is told of when the table is stored, not each time
    // the cursor passes.  An emptied cell is refused like any other text.
    const bool same = g_entered.table == table && g_entered.row == row && g_entered.column == column;
    if (same && Unchanged(text, g_entered.text))
        return nullptr;
    const std::string refused = CellMessage(CellKindOf(slot, column), text, g_scenario.hydReferenceTime, row, column);
    if (refused.empty())
        return nullptr;
    g_checking = true;
    const std::string message = refused + "\nPrevious input reset";
    GE_TableSetCell(table, row, column, same ? g_entered.text.c_str() : "");
    GE_TableRefresh(table, 1);
    PostErrorF("%s", message.c_str());
    GiveBackCell(slot, table, row, column);
    g_checking = false;
    return nullptr;
}

RUV_WIN GetTableOfSlot(int slot) { return slot >= 0 && slot < kSlotCount ? g_slots[slot].table : NULL_WIN; }

void ShowRememberedEditValue(int slot)
{
    RUV_WIN table = SlotTable(slot);
    if (!table)
        return;
    RUV_WIN focused = NULL_WIN;
    int32_t row = -1, column = -1;
    GE_TableGetFocus(&focused, &row, &column);
    char stored[64] = "";
    char *edit = nullptr;
    if (focused == table) {
        GE_TableGetCell(table, row, column, stored);
        edit = GE_TableGetCurrentText(table);
    }
    std::printf("Remembered edit value: %s! Current edit value: %s! \n", stored, edit ? edit : "");
    if (edit)
        ruv_mem_free(edit);
}

int CheckTableRowTime(RUV_WIN window, int, int row, int lastRow, const char *text)
{
    const ScenarioRecord &s = g_scenario;
    const char *stored = DmyToDateTime(text ? text : "");
    bool valid = stored[0] != '\0';
    if (valid && row == 0) {
        valid = std::strncmp(stored, s.timeGroups[TIME_GROUP_SIMULATION][TIME_START], 15) == 0;
    } else if (valid && row == lastRow) {
        valid = std::strncmp(stored, s.timeGroups[TIME_GROUP_SIMULATION][TIME_STOP], 15) == 0;
    } else if (valid) {
        double seconds = 0.0;
        valid = DateTimeDiffSeconds(s.timeGroups[TIME_GROUP_SIMULATION][TIME_START], stored, &seconds) != 0;
        const long whole = static_cast<long>(seconds / 60.0);
        const int step = ComputationalStepMinutes(s);
        valid = valid && static_cast<double>(whole) * 60.0 == seconds && (step <= 0 || whole % step == 0);
    }
    if (!valid) {
        PostErrorF("Invalid date-time found in table on row %d\n", row);
        for (int slot = 0; slot < kSlotCount; ++slot)
            if (SlotTable(slot) && g_slots[slot].parent == window) {
                GE_TableSetCurrent(g_slots[slot].table, 0, 0);
                break;
            }
    }
    return valid ? 1 : 0;
}

int AreDateTimeCells(const char *const *cells, int, int rows, int columns)
{
    if (!cells || rows < 0 || columns < 1)
        return 0;
    for (int r = 0; r < rows; ++r) {
        const char *text = cells[static_cast<size_t>(r) * static_cast<size_t>(columns)];
        const char *stored = DmyToDateTime(text ? text : "");
        if (!stored[0] || !IsValidDateTime(stored))
            return 0;
    }
    return 1;
}
