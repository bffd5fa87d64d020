/* Compiled resources of the toolkit: the reader of the compiled resource
   stream (a big-endian byte stream stored in the program as raw-data chunks
   plus an index resource 10000 "total first-chunk chunk-size"), its
   two-level directory and byte cache, and the resource API that turns
   menus, windows, dialogs, fonts and images of the stream into the
   toolkit's in-memory records. */
#ifndef RUVV_RES_H
#define RUVV_RES_H

#include "ruv_types.h"
#include "ruvv_color.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_FONT;
struct RUV_IMAGE;
struct SLIST;

#define RUV_FURL_CHUNK_INDEX_ID 10000
#define RUV_FURL_MAGIC 0xDEADC0DEu
#define RUV_FURL_VERSION 4
#define RUV_FURL_CACHE_LIMIT 10000

/* Resource types of the directory. */
#define RUV_RES_MENU 0
#define RUV_RES_DIALOG 1
#define RUV_RES_WINDOW 5
#define RUV_RES_FONT 6
#define RUV_RES_IMAGE 7

/* One directory entry as stored (12 bytes). */
typedef struct RUV_FURL_DIRENT {
    int16_t id;
    int16_t type;
    int32_t length;
    int32_t offset;
} RUV_FURL_DIRENT;

/* A menu item; arrays end with an all-zero item (tag 0). */
typedef struct RUV_MENU_ITEM {
    int32_t tag;
    char *title;
    int32_t mnemonic;            /* 16-bit character in a 32-bit slot */
    uint32_t flags;              /* RUV_MENU_ENABLED ... */
    struct RUV_MENU_ITEM *submenu;
    uint32_t reserved;           /* native flags carried over; 0 here */
} RUV_MENU_ITEM;

#define RUV_MENU_ENABLED 0x1u
#define RUV_MENU_CHECKED 0x2u
#define RUV_MENU_CHECKABLE 0x4u
#define RUV_MENU_SEPARATOR 0x8u

/* One element of a window or dialog definition; the array ends with an
   element of type 0.  The five kind-specific words are pointer-sized and
   read through the member of the element's kind. */
typedef struct RUV_WIN_DEF {
    int32_t type;                /* window or control type */
    RUV_RECT rect;               /* top, left, top + height, left + width */
    char *title;
    int8_t unit;                 /* 0 pixels, 1 character cells, 2 dialog units */
    RUV_COLOR_COMPONENT *colors; /* type-0 terminated; NULL from the reader */
    union {
        intptr_t words[5];
        struct {                 /* window types 1-3, 7, 9 */
            intptr_t menu_id;
            RUV_MENU_ITEM *menu;
            uintptr_t flags;
            struct RUV_FONT *font;
            intptr_t reserved;
        } win;
        struct {                 /* dialog types 10, 11 */
            uintptr_t flags;
            struct RUV_FONT *font;
            intptr_t reserved[3];
        } dlg;
        struct {                 /* text edit, type 23 */
            uintptr_t flags;
            struct RUV_FONT *font;
            intptr_t margin;
            intptr_t limit;
            intptr_t ctl_id;
        } tx;
        struct {                 /* other controls */
            intptr_t ctl_id;
            intptr_t icon_id;
            uintptr_t flags;
            struct RUV_FONT *font;
            intptr_t reserved;
        } ctl;
    } u;
} RUV_WIN_DEF;

/* ---- Reader ------------------------------------------------------------ */

typedef struct RUV_FURL_STATE RUV_FURL_STATE;

/* Opens the stream of the current resource instance in the current reader
   state (made on first use); accepts only magic 0xDEADC0DE version 4. */
RUV_BOOL ruvv_furl_open(void);
/* A fresh state for a resource library, opened on the kernel's current
   resource instance; the previous state stays current and is stored in
   *previous.  NULL when it cannot be opened. */
RUV_FURL_STATE *ruvv_furl_state_open(RUV_FURL_STATE **previous);
/* Makes a state current for this process; returns the previous one. */
RUV_FURL_STATE *ruvv_furl_swap_state(RUV_FURL_STATE *state);
void ruvv_furl_state_free(RUV_FURL_STATE *state);
/* Closes the current state's stream and frees its buffers (the state stays
   current, ready for the next ruvv_furl_open). */
void ruvv_furl_close(void);

/* The directory entry of a resource (valid until the next search), or
   NULL. */
const RUV_FURL_DIRENT *ruvv_furl_find(int16_t type, int16_t id);
RUV_BOOL ruvv_res_seek(int16_t type, int16_t id);
RUV_BOOL ruvv_furl_entry(int32_t index, int32_t *length, int16_t *type, int16_t *id);
int32_t ruvv_furl_count(void);
int32_t ruvv_furl_version(void);
/* Reads len bytes at the reader's position through the byte cache; the
   number of bytes read (short at the end of the stream). */
int32_t ruvv_furl_read(void *buffer, int32_t len);
/* Bytes held by the byte cache, and how many reads went to the chunks
   without it (tests watch the cache through them). */
int32_t ruvv_furl_cached_bytes(void);
int32_t ruvv_furl_uncached_reads(void);

/* ---- Resource API ------------------------------------------------------ */
RUV_MENU_ITEM *ruvv_res_get_menu(int16_t id);
void ruvv_res_free_menu_tree(RUV_MENU_ITEM *tree);
RUV_WIN_DEF *ruvv_res_get_win_def(int16_t id);
RUV_WIN_DEF *ruvv_res_get_dlg_def(int16_t id);
void ruvv_res_free_win_def(RUV_WIN_DEF *def);
/* Extra data as a new text (ruvv_mem_free), NULL when absent. */
char *ruvv_res_get_menu_data(int16_t menu_id, int32_t item_tag, int16_t data_tag);
char *ruvv_res_get_win_data(int16_t win_id, int16_t ctl_id, int16_t data_tag);
char *ruvv_res_get_dlg_data(int16_t dlg_id, int16_t ctl_id, int16_t data_tag);
char *ruvv_res_get_image_data(int16_t image_id, int16_t data_tag);
struct RUV_FONT *ruvv_res_get_font(int16_t id);
/* NULL-terminated array of new fonts with a native descriptor (free each
   with ruvv_font_destroy, the array with ruvv_mem_free); NULL for none. */
struct RUV_FONT **ruvv_res_get_font_list(void);
struct RUV_IMAGE *ruvv_res_get_image(int16_t id);
char *ruvv_res_get_str(int32_t id, char *buf, int32_t size);
struct SLIST *ruvv_res_get_str_list(int32_t first, int32_t last);
RUV_BOOL ruvv_res_init(void);
void ruvv_res_term(void);
/* The start-up string sets named by toolkit attributes 716 and 717 (which
   0 or 1), NULL when none was loaded. */
const char *ruvv_res_get_start_text(int32_t which);

#ifdef __cplusplus
}
#endif

#endif
