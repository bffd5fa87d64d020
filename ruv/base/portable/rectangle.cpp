/* Rectangle and point arithmetic of the toolkit (int16 top, left, bottom,
   right; points v, h), and the repair of window-definition rectangles. */
#include "ruvv_errmsg.h"
#include "ruvv_rect.h"
#include "ruvv_res.h"

namespace {

constexpr const char *kModule = "rect";
constexpr RUV_ERRMSG_ID kBadRect = 0x01240003; /* "Rectangle in invalid format" */

/* Whether a definition element's rectangle is acceptable for its type. */
bool rect_ok(int32_t type, const RUV_RECT &r)
{
    switch (type) {
    case 12: /* push button */
    case 15: /* horizontal scroll bar */
    case 17: /* edit field */
    case 18: /* static text */
        return r.left < r.right && r.top <= r.bottom;
    case 16: /* vertical scroll bar */
        return r.left <= r.right && r.top < r.bottom;
    default:
        return r.left < r.right && r.top < r.bottom;
    }
}

} // namespace

extern "C" int16_t ruvv_rect_get_height(const RUV_RECT *r) { return (int16_t)(r->bottom - r->top); }
extern "C" int16_t ruvv_rect_get_width(const RUV_RECT *r) { return (int16_t)(r->right - r->left); }

extern "C" RUV_POINT ruvv_rect_get_pos(const RUV_RECT *r)
{
    RUV_POINT p;
    p.v = r->top;
    p.h = r->left;
    return p;
}

extern "C" void ruvv_rect_set(RUV_RECT *r, int16_t left, int16_t top, int16_t right, int16_t bottom)
{
    r->top = top;
    r->left = left;
    r->bottom = bottom;
    r->right = right;
}

extern "C" void ruvv_rect_set_height(RUV_RECT *r, int16_t height) { r->bottom = (int16_t)(r->top + height); }
extern "C" void ruvv_rect_set_width(RUV_RECT *r, int16_t width) { r->right = (int16_t)(r->left + width); }

extern "C" void ruvv_rect_set_pos(RUV_RECT *r, RUV_POINT pos)
{
    int16_t h = ruvv_rect_get_height(r), w = ruvv_rect_get_width(r);
    r->top = pos.v;
    r->left = pos.h;
    r->bottom = (int16_t)(pos.v + h);
    r->right = (int16_t)(pos.h + w);
}

extern "C" void ruvv_rect_offset(RUV_RECT *r, int16_t dh, int16_t dv)
{
    r->top = (int16_t)(r->top + dv);
    r->bottom = (int16_t)(r->bottom + dv);
    r->left = (int16_t)(r->left + dh);
    r->right = (int16_t)(r->right + dh);
}

extern "C" void ruvv_rect_set_empty(RUV_RECT *r)
{
    r->bottom = r->top;
    r->right = r->left;
}

extern "C" RUV_BOOL ruvv_rect_is_empty(const RUV_RECT *r) { return r->left == r->right || r->top == r->bottom; }

extern "C" RUV_BOOL ruvv_rect_has_point(const RUV_RECT *r, RUV_POINT p)
{
    return r->left <= p.h && p.h < r->right && r->top <= p.v && p.v < r->bottom;
}

extern "C" RUV_BOOL ruvv_rect_intersect(RUV_RECT *result, const RUV_RECT *a, const RUV_RECT *b)
{
    RUV_RECT r;
    r.top = a->top > b->top ? a->top : b->top;
    r.left = a->left > b->left ? a->left : b->left;
    r.bottom = a->bottom < b->bottom ? a->bottom : b->bottom;
    r.right = a->right < b->right ? a->right : b->right;
    if (result)
        *result = r;
    return r.left < r.right && r.top < r.bottom;
}

extern "C" void ruvv_rect_repair(RUV_RECT *r)
{
    if (r->top > r->bottom) {
        int16_t t = r->top;
        r->top = r->bottom;
        r->bottom = t;
    }
    if (r->left > r->right) {
        int16_t t = r->left;
        r->left = r->right;
        r->right = t;
    }
    if (r->left == r->right)
        r->right = (int16_t)(r->right + 1);
    if (r->top == r->bottom)
        r->bottom = (int16_t)(r->bottom + 1);
}

extern "C" RUV_RECT *ruvv_rect_repair_ptr(const RUV_RECT *src, RUV_RECT *dst)
{
    *dst = *src;
    ruvv_rect_repair(dst);
    return dst;
}

extern "C" RUV_BOOL ruvv_rect_repair_windef(RUV_WIN_DEF *def, RUV_RECT *saved, RUV_RECT **places,
                                            int32_t capacity)
{
    RUV_BOOL repaired = FALSE;
    int32_t stored = 0;
    for (RUV_WIN_DEF *e = def; e && e->type != 0; e++) {
        if (rect_ok(e->type, e->rect))
            continue;
        if (saved && places && stored < capacity - 1) {
            saved[stored] = e->rect;
            places[stored] = &e->rect;
            stored++;
        } else {
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kBadRect, kModule, __LINE__);
        }
        ruvv_rect_repair(&e->rect);
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kBadRect, kModule, __LINE__);
        repaired = TRUE;
    }
    if (places && capacity > 0)
        places[stored] = nullptr;
    return repaired;
}

extern "C" void ruvv_rect_restore(const RUV_RECT *saved, RUV_RECT *const *places)
{
    for (int i = 0; places && places[i]; i++)
        *places[i] = saved[i];
}
