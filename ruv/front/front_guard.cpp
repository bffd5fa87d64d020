// The guard shared by the public functions of every family: mark and
// unmark, update refusal, window checks through the registry, argument
// checks and rectangle repair (see front_guard.h).
#include "front_guard.h"

#include "ruvv_app.h"
#include "ruvv_rect.h"

namespace ruvf {

bool is_window(RUV_WIN win)
{
    // The registry answers before any field of the record is read: a
    // destroyed window's handle or a foreign pointer is never touched.
    return win != NULL_WIN && ruvv_vobj_is_valid(win) && win->tag == RUV_VOBJ_TAG;
}

int32_t type_of(RUV_WIN win)
{
    return (win->kind & KIND_TEXT_EDIT) ? TYPE_TEXT_EDIT : win->type;
}

bool in_update()
{
    return ruvv_app_proc_update() != 0;
}

Guard::Guard(const char *name, const char *source) : name_(name), source_(source)
{
    ruvv_errfrm_mark_API(name_);
}

Guard::~Guard()
{
    if (marked_)
        ruvv_errfrm_unmark_API();
}

bool Guard::raise(RUV_ERRMSG_ID id, void *object, int32_t severity, int line)
{
    ruvv_errmsg_dispatch(object, severity, id, source_, line);
    return false;
}

bool Guard::check(bool cond, RUV_ERRMSG_ID id, void *object, int line)
{
    return cond || raise(id, object, RUV_SEV_ERROR, line);
}

bool Guard::not_in_update(int line)
{
    return check(!in_update(), ID_DURING_UPDATE, nullptr, line);
}

bool Guard::registered(RUV_WIN win, int line)
{
    return check(win != NULL_WIN, ID_NULL_WINDOW, nullptr, line) &&
           check(ruvv_vobj_is_valid(win) != 0, ID_INVALID_WINDOW, nullptr, line);
}

bool Guard::window(RUV_WIN win, int line)
{
    return check(win != NULL_WIN, ID_NULL_WINDOW, nullptr, line) &&
           check(is_window(win), ID_INVALID_WINDOW, nullptr, line);
}

bool Guard::window(RUV_WIN win, uint32_t type_mask, int line)
{
    return window(win, line) && check(type_in(win, type_mask), ID_INCORRECT_WINDOW_TYPE, nullptr, line);
}

bool Guard::not_text_edit(RUV_WIN win, int line)
{
    return check(!is_text_edit(win), ID_INCORRECT_WINDOW_TYPE, nullptr, line);
}

bool Guard::not_null(const void *p, RUV_ERRMSG_ID id, int line)
{
    return check(p != nullptr, id, nullptr, line);
}

const RUV_RECT *Guard::rect(const RUV_RECT *rect, RUV_RECT &scratch, Strict strict, int line)
{
    if (!rect)
        return rect;
    bool reversed = strict == Strict::EqualEdges ? (rect->left >= rect->right || rect->top >= rect->bottom)
                                                 : (rect->left > rect->right || rect->top > rect->bottom);
    if (!reversed)
        return rect;
    raise(ID_RECT_FORMAT, nullptr, RUV_SEV_WARNING, line);
    return ruvv_rect_repair_ptr(rect, &scratch);
}

DefinitionRepair::DefinitionRepair(RUV_WIN_DEF *def)
{
    places_[0] = nullptr;
    changed_ = ruvv_rect_repair_windef(def, saved_, places_, SAVED) != 0;
}

DefinitionRepair::~DefinitionRepair()
{
    if (changed_)
        ruvv_rect_restore(saved_, places_);
}

} // namespace ruvf
