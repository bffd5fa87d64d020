/* Device-independent raster images of the toolkit: the RUV_IMAGE record and
   its accessors, the image file readers (BMP, GIF, JPEG, PNG, XBM, XPM), the
   BMP writer and the transfer of a rectangle of one image into another. */
#ifndef RUVV_IMAGE_H
#define RUVV_IMAGE_H

#include <stdio.h>
#include "ruv_types.h"
#include "ruvv_iostr.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Pixel formats. */
#define RUV_IMAGE_INDEXED 1 /* one byte a pixel, an index into 256 colours */
#define RUV_IMAGE_DIRECT 2  /* one RUV_COLOR (0x00RRGGBB) a pixel */
#define RUV_IMAGE_MONO 3    /* one bit a pixel, leftmost in the top bit;
                               a set bit is white, a clear bit black */

/* Largest width and height of an image. */
#define RUV_IMAGE_MAX_SIDE 32767

/* Entries of the colour table of an indexed image (a mono image has 2). */
#define RUV_IMAGE_CLUT_SIZE 256

/* Value of a colour-table entry that is not set (never matched). */
#ifndef RUV_COLOR_UNSET
#define RUV_COLOR_UNSET 0x10000000u
#endif

typedef struct RUV_IMAGE {
    int32_t format;     /* RUV_IMAGE_INDEXED, _DIRECT or _MONO */
    int16_t width;
    int16_t height;
    int32_t hres;       /* resolutions: 0 at creation */
    int32_t vres;
    int32_t stride;     /* bytes a row: row bytes rounded up to the kernel's
                           row alignment (a direct image wider than 8191
                           pixels needs more than 16 bits) */
    uint8_t *pixels;    /* stride x height bytes, row 0 first */
    RUV_COLOR *clut;    /* indexed: 256 entries; mono: 2; direct: none */
    int16_t ncolors;    /* entries of the table in use */
} RUV_IMAGE;

/* ---- Record and accessors --------------------------------------------- */

/* A new image (pixels cleared); NULL when memory runs out, for a format
   other than 1-3 (fatal 0x01640003) or a side outside 1..32767. */
RUV_IMAGE *ruvv_image_create(int32_t format, int32_t width, int32_t height);
void ruvv_image_destroy(RUV_IMAGE *image);
/* A new image of the same format and size holding the whole source. */
RUV_IMAGE *ruvv_image_duplicate(RUV_IMAGE *image);

RUV_BOOL ruvv_image_is_valid(const RUV_IMAGE *image);
RUV_BOOL ruvv_image_is_valid_pos(const RUV_IMAGE *image, int32_t x, int32_t y);

void ruvv_image_get_dimensions(const RUV_IMAGE *image, int16_t *width, int16_t *height);
void ruvv_image_get_resolution(const RUV_IMAGE *image, int32_t *horizontal, int32_t *vertical);
void ruvv_image_set_resolution(RUV_IMAGE *image, int32_t horizontal, int32_t vertical);
/* Address of a row (pixels + stride x row); the row is not checked. */
uint8_t *ruvv_image_get_scanline(const RUV_IMAGE *image, int32_t row);

/* Colour-table entries: indexed images 0..255, mono images 0..1; other
   indexes give 0 and set nothing. */
RUV_COLOR ruvv_image_get_clut(const RUV_IMAGE *image, int32_t index);
void ruvv_image_set_clut(RUV_IMAGE *image, int32_t index, RUV_COLOR color);
/* Colours in use: indexed and mono images; 0 for direct images.  Setting:
   indexed images store n (kept within 0..256), mono images always 2. */
int16_t ruvv_image_get_ncolors(const RUV_IMAGE *image);
void ruvv_image_set_ncolors(RUV_IMAGE *image, int32_t n);

/* The colour of a pixel: indexed the table entry, direct the stored value,
   mono 0x0BFFFFFF (white) or 0x07000000 (black).  0 outside the image. */
RUV_COLOR ruvv_image_get_pixel(const RUV_IMAGE *image, int32_t x, int32_t y);
/* Stores a colour: indexed as the nearest of the colours in use, direct as
   given, mono as a set bit when R + G + B > 384.  Nothing outside the
   image. */
void ruvv_image_set_pixel(RUV_IMAGE *image, int32_t x, int32_t y, RUV_COLOR color);
/* Fills the rows top..bottom-1 and columns left..right-1, clipped. */
void ruvv_image_fill_rect(RUV_IMAGE *image, RUV_COLOR color, const RUV_RECT *rect);

/* Copies the source rectangle into the destination rectangle, scaling by
   whole pixels, mirroring a reversed rectangle and clipping both to their
   images; an indexed source first gives the destination its colours. */
void ruvv_image_transfer(RUV_IMAGE *dst, RUV_IMAGE *src, const RUV_RECT *dst_rect,
                         const RUV_RECT *src_rect);

/* ---- Reading and writing files ---------------------------------------- */

/* Tells the format of the file and reads it: 0x01530001 when it cannot be
   opened, 0x00520000 when no reader knows it; NULL then. */
RUV_IMAGE *ruvv_image_read(const char *path);

/* Per format: from a stream (positioned at the start of the image), from a
   path and from an open file.  NULL on failure, nothing left behind. */
RUV_IMAGE *ruvv_image_read_bmp(RUV_IOSTR *stream);
RUV_IMAGE *ruvv_image_read_bmp_from_fn(const char *path);
RUV_IMAGE *ruvv_image_read_bmp_from_fp(FILE *file);
RUV_IMAGE *ruvv_image_read_gif(RUV_IOSTR *stream);
RUV_IMAGE *ruvv_image_read_gif_from_fn(const char *path);
RUV_IMAGE *ruvv_image_read_gif_from_fp(FILE *file);
RUV_IMAGE *ruvv_image_read_jpg(RUV_IOSTR *stream);
RUV_IMAGE *ruvv_image_read_jpg_from_fn(const char *path);
RUV_IMAGE *ruvv_image_read_jpg_from_fp(FILE *file);
RUV_IMAGE *ruvv_image_read_png(RUV_IOSTR *stream);
RUV_IMAGE *ruvv_image_read_png_from_fn(const char *path);
RUV_IMAGE *ruvv_image_read_png_from_fp(FILE *file);
RUV_IMAGE *ruvv_image_read_xbm(RUV_IOSTR *stream);
RUV_IMAGE *ruvv_image_read_xbm_from_fn(const char *path);
RUV_IMAGE *ruvv_image_read_xbm_from_fp(FILE *file);
RUV_IMAGE *ruvv_image_read_xpm(RUV_IOSTR *stream);
RUV_IMAGE *ruvv_image_read_xpm_from_fn(const char *path);
RUV_IMAGE *ruvv_image_read_xpm_from_fp(FILE *file);
/* Mac pictures are not read on this platform: always NULL. */
RUV_IMAGE *ruvv_image_read_macpict(RUV_IOSTR *stream);
RUV_IMAGE *ruvv_image_read_macpict_from_fn(const char *path);
RUV_IMAGE *ruvv_image_read_macpict_from_fp(FILE *file);

/* Writes a Windows BMP (8-bit, 24-bit or 1-bit by the image's format);
   1, or 0 when a write fails. */
RUV_BOOL ruvv_image_write_winbmp(RUV_IMAGE *image, RUV_IOSTR *stream);
/* Writes nothing: 0. */
RUV_BOOL ruvv_image_write_macpict(RUV_IMAGE *image, RUV_IOSTR *stream);

#ifdef __cplusplus
}
#endif

#endif
