/* Kernel stand-in: the native side of logical fonts without a window
   system.  A native part records whether the font was mapped; descriptors
   are checked for the platform tag "NT_01" and fifteen "/"-separated
   fields; the default mapping writes a concrete descriptor made from the
   font's family, style and size at 96 dots per inch; the display offers
   the families "Arial" (scalable) and "System" (raster, 10 and 12 points). */
#include "standin_fonts.h"

#include "ruvk.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_vobj.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct NativePart {
    int32_t mapped;
    int32_t resolution;
};

int g_refreshes = 0;
int g_invalidations = 0;
int g_checks = 0;

bool is_print(RUV_WIN w)
{
    return !(w->kind & RUV_KIND_TEXT_EDIT) && w->type == 4;
}

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

bool numeric(const std::string &f)
{
    if (f == "*")
        return true;
    size_t i = f[0] == '-' ? 1 : 0;
    if (i >= f.size())
        return false;
    for (; i < f.size(); ++i)
        if (!isdigit((unsigned char)f[i]))
            return false;
    return true;
}

bool symbolic(const std::string &f)
{
    if (numeric(f))
        return true;
    for (char c : f)
        if (!(isupper((unsigned char)c) || isdigit((unsigned char)c) || c == '_' || c == '-'))
            return false;
    return !f.empty();
}

bool parses(const char *desc)
{
    if (!desc)
        return false;
    std::string d = desc;
    std::string fields[16];
    int n = 0;
    size_t from = 0;
    for (;;) {
        size_t slash = d.find('/', from);
        if (n >= 16)
            return false;
        fields[n++] = d.substr(from, slash == std::string::npos ? std::string::npos : slash - from);
        if (slash == std::string::npos)
            break;
        from = slash + 1;
    }
    if (n != 15 || fields[0] != "NT_01")
        return false;
    for (int i = 1; i <= 13; ++i) {
        bool sym = i == 5 || (i >= 9 && i <= 13);
        if (fields[i].empty() || !(sym ? symbolic(fields[i]) : numeric(fields[i])))
            return false;
    }
    return true;
}

const char *face_of(const char *family)
{
    if (!family || !strcmp(family, "system"))
        return "System";
    if (!strcmp(family, "helvetica"))
        return "Arial";
    if (!strcmp(family, "fixed") || !strcmp(family, "courier"))
        return "Courier New";
    if (!strcmp(family, "times"))
        return "Times New Roman";
    return family;
}

char *dup(const char *s)
{
    size_t n = strlen(s);
    char *d = static_cast<char *>(ruvv_mem_alloc(n + 1));
    if (d)
        memcpy(d, s, n + 1);
    return d;
}

} // namespace

namespace standin {

int font_refreshes() { return g_refreshes; }
int font_invalidations() { return g_invalidations; }
int font_desc_checks() { return g_checks; }
void reset_font_counters() { g_refreshes = g_invalidations = g_checks = 0; }

} // namespace standin

extern "C" void *ruvk_font_alloc_native(void)
{
    return ruvv_mem_zalloc(sizeof(NativePart));
}

extern "C" void ruvk_font_free_native(void *native)
{
    ruvv_mem_free(native);
}

extern "C" void ruvk_font_copy_native(RUV_FONT *to, const RUV_FONT *from, int32_t flags)
{
    if (to && from && to->native && from->native)
        memcpy(to->native, from->native, sizeof(NativePart));
}

extern "C" void ruvk_font_invalidate(RUV_FONT *font, const char *new_desc)
{
    ++g_invalidations;
    if (font && font->native) {
        static_cast<NativePart *>(font->native)->mapped = 0;
        static_cast<NativePart *>(font->native)->resolution = 0;
    }
}

extern "C" void ruvk_font_refresh_win(RUV_FONT *font)
{
    ++g_refreshes;
}

extern "C" RUV_BOOL ruvk_font_needs_remap(const RUV_FONT *font, RUV_WIN win)
{
    if (!font || !valid(font->win) || !valid(win))
        return TRUE;
    return is_print(font->win) != is_print(win);
}

extern "C" RUV_BOOL ruvk_font_check_native_desc(RUV_FONT *font)
{
    ++g_checks;
    return font && parses(ruvv_font_get_native_desc(font, FALSE));
}

extern "C" const char *ruvk_font_translate_desc(RUV_FONT *font, const char *desc)
{
    return desc;
}

extern "C" RUV_BOOL ruvk_font_map_using_default(RUV_FONT *font)
{
    if (!font)
        return FALSE;
    if (!parses(ruvv_font_get_native_desc(font, FALSE))) {
        int32_t size = font->size > 9999 ? 9999 : font->size;
        char desc[512];
        snprintf(desc, sizeof desc, "NT_01/%d/0/0/0/%d/%d/%d/%d/1/0/0/2/32/%s", -((96 * size + 36) / 72),
                 (font->style & RUV_FONT_BOLD) ? 700 : 400, (font->style & RUV_FONT_ITALIC) ? 1 : 0,
                 (font->style & RUV_FONT_UNDERLINE) ? 1 : 0, (font->style & RUV_FONT_STRIKEOUT) ? 1 : 0,
                 face_of(ruvv_font_get_family(font)));
        ruvv_font_set_native_desc(font, desc);
    }
    if (font->native)
        static_cast<NativePart *>(font->native)->mapped = 1;
    return TRUE;
}

extern "C" const char *ruvk_font_get_plat_name(void)
{
    return "NT_01";
}

extern "C" int32_t ruvk_fmap_get_families(void *device, char **names, int32_t max)
{
    static const char *const families[] = {"Arial", "System"};
    int32_t n = 0;
    for (const char *f : families)
        if (n < max && (names[n] = dup(f)) != nullptr)
            ++n;
    return n;
}

extern "C" int32_t ruvk_fmap_get_family_styles(void *device, const char *family, uint32_t *styles, int32_t max)
{
    if (!family || (strcmp(family, "Arial") && strcmp(family, "System")))
        return 0;
    static const uint32_t all[] = {0, 1, 2, 3};
    int32_t n = 0;
    for (uint32_t s : all)
        if (n < max)
            styles[n++] = s;
    return n;
}

extern "C" int32_t ruvk_fmap_get_familysize_styles(void *device, const char *family, int32_t size,
                                                   uint32_t *styles, int32_t max)
{
    if (family && !strcmp(family, "System") && size != 10 && size != 12)
        return 0;
    return ruvk_fmap_get_family_styles(device, family, styles, max);
}

extern "C" int32_t ruvk_fmap_get_family_sizes(void *device, const char *family, int32_t *sizes, RUV_BOOL *scalable,
                                              int32_t max)
{
    int32_t n = 0;
    if (family && !strcmp(family, "Arial")) {
        if (n < max)
            sizes[n++] = 1;
        if (n < max)
            sizes[n++] = 9999;
        if (scalable)
            *scalable = TRUE;
    } else if (family && !strcmp(family, "System")) {
        if (n < max)
            sizes[n++] = 10;
        if (n < max)
            sizes[n++] = 12;
    }
    return n;
}

extern "C" int32_t ruvk_fmap_get_familystyle_sizes(void *device, const char *family, uint32_t style, int32_t *sizes,
                                                   RUV_BOOL *scalable, int32_t max)
{
    return ruvk_fmap_get_family_sizes(device, family, sizes, scalable, max);
}
