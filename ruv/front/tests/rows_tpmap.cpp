// Conformance rows of the pixmap functions (tpmap).
#include "conformance.h"
#include "pixmaps.h"
#include "ruvv_app.h"

using namespace ruvf_test;

namespace {

// The pixmap the last valid call made or destroyed.
RUV_WIN last = NULL_WIN;

// The pixmap's size as the toolkit gives its client rectangle.
bool sized(RUV_WIN pixmap, int16_t width, int16_t height)
{
    RUV_RECT r{};
    ruvk_vobj_get_client_rect(pixmap, &r);
    return r.right - r.left == width && r.bottom - r.top == height;
}

} // namespace

static Rows rows{
    Row{ "ruv_pmap_create", "tpmap" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_pmap_create(w, 1, 20, 30)); })
        .refused_type(Obj::Button, 0x01220002)
        .refused_type(Obj::Screen, 0x01220002)
        .valid([](Ctx &c) { return R(last = ruv_pmap_create(c.get(Obj::Doc), 1, 20, 30)); })
        .read_back([](Ctx &) { return ruvv_vobj_is_valid(last) && sized(last, 20, 30); }),
    Row{ "ruv_pmap_destroy", "tpmap" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_pmap_destroy(w); return 0; })
        .valid([](Ctx &c) {
            last = ruvk_pmap_create(c.get(Obj::Doc), 1, 8, 8);
            ruv_pmap_destroy(last);
            return 0;
        })
        .read_back([](Ctx &) { return !ruvv_vobj_is_valid(last); }),
};
