/* Print jobs: the application's print function run on the GUI thread, the
   print window (a drawable object whose device context is the printer's)
   with its status dialog, documents, pages and bands, the abort procedure
   that keeps the queue served while the spooler works, and the mapping of
   failed print calls to toolkit errors. */
#include "printing.h"

#include "dialogs.h"
#include "draw_state.h"
#include "event_translate.h"
#include "file_system.h"
#include "kernel_app.h"
#include "window_create.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_str.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr RUV_ERRMSG_ID ERR_NO_PRINTER_DC = 0x0072C35A;
constexpr RUV_ERRMSG_ID ERR_BAND_NO_JOB = 0x0073C396;
constexpr RUV_ERRMSG_ID ERR_NESTED = 0x0073C397;
constexpr RUV_ERRMSG_ID ERR_JOB_LEFT_OPEN = 0x0073C398;
constexpr RUV_ERRMSG_ID ERR_OPEN_PAGE = 0x0073C399;
constexpr RUV_ERRMSG_ID ERR_CLOSE_PAGE = 0x0073C39A;
constexpr RUV_ERRMSG_ID ERR_NOT_PRINTING = 0x0073C39E;
constexpr RUV_ERRMSG_ID ERR_OUT_OF_MEMORY = 0x01510002;
constexpr RUV_ERRMSG_ID ERR_OUT_OF_DISK = 0x01540001;
constexpr RUV_ERRMSG_ID ERR_PRINT_FAILED = 0x01540003;
constexpr RUV_ERRMSG_ID ERR_ABORT_NO_JOB = 0x01570003;

constexpr int32_t ATTR_PRINT_DC_HOOK = 10004;
constexpr int32_t ATTR_PRINT_WIN_ONLY = 10035;

constexpr int STATUS_DIALOG = 9055;
constexpr int ITEM_DOCUMENT = 4;
constexpr int ITEM_STATUS = 5;
constexpr int ITEM_CANCEL = 2;

/* A print window: the toolkit object first. */
struct PrintWin {
    RUV_VOBJ obj;
    HWND status;
    int16_t cancelled;
    int16_t failed;
    int16_t band_pending;
    RUV_RECT band;
    int32_t page;
    RUV_PRINT_RECORD *record;
    RUV_WIN *disabled;
    int16_t doc_started;
};

void report(RUV_ERRMSG_ID id, int line, int32_t severity = RUV_SEV_ERROR)
{
    ruvv_errmsg_dispatch(nullptr, severity, id, "wtkprnt", line);
}

intptr_t attr(int32_t key)
{
    return ruvk_vobj_get_attr(NULL_WIN, key);
}

std::string text_of(int32_t id, const char *def)
{
    char buf[256];
    const char *s = ruvv_str_getstr(id, buf, sizeof buf, def);
    return s ? s : def;
}

PrintWin *print_win_of(RUV_WIN w)
{
    if (!w || !ruvv_vobj_is_valid(w) || w->kind != RUVK_KIND_PRINT)
        return nullptr;
    return reinterpret_cast<PrintWin *>(w);
}

PrintWin *current_job()
{
    RUV_APP_RECORD *app = ruvk_app_record();
    return app ? print_win_of(static_cast<RUV_WIN>(app->print_job)) : nullptr;
}

/* The job a page call works on: the print window it points at, else the
   current job; NULL when the call is refused (reported), when there is
   none, or when it was cancelled or has failed. */
PrintWin *page_job(RUV_WIN *print_win, bool refused, RUV_ERRMSG_ID id, int line)
{
    if (refused) {
        report(id, line);
        return nullptr;
    }
    PrintWin *pw = print_win ? print_win_of(*print_win) : nullptr;
    if (!pw)
        pw = current_job();
    return pw && !pw->cancelled && !pw->failed ? pw : nullptr;
}

bool printing()
{
    RUV_APP_RECORD *app = ruvk_app_record();
    return app && app->printing;
}

void set_job(PrintWin *pw)
{
    if (RUV_APP_RECORD *app = ruvk_app_record())
        app->print_job = pw ? &pw->obj : nullptr;
}

void set_status(PrintWin *pw, int item, const std::string &text)
{
    if (pw && pw->status)
        SetDlgItemTextA(pw->status, item, text.c_str());
}

void status_page(PrintWin *pw, int32_t id, const char *def)
{
    char line[300];
    std::snprintf(line, sizeof line, text_of(id, def).c_str(), (int)pw->page);
    set_status(pw, ITEM_STATUS, line);
}

void error_box(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    ruvk_dm_post_error(format, args);
    va_end(args);
}

bool banding(HDC hdc)
{
    return (ruvk_print_device()->get_device_caps(hdc, RASTERCAPS) & RC_BANDING) && attr(RUV_ATTR_BANDING) != 0;
}

void set_update_rect(const RUV_RECT &r)
{
    if (RUV_APP_RECORD *app = ruvk_app_record())
        app->update_rect = r;
}

/* The print window goes: its windows are enabled again, the status dialog
   and the drawing state (with the printer DC) destroyed, the object
   released. */
void destroy_print_win(PrintWin *pw)
{
    if (pw->disabled) {
        ruvk_dlg_enable_windows(pw->disabled);
        pw->disabled = nullptr;
    }
    if (pw->status) {
        HWND status = pw->status;
        pw->status = nullptr;
        DestroyWindow(status);
    }
    if (RUV_DRAW_STATE *st = pw->obj.draw_state) {
        /* The state deletes the printer DC it holds; one it does not hold
           goes here. */
        if (st->preset_hdc && st->hdc != st->preset_hdc) {
            DeleteDC(st->preset_hdc);
            st->preset_hdc = nullptr;
        }
        ruvk_draw_state_destroy(&pw->obj);
    }
    ruvk_vobj_record_release(&pw->obj);
    ruvv_mem_free(pw);
}

INT_PTR CALLBACK status_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result = 0;
    if (!ruvwi_wndproc_hook(hwnd, msg, wp, lp, &result))
        return result;
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        EnableMenuItem(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        SetDlgItemTextA(hwnd, ITEM_STATUS, text_of(30005, "Initializing").c_str());
        SetFocus(GetDlgItem(hwnd, ITEM_CANCEL));
        return FALSE;
    case WM_COMMAND: {
        SetDlgItemTextA(hwnd, ITEM_STATUS, text_of(30004, "Cancelling...").c_str());
        if (PrintWin *pw = print_win_of(reinterpret_cast<RUV_WIN>(GetWindowLongPtrA(hwnd, DWLP_USER))))
            pw->cancelled = 1;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

/* Serves the queue while the spooler works; FALSE once the job is
   cancelled.  A quit message is put back for the message loop and the
   pumping stops. */
BOOL CALLBACK abort_proc(HDC, int)
{
    PrintWin *pw = current_job();
    if (!pw || !pw->status) {
        report(ERR_ABORT_NO_JOB, __LINE__);
        return FALSE;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage((int)msg.wParam);
            break;
        }
        if (pw->status && IsDialogMessageA(pw->status, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        /* A window procedure may have ended the job. */
        pw = current_job();
        if (!pw)
            return FALSE;
    }
    return pw->cancelled ? FALSE : TRUE;
}

/* The print window, its drawing state and its printer DC. */
PrintWin *make_print_win(RUV_PRINT_RECORD *record)
{
    auto *pw = static_cast<PrintWin *>(ruvv_mem_zalloc(sizeof(PrintWin)));
    if (!pw)
        return nullptr;
    RUV_WIN parent = reinterpret_cast<RUV_WIN>(attr(RUV_ATTR_TASK_WINDOW));
    if (!ruvk_vobj_record_init(&pw->obj, 4, RUVK_KIND_PRINT, parent)) {
        ruvk_draw_state_destroy(&pw->obj);
        ruvk_vobj_record_release(&pw->obj);
        ruvv_mem_free(pw);
        return nullptr;
    }
    pw->obj.top = &pw->obj;
    pw->record = record;
    ruvk_print_follow_default(record);
    HDC hdc = ruvk_print_make_dc(record, FALSE);
    if (!hdc) {
        report(ERR_NO_PRINTER_DC, __LINE__);
        destroy_print_win(pw);
        return nullptr;
    }
    pw->obj.draw_state->preset_hdc = hdc;
    pw->disabled = ruvk_dlg_disable_windows(nullptr);
    return pw;
}

} // namespace

extern "C" {

RUV_BOOL ruvk_print_report_error(int result)
{
    if (result > 0)
        return FALSE;
    // The cause is the thread's last error when that is a print code (bit
    // 0x4000, which the negative print codes carry).  The system's print
    // calls leave a system error code there instead; their failure is
    // still reported, by the call's result, so that a lost document never
    // goes unnoticed.
    const DWORD error = GetLastError();
    const int code = (error & 0x4000) ? static_cast<int>(error) : result;
    switch (code) {
    case SP_OUTOFMEMORY:
        report(ERR_OUT_OF_MEMORY, __LINE__);
        return TRUE;
    case SP_OUTOFDISK:
        report(ERR_OUT_OF_DISK, __LINE__);
        return TRUE;
    case SP_USERABORT:
    case SP_APPABORT:
        return FALSE;
    default:
        report(ERR_PRINT_FAILED, __LINE__);
        return TRUE;
    }
}

void ruvk_print_get_page_rect(RUV_WIN w, RUV_RECT *out)
{
    *out = RUV_RECT{0, 0, 0, 0};
    PrintWin *pw = print_win_of(w);
    RUV_DRAW_STATE *st = pw ? pw->obj.draw_state : nullptr;
    HDC hdc = st ? (st->hdc ? st->hdc : st->preset_hdc) : nullptr;
    RUVK_PAGE_INFO info;
    if (hdc && ruvk_print_get_page_info(nullptr, hdc, &info)) {
        out->bottom = info.height;
        out->right = info.width;
    }
}

RUV_BOOL ruvk_print_open(void)
{
    return 1;
}

void ruvk_print_close(void)
{
}

RUV_BOOL ruvk_print_start_thread(RUVK_PRINT_FUNC function, void *data)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app || !function)
        return FALSE;
    if (attr(RUV_ATTR_PRINT_THREAD) == 0 && app->printing) {
        report(ERR_NESTED, __LINE__);
        return FALSE;
    }
    int16_t was = app->printing;
    app->printing = 1;
    RUV_BOOL result;
    {
        ruv::ErrFrame frame;
        result = function(data);
    }
    if (current_job()) {
        report(ERR_JOB_LEFT_OPEN, __LINE__);
        result = FALSE;
    }
    app->printing = was;
    return result;
}

RUV_PRINT_RECORD *ruvk_print_get_record(RUV_WIN print_win)
{
    PrintWin *pw = print_win_of(print_win);
    return pw ? pw->record : nullptr;
}

RUV_WIN ruvk_print_create_win(RUV_PRINT_RECORD *record, const char *document)
{
    if (!record)
        return NULL_WIN;
    if (attr(ATTR_PRINT_WIN_ONLY) == 1) {
        PrintWin *pw = make_print_win(record);
        if (!pw)
            return NULL_WIN;
        ruvk_draw_begin(&pw->obj);
        set_job(pw);
        record->print_win = &pw->obj;
        return &pw->obj;
    }
    if (attr(RUV_ATTR_PRINT_THREAD) == 0 && !printing()) {
        report(ERR_NOT_PRINTING, __LINE__);
        return NULL_WIN;
    }
    PrintWin *pw = make_print_win(record);
    if (!pw)
        return NULL_WIN;
    RUV_DRAW_STATE *st = ruvk_draw_begin(&pw->obj);
    HDC hdc = st ? st->hdc : pw->obj.draw_state->preset_hdc;

    RUV_APP_RECORD *app = ruvk_app_record();
    HINSTANCE inst = app ? app->instance : GetModuleHandleA(nullptr);
    pw->status = CreateDialogParamA(inst, MAKEINTRESOURCEA(STATUS_DIALOG), ruvk_dlg_owner(FALSE), status_proc,
                                    reinterpret_cast<LPARAM>(&pw->obj));
    if (!pw->status) {
        error_box("%s", text_of(30014, "Cannot Print").c_str());
        destroy_print_win(pw);
        return NULL_WIN;
    }
    const char *leaf = document && *document ? ruvk_path_basename(document) : nullptr;
    set_status(pw, ITEM_DOCUMENT, leaf && *leaf ? std::string(leaf) : text_of(30006, "(Untitled)"));

    const RUVK_PRINT_DEVICE *dev = ruvk_print_device();
    int r = dev->set_abort_proc(hdc, abort_proc);
    if (r <= 0)
        ruvk_print_report_error(r);
    if (auto hook = reinterpret_cast<void (*)(HDC)>(attr(ATTR_PRINT_DC_HOOK))) {
        ruv::ErrFrame frame;
        hook(hdc);
    }

    set_status(pw, ITEM_STATUS, text_of(30007, "(Starting Document)"));
    set_job(pw);
    record->print_win = &pw->obj;
    DOCINFOA di;
    std::memset(&di, 0, sizeof di);
    di.cbSize = sizeof di;
    di.lpszDocName = document;
    di.lpszOutput = nullptr;
    di.lpszDatatype = "";
    di.fwType = 2;
    r = dev->start_doc(hdc, &di);
    if (r > 0) {
        pw->doc_started = 1;
        set_status(pw, ITEM_STATUS, text_of(30008, "(Started Document)"));
        abort_proc(hdc, 0);
        if (pw->cancelled) {
            set_job(nullptr);
            record->print_win = NULL_WIN;
        }
    } else {
        const DWORD error = GetLastError();
        set_job(nullptr);
        record->print_win = NULL_WIN;
        pw->failed = 1;
        SetLastError(error);
        ruvk_print_report_error(r);
    }
    if (!current_job()) {
        ruvk_print_end_doc(&pw->obj);
        return NULL_WIN;
    }
    return &pw->obj;
}

RUV_BOOL ruvk_print_open_page(RUV_WIN *print_win)
{
    const bool outside = attr(RUV_ATTR_PRINT_THREAD) == 0 && !printing() && !current_job();
    PrintWin *pw = page_job(print_win, outside, ERR_OPEN_PAGE, __LINE__);
    if (!pw)
        return FALSE;
    pw->page++;
    pw->band_pending = 1;
    status_page(pw, 30010, "(Starting Page %d)");
    RUV_DRAW_STATE *st = ruvk_draw_begin(&pw->obj);
    if (!st)
        return TRUE;
    RUV_RECT clip = st->clip;
    ruvk_draw_deselect_all(st);
    int r = ruvk_print_device()->start_page(st->hdc);
    const DWORD error = GetLastError();
    ruvk_dwin_set_clip(&pw->obj, &clip);
    if (r <= 0) {
        SetLastError(error);
        ruvk_print_report_error(r);
    }
    return r > 0 ? TRUE : FALSE;
}

RUV_BOOL ruvk_print_close_page(RUV_WIN *print_win)
{
    const bool refused = attr(RUV_ATTR_PRINT_THREAD) == 0 && !printing() && current_job();
    PrintWin *pw = page_job(print_win, refused, ERR_CLOSE_PAGE, __LINE__);
    if (!pw)
        return FALSE;
    status_page(pw, 30011, "(Finishing Page %d)");
    set_update_rect(RUV_RECT{0, 0, RUVK_NO_CLIP, RUVK_NO_CLIP});
    RUV_DRAW_STATE *st = ruvk_draw_begin(&pw->obj);
    if (!st)
        return FALSE;
    if (banding(st->hdc))
        return pw->cancelled ? FALSE : TRUE;
    ruvk_draw_deselect_all(st);
    int r = ruvk_print_device()->end_page(st->hdc);
    if (r <= 0 && !pw->cancelled) {
        ruvk_print_report_error(r);
        pw->failed = 1;
        return FALSE;
    }
    return pw->cancelled ? FALSE : TRUE;
}

RUV_RECT *ruvk_print_get_next_band(void)
{
    PrintWin *pw = current_job();
    if (attr(RUV_ATTR_PRINT_THREAD) == 0 && !printing() && !pw) {
        report(ERR_BAND_NO_JOB, __LINE__);
        return nullptr;
    }
    if (!pw || pw->cancelled || pw->failed)
        return nullptr;
    RUV_DRAW_STATE *st = ruvk_draw_begin(&pw->obj);
    if (!st)
        return nullptr;
    if (banding(st->hdc)) {
        ruvk_draw_deselect_all(st);
        RECT band{};
        int r = ruvk_print_device()->escape(st->hdc, NEXTBAND, 0, nullptr, &band);
        if (r <= 0) {
            ruvk_print_report_error(r);
            return nullptr;
        }
        if (band.right <= band.left || band.bottom <= band.top) {
            set_update_rect(RUV_RECT{0, 0, RUVK_NO_CLIP, RUVK_NO_CLIP});
            return nullptr;
        }
        pw->band = RUV_RECT{(int16_t)band.top, (int16_t)band.left, (int16_t)band.bottom, (int16_t)band.right};
    } else {
        if (!pw->band_pending) {
            set_update_rect(RUV_RECT{0, 0, RUVK_NO_CLIP, RUVK_NO_CLIP});
            return nullptr;
        }
        pw->band_pending = 0;
        ruvk_print_get_page_rect(&pw->obj, &pw->band);
    }
    set_update_rect(pw->band);
    return &pw->band;
}

void ruvk_print_end_doc(RUV_WIN w)
{
    PrintWin *pw = print_win_of(w);
    if (!pw)
        return;
    RUV_DRAW_STATE *st = ruvk_draw_begin(&pw->obj);
    if (st)
        ruvk_draw_deselect_all(st);
    HDC hdc = st ? st->hdc : nullptr;
    if (hdc && pw->doc_started) {
        if (!pw->cancelled && !pw->failed) {
            set_status(pw, ITEM_STATUS, text_of(30009, "(Ending Document)"));
            int r = ruvk_print_device()->end_doc(hdc);
            if (r <= 0)
                ruvk_print_report_error(r);
        } else if (pw->cancelled && !pw->failed) {
            ruvk_print_device()->abort_doc(hdc);
        }
    }
    ruvv_font_cache_purge();
    if (current_job() == pw)
        set_job(nullptr);
    if (pw->record && pw->record->print_win == &pw->obj)
        pw->record->print_win = NULL_WIN;
    set_update_rect(RUV_RECT{0, 0, RUVK_NO_CLIP, RUVK_NO_CLIP});
    destroy_print_win(pw);
}

} // extern "C"
