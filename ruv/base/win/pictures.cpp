/* Pictures: device-dependent bitmaps recorded by drawing into a window
   (the drawing state draws into the recorder's memory DC meanwhile) or made
   from bitmap data, drawn stretched onto windows and print windows, and
   copied into one locked global block at a time for the application. */
#include "pixmaps.h"

#include "draw_state.h"
#include "kernel_app.h"
#include "window_create.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_str.h"

#include <cstdarg>
#include <cstring>

namespace {

constexpr RUV_ERRMSG_ID ERR_DRIVER = 0x00580000;
constexpr int32_t STR_STILL_LOCKED = 30013;

/* The picture being recorded on a drawing state. */
struct Recorder {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old_bitmap;
    HDC old_preset;            /* a print window's own DC meanwhile */
    RUV_DRAW_STATE *state;
};

/* The one locked picture of the process. */
struct LockBlock {
    HGLOBAL block;
};

RUV_STATIC_BLOCK(g_lock_desc, LockBlock, nullptr, nullptr);

LockBlock *lock_block()
{
    return static_cast<LockBlock *>(ruvk_static_get_ptr(&g_lock_desc));
}

void error_box(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    ruvk_dm_post_error(format, args);
    va_end(args);
}

void free_recorder(Recorder *r)
{
    if (r->dc) {
        if (r->old_bitmap)
            SelectObject(r->dc, r->old_bitmap);
        DeleteDC(r->dc);
    }
    ruvv_mem_free(r);
}

/* Frees the state's DC record but leaves the DC itself alone (the
   release of a pixmap's DC does just that). */
void release_record_only(RUV_DRAW_STATE *st)
{
    uint32_t kind = st->kind;
    st->kind = RUVK_KIND_PIXMAP;
    ruvk_draw_release_dc(st);
    st->kind = kind;
}

/* The state's own DC goes, so the next drawing call takes the recorder's
   (or, after recording, the window's again). */
void drop_state_dc(RUV_DRAW_STATE *st)
{
    if (ruvk_draw_cached_window() == st->obj)
        ruvk_draw_release_cached();
    if (st->hdc && !st->paint) {
        /* A print window's DC stays: only its record goes. */
        release_record_only(st);
    }
}

/* The bitmap as a packed DIB (1, 4, 8 bits with their table, else 24)
   read through the display, and sent to the device. */
bool draw_through_dib(HDC hdc, HBITMAP pict, const BITMAP &bm, const RUV_RECT &r)
{
    int caps = GetDeviceCaps(hdc, RASTERCAPS);
    if (!(caps & RC_DIBTODEV))
        return false;
    int bits = bm.bmBitsPixel * bm.bmPlanes;
    int colors = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    if (!colors)
        bits = 24;
    size_t stride = ((size_t)bm.bmWidth * bits + 31) / 32 * 4;
    size_t header = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * colors;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header + stride * bm.bmHeight);
    if (!mem)
        return false;
    auto *bi = static_cast<BITMAPINFO *>(GlobalLock(mem));
    bool ok = false;
    if (bi) {
        bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi->bmiHeader.biWidth = bm.bmWidth;
        bi->bmiHeader.biHeight = bm.bmHeight;
        bi->bmiHeader.biPlanes = 1;
        bi->bmiHeader.biBitCount = (WORD)bits;
        bi->bmiHeader.biCompression = BI_RGB;
        uint8_t *pixels = reinterpret_cast<uint8_t *>(bi) + header;
        HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        if (display) {
            ok = GetDIBits(display, pict, 0, (UINT)bm.bmHeight, pixels, bi, DIB_RGB_COLORS) > 0;
            DeleteDC(display);
        }
        if (ok) {
            int w = r.right - r.left, h = r.bottom - r.top;
            if (caps & RC_STRETCHDIB)
                ok = StretchDIBits(hdc, r.left, r.top, w, h, 0, 0, bm.bmWidth, bm.bmHeight, pixels, bi,
                                   DIB_RGB_COLORS, SRCCOPY) > 0;
            else
                ok = SetDIBitsToDevice(hdc, r.left, r.top, (DWORD)bm.bmWidth, (DWORD)bm.bmHeight, 0, 0, 0,
                                       (UINT)bm.bmHeight, pixels, bi, DIB_RGB_COLORS) > 0;
        }
        GlobalUnlock(mem);
    }
    GlobalFree(mem);
    return ok;
}

/* Ends the recording on the state: its DC record goes, the bitmap is
   handed out and the recorder freed. */
HBITMAP close_recording(RUV_DRAW_STATE *st)
{
    auto *r = st ? static_cast<Recorder *>(st->recorder) : nullptr;
    if (!r)
        return nullptr;
    if (st->hdc == r->dc) {
        /* The recorder's DC is a memory DC: only its record goes. */
        release_record_only(st);
    }
    st->preset_hdc = r->old_preset;
    st->recorder = nullptr;
    HBITMAP pict = r->bitmap;
    free_recorder(r);
    return pict;
}

} // namespace

extern "C" {

RUV_BOOL ruvk_dwin_open_pict(RUV_WIN win, const RUV_RECT *rect)
{
    RUV_DRAW_STATE *st = win && ruvv_vobj_is_valid(win) ? win->draw_state : nullptr;
    if (!st || !rect)
        return FALSE;
    if (auto *r = static_cast<Recorder *>(st->recorder))
        return r->dc && r->bitmap ? TRUE : FALSE;
    int w = rect->right - rect->left, h = rect->bottom - rect->top;
    if (w <= 0 || h <= 0)
        return FALSE;
    RUV_DRAW_STATE *ws = ruvk_draw_begin(win);
    if (!ws)
        return FALSE;
    auto *r = static_cast<Recorder *>(ruvv_mem_zalloc(sizeof(Recorder)));
    if (!r)
        return FALSE;
    r->state = st;
    r->dc = CreateCompatibleDC(st->hdc);
    r->bitmap = r->dc ? CreateCompatibleBitmap(st->hdc, w, h) : nullptr;
    if (!r->dc || !r->bitmap) {
        if (r->bitmap)
            DeleteObject(r->bitmap);
        free_recorder(r);
        return FALSE;
    }
    r->old_bitmap = SelectObject(r->dc, r->bitmap);
    /* Drawing keeps the window's coordinates. */
    SetWindowOrgEx(r->dc, rect->left, rect->top, nullptr);
    PatBlt(r->dc, rect->left, rect->top, w, h, WHITENESS);
    drop_state_dc(st);
    r->old_preset = st->preset_hdc;
    st->preset_hdc = r->dc;
    st->recorder = r;
    return TRUE;
}

HBITMAP ruvk_dwin_close_pict(RUV_WIN win)
{
    RUV_DRAW_STATE *st = win && ruvv_vobj_is_valid(win) ? win->draw_state : nullptr;
    return close_recording(st);
}

void ruvk_pict_drop_recorder(RUV_DRAW_STATE *st)
{
    if (HBITMAP b = close_recording(st))
        DeleteObject(b);
}

void ruvk_dwin_draw_pict(RUV_WIN win, HBITMAP pict, const RUV_RECT *rect)
{
    BITMAP bm;
    if (!pict || !rect || !GetObjectA(pict, sizeof bm, &bm))
        return;
    RUV_DRAW_STATE *st = win && ruvv_vobj_is_valid(win) ? ruvk_draw_begin(win) : nullptr;
    if (!st)
        return;
    HDC hdc = st->hdc;
    int w = rect->right - rect->left, h = rect->bottom - rect->top;
    bool same = bm.bmPlanes == GetDeviceCaps(hdc, PLANES) && bm.bmBitsPixel == GetDeviceCaps(hdc, BITSPIXEL);
    bool mono = bm.bmPlanes == 1 && bm.bmBitsPixel == 1;
    if (same || mono) {
        HDC mem = CreateCompatibleDC(hdc);
        if (mem) {
            HGDIOBJ old = SelectObject(mem, pict);
            if (GetDeviceCaps(hdc, RASTERCAPS) & RC_STRETCHBLT) {
                SetStretchBltMode(hdc, COLORONCOLOR);
                StretchBlt(hdc, rect->left, rect->top, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
            } else if (HBITMAP mid = CreateCompatibleBitmap(hdc, w > 0 ? w : 1, h > 0 ? h : 1)) {
                HDC mdc = CreateCompatibleDC(hdc);
                if (mdc) {
                    HGDIOBJ mold = SelectObject(mdc, mid);
                    SetStretchBltMode(mdc, COLORONCOLOR);
                    StretchBlt(mdc, 0, 0, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
                    BitBlt(hdc, rect->left, rect->top, w, h, mdc, 0, 0, SRCCOPY);
                    SelectObject(mdc, mold);
                    DeleteDC(mdc);
                }
                DeleteObject(mid);
            }
            SelectObject(mem, old);
            DeleteDC(mem);
        }
    } else if (st->kind & RUV_KIND_PRINT) {
        if (!draw_through_dib(hdc, pict, bm, *rect))
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, ERR_DRIVER, "wpict", __LINE__);
    }
    ruvk_draw_end(st);
}

HBITMAP ruvk_pict_create(const void *data, intptr_t unused, RUV_RECT *out)
{
    (void)unused;
    if (!data)
        return nullptr;
    BITMAP bm;
    std::memcpy(&bm, data, sizeof bm);
    bm.bmBits = const_cast<uint8_t *>(static_cast<const uint8_t *>(data) + sizeof(BITMAP));
    HBITMAP pict = CreateBitmapIndirect(&bm);
    if (pict && out)
        *out = RUV_RECT{0, 0, (int16_t)bm.bmHeight, (int16_t)bm.bmWidth};
    return pict;
}

RUV_BOOL ruvk_pict_is_valid(HBITMAP pict)
{
    return pict != nullptr;
}

RUVK_LOCKED_PICT *ruvk_pict_lock(HBITMAP pict, int32_t *size)
{
    LockBlock *lb = lock_block();
    if (!lb || lb->block || !pict)
        return nullptr;
    BITMAP bm;
    if (!GetObjectA(pict, sizeof bm, &bm) || bm.bmWidthBytes <= 0 || bm.bmHeight <= 0)
        return nullptr;
    /* GetBitmapBits gives rows of bmWidthBytes bytes. */
    size_t bits = (size_t)bm.bmWidthBytes * (size_t)bm.bmHeight;
    size_t total = sizeof(RUVK_LOCKED_PICT) + bits;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, total);
    if (!mem)
        return nullptr;
    auto *p = static_cast<RUVK_LOCKED_PICT *>(GlobalLock(mem));
    if (!p) {
        GlobalFree(mem);
        return nullptr;
    }
    p->type = bm.bmType;
    p->width = bm.bmWidth;
    p->height = bm.bmHeight;
    p->bytes_per_row = bm.bmWidthBytes;
    p->planes = bm.bmPlanes;
    p->bits_per_pixel = bm.bmBitsPixel;
    p->bits = reinterpret_cast<uint8_t *>(p + 1);
    if (GetBitmapBits(pict, (LONG)bits, p->bits) <= 0) {
        GlobalUnlock(mem);
        GlobalFree(mem);
        return nullptr;
    }
    lb->block = mem;
    if (size)
        *size = (int32_t)total;
    return p;
}

void ruvk_pict_unlock(void)
{
    LockBlock *lb = lock_block();
    if (!lb || !lb->block)
        return;
    GlobalUnlock(lb->block);
    if ((GlobalFlags(lb->block) & GMEM_LOCKCOUNT) == 0) {
        GlobalFree(lb->block);
        lb->block = nullptr;
    }
}

void ruvk_pict_destroy(HBITMAP pict)
{
    LockBlock *lb = lock_block();
    if (lb && lb->block) {
        char buf[256];
        const char *text = ruvv_str_getstr(STR_STILL_LOCKED, buf, sizeof buf, "Picture still locked.");
        error_box("%s", text ? text : "Picture still locked.");
        while (lb->block)
            ruvk_pict_unlock();
    }
    if (pict)
        DeleteObject(pict);
}

} // extern "C"
