// Per-module static blocks resolved without the kernel: ruvv_static_init
// takes the block from the descriptor itself (its constructor or its
// storage) and queues descriptors that need terminating on one
// process-wide chain.

#include "ruvv_static.h"
#include "static_blocks.h"

namespace {

RUV_STATIC_DESC *term_head = nullptr;

bool on_chain(const RUV_STATIC_DESC *desc)
{
    for (RUV_STATIC_DESC *d = term_head; d; d = d->next)
        if (d == desc)
            return true;
    return false;
}

} // namespace

extern "C" {

void *ruvv_static_init(RUV_STATIC_DESC *desc)
{
    if (!desc)
        return nullptr;
    if (desc->construct) {
        desc->resolved = desc->construct();
        return desc->resolved;
    }
    desc->resolved = desc->storage;
    if (desc->init && desc->resolved)
        desc->init(desc->resolved);
    // Appended at the tail, once: a second resolution must not make the
    // chain loop on itself.
    if (desc->term && !on_chain(desc)) {
        desc->next = nullptr;
        RUV_STATIC_DESC **tail = &term_head;
        while (*tail)
            tail = &(*tail)->next;
        *tail = desc;
    }
    return desc->resolved;
}

RUV_STATIC_DESC *ruvv_static_term_chain(void)
{
    return term_head;
}

} // extern "C"
