// The error, warning and note boxes of the dialog manager as system
// message boxes, and the entries of font mapping that this platform does
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

int32_t post_box(UINT icon, const char *format, va_list args)
{
    char text[2048];
    if (!format)
        format = "";
    std::vsnprintf(text, sizeof text, format, args);
    auto *config = reinterpret_cast<const RUV_APP_CONFIG *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_APP_CONFIG));
    const char *caption = config && config->app_name ? config->app_name : "";
    HWND owner = GetActiveWindow();
    int r = MessageBoxA(owner, text, caption, icon | MB_OK | MB_TASKMODAL);
    return r == 0 ? -1 : r;
}

int32_t unexpected()
{
    RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_UNEXPECTED_CALL);
    return 0;
}

} // namespace

extern "C" {

int32_t ruvk_dm_post_error(const char *format, va_list args)
{
    return post_box(MB_ICONSTOP, format, args);
}

int32_t ruvk_dm_post_warning(const char *format, va_list args)
{
    return post_box(MB_ICONEXCLAMATION, format, args);
}

int32_t ruvk_dm_post_note(const char *format, va_list args)
{
    return post_box(MB_ICONINFORMATION, format, args);
}

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
