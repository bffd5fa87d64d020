// Handler objects and their chains: creation and destruction of RUV_CXO
// records, the list of handlers destroyed while a call to them was in
// progress, and the walk that hands an event from the screen object's
// chain to the window's chain and last to the window's own handler.
// Every callback runs in an error frame of its own.

#include <cstring>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_cxo.h"
#include "ruvv_errmsg.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"

namespace {

// A record is a handler while its first field holds this address.
const char kMagic[] = "CXOMagic#";

constexpr RUV_ERRMSG_ID kNullHandle = 0x00210000;
constexpr RUV_ERRMSG_ID kInvalidObject = 0x00220000;
constexpr size_t kNameCompare = 32767;

struct CxoBlock {
    RUV_CXO *pending;  // destroyed while busy, linked through pending_next
};

// At process end the records still waiting are freed without callbacks.
void cxo_term(void *p)
{
    CxoBlock *b = static_cast<CxoBlock *>(p);
    while (RUV_CXO *c = b->pending) {
        b->pending = c->pending_next;
        c->magic = nullptr;
        ruvv_mem_free(c);
    }
}

RUV_STATIC_BLOCK(cxo_desc, CxoBlock, nullptr, cxo_term);

CxoBlock *cxo_block()
{
    return static_cast<CxoBlock *>(ruvk_static_get_ptr(&cxo_desc));
}

RUV_WIN screen_object()
{
    RUV_WIN s = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
    return ruvv_vobj_is_valid(s) ? s : NULL_WIN;
}

// The chain a handler is linked in: the screen object's for screen-level
// handlers (whose owner field may stand for another window while they
// run), else its owner's.
RUV_CXO **chain_of(RUV_CXO *cxo)
{
    RUV_WIN w = cxo->screen_level ? screen_object() : cxo->owner;
    return ruvv_vobj_is_valid(w) ? &w->cxo_chain : nullptr;
}

// Unlinks cxo from the chain at head.  A handler destroyed while busy keeps
// its next field, so that it can still pass an event on; it is moved past
// the handler leaving, which may be freed soon.
bool unlink(RUV_CXO **head, RUV_CXO *cxo)
{
    for (RUV_CXO **p = head; *p; p = &(*p)->next) {
        if (*p != cxo)
            continue;
        *p = cxo->next;
        if (CxoBlock *b = cxo_block()) {
            for (RUV_CXO *d = b->pending; d; d = d->pending_next)
                if (d->next == cxo)
                    d->next = cxo->next;
        }
        return true;
    }
    return false;
}

void take_off_pending(RUV_CXO *cxo)
{
    CxoBlock *b = cxo_block();
    if (!b)
        return;
    for (RUV_CXO **p = &b->pending; *p; p = &(*p)->pending_next) {
        if (*p == cxo) {
            *p = cxo->pending_next;
            cxo->pending_next = nullptr;
            return;
        }
    }
}

int32_t send_cxo_event(RUV_CXO *cxo, void *frame_owner, int32_t message, void *data)
{
    RUV_EVENT ev;
    std::memset(&ev, 0, sizeof ev);
    ev.type = E_CXO;
    ev.v.cxo.message = message;
    ev.v.cxo.data = data;
    ruv::ErrFrame frame(frame_owner);
    return cxo->callback ? cxo->callback(cxo, &ev) : -1;
}

// Last message, then the record goes.
void finish(RUV_CXO *cxo)
{
    send_cxo_event(cxo, cxo->owner, E_CXO_DESTROYED, nullptr);
    cxo->magic = nullptr;
    ruvv_mem_free(cxo);
}

// After a call returns: a handler destroyed during it goes now when no
// other call to it is left.  True when it went.
bool end_call(RUV_CXO *cxo)
{
    --cxo->calls;
    if (!cxo->destroyed || cxo->calls != 0)
        return false;
    take_off_pending(cxo);
    finish(cxo);
    return true;
}

RUV_CXO *find_in(RUV_CXO *from, uint32_t bit)
{
    for (RUV_CXO *c = from; c; c = c->next)
        if (c->event_mask & bit)
            return c;
    return nullptr;
}

} // namespace

extern "C" {

RUV_CXO *ruvv_cxo_create(RUV_WIN owner, void *user_data, int32_t position, RUV_CXO_CALLBACK callback,
                         uint32_t mask, const char *class_name, void *app_data)
{
    if (!owner) {
        RUV_ERR(owner, RUV_SEV_ERROR, kNullHandle);
        return nullptr;
    }
    if (!ruvv_vobj_is_valid(owner) || owner->tag != RUV_VOBJ_TAG) {
        RUV_ERR(owner, RUV_SEV_ERROR, kInvalidObject);
        return nullptr;
    }
    RUV_CXO *cxo = static_cast<RUV_CXO *>(ruvv_mem_zalloc(sizeof(RUV_CXO)));
    if (!cxo)
        return nullptr;
    cxo->magic = kMagic;
    cxo->owner = owner;
    cxo->class_id = class_name ? ruvv_idmap_intern(class_name) : 0;
    cxo->app_data = app_data;
    cxo->callback = callback;
    cxo->event_mask = mask;
    cxo->user_data = user_data;
    cxo->screen_level = owner == screen_object() ? 1 : 0;
    if (position == RUV_CXO_FRONT) {
        cxo->next = owner->cxo_chain;
        owner->cxo_chain = cxo;
    } else if (position == RUV_CXO_TAIL) {
        RUV_CXO **p = &owner->cxo_chain;
        while (*p)
            p = &(*p)->next;
        *p = cxo;
    }
    // Counted as a call: a handler that destroys itself on its creation
    // message is freed after it, and the caller gets NULL.
    ++cxo->calls;
    send_cxo_event(cxo, owner, E_CXO_CREATED, user_data);
    return end_call(cxo) ? nullptr : cxo;
}

void ruvv_cxo_destroy(RUV_CXO *cxo)
{
    if (!ruvv_cxo_is_valid(cxo) || cxo->destroyed)
        return;
    RUV_CXO **head = chain_of(cxo);
    if (!head || !unlink(head, cxo))
        return;
    if (cxo->calls == 0) {
        finish(cxo);
        return;
    }
    cxo->destroyed = 1;
    if (CxoBlock *b = cxo_block()) {
        cxo->pending_next = b->pending;
        b->pending = cxo;
    }
}

void ruvv_cxo_destroy_chain(RUV_CXO **chain)
{
    if (!chain)
        return;
    while (RUV_CXO *c = *chain) {
        ruvv_cxo_destroy(c);
        // Not taken off this chain: it is no owner's chain; stop.
        if (*chain == c)
            break;
    }
}

void ruvv_cxo_free_pending(void)
{
    CxoBlock *b = cxo_block();
    if (!b)
        return;
    // A handler still inside a call stays until that call returns.  Its
    // last message may destroy others, so the walk restarts each time.
    for (;;) {
        RUV_CXO *idle = b->pending;
        while (idle && idle->calls != 0)
            idle = idle->pending_next;
        if (!idle)
            return;
        take_off_pending(idle);
        finish(idle);
    }
}

int32_t ruvv_cxo_dispatch_msg(RUV_CXO *cxo, int32_t message, void *data)
{
    if (!ruvv_cxo_is_valid(cxo))
        return -1;
    ++cxo->calls;
    int32_t result = send_cxo_event(cxo, cxo->owner, message, data);
    end_call(cxo);
    return result;
}

RUV_BOOL ruvv_cxo_is_valid(const RUV_CXO *cxo)
{
    return cxo && cxo->magic == kMagic ? TRUE : FALSE;
}

char *ruvv_cxo_get_class_name(const RUV_CXO *cxo, char *buf, int32_t len)
{
    if (!buf || len <= 0)
        return nullptr;
    std::memset(buf, 0, static_cast<size_t>(len));
    if (!ruvv_cxo_is_valid(cxo))
        return nullptr;
    const char *name = ruvv_idmap_name(cxo->class_id);
    if (!name)
        return nullptr;
    std::strncpy(buf, name, static_cast<size_t>(len));
    buf[len - 1] = '\0';
    return buf;
}

int32_t ruvv_cxo_call_next(RUV_WIN win, RUV_CXO *cxo, RUV_EVENT *event)
{
    if (!event || (win && cxo) || (!win && !cxo) || event->type == E_CXO)
        return -1;
    if (cxo && !ruvv_cxo_is_valid(cxo))
        return -1;
    // The window the event is for.
    RUV_WIN target = win ? win : cxo->owner;
    if (!ruvv_vobj_is_valid(target))
        return -1;
    const uint32_t bit = RUV_EVENT_BIT(event->type);
    RUV_WIN screen = screen_object();

    RUV_CXO *found = nullptr;
    if (!cxo || cxo->screen_level)
        found = find_in(cxo ? cxo->next : (screen ? screen->cxo_chain : nullptr), bit);
    // An event for the screen object itself has seen the screen's chain.
    if (!found && target != screen)
        found = find_in(cxo && !cxo->screen_level ? cxo->next : target->cxo_chain, bit);

    if (found) {
        ++found->calls;
        RUV_WIN saved = found->owner;
        if (found->screen_level)
            found->owner = target;
        void *frame_owner = cxo && !found->screen_level ? nullptr : target;
        int32_t result;
        {
            ruv::ErrFrame frame(frame_owner);
            result = found->callback ? found->callback(found, event) : -1;
        }
        if (found->screen_level)
            found->owner = saved;
        end_call(found);
        return result;
    }

    if (!(target->event_mask & bit))
        return -1;
    if (event->type == E_DESTROY) {
        target->event_mask = 0;
        ruvv_cxo_destroy_chain(&target->cxo_chain);
    }
    if (!target->handler)
        return -1;
    ruv::ErrFrame frame(target);
    return target->handler(target, event);
}

RUV_CXO *ruvv_win_get_cxo(RUV_WIN win, const char *class_name, void *app_data)
{
    if (!class_name || !ruvv_vobj_is_valid(win) || win->tag != RUV_VOBJ_TAG)
        return nullptr;
    for (RUV_CXO *c = win->cxo_chain; c; c = c->next) {
        const char *name = ruvv_idmap_name(c->class_id);
        if (!name)
            return nullptr;
        if (std::strncmp(name, class_name, kNameCompare) == 0 && (!app_data || c->app_data == app_data))
            return c;
    }
    return nullptr;
}

RUV_CXO *ruvv_win_get_nav(RUV_WIN win)
{
    return ruvv_win_get_cxo(win, "NavClassName", nullptr);
}

SLIST *ruvv_win_list_cxos(RUV_WIN win)
{
    if (!ruvv_vobj_is_valid(win) || !win->cxo_chain)
        return nullptr;
    SLIST *list = ruvv_slist_create();
    if (!list)
        return nullptr;
    for (RUV_CXO *c = win->cxo_chain; c; c = c->next) {
        const char *name = ruvv_idmap_name(c->class_id);
        if (!name || !ruvv_slist_add_at_pos(list, 0, name, reinterpret_cast<intptr_t>(c))) {
            ruvv_slist_destroy(list);
            return nullptr;
        }
    }
    return list;
}

} // extern "C"
