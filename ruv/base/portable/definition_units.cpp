/* Definition units: rectangles of window and control definitions are given
   in pixels, character cells (one cell is bx by by pixels) or dialog-template
   units (a quarter of bx, an eighth of by); values convert between them
   rounded to nearest. */
#include "ruvv_ctl_text.h"

#include <cstdint>

namespace {

int16_t clamp16(int64_t v)
{
    if (v > INT16_MAX)
        return INT16_MAX;
    if (v < INT16_MIN)
        return INT16_MIN;
    return static_cast<int16_t>(v);
}

bool known(int32_t unit)
{
    return unit >= RUV_UNIT_PIXELS && unit <= RUV_UNIT_DIALOG;
}

} // namespace

extern "C" void ruvv_units_convert(int32_t *x, int32_t *y, int32_t from, int32_t to, int32_t bx, int32_t by)
{
    if (from == to || !known(from) || !known(to) || bx < 1 || by < 1)
        return;
    const int64_t nx[3] = {4, 4 * (int64_t)bx, bx}, dx[3] = {bx, 1, 4};
    const int64_t ny[3] = {8, 8 * (int64_t)by, by}, dy[3] = {by, 1, 8};
    if (x)
        *x = clamp16((nx[from] * dx[to] * *x + 2 * (int64_t)bx) / (4 * (int64_t)bx));
    if (y)
        *y = clamp16((ny[from] * dy[to] * *y + 4 * (int64_t)by) / (8 * (int64_t)by));
}

extern "C" void ruvv_units_convert_rect(RUV_RECT *rect, int32_t from, int32_t to, int32_t bx, int32_t by)
{
    if (!rect)
        return;
    int32_t l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    ruvv_units_convert(&l, &t, from, to, bx, by);
    ruvv_units_convert(&r, &b, from, to, bx, by);
    rect->left = static_cast<int16_t>(l);
    rect->top = static_cast<int16_t>(t);
    rect->right = static_cast<int16_t>(r);
    rect->bottom = static_cast<int16_t>(b);
}
