/* The view-object record behind every window handle, shared by the modules
   of the portable layer and by the kernel (which creates, zero-fills and
   fills it).  The handle is the record's address; its first field is the
   tag. */
#ifndef RUVV_VOBJ_H
#define RUVV_VOBJ_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RUV_VOBJ_TAG 99679

/* Class-kind and object flags tested by the portable layer. */
#define RUV_KIND_TEXT_EDIT   0x2000u  /* reported as type 23 */
#define RUV_KIND_PAGE        0x4000u  /* notebook page window */
#define RUV_KIND_PRINT       0x20u    /* print window */
#define RUV_KIND_CHILD_MASK  0x70dfu  /* windows and controls of a parent */
#define RUV_KIND_SCREEN_MASK 0x104eu  /* objects listed for the screen */

struct RUV_EVENT;
struct RUV_CXO;
struct RUV_FONT;
struct RUV_DRAW_STATE;

typedef int32_t (*RUV_EVENT_HANDLER)(RUV_WIN win, struct RUV_EVENT *event);
typedef char *(*RUV_TITLE_FORMATTER)(RUV_WIN obj, char *title, int32_t *sel_first,
                                     int32_t *sel_second, intptr_t data);

typedef struct RUV_CTL_COLORS {
    void *items;
    int16_t count;
} RUV_CTL_COLORS;

struct RUV_VOBJ {
    int32_t tag;                       /* RUV_VOBJ_TAG */
    uint32_t kind;                     /* class kind and object flags */
    uint32_t kernel_flags;
    uint32_t create_flags;
    struct RUV_VOBJ *parent;           /* the screen for top-level windows */
    void *app_data;
    RUV_EVENT_HANDLER handler;
    uint32_t event_mask;               /* bit 1 << event type */
    struct RUV_CXO *cxo_chain;
    RUV_TITLE_FORMATTER title_formatter;
    intptr_t title_data;
    RUV_CTL_COLORS ctl_colors;
    intptr_t minus_one;                /* set to -1 at creation */
    struct RUV_FONT *ctl_font;
    struct RUV_VOBJ *next;             /* registry list; only the registry writes it */
    struct RUV_DRAW_STATE *draw_state;
    int32_t cursor_id;
    int32_t type;
    intptr_t kind_words[5];
    struct RUV_VOBJ *top;
    void *native;                      /* none for window-less objects */
    struct RUV_VOBJ *last_focus;
    void *cursor_handle;
    void *modeless_node;
    void *strings;
    intptr_t modal_state;
    void *modal_disabled;
    void *html;
    void *ctl_state;                   /* native controls; scroll-bar ranges (kernel) */
};

typedef struct RUV_VOBJ RUV_VOBJ;

#ifdef __cplusplus
}
#endif

#endif
