// Starts the editor on the oil scenario for the oil pane's screenshot:
// answers the opening box, shows the Process parameters page and its oil
// pane by their buttons, has it painted and prints where the pane, its
// fraction list and its heading are on the screen, with their texts:
//   pane L T R B
//   list L T R B COUNT FIRST
//   heading L T R B TEXT
// With "substances" it shows the Substances page instead and prints the
// page as the pane and its substance list as the list.
// The program is left running for the picture.  Exit code 1 when the pane
// does not come up.
//   oil_pane_shot_probe <traz_gui.exe> <work dir> [substances]
#include <windows.h>

#include <cstdio>
#include <string>

#include "../bench/program_start.h"

using program_start::Click;
using program_start::FindButton;
using program_start::FindVisible;
using program_start::ScreenClient;

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: oil_pane_shot_probe <traz_gui.exe> <work dir> [substances]\n");
        return 2;
    }
    program_start::Started p;
    HWND main = program_start::StartExample(argv[1], argv[2], &p);
    if (!main)
        return 1;
    SetWindowPos(main, nullptr, 20, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(main);
    const bool substances = argc == 4 && std::string(argv[3]) == "substances";
    HWND pane = nullptr;
    int listId = 39;
    if (substances) {
        Click(FindButton(main, "Substances"));
        Sleep(300);
        pane = FindVisible(main, 119);
        listId = 4;
    } else {
        Click(GetDlgItem(main, 5));                   // Process parameters
        Sleep(300);
        HWND page = FindVisible(main, 127);
        Click(page ? GetDlgItem(page, 5) : nullptr);  // its "Oil Model" pane
        Sleep(300);
        pane = page ? FindVisible(page, 180) : nullptr;
    }
    if (!pane) {
        std::printf("error no oil pane\n");
        return 1;
    }
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
    Sleep(1500);

    RECT r{};
    GetWindowRect(pane, &r);
    std::printf("pane %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    HWND list = GetDlgItem(pane, listId);
    const RECT l = ScreenClient(list);
    wchar_t wide[64] = L"";
    SendMessageTimeoutW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 2000, &result);
    char first[64] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, first, sizeof first, nullptr, nullptr);
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 2000, &count);
    std::printf("list %ld %ld %ld %ld %lu %s\n", l.left, l.top, l.right, l.bottom, static_cast<unsigned long>(count),
                first);
    if (substances) {
        std::fflush(stdout);
        CloseHandle(p.process);
        return 0;
    }
    HWND heading = GetDlgItem(pane, 30);
    const RECT h = ScreenClient(heading);
    std::printf("heading %ld %ld %ld %ld %s\n", h.left, h.top, h.right, h.bottom,
                program_start::TextOf(heading).c_str());
    std::fflush(stdout);
    CloseHandle(p.process);
    return 0;
}
