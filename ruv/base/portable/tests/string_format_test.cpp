// Formatted printing with positional arguments: the runtime path, the
// positional path, its errors, arguments fetched by their own types, and
// the form bounded by its buffer.
#include <cfloat>
#include <cstdarg>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "ruvv_str.h"
#include "strings_test_support.h"

using coretest::reported;
using strtest::StringTest;

namespace {

constexpr RUV_ERRMSG_ID kIllegalFormat = 0x159000a;

class Format : public StringTest {
protected:
    char buf[256];
    void SetUp() override
    {
        StringTest::SetUp();
        memset(buf, '#', sizeof buf);
    }
};

TEST_F(Format, PositionsReorderArguments)
{
    EXPECT_EQ(ruvv_str_sprintf(buf, "%2$s is %1$d", 7, "x"), 6);
    EXPECT_STREQ(buf, "x is 7");
    EXPECT_EQ(ruvv_str_sprintf(buf, "<%1$5.1f|%3$-3s|%2$+d>", 2.5, 9, "ab"), 14);
    EXPECT_STREQ(buf, "<  2.5|ab |+9>");
    EXPECT_FALSE(reported(kIllegalFormat));
}

TEST_F(Format, WithoutAPositionTheRuntimeFormats)
{
    EXPECT_EQ(ruvv_str_sprintf(buf, "%d %s %%", 5, "y"), 5);
    EXPECT_STREQ(buf, "5 y %");
    EXPECT_EQ(ruvv_str_sprintf(buf, "plain"), 5);
    EXPECT_STREQ(buf, "plain");
}

TEST_F(Format, PercentPairsAreNoDirectives)
{
    // "%%" comes first, but the first directive carries a position.
    EXPECT_EQ(ruvv_str_sprintf(buf, "%% %1$d", 7), 3);
    EXPECT_STREQ(buf, "% 7");
    EXPECT_EQ(ruvv_str_sprintf(buf, "%1$s%%", "x"), 2);
    EXPECT_STREQ(buf, "x%");
}

TEST_F(Format, BadPositionalFormats)
{
    const char *bad[] = {"%1$d %3$d", "%1$d %1$d", "%1$d %d", "%2$d"};
    for (const char *f : bad) {
        coretest::reports().clear();
        EXPECT_EQ(ruvv_str_sprintf(buf, f, 1, 2, 3), 0) << f;
        EXPECT_STREQ(buf, "") << f;
        EXPECT_TRUE(reported(kIllegalFormat)) << f;
    }
    coretest::reports().clear();
    EXPECT_EQ(ruvv_str_sprintf(buf, "%1$d%2$d%3$d%4$d%5$d%6$d%7$d%8$d%9$d%1$d", 1, 2, 3, 4, 5, 6, 7, 8, 9), 0);
    EXPECT_TRUE(reported(kIllegalFormat)); // a tenth directive
}

TEST_F(Format, NineDirectives)
{
    EXPECT_EQ(ruvv_str_sprintf(buf, "%9$d%8$d%7$d%6$d%5$d%4$d%3$d%2$d%1$d", 1, 2, 3, 4, 5, 6, 7, 8, 9), 9);
    EXPECT_STREQ(buf, "987654321");
}

TEST_F(Format, ArgumentsAreFetchedByTheirTypes)
{
    // Pointers are 8 bytes on this target, long is the runtime's long: each
    // argument is taken from the list by the type its conversion names.
    void *p = reinterpret_cast<void *>((uintptr_t)0x7ffd12345678ull);
    char expect[64];
    snprintf(expect, sizeof expect, "%p=%s", p, "tail");
    ruvv_str_sprintf(buf, "%2$p=%1$s", "tail", p);
    EXPECT_STREQ(buf, expect);

    snprintf(expect, sizeof expect, "%ld %lu %d", LONG_MAX, (unsigned long)LONG_MAX, 3);
    ruvv_str_sprintf(buf, "%1$ld %3$lu %2$d", LONG_MAX, 3, (unsigned long)LONG_MAX);
    EXPECT_STREQ(buf, expect);

    ruvv_str_sprintf(buf, "%3$s|%2$.3Lf|%1$hd", 70000, (long double)1.5L, "s");
    EXPECT_STREQ(buf, "s|1.500|4464");
    ruvv_str_sprintf(buf, "%2$lf %1$c", 'z', 0.5);
    EXPECT_STREQ(buf, "0.500000 z");
}

TEST_F(Format, StrayConversionsInAMessageAreCopied)
{
    // A translated message text may carry anything: only directives take
    // arguments; "%n", "%*d" and "%10$d" stay text.
    EXPECT_EQ(ruvv_str_sprintf(buf, "%1$d%n %*d %10$d", 7), 13);
    EXPECT_STREQ(buf, "7%n %*d %10$d");
    EXPECT_EQ(ruvv_str_sprintf(buf, "%1$d trailing %", 7), 12);
    EXPECT_STREQ(buf, "7 trailing %");
}

int32_t bounded(char *buffer, size_t size, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t n = ruvv_str_vsnprintf(buffer, size, format, args);
    va_end(args);
    return n;
}

// The bounded form writes at most its size, terminator included, on both
// paths however long the arguments, and fails as the unbounded one does.
TEST_F(Format, TheBoundedFormStaysInsideItsBuffer)
{
    const std::string arg(300, 'a');
    EXPECT_EQ(bounded(buf, 8, "%2$s=%1$d", 7, arg.c_str()), 7);
    EXPECT_STREQ(buf, "aaaaaaa");
    EXPECT_EQ(buf[8], '#');
    EXPECT_EQ(bounded(buf, 8, "%s=%d", arg.c_str(), 7), 7);
    EXPECT_STREQ(buf, "aaaaaaa");
    EXPECT_EQ(buf[8], '#');
    EXPECT_EQ(bounded(buf, 8, "%2$s is %1$d", 7, "x"), 6);
    EXPECT_STREQ(buf, "x is 7");
    EXPECT_FALSE(reported(kIllegalFormat));
    EXPECT_EQ(bounded(buf, 8, "%1$d %1$d", 1, 2), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_TRUE(reported(kIllegalFormat));
}

} // namespace
