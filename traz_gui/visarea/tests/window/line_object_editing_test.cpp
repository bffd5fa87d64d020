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

}  // namespace
