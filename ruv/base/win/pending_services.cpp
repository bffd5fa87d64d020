// Placeholders for the kernel operations that the services module has not
// built yet; each goes when its real definition lands.

#include "ruvk.h"

extern "C" {

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
