/* Reading and writing the native font descriptor: the platform tag, the
   thirteen numeric members (plain numbers, or for six of them symbolic
   names ORed together) and the face name, each possibly "*". */
#include "ruvv_font_desc.h"

#include <cstdio>
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

/* Symbolic names of a field, NULL for a plain number. */
const Name *names_of(int field)
{
    switch (field) {
    case RUV_FD_WEIGHT: return WEIGHTS;
    case RUV_FD_CHARSET: return CHARSETS;
    case RUV_FD_OUT_PRECISION: return OUT_PRECISIONS;
    case RUV_FD_CLIP_PRECISION: return CLIP_PRECISIONS;
    case RUV_FD_QUALITY: return QUALITIES;
    case RUV_FD_PITCH_FAMILY: return PITCH_FAMILIES;
    default: return nullptr;
    }
}

constexpr int64_t INT32_LO = -2147483647LL - 1;
constexpr int64_t INT32_HI = 2147483647LL;

/* A decimal number with an optional leading "-" that lies within
   [lo, hi]; digits are taken one by one, so a number of any length that
   leaves the range is refused before it can overflow. */
bool parse_number(const std::string &text, int64_t lo, int64_t hi, int64_t *out)
{
    bool negative = !text.empty() && text[0] == '-';
    size_t i = negative ? 1 : 0;
    if (i >= text.size())
        return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > INT32_HI + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

/* A plain number, or parts joined by "-", each a name of the table
   (matched over the part's length, in table order) or, when it starts
   with a digit, a number; the values ORed. */
bool parse_symbolic(const std::string &text, const Name *names, int64_t lo, int64_t hi, int64_t *out)
{
    if (parse_number(text, lo, hi, out))
        return true;
    int64_t value = 0;
    size_t from = 0;
    for (;;) {
        size_t dash = text.find('-', from);
        std::string part = text.substr(from, dash == std::string::npos ? std::string::npos : dash - from);
        if (part.empty())
            return false;
        int64_t v;
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
    if (value < lo || value > hi)
        return false;
    *out = value;
    return true;
}

} // namespace

extern "C" int ruvv_font_desc_parse(const char *text, RUV_FONT_NATIVE_DESC *out)
{
    if (!text)
        return 0;
    std::vector<std::string> fields;
    std::string d = text;
    size_t from = 0;
    for (;;) {
        size_t slash = d.find('/', from);
        fields.push_back(d.substr(from, slash == std::string::npos ? std::string::npos : slash - from));
        if (slash == std::string::npos || fields.size() > RUV_FONT_DESC_FIELDS)
            break;
        from = slash + 1;
    }
    if (fields.size() != RUV_FONT_DESC_FIELDS || fields[0] != RUV_FONT_DESC_PLATFORM)
        return 0;
    RUV_FONT_NATIVE_DESC r;
    memset(&r, 0, sizeof r);
    int64_t values[RUV_FD_FACE];
    for (int f = RUV_FD_HEIGHT; f < RUV_FD_FACE; ++f) {
        const std::string &t = fields[(size_t)f + 1];
        values[f] = 0;
        if (t == "*") {
            r.wild[f] = 1;
            continue;
        }
        /* The first five members are 32-bit numbers, the others bytes. */
        bool wide = f <= RUV_FD_WEIGHT;
        int64_t lo = wide ? INT32_LO : 0;
        int64_t hi = wide ? INT32_HI : 255;
        const Name *names = names_of(f);
        bool ok = names ? parse_symbolic(t, names, lo, hi, &values[f]) : parse_number(t, lo, hi, &values[f]);
        if (!ok)
            return 0;
    }
    const std::string &face = fields[1 + RUV_FD_FACE];
    if (face == "*") {
        r.wild[RUV_FD_FACE] = 1;
    } else {
        /* The face name's slot holds 31 bytes and the terminator. */
        size_t n = face.size() < RUV_FONT_DESC_FACE_SIZE - 1 ? face.size() : RUV_FONT_DESC_FACE_SIZE - 1;
        memcpy(r.face, face.data(), n);
        r.face[n] = '\0';
    }
    r.height = (int32_t)values[RUV_FD_HEIGHT];
    r.width = (int32_t)values[RUV_FD_WIDTH];
    r.escapement = (int32_t)values[RUV_FD_ESCAPEMENT];
    r.orientation = (int32_t)values[RUV_FD_ORIENTATION];
    r.weight = (int32_t)values[RUV_FD_WEIGHT];
    r.italic = (uint8_t)values[RUV_FD_ITALIC];
    r.underline = (uint8_t)values[RUV_FD_UNDERLINE];
    r.strikeout = (uint8_t)values[RUV_FD_STRIKEOUT];
    r.charset = (uint8_t)values[RUV_FD_CHARSET];
    r.out_precision = (uint8_t)values[RUV_FD_OUT_PRECISION];
    r.clip_precision = (uint8_t)values[RUV_FD_CLIP_PRECISION];
    r.quality = (uint8_t)values[RUV_FD_QUALITY];
    r.pitch_family = (uint8_t)values[RUV_FD_PITCH_FAMILY];
    if (out)
        *out = r;
    return 1;
}

extern "C" char *ruvv_font_desc_format(const RUV_FONT_NATIVE_DESC *d, char *out, size_t size)
{
    if (!out || size == 0)
        return out;
    if (!d) {
        out[0] = '\0';
        return out;
    }
    snprintf(out, size, "%s/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%.*s", RUV_FONT_DESC_PLATFORM, (int)d->height,
             (int)d->width, (int)d->escapement, (int)d->orientation, (int)d->weight, d->italic, d->underline,
             d->strikeout, d->charset, d->out_precision, d->clip_precision, d->quality, d->pitch_family,
             (int)strnlen(d->face, RUV_FONT_DESC_FACE_SIZE - 1), d->face);
    return out;
}
