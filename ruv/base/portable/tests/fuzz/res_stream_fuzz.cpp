// Fuzz target of the compiled-resource reader: any bytes, served as the
// stream's chunks, are opened and every directory entry is read through the
// resource API; nothing may read outside its buffers.
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "standin_core.h"
#include "standin_res.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
RUV_BOOL swallow(RUV_ERRMSG *, void *)
{
    return 1;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    standin::end_process();
    standin::clear_resources();
    ruvv_errmsg_set_ready();
    ruvv_errmsg_push_handler(swallow, nullptr);
    std::string stream(reinterpret_cast<const char *>(data), size);
    standin::set_stream(stream, 10001, 64);
    if (ruvv_furl_open()) {
        int32_t n = ruvv_furl_count();
        for (int32_t i = 0; i < n && i < 64; ++i) {
            int16_t type, id;
            if (!ruvv_furl_entry(i, nullptr, &type, &id))
                continue;
            switch (type) {
            case RUV_RES_MENU:
                ruvv_res_free_menu_tree(ruvv_res_get_menu(id));
                ruvv_mem_free(ruvv_res_get_menu_data(id, 1, 1));
                break;
            case RUV_RES_WINDOW:
                ruvv_res_free_win_def(ruvv_res_get_win_def(id));
                ruvv_mem_free(ruvv_res_get_win_data(id, 0, 1));
                break;
            case RUV_RES_DIALOG:
                ruvv_res_free_win_def(ruvv_res_get_dlg_def(id));
                ruvv_mem_free(ruvv_res_get_dlg_data(id, 1, 1));
                break;
            case RUV_RES_FONT:
                ruvv_font_destroy(ruvv_res_get_font(id));
                break;
            case RUV_RES_IMAGE:
                ruvv_mem_free(ruvv_res_get_image_data(id, 1));
                break;
            default: {
                char buf[256];
                if (ruvv_res_seek(type, id))
                    ruvv_furl_read(buf, sizeof buf);
            }
            }
        }
    }
    standin::end_process();
    return 0;
}
