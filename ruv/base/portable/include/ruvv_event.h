/* Toolkit events: the RUV_EVENT record that the kernel fills from a
   window-system message and every event handler reads, the event types and
   key codes, and the event entry ruvv_win_dispatch_event, which offers an
   event to the help hook, the screen's and the window's handler chains and
   the window's own handler (handler chains: ruvv_cxo.h). */
#ifndef RUVV_EVENT_H
#define RUVV_EVENT_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_FONT;
struct RUV_TREE_NODE;

/* Event types. */
#define E_CREATE        0
#define E_DESTROY       1
#define E_FOCUS         2
#define E_SIZE          3
#define E_UPDATE        4
#define E_CLOSE         5
#define E_MOUSE_DOWN    6
#define E_MOUSE_UP      7
#define E_MOUSE_MOVE    8
#define E_MOUSE_DOUBLE  9
#define E_MOUSE_WHEEL   10
#define E_CHAR          11
#define E_VSCROLL       12
#define E_HSCROLL       13
#define E_COMMAND       14
#define E_FONT          15
#define E_CONTROL       16
#define E_TIMER         17
#define E_QUIT          18
#define E_HELP          19
#define E_USER          20
#define E_CXO           21  /* sent to one handler, never dispatched */

/* Event-mask bit of a type; a mask of all ones takes every type. */
#define RUV_EVENT_BIT(type) (1u << ((uint32_t)(type) & 31u))
#define RUV_EVENT_MASK_ALL  0xFFFFFFFFu

/* Messages of E_CXO events (any other value is an application message). */
#define E_CXO_CREATED   (-1)
#define E_CXO_DESTROYED (-2)

/* Modifier bits of E_CHAR. */
#define RUV_MOD_SHIFT   0x2u
#define RUV_MOD_CONTROL 0x4u
#define RUV_MOD_ALT     0x8u
#define RUV_MOD_LSHIFT  0x10u
#define RUV_MOD_RSHIFT  0x20u
#define RUV_MOD_LALT    0x200u
#define RUV_MOD_RALT    0x400u
#define RUV_MOD_ALTGR   0x800u

/* Key codes of E_CHAR with the virtual-key flag set. */
#define K_DELETE        127
#define K_UP            301
#define K_DOWN          302
#define K_RIGHT         303
#define K_LEFT          304
#define K_PAGE_UP       305
#define K_PAGE_DOWN     306
#define K_HOME          307
#define K_END           308
#define K_CTRL_HOME     309
#define K_CTRL_END      310
#define K_INSERT        312
#define K_CTRL_LEFT     313
#define K_CTRL_RIGHT    314
#define K_BACKTAB       315
#define K_HELP          316
#define K_CLEAR         317
#define K_PAD_0         318   /* .. K_PAD_0 + 9 */
#define K_F1            331   /* .. K_F1 + 23 */
#define K_PAD_MULTIPLY  372
#define K_PAD_MINUS     373
#define K_PAD_PLUS      374
#define K_PAD_DIVIDE    375
#define K_PAD_DECIMAL   376

/* Scroll actions of E_VSCROLL, E_HSCROLL and scroll-bar controls. */
#define SC_LINE_UP      1
#define SC_LINE_DOWN    2
#define SC_PAGE_UP      3
#define SC_PAGE_DOWN    4
#define SC_THUMB        5
#define SC_THUMB_TRACK  6

/* The event record: zero-filled, then the type and the fields of its
   type.  Pointer members make it larger than on a 32-bit system: use
   sizeof (RUV_EVENT). */
typedef struct RUV_EVENT {
    int32_t type;
    union {
        struct { int16_t active; } focus;                       /* E_FOCUS: 1 gained, 0 lost */
        struct { int16_t height, width; } size;                 /* E_SIZE: new client size */
        struct { RUV_RECT rect; } update;                       /* E_UPDATE */
        struct {                                                /* types 6 to 10 */
            int16_t v, h;
            int16_t shift, control;
            int16_t button;                                     /* 0 left, 1 right, 2 middle */
            int32_t hsteps, vsteps;                             /* E_MOUSE_WHEEL only */
        } mouse;
        struct {                                                /* E_CHAR */
            int16_t key;
            int16_t shift, control;
            int16_t virtual_key;
            uint32_t modifiers;
        } chr;
        struct { int32_t action; int16_t position; } scroll;   /* E_VSCROLL, E_HSCROLL */
        struct { int32_t tag; int16_t shift, control; } command;/* E_COMMAND */
        struct { struct RUV_FONT *font; } font;                 /* E_FONT */
        struct {                                                /* E_CONTROL */
            int32_t id;
            int32_t type;
            RUV_WIN ctl;
            union {
                struct { int16_t change, gained; } edit;       /* types 17, 21 */
                struct { int16_t dbl; } list;                   /* type 19 */
                struct { int32_t action; int16_t position; } scroll; /* types 15, 16 */
                struct { RUV_WIN face; int16_t tab, page; } notebook; /* type 25: the page now in front */
                struct { struct RUV_TREE_NODE *node; int16_t flags; } tree; /* type 27: RUV_TREE_* flags */
                int16_t words[6];
            } data;
        } control;
        struct { int32_t id; } timer;                           /* E_TIMER */
        struct { int16_t query; } quit;                         /* E_QUIT: 1 query, 0 shut-down */
        struct {                                                /* E_HELP */
            RUV_WIN object;                                     /* the object asking */
            int32_t menu_tag;                                   /* highlighted menu item or 0 */
            int32_t topic;                                      /* 0 from the kernel */
        } help;
        struct { int32_t id; void *data; } user;                /* E_USER */
        struct { int32_t message; void *data; } cxo;            /* E_CXO */
    } v;
} RUV_EVENT;

/* The event hook of toolkit attribute 710, called with the value of
   attribute 711 before any handler: 0 (16 bits) consumes the event. */
typedef RUV_BOOL (*RUV_EVENT_HOOK)(void *info, RUV_WIN win, RUV_EVENT *event);

/* The event entry (called by the kernel for every translated event):
   the handler's result, -1 when nobody took the event (E_CXO events,
   a window whose mask lacks the type, an event the hook consumed). */
int32_t ruvv_win_dispatch_event(RUV_WIN win, RUV_EVENT *event);

/* Help context for help requests without a topic (0 = none); set returns
   the previous one. */
int32_t ruvv_win_get_help_ctx(void);
int32_t ruvv_win_set_help_ctx(int32_t id);

/* Event fields. */
struct RUV_FONT *ruvv_event_get_font(const RUV_EVENT *event);
void ruvv_event_set_font(RUV_EVENT *event, const struct RUV_FONT *font);
RUV_BOOL ruvv_event_is_virtual_key(const RUV_EVENT *event);

#ifdef __cplusplus
}
#endif

#endif
