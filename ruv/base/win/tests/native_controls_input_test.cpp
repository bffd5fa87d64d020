// Real clicks and typing into native controls: each becomes an E_CONTROL
// event on the control's window with the payload of the control's kind,
// and Tab, Enter, Escape and function keys typed in a control reach the
// window as characters.
#include <string>
#include <vector>

#include "event_test_support.h"
#include "native_controls.h"

namespace {

RUV_WIN make(RUV_WIN parent, int32_t type, int32_t id, RUV_RECT r, const char *title = "")
{
    return ruvk_ctl_create(type, &r, title, parent, 0, nullptr, id);
}

void click_at(HWND hwnd, int x, int y, bool twice = false)
{
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    SetCursorPos(p.x, p.y);
    et::pump(30);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
        et::pump(30);
    }
}

void click(RUV_WIN ctl, bool twice = false)
{
    RECT r;
    GetClientRect(kt::hwnd_of(ctl), &r);
    click_at(kt::hwnd_of(ctl), r.right / 2, r.bottom / 2, twice);
}

// The control events the window saw.
std::vector<std::string> control_events(RUV_WIN w)
{
    std::vector<std::string> out;
    for (const std::string &s : et::events_of(w))
        if (s.rfind("control", 0) == 0)
            out.push_back(s);
    return out;
}

std::vector<std::string> char_events(RUV_WIN w)
{
    std::vector<std::string> out;
    for (const std::string &s : et::events_of(w))
        if (s.rfind("char", 0) == 0)
            out.push_back(s.substr(0, s.find(" s")));
    return out;
}

bool has(const std::vector<std::string> &v, const std::string &s)
{
    for (const std::string &x : v)
        if (x == s)
            return true;
    return false;
}

class ControlInput : public testing::Test {
protected:
    void run(std::function<void(RUV_WIN)> body)
    {
        kt::ModalGuard guard;
        kt::Session session;
        ASSERT_TRUE(session.ok());
        et::seen().clear();
        et::run([&] {
            RUV_RECT r = {40, 40, 400, 540};
            RUV_WIN w = ruvk_win_create(1, &r, "Input", 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, et::record,
                                        nullptr);
            ASSERT_NE(w, nullptr);
            et::pump(100);
            body(w);
        });
    }
};

TEST_F(ControlInput, ClicksOnButtonsChecksListsAndBars)
{
    run([](RUV_WIN w) {
        RUV_WIN push = make(w, 12, 30, RUV_RECT{10, 10, 40, 110}, "~Push");
        RUV_WIN check = make(w, 14, 31, RUV_RECT{50, 10, 70, 150}, "~Check");
        RUV_WIN list = make(w, 19, 32, RUV_RECT{80, 10, 200, 200});
        RUV_WIN bar = make(w, 16, 33, RUV_RECT{10, 300, 200, 300});
        for (const char *s : {"one", "two", "three"})
            ruvk_list_add(list, -1, s);
        ruvk_sbar_set_range(bar, 0, 0, 50);
        int item = static_cast<int>(SendMessageA(kt::hwnd_of(list), LB_GETITEMHEIGHT, 0, 0));
        et::undisturbed([&] {
            et::seen().clear();
            click(push);
            click(check);
            click_at(kt::hwnd_of(list), 20, item + item / 2);
            click_at(kt::hwnd_of(list), 20, 2 * item + item / 2, true);
            RECT br;
            GetClientRect(kt::hwnd_of(bar), &br);
            click_at(kt::hwnd_of(bar), br.right / 2, br.bottom - 3);
            et::pump(100);
        });
        std::vector<std::string> ev = control_events(w);
        EXPECT_TRUE(has(ev, "control 30 type 12 data 0 0"));
        EXPECT_TRUE(has(ev, "control 31 type 14 data 0 0"));
        EXPECT_TRUE(has(ev, "control 32 type 19 data 0 0"));   // selection change
        EXPECT_TRUE(has(ev, "control 32 type 19 data 1 0"));   // double click
        EXPECT_TRUE(has(ev, "control 33 type 16 data 2 0"));   // line down
        EXPECT_EQ(ruvk_list_get_sel_index(list), 2);
        for (const std::string &s : ev)
            EXPECT_EQ(s.find("data -"), std::string::npos) << s;
    });
}

TEST_F(ControlInput, TypingIntoEditFieldsAndDropDowns)
{
    run([](RUV_WIN w) {
        RUV_WIN push = make(w, 12, 40, RUV_RECT{10, 10, 40, 110}, "Push");
        RUV_WIN edit = make(w, 17, 41, RUV_RECT{50, 10, 74, 200});
        RUV_WIN down = make(w, 21, 42, RUV_RECT{90, 10, 200, 200});
        for (const char *s : {"metre", "kilometre"})
            ruvk_list_add(down, -1, s);
        et::undisturbed([&] {
            et::seen().clear();
            click(edit);
            et::keys({'A', -'A', 'B', -'B'});
            et::pump(100);
            click(push);
            et::pump(100);
        });
        char text[32];
        GetWindowTextA(kt::hwnd_of(edit), text, sizeof text);
        EXPECT_STREQ(text, "ab");
        std::vector<std::string> ev = control_events(w);
        EXPECT_TRUE(has(ev, "control 41 type 17 data 1 1")); // focus gained
        EXPECT_TRUE(has(ev, "control 41 type 17 data 0 0")); // text changed
        EXPECT_TRUE(has(ev, "control 41 type 17 data 1 0")); // focus lost
        EXPECT_TRUE(has(ev, "control 40 type 12 data 0 0"));

        // The drop-down: typing in its edit part, then a row chosen by key.
        HWND part = GetWindow(kt::hwnd_of(down), GW_CHILD);
        et::undisturbed([&] {
            et::seen().clear();
            RECT r;
            GetClientRect(part, &r);
            click_at(part, 5, r.bottom / 2);
            et::keys({'K', -'K'});
            et::keys({VK_DOWN, -VK_DOWN}, true);
            et::pump(150);
        });
        ev = control_events(w);
        EXPECT_TRUE(has(ev, "control 42 type 21 data 1 1"));
        EXPECT_TRUE(has(ev, "control 42 type 21 data 0 0"));
        GetWindowTextA(kt::hwnd_of(down), text, sizeof text);
        EXPECT_NE(std::string(text), "k");   // a row was copied in
    });
}

TEST_F(ControlInput, TabEnterEscapeFunctionKeysAndListDeleteReachTheWindow)
{
    run([](RUV_WIN w) {
        RUV_WIN edit = make(w, 17, 50, RUV_RECT{50, 10, 74, 200});
        RUV_WIN push = make(w, 12, 51, RUV_RECT{10, 10, 40, 110}, "Push");
        et::undisturbed([&] {
            click(edit);
            et::seen().clear();
            et::keys({VK_TAB, -VK_TAB, VK_RETURN, -VK_RETURN, VK_ESCAPE, -VK_ESCAPE, VK_F2, -VK_F2});
            et::pump(150);
        });
        std::vector<std::string> ch = char_events(w);
        EXPECT_TRUE(has(ch, "char 9 vk0")) << testing::PrintToString(ch);
        EXPECT_TRUE(has(ch, "char 13 vk0"));
        EXPECT_TRUE(has(ch, "char 27 vk0"));
        EXPECT_TRUE(has(ch, "char 332 vk1"));
        char text[8];
        GetWindowTextA(kt::hwnd_of(edit), text, sizeof text);
        EXPECT_STREQ(text, "");
        // The arrow keys of a button belong to the window too.
        et::undisturbed([&] {
            click(push);
            et::seen().clear();
            et::keys({VK_DOWN, -VK_DOWN}, true);
            et::pump(100);
        });
        EXPECT_TRUE(has(char_events(w), "char 302 vk1"));
        // Delete in a list box is the window's (it deletes the selected
        // entry); in an edit field it stays the field's own.
        RUV_WIN list = make(w, 19, 52, RUV_RECT{80, 10, 200, 200});
        ruvk_list_add(list, -1, "one");
        et::undisturbed([&] {
            click(list);
            et::seen().clear();
            et::keys({VK_DELETE, -VK_DELETE});
            et::pump(100);
        });
        EXPECT_TRUE(has(char_events(w), "char 127 vk1"));
        SetWindowTextA(kt::hwnd_of(edit), "ab");
        et::undisturbed([&] {
            click(edit);
            SendMessageA(kt::hwnd_of(edit), EM_SETSEL, 0, 0);
            et::seen().clear();
            et::keys({VK_DELETE, -VK_DELETE});
            et::pump(100);
        });
        EXPECT_FALSE(has(char_events(w), "char 127 vk1"));
        GetWindowTextA(kt::hwnd_of(edit), text, sizeof text);
        EXPECT_STREQ(text, "b");
    });
}

} // namespace
