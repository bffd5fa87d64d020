// Starting a GUI program from another process and waiting until its main
// window is ready: shown, titled as expected and answering messages.  Boxes
// the program shows on the way are answered with OK.  Used by the start-up
// cost program and by the screenshot of the example start.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

inline std::vector<HWND> TopLevels(DWORD pid)
{
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto *s = reinterpret_cast<Search *>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid && IsWindowVisible(hwnd))
                s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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
