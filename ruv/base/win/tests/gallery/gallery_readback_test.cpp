// The gallery's window opened without a screen and read back control by
// control: native class, kind, id, title in toolkit form, styles, check
// and enabled state, rows, scroll ranges, the rectangle given in dialog
// units, the tooltip and the drawable pane.
#include <string>
#include <vector>

#include "gallery_window.h"
#include "kernel_test_support.h"
#include "window_services.h"

namespace {

struct Expect {
    int32_t id;
    int32_t type;
    const char *cls;
    const char *title;     // toolkit form; NULL: not compared
    DWORD style_low;       // low four style bits (the button and static kind)
    bool enabled;
};

const Expect CONTROLS[] = {
    {GL_OK, 12, "Button", "~OK", BS_DEFPUSHBUTTON, true},
    {GL_CANCEL, 12, "Button", "Ca~ncel", BS_PUSHBUTTON, true},
    {GL_OFF, 12, "Button", "~Disabled", BS_PUSHBUTTON, false},
    {GL_RADIO1, 13, "Button", "Radio ~one", BS_RADIOBUTTON, true},
    {GL_RADIO2, 13, "Button", "Radio ~two", BS_RADIOBUTTON, true},
    {GL_CHECK, 14, "Button", "~Check box", BS_CHECKBOX, true},
    {GL_GROUP, 22, "Button", "~Group", BS_GROUPBOX, true},
    {GL_LABEL, 18, "Static", "~Name:", SS_LEFT, true},
    {GL_NAME, 17, "Edit", "Tracer", 0, true},
    {GL_PASS_LABEL, 18, "Static", "~Password:", SS_LEFT, true},
    {GL_PASS, 17, "Edit", "secret", 0, true},
    {GL_ROWS, 19, "ListBox", nullptr, 0, true},
    {GL_KIND, 20, "ComboBox", nullptr, CBS_DROPDOWNLIST, true},
    {GL_UNIT, 21, "ComboBox", nullptr, CBS_DROPDOWN, true},
    {GL_ICON, 24, "Static", nullptr, SS_ICON, true},
    {GL_HBAR, 15, "ScrollBar", nullptr, SBS_HORZ, true},
    {GL_VBAR, 16, "ScrollBar", nullptr, SBS_VERT, true},
};

RECT rect_in_parent(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

TEST(GalleryReadBack, EveryControlOfTheDescriptionReadsBack)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_COLOR_LIST_ROWS, 1);
    bool ran = false;
    kt::run_app([&] {
        ran = true;
        RUV_WIN main = gallery::open();
        ASSERT_NE(main, nullptr);
        HWND main_hwnd = kt::hwnd_of(main);
        char text[128];
        ruvk_vobj_get_title(main, text, sizeof text);
        EXPECT_STREQ(text, "Control gallery");

        for (const Expect &e : CONTROLS) {
            SCOPED_TRACE(e.id);
            RUV_WIN c = ruvk_win_get_ctl(main, e.id);
            ASSERT_NE(c, nullptr);
            HWND h = kt::hwnd_of(c);
            EXPECT_EQ(GetParent(h), main_hwnd);
            EXPECT_EQ(c->type, e.type);
            EXPECT_EQ(ruvk_ctl_get_id(c), e.id);
            EXPECT_EQ(ruvk_ctl_type_of_hwnd(h), e.type);
            EXPECT_EQ(kt::class_of(h), e.cls);
            DWORD style = static_cast<DWORD>(GetWindowLongPtrA(h, GWL_STYLE));
            if (e.type != 17 && e.type != 19) {
                EXPECT_EQ(style & 0xF, e.style_low) << std::hex << style;
            }
            EXPECT_EQ(IsWindowEnabled(h) != 0, e.enabled);
            EXPECT_TRUE(IsWindowVisible(h));
            if (e.title) {
                ruvk_vobj_get_title(c, text, sizeof text);
                EXPECT_STREQ(text, e.title);
            }
        }

        // Check states, the password field, mnemonics natively.
        EXPECT_TRUE(ruvk_ctl_is_checked(ruvk_win_get_ctl(main, GL_RADIO1)));
        EXPECT_FALSE(ruvk_ctl_is_checked(ruvk_win_get_ctl(main, GL_RADIO2)));
        EXPECT_TRUE(ruvk_ctl_is_checked(ruvk_win_get_ctl(main, GL_CHECK)));
        HWND pass = kt::hwnd_of(ruvk_win_get_ctl(main, GL_PASS));
        EXPECT_TRUE(GetWindowLongPtrA(pass, GWL_STYLE) & ES_PASSWORD);
        EXPECT_EQ(SendMessageA(pass, EM_GETPASSWORDCHAR, 0, 0), '*');
        GetWindowTextA(kt::hwnd_of(ruvk_win_get_ctl(main, GL_OK)), text, sizeof text);
        EXPECT_STREQ(text, "&OK");

        // Rows: the coloured list keeps its prefixes; the drop list selects
        // its first row.
        RUV_WIN rows = ruvk_win_get_ctl(main, GL_ROWS);
        EXPECT_TRUE(GetWindowLongPtrA(kt::hwnd_of(rows), GWL_STYLE) & LBS_OWNERDRAWFIXED);
        EXPECT_EQ(ruvk_list_count_all(rows), 4);
        ASSERT_TRUE(ruvk_list_get_elt(rows, 0, text, sizeof text));
        EXPECT_STREQ(text, gallery::LIST_ROWS[0]);
        RUV_WIN kind = ruvk_win_get_ctl(main, GL_KIND);
        EXPECT_EQ(ruvk_list_count_all(kind), 3);
        EXPECT_EQ(ruvk_list_get_sel_index(kind), 0);
        EXPECT_EQ(ruvk_list_count_all(ruvk_win_get_ctl(main, GL_UNIT)), 3);

        // The icon shows its resource; scroll bars of zero thickness take
        // the system's and keep their ranges.
        EXPECT_NE(SendMessageA(kt::hwnd_of(ruvk_win_get_ctl(main, GL_ICON)), STM_GETICON, 0, 0), 0);
        RUV_WIN hbar = ruvk_win_get_ctl(main, GL_HBAR);
        RECT hr = rect_in_parent(kt::hwnd_of(hbar));
        EXPECT_EQ(hr.bottom - hr.top, GetSystemMetrics(SM_CYHSCROLL));
        RECT vr = rect_in_parent(kt::hwnd_of(ruvk_win_get_ctl(main, GL_VBAR)));
        EXPECT_EQ(vr.right - vr.left, GetSystemMetrics(SM_CXVSCROLL));
        int32_t lo = -1, hi = -1;
        ruvk_sbar_get_range(hbar, 0, &lo, &hi);
        EXPECT_EQ(lo, 0);
        EXPECT_EQ(hi, 100);
        EXPECT_EQ(ruvk_sbar_get_proportion(hbar, 0), 20);
        EXPECT_EQ(ruvk_sbar_get_pos(hbar, 0), 30);

        // The group box was given in dialog units and lies under the others.
        LONG units = GetDialogBaseUnits();
        int bx = LOWORD(units), by = HIWORD(units);
        HWND group = kt::hwnd_of(ruvk_win_get_ctl(main, GL_GROUP));
        RECT gr = rect_in_parent(group);
        EXPECT_EQ(gr.left, (4 * bx + 2) / 4);
        EXPECT_EQ(gr.top, (24 * by + 4) / 8);
        EXPECT_EQ(gr.right, (84 * bx + 2) / 4);
        EXPECT_EQ(gr.bottom, (84 * by + 4) / 8);
        EXPECT_EQ(GetWindow(group, GW_HWNDLAST), group);

        // The tooltip of the default button and the drawable pane.
        HWND tip = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
            if (kt::class_of(w) == "tooltips_class32")
                *reinterpret_cast<HWND *>(lp) = w;
            return TRUE;
        }, reinterpret_cast<LPARAM>(&tip));
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
        char tip_text[80] = "";
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        ti.lpszText = tip_text;
        ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)));
        EXPECT_EQ(ti.hwnd, kt::hwnd_of(ruvk_win_get_ctl(main, GL_OK)));
        EXPECT_STREQ(tip_text, "Accepts the gallery");
        ASSERT_NE(gallery::pane(), nullptr);
        EXPECT_EQ(GetParent(kt::hwnd_of(gallery::pane())), main_hwnd);
        EXPECT_TRUE(kt::reports().empty()) << std::hex << kt::reports().front().id;
    });
    EXPECT_TRUE(ran);
}

} // namespace
