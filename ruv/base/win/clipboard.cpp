/* The clipboard: opened on the utility window for reading or writing;
   text (CF_TEXT), pictures (CF_BITMAP, read back as a packed
   device-independent bitmap) and formats registered by name.  One block
   being filled (put) and one block last read (got) at a time; misuse is
   fatal, failures of the system answer FALSE or NULL. */
#include "clipboard.h"

#include <string.h>

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_static.h"

RUVK_CB_CALLS ruvk_cb_calls = {
    RegisterClipboardFormatA, OpenClipboard, EmptyClipboard, CloseClipboard, GlobalAlloc,
    GlobalLock, GlobalUnlock, GlobalFree, SetClipboardData, GetClipboardData,
};

namespace {

constexpr RUV_ERRMSG_ID kRegisterFailed = 0x3477EC;
constexpr RUV_ERRMSG_ID kBadFormat = 0x3477ED;
constexpr RUV_ERRMSG_ID kGotStillLocked = 0x3477EE;
constexpr RUV_ERRMSG_ID kGotFreeFailed = 0x3477EF;
constexpr RUV_ERRMSG_ID kPutUnlockFailed = 0x3477F0;
constexpr RUV_ERRMSG_ID kPutFreeFailed = 0x3477F1;
constexpr RUV_ERRMSG_ID kOpenTwice = 0x3477F3;
constexpr RUV_ERRMSG_ID kEmptyFailed = 0x3477F5;
constexpr RUV_ERRMSG_ID kCloseFailed = 0x3477F7;
constexpr RUV_ERRMSG_ID kPutBlockExists = 0x3477F9;
constexpr RUV_ERRMSG_ID kPutPointerExists = 0x3477FA;
constexpr RUV_ERRMSG_ID kAllocFailed = 0x3477FB;
constexpr RUV_ERRMSG_ID kPictureWithText = 0x3477FE;

struct CbBlock {
    int16_t open;
    int16_t closing;
    HGLOBAL put;
    void *put_ptr;
    HGLOBAL got;
    void *got_ptr;
    int16_t got_made;       /* the kernel made the got block (a picture) */
};
RUV_STATIC_BLOCK(g_desc, CbBlock, nullptr, nullptr);

CbBlock *block()
{
    return static_cast<CbBlock *>(ruvk_static_get_ptr(&g_desc));
}

void fatal(RUV_ERRMSG_ID id)
{
    RUV_ERR(nullptr, RUV_SEV_FATAL, id);
}

/* The native format of a toolkit format; 0 after a fatal report. */
UINT native_format(int32_t format, const char *name)
{
    switch (format) {
    case RUVK_CB_TEXT:
        return CF_TEXT;
    case RUVK_CB_PICTURE:
        return CF_BITMAP;
    case RUVK_CB_NAMED: {
        UINT f = name ? ruvk_cb_calls.register_format(name) : 0;
        if (!f)
            fatal(kRegisterFailed);
        return f;
    }
    default:
        fatal(kBadFormat);
        return 0;
    }
}

/* GlobalUnlock's answer: true when the block is no longer locked. */
bool unlocked(HGLOBAL h)
{
    SetLastError(NO_ERROR);
    return !ruvk_cb_calls.unlock(h) && GetLastError() == NO_ERROR;
}

void release_got(CbBlock *b)
{
    if (b->got) {
        if (b->got_ptr && !unlocked(b->got))
            fatal(kGotStillLocked);
        if (b->got_made && ruvk_cb_calls.free(b->got))
            fatal(kGotFreeFailed);
    }
    b->got = nullptr;
    b->got_ptr = nullptr;
    b->got_made = 0;
}

void release_put(CbBlock *b)
{
    if (b->put && b->put_ptr) {
        if (!unlocked(b->put))
            fatal(kPutUnlockFailed);
        else
            b->put_ptr = nullptr;
    } else {
        b->put_ptr = nullptr;
    }
    if (b->put && ruvk_cb_calls.free(b->put))
        fatal(kPutFreeFailed);
    b->put = nullptr;
}

/* A packed device-independent bitmap (header, colour table, bits) of a
   bitmap, in moveable global memory; NULL when it cannot be made. */
HGLOBAL bitmap_to_dib(HBITMAP bitmap)
{
    BITMAP bm;
    if (!GetObjectA(bitmap, sizeof bm, &bm))
        return nullptr;
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = bm.bmWidth;
    h.biHeight = bm.bmHeight;
    h.biPlanes = 1;
    h.biBitCount = bm.bmBitsPixel <= 8 ? bm.bmBitsPixel : 24;
    h.biCompression = BI_RGB;
    DWORD colors = h.biBitCount <= 8 ? (1u << h.biBitCount) : 0;
    DWORD stride = ((DWORD)bm.bmWidth * h.biBitCount + 31) / 32 * 4;
    h.biSizeImage = stride * (DWORD)bm.bmHeight;
    SIZE_T size = sizeof h + colors * sizeof(RGBQUAD) + h.biSizeImage;
    HGLOBAL g = ruvk_cb_calls.alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!g)
        return nullptr;
    auto *p = static_cast<BYTE *>(ruvk_cb_calls.lock(g));
    bool ok = false;
    if (p) {
        memcpy(p, &h, sizeof h);
        HDC dc = GetDC(nullptr);
        ok = GetDIBits(dc, bitmap, 0, (UINT)bm.bmHeight, p + sizeof h + colors * sizeof(RGBQUAD),
                       reinterpret_cast<BITMAPINFO *>(p), DIB_RGB_COLORS) != 0;
        ReleaseDC(nullptr, dc);
        ruvk_cb_calls.unlock(g);
    }
    if (!ok) {
        ruvk_cb_calls.free(g);
        return nullptr;
    }
    return g;
}

} // namespace

extern "C" {

void *ruvv_gmem_lock(void *handle)
{
    return handle;
}

RUV_BOOL ruvk_cb_open(int16_t for_writing)
{
    CbBlock *b = block();
    if (!b)
        return FALSE;
    if (b->open) {
        fatal(kOpenTwice);
        return FALSE;
    }
    release_got(b);
    release_put(b);
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!ruvk_cb_calls.open(app ? app->utility : nullptr))
        return FALSE;
    b->open = 1;
    if (for_writing && !ruvk_cb_calls.empty()) {
        ruvk_cb_calls.close();
        b->open = 0;
        fatal(kEmptyFailed);
        return FALSE;
    }
    return TRUE;
}

RUV_BOOL ruvk_cb_close(void)
{
    CbBlock *b = block();
    if (!b)
        return FALSE;
    if (b->closing)
        return TRUE;
    b->closing = 1;
    release_got(b);
    release_put(b);
    RUV_BOOL ok = TRUE;
    if (b->open) {
        b->open = 0;
        if (!ruvk_cb_calls.close()) {
            fatal(kCloseFailed);
            ok = FALSE;
        }
    }
    b->closing = 0;
    return ok;
}

RUV_BOOL ruvk_cb_has_format(int32_t format, const char *name)
{
    UINT f = native_format(format, name);
    return f && IsClipboardFormatAvailable(f);
}

void *ruvk_cb_alloc_data(int32_t length)
{
    CbBlock *b = block();
    if (!b)
        return nullptr;
    if (b->put) {
        fatal(kPutBlockExists);
        return nullptr;
    }
    if (b->put_ptr) {
        fatal(kPutPointerExists);
        return nullptr;
    }
    HGLOBAL h = length >= 0 ? ruvk_cb_calls.alloc(GMEM_MOVEABLE, (SIZE_T)length + 1) : nullptr;
    void *p = h ? ruvk_cb_calls.lock(h) : nullptr;
    if (!p) {
        if (h)
            ruvk_cb_calls.free(h);
        ruvk_cb_close();
        fatal(kAllocFailed);
        return nullptr;
    }
    memset(p, 0, (size_t)length + 1);
    b->put = h;
    b->put_ptr = p;
    return p;
}

RUV_BOOL ruvk_cb_free_data(void)
{
    CbBlock *b = block();
    if (!b)
        return FALSE;
    release_put(b);
    return TRUE;
}

RUV_BOOL ruvk_cb_put_data(int32_t format, const char *name, int32_t length, void *picture)
{
    CbBlock *b = block();
    if (!b)
        return FALSE;
    UINT f = native_format(format, name);
    if (!f)
        return FALSE;
    if (format == RUVK_CB_PICTURE)
        return picture && ruvk_cb_calls.set_data(CF_BITMAP, picture) != nullptr;
    if (picture) {
        fatal(kPictureWithText);
        return FALSE;
    }
    if (!b->put || !b->put_ptr)
        return FALSE;
    if (format == RUVK_CB_TEXT) {
        SIZE_T size = GlobalSize(b->put);
        if (length >= 0 && (SIZE_T)length < size)
            memset(static_cast<char *>(b->put_ptr) + length, 0, size - (SIZE_T)length);
    }
    if (!unlocked(b->put))
        return FALSE;
    b->put_ptr = nullptr;
    if (!ruvk_cb_calls.set_data(f, b->put))
        return FALSE;
    b->put = nullptr;
    return TRUE;
}

void *ruvk_cb_get_data(int32_t format, const char *name, int32_t *length)
{
    CbBlock *b = block();
    if (length)
        *length = 0;
    if (!b)
        return nullptr;
    UINT f = native_format(format, name);
    if (!f || !IsClipboardFormatAvailable(f))
        return nullptr;
    release_got(b);
    HANDLE data = ruvk_cb_calls.get_data(f);
    HGLOBAL g = nullptr;
    if (data && f == CF_BITMAP) {
        g = bitmap_to_dib(static_cast<HBITMAP>(data));
        b->got_made = g != nullptr;
    } else {
        g = static_cast<HGLOBAL>(data);
    }
    void *p = g ? ruvk_cb_calls.lock(g) : nullptr;
    if (!p) {
        if (b->got_made)
            ruvk_cb_calls.free(g);
        b->got_made = 0;
        ruvk_cb_close();
        return nullptr;
    }
    b->got = g;
    b->got_ptr = p;
    SIZE_T size = GlobalSize(g);
    int32_t n = (int32_t)size;
    if (f == CF_TEXT)
        n = (int32_t)strnlen(static_cast<const char *>(p), size);
    if (length)
        *length = n;
    return p;
}

} // extern "C"
