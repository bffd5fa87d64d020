// Rectangle functions of the front layer: RUV_RECT arithmetic with a NULL
// check in front of each.  No ordering test is made: a reversed rectangle
// goes to the base library as it is.
#include "front_guard.h"
#include "ruv.h"
#include "ruvv_rect.h"

using ruvf::Guard;

namespace {

const char SRC[] = "trect";

} // namespace

extern "C" int16_t ruv_rect_get_height(const RUV_RECT *rect)
{
    Guard g("ruv_rect_get_height", SRC);
    if (!g.not_null(rect))
        return -1;
    return ruvv_rect_get_height(rect);
}

extern "C" int16_t ruv_rect_get_width(const RUV_RECT *rect)
{
    Guard g("ruv_rect_get_width", SRC);
    if (!g.not_null(rect))
        return -1;
    return ruvv_rect_get_width(rect);
}

extern "C" RUV_POINT *ruv_rect_get_pos(const RUV_RECT *rect, RUV_POINT *point)
{
    Guard g("ruv_rect_get_pos", SRC);
    // The point reads (0, 0) after any failure; a NULL point is refused and
    // nothing is written.
    if (point) {
        point->v = 0;
        point->h = 0;
    }
    if (!g.not_null(rect) || !g.not_null(point))
        return nullptr;
    *point = ruvv_rect_get_pos(rect);
    return point;
}

extern "C" RUV_BOOL ruv_rect_has_point(const RUV_RECT *rect, RUV_POINT point)
{
    Guard g("ruv_rect_has_point", SRC);
    if (!g.not_null(rect))
        return FALSE;
    return ruvv_rect_has_point(rect, point);
}

extern "C" RUV_BOOL ruv_rect_intersect(RUV_RECT *result, const RUV_RECT *a, const RUV_RECT *b)
{
    Guard g("ruv_rect_intersect", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return FALSE;
    return ruvv_rect_intersect(result, a, b);
}

extern "C" RUV_BOOL ruv_rect_is_empty(const RUV_RECT *rect)
{
    Guard g("ruv_rect_is_empty", SRC);
    if (!g.not_null(rect))
        return FALSE;
    return ruvv_rect_is_empty(rect);
}

extern "C" void ruv_rect_offset(RUV_RECT *rect, int16_t dh, int16_t dv)
{
    Guard g("ruv_rect_offset", SRC);
    if (g.not_null(rect))
        ruvv_rect_offset(rect, dh, dv);
}

extern "C" void ruv_rect_set(RUV_RECT *rect, int16_t left, int16_t top, int16_t right, int16_t bottom)
{
    Guard g("ruv_rect_set", SRC);
    if (g.not_null(rect))
        ruvv_rect_set(rect, left, top, right, bottom);
}

extern "C" void ruv_rect_set_empty(RUV_RECT *rect)
{
    Guard g("ruv_rect_set_empty", SRC);
    if (g.not_null(rect))
        ruvv_rect_set_empty(rect);
}

extern "C" RUV_BOOL ruv_rect_set_height(RUV_RECT *rect, int16_t height)
{
    Guard g("ruv_rect_set_height", SRC);
    if (!g.not_null(rect))
        return FALSE;
    ruvv_rect_set_height(rect, height);
    return TRUE;
}

extern "C" RUV_BOOL ruv_rect_set_width(RUV_RECT *rect, int16_t width)
{
    Guard g("ruv_rect_set_width", SRC);
    if (!g.not_null(rect))
        return FALSE;
    ruvv_rect_set_width(rect, width);
    return TRUE;
}

extern "C" RUV_BOOL ruv_rect_set_pos(RUV_RECT *rect, RUV_POINT point)
{
    Guard g("ruv_rect_set_pos", SRC);
    if (!g.not_null(rect))
        return FALSE;
    ruvv_rect_set_pos(rect, point);
    return TRUE;
}
