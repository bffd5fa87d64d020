/* Colour palettes: lists of up to 256 colours that windows draw with on
   palette displays.  The portable side keeps the colours, skips new colours
   that lie within the palette's tolerance of one already held, counts the
   holders of a palette and keeps one default palette per process; the
   kernel keeps the native palette beside it. */
#ifndef RUVV_PALET_H
#define RUVV_PALET_H

#include "ruv_types.h"
#include "ruvv_image.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RUV_PALETTE_TAG 64222 /* 0xFADE */
#define RUV_PALETTE_SIZE 256

/* Palette types: how the palette is filled when it is created. */
#define RUV_PALETTE_SYSTEM_DISABLED 1 /* the system's default colours,
                                         native palette not realised */
#define RUV_PALETTE_SYSTEM 2          /* the system palette */
#define RUV_PALETTE_DEFAULT_16 3      /* the 16 default colours */
#define RUV_PALETTE_DEFAULT_256 4     /* the 256 default colours */
#define RUV_PALETTE_SYSTEM_DEFAULT 5  /* the system's default colours */

typedef struct RUV_PALETTE {
    int32_t tag;               /* RUV_PALETTE_TAG while valid */
    int32_t use_count;         /* windows and other holders */
    int32_t is_default;        /* the per-process default: never freed */
    int32_t type;              /* 1..5 */
    int16_t tolerance;         /* largest distance of a colour counted as
                                  present; 5 at creation */
    int16_t size;              /* capacity, 256 */
    int16_t count;             /* colours in use */
    int16_t destroy_requested;
    RUV_COLOR colors[RUV_PALETTE_SIZE]; /* 0xRRGGBB */
    void *native;              /* the kernel's native palette */
} RUV_PALETTE;

RUV_BOOL ruvv_palet_is_valid(const RUV_PALETTE *palette);

/* A new palette of a type (see above); NULL with 0x00510000 on failure. */
RUV_PALETTE *ruvv_palet_create(int32_t type);
/* Frees the palette now when nothing uses it, else once the last user lets
   go; the default palette is never freed. */
void ruvv_palet_destroy(RUV_PALETTE *palette);
/* Holders (window drawing states) take and let go of a palette. */
void ruvv_palet_use(RUV_PALETTE *palette);
void ruvv_palet_release(RUV_PALETTE *palette);
/* Lets go of the window's palette, takes the new one (NULL: none) and has
   the kernel attach and realise it for the window. */
void ruvv_palet_map_win(RUV_PALETTE *palette, RUV_WIN win);
/* The per-process default palette (type from toolkit attribute 708),
   created on first call; NULL with 0x00520000 when it cannot be made. */
RUV_PALETTE *ruvv_palet_default(void);

int16_t ruvv_palet_get_size(const RUV_PALETTE *palette);
int16_t ruvv_palet_get_ncolors(const RUV_PALETTE *palette);
void ruvv_palet_set_tolerance(RUV_PALETTE *palette, int16_t tolerance);
int16_t ruvv_palet_get_tolerance(const RUV_PALETTE *palette);
/* Copies min(max, count) colours; returns that number. */
int32_t ruvv_palet_get_colors(const RUV_PALETTE *palette, RUV_COLOR *colors, int32_t max);
/* Adds each colour not within the tolerance of one held (or added before in
   the same call) while there is room; returns the number added. */
int32_t ruvv_palet_add_colors(RUV_PALETTE *palette, const RUV_COLOR *colors, int32_t n);
/* Adds an indexed or mono image's colours in use, or for a direct image
   the 256 default colours. */
int32_t ruvv_palet_add_colors_from_image(RUV_PALETTE *palette, const RUV_IMAGE *image);

/* Copies the first n default colours into colors: n <= 16 from the
   16-colour table, up to 256 from the 256-colour table, at most 256;
   returns the number copied. */
int32_t ruvv_palet_copy_default_colors(RUV_COLOR *colors, int32_t n);

#ifdef __cplusplus
}
#endif

#endif
