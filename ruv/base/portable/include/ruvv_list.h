/* The toolkit's small containers: SLIST, the string list handed across the
   API; a doubly linked list of data pointers; the process-wide map from
   names to 16-bit ids; and the filling of list controls. */
#ifndef RUVV_LIST_H
#define RUVV_LIST_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* String list: a tag byte 0xFF, then the elements.  A pointer whose first
   byte is 0xFF is taken as an SLIST wherever a string or a list is
   accepted, so a string may not begin with byte 0xFF.  A refcon is
   pointer-sized: it often holds an object. */
#define RUV_SLIST_TAG 0xFF
typedef struct SLIST_ELT SLIST_ELT;
typedef struct SLIST SLIST;

SLIST *ruvv_slist_create(void);
RUV_BOOL ruvv_slist_destroy(SLIST *list);
RUV_BOOL ruvv_slist_is_valid(const void *list);
int32_t ruvv_slist_count(const SLIST *list);
SLIST_ELT *ruvv_slist_get_first(const SLIST *list);
SLIST_ELT *ruvv_slist_get_next(const SLIST *list, const SLIST_ELT *elt);
char *ruvv_slist_get(const SLIST *list, const SLIST_ELT *elt, intptr_t *refcon);
intptr_t *ruvv_slist_get_data(SLIST_ELT *elt);
char *ruvv_slist_get_elt(const SLIST *list, int32_t index, intptr_t *refcon);
/* text may itself be an SLIST: its elements are moved in and it is left
   empty. */
RUV_BOOL ruvv_slist_add_at_pos(SLIST *list, int32_t pos, const char *text, intptr_t refcon);
RUV_BOOL ruvv_slist_add_at_elt(SLIST *list, SLIST_ELT *elt, const char *text, intptr_t refcon);
RUV_BOOL ruvv_slist_add_sorted(SLIST *list, const char *text, intptr_t refcon, int unique,
                               int case_sensitive);
RUV_BOOL ruvv_slist_rem(SLIST *list, SLIST_ELT *elt);
void ruvv_slist_debug(const SLIST *list);

/* Doubly linked list of data pointers. */
typedef struct RUV_DLIST RUV_DLIST;
typedef struct RUV_DLIST_NODE RUV_DLIST_NODE;
#define RUV_DLIST_FRONT 0
#define RUV_DLIST_END 1
#define RUV_DLIST_BEFORE 2
#define RUV_DLIST_AFTER 3
/* 0 when key and data are equal. */
typedef int (*RUV_DLIST_CMP)(const void *key, const void *data);
/* 0 stops the walk. */
typedef int (*RUV_DLIST_FN)(void *data);

RUV_DLIST *ruvv_dlist_create(void);
void ruvv_dlist_destroy(RUV_DLIST *list);
int32_t ruvv_dlist_count(const RUV_DLIST *list);
RUV_DLIST_NODE *ruvv_dlist_first(const RUV_DLIST *list);
RUV_DLIST_NODE *ruvv_dlist_last(const RUV_DLIST *list);
RUV_DLIST_NODE *ruvv_dlist_next(const RUV_DLIST_NODE *node);
RUV_DLIST_NODE *ruvv_dlist_prev(const RUV_DLIST_NODE *node);
void *ruvv_dlist_get_data(const RUV_DLIST_NODE *node);
RUV_DLIST_NODE *ruvv_dlist_insert(RUV_DLIST *list, void *data, RUV_DLIST_NODE *ref, int where);
void *ruvv_dlist_delete(RUV_DLIST *list, RUV_DLIST_NODE *node);
RUV_DLIST_NODE *ruvv_dlist_find_next(RUV_DLIST *list, const void *key, RUV_DLIST_NODE *node,
                                     RUV_DLIST_CMP compare);
RUV_DLIST_NODE *ruvv_dlist_find_prev(RUV_DLIST *list, const void *key, RUV_DLIST_NODE *node,
                                     RUV_DLIST_CMP compare);
RUV_BOOL ruvv_dlist_apply(RUV_DLIST *list, RUV_DLIST_FN fn);
void ruvv_dlist_put_data(RUV_DLIST_NODE *node, void *data);

/* Name-to-id map (one per process): the same name always gives the same
   id; ids start at 1; 0 means failure. */
int16_t ruvv_idmap_intern(const char *name);
const char *ruvv_idmap_name(int16_t id);

/* Adds a string, or every string of an SLIST, to a list control at pos
   (-1 appends); 0 when a list element's string cannot be fetched. */
RUV_BOOL ruvv_list_add(RUV_WIN ctl, int32_t pos, const char *text_or_list);

#ifdef __cplusplus
}
#endif

#endif
