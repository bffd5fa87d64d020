// The kernel's ends of the toolkit attributes: the public read and write
// entries over the portable attribute table, and the values that only the
// window system knows (metrics, colours, native handles, the screen's
// colour class, the device context of a window, the context cache).

#include "draw_state.h"
#include "html_view.h"
#include "kernel_app.h"
#include "menus.h"
#include "printing.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "startup.h"
#include "window_services.h"

namespace {

constexpr int32_t KEY_SCREEN_CLASS = 105;
constexpr int32_t KEY_DEVICE_CONTEXT = 601;
constexpr int32_t KEY_DC_CACHE_LIMIT = 10023;
constexpr int32_t KEY_DC_CACHE_COUNT = 10024;

// 5 without a palette, 3 for 16 entries, 4 for 256, else 0.
intptr_t screen_color_class()
{
    HDC dc = GetDC(ruvwi_get_utility_hwnd());
    if (!dc)
        return 0;
    intptr_t r = 5;
    if (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) {
        int size = GetDeviceCaps(dc, SIZEPALETTE);
        r = size == 16 ? 3 : size == 256 ? 4 : 0;
    }
    ReleaseDC(ruvwi_get_utility_hwnd(), dc);
    return r;
}

// The window's device context; the drawing state keeps the device's
// current position.
intptr_t device_context(RUV_WIN win)
{
    if (!win || !ruvv_vobj_is_valid(win))
        return 0;
    RUV_DRAW_STATE *st = ruvk_draw_begin(win);
    if (!st)
        return 0;
    HDC hdc = ruvk_draw_get_hdc(st);
    ruvk_draw_end(st);
    return reinterpret_cast<intptr_t>(hdc);
}

// The default printer's page: 404 height, 405 width, 406 horizontal and
// 407 vertical resolution; 0 without a printer.
intptr_t printer_value(int32_t key)
{
    RUV_PRINT_RECORD *record = ruvk_print_create(nullptr);
    RUVK_PAGE_INFO page{};
    bool ok = record && ruvk_print_record_is_valid(record) && ruvk_print_get_page_info(record, nullptr, &page);
    ruvk_print_destroy(record);
    if (!ok)
        return 0;
    return key == 404 ? page.height : key == 405 ? page.width : key == 406 ? page.hres : page.vres;
}

} // namespace

extern "C" {

intptr_t ruvk_vobj_get_attr(RUV_WIN win, int32_t key)
{
    return ruvv_attr_get(win, key);
}

void ruvk_vobj_set_attr(RUV_WIN win, int32_t key, intptr_t value)
{
    ruvv_attr_set(win, key, value);
}

intptr_t ruvk_attr_get_system(RUV_WIN win, int32_t key, int32_t arg)
{
    if (arg != key)
        return GetSystemMetrics(arg);
    RUV_APP_RECORD *app = ruvk_app_record();
    switch (key) {
    case RUV_ATTR_BACK_COLOR:
        return static_cast<intptr_t>(GetSysColor(ruvk_platform.win32s ? COLOR_WINDOW : COLOR_BTNFACE));
    case KEY_SCREEN_CLASS:
        return screen_color_class();
    case KEY_DEVICE_CONTEXT:
        return device_context(win);
    case RUV_ATTR_NATIVE_WINDOW:
        return win && ruvv_vobj_is_valid(win) ? reinterpret_cast<intptr_t>(ruvk_vobj_hwnd(win)) : 0;
    case KEY_DC_CACHE_LIMIT:
        return app ? app->dc_cache_limit : 0;
    case KEY_DC_CACHE_COUNT:
        // The native-menu cache, whose size the limit bounds.
        return ruvk_menu_cache_count();
    case 404:
    case 405:
    case 406:
    case 407:
        return printer_value(key);
    case 10037:
        return ruvk_html_get_browser(win);
    case 10038:
        return ruvk_html_get_interface_level(win);
    default:
        return 0;
    }
}

void ruvk_attr_set_system(RUV_WIN win, int32_t key, intptr_t value)
{
    if (key == KEY_DC_CACHE_LIMIT) {
        if (RUV_APP_RECORD *app = ruvk_app_record())
            app->dc_cache_limit = static_cast<int32_t>(value);
    } else if (key == 10038) {
        ruvk_html_set_event_object(win, value);
    }
}

} // extern "C"
