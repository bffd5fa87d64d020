/* Keyboard navigation between the controls of a window: a handler object of
   class "NavClassName" that keeps the window's controls and child windows
   in order and moves the focus with Tab and Shift+Tab, inside radio groups
   with the arrow keys, to a control by its mnemonic, and presses the
   default or cancel button for Enter and Esc.  A child window inside a
   navigated window hands its keys to the parent's navigation. */
#ifndef RUVV_NAV_H
#define RUVV_NAV_H

#include "ruvv_cxo.h"

#ifdef __cplusplus
extern "C" {
#endif

struct SLIST;

/* Places of ruvv_nav_add_win. */
#define RUV_NAV_FRONT  0
#define RUV_NAV_END    1
#define RUV_NAV_BEFORE 2
#define RUV_NAV_AFTER  3

/* Messages of a navigation handler (ruvv_cxo_dispatch_msg). */
#define RUV_NAV_MSG_ADD        1    /* RUV_NAV_ADD_DATA */
#define RUV_NAV_MSG_REMOVE     2    /* the window */
#define RUV_NAV_MSG_FORWARD    3
#define RUV_NAV_MSG_BACKWARD   4
#define RUV_NAV_MSG_DEFAULT    7    /* RUV_NAV_DEFAULT_DATA */
#define RUV_NAV_MSG_FIRST      8
#define RUV_NAV_MSG_LAST       9
#define RUV_NAV_MSG_PARENT     10   /* the parent's navigation handler */
#define RUV_NAV_MSG_PRESS_DEF  11
#define RUV_NAV_MSG_PRESS_CAN  12

typedef struct RUV_NAV_ADD_DATA {
    RUV_WIN ref;     /* places 2 and 3: the listed window it goes next to */
    RUV_WIN win;
    int32_t where;
} RUV_NAV_ADD_DATA;

typedef struct RUV_NAV_DEFAULT_DATA {
    RUV_WIN ctl;
    int32_t flag;
} RUV_NAV_DEFAULT_DATA;

/* A navigation over the windows of list (refcons) in order; NULL when the
   window has one already (0x01640001), a listed window has a type that
   cannot be navigated (0x01230001) or the handler cannot be made
   (0x01520001).  The list stays the caller's. */
RUV_CXO *ruvv_nav_create(RUV_WIN win, struct SLIST *list);
void ruvv_nav_destroy(RUV_CXO *nav);
/* Adds a window at where (RUV_NAV_FRONT ..); TRUE when listed. */
RUV_BOOL ruvv_nav_add_win(RUV_CXO *nav, RUV_WIN win, RUV_WIN ref, int32_t where);
RUV_BOOL ruvv_nav_rem_win(RUV_CXO *nav, RUV_WIN win);
/* A new SLIST of the listed windows in reverse order (empty texts, refcon =
   window); NULL for an invalid or empty navigation. */
struct SLIST *ruvv_nav_list_wins(RUV_CXO *nav);
RUV_BOOL ruvv_nav_is_valid(RUV_CXO *cxo);

#ifdef __cplusplus
}
#endif

#endif
