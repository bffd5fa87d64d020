// Per-process static storage of the toolkit's modules: each module's
// descriptor gets a process table on first use, with up to 40 process
// slots; ruvwi_End releases every block of the calling process.  Tables
// and blocks come from the runtime heap: the memory hooks keep their own
// state in one of these blocks.

#include <cstdlib>
#include <cstring>

#include "kernel_app.h"
#include "ruvk.h"
#include "startup.h"

namespace {

constexpr int SLOTS = 40;

struct Slot {
    int32_t key;
    void *storage;
};

struct ProcessTable {
    ProcessTable *next;
    RUV_STATIC_DESC *desc;
    int32_t cached_key;
    void *cached;
    Slot slots[SLOTS + 1];   // ends with a zero key
    int16_t count;
    bool termed[SLOTS];      // term callback run (release in progress)
};

// Newest first.
ProcessTable *g_tables = nullptr;

int32_t process_key()
{
    return ruvk_platform.win32s ? static_cast<int32_t>(GetCurrentProcessId()) : 1;
}

ProcessTable *table_of(RUV_STATIC_DESC *desc)
{
    return static_cast<ProcessTable *>(desc->resolved);
}

ProcessTable *make_table(RUV_STATIC_DESC *desc)
{
    auto *t = static_cast<ProcessTable *>(std::calloc(1, sizeof(ProcessTable)));
    if (!t)
        return nullptr;
    t->desc = desc;
    t->next = g_tables;
    g_tables = t;
    desc->resolved = t;
    return t;
}

void unlink_table(ProcessTable *t)
{
    for (ProcessTable **p = &g_tables; *p; p = &(*p)->next) {
        if (*p == t) {
            *p = t->next;
            break;
        }
    }
    t->desc->resolved = nullptr;
    std::free(t);
}

} // namespace

extern "C" {

void *(*ruvk_static_calloc)(size_t count, size_t size) = std::calloc;

void *ruvk_static_get_ptr(RUV_STATIC_DESC *desc)
{
    if (!desc)
        return nullptr;
    int32_t key = process_key();
    ProcessTable *t = table_of(desc);
    if (!t && !(t = make_table(desc)))
        return nullptr;
    if (t->cached && t->cached_key == key)
        return t->cached;
    for (int i = 0; i < t->count; ++i) {
        if (t->slots[i].key == key) {
            t->cached_key = key;
            t->cached = t->slots[i].storage;
            return t->cached;
        }
    }
    if (t->count >= SLOTS)
        return nullptr;
    void *storage;
    if (desc->construct) {
        storage = desc->construct();
    } else {
        storage = ruvk_static_calloc(1, desc->size ? desc->size : 1);
        if (storage && desc->init)
            desc->init(storage);
    }
    if (!storage)
        return nullptr;
    t->slots[t->count].key = key;
    t->slots[t->count].storage = storage;
    ++t->count;
    t->slots[t->count].key = 0;
    t->cached_key = key;
    t->cached = storage;
    return storage;
}

void *ruvk_static_set_ptr(RUV_STATIC_DESC *desc, void *storage)
{
    ProcessTable *t = desc ? table_of(desc) : nullptr;
    if (!t)
        return nullptr;
    int32_t key = process_key();
    for (int i = 0; i < t->count; ++i) {
        if (t->slots[i].key == key) {
            void *old = t->slots[i].storage;
            t->slots[i].storage = storage;
            if (t->cached_key == key)
                t->cached = storage;
            return old;
        }
    }
    return nullptr;
}

void *ruvk_static_alloc(RUV_STATIC_DESC *desc)
{
    if (!desc || !table_of(desc))
        return nullptr;
    return ruvk_static_calloc(1, desc->size ? desc->size : 1);
}

// Every term callback runs while every block still exists (a term may free
// through the memory hooks, whose state is one of these blocks); a term
// that resolves a new descriptor gets its block terminated too.  Then the
// blocks and the emptied tables go.
void ruvk_static_release_process(void)
{
    int32_t key = process_key();
    // Terminate, repeating while terms bring new blocks.
    for (bool ran = true; ran;) {
        ran = false;
        for (ProcessTable *t = g_tables; t; t = t->next) {
            for (int i = 0; i < t->count; ++i) {
                if (t->slots[i].key != key || t->termed[i])
                    continue;
                t->termed[i] = true;
                ran = true;
                if (t->desc->term && t->slots[i].storage)
                    t->desc->term(t->slots[i].storage);
            }
        }
    }
    // Free and compact.
    ProcessTable *t = g_tables;
    while (t) {
        ProcessTable *next = t->next;
        int kept = 0;
        for (int i = 0; i < t->count; ++i) {
            Slot s = t->slots[i];
            if (s.key == key) {
                if (!t->desc->construct)
                    std::free(s.storage);
                continue;
            }
            t->termed[kept] = false;
            t->slots[kept++] = s;
        }
        t->count = static_cast<int16_t>(kept);
        t->slots[kept].key = 0;
        if (t->cached_key == key) {
            t->cached_key = 0;
            t->cached = nullptr;
        }
        if (kept == 0)
            unlink_table(t);
        t = next;
    }
}

} // extern "C"
