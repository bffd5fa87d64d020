// Costs of the table control on real windows, each as a ratio to a bare
// loop that keeps the same texts in a plain array and makes the same Win32
// calls on plain native controls of the same sizes, in the same run: fill
// 1000 x 3 and 1000 x 270 cells, scroll from top to bottom by lines, insert
// and delete row 0, read every cell back.  Run by hand under Wine
// (Release build); prints one line per operation.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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

using Clock = std::chrono::steady_clock;

double Millis(const std::function<void()> &f, int repeat = 3)
{
    double best = 1e30;
    for (int i = 0; i < repeat; ++i) {
        const auto t0 = Clock::now();
        f();
        const auto t1 = Clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

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

void Report(const char *what, double control, double bare)
{
    printf("%-34s control %9.2f ms   bare loop %9.2f ms   ratio %5.2f\n", what, control, bare,
           bare > 0 ? control / bare : 0.0);
    fflush(stdout);
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

void Run(RUV_WIN page, int columns)
{
    const std::vector<std::string> texts = Texts(columns);
    RUV_WIN table = GE_TableCreate(page, &kRect, kRows, columns, kRowHeight, kHeader, kRowHeader, kFixed, kColumn,
                                   nullptr);
    const table_core::Layout layout =
        GE_TableLayout(kRect, kRows, columns, kRowHeight, kHeader, kRowHeader, kFixed, kColumn);
    Bare bare{ kRows, columns, 0, 0, {}, nullptr, nullptr, {}, {}, 0 };
    bare.make(layout);
    const std::string tag = std::to_string(kRows) + " x " + std::to_string(columns);

    Report(("fill " + tag).c_str(),
           Millis([&] {
               for (int r = 0; r < kRows; ++r)
                   for (int c = 0; c < columns; ++c)
                       GE_TableSetCell(table, r, c, texts[static_cast<size_t>(r) * columns + c].c_str());
           }),
           Millis([&] {
               for (int r = 0; r < kRows; ++r)
                   for (int c = 0; c < columns; ++c)
                       bare.set(r, c, texts[static_cast<size_t>(r) * columns + c].c_str());
           }));

    Report(("scroll top to bottom by lines " + tag).c_str(),
           Millis([&] {
               Scroll(table, SC_THUMB);   // position 0: the top
               for (int i = 0; i < kRows; ++i)
                   Scroll(table, SC_LINE_DOWN);
           }, 1),
           Millis([&] {
               bare.first = 0;
               bare.refresh();
               for (int i = 0; i < kRows; ++i)
                   bare.lineDown();
           }, 1));

    Scroll(table, SC_THUMB);
    bare.first = 0;
    Report(("insert and delete row 0 (x20) " + tag).c_str(),
           Millis([&] {
               for (int i = 0; i < 20; ++i) {
                   GE_TableInsertRow(table, 0);
                   GE_TableDeleteRow(table, 0);
               }
           }),
           Millis([&] {
               for (int i = 0; i < 20; ++i) {
                   bare.insertRow0();
                   bare.deleteRow0();
               }
           }));

    std::vector<char> out(static_cast<size_t>(kRows) * columns * 60);
    Report(("read every cell back " + tag).c_str(),
           Millis([&] {
               for (int r = 0; r < kRows; ++r)
                   for (int c = 0; c < columns; ++c)
                       GE_TableGetCell(table, r, c, &out[(static_cast<size_t>(r) * columns + c) * 60]);
           }),
           Millis([&] {
               for (int r = 0; r < kRows; ++r)
                   for (int c = 0; c < columns; ++c)
                       memcpy(&out[(static_cast<size_t>(r) * columns + c) * 60], bare.at(r, c), 60);
           }));

    GE_TableDestroy(&table);
    bare.destroy();
}

} // namespace

int main()
{
    ruvf_test::in_app([] {
        RUV_RECT r{ 10, 10, 450, 650 };
        RUV_WIN page = ruv_win_create(1, &r, "Table costs", 0,
                                      reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)),
                                      0x803, RUV_EVENT_MASK_ALL, ruvcm_null_handler, nullptr);
        Run(page, 3);
        Run(page, 270);
        ruv_vobj_destroy(page);
    });
    return 0;
}
