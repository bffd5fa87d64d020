// traz_gui.exe: the program's entry.  Until the editor's windows are in
// place it only reports which scenario model version this build writes.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MessageBoxA(nullptr,
                "TRAZ-GUI\n\nScenario model: input files \"V3.66.00\".\n"
                "The editor windows are not part of this build yet.",
                "Particle tracking", MB_OK | MB_ICONINFORMATION);
    return 0;
}
