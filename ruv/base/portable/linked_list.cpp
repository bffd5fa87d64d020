/* Doubly linked lists of data pointers.  Each node knows its list, so a
   node handed in from another list is refused instead of corrupting both. */
#include "ruvv_list.h"
#include "ruvv_mem.h"

struct RUV_DLIST_NODE {
    RUV_DLIST *list;
    void *data;
    RUV_DLIST_NODE *next;
    RUV_DLIST_NODE *prev;
};

struct RUV_DLIST {
    RUV_DLIST_NODE *first;
    RUV_DLIST_NODE *last;
    int32_t count;
};

extern "C" RUV_DLIST *ruvv_dlist_create(void)
{
    return static_cast<RUV_DLIST *>(ruvv_mem_zalloc(sizeof(RUV_DLIST)));
}

extern "C" void ruvv_dlist_destroy(RUV_DLIST *list)
{
    if (!list)
        return;
    RUV_DLIST_NODE *n = list->first;
    while (n) {
        RUV_DLIST_NODE *next = n->next;
        ruvv_mem_free(n);
        n = next;
    }
    ruvv_mem_free(list);
}

extern "C" int32_t ruvv_dlist_count(const RUV_DLIST *list) { return list ? list->count : 0; }
extern "C" RUV_DLIST_NODE *ruvv_dlist_first(const RUV_DLIST *list) { return list ? list->first : nullptr; }
extern "C" RUV_DLIST_NODE *ruvv_dlist_last(const RUV_DLIST *list) { return list ? list->last : nullptr; }
extern "C" RUV_DLIST_NODE *ruvv_dlist_next(const RUV_DLIST_NODE *node) { return node ? node->next : nullptr; }
extern "C" RUV_DLIST_NODE *ruvv_dlist_prev(const RUV_DLIST_NODE *node) { return node ? node->prev : nullptr; }
extern "C" void *ruvv_dlist_get_data(const RUV_DLIST_NODE *node) { return node ? node->data : nullptr; }

extern "C" RUV_DLIST_NODE *ruvv_dlist_insert(RUV_DLIST *list, void *data, RUV_DLIST_NODE *ref, int where)
{
    if (!list || where < RUV_DLIST_FRONT || where > RUV_DLIST_AFTER)
        return nullptr;
    if (list->count > 0 && (where == RUV_DLIST_BEFORE || where == RUV_DLIST_AFTER) &&
        (!ref || ref->list != list))
        return nullptr;
    auto *node = static_cast<RUV_DLIST_NODE *>(ruvv_mem_zalloc(sizeof(RUV_DLIST_NODE)));
    if (!node)
        return nullptr;
    node->list = list;
    node->data = data;
    if (list->count == 0) {
        list->first = list->last = node;
    } else {
        RUV_DLIST_NODE *before = nullptr; /* the node the new one follows */
        switch (where) {
        case RUV_DLIST_FRONT: before = nullptr; break;
        case RUV_DLIST_END: before = list->last; break;
        case RUV_DLIST_BEFORE: before = ref->prev; break;
        default: before = ref; break;
        }
        RUV_DLIST_NODE *after = before ? before->next : list->first;
        node->prev = before;
        node->next = after;
        if (before)
            before->next = node;
        else
            list->first = node;
        if (after)
            after->prev = node;
        else
            list->last = node;
    }
    list->count++;
    return node;
}

extern "C" void *ruvv_dlist_delete(RUV_DLIST *list, RUV_DLIST_NODE *node)
{
    if (!list || !node || node->list != list)
        return nullptr;
    if (node->prev)
        node->prev->next = node->next;
    else
        list->first = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        list->last = node->prev;
    list->count--;
    void *data = node->data;
    ruvv_mem_free(node);
    return data;
}

extern "C" RUV_DLIST_NODE *ruvv_dlist_find_next(RUV_DLIST *list, const void *key, RUV_DLIST_NODE *node,
                                                RUV_DLIST_CMP compare)
{
    if (!list || !compare || (node && node->list != list))
        return nullptr;
    for (RUV_DLIST_NODE *n = node ? node->next : list->first; n; n = n->next)
        if (compare(key, n->data) == 0)
            return n;
    return nullptr;
}

extern "C" RUV_DLIST_NODE *ruvv_dlist_find_prev(RUV_DLIST *list, const void *key, RUV_DLIST_NODE *node,
                                                RUV_DLIST_CMP compare)
{
    if (!list || !compare || (node && node->list != list))
        return nullptr;
    for (RUV_DLIST_NODE *n = node ? node->prev : list->last; n; n = n->prev)
        if (compare(key, n->data) == 0)
            return n;
    return nullptr;
}

extern "C" RUV_BOOL ruvv_dlist_apply(RUV_DLIST *list, RUV_DLIST_FN fn)
{
    if (!list || !fn)
        return FALSE;
    for (RUV_DLIST_NODE *n = list->first; n;) {
        RUV_DLIST_NODE *next = n->next;
        if (fn(n->data) == 0)
            return FALSE;
        n = next;
    }
    return TRUE;
}

extern "C" void ruvv_dlist_put_data(RUV_DLIST_NODE *node, void *data)
{
    if (node)
        node->data = data;
}
