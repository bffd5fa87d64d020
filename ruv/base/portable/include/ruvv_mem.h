/* Memory hooks of the toolkit.  Every allocation of the portable layer and
   of the kernel goes through the four installed functions of RUV_MEM_FUNCS;
   the global-memory blocks that the text edit keeps its storage in are
   built on them.  The hooks report nothing themselves: a caller whose
   allocation fails reports 0x01510001 "Failed to allocate heap memory" (or
   the like) through ruvv_errmsg_dispatch. */
#ifndef RUVV_MEM_H
#define RUVV_MEM_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct RUV_MEM_FUNCS {
    void *(*alloc)(size_t size);
    void (*free)(void *ptr);
    void *(*realloc)(void *ptr, size_t size);
    void *(*zalloc)(size_t size); /* zero-filled */
} RUV_MEM_FUNCS;

/* Installs hooks; effective only while none are installed (the first
   installation wins).  NULL installs the defaults; a record with a null
   member reports 0x01210001 and installs nothing. */
void ruvv_mem_set_functions(const RUV_MEM_FUNCS *funcs);
/* A copy of the installed hooks (kept by the module), NULL when none. */
RUV_MEM_FUNCS *ruvv_mem_get_functions(void);

/* Install the defaults first when no hooks are installed, then call the
   hook.  The defaults call the out-of-memory hook (toolkit attribute 701)
   with the size when an allocation fails and retry once when its 16-bit
   answer is non-zero. */
void *ruvv_mem_alloc(size_t size);
void *ruvv_mem_zalloc(size_t size);
/* NULL ptr allocates; size 0 frees the block and returns NULL. */
void *ruvv_mem_realloc(void *ptr, size_t size);
/* Frees through the hook; NULL, or no hooks installed yet, does nothing. */
void ruvv_mem_free(void *ptr);
/* Copies the len bytes at src count times end to end into dst; returns dst. */
void *ruvv_mem_rep(void *dst, const void *src, size_t len, size_t count);

/* Global-memory blocks: a hook allocation with an 8-byte header holding the
   data length; the handle is the address just behind the header. */
void *ruvv_gmem_alloc(int32_t len);                 /* NULL for len < 0 */
void *ruvv_gmem_realloc(void *handle, int32_t len); /* NULL for len < 0 */
RUV_BOOL ruvv_gmem_free(void *handle);              /* 1 */
int32_t ruvv_gmem_get_size(void *handle);
RUV_BOOL ruvv_gmem_unlock(void *handle);            /* 1, nothing else */

#ifdef __cplusplus
}
#endif

#endif
