// Path rules and the search for the help file: the extension rule
// (helpu_change_extension), the join of a directory and a name, the walk
// along a variable's directory list, and the order in which a file
// specification is tried: its own directory, then the bare name, HELP,
// RUVPATH and PATH.  No candidate may outgrow the 256-byte path buffers:
// one that would is skipped.
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "help_private.h"
#include "ruvk.h"
#include "ruvv_mem.h"
#include "ruvv_str.h"

namespace {

// The library-wide path buffer: the result of the last search.
char g_found[kHelpPathSize];

const char *found(const char *path)
{
    std::strncpy(g_found, path, sizeof g_found - 1);
    g_found[sizeof g_found - 1] = '\0';
    return g_found;
}

bool is_separator(char c)
{
    return c == '/' || c == ':' || c == '\\';
}

std::string with_extension(const char *path, const char *ext)
{
    const size_t len = std::strlen(path);
    size_t name = len;
    while (name > 0 && !is_separator(path[name - 1]))
        --name;
    size_t end = len;
    for (size_t i = len; i > name; --i)
        if (path[i - 1] == '.') {
            end = i - 1;
            break;
        }
    std::string dir(path, name);
    if (len <= 2 && len > 0 && is_separator(path[len - 1]))
        dir.clear();
    std::string result = dir;
    if (!dir.empty() && dir.back() != kHelpDirSep)
        result += kHelpDirSep;
    size_t base = name;
    while (base < end && path[base] == kHelpDirSep)
        ++base;
    result.append(path + base, end - base);
    if (ext) {
        if (ext[0] != '.')
            result += '.';
        result += ext;
    }
    return result;
}

} // namespace

bool helpu_change_extension_n(const char *path, char *out, size_t out_size, const char *ext)
{
    const std::string result = with_extension(path, ext);
    if (result.size() + 1 > out_size)
        return false;
    std::memcpy(out, result.c_str(), result.size() + 1);
    return true;
}

extern "C" char *helpu_change_extension(char *path, char *out, const char *ext)
{
    if (!path)
        return out;
    const std::string result = with_extension(path, ext);
    char *target = out ? out : path;
    std::memcpy(target, result.c_str(), result.size() + 1);
    return target;
}

bool helpu_join(const char *dir, size_t dir_len, const char *name, char *out)
{
    const size_t name_len = std::strlen(name);
    if (dir_len + name_len >= 253)
        return false;
    size_t n = 0;
    std::memcpy(out, dir, dir_len);
    n = dir_len;
    if (dir_len > 0 && dir[dir_len - 1] != kHelpDirSep)
        out[n++] = kHelpDirSep;
    while (*name == kHelpDirSep)
        ++name;
    std::strcpy(out + n, name);
    return true;
}

bool helpu_file_exists(const char *path)
{
#ifdef _WIN32
    struct _stat64i32 st;
    return _stat64i32(path, &st) == 0;
#else
    struct stat st;
    return stat(path, &st) == 0;
#endif
}

const char *helpu_search_file(const char *variable, const char *name)
{
    if (!variable || !*variable) {
        // The bare name, relative to the current directory.
        if (std::strlen(name) < kHelpPathSize && helpu_file_exists(name))
            return found(name);
        return nullptr;
    }
    const char *value = std::getenv(variable);
    if (!value)
        return nullptr;
    char *list = help_strdup(value, "hustr", __LINE__);
    const char *result = nullptr;
    const char *p = list;
    int32_t len = 0;
    char candidate[kHelpPathSize];
    while (const char *item = ruvv_str_find_token(p, ";", &len)) {
        p = item + len;
        if (helpu_join(item, static_cast<size_t>(len), name, candidate) && helpu_file_exists(candidate)) {
            result = found(candidate);
            break;
        }
    }
    ruvv_mem_free(list);
    return result;
}

const char *helpu_find_help_file(const RUV_FILE_SPEC *spec, const char *ext)
{
    char name[kHelpPathSize];
    std::strncpy(name, spec->name, kHelpPathSize - 1);
    name[kHelpPathSize - 1] = '\0';
    // A drive, a root or a relative start: only the name as given.
    const bool only_given = (name[0] && name[1] == ':') || name[0] == '\\' || name[0] == '.' ||
                            name[0] == kHelpDirSep;
    char candidate[kHelpPathSize];
    bool have = false;
    if (only_given) {
        std::strcpy(candidate, name);
        have = true;
    } else {
        char dir[kHelpPathSize];
        if (!ruvk_fsys_convert_dir_to_str(&spec->dir, dir, static_cast<int32_t>(sizeof dir)))
            return nullptr;
        have = helpu_join(dir, std::strlen(dir), name, candidate);
    }
    char with_ext[kHelpPathSize];
    if (have && helpu_change_extension_n(candidate, with_ext, sizeof with_ext, ext) && helpu_file_exists(with_ext))
        return found(with_ext);
    if (only_given)
        return nullptr;
    char bare[kHelpPathSize];
    if (!helpu_change_extension_n(name, bare, sizeof bare, ext))
        return nullptr;
    for (const char *variable : { "", "HELP", "RUVPATH", "PATH" })
        if (const char *path = helpu_search_file(variable, bare))
            return path;
    return nullptr;
}
