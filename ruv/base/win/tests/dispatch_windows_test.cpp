// Handler chains and event dispatch on real windows: the screen object's
// handlers see a window's events before the window's own chain and its
// handler; a handler that destroys its window while it handles E_CLOSE,
// E_UPDATE or E_CHAR leaves the freed record alone afterwards; a handler
// whose window goes while it runs gets its last message once.
#include <algorithm>
#include <cstring>
#include <map>

#include <gtest/gtest.h>

#include "event_test_support.h"
#include "event_translate.h"
#include "window_services.h"

using et::seen;

namespace {

// Memory hooks that keep every freed block, filled with 0xDD, so that a
// write after the free shows.  Blocks are never given back to the system
// during the test program.
struct Quarantine {
    static std::map<void *, size_t> &live()
    {
        static std::map<void *, size_t> m;
        return m;
    }
    static std::map<void *, size_t> &freed()
    {
        static std::map<void *, size_t> m;
        return m;
    }
    static void *zalloc(size_t size)
    {
        void *p = std::calloc(1, size ? size : 1);
        if (p) {
            live()[p] = size;
            freed().erase(p);
        }
        return p;
    }
    static void release(void *ptr)
    {
        auto it = live().find(ptr);
        if (it == live().end())
            return;
        std::memset(ptr, 0xDD, it->second);
        freed()[ptr] = it->second;
        live().erase(it);
    }
    static void *resize(void *ptr, size_t size)
    {
        if (ptr && size == 0) {
            release(ptr);
            return nullptr;
        }
        void *n = zalloc(size);
        if (n && ptr) {
            std::memcpy(n, ptr, std::min(live()[ptr], size));
            release(ptr);
        }
        return n;
    }
    static void install()
    {
        static const RUV_MEM_FUNCS funcs = {zalloc, release, resize, zalloc};
        ruvv_mem_set_functions(&funcs);
    }
    // Is the freed block that held p still untouched?
    static bool untouched(void *p)
    {
        auto it = freed().find(p);
        if (it == freed().end())
            return false;
        const unsigned char *b = static_cast<const unsigned char *>(p);
        return std::all_of(b, b + it->second, [](unsigned char c) { return c == 0xDD; });
    }
};

std::vector<std::string> &trail()
{
    static std::vector<std::string> t;
    return t;
}

RUV_WIN g_owner_seen;

int32_t screen_cb(RUV_CXO *cxo, RUV_EVENT *event)
{
    if (event->type == E_CLOSE) {
        trail().push_back("screen");
        g_owner_seen = cxo->owner;
    }
    return event->type == E_CXO ? 0 : ruvv_cxo_call_next(NULL_WIN, cxo, event);
}

int32_t window_cb(RUV_CXO *cxo, RUV_EVENT *event)
{
    if (event->type == E_CLOSE)
        trail().push_back("window chain");
    return event->type == E_CXO ? 0 : ruvv_cxo_call_next(NULL_WIN, cxo, event);
}

int32_t logging_handler(RUV_WIN, RUV_EVENT *event)
{
    if (event->type == E_CLOSE)
        trail().push_back("handler");
    return 0;
}

} // namespace

TEST(DispatchOnWindows, ScreenHandlersComeFirstThenTheWindowsChainThenItsHandler)
{
    Quarantine::install();
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN screen = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
        ASSERT_TRUE(ruvv_vobj_is_valid(screen));
        RUV_RECT r = {20, 20, 200, 300};
        RUV_WIN w = ruvk_win_create(1, &r, "Chains", 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, logging_handler,
                                    nullptr);
        ASSERT_NE(w, nullptr);
        RUV_CXO *on_window = ruvv_cxo_create(w, nullptr, RUV_CXO_FRONT, window_cb, RUV_EVENT_MASK_ALL, "WinLog", nullptr);
        RUV_CXO *on_screen =
            ruvv_cxo_create(screen, nullptr, RUV_CXO_TAIL, screen_cb, RUV_EVENT_MASK_ALL, "ScreenLog", nullptr);
        ASSERT_TRUE(on_window && on_screen);

        trail().clear();
        SendMessageA(et::hwnd(w), WM_CLOSE, 0, 0);
        EXPECT_EQ(trail(), (std::vector<std::string>{"screen", "window chain", "handler"}));
        EXPECT_EQ(g_owner_seen, w) << "a screen handler stands for the window while it runs";
        EXPECT_EQ(on_screen->owner, screen);

        // A window whose mask lacks the type: its chain sees the event, its
        // handler does not.
        w->event_mask &= ~RUV_EVENT_BIT(E_CLOSE);
        trail().clear();
        SendMessageA(et::hwnd(w), WM_CLOSE, 0, 0);
        EXPECT_EQ(trail(), (std::vector<std::string>{"screen", "window chain"}));
        ruvv_cxo_destroy(on_screen);
        ruvk_vobj_destroy(w);
    });
}

namespace {

int32_t g_destroy_on = -1;
int g_calls;

int32_t destroying_handler(RUV_WIN win, RUV_EVENT *event)
{
    et::record(win, event);
    if (event->type == g_destroy_on) {
        ++g_calls;
        ruvk_vobj_destroy(win);
    }
    return 0;
}

int g_cxo_destroyed;
int32_t self_destroying_cb(RUV_CXO *cxo, RUV_EVENT *event)
{
    if (event->type == E_CXO) {
        if (event->v.cxo.message == E_CXO_DESTROYED)
            ++g_cxo_destroyed;
        return 0;
    }
    if (event->type == E_CLOSE) {
        ruvk_vobj_destroy(cxo->owner);
        return 1;
    }
    return ruvv_cxo_call_next(NULL_WIN, cxo, event);
}

} // namespace

TEST(DispatchOnWindows, AHandlerDestroyingItsWindowLeavesTheFreedRecordAlone)
{
    Quarantine::install();
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        struct {
            const char *name;
            int32_t type;
            std::function<void(HWND)> provoke;
        } cases[] = {
            {"E_CLOSE", E_CLOSE, [](HWND h) { SendMessageA(h, WM_CLOSE, 0, 0); }},
            {"E_CHAR, repeat count 3", E_CHAR, [](HWND h) { SendMessageA(h, WM_CHAR, 'q', 3); }},
            {"E_UPDATE", E_UPDATE,
             [](HWND h) {
                 InvalidateRect(h, nullptr, TRUE);
                 UpdateWindow(h);
             }},
        };
        for (const auto &c : cases) {
            g_destroy_on = -1;
            RUV_RECT r = {20, 20, 200, 300};
            RUV_WIN w = ruvk_win_create(1, &r, c.name, 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, destroying_handler,
                                        nullptr);
            ASSERT_NE(w, nullptr) << c.name;
            et::pump(50);
            HWND h = et::hwnd(w);
            g_destroy_on = c.type;
            g_calls = 0;
            seen().clear();
            c.provoke(h);
            et::pump(50);
            EXPECT_EQ(g_calls, 1) << c.name << ::testing::PrintToString(et::events_of(NULL_WIN));
            EXPECT_FALSE(IsWindow(h)) << c.name;
            EXPECT_FALSE(ruvv_vobj_is_valid(w)) << c.name;
            EXPECT_TRUE(Quarantine::untouched(w)) << c.name << ": the record was written after it was freed";
        }

        // The same from a handler of the window's chain: it gets its last
        // message once, and its record too is left alone once freed.
        RUV_RECT r = {20, 20, 200, 300};
        RUV_WIN w = ruvk_win_create(1, &r, "Chain", 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(w, nullptr);
        g_cxo_destroyed = 0;
        RUV_CXO *cxo =
            ruvv_cxo_create(w, nullptr, RUV_CXO_FRONT, self_destroying_cb, RUV_EVENT_MASK_ALL, "Closer", nullptr);
        ASSERT_NE(cxo, nullptr);
        SendMessageA(et::hwnd(w), WM_CLOSE, 0, 0);
        et::pump(50);
        EXPECT_EQ(g_cxo_destroyed, 1);
        EXPECT_FALSE(ruvv_vobj_is_valid(w));
        EXPECT_TRUE(Quarantine::untouched(w));
        EXPECT_TRUE(Quarantine::untouched(cxo));
    });
}

namespace {

int g_finished;
RUV_CXO *g_busy;

// On E_USER it ends the application while it runs: the teardown destroys
// the task's chain, this handler among them, while its call is in progress.
int32_t ending_cb(RUV_CXO *cxo, RUV_EVENT *event)
{
    if (event->type == E_CXO) {
        if (event->v.cxo.message == E_CXO_DESTROYED)
            ++g_finished;
        return 0;
    }
    if (event->type == E_USER) {
        ruvk_vobj_destroy(cxo->owner);
        EXPECT_EQ(g_finished, 0) << "finished while its call was still running";
        return 1;
    }
    return ruvv_cxo_call_next(NULL_WIN, cxo, event);
}

} // namespace

TEST(DispatchOnWindows, AHandlerBusyWhileTheApplicationEndsIsFinishedOnce)
{
    Quarantine::install();
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    g_finished = 0;
    et::run([] {
        RUV_WIN task = et::task();
        g_busy = ruvv_cxo_create(task, nullptr, RUV_CXO_FRONT, ending_cb, RUV_EVENT_MASK_ALL, "Ender", nullptr);
        ASSERT_NE(g_busy, nullptr);
        RUV_EVENT ev;
        ruvk_event_init(&ev, E_USER);
        ruvk_win_dispatch_event(task, &ev);
    });
    EXPECT_EQ(g_finished, 1);
    EXPECT_TRUE(Quarantine::untouched(g_busy)) << "its record was given back and left alone";
}
