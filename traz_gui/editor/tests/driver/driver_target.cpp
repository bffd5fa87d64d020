// A small Win32 program on which the GUI test driver's own scenarios run:
// a window with a menu bar, a pane of controls (two edits, a button, a list
// and a read-out) and a hidden second pane, a question box, a save dialog
// and an exit code taken from a field.  It answers the driver's menu-state
// message as the editor does.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "gui_test_protocol.h"

namespace {

enum : int {
    kSaveAs = 100, kGrayed = 101, kChecked = 102, kExit = 103,
    kPane = 300, kHiddenPane = 301,
    kName = 2, kCode = 3, kSave = 4, kList = 5, kReadout = 6
};

HWND g_main, g_pane;
UINT g_menuState;
UINT g_queueState;


void WriteText(const char *path)
{
    char text[256] = "";
    GetDlgItemTextA(g_pane, kName, text, sizeof text);
    if (FILE *f = std::fopen(path, "wb")) {
        std::fputs(text, f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

void Command(int id)
{
    switch (id) {
    case kSave: {
        int answer = MessageBoxA(g_main, "Save the text?", "Driver target", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDYES) {
            WriteText("saved.txt");
            SetDlgItemTextA(g_pane, kReadout, "saved");
        } else if (answer == IDNO) {
            SetDlgItemTextA(g_pane, kReadout, "not saved");
        }
        break;
    }
    case kSaveAs: {
        char name[MAX_PATH] = "";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = g_main;
        ofn.lpstrFile = name;
        ofn.nMaxFile = sizeof name;
        ofn.lpstrTitle = "Save text as";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
        if (GetSaveFileNameA(&ofn))
            WriteText(name);
        break;
    }
    case kExit: {
        char code[16] = "";
        GetDlgItemTextA(g_pane, kCode, code, sizeof code);
        PostQuitMessage(std::atoi(code));
        break;
    }
    default:
        break;
    }
}

LRESULT CALLBACK PaneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND) {
        if (LOWORD(wp) == kList && HIWORD(wp) == LBN_SELCHANGE) {
            HWND list = GetDlgItem(hwnd, kList);
            char text[64] = "";
            LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
            if (sel != LB_ERR)
                SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
            SetDlgItemTextA(hwnd, kReadout, text);
        } else if (HIWORD(wp) == BN_CLICKED) {
            Command(LOWORD(wp));
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == g_queueState && g_queueState != 0) {
        const bool queued = HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_INPUT)) != 0;
        return static_cast<LRESULT>(TRAZ_GUI_TEST_ANSWERED | (queued ? TRAZ_GUI_TEST_QUEUED : 0));
    }
    if (msg == g_menuState && g_menuState != 0) {
        UINT state = GetMenuState(GetMenu(hwnd), static_cast<UINT>(wp), MF_BYCOMMAND);
        return state == static_cast<UINT>(-1) ? static_cast<LRESULT>(-1)
                                              : static_cast<LRESULT>(state | TRAZ_GUI_TEST_ANSWERED);
    }
    switch (msg) {
    case WM_COMMAND:
        Command(LOWORD(wp));
        return 0;
    case WM_CLOSE:
        Command(kExit);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

HWND Child(const char *cls, const char *text, DWORD style, int x, int y, int w, int h, HWND parent, int id)
{
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (GetEnvironmentVariableA(TRAZ_GUI_TEST_VARIABLE, nullptr, 0) > 0) {
        g_menuState = RegisterWindowMessageA(TRAZ_GUI_TEST_MENU_STATE);
        g_queueState = RegisterWindowMessageA(TRAZ_GUI_TEST_QUEUE_STATE);
    }

    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "DriverTarget";
    RegisterClassA(&wc);
    wc.lpfnWndProc = PaneProc;
    wc.lpszClassName = "DriverTargetPane";
    RegisterClassA(&wc);

    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kSaveAs, "Save &as...");
    AppendMenuA(file, MF_STRING | MF_GRAYED, kGrayed, "&Grayed");
    AppendMenuA(file, MF_STRING | MF_CHECKED, kChecked, "&Checked");
    AppendMenuA(file, MF_STRING, kExit, "E&xit");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");

    g_main = CreateWindowExA(0, "DriverTarget", "Driver target", WS_OVERLAPPEDWINDOW, 50, 50, 420, 300, nullptr,
                             bar, instance, nullptr);
    g_pane = CreateWindowExA(WS_EX_CONTROLPARENT, "DriverTargetPane", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 240,
                             g_main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPane)), instance, nullptr);
    Child("EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 200, 24, g_pane, kName);
    Child("EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 40, 200, 24, g_pane, kCode);
    Child("BUTTON", "&Save", WS_TABSTOP | BS_PUSHBUTTON, 220, 10, 80, 24, g_pane, kSave);
    HWND list = Child("LISTBOX", "", WS_BORDER | WS_TABSTOP | LBS_NOTIFY, 10, 70, 200, 80, g_pane, kList);
    for (const char *item : {"alpha", "beta", "gamma"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    Child("STATIC", "", 0, 10, 160, 200, 20, g_pane, kReadout);
    HWND hidden = CreateWindowExA(0, "DriverTargetPane", "", WS_CHILD, 0, 0, 400, 240, g_main,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHiddenPane)), instance, nullptr);
    Child("EDIT", "hidden pane", WS_BORDER, 10, 10, 200, 24, hidden, kName);

    ShowWindow(g_main, SW_SHOW);
    UpdateWindow(g_main);
    SetFocus(GetDlgItem(g_pane, kName));

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(g_main, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
