// Conformance rows of the resource functions (tres).  The program's
// compiled resources come from rows_tres.ruv, its strings from rows_tres.rc.
#include "conformance.h"
#include "ruvv_image.h"
#include "ruvv_res.h"

#include <cstring>
#include <string>

using namespace ruvf_test;

namespace {

constexpr int32_t WINDOW_ID = 3101;
constexpr int32_t DIALOG_ID = 3102;
constexpr int32_t MENU_ID = 3103;
constexpr int32_t MENU_ITEM = 3104;
constexpr int32_t FONT_ID = 3105;
constexpr int32_t IMAGE_ID = 3106;
constexpr int16_t IMAGE_WIDTH = 2, IMAGE_HEIGHT = 3;  // rows_tres.bmp: rows of blue, green, red
constexpr intptr_t MODAL_DIALOG = 10;  // window type of a modal dialog
constexpr int32_t FIRST_STRING = 3201;
constexpr int32_t LAST_STRING = 3203;

// An extra-data text compared and freed.
bool data_is(char *text, const char *expected)
{
    const bool same = text && std::strcmp(text, expected) == 0;
    ruv_mem_free(text);
    return same;
}

intptr_t win_def(int32_t id)
{
    RUV_WIN_DEF *def = ruv_res_get_win_def(id);
    const intptr_t type = def ? def->type : -1;
    if (def)
        ruv_res_free_win_def(def);
    return type;
}

// This program's own file: it serves as a resource library.
std::string own_path()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

} // namespace

static Rows rows{
    Row{ "ruv_res_get_win_def", "tres" }
        .valid([](Ctx &) { return win_def(WINDOW_ID); })
        .read_back([](Ctx &) { return win_def(WINDOW_ID) == 1; }),
    Row{ "ruv_res_get_dlg_def", "tres" }
        .valid([](Ctx &) {
            RUV_WIN_DEF *def = ruv_res_get_dlg_def(DIALOG_ID);
            const intptr_t type = def ? def->type : -1;
            if (def)
                ruv_res_free_win_def(def);
            return type;
        })
        .answers(MODAL_DIALOG),
    Row{ "ruv_res_get_menu", "tres" }
        .valid([](Ctx &) {
            RUV_MENU_ITEM *tree = ruv_res_get_menu(MENU_ID);
            const bool found = tree && tree[0].submenu && tree[0].submenu[0].tag == MENU_ITEM;
            if (tree)
                ruv_res_free_menu_tree(tree);
            return R(found);
        })
        .answers(1),
    Row{ "ruv_res_get_font", "tres" }
        .valid([](Ctx &) {
            RUV_FONT *font = ruv_res_get_font(FONT_ID);
            const int32_t size = font ? ruv_font_get_size(font) : -1;
            ruv_font_destroy(font);
            return R(size);
        })
        .read_back([](Ctx &) {
            RUV_FONT *font = ruv_res_get_font(FONT_ID);
            char family[16] = "";
            const bool ok = font && ruv_font_get_size(font) == 10 && ruv_font_get_family(font, family, 16) &&
                            std::strcmp(family, "times") == 0;
            ruv_font_destroy(font);
            return ok;
        }),
    Row{ "ruv_res_get_image", "tres" }
        .valid([](Ctx &) {
            RUV_IMAGE *image = ruv_res_get_image(IMAGE_ID);
            int16_t width = 0, height = 0;
            ruvv_image_get_dimensions(image, &width, &height);
            // Blue on top, red at the bottom.
            const bool ok = image != nullptr && width == IMAGE_WIDTH && height == IMAGE_HEIGHT &&
                            (ruvv_image_get_pixel(image, 1, 0) & 0xFFFFFF) == 0x0000FF &&
                            (ruvv_image_get_pixel(image, 0, 2) & 0xFFFFFF) == 0xFF0000;
            ruvv_image_destroy(image);
            return R(ok);
        })
        .answers(1),
    Row{ "ruv_res_get_str_list", "tres" }
        .valid([](Ctx &) {
            struct SLIST *list = ruv_res_get_str_list(FIRST_STRING, LAST_STRING);
            const int32_t n = ruv_slist_count(list);
            ruv_slist_destroy(list);
            return R(n);
        })
        .read_back([](Ctx &) {
            struct SLIST *list = ruv_res_get_str_list(LAST_STRING, FIRST_STRING);
            const char *second = ruv_slist_get_elt(list, 1, nullptr);
            const bool ok = ruv_slist_count(list) == 3 && second && std::strcmp(second, "Second string") == 0;
            ruv_slist_destroy(list);
            return ok;
        }),
    Row{ "ruv_res_get_win_data", "tres" }
        .valid([](Ctx &) { return R(data_is(ruv_res_get_win_data(WINDOW_ID, 1, 2), "go-data")); })
        .read_back([](Ctx &) { return data_is(ruv_res_get_win_data(WINDOW_ID, 1, 2), "go-data"); }),
    Row{ "ruv_res_get_dlg_data", "tres" }
        .valid([](Ctx &) { return R(data_is(ruv_res_get_dlg_data(DIALOG_ID, 1, 3), "ok-data")); })
        .read_back([](Ctx &) { return data_is(ruv_res_get_dlg_data(DIALOG_ID, 1, 3), "ok-data"); }),
    Row{ "ruv_res_get_menu_data", "tres" }
        .valid([](Ctx &) { return R(data_is(ruv_res_get_menu_data(MENU_ID, MENU_ITEM, 4), "item-data")); })
        .read_back([](Ctx &) { return data_is(ruv_res_get_menu_data(MENU_ID, MENU_ITEM, 4), "item-data"); }),
    Row{ "ruv_res_get_image_data", "tres" }
        .valid([](Ctx &) { return R(data_is(ruv_res_get_image_data(IMAGE_ID, 5), "image-data")); })
        .read_back([](Ctx &) { return data_is(ruv_res_get_image_data(IMAGE_ID, 5), "image-data"); }),
    Row{ "ruv_res_get_str", "tres" }
        .bad("NULL buffer", 0x00210000, [](Ctx &) { return R(ruv_res_get_str(FIRST_STRING, nullptr, 10)); })
        .valid([](Ctx &) { char b[32]; return R(ruv_res_get_str(FIRST_STRING, b, sizeof b)); })
        .read_back([](Ctx &) {
            char b[32];
            return ruv_res_get_str(FIRST_STRING, b, sizeof b) == b && std::strcmp(b, "First string") == 0;
        }),
    Row{ "ruv_res_free_win_def", "tres" }
        .bad("NULL definition", 0x00210000, [](Ctx &) { ruv_res_free_win_def(nullptr); return 0; })
        .valid([](Ctx &) { ruv_res_free_win_def(ruv_res_get_win_def(WINDOW_ID)); return 0; }),
    Row{ "ruv_res_free_menu_tree", "tres" }
        .bad("NULL tree", 0x00210000, [](Ctx &) { ruv_res_free_menu_tree(nullptr); return 0; })
        .valid([](Ctx &) { ruv_res_free_menu_tree(ruv_res_get_menu(MENU_ID)); return 0; }),
    Row{ "ruv_res_add_res", "tres" }
        .bad("NULL name", 0x00210000, [](Ctx &) { return R(ruv_res_add_res(nullptr)); })
        .valid([](Ctx &) {
            // A library that was added is removed again.
            void *handle = ruv_res_add_res(own_path().c_str());
            return R(handle != nullptr && ruv_res_remove_res(handle) != FALSE);
        })
        .answers(1),
    Row{ "ruv_res_use_res", "tres" }
        .bad("NULL handle", 0x00210000, [](Ctx &) { return R(ruv_res_use_res(nullptr)); })
        .valid([](Ctx &) {
            void *handle = ruv_res_add_res(own_path().c_str());
            void *previous = ruv_res_use_res(handle);
            ruv_res_use_res(previous);
            ruv_res_remove_res(handle);
            return R(previous);
        }),
    // No library: FALSE, and nothing raised.
    Row{ "ruv_res_remove_res", "tres" }
        .valid([](Ctx &) { return R(ruv_res_remove_res(nullptr)); })
        .answers(FALSE),
};
