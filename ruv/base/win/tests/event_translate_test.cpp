// Event translation on real windows: native messages sent to a document
// window come out as the toolkit events of the table; commands reach the
// owner of the menu bar; the window-procedure hook can take a message;
// E_CREATE comes before what was deferred while the window was being made;
// the shut-down query; timers tick at their interval.
#include <algorithm>

#include <gtest/gtest.h>

#include "event_test_support.h"
#include "event_translate.h"
#include "window_procs.h"
#include "timers.h"
#include "window_services.h"

using et::events_of;
using et::seen;

namespace {

struct Case {
    const char *name;
    std::vector<int> held;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    std::vector<std::string> expect;
};

constexpr LPARAM kExtended = 1L << 24;
const uint32_t kFocusAndPaint = RUV_EVENT_BIT(E_FOCUS) | RUV_EVENT_BIT(E_UPDATE);
// Where only control events count: a window made under the pointer may also
// hear of the pointer.
const uint32_t kNotControls = kFocusAndPaint | RUV_EVENT_BIT(E_MOUSE_MOVE);

void run_cases(RUV_WIN w, const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        BYTE state[256] = {};
        for (int vk : c.held)
            state[vk] = 0x80;
        SetKeyboardState(state);
        seen().clear();
        SendMessageA(et::hwnd(w), c.msg, c.wp, c.lp);
        EXPECT_EQ(events_of(w, kFocusAndPaint), c.expect) << c.name;
    }
    et::hold({});
}

} // namespace

TEST(EventTranslation, NativeMessagesGiveTheEventsOfTheTable)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN w = et::make_window(NULL_WIN, 0x80B);
        ASSERT_NE(w, nullptr);
        HWND h = et::hwnd(w);
        SetScrollRange(h, SB_VERT, 3, 90, FALSE);
        POINT origin = {0, 0};
        ClientToScreen(h, &origin);
        const LPARAM wheel_at = MAKELPARAM(origin.x + 10, origin.y + 20);

        const std::vector<Case> cases = {
            {"Home", {}, WM_KEYDOWN, VK_HOME, 1, {"char 307 vk1 s0 c0 m0"}},
            {"Control+Home", {VK_CONTROL, VK_LCONTROL}, WM_KEYDOWN, VK_HOME, 1, {"char 309 vk1 s0 c1 m0x4"}},
            {"Control+Left", {VK_CONTROL}, WM_KEYDOWN, VK_LEFT, 1, {"char 313 vk1 s0 c1 m0x4"}},
            {"Up keeps its code with Control", {VK_CONTROL}, WM_KEYDOWN, VK_UP, 1, {"char 301 vk1 s0 c1 m0x4"}},
            {"Delete", {}, WM_KEYDOWN, VK_DELETE, 1, {"char 127 vk1 s0 c0 m0"}},
            {"F5", {}, WM_KEYDOWN, VK_F5, 1, {"char 335 vk1 s0 c0 m0"}},
            {"F24", {}, WM_KEYDOWN, VK_F24, 1, {"char 354 vk1 s0 c0 m0"}},
            {"Alt+Control is AltGr", {VK_CONTROL, VK_MENU, VK_RMENU}, WM_KEYDOWN, VK_END, 1,
             {"char 310 vk1 s0 c1 m0xc0c"}},
            {"a letter key-down gives nothing", {}, WM_KEYDOWN, 'A', 1, {}},
            {"keypad / (extended)", {}, WM_CHAR, '/', 1 | kExtended, {"char 375 vk1 s0 c0 m0"}},
            {"keypad 7 (extended)", {}, WM_CHAR, '7', 1 | kExtended, {"char 325 vk1 s0 c0 m0"}},
            {"main keyboard /", {}, WM_CHAR, '/', 1, {"char 47 vk0 s0 c0 m0"}},
            {"Shift+Tab", {VK_SHIFT, VK_LSHIFT}, WM_CHAR, '\t', 1, {"char 315 vk1 s1 c0 m0x12"}},
            {"Tab", {}, WM_CHAR, '\t', 1, {"char 9 vk0 s0 c0 m0"}},
            {"repeat count 3", {}, WM_CHAR, 'x', 3,
             {"char 120 vk0 s0 c0 m0", "char 120 vk0 s0 c0 m0", "char 120 vk0 s0 c0 m0"}},
            {"left down", {}, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 7), {"down v7 h5 s0 c0 b0"}},
            {"right up", {}, WM_RBUTTONUP, 0, MAKELPARAM(5, 7), {"up v7 h5 s0 c0 b1"}},
            {"middle double", {}, WM_MBUTTONDBLCLK, 0, MAKELPARAM(5, 7), {"double v7 h5 s0 c0 b2"}},
            {"move with Shift", {VK_SHIFT}, WM_MOUSEMOVE, 0, MAKELPARAM(30, 40), {"move v40 h30 s1 c0 b0"}},
            {"wheel -240", {}, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-240), wheel_at, {"wheel v20 h10 hs0 vs-2"}},
            {"horizontal wheel 120", {}, WM_MOUSEHWHEEL, MAKEWPARAM(0, 120), wheel_at, {"wheel v20 h10 hs1 vs0"}},
            {"thumb track", {}, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 37), 0, {"vscroll a6 p37"}},
            {"thumb position", {}, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0, {"vscroll a5 p12"}},
            {"top is the range minimum", {}, WM_VSCROLL, SB_TOP, 0, {"vscroll a5 p3"}},
            {"bottom is the range maximum", {}, WM_VSCROLL, SB_BOTTOM, 0, {"vscroll a5 p90"}},
            {"line down", {}, WM_VSCROLL, SB_LINEDOWN, 0, {"vscroll a2 p0"}},
            {"page up, horizontal", {}, WM_HSCROLL, SB_PAGEUP, 0, {"hscroll a3 p0"}},
            {"end scroll sends nothing", {}, WM_VSCROLL, SB_ENDSCROLL, 0, {}},
            {"restored size", {}, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100), {"size 100x200"}},
            {"maximised size", {}, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), {"size 480x640"}},
            {"minimise sends nothing", {}, WM_SIZE, SIZE_MINIMIZED, 0, {}},
            {"close", {}, WM_CLOSE, 0, 0, {"close"}},
        };
        run_cases(w, cases);
        EXPECT_TRUE(IsWindow(h)) << "E_CLOSE leaves the native window";
    });
}

TEST(EventTranslation, ADbcsLeadByteWaitsForItsTrailByte)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN w = et::make_window(NULL_WIN);
        ASSERT_NE(w, nullptr);
        // Under a single-byte code page every byte is a character; under a
        // double-byte one the lead byte alone gives nothing.
        const unsigned char lead = 0x82;
        seen().clear();
        SendMessageA(et::hwnd(w), WM_CHAR, lead, 1);
        if (IsDBCSLeadByte(lead)) {
            EXPECT_TRUE(events_of(w, kFocusAndPaint).empty());
            SendMessageA(et::hwnd(w), WM_CHAR, 0xA0, 1);
        }
        ASSERT_EQ(events_of(w, kFocusAndPaint).size(), 1u);
        WCHAR expect = 0;
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(0xA0)};
        MultiByteToWideChar(CP_ACP, 0, bytes, IsDBCSLeadByte(lead) ? 2 : 1, &expect, 1);
        EXPECT_EQ(static_cast<RUV_WCHAR>(seen().back().ev.v.chr.key), expect);
        EXPECT_EQ(seen().back().ev.v.chr.virtual_key, 0);
    });
}

TEST(EventTranslation, MenuCommandsReachTheOwnerOfTheMenuBar)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN doc = et::make_window(NULL_WIN);
        ASSERT_NE(doc, nullptr);
        RUV_WIN child = et::make_window(doc, 0x800, 10);
        ASSERT_NE(child, nullptr);
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_STRING, 1234, "Go");
        AppendMenuA(bar, MF_STRING | MF_GRAYED, 1235, "Grey");
        HWND task = et::hwnd(et::task());
        ASSERT_NE(task, nullptr);
        HMENU old = GetMenu(task);
        SetMenu(task, nullptr);

        struct Cmd {
            const char *name;
            RUV_WIN to;
            WPARAM wp;
            RUV_WIN expect_at;
            std::vector<std::string> expect;
        };
        auto run = [](const std::vector<Cmd> &cmds) {
            for (const Cmd &c : cmds) {
                seen().clear();
                SendMessageA(et::hwnd(c.to), WM_COMMAND, c.wp, 0);
                EXPECT_EQ(events_of(c.expect_at, kFocusAndPaint), c.expect) << c.name;
                EXPECT_EQ(events_of(NULL_WIN, kFocusAndPaint).size(), c.expect.size()) << c.name;
            }
        };
        run({{"no menu bar anywhere: default processing", doc, 1234, NULL_WIN, {}},
             {"a child sends its menu commands to itself", child, 1234, child, {"command 1234 s0 c0"}}});

        RUV_WIN t = et::task();
        SetMenu(task, bar);
        run({{"a document without a bar: its parent's", doc, 1234, t, {"command 1234 s0 c0"}},
             {"the task window's own bar", t, 1234, t, {"command 1234 s0 c0"}},
             {"system command tags are taken and dropped", doc, 61536, NULL_WIN, {}},
             {"accelerator of an enabled item: the bar's owner", doc, MAKEWPARAM(1234, 1), t, {"command 1234 s0 c0"}},
             {"accelerator of a greyed item is dropped", doc, MAKEWPARAM(1235, 1), NULL_WIN, {}},
             {"accelerator of a missing item is dropped", doc, MAKEWPARAM(999, 1), NULL_WIN, {}}});
        SetMenu(task, nullptr);
        DestroyMenu(bar);
        SetMenu(task, old);
    }, et::record);
}

namespace {

UINT g_consume;
RUV_BOOL consume_hook(HWND, UINT msg, WPARAM, LPARAM, LRESULT *result)
{
    if (msg != g_consume)
        return 1;
    *result = 77;
    return 0;
}

} // namespace

TEST(EventTranslation, TheWindowProcedureHookTakesWhatItConsumes)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN w = et::make_window(NULL_WIN);
        ASSERT_NE(w, nullptr);
        g_consume = WM_CLOSE;
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, reinterpret_cast<intptr_t>(&consume_hook));
        seen().clear();
        EXPECT_EQ(SendMessageA(et::hwnd(w), WM_CLOSE, 0, 0), 77);
        EXPECT_TRUE(events_of(w, kFocusAndPaint).empty());
        SendMessageA(et::hwnd(w), WM_KEYDOWN, VK_HOME, 1);
        EXPECT_EQ(events_of(w, kFocusAndPaint), std::vector<std::string>{"char 307 vk1 s0 c0 m0"});
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, 0);
    });
}

// A window made by hand so that its creation can be held open: while
// kernel bit 0 is clear, paint, size and focus wait behind E_CREATE.
TEST(EventTranslation, CreateComesBeforeWhatCreationDeferred)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN task = et::task();
        char cls[128];
        ASSERT_TRUE(ruvk_class_register(RUVK_KIND_DOC, 9012, cls, sizeof cls));
        auto *rec = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
        ASSERT_TRUE(ruvk_vobj_record_init(rec, 1, RUVK_KIND_DOC, task));
        rec->handler = et::record;
        rec->event_mask = RUV_EVENT_MASK_ALL;
        rec->top = rec;
        seen().clear();
        HWND h = CreateWindowExA(0, cls, "Deferred", WS_CHILD | WS_CAPTION | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 200,
                                 150, et::hwnd(task), nullptr, GetModuleHandleA(nullptr), rec);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(rec->native, h);
        UpdateWindow(h);
        SetWindowPos(h, nullptr, 0, 0, 260, 180, SWP_NOMOVE | SWP_NOZORDER);
        SetFocus(h);
        EXPECT_TRUE(events_of(rec).empty()) << "nothing before creation completes";

        ruvk_win_complete_creation(rec);
        et::pump(100);
        std::vector<std::string> got = events_of(rec);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got.front(), "create");
        EXPECT_EQ(std::count(got.begin(), got.end(), "create"), 1);
        EXPECT_NE(std::find(got.begin(), got.end(), "update"), got.end()) << "the deferred paint came";
        EXPECT_NE(std::find_if(got.begin(), got.end(), [](const std::string &s) { return s.rfind("size", 0) == 0; }),
                  got.end())
            << "the deferred size came";
        ruvk_vobj_destroy(rec);
    });
}

TEST(EventTranslation, WindowsMadeThroughTheKernelSeeCreateFirst)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        seen().clear();
        RUV_WIN w = et::make_window(NULL_WIN);
        ASSERT_NE(w, nullptr);
        et::pump(50);
        std::vector<std::string> got = events_of(w);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got.front(), "create");
    });
}

namespace {

bool g_allow;
int32_t quit_handler(RUV_WIN win, RUV_EVENT *event)
{
    et::record(win, event);
    if (event->type == E_QUIT && event->v.quit.query == 1 && g_allow)
        ruvk_app_allow_quit();
    return 0;
}

} // namespace

TEST(EventTranslation, TheShutDownQueryAsksTheTaskWindow)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(
        [] {
            HWND util = ruvwi_get_utility_hwnd();
            ASSERT_NE(util, nullptr);
            for (bool allow : {false, true}) {
                g_allow = allow;
                seen().clear();
                EXPECT_EQ(SendMessageA(util, WM_QUERYENDSESSION, 0, 0) != 0, allow);
                EXPECT_EQ(events_of(et::task()), std::vector<std::string>{"quit 1"});
            }
            seen().clear();
            SendMessageA(util, WM_ENDSESSION, FALSE, 0);
            EXPECT_TRUE(events_of(et::task()).empty()) << "a shut-down that did not happen";
            SendMessageA(util, WM_ENDSESSION, TRUE, 0);
            EXPECT_EQ(events_of(et::task()), std::vector<std::string>{"quit 0"});
        },
        quit_handler);
}

TEST(Timers, AHundredMillisecondTimerTicksEighteenToTwentyOneTimesInTwoSeconds)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN w = et::make_window(NULL_WIN);
        ASSERT_NE(w, nullptr);
        et::pump(50);
        seen().clear();
        int32_t id = ruvk_timer_create(w, 100);
        ASSERT_GE(id, 2);
        et::pump(2000);
        ruvk_timer_destroy(id);
        long ticks = 0;
        for (const std::string &e : events_of(w))
            ticks += e == "timer " + std::to_string(id);
        EXPECT_GE(ticks, 18);
        EXPECT_LE(ticks, 21);
    });
}

// The measure between events: a tick a little before the interval counts,
// one far before it does not, and a tick count that went backwards starts
// the measure again.
TEST(Timers, ATickAtTheIntervalLessATolerancePasses)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN w = et::make_window(NULL_WIN);
        ASSERT_NE(w, nullptr);
        int32_t id = ruvk_timer_create(w, 60000);
        ASSERT_GE(id, 2);
        RUVK_TIMER_SLOT *slot = ruvk_timer_slot(id);
        ASSERT_NE(slot, nullptr);
        struct {
            const char *name;
            int32_t interval;
            int32_t elapsed;   // negative: the stored count lies ahead
            bool sent;
        } cases[] = {
            {"a whole interval", 100, 100, true},
            {"just before the interval", 100, 95, true},
            {"half an interval", 100, 50, false},
            {"a long interval, 30 ms early", 1000, 970, true},
            {"a long interval, 200 ms early", 1000, 800, false},
            {"the count went backwards", 100, -5000, false},
        };
        for (const auto &c : cases) {
            slot->interval = c.interval;
            slot->ticks = GetTickCount() - static_cast<DWORD>(c.elapsed);
            seen().clear();
            SendMessageA(et::hwnd(w), WM_TIMER, id, 0);
            EXPECT_EQ(events_of(w, kFocusAndPaint).size(), c.sent ? 1u : 0u) << c.name;
            if (c.elapsed < 0) {
                EXPECT_LE(GetTickCount() - slot->ticks, 1000u) << "the measure starts again";
            }
        }
        ruvk_timer_destroy(id);
    });
}

// The window-less task's timers live on the utility window and tick on the
// task object.
TEST(Timers, TimersOfTheWindowlessTaskReachTheTaskObject)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    et::run(
        [] {
            RUV_WIN task = et::task();
            int32_t id = ruvk_timer_create(task, 50);
            ASSERT_GE(id, 2);
            seen().clear();
            et::pump(400);
            ruvk_timer_destroy(id);
            std::vector<std::string> got = events_of(task);
            EXPECT_GE(std::count(got.begin(), got.end(), "timer " + std::to_string(id)), 4);
        },
        et::record);
}

namespace {

// A native control adopted by hand: a record of a control kind linked to
// the native window, as the control module will make them.
RUV_WIN adopt(HWND ctl, int32_t type, RUV_WIN parent)
{
    auto *rec = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
    if (!rec || !ruvk_vobj_record_init(rec, type, 0x80, parent))
        return nullptr;
    ruvk_win_link_native(ctl, rec);
    return rec;
}

} // namespace

// Control notifications come back as E_CONTROL to the control's parent
// once the queue is served; none while the kernel sets a text itself.
TEST(EventTranslation, ControlNotificationsArriveAsControlEvents)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN doc = et::make_window(NULL_WIN);
        ASSERT_NE(doc, nullptr);
        HINSTANCE inst = GetModuleHandleA(nullptr);
        HWND button = CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60, 20,
                                      et::hwnd(doc), reinterpret_cast<HMENU>(501), inst, nullptr);
        HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 5, 30, 80, 60, et::hwnd(doc),
                                    reinterpret_cast<HMENU>(502), inst, nullptr);
        ASSERT_TRUE(button && list);
        ASSERT_TRUE(adopt(button, 12, doc) && adopt(list, 19, doc));
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
        et::pump(50);

        struct {
            const char *name;
            HWND ctl;
            WORD code;
            bool kernel_sets_text;
            std::vector<std::string> expect;
        } cases[] = {
            {"button click", button, BN_CLICKED, false, {"control 501 type 12 data 0 0"}},
            {"list selection", list, LBN_SELCHANGE, false, {"control 502 type 19 data 0 0"}},
            {"list double click", list, LBN_DBLCLK, false, {"control 502 type 19 data 1 0"}},
            {"a notification the rules do not take", list, LBN_SETFOCUS, false, {}},
            {"while the kernel sets a text", button, BN_CLICKED, true, {}},
        };
        RUV_APP_RECORD *app = ruvk_app_record();
        for (const auto &c : cases) {
            seen().clear();
            app->kernel_sets_text = c.kernel_sets_text;
            SendMessageA(et::hwnd(doc), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c.ctl), c.code),
                         reinterpret_cast<LPARAM>(c.ctl));
            app->kernel_sets_text = 0;
            EXPECT_TRUE(events_of(doc, kFocusAndPaint).empty()) << c.name << ": posted, not sent at once";
            et::pump(50);
            EXPECT_EQ(events_of(doc, kNotControls), c.expect) << c.name;
        }
        // A real click goes the same way.
        seen().clear();
        SendMessageA(button, BM_CLICK, 0, 0);
        et::pump(50);
        EXPECT_EQ(events_of(doc, kNotControls), std::vector<std::string>{"control 501 type 12 data 0 0"});
    });
}

// The plain task window sends no input events, but its own controls
// reach it like any window's once the queue is served.
TEST(EventTranslation, ControlsOfThePlainTaskWindowReachIt)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(
        [] {
            RUV_WIN task = et::task();
            ASSERT_TRUE(ruvv_vobj_is_valid(task));
            ASSERT_EQ(task->kind, static_cast<uint32_t>(RUVK_KIND_TASK));
            HWND th = et::hwnd(task);
            HWND button = CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60, 20, th,
                                          reinterpret_cast<HMENU>(503), GetModuleHandleA(nullptr), nullptr);
            ASSERT_NE(button, nullptr);
            ASSERT_NE(adopt(button, 12, task), nullptr);
            et::pump(50);
            seen().clear();
            SendMessageA(th, WM_COMMAND, MAKEWPARAM(503, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            et::pump(50);
            EXPECT_EQ(events_of(task, kFocusAndPaint), std::vector<std::string>{"control 503 type 12 data 0 0"});
        },
        et::record);
}

namespace {

int16_t g_hook_key;
RUV_BOOL short_key_hook(int16_t *key)
{
    if (g_hook_key == 0)
        return 0;
    *key = g_hook_key;
    return 1;
}

} // namespace

// The key hook (short form): a non-zero answer sends the event as the hook
// left it; zero lets the translation go on.
TEST(EventTranslation, TheKeyHookMayMakeTheEventItself)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN w = et::make_window(NULL_WIN);
        ASSERT_NE(w, nullptr);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_KEY_HOOK, reinterpret_cast<intptr_t>(&short_key_hook));
        struct {
            const char *name;
            int16_t hook_key;
            UINT msg;
            WPARAM wp;
            std::vector<std::string> expect;
        } cases[] = {
            {"hook answers for a letter key", 500, WM_KEYDOWN, 'A', {"char 500 vk0 s0 c0 m0"}},
            {"hook answers for a character", 501, WM_CHAR, 'b', {"char 501 vk0 s0 c0 m0"}},
            {"hook passes: Home as usual", 0, WM_KEYDOWN, VK_HOME, {"char 307 vk1 s0 c0 m0"}},
            {"hook passes: a letter key gives nothing", 0, WM_KEYDOWN, 'A', {}},
        };
        for (const auto &c : cases) {
            g_hook_key = c.hook_key;
            seen().clear();
            SendMessageA(et::hwnd(w), c.msg, c.wp, 1);
            EXPECT_EQ(events_of(w, kFocusAndPaint), c.expect) << c.name;
        }
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_KEY_HOOK, 0);
    });
}
