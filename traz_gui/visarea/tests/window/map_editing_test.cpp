// Editing and view settings in map windows on the real toolkit, two windows
// open: the Edit menu's kinds with their callback (operation View, no
// selection) and check marks in both menus, the Edit Mode menu and the
// selections it clears, the host's choice of kind; the mouse clamped into
// the drawing rectangle and routed to the current kind's editor; the
// rubber band of a line edit drawn and erased without a trace; layers and
// names shown per window; fonts, case, colours and the suppress-warnings
// option for every window with check marks in the menu used.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "map_window_fixture.h"

namespace {

using namespace maptest;

struct Call {
    void *user;
    int32_t kind, operation, selected;
    const void *points, *lines;
    int32_t count;
};
std::vector<Call> calls;

int RecordCall(void *user, int32_t kind, int32_t operation, int32_t selected, void *, GE_PointObject *points,
               GE_LineObject *lines, int32_t *, int32_t count)
{
    calls.push_back({ user, kind, operation, selected, points, lines, count });
    return 0;
}

int slot7User = 7, slot10User = 10;

// Observation points and instantaneous releases enabled, with the edit
// modes, as the editor configures the library.
struct EditWorld : World {
    EditWorld()
    {
        calls.clear();
        GE_EnableEditModes();
        GE_EnableObjectKind(GEkind_OBSERVATION);
        GE_EnableObjectKind(GEkind_INSTANT_RELEASE);
        GE_EnableObjectKind(GEkind_CROSS_SECTION);
        GE_EnableViewAttribute(GEdit_SHOW_OBSERVATIONS);
        GE_EnableViewAttribute(GEdit_SHOW_INSTANT_RELEASES);
        GE_SetCallback(GEkind_OBSERVATION, RecordCall, &slot7User);
        GE_SetCallback(GEkind_INSTANT_RELEASE, RecordCall, &slot10User);
    }
    ~EditWorld()
    {
        for (int32_t kind = GEkind_WAVE_GRID_1; kind < GE_KIND_COUNT; ++kind)
            GE_SetKindOperations(kind, nullptr);
    }
};

// Status text of a window: the three tab-separated fields.
std::string Status(const char *field1, const char *field2) { return std::string(field1) + "\t" + field2 + "\tVA 3.00.00"; }

TEST_F(MapWindowTest, EditMenuChoosesTheKindInEveryWindowAndTellsItsCallback)
{
    in_app([] {
        Recorder rec;
        EditWorld world;
        const RUV_WIN a = Open(), b = Open(420);
        ASSERT_NE(a, NULL_WIN);
        ASSERT_NE(b, NULL_WIN);
        for (const RUV_WIN w : { a, b }) {
            EXPECT_TRUE(Enabled(w, VA_CMD_EDIT_OBSERVATIONS));
            EXPECT_FALSE(Enabled(w, VA_CMD_EDIT_DROGUES));
            EXPECT_TRUE(Checked(w, GEcmd_EDIT_NONE));
            EXPECT_TRUE(Checked(w, VA_CMD_MODE_VIEW));
            EXPECT_FALSE(Enabled(w, VA_CMD_SHOW_OBSERVATIONS));  // nothing loaded yet
        }

        // Add mode from the second window's menu: checked in both.
        Command(b, VA_CMD_MODE_ADD);
        for (const RUV_WIN w : { a, b }) {
            EXPECT_TRUE(Checked(w, VA_CMD_MODE_ADD));
            EXPECT_FALSE(Checked(w, VA_CMD_MODE_VIEW));
        }
        EXPECT_EQ(global_windata.currentOperation, GEmode_ADD);

        // Edit > Observation Points in the first window: the callback gets
        // View and no selection even in Add mode; both menus and status bars
        // follow; the kind's layer and names come on, enabled in both.
        const GE_PointObject p{ 3, 4, 250.0f, 350.0f, "obs" };
        GE_AppendObject(&global_windata.observations.items, &global_windata.observations.count, &p);
        global_windata.observations.selected = 0;
        Command(a, VA_CMD_EDIT_OBSERVATIONS);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].user, &slot7User);
        EXPECT_EQ(calls[0].kind, GEkind_OBSERVATION);
        EXPECT_EQ(calls[0].operation, GEmode_VIEW);
        EXPECT_EQ(calls[0].selected, -1);
        EXPECT_EQ(calls[0].points, global_windata.observations.items);
        EXPECT_EQ(calls[0].lines, nullptr);
        EXPECT_EQ(calls[0].count, 1);
        EXPECT_EQ(global_windata.currentKind, GEkind_OBSERVATION);
        EXPECT_EQ(global_windata.observations.selected, -1);
        for (const RUV_WIN w : { a, b }) {
            SCOPED_TRACE(w == a ? "first window" : "second window");
            EXPECT_TRUE(Checked(w, VA_CMD_EDIT_OBSERVATIONS));
            EXPECT_FALSE(Checked(w, GEcmd_EDIT_NONE));
            EXPECT_TRUE(Enabled(w, VA_CMD_SHOW_OBSERVATIONS));
            EXPECT_TRUE(Checked(w, VA_CMD_SHOW_OBSERVATIONS));
            EXPECT_TRUE(Enabled(w, VA_CMD_NAMES_OBSERVATIONS));
            EXPECT_TRUE(Checked(w, VA_CMD_NAMES_OBSERVATIONS));
            EXPECT_EQ(StatusText(w), Status("", "Add Observation Point"));
        }

        // Another kind: the old one's check goes, every selection is cleared,
        // the new kind's callback is in its own slot.
        GE_PointObject *releases = nullptr;
        int32_t releaseCount = 0;
        GE_AppendObject(&releases, &releaseCount, &p);
        global_windata.discharges[1].items = releases;
        global_windata.discharges[1].count = releaseCount;
        global_windata.discharges[1].selected = 0;
        global_windata.observations.selected = 0;
        Command(b, VA_CMD_EDIT_INSTANT_RELEASES);
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].user, &slot10User);
        EXPECT_EQ(calls[1].kind, GEkind_INSTANT_RELEASE);
        EXPECT_EQ(calls[1].selected, -1);
        EXPECT_EQ(calls[1].points, releases);
        EXPECT_EQ(global_windata.observations.selected, -1);
        for (const RUV_WIN w : { a, b }) {
            EXPECT_FALSE(Checked(w, VA_CMD_EDIT_OBSERVATIONS));
            EXPECT_TRUE(Checked(w, VA_CMD_EDIT_INSTANT_RELEASES));
            EXPECT_EQ(StatusText(w), Status("", "Add Instantaneous releases"));
        }

        // Modes: Delete and View keep a selection, Modify clears it while an
        // object kind is current ...
        struct ModeCase {
            int32_t item;
            int32_t selectedAfter;
            const char *status;
        } modes[] = {
            { VA_CMD_MODE_DELETE, 0, "Delete Instantaneous releases" },
            { VA_CMD_MODE_VIEW, 0, "View Instantaneous releases" },
            { VA_CMD_MODE_MODIFY, -1, "Modify Instantaneous releases" },
        };
        for (const ModeCase &m : modes) {
            global_windata.discharges[1].selected = 0;
            Command(a, m.item);
            EXPECT_EQ(global_windata.discharges[1].selected, m.selectedAfter) << m.status;
            EXPECT_EQ(StatusText(b), Status("", m.status));
            EXPECT_TRUE(Checked(b, m.item)) << m.status;
        }
        // ... but not with no kind (the host's choice of kind 0).
        GE_SelectObjectKind(GEkind_NONE);
        EXPECT_TRUE(Checked(a, GEcmd_EDIT_NONE));
        EXPECT_TRUE(Checked(b, GEcmd_EDIT_NONE));
        EXPECT_FALSE(Checked(b, VA_CMD_EDIT_INSTANT_RELEASES));
        global_windata.discharges[1].selected = 0;
        Command(a, VA_CMD_MODE_ADD);
        Command(a, VA_CMD_MODE_MODIFY);
        EXPECT_EQ(global_windata.discharges[1].selected, 0);
        EXPECT_EQ(StatusText(a), Status("", ""));

        // The host's choice of a kind calls no callback.
        GE_SelectObjectKind(GEkind_OBSERVATION);
        EXPECT_EQ(calls.size(), 2u);
        EXPECT_EQ(global_windata.currentKind, GEkind_OBSERVATION);
        EXPECT_TRUE(Checked(b, VA_CMD_EDIT_OBSERVATIONS));
        EXPECT_EQ(StatusText(b), Status("", "Modify Observation Point"));

        // Edit > None changes nothing.
        Command(a, GEcmd_EDIT_NONE);
        EXPECT_EQ(global_windata.currentKind, GEkind_OBSERVATION);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

struct Press {
    RUV_WIN window;
    int type;
    int h, v;
};
std::vector<Press> presses;
int drawn[GE_KIND_COUNT], selectedDrawn[GE_KIND_COUNT];
std::vector<int32_t> drawOrder;

void RecordDown(RUV_WIN w, RUV_EVENT *e) { presses.push_back({ w, E_MOUSE_DOWN, e->v.mouse.h, e->v.mouse.v }); }
void RecordUp(RUV_WIN w, RUV_EVENT *e) { presses.push_back({ w, E_MOUSE_UP, e->v.mouse.h, e->v.mouse.v }); }
template <int K> void DrawKind(RUV_WIN)
{
    ++drawn[K];
    drawOrder.push_back(K);
}
template <int K> void DrawSelected(RUV_WIN) { ++selectedDrawn[K]; }

// A line editor's first click: click 0 set, one click pending.
void StartLine(RUV_WIN w, RUV_EVENT *e)
{
    GE_WindowData *d = GE_MapWindowData(w);
    d->clickX[0] = e->v.mouse.h;
    d->clickY[0] = e->v.mouse.v;
    d->clickCounter = 1;
}

TEST_F(MapWindowTest, MouseGoesClampedToTheCurrentKindsEditor)
{
    in_app([] {
        Recorder rec;
        EditWorld world;
        presses.clear();
        drawOrder.clear();
        std::memset(drawn, 0, sizeof drawn);
        std::memset(selectedDrawn, 0, sizeof selectedDrawn);
        const GE_KindOperations observation{ DrawKind<7>, DrawSelected<7>, RecordDown, RecordUp };
        const GE_KindOperations release{ DrawKind<10>, DrawSelected<10>, RecordDown, RecordUp };
        GE_SetKindOperations(GEkind_OBSERVATION, &observation);
        GE_SetKindOperations(GEkind_INSTANT_RELEASE, &release);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_WindowData *d = GE_MapWindowData(w);
        const RUV_RECT r = d->drawing;

        // With no kind a click only moves the coordinate line.
        Mouse(w, WM_LBUTTONDOWN, 200, 200, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, 200, 200);
        EXPECT_TRUE(presses.empty());
        EXPECT_NE(CoordinateLine(w), "");

        // Observation points: press and release reach the editor with their
        // points clamped into the drawing rectangle; moves do not.
        Command(w, VA_CMD_EDIT_OBSERVATIONS);
        Mouse(w, WM_LBUTTONDOWN, 2, 1, MK_LBUTTON);
        Mouse(w, WM_MOUSEMOVE, 150, 150, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, 1000, 2000);
        ASSERT_EQ(presses.size(), 2u);
        EXPECT_EQ(presses[0].type, E_MOUSE_DOWN);
        EXPECT_EQ(presses[0].h, r.left);
        EXPECT_EQ(presses[0].v, r.top);
        EXPECT_EQ(presses[1].type, E_MOUSE_UP);
        EXPECT_EQ(presses[1].h, r.right);
        EXPECT_EQ(presses[1].v, r.bottom);
        EXPECT_EQ(presses[1].window, w);
        // The coordinate line of a press outside is that of the clamped point.
        char line[256];
        GE_FormatPointerPosition(d, r.left, r.top, line, sizeof line);
        Mouse(w, WM_LBUTTONDOWN, 0, 0, MK_LBUTTON);
        EXPECT_EQ(CoordinateLine(w), line);
        Mouse(w, WM_LBUTTONUP, 0, 0);

        // The object layer: other kinds first, the current one last, then
        // its selected object.
        drawOrder.clear();
        GE_RedrawObjects(w);
        EXPECT_EQ(drawOrder, std::vector<int32_t>({ 10, 7 }));
        EXPECT_EQ(selectedDrawn[7], 1);
        EXPECT_EQ(selectedDrawn[10], 0);

        // In zoom-box mode the press is the box's, not the editor's.
        presses.clear();
        Command(w, GEcmd_ZOOM_BOX);
        Mouse(w, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
        EXPECT_TRUE(presses.empty());
        EXPECT_EQ(d->clickX[0], 100);
        EXPECT_EQ(GetCapture(), Native(w)) << "the pointer is held while the box is dragged";
        Mouse(w, WM_LBUTTONUP, 102, 101);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_TRUE(presses.empty());
        EXPECT_EQ(StatusText(w), Status("", "View Observation Point"));
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The rubber band of a line edit follows the pointer in exclusive-or mode:
// each move erases the last line; cancelling leaves no trace.
TEST_F(MapWindowTest, LineRubberBandFollowsThePointerAndLeavesNoTrace)
{
    in_app([] {
        Recorder rec;
        EditWorld world;
        const GE_KindOperations line{ nullptr, nullptr, StartLine, nullptr };
        GE_SetKindOperations(GEkind_CROSS_SECTION, &line);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_WindowData *d = GE_MapWindowData(w);
        GE_SelectObjectKind(GEkind_CROSS_SECTION);
        pump(50);
        const Pixels before(Native(w));
        const RUV_RECT r = d->drawing;

        // A horizontal band from (150, 200) to (300, 200), then to (300, 300).
        Mouse(w, WM_LBUTTONDOWN, 150, 200, MK_LBUTTON);
        Mouse(w, WM_LBUTTONUP, 150, 200);
        EXPECT_EQ(d->clickCounter, 1);
        Mouse(w, WM_MOUSEMOVE, 300, 200);
        EXPECT_EQ(d->clickX[1], 300);
        // The band is dotted: pixels along it differ from the map.
        auto changedAlong = [&before](const Pixels &now, int x0, int y0, int x1, int y1) {
            int changed = 0;
            for (int k = 1; k < 40; ++k) {
                const int x = x0 + (x1 - x0) * k / 40, y = y0 + (y1 - y0) * k / 40;
                changed += now.at(x, y) != before.at(x, y);
            }
            return changed;
        };
        const Pixels first(Native(w));
        EXPECT_GT(changedAlong(first, 150, 200, 300, 200), 10) << "the band is drawn";
        Mouse(w, WM_MOUSEMOVE, 300, 300);
        const Pixels second(Native(w));
        EXPECT_EQ(changedAlong(second, 150, 200, 300, 200), 0) << "the last band is erased";
        EXPECT_GT(changedAlong(second, 150, 200, 300, 300), 10) << "the new band is drawn";

        GE_CancelClicks(w);
        EXPECT_EQ(d->clickCounter, 0);
        EXPECT_EQ(d->clickX[0], -1);
        const Pixels after(Native(w));
        int changed = 0;
        for (int y = r.top + 22; y < r.bottom; ++y)  // below the coordinate line
            for (int x = r.left; x < r.right; ++x)
                changed += before.at(x, y) != after.at(x, y);
        EXPECT_EQ(changed, 0);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The object layer's shared drawings on the map: a thin dam along m, a cross
// section with and without its name, a filled cell, and the nearest side of
// a clicked cell.
const RUV_CPEN kRedPen{ 1, 2, 0, 0x01FF0000u };
void DrawDam(RUV_WIN w)
{
    ruv_dwin_set_cpen(w, &kRedPen);
    const GE_LineObject dam{ 3, 4, 6, 4, "" };
    GE_DrawThinDam(w, &dam, GEdit_U_DAM);
}
void DrawSection(RUV_WIN w)
{
    ruv_dwin_set_cpen(w, &kRedPen);
    const GE_LineObject section{ 2, 2, 2, 6, "SECTION" };
    GE_DrawLineObject(4, w, &section);
    const RUV_CBRUSH blue{ 2, 0x030000FFu };
    ruv_dwin_set_cbrush(w, &blue);
    GE_DrawCellPolygon(w, 8, 7);
}

TEST_F(MapWindowTest, LinesDamsAndCellsAreDrawnAtTheirGridPoints)
{
    in_app([] {
        Recorder rec;
        EditWorld world;
        const GE_KindOperations dams{ DrawDam, nullptr, nullptr, nullptr };
        const GE_KindOperations sections{ DrawSection, nullptr, nullptr, nullptr };
        GE_SetKindOperations(GEkind_THIN_DAM, &dams);
        GE_SetKindOperations(GEkind_CROSS_SECTION, &sections);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        // Without the depth scale, which is drawn over the map's left side.
        Command(w, GEcmd_SHOW_BATHYMETRY);
        GE_WindowData *d = GE_MapWindowData(w);
        GE_RedrawObjects(w);
        const Pixels px(Native(w));
        auto at = [&](const Pixels &p, float x, float y) {
            const POINT q = PixelOf(w, x, y);
            return p.at(q.x, q.y);
        };
        // The dam: segments from grid point (m, 4) to (m, 3), m = 3..6, that
        // is x = 200..500 between y = 200 and 300; none at m = 7.
        for (const float x : { 200.0f, 300.0f, 400.0f, 500.0f })
            EXPECT_EQ(at(px, x, 250.0f), PX_RED) << x;
        EXPECT_EQ(at(px, 600.0f, 250.0f), RGB(0, 0, 0));
        // The section along grid points (2, 2) .. (2, 6): x = 100, y = 100..500.
        EXPECT_EQ(at(px, 100.0f, 150.0f), PX_RED);
        EXPECT_EQ(at(px, 100.0f, 450.0f), PX_RED);
        EXPECT_EQ(at(px, 100.0f, 550.0f), RGB(0, 0, 0));
        // Cell (8, 7) filled: its corners are grid points 7..8, 6..7.
        EXPECT_EQ(at(px, 650.0f, 550.0f), PX_BLUE);

        // With its names shown, the name at the middle grid point (2, 4).
        const POINT label = PixelOf(w, 100.0f, 300.0f);
        auto ink = [&](const Pixels &p) { return p.count(RGB(0, 0, 0), label.x + 3, label.y - 16, label.x + 80, label.y + 16); };
        const int without = ink(px);
        d->namesShown[GEdit_SHOW_CROSS_SECTIONS] = 1;
        GE_RedrawObjects(w);
        EXPECT_GT(ink(Pixels(Native(w))), without + 20);

        // The side nearest to a click in cell (5, 5) (corners x 300..400,
        // y 300..400): close to corner (5, 5) along the side of constant n.
        struct SideCase {
            float x, y;
            int32_t code, m1, n1, m2, n2;
        } sides[] = {
            { 390.0f, 395.0f, 1, 5, 5, 4, 5 },
            { 305.0f, 340.0f, 10, 4, 4, 4, 5 },
            { 360.0f, 320.0f, 7, 5, 4, 4, 4 },
        };
        for (const SideCase &c : sides) {
            const POINT p = PixelOf(w, c.x, c.y);
            int32_t code = -1;
            GE_LineObject side{};
            GE_NearestCellSide(w, p.x, p.y, 5, 5, &code, &side);
            EXPECT_EQ(code, c.code) << c.x << "," << c.y;
            EXPECT_EQ(std::vector<int32_t>({ side.m1, side.n1, side.m2, side.n2 }),
                      std::vector<int32_t>({ c.m1, c.n1, c.m2, c.n2 }));
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// Pixels of the depth scale's title in a window (drawn in the window's font
// on white, above the map): all that are not white, the smoothed edges too.
int TitleInk(RUV_WIN w)
{
    const GE_WindowData *d = GE_MapWindowData(w);
    const Pixels px(Native(w));
    const int x0 = d->drawing.left + 14, x1 = d->drawing.left + 200;
    const int y0 = d->drawing.top + 23, y1 = d->drawing.top + 44;
    return (x1 - x0) * (y1 - y0) - px.count(PX_WHITE, x0, y0, x1, y1);
}

TEST_F(MapWindowTest, ViewSettingsActOnTheirWindowsWithChecksInTheMenuUsed)
{
    in_app([] {
        Recorder rec;
        EditWorld world;
        const RUV_WIN a = Open(), b = Open(420);
        ASSERT_NE(a, NULL_WIN);
        ASSERT_NE(b, NULL_WIN);
        const GE_WindowData *da = GE_MapWindowData(a), *db = GE_MapWindowData(b);

        // Layers per window: the grid, then the bathymetry off in the first.
        const float lineX = 550.0f, lineY = 300.0f;  // halfway between two nodes on a grid line
        const float cellX = 550.0f, cellY = 650.0f;
        auto at = [](RUV_WIN w, float x, float y) {
            const POINT p = PixelOf(w, x, y);
            return Pixels(Native(w)).at(p.x, p.y);
        };
        Command(a, VA_CMD_SHOW_GRID);
        EXPECT_NE(at(a, lineX, lineY), RGB(0, 0, 0));
        EXPECT_EQ(at(b, lineX, lineY), RGB(0, 0, 0));
        EXPECT_FALSE(Checked(a, VA_CMD_SHOW_GRID));
        EXPECT_TRUE(Checked(b, VA_CMD_SHOW_GRID));
        Command(a, VA_CMD_SHOW_BATHYMETRY);
        EXPECT_EQ(at(a, cellX, cellY), PX_WHITE);
        EXPECT_NE(at(b, cellX, cellY), PX_WHITE);
        Command(a, VA_CMD_SHOW_GRID);
        Command(a, VA_CMD_SHOW_BATHYMETRY);
        EXPECT_EQ(at(a, lineX, lineY), RGB(0, 0, 0));
        EXPECT_NE(at(a, cellX, cellY), PX_WHITE);
        EXPECT_TRUE(Checked(a, VA_CMD_SHOW_BATHYMETRY));

        // An object kind's layer and names: names alone, then the layer off
        // and on again brings the names back.
        Command(a, VA_CMD_EDIT_OBSERVATIONS);
        Command(a, VA_CMD_NAMES_OBSERVATIONS);
        EXPECT_EQ(da->shown[GEdit_SHOW_OBSERVATIONS], 1);
        EXPECT_EQ(da->namesShown[GEdit_SHOW_OBSERVATIONS], 0);
        EXPECT_FALSE(Checked(a, VA_CMD_NAMES_OBSERVATIONS));
        EXPECT_TRUE(Checked(b, VA_CMD_NAMES_OBSERVATIONS));
        Command(a, VA_CMD_SHOW_OBSERVATIONS);
        EXPECT_EQ(da->shown[GEdit_SHOW_OBSERVATIONS], 0);
        EXPECT_FALSE(Checked(a, VA_CMD_SHOW_OBSERVATIONS));
        Command(a, VA_CMD_SHOW_OBSERVATIONS);
        EXPECT_EQ(da->shown[GEdit_SHOW_OBSERVATIONS], 1);
        EXPECT_EQ(da->namesShown[GEdit_SHOW_OBSERVATIONS], 1);
        EXPECT_TRUE(Checked(a, VA_CMD_NAMES_OBSERVATIONS));
        EXPECT_EQ(db->shown[GEdit_SHOW_OBSERVATIONS], 1);

        // Style, size, case and family: every window's record, the checks in
        // the menu used only; the scale's title is drawn in the new font.
        Command(b, VA_CMD_SHOW_GRID);  // the title alone in its part of the map
        const int boldInk = TitleInk(b);
        Command(a, VA_CMD_STYLE_REGULAR);
        EXPECT_EQ(da->fontStyle, 0);
        EXPECT_EQ(db->fontStyle, 0);
        EXPECT_TRUE(Checked(a, VA_CMD_STYLE_REGULAR));
        EXPECT_FALSE(Checked(a, VA_CMD_STYLE_BOLD));
        EXPECT_TRUE(Checked(b, VA_CMD_STYLE_BOLD));
        EXPECT_FALSE(Checked(b, VA_CMD_STYLE_REGULAR));
        const int regularInk = TitleInk(b);
        EXPECT_LT(regularInk, boldInk) << "the other window redrawn in the regular style";

        Command(b, VA_CMD_SIZE_SMALLEST);
        const int smallInk = TitleInk(a);
        Command(b, VA_CMD_SIZE_LARGEST);
        const int largeInk = TitleInk(a);
        EXPECT_EQ(da->fontSize, 12);
        EXPECT_LT(smallInk, largeInk);
        EXPECT_TRUE(Checked(b, VA_CMD_SIZE_LARGEST));
        EXPECT_FALSE(Checked(b, VA_CMD_SIZE_SMALLEST));
        EXPECT_TRUE(Checked(a, VA_CMD_SIZE_MEDIUM));

        Command(a, VA_CMD_CASE_UPPER);
        EXPECT_EQ(da->textCase, 2);
        EXPECT_EQ(db->textCase, 2);
        EXPECT_TRUE(Checked(a, VA_CMD_CASE_UPPER));
        EXPECT_TRUE(Checked(b, VA_CMD_CASE_NO_CHANGE));

        Command(a, VA_CMD_FONT_COURIER);
        EXPECT_STREQ(db->fontFamily, "courier");
        EXPECT_TRUE(Checked(a, VA_CMD_FONT_COURIER));
        EXPECT_FALSE(Checked(a, VA_CMD_FONT_HELVETICA));
        // A family the menu does not offer leaves the three unchecked.
        GE_SetFontFamily(a, "arial");
        EXPECT_STREQ(da->fontFamily, "arial");
        for (const int32_t item : { VA_CMD_FONT_TIMES, VA_CMD_FONT_HELVETICA, VA_CMD_FONT_COURIER })
            EXPECT_FALSE(Checked(a, item)) << item;

        // Suppress warnings: the flag and the check in every window.
        const int16_t was = global_windata.suppressWarningsChecked;
        Command(b, GEcmd_SUPPRESS_WARNINGS);
        EXPECT_NE(global_windata.suppressWarningsChecked, was);
        EXPECT_EQ(Checked(a, GEcmd_SUPPRESS_WARNINGS), global_windata.suppressWarningsChecked != 0);
        EXPECT_EQ(Checked(b, GEcmd_SUPPRESS_WARNINGS), global_windata.suppressWarningsChecked != 0);

        // Colors > Attributes changes nothing.
        const Pixels before(Native(a));
        Command(a, GEcmd_COLORS_ATTRIBUTES);
        const Pixels after(Native(a));
        EXPECT_EQ(before.at(300, 300), after.at(300, 300));
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

}  // namespace
