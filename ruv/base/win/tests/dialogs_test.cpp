// Dialogs from definitions and native resources: the templates written for
// radio groups, a caption-less modal dialog, group boxes and character
// cells against bytes made by hand; the dialogs read back with their
// classes, styles and positions; adopted controls with their colours, the
// definition's checks applied, the other windows disabled and given back,
// the modeless walk with Tab, a key of the accelerators typed into a
// modeless dialog's edit, a dialog destroyed by the key it handles, F1,
// native dialogs without absolute alignment and the owner of attribute
// 10042.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "dialogs.h"
#include "dialogs_test_res.h"
#include "event_test_support.h"
#include "native_controls.h"
#include "ruvv_ctl_text.h"
#include "ruvv_font.h"

namespace {

// ---- definitions and hand-made templates ----

using dg::element;

struct Golden {
    std::vector<uint8_t> b;
    Golden &w(uint16_t v)
    {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
        return *this;
    }
    Golden &d(uint32_t v) { return w(static_cast<uint16_t>(v)).w(static_cast<uint16_t>(v >> 16)); }
    Golden &s(const char *t)
    {
        for (; *t; ++t)
            w(static_cast<uint8_t>(*t));
        return w(0);
    }
    Golden &header(uint32_t style, uint16_t count, uint16_t x, uint16_t y, uint16_t cx, uint16_t cy,
                   const char *title)
    {
        return d(style).d(0).w(count).w(x).w(y).w(cx).w(cy).w(0).w(0).s(title);
    }
    Golden &item(uint32_t style, uint16_t x, uint16_t y, uint16_t cx, uint16_t cy, uint16_t id, const char *cls,
                 const char *title, int icon = -1)
    {
        while (b.size() % 4)
            b.push_back(0);
        d(style).d(0).w(x).w(y).w(cx).w(cy).w(id).s(cls);
        if (icon >= 0)
            w(0xFFFF).w(static_cast<uint16_t>(icon));
        else
            s(title);
        return w(0);
    }
};

std::vector<uint8_t> template_of(const RUV_WIN_DEF *def)
{
    size_t length = 0;
    HGLOBAL mem = ruvk_dlg_build_template(def, &length);
    if (!mem)
        return {};
    EXPECT_GE(GlobalSize(mem), length * 2);
    auto *p = static_cast<const uint8_t *>(GlobalLock(mem));
    std::vector<uint8_t> out(p, p + length);
    GlobalUnlock(mem);
    GlobalFree(mem);
    return out;
}

void app(std::function<void()> body, std::vector<kt::Answer> script = {})
{
    kt::ModalGuard guard(std::move(script));
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::seen().clear();
    et::run(std::move(body));
}

// ---- the radio, caption and group-box templates ----

const uint32_t V = WS_VISIBLE;

TEST(DialogTemplate, WrittenAsTheTablesSay)
{
    const RUV_WIN_DEF radios[] = {
        element(10, 0, 0, 100, 60, "", 0, 0),
        element(13, 5, 5, 50, 10, "~One", 1, 0),
        element(13, 5, 15, 50, 10, "Two", 2, 0x20),
        element(13, 5, 25, 50, 10, "Three", 3, 0),
        element(13, 5, 35, 50, 10, "Four", 4, 0),
        element(13, 5, 45, 50, 10, "Five", 5, 0x1),
        RUV_WIN_DEF{},
    };
    Golden g1;
    // No caption for the empty title; the first and the third radio start
    // a group.
    g1.header(0x84080085 | V, 5, 0, 0, 100, 60, "")
        .item(0x44030004 | V, 5, 5, 50, 10, 1, "BUTTON", "&One")
        .item(0x44000004 | V, 5, 15, 50, 10, 2, "BUTTON", "Two")
        .item(0x44030004 | V, 5, 25, 50, 10, 3, "BUTTON", "Three")
        .item(0x44000004 | V, 5, 35, 50, 10, 4, "BUTTON", "Four")
        .item(0x44000004 | V | WS_DISABLED, 5, 45, 50, 10, 5, "BUTTON", "Five");

    const RUV_WIN_DEF boxed[] = {
        element(11, 10, 20, 120, 80, "Box", 0, 0x2),
        element(22, 2, 2, 116, 60, "~Frame", 7, 0),
        element(12, 5, 65, 40, 12, "OK", 1, 0x8),
        element(17, 50, 65, 40, 12, "a~b", 2, 0x10000 | 0x200),
        element(24, 90, 5, 20, 20, nullptr, 3, 0x10, RUV_UNIT_DIALOG, 9012),
        element(19, 5, 5, 60, 40, nullptr, 4, 0x200 | 0x400),
        element(18, 70, 30, 40, 10, "Right", 5, 0x8000),
        element(16, 110, 0, 0, 60, nullptr, 6, 0),
        RUV_WIN_DEF{},
    };
    Golden g2;
    // The group box, first in the definition, comes last; an invisible
    // modeless dialog; the edit's title keeps its '~'.
    g2.header(0x84C80005, 7, 10, 20, 120, 80, "Box")
        .item(0x44030001 | V, 5, 65, 40, 12, 1, "BUTTON", "OK")
        .item(0x44830080 | V | ES_PASSWORD | ES_READONLY, 50, 65, 40, 12, 2, "EDIT", "a~b")
        .item(0x44000003, 90, 5, 20, 20, 3, "STATIC", nullptr, 9012)
        .item(0x44A31000 | V | LBS_EXTENDEDSEL, 5, 5, 60, 40, 4, "LISTBOX", "")
        .item(0x44000000 | V | SS_RIGHT, 70, 30, 40, 10, 5, "STATIC", "Right")
        .item(0x44030001 | V | SBS_LEFTALIGN, 110, 0, 0, 60, 6, "SCROLLBAR", "")
        .item(0x44000007 | V, 2, 2, 116, 60, 7, "BUTTON", "&Frame");

    struct Case {
        const char *name;
        const RUV_WIN_DEF *def;
        const Golden *golden;
    } cases[] = {{"radios", radios, &g1}, {"group box last", boxed, &g2}};
    kt::Session session;
    ASSERT_TRUE(session.ok());
    for (const Case &c : cases)
        EXPECT_EQ(template_of(c.def), c.golden->b) << c.name;
    EXPECT_TRUE(kt::reports().empty());
}

TEST(DialogTemplate, CellsBecomeDialogUnitsAndUnwritableKindsFail)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    LONG units = GetDialogBaseUnits();
    ASSERT_EQ(LOWORD(units), 8);
    ASSERT_EQ(HIWORD(units), 16);
    const RUV_WIN_DEF cells[] = {element(11, 2, 3, 10, 5, "Cells", 0, 0, RUV_UNIT_CELLS), RUV_WIN_DEF{}};
    std::vector<uint8_t> t = template_of(cells);
    ASSERT_GE(t.size(), 18u);
    const uint16_t want[] = {8, 24, 40, 40};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(t[10 + 2 * i] | t[11 + 2 * i] << 8, want[i]) << i;

    for (int32_t kind : {23, 25, 26}) {
        kt::reports().clear();
        const RUV_WIN_DEF bad[] = {element(10, 0, 0, 50, 50, "x", 0, 0), element(kind, 1, 1, 10, 10, "t", 1, 0),
                                   RUV_WIN_DEF{}};
        size_t length = 99;
        EXPECT_EQ(ruvk_dlg_build_template(bad, &length), nullptr) << kind;
        EXPECT_EQ(length, 0u);
        EXPECT_TRUE(kt::reported(0x1250001)) << kind;
    }
}

// ---- dialogs from definitions ----

TEST(DialogFromDefinition, ModelessReadsBackAndFreesItsObject)
{
    app([] {
        const RUV_WIN_DEF def[] = {
            element(11, 10, 10, 160, 90, "Modeless", 0, 0x2),
            element(22, 2, 2, 150, 50, "Frame", 7, 0),
            element(12, 5, 65, 40, 12, "~Go", 1, 0x8),
            element(17, 50, 65, 40, 12, "pw", 2, 0x10000),
            element(13, 5, 10, 40, 10, "A", 3, 0),
            element(14, 5, 25, 40, 10, "B", 4, 0x1),
            RUV_WIN_DEF{},
        };
        RUV_WIN dlg = ruvk_dlg_create_def(def, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(dlg, nullptr);
        HWND h = kt::hwnd_of(dlg);
        ASSERT_TRUE(IsWindow(h));
        EXPECT_EQ(ruvk_app_record()->modeless_count, 1);
        EXPECT_EQ(et::events_of(dlg).front(), "create");
        // Made invisible, so that the guard leaves it alone.
        EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE) & (WS_CAPTION | WS_VISIBLE), WS_CAPTION);
        struct Want {
            int id;
            int32_t type;
            const char *cls;
            LONG style_bits;
        } wants[] = {{1, 12, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP},
                     {2, 17, "Edit", ES_PASSWORD | ES_AUTOHSCROLL},
                     {3, 13, "Button", BS_RADIOBUTTON | WS_GROUP},
                     {4, 14, "Button", BS_CHECKBOX | WS_DISABLED},
                     {7, 22, "Button", BS_GROUPBOX}};
        for (const Want &w : wants) {
            HWND c = GetDlgItem(h, w.id);
            ASSERT_NE(c, nullptr) << w.id;
            EXPECT_EQ(kt::class_of(c), w.cls) << w.id;
            EXPECT_EQ(GetWindowLongPtrA(c, GWL_STYLE) & w.style_bits, w.style_bits) << w.id;
            RUV_WIN ctl = ruvk_win_get_ctl(dlg, w.id);
            ASSERT_NE(ctl, nullptr) << w.id;
            EXPECT_EQ(ctl->type, w.type) << w.id;
            EXPECT_EQ(ctl->top, dlg);
        }
        EXPECT_EQ(SendMessageA(GetDlgItem(h, 2), EM_GETPASSWORDCHAR, 0, 0), '*');
        // Positions in dialog units of the 8 x 16 system font.
        RECT r;
        GetWindowRect(GetDlgItem(h, 1), &r);
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT *>(&r), 2);
        EXPECT_EQ(r.left, 5 * 8 / 4);
        EXPECT_EQ(r.top, 65 * 16 / 8);
        EXPECT_EQ(r.right - r.left, 40 * 8 / 4);
        char title[32];
        GetWindowTextA(GetDlgItem(h, 1), title, sizeof title);
        EXPECT_STREQ(title, "&Go");
        // The dialog answers its controls' colour requests with their own
        // colours: a red text for check box 4.
        const RUV_COLOR_COMPONENT red[] = {{0x2, 0x00FF0000}, {0, 0}};
        ruvk_ctl_set_colors(ruvk_win_get_ctl(dlg, 4), red, 0);
        HDC dc = GetDC(GetDlgItem(h, 4));
        SendMessageA(h, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(h, 4)));
        EXPECT_EQ(GetTextColor(dc) & 0xFFFFFF, RGB(255, 0, 0));
        ReleaseDC(GetDlgItem(h, 4), dc);

        // A modeless dialog leaves the task window enabled.
        EXPECT_TRUE(IsWindowEnabled(et::hwnd(et::task())));

        ruvk_vobj_destroy(dlg);
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(ruvk_app_record()->modeless_count, 0);
        EXPECT_EQ(et::events_of(dlg).back(), "destroy");
        EXPECT_FALSE(ruvv_vobj_is_valid(dlg));
    });
}

// A modal dialog: the other top-level windows (here a modeless dialog)
// disabled while it runs, given back after; the caption-less style of an
// empty title.
struct ModalSeen {
    bool task_enabled = true, doc_enabled = true, owner_is_task = false;
    LONG_PTR style = 0;
    RUV_WIN doc = NULL_WIN;
};
ModalSeen modal_seen;

int32_t modal_probe(RUV_WIN win, RUV_EVENT *ev)
{
    et::record(win, ev);
    if (ev->type == E_CREATE) {
        HWND h = kt::hwnd_of(win);
        modal_seen.style = GetWindowLongPtrA(h, GWL_STYLE);
        modal_seen.task_enabled = IsWindowEnabled(et::hwnd(et::task()));
        modal_seen.doc_enabled = IsWindowEnabled(et::hwnd(modal_seen.doc));
        modal_seen.owner_is_task = GetWindow(h, GW_OWNER) == et::hwnd(et::task());
        ruvk_vobj_destroy(win);
    }
    return 0;
}

TEST(DialogFromDefinition, ModalDisablesTheOthersUntilItEnds)
{
    app([] {
        modal_seen = ModalSeen{};
        modal_seen.doc = ruvk_dlg_create_res(11, 301, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(modal_seen.doc, nullptr);
        SetActiveWindow(et::hwnd(et::task()));
        // Invisible: it ends before the guard could see it.
        const RUV_WIN_DEF def[] = {element(10, 10, 10, 100, 50, "", 0, 0x2), element(12, 5, 30, 40, 12, "OK", 1, 0),
                                   RUV_WIN_DEF{}};
        RUV_WIN r = ruvk_dlg_create_def(def, RUV_EVENT_MASK_ALL, modal_probe, nullptr);
        EXPECT_NE(r, nullptr);
        EXPECT_FALSE(modal_seen.style & WS_CAPTION);
        EXPECT_TRUE(modal_seen.style & WS_POPUP);
        EXPECT_FALSE(modal_seen.doc_enabled);
        EXPECT_TRUE(modal_seen.owner_is_task);  // the active toolkit window
        EXPECT_TRUE(IsWindowEnabled(et::hwnd(modal_seen.doc)));
        EXPECT_TRUE(IsWindowEnabled(et::hwnd(et::task())));
        ruvk_vobj_destroy(modal_seen.doc);
        std::vector<std::string> ev = et::events_of(r, RUV_EVENT_BIT(E_FOCUS) | RUV_EVENT_BIT(E_SIZE));
        ASSERT_FALSE(ev.empty());
        EXPECT_EQ(ev.front(), "create");
        EXPECT_EQ(ev.back(), "destroy");
    });
}

// ---- dialogs from resources ----

struct ResSeen {
    int32_t types[18] = {};
    bool check = false, two = false;
    LONG units = 0;
};
ResSeen res_seen;

int32_t res_probe(RUV_WIN win, RUV_EVENT *ev)
{
    et::record(win, ev);
    if (ev->type == E_CREATE) {
        for (int id = 1; id < 18; ++id)
            if (RUV_WIN c = ruvk_win_get_ctl(win, id))
                res_seen.types[id] = c->type;
        HWND h = kt::hwnd_of(win);
        res_seen.check = IsDlgButtonChecked(h, 12) == BST_CHECKED;
        res_seen.two = IsDlgButtonChecked(h, 11) == BST_CHECKED;
        ruvk_vobj_destroy(win);
    }
    return 0;
}

TEST(DialogFromResource, AdoptedControlsTypedAndTheDefinitionApplied)
{
    app([] {
        res_seen = ResSeen{};
        EXPECT_NE(ruvk_dlg_create_res(10, DG_RES, RUV_EVENT_MASK_ALL, res_probe, nullptr), nullptr);
        const int32_t want[18] = {0, 12, 12, 0, 0, 0, 0, 0, 0, 0, 13, 13, 14, 17, 19, 22, 18, 20};
        for (int id = 1; id < 18; ++id)
            EXPECT_EQ(res_seen.types[id], want[id]) << id;
        EXPECT_TRUE(res_seen.check);
        EXPECT_TRUE(res_seen.two);

        // Without a definition nothing is checked; a missing resource fails.
        res_seen = ResSeen{};
        EXPECT_NE(ruvk_dlg_create_res(10, 301, RUV_EVENT_MASK_ALL, res_probe, nullptr), nullptr);
        EXPECT_FALSE(res_seen.check);
        EXPECT_EQ(res_seen.types[12], 14);
        kt::reports().clear();
        EXPECT_EQ(ruvk_dlg_create_res(10, 399, RUV_EVENT_MASK_ALL, res_probe, nullptr), nullptr);
        EXPECT_TRUE(kt::reported(0x1530003));
        EXPECT_EQ(ruvk_dlg_create_res(11, 399, RUV_EVENT_MASK_ALL, res_probe, nullptr), nullptr);
        EXPECT_EQ(ruvk_app_record()->modeless_count, 0);
        EXPECT_TRUE(IsWindowEnabled(et::hwnd(et::task())));
    });
}

// A handler of the modeless tests: a button click destroys the dialog.
int32_t destroy_on_button(RUV_WIN win, RUV_EVENT *ev)
{
    et::record(win, ev);
    if (ev->type == E_CONTROL && ev->v.control.id == 1)
        ruvk_vobj_destroy(win);
    return 0;
}

TEST(ModelessDialog, TabWalksAndADialogGoneByItsKeyLeavesTheOthers)
{
    app([] {
        RUV_WIN first = ruvk_dlg_create_res(11, 301, RUV_EVENT_MASK_ALL, destroy_on_button, nullptr);
        RUV_WIN second = ruvk_dlg_create_res(11, DG_RES, RUV_EVENT_MASK_ALL, destroy_on_button, nullptr);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        HWND h1 = kt::hwnd_of(first), h2 = kt::hwnd_of(second);
        EXPECT_EQ(ruvk_app_record()->modeless_count, 2);

        // Tab in the older dialog (second in the list) moves its focus.
        SetActiveWindow(h1);
        SetFocus(GetDlgItem(h1, 1));
        ASSERT_EQ(GetFocus(), GetDlgItem(h1, 1));
        PostMessageA(GetDlgItem(h1, 1), WM_KEYDOWN, VK_TAB, 0);
        et::pump(100);
        EXPECT_EQ(GetFocus(), GetDlgItem(h1, 12));

        // F1 in a dialog is its help request.
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_F1, 0);
        et::pump(100);
        std::vector<std::string> ev = et::events_of(first);
        EXPECT_NE(std::find(ev.begin(), ev.end(), "help tag 0"), ev.end());

        // Enter presses the default button, whose handler destroys the
        // dialog that is taking the message; the walk stays whole.
        SetActiveWindow(h2);
        SetFocus(GetDlgItem(h2, 13));
        PostMessageA(GetDlgItem(h2, 13), WM_KEYDOWN, VK_RETURN, 0);
        et::pump(150);
        EXPECT_FALSE(IsWindow(h2));
        EXPECT_EQ(ruvk_app_record()->modeless_count, 1);
        SetActiveWindow(h1);
        SetFocus(GetDlgItem(h1, 12));
        PostMessageA(GetDlgItem(h1, 12), WM_KEYDOWN, VK_TAB, 0);
        et::pump(100);
        EXPECT_EQ(GetFocus(), GetDlgItem(h1, 1));
        ruvk_vobj_destroy(first);
        EXPECT_EQ(ruvk_app_record()->modeless_count, 0);
    });
}

// X is a key of the program's accelerators (its command is 101), yet X
// pressed in a modeless dialog's edit is the edit's: the dialog takes the
// message before the accelerators, and no window hears of command 101.
TEST(ModelessDialog, ItsEditTakesAKeyOfTheAccelerators)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::seen().clear();
    et::run([] {
        ASSERT_NE(ruvk_app_record()->accelerators, nullptr);
        const RUV_WIN_DEF def[] = {
            element(11, 10, 10, 160, 60, "Keys", 0, 0x2),
            element(17, 5, 10, 100, 12, "", 2, 0),
            RUV_WIN_DEF{},
        };
        RUV_WIN dlg = ruvk_dlg_create_def(def, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(dlg, nullptr);
        HWND h = kt::hwnd_of(dlg);
        HWND edit = GetDlgItem(h, 2);
        ASSERT_NE(edit, nullptr);
        ShowWindow(h, SW_SHOW);
        // Real key presses go to the focus of the foreground window: while
        // another program's window is in front, try again.
        bool in_front = false;
        for (int attempt = 0; attempt < 15 && !in_front; ++attempt) {
            SetForegroundWindow(h);
            SetActiveWindow(h);
            SetFocus(edit);
            et::pump(50);
            SetWindowTextA(edit, "");
            et::seen().clear();
            et::keys({'X', -'X'});
            et::pump(150);
            in_front = GetForegroundWindow() == h && GetFocus() == edit;
            if (!in_front)
                Sleep(200);
        }
        ASSERT_TRUE(in_front) << "the dialog never stayed in front";
        char text[16] = "";
        GetWindowTextA(edit, text, sizeof text);
        EXPECT_STREQ(text, "x");
        for (const std::string &e : et::events_of(NULL_WIN))
            EXPECT_EQ(e.find(" 101"), std::string::npos) << e;
        ruvk_vobj_destroy(dlg);
    });
}

// With native dialogs the kernel loads the resource itself and clears its
// absolute alignment (in a copy: the next dialog from the same resource
// without the attribute keeps it).
TEST(DialogFromResource, NativeDialogsLoseAbsoluteAlignment)
{
    app([] {
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_NATIVE_DIALOGS, 1);
        RUV_WIN native = ruvk_dlg_create_res(11, 302, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_NATIVE_DIALOGS, 0);
        RUV_WIN plain = ruvk_dlg_create_res(11, 302, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(native, nullptr);
        ASSERT_NE(plain, nullptr);
        EXPECT_FALSE(GetWindowLongPtrA(kt::hwnd_of(native), GWL_STYLE) & DS_ABSALIGN);
        EXPECT_TRUE(GetWindowLongPtrA(kt::hwnd_of(plain), GWL_STYLE) & DS_ABSALIGN);
        EXPECT_EQ(ruvk_win_get_ctl(native, 1)->type, 12);
        ruvk_vobj_destroy(native);
        ruvk_vobj_destroy(plain);
    });
}

// Owners: with no toolkit window active a modal dialog is owned by the
// window of attribute 10042.
HWND seen_owner;
int32_t owner_probe(RUV_WIN win, RUV_EVENT *ev)
{
    if (ev->type == E_CREATE) {
        seen_owner = GetWindow(kt::hwnd_of(win), GW_OWNER);
        ruvk_vobj_destroy(win);
    }
    return 0;
}

TEST(DialogOwner, AttributeOwnerWhenNoToolkitWindowIsActive)
{
    app([] {
        HWND foreign = CreateWindowExA(0, "STATIC", "foreign", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
        HWND other = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        SetActiveWindow(foreign);
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_DIALOG_OWNER, reinterpret_cast<intptr_t>(other));
        seen_owner = nullptr;
        const RUV_WIN_DEF def[] = {element(10, 0, 0, 80, 40, "", 0, 0x2), RUV_WIN_DEF{}};
        EXPECT_NE(ruvk_dlg_create_def(def, RUV_EVENT_MASK_ALL, owner_probe, nullptr), nullptr);
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_DIALOG_OWNER, 0);
        EXPECT_EQ(seen_owner, other);
        DestroyWindow(foreign);
        DestroyWindow(other);
    });
}

} // namespace
