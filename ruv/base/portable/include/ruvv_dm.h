/* The dialog manager's entries: the standard dialogs and message boxes,
   each shown with its help context, so that a help request made while it
   is up reaches the task window with that topic. */
#ifndef RUVV_DM_H
#define RUVV_DM_H

#include <stdarg.h>

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_FONT;

/* An application font dialog (toolkit attribute 801): called with the
   window, the font, the options and 0; non-zero when a font was chosen. */
typedef int16_t (*RUV_FONT_DIALOG_HOOK)(RUV_WIN win, struct RUV_FONT *font, void *options, intptr_t reserved);

/* Help contexts of the entries. */
#define RUV_HELP_ABOUT_BOX      32007
#define RUV_HELP_FILE_OPEN      32030
#define RUV_HELP_FILE_SAVE      32040
#define RUV_HELP_ASK            32050
#define RUV_HELP_NOTE           32060
#define RUV_HELP_ERROR          32070
#define RUV_HELP_WARNING        32080
#define RUV_HELP_STRING_PROMPT  32090
#define RUV_HELP_FONT_SEL       32100
#define RUV_HELP_PAGE_SETUP     32110
#define RUV_HELP_MESSAGE        32120
#define RUV_HELP_FATAL_EXIT     32130
#define RUV_HELP_COLOR_SEL      32140
#define RUV_HELP_DIR_SEL        32160

void ruvv_dm_post_about_box(void);
int32_t ruvv_dm_post_file_open(RUV_FILE_SPEC *spec, const char *prompt);
int32_t ruvv_dm_post_file_save(RUV_FILE_SPEC *spec, const char *prompt);
int32_t ruvv_dm_post_ask(const char *button1, const char *button2, const char *button3, const char *format,
                         va_list args);
int32_t ruvv_dm_post_ask_va(const char *button1, const char *button2, const char *button3, const char *format, ...);
int32_t ruvv_dm_post_note(const char *format, va_list args);
int32_t ruvv_dm_post_note_va(const char *format, ...);
int32_t ruvv_dm_post_error(const char *format, va_list args);
int32_t ruvv_dm_post_error_va(const char *format, ...);
int32_t ruvv_dm_post_warning(const char *format, va_list args);
int32_t ruvv_dm_post_warning_va(const char *format, ...);
char *ruvv_dm_post_string_prompt(const char *message, char *buffer, int32_t size);
/* options: the print record (may be NULL); reserved: 0. */
int16_t ruvv_dm_post_font_sel(RUV_WIN win, struct RUV_FONT *font, void *options, intptr_t reserved);
void ruvv_dm_post_message(const char *format, va_list args);
void ruvv_dm_post_message_va(const char *format, ...);
void ruvv_dm_post_fatal_exit(const char *format, va_list args);
void ruvv_dm_post_fatal_exit_va(const char *format, ...);
/* The print-setup dialog over a print record: TRUE when the record
   changed. */
struct RUV_PRINT_RECORD;
RUV_BOOL ruvv_dm_post_page_setup(struct RUV_PRINT_RECORD *print_record);
RUV_BOOL ruvv_dm_post_color_sel(RUV_COLOR *color);
/* The drawing-tools dialog over the pages that parts selects (pen 0xA3,
   brush 0xA4, colours 0xB8, advanced 64 and above): TRUE when the user
   accepted, the tools then changed in place. */
RUV_BOOL ruvv_dm_post_ctools_sel(RUV_DRAW_CTOOLS *ctools, int32_t parts);
/* dir: in the directory to show, out the chosen one. */
int32_t ruvv_dm_post_dir_sel(RUV_FILE_DIR *dir, const char *prompt);

#ifdef __cplusplus
}
#endif

#endif
