// Placeholders for the kernel operations that the services module has not
// built yet; each goes when its real definition lands.

#include <stdarg.h>
#include "ruvk.h"

extern "C" {

char * ruvk_vobj_get_title(RUV_WIN win, char *buf, int32_t size)
{
    return 0;
}

int32_t ruvk_image_get_row_alignment(void)
{
    return 0;
}

RUV_BOOL ruvk_palet_create(struct RUV_PALETTE *palette)
{
    return 0;
}

void ruvk_palet_destroy(struct RUV_PALETTE *palette)
{
}

void ruvk_palet_add_colors(struct RUV_PALETTE *palette, int32_t index, int32_t count)
{
}

void ruvk_palet_map_win(struct RUV_PALETTE *palette, RUV_WIN win)
{
}

struct RUV_PALETTE * ruvk_dwin_get_palet(RUV_WIN win)
{
    return 0;
}

void * ruvk_font_alloc_native(void)
{
    return 0;
}

void ruvk_font_free_native(void *native)
{
}

void ruvk_font_copy_native(struct RUV_FONT *to, const struct RUV_FONT *from, int32_t flags)
{
}

void ruvk_font_invalidate(struct RUV_FONT *font, const char *new_desc)
{
}

void ruvk_font_refresh_win(struct RUV_FONT *font)
{
}

RUV_BOOL ruvk_font_needs_remap(const struct RUV_FONT *font, RUV_WIN win)
{
    return 0;
}

RUV_BOOL ruvk_font_check_native_desc(struct RUV_FONT *font)
{
    return 0;
}

const char * ruvk_font_translate_desc(struct RUV_FONT *font, const char *desc)
{
    return 0;
}

RUV_BOOL ruvk_font_map_using_default(struct RUV_FONT *font)
{
    return 0;
}

const char * ruvk_font_get_plat_name(void)
{
    return 0;
}

int32_t ruvk_fmap_get_families(void *device, char **names, int32_t max)
{
    return 0;
}

int32_t ruvk_fmap_get_family_styles(void *device, const char *family, uint32_t *styles, int32_t max)
{
    return 0;
}

int32_t ruvk_fmap_get_familysize_styles(void *device, const char *family, int32_t size, uint32_t *styles, int32_t max)
{
    return 0;
}

int32_t ruvk_fmap_get_family_sizes(void *device, const char *family, int32_t *sizes, RUV_BOOL *scalable, int32_t max)
{
    return 0;
}

int32_t ruvk_fmap_get_familystyle_sizes(void *device, const char *family, uint32_t style, int32_t *sizes, RUV_BOOL *scalable, int32_t max)
{
    return 0;
}

}
