/* Resources of the kernel: the list of resource libraries (a library's
   compiled and native resources replace the program's while it is
   current), string resources singly and as string lists, and raw-data
   blocks copied up to the caller's capacity. */
#include "resources.h"

#include <string.h>

#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "ruvv_static.h"

namespace {

constexpr int32_t kRangeBuffer = 256;

struct ResNode {
    RUV_FURL_STATE *state;
    HMODULE module;
    ResNode *next;
};

/* The list: head is current; `program` holds the resources that were
   current when the first library was added. */
struct ResBlock {
    ResNode *head;
    ResNode *program;
};
RUV_STATIC_BLOCK(g_desc, ResBlock, nullptr, nullptr);

ResBlock *block()
{
    return static_cast<ResBlock *>(ruvk_static_get_ptr(&g_desc));
}

HINSTANCE resource_instance()
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (app && app->res_instance)
        return app->res_instance;
    if (app && app->instance)
        return app->instance;
    return GetModuleHandleA(nullptr);
}

void set_resource_instance(HINSTANCE inst)
{
    if (RUV_APP_RECORD *app = ruvk_app_record())
        app->res_instance = inst;
}

bool own_module(HMODULE module)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    return module == GetModuleHandleA(nullptr) || (app && module == app->instance);
}

ResNode **link_of(ResBlock *b, const void *res)
{
    for (ResNode **l = &b->head; *l; l = &(*l)->next)
        if (*l == res)
            return l;
    return nullptr;
}

void make_current(ResBlock *b, ResNode **link)
{
    ResNode *n = *link;
    *link = n->next;
    n->next = b->head;
    b->head = n;
    set_resource_instance(n->module);
    ruvv_furl_swap_state(n->state);
}

} // namespace

extern "C" {

int32_t ruvk_res_load_rcdata(int32_t id, void *buffer, int32_t capacity)
{
    HINSTANCE inst = resource_instance();
    HRSRC r = FindResourceA(inst, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!r)
        return -1;
    DWORD size = SizeofResource(inst, r);
    HGLOBAL g = LoadResource(inst, r);
    const void *data = g ? LockResource(g) : nullptr;
    if (!data)
        return -1;
    if (buffer && capacity > 0)
        memcpy(buffer, data, size < (DWORD)capacity ? size : (size_t)capacity);
    return (int32_t)size;
}

char *ruvk_res_get_str(int32_t id, char *buf, int32_t len)
{
    if (!buf || len <= 0)
        return nullptr;
    if (LoadStringA(resource_instance(), (UINT)id, buf, len) <= 0)
        return nullptr;
    return buf;
}

struct SLIST *ruvk_res_get_str_list(int32_t first, int32_t last)
{
    if (first > last) {
        int32_t t = first;
        first = last;
        last = t;
    }
    SLIST *list = ruvv_slist_create();
    if (!list)
        return nullptr;
    char text[kRangeBuffer];
    for (int32_t id = first; id <= last; ++id) {
        if (!ruvk_res_get_str(id, text, sizeof text) || !ruvv_slist_add_at_pos(list, -1, text, 0)) {
            ruvv_slist_destroy(list);
            return nullptr;
        }
    }
    return list;
}

void *ruvk_res_add_res(const char *file)
{
    ResBlock *b = block();
    if (!b || !file)
        return nullptr;
    HMODULE lib = LoadLibraryA(file);
    if (!lib)
        return nullptr;
    HINSTANCE previous_inst = resource_instance();
    set_resource_instance(lib);
    RUV_FURL_STATE *current = nullptr;
    RUV_FURL_STATE *state = ruvv_furl_state_open(&current);
    set_resource_instance(previous_inst);

    ResNode *node = state ? static_cast<ResNode *>(ruvv_mem_zalloc(sizeof(ResNode))) : nullptr;
    ResNode *program = nullptr;
    if (node && !b->head) {
        program = static_cast<ResNode *>(ruvv_mem_zalloc(sizeof(ResNode)));
        if (program) {
            program->state = current;
            program->module = previous_inst;
        }
    }
    if (!node || (!b->head && !program)) {
        ruvv_mem_free(node);
        if (state)
            ruvv_furl_state_free(state);
        if (!own_module(lib))
            FreeLibrary(lib);
        return nullptr;
    }
    if (program) {
        b->head = b->program = program;
    }
    node->state = state;
    node->module = lib;
    node->next = b->head->next;
    b->head->next = node;
    return node;
}

void *ruvk_res_use_res(void *res)
{
    ResBlock *b = block();
    ResNode **link = b && res ? link_of(b, res) : nullptr;
    if (!link)
        return nullptr;
    ResNode *previous = b->head;
    if (previous != res)
        make_current(b, link);
    return previous;
}

RUV_BOOL ruvk_res_remove_res(void *res)
{
    ResBlock *b = block();
    ResNode **link = b && res ? link_of(b, res) : nullptr;
    /* The program's own resources stay. */
    if (!link || res == b->program)
        return FALSE;
    ResNode *n = *link;
    if (n == b->head && n->next) {
        make_current(b, &n->next);
        link = link_of(b, n);
    }
    *link = n->next;
    if (!own_module(n->module))
        FreeLibrary(n->module);
    ruvv_furl_state_free(n->state);
    ruvv_mem_free(n);
    return TRUE;
}

void ruvk_res_remove_all_res(void)
{
    ResBlock *b = block();
    if (!b || !b->head)
        return;
    if (b->head != b->program)
        make_current(b, link_of(b, b->program));
    while (b->head->next)
        ruvk_res_remove_res(b->head->next);
    ruvv_mem_free(b->head);
    b->head = b->program = nullptr;
}

} // extern "C"
