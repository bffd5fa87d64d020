/* Reading image files: format detection, the per-format entries from a
   path and from an open file around the stream readers, and the Mac
   picture entries, which do nothing on this platform. */
#include "image_private.h"
#include "ruvv_image_probe.h"

using namespace ruv_image;

namespace ruv_image {

RUV_IMAGE *read_file(FILE *file, StreamReader reader)
{
    RUV_IOSTR *stream = ruvv_iostr_create_fread(file, fread, fgets, fseek, ftell);
    if (!stream) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_ALLOC);
        return nullptr;
    }
    RUV_IMAGE *image = reader(stream);
    ruvv_iostr_destroy(stream);
    return image;
}

RUV_IMAGE *read_path(const char *path, StreamReader reader)
{
    FILE *file = path ? fopen(path, "rb") : nullptr;
    if (!file) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_FILE_NOT_FOUND);
        return nullptr;
    }
    RUV_IMAGE *image = read_file(file, reader);
    fclose(file);
    return image;
}

bool read_exact(RUV_IOSTR *stream, void *buffer, int32_t count)
{
    auto *p = static_cast<unsigned char *>(buffer);
    while (count > 0) {
        int32_t n = ruvv_iostr_read(stream, count, p);
        if (n <= 0)
            return false;
        p += n;
        count -= n;
    }
    return true;
}

bool source_holds(RUV_IOSTR *stream, uint64_t bytes)
{
    int32_t size = ruvv_iostr_size(stream);
    return size < 0 || bytes <= (uint64_t)size;
}

} // namespace ruv_image

extern "C" RUV_IMAGE *ruvv_image_read(const char *path)
{
    StreamReader reader = nullptr;
    switch (ruvv_image_probe_file(path)) {
    case RUV_IMAGE_FILE_BMP: reader = ruvv_image_read_bmp; break;
    case RUV_IMAGE_FILE_GIF: reader = ruvv_image_read_gif; break;
    case RUV_IMAGE_FILE_JPEG: reader = ruvv_image_read_jpg; break;
    case RUV_IMAGE_FILE_PNG: reader = ruvv_image_read_png; break;
    case RUV_IMAGE_FILE_XBM: reader = ruvv_image_read_xbm; break;
    case RUV_IMAGE_FILE_XPM: reader = ruvv_image_read_xpm; break;
    case RUV_IMAGE_FILE_CANNOT_OPEN:
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_FILE_NOT_FOUND);
        return nullptr;
    default: /* no stream, or no reader knows the file */
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_CREATE);
        return nullptr;
    }
    return read_path(path, reader);
}

extern "C" RUV_IMAGE *ruvv_image_read_bmp_from_fn(const char *path) { return read_path(path, ruvv_image_read_bmp); }
extern "C" RUV_IMAGE *ruvv_image_read_bmp_from_fp(FILE *file) { return read_file(file, ruvv_image_read_bmp); }
extern "C" RUV_IMAGE *ruvv_image_read_gif_from_fn(const char *path) { return read_path(path, ruvv_image_read_gif); }
extern "C" RUV_IMAGE *ruvv_image_read_gif_from_fp(FILE *file) { return read_file(file, ruvv_image_read_gif); }
extern "C" RUV_IMAGE *ruvv_image_read_jpg_from_fn(const char *path) { return read_path(path, ruvv_image_read_jpg); }
extern "C" RUV_IMAGE *ruvv_image_read_jpg_from_fp(FILE *file) { return read_file(file, ruvv_image_read_jpg); }
extern "C" RUV_IMAGE *ruvv_image_read_png_from_fn(const char *path) { return read_path(path, ruvv_image_read_png); }
extern "C" RUV_IMAGE *ruvv_image_read_png_from_fp(FILE *file) { return read_file(file, ruvv_image_read_png); }
extern "C" RUV_IMAGE *ruvv_image_read_xbm_from_fn(const char *path) { return read_path(path, ruvv_image_read_xbm); }
extern "C" RUV_IMAGE *ruvv_image_read_xbm_from_fp(FILE *file) { return read_file(file, ruvv_image_read_xbm); }
extern "C" RUV_IMAGE *ruvv_image_read_xpm_from_fn(const char *path) { return read_path(path, ruvv_image_read_xpm); }
extern "C" RUV_IMAGE *ruvv_image_read_xpm_from_fp(FILE *file) { return read_file(file, ruvv_image_read_xpm); }

extern "C" RUV_IMAGE *ruvv_image_read_macpict(RUV_IOSTR *) { return nullptr; }
extern "C" RUV_IMAGE *ruvv_image_read_macpict_from_fn(const char *) { return nullptr; }
extern "C" RUV_IMAGE *ruvv_image_read_macpict_from_fp(FILE *) { return nullptr; }
extern "C" RUV_BOOL ruvv_image_write_macpict(RUV_IMAGE *, RUV_IOSTR *) { return 0; }
