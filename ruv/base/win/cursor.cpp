/* The cursor: the busy cursor until the queue is next served, hiding the
   mouse cursor while the user types (it comes back once the pointer
   moves), the window's own cursor, and trapping the pointer in one window
   (capture plus a repeating 50 ms timer that polls the mouse). */
#include "cursor.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"
#include "timers.h"
#include "window_create.h"
#include "event_translate.h"

namespace {

constexpr UINT kTrapInterval = 50;
/* ShowCursor counts are small; a count that will not move ends the loop. */
constexpr int kCountSteps = 1000;

struct CursorBlock {
    bool busy;
    HCURSOR saved;          /* the cursor the busy cursor replaced */
    bool hidden;
    int display_count;      /* ShowCursor's count before hiding */
    HWND hidden_over;
    POINT hidden_at;
    bool trap_timer;
    bool trapped;
    HWND trap_hwnd;
};
RUV_STATIC_BLOCK(g_desc, CursorBlock, nullptr, nullptr);

CursorBlock *block()
{
    return static_cast<CursorBlock *>(ruvk_static_get_ptr(&g_desc));
}

HCURSOR cursor_of(RUV_WIN win)
{
    if (win && ruvv_vobj_is_valid(win) && win->cursor_handle)
        return static_cast<HCURSOR>(win->cursor_handle);
    return LoadCursor(nullptr, IDC_ARROW);
}

/* Brings ShowCursor's display count back to what it was before hiding. */
void show(CursorBlock *b)
{
    ShowCursor(TRUE);
    int count = ShowCursor(FALSE);
    for (int i = 0; count < b->display_count && i < kCountSteps; ++i)
        count = ShowCursor(TRUE);
    b->hidden = false;
}

} // namespace

extern "C" {

void ruvk_scr_set_busy_cursor(void)
{
    CursorBlock *b = block();
    if (!b || b->busy)
        return;
    b->saved = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    b->busy = true;
    if (RUV_APP_RECORD *app = ruvk_app_record())
        PostMessageA(app->utility, RUVK_MSG_MENU_REFRESH, 0, 0);
}

void ruvk_cursor_restore_busy(void)
{
    CursorBlock *b = block();
    if (!b || !b->busy)
        return;
    SetCursor(b->saved);
    b->saved = nullptr;
    b->busy = false;
}

void ruvk_cursor_set_for_window(RUV_WIN win)
{
    SetCursor(cursor_of(win));
}

void ruvk_scr_hide_cursor(void)
{
    CursorBlock *b = block();
    if (!b || b->hidden || !GetSystemMetrics(SM_MOUSEPRESENT))
        return;
    POINT at;
    if (!GetCursorPos(&at))
        return;
    HWND over = WindowFromPoint(at);
    if (!over)
        return;
    auto frame = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI_FRAME_WINDOW));
    bool frame_window = frame && ruvv_vobj_is_valid(frame) && frame->native == over;
    if (!ruvwi_hwnd_to_window(over) && !frame_window)
        return;
    ShowCursor(TRUE);
    int count = ShowCursor(FALSE);
    b->display_count = count;
    for (int i = 0; count >= 0 && i < kCountSteps; ++i)
        count = ShowCursor(FALSE);
    b->hidden = true;
    b->hidden_over = over;
    b->hidden_at = at;
}

void ruvk_cursor_show_again(void)
{
    CursorBlock *b = block();
    if (!b || !b->hidden)
        return;
    POINT at;
    if (GetCursorPos(&at) && at.x == b->hidden_at.x && at.y == b->hidden_at.y && WindowFromPoint(at) == b->hidden_over)
        return;
    show(b);
}

void ruvk_win_trap_pointer(RUV_WIN win)
{
    CursorBlock *b = block();
    if (!b)
        return;
    HWND hwnd = ruvk_win_timer_hwnd(win);
    /* Without a window nothing can hold the capture; a timer on no
       window would be a thread timer that nothing ever kills. */
    if (!hwnd)
        return;
    /* Trapping in another window ends the poll of the previous one. */
    if (b->trap_timer && b->trap_hwnd != hwnd)
        KillTimer(b->trap_hwnd, RUVK_TRAP_TIMER_ID);
    b->trap_hwnd = hwnd;
    b->trap_timer = SetTimer(hwnd, RUVK_TRAP_TIMER_ID, kTrapInterval, nullptr) != 0;
    b->trapped = true;
    SetCapture(hwnd);
    ruvk_cursor_set_for_window(win);
    ruvk_cursor_show_again();
}

void ruvk_win_release_pointer(void)
{
    CursorBlock *b = block();
    if (!b)
        return;
    ReleaseCapture();
    if (b->trap_timer)
        KillTimer(b->trap_hwnd, RUVK_TRAP_TIMER_ID);
    b->trap_timer = false;
    b->trapped = false;
    b->trap_hwnd = nullptr;
}

HWND ruvk_pointer_trap_hwnd(void)
{
    CursorBlock *b = block();
    return b && b->trapped ? b->trap_hwnd : nullptr;
}

void ruvk_pointer_forget_window(HWND hwnd)
{
    CursorBlock *b = block();
    if (b && b->trapped && hwnd && b->trap_hwnd == hwnd)
        ruvk_win_release_pointer();
}

void ruvk_cursor_stop_tracking(void)
{
    CursorBlock *b = block();
    if (!b)
        return;
    if (b->trapped)
        ruvk_win_release_pointer();
    if (b->hidden)
        show(b);
    b->busy = false;
    b->saved = nullptr;
}

} // extern "C"
