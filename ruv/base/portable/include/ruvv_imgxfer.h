/* The image transfer engine: copies a rectangle of one raster into a
   rectangle of another with whole-pixel scaling, mirroring, clipping and
   pixel conversion.  Both sides are told by a layout descriptor, so the
   kernel drives the same engine between images and native bitmaps. */
#ifndef RUVV_IMGXFER_H
#define RUVV_IMGXFER_H

#include "ruv_types.h"
#include "ruvv_image.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Pixel kinds of a layout. */
#define RUV_XFER_INDEXED 0   /* packed 1, 2, 4 or 8-bit indexes into a table */
#define RUV_XFER_BITFIELD 1  /* 8 or 16-bit value, channels under masks */
#define RUV_XFER_BYTES 2     /* red, green, blue bytes at byte positions */
#define RUV_XFER_TABLED 3    /* as bytes, each through a per-channel table */

/* Word order of a bit-field pixel of 16 bits. */
#define RUV_XFER_WORD_NATIVE 0   /* a native 16-bit word */
#define RUV_XFER_WORD_HIGH_FIRST 1 /* two bytes, high byte first */

typedef struct RUV_XFER_DESC RUV_XFER_DESC;

/* Address of a row of the raster. */
typedef uint8_t *(*RUV_XFER_ROW_FETCH)(const RUV_XFER_DESC *desc, int32_t row);

struct RUV_XFER_DESC {
    int32_t kind;                /* RUV_XFER_... */
    int16_t width;               /* raster size */
    int16_t height;
    void *source;                /* the image or native bitmap */
    RUV_XFER_ROW_FETCH row_fetch;
    int32_t bits_per_pixel;
    int32_t red;                 /* bytes, tabled: byte position of red;
                                    bit field: its mask; indexed: 0 */
    int32_t blue;                /* as red, for blue */
    int32_t green_or_ncolors;    /* bytes, tabled: byte position of green;
                                    bit field: its mask; indexed: colours */
    const RUV_COLOR *clut;       /* indexed: the colour table */
    /* Beyond the common fields: */
    int32_t clut_size;           /* indexed: readable table entries (0 = the
                                    colour count) */
    int32_t word_order;          /* bit field of 16 bits: RUV_XFER_WORD_... */
    const uint8_t *in_tables[3]; /* tabled source: red, green, blue byte ->
                                    8-bit component (256 entries each) */
    const uint16_t *out_tables[3]; /* tabled destination: 8-bit component ->
                                    stored byte (low byte of the entry) */
};

/* Describes an image: indexed -> 8-bit indexes with its colours; mono ->
   1-bit indexes with 2 colours; direct -> 32-bit bytes, red at byte 2,
   green 1, blue 0.  Another format: fatal 0x01250001. */
void ruvv_imgxfer_describe(RUV_XFER_DESC *desc, RUV_IMAGE *image);

/* Describes the image, orders the rectangle (a bottom above the top or a
   right left of the left swaps that pair in both rectangles, so a reversed
   rectangle mirrors) and sets clip to the whole raster. */
void ruvv_imgxfer_prepare(RUV_IMAGE *image, RUV_RECT *rect, RUV_RECT *partner,
                          RUV_XFER_DESC *desc, RUV_RECT *clip);

/* Cuts a span (start, end; reversed when end < start) to lo..hi and moves
   the partner span in proportion; FALSE when either becomes empty. */
RUV_BOOL ruvv_imgxfer_clip_spans(int32_t *start, int32_t *end, int32_t lo, int32_t hi,
                                 int32_t *partner_start, int32_t *partner_end);

/* The engine: transfers src_rect of the source into dst_rect of the
   destination, converting only destination pixels inside clip.  The
   rectangles are taken as given (ordered or reversed). */
void ruvv_imgxfer_run(const RUV_XFER_DESC *dst, const RUV_XFER_DESC *src, const RUV_RECT *dst_rect,
                      const RUV_RECT *src_rect, const RUV_RECT *clip);

#ifdef __cplusplus
}
#endif

#endif
