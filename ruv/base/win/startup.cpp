// Start-up and end of a toolkit application: the platform flags, the
// application record, ruvwi_Begin / ruvwi_Init / ruvwi_ruv_system /
// ruvwi_End, the hidden utility window and the exit entry.

#include <cstring>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>

#include "event_translate.h"
#include "file_system.h"
#include "kernel_app.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_res.h"
#include "ruvv_static.h"
#include "startup.h"
#include "window_create.h"

RUVK_PLATFORM ruvk_platform;

namespace {

constexpr RUV_ERRMSG_ID ERR_APP_NAME = 0x72C350;
constexpr RUV_ERRMSG_ID ERR_WINDOW_MENU = 0x347E90;
constexpr RUV_ERRMSG_ID ERR_ACCELERATORS = 0x347E92;

constexpr int STR_APP_NAME = 30399;
constexpr int STR_NO_RES_LIBRARY = 30018;
constexpr int ACCELERATORS_ID = 9001;
constexpr int WINDOW_MENU_ID = 9002;

void app_init(void *p)
{
    std::memset(p, 0, sizeof(RUV_APP_RECORD));
}

RUV_STATIC_BLOCK(app_desc, RUV_APP_RECORD, app_init, nullptr);

// The text-edit callbacks of the start record.
struct StartInfo {
    void *tx_create;
    void *tx_lookup;
};
RUV_STATIC_BLOCK(start_desc, StartInfo, nullptr, nullptr);

// 16-bit true from the loop's start (pre-start attributes refuse).
RUV_BOOL g_running = 0;

void set_platform_flags()
{
    std::memset(&ruvk_platform, 0, sizeof ruvk_platform);
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    if (!GetVersionExA(&vi))
        return;
    switch (vi.dwPlatformId) {
    case 0:
        ruvk_platform.win32s = 1;
        break;
    case 1:
        ruvk_platform.win9x = 1;
        ruvk_platform.new_shell = 1;
        break;
    case 2:
        if (vi.dwMajorVersion > 3) {
            ruvk_platform.nt4 = 1;
            ruvk_platform.new_shell = 1;
        } else if (vi.dwMajorVersion == 3 && vi.dwMinorVersion > 50) {
            ruvk_platform.new_shell = 1;
        }
        break;
    default:
        break;
    }
}

// Pixels of a number of vertical dialog units of the system font.
intptr_t dialog_units_v(int units)
{
    return MulDiv(units, HIWORD(GetDialogBaseUnits()), 8);
}

void fill_start_values(const RUV_START_RECORD *start, RUV_ATTR_START *v)
{
    std::memset(v, 0, sizeof *v);
    v->dlg_units_12 = dialog_units_v(12);
    v->dlg_units_9 = dialog_units_v(9);
    if (HDC dc = GetDC(nullptr)) {
        v->ppi_x = GetDeviceCaps(dc, LOGPIXELSX);
        v->ppi_y = GetDeviceCaps(dc, LOGPIXELSY);
        int colors = GetDeviceCaps(dc, NUMCOLORS);
        v->color_screen = (colors > 2 || colors == -1) ? 1 : 0;
        ReleaseDC(nullptr, dc);
    }
    v->frame_width = GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXHSCROLL);
    v->frame_height = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
    v->task_style = ruvk_task_style_for_show(start->show_mode);
    v->instance = reinterpret_cast<intptr_t>(start->instance);
    v->prev_instance = reinterpret_cast<intptr_t>(start->prev_instance);
    v->command_line = reinterpret_cast<intptr_t>(start->command_line);
}

// The optional 3-D control library, only on systems older than Windows 9x
// and NT 4 and only when asked for.
void load_ctl3d(RUV_APP_RECORD *app)
{
    if (ruvk_platform.win9x || ruvk_platform.nt4 || !static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_USE_CTL3D)))
        return;
    HMODULE lib = LoadLibraryA("ctl3d32.dll");
    if (!lib)
        return;
    typedef BOOL (WINAPI *Register)(HINSTANCE);
    typedef BOOL (WINAPI *AutoSubclass)(HINSTANCE);
    auto reg = reinterpret_cast<Register>(reinterpret_cast<void *>(GetProcAddress(lib, "Ctl3dRegister")));
    if (!reg || !reg(app->instance)) {
        FreeLibrary(lib);
        return;
    }
    if (auto sub = reinterpret_cast<AutoSubclass>(reinterpret_cast<void *>(GetProcAddress(lib, "Ctl3dAutoSubclass"))))
        sub(app->instance);
    app->ctl3d = lib;
    app->ctl3d_color = GetProcAddress(lib, "Ctl3dCtlColorEx");
    app->ctl3d_subclass = GetProcAddress(lib, "Ctl3dSubclassCtl");
}

void load_window_menu(RUV_APP_RECORD *app)
{
    HMENU menu = LoadMenuA(app->res_instance, "ruv_WindowMenu");
    if (!menu)
        menu = LoadMenuA(app->res_instance, MAKEINTRESOURCEA(WINDOW_MENU_ID));
    if (!menu) {
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_WINDOW_MENU);
        return;
    }
    GetMenuStringA(menu, 0, app->window_menu_title, sizeof app->window_menu_title, MF_BYPOSITION);
    HMENU popup = GetSubMenu(menu, 0);
    if (popup) {
        RemoveMenu(menu, 0, MF_BYPOSITION);
        app->window_menu = popup;
    }
    DestroyMenu(menu);
}

RUV_BOOL make_utility_window(RUV_APP_RECORD *app)
{
    char name[96];
    if (!ruvk_class_register(RUVK_KIND_UTIL, 0, name, sizeof name))
        return 0;
    app->utility = CreateWindowExA(0, name, "", WS_DISABLED, 0, 0, 100, 100, nullptr, nullptr, app->instance, nullptr);
    return app->utility != nullptr;
}

void make_background(RUV_APP_RECORD *app)
{
    uint32_t rgb = static_cast<uint32_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_BACK_COLOR));
    app->back_color = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    app->text_color = GetSysColor(COLOR_WINDOWTEXT);
    app->back_brush = CreateSolidBrush(app->back_color);
}

} // namespace

extern "C" {

RUV_APP_RECORD *ruvk_app_record(void)
{
    return static_cast<RUV_APP_RECORD *>(ruvk_static_get_ptr(&app_desc));
}

RUV_BOOL ruvk_app_is_running(void)
{
    return g_running;
}

RUVK_TX_CREATE ruvk_app_tx_create(void)
{
    auto *info = static_cast<StartInfo *>(ruvk_static_get_ptr(&start_desc));
    return info ? reinterpret_cast<RUVK_TX_CREATE>(info->tx_create) : nullptr;
}

RUV_BOOL ruvv_win_save_start_info(const RUV_START_RECORD *start)
{
    auto *info = static_cast<StartInfo *>(ruvk_static_get_ptr(&start_desc));
    if (!start || !info)
        return 0;
    info->tx_create = start->tx_create_callback;
    info->tx_lookup = start->tx_lookup_callback;
    return 1;
}

int32_t ruvk_task_style_for_show(int32_t show_mode)
{
    switch (show_mode) {
    case 2:
    case 7:
        return 0x83 | 0x100;
    case 3:
        return 0x83 | 0x1000;
    default:
        return 0x83;
    }
}

RUV_BOOL ruvwi_Begin(const RUV_START_RECORD *start)
{
    set_platform_flags();
    RUV_APP_RECORD *app = ruvk_app_record();
    RUV_BOOL saved = ruvv_win_save_start_info(start);
    return app && saved ? 1 : 0;
}

int32_t ruvwi_Init(const RUV_START_RECORD *start)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app || !start)
        return 0;
    // Message queues grow as needed on every system this runs on: the
    // queue-size request of the oldest systems is not made.
    app->instance = start->instance;
    app->prev_instance = start->prev_instance;
    app->res_instance = start->instance;
    app->exit_callback = start->exit_callback;
    app->mouse_state[0] = GetSystemMetrics(SM_MOUSEPRESENT) ? 0 : -1;
    app->mouse_state[1] = 0;
    app->mouse_state[2] = 0;
    app->mouse_state[3] = -1;
    app->mouse_state[4] = -1;
    app->update_rect.top = 0;
    app->update_rect.left = 0;
    app->update_rect.bottom = 0x7fff;
    app->update_rect.right = 0x7fff;
    app->first_document = 1;
    app->dc_cache_limit = 7;
    app->modeless_count = 0;
    app->dc_window = NULL_WIN;
    app->attr_values = nullptr;

    RUV_ATTR_START values;
    fill_start_values(start, &values);
    if (!ruvv_attr_init(&values))
        return 0;

    INITCOMMONCONTROLSEX icc{ sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_USEREX_CLASSES };
    InitCommonControlsEx(&icc);

    ruvk_msg_hook_install(app->instance);
    return 1;
}

void ruvwi_ruv_system(int32_t argc, char **argv, intptr_t value, RUV_EVENT_HANDLER task_handler,
                      RUV_APP_CONFIG *config)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app)
        return;
    ruvk_app_split_command_line(argc, argv);

    bool res_failed = false;
    if (const char *lib = reinterpret_cast<const char *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_RESOURCE_LIBRARY))) {
        if (HMODULE h = LoadLibraryA(lib))
            app->res_instance = h;
        else
            res_failed = true;
    }
    if (!app->res_instance)
        app->res_instance = app->instance;

    load_ctl3d(app);

    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_APP_CONFIG, reinterpret_cast<intptr_t>(config));
    if (config && !config->app_name)
        config->app_name = app->app_name;
    if (LoadStringA(app->res_instance, STR_APP_NAME, app->app_name, sizeof app->app_name) <= 0) {
        app->app_name[0] = '\0';
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_APP_NAME);
    }

    ruvv_res_init();

    if (res_failed) {
        char text[256];
        if (LoadStringA(app->instance, STR_NO_RES_LIBRARY, text, sizeof text) <= 0)
            std::strcpy(text, "Cannot find resource file - will use default resources");
        MessageBoxA(nullptr, text, config && config->app_name ? config->app_name : "", MB_OK | MB_TASKMODAL);
    }

    if (ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_FONT_CACHE_SIZE) <= 0)
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_FONT_CACHE_SIZE, 10);
    ruvv_font_cache_init();

    app->system_value = value;
    app->accelerators = LoadAcceleratorsA(app->res_instance, MAKEINTRESOURCEA(ACCELERATORS_ID));
    if (!app->accelerators)
        RUV_ERR(nullptr, RUV_SEV_FATAL, ERR_ACCELERATORS);
    ruvk_fsys_set_dir_startup();

    if (static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI)))
        load_window_menu(app);

    ruvk_class_table_init(app);
    make_utility_window(app);
    make_background(app);

    g_running = 1;

    if (!ruvk_app_create_screen_and_task(task_handler, config))
        return;

    for (;;) {
        int32_t r = ruvwi_pump_messages(app, 0, 0, nullptr);
        if (r == 0)
            break;
        WaitMessage();
    }
}

HWND ruvwi_get_utility_hwnd(void)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    return app ? app->utility : nullptr;
}

RUV_APP_RECORD *ruvk_app_exit(int16_t call_exit)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (call_exit && app && app->exit_callback)
        app->exit_callback(0);
    return app;
}

void ruvwi_End(void)
{
    // Everything still queued goes undispatched; paint messages are not
    // queued (they come while a window needs painting).
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, WM_PAINT - 1, PM_REMOVE) ||
           PeekMessageA(&msg, nullptr, WM_PAINT + 1, 0xFFFFFFFFu, PM_REMOVE)) {
    }
    // A loop that never ran leaves the classes and the utility window.
    if (RUV_APP_RECORD *app = ruvk_app_record()) {
        if (!app->being_destroyed)
            ruvk_app_final_cleanup();
    }
    g_running = 0;
    ruvk_static_release_process();
}

void ruvk_app_set_file_processed(void)
{
}

} // extern "C"
