// File selection of the general pages: the toolkit's open and save dialogs
// over a file specification, with '/' separators in what they give back.
// The scenario's Open offers its master and input files; every dialog
// refuses a name that the program's (ANSI) file names cannot hold.
#include <windows.h>

#include <commdlg.h>

#include "file_selection.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "dialog_controls.h"
#include "ruvv_attr.h"

namespace {

const char kScenarioFilter[] =
    "Master files (*.mdp)\0*.mdp\0Input files (*.inp)\0*.inp\0All files (*.*)\0*.*\0";

bool g_scenarioFilter = false;

// The name field of the dialog, as the user typed it (wide).
std::wstring TypedName(HWND dialog)
{
    for (int id : {0x47c, 0x480}) {
        HWND field = GetDlgItem(dialog, id);
        if (!field)
            continue;
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(field, &text[0], static_cast<int>(text.size()))));
        return text;
    }
    return std::wstring();
}

// A name with characters outside the ANSI code page would come back from
// the dialog as another name (letters replaced by look-alikes): it is
// refused while the dialog stays up.
UINT_PTR CALLBACK CheckTypedName(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY || reinterpret_cast<const NMHDR *>(lParam)->code != CDN_FILEOK)
        return 0;
    HWND dialog = GetParent(hook);
    const std::wstring name = TypedName(dialog);
    BOOL lossy = FALSE;
    if (!name.empty())
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (!lossy)
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
