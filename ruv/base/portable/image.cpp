/* The toolkit's raster image record: creation with the platform's row
   alignment, the colour table of indexed and mono images, pixel access and
   rectangle fills. */
#include <string.h>

#include "image_private.h"
#include "ruvk.h"
#include "ruvv_color.h"
#include "ruvv_mem.h"

using namespace ruv_image;

namespace {

bool format_ok(int32_t format)
{
    return format == RUV_IMAGE_INDEXED || format == RUV_IMAGE_DIRECT || format == RUV_IMAGE_MONO;
}

/* Bytes of pixel data in a row of the format. */
int64_t row_bytes(int32_t format, int32_t width)
{
    switch (format) {
    case RUV_IMAGE_INDEXED: return width;
    case RUV_IMAGE_DIRECT: return (int64_t)width * 4;
    default: return (width - 1) / 8 + 1;
    }
}

/* Reports a NULL image or one of a bad format; true when usable. */
bool check(const RUV_IMAGE *image)
{
    if (!image) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_NULL_IMAGE);
        return false;
    }
    if (!format_ok(image->format)) {
        RUV_ERR((void *)image, RUV_SEV_FATAL, ERR_BAD_FORMAT);
        return false;
    }
    return true;
}

bool inside(const RUV_IMAGE *image, int32_t x, int32_t y)
{
    return x >= 0 && x < image->width && y >= 0 && y < image->height;
}

int32_t clut_entries(const RUV_IMAGE *image)
{
    return image->format == RUV_IMAGE_INDEXED ? RUV_IMAGE_CLUT_SIZE : 2;
}

/* A mono pixel is set (white) when the colour is light enough. */
bool mono_bit(RUV_COLOR color)
{
    unsigned sum = ((color >> 16) & 0xFF) + ((color >> 8) & 0xFF) + (color & 0xFF);
    return sum > 384;
}

/* The stored form of a colour: index, value or bit. */
uint32_t encode(const RUV_IMAGE *image, RUV_COLOR color)
{
    switch (image->format) {
    case RUV_IMAGE_INDEXED: {
        int32_t n = image->ncolors;
        if (n > RUV_IMAGE_CLUT_SIZE)
            n = RUV_IMAGE_CLUT_SIZE;
        return n > 0 ? (uint32_t)ruvv_color_nearest_b(image->clut, n, color) : 0u;
    }
    case RUV_IMAGE_DIRECT: return color;
    default: return mono_bit(color) ? 1u : 0u;
    }
}

void store(RUV_IMAGE *image, int32_t x, int32_t y, uint32_t value)
{
    uint8_t *row = image->pixels + (size_t)image->stride * (size_t)y;
    switch (image->format) {
    case RUV_IMAGE_INDEXED: row[x] = (uint8_t)value; break;
    case RUV_IMAGE_DIRECT: memcpy(row + (size_t)x * 4, &value, 4); break;
    default: {
        uint8_t bit = (uint8_t)(0x80u >> (x & 7));
        if (value)
            row[x >> 3] |= bit;
        else
            row[x >> 3] &= (uint8_t)~bit;
    }
    }
}

} // namespace

namespace ruv_image {

RUV_IMAGE *create(int32_t format, int32_t width, int32_t height, bool clear)
{
    if (!format_ok(format)) {
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_BAD_FORMAT);
        return nullptr;
    }
    if (width < 1 || height < 1 || width > RUV_IMAGE_MAX_SIDE || height > RUV_IMAGE_MAX_SIDE) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_BAD_SIZE);
        return nullptr;
    }
    int64_t align = ruvk_image_get_row_alignment();
    if (align < 1)
        align = 1;
    int64_t stride = (row_bytes(format, width) + align - 1) / align * align;

    auto *image = static_cast<RUV_IMAGE *>(ruvv_mem_zalloc(sizeof(RUV_IMAGE)));
    if (!image) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_HEAP);
        return nullptr;
    }
    image->format = format;
    image->width = (int16_t)width;
    image->height = (int16_t)height;
    image->stride = (int32_t)stride;
    size_t bytes = (size_t)stride * (size_t)height;
    image->pixels = static_cast<uint8_t *>(clear ? ruvv_mem_zalloc(bytes) : ruvv_mem_alloc(bytes));
    if (format != RUV_IMAGE_DIRECT) {
        int32_t entries = clut_entries(image);
        image->clut = static_cast<RUV_COLOR *>(ruvv_mem_alloc(sizeof(RUV_COLOR) * (size_t)entries));
        if (image->clut) {
            image->clut[0] = 0x000000;
            image->clut[1] = 0xFFFFFF;
            for (int32_t i = 2; i < entries; i++)
                image->clut[i] = RUV_COLOR_UNSET;
        }
        image->ncolors = 2;
    }
    if (!image->pixels || (format != RUV_IMAGE_DIRECT && !image->clut)) {
        ruvv_mem_free(image->clut);
        ruvv_mem_free(image->pixels);
        ruvv_mem_free(image);
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_HEAP);
        return nullptr;
    }
    return image;
}

} // namespace ruv_image

extern "C" RUV_IMAGE *ruvv_image_create(int32_t format, int32_t width, int32_t height)
{
    return create(format, width, height, true);
}

extern "C" void ruvv_image_destroy(RUV_IMAGE *image)
{
    if (!image)
        return;
    if (!format_ok(image->format))
        RUV_ERR(image, RUV_SEV_FATAL, ERR_BAD_FORMAT);
    else if (image->format != RUV_IMAGE_DIRECT)
        ruvv_mem_free(image->clut);
    ruvv_mem_free(image->pixels);
    ruvv_mem_free(image);
}

extern "C" RUV_IMAGE *ruvv_image_duplicate(RUV_IMAGE *image)
{
    if (!check(image))
        return nullptr;
    RUV_IMAGE *copy = ruvv_image_create(image->format, image->width, image->height);
    if (!copy)
        return nullptr;
    RUV_RECT whole = {0, 0, image->height, image->width};
    ruvv_image_transfer(copy, image, &whole, &whole);
    return copy;
}

extern "C" RUV_BOOL ruvv_image_is_valid(const RUV_IMAGE *image)
{
    return image && format_ok(image->format);
}

extern "C" RUV_BOOL ruvv_image_is_valid_pos(const RUV_IMAGE *image, int32_t x, int32_t y)
{
    return image && inside(image, x, y);
}

extern "C" void ruvv_image_get_dimensions(const RUV_IMAGE *image, int16_t *width, int16_t *height)
{
    if (!image)
        return;
    if (width)
        *width = image->width;
    if (height)
        *height = image->height;
}

extern "C" void ruvv_image_get_resolution(const RUV_IMAGE *image, int32_t *horizontal, int32_t *vertical)
{
    if (!image)
        return;
    if (horizontal)
        *horizontal = image->hres;
    if (vertical)
        *vertical = image->vres;
}

extern "C" void ruvv_image_set_resolution(RUV_IMAGE *image, int32_t horizontal, int32_t vertical)
{
    if (!image)
        return;
    image->hres = horizontal;
    image->vres = vertical;
}

extern "C" uint8_t *ruvv_image_get_scanline(const RUV_IMAGE *image, int32_t row)
{
    return image->pixels + (ptrdiff_t)image->stride * row;
}

extern "C" RUV_COLOR ruvv_image_get_clut(const RUV_IMAGE *image, int32_t index)
{
    if (!image || (image->format != RUV_IMAGE_INDEXED && image->format != RUV_IMAGE_MONO))
        return 0;
    if (index < 0 || index >= clut_entries(image))
        return 0;
    return image->clut[index];
}

extern "C" void ruvv_image_set_clut(RUV_IMAGE *image, int32_t index, RUV_COLOR color)
{
    if (!image || (image->format != RUV_IMAGE_INDEXED && image->format != RUV_IMAGE_MONO))
        return;
    if (index < 0 || index >= clut_entries(image))
        return;
    image->clut[index] = color;
}

extern "C" int16_t ruvv_image_get_ncolors(const RUV_IMAGE *image)
{
    if (!image || (image->format != RUV_IMAGE_INDEXED && image->format != RUV_IMAGE_MONO))
        return 0;
    return image->ncolors;
}

extern "C" void ruvv_image_set_ncolors(RUV_IMAGE *image, int32_t n)
{
    if (!image)
        return;
    if (image->format == RUV_IMAGE_INDEXED) {
        /* The table has 256 entries; a larger count would send every user
           of the count past its end. */
        if (n < 0)
            n = 0;
        if (n > RUV_IMAGE_CLUT_SIZE)
            n = RUV_IMAGE_CLUT_SIZE;
        image->ncolors = (int16_t)n;
    } else if (image->format == RUV_IMAGE_MONO) {
        image->ncolors = 2;
    }
}

extern "C" RUV_COLOR ruvv_image_get_pixel(const RUV_IMAGE *image, int32_t x, int32_t y)
{
    if (!check(image) || !inside(image, x, y))
        return 0;
    const uint8_t *row = image->pixels + (size_t)image->stride * (size_t)y;
    switch (image->format) {
    case RUV_IMAGE_INDEXED: return image->clut[row[x]];
    case RUV_IMAGE_DIRECT: {
        RUV_COLOR c;
        memcpy(&c, row + (size_t)x * 4, 4);
        return c;
    }
    default: return (row[x >> 3] & (0x80u >> (x & 7))) ? STD_WHITE : STD_BLACK;
    }
}

extern "C" void ruvv_image_set_pixel(RUV_IMAGE *image, int32_t x, int32_t y, RUV_COLOR color)
{
    /* A position outside the image is ignored rather than written past the
       pixel block. */
    if (!check(image) || !inside(image, x, y))
        return;
    store(image, x, y, encode(image, color));
}

extern "C" void ruvv_image_fill_rect(RUV_IMAGE *image, RUV_COLOR color, const RUV_RECT *rect)
{
    if (!check(image) || !rect)
        return;
    int32_t top = rect->top < 0 ? 0 : rect->top;
    int32_t left = rect->left < 0 ? 0 : rect->left;
    int32_t bottom = rect->bottom > image->height ? image->height : rect->bottom;
    int32_t right = rect->right > image->width ? image->width : rect->right;
    if (top >= bottom || left >= right)
        return;
    uint32_t value = encode(image, color);
    for (int32_t y = top; y < bottom; y++) {
        uint8_t *row = image->pixels + (size_t)image->stride * (size_t)y;
        if (image->format == RUV_IMAGE_INDEXED) {
            memset(row + left, (int)value, (size_t)(right - left));
        } else {
            for (int32_t x = left; x < right; x++)
                store(image, x, y, value);
        }
    }
}
