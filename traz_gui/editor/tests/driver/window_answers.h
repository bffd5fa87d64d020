// Finding a program's windows and answering its boxes and file dialogs as a
// user would: texts and classes of windows, a process's top-level windows
// and dialogs, the text of a message box, pressing a box's button by its
// caption, and naming a file in an open or save dialog.  Used by the GUI
// test driver (another process) and by test programs that run the editor
// in-process and answer from a second thread.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// (the editor's protocol header by its place: programs that use these
// answers need not have the editor's include folder)
#include "../../include/gui_test_protocol.h"

namespace window_answers {

constexpr UINT kSendTimeout = 1500;   // ms for one message to another thread

inline std::string Narrow(const std::wstring &w)
{
    if (w.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// A window's text through WM_GETTEXT in its W form (marshalled between
// processes); "" when the window does not answer.
inline std::string TextOf(HWND hwnd)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeout, &length))
        return std::string();
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, kSendTimeout, &got))
        return std::string();
    buffer.resize(static_cast<size_t>(got));
    return Narrow(buffer);
}

inline std::string ClassOf(HWND hwnd)
{
    char name[128] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

inline std::string WithoutMnemonic(const std::string &caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out.push_back(caption[i]);
    }
    return out;
}

inline std::vector<HWND> TopLevels(DWORD pid)
{
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto *s = reinterpret_cast<Search *>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid)
                s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::vector<HWND> Descendants(HWND parent)
{
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND> *>(p)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The visible dialogs (message boxes, file dialogs) of a process.
inline std::vector<HWND> Dialogs(DWORD pid)
{
    std::vector<HWND> boxes;
    for (HWND h : TopLevels(pid))
        if (IsWindowVisible(h) && ClassOf(h) == "#32770")
            boxes.push_back(h);
    return boxes;
}

// A system box's text is static 0xFFFF; the toolkit's own question boxes
// show theirs in static 5.
inline std::string BoxText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!text) {
        text = GetDlgItem(box, 5);
        if (text && ClassOf(text) != "Static")
            text = nullptr;
    }
    return text ? TextOf(text) : std::string();
}

// The first dialog of the process whose box text (or, with byTitle, whose
// title) is text; nullptr when none is up.
inline HWND FindDialog(DWORD pid, const std::string &text, bool byTitle)
{
    for (HWND d : Dialogs(pid))
        if ((byTitle ? TextOf(d) : BoxText(d)) == text)
            return d;
    return nullptr;
}

// Posts the click of the dialog's visible button captioned caption (case
// and mnemonic ignored); false when it has none.
inline bool PressButton(HWND dialog, const std::string &caption)
{
    for (HWND h : Descendants(dialog)) {
        if (ClassOf(h) != "Button" || !IsWindowVisible(h))
            continue;
        if (lstrcmpiA(WithoutMnemonic(TextOf(h)).c_str(), caption.c_str()) == 0) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), BN_CLICKED), reinterpret_cast<LPARAM>(h));
            return true;
        }
    }
    return false;
}

inline void CancelFileDialog(HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// UTF-8 text as UTF-16.
inline std::wstring WideOf(const std::string &text)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                                        &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

// The file dialog's name field, and the edit control into which a user
// types it (a combo box, extended or not, holds its edit below it);
// nullptr when the dialog has none.
inline HWND FileNameField(HWND dialog, bool edit)
{
    HWND field = GetDlgItem(dialog, 0x47c);
    if (!field)
        field = GetDlgItem(dialog, 0x480);
    while (edit && field && ClassOf(field) != "Edit") {
        HWND inner = FindWindowExA(field, nullptr, nullptr, nullptr);
        if (!inner)
            break;
        field = inner;
    }
    return field;
}

// Puts name (UTF-8) into the file dialog's name field and presses OK:
// keyed in one key at a time (so the field keeps only what it takes, as
// for a user typing) or set whole; false when the dialog has no name field.
inline bool EnterFileName(HWND dialog, const std::string &name, bool keyed)
{
    HWND field = FileNameField(dialog, keyed);
    if (!field)
        return false;
    const std::wstring wide = WideOf(name);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(keyed ? L"" : wide.c_str()), SMTO_NORMAL,
                        kSendTimeout, &result);
    if (keyed)
        for (wchar_t ch : wide)
            SendMessageTimeoutW(field, WM_CHAR, ch, 1, SMTO_NORMAL, kSendTimeout, &result);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return true;
}

// Sets name (UTF-8) as the file dialog's name and presses OK.
inline bool ChooseFileName(HWND dialog, const std::string &name) { return EnterFileName(dialog, name, false); }

// A question the dialog itself asks (a box it owns) is up.
inline bool DialogQuestionUp(DWORD pid, HWND dialog)
{
    for (HWND d : Dialogs(pid))
        if (d != dialog && GetWindow(d, GW_OWNER) == dialog)
            return true;
    return false;
}

// A window a user can reach: visible, and it and every window above it
// enabled (a window under a modal box is not).
inline bool CanReach(HWND window)
{
    if (!IsWindowVisible(window))
        return false;
    for (HWND w = window; w && w != GetDesktopWindow(); w = GetAncestor(w, GA_PARENT))
        if (!IsWindowEnabled(w))
            return false;
    return true;
}

// The state of item tag in window's menu bar as the program answers it
// (gui_test_protocol.h): MF_ bits, -1 for no such item, -2 for a window
// that does not answer (or did not in time).
inline long MenuState(HWND window, long tag)
{
    static const UINT message = RegisterWindowMessageA(TRAZ_GUI_TEST_MENU_STATE);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, static_cast<WPARAM>(tag), 0, SMTO_NORMAL, kSendTimeout, &result))
        return -2;
    const long state = static_cast<long>(static_cast<int>(result));
    if (state == -1)
        return -1;
    return (state & TRAZ_GUI_TEST_ANSWERED) ? (state & ~TRAZ_GUI_TEST_ANSWERED) : -2;
}

// Ends a started program that still runs and lets its handle go.
inline void EndProcess(HANDLE *process)
{
    if (!*process)
        return;
    if (WaitForSingleObject(*process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(*process, 99);
        WaitForSingleObject(*process, 5000);
    }
    CloseHandle(*process);
    *process = nullptr;
}

// Every window of a process with its controls (class, text through
// quoted, hidden and disabled marks), one a line, for failure reports.
inline std::string DescribeWindows(DWORD pid, std::string (*quoted)(const std::string &))
{
    std::string out;
    char indent[64];
    for (HWND top : TopLevels(pid)) {
        out += "window " + quoted(TextOf(top)) + " class " + ClassOf(top) + (IsWindowVisible(top) ? "" : " (hidden)") +
               "\n";
        for (HWND h : Descendants(top)) {
            int depth = 0;
            for (HWND p = GetParent(h); p && p != top; p = GetParent(p))
                ++depth;
            std::snprintf(indent, sizeof indent, "  %*sid %d ", depth * 2, "", GetDlgCtrlID(h));
            out += indent + ClassOf(h) + " " + quoted(TextOf(h)) + (IsWindowVisible(h) ? "" : " hidden") +
                   (IsWindowEnabled(h) ? "" : " disabled") + "\n";
        }
    }
    return out;
}

}  // namespace window_answers
