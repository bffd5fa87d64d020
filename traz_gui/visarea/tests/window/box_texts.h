// The texts of the message boxes a test's own thread shows, each answered
// with OK as it appears.
#ifndef TRAZ_VISAREA_BOX_TEXTS_H
#define TRAZ_VISAREA_BOX_TEXTS_H

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace maptest {

class BoxTexts {
public:
    BoxTexts() : thread_(GetCurrentThreadId()), worker_([this] { Watch(); }) {}
    ~BoxTexts()
    {
        running_ = false;
        worker_.join();
    }
    std::vector<std::string> texts()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

private:
    static BOOL CALLBACK Child(HWND h, LPARAM lp)
    {
        char cls[32] = "", text[512] = "";
        GetClassNameA(h, cls, sizeof cls);
        if (_stricmp(cls, "Static") == 0 && GetWindowTextA(h, text, sizeof text) > 0)
            *reinterpret_cast<std::string *>(lp) += text;
        return TRUE;
    }
    static BOOL CALLBACK Top(HWND h, LPARAM lp)
    {
        BoxTexts *self = reinterpret_cast<BoxTexts *>(lp);
        char cls[64] = "";
        GetClassNameA(h, cls, sizeof cls);
        // Message boxes only: the print status dialog (Cancel alone) stays.
        if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(h) || GetPropA(h, "maptest_read") ||
            !GetDlgItem(h, IDOK))
            return TRUE;
        SetPropA(h, "maptest_read", reinterpret_cast<HANDLE>(1));
        std::string text;
        EnumChildWindows(h, Child, reinterpret_cast<LPARAM>(&text));
        {
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->texts_.push_back(text);
        }
        PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(h, IDOK)));
        return TRUE;
    }
    void Watch()
    {
        while (running_) {
            EnumThreadWindows(thread_, Top, reinterpret_cast<LPARAM>(this));
            Sleep(20);
        }
    }

    DWORD thread_;
    std::atomic<bool> running_{ true };
    std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread worker_;
};

}  // namespace maptest

#endif
