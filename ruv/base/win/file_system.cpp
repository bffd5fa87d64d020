/* Files, directories and path names: directory records and full paths,
   changing, saving and restoring the current directory, the start-up
   directory, splitting and building path names, and directory listings
   through the system's file search. */
#include "file_system.h"

#include <ctype.h>
#include <direct.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruvv_errmsg.h"
#include "ruvv_list.h"
#include "ruvv_static.h"
#include "ruvv_str.h"

namespace {

constexpr RUV_ERRMSG_ID kDirAccess = 0x01540002;    /* "Failed to access directory" */
constexpr RUV_ERRMSG_ID kWrongState = 0x01640001;   /* "Request while object in wrong state" */
constexpr RUV_ERRMSG_ID kSizeTooBig = 0x01260002;   /* "Size too big" */
constexpr int kPathMax = 256;                       /* what full-path conversion gives */
constexpr int kSlotSize = 257;

/* Per-process block: the saved directory and the start-up directory. */
struct FsysBlock {
    bool saved;
    char saved_dir[kSlotSize];
    bool startup_known;
    char startup_dir[kSlotSize];
};
RUV_STATIC_BLOCK(g_desc, FsysBlock, nullptr, nullptr);

FsysBlock *block()
{
    return static_cast<FsysBlock *>(ruvk_static_get_ptr(&g_desc));
}

bool empty(const char *s)
{
    return !s || !*s;
}

bool current_dir(char *buf, int size)
{
    return _getcwd(buf, size) != nullptr;
}

/* Copies text into a buffer of size bytes; false when it does not fit. */
bool copy_fit(char *dst, int size, const char *text)
{
    size_t n = strlen(text);
    if (n >= (size_t)size)
        return false;
    memcpy(dst, text, n + 1);
    return true;
}

/* Makes `path` current for a moment and reads its full path: the
   previous directory is current again afterwards. */
bool resolve_dir(const char *path, char *out, int size)
{
    char previous[kPathMax];
    if (!current_dir(previous, sizeof previous))
        return false;
    if (!ruvk_fsys_change_dir(path))
        return false;
    char here[kPathMax];
    bool ok = current_dir(here, sizeof here);
    ruvk_fsys_change_dir(previous);
    return ok && copy_fit(out, size, here);
}

bool is_dir_filter(const char *filter)
{
    return strcmp(filter, RUVK_FSYS_DIR_FILTER) == 0;
}

/* A directory entry against the listing's pattern and extension filter. */
bool entry_taken(const WIN32_FIND_DATAA &fd, bool is_dir, const char *filter, const char *pattern)
{
    const char *name = fd.cFileName;
    const char *dot = strrchr(name, '.');
    const char *ext = dot ? dot + 1 : "";
    char matched[MAX_PATH + 2];
    snprintf(matched, sizeof matched, "%s%s", name, *ext ? "" : (dot ? "" : "."));
    if (*pattern && !ruvv_str_match(matched, pattern, 0))
        return false;
    return !*filter || is_dir || _stricmp(ext, filter) == 0;
}

} // namespace

extern "C" {

RUV_BOOL ruvk_fsys_full_path(char *text, const char *path, int32_t size)
{
    if (empty(path) || !text || size <= 0)
        return FALSE;
    char with_root[MAX_PATH + 2];
    if (strchr(path, ':') && !strchr(path, '\\')) {
        if (strlen(path) + 2 > sizeof with_root)
            return FALSE;
        snprintf(with_root, sizeof with_root, "%s\\", path);
        path = with_root;
    }
    return _fullpath(text, path, (size_t)size) != nullptr;
}

RUV_BOOL ruvk_fsys_change_dir(const char *path)
{
    if (empty(path))
        return FALSE;
    char full[kPathMax];
    /* A path that cannot be resolved (too long, say) fails: it never
       means the root. */
    if (!ruvk_fsys_full_path(full, path, sizeof full))
        return FALSE;
    if (!full[0])
        strcpy(full, "\\");
    /* A failed change leaves the current directory where it was, also
       when the drive change before it went through. */
    char previous[MAX_PATH];
    bool known = current_dir(previous, sizeof previous);
    if (isalpha((unsigned char)full[0])) {
        full[0] = (char)toupper((unsigned char)full[0]);
        if (_chdrive(full[0] - 'A' + 1) != 0)
            return FALSE;
    }
    if (_chdir(full) == 0)
        return TRUE;
    if (known)
        _chdir(previous);
    return FALSE;
}

void ruvk_fsys_get_default_dir(RUV_FILE_DIR *dir)
{
    if (dir)
        strcpy(dir->path, ".");
}

RUV_BOOL ruvk_fsys_get_dir(RUV_FILE_DIR *dir)
{
    return dir && current_dir(dir->path, RUV_FILE_DIR_SIZE);
}

RUV_BOOL ruvk_fsys_set_dir(const RUV_FILE_DIR *dir)
{
    if (!dir)
        return FALSE;
    if (!dir->path[0])
        return TRUE;
    return ruvk_fsys_change_dir(dir->path);
}

RUV_BOOL ruvk_fsys_is_dir(const char *path)
{
    char scratch[kPathMax];
    return !empty(path) && resolve_dir(path, scratch, sizeof scratch);
}

RUV_BOOL ruvk_fsys_convert_dir_to_str(const RUV_FILE_DIR *dir, char *text, int32_t size)
{
    return dir && text && resolve_dir(dir->path, text, size);
}

RUV_BOOL ruvk_fsys_convert_str_to_dir(const char *text, RUV_FILE_DIR *dir)
{
    return dir && !empty(text) && resolve_dir(text, dir->path, kPathMax);
}

RUV_BOOL ruvk_fsys_file_makepath(const RUV_FILE_SPEC *spec, char *path)
{
    if (!spec || !path)
        return FALSE;
    char dir[kPathMax] = "";
    /* An empty directory stands for the root of the current drive. */
    if (spec->dir.path[0] && !ruvk_fsys_convert_dir_to_str(&spec->dir, dir, sizeof dir))
        return FALSE;
    size_t dlen = strlen(dir), nlen = strnlen(spec->name, sizeof spec->name);
    if (nlen == sizeof spec->name || nlen + dlen + 2 >= (size_t)kPathMax)
        return FALSE;
    if (!dlen)
        strcpy(dir, "\\");
    else if (dir[dlen - 1] != '\\')
        strcat(dir, "\\");
    snprintf(path, kPathMax, "%s%s", dir, spec->name);
    return TRUE;
}

void ruvk_fsys_save_dir(void)
{
    FsysBlock *b = block();
    if (!b)
        return;
    b->saved = current_dir(b->saved_dir, kPathMax);
    if (!b->saved)
        RUV_ERR(nullptr, RUV_SEV_ERROR, kDirAccess);
}

void ruvk_fsys_restore_dir(void)
{
    FsysBlock *b = block();
    if (!b)
        return;
    if (!b->saved)
        RUV_ERR(nullptr, RUV_SEV_WARNING, kWrongState);
    if (!ruvk_fsys_change_dir(b->saved ? b->saved_dir : nullptr))
        RUV_ERR(nullptr, RUV_SEV_ERROR, kDirAccess);
    b->saved = false;
}

RUV_BOOL ruvk_fsys_set_dir_startup(void)
{
    FsysBlock *b = block();
    if (!b)
        return FALSE;
    if (!b->startup_known) {
        if (!current_dir(b->startup_dir, kPathMax)) {
            RUV_ERR(nullptr, RUV_SEV_ERROR, kDirAccess);
            return FALSE;
        }
        b->startup_known = true;
    }
    if (!ruvk_fsys_change_dir(b->startup_dir)) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, kDirAccess);
        return FALSE;
    }
    return TRUE;
}

RUV_BOOL ruvk_fsys_parse_pathname(const char *path, char *volume, char *directory, char *leaf,
                                  char *extension, int16_t *flag)
{
    char v[_MAX_DRIVE], d[_MAX_DIR], l[_MAX_FNAME], e[_MAX_EXT];
    v[0] = d[0] = l[0] = e[0] = 0;
    if (path && strlen(path) < _MAX_PATH)
        _splitpath(path, v, d, l, e);
    if (path && (strcmp(path, ".") == 0 || strcmp(path, "..") == 0)) {
        strcpy(l, path);
        e[0] = 0;
    }
    const char *ext = e[0] == '.' ? e + 1 : e;
    if (volume)
        strcpy(volume, v);
    if (directory)
        strcpy(directory, d);
    if (leaf)
        strcpy(leaf, l);
    if (extension)
        memmove(extension, ext, strlen(ext) + 1);
    if (flag)
        *flag = 0;
    return TRUE;
}

RUV_BOOL ruvk_fsys_build_pathname(char *path, const char *volume, const char *directory,
                                  const char *leaf, const char *extension)
{
    if (!path)
        return FALSE;
    /* A composition longer than a path can be fails and leaves "". */
    if (_makepath_s(path, _MAX_PATH, volume, directory, leaf, extension) != 0) {
        path[0] = 0;
        return FALSE;
    }
    return TRUE;
}

RUV_BOOL ruvk_fsys_file_exists(const char *path)
{
    struct _stati64 st;
    return !empty(path) && _stati64(path, &st) == 0;
}

int32_t ruvk_fsys_classify_name(const char *name)
{
    if (name && strpbrk(name, "*?"))
        return 2;
    if (ruvk_fsys_is_dir(name))
        return 0;
    return ruvk_fsys_file_exists(name) ? 1 : 3;
}

struct SLIST *ruvk_fsys_list_files(const char *filter, const char *pattern, RUV_BOOL dirs)
{
    if (!filter)
        filter = "";
    if (!pattern)
        pattern = "";
    if (strlen(filter) > (size_t)kPathMax) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, kSizeTooBig);
        return nullptr;
    }
    SLIST *list = ruvv_slist_create();
    if (!list)
        return nullptr;
    bool dir_list = is_dir_filter(filter);
    if (dir_list && !dirs)
        return list;

    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("*.*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            bool is_dir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (is_dir ? !dirs : dir_list)
                continue;
            if (!entry_taken(fd, is_dir, dir_list ? "" : filter, pattern))
                continue;
            if (!ruvv_slist_add_sorted(list, fd.cFileName, 0, 0, 0)) {
                FindClose(h);
                ruvv_slist_destroy(list);
                return nullptr;
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }

    if (dir_list) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            char root[4] = { letter, ':', '\\', 0 };
            UINT type = GetDriveTypeA(root);
            if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR)
                continue;
            char drive[3] = { letter, ':', 0 };
            if (!ruvv_slist_add_at_pos(list, 0, drive, 0)) {
                ruvv_slist_destroy(list);
                return nullptr;
            }
        }
    }
    return list;
}

const char *ruvk_path_basename(const char *path)
{
    if (!path)
        return nullptr;
    const char *leaf = path;
    for (const char *p = path; *p; ++p)
        if (*p == ':' || *p == '\\')
            leaf = p + 1;
    return leaf;
}

} // extern "C"
