// traz_gui.exe: the program's entry.  WinMain hands the run to the
// toolkit's program start, which calls ProgramMain; the editor's task
// window (task_window.cpp) does the rest.
#include <windows.h>

#include "editor_shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev_instance, LPSTR command_line, int show_mode)
{
    return ruv_win_main(instance, prev_instance, command_line, show_mode);
}

extern "C" int ProgramMain(int argc, char **argv)
{
    StartEditorProgram(argc, argv);
    return 0;
}
