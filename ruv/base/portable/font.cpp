/* Logical fonts: the RUV_FONT record, its accessors and setters (a change
   unmaps the font and drops its native descriptor), copying between fonts,
   and the one-line text form "01\family\style\size\descriptor". */
#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_str.h"
#include "ruvv_vobj.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

/* Drops the descriptor (given or derived) after a change of the font. */
void changed(RUV_FONT *font)
{
    font->mapped = 0;
    font->parsed = 0;
    font->native_desc = 0;
    font->derived = 0;
    ruvk_font_invalidate(font, nullptr);
}

} // namespace

extern "C" RUV_FONT *ruvv_font_create(void)
{
    RUV_FONT *font = static_cast<RUV_FONT *>(ruvv_mem_zalloc(sizeof(RUV_FONT)));
    if (!font)
        return nullptr;
    font->native = ruvk_font_alloc_native();
    if (!font->native) {
        ruvv_mem_free(font);
        return nullptr;
    }
    font->tag = RUV_FONT_TAG;
    font->size = 12;
    font->family = ruvv_idmap_intern("system");
    return font;
}

extern "C" void ruvv_font_destroy(RUV_FONT *font)
{
    if (!font || font->tag != RUV_FONT_TAG)
        return;
    ruvk_font_free_native(font->native);
    font->native = nullptr;
    font->tag = RUV_FONT_TAG_DEAD;
    ruvv_mem_free(font);
}

extern "C" RUV_BOOL ruvv_font_is_valid(const RUV_FONT *font)
{
    return font && font->tag == RUV_FONT_TAG;
}

extern "C" const char *ruvv_font_get_family(const RUV_FONT *font)
{
    return font && font->family ? ruvv_idmap_name(font->family) : nullptr;
}

extern "C" int32_t ruvv_font_get_size(const RUV_FONT *font)
{
    return font ? font->size : 0;
}

extern "C" uint32_t ruvv_font_get_style(const RUV_FONT *font)
{
    return font ? font->style : 0;
}

extern "C" RUV_WIN ruvv_font_get_win(const RUV_FONT *font)
{
    return font ? font->win : NULL_WIN;
}

extern "C" void *ruvv_font_get_app_data(const RUV_FONT *font)
{
    return font ? font->app_data : nullptr;
}

extern "C" RUV_BOOL ruvv_font_is_mapped(const RUV_FONT *font)
{
    return font && font->mapped;
}

extern "C" RUV_BOOL ruvv_font_is_derived(const RUV_FONT *font)
{
    return font && font->derived;
}

extern "C" char *ruvv_font_get_native_desc(const RUV_FONT *font, RUV_BOOL copy)
{
    if (!font || !font->native_desc)
        return nullptr;
    const char *text = ruvv_idmap_name(font->native_desc);
    if (!text || !copy)
        return const_cast<char *>(text);
    size_t n = strlen(text);
    char *dup = static_cast<char *>(ruvv_mem_alloc(n + 1));
    if (dup)
        memcpy(dup, text, n + 1);
    else
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
    return dup;
}

extern "C" void ruvv_font_set_family(RUV_FONT *font, const char *name)
{
    if (!font)
        return;
    int16_t id = name ? ruvv_idmap_intern(name) : 0;
    if (id == font->family)
        return;
    changed(font);
    font->family = id;
}

extern "C" void ruvv_font_set_size(RUV_FONT *font, int32_t size)
{
    if (!font || size == font->size)
        return;
    changed(font);
    font->size = size;
}

extern "C" void ruvv_font_set_style(RUV_FONT *font, uint32_t style)
{
    if (!font || style == font->style)
        return;
    changed(font);
    font->style = style;
}

extern "C" void ruvv_font_set_app_data(RUV_FONT *font, void *data)
{
    if (!font || data == font->app_data)
        return;
    changed(font);
    font->app_data = data;
}

extern "C" void ruvv_font_set_native_desc(RUV_FONT *font, const char *text)
{
    if (!font)
        return;
    int16_t id = text && *text ? ruvv_idmap_intern(text) : 0;
    if (id == font->native_desc)
        return;
    font->mapped = 0;
    font->parsed = 0;
    font->native_desc = id;
    font->derived = 0;
    ruvk_font_invalidate(font, id ? text : nullptr);
}

extern "C" void ruvv_font_unmap(RUV_FONT *font)
{
    if (!font)
        return;
    font->mapped = 0;
    font->parsed = 0;
    if (font->derived) {
        font->native_desc = 0;
        font->derived = 0;
        ruvk_font_invalidate(font, nullptr);
    }
}

extern "C" void ruvv_font_set_win(RUV_FONT *font, RUV_WIN win)
{
    if (!font || win == font->win)
        return;
    if (font->win && ruvk_font_needs_remap(font, win))
        ruvv_font_unmap(font);
    font->win = win;
    if (!win) {
        font->print = 0;
        return;
    }
    if (win->kind & RUV_KIND_TEXT_EDIT) {
        font->print = 0;
        return;
    }
    int32_t type = win->type;
    if (type == 8) {
        RUV_WIN parent = win->parent;
        if (parent && (parent->kind & RUV_KIND_TEXT_EDIT)) {
            font->print = 0;
            return;
        }
        type = parent ? parent->type : 0;
    }
    font->print = type == 4;
}

extern "C" RUV_BOOL ruvv_font_has_valid_native_desc(RUV_FONT *font)
{
    if (!font)
        return FALSE;
    if (font->parsed)
        return TRUE;
    if (!font->native_desc)
        return FALSE;
    font->parsed = ruvk_font_check_native_desc(font) ? 1 : 0;
    return font->parsed;
}

extern "C" int32_t ruvv_font_copy(RUV_FONT *dst, const RUV_FONT *src, int32_t what)
{
    if (!dst || !src || dst == src || what == 0)
        return 0;
    if (what == -1) {
        void *native = dst->native;
        *dst = *src;
        dst->native = native;
        ruvk_font_copy_native(dst, src, RUVK_FONT_COPY_WHOLE);
        return what & 8;
    }
    dst->mapped = src->mapped;
    if (what & 1)
        dst->family = src->family;
    if (what & 2)
        dst->size = src->size;
    if (what & 4)
        dst->style = src->style;
    if (what & 8) {
        dst->native_desc = src->native_desc;
        dst->parsed = src->parsed;
        dst->derived = 0;
    }
    if (what & 0x10)
        dst->app_data = src->app_data;
    if (what & 0x20) {
        ruvv_font_set_win(dst, src->win);
        dst->print = src->print;
    }
    if ((what & 0x1F) == 0x1F)
        ruvk_font_copy_native(dst, src, RUVK_FONT_COPY_WHOLE);
    else
        ruvv_font_unmap(dst);
    dst->derived = (what & 0xF) == 0xF ? src->derived : 0;
    if (dst->mapped && (what & 8) && !(what & 0x20)) {
        bool keep = src->win && src->win->tag == RUV_VOBJ_TAG && !ruvk_font_needs_remap(dst, src->win);
        if (!keep)
            ruvv_font_unmap(dst);
        return keep ? 1 : 0;
    }
    return what & 8;
}

extern "C" RUV_BOOL ruvv_font_is_equal(const RUV_FONT *a, const RUV_FONT *b)
{
    return a && b && a->size == b->size && a->style == b->style && a->family == b->family &&
           a->app_data == b->app_data && a->native_desc == b->native_desc;
}

extern "C" RUV_BOOL ruvv_font_same_desc(const RUV_FONT *a, const RUV_FONT *b)
{
    return a && b && a->native_desc == b->native_desc;
}

extern "C" int32_t ruvv_font_serialize(const RUV_FONT *font, char *buffer, int32_t size)
{
    if (!font)
        return 0;
    /* "01\family\style\size\descriptor".  The numbers are formatted in
       a small buffer; the names go in whole, so a long family or
       descriptor is never cut (a cut text would read back as another
       font). */
    char numbers[64];
    /* The style as a signed 32-bit value, as "%ld" gives it on Windows: the
       same text in every build, and one that reads back. */
    snprintf(numbers, sizeof numbers, "%ld\\%ld", (long)(int32_t)font->style, (long)font->size);
    const char *family = ruvv_font_get_family(font);
    const char *desc = font->native_desc && !font->derived ? ruvv_idmap_name(font->native_desc) : nullptr;
    std::string text = std::string("01\\") + (family ? family : "") + "\\" + numbers + "\\" + (desc ? desc : "");
    int32_t need = (int32_t)text.size() + 1;
    if (!buffer)
        return need;
    if (size < need) {
        if (size > 0)
            buffer[0] = '\0';
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01260004);
        return 0;
    }
    memcpy(buffer, text.c_str(), (size_t)need);
    return need;
}

extern "C" int32_t ruvv_font_deserialize(RUV_FONT *font, const char *text)
{
    if (!font || !text) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x00240000);
        return 0;
    }
    std::string copy = text;
    size_t cut[4];
    size_t from = 0;
    for (size_t &c : cut) {
        c = copy.find('\\', from);
        if (c == std::string::npos) {
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x00240000);
            return 0;
        }
        from = c + 1;
    }
    std::string family = copy.substr(cut[0] + 1, cut[1] - cut[0] - 1);
    std::string style = copy.substr(cut[1] + 1, cut[2] - cut[1] - 1);
    std::string size = copy.substr(cut[2] + 1, cut[3] - cut[2] - 1);
    std::string desc = copy.substr(cut[3] + 1);
    ruvv_font_set_family(font, family.c_str());
    ruvv_font_set_style(font, (uint32_t)ruvv_str_parse_long(style.c_str(), nullptr, 0));
    ruvv_font_set_size(font, ruvv_str_parse_long(size.c_str(), nullptr, 0));
    ruvv_font_set_native_desc(font, desc.empty() ? nullptr : desc.c_str());
    return 1;
}
