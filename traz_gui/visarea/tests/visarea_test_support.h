// Fixtures shared by the visualisation area's tests: files in a directory of
// the test's own, rectangular grids with a cell status, and a recording
// table of window actions.
#ifndef TRAZ_VISAREA_TEST_SUPPORT_H
#define TRAZ_VISAREA_TEST_SUPPORT_H

#include <cstdio>
#include <string>
#include <vector>

#include "fakes.h"
#include "ge_list.h"
#include "visarea.h"

namespace vatest {

inline std::string WriteFile(const std::string &name, const std::string &text)
{
    std::FILE *f = std::fopen(name.c_str(), "wb");
    if (f) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    return name;
}

// A grid of mmax x nmax nodes at x = m * dx, y = n * dy (0-based m, n),
// with a cell status (all cells given, default: the default enclosure).
struct GridFixture {
    int32_t mmax, nmax;
    std::vector<float> x, y;
    std::vector<int32_t> status;
    GE_GridInput input{};

    GridFixture(int32_t m, int32_t n, float dx = 10.0f, float dy = 10.0f) : mmax(m), nmax(n)
    {
        for (int32_t j = 0; j < n; ++j)
            for (int32_t i = 0; i < m; ++i) {
                x.push_back(i * dx);
                y.push_back(j * dy);
            }
        status.assign(static_cast<size_t>(m + 1) * (n + 1), 0);
        for (int32_t j = 1; j < n; ++j)
            for (int32_t i = 1; i < m; ++i)
                Status(i + 1, j + 1) = 1;
        Refresh();
    }
    // Cell (m, n), 1-based.
    int32_t &Status(int32_t m, int32_t n) { return status[static_cast<size_t>(n - 1) * (mmax + 1) + (m - 1)]; }
    const GE_GridInput *Refresh()
    {
        input = GE_GridInput{};
        input.mmax = mmax;
        input.nmax = nmax;
        input.x = x.data();
        input.y = y.data();
        input.cellStatus = status.data();
        input.coordinateSystem = 1;
        input.missingValue = -99999.0f;
        return &input;
    }
};

// A land boundary of the given points, one polyline.
struct LandFixture {
    std::vector<float> x, y;
    std::vector<int32_t> ends;
    GE_GridInput input{};
    LandFixture(std::vector<float> xs, std::vector<float> ys) : x(std::move(xs)), y(std::move(ys))
    {
        ends.assign(x.size(), 0);
        ends[0] = static_cast<int32_t>(x.size());
        input.mmax = static_cast<int32_t>(x.size());
        input.x = x.data();
        input.y = y.data();
        input.polylineEnds = ends.data();
    }
};

// The window actions, counted.
struct ActionCounts {
    int gridSet = 0, gridFreed = 0, depthSet = 0, landSet = 0, landReset = 0, enclosureSet = 0, items = 0,
        redraw = 0, reset = 0;
    std::vector<std::string> status;
};
inline ActionCounts &Counts()
{
    static ActionCounts counts;
    return counts;
}
inline void InstallCountingActions()
{
    Counts() = ActionCounts{};
    GE_WindowActions a{};
    a.gridSet = [] { ++Counts().gridSet; };
    a.gridFreed = [] { ++Counts().gridFreed; };
    a.depthSet = [] { ++Counts().depthSet; };
    a.landBoundarySet = [](int reset) {
        ++Counts().landSet;
        Counts().landReset += reset;
    };
    a.enclosureSet = [] { ++Counts().enclosureSet; };
    a.itemsEnabled = [](int32_t, int32_t) { ++Counts().items; };
    a.redrawAll = [] { ++Counts().redraw; };
    a.statusMessage = [](const char *t) { Counts().status.push_back(t); };
    a.viewReset = [] { ++Counts().reset; };
    GE_SetWindowActions(&a);
}

// A fresh library and fakes for each test; everything freed after.
class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakes::Reset();
        GE_SetWindowActions(nullptr);
        GE_Init(1);
    }
    void TearDown() override
    {
        GE_FreeAll();
        GE_FreeLandBoundaryForTests();
        GE_SetWindowActions(nullptr);
    }
    static void GE_FreeLandBoundaryForTests()
    {
        // A land boundary still loaded is the library's to keep; a test ends
        // with none.
        GE_GlobalData &g = global_windata;
        g.option_loaded[GEdit_SHOW_LANDBOUNDARY] = 0;
        GE_FreeAll();
    }
};

}  // namespace vatest

#endif
