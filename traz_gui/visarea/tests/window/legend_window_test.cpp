// The legend window on the real toolkit: a row for each kind with objects
// from y = 35 under "Symbols:", read back as pixels; beside the map, its
// labels whole and its rows apart; made again by View > Legend and
// forgotten when closed.  The About window from Help > About:
// its three texts, and OK closes it.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "legend_window.h"
#include "map_window_fixture.h"

static_assert(VA_WIN_LEGEND == GE_LEGEND_WINDOW && VA_WIN_ABOUT == GE_ABOUT_WINDOW && VA_ABOUT_OK == GE_ABOUT_OK &&
                  VA_ABOUT_PROGRAM == GE_ABOUT_PROGRAM && VA_ABOUT_AREA == GE_ABOUT_AREA &&
                  VA_ABOUT_VERSION == GE_ABOUT_VERSION,
              "the windows' descriptions and their code agree on the ids");

namespace {

using namespace maptest;

constexpr COLORREF CYAN = RGB(0, 255, 255), GREEN = RGB(0, 255, 0), BLUE = RGB(0, 0, 255), BLACK = RGB(0, 0, 0),
                   PURPLE = RGB(0x99, 0, 0x99);

GE_PointObject Point(int32_t m, int32_t n, const char *name)
{
    GE_PointObject p{};
    p.m = m;
    p.n = n;
    p.x = (m - 1.5f) * STEP;
    p.y = (n - 1.5f) * STEP;
    std::snprintf(p.name, sizeof p.name, "%s", name);
    return p;
}

// The window of this thread holding a control with that text.
HWND WindowWithControlText(const char *text)
{
    struct Search {
        const char *text;
        HWND found;
    } search{ text, nullptr };
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND top, LPARAM lp) -> BOOL {
            EnumChildWindows(
                top,
                [](HWND h, LPARAM lp2) -> BOOL {
                    Search &s = *reinterpret_cast<Search *>(lp2);
                    char t[64] = "";
                    GetWindowTextA(h, t, sizeof t);
                    if (std::strcmp(t, s.text) == 0 && IsWindowVisible(h))
                        s.found = GetParent(h);
                    return s.found == nullptr;
                },
                lp);
            return reinterpret_cast<Search *>(lp)->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RUV_WIN Legend() { return static_cast<RUV_WIN>(global_windata.legendWindow); }

// The top of a legend row: 35 for the first, then one row pitch apart.
int RowTop(int row) { return 35 + GE_LegendRowPitch(static_cast<RUV_WIN>(global_windata.legendWindow)) * row; }

// The colour a legend row shows in its symbol's square (x 19..32).
int RowCount(const Pixels &px, int row, COLORREF colour)
{
    const int y = RowTop(row);
    return px.count(colour, 19, y - 1, 33, y + 12);
}

struct LegendTest : MapWindowTest {
    void TearDown() override
    {
        GE_CloseLegendWindow();
        MapWindowTest::TearDown();
    }
};

TEST_F(LegendTest, RowsForTheKindsPresentFromY35UnderSymbols)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_PointObject observations[] = { Point(3, 3, "o1"), Point(5, 4, "o2") };
        GE_SetObservations(observations, 2);

        struct Case {
            const char *what;
            int instant, continuous;
            std::vector<COLORREF> rows;
        } cases[] = {
            { "observation points only", 0, 0, { CYAN } },
            { "observations, then both kinds of release", 1, 2, { CYAN, GREEN, BLUE } },
            { "continuous releases after the observations", 0, 1, { CYAN, BLUE } },
        };
        const GE_PointObject releases[2] = { Point(4, 4, "r1"), Point(6, 6, "r2") };
        for (const Case &c : cases) {
            SCOPED_TRACE(c.what);
            GE_GlobalData &g = global_windata;
            ASSERT_TRUE(GE_CopyPointObjects(&g.discharges[1].items, &g.discharges[1].count, releases, c.instant));
            ASSERT_TRUE(GE_CopyPointObjects(&g.discharges[2].items, &g.discharges[2].count, releases, c.continuous));
            Command(w, GEcmd_LEGEND);
            pump(300);
            ASSERT_NE(Legend(), NULL_WIN);
            const Pixels px(Native(Legend()));
            EXPECT_GT(px.count(BLACK, 18, 6, 90, 24), 10) << "Symbols:";
            for (size_t row = 0; row < c.rows.size(); ++row) {
                EXPECT_GT(RowCount(px, static_cast<int>(row), c.rows[row]), 8) << "row " << row;
                EXPECT_GT(px.count(BLACK, 40, RowTop(static_cast<int>(row)) - 4, 160,
                                   RowTop(static_cast<int>(row)) + 10), 10)
                    << "label of row " << row;
            }
            // Nothing below the last row.
            const int below = RowTop(static_cast<int>(c.rows.size()));
            for (COLORREF colour : { CYAN, GREEN, BLUE, PURPLE, BLACK })
                EXPECT_EQ(px.count(colour, 0, below, 200, below + 40), 0);
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The legend opens beside the map window (on its right when the left of
// the screen has no room), wide enough for every label, its rows apart:
// between two labels lies at least one line with no black in it.
TEST_F(LegendTest, BesideTheMapEveryLabelWholeAndTheRowsApart)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_GlobalData &g = global_windata;
        const GE_PointObject points[] = { Point(3, 3, "p1"), Point(5, 4, "p2") };
        GE_SetObservations(points, 2);
        for (GE_PointSet *set : { &g.discharges[1], &g.discharges[2] })
            ASSERT_TRUE(GE_CopyPointObjects(&set->items, &set->count, points, 2));
        Command(w, GEcmd_LEGEND);
        pump(300);
        ASSERT_NE(Legend(), NULL_WIN);
        RECT map{}, legend{};
        GetWindowRect(Native(w), &map);
        GetWindowRect(Native(Legend()), &legend);
        EXPECT_EQ(legend.top, map.top);
        EXPECT_GE(legend.left, map.right);
        EXPECT_LE(legend.left, map.right + 10);

        const Pixels px(Native(Legend()));
        RECT client{};
        GetClientRect(Native(Legend()), &client);
        // The labels, below the heading and right of the symbols.
        int rightmost = -1;
        std::vector<bool> inked(static_cast<size_t>(client.bottom), false);
        for (int y = 28; y < client.bottom; ++y)
            for (int x = 36; x < client.right; ++x)
                if (px.at(x, y) == BLACK) {
                    rightmost = std::max(rightmost, x);
                    inked[static_cast<size_t>(y)] = true;
                }
        EXPECT_GT(rightmost, 100);
        EXPECT_LT(rightmost, client.right - 4) << "the longest label ends inside the window";
        int runs = 0;
        for (int y = 0; y < client.bottom; ++y)
            runs += inked[static_cast<size_t>(y)] && (y == 0 || !inked[static_cast<size_t>(y - 1)]);
        EXPECT_EQ(runs, 3) << "three labels, each apart from the next";
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST_F(LegendTest, LegendMadeAgainAndForgottenWhenClosed)
{
    in_app([] {
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        Command(w, GEcmd_LEGEND);
        pump(200);
        const RUV_WIN first = Legend();
        ASSERT_NE(first, NULL_WIN);
        Command(w, GEcmd_LEGEND);
        pump(200);
        EXPECT_NE(Legend(), NULL_WIN);
        EXPECT_FALSE(ruv_vobj_is_valid(first) && first != Legend());
        // The close box: the window goes and the library forgets it.
        const HWND native = Native(Legend());
        SendMessageA(native, WM_CLOSE, 0, 0);
        pump(200);
        EXPECT_EQ(Legend(), NULL_WIN);
        EXPECT_FALSE(IsWindow(native));
        // Kinds without objects: the heading alone.
        GE_OpenLegendWindow();
        pump(200);
        ASSERT_NE(Legend(), NULL_WIN);
        const Pixels px(Native(Legend()));
        EXPECT_GT(px.count(BLACK, 18, 6, 90, 24), 10);
        EXPECT_EQ(px.count(BLACK, 0, 30, 200, 120), 0);
    });
}

// View > Legend is offered in every map window as it opens, whatever the
// map holds, and the host can grey it in the open windows.
TEST_F(LegendTest, LegendItemOfferedInEveryWindowUntilTheHostGreysIt)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN a = Open(), b = Open(420);
        ASSERT_NE(a, NULL_WIN);
        ASSERT_NE(b, NULL_WIN);
        for (const RUV_WIN w : { a, b })
            EXPECT_TRUE(Enabled(w, GEcmd_LEGEND));
        GE_DisableLegendItems();
        for (const RUV_WIN w : { a, b })
            EXPECT_FALSE(Enabled(w, GEcmd_LEGEND));
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The legend belongs to the map windows: closing one leaves it, closing the
// last one by its close box takes it along.
TEST_F(LegendTest, LegendGoesWithTheLastMapWindow)
{
    in_app([] {
        World world;
        const RUV_WIN a = Open(), b = Open(420);
        ASSERT_NE(a, NULL_WIN);
        ASSERT_NE(b, NULL_WIN);
        GE_OpenLegendWindow();
        pump(200);
        ASSERT_NE(Legend(), NULL_WIN);
        const HWND legend = Native(Legend());
        SendMessageA(Native(a), WM_CLOSE, 0, 0);
        pump(200);
        EXPECT_EQ(global_windata.windowCount, 1);
        EXPECT_TRUE(IsWindow(legend));
        SendMessageA(Native(b), WM_CLOSE, 0, 0);
        pump(200);
        EXPECT_EQ(global_windata.windowCount, 0);
        EXPECT_EQ(Legend(), NULL_WIN);
        EXPECT_FALSE(IsWindow(legend));
    });
}

// Resetting the view (as a new scenario does after freeing the data):
// every window back at zoom 1 with its edit status, and an open legend
// drawn again with only the kinds that still hold objects; a closed legend
// stays closed.
TEST_F(LegendTest, ResetViewRefreshesTheStatusAndAnOpenLegend)
{
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_PointObject observations[] = { Point(3, 3, "o1") };
        GE_SetObservations(observations, 1);
        GE_OpenLegendWindow();
        pump(300);
        ASSERT_NE(Legend(), NULL_WIN);
        EXPECT_GT(RowCount(Pixels(Native(Legend())), 0, CYAN), 8);

        Command(w, GEcmd_ZOOM_IN);
        GE_StatusMessage("Observation id invalid");
        EXPECT_EQ(StatusText(w), "Observation id invalid\t\tVA 3.00.00");
        GE_FreeAll();
        GE_ResetView();
        pump(300);
        EXPECT_EQ(GE_MapWindowData(w)->zoom, 1.0f);
        EXPECT_EQ(StatusText(w), "\t\tVA 3.00.00");
        ASSERT_NE(Legend(), NULL_WIN);
        const Pixels px(Native(Legend()));
        EXPECT_GT(px.count(BLACK, 18, 6, 90, 24), 10) << "Symbols:";
        EXPECT_EQ(px.count(CYAN, 0, 30, 200, 120), 0);
        EXPECT_EQ(px.count(BLACK, 0, 30, 200, 120), 0);

        GE_CloseLegendWindow();
        GE_RefreshLegendWindow();
        GE_ResetView();
        pump(200);
        EXPECT_EQ(Legend(), NULL_WIN);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST_F(LegendTest, SymbolsOfEveryKind)
{
    in_app([] {
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_OpenLegendWindow();
        pump(200);
        ASSERT_NE(Legend(), NULL_WIN);
        // Each symbol drawn alone on white in the legend's own window.
        struct Case {
            int32_t kind;
            COLORREF colour;
            POINT inside, outside;  // offsets from the symbol's corner
        } cases[] = {
            { GEkind_DRY_POINT, RGB(0xFF, 0xD6, 0), { 5, 5 }, { 5, 14 } },
            { GEkind_THIN_DAM, RGB(0xD8, 0xD8, 0), { 5, 5 }, { 5, 1 } },
            { GEkind_OBSERVATION, CYAN, { 5, 5 }, { 5, 1 } },
            { GEkind_DROGUE, PURPLE, { 6, 1 }, { 1, 1 } },
            { GEkind_DISCHARGE, PURPLE, { 5, 1 }, { 1, 1 } },
            { GEkind_INSTANT_RELEASE, GREEN, { 1, 5 }, { 5, 5 } },
            { GEkind_CONTINUOUS_RELEASE, BLUE, { 9, 5 }, { 5, 5 } },
            { GEkind_CROSS_SECTION, CYAN, { 3, 5 }, { 3, 2 } },
            { GEkind_OPEN_BOUNDARY, BLUE, { 8, 5 }, { 8, 8 } },
        };
        const RUV_WIN legend = Legend();
        for (const Case &c : cases) {
            SCOPED_TRACE(c.kind);
            ruv_dwin_clear(legend, GE_COLOR_WHITE);
            GE_DrawLegendSymbol(legend, c.kind, 50, 50, 10);
            const Pixels px(Native(legend));
            EXPECT_EQ(px.at(50 + c.inside.x, 50 + c.inside.y), c.colour);
            EXPECT_EQ(px.at(50 + c.outside.x, 50 + c.outside.y), RGB(255, 255, 255));
        }
    });
}

TEST_F(MapWindowTest, AboutShowsItsTextsAndOkClosesIt)
{
    in_app([] {
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const RUV_WIN about = GE_OpenAboutWindow();
        pump(200);
        ASSERT_NE(about, NULL_WIN);
        const std::pair<int32_t, const char *> texts[] = { { GE_ABOUT_PROGRAM, "Ostravel" },
                                                           { GE_ABOUT_AREA, "Visualisation Area" },
                                                           { GE_ABOUT_VERSION, "Version 3.00.00" } };
        for (const auto &t : texts) {
            char text[64] = "";
            GetWindowTextA(Native(ruv_win_get_ctl(about, t.first)), text, sizeof text);
            EXPECT_STREQ(text, t.second);
            EXPECT_TRUE(GetWindowLongA(Native(ruv_win_get_ctl(about, t.first)), GWL_STYLE) & SS_CENTER);
        }
        const HWND ok = Native(ruv_win_get_ctl(about, GE_ABOUT_OK));
        SendMessageA(Native(about), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok), BN_CLICKED), reinterpret_cast<LPARAM>(ok));
        pump(200);
        EXPECT_FALSE(ruv_vobj_is_valid(about));

        // Help > About in the map window's menu opens it again.
        EXPECT_EQ(WindowWithControlText("Ostravel"), nullptr);
        Command(w, GEcmd_ABOUT);
        pump(200);
        const HWND again = WindowWithControlText("Ostravel");
        ASSERT_NE(again, nullptr);
        SendMessageA(again, WM_CLOSE, 0, 0);
        pump(200);
        EXPECT_FALSE(IsWindow(again));
    });
}

}  // namespace
