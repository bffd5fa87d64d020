/* Image-file probing: which image format a file holds, told by the probes
   of the image readers, plus the small image queries the notebook uses. */
#ifndef RUVV_IMAGE_PROBE_H
#define RUVV_IMAGE_PROBE_H

#include "ruvv_iostr.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Format codes of ruvv_image_probe_file (also the image formats). */
#define RUV_IMAGE_FILE_BMP 0
#define RUV_IMAGE_FILE_XPM 1
#define RUV_IMAGE_FILE_XBM 2
#define RUV_IMAGE_FILE_GIF 3
#define RUV_IMAGE_FILE_JPEG 4
#define RUV_IMAGE_FILE_PNG 5
#define RUV_IMAGE_FILE_UNKNOWN 7
#define RUV_IMAGE_FILE_CANNOT_OPEN 8
#define RUV_IMAGE_FILE_NO_STREAM 9

/* The format of the image file at path: opens it in byte mode and runs the
   probes in the order BMP, GIF, JPEG, PNG, XBM, XPM over a fresh stream from
   the start of the file each time. */
int32_t ruvv_image_probe_file(const char *path);

/* Probes of the image readers: each reads only the start of the stream and
   answers TRUE when the stream looks like its format.  Defined with the
   readers. */
RUV_BOOL ruvv_image_probe_bmp(RUV_IOSTR *stream);
RUV_BOOL ruvv_image_probe_gif(RUV_IOSTR *stream);
RUV_BOOL ruvv_image_probe_jpg(RUV_IOSTR *stream);
RUV_BOOL ruvv_image_probe_png(RUV_IOSTR *stream);
RUV_BOOL ruvv_image_probe_xbm(RUV_IOSTR *stream);
RUV_BOOL ruvv_image_probe_xpm(RUV_IOSTR *stream);

/* Small image queries (the notebook's tab images). */
struct RUV_IMAGE;
/* The colour table of an indexed or mono image, NULL for any other. */
RUV_COLOR *ruvv_image_peek_colors(struct RUV_IMAGE *image);
/* The image's colour count, 0 for NULL. */
int16_t ruvv_image_peek_ncolors(const struct RUV_IMAGE *image);
/* A target size; both 0 means "the size of the first image given". */
typedef struct RUV_IMAGE_SIZE {
    int16_t width;
    int16_t height;
} RUV_IMAGE_SIZE;
/* Stores in *target a new image of the image's format and *size (set to the
   image's own size first when both are 0) holding the whole image, scaled.
   FALSE when it cannot be made (*target is then NULL). */
RUV_BOOL ruvv_image_make_scaled(RUV_IMAGE_SIZE *size, struct RUV_IMAGE *image, struct RUV_IMAGE **target);

#ifdef __cplusplus
}
#endif

#endif
