// Test support for the system services: a native window with a toolkit
// record filled in by the test (tag, kind, type, native handle, drawing
// state) and registered, so the services see a toolkit window; a scratch
// directory of files; small readers of the current directory and of string
// lists.
#ifndef SYSTEM_TEST_SUPPORT_H
#define SYSTEM_TEST_SUPPORT_H

#include <direct.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "draw_state.h"
#include "kernel_app.h"
#include "ruvv_app.h"
#include "ruvv_list.h"

namespace st {

inline LRESULT CALLBACK plain_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}

inline const char *window_class()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = plain_proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ruvk system test";
        RegisterClassA(&wc);
        registered = true;
    }
    return "ruvk system test";
}

// A native window of no toolkit record (another application's, as far as
// the kernel can tell).
inline HWND foreign_window(int x, int y, int w, int h)
{
    return CreateWindowExA(0, window_class(), "other", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// A visible top-level window at (x, y) of w x h pixels with a registered
// record of type `type` (0: a plain document).
class TestWindow {
public:
    TestWindow(int x = 100, int y = 100, int w = 200, int h = 150, int32_t type = 0)
    {
        hwnd_ = CreateWindowExA(0, window_class(), "test", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        std::memset(&rec_, 0, sizeof rec_);
        std::memset(&state_, 0, sizeof state_);
        rec_.tag = RUV_VOBJ_TAG;
        rec_.kind = 8;
        rec_.type = type;
        rec_.native = hwnd_;
        rec_.draw_state = &state_;
        state_.obj = &rec_;
        registered_ = ruvv_registry_add(&rec_) != 0;
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&rec_));
    }
    ~TestWindow()
    {
        if (registered_)
            ruvv_registry_remove(&rec_);
        if (IsWindow(hwnd_))
            DestroyWindow(hwnd_);
    }
    TestWindow(const TestWindow &) = delete;
    TestWindow &operator=(const TestWindow &) = delete;

    bool ok() const { return hwnd_ && registered_; }
    HWND hwnd() const { return hwnd_; }
    RUV_WIN win() { return &rec_; }
    RUVK_CARET &caret() { return state_.caret; }

private:
    HWND hwnd_ = nullptr;
    RUV_VOBJ rec_;
    RUV_DRAW_STATE state_;
    bool registered_ = false;
};

// Takes every message of one kind for hwnd from the queue within ms
// milliseconds; the number taken.
inline int drain(HWND hwnd, UINT msg, DWORD ms, UINT_PTR wparam = ~UINT_PTR(0))
{
    int n = 0;
    DWORD start = GetTickCount();
    do {
        MSG m;
        while (PeekMessageA(&m, hwnd, msg, msg, PM_REMOVE))
            if (wparam == ~UINT_PTR(0) || m.wParam == wparam)
                ++n;
        if (ms)
            Sleep(5);
    } while (GetTickCount() - start < ms);
    return n;
}

inline std::string cwd()
{
    char buf[MAX_PATH] = "";
    return _getcwd(buf, sizeof buf) ? buf : "";
}

inline std::vector<std::string> strings(SLIST *list)
{
    std::vector<std::string> out;
    for (SLIST_ELT *e = ruvv_slist_get_first(list); e; e = ruvv_slist_get_next(list, e))
        out.push_back(ruvv_slist_get(list, e, nullptr));
    return out;
}

// A directory under the system's temporary directory (its name followed by
// the process id) holding the given files, each with one byte, and the
// given empty subdirectories; a file name "d\\f" makes d first.  Gone with
// everything in it at the end.
class ScratchDir {
public:
    ScratchDir(const std::string &name, std::vector<std::string> files, std::vector<std::string> dirs = {})
        : files_(std::move(files)), dirs_(std::move(dirs))
    {
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        path_ = std::string(tmp) + name + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
        for (const std::string &f : files_) {
            size_t slash = f.find('\\');
            if (slash != std::string::npos) {
                CreateDirectoryA((path_ + "\\" + f.substr(0, slash)).c_str(), nullptr);
                dirs_.push_back(f.substr(0, slash));
            }
            if (FILE *fp = fopen((path_ + "\\" + f).c_str(), "w")) {
                fputs("x", fp);
                fclose(fp);
            } else {
                ADD_FAILURE() << "cannot make " << f;
            }
        }
        for (const std::string &d : dirs_)
            CreateDirectoryA((path_ + "\\" + d).c_str(), nullptr);
    }
    ~ScratchDir()
    {
        for (const std::string &f : files_)
            DeleteFileA((path_ + "\\" + f).c_str());
        for (const std::string &d : dirs_)
            RemoveDirectoryA((path_ + "\\" + d).c_str());
        RemoveDirectoryA(path_.c_str());
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;
    const std::string &path() const { return path_; }

private:
    std::vector<std::string> files_, dirs_;
    std::string path_;
};

} // namespace st

#endif
