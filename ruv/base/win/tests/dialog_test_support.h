// Dialog definitions written by hand for the dialog tests and the dialog
// gallery: one element of a definition array.
#ifndef DIALOG_TEST_SUPPORT_H
#define DIALOG_TEST_SUPPORT_H

#include "ruvv_ctl_text.h"
#include "ruvv_res.h"

namespace dg {

// A dialog (types 10, 11) or control element at x, y of size w x h.
inline RUV_WIN_DEF element(int32_t type, int16_t x, int16_t y, int16_t w, int16_t h, const char *title, intptr_t id,
                           uintptr_t flags, int8_t unit = RUV_UNIT_DIALOG, intptr_t icon = 0)
{
    RUV_WIN_DEF e{};
    e.type = type;
    e.rect = RUV_RECT{y, x, static_cast<int16_t>(y + h), static_cast<int16_t>(x + w)};
    e.title = const_cast<char *>(title);
    e.unit = unit;
    if (type == 10 || type == 11) {
        e.u.dlg.flags = flags;
    } else {
        e.u.ctl.ctl_id = id;
        e.u.ctl.icon_id = icon;
        e.u.ctl.flags = flags;
    }
    return e;
}

} // namespace dg

#endif
