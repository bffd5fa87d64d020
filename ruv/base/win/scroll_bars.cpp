/* Scroll bars of windows and scroll-bar controls: each keeps a range
   record {min, max, proportion}; the position stays within
   [min, max - proportion].  Systems with page sizes get the proportion as
   the thumb's page; older systems get a range shortened by the
   proportion. */
#include "native_controls.h"

#include "ruvv_errmsg.h"
#include "window_services.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_BAD_BAR = 0x34846E;

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

bool paged_platform()
{
    return ruvk_platform.win9x || ruvk_platform.nt4;
}

struct Bar {
    HWND hwnd = nullptr;
    int which = SB_CTL;
    RUVK_SBAR_RANGE *range = nullptr;
};

// The native bar and range record of an object's bar; false (a window's
// bar other than 0 or 1 reported) when there is none.
bool bar_of(RUV_WIN obj, int32_t bar, Bar *out)
{
    if (!valid(obj))
        return false;
    const bool control = (obj->kind & RUVK_KIND_CONTROL) &&
                         (obj->type == WC_HSCROLL_BAR || obj->type == WC_VSCROLL_BAR);
    if (!control && bar != 0 && bar != 1) {
        RUV_ERR(obj, RUV_SEV_FATAL, ERR_BAD_BAR);
        return false;
    }
    RUVK_CTL_STATE *st = ruvk_ctl_state(obj);
    if (!st)
        return false;
    out->hwnd = control ? static_cast<HWND>(obj->native) : ruvk_vobj_hwnd(obj);
    out->which = control ? SB_CTL : (bar == 0 ? SB_HORZ : SB_VERT);
    out->range = &st->bars[control ? 0 : bar];
    return out->hwnd != nullptr;
}

int32_t clamp_pos(const RUVK_SBAR_RANGE &r, int32_t pos)
{
    int32_t top = r.max - r.proportion;
    if (pos > top)
        pos = top;
    if (pos < r.min)
        pos = r.min;
    return pos;
}

// Applies the range record to the native bar, keeping the position inside.
void apply(const Bar &b)
{
    RUVK_SBAR_RANGE &r = *b.range;
    if (r.proportion > r.max - r.min)
        r.proportion = r.max - r.min;
    if (r.proportion < 0)
        r.proportion = 0;
    int32_t pos = clamp_pos(r, GetScrollPos(b.hwnd, b.which));
    if (paged_platform()) {
        SetScrollRange(b.hwnd, b.which, r.min, r.max - (r.proportion != 0 ? 1 : 0), FALSE);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = r.min;
        si.nMax = (r.proportion > 0 && r.proportion < r.max - r.min) ? r.max - 1 : r.max;
        si.nPage = static_cast<UINT>(r.proportion);
        si.nPos = pos;
        SetScrollInfo(b.hwnd, b.which, &si, TRUE);
    } else {
        SetScrollRange(b.hwnd, b.which, r.min, r.max - r.proportion, FALSE);
        SetScrollPos(b.hwnd, b.which, pos, TRUE);
    }
}

} // namespace

extern "C" {

void ruvk_sbar_set_range(RUV_WIN obj, int32_t bar, int32_t min, int32_t max)
{
    Bar b;
    if (!bar_of(obj, bar, &b))
        return;
    b.range->min = min;
    b.range->max = max;
    apply(b);
}

void ruvk_sbar_get_range(RUV_WIN obj, int32_t bar, int32_t *min, int32_t *max)
{
    Bar b;
    if (!bar_of(obj, bar, &b))
        return;
    if (min)
        *min = b.range->min;
    if (max)
        *max = b.range->max;
}

void ruvk_sbar_set_proportion(RUV_WIN obj, int32_t bar, int32_t proportion)
{
    Bar b;
    if (!bar_of(obj, bar, &b))
        return;
    b.range->proportion = proportion;
    apply(b);
}

int32_t ruvk_sbar_get_proportion(RUV_WIN obj, int32_t bar)
{
    Bar b;
    return bar_of(obj, bar, &b) ? b.range->proportion : 0;
}

void ruvk_sbar_set_pos(RUV_WIN obj, int32_t bar, int32_t pos)
{
    Bar b;
    if (!bar_of(obj, bar, &b))
        return;
    if (paged_platform()) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_PAGE | SIF_POS;
        si.nPage = static_cast<UINT>(b.range->proportion);
        si.nPos = pos;
        SetScrollInfo(b.hwnd, b.which, &si, TRUE);
    } else {
        SetScrollPos(b.hwnd, b.which, clamp_pos(*b.range, pos), TRUE);
    }
}

int32_t ruvk_sbar_get_pos(RUV_WIN obj, int32_t bar)
{
    Bar b;
    return bar_of(obj, bar, &b) ? GetScrollPos(b.hwnd, b.which) : 0;
}

} // extern "C"
