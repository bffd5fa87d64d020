// The control gallery: a toolkit program that starts like the product
// (window-less task object), opens its main window from its compiled
// description with one native control of each kind and a drawable pane,
// and ends when the window is closed or, given a number of seconds as its
// argument, when they have passed.
#include <cstdlib>

#include "gallery_window.h"
#include "startup.h"
#include "window_create.h"

namespace {

void quit_app()
{
    if (RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)))
        ruvk_vobj_destroy(task);
}

void CALLBACK time_up(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    quit_app();
}

int32_t task_handler(RUV_WIN, RUV_EVENT *e)
{
    if (e->type == E_CREATE && !gallery::open())
        quit_app();
    return 0;
}

void end_process(int32_t) {}

} // namespace

int main(int argc, char **argv)
{
    RUV_START_RECORD start{};
    start.instance = GetModuleHandleA(nullptr);
    start.command_line = GetCommandLineA();
    start.show_mode = SW_SHOWNORMAL;
    start.argc = argc;
    start.exit_callback = end_process;
    if (!ruvwi_Begin(&start))
        return 1;
    if (!ruvwi_Init(&start)) {
        ruvwi_End();
        return 1;
    }
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_COLOR_LIST_ROWS, 1);
    if (argc > 1)
        SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[1]) * 1000), time_up);
    static RUV_APP_CONFIG config{0, 0, "gallery", "gallery", "Control gallery"};
    ruvwi_ruv_system(argc, argv, 0, task_handler, &config);
    ruvwi_End();
    return 0;
}
