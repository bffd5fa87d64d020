// Conformance rows of the control functions (tctl).
#include "conformance.h"

#include <utility>
#include <vector>
#include "controls_support.h"
#include "ruvv_color.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"

using namespace ruvf_test;
using ctl_test::extra;
using ctl_test::X;

namespace {

constexpr intptr_t NO_COLOR = 0xFFFFFFFF;
constexpr RUV_COLOR GREEN = 0x00FF00;

RUV_RECT spot()
{
    return RUV_RECT{ 120, 200, 144, 300 };
}

RUV_WIN_DEF def_of(int32_t type, const char *title, uint32_t flags, RUV_FONT *font, int32_t id)
{
    RUV_WIN_DEF d{};
    d.type = type;
    d.rect = spot();
    d.title = const_cast<char *>(title);
    d.u.ctl.ctl_id = id;
    d.u.ctl.flags = flags;
    d.u.ctl.font = font;
    return d;
}

// A record that is no font.
RUV_FONT *bogus_font()
{
    static RUV_FONT f{};
    return &f;
}

bool child_titled(HWND parent, const char *title)
{
    return FindWindowExA(parent, nullptr, nullptr, title) != nullptr;
}

// The text colour the control's window gives a static control now.
COLORREF static_text_color(Ctx &c)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(c.hwnd(Obj::Doc), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(c.hwnd(Obj::Static)));
    COLORREF color = GetTextColor(dc) & 0xFFFFFF;
    DeleteDC(dc);
    return color;
}

void kernel_set_text_color(RUV_WIN ctl, RUV_COLOR color)
{
    const RUV_COLOR_COMPONENT list[] = { { 2, color }, { 0, static_cast<RUV_COLOR>(-1) } };
    ruvk_ctl_set_colors(ctl, list, 0);
}

bool checked(RUV_WIN ctl)
{
    return SendMessageA(ctl_test::hwnd(ctl), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A tooltip window that holds a tool for the control.
bool has_tooltip(HWND control)
{
    struct Find {
        HWND control;
        bool found;
    } f{ control, false };
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
            auto *f = reinterpret_cast<Find *>(lp);
            char cls[64] = "";
            GetClassNameA(h, cls, sizeof cls);
            if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0) {
                TOOLINFOA ti{};
                ti.cbSize = TTTOOLINFOA_V1_SIZE;
                ti.hwnd = f->control;
                ti.uId = 1;
                if (SendMessageA(h, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)))
                    f->found = true;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

intptr_t radio(Ctx &, RUV_WIN button, RUV_WIN second, int32_t count = 2)
{
    RUV_WIN group[] = { extra(X::Radio1), second };
    ruv_ctl_check_radio_button(button, group, count);
    return 0;
}

} // namespace

static Rows rows{
    Row{ "ruv_ctl_create", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) {
            RUV_RECT r = spot();
            return R(ruv_ctl_create(WC_PUSH_BUTTON, &r, "Made", w, 0, nullptr, 301));
        })
        .bad("NULL rectangle, before the parent", 0x00210000,
             [](Ctx &) { return R(ruv_ctl_create(WC_PUSH_BUTTON, nullptr, "x", NULL_WIN, 0, nullptr, 301)); })
        .bad("icon", 0x01220002,
             [](Ctx &c) {
                 RUV_RECT r = spot();
                 return R(ruv_ctl_create(WC_ICON, &r, "", c.get(Obj::Doc), 0, nullptr, 301));
             })
        .bad("flags a push button does not take", 0x01520004,
             [](Ctx &c) {
                 RUV_RECT r = spot();
                 return R(ruv_ctl_create(WC_PUSH_BUTTON, &r, "x", c.get(Obj::Doc), 0x2, nullptr, 301));
             })
        .bad("reversed rectangle: warning", 0x01240003,
             [](Ctx &c) {
                 RUV_RECT r{ 144, 300, 120, 200 };
                 return R(ruv_ctl_create(WC_PUSH_BUTTON, &r, "Rev", c.get(Obj::Doc), 0, nullptr, 302));
             },
             nullptr, RUV_SEV_WARNING)
        .valid([](Ctx &c) {
            RUV_RECT r = spot();
            return R(ruv_ctl_create(WC_PUSH_BUTTON, &r, "Made", c.get(Obj::Doc), 0, nullptr, 301));
        })
        .read_back([](Ctx &c) { return child_titled(c.hwnd(Obj::Doc), "Made"); }),
    Row{ "ruv_ctl_create_def", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) {
            RUV_WIN_DEF d = def_of(WC_STATIC_TEXT, "FromDef", 0, nullptr, 303);
            return R(ruv_ctl_create_def(&d, w, nullptr));
        })
        .bad("NULL definition", 0x00210000, [](Ctx &c) { return R(ruv_ctl_create_def(nullptr, c.get(Obj::Doc), nullptr)); })
        .bad("flags a static text does not take", 0x01520004,
             [](Ctx &c) {
                 RUV_WIN_DEF d = def_of(WC_STATIC_TEXT, "x", 0x2, nullptr, 303);
                 return R(ruv_ctl_create_def(&d, c.get(Obj::Doc), nullptr));
             })
        .bad("a font that is none", 0x01220003,
             [](Ctx &c) {
                 RUV_WIN_DEF d = def_of(WC_STATIC_TEXT, "x", 0, bogus_font(), 303);
                 return R(ruv_ctl_create_def(&d, c.get(Obj::Doc), nullptr));
             })
        .valid([](Ctx &c) {
            RUV_WIN_DEF d = def_of(WC_STATIC_TEXT, "FromDef", 0, nullptr, 303);
            return R(ruv_ctl_create_def(&d, c.get(Obj::Doc), nullptr));
        })
        .read_back([](Ctx &c) { return child_titled(c.hwnd(Obj::Doc), "FromDef"); }),
    Row{ "ruv_ctl_set_tooltip", "tctl" }
        .forwarder()
        .bad("NULL control: the toolkit answers 0, nobody reports", 0,
             [](Ctx &) { return R(ruv_ctl_set_tooltip(NULL_WIN, "Tip", nullptr)); })
        .valid([](Ctx &c) { return R(ruv_ctl_set_tooltip(c.get(Obj::Button), "Tip", nullptr)); })
        .read_back([](Ctx &c) { return has_tooltip(c.hwnd(Obj::Button)); }),
    Row{ "ruv_ctl_get_colors", "tctl" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_ctl_get_colors(w)); })
        .refused_type(Obj::Doc)
        .valid([](Ctx &c) {
            kernel_set_text_color(c.get(Obj::Static), GREEN);
            RUV_COLOR_COMPONENT *list = ruv_ctl_get_colors(c.get(Obj::Static));
            bool found = list && list[0].type == 2 && list[0].color == GREEN;
            ruvv_mem_free(list);
            return R(found);
        })
        .read_back([](Ctx &c) { return static_text_color(c) == GREEN; }),
    Row{ "ruv_ctl_get_color_component", "tctl" }
        .failure(NO_COLOR)
        .window([](Ctx &, RUV_WIN w) { return R(ruv_ctl_get_color_component(w, 2)); })
        .refused_type(Obj::Doc)
        .bad("component code 3", 0x01230001, [](Ctx &c) { return R(ruv_ctl_get_color_component(c.get(Obj::Static), 3)); })
        .valid([](Ctx &c) {
            kernel_set_text_color(c.get(Obj::Static), GREEN);
            return R(ruv_ctl_get_color_component(c.get(Obj::Static), 2));
        })
        .read_back([](Ctx &c) {
            return ruv_ctl_get_color_component(c.get(Obj::Static), 2) == GREEN && static_text_color(c) == GREEN;
        }),
    Row{ "ruv_ctl_get_id", "tctl" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_ctl_get_id(w)); })
        .valid([](Ctx &c) { return R(ruv_ctl_get_id(c.get(Obj::Button))); })
        .read_back([](Ctx &c) { return ruv_ctl_get_id(c.get(Obj::Button)) == GetDlgCtrlID(c.hwnd(Obj::Button)); }),
    Row{ "ruv_ctl_get_font", "tctl" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_ctl_get_font(w)); })
        .refused_type(Obj::HScroll)
        .refused_type(Obj::Doc)
        .valid([](Ctx &c) {
            RUV_FONT *f = ruv_ctl_get_font(c.get(Obj::Button));
            ruvv_font_destroy(f);
            return R(f);
        }),
    Row{ "ruv_ctl_get_native_colors", "tctl" }
        .bad("window type 11", 0x01230001, [](Ctx &) { return R(ruv_ctl_get_native_colors(11)); })
        .bad("type 26 (not 27)", 0x01230001, [](Ctx &) { return R(ruv_ctl_get_native_colors(26)); })
        .valid([](Ctx &) {
            // An edit field: the system's window text, window and frame
            // colours; a text edit: the engine's own black on white.
            auto sys = [](int index) {
                COLORREF c = GetSysColor(index);
                return (RUV_COLOR)((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
            };
            const std::vector<std::pair<int32_t, RUV_COLOR>> edit = {
                { 2, sys(COLOR_WINDOWTEXT) }, { 4, sys(COLOR_WINDOW) }, { 0x20, sys(COLOR_WINDOWFRAME) }
            };
            const std::vector<std::pair<int32_t, RUV_COLOR>> text_edit = {
                { 2, 0x07000000 }, { 4, 0x0BFFFFFF }, { 0x20, 0x07000000 }
            };
            auto pairs = [](int32_t type) {
                std::vector<std::pair<int32_t, RUV_COLOR>> out;
                RUV_COLOR_COMPONENT *list = ruv_ctl_get_native_colors(type);
                for (int i = 0; list && list[i].type != 0 && i < 16; ++i)
                    out.emplace_back(list[i].type, list[i].color);
                ruvv_mem_free(list);
                return out;
            };
            return R(pairs(WC_EDIT) == edit && pairs(23) == text_edit);
        })
        .answers(1),
    Row{ "ruv_ctl_get_native_color_component", "tctl" }
        .failure(NO_COLOR)
        .bad("type 28", 0x01230001, [](Ctx &) { return R(ruv_ctl_get_native_color_component(28, 2)); })
        .bad("component code 0", 0x01230001, [](Ctx &) { return R(ruv_ctl_get_native_color_component(WC_EDIT, 0)); })
        .valid([](Ctx &) { return R(ruv_ctl_get_native_color_component(WC_EDIT, 2)); }),
    Row{ "ruv_ctl_is_checked", "tctl" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_ctl_is_checked(w)); })
        .refused_type(Obj::Button)
        .valid([](Ctx &) { return R(ruv_ctl_is_checked(extra(X::Radio1))); })
        .read_back([](Ctx &) {
            SendMessageA(ctl_test::hwnd(extra(X::Check)), BM_SETCHECK, BST_CHECKED, 0);
            return ruv_ctl_is_checked(extra(X::Check)) == TRUE && checked(extra(X::Check));
        }),
    Row{ "ruv_ctl_set_colors", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_ctl_set_colors(w, nullptr, 1); return 0; })
        .refused_type(Obj::Doc)
        .valid([](Ctx &c) {
            const RUV_COLOR_COMPONENT list[] = { { 2, GREEN }, { 0, static_cast<RUV_COLOR>(-1) } };
            ruv_ctl_set_colors(c.get(Obj::Static), list, 0);
            return 0;
        })
        .read_back([](Ctx &c) { return static_text_color(c) == GREEN; }),
    Row{ "ruv_ctl_set_color_component", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_ctl_set_color_component(w, 2, GREEN); return 0; })
        .refused_type(Obj::Doc)
        .bad("component code 5", 0x01230001,
             [](Ctx &c) { ruv_ctl_set_color_component(c.get(Obj::Static), 5, GREEN); return 0; })
        .valid([](Ctx &c) { ruv_ctl_set_color_component(c.get(Obj::Static), 2, GREEN); return 0; })
        .read_back([](Ctx &c) { return static_text_color(c) == GREEN; }),
    Row{ "ruv_ctl_unset_color_component", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_ctl_unset_color_component(w, 2); return 0; })
        .refused_type(Obj::Doc)
        .bad("component code 256", 0x01230001,
             [](Ctx &c) { ruv_ctl_unset_color_component(c.get(Obj::Static), 256); return 0; })
        .valid([](Ctx &c) {
            kernel_set_text_color(c.get(Obj::Static), GREEN);
            ruv_ctl_unset_color_component(c.get(Obj::Static), 2);
            return 0;
        })
        .read_back([](Ctx &c) {
            return static_text_color(c) != GREEN && ruv_ctl_get_color_component(c.get(Obj::Static), 2) == NO_COLOR;
        }),
    Row{ "ruv_ctl_set_font", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_ctl_set_font(w, nullptr); return 0; })
        .refused_type(Obj::HScroll)
        .bad("a font that is none, before the type", 0x01220003,
             [](Ctx &c) { ruv_ctl_set_font(c.get(Obj::HScroll), bogus_font()); return 0; })
        .valid([](Ctx &c) {
            RUV_FONT *f = ruvv_font_create();
            ruvv_font_set_size(f, 30);
            ruv_ctl_set_font(c.get(Obj::Button), f);
            ruvv_font_destroy(f);
            return 0;
        })
        .read_back([](Ctx &c) {
            auto font = reinterpret_cast<HFONT>(SendMessageA(c.hwnd(Obj::Button), WM_GETFONT, 0, 0));
            LOGFONTA lf{};
            return font && GetObjectA(font, sizeof lf, &lf) && (lf.lfHeight > 24 || lf.lfHeight < -24);
        }),
    Row{ "ruv_ctl_set_text_sel", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_ctl_set_text_sel(w, 1, 3); return 0; })
        .bad("push button, the control named", 0x01230001,
             [](Ctx &c) { ruv_ctl_set_text_sel(c.get(Obj::Button), 1, 3); return 0; },
             [](Ctx &c) -> void * { return c.get(Obj::Button); })
        .bad("last before first: warning, the control named", 0x01250004,
             [](Ctx &c) { ruv_ctl_set_text_sel(c.get(Obj::Edit), 3, 1); return 0; },
             [](Ctx &c) -> void * { return c.get(Obj::Edit); }, RUV_SEV_WARNING)
        .valid([](Ctx &c) { ruv_ctl_set_text_sel(c.get(Obj::Edit), 1, 3); return 0; })
        .read_back([](Ctx &c) {
            DWORD first = 0, last = 0;
            SendMessageA(c.hwnd(Obj::Edit), EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                         reinterpret_cast<LPARAM>(&last));
            return first == 1 && last == 3;
        }),
    Row{ "ruv_ctl_get_text_sel", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) {
            int32_t a, b;
            ruv_ctl_get_text_sel(w, &a, &b);
            return 0;
        })
        .bad("NULL first", 0x00210000,
             [](Ctx &c) {
                 int32_t b;
                 ruv_ctl_get_text_sel(c.get(Obj::Edit), nullptr, &b);
                 return 0;
             })
        .bad("NULL last", 0x00210000,
             [](Ctx &c) {
                 int32_t a;
                 ruv_ctl_get_text_sel(c.get(Obj::Edit), &a, nullptr);
                 return 0;
             })
        .bad("static text, the control named", 0x01230001,
             [](Ctx &c) {
                 int32_t a, b;
                 ruv_ctl_get_text_sel(c.get(Obj::Static), &a, &b);
                 return 0;
             },
             [](Ctx &c) -> void * { return c.get(Obj::Static); })
        .valid([](Ctx &c) {
            int32_t a = -1, b = -1;
            ruv_ctl_get_text_sel(c.get(Obj::Edit), &a, &b);
            return 0;
        })
        .read_back([](Ctx &c) {
            SendMessageA(c.hwnd(Obj::Edit), EM_SETSEL, 1, 3);
            int32_t a = -1, b = -1;
            ruv_ctl_get_text_sel(c.get(Obj::Edit), &a, &b);
            return a == 1 && b == 3;
        }),
    Row{ "ruv_ctl_set_checked", "tctl" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_ctl_set_checked(w, TRUE); return 0; })
        .refused_type(Obj::Button, 0x01220002)
        .bad("radio button", 0x01220002, [](Ctx &) { ruv_ctl_set_checked(extra(X::Radio1), TRUE); return 0; })
        .valid([](Ctx &) {
            SendMessageA(ctl_test::hwnd(extra(X::Check)), BM_SETCHECK, BST_UNCHECKED, 0);
            ruv_ctl_set_checked(extra(X::Check), TRUE);
            return 0;
        })
        .read_back([](Ctx &) { return checked(extra(X::Check)); }),
    Row{ "ruv_ctl_check_radio_button", "tctl" }
        .refuses()
        .window([](Ctx &c, RUV_WIN w) { return radio(c, w, extra(X::Radio2)); })
        .refused_type(Obj::Button)
        .bad("NULL group", 0x00210000,
             [](Ctx &) { ruv_ctl_check_radio_button(extra(X::Radio1), nullptr, 2); return 0; })
        .bad("count 0", 0x01250004, [](Ctx &c) { return radio(c, extra(X::Radio1), extra(X::Radio2), 0); })
        .bad("NULL in the group", 0x01210002, [](Ctx &c) { return radio(c, extra(X::Radio1), NULL_WIN); })
        .bad("foreign record in the group", 0x01220002, [](Ctx &c) { return radio(c, extra(X::Radio1), c.foreign()); })
        .bad("check box in the group", 0x01230001, [](Ctx &c) { return radio(c, extra(X::Radio1), extra(X::Check)); })
        .valid([](Ctx &c) { return radio(c, extra(X::Radio2), extra(X::Radio2)); })
        .read_back([](Ctx &) { return checked(extra(X::Radio2)) && !checked(extra(X::Radio1)); }),
};
