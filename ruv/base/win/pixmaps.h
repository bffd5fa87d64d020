/* Raster objects of the kernel: pictures (device-dependent bitmaps recorded
   by drawing into a window or made from bitmap data), pixmaps (off-screen
   drawable objects over a 32-bit DIB section), portable images drawn onto
   windows, pixmaps and print windows, and images read back from pixmaps.
   Rectangles are toolkit rectangles (top, left, bottom, right); a source
   rectangle comes before its destination rectangle. */
#ifndef RUV_KERNEL_PIXMAPS_H
#define RUV_KERNEL_PIXMAPS_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruv_types.h"
#include "ruvv_vobj.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_IMAGE;
struct RUV_DRAW_STATE;

/* Bytes of converted pixel rows held at once when an image is drawn or
   read back. */
#define RUVK_IMAGE_STRIP_BYTES 5000000

/* The locked copy of a picture: the bitmap's fields, then a pointer to the
   bits (refreshed at every lock), then the bits as GetBitmapBits gives
   them (bytes_per_row x height). */
typedef struct RUVK_LOCKED_PICT {
    int32_t type;
    int32_t width;
    int32_t height;
    int32_t bytes_per_row;
    uint16_t planes;
    uint16_t bits_per_pixel;
    uint8_t *bits;
} RUVK_LOCKED_PICT;

/* ---- Exported ------------------------------------------------------------ */
/* Pictures.  A picture is an HBITMAP. */
/* Starts recording a picture of rect's size on the window: later drawing
   on it goes into the picture (window coordinates); FALSE when no
   recorder can be made. */
RUV_BOOL ruvk_dwin_open_pict(RUV_WIN win, const RUV_RECT *rect);
/* Ends the recording and hands the bitmap out (NULL when none). */
HBITMAP ruvk_dwin_close_pict(RUV_WIN win);
/* Draws the picture stretched into rect. */
void ruvk_dwin_draw_pict(RUV_WIN win, HBITMAP pict, const RUV_RECT *rect);
/* A picture from a BITMAP header followed by its bits (bmBits ignored);
   *out = (0, 0, height, width).  NULL on failure. */
HBITMAP ruvk_pict_create(const void *bitmap_data, intptr_t unused, RUV_RECT *out);
RUV_BOOL ruvk_pict_is_valid(HBITMAP pict);
/* Copies the picture into a locked global block (RUVK_LOCKED_PICT then
   the bits); its size into *size.  NULL while another is locked or on
   failure. */
RUVK_LOCKED_PICT *ruvk_pict_lock(HBITMAP pict, int32_t *size);
/* Unlocks the locked picture; the block goes when its lock count is 0. */
void ruvk_pict_unlock(void);
/* Deletes the picture; while a picture is locked first "Picture still
   locked." and the lock is undone. */
void ruvk_pict_destroy(HBITMAP pict);

/* Pixmaps: toolkit objects of type 8 under their parent window, painted
   white when made; destroyed with their parent (or ruvk_vobj_destroy). */
RUV_WIN ruvk_pmap_create(RUV_WIN parent, int32_t pmap_type, int32_t width, int32_t height);
/* Copies src (pixmap coordinates) of the pixmap into dst of the window,
   scaled. */
void ruvk_dwin_draw_pmap(RUV_WIN win, RUV_WIN pmap, const RUV_RECT *src, const RUV_RECT *dst);

/* Images on devices. */
/* Draws src of the image into dst of the window, pixmap or print window,
   scaled, clipped to the visible part. */
void ruvk_dwin_draw_image(RUV_WIN win, struct RUV_IMAGE *image, const RUV_RECT *src, const RUV_RECT *dst);
/* Reads src of the pixmap into dst of the image, scaled. */
void ruvk_image_get_from_pmap(struct RUV_IMAGE *image, RUV_WIN pmap, const RUV_RECT *src, const RUV_RECT *dst);

/* ---- Kernel-internal ----------------------------------------------------- */
/* The pixmap's DC through the drawing slot (ruvk_draw_begin for a
   pixmap); NULL when none can be made. */
HDC ruvk_pmap_drawing_dc(RUV_WIN pmap);
/* The pixmap's DC through the source slot (its palette selected). */
HDC ruvk_pmap_source_dc(RUV_WIN pmap);
/* Lets both slots go (with the cached window DC). */
void ruvk_pmap_release_slots(void);
/* The pixmap's bitmap and size; NULL for anything else. */
HBITMAP ruvk_pmap_bitmap(RUV_WIN pmap, int32_t *width, int32_t *height);
/* Destroys one pixmap (slots, drawing state, bitmap, record). */
void ruvk_pmap_destroy(RUV_WIN pmap);
/* Destroys every pixmap whose parent is win. */
void ruvk_pmap_destroy_children(RUV_WIN win);
/* A picture recorder on the state: ends it, deleting its DC and bitmap
   (the state goes). */
void ruvk_pict_drop_recorder(struct RUV_DRAW_STATE *state);

#ifdef __cplusplus
}
#endif

#endif
