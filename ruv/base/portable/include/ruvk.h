/* Kernel driver interface: every ruvk_ operation that the portable layer
   calls, one line of contract each, grouped by family.  The Windows kernel
   (ruv/base/win) provides them in ruvbase; ruv/base/portable/standin
   provides them without a window system for tests.  Add a family's block
   with a targeted edit; keep one line of contract per function. */
#ifndef RUVK_H
#define RUVK_H

#include <stdarg.h>
#include "ruv_types.h"
#include "ruvv_vobj.h"
#include "ruvv_static.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Per-process static storage (start-up) ---------------------------- */
/* Blocks and tables come from the runtime heap, not the memory hooks (the
   memory module's own block is resolved here). */
/* The calling process's block for desc, made and initialised on first use; NULL when no process slot is free. */
void *ruvk_static_get_ptr(RUV_STATIC_DESC *desc);
/* Replaces the calling process's block pointer and returns the old one; NULL when the process has no slot. */
void *ruvk_static_set_ptr(RUV_STATIC_DESC *desc, void *storage);
/* A fresh zero-filled block of desc's size; NULL before desc is first resolved. */
void *ruvk_static_alloc(RUV_STATIC_DESC *desc);

/* ---- Application state (start-up, message loop) ----------------------- */
/* 16-bit true once the message loop has been entered (pre-start attributes refuse from then on). */
RUV_BOOL ruvk_app_is_running(void);
/* Lays the MDI client out again after a margin change (when the task window is visible, not minimised). */
void ruvk_app_layout_mdi_client(void);

/* ---- Toolkit attributes ----------------------------------------------- */
/* Reads attribute key (window or NULL); an unlisted key reports 0x73C382 and gives 0. */
intptr_t ruvk_vobj_get_attr(RUV_WIN win, int32_t key);
/* Public setter: refusals (unlisted, read-only, before start, ...) are reported and store nothing. */
void ruvk_vobj_set_attr(RUV_WIN win, int32_t key, intptr_t value);
/* What only the window system knows: system metric arg for metric keys (arg != key), else key's value (100: native button-face colour 0x00BBGGRR). */
intptr_t ruvk_attr_get_system(RUV_WIN win, int32_t key, int32_t arg);
/* Applies a value the window system keeps: drawing-context cache limit (10023), HTML event sink (10038). */
void ruvk_attr_set_system(RUV_WIN win, int32_t key, intptr_t value);

/* ---- View objects ----------------------------------------------------- */
/* The object's title in toolkit form into buf, cut to size; returns buf. */
char *ruvk_vobj_get_title(RUV_WIN win, char *buf, int32_t size);
/* Destroys a window or control, or for task kinds the application. */
void ruvk_vobj_destroy(RUV_WIN win);

/* ---- Windows from definitions, controls and focus --------------------- */
struct RUV_WIN_DEF;
/* Makes the window of a definition array (element 0) with its controls;
   NULL when the window or one of its controls cannot be made. */
RUV_WIN ruvk_win_create_def(const struct RUV_WIN_DEF *def, RUV_WIN parent, uint32_t event_mask,
                            RUV_EVENT_HANDLER handler, void *app_data);
/* Sends the font (NULL: the default control font) to the window's controls that have none of their own. */
void ruvk_win_set_ctl_font(RUV_WIN win, struct RUV_FONT *font);
/* A control's own font (copied), or NULL to drop it. */
void ruvk_ctl_set_font(RUV_WIN ctl, struct RUV_FONT *font);
/* Sets a window's or control's title (toolkit mnemonic form). */
void ruvk_vobj_set_title(RUV_WIN win, const char *text);
/* Selects characters first..last of an edit field or drop-down (focus first). */
void ruvk_ctl_set_text_sel(RUV_WIN ctl, int32_t first, int32_t last);
/* The object with the keyboard focus, NULL for none. */
RUV_WIN ruvk_scr_get_focus_vobj(void);

/* ---- Standard dialogs and message boxes ------------------------------- */
/* Formats are formats: a text that is not one goes as "%s" and the text. */
/* Error box: the id of the ending button, 2 when closed, -1 when it cannot be made. */
int32_t ruvk_dm_post_error(const char *format, va_list args);
/* Warning box: as the error box. */
int32_t ruvk_dm_post_warning(const char *format, va_list args);
/* Note box: as the error box. */
int32_t ruvk_dm_post_note(const char *format, va_list args);
/* Question box with buttons 1-3 (2 and 3 may be NULL): 0 for button 1, 1
   for button 2, 2 for button 3 or closing. */
int32_t ruvk_dm_post_ask(const char *button1, const char *button2, const char *button3, const char *format,
                         va_list args);
/* Plain alert (a system message box). */
void ruvk_dm_post_message(const char *format, va_list args);
/* Reports the text and ends the program through its exit callback. */
void ruvk_dm_post_fatal_exit(const char *format, va_list args);
void ruvk_dm_post_about_box(void);
/* The response in buffer (at most length - 1 bytes and a terminator), NULL
   when cancelled. */
char *ruvk_dm_post_string_prompt(const char *prompt, char *buffer, int32_t length);
/* Font dialog (win may be NULL; the print record may be NULL): TRUE when
   another font was chosen; win then gets an E_FONT. */
struct RUV_FONT;
RUV_BOOL ruvk_dm_post_font_sel(RUV_WIN win, struct RUV_FONT *font, void *print_record);
/* TRUE when a colour was chosen; it replaces *color as plain RGB. */
RUV_BOOL ruvk_dm_post_color_sel(RUV_COLOR *color);
/* Print-setup dialog over a print record: TRUE when the record changed. */
struct RUV_PRINT_RECORD;
RUV_BOOL ruvk_dm_post_page_setup(struct RUV_PRINT_RECORD *print_record);
/* File and folder dialogs: 2 chosen, 1 cancelled, 0 failed. */
int32_t ruvk_dm_post_file_open(RUV_FILE_SPEC *spec, const char *prompt);
int32_t ruvk_dm_post_file_save(RUV_FILE_SPEC *spec, const char *prompt);
int32_t ruvk_dm_post_dir_sel(RUV_FILE_DIR *dir, const char *title);

/* ---- Files and directories -------------------------------------------- */
/* The current directory into dir (up to 261 bytes); FALSE on failure. */
RUV_BOOL ruvk_fsys_get_dir(RUV_FILE_DIR *dir);
/* Makes dir current; an empty path succeeds and changes nothing. */
RUV_BOOL ruvk_fsys_set_dir(const RUV_FILE_DIR *dir);
/* Records the start-up directory at the first call, then makes it current; FALSE (0x01540002) on failure. */
RUV_BOOL ruvk_fsys_set_dir_startup(void);

/* ---- Images and native palettes -------------------------------------- */
struct RUV_PALETTE;
/* Row alignment in bytes of image pixel rows on this platform (4). */
int32_t ruvk_image_get_row_alignment(void);
/* Makes the native palette of palette->type: types 1, 2, 5 first take the
   system's colours into the palette; FALSE for a type without one. */
RUV_BOOL ruvk_palet_create(struct RUV_PALETTE *palette);
/* Deletes the native palette and frees its native part. */
void ruvk_palet_destroy(struct RUV_PALETTE *palette);
/* Writes colours[index .. index + count - 1] into the native palette. */
void ruvk_palet_add_colors(struct RUV_PALETTE *palette, int32_t index, int32_t count);
/* Attaches the palette (NULL: none) to the window's drawing state so the
   next device context selects and realises it. */
void ruvk_palet_map_win(struct RUV_PALETTE *palette, RUV_WIN win);
/* The palette attached to the window's drawing state, NULL when none. */
struct RUV_PALETTE *ruvk_dwin_get_palet(RUV_WIN win);

/* ---- Strings: multi-byte characters, case, classes, collation -------- */
/* Characters are in the system's multi-byte (ANSI) code page. */
/* Bytes of the character at text: -1 for NULL, 0 at the terminator, 2 for a
   lead byte, else 1. */
int32_t ruvk_str_get_char_size(const char *text);
/* Converts the one character at text into a wide character at out (when not
   NULL); returns its byte length, 0 for NULL text. */
int32_t ruvk_str_convert_mb_to_wc(RUV_WCHAR *out, const char *text);
/* Converts one wide character into at most 5 bytes at out, terminated;
   returns the byte count (0 writes an empty string and returns 1; NULL out
   returns 0). */
int32_t ruvk_str_convert_wc_to_mb(char *out, RUV_WCHAR wide);
/* Copy at most max characters of src into dst when they differ, then change
   the case of min(characters, max) characters in place; returns the count
   changed, 0 for an invalid text. */
int32_t ruvk_str_convert_to_lower(char *dst, const char *src, int32_t max);
int32_t ruvk_str_convert_to_upper(char *dst, const char *src, int32_t max);
/* Locale-aware comparison of two texts (the system's lstrcmpA): <0, 0, >0. */
int32_t ruvk_str_compare_locale(const char *a, const char *b);
/* System character classes of a single-byte character (IsCharAlphaNumericA,
   IsCharAlphaA, IsCharLowerA, IsCharUpperA). */
RUV_BOOL ruvk_str_is_char_alnum(char c);
RUV_BOOL ruvk_str_is_char_alpha(char c);
RUV_BOOL ruvk_str_is_char_lower(char c);
RUV_BOOL ruvk_str_is_char_upper(char c);

/* ---- Files: specifications and attributes ----------------------------- */
/* Full path of a specification (directory text, separator, leaf name) into
   path (256 bytes); FALSE when the directory cannot be converted or the
   path would not fit. */
RUV_BOOL ruvk_fsys_file_makepath(const RUV_FILE_SPEC *spec, char *path);
/* TRUE when path names a directory (the current directory is unchanged). */
RUV_BOOL ruvk_fsys_is_dir(const char *path);
/* The directory's full path into text (at most size bytes); FALSE when the
   directory does not exist. */
RUV_BOOL ruvk_fsys_convert_dir_to_str(const RUV_FILE_DIR *dir, char *text, int32_t size);

/* ---- List controls ---------------------------------------------------- */
/* Adds one row (or every string of an SLIST) at index (-1 = end). */
RUV_BOOL ruvk_list_add(RUV_WIN list, int32_t index, const char *text);
/* Number of rows, -1 on failure. */
int32_t ruvk_list_count_all(RUV_WIN list);
/* Selects (flag TRUE) or deselects row index (-1 = all rows of a
   multi-selection list); TRUE. */
RUV_BOOL ruvk_list_set_sel(RUV_WIN list, int32_t index, RUV_BOOL select);

/* ---- Resources: raw-data chunks and string tables -------------------- */
/* Copies at most capacity bytes of raw-data resource id of the current
   resource instance into buffer; returns the resource's full size (which
   may exceed what was copied), -1 when it is missing. */
int32_t ruvk_res_load_rcdata(int32_t id, void *buffer, int32_t capacity);
/* String resource id into buf (cut to len - 1 bytes, terminated); buf, or
   NULL when the string is missing. */
char *ruvk_res_get_str(int32_t id, char *buf, int32_t len);
/* New SLIST of the strings first..last (either order, low to high); NULL
   when any is missing. */
struct SLIST *ruvk_res_get_str_list(int32_t first, int32_t last);
/* Releases every resource library; the program's own resources serve. */
void ruvk_res_remove_all_res(void);

/* ---- Fonts: native part, descriptors, enumeration --------------------- */
struct RUV_FONT;
/* Whole native part (ruvk_font_copy_native flag); else the mapping fields. */
#define RUVK_FONT_COPY_WHOLE 2
/* A zero-filled native part for a new font; NULL when memory runs out. */
void *ruvk_font_alloc_native(void);
void ruvk_font_free_native(void *native);
/* Copies the native part (flags RUVK_FONT_COPY_WHOLE) or its mapping
   fields from one font to another. */
void ruvk_font_copy_native(struct RUV_FONT *to, const struct RUV_FONT *from, int32_t flags);
/* After any change of a font: new descriptor text or NULL; clears the
   native mapping. */
void ruvk_font_invalidate(struct RUV_FONT *font, const char *new_desc);
/* Applies the font to its window's drawing state. */
void ruvk_font_refresh_win(struct RUV_FONT *font);
/* TRUE when either window is missing or invalid, or exactly one of the
   font's window and win is a print window. */
RUV_BOOL ruvk_font_needs_remap(const struct RUV_FONT *font, RUV_WIN win);
/* TRUE when the font's native descriptor parses. */
RUV_BOOL ruvk_font_check_native_desc(struct RUV_FONT *font);
/* The descriptor adapted to the font's style and size (unchanged here). */
const char *ruvk_font_translate_desc(struct RUV_FONT *font, const char *desc);
/* Maps through the font's valid descriptor, else the default descriptor;
   stores the resulting descriptor in the font; TRUE when mapped. */
RUV_BOOL ruvk_font_map_using_default(struct RUV_FONT *font);
/* The platform tag that begins native descriptors ("NT_01"). */
const char *ruvk_font_get_plat_name(void);
/* System font lists of a device (print record or NULL for the display):
   heap-copied names or values up to max; the count filled. */
int32_t ruvk_fmap_get_families(void *device, char **names, int32_t max);
int32_t ruvk_fmap_get_family_styles(void *device, const char *family, uint32_t *styles, int32_t max);
int32_t ruvk_fmap_get_familysize_styles(void *device, const char *family, int32_t size, uint32_t *styles, int32_t max);
int32_t ruvk_fmap_get_family_sizes(void *device, const char *family, int32_t *sizes, RUV_BOOL *scalable, int32_t max);
int32_t ruvk_fmap_get_familystyle_sizes(void *device, const char *family, uint32_t style, int32_t *sizes, RUV_BOOL *scalable, int32_t max);

/* ---- Drawing on drawable objects: tools, font, rectangles, text ------- */
struct RUV_FONT;
/* Tools of the object's drawing state (nothing without one). */
void ruvk_dwin_get_draw_ctools(RUV_WIN win, RUV_DRAW_CTOOLS *out);
/* Sets brush, pen, colours, mode and opaque flag; the state's tools. */
RUV_DRAW_CTOOLS *ruvk_dwin_set_draw_ctools(RUV_WIN win, const RUV_DRAW_CTOOLS *tools);
void ruvk_dwin_set_cpen(RUV_WIN win, const RUV_CPEN *pen);
void ruvk_dwin_set_cbrush(RUV_WIN win, const RUV_CBRUSH *brush);
/* Copies family, size, style, descriptor and app data into the state's font. */
void ruvk_dwin_set_font(RUV_WIN win, const struct RUV_FONT *font);
/* copy 0: the state's own font; else a new copy the caller destroys. */
struct RUV_FONT *ruvk_dwin_get_font(RUV_WIN win, RUV_BOOL copy);
/* Rectangle with the pen and brush (filled without outline in mode 0, inverted for standard black in mode 2). */
void ruvk_dwin_draw_rect(RUV_WIN win, const RUV_RECT *rect);
/* Width in pixels of count characters (-1: the whole string) in the object's font. */
int32_t ruvk_dwin_get_text_width(RUV_WIN win, const char *text, int32_t count);
/* The object's client rectangle (top and left 0); all 0 without one. */
void ruvk_vobj_get_client_rect(RUV_WIN win, RUV_RECT *rect);

/* ---- Fonts as the device made them ------------------------------------ */
/* Metrics of the font mapped for win (NULL: its own window); destinations may be NULL and stay unchanged without a device context. */
void ruvk_font_get_metrics(struct RUV_FONT *font, int32_t *leading, int32_t *ascent, int32_t *descent, RUV_WIN win,
                           int32_t reserved);
/* Point size the device gave the font; 0 when it cannot be read. */
int32_t ruvk_font_get_size_mapped(struct RUV_FONT *font);
/* TRUE when the font's window is a print window (type 4, not a text edit). */
RUV_BOOL ruvk_font_is_print(const struct RUV_FONT *font);
/* TRUE when the device's font is scalable (vector or TrueType). */
RUV_BOOL ruvk_font_is_scalable(struct RUV_FONT *font);
/* Face name the device gave the font (kept in the font); NULL when it cannot be read. */
const char *ruvk_font_get_family_mapped(struct RUV_FONT *font);
/* Style bits of the device's font; 0 when they cannot be read. */
uint32_t ruvk_font_get_style_mapped(struct RUV_FONT *font);

#ifdef __cplusplus
}
#endif

#endif
