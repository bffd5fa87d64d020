/* Attributes of a file named by a file specification (existence, access,
   size, times, and the specification's own fields), and removing a file. */
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_fsys.h"
#include "ruvv_static.h"

namespace {

constexpr const char *kModule = "fsys";
constexpr RUV_ERRMSG_ID kInvalidAttribute = 0x0122000b; /* "Invalid Attribute" */
constexpr RUV_ERRMSG_ID kFileNotFound = 0x01530001;     /* "Failed to find file" */
constexpr size_t kTagLength = 4;

/* Per-process block: the directory text of attribute 12. */
struct FsysBlock {
    char dir_text[RUV_FILE_DIR_SIZE];
};
RUV_STATIC_BLOCK(g_desc, FsysBlock, nullptr, nullptr);

#ifdef _WIN32
typedef struct _stati64 FileStatus;
int file_status(const char *path, FileStatus *st) { return _stati64(path, st); }
#else
typedef struct stat FileStatus;
int file_status(const char *path, FileStatus *st) { return stat(path, st); }
#endif

/* Mode bits of the runtime's file status: owner read, write, execute. */
constexpr unsigned kReadBit = 0x100, kWriteBit = 0x80, kExecBit = 0x40;

void set_tag(char *field, const char *text)
{
    strncpy(field, text, kTagLength);
    field[kTagLength] = 0;
}

} // namespace

extern "C" intptr_t ruvv_fsys_get_file_attr(RUV_FILE_SPEC *spec, int32_t attribute)
{
    if (attribute < RUV_FATTR_EXISTS || attribute > RUV_FATTR_TYPE) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kInvalidAttribute, kModule, __LINE__);
        return -1;
    }
    if (!spec)
        return -1;
    switch (attribute) {
    case RUV_FATTR_CREATOR: return (intptr_t)spec->tag;
    case RUV_FATTR_NAME: return (intptr_t)spec->name;
    case RUV_FATTR_TYPE: return (intptr_t)spec->type;
    case RUV_FATTR_DIR_TEXT: {
        auto *b = static_cast<FsysBlock *>(ruvk_static_get_ptr(&g_desc));
        if (!b || !ruvk_fsys_convert_dir_to_str(&spec->dir, b->dir_text, (int32_t)sizeof b->dir_text))
            return -1;
        return (intptr_t)b->dir_text;
    }
    default:
        break;
    }
    char path[256];
    if (!ruvk_fsys_file_makepath(spec, path))
        return -1;
    if (attribute == RUV_FATTR_IS_DIR)
        return ruvk_fsys_is_dir(path) ? TRUE : FALSE;
    FileStatus st;
    if (file_status(path, &st) != 0)
        return 0; /* a status that cannot be read answers FALSE / 0 */
    switch (attribute) {
    case RUV_FATTR_EXISTS: return TRUE;
    case RUV_FATTR_READABLE: return (st.st_mode & kReadBit) ? TRUE : FALSE;
    case RUV_FATTR_WRITABLE: return (st.st_mode & kWriteBit) ? TRUE : FALSE;
    case RUV_FATTR_EXECUTABLE: return (st.st_mode & kExecBit) ? TRUE : FALSE;
    case RUV_FATTR_LINK_COUNT: return (intptr_t)st.st_nlink;
    case RUV_FATTR_SIZE: return (intptr_t)st.st_size;
    case RUV_FATTR_ACCESS_TIME: return (intptr_t)st.st_atime;
    case RUV_FATTR_MODIFY_TIME: return (intptr_t)st.st_mtime;
    default: return (intptr_t)st.st_ctime;
    }
}

extern "C" RUV_BOOL ruvv_fsys_set_file_attr(RUV_FILE_SPEC *spec, int32_t attribute, const char *text)
{
    if (attribute != RUV_FATTR_CREATOR && attribute != RUV_FATTR_TYPE) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kInvalidAttribute, kModule, __LINE__);
        return FALSE;
    }
    if (!spec || !text)
        return FALSE;
    set_tag(attribute == RUV_FATTR_CREATOR ? spec->tag : spec->type, text);
    return TRUE;
}

extern "C" RUV_BOOL ruvv_fsys_rem_file(RUV_FILE_SPEC *spec)
{
    RUV_FILE_DIR previous;
    if (!spec || !ruvk_fsys_get_dir(&previous) || !ruvk_fsys_set_dir(&spec->dir)) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kFileNotFound, kModule, __LINE__);
        return FALSE;
    }
    int r = remove(spec->name);
    ruvk_fsys_set_dir(&previous);
    if (r != 0) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kFileNotFound, kModule, __LINE__);
        return FALSE;
    }
    return TRUE;
}
