// File-system functions of the front layer: the current, default and saved
// directory, directory records and path text, path names, file listings,
// removal and the attributes of a file specification.  None takes a window
// and none is refused during an update.
#include "file_system.h"
#include "front_guard.h"
#include "ruv.h"
#include "ruvk.h"
#include "ruvv_fsys.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tfsys";

// Room for a file specification's full path.
constexpr int kPathSize = 256;

bool has_name(const RUV_FILE_SPEC *spec)
{
    return spec->name[0] != '\0';
}

} // namespace

extern "C" RUV_BOOL ruv_fsys_set_file_attr(RUV_FILE_SPEC *spec, int32_t attribute, const char *value)
{
    Guard g("ruv_fsys_set_file_attr", SRC);
    if (!g.not_null(spec))
        return FALSE;
    if (!g.check(has_name(spec), ruvf::ID_FAILED_FIND_FILE))
        return FALSE;
    char path[kPathSize];
    if (!g.check(ruvk_fsys_file_makepath(spec, path) != FALSE, ruvf::ID_FAILED_FIND_FILE))
        return FALSE;
    if (!g.check(ruvk_fsys_file_exists(path) != FALSE, ruvf::ID_FAILED_FIND_FILE))
        return FALSE;
    return ruvv_fsys_set_file_attr(spec, attribute, value);
}

extern "C" intptr_t ruv_fsys_get_file_attr(const RUV_FILE_SPEC *spec, int32_t attribute)
{
    Guard g("ruv_fsys_get_file_attr", SRC);
    if (!g.not_null(spec))
        return -1;
    if (!has_name(spec)) {
        // The specification's own parts need no file; a file without a name
        // does not exist; anything else needs the file.
        if (attribute == RUV_FATTR_EXISTS)
            return 0;
        if (attribute != RUV_FATTR_DIR_TEXT && attribute != RUV_FATTR_NAME) {
            g.raise(ruvf::ID_FAILED_FIND_FILE);
            return 0;
        }
    }
    return ruvv_fsys_get_file_attr(const_cast<RUV_FILE_SPEC *>(spec), attribute);
}

extern "C" RUV_BOOL ruv_fsys_convert_dir_to_str(const RUV_FILE_DIR *dir, char *text, int32_t size)
{
    Guard g("ruv_fsys_convert_dir_to_str", SRC);
    if (!g.not_null(dir) || !g.not_null(text))
        return FALSE;
    return ruvk_fsys_convert_dir_to_str(dir, text, size);
}

extern "C" RUV_BOOL ruv_fsys_convert_str_to_dir(const char *text, RUV_FILE_DIR *dir)
{
    Guard g("ruv_fsys_convert_str_to_dir", SRC);
    if (!g.not_null(dir) || !g.not_null(text))
        return FALSE;
    return ruvk_fsys_convert_str_to_dir(text, dir);
}

extern "C" void ruv_fsys_get_default_dir(RUV_FILE_DIR *dir)
{
    Guard g("ruv_fsys_get_default_dir", SRC);
    if (!g.not_null(dir))
        return;
    ruvk_fsys_get_default_dir(dir);
}

extern "C" RUV_BOOL ruv_fsys_get_dir(RUV_FILE_DIR *dir)
{
    Guard g("ruv_fsys_get_dir", SRC);
    if (!g.not_null(dir))
        return FALSE;
    return ruvk_fsys_get_dir(dir);
}

extern "C" RUV_BOOL ruv_fsys_set_dir(const RUV_FILE_DIR *dir)
{
    Guard g("ruv_fsys_set_dir", SRC);
    if (!g.not_null(dir))
        return FALSE;
    return ruvk_fsys_set_dir(dir);
}

extern "C" void ruv_fsys_set_dir_startup(void)
{
    Guard g("ruv_fsys_set_dir_startup", SRC);
    ruvk_fsys_set_dir_startup();
}

extern "C" void ruv_fsys_save_dir(void)
{
    Guard g("ruv_fsys_save_dir", SRC);
    ruvk_fsys_save_dir();
}

extern "C" void ruv_fsys_restore_dir(void)
{
    Guard g("ruv_fsys_restore_dir", SRC);
    ruvk_fsys_restore_dir();
}

extern "C" SLIST *ruv_fsys_list_files(const char *filter, const char *pattern, RUV_BOOL dirs)
{
    Guard g("ruv_fsys_list_files", SRC);
    if (!g.not_null(filter))
        return nullptr;
    return ruvk_fsys_list_files(filter, pattern, dirs);
}

extern "C" RUV_BOOL ruv_fsys_rem_file(const RUV_FILE_SPEC *spec)
{
    Guard g("ruv_fsys_rem_file", SRC);
    if (!g.not_null(spec))
        return FALSE;
    return ruvv_fsys_rem_file(const_cast<RUV_FILE_SPEC *>(spec));
}

extern "C" RUV_BOOL ruv_fsys_parse_pathname(const char *path, char *volume, char *directory, char *name,
                                            char *extension, char *version)
{
    Guard g("ruv_fsys_parse_pathname", SRC);
    if (!g.not_null(path))
        return FALSE;
    // The sixth part is always empty; the kernel's sixth slot is its flag.
    int16_t flag = 0;
    RUV_BOOL ok = ruvk_fsys_parse_pathname(path, volume, directory, name, extension, &flag);
    if (version)
        version[0] = '\0';
    return ok;
}

extern "C" RUV_BOOL ruv_fsys_build_pathname(char *path, const char *volume, const char *directory,
                                            const char *name, const char *extension, const char *version)
{
    Guard g("ruv_fsys_build_pathname", SRC);
    (void)version;
    if (!g.not_null(path))
        return FALSE;
    return ruvk_fsys_build_pathname(path, volume, directory, name, extension);
}
