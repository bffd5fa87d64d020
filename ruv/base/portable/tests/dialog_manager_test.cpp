// The dialog manager's entries over the kernel stand-in: each runs its
// dialog with its own help context and gives the previous one back, passes
// the dialog's answer through, and the application's font dialog of
// attribute 801 replaces the kernel's.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "ruvv_attr.h"
#include "ruvv_dm.h"
#include "ruvv_event.h"
#include "standin_core.h"
#include "standin_dialogs.h"

namespace {

class DialogManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        standin::end_process();
        standin::clear_dialog_calls();
        standin::clear_boxes();
        standin::set_dialog_answer(2);
        ruvv_win_set_help_ctx(5);
    }
    void TearDown() override { standin::end_process(); }
};

TEST_F(DialogManager, EachEntryRunsWithItsHelpContext)
{
    RUV_FILE_SPEC spec{};
    RUV_FILE_DIR dir{};
    RUV_COLOR colour = 0;
    char buf[8] = "";
    struct Case {
        const char *kernel;
        int32_t help;
        std::function<int32_t()> call;
        int32_t answer;  // the kernel's 2 as the entry gives it
    } cases[] = {
        {"about_box", 32007, [] { ruvv_dm_post_about_box(); return 2; }, 2},
        {"file_open", 32030, [&] { return ruvv_dm_post_file_open(&spec, "Open"); }, 2},
        {"file_save", 32040, [&] { return ruvv_dm_post_file_save(&spec, "Save"); }, 2},
        {"ask", 32050, [] { return ruvv_dm_post_ask_va("Yes", "No", nullptr, "Go %d?", 1); }, 2},
        {"string_prompt", 32090,
         [&] { return static_cast<int32_t>(ruvv_dm_post_string_prompt("Name?", buf, sizeof buf) == buf); }, 1},
        {"font_sel", 32100, [] { return static_cast<int32_t>(ruvv_dm_post_font_sel(NULL_WIN, nullptr, nullptr, 0)); },
         1},
        {"page_setup", 32110, [] { return static_cast<int32_t>(ruvv_dm_post_page_setup(nullptr)); }, 1},
        {"message", 32120, [] { ruvv_dm_post_message_va("Alert %s", "x"); return 2; }, 2},
        {"fatal_exit", 32130, [] { ruvv_dm_post_fatal_exit_va("Dead %d", 7); return 2; }, 2},
        {"color_sel", 32140, [&] { return static_cast<int32_t>(ruvv_dm_post_color_sel(&colour)); }, 1},
        {"dir_sel", 32160, [&] { return ruvv_dm_post_dir_sel(&dir, "Where"); }, 2},
    };
    for (const Case &c : cases) {
        standin::clear_dialog_calls();
        EXPECT_EQ(c.call(), c.answer) << c.kernel;
        ASSERT_EQ(standin::dialog_calls().size(), 1u) << c.kernel;
        EXPECT_EQ(standin::dialog_calls()[0].name, c.kernel);
        EXPECT_EQ(standin::dialog_calls()[0].help_ctx, c.help) << c.kernel;
        EXPECT_EQ(ruvv_win_get_help_ctx(), 5) << c.kernel;
    }
    EXPECT_EQ(standin::dialog_calls()[0].text, "Where");
}

TEST_F(DialogManager, BoxesRunWithTheirHelpContextsAndFormatTheirArguments)
{
    ruvv_dm_post_note_va("note %d", 1);
    ruvv_dm_post_error_va("error %s", "two");
    ruvv_dm_post_warning_va("warning %c", '3');
    const auto &boxes = standin::boxes();
    ASSERT_EQ(boxes.size(), 3u);
    const std::pair<const char *, int32_t> want[] = {{"note 1", 32060}, {"error two", 32070}, {"warning 3", 32080}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(boxes[i].text, want[i].first);
        EXPECT_EQ(boxes[i].help_ctx, want[i].second);
    }
    EXPECT_EQ(ruvv_win_get_help_ctx(), 5);
}

struct FontHookSeen {
    RUV_WIN win;
    void *options;
    intptr_t reserved;
    int32_t help;
    int calls;
};
FontHookSeen font_hook_seen;

int16_t app_font_dialog(RUV_WIN win, struct RUV_FONT *, void *options, intptr_t reserved)
{
    font_hook_seen = {win, options, reserved, ruvv_win_get_help_ctx(), font_hook_seen.calls + 1};
    return 0x7;
}

TEST_F(DialogManager, ApplicationFontDialogReplacesTheKernels)
{
    ruvv_attr_set(NULL_WIN, RUV_ATTR_FONT_DIALOG_HOOK, reinterpret_cast<intptr_t>(app_font_dialog));
    int options = 0;
    font_hook_seen = {};
    EXPECT_EQ(ruvv_dm_post_font_sel(NULL_WIN, nullptr, &options, 99), 0x7);
    EXPECT_EQ(font_hook_seen.calls, 1);
    EXPECT_EQ(font_hook_seen.options, &options);
    EXPECT_EQ(font_hook_seen.reserved, 0);
    EXPECT_EQ(font_hook_seen.help, 32100);
    EXPECT_TRUE(standin::dialog_calls().empty());
    EXPECT_EQ(ruvv_win_get_help_ctx(), 5);
}

} // namespace
