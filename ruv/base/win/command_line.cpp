/* The file names given on the command line: the arguments after the
   program's name, a leaf with wildcards expanded to the matching files of
   its directory, handed out one file specification at a time. */
#include "file_system.h"

#include <direct.h>
#include <stdlib.h>
#include <string.h>

#include "ruvv_errmsg.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"

namespace {

constexpr RUV_ERRMSG_ID kBufferSize = 0x01260004; /* "Insufficient buffer size" */
constexpr int32_t kMinCapacity = 10;
constexpr size_t kTypeChars = 3;

struct FileList {
    int32_t count;
    char **names;
    int32_t capacity;
    int32_t next;
    RUV_FILE_SPEC result;
};

void clear(FileList *l)
{
    for (int32_t i = 0; i < l->count; ++i)
        ruvv_mem_free(l->names[i]);
    ruvv_mem_free(l->names);
    l->names = nullptr;
    l->count = l->capacity = l->next = 0;
}

void term(void *block)
{
    clear(static_cast<FileList *>(block));
}

RUV_STATIC_BLOCK(g_desc, FileList, nullptr, term);

FileList *files()
{
    return static_cast<FileList *>(ruvk_static_get_ptr(&g_desc));
}

/* Appends a copy of prefix + name; a failed allocation empties the list. */
bool add(FileList *l, const char *prefix, const char *name)
{
    if (l->count == l->capacity) {
        int32_t cap = l->capacity ? 2 * l->capacity : kMinCapacity;
        auto **grown = static_cast<char **>(ruvv_mem_realloc(l->names, sizeof(char *) * (size_t)cap));
        if (!grown) {
            clear(l);
            return false;
        }
        l->names = grown;
        l->capacity = cap;
    }
    size_t plen = strlen(prefix), nlen = strlen(name);
    auto *copy = static_cast<char *>(ruvv_mem_alloc(plen + nlen + 1));
    if (!copy) {
        clear(l);
        return false;
    }
    memcpy(copy, prefix, plen);
    memcpy(copy + plen, name, nlen + 1);
    l->names[l->count++] = copy;
    return true;
}

/* The files of the argument's directory that match its leaf (name and
   extension together, so wildcards count on either side of the dot); an
   empty list when nothing matches or the directory cannot be read. */
SLIST *expand(const char *dir, const char *leaf, bool *listed)
{
    *listed = false;
    char previous[_MAX_PATH];
    if (!_getcwd(previous, sizeof previous))
        return nullptr;
    SLIST *found = nullptr;
    if (!*dir || ruvk_fsys_change_dir(dir)) {
        if (!ruvk_fsys_file_exists(leaf)) {
            *listed = true;
            found = ruvk_fsys_list_files("", leaf, FALSE);
        }
    }
    ruvk_fsys_change_dir(previous);
    return found;
}

} // namespace

extern "C" {

void ruvk_app_split_command_line(int32_t argc, char **argv)
{
    FileList *l = files();
    if (!l)
        return;
    clear(l);
    for (int32_t i = 1; i < argc && argv && argv[i]; ++i) {
        const char *arg = argv[i];
        char vol[_MAX_DRIVE], dir[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
        ruvk_fsys_parse_pathname(arg, vol, dir, name, ext, nullptr);
        bool added = false;
        if (name[0] || ext[0]) {
            char prefix[_MAX_DRIVE + _MAX_DIR];
            strcpy(prefix, vol);
            strcat(prefix, dir);
            char leaf[_MAX_FNAME + _MAX_EXT + 1];
            strcpy(leaf, name);
            if (ext[0]) {
                strcat(leaf, ".");
                strcat(leaf, ext);
            }
            bool listed = false;
            SLIST *found = expand(prefix, leaf, &listed);
            if (found) {
                for (SLIST_ELT *e = ruvv_slist_get_first(found); e; e = ruvv_slist_get_next(found, e)) {
                    if (!add(l, prefix, ruvv_slist_get(found, e, nullptr))) {
                        ruvv_slist_destroy(found);
                        return;
                    }
                    added = true;
                }
                ruvv_slist_destroy(found);
            }
        }
        if (!added && !add(l, "", arg))
            return;
    }
}

void ruvk_app_free_files(void)
{
    if (FileList *l = files())
        clear(l);
}

int32_t ruvk_app_get_files_count(int16_t *flag, int32_t *count)
{
    FileList *l = files();
    int32_t n = l ? l->count : 0;
    if (flag)
        *flag = 0;
    if (count)
        *count = n;
    return n;
}

RUV_FILE_SPEC *ruvk_app_get_file(void)
{
    FileList *l = files();
    if (!l || l->next >= l->count)
        return nullptr;
    const char *name = l->names[l->next++];
    RUV_FILE_SPEC *r = &l->result;
    memset(r, 0, sizeof *r);
    if (strlen(name) >= sizeof r->name - 1) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, kBufferSize);
        return nullptr;
    }
    strcpy(r->name, name);
    /* The type comes from the leaf's last dot: dots in directory names or
       earlier in the leaf do not count. */
    const char *leaf = ruvk_path_basename(name);
    for (const char *p = leaf; *p; ++p)
        if (*p == '/')
            leaf = p + 1;
    if (const char *dot = strrchr(leaf, '.'))
        strncpy(r->type, dot + 1, kTypeChars);
    return r;
}

} // extern "C"
