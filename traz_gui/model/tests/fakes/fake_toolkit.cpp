// Fake of the toolkit's front layer for the scenario model's tests: message
// boxes are recorded and answered from scripts, the file-system functions
// work on the real file system, and windows and controls are records without
// a screen (fixed text widths, rectangles kept as given).
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "fake_state.h"
#include "ruv.h"

namespace fs = std::filesystem;

namespace fakes {

std::string FormatV(const char *format, va_list args)
{
    if (!format)
        return "";
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0)
        return "";
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, args);
    text.resize(static_cast<size_t>(n));
    return text;
}

std::string Format(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    return text;
}

namespace {

// --- Windows. ---
struct FakeWindow {
    int32_t type = 0;
    RUV_RECT rect = {0, 0, 0, 0};
    std::string title;
    RUV_WIN parent = NULL_WIN;
    int32_t controlId = 0;
    bool control = false;
};

std::map<RUV_WIN, std::unique_ptr<FakeWindow>> &Windows()
{
    static std::map<RUV_WIN, std::unique_ptr<FakeWindow>> windows;
    return windows;
}

RUV_WIN NewWindow(int32_t type, const RUV_RECT *rect, const char *title, RUV_WIN parent,
                  bool control, int32_t id)
{
    auto w = std::make_unique<FakeWindow>();
    w->type = type;
    if (rect)
        w->rect = *rect;
    w->title = title ? title : "";
    w->parent = parent;
    w->control = control;
    w->controlId = id;
    RUV_WIN handle = reinterpret_cast<RUV_WIN>(w.get());
    Windows()[handle] = std::move(w);
    return handle;
}

FakeWindow *Find(RUV_WIN handle)
{
    auto it = Windows().find(handle);
    return it == Windows().end() ? nullptr : it->second.get();
}

void DestroyTree(RUV_WIN handle)
{
    std::vector<RUV_WIN> children;
    for (auto &entry : Windows())
        if (entry.second->parent == handle)
            children.push_back(entry.first);
    for (RUV_WIN child : children)
        DestroyTree(child);
    Windows().erase(handle);
}

// Top-left corner of a window's client area in screen coordinates.
RUV_POINT ScreenOrigin(RUV_WIN handle)
{
    RUV_POINT p = {0, 0};
    for (FakeWindow *w = Find(handle); w; w = Find(w->parent)) {
        p.v = static_cast<int16_t>(p.v + w->rect.top);
        p.h = static_cast<int16_t>(p.h + w->rect.left);
    }
    return p;
}

std::map<int32_t, intptr_t> &Attributes()
{
    static std::map<int32_t, intptr_t> attributes;
    return attributes;
}

// --- File system. ---
char Separator()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

bool IsSep(char c) { return c == '/' || c == '\\'; }

std::string Native(std::string text)
{
    for (char &c : text)
        if (IsSep(c))
            c = Separator();
    return text;
}

bool CopyText(const std::string &text, char *out, size_t size)
{
    if (!out || size == 0 || text.size() >= size)
        return false;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

RUV_FILE_DIR g_savedDir = {{0}};

std::string SpecPath(const RUV_FILE_SPEC *spec)
{
    std::string dir = spec->dir.path;
    if (!dir.empty() && !IsSep(dir.back()))
        dir += Separator();
    return Native(dir + spec->name);
}

} // namespace

void ResetAttributes()
{
    auto &a = Attributes();
    const std::pair<int32_t, intptr_t> defaults[] = {
        {301, reinterpret_cast<intptr_t>(TaskWindow())}, {400, 768}, {401, 1024}, {501, 4}, {506, 20}};
    // A map of just these attributes keeps its entries and takes the values.
    bool same = a.size() == std::size(defaults);
    for (const auto &d : defaults)
        same = same && a.count(d.first) == 1;
    if (!same)
        a.clear();
    for (const auto &d : defaults)
        a[d.first] = d.second;
}

void SetAttribute(int32_t key, intptr_t value) { Attributes()[key] = value; }

RUV_WIN TaskWindow()
{
    static RUV_WIN task = NewWindow(5, nullptr, "Quarnex", NULL_WIN, false, 0);
    return task;
}

RUV_WIN CreateTestWindow(const RUV_RECT &rect)
{
    return NewWindow(2, &rect, "", TaskWindow(), false, 0);
}

RUV_RECT WindowRect(RUV_WIN window)
{
    FakeWindow *w = Find(window);
    return w ? w->rect : RUV_RECT{0, 0, 0, 0};
}

std::string WindowTitle(RUV_WIN window)
{
    FakeWindow *w = Find(window);
    return w ? w->title : std::string();
}

void SetWindowTitle(RUV_WIN window, const std::string &title)
{
    if (FakeWindow *w = Find(window))
        w->title = title;
}

int LiveWindowCount() { return static_cast<int>(Windows().size()); }

void SetTextWidthPerChar(int pixels) { S().textWidthPerChar = pixels; }

} // namespace fakes

using fakes::Format;
using fakes::FormatV;

extern "C" {

int ruv_dm_post_ask(const char *button1, const char *button2, const char *button3,
                    const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    std::string buttons = std::string(button1 ? button1 : "") + "/" + (button2 ? button2 : "");
    if (button3)
        buttons += std::string("/") + button3;
    fakes::Record("ask", text + " [" + buttons + "]");
    return fakes::NextAskAnswer();
}

void ruv_dm_post_message(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    fakes::Record("message", FormatV(format, args));
    va_end(args);
}

void ruv_dm_post_note(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    fakes::Record("note", FormatV(format, args));
    va_end(args);
}

void ruv_dm_post_error(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    fakes::Record("error", FormatV(format, args));
    va_end(args);
}

RUV_BOOL ruv_fsys_get_dir(RUV_FILE_DIR *dir)
{
    if (!dir)
        return FALSE;
#ifndef _WIN32
    // The system's name of the directory, taken without a copy on the way
    // (the reader and the writer ask for it many times a file).
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) == nullptr)
        return FALSE;
    const size_t length = std::strlen(cwd);
    if (length >= sizeof dir->path)
        return FALSE;
    std::memcpy(dir->path, cwd, length + 1);
    return TRUE;
#else
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return !ec && fakes::CopyText(cwd.string(), dir->path, sizeof dir->path) ? TRUE : FALSE;
#endif
}

RUV_BOOL ruv_fsys_set_dir(const RUV_FILE_DIR *dir)
{
    if (!dir || !dir->path[0])
        return FALSE;
#ifndef _WIN32
    // A name written with the system's separators goes to the system as it is.
    if (std::strchr(dir->path, '\\') == nullptr)
        return chdir(dir->path) == 0 ? TRUE : FALSE;
#endif
    std::error_code ec;
    fs::current_path(fakes::Native(dir->path), ec);
    return ec ? FALSE : TRUE;
}

void ruv_fsys_save_dir(void)
{
    ruv_fsys_get_dir(&fakes::g_savedDir);
}

void ruv_fsys_restore_dir(void)
{
    ruv_fsys_set_dir(&fakes::g_savedDir);
}

RUV_BOOL ruv_fsys_convert_dir_to_str(const RUV_FILE_DIR *dir, char *text, int32_t size)
{
    if (!dir || !text || size <= 0)
        return FALSE;
    return fakes::CopyText(dir->path, text, static_cast<size_t>(size)) ? TRUE : FALSE;
}

RUV_BOOL ruv_fsys_convert_str_to_dir(const char *text, RUV_FILE_DIR *dir)
{
    if (!text || !dir || !*text)
        return FALSE;
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(fakes::Native(text)), ec);
    if (ec)
        return FALSE;
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && fakes::IsSep(s.back()) && !(s.size() == 3 && s[1] == ':'))
        s.pop_back();
    return fakes::CopyText(s, dir->path, sizeof dir->path) ? TRUE : FALSE;
}

RUV_BOOL ruv_fsys_parse_pathname(const char *path, char *volume, char *directory, char *name,
                                 char *extension, char *version)
{
    if (!path)
        return FALSE;
    std::string p = path;
    std::string vol;
    if (p.size() >= 2 && p[1] == ':') {
        vol = p.substr(0, 2);
        p = p.substr(2);
    }
    const size_t sep = p.find_last_of("/\\");
    std::string dir, leaf;
    if (sep == std::string::npos) {
        leaf = p;
    } else {
        dir = sep == 0 ? p.substr(0, 1) : p.substr(0, sep);
        leaf = p.substr(sep + 1);
    }
    std::string base = leaf, ext;
    const size_t dot = leaf.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        base = leaf.substr(0, dot);
        ext = leaf.substr(dot + 1);
    }
    const size_t size = RUV_FILE_DIR_SIZE;
    if ((volume && !fakes::CopyText(vol, volume, size)) ||
        (directory && !fakes::CopyText(dir, directory, size)) ||
        (name && !fakes::CopyText(base, name, size)) ||
        (extension && !fakes::CopyText(ext, extension, size)))
        return FALSE;
    if (version)
        version[0] = '\0';
    return TRUE;
}

RUV_BOOL ruv_fsys_build_pathname(char *path, const char *volume, const char *directory,
                                 const char *name, const char *extension, const char *)
{
    if (!path)
        return FALSE;
    std::string p = volume ? volume : "";
    const std::string dir = directory ? directory : "";
    p += dir;
    if (!dir.empty() && !fakes::IsSep(dir.back()))
        p += fakes::Separator();
    p += name ? name : "";
    if (extension && *extension)
        p += std::string(".") + extension;
    return fakes::CopyText(p, path, RUV_FILE_DIR_SIZE) ? TRUE : FALSE;
}

intptr_t ruv_fsys_get_file_attr(const RUV_FILE_SPEC *spec, int32_t attribute)
{
    if (!spec)
        return -1;
    if (!spec->name[0])
        return 0;
    const std::string path = fakes::SpecPath(spec);
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    const bool exists = !ec && fs::exists(st);
    switch (attribute) {
    case 1:
        return exists ? 1 : 0;
    case 2: {
        if (!exists)
            return 0;
        FILE *f = std::fopen(path.c_str(), "rb");
        if (!f)
            return 0;
        std::fclose(f);
        return 1;
    }
    case 3:
        return exists && (st.permissions() & fs::perms::owner_write) != fs::perms::none ? 1 : 0;
    case 5:
        return exists && fs::is_directory(st) ? 1 : 0;
    case 7: {
        if (!exists || !fs::is_regular_file(st))
            return 0;
        const auto size = fs::file_size(path, ec);
        return ec ? 0 : static_cast<int32_t>(size);
    }
    default:
        return 0;
    }
}

int ruv_str_compare_ignoring_case(const char *a, const char *b)
{
    if (!a || !b)
        return -1;
    for (;; ++a, ++b) {
        const int ca = std::tolower(static_cast<unsigned char>(*a));
        const int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (!ca)
            return 0;
    }
}

char *ruv_str_find_token(const char *string, const char *separators, int32_t *length)
{
    if (!string || !separators)
        return nullptr;
    const char *p = string + std::strspn(string, separators);
    if (!*p)
        return nullptr;
    if (length)
        *length = static_cast<int32_t>(std::strcspn(p, separators));
    return const_cast<char *>(p);
}

void ruv_menu_set_item_enabled(RUV_WIN, int32_t tag, RUV_BOOL enabled)
{
    fakes::LogCall(Format("ruv_menu_set_item_enabled %d %d", tag, enabled ? 1 : 0));
}

void ruv_menu_update(RUV_WIN)
{
    fakes::LogCall("ruv_menu_update");
}

RUV_WIN ruv_win_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t,
                       RUV_WIN parent, int32_t, int32_t, RUV_EVENT_HANDLER handler, void *)
{
    if (!handler || (type != 1 && type != 2 && type != 3 && type != 7 && type != 9))
        return NULL_WIN;
    return fakes::NewWindow(type, rect, title, parent, false, 0);
}

RUV_WIN ruv_ctl_create(int32_t type, const RUV_RECT *rect, const char *title, RUV_WIN parent,
                       int32_t, void *, int32_t controlId)
{
    if (!rect || !fakes::Find(parent))
        return NULL_WIN;
    return fakes::NewWindow(type, rect, title, parent, true, controlId);
}

RUV_WIN ruv_win_get_ctl(RUV_WIN window, int32_t controlId)
{
    for (auto &entry : fakes::Windows())
        if (entry.second->control && entry.second->parent == window &&
            entry.second->controlId == controlId)
            return entry.first;
    return NULL_WIN;
}

intptr_t ruv_vobj_get_attr(RUV_WIN, int32_t key)
{
    if (fakes::Attributes().empty())
        fakes::ResetAttributes();
    auto it = fakes::Attributes().find(key);
    return it == fakes::Attributes().end() ? 0 : it->second;
}

RUV_RECT *ruv_vobj_get_client_rect(RUV_WIN window, RUV_RECT *rect)
{
    if (!rect)
        return nullptr;
    const RUV_RECT r = fakes::WindowRect(window);
    rect->top = 0;
    rect->left = 0;
    rect->bottom = static_cast<int16_t>(r.bottom - r.top);
    rect->right = static_cast<int16_t>(r.right - r.left);
    return rect;
}

RUV_WIN ruv_vobj_get_parent(RUV_WIN window)
{
    fakes::FakeWindow *w = fakes::Find(window);
    return w ? w->parent : NULL_WIN;
}

void ruv_vobj_translate_points(RUV_WIN from, RUV_WIN to, RUV_POINT *points, int32_t count)
{
    if (!points)
        return;
    const RUV_POINT a = fakes::ScreenOrigin(from);
    const RUV_POINT b = fakes::ScreenOrigin(to);
    for (int32_t i = 0; i < count; ++i) {
        points[i].v = static_cast<int16_t>(points[i].v + a.v - b.v);
        points[i].h = static_cast<int16_t>(points[i].h + a.h - b.h);
    }
}

void ruv_vobj_move(RUV_WIN window, const RUV_RECT *rect)
{
    fakes::FakeWindow *w = fakes::Find(window);
    if (w && rect)
        w->rect = *rect;
}

void ruv_vobj_destroy(RUV_WIN window)
{
    if (fakes::Find(window))
        fakes::DestroyTree(window);
}

void ruv_dwin_invalidate_rect(RUV_WIN, const RUV_RECT *)
{
    fakes::LogCall("ruv_dwin_invalidate_rect");
}

int32_t ruv_dwin_get_text_width(RUV_WIN window, const char *text, int32_t length)
{
    if (!text || !fakes::Find(window))
        return -1;
    const size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    return static_cast<int32_t>(n) * fakes::S().textWidthPerChar;
}

void ruv_rect_set(RUV_RECT *rect, int16_t left, int16_t top, int16_t right, int16_t bottom)
{
    if (!rect)
        return;
    rect->left = left;
    rect->top = top;
    rect->right = right;
    rect->bottom = bottom;
}

RUV_BOOL ruv_rect_set_pos(RUV_RECT *rect, RUV_POINT point)
{
    if (!rect)
        return FALSE;
    const int16_t h = static_cast<int16_t>(rect->bottom - rect->top);
    const int16_t w = static_cast<int16_t>(rect->right - rect->left);
    rect->top = point.v;
    rect->left = point.h;
    rect->bottom = static_cast<int16_t>(point.v + h);
    rect->right = static_cast<int16_t>(point.h + w);
    return TRUE;
}

RUV_BOOL ruv_rect_set_height(RUV_RECT *rect, int16_t height)
{
    if (!rect)
        return FALSE;
    rect->bottom = static_cast<int16_t>(rect->top + height);
    return TRUE;
}

} // extern "C"
