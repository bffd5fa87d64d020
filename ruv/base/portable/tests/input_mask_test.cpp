// Input-mask patterns: compiling, formatting typed text and matching whole
// texts.
#include <string>

#include "ruvv_pattern.h"
#include "strings_test_support.h"

using coretest::reported;
using strtest::StringTest;

namespace {

class InputMask : public StringTest {
protected:
    // Formats input with the pattern into a buffer of `room` bytes.
    std::string format(const char *pattern, const char *input, bool complete = false, int32_t room = 64,
                       int32_t *written = nullptr, int32_t *most = nullptr)
    {
        RUV_PATTERN *p = ruvv_pattern_create(pattern);
        EXPECT_NE(p, nullptr) << pattern;
        if (!p)
            return "<none>";
        std::string out((size_t)room + 8, '#');
        int32_t w = -1, m = -1;
        ruvv_pattern_format_string(p, input, &out[0], room, complete, &w, &m);
        if (written)
            *written = w;
        if (most)
            *most = m;
        ruvv_pattern_destroy(p);
        EXPECT_EQ(out[(size_t)room], '#') << "wrote past the room";
        return out.substr(0, out.find('\0'));
    }
    bool matches(const char *pattern, const char *text)
    {
        RUV_PATTERN *p = ruvv_pattern_create(pattern);
        EXPECT_NE(p, nullptr) << pattern;
        const char *end = nullptr;
        bool ok = p && ruvv_pattern_match(p, text, &end);
        EXPECT_TRUE(end >= text && end <= text + strlen(text));
        ruvv_pattern_destroy(p);
        return ok;
    }
};

struct FormatCase {
    const char *pattern, *input;
    bool complete;
    const char *expected;
};

TEST_F(InputMask, Formatting)
{
    const FormatCase cases[] = {
        {"###-####", "1234567", false, "123-4567"}, // the hyphen is inserted
        {"###-####", "123-4567", false, "123-4567"},
        {"###-####", "123", false, "123"},
        {"AA", "ab", false, "AB"},
        {"aa", "AB", false, "ab"},
        {"XX", "aB", false, "aB"},
        {"{yes,no}", "y", true, "yes"},
        {"{yes,no}", "y", false, "y"},
        {"{yes,no}", "N", true, "no"},
        {"{Monday,March}", "mar", true, "March"},
        {"ab", "AB", false, "ab"}, // literals are written as the pattern has them
        {"\\##", "#5", false, "#5"},
        {"(+-)#", "-5", false, "-5"},
        {"#[.##]", "3.14", false, "3.14"},
        {"#[.##]", "3", false, "3"},
        {"<#,>*", "1,2,3,", false, "1,2,3,"},
        {"#+", "2024", false, "2024"},
        {"?", "\x93\xfa", false, "\x93"}, // the single-byte mode: one byte
    };
    for (const FormatCase &c : cases)
        EXPECT_EQ(format(c.pattern, c.input, c.complete), c.expected) << c.pattern << " <- " << c.input;
}

TEST_F(InputMask, CountersAndRoom)
{
    int32_t written = 0, most = 0;
    EXPECT_EQ(format("###-####", "1234567", false, 64, &written, &most), "123-4567");
    EXPECT_EQ(written, 8);
    EXPECT_EQ(most, 8);
    EXPECT_EQ(format("###-####", "1234567", false, 4, &written), "123"); // 3 bytes and the terminator
    EXPECT_EQ(written, 3);
    EXPECT_EQ(format("{yes,no}", "y", true, 3), "ye");
    EXPECT_EQ(format("#", "5", false, 1), "");
}

TEST_F(InputMask, FailedOptionalPartsAreTakenBack)
{
    int32_t written = 0, most = 0;
    // The optional part drops the letter as no digit, fails and is taken
    // back whole: the letter is there again for "X".
    EXPECT_EQ(format("[#-]X", "a", false, 64, &written, &most), "a");
    EXPECT_EQ(written, 1);
    EXPECT_EQ(format("[1-]X", "1a", false, 64, &written, &most), "1-a");
    EXPECT_EQ(written, 3);
}

TEST_F(InputMask, Matching)
{
    struct {
        const char *pattern, *text;
        bool ok;
    } cases[] = {
        {"###-####", "123-4567", true},
        {"###-####", "1234567", false}, // formatted differently
        {"###-####", "123", false},     // required positions left
        {"#", "a", false},              // the letter is dropped
        {"#", "5", true},
        {"#", "55", false},
        {"#[-#]", "1", true},
        {"#[-#]", "1-2", true},
        {"#*", "", true},
        {"#*", "123", true},
        {"#*", "12a", false},
        {"#+", "", false},
        {"(+-)#", "+5", true},
        {"(+-)#", "x5", false},
        {"{yes,no}", "no", true},
        {"{yes,no}", "n", false},
        {"AA", "AB", true},
        {"AA", "ab", false},
        {"\\#", "#", true},
        {"\\#", "5", false},
    };
    for (auto &c : cases)
        EXPECT_EQ(matches(c.pattern, c.text), c.ok) << c.pattern << " ~ " << c.text;
}

TEST_F(InputMask, SyntaxErrorsGiveNoPatternAndNoMessage)
{
    const char *bad[] = {"*", "+", "{}", "{,}", "]", "#)", "[", "(#", "{a,b", "[]", "<>", "()", "[<>]", "", "[#)"};
    for (const char *b : bad) {
        coretest::reports().clear();
        EXPECT_EQ(ruvv_pattern_create(b), nullptr) << b;
        EXPECT_TRUE(coretest::reports().empty()) << b;
    }
    EXPECT_EQ(ruvv_pattern_create(nullptr), nullptr);
    EXPECT_TRUE(reported(0x00730000));
}

TEST_F(InputMask, OneOfTakesRepeatAndOpenersLiterally)
{
    EXPECT_EQ(format("(*[<{)", "[", false), "[");
    EXPECT_TRUE(matches("(*+)", "+"));
}

TEST_F(InputMask, RepetitionsThatTakeNoInputEnd)
{
    // Each of these would repeat for ever if a round that takes no input
    // went on.
    EXPECT_EQ(format("[x]*#", "y5", false), "");
    EXPECT_EQ(format("[x]*#", "xx5", false), "xx5");
    EXPECT_EQ(format("#**", "12", false), "12");
    EXPECT_EQ(format("<[a]>+b", "ab", false), "ab");
}

TEST_F(InputMask, DeepNestingIsRefused)
{
    std::string deep = std::string(1000, '[') + "#" + std::string(1000, ']');
    EXPECT_EQ(ruvv_pattern_create(deep.c_str()), nullptr);
    EXPECT_TRUE(reported(0x00730000));
    std::string ok = std::string(20, '<') + "#" + std::string(20, '>');
    EXPECT_TRUE(matches(ok.c_str(), "7"));

    // Repeats of repeats nest as deep as brackets do: a long run of "*"
    // is refused like deep brackets, never walked into a stack overflow.
    coretest::reports().clear();
    std::string stars = "#" + std::string(300000, '*');
    EXPECT_EQ(ruvv_pattern_create(stars.c_str()), nullptr);
    EXPECT_TRUE(reported(0x00730000));
    EXPECT_EQ(format("#**+*", "12"), "12");
}

class InputMaskMultiByte : public strtest::MultiByteTest {};

TEST_F(InputMaskMultiByte, CharactersAreWholeDoubleByteCharacters)
{
    RUV_PATTERN *p = ruvv_pattern_create("?\x93\xfa{\x96\x7b,x}");
    ASSERT_NE(p, nullptr);
    char out[16];
    ruvv_pattern_format_string(p, "\x8c\xea\x93\xfa\x96", out, sizeof out, 1, nullptr, nullptr);
    EXPECT_STREQ(out, "\x8c\xea\x93\xfa\x96\x7b"); // the lone lead byte is one input character
    EXPECT_TRUE(ruvv_pattern_match(p, "a\x93\xfa\x96\x7b", nullptr));
    ruvv_pattern_destroy(p);
}

class InputMaskAlloc : public StringTest {
protected:
    void install_hooks() override { coretest::FailingAlloc::install(0); }
};

TEST_F(InputMaskAlloc, EveryAllocationFailureIsReportedAndFreesThePartialTree)
{
    for (int n = 1;; n++) {
        coretest::reports().clear();
        coretest::FailingAlloc::fail_next(n);
        RUV_PATTERN *p = ruvv_pattern_create("[#-]{ab,cd}(xy)<A>*");
        if (p) {
            ruvv_pattern_destroy(p);
            EXPECT_GT(n, 5);
            break;
        }
        EXPECT_TRUE(reported(0x00510000)) << n;
    }
}

} // namespace
