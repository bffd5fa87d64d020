/* Design-support module of the ruv toolkit: child windows made with a
   control id and a list of "NAME=value" parameter strings, a registry of
   such windows per owner window (lookup by id, a data block per window),
   typed reading of the parameters, scaling of coordinates laid out in a
   design character cell to the cell measured at run time, routing of menu
   and font commands from a container to its focused registered child, and
   a default event handler.  Everything runs on the GUI thread. */
#ifndef RUVCM_H
#define RUVCM_H

#include "ruv.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A character cell: height in the low 16 bits, width in the high 16 bits. */
#define RUVCM_CELL(width, height) \
    ((int32_t)(((uint32_t)(uint16_t)(width) << 16) | (uint32_t)(uint16_t)(height)))
#define RUVCM_CELL_WIDTH(cell) ((int16_t)((uint32_t)(cell) >> 16))
#define RUVCM_CELL_HEIGHT(cell) ((int16_t)((uint32_t)(cell) & 0xFFFFu))

/* What ruvcm_create_window hands to the new window as its application data
   until the window's create event registers it. */
typedef struct RUV_CM_CREATE_RECORD {
    int32_t id;
    int32_t count;
    char **params;
} RUV_CM_CREATE_RECORD;

/* The window to be made, as the pre-creation callback sees it; every field
   is read back after the callback. */
typedef struct RUV_CM_CREATE_PARAMS {
    int32_t type;
    RUV_RECT rect;
    RUV_WIN parent;
    int32_t flags;
    int32_t eventMask;
    RUV_EVENT_HANDLER handler;
    int32_t id;
    int32_t count;
    char **params;
} RUV_CM_CREATE_PARAMS;

typedef void (*RUV_CM_PRECREATE)(RUV_CM_CREATE_PARAMS *params);

/* Registry entries: one per owner window, one per registered child; the
   newest entry comes first in each list.  The parameter strings belong to
   the caller and must outlive the window. */
typedef struct RUV_CM_CHILD_ENTRY {
    struct RUV_CM_CHILD_ENTRY *next;
    RUV_WIN window;
    void *block;
    int32_t id;
    int32_t count;
    char **params;
} RUV_CM_CHILD_ENTRY;

typedef struct RUV_CM_OWNER_ENTRY {
    struct RUV_CM_OWNER_ENTRY *next;
    RUV_WIN owner;
    RUV_CM_CHILD_ENTRY *children;
} RUV_CM_OWNER_ENTRY;

/* The head of a record that a registered window sends its owner
   (ruvcm_notify_parent); the sender's own data may follow. */
typedef struct RUV_CM_NOTIFY {
    int32_t type;
    RUV_WIN window;
} RUV_CM_NOTIFY;

/* ---- Windows and hooks ------------------------------------------------ */

/* A child window of type 7 (flags 0, every event) with a control id and
   parameters; the callback may change any of it first.  NULL when the
   parent is NULL or the window cannot be made.  resourceId, number and
   title are accepted for callers laid out by a design tool and not used.
   A NULL handler gives ruvcm_default_event_handler. */
RUV_WIN ruvcm_create_window(int32_t id, int16_t left, int16_t top, int16_t right, int16_t bottom,
                            int32_t count, char **params, RUV_WIN parent, int32_t resourceId,
                            int32_t number, const char *title, RUV_EVENT_HANDLER handler,
                            RUV_CM_PRECREATE precreate);
/* The same without callback or defaults; reserved is not used. */
RUV_WIN ruvcm_create_window_simple(int32_t type, const RUV_RECT *rect, RUV_WIN parent, int32_t flags,
                                   int32_t eventMask, RUV_EVENT_HANDLER handler, intptr_t reserved,
                                   int32_t id, int32_t count, char **params);
/* A custom control's handler calls the create hook first and the destroy
   hook last for every event.  The create hook registers the window on
   E_CREATE (0 when that fails) and notes a focus loss; 1 otherwise. */
RUV_BOOL ruvcm_create_hook(RUV_WIN window, struct RUV_EVENT *event);
RUV_BOOL ruvcm_destroy_hook(RUV_WIN window, struct RUV_EVENT *event);

/* ---- Registry --------------------------------------------------------- */

RUV_BOOL ruvcm_register_window(RUV_WIN window);
void ruvcm_unregister_window(RUV_WIN window);
/* The owner's entry, made at the head of the registry when there is none;
   NULL for a NULL owner or when memory runs out. */
RUV_CM_OWNER_ENTRY *ruvcm_add_top_entry(RUV_WIN owner);
/* Unlinks and frees the owner's entry (not its children's entries). */
void ruvcm_remove_top_entry(RUV_WIN owner);
RUV_CM_OWNER_ENTRY *ruvcm_find_top_entry(RUV_WIN owner);
RUV_CM_CHILD_ENTRY *ruvcm_find_child_entry(RUV_WIN window);
/* The most recently registered child of parent with that id, NULL when
   none. */
RUV_WIN ruvcm_find_window_by_id(RUV_WIN parent, int32_t id);
/* -1 when the window is not registered. */
int32_t ruvcm_get_child_id(RUV_WIN window);
/* The window's data block, made zero-filled of size bytes when there is
   none and size is not 0; NULL when the window is not registered. */
void *ruvcm_get_window_block(RUV_WIN window, int32_t size);
/* The saved parameters and their count; NULL and 0 when not registered. */
char **ruvcm_get_saved_params(RUV_WIN window, int32_t *count);
/* Parameter string 0 (the class title), NULL when absent or empty. */
char *ruvcm_get_first_param(RUV_WIN window);
/* The registered window that last lost the focus (NULL when none). */
RUV_WIN ruvcm_get_last_focus(void);
/* The parent, or the task window for a top-level window (and for a child
   of the frame window of a multiple-document application). */
RUV_WIN ruvcm_get_owner(RUV_WIN window);
/* Sends the owner an E_USER event (id: the window's control id, data: the
   record, whose head is set to type 7 and the window); 1 when the window
   is registered. */
RUV_BOOL ruvcm_notify_parent(RUV_WIN window, RUV_CM_NOTIFY *record);

/* ---- Parameters ------------------------------------------------------- */
/* params[0] is the class title; params[1..count-1] are "NAME=value" (the
   value optionally in double quotes).  Names match without regard to case;
   a name is a prefix pattern ("*", "?" and "\" act in it). */

/* The value (valid until the next lookup), "" for a parameter without "=",
   NULL when absent or when count is not 2..1000. */
const char *ruvcm_param_lookup(int32_t count, char **params, const char *name);
int32_t ruvcm_param_exists(int32_t count, char **params, const char *name);
/* Typed readers: 1 and the value in *out, or 0 with *out untouched. */
int32_t ruvcm_param_get_long(int32_t count, char **params, const char *name, int32_t *out);
int32_t ruvcm_param_get_int(int32_t count, char **params, const char *name, int *out);
int32_t ruvcm_param_get_short(int32_t count, char **params, const char *name, int16_t *out);
int32_t ruvcm_param_get_char(int32_t count, char **params, const char *name, char *out);
int32_t ruvcm_param_get_float(int32_t count, char **params, const char *name, float *out);
/* "h<sep>v", e.g. "10,20". */
int32_t ruvcm_param_get_point(int32_t count, char **params, const char *name, RUV_POINT *out);
/* "r<sep>g<sep>b" (each component's low 8 bits) or a standard colour name
   ("RED", "LTGRAY", ...). */
int32_t ruvcm_param_get_color(int32_t count, char **params, const char *name, RUV_COLOR *out);

/* ---- Character cells -------------------------------------------------- */

/* The design cell (initially 8 wide, 16 high).  A cell with a zero width
   or height is refused and the old cell kept. */
int32_t ruvcm_get_base_cell(void);
void ruvcm_set_base_cell(int32_t cell);
/* The cell of the "system" font at 12 points, measured once; 0 while no
   measurement has succeeded. */
int32_t ruvcm_measure_char_cell(void);
/* value * measured / design, per direction; the design cell is taken at the
   first scaling that has a measured cell; until a measurement succeeds the
   value is returned unchanged. */
int ruvcm_scale_h(int value);
int ruvcm_scale_v(int value);

/* ---- Events ----------------------------------------------------------- */

/* 0 for every event. */
int32_t ruvcm_null_handler(RUV_WIN window, struct RUV_EVENT *event);
/* A container's handler gives every event here first: the registry forgets
   a destroyed owner, and menu commands and font events go on to the
   registered child that holds or last held the focus. */
void ruvcm_route_event(RUV_WIN window, struct RUV_EVENT *event);
/* Paints "No event handler" on black; 0 for every event. */
int32_t ruvcm_default_event_handler(RUV_WIN window, struct RUV_EVENT *event);

#ifdef __cplusplus
}
#endif

#endif
