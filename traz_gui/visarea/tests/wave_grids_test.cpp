// Rectangular wave grids without windows: three clicks along the world axes
// give the angles 0, 90, 180 and 270 exactly and the corner's offsets as
// lengths; other axes give their direction; a definition reaches the slot's
// callback and is stored as the selected grid of its own set only.
#include "wave_grids.h"

#include <gtest/gtest.h>

#include <cmath>
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
        GE_FreeRectWaveGrids();
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

}  // namespace
