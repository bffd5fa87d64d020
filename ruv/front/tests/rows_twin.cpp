// Conformance rows of the window functions (twin).
#include "conformance.h"
#include "ruvv_color.h"
#include "ruvv_res.h"
#include "ruvv_list.h"
#include "window_create.h"

using namespace ruvf_test;

namespace {

int32_t quiet(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

int16_t count_child(RUV_WIN, void *data)
{
    ++*static_cast<int *>(data);
    return 1;
}

RUV_RECT box(int16_t top, int16_t left, int16_t bottom, int16_t right)
{
    return RUV_RECT{ top, left, bottom, right };
}

// A document window with one push button, ended by type 0.
struct Definition {
    RUV_WIN_DEF e[3]{};
    Definition(int32_t type = 1)
    {
        e[0].type = type;
        e[0].rect = box(30, 30, 230, 330);
        e[0].title = const_cast<char *>("Defined");
        e[0].u.win.flags = 0x803;
        e[1].type = 12;
        e[1].rect = box(10, 10, 34, 110);
        e[1].title = const_cast<char *>("Push");
        e[1].u.ctl.ctl_id = 301;
    }
};

RUV_WIN made_def(Ctx &c, RUV_WIN parent)
{
    Definition d;
    RUV_WIN w = ruv_win_create_def(d.e, parent, nullptr, quiet, RUV_EVENT_MASK_ALL);
    return w;
}

RUV_WIN doc(Ctx &c) { return c.get(Obj::Doc); }

// A live window whose parent is the document, shown natively.
bool made_under(Ctx &c, intptr_t made)
{
    auto w = reinterpret_cast<RUV_WIN>(made);
    return w && ruv_vobj_is_valid(w) && ruv_vobj_get_parent(w) == doc(c) &&
           IsWindowVisible(static_cast<HWND>(w->native));
}

intptr_t free_slist(SLIST *list)
{
    ruvv_slist_destroy(list);
    return R(list);
}

// A modal window made with flag 0x8000 (its loop not started), then with
// the flag cleared: the probe of a window that runs its own loop.
RUV_WIN g_modal = nullptr;
void *make_modal(Ctx &c)
{
    RUV_RECT r = box(50, 50, 150, 250);
    g_modal = ruvk_win_create(9, &r, "Modal", 0, c.get(Obj::Task), 0x8803, RUV_EVENT_MASK_ALL, quiet, nullptr);
    return g_modal;
}

} // namespace

static Rows rows{
    Row{ "ruv_win_create", "twin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) {
            RUV_RECT r = box(10, 10, 60, 60);
            return R(ruv_win_create(7, &r, "c", 0, w, 0, -1, quiet, nullptr));
        })
        .refused_type(Obj::Button)
        .bad("type 4 before the parent is looked at", 0x01230001,
             [](Ctx &) { RUV_RECT r = box(10, 10, 60, 60); return R(ruv_win_create(4, &r, "p", 0, nullptr, 0, -1, quiet, nullptr)); })
        .bad("NULL handler", 0x0121000E,
             [](Ctx &c) { RUV_RECT r = box(10, 10, 60, 60); return R(ruv_win_create(7, &r, "c", 0, doc(c), 0, -1, nullptr, nullptr)); })
        .bad("reversed rectangle", 0x01240003,
             [](Ctx &c) {
                 RUV_RECT r = box(60, 60, 10, 10);
                 RUV_WIN w = ruv_win_create(7, &r, "c", 0, doc(c), 0, -1, quiet, nullptr);
                 ruv_vobj_destroy(w);
                 return R(w);
             },
             nullptr, RUV_SEV_WARNING)
        .valid([](Ctx &c) {
            RUV_RECT r = box(10, 10, 60, 60);
            return R(ruv_win_create(7, &r, "Made", 0, doc(c), 0, -1, quiet, nullptr));
        })
        .check_result([](Ctx &c, intptr_t w) { return made_under(c, w); }),
    Row{ "ruv_win_create_def", "twin" }
        .refuses()
        .window([](Ctx &c, RUV_WIN w) { return R(made_def(c, w)); })
        .refused_type(Obj::Button)
        .bad("NULL definition", 0x00210000,
             [](Ctx &c) { return R(ruv_win_create_def(nullptr, doc(c), nullptr, quiet, RUV_EVENT_MASK_ALL)); })
        .bad("NULL handler", 0x0121000E,
             [](Ctx &c) { Definition d; return R(ruv_win_create_def(d.e, doc(c), nullptr, nullptr, RUV_EVENT_MASK_ALL)); })
        .bad("element of type 4", 0x01230001,
             [](Ctx &c) { Definition d(4); return R(ruv_win_create_def(d.e, doc(c), nullptr, quiet, RUV_EVENT_MASK_ALL)); })
        .bad("under the task without a menu bar", 0x00220000,
             [](Ctx &c) {
                 Definition d;
                 d.e[0].u.win.flags = 0x3;
                 return R(ruv_win_create_def(d.e, c.get(Obj::Task), nullptr, quiet, RUV_EVENT_MASK_ALL));
             })
        .valid([](Ctx &c) { return R(made_def(c, doc(c))); })
        .check_result([](Ctx &c, intptr_t w) {
            return made_under(c, w) && ruv_win_get_ctl(reinterpret_cast<RUV_WIN>(w), 301) != nullptr;
        }),
    Row{ "ruv_win_create_res", "twin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_create_res(101, w, nullptr, quiet, RUV_EVENT_MASK_ALL)); })
        .refused_type(Obj::Button)
        .bad("NULL handler", 0x0121000E,
             [](Ctx &c) { return R(ruv_win_create_res(101, doc(c), nullptr, nullptr, RUV_EVENT_MASK_ALL)); })
        .no_valid("the table's program has no compiled window resources; the window tests make one from a resource"),
    Row{ "ruv_win_dispatch_event", "twin" }
        .failure(-1)
        .window([](Ctx &, RUV_WIN w) {
            RUV_EVENT e{};
            e.type = E_USER;
            return R(ruv_win_dispatch_event(w, &e));
        })
        .refused_type(Obj::Button)
        .bad("NULL event", 0x00210000, [](Ctx &c) { return R(ruv_win_dispatch_event(doc(c), nullptr)); })
        .bad("the screen", 0x00250000,
             [](Ctx &c) { RUV_EVENT e{}; e.type = E_USER; return R(ruv_win_dispatch_event(c.get(Obj::Screen), &e)); })
        .bad("event type 21", 0x00250000,
             [](Ctx &c) { RUV_EVENT e{}; e.type = 21; return R(ruv_win_dispatch_event(doc(c), &e)); })
        .bad("window without a handler", 0x01640001,
             [](Ctx &c) {
                 ruv_win_set_handler(doc(c), nullptr);
                 RUV_EVENT e{};
                 e.type = E_USER;
                 return R(ruv_win_dispatch_event(doc(c), &e));
             })
        .valid([](Ctx &c) { RUV_EVENT e{}; e.type = E_USER; return R(ruv_win_dispatch_event(doc(c), &e)); }),
    Row{ "ruv_win_enum_wins", "twin" }
        .window([](Ctx &, RUV_WIN w) { int n = 0; return R(ruv_win_enum_wins(w, count_child, &n, 0)); })
        .refused_type(Obj::Button)
        .bad("nonzero last argument", 0x01250001,
             [](Ctx &c) { int n = 0; return R(ruv_win_enum_wins(doc(c), count_child, &n, 1)); })
        .valid([](Ctx &c) { c.get(Obj::Button); int n = 0; ruv_win_enum_wins(doc(c), count_child, &n, 0); return R(n); })
        .read_back([](Ctx &c) { int n = 0; ruv_win_enum_wins(doc(c), count_child, &n, 0); return n >= 1; }),
    Row{ "ruv_win_list_wins", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(free_slist(ruv_win_list_wins(w, 0))); })
        .refused_type(Obj::Button)
        .bad("nonzero last argument", 0x01250001, [](Ctx &c) { return R(free_slist(ruv_win_list_wins(doc(c), 2))); })
        .valid([](Ctx &c) { c.get(Obj::Button); return R(free_slist(ruv_win_list_wins(doc(c), 0))); }),
    Row{ "ruv_win_list_cxos", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(free_slist(ruv_win_list_cxos(w))); })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { return R(free_slist(ruv_win_list_cxos(doc(c)))); }),
    Row{ "ruv_win_get_cxo", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_cxo(w, "none", nullptr)); })
        .refused_type(Obj::Button)
        .bad("NULL class name", 0x01220001, [](Ctx &c) { return R(ruv_win_get_cxo(doc(c), nullptr, nullptr)); })
        .valid([](Ctx &c) { return R(ruv_win_get_cxo(doc(c), "none", nullptr)); }),
    Row{ "ruv_win_get_ctl", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_ctl(w, 101)); })
        .valid([](Ctx &c) { c.get(Obj::Button); return R(ruv_win_get_ctl(doc(c), 101)); })
        .check_result([](Ctx &c, intptr_t w) { return w == R(c.get(Obj::Button)); }),
    Row{ "ruv_win_get_ctl_colors", "twin" }
        .window([](Ctx &, RUV_WIN w) { RUV_COLOR_COMPONENT *l = ruv_win_get_ctl_colors(w); ruv_mem_free(l); return R(l); })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { RUV_COLOR_COMPONENT *l = ruv_win_get_ctl_colors(doc(c)); ruv_mem_free(l); return R(l); }),
    Row{ "ruv_win_get_ctl_color_component", "twin" }
        .failure(R(static_cast<RUV_COLOR>(-1)))
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_ctl_color_component(w, 2)); })
        .refused_type(Obj::Screen)
        .bad("component 3", 0x01230001, [](Ctx &c) { return R(ruv_win_get_ctl_color_component(doc(c), 3)); })
        .valid([](Ctx &c) { return R(ruv_win_get_ctl_color_component(doc(c), 2)); }),
    Row{ "ruv_win_set_ctl_colors", "twin" }
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_ctl_colors(w, nullptr, 0); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) {
            RUV_COLOR_COMPONENT l[2] = { { 4, 0x0000FF }, { 0, 0 } };
            ruv_win_set_ctl_colors(doc(c), l, 0);
            return 0;
        })
        .read_back([](Ctx &c) { return ruv_win_get_ctl_color_component(doc(c), 4) == 0x0000FF; }),
    Row{ "ruv_win_set_ctl_color_component", "twin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_ctl_color_component(w, 2, 0xFF); return 0; })
        .refused_type(Obj::Screen)
        .bad("component 0", 0x01230001, [](Ctx &c) { ruv_win_set_ctl_color_component(doc(c), 0, 0xFF); return 0; })
        .valid([](Ctx &c) { ruv_win_set_ctl_color_component(doc(c), 8, 0x00FF00); return 0; })
        .read_back([](Ctx &c) { return ruv_win_get_ctl_color_component(doc(c), 8) == 0x00FF00; }),
    Row{ "ruv_win_unset_ctl_color_component", "twin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_win_unset_ctl_color_component(w, 2); return 0; })
        .refused_type(Obj::Screen)
        .bad("component 256", 0x01230001, [](Ctx &c) { ruv_win_unset_ctl_color_component(doc(c), 256); return 0; })
        .valid([](Ctx &c) { ruv_win_unset_ctl_color_component(doc(c), 8); return 0; }),
    Row{ "ruv_win_get_ctl_font", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_ctl_font(w)); })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { return R(ruv_win_get_ctl_font(doc(c))); }),
    Row{ "ruv_win_set_ctl_font", "twin" }
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_ctl_font(w, nullptr); return 0; })
        .refused_type(Obj::Screen)
        .bad("a font that is no font", 0x01220003,
             [](Ctx &c) {
                 static long not_a_font[32];
                 ruv_win_set_ctl_font(doc(c), reinterpret_cast<RUV_FONT *>(not_a_font));
                 return 0;
             })
        .valid([](Ctx &c) { ruv_win_set_ctl_font(doc(c), nullptr); return 0; }),
    Row{ "ruv_win_get_cursor", "twin" }
        .failure(-1)
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_cursor(w)); })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { return R(ruv_win_get_cursor(doc(c))); }),
    Row{ "ruv_win_set_cursor", "twin" }
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_cursor(w, 0); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_win_set_cursor(doc(c), 1); return 0; })
        .read_back([](Ctx &c) { return ruv_win_get_cursor(doc(c)) == 1; }),
    Row{ "ruv_win_get_event_mask", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_event_mask(w)); })
        .valid([](Ctx &c) { return R(ruv_win_get_event_mask(doc(c))); }),
    Row{ "ruv_win_set_event_mask", "twin" }
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_event_mask(w, 1); return 0; })
        .valid([](Ctx &c) { ruv_win_set_event_mask(doc(c), 0x5); return 0; })
        .read_back([](Ctx &c) { return ruv_win_get_event_mask(doc(c)) == 0x5; }),
    Row{ "ruv_win_get_handler", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_handler(w)); })
        .valid([](Ctx &c) { return R(ruv_win_get_handler(doc(c))); }),
    Row{ "ruv_win_set_handler", "twin" }
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_handler(w, quiet); return 0; })
        .valid([](Ctx &c) { ruv_win_set_handler(doc(c), quiet); return 0; })
        .read_back([](Ctx &c) { return ruv_win_get_handler(doc(c)) == quiet; }),
    Row{ "ruv_win_get_nav", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_nav(w)); })
        .refused_type(Obj::Button, 0x01220002)
        .valid([](Ctx &c) { return R(ruv_win_get_nav(doc(c))); }),
    Row{ "ruv_win_get_tx", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_get_tx(w, 0)); })
        .valid([](Ctx &c) { return R(ruv_win_get_tx(c.get(Obj::TextEdit), 0)); })
        .check_result([](Ctx &c, intptr_t tx) { return tx != 0 && ruv_win_get_tx(doc(c), 0) == 0; }),
    Row{ "ruv_win_has_menu", "twin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_win_has_menu(w)); })
        .valid([](Ctx &c) { return R(ruv_win_has_menu(c.get(Obj::Task))); }),
    Row{ "ruv_win_process_modal", "twin" }
        .window([](Ctx &, RUV_WIN w) { ruv_win_process_modal(w); return 0; })
        .window_ids(0x01210002, 0)
        .bad("a document window", 0x01230001, [](Ctx &c) { ruv_win_process_modal(doc(c)); return 0; },
             [](Ctx &c) -> void * { return doc(c); })
        .bad("a modal window made without flag 0x8000", 0x01220013,
             [](Ctx &) {
                 g_modal->create_flags &= ~0x8000u;
                 ruv_win_process_modal(g_modal);
                 g_modal->create_flags |= 0x8000u;
                 ruv_vobj_destroy(g_modal);
                 return 0;
             },
             make_modal)
        .no_valid("a modal loop runs until its window closes; the window tests run one"),
    Row{ "ruv_win_set_caret_pos", "twin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_caret_pos(w, RUV_POINT{ 1, 1 }); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_win_set_caret_pos(doc(c), RUV_POINT{ 5, 5 }); return 0; }),
    Row{ "ruv_win_set_caret_size", "twin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_caret_size(w, 2, 10); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_win_set_caret_size(doc(c), 2, 12); return 0; }),
    Row{ "ruv_win_set_caret_visible", "twin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_caret_visible(w, FALSE); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_win_set_caret_visible(doc(c), FALSE); return 0; }),
    Row{ "ruv_win_set_doc_title", "twin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_win_set_doc_title(w, "d"); return 0; })
        .refused_type(Obj::Screen)
        .bad("NULL title", 0x00210000, [](Ctx &c) { ruv_win_set_doc_title(doc(c), nullptr); return 0; })
        .valid([](Ctx &c) { ruv_win_set_doc_title(doc(c), "Doc title"); return 0; }),
    Row{ "ruv_win_trap_pointer", "twin" }
        .window([](Ctx &, RUV_WIN w) { ruv_win_trap_pointer(w); ruv_win_release_pointer(); return 0; })
        .refused_type(Obj::TextEdit)
        .valid([](Ctx &c) {
            ruv_win_trap_pointer(doc(c));
            bool captured = GetCapture() == c.hwnd(Obj::Doc);
            ruv_win_release_pointer();
            return R(captured);
        })
        .answers(1),
    Row{ "ruv_win_release_pointer", "twin" }
        .valid([](Ctx &) { ruv_win_release_pointer(); return 0; })
        .read_back([](Ctx &) { return GetCapture() == nullptr; }),
};
