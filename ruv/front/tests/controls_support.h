// Objects the control, list, scroll-bar and menu tests need beyond the
// fixture's: check boxes, radio buttons, drop lists and drop-downs,
// windows with and without scroll bars and a window with a menu bar of
// its own.  They live in a document window of their own ("Extras"), made
// on first use in each application run, so that making one never changes
// a window of the caller's context.
#ifndef RUVF_CONTROLS_SUPPORT_H
#define RUVF_CONTROLS_SUPPORT_H

#include <functional>
#include <map>
#include <string>

#include "front_fixture.h"
#include "menus.h"
#include "native_controls.h"
#include "ruv.h"
#include "ruvv_res.h"
#include "window_create.h"

namespace ctl_test {

enum class X {
    Host,       // the document window that holds the controls below
    Check,      // check box, id 201
    Radio1,     // radio buttons, ids 202 and 203
    Radio2,
    DropList,   // drop list with rows "a", "b", id 204
    DropDown,   // drop-down, id 205
    VScroll,    // vertical scroll-bar control, id 206
    Group,      // group box, id 207
    BothBars,   // document window with both scroll bars
    HBarOnly,   // document window with a horizontal scroll bar only
    MenuDoc,    // document window with a menu bar of its own (tree: menu_tree())
};

inline int32_t accept_all(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

inline RUV_WIN task_window()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, 301));
}

// File (tags 100: Open 101, Close 102) and View (200: Grid 201).
inline RUV_MENU_ITEM *menu_tree()
{
    static char file[] = "File", open[] = "Open", close[] = "Close", view[] = "View", grid[] = "Grid";
    static RUV_MENU_ITEM file_items[] = {
        { 101, open, 'O', RUV_MENU_ENABLED, nullptr, 0 },
        { 102, close, 'C', RUV_MENU_ENABLED, nullptr, 0 },
        {},
    };
    static RUV_MENU_ITEM view_items[] = {
        { 201, grid, 'G', RUV_MENU_ENABLED | RUV_MENU_CHECKABLE, nullptr, 0 },
        {},
    };
    static RUV_MENU_ITEM bar[] = {
        { 100, file, 'F', RUV_MENU_ENABLED, file_items, 0 },
        { 200, view, 'V', RUV_MENU_ENABLED, view_items, 0 },
        {},
    };
    return bar;
}

inline RUV_WIN make_window(int16_t top, const char *title, uint32_t flags)
{
    RUV_RECT r{ top, 500, static_cast<int16_t>(top + 180), 800 };
    return ruvk_win_create(1, &r, title, 0, task_window(), flags, RUV_EVENT_MASK_ALL, accept_all, nullptr);
}

// The object x of this application run.
inline RUV_WIN extra(X x)
{
    struct Made {
        RUV_WIN win;
        HWND hwnd;
    };
    static std::map<X, Made> made;
    auto it = made.find(x);
    if (it != made.end() && ruvv_vobj_is_valid(it->second.win) && it->second.win->native == it->second.hwnd &&
        IsWindow(it->second.hwnd))
        return it->second.win;
    RUV_WIN w = NULL_WIN;
    auto control = [](int32_t type, int16_t top, int16_t height, const char *title, int32_t id) {
        RUV_RECT r{ top, 10, static_cast<int16_t>(top + height), 160 };
        return ruvk_ctl_create(type, &r, title, extra(X::Host), 0, nullptr, id);
    };
    switch (x) {
    case X::Host:
        w = make_window(20, "Extras", 0x803);
        break;
    case X::Check:
        w = control(WC_CHECK_BOX, 5, 20, "Check", 201);
        break;
    case X::Radio1:
        w = control(WC_RADIO_BUTTON, 30, 20, "Radio 1", 202);
        break;
    case X::Radio2:
        w = control(WC_RADIO_BUTTON, 55, 20, "Radio 2", 203);
        break;
    case X::DropList:
        w = control(WC_DROP_LIST, 80, 100, "", 204);
        ruvk_list_add(w, -1, "a");
        ruvk_list_add(w, -1, "b");
        break;
    case X::DropDown:
        w = control(WC_DROP_DOWN, 110, 100, "dd", 205);
        break;
    case X::VScroll: {
        RUV_RECT r{ 5, 170, 150, 186 };
        w = ruvk_ctl_create(WC_VSCROLL_BAR, &r, "", extra(X::Host), 0, nullptr, 206);
        break;
    }
    case X::Group:
        w = control(WC_GROUP_BOX, 140, 30, "Group", 207);
        break;
    case X::BothBars:
        w = make_window(220, "Both bars", 0x80F);
        break;
    case X::HBarOnly:
        w = make_window(240, "Horizontal bar", 0x807);
        break;
    case X::MenuDoc:
        w = make_window(260, "Menus", 0x3);
        ruvk_menu_set_tree(w, menu_tree());
        break;
    }
    made[x] = { w, w ? static_cast<HWND>(w->native) : nullptr };
    return w;
}

inline HWND hwnd(RUV_WIN w)
{
    return w ? static_cast<HWND>(w->native) : nullptr;
}

// The handle of a window made and destroyed now, remembered for the
// request-object check of the call that uses it.
inline RUV_WIN &gone()
{
    static RUV_WIN g = NULL_WIN;
    return g;
}

// Runs body once inside a real E_UPDATE of a visible window of its own.
inline bool during_update(std::function<void()> body)
{
    static std::function<void()> *pending = nullptr;
    static bool ran = false;
    ran = false;
    pending = &body;
    RUV_RECT r{ 300, 420, 500, 720 };
    RUV_WIN painted = ruvk_win_create(
        1, &r, "Update", 0, task_window(), 0x803, RUV_EVENT_MASK_ALL,
        [](RUV_WIN, RUV_EVENT *e) -> int32_t {
            if (e->type == E_UPDATE && pending && !ran) {
                ran = true;
                (*pending)();
            }
            return 0;
        },
        nullptr);
    ruvf_test::pump(30);
    HWND h = hwnd(painted);
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    pending = nullptr;
    ruvk_vobj_destroy(painted);
    ruvf_test::pump(10);
    return ran;
}

} // namespace ctl_test

#endif
