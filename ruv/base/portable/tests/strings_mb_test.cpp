// The string layer in the multi-byte mode (multi-byte flag set) over the
// double-byte code page 932: no operation splits a double-byte character,
// and a lead byte cut off by the terminator never makes a walk pass the end.
#include <cstring>
#include <memory>
#include <string>

#include "ruvv_str.h"
#include "strings_test_support.h"

using coretest::reported;
using strtest::MultiByteTest;

namespace {

constexpr RUV_ERRMSG_ID kInvalidChar = 0x1220010;

// Code page 932 texts.
#define NICHI "\x93\xfa" /* U+65E5 */
#define HON "\x96\x7b"   /* U+672C, second byte "{" */
#define GO "\x8c\xea"    /* U+8A9E */
#define HYO "\x95\x5c"   /* U+8868, second byte "\\" */
#define TIMES "\x81\x7e" /* U+00D7, second byte "~" */
constexpr RUV_WCHAR kNichi = 0x65E5, kHon = 0x672C, kGo = 0x8A9E;

int sign(int v) { return (v > 0) - (v < 0); }

using MultiByte = MultiByteTest;

TEST_F(MultiByte, CopyWholeCharacters)
{
    char buf[8];
    memset(buf, '#', sizeof buf);
    EXPECT_EQ(ruvv_str_copy_n_char(buf, "ab", 5), 3); // both characters and the terminator
    EXPECT_EQ(memcmp(buf, "ab\0#", 4), 0);
    memset(buf, '#', sizeof buf);
    EXPECT_EQ(ruvv_str_copy_n_char(buf, "ab", 1), 1); // "a" only, unterminated
    EXPECT_EQ(buf[1], '#');
    EXPECT_EQ(ruvv_str_copy_n_char(buf, NICHI HON, 1), 2);
    EXPECT_EQ(memcmp(buf, NICHI "#", 3), 0);

    memset(buf, '#', sizeof buf);
    EXPECT_EQ(ruvv_str_copy_n_size(buf, NICHI HON, 3), 2); // never half a character
    EXPECT_EQ(buf[2], '#');
    EXPECT_EQ(ruvv_str_copy_n_size(buf, NICHI HON, 5), 4);
    EXPECT_STREQ(buf, NICHI HON);

    strcpy(buf, "x");
    EXPECT_STREQ(ruvv_str_concat_n_char(buf, NICHI HON, 1), "x" NICHI);
}

TEST_F(MultiByte, CountCharacters)
{
    EXPECT_EQ(ruvv_str_get_char_count("a" NICHI HON "b"), 4);
    int32_t used = -1;
    EXPECT_EQ(ruvv_str_get_n_char_count("a" NICHI HON "b", 2, &used), 1);
    EXPECT_EQ(used, 1);
    EXPECT_EQ(ruvv_str_get_n_char_count("a" NICHI HON "b", 3, &used), 2);
    EXPECT_EQ(used, 3);
    EXPECT_EQ(ruvv_str_get_n_char_size("a" NICHI HON "b", 2), 3);
    EXPECT_EQ(ruvv_str_get_n_char_size("a" NICHI HON "b", 9), 6);
}

TEST_F(MultiByte, ALeadByteBeforeTheTerminatorIsOneInvalidByte)
{
    // "a" and a lone lead byte: the walks stop at the terminator (the
    // sanitizers see any read past it) and report the byte.
    const char *cut = "a\x93";
    EXPECT_EQ(ruvv_str_get_char_count(cut), 2);
    EXPECT_TRUE(reported(kInvalidChar));
    char buf[8];
    EXPECT_EQ(ruvv_str_copy_n_size(buf, cut, 8), 2);
    EXPECT_STREQ(buf, "a "); // copied as a blank
    RUV_WCHAR wide[4];
    EXPECT_EQ(ruvv_str_convert_mbs_to_wcs(wide, cut, 4), 1); // stops at it
    int32_t len = 0, kind = -1;
    char *line = ruvv_str_find_eol(cut, 2, &len, &kind);
    EXPECT_EQ(line, cut);
    EXPECT_EQ(len, 2);
    EXPECT_EQ(kind, RUV_EOL_KIND_END);
    EXPECT_TRUE(ruvv_str_match(cut, "a?", 1));
}

TEST_F(MultiByte, LineSplittingStaysWithinTheGivenLength)
{
    // A buffer that is not terminated and ends in a lead byte: the scan
    // never reads the byte after the given length (the sanitizers see it).
    std::unique_ptr<char[]> text(new char[4]{'a', '\n', 'b', '\x93'});
    int32_t len = 0, kind = -1;
    EXPECT_EQ(ruvv_str_find_eol(text.get(), 4, &len, &kind), text.get());
    EXPECT_EQ(len, 1);
    char *line = ruvv_str_find_eol(nullptr, 0, &len, &kind);
    EXPECT_EQ(line, text.get() + 2);
    EXPECT_EQ(len, 2);
    EXPECT_EQ(kind, RUV_EOL_KIND_END);
    EXPECT_TRUE(reported(kInvalidChar));
    EXPECT_EQ(ruvv_str_find_eol(nullptr, 0, &len, &kind), nullptr);
}

TEST_F(MultiByte, WideConversions)
{
    RUV_WCHAR wide[8];
    EXPECT_EQ(ruvv_str_convert_mbs_to_wcs(wide, "a" NICHI HON, 8), 3);
    EXPECT_EQ(wide[0], 'a');
    EXPECT_EQ(wide[1], kNichi);
    EXPECT_EQ(wide[2], kHon);
    EXPECT_EQ(wide[3], 0);
    char out[8];
    memset(out, '#', sizeof out);
    EXPECT_EQ(ruvv_str_convert_wcs_to_mbs(out, wide, 4), 3); // the second character would pass 4
    EXPECT_STREQ(out, "a" NICHI);
    const RUV_WCHAR odd[] = {'x', 0xD800, 'y', 0}; // a lone surrogate has no form
    EXPECT_EQ(ruvv_str_convert_wcs_to_mbs(out, odd, 8), 2);
    EXPECT_STREQ(out, "xy");
    EXPECT_TRUE(reported(kInvalidChar));
    EXPECT_EQ(ruvv_str_convert_wchar_to_upper('a'), 'A');
    EXPECT_EQ(ruvv_str_convert_wchar_to_upper(0xFF41), 0xFF41); // only single-byte characters
}

TEST_F(MultiByte, SearchesNeverMatchASecondByte)
{
    const char *s = NICHI HON "{";
    EXPECT_EQ(ruvv_str_find_first_char(s, "{"), s + 4);
    EXPECT_EQ(ruvv_str_find_substring(s, "{"), s + 4);
    EXPECT_EQ(ruvv_str_find_char_set(s, "{}"), s + 4);
    const char *t = HYO "\\";
    EXPECT_EQ(ruvv_str_find_first_char(t, "\\"), t + 2);
    EXPECT_EQ(ruvv_str_find_last_char(HON, "{"), nullptr);
    EXPECT_EQ(ruvv_str_find_first_char(s, HON), s + 2);
    EXPECT_EQ(ruvv_str_find_first_wchar(s, kHon), s + 2);
    const char *v = NICHI HON NICHI;
    EXPECT_EQ(ruvv_str_find_last_wchar(v, kNichi), v + 4);
}

TEST_F(MultiByte, SetsOfCharacters)
{
    const char *s = NICHI NICHI HON;
    EXPECT_EQ(ruvv_str_find_char_set(s, HON "x"), s + 4);
    EXPECT_EQ(ruvv_str_find_not_char_set(s, NICHI), s + 4);
    EXPECT_EQ(ruvv_str_find_not_char_set(NICHI NICHI, NICHI), nullptr);
    int32_t len = -1;
    const char *u = NICHI " " HON GO;
    EXPECT_EQ(ruvv_str_find_token(u, " ", &len), u);
    EXPECT_EQ(len, 2);
    EXPECT_EQ(ruvv_str_find_token(u + 2, " ", &len), u + 3);
    EXPECT_EQ(len, 4);
    EXPECT_EQ(ruvv_str_find_token("   ", " ", &len), nullptr); // only delimiters: none
}

TEST_F(MultiByte, MnemonicMarkerIsNeverASecondByte)
{
    char buf[16];
    int32_t pos = 99;
    EXPECT_STREQ(ruvv_str_get_mnemonic(TIMES "~File", &pos, buf, sizeof buf), TIMES "File");
    EXPECT_EQ(pos, 2);
    EXPECT_STREQ(ruvv_str_get_mnemonic(TIMES "File", &pos, buf, sizeof buf), TIMES "File");
    EXPECT_EQ(pos, -1);
}

TEST_F(MultiByte, Comparisons)
{
    EXPECT_EQ(ruvv_str_compare_n_char(NICHI HON, NICHI GO, 1), 0);
    EXPECT_EQ(sign(ruvv_str_compare_n_char(NICHI HON, NICHI GO, 2)), -1); // by wide values
    EXPECT_EQ(ruvv_str_compare_ignoring_case("ABC" NICHI, "abc" NICHI), 0);
    EXPECT_LT(ruvv_str_compare_ignoring_case("abc", "abcd"), 0);
    EXPECT_EQ(ruvv_str_compare_n_size_ignoring_case("X" NICHI "y", "x" NICHI "Y", 4), 0);
    EXPECT_NE(ruvv_str_compare_n_size_ignoring_case("X" NICHI "y", "x" HON "Y", 4), 0);
    EXPECT_EQ(ruvv_str_compare_wchar(NICHI, kNichi), 0);
    EXPECT_EQ(ruvv_str_compare_wchar(NICHI, kHon), -1); // the wide character is larger
    EXPECT_EQ(ruvv_str_compare_wchar(HON, kNichi), 1);
    EXPECT_GT(ruvv_str_collate("b", "a"), 0);
    EXPECT_LT(ruvv_str_collate_ignoring_case("ABC", "abd"), 0);
}

int collate_hook(const char *, const char *) { return 42; }

TEST_F(MultiByte, CollationHook)
{
    ruvk_vobj_set_attr(NULL_WIN, 712, reinterpret_cast<intptr_t>(collate_hook));
    EXPECT_EQ(ruvv_str_collate("a", "b"), 42);
}

TEST_F(MultiByte, WildcardsTakeWholeCharacters)
{
    EXPECT_TRUE(ruvv_str_match(NICHI HON GO, NICHI "*", 1));
    EXPECT_TRUE(ruvv_str_match(NICHI HON, "?" HON, 1));
    EXPECT_TRUE(ruvv_str_match(NICHI HON, "??", 1));
    EXPECT_FALSE(ruvv_str_match(NICHI HON, "???", 1));
    EXPECT_TRUE(ruvv_str_match("AB" NICHI, "ab*", 0));
}

TEST_F(MultiByte, Classes)
{
    EXPECT_FALSE(ruvv_str_is_alpha(NICHI));
    EXPECT_FALSE(ruvv_str_is_print(NICHI));
    EXPECT_FALSE(ruvv_str_is_invariant(NICHI));
    EXPECT_TRUE(ruvv_str_is_alpha("a"));
}

TEST_F(MultiByte, SignedParse)
{
    char *end;
    EXPECT_EQ(ruvv_str_parse_long("  -42;", &end, 10), -42);
    EXPECT_EQ(*end, ';');
    EXPECT_EQ(ruvv_str_parse_long("2147483647", &end, 10), INT32_MAX);
    EXPECT_FALSE(reported(0x1590008));
    EXPECT_EQ(ruvv_str_parse_long("-2147483648", &end, 10), -INT32_MAX);
    EXPECT_TRUE(reported(0x1590008));
}

} // namespace
