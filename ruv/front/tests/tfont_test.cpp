// Font text getters: a buffer of no size is never written (the getters used
// to clear its first byte before they looked at the size); a buffer too
// small for the text keeps an empty string.
#include "front_fixture.h"
#include "ruv.h"

#include <cstring>

using namespace ruvf_test;

namespace {

using Getter = RUV_BOOL (*)(RUV_FONT *, char *, int32_t);

RUV_BOOL family(RUV_FONT *f, char *b, int32_t n) { return ruv_font_get_family(f, b, n); }
RUV_BOOL family_mapped(RUV_FONT *f, char *b, int32_t n) { return ruv_font_get_family_mapped(f, b, n); }
RUV_BOOL native_desc(RUV_FONT *f, char *b, int32_t n) { return ruv_font_get_native_desc(f, b, n); }

struct Case {
    const char *name;
    Getter get;
};

class FontText : public ::testing::TestWithParam<Case> {};

TEST_P(FontText, SizeZeroOrLessWritesNothing)
{
    const Getter get = GetParam().get;
    in_app([get] {
        Ctx c;
        RUV_FONT *font = ruv_font_create();
        ruv_font_set_native_desc(font, "NT_01/-16/0/0/0/400/0/0/0/0/0/0/0/0/Arial");
        ruv_font_map(font, c.get(Obj::Doc));
        Recorder rec;
        for (int32_t size : { 0, -1, -100 }) {
            char buffer[4] = { 'k', 'e', 'e', 'p' };
            rec.clear();
            EXPECT_EQ(get(font, buffer, size), FALSE) << size;
            EXPECT_EQ(std::memcmp(buffer, "keep", 4), 0) << size;
            ASSERT_EQ(rec.reports().size(), 1u) << size;
            EXPECT_EQ(rec.reports()[0].id, 0x01260003u);
        }
        // Too small for the text: an empty string is left.
        char one[1] = { 'x' };
        EXPECT_EQ(get(font, one, 1), FALSE);
        EXPECT_EQ(one[0], '\0');
        ruv_font_destroy(font);
    });
}

INSTANTIATE_TEST_SUITE_P(Getters, FontText,
                         ::testing::Values(Case{ "family", family }, Case{ "family_mapped", family_mapped },
                                           Case{ "native_desc", native_desc }),
                         [](const ::testing::TestParamInfo<Case> &i) { return std::string(i.param.name); });

TEST(FontText, SystemFitsSevenBytesNotSix)
{
    in_app([] {
        Recorder rec;
        RUV_FONT *font = ruv_font_create();
        char six[6] = "abcde", seven[7] = "abcdef";
        EXPECT_EQ(ruv_font_get_family(font, six, 6), FALSE);
        EXPECT_STREQ(six, "");
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01260003u);
        EXPECT_EQ(rec.reports()[0].innermost(), "ruv_font_get_family");
        EXPECT_EQ(rec.reports()[0].file, "tfont");
        rec.clear();
        EXPECT_EQ(ruv_font_get_family(font, seven, 7), TRUE);
        EXPECT_STREQ(seven, "system");
        // No descriptor: an empty text, and success.
        char desc[8] = "x";
        EXPECT_EQ(ruv_font_get_native_desc(font, desc, sizeof desc), TRUE);
        EXPECT_STREQ(desc, "");
        EXPECT_TRUE(rec.reports().empty());
        ruv_font_destroy(font);
    });
}

TEST(FontMapped, NeedsAMappedFont)
{
    in_app([] {
        Ctx c;
        RUV_WIN list = c.get(Obj::List), doc = c.get(Obj::Doc);
        Recorder rec;
        RUV_FONT *font = ruv_font_create();
        EXPECT_EQ(ruv_font_get_size_mapped(font), 0);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x00640000u);
        rec.clear();
        ruv_font_map(font, list);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01230001u);
        EXPECT_FALSE(ruv_font_is_mapped(font));
        rec.clear();
        ruv_font_map(font, doc);
        EXPECT_GT(ruv_font_get_size_mapped(font), 0);
        char face[64] = "";
        EXPECT_TRUE(ruv_font_get_family_mapped(font, face, sizeof face));
        EXPECT_NE(face[0], '\0');
        ruv_font_unmap(font);
        EXPECT_EQ(ruv_font_get_win(font), NULL_WIN);
        EXPECT_TRUE(rec.reports().empty());
        ruv_font_destroy(nullptr);
        EXPECT_TRUE(rec.reports().empty());
        ruv_font_destroy(font);
    });
}

} // namespace
