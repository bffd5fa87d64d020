// Help on real windows: F1 on a control reaching the library through its
// own hook and through an application hook as the editor's, and
// object-click help (pointer capture, the help pointer, hit tests at
// screen points, the events that end the mode, the task window), with the
// mode ended when the help file closes or its window is destroyed.
#include "event_test_support.h"
#include "help_test_res.h"
#include "help_win_support.h"
#include "native_controls.h"
#include "ruvv_windef.h"

namespace {

using ht::library_hook;
using ht::in_app;
using ht::Recorder;

void set_hook(intptr_t hook, void *info)
{
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_HOOK, hook);
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_INFO, reinterpret_cast<intptr_t>(info));
}

// A window from the test resource in front, its associations set: the
// window 500, the first button 510 (the second and the static text none).
struct Scene {
    RUV_HELP_INFO *info = nullptr;
    RUV_WIN win = nullptr, go = nullptr, stop = nullptr;
    explicit Scene(const ht::HelpFiles &files)
    {
        const RUV_FILE_SPEC spec = files.spec();
        info = ruv_help_open_helpfile(&spec, 0);
        win = ruvv_win_create_res(HT_WINDOW, et::task(), RUV_EVENT_MASK_ALL, et::record, nullptr);
        if (!info || !win)
            return;
        go = ruvk_win_get_ctl(win, HT_GO);
        stop = ruvk_win_get_ctl(win, HT_STOP);
        ruv_help_set_win_assoc(info, win, 500, 0);
        ruv_help_set_win_assoc(info, go, 510, 0);
        ruv_help_set_menu_assoc(info, win, 1003, 520, 0);
        SetWindowPos(et::hwnd(win), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        et::pump(50);
    }
    ~Scene()
    {
        set_hook(0, nullptr);
        if (win)
            ruvk_vobj_destroy(win);
        if (info)
            ruv_help_close_helpfile(info);
    }
    bool ok() const { return info && win && go && stop; }
    // The screen point at the centre of a native window.
    static POINT centre(HWND hwnd)
    {
        RECT r;
        GetWindowRect(hwnd, &r);
        return POINT{ (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }
    // A pointer move to a screen point, in the window's client coordinates.
    RUV_EVENT move_to(POINT screen) const
    {
        ScreenToClient(et::hwnd(win), &screen);
        RUV_EVENT e = ht::event_of(E_MOUSE_MOVE);
        e.v.mouse.v = static_cast<int16_t>(screen.y);
        e.v.mouse.h = static_cast<int16_t>(screen.x);
        return e;
    }
    bool event(int32_t type) const
    {
        RUV_EVENT e = ht::event_of(type);
        return ruv_help_process_event(info, win, &e) != 0;
    }
    bool event(RUV_EVENT e) const { return ruv_help_process_event(info, win, &e) != 0; }
    bool in_mode() const { return GetCapture() == et::hwnd(win) && win->cursor_id == 5; }
};

// F1 with the focus on the first button, typed for real.
void press_f1(const Scene &s)
{
    et::undisturbed([&] {
        SetFocus(et::hwnd(s.stop));
        et::pump(50);
        Recorder::calls().clear();
        et::keys({ VK_F1, -VK_F1 });
        for (int i = 0; i < 40 && Recorder::calls().empty(); ++i)
            et::pump(25);
    });
}

RUV_HELP_INFO *g_app_info = nullptr;
int g_app_hook_calls = 0;

// An application's hook as the editor's: every event to the help library;
// what it handled goes no further.
RUV_BOOL application_hook(void *, RUV_WIN win, RUV_EVENT *event)
{
    ++g_app_hook_calls;
    return ruv_help_process_event(g_app_info, win, event) ? FALSE : TRUE;
}

// Must stay the first test of the program: its open is the process's
// first and installs the library's hook.
TEST(HelpEvents, F1OnAControlShowsItsWindowsTopicThroughEitherHook)
{
    ht::HelpFiles files;
    in_app([&] {
        Scene s(files);
        ASSERT_TRUE(s.ok());
        ASSERT_EQ(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_HELP_HOOK), library_hook());
        press_f1(s);
        ASSERT_EQ(Recorder::calls().size(), 1u);
        EXPECT_EQ(Recorder::calls()[0].command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(Recorder::calls()[0].data, 500) << "the button has none: its window's";

        set_hook(reinterpret_cast<intptr_t>(&application_hook), nullptr);
        g_app_info = s.info;
        g_app_hook_calls = 0;
        press_f1(s);
        EXPECT_GT(g_app_hook_calls, 0);
        ASSERT_EQ(Recorder::calls().size(), 1u);
        EXPECT_EQ(Recorder::calls()[0].command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(Recorder::calls()[0].data, 500);
        EXPECT_TRUE(ht::same_path(Recorder::calls()[0].file, files.hlp()));
    });
}

TEST(HelpEvents, ObjectClickHitTestsAtScreenPoints)
{
    ht::HelpFiles files;
    in_app([&] {
        Scene s(files);
        ASSERT_TRUE(s.ok());
        const int32_t before = s.win->cursor_id;
        HCURSOR help_pointer = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(5));
        ASSERT_NE(help_pointer, nullptr);
        struct Case {
            const char *what;
            POINT at;
            UINT command;
            LONG data;
        };
        RECT client;
        GetClientRect(et::hwnd(s.win), &client);
        POINT inside{ client.right - 5, client.bottom - 5 };
        ClientToScreen(et::hwnd(s.win), &inside);
        const Case cases[] = {
            { "a button with its own topic", Scene::centre(et::hwnd(s.go)), HELP_CONTEXT, 510 },
            { "a button without: no walk up the parents", Scene::centre(et::hwnd(s.stop)), HELP_CONTENTS, 0 },
            { "the window's own client area", inside, HELP_CONTEXT, 500 },
            { "no toolkit window", POINT{ GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2 },
              HELP_CONTENTS, 0 },
        };
        for (int ending : { E_MOUSE_UP, E_MOUSE_DOUBLE, E_HELP })
            for (const Case &c : cases) {
                ruv_help_begin_objclick(s.info, s.win, 0);
                ASSERT_TRUE(s.in_mode()) << c.what;
                EXPECT_EQ(GetCursor(), help_pointer);
                Recorder::calls().clear();
                EXPECT_TRUE(s.event(E_MOUSE_DOWN)) << "consumed";
                EXPECT_FALSE(s.event(E_SIZE));
                EXPECT_FALSE(s.event(s.move_to(c.at)));
                EXPECT_TRUE(s.in_mode());
                EXPECT_TRUE(Recorder::calls().empty());
                EXPECT_TRUE(s.event(ending)) << c.what;
                EXPECT_EQ(GetCapture(), nullptr) << c.what;
                EXPECT_EQ(s.win->cursor_id, before) << c.what;
                ASSERT_EQ(Recorder::calls().size(), 1u) << c.what;
                EXPECT_EQ(Recorder::calls()[0].command, c.command) << c.what;
                EXPECT_EQ(Recorder::calls()[0].data, c.data) << c.what;
            }
        EXPECT_TRUE(kt::reports().empty());
    });
}

TEST(HelpEvents, ObjectClickEndingEvents)
{
    ht::HelpFiles files;
    in_app([&] {
        Scene s(files);
        ASSERT_TRUE(s.ok());
        // A character ends the mode and shows nothing.
        ruv_help_begin_objclick(s.info, s.win, 0);
        ASSERT_TRUE(s.in_mode());
        Recorder::calls().clear();
        EXPECT_TRUE(s.event(E_CHAR));
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_TRUE(Recorder::calls().empty());
        EXPECT_FALSE(s.event(E_CHAR)) << "no longer in the mode";

        // A menu command: its association with the window, else without.
        for (auto tag_topic : { std::pair<int32_t, LONG>{ 1003, 520 }, { 32452, 32000 } }) {
            ruv_help_begin_objclick(s.info, s.win, 0);
            Recorder::calls().clear();
            EXPECT_TRUE(s.event(ht::command_event(tag_topic.first)));
            EXPECT_EQ(GetCapture(), nullptr);
            ASSERT_EQ(Recorder::calls().size(), 1u);
            EXPECT_EQ(Recorder::calls()[0].data, tag_topic.first == 32452 ? 0 : tag_topic.second);
        }

        // Edit notifications with their focus-change word set pass.
        ruv_help_begin_objclick(s.info, s.win, 0);
        RUV_EVENT ctl = ht::event_of(E_CONTROL);
        ctl.v.control.type = 17;
        ctl.v.control.ctl = s.stop;
        ctl.v.control.data.words[0] = 1;
        Recorder::calls().clear();
        EXPECT_FALSE(s.event(ctl));
        EXPECT_TRUE(s.in_mode());
        ctl.v.control.data.words[0] = 0;
        EXPECT_TRUE(s.event(ctl));
        EXPECT_FALSE(s.in_mode());
        ASSERT_EQ(Recorder::calls().size(), 1u);
        EXPECT_EQ(Recorder::calls()[0].data, 500) << "the control's chain";

        // Closing ends the mode; the close goes on.
        ruv_help_begin_objclick(s.info, s.win, 0);
        EXPECT_FALSE(s.event(E_CLOSE));
        EXPECT_EQ(GetCapture(), nullptr);
        // A second begin while on does nothing; the end ends it.
        ruv_help_begin_objclick(s.info, s.win, 0);
        ruv_help_begin_objclick(s.info, s.go, 0);
        EXPECT_TRUE(s.in_mode());
        ruv_help_end_objclick(s.info);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(s.win->cursor_id, 0);

        // The help-menu command begins it on the event's window.
        Recorder::calls().clear();
        EXPECT_TRUE(s.event(ht::command_event(32458)));
        EXPECT_TRUE(s.in_mode());
        EXPECT_TRUE(Recorder::calls().empty());
        ruv_help_end_objclick(s.info);

        // The task window, not drawable: no mode.
        ASSERT_EQ(static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW)), 0);
        ruv_help_begin_objclick(s.info, et::task(), 0);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_FALSE(s.event(E_CHAR));
        EXPECT_TRUE(kt::reports().empty());
    });
}

TEST(HelpEvents, ClosingTheFileOrDestroyingTheWindowEndsTheMode)
{
    ht::HelpFiles files;
    in_app([&] {
        {
            Scene s(files);
            ASSERT_TRUE(s.ok());
            ruv_help_begin_objclick(s.info, s.win, 0);
            ASSERT_TRUE(s.in_mode());
            ruv_help_close_helpfile(s.info);
            s.info = nullptr;
            EXPECT_EQ(GetCapture(), nullptr) << "the pointer is released";
            EXPECT_EQ(s.win->cursor_id, 0) << "the window has its cursor back";
        }
        {
            Scene s(files);
            ASSERT_TRUE(s.ok());
            set_hook(library_hook(), s.info);
            RUV_RECT r{ 60, 60, 160, 260 };
            RUV_WIN doomed = ruvk_win_create(1, &r, "Doomed", 0, et::task(), 0x3, RUV_EVENT_MASK_ALL, et::record,
                                             nullptr);
            ASSERT_NE(doomed, nullptr);
            ruv_help_begin_objclick(s.info, doomed, 0);
            ASSERT_EQ(GetCapture(), et::hwnd(doomed));
            ruvk_vobj_destroy(doomed);
            EXPECT_EQ(GetCapture(), nullptr);
            // The mode is over: a new one begins at once, and ending it
            // touches only its own window.
            ruv_help_begin_objclick(s.info, s.win, 0);
            EXPECT_TRUE(s.in_mode());
            Recorder::calls().clear();
            EXPECT_TRUE(s.event(E_CHAR));
            EXPECT_FALSE(s.in_mode());
            EXPECT_TRUE(kt::reports().empty());
        }
    });
}

} // namespace
