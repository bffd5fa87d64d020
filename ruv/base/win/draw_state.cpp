/* The drawing state of drawable objects: making and destroying it, and the
   exported operations on its colour tools, font, clip rectangle and the
   update test.  Changing a tool drops the GDI object made from it, so the
   next drawing call makes a new one; equal tools keep it. */
#include "draw_state.h"
#include "pixmaps.h"

#include "kernel_app.h"
#include "window_services.h"

#include "ruvv_app.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_palet.h"

namespace {

const RUV_RECT NO_CLIP = {0, 0, RUVK_NO_CLIP, RUVK_NO_CLIP};

RUV_DRAW_STATE *state_of(RUV_WIN win)
{
    return win ? win->draw_state : nullptr;
}

/* Tools are compared field by field: the records have padding. */
bool same_pen(const RUV_CPEN &a, const RUV_CPEN &b)
{
    return a.width == b.width && a.pattern == b.pattern && a.style == b.style && a.color == b.color;
}

bool same_brush(const RUV_CBRUSH &a, const RUV_CBRUSH &b)
{
    return a.pattern == b.pattern && a.color == b.color;
}

bool intersect(const RUV_RECT &a, const RUV_RECT &b, RUV_RECT *out)
{
    RUV_RECT r;
    r.top = a.top > b.top ? a.top : b.top;
    r.left = a.left > b.left ? a.left : b.left;
    r.bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    r.right = a.right < b.right ? a.right : b.right;
    if (out)
        *out = r;
    return r.top < r.bottom && r.left < r.right;
}

} // namespace

extern "C" RUV_DRAW_STATE *ruvk_draw_state_create(RUV_WIN obj)
{
    if (!obj)
        return nullptr;
    auto *st = static_cast<RUV_DRAW_STATE *>(ruvv_mem_zalloc(sizeof(RUV_DRAW_STATE)));
    if (!st)
        return nullptr;
    st->font = ruvv_font_create();
    if (!st->font) {
        ruvv_mem_free(st);
        return nullptr;
    }
    st->kind = obj->kind;
    st->obj = obj;
    st->clip = NO_CLIP;
    ruvv_font_set_win(st->font, obj);
    ruvv_app_get_default_ctools(&st->tools);
    obj->draw_state = st;
    return st;
}

extern "C" void ruvk_draw_state_destroy(RUV_WIN obj)
{
    RUV_DRAW_STATE *st = state_of(obj);
    if (!st)
        return;
    if (ruvk_draw_cached_window() == obj)
        ruvk_draw_release_cached();
    if (st->paint) {
        /* Destroyed inside its own paint: the paint DC goes too. */
        ruvk_draw_paint_end(obj);
    }
    /* A picture still being recorded goes with the state. */
    ruvk_pict_drop_recorder(st);
    ruvk_draw_release_dc(st);
    obj->draw_state = nullptr;
    ruvv_font_destroy(st->font);
    RUV_PALETTE *palette = st->palette;
    st->palette = nullptr;
    ruvv_palet_release(palette);
    ruvv_mem_free(st);
}

extern "C" void ruvk_dwin_get_draw_ctools(RUV_WIN win, RUV_DRAW_CTOOLS *out)
{
    RUV_DRAW_STATE *st = state_of(win);
    if (st && out)
        *out = st->tools;
}

extern "C" RUV_DRAW_CTOOLS *ruvk_dwin_set_draw_ctools(RUV_WIN win, const RUV_DRAW_CTOOLS *tools)
{
    RUV_DRAW_STATE *st = state_of(win);
    if (!st)
        return nullptr;
    if (!tools)
        return &st->tools;
    RUV_DRAW_CTOOLS copy = *tools;
    ruvk_dwin_set_cbrush(win, &copy.brush);
    ruvk_dwin_set_cpen(win, &copy.pen);
    st->tools.fore = copy.fore;
    st->tools.back = copy.back;
    st->tools.draw_mode = copy.draw_mode;
    st->tools.opaque = copy.opaque;
    return &st->tools;
}

extern "C" void ruvk_dwin_set_cpen(RUV_WIN win, const RUV_CPEN *pen)
{
    RUV_DRAW_STATE *st = state_of(win);
    if (!st || !pen)
        return;
    if (!same_pen(st->tools.pen, *pen))
        ruvk_draw_drop_pen(st);
    st->tools.pen = *pen;
}

extern "C" void ruvk_dwin_set_cbrush(RUV_WIN win, const RUV_CBRUSH *brush)
{
    RUV_DRAW_STATE *st = state_of(win);
    if (!st || !brush)
        return;
    if (!same_brush(st->tools.brush, *brush))
        ruvk_draw_drop_brush(st);
    st->tools.brush = *brush;
}

extern "C" void ruvk_dwin_set_draw_mode(RUV_WIN win, int32_t mode)
{
    if (RUV_DRAW_STATE *st = state_of(win))
        st->tools.draw_mode = mode;
}

extern "C" void ruvk_dwin_set_fore_color(RUV_WIN win, RUV_COLOR color)
{
    if (RUV_DRAW_STATE *st = state_of(win))
        st->tools.fore = color;
}

extern "C" void ruvk_dwin_set_back_color(RUV_WIN win, RUV_COLOR color)
{
    if (RUV_DRAW_STATE *st = state_of(win))
        st->tools.back = color;
}

extern "C" void ruvk_dwin_set_font(RUV_WIN win, const RUV_FONT *font)
{
    RUV_DRAW_STATE *st = state_of(win);
    if (!st || !font || font == st->font)
        return;
    ruvv_font_copy(st->font, font, 31);
    RUVK_DC_RECORD *dc = st->dc;
    if (dc && dc->font && !(dc->font_slot && ruvv_font_is_equal(dc->font_slot, st->font)))
        ruvk_draw_drop_font(st);
}

extern "C" RUV_FONT *ruvk_dwin_get_font(RUV_WIN win, RUV_BOOL copy)
{
    RUV_DRAW_STATE *st = state_of(win);
    if (!st)
        return nullptr;
    if (!copy)
        return st->font;
    RUV_FONT *font = ruvv_font_create();
    if (font)
        ruvv_font_copy(font, st->font, 63);
    return font;
}

extern "C" void ruvk_dwin_get_clip(RUV_WIN win, RUV_RECT *out)
{
    RUV_DRAW_STATE *st = state_of(win);
    if (st && out)
        *out = st->clip;
}

extern "C" void ruvk_dwin_set_clip(RUV_WIN win, const RUV_RECT *rect)
{
    RUV_DRAW_STATE *st = state_of(win);
    if (!st)
        return;
    if (!rect) {
        st->clip = NO_CLIP;
    } else if (!intersect(*rect, NO_CLIP, &st->clip)) {
        /* Nothing of it is drawable: an empty clip, not a reversed one. */
        st->clip.bottom = st->clip.top;
        st->clip.right = st->clip.left;
    }
    if (st->hdc) {
        HRGN rgn = CreateRectRgn(st->clip.left, st->clip.top, st->clip.right, st->clip.bottom);
        if (rgn) {
            SelectClipRgn(st->hdc, rgn);
            DeleteObject(rgn);
        }
    }
}

extern "C" RUV_BOOL ruvk_dwin_is_update_needed(RUV_WIN win, const RUV_RECT *rect)
{
    if (!state_of(win) || !rect)
        return FALSE;
    RUV_RECT update = NO_CLIP;
    if (ruvk_draw_paint_depth() > 0)
        if (RUV_APP_RECORD *app = ruvk_app_record())
            update = app->update_rect;
    return intersect(*rect, update, nullptr);
}
