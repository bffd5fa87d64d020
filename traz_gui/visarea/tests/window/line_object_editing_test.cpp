// Line objects, drogues and wave grids on the real toolkit, driven by real
// mouse messages at pixels computed from the window's transform, with
// recording callbacks: a thin dam placed, picked, moved (keeping its name)
// and deleted by the mouse, a refused placement; dry-point runs with every
// cell filled, one picked, moved (losing its name), viewed and deleted; a
// drogue added and moved.
#include <cmath>
#include <string>
#include <vector>

#include "line_object_editing.h"
#include "line_objects.h"
#include "line_editing_steps.h"

namespace {

using namespace linetest;

struct Call {
    int32_t kind, operation, selected, count;
};
std::vector<Call> calls;

int Owner(void *, int32_t kind, int32_t operation, int32_t selected, void *, GE_PointObject *, GE_LineObject *,
          int32_t *, int32_t count)
{
    calls.push_back({ kind, operation, selected, count });
    return 0;
}

struct LineWorld : World {
    LineWorld()
    {
        calls.clear();
        GE_EnableEditModes();
        for (const int32_t kind : { GEkind_DRY_POINT, GEkind_THIN_DAM, GEkind_DROGUE }) {
            GE_EnableObjectKind(kind);
            GE_SetCallback(kind, Owner, nullptr);
        }
        for (const int32_t a : { GEdit_SHOW_DRY_POINTS, GEdit_SHOW_THIN_DAMS, GEdit_SHOW_DROGUES })
            GE_EnableViewAttribute(a);
        GE_InstallLineObjectKinds();
    }
    ~LineWorld()
    {
        for (int32_t kind = GEkind_DRY_POINT; kind < GE_KIND_COUNT; ++kind)
            GE_SetKindOperations(kind, nullptr);
    }
};

TEST_F(MapWindowTest, ThinDamPlacedPickedMovedAndDeletedByTheMouse)
{
    in_app([] {
        Recorder rec;
        LineWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_MapWindowData(w)->shown[GEdit_SHOW_THIN_DAMS] = 1;
        GE_EditThinDams();
        GE_SetModeAdd();
        calls.clear();
        GE_LineSet &dams = global_windata.thinDams;

        // The bottom sides of cells (3, 4) to (6, 4), pressed and released
        // past the sides' middles.
        Drag(w, InCell(w, 3, 4, 0.8f, 0.05f), InCell(w, 6, 4, 0.8f, 0.05f));
        ASSERT_EQ(dams.count, 1);
        EXPECT_EQ(Ends(dams.items[0]), (std::vector<int32_t>{ 3, 3, 6, 3 }));
        EXPECT_EQ(dams.extra[0], GEdit_V_DAM);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_ADD);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_EQ(FirstField(w), "");
        {
            // Selected: red along the sides.
            const Pixels px(Native(w));
            const POINT on = PixelOf(w, 3.5f * STEP, 2.0f * STEP);
            EXPECT_EQ(px.at(on.x, on.y), RGB(255, 0, 0));
        }

        // Opposite corners of one cell make no dam.
        GE_SetModeAdd();
        calls.clear();
        Drag(w, InCell(w, 5, 5, 0.1f, 0.1f), InCell(w, 5, 5, 0.9f, 0.9f));
        EXPECT_EQ(dams.count, 1);
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(FirstField(w), "Invalid thin dam line");

        // Modify: a press on the dam picks it, a drag moves it onto the top
        // sides; the name stays.
        std::snprintf(dams.items[0].name, sizeof dams.items[0].name, "%s", "north wall");
        GE_SetModeModify();
        calls.clear();
        const POINT onDam = InCell(w, 4, 4, 0.5f, 0.05f);
        Click(w, onDam);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_MODIFY);
        EXPECT_EQ(dams.selected, 0);
        Drag(w, InCell(w, 3, 4, 0.3f, 0.95f), InCell(w, 6, 4, 0.3f, 0.95f));
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].operation, GEmode_MODIFY);
        EXPECT_EQ(Ends(dams.items[0]), (std::vector<int32_t>{ 3, 4, 6, 4 }));
        EXPECT_STREQ(dams.items[0].name, "north wall");
        EXPECT_EQ(dams.selected, -1);
        {
            const Pixels px(Native(w));
            const POINT on = PixelOf(w, 3.5f * STEP, 3.0f * STEP), off = PixelOf(w, 3.5f * STEP, 2.0f * STEP);
            EXPECT_EQ(px.at(on.x, on.y), RGB(0xD8, 0xD8, 0x00));
            EXPECT_NE(px.at(off.x, off.y), RGB(0xD8, 0xD8, 0x00));
            EXPECT_NE(px.at(off.x, off.y), RGB(255, 0, 0));
        }
        // A placeholder is neither drawn nor picked.
        GE_ClearThinDam(0);
        pump(50);
        {
            const Pixels px(Native(w));
            const POINT was = PixelOf(w, 3.5f * STEP, 3.0f * STEP);
            EXPECT_NE(px.at(was.x, was.y), RGB(0xD8, 0xD8, 0x00));
        }
        GE_ModifyThinDam(&dams.items[0], 0, GEdit_V_DAM);  // still a placeholder
        GE_SetModeDelete();
        calls.clear();
        const POINT cleared = InCell(w, 5, 4, 0.5f, 0.95f);
        Click(w, cleared);
        EXPECT_TRUE(calls.empty());
        const GE_LineObject top{ 3, 4, 6, 4, "north wall" };
        GE_ModifyThinDam(&top, 0, GEdit_V_DAM);

        // Delete only tells the owner.
        GE_SetModeDelete();
        calls.clear();
        const POINT moved = InCell(w, 5, 4, 0.5f, 0.95f);
        Click(w, moved);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_DELETE);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_EQ(dams.count, 1);
        // A side with no dam.
        calls.clear();
        const POINT empty = InCell(w, 8, 7, 0.05f, 0.5f);
        Click(w, empty);
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(FirstField(w), "No thin dam pointed");
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST_F(MapWindowTest, DryPointRunsFromTwoClicks)
{
    in_app([] {
        LineWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_MapWindowData(w)->shown[GEdit_SHOW_DRY_POINTS] = 1;
        // On white: the cells show their own colours.
        GE_MapWindowData(w)->shown[GEdit_SHOW_BATHYMETRY] = 0;
        GE_RedrawWindow(w);
        GE_EditDryPoints();
        GE_SetModeAdd();
        calls.clear();
        GE_LineSet &dry = global_windata.dryPoints;
        struct Case {
            const char *what;
            int32_t m1, n1, m2, n2;
            bool added;
            const char *status;
        } cases[] = {
            { "diagonal", 3, 3, 5, 5, true, "" },
            { "along n, drawn upwards", 7, 6, 7, 3, true, "" },
            { "neither straight nor diagonal", 3, 3, 5, 4, false, "Dry points contain INACTIVE cells" },
        };
        for (const Case &c : cases) {
            SCOPED_TRACE(c.what);
            const int32_t before = dry.count;
            Drag(w, InCell(w, c.m1, c.n1, 0.5f, 0.5f), InCell(w, c.m2, c.n2, 0.5f, 0.5f));
            EXPECT_EQ(dry.count, before + (c.added ? 1 : 0));
            EXPECT_EQ(FirstField(w), c.status);
            if (c.added) {
                EXPECT_EQ(Ends(dry.items[dry.count - 1]), (std::vector<int32_t>{ c.m1, c.n1, c.m2, c.n2 }));
            }
        }
        EXPECT_EQ(calls.size(), 2u);
        // Every cell of the runs filled: red for the selected one, the
        // dry-point colour for the other.
        const Pixels px(Native(w));
        for (int32_t k = 3; k <= 5; ++k) {
            const POINT p = InCell(w, k, k, 0.5f, 0.5f);
            EXPECT_EQ(px.at(p.x, p.y), RGB(0xFF, 0xD6, 0x00)) << k;
        }
        for (int32_t n = 3; n <= 6; ++n) {
            const POINT p = InCell(w, 7, n, 0.5f, 0.5f);
            EXPECT_EQ(px.at(p.x, p.y), RGB(255, 0, 0)) << n;
        }
        const POINT between = InCell(w, 4, 3, 0.5f, 0.5f);
        EXPECT_NE(px.at(between.x, between.y), RGB(0xFF, 0xD6, 0x00));
    });
}

TEST_F(MapWindowTest, DryPointRunPickedMovedViewedAndDeletedByTheMouse)
{
    in_app([] {
        LineWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_MapWindowData(w)->shown[GEdit_SHOW_DRY_POINTS] = 1;
        GE_EditDryPoints();
        GE_LineSet &dry = global_windata.dryPoints;
        const GE_LineObject run{ 3, 3, 5, 5, "shoal" };
        GE_SetDryPoints(&run, 1);

        // Modify: a press in the run's box picks it, two more clicks place
        // it anew; a moved run has no name.
        GE_SetModeModify();
        calls.clear();
        const POINT inRun = InCell(w, 4, 4, 0.5f, 0.5f);
        Click(w, inRun);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_MODIFY);
        EXPECT_EQ(dry.selected, 0);
        Drag(w, InCell(w, 8, 3, 0.5f, 0.5f), InCell(w, 8, 6, 0.5f, 0.5f));
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].operation, GEmode_MODIFY);
        EXPECT_EQ(calls[1].selected, 0);
        EXPECT_EQ(Ends(dry.items[0]), (std::vector<int32_t>{ 8, 3, 8, 6 }));
        EXPECT_STREQ(dry.items[0].name, "");
        EXPECT_EQ(dry.selected, -1);
        // Nothing in the old box any more.
        Click(w, inRun);
        EXPECT_EQ(FirstField(w), "No dry point pointed");

        // View selects; Delete only tells the owner.
        GE_SetModeView();
        calls.clear();
        const POINT moved = InCell(w, 8, 5, 0.5f, 0.5f);
        Click(w, moved);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_VIEW);
        EXPECT_EQ(dry.selected, 0);
        GE_SetModeDelete();
        calls.clear();
        Click(w, moved);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_DELETE);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_EQ(dry.count, 1);
    });
}

TEST_F(MapWindowTest, DrogueAddedAndMovedWithItsName)
{
    in_app([] {
        LineWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_MapWindowData(w)->shown[GEdit_SHOW_DROGUES] = 1;
        GE_EditDrogues();
        GE_SetModeAdd();
        calls.clear();
        const POINT p = InCell(w, 4, 5, 0.5f, 0.5f);
        Click(w, p);
        GE_PointSet &drogues = global_windata.drogues;
        ASSERT_EQ(drogues.count, 1);
        EXPECT_EQ(drogues.items[0].m, 4);
        EXPECT_EQ(drogues.items[0].n, 5);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_ADD);
        {
            // The plus through the cell, in red while selected.
            const Pixels px(Native(w));
            EXPECT_GT(px.count(RGB(255, 0, 0), p.x - 12, p.y - 12, p.x + 12, p.y + 12), 8);
        }
        std::snprintf(drogues.items[0].name, sizeof drogues.items[0].name, "%s", "d1");
        GE_SetModeModify();
        Click(w, p);
        EXPECT_EQ(drogues.selected, 0);
        const POINT q = InCell(w, 7, 3, 0.5f, 0.5f);
        Click(w, q);
        EXPECT_EQ(drogues.items[0].m, 7);
        EXPECT_EQ(drogues.items[0].n, 3);
        EXPECT_STREQ(drogues.items[0].name, "d1");
        EXPECT_EQ(drogues.selected, -1);
        EXPECT_EQ(calls.size(), 3u);
    });
}

// A press in Add mode whose release went outside the window leaves a click
// pending; the Edit Mode menu forgets it, so that in Modify a click on
// nothing moves nothing and a click on a run only picks it.
TEST_F(MapWindowTest, PressReleasedOutsideIsForgottenByTheModeMenu)
{
    in_app([] {
        Recorder rec;
        LineWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_MapWindowData(w)->shown[GEdit_SHOW_DRY_POINTS] = 1;
        const GE_LineObject runs[] = { { 3, 3, 5, 3, "shoal" }, { 3, 6, 4, 6, "bank" } };
        GE_SetDryPoints(runs, 2);
        Command(w, GEcmd_EDIT_FIRST);
        Command(w, GEcmd_MODE_ADD);
        const POINT start = InCell(w, 8, 7, 0.5f, 0.5f);
        Mouse(w, WM_LBUTTONDOWN, start.x, start.y, MK_LBUTTON);
        EXPECT_EQ(GE_MapWindowData(w)->clickCounter, 1);

        Command(w, GEcmd_MODE_ADD + 2);  // Edit Mode > Modify
        EXPECT_EQ(GE_MapWindowData(w)->clickCounter, 0);
        calls.clear();
        GE_LineSet &dry = global_windata.dryPoints;
        Click(w, InCell(w, 9, 4, 0.5f, 0.5f));
        EXPECT_EQ(FirstField(w), "No dry point pointed");
        EXPECT_TRUE(calls.empty());
        Click(w, InCell(w, 4, 3, 0.5f, 0.5f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_MODIFY);
        EXPECT_EQ(dry.selected, 0);
        ASSERT_EQ(dry.count, 2);
        EXPECT_EQ(Ends(dry.items[0]), (std::vector<int32_t>{ 3, 3, 5, 3 }));
        EXPECT_STREQ(dry.items[0].name, "shoal");
        EXPECT_EQ(Ends(dry.items[1]), (std::vector<int32_t>{ 3, 6, 4, 6 }));

        // The owner deletes the picked run between the press that starts
        // its move and the release: the placement ends without a move.
        const POINT from = InCell(w, 8, 3, 0.5f, 0.5f), to = InCell(w, 8, 5, 0.5f, 0.5f);
        Mouse(w, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
        EXPECT_EQ(GE_MapWindowData(w)->clickCounter, 1);
        GE_DeleteDryPoint(0);
        EXPECT_EQ(dry.selected, -1);
        Mouse(w, WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, to.x, to.y);
        EXPECT_EQ(GE_MapWindowData(w)->clickCounter, 0);
        ASSERT_EQ(dry.count, 1);
        EXPECT_EQ(Ends(dry.items[0]), (std::vector<int32_t>{ 3, 6, 4, 6 }));
        EXPECT_STREQ(dry.items[0].name, "bank");
        EXPECT_EQ(calls.size(), 1u);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// Dry cells are painted with their brush masking what lies below (the
// depth bands show through); the thin dams after them are drawn plainly.
TEST_F(MapWindowTest, DryCellsMaskTheDepthsAndLeaveTheDrawModeAsItWas)
{
    in_app([] {
        Recorder rec;
        LineWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const POINT dryCell = InCell(w, 4, 3, 0.3f, 0.3f);
        const COLORREF band = PixelAt(w, dryCell);
        const GE_LineObject run{ 3, 3, 5, 3, "shoal" };
        GE_SetDryPoints(&run, 1);
        const GE_LineObject dam{ 3, 6, 6, 6, "wall" };
        const int32_t direction = GEdit_V_DAM;
        GE_SetThinDams(&dam, 1, &direction);
        GE_MapWindowData(w)->shown[GEdit_SHOW_THIN_DAMS] = 1;
        GE_RedrawAll(0);
        pump(50);
        const Pixels px(Native(w));
        EXPECT_EQ(px.at(dryCell.x, dryCell.y), band & RGB(0xFF, 0xD6, 0x00));
        const POINT onDam = PixelOf(w, 3.5f * STEP, 5.0f * STEP);
        EXPECT_EQ(px.at(onDam.x, onDam.y), RGB(0xD8, 0xD8, 0x00));
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// A drogue added by the mouse is drawn again after its owner has been
// told, with the name the owner gave it.
int Naming(void *, int32_t, int32_t operation, int32_t selected, void *, GE_PointObject *points, GE_LineObject *,
           int32_t *, int32_t)
{
    if (operation == GEmode_ADD)
        std::snprintf(points[selected].name, sizeof points[selected].name, "%s", "DRIFTER");
    return 0;
}

TEST_F(MapWindowTest, DrogueAddedIsShownWithTheNameItsOwnerGave)
{
    in_app([] {
        LineWorld world;
        GE_SetCallback(GEkind_DROGUE, Naming, nullptr);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_WindowData *d = GE_MapWindowData(w);
        d->shown[GEdit_SHOW_DROGUES] = d->namesShown[GEdit_SHOW_DROGUES] = 1;
        GE_MapWindowData(w)->shown[GEdit_SHOW_BATHYMETRY] = 0;
        GE_RedrawWindow(w);
        GE_EditDrogues();
        GE_SetModeAdd();
        Click(w, InCell(w, 4, 5, 0.5f, 0.5f));
        ASSERT_EQ(global_windata.drogues.count, 1);
        EXPECT_STREQ(global_windata.drogues.items[0].name, "DRIFTER");
        // The name at the end of the plus (the middle of the cell's side at
        // m = 4), in red while selected.
        const POINT end = Node(w, 4.0f, 4.5f);
        const Pixels px(Native(w));
        EXPECT_GT(px.count(RGB(255, 0, 0), end.x + 4, end.y - 20, end.x + 90, end.y + 20), 15);
    });
}

// A dam handed over with its ends the other way round is picked as it is
// drawn; a dam longer than a thousand grid points is drawn and picked to
// its far end.
TEST_F(MapWindowTest, ReversedAndLongDamsArePickedAndDrawnWhole)
{
    in_app([] {
        Recorder rec;
        LineWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_MapWindowData(w)->shown[GEdit_SHOW_THIN_DAMS] = 1;
        const GE_LineObject reversed{ 6, 3, 3, 3, "reversed" };
        const int32_t v = GEdit_V_DAM;
        GE_SetThinDams(&reversed, 1, &v);
        GE_EditThinDams();
        GE_SetModeView();
        calls.clear();
        Click(w, InCell(w, 4, 4, 0.5f, 0.05f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_VIEW);
        EXPECT_EQ(calls[0].selected, 0);

        // A grid of 1200 x 4 nodes and a dam along n = 3 from m = 3 to 1150,
        // looked at near m = 1100.
        constexpr int32_t LONG_M = 1200, LONG_N = 4;
        std::vector<float> x, y;
        std::vector<int32_t> status(static_cast<size_t>(LONG_M + 1) * (LONG_N + 1), GE_CELL_INACTIVE);
        for (int32_t n = 1; n <= LONG_N; ++n)
            for (int32_t m = 1; m <= LONG_M; ++m) {
                x.push_back((m - 1) * STEP);
                y.push_back((n - 1) * STEP);
                if (m >= 2 && n >= 2)
                    status[static_cast<size_t>(n - 1) * (LONG_M + 1) + (m - 1)] = GE_CELL_ACTIVE;
            }
        GE_GridInput in{};
        in.mmax = LONG_M;
        in.nmax = LONG_N;
        in.x = x.data();
        in.y = y.data();
        in.cellStatus = status.data();
        in.coordinateSystem = 1;
        in.missingValue = -99999.0f;
        GE_SetGrid(&in, "");
        const GE_LineObject longDam{ 3, 3, 1150, 3, "long" };
        GE_SetThinDams(&longDam, 1, &v);
        GE_SelectObjectKind(GEkind_THIN_DAM);  // nothing selected
        GE_WindowData *d = GE_MapWindowData(w);
        d->shown[GEdit_SHOW_BATHYMETRY] = 0;
        d->zoom = 100.0f;
        d->xOffset = 1099.0f * STEP - (global_windata.xmax + global_windata.xmin) / 2;
        GE_RedrawWindow(w);
        pump(50);
        const POINT onDam = PixelOf(w, 1098.5f * STEP, 2.0f * STEP);
        EXPECT_EQ(PixelAt(w, onDam), RGB(0xD8, 0xD8, 0x00));
        calls.clear();
        Click(w, InCell(w, 1100, 4, 0.5f, 0.05f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_VIEW);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

}  // namespace
