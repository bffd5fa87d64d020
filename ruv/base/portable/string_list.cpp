/* SLIST, the string list handed across the toolkit's API: a tag byte 0xFF
   followed by a singly linked chain of elements, each holding a refcon and
   its string inline. */
#include <string.h>

#include "ruvv_errmsg.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_str.h"

namespace {

constexpr RUV_ERRMSG_ID kBadValue = 0x01250001;
constexpr RUV_ERRMSG_ID kNoHeap = 0x01510001;
constexpr const char *kModule = "slist";

} // namespace

struct SLIST_ELT {
    SLIST_ELT *next;
    intptr_t refcon;
    char text[1]; /* the string, terminated */
};

struct SLIST {
    unsigned char tag; /* RUV_SLIST_TAG */
    SLIST_ELT *first;
};

namespace {

void bad_value(int line) { ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kBadValue, kModule, line); }

SLIST_ELT *new_elt(const char *text, intptr_t refcon)
{
    size_t len = strlen(text);
    auto *e = static_cast<SLIST_ELT *>(ruvv_mem_alloc(offsetof(SLIST_ELT, text) + len + 1));
    if (!e) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kNoHeap, kModule, __LINE__);
        return nullptr;
    }
    e->next = nullptr;
    e->refcon = refcon;
    memcpy(e->text, text, len + 1);
    return e;
}

/* Links the new chain first..last in at *link. */
void splice(SLIST_ELT **link, SLIST_ELT *first, SLIST_ELT *last)
{
    last->next = *link;
    *link = first;
}

/* Inserts text (a string, or an SLIST whose elements are moved) at *link. */
RUV_BOOL insert_at(SLIST *list, SLIST_ELT **link, const char *text, intptr_t refcon)
{
    if (ruvv_slist_is_valid(text)) {
        auto *src = reinterpret_cast<SLIST *>(const_cast<char *>(text));
        if (src == list) {
            bad_value(__LINE__);
            return FALSE;
        }
        if (!src->first)
            return TRUE;
        SLIST_ELT *last = src->first;
        while (last->next)
            last = last->next;
        splice(link, src->first, last);
        src->first = nullptr;
        return TRUE;
    }
    SLIST_ELT *e = new_elt(text, refcon);
    if (!e)
        return FALSE;
    splice(link, e, e);
    return TRUE;
}

SLIST_ELT **end_link(SLIST *list)
{
    SLIST_ELT **link = &list->first;
    while (*link)
        link = &(*link)->next;
    return link;
}

} // namespace

extern "C" SLIST *ruvv_slist_create(void)
{
    auto *list = static_cast<SLIST *>(ruvv_mem_alloc(sizeof(SLIST)));
    if (!list) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kNoHeap, kModule, __LINE__);
        return nullptr;
    }
    list->tag = RUV_SLIST_TAG;
    list->first = nullptr;
    return list;
}

extern "C" RUV_BOOL ruvv_slist_destroy(SLIST *list)
{
    if (!ruvv_slist_is_valid(list))
        return FALSE;
    SLIST_ELT *e = list->first;
    while (e) {
        SLIST_ELT *next = e->next;
        ruvv_mem_free(e);
        e = next;
    }
    list->tag = 0;
    ruvv_mem_free(list);
    return TRUE;
}

extern "C" RUV_BOOL ruvv_slist_is_valid(const void *list)
{
    return list && *static_cast<const unsigned char *>(list) == RUV_SLIST_TAG;
}

extern "C" int32_t ruvv_slist_count(const SLIST *list)
{
    if (!list)
        return 0;
    int32_t n = 0;
    for (const SLIST_ELT *e = list->first; e; e = e->next)
        n++;
    return n;
}

extern "C" SLIST_ELT *ruvv_slist_get_first(const SLIST *list) { return list ? list->first : nullptr; }

extern "C" SLIST_ELT *ruvv_slist_get_next(const SLIST *list, const SLIST_ELT *elt)
{
    return list && elt ? elt->next : nullptr;
}

extern "C" char *ruvv_slist_get(const SLIST *list, const SLIST_ELT *elt, intptr_t *refcon)
{
    if (!elt)
        return nullptr;
    if (refcon)
        *refcon = elt->refcon;
    return const_cast<char *>(elt->text);
}

extern "C" intptr_t *ruvv_slist_get_data(SLIST_ELT *elt) { return elt ? &elt->refcon : nullptr; }

extern "C" char *ruvv_slist_get_elt(const SLIST *list, int32_t index, intptr_t *refcon)
{
    if (!list || index < 0)
        return nullptr;
    const SLIST_ELT *e = list->first;
    while (e && index-- > 0)
        e = e->next;
    return ruvv_slist_get(list, e, refcon);
}

extern "C" RUV_BOOL ruvv_slist_add_at_pos(SLIST *list, int32_t pos, const char *text, intptr_t refcon)
{
    if (!ruvv_slist_is_valid(list) || !text) {
        bad_value(__LINE__);
        return FALSE;
    }
    SLIST_ELT **link = &list->first;
    if (pos < 0) {
        link = end_link(list);
    } else {
        while (*link && pos-- > 0)
            link = &(*link)->next;
    }
    return insert_at(list, link, text, refcon);
}

extern "C" RUV_BOOL ruvv_slist_add_at_elt(SLIST *list, SLIST_ELT *elt, const char *text, intptr_t refcon)
{
    if (!ruvv_slist_is_valid(list) || !text) {
        bad_value(__LINE__);
        return FALSE;
    }
    SLIST_ELT **link = nullptr;
    if (elt) {
        for (SLIST_ELT *e = list->first; e; e = e->next)
            if (e == elt) {
                link = &e->next;
                break;
            }
        if (!link)
            bad_value(__LINE__); /* not in the list: goes at the end */
    }
    if (!link)
        link = end_link(list);
    return insert_at(list, link, text, refcon);
}

extern "C" RUV_BOOL ruvv_slist_add_sorted(SLIST *list, const char *text, intptr_t refcon, int unique,
                                          int case_sensitive)
{
    if (!ruvv_slist_is_valid(list) || !text || ruvv_slist_is_valid(text)) {
        bad_value(__LINE__);
        return FALSE;
    }
    SLIST_ELT **link = &list->first;
    for (; *link; link = &(*link)->next) {
        int c = case_sensitive ? ruvv_str_collate((*link)->text, text)
                               : ruvv_str_collate_ignoring_case((*link)->text, text);
        if (c >= 0) {
            if (c == 0 && unique)
                return TRUE;
            break;
        }
    }
    return insert_at(list, link, text, refcon);
}

extern "C" RUV_BOOL ruvv_slist_rem(SLIST *list, SLIST_ELT *elt)
{
    if (ruvv_slist_is_valid(list) && elt) {
        for (SLIST_ELT **link = &list->first; *link; link = &(*link)->next)
            if (*link == elt) {
                *link = elt->next;
                ruvv_mem_free(elt);
                return TRUE;
            }
    }
    bad_value(__LINE__);
    return FALSE;
}

extern "C" void ruvv_slist_debug(const SLIST *list)
{
    char text[100];
    if (!list) {
        ruvv_debug_print("%s", ruvv_str_getstr(31400, text, sizeof text, "NULL argument."));
        return;
    }
    if (!list->first) {
        ruvv_debug_print("%s", ruvv_str_getstr(31401, text, sizeof text, "Empty list."));
        return;
    }
    int n = 1;
    for (const SLIST_ELT *e = list->first; e; e = e->next, n++)
        ruvv_debug_print("%4d: Refcon =%10lld   String = \"%s\"", n, (long long)e->refcon, e->text);
}
