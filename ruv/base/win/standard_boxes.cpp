// The entries of font mapping that this platform does
// not have yet: they report an unexpected internal call and fail.

#include <cstdarg>
#include <cstdio>

#include "kernel_app.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "startup.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_UNEXPECTED_CALL = 0x01570002;

int32_t unexpected()
{
    RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_UNEXPECTED_CALL);
    return 0;
}

} // namespace

extern "C" {

int32_t ruvk_fmap_get_families(void *device, char **names, int32_t max)
{
    return unexpected();
}

int32_t ruvk_fmap_get_family_styles(void *device, const char *family, uint32_t *styles, int32_t max)
{
    return unexpected();
}

int32_t ruvk_fmap_get_familysize_styles(void *device, const char *family, int32_t size, uint32_t *styles, int32_t max)
{
    return unexpected();
}

int32_t ruvk_fmap_get_family_sizes(void *device, const char *family, int32_t *sizes, RUV_BOOL *scalable, int32_t max)
{
    return unexpected();
}

int32_t ruvk_fmap_get_familystyle_sizes(void *device, const char *family, uint32_t style, int32_t *sizes,
                                        RUV_BOOL *scalable, int32_t max)
{
    return unexpected();
}

} // extern "C"
