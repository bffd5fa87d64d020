// List-control functions of the front layer: filling, emptying and reading
// list boxes and the lists of drop lists and drop-downs, and their
// selection.  Every report names the list control as its request object
// and each member reports its checks from one line.
#include "front_guard.h"
#include "native_controls.h"
#include "ruv.h"
#include "ruvv_list.h"
#include "window_services.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tlist";

// The checks of one member, all raised with the list as request object
// from the line where the member starts them.
class ListChecks {
public:
    ListChecks(Guard &g, RUV_WIN list, int line = __builtin_LINE()) : g_(g), list_(list), line_(line) {}

    bool check(bool cond, RUV_ERRMSG_ID id) { return g_.check(cond, id, list_, line_); }
    bool not_in_update() { return check(!ruvf::in_update(), ruvf::ID_DURING_UPDATE); }
    bool window()
    {
        return check(list_ != NULL_WIN, ruvf::ID_NULL_WINDOW) && check(ruvf::is_window(list_), ruvf::ID_INVALID_WINDOW);
    }
    // Any control the base library takes as a list.
    bool any_list() { return window() && check(ruvk_vobj_is_list(list_) != 0, ruvf::ID_INCORRECT_WINDOW_TYPE); }
    // List boxes and drop lists only (the ones with a selection of rows).
    bool selection_list()
    {
        return window() && check(ruvf::type_in(list_, ruvf::types({ WC_LIST_BOX, WC_DROP_LIST })),
                                 ruvf::ID_INCORRECT_WINDOW_TYPE);
    }
    bool not_null(const void *p) { return check(p != nullptr, ruvf::ID_NULL_HANDLE); }

private:
    Guard &g_;
    RUV_WIN list_;
    int line_;
};

} // namespace

extern "C" RUV_BOOL ruv_list_add(RUV_WIN list, int32_t index, const char *textOrList)
{
    Guard g("ruv_list_add", SRC);
    ListChecks c(g, list);
    if (!c.not_in_update() || !c.any_list() || !c.not_null(textOrList) || !c.check(index >= -1, ruvf::ID_BAD_VALUE))
        return FALSE;
    return ruvv_list_add(list, index, textOrList);
}

extern "C" RUV_BOOL ruv_list_clear(RUV_WIN list)
{
    Guard g("ruv_list_clear", SRC);
    ListChecks c(g, list);
    if (!c.not_in_update() || !c.any_list())
        return FALSE;
    return ruvk_list_clear(list);
}

extern "C" RUV_BOOL ruv_list_rem(RUV_WIN list, int32_t index)
{
    Guard g("ruv_list_rem", SRC);
    ListChecks c(g, list);
    if (!c.not_in_update() || !c.any_list())
        return FALSE;
    return ruvk_list_rem(list, index);
}

extern "C" void ruv_list_suspend(RUV_WIN list)
{
    Guard g("ruv_list_suspend", SRC);
    ListChecks c(g, list);
    if (!c.not_in_update() || !c.any_list())
        return;
    ruvk_list_suspend(list);
}

extern "C" void ruv_list_resume(RUV_WIN list)
{
    Guard g("ruv_list_resume", SRC);
    ListChecks c(g, list);
    if (!c.not_in_update() || !c.any_list())
        return;
    ruvk_list_resume(list);
}

extern "C" RUV_BOOL ruv_list_set_sel(RUV_WIN list, int32_t index, RUV_BOOL select)
{
    Guard g("ruv_list_set_sel", SRC);
    ListChecks c(g, list);
    if (!c.not_in_update() || !c.selection_list())
        return FALSE;
    return ruvk_list_set_sel(list, index, select);
}

extern "C" int32_t ruv_list_count_all(RUV_WIN list)
{
    Guard g("ruv_list_count_all", SRC);
    ListChecks c(g, list);
    if (!c.any_list())
        return -1;
    return ruvk_list_count_all(list);
}

extern "C" SLIST *ruv_list_get_all(RUV_WIN list)
{
    Guard g("ruv_list_get_all", SRC);
    ListChecks c(g, list);
    if (!c.any_list())
        return nullptr;
    return ruvk_list_get_all(list);
}

extern "C" RUV_BOOL ruv_list_get_elt(RUV_WIN list, int32_t index, char *buffer, int32_t size)
{
    Guard g("ruv_list_get_elt", SRC);
    ListChecks c(g, list);
    if (!c.any_list() || !c.not_null(buffer))
        return FALSE;
    return ruvk_list_get_elt(list, index, buffer, size);
}

extern "C" int32_t ruv_list_count_sel(RUV_WIN list)
{
    Guard g("ruv_list_count_sel", SRC);
    ListChecks c(g, list);
    if (!c.selection_list())
        return -1;
    return ruvk_list_count_sel(list);
}

extern "C" SLIST *ruv_list_get_sel(RUV_WIN list)
{
    Guard g("ruv_list_get_sel", SRC);
    ListChecks c(g, list);
    if (!c.selection_list())
        return nullptr;
    return ruvk_list_get_sel(list);
}

extern "C" int32_t ruv_list_get_sel_index(RUV_WIN list)
{
    Guard g("ruv_list_get_sel_index", SRC);
    ListChecks c(g, list);
    if (!c.selection_list())
        return -1;
    return ruvk_list_get_sel_index(list);
}

extern "C" RUV_BOOL ruv_list_get_first_sel(RUV_WIN list, char *buffer, int32_t size)
{
    Guard g("ruv_list_get_first_sel", SRC);
    ListChecks c(g, list);
    if (!c.selection_list() || !c.not_null(buffer))
        return FALSE;
    return ruvk_list_get_first_sel(list, buffer, size);
}

extern "C" RUV_BOOL ruv_list_is_sel(RUV_WIN list, int32_t index)
{
    Guard g("ruv_list_is_sel", SRC);
    ListChecks c(g, list);
    if (!c.selection_list())
        return FALSE;
    return ruvk_list_is_sel(list, index);
}
