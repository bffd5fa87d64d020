// Top-level windows kept on the screen: window descriptions place the
// client area, and the frame around it (title bar, menu bar, borders) would
// start above or left of the screen for a window near its corner.  Every
// top-level window is made, and a window placed afresh is moved, so that
// its whole frame lies on the screen as far as it fits.
#include <windows.h>

#include "editor_shell.h"
#include "ruvv_attr.h"

namespace {

// The start of a span of `size` moved onto [0, screen).
int Fitted(int at, int size, int screen)
{
    if (at + size > screen)
        at = screen - size;
    return at < 0 ? 0 : at;
}

// The toolkit's creation hook: the outer rectangle of a top-level window.
void FitNewWindow(DWORD *, LPCSTR *, LPCSTR *, DWORD *style, int *x, int *y, int *w, int *h, HWND *, HMENU *,
                  HINSTANCE *, LPVOID *)
{
    if ((*style & WS_CHILD) || *x == CW_USEDEFAULT || *y == CW_USEDEFAULT || *w == CW_USEDEFAULT ||
        *h == CW_USEDEFAULT)
        return;
    *x = Fitted(*x, *w, GetSystemMetrics(SM_CXSCREEN));
    *y = Fitted(*y, *h, GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace

void KeepWindowsOnScreen(void)
{
    ruv_vobj_set_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK, reinterpret_cast<intptr_t>(&FitNewWindow));
}

void MoveFrameOnScreen(RUV_WIN window)
{
    HWND hwnd = window ? reinterpret_cast<HWND>(ruv_vobj_get_attr(window, RUV_ATTR_NATIVE_WINDOW)) : nullptr;
    RECT r{};
    if (!hwnd || !GetWindowRect(hwnd, &r))
        return;
    const int x = Fitted(r.left, r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    const int y = Fitted(r.top, r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
    if (x != r.left || y != r.top)
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
