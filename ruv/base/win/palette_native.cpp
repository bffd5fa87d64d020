/* Native palettes behind the toolkit's colour palettes: a 256-entry
   system palette made from the palette's colours (after filling them from
   the system for the system types), entries written back when colours are
   added, and the palette a window's drawing state selects and realises.
   Also the row alignment of image pixel rows on this platform. */
#include "draw_state.h"

#include "ruvk.h"
#include "ruvv_mem.h"
#include "ruvv_palet.h"

#include <cstring>

namespace {

struct NativePalette {
    HPALETTE handle;
    int16_t disabled;   /* made but never selected into a device context */
};

NativePalette *native_of(const RUV_PALETTE *palette)
{
    return ruvv_palet_is_valid(palette) ? static_cast<NativePalette *>(palette->native) : nullptr;
}

RUV_COLOR color_of(const PALETTEENTRY &e)
{
    return ((RUV_COLOR)e.peRed << 16) | ((RUV_COLOR)e.peGreen << 8) | e.peBlue;
}

/* The stock default palette's colours into the palette. */
int32_t take_stock_colors(RUV_PALETTE *palette)
{
    PALETTEENTRY e[RUV_PALETTE_SIZE];
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    UINT n = stock ? GetPaletteEntries(stock, 0, RUV_PALETTE_SIZE, e) : 0;
    for (UINT i = 0; i < n; ++i)
        palette->colors[i] = color_of(e[i]);
    return (int32_t)n;
}

/* The system palette on a palette device, else the 256 standard colours. */
int32_t take_system_colors(RUV_PALETTE *palette)
{
    HDC hdc = GetDC(nullptr);
    int32_t n = 0;
    if (hdc && (GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE)) {
        int size = GetDeviceCaps(hdc, SIZEPALETTE);
        UINT want = (UINT)(size > 0 && size < RUV_PALETTE_SIZE ? size : RUV_PALETTE_SIZE);
        PALETTEENTRY e[RUV_PALETTE_SIZE];
        n = (int32_t)GetSystemPaletteEntries(hdc, 0, want, e);
        for (int32_t i = 0; i < n; ++i)
            palette->colors[i] = color_of(e[i]);
    }
    if (hdc)
        ReleaseDC(nullptr, hdc);
    if (n <= 0)
        n = ruvv_palet_copy_default_colors(palette->colors, RUV_PALETTE_SIZE);
    return n;
}

void entry_of(RUV_COLOR c, PALETTEENTRY *e)
{
    e->peRed = (BYTE)(c >> 16);
    e->peGreen = (BYTE)(c >> 8);
    e->peBlue = (BYTE)c;
    e->peFlags = 0;
}

} // namespace

extern "C" int32_t ruvk_image_get_row_alignment(void)
{
    return 4;
}

extern "C" HPALETTE ruvk_palet_native(const RUV_PALETTE *palette, RUV_BOOL *disabled)
{
    NativePalette *n = native_of(palette);
    if (disabled)
        *disabled = n ? n->disabled : FALSE;
    return n ? n->handle : nullptr;
}

extern "C" RUV_BOOL ruvk_palet_create(RUV_PALETTE *palette)
{
    if (!palette)
        return FALSE;
    switch (palette->type) {
    case RUV_PALETTE_SYSTEM_DISABLED:
    case RUV_PALETTE_SYSTEM_DEFAULT:
        palette->count = (int16_t)take_stock_colors(palette);
        break;
    case RUV_PALETTE_SYSTEM:
        palette->count = (int16_t)take_system_colors(palette);
        break;
    case RUV_PALETTE_DEFAULT_16:
        if (palette->count <= 0)
            palette->count = (int16_t)ruvv_palet_copy_default_colors(palette->colors, 16);
        break;
    case RUV_PALETTE_DEFAULT_256:
        if (palette->count <= 0)
            palette->count = (int16_t)ruvv_palet_copy_default_colors(palette->colors, RUV_PALETTE_SIZE);
        break;
    default:
        return FALSE;
    }
    auto *n = static_cast<NativePalette *>(ruvv_mem_zalloc(sizeof(NativePalette)));
    size_t bytes = sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (RUV_PALETTE_SIZE - 1);
    auto *lp = static_cast<LOGPALETTE *>(ruvv_mem_zalloc(bytes));
    if (!n || !lp) {
        ruvv_mem_free(n);
        ruvv_mem_free(lp);
        return FALSE;
    }
    lp->palVersion = 0x300;
    lp->palNumEntries = RUV_PALETTE_SIZE;
    for (int32_t i = 0; i < palette->count && i < RUV_PALETTE_SIZE; ++i)
        entry_of(palette->colors[i], &lp->palPalEntry[i]);
    n->handle = CreatePalette(lp);
    ruvv_mem_free(lp);
    if (!n->handle) {
        ruvv_mem_free(n);
        return FALSE;
    }
    n->disabled = palette->type == RUV_PALETTE_SYSTEM_DISABLED;
    palette->native = n;
    return TRUE;
}

extern "C" void ruvk_palet_destroy(RUV_PALETTE *palette)
{
    NativePalette *n = palette ? static_cast<NativePalette *>(palette->native) : nullptr;
    if (!n)
        return;
    ruvk_draw_release_cached();
    DeleteObject(n->handle);
    ruvv_mem_free(n);
    palette->native = nullptr;
}

extern "C" void ruvk_palet_add_colors(RUV_PALETTE *palette, int32_t index, int32_t count)
{
    NativePalette *n = native_of(palette);
    if (!n || index < 0 || count <= 0 || index > RUV_PALETTE_SIZE - count)
        return;
    ruvk_draw_release_cached();
    PALETTEENTRY e[RUV_PALETTE_SIZE];
    for (int32_t i = 0; i < count; ++i)
        entry_of(palette->colors[index + i], &e[i]);
    SetPaletteEntries(n->handle, (UINT)index, (UINT)count, e);
}

extern "C" void ruvk_palet_map_win(RUV_PALETTE *palette, RUV_WIN win)
{
    RUV_DRAW_STATE *st = win ? win->draw_state : nullptr;
    if (!st)
        return;
    /* A context held past the cache (painting) lets the old palette go
       before the state forgets it. */
    if (st->dc && st->dc->palette) {
        SelectPalette(st->hdc, st->dc->old_palette, TRUE);
        st->dc->palette = nullptr;
        st->dc->old_palette = nullptr;
    }
    st->palette = palette;
    ruvk_draw_release_cached();
}

extern "C" RUV_PALETTE *ruvk_dwin_get_palet(RUV_WIN win)
{
    RUV_DRAW_STATE *st = win ? win->draw_state : nullptr;
    return st ? st->palette : nullptr;
}
