/* Pixmaps: off-screen drawable objects (type 8) over a 32-bit top-down
   DIB section, the two per-process DC slots through which they are drawn
   into and copied from, their destruction with their parent, copying a
   pixmap onto a window, pixmap or print window, and reading a pixmap back
   into an image. */
#include "pixmaps.h"

#include "cursor.h"
#include "draw_primitives.h"
#include "draw_state.h"
#include "kernel_app.h"
#include "startup.h"
#include "window_create.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_image.h"
#include "ruvv_imgxfer.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"

#include <cstring>
#include <vector>

namespace {

/* A pixmap record: the toolkit object first. */
struct Pixmap {
    RUV_VOBJ obj;
    int32_t pmap_type;
    HBITMAP bitmap;
    uint8_t *bits;       /* the section's pixels, row 0 first */
    int32_t width;
    int32_t height;
};

/* One DC slot: a memory DC with a pixmap's bitmap selected. */
struct Slot {
    HDC dc;
    Pixmap *pmap;
    HGDIOBJ old_bitmap;
    HPALETTE old_palette;
};

struct SlotBlock {
    Slot source;
    Slot drawing;
};

RUV_STATIC_BLOCK(g_slots_desc, SlotBlock, nullptr, nullptr);

SlotBlock *slots()
{
    return static_cast<SlotBlock *>(ruvk_static_get_ptr(&g_slots_desc));
}

Pixmap *pixmap_of(RUV_WIN w)
{
    if (!w || !ruvv_vobj_is_valid(w) || w->type != 8 || !(w->kind & RUVK_KIND_PIXMAP))
        return nullptr;
    return reinterpret_cast<Pixmap *>(w);
}

void release_slot(Slot &s)
{
    if (!s.dc)
        return;
    Pixmap *pm = s.pmap;
    /* The pixmap's drawing state lets go of the DC first. */
    if (pm && pm->obj.draw_state && pm->obj.draw_state->hdc == s.dc)
        ruvk_draw_release_dc(pm->obj.draw_state);
    if (s.old_palette)
        SelectPalette(s.dc, s.old_palette, TRUE);
    if (s.old_bitmap)
        SelectObject(s.dc, s.old_bitmap);
    DeleteDC(s.dc);
    s = Slot{};
}

/* Takes slot for pm, first letting the other slot go when it holds pm. */
HDC take_slot(Slot &slot, Slot &other, Pixmap *pm, bool with_palette)
{
    if (other.pmap == pm)
        release_slot(other);
    if (slot.pmap == pm && slot.dc)
        return slot.dc;
    release_slot(slot);
    HWND util = ruvwi_get_utility_hwnd();
    HDC ref = GetDC(util);
    HDC dc = CreateCompatibleDC(ref);
    if (ref)
        ReleaseDC(util, ref);
    if (!dc)
        return nullptr;
    slot.dc = dc;
    slot.pmap = pm;
    slot.old_bitmap = SelectObject(dc, pm->bitmap);
    if (with_palette && pm->obj.draw_state) {
        RUV_BOOL disabled = TRUE;
        HPALETTE pal = ruvk_palet_native(pm->obj.draw_state->palette, &disabled);
        if (pal && !disabled) {
            slot.old_palette = SelectPalette(dc, pal, FALSE);
            RealizePalette(dc);
        }
    }
    return dc;
}

/* Rows of a pixmap for the transfer engine: the section is top-down. */
uint8_t *pixmap_row(const RUV_XFER_DESC *d, int32_t row)
{
    const Pixmap *pm = static_cast<const Pixmap *>(d->source);
    return pm->bits + (size_t)row * (size_t)pm->width * 4u;
}

void describe_pixmap(RUV_XFER_DESC *d, Pixmap *pm)
{
    std::memset(d, 0, sizeof *d);
    d->kind = RUV_XFER_BYTES;
    d->width = (int16_t)pm->width;
    d->height = (int16_t)pm->height;
    d->source = pm;
    d->row_fetch = pixmap_row;
    d->bits_per_pixel = 32;
    d->red = 2;
    d->green_or_ncolors = 1;
    d->blue = 0;
}

/* Cuts src to the pixmap and dst to -10000..9999, each cut moving the
   other in proportion; FALSE when nothing is left. */
bool clip_pair(const Pixmap *pm, RUV_RECT &src, RUV_RECT &dst)
{
    int32_t sx0 = src.left, sx1 = src.right, sy0 = src.top, sy1 = src.bottom;
    int32_t dx0 = dst.left, dx1 = dst.right, dy0 = dst.top, dy1 = dst.bottom;
    if (!ruvv_imgxfer_clip_spans(&sx0, &sx1, 0, pm->width, &dx0, &dx1) ||
        !ruvv_imgxfer_clip_spans(&dx0, &dx1, -10000, 10000, &sx0, &sx1) ||
        !ruvv_imgxfer_clip_spans(&sy0, &sy1, 0, pm->height, &dy0, &dy1) ||
        !ruvv_imgxfer_clip_spans(&dy0, &dy1, -10000, 10000, &sy0, &sy1))
        return false;
    src = RUV_RECT{(int16_t)sy0, (int16_t)sx0, (int16_t)sy1, (int16_t)sx1};
    dst = RUV_RECT{(int16_t)dy0, (int16_t)dx0, (int16_t)dy1, (int16_t)dx1};
    return true;
}

/* A print window takes the pixmap's rows as a device-independent bitmap. */
bool copy_to_printer(HDC hdc, Pixmap *pm, const RUV_RECT &src, const RUV_RECT &dst)
{
    GdiFlush();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = pm->width;
    bi.bmiHeader.biHeight = -pm->height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(hdc, COLORONCOLOR);
    /* A top-down source is addressed from its top row. */
    int r = StretchDIBits(hdc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, src.left, src.top,
                          src.right - src.left, src.bottom - src.top, pm->bits, &bi, DIB_RGB_COLORS, SRCCOPY);
    return r > 0 && r != (int)GDI_ERROR;
}

} // namespace

extern "C" {

HDC ruvk_pmap_drawing_dc(RUV_WIN w)
{
    Pixmap *pm = pixmap_of(w);
    SlotBlock *b = slots();
    return pm && b ? take_slot(b->drawing, b->source, pm, false) : nullptr;
}

HDC ruvk_pmap_source_dc(RUV_WIN w)
{
    Pixmap *pm = pixmap_of(w);
    SlotBlock *b = slots();
    return pm && b ? take_slot(b->source, b->drawing, pm, true) : nullptr;
}

void ruvk_pmap_release_slots(void)
{
    if (SlotBlock *b = slots()) {
        release_slot(b->source);
        release_slot(b->drawing);
    }
}

HBITMAP ruvk_pmap_bitmap(RUV_WIN w, int32_t *width, int32_t *height)
{
    Pixmap *pm = pixmap_of(w);
    if (width)
        *width = pm ? pm->width : 0;
    if (height)
        *height = pm ? pm->height : 0;
    return pm ? pm->bitmap : nullptr;
}

RUV_WIN ruvk_pmap_create(RUV_WIN parent, int32_t pmap_type, int32_t width, int32_t height)
{
    if (!parent || !ruvv_vobj_is_valid(parent))
        return NULL_WIN;
    /* A window shrunk to nothing still gets a pixmap to draw into. */
    if (width < 1)
        width = 1;
    if (height < 1)
        height = 1;
    if (width > 32767)
        width = 32767;
    if (height > 32767)
        height = 32767;
    auto *pm = static_cast<Pixmap *>(ruvv_mem_zalloc(sizeof(Pixmap)));
    if (!pm)
        return NULL_WIN;
    if (!ruvk_vobj_record_init(&pm->obj, 8, RUVK_KIND_PIXMAP, parent)) {
        ruvk_draw_state_destroy(&pm->obj);
        ruvk_vobj_record_release(&pm->obj);
        ruvv_mem_free(pm);
        return NULL_WIN;
    }
    pm->obj.top = parent->top ? parent->top : parent;
    pm->pmap_type = pmap_type;
    pm->width = width;
    pm->height = height;

    HWND hwnd = parent->native ? static_cast<HWND>(parent->native) : ruvwi_get_utility_hwnd();
    HDC ref = GetDC(hwnd);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    pm->bitmap = CreateDIBSection(ref, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (ref)
        ReleaseDC(hwnd, ref);
    if (!pm->bitmap || !bits)
        ruvk_fatal_system_error("ruvwi_pmap_create/CreateDIBSection");
    pm->bits = static_cast<uint8_t *>(bits);

    if (RUV_DRAW_STATE *st = ruvk_draw_begin(&pm->obj)) {
        PatBlt(st->hdc, 0, 0, width, height, WHITENESS);
        ruvk_draw_end(st);
    }
    return &pm->obj;
}

void ruvk_pmap_destroy(RUV_WIN w)
{
    Pixmap *pm = pixmap_of(w);
    if (!pm)
        return;
    if (SlotBlock *b = slots()) {
        if (b->source.pmap == pm)
            release_slot(b->source);
        if (b->drawing.pmap == pm)
            release_slot(b->drawing);
    }
    ruvk_draw_state_destroy(&pm->obj);
    if (pm->bitmap)
        DeleteObject(pm->bitmap);
    ruvk_vobj_record_release(&pm->obj);
    ruvv_mem_free(pm);
}

void ruvk_pmap_destroy_children(RUV_WIN win)
{
    /* A snapshot first: the registry changes as they go. */
    std::vector<RUV_WIN> found;
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    while (RUV_WIN w = ruvv_registry_iter_next(&it, nullptr, 0))
        if (pixmap_of(w) && (!win || w->parent == win))
            found.push_back(w);
    for (RUV_WIN w : found)
        ruvk_pmap_destroy(w);
}

void ruvk_dwin_draw_pmap(RUV_WIN win, RUV_WIN pmap, const RUV_RECT *src_in, const RUV_RECT *dst_in)
{
    Pixmap *pm = pixmap_of(pmap);
    if (!pm || !win || !ruvv_vobj_is_valid(win) || !src_in || !dst_in)
        return;
    RUV_RECT src = *src_in, dst = *dst_in;
    if (!clip_pair(pm, src, dst))
        return;
    RUV_DRAW_STATE *st = ruvk_draw_begin(win);
    if (!st)
        return;
    HDC hdc = st->hdc;
    if ((st->kind & RUV_KIND_PRINT) && copy_to_printer(hdc, pm, src, dst)) {
        ruvk_draw_end(st);
        return;
    }
    HDC from = ruvk_pmap_source_dc(pmap);
    /* Taking the source slot may have let the destination pixmap's DC go. */
    if (!st->hdc)
        st = ruvk_draw_begin(win);
    if (from && st) {
        SetStretchBltMode(st->hdc, COLORONCOLOR);
        StretchBlt(st->hdc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, from, src.left, src.top,
                   src.right - src.left, src.bottom - src.top, ruvk_draw_blt_rop(st->tools.draw_mode));
    }
    if (st)
        ruvk_draw_end(st);
}

void ruvk_image_get_from_pmap(RUV_IMAGE *image, RUV_WIN pmap, const RUV_RECT *src_in, const RUV_RECT *dst_in)
{
    Pixmap *pm = pixmap_of(pmap);
    if (!pm || !ruvv_image_is_valid(image) || !src_in || !dst_in)
        return;
    /* Everything drawn into the pixmap reaches its pixels first. */
    GdiFlush();
    RUV_XFER_DESC from, to;
    describe_pixmap(&from, pm);
    RUV_RECT src = *src_in, dst = *dst_in, clip;
    ruvv_imgxfer_prepare(image, &dst, &src, &to, &clip);
    ruvv_imgxfer_run(&to, &from, &dst, &src, &clip);
}

} // extern "C"
