// Object registry: the list of every RUV_VOBJ record the kernel has made
// (newest first) and a hash table of their handles, which makes a handle
// valid.  Also the listings of objects by filter and by parent, the update
// counter and the application-wide queries of the portable layer.

#include <cstring>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_hash.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"

namespace {

constexpr int32_t REGISTRY_BUCKETS = 353;
constexpr int32_t TITLE_SIZE = 200;

struct RegistryBlock {
    RUV_VOBJ *head;
    RUV_HASH *hash;
};

// A handle hashes as the whole pointer: on a 64-bit system the high half
// tells handles apart as much as the low half does, and the bucket is
// never negative.
int32_t handle_hash(const void *key)
{
    uintptr_t h = reinterpret_cast<uintptr_t>(key);
    h ^= h >> 5;
    return static_cast<int32_t>(h % REGISTRY_BUCKETS);
}

int handle_compare(const void *a, const void *b)
{
    return a == b ? 0 : 1;
}

void registry_init(void *p)
{
    RegistryBlock *b = static_cast<RegistryBlock *>(p);
    b->hash = ruvv_hash_create(REGISTRY_BUCKETS, handle_hash, handle_compare);
}

// At process end every record still registered is freed.
void registry_term(void *p)
{
    RegistryBlock *b = static_cast<RegistryBlock *>(p);
    RUV_VOBJ *o = b->head;
    b->head = nullptr;
    while (o) {
        RUV_VOBJ *next = o->next;
        ruvv_mem_free(o);
        o = next;
    }
    ruvv_hash_destroy(b->hash);
    b->hash = nullptr;
}

RUV_STATIC_BLOCK(registry_desc, RegistryBlock, registry_init, registry_term);

struct UpdateBlock {
    int32_t count;  // E_UPDATE events being processed
};

RUV_STATIC_BLOCK(update_desc, UpdateBlock, nullptr, nullptr);

RegistryBlock *registry()
{
    RegistryBlock *b = static_cast<RegistryBlock *>(ruvk_static_get_ptr(&registry_desc));
    if (b && !b->hash)
        b->hash = ruvv_hash_create(REGISTRY_BUCKETS, handle_hash, handle_compare);
    return b;
}

UpdateBlock *update_block()
{
    return static_cast<UpdateBlock *>(ruvk_static_get_ptr(&update_desc));
}

void unlink(RegistryBlock *b, RUV_VOBJ *obj)
{
    for (RUV_VOBJ **p = &b->head; *p; p = &(*p)->next) {
        if (*p == obj) {
            *p = obj->next;
            obj->next = nullptr;
            return;
        }
    }
}

// Window types listed without a title.
bool untitled_type(int32_t type)
{
    switch (type) {
    case 0: case 2: case 4: case 6: case 7: case 8: case 15: case 16: case 19: case 20: case 24:
        return true;
    default:
        return false;
    }
}

RUV_BOOL child_of(RUV_WIN obj, intptr_t parent)
{
    return obj->parent == reinterpret_cast<RUV_VOBJ *>(parent) && (obj->kind & RUV_KIND_CHILD_MASK) != 0;
}

} // namespace

extern "C" {

RUV_BOOL ruvv_registry_add(RUV_WIN obj)
{
    RegistryBlock *b = registry();
    if (!b || !obj)
        return FALSE;
    // Registering twice must not link the record into the list twice.
    unlink(b, obj);
    if (b->hash)
        ruvv_hash_remove(b->hash, obj);
    obj->next = b->head;
    b->head = obj;
    return b->hash && ruvv_hash_insert(b->hash, obj) ? TRUE : FALSE;
}

RUV_WIN ruvv_registry_remove(RUV_WIN obj)
{
    RegistryBlock *b = registry();
    if (!b || !obj)
        return obj;
    unlink(b, obj);
    if (b->hash)
        ruvv_hash_remove(b->hash, obj);
    return obj;
}

RUV_BOOL ruvv_vobj_is_valid(RUV_WIN handle)
{
    if (!handle)
        return FALSE;
    RegistryBlock *b = registry();
    return b && b->hash && ruvv_hash_find(b->hash, handle) != nullptr ? TRUE : FALSE;
}

void ruvv_registry_iter_init(RUV_REGISTRY_ITER *iter)
{
    RegistryBlock *b = registry();
    iter->next = b ? b->head : nullptr;
}

RUV_WIN ruvv_registry_iter_next(RUV_REGISTRY_ITER *iter, RUV_REGISTRY_FILTER filter, intptr_t arg)
{
    while (RUV_VOBJ *o = iter->next) {
        iter->next = o->next;
        if (!filter || filter(o, arg))
            return o;
    }
    return nullptr;
}

RUV_BOOL ruvv_registry_filter_flags(RUV_WIN obj, intptr_t mask)
{
    return (obj->kind & static_cast<uint32_t>(mask)) != 0;
}

RUV_BOOL ruvv_registry_filter_parent(RUV_WIN obj, intptr_t parent)
{
    return obj->parent == reinterpret_cast<RUV_VOBJ *>(parent);
}

SLIST *ruvv_registry_list(RUV_REGISTRY_FILTER filter, intptr_t arg, RUV_BOOL with_titles)
{
    SLIST *list = ruvv_slist_create();
    if (!list)
        return nullptr;
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    while (RUV_WIN o = ruvv_registry_iter_next(&it, filter, arg)) {
        char title[TITLE_SIZE + 1] = "";
        if (with_titles)
            ruvk_vobj_get_title(o, title, TITLE_SIZE);
        if (!ruvv_slist_add_sorted(list, title, reinterpret_cast<intptr_t>(o), 0, 0)) {
            ruvv_slist_destroy(list);
            return nullptr;
        }
    }
    return list;
}

SLIST *ruvv_win_list_wins(RUV_WIN parent, int32_t reserved, RUV_BOOL with_titles)
{
    SLIST *list = ruvv_slist_create();
    if (!list)
        return nullptr;
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    while (RUV_WIN o = ruvv_registry_iter_next(&it, child_of, reinterpret_cast<intptr_t>(parent))) {
        char title[TITLE_SIZE + 1] = "";
        if (with_titles) {
            int32_t type = (o->kind & RUV_KIND_TEXT_EDIT) ? 23 : o->type;
            if (type >= 25 || !untitled_type(type))
                ruvk_vobj_get_title(o, title, TITLE_SIZE);
        }
        // Inserted at the front while the registry is walked newest first:
        // the list comes out in creation order.
        if (!ruvv_slist_add_at_pos(list, 0, title, reinterpret_cast<intptr_t>(o))) {
            ruvv_slist_destroy(list);
            return nullptr;
        }
    }
    return list;
}

RUV_BOOL ruvv_app_is_update_in_progress(void)
{
    UpdateBlock *u = update_block();
    return u && u->count > 0 ? TRUE : FALSE;
}

RUV_BOOL ruvv_app_proc_update(void)
{
    if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_UPDATE_NOT_PENDING)) != 0)
        return FALSE;
    return ruvv_app_is_update_in_progress();
}

void ruvv_app_update_count(RUV_BOOL raise)
{
    UpdateBlock *u = update_block();
    if (!u)
        return;
    if (raise)
        ++u->count;
    else
        --u->count;
}

void ruvv_app_destroy(void)
{
    RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    ruvk_vobj_destroy(task);
}

void ruvv_app_get_default_ctools(RUV_DRAW_CTOOLS *ctools)
{
    if (!ctools)
        return;
    std::memset(ctools, 0, sizeof *ctools);
    ctools->pen.width = 1;
    ctools->pen.pattern = 2;
    ctools->pen.style = 0;
    ctools->pen.color = 0x07000000;
    ctools->brush.pattern = 2;
    ctools->brush.color = 0x0BFFFFFF;
    ctools->draw_mode = 0;
    ctools->fore = 0x07000000;
    ctools->back = 0x0BFFFFFF;
    ctools->opaque = 0;
}

int32_t ruvv_app_get_remote_platform(void)
{
    return 300;
}

int32_t ruvv_app_get_remote_winsys(void)
{
    return 300;
}

} // extern "C"
