// Round trips through the resource compiler and the toolkit's resource
// reader: descriptions are compiled in the test, the stream is handed to the
// kernel stand-in as raw-data chunks, and the reader's records are compared
// with what the descriptions say.
#include "ruvrc.h"

#include "../../ruv/base/portable/tests/core_test_support.h"
#include "ruvk.h"
#include "ruvv_font.h"
#include "ruvv_image.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "standin_res.h"

#include <cstring>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

using coretest::reported;

namespace {

std::string compile(const std::string &text, ruvrc::Description *model = nullptr)
{
    ruvrc::Description d;
    std::string error;
    bool ok = ruvrc::parse_text(text, "test.ruv", "", d, error) && ruvrc::finish(d, error);
    EXPECT_TRUE(ok) << error;
    std::vector<uint8_t> out;
    EXPECT_TRUE(ruvrc::write_stream(d, out, error)) << error;
    if (model)
        *model = d;
    return std::string(out.begin(), out.end());
}

std::string write(const ruvrc::Description &d)
{
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(ruvrc::write_stream(d, out, error)) << error;
    return std::string(out.begin(), out.end());
}

struct Text {
    char *p;
    explicit Text(char *t) : p(t) {}
    ~Text() { ruvv_mem_free(p); }
    std::string str() const { return p ? p : "<null>"; }
};

class ResRoundTrip : public coretest::CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        standin::clear_resources();
    }
    void TearDown() override
    {
        CoreTest::TearDown();
        standin::clear_resources();
    }
    bool load(const std::string &stream, int chunk = 4096, int first = 10001)
    {
        standin::set_stream(stream, first, chunk);
        return ruvv_furl_open() != 0;
    }
};

const char *const FULL = R"(
menu M = 1000
    popup "~File"
        item NEW = 1002 "~New" data 1 "new-help"
        separator
        item EXIT = 1008 "E~xit" flags disabled
    end
    item TAGGED = 1011 "Copy ~~row" flags checkable|checked data 4 "deep"
end
window W = 101 document "Main" at 10 20 size 300 200 menubar M flags sizable|no_menubar|maximised|no_modal_loop units chars data 3 "win-data"
    button   B = 1 "~Go" at 1 2 size 30 10 flags default|disabled
    radio    R = 2 "r" at 0 0 size 1 1 flags checked|group_end|hidden
    checkbox C = 3 at 0 0 size 1 1 flags left
    hscroll  H = 4 at 0 0 size 1 1 flags 0x80|0x100
    vscroll  V = 5 at 0 0 size 1 1 flags 0x800
    edit     E = 6 "e" at 0 0 size 1 1 flags readonly|center|password data 9 "" data 8 "edit"
    static   "s" at 0 0 size 1 1 flags right|extended_select units 3
    listbox  L = 8 at 0 0 size 1 1 flags 0x1000
    textedit T = 9 "t" at 5 6 size 70 80 font F txflags readonly|wrap|autovscroll|autohscroll|border|onepar|nocopy|nocut|0x8000 margin 280 limit 4000
    icon     I = 10 at 0 0 size 32 32 iconid 9012
    dropdown DD = 11 at 0 0 size 1 1
    droplist DL = 12 at 0 0 size 1 1
    groupbox G = 13 "" at 0 0 size 1 1 units dialog
end
window P = 102 pane at 0 0 size 10 10
    textedit PT = 1 at 0 0 size 1 1 margin 7 limit 9
end
window MW = 103 modal_window at 0 0 size 10 10 flags 0x40|0x200
end
dialog D = 181 modeless_dialog "About" at 1 2 size 3 4 flags disabled|hidden units dialog
    textedit DT = 6 at 0 0 size 1 1 font F margin 12 limit 300
end
font F = 3 family "helvetica" size 8 style bold|italic|underline|strikeout|any_style|0x20|0x8000 native "NT_01/-11/0/0/0/700/1/0/0/1/0/0/2/32/Arial"
font F2 = 4 family "times" size 10
image IMG = 8 file "help.bmp" data 2 "picture"
raw ACC = 9001 type 2 text "accelerators"
)";

TEST_F(ResRoundTrip, MenuTreeCarriesEveryField)
{
    ASSERT_TRUE(load(compile(FULL)));
    RUV_MENU_ITEM *m = ruvv_res_get_menu(1000);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m[0].tag, -1); // an untagged popup
    EXPECT_STREQ(m[0].title, "File");
    EXPECT_EQ(m[0].mnemonic, 'F');
    EXPECT_EQ(m[0].flags, RUV_MENU_ENABLED);
    ASSERT_NE(m[0].submenu, nullptr);
    RUV_MENU_ITEM *s = m[0].submenu;
    EXPECT_EQ(s[0].tag, 1002);
    EXPECT_STREQ(s[0].title, "New");
    EXPECT_EQ(s[0].mnemonic, 'N');
    EXPECT_EQ(s[0].flags, RUV_MENU_ENABLED);
    EXPECT_EQ(s[0].submenu, nullptr);
    EXPECT_EQ(s[1].tag, -1);
    EXPECT_EQ(s[1].flags, RUV_MENU_ENABLED | RUV_MENU_SEPARATOR);
    EXPECT_STREQ(s[1].title, "");
    EXPECT_EQ(s[2].tag, 1008);
    EXPECT_EQ(s[2].flags, 0u) << "file bit 0 means disabled";
    EXPECT_EQ(s[2].mnemonic, 'x');
    EXPECT_EQ(s[3].tag, 0); // terminator
    EXPECT_EQ(s[3].title, nullptr);
    EXPECT_EQ(m[1].tag, 1011);
    EXPECT_STREQ(m[1].title, "Copy ~row");
    EXPECT_EQ(m[1].mnemonic, 0);
    EXPECT_EQ(m[1].flags, RUV_MENU_ENABLED | RUV_MENU_CHECKED | RUV_MENU_CHECKABLE);
    EXPECT_EQ(m[1].reserved, 0u);
    EXPECT_EQ(m[2].tag, 0);
    ruvv_res_free_menu_tree(m);

    EXPECT_EQ(Text(ruvv_res_get_menu_data(1000, 1002, 1)).str(), "new-help");
    EXPECT_EQ(Text(ruvv_res_get_menu_data(1000, 1011, 4)).str(), "deep");
    EXPECT_EQ(ruvv_res_get_menu_data(1000, 1002, 2), nullptr);
    EXPECT_EQ(ruvv_res_get_menu_data(1000, 4711, 1), nullptr);
    EXPECT_TRUE(coretest::reports().empty());
}

TEST_F(ResRoundTrip, WindowDefinitionCarriesEveryField)
{
    ASSERT_TRUE(load(compile(FULL)));
    RUV_WIN_DEF *d = ruvv_res_get_win_def(101);
    ASSERT_NE(d, nullptr);
    // The window itself.
    EXPECT_EQ(d[0].type, 1);
    EXPECT_EQ(d[0].rect.top, 20);
    EXPECT_EQ(d[0].rect.left, 10);
    EXPECT_EQ(d[0].rect.bottom, 220);
    EXPECT_EQ(d[0].rect.right, 310);
    EXPECT_STREQ(d[0].title, "Main");
    EXPECT_EQ(d[0].unit, 1);
    EXPECT_EQ(d[0].colors, nullptr);
    EXPECT_EQ(d[0].u.win.menu_id, 1000);
    EXPECT_EQ(d[0].u.win.menu, nullptr);
    EXPECT_EQ(d[0].u.win.flags, 0x1u | 0x800 | 0x1000 | 0x8000);
    EXPECT_EQ(d[0].u.win.font, nullptr);

    struct Expect {
        int32_t type;
        intptr_t id;
        uint32_t flags;
        int8_t unit;
    };
    // Controls take the resource's default unit (chars) unless they say.
    const Expect want[] = {
        {12, 1, 0x8 | 0x1, 1},          {13, 2, 0x4 | 0x20 | 0x10, 1}, {14, 3, 0x2000, 1},
        {15, 4, 0x80 | 0x100, 1},       {16, 5, 0x800, 1},             {17, 6, 0x200 | 0x4000 | 0x10000, 1},
        {18, 0, 0x8000 | 0x400, 0},     {19, 8, 0x1000, 1},            {23, 9, 0, 1},
        {24, 10, 0, 1},                 {21, 11, 0, 1},                {20, 12, 0, 1},
        {22, 13, 0, 2},
    };
    for (size_t i = 0; i < sizeof want / sizeof want[0]; ++i) {
        const RUV_WIN_DEF &e = d[i + 1];
        SCOPED_TRACE(i);
        EXPECT_EQ(e.type, want[i].type);
        EXPECT_EQ(e.unit, want[i].unit);
        if (e.type == 23)
            EXPECT_EQ(e.u.tx.ctl_id, want[i].id);
        else {
            EXPECT_EQ(e.u.ctl.ctl_id, want[i].id);
            EXPECT_EQ(e.u.ctl.flags, want[i].flags);
            EXPECT_EQ(e.u.ctl.font, nullptr);
        }
    }
    EXPECT_EQ(d[1].rect.top, 2);
    EXPECT_EQ(d[1].rect.left, 1);
    EXPECT_EQ(d[1].rect.bottom, 12);
    EXPECT_EQ(d[1].rect.right, 31);
    EXPECT_STREQ(d[1].title, "~Go"); // control titles keep their mnemonic marks
    EXPECT_STREQ(d[3].title, "") << "a missing title reads as empty text, not null";
    EXPECT_EQ(d[10].u.ctl.icon_id, 9012);
    EXPECT_EQ(d[1].u.ctl.icon_id, 0);

    const RUV_WIN_DEF &t = d[9];
    EXPECT_EQ(t.u.tx.flags, 0x1u | 0x2 | 0x4 | 0x8 | 0x10 | 0x80 | 0x100 | 0x200 | 0x8000);
    EXPECT_EQ(t.u.tx.margin, 280) << "margin first";
    EXPECT_EQ(t.u.tx.limit, 4000) << "then limit";
    ASSERT_NE(t.u.tx.font, nullptr) << "a window's text edit gets its font resource";
    EXPECT_STREQ(ruvv_font_get_family(t.u.tx.font), "helvetica");
    EXPECT_EQ(t.rect.bottom, 86);
    EXPECT_EQ(d[14].type, 0);
    ruvv_res_free_win_def(d);

    EXPECT_EQ(Text(ruvv_res_get_win_data(101, 0, 3)).str(), "win-data");
    EXPECT_EQ(Text(ruvv_res_get_win_data(101, 6, 8)).str(), "edit");
    EXPECT_EQ(Text(ruvv_res_get_win_data(101, 6, 9)).str(), "");
    EXPECT_EQ(ruvv_res_get_win_data(101, 6, 3), nullptr);
    EXPECT_EQ(ruvv_res_get_win_data(101, 99, 3), nullptr);
    EXPECT_TRUE(coretest::reports().empty());
}

TEST_F(ResRoundTrip, OtherWindowKindsAndDialogs)
{
    ASSERT_TRUE(load(compile(FULL)));
    RUV_WIN_DEF *p = ruvv_res_get_win_def(102);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0].type, 7);
    EXPECT_EQ(p[1].type, 23);
    EXPECT_EQ(p[1].u.tx.margin, 7);
    EXPECT_EQ(p[1].u.tx.limit, 9);
    EXPECT_EQ(p[1].u.tx.font, nullptr);
    ruvv_res_free_win_def(p);

    RUV_WIN_DEF *mw = ruvv_res_get_win_def(103);
    ASSERT_NE(mw, nullptr);
    EXPECT_EQ(mw[0].type, 9);
    EXPECT_EQ(mw[0].u.win.flags, 0x40u | 0x200);
    EXPECT_EQ(mw[1].type, 0);
    ruvv_res_free_win_def(mw);

    RUV_WIN_DEF *d = ruvv_res_get_dlg_def(181);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d[0].type, 11);
    EXPECT_EQ(d[0].u.dlg.flags, 0x1u | 0x2);
    EXPECT_EQ(d[0].unit, 2);
    EXPECT_EQ(d[1].type, 23);
    EXPECT_EQ(d[1].u.tx.margin, 12);
    EXPECT_EQ(d[1].u.tx.limit, 300);
    EXPECT_EQ(d[1].u.tx.font, nullptr) << "only window resources resolve text-edit fonts";
    EXPECT_EQ(d[1].u.tx.ctl_id, 6);
    ruvv_res_free_win_def(d);
    EXPECT_EQ(ruvv_res_get_win_def(181), nullptr) << "a dialog is not a window resource";
    EXPECT_TRUE(reported(0x01530003));
}

TEST_F(ResRoundTrip, FontsImagesAndOtherTypes)
{
    ASSERT_TRUE(load(compile(FULL)));
    RUV_FONT *f = ruvv_res_get_font(3);
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(ruvv_font_get_family(f), "helvetica");
    EXPECT_EQ(ruvv_font_get_size(f), 8);
    EXPECT_EQ(ruvv_font_get_style(f), 0x1u | 0x2 | 0x10 | 0x200 | 0x2000000 | 0x20 | 0x8000);
    EXPECT_STREQ(ruvv_font_get_native_desc(f, FALSE), "NT_01/-11/0/0/0/700/1/0/0/1/0/0/2/32/Arial");
    ruvv_font_destroy(f);

    RUV_FONT **list = ruvv_res_get_font_list();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list[0], nullptr);
    EXPECT_EQ(list[1], nullptr) << "only fonts with a native descriptor";
    ruvv_font_destroy(list[0]);
    ruvv_mem_free(list);

    EXPECT_EQ(Text(ruvv_res_get_image_data(8, 2)).str(), "picture");
    const RUV_FURL_DIRENT *e = ruvv_furl_find(2, 9001);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->length, 12);
    char buf[13] = {};
    ASSERT_TRUE(ruvv_res_seek(2, 9001));
    EXPECT_EQ(ruvv_furl_read(buf, 100), 12) << "reads stop at the resource's end";
    EXPECT_STREQ(buf, "accelerators");
    EXPECT_EQ(ruvv_furl_count(), 9);
    EXPECT_EQ(ruvv_furl_version(), 4);
    int32_t len;
    int16_t type, id;
    ASSERT_TRUE(ruvv_furl_entry(0, &len, &type, &id));
    EXPECT_EQ(type, 0);
    EXPECT_EQ(id, 1000);
    EXPECT_FALSE(ruvv_furl_entry(9, &len, &type, &id));
    EXPECT_EQ(ruvv_res_get_font(77), nullptr);
    EXPECT_TRUE(reported(0x01530003));
}

// A 2 x 2 24-bit Windows BMP: red, green on the top row; blue, white below.
std::string tiny_bmp()
{
    const unsigned char bytes[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                 // file header
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,  // info header
        16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom row (B, G, R): blue, white
        0, 0, 0xFF, 0, 0xFF, 0, 0, 0,        // top row: red, green
    };
    return std::string(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

TEST_F(ResRoundTrip, InlineAndFileImages)
{
    const std::string dir = std::string(TRAZ_TEST_BINARY_DIR) + "/res_roundtrip_images";
    const std::string path = dir + "/tiny.bmp";
#ifdef _WIN32
    CreateDirectoryA(dir.c_str(), nullptr);
#else
    mkdir(dir.c_str(), 0777);
#endif
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f << tiny_bmp();
        ASSERT_TRUE(f.good());
    }
    const std::string text = "image INL = 20 inline \"tiny.bmp\" data 5 \"inline-data\" data 6 \"more\"\n"
                             "image FIL = 21 file \"" + path + "\" data 6 \"file-data\"\n"
                             "image BAD = 22 inline \"bad.bin\"\n";
    {
        std::ofstream f(dir + "/bad.bin", std::ios::binary | std::ios::trunc);
        f << "not an image at all, 32 bytes..";
    }
    ruvrc::Description d;
    std::string error;
    ASSERT_TRUE(ruvrc::parse_text(text, "images.ruv", dir, d, error) && ruvrc::finish(d, error)) << error;
    ASSERT_TRUE(load(write(d), 32));

    struct Case {
        int16_t id;
        const char *data_tag_6;
    };
    for (const Case &c : {Case{20, "more"}, Case{21, "file-data"}}) {
        SCOPED_TRACE(c.id);
        RUV_IMAGE *img = ruvv_res_get_image(c.id);
        ASSERT_NE(img, nullptr);
        int16_t w = 0, h = 0;
        ruvv_image_get_dimensions(img, &w, &h);
        EXPECT_EQ(w, 2);
        EXPECT_EQ(h, 2);
        EXPECT_EQ(ruvv_image_get_pixel(img, 0, 0) & 0xFFFFFFu, 0xFF0000u);
        EXPECT_EQ(ruvv_image_get_pixel(img, 1, 0) & 0xFFFFFFu, 0x00FF00u);
        EXPECT_EQ(ruvv_image_get_pixel(img, 0, 1) & 0xFFFFFFu, 0x0000FFu);
        EXPECT_EQ(ruvv_image_get_pixel(img, 1, 1) & 0xFFFFFFu, 0xFFFFFFu);
        ruvv_image_destroy(img);
        EXPECT_EQ(Text(ruvv_res_get_image_data(c.id, 6)).str(), c.data_tag_6);
    }
    EXPECT_EQ(Text(ruvv_res_get_image_data(20, 5)).str(), "inline-data");
    EXPECT_EQ(ruvv_res_get_image_data(21, 5), nullptr);
    EXPECT_EQ(ruvv_res_get_image(22), nullptr) << "inline data that no reader knows";
    EXPECT_FALSE(reported(0x01530003));
}

TEST_F(ResRoundTrip, UnlistedFileTypeEndsTheDefinition)
{
    ruvrc::Description d;
    ruvrc::Resource r;
    r.type = ruvrc::RES_WINDOW;
    r.id = 5;
    for (int16_t ft : {0, 6, 19, 6}) {
        ruvrc::WinItem it;
        it.file_type = ft;
        it.title = "x";
        r.items.push_back(it);
    }
    d.resources.push_back(r);
    ASSERT_TRUE(load(write(d)));
    RUV_WIN_DEF *def = ruvv_res_get_win_def(5);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def[0].type, 1);
    EXPECT_EQ(def[1].type, 12);
    EXPECT_EQ(def[2].type, 0);
    EXPECT_EQ(def[2].title, nullptr);
    ruvv_res_free_win_def(def);
}

TEST_F(ResRoundTrip, DirectoryOf300EntriesUsesTwoPages)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "raw R" + std::to_string(i) + " = " + std::to_string(100 + i) + " type 9 text \"v" +
                std::to_string(i) + "\"\n";
    ASSERT_TRUE(load(compile(text)));
    EXPECT_EQ(ruvv_furl_count(), 300);
    for (int id : {100, 355, 356, 357, 399}) { // 356 opens the second page
        SCOPED_TRACE(id);
        const RUV_FURL_DIRENT *e = ruvv_furl_find(9, (int16_t)id);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->id, id);
        char buf[8] = {};
        ASSERT_TRUE(ruvv_res_seek(9, (int16_t)id));
        ruvv_furl_read(buf, e->length);
        EXPECT_EQ(std::string(buf), "v" + std::to_string(id - 100));
    }
    EXPECT_EQ(ruvv_furl_find(9, 400), nullptr);
    EXPECT_EQ(ruvv_furl_find(9, 99), nullptr);
    EXPECT_EQ(ruvv_furl_find(8, 200), nullptr);
}

TEST_F(ResRoundTrip, CacheTakesResourcesOf16To2000Bytes)
{
    std::string text;
    const int sizes[] = {15, 16, 2000, 2001};
    for (int s : sizes)
        text += "raw S" + std::to_string(s) + " = " + std::to_string(s) + " type 9 text \"" + std::string(s, 'a') + "\"\n";
    ASSERT_TRUE(load(compile(text)));
    struct Case {
        int id;
        int32_t cached_after;
    };
    const Case cases[] = {{15, 0}, {2001, 0}, {16, 16}, {2000, 2016}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        ASSERT_TRUE(ruvv_res_seek(9, (int16_t)c.id));
        EXPECT_EQ(ruvv_furl_cached_bytes(), c.cached_after);
        std::string buf((size_t)c.id, '\0');
        EXPECT_EQ(ruvv_furl_read(&buf[0], c.id), c.id);
        EXPECT_EQ(buf, std::string((size_t)c.id, 'a'));
    }
    // A cached resource's field reads come from memory.
    ASSERT_TRUE(ruvv_res_seek(9, 2000));
    int before = standin::rcdata_loads();
    int32_t uncached = ruvv_furl_uncached_reads();
    char b[2];
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(ruvv_furl_read(b, 2), 2);
    EXPECT_EQ(standin::rcdata_loads(), before);
    EXPECT_EQ(ruvv_furl_uncached_reads(), uncached);
}

TEST_F(ResRoundTrip, WrongVersionOrMagicIsRefused)
{
    std::string good = compile("raw A = 1 type 9 text \"x\"\n");
    struct Case {
        size_t at;
        char value;
    };
    const Case cases[] = {{5, 3}, {0, 0x00}, {3, (char)0xDF}};
    for (const Case &c : cases) {
        std::string bad = good;
        bad[c.at] = c.value;
        coretest::reports().clear();
        EXPECT_FALSE(load(bad));
        EXPECT_TRUE(reported(0x01570001));
        EXPECT_EQ(ruvv_furl_find(9, 1), nullptr);
    }
    EXPECT_TRUE(load(good));
}

TEST_F(ResRoundTrip, MissingOrBadIndexFailsToAccess)
{
    EXPECT_FALSE(ruvv_furl_open());
    EXPECT_TRUE(reported(0x01540001));
    for (const char *index : {"", "12", "12 10001", "-5 10001 64", "12 10001 0"}) {
        coretest::reports().clear();
        standin::set_rcdata(10000, index);
        EXPECT_FALSE(ruvv_furl_open()) << index;
        EXPECT_TRUE(reported(0x01540001)) << index;
    }
    // A stream shorter than its header.
    standin::set_rcdata(10000, std::string("8 10001 64\0", 11));
    standin::set_rcdata(10001, "12345678");
    coretest::reports().clear();
    EXPECT_FALSE(ruvv_furl_open());
    EXPECT_TRUE(reported(0x01560001));
}

TEST_F(ResRoundTrip, IndexTextWithoutTerminatorIsScannedSafely)
{
    std::string stream = compile("raw A = 1 type 9 text \"hello\"\n");
    standin::set_stream(stream, 10001, 4096);
    // No terminator, trailing bytes that are not part of the text.
    std::string index = std::to_string(stream.size()) + " 10001 4096";
    index += std::string(200, '7');
    standin::set_rcdata(10000, index.substr(0, index.size()));
    // The first 64 bytes are scanned: "NN 10001 4096777..." gives a huge
    // chunk size and is refused rather than read past the buffer.
    EXPECT_FALSE(ruvv_furl_open());
    standin::set_rcdata(10000, std::to_string(stream.size()) + " 10001 4096");
    EXPECT_TRUE(ruvv_furl_open());
    ASSERT_NE(ruvv_furl_find(9, 1), nullptr);
}

TEST_F(ResRoundTrip, ShortLastChunkAndStraddlingResource)
{
    ruvrc::Description model;
    std::string body(150, '\0');
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = (char)('A' + i % 26);
    std::string text = "raw A = 1 type 9 text \"" + body + "\"\nraw B = 2 type 9 text \"tail\"\n";
    std::string stream = compile(text, &model);
    ASSERT_NE(stream.size() % 32, 0u) << "the last chunk is short";
    ASSERT_TRUE(load(stream, 32));
    const RUV_FURL_DIRENT *a = ruvv_furl_find(9, 1);
    ASSERT_NE(a, nullptr);
    ASSERT_GT(a->offset / 32, 0);
    ASSERT_NE(a->offset / 32, (a->offset + a->length - 1) / 32) << "A straddles a chunk boundary";
    std::string got(150, '\0');
    ASSERT_TRUE(ruvv_res_seek(9, 1));
    EXPECT_EQ(ruvv_furl_read(&got[0], 150), 150);
    EXPECT_EQ(got, body);
    char tail[5] = {};
    ASSERT_TRUE(ruvv_res_seek(9, 2));
    EXPECT_EQ(ruvv_furl_read(tail, 4), 4);
    EXPECT_STREQ(tail, "tail");
}

TEST_F(ResRoundTrip, ChunkCopiesAreBoundedAndStaleBytesNeverServed)
{
    const int C = 50; // 324 bytes: seven chunks, the last of 24 bytes
    std::string stream = compile("raw A = 1 type 9 text \"" + std::string(300, 'q') + "\"\n");
    ASSERT_EQ(stream.size(), 324u);
    ASSERT_TRUE(load(stream, C));
    // A chunk resource larger than the chunk size: only the chunk size is
    // copied into the buffer (ASan watches the buffer's end).
    standin::set_rcdata(10001 + 1, stream.substr(C, C) + std::string(5000, 'Z'));
    // The last chunk cut short by 10 bytes: the read ends short, no stale
    // bytes of an earlier chunk.
    standin::set_rcdata(10001 + 6, stream.substr(6 * C, 14));
    ASSERT_TRUE(ruvv_res_seek(9, 1));
    std::string got(300, '\0');
    int32_t n = ruvv_furl_read(&got[0], 300);
    EXPECT_EQ(n, 290);
    EXPECT_EQ(got.substr(0, (size_t)n), std::string((size_t)n, 'q'));
    // A missing chunk in the middle ends the read there.
    standin::remove_rcdata(10001 + 2);
    ASSERT_TRUE(ruvv_res_seek(9, 1));
    n = ruvv_furl_read(&got[0], 300);
    EXPECT_LT(n, 300);
}

TEST_F(ResRoundTrip, ReadPastTheTotalLengthIsShort)
{
    // The directory says the resource is longer than the stream.
    ruvrc::Description d;
    ruvrc::Resource r;
    r.type = 9;
    r.id = 1;
    r.raw = "abcdef";
    d.resources.push_back(r);
    std::string stream = write(d);
    // Length field of entry 0 (offset 12 + 4) -> 1000.
    stream[16] = 0;
    stream[17] = 0;
    stream[18] = 0x03;
    stream[19] = (char)0xE8;
    ASSERT_TRUE(load(stream + std::string(100, 'X'), 16));
    // Now claim a total that ends right after the data: the X bytes are
    // present in the chunks but beyond the total.
    standin::set_rcdata(10000, std::to_string(stream.size()) + " 10001 16");
    ASSERT_TRUE(ruvv_furl_open());
    ASSERT_TRUE(ruvv_res_seek(9, 1));
    char buf[1000];
    EXPECT_EQ(ruvv_furl_read(buf, 1000), 6);
    EXPECT_EQ(std::string(buf, 6), "abcdef");
}

TEST_F(ResRoundTrip, ReaderStatesSwapForResourceLibraries)
{
    ASSERT_TRUE(load(compile("raw A = 1 type 9 text \"app\"\n")));
    standin::set_stream(compile("raw A = 2 type 9 text \"lib\"\n"), 10001, 4096);
    RUV_FURL_STATE *previous = nullptr;
    RUV_FURL_STATE *lib = ruvv_furl_state_open(&previous);
    ASSERT_NE(lib, nullptr);
    EXPECT_NE(ruvv_furl_find(9, 1), nullptr) << "the application's state stays current";
    RUV_FURL_STATE *app = ruvv_furl_swap_state(lib);
    EXPECT_EQ(app, previous);
    EXPECT_NE(ruvv_furl_find(9, 2), nullptr);
    EXPECT_EQ(ruvv_furl_find(9, 1), nullptr);
    EXPECT_EQ(ruvv_furl_swap_state(app), lib);
    ruvv_furl_state_free(lib);
}

TEST_F(ResRoundTrip, InitReadsTheStartStrings)
{
    ASSERT_TRUE(load(compile("raw A = 1 type 9 text \"x\"\n")));
    standin::set_string(4001, "first set");
    ruvk_vobj_set_attr(NULL_WIN, 716, 4001);
    EXPECT_TRUE(ruvv_res_init());
    EXPECT_STREQ(ruvv_res_get_start_text(0), "first set");
    EXPECT_EQ(ruvv_res_get_start_text(1), nullptr);
    ruvk_vobj_set_attr(NULL_WIN, 717, 4002); // missing string
    EXPECT_FALSE(ruvv_res_init());
    ruvv_res_term();
    EXPECT_EQ(ruvv_res_get_start_text(0), nullptr);
    EXPECT_EQ(ruvv_furl_count(), 0);
}

} // namespace
