/* Flag rules of windows and controls: the creation flags each window type
   and each control type allows. */
#include "ruvk.h"
#include "ruvv_winflags.h"

namespace {

constexpr int32_t SCREEN_ATTR = 300;
constexpr int32_t TASK_ATTR = 301;
constexpr uint32_t FAILED_WINDOW = 0x01520002;
constexpr uint32_t WRONG_TYPE = 0x01230001;
constexpr uint32_t FAILED_CONTROL = 0x01520004;

bool within(uint32_t flags, uint32_t allowed)
{
    return (flags & ~allowed) == 0;
}

/* True when the parent is a window: neither missing, the screen nor the
   task window. */
bool inside_window(RUV_WIN parent)
{
    if (!parent)
        return false;
    return parent != (RUV_WIN)ruvk_vobj_get_attr(NULL_WIN, SCREEN_ATTR) &&
           parent != (RUV_WIN)ruvk_vobj_get_attr(NULL_WIN, TASK_ATTR);
}

int bits(uint32_t v)
{
    int n = 0;
    for (; v; v &= v - 1)
        ++n;
    return n;
}

} // namespace

extern "C" uint32_t ruvv_win_check_flags(int32_t type, RUV_WIN parent, uint32_t flags)
{
    bool ok;
    switch (type) {
    case 1:
        ok = !((flags & 0x200) && (flags & 0xC)) && !((flags & 0x100) && (flags & 0x1030));
        break;
    case 2:
        ok = within(flags, inside_window(parent) ? 0x83C : 0x830);
        break;
    case 3:
        ok = within(flags, 0x830);
        break;
    case 7:
        ok = inside_window(parent) && within(flags, 0x830);
        break;
    case 9:
        ok = within(flags, 0xA830);
        break;
    default:
        return WRONG_TYPE;
    }
    return ok ? 0 : FAILED_WINDOW;
}

extern "C" uint32_t ruvv_ctl_check_flags(int32_t type, uint32_t flags)
{
    if ((flags & 0x800) && (flags & 0x1000))
        return FAILED_CONTROL;
    if (bits(flags & 0xE000) >= 2)
        return FAILED_CONTROL;
    bool ok;
    switch (type) {
    case 12: ok = within(flags, 0xE019); break;
    case 13: ok = within(flags, 0xE035); break;
    case 14: ok = within(flags, 0xE015); break;
    case 15:
    case 16:
    case 24: ok = within(flags, 0x11); break;
    case 17: ok = within(flags, 0x1F991); break;
    case 18:
    case 21:
    case 22: ok = within(flags, 0xF811); break;
    case 19: ok = within(flags, 0x1E13) && !((flags & 0x200) && (flags & 0x400)); break;
    case 20: ok = within(flags, 0xE011); break;
    case 25: ok = within(flags, 0xF2E411) && bits(flags & 0xF00000) <= 1; break;
    case 26: ok = within(flags, 0x10); break;
    default: ok = false; break;
    }
    return ok ? 0 : FAILED_CONTROL;
}
