/* Portable images drawn onto windows, pixmaps and print windows: the
   visible part of the destination, the device-independent bitmap the
   device takes (palette indexes on palette devices, else by the image's
   format), and the rows converted by the transfer engine in strips of at
   most RUVK_IMAGE_STRIP_BYTES, each placed with StretchDIBits. */
#include "pixmaps.h"

#include "draw_state.h"
#include "kernel_app.h"
#include "window_create.h"
#include "window_services.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_image.h"
#include "ruvv_imgxfer.h"
#include "ruvv_mem.h"
#include "ruvv_palet.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

/* The strip buffer of one draw: rows of the destination from first on. */
struct Strip {
    uint8_t *bytes;
    size_t stride;
    int32_t first;
};

uint8_t *strip_row(const RUV_XFER_DESC *d, int32_t row)
{
    const Strip *s = static_cast<const Strip *>(d->source);
    return s->bytes + (size_t)(row - s->first) * s->stride;
}

struct Info {
    BITMAPINFOHEADER header;
    union {
        RGBQUAD colors[256];
        WORD indexes[256];
    };
};

RGBQUAD quad_of(RUV_COLOR c)
{
    RGBQUAD q;
    q.rgbRed = (BYTE)(c >> 16);
    q.rgbGreen = (BYTE)(c >> 8);
    q.rgbBlue = (BYTE)c;
    q.rgbReserved = 0;
    return q;
}

} // namespace

extern "C" void ruvk_dwin_draw_image(RUV_WIN win, RUV_IMAGE *image, const RUV_RECT *src_in, const RUV_RECT *dst_in)
{
    if (!win || !ruvv_vobj_is_valid(win) || !ruvv_image_is_valid(image) || !src_in || !dst_in)
        return;
    RUV_RECT src = *src_in, dst = *dst_in;
    /* Ordered rectangles; a reversed one mirrors through its partner. */
    if (dst.bottom < dst.top) {
        std::swap(dst.top, dst.bottom);
        std::swap(src.top, src.bottom);
    }
    if (dst.right < dst.left) {
        std::swap(dst.left, dst.right);
        std::swap(src.left, src.right);
    }
    /* The visible part: the client rectangle and, but on pixmaps, the
       update rectangle of the paint in progress. */
    RUV_RECT vis;
    ruvk_vobj_get_client_rect(win, &vis);
    if (!(win->kind & RUVK_KIND_PIXMAP)) {
        if (RUV_APP_RECORD *app = ruvk_app_record()) {
            const RUV_RECT &u = app->update_rect;
            vis.top = std::max(vis.top, u.top);
            vis.left = std::max(vis.left, u.left);
            vis.bottom = std::min(vis.bottom, u.bottom);
            vis.right = std::min(vis.right, u.right);
        }
    }
    int32_t sx0 = src.left, sx1 = src.right, sy0 = src.top, sy1 = src.bottom;
    int32_t dx0 = dst.left, dx1 = dst.right, dy0 = dst.top, dy1 = dst.bottom;
    if (vis.bottom <= vis.top || vis.right <= vis.left ||
        !ruvv_imgxfer_clip_spans(&dx0, &dx1, vis.left, vis.right, &sx0, &sx1) ||
        !ruvv_imgxfer_clip_spans(&dy0, &dy1, vis.top, vis.bottom, &sy0, &sy1) ||
        !ruvv_imgxfer_clip_spans(&sx0, &sx1, 0, image->width, &dx0, &dx1) ||
        !ruvv_imgxfer_clip_spans(&sy0, &sy1, 0, image->height, &dy0, &dy1))
        return;
    const int32_t width = dx1 - dx0, height = dy1 - dy0;
    if (width <= 0 || height <= 0)
        return;

    RUV_DRAW_STATE *st = ruvk_draw_begin(win);
    if (!st)
        return;
    HDC hdc = st->hdc;
    int caps = GetDeviceCaps(hdc, RASTERCAPS);
    if (!(caps & (RC_STRETCHDIB | RC_DIBTODEV))) {
        ruvk_draw_end(st);
        return;
    }

    /* The bitmap the device takes, and the transfer's view of it. */
    Info info;
    std::memset(&info, 0, sizeof info);
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biPlanes = 1;
    info.header.biCompression = BI_RGB;
    RUV_XFER_DESC to;
    std::memset(&to, 0, sizeof to);
    UINT usage = DIB_RGB_COLORS;
    RUV_COLOR mono_clut[2];
    bool print = (st->kind & RUV_KIND_PRINT) != 0;
    RUV_PALETTE *palette = st->palette;
    bool palette_device = GetDeviceCaps(hdc, BITSPIXEL) * GetDeviceCaps(hdc, PLANES) <= 8 &&
                          (caps & RC_PALETTE) && palette && !print;
    if (palette_device) {
        /* Indexes into the selected palette, one to one. */
        info.header.biBitCount = 8;
        info.header.biClrUsed = 256;
        for (int i = 0; i < 256; ++i)
            info.indexes[i] = (WORD)i;
        usage = DIB_PAL_COLORS;
        to.kind = RUV_XFER_INDEXED;
        to.bits_per_pixel = 8;
        to.green_or_ncolors = palette->count;
        to.clut = palette->colors;
        to.clut_size = 256;
    } else if (image->format == RUV_IMAGE_INDEXED) {
        info.header.biBitCount = 8;
        info.header.biClrUsed = 256;
        for (int i = 0; i < 256; ++i)
            info.colors[i] = quad_of(image->clut[i]);
        to.kind = RUV_XFER_INDEXED;
        to.bits_per_pixel = 8;
        to.green_or_ncolors = 256;
        to.clut = image->clut;
        to.clut_size = 256;
    } else if (image->format == RUV_IMAGE_MONO) {
        info.header.biBitCount = 8;
        info.header.biClrUsed = 2;
        mono_clut[0] = image->clut[0];
        mono_clut[1] = image->clut[1];
        info.colors[0] = quad_of(mono_clut[0]);
        info.colors[1] = quad_of(mono_clut[1]);
        to.kind = RUV_XFER_INDEXED;
        to.bits_per_pixel = 8;
        to.green_or_ncolors = 2;
        to.clut = mono_clut;
        to.clut_size = 2;
    } else {
        /* Direct images: 32-bit rows, the image's own layout. */
        info.header.biBitCount = 32;
        to.kind = RUV_XFER_BYTES;
        to.bits_per_pixel = 32;
        to.red = 2;
        to.green_or_ncolors = 1;
        to.blue = 0;
    }
    SetStretchBltMode(hdc, COLORONCOLOR);
    info.header.biWidth = width;
    if (!palette_device && image->format == RUV_IMAGE_DIRECT && sx1 - sx0 == width && sy1 - sy0 == height) {
        /* Unscaled and unmirrored: the image's rows go as they are, a strip
           at a time, with nothing converted. */
        const int32_t rows_per = std::max<int32_t>(1, (int32_t)(RUVK_IMAGE_STRIP_BYTES / (size_t)image->stride));
        info.header.biWidth = image->stride / 4;
        for (int32_t first = 0; first < height; first += rows_per) {
            int32_t rows = std::min(rows_per, height - first);
            info.header.biHeight = -rows;
            StretchDIBits(hdc, dx0, dy0 + first, width, rows, sx0, 0, width, rows,
                          ruvv_image_get_scanline(image, sy0 + first), reinterpret_cast<BITMAPINFO *>(&info),
                          DIB_RGB_COLORS, SRCCOPY);
        }
        ruvk_draw_end(st);
        return;
    }
    const size_t stride = ((size_t)width * info.header.biBitCount + 31) / 32 * 4;
    int32_t strip_rows = (int32_t)(RUVK_IMAGE_STRIP_BYTES / stride);
    if (strip_rows < 1)
        strip_rows = 1;
    if (strip_rows > height)
        strip_rows = height;
    Strip strip{static_cast<uint8_t *>(ruvv_mem_alloc(stride * (size_t)strip_rows)), stride, 0};
    if (!strip.bytes) {
        ruvk_draw_end(st);
        return;
    }
    to.width = (int16_t)width;
    to.height = (int16_t)height;
    to.source = &strip;
    to.row_fetch = strip_row;
    RUV_XFER_DESC from;
    ruvv_imgxfer_describe(&from, image);
    const RUV_RECT to_rect{0, 0, (int16_t)height, (int16_t)width};
    const RUV_RECT from_rect{(int16_t)sy0, (int16_t)sx0, (int16_t)sy1, (int16_t)sx1};

    for (int32_t first = 0; first < height; first += strip_rows) {
        int32_t rows = std::min(strip_rows, height - first);
        strip.first = first;
        /* The engine converts the destination rows of this strip only. */
        const RUV_RECT clip{(int16_t)first, 0, (int16_t)(first + rows), (int16_t)width};
        ruvv_imgxfer_run(&to, &from, &to_rect, &from_rect, &clip);
        info.header.biHeight = -rows;   /* top-down: the strip's first row first */
        StretchDIBits(hdc, dx0, dy0 + first, width, rows, 0, 0, width, rows, strip.bytes,
                      reinterpret_cast<BITMAPINFO *>(&info), usage, SRCCOPY);
    }
    ruvv_mem_free(strip.bytes);
    ruvk_draw_end(st);
}
