// The native window classes of the toolkit: the class table of the
// application record, class names, registration on first use (document
// kinds one class per icon id), unregistration at the end, and the class
// kind of a new window.

#include <cstdio>
#include <cstring>

#include "kernel_app.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "startup.h"
#include "window_create.h"
#include "window_procs.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_UNLISTED_KIND = 0x3485FD;
constexpr RUV_ERRMSG_ID ERR_ICON_LIST_FULL = 0x3485FE;
constexpr RUV_ERRMSG_ID ERR_ICON_MISSING = 0x3485FF;

constexpr int32_t ATTR_CLASS_HOOK = 10016;
constexpr int32_t ATTR_DRAWTASK_WORKSPACE = 10025;

typedef void (*ClassHook)(WNDCLASSA *cls);

// Every class registered in this process, unregistered at the end.
constexpr int MAX_REGISTERED = 2 * RUVK_ICON_LIST_MAX + RUVK_CLASS_COUNT + 8;
char g_registered[MAX_REGISTERED][96];
int g_registered_count = 0;

RUVK_WNDPROC dialog_proc()
{
    return reinterpret_cast<RUVK_WNDPROC>(reinterpret_cast<void *>(&ruvk_proc_dialog));
}

RUV_WIN_CLASS *entry_of(RUV_APP_RECORD *app, uint32_t kind)
{
    for (RUV_WIN_CLASS &c : app->classes)
        if (c.suffix && static_cast<uint32_t>(c.kind) == kind)
            return &c;
    return nullptr;
}

bool uses_icon_list(uint32_t kind)
{
    return kind == RUVK_KIND_DETDOC || kind == RUVK_KIND_DOC || kind == RUVK_KIND_MDIDOC;
}

// The application name that class names begin with.
const char *class_app_name(RUV_APP_RECORD *app)
{
    auto *config = reinterpret_cast<const RUV_APP_CONFIG *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_APP_CONFIG));
    if (config && config->app_name)
        return config->app_name;
    return app->app_name;
}

// The count of a list shared by two kinds lives with the document entry.
int32_t *list_count(RUV_APP_RECORD *app, RUV_WIN_CLASS *c)
{
    if (c->kind == static_cast<int32_t>(RUVK_KIND_MDIDOC))
        if (RUV_WIN_CLASS *doc = entry_of(app, RUVK_KIND_DOC))
            return &doc->count;
    return &c->count;
}

bool do_register(RUV_APP_RECORD *app, RUV_WIN_CLASS *c, uint32_t kind, int32_t icon_id, const char *name)
{
    WNDCLASSA cls;
    std::memset(&cls, 0, sizeof cls);
    if ((kind & RUVK_KIND_MDITASK) ||
        (kind == RUVK_KIND_DRAWTASK && static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, ATTR_DRAWTASK_WORKSPACE))))
        cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_APPWORKSPACE + 1));
    cls.hInstance = app->instance;
    if (icon_id != 0) {
        cls.hIcon = LoadIconA(app->res_instance, MAKEINTRESOURCEA(icon_id));
        // A missing icon is worth a warning; the class goes without one.
        if (!cls.hIcon)
            RUV_ERR(nullptr, RUV_SEV_WARNING, ERR_ICON_MISSING);
    }
    cls.hCursor = nullptr;
    cls.style = (kind & RUVK_KIND_UTIL) ? CS_OWNDC : CS_DBLCLKS;
    cls.lpfnWndProc = c->proc;
    cls.lpszClassName = name;
    if (auto hook = reinterpret_cast<ClassHook>(ruvk_vobj_get_attr(NULL_WIN, ATTR_CLASS_HOOK))) {
        ruv::ErrFrame frame;
        hook(&cls);
    }
    if (!RegisterClassA(&cls) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    if (g_registered_count < MAX_REGISTERED) {
        std::snprintf(g_registered[g_registered_count], sizeof g_registered[0], "%s", name);
        ++g_registered_count;
    }
    return true;
}

} // namespace

extern "C" {

void ruvk_class_table_init(RUV_APP_RECORD *app)
{
    struct Row {
        uint32_t kind;
        const char *suffix;
        RUVK_WNDPROC proc;
        int16_t *icons;
    };
    const Row rows[RUVK_CLASS_COUNT] = {
        { RUVK_KIND_MDIDOC, "mdidoc", ruvk_proc_mdidoc, app->icons_doc },
        { RUVK_KIND_MDITASK, "mditask", ruvk_proc_mditask, nullptr },
        { RUVK_KIND_TASK, "task", ruvk_proc_task, nullptr },
        { RUVK_KIND_DRAWTASK, "drawtask", ruvk_proc_drawtask, nullptr },
        { RUVK_KIND_DETDOC, "detdoc", ruvk_proc_detdoc, app->icons_detdoc },
        { RUVK_KIND_WIALOG, "wialog", ruvk_proc_detdoc, nullptr },
        { RUVK_KIND_DOC, "doc", ruvk_proc_doc, app->icons_doc },
        { RUVK_KIND_CHILD, "child", ruvk_proc_child, nullptr },
        { RUVK_KIND_MDIFRMCHILD, "mdifrmchild", ruvk_proc_mdifrmchild, nullptr },
        { RUVK_KIND_DIALOG, "dialog", dialog_proc(), nullptr },
        { RUVK_KIND_UTIL, "util", ruvk_proc_util, nullptr },
    };
    for (int i = 0; i < RUVK_CLASS_COUNT; ++i) {
        app->classes[i].kind = static_cast<int32_t>(rows[i].kind);
        app->classes[i].suffix = rows[i].suffix;
        app->classes[i].proc = rows[i].proc;
        app->classes[i].icons = rows[i].icons;
        app->classes[i].count = 0;
    }
    std::memset(app->icons_doc, 0, sizeof app->icons_doc);
    std::memset(app->icons_detdoc, 0, sizeof app->icons_detdoc);
}

void ruvk_class_table_term(RUV_APP_RECORD *app)
{
    HINSTANCE instance = app ? app->instance : GetModuleHandleA(nullptr);
    for (int i = 0; i < g_registered_count; ++i)
        UnregisterClassA(g_registered[i], instance);
    g_registered_count = 0;
    if (app) {
        for (RUV_WIN_CLASS &c : app->classes)
            c.count = 0;
        std::memset(app->icons_doc, 0, sizeof app->icons_doc);
        std::memset(app->icons_detdoc, 0, sizeof app->icons_detdoc);
    }
}

RUV_BOOL ruvk_class_register(uint32_t kind, int32_t icon_id, char *name, int32_t size)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    RUV_WIN_CLASS *c = app ? entry_of(app, kind) : nullptr;
    if (!c) {
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_UNLISTED_KIND);
        return 0;
    }
    bool needed;
    int32_t *count = list_count(app, c);
    if (uses_icon_list(kind) && c->icons) {
        needed = true;
        for (int32_t i = 0; i < *count; ++i)
            if (c->icons[i] == icon_id)
                needed = false;
        if (needed && *count >= RUVK_ICON_LIST_MAX) {
            RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_ICON_LIST_FULL);
            return 0;
        }
    } else {
        needed = *count == 0;
    }
    char buf[96];
    std::snprintf(buf, sizeof buf, "x%s%d%d%d%s%d", class_app_name(app), 13, 1, 0, c->suffix, icon_id);
    if (name && size > 0)
        std::snprintf(name, static_cast<size_t>(size), "%s", buf);
    if (!needed)
        return 1;
    if (!do_register(app, c, kind, icon_id, buf))
        return 0;
    if (uses_icon_list(kind) && c->icons)
        c->icons[(*count)++] = static_cast<int16_t>(icon_id);
    else
        *count = 1;
    return 1;
}

uint32_t ruvk_class_kind_for(int32_t type, RUV_WIN parent)
{
    if (type == RUVK_W_TASK) {
        if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_DRAWABLE_TASK_WINDOW)))
            return RUVK_KIND_DRAWTASK;
        if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI)))
            return RUVK_KIND_MDITASK;
        return RUVK_KIND_TASK;
    }
    if (type == RUVK_W_MODAL)
        return RUVK_KIND_WIALOG;
    if (!parent || parent->tag != RUV_VOBJ_TAG)
        return 0;
    switch (parent->kind) {
    case RUVK_KIND_TASK:
    case RUVK_KIND_DRAWTASK:
        return RUVK_KIND_DOC;
    case RUVK_KIND_DETDOC:
    case RUVK_KIND_DOC:
    case RUVK_KIND_CHILD:
    case RUVK_KIND_DOCLIKE:
    case RUVK_KIND_WIALOG:
    case RUVK_KIND_PAGE_CHILD:
    case RUVK_KIND_MDIDOC:
        return RUVK_KIND_CHILD;
    case RUVK_KIND_SCREEN:
    case RUVK_KIND_NOWIN_TASK:
        return RUVK_KIND_DETDOC;
    case RUVK_KIND_MDIFRMCHILD:
    case RUVK_KIND_MDIFRAME_OBJ:
        return RUVK_KIND_MDIFRMCHILD;
    case RUVK_KIND_MDITASK:
        return RUVK_KIND_MDIDOC;
    default:
        return 0;
    }
}

} // extern "C"
