// The event entry: every event the kernel translates comes through
// ruvv_win_dispatch_event, which lets error reports keep their severity
// from the first event on, delivers deferred reports, brackets repaints
// with the update counter, sends target-less help requests to the task
// window, offers the event to the event hook and then hands it down the
// handler chains.  Also the help context and the event field accessors.

#include "event_private.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_cxo.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"

namespace {

constexpr int32_t kNotebookType = 25;

struct WinBlock {
    int32_t help_ctx;      // 0 = none
    int16_t first_event;   // 1 until the first event is dispatched
    RUV_FACE_FORGET face_forget;
};

void win_init(void *p)
{
    static_cast<WinBlock *>(p)->first_event = 1;
}

RUV_STATIC_BLOCK(win_desc, WinBlock, win_init, nullptr);

WinBlock *win_block()
{
    return static_cast<WinBlock *>(ruvk_static_get_ptr(&win_desc));
}

// A notebook page face being destroyed leaves its notebook's page.
void forget_face(WinBlock *b, RUV_WIN win)
{
    if (!b || !b->face_forget || !(win->kind & RUV_KIND_PAGE))
        return;
    RUV_WIN parent = win->parent;
    if (ruvv_vobj_is_valid(parent) && parent->type == kNotebookType && !(parent->kind & RUV_KIND_TEXT_EDIT))
        b->face_forget(parent, win);
}

int32_t dispatch(WinBlock *b, RUV_WIN win, RUV_EVENT *event)
{
    switch (event->type) {
    case E_DESTROY:
        forget_face(b, win);
        break;
    case E_HELP:
        if (b && b->help_ctx != 0 && event->v.help.topic == 0) {
            RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
            if (ruvv_vobj_is_valid(task)) {
                event->v.help.object = NULL_WIN;
                event->v.help.menu_tag = 0;
                event->v.help.topic = b->help_ctx;
                win = task;
            }
        }
        break;
    default:
        break;
    }

    auto hook = reinterpret_cast<RUV_EVENT_HOOK>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_HELP_HOOK));
    if (hook) {
        void *info = reinterpret_cast<void *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_HELP_INFO));
        RUV_BOOL go_on;
        {
            ruv::ErrFrame frame(win);
            go_on = hook(info, win, event);
        }
        if (go_on == 0)
            return -1;
        // The hook may have destroyed the window.
        if (!ruvv_vobj_is_valid(win))
            return -1;
    }
    return ruvv_cxo_call_next(win, nullptr, event);
}

} // namespace

extern "C" {

int32_t ruvv_win_dispatch_event(RUV_WIN win, RUV_EVENT *event)
{
    if (!event)
        return -1;
    WinBlock *b = win_block();
    if (b && b->first_event) {
        b->first_event = 0;
        ruvv_errmsg_set_ready();
    }
    if (event->type == E_CXO)
        return -1;
    if (event->type != E_UPDATE)
        ruvv_errmsg_deliver_deferred();
    if (!ruvv_vobj_is_valid(win))
        return -1;

    // The counter comes down on every way out, also when the hook takes
    // the repaint: a counter left raised would defer every later report.
    const bool update = event->type == E_UPDATE;
    if (update)
        ruvv_app_update_count(TRUE);
    int32_t result = dispatch(b, win, event);
    if (update)
        ruvv_app_update_count(FALSE);

    // Handlers never outlive their window, also when the destroy event did
    // not reach the end of the chain.
    if (event->type == E_DESTROY && ruvv_vobj_is_valid(win) && win->cxo_chain) {
        win->event_mask = 0;
        ruvv_cxo_destroy_chain(&win->cxo_chain);
    }
    return result;
}

int32_t ruvv_win_get_help_ctx(void)
{
    WinBlock *b = win_block();
    return b ? b->help_ctx : 0;
}

int32_t ruvv_win_set_help_ctx(int32_t id)
{
    WinBlock *b = win_block();
    if (!b)
        return 0;
    int32_t old = b->help_ctx;
    b->help_ctx = id;
    return old;
}

void ruvv_win_set_face_forget(RUV_FACE_FORGET forget)
{
    if (WinBlock *b = win_block())
        b->face_forget = forget;
}

RUV_FONT *ruvv_event_get_font(const RUV_EVENT *event)
{
    return event && event->type == E_FONT ? event->v.font.font : nullptr;
}

void ruvv_event_set_font(RUV_EVENT *event, const RUV_FONT *font)
{
    if (event && font && event->type == E_FONT && event->v.font.font)
        ruvv_font_copy(event->v.font.font, font, -1);
}

RUV_BOOL ruvv_event_is_virtual_key(const RUV_EVENT *event)
{
    if (!event)
        return FALSE;
    if (ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_KEY_HOOK_MODE) != 0)
        return event->v.chr.virtual_key != 0 ? TRUE : FALSE;
    return event->v.chr.key >= 256 ? TRUE : FALSE;
}

} // extern "C"
