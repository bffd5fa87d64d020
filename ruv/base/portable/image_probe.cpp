/* Image-file probing: which image format a file holds, asked of the image
   readers' probes in a fixed order, each over a fresh stream from the start
   of the file.  Also the small image queries of the notebook's tab images. */
#include <stdio.h>

#include "ruvv_image.h"
#include "ruvv_image_probe.h"

namespace {

using Probe = RUV_BOOL (*)(RUV_IOSTR *);

struct FormatProbe {
    Probe probe;
    int32_t format;
};

/* PNG, XBM and XPM come after the binary formats whose signatures are
   stricter. */
const FormatProbe kProbes[] = {
    {ruvv_image_probe_bmp, RUV_IMAGE_FILE_BMP}, {ruvv_image_probe_gif, RUV_IMAGE_FILE_GIF},
    {ruvv_image_probe_jpg, RUV_IMAGE_FILE_JPEG}, {ruvv_image_probe_png, RUV_IMAGE_FILE_PNG},
    {ruvv_image_probe_xbm, RUV_IMAGE_FILE_XBM}, {ruvv_image_probe_xpm, RUV_IMAGE_FILE_XPM},
};

/* Closes the file on every path. */
struct File {
    FILE *f;
    explicit File(const char *path) : f(path ? fopen(path, "rb") : nullptr) {}
    ~File()
    {
        if (f)
            fclose(f);
    }
    File(const File &) = delete;
    File &operator=(const File &) = delete;
};

} // namespace

extern "C" int32_t ruvv_image_probe_file(const char *path)
{
    File file(path);
    if (!file.f)
        return RUV_IMAGE_FILE_CANNOT_OPEN;
    for (const FormatProbe &p : kProbes) {
        rewind(file.f);
        RUV_IOSTR *stream = ruvv_iostr_create_fread(file.f, fread, fgets, fseek, ftell);
        if (!stream)
            return RUV_IMAGE_FILE_NO_STREAM;
        RUV_BOOL yes = p.probe(stream);
        ruvv_iostr_destroy(stream);
        if (yes)
            return p.format;
    }
    return RUV_IMAGE_FILE_UNKNOWN;
}

extern "C" RUV_COLOR *ruvv_image_peek_colors(RUV_IMAGE *image)
{
    if (!image || (image->format != RUV_IMAGE_INDEXED && image->format != RUV_IMAGE_MONO))
        return nullptr;
    return image->clut;
}

extern "C" int16_t ruvv_image_peek_ncolors(const RUV_IMAGE *image) { return image ? image->ncolors : 0; }

extern "C" RUV_BOOL ruvv_image_make_scaled(RUV_IMAGE_SIZE *size, RUV_IMAGE *image, RUV_IMAGE **target)
{
    if (target)
        *target = nullptr;
    if (!size || !image || !target)
        return FALSE;
    if (size->width == 0 && size->height == 0) {
        size->width = image->width;
        size->height = image->height;
    }
    RUV_IMAGE *scaled = ruvv_image_create(image->format, size->width, size->height);
    if (!scaled)
        return FALSE;
    RUV_RECT src = {0, 0, image->height, image->width};
    RUV_RECT dst = {0, 0, size->height, size->width};
    ruvv_image_transfer(scaled, image, &dst, &src);
    *target = scaled;
    return TRUE;
}
