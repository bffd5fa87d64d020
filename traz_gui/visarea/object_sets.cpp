// The object sets of the edit kinds: arrays of point and line records that
// grow by one record per addition, close up on deletion and are freed when
// empty, and the pick rules by which a click on a cell finds an object.
#include <cstdlib>
#include <cstring>

#include "ge_list.h"
#include "visarea.h"

namespace {

template <typename T> int Copy(T **array, int32_t *count, const T *from, int32_t n)
{
    if (!array || !count || n < 0 || (n > 0 && !from))
        return 0;
    T *fresh = nullptr;
    if (n > 0) {
        fresh = static_cast<T *>(GE_Alloc(sizeof(T) * static_cast<size_t>(n)));
        if (!fresh)
            return 0;
        std::memcpy(fresh, from, sizeof(T) * static_cast<size_t>(n));
    }
    GE_Free(*array);
    *array = fresh;
    *count = n;
    return 1;
}

template <typename T> int Append(T **array, int32_t *count, const T *item)
{
    if (!array || !count || !item || *count < 0)
        return 0;
    // The item may be a record of the array itself: copy it before growing.
    const T copy = *item;
    T *grown = static_cast<T *>(GE_ReAlloc(*array, sizeof(T) * (static_cast<size_t>(*count) + 1)));
    if (!grown)
        return 0;
    grown[*count] = copy;
    *array = grown;
    *count += 1;
    return 1;
}

template <typename T> void Delete(T **array, int32_t *count, int32_t index)
{
    if (!array || !*array || !count || index < 0 || index >= *count)
        return;
    T *items = *array;
    std::memmove(items + index, items + index + 1, sizeof(T) * static_cast<size_t>(*count - index - 1));
    *count -= 1;
    if (*count == 0) {
        GE_Free(items);
        *array = nullptr;
        return;
    }
    // A failed shrink keeps the larger block, which still holds the records.
    if (T *shrunk = static_cast<T *>(GE_ReAlloc(items, sizeof(T) * static_cast<size_t>(*count))))
        *array = shrunk;
}

template <typename T> void Replace(T *array, int32_t count, int32_t index, const T *item)
{
    if (array && item && index >= 0 && index < count)
        array[index] = *item;
}

int32_t Low(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t High(int32_t a, int32_t b) { return a < b ? b : a; }

}  // namespace

int GE_CopyPointObjects(GE_PointObject **array, int32_t *count, const GE_PointObject *from, int32_t n)
{
    return Copy(array, count, from, n);
}

int GE_AppendObject(GE_PointObject **array, int32_t *count, const GE_PointObject *item)
{
    return Append(array, count, item);
}

void GE_DeleteObject(GE_PointObject **array, int32_t *count, int32_t index) { Delete(array, count, index); }

void GE_ReplaceObject(GE_PointObject *array, int32_t count, int32_t index, const GE_PointObject *item)
{
    Replace(array, count, index, item);
}

int GE_CopyLineObjects(GE_LineObject **array, int32_t *count, const GE_LineObject *from, int32_t n)
{
    return Copy(array, count, from, n);
}

int GE_AppendLineObject(GE_LineObject **array, int32_t *count, const GE_LineObject *item)
{
    return Append(array, count, item);
}

void GE_DeleteLineObject(GE_LineObject **array, int32_t *count, int32_t index) { Delete(array, count, index); }

void GE_ReplaceLineObject(GE_LineObject *array, int32_t count, int32_t index, const GE_LineObject *item)
{
    Replace(array, count, index, item);
}

int GE_FindPointObject(const GE_PointObject *array, int32_t count, int32_t m, int32_t n, int32_t *index)
{
    for (int32_t k = 0; array && k < count; ++k)
        if (std::abs(m - array[k].m) < 2 && std::abs(n - array[k].n) < 2) {
            if (index)
                *index = k;
            return 1;
        }
    if (index)
        *index = -1;
    return 0;
}

int GE_FindLineObject(const GE_LineObject *array, int32_t count, int32_t m, int32_t n, int32_t *index)
{
    for (int32_t k = 0; array && k < count; ++k) {
        const GE_LineObject &l = array[k];
        if (m >= Low(l.m1, l.m2) && m <= High(l.m1, l.m2) && n >= Low(l.n1, l.n2) && n <= High(l.n1, l.n2)) {
            if (index)
                *index = k;
            return 1;
        }
    }
    if (index)
        *index = -1;
    return 0;
}
