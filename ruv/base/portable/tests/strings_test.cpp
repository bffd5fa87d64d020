// The string layer in the single-byte mode (multi-byte flag clear):
// comparison, copying, searching, tokens, line splitting, wildcard
// matching, number parsing, mnemonics and resource strings.
#include <cfloat>
#include <cstring>
#include <string>
#include <vector>

#include "ruvv_str.h"
#include "strings_test_support.h"

using coretest::reported;
using strtest::count_reports;
using strtest::StringTest;

namespace {

constexpr RUV_ERRMSG_ID kOverflow = 0x1590008;
constexpr RUV_ERRMSG_ID kBadValue = 0x1250001;

int sign(int v) { return (v > 0) - (v < 0); }

class SingleByte : public StringTest {};

struct CompareCase {
    const char *a, *b;
    int expected; // sign
};

TEST_F(SingleByte, CompareIgnoringCaseComparesThroughTheTerminator)
{
    const CompareCase cases[] = {
        {"abc", "abcd", -1}, // a prefix is the smaller, never equal
        {"abcd", "abc", 1},  {"ABC", "abc", 0}, {"", "", 0},     {"", "a", -1},
        {"a", "B", -1},      {"Zeta", "zetA", 0}, {"ab", "aC", -1},
    };
    for (const CompareCase &c : cases) {
        EXPECT_EQ(sign(ruvv_str_compare_ignoring_case(c.a, c.b)), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(sign(ruvv_str_collate_ignoring_case(c.a, c.b)), c.expected) << c.a << " / " << c.b;
    }
    const char *same = "x";
    EXPECT_EQ(ruvv_str_compare_ignoring_case(same, same), 0);
}

TEST_F(SingleByte, BoundedComparisons)
{
    EXPECT_EQ(ruvv_str_compare_n_size_ignoring_case("ABCx", "abcy", 3), 0);
    EXPECT_LT(ruvv_str_compare_n_size_ignoring_case("ABCx", "abcy", 4), 0);
    EXPECT_EQ(ruvv_str_compare_n_size_ignoring_case("ab", "AB", 10), 0);
    EXPECT_LT(ruvv_str_compare_n_size_ignoring_case("ab", "ABc", 10), 0);
    EXPECT_EQ(ruvv_str_compare_n_char("abcd", "abce", 3), 0);
    EXPECT_LT(ruvv_str_compare_n_char("abcd", "abce", 4), 0);
    EXPECT_TRUE(ruvv_str_is_equal("a", "a"));
    EXPECT_FALSE(ruvv_str_is_equal("a", "A"));
    EXPECT_FALSE(ruvv_str_is_equal("a", nullptr));
    EXPECT_TRUE(ruvv_str_is_equal(nullptr, nullptr));
    EXPECT_EQ(ruvv_str_compare_wchar("b", 'b'), 0);
    EXPECT_EQ(ruvv_str_compare_wchar("b", 'a'), 1);
    EXPECT_EQ(ruvv_str_compare_wchar("b", 'c'), -1);
}

struct ParseCase {
    const char *text;
    int base;
    uint32_t value;
    size_t end;    // offset of the end pointer
    bool overflow; // 0x1590008 reported
};

TEST_F(SingleByte, UnsignedParseChecksOverflowWithTheDigit)
{
    const ParseCase cases[] = {
        {"4294967296", 10, 0xFFFFFFFFu, 10, true}, // once wrapped to 0 without notice
        {"4294967295", 10, 0xFFFFFFFFu, 10, false},
        {"4294967300", 10, 0xFFFFFFFFu, 10, true},
        {"42949672950x", 10, 0xFFFFFFFFu, 11, true},
        {"ffffffff", 16, 0xFFFFFFFFu, 8, false},
        {"100000000", 16, 0xFFFFFFFFu, 9, true},
        {"37777777777", 8, 0xFFFFFFFFu, 11, false},
        {"40000000000", 8, 0xFFFFFFFFu, 11, true},
        {"0xff", 0, 255, 4, false},
        {"0xFF", 0, 0, 2, false}, // upper-case letters are no digits
        {"0x1f", 16, 31, 4, false},
        {"017", 0, 15, 3, false},
        {"17", 0, 17, 2, false},
        {"  +42z", 10, 42, 5, false},
        {"19", 8, 1, 1, false},
        {"", 10, 0, 0, false},
    };
    for (const ParseCase &c : cases) {
        coretest::reports().clear();
        char *end = nullptr;
        EXPECT_EQ(ruvv_str_parse_ulong(c.text, &end, c.base), c.value) << c.text;
        EXPECT_EQ((size_t)(end - c.text), c.end) << c.text;
        EXPECT_EQ(reported(kOverflow), c.overflow) << c.text;
    }
    for (int base : {1, 17, -2}) {
        coretest::reports().clear();
        EXPECT_EQ(ruvv_str_parse_ulong("12", nullptr, base), 0u);
        EXPECT_TRUE(reported(kBadValue));
    }
}

TEST_F(SingleByte, SignedParseKeepsThe32BitRange)
{
    char *end;
    EXPECT_EQ(ruvv_str_parse_long(" -12x", &end, 10), -12);
    EXPECT_EQ(*end, 'x');
    EXPECT_EQ(ruvv_str_parse_long("99999999999", &end, 10), INT32_MAX);
    EXPECT_EQ(ruvv_str_parse_long("-99999999999", &end, 10), INT32_MIN);
    EXPECT_EQ(ruvv_str_parse_long("0x10", &end, 0), 16);
}

TEST_F(SingleByte, DoubleParseWarnsOutOfRange)
{
    char *end;
    EXPECT_DOUBLE_EQ(ruvv_str_parse_double("2.5e3 m", &end), 2500.0);
    EXPECT_EQ(*end, ' ');
    EXPECT_FALSE(reported(0x260000));
    ruvv_str_parse_double("1e999", &end);
    EXPECT_TRUE(reported(0x260000));
}

TEST_F(SingleByte, CopyAndCount)
{
    char buf[16];
    memset(buf, '#', sizeof buf);
    EXPECT_EQ(ruvv_str_copy_n_char(buf, "ab", 5), 5); // strncpy: pads
    EXPECT_EQ(memcmp(buf, "ab\0\0\0#", 6), 0);
    EXPECT_EQ(ruvv_str_copy_n_char(buf, "ab", 0), 0);
    EXPECT_EQ(ruvv_str_copy_n_size(buf, "abc", 2), 2);
    EXPECT_EQ(ruvv_str_copy_n_size(nullptr, "abc", 2), 0);
    strcpy(buf, "ab");
    EXPECT_STREQ(ruvv_str_concat_n_char(buf, "cdef", 2), "abcd");
    EXPECT_EQ(ruvv_str_get_char_count("abc"), 3);
    EXPECT_EQ(ruvv_str_get_char_count(nullptr), 0);
    int32_t used = -1;
    EXPECT_EQ(ruvv_str_get_n_char_count("abcdef", 4, &used), 4);
    EXPECT_EQ(used, 4);
    EXPECT_EQ(ruvv_str_get_n_char_count("ab", 4, &used), 2);
    EXPECT_EQ(ruvv_str_get_n_char_size("abcdef", 4), 4);
    EXPECT_EQ(ruvv_str_get_n_char_size("ab", 4), 2);
    EXPECT_EQ(ruvv_str_get_n_char_size("ab", -1), 0);
    char *dup = ruvv_str_duplicate("copy");
    EXPECT_STREQ(dup, "copy");
    ruvv_mem_free(dup);
    EXPECT_EQ(ruvv_str_duplicate(nullptr), nullptr);
}

TEST_F(SingleByte, WideConversionsRoundTrip)
{
    RUV_WCHAR wide[8];
    EXPECT_EQ(ruvv_str_convert_mbs_to_wcs(wide, "ab\xe9", 8), 3);
    EXPECT_EQ(wide[2], 0xE9);
    EXPECT_EQ(wide[3], 0);
    char back[8];
    EXPECT_EQ(ruvv_str_convert_wcs_to_mbs(back, wide, 8), 3);
    EXPECT_STREQ(back, "ab\xe9");
    memset(back, '#', sizeof back);
    EXPECT_EQ(ruvv_str_convert_wcs_to_mbs(back, wide, 2), 2); // no room for the terminator
    EXPECT_EQ(back[2], '#');
    EXPECT_EQ(ruvv_str_convert_wchar_to_upper('q'), 'Q');
    EXPECT_EQ(ruvv_str_convert_wchar_to_lower('Q'), 'q');
    EXPECT_EQ(ruvv_str_convert_wchar_to_lower(0x4E00), 0x4E00);
}

TEST_F(SingleByte, Classes)
{
    struct {
        const char *c;
        bool invariant;
    } cases[] = {{"#", false}, {"@", false}, {"$", false}, {"~", false}, {"\\", false}, {"?", true},
                 {"_", true},  {"a", true},  {"7", true},  {" ", true},  {"\"", true},  {"\t", false}};
    for (auto &c : cases)
        EXPECT_EQ(ruvv_str_is_invariant(c.c) != 0, c.invariant) << c.c;
    EXPECT_TRUE(ruvv_str_is_alpha("x"));
    EXPECT_FALSE(ruvv_str_is_alpha("1"));
    EXPECT_TRUE(ruvv_str_is_alnum("1"));
    EXPECT_TRUE(ruvv_str_is_upper("Q"));
    EXPECT_TRUE(ruvv_str_is_lower("q"));
    EXPECT_TRUE(ruvv_str_is_digit("0"));
    EXPECT_TRUE(ruvv_str_is_xdigit("F"));
    EXPECT_TRUE(ruvv_str_is_space("\n"));
    EXPECT_TRUE(ruvv_str_is_punct(","));
    EXPECT_TRUE(ruvv_str_is_cntrl("\x01"));
    EXPECT_FALSE(ruvv_str_is_print("\x01"));
    EXPECT_TRUE(ruvv_str_is_graph("!"));
    EXPECT_FALSE(ruvv_str_is_digit(""));
    EXPECT_FALSE(ruvv_str_is_digit(nullptr));
}

TEST_F(SingleByte, Find)
{
    const char *s = "a,b;c,b";
    EXPECT_EQ(ruvv_str_find_first_char(s, "b"), s + 2);
    EXPECT_EQ(ruvv_str_find_last_char(s, "b"), s + 6);
    EXPECT_EQ(ruvv_str_find_first_char(s, ""), s + 7);
    EXPECT_EQ(ruvv_str_find_first_wchar(s, ';'), s + 3);
    EXPECT_EQ(ruvv_str_find_last_wchar(s, ','), s + 5);
    EXPECT_EQ(ruvv_str_find_last_wchar(s, 0), s + 7);
    EXPECT_EQ(ruvv_str_find_char_set(s, ";x"), s + 3);
    EXPECT_EQ(ruvv_str_find_not_char_set(s, "a,"), s + 2);
    const char *aaa = "aaa";
    EXPECT_EQ(ruvv_str_find_not_char_set(aaa, "a"), aaa + 3); // the terminator
    EXPECT_EQ(ruvv_str_find_substring(s, "c,"), s + 4);
    EXPECT_EQ(ruvv_str_find_substring(s, "x"), nullptr);
    const char *sp = " \t x";
    EXPECT_EQ(ruvv_str_skip_space(sp), sp + 3);
}

TEST_F(SingleByte, Tokens)
{
    int32_t len = -1;
    const char *s = "  ab, cd";
    EXPECT_EQ(ruvv_str_find_token(s, " ,", &len), s + 2);
    EXPECT_EQ(len, 2);
    EXPECT_EQ(ruvv_str_find_token(s + 4, " ,", &len), s + 6);
    EXPECT_EQ(len, 2);
    // Only delimiters left: no token (an empty one at the terminator would
    // be taken for an item by callers that skip empty items).
    const char *blanks = " ,  ";
    len = -1;
    EXPECT_EQ(ruvv_str_find_token(blanks, " ,", &len), nullptr);
    EXPECT_EQ(len, 0);
    std::vector<std::string> items; // a list with an empty item and a trailing separator
    for (const char *p = "a;;b;", *t; (t = ruvv_str_find_token(p, ";", &len)) != nullptr; p = t + len)
        items.push_back(std::string(t, (size_t)len));
    EXPECT_EQ(items, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ruvv_str_find_token("", " ", &len), nullptr);
    EXPECT_EQ(ruvv_str_find_token(nullptr, " ", &len), nullptr);
    EXPECT_EQ(len, 0);
    EXPECT_TRUE(reported(0x121000b));
}

struct Line {
    std::string text;
    int32_t kind;
};

std::vector<Line> split(const char *text, int32_t n)
{
    std::vector<Line> out;
    int32_t len = 0, kind = -1;
    for (char *l = ruvv_str_find_eol(text, n, &len, &kind); l; l = ruvv_str_find_eol(nullptr, 0, &len, &kind))
        out.push_back({std::string(l, (size_t)len), kind});
    return out;
}

TEST_F(SingleByte, LineSplittingRemembersTheFirstLineEnd)
{
    auto lines = split("a\r\nb\nc", 6);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "a");
    EXPECT_EQ(lines[0].kind, RUV_EOL_KIND_CONVENTION);
    EXPECT_EQ(lines[1].text, "b");
    EXPECT_EQ(lines[1].kind, RUV_EOL_KIND_OTHER);
    EXPECT_EQ(lines[2].text, "c");
    EXPECT_EQ(lines[2].kind, RUV_EOL_KIND_END);

    lines = split("x\ry\n\rz\r\r", 9); // CR convention; an LF CR pair is another end
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].kind, RUV_EOL_KIND_CONVENTION);
    EXPECT_EQ(lines[1].text, "y");
    EXPECT_EQ(lines[1].kind, RUV_EOL_KIND_OTHER);
    EXPECT_EQ(lines[2].text, "z");
    EXPECT_EQ(lines[2].kind, RUV_EOL_KIND_CONVENTION);
    EXPECT_EQ(lines[3].text, ""); // an empty line
    EXPECT_EQ(lines[3].kind, RUV_EOL_KIND_CONVENTION);

    lines = split("one\0two", 7); // a NUL ends the scan
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "one");

    EXPECT_EQ(split("abc", 0).size(), 0u);
    EXPECT_EQ(split("abcdef", 3)[0].text, "abc"); // the given length bounds the scan
}

TEST_F(SingleByte, LineSplittingErrors)
{
    int32_t len, kind;
    EXPECT_EQ(ruvv_str_find_eol("a", -1, &len, &kind), nullptr);
    EXPECT_TRUE(reported(0x1250004));
    EXPECT_EQ(ruvv_str_find_eol(nullptr, 0, &len, &kind), nullptr); // no scan to go on with
    EXPECT_TRUE(reported(kBadValue));
}

struct MatchCase {
    const char *s, *pattern;
    int case_sensitive;
    bool expected;
};

TEST_F(SingleByte, WildcardMatch)
{
    const MatchCase cases[] = {
        {"abc", "A*", 0, true},
        {"abc", "A*", 1, false},
        {"a*", "a\\*", 1, true},
        {"ab", "a\\*", 1, false},
        {"abc", "a?c", 1, true},
        {"ac", "a?c", 1, false},
        {"", "*", 1, true},
        {"", "", 1, true},
        {"x", "", 1, false},
        {"abc", "*c*", 1, true},
        {"abcbd", "*b?", 1, true},
        {"ab", "ab\\", 1, true}, // a trailing backslash ends the pattern
        {"mississippi", "m*iss*ppi", 1, true},
        {"mississippi", "m*iss*ppx", 1, false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*a*a*a*a*c", 1, false},
    };
    for (const MatchCase &c : cases)
        EXPECT_EQ(ruvv_str_match(c.s, c.pattern, c.case_sensitive) != 0, c.expected) << c.s << " ~ " << c.pattern;
    EXPECT_TRUE(ruvv_str_match(nullptr, nullptr, 1));
    EXPECT_FALSE(ruvv_str_match("a", nullptr, 1));
    EXPECT_FALSE(ruvv_str_match(nullptr, "*", 1));
}

TEST_F(SingleByte, Mnemonics)
{
    struct {
        const char *title, *stripped;
        int32_t pos;
    } gets[] = {{"~File", "File", 0}, {"Fi~le", "File", 2}, {"File~", "File~", -1}, {"File", "File", -1},
                {"a~b~c", "ab~c", 1}};
    for (auto &g : gets) {
        char buf[16];
        int32_t pos = 99;
        EXPECT_STREQ(ruvv_str_get_mnemonic(g.title, &pos, buf, sizeof buf), g.stripped) << g.title;
        EXPECT_EQ(pos, g.pos) << g.title;
    }
    char small[5];
    int32_t pos;
    EXPECT_EQ(ruvv_str_get_mnemonic("Fi~le", &pos, small, 4), nullptr); // below the length
    EXPECT_STREQ(ruvv_str_get_mnemonic("Fi~le", &pos, small, 5), "File");
    EXPECT_STREQ(ruvv_str_get_mnemonic("File", &pos, small, 4), "Fil"); // cut at size - 1

    char buf[8];
    EXPECT_STREQ(ruvv_str_set_mnemonic("File", 0, buf, 6), "~File");
    EXPECT_STREQ(ruvv_str_set_mnemonic("File", 3, buf, 6), "Fil~e");
    EXPECT_STREQ(ruvv_str_set_mnemonic("File", 4, buf, 6), "File");
    EXPECT_STREQ(ruvv_str_set_mnemonic("File", -1, buf, 6), "File");
    EXPECT_EQ(ruvv_str_set_mnemonic("File", 0, buf, 5), nullptr);
    strcpy(buf, "Edit");
    EXPECT_STREQ(ruvv_str_set_mnemonic(buf, 1, buf, 8), "E~dit"); // in place
}

TEST_F(SingleByte, ResourceStringsFallBackToTheDefault)
{
    char buf[6];
    EXPECT_STREQ(ruvv_str_getstr(29999, buf, sizeof buf, "Default text"), "Defau");
    const char *shared = ruvv_str_getstr(29999, nullptr, 0, "shared");
    EXPECT_STREQ(shared, "shared");
    EXPECT_EQ(ruvv_str_getstr(29999, nullptr, 0, "again"), shared); // one buffer, overwritten
    EXPECT_STREQ(shared, "again");
}

class StringAllocTest : public StringTest {
protected:
    void install_hooks() override { coretest::FailingAlloc::install(0); }
};

TEST_F(StringAllocTest, DuplicationFailureIsReported)
{
    coretest::FailingAlloc::fail_next(1);
    EXPECT_EQ(ruvv_str_duplicate("x"), nullptr);
    EXPECT_TRUE(reported(0x1510001));
    coretest::FailingAlloc::fail_next(1);
    EXPECT_FALSE(ruvv_str_match("abc", "a*", 1));
}

} // namespace
