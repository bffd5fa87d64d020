// The editor's help: a hook in front of every event of the application
// that opens the help file only when help is first asked for (F1 or a help
// menu command), and the help associations that windows record before the
// file is open, handed to the help library once it is.
#include <cstring>

#include "editor_shell.h"
#include "ruv_help.h"
#include "ruvv_attr.h"

namespace {

struct HelpAssociation {
    RUV_WIN window;     // none = free entry
    int32_t idOrTag;    // control id or menu tag
    int32_t topic;
    int32_t kind;       // 1 window, 2 control of the window, 3 menu item of the window
};

constexpr int32_t kGrowBy = 50;

RUV_HELP_INFO *g_helpFile = nullptr;
HelpAssociation *g_recorded = nullptr;
int32_t g_capacity = 0;
int32_t g_freeIndex = -1;

void ReleaseRecorded()
{
    if (g_recorded)
        ruv_mem_free(g_recorded);
    g_recorded = nullptr;
    g_capacity = 0;
    g_freeIndex = -1;
}

bool Grow()
{
    const int32_t capacity = g_capacity + kGrowBy;
    void *block = ruv_mem_realloc(g_recorded, sizeof(HelpAssociation) * static_cast<size_t>(capacity));
    if (!block)
        return false;
    g_recorded = static_cast<HelpAssociation *>(block);
    for (int32_t i = g_capacity; i < capacity; ++i)
        g_recorded[i] = HelpAssociation{NULL_WIN, 0, 0, 0};
    g_freeIndex = g_capacity;
    g_capacity = capacity;
    return true;
}

RUV_BOOL Process(void *info, RUV_WIN window, RUV_EVENT *event)
{
    RUV_HELP_INFO *help = info ? static_cast<RUV_HELP_INFO *>(info) : g_helpFile;
    return ruv_help_process_event(help, window, event) ? FALSE : TRUE;
}

bool AsksForHelp(const RUV_EVENT *event)
{
    if (event->type == E_HELP)
        return true;
    return event->type == E_COMMAND && event->v.command.tag >= RUV_HELP_MENU_FIRST &&
           event->v.command.tag <= RUV_HELP_MENU_LAST;
}

}  // namespace

void InstallHelpHook(void)
{
    ruv_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_HOOK, reinterpret_cast<intptr_t>(&HelpEventHook));
}

RUV_BOOL HelpEventHook(void *helpInfo, RUV_WIN window, RUV_EVENT *event)
{
    if (g_helpFile)
        return Process(helpInfo, window, event);
    // A help request the main window routes on has been asked for already.
    if (!AsksForHelp(event) || MainWindowIsRouting())
        return TRUE;
    OpenHelpFile();
    if (!g_helpFile)
        return TRUE;
    // The associations recorded so far now reach the help library.
    HelpAssociation *recorded = g_recorded;
    const int32_t capacity = g_capacity;
    g_recorded = nullptr;
    g_capacity = 0;
    g_freeIndex = -1;
    for (int32_t i = 0; i < capacity; ++i)
        if (recorded[i].window != NULL_WIN)
            HelpRecordAssociation(recorded[i].window, recorded[i].idOrTag, recorded[i].topic, recorded[i].kind);
    if (recorded)
        ruv_mem_free(recorded);
    return Process(nullptr, window, event);
}

void OpenHelpFile(void)
{
    if (g_helpFile)
        return;
    RUV_FILE_SPEC spec;
    std::memset(&spec, 0, sizeof spec);
    ruv_fsys_get_default_dir(&spec.dir);
    ruv_str_copy(spec.name, "traz_gui");
    g_helpFile = ruv_help_open_helpfile(&spec, 0);
    while (!g_helpFile) {
        if (ruv_dm_post_file_open(&spec, "Please Find and Open help file...") != 2)
            return;
        if (!ruv_fsys_get_file_attr(&spec, 2)) {
            ruv_dm_post_error("%s", "Help file is unreadable, please choose another.");
            continue;
        }
        if (ruv_fsys_get_file_attr(&spec, 5)) {
            ruv_dm_post_error("%s", "Invalid help file, please choose another.");
            continue;
        }
        if (spec.name[0]) {
            g_helpFile = ruv_help_open_helpfile(&spec, 0);
            if (!g_helpFile)
                ruv_dm_post_note("%s", "Invalid help file, please choose another.");
        }
    }
}

RUV_HELP_INFO *GetHelpFile(void)
{
    OpenHelpFile();
    return g_helpFile;
}

void CloseHelp(void)
{
    ReleaseRecorded();
    if (g_helpFile) {
        ruv_help_close_helpfile(g_helpFile);
        g_helpFile = nullptr;
    }
}

void HelpRecordAssociation(RUV_WIN window, int32_t idOrTag, int32_t topic, int32_t kind)
{
    if (g_helpFile) {
        switch (kind) {
        case 1:
            ruv_help_set_win_assoc(g_helpFile, window, topic, 0);
            break;
        case 2: {
            const RUV_WIN control = ruv_win_get_ctl(window, idOrTag);
            if (control)
                ruv_help_set_win_assoc(g_helpFile, control, topic, 0);
            break;
        }
        case 3:
            ruv_help_set_menu_assoc(g_helpFile, window, idOrTag, topic, 0);
            break;
        default:
            break;
        }
        return;
    }
    if (g_freeIndex == -1 && !Grow())
        return;
    const int32_t stored = g_freeIndex;
    g_recorded[stored] = HelpAssociation{window, idOrTag, topic, kind};
    g_freeIndex = -1;
    for (int32_t i = stored + 1; i < g_capacity && g_freeIndex == -1; ++i)
        if (g_recorded[i].window == NULL_WIN)
            g_freeIndex = i;
    for (int32_t i = 0; i < stored && g_freeIndex == -1; ++i)
        if (g_recorded[i].window == NULL_WIN)
            g_freeIndex = i;
}

void HelpRemoveWindow(RUV_WIN window)
{
    if (g_helpFile || window == NULL_WIN)
        return;
    for (int32_t i = 0; i < g_capacity; ++i)
        if (g_recorded[i].window == window) {
            g_recorded[i].window = NULL_WIN;
            g_freeIndex = i;
        }
}

int32_t HelpRecordedCapacity(void) { return g_capacity; }
int32_t HelpRecordedFreeIndex(void) { return g_freeIndex; }
