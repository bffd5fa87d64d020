/* Per-module static blocks: each module of the toolkit that keeps state
   owns one descriptor; the kernel's ruvk_static_get_ptr resolves it to the
   calling process's block, created zero-filled and initialised on first
   use. */
#ifndef RUVV_STATIC_H
#define RUVV_STATIC_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct RUV_STATIC_DESC {
    void *resolved;                  /* kernel's resolution state (process
                                        table); ruvv_static_init: the block */
    struct RUV_STATIC_DESC *next;    /* chain of descriptors to terminate */
    void (*init)(void *block);       /* called once on a fresh block */
    void (*term)(void *block);       /* called when the block is released */
    void *(*construct)(void);        /* supplies the block itself, if set */
    void *storage;                   /* the block or its initial value */
    size_t size;                     /* block size in bytes */
} RUV_STATIC_DESC;

/* A module's descriptor for a block of type `type`. */
#define RUV_STATIC_BLOCK(name, type, init, term) \
    static RUV_STATIC_DESC name = { NULL, NULL, (init), (term), NULL, NULL, sizeof(type) }

/* Resolves a descriptor without the kernel: the constructor's result when
   there is one; otherwise the storage field, initialised, and the
   descriptor queued for termination when it has a term callback. */
void *ruvv_static_init(RUV_STATIC_DESC *desc);

#ifdef __cplusplus
}
#endif

#endif
