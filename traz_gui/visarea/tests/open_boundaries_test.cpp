// Grid point types from an enclosure's cell codes and by default, and the
// open-boundary checks over them: valid points and runs (1), corner types
// that only a water-level boundary may use (-1), and invalid ones (-2).
#include "open_boundaries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Cell codes of columns x rows given top row first (as drawn), '1' inside.
GE_PointTypes FromPicture(const std::vector<std::string> &rowsTopFirst)
{
    const int32_t rows = static_cast<int32_t>(rowsTopFirst.size());
    const int32_t columns = static_cast<int32_t>(rowsTopFirst[0].size());
    std::vector<int32_t> codes(static_cast<size_t>(columns) * rows);
    for (int32_t n = 1; n <= rows; ++n)
        for (int32_t m = 1; m <= columns; ++m)
            codes[static_cast<size_t>(n - 1) * columns + (m - 1)] = rowsTopFirst[rows - n][m - 1] == '1' ? 1 : 0;
    return GE_EnclosureToPointTypes(columns, rows, codes.data());
}

std::vector<std::string> Picture(const GE_PointTypes &t)
{
    std::vector<std::string> rows;
    for (int32_t n = t.rows; n >= 1; --n) {
        std::string row;
        for (int32_t m = 1; m <= t.columns; ++m)
            row += static_cast<char>('0' + GE_GridPointType(t, m, n));
        rows.push_back(row);
    }
    return rows;
}

GE_LineObject L(int32_t m1, int32_t n1, int32_t m2, int32_t n2) { return GE_LineObject{ m1, n1, m2, n2, {} }; }

TEST(PointTypes, FromAnEnclosureAndByDefault)
{
    // An L of inside cells: its sides, and the concave corner (4, 4) that is
    // both a high-n and a high-m neighbour.
    const GE_PointTypes shape = FromPicture({ "0000000",
                                              "0000000",
                                              "0010000",
                                              "0011100",
                                              "0000000",
                                              "0000000" });
    EXPECT_EQ(Picture(shape), (std::vector<std::string>{ "0000000",
                                                          "0040000",
                                                          "0217400",
                                                          "0211130",
                                                          "0055500",
                                                          "0000000" }));
    EXPECT_EQ(Picture(GE_DefaultPointTypes(5, 4)), (std::vector<std::string>{ "04440",
                                                                               "21113",
                                                                               "21113",
                                                                               "05550" }));
    EXPECT_EQ(GE_GridPointType(shape, 0, 3), 0);
    EXPECT_EQ(GE_GridPointType(shape, 3, 7), 0);
}

TEST(OpenBoundaries, PointsAndRuns)
{
    const GE_PointTypes shape = FromPicture({ "0000000",
                                              "0000000",
                                              "0010000",
                                              "0011100",
                                              "0000000",
                                              "0000000" });
    // A gap of one cell between two inside cells along m.
    const GE_PointTypes gap = FromPicture({ "00000",
                                            "01010",
                                            "00000" });
    struct Case {
        const char *what;
        const GE_PointTypes *types;
        int32_t m, n;
        int waterLevel, result;
    } points[] = {
        { "low-m side", &shape, 2, 3, 0, 1 },
        { "high-n side", &shape, 3, 5, 0, 1 },
        { "concave corner, water level", &shape, 4, 4, 1, 1 },
        { "concave corner, another kind", &shape, 4, 4, 0, -1 },
        { "inside", &shape, 3, 3, 1, -2 },
        { "outside", &shape, 1, 1, 1, -2 },
        { "off the table", &shape, 9, 9, 1, -2 },
        { "between two inside cells", &gap, 3, 2, 1, -2 },
    };
    for (const Case &c : points)
        EXPECT_EQ(GE_OpenBoundaryPointValid(*c.types, c.m, c.n, c.waterLevel), c.result) << c.what;

    struct Run {
        const char *what;
        GE_LineObject line;
        int waterLevel, result;
    } runs[] = {
        { "along the low-n side", L(3, 2, 5, 2), 0, 1 },
        { "the low-n side drawn backwards", L(5, 2, 3, 2), 0, 1 },
        { "into the corner outside", L(3, 2, 6, 2), 1, -2 },
        { "from an inside cell", L(3, 3, 3, 4), 1, -2 },
        { "from outside", L(1, 1, 1, 3), 1, -2 },
        { "neither straight nor diagonal", L(2, 3, 3, 5), 1, -2 },
        { "the corner alone, another kind", L(4, 4, 4, 4), 0, -1 },
        { "the corner alone, water level", L(4, 4, 4, 4), 1, 1 },
    };
    for (const Run &r : runs)
        EXPECT_EQ(GE_OpenBoundaryLineValid(shape, &r.line, r.waterLevel), r.result) << r.what;
}

}  // namespace
