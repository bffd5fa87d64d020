// String functions as the application calls them: stepping over
// double-byte characters in a Japanese process (code page 932), the limit
// of 32767 characters of the plain comparison and of mnemonic positions,
// the places for results that must be given (line length, mnemonic
// position, format: refused with nothing written), and the edge cases of
// NULL strings, code-set maps and bounded equality.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "front_fixture.h"
#include "ruv.h"
#include "ruvv_iostr.h"
#include "ruvv_mem.h"
#include "ruvv_str.h"

using namespace ruvf_test;

namespace {

size_t count_id(Recorder &rec, RUV_ERRMSG_ID id)
{
    size_t n = 0;
    for (const Report &r : rec.reports())
        n += r.id == id;
    return n;
}

// ---- double-byte characters --------------------------------------------------

// Run by ruvf_tstr_cp932, a process started with LC_ALL=ja_JP.UTF-8 (and
// RUVF_CP932 set), which has the Japanese code page.
class DoubleByte : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("RUVF_CP932"))
            GTEST_SKIP() << "run in the Japanese process (ruvf_tstr_cp932)";
        ASSERT_EQ(GetACP(), 932u) << "LC_ALL=ja_JP.UTF-8 should give code page 932";
    }
};

// "a", HIRAGANA A (82 A0), "b", SO (83 5C: its second byte is a backslash),
// "c".
const char kText[] = "a\x82\xa0"
                     "b\x83\x5c"
                     "c";
const std::vector<int> kStarts = { 0, 1, 3, 4, 6 }; // every character's first byte; 7 is the end

TEST_F(DoubleByte, NextAndPreviousStepWholeCharacters)
{
    in_app([] {
        Recorder rec;
        const char *s = kText;
        // Forward from every character to the next one.
        for (size_t i = 0; i + 1 < kStarts.size(); ++i)
            EXPECT_EQ(ruv_str_get_next_char(s + kStarts[i]) - s, kStarts[i + 1]) << "from byte " << kStarts[i];
        EXPECT_EQ(ruv_str_get_next_char(s + 6) - s, 7);
        // Backward from the end and from every character.
        EXPECT_EQ(ruv_str_get_prev_char(s, s + 7) - s, 6);
        for (size_t i = kStarts.size() - 1; i > 0; --i)
            EXPECT_EQ(ruv_str_get_prev_char(s, s + kStarts[i]) - s, kStarts[i - 1]) << "from byte " << kStarts[i];
        // The backslash that ends SO is no character of its own.
        EXPECT_EQ(ruv_str_get_prev_char(s, s + 6) - s, 4);
        // At and before the start: the start.
        EXPECT_EQ(ruv_str_get_prev_char(s, s), s);
        EXPECT_EQ(ruv_str_get_prev_char(s + 3, s + 1), s + 3);
        // Sizes of the characters.
        EXPECT_EQ(ruv_str_get_char_size(s + 1), 2);
        EXPECT_EQ(ruv_str_get_char_size(s + 4), 2);
        EXPECT_EQ(ruv_str_get_char_size(s + 3), 1);
        EXPECT_TRUE(rec.reports().empty());
    });
}

TEST_F(DoubleByte, WalkingTheWholeTextBothWaysMeetsEveryCharacterOnce)
{
    in_app([] {
        const char *s = kText;
        std::vector<int> forward, backward;
        for (const char *p = s; *p; p = ruv_str_get_next_char(p))
            forward.push_back(static_cast<int>(p - s));
        for (const char *p = s + std::strlen(s); p > s; p = ruv_str_get_prev_char(s, p))
            backward.insert(backward.begin(), static_cast<int>(ruv_str_get_prev_char(s, p) - s));
        EXPECT_EQ(forward, kStarts);
        EXPECT_EQ(backward, kStarts);
    });
}

// ---- the 32767 limits --------------------------------------------------------

TEST(Limits, PlainComparisonLooksAt32767Characters)
{
    in_app([] {
        Recorder rec;
        std::string a(40000, 'x'), b = a;
        b[32767] = 'y'; // the 32768th character
        EXPECT_EQ(ruv_str_compare(a.c_str(), b.c_str()), 0);
        b = a;
        b[32766] = 'y'; // the 32767th
        EXPECT_LT(ruv_str_compare(a.c_str(), b.c_str()), 0);
        EXPECT_GT(ruv_str_compare(b.c_str(), a.c_str()), 0);
        // Shorter strings compare as a whole.
        EXPECT_LT(ruv_str_compare("abc", "abcd"), 0);
        EXPECT_EQ(ruv_str_compare("", ""), 0);
        EXPECT_TRUE(rec.reports().empty());
    });
}

TEST(Limits, MnemonicPositionsBeyond32767MeanNone)
{
    in_app([] {
        Recorder rec;
        struct Case {
            size_t marker;
            int32_t expect;
        };
        for (Case k : { Case{ 0, 0 }, Case{ 32767, 32767 }, Case{ 32768, -1 }, Case{ 40000, -1 } }) {
            std::string title(k.marker, 'a');
            title += "~File";
            std::vector<char> buf(title.size() + 1, '#');
            int32_t pos = -7;
            char *r = ruv_str_get_mnemonic(title.c_str(), &pos, buf.data(), static_cast<int32_t>(buf.size()));
            EXPECT_EQ(r, buf.data()) << k.marker;
            EXPECT_EQ(pos, k.expect) << k.marker;
            EXPECT_EQ(std::string(buf.data()), std::string(k.marker, 'a') + "File");
        }
        // No marker at all.
        int32_t pos = 5;
        char buf[16];
        ruv_str_get_mnemonic("Plain", &pos, buf, sizeof buf);
        EXPECT_EQ(pos, -1);
        EXPECT_STREQ(buf, "Plain");
        EXPECT_TRUE(rec.reports().empty());
    });
}

// ---- places for results that must be given ----------------------------------

TEST(RequiredPlaces, LineScanWithoutLengthIsRefusedAndMovesNothing)
{
    in_app([] {
        Recorder rec;
        const char *text = "one\ntwo\n";
        int32_t kind = 77;
        EXPECT_EQ(ruv_str_find_eol(text, 8, nullptr, &kind), nullptr);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x00210000u);
        EXPECT_EQ(rec.reports()[0].innermost(), "ruv_str_find_eol");
        EXPECT_EQ(rec.reports()[0].file, "tstr");
        EXPECT_EQ(kind, 77) << "nothing is written";

        // A scan started properly goes line by line.
        rec.clear();
        int32_t len = -1;
        EXPECT_EQ(ruv_str_find_eol(text, 8, &len, &kind), text);
        EXPECT_EQ(len, 3);
        // A refused continuation leaves the scan where it was.
        EXPECT_EQ(ruv_str_find_eol(nullptr, 0, nullptr, nullptr), nullptr);
        EXPECT_EQ(ruv_str_find_eol(nullptr, 0, &len, &kind), text + 4);
        EXPECT_EQ(len, 3);
        EXPECT_EQ(count_id(rec, 0x00210000), 1u);
    });
}

TEST(RequiredPlaces, MnemonicWithoutPositionWritesNothing)
{
    in_app([] {
        Recorder rec;
        char buf[16];
        std::memset(buf, '#', sizeof buf);
        EXPECT_EQ(ruv_str_get_mnemonic("O~pen", nullptr, buf, sizeof buf), nullptr);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x00210000u);
        EXPECT_EQ(rec.reports()[0].innermost(), "ruv_str_get_mnemonic");
        for (char ch : buf)
            EXPECT_EQ(ch, '#');
        // A NULL buffer: the position is not written either.
        int32_t pos = 9;
        EXPECT_EQ(ruv_str_get_mnemonic("O~pen", &pos, nullptr, 16), nullptr);
        EXPECT_EQ(pos, 9);
    });
}

TEST(RequiredPlaces, PrintingWithoutFormatWritesNothing)
{
    in_app([] {
        Recorder rec;
        char buf[16] = "untouched";
        EXPECT_EQ(ruv_str_sprintf(buf, nullptr), 0);
        EXPECT_EQ(ruv_str_sprintf(buf, nullptr, 1, "x"), 0);
        EXPECT_STREQ(buf, "untouched");
        ASSERT_EQ(rec.reports().size(), 2u);
        EXPECT_EQ(rec.reports()[0].id, 0x00210000u);
        EXPECT_EQ(rec.reports()[0].innermost(), "ruv_str_sprintf");
        // With a format: positional arguments work through the front.
        rec.clear();
        EXPECT_EQ(ruv_str_sprintf(buf, "%2$s=%1$d", 42, "v"), 4);
        EXPECT_STREQ(buf, "v=42");
        EXPECT_TRUE(rec.reports().empty());
    });
}

// ---- edge cases ------------------------------------------------------------

TEST(Edges, NullStrings)
{
    in_app([] {
        Recorder rec;
        char d[8] = "keep";
        EXPECT_EQ(ruv_str_compare(nullptr, "a"), -1);
        EXPECT_EQ(ruv_str_copy(d, nullptr), nullptr);
        EXPECT_STREQ(d, "keep");
        EXPECT_EQ(count_id(rec, 0x00210000), 2u);
        EXPECT_EQ(rec.reports()[0].innermost(), "ruv_str_compare");
        EXPECT_EQ(rec.reports()[1].innermost(), "ruv_str_copy");
        // Silent NULLs.
        rec.clear();
        EXPECT_EQ(ruv_str_get_byte_count(nullptr), 0);
        EXPECT_EQ(ruv_str_get_char_count(nullptr), 0);
        EXPECT_EQ(ruv_str_get_next_char(nullptr), nullptr);
        EXPECT_EQ(ruv_str_get_n_char_size(nullptr, 4), 0);
        EXPECT_EQ(ruv_str_convert_mb_to_wc(nullptr, "a"), 0);
        EXPECT_TRUE(rec.reports().empty());
    });
}

TEST(Edges, BoundedEqualityOfNoBytesIsTrue)
{
    in_app([] {
        EXPECT_TRUE(ruv_str_is_equal_n_size("abc", "xyz", 0));
        EXPECT_TRUE(ruv_str_is_equal_n_size("abc", "abd", 2));
        EXPECT_FALSE(ruv_str_is_equal_n_size("abc", "abd", 3));
        EXPECT_TRUE(ruv_str_is_equal_n_size("abc", "abc", 100)) << "the terminator ends the comparison";
    });
}

// A code-set table in memory: version 1, one-byte codes, the pairs
// native -> wide, then the same pairs wide -> native.
struct Table {
    std::vector<unsigned char> bytes;
    size_t at = 0;
    RUV_IOSTR *stream = nullptr;
    explicit Table(const std::vector<std::pair<unsigned, unsigned>> &pairs)
    {
        bytes = { 1, 1, 0, static_cast<unsigned char>(pairs.size()) };
        for (auto &p : pairs)
            bytes.insert(bytes.end(), { static_cast<unsigned char>(p.first), static_cast<unsigned char>(p.second >> 8),
                                        static_cast<unsigned char>(p.second) });
        for (auto &p : pairs)
            bytes.insert(bytes.end(), { static_cast<unsigned char>(p.second >> 8), static_cast<unsigned char>(p.second),
                                        static_cast<unsigned char>(p.first) });
        stream = ruvv_iostr_create_read(this, read, size);
    }
    ~Table() { ruvv_iostr_destroy(stream); }
    static int32_t read(RUV_IOSTR *s, int32_t count, void *buffer)
    {
        auto *t = static_cast<Table *>(s->source);
        size_t n = std::min(static_cast<size_t>(count), t->bytes.size() - t->at);
        std::memcpy(buffer, t->bytes.data() + t->at, n);
        t->at += n;
        return static_cast<int32_t>(n);
    }
    static int32_t size(RUV_IOSTR *s) { return static_cast<int32_t>(static_cast<Table *>(s->source)->bytes.size()); }
};

TEST(Edges, CodesetMapsNeedOneTableAtLeast)
{
    in_app([] {
        Recorder rec;
        EXPECT_EQ(ruv_str_create_codeset_map(nullptr, nullptr), nullptr);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x00210000u);

        rec.clear();
        Table latin({ { 'A', 0x41 }, { 0x80, 0x20AC } });
        RUV_CODESET_MAP *to_wide = ruv_str_create_codeset_map(latin.stream, nullptr);
        ASSERT_NE(to_wide, nullptr);
        char out[16];
        EXPECT_EQ(ruv_str_translate_codeset(to_wide, "A\x80", out, sizeof out), 2);
        EXPECT_EQ(std::memcmp(out, "\x00"
                                   "A\x20\xac",
                              4),
                  0);
        EXPECT_EQ(ruv_str_translate_codeset(to_wide, nullptr, out, sizeof out), -1);
        ruv_str_destroy_codeset_map(to_wide);

        Table back({ { 'A', 0x41 }, { 0x80, 0x20AC } });
        RUV_CODESET_MAP *from_wide = ruv_str_create_codeset_map(nullptr, back.stream);
        ASSERT_NE(from_wide, nullptr);
        ruv_str_destroy_codeset_map(from_wide);
        EXPECT_EQ(count_id(rec, 0x00210000), 1u) << "the NULL source of a translation";
    });
}

} // namespace
