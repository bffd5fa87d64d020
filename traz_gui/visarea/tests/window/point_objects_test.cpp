// Observation points, releases and the area box in a map window on the real
// toolkit: their figures read back as pixels (cyan crosses and green and
// blue diamonds 3 pixels wide, the selected one red, the red area box, a
// point off the grid not drawn), the mouse edits of each kind by real
// pointer messages with the owner told through its callback, and the
// owner's functions by index with their refusals.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "map_window_fixture.h"
#include "point_objects.h"

namespace {

using namespace maptest;

constexpr COLORREF CYAN = RGB(0, 255, 255), GREEN = RGB(0, 255, 0), BLUE = RGB(0, 0, 255), RED = RGB(255, 0, 0),
                   PURPLE = RGB(0x99, 0, 0x99);

struct Call {
    int32_t kind, operation, index, count;
    GE_PointObject point;  // the reported point (index valid), else zeros
};
std::vector<Call> calls;

// An owner as the editor is one: it names a new point and deletes what
// the user deletes.
int Owner(void *, int32_t kind, int32_t operation, int32_t index, void *, GE_PointObject *points, GE_LineObject *,
          int32_t *, int32_t count)
{
    Call c{ kind, operation, index, count, {} };
    if (points && index >= 0 && index < count)
        c.point = points[index];
    calls.push_back(c);
    if (operation == GEmode_ADD && points && index >= 0 && index < count)
        std::snprintf(points[index].name, sizeof points[index].name, "named %d", index);
    if (operation == GEmode_DELETE) {
        if (kind == GEkind_OBSERVATION)
            GE_DeleteObservation(index);
        else
            GE_DeleteDischarge(index, kind - GEkind_DISCHARGE);
    }
    return 0;
}

// The editor's kinds and plain discharges with their layers and this
// file's owner; cell (6, 6) is made inactive.
struct PointWorld : World {
    PointWorld()
    {
        calls.clear();
        SetTestGrid(x, y, status, 1, { { 6, 6 } });
        GE_SetDepth(depth.data());
        GE_EnableEditModes();
        for (const int32_t kind :
             { GEkind_INSTANT_RELEASE, GEkind_CONTINUOUS_RELEASE, GEkind_OBSERVATION, GEkind_DISCHARGE }) {
            GE_EnableObjectKind(kind);
            GE_SetCallback(kind, Owner, nullptr);
        }
        for (const int32_t a : { GEdit_SHOW_INSTANT_RELEASES, GEdit_SHOW_CONTINUOUS_RELEASES, GEdit_SHOW_OBSERVATIONS,
                                 GEdit_SHOW_DISCHARGES })
            GE_EnableViewAttribute(a);
        GE_InstallPointObjectKinds();
    }
    ~PointWorld()
    {
        for (int32_t kind = GEkind_WAVE_GRID_1; kind < GE_KIND_COUNT; ++kind)
            GE_SetKindOperations(kind, nullptr);
    }
};

// World point of node (m, n) and of the middle of cell (m, n), 1-based.
float NodeX(int32_t m) { return (m - 1) * STEP; }
float NodeY(int32_t n) { return (n - 1) * STEP; }
POINT CellCentre(RUV_WIN w, int32_t m, int32_t n) { return PixelOf(w, NodeX(m) - STEP / 2, NodeY(n) - STEP / 2); }

GE_PointObject At(int32_t m, int32_t n, const char *name = "")
{
    GE_PointObject p{ m, n, NodeX(m) - STEP / 2, NodeY(n) - STEP / 2, {} };
    std::snprintf(p.name, sizeof p.name, "%s", name);
    return p;
}

// A point record that lives until the next call.
const GE_PointObject *Tmp(const GE_PointObject &p)
{
    static GE_PointObject held;
    held = p;
    return &held;
}

// Whether three pixels across (x-1, x, x+1) show the colour.
bool ThreeWide(const Pixels &px, POINT p, COLORREF c)
{
    return px.at(p.x - 1, p.y) == c && px.at(p.x, p.y) == c && px.at(p.x + 1, p.y) == c;
}

std::string FirstField(RUV_WIN w)
{
    const std::string s = StatusText(w);
    return s.substr(0, s.find('\t'));
}

void Click(RUV_WIN w, POINT p)
{
    Mouse(w, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP, p.x, p.y);
}

TEST_F(MapWindowTest, PointsAndTheAreaBoxAreDrawnInTheirColoursThreePixelsWide)
{
    in_app([] {
        Recorder rec;
        PointWorld world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_PointObject observations[] = { At(3, 3, "obs") };
        GE_SetObservations(observations, 1);
        const GE_PointObject instant[] = { At(5, 3, "dye"), At(9, 7, "dye 2"), { 0, 0, 10.0f, 10.0f, "outside" } };
        GE_SetDischarges(instant, 3, GEdit_INSTANT_RELEASE);
        const GE_PointObject continuous[] = { At(7, 3, "cont") };
        GE_SetDischarges(continuous, 1, GEdit_CONTINUOUS_RELEASE);
        const GE_PointObject discharges[] = { At(10, 3, "outfall") };
        GE_SetDischarges(discharges, 1, GEdit_DISCHARGE);
        pump(100);

        // The cross: both diagonals of cell (3, 3); a diamond's corners are
        // the middles of its cell's sides, so its edge passes a quarter
        // of the cell in from each side's middle.
        const auto diamondEdge = [&](int32_t m, int32_t n) {
            return PixelOf(w, NodeX(m) - STEP * 0.25f, NodeY(n) - STEP * 0.25f);
        };
        const auto crossArm = [&](int32_t m, int32_t n) {
            return PixelOf(w, NodeX(m) - STEP * 0.25f, NodeY(n) - STEP * 0.25f);
        };
        {
            const Pixels px(Native(w));
            EXPECT_TRUE(ThreeWide(px, CellCentre(w, 3, 3), CYAN));
            EXPECT_TRUE(ThreeWide(px, crossArm(3, 3), CYAN));
            EXPECT_TRUE(ThreeWide(px, diamondEdge(5, 3), GREEN));
            EXPECT_TRUE(ThreeWide(px, diamondEdge(9, 7), GREEN));
            EXPECT_TRUE(ThreeWide(px, diamondEdge(7, 3), BLUE));
            EXPECT_TRUE(ThreeWide(px, diamondEdge(10, 3), PURPLE));
            // The middle of a diamond is not on its outline.
            EXPECT_NE(px.at(CellCentre(w, 5, 3).x, CellCentre(w, 5, 3).y), GREEN);
            // Nothing green at the point off the grid (world 10, 10).
            const POINT off = PixelOf(w, 10.0f, 10.0f);
            EXPECT_EQ(px.count(GREEN, off.x - 6, off.y - 6, off.x + 6, off.y + 6), 0);
            EXPECT_EQ(px.count(RED), 0);
        }

        // The selected release of the current kind in red, the others
        // unchanged; then the area box.
        GE_SelectObjectKind(GEkind_INSTANT_RELEASE);
        EXPECT_EQ(GE_SelectDischarge(1, GEdit_INSTANT_RELEASE), 0);
        GE_PointObject box[2] = { At(3, 5), At(8, 8) };
        box[0].x = 150.0f, box[0].y = 450.0f, box[1].x = 650.0f, box[1].y = 650.0f;
        GE_SetAreaBox(box);
        pump(100);
        {
            const Pixels px(Native(w));
            EXPECT_TRUE(ThreeWide(px, diamondEdge(9, 7), RED));
            EXPECT_TRUE(ThreeWide(px, diamondEdge(5, 3), GREEN));
            EXPECT_TRUE(ThreeWide(px, CellCentre(w, 3, 3), CYAN));
            const POINT left = PixelOf(w, 150.0f, 550.0f), top = PixelOf(w, 400.0f, 650.0f);
            EXPECT_TRUE(ThreeWide(px, left, RED));
            EXPECT_EQ(px.at(top.x, top.y - 1), RED);
            EXPECT_EQ(px.at(top.x, top.y), RED);
            EXPECT_EQ(px.at(top.x, top.y + 1), RED);
            const POINT inside = PixelOf(w, 400.0f, 550.0f);
            EXPECT_NE(px.at(inside.x, inside.y), RED);
        }

        // The sets emptied and the box hidden through the library.
        GE_ResetLocationSets();
        pump(100);
        EXPECT_EQ(global_windata.observations.count, 0);
        EXPECT_EQ(global_windata.observations.items, nullptr);
        EXPECT_EQ(global_windata.discharges[1].count, 0);
        EXPECT_EQ(global_windata.discharges[1].selected, -1);
        EXPECT_EQ(global_windata.discharges[2].count, 0);
        EXPECT_EQ(global_windata.areaBoxShown, 0);
        EXPECT_EQ(global_windata.areaBox[1].x, 0.0f);
        EXPECT_EQ(global_windata.previousAreaBox[1].m, 0);
        const Pixels px(Native(w));
        EXPECT_EQ(px.count(RED) + px.count(GREEN) + px.count(BLUE) + px.count(CYAN), 0);
        // Plain discharges are no location of the scenario: they stay.
        EXPECT_EQ(global_windata.discharges[0].count, 1);
        EXPECT_TRUE(ThreeWide(px, diamondEdge(10, 3), PURPLE));
    });
}

struct KindCase {
    int32_t kind;
    int32_t editItem;
    const char *inactive;
    const char *notFound;
};

GE_PointSet &SetOf(int32_t kind)
{
    return kind == GEkind_OBSERVATION ? global_windata.observations : global_windata.discharges[kind - GEkind_DISCHARGE];
}

TEST_F(MapWindowTest, MouseEditsOfEachPointKindReachTheOwner)
{
    const KindCase cases[] = {
        { GEkind_OBSERVATION, VA_CMD_EDIT_OBSERVATIONS, "Not an ACTIVE grid cell", "No observation pointed" },
        { GEkind_DISCHARGE, VA_CMD_EDIT_DISCHARGES, "No ACTIVE grid cell pointed", "No discharge pointed" },
        { GEkind_INSTANT_RELEASE, VA_CMD_EDIT_INSTANT_RELEASES, "No ACTIVE grid cell pointed",
          "No instantaneous release pointed" },
        { GEkind_CONTINUOUS_RELEASE, VA_CMD_EDIT_CONTINUOUS_RELEASES, "No ACTIVE grid cell pointed",
          "No continuous release pointed" },
    };
    for (const KindCase &k : cases) {
        SCOPED_TRACE(k.kind);
        in_app([&k] {
            Recorder rec;
            PointWorld world;
            const RUV_WIN w = Open();
            ASSERT_NE(w, NULL_WIN);
            GE_PointSet &set = SetOf(k.kind);
            Command(w, k.editItem);
            Command(w, VA_CMD_MODE_ADD);
            calls.clear();

            // Add at cell (4, 4): the point with the clicked cell and
            // position, the owner told with its index and naming it.
            const POINT c44 = CellCentre(w, 4, 4);
            Click(w, c44);
            ASSERT_EQ(set.count, 1);
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(calls[0].kind, k.kind);
            EXPECT_EQ(calls[0].operation, GEmode_ADD);
            EXPECT_EQ(calls[0].index, 0);
            EXPECT_EQ(calls[0].point.m, 4);
            EXPECT_EQ(calls[0].point.n, 4);
            float x = 0, y = 0;
            GE_DataPixelToWorld(GE_MapWindowData(w), c44.x, c44.y, &x, &y);
            EXPECT_EQ(calls[0].point.x, x);
            EXPECT_EQ(calls[0].point.y, y);
            EXPECT_STREQ(set.items[0].name, "named 0");
            EXPECT_EQ(set.selected, 0);
            EXPECT_EQ(FirstField(w), "");

            // Refused clicks: an inactive cell and a point off the grid.
            calls.clear();
            Click(w, CellCentre(w, 6, 6));
            EXPECT_EQ(FirstField(w), k.inactive);
            Click(w, PixelOf(w, 500.0f, -40.0f));
            EXPECT_EQ(FirstField(w), "No GRID cell pointed");
            EXPECT_TRUE(calls.empty());
            EXPECT_EQ(set.count, 1);

            // Modify: a first click away from every point is refused, one
            // near it picks it, the next one moves it with its name.
            Command(w, VA_CMD_MODE_MODIFY);
            Click(w, CellCentre(w, 9, 8));
            EXPECT_EQ(FirstField(w), k.notFound);
            EXPECT_EQ(set.selected, -1);
            Click(w, CellCentre(w, 5, 5));
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(calls[0].operation, GEmode_MODIFY);
            EXPECT_EQ(calls[0].point.m, 4);
            EXPECT_EQ(set.selected, 0);
            Click(w, CellCentre(w, 8, 3));
            ASSERT_EQ(calls.size(), 2u);
            EXPECT_EQ(calls[1].operation, GEmode_MODIFY);
            EXPECT_EQ(calls[1].index, 0);
            EXPECT_EQ(calls[1].point.m, 8);
            EXPECT_EQ(calls[1].point.n, 3);
            EXPECT_STREQ(set.items[0].name, "named 0");
            EXPECT_EQ(set.selected, -1);

            // View: the press picks and reports.
            Command(w, VA_CMD_MODE_VIEW);
            Mouse(w, WM_LBUTTONDOWN, CellCentre(w, 8, 3).x, CellCentre(w, 8, 3).y, MK_LBUTTON);
            ASSERT_EQ(calls.size(), 3u);
            EXPECT_EQ(calls[2].operation, GEmode_VIEW);
            EXPECT_EQ(calls[2].index, 0);
            EXPECT_EQ(set.selected, 0);
            Mouse(w, WM_LBUTTONUP, CellCentre(w, 8, 3).x, CellCentre(w, 8, 3).y);
            EXPECT_EQ(calls.size(), 3u);

            // Delete: away from the point refused; on it the owner deletes.
            Command(w, VA_CMD_MODE_DELETE);
            Click(w, CellCentre(w, 3, 7));
            EXPECT_EQ(FirstField(w), k.notFound);
            EXPECT_EQ(set.count, 1);
            Click(w, CellCentre(w, 8, 3));
            ASSERT_EQ(calls.size(), 4u);
            EXPECT_EQ(calls[3].operation, GEmode_DELETE);
            EXPECT_EQ(set.count, 0);
            EXPECT_EQ(set.selected, -1);
        });
    }
}

TEST_F(MapWindowTest, OwnerFunctionsActByIndexAndRefuseOthers)
{
    in_app([] {
        Recorder rec;
        PointWorld world;
        const RUV_WIN a = Open(), b = Open(420);
        ASSERT_NE(b, NULL_WIN);
        GE_PointSet &obs = global_windata.observations;
        for (int32_t k = 0; k < 3; ++k)
            GE_AddObservation(Tmp(At(3 + 2 * k, 3, "o")));
        EXPECT_EQ(obs.count, 3);
        EXPECT_EQ(obs.selected, -1);

        // Bad indices change nothing and are shown in both windows.
        struct Bad {
            const char *what;
            void (*call)();
            const char *message;
        };
        const Bad bad[] = {
            { "select observation 3", [] { GE_SelectObservation(3); }, "Observation id invalid" },
            { "delete observation -1", [] { GE_DeleteObservation(-1); }, "Observation id invalid" },
            { "modify observation 3", [] { GE_ModifyObservation(Tmp(At(2, 2)), 3); }, "Observation id invalid" },
            { "select release 0 of none", [] { GE_SelectDischarge(0, GEdit_INSTANT_RELEASE); }, "Discharge id invalid" },
            { "delete release 0 of none", [] { GE_DeleteDischarge(0, GEdit_CONTINUOUS_RELEASE); }, "Discharge id invalid" },
            { "modify release 0 of none", [] { GE_ModifyDischarge(Tmp(At(2, 2)), 0, GEdit_INSTANT_RELEASE); },
              "Discharge id invalid" },
        };
        for (const Bad &c : bad) {
            SCOPED_TRACE(c.what);
            c.call();
            EXPECT_EQ(FirstField(a), c.message);
            EXPECT_EQ(FirstField(b), c.message);
            EXPECT_EQ(obs.count, 3);
            EXPECT_EQ(obs.selected, -1);
            EXPECT_EQ(global_windata.discharges[1].count, 0);
        }

        // Modify overwrites the whole record, name included; delete moves
        // a later selection down; deleting point 0 clears any selection.
        GE_ModifyObservation(Tmp(At(9, 9, "moved")), 1);
        EXPECT_STREQ(obs.items[1].name, "moved");
        EXPECT_EQ(obs.items[1].m, 9);
        GE_SelectObservation(2);
        GE_DeleteObservation(1);
        EXPECT_EQ(obs.count, 2);
        EXPECT_EQ(obs.selected, 1);
        GE_DeleteObservation(0);
        EXPECT_EQ(obs.count, 1);
        EXPECT_EQ(obs.selected, -1);
        EXPECT_EQ(obs.items[0].m, 7);

        // The area box twice, then the first one back.
        GE_PointObject first[2] = { At(2, 2), At(4, 4) }, second[2] = { At(5, 5), At(7, 7) };
        GE_WindowData *d = GE_MapWindowData(a);
        d->clickCounter = 1;
        d->clickX[0] = d->clickY[0] = 5;
        GE_SetAreaBox(first);
        GE_SetAreaBox(second);
        EXPECT_EQ(global_windata.previousAreaBox[0].m, 2);
        EXPECT_EQ(global_windata.areaBox[1].m, 7);
        GE_RestoreAreaBox(a);
        EXPECT_EQ(global_windata.areaBox[0].m, 2);
        EXPECT_EQ(global_windata.areaBox[1].x, first[1].x);
        EXPECT_EQ(global_windata.previousAreaBox[1].m, 4);
        EXPECT_EQ(d->clickX[0], -1);
        EXPECT_EQ(d->clickCounter, 1);

        // Cells valid for a point: active with their corners.
        struct Cell {
            int32_t m, n;
            int16_t valid;
        };
        for (const Cell c : { Cell{ 2, 2, 1 }, Cell{ MMAX, NMAX, 1 }, Cell{ 1, 4, 0 }, Cell{ 4, 1, 0 },
                              Cell{ MMAX + 1, 4, 0 }, Cell{ 6, 6, 0 } }) {
            EXPECT_EQ(GE_ObservationCellValid(c.m, c.n), c.valid) << c.m << "," << c.n;
            EXPECT_EQ(GE_DischargeCellValid(c.m, c.n), c.valid) << c.m << "," << c.n;
        }
        // Replacing the releases keeps the selection and shows the layer.
        const GE_PointObject two[] = { At(3, 3), At(5, 5) };
        GE_SetDischarges(two, 2, GEdit_CONTINUOUS_RELEASE);
        EXPECT_EQ(global_windata.discharges[2].count, 2);
        EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_CONTINUOUS_RELEASES], 1);
        EXPECT_EQ(d->shown[GEdit_SHOW_CONTINUOUS_RELEASES], 1);
    });
}

// The zoom-grid box picked on a map of a spherical grid at 60 degrees
// north, where a pixel spans about twice as many degrees across as up.
TEST_F(MapWindowTest, PickedAreaTakesTheHorizontalScaleForX)
{
    in_app([] {
        Recorder rec;
        GE_Init(1);
        GE_EnableViewAttribute(GEdit_SHOW_GRID);
        std::vector<float> x, y;
        for (int32_t n = 0; n < NMAX; ++n)
            for (int32_t m = 0; m < MMAX; ++m) {
                x.push_back(4.0f + 0.02f * m);
                y.push_back(60.0f + 0.01f * n);
            }
        std::vector<int32_t> status;
        SetTestGrid(x, y, status, 0);
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        GE_WindowData *d = GE_MapWindowData(w);
        const float across = GE_WindowScaleX(d), up = d->verticalScale;
        ASSERT_LT(across, 0.7f * up) << "the two scales differ here";

        // Dragged from (4.15, 60.06) to (4.05, 60.02): back at those
        // points within two pixels; one scale for both would make the box
        // about half as wide.
        const POINT from = PixelOf(w, 4.15f, 60.06f), to = PixelOf(w, 4.05f, 60.02f);
        d->clickX[0] = from.x;
        d->clickY[0] = from.y;
        d->clickX[1] = to.x;
        d->clickY[1] = to.y;
        GE_PointObject corners[2];
        GE_PickedArea(d, corners);
        EXPECT_NEAR(corners[0].x, 4.15f, 2.0f / across);
        EXPECT_NEAR(corners[1].x, 4.05f, 2.0f / across);
        EXPECT_NEAR(corners[0].y, 60.06f, 2.0f / up);
        EXPECT_NEAR(corners[1].y, 60.02f, 2.0f / up);
        EXPECT_GT(std::fabs((from.x - to.x) / up - 0.1f), 0.03f);
        for (const GE_PointObject &c : corners) {
            int32_t m = 0, n = 0;
            ASSERT_TRUE(GE_FindCell(nullptr, 0, 0, MMAX - 1, NMAX - 1, 1, c.x, c.y, &m, &n));
            EXPECT_EQ(c.m, m);
            EXPECT_EQ(c.n, n);
            EXPECT_STREQ(c.name, "");
        }
        // A corner off the grid has cell 0, 0.
        d->clickX[1] = d->drawing.left;
        d->clickY[1] = d->drawing.top;
        GE_PickedArea(d, corners);
        EXPECT_EQ(corners[1].m, 0);
        EXPECT_EQ(corners[1].n, 0);
        GE_FreeAll();
    });
}

}  // namespace
