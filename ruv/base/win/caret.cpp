/* The one native caret and the caret records of drawable windows: the
   focus window's record is applied when it changes (created, placed, shown
   or hidden only as far as needed), the caret goes with the focus, and the
   message loop hides it while a message is served. */
#include "caret.h"

#include <string.h>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_static.h"

namespace {

/* The caret values last applied to the native caret. */
struct CaretBlock {
    RUVK_CARET applied;
};
RUV_STATIC_BLOCK(g_desc, CaretBlock, nullptr, nullptr);

CaretBlock *block()
{
    return static_cast<CaretBlock *>(ruvk_static_get_ptr(&g_desc));
}

RUVK_CARET *caret_of(RUV_WIN win)
{
    if (!win || !ruvv_vobj_is_valid(win) || !win->draw_state)
        return nullptr;
    return &win->draw_state->caret;
}

int16_t caret_height(const RUVK_CARET *c)
{
    return c->height ? c->height : c->font_height;
}

void forget_owner(RUV_APP_RECORD *app)
{
    app->caret_owner = NULL_WIN;
    app->caret_hwnd = nullptr;
    app->caret_visible = 0;
}

void create(RUV_APP_RECORD *app, RUV_WIN win, HWND hwnd, RUVK_CARET *c)
{
    CreateCaret(hwnd, nullptr, c->width, caret_height(c));
    c->created = 1;
    app->caret_owner = win;
    app->caret_hwnd = hwnd;
}

void place(HWND hwnd, const RUVK_CARET *c)
{
    (void)hwnd;
    int y = c->height ? c->v - c->height : c->v + c->font_descent - c->font_height;
    SetCaretPos(c->h, y);
}

} // namespace

extern "C" {

void ruvk_caret_sync(RUV_WIN win, RUVK_CARET *c, RUV_BOOL force)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    CaretBlock *b = block();
    if (!app || !b || !c || !win || !ruvv_vobj_is_valid(win) || !win->native)
        return;
    HWND hwnd = static_cast<HWND>(win->native);
    if (GetFocus() != hwnd) {
        if (c->created) {
            c->created = 0;
            if (app->caret_owner == win)
                forget_owner(app);
        }
        return;
    }
    if (app->caret_owner == win) {
        if (!force && memcmp(c, &b->applied, sizeof *c) == 0)
            return;
    } else {
        memset(&b->applied, 0, sizeof b->applied);
    }
    const RUVK_CARET last = b->applied;

    if (!c->visible) {
        if (c->created && last.visible)
            HideCaret(hwnd);
        app->caret_visible = 0;
        b->applied = *c;
        return;
    }

    bool font_changed = c->font_descent != last.font_descent || c->font_height != last.font_height;
    bool recreate = force || c->width != last.width || c->height != last.height || (c->height == 0 && font_changed);
    bool placing = force || c->v != last.v || c->h != last.h || (c->height == 0) != (last.height == 0);
    bool showing = force || !last.visible;
    if (recreate && c->created) {
        create(app, win, hwnd, c);
        placing = showing = true;
    }
    if (placing)
        place(hwnd, c);
    if (showing) {
        if (!c->created || ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI)) {
            create(app, win, hwnd, c);
            place(hwnd, c);
        }
        ShowCaret(hwnd);
    }
    app->caret_visible = 1;
    b->applied = *c;
}

void ruvk_caret_focus_gained(RUV_WIN win)
{
    RUVK_CARET *c = caret_of(win);
    if (c && c->visible)
        ruvk_caret_sync(win, c, TRUE);
}

void ruvk_caret_focus_lost(RUV_WIN win)
{
    RUVK_CARET *c = caret_of(win);
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!c || !c->created)
        return;
    DestroyCaret();
    c->created = 0;
    if (app && app->caret_owner == win)
        forget_owner(app);
}

void ruvk_caret_hide_native(void)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (app && app->caret_owner && app->caret_hwnd)
        HideCaret(app->caret_hwnd);
}

void ruvk_caret_show_native(void)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (app && app->caret_owner && app->caret_hwnd && app->caret_visible)
        ShowCaret(app->caret_hwnd);
}

} // extern "C"
