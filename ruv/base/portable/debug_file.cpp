// Debug output: formatted lines appended to the debug file ("debug" unless
// toolkit attribute 700 names another) in the start-up directory.  The file
// is written only when the user has created it there; the first line of a
// run truncates it.

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#define RUV_ACCESS _access
#else
#include <unistd.h>
#define RUV_ACCESS access
#endif

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_static.h"

namespace {

constexpr size_t NAME_MAX_LEN = 256;

struct DebugBlock {
    char mode[2];                 // "w" until the first write, then "a"
    char name[NAME_MAX_LEN + 1];
    int16_t busy;                 // a line is being written
};

void debug_init(void *p)
{
    DebugBlock *b = static_cast<DebugBlock *>(p);
    b->mode[0] = 'w';
    std::strcpy(b->name, "debug");
}

RUV_STATIC_BLOCK(debug_desc, DebugBlock, debug_init, nullptr);

DebugBlock *debug_block()
{
    return static_cast<DebugBlock *>(ruvk_static_get_ptr(&debug_desc));
}

// An existing, writable file that is not a directory.
bool usable(const char *name)
{
    struct stat st;
    if (stat(name, &st) != 0 || (st.st_mode & S_IFMT) == S_IFDIR)
        return false;
    return RUV_ACCESS(name, 2) == 0;
}

} // namespace

extern "C" {

void ruvv_debug_printf(const char *format, va_list args)
{
    DebugBlock *b = debug_block();
    // A failure reported from here may itself be written to the debug
    // file: such a nested write is dropped.
    if (!b || !format || b->busy)
        return;
    b->busy = 1;
    RUV_FILE_DIR saved;
    bool have_saved = ruvk_fsys_get_dir(&saved) != 0;
    if (ruvk_fsys_set_dir_startup() && usable(b->name)) {
        FILE *f = std::fopen(b->name, b->mode);
        if (!f || std::fseek(f, 0, SEEK_END) != 0) {
            if (f)
                std::fclose(f);
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01540001);
        } else {
            std::setvbuf(f, nullptr, _IONBF, 0);
            std::vfprintf(f, format, args);
            std::fputc('\n', f);
            std::fclose(f);
            b->mode[0] = 'a';
        }
    }
    if (have_saved)
        ruvk_fsys_set_dir(&saved);
    b->busy = 0;
}

void ruvv_debug_print(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    ruvv_debug_printf(format, args);
    va_end(args);
}

void ruvv_debug_set_file(const char *name)
{
    DebugBlock *b = debug_block();
    if (!b)
        return;
    if (!name)
        name = "debug";
    std::snprintf(b->name, sizeof b->name, "%s", name);
}

const char *ruvv_debug_get_file(void)
{
    DebugBlock *b = debug_block();
    return b ? b->name : "debug";
}

} // extern "C"
