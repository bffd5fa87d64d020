/* Colour palettes: the colours of a palette and the tolerance that keeps
   near-duplicates out, the use counts by which a palette lives until its
   last holder lets go, the default colour tables and the per-process
   default palette.  The native palette is the kernel's. */
#include <string.h>

#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_color.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_palet.h"
#include "ruvv_static.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_ALLOC = 0x00510000;  /* "Failed to allocate memory" */
constexpr RUV_ERRMSG_ID ERR_CREATE = 0x00520000; /* "Failed to create" */
constexpr int16_t DEFAULT_TOLERANCE = 5;

const RUV_COLOR DEFAULT_16[16] = {
    0xFFFFFF, 0x000000, 0xBBBBBB, 0x777777, 0x333333, 0xFBF205, 0xFF6402, 0xDC0806,
    0xF10884, 0x4600A4, 0x0000D3, 0x02AAEA, 0x1FB614, 0x006411, 0x552C05, 0x907039,
};

/* The 256 default colours: white, black and three greys, then the
   6 x 6 x 6 cube of the levels FF, CC, 99, 66, 33, 00 from light to dark
   (white and black not again), then ramps of red, green, blue and grey over
   the remaining multiples of 0x11. */
struct Default256 {
    RUV_COLOR colors[256];
    Default256()
    {
        int n = 0;
        colors[n++] = 0xFFFFFF;
        colors[n++] = 0x000000;
        colors[n++] = 0xBBBBBB;
        colors[n++] = 0x777777;
        colors[n++] = 0x555555;
        for (int r = 5; r >= 0; r--)
            for (int g = 5; g >= 0; g--)
                for (int b = 5; b >= 0; b--) {
                    RUV_COLOR c = (RUV_COLOR)(r * 0x33) << 16 | (RUV_COLOR)(g * 0x33) << 8 | (RUV_COLOR)(b * 0x33);
                    if (c != 0xFFFFFF && c != 0x000000)
                        colors[n++] = c;
                }
        static const RUV_COLOR ramp[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};
        for (int shift = 16; shift >= 0; shift -= 8)
            for (RUV_COLOR level : ramp)
                colors[n++] = level << shift;
        for (RUV_COLOR level : ramp)
            if (level != 0xBB && level != 0x77 && level != 0x55)
                colors[n++] = level << 16 | level << 8 | level;
    }
};

const RUV_COLOR *default_256()
{
    static const Default256 table;
    return table.colors;
}

void free_palette(RUV_PALETTE *palette)
{
    ruvk_palet_destroy(palette);
    palette->tag = 0;
    ruvv_mem_free(palette);
}

/* Per-process block: the default palette, freed when the process's
   toolkit state ends. */
struct DefaultBlock {
    RUV_PALETTE *palette;
};

void term_default(void *block)
{
    auto *b = static_cast<DefaultBlock *>(block);
    if (b->palette)
        free_palette(b->palette);
    b->palette = nullptr;
}

RUV_STATIC_BLOCK(g_default_desc, DefaultBlock, nullptr, term_default);

} // namespace

extern "C" int32_t ruvv_palet_copy_default_colors(RUV_COLOR *colors, int32_t n)
{
    if (!colors || n <= 0)
        return 0;
    if (n <= 16) {
        memcpy(colors, DEFAULT_16, sizeof(RUV_COLOR) * (size_t)n);
        return n;
    }
    if (n > 256)
        n = 256;
    memcpy(colors, default_256(), sizeof(RUV_COLOR) * (size_t)n);
    return n;
}

extern "C" RUV_BOOL ruvv_palet_is_valid(const RUV_PALETTE *palette)
{
    return palette && palette->tag == RUV_PALETTE_TAG;
}

extern "C" RUV_PALETTE *ruvv_palet_create(int32_t type)
{
    /* Only the five types have a way to be filled. */
    if (type < RUV_PALETTE_SYSTEM_DISABLED || type > RUV_PALETTE_SYSTEM_DEFAULT) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_ALLOC);
        return nullptr;
    }
    auto *palette = static_cast<RUV_PALETTE *>(ruvv_mem_zalloc(sizeof(RUV_PALETTE)));
    if (!palette) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_ALLOC);
        return nullptr;
    }
    palette->tag = RUV_PALETTE_TAG;
    palette->type = type;
    palette->tolerance = DEFAULT_TOLERANCE;
    palette->size = RUV_PALETTE_SIZE;
    if (type == RUV_PALETTE_DEFAULT_16)
        palette->count = (int16_t)ruvv_palet_copy_default_colors(palette->colors, 16);
    else if (type == RUV_PALETTE_DEFAULT_256)
        palette->count = (int16_t)ruvv_palet_copy_default_colors(palette->colors, 256);
    if (!ruvk_palet_create(palette)) {
        palette->tag = 0;
        ruvv_mem_free(palette);
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_ALLOC);
        return nullptr;
    }
    return palette;
}

extern "C" void ruvv_palet_destroy(RUV_PALETTE *palette)
{
    if (!ruvv_palet_is_valid(palette) || palette->is_default)
        return;
    palette->destroy_requested = 1;
    if (palette->use_count <= 0)
        free_palette(palette);
}

extern "C" void ruvv_palet_use(RUV_PALETTE *palette)
{
    if (ruvv_palet_is_valid(palette))
        palette->use_count++;
}

extern "C" void ruvv_palet_release(RUV_PALETTE *palette)
{
    if (!ruvv_palet_is_valid(palette))
        return;
    palette->use_count--;
    if (palette->use_count <= 0 && palette->destroy_requested && !palette->is_default)
        free_palette(palette);
}

extern "C" void ruvv_palet_map_win(RUV_PALETTE *palette, RUV_WIN win)
{
    if (palette && !ruvv_palet_is_valid(palette))
        return;
    /* The new palette is taken before the old one is let go, so mapping a
       window's own palette again cannot free it on the way. */
    RUV_PALETTE *old = ruvk_dwin_get_palet(win);
    ruvv_palet_use(palette);
    ruvk_palet_map_win(palette, win);
    ruvv_palet_release(old);
}

extern "C" RUV_PALETTE *ruvv_palet_default(void)
{
    auto *block = static_cast<DefaultBlock *>(ruvk_static_get_ptr(&g_default_desc));
    if (block && block->palette)
        return block->palette;
    RUV_PALETTE *palette = block ? ruvv_palet_create((int32_t)ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_PALETTE_TYPE)) : nullptr;
    if (!palette) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, ERR_CREATE);
        return nullptr;
    }
    palette->is_default = 1;
    block->palette = palette;
    return palette;
}

extern "C" int16_t ruvv_palet_get_size(const RUV_PALETTE *palette)
{
    return ruvv_palet_is_valid(palette) ? palette->size : 0;
}

extern "C" int16_t ruvv_palet_get_ncolors(const RUV_PALETTE *palette)
{
    return ruvv_palet_is_valid(palette) ? palette->count : 0;
}

extern "C" void ruvv_palet_set_tolerance(RUV_PALETTE *palette, int16_t tolerance)
{
    if (ruvv_palet_is_valid(palette))
        palette->tolerance = tolerance;
}

extern "C" int16_t ruvv_palet_get_tolerance(const RUV_PALETTE *palette)
{
    return ruvv_palet_is_valid(palette) ? palette->tolerance : 0;
}

extern "C" int32_t ruvv_palet_get_colors(const RUV_PALETTE *palette, RUV_COLOR *colors, int32_t max)
{
    if (!ruvv_palet_is_valid(palette) || !colors || max <= 0)
        return 0;
    int32_t n = max < palette->count ? max : palette->count;
    memcpy(colors, palette->colors, sizeof(RUV_COLOR) * (size_t)n);
    return n;
}

extern "C" int32_t ruvv_palet_add_colors(RUV_PALETTE *palette, const RUV_COLOR *colors, int32_t n)
{
    if (!ruvv_palet_is_valid(palette) || !colors || n <= 0)
        return 0;
    int32_t old_count = palette->count;
    int32_t count = old_count;
    int32_t size = palette->size < RUV_PALETTE_SIZE ? palette->size : RUV_PALETTE_SIZE;
    for (int32_t i = 0; i < n; i++) {
        if (count > 0) {
            int32_t best = 1000;
            for (int32_t k = 0; k < count && best > 0; k++) {
                int32_t d = ruvv_color_distance(palette->colors[k], colors[i]);
                if (d < best)
                    best = d;
            }
            if (best <= palette->tolerance)
                continue;
        }
        if (count >= size)
            break;
        palette->colors[count++] = colors[i] & RUV_COLOR_RGB_MASK;
    }
    palette->count = (int16_t)count;
    if (count > old_count)
        ruvk_palet_add_colors(palette, old_count, count - old_count);
    return count - old_count;
}

extern "C" int32_t ruvv_palet_add_colors_from_image(RUV_PALETTE *palette, const RUV_IMAGE *image)
{
    if (!ruvv_palet_is_valid(palette) || !image)
        return 0;
    RUV_COLOR colors[256];
    int32_t n = 0;
    if (image->format == RUV_IMAGE_INDEXED || image->format == RUV_IMAGE_MONO) {
        int32_t entries = image->format == RUV_IMAGE_INDEXED ? RUV_IMAGE_CLUT_SIZE : 2;
        n = image->ncolors < 0 ? 0 : image->ncolors > entries ? entries : image->ncolors;
        for (int32_t i = 0; i < n; i++)
            colors[i] = image->clut[i] & RUV_COLOR_RGB_MASK;
    } else if (image->format == RUV_IMAGE_DIRECT) {
        n = ruvv_palet_copy_default_colors(colors, 256);
    }
    return ruvv_palet_add_colors(palette, colors, n);
}
