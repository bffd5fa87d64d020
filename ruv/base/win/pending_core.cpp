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
