// Conformance rows of the screen functions (tscr).
#include "conformance.h"

using namespace ruvf_test;

static Rows rows{
    Row{ "ruv_scr_beep", "tscr" }.valid([](Ctx &) { ruv_scr_beep(); return 0; }),
    Row{ "ruv_scr_get_focus_topwin", "tscr" }
        .valid([](Ctx &c) {
            ruv_scr_set_focus_vobj(c.get(Obj::Edit));
            return R(ruv_scr_get_focus_topwin());
        })
        .read_back([](Ctx &c) { return ruv_scr_get_focus_topwin() == c.get(Obj::Doc); }),
    Row{ "ruv_scr_get_focus_vobj", "tscr" }
        .valid([](Ctx &c) {
            ruv_scr_set_focus_vobj(c.get(Obj::Edit));
            return R(ruv_scr_get_focus_vobj());
        })
        .read_back([](Ctx &c) { return ruv_scr_get_focus_vobj() == c.get(Obj::Edit); }),
    Row{ "ruv_scr_hide_cursor", "tscr" }.valid([](Ctx &) { ruv_scr_hide_cursor(); return 0; }),
    Row{ "ruv_scr_set_busy_cursor", "tscr" }.valid([](Ctx &) { ruv_scr_set_busy_cursor(); return 0; }),
    Row{ "ruv_scr_list_wins", "tscr" }
        .valid([](Ctx &c) {
            c.get(Obj::Doc);
            struct SLIST *list = ruv_scr_list_wins();
            const int32_t n = ruv_slist_count(list);
            ruv_slist_destroy(list);
            return R(n);
        }),
    Row{ "ruv_scr_set_focus_vobj", "tscr" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_scr_set_focus_vobj(w); return 0; })
        .refused_type(Obj::Static)
        .refused_type(Obj::Screen)
        .refused_type(Obj::Task)
        .valid([](Ctx &c) { ruv_scr_set_focus_vobj(c.get(Obj::Edit)); return 0; })
        .read_back([](Ctx &c) { return GetFocus() == c.hwnd(Obj::Edit); }),
    Row{ "ruv_scr_launch_browser", "tscr" }
        .bad("NULL address", 0x0121000C, [](Ctx &) { return R(ruv_scr_launch_browser(nullptr)); })
        .bad("empty address", 0x01250001, [](Ctx &) { return R(ruv_scr_launch_browser("")); })
        .no_valid("would start the system's browser"),
};
