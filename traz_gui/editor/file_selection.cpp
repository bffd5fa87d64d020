// File selection of the general pages: the toolkit's open and save dialogs
// over a file specification, with '/' separators in what they give back.
// The scenario's Open offers its master and input files; every dialog
// refuses a name or folder that the program's (ANSI) file names cannot
// hold, and its name field takes no more than fits with the folder.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include "file_selection.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "dialog_controls.h"
#include "ruvv_attr.h"

namespace {

const char kScenarioFilter[] =
    "Master files (*.mdp)\0*.mdp\0Input files (*.inp)\0*.inp\0All files (*.*)\0*.*\0";

bool g_scenarioFilter = false;

// Characters of the default extension the dialog adds ("." and the type),
// for the dialog shown.
size_t g_extensionLength = 0;

// The name field of the dialog (0 when it has none).
HWND NameField(HWND dialog)
{
    for (int id : {0x47c, 0x480})
        if (HWND field = GetDlgItem(dialog, id))
            return field;
    return nullptr;
}

std::wstring WideText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The name field of the dialog, as the user typed it (wide).
std::wstring TypedName(HWND dialog)
{
    HWND field = NameField(dialog);
    return field ? WideText(field) : std::wstring();
}

// The dialog's folder (wide, as the dialog joins it to a typed name; the
// folder path the dialog answers is in the code page, which would hide
// letters outside it).
std::wstring FolderOf(HWND dialog)
{
    const LRESULT size = SendMessageW(dialog, CDM_GETFOLDERIDLIST, 0, 0);
    if (size <= 0)
        return std::wstring();
    std::vector<BYTE> list(static_cast<size_t>(size));
    SendMessageW(dialog, CDM_GETFOLDERIDLIST, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(list.data()));
    wchar_t folder[MAX_PATH] = L"";
    if (!SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(list.data()), folder))
        return std::wstring();
    return folder;
}

// The name field takes no more than fits the longest path with the folder,
// a separator and the extension the dialog adds: the platform's dialog
// joins them in a buffer of that size, and a longer name overruns it.
void LimitTypedName(HWND dialog)
{
    // The edit of the field: a combo box (extended or not) holds it below.
    HWND field = NameField(dialog);
    for (wchar_t className[16] = L""; field; field = FindWindowExW(field, nullptr, nullptr, nullptr)) {
        GetClassNameW(field, className, 16);
        if (_wcsicmp(className, L"Edit") == 0)
            break;
    }
    if (!field)
        return;
    const long room = static_cast<long>(MAX_PATH) - 1 - static_cast<long>(FolderOf(dialog).size()) - 1 -
                      static_cast<long>(g_extensionLength);
    const WPARAM limit = static_cast<WPARAM>(room > 1 ? room : 1);
    SendMessageW(field, EM_LIMITTEXT, limit, 0);
    // A name typed in a shallower folder is cut to what fits this one.
    std::wstring name = WideText(field);
    if (name.size() > limit) {
        name.resize(limit);
        SetWindowTextW(field, name.c_str());
    }
}

// True when the text has characters outside the ANSI code page.
bool OutsideCodePage(const std::wstring &text)
{
    BOOL lossy = FALSE;
    if (!text.empty())
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lossy);
    return lossy != FALSE;
}

// A name, or a folder, with characters outside the ANSI code page would
// come back from the dialog as another name (letters replaced by
// look-alikes): it is refused while the dialog stays up.
UINT_PTR CALLBACK CheckTypedName(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return 0;
    HWND dialog = GetParent(hook);
    const UINT code = reinterpret_cast<const NMHDR *>(lParam)->code;
    if (code == CDN_INITDONE || code == CDN_FOLDERCHANGE) {
        LimitTypedName(dialog);
        return 0;
    }
    if (code != CDN_FILEOK)
        return 0;
    if (!OutsideCodePage(TypedName(dialog)) && !OutsideCodePage(FolderOf(dialog)))
        return 0;
    MessageBoxA(dialog,
                "The name holds characters that file names of this program cannot hold.\n"
                "Please choose another name.",
                "File name", MB_OK | MB_ICONERROR);
    SetWindowLongPtrW(hook, DWLP_MSGRESULT, 1);
    return 1;
}

void PrepareFileDialog(OPENFILENAMEA *ofn)
{
    if (g_scenarioFilter)
        ofn->lpstrFilter = kScenarioFilter;
    g_extensionLength = ofn->lpstrDefExt && ofn->lpstrDefExt[0] ? 1 + std::strlen(ofn->lpstrDefExt) : 0;
    ofn->Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn->lpfnHook = CheckTypedName;
}

}  // namespace

// Every backslash of the text becomes a slash, in place.
void ToForwardSlashes(char *text)
{
    if (!text)
        return;
    for (; *text; ++text)
        if (*text == '\\')
            *text = '/';
}

// The open (mode != 0) or save dialog with the prompt; on OK the specification
// holds the chosen directory (with slashes) and name, otherwise its name is
// empty (after "Error accessing file !" when the dialog failed).
void SelectFile(const char *fileType, const char *prompt, int mode, RUV_FILE_SPEC *spec)
{
    if (!spec)
        return;
    std::snprintf(spec->type, sizeof spec->type, "%s", fileType ? fileType : "");
    if (!spec->name[0])
        ruv_fsys_get_default_dir(&spec->dir);
    ruv_fsys_save_dir();
    const intptr_t hook = ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_FILE_DIALOG_HOOK);
    ruv_vobj_set_attr(NULL_WIN, RUV_ATTR_FILE_DIALOG_HOOK, reinterpret_cast<intptr_t>(&PrepareFileDialog));
    g_scenarioFilter = mode && spec->type[0] && std::strcmp(spec->type, "mdp") == 0;
    const int32_t result = mode ? ruv_dm_post_file_open(spec, prompt) : ruv_dm_post_file_save(spec, prompt);
    ruv_vobj_set_attr(NULL_WIN, RUV_ATTR_FILE_DIALOG_HOOK, hook);
    ruv_fsys_restore_dir();
    if (result != 2) {
        // A name given in advance must not look chosen after a cancel.
        spec->name[0] = '\0';
        if (result == 0)
            PostErrorF("Error accessing file !");
        return;
    }
    ToForwardSlashes(spec->dir.path);
}
