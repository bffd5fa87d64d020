// Windows from compiled definitions and the portable object services on
// real windows: a window with its controls and units, the refusals with
// their ids, a control that cannot be made taking its window down without
// E_DESTROY, the font check, titles through a formatter, enumeration of
// children, the top-level test, palette lookup, the focused top-level
// window, the screen's window list and the shell request.
#include <string>
#include <vector>

#include "controls_test_res.h"
#include "event_test_support.h"
#include "font_native.h"
#include "native_controls.h"
#include "ruvv_font.h"
#include "ruvv_list.h"
#include "ruvv_palet.h"
#include "ruvv_windef.h"
#include "window_services.h"

namespace {

void app(std::function<void()> body)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::seen().clear();
    et::run(std::move(body));
}

RUV_WIN create_res(int32_t id, RUV_WIN parent)
{
    ruvv_errfrm_mark_API("ruv_win_create_res");
    RUV_WIN w = ruvv_win_create_res(id, parent, RUV_EVENT_MASK_ALL, et::record, nullptr);
    if (w)
        ruvv_errfrm_unmark_API();
    return w;
}

RUV_WIN screen()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
}

TEST(WindowFromDefinition, WindowAndControlsWithTheirUnits)
{
    app([] {
        RUV_WIN w = create_res(CT_WINDOW, et::task());
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(kt::reports().empty()) << std::hex << kt::reports().front().id;
        // Its controls exist before its E_CREATE.
        ASSERT_FALSE(et::events_of(w).empty());
        EXPECT_EQ(et::events_of(w).front(), "create");
        RUV_WIN go = ruvk_win_get_ctl(w, CT_GO);
        ASSERT_NE(go, nullptr);
        EXPECT_EQ(go->type, 12);
        EXPECT_EQ(GetWindowLongPtrA(kt::hwnd_of(go), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
        EXPECT_EQ(ruvk_win_get_ctl(w, CT_NAME)->type, 17);
        EXPECT_EQ(ruvk_win_get_ctl(w, CT_LIST)->type, 19);
        // A rectangle in character cells is made in pixels.
        LONG units = GetDialogBaseUnits();
        RECT r;
        HWND note = kt::hwnd_of(ruvk_win_get_ctl(w, CT_NOTE));
        GetWindowRect(note, &r);
        MapWindowPoints(nullptr, kt::hwnd_of(w), reinterpret_cast<POINT *>(&r), 2);
        EXPECT_EQ(r.left, LOWORD(units));
        EXPECT_EQ(r.top, 10 * HIWORD(units));
        EXPECT_EQ(r.right - r.left, 10 * LOWORD(units));
        EXPECT_EQ(r.bottom - r.top, HIWORD(units));
        RECT client;
        GetClientRect(kt::hwnd_of(w), &client);
        EXPECT_EQ(client.right, 320);
        EXPECT_EQ(client.bottom, 220);
        // The API mark is the caller's to remove on success.
        EXPECT_TRUE(ruvv_vobj_is_topwin(w));
    });
}

TEST(WindowFromDefinition, RefusalsCarryTheirIds)
{
    app([] {
        RUV_WIN w = create_res(CT_WINDOW, et::task());
        ASSERT_NE(w, nullptr);
        RUV_WIN go = ruvk_win_get_ctl(w, CT_GO);
        struct Case {
            int32_t res;
            RUV_WIN parent;
            RUV_ERRMSG_ID id;
        } cases[] = {
            {CT_PANE, screen(), 0x01520002},        // a pane needs another window
            {CT_BAD_CONTROL, et::task(), 0x01520004},
            {CT_WINDOW, go, 0x01230001},            // a control is no parent
            {999, et::task(), 0x01530003},          // no such resource
        };
        for (const Case &c : cases) {
            kt::reports().clear();
            int before = static_cast<int>(et::seen().size());
            EXPECT_EQ(create_res(c.res, c.parent), nullptr) << c.res;
            EXPECT_EQ(kt::severity_of(c.id), RUV_SEV_ERROR) << std::hex << c.id;
            EXPECT_EQ(static_cast<int>(et::seen().size()), before);
        }
        // Inside another window the pane is accepted.
        kt::reports().clear();
        RUV_WIN pane = create_res(CT_PANE, w);
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(pane->type, 7);
        EXPECT_EQ(GetParent(kt::hwnd_of(pane)), kt::hwnd_of(w));
        EXPECT_NE(ruvk_win_get_ctl(pane, CT_PANE_GO), nullptr);
        EXPECT_FALSE(ruvv_vobj_is_topwin(pane));
    });
}

// The creation hook breaks the list box's class: the window goes, and its
// handler hears nothing of it.
void break_list(DWORD *, LPCSTR *cls, LPCSTR *, DWORD *, int *, int *, int *, int *, HWND *, HMENU *, HINSTANCE *,
                LPVOID *)
{
    if (lstrcmpiA(*cls, "Listbox") == 0)
        *cls = "NoSuchClassAnywhere";
}

TEST(WindowFromDefinition, AControlThatCannotBeMadeTakesItsWindowDown)
{
    app([] {
        long windows_before = 0;
        RUV_REGISTRY_ITER it;
        ruvv_registry_iter_init(&it);
        while (ruvv_registry_iter_next(&it, nullptr, 0))
            ++windows_before;
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK, reinterpret_cast<intptr_t>(&break_list));
        EXPECT_EQ(create_res(CT_WINDOW, et::task()), nullptr);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK, 0);
        et::pump(50);
        for (const et::Seen &s : et::seen())
            ADD_FAILURE() << "event " << et::describe(s.ev);
        long windows_after = 0;
        ruvv_registry_iter_init(&it);
        while (ruvv_registry_iter_next(&it, nullptr, 0))
            ++windows_after;
        EXPECT_EQ(windows_after, windows_before);
    });
}

TEST(WindowFromDefinition, FontCheck)
{
    RUV_FONT *good = ruvv_font_create();
    RUV_FONT bad{};
    RUV_WIN_DEF def[4] = {};
    def[0].type = 1;
    def[1].type = 12;
    def[2].type = 23;
    EXPECT_EQ(ruvv_win_check_fonts(def), 0u);
    def[0].u.win.font = good;
    def[1].u.ctl.font = good;
    EXPECT_EQ(ruvv_win_check_fonts(def), 0u);
    def[2].u.tx.font = &bad;
    EXPECT_EQ(ruvv_win_check_fonts(def), 0x01220003u);
    def[2].u.tx.font = nullptr;
    def[0].u.win.font = &bad;
    EXPECT_EQ(ruvv_win_check_fonts(def), 0x01220003u);
    EXPECT_EQ(ruvv_win_check_fonts(nullptr), 0u);
    ruvv_font_destroy(good);
}

// ---- titles through a formatter ----

std::vector<std::string> &formatted()
{
    static std::vector<std::string> f;
    return f;
}

char *bracket_formatter(RUV_WIN, char *title, int32_t *first, int32_t *second, intptr_t data)
{
    formatted().push_back(title);
    EXPECT_EQ(*first, -1);
    EXPECT_EQ(*second, -1);
    if (data == 1)
        return reinterpret_cast<char *>(-1);
    static std::string out;
    out = "[" + std::string(title) + "]";
    *first = 1;
    *second = 3;
    return &out[0];
}

TEST(ObjectServices, TitlesThroughTheFormatter)
{
    app([] {
        RUV_WIN w = create_res(CT_WINDOW, et::task());
        ASSERT_NE(w, nullptr);
        RUV_WIN edit = ruvk_win_get_ctl(w, CT_NAME);
        char buf[64];
        ruvv_vobj_set_title(edit, "plain");
        ruvk_vobj_get_title(edit, buf, sizeof buf);
        EXPECT_STREQ(buf, "plain");

        edit->title_formatter = bracket_formatter;
        edit->title_data = 1;  // answers -1: the given title stays
        ruvv_vobj_set_title(edit, "given");
        ruvk_vobj_get_title(edit, buf, sizeof buf);
        EXPECT_STREQ(buf, "given");

        edit->title_data = 0;
        SetFocus(kt::hwnd_of(edit));
        ruvv_vobj_set_title(edit, "text");
        ruvk_vobj_get_title(edit, buf, sizeof buf);
        EXPECT_STREQ(buf, "[text]");
        int32_t first = -1, last = -1;
        ruvk_ctl_get_text_sel(edit, &first, &last);
        EXPECT_EQ(first, 1);
        EXPECT_EQ(last, 3);
        int32_t f = -1, s = -1;
        EXPECT_STREQ(ruvv_vobj_call_formatter(edit, const_cast<char *>("x"), &f, &s), "[x]");
        edit->title_formatter = nullptr;
        EXPECT_EQ(ruvv_vobj_call_formatter(edit, const_cast<char *>("x"), &f, &s), nullptr);
        // A button's title keeps its mnemonic through the kernel.
        RUV_WIN go = ruvk_win_get_ctl(w, CT_GO);
        ruvv_vobj_set_title(go, "~Start");
        GetWindowTextA(kt::hwnd_of(go), buf, sizeof buf);
        EXPECT_STREQ(buf, "&Start");
    });
}

// ---- children, top levels, palettes, focus, lists ----

int16_t collect(RUV_WIN child, void *data)
{
    auto *v = static_cast<std::vector<RUV_WIN> *>(data);
    v->push_back(child);
    return v->size() < 3 ? 1 : 0;
}

TEST(ObjectServices, EnumerationTopLevelsPalettesFocusAndLists)
{
    app([] {
        RUV_WIN w = create_res(CT_WINDOW, et::task());
        ASSERT_NE(w, nullptr);
        std::vector<RUV_WIN> kids;
        EXPECT_TRUE(ruvv_win_enum_wins(w, collect, &kids, 0));
        ASSERT_EQ(kids.size(), 3u);  // stopped by the answer 0
        EXPECT_EQ(kids[0], ruvk_win_get_ctl(w, CT_GO));
        EXPECT_EQ(kids[1], ruvk_win_get_ctl(w, CT_NAME));
        EXPECT_EQ(kids[2], ruvk_win_get_ctl(w, CT_LIST));

        // Top levels: task, screen, and windows of types 1-3 and 9 under them.
        RUV_RECT r = {10, 10, 100, 100};
        RUV_WIN child = ruvk_win_create(7, &r, "", 0, w, 0, RUV_EVENT_MASK_ALL, et::record, nullptr);
        EXPECT_TRUE(ruvv_vobj_is_topwin(et::task()));
        EXPECT_TRUE(ruvv_vobj_is_topwin(screen()));
        EXPECT_TRUE(ruvv_vobj_is_topwin(w));
        EXPECT_FALSE(ruvv_vobj_is_topwin(child));
        EXPECT_FALSE(ruvv_vobj_is_topwin(kids[0]));
        EXPECT_FALSE(ruvv_vobj_is_topwin(NULL_WIN));

        // Palettes: a control defers to its window, a window without one to
        // the screen's.
        RUV_PALETTE *screen_palette = ruvk_dwin_get_palet(screen());
        EXPECT_EQ(ruvv_vobj_get_palet(kids[0]), ruvv_vobj_get_palet(w));
        EXPECT_EQ(ruvv_vobj_get_palet(child), ruvv_vobj_get_palet(w));
        if (!ruvk_dwin_get_palet(w)) {
            EXPECT_EQ(ruvv_vobj_get_palet(w), screen_palette);
        }
        RUV_PALETTE *own = ruvv_palet_create(1);
        ASSERT_NE(own, nullptr);
        ruvv_palet_map_win(own, w);
        EXPECT_EQ(ruvv_vobj_get_palet(kids[1]), own);
        EXPECT_EQ(ruvv_vobj_get_palet(NULL_WIN), nullptr);

        // The focused top level: the window of a focused control.
        SetFocus(kt::hwnd_of(kids[1]));
        EXPECT_EQ(ruvv_scr_get_focus_topwin(), w);
        SetFocus(kt::hwnd_of(child));
        EXPECT_EQ(ruvv_scr_get_focus_topwin(), w);

        // The screen's list: windows with titles, no controls.
        SLIST *list = ruvv_scr_list_wins();
        ASSERT_NE(list, nullptr);
        bool found = false;
        for (SLIST_ELT *e = ruvv_slist_get_first(list); e; e = ruvv_slist_get_next(list, e)) {
            intptr_t obj = 0;
            const char *title = ruvv_slist_get(list, e, &obj);
            RUV_WIN o = reinterpret_cast<RUV_WIN>(obj);
            EXPECT_FALSE(o->kind & RUVK_KIND_CONTROL);
            if (o == w) {
                found = true;
                EXPECT_STREQ(title, "Definition window");
            }
        }
        EXPECT_TRUE(found);
        ruvv_slist_destroy(list);

        // Attribute 800 empties the font cache first.
        RUV_FONT *f = ruvv_font_create();
        ruvv_font_map(f, w);
        ruvk_font_get_hfont(w->draw_state, f);
        ruvv_vobj_set_attr(NULL_WIN, RUV_ATTR_FONT_MAP_HOOK, 0);
        EXPECT_EQ(ruvv_font_cache_used(), 0);
        ruvv_font_destroy(f);

        // Control fonts through the portable entries.
        RUV_FONT *big = ruvv_font_create();
        ruvv_font_set_size(big, 24);
        ruvv_win_set_ctl_font(w, big);
        HFONT shared = reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(kids[0]), WM_GETFONT, 0, 0));
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(kids[2]), WM_GETFONT, 0, 0)), shared);
        ruvv_ctl_set_font(kids[2], big);
        EXPECT_NE(ruvk_ctl_get_font(kids[2]), nullptr);
        ruvv_font_destroy(big);

        // No path, no request.
        EXPECT_FALSE(ruvv_scr_launch_browser(nullptr));
    });
}

} // namespace
