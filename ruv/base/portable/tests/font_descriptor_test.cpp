// The native font descriptor as text: fields by number, by symbolic name
// and as wildcards; the texts refused (tag, field count, malformed or
// out-of-range numbers, unknown names); the face name's 31-byte slot; and
// the written form reading back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ruvv_font_desc.h"

namespace {

RUV_FONT_NATIVE_DESC parsed(const std::string &text)
{
    RUV_FONT_NATIVE_DESC d;
    std::memset(&d, 0, sizeof d);
    EXPECT_TRUE(ruvv_font_desc_parse(text.c_str(), &d)) << text;
    return d;
}

std::string with_height(const std::string &height)
{
    return "NT_01/" + height + "/0/0/0/400/0/0/0/0/0/0/0/0/Arial";
}

TEST(FontDescriptorText, NumbersNamesAndWildcards)
{
    struct Case {
        const char *text;
        int32_t height, weight;
        int charset, out_precision, clip_precision, quality, pitch_family;
        const char *face;
    } cases[] = {
        {"NT_01/-13/0/0/0/FW_BOLD/0/0/0/ANSI_CHARSET/0/0/0/VARIABLE_PITCH-FF_SWISS/Arial", -13, 700, 0, 0, 0, 0, 34,
         "Arial"},
        {"NT_01/20/0/0/0/400/1/0/0/1/0/0/2/32/Times New Roman", 20, 400, 1, 0, 0, 2, 32, "Times New Roman"},
        // Names of every symbolic field; a part that starts with a digit is
        // a number.
        {"NT_01/-8/0/0/0/FW_SEMIBOLD-1/0/0/0/OEM_CHARSET/OUT_TT_ONLY_PRECIS/CLIP_LH_ANGLES-CLIP_EMBEDDED/"
         "DRAFT_QUALITY/FF_MODERN-1/Courier New",
         -8, 601, 255, 7, 144, 1, 49, "Courier New"},
        // A part matches a name over its own length, first in table order.
        {"NT_01/-8/0/0/0/FW_B/0/0/0/ANSI/OUT_S/CLIP_M/PROOF/FF_SW/x", -8, 700, 0, 1, 15, 2, 32, "x"},
        // The ends of the 32-bit range, and leading zeros.
        {"NT_01/-2147483648/0/0/0/2147483647/0/0/0/0/0/0/0/00000000000000000255/f", INT32_MIN, INT32_MAX, 0, 0, 0, 0,
         255, "f"},
        {"NT_01/0000000000013/0/0/0/0/0/0/0/0/0/0/0/0/", 13, 0, 0, 0, 0, 0, 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        RUV_FONT_NATIVE_DESC d = parsed(c.text);
        EXPECT_EQ(d.height, c.height);
        EXPECT_EQ(d.weight, c.weight);
        EXPECT_EQ(d.charset, c.charset);
        EXPECT_EQ(d.out_precision, c.out_precision);
        EXPECT_EQ(d.clip_precision, c.clip_precision);
        EXPECT_EQ(d.quality, c.quality);
        EXPECT_EQ(d.pitch_family, c.pitch_family);
        EXPECT_STREQ(d.face, c.face);
        for (int16_t w : d.wild)
            EXPECT_EQ(w, 0);
    }

    RUV_FONT_NATIVE_DESC d = parsed("NT_01/*/*/*/*/*/*/*/*/*/*/*/*/*/*");
    for (int16_t w : d.wild)
        EXPECT_EQ(w, 1);
    EXPECT_STREQ(d.face, "");
    d = parsed("NT_01/-13/*/0/0/*/0/0/0/0/0/0/0/0/*");
    EXPECT_EQ(d.height, -13);
    EXPECT_EQ(d.wild[RUV_FD_HEIGHT], 0);
    EXPECT_EQ(d.wild[RUV_FD_WIDTH], 1);
    EXPECT_EQ(d.wild[RUV_FD_WEIGHT], 1);
    EXPECT_EQ(d.wild[RUV_FD_FACE], 1);
}

TEST(FontDescriptorText, RefusedTextsLeaveTheResultAlone)
{
    const std::string refused[] = {
        "",
        "NT_01",
        "NT_02/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "nt_01/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        " NT_01/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/-13/0/0/0/400/0/0/0/0/0/0/0/0/Arial/extra",
        "NT_01/-13/0/0/0/400/0/0/0/0/0/0/0/0",
        "NT_01/-13x/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/+13/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/ 13/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/-/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01//0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/**/0/0/0/400/0/0/0/0/0/0/0/0/Arial",
        "NT_01/1/0/0/0/FW_BOGUS/0/0/0/0/0/0/0/0/Arial",
        "NT_01/1/0/0/0/400/0/0/0/0/0/0/0/FF_SWISS-/Arial",
        "NT_01/1/0/0/0/400/0/0/0/0/0/0/0/--32/Arial",
        "NT_01/1/0/0/0/400/0/0/0/0/0/0/0/FF_SWISS--2/Arial",
        // Byte-wide members refuse what a byte cannot hold.
        "NT_01/1/0/0/0/400/300/0/0/0/0/0/0/0/Arial",
        "NT_01/1/0/0/0/400/0/0/0/256/0/0/0/0/Arial",
        "NT_01/1/0/0/0/400/0/0/0/-1/0/0/0/0/Arial",
        "NT_01/1/0/0/0/400/0/0/0/0/0/0/0/FF_SWISS-256/Arial",
        // Numbers beyond 32 bits, however written.
        with_height("2147483648"),
        with_height("-2147483649"),
        with_height("4294967309"),
        with_height("99999999999"),
        with_height("-99999999999999999999999999"),
        "NT_01/1/0/0/0/FW_BOLD-4294967296/0/0/0/0/0/0/0/0/Arial",
        "NT_01/1/0/0/0/2147483648/0/0/0/0/0/0/0/0/Arial",
    };
    for (const std::string &text : refused) {
        RUV_FONT_NATIVE_DESC d;
        std::memset(&d, 0x5a, sizeof d);
        EXPECT_EQ(ruvv_font_desc_parse(text.c_str(), &d), 0) << text;
        EXPECT_EQ(d.height, 0x5a5a5a5a) << text;
    }
    EXPECT_EQ(ruvv_font_desc_parse(nullptr, nullptr), 0);
    EXPECT_EQ(ruvv_font_desc_parse(with_height("7").c_str(), nullptr), 1);
}

TEST(FontDescriptorText, FaceNameKeepsAtMost31BytesAndItsTerminator)
{
    const std::string base = "NT_01/1/0/0/0/400/0/0/0/0/0/0/0/0/";
    for (size_t length : {30u, 31u, 32u, 40u, 400u}) {
        std::string face(length, 'F');
        RUV_FONT_NATIVE_DESC d;
        std::memset(&d, 0x5a, sizeof d);
        ASSERT_EQ(ruvv_font_desc_parse((base + face).c_str(), &d), 1) << length;
        EXPECT_EQ(std::string(d.face), face.substr(0, 31)) << length;
        EXPECT_EQ(d.face[length < 31 ? length : 31], '\0') << length;
    }
}

TEST(FontDescriptorText, WrittenFormReadsBack)
{
    RUV_FONT_NATIVE_DESC d;
    std::memset(&d, 0, sizeof d);
    d.height = -16;
    d.weight = 700;
    d.italic = 1;
    d.charset = 1;
    d.quality = 2;
    d.pitch_family = 32;
    std::strcpy(d.face, "Times New Roman");
    char text[RUV_FONT_DESC_TEXT_SIZE];
    EXPECT_STREQ(ruvv_font_desc_format(&d, text, sizeof text), "NT_01/-16/0/0/0/700/1/0/0/1/0/0/2/32/Times New Roman");

    RUV_FONT_NATIVE_DESC e;
    std::memset(&e, 0, sizeof e);
    e.height = INT32_MIN;
    e.width = INT32_MAX;
    e.escapement = 900;
    e.orientation = -900;
    e.weight = 100;
    e.underline = e.strikeout = 1;
    e.charset = 255;
    e.out_precision = 7;
    e.clip_precision = 128;
    e.pitch_family = 0x31;
    // A face slot without its terminator is written cut to 31 bytes.
    std::memset(e.face, 'G', sizeof e.face);
    ruvv_font_desc_format(&e, text, sizeof text);
    RUV_FONT_NATIVE_DESC back = parsed(text);
    EXPECT_EQ(std::memcmp(&back, &e, offsetof(RUV_FONT_NATIVE_DESC, face)), 0) << text;
    EXPECT_EQ(std::string(back.face), std::string(31, 'G'));

    // A buffer too small is cut and terminated.
    char small[8];
    EXPECT_STREQ(ruvv_font_desc_format(&d, small, sizeof small), "NT_01/-");
}

} // namespace
