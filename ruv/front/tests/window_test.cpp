// Window and view-object functions where the front layer adds logic of its
// own, on real windows: a caller's definition is left as given whether the
// window is made or refused, the window check never takes a record the
// registry does not know, titles of kinds without one, moves to an empty
// rectangle, colour components that are absent or set one by one, and the
// error forwarders inside a handler.
#include "front_fixture.h"
#include "ruv.h"

#include <cstring>
#include <map>
#include <vector>

#include "ruvv_res.h"

namespace {

using ruvf_test::Ctx;
using ruvf_test::Obj;
using ruvf_test::Recorder;

int32_t quiet(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

// A document window with a push button whose rectangle is given reversed
// (the base library repairs it for the call), and a second control.
struct Definition {
    RUV_WIN_DEF e[4]{};
    Definition(int32_t first_type, uint32_t second_flags)
    {
        e[0].type = first_type;
        e[0].rect = RUV_RECT{ 30, 30, 230, 330 };
        e[0].title = const_cast<char *>("Defined");
        e[0].u.win.flags = first_type == 7 ? 0 : 0x803;
        e[1].type = 12;
        e[1].rect = RUV_RECT{ 34, 110, 10, 10 };
        e[1].title = const_cast<char *>("Reversed");
        e[1].u.ctl.ctl_id = 1;
        e[2].type = 12;
        e[2].rect = RUV_RECT{ 50, 10, 74, 110 };
        e[2].title = const_cast<char *>("Second");
        e[2].u.ctl.ctl_id = 2;
        e[2].u.ctl.flags = second_flags;
    }
    std::vector<unsigned char> bytes() const
    {
        auto *p = reinterpret_cast<const unsigned char *>(e);
        return { p, p + sizeof e };
    }
};

TEST(WindowDefinition, CallersDefinitionIsUnchangedWhetherMadeOrRefused)
{
    ruvf_test::in_app([] {
        Recorder rec;
        Ctx c;
        c.get(Obj::Doc);
        struct Case {
            const char *what;
            int32_t first_type;
            uint32_t second_flags;
            bool made;
        } cases[] = {
            { "made", 7, 0, true },
            { "refused by a control's flags", 7, 0x1800, false },
        };
        for (const Case &k : cases) {
            SCOPED_TRACE(k.what);
            Definition d(k.first_type, k.second_flags);
            std::vector<unsigned char> before = d.bytes();
            rec.clear();
            RUV_WIN w = ruv_win_create_def(d.e, c.get(Obj::Doc), nullptr, quiet, RUV_EVENT_MASK_ALL);
            EXPECT_EQ(w != nullptr, k.made);
            EXPECT_EQ(d.bytes(), before);
            if (w) {
                RUV_WIN button = ruv_win_get_ctl(w, 1);
                ASSERT_TRUE(button);
                RECT r;
                GetClientRect(static_cast<HWND>(button->native), &r);
                EXPECT_EQ(r.right, 100);  // made from the ordered rectangle
                EXPECT_EQ(r.bottom, 24);
                ruv_vobj_destroy(w);
            } else {
                ASSERT_FALSE(rec.reports().empty());
                EXPECT_EQ(rec.reports().back().id, 0x01520004u) << ruvf_test::describe(rec.reports());
            }
        }
    });
}

TEST(WindowDefinition, DialogDefinitionIsUnchanged)
{
    ruvf_test::in_app([] {
        Recorder rec;
        ruvf_test::Dismisser dismiss;
        Definition d(11, 0);
        d.e[0].u.dlg.flags = 0;
        std::vector<unsigned char> before = d.bytes();
        RUV_WIN w = ruv_dlg_create_def(d.e, RUV_EVENT_MASK_ALL, quiet, nullptr);
        EXPECT_TRUE(w);
        EXPECT_EQ(d.bytes(), before);
        if (w)
            ruv_vobj_destroy(w);
    });
}

// A window's handle after the window is gone, and a record that carries
// the tag but was never registered: neither is read or accepted.
TEST(WindowCheck, RecordsTheRegistryDoesNotKnowAreRefused)
{
    ruvf_test::in_app([] {
        Recorder rec;
        Ctx c;
        RUV_WIN gone = c.destroyed();
        RUV_WIN foreign = c.foreign();
        for (RUV_WIN w : { gone, foreign }) {
            rec.clear();
            ruv_vobj_set_data(w, &rec);
            EXPECT_EQ(ruv_vobj_get_data(w), nullptr);
            EXPECT_EQ(ruv_vobj_get_attr(w, 301), 0);
            EXPECT_EQ(ruv_win_get_nav(w), nullptr);
            EXPECT_EQ(ruv_win_enum_wins(w, nullptr, nullptr, 0), 0);
            ASSERT_EQ(rec.reports().size(), 5u);
            for (const ruvf_test::Report &r : rec.reports())
                EXPECT_EQ(r.id, 0x01220002u);
        }
        EXPECT_EQ(foreign->app_data, nullptr);
    });
}

TEST(ViewObject, TitleOfAListBoxIsLeftAloneSilently)
{
    ruvf_test::in_app([] {
        Recorder rec;
        Ctx c;
        std::string before = c.title(Obj::List);
        rec.clear();
        ruv_vobj_set_title(c.get(Obj::List), "Not a title");
        EXPECT_EQ(c.title(Obj::List), before);
        EXPECT_TRUE(rec.reports().empty()) << ruvf_test::describe(rec.reports());
    });
}

TEST(ViewObject, MoveToAnEmptyRectangleMovesToTheRepairedOneWithOneWarning)
{
    ruvf_test::in_app([] {
        Recorder rec;
        Ctx c;
        c.get(Obj::Button);
        rec.clear();
        const RUV_RECT empty{ 20, 30, 20, 30 };
        RUV_RECT given = empty;
        ruv_vobj_move(c.get(Obj::Button), &given);
        ASSERT_EQ(rec.reports().size(), 1u) << ruvf_test::describe(rec.reports());
        EXPECT_EQ(rec.reports()[0].id, 0x01240003u);
        EXPECT_EQ(rec.reports()[0].severity, RUV_SEV_WARNING);
        EXPECT_EQ(std::memcmp(&given, &empty, sizeof given), 0);
        RECT r;
        GetWindowRect(c.hwnd(Obj::Button), &r);
        MapWindowPoints(nullptr, c.hwnd(Obj::Doc), reinterpret_cast<POINT *>(&r), 2);
        EXPECT_EQ(r.left, 30);
        EXPECT_EQ(r.top, 20);
        EXPECT_EQ(r.right - r.left, 1);
        EXPECT_EQ(r.bottom - r.top, 1);
    });
}

TEST(ViewObject, MemoryHookAttributeBypassesMarkAndChecks)
{
    ruvf_test::in_app([] {
        Recorder rec;
        Ctx c;
        // A text edit would be refused for any other key; 707 asks nothing.
        EXPECT_EQ(ruv_vobj_get_attr(c.foreign(), 707), reinterpret_cast<intptr_t>(ruvv_mem_get_functions()));
        ruv_vobj_set_attr(c.foreign(), 707, ruv_vobj_get_attr(NULL_WIN, 707));
        EXPECT_TRUE(rec.reports().empty()) << ruvf_test::describe(rec.reports());
        EXPECT_TRUE(rec.marks().empty());
    });
}

TEST(WindowColors, AbsentComponentIsMinusOneWithoutAnError)
{
    ruvf_test::in_app([] {
        Recorder rec;
        Ctx c;
        RUV_WIN doc = c.get(Obj::Doc);
        rec.clear();
        ruv_win_set_ctl_colors(doc, nullptr, 0);
        EXPECT_EQ(ruv_win_get_ctl_color_component(doc, 16), static_cast<RUV_COLOR>(-1));
        ruv_win_set_ctl_color_component(doc, 16, 0x123456);
        EXPECT_EQ(ruv_win_get_ctl_color_component(doc, 16), 0x123456u);
        EXPECT_EQ(ruv_win_get_ctl_color_component(doc, 32), static_cast<RUV_COLOR>(-1));
        EXPECT_TRUE(rec.reports().empty()) << ruvf_test::describe(rec.reports());
        // Its own name in a report, not the control family's getter.
        ruv_win_get_ctl_color_component(doc, 5);
        ASSERT_EQ(rec.reports().size(), 1u) << ruvf_test::describe(rec.reports());
        EXPECT_EQ(rec.reports()[0].innermost(), "ruv_win_get_ctl_color_component");
    });
}

// One component set or unset changes that component only: the others the
// window had stay, whether they came one by one or as a whole list.
TEST(WindowColors, ComponentsAreSetAndUnsetOneByOne)
{
    ruvf_test::in_app([] {
        Recorder rec;
        Ctx c;
        RUV_WIN doc = c.get(Obj::Doc);
        rec.clear();
        const auto colors = [doc] {
            std::map<int32_t, RUV_COLOR> m;
            for (int32_t k : { 2, 4, 8, 16, 32, 64, 128 })
                if (RUV_COLOR v = ruv_win_get_ctl_color_component(doc, k); v != static_cast<RUV_COLOR>(-1))
                    m[k] = v;
            return m;
        };
        using M = std::map<int32_t, RUV_COLOR>;
        ruv_win_set_ctl_colors(doc, nullptr, 0);
        ruv_win_set_ctl_color_component(doc, 2, 0x000011);
        ruv_win_set_ctl_color_component(doc, 4, 0x000022);
        EXPECT_EQ(colors(), (M{ { 2, 0x000011 }, { 4, 0x000022 } }));
        ruv_win_set_ctl_color_component(doc, 2, 0x000033);
        EXPECT_EQ(colors(), (M{ { 2, 0x000033 }, { 4, 0x000022 } }));
        ruv_win_unset_ctl_color_component(doc, 2);
        EXPECT_EQ(colors(), (M{ { 4, 0x000022 } }));
        ruv_win_unset_ctl_color_component(doc, 64);  // absent: nothing changes
        EXPECT_EQ(colors(), (M{ { 4, 0x000022 } }));

        const RUV_COLOR_COMPONENT list[] = { { 8, 0x000044 }, { 16, 0x000055 }, { 0, static_cast<RUV_COLOR>(-1) } };
        ruv_win_set_ctl_colors(doc, list, 0);  // a whole list replaces
        EXPECT_EQ(colors(), (M{ { 8, 0x000044 }, { 16, 0x000055 } }));
        ruv_win_unset_ctl_color_component(doc, 8);
        ruv_win_set_ctl_color_component(doc, 128, 0x000066);
        EXPECT_EQ(colors(), (M{ { 16, 0x000055 }, { 128, 0x000066 } }));
        EXPECT_TRUE(rec.reports().empty()) << ruvf_test::describe(rec.reports());
    });
}

// An error raised through the forwarder from inside an error handler
// reaches the base library without a name mark of its own.
TEST(ErrorForwarders, DispatchInsideAHandlerAddsNoMark)
{
    ruvf_test::in_app([] {
        Recorder outer;
        {
            ruv::ErrFrame frame;
            RUV_ERR_HANDLER inner = [](RUV_ERRMSG *m, void *) -> RUV_BOOL {
                if (ruv_errmsg_get_msg_id(m) == 0x01250001)
                    ruv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, 0x01250004, "tcaller", 2);
                return 1;
            };
            ruv_errmsg_push_handler(inner, nullptr);
            ruv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, 0x01250001, "tcaller", 1);
            ruv_errmsg_pop_handler(inner);
        }
        ASSERT_EQ(outer.reports().size(), 1u);
        EXPECT_EQ(outer.reports()[0].id, 0x01250004u);
        EXPECT_EQ(outer.reports()[0].api.find("ruv_errmsg"), std::string::npos) << outer.reports()[0].api;
    });
}

} // namespace
