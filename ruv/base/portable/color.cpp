/* Colours: the colour distance and the two nearest-colour searches, the
   colour-name lookup over the named-colour table, and colour-component
   sets. */
#include "color_names.h"

#include "ruvk.h"
#include "ruvv_color.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_str.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

using ruv_color::NAMED_COLORS;
using ruv_color::NAMED_COLOR_COUNT;

namespace {

constexpr int32_t NOT_FOUND_STRING = 31403;
constexpr int32_t BEST_START = 10000;

int32_t absdiff(int32_t a, int32_t b)
{
    return a > b ? a - b : b - a;
}

} // namespace

extern "C" int32_t ruvv_color_distance(RUV_COLOR a, RUV_COLOR b)
{
    int32_t dr = absdiff(RUV_COLOR_R(a), RUV_COLOR_R(b));
    int32_t dg = absdiff(RUV_COLOR_G(a), RUV_COLOR_G(b));
    int32_t db = absdiff(RUV_COLOR_B(a), RUV_COLOR_B(b));
    int32_t d = dr > dg ? dr : dg;
    return d > db ? d : db;
}

extern "C" int32_t ruvv_color_nearest_a(const RUV_COLOR *colors, int32_t count, RUV_COLOR color)
{
    int32_t best = BEST_START, index = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (colors[i] & RUV_COLOR_UNSET)
            continue;
        int32_t dr = absdiff(RUV_COLOR_R(colors[i]), RUV_COLOR_R(color));
        int32_t dg = absdiff(RUV_COLOR_G(colors[i]), RUV_COLOR_G(color));
        int32_t db = absdiff(RUV_COLOR_B(colors[i]), RUV_COLOR_B(color));
        if (dr <= best && dg <= best && db <= best) {
            int32_t d = dr > dg ? dr : dg;
            best = d > db ? d : db;
            index = i;
        }
    }
    return index;
}

extern "C" int32_t ruvv_color_nearest_b(const RUV_COLOR *colors, int32_t count, RUV_COLOR color)
{
    int32_t best = BEST_START, index = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (colors[i] & RUV_COLOR_UNSET)
            continue;
        int32_t d = ruvv_color_distance(colors[i], color);
        if (d < best) {
            best = d;
            index = i;
        }
    }
    return index;
}

extern "C" RUV_BOOL ruvv_color_lookup_name(const char *name, uint16_t *red, uint16_t *green, uint16_t *blue)
{
    std::string key;
    for (const char *p = name ? name : ""; *p; ++p)
        if (!isspace(static_cast<unsigned char>(*p)))
            key += *p;
    if (!key.empty())
        ruvk_str_convert_to_lower(&key[0], &key[0], (int32_t)key.size());

    uint16_t r = 255, g = 255, b = 255;
    RUV_BOOL ok = TRUE;
    if (key.empty()) {
        RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01530005);
    } else if (key.size() > 4 && (key.compare(0, 4, "gray") == 0 || key.compare(0, 4, "grey") == 0) &&
               isdigit(static_cast<unsigned char>(key[4]))) {
        int32_t n = ruvv_str_parse_long(key.c_str() + 4, nullptr, 0);
        /* A level above 100 percent is white, not a component above 255. */
        if (n > 100)
            n = 100;
        if (n < 0)
            n = 0;
        r = g = b = (uint16_t)(n * 255 / 100);
    } else {
        int lo = 0, hi = NAMED_COLOR_COUNT - 1;
        const ruv_color::NamedColor *hit = nullptr;
        while (lo <= hi) {
            int mid = (lo + hi) / 2;
            int c = strcmp(key.c_str(), NAMED_COLORS[mid].name);
            if (c == 0) {
                hit = &NAMED_COLORS[mid];
                break;
            }
            if (c < 0)
                hi = mid - 1;
            else
                lo = mid + 1;
        }
        if (hit) {
            r = hit->red;
            g = hit->green;
            b = hit->blue;
        } else {
            /* The message text is a string resource: the name goes in
               literally in place of its first "%s". */
            char format[256];
            ruvv_str_getstr(NOT_FOUND_STRING, format, sizeof format, "Named color '%s' not found.\n");
            std::string text = format;
            size_t at = text.find("%s");
            if (at != std::string::npos)
                text.replace(at, 2, name);
            ruvv_debug_print("%s", text.c_str());
            return FALSE;
        }
    }
    if (red)
        *red = r;
    if (green)
        *green = g;
    if (blue)
        *blue = b;
    return ok;
}

extern "C" int32_t ruvv_color_name_count(void)
{
    return NAMED_COLOR_COUNT;
}

extern "C" const char *ruvv_color_name_entry(int32_t index, RUV_COLOR *color)
{
    if (index < 0 || index >= NAMED_COLOR_COUNT)
        return nullptr;
    const ruv_color::NamedColor &c = NAMED_COLORS[index];
    if (color)
        *color = (RUV_COLOR)c.red << 16 | (RUV_COLOR)c.green << 8 | c.blue;
    return c.name;
}

/* ---- Colour-component sets ------------------------------------------- */

namespace {

void empty_set(RUV_COLOR_SET *set)
{
    ruvv_mem_free(set->items);
    set->items = nullptr;
    set->count = 0;
    set->capacity = 0;
    set->present = 0;
}

} // namespace

extern "C" uint32_t ruvv_color_modify_set(RUV_COLOR_SET *set, const RUV_COLOR_COMPONENT *components, RUV_BOOL remove)
{
    if (!set)
        return 0;
    uint32_t old = set->present;
    if (!components) {
        empty_set(set);
        return old;
    }
    uint32_t changed = 0;
    for (const RUV_COLOR_COMPONENT *c = components; c->type; ++c) {
        uint32_t type = (uint32_t)c->type;
        if (!(type & set->allowed))
            continue;
        int32_t at = -1;
        for (int32_t i = 0; i < set->count; ++i)
            if (set->items[i].type == c->type) {
                at = i;
                break;
            }
        if (at >= 0 && remove) {
            set->items[at] = set->items[set->count - 1];
            --set->count;
            set->items[set->count].type = 0;
            set->items[set->count].color = 0;
            set->present &= ~type;
            changed |= type;
        } else if (at >= 0) {
            if (set->items[at].color != c->color) {
                set->items[at].color = c->color;
                changed |= type;
            }
        } else if (!remove) {
            if (set->count + 1 >= set->capacity) {
                int32_t cap = set->capacity ? set->capacity * 2 : 2;
                if (cap > 32767) {
                    empty_set(set);
                    return old;
                }
                RUV_COLOR_COMPONENT *grown = static_cast<RUV_COLOR_COMPONENT *>(
                    ruvv_mem_realloc(set->items, sizeof(RUV_COLOR_COMPONENT) * (size_t)cap));
                if (!grown) {
                    empty_set(set);
                    return old;
                }
                set->items = grown;
                set->capacity = (int16_t)cap;
            }
            set->items[set->count].type = c->type;
            set->items[set->count].color = c->color;
            ++set->count;
            set->items[set->count].type = 0;
            set->items[set->count].color = 0;
            set->present |= type;
            changed |= type;
        }
    }
    return changed;
}
