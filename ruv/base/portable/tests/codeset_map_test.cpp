// Code-set translation maps: reading code-set tables from streams, the four
// combinations of source and target, translation, and the output bound.
#include <cstring>
#include <utility>
#include <vector>

#include "ruvv_str.h"
#include "strings_test_support.h"

using coretest::reported;
using strtest::MemorySource;
using strtest::StringTest;

namespace {

using Bytes = std::vector<unsigned char>;
using Pairs = std::vector<std::pair<unsigned, unsigned>>; // native code, wide value

void put(Bytes &b, unsigned v, int width)
{
    if (width == 2)
        b.push_back((unsigned char)(v >> 8));
    b.push_back((unsigned char)(v & 0xFF));
}

// A code-set table: header, table A (native -> wide), table B (wide ->
// native; given separately so a test can make the two differ).
Bytes table(int width, const Pairs &a, const Pairs &b, int version = 1)
{
    Bytes out = {(unsigned char)version, (unsigned char)width};
    put(out, (unsigned)a.size(), 2);
    for (auto &p : a) {
        put(out, p.first, width);
        put(out, p.second, 2);
    }
    for (auto &p : b) {
        put(out, p.second, 2);
        put(out, p.first, width);
    }
    return out;
}

Bytes table(int width, const Pairs &a) { return table(width, a, a); }

class CodesetMap : public StringTest {};

const Pairs kLatin = {{0x41, 0x0041}, {0x42, 0x0042}, {0x80, 0x20AC}, {0xE9, 0x00E9}};
const Pairs kOther = {{0x41, 0x0041}, {0x42, 0x0042}, {0xA4, 0x20AC}}; // euro at 0xA4, no e-acute

TEST_F(CodesetMap, SourceToWide)
{
    MemorySource src(table(1, kLatin));
    RUV_CODESET_MAP *map = ruvv_str_create_codeset_map(src.stream, nullptr);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->source_width, 1);
    EXPECT_EQ(map->target_width, 2);
    char out[16];
    EXPECT_EQ(ruvv_str_translate_codeset(map, "AB\x80", out, sizeof out), 3);
    EXPECT_EQ(memcmp(out, "\x00" "A" "\x00" "B" "\x20\xac" "\x00", 7), 0);
    ruvv_str_destroy_codeset_map(map);
}

TEST_F(CodesetMap, SourceToTarget)
{
    MemorySource src(table(1, kLatin)), dst(table(1, kOther));
    RUV_CODESET_MAP *map = ruvv_str_create_codeset_map(src.stream, dst.stream);
    ASSERT_NE(map, nullptr);
    char out[16];
    // e-acute has no target code: dropped; the control characters pass;
    // an unknown code of 32 or more is dropped.
    EXPECT_EQ(ruvv_str_translate_codeset(map, "A\x80\xe9\x01\x0a\x7f" "B", out, sizeof out), 5);
    EXPECT_STREQ(out, "A\xa4\x01\x0a" "B");
    ruvv_str_destroy_codeset_map(map);
}

TEST_F(CodesetMap, EachSourceCodeIsMappedOnce)
{
    // The target codes of A and B are the wide values of B and C: a code
    // already mapped must not be taken for a wide value again (A once
    // became 0x43 and B was lost).
    const Pairs source = {{0x41, 0x0041}, {0x42, 0x0042}, {0x43, 0x0043}};
    const Pairs shifted = {{0x42, 0x0041}, {0x43, 0x0042}, {0x44, 0x0043}};
    MemorySource src(table(1, source)), dst(table(1, shifted));
    RUV_CODESET_MAP *map = ruvv_str_create_codeset_map(src.stream, dst.stream);
    ASSERT_NE(map, nullptr);
    char out[8];
    EXPECT_EQ(ruvv_str_translate_codeset(map, "ABC", out, sizeof out), 3);
    EXPECT_STREQ(out, "BCD");
    ruvv_str_destroy_codeset_map(map);
}

TEST_F(CodesetMap, WideToTarget)
{
    MemorySource dst(table(1, {{0x41, 0x0041}, {0xA4, 0x20AC}}, {{0x41, 0x0041}, {0xA4, 0x20AC}}));
    RUV_CODESET_MAP *map = ruvv_str_create_codeset_map(nullptr, dst.stream);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->source_width, 2);
    char out[8];
    const char in[] = "\x00" "A" "\x20\xac" "\x00" "\x00";
    EXPECT_EQ(ruvv_str_translate_codeset(map, in, out, sizeof out), 2);
    EXPECT_STREQ(out, "A\xa4");
    ruvv_str_destroy_codeset_map(map);
}

TEST_F(CodesetMap, TwoByteSourceCodes)
{
    MemorySource src(table(2, {{0x8140, 0x3000}, {0x93FA, 0x65E5}}));
    RUV_CODESET_MAP *map = ruvv_str_create_codeset_map(src.stream, nullptr);
    ASSERT_NE(map, nullptr);
    char out[8];
    const char in[] = "\x93\xfa\x81\x40\x00"; // ends with a 0,0 pair
    EXPECT_EQ(ruvv_str_translate_codeset(map, in, out, sizeof out), 2);
    EXPECT_EQ(memcmp(out, "\x65\xe5\x30\x00\x00", 5), 0);
    ruvv_str_destroy_codeset_map(map);
}

TEST_F(CodesetMap, TheTerminatorAlwaysFits)
{
    MemorySource src(table(1, kLatin)), dst(table(1, kLatin));
    RUV_CODESET_MAP *map = ruvv_str_create_codeset_map(src.stream, dst.stream);
    ASSERT_NE(map, nullptr);
    char out[8];
    for (int size : {1, 2, 3, 4}) {
        memset(out, '#', sizeof out);
        int32_t n = ruvv_str_translate_codeset(map, "ABAB", out, size);
        EXPECT_EQ(n, size - 1) << size;
        EXPECT_EQ(out[size - 1], 0) << size;
        EXPECT_EQ(out[size], '#') << size; // nothing past the buffer
    }
    MemorySource wide_src(table(1, kLatin));
    RUV_CODESET_MAP *wide = ruvv_str_create_codeset_map(wide_src.stream, nullptr);
    memset(out, '#', sizeof out);
    EXPECT_EQ(ruvv_str_translate_codeset(wide, "ABA", out, 4), 1); // a 2-byte code needs 2 bytes
    EXPECT_EQ(memcmp(out, "\x00" "A" "\x00" "#", 4), 0);
    ruvv_str_destroy_codeset_map(wide);
    ruvv_str_destroy_codeset_map(map);
}

TEST_F(CodesetMap, BadTablesAreRefused)
{
    const Bytes bad[] = {
        table(1, kLatin, kLatin, 2),               // version
        table(3, {{0x41, 0x41}}),                  // width
        Bytes{1, 1, 0},                            // short header
        Bytes{1, 1, 0, 3, 0x41, 0, 0x41},          // short table
    };
    for (const Bytes &b : bad) {
        coretest::reports().clear();
        MemorySource src(b);
        EXPECT_EQ(ruvv_str_create_codeset_map(src.stream, nullptr), nullptr);
        EXPECT_TRUE(reported(0x1510001));
    }
    MemorySource good(table(1, kLatin)), short_target(Bytes{1, 1, 0, 2, 0x41});
    EXPECT_EQ(ruvv_str_create_codeset_map(good.stream, short_target.stream), nullptr);
    EXPECT_EQ(ruvv_str_create_codeset_map(nullptr, nullptr), nullptr);
}

TEST_F(CodesetMap, BadMaps)
{
    RUV_CODESET_MAP fake{};
    char out[4];
    EXPECT_EQ(ruvv_str_translate_codeset(&fake, "A", out, sizeof out), -1);
    EXPECT_EQ(ruvv_str_translate_codeset(nullptr, "A", out, sizeof out), -1);
    ruvv_str_destroy_codeset_map(&fake);
    EXPECT_TRUE(reported(0x1220001));
}

} // namespace
