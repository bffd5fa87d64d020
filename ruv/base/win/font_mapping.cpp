/* What a mapped font is on its device: the metrics read back from the
   window's device context (leading, ascent, descent), the point size, face
   name and style the system really gave, whether that font is scalable,
   and whether the font is mapped for a print window.  The mapped face and
   style also bring the native part's LOGFONT up to what the system chose. */
#include "draw_state.h"
#include "font_mapping.h"
#include "font_native.h"

#include "ruvk.h"
#include "ruvv_font.h"
#include "ruvv_vobj.h"

#include <cstring>

namespace {

bool valid_win(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

RUVK_FONT_NATIVE *native_of(RUV_FONT *font)
{
    return static_cast<RUVK_FONT_NATIVE *>(font->native);
}

/* What the device reports for the font. */
struct Mapped {
    TEXTMETRICA tm;
    char face[LF_FACESIZE];
    int32_t resolution;
};

/* Maps the font for win (NULL: the font's own window), selects it into
   the window's device context just long enough to read its metrics and
   face name, and selects the window's own font again.  FALSE when the
   window has no drawing state or device context. */
bool read_mapped(RUV_FONT *font, RUV_WIN win, Mapped *out)
{
    if (!ruvv_font_is_valid(font) || !font->native)
        return false;
    if (!win)
        win = font->win;
    if (!valid_win(win) || !win->draw_state)
        return false;
    if (!font->mapped || font->win != win)
        ruvv_font_map(font, win);
    RUV_DRAW_STATE *st = ruvk_draw_begin(win);
    if (!st)
        return false;
    HFONT hfont = ruvk_font_get_hfont(st, font);
    if (!hfont) {
        ruvk_draw_end(st);
        return false;
    }
    /* The cache use taken for the font is given back once it is read. */
    RUV_FONT *slot = ruvv_font_cache_current();
    HGDIOBJ own = SelectObject(st->hdc, hfont);
    bool ok = GetTextMetricsA(st->hdc, &out->tm) != 0;
    out->face[0] = '\0';
    GetTextFaceA(st->hdc, sizeof out->face, out->face);
    out->face[sizeof out->face - 1] = '\0';
    out->resolution = GetDeviceCaps(st->hdc, LOGPIXELSY);
    if (own)
        SelectObject(st->hdc, own);
    if (slot)
        ruvv_font_cache_release(slot);
    ruvk_draw_end(st);
    return ok;
}

/* The native part's LOGFONT as the device made it. */
void refresh_logfont(RUV_FONT *font, const TEXTMETRICA &tm)
{
    LOGFONTA &lf = native_of(font)->logfont;
    lf.lfHeight = tm.tmHeight;
    lf.lfWidth = tm.tmAveCharWidth;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    lf.lfWeight = tm.tmWeight;
    lf.lfItalic = tm.tmItalic;
    lf.lfUnderline = tm.tmUnderlined;
    lf.lfStrikeOut = tm.tmStruckOut;
    lf.lfCharSet = tm.tmCharSet;
    lf.lfOutPrecision = 0;
    lf.lfClipPrecision = 0;
    lf.lfPitchAndFamily = tm.tmPitchAndFamily;
}

} // namespace

extern "C" int32_t ruvk_font_point_size(const TEXTMETRICA *tm, int32_t resolution)
{
    if (!tm || resolution <= 0)
        return 0;
    return (resolution / 2 + (tm->tmHeight - tm->tmInternalLeading) * 72) / resolution;
}

extern "C" uint32_t ruvk_font_style_bits(LONG weight, BYTE italic, BYTE underline, BYTE strikeout)
{
    uint32_t s = 0;
    if (weight > 500)
        s |= RUV_FONT_BOLD;
    if (italic)
        s |= RUV_FONT_ITALIC;
    if (underline)
        s |= RUV_FONT_UNDERLINE;
    if (strikeout)
        s |= RUV_FONT_STRIKEOUT;
    return s;
}

extern "C" void ruvk_font_get_metrics(RUV_FONT *font, int32_t *leading, int32_t *ascent, int32_t *descent, RUV_WIN win,
                                      int32_t reserved)
{
    (void)reserved;
    Mapped m;
    if (!read_mapped(font, win, &m))
        return;
    if (leading)
        *leading = m.tm.tmExternalLeading;
    if (ascent)
        *ascent = m.tm.tmAscent;
    if (descent)
        *descent = m.tm.tmDescent;
}

extern "C" int32_t ruvk_font_get_size_mapped(RUV_FONT *font)
{
    Mapped m;
    if (!read_mapped(font, NULL_WIN, &m))
        return 0;
    return ruvk_font_point_size(&m.tm, m.resolution);
}

extern "C" RUV_BOOL ruvk_font_is_scalable(RUV_FONT *font)
{
    Mapped m;
    return read_mapped(font, NULL_WIN, &m) && (m.tm.tmPitchAndFamily & TMPF_VECTOR) ? TRUE : FALSE;
}

extern "C" const char *ruvk_font_get_family_mapped(RUV_FONT *font)
{
    Mapped m;
    if (!read_mapped(font, NULL_WIN, &m))
        return nullptr;
    refresh_logfont(font, m.tm);
    LOGFONTA &lf = native_of(font)->logfont;
    memcpy(lf.lfFaceName, m.face, sizeof lf.lfFaceName);
    return lf.lfFaceName;
}

extern "C" uint32_t ruvk_font_get_style_mapped(RUV_FONT *font)
{
    Mapped m;
    if (!read_mapped(font, NULL_WIN, &m))
        return 0;
    refresh_logfont(font, m.tm);
    return ruvk_font_style_bits(m.tm.tmWeight, m.tm.tmItalic, m.tm.tmUnderlined, m.tm.tmStruckOut);
}

extern "C" RUV_BOOL ruvk_font_is_print(const RUV_FONT *font)
{
    if (!ruvv_font_is_valid(font) || !valid_win(font->win))
        return FALSE;
    RUV_WIN w = font->win;
    return !(w->kind & RUV_KIND_TEXT_EDIT) && w->type == 4 ? TRUE : FALSE;
}
