// Native windows with toolkit records made by the test itself, for the
// window-service, drawing-state and palette tests: a record filled like
// the kernel fills one (tag, kind, type, parent, top, native handle),
// registered, with a drawing state, on a native window of a plain class.
#ifndef SERVICES_TEST_SUPPORT_H
#define SERVICES_TEST_SUPPORT_H

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "draw_state.h"
#include "kernel_app.h"
#include "ruvv_app.h"
#include "ruvv_vobj.h"

namespace st {

inline const char *plain_class()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "ruvk_services_plain";
        RegisterClassA(&wc);
        registered = true;
    }
    return "ruvk_services_plain";
}

// One toolkit record on a native window.  kind and type as the kernel
// gives them; parent NULL_WIN for a top level under the screen.
class Win {
public:
    Win(uint32_t kind, int32_t type, Win *parent, const char *cls, const char *title, DWORD style, int x, int y,
        int w, int h, DWORD ex_style = 0)
    {
        rec_.tag = RUV_VOBJ_TAG;
        rec_.kind = kind;
        rec_.type = type;
        rec_.parent = parent ? parent->rec() : NULL_WIN;
        rec_.top = parent && (style & WS_CHILD) ? (parent->rec()->top ? parent->rec()->top : parent->rec())
                                                 : &rec_;
        rec_.minus_one = -1;
        HWND owner = parent ? parent->hwnd() : nullptr;
        hwnd_ = CreateWindowExA(ex_style, cls ? cls : plain_class(), title, style, x, y, w, h, owner,
                                (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(next_id()++))
                                                   : nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        rec_.native = hwnd_;
        ruvv_registry_add(&rec_);
        ruvk_draw_state_create(&rec_);
    }
    // A record for a native window made elsewhere (a dialog's controls).
    Win(uint32_t kind, int32_t type, Win *parent, HWND existing) : owns_(false)
    {
        rec_.tag = RUV_VOBJ_TAG;
        rec_.kind = kind;
        rec_.type = type;
        rec_.parent = parent ? parent->rec() : NULL_WIN;
        rec_.top = parent && (GetWindowLongPtrA(existing, GWL_STYLE) & WS_CHILD)
                       ? (parent->rec()->top ? parent->rec()->top : parent->rec())
                       : &rec_;
        rec_.minus_one = -1;
        hwnd_ = existing;
        rec_.native = hwnd_;
        ruvv_registry_add(&rec_);
        ruvk_draw_state_create(&rec_);
    }
    ~Win()
    {
        ruvk_draw_state_destroy(&rec_);
        ruvv_registry_remove(&rec_);
        if (hwnd_ && owns_)
            DestroyWindow(hwnd_);
    }
    Win(const Win &) = delete;
    Win &operator=(const Win &) = delete;

    RUV_WIN rec() { return &rec_; }
    HWND hwnd() const { return hwnd_; }
    RUV_DRAW_STATE *state() { return rec_.draw_state; }

    // A top-level window of the document kind with a frame.
    static std::unique_ptr<Win> doc(const char *title = "doc", int x = 40, int y = 30, int w = 400, int h = 300)
    {
        return std::make_unique<Win>(8u, 1, nullptr, nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h);
    }
    // A borderless top level: client and outer rectangles coincide.
    static std::unique_ptr<Win> popup(int x, int y, int w, int h)
    {
        return std::make_unique<Win>(8u, 1, nullptr, nullptr, "popup", WS_POPUP | WS_VISIBLE, x, y, w, h);
    }
    static std::unique_ptr<Win> child(Win *parent, int x, int y, int w, int h)
    {
        return std::make_unique<Win>(16u, 2, parent, nullptr, "child", WS_CHILD | WS_VISIBLE, x, y, w, h);
    }
    static std::unique_ptr<Win> control(Win *parent, int32_t type, const char *cls, DWORD style, const char *title,
                                        int x = 10, int y = 10, int w = 80, int h = 24)
    {
        return std::make_unique<Win>(0x80u, type, parent, cls, title, WS_CHILD | WS_VISIBLE | style, x, y, w, h);
    }

private:
    static int &next_id()
    {
        static int id = 100;
        return id;
    }
    RUV_VOBJ rec_{};
    HWND hwnd_ = nullptr;
    bool owns_ = true;
};

// Pumps what is queued for the thread.
inline void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A rectangle's four sides, toolkit or native.
inline void expect_rect(const RUV_RECT &r, int top, int left, int bottom, int right)
{
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.bottom, bottom);
    EXPECT_EQ(r.right, right);
}

inline void expect_rect(const RECT &r, int top, int left, int bottom, int right)
{
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.bottom, bottom);
    EXPECT_EQ(r.right, right);
}

// The client rectangle where the window system places the window: in its
// native parent's client area (the screen for top levels).
inline RECT client_in_parent(HWND hwnd)
{
    RECT r;
    GetClientRect(hwnd, &r);
    HWND parent = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
    MapWindowPoints(hwnd, parent, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

inline RECT client_on_screen(HWND hwnd)
{
    RECT r;
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

} // namespace st

#endif
