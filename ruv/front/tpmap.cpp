// Pixmap functions of the front layer: off-screen pixmaps made for a
// window by the kernel, and their destruction.
#include "front_guard.h"
#include "pixmaps.h"
#include "ruv.h"
#include "ruvk.h"

using ruvf::Guard;
using ruvf::types;

namespace {

const char SRC[] = "tpmap";

} // namespace

extern "C" RUV_WIN ruv_pmap_create(RUV_WIN window, int32_t pixmapType, int32_t width, int32_t height)
{
    Guard g("ruv_pmap_create", SRC);
    // A window of a kind that holds no pixmaps is refused as an invalid one.
    if (!g.check(window != NULL_WIN, ruvf::ID_NULL_WINDOW) ||
        !g.check(ruvf::is_window(window) && ruvf::type_in(window, types({ 1, 2, 3, 5, 7, 9 })),
                 ruvf::ID_INVALID_WINDOW))
        return NULL_WIN;
    return ruvk_pmap_create(window, pixmapType, width, height);
}

extern "C" void ruv_pmap_destroy(RUV_WIN pixmap)
{
    Guard g("ruv_pmap_destroy", SRC);
    if (!g.not_in_update() || !g.window(pixmap))
        return;
    ruvk_vobj_destroy(pixmap);
}
