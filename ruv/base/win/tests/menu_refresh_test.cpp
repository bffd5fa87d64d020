// Menus kept in step with the window the user works in, and the native-menu
// cache: the bar comes back on the frame when the utility window serves its
// refresh message and when the task window takes the focus itself; the
// cache attributes count and bound the native menus; a tag index that
// cannot grow makes the menu fail to build (the changed window keeps its
// old bar), for bars from trees, native bars and their nested pop-ups.
#include <string>
#include <vector>

#include "control_window_test_support.h"
#include "event_translate.h"
#include "menus.h"
#include "window_create.h"
#include "window_services.h"

namespace {

constexpr uint32_t ON = RUV_MENU_ENABLED;

char *t(const char *s)
{
    return const_cast<char *>(s);
}

RUV_MENU_ITEM g_items_a[] = {{1101, t("Open"), 'O', ON, nullptr, 0}, {}};
RUV_MENU_ITEM g_bar_a[] = {{1100, t("Alpha"), 'A', ON, g_items_a, 0}, {}};
RUV_MENU_ITEM g_items_b[] = {{1201, t("Close"), 'C', ON, nullptr, 0}, {}};
RUV_MENU_ITEM g_bar_b[] = {{1200, t("Beta"), 'B', ON, g_items_b, 0}, {}};

using cw::RefusingMem;

// A tag index entry (tag, native menu, position) and its growth step.
constexpr size_t kIndexEntry = 24;
constexpr size_t kIndexStep = 50;

std::string first_title(HMENU bar)
{
    char buf[64] = "";
    if (bar)
        GetMenuStringA(bar, 0, buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

HWND frame()
{
    return kt::hwnd_of(et::task());
}

RUV_WIN make_doc(int32_t menu_id = 0)
{
    RUV_RECT r = {60, 60, 200, 300};
    return ruvk_win_create(1, &r, "Doc", menu_id, et::task(), 0x803, RUV_EVENT_MASK_ALL, et::record, nullptr);
}

void in_application(const std::function<void()> &body)
{
    RefusingMem::install();
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(body);
}

TEST(MenuRefresh, TheFrameShowsTheBarOfTheWindowInUseAgain)
{
    in_application([] {
        ruvk_menu_set_tree(et::task(), g_bar_a);
        RUV_WIN doc = make_doc();
        ASSERT_NE(doc, nullptr);
        ruvk_menu_set_tree(doc, g_bar_b);
        std::string after_refresh, after_task_focus;
        et::undisturbed([&] {
            ruvk_scr_set_focus_vobj(doc);
            et::pump(50);
            // Another bar put on the frame behind the toolkit's back.
            SetMenu(frame(), nullptr);
            PostMessageA(ruvk_app_record()->utility, RUVK_MSG_MENU_REFRESH, 0, 0);
            et::pump(50);
            after_refresh = first_title(GetMenu(frame()));
        });
        EXPECT_EQ(after_refresh, "&Beta");

        ruvk_vobj_destroy(doc);
        et::undisturbed([&] {
            SetFocus(nullptr);
            et::pump(30);
            SetMenu(frame(), nullptr);
            SetFocus(frame());  // the task window itself, with no child to pass it on to
            et::pump(80);
            after_task_focus = first_title(GetMenu(frame()));
        });
        EXPECT_EQ(after_task_focus, "&Alpha");
    });
}

TEST(MenuRefresh, AnActivatedMdiDocumentShowsItsBar)
{
    RefusingMem::install();
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MDI, 1);
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TASK_STYLE, 0x883);
    et::run([] {
        ASSERT_EQ(et::task()->kind, 0x80000001u);
        ruvk_menu_set_tree(et::task(), g_bar_a);
        RUV_WIN first = make_doc();
        RUV_WIN second = make_doc();
        ASSERT_TRUE(first && second);
        ruvk_menu_set_tree(first, g_bar_a);
        ruvk_menu_set_tree(second, g_bar_b);
        et::pump(50);
        // Another bar on the frame; the activation alone brings the
        // document's bar back.
        SetMenu(frame(), nullptr);
        SendMessageA(kt::hwnd_of(second), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(kt::hwnd_of(first)),
                     reinterpret_cast<LPARAM>(kt::hwnd_of(second)));
        EXPECT_EQ(first_title(GetMenu(frame())), "&Beta");
        // The window menu goes with the document's bar.
        HMENU bar = GetMenu(frame());
        char last[32] = "";
        GetMenuStringA(bar, GetMenuItemCount(bar) - 1, last, sizeof last, MF_BYPOSITION);
        EXPECT_STREQ(last, "&Window");
    });
}

TEST(MenuRefresh, TheCacheAttributesCountAndBoundTheNativeMenus)
{
    in_application([] {
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 10024), 0);
        std::vector<RUV_WIN> docs;
        std::vector<intptr_t> counts;
        for (int i = 0; i < 9; ++i) {
            docs.push_back(make_doc());
            ruvk_menu_set_tree(docs.back(), i % 2 ? g_bar_a : g_bar_b);
            counts.push_back(ruvk_vobj_get_attr(NULL_WIN, 10024));
        }
        EXPECT_EQ(counts, (std::vector<intptr_t>{1, 2, 3, 4, 5, 6, 7, 7, 7}));
        ruvk_vobj_set_attr(NULL_WIN, 10023, 3);
        ruvk_menu_set_tree(docs[0], g_bar_a);
        EXPECT_LE(ruvk_vobj_get_attr(NULL_WIN, 10024), 3);
        // A menu let go keeps its changes: it is saved and built again.
        ruvk_menu_set_item_checked(docs[1], 1101, 1);
        for (int i = 2; i < 6; ++i)
            ruvk_menu_set_tree(docs[i], g_bar_b);
        RUV_MENU_ITEM *tree = ruvk_menu_get_tree(docs[1]);
        ASSERT_NE(tree, nullptr);
        EXPECT_TRUE(tree[0].submenu[0].flags & RUV_MENU_CHECKED);
        ruvv_res_free_menu_tree(tree);
        EXPECT_LE(ruvk_vobj_get_attr(NULL_WIN, 10024), 3);
        ruvk_vobj_set_attr(NULL_WIN, 10023, 7);
        for (RUV_WIN d : docs)
            ruvk_vobj_destroy(d);
    });
}

TEST(MenuRefresh, AnIndexThatCannotGrowFailsTheBuild)
{
    in_application([] {
        // A bar from a tree: the new bar is refused and the old one stays.
        RUV_WIN doc = make_doc();
        ruvk_menu_set_tree(doc, g_bar_a);
        kt::reports().clear();
        RefusingMem::armed() = kIndexEntry * kIndexStep;
        ruvk_menu_set_tree(doc, g_bar_b);
        RefusingMem::armed() = 0;
        EXPECT_EQ(kt::severity_of(0x34817F), RUV_SEV_FATAL);
        EXPECT_EQ(kt::severity_of(0x348104), RUV_SEV_FATAL);
        RUV_MENU_ITEM *tree = ruvk_menu_get_tree(doc);
        ASSERT_NE(tree, nullptr);
        EXPECT_STREQ(tree[0].title, "Alpha");
        ruvv_res_free_menu_tree(tree);
        ruvk_vobj_destroy(doc);

        // Native bars of the program's resources: the first growth fails on
        // a top pop-up of bar 700, the second inside the nested pop-up that
        // is the 51st item of bar 701.
        struct Case {
            int32_t menu;
            size_t refused;
            RUV_ERRMSG_ID id;
        };
        const Case cases[] = {
            {700, kIndexEntry * kIndexStep, 0x348181},
            {701, kIndexEntry * kIndexStep * 2, 0x348182},
        };
        for (const Case &c : cases) {
            kt::reports().clear();
            RefusingMem::armed() = c.refused;
            RUV_WIN d = make_doc(c.menu);
            ASSERT_NE(d, nullptr) << c.menu;
            RUV_MENU_ITEM *none = ruvk_menu_get_tree(d);
            RefusingMem::armed() = 0;
            EXPECT_EQ(none, nullptr) << c.menu;
            ruvv_res_free_menu_tree(none);
            EXPECT_EQ(kt::severity_of(c.id), RUV_SEV_FATAL) << c.menu;
            EXPECT_TRUE(kt::reported(0x1210001)) << c.menu;  // "NULL Object handle"
            // With memory again the bar is built.
            RUV_MENU_ITEM *built = ruvk_menu_get_tree(d);
            EXPECT_NE(built, nullptr) << c.menu;
            ruvv_res_free_menu_tree(built);
            ruvk_vobj_destroy(d);
        }
    });
}

} // namespace
