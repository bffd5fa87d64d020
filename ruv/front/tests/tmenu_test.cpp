// Menu functions on real windows: refused tags and windows change nothing,
// a pop-up aligned on an item needs one of the tree's top level.
#include "controls_support.h"
#include "ruvv_res.h"

namespace {

using namespace ruvf_test;
using ctl_test::extra;
using ctl_test::X;

uint32_t flags_of(RUV_WIN w, int32_t tag)
{
    uint32_t flags = 0xFFFFFFFF;
    RUV_MENU_ITEM *tree = ruvk_menu_get_tree(w);
    for (RUV_MENU_ITEM *top = tree; top && top->tag; ++top)
        for (RUV_MENU_ITEM *m = top->submenu; m && m->tag; ++m)
            if (m->tag == tag)
                flags = m->flags;
    ruvv_res_free_menu_tree(tree);
    return flags;
}

std::vector<RUV_ERRMSG_ID> ids(Recorder &rec)
{
    std::vector<RUV_ERRMSG_ID> out;
    for (const Report &r : rec.reports())
        out.push_back(r.id);
    return out;
}

TEST(MenuItems, RefusedTagsAndWindowsChangeNothing)
{
    in_app([] {
        Ctx c;
        RUV_WIN w = extra(X::MenuDoc);
        ruvk_menu_set_tree(w, ctl_test::menu_tree());
        Recorder rec;
        ruv_menu_set_item_enabled(w, 0, FALSE);
        EXPECT_EQ(ids(rec), std::vector<RUV_ERRMSG_ID>{ 0x01250001 });
        EXPECT_TRUE(flags_of(w, 101) & RUV_MENU_ENABLED);
        // A window made without a menu bar has no menu to update or read.
        rec.clear();
        ruv_menu_update(c.get(Obj::Doc));
        EXPECT_EQ(ruv_menu_get_tree(c.get(Obj::Doc)), nullptr);
        EXPECT_EQ(ids(rec), (std::vector<RUV_ERRMSG_ID>{ 0x01540004, 0x01540004 }));
        // The item setters take any live window: the kernel answers.
        rec.clear();
        ruv_menu_set_item_enabled(w, 101, FALSE);
        EXPECT_FALSE(flags_of(w, 101) & RUV_MENU_ENABLED);
        EXPECT_TRUE(rec.reports().empty());
        // Refused during an update, and the item stays.
        ASSERT_TRUE(ctl_test::during_update([&] { ruv_menu_set_item_checked(w, 201, TRUE); }));
        EXPECT_EQ(ids(rec), std::vector<RUV_ERRMSG_ID>{ 0x01610001 });
        EXPECT_FALSE(flags_of(w, 201) & RUV_MENU_CHECKED);
    });
}

// Whether a pop-up menu showed during the call: the menu's own loop sends
// WM_ENTERMENULOOP to the window, and Escape, queued first, ends it.
struct PopupSeen {
    static bool &seen()
    {
        static bool s = false;
        return s;
    }
    static LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_ENTERMENULOOP)
            seen() = true;
        return CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(h, "ruvf_prev")), h, msg, wp, lp);
    }
};

bool popup_shown(RUV_WIN w, const RUV_MENU_ITEM *tree, int32_t alignment, int32_t tag)
{
    HWND h = ctl_test::hwnd(w);
    SetPropA(h, "ruvf_prev", reinterpret_cast<HANDLE>(GetWindowLongPtrA(h, GWLP_WNDPROC)));
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PopupSeen::proc));
    PopupSeen::seen() = false;
    PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
    ruv_menu_popup(tree, w, RUV_POINT{ 10, 10 }, alignment, tag);
    pump(20);
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropA(h, "ruvf_prev")));
    RemovePropA(h, "ruvf_prev");
    return PopupSeen::seen();
}

TEST(MenuPopup, AlignedOnATopLevelItemOnly)
{
    in_app([] {
        Ctx c;
        RUV_WIN doc = c.get(Obj::Doc);
        const RUV_MENU_ITEM *tree = ctl_test::menu_tree();
        Recorder rec;
        // 201 is an item of a submenu, not of the top level.
        EXPECT_FALSE(popup_shown(doc, tree, 3, 201));
        EXPECT_EQ(ids(rec), std::vector<RUV_ERRMSG_ID>{ 0x01220001 });
        rec.clear();
        EXPECT_TRUE(popup_shown(doc, tree, 3, 200));
        EXPECT_TRUE(popup_shown(doc, tree, 1, 201));  // the tag is not looked at
        EXPECT_TRUE(rec.reports().empty());
    });
}

} // namespace
