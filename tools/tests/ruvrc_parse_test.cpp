// The description language of the resource compiler: what it accepts, how
// names become ids in the header, how flag names become stream bits, and
// the first error it reports with its line.
#include "ruvrc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool parse(const std::string &text, ruvrc::Description &d, std::string &error)
{
    return ruvrc::parse_text(text, "t.ruv", "", d, error) && ruvrc::finish(d, error);
}

TEST(RuvrcParse, NamesBecomeIdsOnceInTheHeader)
{
    ruvrc::Description d;
    std::string error;
    ASSERT_TRUE(parse("window W = 101 pane font F\n"
                      "  button OK = 1 \"OK\"\n"
                      "  edit NAME_FIELD = 7 \\\n"
                      "       at 1 2 size 3 4   # continued line\n"
                      "end\n"
                      "dialog D = 5 modal_dialog\n"
                      "  button OK = 1\n"      // the same value again is fine
                      "  static OK\n"          // an already named id
                      "end\n"
                      "font F = 3\n",
                      d, error))
        << error;
    const ruvrc::Resource &w = d.resources[0];
    EXPECT_EQ(w.items[0].font_id, 3) << "a name defined later is resolved";
    EXPECT_EQ(w.items[2].id, 7);
    EXPECT_EQ(w.items[2].left, 1);
    EXPECT_EQ(w.items[2].height, 4);
    EXPECT_EQ(d.resources[1].items[2].id, 1);
    std::string h = ruvrc::make_header(d, "IDS_H");
    EXPECT_NE(h.find("#define W 101\n"), std::string::npos);
    EXPECT_NE(h.find("#define OK 1\n"), std::string::npos);
    EXPECT_NE(h.find("#define NAME_FIELD 7\n"), std::string::npos);
    EXPECT_NE(h.find("#define F 3\n"), std::string::npos);
    EXPECT_EQ(h.find("#define OK 1\n"), h.rfind("#define OK 1\n")) << "each name once";
}

TEST(RuvrcParse, FlagNamesBecomeStreamBits)
{
    ruvrc::Description d;
    std::string error;
    ASSERT_TRUE(parse("window W = 1 document flags sizable|no_menubar|maximised|0x40|no_modal_loop\n"
                      "  button B = 1 flags disabled|checked|default|hidden|group_end|readonly|extended_select\n"
                      "  edit E = 2 flags left|center|right|password|0x800|0x1000|0x80|0x100\n"
                      "  textedit T = 3 txflags wrap|0x8000 margin -1 limit 32767\n"
                      "end\n"
                      "dialog D = 2 modeless_dialog flags disabled\n"
                      "end\n"
                      "font F = 3 style bold|any_style|0x80000\n"
                      "menu M = 4\n  item I = 5 \"~A~~b\" flags disabled|checkable|checked mnemonic 'z'\nend\n",
                      d, error))
        << error;
    EXPECT_EQ(d.resources[0].items[0].flags, 0x1u | 0x400 | 0x800 | 0x40 | 0x2000);
    EXPECT_EQ(d.resources[0].items[1].flags, 0x1u | 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x40);
    EXPECT_EQ(d.resources[0].items[2].flags, 0x80u | 0x100 | 0x200 | 0x8000 | 0x400 | 0x800 | 0x1000 | 0x2000);
    EXPECT_EQ(d.resources[0].items[3].tx_flags, 0x2u | 0x8000);
    EXPECT_EQ(d.resources[0].items[3].tx_margin, -1);
    EXPECT_EQ(d.resources[0].items[3].tx_limit, 32767);
    EXPECT_EQ(d.resources[1].items[0].flags, 0x2u);
    EXPECT_EQ(d.resources[2].font.style, 0x1u | 0x2000000 | 0x80000);
    const ruvrc::MenuItem &m = d.resources[3].menu[0];
    EXPECT_EQ(m.flags, 0x7);
    EXPECT_EQ(m.title, "A~b");
    EXPECT_EQ(m.mnemonic, 'z');
}

TEST(RuvrcParse, FirstErrorIsReportedWithItsLine)
{
    struct Case {
        const char *text;
        const char *error;
    };
    const Case cases[] = {
        {"window W = 1 document\n  button B = 1\n", "t.ruv:1: window not closed with 'end'"},
        {"\n\nwidget X = 1\n", "t.ruv:3: unknown resource keyword 'widget'"},
        {"window W = 1 document\n  button B = 1 flags bold\nend\n", "t.ruv:2: unknown control flag 'bold'"},
        {"window W = 1 document flags 0x400\nend\n", "t.ruv:1: window flag bits 0x400 cannot be stored"},
        {"window W = 1 document\n button B = 1 flags 0x2\nend\n", "t.ruv:2: control flag bits 0x2 cannot be stored"},
        {"textedit T = 1\n", "t.ruv:1: unknown resource keyword 'textedit'"},
        {"window W = 1 document\n  edit E = 1 margin 3\nend\n", "t.ruv:2: 'margin' belongs to a textedit"},
        {"window W = 1 modal_dialog\nend\n", "t.ruv:1: 'modal_dialog' is not a window kind"},
        {"dialog D = 1 modal_dialog\n  pane P = 2\nend\n", "t.ruv:2: 'pane' can only open a window or dialog resource"},
        {"window W = 1 document\n  button A = 1\n  button A = 2\nend\n", "t.ruv:3: 'A' is already 1 (t.ruv:2)"},
        {"window W = 1 pane\n  button B = 40000\nend\n", "t.ruv:2: a control id 40000 is outside -32768..32767"},
        {"window W = 1 pane\n  button \"x\nend\n", "t.ruv:2: text not closed"},
        {"window W = 1 pane font NOWHERE\nend\n", "t.ruv:1: 'NOWHERE' is not defined"},
        {"raw R = 1 type 5 text \"x\"\n", "t.ruv:1: raw resources take a type other than 0, 1, 5, 6, 7"},
        {"font A = 3\nfont B = 3\n", "t.ruv:2: resource of type 6 and id 3 already defined at t.ruv:1"},
        {"menu M = 1\n  item \"no tag\"\nend\n", "t.ruv:2: a menu item needs its tag"},
        {"menu M = 1\n  item 0 \"zero\"\nend\n", "t.ruv:2: menu tag 0 ends a menu; use another tag"},
        {"image I = 1 inline \"does-not-exist.png\"\n", "t.ruv:1: cannot read image file 'does-not-exist.png'"},
        {"image I = 1\n", "t.ruv:1: an image needs 'file' or 'inline'"},
        {"end\n", "t.ruv:1: 'end' without an open menu, window or dialog"},
        {"font F = 1 family \"a\\qb\"\n", "t.ruv:1: unknown escape \\q"},
        {"font F = 1 size 99999999999\n", "t.ruv:1: number out of range '99999999999'"},
    };
    for (const Case &c : cases) {
        ruvrc::Description d;
        std::string error;
        EXPECT_FALSE(parse(c.text, d, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(RuvrcParse, OverlongLineIsRefused)
{
    ruvrc::Description d;
    std::string error;
    std::string text = "font F = 1 family \"" + std::string(20000, 'x') + "\"\n";
    EXPECT_FALSE(parse(text, d, error));
    EXPECT_EQ(error, "t.ruv:1: line longer than 16384 characters");
}

TEST(RuvrcParse, IndexTextAndWindresFragment)
{
    ruvrc::ChunkLayout layout;
    layout.chunk_size = 512;
    EXPECT_EQ(ruvrc::make_index_text(1025, layout), "1025 10001 512");
    EXPECT_EQ(ruvrc::chunk_count(1025, layout), 3u);
    EXPECT_EQ(ruvrc::chunk_count(1024, layout), 2u);
    std::string rc = ruvrc::make_rc("/b/x.rc.index", {"/b/x.rc.chunk0000", "/b/x.rc.chunk0001"}, layout);
    EXPECT_NE(rc.find("10000 RCDATA \"/b/x.rc.index\"\n"), std::string::npos);
    EXPECT_NE(rc.find("10001 RCDATA \"/b/x.rc.chunk0000\"\n"), std::string::npos);
    EXPECT_NE(rc.find("10002 RCDATA \"/b/x.rc.chunk0001\"\n"), std::string::npos);
    std::string error;
    EXPECT_TRUE(ruvrc::check_layout(1025, layout, error));
    layout.first_chunk = 9999;
    EXPECT_FALSE(ruvrc::check_layout(1025, layout, error)) << "the chunks may not cover the index id";
    layout.first_chunk = 32767;
    EXPECT_FALSE(ruvrc::check_layout(1025, layout, error));
    layout.first_chunk = 10001;
    layout.chunk_size = 40000;
    EXPECT_FALSE(ruvrc::check_layout(1025, layout, error));
}

TEST(RuvrcParse, StreamBytesAreBigEndianAndSorted)
{
    ruvrc::Description d;
    std::string error;
    ASSERT_TRUE(parse("font B = 2 size 9 style 0x102 family \"f\" native \"\"\nmenu A = 7\nend\n", d, error)) << error;
    std::vector<uint8_t> s;
    ASSERT_TRUE(ruvrc::write_stream(d, s, error));
    const uint8_t head[] = {0xDE, 0xAD, 0xC0, 0xDE, 0, 4, 0, 2, 0, 0, 0, 12};
    ASSERT_GE(s.size(), 36u);
    EXPECT_EQ(std::vector<uint8_t>(s.begin(), s.begin() + 12), std::vector<uint8_t>(head, head + 12));
    // Sorted by (type, id): the menu (type 0) first.
    const uint8_t dir[] = {0, 7, 0, 0, 0, 0, 0, 2, 0, 0, 0, 36, 0, 2, 0, 6, 0, 0, 0, 11, 0, 0, 0, 38};
    EXPECT_EQ(std::vector<uint8_t>(s.begin() + 12, s.begin() + 36), std::vector<uint8_t>(dir, dir + 24));
    const uint8_t font[] = {0, 0, 0, 9, 0, 0, 1, 2, 0, 1, 'f', 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(s.begin() + 36, s.end()),
              (std::vector<uint8_t>{0, 0, 0, 9, 0, 0, 1, 2, 0, 1, 'f', 0, 0}));
    (void)font;
}

} // namespace
