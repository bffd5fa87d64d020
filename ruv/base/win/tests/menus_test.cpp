// Menus of toolkit windows on the real system: bars built from trees and
// read back with the system's own menu calls, trees read back from bars,
// items changed by tag, the cache that discards native menus and keeps
// their changes, records that cannot be built, bars from native menu
// resources, pop-up menus whose choice comes back as a command, and the
// font-menu selection.
#include <cstring>
#include <string>
#include <vector>

#include "kernel_test_support.h"
#include "menus.h"
#include "ruvv_font.h"
#include "window_create.h"

namespace {

RUV_WIN task()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

char *t(const char *s)
{
    return const_cast<char *>(s);
}

constexpr uint32_t ON = RUV_MENU_ENABLED;

// File: Exit (x), exit (E), a separator, "Save & Close" checked, a greyed
// item; Edit; "|Help" starting a column with About.
RUV_MENU_ITEM g_file[] = {
    { 101, t("Exit"), 'x', ON, nullptr, 0 },
    { 102, t("exit"), 'E', ON, nullptr, 0 },
    { 0, nullptr, 0, RUV_MENU_SEPARATOR, nullptr, 0 },
    { 103, t("Save & Close"), 0, ON | RUV_MENU_CHECKED, nullptr, 0 },
    { 104, t("Grey"), 0, 0, nullptr, 0 },
    { 32065, t("Close"), 'C', ON, nullptr, 0 },
    {},
};
RUV_MENU_ITEM g_edit[] = {
    { 201, t("Undo"), 'U', ON, nullptr, 0 },
    {},
};
RUV_MENU_ITEM g_help[] = {
    { 32451, t("About"), 'A', ON, nullptr, 0 },
    {},
};
RUV_MENU_ITEM g_bar[] = {
    { 100, t("File"), 'F', ON, g_file, 0 },
    { 200, t("Edit"), 'E', ON, g_edit, 0 },
    { 300, t("|Help"), 'H', ON, g_help, 0 },
    {},
};

std::string text_at(HMENU menu, UINT pos)
{
    char buf[256] = "";
    GetMenuStringA(menu, pos, buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

const RUV_MENU_ITEM *g_edit_bar()
{
    static RUV_MENU_ITEM bar[] = {
        { 200, t("Edit"), 'E', ON, g_edit, 0 },
        {},
    };
    return bar;
}

HMENU frame_bar()
{
    return GetMenu(kt::hwnd_of(task()));
}

std::vector<int32_t> &commands()
{
    static std::vector<int32_t> c;
    return c;
}

int32_t record_commands(RUV_WIN, RUV_EVENT *ev)
{
    if (ev->type == E_COMMAND)
        commands().push_back(ev->v.command.tag);
    return 0;
}

void app(std::function<void()> body, bool mdi = false, int32_t menu_bar_id = 0)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    if (mdi) {
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MDI, 1);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TASK_STYLE, 0x883);
    }
    commands().clear();
    static RUV_APP_CONFIG config{ 0, 0, "mtest", "mtest", "Menu test" };
    config.menu_bar_id = menu_bar_id;
    kt::run_app([body] {
        kt::capture_errors();
        kt::reports().clear();
        body();
    }, record_commands, &config);
}

RUV_WIN make_doc(int16_t top)
{
    RUV_RECT r = { top, 10, static_cast<int16_t>(top + 100), 200 };
    return ruvk_win_create(1, &r, "Doc", 0, task(), 0x803, RUV_EVENT_MASK_ALL, nullptr, nullptr);
}

// First in the program, so the counting hooks go in before any start.
TEST(MenusMemory, RecordsTreesAndDiscardsGiveTheirMemoryBack)
{
    kt::MemCount::install(false);
    app([] {
        auto round = [] {
            std::vector<RUV_WIN> docs;
            for (int i = 0; i < 9; ++i) {
                RUV_WIN d = make_doc(static_cast<int16_t>(30 + 10 * i));
                ASSERT_NE(d, nullptr);
                ruvk_menu_set_tree(d, g_bar);
                ruvk_menu_set_item_checked(d, 103, 0);
                docs.push_back(d);
            }
            ruvk_menu_set_tree(docs[0], g_bar);
            RUV_MENU_ITEM *tree = ruvk_menu_get_tree(docs[1]);
            ASSERT_NE(tree, nullptr);
            ruvv_res_free_menu_tree(tree);
            RUV_FONT *f = ruvv_font_create();
            ruvk_menu_set_font_sel(docs[2], f);
            ruvv_font_destroy(f);
            for (RUV_WIN d : docs)
                ruvk_vobj_destroy(d);
        };
        round();   // warm-up: module blocks fill once
        kt::reports().clear();
        long before = kt::MemCount::outstanding();
        long allocs = kt::MemCount::allocs();
        round();
        round();
        kt::reports().clear();
        EXPECT_GT(kt::MemCount::allocs(), allocs) << "the counting hooks are in place";
        EXPECT_EQ(kt::MemCount::outstanding(), before);
    });
}

TEST(Menus, BarFromTreeShowsMarksColumnsAndStatesAndReadsBack)
{
    app([] {
        ruvk_menu_set_tree(task(), g_bar);
        HMENU bar = frame_bar();
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(GetMenuItemCount(bar), 3);
        EXPECT_EQ(text_at(bar, 0), "&File");
        EXPECT_EQ(text_at(bar, 1), "&Edit");
        EXPECT_EQ(text_at(bar, 2), "&Help");
        EXPECT_TRUE(GetMenuState(bar, 2, MF_BYPOSITION) & MF_MENUBARBREAK);
        EXPECT_FALSE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_MENUBARBREAK);
        // The caller's tree keeps its bar character.
        EXPECT_STREQ(g_bar[2].title, "|Help");

        HMENU file = GetSubMenu(bar, 0);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(text_at(file, 0), "E&xit");    // the exact character
        EXPECT_EQ(text_at(file, 1), "&exit");    // else without regard to case
        EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_EQ(text_at(file, 3), "Save && Close");   // a literal '&' stays one
        EXPECT_TRUE(GetMenuState(file, 103, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_TRUE(GetMenuState(file, 104, MF_BYCOMMAND) & MF_GRAYED);

        RUV_MENU_ITEM *tree = ruvk_menu_get_tree(task());
        ASSERT_NE(tree, nullptr);
        const struct {
            const RUV_MENU_ITEM &item;
            int32_t tag;
            const char *title;
            int32_t mnemonic;
            uint32_t flags;
        } expect[] = {
            { tree[0], 100, "File", 'F', ON | RUV_MENU_CHECKABLE },
            { tree[1], 200, "Edit", 'E', ON | RUV_MENU_CHECKABLE },
            { tree[2], 300, "Help", 'H', ON | RUV_MENU_CHECKABLE },
            { tree[0].submenu[0], 101, "Exit", 'x', ON | RUV_MENU_CHECKABLE },
            { tree[0].submenu[1], 102, "exit", 'e', ON | RUV_MENU_CHECKABLE },
            { tree[0].submenu[2], -1, "", 0, RUV_MENU_SEPARATOR },
            { tree[0].submenu[3], 103, "Save & Close", 0, ON | RUV_MENU_CHECKABLE | RUV_MENU_CHECKED },
            { tree[0].submenu[4], 104, "Grey", 0, RUV_MENU_CHECKABLE },
            { tree[2].submenu[0], 32451, "About", 'A', ON | RUV_MENU_CHECKABLE },
        };
        for (const auto &e : expect) {
            EXPECT_EQ(e.item.tag, e.tag) << e.title;
            EXPECT_STREQ(e.item.title, e.title);
            EXPECT_EQ(e.item.mnemonic, e.mnemonic) << e.title;
            EXPECT_EQ(e.item.flags, e.flags) << e.title;
        }
        EXPECT_TRUE(tree[2].reserved & MF_MENUBARBREAK);   // the column is carried over
        EXPECT_EQ(tree[3].tag, 0);
        EXPECT_EQ(tree[3].title, nullptr);

        // The tree read back builds the same bar again.
        ruvk_menu_set_tree(task(), tree);
        ruvv_res_free_menu_tree(tree);
        bar = frame_bar();
        EXPECT_EQ(text_at(GetSubMenu(bar, 0), 3), "Save && Close");
        EXPECT_EQ(text_at(bar, 2), "&Help");
        EXPECT_TRUE(GetMenuState(bar, 2, MF_BYPOSITION) & MF_MENUBARBREAK);
        EXPECT_TRUE(kt::reports().empty());
    });
}

TEST(Menus, ItemsChangedByTag)
{
    app([] {
        ruvk_menu_set_tree(task(), g_bar);
        HMENU bar = frame_bar();
        ruvk_menu_set_item_checked(task(), 103, 0);
        EXPECT_FALSE(GetMenuState(bar, 103, MF_BYCOMMAND) & MF_CHECKED);
        ruvk_menu_set_item_checked(task(), 101, 1);
        EXPECT_TRUE(GetMenuState(bar, 101, MF_BYCOMMAND) & MF_CHECKED);

        // Closing all stands for closing.
        ruvk_menu_set_item_enabled(task(), 32766, 0);
        EXPECT_TRUE(GetMenuState(bar, 32065, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_EQ(ruvk_menu_set_item_enabled(task(), 32766, 1), static_cast<int32_t>(MF_GRAYED));
        EXPECT_FALSE(GetMenuState(bar, 32065, MF_BYCOMMAND) & MF_GRAYED);

        // Titles in mnemonic notation; a pop-up stays a pop-up, a checked
        // item stays checked.
        ruvk_menu_set_item_title(task(), 101, "Save ~As");
        EXPECT_EQ(text_at(GetSubMenu(bar, 0), 0), "Save &As");
        EXPECT_TRUE(GetMenuState(bar, 101, MF_BYCOMMAND) & MF_CHECKED);
        ruvk_menu_set_item_title(task(), 200, "R&D");
        EXPECT_EQ(text_at(bar, 1), "R&&D");
        EXPECT_NE(GetSubMenu(bar, 1), nullptr);
        RUV_MENU_ITEM *tree = ruvk_menu_get_tree(task());
        ASSERT_NE(tree, nullptr);
        EXPECT_STREQ(tree[1].title, "R&D");
        EXPECT_EQ(tree[1].tag, 200);
        EXPECT_STREQ(tree[0].submenu[0].title, "Save As");
        EXPECT_EQ(tree[0].submenu[0].mnemonic, 'A');
        ruvv_res_free_menu_tree(tree);
        EXPECT_TRUE(kt::reports().empty());

        // An unknown standard tag is ignored; an unknown own tag is fatal.
        ruvk_menu_set_item_checked(task(), 32500, 1);
        ruvk_menu_set_item_enabled(task(), 32500, 1);
        ruvk_menu_set_item_title(task(), 32500, "x");
        EXPECT_TRUE(kt::reports().empty());
        ruvk_menu_set_item_checked(task(), 999, 1);
        ruvk_menu_set_item_enabled(task(), 999, 1);
        ruvk_menu_set_item_title(task(), 999, "x");
        for (RUV_ERRMSG_ID id : { 0x3480F0, 0x3480F4, 0x3480FC })
            EXPECT_EQ(kt::severity_of(id), RUV_SEV_FATAL) << std::hex << id;
    });
}

TEST(Menus, RecordArgumentsAndTreeErrors)
{
    app([] {
        RUV_WIN doc = make_doc(40);
        ASSERT_NE(doc, nullptr);
        ruvk_menu_set_tree(doc, nullptr);
        EXPECT_TRUE(kt::reported(0x1210002));
        EXPECT_FALSE(ruvk_menu_has_record(doc));

        kt::reports().clear();
        EXPECT_FALSE(ruvk_menu_attach(doc, 0, nullptr));
        EXPECT_EQ(kt::severity_of(0x3486E0), RUV_SEV_FATAL);
        kt::reports().clear();
        EXPECT_FALSE(ruvk_menu_attach(doc, 5, g_bar));
        EXPECT_EQ(kt::severity_of(0x3486E0), RUV_SEV_FATAL);
        EXPECT_FALSE(ruvk_menu_has_record(doc));
        ruvk_vobj_destroy(doc);
    });
}

TEST(Menus, RecordWhoseMenuCannotBeBuiltFailsEveryChange)
{
    app([] {
        const struct {
            const char *name;
            std::function<void(RUV_WIN)> op;
            RUV_ERRMSG_ID fatal;
        } cases[] = {
            { "checked", [](RUV_WIN w) { ruvk_menu_set_item_checked(w, 1, 1); }, 0x3480EF },
            { "enabled", [](RUV_WIN w) { ruvk_menu_set_item_enabled(w, 1, 1); }, 0x3480F3 },
            { "title", [](RUV_WIN w) { ruvk_menu_set_item_title(w, 1, "x"); }, 0x3480FB },
            { "update", [](RUV_WIN w) { ruvk_menu_update(w); }, 0x34814D },
            { "font", [](RUV_WIN w) { ruvk_menu_set_font_sel(w, nullptr); }, 0x34814E },
        };
        for (const auto &c : cases) {
            RUV_WIN doc = make_doc(40);
            ASSERT_NE(doc, nullptr);
            // A menu resource the program does not have.
            ASSERT_TRUE(ruvk_menu_attach(doc, 4711, nullptr));
            kt::reports().clear();
            c.op(doc);
            EXPECT_TRUE(kt::reported(0x1210001)) << c.name;
            EXPECT_EQ(kt::severity_of(c.fatal), RUV_SEV_FATAL) << c.name;
            kt::reports().clear();
            EXPECT_EQ(ruvk_menu_get_tree(doc), nullptr);
            ruvk_vobj_destroy(doc);
        }
    });
}

TEST(Menus, CheckMarkSurvivesDiscardByEightOtherMenus)
{
    app([] {
        ruvk_menu_set_tree(task(), g_bar);
        ruvk_menu_set_item_checked(task(), 103, 0);
        ruvk_menu_set_item_checked(task(), 104, 1);
        std::vector<RUV_WIN> docs;
        for (int i = 0; i < 8; ++i) {
            RUV_WIN d = make_doc(static_cast<int16_t>(30 + 10 * i));
            ASSERT_NE(d, nullptr);
            ruvk_menu_set_tree(d, g_bar);
            docs.push_back(d);
        }
        EXPECT_LE(ruvk_menu_cache_count(), 7);
        RUV_MENU_ITEM *tree = ruvk_menu_get_tree(task());
        ASSERT_NE(tree, nullptr);
        EXPECT_FALSE(tree[0].submenu[3].flags & RUV_MENU_CHECKED);
        EXPECT_TRUE(tree[0].submenu[4].flags & RUV_MENU_CHECKED);
        ruvv_res_free_menu_tree(tree);
        // Shown again, the rebuilt bar has the change too.
        ruvk_menu_show(task());
        HMENU bar = frame_bar();
        ASSERT_NE(bar, nullptr);
        EXPECT_FALSE(GetMenuState(bar, 103, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_TRUE(GetMenuState(bar, 104, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_EQ(text_at(GetSubMenu(bar, 0), 3), "Save && Close");
        for (RUV_WIN d : docs)
            ruvk_vobj_destroy(d);
        // The test program has no document icon: only that warning.
        for (const kt::Report &r : kt::reports())
            if (r.id != 0x3485FF)
                ADD_FAILURE() << std::hex << r.id << " " << r.text;
    });
}

TEST(Menus, DetachedDocumentShowsAFlatBarWhileItsMenuIsAway)
{
    app([] {
        RUV_WIN screen = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
        RUV_RECT rect{ 10, 10, 150, 300 };
        RUV_WIN det = ruvk_win_create(1, &rect, "Detached", 0, screen, 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ASSERT_NE(det, nullptr);
        ASSERT_EQ(det->kind, RUVK_KIND_DETDOC);
        ruvk_menu_set_tree(det, g_bar);
        ruvk_menu_set_item_checked(det, 101, 1);
        HWND hwnd = kt::hwnd_of(det);
        ASSERT_NE(GetSubMenu(GetMenu(hwnd), 0), nullptr);

        std::vector<RUV_WIN> docs;
        for (int i = 0; i < 8; ++i) {
            RUV_WIN d = make_doc(static_cast<int16_t>(30 + 10 * i));
            ASSERT_NE(d, nullptr);
            ruvk_menu_set_tree(d, g_bar);
            docs.push_back(d);
        }
        // Each pop-up is a plain item under its first item's tag minus one.
        HMENU flat = GetMenu(hwnd);
        ASSERT_NE(flat, nullptr);
        ASSERT_EQ(GetMenuItemCount(flat), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(GetSubMenu(flat, i), nullptr) << i;
        EXPECT_EQ(GetMenuItemID(flat, 0), 100u);
        EXPECT_EQ(GetMenuItemID(flat, 2), 32450u);
        EXPECT_EQ(text_at(flat, 0), "&File");

        // Any change brings the full bar back, with the earlier change.
        ruvk_menu_set_item_enabled(det, 102, 0);
        HMENU bar = GetMenu(hwnd);
        ASSERT_NE(GetSubMenu(bar, 0), nullptr);
        EXPECT_TRUE(GetMenuState(bar, 101, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_TRUE(GetMenuState(bar, 102, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_FALSE(IsMenu(flat));
        for (RUV_WIN d : docs)
            ruvk_vobj_destroy(d);
        ruvk_vobj_destroy_ex(det, 0);
        for (const kt::Report &r : kt::reports())
            if (r.id != 0x3485FF)
                ADD_FAILURE() << std::hex << r.id << " " << r.text;
    });
}

TEST(Menus, AWindowWithItsOwnBarKeepsTheClientSizeAsked)
{
    app([] {
        RUV_WIN screen = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
        RUV_MENU_ITEM bar[] = { { 200, t("Edit"), 'E', ON, g_edit, 0 }, {} };
        for (RUV_MENU_ITEM *menu : { static_cast<RUV_MENU_ITEM *>(nullptr), bar }) {
            RUV_WIN_DEF def[2] = {};
            def[0].type = 1;
            def[0].rect = RUV_RECT{ 20, 20, 140, 260 };
            def[0].title = t("Sized");
            def[0].u.win.flags = 0x3;
            def[0].u.win.menu = menu;
            RUV_WIN w = ruvk_win_create_def(def, screen, RUV_EVENT_MASK_ALL, nullptr, nullptr);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(GetMenu(kt::hwnd_of(w)) != nullptr, menu != nullptr);
            RECT c;
            GetClientRect(kt::hwnd_of(w), &c);
            // The outer rectangle reckons a bar one border line taller
            // than this system may draw it.
            EXPECT_GE(c.bottom, 120) << (menu ? "with a bar" : "without");
            EXPECT_LE(c.bottom, 121) << (menu ? "with a bar" : "without");
            EXPECT_EQ(c.right, 240);
            ruvk_vobj_destroy_ex(w, 0);
        }
    });
}

TEST(Menus, ChosenPopupItemArrivesAsCommand)
{
    app([] {
        ruvk_menu_set_tree(task(), g_bar);
        HWND hwnd = kt::hwnd_of(task());
        RUV_MENU_ITEM popup[] = {
            { 501, t("One"), 0, ON, nullptr, 0 },
            { 0, nullptr, 0, RUV_MENU_SEPARATOR, nullptr, 0 },
            { 502, t("Two"), 0, ON, nullptr, 0 },
            {},
        };
        // The menu's own loop takes the keys: down to the first item,
        // down past the separator, Enter.
        for (WPARAM key : { VK_DOWN, VK_DOWN, VK_RETURN })
            PostMessageA(hwnd, WM_KEYDOWN, key, 0);
        EXPECT_TRUE(ruvk_menu_popup(popup, task(), RUV_POINT{ 20, 20 }, 1, 502));
        MSG m;
        for (int i = 0; i < 20 && commands().empty(); ++i) {
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
            Sleep(10);
        }
        ASSERT_EQ(commands().size(), 1u);
        EXPECT_EQ(commands()[0], 502);
    });
}

TEST(Menus, FontSelection)
{
    app([] {
        ruvk_menu_set_tree(task(), g_bar);
        EXPECT_EQ(ruvk_menu_get_font_sel(task(), 0), nullptr);
        RUV_FONT *f = ruvv_font_create();
        ruvv_font_set_family(f, "Arial");
        ruvv_font_set_size(f, 14);
        ruvk_menu_set_font_sel(task(), f);
        ruvv_font_destroy(f);
        RUV_FONT *own = ruvk_menu_get_font_sel(task(), 0);
        ASSERT_NE(own, nullptr);
        EXPECT_STREQ(ruvv_font_get_family(own), "Arial");
        EXPECT_EQ(ruvv_font_get_size(own), 14);
        RUV_FONT *copy = ruvk_menu_get_font_sel(task(), 1);
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, own);
        EXPECT_EQ(ruvv_font_get_size(copy), 14);
        ruvv_font_destroy(copy);
        ruvk_menu_set_font_sel(task(), nullptr);
        EXPECT_EQ(ruvk_menu_get_font_sel(task(), 0), nullptr);
    });
}

TEST(Menus, BarFromNativeResourceIsIndexedByTag)
{
    app([] {
        HMENU bar = frame_bar();
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(GetMenuItemCount(bar), 2);
        EXPECT_EQ(text_at(bar, 1), "&View");
        // A pop-up stands under its first item's tag minus one.
        ruvk_menu_set_item_title(task(), 1100, "~Look");
        EXPECT_EQ(text_at(bar, 1), "&Look");
        EXPECT_NE(GetSubMenu(bar, 1), nullptr);
        ruvk_menu_set_item_checked(task(), 1101, 0);
        EXPECT_FALSE(GetMenuState(bar, 1101, MF_BYCOMMAND) & MF_CHECKED);
        ruvk_menu_set_item_enabled(task(), 1002, 0);
        EXPECT_TRUE(GetMenuState(bar, 1002, MF_BYCOMMAND) & MF_GRAYED);
        RUV_MENU_ITEM *tree = ruvk_menu_get_tree(task());
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(tree[0].tag, 1000);
        EXPECT_EQ(tree[1].tag, 1100);
        EXPECT_STREQ(tree[1].title, "Look");
        EXPECT_EQ(tree[1].mnemonic, 'L');
        EXPECT_EQ(tree[0].submenu[1].tag, -1);
        EXPECT_EQ(tree[0].submenu[2].flags, RUV_MENU_CHECKABLE);
        EXPECT_EQ(tree[1].submenu[0].flags, ON | RUV_MENU_CHECKABLE);
        ruvv_res_free_menu_tree(tree);

        // A document's system menu loses Switch To and the Close key text.
        RUV_WIN doc = make_doc(40);
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(ruvk_menu_attach(doc, 700, nullptr));
        ruvk_menu_after_creation(doc);
        HMENU sys = GetSystemMenu(kt::hwnd_of(doc), FALSE);
        EXPECT_EQ(GetMenuState(sys, SC_TASKLIST, MF_BYCOMMAND), static_cast<UINT>(-1));
        char close[64] = "";
        GetMenuStringA(sys, SC_CLOSE, close, sizeof close, MF_BYCOMMAND);
        EXPECT_EQ(std::strchr(close, '\t'), nullptr) << close;
        int n = GetMenuItemCount(sys);
        EXPECT_FALSE(GetMenuState(sys, static_cast<UINT>(n - 1), MF_BYPOSITION) & MF_SEPARATOR);
        // Its bar shows on the frame while it is active, the task's after it.
        ruvk_menu_show(doc);
        EXPECT_NE(frame_bar(), bar);
        ruvk_vobj_destroy(doc);
        EXPECT_EQ(frame_bar(), bar);
    }, false, 700);
}

TEST(Menus, MdiBarsCarryTheWindowMenuBeforeHelp)
{
    app([] {
        RUV_APP_RECORD *a = ruvk_app_record();
        ASSERT_NE(a->window_menu, nullptr);
        ruvk_menu_set_tree(task(), g_bar);
        HMENU bar = frame_bar();
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(GetMenuItemCount(bar), 4);
        EXPECT_EQ(text_at(bar, 2), "&Window");
        EXPECT_EQ(GetSubMenu(bar, 2), a->window_menu);
        EXPECT_EQ(text_at(bar, 3), "&Help");
        // Items behind the window menu are still found by tag.
        ruvk_menu_set_item_title(task(), 300, "Hel~p");
        EXPECT_EQ(text_at(bar, 3), "Hel&p");
        // The tree leaves the window menu out.
        RUV_MENU_ITEM *tree = ruvk_menu_get_tree(task());
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(tree[2].tag, 300);
        EXPECT_EQ(tree[3].tag, 0);
        EXPECT_EQ(tree[3].title, nullptr);
        ruvv_res_free_menu_tree(tree);

        // A document's own bar gets the window menu at its end.
        RUV_WIN doc = make_doc(10);
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->kind, 0x40000008u);
        ruvk_menu_set_tree(doc, g_edit_bar());
        ruvk_menu_show(doc);
        HMENU doc_bar = frame_bar();
        ASSERT_NE(doc_bar, bar);
        ASSERT_GE(GetMenuItemCount(doc_bar), 2);
        EXPECT_EQ(GetSubMenu(doc_bar, GetMenuItemCount(doc_bar) - 1), a->window_menu);
        ruvk_vobj_destroy(doc);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
        EXPECT_EQ(frame_bar(), bar);
        EXPECT_EQ(GetSubMenu(bar, 2), a->window_menu);
        for (const kt::Report &r : kt::reports())
            if (r.id != 0x3485FF)
                ADD_FAILURE() << std::hex << r.id << " " << r.text;
    }, true);
}

} // namespace
