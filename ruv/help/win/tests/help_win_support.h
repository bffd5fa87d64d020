// Test support of the help library under Wine: a recording "MS_WINHELP"
// window that stands for the help engine (WinHelpA finds it and sends it
// each command), scratch help files, and file specifications.
#ifndef HELP_WIN_SUPPORT_H
#define HELP_WIN_SUPPORT_H

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "event_test_support.h"
#include "kernel_test_support.h"
#include "ruv_help.h"

namespace ht {

namespace fs = std::filesystem;

struct EngineCall {
    UINT command;
    LONG data;
    std::string file;
    std::string key;
    bool has_key;
};

// The engine's window: records every command that WinHelpA sends.
class Recorder {
public:
    Recorder()
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "MS_WINHELP";
            registered = RegisterClassA(&wc) != 0;
        }
        calls().clear();
        hwnd_ = CreateWindowExA(0, "MS_WINHELP", "recorder", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    }
    ~Recorder() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }
    static std::vector<EngineCall> &calls()
    {
        static std::vector<EngineCall> c;
        return c;
    }
    static std::vector<UINT> commands()
    {
        std::vector<UINT> v;
        for (const EngineCall &c : calls())
            v.push_back(c.command);
        return v;
    }

private:
    struct WinHelpBlock {
        WORD size;
        WORD command;
        LONG data;
        LONG reserved;
        WORD ofs_file;
        WORD ofs_key;
    };
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_COPYDATA) {
            auto *cds = reinterpret_cast<const COPYDATASTRUCT *>(lp);
            if (cds && cds->dwData == 0xA1DE505 && cds->cbData >= sizeof(WinHelpBlock)) {
                auto *b = static_cast<const WinHelpBlock *>(cds->lpData);
                const char *base = static_cast<const char *>(cds->lpData);
                EngineCall c{ b->command, b->data, b->ofs_file ? base + b->ofs_file : "",
                              b->ofs_key ? base + b->ofs_key : "", b->ofs_key != 0 };
                calls().push_back(c);
                return TRUE;
            }
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    HWND hwnd_ = nullptr;
};

// A scratch directory with an empty "app.hlp" and optionally "app.csa".
class HelpFiles {
public:
    explicit HelpFiles(const std::string &csa = "", bool with_csa = false)
    {
        static int serial = 0;
        dir_ = fs::temp_directory_path() /
               ("ruvh_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "app.hlp") << "";
        if (with_csa || !csa.empty())
            std::ofstream(dir_ / "app.csa") << csa;
    }
    ~HelpFiles()
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string dir() const { return dir_.string(); }
    std::string hlp() const { return (dir_ / "app.hlp").string(); }
    RUV_FILE_SPEC spec(const char *name = "app") const
    {
        RUV_FILE_SPEC s{};
        std::strncpy(s.dir.path, dir().c_str(), sizeof s.dir.path - 1);
        std::strncpy(s.name, name, sizeof s.name - 1);
        return s;
    }

private:
    fs::path dir_;
};

// The library's own event hook, as ruvhelp.dll exports it.
inline intptr_t library_hook()
{
    return reinterpret_cast<intptr_t>(GetProcAddress(GetModuleHandleA("ruvhelp.dll"), "ruvv_help_helpfile_callback"));
}

// Runs body in a started toolkit application with a recording engine;
// the event hook is left empty afterwards.
inline void in_app(const std::function<void()> &body)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run([&] {
        Recorder recorder;
        body();
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_HOOK, 0);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_INFO, 0);
    });
}

// Same path, whatever the case of the letters.
inline bool same_path(const std::string &a, const std::string &b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

inline RUV_EVENT event_of(int32_t type)
{
    RUV_EVENT e{};
    e.type = type;
    return e;
}

inline RUV_EVENT command_event(int32_t tag)
{
    RUV_EVENT e = event_of(E_COMMAND);
    e.v.command.tag = tag;
    return e;
}

inline RUV_EVENT help_event(RUV_WIN object, int32_t tag = 0, int32_t topic = 0)
{
    RUV_EVENT e = event_of(E_HELP);
    e.v.help.object = object;
    e.v.help.menu_tag = tag;
    e.v.help.topic = topic;
    return e;
}

} // namespace ht

#endif
