/* Toolkit attributes: numbered keys, each with a stored value or a getter,
   read with ruvk_vobj_get_attr (window, key) and written with
   ruvk_vobj_set_attr (window, key, value).  Values are pointer-sized: many
   attributes hold functions, records and handles.  The window argument
   matters only for the per-window keys (601, 602, 603); all others take
   NULL.  This module keeps the table of keys, their access rules and the
   stored values; the kernel's attribute entries call into it and answer the
   values only the window system knows (ruvk_attr_get_system). */
#ifndef RUVV_ATTR_H
#define RUVV_ATTR_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Keys with names (the others are used by number). */
#define RUV_ATTR_BACK_COLOR             100
#define RUV_ATTR_HSCROLL_HEIGHT         203
#define RUV_ATTR_VSCROLL_WIDTH          204
#define RUV_ATTR_SCREEN_WINDOW          300
#define RUV_ATTR_TASK_WINDOW            301
#define RUV_ATTR_APP_CONFIG             104
#define RUV_ATTR_SCREEN_HEIGHT          400
#define RUV_ATTR_SCREEN_WIDTH           401
#define RUV_ATTR_FRAME_HEIGHT           501
#define RUV_ATTR_MENU_HEIGHT            506
#define RUV_ATTR_NATIVE_WINDOW          602
#define RUV_ATTR_NAVIGATION             603
#define RUV_ATTR_DEBUG_FILE             700
#define RUV_ATTR_MEM_ERR_HOOK           701
#define RUV_ATTR_KEY_HOOK               702
#define RUV_ATTR_WNDPROC_HOOK           703
#define RUV_ATTR_UPDATE_NOT_PENDING     704
#define RUV_ATTR_FATAL_HOOK             705
#define RUV_ATTR_ERROR_HOOK             706
#define RUV_ATTR_PALETTE_TYPE           708
#define RUV_ATTR_HELP_HOOK              710
#define RUV_ATTR_HELP_INFO              711
#define RUV_ATTR_COLLATE_HOOK           712
#define RUV_ATTR_KEY_HOOK_MODE          713
#define RUV_ATTR_RESOURCE_LIBRARY       714
#define RUV_ATTR_CTL_COLORS             715
#define RUV_ATTR_TX_HANDLE_API          718
#define RUV_ATTR_CTL_FONT               719
#define RUV_ATTR_FONT_MAP_HOOK          800
#define RUV_ATTR_FONT_DIALOG_HOOK       801
#define RUV_ATTR_FONT_CACHE_SIZE        802
#define RUV_ATTR_MDI                    10003
#define RUV_ATTR_DRAWABLE_TASK_WINDOW   10006
#define RUV_ATTR_NO_TASK_WINDOW         10008
#define RUV_ATTR_TASK_STYLE             10012
#define RUV_ATTR_MESSAGE_HOOK           10017
#define RUV_ATTR_CREATE_HOOK            10019
#define RUV_ATTR_FILE_DIALOG_HOOK       10020
#define RUV_ATTR_MDI_CLIENT             10021
#define RUV_ATTR_NATIVE_DIALOGS         10026
#define RUV_ATTR_BANDING                10028
#define RUV_ATTR_USE_CTL3D              10029
#define RUV_ATTR_MDI_MARGIN_TOP         10030
#define RUV_ATTR_MDI_MARGIN_BOTTOM      10031
#define RUV_ATTR_MDI_FRAME_WINDOW       10034
#define RUV_ATTR_PRINT_THREAD           10036
#define RUV_ATTR_COLOR_COMBO_ROWS       10039
#define RUV_ATTR_COLOR_LIST_ROWS        10040
#define RUV_ATTR_DIALOG_OWNER           10042

#define RUV_ATTR_COUNT 107

/* Hook signatures of attributes that this layer calls. */
typedef RUV_BOOL (*RUV_MEM_ERR_HOOK)(size_t size);                     /* 701 */

/* One key of the table.  A null getter reads the stored value; a null
   setter stores.  The argument goes to the getter (a system-metric index,
   or the key). */
typedef intptr_t (*RUV_ATTR_GETTER)(RUV_WIN win, int32_t arg);
typedef void (*RUV_ATTR_SETTER)(RUV_WIN win, int32_t index, intptr_t value);
typedef struct RUV_ATTR_ENTRY {
    int16_t key;
    RUV_ATTR_GETTER get;
    RUV_ATTR_SETTER set;
    int32_t arg;
} RUV_ATTR_ENTRY;

/* Start values that the kernel measures at start-up. */
typedef struct RUV_ATTR_START {
    intptr_t dlg_units_12;      /* 200, 201, 202: 12 vertical dialog units */
    intptr_t dlg_units_9;       /* 205, 206: 9 vertical dialog units */
    intptr_t ppi_x, ppi_y;      /* 402, 403 */
    intptr_t color_screen;      /* 101 */
    intptr_t frame_width;       /* 408 */
    intptr_t frame_height;      /* 409 */
    intptr_t task_style;        /* 10012 */
    intptr_t instance;          /* 10001 */
    intptr_t prev_instance;     /* 10002 */
    intptr_t command_line;      /* 10000 */
} RUV_ATTR_START;

/* Clears every value and sets the start values (NULL: the fixed ones
   only); FALSE (0x72C381 reported) when the values cannot be had. */
RUV_BOOL ruvv_attr_init(const RUV_ATTR_START *start);
/* Reads a key: unlisted keys report 0x73C382 and give 0. */
intptr_t ruvv_attr_get(RUV_WIN win, int32_t key);
/* Public setter: refusals are reported and store nothing. */
void ruvv_attr_set(RUV_WIN win, int32_t key, intptr_t value);
/* The kernel's own writes: read-only keys included, no report. */
void ruvv_attr_set_internal(RUV_WIN win, int32_t key, intptr_t value);
/* The constant table (RUV_ATTR_COUNT entries). */
const RUV_ATTR_ENTRY *ruvv_attr_table(void);

#ifdef __cplusplus
}
#endif

#endif
