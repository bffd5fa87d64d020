// The display's fonts as lists: the families of the prefix (the Liberation
// faces and Wine's raster System font), the styles of a family, the sizes
// of a scalable family (exactly 1 and 9999) and of a raster one (its point
// sizes), each list cut at the caller's capacity.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "kernel_test_support.h"
#include "ruvk.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"

namespace {

std::vector<std::string> families(int32_t max)
{
    std::vector<char *> names((size_t)max + 1, nullptr);
    int32_t n = ruvk_fmap_get_families(nullptr, names.data(), max);
    std::vector<std::string> r;
    for (int32_t i = 0; i < n; ++i) {
        r.push_back(names[i]);
        ruvv_mem_free(names[i]);
    }
    EXPECT_EQ(names[n], nullptr) << "nothing beyond the count";
    return r;
}

std::vector<int32_t> sizes(const char *family, RUV_BOOL *scalable, int32_t max = 64, const uint32_t *style = nullptr)
{
    std::vector<int32_t> out((size_t)max + 1, -7);
    int32_t n = style ? ruvk_fmap_get_familystyle_sizes(nullptr, family, *style, out.data(), scalable, max)
                      : ruvk_fmap_get_family_sizes(nullptr, family, out.data(), scalable, max);
    EXPECT_EQ(out[n], -7) << "nothing beyond the count";
    out.resize((size_t)n);
    return out;
}

// Point size of the stock System font on the display.
int32_t system_font_points()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    int r = GetDeviceCaps(dc, LOGPIXELSY);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return (r / 2 + (tm.tmHeight - tm.tmInternalLeading) * 72) / r;
}

class FontEnum : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.ok()); }
    kt::Session session_;
};

TEST_F(FontEnum, FamiliesOfTheDisplay)
{
    std::vector<std::string> all = families(500);
    std::set<std::string> set(all.begin(), all.end());
    EXPECT_EQ(set.size(), all.size()) << "each family once";
    for (const char *f : {"Liberation Sans", "Liberation Serif", "Liberation Mono", "System"})
        EXPECT_EQ(set.count(f), 1u) << f;
    ASSERT_GE(all.size(), 3u);
    std::vector<std::string> two = families(2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], all[0]);
    EXPECT_EQ(two[1], all[1]);
    EXPECT_TRUE(families(0).empty());
}

TEST_F(FontEnum, ScalableFamiliesOfferOneTo9999)
{
    for (const char *f : {"Liberation Sans", "Liberation Serif", "Liberation Mono"}) {
        RUV_BOOL scalable = FALSE;
        EXPECT_EQ(sizes(f, &scalable), (std::vector<int32_t>{1, 9999})) << f;
        EXPECT_TRUE(scalable) << f;
        scalable = FALSE;
        EXPECT_EQ(sizes(f, &scalable, 1), (std::vector<int32_t>{1})) << f;
        EXPECT_TRUE(scalable) << f;
    }
    // In a style the family has, and in one it has no face for.
    uint32_t bold = RUV_FONT_BOLD, underlined = RUV_FONT_UNDERLINE;
    RUV_BOOL scalable = FALSE;
    EXPECT_EQ(sizes("Liberation Sans", &scalable, 64, &bold), (std::vector<int32_t>{1, 9999}));
    EXPECT_TRUE(scalable);
    EXPECT_TRUE(sizes("Liberation Sans", &scalable, 64, &underlined).empty());
    EXPECT_FALSE(scalable);
}

TEST_F(FontEnum, RasterSystemFontOffersItsPointSizes)
{
    RUV_BOOL scalable = TRUE;
    std::vector<int32_t> got = sizes("System", &scalable);
    EXPECT_FALSE(scalable);
    ASSERT_FALSE(got.empty());
    std::set<int32_t> distinct(got.begin(), got.end());
    EXPECT_EQ(distinct.size(), got.size()) << "each size once";
    EXPECT_EQ(distinct.count(9999), 0u);
    EXPECT_EQ(distinct.count(system_font_points()), 1u);
    for (int32_t s : got)
        EXPECT_GT(s, 0);
    // A raster face serves its own style (the System font is bold) and the
    // one the system simulates, with the weight asked for.
    uint32_t own = RUV_FONT_BOLD, simulated = RUV_FONT_ITALIC | RUV_FONT_UNDERLINE | RUV_FONT_STRIKEOUT;
    uint32_t simulated_bold = simulated | RUV_FONT_BOLD, plain = 0, italic = RUV_FONT_ITALIC;
    EXPECT_EQ(sizes("System", &scalable, 64, &own), got);
    EXPECT_EQ(sizes("System", &scalable, 64, &simulated), got);
    EXPECT_EQ(sizes("System", &scalable, 64, &simulated_bold), got);
    EXPECT_TRUE(sizes("System", &scalable, 64, &plain).empty());
    EXPECT_TRUE(sizes("System", &scalable, 64, &italic).empty());
}

TEST_F(FontEnum, StylesOfAFamily)
{
    uint32_t styles[32];
    int32_t n = ruvk_fmap_get_family_styles(nullptr, "Liberation Serif", styles, 32);
    ASSERT_EQ(n, 16) << "every combination of bold, italic, underline and strikeout";
    std::set<uint32_t> set(styles, styles + n);
    EXPECT_EQ(set.size(), 16u);
    for (uint32_t s : set)
        EXPECT_EQ(s & ~(RUV_FONT_BOLD | RUV_FONT_ITALIC | RUV_FONT_UNDERLINE | RUV_FONT_STRIKEOUT), 0u);
    EXPECT_EQ(ruvk_fmap_get_family_styles(nullptr, "Liberation Serif", styles, 3), 3);

    // At a size: a raster face only at its own sizes, an outline face at any.
    int32_t points = system_font_points();
    EXPECT_GT(ruvk_fmap_get_familysize_styles(nullptr, "System", points, styles, 32), 0);
    EXPECT_EQ(ruvk_fmap_get_familysize_styles(nullptr, "System", 333, styles, 32), 0);
    EXPECT_EQ(ruvk_fmap_get_familysize_styles(nullptr, "Liberation Serif", 333, styles, 32), 16);
}

TEST_F(FontEnum, UnknownFamiliesGiveNothing)
{
    uint32_t styles[4];
    int32_t out[4];
    RUV_BOOL scalable = TRUE;
    EXPECT_EQ(ruvk_fmap_get_family_styles(nullptr, "No Such Face Anywhere", styles, 4), 0);
    EXPECT_EQ(ruvk_fmap_get_family_sizes(nullptr, "No Such Face Anywhere", out, &scalable, 4), 0);
    EXPECT_FALSE(scalable);
    EXPECT_EQ(ruvk_fmap_get_family_sizes(nullptr, nullptr, out, nullptr, 4), 0);
}

} // namespace
