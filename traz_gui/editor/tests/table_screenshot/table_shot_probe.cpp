// Starts the editor on the oil scenario for the decay table's screenshot:
// answers the opening box, shows the Process parameters page and its decay
// table by their buttons, has it painted and prints where the table and
// each of its column headers are on the screen, with the header's text:
//   table L T R B
//   header K L T R B TEXT      (the header's client area; \n for a line end)
// The program is left running for the picture.  Exit code 1 when the
// table does not come up.
//   table_shot_probe <traz_gui.exe> <work dir>
#include <windows.h>

#include <cstdio>
#include <string>

#include "../bench/program_start.h"

using program_start::Click;
using program_start::FindVisible;

namespace {

std::string OneLine(const std::string &text)
{
    std::string out;
    for (char ch : text)
        out += ch == '\n' ? std::string("\\n") : std::string(1, ch);
    return out;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: table_shot_probe <traz_gui.exe> <work dir>\n");
        return 2;
    }
    program_start::Started p;
    HWND main = program_start::StartExample(argv[1], argv[2], &p);
    if (!main)
        return 1;
    SetWindowPos(main, nullptr, 20, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(main);
    Click(GetDlgItem(main, 5));               // Process parameters
    Sleep(300);
    HWND page = FindVisible(main, 127);
    Click(page ? GetDlgItem(page, 2) : nullptr);  // its decay table
    Sleep(300);
    HWND first = FindVisible(main, 3000);
    HWND table = first ? GetParent(first) : nullptr;
    if (!table) {
        std::printf("error no decay table\n");
        return 1;
    }
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
    Sleep(1500);

    RECT t{};
    GetWindowRect(table, &t);
    std::printf("table %ld %ld %ld %ld\n", t.left, t.top, t.right, t.bottom);
    for (int k = 0;; ++k) {
        HWND header = GetDlgItem(table, 3000 + k);
        if (!header || !IsWindowVisible(header))
            break;
        RECT c{};
        GetClientRect(header, &c);
        MapWindowPoints(header, nullptr, reinterpret_cast<POINT *>(&c), 2);
        std::printf("header %d %ld %ld %ld %ld %s\n", k, c.left, c.top, c.right, c.bottom,
                    OneLine(program_start::TextOf(header)).c_str());
    }
    std::fflush(stdout);
    CloseHandle(p.process);
    return 0;
}
