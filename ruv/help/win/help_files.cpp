// Help files: the per-process flavour record that drives the help engine
// (WinHelp), and opening, closing, showing a topic and searching.  The
// first open of the process installs the library's own event hook when no
// hook is set; later opens never touch the hook or its handle, so once the
// first file is closed that hook passes every event on.
#include <cstring>

#include "help_engine.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_windef.h"
#include "cursor.h"
#include "startup.h"

namespace {

const char kModule[] = "hservs";

struct RUV_HELP_FLAVOR {
    int16_t initialised;
    int16_t open_count;
    char extension[8];
    int32_t id;
    int32_t (*init)(void);
    int32_t (*open)(RUV_HELP_INFO *info);
    int32_t (*close)(RUV_HELP_INFO *info);
    int32_t (*display)(RUV_HELP_INFO *info, int32_t topic);
    int32_t (*search)(RUV_HELP_INFO *info, int32_t topic, const char *key);
};

void zero_flavor(void *block)
{
    std::memset(block, 0, sizeof(RUV_HELP_FLAVOR));
}

RUV_STATIC_BLOCK(g_flavor_desc, RUV_HELP_FLAVOR, zero_flavor, nullptr);

HelpEngineFn g_engine = WinHelpA;

RUV_HELP_FLAVOR *flavor()
{
    return static_cast<RUV_HELP_FLAVOR *>(ruvk_static_get_ptr(&g_flavor_desc));
}

int32_t winhelp_close(RUV_HELP_INFO *info)
{
    g_engine(ruvwi_get_utility_hwnd(), info->path, HELP_QUIT, 0);
    return 0;
}

int32_t winhelp_display(RUV_HELP_INFO *info, int32_t topic)
{
    HWND owner = ruvwi_get_utility_hwnd();
    if (!owner)
        return 0;
    if (topic == RUV_HELP_TOPIC_HELP_ON_HELP)
        g_engine(owner, info->path, HELP_HELPONHELP, 0);
    else if (topic == RUV_HELP_TOPIC_CONTENTS)
        g_engine(owner, info->path, HELP_CONTENTS, 0);
    else
        g_engine(owner, info->path, HELP_CONTEXT, static_cast<ULONG_PTR>(static_cast<uint32_t>(topic)));
    return 0;
}

int32_t winhelp_search(RUV_HELP_INFO *info, int32_t, const char *key)
{
    HWND owner = ruvwi_get_utility_hwnd();
    if (!owner)
        return 0;
    g_engine(owner, info->path, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(key));
    return 0;
}

void init_flavor(RUV_HELP_FLAVOR *f)
{
    std::memset(f, 0, sizeof *f);
    std::strcpy(f->extension, ".hlp");
    f->id = RUV_HELP_FLAVOR_WINHELP;
    f->close = winhelp_close;
    f->display = winhelp_display;
    f->search = winhelp_search;
    if (f->init)
        f->init();
    f->initialised = 1;
}

// The standard help-menu associations (no window) of an open.
struct MenuTopic {
    int32_t tag;
    int32_t topic;
};
const MenuTopic kStandardMenu[] = {
    { 32451, 32020 }, { 32455, 32001 }, { 32462, 32006 }, { 32453, 32022 }, { 32452, 32000 },
    { 32454, 32005 }, { 32457, 32021 }, { 32458, 32023 }, { 32459, 32007 },
};

// Frees everything the record holds, then the record.
void release(RUV_HELP_INFO *info)
{
    ruvv_mem_free(info->path);
    help_free_associations(info);
    ruvv_mem_free(info->entries);
    std::memset(info, 0, sizeof *info);
    info->self = nullptr;
    ruvv_mem_free(info);
}

} // namespace

HelpEngineFn help_set_engine(HelpEngineFn engine)
{
    HelpEngineFn previous = g_engine;
    g_engine = engine ? engine : WinHelpA;
    return previous;
}

extern "C" {

RUV_HELP_INFO *ruvv_help_open_helpfile(const RUV_FILE_SPEC *spec, int32_t flags)
{
    RUV_HELP_FLAVOR *f = flavor();
    if (!f || !spec)
        return nullptr;
    if (!f->initialised)
        init_flavor(f);
    auto *info = static_cast<RUV_HELP_INFO *>(help_zalloc(sizeof(RUV_HELP_INFO), kModule, __LINE__));
    info->self = info;
    info->handle = info;
    info->open_flags = flags;
    const char *path = helpu_find_help_file(spec, f->extension);
    if (!path) {
        release(info);
        return nullptr;
    }
    info->path = help_strdup(path, "hustr", __LINE__);
    if (!help_make_assoc_list(info)) {
        release(info);
        return nullptr;
    }
    char csa[kHelpPathSize];
    if (helpu_change_extension_n(info->path, csa, sizeof csa, ".csa"))
        hassoc_read_csa_file(info, csa);
    if (f->open && !f->open(info)) {
        ruvv_help_close_helpfile(info);
        return nullptr;
    }
    ++f->open_count;
    if (!(flags & RUV_HELP_NO_MENU_ASSOC))
        for (const MenuTopic &m : kStandardMenu)
            ruvv_help_set_menu_assoc(info, NULL_WIN, m.tag, m.topic, 0);
    const intptr_t hook = ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_HELP_HOOK);
    const intptr_t own = reinterpret_cast<intptr_t>(&ruvv_help_helpfile_callback);
    // Only the first open of the process installs the library's hook (when
    // no hook is set); a later open sets neither attribute.
    if (f->open_count == 1 && hook == 0) {
        ruvv_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_HOOK, own);
        ruvv_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_INFO, reinterpret_cast<intptr_t>(info));
    }
    return info;
}

void ruvv_help_close_helpfile(RUV_HELP_INFO *info)
{
    if (!ruvv_help_is_valid_info(info))
        return;
    // The pointer and the cursor must not stay with a closed help file.
    help_end_objclick(info, false);
    ruvv_help_disassoc_all(info, NULL_WIN);
    RUV_HELP_FLAVOR *f = flavor();
    if (f && f->close && info->path)
        f->close(info);
    if (ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_HELP_INFO) == reinterpret_cast<intptr_t>(info))
        ruvv_vobj_set_attr(NULL_WIN, RUV_ATTR_HELP_INFO, 0);
    release(info);
}

void ruvv_help_display_topic(RUV_HELP_INFO *info, int32_t topic)
{
    if (!ruvv_help_is_valid_info(info))
        return;
    ruvk_scr_set_busy_cursor();
    RUV_HELP_FLAVOR *f = flavor();
    if (f && f->display)
        f->display(info, topic);
}

void ruvv_help_search_topic(RUV_HELP_INFO *info, int32_t topic, const char *key)
{
    if (!ruvv_help_is_valid_info(info))
        return;
    ruvk_scr_set_busy_cursor();
    RUV_HELP_FLAVOR *f = flavor();
    if (f && f->search)
        f->search(info, topic, key ? key : "");
}

int32_t ruvv_help_get_flavor(void)
{
    RUV_HELP_FLAVOR *f = flavor();
    return f && f->initialised ? f->id : 0;
}

} // extern "C"
