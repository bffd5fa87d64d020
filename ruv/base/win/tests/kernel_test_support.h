// Test support for the Windows kernel: a guard thread that answers or
// closes the test thread's modal windows by a script and fails the test on
// an unexpected one, error reports caught through attribute 706, counting
// memory hooks (which may fill freed blocks) and the start of a toolkit
// application around a test body.
#ifndef KERNEL_TEST_SUPPORT_H
#define KERNEL_TEST_SUPPORT_H

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "kernel_app.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"
#include "ruvv_mem.h"
#include "startup.h"

namespace kt {

// ---- error reports through attribute 706 ----

struct Report {
    int32_t severity;
    RUV_ERRMSG_ID id;
    std::string text;
};

inline std::vector<Report> &reports()
{
    static std::vector<Report> r;
    return r;
}

// Records the report and answers handled: no box is shown.
inline RUV_BOOL capture_report(RUV_ERRMSG *m, void *)
{
    reports().push_back({ ruvv_errmsg_get_sev_id(m), ruvv_errmsg_get_msg_id(m), ruvv_errmsg_get_msg_text(m) });
    return 1;
}

// Installs the capture (attributes exist from ruvwi_Init on).
inline void capture_errors()
{
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_ERROR_HOOK, reinterpret_cast<intptr_t>(&capture_report));
}

// Severity of the first report of id, -1 when there is none.
inline int32_t severity_of(RUV_ERRMSG_ID id)
{
    for (const Report &r : reports())
        if (r.id == id)
            return r.severity;
    return -1;
}

inline bool reported(RUV_ERRMSG_ID id)
{
    return severity_of(id) >= 0;
}

// ---- counting memory hooks ----

// Every block carries a header with its size; freed blocks may be filled
// with 0xDD first so that a read of a freed record shows.
struct MemCount {
    static std::atomic<long> &allocs() { static std::atomic<long> n{ 0 }; return n; }
    static std::atomic<long> &frees() { static std::atomic<long> n{ 0 }; return n; }
    static std::atomic<bool> &fill() { static std::atomic<bool> f{ false }; return f; }
    static constexpr size_t HEADER = 16;

    static void *alloc(size_t size)
    {
        auto *p = static_cast<unsigned char *>(std::malloc(size + HEADER));
        if (!p)
            return nullptr;
        std::memcpy(p, &size, sizeof size);
        ++allocs();
        return p + HEADER;
    }
    static void *zalloc(size_t size)
    {
        void *p = alloc(size);
        if (p)
            std::memset(p, 0, size);
        return p;
    }
    static void release(void *ptr)
    {
        if (!ptr)
            return;
        auto *p = static_cast<unsigned char *>(ptr) - HEADER;
        if (fill()) {
            size_t size;
            std::memcpy(&size, p, sizeof size);
            std::memset(ptr, 0xDD, size);
        }
        ++frees();
        std::free(p);
    }
    static void *resize(void *ptr, size_t size)
    {
        if (!ptr)
            return alloc(size);
        if (size == 0) {
            release(ptr);
            return nullptr;
        }
        void *n = alloc(size);
        if (!n)
            return nullptr;
        size_t old;
        std::memcpy(&old, static_cast<unsigned char *>(ptr) - HEADER, sizeof old);
        std::memcpy(n, ptr, old < size ? old : size);
        release(ptr);
        return n;
    }
    static long outstanding() { return allocs() - frees(); }
    // Installs the hooks (effective only while none are installed: call
    // before ruvwi_Begin).
    static void install(bool fill_freed)
    {
        allocs() = 0;
        frees() = 0;
        fill() = fill_freed;
        static const RUV_MEM_FUNCS funcs = { alloc, release, resize, zalloc };
        ruvv_mem_set_functions(&funcs);
    }
};

// ---- the guard of modal windows ----

// One scripted answer: the first modal window whose texts contain expect
// (empty: any) is ended with button (0: closed).
struct Answer {
    std::string expect;
    int button;
};

class ModalGuard {
public:
    explicit ModalGuard(std::vector<Answer> script = {})
        : script_(std::move(script)), thread_id_(GetCurrentThreadId()), running_(true),
          worker_([this] { watch(); })
    {
    }
    ~ModalGuard() { stop(); }

    // Stops the guard and fails the test on an unexpected window or an
    // answer that was never used.
    void stop()
    {
        if (!running_.exchange(false))
            return;
        worker_.join();
        for (const std::string &u : unexpected_)
            ADD_FAILURE() << "unexpected modal window: " << u;
        if (next_ < script_.size())
            ADD_FAILURE() << "modal window expected but never seen: " << script_[next_].expect;
    }
    // The texts of every window seen (title, then the static texts), in order.
    std::vector<std::string> texts()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

private:
    static std::string text_of(HWND hwnd)
    {
        char buf[512] = "";
        DWORD_PTR got = 0;
        SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &got);
        return buf;
    }
    static BOOL CALLBACK child_text(HWND child, LPARAM lp)
    {
        char cls[64] = "";
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0) {
            std::string t = text_of(child);
            if (!t.empty()) {
                auto *s = reinterpret_cast<std::string *>(lp);
                *s += "\n" + t;
            }
        }
        return TRUE;
    }
    static bool is_modal(HWND hwnd)
    {
        if (!IsWindowVisible(hwnd))
            return false;
        char cls[128] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        return std::strcmp(cls, "#32770") == 0 || std::strstr(cls, "wialog") != nullptr;
    }
    static BOOL CALLBACK collect(HWND hwnd, LPARAM lp)
    {
        if (is_modal(hwnd))
            reinterpret_cast<std::vector<HWND> *>(lp)->push_back(hwnd);
        return TRUE;
    }
    // False while a window shows no text yet (under load a box can be seen
    // before its caption and texts are set, or its thread may be too busy
    // to answer): it is looked at again on the next round, for up to 5 s.
    bool answer(HWND hwnd)
    {
        std::string text = text_of(hwnd);
        EnumChildWindows(hwnd, child_text, reinterpret_cast<LPARAM>(&text));
        if (text.empty() && ++blank_rounds_[hwnd] < 250)
            return false;
        blank_rounds_.erase(hwnd);
        int button = 0;
        bool expected = false;
        if (next_ < script_.size() && text.find(script_[next_].expect) != std::string::npos) {
            button = script_[next_].button;
            expected = true;
            ++next_;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            texts_.push_back(text);
        }
        if (!expected)
            unexpected_.push_back(text);
        char cls[16] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        if (button != 0 && std::strcmp(cls, "#32770") == 0)
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hwnd, button)));
        else
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return true;
    }
    void watch()
    {
        while (running_) {
            std::vector<HWND> found;
            EnumThreadWindows(thread_id_, collect, reinterpret_cast<LPARAM>(&found));
            for (HWND hwnd : found)
                if (!seen_.count(hwnd) && answer(hwnd))
                    seen_.insert(hwnd);
            // A window handle may be reused once its window is gone.
            for (auto it = seen_.begin(); it != seen_.end();)
                it = IsWindow(*it) ? std::next(it) : seen_.erase(it);
            for (auto it = blank_rounds_.begin(); it != blank_rounds_.end();)
                it = IsWindow(it->first) ? std::next(it) : blank_rounds_.erase(it);
            Sleep(20);
        }
    }

    std::vector<Answer> script_;
    size_t next_ = 0;
    DWORD thread_id_;
    std::atomic<bool> running_;
    std::set<HWND> seen_;
    std::map<HWND, int> blank_rounds_;
    std::vector<std::string> unexpected_;
    std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread worker_;
};

// ---- a toolkit application around a test body ----

inline int &exit_calls()
{
    static int n = 0;
    return n;
}

inline void count_exit(int32_t)
{
    ++exit_calls();
}

inline RUV_START_RECORD start_record(int32_t show_mode = SW_SHOWNORMAL)
{
    RUV_START_RECORD start{};
    start.instance = GetModuleHandleA(nullptr);
    start.command_line = GetCommandLineA();
    start.show_mode = show_mode;
    start.argc = 1;
    start.exit_callback = count_exit;
    return start;
}

// Starts the kernel (ruvwi_Begin, ruvwi_Init) with reports captured;
// ends it (ruvwi_End) when it goes.
class Session {
public:
    explicit Session(int32_t show_mode = SW_SHOWNORMAL)
    {
        reports().clear();
        exit_calls() = 0;
        RUV_START_RECORD start = start_record(show_mode);
        ok_ = ruvwi_Begin(&start) && ruvwi_Init(&start);
        if (ok_)
            capture_errors();
    }
    ~Session() { ruvwi_End(); }
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

// The body of run_app runs from a thread timer: inside the loop, after the
// task window's creation and every event deferred behind it.
struct AppRun {
    static std::function<void()> &body()
    {
        static std::function<void()> b;
        return b;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        // A modal box of the start-up runs before the task window exists.
        RUV_WIN made = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        if (!ruvv_vobj_is_valid(made))
            return;
        KillTimer(nullptr, id);
        std::function<void()> b = std::move(body());
        body() = nullptr;
        if (b)
            b();
        RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        if (ruvv_vobj_is_valid(task) && !(task->kernel_flags & 0x2u))
            ruvk_vobj_destroy(task);
    }
};

// Runs the message loop of a started session: body runs inside the loop
// once the task window is made, then the task window is destroyed (unless
// the body did); returns when the loop ends.
inline void run_app(std::function<void()> body, RUV_EVENT_HANDLER task_handler = nullptr,
                    RUV_APP_CONFIG *config = nullptr)
{
    static RUV_APP_CONFIG fallback{ 0, 0, "ktest", "ktest", "Kernel test" };
    static char arg0[] = "ktest";
    static char *argv[] = { arg0, nullptr };
    AppRun::body() = std::move(body);
    UINT_PTR timer = SetTimer(nullptr, 0, 0, AppRun::tick);
    ruvwi_ruv_system(1, argv, 0, task_handler ? task_handler : [](RUV_WIN, RUV_EVENT *) { return 0; },
                     config ? config : &fallback);
    // A loop that could not start leaves the timer.
    KillTimer(nullptr, timer);
    AppRun::body() = nullptr;
}

// Native window helpers.
inline std::string class_of(HWND hwnd)
{
    char buf[256] = "";
    GetClassNameA(hwnd, buf, sizeof buf);
    return buf;
}

inline HWND hwnd_of(RUV_WIN win)
{
    return win ? static_cast<HWND>(win->native) : nullptr;
}

// ---- a test body that must end its process ----

// What a child run of this test program left behind: its exit code and what
// it wrote to the file named in the environment variable.
struct ChildRun {
    bool ran = false;
    DWORD exit_code = 0;
    std::string output;
};

// Runs this test program again with the tests of filter only, the variable
// env naming a fresh scratch file that the child writes to; waits at most
// 30 s for it to end.  The child finds itself by the variable.  first_word,
// when given, stands first on the child's command line in place of the
// program's path.
inline ChildRun run_child(const char *env, const char *filter, const char *first_word = nullptr)
{
    ChildRun run;
    char exe[MAX_PATH], dir[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    GetTempPathA(sizeof dir, dir);
    std::string out_file = std::string(dir) + env + "_" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(out_file.c_str());
    SetEnvironmentVariableA(env, out_file.c_str());
    std::string cmd = (first_word ? std::string(first_word) : std::string("\"") + exe + "\"") + " --gtest_filter=" + filter;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    BOOL started = CreateProcessA(first_word ? exe : nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &si, &pi);
    SetEnvironmentVariableA(env, nullptr);
    if (!started) {
        std::printf("cannot start %s (error %lu)\n", exe, GetLastError());
        return run;
    }
    run.ran = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    GetExitCodeProcess(pi.hProcess, &run.exit_code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    if (FILE *f = std::fopen(out_file.c_str(), "r")) {  // text: line ends as "\n"
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            run.output.append(buf, n);
        std::fclose(f);
    }
    DeleteFileA(out_file.c_str());
    return run;
}

} // namespace kt

#endif
