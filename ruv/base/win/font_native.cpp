/* The native side of logical fonts: the native part of each font, the
   native descriptor (fifteen "/"-separated fields: the platform tag and
   the LOGFONT members, each "*" for any value, some also by symbolic
   name), the face names of the logical families, mapping a font to a
   LOGFONT for a device resolution, and the native font made for a device
   context through the font cache. */
#include "font_native.h"

#include "draw_state.h"
#include "ruvv_font_desc.h"
#include "kernel_app.h"

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

/* Field positions after the platform tag. */
enum Field {
    F_HEIGHT = RUV_FD_HEIGHT, F_WIDTH = RUV_FD_WIDTH, F_ESCAPEMENT = RUV_FD_ESCAPEMENT,
    F_ORIENTATION = RUV_FD_ORIENTATION, F_WEIGHT = RUV_FD_WEIGHT, F_ITALIC = RUV_FD_ITALIC,
    F_UNDERLINE = RUV_FD_UNDERLINE, F_STRIKEOUT = RUV_FD_STRIKEOUT, F_CHARSET = RUV_FD_CHARSET,
    F_OUT_PRECISION = RUV_FD_OUT_PRECISION, F_CLIP_PRECISION = RUV_FD_CLIP_PRECISION, F_QUALITY = RUV_FD_QUALITY,
    F_PITCH_FAMILY = RUV_FD_PITCH_FAMILY, F_FACE = RUV_FD_FACE
};

RUVK_FONT_NATIVE *native_of(const RUV_FONT *font)
{
    return font ? static_cast<RUVK_FONT_NATIVE *>(font->native) : nullptr;
}

bool valid_win(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

bool is_print_win(RUV_WIN w)
{
    return !(w->kind & RUV_KIND_TEXT_EDIT) && w->type == 4;
}

/* Face names of the logical families, read once per process from the
   program's strings. */
struct FaceBlock {
    char names[5][32];
    int16_t loaded;
};

RUV_STATIC_BLOCK(g_faces, FaceBlock, nullptr, nullptr);

const char *const FAMILIES[5] = {"system", "helvetica", "fixed", "times", "courier"};
const char *const DEFAULT_FACES[5] = {"System", "Arial", "Courier New", "Times New Roman", "Courier New"};

int32_t resolution_of(RUV_DRAW_STATE *state, const RUV_FONT *font)
{
    if (!state && font && valid_win(font->win))
        state = font->win->draw_state;
    return ruvk_draw_get_logpixelsy(state);
}

} // namespace

extern "C" RUV_BOOL ruvk_font_desc_parse(const char *text, RUVK_FONT_DESC *out)
{
    RUV_FONT_NATIVE_DESC d;
    if (!ruvv_font_desc_parse(text, &d))
        return FALSE;
    if (!out)
        return TRUE;
    memset(out, 0, sizeof *out);
    LOGFONTA &lf = out->logfont;
    lf.lfHeight = d.height;
    lf.lfWidth = d.width;
    lf.lfEscapement = d.escapement;
    lf.lfOrientation = d.orientation;
    lf.lfWeight = d.weight;
    lf.lfItalic = d.italic;
    lf.lfUnderline = d.underline;
    lf.lfStrikeOut = d.strikeout;
    lf.lfCharSet = d.charset;
    lf.lfOutPrecision = d.out_precision;
    lf.lfClipPrecision = d.clip_precision;
    lf.lfQuality = d.quality;
    lf.lfPitchAndFamily = d.pitch_family;
    static_assert(sizeof d.face == sizeof lf.lfFaceName, "face name slots");
    memcpy(lf.lfFaceName, d.face, sizeof lf.lfFaceName);
    memcpy(out->wild, d.wild, sizeof out->wild);
    return TRUE;
}

extern "C" char *ruvk_font_desc_format(const LOGFONTA *lf, char *out)
{
    if (!lf || !out)
        return out;
    RUV_FONT_NATIVE_DESC d;
    memset(&d, 0, sizeof d);
    d.height = lf->lfHeight;
    d.width = lf->lfWidth;
    d.escapement = lf->lfEscapement;
    d.orientation = lf->lfOrientation;
    d.weight = lf->lfWeight;
    d.italic = lf->lfItalic;
    d.underline = lf->lfUnderline;
    d.strikeout = lf->lfStrikeOut;
    d.charset = lf->lfCharSet;
    d.out_precision = lf->lfOutPrecision;
    d.clip_precision = lf->lfClipPrecision;
    d.quality = lf->lfQuality;
    d.pitch_family = lf->lfPitchAndFamily;
    lstrcpynA(d.face, lf->lfFaceName, sizeof d.face);
    return ruvv_font_desc_format(&d, out, RUVK_FONT_DESC_SIZE);
}

extern "C" const char *ruvk_font_face_of_family(const char *family)
{
    if (!family)
        family = FAMILIES[0];
    int k = -1;
    for (int i = 0; i < 5; ++i)
        if (strcmp(family, FAMILIES[i]) == 0)
            k = i;
    if (k < 0)
        return family;
    FaceBlock *b = static_cast<FaceBlock *>(ruvk_static_get_ptr(&g_faces));
    if (!b)
        return DEFAULT_FACES[k];
    if (!b->loaded) {
        b->loaded = 1;
        for (int i = 0; i < 5; ++i) {
            char buf[32];
            const char *s = ruvk_res_get_str(30021 + i, buf, sizeof buf);
            lstrcpynA(b->names[i], s && *s ? s : DEFAULT_FACES[i], 32);
        }
    }
    return b->names[k];
}

extern "C" void ruvk_font_map_native(RUV_FONT *font, const RUVK_FONT_DESC *desc, int32_t resolution)
{
    RUVK_FONT_NATIVE *n = native_of(font);
    if (!n)
        return;
    RUVK_FONT_DESC all;
    if (!desc) {
        memset(&all, 0, sizeof all);
        for (int16_t &w : all.wild)
            w = 1;
        desc = &all;
    }
    LOGFONTA &lf = n->logfont;
    memset(&lf, 0, sizeof lf);
    const LOGFONTA &d = desc->logfont;
    n->resolution = 0;
    if (desc->wild[F_HEIGHT]) {
        int32_t size = font->size > 9999 ? 9999 : font->size;
        lf.lfHeight = -((resolution * size + 36) / 72);
        n->resolution = resolution;
    } else {
        lf.lfHeight = d.lfHeight;
    }
    lf.lfWidth = desc->wild[F_WIDTH] ? 0 : d.lfWidth;
    lf.lfEscapement = desc->wild[F_ESCAPEMENT] ? 0 : d.lfEscapement;
    lf.lfOrientation = desc->wild[F_ORIENTATION] ? 0 : d.lfOrientation;
    lf.lfWeight = desc->wild[F_WEIGHT] ? ((font->style & RUV_FONT_BOLD) ? 700 : 400) : d.lfWeight;
    lf.lfItalic = desc->wild[F_ITALIC] ? ((font->style & RUV_FONT_ITALIC) ? 1 : 0) : d.lfItalic;
    lf.lfUnderline = desc->wild[F_UNDERLINE] ? ((font->style & RUV_FONT_UNDERLINE) ? 1 : 0) : d.lfUnderline;
    lf.lfStrikeOut = desc->wild[F_STRIKEOUT] ? ((font->style & RUV_FONT_STRIKEOUT) ? 1 : 0) : d.lfStrikeOut;
    lf.lfCharSet = desc->wild[F_CHARSET] ? DEFAULT_CHARSET : d.lfCharSet;
    lf.lfOutPrecision = desc->wild[F_OUT_PRECISION] ? 0 : d.lfOutPrecision;
    lf.lfClipPrecision = desc->wild[F_CLIP_PRECISION] ? 0 : d.lfClipPrecision;
    lf.lfQuality = desc->wild[F_QUALITY] ? PROOF_QUALITY : d.lfQuality;
    lf.lfPitchAndFamily = desc->wild[F_PITCH_FAMILY] ? FF_SWISS : d.lfPitchAndFamily;
    lstrcpynA(lf.lfFaceName, desc->wild[F_FACE] ? ruvk_font_face_of_family(ruvv_font_get_family(font)) : d.lfFaceName,
              LF_FACESIZE);
    char text[RUVK_FONT_DESC_SIZE];
    ruvk_font_desc_format(&lf, text);
    /* Storing the descriptor clears the mapping; what it came from is
       kept, and the mapping set again. */
    int32_t r = n->resolution;
    uint8_t derived = font->derived;
    ruvv_font_set_native_desc(font, text);
    font->derived = derived;
    font->parsed = 1;
    n->resolution = r;
    n->exact = 1;
    n->mapped = 1;
}

extern "C" HFONT ruvk_font_get_hfont(RUV_DRAW_STATE *state, RUV_FONT *font)
{
    RUVK_FONT_NATIVE *n = native_of(font);
    if (!n)
        return nullptr;
    int32_t r = resolution_of(state, font);
    bool other_device = n->resolution != 0 && n->resolution != r;
    if (!n->mapped || other_device) {
        RUVK_FONT_DESC desc;
        bool parsed = ruvk_font_desc_parse(ruvv_font_get_native_desc(font, FALSE), &desc);
        if (parsed && other_device)
            desc.wild[F_HEIGHT] = 1;
        ruvk_font_map_native(font, parsed ? &desc : nullptr, r);
    }
    if (!ruvv_font_cache_has(font)) {
        if (!ruvv_font_cache_push(font))
            return nullptr;
    }
    RUV_FONT *slot = ruvv_font_cache_current();
    RUVK_FONT_NATIVE *sn = native_of(slot);
    if (!sn)
        return nullptr;
    if (!sn->hfont) {
        /* The cache slot owns the native font from its creation on. */
        sn->hfont = CreateFontIndirectA(&sn->logfont);
        if (!sn->hfont) {
            ruvv_font_cache_release(slot);
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x0152000A);
            return nullptr;
        }
    }
    return sn->hfont;
}

extern "C" void *ruvk_font_alloc_native(void)
{
    return ruvv_mem_zalloc(sizeof(RUVK_FONT_NATIVE));
}

extern "C" void ruvk_font_free_native(void *native)
{
    RUVK_FONT_NATIVE *n = static_cast<RUVK_FONT_NATIVE *>(native);
    if (n && n->hfont)
        DeleteObject(n->hfont);
    ruvv_mem_free(native);
}

extern "C" void ruvk_font_copy_native(RUV_FONT *to, const RUV_FONT *from, int32_t flags)
{
    RUVK_FONT_NATIVE *t = native_of(to);
    const RUVK_FONT_NATIVE *f = native_of(from);
    if (!t || !f || t == f)
        return;
    if (flags & RUVK_FONT_COPY_WHOLE) {
        /* The native font stays with the font that made it: two owners of
           one handle would delete it twice. */
        if (t->hfont)
            DeleteObject(t->hfont);
        *t = *f;
        t->hfont = nullptr;
    } else {
        t->logfont = f->logfont;
        t->exact = f->exact;
        t->mapped = f->mapped;
        t->resolution = f->resolution;
    }
}

extern "C" void ruvk_font_invalidate(RUV_FONT *font, const char *new_desc)
{
    RUVK_FONT_NATIVE *n = native_of(font);
    if (!n)
        return;
    if (new_desc && ruvk_font_desc_parse(new_desc, nullptr)) {
        n->exact = strchr(new_desc, '*') == nullptr;
    } else {
        n->exact = 0;
        RUV_WIN w = font->win;
        if (valid_win(w) && w->draw_state && w->draw_state->font == font)
            ruvk_draw_drop_font(w->draw_state);
    }
    n->mapped = 0;
    n->resolution = 0;
}

extern "C" void ruvk_font_refresh_win(RUV_FONT *font)
{
    if (!font || !valid_win(font->win) || !font->win->draw_state)
        return;
    RUV_DRAW_STATE *st = font->win->draw_state;
    if (st->font == font)
        ruvk_draw_drop_font(st);
    else
        ruvk_dwin_set_font(font->win, font);
}

extern "C" RUV_BOOL ruvk_font_needs_remap(const RUV_FONT *font, RUV_WIN win)
{
    if (!font || !valid_win(font->win) || !valid_win(win))
        return TRUE;
    return is_print_win(font->win) != is_print_win(win);
}

extern "C" RUV_BOOL ruvk_font_check_native_desc(RUV_FONT *font)
{
    return font && ruvk_font_desc_parse(ruvv_font_get_native_desc(font, FALSE), nullptr);
}

extern "C" const char *ruvk_font_translate_desc(RUV_FONT *font, const char *desc)
{
    (void)font;
    return desc;
}

extern "C" RUV_BOOL ruvk_font_map_using_default(RUV_FONT *font)
{
    if (!native_of(font))
        return FALSE;
    RUVK_FONT_DESC desc;
    if (!ruvk_font_desc_parse(ruvv_font_get_native_desc(font, FALSE), &desc) &&
        !ruvk_font_desc_parse(RUVK_FONT_PLATFORM "/*/*/*/*/*/*/*/*/*/*/*/*/*/*", &desc))
        return FALSE;
    ruvk_font_map_native(font, &desc, resolution_of(nullptr, font));
    return TRUE;
}

extern "C" const char *ruvk_font_get_plat_name(void)
{
    return RUVK_FONT_PLATFORM;
}

extern "C" RUV_BOOL ruvk_font_is_mapped(const RUV_FONT *font)
{
    RUVK_FONT_NATIVE *n = native_of(font);
    return n && n->mapped;
}
