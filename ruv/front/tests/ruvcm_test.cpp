// Design-support module on the real toolkit: parameter lookups, points and
// colours as tables; the registry of custom controls on real windows and
// what is left of it when their owner closes; routing of menu commands to
// the child that holds or last held the focus; the default handler's
// pixels.
#include "dwin_pixels.h"
#include "front_fixture.h"
#include "native_controls.h"
#include "ruvcm.h"
#include "ruvv_attr.h"
#include "ruvv_event.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace ruvf_test;

namespace {

// ---- parameters ----

struct Lookup {
    std::vector<const char *> params;
    int32_t count;  // -1: the number of params
    const char *name;
    const char *expected;  // nullptr: absent
};

class ParamLookup : public ::testing::TestWithParam<Lookup> {};

TEST_P(ParamLookup, GivesTheValueAsWritten)
{
    const Lookup &c = GetParam();
    in_app([&c] {
        Recorder rec;
        std::vector<char *> params;
        for (const char *p : c.params)
            params.push_back(const_cast<char *>(p));
        const int32_t count = c.count >= 0 ? c.count : static_cast<int32_t>(params.size());
        const char *value = ruvcm_param_lookup(count, params.data(), c.name);
        if (c.expected) {
            ASSERT_NE(value, nullptr) << c.name;
            EXPECT_STREQ(value, c.expected);
            EXPECT_EQ(ruvcm_param_exists(count, params.data(), c.name), 1);
        } else {
            EXPECT_EQ(value, nullptr) << c.name << " = " << value;
            EXPECT_EQ(ruvcm_param_exists(count, params.data(), c.name), 0);
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

const std::string LONG_NAME(257, 'N');

INSTANTIATE_TEST_SUITE_P(
    Table, ParamLookup,
    ::testing::Values(
        Lookup{ { "Custom Control 12", "task_win=FALSE" }, -1, "TASK_WIN", "FALSE" },
        Lookup{ { "Custom Control 12", "TASK_WINDOW=1" }, -1, "TASK_WIN", "" },
        Lookup{ { "Custom Control 12", "AUTOSIZED=TRUE", "DEFAULT_TEXT=\"Ready  now\" tail" }, -1, "DEFAULT_TEXT",
                "Ready  now" },
        Lookup{ { "Custom Control 12", "DEFAULT_TEXT=\"open to the end" }, -1, "DEFAULT_TEXT", "open to the end" },
        Lookup{ { "Custom Control 12", "DEBUG=" }, -1, "DEBUG", "" },
        // The first matching string wins.
        Lookup{ { "c", "SIZE=1", "SIZE=2" }, -1, "SIZE", "1" },
        // String 0 is the class title and is never searched.
        Lookup{ { "TASK_WIN=TRUE", "OTHER=1" }, -1, "TASK_WIN", nullptr },
        Lookup{ { "c", "TASK_WIN=TRUE" }, 1, "TASK_WIN", nullptr },
        Lookup{ { "c", "TASK_WIN=TRUE" }, 1001, "TASK_WIN", nullptr },
        Lookup{ { "c", "POS=1,2" }, -1, "SIZE", nullptr },
        // Wildcards act inside the name.
        Lookup{ { "c", "TASK_WIN=5" }, -1, "TASK?WIN", "5" },
        Lookup{ { "c", "AB=7" }, -1, "A*", "7" },
        Lookup{ { "c", "ABC=7" }, -1, "A*", "" },
        Lookup{ { "c", "NAME=1" }, -1, LONG_NAME.c_str(), nullptr }));

TEST(Param, NullNameOrParamsGiveNothing)
{
    in_app([] {
        char p0[] = "c", p1[] = "A=1";
        char *params[] = { p0, p1 };
        EXPECT_EQ(ruvcm_param_lookup(2, params, nullptr), nullptr);
        EXPECT_EQ(ruvcm_param_lookup(2, nullptr, "A"), nullptr);
    });
}

// One typed reading: the parameter's text, what the reader gives.
struct Typed {
    const char *text;
    const char *what;  // "point", "color", "long", "short", "char", "float"
    bool ok;
    int64_t a, b;      // point: h, v; colour: the value; numbers: the value
};

class ParamTyped : public ::testing::TestWithParam<Typed> {};

TEST_P(ParamTyped, ReadsOrLeavesTheOutput)
{
    const Typed &c = GetParam();
    in_app([&c] {
        std::string line = std::string("X=") + c.text;
        char p0[] = "c";
        char *params[] = { p0, &line[0] };
        const std::string what = c.what;
        if (what == "point") {
            RUV_POINT p{ -7, -7 };
            ASSERT_EQ(ruvcm_param_get_point(2, params, "X", &p), c.ok ? 1 : 0);
            EXPECT_EQ(p.h, c.ok ? c.a : -7);
            EXPECT_EQ(p.v, c.ok ? c.b : -7);
        } else if (what == "color") {
            RUV_COLOR v = 0x12345678u;
            ASSERT_EQ(ruvcm_param_get_color(2, params, "X", &v), c.ok ? 1 : 0);
            EXPECT_EQ(v, c.ok ? static_cast<RUV_COLOR>(c.a) : 0x12345678u) << std::hex << v;
        } else if (what == "long") {
            int32_t v = -7;
            ASSERT_EQ(ruvcm_param_get_long(2, params, "X", &v), c.ok ? 1 : 0);
            EXPECT_EQ(v, c.ok ? c.a : -7);
        } else if (what == "int") {
            int v = -7;
            ASSERT_EQ(ruvcm_param_get_int(2, params, "X", &v), c.ok ? 1 : 0);
            EXPECT_EQ(v, c.ok ? c.a : -7);
        } else if (what == "short") {
            int16_t v = -7;
            ASSERT_EQ(ruvcm_param_get_short(2, params, "X", &v), c.ok ? 1 : 0);
            EXPECT_EQ(v, c.ok ? c.a : -7);
        } else if (what == "char") {
            char v = '?';
            ASSERT_EQ(ruvcm_param_get_char(2, params, "X", &v), c.ok ? 1 : 0);
            EXPECT_EQ(v, c.ok ? static_cast<char>(c.a) : '?');
        } else if (what == "float") {
            float v = -7.0f;
            ASSERT_EQ(ruvcm_param_get_float(2, params, "X", &v), c.ok ? 1 : 0);
            EXPECT_FLOAT_EQ(v, c.ok ? static_cast<float>(c.a) / 4.0f : -7.0f);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParamTyped,
    ::testing::Values(
        Typed{ "10,20", "point", true, 10, 20 },
        Typed{ "-3 x4", "point", false, 0, 0 },
        Typed{ "5;-6", "point", true, 5, -6 },
        Typed{ "10", "point", false, 0, 0 },
        Typed{ "255 128 0", "color", true, 0x00FF8000, 0 },
        Typed{ "0,0,255", "color", true, 0x000000FF, 0 },
        Typed{ "256,1,2", "color", true, 0x00000102, 0 },
        // A negative component is its own low byte and leaves its
        // neighbours alone; a value must begin with a digit to be a number.
        Typed{ "-1,0,0", "color", false, 0, 0 },
        Typed{ "0,-1,0", "color", true, 0x0000FF00, 0 },
        Typed{ "1,2,-2", "color", true, 0x000102FE, 0 },
        Typed{ "1,2", "color", false, 0, 0 },
        Typed{ "ltgray", "color", true, 0x0AC0C0C0, 0 },
        Typed{ "Dk_Gray", "color", true, 0x08404040, 0 },
        Typed{ "WHITE", "color", true, 0x0BFFFFFF, 0 },
        Typed{ "purple", "color", false, 0, 0 },
        Typed{ "REDDISH", "color", false, 0, 0 },
        Typed{ "", "color", false, 0, 0 },
        Typed{ "-42", "long", true, -42, 0 },
        Typed{ "x", "long", false, 0, 0 },
        Typed{ "17 apples", "int", true, 17, 0 },
        Typed{ "-300", "short", true, -300, 0 },
        Typed{ "Y", "char", true, 'Y', 0 },
        Typed{ "", "char", false, 0, 0 },
        Typed{ "2.5", "float", true, 10, 0 }));

// ---- windows ----

// The commands each window's handler saw, and the events it saw.
std::map<RUV_WIN, std::vector<int32_t>> &commands()
{
    static std::map<RUV_WIN, std::vector<int32_t>> m;
    return m;
}

// A custom control: the hooks first and last, the commands in between.
int32_t control_handler(RUV_WIN w, RUV_EVENT *e)
{
    ruvcm_create_hook(w, e);
    if (e->type == E_COMMAND)
        commands()[w].push_back(e->v.command.tag);
    ruvcm_destroy_hook(w, e);
    return 0;
}

// A container: every event goes to the router first.
int32_t container_handler(RUV_WIN w, RUV_EVENT *e)
{
    ruvcm_route_event(w, e);
    if (e->type == E_COMMAND)
        commands()[w].push_back(e->v.command.tag);
    return 0;
}

RUV_WIN task_window()
{
    return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

RUV_WIN make_container(int16_t left)
{
    RUV_RECT r{ 40, left, 300, static_cast<int16_t>(left + 360) };
    return ruv_win_create(1, &r, "Container", 0, task_window(), 0x803, -1, container_handler, nullptr);
}

char P0[] = "Custom Control 12", P1[] = "AUTOSIZED=TRUE", P2[] = "DEFAULT_TEXT=\"Ready\"";
char *PARAMS[] = { P0, P1, P2 };

RUV_WIN make_control(RUV_WIN parent, int32_t id, int16_t top, RUV_EVENT_HANDLER handler = control_handler)
{
    return ruvcm_create_window(id, 10, top, 150, static_cast<int16_t>(top + 40), 3, PARAMS, parent, 0, 0, nullptr,
                               handler, nullptr);
}

void command(RUV_WIN w, int32_t tag)
{
    RUV_EVENT e;
    std::memset(&e, 0, sizeof e);
    e.type = E_COMMAND;
    e.v.command.tag = tag;
    ruv_win_dispatch_event(w, &e);
}

void focus(RUV_WIN w)
{
    ruv_scr_set_focus_vobj(w);
    pump(50);
}

HWND hwnd(RUV_WIN w)
{
    return static_cast<HWND>(w->native);
}

TEST(Registry, ChildrenAreFoundByIdAndForgottenWithTheirOwner)
{
    in_app([] {
        Recorder rec;
        for (int round = 0; round < 2; ++round) {
            // The second round counts the memory: the first one lets the
            // toolkit make what it keeps for the process.
            const long before = kt::MemCount::outstanding();
            RUV_WIN owner = make_container(40);
            ASSERT_NE(owner, NULL_WIN);
            RUV_WIN first = make_control(owner, 12, 10);
            RUV_WIN second = make_control(owner, 12, 60);
            RUV_WIN other = make_control(owner, 13, 110);
            ASSERT_NE(first, NULL_WIN);
            ASSERT_NE(second, NULL_WIN);

            EXPECT_EQ(ruvcm_get_owner(first), owner);
            EXPECT_EQ(ruvcm_get_owner(owner), task_window());
            // The child registered later is found first.
            EXPECT_EQ(ruvcm_find_window_by_id(owner, 12), second);
            EXPECT_EQ(ruvcm_find_window_by_id(owner, 13), other);
            EXPECT_EQ(ruvcm_find_window_by_id(owner, 14), NULL_WIN);
            EXPECT_EQ(ruvcm_find_window_by_id(task_window(), 12), NULL_WIN);
            EXPECT_EQ(ruvcm_get_child_id(other), 13);
            EXPECT_EQ(ruvcm_get_child_id(owner), -1);
            // The creation record was taken over at the create event.
            EXPECT_EQ(ruv_vobj_get_data(first), nullptr);
            int32_t count = 0;
            EXPECT_EQ(ruvcm_get_saved_params(first, &count), PARAMS);
            EXPECT_EQ(count, 3);
            EXPECT_STREQ(ruvcm_get_first_param(first), "Custom Control 12");
            EXPECT_EQ(ruvcm_get_saved_params(owner, &count), nullptr);
            EXPECT_EQ(count, 0);

            EXPECT_EQ(ruvcm_get_window_block(first, 0), nullptr);
            auto *block = static_cast<unsigned char *>(ruvcm_get_window_block(first, 64));
            ASSERT_NE(block, nullptr);
            EXPECT_EQ(std::count(block, block + 64, 0), 64);
            EXPECT_EQ(ruvcm_get_window_block(first, 128), block);
            EXPECT_EQ(ruvcm_get_window_block(owner, 64), nullptr);

            // A child destroyed alone leaves its owner's list.
            ruv_vobj_destroy(other);
            EXPECT_EQ(ruvcm_find_child_entry(other), nullptr);
            EXPECT_EQ(ruvcm_find_window_by_id(owner, 13), NULL_WIN);
            EXPECT_NE(ruvcm_find_top_entry(owner), nullptr);

            // Closing the owner takes its children and its entry.
            ruv_vobj_destroy(owner);
            ruvk_app_process_pending_events();
            EXPECT_EQ(ruvcm_find_top_entry(owner), nullptr);
            EXPECT_EQ(ruvcm_find_child_entry(first), nullptr);
            EXPECT_EQ(ruvcm_find_child_entry(second), nullptr);
            if (round == 1) {
                EXPECT_EQ(kt::MemCount::outstanding(), before);
            }
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST(Registry, NoWindowWithoutParent)
{
    in_app([] {
        Recorder rec;
        EXPECT_EQ(make_control(NULL_WIN, 1, 10), NULL_WIN);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

// The pre-creation callback may change any field; all are read back.
void move_and_renumber(RUV_CM_CREATE_PARAMS *p)
{
    EXPECT_EQ(p->type, 7);
    EXPECT_EQ(p->flags, 0);
    EXPECT_EQ(p->eventMask, -1);
    EXPECT_EQ(p->rect.left, 10);
    EXPECT_EQ(p->rect.bottom, 50);
    p->rect.right = 60;
    p->id = 99;
}

TEST(Registry, PreCreationCallbackDecides)
{
    in_app([] {
        Recorder rec;
        RUV_WIN owner = make_container(40);
        RUV_WIN w = ruvcm_create_window(5, 10, 10, 150, 50, 3, PARAMS, owner, 0, 0, nullptr, control_handler,
                                        move_and_renumber);
        ASSERT_NE(w, NULL_WIN);
        EXPECT_EQ(ruvcm_get_child_id(w), 99);
        RECT rc{};
        GetClientRect(hwnd(w), &rc);
        EXPECT_EQ(rc.right, 50);
        ruv_vobj_destroy(owner);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

constexpr int32_t CHILD = 7;

TEST(Registry, ASimpleWindowTakesItsTypeFlagsMaskAndHandlerAsGiven)
{
    in_app([] {
        Recorder rec;
        RUV_WIN owner = make_container(40);
        const uint32_t mask = RUV_EVENT_BIT(E_CREATE) | RUV_EVENT_BIT(E_DESTROY) | RUV_EVENT_BIT(E_COMMAND);
        RUV_RECT r{ 10, 20, 50, 140 };
        RUV_WIN w = ruvcm_create_window_simple(CHILD, &r, owner, 0, (int32_t)mask, control_handler, 12345, 21, 3,
                                               PARAMS);
        ASSERT_NE(w, NULL_WIN);
        EXPECT_EQ(ruv_vobj_get_parent(w), owner);
        EXPECT_EQ(ruv_win_get_event_mask(w), mask);
        RECT rc{};
        GetClientRect(hwnd(w), &rc);
        EXPECT_EQ(rc.right, 120);
        EXPECT_EQ(rc.bottom, 40);
        // Registered under its id with the parameters, at its create event.
        EXPECT_EQ(ruvcm_find_window_by_id(owner, 21), w);
        int32_t count = 0;
        EXPECT_EQ(ruvcm_get_saved_params(w, &count), PARAMS);
        EXPECT_EQ(count, 3);
        commands()[w].clear();
        command(w, 77);
        EXPECT_EQ(commands()[w], std::vector<int32_t>{ 77 });

        // The mask is not defaulted: without E_CREATE the handler never
        // registers the window.
        RUV_RECT r2{ 60, 20, 100, 140 };
        RUV_WIN unseen = ruvcm_create_window_simple(CHILD, &r2, owner, 0, (int32_t)RUV_EVENT_BIT(E_COMMAND),
                                                    control_handler, 0, 22, 3, PARAMS);
        ASSERT_NE(unseen, NULL_WIN);
        EXPECT_EQ(ruvcm_get_child_id(unseen), -1);
        EXPECT_EQ(ruvcm_find_window_by_id(owner, 22), NULL_WIN);

        // Without a handler the default one paints the window.
        RUV_RECT r3{ 110, 20, 150, 140 };
        RUV_WIN plain = ruvcm_create_window_simple(CHILD, &r3, owner, 0, -1, nullptr, 0, 23, 3, PARAMS);
        ASSERT_NE(plain, NULL_WIN);
        EXPECT_EQ(ruv_win_get_handler(plain), &ruvcm_default_event_handler);

        // A refused creation gives no window.
        rec.clear();
        EXPECT_EQ(ruvcm_create_window_simple(-1, &r, owner, 0, -1, control_handler, 0, 24, 3, PARAMS), NULL_WIN);
        ASSERT_FALSE(rec.reports().empty());
        EXPECT_EQ(rec.reports().front().id, 0x01230001u);
        EXPECT_EQ(ruvcm_find_window_by_id(owner, 24), NULL_WIN);
        rec.clear();
        ruv_vobj_destroy(owner);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST(Routing, CommandsReachTheFocusedOrLastFocusedChild)
{
    in_app([] {
        Recorder rec;
        commands().clear();
        RUV_WIN owner = make_container(40);
        RUV_WIN child = make_control(owner, 1, 10);
        RUV_WIN grandchild = make_control(child, 2, 5);
        RUV_RECT er{ 50, 10, 70, 100 };
        RUV_WIN edit = ruvk_ctl_create(17, &er, "", child, 0, nullptr, 3);
        ASSERT_NE(edit, NULL_WIN);
        SetForegroundWindow(hwnd(owner));
        pump(100);

        // The focus on the child itself.
        focus(child);
        ASSERT_EQ(ruv_scr_get_focus_vobj(), child);
        command(owner, 1001);
        EXPECT_EQ(commands()[child], std::vector<int32_t>{ 1001 });
        EXPECT_EQ(commands()[owner], std::vector<int32_t>{ 1001 });

        // The focus deeper down: the owner's direct child takes it.
        focus(grandchild);
        ASSERT_EQ(ruv_scr_get_focus_vobj(), grandchild);
        command(owner, 1002);
        EXPECT_EQ(commands()[child], (std::vector<int32_t>{ 1001, 1002 }));
        EXPECT_TRUE(commands()[grandchild].empty());

        // A control with the focus stops the routing.
        focus(edit);
        ASSERT_EQ(ruv_scr_get_focus_vobj(), edit);
        command(owner, 1003);
        EXPECT_EQ(commands()[child].size(), 2u);

        // The focus on the owner: the child that last lost it takes it.
        focus(child);
        focus(owner);
        ASSERT_EQ(ruv_scr_get_focus_vobj(), owner);
        EXPECT_EQ(ruvcm_get_last_focus(), child);
        command(owner, 1004);
        EXPECT_EQ(commands()[child], (std::vector<int32_t>{ 1001, 1002, 1004 }));

        // A destroyed child is no target any more.
        ruv_vobj_destroy(child);
        EXPECT_EQ(ruvcm_get_last_focus(), NULL_WIN);
        command(owner, 1005);
        EXPECT_EQ(commands()[owner].back(), 1005);

        ruv_vobj_destroy(owner);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

TEST(Routing, NotifyParentSendsTheOwnerAUserEvent)
{
    static std::vector<std::pair<int32_t, void *>> seen;
    seen.clear();
    in_app([] {
        Recorder rec;
        RUV_RECT r{ 40, 40, 300, 400 };
        RUV_WIN owner = ruv_win_create(
            1, &r, "Owner", 0, task_window(), 0x803, -1,
            [](RUV_WIN w, RUV_EVENT *e) -> int32_t {
                if (e->type == E_USER)
                    seen.push_back({ e->v.user.id, e->v.user.data });
                return 0;
            },
            nullptr);
        RUV_WIN child = make_control(owner, 77, 10);
        RUV_CM_NOTIFY note{ 0, NULL_WIN };
        EXPECT_EQ(ruvcm_notify_parent(child, &note), 1);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].first, 77);
        EXPECT_EQ(seen[0].second, &note);
        EXPECT_EQ(note.type, 7);
        EXPECT_EQ(note.window, child);
        EXPECT_EQ(ruvcm_notify_parent(owner, &note), 0);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());

        rec.clear();
        EXPECT_EQ(ruvcm_notify_parent(child, nullptr), 0);
        ASSERT_EQ(rec.reports().size(), 1u) << describe(rec.reports());
        EXPECT_EQ(rec.reports()[0].id, 0x01250001u);
        EXPECT_EQ(rec.reports()[0].severity, RUV_SEV_FATAL);
        EXPECT_EQ(rec.reports()[0].file, "ruvcm");
        ruv_vobj_destroy(owner);
    });
}

TEST(DefaultHandler, PaintsItsNoticeInWhiteOnBlack)
{
    in_app([] {
        Recorder rec;
        RUV_WIN owner = make_container(40);
        RUV_WIN w = ruvcm_create_window(1, 10, 10, 210, 110, 3, PARAMS, owner, 0, 0, nullptr, nullptr, nullptr);
        ASSERT_NE(w, NULL_WIN);
        SetForegroundWindow(hwnd(owner));
        InvalidateRect(hwnd(w), nullptr, TRUE);
        UpdateWindow(hwnd(w));
        pump(100);
        int32_t leading = 0, ascent = 0, descent = 0;
        ruv_dwin_get_font_metrics(w, &leading, &ascent, &descent);
        ASSERT_GT(ascent, 0);
        const int line = ascent + descent;
        Pixels px(hwnd(w));
        // Two lines of white text from 4 pixels in, black everywhere else.
        EXPECT_GT(px.count(PX_WHITE, 4, 0, 200, line), 10);
        EXPECT_GT(px.count(PX_WHITE, 4, line, 200, 2 * line), 10);
        EXPECT_EQ(px.count(PX_WHITE, 0, 0, 3, 100), 0);
        EXPECT_EQ(px.count(RGB(0, 0, 0), 0, 2 * line + 2, 200, 100), 200 * (100 - 2 * line - 2));
        EXPECT_EQ(ruvcm_default_event_handler(w, nullptr), 0);
        ruv_vobj_destroy(owner);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
    });
}

} // namespace

// Counting hooks for the whole program, installed before any application
// starts.
static const bool hooks_installed = (kt::MemCount::install(false), true);
