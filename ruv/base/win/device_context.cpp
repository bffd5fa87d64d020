/* Device contexts of drawing states: obtaining a DC for a drawing call (and
   keeping one window's DC cached between calls), selecting the pen, brush,
   font and palette made from the state's tools, painting, letting DCs go,
   and the per-process point buffer and resolution helpers. */
#include "draw_state.h"

#include "font_native.h"
#include "pixmaps.h"
#include "kernel_app.h"
#include "window_services.h"

#include "ruvv_app.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_palet.h"
#include "ruvv_static.h"
#include "ruvk.h"

#include <cstring>

namespace {

/* Per-process state of this module beside the application record. */
struct DcBlock {
    int32_t paint_depth;
    POINT *points;
    int32_t point_capacity;
    RUV_WIN cached;      /* used only while no application record exists */
};

void term_block(void *p)
{
    DcBlock *b = static_cast<DcBlock *>(p);
    ruvv_mem_free(b->points);
    b->points = nullptr;
    b->point_capacity = 0;
}

RUV_STATIC_BLOCK(g_desc, DcBlock, nullptr, term_block);

DcBlock *block()
{
    return static_cast<DcBlock *>(ruvk_static_get_ptr(&g_desc));
}

RUV_WIN *cached_slot()
{
    if (RUV_APP_RECORD *app = ruvk_app_record())
        return &app->dc_window;
    DcBlock *b = block();
    return b ? &b->cached : nullptr;
}

/* Line raster operation and bitmap raster operation of each draw mode. */
const int ROP2_OF_MODE[8] = {R2_COPYPEN, R2_MASKPEN, R2_NOTXORPEN, R2_NOTCOPYPEN,
                             R2_MASKPENNOT, R2_MASKNOTPEN, R2_XORPEN, R2_MERGEPEN};

int rop2(const RUV_DRAW_STATE *st)
{
    return ruvk_draw_rop2(st->tools.draw_mode);
}

int pen_style_of(const RUV_CPEN &pen)
{
    if (pen.pattern == 1)
        return PS_NULL;
    if (pen.pattern == 9)
        return pen.style == 2 ? PS_DASH : PS_DOT;
    if (pen.style == 1)
        return PS_DOT;
    if (pen.style == 2)
        return PS_DASH;
    return PS_SOLID;
}

void brush_of(const RUV_CBRUSH &brush, LOGBRUSH *lb)
{
    static const LONG HATCHES[6] = {HS_HORIZONTAL, HS_VERTICAL, HS_BDIAGONAL,
                                    HS_FDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    lb->lbHatch = 0;
    if (brush.pattern == 1) {
        lb->lbStyle = BS_HOLLOW;
    } else if (brush.pattern >= 3 && brush.pattern <= 8) {
        lb->lbStyle = BS_HATCHED;
        lb->lbHatch = (ULONG_PTR)HATCHES[brush.pattern - 3];
    } else {
        lb->lbStyle = BS_SOLID;
    }
}

void fatal_clip(uint32_t id)
{
    ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, id, "wdraw", __LINE__);
}

/* Clip region of the DC from the state's clip rectangle. */
void apply_clip(RUV_DRAW_STATE *st)
{
    const RUV_RECT &c = st->clip;
    HRGN rgn = CreateRectRgn(c.left, c.top, c.right, c.bottom);
    if (!rgn) {
        fatal_clip(0x0034859A);
        return;
    }
    if (SelectClipRgn(st->hdc, rgn) == ERROR)
        fatal_clip(0x0034859B);
    if (!DeleteObject(rgn))
        fatal_clip(0x0034859C);
}

void select_palette(RUV_DRAW_STATE *st)
{
    RUV_BOOL disabled = FALSE;
    HPALETTE pal = ruvk_palet_native(st->palette, &disabled);
    if (!pal || disabled || !st->dc)
        return;
    HPALETTE old = SelectPalette(st->hdc, pal, FALSE);
    if (!st->dc->palette)
        st->dc->old_palette = old;
    st->dc->palette = pal;
    RealizePalette(st->hdc);
}

/* The DC's raster operation and background are not known. */
void forget_modes(RUVK_DC_RECORD *dc)
{
    dc->rop2 = 0;
    dc->bk_mode = 0;
    dc->bk_color = CLR_INVALID;
}

RUVK_DC_RECORD *make_record(RUV_DRAW_STATE *st, HDC hdc)
{
    auto *rec = static_cast<RUVK_DC_RECORD *>(ruvv_mem_zalloc(sizeof(RUVK_DC_RECORD)));
    if (!rec)
        return nullptr;
    rec->kind = st->kind;
    rec->state = st;
    rec->hdc = hdc;
    forget_modes(rec);
    st->dc = rec;
    st->hdc = hdc;
    MoveToEx(hdc, st->pen_h, st->pen_v, nullptr);
    apply_clip(st);
    select_palette(st);
    return rec;
}

void save_position(RUV_DRAW_STATE *st)
{
    POINT p;
    if (st->hdc && GetCurrentPositionEx(st->hdc, &p)) {
        st->pen_h = (int16_t)p.x;
        st->pen_v = (int16_t)p.y;
    }
}

void free_record(RUV_DRAW_STATE *st)
{
    ruvk_draw_deselect_all(st);
    ruvv_mem_free(st->dc);
    st->dc = nullptr;
}

} // namespace

extern "C" int ruvk_draw_rop2(int32_t mode)
{
    return mode >= 0 && mode < 8 ? ROP2_OF_MODE[mode] : R2_COPYPEN;
}

extern "C" COLORREF ruvk_draw_colorref(const RUV_DRAW_STATE *state, RUV_COLOR color)
{
    COLORREF c = RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
    if (state && state->dc && state->dc->palette)
        c |= 0x02000000;
    return c;
}

extern "C" RUV_WIN ruvk_draw_cached_window(void)
{
    RUV_WIN *slot = cached_slot();
    return slot ? *slot : NULL_WIN;
}

extern "C" RUV_DRAW_STATE *ruvk_draw_begin(RUV_WIN obj)
{
    if (!obj || !obj->draw_state)
        return nullptr;
    RUV_DRAW_STATE *st = obj->draw_state;
    if (st->hdc)
        return st;
    HDC hdc = nullptr;
    bool from_window = false;
    if (st->preset_hdc) {
        hdc = st->preset_hdc;
    } else if (st->kind & 1024u) {
        /* Off-screen pixmaps draw through their own slot DC. */
        hdc = ruvk_pmap_drawing_dc(obj);
    } else {
        ruvk_draw_release_cached();
        hdc = GetDC(ruvk_vobj_hwnd(obj));
        from_window = true;
    }
    if (!hdc)
        return nullptr;
    if (!make_record(st, hdc)) {
        st->hdc = nullptr;
        if (from_window)
            ReleaseDC(ruvk_vobj_hwnd(obj), hdc);
        return nullptr;
    }
    if (from_window && ((st->kind & RUV_KIND_TEXT_EDIT) || obj->type != 8)) {
        if (RUV_WIN *slot = cached_slot())
            *slot = obj;
    }
    return st->hdc ? st : nullptr;
}

extern "C" void ruvk_draw_end(RUV_DRAW_STATE *state)
{
    if (state)
        save_position(state);
}

extern "C" HDC ruvk_draw_get_hdc(RUV_DRAW_STATE *state)
{
    return state ? state->hdc : nullptr;
}

extern "C" void ruvk_draw_release_dc(RUV_DRAW_STATE *state)
{
    if (!state || !state->hdc)
        return;
    HDC hdc = state->hdc;
    save_position(state);
    free_record(state);
    state->hdc = nullptr;
    if (hdc == state->preset_hdc && (state->kind & RUV_KIND_PRINT)) {
        DeleteDC(hdc);
        state->preset_hdc = nullptr;
    } else if (!(state->kind & 1024u)) {
        ReleaseDC(ruvk_vobj_hwnd(state->obj), hdc);
    }
}

extern "C" void ruvk_draw_release_cached(void)
{
    RUV_WIN *slot = cached_slot();
    if (slot && *slot) {
        RUV_WIN win = *slot;
        *slot = NULL_WIN;
        /* A state that paints keeps its paint DC; only the GetDC one goes. */
        if (win->draw_state && !win->draw_state->paint)
            ruvk_draw_release_dc(win->draw_state);
    }
    /* The pixmap slots go with the cached window. */
    ruvk_pmap_release_slots();
}

extern "C" void ruvk_draw_select_pen(RUV_DRAW_STATE *st)
{
    if (!st || !st->dc)
        return;
    RUVK_DC_RECORD *dc = st->dc;
    const RUV_CPEN &pen = st->tools.pen;
    if (!dc->pen) {
        LOGPEN lp;
        lp.lopnStyle = (UINT)pen_style_of(pen);
        lp.lopnWidth.x = lp.lopnStyle == PS_NULL ? 0 : (pen.width ? pen.width : 1);
        lp.lopnWidth.y = 0;
        lp.lopnColor = ruvk_draw_colorref(st, pen.color);
        HPEN h = CreatePenIndirect(&lp);
        if (h) {
            dc->old_pen = (HPEN)SelectObject(st->hdc, h);
            dc->pen = h;
        }
    }
    ruvk_draw_set_rop2(st, rop2(st));
    if (pen.style != 0)
        ruvk_draw_set_bk_mode(st, TRANSPARENT);
}

extern "C" void ruvk_draw_select_brush(RUV_DRAW_STATE *st)
{
    if (!st || !st->dc)
        return;
    RUVK_DC_RECORD *dc = st->dc;
    const RUV_CBRUSH &brush = st->tools.brush;
    if (!dc->brush) {
        LOGBRUSH lb;
        brush_of(brush, &lb);
        lb.lbColor = ruvk_draw_colorref(st, brush.color);
        HBRUSH h = CreateBrushIndirect(&lb);
        if (h) {
            dc->old_brush = (HBRUSH)SelectObject(st->hdc, h);
            dc->brush = h;
        }
    }
    ruvk_draw_set_rop2(st, rop2(st));
    if (brush.pattern != 1) {
        ruvk_draw_set_bk_mode(st, OPAQUE);
        ruvk_draw_set_bk_color(st, ruvk_draw_colorref(st, st->tools.back));
    }
}

extern "C" void ruvk_draw_select_font(RUV_DRAW_STATE *st)
{
    if (!st || !st->dc)
        return;
    RUVK_DC_RECORD *dc = st->dc;
    if (!dc->font) {
        HFONT h = ruvk_font_get_hfont(st, st->font);
        if (h) {
            dc->old_font = (HFONT)SelectObject(st->hdc, h);
            dc->font = h;
            dc->font_slot = ruvv_font_cache_current();
        }
    }
    SetTextColor(st->hdc, ruvk_draw_colorref(st, st->tools.fore));
    if (st->tools.opaque) {
        ruvk_draw_set_bk_mode(st, OPAQUE);
        ruvk_draw_set_bk_color(st, ruvk_draw_colorref(st, st->tools.back));
    } else {
        ruvk_draw_set_bk_mode(st, TRANSPARENT);
    }
}

namespace {

/* True when the held DC is to be given value: it has no record, or its
   record says it has another value (and now takes this one). */
template <class T> bool changes(RUV_DRAW_STATE *st, T RUVK_DC_RECORD::*setting, T value)
{
    if (!st || !st->hdc)
        return false;
    if (st->dc) {
        if (st->dc->*setting == value)
            return false;
        st->dc->*setting = value;
    }
    return true;
}

} // namespace

extern "C" void ruvk_draw_set_rop2(RUV_DRAW_STATE *st, int rop2)
{
    if (rop2 != 0 && changes(st, &RUVK_DC_RECORD::rop2, rop2))
        SetROP2(st->hdc, rop2);
}

extern "C" void ruvk_draw_set_bk_mode(RUV_DRAW_STATE *st, int mode)
{
    if (mode != 0 && changes(st, &RUVK_DC_RECORD::bk_mode, mode))
        SetBkMode(st->hdc, mode);
}

extern "C" void ruvk_draw_set_bk_color(RUV_DRAW_STATE *st, COLORREF color)
{
    if (color != CLR_INVALID && changes(st, &RUVK_DC_RECORD::bk_color, color))
        SetBkColor(st->hdc, color);
}

extern "C" void ruvk_draw_drop_brush(RUV_DRAW_STATE *st)
{
    RUVK_DC_RECORD *dc = st ? st->dc : nullptr;
    if (!dc || !dc->brush)
        return;
    SelectObject(st->hdc, dc->old_brush);
    DeleteObject(dc->brush);
    dc->brush = nullptr;
    dc->old_brush = nullptr;
}

extern "C" void ruvk_draw_drop_pen(RUV_DRAW_STATE *st)
{
    RUVK_DC_RECORD *dc = st ? st->dc : nullptr;
    if (!dc || !dc->pen)
        return;
    SelectObject(st->hdc, dc->old_pen);
    DeleteObject(dc->pen);
    dc->pen = nullptr;
    dc->old_pen = nullptr;
}

extern "C" void ruvk_draw_drop_font(RUV_DRAW_STATE *st)
{
    RUVK_DC_RECORD *dc = st ? st->dc : nullptr;
    if (!dc || !dc->font)
        return;
    SelectObject(st->hdc, dc->old_font);
    if (dc->font_slot)
        ruvv_font_cache_release(dc->font_slot);
    dc->font = nullptr;
    dc->old_font = nullptr;
    dc->font_slot = nullptr;
}

extern "C" void ruvk_draw_deselect_all(RUV_DRAW_STATE *st)
{
    if (!st || !st->dc)
        return;
    ruvk_draw_drop_brush(st);
    ruvk_draw_drop_pen(st);
    ruvk_draw_drop_font(st);
    RUVK_DC_RECORD *dc = st->dc;
    forget_modes(dc);
    if (dc->palette) {
        /* The previous palette comes back as it was selected: in the
           foreground, not forced to the background. */
        SelectPalette(st->hdc, dc->old_palette, FALSE);
        dc->palette = nullptr;
        dc->old_palette = nullptr;
    }
}

extern "C" void ruvk_draw_begin_palette(RUV_WIN obj)
{
    RUV_DRAW_STATE *st = ruvk_draw_begin(obj);
    if (!st)
        return;
    ruvk_draw_end(st);
    RUV_BOOL disabled = TRUE;
    if (!(obj->kind & 0x1007u) || !ruvk_palet_native(st->palette, &disabled) || disabled)
        return;
    RUV_WIN top = obj->top ? obj->top : obj;
    RUV_REGISTRY_ITER iter;
    ruvv_registry_iter_init(&iter);
    while (RUV_WIN w = ruvv_registry_iter_next(&iter, nullptr, 0)) {
        if ((w == top || w->top == top) && ruvk_vobj_hwnd(w))
            InvalidateRect(ruvk_vobj_hwnd(w), nullptr, TRUE);
    }
}

extern "C" RUV_DRAW_STATE *ruvk_draw_paint_begin(RUV_WIN obj)
{
    if (!obj || !obj->draw_state)
        return nullptr;
    RUV_DRAW_STATE *st = obj->draw_state;
    ruvk_draw_release_cached();
    if (st->hdc)
        ruvk_draw_release_dc(st);
    auto *ps = static_cast<PAINTSTRUCT *>(ruvv_mem_zalloc(sizeof(PAINTSTRUCT)));
    if (!ps)
        return nullptr;
    HWND hwnd = ruvk_vobj_hwnd(obj);
    HDC hdc = BeginPaint(hwnd, ps);
    st->paint = ps;
    if (hdc)
        make_record(st, hdc);
    if (RUV_APP_RECORD *app = ruvk_app_record()) {
        app->update_rect.top = (int16_t)ps->rcPaint.top;
        app->update_rect.left = (int16_t)ps->rcPaint.left;
        app->update_rect.bottom = (int16_t)ps->rcPaint.bottom;
        app->update_rect.right = (int16_t)ps->rcPaint.right;
    }
    if (DcBlock *b = block())
        b->paint_depth++;
    return st;
}

extern "C" void ruvk_draw_paint_end(RUV_WIN obj)
{
    if (!obj || !obj->draw_state || !obj->draw_state->paint)
        return;
    RUV_DRAW_STATE *st = obj->draw_state;
    ruvk_draw_release_cached();
    save_position(st);
    if (st->dc)
        free_record(st);
    st->hdc = nullptr;
    if (DcBlock *b = block())
        if (b->paint_depth > 0)
            b->paint_depth--;
    if (RUV_APP_RECORD *app = ruvk_app_record())
        app->update_rect = RUV_RECT{0, 0, RUVK_NO_CLIP, RUVK_NO_CLIP};
    EndPaint(ruvk_vobj_hwnd(obj), st->paint);
    ruvv_mem_free(st->paint);
    st->paint = nullptr;
}

extern "C" int32_t ruvk_draw_paint_depth(void)
{
    DcBlock *b = block();
    return b ? b->paint_depth : 0;
}

extern "C" POINT *ruvk_draw_points(const RUV_POINT *points, int32_t count)
{
    DcBlock *b = block();
    if (!b || count < 0 || (count > 0 && !points))
        return nullptr;
    if (count > b->point_capacity) {
        void *grown = ruvv_mem_realloc(b->points, sizeof(POINT) * (size_t)count);
        if (!grown)
            return nullptr;
        b->points = static_cast<POINT *>(grown);
        b->point_capacity = count;
    }
    for (int32_t i = 0; i < count; ++i) {
        b->points[i].x = points[i].h;
        b->points[i].y = points[i].v;
    }
    return b->points;
}

extern "C" int32_t ruvk_draw_get_logpixelsy(RUV_DRAW_STATE *state)
{
    if (state && state->logpixelsy)
        return state->logpixelsy;
    int32_t r;
    if (state && state->hdc) {
        r = GetDeviceCaps(state->hdc, LOGPIXELSY);
    } else {
        HWND desk = GetDesktopWindow();
        HDC hdc = GetDC(desk);
        r = hdc ? GetDeviceCaps(hdc, LOGPIXELSY) : 96;
        if (hdc)
            ReleaseDC(desk, hdc);
    }
    if (state)
        state->logpixelsy = r;
    return r;
}
