// Conformance rows of the menu functions (tmenu).
#include "conformance.h"
#include "controls_support.h"
#include "ruvv_app.h"
#include "ruvv_font.h"
#include "ruvv_res.h"

using namespace ruvf_test;
using ctl_test::extra;
using ctl_test::X;

namespace {

RUV_WIN menus()
{
    return extra(X::MenuDoc);
}

// The window with its menu as made.
RUV_WIN fresh_menus()
{
    ruvk_menu_set_tree(menus(), ctl_test::menu_tree());
    return menus();
}

// An item of the window's menu as the toolkit keeps it.  The windows the
// menu functions take here (a document of the task window, which runs
// without a bar of its own) show no native bar, so the item is read from
// the window's menu record.
struct Item {
    bool found = false;
    uint32_t flags = 0;
    std::string title;
};

bool find_item(const RUV_MENU_ITEM *items, int32_t tag, Item &out)
{
    for (const RUV_MENU_ITEM *m = items; m && m->tag != 0; ++m) {
        if (m->tag == tag) {
            out.found = true;
            out.flags = m->flags;
            out.title = m->title ? m->title : "";
            return true;
        }
        if (find_item(m->submenu, tag, out))
            return true;
    }
    return false;
}

Item item(RUV_WIN w, int32_t tag)
{
    Item out;
    RUV_MENU_ITEM *tree = ruvk_menu_get_tree(w);
    find_item(tree, tag, out);
    ruvv_res_free_menu_tree(tree);
    return out;
}

// A font that is none.
RUV_FONT *bogus_font()
{
    static RUV_FONT f{};
    return &f;
}

RUV_MENU_ITEM *popup_tree()
{
    static char one[] = "One", two[] = "Two";
    static RUV_MENU_ITEM items[] = {
        { 501, one, 0, RUV_MENU_ENABLED, nullptr, 0 },
        { 502, two, 0, RUV_MENU_ENABLED, nullptr, 0 },
        {},
    };
    return items;
}

RUV_BOOL popup(RUV_WIN w, int32_t alignment, int32_t tag)
{
    return ruv_menu_popup(popup_tree(), w, RUV_POINT{ 20, 20 }, alignment, tag);
}

// A pop-up that the menu's own loop closes at once (Escape waits in the
// queue); during an update nothing is queued, as nothing may be shown.
RUV_BOOL shown_popup(RUV_WIN w, int32_t alignment, int32_t tag)
{
    if (!ruvv_app_proc_update())
        PostMessageA(ctl_test::hwnd(w), WM_KEYDOWN, VK_ESCAPE, 0);
    return popup(w, alignment, tag);
}

} // namespace

static Rows rows{
    Row{ "ruv_menu_get_font_sel", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { return R(ruv_menu_get_font_sel(w)); })
        .refused_type(Obj::Doc, 0x01540004)
        .refused_type(Obj::Button, 0x01540004)
        .valid([](Ctx &) {
            RUV_FONT *f = ruv_menu_get_font_sel(fresh_menus());
            ruvv_font_destroy(f);
            return 0;
        }),
    Row{ "ruv_menu_get_tree", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { return R(ruv_menu_get_tree(w)); })
        .refused_type(Obj::Doc, 0x01540004)
        .valid([](Ctx &) {
            RUV_MENU_ITEM *tree = ruv_menu_get_tree(fresh_menus());
            bool ok = tree && tree[0].tag == 100 && tree[1].tag == 200 && tree[2].tag == 0;
            ruvv_res_free_menu_tree(tree);
            return R(ok);
        })
        .answers(1),
    Row{ "ruv_menu_set_font_sel", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_menu_set_font_sel(w, nullptr); return 0; })
        .refused_type(Obj::Doc, 0x01540004)
        .bad("a font that is none", 0x01220003, [](Ctx &) { ruv_menu_set_font_sel(menus(), bogus_font()); return 0; })
        .valid([](Ctx &) {
            RUV_FONT *f = ruvv_font_create();
            ruv_menu_set_font_sel(fresh_menus(), f);
            ruvv_font_destroy(f);
            return 0;
        }),
    Row{ "ruv_menu_set_item_checked", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_menu_set_item_checked(w, 201, TRUE); return 0; })
        .bad("tag 0", 0x01250001, [](Ctx &) { ruv_menu_set_item_checked(menus(), 0, TRUE); return 0; })
        .valid([](Ctx &) { ruv_menu_set_item_checked(fresh_menus(), 201, TRUE); return 0; })
        .read_back([](Ctx &) { Item i = item(menus(), 201);
            return i.found && (i.flags & RUV_MENU_CHECKED); }),
    Row{ "ruv_menu_set_item_enabled", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_menu_set_item_enabled(w, 101, FALSE); return 0; })
        .bad("tag 0", 0x01250001, [](Ctx &) { ruv_menu_set_item_enabled(menus(), 0, FALSE); return 0; })
        .bad("tag -4", 0x01250001, [](Ctx &) { ruv_menu_set_item_enabled(menus(), -4, FALSE); return 0; })
        .valid([](Ctx &) { ruv_menu_set_item_enabled(fresh_menus(), 101, FALSE); return 0; })
        .read_back([](Ctx &) { Item i = item(menus(), 101);
            return i.found && !(i.flags & RUV_MENU_ENABLED); }),
    Row{ "ruv_menu_set_item_title", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_menu_set_item_title(w, 101, "Open..."); return 0; })
        .bad("tag 0", 0x01250001, [](Ctx &) { ruv_menu_set_item_title(menus(), 0, "x"); return 0; })
        .bad("NULL title", 0x00210000, [](Ctx &) { ruv_menu_set_item_title(menus(), 101, nullptr); return 0; })
        .valid([](Ctx &) { ruv_menu_set_item_title(fresh_menus(), 101, "Reopen"); return 0; })
        .read_back([](Ctx &) {
            return item(menus(), 101).title == "Reopen";
        }),
    Row{ "ruv_menu_set_tree", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_menu_set_tree(w, ctl_test::menu_tree()); return 0; })
        .refused_type(Obj::Doc, 0x01540004)
        .bad("NULL tree", 0x01210001, [](Ctx &) { ruv_menu_set_tree(menus(), nullptr); return 0; })
        .valid([](Ctx &) {
            ruv_menu_set_tree(fresh_menus(), popup_tree());
            return 0;
        })
        .read_back([](Ctx &) {
            bool ok = item(extra(X::MenuDoc), 502).title == "Two";
            ruvk_menu_set_tree(extra(X::MenuDoc), ctl_test::menu_tree());
            return ok;
        }),
    Row{ "ruv_menu_update", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_menu_update(w); return 0; })
        .refused_type(Obj::Doc, 0x01540004)
        .valid([](Ctx &) {
            RUV_WIN w = fresh_menus();
            ruvk_menu_set_item_enabled(w, 102, FALSE);
            ruv_menu_update(w);
            return 0;
        })
        .read_back([](Ctx &) { Item i = item(extra(X::MenuDoc), 102);
            return i.found && !(i.flags & RUV_MENU_ENABLED); }),
    Row{ "ruv_menu_popup", "tmenu" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { return R(popup(w, 1, 0)); })
        .refused_type(Obj::Button, 0x01220002)
        .bad("NULL tree, before the window", 0x01210001,
             [](Ctx &) { return R(ruv_menu_popup(nullptr, NULL_WIN, RUV_POINT{ 0, 0 }, 1, 0)); })
        .bad("aligned on a tag that is no top-level item", 0x01220001,
             [](Ctx &c) { return R(popup(c.get(Obj::Doc), 3, 999)); })
        .valid([](Ctx &c) { return R(shown_popup(c.get(Obj::Doc), 3, 502)); })
        .read_back([](Ctx &c) { return shown_popup(c.get(Obj::Doc), 1, 999) == TRUE; }),
};
