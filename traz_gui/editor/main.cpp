// traz_gui.exe: the program's entry.  WinMain hands the run to the
// toolkit's program start, which calls ProgramMain; until the editor's
// windows are in place ProgramMain only shows the start box.
#include <windows.h>

#include "ruv.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev_instance, LPSTR command_line, int show_mode)
{
    return ruv_win_main(instance, prev_instance, command_line, show_mode);
}

extern "C" int ProgramMain(int, char **)
{
    ruv_dm_post_message("%s", "TRAZ-GUI\n\nScenario model: input files \"V3.66.00\".\n"
                              "The editor windows are not part of this build yet.");
    return 0;
}
