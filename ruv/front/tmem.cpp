// Memory functions (ruv_mem_): the application's access to the toolkit's
// memory hooks.  Only the repeat-copy checks its pointers.
#include "front_guard.h"
#include "ruv.h"

#include "ruvv_mem.h"

namespace {
const char SRC[] = "tmem";
}

extern "C" {

void *ruv_mem_alloc(size_t size)
{
    ruvf::Guard g("ruv_mem_alloc", SRC);
    return ruvv_mem_alloc(size);
}

void *ruv_mem_zalloc(size_t size)
{
    ruvf::Guard g("ruv_mem_zalloc", SRC);
    return ruvv_mem_zalloc(size);
}

void *ruv_mem_realloc(void *block, size_t size)
{
    ruvf::Guard g("ruv_mem_realloc", SRC);
    return ruvv_mem_realloc(block, size);
}

void ruv_mem_free(void *block)
{
    ruvf::Guard g("ruv_mem_free", SRC);
    ruvv_mem_free(block);
}

void *ruv_mem_rep(void *destination, const void *source, size_t len, size_t count)
{
    ruvf::Guard g("ruv_mem_rep", SRC);
    if (!g.not_null(destination) || !g.not_null(source))
        return nullptr;
    return ruvv_mem_rep(destination, source, len, count);
}

} // extern "C"
