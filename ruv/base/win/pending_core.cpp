// Placeholders for the kernel operations that the core module has not
// built yet; each goes when its real definition lands.

#include <stdarg.h>
#include "ruvk.h"

extern "C" {

void * ruvk_static_get_ptr(RUV_STATIC_DESC *desc)
{
    return 0;
}

void * ruvk_static_set_ptr(RUV_STATIC_DESC *desc, void *storage)
{
    return 0;
}

void * ruvk_static_alloc(RUV_STATIC_DESC *desc)
{
    return 0;
}

RUV_BOOL ruvk_app_is_running(void)
{
    return 0;
}

intptr_t ruvk_vobj_get_attr(RUV_WIN win, int32_t key)
{
    return 0;
}

void ruvk_vobj_set_attr(RUV_WIN win, int32_t key, intptr_t value)
{
}

intptr_t ruvk_attr_get_system(RUV_WIN win, int32_t key, int32_t arg)
{
    return 0;
}

void ruvk_attr_set_system(RUV_WIN win, int32_t key, intptr_t value)
{
}

void ruvk_vobj_destroy(RUV_WIN win)
{
}

int32_t ruvk_dm_post_error(const char *format, va_list args)
{
    return 0;
}

int32_t ruvk_dm_post_warning(const char *format, va_list args)
{
    return 0;
}

int32_t ruvk_dm_post_note(const char *format, va_list args)
{
    return 0;
}

int32_t ruvk_str_get_char_size(const char *text)
{
    return 0;
}

int32_t ruvk_str_convert_mb_to_wc(RUV_WCHAR *out, const char *text)
{
    return 0;
}

int32_t ruvk_str_convert_wc_to_mb(char *out, RUV_WCHAR wide)
{
    return 0;
}

int32_t ruvk_str_convert_to_lower(char *dst, const char *src, int32_t max)
{
    return 0;
}

int32_t ruvk_str_convert_to_upper(char *dst, const char *src, int32_t max)
{
    return 0;
}

int32_t ruvk_str_compare_locale(const char *a, const char *b)
{
    return 0;
}

RUV_BOOL ruvk_str_is_char_alnum(char c)
{
    return 0;
}

RUV_BOOL ruvk_str_is_char_alpha(char c)
{
    return 0;
}

RUV_BOOL ruvk_str_is_char_lower(char c)
{
    return 0;
}

RUV_BOOL ruvk_str_is_char_upper(char c)
{
    return 0;
}

RUV_BOOL ruvk_list_add(RUV_WIN list, int32_t index, const char *text)
{
    return 0;
}

int32_t ruvk_list_count_all(RUV_WIN list)
{
    return 0;
}

RUV_BOOL ruvk_list_set_sel(RUV_WIN list, int32_t index, RUV_BOOL select)
{
    return 0;
}

}

// ---- start-up, message loop, windows ----
#include "startup.h"
#include "window_create.h"

extern "C" {

RUV_APP_RECORD *ruvk_app_record(void) { return 0; }
RUV_BOOL ruvwi_Begin(const RUV_START_RECORD *start) { return 0; }
int32_t ruvwi_Init(const RUV_START_RECORD *start) { return 0; }
void ruvwi_ruv_system(int32_t argc, char **argv, intptr_t value, RUV_EVENT_HANDLER task_handler,
                      RUV_APP_CONFIG *config) {}
void ruvwi_End(void) {}
HWND ruvwi_get_utility_hwnd(void) { return 0; }
int32_t ruvwi_pump_messages(RUV_APP_RECORD *app, UINT first, UINT last, HWND hwnd) { return 1; }
int32_t ruvk_app_process_pending_events(void) { return 1; }
int32_t ruvk_app_pump_range(UINT first, UINT last, HWND hwnd) { return 1; }
RUV_APP_RECORD *ruvk_app_exit(int16_t call_exit) { return 0; }
int32_t ruvk_task_style_for_show(int32_t show_mode) { return 0; }
void ruvk_app_set_file_processed(void) {}
RUV_BOOL ruvk_class_register(uint32_t kind, int32_t icon_id, char *name, int32_t size) { return 0; }
void ruvk_class_table_init(RUV_APP_RECORD *app) {}
void ruvk_class_table_term(RUV_APP_RECORD *app) {}
uint32_t ruvk_class_kind_for(int32_t type, RUV_WIN parent) { return 0; }
RUV_BOOL ruvk_vobj_record_init(RUV_VOBJ *rec, int32_t type, uint32_t kind, RUV_WIN parent) { return 0; }
void ruvk_vobj_record_release(RUV_VOBJ *rec) {}
RUV_WIN ruvk_win_create(int32_t type, const RUV_RECT *rect, const char *title, int32_t menu_id, RUV_WIN parent,
                        uint32_t flags, uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data) { return 0; }
RUV_WIN ruvk_win_create_def(const RUV_WIN_DEF *def, RUV_WIN parent, uint32_t event_mask,
                            RUV_EVENT_HANDLER handler, void *app_data) { return 0; }
void ruvk_win_complete_creation(RUV_WIN win) {}
void ruvk_win_process_modal(RUV_WIN win) {}
void ruvk_rect_client_to_outer(RUV_RECT *rect, int32_t type, DWORD style, uint32_t flags, RUV_BOOL menu) {}
DWORD ruvk_style_from_flags(DWORD style, uint32_t flags) { return style; }
DWORD ruvk_style_from_kind(DWORD style, uint32_t kind) { return style; }
DWORD ruvk_style_from_border(DWORD style, int32_t border) { return style; }
RUV_WIN ruvwi_hwnd_to_window(HWND hwnd) { return 0; }
RUV_BOOL ruvk_win_is_created(RUV_WIN win) { return 0; }
RUV_WIN ruvk_win_get_focus_memory(RUV_WIN win) { return 0; }
void ruvk_win_set_focus_memory(RUV_WIN win, RUV_WIN ctl) {}
void ruvk_win_native_destroyed(HWND hwnd) {}
void ruvk_vobj_destroy_ex(RUV_WIN win, int16_t call_exit) {}
void ruvk_app_final_cleanup(void) {}

}
