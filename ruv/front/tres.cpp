// Resource functions of the front layer: window, dialog and menu
// definitions, fonts, images, strings and string lists read from the
// program's compiled resources, their release, and further resource
// libraries added, selected and removed.  None is refused during an update.
#include "front_guard.h"
#include "resources.h"
#include "ruv.h"
#include "ruvv_res.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tres";

// Resource ids, item ids and data tags are 16 bits wide in the compiled
// resources.
int16_t id16(int32_t id) { return static_cast<int16_t>(id); }

} // namespace

extern "C" RUV_WIN_DEF *ruv_res_get_win_def(int32_t id)
{
    Guard g("ruv_res_get_win_def", SRC);
    return ruvv_res_get_win_def(id16(id));
}

extern "C" RUV_WIN_DEF *ruv_res_get_dlg_def(int32_t id)
{
    Guard g("ruv_res_get_dlg_def", SRC);
    return ruvv_res_get_dlg_def(id16(id));
}

extern "C" RUV_MENU_ITEM *ruv_res_get_menu(int32_t id)
{
    Guard g("ruv_res_get_menu", SRC);
    return ruvv_res_get_menu(id16(id));
}

extern "C" RUV_FONT *ruv_res_get_font(int32_t id)
{
    Guard g("ruv_res_get_font", SRC);
    return ruvv_res_get_font(id16(id));
}

extern "C" RUV_IMAGE *ruv_res_get_image(int32_t id)
{
    Guard g("ruv_res_get_image", SRC);
    return ruvv_res_get_image(id16(id));
}

extern "C" SLIST *ruv_res_get_str_list(int32_t first, int32_t last)
{
    Guard g("ruv_res_get_str_list", SRC);
    return ruvv_res_get_str_list(first, last);
}

extern "C" char *ruv_res_get_win_data(int32_t winId, int32_t ctlId, int32_t dataTag)
{
    Guard g("ruv_res_get_win_data", SRC);
    return ruvv_res_get_win_data(id16(winId), id16(ctlId), id16(dataTag));
}

extern "C" char *ruv_res_get_dlg_data(int32_t dlgId, int32_t ctlId, int32_t dataTag)
{
    Guard g("ruv_res_get_dlg_data", SRC);
    return ruvv_res_get_dlg_data(id16(dlgId), id16(ctlId), id16(dataTag));
}

extern "C" char *ruv_res_get_menu_data(int32_t menuId, int32_t itemTag, int32_t dataTag)
{
    Guard g("ruv_res_get_menu_data", SRC);
    return ruvv_res_get_menu_data(id16(menuId), itemTag, id16(dataTag));
}

extern "C" char *ruv_res_get_image_data(int32_t imageId, int32_t dataTag)
{
    Guard g("ruv_res_get_image_data", SRC);
    return ruvv_res_get_image_data(id16(imageId), id16(dataTag));
}

extern "C" char *ruv_res_get_str(int32_t id, char *buffer, int32_t size)
{
    Guard g("ruv_res_get_str", SRC);
    if (!g.not_null(buffer))
        return nullptr;
    return ruvv_res_get_str(id, buffer, size);
}

extern "C" void ruv_res_free_win_def(RUV_WIN_DEF *def)
{
    Guard g("ruv_res_free_win_def", SRC);
    if (g.not_null(def))
        ruvv_res_free_win_def(def);
}

extern "C" void ruv_res_free_menu_tree(RUV_MENU_ITEM *tree)
{
    Guard g("ruv_res_free_menu_tree", SRC);
    if (g.not_null(tree))
        ruvv_res_free_menu_tree(tree);
}

extern "C" void *ruv_res_add_res(const char *file)
{
    Guard g("ruv_res_add_res", SRC);
    if (!g.not_null(file))
        return nullptr;
    return ruvk_res_add_res(file);
}

extern "C" void *ruv_res_use_res(void *handle)
{
    Guard g("ruv_res_use_res", SRC);
    if (!g.not_null(handle))
        return nullptr;
    return ruvk_res_use_res(handle);
}

extern "C" RUV_BOOL ruv_res_remove_res(void *handle)
{
    Guard g("ruv_res_remove_res", SRC);
    if (!handle)
        return FALSE;
    return ruvk_res_remove_res(handle);
}
