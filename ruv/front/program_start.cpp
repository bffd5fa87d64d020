// The toolkit's program start: the Windows entry ruv_win_main, which starts
// the base library with a start record, points the first program argument
// at the module's path and runs ProgramMain; the exit callback that ends the
// run; and the start of a toolkit built as a shared library, whose
// ProgramMain runs on a thread of its own.
#include "ruv.h"

#include <cstdlib>

#include "startup.h"
#include "ruvv_tx.h"

namespace {

// The toolkit version the program is built against (13.1.0), twice.
const int16_t VERSION[6] = { 13, 1, 0, 13, 1, 0 };

constexpr DWORD PATH_CAPACITY = 1000;

// The DLL-mode instance word: set by ruv_dll_main only.
HINSTANCE g_dll_instance = nullptr;

// Steps 2-5 of the start: callbacks, begin, init, the module's path.
bool start_base(RUV_START_RECORD *start, char *path)
{
    if (!ruv_fill_start_callbacks(start))
        return false;
    if (!ruvwi_Begin(start))
        return false;
    if (!ruvwi_Init(start)) {
        ruvwi_End();
        return false;
    }
    // A longer path is cut to the buffer by the system.
    path[0] = '\0';
    GetModuleFileNameA(start->instance, path, PATH_CAPACITY);
    path[PATH_CAPACITY - 1] = '\0';
    return true;
}

} // namespace

extern "C" {

int ruv_win_main(HINSTANCE instance, HINSTANCE prev_instance, char *command_line, int show_mode)
{
    RUV_START_RECORD start{};
    start.version = VERSION;
    start.instance = instance;
    start.prev_instance = prev_instance;
    start.command_line = command_line;
    start.show_mode = show_mode;
    start.argc = __argc;
    char path[PATH_CAPACITY];
    if (!start_base(&start, path))
        return 0;
    // The program's own path, whatever the command line's first word.
    char *fallback[2] = { path, nullptr };
    char **argv = __argv ? __argv : fallback;
    int argc = __argv ? __argc : 1;
    argv[0] = path;
    int result = ProgramMain(argc, argv);
    ruvwi_End();
    return result;
}

RUV_BOOL ruv_fill_start_callbacks(RUV_START_RECORD *start)
{
    if (!start)
        return FALSE;
    start->exit_callback = ruv_exit_callback;
    start->tx_create_callback = reinterpret_cast<void *>(ruv_tx_create_def_callback);
    start->tx_lookup_callback = reinterpret_cast<void *>(ruv_tx_get_tx_callback);
    return TRUE;
}

// Status 1 after a fatal error (the kernel's fatal exit says so), so a
// failed run never ends as a success.
void ruv_exit_callback(int32_t status)
{
    ruvwi_End();
    if (g_dll_instance)
        ExitThread(static_cast<DWORD>(status));
    ExitProcess(static_cast<UINT>(status));
}

intptr_t ruv_tx_create_def_callback(const RUV_WIN_DEF *def, RUV_WIN parent, void *app_data)
{
    return ruvv_tx_create_def(def, parent, app_data);
}

intptr_t ruv_tx_get_tx_callback(RUV_WIN window, int32_t control_id)
{
    return ruvv_tx_get_tx(window, control_id);
}

int ruv_dll_main(HINSTANCE instance, uint32_t, void *)
{
    g_dll_instance = instance;
    return 1;
}

int ruv_dll_thread_main(void *)
{
    if (!g_dll_instance) {
        MessageBoxA(nullptr, "\"ruv_dll_main\" entry point not called. Set DLL entry point to \"ruv_dll_main\".",
                    "RUV Error", MB_OK);
        return 1;
    }
    RUV_START_RECORD start{};
    start.version = VERSION;
    start.instance = g_dll_instance;
    start.argc = 1;
    char path[PATH_CAPACITY];
    if (!start_base(&start, path))
        return 0;
    char *argv[2] = { path, nullptr };
    int result = ProgramMain(1, argv);
    ruvwi_End();
    return result;
}

void *ruv_dll_start_thread(void)
{
    return CreateThread(nullptr, 0, [](LPVOID) -> DWORD { return static_cast<DWORD>(ruv_dll_thread_main(nullptr)); },
                        nullptr, 0, nullptr);
}

} // extern "C"
