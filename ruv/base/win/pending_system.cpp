// Placeholders for the kernel operations that the system module has not
// built yet; each goes when its real definition lands.

#include <stdarg.h>
#include "ruvk.h"

extern "C" {

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
