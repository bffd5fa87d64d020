/* Handler objects (RUV_CXO): callbacks attached to a window, or to the
   screen object for every window, that see the window's events before its
   own handler.  Modules such as keyboard navigation, the tree view and the
   text edit attach behaviour to any window with them.  A handler passes an
   event on with ruvv_cxo_call_next (NULL, itself, event); one that does not
   consumes it.  Each handler gets one E_CXO event with message
   E_CXO_CREATED when made and one with E_CXO_DESTROYED before it is
   freed. */
#ifndef RUVV_CXO_H
#define RUVV_CXO_H

#include "ruvv_event.h"

#ifdef __cplusplus
extern "C" {
#endif

struct SLIST;
struct RUV_CXO;

typedef int32_t (*RUV_CXO_CALLBACK)(struct RUV_CXO *cxo, RUV_EVENT *event);

/* The handler record; valid while magic holds the address of the
   constant text "CXOMagic#". */
typedef struct RUV_CXO {
    const char *magic;
    RUV_WIN owner;              /* while a screen-level handler runs: the
                                   window the event is for */
    int16_t class_id;           /* class name in the name-to-id map */
    void *app_data;             /* tells handlers of one class apart */
    RUV_CXO_CALLBACK callback;
    uint32_t event_mask;        /* RUV_EVENT_BIT of each type wanted */
    void *user_data;            /* passed with E_CXO_CREATED */
    struct RUV_CXO *next;       /* in the owner's chain */
    int16_t destroyed;          /* destroyed while a call was in progress */
    int16_t screen_level;       /* the owner is the screen object */
    int32_t calls;              /* calls in progress */
    struct RUV_CXO *pending_next; /* in the list of handlers destroyed busy */
} RUV_CXO;

/* Chain positions of ruvv_cxo_create (any other value links nowhere). */
#define RUV_CXO_FRONT 0
#define RUV_CXO_TAIL  1

/* A new handler of owner (a window, or the screen object of attribute 300),
   linked at position; NULL when the owner is not a window or memory runs
   out. */
RUV_CXO *ruvv_cxo_create(RUV_WIN owner, void *user_data, int32_t position, RUV_CXO_CALLBACK callback,
                         uint32_t mask, const char *class_name, void *app_data);
/* Unlinks the handler and frees it, or, while a call to it is in progress,
   when the last call returns.  A handler not in its owner's chain is left
   alone. */
void ruvv_cxo_destroy(RUV_CXO *cxo);
/* ruvv_cxo_destroy for every handler of a chain, front to back. */
void ruvv_cxo_destroy_chain(RUV_CXO **chain);
/* Frees the handlers destroyed while busy whose calls have all returned
   (called by the kernel). */
void ruvv_cxo_free_pending(void);
/* Sends an E_CXO event with message and data; the callback's result. */
int32_t ruvv_cxo_dispatch_msg(RUV_CXO *cxo, int32_t message, void *data);
RUV_BOOL ruvv_cxo_is_valid(const RUV_CXO *cxo);
/* The class name into buf (zero-filled, at most len - 1 characters); NULL
   when the handler's id has no name. */
char *ruvv_cxo_get_class_name(const RUV_CXO *cxo, char *buf, int32_t len);
/* Passes an event on: exactly one of win (to start) and cxo (the running
   handler) is given; -1 otherwise, for E_CXO events and when nobody takes
   the event. */
int32_t ruvv_cxo_call_next(RUV_WIN win, RUV_CXO *cxo, RUV_EVENT *event);

/* The first handler of the window's own chain of that class (and app data,
   when not NULL); NULL when none. */
RUV_CXO *ruvv_win_get_cxo(RUV_WIN win, const char *class_name, void *app_data);
/* The keyboard-navigation handler ("NavClassName"). */
RUV_CXO *ruvv_win_get_nav(RUV_WIN win);
/* A new SLIST of the window's handlers in reverse chain order (string =
   class name, refcon = handler); NULL for an empty chain or on failure. */
struct SLIST *ruvv_win_list_cxos(RUV_WIN win);

#ifdef __cplusplus
}
#endif

#endif
