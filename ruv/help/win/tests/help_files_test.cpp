// ruvhelp.dll as a program links it: its exports, the public functions'
// checks (ids, order, the core not called on a refusal), opening and
// closing with the attributes 710 and 711, the standard help-menu
// associations, associations in bulk from a window resource, the help-menu
// commands and help requests shown through a recording help engine, the
// associations going with a destroyed window, and the fatal end when
// memory runs out.
#include <set>

#include "dll/export_table.h"
#include "event_test_support.h"
#include "help_test_res.h"
#include "help_win_support.h"
#include "native_controls.h"
#include "ruvv_windef.h"

namespace {

using ht::library_hook;
using ht::in_app;
using ht::Recorder;

std::string report_ids()
{
    std::string s;
    for (const kt::Report &r : kt::reports())
        s += std::to_string(r.severity) + ":" + std::to_string(r.id) + " " + r.text + "; ";
    return s;
}

intptr_t attr(int32_t key)
{
    return ruvk_vobj_get_attr(NULL_WIN, key);
}

void clear_hook()
{
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_HOOK, 0);
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_INFO, 0);
}

RUV_BOOL app_hook(void *, RUV_WIN, RUV_EVENT *)
{
    return TRUE;
}

// Must stay the first test of the program: nothing is open before it.
TEST(HelpFiles, FlavourAttributesAndTheLibrarysOwnHook)
{
    EXPECT_EQ(ruv_help_get_flavor(), 0);
    ht::HelpFiles files;
    in_app([&] {
        ASSERT_EQ(attr(RUV_ATTR_HELP_HOOK), 0);
        const RUV_FILE_SPEC spec = files.spec();
        RUV_HELP_INFO *first = ruv_help_open_helpfile(&spec, 0);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(ruv_help_get_flavor(), RUV_HELP_FLAVOR_WINHELP);
        // The first open of the process with no hook set installs the
        // library's own.
        ASSERT_NE(library_hook(), 0);
        EXPECT_EQ(attr(RUV_ATTR_HELP_HOOK), library_hook());
        EXPECT_EQ(attr(RUV_ATTR_HELP_INFO), reinterpret_cast<intptr_t>(first));
        ruv_help_close_helpfile(first);
        EXPECT_EQ(attr(RUV_ATTR_HELP_HOOK), library_hook()) << "the hook stays";
        EXPECT_EQ(attr(RUV_ATTR_HELP_INFO), 0);
        ASSERT_EQ(Recorder::calls().size(), 1u);
        EXPECT_EQ(Recorder::calls()[0].command, static_cast<UINT>(HELP_QUIT));
        EXPECT_TRUE(ht::same_path(Recorder::calls()[0].file, files.hlp())) << Recorder::calls()[0].file;

        // A later open leaves both attributes alone: the library's hook
        // keeps no file and passes every event on.
        RUV_HELP_INFO *second = ruv_help_open_helpfile(&spec, 0);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(attr(RUV_ATTR_HELP_HOOK), library_hook());
        EXPECT_EQ(attr(RUV_ATTR_HELP_INFO), 0);
        RUV_RECT r{ 30, 30, 150, 250 };
        RUV_WIN win = ruvk_win_create(1, &r, "Doc", 0, et::task(), 0x3, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(win, nullptr);
        Recorder::calls().clear();
        RUV_EVENT e = ht::command_event(32452);
        EXPECT_NE(ruvv_win_dispatch_event(win, &e), -1) << "the hook passed the help-menu command on";
        EXPECT_TRUE(Recorder::commands().empty());
        ruvk_vobj_destroy(win);
        ruv_help_close_helpfile(second);

        // An application's own hook is never replaced.
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_HOOK, reinterpret_cast<intptr_t>(&app_hook));
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_INFO, 0);
        RUV_HELP_INFO *third = ruv_help_open_helpfile(&spec, 0);
        ASSERT_NE(third, nullptr);
        EXPECT_EQ(attr(RUV_ATTR_HELP_HOOK), reinterpret_cast<intptr_t>(&app_hook));
        EXPECT_EQ(attr(RUV_ATTR_HELP_INFO), 0);
        ruv_help_close_helpfile(third);
        // Nor set when it is empty after the first open of the process.
        clear_hook();
        RUV_HELP_INFO *fourth = ruv_help_open_helpfile(&spec, 0);
        ASSERT_NE(fourth, nullptr);
        EXPECT_EQ(attr(RUV_ATTR_HELP_HOOK), 0);
        EXPECT_EQ(attr(RUV_ATTR_HELP_INFO), 0);
        ruv_help_close_helpfile(fourth);
        EXPECT_TRUE(kt::reports().empty()) << report_ids();
    });
}

TEST(HelpFiles, ExportsExactlyTheDefinitionFile)
{
    ASSERT_NE(GetModuleHandleA("ruvhelp.dll"), nullptr);
    const std::set<std::string> def = exports::def_names(RUVHELP_DEF_FILE);
    EXPECT_EQ(def.size(), 31u);
    EXPECT_EQ(exports::exported_names("ruvhelp.dll"), def);
}

TEST(HelpFiles, StandardMenuAssociationsAndMissingFiles)
{
    ht::HelpFiles files;
    in_app([&] {
        const RUV_FILE_SPEC spec = files.spec();
        RUV_HELP_INFO *info = ruv_help_open_helpfile(&spec, 0);
        ASSERT_NE(info, nullptr);
        const int32_t table[][2] = { { 32451, 32020 }, { 32455, 32001 }, { 32462, 32006 },
                                     { 32453, 32022 }, { 32452, 32000 }, { 32454, 32005 },
                                     { 32457, 32021 }, { 32458, 32023 }, { 32459, 32007 } };
        for (const auto &t : table)
            EXPECT_EQ(ruvv_help_get_menu_assoc(info, NULL_WIN, t[0]), t[1]) << t[0];
        EXPECT_EQ(ruvv_help_get_menu_assoc(info, NULL_WIN, 32456), 0);
        // The public form wants a window.
        EXPECT_EQ(ruv_help_get_menu_assoc(info, NULL_WIN, 32451), 0);
        EXPECT_TRUE(kt::reported(0x210000));
        EXPECT_EQ(ruv_help_get_menu_assoc(info, et::task(), 32451), 0);
        ruv_help_close_helpfile(info);

        RUV_HELP_INFO *plain = ruv_help_open_helpfile(&spec, RUV_HELP_NO_MENU_ASSOC | RUV_HELP_OPEN_FLAG_10);
        ASSERT_NE(plain, nullptr);
        for (const auto &t : table)
            EXPECT_EQ(ruvv_help_get_menu_assoc(plain, NULL_WIN, t[0]), 0) << t[0];
        ruv_help_close_helpfile(plain);

        kt::reports().clear();
        const RUV_FILE_SPEC missing = files.spec("nothing");
        EXPECT_EQ(ruv_help_open_helpfile(&missing, 0), nullptr);
        RUV_FILE_SPEC no_dir = files.spec();
        std::strcpy(no_dir.dir.path, (files.dir() + "\\gone").c_str());
        EXPECT_EQ(ruv_help_open_helpfile(&no_dir, 0), nullptr);
        EXPECT_TRUE(kt::reports().empty()) << "a file not found is no error";
    });
}

TEST(HelpFiles, PublicChecksInOrderAndNoCoreCallOnARefusal)
{
    ht::HelpFiles files;
    in_app([&] {
        const RUV_FILE_SPEC spec = files.spec();
        RUV_HELP_INFO *info = ruv_help_open_helpfile(&spec, RUV_HELP_NO_MENU_ASSOC);
        ASSERT_NE(info, nullptr);
        RUV_RECT r{ 30, 30, 150, 250 };
        RUV_WIN win = ruvk_win_create(1, &r, "Doc", 0, et::task(), 0x3, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(win, nullptr);
        alignas(RUV_VOBJ) unsigned char fake_bytes[sizeof(RUV_VOBJ)] = {};
        RUV_WIN bad = reinterpret_cast<RUV_WIN>(fake_bytes);
        RUV_HELP_INFO *stale = reinterpret_cast<RUV_HELP_INFO *>(fake_bytes);
        RUV_EVENT ev = ht::command_event(32452);
        struct Case {
            const char *what;
            std::function<void()> call;
            RUV_ERRMSG_ID id;
        };
        const std::vector<Case> cases = {
            { "open, no file specification", [] { EXPECT_EQ(ruv_help_open_helpfile(nullptr, 0), nullptr); }, 0x210000 },
            { "close, stale", [&] { ruv_help_close_helpfile(stale); }, 0x1220001 },
            { "close, NULL", [&] { ruv_help_close_helpfile(nullptr); }, 0x1220001 },
            { "display, stale", [&] { ruv_help_display_topic(stale, 5); }, 0x1220001 },
            { "display, topic 0", [&] { ruv_help_display_topic(info, 0); }, 0x210000 },
            { "search, stale", [&] { ruv_help_search_topic(stale, 5, "k"); }, 0x1220001 },
            { "set menu, stale first", [&] { ruv_help_set_menu_assoc(stale, bad, 0, 1, 0); }, 0x1220001 },
            { "set menu, bad window", [&] { ruv_help_set_menu_assoc(info, bad, 0, 1, 0); }, 0x1220002 },
            { "set menu, tag 0", [&] { ruv_help_set_menu_assoc(info, NULL_WIN, 0, 1, 0); }, 0x1250001 },
            { "set menu, tag -1", [&] { ruv_help_set_menu_assoc(info, win, -1, 1, 0); }, 0x1250001 },
            { "get menu, no window", [&] { ruv_help_get_menu_assoc(info, NULL_WIN, 0); }, 0x210000 },
            { "get menu, bad window", [&] { ruv_help_get_menu_assoc(info, bad, 5); }, 0x1220002 },
            { "get menu, tag 0", [&] { ruv_help_get_menu_assoc(info, win, 0); }, 0x1250001 },
            { "set win, no window", [&] { ruv_help_set_win_assoc(info, NULL_WIN, 1, 0); }, 0x210000 },
            { "set win, bad window", [&] { ruv_help_set_win_assoc(info, bad, 1, 0); }, 0x1220002 },
            { "set win, stale", [&] { ruv_help_set_win_assoc(stale, win, 1, 0); }, 0x1220001 },
            { "get win, no window", [&] { ruv_help_get_win_assoc(info, NULL_WIN); }, 0x210000 },
            { "get win, bad window", [&] { ruv_help_get_win_assoc(info, bad); }, 0x1220002 },
            { "assoc all, no window", [&] { ruv_help_assoc_all(info, NULL_WIN, 0, nullptr); }, 0x210000 },
            { "assoc all, bad window", [&] { ruv_help_assoc_all(info, bad, 101, nullptr); }, 0x1220002 },
            { "assoc all, id 0", [&] { ruv_help_assoc_all(info, win, 0, nullptr); }, 0x210000 },
            { "disassoc, no window", [&] { ruv_help_disassoc_all(info, NULL_WIN); }, 0x210000 },
            { "disassoc, bad window", [&] { ruv_help_disassoc_all(info, bad); }, 0x1220002 },
            { "begin, no window", [&] { ruv_help_begin_objclick(info, NULL_WIN, 0); }, 0x1220002 },
            { "begin, bad window", [&] { ruv_help_begin_objclick(info, bad, 0); }, 0x1220002 },
            { "end, stale", [&] { ruv_help_end_objclick(stale); }, 0x1220001 },
            { "event, stale", [&] { EXPECT_FALSE(ruv_help_process_event(stale, win, &ev)); }, 0x1220001 },
            { "event, no window", [&] { EXPECT_FALSE(ruv_help_process_event(info, NULL_WIN, &ev)); }, 0x210000 },
            { "event, bad window", [&] { EXPECT_FALSE(ruv_help_process_event(info, bad, &ev)); }, 0x1220002 },
            { "event, no event", [&] { EXPECT_FALSE(ruv_help_process_event(info, win, nullptr)); }, 0x210000 },
        };
        for (const Case &c : cases) {
            kt::reports().clear();
            Recorder::calls().clear();
            c.call();
            ASSERT_EQ(kt::reports().size(), 1u) << c.what;
            EXPECT_EQ(kt::reports()[0].id, c.id) << c.what;
            EXPECT_EQ(kt::reports()[0].severity, RUV_SEV_ERROR) << c.what;
            EXPECT_TRUE(Recorder::calls().empty()) << c.what;
        }
        // Nothing was set, nothing began, the handle still works.
        EXPECT_EQ(ruvv_help_get_menu_assoc(info, NULL_WIN, 0x7fffffff), 0);
        EXPECT_EQ(ruvv_help_get_win_assoc(info, win), 0);
        EXPECT_EQ(GetCapture(), nullptr);
        kt::reports().clear();
        ruv_help_set_win_assoc(info, win, 44, 0);
        EXPECT_EQ(ruv_help_get_win_assoc(info, win), 44);
        ruv_help_set_menu_assoc(info, NULL_WIN, 9, 45, 0);
        EXPECT_EQ(ruvv_help_get_menu_assoc(info, NULL_WIN, 9), 45);
        ruv_help_display_topic(info, 44);
        ruv_help_search_topic(info, 1, nullptr);
        EXPECT_EQ(Recorder::commands(), (std::vector<UINT>{ HELP_CONTEXT, HELP_PARTIALKEY }));
        EXPECT_EQ(Recorder::calls()[1].key, "") << "a NULL key searches with \"\"";
        EXPECT_TRUE(Recorder::calls()[1].has_key);
        EXPECT_TRUE(kt::reports().empty()) << report_ids();
        ruvk_vobj_destroy(win);
        ruv_help_close_helpfile(info);
    });
}

TEST(HelpFiles, AssociationsOfAWindowMadeFromItsResource)
{
    ht::HelpFiles files("# associations of the test window\n"
                        "W 101 0 500\n"
                        "C 5 101 510\n"
                        "C 6 0 530\n"
                        "M 1003 101 520\n"
                        "M 32462 101 540\n"
                        "M 1002 999 550\n"
                        "W 65637 0 900\n");
    in_app([&] {
        const RUV_FILE_SPEC spec = files.spec();
        RUV_HELP_INFO *info = ruv_help_open_helpfile(&spec, RUV_HELP_NO_MENU_ASSOC);
        ASSERT_NE(info, nullptr);
        RUV_WIN win = ruvv_win_create_res(HT_WINDOW, et::task(), RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(win, nullptr);
        RUV_WIN go = ruvk_win_get_ctl(win, HT_GO), stop = ruvk_win_get_ctl(win, HT_STOP);
        ASSERT_NE(go, nullptr);
        ruv_help_assoc_all(info, win, HT_WINDOW, nullptr);
        EXPECT_EQ(ruv_help_get_win_assoc(info, win), 500);
        EXPECT_EQ(ruv_help_get_win_assoc(info, go), 510);
        EXPECT_EQ(ruv_help_get_win_assoc(info, stop), 530) << "an entry without parent serves";
        EXPECT_EQ(ruv_help_get_menu_assoc(info, win, 1003), 520);
        EXPECT_EQ(ruv_help_get_menu_assoc(info, win, 32462), 540) << "submenus are walked";
        EXPECT_EQ(ruv_help_get_menu_assoc(info, win, 1002), 0) << "an entry of another window does not serve";
        // An id beyond 16 bits names no resource, not the one of its low bits.
        RUV_WIN again = ruvv_win_create_res(HT_WINDOW, et::task(), RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(again, nullptr);
        EXPECT_FALSE(ruvv_help_assoc_all(info, again, HT_WINDOW + 65536, nullptr));
        EXPECT_EQ(ruv_help_get_win_assoc(info, again), 0);
        ruvk_vobj_destroy(again);
        EXPECT_TRUE(kt::reports().empty()) << report_ids();

        // The window going away takes its own, its controls' and its menu
        // associations with it (through the library's hook).
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_HOOK, library_hook());
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_INFO, reinterpret_cast<intptr_t>(info));
        ruv_help_set_menu_assoc(info, NULL_WIN, 1003, 600, 0);
        ruvk_vobj_destroy(win);
        EXPECT_EQ(ruvv_help_get_win_assoc(info, win), 0);
        EXPECT_EQ(ruvv_help_get_win_assoc(info, go), 0);
        EXPECT_EQ(ruvv_help_get_menu_assoc(info, win, 1003), 0);
        EXPECT_EQ(ruvv_help_get_menu_assoc(info, win, 32462), 0);
        EXPECT_EQ(ruvv_help_get_menu_assoc(info, NULL_WIN, 1003), 600) << "others stay";
        clear_hook();
        ruv_help_close_helpfile(info);
    });
}

TEST(HelpFiles, AssociationsInBulkNeedTheFile)
{
    ht::HelpFiles without;
    ht::HelpFiles rejected("W 101 0 500\nX 1 2 3\n");
    in_app([&] {
        RUV_WIN win = ruvv_win_create_res(HT_WINDOW, et::task(), RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(win, nullptr);
        const RUV_FILE_SPEC spec = without.spec();
        RUV_HELP_INFO *info = ruv_help_open_helpfile(&spec, RUV_HELP_NO_MENU_ASSOC);
        ASSERT_NE(info, nullptr);
        EXPECT_FALSE(ruvv_help_assoc_all(info, win, HT_WINDOW, nullptr));
        ruv_help_close_helpfile(info);
        // A rejected file is reported and leaves the help file open
        // without entries.
        kt::reports().clear();
        const RUV_FILE_SPEC bad = rejected.spec();
        info = ruv_help_open_helpfile(&bad, RUV_HELP_NO_MENU_ASSOC);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(kt::severity_of(0x597172), RUV_SEV_ERROR);
        EXPECT_FALSE(ruvv_help_assoc_all(info, win, HT_WINDOW, nullptr));
        EXPECT_EQ(ruv_help_get_win_assoc(info, win), 0);
        ruv_help_close_helpfile(info);
        ruvk_vobj_destroy(win);
    });
}

TEST(HelpFiles, HelpMenuCommandsAndHelpRequests)
{
    ht::HelpFiles files;
    in_app([&] {
        const RUV_FILE_SPEC spec = files.spec();
        RUV_HELP_INFO *info = ruv_help_open_helpfile(&spec, 0);
        ASSERT_NE(info, nullptr);
        RUV_WIN win = ruvv_win_create_res(HT_WINDOW, et::task(), RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(win, nullptr);
        RUV_WIN go = ruvk_win_get_ctl(win, HT_GO);
        struct Case {
            int32_t tag;
            BOOL handled;
            UINT command;
            LONG data;
        };
        const Case cases[] = {
            { 32452, TRUE, HELP_HELPONHELP, 0 }, { 32453, TRUE, HELP_CONTEXT, 32001 },
            { 32454, TRUE, HELP_CONTEXT, 32005 }, { 32455, TRUE, HELP_CONTEXT, 32001 },
            { 32456, TRUE, HELP_CONTEXT, 32002 }, { 32457, TRUE, HELP_PARTIALKEY, 0 },
            { 32459, TRUE, HELP_CONTEXT, 32007 }, { 32461, TRUE, HELP_CONTEXT, 32009 },
            { 32462, TRUE, HELP_CONTENTS, 0 },    { 32460, FALSE, 0, 0 },
            { 32450, FALSE, 0, 0 },               { 1002, FALSE, 0, 0 },
        };
        for (const Case &c : cases) {
            Recorder::calls().clear();
            RUV_EVENT e = ht::command_event(c.tag);
            EXPECT_EQ(ruv_help_process_event(info, win, &e), c.handled) << c.tag;
            if (!c.handled) {
                EXPECT_TRUE(Recorder::calls().empty()) << c.tag;
                continue;
            }
            ASSERT_EQ(Recorder::calls().size(), 1u) << c.tag;
            EXPECT_EQ(Recorder::calls()[0].command, c.command) << c.tag;
            if (c.command == HELP_PARTIALKEY)
                EXPECT_EQ(Recorder::calls()[0].key, "");
            else
                EXPECT_EQ(Recorder::calls()[0].data, c.data) << c.tag;
        }
        // 32453: the window's own association; 32451: the focus's chain.
        ruv_help_set_win_assoc(info, win, 77, 0);
        Recorder::calls().clear();
        RUV_EVENT e = ht::command_event(32453);
        EXPECT_TRUE(ruv_help_process_event(info, go, &e));
        e = ht::command_event(32453);
        EXPECT_TRUE(ruv_help_process_event(info, win, &e));
        SetForegroundWindow(et::hwnd(win));
        SetFocus(et::hwnd(go));
        et::pump(50);
        e = ht::command_event(32451);
        EXPECT_TRUE(ruv_help_process_event(info, win, &e));
        ASSERT_EQ(Recorder::calls().size(), 3u);
        EXPECT_EQ(Recorder::calls()[0].data, 32001) << "a control's own association only";
        EXPECT_EQ(Recorder::calls()[1].data, 77);
        EXPECT_EQ(Recorder::calls()[2].data, 77) << "the focus's parent window";

        // Help requests: the event's topic, the menu association (window,
        // then none), the object's chain, the contents.
        ruv_help_set_menu_assoc(info, win, 1003, 88, 0);
        struct Help {
            RUV_EVENT ev;
            UINT command;
            LONG data;
        };
        const Help helps[] = {
            { ht::help_event(NULL_WIN), HELP_CONTENTS, 0 },
            { ht::help_event(go, 0, 33), HELP_CONTEXT, 33 },
            { ht::help_event(go, 1003), HELP_CONTEXT, 88 },
            { ht::help_event(NULL_WIN, 32452), HELP_HELPONHELP, 0 },
            { ht::help_event(go), HELP_CONTEXT, 77 },
            { ht::help_event(NULL_WIN, 1002), HELP_CONTENTS, 0 },
        };
        for (const Help &h : helps) {
            Recorder::calls().clear();
            RUV_EVENT ev = h.ev;
            EXPECT_TRUE(ruv_help_process_event(info, win, &ev));
            ASSERT_EQ(Recorder::calls().size(), 1u);
            EXPECT_EQ(Recorder::calls()[0].command, h.command);
            EXPECT_EQ(Recorder::calls()[0].data, h.data);
        }
        // Other events pass; the hook says so the other way round.
        auto hook = reinterpret_cast<RUV_EVENT_HOOK>(library_hook());
        Recorder::calls().clear();
        RUV_EVENT update = ht::event_of(E_UPDATE);
        EXPECT_FALSE(ruv_help_process_event(info, win, &update));
        EXPECT_EQ(hook(info, win, &update), TRUE);
        RUV_EVENT cmd = ht::command_event(32452);
        EXPECT_EQ(hook(info, win, &cmd), FALSE);
        EXPECT_EQ(hook(nullptr, win, &cmd), TRUE) << "no handle: everything passes";
        EXPECT_EQ(Recorder::calls().size(), 1u);

        // E_DESTROY takes the associations and passes on.
        RUV_EVENT destroy = ht::event_of(E_DESTROY);
        ruv_help_set_win_assoc(info, go, 99, 0);
        EXPECT_FALSE(ruv_help_process_event(info, win, &destroy));
        EXPECT_EQ(ruv_help_get_win_assoc(info, win), 0);
        EXPECT_EQ(ruv_help_get_win_assoc(info, go), 0);
        EXPECT_EQ(ruv_help_get_menu_assoc(info, win, 1003), 0);
        EXPECT_EQ(ruvv_help_get_menu_assoc(info, NULL_WIN, 32452), 32000);
        EXPECT_TRUE(kt::reports().empty()) << report_ids();
        ruvk_vobj_destroy(win);
        ruv_help_close_helpfile(info);
    });
}

// ---- memory running out ----

const char kFatalVar[] = "RUVH_FATAL_CHILD";

struct Failing {
    static bool &on() { static bool f = false; return f; }
    static void *alloc(size_t n) { return on() ? nullptr : std::malloc(n ? n : 1); }
    static void *zalloc(size_t n) { return on() ? nullptr : std::calloc(1, n ? n : 1); }
    static void *resize(void *p, size_t n) { return on() ? nullptr : std::realloc(p, n ? n : 1); }
    static void release(void *p) { std::free(p); }
};

void write_fatal(const char *text)
{
    if (FILE *f = std::fopen(std::getenv(kFatalVar), "w")) {
        std::fputs(text, f);
        std::fclose(f);
    }
    ExitProcess(3);
}

TEST(HelpFatal, AFailedAllocationEndsTheProcessWithTheLibrarysText)
{
    if (std::getenv(kFatalVar)) {
        static const RUV_MEM_FUNCS funcs = { Failing::alloc, Failing::release, Failing::resize, Failing::zalloc };
        ruvv_mem_set_functions(&funcs);
        ht::HelpFiles files;
        kt::Session session;
        ASSERT_TRUE(session.ok());
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_FATAL_HOOK, reinterpret_cast<intptr_t>(&write_fatal));
        const RUV_FILE_SPEC spec = files.spec();
        Failing::on() = true;
        ruv_help_open_helpfile(&spec, 0);
        ADD_FAILURE() << "returned";
        return;
    }
    kt::ChildRun child = kt::run_child(kFatalVar, "HelpFatal.*");
    ASSERT_TRUE(child.ran);
    EXPECT_EQ(child.exit_code, 3u);
    EXPECT_EQ(child.output.find("HELP error: 103!\n"), 0u) << child.output;
    EXPECT_NE(child.output.find("Unable to allocate "), std::string::npos) << child.output;
    EXPECT_NE(child.output.find("[File: hservs, line: "), std::string::npos) << child.output;
}

} // namespace
