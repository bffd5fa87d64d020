// Shows the example's Time frame page for its screenshot: starts the editor
// on the example model, answers the opening box, presses the page button
// "Time frame", has the window painted, and prints where the main window
// is on the screen and what the page's six time fields show:
//   window L T R B
//   field ID TEXT      (controls 3, 5, 7, 15, 11, 12 of page 104)
// The program is left running for the picture.  Exit code 1 when the main
// window or the page does not come up.
//   time_frame_shot_probe <traz_gui.exe> <work dir>
#include <windows.h>

#include <cstdio>

#include "../bench/program_start.h"

using program_start::FindVisible;

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: time_frame_shot_probe <traz_gui.exe> <work dir>\n");
        return 2;
    }
    program_start::Started p;
    int boxes = 0;
    HWND main = program_start::StartExample(argv[1], argv[2], &p, &boxes);
    if (!main)
        return 1;
    SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(main);
    // The page button 3, "Time frame", is a direct child of the main window.
    HWND button = GetDlgItem(main, 3);
    if (!button) {
        std::printf("error no Time frame button\n");
        return 1;
    }
    DWORD_PTR clicked = 0;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &clicked);
    HWND page = nullptr;
    for (int i = 0; i < 100 && !page; ++i) {
        Sleep(50);
        page = FindVisible(main, 104);
    }
    if (!page) {
        std::printf("error the Time frame page did not come up\n");
        return 1;
    }
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
    Sleep(1500);

    RECT w{};
    GetWindowRect(main, &w);
    std::printf("window %ld %ld %ld %ld\n", w.left, w.top, w.right, w.bottom);
    for (int id : {3, 5, 7, 15, 11, 12}) {
        HWND field = GetDlgItem(page, id);
        std::printf("field %d %s\n", id, field ? program_start::TextOf(field).c_str() : "(none)");
    }
    std::fflush(stdout);
    CloseHandle(p.process);
    return 0;
}
