// Memory of the help library: every block comes from the toolkit's memory
// functions, and a request they cannot serve ends the process with the
// library's fatal text, so no caller ever sees a NULL.
#include <cstdlib>
#include <cstring>

#include "help_private.h"
#include "ruvv_dm.h"
#include "ruvv_mem.h"

namespace {

constexpr int kAllocError = 103;

// The library-wide text of the fatal message.
char g_fatal_text[512];

[[noreturn]] void fail(size_t size, const char *module, int line)
{
    help_format_alloc_failure(g_fatal_text, sizeof g_fatal_text, size, module, line);
    ruvv_dm_post_fatal_exit_va("%s", g_fatal_text);
    // The fatal exit does not come back; should it, nothing may go on.
    std::abort();
}

} // namespace

void help_format_alloc_failure(char *buf, size_t size, size_t asked, const char *module, int line)
{
    std::snprintf(buf, size, "HELP error: %d!\nUnable to allocate %lld bytes [File: %s, line: %d]\n", kAllocError,
                  static_cast<long long>(asked), module ? module : "", line);
}

void *help_alloc(size_t size, const char *module, int line)
{
    void *p = ruvv_mem_alloc(size);
    if (!p)
        fail(size, module, line);
    return p;
}

void *help_zalloc(size_t size, const char *module, int line)
{
    void *p = ruvv_mem_zalloc(size);
    if (!p)
        fail(size, module, line);
    return p;
}

char *help_strdup(const char *text, const char *module, int line)
{
    const size_t n = std::strlen(text) + 1;
    char *copy = static_cast<char *>(help_alloc(n, module, line));
    std::memcpy(copy, text, n);
    return copy;
}
