/* Public functions of the ruv toolkit as the program links them (front
   layer).  Each marks its name in the current error frame, checks its
   arguments, reports a misuse through the error framework and then returns
   its failure value (0, NULL, FALSE, nothing, or the value named below).
   This header declares the members the scenario model calls. */
#ifndef RUV_H
#define RUV_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The event record every handler reads (defined by the toolkit core). */
struct RUV_EVENT;
/* A window's event handler: window, event -> result. */
typedef int32_t (*RUV_EVENT_HANDLER)(RUV_WIN window, struct RUV_EVENT *event);

/* ==== Program start and application (ruv_win_main, ruv_app_) [tapp] ==== */

/* ==== end tapp ==== */

/* ==== View objects (ruv_vobj_) [tvobj] ==== */

/* ==== end tvobj ==== */

/* ==== Windows (ruv_win_) [twin] ==== */

/* A window of type 1, 2, 3, 7 or 9; NULL on failure. */
RUV_WIN ruv_win_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t menuBar,
                       RUV_WIN parent, int32_t flags, int32_t eventMask,
                       RUV_EVENT_HANDLER handler, void *appData);
/* A control; NULL on failure. */
RUV_WIN ruv_ctl_create(int32_t type, const RUV_RECT *rect, const char *title, RUV_WIN parent,
                       int32_t flags, void *appData, int32_t controlId);
/* The window's control with that id, NULL when there is none. */
RUV_WIN ruv_win_get_ctl(RUV_WIN window, int32_t controlId);
/* Attribute value (NULL_WIN: an application-wide attribute).  Pointer-sized:
   many attributes hold handles. */
intptr_t ruv_vobj_get_attr(RUV_WIN window, int32_t key);
/* Client rectangle (top, left 0; bottom, right in pixels); returns rect. */
RUV_RECT *ruv_vobj_get_client_rect(RUV_WIN window, RUV_RECT *rect);
RUV_WIN ruv_vobj_get_parent(RUV_WIN window);
/* Converts points from one object's client space to another's. */
void ruv_vobj_translate_points(RUV_WIN from, RUV_WIN to, RUV_POINT *points, int32_t count);
/* Moves and resizes to rect, in the parent's coordinates. */
void ruv_vobj_move(RUV_WIN window, const RUV_RECT *rect);
void ruv_vobj_destroy(RUV_WIN window);

/* ==== end twin ==== */

/* ==== Dialogs (ruv_dlg_) [tdlg] ==== */

/* ==== end tdlg ==== */

/* ==== Memory (ruv_mem_) [tmem] ==== */

/* ==== end tmem ==== */

/* ==== Error messages (ruv_errmsg_, ruv_errfrm_: forwarders without guard) [terr] ==== */

/* ==== end terr ==== */

/* ==== Controls (ruv_ctl_) [tctl] ==== */

/* ==== end tctl ==== */

/* ==== Standard dialogs (ruv_dm_post_) [tdm] ==== */

/* Question box with two or three buttons (third may be NULL) and a printf
   text; 0 first button, 1 second, 2 third or closed; 127 when refused. */
int ruv_dm_post_ask(const char *button1, const char *button2, const char *button3,
                    const char *format, ...);
/* Message, note and error boxes of a printf text. */
void ruv_dm_post_message(const char *format, ...);
void ruv_dm_post_note(const char *format, ...);
void ruv_dm_post_error(const char *format, ...);

/* ==== end tdm ==== */

/* ==== Menus (ruv_menu_) [tmenu] ==== */

void ruv_menu_set_item_enabled(RUV_WIN window, int32_t tag, RUV_BOOL enabled);
void ruv_menu_update(RUV_WIN window);

/* ==== end tmenu ==== */

/* ==== List controls (ruv_list_) [tlist] ==== */

/* ==== end tlist ==== */

/* ==== Scroll bars (ruv_sbar_) [tsbar] ==== */

/* ==== end tsbar ==== */

/* ==== Pixmaps (ruv_pmap_) [tpmap] ==== */

/* ==== end tpmap ==== */

/* ==== Printing (ruv_print_) [tprint] ==== */

/* ==== end tprint ==== */

/* ==== Drawing (ruv_dwin_) [tdwin] ==== */

/* Marks rect (NULL: the whole window) for repainting. */
void ruv_dwin_invalidate_rect(RUV_WIN window, const RUV_RECT *rect);
/* Width in pixels of text (length -1: up to the NUL) in the window's font;
   -1 on failure. */
int32_t ruv_dwin_get_text_width(RUV_WIN window, const char *text, int32_t length);

/* ==== end tdwin ==== */

/* ==== File system (ruv_fsys_) [tfsys] ==== */

/* Current directory into dir; FALSE on failure. */
RUV_BOOL ruv_fsys_get_dir(RUV_FILE_DIR *dir);
/* Makes dir the current directory; FALSE on failure. */
RUV_BOOL ruv_fsys_set_dir(const RUV_FILE_DIR *dir);
/* Remember the current directory / go back to the remembered one. */
void ruv_fsys_save_dir(void);
void ruv_fsys_restore_dir(void);
/* Directory record -> text of at most size - 1 characters; FALSE on failure. */
RUV_BOOL ruv_fsys_convert_dir_to_str(const RUV_FILE_DIR *dir, char *text, int32_t size);
/* Path text -> directory record (normalised); FALSE on failure. */
RUV_BOOL ruv_fsys_convert_str_to_dir(const char *text, RUV_FILE_DIR *dir);
/* Splits a path into volume, directory, leaf name, extension (without its
   dot) and an always empty sixth part; NULL destinations are skipped, each
   other one holds RUV_FILE_DIR_SIZE bytes.  FALSE on failure. */
RUV_BOOL ruv_fsys_parse_pathname(const char *path, char *volume, char *directory, char *name,
                                 char *extension, char *version);
/* Joins the parts into path (RUV_FILE_DIR_SIZE bytes); the sixth argument is
   not used.  FALSE on failure. */
RUV_BOOL ruv_fsys_build_pathname(char *path, const char *volume, const char *directory,
                                 const char *name, const char *extension, const char *version);
/* File attribute of a specification: 1 exists, 2 readable, 3 writable,
   4 executable, 5 directory, 7 size ...; -1 for a NULL specification. */
int32_t ruv_fsys_get_file_attr(const RUV_FILE_SPEC *spec, int32_t attribute);

/* ==== end tfsys ==== */

/* ==== Strings (ruv_str_) [tstr] ==== */

/* 0 when equal ignoring letter case, else the sign of the difference. */
int ruv_str_compare_ignoring_case(const char *a, const char *b);
/* The next token of string after the separators (its length into *length);
   NULL when there is none. */
char *ruv_str_find_token(const char *string, const char *separators, int32_t *length);

/* ==== end tstr ==== */

/* ==== Screen (ruv_scr_) [tscr] ==== */

/* ==== end tscr ==== */

/* ==== Rectangles (ruv_rect_) [trect] ==== */

void ruv_rect_set(RUV_RECT *rect, int16_t left, int16_t top, int16_t right, int16_t bottom);
RUV_BOOL ruv_rect_set_pos(RUV_RECT *rect, RUV_POINT point);
RUV_BOOL ruv_rect_set_height(RUV_RECT *rect, int16_t height);

/* ==== end trect ==== */

/* ==== Fonts and font maps (ruv_font_, ruv_fmap_) [tfont] ==== */

/* ==== end tfont ==== */

/* ==== Resources (ruv_res_) [tres] ==== */

/* ==== end tres ==== */

/* ==== String lists (ruv_slist_) [tslist] ==== */

/* ==== end tslist ==== */

#ifdef __cplusplus
}
#endif

#endif
