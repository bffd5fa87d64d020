/* Drawable-window conveniences: the parts of a window's current font read
   and set through the font operations, the mapped values read from the
   kernel after mapping the font for the window, a font set only when it
   differs, the standard pens and brushes, and a clear of the client area
   that leaves the drawing tools as they were. */
#include "ruvv_dwin.h"

#include "ruvk.h"
#include "ruvv_color.h"
#include "ruvv_font.h"

namespace {

/* The window's current font: the drawing state's own. */
RUV_FONT *font_of(RUV_WIN win)
{
    return win ? ruvk_dwin_get_font(win, FALSE) : nullptr;
}

/* The font mapped for the window, or NULL. */
RUV_FONT *mapped_font_of(RUV_WIN win)
{
    RUV_FONT *f = font_of(win);
    if (f && !ruvv_font_is_mapped(f))
        ruvv_font_map(f, win);
    return f;
}

const RUV_CBRUSH STD_BRUSHES[2] = {{2, RUV_COLOR_BLACK}, {2, RUV_COLOR_WHITE}};
const RUV_CPEN STD_PENS[4] = {
    {1, 2, 0, RUV_COLOR_BLACK},
    {1, 1, 0, RUV_COLOR_BLACK},
    {1, 9, 0, RUV_COLOR_BLACK},
    {1, 2, 0, RUV_COLOR_WHITE},
};

} // namespace

extern "C" {

void *ruvv_dwin_get_font_app_data(RUV_WIN win)
{
    RUV_FONT *f = font_of(win);
    return f ? ruvv_font_get_app_data(f) : nullptr;
}

void ruvv_dwin_set_font_app_data(RUV_WIN win, void *data)
{
    if (RUV_FONT *f = font_of(win))
        ruvv_font_set_app_data(f, data);
}

const char *ruvv_dwin_get_font_family(RUV_WIN win)
{
    RUV_FONT *f = font_of(win);
    return f ? ruvv_font_get_family(f) : nullptr;
}

void ruvv_dwin_set_font_family(RUV_WIN win, const char *family)
{
    if (RUV_FONT *f = font_of(win))
        ruvv_font_set_family(f, family);
}

char *ruvv_dwin_get_font_native_desc(RUV_WIN win, RUV_BOOL copy)
{
    RUV_FONT *f = font_of(win);
    return f ? ruvv_font_get_native_desc(f, copy) : nullptr;
}

void ruvv_dwin_set_font_native_desc(RUV_WIN win, const char *desc)
{
    if (RUV_FONT *f = font_of(win))
        ruvv_font_set_native_desc(f, desc);
}

int32_t ruvv_dwin_get_font_size(RUV_WIN win)
{
    RUV_FONT *f = font_of(win);
    return f ? ruvv_font_get_size(f) : 0;
}

void ruvv_dwin_set_font_size(RUV_WIN win, int32_t size)
{
    if (RUV_FONT *f = font_of(win))
        ruvv_font_set_size(f, size);
}

uint32_t ruvv_dwin_get_font_style(RUV_WIN win)
{
    RUV_FONT *f = font_of(win);
    return f ? ruvv_font_get_style(f) : 0;
}

void ruvv_dwin_set_font_style(RUV_WIN win, uint32_t style)
{
    if (RUV_FONT *f = font_of(win))
        ruvv_font_set_style(f, style);
}

const char *ruvv_dwin_get_font_family_mapped(RUV_WIN win)
{
    RUV_FONT *f = mapped_font_of(win);
    return f ? ruvk_font_get_family_mapped(f) : nullptr;
}

int32_t ruvv_dwin_get_font_size_mapped(RUV_WIN win)
{
    RUV_FONT *f = mapped_font_of(win);
    return f ? ruvk_font_get_size_mapped(f) : 0;
}

uint32_t ruvv_dwin_get_font_style_mapped(RUV_WIN win)
{
    RUV_FONT *f = mapped_font_of(win);
    return f ? ruvk_font_get_style_mapped(f) : 0;
}

void ruvv_dwin_set_font(RUV_WIN win, const RUV_FONT *font)
{
    RUV_FONT *current = font_of(win);
    if (!current || !font)
        return;
    if (ruvv_font_is_equal(font, current) && font->win == current->win && ruvv_font_is_derived(current))
        return;
    ruvk_dwin_set_font(win, font);
}

void ruvv_dwin_set_std_cbrush(RUV_WIN win, int32_t which)
{
    ruvk_dwin_set_cbrush(win, &STD_BRUSHES[which & 1]);
}

void ruvv_dwin_set_std_cpen(RUV_WIN win, int32_t which)
{
    ruvk_dwin_set_cpen(win, &STD_PENS[(which - 1) & 3]);
}

void ruvv_dwin_clear(RUV_WIN win, RUV_COLOR color)
{
    if (!win)
        return;
    RUV_DRAW_CTOOLS saved;
    ruvk_dwin_get_draw_ctools(win, &saved);
    RUV_DRAW_CTOOLS fill = saved;
    fill.brush.pattern = 2;
    fill.brush.color = color;
    fill.draw_mode = 0;
    ruvk_dwin_set_draw_ctools(win, &fill);
    ruvv_dwin_set_std_cpen(win, 2);
    RUV_RECT client;
    ruvk_vobj_get_client_rect(win, &client);
    ruvk_dwin_draw_rect(win, &client);
    ruvk_dwin_set_draw_ctools(win, &saved);
}

} // extern "C"
