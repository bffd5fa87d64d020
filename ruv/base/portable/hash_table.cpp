/* Chained hash tables keyed by caller pointers (the object registry keeps
   its handles in one).  Nodes are appended at the tail of their bucket so a
   bucket lists its keys in insertion order. */
#include "ruvv_hash.h"
#include "ruvv_mem.h"

namespace {

struct HashNode {
    void *key;
    HashNode *next;
};

struct HashBucket {
    int32_t count;
    HashNode *first;
};

} // namespace

struct RUV_HASH {
    int32_t bucket_count;
    RUV_HASH_FN hash;
    RUV_HASH_CMP compare;
    HashBucket *buckets;
};

namespace {

/* The bucket of a key, or NULL when its hash is negative. */
HashBucket *bucket_of(RUV_HASH *table, const void *key)
{
    int32_t h = table->hash(key);
    if (h < 0)
        return nullptr;
    return &table->buckets[h % table->bucket_count];
}

} // namespace

extern "C" RUV_HASH *ruvv_hash_create(int32_t buckets, RUV_HASH_FN hash, RUV_HASH_CMP compare)
{
    if (buckets < 1 || !hash || !compare)
        return nullptr;
    auto *table = static_cast<RUV_HASH *>(ruvv_mem_zalloc(sizeof(RUV_HASH)));
    if (!table)
        return nullptr;
    table->buckets = static_cast<HashBucket *>(ruvv_mem_zalloc(sizeof(HashBucket) * (size_t)buckets));
    if (!table->buckets) {
        ruvv_mem_free(table);
        return nullptr;
    }
    table->bucket_count = buckets;
    table->hash = hash;
    table->compare = compare;
    return table;
}

extern "C" RUV_BOOL ruvv_hash_insert(RUV_HASH *table, void *key)
{
    if (!table)
        return FALSE;
    HashBucket *b = bucket_of(table, key);
    if (!b)
        return FALSE;
    auto *node = static_cast<HashNode *>(ruvv_mem_alloc(sizeof(HashNode)));
    if (!node)
        return FALSE;
    node->key = key;
    node->next = nullptr;
    HashNode **tail = &b->first;
    while (*tail)
        tail = &(*tail)->next;
    *tail = node;
    b->count++;
    return TRUE;
}

extern "C" void *ruvv_hash_find(RUV_HASH *table, const void *key)
{
    if (!table)
        return nullptr;
    HashBucket *b = bucket_of(table, key);
    if (!b)
        return nullptr;
    for (HashNode *n = b->first; n; n = n->next)
        if (table->compare(key, n->key) == 0)
            return n->key;
    return nullptr;
}

extern "C" void *ruvv_hash_remove(RUV_HASH *table, const void *key)
{
    if (!table)
        return nullptr;
    HashBucket *b = bucket_of(table, key);
    if (!b)
        return nullptr;
    for (HashNode **link = &b->first; *link; link = &(*link)->next) {
        HashNode *n = *link;
        if (table->compare(key, n->key) == 0) {
            void *stored = n->key;
            *link = n->next;
            b->count--;
            ruvv_mem_free(n);
            return stored;
        }
    }
    return nullptr;
}

extern "C" void ruvv_hash_destroy(RUV_HASH *table)
{
    if (!table)
        return;
    for (int32_t i = 0; i < table->bucket_count; i++) {
        HashNode *n = table->buckets[i].first;
        while (n) {
            HashNode *next = n->next;
            ruvv_mem_free(n);
            n = next;
        }
    }
    ruvv_mem_free(table->buckets);
    ruvv_mem_free(table);
}
