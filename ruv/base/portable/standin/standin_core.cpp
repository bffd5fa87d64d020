// Kernel stand-in, core families: per-process static storage, the
// application's running state, toolkit attributes (through the portable
// attribute table), view-object titles and destruction, the standard boxes
// and the current and start-up directories.  It keeps what the portable
// layer asked for, so tests can look at it.

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>
#ifdef _WIN32
#include <direct.h>
#define getcwd _getcwd
#define chdir _chdir
#else
#include <unistd.h>
#endif

#include "ruvk.h"
#include "ruvv_event.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "standin_core.h"
#include "standin_drawing.h"

namespace {

// One resolved descriptor of this (single) process.
struct Table {
    RUV_STATIC_DESC *desc;
    void *storage;
};

struct State {
    // Resolved descriptors in the order their blocks became ready: a block
    // whose initialiser uses another block comes after it.
    std::vector<Table *> tables;
    bool running = false;
    int mdi_layouts = 0;
    std::map<std::pair<int32_t, int32_t>, intptr_t> system;
    std::map<int32_t, intptr_t> system_set;
    std::map<RUV_WIN, std::string> titles;
    std::vector<RUV_WIN> destroyed;
    std::vector<standin::Box> boxes;
    std::string startup;
};

State &state()
{
    static State *s = new State;  // outlives every static destructor
    return *s;
}

int32_t post(const char *kind, const char *format, va_list args)
{
    char text[4096];
    std::vsnprintf(text, sizeof text, format, args);
    state().boxes.push_back({ kind, text, ruvv_win_get_help_ctx() });
    return 1;
}

} // namespace

namespace standin {

void end_process()
{
    /* Drawing states hold fonts, which go through the memory hooks. */
    reset_drawing();
    State &s = state();
    std::vector<Table *> snapshot = s.tables;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
        if ((*it)->desc->term && (*it)->storage)
            (*it)->desc->term((*it)->storage);
    // Blocks resolved by a term callback go too.
    while (!s.tables.empty()) {
        Table *t = s.tables.back();
        s.tables.pop_back();
        if (!t->desc->construct)
            std::free(t->storage);
        t->desc->resolved = nullptr;
        delete t;
    }
    s.running = false;
    s.mdi_layouts = 0;
    s.system.clear();
    s.system_set.clear();
    s.titles.clear();
    s.destroyed.clear();
    s.boxes.clear();
    s.startup.clear();
    set_focus(NULL_WIN);
}

void set_running(bool running)
{
    state().running = running;
}

int mdi_layouts()
{
    return state().mdi_layouts;
}

void set_system_value(int32_t key, int32_t arg, intptr_t value)
{
    state().system[{ key, arg }] = value;
}

intptr_t system_value_set(int32_t key)
{
    auto it = state().system_set.find(key);
    return it == state().system_set.end() ? 0 : it->second;
}

void set_title(RUV_WIN win, const std::string &title)
{
    state().titles[win] = title;
}

const std::vector<RUV_WIN> &destroyed()
{
    return state().destroyed;
}

const std::vector<Box> &boxes()
{
    return state().boxes;
}

void clear_boxes()
{
    state().boxes.clear();
}

void set_startup_dir(const std::string &path)
{
    state().startup = path;
}

} // namespace standin

extern "C" {

void *ruvk_static_get_ptr(RUV_STATIC_DESC *desc)
{
    if (!desc)
        return nullptr;
    if (desc->resolved)
        return static_cast<Table *>(desc->resolved)->storage;
    Table *t = new Table{ desc, nullptr };
    // The table is in place before the initialiser runs, so a block that
    // reaches itself while it is made gets itself, not a second copy.
    desc->resolved = t;
    if (desc->construct) {
        t->storage = desc->construct();
    } else {
        t->storage = std::calloc(1, desc->size ? desc->size : 1);
        if (t->storage && desc->init)
            desc->init(t->storage);
    }
    if (!t->storage) {
        desc->resolved = nullptr;
        delete t;
        return nullptr;
    }
    state().tables.push_back(t);
    return t->storage;
}

void *ruvk_static_set_ptr(RUV_STATIC_DESC *desc, void *storage)
{
    if (!desc || !desc->resolved)
        return nullptr;
    Table *t = static_cast<Table *>(desc->resolved);
    void *old = t->storage;
    t->storage = storage;
    return old;
}

void *ruvk_static_alloc(RUV_STATIC_DESC *desc)
{
    if (!desc || !desc->resolved)
        return nullptr;
    return std::calloc(1, desc->size ? desc->size : 1);
}

RUV_BOOL ruvk_app_is_running(void)
{
    return state().running ? TRUE : FALSE;
}

void ruvk_app_layout_mdi_client(void)
{
    ++state().mdi_layouts;
}

intptr_t ruvk_vobj_get_attr(RUV_WIN win, int32_t key)
{
    return ruvv_attr_get(win, key);
}

void ruvk_vobj_set_attr(RUV_WIN win, int32_t key, intptr_t value)
{
    ruvv_attr_set(win, key, value);
}

intptr_t ruvk_attr_get_system(RUV_WIN win, int32_t key, int32_t arg)
{
    auto it = state().system.find({ key, arg });
    return it == state().system.end() ? 0 : it->second;
}

void ruvk_attr_set_system(RUV_WIN win, int32_t key, intptr_t value)
{
    state().system_set[key] = value;
    state().system[{ key, key }] = value;
}

char *ruvk_vobj_get_title(RUV_WIN win, char *buf, int32_t size)
{
    if (!buf || size <= 0)
        return buf;
    auto it = state().titles.find(win);
    std::snprintf(buf, static_cast<size_t>(size), "%s", it == state().titles.end() ? "" : it->second.c_str());
    return buf;
}

void ruvk_vobj_destroy(RUV_WIN win)
{
    state().destroyed.push_back(win);
}

int32_t ruvk_dm_post_error(const char *format, va_list args)
{
    return post("error", format, args);
}

int32_t ruvk_dm_post_warning(const char *format, va_list args)
{
    return post("warning", format, args);
}

int32_t ruvk_dm_post_note(const char *format, va_list args)
{
    return post("note", format, args);
}

RUV_BOOL ruvk_fsys_get_dir(RUV_FILE_DIR *dir)
{
    if (!dir)
        return FALSE;
    if (!getcwd(dir->path, static_cast<int>(sizeof dir->path))) {
        dir->path[0] = '\0';
        return FALSE;
    }
    return TRUE;
}

RUV_BOOL ruvk_fsys_set_dir(const RUV_FILE_DIR *dir)
{
    if (!dir || dir->path[0] == '\0')
        return TRUE;
    return chdir(dir->path) == 0 ? TRUE : FALSE;
}

RUV_BOOL ruvk_fsys_set_dir_startup(void)
{
    State &s = state();
    if (s.startup.empty()) {
        RUV_FILE_DIR cwd;
        if (!ruvk_fsys_get_dir(&cwd)) {
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01540002);
            return FALSE;
        }
        s.startup = cwd.path;
    }
    if (chdir(s.startup.c_str()) != 0) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01540002);
        return FALSE;
    }
    return TRUE;
}

} // extern "C"
