// Starts the editor on the example model for its screenshot: answers the
// opening box, waits for the main window naming the scenario, shows its
// Description page by the page button, has it painted, and prints where
// the main window and its status bar (id 10) are on the screen and the
// bar's text:
//   window L T R B
//   bar L T R B        (the bar's client area in screen pixels)
//   text TEXT
// The program is left running for the picture.  Exit code 1 when the main
// window or its bar does not come up.
//   start_shot_probe <traz_gui.exe> <work dir>
#include <windows.h>

#include <cstdio>

#include "../bench/program_start.h"

using program_start::FindButton;
using program_start::FindVisible;

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: start_shot_probe <traz_gui.exe> <work dir>\n");
        return 2;
    }
    program_start::Started p;
    int boxes = 0;
    HWND main = program_start::StartExample(argv[1], argv[2], &p, &boxes);
    if (!main)
        return 1;
    HWND bar = FindVisible(main, 10);
    if (!bar) {
        std::printf("error the main window has no status bar\n");
        return 1;
    }
    // The whole window on the screen, and a page shown so that the bar has
    // a text to draw: the Description page, by its button.
    SetWindowPos(main, nullptr, 20, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(main);
    if (HWND page = FindButton(main, "Description")) {
        DWORD_PTR clicked = 0;
        SendMessageTimeoutA(page, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &clicked);
    }
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
    Sleep(1500);

    RECT w{};
    GetWindowRect(main, &w);
    RECT c{};
    GetClientRect(bar, &c);
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT *>(&c), 2);
    std::printf("window %ld %ld %ld %ld\n", w.left, w.top, w.right, w.bottom);
    std::printf("bar %ld %ld %ld %ld\n", c.left, c.top, c.right, c.bottom);
    std::printf("title %s\n", program_start::TextOf(main).c_str());
    std::printf("text %s\n", program_start::TextOf(bar).c_str());
    std::printf("boxes %d\n", boxes);
    std::fflush(stdout);
    CloseHandle(p.process);
    return 0;
}
