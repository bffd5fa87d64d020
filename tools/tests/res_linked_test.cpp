// The resources of real description files, compiled at build time by the
// resource compiler through ruv_add_resources: in the Windows build they
// are read from the executable's own raw-data resources (index 10000 and
// chunks of 256 bytes); natively from the compiled stream file.
#include "linked_ids.h"

#include "../../ruv/base/portable/tests/core_test_support.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "standin_res.h"

#include <fstream>
#include <sstream>

namespace {

class LinkedResources : public coretest::CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        standin::clear_resources();
#ifdef RUV_RESOURCE_STREAM_FILE
        std::ifstream f(RUV_RESOURCE_STREAM_FILE, std::ios::binary);
        std::ostringstream ss;
        ss << f.rdbuf();
        ASSERT_FALSE(ss.str().empty());
        standin::set_stream(ss.str(), 10001, 256);
#endif
        ASSERT_TRUE(ruvv_furl_open());
    }
};

TEST_F(LinkedResources, StreamSpansSeveralChunks)
{
    int32_t total = 0;
    for (int32_t i = 0; i < ruvv_furl_count(); ++i) {
        int32_t len;
        ASSERT_TRUE(ruvv_furl_entry(i, &len, nullptr, nullptr));
        total += len;
    }
    EXPECT_GT(total, 512) << "the test needs more than two chunks";
    EXPECT_EQ(ruvv_furl_count(), 7);
}

TEST_F(LinkedResources, MenuBar)
{
    RUV_MENU_ITEM *m = ruvv_res_get_menu(TEST_MENU);
    ASSERT_NE(m, nullptr);
    EXPECT_STREQ(m[0].title, "File");
    EXPECT_EQ(m[0].submenu[0].tag, FILE_NEW);
    EXPECT_EQ(m[0].submenu[3].tag, FILE_EXIT);
    EXPECT_EQ(m[0].submenu[3].flags & RUV_MENU_ENABLED, 0u);
    EXPECT_STREQ(m[1].submenu[0].title, "Copy row ");
    EXPECT_EQ(m[2].tag, HELP_MENU);
    EXPECT_EQ(m[2].submenu[0].tag, CMD_HELP_CONTENTS);
    EXPECT_EQ(m[3].tag, 0);
    ruvv_res_free_menu_tree(m);
    char *data = ruvv_res_get_menu_data(TEST_MENU, CMD_HELP_CONTENTS, 7);
    EXPECT_STREQ(data, "contents");
    ruvv_mem_free(data);
}

TEST_F(LinkedResources, MainWindow)
{
    RUV_WIN_DEF *d = ruvv_res_get_win_def(TEST_WINDOW);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d[0].type, 1);
    EXPECT_STREQ(d[0].title, "Particle tracking");
    EXPECT_EQ(d[0].u.win.menu_id, TEST_MENU);
    EXPECT_EQ(d[0].u.win.flags, 0x1u | 0x2 | 0x80);
    const int32_t types[] = {12, 13, 14, 15, 16, 17, 18, 19, 23, 24, 21, 20, 22, 0};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(d[i + 1].type, types[i]) << i;
    EXPECT_EQ(d[1].u.ctl.ctl_id, PB_HYDRO);
    EXPECT_EQ(d[6].u.ctl.ctl_id, ED_NAME);
    EXPECT_EQ(d[6].u.ctl.flags, 0x200u | 0x8000);
    EXPECT_EQ(d[9].u.tx.ctl_id, TX_NOTES);
    EXPECT_EQ(d[9].u.tx.margin, 280);
    EXPECT_EQ(d[9].u.tx.limit, 4000);
    EXPECT_EQ(d[9].u.tx.flags, 0x2u | 0x10 | 0x4);
    ASSERT_NE(d[9].u.tx.font, nullptr);
    EXPECT_EQ(ruvv_font_get_size(d[9].u.tx.font), 8);
    EXPECT_EQ(d[10].u.ctl.icon_id, 9012);
    EXPECT_EQ(d[13].unit, 2);
    ruvv_res_free_win_def(d);
    char *data = ruvv_res_get_win_data(TEST_WINDOW, ED_NAME, 1);
    EXPECT_STREQ(data, "edit-help");
    ruvv_mem_free(data);
}

TEST_F(LinkedResources, AboutDialogFontsAndOthers)
{
    RUV_WIN_DEF *d = ruvv_res_get_dlg_def(TEST_ABOUT);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d[0].type, 10);
    EXPECT_EQ(d[0].u.dlg.flags, 0x2u);
    EXPECT_EQ(d[1].u.ctl.ctl_id, ABOUT_OK);
    EXPECT_EQ(d[4].u.tx.margin, 12);
    EXPECT_EQ(d[4].u.tx.limit, 300);
    ruvv_res_free_win_def(d);
    RUV_FONT *f = ruvv_res_get_font(PLAIN_FONT);
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(ruvv_font_get_family(f), "times");
    EXPECT_EQ(ruvv_font_get_native_desc(f, FALSE), nullptr);
    ruvv_font_destroy(f);
    EXPECT_NE(ruvv_furl_find(2, ACCEL_TABLE), nullptr);
    char *data = ruvv_res_get_image_data(HELP_PIC, 2);
    EXPECT_STREQ(data, "picture");
    ruvv_mem_free(data);
}

} // namespace
