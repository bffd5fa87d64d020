// Conformance rows of the list-control functions (tlist).  Every report of
// the family names the list argument as its request object, so the window
// probes are bad calls here, each with the object it passes.
#include "conformance.h"
#include "controls_support.h"
#include "ruvv_list.h"

using namespace ruvf_test;
using ctl_test::extra;
using ctl_test::X;

namespace {

using ListCall = std::function<intptr_t(Ctx &, RUV_WIN)>;

void *named(Ctx &c, Obj o)
{
    return c.get(o);
}

// NULL, a foreign record, a destroyed window and a push button (then the
// kinds the member refuses beyond that), each named in the report.
Row list_row(const char *name, ListCall call, bool selection_only)
{
    Row row{ name, "tlist" };
    row.bad("NULL list", 0x01210002, [call](Ctx &c) { return call(c, NULL_WIN); })
        .bad("foreign record", 0x01220002, [call](Ctx &c) { return call(c, c.foreign()); },
             [](Ctx &c) -> void * { return c.foreign(); })
        .bad("destroyed window", 0x01220002, [call](Ctx &c) { return call(c, ctl_test::gone()); },
             [](Ctx &c) -> void * { return ctl_test::gone() = c.destroyed(); })
        .bad("push button", 0x01230001, [call](Ctx &c) { return call(c, c.get(Obj::Button)); },
             [](Ctx &c) { return named(c, Obj::Button); });
    if (selection_only)
        row.bad("drop-down", 0x01230001, [call](Ctx &c) { return call(c, extra(X::DropDown)); },
                [](Ctx &) -> void * { return extra(X::DropDown); });
    return row;
}

// The rows of the list box now, through the system.
std::vector<std::string> rows_of(HWND list)
{
    std::vector<std::string> out;
    LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char buf[256] = "";
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        out.push_back(buf);
    }
    return out;
}

void fill(Ctx &c)
{
    HWND h = c.hwnd(Obj::List);
    SendMessageA(h, LB_RESETCONTENT, 0, 0);
    for (const char *s : { "one", "two", "three" })
        SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
}

RUV_WIN filled(Ctx &c)
{
    fill(c);
    return c.get(Obj::List);
}

} // namespace

static Rows rows{
    list_row("ruv_list_add", [](Ctx &, RUV_WIN w) { return R(ruv_list_add(w, -1, "x")); }, false)
        .refuses()
        .bad("NULL text, before the index", 0x00210000,
             [](Ctx &c) { return R(ruv_list_add(c.get(Obj::List), -2, nullptr)); },
             [](Ctx &c) { return named(c, Obj::List); })
        .bad("index -2", 0x01250001, [](Ctx &c) { return R(ruv_list_add(c.get(Obj::List), -2, "x")); },
             [](Ctx &c) { return named(c, Obj::List); })
        .valid([](Ctx &c) { return R(ruv_list_add(filled(c), 1, "added")); })
        .read_back([](Ctx &c) {
            return rows_of(c.hwnd(Obj::List)) == std::vector<std::string>{ "one", "added", "two", "three" };
        }),
    list_row("ruv_list_clear", [](Ctx &, RUV_WIN w) { return R(ruv_list_clear(w)); }, false)
        .refuses()
        .valid([](Ctx &c) { return R(ruv_list_clear(filled(c))); })
        .read_back([](Ctx &c) { return rows_of(c.hwnd(Obj::List)).empty(); }),
    list_row("ruv_list_rem", [](Ctx &, RUV_WIN w) { return R(ruv_list_rem(w, 0)); }, false)
        .refuses()
        .valid([](Ctx &c) { return R(ruv_list_rem(filled(c), 0)); })
        .read_back([](Ctx &c) { return rows_of(c.hwnd(Obj::List)) == std::vector<std::string>{ "two", "three" }; }),
    list_row("ruv_list_suspend", [](Ctx &, RUV_WIN w) { ruv_list_suspend(w); return 0; }, false)
        .refuses()
        .valid([](Ctx &c) {
            ruv_list_suspend(c.get(Obj::List));
            ruvk_list_resume(c.get(Obj::List));
            return 0;
        }),
    list_row("ruv_list_resume", [](Ctx &, RUV_WIN w) { ruv_list_resume(w); return 0; }, false)
        .refuses()
        .valid([](Ctx &c) {
            ruvk_list_suspend(c.get(Obj::List));
            ruv_list_resume(c.get(Obj::List));
            return 0;
        }),
    list_row("ruv_list_set_sel", [](Ctx &, RUV_WIN w) { return R(ruv_list_set_sel(w, 0, TRUE)); }, true)
        .refuses()
        .valid([](Ctx &c) { return R(ruv_list_set_sel(filled(c), 1, TRUE)); })
        .read_back([](Ctx &c) { return SendMessageA(c.hwnd(Obj::List), LB_GETCURSEL, 0, 0) == 1; }),
    list_row("ruv_list_count_all", [](Ctx &, RUV_WIN w) { return R(ruv_list_count_all(w)); }, false)
        .failure(-1)
        .valid([](Ctx &c) { return R(ruv_list_count_all(filled(c))); })
        .read_back([](Ctx &c) { return ruv_list_count_all(c.get(Obj::List)) == 3; }),
    list_row("ruv_list_get_all", [](Ctx &, RUV_WIN w) { return R(ruv_list_get_all(w)); }, false)
        .valid([](Ctx &c) {
            SLIST *all = ruv_list_get_all(filled(c));
            intptr_t n = ruvv_slist_count(all);
            ruvv_slist_destroy(all);
            return n;
        }),
    list_row("ruv_list_get_elt",
             [](Ctx &, RUV_WIN w) {
                 char buf[16];
                 return R(ruv_list_get_elt(w, 0, buf, sizeof buf));
             },
             false)
        .bad("NULL buffer", 0x00210000, [](Ctx &c) { return R(ruv_list_get_elt(c.get(Obj::List), 0, nullptr, 16)); },
             [](Ctx &c) { return named(c, Obj::List); })
        .valid([](Ctx &c) {
            char buf[16] = "";
            return R(ruv_list_get_elt(filled(c), 2, buf, sizeof buf));
        })
        .read_back([](Ctx &c) {
            char buf[16] = "";
            return ruv_list_get_elt(c.get(Obj::List), 2, buf, sizeof buf) && std::string(buf) == "three";
        }),
    list_row("ruv_list_count_sel", [](Ctx &, RUV_WIN w) { return R(ruv_list_count_sel(w)); }, true)
        .failure(-1)
        .valid([](Ctx &c) { return R(ruv_list_count_sel(filled(c))); })
        .read_back([](Ctx &c) {
            SendMessageA(c.hwnd(Obj::List), LB_SETCURSEL, 2, 0);
            return ruv_list_count_sel(c.get(Obj::List)) == 1;
        }),
    list_row("ruv_list_get_sel", [](Ctx &, RUV_WIN w) { return R(ruv_list_get_sel(w)); }, true)
        .valid([](Ctx &c) {
            SendMessageA(c.hwnd(Obj::List), LB_SETCURSEL, 0, 0);
            SLIST *sel = ruv_list_get_sel(filled(c));
            ruvv_slist_destroy(sel);
            return 0;
        }),
    list_row("ruv_list_get_sel_index", [](Ctx &, RUV_WIN w) { return R(ruv_list_get_sel_index(w)); }, true)
        .failure(-1)
        .valid([](Ctx &c) { return R(ruv_list_get_sel_index(filled(c))); })
        .read_back([](Ctx &c) {
            SendMessageA(c.hwnd(Obj::List), LB_SETCURSEL, 2, 0);
            return ruv_list_get_sel_index(c.get(Obj::List)) == 2;
        }),
    list_row("ruv_list_get_first_sel",
             [](Ctx &, RUV_WIN w) {
                 char buf[16];
                 return R(ruv_list_get_first_sel(w, buf, sizeof buf));
             },
             true)
        .bad("NULL buffer", 0x00210000,
             [](Ctx &c) { return R(ruv_list_get_first_sel(c.get(Obj::List), nullptr, 16)); },
             [](Ctx &c) { return named(c, Obj::List); })
        .valid([](Ctx &c) {
            char buf[16] = "";
            fill(c);
            SendMessageA(c.hwnd(Obj::List), LB_SETCURSEL, 1, 0);
            return R(ruv_list_get_first_sel(c.get(Obj::List), buf, sizeof buf));
        })
        .read_back([](Ctx &c) {
            char buf[16] = "";
            return ruv_list_get_first_sel(c.get(Obj::List), buf, sizeof buf) && std::string(buf) == "two";
        }),
    list_row("ruv_list_is_sel", [](Ctx &, RUV_WIN w) { return R(ruv_list_is_sel(w, 0)); }, true)
        .valid([](Ctx &c) { return R(ruv_list_is_sel(filled(c), 0)); })
        .read_back([](Ctx &c) {
            SendMessageA(c.hwnd(Obj::List), LB_SETCURSEL, 2, 0);
            return ruv_list_is_sel(c.get(Obj::List), 2) && !ruv_list_is_sel(c.get(Obj::List), 0);
        }),
};
