// Shared by the map-window tests on the real toolkit: a rectangular grid
// with depths growing along m loaded into the library, map windows opened
// where the tests read their pixels, real pointer messages, and the texts
// and menu states the windows show.
#ifndef TRAZ_VISAREA_MAP_WINDOW_FIXTURE_H
#define TRAZ_VISAREA_MAP_WINDOW_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "dwin_pixels.h"
#include "front_fixture.h"
#include "map_window.h"
#include "map_window_resources.h"
#include "ruvv_attr.h"
#include "ruvv_res.h"
#include "status_bar.h"

// The help hook of the editor, recorded (one test source per program
// includes this header).
std::vector<RUV_WIN> helpRemoved;
void HelpRemoveWindow(RUV_WIN window) { helpRemoved.push_back(window); }

namespace maptest {

using namespace ruvf_test;

// A rectangular grid of 11 x 9 nodes, 100 m apart, every cell active; the
// depth grows along m (node m has depth 2m, 0..20 m).
constexpr int32_t MMAX = 11, NMAX = 9;
constexpr float STEP = 100.0f;

inline float NodeDepth(int32_t m) { return 2.0f * static_cast<float>(m); }

// The test grid of MMAX x NMAX nodes at x, y handed to the library, every
// cell inside the frame active but the (m, n) cells listed; status keeps
// the cell status it was given.
inline void SetTestGrid(const std::vector<float> &x, const std::vector<float> &y, std::vector<int32_t> &status,
                        int32_t coordinateSystem, std::initializer_list<std::pair<int32_t, int32_t>> inactive = {})
{
    status.assign(static_cast<size_t>(MMAX + 1) * (NMAX + 1), GE_CELL_INACTIVE);
    for (int32_t n = 2; n <= NMAX; ++n)
        for (int32_t m = 2; m <= MMAX; ++m)
            status[static_cast<size_t>(n - 1) * (MMAX + 1) + (m - 1)] = GE_CELL_ACTIVE;
    for (const auto &[m, n] : inactive)
        status[static_cast<size_t>(n - 1) * (MMAX + 1) + (m - 1)] = GE_CELL_INACTIVE;
    GE_GridInput in{};
    in.mmax = MMAX;
    in.nmax = NMAX;
    in.x = const_cast<float *>(x.data());
    in.y = const_cast<float *>(y.data());
    in.cellStatus = status.data();
    in.coordinateSystem = coordinateSystem;
    in.missingValue = -99999.0f;
    GE_SetGrid(&in, "");
}

struct World {
    std::vector<float> x, y, depth;
    std::vector<int32_t> status;

    explicit World(int32_t applicationType = 1)
    {
        GE_Init(applicationType);
        GE_EnableFileOpen(0);
        GE_EnableViewAttribute(GEdit_SHOW_LANDBOUNDARY);
        GE_EnableViewAttribute(GEdit_SHOW_BATHYMETRY);
        GE_EnableViewAttribute(GEdit_SHOW_GRID);
        for (int32_t n = 0; n < NMAX; ++n)
            for (int32_t m = 0; m < MMAX; ++m) {
                x.push_back(m * STEP);
                y.push_back(n * STEP);
                depth.push_back(NodeDepth(m));
            }
        SetTestGrid(x, y, status, 1);
        GE_SetDepth(depth.data());
    }
    ~World() { GE_FreeAll(); }
};

inline HWND Native(RUV_WIN w) { return reinterpret_cast<HWND>(ruv_vobj_get_attr(w, RUV_ATTR_NATIVE_WINDOW)); }

inline COLORREF Screen(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The window pixel of a world point through the window's own record.
inline POINT PixelOf(RUV_WIN w, float x, float y)
{
    int16_t px = 0, py = 0;
    GE_DataWorldToPixel(GE_MapWindowData(w), x, y, &px, &py);
    return POINT{ px, py };
}

// The colour class the bands give a depth z (not at a class bound).
inline int ClassOf(float z, int n)
{
    const GE_GlobalData &g = global_windata;
    const int k = static_cast<int>(std::floor((z - g.zmin) * n / (g.zmax - g.zmin)));
    return std::min(std::max(k + 1, 0), n - 1);
}

struct MapWindowTest : ::testing::Test {
    void TearDown() override
    {
        while (global_windata.windowCount > 0)
            ruv_vobj_destroy(static_cast<RUV_WIN>(global_windata.windows[0]));
    }
};

// A map window, moved from its place at the right of the screen to where
// the test reads its pixels.
inline RUV_WIN Open(int16_t left = 20)
{
    const RUV_WIN w = GE_OpenWindow();
    pump(300);
    if (w) {
        RUV_RECT r{ 30, left, 30 + 380, static_cast<int16_t>(left + 380) };
        ruv_vobj_move(w, &r);
        pump(300);
    }
    return w;
}

inline void Mouse(RUV_WIN w, UINT message, int x, int y, WPARAM keys = 0)
{
    SendMessageA(Native(w), message, keys, MAKELPARAM(x, y));
    pump(20);
}

inline std::string CoordinateLine(RUV_WIN w)
{
    char text[256] = "";
    GetWindowTextA(Native(ruv_win_get_ctl(w, GE_COORDINATE_LINE)), text, sizeof text);
    return text;
}

inline std::string StatusText(RUV_WIN w)
{
    char text[300] = "";
    statbar_get_title(w, text, sizeof text);
    return text;
}

// The state of an item of a window's own menu bar, as GetMenuState gives
// it (MF_GRAYED, MF_CHECKED), or -1 when the bar has no such item.  Read
// from the window's own bar: the frame shows only the active window's.
inline const RUV_MENU_ITEM *FindItem(const RUV_MENU_ITEM *items, int32_t tag)
{
    for (const RUV_MENU_ITEM *i = items; i && (i->tag != 0 || i->title || i->submenu || i->flags); ++i) {
        if (i->tag == tag)
            return i;
        if (const RUV_MENU_ITEM *found = FindItem(i->submenu, tag))
            return found;
    }
    return nullptr;
}

inline UINT MenuState(RUV_WIN w, int32_t item)
{
    RUV_MENU_ITEM *tree = ruv_menu_get_tree(w);
    const RUV_MENU_ITEM *i = FindItem(tree, item);
    const UINT state = !i ? static_cast<UINT>(-1)
                          : ((i->flags & RUV_MENU_ENABLED) ? 0u : static_cast<UINT>(MF_GRAYED)) |
                                ((i->flags & RUV_MENU_CHECKED) ? static_cast<UINT>(MF_CHECKED) : 0u);
    if (tree)
        ruv_res_free_menu_tree(tree);
    return state;
}

// A menu command as the toolkit's dispatch delivers it.
inline void Command(RUV_WIN w, int32_t tag)
{
    RUV_EVENT e{};
    e.type = E_COMMAND;
    e.v.command.tag = tag;
    ruv_win_dispatch_event(w, &e);
}

inline bool Checked(RUV_WIN w, int32_t item) { return (MenuState(w, item) & MF_CHECKED) != 0; }
inline bool Enabled(RUV_WIN w, int32_t item) { return (MenuState(w, item) & MF_GRAYED) == 0; }

}  // namespace maptest

#endif
