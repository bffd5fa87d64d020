// A map window record's transform: centres and scales, pixels to world
// coordinates and cells and back, and zooming onto a box.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "visarea_test_support.h"

namespace {

using vatest::GridFixture;

class TransformTest : public vatest::LibraryTest {
protected:
    GE_WindowData data{};
    void SetUp() override
    {
        LibraryTest::SetUp();
        GE_InitWindowData(&data);
        data.drawing = RUV_RECT{5, 5, 605, 805};  // top, left, bottom, right
    }
    void Fit()
    {
        data.fitScale = GE_FitScale(data.drawing.right - data.drawing.left, data.drawing.bottom - data.drawing.top);
        GE_UpdateTransform(&data);
    }
};

TEST_F(TransformTest, ANewRecordAndAnEmptyWorld)
{
    EXPECT_EQ(data.zoom, 1.0f);
    EXPECT_EQ(data.clickX[3], -1);
    EXPECT_STREQ(data.fontFamily, "helvetica");
    EXPECT_EQ(data.fontSize, 10);
    EXPECT_EQ(data.fontStyle, 1);
    data.xOffset = 7.0f;
    data.yOffset = -3.0f;
    Fit();
    // Nothing loaded: the world centre is the offset itself.
    EXPECT_EQ(data.worldCentreX, 7.0f);
    EXPECT_EQ(data.worldCentreY, -3.0f);
    EXPECT_EQ(data.pixelCentreX, 405);
    EXPECT_EQ(data.pixelCentreY, 305);
    EXPECT_FLOAT_EQ(data.verticalScale, 0.9f * (600 - 22));
}

TEST_F(TransformTest, CellCentresMapToPixelsAndBackToTheirCells)
{
    GridFixture grid(11, 6);  // 100 x 50 world units
    GE_SetGrid(&grid.input, "");
    Fit();
    EXPECT_EQ(data.worldCentreX, 50.0f);
    EXPECT_EQ(data.worldCentreY, 25.0f);
    struct Case {
        float x, y;
        int32_t m, n;
    } cases[] = {
        {5.0f, 5.0f, 2, 2}, {95.0f, 45.0f, 11, 6}, {52.0f, 27.0f, 7, 4}, {150.0f, 25.0f, -1, -1},
    };
    for (const Case &c : cases) {
        int16_t px = 0, py = 0;
        GE_DataWorldToPixel(&data, c.x, c.y, &px, &py);
        float x = 0, y = 0;
        GE_DataPixelToWorld(&data, px, py, &x, &y);
        EXPECT_NEAR(x, c.x, 1.5f / data.verticalScale);
        EXPECT_NEAR(y, c.y, 1.5f / data.verticalScale);
        int32_t m = 0, n = 0;
        GE_DataPixelToCell(&data, px, py, &m, &n);
        EXPECT_EQ(m, c.m) << c.x << " " << c.y;
        EXPECT_EQ(n, c.n) << c.x << " " << c.y;
    }
    // Without a grid there is no cell.
    GE_FreeGrid();
    int32_t m = 0, n = 0;
    EXPECT_EQ(GE_DataPixelToCell(&data, 405, 305, &m, &n), 0);
    EXPECT_EQ(m, -1);
}

TEST_F(TransformTest, ZoomBoxes)
{
    GridFixture grid(11, 6);
    GE_SetGrid(&grid.input, "");
    Fit();
    struct Case {
        const char *what;
        int32_t x0, y0, x1, y1;
        int zoomed;
        float zoom;
    } cases[] = {
        {"a box of 10 x 10 pixels", 100, 100, 110, 110, 0, 1.0f},
        {"a click without a drag", 100, 100, 100, 100, 0, 1.0f},
        {"a box of 200 x 100", 305, 255, 505, 355, 1, 4.0f},
        {"a box of 50 x 0: by its width", 380, 300, 430, 300, 1, 16.0f},
        {"a box of 0 x 60: by its height", 400, 275, 400, 335, 1, 10.0f},
    };
    for (const Case &c : cases) {
        GE_WindowData d = data;
        EXPECT_EQ(GE_ZoomToBox(&d, c.x0, c.y0, c.x1, c.y1), c.zoomed) << c.what;
        EXPECT_TRUE(std::isfinite(d.zoom)) << c.what;
        if (c.zoomed == 0) {
            EXPECT_EQ(d.zoom, 1.0f) << c.what;
            EXPECT_EQ(d.xOffset, 0.0f) << c.what;
        }
    }
    GE_WindowData d = data;
    ASSERT_EQ(GE_ZoomToBox(&d, 305, 255, 505, 355), 1);
    EXPECT_FLOAT_EQ(d.zoom, std::min(600.0f / 100.0f, 800.0f / 200.0f));
    // The box's centre becomes the view's centre.
    EXPECT_FLOAT_EQ(d.worldCentreX, data.worldCentreX);
    EXPECT_FLOAT_EQ(d.worldCentreY, data.worldCentreY);
    d = data;
    ASSERT_EQ(GE_ZoomToBox(&d, 380, 300, 430, 300), 1);
    EXPECT_FLOAT_EQ(d.zoom, 800.0f / 50.0f);
    // A release beyond the drawing rectangle is taken at its edge.
    d = data;
    ASSERT_EQ(GE_ZoomToBox(&d, 705, 105, 2000, 205), 1);
    EXPECT_FLOAT_EQ(d.zoom, std::min(600.0f / 100.0f, 800.0f / 100.0f));
}

TEST_F(TransformTest, ZoomBoxInSphericalCoordinatesCentresTheBox)
{
    GridFixture grid(11, 11, 0.1f, 0.1f);  // 1 x 1 degree
    for (float &y : grid.y)
        y += 60.0f;
    grid.input.coordinateSystem = 0;
    grid.Refresh();
    GE_SetGrid(&grid.input, "");
    Fit();
    // Where the box's centre pixel lies in the world before the zoom ...
    float bx = 0, by = 0;
    GE_DataPixelToWorld(&data, 505, 355, &bx, &by);
    ASSERT_EQ(GE_ZoomToBox(&data, 455, 305, 555, 405), 1);
    // ... is the view's centre after it.
    EXPECT_NEAR(data.worldCentreX, bx, 1e-3);
    EXPECT_NEAR(data.worldCentreY, by, 1e-3);
}

}  // namespace
