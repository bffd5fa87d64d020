// Cross sections and open boundaries on the real toolkit, driven by real
// mouse messages at pixels computed from the window's transform, with
// recording callbacks: two-click adds, a pick and a move that keeps the
// name (drawn while names are shown), delete that only tells the owner,
// view; the refusals with their
// status texts; open boundaries checked against the point types of an
// enclosure with a concave corner (a new boundary through it accepted, an
// older one of another kind moved onto it refused); placeholders neither
// drawn nor picked; the colours of the lines by window pixels.
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_controls.h"
#include "ge_list.h"
#include "grid_data.h"
#include "line_object_editing.h"
#include "line_objects.h"
#include "line_editing_steps.h"

namespace {

using namespace linetest;

struct Call {
    int32_t kind, operation, selected, count;
    bool extra;
};
std::vector<Call> calls;

int Owner(void *, int32_t kind, int32_t operation, int32_t selected, void *, GE_PointObject *, GE_LineObject *,
          int32_t *extra, int32_t count)
{
    calls.push_back(Call{ kind, operation, selected, count, extra != nullptr });
    return 0;
}

// Point types from an L of inside cells: rows 2..4 for m 2..8 and the arm
// m 2..4 up to row 8.  Cell (5, 5) is its concave corner (type 7), cut by
// the boundary between grid points (4, 5) and (5, 4).
const char *const L_SHAPE = "1 1\n9 1\n9 5\n5 5\n5 9\n1 9\n1 1\n";

struct BoundaryWorld : World {
    BoundaryWorld()
    {
        calls.clear();
        GE_EnableEditModes();
        for (const int32_t kind : { GEkind_CROSS_SECTION, GEkind_OPEN_BOUNDARY }) {
            GE_EnableObjectKind(kind);
            GE_SetCallback(kind, Owner, nullptr);
        }
        GE_EnableViewAttribute(GEdit_SHOW_CROSS_SECTIONS);
        GE_EnableViewAttribute(GEdit_SHOW_OPEN_BOUNDARIES);
        GE_InstallLineObjectKinds();
        std::FILE *f = std::fopen("l_shape.enc", "wb");
        if (f) {
            std::fputs(L_SHAPE, f);
            std::fclose(f);
        }
        typesSet = SetTestGridData(*this, "l_shape.enc");
    }
    ~BoundaryWorld()
    {
        for (int32_t kind = GEkind_WAVE_GRID_1; kind < GE_KIND_COUNT; ++kind)
            GE_SetKindOperations(kind, nullptr);
    }
    int typesSet = 0;
};

const COLORREF CYAN = RGB(0, 255, 255), BLUE = RGB(0, 0, 255), RED = RGB(255, 0, 0);

TEST_F(MapWindowTest, CrossSectionsAddedPickedMovedViewedAndDeletedByTheMouse)
{
    in_app([] {
        Recorder rec;
        BoundaryWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_EditCrossSections();
        GE_SetModeAdd();
        calls.clear();
        GE_LineSet &sections = global_windata.crossSections;

        // Pressed by grid point (5, 3), released by (5, 7): the section
        // along grid line m = 5, selected and drawn red 3 pixels wide.
        Drag(w, InCell(w, 5, 3, 0.9f, 0.9f), InCell(w, 5, 7, 0.9f, 0.9f));
        ASSERT_EQ(sections.count, 1);
        EXPECT_EQ(Ends(sections.items[0]), (std::vector<int32_t>{ 5, 3, 5, 7 }));
        EXPECT_STREQ(sections.items[0].name, "");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].kind, GEkind_CROSS_SECTION);
        EXPECT_EQ(calls[0].operation, GEmode_ADD);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_EQ(calls[0].count, 1);
        EXPECT_FALSE(calls[0].extra);
        EXPECT_EQ(sections.selected, 0);
        EXPECT_EQ(FirstField(w), "");
        const POINT on = Node(w, 5, 5);
        EXPECT_EQ(PixelAt(w, on), RED);
        {
            const Pixels px(Native(w));
            EXPECT_EQ(px.at(on.x - 1, on.y), RED);
            EXPECT_EQ(px.at(on.x + 1, on.y), RED);
            EXPECT_NE(px.at(on.x + 3, on.y), RED);
        }

        // Refused placements: each one text, nothing added, nobody told.
        calls.clear();
        ExpectRefusals(w, {
            { "one segment", InCell(w, 7, 3, 0.9f, 0.9f), InCell(w, 7, 4, 0.9f, 0.9f), "Invalid cross section line" },
            { "diagonal", InCell(w, 3, 3, 0.9f, 0.9f), InCell(w, 6, 6, 0.9f, 0.9f), "Invalid cross section line" },
            { "pressed off the grid", PixelOf(w, 500, -40), InCell(w, 7, 4, 0.9f, 0.9f), "No GRID cell pointed" },
            { "released off the grid", InCell(w, 7, 3, 0.9f, 0.9f), PixelOf(w, 500, 840), "No GRID cell pointed" },
        }, sections);
        EXPECT_TRUE(calls.empty());

        // Modify: a press on the section picks it; a drag by grid points
        // (8, 3) and (8, 6) moves it, keeping its name.
        std::snprintf(sections.items[0].name, sizeof sections.items[0].name, "%s", "gauge A");
        GE_SetModeModify();
        calls.clear();
        Click(w, InCell(w, 5, 5, 0.95f, 0.5f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_MODIFY);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_EQ(sections.selected, 0);
        Drag(w, InCell(w, 8, 3, 0.9f, 0.9f), InCell(w, 8, 6, 0.9f, 0.9f));
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].operation, GEmode_MODIFY);
        EXPECT_EQ(calls[1].selected, 0);
        EXPECT_EQ(Ends(sections.items[0]), (std::vector<int32_t>{ 8, 3, 8, 6 }));
        EXPECT_STREQ(sections.items[0].name, "gauge A");
        EXPECT_EQ(sections.selected, -1);
        EXPECT_EQ(PixelAt(w, Node(w, 8, 4.5f)), CYAN);
        EXPECT_NE(PixelAt(w, on), CYAN);
        // Its name in its colour by the grid point half way along, while
        // names are shown.
        const POINT half = Node(w, 8, 5);
        const auto nameInk = [&] {
            const Pixels px(Native(w));
            return px.count(CYAN, half.x + 4, half.y - 16, half.x + 60, half.y + 16);
        };
        EXPECT_GT(nameInk(), 10);
        GE_MapWindowData(w)->namesShown[GEdit_SHOW_CROSS_SECTIONS] = 0;
        GE_RedrawAll(0);
        pump(50);
        EXPECT_EQ(nameInk(), 0);
        EXPECT_EQ(PixelAt(w, Node(w, 8, 4.5f)), CYAN);
        // A press by no section.
        Click(w, InCell(w, 3, 7, 0.95f, 0.5f));
        EXPECT_EQ(FirstField(w), "No cross section pointed");
        EXPECT_EQ(calls.size(), 2u);

        // View selects it and tells the owner.
        GE_SetModeView();
        calls.clear();
        Click(w, InCell(w, 9, 5, 0.05f, 0.5f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_VIEW);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_EQ(sections.selected, 0);
        EXPECT_EQ(PixelAt(w, Node(w, 8, 4.5f)), RED);

        // Delete only tells the owner; the owner's delete removes it.
        GE_SetModeDelete();
        calls.clear();
        Click(w, InCell(w, 8, 4, 0.95f, 0.5f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_DELETE);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_EQ(sections.count, 1);
        Click(w, InCell(w, 3, 4, 0.95f, 0.5f));
        EXPECT_EQ(FirstField(w), "No cross section pointed");
        Click(w, PixelOf(w, 500, -40));
        EXPECT_EQ(FirstField(w), "No GRID cell pointed");
        EXPECT_EQ(calls.size(), 1u);

        // A placeholder in its place is neither drawn nor picked.
        GE_AddCrossSection(nullptr);
        const GE_LineObject placeholder = sections.items[1];
        GE_ModifyCrossSection(&placeholder, 0);
        pump(50);
        EXPECT_NE(PixelAt(w, Node(w, 8, 4.5f)), CYAN);
        EXPECT_NE(PixelAt(w, Node(w, 8, 4.5f)), RED);
        calls.clear();
        Click(w, InCell(w, 8, 4, 0.95f, 0.5f));
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(FirstField(w), "No cross section pointed");
        GE_DeleteCrossSection(0);
        EXPECT_EQ(sections.count, 1);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST_F(MapWindowTest, CrossSectionsNeedAnActiveCellBesideEverySegment)
{
    in_app([] {
        BoundaryWorld world;
        // Cells (6, 6) and (7, 6) inactive: grid line m = 6 has no active
        // cell beside its segment n = 5..6, grid line m = 5 has (5, 6).
        SetTestGrid(world.x, world.y, world.status, 1, { { 6, 6 }, { 7, 6 } });
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_EditCrossSections();
        GE_SetModeAdd();
        calls.clear();
        Drag(w, InCell(w, 6, 6, 0.9f, 0.9f), InCell(w, 6, 9, 0.9f, 0.9f));
        EXPECT_EQ(FirstField(w), "No ACTIVE grid cell pointed");
        Drag(w, InCell(w, 6, 4, 0.9f, 0.9f), InCell(w, 6, 8, 0.9f, 0.9f));
        EXPECT_EQ(FirstField(w), "Invalid cross section line");
        EXPECT_EQ(global_windata.crossSections.count, 0);
        Drag(w, InCell(w, 5, 4, 0.9f, 0.9f), InCell(w, 5, 8, 0.9f, 0.9f));
        ASSERT_EQ(global_windata.crossSections.count, 1);
        EXPECT_EQ(Ends(global_windata.crossSections.items[0]), (std::vector<int32_t>{ 5, 4, 5, 8 }));
        EXPECT_EQ(calls.size(), 1u);
    });
}

TEST_F(MapWindowTest, OpenBoundariesCheckedAgainstThePointTypes)
{
    in_app([] {
        Recorder rec;
        BoundaryWorld world;
        ASSERT_EQ(world.typesSet, 1);
        ASSERT_EQ(GE_GridPointType(nullptr, 5, 5), 7);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        // Without the depth scale, which is drawn over the map's left side.
        Command(w, GEcmd_SHOW_BATHYMETRY);
        GE_EditOpenBoundaries();
        GE_SetModeAdd();
        calls.clear();
        GE_LineSet &boundaries = global_windata.openBoundaries;

        // Along the low-n side: pressed by grid point (3, 1) in inside cell
        // (4, 2), released by (6, 1).
        Drag(w, InCell(w, 4, 2, 0.1f, 0.1f), InCell(w, 7, 2, 0.1f, 0.1f));
        ASSERT_EQ(boundaries.count, 1);
        EXPECT_EQ(Ends(boundaries.items[0]), (std::vector<int32_t>{ 3, 1, 6, 1 }));
        EXPECT_EQ(boundaries.extra[0], 1);  // a water-level boundary
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].kind, GEkind_OPEN_BOUNDARY);
        EXPECT_EQ(calls[0].operation, GEmode_ADD);
        EXPECT_EQ(calls[0].selected, 0);
        EXPECT_FALSE(calls[0].extra);
        EXPECT_EQ(FirstField(w), "");
        EXPECT_EQ(PixelAt(w, Node(w, 4.5f, 1)), RED);

        // Through the concave corner: a new boundary may use it.
        Drag(w, InCell(w, 4, 5, 0.9f, 0.9f), InCell(w, 5, 4, 0.9f, 0.9f));
        ASSERT_EQ(boundaries.count, 2);
        EXPECT_EQ(Ends(boundaries.items[1]), (std::vector<int32_t>{ 4, 5, 5, 4 }));
        EXPECT_EQ(calls.size(), 2u);

        // Refusals.
        calls.clear();
        ExpectRefusals(w, {
            { "inside the grid", InCell(w, 6, 3, 0.9f, 0.9f), InCell(w, 6, 4, 0.9f, 0.9f), "Invalid boundary line" },
            { "leaving the boundary", InCell(w, 2, 2, 0.1f, 0.1f), InCell(w, 2, 9, 0.1f, 0.9f),
              "Invalid boundary line" },
            { "pressed off the grid", PixelOf(w, 500, -40), InCell(w, 4, 2, 0.1f, 0.1f),
              "First click: No GRID cell pointed" },
            { "released off the grid", InCell(w, 4, 2, 0.1f, 0.1f), PixelOf(w, 500, 840), "No GRID cell pointed" },
        }, boundaries);
        // A press in a cell that is not inside does nothing at all.
        SetStatusFields(w, 0, "unchanged", nullptr, nullptr);
        Drag(w, InCell(w, 8, 7, 0.5f, 0.5f), InCell(w, 8, 2, 0.5f, 0.5f));
        EXPECT_EQ(FirstField(w), "unchanged");
        EXPECT_EQ(boundaries.count, 2);
        EXPECT_TRUE(calls.empty());

        // The owner's boundary of another kind along the low-m side, given
        // in cells.
        const GE_LineObject west{ 1, 2, 1, 4, "west" };
        GE_AddOpenBoundary(&west, 2);
        ASSERT_EQ(boundaries.count, 3);
        EXPECT_EQ(Ends(boundaries.items[2]), (std::vector<int32_t>{ 1, 1, 1, 4 }));

        // Modify: picked by its side, then moved onto the corner: only a
        // water-level boundary may go there.
        GE_SetModeModify();
        calls.clear();
        Click(w, InCell(w, 2, 3, 0.05f, 0.5f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_MODIFY);
        EXPECT_EQ(calls[0].selected, 2);
        Drag(w, InCell(w, 4, 5, 0.9f, 0.9f), InCell(w, 5, 4, 0.9f, 0.9f));
        EXPECT_EQ(FirstField(w), "Only valid with Waterlevel boundaries");
        EXPECT_EQ(Ends(boundaries.items[2]), (std::vector<int32_t>{ 1, 1, 1, 4 }));
        EXPECT_EQ(calls.size(), 1u);
        // Along the low-m side higher up it may go, keeping name and kind.
        EXPECT_EQ(boundaries.selected, 2);
        Drag(w, InCell(w, 2, 5, 0.1f, 0.1f), InCell(w, 2, 8, 0.1f, 0.9f));
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].operation, GEmode_MODIFY);
        EXPECT_EQ(Ends(boundaries.items[2]), (std::vector<int32_t>{ 1, 4, 1, 8 }));
        EXPECT_STREQ(boundaries.items[2].name, "west");
        EXPECT_EQ(boundaries.extra[2], 2);
        EXPECT_EQ(boundaries.selected, -1);
        EXPECT_EQ(FirstField(w), "");
        // Blue when not selected.
        EXPECT_EQ(PixelAt(w, Node(w, 1, 6.5f)), BLUE);
        EXPECT_EQ(PixelAt(w, Node(w, 4.5f, 1)), BLUE);
        Click(w, InCell(w, 6, 3, 0.5f, 0.5f));
        EXPECT_EQ(FirstField(w), "No boundary pointed");

        // View and delete.
        GE_SetModeView();
        calls.clear();
        Click(w, InCell(w, 5, 2, 0.5f, 0.05f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_VIEW);
        EXPECT_EQ(calls[0].selected, 0);
        GE_SetModeDelete();
        calls.clear();
        Click(w, InCell(w, 2, 6, 0.05f, 0.5f));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, GEmode_DELETE);
        EXPECT_EQ(calls[0].selected, 2);
        EXPECT_EQ(boundaries.count, 3);
        Click(w, InCell(w, 6, 3, 0.5f, 0.5f));
        EXPECT_EQ(FirstField(w), "No open boundary pointed");

        // A placeholder is neither drawn nor picked.
        const GE_LineObject none{ GE_PLACEHOLDER, GE_PLACEHOLDER, GE_PLACEHOLDER, GE_PLACEHOLDER, "" };
        GE_ModifyOpenBoundary(&none, 2, 2);
        pump(50);
        EXPECT_NE(PixelAt(w, Node(w, 1, 6.5f)), BLUE);
        calls.clear();
        Click(w, InCell(w, 2, 6, 0.05f, 0.5f));
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(FirstField(w), "No open boundary pointed");
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

}  // namespace

// Handing a set over shows its kind in every map window: the attribute on,
// its View > Attributes item checked, and its names item where it has one.
TEST_F(MapWindowTest, SetsHandedOverShowTheirKindsInTheWindows)
{
    in_app([] {
        Recorder rec;
        BoundaryWorld world;
        for (const int32_t a : { GEdit_SHOW_DRY_POINTS, GEdit_SHOW_THIN_DAMS, GEdit_SHOW_DROGUES })
            GE_EnableViewAttribute(a);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_LineObject section{ 5, 3, 5, 7, "gauge A" };
        const GE_LineObject dry{ 3, 3, 3, 4, "" };
        const int32_t direction = GEdit_V_DAM, kind = 1;
        const GE_LineObject boundary{ 1, 2, 1, 4, "" };
        const GE_PointObject drogue{ 3, 3, 250, 250, "d1" };
        struct Case {
            const char *what;
            int32_t attribute, item, namesItem;
            void (*set)(const void *, const void *);
            const void *records, *extra;
        };
        const Case cases[] = {
            { "dry points", GEdit_SHOW_DRY_POINTS, 20038, -1,
              [](const void *r, const void *) { GE_SetDryPoints(static_cast<const GE_LineObject *>(r), 1); }, &dry,
              nullptr },
            { "thin dams", GEdit_SHOW_THIN_DAMS, 20039, -1,
              [](const void *r, const void *e) {
                  GE_SetThinDams(static_cast<const GE_LineObject *>(r), 1, static_cast<const int32_t *>(e));
              },
              &dry, &direction },
            { "drogues", GEdit_SHOW_DROGUES, 20041, 20051,
              [](const void *r, const void *) { GE_SetDrogues(static_cast<const GE_PointObject *>(r), 1); }, &drogue,
              nullptr },
            { "cross sections", GEdit_SHOW_CROSS_SECTIONS, 20045, 20055,
              [](const void *r, const void *) { GE_SetCrossSections(static_cast<const GE_LineObject *>(r), 1); },
              &section, nullptr },
            { "open boundaries", GEdit_SHOW_OPEN_BOUNDARIES, 20046, 20056,
              [](const void *r, const void *e) {
                  // The set takes the kinds array over: a block of the library's allocator.
                  int32_t *kinds = static_cast<int32_t *>(GE_Alloc(sizeof(int32_t)));
                  *kinds = *static_cast<const int32_t *>(e);
                  GE_SetOpenBoundaries(static_cast<const GE_LineObject *>(r), 1, kinds);
              },
              &boundary, &kind },
        };
        for (const Case &c : cases) {
            const GE_WindowData *d = GE_MapWindowData(w);
            EXPECT_EQ(d->shown[c.attribute], 0) << c.what;
            EXPECT_EQ(MenuState(w, c.item) & MF_CHECKED, 0u) << c.what;
            c.set(c.records, c.extra);
            EXPECT_EQ(global_windata.option_loaded[c.attribute], 1) << c.what;
            EXPECT_EQ(d->shown[c.attribute], 1) << c.what;
            EXPECT_EQ(MenuState(w, c.item) & (MF_CHECKED | MF_GRAYED), static_cast<UINT>(MF_CHECKED)) << c.what;
            if (c.namesItem != -1) {
                EXPECT_EQ(d->namesShown[c.attribute], 1) << c.what;
                EXPECT_EQ(MenuState(w, c.namesItem) & MF_CHECKED, static_cast<UINT>(MF_CHECKED)) << c.what;
            }
        }
        // Drawn at once, in its colour.
        EXPECT_EQ(PixelAt(w, Node(w, 5, 5)), CYAN);
    });
}
