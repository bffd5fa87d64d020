/* Native windows of the toolkit: class names and registration, the class
   kind of a new window, record initialisation and release, creation with
   its styles and outer rectangle, creation completion, the modal loop,
   destruction (of a window or of the whole application) and the lookup of
   a native window's record. */
#ifndef RUV_KERNEL_WINDOW_CREATE_H
#define RUV_KERNEL_WINDOW_CREATE_H

#include "kernel_app.h"
#include "ruvv_res.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Class kinds. */
#define RUVK_KIND_TASK          0x1u
#define RUVK_KIND_DRAWTASK      0x2u
#define RUVK_KIND_DETDOC        0x4u
#define RUVK_KIND_DOC           0x8u
#define RUVK_KIND_CHILD         0x10u
#define RUVK_KIND_PRINT         0x20u
#define RUVK_KIND_DIALOG        0x40u
#define RUVK_KIND_DOCLIKE       0x80u
#define RUVK_KIND_SCREEN        0x100u
#define RUVK_KIND_NOWIN_TASK    0x200u
#define RUVK_KIND_PIXMAP        0x400u
#define RUVK_KIND_UTIL          0x800u
#define RUVK_KIND_WIALOG        0x1000u
#define RUVK_KIND_PAGE_CHILD    0x4010u
#define RUVK_KIND_MDIFRMCHILD   0x10000010u
#define RUVK_KIND_MDIFRAME_OBJ  0x20000004u
#define RUVK_KIND_MDIDOC        0x40000008u
#define RUVK_KIND_MDITASK       0x80000001u

/* Kind masks. */
#define RUVK_KINDS_NATIVE       0x501fu      /* native top-level or child window */
#define RUVK_KINDS_FRAMELIKE    0x1007u
#define RUVK_KINDS_MENU_BAR     0x4000000fu  /* may carry a menu bar */
#define RUVK_KINDS_TASK_FRAME   0x80000001u
#define RUVK_KINDS_OWN_TOP      0x4000134fu

/* Window types that creation reads. */
#define RUVK_W_DOC     1
#define RUVK_W_PLAIN   2
#define RUVK_W_DBL     3
#define RUVK_W_TASK    5
#define RUVK_W_SCREEN  6
#define RUVK_W_NOBORDER 7
#define RUVK_W_MODAL   9

/* Creation flags that creation reads. */
#define RUVK_CF_SIZE        0x1u
#define RUVK_CF_CLOSE       0x2u
#define RUVK_CF_HSCROLL     0x4u
#define RUVK_CF_VSCROLL     0x8u
#define RUVK_CF_INVISIBLE   0x10u
#define RUVK_CF_DISABLED    0x20u
#define RUVK_CF_ICONIZABLE  0x80u
#define RUVK_CF_ICONIZED    0x100u
#define RUVK_CF_NO_MENU_BAR 0x800u
#define RUVK_CF_MAXIMIZED   0x1000u
#define RUVK_CF_NO_MODAL    0x8000u

/* A left or right coordinate asking for the native default. */
#define RUVK_DEFAULT_COORD  ((int16_t)0x8001)

/* The class name of kind (and icon id for document kinds) into name
   (size bytes), registering the class on first use; FALSE (reported) for
   an unlisted kind or a full icon list. */
RUV_BOOL ruvk_class_register(uint32_t kind, int32_t icon_id, char *name, int32_t size);
/* Fills the class table (start-up) and unregisters every class (clean-up). */
void ruvk_class_table_init(RUV_APP_RECORD *app);
void ruvk_class_table_term(RUV_APP_RECORD *app);
/* The class kind of a new window of type under parent; 0 when it has none. */
uint32_t ruvk_class_kind_for(int32_t type, RUV_WIN parent);

/* Record initialisation: tag, type, kind, parent, -1 word, registration,
   drawing state; FALSE when the record cannot be registered. */
RUV_BOOL ruvk_vobj_record_init(RUV_VOBJ *rec, int32_t type, uint32_t kind, RUV_WIN parent);
/* Record release: unregisters it, destroys its control font, string list,
   colour list and handler chain, zero-fills it (the caller frees it). */
void ruvk_vobj_record_release(RUV_VOBJ *rec);

/* Creation. */
/* The native-creation wrapper: the creation hook (attribute 10019) may
   change every argument, then CreateWindowExA. */
HWND ruvk_win_create_native(DWORD ex_style, LPCSTR cls, LPCSTR title, DWORD style, int x, int y, int w, int h,
                             HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
RUV_WIN ruvk_win_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t menu_id, RUV_WIN parent,
                        uint32_t flags, uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data);
RUV_WIN ruvk_win_create_def(const RUV_WIN_DEF *def, RUV_WIN parent, uint32_t event_mask,
                            RUV_EVENT_HANDLER handler, void *app_data);
/* Creation completion: delivers the deferred E_CREATE and what was deferred
   behind it, then runs a modal window's loop. */
void ruvk_win_complete_creation(RUV_WIN win);
/* The modal loop of a type-9 window; frees the record at its end. */
void ruvk_win_process_modal(RUV_WIN win);

/* Widens a client rectangle to the outer rectangle of a window of type with
   native style and creation flags; menu: a menu bar is present. */
void ruvk_rect_client_to_outer(RUV_RECT *rect, int32_t type, DWORD style, uint32_t flags, RUV_BOOL menu);
/* Native style from creation flags, class kind and border kind. */
DWORD ruvk_style_from_flags(DWORD style, uint32_t flags);
DWORD ruvk_style_from_kind(DWORD style, uint32_t kind);
DWORD ruvk_style_from_border(DWORD style, int32_t border);

/* The record of a native window, NULL for a window the toolkit does not own
   (asks the registry; never probes memory). */
RUV_WIN ruvwi_hwnd_to_window(HWND hwnd);

/* Creation complete (kernel bit 0); 0x3486E3 for a record of no window kind. */
RUV_BOOL ruvk_win_is_created(RUV_WIN win);
/* Focus memory of a top-level window: its last focused control (0x3486E2 /
   0x3486E1 for a record of no window kind). */
RUV_WIN ruvk_win_get_focus_memory(RUV_WIN win);
void ruvk_win_set_focus_memory(RUV_WIN win, RUV_WIN ctl);

/* The native destroy message of a toolkit window (called by its window
   procedure on WM_NCDESTROY): E_DESTROY, then the record is released and
   freed (a modal window's by its loop). */
void ruvk_win_native_destroyed(HWND hwnd);

/* The screen object and the task window (window-less with attribute
   10008, else native); FALSE (reported) when the task window cannot be
   made. */
struct RUV_APP_CONFIG;
RUV_BOOL ruvk_app_create_screen_and_task(RUV_EVENT_HANDLER handler, const struct RUV_APP_CONFIG *config);

/* Destruction with the exit entry's flag (ruvk_vobj_destroy passes 1). */
void ruvk_vobj_destroy_ex(RUV_WIN win, int16_t call_exit);
/* The final clean-up of every object and of the process's native state. */
void ruvk_app_final_cleanup(void);

#ifdef __cplusplus
}
#endif

#endif
