// Conformance rows of the view-object functions (tvobj).
#include "conformance.h"
#include "ruvv_palet.h"

using namespace ruvf_test;

namespace {

char *format_title(RUV_WIN, char *title, int32_t *, int32_t *, intptr_t)
{
    return title;
}

RUV_RECT rect_of(int16_t top, int16_t left, int16_t bottom, int16_t right)
{
    return RUV_RECT{ top, left, bottom, right };
}

} // namespace

static Rows rows{
    Row{ "ruv_vobj_destroy", "tvobj" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_destroy(w); return 0; })
        .valid([](Ctx &c) { ruv_vobj_destroy(c.get(Obj::Button)); return 0; })
        .read_back([](Ctx &c) { return GetDlgItem(c.hwnd(Obj::Doc), 101) == nullptr; }),
    Row{ "ruv_vobj_get_attr", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_get_attr(w, 300)); })
        .refused_type(Obj::TextEdit)
        .window_ids(0, 0x01220002)
        .valid([](Ctx &c) { return R(ruv_vobj_get_attr(NULL_WIN, 301)); })
        .read_back([](Ctx &c) { return ruv_vobj_get_attr(NULL_WIN, 301) == R(c.get(Obj::Task)); }),
    Row{ "ruv_vobj_set_attr", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_set_attr(w, 706, ruv_vobj_get_attr(NULL_WIN, 706)); return 0; })
        .refused_type(Obj::TextEdit)
        .window_ids(0, 0x01220002)
        .valid([](Ctx &) { ruv_vobj_set_attr(NULL_WIN, 706, ruv_vobj_get_attr(NULL_WIN, 706)); return 0; }),
    Row{ "ruv_vobj_get_client_rect", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { RUV_RECT r; return R(ruv_vobj_get_client_rect(w, &r)); })
        .bad("NULL rectangle", 0x00210000, [](Ctx &c) { return R(ruv_vobj_get_client_rect(c.get(Obj::Doc), nullptr)); })
        .valid([](Ctx &c) { RUV_RECT r; return R(ruv_vobj_get_client_rect(c.get(Obj::Doc), &r)); }),
    Row{ "ruv_vobj_get_outer_rect", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { RUV_RECT r; return R(ruv_vobj_get_outer_rect(w, &r)); })
        .bad("NULL rectangle", 0x00210000, [](Ctx &c) { return R(ruv_vobj_get_outer_rect(c.get(Obj::Doc), nullptr)); })
        .valid([](Ctx &c) { RUV_RECT r; return R(ruv_vobj_get_outer_rect(c.get(Obj::Doc), &r)); }),
    Row{ "ruv_vobj_get_data", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_get_data(w)); })
        .valid([](Ctx &c) { return R(ruv_vobj_get_data(c.get(Obj::Doc))); }),
    Row{ "ruv_vobj_set_data", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_set_data(w, nullptr); return 0; })
        .valid([](Ctx &c) { ruv_vobj_set_data(c.get(Obj::Doc), &c); return 0; })
        .read_back([](Ctx &c) { return ruv_vobj_get_data(c.get(Obj::Doc)) == &c; }),
    Row{ "ruv_vobj_get_flags", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_get_flags(w)); })
        .refused_type(Obj::TextEdit)
        .valid([](Ctx &c) { return R(ruv_vobj_get_flags(c.get(Obj::Doc))); }),
    Row{ "ruv_vobj_get_formatter", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_get_formatter(w)); })
        .refused_type(Obj::TextEdit)
        .valid([](Ctx &c) { return R(ruv_vobj_get_formatter(c.get(Obj::Doc))); }),
    Row{ "ruv_vobj_get_formatter_data", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_get_formatter_data(w)); })
        .refused_type(Obj::TextEdit)
        .valid([](Ctx &c) { return R(ruv_vobj_get_formatter_data(c.get(Obj::Doc))); }),
    Row{ "ruv_vobj_set_formatter", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_set_formatter(w, format_title, 0); return 0; })
        .refused_type(Obj::TextEdit)
        .valid([](Ctx &c) { ruv_vobj_set_formatter(c.get(Obj::Edit), format_title, 7); return 0; })
        .read_back([](Ctx &c) {
            return ruv_vobj_get_formatter(c.get(Obj::Edit)) == format_title &&
                   ruv_vobj_get_formatter_data(c.get(Obj::Edit)) == 7;
        }),
    Row{ "ruv_vobj_set_formatter_data", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_set_formatter_data(w, 1); return 0; })
        .refused_type(Obj::TextEdit)
        .valid([](Ctx &c) { ruv_vobj_set_formatter_data(c.get(Obj::Edit), 9); return 0; })
        .read_back([](Ctx &c) { return ruv_vobj_get_formatter_data(c.get(Obj::Edit)) == 9; }),
    Row{ "ruv_vobj_get_palet", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_get_palet(w)); })
        .refused_type(Obj::TextEdit)
        .valid([](Ctx &c) { return R(ruv_vobj_get_palet(c.get(Obj::Doc))); }),
    Row{ "ruv_vobj_set_palet", "tvobj" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_set_palet(w, ruvv_palet_default()); return 0; })
        .refused_type(Obj::Button, 0x01220002)
        .bad("NULL palette", 0x01210004, [](Ctx &c) { ruv_vobj_set_palet(c.get(Obj::Doc), nullptr); return 0; })
        .bad("foreign palette", 0x01220004,
             [](Ctx &c) {
                 static RUV_PALETTE fake{};
                 ruv_vobj_set_palet(c.get(Obj::Doc), &fake);
                 return 0;
             })
        .valid([](Ctx &c) { ruv_vobj_set_palet(c.get(Obj::Doc), ruvv_palet_default()); return 0; }),
    Row{ "ruv_vobj_get_parent", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_get_parent(w)); })
        .valid([](Ctx &c) { return R(ruv_vobj_get_parent(c.get(Obj::Child))); })
        .read_back([](Ctx &c) { return ruv_vobj_get_parent(c.get(Obj::Child)) == c.get(Obj::Doc); }),
    Row{ "ruv_vobj_get_title", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { char b[32]; return R(ruv_vobj_get_title(w, b, sizeof b)); })
        .refused_type(Obj::TextEdit)
        .bad("NULL buffer", 0x00210000, [](Ctx &c) { return R(ruv_vobj_get_title(c.get(Obj::Doc), nullptr, 10)); })
        .bad("size 0", 0x01250004,
             [](Ctx &c) { char b[4] = "abc"; return R(ruv_vobj_get_title(c.get(Obj::Doc), b, 0)); })
        .valid([](Ctx &c) { static char b[32]; return R(ruv_vobj_get_title(c.get(Obj::Doc), b, sizeof b)); }),
    Row{ "ruv_vobj_set_title", "tvobj" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_set_title(w, "x"); return 0; })
        .refused_type(Obj::TextEdit)
        .bad("NULL text", 0x00210000, [](Ctx &c) { ruv_vobj_set_title(c.get(Obj::Doc), nullptr); return 0; })
        .valid([](Ctx &c) { ruv_vobj_set_title(c.get(Obj::Doc), "Titled"); return 0; })
        .read_back([](Ctx &c) { return c.title(Obj::Doc) == "Titled"; }),
    Row{ "ruv_vobj_get_type", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_get_type(w)); })
        .valid([](Ctx &c) { return R(ruv_vobj_get_type(c.get(Obj::Button))); })
        .read_back([](Ctx &c) {
            return ruv_vobj_get_type(c.get(Obj::Button)) == 12 && ruv_vobj_get_type(c.get(Obj::TextEdit)) == 23;
        }),
    Row{ "ruv_vobj_is_focusable", "tvobj" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_vobj_is_focusable(w)); })
        .valid([](Ctx &c) { return R(ruv_vobj_is_focusable(c.get(Obj::Button))); }),
    Row{ "ruv_vobj_is_valid", "tvobj" }
        .bad("NULL window", 0x01210002, [](Ctx &) { return R(ruv_vobj_is_valid(NULL_WIN)); })
        .valid([](Ctx &c) { return R(ruv_vobj_is_valid(c.destroyed())); })
        .read_back([](Ctx &c) { return ruv_vobj_is_valid(c.foreign()) == 0 && ruv_vobj_is_valid(c.get(Obj::Doc)) != 0; }),
    Row{ "ruv_vobj_move", "tvobj" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { RUV_RECT r = rect_of(0, 0, 50, 50); ruv_vobj_move(w, &r); return 0; })
        .bad("NULL rectangle", 0x00210000, [](Ctx &c) { ruv_vobj_move(c.get(Obj::Button), nullptr); return 0; })
        .bad("reversed rectangle", 0x01240003,
             [](Ctx &c) { RUV_RECT r = rect_of(40, 90, 10, 10); ruv_vobj_move(c.get(Obj::Button), &r); return 0; },
             nullptr, RUV_SEV_WARNING)
        .valid([](Ctx &c) { RUV_RECT r = rect_of(5, 6, 35, 96); ruv_vobj_move(c.get(Obj::Button), &r); return 0; })
        .read_back([](Ctx &c) {
            RECT r;
            GetWindowRect(c.hwnd(Obj::Button), &r);
            return r.right - r.left == 90 && r.bottom - r.top == 30;
        }),
    Row{ "ruv_vobj_raise", "tvobj" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_raise(w); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_vobj_raise(c.get(Obj::Doc)); return 0; }),
    Row{ "ruv_vobj_set_enabled", "tvobj" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_set_enabled(w, FALSE); return 0; })
        .valid([](Ctx &c) { ruv_vobj_set_enabled(c.get(Obj::Button), FALSE); return 0; })
        .read_back([](Ctx &c) { return !IsWindowEnabled(c.hwnd(Obj::Button)); }),
    Row{ "ruv_vobj_set_visible", "tvobj" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_vobj_set_visible(w, FALSE); return 0; })
        .valid([](Ctx &c) { ruv_vobj_set_visible(c.get(Obj::Button), FALSE); return 0; })
        .read_back([](Ctx &c) { return !IsWindowVisible(c.hwnd(Obj::Button)); }),
    Row{ "ruv_vobj_translate_points", "tvobj" }
        .window([](Ctx &c, RUV_WIN w) { RUV_POINT p{ 1, 1 }; ruv_vobj_translate_points(w, c.get(Obj::Doc), &p, 1); return 0; })
        .bad("destination NULL", 0x01210002,
             [](Ctx &c) { RUV_POINT p{ 1, 1 }; ruv_vobj_translate_points(c.get(Obj::Doc), NULL_WIN, &p, 1); return 0; })
        .bad("destination foreign", 0x01220002,
             [](Ctx &c) { RUV_POINT p{ 1, 1 }; ruv_vobj_translate_points(c.get(Obj::Doc), c.foreign(), &p, 1); return 0; })
        .bad("NULL points", 0x00210000,
             [](Ctx &c) { ruv_vobj_translate_points(c.get(Obj::Doc), c.get(Obj::Child), nullptr, 1); return 0; })
        .valid([](Ctx &c) {
            RUV_POINT p{ 0, 0 };
            ruv_vobj_translate_points(c.get(Obj::Child), c.get(Obj::Doc), &p, 1);
            return R(p.h);
        }),
};
