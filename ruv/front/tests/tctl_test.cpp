// Control functions on real windows: a definition element is given back
// as it came however its creation ends, the rectangle rule of each control
// type, a reversed selection, the colour lookup and its list, check and
// radio state, and the order of the radio-group checks.
#include <algorithm>
#include <cstring>
#include <functional>

#include "controls_support.h"
#include "ruvv_color.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_tx.h"
#include "dialogs.h"

namespace {

using namespace ruvf_test;
using ctl_test::extra;
using ctl_test::X;

constexpr RUV_ERRMSG_ID RECT_FORMAT = 0x01240003;

RUV_WIN_DEF def_of(int32_t type, RUV_RECT r, uint32_t flags, RUV_FONT *font)
{
    RUV_WIN_DEF d{};
    d.type = type;
    d.rect = r;
    d.title = const_cast<char *>("Def");
    d.u.ctl.ctl_id = 400;
    d.u.ctl.flags = flags;
    d.u.ctl.font = font;
    return d;
}

bool same(const RUV_RECT &a, const RUV_RECT &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::vector<RUV_ERRMSG_ID> ids(Recorder &rec)
{
    std::vector<RUV_ERRMSG_ID> out;
    for (const Report &r : rec.reports())
        out.push_back(r.id);
    return out;
}

// The control's rectangle in its window's client coordinates.
RECT placed(HWND ctl)
{
    RECT r;
    GetWindowRect(ctl, &r);
    MapWindowPoints(nullptr, GetParent(ctl), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

TEST(CtlCreateDef, GivesTheDefinitionItsRectangleBackHoweverCreationEnds)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        extra(X::Host);
        Recorder rec;  // after the first windows: their class reports stay out
        static RUV_FONT bogus{};
        const RUV_RECT reversed{ 60, 200, 30, 100 };  // top > bottom, left > right
        struct Case {
            const char *what;
            uint32_t flags;
            RUV_FONT *font;
            std::vector<RUV_ERRMSG_ID> raised;
            bool made;
        } cases[] = {
            { "refused by its flags", 0x2, nullptr, { RECT_FORMAT, 0x01520004 }, false },
            { "refused by its font", 0, &bogus, { RECT_FORMAT, 0x01220003 }, false },
            { "made", 0, nullptr, { RECT_FORMAT }, true },
        };
        for (const Case &k : cases) {
            SCOPED_TRACE(k.what);
            rec.clear();
            RUV_WIN_DEF d = def_of(WC_STATIC_TEXT, reversed, k.flags, k.font);
            RUV_WIN made = ruv_ctl_create_def(&d, c.get(Obj::Doc), nullptr);
            EXPECT_EQ(made != NULL_WIN, k.made);
            EXPECT_EQ(ids(rec), k.raised);
            EXPECT_TRUE(same(d.rect, reversed)) << d.rect.top << ',' << d.rect.left << ',' << d.rect.bottom << ','
                                                << d.rect.right;
            if (made) {
                // Made in the ordered rectangle.
                RECT r = placed(ctl_test::hwnd(made));
                EXPECT_EQ(r.left, 100);
                EXPECT_EQ(r.top, 30);
                EXPECT_EQ(r.right, 200);
                EXPECT_EQ(r.bottom, 60);
            }
        }
        // A refused parent leaves an element alone before it is looked at.
        rec.clear();
        RUV_WIN_DEF d = def_of(WC_STATIC_TEXT, reversed, 0, nullptr);
        EXPECT_EQ(ruv_ctl_create_def(&d, c.foreign(), nullptr), NULL_WIN);
        EXPECT_EQ(ids(rec), std::vector<RUV_ERRMSG_ID>{ 0x01220002 });
        EXPECT_TRUE(same(d.rect, reversed));
        // An icon element is taken (ruv_ctl_create refuses the type).
        rec.clear();
        RUV_RECT r{ 10, 10, 42, 42 };
        RUV_WIN_DEF icon = def_of(WC_ICON, r, 0, nullptr);
        ruv_ctl_create_def(&icon, c.get(Obj::Doc), nullptr);
        std::vector<RUV_ERRMSG_ID> raised = ids(rec);
        EXPECT_EQ(std::count(raised.begin(), raised.end(), 0x01220002u), 0);
        rec.clear();
        EXPECT_EQ(ruv_ctl_create(WC_ICON, &r, "", c.get(Obj::Doc), 0, nullptr, 401), NULL_WIN);
        EXPECT_EQ(ids(rec), std::vector<RUV_ERRMSG_ID>{ 0x01220002 });
    });
}

TEST(CtlCreate, RectangleRuleOfEachTypeAndTheCallersRectangle)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        extra(X::Host);
        Recorder rec;  // after the first windows: their class reports stay out
        struct Case {
            int32_t type;
            RUV_RECT rect;
            bool warned;
        } cases[] = {
            { WC_STATIC_TEXT, { 20, 10, 20, 100 }, false },  // no height
            { WC_PUSH_BUTTON, { 20, 10, 20, 100 }, false },
            { WC_EDIT, { 20, 10, 20, 100 }, false },
            { WC_HSCROLL_BAR, { 20, 10, 20, 100 }, false },
            { WC_LIST_BOX, { 20, 10, 20, 100 }, true },
            { WC_CHECK_BOX, { 20, 10, 20, 100 }, true },
            { WC_VSCROLL_BAR, { 20, 10, 80, 10 }, false },   // no width
            { WC_STATIC_TEXT, { 20, 10, 40, 10 }, true },
            { WC_PUSH_BUTTON, { 40, 10, 20, 100 }, true },   // reversed
        };
        int32_t id = 410;
        for (const Case &k : cases) {
            SCOPED_TRACE(testing::Message() << "type " << k.type);
            rec.clear();
            RUV_RECT given = k.rect;
            RUV_WIN made = ruv_ctl_create(k.type, &given, "T", c.get(Obj::Doc), 0, nullptr, id++);
            EXPECT_NE(made, NULL_WIN);
            size_t warnings = std::count_if(rec.reports().begin(), rec.reports().end(), [](const Report &r) {
                return r.id == RECT_FORMAT && r.severity == RUV_SEV_WARNING;
            });
            EXPECT_EQ(warnings, k.warned ? 1u : 0u);
            EXPECT_EQ(rec.errors(), 0u);
            EXPECT_TRUE(same(given, k.rect));
        }
    });
}

TEST(CtlCreate, AModelessDialogTakesNoControlThroughTheFront)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        RUV_WIN_DEF def[2] = {};
        def[0].type = 11;
        def[0].rect = RUV_RECT{ 40, 40, 200, 300 };
        def[0].title = const_cast<char *>("Modeless");
        RUV_WIN dlg = ruvk_dlg_create_def(def, RUV_EVENT_MASK_ALL, ctl_test::accept_all, nullptr);
        ASSERT_NE(dlg, NULL_WIN);
        Recorder rec;
        RUV_RECT r{ 10, 10, 34, 100 };
        EXPECT_EQ(ruv_ctl_create(WC_PUSH_BUTTON, &r, "In", dlg, 0, nullptr, 430), NULL_WIN);
        RUV_WIN_DEF element = def_of(WC_PUSH_BUTTON, r, 0, nullptr);
        EXPECT_EQ(ruv_ctl_create_def(&element, dlg, nullptr), NULL_WIN);
        EXPECT_EQ(ids(rec), (std::vector<RUV_ERRMSG_ID>{ 0x01220002, 0x01220002 }));
        EXPECT_EQ(GetWindow(ctl_test::hwnd(dlg), GW_CHILD), nullptr);
        ruvk_vobj_destroy(dlg);
    });
}

TEST(CtlSelection, LastBeforeFirstSelectsNothingAtTheFirst)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        extra(X::Host);
        Recorder rec;  // after the first windows: their class reports stay out
        SetWindowTextA(c.hwnd(Obj::Edit), "abcdef");
        ruv_ctl_set_text_sel(c.get(Obj::Edit), 4, 2);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01250004u);
        EXPECT_EQ(rec.reports()[0].severity, RUV_SEV_WARNING);
        EXPECT_EQ(rec.reports()[0].req, c.get(Obj::Edit));
        DWORD first = 0, last = 0;
        SendMessageA(c.hwnd(Obj::Edit), EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
        EXPECT_EQ(first, 4u);
        EXPECT_EQ(last, 4u);
        int32_t a = -1, b = -1;
        ruv_ctl_get_text_sel(c.get(Obj::Edit), &a, &b);
        EXPECT_EQ(a, 4);
        EXPECT_EQ(b, 4);
    });
}

TEST(CtlColors, ComponentLookupAndItsList)
{
    kt::MemCount::install(false);
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        extra(X::Host);
        Recorder rec;  // after the first windows: their class reports stay out
        RUV_WIN st = c.get(Obj::Static);
        const RUV_COLOR_COMPONENT list[] = { { 2, 0x0000FF }, { 0, static_cast<RUV_COLOR>(-1) } };
        ruvk_ctl_set_colors(st, list, 0);
        long before = kt::MemCount::outstanding();
        // A component the control's list does not hold: -1, no report, the
        // list given back.
        EXPECT_EQ(ruv_ctl_get_color_component(st, 8), static_cast<RUV_COLOR>(-1));
        EXPECT_EQ(ruv_ctl_get_color_component(st, 2), 0x0000FFu);
        EXPECT_EQ(kt::MemCount::outstanding(), before);
        EXPECT_TRUE(rec.reports().empty());
        // Unset drops it; a NULL list drops every component.
        ruv_ctl_unset_color_component(st, 2);
        EXPECT_EQ(ruv_ctl_get_color_component(st, 2), static_cast<RUV_COLOR>(-1));
        ruv_ctl_set_color_component(st, 2, 0x00FF00);
        ruv_ctl_set_colors(st, nullptr, 0);
        EXPECT_EQ(ruv_ctl_get_colors(st), nullptr);
        EXPECT_TRUE(rec.reports().empty());
        // The native colours of a kind, looked up the same way.
        EXPECT_NE(ruv_ctl_get_native_color_component(WC_EDIT, 4), static_cast<RUV_COLOR>(-1));
        EXPECT_EQ(ruv_ctl_get_native_color_component(WC_EDIT, 128), static_cast<RUV_COLOR>(-1));
        EXPECT_TRUE(rec.reports().empty());
    });
}

TEST(CtlChecks, CheckBoxesRadioButtonsAndTheGroupCheckOrder)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        extra(X::Host);
        Recorder rec;  // after the first windows: their class reports stay out
        RUV_WIN radio = extra(X::Radio1);
        // A radio button is read, not set, by the check-box functions.
        SendMessageA(ctl_test::hwnd(radio), BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(ruv_ctl_is_checked(radio), TRUE);
        ruv_ctl_set_checked(radio, FALSE);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01220002u);
        EXPECT_EQ(SendMessageA(ctl_test::hwnd(radio), BM_GETCHECK, 0, 0), BST_CHECKED);
        // A count of 0 is refused before any element is looked at.
        rec.clear();
        RUV_WIN group[] = { c.foreign(), NULL_WIN };
        ruv_ctl_check_radio_button(radio, group, 0);
        EXPECT_EQ(ids(rec), std::vector<RUV_ERRMSG_ID>{ 0x01250004 });
        // The group checks each element in order.
        rec.clear();
        RUV_WIN mixed[] = { extra(X::Radio2), c.get(Obj::Button), NULL_WIN };
        ruv_ctl_check_radio_button(extra(X::Radio2), mixed, 3);
        EXPECT_EQ(ids(rec), std::vector<RUV_ERRMSG_ID>{ 0x01230001 });
        EXPECT_EQ(SendMessageA(ctl_test::hwnd(extra(X::Radio2)), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        rec.clear();
        RUV_WIN pair[] = { radio, extra(X::Radio2) };
        ruv_ctl_check_radio_button(extra(X::Radio2), pair, 2);
        EXPECT_TRUE(rec.reports().empty());
        EXPECT_EQ(SendMessageA(ctl_test::hwnd(extra(X::Radio2)), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageA(ctl_test::hwnd(radio), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    });
}

TEST(CtlUpdate, RefusedDuringAnUpdateButTheReadersAnswer)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        extra(X::Host);
        Recorder rec;  // after the first windows: their class reports stay out
        RUV_WIN check = extra(X::Check);
        SendMessageA(ctl_test::hwnd(check), BM_SETCHECK, BST_UNCHECKED, 0);
        RUV_WIN button = c.get(Obj::Button);
        int32_t id = -1;
        RUV_BOOL is_checked = TRUE;
        ASSERT_TRUE(ctl_test::during_update([&] {
            ruv_ctl_set_checked(check, TRUE);
            RUV_RECT r{ 10, 10, 30, 100 };
            ruv_ctl_create(WC_PUSH_BUTTON, &r, "Late", c.get(Obj::Doc), 0, nullptr, 420);
            id = ruv_ctl_get_id(button);
            is_checked = ruv_ctl_is_checked(check);
        }));
        EXPECT_EQ(ids(rec), (std::vector<RUV_ERRMSG_ID>{ 0x01610001, 0x01610001 }));
        EXPECT_EQ(SendMessageA(ctl_test::hwnd(check), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(FindWindowExA(c.hwnd(Obj::Doc), nullptr, nullptr, "Late"), nullptr);
        EXPECT_EQ(id, 101);
        EXPECT_EQ(is_checked, FALSE);
    });
}

TEST(CtlTextEdit, ATextEditCountsAsType23WhateverItsTypeField)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        RUV_RECT r{ 10, 10, 100, 200 };
        auto tx = reinterpret_cast<RUV_WIN>(ruvv_tx_create(c.get(Obj::Doc), &r, 0, nullptr, 0, 0));
        ASSERT_TRUE(ruvv_vobj_is_valid(tx));
        ASSERT_TRUE(tx->kind & 0x2000u);
        ASSERT_NE(tx->type, WC_TEXT_EDIT);
        Recorder rec;
        int32_t lo, hi;
        RUV_MENU_ITEM *tree = ctl_test::menu_tree();
        struct Case {
            const char *what;
            std::function<void()> call;
            RUV_ERRMSG_ID id;  // 0: taken
            void *req;
        } cases[] = {
            { "selection of an edit field", [&] { ruv_ctl_set_text_sel(tx, 0, 1); }, 0x01230001, tx },
            { "selection read", [&] { ruv_ctl_get_text_sel(tx, &lo, &hi); }, 0x01230001, tx },
            { "check state", [&] { ruv_ctl_is_checked(tx); }, 0x01230001, nullptr },
            { "check box", [&] { ruv_ctl_set_checked(tx, TRUE); }, 0x01220002, nullptr },
            { "list", [&] { ruv_list_count_all(tx); }, 0x01230001, tx },
            { "scroll bar", [&] { ruv_sbar_get_pos(tx, 0); }, 0x01230004, nullptr },
            { "pop-up menu", [&] { ruv_menu_popup(tree, tx, RUV_POINT{ 0, 0 }, 1, 0); }, 0x01220002, nullptr },
            { "pixmap", [&] { ruv_pmap_create(tx, 1, 8, 8); }, 0x01220002, nullptr },
            { "its id", [&] { ruv_ctl_get_id(tx); }, 0, nullptr },
            { "its font", [&] { ruvv_font_destroy(ruv_ctl_get_font(tx)); }, 0, nullptr },
            { "its colours", [&] { ruvv_mem_free(ruv_ctl_get_colors(tx)); }, 0, nullptr },
            { "a colour", [&] { ruv_ctl_set_color_component(tx, 2, 0x0000FF); }, 0, nullptr },
        };
        for (const Case &k : cases) {
            SCOPED_TRACE(k.what);
            rec.clear();
            k.call();
            if (k.id == 0) {
                EXPECT_EQ(rec.errors(), 0u);
                continue;
            }
            ASSERT_EQ(rec.reports().size(), 1u);
            EXPECT_EQ(rec.reports()[0].id, k.id);
            EXPECT_EQ(rec.reports()[0].req, k.req);
        }
        ruvv_tx_destroy(reinterpret_cast<TXEDIT>(tx));
    });
}

} // namespace
