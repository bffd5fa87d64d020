// Generic list of fixed-size slots (GE_List) and the allocation helpers
// through which the scenario model, the editor and the map window obtain
// heap memory.  Every list operation that needs memory gets all of it before
// it changes anything, so a failed allocation leaves the list as it was.
#include "ge_list.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void *RuntimeAlloc(size_t size) { return std::malloc(size); }
void *RuntimeRealloc(void *block, size_t size) { return std::realloc(block, size); }
void RuntimeFree(void *block) { std::free(block); }

GE_MemFunctions g_mem = {RuntimeAlloc, RuntimeRealloc, RuntimeFree};

bool IsLarge(const GE_List *list) { return list->elementSize > sizeof(void *); }

unsigned char *Slot(const GE_List *list, int index)
{
    return list->data + static_cast<size_t>(index) * list->slotSize;
}

// Address of the heap copy held in a slot of a large-element list.
void *CopyAt(const GE_List *list, int index)
{
    void *copy;
    std::memcpy(&copy, Slot(list, index), sizeof copy);
    return copy;
}

// The element's value as handed to the callbacks.
void *ValueAt(const GE_List *list, int index)
{
    if (IsLarge(list))
        return CopyAt(list, index);
    uintptr_t word = 0;
    std::memcpy(&word, Slot(list, index), list->slotSize);
    return reinterpret_cast<void *>(word);
}

size_t BlockSize(const GE_List *list)
{
    return static_cast<size_t>(list->count) * list->slotSize + list->freeRoom;
}

void FreeCopies(GE_List *list)
{
    if (!IsLarge(list))
        return;
    for (int i = 0; i < list->count; ++i) {
        GE_Free(CopyAt(list, i));
        void *none = nullptr;
        std::memcpy(Slot(list, i), &none, sizeof none);
    }
}

} // namespace

void GE_SetMemFunctions(const GE_MemFunctions *functions)
{
    if (functions && functions->alloc && functions->realloc && functions->free)
        g_mem = *functions;
    else
        g_mem = GE_MemFunctions{RuntimeAlloc, RuntimeRealloc, RuntimeFree};
}

void *GE_Alloc(size_t size)
{
    if (size == 0)
        return nullptr;
    return g_mem.alloc(size);
}

void *GE_ReAlloc(void *block, size_t size)
{
    if (size == 0) {
        GE_Free(block);
        return nullptr;
    }
    if (!block)
        return g_mem.alloc(size);
    return g_mem.realloc(block, size);
}

int GE_Free(void *block)
{
    if (block)
        g_mem.free(block);
    return 0;
}

GE_List *GE_ListCreate(uint32_t elementSize)
{
    if (elementSize == 0)
        return nullptr;
    auto *list = static_cast<GE_List *>(GE_Alloc(sizeof(GE_List)));
    if (!list)
        return nullptr;
    list->data = static_cast<unsigned char *>(GE_Alloc(GE_LIST_BLOCK_STEP));
    if (!list->data) {
        GE_Free(list);
        return nullptr;
    }
    list->elementSize = elementSize;
    list->slotSize = elementSize <= sizeof(void *) ? elementSize : static_cast<uint32_t>(sizeof(void *));
    list->freeRoom = GE_LIST_BLOCK_STEP;
    list->count = 0;
    return list;
}

void GE_ListFreeElements(GE_List *list)
{
    if (list)
        FreeCopies(list);
}

void GE_ListDestroy(GE_List *list)
{
    if (!list)
        return;
    FreeCopies(list);
    GE_Free(list->data);
    GE_Free(list);
}

void GE_ListDestroyWith(GE_List *list, GE_ListFunc fn)
{
    if (!list)
        return;
    if (fn)
        for (int i = 0; i < list->count; ++i)
            fn(ValueAt(list, i));
    GE_ListDestroy(list);
}

GE_List *GE_ListClear(GE_List *list)
{
    if (!list)
        return nullptr;
    FreeCopies(list);
    list->freeRoom += static_cast<uint32_t>(list->count) * list->slotSize;
    list->count = 0;
    return list;
}

GE_List *GE_ListClearWith(GE_List *list, GE_ListFunc fn)
{
    if (!list)
        return nullptr;
    if (fn)
        for (int i = 0; i < list->count; ++i)
            fn(ValueAt(list, i));
    return GE_ListClear(list);
}

int GE_ListInsert(GE_List *list, int index, const void *element)
{
    if (!list || !element)
        return 0;
    if (index < 0)
        index = 0;
    if (index > list->count)
        index = list->count;

    // Everything that can fail comes first.
    void *copy = nullptr;
    if (IsLarge(list)) {
        copy = GE_Alloc(list->elementSize);
        if (!copy)
            return 0;
        std::memcpy(copy, element, list->elementSize);
    }
    if (list->freeRoom < list->slotSize) {
        auto *grown = static_cast<unsigned char *>(
            GE_ReAlloc(list->data, BlockSize(list) + GE_LIST_BLOCK_STEP));
        if (!grown) {
            GE_Free(copy);
            return 0;
        }
        list->data = grown;
        list->freeRoom += GE_LIST_BLOCK_STEP;
    }

    if (index < list->count)
        std::memmove(Slot(list, index + 1), Slot(list, index),
                     static_cast<size_t>(list->count - index) * list->slotSize);
    if (copy)
        std::memcpy(Slot(list, index), &copy, sizeof copy);
    else
        std::memcpy(Slot(list, index), element, list->slotSize);
    list->count += 1;
    list->freeRoom -= list->slotSize;
    return 1;
}

int GE_ListSet(GE_List *list, int index, const void *element)
{
    if (!list || !element || index < 0 || index >= list->count)
        return 0;
    if (IsLarge(list)) {
        void *copy = CopyAt(list, index);
        if (!copy)
            return 0;
        std::memcpy(copy, element, list->elementSize);
    } else {
        std::memcpy(Slot(list, index), element, list->slotSize);
    }
    return 1;
}

int GE_ListGet(const GE_List *list, int index, void *out)
{
    if (!list || !out || index < 0 || index >= list->count)
        return 0;
    if (IsLarge(list)) {
        const void *copy = CopyAt(list, index);
        if (!copy)
            return 0;
        std::memcpy(out, copy, list->elementSize);
    } else {
        std::memcpy(out, Slot(list, index), list->slotSize);
    }
    return 1;
}

int GE_ListRemove(GE_List *list, int index, void *out)
{
    if (!list || index < 0 || index >= list->count)
        return 0;
    if (IsLarge(list)) {
        void *copy = CopyAt(list, index);
        if (out && copy)
            std::memcpy(out, copy, list->elementSize);
        GE_Free(copy);
    } else if (out) {
        std::memcpy(out, Slot(list, index), list->slotSize);
    }
    if (index < list->count - 1)
        std::memmove(Slot(list, index), Slot(list, index + 1),
                     static_cast<size_t>(list->count - 1 - index) * list->slotSize);
    list->count -= 1;
    list->freeRoom += list->slotSize;
    return 1;
}

int GE_ListCount(const GE_List *list)
{
    return list ? list->count : 0;
}

int GE_ListCopy(GE_List *dst, const GE_List *src)
{
    if (!src) {
        std::perror("GE_ListCopy: Source List is NULL");
        return 0;
    }
    if (!dst || dst == src || dst->elementSize != src->elementSize)
        return 0;

    // Build the new block (and the heap copies) before dst is touched.
    const size_t srcBlock = BlockSize(src);
    const size_t dstBlock = BlockSize(dst);
    const size_t newBlock = dstBlock < srcBlock ? srcBlock : dstBlock;
    auto *block = static_cast<unsigned char *>(GE_Alloc(newBlock));
    if (!block)
        return 0;
    if (IsLarge(src)) {
        for (int i = 0; i < src->count; ++i) {
            void *copy = GE_Alloc(src->elementSize);
            if (!copy) {
                for (int k = 0; k < i; ++k) {
                    void *made;
                    std::memcpy(&made, block + static_cast<size_t>(k) * src->slotSize, sizeof made);
                    GE_Free(made);
                }
                GE_Free(block);
                return 0;
            }
            const void *from = CopyAt(src, i);
            if (from)
                std::memcpy(copy, from, src->elementSize);
            else
                std::memset(copy, 0, src->elementSize);
            std::memcpy(block + static_cast<size_t>(i) * src->slotSize, &copy, sizeof copy);
        }
    } else if (src->count > 0) {
        std::memcpy(block, src->data, static_cast<size_t>(src->count) * src->slotSize);
    }

    FreeCopies(dst);
    GE_Free(dst->data);
    dst->data = block;
    dst->count = src->count;
    dst->freeRoom = static_cast<uint32_t>(newBlock - static_cast<size_t>(src->count) * src->slotSize);
    return 1;
}

int GE_ListMap(GE_List *dst, const GE_List *src, GE_ListMapFunc fn)
{
    if (!dst || !src || !fn || dst == src || IsLarge(src) || IsLarge(dst))
        return 0;
    const size_t need = static_cast<size_t>(src->count) * dst->slotSize;
    const size_t have = BlockSize(dst);
    unsigned char *block = dst->data;
    size_t blockSize = have;
    if (need > have) {
        block = static_cast<unsigned char *>(GE_ReAlloc(dst->data, need));
        if (!block)
            return 0;
        blockSize = need;
    }
    dst->data = block;
    dst->count = src->count;
    dst->freeRoom = static_cast<uint32_t>(blockSize - need);
    for (int k = 0; k < src->count; ++k) {
        uintptr_t word = reinterpret_cast<uintptr_t>(fn(ValueAt(src, k)));
        std::memcpy(Slot(dst, k), &word, dst->slotSize);
    }
    return 1;
}

char *GE_StrDup(const char *text)
{
    if (!text)
        return nullptr;
    const size_t n = std::strlen(text) + 1;
    auto *copy = static_cast<char *>(GE_Alloc(n));
    if (copy)
        std::memcpy(copy, text, n);
    return copy;
}

void GE_StrAppend(char **target, ...)
{
    if (!target)
        return;
    std::va_list args;
    va_start(args, target);
    std::vector<const char *> texts;
    for (const char *t = va_arg(args, const char *); t; t = va_arg(args, const char *))
        texts.push_back(t);
    va_end(args);

    if (!*target && texts.empty())
        return;
    size_t total = *target ? std::strlen(*target) : 0;
    const size_t old = total;
    for (const char *t : texts)
        total += std::strlen(t);
    // A new block, not a reallocation: a text may be the target itself,
    // which must stay readable until it has been copied.
    auto *grown = static_cast<char *>(GE_Alloc(total + 1));
    if (!grown)
        return;
    if (old > 0)
        std::memcpy(grown, *target, old);
    size_t at = old;
    for (const char *t : texts) {
        const size_t n = std::strlen(t);
        std::memcpy(grown + at, t, n);
        at += n;
    }
    grown[at] = '\0';
    GE_Free(*target);
    *target = grown;
}

int GE_FloatsNear(float a, float b, float t)
{
    float d = a - b;
    if (d < 0)
        d = -d;
    return d <= t ? 1 : 0;
}

GE_EditEvent *GE_EditEventCreate(void)
{
    auto *event = static_cast<GE_EditEvent *>(GE_Alloc(sizeof(GE_EditEvent)));
    if (!event)
        return nullptr;
    event->item = GE_Alloc(sizeof(void *));
    if (!event->item) {
        GE_Free(event);
        return nullptr;
    }
    std::memset(event->item, 0, sizeof(void *));
    event->index = -1;
    event->operation = 2;
    return event;
}
