// Destruction of toolkit windows: by class kind, the native destroy
// message of a window (E_DESTROY, then its record goes), the teardown of
// the application when a task window is destroyed, and the final clean-up
// of every object and of the process's native state.

#include <cstring>

#include "clipboard.h"
#include "cursor.h"
#include "dialogs.h"
#include "draw_state.h"
#include "event_translate.h"
#include "file_system.h"
#include "html_view.h"
#include "kernel_app.h"
#include "menus.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_cxo.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "startup.h"
#include "timers.h"
#include "window_create.h"
#include "native_controls.h"
#include "pixmaps.h"
#include "printing.h"
#include "window_services.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_NO_WINDOW_KIND = 0x3486DF;
constexpr RUV_ERRMSG_ID ERR_BAD_KIND = 0x348739;
constexpr RUV_ERRMSG_ID ERR_TASK_DESTROY = 0x34873A;
constexpr RUV_ERRMSG_ID ERR_DESTROY = 0x34873B;

constexpr uint32_t KINDS_DESTROYABLE = 0x500016ffu;
constexpr uint32_t KINDS_RELEASE_DC = 0x543eu;
constexpr uint32_t KINDS_TASKS_AND_FRAME = 0x20000003u;

bool valid(RUV_WIN w)
{
    return w && ruvv_vobj_is_valid(w);
}

void send_event(RUV_WIN win, int32_t type)
{
    RUV_EVENT ev;
    std::memset(&ev, 0, sizeof ev);
    ev.type = type;
    ruvk_win_dispatch_event(win, &ev);
}

// A snapshot of the registered objects that pass keep (the registry
// changes while they are destroyed); NULL-terminated, freed by the caller.
template <typename Keep>
RUV_WIN *snapshot(Keep keep)
{
    int count = 0;
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    while (ruvv_registry_iter_next(&it, nullptr, 0))
        ++count;
    auto *list = static_cast<RUV_WIN *>(ruvv_mem_zalloc(sizeof(RUV_WIN) * (count + 1)));
    if (!list)
        return nullptr;
    int n = 0;
    ruvv_registry_iter_init(&it);
    while (RUV_WIN w = ruvv_registry_iter_next(&it, nullptr, 0))
        if (keep(w))
            list[n++] = w;
    return list;
}

// Gives back the windows a modal loop disabled and drops their list.
void enable_disabled(RUV_WIN win)
{
    if (auto *disabled = static_cast<RUV_WIN *>(win->modal_disabled)) {
        for (RUV_WIN *p = disabled; *p; ++p)
            if (valid(*p) && (*p)->native)
                EnableWindow(static_cast<HWND>((*p)->native), TRUE);
        ruvv_mem_free(disabled);
        win->modal_disabled = nullptr;
    }
}

void destroy_modal(RUV_WIN win)
{
    enable_disabled(win);
    HWND hwnd = static_cast<HWND>(win->native);
    win->kernel_flags &= ~RUVK_KF_MODAL;
    if (hwnd) {
        ShowWindow(hwnd, SW_HIDE);
        DestroyWindow(hwnd);
    }
}

void teardown(RUV_WIN task, int16_t call_exit)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app || app->being_destroyed)
        return;
    app->being_destroyed = 1;
    ruvk_cursor_stop_tracking();
    ruvk_timer_release_all();
    ruvk_app_free_files();
    ruvk_cb_close();

    // Every other window with a native window of its own and no native
    // parent.
    if (RUV_WIN *list = snapshot([](RUV_WIN w) {
            if ((w->kind & KINDS_TASKS_AND_FRAME) || !w->native)
                return false;
            return (GetWindowLongPtrA(static_cast<HWND>(w->native), GWL_STYLE) & WS_CHILD) == 0;
        })) {
        for (RUV_WIN *p = list; *p; ++p)
            if (valid(*p))
                ruvk_vobj_destroy_ex(*p, 0);
        ruvv_mem_free(list);
    }

    if (task->kind == RUVK_KIND_NOWIN_TASK) {
        send_event(task, E_DESTROY);
        PostQuitMessage(0);
    } else if (HWND hwnd = static_cast<HWND>(task->native)) {
        if (task->kind == RUVK_KIND_MDITASK && app->mdi_client) {
            while (HWND doc = reinterpret_cast<HWND>(SendMessageA(app->mdi_client, WM_MDIGETACTIVE, 0, 0))) {
                SendMessageA(app->mdi_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc), 0);
                if (IsWindow(doc))
                    break;
            }
        }
        if (!DestroyWindow(hwnd))
            RUV_ERR(task, RUV_SEV_FATAL, ERR_TASK_DESTROY);
    }
    ruvk_app_final_cleanup();
    ruvk_app_exit(call_exit);
}

} // namespace

extern "C" {

void ruvk_vobj_destroy(RUV_WIN win)
{
    ruvk_vobj_destroy_ex(win, 1);
}

void ruvk_vobj_destroy_ex(RUV_WIN win, int16_t call_exit)
{
    if (!valid(win) || (win->kernel_flags & RUVK_KF_DESTROYING))
        return;
    RUV_APP_RECORD *app = ruvk_app_record();
    HWND hwnd = static_cast<HWND>(win->native);
    switch (win->kind) {
    case RUVK_KIND_WIALOG:
        destroy_modal(win);
        return;
    case RUVK_KIND_DIALOG:
        ruvk_dlg_close(win);
        return;
    case RUVK_KIND_MDIDOC:
        if (app && app->mdi_client && hwnd)
            SendMessageA(app->mdi_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
        return;
    case RUVK_KIND_TASK:
    case RUVK_KIND_DRAWTASK:
    case RUVK_KIND_MDITASK:
    case RUVK_KIND_NOWIN_TASK:
        teardown(win, call_exit);
        return;
    case RUVK_KIND_PRINT:
        ruvk_print_end_doc(win);
        return;
    case RUVK_KIND_PIXMAP:
        ruvk_pmap_destroy(win);
        return;
    default:
        break;
    }
    if (win->kind & ~KINDS_DESTROYABLE) {
        RUV_ERR(win, RUV_SEV_FATAL, ERR_BAD_KIND);
        return;
    }
    // Native windows and native controls.
    if (!(win->kind & (RUVK_KINDS_NATIVE | RUVK_KIND_CONTROL)) || !hwnd) {
        RUV_ERR(win, RUV_SEV_FATAL, ERR_NO_WINDOW_KIND);
        return;
    }
    ruvk_html_destroy_view(win);   // an HTML view lets its browser go first
    if (!DestroyWindow(hwnd))
        RUV_ERR(win, RUV_SEV_FATAL, ERR_DESTROY);
}

void ruvk_win_native_destroyed(HWND hwnd)
{
    RUV_WIN win = ruvwi_hwnd_to_window(hwnd);
    if (!win)
        return;
    ruvk_timer_kill_window(hwnd);
    ruvk_pointer_forget_window(hwnd);
    ruvk_focus_forget(win);
    win->kernel_flags |= RUVK_KF_DESTROYING;
    send_event(win, E_DESTROY);
    if (!valid(win))
        return;
    if ((win->kind & KINDS_RELEASE_DC) && ruvk_draw_cached_window() == win)
        ruvk_draw_release_cached();
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    // A modal window's record belongs to its loop; the windows the loop
    // disabled come back however the window went.
    bool keep = win->type == RUVK_W_MODAL && win->modal_state;
    enable_disabled(win);
    RUV_APP_RECORD *app = ruvk_app_record();
    if (app && app->dc_window == win)
        app->dc_window = NULL_WIN;
    ruvk_pmap_destroy_children(win);
    ruvk_draw_state_destroy(win);
    ruvk_menu_drop(win);
    ruvk_vobj_record_release(win);
    if (!keep)
        ruvv_mem_free(win);
}

void ruvk_app_final_cleanup(void)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app)
        return;
    app->being_destroyed = 1;
    // Native windows first (their records go with their destroy message).
    if (RUV_WIN *list = snapshot([](RUV_WIN w) { return (w->kind & RUVK_KINDS_NATIVE) && w->native; })) {
        for (RUV_WIN *p = list; *p; ++p) {
            if (!valid(*p))
                continue;
            HWND h = static_cast<HWND>((*p)->native);
            // The window's own menu first, so no bar is destroyed twice.
            ruvk_menu_drop(*p);
            if (HMENU menu = GetMenu(h)) {
                SetMenu(h, nullptr);
                DestroyMenu(menu);
            }
            DestroyWindow(h);
        }
        ruvv_mem_free(list);
    }
    // Print jobs left open end (their documents are ended or aborted) and
    // every pixmap goes with its bitmap.
    if (RUV_WIN *list = snapshot([](RUV_WIN w) { return w->kind == RUVK_KIND_PRINT; })) {
        for (RUV_WIN *p = list; *p; ++p)
            if (valid(*p))
                ruvk_print_end_doc(*p);
        ruvv_mem_free(list);
    }
    ruvk_pmap_destroy_children(NULL_WIN);
    // Then every object left: the screen, the window-less task and any
    // record whose native window is gone.
    if (RUV_WIN *list = snapshot([](RUV_WIN) { return true; })) {
        for (RUV_WIN *p = list; *p; ++p) {
            RUV_WIN w = *p;
            if (!valid(w))
                continue;
            ruvk_draw_state_destroy(w);
            ruvk_vobj_record_release(w);
            ruvv_mem_free(w);
        }
        ruvv_mem_free(list);
    }
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_SCREEN_WINDOW, 0);
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, 0);

    if (app->utility) {
        ruvk_timer_release_all();
        DestroyWindow(app->utility);
        app->utility = nullptr;
    }
    ruvv_cxo_free_pending();
    if (app->res_instance && app->res_instance != app->instance)
        FreeLibrary(app->res_instance);
    app->res_instance = app->instance;
    if (app->ctl3d) {
        typedef BOOL (WINAPI *Unregister)(HINSTANCE);
        if (auto unreg = reinterpret_cast<Unregister>(reinterpret_cast<void *>(GetProcAddress(app->ctl3d, "Ctl3dUnregister"))))
            unreg(app->instance);
        FreeLibrary(app->ctl3d);
        app->ctl3d = nullptr;
        app->ctl3d_color = nullptr;
        app->ctl3d_subclass = nullptr;
    }
    if (app->back_brush) {
        DeleteObject(app->back_brush);
        app->back_brush = nullptr;
    }
    if (app->accelerators) {
        DestroyAcceleratorTable(app->accelerators);
        app->accelerators = nullptr;
    }
    if (app->window_menu) {
        DestroyMenu(app->window_menu);
        app->window_menu = nullptr;
    }
    ruvk_msg_hook_remove();
    ruvv_res_term();
    ruvv_font_cache_term();
    ruvk_class_table_term(app);
}

} // extern "C"
