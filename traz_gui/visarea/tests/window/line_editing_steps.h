// Shared by the line-object tests on the real toolkit: pixels of cells and
// grid points of the map fixture's grid, presses and drags as real mouse
// messages, the first status field, a line's ends, and a table of refused
// two-click placements.
#ifndef TRAZ_VISAREA_LINE_EDITING_STEPS_H
#define TRAZ_VISAREA_LINE_EDITING_STEPS_H

#include <string>
#include <vector>

#include "grid_data.h"
#include "map_window_fixture.h"

namespace linetest {

using namespace maptest;

// The grid data of the world's grid, its point types from the enclosure
// file named ("" for the default types); the result of GE_SetGridData.
inline int SetTestGridData(const World &world, const char *enclosure)
{
    std::vector<std::vector<double>> xs(NMAX), ys(NMAX);
    std::vector<double *> xr, yr;
    for (int32_t n = 0; n < NMAX; ++n) {
        for (int32_t m = 0; m < MMAX; ++m) {
            xs[n].push_back(world.x[static_cast<size_t>(n) * MMAX + m]);
            ys[n].push_back(world.y[static_cast<size_t>(n) * MMAX + m]);
        }
        xr.push_back(xs[n].data());
        yr.push_back(ys[n].data());
    }
    return GE_SetGridData(MMAX, NMAX, xr.data(), yr.data(), -99999.0, enclosure);
}

// The pixel at fraction (fx, fy) of cell (m, n) (node m at x = (m - 1) STEP).
inline POINT InCell(RUV_WIN w, int32_t m, int32_t n, float fx, float fy)
{
    return PixelOf(w, (m - 2 + fx) * STEP, (n - 2 + fy) * STEP);
}
// Grid point (m, n); fractions lie between grid points.
inline POINT Node(RUV_WIN w, float m, float n) { return PixelOf(w, (m - 1) * STEP, (n - 1) * STEP); }

// Press at one pixel, move and release at another.
inline void Drag(RUV_WIN w, POINT from, POINT to)
{
    Mouse(w, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    Mouse(w, WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, to.x, to.y);
}
inline void Click(RUV_WIN w, POINT at)
{
    Mouse(w, WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, at.x, at.y);
}

inline std::string FirstField(RUV_WIN w)
{
    const std::string s = StatusText(w);
    return s.substr(0, s.find('\t'));
}

inline std::vector<int32_t> Ends(const GE_LineObject &l) { return { l.m1, l.n1, l.m2, l.n2 }; }

// A window pixel, read afresh.
inline COLORREF PixelAt(RUV_WIN w, POINT p)
{
    const Pixels px(Native(w));
    return px.at(p.x, p.y);
}

// Two clicks that place nothing: each shows its text and leaves the set.
struct Refusal {
    const char *what;
    POINT from, to;
    const char *status;
};
inline void ExpectRefusals(RUV_WIN w, const std::vector<Refusal> &refusals, const GE_LineSet &set)
{
    const int32_t count = set.count;
    for (const Refusal &r : refusals) {
        SCOPED_TRACE(r.what);
        Drag(w, r.from, r.to);
        EXPECT_EQ(FirstField(w), r.status);
        EXPECT_EQ(set.count, count);
    }
}

}  // namespace linetest

#endif
