// Window services on real windows: titles with mnemonic signs, point
// translation, rectangles, moves (minimised windows too), visibility,
// enabling, state flags, cursors and the quit answer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "kernel_test_support.h"
#include "ruvv_font.h"
#include "services_test_support.h"
#include "window_create.h"
#include "window_services.h"

namespace {

struct SignCase {
    const char *toolkit;
    const char *native;
};

// Both directions of the mnemonic conversion, as pairs that read back.
const SignCase SIGNS[] = {
    {"~OK", "&OK"},         {"A & B", "A && B"},  {"~~", "~"},          {"a~~b", "a~b"},
    {"Save ~As...", "Save &As..."}, {"&&", "&&&&"}, {"plain", "plain"}, {"", ""},
};

TEST(Titles, MnemonicSignsConvertBothWays)
{
    for (const SignCase &c : SIGNS) {
        SCOPED_TRACE(c.toolkit);
        char buf[64];
        EXPECT_STREQ(ruvk_title_to_native(c.toolkit, buf, sizeof buf), c.native);
        EXPECT_STREQ(ruvk_title_to_toolkit(c.native, buf, sizeof buf), c.toolkit);
        EXPECT_EQ(ruvk_title_toolkit_length(c.native), (int32_t)strlen(c.toolkit));
    }
    char buf[64];
    // A sign at the very end marks nothing and stays.
    EXPECT_STREQ(ruvk_title_to_native("end~", buf, sizeof buf), "end~");
    EXPECT_STREQ(ruvk_title_to_toolkit("end&", buf, sizeof buf), "end&");
    // Cut to the buffer, terminated.
    EXPECT_STREQ(ruvk_title_to_native("A & B", buf, 4), "A &");
    EXPECT_STREQ(ruvk_title_to_toolkit(nullptr, buf, sizeof buf), "");
}

class Services : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.ok()); }
    static std::string native_text(HWND hwnd)
    {
        char buf[256] = "";
        GetWindowTextA(hwnd, buf, sizeof buf);
        return buf;
    }
    kt::Session session_;
};

TEST_F(Services, TitlesOfControlsCarryNativeSigns)
{
    auto doc = st::Win::doc("titles");
    auto button = st::Win::control(doc.get(), 12, "Button", BS_PUSHBUTTON, "");
    auto text = st::Win::control(doc.get(), 18, "Static", SS_LEFT, "");
    auto edit = st::Win::control(doc.get(), 17, "Edit", 0, "");
    auto group = st::Win::control(doc.get(), 22, "Button", BS_GROUPBOX, "a long old group title");

    ruvk_vobj_set_title(button->rec(), "~Open");
    EXPECT_EQ(native_text(button->hwnd()), "&Open");
    ruvk_vobj_set_title(text->rec(), "&");
    EXPECT_EQ(native_text(text->hwnd()), "&&");
    ruvk_vobj_set_title(edit->rec(), "a~b&c");
    EXPECT_EQ(native_text(edit->hwnd()), "a~b&c") << "edit fields take the text as given";
    ruvk_vobj_set_title(group->rec(), "~Group");
    EXPECT_EQ(native_text(group->hwnd()), "&Group");
    ruvk_vobj_set_title(doc->rec(), "Doc & ~more");
    EXPECT_EQ(native_text(doc->hwnd()), "Doc & ~more");

    char buf[64];
    EXPECT_STREQ(ruvk_vobj_get_title(button->rec(), buf, sizeof buf), "~Open");
    EXPECT_STREQ(ruvk_vobj_get_title(text->rec(), buf, sizeof buf), "&");
    EXPECT_STREQ(ruvk_vobj_get_title(doc->rec(), buf, sizeof buf), "Doc & ~more");
    EXPECT_STREQ(ruvk_vobj_get_title(doc->rec(), buf, 4), "Doc");
    SetWindowTextA(text->hwnd(), "x~y");
    EXPECT_STREQ(ruvk_vobj_get_title(text->rec(), buf, sizeof buf), "x~~y");
    ruvk_win_set_doc_title(doc->rec(), "second");
    EXPECT_EQ(native_text(doc->hwnd()), "second");
    // The kernel-sets-text flag is back off afterwards.
    EXPECT_EQ(ruvk_app_record()->kernel_sets_text, 0);
}

TEST_F(Services, TitleSetterIgnoresKindsWithoutTitles)
{
    auto doc = st::Win::doc("kept");
    doc->rec()->kind = 0x100;
    ruvk_vobj_set_title(doc->rec(), "changed");
    EXPECT_EQ(native_text(doc->hwnd()), "kept");
    char buf[16] = "junk";
    EXPECT_STREQ(ruvk_vobj_get_title(NULL_WIN, buf, sizeof buf), "");
}

TEST_F(Services, PointsTranslateBetweenClientOrigins)
{
    auto parent = st::Win::popup(80, 40, 300, 200);
    auto child = st::Win::child(parent.get(), 20, 10, 100, 80);
    POINT origin = {0, 0};
    ClientToScreen(child->hwnd(), &origin);
    ASSERT_EQ(origin.x, 100);
    ASSERT_EQ(origin.y, 50);
    RUV_POINT pts[2] = {{0, 0}, {5, 7}};
    EXPECT_EQ(ruvk_vobj_translate_points(child->rec(), parent->rec(), pts, 2), 2);
    EXPECT_EQ(pts[0].v, 10);
    EXPECT_EQ(pts[0].h, 20);
    EXPECT_EQ(pts[1].v, 15);
    EXPECT_EQ(pts[1].h, 27);
    EXPECT_EQ(ruvk_vobj_translate_points(parent->rec(), parent->rec(), pts, 2), 0);
    EXPECT_EQ(pts[0].v, 10);
    // A window without a native window has its origin at 0, 0: the screen.
    RUV_POINT p = {0, 0};
    EXPECT_EQ(ruvk_vobj_translate_points(child->rec(), NULL_WIN, &p, 1), 1);
    EXPECT_EQ(p.v, 50);
    EXPECT_EQ(p.h, 100);
    EXPECT_EQ(ruvk_vobj_translate_points(NULL_WIN, parent->rec(), &p, 1), 1);
    EXPECT_EQ(p.v, 10);
    EXPECT_EQ(p.h, 20);
}

TEST_F(Services, RectanglesOfWindowsControlsAndTheScreen)
{
    auto parent = st::Win::popup(80, 40, 300, 200);
    auto child = st::Win::child(parent.get(), 20, 10, 100, 80);
    auto combo = st::Win::control(parent.get(), 20, "ComboBox", CBS_DROPDOWNLIST, "", 5, 5, 120, 150);
    RUV_RECT r;
    ruvk_vobj_get_outer_rect(child->rec(), &r);
    st::expect_rect(r, 10, 20, 90, 120);
    ruvk_vobj_get_outer_rect(parent->rec(), &r);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.left, 80);
    ruvk_vobj_get_client_rect(child->rec(), &r);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 80);
    EXPECT_EQ(r.right, 100);
    RECT closed;
    GetWindowRect(combo->hwnd(), &closed);
    ruvk_vobj_get_client_rect(combo->rec(), &r);
    EXPECT_EQ(r.bottom - r.top, closed.bottom - closed.top) << "a drop list answers its closed height";
    RUV_VOBJ screen{};
    screen.tag = RUV_VOBJ_TAG;
    screen.type = 6;
    screen.kind = 0x100;
    ruvk_vobj_get_client_rect(&screen, &r);
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(Services, MovesPlaceTheClientRectangle)
{
    auto doc = st::Win::doc("move");
    RUV_RECT want{100, 120, 300, 420};
    ruvk_vobj_move(doc->rec(), &want);
    RECT c = st::client_on_screen(doc->hwnd());
    st::expect_rect(c, 100, 120, 300, 420);
    ruvk_vobj_get_client_rect(doc->rec(), &want);
    EXPECT_EQ(want.bottom, 200);
    EXPECT_EQ(want.right, 300);

    auto child = st::Win::child(doc.get(), 0, 0, 10, 10);
    RUV_RECT inner{5, 6, 55, 86};
    ruvk_vobj_move(child->rec(), &inner);
    RUV_RECT got;
    ruvk_vobj_get_outer_rect(child->rec(), &got);
    st::expect_rect(got, 5, 6, 55, 86);
    // No rectangle: the parent's whole client area.
    ruvk_vobj_move(child->rec(), nullptr);
    ruvk_vobj_get_outer_rect(child->rec(), &got);
    EXPECT_EQ(got.top, 0);
    EXPECT_EQ(got.bottom, 200);
    EXPECT_EQ(got.right, 300);

    auto button = st::Win::control(doc.get(), 12, "Button", BS_PUSHBUTTON, "b");
    RUV_RECT place{30, 40, 54, 140};
    ruvk_vobj_move(button->rec(), &place);
    ruvk_vobj_get_outer_rect(button->rec(), &got);
    st::expect_rect(got, 30, 40, 54, 140);
}

TEST_F(Services, MovingAMinimisedWindowSetsWhereItIsRestored)
{
    auto doc = st::Win::doc("minimised");
    ShowWindow(doc->hwnd(), SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(doc->hwnd()));
    EXPECT_EQ(ruvk_vobj_get_flags(doc->rec()) & 0x100u, 0x100u);
    RUV_RECT want{150, 160, 250, 360};
    ruvk_vobj_move(doc->rec(), &want);
    EXPECT_TRUE(IsIconic(doc->hwnd())) << "stays minimised";
    ShowWindow(doc->hwnd(), SW_RESTORE);
    RECT c = st::client_on_screen(doc->hwnd());
    st::expect_rect(c, 150, 160, 250, 360);
    EXPECT_EQ(ruvk_vobj_get_flags(doc->rec()) & 0x100u, 0u);
}

TEST_F(Services, VisibilityAndEnablingShowInTheFlags)
{
    auto doc = st::Win::doc("flags");
    doc->rec()->create_flags = 0x3 | 0x1130;
    auto check = st::Win::control(doc.get(), 14, "Button", BS_CHECKBOX, "c");
    check->rec()->create_flags = 0x15 | 0x100;
    EXPECT_EQ(ruvk_vobj_get_flags(doc->rec()), 0x3u);
    EXPECT_EQ(ruvk_vobj_get_flags(check->rec()), 0x100u);

    ruvk_vobj_set_visible(doc->rec(), FALSE);
    EXPECT_FALSE(IsWindowVisible(doc->hwnd()));
    ruvk_vobj_set_enabled(doc->rec(), FALSE);
    EXPECT_FALSE(IsWindowEnabled(doc->hwnd()));
    EXPECT_EQ(ruvk_vobj_get_flags(doc->rec()), 0x3u | 0x10 | 0x20);
    ruvk_vobj_set_visible(doc->rec(), TRUE);
    ruvk_vobj_set_enabled(doc->rec(), TRUE);
    EXPECT_TRUE(IsWindowVisible(doc->hwnd()));
    EXPECT_TRUE(IsWindowEnabled(doc->hwnd()));
    ShowWindow(doc->hwnd(), SW_SHOWMAXIMIZED);
    EXPECT_EQ(ruvk_vobj_get_flags(doc->rec()), 0x3u | 0x1000);
    ShowWindow(doc->hwnd(), SW_RESTORE);

    ruvk_vobj_set_enabled(check->rec(), FALSE);
    ruvk_vobj_set_visible(check->rec(), FALSE);
    SendMessageA(check->hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(ruvk_vobj_get_flags(check->rec()), 0x100u | 0x1 | 0x4 | 0x10);
    RUV_VOBJ windowless{};
    windowless.tag = RUV_VOBJ_TAG;
    windowless.create_flags = 0x1234;
    EXPECT_EQ(ruvk_vobj_get_flags(&windowless), 0u);
}

TEST_F(Services, FocusableAndListTypes)
{
    RUV_VOBJ rec{};
    rec.tag = RUV_VOBJ_TAG;
    for (int32_t type = 0; type <= 30; ++type) {
        rec.type = type;
        bool never = type == 0 || type == 4 || type == 6 || type == 8 || type == 18 || type == 22 || type == 24 ||
                     type == 26;
        EXPECT_EQ(ruvk_vobj_is_focusable(&rec) != 0, !never) << type;
        EXPECT_EQ(ruvk_vobj_is_list(&rec) != 0, type >= 19 && type <= 21) << type;
    }
    rec.type = 19;
    rec.kind = RUV_KIND_TEXT_EDIT;
    EXPECT_FALSE(ruvk_vobj_is_list(&rec));
    rec.type = 18;
    EXPECT_TRUE(ruvk_vobj_is_focusable(&rec));
    EXPECT_FALSE(ruvk_vobj_is_focusable(NULL_WIN));
}

TEST_F(Services, CursorsLoadOrWarn)
{
    auto doc = st::Win::doc("cursor");
    ruvk_win_set_cursor(doc->rec(), 1);
    EXPECT_EQ(doc->rec()->cursor_id, 1);
    EXPECT_EQ(doc->rec()->cursor_handle, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM)));
    ruvk_win_set_cursor(doc->rec(), 4);
    EXPECT_EQ(doc->rec()->cursor_handle, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    kt::reports().clear();
    ruvv_errmsg_set_ready();
    ruvk_win_set_cursor(doc->rec(), 31999);
    EXPECT_EQ(kt::severity_of(0x1520001), 1);
    EXPECT_EQ(doc->rec()->cursor_id, 4) << "a failed load changes nothing";
}

TEST_F(Services, ControlFontGoesToControlsWithoutTheirOwn)
{
    ruvv_font_cache_init();
    auto doc = st::Win::doc("fonts");
    auto plain = st::Win::control(doc.get(), 12, "Button", BS_PUSHBUTTON, "a");
    auto own = st::Win::control(doc.get(), 12, "Button", BS_PUSHBUTTON, "b", 10, 60);
    auto other = st::Win::doc("other");
    auto elsewhere = st::Win::control(other.get(), 12, "Button", BS_PUSHBUTTON, "c");
    RUV_FONT *own_font = ruvv_font_create();
    own->rec()->ctl_font = own_font;
    HFONT before = reinterpret_cast<HFONT>(SendMessageA(own->hwnd(), WM_GETFONT, 0, 0));
    RUV_FONT *f = ruvv_font_create();
    ruvv_font_set_family(f, "times");
    ruvv_font_set_size(f, 18);
    ruvk_win_set_ctl_font(doc->rec(), f);
    HFONT got = reinterpret_cast<HFONT>(SendMessageA(plain->hwnd(), WM_GETFONT, 0, 0));
    ASSERT_NE(got, nullptr);
    LOGFONTA lf;
    ASSERT_EQ(GetObjectA(got, sizeof lf, &lf), (int)sizeof lf);
    EXPECT_STREQ(lf.lfFaceName, "Times New Roman");
    EXPECT_EQ(lf.lfHeight, -((ruvk_draw_get_logpixelsy(doc->state()) * 18 + 36) / 72));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(own->hwnd(), WM_GETFONT, 0, 0)), before);
    EXPECT_NE(reinterpret_cast<HFONT>(SendMessageA(elsewhere->hwnd(), WM_GETFONT, 0, 0)), got);
    own->rec()->ctl_font = nullptr;
    ruvv_font_destroy(own_font);
    ruvv_font_destroy(f);
}

TEST_F(Services, CaretValuesGoToTheDrawingState)
{
    ruvv_font_cache_init();
    auto doc = st::Win::doc("caret");
    RUV_POINT at = {20, 30};
    ruvk_win_set_caret_size(doc->rec(), 2, 0);
    ruvk_win_set_caret_pos(doc->rec(), &at);
    ruvk_win_set_caret_visible(doc->rec(), TRUE);
    const RUVK_CARET &c = doc->state()->caret;
    EXPECT_EQ(c.width, 2);
    EXPECT_EQ(c.height, 0);
    EXPECT_EQ(c.v, 20);
    EXPECT_EQ(c.h, 30);
    EXPECT_EQ(c.visible, 1);
    EXPECT_GT(c.font_height, c.font_descent);
    EXPECT_GT(c.font_descent, 0);
    ruvk_win_set_caret_visible(doc->rec(), FALSE);
    EXPECT_EQ(c.visible, 0);
}

TEST_F(Services, AllowQuitSetsTheAnswer)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    ASSERT_NE(app, nullptr);
    app->allow_quit = 0;
    ruvk_app_allow_quit();
    EXPECT_EQ(app->allow_quit, 1);
}

TEST_F(Services, FocusMemoryFollowsControlsAndForgetsDestroyedOnes)
{
    auto doc = st::Win::doc("memory");
    auto edit = st::Win::control(doc.get(), 17, "Edit", 0, "");
    doc->rec()->last_focus = doc->rec();
    ruvk_focus_remember(edit->rec());
    EXPECT_EQ(doc->rec()->last_focus, edit->rec());
    ruvk_focus_forget(edit->rec());
    EXPECT_EQ(doc->rec()->last_focus, doc->rec());
    // Top levels outside the native kinds remember nothing.
    doc->rec()->kind = 0x100;
    ruvk_focus_remember(edit->rec());
    EXPECT_EQ(doc->rec()->last_focus, doc->rec());
}

} // namespace

namespace {

// The same services on windows the kernel made, inside its message loop.
TEST(ServicesOnKernelWindows, TitlesMovesStatesAndContexts)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        ASSERT_NE(task, nullptr);
        RUV_RECT ra{60, 50, 260, 350}, rb{60, 400, 260, 700};
        RUV_WIN a = ruvk_win_create(1, &ra, "Window A", 0, task, 0x803, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        RUV_WIN b = ruvk_win_create(1, &rb, "B", 0, task, 0x803, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        HWND ha = static_cast<HWND>(a->native);
        char buf[64];
        EXPECT_STREQ(ruvk_vobj_get_title(a, buf, sizeof buf), "Window A");
        ruvk_vobj_set_title(a, "Renamed");
        EXPECT_STREQ(ruvk_vobj_get_title(a, buf, sizeof buf), "Renamed");

        RUV_RECT created;
        ruvk_vobj_get_client_rect(a, &created);
        st::expect_rect(created, 0, 0, 200, 300);
        RUV_RECT to{100, 120, 300, 420};
        ruvk_vobj_move(a, &to);
        // Documents are children of the task window: its client coordinates.
        st::expect_rect(st::client_in_parent(ha), 100, 120, 300, 420);
        ShowWindow(ha, SW_SHOWMINNOACTIVE);
        RUV_RECT later{150, 160, 250, 360};
        ruvk_vobj_move(a, &later);
        EXPECT_EQ(ruvk_vobj_get_flags(a) & 0x100u, 0x100u);
        ShowWindow(ha, SW_RESTORE);
        st::expect_rect(st::client_in_parent(ha), 150, 160, 250, 360);

        ruvk_vobj_set_visible(b, FALSE);
        ruvk_vobj_set_enabled(b, FALSE);
        EXPECT_EQ(ruvk_vobj_get_flags(b) & 0x30u, 0x30u);
        ruvk_vobj_set_visible(b, TRUE);
        ruvk_vobj_set_enabled(b, TRUE);
        EXPECT_EQ(ruvk_vobj_get_flags(b) & 0x30u, 0u);

        RUV_POINT p = {0, 0};
        ruvk_vobj_translate_points(a, task, &p, 1);
        EXPECT_EQ(p.v, 150);
        EXPECT_EQ(p.h, 160);

        RUV_DRAW_STATE *sa = ruvk_draw_begin(a);
        ASSERT_NE(sa, nullptr);
        ruvk_draw_end(sa);
        RUV_DRAW_STATE *sb = ruvk_draw_begin(b);
        ASSERT_NE(sb, nullptr);
        EXPECT_EQ(sa->hdc, nullptr) << "A's context went before B's was taken";
        EXPECT_EQ(ruvk_draw_cached_window(), b);
        ruvk_draw_end(sb);
        ruvk_vobj_destroy(a);
        ruvk_vobj_destroy(b);
        EXPECT_EQ(ruvk_draw_cached_window(), NULL_WIN);
    });
}

} // namespace
