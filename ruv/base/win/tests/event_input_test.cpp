// Real input through the system's queue: keys typed with SendInput become
// E_CHAR events and F1 a help request, the focus moves between windows with
// gain and loss events and the top level remembers its focused child, and
// F1 pressed in an open menu asks for help on the highlighted item.  These
// tests take the foreground and the keyboard.
#include <algorithm>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "caret.h"
#include "event_test_support.h"
#include "window_procs.h"
#include "window_services.h"

using et::events_of;
using et::seen;

namespace {

const uint32_t kOnlyInput = ~(RUV_EVENT_BIT(E_CHAR) | RUV_EVENT_BIT(E_HELP));

} // namespace

TEST(EventInput, TypedKeysBecomeCharactersAndF1AHelpRequest)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(
        [] {
            RUV_WIN w = et::make_window(NULL_WIN);
            ASSERT_NE(w, nullptr);

            struct Typed {
                const char *name;
                std::initializer_list<int> strokes;
                bool extended;
                std::vector<std::string> expect;
            } cases[] = {
                {"Control+Home", {VK_CONTROL, VK_HOME, -VK_HOME, -VK_CONTROL}, false, {"char 309 vk1 s0 c1 m0x4"}},
                {"Home", {VK_HOME, -VK_HOME}, false, {"char 307 vk1 s0 c0 m0"}},
                {"Shift+Tab", {VK_SHIFT, VK_TAB, -VK_TAB, -VK_SHIFT}, false, {"char 315 vk1 s1 c0 m0x12"}},
                {"Tab", {VK_TAB, -VK_TAB}, false, {"char 9 vk0 s0 c0 m0"}},
                {"keypad /", {VK_DIVIDE, -VK_DIVIDE}, true, {"char 375 vk1 s0 c0 m0"}},
                {"letter a", {'A', -'A'}, false, {"char 97 vk0 s0 c0 m0"}},
                {"Page Down", {VK_NEXT, -VK_NEXT}, false, {"char 306 vk1 s0 c0 m0"}},
            };
            for (const Typed &t : cases) {
                et::undisturbed([&] {
                    SetFocus(et::hwnd(w));
                    et::pump(20);
                    seen().clear();
                    et::keys(t.strokes, t.extended);
                    et::pump(150);
                    if (events_of(w, kOnlyInput).empty())
                        et::disturbed() = true;   // the keys went to another program
                });
                EXPECT_EQ(events_of(w, kOnlyInput), t.expect) << t.name;
            }

            // F1: a help request to the active toolkit window, about the
            // object in focus, and no character.
            et::undisturbed([&] {
                SetFocus(et::hwnd(w));
                et::pump(20);
                seen().clear();
                et::keys({VK_F1, -VK_F1});
                et::pump(150);
                if (seen().empty())
                    et::disturbed() = true;
            });
            EXPECT_TRUE(events_of(w, kOnlyInput).empty());
            RUV_WIN active = ruvwi_hwnd_to_window(GetActiveWindow());
            ASSERT_NE(active, nullptr);
            std::vector<et::Seen> help;
            for (const et::Seen &s : seen())
                if (s.ev.type == E_HELP)
                    help.push_back(s);
            ASSERT_EQ(help.size(), 1u);
            EXPECT_EQ(help[0].win, active);
            EXPECT_EQ(help[0].ev.v.help.object, w);
            EXPECT_EQ(help[0].ev.v.help.menu_tag, 0);
        },
        et::record);
}

TEST(EventInput, FocusGainAndLossAndTheRememberedChild)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN a = et::make_window(NULL_WIN);
        RUV_WIN b = et::make_window(NULL_WIN, 0x803, 240);
        ASSERT_TRUE(a && b);
        RUV_WIN ca = et::make_window(a, 0x800, 10);
        ASSERT_NE(ca, nullptr);
        et::pump(100);
        const uint32_t only_focus = ~RUV_EVENT_BIT(E_FOCUS);

        struct Step {
            const char *name;
            RUV_WIN from, to;
            std::vector<std::pair<RUV_WIN, std::vector<std::string>>> expect;
        } steps[] = {
            {"B to A", b, a, {{b, {"focus 0"}}, {a, {"focus 1"}}}},
            {"A to its child", a, ca, {{a, {"focus 0"}}, {ca, {"focus 1"}}}},
            {"child to B", ca, b, {{ca, {"focus 0"}}, {b, {"focus 1"}}, {a, {}}}},
        };
        for (const Step &s : steps) {
            et::undisturbed([&] {
                SetFocus(et::hwnd(s.from));
                et::pump(50);
                seen().clear();
                SetFocus(et::hwnd(s.to));
                et::pump(100);
            });
            EXPECT_EQ(GetFocus(), et::hwnd(s.to)) << s.name;
            for (const auto &e : s.expect)
                EXPECT_EQ(events_of(e.first, only_focus), e.second) << s.name;
            if (s.to == ca) {
                EXPECT_EQ(ruvk_win_get_focus_memory(a), ca) << "A remembers its child";
            }
        }

        // A click on A's frame gives the focus back to the remembered child.
        LRESULT answer = 0;
        et::undisturbed([&] {
            SetFocus(et::hwnd(b));
            et::pump(50);
            answer = SendMessageA(et::hwnd(a), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(et::hwnd(et::task())),
                                  MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN));
            et::pump(50);
        });
        EXPECT_EQ(answer, MA_ACTIVATE);
        EXPECT_EQ(GetFocus(), et::hwnd(ca));
    });
}

namespace {

HWND caret_window()
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetCurrentThreadId(), &gui);
    return gui.hwndCaret;
}

} // namespace

// A window whose activation the system does (a wialog) still gets its caret
// back with the focus, as a document does.
TEST(EventInput, TheCaretComesBackWithTheFocus)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_RECT r = {40, 40, 200, 300};
        RUV_WIN wialog = ruvk_win_create(RUVK_W_MODAL, &r, "Wialog", 0, et::task(), 0x8803, RUV_EVENT_MASK_ALL,
                                         et::record, nullptr);
        RUV_WIN doc = et::make_window(NULL_WIN, 0x803, 240);
        ASSERT_TRUE(wialog && doc);
        ASSERT_EQ(wialog->kind, static_cast<uint32_t>(RUVK_KIND_WIALOG));
        et::pump(100);
        for (RUV_WIN w : {wialog, doc}) {
            SCOPED_TRACE(w == wialog ? "wialog" : "document");
            ASSERT_NE(w->draw_state, nullptr);
            HWND h = et::hwnd(w), other = et::hwnd(w == wialog ? doc : wialog);
            HWND after_loss = h, after_gain = nullptr, focus_after = nullptr;
            et::undisturbed([&] {
                SetForegroundWindow(h);
                SetFocus(h);
                et::pump(50);
                RUVK_CARET &k = w->draw_state->caret;
                k = RUVK_CARET{};
                k.v = 25;
                k.h = 6;
                k.width = 2;
                k.height = 15;
                k.visible = 1;
                ruvk_caret_sync(w, &k, FALSE);
                if (caret_window() != h) {
                    et::disturbed() = true;
                    return;
                }
                SetForegroundWindow(other);
                SetFocus(other);
                et::pump(50);
                after_loss = caret_window();
                SetForegroundWindow(h);
                SetFocus(h);
                et::pump(50);
                after_gain = caret_window();
                focus_after = GetFocus();
                // The step ends with the task window in front again.
                SetForegroundWindow(et::hwnd(et::task()));
                et::pump(20);
            });
            EXPECT_EQ(focus_after, h);
            EXPECT_NE(after_loss, h) << "the caret goes with the focus";
            EXPECT_EQ(after_gain, h) << "and comes back with it";
            w->draw_state->caret.visible = 0;
            ruvk_caret_sync(w, &w->draw_state->caret, FALSE);
        }
        ruvk_vobj_destroy(wialog);
    });
}

TEST(EventInput, F1InAnOpenMenuAsksForHelpOnTheHighlightedItem)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(
        [] {
                et::pump(50);
            HWND task = et::hwnd(et::task());
            ASSERT_NE(task, nullptr);
            HMENU menu = CreatePopupMenu();
            AppendMenuA(menu, MF_STRING, 1022, "Open");
            AppendMenuA(menu, MF_STRING, 1023, "Close");
            UINT chosen = 1;
            et::undisturbed([&] {
                seen().clear();
                std::thread typist([] {
                    Sleep(300);
                    et::keys({VK_DOWN, -VK_DOWN});
                    Sleep(200);
                    et::keys({VK_F1, -VK_F1});
                    Sleep(200);
                    et::keys({VK_ESCAPE, -VK_ESCAPE});
                    Sleep(300);
                    et::keys({VK_ESCAPE, -VK_ESCAPE});
                });
                chosen = TrackPopupMenu(menu, TPM_RETURNCMD, 50, 50, 0, task, nullptr);
                typist.join();
            });
            et::pump(100);
            DestroyMenu(menu);
            EXPECT_EQ(chosen, 0u) << "the menu was left without a choice";
            std::vector<et::Seen> help;
            for (const et::Seen &s : seen())
                if (s.ev.type == E_HELP)
                    help.push_back(s);
            ASSERT_EQ(help.size(), 1u);
            EXPECT_EQ(help[0].win, et::task());
            EXPECT_EQ(help[0].ev.v.help.object, et::task());
            EXPECT_EQ(help[0].ev.v.help.menu_tag, 1022);
        },
        et::record);
}

namespace {

INT_PTR CALLBACK plain_dialog(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

} // namespace

// F1 in a native dialog while a help context is set: a help request to
// the task window with that context as its topic.
TEST(EventInput, F1InANativeDialogWithAHelpContextAsksTheTaskWindow)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(
        [] {
            HWND task = et::hwnd(et::task());
            struct {
                DLGTEMPLATE t;
                WORD menu, cls, title;
            } tpl = {{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME, 0, 0, 10, 10, 120, 60}, 0, 0, 0};
            const int32_t before = ruvv_win_set_help_ctx(77);
            INT_PTR ended = 0;
            et::undisturbed([&] {
                seen().clear();
                std::thread typist([] {
                    Sleep(300);
                    et::keys({VK_F1, -VK_F1});
                    Sleep(200);
                    et::keys({VK_ESCAPE, -VK_ESCAPE});
                });
                ended = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &tpl.t, task, plain_dialog, 0);
                typist.join();
            });
            ruvv_win_set_help_ctx(before);
            EXPECT_EQ(ended, IDCANCEL);
            std::vector<et::Seen> help;
            for (const et::Seen &s : seen())
                if (s.ev.type == E_HELP)
                    help.push_back(s);
            ASSERT_EQ(help.size(), 1u);
            EXPECT_EQ(help[0].win, et::task());
            EXPECT_EQ(help[0].ev.v.help.topic, 77);
            EXPECT_EQ(help[0].ev.v.help.menu_tag, 0);
        },
        et::record);
}

namespace {

// A dialog template with one push button (id 7).
std::vector<WORD> dialog_with_button()
{
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / 2, 0);
    auto *d = reinterpret_cast<DLGTEMPLATE *>(t.data());
    d->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    d->cdit = 1;
    d->cx = 120;
    d->cy = 60;
    t.insert(t.end(), {0, 0, 0});   // no menu, standard class, no title
    if (t.size() % 2)
        t.push_back(0);             // the item starts on a 4-byte boundary
    std::vector<WORD> item(sizeof(DLGITEMTEMPLATE) / 2, 0);
    auto *i = reinterpret_cast<DLGITEMTEMPLATE *>(item.data());
    i->style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    i->x = 10;
    i->y = 10;
    i->cx = 40;
    i->cy = 14;
    i->id = 7;
    t.insert(t.end(), item.begin(), item.end());
    t.insert(t.end(), {0xFFFF, 0x0080, 'G', 'o', 0, 0});
    return t;
}

RUV_WIN g_button;
std::atomic<HWND> g_dialog;

int32_t dialog_handler(RUV_WIN win, RUV_EVENT *event)
{
    et::record(win, event);
    HWND dlg = et::hwnd(win);
    switch (event->type) {
    case E_CREATE: {
        g_dialog = dlg;
        HWND b = GetDlgItem(dlg, 7);
        auto *rec = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
        if (rec && ruvk_vobj_record_init(rec, 12, 0x80, win)) {
            ruvk_win_link_native(b, rec);
            g_button = rec;
        }
        SetFocus(b);
        break;
    }
    case E_HELP:
    case E_CLOSE:
        EndDialog(dlg, event->type);
        break;
    default:
        break;
    }
    return 1;
}

} // namespace

// F1 in a toolkit dialog: the hook hands it to the dialog as a private
// message, and the dialog gets a help request about the control in focus.
TEST(EventInput, F1InAToolkitDialogAsksAboutTheControlInFocus)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([] {
        RUV_WIN screen = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
        std::vector<WORD> tpl = dialog_with_button();
        INT_PTR ended = -1;
        RUV_VOBJ *dlg = nullptr;
        et::undisturbed([&] {
            dlg = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
            ASSERT_TRUE(dlg && ruvk_vobj_record_init(dlg, 10, 0x40, screen));
            dlg->handler = dialog_handler;
            dlg->event_mask = RUV_EVENT_MASK_ALL;
            dlg->top = dlg;
            g_button = nullptr;
            g_dialog = nullptr;
            seen().clear();
            std::thread typist([] {
                Sleep(300);
                // A command without its control, as Enter and Escape give.
                if (HWND d = g_dialog)
                    PostMessageA(d, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
                Sleep(200);
                et::keys({VK_F1, -VK_F1});
                Sleep(400);
                // Should the dialog still be there, close it.
                if (HWND d = g_dialog; d && IsWindow(d))
                    PostMessageA(d, WM_CLOSE, 0, 0);
            });
            ended = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE *>(tpl.data()),
                                            et::hwnd(et::task()), ruvk_proc_dialog, reinterpret_cast<LPARAM>(dlg));
            typist.join();
        });
        EXPECT_EQ(ended, E_HELP);
        ASSERT_NE(g_button, nullptr);
        std::vector<std::string> got = events_of(dlg, RUV_EVENT_BIT(E_FOCUS) | RUV_EVENT_BIT(E_SIZE));
        ASSERT_GE(got.size(), 2u);
        EXPECT_EQ(got.front(), "create");
        EXPECT_EQ(got.back(), "destroy");
        EXPECT_NE(std::find(got.begin(), got.end(), "control 7 type 12 data 0 0"), got.end())
            << "the command found its control by id";
        for (const et::Seen &s : seen())
            if (s.ev.type == E_HELP) {
                EXPECT_EQ(s.win, dlg);
                EXPECT_EQ(s.ev.v.help.object, g_button);
            }
    });
}
