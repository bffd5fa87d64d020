// Keyboard navigation with real keys: Tab and Shift+Tab move the focus over
// the tab stops and wrap, cross into and out of nested child windows, the
// arrow keys move inside radio groups, a mnemonic letter skips disabled
// controls, Enter and Esc press the default and cancel buttons.  The focus
// is read back from the window system.
#include <algorithm>
#include <string>
#include <vector>

#include "control_window_test_support.h"
#include "native_controls.h"
#include "ruvv_list.h"
#include "ruvv_nav.h"
#include "window_services.h"

namespace {

RUV_WIN make(RUV_WIN parent, int32_t type, int32_t id, RUV_RECT r, const char *title = "", uint32_t flags = 0)
{
    return ruvk_ctl_create(type, &r, title, parent, flags, nullptr, id);
}

// Radio buttons of the window checked the way an application does it: the
// pressed one checked, the others of its list cleared.
std::vector<RUV_WIN> &radios()
{
    static std::vector<RUV_WIN> r;
    return r;
}

int32_t handler(RUV_WIN win, RUV_EVENT *event)
{
    et::record(win, event);
    if (event->type == E_CONTROL && event->v.control.type == WC_RADIO_BUTTON) {
        std::vector<RUV_WIN> &all = radios();
        if (std::find(all.begin(), all.end(), event->v.control.ctl) != all.end())
            for (RUV_WIN r : all)
                ruvk_ctl_set_checked(r, r == event->v.control.ctl);
    }
    return 0;
}

SLIST *list_of(std::initializer_list<RUV_WIN> wins)
{
    SLIST *l = ruvv_slist_create();
    for (RUV_WIN w : wins)
        ruvv_slist_add_at_pos(l, -1, "", reinterpret_cast<intptr_t>(w));
    return l;
}

RUV_CXO *navigate(RUV_WIN win, std::initializer_list<RUV_WIN> wins)
{
    SLIST *l = list_of(wins);
    RUV_CXO *nav = ruvv_nav_create(win, l);
    ruvv_slist_destroy(l);
    return nav;
}

RUV_WIN focused()
{
    return ruvwi_hwnd_to_window(GetFocus());
}

void tab(bool shift = false)
{
    if (shift)
        et::keys({VK_SHIFT, VK_TAB, -VK_TAB, -VK_SHIFT});
    else
        et::keys({VK_TAB, -VK_TAB});
    et::pump(80);
}

void arrow(int vk)
{
    et::keys({vk, -vk}, true);
    et::pump(120);
}

void key(int vk)
{
    et::keys({vk, -vk});
    et::pump(120);
}

// Ids of the buttons the window saw pressed, in order.
std::vector<int32_t> pressed(RUV_WIN w)
{
    std::vector<int32_t> out;
    for (const et::Seen &s : et::seen())
        if (s.win == w && s.ev.type == E_CONTROL && s.ev.v.control.type >= WC_PUSH_BUTTON &&
            s.ev.v.control.type <= WC_CHECK_BOX)
            out.push_back(s.ev.v.control.id);
    return out;
}

class Navigation : public testing::Test {
protected:
    void run(std::function<void(RUV_WIN)> body)
    {
        radios().clear();
        cw::run_in_window("Navigation", RUV_RECT{40, 40, 420, 560}, handler, body);
    }
};

TEST_F(Navigation, TabAndShiftTabWrapAndSkipWhatCannotTakeTheFocus)
{
    run([](RUV_WIN w) {
        RUV_WIN one = make(w, WC_PUSH_BUTTON, 10, RUV_RECT{10, 10, 40, 110}, "One");
        RUV_WIN edit = make(w, WC_EDIT, 11, RUV_RECT{50, 10, 74, 200});
        RUV_WIN check = make(w, WC_CHECK_BOX, 12, RUV_RECT{80, 10, 100, 200}, "Check");
        RUV_WIN off = make(w, WC_PUSH_BUTTON, 13, RUV_RECT{110, 10, 140, 110}, "Off", RUV_CF_DISABLED);
        RUV_WIN gone = make(w, WC_PUSH_BUTTON, 14, RUV_RECT{150, 10, 180, 110}, "Gone", RUV_CF_HIDDEN);
        RUV_WIN label = make(w, WC_STATIC_TEXT, 15, RUV_RECT{190, 10, 210, 110}, "Label");
        RUV_WIN last = make(w, WC_PUSH_BUTTON, 16, RUV_RECT{220, 10, 250, 110}, "Last");
        ruvk_vobj_set_title(edit, "abc");
        ASSERT_NE(navigate(w, {one, edit, check, off, gone, label, last}), nullptr);
        std::vector<RUV_WIN> forward, backward;
        DWORD sel_start = 9, sel_end = 0;
        et::undisturbed([&] {
            forward.clear();
            backward.clear();
            ruvk_scr_set_focus_vobj(one);
            et::pump(50);
            for (int i = 0; i < 4; ++i) {
                tab();
                forward.push_back(focused());
                if (i == 0)
                    SendMessageA(kt::hwnd_of(edit), EM_GETSEL, reinterpret_cast<WPARAM>(&sel_start),
                                 reinterpret_cast<LPARAM>(&sel_end));
            }
            for (int i = 0; i < 2; ++i) {
                tab(true);
                backward.push_back(focused());
            }
        });
        EXPECT_EQ(forward, (std::vector<RUV_WIN>{edit, check, last, one}));
        EXPECT_EQ(backward, (std::vector<RUV_WIN>{last, check}));
        EXPECT_EQ(sel_start, 0u);  // the edit field's whole text selected
        EXPECT_EQ(sel_end, 3u);
    });
}

TEST_F(Navigation, TabCrossesIntoAndOutOfNestedChildWindows)
{
    run([](RUV_WIN w) {
        RUV_WIN a = make(w, WC_PUSH_BUTTON, 20, RUV_RECT{10, 10, 40, 110}, "A");
        RUV_RECT cr = {50, 10, 150, 300};
        RUV_WIN child = ruvk_win_create(7, &cr, "", 0, w, 0x803, RUV_EVENT_MASK_ALL, handler, nullptr);
        ASSERT_NE(child, nullptr);
        RUV_WIN c1 = make(child, WC_PUSH_BUTTON, 30, RUV_RECT{10, 10, 40, 110}, "C1");
        RUV_WIN c2 = make(child, WC_EDIT, 31, RUV_RECT{50, 10, 74, 200});
        RUV_WIN b = make(w, WC_PUSH_BUTTON, 21, RUV_RECT{160, 10, 190, 110}, "B");
        // A second child window without a navigation of its own.
        RUV_RECT pr = {200, 10, 260, 300};
        RUV_WIN plain = ruvk_win_create(7, &pr, "", 0, w, 0x803, RUV_EVENT_MASK_ALL, handler, nullptr);
        ASSERT_NE(plain, nullptr);
        RUV_WIN ok = make(w, WC_PUSH_BUTTON, 1, RUV_RECT{300, 10, 330, 110}, "OK");
        RUV_WIN cancel = make(w, WC_PUSH_BUTTON, 2, RUV_RECT{300, 120, 330, 220}, "Cancel");
        RUV_CXO *outer = navigate(w, {a, child, b, plain});
        ASSERT_NE(outer, nullptr);
        // The child listed in the outer navigation hands its keys on; its
        // own navigation takes the handler's place.
        EXPECT_NE(ruvv_win_get_cxo(child, "NavChildWin", nullptr), nullptr);
        ASSERT_NE(navigate(child, {c1, c2}), nullptr);
        EXPECT_EQ(ruvv_win_get_cxo(child, "NavChildWin", nullptr), nullptr);
        EXPECT_NE(ruvv_win_get_cxo(plain, "NavChildWin", nullptr), nullptr);
        std::vector<RUV_WIN> forward, backward;
        std::vector<int32_t> ids;
        et::undisturbed([&] {
            forward.clear();
            backward.clear();
            ruvk_scr_set_focus_vobj(a);
            et::pump(50);
            for (int i = 0; i < 5; ++i) {
                tab();
                forward.push_back(focused());
            }
            for (int i = 0; i < 4; ++i) {
                tab(true);
                backward.push_back(focused());
            }
            // Enter and Esc in the nested edit field reach the outer
            // window's default and cancel buttons.
            et::seen().clear();
            ruvk_scr_set_focus_vobj(c2);
            et::pump(50);
            key(VK_RETURN);
            key(VK_ESCAPE);
            ids = pressed(w);
        });
        EXPECT_EQ(forward, (std::vector<RUV_WIN>{c1, c2, b, plain, a}));
        EXPECT_EQ(backward, (std::vector<RUV_WIN>{plain, b, c2, c1}));
        EXPECT_EQ(ids, (std::vector<int32_t>{1, 2}));
        (void)ok;
        (void)cancel;
    });
}

TEST_F(Navigation, ArrowsMoveInsideRadioGroupsAndTabGoesToTheNextGroup)
{
    run([](RUV_WIN w) {
        // r3 carries the group mark: it closes the first group; r4 and r5
        // make the second.
        RUV_WIN r1 = make(w, WC_RADIO_BUTTON, 41, RUV_RECT{10, 10, 30, 150}, "R1");
        RUV_WIN r2 = make(w, WC_RADIO_BUTTON, 42, RUV_RECT{35, 10, 55, 150}, "R2");
        RUV_WIN r3 = make(w, WC_RADIO_BUTTON, 43, RUV_RECT{60, 10, 80, 150}, "R3", 0x20);
        RUV_WIN r4 = make(w, WC_RADIO_BUTTON, 44, RUV_RECT{90, 10, 110, 150}, "R4");
        RUV_WIN r5 = make(w, WC_RADIO_BUTTON, 45, RUV_RECT{115, 10, 135, 150}, "R5");
        RUV_WIN push = make(w, WC_PUSH_BUTTON, 46, RUV_RECT{150, 10, 180, 110}, "Push");
        radios() = {r1, r2, r3};
        ASSERT_NE(navigate(w, {r1, r2, r3, r4, r5, push}), nullptr);
        std::vector<RUV_WIN> moves;
        bool r1_checked_after_wrap = false;
        et::undisturbed([&] {
            moves.clear();
            ruvk_ctl_set_checked(r1, TRUE);
            for (RUV_WIN r : {r2, r3, r4, r5})
                ruvk_ctl_set_checked(r, FALSE);
            ruvk_scr_set_focus_vobj(r1);
            et::pump(50);
            for (int vk : {VK_DOWN, VK_RIGHT, VK_DOWN}) {
                arrow(vk);
                moves.push_back(focused());
            }
            r1_checked_after_wrap = ruvk_ctl_is_checked(r1) && !ruvk_ctl_is_checked(r3);
            for (int vk : {VK_UP, VK_LEFT}) {
                arrow(vk);
                moves.push_back(focused());
            }
            tab();
            moves.push_back(focused());
            tab();
            moves.push_back(focused());
        });
        EXPECT_EQ(moves, (std::vector<RUV_WIN>{r2, r3, r1, r3, r2, r4, push}));
        EXPECT_TRUE(r1_checked_after_wrap);
        EXPECT_TRUE(ruvk_ctl_is_checked(r2));
        EXPECT_FALSE(ruvk_ctl_is_checked(r1));
    });
}

TEST_F(Navigation, MnemonicsSkipDisabledControlsAndLabelsHandTheFocusOn)
{
    run([](RUV_WIN w) {
        RUV_WIN alpha = make(w, WC_PUSH_BUTTON, 50, RUV_RECT{10, 10, 40, 110}, "~Alpha", RUV_CF_DISABLED);
        RUV_WIN apple = make(w, WC_PUSH_BUTTON, 51, RUV_RECT{50, 10, 80, 110}, "~Apple");
        RUV_WIN name = make(w, WC_STATIC_TEXT, 52, RUV_RECT{90, 10, 110, 110}, "~Name");
        RUV_WIN edit = make(w, WC_EDIT, 53, RUV_RECT{90, 120, 114, 300});
        RUV_WIN bold = make(w, WC_CHECK_BOX, 54, RUV_RECT{120, 10, 140, 150}, "~Bold");
        RUV_WIN tilde = make(w, WC_PUSH_BUTTON, 55, RUV_RECT{150, 10, 180, 110}, "A~~Z");
        ASSERT_NE(navigate(w, {alpha, apple, name, edit, bold, tilde}), nullptr);
        std::vector<RUV_WIN> got;
        std::vector<int32_t> ids;
        et::undisturbed([&] {
            got.clear();
            et::seen().clear();
            for (int vk : {'A', 'N', 'B', 'Z'}) {
                ruvk_scr_set_focus_vobj(w);
                et::pump(50);
                key(vk);
                got.push_back(focused());
            }
            ids = pressed(w);
        });
        // 'Z' matches nothing ("~~" is a tilde): the focus stays.
        EXPECT_EQ(got, (std::vector<RUV_WIN>{apple, edit, bold, w}));
        EXPECT_NE(std::find(ids.begin(), ids.end(), 51), ids.end());
        EXPECT_NE(std::find(ids.begin(), ids.end(), 54), ids.end());
        EXPECT_EQ(std::find(ids.begin(), ids.end(), 50), ids.end());
    });
}

TEST_F(Navigation, EnterAndEscapePressTheDefaultAndCancelButtons)
{
    run([](RUV_WIN w) {
        RUV_WIN ok = make(w, WC_PUSH_BUTTON, 1, RUV_RECT{200, 10, 230, 110}, "OK");
        RUV_WIN cancel = make(w, WC_PUSH_BUTTON, 2, RUV_RECT{200, 120, 230, 220}, "Cancel");
        RUV_WIN edit = make(w, WC_EDIT, 60, RUV_RECT{10, 10, 34, 200});
        RUV_WIN check = make(w, WC_CHECK_BOX, 61, RUV_RECT{40, 10, 60, 150}, "Check");
        RUV_WIN other = make(w, WC_PUSH_BUTTON, 62, RUV_RECT{70, 10, 100, 110}, "Other");
        ASSERT_NE(navigate(w, {edit, check, other, ok, cancel}), nullptr);
        std::vector<int32_t> ids, ids_disabled;
        et::undisturbed([&] {
            et::seen().clear();
            ruvk_scr_set_focus_vobj(edit);
            et::pump(50);
            key(VK_RETURN);
            ruvk_scr_set_focus_vobj(check);
            et::pump(50);
            key(VK_ESCAPE);
            ruvk_scr_set_focus_vobj(other);
            et::pump(50);
            key(VK_RETURN);
            ids = pressed(w);
            // A disabled default button is not pressed.
            et::seen().clear();
            ruvk_vobj_set_enabled(ok, FALSE);
            ruvk_scr_set_focus_vobj(edit);
            et::pump(50);
            key(VK_RETURN);
            ids_disabled = pressed(w);
            ruvk_vobj_set_enabled(ok, TRUE);
        });
        EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 62}));
        EXPECT_TRUE(ids_disabled.empty());
    });
}

TEST_F(Navigation, ListsAndRefusals)
{
    run([](RUV_WIN w) {
        RUV_WIN a = make(w, WC_PUSH_BUTTON, 70, RUV_RECT{10, 10, 40, 110}, "A");
        RUV_WIN b = make(w, WC_PUSH_BUTTON, 71, RUV_RECT{50, 10, 80, 110}, "B");
        RUV_WIN c = make(w, WC_CHECK_BOX, 72, RUV_RECT{90, 10, 110, 110}, "C");
        RUV_CXO *nav = navigate(w, {a, b});
        ASSERT_NE(nav, nullptr);
        EXPECT_TRUE(ruvv_nav_is_valid(nav));
        EXPECT_EQ(ruvv_win_get_nav(w), nav);
        EXPECT_EQ(ruvk_vobj_get_attr(w, RUV_ATTR_NAVIGATION), 1);

        // A second navigation on the same window is refused.
        kt::reports().clear();
        EXPECT_EQ(navigate(w, {c}), nullptr);
        EXPECT_TRUE(kt::reported(0x01640001));
        EXPECT_EQ(ruvv_win_get_nav(w), nav);

        EXPECT_TRUE(ruvv_nav_add_win(nav, c, a, RUV_NAV_AFTER));
        SLIST *l = ruvv_nav_list_wins(nav);  // reverse order
        ASSERT_NE(l, nullptr);
        std::vector<RUV_WIN> listed;
        for (int i = 0; i < ruvv_slist_count(l); ++i) {
            intptr_t ref = 0;
            ruvv_slist_get_elt(l, i, &ref);
            listed.push_back(reinterpret_cast<RUV_WIN>(ref));
        }
        ruvv_slist_destroy(l);
        EXPECT_EQ(listed, (std::vector<RUV_WIN>{b, c, a}));
        EXPECT_TRUE(ruvv_nav_rem_win(nav, c));
        l = ruvv_nav_list_wins(nav);
        EXPECT_EQ(ruvv_slist_count(l), 2);
        ruvv_slist_destroy(l);
        // A place next to a window that is not listed adds nothing.
        EXPECT_FALSE(ruvv_nav_add_win(nav, c, c, RUV_NAV_BEFORE));

        ruvv_nav_destroy(nav);
        EXPECT_EQ(ruvv_win_get_nav(w), nullptr);
        EXPECT_EQ(ruvk_vobj_get_attr(w, RUV_ATTR_NAVIGATION), 0);

        // A window of a kind that cannot be navigated makes the creation fail.
        RUV_RECT dr = {10, 10, 60, 60};
        RUV_WIN doc = ruvk_win_create(1, &dr, "Doc", 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, handler, nullptr);
        kt::reports().clear();
        EXPECT_EQ(navigate(w, {a, doc}), nullptr);
        EXPECT_TRUE(kt::reported(0x01230001));
        EXPECT_EQ(ruvv_win_get_nav(w), nullptr);
        EXPECT_EQ(ruvv_nav_list_wins(nullptr), nullptr);
    });
}

} // namespace
