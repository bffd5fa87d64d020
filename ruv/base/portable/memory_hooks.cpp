// Memory hooks: the four functions through which every allocation of the
// toolkit is made, the default hooks on the runtime heap with the single
// retry after the application's out-of-memory hook, and the global-memory
// blocks (length header + data) that text-edit storage lives in.

#include <cstdlib>
#include <cstring>

#include "ruvv_mem.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvk.h"

namespace {

struct MemBlock {
    RUV_MEM_FUNCS installed;  // all null until hooks are installed
    RUV_MEM_FUNCS copy;       // handed out by ruvv_mem_get_functions
};

RUV_STATIC_BLOCK(mem_desc, MemBlock, nullptr, nullptr);

MemBlock *mem_block()
{
    return static_cast<MemBlock *>(ruvk_static_get_ptr(&mem_desc));
}

// The out-of-memory hook's answer: retry once when it says so.
bool oom_retry(size_t size)
{
    RUV_MEM_ERR_HOOK hook = reinterpret_cast<RUV_MEM_ERR_HOOK>(
        ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MEM_ERR_HOOK));
    return hook != nullptr && static_cast<int16_t>(hook(size)) != 0;
}

void *default_alloc(size_t size)
{
    // A zero size still gives a block of its own.
    size_t n = size ? size : 1;
    void *p = std::malloc(n);
    if (!p && oom_retry(size))
        p = std::malloc(n);
    return p;
}

void default_free(void *ptr)
{
    std::free(ptr);
}

void *default_realloc(void *ptr, size_t size)
{
    if (!ptr)
        return default_alloc(size);
    if (size == 0) {
        std::free(ptr);
        return nullptr;
    }
    // A failed resize leaves the block as it was: it may be tried again.
    if (void *p = std::realloc(ptr, size))
        return p;
    return oom_retry(size) ? std::realloc(ptr, size) : nullptr;
}

void *default_zalloc(size_t size)
{
    void *p = default_alloc(size);
    if (p)
        std::memset(p, 0, size);
    return p;
}

const RUV_MEM_FUNCS default_funcs = { default_alloc, default_free, default_realloc, default_zalloc };

bool installed(const MemBlock *b)
{
    return b->installed.alloc != nullptr;
}

// Hooks to call: the installed ones, after installing the defaults when
// there are none.
const RUV_MEM_FUNCS *hooks()
{
    MemBlock *b = mem_block();
    if (!b)
        return &default_funcs;
    if (!installed(b))
        b->installed = default_funcs;
    return &b->installed;
}

// Global-memory header: the data length in its first int32.
constexpr size_t GMEM_HEADER = 8;

} // namespace

extern "C" {

void ruvv_mem_set_functions(const RUV_MEM_FUNCS *funcs)
{
    MemBlock *b = mem_block();
    if (!b || installed(b))
        return;
    if (!funcs) {
        b->installed = default_funcs;
        return;
    }
    if (!funcs->alloc || !funcs->free || !funcs->realloc || !funcs->zalloc) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01210001);
        return;
    }
    b->installed = *funcs;
}

RUV_MEM_FUNCS *ruvv_mem_get_functions(void)
{
    MemBlock *b = mem_block();
    if (!b || !installed(b))
        return nullptr;
    b->copy = b->installed;
    return &b->copy;
}

void *ruvv_mem_alloc(size_t size)
{
    return hooks()->alloc(size);
}

void *ruvv_mem_zalloc(size_t size)
{
    return hooks()->zalloc(size);
}

void *ruvv_mem_realloc(void *ptr, size_t size)
{
    return hooks()->realloc(ptr, size);
}

void ruvv_mem_free(void *ptr)
{
    if (!ptr)
        return;
    MemBlock *b = mem_block();
    if (b && installed(b))
        b->installed.free(ptr);
}

void *ruvv_mem_rep(void *dst, const void *src, size_t len, size_t count)
{
    char *d = static_cast<char *>(dst);
    for (size_t i = 0; i < count; ++i)
        std::memcpy(d + i * len, src, len);
    return dst;
}

void *ruvv_gmem_alloc(int32_t len)
{
    if (len < 0)
        return nullptr;
    char *p = static_cast<char *>(ruvv_mem_alloc(GMEM_HEADER + static_cast<size_t>(len)));
    if (!p)
        return nullptr;
    std::memcpy(p, &len, sizeof len);
    return p + GMEM_HEADER;
}

void *ruvv_gmem_realloc(void *handle, int32_t len)
{
    if (len < 0)
        return nullptr;
    char *old = handle ? static_cast<char *>(handle) - GMEM_HEADER : nullptr;
    char *p = static_cast<char *>(ruvv_mem_realloc(old, GMEM_HEADER + static_cast<size_t>(len)));
    if (!p)
        return nullptr;
    std::memcpy(p, &len, sizeof len);
    return p + GMEM_HEADER;
}

RUV_BOOL ruvv_gmem_free(void *handle)
{
    if (handle)
        ruvv_mem_free(static_cast<char *>(handle) - GMEM_HEADER);
    return 1;
}

int32_t ruvv_gmem_get_size(void *handle)
{
    if (!handle)
        return 0;
    int32_t len;
    std::memcpy(&len, static_cast<char *>(handle) - GMEM_HEADER, sizeof len);
    return len;
}

RUV_BOOL ruvv_gmem_unlock(void *handle)
{
    return 1;
}

} // extern "C"
