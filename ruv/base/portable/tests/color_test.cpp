// Colours: distance and the two nearest-colour forms, colour names, grey
// levels, colour-component sets and the shared colour tables with their
// memo.
#include "core_test_support.h"

#include "ruvv_color.h"
#include "ruvv_mem.h"

#include <cstring>
#include <string>

using coretest::reported;

namespace {

class Colors : public coretest::CoreTest {};

TEST_F(Colors, NamesAndGreyLevels)
{
    struct Case {
        const char *name;
        bool ok;
        uint16_t r, g, b;
    };
    const Case cases[] = {
        {"aliceblue", true, 240, 248, 255},   {"Alice Blue", true, 240, 248, 255},
        {" ALICE\tBLUE ", true, 240, 248, 255}, {"yellowgreen", true, 154, 205, 50},
        {"grey", true, 190, 190, 190},        {"gray", true, 190, 190, 190},
        {"gray50", true, 127, 127, 127},      {"Grey 100", true, 255, 255, 255},
        {"gray0", true, 0, 0, 0},             {"gray101", true, 255, 255, 255},
        {"grey4000000000", true, 255, 255, 255}, {"navyblue", true, 0, 0, 128},
        {"lightgoldenrod4", true, 139, 129, 76}, {"nosuchcolour", false, 0, 0, 0},
        {"gra", false, 0, 0, 0},
    };
    for (const Case &c : cases) {
        uint16_t r = 0, g = 0, b = 0;
        EXPECT_EQ(ruvv_color_lookup_name(c.name, &r, &g, &b) != 0, c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(r, c.r) << c.name;
            EXPECT_EQ(g, c.g) << c.name;
            EXPECT_EQ(b, c.b) << c.name;
        }
    }
    EXPECT_TRUE(coretest::reports().empty());
}

TEST_F(Colors, BlankNameIsWhiteWithAWarning)
{
    uint16_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(ruvv_color_lookup_name(" \t ", &r, &g, &b));
    EXPECT_EQ(r + g + b, 3 * 255);
    ASSERT_TRUE(reported(0x01530005));
    EXPECT_EQ(coretest::reports()[0].severity, 1);
}

TEST_F(Colors, NameTableIsSortedWithoutNumberedGreys)
{
    ASSERT_EQ(ruvv_color_name_count(), 447);
    EXPECT_STREQ(ruvv_color_name_entry(0, nullptr), "aliceblue");
    EXPECT_STREQ(ruvv_color_name_entry(446, nullptr), "yellowgreen");
    EXPECT_EQ(ruvv_color_name_entry(447, nullptr), nullptr);
    for (int32_t i = 1; i < 447; ++i) {
        const char *a = ruvv_color_name_entry(i - 1, nullptr), *b = ruvv_color_name_entry(i, nullptr);
        EXPECT_LT(strcmp(a, b), 0) << a << " " << b;
        EXPECT_FALSE((strncmp(b, "gray", 4) == 0 || strncmp(b, "grey", 4) == 0) && b[4] >= '0' && b[4] <= '9')
            << b;
        for (const char *c = b; *c; ++c)
            EXPECT_TRUE((*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9')) << b;
    }
}

TEST_F(Colors, DistanceAndNearestForms)
{
    EXPECT_EQ(ruvv_color_distance(0x000000, 0x102030), 0x30);
    EXPECT_EQ(ruvv_color_distance(RUV_COLOR_RED, 0x00FF0000), 0) << "the tag takes no part";
    // Entries 1 and 2 are at equal distance 16 from the colour.
    const RUV_COLOR list[] = {0x10FFFFFF, 0x00101010, 0x00303030, 0x00FFFFFF};
    EXPECT_EQ(ruvv_color_nearest_b(list, 4, 0x00202020), 1) << "form B: ties to the earlier entry";
    EXPECT_EQ(ruvv_color_nearest_a(list, 4, 0x00202020), 2) << "form A: ties to the later entry";
    EXPECT_EQ(ruvv_color_nearest_b(list, 4, 0x00FFFFFF), 3) << "bit 28 entries are never candidates";
    const RUV_COLOR unset[] = {RUV_COLOR_UNSET, RUV_COLOR_UNSET};
    EXPECT_EQ(ruvv_color_nearest_a(unset, 2, 0), 0);
    EXPECT_EQ(ruvv_color_nearest_b(unset, 2, 0), 0);
}

TEST_F(Colors, ComponentSetAddsChangesAndRemoves)
{
    RUV_COLOR_SET set = {};
    set.allowed = 0x2 | 0x4 | 0x8;
    const RUV_COLOR_COMPONENT add[] = {{0x2, RUV_COLOR_RED}, {0x4, RUV_COLOR_BLUE}, {0x20, RUV_COLOR_GREEN}, {0, 0}};
    EXPECT_EQ(ruvv_color_modify_set(&set, add, FALSE), 0x6u) << "0x20 is not allowed";
    EXPECT_EQ(set.present, 0x6u);
    EXPECT_EQ(set.count, 2);
    EXPECT_EQ(set.items[2].type, 0);
    EXPECT_EQ(ruvv_color_modify_set(&set, add, FALSE), 0u) << "same colours change nothing";
    const RUV_COLOR_COMPONENT change[] = {{0x4, RUV_COLOR_WHITE}, {0x8, RUV_COLOR_BLACK}, {0, 0}};
    EXPECT_EQ(ruvv_color_modify_set(&set, change, FALSE), 0xCu);
    EXPECT_EQ(set.count, 3);
    const RUV_COLOR_COMPONENT rem[] = {{0x2, 0}, {0x20, 0}, {0, 0}};
    EXPECT_EQ(ruvv_color_modify_set(&set, rem, TRUE), 0x2u);
    EXPECT_EQ(set.count, 2);
    EXPECT_EQ(set.items[0].type, 0x8) << "the last item moves into the gap";
    EXPECT_EQ(set.items[2].type, 0);
    EXPECT_EQ(set.present, 0xCu);
    EXPECT_EQ(ruvv_color_modify_set(&set, nullptr, FALSE), 0xCu);
    EXPECT_EQ(set.items, nullptr);
    EXPECT_EQ(set.count, 0);
    EXPECT_EQ(set.present, 0u);
}

TEST_F(Colors, TableAnswersNearestEntries)
{
    const RUV_COLOR list[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080,
                              0x808484, // inside the cell of 0x808080: a bucket
                              0x808080}; // a duplicate
    RUV_COLOR_TABLE_REF *t = ruvv_color_table_for_list(list, 8);
    ASSERT_NE(t, nullptr);
    struct Case {
        RUV_COLOR c;
        int32_t want;
    };
    const Case cases[] = {{0x010101, 0}, {0xFEFEFE, 1}, {RUV_COLOR_WHITE, 1}, {0xF00000, 2},
                          {0x00EE00, 3}, {0x0000DD, 4}, {0x818181, 5},
                          // Cell (8, 8, 8) names 7 (the later of the ties at
                          // its centre) and holds the bucket {7, 5}; 0x808484
                          // serves the neighbouring cell (8, 8, 9): the answer
                          // is approximate.
                          {0x818585, 5},         {0x808490, 6}};
    for (const Case &c : cases)
        EXPECT_EQ(ruvv_color_table_nearest(c.c, t), c.want) << std::hex << c.c;
    EXPECT_EQ(ruvv_color_table_nearest(0x808490, t), 6) << "memo";
    ruvv_color_table_release(t);
}

TEST_F(Colors, TablesAreSharedAndTheMemoKeepsItsOwn)
{
    RUV_COLOR a[16], b[16];
    for (int i = 0; i < 16; ++i) {
        a[i] = (RUV_COLOR)(i * 0x111111);
        b[i] = (RUV_COLOR)(i * 0x101010);
    }
    RUV_COLOR_TABLE_REF *t1 = ruvv_color_table_for_list(a, 16);
    RUV_COLOR_TABLE_REF *t2 = ruvv_color_table_for_list(a, 16);
    ASSERT_NE(t1, nullptr);
    ASSERT_NE(t2, nullptr);
    EXPECT_NE(t1, t2);
    EXPECT_EQ(ruvv_color_table_nearest(0x777777, t1), ruvv_color_table_nearest(0x777777, t2));
    ruvv_color_table_release(t1);
    ruvv_color_table_release(t2);
    // Both handles gone: the memo still holds the table, and a request for
    // the same list shares it (ASan would see a use after free otherwise).
    RUV_COLOR_TABLE_REF *t3 = ruvv_color_table_for_list(a, 16);
    EXPECT_EQ(ruvv_color_table_nearest(0x222222, t3), 2);
    // Another list: the first table lives on for its holder t3.
    RUV_COLOR_TABLE_REF *t4 = ruvv_color_table_for_list(b, 16);
    EXPECT_EQ(ruvv_color_table_nearest(0x222222, t3), 2);
    EXPECT_EQ(ruvv_color_table_nearest(0x2A2A2A, t4), 3);
    ruvv_color_table_release(t3);
    ruvv_color_table_release(t4);
}

TEST_F(Colors, TooManyColoursIsFatal)
{
    static RUV_COLOR many[257] = {};
    EXPECT_EQ(ruvv_color_table_for_list(many, 257), nullptr);
    EXPECT_TRUE(reported(0x01250005));
}

TEST_F(Colors, IndexMapIdentityNearestAndMemo)
{
    const RUV_COLOR src[] = {0x000000, 0xFFFFFF, RUV_COLOR_UNSET | 0x123456, 0xFE0000};
    const RUV_COLOR dst[] = {0xFF0000, 0xFFFFFF, 0x000000};
    const uint8_t *map = ruvv_color_index_map(src, 4, src, 4);
    ASSERT_NE(map, nullptr);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(map[i], i);
    map = ruvv_color_index_map(src, 4, dst, 3);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map[0], 2);
    EXPECT_EQ(map[1], 1);
    EXPECT_EQ(map[2], 2) << "an unset entry keeps its previous value";
    EXPECT_EQ(map[3], 0);
    EXPECT_EQ(ruvv_color_index_map(src, 4, dst, 3), map);
}

} // namespace
