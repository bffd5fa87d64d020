/* The system's fonts as lists for the user: the families of the display,
   the styles of one family (optionally at one size) and the sizes of one
   family (optionally in one style).  A scalable family offers the sizes 1
   and 9999; a raster family the point sizes it has.  Every list stops at
   the caller's capacity. */
#include "font_mapping.h"
#include "printing.h"

#include "ruvk.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"

#include <cstring>

namespace {

/* The information context of the device: the printer of a print record,
   the display for NULL.  A record the printer no longer answers gives none
   (an empty list). */
HDC information_context(void *device)
{
    if (device) {
        RUV_PRINT_RECORD *record = static_cast<RUV_PRINT_RECORD *>(device);
        return ruvk_print_record_is_valid(record) ? ruvk_print_make_dc(record, TRUE) : nullptr;
    }
    return CreateICA("DISPLAY", nullptr, nullptr, nullptr);
}

uint32_t style_of(const LOGFONTA &lf)
{
    return ruvk_font_style_bits(lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut);
}

/* One enumeration: its inputs, the caller's list and the count filled. */
struct Collector {
    int32_t resolution;
    int32_t max;
    int32_t count;
    /* families */
    char **names;
    /* styles and sizes */
    bool at_size;
    int32_t size;
    uint32_t *styles;
    bool in_style;
    uint32_t style;
    int32_t *sizes;
    RUV_BOOL scalable;
};

template <typename T> bool add_once(T *list, int32_t *count, int32_t max, T value)
{
    for (int32_t i = 0; i < *count; ++i)
        if (list[i] == value)
            return true;
    if (*count >= max)
        return false;
    list[(*count)++] = value;
    return true;
}

int CALLBACK collect_family(const LOGFONTA *lf, const TEXTMETRICA *, DWORD, LPARAM lp)
{
    Collector *c = reinterpret_cast<Collector *>(lp);
    if (c->count >= c->max)
        return 0;
    /* A family the device offers in several character sets is listed
       once. */
    for (int32_t i = 0; i < c->count; ++i)
        if (strncmp(c->names[i], lf->lfFaceName, LF_FACESIZE - 1) == 0)
            return 1;
    char *name = static_cast<char *>(ruvv_mem_zalloc(LF_FACESIZE));
    if (!name)
        return 0;
    lstrcpynA(name, lf->lfFaceName, LF_FACESIZE);
    c->names[c->count++] = name;
    return c->count < c->max;
}

int CALLBACK collect_styles(const LOGFONTA *lf, const TEXTMETRICA *tm, DWORD type, LPARAM lp)
{
    Collector *c = reinterpret_cast<Collector *>(lp);
    if (c->at_size && (type & RASTER_FONTTYPE) && ruvk_font_point_size(tm, c->resolution) != c->size)
        return 1;
    static const uint32_t BITS[4] = {RUV_FONT_BOLD, RUV_FONT_ITALIC, RUV_FONT_UNDERLINE, RUV_FONT_STRIKEOUT};
    uint32_t own = style_of(*lf);
    if (!add_once(c->styles, &c->count, c->max, own))
        return 0;
    for (uint32_t combo = 1; combo < 16; ++combo) {
        uint32_t s = own;
        for (int b = 0; b < 4; ++b)
            if (combo & (1u << b))
                s |= BITS[b];
        if (!add_once(c->styles, &c->count, c->max, s))
            return 0;
    }
    return 1;
}

/* A raster font serves a requested style that is its own, or its own with
   italic, underline and strikeout added and the weight of the request. */
bool raster_serves(uint32_t own, uint32_t wanted)
{
    const uint32_t simulated = RUV_FONT_ITALIC | RUV_FONT_UNDERLINE | RUV_FONT_STRIKEOUT;
    return wanted == own || wanted == ((own & ~RUV_FONT_BOLD) | (wanted & RUV_FONT_BOLD) | simulated);
}

int CALLBACK collect_sizes(const LOGFONTA *lf, const TEXTMETRICA *tm, DWORD type, LPARAM lp)
{
    Collector *c = reinterpret_cast<Collector *>(lp);
    uint32_t own = style_of(*lf);
    if (!(type & RASTER_FONTTYPE)) {
        if (c->in_style && own != c->style)
            return 1;
        /* Any size at all: the list is the range, and the search ends. */
        c->count = 0;
        if (c->max >= 1)
            c->sizes[c->count++] = 1;
        if (c->max >= 2)
            c->sizes[c->count++] = 9999;
        c->scalable = TRUE;
        return 0;
    }
    if (c->in_style && !raster_serves(own, c->style))
        return 1;
    return add_once(c->sizes, &c->count, c->max, ruvk_font_point_size(tm, c->resolution)) ? 1 : 0;
}

/* Runs one enumeration on the device's information context; the count
   filled, 0 when there is no context. */
int32_t enumerate(void *device, const char *family, FONTENUMPROCA proc, Collector *c)
{
    if (c->max <= 0)
        return 0;
    HDC ic = information_context(device);
    if (!ic)
        return 0;
    c->resolution = GetDeviceCaps(ic, LOGPIXELSY);
    EnumFontFamiliesA(ic, family, proc, reinterpret_cast<LPARAM>(c));
    DeleteDC(ic);
    return c->count;
}

int32_t styles(void *device, const char *family, bool at_size, int32_t size, uint32_t *out, int32_t max)
{
    if (!family || !out)
        return 0;
    Collector c{};
    c.max = max;
    c.styles = out;
    c.at_size = at_size;
    c.size = size;
    return enumerate(device, family, collect_styles, &c);
}

int32_t sizes(void *device, const char *family, bool in_style, uint32_t style, int32_t *out, RUV_BOOL *scalable,
              int32_t max)
{
    if (scalable)
        *scalable = FALSE;
    if (!family || !out)
        return 0;
    Collector c{};
    c.max = max;
    c.sizes = out;
    c.in_style = in_style;
    c.style = style;
    int32_t n = enumerate(device, family, collect_sizes, &c);
    if (scalable)
        *scalable = c.scalable;
    return n;
}

} // namespace

extern "C" int32_t ruvk_fmap_get_families(void *device, char **names, int32_t max)
{
    if (!names)
        return 0;
    Collector c{};
    c.max = max;
    c.names = names;
    return enumerate(device, nullptr, collect_family, &c);
}

extern "C" int32_t ruvk_fmap_get_family_styles(void *device, const char *family, uint32_t *out, int32_t max)
{
    return styles(device, family, false, 0, out, max);
}

extern "C" int32_t ruvk_fmap_get_familysize_styles(void *device, const char *family, int32_t size, uint32_t *out,
                                                   int32_t max)
{
    return styles(device, family, true, size, out, max);
}

extern "C" int32_t ruvk_fmap_get_family_sizes(void *device, const char *family, int32_t *out, RUV_BOOL *scalable,
                                              int32_t max)
{
    return sizes(device, family, false, 0, out, scalable, max);
}

extern "C" int32_t ruvk_fmap_get_familystyle_sizes(void *device, const char *family, uint32_t style, int32_t *out,
                                                   RUV_BOOL *scalable, int32_t max)
{
    return sizes(device, family, true, style, out, scalable, max);
}
