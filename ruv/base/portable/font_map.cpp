/* Font mapping: finding a native descriptor that the kernel accepts for a
   font on its window (cache reuse, the application's mapping hook, the
   font-map table of the compiled resources, the kernel's default), and the
   family, style and size lists that combine the kernel's system fonts, the
   built-in families and the font-map table. */
#include "font_internal.h"

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "ruvv_str.h"
#include "ruvv_vobj.h"

#include <cstring>
#include <string>

using ruv_font::CacheBlock;

namespace {

constexpr int32_t FONT_MAP_HOOK_ATTR = 800;
const char *const BUILTIN_FAMILIES[] = {"system", "fixed", "helvetica", "times"};

bool win_valid(RUV_WIN win)
{
    return win && win->tag == RUV_VOBJ_TAG;
}

/* The font is mapped when it has a descriptor that parses and the kernel
   accepts, on a valid window. */
bool check(RUV_FONT *font)
{
    font->mapped = font->native_desc && win_valid(font->win) && ruvv_font_has_valid_native_desc(font) ? 1 : 0;
    return font->mapped;
}

bool reuse_cache_slot(RUV_FONT *font)
{
    CacheBlock *b = ruv_font::cache_block();
    if (!b || b->used <= 0)
        return false;
    int32_t start = b->last >= 0 && b->last < b->used ? b->last : b->used - 1;
    for (int32_t k = 0; k < b->used; ++k) {
        const RUV_FONT *s = b->slots[(start - k + b->used) % b->used];
        if (!s->native_desc || s->print != font->print)
            continue;
        if (!font->native_desc && s->family == font->family && s->size == font->size && s->style == font->style &&
            s->derived) {
            font->native_desc = s->native_desc;
            font->parsed = s->parsed;
            font->derived = 1;
            ruvk_font_copy_native(font, s, 0);
            return true;
        }
        if (font->native_desc && font->native_desc == s->native_desc) {
            font->parsed = s->parsed;
            ruvk_font_copy_native(font, s, 0);
            return true;
        }
    }
    return false;
}

bool run_hook(RUV_FONT *font)
{
    RUV_FONT_MAP_HOOK hook = reinterpret_cast<RUV_FONT_MAP_HOOK>(ruvk_vobj_get_attr(NULL_WIN, FONT_MAP_HOOK_ATTR));
    if (!hook)
        return false;
    int16_t before = font->native_desc;
    RUV_BOOL r;
    {
        ruv::ErrFrame frame;
        r = hook(font);
    }
    if (r && font->native_desc != before)
        font->derived = 1;
    return check(font);
}

bool prefix_is_platform(const char *desc)
{
    const char *plat = ruvk_font_get_plat_name();
    const char *slash = strchr(desc, '/');
    size_t n = slash ? (size_t)(slash - desc) : strlen(desc);
    return plat && strlen(plat) == n && strncmp(desc, plat, n) == 0;
}

void map_from_table(RUV_FONT *font)
{
    RUV_FONT **table = ruvv_fmap_get_table();
    if (!table)
        return;
    int16_t before = font->native_desc;
    const char *family = ruvv_font_get_family(font);
    for (RUV_FONT **e = table; *e; ++e) {
        const RUV_FONT *entry = *e;
        const char *desc = ruvv_font_get_native_desc(entry, FALSE);
        const char *efam = ruvv_font_get_family(entry);
        if (!desc || !prefix_is_platform(desc) || !efam || !family ||
            ruvv_str_compare_ignoring_case(efam, family) != 0)
            continue;
        if (entry->style != font->style && !(entry->style & RUV_FONT_ANY_STYLE))
            continue;
        if (entry->size != font->size && entry->size != 0)
            continue;
        ruvv_font_set_native_desc(font, desc);
        if ((entry->style & RUV_FONT_ANY_STYLE) || entry->size == 0) {
            std::string own = desc;
            const char *t = ruvk_font_translate_desc(font, own.c_str());
            if (t)
                ruvv_font_set_native_desc(font, std::string(t).c_str());
        }
        if (ruvv_font_has_valid_native_desc(font))
            break;
    }
    if (font->native_desc != before)
        font->derived = 1;
}

char *dup(const char *s)
{
    size_t n = strlen(s);
    char *d = static_cast<char *>(ruvv_mem_alloc(n + 1));
    if (d)
        memcpy(d, s, n + 1);
    return d;
}

bool has_name(char **names, int32_t n, const char *name)
{
    for (int32_t i = 0; i < n; ++i)
        if (names[i] && ruvv_str_compare_ignoring_case(names[i], name) == 0)
            return true;
    return false;
}

bool has_value(const uint32_t *v, int32_t n, uint32_t x)
{
    for (int32_t i = 0; i < n; ++i)
        if (v[i] == x)
            return true;
    return false;
}

bool family_is(const RUV_FONT *entry, const char *family)
{
    const char *f = ruvv_font_get_family(entry);
    return f && family && strcmp(f, family) == 0;
}

int32_t styles_common(int32_t n, const char *family, bool by_size, int32_t size, uint32_t *styles, int32_t max)
{
    RUV_FONT **table = ruvv_fmap_get_table();
    if (!table || n < 0)
        return n < 0 ? 0 : n;
    for (RUV_FONT **e = table; *e; ++e) {
        if (!family_is(*e, family) || (by_size && (*e)->size != size && (*e)->size != 0))
            continue;
        if (n < max && !has_value(styles, n, (*e)->style))
            styles[n++] = (*e)->style;
        break;
    }
    return n;
}

int32_t sizes_common(int32_t n, const char *family, bool by_style, uint32_t style, int32_t *sizes,
                     RUV_BOOL *scalable, int32_t max)
{
    if (n < 0)
        n = 0;
    if (*scalable)
        return n;
    RUV_FONT **table = ruvv_fmap_get_table();
    if (!table)
        return n;
    for (RUV_FONT **e = table; *e; ++e) {
        if (!family_is(*e, family))
            continue;
        if (by_style && (*e)->style != style && !((*e)->style & RUV_FONT_ANY_STYLE))
            continue;
        if ((*e)->size == 0) {
            n = 0;
            if (max >= 1)
                sizes[n++] = 1;
            if (max >= 2)
                sizes[n++] = 128;
            *scalable = TRUE;
            return n;
        }
        bool seen = false;
        for (int32_t i = 0; i < n; ++i)
            seen = seen || sizes[i] == (*e)->size;
        if (!seen && n < max)
            sizes[n++] = (*e)->size;
    }
    return n;
}

} // namespace

extern "C" RUV_FONT **ruvv_fmap_get_table(void)
{
    CacheBlock *b = ruv_font::cache_block();
    if (!b)
        return nullptr;
    if (!b->table_loaded) {
        b->table_loaded = 1;
        b->table = ruvv_res_get_font_list();
    }
    return b->table;
}

extern "C" RUV_BOOL ruvv_font_map(RUV_FONT *font, RUV_WIN win)
{
    if (!font)
        return FALSE;
    if (font->win == win && font->mapped)
        return TRUE;
    ruvv_font_set_win(font, win);
    if (font->mapped)
        return TRUE;
    reuse_cache_slot(font);
    if (check(font))
        return TRUE;
    if (run_hook(font))
        return TRUE;
    if (font->native_desc && !ruvv_font_has_valid_native_desc(font)) {
        font->native_desc = 0;
        font->derived = 0;
        font->parsed = 0;
        ruvk_font_invalidate(font, nullptr);
    }
    if (!font->native_desc)
        map_from_table(font);
    if (check(font))
        return TRUE;
    if (ruvv_font_map_using_default(font))
        return TRUE;
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01570003);
    return FALSE;
}

extern "C" RUV_BOOL ruvv_font_map_using_default(RUV_FONT *font)
{
    if (!font)
        return FALSE;
    if (font->mapped)
        return TRUE;
    int16_t before = font->native_desc;
    ruvk_font_map_using_default(font);
    if (font->native_desc != before)
        font->derived = 1;
    return check(font);
}

extern "C" void ruvv_font_select(RUV_FONT *font)
{
    if (!font)
        return;
    if (!font->mapped)
        ruvv_font_map(font, font->win);
    ruvk_font_refresh_win(font);
}

extern "C" int32_t ruvv_fmap_get_families(void *device, char **names, int32_t max)
{
    if (!names || max <= 0)
        return 0;
    int32_t n = ruvk_fmap_get_families(device, names, max);
    if (n < 0)
        n = 0;
    for (const char *f : BUILTIN_FAMILIES) {
        if (n >= max)
            return n;
        if (!has_name(names, n, f)) {
            char *d = dup(f);
            if (d)
                names[n++] = d;
        }
    }
    RUV_FONT **table = ruvv_fmap_get_table();
    for (RUV_FONT **e = table; e && *e && n < max; ++e) {
        const char *f = ruvv_font_get_family(*e);
        if (f && !has_name(names, n, f)) {
            char *d = dup(f);
            if (d)
                names[n++] = d;
        }
    }
    return n;
}

extern "C" int32_t ruvv_fmap_get_family_styles(void *device, const char *family, uint32_t *styles, int32_t max)
{
    if (!styles || max <= 0)
        return 0;
    return styles_common(ruvk_fmap_get_family_styles(device, family, styles, max), family, false, 0, styles, max);
}

extern "C" int32_t ruvv_fmap_get_familysize_styles(void *device, const char *family, int32_t size, uint32_t *styles,
                                                   int32_t max)
{
    if (!styles || max <= 0)
        return 0;
    return styles_common(ruvk_fmap_get_familysize_styles(device, family, size, styles, max), family, true, size,
                         styles, max);
}

extern "C" int32_t ruvv_fmap_get_family_sizes(void *device, const char *family, int32_t *sizes, RUV_BOOL *scalable,
                                              int32_t max)
{
    if (!sizes || max <= 0)
        return 0;
    /* The kernel's scalable answer decides even when the caller does not
       ask for it. */
    RUV_BOOL any = FALSE;
    int32_t n = sizes_common(ruvk_fmap_get_family_sizes(device, family, sizes, &any, max), family, false, 0, sizes,
                             &any, max);
    if (scalable)
        *scalable = any;
    return n;
}

extern "C" int32_t ruvv_fmap_get_familystyle_sizes(void *device, const char *family, uint32_t style, int32_t *sizes,
                                                   RUV_BOOL *scalable, int32_t max)
{
    if (!sizes || max <= 0)
        return 0;
    RUV_BOOL any = FALSE;
    int32_t n = sizes_common(ruvk_fmap_get_familystyle_sizes(device, family, style, sizes, &any, max), family, true,
                             style, sizes, &any, max);
    if (scalable)
        *scalable = any;
    return n;
}
