// Font and font-map functions of the front layer: logical fonts (create,
// copy, destroy, family, style, size, application data, native descriptor,
// text form), their mapping to a window's device, and the families, styles
// and sizes a device offers.  None is refused during an update.
#include "front_guard.h"
#include "ruv.h"
#include "ruvk.h"
#include "ruvv_font.h"
#include "printing.h"

#include <cstring>

using ruvf::Guard;

namespace {

const char SRC[] = "tfont";

bool font_ok(Guard &g, const RUV_FONT *font, int line = __builtin_LINE())
{
    return g.check(ruvv_font_is_valid(font) != 0, ruvf::ID_INVALID_FONT, nullptr, line);
}

bool mapped_ok(Guard &g, const RUV_FONT *font, int line = __builtin_LINE())
{
    return g.check(ruvv_font_is_mapped(font) != 0, ruvf::ID_WRONG_STATE_GENERIC, nullptr, line);
}

// A window a font can be mapped for: registered, tagged, of a drawing kind.
bool drawable_ok(Guard &g, RUV_WIN win, int line = __builtin_LINE())
{
    return g.window(win, line) &&
           g.check((win->kind & ruvf::KIND_DRAWABLE) != 0, ruvf::ID_INCORRECT_WINDOW_TYPE, nullptr, line);
}

// The text getters' start: a NULL buffer is refused; a buffer with room is
// emptied at once, so every later failure leaves ""; a buffer of no size is
// never written.
bool buffer_ok(Guard &g, char *buffer, int32_t size, int line = __builtin_LINE())
{
    if (!g.not_null(buffer, ruvf::ID_NULL_HANDLE, line))
        return false;
    if (size > 0)
        buffer[0] = '\0';
    return true;
}

// Copies text with its terminator when it fits the size.
RUV_BOOL put_text(Guard &g, const char *text, char *buffer, int32_t size, int line = __builtin_LINE())
{
    const size_t length = std::strlen(text);
    if (!g.check(size > 0 && length < static_cast<size_t>(size), ruvf::ID_SIZE_TOO_SMALL, nullptr, line))
        return FALSE;
    std::memcpy(buffer, text, length + 1);
    return TRUE;
}

// The font lists take a device: the print record a print window prints
// with, or NULL for the display (every other window, and a NULL one).
void *device_of(RUV_WIN window)
{
    return ruvf::is_window(window) && (window->kind & RUV_KIND_PRINT) ? ruvk_print_get_record(window) : nullptr;
}

bool list_ok(Guard &g, const void *out, int32_t capacity, int line = __builtin_LINE())
{
    return g.not_null(out, ruvf::ID_NULL_HANDLE, line) &&
           g.check(capacity > 0, ruvf::ID_VALUE_TOO_LOW, nullptr, line);
}

} // namespace

extern "C" RUV_FONT *ruv_font_create(void)
{
    Guard g("ruv_font_create", SRC);
    RUV_FONT *font = ruvv_font_create();
    if (!font_ok(g, font))
        return nullptr;
    return font;
}

extern "C" void ruv_font_copy(RUV_FONT *dst, const RUV_FONT *src, int32_t mask)
{
    Guard g("ruv_font_copy", SRC);
    if (font_ok(g, dst) && font_ok(g, src))
        ruvv_font_copy(dst, src, mask);
}

extern "C" void ruv_font_destroy(RUV_FONT *font)
{
    Guard g("ruv_font_destroy", SRC);
    if (!font)
        return;
    if (font_ok(g, font))
        ruvv_font_destroy(font);
}

extern "C" RUV_BOOL ruv_font_is_valid(const RUV_FONT *font)
{
    Guard g("ruv_font_is_valid", SRC);
    return ruvv_font_is_valid(font);
}

extern "C" void *ruv_font_get_app_data(const RUV_FONT *font)
{
    Guard g("ruv_font_get_app_data", SRC);
    if (!font_ok(g, font))
        return nullptr;
    return ruvv_font_get_app_data(font);
}

extern "C" void ruv_font_set_app_data(RUV_FONT *font, void *data)
{
    Guard g("ruv_font_set_app_data", SRC);
    if (font_ok(g, font))
        ruvv_font_set_app_data(font, data);
}

extern "C" RUV_BOOL ruv_font_get_family(const RUV_FONT *font, char *buffer, int32_t size)
{
    Guard g("ruv_font_get_family", SRC);
    if (!buffer_ok(g, buffer, size) || !font_ok(g, font) || !g.check(size > 0, ruvf::ID_SIZE_TOO_SMALL))
        return FALSE;
    const char *family = ruvv_font_get_family(font);
    return put_text(g, family ? family : "", buffer, size);
}

extern "C" RUV_BOOL ruv_font_get_family_mapped(RUV_FONT *font, char *buffer, int32_t size)
{
    Guard g("ruv_font_get_family_mapped", SRC);
    if (!buffer_ok(g, buffer, size) || !font_ok(g, font) || !mapped_ok(g, font) ||
        !g.check(size > 0, ruvf::ID_SIZE_TOO_SMALL))
        return FALSE;
    // The device's face name may be unreadable: nothing to give then.
    const char *family = ruvk_font_get_family_mapped(font);
    if (!family)
        return FALSE;
    return put_text(g, family, buffer, size);
}

extern "C" RUV_BOOL ruv_font_get_native_desc(const RUV_FONT *font, char *buffer, int32_t size)
{
    Guard g("ruv_font_get_native_desc", SRC);
    if (!buffer_ok(g, buffer, size) || !font_ok(g, font) || !g.check(size > 0, ruvf::ID_SIZE_TOO_SMALL))
        return FALSE;
    const char *desc = ruvv_font_get_native_desc(font, FALSE);
    return put_text(g, desc ? desc : "", buffer, size);
}

extern "C" void ruv_font_set_family(RUV_FONT *font, const char *family)
{
    Guard g("ruv_font_set_family", SRC);
    if (font_ok(g, font) && g.not_null(family))
        ruvv_font_set_family(font, family);
}

extern "C" void ruv_font_set_native_desc(RUV_FONT *font, const char *desc)
{
    Guard g("ruv_font_set_native_desc", SRC);
    if (font_ok(g, font) && g.not_null(desc))
        ruvv_font_set_native_desc(font, desc);
}

extern "C" int32_t ruv_font_get_size(const RUV_FONT *font)
{
    Guard g("ruv_font_get_size", SRC);
    if (!font_ok(g, font))
        return 0;
    return ruvv_font_get_size(font);
}

extern "C" void ruv_font_set_size(RUV_FONT *font, int32_t size)
{
    Guard g("ruv_font_set_size", SRC);
    if (font_ok(g, font) && g.check(size > 0, ruvf::ID_VALUE_TOO_LOW))
        ruvv_font_set_size(font, size);
}

extern "C" uint32_t ruv_font_get_style(const RUV_FONT *font)
{
    Guard g("ruv_font_get_style", SRC);
    if (!font_ok(g, font))
        return 0;
    return ruvv_font_get_style(font);
}

extern "C" void ruv_font_set_style(RUV_FONT *font, uint32_t style)
{
    Guard g("ruv_font_set_style", SRC);
    if (font_ok(g, font))
        ruvv_font_set_style(font, style);
}

extern "C" int32_t ruv_font_get_size_mapped(RUV_FONT *font)
{
    Guard g("ruv_font_get_size_mapped", SRC);
    if (!font_ok(g, font) || !mapped_ok(g, font))
        return 0;
    return ruvk_font_get_size_mapped(font);
}

extern "C" uint32_t ruv_font_get_style_mapped(RUV_FONT *font)
{
    Guard g("ruv_font_get_style_mapped", SRC);
    if (!font_ok(g, font) || !mapped_ok(g, font))
        return 0;
    return ruvk_font_get_style_mapped(font);
}

extern "C" RUV_BOOL ruv_font_is_print(RUV_FONT *font)
{
    Guard g("ruv_font_is_print", SRC);
    if (!font_ok(g, font) || !mapped_ok(g, font))
        return FALSE;
    return ruvk_font_is_print(font);
}

extern "C" RUV_BOOL ruv_font_is_scalable(RUV_FONT *font)
{
    Guard g("ruv_font_is_scalable", SRC);
    if (!font_ok(g, font) || !mapped_ok(g, font))
        return FALSE;
    return ruvk_font_is_scalable(font);
}

extern "C" RUV_BOOL ruv_font_is_mapped(const RUV_FONT *font)
{
    Guard g("ruv_font_is_mapped", SRC);
    if (!font_ok(g, font))
        return FALSE;
    return ruvv_font_is_mapped(font);
}

extern "C" RUV_WIN ruv_font_get_win(const RUV_FONT *font)
{
    Guard g("ruv_font_get_win", SRC);
    if (!font_ok(g, font))
        return NULL_WIN;
    return ruvv_font_get_win(font);
}

extern "C" void ruv_font_get_metrics(RUV_FONT *font, int32_t *leading, int32_t *ascent, int32_t *descent)
{
    Guard g("ruv_font_get_metrics", SRC);
    if (!font_ok(g, font))
        return;
    const RUV_WIN win = ruvv_font_get_win(font);
    if (g.window(win))
        ruvk_font_get_metrics(font, leading, ascent, descent, win, 0);
}

extern "C" void ruv_font_map(RUV_FONT *font, RUV_WIN window)
{
    Guard g("ruv_font_map", SRC);
    if (font_ok(g, font) && drawable_ok(g, window))
        ruvv_font_map(font, window);
}

extern "C" void ruv_font_map_using_default(RUV_FONT *font)
{
    Guard g("ruv_font_map_using_default", SRC);
    if (font_ok(g, font) && drawable_ok(g, ruvv_font_get_win(font)))
        ruvv_font_map_using_default(font);
}

extern "C" void ruv_font_unmap(RUV_FONT *font)
{
    Guard g("ruv_font_unmap", SRC);
    if (!font_ok(g, font))
        return;
    ruvv_font_unmap(font);
    ruvv_font_set_win(font, NULL_WIN);
}

extern "C" RUV_BOOL ruv_font_has_valid_native_desc(RUV_FONT *font)
{
    Guard g("ruv_font_has_valid_native_desc", SRC);
    if (!font_ok(g, font) || !g.check(ruvf::is_window(ruvv_font_get_win(font)), ruvf::ID_INVALID_WINDOW))
        return FALSE;
    return ruvv_font_has_valid_native_desc(font);
}

extern "C" int32_t ruv_font_serialize(RUV_FONT *font, char *buffer, int32_t size)
{
    Guard g("ruv_font_serialize", SRC);
    if (!font_ok(g, font) || !g.check(!buffer || size > 0, ruvf::ID_SIZE_TOO_SMALL))
        return 0;
    return ruvv_font_serialize(font, buffer, size);
}

extern "C" RUV_BOOL ruv_font_deserialize(RUV_FONT *font, const char *text)
{
    Guard g("ruv_font_deserialize", SRC);
    if (!font_ok(g, font) || !g.not_null(text))
        return FALSE;
    return ruvv_font_deserialize(font, text) ? TRUE : FALSE;
}

extern "C" int32_t ruv_fmap_get_families(RUV_WIN window, char **names, int32_t capacity)
{
    Guard g("ruv_fmap_get_families", SRC);
    if (!list_ok(g, names, capacity))
        return 0;
    return ruvv_fmap_get_families(device_of(window), names, capacity);
}

extern "C" int32_t ruv_fmap_get_family_styles(RUV_WIN window, const char *family, uint32_t *styles,
                                              int32_t capacity)
{
    Guard g("ruv_fmap_get_family_styles", SRC);
    if (!g.not_null(family) || !list_ok(g, styles, capacity))
        return 0;
    return ruvv_fmap_get_family_styles(device_of(window), family, styles, capacity);
}

extern "C" int32_t ruv_fmap_get_familysize_styles(RUV_WIN window, const char *family, int32_t size,
                                                  uint32_t *styles, int32_t capacity)
{
    Guard g("ruv_fmap_get_familysize_styles", SRC);
    if (!g.not_null(family) || !list_ok(g, styles, capacity))
        return 0;
    return ruvv_fmap_get_familysize_styles(device_of(window), family, size, styles, capacity);
}

extern "C" int32_t ruv_fmap_get_family_sizes(RUV_WIN window, const char *family, int32_t *sizes,
                                             RUV_BOOL *scalable, int32_t capacity)
{
    Guard g("ruv_fmap_get_family_sizes", SRC);
    if (!g.not_null(scalable) || !g.not_null(family) || !list_ok(g, sizes, capacity))
        return 0;
    return ruvv_fmap_get_family_sizes(device_of(window), family, sizes, scalable, capacity);
}

extern "C" int32_t ruv_fmap_get_familystyle_sizes(RUV_WIN window, const char *family, uint32_t style,
                                                  int32_t *sizes, RUV_BOOL *scalable, int32_t capacity)
{
    Guard g("ruv_fmap_get_familystyle_sizes", SRC);
    if (!g.not_null(scalable) || !g.not_null(family) || !list_ok(g, sizes, capacity))
        return 0;
    return ruvv_fmap_get_familystyle_sizes(device_of(window), family, style, sizes, scalable, capacity);
}
