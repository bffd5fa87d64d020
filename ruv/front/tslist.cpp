// String-list functions of the front layer: SLIST lists of texts with a
// data word each.  Members that take a list test it; some hand a NULL list
// on to the base library, which answers for no list.  None is refused
// during an update.
#include "front_guard.h"
#include "ruv.h"
#include "ruvv_list.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tslist";

// A NULL list passes (the base library answers for it); any other must be
// a valid list.
bool list_or_null(Guard &g, const SLIST *list, int line = __builtin_LINE())
{
    return !list || g.check(ruvv_slist_is_valid(list) != 0, ruvf::ID_INVALID_SLIST, nullptr, line);
}

// A list is required and must be valid.
bool list_ok(Guard &g, const SLIST *list, int line = __builtin_LINE())
{
    return g.not_null(list, ruvf::ID_NULL_SLIST, line) &&
           g.check(ruvv_slist_is_valid(list) != 0, ruvf::ID_INVALID_SLIST, nullptr, line);
}

} // namespace

extern "C" SLIST *ruv_slist_create(void)
{
    Guard g("ruv_slist_create", SRC);
    return ruvv_slist_create();
}

extern "C" void ruv_slist_destroy(SLIST *list)
{
    Guard g("ruv_slist_destroy", SRC);
    if (list_or_null(g, list))
        ruvv_slist_destroy(list);
}

extern "C" int32_t ruv_slist_count(const SLIST *list)
{
    Guard g("ruv_slist_count", SRC);
    if (!list_or_null(g, list))
        return -1;
    return ruvv_slist_count(list);
}

extern "C" void ruv_slist_debug(const SLIST *list)
{
    Guard g("ruv_slist_debug", SRC);
    if (list_or_null(g, list))
        ruvv_slist_debug(list);
}

extern "C" SLIST_ELT *ruv_slist_get_first(const SLIST *list)
{
    Guard g("ruv_slist_get_first", SRC);
    if (!list_or_null(g, list))
        return nullptr;
    return ruvv_slist_get_first(list);
}

extern "C" SLIST_ELT *ruv_slist_get_next(const SLIST *list, const SLIST_ELT *element)
{
    Guard g("ruv_slist_get_next", SRC);
    if (!list_ok(g, list))
        return nullptr;
    return ruvv_slist_get_next(list, element);
}

extern "C" char *ruv_slist_get(const SLIST *list, const SLIST_ELT *element, intptr_t *data)
{
    Guard g("ruv_slist_get", SRC);
    if (!list_ok(g, list))
        return nullptr;
    return ruvv_slist_get(list, element, data);
}

extern "C" char *ruv_slist_get_elt(const SLIST *list, int32_t index, intptr_t *data)
{
    Guard g("ruv_slist_get_elt", SRC);
    if (!list_ok(g, list))
        return nullptr;
    return ruvv_slist_get_elt(list, index, data);
}

extern "C" intptr_t *ruv_slist_get_data(SLIST_ELT *element)
{
    Guard g("ruv_slist_get_data", SRC);
    if (!g.not_null(element))
        return nullptr;
    return ruvv_slist_get_data(element);
}

extern "C" RUV_BOOL ruv_slist_add_at_elt(SLIST *list, SLIST_ELT *element, const char *text, intptr_t data)
{
    Guard g("ruv_slist_add_at_elt", SRC);
    if (!list_ok(g, list) || !g.not_null(text))
        return FALSE;
    return ruvv_slist_add_at_elt(list, element, text, data);
}

extern "C" RUV_BOOL ruv_slist_add_at_pos(SLIST *list, int32_t position, const char *text, intptr_t data)
{
    Guard g("ruv_slist_add_at_pos", SRC);
    if (!list_ok(g, list) || !g.not_null(text))
        return FALSE;
    return ruvv_slist_add_at_pos(list, position, text, data);
}

extern "C" RUV_BOOL ruv_slist_add_sorted(SLIST *list, const char *text, intptr_t data, int32_t unique,
                                         int32_t caseSensitive)
{
    Guard g("ruv_slist_add_sorted", SRC);
    if (!list_ok(g, list) || !g.not_null(text))
        return FALSE;
    return ruvv_slist_add_sorted(list, text, data, unique, caseSensitive);
}

extern "C" RUV_BOOL ruv_slist_rem(SLIST *list, SLIST_ELT *element)
{
    Guard g("ruv_slist_rem", SRC);
    if (!list_ok(g, list) || !g.not_null(element))
        return FALSE;
    return ruvv_slist_rem(list, element);
}

extern "C" RUV_BOOL ruv_slist_is_valid(const void *list)
{
    Guard g("ruv_slist_is_valid", SRC);
    return ruvv_slist_is_valid(list);
}
