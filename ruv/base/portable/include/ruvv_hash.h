/* Chained hash tables of the toolkit: keys are caller pointers, bucketed by
   a caller hash and told apart by a caller comparison.  The object registry
   keeps its handles in one. */
#ifndef RUVV_HASH_H
#define RUVV_HASH_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Bucket of a key; a negative result means the key cannot be stored (insert
   refuses it, find and remove answer NULL). */
typedef int32_t (*RUV_HASH_FN)(const void *key);
/* 0 when the two keys are equal. */
typedef int (*RUV_HASH_CMP)(const void *a, const void *b);

typedef struct RUV_HASH RUV_HASH;

/* A table of `buckets` chains (at least 1); NULL when allocation fails or
   an argument is missing. */
RUV_HASH *ruvv_hash_create(int32_t buckets, RUV_HASH_FN hash, RUV_HASH_CMP compare);
/* Appends the key at the tail of bucket hash(key) mod buckets; FALSE for a
   negative hash or when the node cannot be allocated. */
RUV_BOOL ruvv_hash_insert(RUV_HASH *table, void *key);
/* The stored key that compares equal to key, or NULL. */
void *ruvv_hash_find(RUV_HASH *table, const void *key);
/* Unlinks and frees the first equal node and returns its stored key; NULL
   when there is none. */
void *ruvv_hash_remove(RUV_HASH *table, const void *key);
/* Frees nodes, buckets and table (not the keys); NULL is accepted. */
void ruvv_hash_destroy(RUV_HASH *table);

#ifdef __cplusplus
}
#endif

#endif
