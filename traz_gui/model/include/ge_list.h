// Generic list and allocation helpers shared by the scenario model, the
// editor and the map window: GE_List (a growable block of fixed-size slots),
// the allocators GE_Alloc / GE_ReAlloc / GE_Free, two string helpers, a float
// comparison and the edit record of the location pages.
#ifndef TRAZ_GE_LIST_H
#define TRAZ_GE_LIST_H

#include <cstddef>
#include <cstdint>

// Bytes by which a list's data block starts and grows.
constexpr uint32_t GE_LIST_BLOCK_STEP = 255;

// One list.  An element of at most sizeof(void*) bytes lives in its slot
// (slot size = element size); a larger element is copied to the heap on
// insertion and its slot holds the copy's address (slot size =
// sizeof(void*)); those copies belong to the list.  A list of pointers does
// not own the objects pointed to.
// Invariant: block size = count * slotSize + freeRoom.
struct GE_List {
    uint32_t slotSize;     // bytes per slot
    uint32_t elementSize;  // bytes per element as given at creation
    uint32_t freeRoom;     // bytes of the data block not in use
    int32_t count;         // number of elements
    unsigned char *data;   // count consecutive slots, owned by the list
};

// Functions handed to GE_ListDestroyWith / GE_ListClearWith / GE_ListMap
// receive the element's value: for a list of pointers the pointer, for a
// small element its bytes widened into a pointer-sized word, for a large
// element the address of the list's heap copy.
typedef void (*GE_ListFunc)(void *element);
typedef void *(*GE_ListMapFunc)(void *element);

// A new empty list with a 255-byte block; NULL when memory is short or the
// element size is 0.
GE_List *GE_ListCreate(uint32_t elementSize);
// Frees the heap copies, the block and the list; NULL is ignored.
void GE_ListDestroy(GE_List *list);
// Calls fn on every element in order, then destroys the list.
void GE_ListDestroyWith(GE_List *list, GE_ListFunc fn);
// Frees the heap copies and empties the list (the block is kept); returns
// the list.
GE_List *GE_ListClear(GE_List *list);
// Calls fn (may be NULL) on every element, then clears; NULL for NULL.
GE_List *GE_ListClearWith(GE_List *list, GE_ListFunc fn);
// Frees the heap copies of large elements only (their slots become NULL);
// the list must then be cleared or destroyed.
void GE_ListFreeElements(GE_List *list);

// Inserts a copy of *element at index (clamped to 0..count).  1, or 0 when
// memory is short; the list is then unchanged.
int GE_ListInsert(GE_List *list, int index, const void *element);
// Overwrites element index with a copy of *element; 0 for an index outside
// 0..count-1.
int GE_ListSet(GE_List *list, int index, const void *element);
// Copies element index into *out; 0 (out untouched) for an index outside
// 0..count-1.
int GE_ListGet(const GE_List *list, int index, void *out);
// Copies element index into *out (out may be NULL), frees its heap copy and
// closes the gap; 0 for an index outside 0..count-1.
int GE_ListRemove(GE_List *list, int index, void *out);
// Number of elements; 0 for NULL.
int GE_ListCount(const GE_List *list);
// Makes dst a copy of src (same element size).  1, or 0 when src is NULL
// ("GE_ListCopy: Source List is NULL" on the error stream), the element
// sizes differ or memory is short; dst is then unchanged.
int GE_ListCopy(GE_List *dst, const GE_List *src);
// dst[k] = fn(src[k]) for lists of elements of at most sizeof(void*) bytes.
// 1, or 0 (dst unchanged) for a bad argument or when memory is short.
int GE_ListMap(GE_List *dst, const GE_List *src, GE_ListMapFunc fn);

// Allocation through the current memory functions.  GE_Alloc(0) and
// GE_ReAlloc(block, 0) give NULL, the latter freeing the block; a failed
// allocation gives NULL (GE_ReAlloc then keeps the old block) and no message.
void *GE_Alloc(size_t size);
void *GE_ReAlloc(void *block, size_t size);
// Frees a block of GE_Alloc / GE_ReAlloc; NULL is ignored; returns 0.
int GE_Free(void *block);

// The memory functions behind GE_Alloc / GE_ReAlloc / GE_Free.  Tests install
// a failing allocator here; NULL restores the runtime's malloc family.
// Blocks must stay freeable across a switch (wrap the runtime's functions).
struct GE_MemFunctions {
    void *(*alloc)(size_t size);
    void *(*realloc)(void *block, size_t size);
    void (*free)(void *block);
};
void GE_SetMemFunctions(const GE_MemFunctions *functions);

// Heap copy (GE_Alloc) of text; NULL for NULL or when memory is short.
char *GE_StrDup(const char *text);
// Appends each text up to the terminating NULL argument to the heap string
// *target (which may be NULL: it then becomes a copy).  When memory is short
// the string stays as it was.
void GE_StrAppend(char **target, ...);
// 1 when |a - b| <= t, else 0.
int GE_FloatsNear(float a, float b, float t);

// The record in which a location page remembers its last edit.
struct GE_EditEvent {
    int32_t index;      // -1 = none
    int32_t operation;  // 2 = none yet
    void *item;         // pointer-sized buffer from GE_Alloc
};
// A new record {-1, 2, zeroed pointer-sized buffer}; NULL when memory is
// short.  Free item and record with GE_Free.
GE_EditEvent *GE_EditEventCreate(void);

#endif
