/* Help library (ruvhelp): attaches a help file to a toolkit application.
   The application opens the help file once and keeps the handle; windows,
   dialogs, controls and menu commands are tied to topics (one by one or
   from the ".csa" association file beside the help file), and help events,
   the standard help-menu commands and object-click help show topics
   through the system's help engine.  The public functions (ruv_help_)
   check their arguments and call the core functions (ruvv_help_) of the
   same name. */
#ifndef RUV_HELP_H
#define RUV_HELP_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_EVENT;
struct RUV_WIN_DEF;

/* One open help file; opaque to the application. */
typedef struct RUV_HELP_INFO RUV_HELP_INFO;

/* Open flags. */
#define RUV_HELP_NO_MENU_ASSOC 0x4   /* no standard help-menu associations */
#define RUV_HELP_OPEN_FLAG_10  0x10  /* kept; no effect with WinHelp */

/* Flavours of the help engine. */
#define RUV_HELP_FLAVOR_WINHELP 1

/* Topics with a meaning of their own; 0 is no topic. */
#define RUV_HELP_TOPIC_HELP_ON_HELP 32000
#define RUV_HELP_TOPIC_CONTENTS     32006

/* Help-menu command tags. */
#define RUV_HELP_MENU_FIRST   32450
#define RUV_HELP_MENU_LAST    32462
#define RUV_HELP_MENU_OBJCLICK 32458

/* ---- Public functions ---------------------------------------------------- */
RUV_HELP_INFO *ruv_help_open_helpfile(const RUV_FILE_SPEC *spec, int32_t flags);
void ruv_help_close_helpfile(RUV_HELP_INFO *info);
void ruv_help_display_topic(RUV_HELP_INFO *info, int32_t topic);
void ruv_help_search_topic(RUV_HELP_INFO *info, int32_t topic, const char *key);
void ruv_help_set_menu_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag, int32_t topic, int32_t unused);
int32_t ruv_help_get_menu_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag);
void ruv_help_set_win_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t topic, int32_t unused);
int32_t ruv_help_get_win_assoc(RUV_HELP_INFO *info, RUV_WIN win);
void ruv_help_assoc_all(RUV_HELP_INFO *info, RUV_WIN win, int32_t res_id, struct RUV_WIN_DEF *def);
void ruv_help_disassoc_all(RUV_HELP_INFO *info, RUV_WIN win);
void ruv_help_begin_objclick(RUV_HELP_INFO *info, RUV_WIN win, int32_t unused);
void ruv_help_end_objclick(RUV_HELP_INFO *info);
RUV_BOOL ruv_help_process_event(RUV_HELP_INFO *info, RUV_WIN win, struct RUV_EVENT *event);
int32_t ruv_help_get_flavor(void);

/* ---- Core functions ------------------------------------------------------ */
RUV_HELP_INFO *ruvv_help_open_helpfile(const RUV_FILE_SPEC *spec, int32_t flags);
void ruvv_help_close_helpfile(RUV_HELP_INFO *info);
void ruvv_help_display_topic(RUV_HELP_INFO *info, int32_t topic);
void ruvv_help_search_topic(RUV_HELP_INFO *info, int32_t topic, const char *key);
void ruvv_help_set_menu_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag, int32_t topic, int32_t unused);
int32_t ruvv_help_get_menu_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag);
void ruvv_help_set_win_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t topic, int32_t unused);
int32_t ruvv_help_get_win_assoc(RUV_HELP_INFO *info, RUV_WIN win);
RUV_BOOL ruvv_help_assoc_all(RUV_HELP_INFO *info, RUV_WIN win, int32_t res_id, struct RUV_WIN_DEF *def);
void ruvv_help_disassoc_all(RUV_HELP_INFO *info, RUV_WIN win);
void ruvv_help_begin_objclick(RUV_HELP_INFO *info, RUV_WIN win, int32_t unused);
void ruvv_help_end_objclick(RUV_HELP_INFO *info);
RUV_BOOL ruvv_help_process_event(RUV_HELP_INFO *info, RUV_WIN win, struct RUV_EVENT *event);
int32_t ruvv_help_get_flavor(void);
RUV_BOOL ruvv_help_is_valid_info(const RUV_HELP_INFO *info);
/* The event hook for toolkit attribute 710: TRUE passes the event on. */
RUV_BOOL ruvv_help_helpfile_callback(void *info, RUV_WIN win, struct RUV_EVENT *event);

/* ---- Path rule ----------------------------------------------------------- */
/* Gives path the extension ext (with or without its '.'; NULL: none),
   into out when given (path copied first), else in place; returns the
   text written. */
char *helpu_change_extension(char *path, char *out, const char *ext);

#ifdef __cplusplus
}
#endif

#endif
