/* Stand-in for the kernel's image and native-palette operations: the row
   alignment of the platform, native palettes kept as plain colour lists,
   and the palette attached to each window's drawing state. */
#include <map>

#include "ruvk.h"
#include "ruvv_palet.h"
#include "standin_images.h"

namespace {

/* The window system's stock default palette: its 20 static colours. */
const RUV_COLOR SYSTEM_DEFAULT[20] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
    0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

struct NativePalette {
    RUV_COLOR entries[RUV_PALETTE_SIZE];
    int32_t count;
    bool disabled;
};

int32_t g_live = 0;

std::map<RUV_WIN, RUV_PALETTE *> &window_palettes()
{
    static std::map<RUV_WIN, RUV_PALETTE *> map;
    return map;
}

NativePalette *native_of(const RUV_PALETTE *palette)
{
    return palette ? static_cast<NativePalette *>(palette->native) : nullptr;
}

} // namespace

extern "C" int32_t ruvk_image_get_row_alignment(void) { return 4; }

extern "C" RUV_BOOL ruvk_palet_create(RUV_PALETTE *palette)
{
    switch (palette->type) {
    case RUV_PALETTE_SYSTEM_DISABLED:
    case RUV_PALETTE_SYSTEM_DEFAULT:
        for (int32_t i = 0; i < 20; i++)
            palette->colors[i] = SYSTEM_DEFAULT[i];
        palette->count = 20;
        break;
    case RUV_PALETTE_SYSTEM: /* not a palette device: the standard colours */
        palette->count = (int16_t)ruvv_palet_copy_default_colors(palette->colors, 256);
        break;
    case RUV_PALETTE_DEFAULT_16:
    case RUV_PALETTE_DEFAULT_256:
        break;
    default:
        return FALSE;
    }
    auto *native = new NativePalette();
    for (int32_t i = 0; i < palette->count; i++)
        native->entries[i] = palette->colors[i];
    native->count = palette->count;
    native->disabled = palette->type == RUV_PALETTE_SYSTEM_DISABLED;
    palette->native = native;
    g_live++;
    return TRUE;
}

extern "C" void ruvk_palet_destroy(RUV_PALETTE *palette)
{
    if (!palette || !palette->native)
        return;
    delete native_of(palette);
    palette->native = nullptr;
    g_live--;
    for (auto &entry : window_palettes())
        if (entry.second == palette)
            entry.second = nullptr;
}

extern "C" void ruvk_palet_add_colors(RUV_PALETTE *palette, int32_t index, int32_t count)
{
    NativePalette *native = native_of(palette);
    if (!native || index < 0 || count <= 0 || index + count > RUV_PALETTE_SIZE)
        return;
    for (int32_t i = index; i < index + count; i++)
        native->entries[i] = palette->colors[i];
    if (index + count > native->count)
        native->count = index + count;
}

extern "C" void ruvk_palet_map_win(RUV_PALETTE *palette, RUV_WIN win)
{
    window_palettes()[win] = palette;
}

extern "C" RUV_PALETTE *ruvk_dwin_get_palet(RUV_WIN win)
{
    auto it = window_palettes().find(win);
    return it == window_palettes().end() ? nullptr : it->second;
}

extern "C" int32_t standin_palet_native_count(const RUV_PALETTE *palette)
{
    NativePalette *native = native_of(palette);
    return native ? native->count : -1;
}

extern "C" RUV_COLOR standin_palet_native_color(const RUV_PALETTE *palette, int32_t i)
{
    NativePalette *native = native_of(palette);
    return native && i >= 0 && i < native->count ? native->entries[i] : 0;
}

extern "C" int32_t standin_palet_live_count(void) { return g_live; }
