// The WinHelp flavour's command table, on the library's objects with the
// engine replaced: each operation's command and data, the owner and the
// file, and no call without the toolkit's utility window but the close.
#include <vector>

#include "help_engine.h"
#include "help_win_support.h"
#include "startup.h"

namespace {

struct Call {
    HWND owner;
    std::string file;
    UINT command;
    ULONG_PTR data;
    std::string key;
};

std::vector<Call> &calls()
{
    static std::vector<Call> c;
    return c;
}

BOOL WINAPI record_engine(HWND owner, LPCSTR file, UINT command, ULONG_PTR data)
{
    calls().push_back({ owner, file ? file : "", command, command == HELP_PARTIALKEY ? 0 : data,
                        command == HELP_PARTIALKEY && data ? reinterpret_cast<const char *>(data) : "" });
    return TRUE;
}

struct Expected {
    UINT command;
    ULONG_PTR data;
    const char *key;
};

TEST(HelpEngine, CommandsOfDisplaySearchAndClose)
{
    kt::ModalGuard guard;
    ht::HelpFiles files;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    help_set_engine(record_engine);
    kt::run_app([&] {
        const RUV_FILE_SPEC spec = files.spec();
        RUV_HELP_INFO *info = ruvv_help_open_helpfile(&spec, 0);
        ASSERT_NE(info, nullptr);
        calls().clear();
        ruvv_help_display_topic(info, 32000);
        ruvv_help_display_topic(info, 32006);
        ruvv_help_display_topic(info, 105);
        ruvv_help_display_topic(info, -3);
        ruvv_help_search_topic(info, 7, nullptr);
        ruvv_help_search_topic(info, 7, "wind");
        ruv_help_search_topic(info, 7, nullptr);
        const std::vector<Expected> expected = {
            { HELP_HELPONHELP, 0, "" }, { HELP_CONTENTS, 0, "" },  { HELP_CONTEXT, 105, "" },
            { HELP_CONTEXT, 0xFFFFFFFDu, "" }, { HELP_PARTIALKEY, 0, "" }, { HELP_PARTIALKEY, 0, "wind" },
            { HELP_PARTIALKEY, 0, "" },
        };
        ASSERT_EQ(calls().size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(calls()[i].command, expected[i].command) << i;
            EXPECT_EQ(calls()[i].data, expected[i].data) << i;
            EXPECT_EQ(calls()[i].key, expected[i].key) << i;
            EXPECT_EQ(calls()[i].owner, ruvwi_get_utility_hwnd()) << i;
            EXPECT_TRUE(ht::same_path(calls()[i].file, files.hlp())) << calls()[i].file;
        }
        calls().clear();
        ruvv_help_close_helpfile(info);
        ASSERT_EQ(calls().size(), 1u);
        EXPECT_EQ(calls()[0].command, static_cast<UINT>(HELP_QUIT));
        EXPECT_EQ(calls()[0].data, 0u);
        // A closed handle does nothing.
        calls().clear();
        ruvv_help_display_topic(info, 105);
        ruvv_help_close_helpfile(info);
        EXPECT_TRUE(calls().empty());
    });
    help_set_engine(nullptr);
}

TEST(HelpEngine, WithoutUtilityWindowOnlyTheCloseIsMade)
{
    kt::ModalGuard guard;
    ht::HelpFiles files;
    help_set_engine(record_engine);
    // Before the message loop the toolkit has no utility window.
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ASSERT_EQ(ruvwi_get_utility_hwnd(), nullptr);
    const RUV_FILE_SPEC spec = files.spec();
    RUV_HELP_INFO *info = ruvv_help_open_helpfile(&spec, RUV_HELP_NO_MENU_ASSOC);
    ASSERT_NE(info, nullptr);
    calls().clear();
    ruvv_help_display_topic(info, 105);
    ruvv_help_display_topic(info, 32006);
    ruvv_help_search_topic(info, 0, "x");
    EXPECT_TRUE(calls().empty());
    ruvv_help_close_helpfile(info);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].command, static_cast<UINT>(HELP_QUIT));
    EXPECT_EQ(calls()[0].owner, nullptr);
    help_set_engine(nullptr);
}

} // namespace
