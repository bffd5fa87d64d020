// Shared by the event tests: a recording event handler, a readable form of
// an event, a pump that serves the queue for a while, and real input.
#ifndef EVENT_TEST_SUPPORT_H
#define EVENT_TEST_SUPPORT_H

#include <cstdio>
#include <string>
#include <vector>

#include "kernel_test_support.h"
#include "ruvv_app.h"
#include "ruvv_cxo.h"
#include "window_create.h"

namespace et {

struct Seen {
    RUV_WIN win;
    RUV_EVENT ev;
};

inline std::vector<Seen> &seen()
{
    static std::vector<Seen> s;
    return s;
}

inline int32_t record(RUV_WIN win, RUV_EVENT *event)
{
    seen().push_back({win, *event});
    return 0;
}

// One line per event, with the fields of its type.
inline std::string describe(const RUV_EVENT &e)
{
    char b[160];
    const auto &m = e.v.mouse;
    switch (e.type) {
    case E_CREATE: return "create";
    case E_DESTROY: return "destroy";
    case E_FOCUS: std::snprintf(b, sizeof b, "focus %d", e.v.focus.active); break;
    case E_SIZE: std::snprintf(b, sizeof b, "size %dx%d", e.v.size.height, e.v.size.width); break;
    case E_UPDATE: return "update";
    case E_CLOSE: return "close";
    case E_MOUSE_DOWN:
    case E_MOUSE_UP:
    case E_MOUSE_MOVE:
    case E_MOUSE_DOUBLE: {
        static const char *names[] = {"down", "up", "move", "double"};
        std::snprintf(b, sizeof b, "%s v%d h%d s%d c%d b%d", names[e.type - E_MOUSE_DOWN], m.v, m.h, m.shift,
                      m.control, m.button);
        break;
    }
    case E_MOUSE_WHEEL:
        std::snprintf(b, sizeof b, "wheel v%d h%d hs%d vs%d", m.v, m.h, (int)m.hsteps, (int)m.vsteps);
        break;
    case E_CHAR:
        std::snprintf(b, sizeof b, "char %d vk%d s%d c%d m%#x", e.v.chr.key, e.v.chr.virtual_key, e.v.chr.shift,
                      e.v.chr.control, (unsigned)e.v.chr.modifiers);
        break;
    case E_VSCROLL:
    case E_HSCROLL:
        std::snprintf(b, sizeof b, "%s a%d p%d", e.type == E_VSCROLL ? "vscroll" : "hscroll", (int)e.v.scroll.action,
                      e.v.scroll.position);
        break;
    case E_COMMAND:
        std::snprintf(b, sizeof b, "command %d s%d c%d", (int)e.v.command.tag, e.v.command.shift, e.v.command.control);
        break;
    case E_CONTROL:
        std::snprintf(b, sizeof b, "control %d type %d data %d %d", (int)e.v.control.id, (int)e.v.control.type,
                      e.v.control.data.words[0], e.v.control.data.words[1]);
        break;
    case E_TIMER: std::snprintf(b, sizeof b, "timer %d", (int)e.v.timer.id); break;
    case E_QUIT: std::snprintf(b, sizeof b, "quit %d", e.v.quit.query); break;
    case E_HELP: std::snprintf(b, sizeof b, "help tag %d", (int)e.v.help.menu_tag); break;
    default: std::snprintf(b, sizeof b, "type %d", (int)e.type); break;
    }
    return b;
}

// The events one window saw (all windows for NULL_WIN), skipping types
// whose bits are in `skip`.
inline std::vector<std::string> events_of(RUV_WIN win, uint32_t skip = 0)
{
    std::vector<std::string> out;
    for (const Seen &s : seen())
        if ((!win || s.win == win) && !(skip & RUV_EVENT_BIT(s.ev.type)))
            out.push_back(describe(s.ev));
    return out;
}

// Serves the queue through the kernel's pump for ms milliseconds.
inline void pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        ruvk_app_process_pending_events();
        Sleep(5);
    } while (GetTickCount() - start < ms);
    ruvk_app_process_pending_events();
}

inline RUV_WIN task()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

// A visible document (or child, under a document) of 300 x 200 recording
// every event.
inline RUV_WIN make_window(RUV_WIN parent, uint32_t flags = 0x803, int16_t top = 20)
{
    RUV_RECT r = {top, 20, static_cast<int16_t>(top + 200), 320};
    return ruvk_win_create(1, &r, "Events", 0, parent ? parent : task(), flags, RUV_EVENT_MASK_ALL, record, nullptr);
}

inline HWND hwnd(RUV_WIN w)
{
    return kt::hwnd_of(w);
}

// kt::run_app that fails the test when the body never ran (a loop that
// could not start).
inline void run(std::function<void()> body, RUV_EVENT_HANDLER task_handler = nullptr)
{
    bool ran = false;
    kt::run_app(
        [&] {
            ran = true;
            body();
        },
        task_handler);
    EXPECT_TRUE(ran) << "the application did not start";
}

// Another program that takes the foreground while an input step runs
// (tests of other areas run beside these) spoils the step: it shows as the
// application losing its activation.
inline bool &disturbed()
{
    static bool d = false;
    return d;
}

inline RUV_BOOL watch_activation(HWND, UINT msg, WPARAM wp, LPARAM, LRESULT *)
{
    if (msg == WM_ACTIVATEAPP && !wp)
        disturbed() = true;
    return 1;
}

// Runs an input step with the task window in front, again while another
// program took the foreground meanwhile (a few times at most).  A step may
// also set disturbed() itself when its input went astray.
inline void undisturbed(const std::function<void()> &step)
{
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, reinterpret_cast<intptr_t>(&watch_activation));
    HWND front = hwnd(task());
    for (int attempt = 0; attempt < 15; ++attempt) {
        SetForegroundWindow(front);
        SetActiveWindow(front);
        for (int wait = 0; wait < 25 && GetForegroundWindow() != front; ++wait)
            pump(20);
        pump(20);
        disturbed() = false;
        step();
        if (!disturbed() && GetForegroundWindow() == front)
            break;
        Sleep(200);
    }
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, 0);
}

// Real keyboard input: each entry a virtual key, pressed (positive) or
// released (negative); extended keys carry the flag.
inline void keys(std::initializer_list<int> strokes, bool extended = false)
{
    std::vector<INPUT> in;
    for (int s : strokes) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = static_cast<WORD>(s < 0 ? -s : s);
        i.ki.dwFlags = (s < 0 ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// Sets the thread's key state: the listed keys down, every other key up.
inline void hold(std::initializer_list<int> vks)
{
    BYTE state[256] = {};
    for (int vk : vks)
        state[vk] = 0x80;
    SetKeyboardState(state);
}

} // namespace et

#endif
