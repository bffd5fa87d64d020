// Starting a GUI program from another process and waiting until its main
// window is ready: shown, titled as expected and answering messages.  Boxes
// the program shows on the way are answered with OK.  Also finding its
// controls and pressing its buttons.  Used by the start-up cost program and
// by the probes of the editor's screenshots.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../driver/window_answers.h"

namespace program_start {

struct Started {
    HANDLE process = nullptr;
    DWORD pid = 0;
};

inline std::string TextOf(HWND h)
{
    char buf[512] = {};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL, 1000, &result))
        return std::string();
    return buf;
}

inline std::string ClassOf(HWND h)
{
    char buf[128] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

// A visible descendant of `parent` with the control id `id`.
inline HWND FindVisible(HWND parent, int id)
{
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto *s = reinterpret_cast<Search *>(p);
            if (GetDlgCtrlID(h) == s->id && IsWindowVisible(h)) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A button among the descendants of `parent` titled `text`.
inline HWND FindButton(HWND parent, const char *text)
{
    struct Search {
        const char *text;
        HWND found;
    } search{text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto *s = reinterpret_cast<Search *>(p);
            if (ClassOf(h) == "Button" && TextOf(h) == s->text) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Presses a button as a click would; nothing for no button.
inline void Click(HWND button)
{
    DWORD_PTR done = 0;
    if (button)
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &done);
}

// A window's client rectangle in screen pixels.
inline RECT ScreenClient(HWND window)
{
    RECT c{};
    GetClientRect(window, &c);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&c), 2);
    return c;
}

// The visible top-level windows of a process.
inline std::vector<HWND> TopLevels(DWORD pid)
{
    std::vector<HWND> shown;
    for (HWND h : window_answers::TopLevels(pid))
        if (IsWindowVisible(h))
            shown.push_back(h);
    return shown;
}

// Starts `program` with `args` in `dir`; false when it cannot be started.
inline bool Start(const std::string &program, const std::string &args, const std::string &dir, Started *out)
{
    std::string line = "\"" + program + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    out->process = pi.hProcess;
    out->pid = pi.dwProcessId;
    return true;
}

// Waits until a visible top-level window of the program whose title holds
// `titlePart` answers a message; a dialog box on the way gets its OK.
// Returns the window, or nullptr when the program ended or `timeoutMs`
// passed.  `boxes` counts the boxes answered.
inline HWND WaitReady(const Started &p, const std::string &titlePart, DWORD timeoutMs, int *boxes = nullptr)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        if (WaitForSingleObject(p.process, 0) == WAIT_OBJECT_0)
            return nullptr;
        for (HWND h : TopLevels(p.pid)) {
            if (ClassOf(h) == "#32770") {
                HWND ok = GetDlgItem(h, IDOK);
                PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
                if (boxes)
                    ++*boxes;
                // Wait until the box is gone so it is not answered twice.
                for (int i = 0; i < 500 && IsWindow(h) && IsWindowVisible(h); ++i)
                    Sleep(1);
                continue;
            }
            if (TextOf(h).find(titlePart) == std::string::npos)
                continue;
            DWORD_PTR result = 0;
            if (SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result))
                return h;
        }
        Sleep(1);
    }
    return nullptr;
}

// Ends the program and waits for it.
// The screenshot probes' start: the program on the example ("est") in
// dir, waited for until its main window names trazest.inp.  Prints the
// probe's "error ..." line and returns nullptr when that fails.
inline HWND StartExample(const char *program, const char *dir, Started *p, int *boxes = nullptr)
{
    if (!Start(program, "est", dir, p)) {
        std::printf("error cannot start %s (error %lu)\n", program, GetLastError());
        return nullptr;
    }
    HWND main = WaitReady(*p, "trazest.inp", 60000, boxes);
    if (!main)
        std::printf("error no main window naming trazest.inp\n");
    return main;
}

inline void End(Started *p)
{
    if (!p->process)
        return;
    TerminateProcess(p->process, 0);
    WaitForSingleObject(p->process, 10000);
    CloseHandle(p->process);
    p->process = nullptr;
}

}  // namespace program_start
