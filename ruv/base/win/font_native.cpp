/* The native side of logical fonts: the native part of each font, the
   native descriptor (fifteen "/"-separated fields: the platform tag and
   the LOGFONT members, each "*" for any value, some also by symbolic
   name), the face names of the logical families, mapping a font to a
   LOGFONT for a device resolution, and the native font made for a device
   context through the font cache. */
#include "font_native.h"

#include "draw_state.h"
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
#include <string>
#include <vector>

namespace {

struct Name {
    const char *name;
    int32_t value;
};

const Name WEIGHTS[] = {
    {"FW_DONTCARE", 0},   {"FW_THIN", 100},     {"FW_EXTRALIGHT", 200}, {"FW_ULTRALIGHT", 200},
    {"FW_LIGHT", 300},    {"FW_NORMAL", 400},   {"FW_REGULAR", 400},    {"FW_MEDIUM", 500},
    {"FW_SEMIBOLD", 600}, {"FW_DEMIBOLD", 600}, {"FW_BOLD", 700},       {"FW_EXTRABOLD", 800},
    {"FW_ULTRABOLD", 800}, {"FW_BLACK", 900},   {"FW_HEAVY", 900},      {nullptr, 0}};
const Name CHARSETS[] = {{"ANSI_CHARSET", 0},     {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2},
                         {"SHIFTJIS_CHARSET", 128}, {"OEM_CHARSET", 255},  {nullptr, 0}};
const Name OUT_PRECISIONS[] = {{"OUT_CHARACTER_PRECIS", 2}, {"OUT_DEFAULT_PRECIS", 0}, {"OUT_DEVICE_PRECIS", 5},
                               {"OUT_RASTER_PRECIS", 6},    {"OUT_STRING_PRECIS", 1},  {"OUT_STROKE_PRECIS", 3},
                               {"OUT_TT_PRECIS", 4},        {"OUT_TT_ONLY_PRECIS", 7}, {nullptr, 0}};
const Name CLIP_PRECISIONS[] = {{"CLIP_CHARACTER_PRECIS", 1}, {"CLIP_DEFAULT_PRECIS", 0}, {"CLIP_EMBEDDED", 128},
                                {"CLIP_LH_ANGLES", 16},       {"CLIP_MASK", 15},          {"CLIP_STROKE_PRECIS", 2},
                                {"CLIP_TT_ALWAYS", 32},       {nullptr, 0}};
const Name QUALITIES[] = {{"DEFAULT_QUALITY", 0}, {"DRAFT_QUALITY", 1}, {"PROOF_QUALITY", 2}, {nullptr, 0}};
const Name PITCH_FAMILIES[] = {{"DEFAULT_PITCH", 0}, {"FIXED_PITCH", 1}, {"VARIABLE_PITCH", 2},
                               {"FF_DECORATIVE", 80}, {"FF_DONTCARE", 0}, {"FF_MODERN", 48},
                               {"FF_ROMAN", 16},      {"FF_SCRIPT", 64},  {"FF_SWISS", 32},
                               {nullptr, 0}};

/* Field positions after the platform tag. */
enum Field {
    F_HEIGHT, F_WIDTH, F_ESCAPEMENT, F_ORIENTATION, F_WEIGHT, F_ITALIC, F_UNDERLINE, F_STRIKEOUT,
    F_CHARSET, F_OUT_PRECISION, F_CLIP_PRECISION, F_QUALITY, F_PITCH_FAMILY, F_FACE
};

/* Symbolic names of a field, NULL for a plain number. */
const Name *names_of(int field)
{
    switch (field) {
    case F_WEIGHT: return WEIGHTS;
    case F_CHARSET: return CHARSETS;
    case F_OUT_PRECISION: return OUT_PRECISIONS;
    case F_CLIP_PRECISION: return CLIP_PRECISIONS;
    case F_QUALITY: return QUALITIES;
    case F_PITCH_FAMILY: return PITCH_FAMILIES;
    default: return nullptr;
    }
}

/* A decimal number with an optional leading "-", within [lo, hi]. */
bool parse_number(const std::string &text, long lo, long hi, long *out)
{
    size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    if (i >= text.size() || text.size() - i > 10)
        return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    long long v = strtoll(text.c_str(), nullptr, 10);
    if (v < lo || v > hi)
        return false;
    *out = (long)v;
    return true;
}

/* Parts joined by "-", each a name of the table (matched over the part's
   length, in table order) or a number; their values ORed. */
bool parse_symbolic(const std::string &text, const Name *names, long hi, long *out)
{
    if (parse_number(text, -2147483647L - 1, hi, out))
        return true;
    long value = 0;
    size_t from = 0;
    for (;;) {
        size_t dash = text.find('-', from);
        std::string part = text.substr(from, dash == std::string::npos ? std::string::npos : dash - from);
        if (part.empty())
            return false;
        long v;
        if (part[0] >= '0' && part[0] <= '9') {
            if (!parse_number(part, 0, hi, &v))
                return false;
        } else {
            const Name *n = names;
            while (n->name && strncmp(part.c_str(), n->name, part.size()) != 0)
                ++n;
            if (!n->name)
                return false;
            v = n->value;
        }
        value |= v;
        if (dash == std::string::npos)
            break;
        from = dash + 1;
    }
    *out = value;
    return true;
}

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
    if (!text)
        return FALSE;
    std::vector<std::string> fields;
    std::string d = text;
    size_t from = 0;
    for (;;) {
        size_t slash = d.find('/', from);
        fields.push_back(d.substr(from, slash == std::string::npos ? std::string::npos : slash - from));
        if (slash == std::string::npos || fields.size() > RUVK_FONT_FIELDS)
            break;
        from = slash + 1;
    }
    if (fields.size() != RUVK_FONT_FIELDS || fields[0] != RUVK_FONT_PLATFORM)
        return FALSE;
    RUVK_FONT_DESC r;
    memset(&r, 0, sizeof r);
    long values[F_FACE];
    for (int f = F_HEIGHT; f < F_FACE; ++f) {
        const std::string &t = fields[(size_t)f + 1];
        values[f] = 0;
        if (t == "*") {
            r.wild[f] = 1;
            continue;
        }
        /* LONG members take any 32-bit value; the others are bytes. */
        bool wide = f <= F_WEIGHT;
        long lo = wide ? -2147483647L - 1 : 0;
        long hi = wide ? 2147483647L : 255;
        const Name *names = names_of(f);
        bool ok = names ? parse_symbolic(t, names, hi, &values[f]) : parse_number(t, lo, hi, &values[f]);
        if (!ok || values[f] < lo || values[f] > hi)
            return FALSE;
    }
    const std::string &face = fields[1 + F_FACE];
    if (face == "*")
        r.wild[F_FACE] = 1;
    else
        lstrcpynA(r.logfont.lfFaceName, face.c_str(), LF_FACESIZE);
    LOGFONTA &lf = r.logfont;
    lf.lfHeight = values[F_HEIGHT];
    lf.lfWidth = values[F_WIDTH];
    lf.lfEscapement = values[F_ESCAPEMENT];
    lf.lfOrientation = values[F_ORIENTATION];
    lf.lfWeight = values[F_WEIGHT];
    lf.lfItalic = (BYTE)values[F_ITALIC];
    lf.lfUnderline = (BYTE)values[F_UNDERLINE];
    lf.lfStrikeOut = (BYTE)values[F_STRIKEOUT];
    lf.lfCharSet = (BYTE)values[F_CHARSET];
    lf.lfOutPrecision = (BYTE)values[F_OUT_PRECISION];
    lf.lfClipPrecision = (BYTE)values[F_CLIP_PRECISION];
    lf.lfQuality = (BYTE)values[F_QUALITY];
    lf.lfPitchAndFamily = (BYTE)values[F_PITCH_FAMILY];
    if (out)
        *out = r;
    return TRUE;
}

extern "C" char *ruvk_font_desc_format(const LOGFONTA *lf, char *out)
{
    if (!lf || !out)
        return out;
    char face[LF_FACESIZE];
    lstrcpynA(face, lf->lfFaceName, LF_FACESIZE);
    snprintf(out, RUVK_FONT_DESC_SIZE, "%s/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%s", RUVK_FONT_PLATFORM,
             (int)lf->lfHeight, (int)lf->lfWidth, (int)lf->lfEscapement, (int)lf->lfOrientation,
             (int)lf->lfWeight, lf->lfItalic, lf->lfUnderline, lf->lfStrikeOut, lf->lfCharSet,
             lf->lfOutPrecision, lf->lfClipPrecision, lf->lfQuality, lf->lfPitchAndFamily, face);
    return out;
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
