// The text-edit handle behind a text-edit window: what the window
// functions hand an application that asks a window for its text edit.
#include "ruvv_app.h"
#include "ruvv_tx.h"
#include "ruvv_vobj.h"
#include "ruvv_windef.h"
#include "text_edit_private.h"

extern "C" TXEDIT ruvv_win_get_tx(RUV_WIN win)
{
    // Window mode only: in handle mode text edits are no windows.
    if (!win || !ruvv_vobj_is_valid(win) || !(win->kind & RUV_KIND_TEXT_EDIT) || ruvtx::handle_api_mode())
        return 0;
    ruvtx::txn_start();
    return ruvtx::window_to_handle ? ruvtx::window_to_handle(win) : 0;
}
