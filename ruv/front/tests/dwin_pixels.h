// Pixels of a window's client area for the drawing tests: a copy taken out
// of its device context after the toolkit has let its own context go, and
// counts of a colour in a part of it.
#ifndef RUVF_DWIN_PIXELS_H
#define RUVF_DWIN_PIXELS_H

#include <cstdint>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "front_fixture.h"
#include "ruv.h"

namespace ruvf_test {

// Toolkit colours with their standard-colour tags, and what the screen
// shows of them.
constexpr RUV_COLOR T_RED = 0x01FF0000u, T_BLUE = 0x030000FFu, T_BLACK = 0x07000000u, T_WHITE = 0x0BFFFFFFu;
constexpr COLORREF PX_RED = RGB(255, 0, 0), PX_BLUE = RGB(0, 0, 255), PX_WHITE = RGB(255, 255, 255);

class Pixels {
public:
    explicit Pixels(HWND hwnd)
    {
        // The toolkit lets its held device context go after each pass of
        // the message loop.
        pump(5);
        GdiFlush();
        RECT rc{};
        GetClientRect(hwnd, &rc);
        w_ = rc.right > 0 ? rc.right : 1;
        h_ = rc.bottom > 0 ? rc.bottom : 1;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w_;
        bi.bmiHeader.biHeight = -h_;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void *bits = nullptr;
        HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, bmp);
        HDC dc = GetDC(hwnd);
        BitBlt(mem, 0, 0, w_, h_, dc, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
        GdiFlush();
        px_.assign(static_cast<uint32_t *>(bits), static_cast<uint32_t *>(bits) + static_cast<size_t>(w_) * h_);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(bmp);
    }
    COLORREF at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= w_ || y >= h_)
            return CLR_INVALID;
        uint32_t p = px_[static_cast<size_t>(y) * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int count(COLORREF c, int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += at(x, y) == c;
        return n;
    }
    int count(COLORREF c) const { return count(c, 0, 0, w_, h_); }
    int width() const { return w_; }
    int height() const { return h_; }

private:
    int w_ = 0, h_ = 0;
    std::vector<uint32_t> px_;
};

// Fills the client area with one colour past the toolkit.
inline void fill_client(HWND hwnd, COLORREF c = PX_WHITE)
{
    pump(5);
    HDC dc = GetDC(hwnd);
    RECT r{};
    GetClientRect(hwnd, &r);
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
    ReleaseDC(hwnd, dc);
    GdiFlush();
}

inline RUV_POINT pt(int h, int v)
{
    return RUV_POINT{ static_cast<int16_t>(v), static_cast<int16_t>(h) };
}

inline RUV_RECT rc(int left, int top, int right, int bottom)
{
    return RUV_RECT{ static_cast<int16_t>(top), static_cast<int16_t>(left), static_cast<int16_t>(bottom),
                     static_cast<int16_t>(right) };
}

// Red one-pixel pen, solid red brush, copy mode.
inline void red_tools(RUV_WIN w)
{
    RUV_DRAW_CTOOLS t{ { 1, 2, 0, T_RED }, { 2, T_RED }, 0, T_RED, T_WHITE, 0 };
    ruv_dwin_set_draw_ctools(w, &t);
}

// The document window cleared to white with nothing left to repaint (so a
// drawing stays until it is read back), and red tools.
inline RUV_WIN canvas(Ctx &c)
{
    RUV_WIN w = c.get(Obj::Doc);
    pump(20);
    fill_client(c.hwnd(Obj::Doc));
    ValidateRect(c.hwnd(Obj::Doc), nullptr);
    red_tools(w);
    return w;
}

} // namespace ruvf_test

#endif
