// Logical fonts: the text form, the setters and what they do to a mapped
// font, copying, mapping for screen and print windows, the font-map table of
// the compiled resources, the family lists and the font cache.
#include "core_test_support.h"

#include "ruvv_vobj.h"
#include "ruvk.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "standin_fonts.h"
#include "standin_res.h"

#include <cstring>
#include <string>

using coretest::reported;

namespace {

const char *const DESC = "NT_01/-13/0/0/0/FW_BOLD/0/0/0/ANSI_CHARSET/0/0/2/VARIABLE_PITCH-FF_SWISS/Arial";

class Fonts : public coretest::CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        standin::clear_resources();
        screen_.tag = RUV_VOBJ_TAG;
        screen_.type = 1;
        print_.tag = RUV_VOBJ_TAG;
        print_.type = 4;
    }
    void TearDown() override
    {
        CoreTest::TearDown();
        standin::clear_resources();
    }
    std::string text(const RUV_FONT *f)
    {
        char buf[1024];
        return ruvv_font_serialize(f, buf, sizeof buf) ? buf : "<failed>";
    }
    RUV_VOBJ screen_ = {};
    RUV_VOBJ print_ = {};
};

struct FontPtr {
    RUV_FONT *f = ruvv_font_create();
    ~FontPtr() { ruvv_font_destroy(f); }
};

TEST_F(Fonts, NewFontAndItsTextForm)
{
    FontPtr p;
    ASSERT_TRUE(ruvv_font_is_valid(p.f));
    EXPECT_EQ(text(p.f), "01\\system\\0\\12\\");
    EXPECT_EQ(ruvv_font_serialize(p.f, nullptr, 0), 16);
    char small[15];
    EXPECT_EQ(ruvv_font_serialize(p.f, small, sizeof small), 0);
    EXPECT_STREQ(small, "");
    EXPECT_TRUE(reported(0x01260004));
}

TEST_F(Fonts, TextFormRoundTrips)
{
    struct Case {
        const char *in;
        const char *out;
    };
    const Case cases[] = {
        {"01\\helvetica\\3\\10\\", "01\\helvetica\\3\\10\\"},
        {"99\\times\\0x12\\014\\", "01\\times\\18\\12\\"},
        {"01\\fixed\\0\\9\\NT_01/*/*/*/*/*/*/*/*/*/*/*/*/*/*", "01\\fixed\\0\\9\\NT_01/*/*/*/*/*/*/*/*/*/*/*/*/*/*"},
        {"01\\a\\b\\1\\x\\y", "01\\a\\0\\1\\x\\y"}, // the descriptor keeps later backslashes
    };
    for (const Case &c : cases) {
        FontPtr p;
        EXPECT_EQ(ruvv_font_deserialize(p.f, c.in), 1) << c.in;
        EXPECT_EQ(text(p.f), c.out) << c.in;
    }
}

TEST_F(Fonts, LongNamesAndHighStyleBitsRoundTripWhole)
{
    // A text form longer than 1024 bytes is written whole, never cut.
    FontPtr p;
    std::string family(1500, 'f');
    std::string desc = "NT_01/*/*/*/*/*/*/*/*/*/*/*/*/*/" + std::string(700, 'd');
    ruvv_font_set_family(p.f, family.c_str());
    ruvv_font_set_style(p.f, 0x80000001u);
    ruvv_font_set_native_desc(p.f, desc.c_str());
    std::string want = "01\\" + family + "\\-2147483647\\12\\" + desc;
    ASSERT_EQ(ruvv_font_serialize(p.f, nullptr, 0), (int32_t)want.size() + 1);
    std::string buf(want.size() + 1, 'x');
    ASSERT_EQ(ruvv_font_serialize(p.f, &buf[0], (int32_t)buf.size()), (int32_t)buf.size());
    EXPECT_EQ(std::string(buf.c_str()), want);
    FontPtr q;
    ASSERT_EQ(ruvv_font_deserialize(q.f, buf.c_str()), 1);
    EXPECT_TRUE(ruvv_font_is_equal(p.f, q.f));
}

TEST_F(Fonts, TextFormWithThreeBackslashesIsRefused)
{
    FontPtr p;
    ruvv_font_set_size(p.f, 20);
    EXPECT_EQ(ruvv_font_deserialize(p.f, "01\\times\\1\\10"), 0);
    EXPECT_TRUE(reported(0x00240000));
    EXPECT_EQ(text(p.f), "01\\system\\0\\20\\");
}

TEST_F(Fonts, SettersUnmapAndDropTheDescriptor)
{
    struct Case {
        const char *what;
        void (*set)(RUV_FONT *);
        bool keeps;
    };
    const Case cases[] = {
        {"same size", [](RUV_FONT *f) { ruvv_font_set_size(f, 12); }, true},
        {"other size", [](RUV_FONT *f) { ruvv_font_set_size(f, 14); }, false},
        {"same family", [](RUV_FONT *f) { ruvv_font_set_family(f, "system"); }, true},
        {"other family", [](RUV_FONT *f) { ruvv_font_set_family(f, "times"); }, false},
        {"same style", [](RUV_FONT *f) { ruvv_font_set_style(f, 0); }, true},
        {"other style", [](RUV_FONT *f) { ruvv_font_set_style(f, RUV_FONT_BOLD); }, false},
        {"same data", [](RUV_FONT *f) { ruvv_font_set_app_data(f, nullptr); }, true},
        {"other data", [](RUV_FONT *f) { ruvv_font_set_app_data(f, (void *)f); }, false},
    };
    for (const Case &c : cases) {
        FontPtr p;
        ruvv_font_set_native_desc(p.f, DESC);
        ASSERT_TRUE(ruvv_font_map(p.f, &screen_)) << c.what;
        ASSERT_TRUE(ruvv_font_is_mapped(p.f));
        EXPECT_FALSE(ruvv_font_is_derived(p.f)) << "the application's descriptor is used";
        c.set(p.f);
        EXPECT_EQ(ruvv_font_is_mapped(p.f) != 0, c.keeps) << c.what;
        EXPECT_EQ(ruvv_font_get_native_desc(p.f, FALSE) != nullptr, c.keeps) << c.what;
    }
}

TEST_F(Fonts, MappingForPrintThenScreenUnmaps)
{
    FontPtr p;
    ruvv_font_set_native_desc(p.f, DESC);
    ASSERT_TRUE(ruvv_font_map(p.f, &print_));
    EXPECT_TRUE(p.f->print);
    ruvv_font_set_win(p.f, &screen_);
    EXPECT_FALSE(ruvv_font_is_mapped(p.f));
    EXPECT_FALSE(p.f->print);
    EXPECT_STREQ(ruvv_font_get_native_desc(p.f, FALSE), DESC) << "a given descriptor stays";
    // Another screen window keeps the mapping.
    RUV_VOBJ other = screen_;
    ASSERT_TRUE(ruvv_font_map(p.f, &screen_));
    ruvv_font_set_win(p.f, &other);
    EXPECT_TRUE(ruvv_font_is_mapped(p.f));
}

TEST_F(Fonts, MappingFallsBackToTheDefault)
{
    FontPtr p;
    ruvv_font_set_family(p.f, "times");
    ruvv_font_set_style(p.f, RUV_FONT_BOLD | RUV_FONT_ITALIC);
    ruvv_font_set_native_desc(p.f, "NT_01/not/enough/fields");
    ASSERT_TRUE(ruvv_font_map(p.f, &screen_));
    EXPECT_TRUE(ruvv_font_is_derived(p.f));
    EXPECT_STREQ(ruvv_font_get_native_desc(p.f, FALSE), "NT_01/-16/0/0/0/700/1/0/0/1/0/0/2/32/Times New Roman");
    EXPECT_EQ(text(p.f), "01\\times\\3\\12\\") << "a derived descriptor is not written";
    ruvv_font_unmap(p.f);
    EXPECT_EQ(ruvv_font_get_native_desc(p.f, FALSE), nullptr);
    // Without a valid window nothing maps.
    FontPtr q;
    EXPECT_FALSE(ruvv_font_map(q.f, nullptr));
    EXPECT_TRUE(reported(0x01570003));
}

TEST_F(Fonts, FontMapTableOfTheResourcesServesMatchingFonts)
{
    // Two resource fonts: Arial for helvetica at any style and size, and a
    // non-parsing one that is skipped.
    std::string desc = "NT_01/*/*/*/*/*/*/*/*/*/*/*/*/*/Arial";
    std::string s;
    auto be16 = [&](int v) { s += (char)((v >> 8) & 0xFF); s += (char)(v & 0xFF); };
    auto be32 = [&](uint32_t v) { be16((int)(v >> 16)); be16((int)(v & 0xFFFF)); };
    auto str = [&](const std::string &t) { be16((int)t.size()); s += t; };
    // A third names a family that the kernel reports scalable.
    std::string f1, f2, f3;
    {
        s.clear(); be16(0); be32(RUV_FONT_ANY_STYLE); str("helvetica"); str(desc); f1 = s;
        s.clear(); be16(10); be32(0); str("times"); str("XX_99/1"); f2 = s;
        s.clear(); be16(10); be32(0); str("Arial"); str(desc); f3 = s;
    }
    s.clear();
    be32(0xDEADC0DE); be16(4); be16(3); be32(12);
    be16(1); be16(6); be32((uint32_t)f1.size()); be32(48);
    be16(2); be16(6); be32((uint32_t)f2.size()); be32(48 + (uint32_t)f1.size());
    be16(3); be16(6); be32((uint32_t)f3.size()); be32(48 + (uint32_t)(f1.size() + f2.size()));
    s += f1 + f2 + f3;
    standin::set_stream(s, 10001, 4096);
    ASSERT_TRUE(ruvv_furl_open());

    FontPtr p;
    ruvv_font_set_family(p.f, "Helvetica");
    ruvv_font_set_style(p.f, RUV_FONT_BOLD);
    ASSERT_TRUE(ruvv_font_map(p.f, &screen_));
    EXPECT_STREQ(ruvv_font_get_native_desc(p.f, FALSE), desc.c_str());
    EXPECT_TRUE(ruvv_font_is_derived(p.f));

    char *names[16] = {};
    int32_t n = ruvv_fmap_get_families(nullptr, names, 16);
    std::string all;
    for (int32_t i = 0; i < n; ++i) {
        all += std::string(names[i]) + ",";
        ruvv_mem_free(names[i]);
    }
    EXPECT_EQ(all, "Arial,System,fixed,helvetica,times,");
    int32_t sizes[4];
    RUV_BOOL scalable = FALSE;
    EXPECT_EQ(ruvv_fmap_get_family_sizes(nullptr, "helvetica", sizes, &scalable, 4), 2);
    EXPECT_TRUE(scalable);
    EXPECT_EQ(sizes[1], 128);
    scalable = FALSE;
    EXPECT_EQ(ruvv_fmap_get_family_sizes(nullptr, "times", sizes, &scalable, 4), 1);
    EXPECT_EQ(sizes[0], 10);
    EXPECT_FALSE(scalable);
    EXPECT_EQ(ruvv_fmap_get_family_sizes(nullptr, "Arial", sizes, &scalable, 4), 2);
    EXPECT_EQ(sizes[1], 9999);
    // Without a scalable flag to fill, the kernel's scalable list still
    // stands (the table's Arial entry of 10 points is not added to it).
    EXPECT_EQ(ruvv_fmap_get_family_sizes(nullptr, "Arial", sizes, nullptr, 4), 2);
    EXPECT_EQ(sizes[1], 9999);
    uint32_t styles[8];
    EXPECT_EQ(ruvv_fmap_get_family_styles(nullptr, "times", styles, 8), 1);
    EXPECT_EQ(ruvv_fmap_get_family_styles(nullptr, "Arial", styles, 8), 4);
}

TEST_F(Fonts, CopyByParts)
{
    FontPtr a, b;
    ruvv_font_set_family(a.f, "times");
    ruvv_font_set_size(a.f, 9);
    ruvv_font_set_native_desc(a.f, DESC);
    ASSERT_TRUE(ruvv_font_map(a.f, &screen_));
    EXPECT_EQ(ruvv_font_copy(b.f, a.f, 1 | 2), 0);
    EXPECT_EQ(text(b.f), "01\\times\\0\\9\\");
    EXPECT_FALSE(ruvv_font_is_mapped(b.f));
    EXPECT_EQ(ruvv_font_copy(b.f, a.f, 8), 8);
    EXPECT_FALSE(ruvv_font_is_mapped(b.f)) << "a partial copy unmaps";
    EXPECT_EQ(ruvv_font_copy(b.f, a.f, 0x1F), 0) << "b has no window of the source's kind";
    EXPECT_FALSE(ruvv_font_is_mapped(b.f));
    ruvv_font_set_win(b.f, &screen_);
    EXPECT_EQ(ruvv_font_copy(b.f, a.f, 0x1F), 1);
    EXPECT_TRUE(ruvv_font_is_mapped(b.f));
    FontPtr c;
    EXPECT_EQ(ruvv_font_copy(c.f, a.f, -1), 8);
    EXPECT_TRUE(ruvv_font_is_equal(a.f, c.f));
    EXPECT_TRUE(ruvv_font_is_mapped(c.f));
    EXPECT_EQ(ruvv_font_copy(c.f, c.f, -1), 0);
}

class FontCache : public Fonts {
protected:
    void SetUp() override
    {
        Fonts::SetUp();
        ruvk_vobj_set_attr(NULL_WIN, 802, 4);
        ASSERT_TRUE(ruvv_font_cache_init());
    }
    void TearDown() override
    {
        ruvv_font_cache_term();
        Fonts::TearDown();
    }
    void push(const char *desc, bool print = false)
    {
        FontPtr p;
        ruvv_font_set_native_desc(p.f, desc);
        p.f->print = print;
        ASSERT_TRUE(ruvv_font_cache_push(p.f));
    }
};

TEST_F(FontCache, FullCacheWithEveryCountInUseReusesTheLastSlot)
{
    const char *d[] = {"NT_01/1/*/*/*/*/*/*/*/*/*/*/*/*/a", "NT_01/2/*/*/*/*/*/*/*/*/*/*/*/*/a",
                       "NT_01/3/*/*/*/*/*/*/*/*/*/*/*/*/a", "NT_01/4/*/*/*/*/*/*/*/*/*/*/*/*/a"};
    for (const char *x : d)
        push(x);
    EXPECT_EQ(ruvv_font_cache_used(), 4);
    EXPECT_TRUE(coretest::reports().empty());
    push("NT_01/5/*/*/*/*/*/*/*/*/*/*/*/*/a");
    EXPECT_TRUE(reported(0x01570003));
    EXPECT_EQ(ruvv_font_cache_current(), ruvv_font_cache_slot(3));
    EXPECT_EQ(ruvv_font_cache_use_count(3), 2);
    EXPECT_STREQ(ruvv_font_get_native_desc(ruvv_font_cache_slot(3), FALSE), "NT_01/5/*/*/*/*/*/*/*/*/*/*/*/*/a");
}

TEST_F(FontCache, ReleasedSlotIsTakenNextAndFoundByDescriptor)
{
    const char *d[] = {"NT_01/1/*/*/*/*/*/*/*/*/*/*/*/*/a", "NT_01/2/*/*/*/*/*/*/*/*/*/*/*/*/a",
                       "NT_01/3/*/*/*/*/*/*/*/*/*/*/*/*/a", "NT_01/4/*/*/*/*/*/*/*/*/*/*/*/*/a"};
    for (const char *x : d)
        push(x);
    ruvv_font_cache_release(ruvv_font_cache_slot(1));
    EXPECT_EQ(ruvv_font_cache_use_count(1), 0);
    push("NT_01/9/*/*/*/*/*/*/*/*/*/*/*/*/a");
    EXPECT_EQ(ruvv_font_cache_current(), ruvv_font_cache_slot(1));
    EXPECT_TRUE(coretest::reports().empty());

    FontPtr q;
    ruvv_font_set_native_desc(q.f, d[2]);
    EXPECT_TRUE(ruvv_font_cache_has(q.f));
    EXPECT_EQ(ruvv_font_cache_current(), ruvv_font_cache_slot(2));
    EXPECT_EQ(ruvv_font_cache_use_count(2), 2);
    ruvv_font_set_native_desc(q.f, "NT_01/8/*/*/*/*/*/*/*/*/*/*/*/*/a");
    EXPECT_FALSE(ruvv_font_cache_has(q.f));

    FontPtr stranger;
    ruvv_font_cache_release(stranger.f);
    EXPECT_TRUE(reported(0x01220003));
}

TEST_F(FontCache, MappingReusesADerivedSlotDescriptor)
{
    FontPtr a;
    ruvv_font_set_family(a.f, "helvetica");
    ASSERT_TRUE(ruvv_font_map(a.f, &screen_));
    ASSERT_TRUE(ruvv_font_is_derived(a.f));
    ASSERT_TRUE(ruvv_font_cache_push(a.f));
    FontPtr b;
    ruvv_font_set_family(b.f, "helvetica");
    standin::reset_font_counters();
    ASSERT_TRUE(ruvv_font_map(b.f, &screen_));
    EXPECT_TRUE(ruvv_font_same_desc(a.f, b.f));
    EXPECT_TRUE(ruvv_font_is_derived(b.f));
    EXPECT_EQ(standin::font_desc_checks(), 0) << "the slot's parsed flag is adopted";
}

TEST_F(FontCache, PurgeAndFlush)
{
    push("NT_01/1/*/*/*/*/*/*/*/*/*/*/*/*/a", true);
    push("NT_01/2/*/*/*/*/*/*/*/*/*/*/*/*/a");
    push("NT_01/3/*/*/*/*/*/*/*/*/*/*/*/*/a", true);
    RUV_FONT *screen_slot = ruvv_font_cache_slot(1);
    ruvv_font_cache_purge();
    EXPECT_EQ(ruvv_font_cache_used(), 1);
    EXPECT_EQ(ruvv_font_cache_slot(0), screen_slot);
    EXPECT_EQ(ruvv_font_get_native_desc(ruvv_font_cache_slot(1), FALSE), nullptr);
    ruvv_font_cache_flush();
    EXPECT_EQ(ruvv_font_cache_used(), 0);
    EXPECT_EQ(ruvv_font_get_native_desc(screen_slot, FALSE), nullptr);
    EXPECT_EQ(ruvv_font_cache_current(), nullptr);
}

} // namespace
