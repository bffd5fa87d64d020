// Definition units and the colour prefix of coloured rows: conversions
// between pixels, character cells and dialog-template units with rounding
// and limits, and what a row's prefix sets.
#include <gtest/gtest.h>

#include <string>

#include "ruvv_ctl_text.h"

namespace {

struct UnitCase {
    int32_t from, to, bx, by, x, y, want_x, want_y;
};

TEST(DefinitionUnits, ConvertsBetweenUnitsRoundedToNearest)
{
    const UnitCase cases[] = {
        // cells to pixels: bx x by per cell
        {1, 0, 8, 16, 10, 3, 80, 48},
        // dialog units to pixels: a quarter of bx, an eighth of by, rounded
        {2, 0, 8, 16, 10, 10, 20, 20},
        {2, 0, 7, 13, 3, 3, 5, 5},      // 5.25 -> 5, 4.875 -> 5
        {2, 0, 6, 12, 1, 1, 2, 2},      // 1.5 -> 2 (half up)
        // pixels to cells and to dialog units
        {0, 1, 8, 16, 84, 40, 11, 3},   // 10.5 -> 11, 2.5 -> 3
        {0, 2, 8, 16, 20, 20, 10, 10},
        // cells to dialog units and back
        {1, 2, 8, 16, 3, 2, 12, 16},
        {2, 1, 8, 16, 12, 16, 3, 2},
        // equal units and unknown units change nothing
        {1, 1, 8, 16, 7, 9, 7, 9},
        {3, 0, 8, 16, 7, 9, 7, 9},
        {0, -1, 8, 16, 7, 9, 7, 9},
        // base units below 1 change nothing
        {1, 0, 0, 16, 7, 9, 7, 9},
        // results beyond int16 are held at its limits
        {1, 0, 8, 16, 30000, -30000, 32767, -32768},
    };
    for (const UnitCase &c : cases) {
        int32_t x = c.x, y = c.y;
        ruvv_units_convert(&x, &y, c.from, c.to, c.bx, c.by);
        EXPECT_EQ(x, c.want_x) << c.from << "->" << c.to << " x=" << c.x;
        EXPECT_EQ(y, c.want_y) << c.from << "->" << c.to << " y=" << c.y;
    }
}

TEST(DefinitionUnits, RectangleConvertsBothCorners)
{
    RUV_RECT r{2, 1, 4, 11};  // top, left, bottom, right in cells
    ruvv_units_convert_rect(&r, RUV_UNIT_CELLS, RUV_UNIT_PIXELS, 8, 16);
    EXPECT_EQ(r.top, 32);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.bottom, 64);
    EXPECT_EQ(r.right, 88);
    ruvv_units_convert_rect(nullptr, 1, 0, 8, 16);  // no crash
}

TEST(RowColors, PrefixSetsColoursAndVisibleText)
{
    RUV_ROW_COLORS rc;
    ruvv_row_colors_parse("<\\CF(16711680)\\CB(255)\\CS(65280))>Red on blue", &rc);
    EXPECT_STREQ(rc.visible, "Red on blue");
    EXPECT_TRUE(rc.has_text);
    EXPECT_EQ(rc.text, 0xFF0000u);
    EXPECT_TRUE(rc.has_back);
    EXPECT_EQ(rc.back, 0x0000FFu);
    EXPECT_TRUE(rc.has_select);
    EXPECT_EQ(rc.select, 0x00FF00u);
}

TEST(RowColors, RowsWithoutAWholePrefixAreShownWhole)
{
    struct Case {
        const char *row;
        const char *visible;
        bool text;
    } cases[] = {
        {"plain row", "plain row", false},
        {"\\CF(255))>no opening", "\\CF(255))>no opening", false},   // no "<\"
        {"<\\CF(255) never closed", "<\\CF(255) never closed", false},
        {"<\\CF())>empty number", "empty number", false},
        {"<\\CF(99999999999))>too big", "too big", false},             // beyond 32 bits
        {"<\\CF(4294967295))>largest", "largest", true},
        {"<\\)>", "", false},
        {"", "", false},
    };
    for (const Case &c : cases) {
        RUV_ROW_COLORS rc;
        ruvv_row_colors_parse(c.row, &rc);
        EXPECT_STREQ(rc.visible, c.visible) << c.row;
        EXPECT_EQ(rc.has_text != 0, c.text) << c.row;
        EXPECT_FALSE(rc.has_back) << c.row;
    }
    RUV_ROW_COLORS rc;
    ruvv_row_colors_parse(nullptr, &rc);
    EXPECT_STREQ(rc.visible, "");
}

TEST(RowColors, FirstOccurrenceOfEachKeyCounts)
{
    RUV_ROW_COLORS rc;
    ruvv_row_colors_parse("<\\CF(1)\\CF(2))>x\\CB(7)", &rc);
    EXPECT_EQ(rc.text, 1u);
    EXPECT_TRUE(rc.has_back);  // looked up anywhere in the row
    EXPECT_EQ(rc.back, 7u);
    EXPECT_STREQ(rc.visible, "x\\CB(7)");
}

} // namespace
