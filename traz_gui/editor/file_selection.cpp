// File selection of the general pages: the toolkit's open and save dialogs
// over a file specification, with '/' separators in what they give back.
#include "file_selection.h"

#include <cstdio>
#include <cstring>

#include "dialog_controls.h"

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
    const int32_t result = mode ? ruv_dm_post_file_open(spec, prompt) : ruv_dm_post_file_save(spec, prompt);
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
