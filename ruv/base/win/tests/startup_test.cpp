// Start-up, the message loop, per-process storage and the kernel's string
// entries on the real system.
#include <cstring>
#include <string>
#include <vector>

#include "kernel_test_support.h"
#include "ruvv_app.h"
#include "ruvv_static.h"
#include "window_create.h"

namespace {

struct Seen {
    int32_t type;
    int16_t a, b;
};

std::vector<Seen> &task_events()
{
    static std::vector<Seen> e;
    return e;
}

int32_t record_task(RUV_WIN, RUV_EVENT *e)
{
    Seen s{ e->type, 0, 0 };
    if (e->type == E_SIZE) {
        s.a = e->v.size.height;
        s.b = e->v.size.width;
    }
    task_events().push_back(s);
    return 0;
}

// One whole life of an application with a window-less task object: the
// task sees exactly create, size (screen height and width) and destroy; one
// exit callback; the loop returns; every block taken from the memory hooks
// is given back.
void run_windowless_life()
{
    kt::MemCount::install(true);
    task_events().clear();
    {
        kt::Session session;
        ASSERT_TRUE(session.ok());
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
        RUV_WIN task = NULL_WIN;
        kt::run_app([&] {
            task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
            EXPECT_EQ(task->kind, RUVK_KIND_NOWIN_TASK);
            EXPECT_EQ(task->native, nullptr);
        }, record_task);
        EXPECT_FALSE(ruvv_vobj_is_valid(task));
        ASSERT_EQ(task_events().size(), 3u);
        EXPECT_EQ(task_events()[0].type, E_CREATE);
        EXPECT_EQ(task_events()[1].type, E_SIZE);
        EXPECT_EQ(task_events()[1].a, GetSystemMetrics(SM_CYSCREEN));
        EXPECT_EQ(task_events()[1].b, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(task_events()[2].type, E_DESTROY);
        EXPECT_EQ(kt::exit_calls(), 1);
    }
    EXPECT_GT(kt::MemCount::allocs(), 0);
    EXPECT_EQ(kt::MemCount::outstanding(), 0);
}

TEST(StartUp, WindowlessTaskLivesAndEndsCleanlyTwiceInOneProcess)
{
    kt::ModalGuard guard;
    run_windowless_life();
    // The clean-up unregistered the classes and released every block: a
    // second application starts in the same process.
    run_windowless_life();
}

TEST(StartUp, NativeTaskWindowAfterWindowlessOne)
{
    kt::ModalGuard guard;
    run_windowless_life();
    kt::MemCount::install(true);
    task_events().clear();
    {
        kt::Session session;
        ASSERT_TRUE(session.ok());
        HWND task_hwnd = nullptr;
        kt::run_app([&] {
            RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
            task_hwnd = kt::hwnd_of(task);
            EXPECT_EQ(task->kind, RUVK_KIND_TASK);
            EXPECT_EQ(kt::class_of(task_hwnd), "xktest1310task9012");
            EXPECT_EQ(ruvwi_hwnd_to_window(task_hwnd), task);
        }, record_task);
        EXPECT_FALSE(IsWindow(task_hwnd));
        ASSERT_FALSE(task_events().empty());
        EXPECT_EQ(task_events().front().type, E_CREATE);
        EXPECT_EQ(task_events().back().type, E_DESTROY);
        EXPECT_EQ(kt::exit_calls(), 1);
        EXPECT_FALSE(kt::reported(0x72C350));
        EXPECT_FALSE(kt::reported(0x347E92));
    }
    EXPECT_EQ(kt::MemCount::outstanding(), 0);
}

TEST(StartUp, TaskStyleFollowsTheShowMode)
{
    const struct {
        int32_t show;
        intptr_t style;
    } cases[] = { { SW_SHOWMINIMIZED, 387 }, { SW_SHOWMINNOACTIVE, 387 }, { SW_SHOWMAXIMIZED, 4227 },
                  { SW_SHOWNORMAL, 131 },    { SW_HIDE, 131 },            { SW_SHOW, 131 } };
    for (const auto &c : cases) {
        kt::Session session(c.show);
        ASSERT_TRUE(session.ok());
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_STYLE), c.style) << "show mode " << c.show;
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 10001), reinterpret_cast<intptr_t>(GetModuleHandleA(nullptr)));
    }
}

TEST(StartUp, PlatformFlagsOfThisSystem)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    // Wine presents itself as NT 6.1.
    EXPECT_EQ(ruvk_platform.win32s, 0);
    EXPECT_EQ(ruvk_platform.win9x, 0);
    EXPECT_EQ(ruvk_platform.nt4, 1);
    EXPECT_EQ(ruvk_platform.new_shell, 1);
}

TEST(StartUp, DialogUnitsComeFromTheSystemFont)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    // The prefix carries Wine's own fonts: "System" gives 8 x 16.
    LONG units = GetDialogBaseUnits();
    EXPECT_EQ(LOWORD(units), 8);
    EXPECT_EQ(HIWORD(units), 16);
    EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 200), 24);
    EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 205), 18);
}

// ---- the pump ----

int g_hook_calls = 0;
int g_hook_quits = 0;

RUV_BOOL swallow_all(MSG *msg, RUVK_MSG_FILTER *)
{
    ++g_hook_calls;
    if (msg->message == WM_QUIT)
        ++g_hook_quits;
    return 0;
}

TEST(MessageLoop, HookThatConsumesEverythingAlsoTakesTheQuit)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    g_hook_calls = g_hook_quits = 0;
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MESSAGE_HOOK, reinterpret_cast<intptr_t>(&swallow_all));
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(3);
    EXPECT_EQ(ruvwi_pump_messages(ruvk_app_record(), 0, 0, nullptr), 1);
    EXPECT_EQ(g_hook_quits, 1);
    EXPECT_GE(g_hook_calls, 2);
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MESSAGE_HOOK, 0);
}

TEST(MessageLoop, PassEndsAtTheQuitWithoutDispatchingIt)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    PostQuitMessage(0);
    EXPECT_EQ(ruvk_app_process_pending_events(), 0);
    EXPECT_EQ(ruvk_app_process_pending_events(), 1);
}

TEST(MessageLoop, NestedPassGivesTheQuitBackToTheOuterLoop)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    PostQuitMessage(0);
    EXPECT_EQ(ruvk_app_pump_range(WM_APP, WM_APP + 10, nullptr), 0);
    // The outer loop still finds it.
    EXPECT_EQ(ruvk_app_process_pending_events(), 0);
}

// ---- per-process storage ----

int g_inits = 0;
int g_terms = 0;

struct Block {
    int value;
};

void count_init(void *p)
{
    ++g_inits;
    static_cast<Block *>(p)->value = 7;
}

void count_term(void *)
{
    ++g_terms;
}

RUV_STATIC_DESC g_desc = { nullptr, nullptr, count_init, count_term, nullptr, nullptr, sizeof(Block) };

TEST(StaticStorage, MadeOnceKeptAndReleasedAtTheEnd)
{
    g_inits = g_terms = 0;
    EXPECT_EQ(ruvk_static_alloc(&g_desc), nullptr);   // no table yet
    {
        kt::Session session;
        auto *b = static_cast<Block *>(ruvk_static_get_ptr(&g_desc));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->value, 7);
        EXPECT_EQ(ruvk_static_get_ptr(&g_desc), b);
        EXPECT_EQ(g_inits, 1);

        Block other{ 1 };
        EXPECT_EQ(ruvk_static_set_ptr(&g_desc, &other), b);
        EXPECT_EQ(ruvk_static_get_ptr(&g_desc), &other);
        EXPECT_EQ(ruvk_static_set_ptr(&g_desc, b), &other);

        void *fresh = ruvk_static_alloc(&g_desc);
        ASSERT_NE(fresh, nullptr);
        EXPECT_EQ(static_cast<Block *>(fresh)->value, 0);
        std::free(fresh);
    }
    EXPECT_EQ(g_terms, 1);
    EXPECT_EQ(g_desc.resolved, nullptr);
}

// ---- strings ----

TEST(KernelStrings, CharacterEntries)
{
    EXPECT_EQ(ruvk_str_get_char_size(nullptr), -1);
    EXPECT_EQ(ruvk_str_get_char_size(""), 0);
    EXPECT_EQ(ruvk_str_get_char_size("a"), 1);

    RUV_WCHAR w = 0;
    EXPECT_EQ(ruvk_str_convert_mb_to_wc(&w, "Ab"), 1);
    EXPECT_EQ(w, 'A');
    EXPECT_EQ(ruvk_str_convert_mb_to_wc(&w, nullptr), 0);

    char out[6] = "xxxxx";
    EXPECT_EQ(ruvk_str_convert_wc_to_mb(out, 0), 1);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(ruvk_str_convert_wc_to_mb(out, 'z'), 1);
    EXPECT_STREQ(out, "z");
    EXPECT_EQ(ruvk_str_convert_wc_to_mb(nullptr, 'z'), 0);
}

TEST(KernelStrings, CaseConversionCopiesAndStopsAtMax)
{
    char dst[16];
    std::memset(dst, '#', sizeof dst);
    EXPECT_EQ(ruvk_str_convert_to_upper(dst, "abcdef", 3), 3);
    EXPECT_STREQ(dst, "ABC");

    char same[] = "MiXeD";
    EXPECT_EQ(ruvk_str_convert_to_lower(same, same, 40), 5);
    EXPECT_STREQ(same, "mixed");

    // max characters at the very end of readable memory, unterminated: the
    // case changes without a look past them.
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    auto *pages = static_cast<char *>(VirtualAlloc(nullptr, 2 * si.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old_protect;
    ASSERT_TRUE(VirtualProtect(pages + si.dwPageSize, si.dwPageSize, PAGE_NOACCESS, &old_protect));
    char *edge = pages + si.dwPageSize - 3;
    std::memcpy(edge, "xyz", 3);
    EXPECT_EQ(ruvk_str_convert_to_upper(edge, edge, 3), 3);
    EXPECT_EQ(std::string(edge, 3), "XYZ");
    VirtualFree(pages, 0, MEM_RELEASE);

    EXPECT_EQ(ruvk_str_convert_to_lower(nullptr, "a", 1), 0);
    EXPECT_EQ(ruvk_str_convert_to_lower(dst, nullptr, 1), 0);

    EXPECT_LT(ruvk_str_compare_locale("apple", "banana"), 0);
    EXPECT_TRUE(ruvk_str_is_char_alpha('q'));
    EXPECT_FALSE(ruvk_str_is_char_alnum('-'));
    EXPECT_TRUE(ruvk_str_is_char_upper('Q'));
    EXPECT_TRUE(ruvk_str_is_char_lower('q'));
}

} // namespace
