// Focus services on real windows: disabling the focused control moves the
// focus (to the next dialog control, or to the parent, which remembers
// itself), a disabled document gives the focus to its parent, focus to a
// window's remembered control, focus within, and the focus a click into a
// scroll bar or edit field gives the parent first.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "kernel_test_support.h"
#include "services_test_support.h"
#include "window_services.h"

namespace {

// A modeless dialog of three edit fields made from a template in memory.
HWND make_dialog()
{
    alignas(4) static WORD tmpl[256];
    memset(tmpl, 0, sizeof tmpl);
    WORD *p = tmpl;
    auto *dt = reinterpret_cast<DLGTEMPLATE *>(p);
    dt->style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT;
    dt->cdit = 3;
    dt->x = 10;
    dt->y = 10;
    dt->cx = 200;
    dt->cy = 120;
    p = reinterpret_cast<WORD *>(dt + 1);
    *p++ = 0;  // menu
    *p++ = 0;  // class
    *p++ = 0;  // title
    *p++ = 8;  // font size
    for (const char *c = "System"; *c; ++c)
        *p++ = (WORD)*c;
    *p++ = 0;
    for (int i = 0; i < 3; ++i) {
        p = reinterpret_cast<WORD *>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
        auto *it = reinterpret_cast<DLGITEMTEMPLATE *>(p);
        it->style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER;
        it->x = 10;
        it->y = (short)(10 + 20 * i);
        it->cx = 100;
        it->cy = 14;
        it->id = (WORD)(201 + i);
        p = reinterpret_cast<WORD *>(it + 1);
        *p++ = 0xFFFF;
        *p++ = 0x0081;  // edit
        *p++ = 0;       // text
        *p++ = 0;       // creation data
    }
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE *>(tmpl), nullptr,
                                      [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
}

class Focus : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.ok()); }
    static void activate(HWND top)
    {
        SetForegroundWindow(top);
        SetActiveWindow(top);
        st::pump();
    }
    kt::Session session_;
};

TEST_F(Focus, DisablingTheFocusedDialogControlMovesToTheNext)
{
    HWND dlg = make_dialog();
    ASSERT_NE(dlg, nullptr);
    st::Win dialog(0x40u, 10, nullptr, dlg);
    st::Win first(0x80u, 17, &dialog, GetDlgItem(dlg, 201));
    st::Win second(0x80u, 17, &dialog, GetDlgItem(dlg, 202));
    activate(dlg);
    HWND before = GetFocus();
    EXPECT_EQ(ruvk_scr_set_focus_vobj(first.rec()), reinterpret_cast<intptr_t>(before)) << "the previous focus";
    st::pump();
    ASSERT_EQ(GetFocus(), first.hwnd());
    EXPECT_TRUE(ruvk_focus_is_within(dialog.rec()));
    ruvk_vobj_set_enabled(first.rec(), FALSE);
    st::pump();
    EXPECT_EQ(GetFocus(), second.hwnd());
    EXPECT_FALSE(IsWindowEnabled(first.hwnd()));
    DestroyWindow(dlg);
}

TEST_F(Focus, DisablingAFocusedControlGivesTheFocusToItsParent)
{
    auto doc = st::Win::doc("parent");
    auto child = st::Win::child(doc.get(), 10, 10, 200, 150);
    auto edit = st::Win::control(child.get(), 17, "Edit", WS_BORDER, "");
    activate(doc->hwnd());
    SetFocus(edit->hwnd());
    ASSERT_EQ(GetFocus(), edit->hwnd());
    EXPECT_TRUE(ruvk_focus_is_within(doc->rec()));
    EXPECT_TRUE(ruvk_focus_is_within(child->rec()));
    ruvk_vobj_set_enabled(edit->rec(), FALSE);
    EXPECT_EQ(GetFocus(), child->hwnd());
    EXPECT_EQ(child->rec()->last_focus, child->rec());
    EXPECT_FALSE(IsWindowEnabled(edit->hwnd()));
    // Disabling what does not hold the focus leaves the focus alone.
    auto other = st::Win::control(doc.get(), 17, "Edit", WS_BORDER, "", 10, 200);
    ruvk_vobj_set_enabled(other->rec(), FALSE);
    EXPECT_EQ(GetFocus(), child->hwnd());
}

TEST_F(Focus, DisablingTheFocusedDocumentGivesTheFocusToItsParent)
{
    auto owner = st::Win::doc("owner", 10, 10, 300, 200);
    st::Win doc(8u, 1, owner.get(), nullptr, "owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    activate(doc.hwnd());
    SetFocus(doc.hwnd());
    ASSERT_EQ(GetFocus(), doc.hwnd());
    ruvk_vobj_set_enabled(doc.rec(), FALSE);
    st::pump();
    EXPECT_EQ(GetFocus(), owner->hwnd());
    ruvk_vobj_set_enabled(doc.rec(), TRUE);
}

TEST_F(Focus, FocusGoesToTheRememberedControl)
{
    auto doc = st::Win::doc("remembered");
    auto a = st::Win::control(doc.get(), 17, "Edit", WS_BORDER, "", 10, 10);
    auto b = st::Win::control(doc.get(), 17, "Edit", WS_BORDER, "", 10, 60);
    activate(doc->hwnd());
    SetFocus(a->hwnd());
    ruvk_focus_remember(b->rec());
    ruvk_focus_to_remembered(doc->rec());
    EXPECT_EQ(GetFocus(), b->hwnd());
    doc->rec()->last_focus = NULL_WIN;
    ruvk_focus_to_remembered(doc->rec());
    EXPECT_EQ(GetFocus(), doc->hwnd());
    // A window (not a control) given the focus is raised as well.
    EXPECT_NE(ruvk_scr_set_focus_vobj(a->rec()), 0);
    EXPECT_EQ(GetFocus(), a->hwnd());
}

TEST_F(Focus, ClickIntoAnEditOfAnUnfocusedTopLevelFocusesTheParentFirst)
{
    auto left = st::Win::doc("left", 10, 10, 200, 200);
    auto right = st::Win::doc("right", 300, 10, 200, 200);
    auto child = st::Win::child(right.get(), 5, 5, 150, 150);
    auto edit = st::Win::control(child.get(), 17, "Edit", WS_BORDER, "");
    auto button = st::Win::control(child.get(), 12, "Button", BS_PUSHBUTTON, "b", 10, 60);
    activate(left->hwnd());
    SetFocus(left->hwnd());
    ruvk_focus_before_control_click(button->rec());
    EXPECT_EQ(GetFocus(), left->hwnd()) << "buttons are not concerned";
    ruvk_focus_before_control_click(edit->rec());
    EXPECT_EQ(GetFocus(), child->hwnd());
    SetFocus(edit->hwnd());
    ruvk_focus_before_control_click(edit->rec());
    EXPECT_EQ(GetFocus(), edit->hwnd()) << "its top level holds the focus already";
}

} // namespace
