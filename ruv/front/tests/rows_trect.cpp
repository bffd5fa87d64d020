// Conformance rows of the rectangle functions (trect).
#include "conformance.h"

using namespace ruvf_test;

namespace {

// left 10, top 20, right 110, bottom 70.
RUV_RECT sample() { return RUV_RECT{ 20, 10, 70, 110 }; }

bool same(const RUV_RECT &r, int16_t left, int16_t top, int16_t right, int16_t bottom)
{
    return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

} // namespace

static Rows rows{
    Row{ "ruv_rect_get_height", "trect" }
        .failure(-1)
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { return R(ruv_rect_get_height(nullptr)); })
        .valid([](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_get_height(&r)); })
        .read_back([](Ctx &) { RUV_RECT r = sample(); return ruv_rect_get_height(&r) == 50; }),
    Row{ "ruv_rect_get_width", "trect" }
        .failure(-1)
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { return R(ruv_rect_get_width(nullptr)); })
        .valid([](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_get_width(&r)); })
        .read_back([](Ctx &) { RUV_RECT r = sample(); return ruv_rect_get_width(&r) == 100; }),
    Row{ "ruv_rect_get_pos", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { RUV_POINT p{ 5, 5 }; return R(ruv_rect_get_pos(nullptr, &p)); })
        .bad("NULL point", 0x00210000, [](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_get_pos(&r, nullptr)); })
        .valid([](Ctx &) { RUV_RECT r = sample(); RUV_POINT p; return R(ruv_rect_get_pos(&r, &p)); })
        .read_back([](Ctx &) {
            RUV_RECT r = sample();
            RUV_POINT p{ 0, 0 };
            return ruv_rect_get_pos(&r, &p) == &p && p.h == 10 && p.v == 20;
        }),
    Row{ "ruv_rect_has_point", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { return R(ruv_rect_has_point(nullptr, RUV_POINT{ 30, 30 })); })
        .valid([](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_has_point(&r, RUV_POINT{ 30, 30 })); })
        .read_back([](Ctx &) {
            RUV_RECT r = sample();
            return ruv_rect_has_point(&r, RUV_POINT{ 30, 30 }) && !ruv_rect_has_point(&r, RUV_POINT{ 70, 30 });
        }),
    Row{ "ruv_rect_intersect", "trect" }
        .bad("NULL first rectangle", 0x00210000,
             [](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_intersect(nullptr, nullptr, &r)); })
        .bad("NULL second rectangle", 0x00210000,
             [](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_intersect(nullptr, &r, nullptr)); })
        .valid([](Ctx &) { RUV_RECT a = sample(), b = sample(); return R(ruv_rect_intersect(nullptr, &a, &b)); })
        .read_back([](Ctx &) {
            RUV_RECT a = sample(), b{ 60, 100, 200, 200 }, out{};
            return ruv_rect_intersect(&out, &a, &b) && same(out, 100, 60, 110, 70);
        }),
    Row{ "ruv_rect_is_empty", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { return R(ruv_rect_is_empty(nullptr)); })
        .valid([](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_is_empty(&r)); })
        .read_back([](Ctx &) { RUV_RECT r = sample(), e{ 5, 5, 5, 9 }; return !ruv_rect_is_empty(&r) && ruv_rect_is_empty(&e); }),
    Row{ "ruv_rect_offset", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { ruv_rect_offset(nullptr, 1, 1); return 0; })
        .valid([](Ctx &) { RUV_RECT r = sample(); ruv_rect_offset(&r, 1, 2); return 0; })
        .read_back([](Ctx &) { RUV_RECT r = sample(); ruv_rect_offset(&r, 5, -5); return same(r, 15, 15, 115, 65); }),
    Row{ "ruv_rect_set", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { ruv_rect_set(nullptr, 1, 2, 3, 4); return 0; })
        .valid([](Ctx &) { RUV_RECT r{}; ruv_rect_set(&r, 1, 2, 3, 4); return 0; })
        .read_back([](Ctx &) {
            // No ordering test: a reversed rectangle is stored as given.
            RUV_RECT r{};
            ruv_rect_set(&r, 30, 40, 10, 20);
            return same(r, 30, 40, 10, 20);
        }),
    Row{ "ruv_rect_set_empty", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { ruv_rect_set_empty(nullptr); return 0; })
        .valid([](Ctx &) { RUV_RECT r = sample(); ruv_rect_set_empty(&r); return 0; })
        .read_back([](Ctx &) { RUV_RECT r = sample(); ruv_rect_set_empty(&r); return same(r, 10, 20, 10, 20); }),
    Row{ "ruv_rect_set_height", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { return R(ruv_rect_set_height(nullptr, 5)); })
        .valid([](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_set_height(&r, 5)); })
        .read_back([](Ctx &) { RUV_RECT r = sample(); return ruv_rect_set_height(&r, 5) == TRUE && same(r, 10, 20, 110, 25); }),
    Row{ "ruv_rect_set_width", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { return R(ruv_rect_set_width(nullptr, 5)); })
        .valid([](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_set_width(&r, 5)); })
        .read_back([](Ctx &) { RUV_RECT r = sample(); return ruv_rect_set_width(&r, 5) == TRUE && same(r, 10, 20, 15, 70); }),
    Row{ "ruv_rect_set_pos", "trect" }
        .bad("NULL rectangle", 0x00210000, [](Ctx &) { return R(ruv_rect_set_pos(nullptr, RUV_POINT{ 1, 1 })); })
        .valid([](Ctx &) { RUV_RECT r = sample(); return R(ruv_rect_set_pos(&r, RUV_POINT{ 1, 1 })); })
        .read_back([](Ctx &) {
            RUV_RECT r = sample();
            return ruv_rect_set_pos(&r, RUV_POINT{ 0, 5 }) == TRUE && same(r, 5, 0, 105, 50);
        }),
};
