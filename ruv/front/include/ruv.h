/* Public functions of the ruv toolkit as the program links them (front
   layer).  Each marks its name in the current error frame, checks its
   arguments, reports a misuse through the error framework and then returns
   its failure value (0, NULL, FALSE, nothing, or the value named below).
   One section per family; ruvcm.h holds the design-support module. */
#ifndef RUV_H
#define RUV_H

#include "ruv_types.h"
/* The event record every handler reads (RUV_EVENT, the event types) and
   the view-object record behind a window handle, with the event handler
   type RUV_EVENT_HANDLER: window, event -> result. */
#include "ruvv_event.h"
#include "ruvv_vobj.h"
/* The start record and application configuration; the error framework. */
#include "ruvv_start.h"
#include "ruvv_errmsg.h"

#ifdef __cplusplus
extern "C" {
#endif


/* ==== Program start and application (ruv_win_main, ruv_app_) [tapp] ==== */

struct RUV_DRAW_CTOOLS;
struct RUV_WIN_DEF;

/* The program's main function, called by the program start. */
int ProgramMain(int argc, char **argv);
/* The program's Windows entry: starts the base library, points argv[0] at
   the module's path and calls ProgramMain; its result, or 0. */
int ruv_win_main(struct HINSTANCE__ *instance, struct HINSTANCE__ *prevInstance, char *commandLine,
                 int showMode);
/* Stores the three callbacks of the start record; FALSE for NULL. */
RUV_BOOL ruv_fill_start_callbacks(RUV_START_RECORD *start);
/* Ends the run (the base library's end, then the process or the thread)
   with status: 1 after a fatal error, else 0. */
void ruv_exit_callback(int32_t status);
/* Text-edit callbacks of the start record (forwarded unchanged). */
intptr_t ruv_tx_create_def_callback(const struct RUV_WIN_DEF *def, RUV_WIN parent, void *appData);
intptr_t ruv_tx_get_tx_callback(RUV_WIN window, int32_t controlId);
/* Runs the application: the task window with handler and config, then the
   message loop until the application quits. */
void ruv_app_create(int argc, char **argv, int32_t flags, RUV_EVENT_HANDLER handler,
                    RUV_APP_CONFIG *config);
void ruv_app_start_system(int argc, char **argv, int32_t flags, RUV_EVENT_HANDLER handler,
                          RUV_APP_CONFIG *config);
/* Shared-library start: the entry, the thread body and its thread. */
int ruv_dll_main(struct HINSTANCE__ *instance, uint32_t reason, void *reserved);
int ruv_dll_thread_main(void *parameter);
void *ruv_dll_start_thread(void);
void ruv_app_allow_quit(void);
/* Ends the application (destroys the task window). */
void ruv_app_destroy(void);
/* An escape code with further arguments (the base library's). */
int16_t ruv_app_escape(int32_t code, ...);
void ruv_app_get_files_count(int16_t *flag, int32_t *count);
void ruv_app_set_file_processed(void);
RUV_FILE_SPEC *ruv_app_get_file(void);
/* The default drawing tools into ctools; ctools, NULL on failure. */
struct RUV_DRAW_CTOOLS *ruv_app_get_default_ctools(struct RUV_DRAW_CTOOLS *ctools);
void ruv_app_process_pending_events(void);
int16_t ruv_app_get_remote_platform(void);
int16_t ruv_app_get_remote_winsys(void);

/* ==== end tapp ==== */

/* ==== View objects (ruv_vobj_) [tvobj] ==== */

struct RUV_PALETTE;

/* Destroys a window, dialog, control or text edit. */
void ruv_vobj_destroy(RUV_WIN window);
/* Attribute value (NULL_WIN: an application-wide attribute).  Pointer-sized:
   many attributes hold handles.  Key 707 gives the memory hooks. */
intptr_t ruv_vobj_get_attr(RUV_WIN window, int32_t key);
/* Sets an attribute; key 707 installs memory hooks (NULL: the defaults). */
void ruv_vobj_set_attr(RUV_WIN window, int32_t key, intptr_t value);
/* Client rectangle (top, left 0; bottom, right in pixels); returns rect. */
RUV_RECT *ruv_vobj_get_client_rect(RUV_WIN window, RUV_RECT *rect);
/* Outer rectangle in the parent's coordinates; returns rect. */
RUV_RECT *ruv_vobj_get_outer_rect(RUV_WIN window, RUV_RECT *rect);
/* The application data of a window. */
void *ruv_vobj_get_data(RUV_WIN window);
void ruv_vobj_set_data(RUV_WIN window, void *data);
/* The window's creation flags. */
int32_t ruv_vobj_get_flags(RUV_WIN window);
/* The title formatter and its data. */
RUV_TITLE_FORMATTER ruv_vobj_get_formatter(RUV_WIN window);
intptr_t ruv_vobj_get_formatter_data(RUV_WIN window);
void ruv_vobj_set_formatter(RUV_WIN window, RUV_TITLE_FORMATTER formatter, intptr_t data);
void ruv_vobj_set_formatter_data(RUV_WIN window, intptr_t data);
/* The window's drawing palette; set maps a palette to a top-level window. */
struct RUV_PALETTE *ruv_vobj_get_palet(RUV_WIN window);
void ruv_vobj_set_palet(RUV_WIN window, struct RUV_PALETTE *palette);
/* The parent window (NULL for a print window). */
RUV_WIN ruv_vobj_get_parent(RUV_WIN window);
/* The title into buffer (at most size - 1 characters); buffer or NULL. */
char *ruv_vobj_get_title(RUV_WIN window, char *buffer, int32_t size);
void ruv_vobj_set_title(RUV_WIN window, const char *title);
/* The window type (23 for a text edit). */
int32_t ruv_vobj_get_type(RUV_WIN window);
RUV_BOOL ruv_vobj_is_focusable(RUV_WIN window);
/* TRUE while window is a live view object. */
RUV_BOOL ruv_vobj_is_valid(RUV_WIN window);
/* Moves and resizes to rect, in the parent's coordinates. */
void ruv_vobj_move(RUV_WIN window, const RUV_RECT *rect);
/* Brings a window to the top of its siblings. */
void ruv_vobj_raise(RUV_WIN window);
void ruv_vobj_set_enabled(RUV_WIN window, RUV_BOOL enabled);
void ruv_vobj_set_visible(RUV_WIN window, RUV_BOOL visible);
/* Converts points from one object's client space to another's. */
void ruv_vobj_translate_points(RUV_WIN from, RUV_WIN to, RUV_POINT *points, int32_t count);

/* ==== end tvobj ==== */

/* ==== Windows (ruv_win_) [twin] ==== */

/* A window of type 1, 2, 3, 7 or 9; NULL on failure. */
RUV_WIN ruv_win_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t menuBar,
                       RUV_WIN parent, int32_t flags, int32_t eventMask,
                       RUV_EVENT_HANDLER handler, void *appData);
/* The window's control with that id, NULL when there is none. */
RUV_WIN ruv_win_get_ctl(RUV_WIN window, int32_t controlId);
struct RUV_WIN_DEF;
struct RUV_COLOR_COMPONENT;
struct RUV_FONT;
struct RUV_CXO;
struct SLIST;

/* A window from a definition array (ended by type 0); the caller's
   definition is left as given.  NULL on failure. */
RUV_WIN ruv_win_create_def(struct RUV_WIN_DEF *def, RUV_WIN parent, void *appData,
                           RUV_EVENT_HANDLER handler, uint32_t eventMask);
/* A window from compiled resource resId.  NULL on failure. */
RUV_WIN ruv_win_create_res(int32_t resId, RUV_WIN parent, void *appData, RUV_EVENT_HANDLER handler,
                           uint32_t eventMask);
/* The handler's result; -1 when refused. */
int32_t ruv_win_dispatch_event(RUV_WIN window, RUV_EVENT *event);
/* Calls callback for every child window; reserved must be 0. */
RUV_BOOL ruv_win_enum_wins(RUV_WIN window, int16_t (*callback)(RUV_WIN child, void *data), void *data,
                           int32_t reserved);
struct SLIST *ruv_win_list_wins(RUV_WIN window, int32_t reserved);
struct SLIST *ruv_win_list_cxos(RUV_WIN window);
struct RUV_CXO *ruv_win_get_cxo(RUV_WIN window, const char *className, void *data);
/* Control colours: the list (the caller frees it with ruv_mem_free), one
   component (-1 when absent), set, set one, unset one. */
struct RUV_COLOR_COMPONENT *ruv_win_get_ctl_colors(RUV_WIN window);
RUV_COLOR ruv_win_get_ctl_color_component(RUV_WIN window, int32_t component);
void ruv_win_set_ctl_colors(RUV_WIN window, const struct RUV_COLOR_COMPONENT *colors, int32_t flag);
void ruv_win_set_ctl_color_component(RUV_WIN window, int32_t component, RUV_COLOR color);
void ruv_win_unset_ctl_color_component(RUV_WIN window, int32_t component);
struct RUV_FONT *ruv_win_get_ctl_font(RUV_WIN window);
void ruv_win_set_ctl_font(RUV_WIN window, struct RUV_FONT *font);
/* Cursor id; -1 on failure. */
int32_t ruv_win_get_cursor(RUV_WIN window);
void ruv_win_set_cursor(RUV_WIN window, int32_t cursor);
uint32_t ruv_win_get_event_mask(RUV_WIN window);
void ruv_win_set_event_mask(RUV_WIN window, uint32_t mask);
RUV_EVENT_HANDLER ruv_win_get_handler(RUV_WIN window);
void ruv_win_set_handler(RUV_WIN window, RUV_EVENT_HANDLER handler);
struct RUV_CXO *ruv_win_get_nav(RUV_WIN window);
intptr_t ruv_win_get_tx(RUV_WIN window, int32_t index);
RUV_BOOL ruv_win_has_menu(RUV_WIN window);
/* Runs the modal loop of a type 9 window made with flag 0x8000. */
void ruv_win_process_modal(RUV_WIN window);
void ruv_win_set_caret_pos(RUV_WIN window, RUV_POINT point);
void ruv_win_set_caret_size(RUV_WIN window, int32_t width, int32_t height);
void ruv_win_set_caret_visible(RUV_WIN window, RUV_BOOL visible);
void ruv_win_set_doc_title(RUV_WIN window, const char *title);
void ruv_win_trap_pointer(RUV_WIN window);
void ruv_win_release_pointer(void);

/* ==== end twin ==== */

/* ==== Dialogs (ruv_dlg_) [tdlg] ==== */

struct RUV_WIN_DEF;

/* A modal or modeless dialog from a definition array; the caller's
   definition is left as given.  NULL on failure. */
RUV_WIN ruv_dlg_create_def(struct RUV_WIN_DEF *def, uint32_t eventMask, RUV_EVENT_HANDLER handler,
                           void *appData);
/* A dialog of type 10 or 11 from compiled resource resId (at most 29999). */
RUV_WIN ruv_dlg_create_res(int32_t type, int32_t resId, uint32_t eventMask, RUV_EVENT_HANDLER handler,
                           void *appData);

/* ==== end tdlg ==== */

/* ==== Memory (ruv_mem_) [tmem] ==== */

/* The toolkit's memory hooks (no checks). */
void *ruv_mem_alloc(size_t size);
void *ruv_mem_zalloc(size_t size);
void *ruv_mem_realloc(void *block, size_t size);
void ruv_mem_free(void *block);
/* Copies the len bytes at source count times into destination. */
void *ruv_mem_rep(void *destination, const void *source, size_t len, size_t count);

/* ==== end tmem ==== */

/* ==== Error messages (ruv_errmsg_, ruv_errfrm_: forwarders without guard) [terr] ==== */

/* The error framework, forwarded unchanged (no mark, no check, usable in an
   error handler at any time). */
int32_t ruv_errmsg_dispatch(void *object, int32_t severity, RUV_ERRMSG_ID id, const char *file,
                            int32_t line);
int32_t ruv_errmsg_dispatch_s(void *object, int32_t severity, RUV_ERRMSG_ID id, const char *file,
                              int32_t line, const char *arg);
RUV_BOOL ruv_errmsg_push_handler(RUV_ERR_HANDLER handler, void *data);
int16_t ruv_errmsg_pop_handler(RUV_ERR_HANDLER handler);
int32_t ruv_errmsg_get_sev_id(RUV_ERRMSG *errmsg);
const char *ruv_errmsg_get_sev_text(RUV_ERRMSG *errmsg);
RUV_ERRMSG_ID ruv_errmsg_get_msg_id(RUV_ERRMSG *errmsg);
const char *ruv_errmsg_get_msg_text(RUV_ERRMSG *errmsg);
const char *ruv_errmsg_get_cat_text(RUV_ERRMSG *errmsg);
int32_t ruv_errmsg_get_code_line(RUV_ERRMSG *errmsg);
const char *ruv_errmsg_get_code_file(RUV_ERRMSG *errmsg);
const char *ruv_errmsg_get_api_name(RUV_ERRMSG *errmsg);
void *ruv_errmsg_get_tgt_object(RUV_ERRMSG *errmsg);
void *ruv_errmsg_get_req_object(RUV_ERRMSG *errmsg);
char *ruv_errmsg_get_text(RUV_ERRMSG *errmsg, RUV_ERRMSG_ID id, char *buffer, int32_t size);

/* ==== end terr ==== */

/* ==== Controls (ruv_ctl_) [tctl] ==== */

struct RUV_WIN_DEF;
struct RUV_COLOR_COMPONENT;
struct RUV_FONT;

/* A control of type 12-23 or 25 (WC_PUSH_BUTTON ... WC_NOTEBOOK) in parent;
   a rectangle out of order is ordered with a warning.  NULL on failure. */
RUV_WIN ruv_ctl_create(int32_t type, const RUV_RECT *rect, const char *title, RUV_WIN parent,
                       int32_t flags, void *appData, int32_t controlId);
/* A control from one definition element; the element is given back as it
   came.  NULL on failure. */
RUV_WIN ruv_ctl_create_def(struct RUV_WIN_DEF *def, RUV_WIN parent, void *appData);
/* Tooltip text of a control (passed straight to the toolkit). */
intptr_t ruv_ctl_set_tooltip(RUV_WIN control, const char *text, const RUV_RECT *rect);
/* The control's colour components, ended by code 0 (the caller frees the
   list with ruv_mem_free); NULL on failure. */
struct RUV_COLOR_COMPONENT *ruv_ctl_get_colors(RUV_WIN control);
/* One colour component (code 2, 4, 8, 16, 32, 64 or 128); -1 when the
   control has none of that code or on failure. */
RUV_COLOR ruv_ctl_get_color_component(RUV_WIN control, int32_t component);
/* Control id, 0 on failure. */
int32_t ruv_ctl_get_id(RUV_WIN control);
/* A copy of the control's font (the caller's), NULL on failure. */
struct RUV_FONT *ruv_ctl_get_font(RUV_WIN control);
/* Native default colours of a control type (12-25 or 27), as
   ruv_ctl_get_colors gives them; NULL on failure. */
struct RUV_COLOR_COMPONENT *ruv_ctl_get_native_colors(int32_t type);
RUV_COLOR ruv_ctl_get_native_color_component(int32_t type, int32_t component);
/* Check box or radio button: whether it is checked. */
RUV_BOOL ruv_ctl_is_checked(RUV_WIN control);
/* Sets colour components (action 0) or drops them (action 1; a NULL list
   drops them all). */
void ruv_ctl_set_colors(RUV_WIN control, const struct RUV_COLOR_COMPONENT *colors, int32_t action);
void ruv_ctl_set_color_component(RUV_WIN control, int32_t component, RUV_COLOR color);
void ruv_ctl_unset_color_component(RUV_WIN control, int32_t component);
/* The control's own font (NULL: none, it takes its window's). */
void ruv_ctl_set_font(RUV_WIN control, struct RUV_FONT *font);
/* Selects characters first..last of an edit field or drop-down. */
void ruv_ctl_set_text_sel(RUV_WIN control, int32_t first, int32_t last);
void ruv_ctl_get_text_sel(RUV_WIN control, int32_t *first, int32_t *last);
/* Checks or unchecks a check box. */
void ruv_ctl_set_checked(RUV_WIN control, RUV_BOOL checked);
/* Checks button and unchecks the other count - 1 radio buttons of buttons. */
void ruv_ctl_check_radio_button(RUV_WIN button, RUV_WIN *buttons, int32_t count);

/* ==== end tctl ==== */

/* ==== Standard dialogs (ruv_dm_post_) [tdm] ==== */

struct RUV_FONT;

/* Question box with two or three buttons (third may be NULL) and a printf
   text; 0 first button, 1 second, 2 third or closed; 127 when refused. */
int ruv_dm_post_ask(const char *button1, const char *button2, const char *button3,
                    const char *format, ...);
/* Message, note, warning and error boxes of a printf text. */
void ruv_dm_post_message(const char *format, ...);
void ruv_dm_post_note(const char *format, ...);
void ruv_dm_post_error(const char *format, ...);
void ruv_dm_post_warning(const char *format, ...);
/* Reports the text and ends the program. */
void ruv_dm_post_fatal_exit(const char *format, ...);
void ruv_dm_post_about_box(void);
/* Colour dialog: TRUE when a colour was chosen (it replaces *color); the
   second word is not used on this platform. */
RUV_BOOL ruv_dm_post_color_sel(RUV_COLOR *color, int32_t reserved);
/* Folder dialog: dir holds the folder to show and receives the chosen one.
   2 chosen, 1 cancelled, 0 failed. */
int32_t ruv_dm_post_dir_sel(RUV_FILE_DIR *dir, const char *title);
/* File dialogs: 2 chosen (spec filled in), 1 cancelled, 0 failed. */
int32_t ruv_dm_post_file_open(RUV_FILE_SPEC *spec, const char *message);
int32_t ruv_dm_post_file_save(RUV_FILE_SPEC *spec, const char *message);
/* Font dialog for a drawing window (or NULL) and a print record (or NULL):
   TRUE when another font was chosen. */
RUV_BOOL ruv_dm_post_font_sel(RUV_WIN window, struct RUV_FONT *font, void *printRecord,
                              intptr_t flags);
/* Prompt for a text of at most size - 1 bytes: buffer, or NULL when
   cancelled or refused. */
char *ruv_dm_post_string_prompt(const char *message, char *buffer, int32_t size);
/* Drawing-tools dialog over tools; parts (its low byte not 0) picks the
   pages.  TRUE when accepted. */
RUV_BOOL ruv_dm_post_ctools_sel(RUV_DRAW_CTOOLS *tools, int32_t parts);
/* Print-setup dialog over a print record: TRUE when it changed. */
struct RUV_PRINT_RECORD;
RUV_BOOL ruv_dm_post_page_setup(struct RUV_PRINT_RECORD *record);

/* ==== end tdm ==== */

/* ==== Menus (ruv_menu_) [tmenu] ==== */

struct RUV_MENU_ITEM;
struct RUV_FONT;

/* The window's menu tree (ended by an item of tag 0), NULL on failure. */
struct RUV_MENU_ITEM *ruv_menu_get_tree(RUV_WIN window);
/* Replaces the window's menu tree (copied) and rebuilds its bar. */
void ruv_menu_set_tree(RUV_WIN window, const struct RUV_MENU_ITEM *tree);
/* Items by tag (a tag above 0). */
void ruv_menu_set_item_checked(RUV_WIN window, int32_t tag, RUV_BOOL checked);
void ruv_menu_set_item_enabled(RUV_WIN window, int32_t tag, RUV_BOOL enabled);
void ruv_menu_set_item_title(RUV_WIN window, int32_t tag, const char *title);
/* Shows the window's menu bar again after changes. */
void ruv_menu_update(RUV_WIN window);
/* The font menu's selection (a new font the caller destroys), and its
   marking (NULL: none). */
struct RUV_FONT *ruv_menu_get_font_sel(RUV_WIN window);
void ruv_menu_set_font_sel(RUV_WIN window, const struct RUV_FONT *font);
/* Pop-up menu of tree at point of window; with alignment 3, tag names the
   top-level item to show under the point.  TRUE when one was shown. */
RUV_BOOL ruv_menu_popup(const struct RUV_MENU_ITEM *tree, RUV_WIN window, RUV_POINT point,
                        int32_t alignment, int32_t tag);

/* ==== end tmenu ==== */

/* ==== List controls (ruv_list_) [tlist] ==== */

struct SLIST;

/* Adds a text, or every text of an SLIST, at index (-1: at the end). */
RUV_BOOL ruv_list_add(RUV_WIN list, int32_t index, const char *textOrList);
RUV_BOOL ruv_list_clear(RUV_WIN list);
RUV_BOOL ruv_list_rem(RUV_WIN list, int32_t index);
/* Redrawing held back during bulk changes, and shown again. */
void ruv_list_suspend(RUV_WIN list);
void ruv_list_resume(RUV_WIN list);
/* Selects or deselects row index (-1: every row of a multiple selection). */
RUV_BOOL ruv_list_set_sel(RUV_WIN list, int32_t index, RUV_BOOL select);
/* Number of rows, -1 on failure. */
int32_t ruv_list_count_all(RUV_WIN list);
/* Every row as a new SLIST (the caller's), NULL on failure. */
struct SLIST *ruv_list_get_all(RUV_WIN list);
/* Row index into buffer (at most size - 1 bytes and a terminator). */
RUV_BOOL ruv_list_get_elt(RUV_WIN list, int32_t index, char *buffer, int32_t size);
/* List boxes and drop lists: the selection. */
int32_t ruv_list_count_sel(RUV_WIN list);
struct SLIST *ruv_list_get_sel(RUV_WIN list);
int32_t ruv_list_get_sel_index(RUV_WIN list);
RUV_BOOL ruv_list_get_first_sel(RUV_WIN list, char *buffer, int32_t size);
RUV_BOOL ruv_list_is_sel(RUV_WIN list, int32_t index);

/* ==== end tlist ==== */

/* ==== Scroll bars (ruv_sbar_) [tsbar] ==== */

/* Selector: 0 the window's horizontal bar, 1 its vertical bar, 2 a
   scroll-bar control itself. */
int32_t ruv_sbar_get_pos(RUV_WIN window, int32_t selector);
int32_t ruv_sbar_get_proportion(RUV_WIN window, int32_t selector);
void ruv_sbar_get_range(RUV_WIN window, int32_t selector, int32_t *minimum, int32_t *maximum);
void ruv_sbar_set_pos(RUV_WIN window, int32_t selector, int32_t position);
void ruv_sbar_set_proportion(RUV_WIN window, int32_t selector, int32_t proportion);
void ruv_sbar_set_range(RUV_WIN window, int32_t selector, int32_t minimum, int32_t maximum);

/* ==== end tsbar ==== */

/* ==== Pixmaps (ruv_pmap_) [tpmap] ==== */

/* An off-screen pixmap of width x height pixels for a window of type 1, 2,
   3, 5, 7 or 9 (destroyed with it); NULL on failure. */
RUV_WIN ruv_pmap_create(RUV_WIN window, int32_t pixmapType, int32_t width, int32_t height);
void ruv_pmap_destroy(RUV_WIN pixmap);

/* ==== end tpmap ==== */

/* ==== Printing (ruv_print_) [tprint] ==== */

struct RUV_PRINT_RECORD;
/* The application's print function, given its data word: TRUE on success. */
typedef RUV_BOOL (*RUV_PRINT_FUNCTION)(void *data);

/* A print record for the default printer (its size in bytes into *size);
   the caller destroys it.  NULL on failure. */
struct RUV_PRINT_RECORD *ruv_print_create(int32_t *size);
void ruv_print_destroy(struct RUV_PRINT_RECORD *record);
/* Whether the record names a printer that can be used now. */
RUV_BOOL ruv_print_is_valid(struct RUV_PRINT_RECORD *record);
/* The printer's paper nearest width x height (units 0 inches, 1 mm). */
RUV_BOOL ruv_print_set_page_size(struct RUV_PRINT_RECORD *record, double width, double height,
                                 int32_t units);
/* 0 portrait, 1 landscape. */
RUV_BOOL ruv_print_set_page_orient(struct RUV_PRINT_RECORD *record, int32_t orientation);
RUV_BOOL ruv_print_open(void);
void ruv_print_close(void);
/* Starts a document: the print window to draw on, NULL on failure. */
RUV_WIN ruv_print_create_win(struct RUV_PRINT_RECORD *record, const char *title);
RUV_BOOL ruv_print_open_page(struct RUV_PRINT_RECORD *record);
RUV_BOOL ruv_print_close_page(struct RUV_PRINT_RECORD *record);
/* The next band of the page to draw, NULL when the page is done. */
RUV_RECT *ruv_print_get_next_band(void);
/* Runs function(data) as the print job (here on the calling thread). */
RUV_BOOL ruv_print_start_thread(RUV_PRINT_FUNCTION function, void *data);

/* ==== end tprint ==== */

/* ==== Drawing (ruv_dwin_) [tdwin] ==== */

/* Every member takes a drawing window (not a text edit) first.  A rectangle
   with its edges out of order is drawn ordered, with a warning; an empty one
   draws nothing.  Only invalidation, scrolling and the forced update are
   refused while a window is being repainted. */
struct RUV_FONT;

/* Fills the client area with the colour; the drawing tools stay. */
void ruv_dwin_clear(RUV_WIN window, RUV_COLOR color);
/* Lines from the pen position (which moves to point), with arrow heads at
   the start and/or the end. */
void ruv_dwin_draw_set_pos(RUV_WIN window, RUV_POINT point);
void ruv_dwin_draw_line(RUV_WIN window, RUV_POINT point);
void ruv_dwin_draw_aline(RUV_WIN window, RUV_POINT point, int16_t startArrow, int16_t endArrow);
/* Arc and pie of the oval in rect from the ray through (x1, y1) to the ray
   through (x2, y2). */
void ruv_dwin_draw_arc(RUV_WIN window, const RUV_RECT *rect, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void ruv_dwin_draw_pie(RUV_WIN window, const RUV_RECT *rect, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void ruv_dwin_draw_oval(RUV_WIN window, const RUV_RECT *rect);
void ruv_dwin_draw_rect(RUV_WIN window, const RUV_RECT *rect);
void ruv_dwin_draw_roundrect(RUV_WIN window, const RUV_RECT *rect, int32_t ovalWidth, int32_t ovalHeight);
void ruv_dwin_draw_polyline(RUV_WIN window, const RUV_POINT *points, int32_t count);
void ruv_dwin_draw_polygon(RUV_WIN window, const RUV_POINT *points, int32_t count);
/* The program's icon resource iconId at (x, y). */
void ruv_dwin_draw_icon(RUV_WIN window, int32_t x, int32_t y, int32_t iconId);
/* Text with its baseline at (x, y); length -1: up to the NUL. */
void ruv_dwin_draw_text(RUV_WIN window, int32_t x, int32_t y, const char *text, int32_t length);
/* The clip rectangle into rect; FALSE on failure. */
RUV_BOOL ruv_dwin_get_clip(RUV_WIN window, RUV_RECT *rect);
/* rect NULL: no clipping. */
void ruv_dwin_set_clip(RUV_WIN window, const RUV_RECT *rect);
/* The drawing tools into tools; returns tools, NULL on failure. */
RUV_DRAW_CTOOLS *ruv_dwin_get_draw_ctools(RUV_WIN window, RUV_DRAW_CTOOLS *tools);
void ruv_dwin_set_draw_ctools(RUV_WIN window, const RUV_DRAW_CTOOLS *tools);
void ruv_dwin_set_cpen(RUV_WIN window, const RUV_CPEN *pen);
void ruv_dwin_set_cbrush(RUV_WIN window, const RUV_CBRUSH *brush);
/* Standard pens 1-4 (solid black, none, dotted black, solid white) and
   brushes 0-1 (black, white); another code warns and uses 1. */
void ruv_dwin_set_std_cpen(RUV_WIN window, int32_t pen);
void ruv_dwin_set_std_cbrush(RUV_WIN window, int32_t brush);
void ruv_dwin_set_draw_mode(RUV_WIN window, int32_t mode);
void ruv_dwin_set_fore_color(RUV_WIN window, RUV_COLOR color);
void ruv_dwin_set_back_color(RUV_WIN window, RUV_COLOR color);
/* Marks rect (NULL: the whole window) for repainting. */
void ruv_dwin_invalidate_rect(RUV_WIN window, const RUV_RECT *rect);
/* Moves the pixels of rect by (dh, dv); the uncovered part is repainted. */
void ruv_dwin_scroll_rect(RUV_WIN window, const RUV_RECT *rect, int32_t dh, int32_t dv);
/* Repaints what is invalid now. */
void ruv_dwin_update(RUV_WIN window);
/* During an update (or on a print window): whether rect needs drawing;
   otherwise FALSE. */
RUV_BOOL ruv_dwin_is_update_needed(RUV_WIN window, const RUV_RECT *rect);
/* Width in pixels of text (length -1: up to the NUL) in the window's font;
   -1 on failure. */
int32_t ruv_dwin_get_text_width(RUV_WIN window, const char *text, int32_t length);
/* Images and pixmaps: src of the image or pixmap drawn scaled into dst of
   the window; an empty dst draws nothing, an empty src is an error. */
struct RUV_IMAGE;
void ruv_dwin_draw_image(RUV_WIN window, struct RUV_IMAGE *image, const RUV_RECT *dst, const RUV_RECT *src);
void ruv_dwin_draw_pmap(RUV_WIN window, RUV_WIN pixmap, const RUV_RECT *dst, const RUV_RECT *src);
/* Pictures (bitmaps of the window system): drawing on the window between
   open and close is recorded in one of rect's size; the caller destroys
   the picture.  Drawn stretched into rect. */
struct HBITMAP__;
RUV_BOOL ruv_dwin_open_pict(RUV_WIN window, const RUV_RECT *rect);
struct HBITMAP__ *ruv_dwin_close_pict(RUV_WIN window);
void ruv_dwin_draw_pict(RUV_WIN window, struct HBITMAP__ *picture, const RUV_RECT *rect);
/* Fonts: a copy of the window's font (the caller destroys it); setting
   copies the font into the window. */
struct RUV_FONT *ruv_dwin_get_font(RUV_WIN window);
void ruv_dwin_set_font(RUV_WIN window, const struct RUV_FONT *font);
/* Leading, ascent and descent of the window's font in pixels. */
void ruv_dwin_get_font_metrics(RUV_WIN window, int32_t *leading, int32_t *ascent, int32_t *descent);
/* Parts of the window's font, as set and as the device mapped it.  The
   text getters copy into buffer (size bytes with the NUL); FALSE and an
   empty buffer when it is too small. */
RUV_BOOL ruv_dwin_get_font_family(RUV_WIN window, char *buffer, int32_t size);
RUV_BOOL ruv_dwin_get_font_family_mapped(RUV_WIN window, char *buffer, int32_t size);
RUV_BOOL ruv_dwin_get_font_native_desc(RUV_WIN window, char *buffer, int32_t size);
void *ruv_dwin_get_font_app_data(RUV_WIN window);
int32_t ruv_dwin_get_font_size(RUV_WIN window);
int32_t ruv_dwin_get_font_size_mapped(RUV_WIN window);
uint32_t ruv_dwin_get_font_style(RUV_WIN window);
uint32_t ruv_dwin_get_font_style_mapped(RUV_WIN window);
void ruv_dwin_set_font_app_data(RUV_WIN window, void *appData);
void ruv_dwin_set_font_family(RUV_WIN window, const char *family);
void ruv_dwin_set_font_native_desc(RUV_WIN window, const char *desc);
/* size below 1 is refused. */
void ruv_dwin_set_font_size(RUV_WIN window, int32_t size);
void ruv_dwin_set_font_style(RUV_WIN window, uint32_t style);

/* ==== end tdwin ==== */

/* ==== File system (ruv_fsys_) [tfsys] ==== */

struct SLIST;

/* Current directory into dir; FALSE on failure. */
RUV_BOOL ruv_fsys_get_dir(RUV_FILE_DIR *dir);
/* Makes dir the current directory; FALSE on failure. */
RUV_BOOL ruv_fsys_set_dir(const RUV_FILE_DIR *dir);
/* The toolkit's default directory into dir. */
void ruv_fsys_get_default_dir(RUV_FILE_DIR *dir);
/* Makes the directory the program started in current again. */
void ruv_fsys_set_dir_startup(void);
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
/* Sorted names in the current directory that match pattern (the filter
   chooses the kind of entry; dirs lists directories); the caller destroys
   the list.  NULL on failure. */
struct SLIST *ruv_fsys_list_files(const char *filter, const char *pattern, RUV_BOOL dirs);
/* Removes the file; FALSE on failure. */
RUV_BOOL ruv_fsys_rem_file(const RUV_FILE_SPEC *spec);
/* File attribute of a specification: 1 exists, 2 readable, 3 writable,
   4 executable, 5 directory, 6 link count, 7 size, 8-10 times, 11-14
   addresses of the specification's parts; -1 for a NULL specification,
   0 for a file that is not there. */
intptr_t ruv_fsys_get_file_attr(const RUV_FILE_SPEC *spec, int32_t attribute);
/* Sets the creator (11) or type (14) text of an existing file's
   specification; FALSE on failure. */
RUV_BOOL ruv_fsys_set_file_attr(RUV_FILE_SPEC *spec, int32_t attribute, const char *value);

/* ==== end tfsys ==== */

/* ==== Strings (ruv_str_) [tstr] ==== */

#include <stdarg.h>

/* Strings are in the system's multibyte code page; a "character" argument
   points at a (possibly double-byte) character inside a string.  A NULL
   string is reported and gives the failure value (-1 for the orders). */
struct RUV_IOSTR;
struct RUV_CODESET_MAP;

/* Orders: < 0, 0, > 0. */
int ruv_str_collate(const char *a, const char *b);
int ruv_str_collate_ignoring_case(const char *a, const char *b);
/* Compares at most 32767 characters. */
int ruv_str_compare(const char *a, const char *b);
/* 0 when the first character of s is wc, 1 when wc is smaller, -1 when larger. */
int ruv_str_compare_wchar(const char *s, RUV_WCHAR wc);
/* 0 when equal ignoring letter case, else the sign of the difference. */
int ruv_str_compare_ignoring_case(const char *a, const char *b);
int ruv_str_compare_n_char(const char *a, const char *b, int32_t count);
int ruv_str_compare_n_size_ignoring_case(const char *a, const char *b, int32_t size);
RUV_BOOL ruv_str_is_equal(const char *a, const char *b);
/* TRUE when the first size bytes agree (always for size 0). */
RUV_BOOL ruv_str_is_equal_n_size(const char *a, const char *b, int32_t size);
/* Wildcard match of the whole string ("*", "?", "\" quotes). */
RUV_BOOL ruv_str_match(const char *s, const char *pattern, int caseSensitive);

/* Copy and concatenate: return dst. */
char *ruv_str_copy(char *dst, const char *src);
char *ruv_str_concat(char *dst, const char *src);
char *ruv_str_concat_n_char(char *dst, const char *src, int32_t count);
/* Whole characters only: count characters, or what fits in size bytes. */
char *ruv_str_copy_n_char(char *dst, const char *src, int32_t count);
char *ruv_str_copy_n_size(char *dst, const char *src, int32_t size);
/* A heap copy the caller frees through the toolkit. */
char *ruv_str_duplicate(const char *s);

/* Counts: NULL gives 0 silently. */
int32_t ruv_str_get_byte_count(const char *s);
int32_t ruv_str_get_char_count(const char *s);
/* Characters in the first size bytes (*used, when given: the bytes they
   take). */
int32_t ruv_str_get_n_char_count(const char *s, int32_t size, int32_t *used);
/* Bytes of the first count characters. */
int32_t ruv_str_get_n_char_size(const char *s, int32_t count);
/* Bytes of the character at c: 1 or 2. */
int32_t ruv_str_get_char_size(const char *c);
/* Character stepping that never splits a double-byte character; the
   previous character of the start is the start. */
char *ruv_str_get_next_char(const char *c);
char *ruv_str_get_prev_char(const char *start, const char *c);

/* Searching. */
char *ruv_str_find_substring(const char *s, const char *sub);
char *ruv_str_find_first_char(const char *s, const char *c);
char *ruv_str_find_last_char(const char *s, const char *c);
char *ruv_str_find_first_wchar(const char *s, RUV_WCHAR wc);
char *ruv_str_find_last_wchar(const char *s, RUV_WCHAR wc);
char *ruv_str_find_char_set(const char *s, const char *set);
char *ruv_str_find_not_char_set(const char *s, const char *set);
/* The next token of string after the separators (its length into *length);
   NULL when there is none. */
char *ruv_str_find_token(const char *string, const char *separators, int32_t *length);
/* Line splitting: text starts a scan of size bytes, NULL continues it.
   The next line (NULL at the end), its length without the line end into
   *lineLength and how it ended into *kind (0 the scan's line end, 1 another
   line end, 2 the end of the text). */
char *ruv_str_find_eol(const char *text, int32_t size, int32_t *lineLength, int32_t *kind);

/* Character classes of the character at c (a double-byte character never
   qualifies). */
RUV_BOOL ruv_str_is_alnum(const char *c);
RUV_BOOL ruv_str_is_alpha(const char *c);
RUV_BOOL ruv_str_is_cntrl(const char *c);
RUV_BOOL ruv_str_is_digit(const char *c);
RUV_BOOL ruv_str_is_graph(const char *c);
/* Printable and alphanumeric or one of  !"&'()*+,-./:;<=>?_  */
RUV_BOOL ruv_str_is_invariant(const char *c);
RUV_BOOL ruv_str_is_lower(const char *c);
RUV_BOOL ruv_str_is_print(const char *c);
RUV_BOOL ruv_str_is_punct(const char *c);
RUV_BOOL ruv_str_is_space(const char *c);
RUV_BOOL ruv_str_is_upper(const char *c);
RUV_BOOL ruv_str_is_xdigit(const char *c);

/* Case and code sets. */
int32_t ruv_str_convert_to_lower(char *dst, const char *src, int32_t max);
int32_t ruv_str_convert_to_upper(char *dst, const char *src, int32_t max);
RUV_WCHAR ruv_str_convert_wchar_to_lower(RUV_WCHAR wc);
RUV_WCHAR ruv_str_convert_wchar_to_upper(RUV_WCHAR wc);
/* One character: the bytes used / written. */
int32_t ruv_str_convert_mb_to_wc(RUV_WCHAR *wide, const char *c);
int32_t ruv_str_convert_wc_to_mb(char *dst, RUV_WCHAR wide);
/* Whole strings: the characters / bytes written. */
int32_t ruv_str_convert_mbs_to_wcs(RUV_WCHAR *wide, const char *s, int32_t count);
int32_t ruv_str_convert_wcs_to_mbs(char *dst, const RUV_WCHAR *wide, int32_t size);
/* A map between two code-set tables (NULL: the wide set, not both). */
struct RUV_CODESET_MAP *ruv_str_create_codeset_map(struct RUV_IOSTR *source, struct RUV_IOSTR *target);
void ruv_str_destroy_codeset_map(struct RUV_CODESET_MAP *map);
/* Characters written to dst (at most size bytes with the NUL); -1 on failure. */
int32_t ruv_str_translate_codeset(const struct RUV_CODESET_MAP *map, const char *src, char *dst, int32_t size);

/* Mnemonic markers "~": set inserts one before the character at position;
   get removes it and stores its position (-1: none).  Both return dst. */
char *ruv_str_set_mnemonic(const char *title, int32_t position, char *dst, int32_t size);
char *ruv_str_get_mnemonic(const char *title, int32_t *position, char *dst, int32_t size);

/* Numbers (*end, when given: where the parse stopped). */
double ruv_str_parse_double(const char *s, char **end);
int32_t ruv_str_parse_long(const char *s, char **end, int base);
uint32_t ruv_str_parse_ulong(const char *s, char **end, int base);

/* Formatted printing; a conversion may name its argument ("%2$s").  The
   caller sizes the buffer.  The characters written. */
int32_t ruv_str_sprintf(char *buffer, const char *format, ...);
int32_t ruv_str_vsprintf(char *buffer, const char *format, va_list args);

/* ==== end tstr ==== */

/* ==== Screen (ruv_scr_) [tscr] ==== */

struct SLIST;

void ruv_scr_beep(void);
/* The top-level window holding the focus, NULL when none. */
RUV_WIN ruv_scr_get_focus_topwin(void);
/* The object with the keyboard focus; NULL when none or no longer valid. */
RUV_WIN ruv_scr_get_focus_vobj(void);
void ruv_scr_hide_cursor(void);
void ruv_scr_set_busy_cursor(void);
/* A new list (the caller's) of the top-level windows. */
struct SLIST *ruv_scr_list_wins(void);
/* Gives the window the keyboard focus; refused during E_UPDATE and for
   print windows, the task window (unless attribute 10006 is set), the
   screen, group boxes and other objects that take no focus. */
void ruv_scr_set_focus_vobj(RUV_WIN window);
/* Opens a web address or file in the system's browser; FALSE on failure. */
RUV_BOOL ruv_scr_launch_browser(const char *address);

/* ==== end tscr ==== */

/* ==== Rectangles (ruv_rect_) [trect] ==== */

/* Height and width (bottom - top, right - left); -1 for a NULL rectangle. */
int16_t ruv_rect_get_height(const RUV_RECT *rect);
int16_t ruv_rect_get_width(const RUV_RECT *rect);
/* The top-left corner into *point (set to 0, 0 first); returns point, NULL
   when either pointer is NULL. */
RUV_POINT *ruv_rect_get_pos(const RUV_RECT *rect, RUV_POINT *point);
/* left <= h < right and top <= v < bottom. */
RUV_BOOL ruv_rect_has_point(const RUV_RECT *rect, RUV_POINT point);
/* result (may be NULL) = the overlap of a and b; TRUE when it is not empty. */
RUV_BOOL ruv_rect_intersect(RUV_RECT *result, const RUV_RECT *a, const RUV_RECT *b);
RUV_BOOL ruv_rect_is_empty(const RUV_RECT *rect);
void ruv_rect_offset(RUV_RECT *rect, int16_t dh, int16_t dv);
void ruv_rect_set(RUV_RECT *rect, int16_t left, int16_t top, int16_t right, int16_t bottom);
/* bottom = top, right = left. */
void ruv_rect_set_empty(RUV_RECT *rect);
/* Keep the top-left corner; TRUE, or FALSE for a NULL rectangle. */
RUV_BOOL ruv_rect_set_height(RUV_RECT *rect, int16_t height);
RUV_BOOL ruv_rect_set_width(RUV_RECT *rect, int16_t width);
/* Moves the rectangle's top-left corner to point, keeping its size. */
RUV_BOOL ruv_rect_set_pos(RUV_RECT *rect, RUV_POINT point);

/* ==== end trect ==== */

/* ==== Fonts and font maps (ruv_font_, ruv_fmap_) [tfont] ==== */

struct RUV_FONT;

/* A new font ("system", 12 points); NULL on failure. */
struct RUV_FONT *ruv_font_create(void);
/* Copies the parts of src named by mask (1 family, 2 size, 4 style,
   8 native descriptor, 0x10 app data, 0x20 window; -1 everything). */
void ruv_font_copy(struct RUV_FONT *dst, const struct RUV_FONT *src, int32_t mask);
/* A NULL font is ignored. */
void ruv_font_destroy(struct RUV_FONT *font);
RUV_BOOL ruv_font_is_valid(const struct RUV_FONT *font);
void *ruv_font_get_app_data(const struct RUV_FONT *font);
void ruv_font_set_app_data(struct RUV_FONT *font, void *data);
/* Text getters: the text with its terminator into buffer (size bytes);
   FALSE, with buffer holding "" when size is positive, when it does not
   fit.  A size of 0 or less writes nothing. */
RUV_BOOL ruv_font_get_family(const struct RUV_FONT *font, char *buffer, int32_t size);
/* The family the device gave a mapped font. */
RUV_BOOL ruv_font_get_family_mapped(struct RUV_FONT *font, char *buffer, int32_t size);
/* The native descriptor; "" (and TRUE) when the font has none. */
RUV_BOOL ruv_font_get_native_desc(const struct RUV_FONT *font, char *buffer, int32_t size);
void ruv_font_set_family(struct RUV_FONT *font, const char *family);
void ruv_font_set_native_desc(struct RUV_FONT *font, const char *desc);
int32_t ruv_font_get_size(const struct RUV_FONT *font);
/* Points, at least 1. */
void ruv_font_set_size(struct RUV_FONT *font, int32_t size);
uint32_t ruv_font_get_style(const struct RUV_FONT *font);
void ruv_font_set_style(struct RUV_FONT *font, uint32_t style);
/* What the device made of a mapped font. */
int32_t ruv_font_get_size_mapped(struct RUV_FONT *font);
uint32_t ruv_font_get_style_mapped(struct RUV_FONT *font);
RUV_BOOL ruv_font_is_print(struct RUV_FONT *font);
RUV_BOOL ruv_font_is_scalable(struct RUV_FONT *font);
RUV_BOOL ruv_font_is_mapped(const struct RUV_FONT *font);
/* The window the font is mapped for, NULL when none. */
RUV_WIN ruv_font_get_win(const struct RUV_FONT *font);
/* Metrics on the font's window; destinations may be NULL. */
void ruv_font_get_metrics(struct RUV_FONT *font, int32_t *leading, int32_t *ascent, int32_t *descent);
/* Maps the font for a drawable window. */
void ruv_font_map(struct RUV_FONT *font, RUV_WIN window);
/* Maps the font for its own window through its descriptor or the default. */
void ruv_font_map_using_default(struct RUV_FONT *font);
/* Unmaps the font and detaches it from its window. */
void ruv_font_unmap(struct RUV_FONT *font);
RUV_BOOL ruv_font_has_valid_native_desc(struct RUV_FONT *font);
/* One-line text form: NULL buffer gives the bytes needed; else the bytes
   written with the terminator, 0 when it does not fit. */
int32_t ruv_font_serialize(struct RUV_FONT *font, char *buffer, int32_t size);
RUV_BOOL ruv_font_deserialize(struct RUV_FONT *font, const char *text);
/* Families, styles and sizes offered on the window's device (the display
   for a NULL window): heap copies of the names (free with ruv_mem_free) or
   values, at most capacity; the count. */
int32_t ruv_fmap_get_families(RUV_WIN window, char **names, int32_t capacity);
int32_t ruv_fmap_get_family_styles(RUV_WIN window, const char *family, uint32_t *styles,
                                   int32_t capacity);
int32_t ruv_fmap_get_familysize_styles(RUV_WIN window, const char *family, int32_t size,
                                       uint32_t *styles, int32_t capacity);
/* *scalable: TRUE when the family is scalable (its sizes are then 1 and
   9999). */
int32_t ruv_fmap_get_family_sizes(RUV_WIN window, const char *family, int32_t *sizes,
                                  RUV_BOOL *scalable, int32_t capacity);
int32_t ruv_fmap_get_familystyle_sizes(RUV_WIN window, const char *family, uint32_t style,
                                       int32_t *sizes, RUV_BOOL *scalable, int32_t capacity);

/* ==== end tfont ==== */

/* ==== Resources (ruv_res_) [tres] ==== */

struct RUV_WIN_DEF;
struct RUV_MENU_ITEM;
struct RUV_FONT;
struct RUV_IMAGE;
struct SLIST;

/* Records read from the program's compiled resources (the caller's; free
   definitions and menu trees with the functions below); NULL when the
   resource is missing. */
struct RUV_WIN_DEF *ruv_res_get_win_def(int32_t id);
struct RUV_WIN_DEF *ruv_res_get_dlg_def(int32_t id);
struct RUV_MENU_ITEM *ruv_res_get_menu(int32_t id);
struct RUV_FONT *ruv_res_get_font(int32_t id);
struct RUV_IMAGE *ruv_res_get_image(int32_t id);
/* The string resources first..last as a new list. */
struct SLIST *ruv_res_get_str_list(int32_t first, int32_t last);
/* Application data of an item of a window, dialog, menu or image resource. */
char *ruv_res_get_win_data(int32_t winId, int32_t ctlId, int32_t dataTag);
char *ruv_res_get_dlg_data(int32_t dlgId, int32_t ctlId, int32_t dataTag);
char *ruv_res_get_menu_data(int32_t menuId, int32_t itemTag, int32_t dataTag);
char *ruv_res_get_image_data(int32_t imageId, int32_t dataTag);
/* String resource id into buffer (at most size - 1 bytes); buffer, or NULL
   when it is missing. */
char *ruv_res_get_str(int32_t id, char *buffer, int32_t size);
void ruv_res_free_win_def(struct RUV_WIN_DEF *def);
void ruv_res_free_menu_tree(struct RUV_MENU_ITEM *tree);
/* Resource libraries: add one by file name (its handle, NULL on failure),
   make one current (the previous one), remove one. */
void *ruv_res_add_res(const char *file);
void *ruv_res_use_res(void *handle);
RUV_BOOL ruv_res_remove_res(void *handle);

/* ==== end tres ==== */

/* ==== String lists (ruv_slist_) [tslist] ==== */

struct SLIST;
struct SLIST_ELT;

/* String lists: texts with a pointer-sized data word each. */
struct SLIST *ruv_slist_create(void);
/* A NULL list is passed to the base library, which answers for an empty
   list. */
void ruv_slist_destroy(struct SLIST *list);
/* Number of texts; -1 for a list that is not valid. */
int32_t ruv_slist_count(const struct SLIST *list);
void ruv_slist_debug(const struct SLIST *list);
struct SLIST_ELT *ruv_slist_get_first(const struct SLIST *list);
struct SLIST_ELT *ruv_slist_get_next(const struct SLIST *list, const struct SLIST_ELT *element);
/* The element's text (its data word into *data when data is not NULL). */
char *ruv_slist_get(const struct SLIST *list, const struct SLIST_ELT *element, intptr_t *data);
char *ruv_slist_get_elt(const struct SLIST *list, int32_t index, intptr_t *data);
/* The element's data word, in place. */
intptr_t *ruv_slist_get_data(struct SLIST_ELT *element);
/* text may itself be a list: its texts are moved in. */
RUV_BOOL ruv_slist_add_at_elt(struct SLIST *list, struct SLIST_ELT *element, const char *text,
                              intptr_t data);
RUV_BOOL ruv_slist_add_at_pos(struct SLIST *list, int32_t position, const char *text, intptr_t data);
RUV_BOOL ruv_slist_add_sorted(struct SLIST *list, const char *text, intptr_t data, int32_t unique,
                              int32_t caseSensitive);
RUV_BOOL ruv_slist_rem(struct SLIST *list, struct SLIST_ELT *element);
RUV_BOOL ruv_slist_is_valid(const void *list);

/* ==== end tslist ==== */

#ifdef __cplusplus
}
#endif

#endif
