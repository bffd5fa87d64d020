// Conformance rows of the font and font-map functions (tfont).
#include "conformance.h"
#include "ruvv_font.h"

#include <cstring>
#include <memory>

using namespace ruvf_test;

namespace {

// A font of the row, destroyed with it.
struct Font {
    RUV_FONT *f = ruv_font_create();
    ~Font() { ruv_font_destroy(f); }
    operator RUV_FONT *() const { return f; }
};

// A font mapped for the context's document window.
struct MappedFont : Font {
    explicit MappedFont(Ctx &c) { ruv_font_map(f, c.get(Obj::Doc)); }
};

// The request-object hook of a bad call runs before the call: it makes the
// document window there, so the call itself makes no window.
void *make_doc(Ctx &c)
{
    c.get(Obj::Doc);
    return nullptr;
}

// A record that is no font (its tag is wrong).
RUV_FONT *not_a_font()
{
    static RUV_FONT record{};
    return &record;
}

// The invalid-font and unmapped-font probes of a member that takes one font.
Row &font_probes(Row &row, std::function<intptr_t(RUV_FONT *)> call, bool needs_mapped)
{
    row.bad("invalid font", 0x01220003, [call](Ctx &) { return call(not_a_font()); })
        .bad("NULL font", 0x01220003, [call](Ctx &) { return call(nullptr); });
    if (needs_mapped)
        row.bad("unmapped font", 0x00640000, [call](Ctx &) { Font f; return call(f); });
    return row;
}

Row font_row(const char *name, std::function<intptr_t(RUV_FONT *)> call, bool needs_mapped = false)
{
    Row row{ name, "tfont" };
    font_probes(row, call, needs_mapped);
    if (needs_mapped)
        row.valid([call](Ctx &c) { MappedFont f(c); return call(f); });
    else
        row.valid([call](Ctx &) { Font f; return call(f); });
    return row;
}

// A text getter: NULL buffer, invalid font, no room, too little room.
Row text_row(const char *name, RUV_BOOL (*get)(RUV_FONT *, char *, int32_t), bool needs_mapped)
{
    Row row{ name, "tfont" };
    row.bad("NULL buffer", 0x00210000, [get](Ctx &) { Font f; return R(get(f, nullptr, 10)); })
        .bad("invalid font", 0x01220003, [get](Ctx &) { char b[16]; return R(get(not_a_font(), b, 16)); });
    if (needs_mapped)
        row.bad("unmapped font", 0x00640000, [get](Ctx &) { Font f; char b[16]; return R(get(f, b, 16)); });
    auto font = [needs_mapped](Ctx &c) -> std::unique_ptr<Font> {
        return needs_mapped ? std::unique_ptr<Font>(new MappedFont(c)) : std::unique_ptr<Font>(new Font);
    };
    row.bad("size 0", 0x01260003, [get, font](Ctx &c) { auto f = font(c); char b[1] = { 'x' }; return R(get(*f, b, 0)); }, make_doc)
        .bad("one byte", 0x01260003, [get, font](Ctx &c) { auto f = font(c); char b[1]; return R(get(*f, b, 1)); }, make_doc)
        .valid([get, font](Ctx &c) { auto f = font(c); char b[256]; return R(get(*f, b, sizeof b)); });
    return row;
}

RUV_BOOL family(RUV_FONT *f, char *b, int32_t n) { return ruv_font_get_family(f, b, n); }
RUV_BOOL family_mapped(RUV_FONT *f, char *b, int32_t n) { return ruv_font_get_family_mapped(f, b, n); }
RUV_BOOL native_desc(RUV_FONT *f, char *b, int32_t n)
{
    if (ruv_font_is_valid(f))
        ruv_font_set_native_desc(f, "NT_01/-16/0/0/0/400/0/0/0/0/0/0/0/0/Courier New");
    return ruv_font_get_native_desc(f, b, n);
}

// Frees the names a family list filled.
intptr_t families(RUV_WIN w)
{
    char *names[8] = {};
    const int32_t n = ruv_fmap_get_families(w, names, 8);
    for (char *name : names)
        ruv_mem_free(name);
    return n;
}

} // namespace

static Rows rows{
    Row{ "ruv_font_create", "tfont" }
        .valid([](Ctx &) { RUV_FONT *f = ruv_font_create(); ruv_font_destroy(f); return R(f); }),
    Row{ "ruv_font_copy", "tfont" }
        .bad("invalid destination", 0x01220003, [](Ctx &) { Font s; ruv_font_copy(not_a_font(), s, -1); return 0; })
        .bad("invalid source", 0x01220003, [](Ctx &) { Font d; ruv_font_copy(d, not_a_font(), -1); return 0; })
        .valid([](Ctx &) { Font d, s; ruv_font_set_size(s, 20); ruv_font_copy(d, s, 2); return R(ruv_font_get_size(d)); })
        .read_back([](Ctx &) { Font d, s; ruv_font_set_size(s, 20); ruv_font_copy(d, s, 2); return ruv_font_get_size(d) == 20; }),
    Row{ "ruv_font_destroy", "tfont" }
        .bad("invalid font", 0x01220003, [](Ctx &) { ruv_font_destroy(not_a_font()); return 0; })
        .valid([](Ctx &) { ruv_font_destroy(nullptr); ruv_font_destroy(ruv_font_create()); return 0; }),
    Row{ "ruv_font_is_valid", "tfont" }
        .valid([](Ctx &) { Font f; return R(ruv_font_is_valid(f)); })
        .read_back([](Ctx &) { Font f; return ruv_font_is_valid(f) && !ruv_font_is_valid(not_a_font()); }),
    font_row("ruv_font_get_app_data", [](RUV_FONT *f) { return R(ruv_font_get_app_data(f)); }),
    font_row("ruv_font_set_app_data", [](RUV_FONT *f) { ruv_font_set_app_data(f, f); return 0; }),
    text_row("ruv_font_get_family", family, false)
        .read_back([](Ctx &) {
            Font f;
            char six[6] = "abcde", seven[7];
            return !ruv_font_get_family(f, six, 6) && six[0] == '\0' && ruv_font_get_family(f, seven, 7) &&
                   std::strcmp(seven, "system") == 0;
        }),
    text_row("ruv_font_get_family_mapped", family_mapped, true),
    text_row("ruv_font_get_native_desc", native_desc, false)
        .read_back([](Ctx &) {
            Font f;
            char b[8] = "x";
            return ruv_font_get_native_desc(f, b, sizeof b) && b[0] == '\0';
        }),
    font_row("ruv_font_set_family", [](RUV_FONT *f) { ruv_font_set_family(f, "times"); return 0; })
        .bad("NULL family", 0x00210000, [](Ctx &) { Font f; ruv_font_set_family(f, nullptr); return 0; }),
    font_row("ruv_font_set_native_desc", [](RUV_FONT *f) { ruv_font_set_native_desc(f, ""); return 0; })
        .bad("NULL descriptor", 0x00210000, [](Ctx &) { Font f; ruv_font_set_native_desc(f, nullptr); return 0; }),
    font_row("ruv_font_get_size", [](RUV_FONT *f) { return R(ruv_font_get_size(f)); }),
    font_row("ruv_font_set_size", [](RUV_FONT *f) { ruv_font_set_size(f, 14); return 0; })
        .bad("size 0", 0x01250004, [](Ctx &) { Font f; ruv_font_set_size(f, 0); return 0; })
        .read_back([](Ctx &) { Font f; ruv_font_set_size(f, 14); return ruv_font_get_size(f) == 14; }),
    font_row("ruv_font_get_style", [](RUV_FONT *f) { return R(ruv_font_get_style(f)); }),
    font_row("ruv_font_set_style", [](RUV_FONT *f) { ruv_font_set_style(f, 1); return 0; }),
    font_row("ruv_font_get_size_mapped", [](RUV_FONT *f) { return R(ruv_font_get_size_mapped(f)); }, true),
    font_row("ruv_font_get_style_mapped", [](RUV_FONT *f) { return R(ruv_font_get_style_mapped(f)); }, true),
    font_row("ruv_font_is_print", [](RUV_FONT *f) { return R(ruv_font_is_print(f)); }, true),
    font_row("ruv_font_is_scalable", [](RUV_FONT *f) { return R(ruv_font_is_scalable(f)); }, true),
    font_row("ruv_font_is_mapped", [](RUV_FONT *f) { return R(ruv_font_is_mapped(f)); }),
    font_row("ruv_font_get_win", [](RUV_FONT *f) { return R(ruv_font_get_win(f)); }),
    Row{ "ruv_font_get_metrics", "tfont" }
        .bad("invalid font", 0x01220003, [](Ctx &) { int32_t a; ruv_font_get_metrics(not_a_font(), nullptr, &a, nullptr); return 0; })
        .bad("font without window", 0x01210002, [](Ctx &) { Font f; int32_t a; ruv_font_get_metrics(f, nullptr, &a, nullptr); return 0; })
        .valid([](Ctx &c) { MappedFont f(c); int32_t l = 0, a = 0, d = 0; ruv_font_get_metrics(f, &l, &a, &d); return R(a); })
        .read_back([](Ctx &c) { MappedFont f(c); int32_t l = -1, a = 0, d = 0; ruv_font_get_metrics(f, &l, &a, &d); return a > 0 && d >= 0 && l >= 0; }),
    Row{ "ruv_font_map", "tfont" }
        .window([](Ctx &, RUV_WIN w) { Font f; ruv_font_map(f, w); return 0; })
        .bad("invalid font", 0x01220003, [](Ctx &c) { ruv_font_map(not_a_font(), c.get(Obj::Doc)); return 0; }, make_doc)
        .refused_type(Obj::List)
        .valid([](Ctx &c) { Font f; ruv_font_map(f, c.get(Obj::Doc)); return R(ruv_font_is_mapped(f)); })
        .read_back([](Ctx &c) { MappedFont f(c); return ruv_font_is_mapped(f) && ruv_font_get_win(f) == c.get(Obj::Doc); }),
    Row{ "ruv_font_map_using_default", "tfont" }
        .bad("invalid font", 0x01220003, [](Ctx &) { ruv_font_map_using_default(not_a_font()); return 0; })
        .bad("font without window", 0x01210002, [](Ctx &) { Font f; ruv_font_map_using_default(f); return 0; })
        .valid([](Ctx &c) { MappedFont f(c); ruv_font_map_using_default(f); return R(ruv_font_is_mapped(f)); })
        .read_back([](Ctx &c) { MappedFont f(c); ruv_font_map_using_default(f); return ruv_font_is_mapped(f) != 0; }),
    font_row("ruv_font_unmap", [](RUV_FONT *f) { ruv_font_unmap(f); return 0; })
        .read_back([](Ctx &c) { MappedFont f(c); ruv_font_unmap(f); return !ruv_font_is_mapped(f) && ruv_font_get_win(f) == NULL_WIN; }),
    Row{ "ruv_font_has_valid_native_desc", "tfont" }
        .bad("invalid font", 0x01220003, [](Ctx &) { return R(ruv_font_has_valid_native_desc(not_a_font())); })
        .bad("font without window", 0x01220002, [](Ctx &) { Font f; return R(ruv_font_has_valid_native_desc(f)); })
        .valid([](Ctx &c) { MappedFont f(c); return R(ruv_font_has_valid_native_desc(f)); }),
    font_row("ruv_font_serialize", [](RUV_FONT *f) { return R(ruv_font_serialize(f, nullptr, 0)); })
        .bad("no room", 0x01260003, [](Ctx &) { Font f; char b[1] = { 'x' }; return R(ruv_font_serialize(f, b, 0)); })
        .read_back([](Ctx &) {
            Font f, g;
            char b[128];
            ruv_font_set_size(f, 17);
            return ruv_font_serialize(f, b, sizeof b) > 0 && ruv_font_deserialize(g, b) && ruv_font_get_size(g) == 17;
        }),
    font_row("ruv_font_deserialize", [](RUV_FONT *f) { return R(ruv_font_deserialize(f, "01\\system\\0\\12\\")); })
        .bad("NULL text", 0x00210000, [](Ctx &) { Font f; return R(ruv_font_deserialize(f, nullptr)); }),
    Row{ "ruv_fmap_get_families", "tfont" }
        .bad("NULL array", 0x00210000, [](Ctx &c) { return R(ruv_fmap_get_families(c.get(Obj::Doc), nullptr, 4)); }, make_doc)
        .bad("capacity 0", 0x01250004, [](Ctx &c) { char *n[1]; return R(ruv_fmap_get_families(c.get(Obj::Doc), n, 0)); }, make_doc)
        .valid([](Ctx &c) { return families(c.get(Obj::Doc)); })
        .read_back([](Ctx &c) { return families(c.get(Obj::Doc)) == 8 && families(NULL_WIN) == 8; }),
    Row{ "ruv_fmap_get_family_styles", "tfont" }
        .bad("NULL family", 0x00210000, [](Ctx &c) { uint32_t s[4]; return R(ruv_fmap_get_family_styles(c.get(Obj::Doc), nullptr, s, 4)); }, make_doc)
        .bad("NULL array", 0x00210000, [](Ctx &c) { return R(ruv_fmap_get_family_styles(c.get(Obj::Doc), "Arial", nullptr, 4)); }, make_doc)
        .bad("capacity 0", 0x01250004, [](Ctx &c) { uint32_t s[1]; return R(ruv_fmap_get_family_styles(c.get(Obj::Doc), "Arial", s, 0)); }, make_doc)
        .valid([](Ctx &c) { uint32_t s[8]; return R(ruv_fmap_get_family_styles(c.get(Obj::Doc), "system", s, 8)); }),
    Row{ "ruv_fmap_get_familysize_styles", "tfont" }
        .bad("NULL family", 0x00210000, [](Ctx &c) { uint32_t s[4]; return R(ruv_fmap_get_familysize_styles(c.get(Obj::Doc), nullptr, 12, s, 4)); }, make_doc)
        .bad("NULL array", 0x00210000, [](Ctx &c) { return R(ruv_fmap_get_familysize_styles(c.get(Obj::Doc), "Arial", 12, nullptr, 4)); }, make_doc)
        .bad("capacity 0", 0x01250004, [](Ctx &c) { uint32_t s[1]; return R(ruv_fmap_get_familysize_styles(c.get(Obj::Doc), "Arial", 12, s, -1)); }, make_doc)
        .valid([](Ctx &c) { uint32_t s[8]; return R(ruv_fmap_get_familysize_styles(c.get(Obj::Doc), "system", 12, s, 8)); }),
    Row{ "ruv_fmap_get_family_sizes", "tfont" }
        .bad("NULL scalable", 0x00210000, [](Ctx &c) { int32_t s[4]; return R(ruv_fmap_get_family_sizes(c.get(Obj::Doc), nullptr, s, nullptr, 4)); }, make_doc)
        .bad("NULL family", 0x00210000, [](Ctx &c) { int32_t s[4]; RUV_BOOL sc; return R(ruv_fmap_get_family_sizes(c.get(Obj::Doc), nullptr, s, &sc, 4)); }, make_doc)
        .bad("NULL array", 0x00210000, [](Ctx &c) { RUV_BOOL sc; return R(ruv_fmap_get_family_sizes(c.get(Obj::Doc), "Arial", nullptr, &sc, 4)); }, make_doc)
        .bad("capacity 0", 0x01250004, [](Ctx &c) { int32_t s[1]; RUV_BOOL sc; return R(ruv_fmap_get_family_sizes(c.get(Obj::Doc), "Arial", s, &sc, 0)); }, make_doc)
        .valid([](Ctx &c) { int32_t s[8]; RUV_BOOL sc; return R(ruv_fmap_get_family_sizes(c.get(Obj::Doc), "system", s, &sc, 8)); }),
    Row{ "ruv_fmap_get_familystyle_sizes", "tfont" }
        .bad("NULL scalable", 0x00210000, [](Ctx &c) { int32_t s[4]; return R(ruv_fmap_get_familystyle_sizes(c.get(Obj::Doc), nullptr, 0, s, nullptr, 4)); }, make_doc)
        .bad("NULL family", 0x00210000, [](Ctx &c) { int32_t s[4]; RUV_BOOL sc; return R(ruv_fmap_get_familystyle_sizes(c.get(Obj::Doc), nullptr, 0, s, &sc, 4)); }, make_doc)
        .bad("NULL array", 0x00210000, [](Ctx &c) { RUV_BOOL sc; return R(ruv_fmap_get_familystyle_sizes(c.get(Obj::Doc), "Arial", 0, nullptr, &sc, 4)); }, make_doc)
        .bad("capacity 0", 0x01250004, [](Ctx &c) { int32_t s[1]; RUV_BOOL sc; return R(ruv_fmap_get_familystyle_sizes(c.get(Obj::Doc), "Arial", 0, s, &sc, 0)); }, make_doc)
        .valid([](Ctx &c) { int32_t s[8]; RUV_BOOL sc; return R(ruv_fmap_get_familystyle_sizes(c.get(Obj::Doc), "system", 0, s, &sc, 8)); }),
};
