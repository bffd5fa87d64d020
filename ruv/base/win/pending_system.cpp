// Placeholders for the kernel operations that the system module has not
// built yet; each goes when its real definition lands.

#include <stdarg.h>
#include "ruvk.h"
#include "file_system.h"
#include "caret.h"
#include "timers.h"
#include "cursor.h"
#include "clipboard.h"
#include "resources.h"

extern "C" {

void ruvk_fsys_get_default_dir(RUV_FILE_DIR *dir)
{
}

void ruvk_fsys_save_dir(void)
{
}

void ruvk_fsys_restore_dir(void)
{
}

RUV_BOOL ruvk_fsys_convert_str_to_dir(const char *text, RUV_FILE_DIR *dir)
{
    return 0;
}

RUV_BOOL ruvk_fsys_parse_pathname(const char *path, char *volume, char *directory, char *leaf, char *extension, int16_t *flag)
{
    return 0;
}

RUV_BOOL ruvk_fsys_build_pathname(char *path, const char *volume, const char *directory, const char *leaf, const char *extension)
{
    return 0;
}

RUV_BOOL ruvk_fsys_file_exists(const char *path)
{
    return 0;
}

int32_t ruvk_fsys_classify_name(const char *name)
{
    return 0;
}

struct SLIST *ruvk_fsys_list_files(const char *filter, const char *pattern, RUV_BOOL dirs)
{
    return 0;
}

const char *ruvk_path_basename(const char *path)
{
    return 0;
}

RUV_BOOL ruvk_fsys_full_path(char *text, const char *path, int32_t size)
{
    return 0;
}

RUV_BOOL ruvk_fsys_change_dir(const char *path)
{
    return 0;
}

void ruvk_app_split_command_line(int32_t argc, char **argv)
{
}

void ruvk_app_free_files(void)
{
}

int32_t ruvk_app_get_files_count(int16_t *flag, int32_t *count)
{
    return 0;
}

RUV_FILE_SPEC *ruvk_app_get_file(void)
{
    return 0;
}

void ruvk_caret_sync(RUV_WIN win, RUVK_CARET *caret, RUV_BOOL force)
{
}

void ruvk_caret_focus_gained(RUV_WIN win)
{
}

void ruvk_caret_focus_lost(RUV_WIN win)
{
}

void ruvk_caret_hide_native(void)
{
}

void ruvk_caret_show_native(void)
{
}

int32_t ruvk_timer_create(RUV_WIN win, int32_t interval)
{
    return 0;
}

void ruvk_timer_destroy(int32_t id)
{
}

void ruvk_timer_kill_window(HWND hwnd)
{
}

void ruvk_timer_release_all(void)
{
}

RUVK_TIMER_SLOT *ruvk_timer_slot(int32_t id)
{
    return 0;
}

HWND ruvk_win_timer_hwnd(RUV_WIN win)
{
    return 0;
}

void ruvk_scr_set_busy_cursor(void)
{
}

void ruvk_cursor_restore_busy(void)
{
}

void ruvk_cursor_set_for_window(RUV_WIN win)
{
}

void ruvk_scr_hide_cursor(void)
{
}

void ruvk_cursor_show_again(void)
{
}

void ruvk_cursor_stop_tracking(void)
{
}

void ruvk_win_trap_pointer(RUV_WIN win)
{
}

void ruvk_win_release_pointer(void)
{
}

HWND ruvk_pointer_trap_hwnd(void)
{
    return 0;
}

void ruvk_pointer_forget_window(HWND hwnd)
{
}

void ruvk_scr_beep(void)
{
}

int32_t ruvk_app_escape(int32_t code, void *argument)
{
    return 0;
}

void ruvk_fatal_system_error(const char *text)
{
}

RUV_BOOL ruvk_cb_open(int16_t for_writing)
{
    return 0;
}

RUV_BOOL ruvk_cb_close(void)
{
    return 0;
}

RUV_BOOL ruvk_cb_has_format(int32_t format, const char *name)
{
    return 0;
}

void *ruvk_cb_alloc_data(int32_t length)
{
    return 0;
}

RUV_BOOL ruvk_cb_free_data(void)
{
    return 0;
}

RUV_BOOL ruvk_cb_put_data(int32_t format, const char *name, int32_t length, void *picture)
{
    return 0;
}

void *ruvk_cb_get_data(int32_t format, const char *name, int32_t *length)
{
    return 0;
}

void *ruvv_gmem_lock(void *handle)
{
    return 0;
}

void *ruvk_res_add_res(const char *file)
{
    return 0;
}

void *ruvk_res_use_res(void *res)
{
    return 0;
}

RUV_BOOL ruvk_res_remove_res(void *res)
{
    return 0;
}
RUV_BOOL ruvk_fsys_get_dir(RUV_FILE_DIR *dir)
{
    return 0;
}

RUV_BOOL ruvk_fsys_set_dir(const RUV_FILE_DIR *dir)
{
    return 0;
}

RUV_BOOL ruvk_fsys_set_dir_startup(void)
{
    return 0;
}

RUV_BOOL ruvk_fsys_file_makepath(const RUV_FILE_SPEC *spec, char *path)
{
    return 0;
}

RUV_BOOL ruvk_fsys_is_dir(const char *path)
{
    return 0;
}

RUV_BOOL ruvk_fsys_convert_dir_to_str(const RUV_FILE_DIR *dir, char *text, int32_t size)
{
    return 0;
}

int32_t ruvk_res_load_rcdata(int32_t id, void *buffer, int32_t capacity)
{
    return 0;
}

char * ruvk_res_get_str(int32_t id, char *buf, int32_t len)
{
    return 0;
}

struct SLIST * ruvk_res_get_str_list(int32_t first, int32_t last)
{
    return 0;
}

void ruvk_res_remove_all_res(void)
{
}

}
