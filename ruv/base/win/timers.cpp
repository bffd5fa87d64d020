/* Application timers: one slot per timer id 2-256 holding the native
   window, the requested interval and a tick count.  Id 1 belongs to the
   pointer trap.  The timer event translation reads the slots. */
#include "timers.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"

namespace {

/* Interval used for a request above what a native timer takes. */
constexpr int32_t kLongIntervalAttr = 10015;
constexpr int32_t kNativeMax = 65535;

struct TimerBlock {
    RUVK_TIMER_SLOT slots[RUVK_TIMER_LAST - RUVK_TIMER_FIRST + 1];
};
RUV_STATIC_BLOCK(g_desc, TimerBlock, nullptr, nullptr);

TimerBlock *block()
{
    return static_cast<TimerBlock *>(ruvk_static_get_ptr(&g_desc));
}

RUVK_TIMER_SLOT *slot_of(TimerBlock *b, int32_t id)
{
    if (!b || id < RUVK_TIMER_FIRST || id > RUVK_TIMER_LAST)
        return nullptr;
    return &b->slots[id - RUVK_TIMER_FIRST];
}

void kill(RUVK_TIMER_SLOT *s, int32_t id)
{
    KillTimer(s->hwnd, (UINT_PTR)id);
    *s = RUVK_TIMER_SLOT{};
}

} // namespace

extern "C" {

HWND ruvk_win_timer_hwnd(RUV_WIN win)
{
    if (!win || !ruvv_vobj_is_valid(win))
        return nullptr;
    if (win->native)
        return static_cast<HWND>(win->native);
    if (!(win->kind & RUV_KIND_TEXT_EDIT) && win->type == 1) {
        auto task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        if (task && ruvv_vobj_is_valid(task))
            return static_cast<HWND>(task->native);
    }
    return nullptr;
}

int32_t ruvk_timer_create(RUV_WIN win, int32_t interval)
{
    TimerBlock *b = block();
    if (!b)
        return -1;
    int32_t id = RUVK_TIMER_FIRST;
    while (id <= RUVK_TIMER_LAST && slot_of(b, id)->hwnd)
        ++id;
    if (id > RUVK_TIMER_LAST)
        return -1;

    HWND hwnd = nullptr;
    auto task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    if (win && win == task && ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW)) {
        if (RUV_APP_RECORD *app = ruvk_app_record())
            hwnd = app->utility;
    } else {
        hwnd = ruvk_win_timer_hwnd(win);
    }
    if (!hwnd)
        return -1;

    int32_t native = interval;
    if (native > kNativeMax || native < 0)
        native = (int32_t)ruvk_vobj_get_attr(NULL_WIN, kLongIntervalAttr);
    if (!SetTimer(hwnd, (UINT_PTR)id, (UINT)native, nullptr))
        return -1;
    RUVK_TIMER_SLOT *s = slot_of(b, id);
    s->hwnd = hwnd;
    s->interval = interval;
    s->ticks = GetTickCount();
    return id;
}

void ruvk_timer_destroy(int32_t id)
{
    /* Only ids of the table: 0, 1 (the pointer trap's) and negative ids
       would reach outside it. */
    RUVK_TIMER_SLOT *s = slot_of(block(), id);
    if (s && s->hwnd)
        kill(s, id);
}

void ruvk_timer_kill_window(HWND hwnd)
{
    TimerBlock *b = block();
    if (!b || !hwnd)
        return;
    for (int32_t id = RUVK_TIMER_FIRST; id <= RUVK_TIMER_LAST; ++id)
        if (slot_of(b, id)->hwnd == hwnd)
            kill(slot_of(b, id), id);
}

void ruvk_timer_release_all(void)
{
    TimerBlock *b = block();
    if (!b)
        return;
    for (int32_t id = RUVK_TIMER_FIRST; id <= RUVK_TIMER_LAST; ++id)
        if (slot_of(b, id)->hwnd)
            kill(slot_of(b, id), id);
}

RUVK_TIMER_SLOT *ruvk_timer_slot(int32_t id)
{
    RUVK_TIMER_SLOT *s = slot_of(block(), id);
    return s && s->hwnd ? s : nullptr;
}

} // extern "C"
