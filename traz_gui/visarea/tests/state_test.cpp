// The library's process-wide record: initial state, the host's
// configuration, selections, world bounds and the release of everything.
#include <gtest/gtest.h>

#include <cfloat>

#include "visarea_test_support.h"

namespace {

using vatest::Counts;

class StateTest : public vatest::LibraryTest {};

TEST_F(StateTest, InitLeavesAnEmptyWorldInViewMode)
{
    const GE_GlobalData &g = global_windata;
    EXPECT_EQ(g.applicationType, 1);
    EXPECT_EQ(g.currentKind, GEkind_NONE);
    EXPECT_EQ(g.currentOperation, GEmode_VIEW);
    EXPECT_EQ(g.xmin, FLT_MAX);
    EXPECT_EQ(g.xmax, -FLT_MAX);
    EXPECT_EQ(g.zmin, FLT_MAX);
    EXPECT_EQ(g.grid.statusExtra[0], -1);
    EXPECT_EQ(g.grid.statusExtra[1], -1);
    EXPECT_EQ(g.coordinateSystem, 1);
    EXPECT_EQ(g.wave.selected, -1);
    EXPECT_EQ(g.observations.selected, -1);
    for (const GE_PointSet &d : g.discharges)
        EXPECT_EQ(d.selected, -1);
    EXPECT_EQ(g.suppressWarningsChecked, 1);
    EXPECT_EQ(g.suppressWarningsAvailable, 0);
    for (int k = 0; k < GE_KIND_COUNT; ++k)
        EXPECT_EQ(g.callbacks[k], nullptr);
}

TEST_F(StateTest, TheEditorsConfigurationSetsOnlyItsFlags)
{
    vatest::InstallCountingActions();
    GE_EnableEditModes();
    GE_EnableFileOpen(0);
    for (int kind : {10, 11, 7})
        GE_EnableObjectKind(kind);
    for (int a : {3, 4, 2, 1, 11, 12, 8})
        GE_EnableViewAttribute(a);
    const GE_GlobalData &g = global_windata;
    EXPECT_EQ(g.editEnabled[GE_EDIT_MODES_ENTRY], 1);
    EXPECT_EQ(g.fileOpenEnabled[0], 1);
    EXPECT_EQ(g.fileOpenEnabled[1], 0);
    for (int k = 0; k < GE_EDIT_MODES_ENTRY; ++k)
        EXPECT_EQ(g.editEnabled[k], k == 10 || k == 11 || k == 7) << k;
    for (int a = 0; a < GE_ATTRIBUTE_COUNT; ++a) {
        EXPECT_EQ(g.available[a], a == 3 || a == 4 || a == 2 || a == 1 || a == 11 || a == 12 || a == 8) << a;
        EXPECT_EQ(g.option_loaded[a], 0) << a;
    }
    EXPECT_EQ(Counts().items, 12);
}

TEST_F(StateTest, CallbacksGoToTheirSlotAndALaterOneReplacesIt)
{
    GE_Callback a = [](void *, int32_t, int32_t, int32_t, void *, GE_PointObject *, GE_LineObject *, int32_t *,
                       int32_t) { return 1; };
    GE_Callback b = [](void *, int32_t, int32_t, int32_t, void *, GE_PointObject *, GE_LineObject *, int32_t *,
                       int32_t) { return 2; };
    int user = 0;
    GE_SetCallback(7, a, &user);
    GE_SetCallback(7, b, nullptr);
    GE_SetCallback(1, a, nullptr);
    EXPECT_EQ(global_windata.callbacks[7], b);
    EXPECT_EQ(global_windata.userData[7], nullptr);
    EXPECT_EQ(global_windata.callbacks[1], a);
}

TEST_F(StateTest, EditModeViewReplacesTheOperation)
{
    global_windata.currentOperation = GEmode_ADD;
    GE_SetEditModeView();
    EXPECT_EQ(global_windata.currentOperation, GEmode_VIEW);
}

TEST(FixSelection, DeletionMovesTheSelectionAsTheDeleteRuleSays)
{
    struct Case {
        int deleted, selected, expected;
    } cases[] = {
        {0, 3, -1}, {0, 0, -1}, {0, -1, -1},  // deleting item 0 clears whatever was selected
        {2, 2, 1},                           // the selected item goes: the one before it
        {2, 3, 2},                           // a later selection moves down
        {2, 1, 1},                           // an earlier one stays
        {2, -1, -1},
    };
    for (const Case &c : cases) {
        int32_t selected = c.selected;
        GE_FixSelection(c.deleted, &selected);
        EXPECT_EQ(selected, c.expected) << c.deleted << " " << c.selected;
    }
}

TEST_F(StateTest, SelectIndexTakesOnlyIndicesBelowTheCount)
{
    vatest::InstallCountingActions();
    int32_t selected = 1;
    EXPECT_EQ(GE_SelectIndex(3, &selected, 3), 1);
    EXPECT_EQ(GE_SelectIndex(-1, &selected, 3), 1);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(Counts().redraw, 0);
    EXPECT_EQ(GE_SelectIndex(2, &selected, 3), 0);
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(Counts().redraw, 1);
}

TEST_F(StateTest, BoundsSpanValidGridNodesLandBoundaryAndDepths)
{
    vatest::GridFixture grid(4, 3);
    grid.x[0] = -500.0f;  // node (1, 1) lies beside inactive cells only: not valid
    grid.Status(2, 2) = 0;
    grid.Refresh();
    GE_SetGrid(&grid.input, "");
    EXPECT_EQ(global_windata.xmin, 0.0f);
    EXPECT_EQ(global_windata.ymin, 0.0f);
    EXPECT_EQ(global_windata.xmax, 30.0f);
    EXPECT_EQ(global_windata.ymax, 20.0f);

    std::vector<float> depth(12, 5.0f);
    depth[5] = -3.0f;
    depth[6] = -999.0f;
    GE_SetDepth(depth.data());
    EXPECT_EQ(global_windata.zmin, -3.0f);
    EXPECT_EQ(global_windata.zmax, 5.0f);

    vatest::LandFixture land({100.0f, -40.0f}, {7.0f, 300.0f});
    GE_SetLandBoundary(&land.input);
    // With a grid the bounds stay the grid's until they are computed again.
    EXPECT_EQ(global_windata.xmax, 30.0f);
    GE_ResetView();
    EXPECT_EQ(global_windata.xmin, -40.0f);
    EXPECT_EQ(global_windata.xmax, 100.0f);
    EXPECT_EQ(global_windata.ymax, 300.0f);
}

TEST_F(StateTest, FreeAllEmptiesTheWorldOnceAndKeepsSelectionsBelowTheCounts)
{
    vatest::GridFixture grid(5, 4);
    GE_SetGrid(&grid.input, "");
    std::vector<float> depth(20, 2.0f);
    GE_SetDepth(depth.data());
    global_windata.observations.items = static_cast<GE_PointObject *>(GE_Alloc(2 * sizeof(GE_PointObject)));
    global_windata.observations.count = 2;
    global_windata.observations.selected = 1;
    GE_FreeAll();
    GE_FreeAll();  // twice: nothing is freed a second time
    const GE_GlobalData &g = global_windata;
    EXPECT_EQ(g.grid.xcoord, nullptr);
    EXPECT_EQ(g.grid.cellStatus, nullptr);
    EXPECT_EQ(g.depth.depth, nullptr);
    EXPECT_EQ(g.option_loaded[GEdit_SHOW_GRID], 0);
    EXPECT_EQ(g.option_loaded[GEdit_SHOW_BATHYMETRY], 0);
    EXPECT_EQ(g.observations.count, 0);
    EXPECT_EQ(g.observations.selected, -1);
    // A new grid after the release loads as the first did.
    GE_SetGrid(&grid.input, "");
    EXPECT_EQ(g.grid.mmax, 5);
}

TEST_F(StateTest, FreeAllWithALoadedLandBoundaryUnloadsItThroughTheGrid)
{
    vatest::GridFixture grid(3, 3);
    GE_SetGrid(&grid.input, "");
    vatest::LandFixture land({1.0f, 2.0f}, {1.0f, 2.0f});
    GE_SetLandBoundary(&land.input);
    GE_FreeAll();
    EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_LANDBOUNDARY], 0);
    // Its points stay until the next land boundary replaces them.
    EXPECT_NE(global_windata.land.xcoord, nullptr);
    GE_SetLandBoundary(&land.input);
    EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_LANDBOUNDARY], 1);
    EXPECT_EQ(global_windata.land.count, 2);
}

TEST_F(StateTest, AreaBoxKeepsThePreviousBox)
{
    GE_PointObject first[2] = {{1, 2, 10.0f, 20.0f, ""}, {3, 4, 30.0f, 40.0f, ""}};
    GE_PointObject second[2] = {{5, 6, 50.0f, 60.0f, ""}, {7, 8, 70.0f, 80.0f, ""}};
    EXPECT_EQ(GE_SetAreaBox(first), 0);
    EXPECT_EQ(GE_SetAreaBox(second), 0);
    EXPECT_EQ(global_windata.areaBoxShown, 1);
    EXPECT_EQ(global_windata.areaBox[1].m, 7);
    EXPECT_EQ(global_windata.previousAreaBox[0].x, 10.0f);
}

// A host that hands over many changes at once has the windows drawn once,
// when the last of nested suspensions ends.
TEST_F(StateTest, SuspendedDrawingHappensOnceWhenResumed)
{
    vatest::InstallCountingActions();
    GE_PointObject box[2] = {{1, 2, 10.0f, 20.0f, ""}, {3, 4, 30.0f, 40.0f, ""}};
    GE_SuspendDrawing();
    GE_SuspendDrawing();
    GE_RedrawAll(0);
    GE_SetAreaBox(box);
    GE_ResumeDrawing();
    EXPECT_EQ(Counts().redraw, 0);
    GE_ResumeDrawing();
    EXPECT_EQ(Counts().redraw, 1);
    // A resume without a suspension draws nothing and leaves drawing on.
    GE_ResumeDrawing();
    EXPECT_EQ(Counts().redraw, 1);
    GE_RedrawAll(0);
    EXPECT_EQ(Counts().redraw, 2);
}

}  // namespace
