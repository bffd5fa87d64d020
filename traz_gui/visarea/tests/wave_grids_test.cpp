// Wave grids without windows: three clicks along the world axes give the
// angles 0, 90, 180 and 270 exactly and the corner's offsets as lengths;
// other axes give their direction; a definition reaches the slot's callback
// and is stored as the selected grid of its own set only.  Curvilinear
// grids are the library's own copies with the default cell status, bound
// the world by their coded nodes in curvilinear mode only, keep the
// selection inside their set when deleted, and are freed with the rest.
#include "wave_grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "visarea_test_support.h"

namespace {

using namespace vatest;

TEST(WaveGridClicks, AnglesAndLengthsFromThreePoints)
{
    struct Case {
        const char *what;
        float x0, y0, x1, y1, x2, y2;
        float lx, ly, angle;
    } cases[] = {
        { "along +x", 100, 200, 300, 200, 250, 260, 150, 60, 0 },
        { "along +y", 100, 200, 100, 400, 40, 350, 150, 60, 90 },
        { "along -x", 100, 200, -50, 200, -50, 140, 150, 60, 180 },
        { "along -y", 100, 200, 100, 0, 160, 50, 150, 60, 270 },
        { "along +x within the tolerance", 100, 200, 300, 200.0005f, 250, 260, 150, 60, 0 },
        { "45 degrees", 0, 0, 10, 10, 0, 20, 14.142136f, 14.142136f, 45 },
        { "135 degrees", 0, 0, -10, 10, -20, 0, 14.142136f, 14.142136f, 135 },
        { "225 degrees", 0, 0, -10, -10, 0, -20, 14.142136f, 14.142136f, 225 },
        { "315 degrees", 0, 0, 10, -10, 20, 0, 14.142136f, 14.142136f, 315 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        GE_RectWaveGrid g{};
        GE_WaveGridFromPoints(c.x0, c.y0, c.x1, c.y1, c.x2, c.y2, &g);
        EXPECT_EQ(g.x0, c.x0);
        EXPECT_EQ(g.y0, c.y0);
        EXPECT_NEAR(g.lx, c.lx, 1e-3);
        EXPECT_NEAR(g.ly, c.ly, 1e-3);
        if (std::fmod(c.angle, 90.0f) == 0.0f)
            EXPECT_EQ(g.angle, c.angle);  // exactly
        else
            EXPECT_NEAR(g.angle, c.angle, 1e-3);
        // The grid's corner C2 is the third click.
        float x[4], y[4];
        GE_RectWaveGridCorners(g, x, y);
        EXPECT_NEAR(x[2], c.x2, 0.01);
        EXPECT_NEAR(y[2], c.y2, 0.01);
    }
}

struct Recorded {
    int32_t kind, operation, selected;
    GE_RectWaveGrid grid;
};
std::vector<Recorded> &Calls()
{
    static std::vector<Recorded> calls;
    return calls;
}
int Record(void *, int32_t kind, int32_t operation, int32_t selected, void *grid, GE_PointObject *, GE_LineObject *,
           int32_t *, int32_t count)
{
    EXPECT_EQ(count, 1);
    GE_RectWaveGrid *g = static_cast<GE_RectWaveGrid *>(grid);
    g->value1 = 7;  // the owner's value, kept
    Calls().push_back({ kind, operation, selected, *g });
    return 0;
}

class WaveGridTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        Calls().clear();
    }
    void TearDown() override
    {
        GE_FreeWaveGrids();
        LibraryTest::TearDown();
    }
};

TEST_F(WaveGridTest, ADefinitionIsToldAndStoredAsTheSelectedGridOfItsSet)
{
    const GE_RectWaveGrid existing[] = { { 0, 0, 10, 10, 0, 0, 0, 1, 0 }, { 5, 5, 10, 10, 0, 0, 0, 1, 0 } };
    GE_SetRectWaveGrids(GE_WAVE_COMPUTATIONAL, existing, 2);
    GE_SetRectWaveGrids(GE_WAVE_BOTTOM, existing, 1);
    GE_SetCallback(GEkind_WAVE_GRID_2, Record, nullptr);
    GE_SetCallback(GEkind_WAVE_GRID_3, Record, nullptr);

    // Kind 2 defines nothing.
    GE_DefineRectWaveGrid(GEkind_WAVE_GRID_1, 0, 0, 100, 0, 50, 30);
    EXPECT_TRUE(Calls().empty());

    GE_SelectRectWaveGrid(GE_WAVE_COMPUTATIONAL, 1);
    GE_DefineRectWaveGrid(GEkind_WAVE_GRID_2, 100, 200, 100, 400, 40, 350);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].kind, GEkind_WAVE_GRID_2);
    EXPECT_EQ(Calls()[0].selected, 1);
    int32_t count = 0;
    const GE_RectWaveGrid *comp = GE_RectWaveGrids(GE_WAVE_COMPUTATIONAL, &count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(comp[1].angle, 90.0f);
    EXPECT_EQ(comp[1].lx, 150.0f);
    EXPECT_EQ(comp[1].value1, 7);
    EXPECT_EQ(comp[1].display, 1);
    EXPECT_EQ(comp[0].x0, 0.0f);  // the other grid untouched

    // Number 1 is a computational grid but not a bottom grid: the bottom
    // set keeps its one grid as it was.
    GE_DefineRectWaveGrid(GEkind_WAVE_GRID_3, 0, 0, 100, 0, 50, 30);
    ASSERT_EQ(Calls().size(), 2u);
    const GE_RectWaveGrid *bottom = GE_RectWaveGrids(GE_WAVE_BOTTOM, &count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(bottom[0].lx, 10.0f);
    EXPECT_EQ(bottom[0].display, 1);
    EXPECT_EQ(GE_SetRectWaveGridParameters(GE_WAVE_BOTTOM, 1, 1, 1, 1, 0, 0, 0, 1, 1), 0);
    EXPECT_EQ(GE_SetRectWaveGridParameters(GE_WAVE_BOTTOM, 1, 1, 1, 1, 0, 0, 0, 1, -1), 0);
    EXPECT_EQ(GE_SetRectWaveGridParameters(2, 1, 1, 1, 1, 0, 0, 0, 1, 0), 0);

    // Number 0 of the bottom set: stored with display code 2.
    GE_SelectRectWaveGrid(GE_WAVE_BOTTOM, 0);
    GE_DefineRectWaveGrid(GEkind_WAVE_GRID_3, 0, 0, 100, 0, 50, 30);
    EXPECT_EQ(bottom[0].lx, 50.0f);
    EXPECT_EQ(bottom[0].angle, 0.0f);
    EXPECT_EQ(bottom[0].display, 2);
    // The world bounds take the new corners.
    EXPECT_LE(global_windata.xmin, 0.0f);
    EXPECT_GE(global_windata.ymax, 350.0f);
}

// A curvilinear grid of mmax x nmax nodes at x = x0 + 10 m, y = 10 n
// (0-based), every node coded 1 unless changed, named by its record.
struct CurviFixture : GridFixture {
    std::vector<int32_t> codes;
    std::vector<char> name;
    CurviFixture(int32_t m, int32_t n, float x0, const char *gridName) : GridFixture(m, n)
    {
        for (float &v : x)
            v += x0;
        codes.assign(x.size(), 1);
        name.assign(4, 'X');  // the record's first four bytes are not the name
        name.insert(name.end(), gridName, gridName + std::strlen(gridName) + 1);
        Input();
    }
    const GE_GridInput *Input()
    {
        Refresh();
        input.cellCode = codes.data();
        input.gridName = name.data();
        input.cellStatus = nullptr;
        return &input;
    }
};

TEST_F(WaveGridTest, ACurvilinearGridIsACopyWithTheDefaultCellStatus)
{
    CurviFixture f(4, 3, 0.0f, "west");
    f.input.coordinateSystem = 0;
    f.x[5] = f.y[5] = f.input.missingValue;  // node (1, 1): missing
    f.x[6] = f.input.missingValue;           // node (2, 1): only x missing
    ASSERT_EQ(GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, -1, &f.input), 1);
    EXPECT_EQ(global_windata.coordinateSystem, 0);
    // The caller's arrays are its own again.
    f.x.assign(f.x.size(), 0.0f);
    f.name.assign(f.name.size(), 0);

    int32_t count = 0;
    const GE_GridInput *grids = GE_CurviWaveGrids(GE_WAVE_BOTTOM, &count);
    ASSERT_EQ(count, 1);
    const GE_GridInput &g = grids[0];
    EXPECT_STREQ(GE_CurviWaveGridName(g), "west");
    EXPECT_EQ(g.x[1], 10.0f);
    // Interior cells active, sides boundary, corners inactive.
    const int32_t w = g.mmax + 1;
    EXPECT_EQ(g.cellStatus[0], GE_CELL_INACTIVE);
    EXPECT_EQ(g.cellStatus[1], GE_CELL_BOUNDARY);
    EXPECT_EQ(g.cellStatus[w], GE_CELL_BOUNDARY);
    EXPECT_EQ(g.cellStatus[w + 1], GE_CELL_ACTIVE);
    EXPECT_EQ(g.cellStatus[2 * w + 3], GE_CELL_ACTIVE);
    EXPECT_EQ(g.cellStatus[3 * w + 4], GE_CELL_INACTIVE);
    // Every node borders an active cell: valid, but for the one whose x
    // and y are both missing.
    for (int32_t k = 0; k < 12; ++k)
        EXPECT_EQ(g.validNodes[k] != 0, k != 5) << k;

    // Refused: another type, no nodes, no coordinates.
    GE_GridInput none = f.input;
    none.nmax = 0;
    GE_GridInput noY = f.input;
    noY.y = nullptr;
    EXPECT_EQ(GE_AddCurviWaveGrid(2, -1, &f.input), 0);
    EXPECT_EQ(GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, 0, &none), 0);
    EXPECT_EQ(GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, 0, &noY), 0);
    EXPECT_EQ(GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, 0, nullptr), 0);
    GE_CurviWaveGrids(GE_WAVE_BOTTOM, &count);
    EXPECT_EQ(count, 1);
}

TEST_F(WaveGridTest, InsertedAfterTheGivenGrid)
{
    CurviFixture a(2, 2, 0.0f, "a"), b(2, 2, 0.0f, "b"), c(2, 2, 0.0f, "c"), d(2, 2, 0.0f, "d");
    GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, 5, &a.input);   // empty set: at the front
    GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, -1, &b.input);  // at the front
    GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, 0, &c.input);   // after b
    GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, 9, &d.input);   // beyond the set: at the end
    int32_t count = 0;
    const GE_GridInput *grids = GE_CurviWaveGrids(GE_WAVE_COMPUTATIONAL, &count);
    ASSERT_EQ(count, 4);
    std::string order;
    for (int32_t k = 0; k < count; ++k)
        order += GE_CurviWaveGridName(grids[k]);
    EXPECT_EQ(order, "bcad");
}

TEST_F(WaveGridTest, BoundsOfTheModesSets)
{
    // A rectangular grid at x 1000..1100; curvilinear grids at x 0..30 and
    // 500..530, only nodes with a cell code counting.
    const GE_RectWaveGrid rect{ 1000, 0, 100, 50, 0, 0, 0, 1, 0 };
    GE_SetRectWaveGrids(GE_WAVE_COMPUTATIONAL, &rect, 1);
    CurviFixture comp(4, 3, 0.0f, "comp"), bottom(4, 3, 500.0f, "bottom");
    comp.codes.assign(comp.codes.size(), 0);
    comp.codes[1] = 2;   // node (1, 0): x 10, y 0
    comp.codes[6] = -1;  // node (2, 1): x 20, y 10
    bottom.codes[0] = 0;
    GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, -1, &comp.input);
    GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, -1, &bottom.input);
    CurviFixture uncoded(2, 2, -900.0f, "no codes");
    uncoded.input.cellCode = nullptr;
    GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, 0, &uncoded.input);

    const GE_GlobalData &g = global_windata;
    struct Case {
        int32_t mode;
        float xmin, xmax, ymin, ymax;
    } cases[] = {
        { GE_WAVE_CURVILINEAR, 10, 530, 0, 20 },
        { 7, 10, 530, 0, 20 },  // another mode: refused, the bounds kept
        { GE_WAVE_RECTANGULAR, 1000, 1100, 0, 50 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        GE_SetWaveGridMode(c.mode);
        EXPECT_EQ(g.xmin, c.xmin);
        EXPECT_EQ(g.xmax, c.xmax);
        EXPECT_EQ(g.ymin, c.ymin);
        EXPECT_EQ(g.ymax, c.ymax);
    }
    EXPECT_EQ(GE_WaveGridMode(), GE_WAVE_RECTANGULAR);
}

TEST_F(WaveGridTest, SelectionStaysWithinTheModesSet)
{
    const GE_RectWaveGrid rect[2] = { { 0, 0, 10, 10, 0, 0, 0, 1, 0 }, { 0, 0, 10, 10, 0, 0, 0, 1, 0 } };
    GE_SetRectWaveGrids(GE_WAVE_COMPUTATIONAL, rect, 2);
    CurviFixture bottom(2, 2, 0.0f, "only bottom");
    GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, -1, &bottom.input);
    struct Case {
        const char *what;
        int (*select)(int32_t, int32_t);
        int32_t type, gridNr;
        int result;
        int32_t kind, selected;  // afterwards
    } cases[] = {
        { "rectangular 1", GE_SelectRectWaveGrid, GE_WAVE_COMPUTATIONAL, 1, 1, GE_WAVE_COMPUTATIONAL, 1 },
        { "rectangular 2: beyond", GE_SelectRectWaveGrid, GE_WAVE_COMPUTATIONAL, 2, 0, GE_WAVE_COMPUTATIONAL, 1 },
        { "rectangular -1", GE_SelectRectWaveGrid, GE_WAVE_COMPUTATIONAL, -1, 0, GE_WAVE_COMPUTATIONAL, 1 },
        { "no rectangular bottom grid", GE_SelectRectWaveGrid, GE_WAVE_BOTTOM, 0, 0, GE_WAVE_COMPUTATIONAL, 1 },
        { "type 2", GE_SelectRectWaveGrid, 2, 0, 0, GE_WAVE_COMPUTATIONAL, 1 },
        // A bottom grid with no computational grid of its mode.
        { "curvilinear bottom 0", GE_SelectCurviWaveGrid, GE_WAVE_BOTTOM, 0, 1, GE_WAVE_BOTTOM, 0 },
        { "curvilinear bottom 1", GE_SelectCurviWaveGrid, GE_WAVE_BOTTOM, 1, 0, GE_WAVE_BOTTOM, 0 },
        { "curvilinear bottom -1", GE_SelectCurviWaveGrid, GE_WAVE_BOTTOM, -1, 0, GE_WAVE_BOTTOM, 0 },
        { "no curvilinear computational grid", GE_SelectCurviWaveGrid, GE_WAVE_COMPUTATIONAL, 0, 0, GE_WAVE_BOTTOM, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.select(c.type, c.gridNr), c.result);
        EXPECT_EQ(global_windata.wave.kind, c.kind);
        EXPECT_EQ(GE_SelectedWaveGrid(), c.selected);
    }
}

TEST_F(WaveGridTest, DeletingACurvilinearGridKeepsTheSelectionInItsSet)
{
    std::vector<CurviFixture> grids;
    for (const char *name : { "c0", "c1", "c2", "b0", "b1" })
        grids.emplace_back(3, 3, 0.0f, name);
    for (int k = 0; k < 3; ++k)
        GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, k - 1, &grids[k].input);
    for (int k = 3; k < 5; ++k)
        GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, k - 4, &grids[k].input);
    ASSERT_EQ(GE_SelectCurviWaveGrid(GE_WAVE_COMPUTATIONAL, 2), 1);
    struct Step {
        const char *what;
        int32_t type, index;
        int32_t compCount, bottomCount, selected;
    } steps[] = {
        { "a bottom grid: the computational selection stays", GE_WAVE_BOTTOM, 1, 3, 1, 2 },
        { "an index beyond the set: refused", GE_WAVE_COMPUTATIONAL, 3, 3, 1, 2 },
        { "another type: refused", 2, 0, 3, 1, 2 },
        { "the selected last grid: the new last one", GE_WAVE_COMPUTATIONAL, 2, 2, 1, 1 },
        { "an earlier grid: the selection is limited to the new last", GE_WAVE_COMPUTATIONAL, 0, 1, 1, 0 },
        { "the only grid: none selected", GE_WAVE_COMPUTATIONAL, 0, 0, 1, -1 },
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        GE_DeleteCurviWaveGrid(s.type, s.index);
        int32_t comp = 0, bottom = 0;
        GE_CurviWaveGrids(GE_WAVE_COMPUTATIONAL, &comp);
        GE_CurviWaveGrids(GE_WAVE_BOTTOM, &bottom);
        EXPECT_EQ(comp, s.compCount);
        EXPECT_EQ(bottom, s.bottomCount);
        EXPECT_EQ(GE_SelectedWaveGrid(), s.selected);
    }
    int32_t count = 0;
    EXPECT_STREQ(GE_CurviWaveGridName(GE_CurviWaveGrids(GE_WAVE_BOTTOM, &count)[0]), "b0");
}

TEST_F(WaveGridTest, FreeEmptiesEverySetAndTheLibrary)
{
    GridFixture model(5, 5);
    GE_SetGrid(model.Refresh(), "");
    const GE_RectWaveGrid rect{ 0, 0, 10, 10, 0, 0, 0, 1, 0 };
    GE_SetRectWaveGrids(GE_WAVE_COMPUTATIONAL, &rect, 1);
    GE_SetRectWaveGrids(GE_WAVE_BOTTOM, &rect, 1);
    CurviFixture a(3, 3, 0.0f, "a"), b(3, 3, 0.0f, "b");
    // Every grid's arrays are freed, not only the first's (the sanitizer
    // build reports a leak otherwise).
    for (const CurviFixture *f : { &a, &b }) {
        GE_AddCurviWaveGrid(GE_WAVE_COMPUTATIONAL, 0, &f->input);
        GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, 0, &f->input);
    }
    GE_SelectCurviWaveGrid(GE_WAVE_BOTTOM, 1);
    GE_FreeWaveGrids();
    const GE_WaveGridState &w = global_windata.wave;
    EXPECT_EQ(w.nr_recticomp_grids + w.nr_rectibottom_grids + w.nr_curvicomp_grids + w.nr_curvibottom_grids, 0);
    EXPECT_EQ(w.recticomp, nullptr);
    EXPECT_EQ(w.curvibottom, nullptr);
    EXPECT_EQ(w.selected, -1);
    EXPECT_EQ(global_windata.option_loaded[GEdit_SHOW_GRID], 0);
    EXPECT_EQ(global_windata.grid.xcoord, nullptr);
    // Usable again.
    EXPECT_EQ(GE_AddCurviWaveGrid(GE_WAVE_BOTTOM, -1, &a.input), 1);
}

}  // namespace
