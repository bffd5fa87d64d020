// Dialog functions (ruv_dlg_): modal and modeless dialogs made from an
// in-memory definition or from a compiled resource.
#include "front_guard.h"
#include "ruv.h"

#include "dialogs.h"
#include "ruvv_windef.h"
#include "ruvv_winflags.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tdlg";

constexpr uint32_t DIALOG_FLAG_BITS = 0x3u;
constexpr RUV_ERRMSG_ID ID_NOT_A_DIALOG_TYPE = 0x01230005;
constexpr int32_t LAST_RESOURCE_ID = 29999;
constexpr int32_t NOTEBOOK = 25;

} // namespace

extern "C" {

RUV_WIN ruv_dlg_create_def(RUV_WIN_DEF *def, uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data)
{
    Guard g("ruv_dlg_create_def", SRC);
    if (!g.not_in_update() || !g.not_null(def) || !g.not_null_fn(handler, ruvf::ID_NULL_POINTER) ||
        !g.check(!(def->u.dlg.flags & ~static_cast<uintptr_t>(DIALOG_FLAG_BITS)), ruvf::ID_FAILED_CREATE_DIALOG))
        return NULL_WIN;
    for (const RUV_WIN_DEF *e = def + 1; e->type != 0; ++e) {
        if (!g.check(e->type != ruvf::TYPE_TEXT_EDIT, ruvf::ID_FAILED_CREATE_TX) ||
            !g.check(e->type != NOTEBOOK, ruvf::ID_INVALID_WINDOW) ||
            !g.no_id(ruvv_ctl_check_flags(e->type, static_cast<uint32_t>(e->u.ctl.flags))))
            return NULL_WIN;
    }
    if (!g.no_id(ruvv_win_check_fonts(def)))
        return NULL_WIN;
    ruvf::DefinitionRepair repair(def);
    return ruvk_dlg_create_def(def, event_mask, handler, app_data);
}

RUV_WIN ruv_dlg_create_res(int32_t type, int32_t res_id, uint32_t event_mask, RUV_EVENT_HANDLER handler,
                           void *app_data)
{
    Guard g("ruv_dlg_create_res", SRC);
    if (!g.not_in_update() || !g.check(type == 10 || type == 11, ID_NOT_A_DIALOG_TYPE) ||
        !g.check(res_id <= LAST_RESOURCE_ID, ruvf::ID_BAD_VALUE) || !g.not_null_fn(handler, ruvf::ID_NULL_POINTER))
        return NULL_WIN;
    return ruvk_dlg_create_res(type, res_id, event_mask, handler, app_data);
}

} // extern "C"
