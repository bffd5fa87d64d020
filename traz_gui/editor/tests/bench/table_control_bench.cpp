// Costs of the table control on real windows, each against a bare loop
// that keeps the same texts in a plain array and makes the same Win32 calls
// on plain native controls of the same sizes, as benchmarks of one run:
// fill 1000 x 3 and 1000 x 270 cells, scroll from top to bottom by lines,
// insert and delete row 0 twenty times, read every cell back.  Run by hand
// under Wine (Release build); the ratio of each pair is printed last.
//   wine editor_table_control_bench.exe [benchmark options]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "front_fixture.h"
#include "ruvcm.h"
#include "ruvv_attr.h"
#include "table_control.h"

// The editor services the control calls.
int16_t ModifiedFlag = 0;
void UpdateMainTitle(void) {}
void HelpRemoveWindow(RUV_WIN) {}

namespace {

constexpr int kRows = 1000;
constexpr int kRowHeight = 22, kHeader = 20, kRowHeader = 40, kFixed = 100, kColumn = 70;
const RUV_RECT kRect{ 10, 10, 400, 600 };

// The bare counterpart: texts in one plain array, native controls laid out
// like the table's, the bar's range and position set directly.
struct Bare {
    int rows, columns, visibleRows, visibleColumns;
    std::vector<char> texts;   // rows x columns x 60
    HWND parent = nullptr, vbar = nullptr;
    std::vector<HWND> cells, rowHeaders;
    int first = 0;

    char *at(int r, int c) { return &texts[(static_cast<size_t>(r) * columns + c) * 60]; }

    void make(const table_core::Layout &l)
    {
        visibleRows = l.visibleRows;
        visibleColumns = l.visibleColumns;
        texts.assign(static_cast<size_t>(rows) * columns * 60, 0);
        parent = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 700, 10, kRect.right - kRect.left,
                                 kRect.bottom - kRect.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        for (int i = 0; i < visibleRows; ++i)
            for (int k = 0; k < visibleColumns; ++k) {
                const table_core::Box b = l.cell(i, k);
                cells.push_back(CreateWindowExA(0, "Edit", " ", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                                b.left, b.top, b.right - b.left, b.bottom - b.top, parent, nullptr,
                                                GetModuleHandleA(nullptr), nullptr));
            }
        for (int i = 0; i < visibleRows; ++i) {
            const table_core::Box b = l.rowHeader(i);
            rowHeaders.push_back(CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_RIGHT, b.left, b.top,
                                                 b.right - b.left, b.bottom - b.top, parent, nullptr,
                                                 GetModuleHandleA(nullptr), nullptr));
        }
        vbar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, l.vscroll.left, l.vscroll.top,
                               l.vscroll.right - l.vscroll.left, l.vscroll.bottom - l.vscroll.top, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        bar();
    }
    void destroy() { DestroyWindow(parent); }
    int slot(int r, int c) const
    {
        if (r < first || r >= first + visibleRows || c >= visibleColumns)
            return -1;
        return (r - first) * visibleColumns + c;
    }
    void set(int r, int c, const char *text)
    {
        strncpy(at(r, c), text, 59);
        const int s = slot(r, c);
        if (s >= 0)
            SetWindowTextA(cells[static_cast<size_t>(s)], at(r, c));
    }
    void refresh()
    {
        for (int i = 0; i < visibleRows && first + i < rows; ++i) {
            SetWindowTextA(rowHeaders[static_cast<size_t>(i)], "");
            for (int k = 0; k < visibleColumns; ++k) {
                HWND h = cells[static_cast<size_t>(i * visibleColumns + k)];
                SetWindowTextA(h, at(first + i, k));
                EnableWindow(h, TRUE);
            }
        }
    }
    void bar()
    {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMax = rows - 1;
        si.nPage = static_cast<UINT>(std::min(rows, visibleRows));
        si.nPos = first;
        SetScrollInfo(vbar, SB_CTL, &si, TRUE);
    }
    void lineDown()
    {
        if (first < rows - std::min(rows, visibleRows))
            ++first;
        SetScrollPos(vbar, SB_CTL, first, TRUE);
        refresh();
    }
    void insertRow0()
    {
        texts.insert(texts.begin(), static_cast<size_t>(columns) * 60, 0);
        ++rows;
        bar();
        refresh();
    }
    void deleteRow0()
    {
        texts.erase(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(columns) * 60);
        --rows;
        bar();
        refresh();
    }
};

// Texts of every cell, made once.
std::vector<std::string> Texts(int columns)
{
    std::vector<std::string> t(static_cast<size_t>(kRows) * columns);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < columns; ++c) {
            char buf[60];
            if (c == 0)
                snprintf(buf, sizeof buf, "%d", r * 30);
            else
                snprintf(buf, sizeof buf, "%.4e", (r + 1) * 1.5e-3 * c);
            t[static_cast<size_t>(r) * columns + c] = buf;
        }
    return t;
}

void Scroll(RUV_WIN table, int action)
{
    RUV_EVENT ev{};
    ev.type = E_CONTROL;
    ev.v.control.id = table_core::kVScrollId;
    ev.v.control.type = 16;
    ev.v.control.ctl = ruv_win_get_ctl(table, table_core::kVScrollId);
    ev.v.control.data.scroll.action = action;
    ruv_win_dispatch_event(table, &ev);
}

RUV_WIN g_page = NULL_WIN;

// A table and its bare counterpart of the given columns, both filled when
// asked, made and destroyed around one benchmark.
struct Pair {
    const std::vector<std::string> texts;
    RUV_WIN table = NULL_WIN;
    Bare bare;
    explicit Pair(int columns, bool filled)
        : texts(Texts(columns)), bare{ kRows, columns, 0, 0, {}, nullptr, nullptr, {}, {}, 0 }
    {
        table = GE_TableCreate(g_page, &kRect, kRows, columns, kRowHeight, kHeader, kRowHeader, kFixed, kColumn,
                               nullptr);
        bare.make(GE_TableLayout(kRect, kRows, columns, kRowHeight, kHeader, kRowHeader, kFixed, kColumn));
        if (filled) {
            FillTable();
            FillBare();
        }
    }
    ~Pair()
    {
        GE_TableDestroy(&table);
        bare.destroy();
    }
    const char *text(int r, int c) const { return texts[static_cast<size_t>(r) * bare.columns + c].c_str(); }
    void FillTable()
    {
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < bare.columns; ++c)
                GE_TableSetCell(table, r, c, text(r, c));
    }
    void FillBare()
    {
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < bare.columns; ++c)
                bare.set(r, c, text(r, c));
    }
};

int Columns(const benchmark::State &state) { return static_cast<int>(state.range(0)); }

void BM_TableFill(benchmark::State &state)
{
    Pair p(Columns(state), false);
    for (auto _ : state)
        p.FillTable();
}
void BM_BareFill(benchmark::State &state)
{
    Pair p(Columns(state), false);
    for (auto _ : state)
        p.FillBare();
}

void BM_TableScrollByLines(benchmark::State &state)
{
    Pair p(Columns(state), true);
    for (auto _ : state) {
        Scroll(p.table, SC_THUMB);   // position 0: the top
        for (int i = 0; i < kRows; ++i)
            Scroll(p.table, SC_LINE_DOWN);
    }
}
void BM_BareScrollByLines(benchmark::State &state)
{
    Pair p(Columns(state), true);
    for (auto _ : state) {
        p.bare.first = 0;
        p.bare.refresh();
        for (int i = 0; i < kRows; ++i)
            p.bare.lineDown();
    }
}

void BM_TableInsertDeleteRow0(benchmark::State &state)
{
    Pair p(Columns(state), true);
    for (auto _ : state)
        for (int i = 0; i < 20; ++i) {
            GE_TableInsertRow(p.table, 0);
            GE_TableDeleteRow(p.table, 0);
        }
}
void BM_BareInsertDeleteRow0(benchmark::State &state)
{
    Pair p(Columns(state), true);
    for (auto _ : state)
        for (int i = 0; i < 20; ++i) {
            p.bare.insertRow0();
            p.bare.deleteRow0();
        }
}

void BM_TableReadBack(benchmark::State &state)
{
    Pair p(Columns(state), true);
    const int columns = Columns(state);
    std::vector<char> out(static_cast<size_t>(kRows) * columns * 60);
    for (auto _ : state)
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < columns; ++c)
                GE_TableGetCell(p.table, r, c, &out[(static_cast<size_t>(r) * columns + c) * 60]);
}
void BM_BareReadBack(benchmark::State &state)
{
    Pair p(Columns(state), true);
    const int columns = Columns(state);
    std::vector<char> out(static_cast<size_t>(kRows) * columns * 60);
    for (auto _ : state)
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < columns; ++c)
                memcpy(&out[(static_cast<size_t>(r) * columns + c) * 60], p.bare.at(r, c), 60);
}

const bench_ratio::Pair kOperations[] = {
    { "fill", "BM_TableFill", "BM_BareFill", 3, BM_TableFill, BM_BareFill },
    { "scroll top to bottom by lines", "BM_TableScrollByLines", "BM_BareScrollByLines", 1, BM_TableScrollByLines,
      BM_BareScrollByLines },
    { "insert and delete row 0 (x20)", "BM_TableInsertDeleteRow0", "BM_BareInsertDeleteRow0", 3,
      BM_TableInsertDeleteRow0, BM_BareInsertDeleteRow0 },
    { "read every cell back", "BM_TableReadBack", "BM_BareReadBack", 3, BM_TableReadBack, BM_BareReadBack },
};

std::string Size(int64_t columns) { return std::to_string(kRows) + " x " + std::to_string(columns); }

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    // A scroll over 1000 rows takes seconds under Wine: a few passes of each.
    bench_ratio::RegisterPairs(kOperations, { 3, 270 });
    int result = 0;
    ruvf_test::in_app([&] {
        RUV_RECT r{ 10, 10, 450, 650 };
        g_page = ruv_win_create(1, &r, "Table costs", 0,
                                reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)), 0x803,
                                RUV_EVENT_MASK_ALL, ruvcm_null_handler, nullptr);
        bench_ratio::Keeper keeper;
        benchmark::RunSpecifiedBenchmarks(&keeper);
        if (!bench_ratio::PrintPairs(keeper, kOperations, { 3, 270 }, Size))
            result = 1;
        ruv_vobj_destroy(g_page);
    });
    benchmark::Shutdown();
    return result;
}
