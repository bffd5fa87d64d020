/* The kernel's per-process application record and the few things every
   module of the Windows kernel shares: the record's accessor, the window
   class table entry and the platform flags.  Each module keeps anything
   private to itself in its own static block; what two modules read goes
   here. */
#ifndef RUV_KERNEL_APP_H
#define RUV_KERNEL_APP_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruv_types.h"
#include "ruvv_vobj.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Window procedures of the kernel's classes. */
typedef LRESULT (CALLBACK *RUVK_WNDPROC)(HWND, UINT, WPARAM, LPARAM);

#define RUVK_CLASS_COUNT 11
#define RUVK_ICON_LIST_MAX 40

/* One native window class per class kind; document kinds get one class per
   icon id (icons is their list of registered ids). */
typedef struct RUV_WIN_CLASS {
    int32_t kind;
    const char *suffix;
    RUVK_WNDPROC proc;
    int16_t *icons;          /* NULL for kinds without an icon list */
    int32_t count;           /* ids in the list; 1 once registered otherwise */
} RUV_WIN_CLASS;

/* Platform flags, set once by ruvwi_Begin from the system's version (a
   test may set them to try the other branches). */
typedef struct RUVK_PLATFORM {
    int16_t win32s;
    int16_t win9x;
    int16_t nt4;
    int16_t new_shell;
} RUVK_PLATFORM;
extern RUVK_PLATFORM ruvk_platform;

typedef struct RUV_APP_RECORD {
    HINSTANCE instance;
    HINSTANCE prev_instance;
    HINSTANCE res_instance;          /* the resource library or the instance */
    HMODULE ctl3d;                   /* optional 3-D control library */
    FARPROC ctl3d_color;
    FARPROC ctl3d_subclass;
    HWND mdi_client;
    HWND open_drop_list;             /* drop list whose list is open */
    HMENU window_menu;
    char window_menu_title[50];
    HWND utility;                    /* hidden utility window */
    int16_t fatal;                   /* set while a fatal error is reported */
    intptr_t system_value;           /* third argument of ruvwi_ruv_system */
    RUV_WIN_CLASS classes[RUVK_CLASS_COUNT];
    void *dc_cache;                  /* drawing-context cache list */
    int32_t dc_cache_limit;
    HBRUSH back_brush;
    COLORREF back_color;
    COLORREF text_color;
    int32_t modeless_count;
    RUV_WIN dc_window;               /* window whose context is cached */
    void (*exit_callback)(int32_t status);
    RUV_WIN caret_owner;
    HWND caret_hwnd;
    int16_t caret_visible;
    int16_t mouse_state[5];          /* -1 without a mouse, else 0; 0, 0, -1, -1 */
    int16_t allow_quit;
    int16_t kernel_sets_text;
    char app_name[11];
    HACCEL accelerators;
    void *print_job;
    int16_t printing;
    int32_t update_deferral;
    RUV_RECT update_rect;
    intptr_t *attr_values;
    int16_t first_document;
    int16_t being_destroyed;
    int16_t icons_doc[RUVK_ICON_LIST_MAX];     /* list A: doc and mdidoc */
    int16_t icons_detdoc[RUVK_ICON_LIST_MAX];  /* list B: detached documents */
} RUV_APP_RECORD;

/* The process's application record, made on first use; NULL when it cannot
   be had. */
RUV_APP_RECORD *ruvk_app_record(void);

#ifdef __cplusplus
}
#endif

#endif
