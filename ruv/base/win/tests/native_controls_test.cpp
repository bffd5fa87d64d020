// Native controls on real windows: class, style and extended style of each
// kind (also under the 3-D and coloured-row attributes), class recognition,
// list operations with their edge cases and long rows, coloured rows and
// control colours by pixels, control fonts, check and radio state, text
// selection, the edit formatter, scroll-bar ranges on both kinds of
// platform and the misuse reports.
#include <cstring>
#include <string>
#include <vector>

#include "event_test_support.h"
#include "native_controls.h"
#include "ruvv_color.h"
#include "ruvv_font.h"
#include "ruvv_list.h"
#include "window_services.h"

namespace {

using et::seen;

RUV_WIN doc()
{
    RUV_RECT r = {20, 20, 420, 520};
    return ruvk_win_create(1, &r, "Controls", 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, et::record, nullptr);
}

RUV_WIN make(RUV_WIN parent, int32_t type, uint32_t flags = 0, const char *title = "", int32_t id = 50,
             RUV_RECT r = {10, 10, 40, 150})
{
    return ruvk_ctl_create(type, &r, title, parent, flags, nullptr, id);
}

// Runs body inside a started application; pre runs before the loop
// starts (attributes that are set before start).
void app(std::function<void()> body, std::function<void()> pre = nullptr)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    if (pre)
        pre();
    et::seen().clear();
    et::run(std::move(body));
}

// What the kernel asked the window system for: the creation hook sees
// every argument.
struct Asked {
    DWORD ex = 0, style = 0;
    std::string cls;
};

Asked &asked()
{
    static Asked a;
    return a;
}

void capture(DWORD *ex, LPCSTR *cls, LPCSTR *, DWORD *style, int *, int *, int *, int *, HWND *, HMENU *,
             HINSTANCE *, LPVOID *)
{
    asked().ex = *ex;
    asked().style = *style;
    asked().cls = *cls;
}

// ---- kinds: class, style, extended style ----

struct StyleCase {
    int32_t type;
    uint32_t flags;
    int32_t attribute;      // set to 1 before start (0: none)
    const char *cls;
    DWORD style;            // besides WS_CHILD | WS_CLIPSIBLINGS
    DWORD ex;
};

constexpr DWORD V = WS_VISIBLE;
const StyleCase STYLE_CASES[] = {
    {12, 0, 0, "Button", V | BS_PUSHBUTTON, 0},
    {12, 0x8, 0, "Button", V | BS_DEFPUSHBUTTON, 0},
    {12, 0x1, 0, "Button", V | WS_DISABLED | BS_PUSHBUTTON, 0},
    {12, 0x10, 0, "Button", BS_PUSHBUTTON, 0},
    {12, 0, RUV_ATTR_USE_CTL3D, "Button", V | BS_PUSHBUTTON, 0},
    {13, 0x4, 0, "Button", V | BS_RADIOBUTTON, 0},
    {14, 0, 0, "Button", V | BS_CHECKBOX, 0},
    {15, 0, 0, "Scrollbar", V | SBS_HORZ, 0},
    {16, 0, 0, "Scrollbar", V | SBS_VERT, 0},
    {17, 0, 0, "Edit", V | 0x800080, 0},
    {17, 0xC000, 0, "Edit", V | 0x800080 | ES_RIGHT, 0},
    {17, 0x4000, 0, "Edit", V | 0x800080 | ES_CENTER, 0},
    {17, 0x10200, 0, "Edit", V | 0x800080 | ES_READONLY | ES_PASSWORD, 0},
    {17, 0, RUV_ATTR_USE_CTL3D, "Edit", V | 0x800080, WS_EX_CLIENTEDGE},
    {18, 0, 0, "Static", V | SS_LEFT, 0},
    {18, 0xC000, 0, "Static", V | SS_CENTER, 0},
    {18, 0x8000, 0, "Static", V | SS_RIGHT, 0},
    {19, 0, 0, "Listbox", V | 0xA01000 | LBS_NOTIFY, 0},
    {19, 0x602, 0, "Listbox", V | 0xA01000 | LBS_EXTENDEDSEL | WS_HSCROLL, 0},
    {19, 0, RUV_ATTR_COLOR_LIST_ROWS, "Listbox", V | 0xA01000 | LBS_NOTIFY | 0x50, 0},
    {19, 0, RUV_ATTR_USE_CTL3D, "Listbox", V | 0xA01000 | LBS_NOTIFY, WS_EX_CLIENTEDGE},
    {20, 0, 0, "Combobox", V | 0x200103, 0},
    {20, 0, RUV_ATTR_COLOR_COMBO_ROWS, "Combobox", V | 0x200103 | 0x210, 0},
    {20, 0, RUV_ATTR_USE_CTL3D, "Combobox", V | 0x200103, WS_EX_CLIENTEDGE},
    {21, 0, 0, "Combobox", V | 0x200042, 0},
    {21, 0, RUV_ATTR_COLOR_COMBO_ROWS, "Combobox", V | 0x200042 | 0x210, 0},
    {21, 0, RUV_ATTR_USE_CTL3D, "Combobox", V | 0x200042, WS_EX_CLIENTEDGE},
    {22, 0, 0, "Button", V | BS_GROUPBOX, 0},
    {24, 0, 0, "Static", V | SS_ICON, 0},
};

TEST(ControlKinds, ClassStyleAndExtendedStyleByType)
{
    for (const StyleCase &c : STYLE_CASES) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " flags " << std::hex << c.flags << " attr "
                                        << std::dec << c.attribute);
        app(
            [&] {
                RUV_WIN w = doc();
                ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK, reinterpret_cast<intptr_t>(&capture));
                RUV_WIN ctl = make(w, c.type, c.flags, "Title");
                ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK, 0);
                ASSERT_NE(ctl, nullptr);
                EXPECT_EQ(asked().cls, c.cls);
                EXPECT_EQ(asked().style, c.style | WS_CHILD | WS_CLIPSIBLINGS) << std::hex << asked().style;
                EXPECT_EQ(asked().ex, c.ex);
                // What the window system keeps of it.
                HWND h = kt::hwnd_of(ctl);
                EXPECT_EQ(lstrcmpiA(kt::class_of(h).c_str(), c.cls), 0);
                EXPECT_EQ(IsWindowVisible(h) != 0, (c.style & WS_VISIBLE) != 0);
                EXPECT_EQ(IsWindowEnabled(h) != 0, (c.style & WS_DISABLED) == 0);
                EXPECT_EQ(ruvk_ctl_type_of_hwnd(h), c.type);
                EXPECT_EQ(reinterpret_cast<RUV_WIN>(GetWindowLongPtrA(h, GWLP_USERDATA)), ctl);
                EXPECT_EQ(ctl->kind, RUVK_KIND_CONTROL);
                EXPECT_EQ(ctl->parent, w);
                EXPECT_EQ(ctl->top, w);
                EXPECT_EQ(GetDlgCtrlID(h), 50);
                if (c.type == 13) {
                    EXPECT_TRUE(ruvk_ctl_is_checked(ctl));  // flag 0x4
                }
                for (const kt::Report &r : kt::reports())
                    if ((r.id >> 16) == 0x34)
                        ADD_FAILURE() << "report " << std::hex << r.id;
            },
            [&] {
                if (c.attribute)
                    ruvk_vobj_set_attr(NULL_WIN, c.attribute, 1);
            });
    }
}

TEST(ControlKinds, MnemonicTitlesIconTextAndZeroThicknessBars)
{
    app([] {
        RUV_WIN w = doc();
        char buf[64];
        RUV_WIN b = make(w, 12, 0, "Save ~as && ~~x");
        GetWindowTextA(kt::hwnd_of(b), buf, sizeof buf);
        EXPECT_STREQ(buf, "Save &as &&&& ~x");
        ruvk_vobj_get_title(b, buf, sizeof buf);
        EXPECT_STREQ(buf, "Save ~as && ~~x");
        RUV_WIN e = make(w, 17, 0, "plain ~ & text");  // edits take the title as given
        GetWindowTextA(kt::hwnd_of(e), buf, sizeof buf);
        EXPECT_STREQ(buf, "plain ~ & text");
        RUV_WIN bar = make(w, 15, 0, "", 51, RUV_RECT{100, 10, 100, 200});
        RECT r;
        GetClientRect(kt::hwnd_of(bar), &r);
        EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYHSCROLL));
        RUV_WIN vbar = make(w, 16, 0, "", 52, RUV_RECT{10, 300, 200, 300});
        GetClientRect(kt::hwnd_of(vbar), &r);
        EXPECT_EQ(r.right, GetSystemMetrics(SM_CXVSCROLL));
        // A group box lies under its siblings.
        RUV_WIN g = make(w, 22, 0, "~Group", 53, RUV_RECT{5, 5, 200, 300});
        EXPECT_EQ(GetWindow(kt::hwnd_of(g), GW_HWNDLAST), kt::hwnd_of(g));
    });
}

TEST(ControlKinds, UnknownTypeIsAnInternalError)
{
    app([] {
        DWORD style = 0, ex = 1;
        EXPECT_EQ(ruvk_ctl_class_style(99, 0x1, &style, &ex), nullptr);
        EXPECT_EQ(style, static_cast<DWORD>(WS_CHILD | WS_CLIPSIBLINGS | WS_DISABLED | WS_VISIBLE));
        EXPECT_EQ(ex, 0u);
        EXPECT_EQ(kt::severity_of(0x347857), RUV_SEV_FATAL);
        EXPECT_EQ(make(doc(), 99), nullptr);
    });
}

TEST(ControlKinds, NativeClassRecognition)
{
    struct Case {
        const char *cls;
        DWORD style;
        int32_t type;
    } cases[] = {
        {"BUTTON", BS_RADIOBUTTON, 13}, {"button", BS_AUTORADIOBUTTON, 13}, {"Button", BS_CHECKBOX, 14},
        {"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 14}, {"Button", BS_GROUPBOX, 22},
        {"Button", BS_DEFPUSHBUTTON, 12}, {"Button", BS_AUTO3STATE, 12},
        {"ScrollBar", SBS_VERT, 16}, {"SCROLLBAR", SBS_HORZ, 15}, {"edit", ES_MULTILINE, 17},
        {"ListBox", 0, 19}, {"ComboBox", CBS_DROPDOWNLIST, 20}, {"combobox", CBS_DROPDOWN, 21},
        {"ComboBox", CBS_SIMPLE, -1}, {"SysTabControl32", 0, 25}, {"Static", SS_ICON | SS_CENTERIMAGE, 24},
        {"static", SS_RIGHT, 18}, {"RichEdit20A", 0, -1}, {nullptr, 0, -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ruvk_ctl_type_of_class(c.cls, c.style), c.type) << (c.cls ? c.cls : "null") << " " << c.style;
}

// ---- lists ----

TEST(Lists, DropListSelectsItsFirstRowAndDropDownsKeepTheirOrder)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN drop = make(w, 20, 0, "", 60, RUV_RECT{10, 10, 120, 150});
        EXPECT_EQ(ruvk_list_get_sel_index(drop), -1);
        EXPECT_TRUE(ruvk_list_add(drop, -1, "zeta"));
        EXPECT_EQ(ruvk_list_get_sel_index(drop), 0);
        EXPECT_TRUE(ruvk_list_add(drop, 0, "alpha"));
        EXPECT_EQ(ruvk_list_count_all(drop), 2);
        char buf[32];
        EXPECT_TRUE(ruvk_list_get_first_sel(drop, buf, sizeof buf));
        EXPECT_STREQ(buf, "zeta");

        // A string list goes in at the index, in order.
        RUV_WIN down = make(w, 21, 0, "", 61, RUV_RECT{150, 10, 260, 150});
        SLIST *rows = ruvv_slist_create();
        for (const char *s : {"b", "c", "d"})
            ruvv_slist_add_at_pos(rows, -1, s, 0);
        ruvk_list_add(down, -1, "a");
        ruvk_list_add(down, -1, "e");
        EXPECT_TRUE(ruvk_list_add(down, 1, reinterpret_cast<const char *>(rows)));
        ruvv_slist_destroy(rows);
        SLIST *all = ruvk_list_get_all(down);
        ASSERT_NE(all, nullptr);
        std::string joined;
        for (SLIST_ELT *e = ruvv_slist_get_first(all); e; e = ruvv_slist_get_next(all, e)) {
            intptr_t index = -1;
            joined += ruvv_slist_get(all, e, &index);
            joined += std::to_string(index);
        }
        EXPECT_EQ(joined, "a0b1c2d3e4");
        ruvv_slist_destroy(all);

        // Removing the last row of a drop list leaves it empty and cleared.
        EXPECT_TRUE(ruvk_list_rem(drop, 1));
        EXPECT_TRUE(ruvk_list_rem(drop, 0));
        EXPECT_EQ(ruvk_list_count_all(drop), 0);
        EXPECT_EQ(ruvk_list_get_sel_index(drop), -1);
        EXPECT_TRUE(kt::reports().empty());
    });
}

TEST(Lists, SelectionRules)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN single = make(w, 19, 0, "", 62, RUV_RECT{10, 10, 200, 150});
        RUV_WIN multi = make(w, 19, 0x400, "", 63, RUV_RECT{10, 160, 200, 300});
        RUV_WIN combo = make(w, 21, 0, "", 64, RUV_RECT{10, 310, 200, 450});
        for (RUV_WIN l : {single, multi, combo})
            for (const char *s : {"one", "two", "three", "four"})
                ruvk_list_add(l, -1, s);

        // Index -1 on a single selection or a combo leaves no row selected.
        for (RUV_WIN l : {single, combo}) {
            ruvk_list_set_sel(l, 2, TRUE);
            EXPECT_EQ(ruvk_list_get_sel_index(l), 2);
            EXPECT_TRUE(ruvk_list_is_sel(l, 2));
            EXPECT_EQ(ruvk_list_count_sel(l), 1);
            ruvk_list_set_sel(l, -1, TRUE);
            EXPECT_EQ(ruvk_list_get_sel_index(l), -1);
            EXPECT_EQ(ruvk_list_count_sel(l), 0);
            char buf[8] = "x";
            EXPECT_FALSE(ruvk_list_get_first_sel(l, buf, sizeof buf));
        }
        // A multi-selection list selects and clears every row with -1.
        ruvk_list_set_sel(multi, -1, TRUE);
        EXPECT_EQ(ruvk_list_count_sel(multi), 4);
        ruvk_list_set_sel(multi, 1, FALSE);
        EXPECT_EQ(ruvk_list_count_sel(multi), 3);
        EXPECT_FALSE(ruvk_list_is_sel(multi, 1));
        EXPECT_EQ(ruvk_list_get_sel_index(multi), 0);
        SLIST *sel = ruvk_list_get_sel(multi);
        ASSERT_NE(sel, nullptr);
        EXPECT_EQ(ruvv_slist_count(sel), 3);
        intptr_t index = -1;
        EXPECT_STREQ(ruvv_slist_get_elt(sel, 1, &index), "three");
        EXPECT_EQ(index, 2);
        ruvv_slist_destroy(sel);
        ruvk_list_set_sel(multi, -1, FALSE);
        EXPECT_EQ(ruvk_list_count_sel(multi), 0);
        // Programmatic selection sends no events.
        et::pump(50);
        for (const auto &s : et::events_of(w))
            EXPECT_EQ(s.find("control"), std::string::npos) << s;
    });
}

TEST(Lists, RefusalsCarryTheirIds)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN list = make(w, 19, 0, "", 65, RUV_RECT{10, 10, 200, 150});
        RUV_WIN combo = make(w, 20, 0, "", 66, RUV_RECT{10, 160, 200, 300});
        RUV_WIN edit = make(w, 17, 0, "", 67, RUV_RECT{210, 10, 240, 150});
        ruvk_list_add(list, -1, "twelve bytes");
        ruvk_list_add(combo, -1, "twelve bytes");
        char buf[12];
        struct Case {
            std::function<bool()> call;
            RUV_ERRMSG_ID id;
        } cases[] = {
            {[&] { return ruvk_list_get_elt(list, 0, buf, sizeof buf) != 0; }, 0x1250003},
            {[&] { return ruvk_list_get_elt(combo, 0, buf, sizeof buf) != 0; }, 0x1250001},
            {[&] { return ruvk_list_get_elt(list, 5, buf, sizeof buf) != 0; }, 0x1250001},
            {[&] { return ruvk_list_rem(list, 7) != 0; }, 0x1250003},
            {[&] { return ruvk_list_is_sel(edit, 0) != 0; }, 0x1220002},
            {[&] { return ruvk_list_get_first_sel(edit, buf, sizeof buf) != 0; }, 0x230000},
            {[&] { return ruvk_list_count_all(edit) >= 0; }, 0x200000},
        };
        for (const Case &c : cases) {
            kt::reports().clear();
            EXPECT_FALSE(c.call());
            EXPECT_EQ(kt::severity_of(c.id), RUV_SEV_ERROR) << std::hex << c.id;
        }
        kt::reports().clear();
        EXPECT_TRUE(ruvk_list_get_elt(list, 0, buf, 13 > sizeof buf ? sizeof buf : 13) == 0);
        char fits[13];
        EXPECT_TRUE(ruvk_list_get_elt(list, 0, fits, sizeof fits));
        EXPECT_STREQ(fits, "twelve bytes");
    });
}

// A row longer than every buffer is measured before it is read: string
// lists keep 299 bytes of it, and nothing beside the buffer changes.
TEST(Lists, LongRowsAreCutNeverOverrun)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN list = make(w, 19, 0, "", 68, RUV_RECT{10, 10, 200, 150});
        RUV_WIN combo = make(w, 21, 0, "", 69, RUV_RECT{10, 160, 200, 300});
        std::string row(1000, 'x');
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<char>('a' + i % 26);
        for (RUV_WIN l : {list, combo}) {
            ruvk_list_add(l, -1, "short");
            ruvk_list_add(l, -1, row.c_str());
            ruvk_list_set_sel(l, 1, TRUE);
            SLIST *all = ruvk_list_get_all(l);
            ASSERT_NE(all, nullptr);
            ASSERT_EQ(ruvv_slist_count(all), 2);
            EXPECT_STREQ(ruvv_slist_get_elt(all, 0, nullptr), "short");
            EXPECT_EQ(std::string(ruvv_slist_get_elt(all, 1, nullptr)), row.substr(0, 299));
            ruvv_slist_destroy(all);
            SLIST *sel = ruvk_list_get_sel(l);
            ASSERT_NE(sel, nullptr);
            EXPECT_EQ(std::string(ruvv_slist_get_elt(sel, 0, nullptr)), row.substr(0, 299));
            ruvv_slist_destroy(sel);
            struct {
                char buf[40];
                char after[16];
            } guarded;
            std::memset(guarded.after, 'G', sizeof guarded.after);
            EXPECT_TRUE(ruvk_list_get_first_sel(l, guarded.buf, sizeof guarded.buf));
            EXPECT_EQ(std::string(guarded.buf), row.substr(0, 39));
            for (char c : guarded.after)
                EXPECT_EQ(c, 'G');
        }
        // The drop-down copies at most 255 bytes of its chosen row into its
        // edit part.
        EXPECT_TRUE(ruvk_ctl_copy_selected_row(combo));
        char text[1200];
        GetWindowTextA(kt::hwnd_of(combo), text, sizeof text);
        EXPECT_EQ(std::string(text), row.substr(0, 255));
    });
}

TEST(Lists, HorizontalExtentFollowsTheWidestRow)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN list = make(w, 19, 0x2, "", 70, RUV_RECT{10, 10, 200, 150});
        HWND h = kt::hwnd_of(list);
        ruvk_list_add(list, -1, "short");
        LRESULT narrow = SendMessageA(h, LB_GETHORIZONTALEXTENT, 0, 0);
        EXPECT_GT(narrow, 10);
        ruvk_list_add(list, -1, "<\\CF(255))>a much longer row than the first one");
        LRESULT wide = SendMessageA(h, LB_GETHORIZONTALEXTENT, 0, 0);
        EXPECT_GT(wide, narrow);
        // Measured without the colour prefix.
        HDC dc = GetDC(h);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
        SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
        SIZE size;
        const char *visible = "a much longer row than the first one";
        GetTextExtentPoint32A(dc, visible, static_cast<int>(std::strlen(visible)), &size);
        ReleaseDC(h, dc);
        EXPECT_EQ(wide, size.cx + 10);
        ruvk_list_rem(list, 1);
        EXPECT_EQ(SendMessageA(h, LB_GETHORIZONTALEXTENT, 0, 0), narrow);
        ruvk_list_clear(list);
        EXPECT_EQ(SendMessageA(h, LB_GETHORIZONTALEXTENT, 0, 0), 0);
        EXPECT_EQ(ruvk_list_count_all(list), 0);
    });
}

// ---- colours ----

// Pixels of one colour in a memory picture of a window's client area,
// painted by the window itself.
struct Picture {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    int w = 0, h = 0;
    explicit Picture(HWND hwnd)
    {
        RECT r;
        GetClientRect(hwnd, &r);
        w = r.right;
        h = r.bottom;
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bmp = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        SelectObject(dc, bmp);
        RECT all = {0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    }
    ~Picture()
    {
        DeleteDC(dc);
        DeleteObject(bmp);
    }
    int count(COLORREF c, int top = 0, int bottom = -1) const
    {
        int n = 0;
        if (bottom < 0)
            bottom = h;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < w; ++x)
                if (GetPixel(dc, x, y) == c)
                    ++n;
        return n;
    }
};

TEST(ColouredRows, RedAndBlueTextByPixels)
{
    app([] {
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_COLOR_LIST_ROWS, 1);
        RUV_WIN w = doc();
        RUV_WIN list = make(w, 19, 0, "", 71, RUV_RECT{10, 10, 200, 200});
        ruvk_list_add(list, -1, "<\\CF(16711680))>Red row");
        ruvk_list_add(list, -1, "<\\CF(255))>Blue row");
        ruvk_list_add(list, -1, "<\\CB(65280))>Green back");
        HWND h = kt::hwnd_of(list);
        int item = static_cast<int>(SendMessageA(h, LB_GETITEMHEIGHT, 0, 0));
        Picture pic(h);
        const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 255, 0);
        EXPECT_GT(pic.count(red, 0, item), 10);
        EXPECT_EQ(pic.count(blue, 0, item), 0);
        EXPECT_GT(pic.count(blue, item, 2 * item), 10);
        EXPECT_EQ(pic.count(red, item, 2 * item), 0);
        EXPECT_GT(pic.count(green, 2 * item, 3 * item), 100);
        // The prefix is not shown: the rows read back whole all the same.
        char buf[64];
        ruvk_list_get_elt(list, 1, buf, sizeof buf);
        EXPECT_STREQ(buf, "<\\CF(255))>Blue row");

        // A selected row is filled with the selection colour.
        ruvk_list_set_sel(list, 0, TRUE);
        ruvk_list_add(list, -1, "<\\CS(255)\\CB(16777215))>Selected");
        ruvk_list_set_sel(list, 3, TRUE);
        Picture sel(h);
        EXPECT_GT(sel.count(blue, 3 * item, 4 * item), 100);
    });
}

TEST(ControlColours, OwnWindowAndNativeColours)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN label = make(w, 18, 0, "Coloured label", 72, RUV_RECT{10, 10, 40, 200});
        RUV_WIN other = make(w, 18, 0, "Plain label", 73, RUV_RECT{50, 10, 80, 200});
        const RUV_COLOR_COMPONENT own[] = {{0x2, 0xFF0000}, {0x8, 0x0000FF}, {0x40, 0x00FF00}, {0, 0}};
        ruvk_ctl_set_colors(label, own, 0);
        Picture pic(kt::hwnd_of(label));
        EXPECT_GT(pic.count(RGB(0, 0, 255)), pic.w * pic.h / 2);   // background
        EXPECT_GT(pic.count(RGB(255, 0, 0)), 10);                  // text
        // Only the kind's components are kept.
        RUV_COLOR_COMPONENT *kept = ruvk_ctl_get_colors(label);
        ASSERT_NE(kept, nullptr);
        int n = 0;
        for (RUV_COLOR_COMPONENT *c = kept; c->type; ++c, ++n)
            EXPECT_NE(c->type, 0x40);
        EXPECT_EQ(n, 2);
        ruvv_mem_free(kept);
        // Without own colours, the window's defaults apply.
        const RUV_COLOR_COMPONENT defaults[] = {{0x8, 0x00FF00}, {0, 0}};
        ruvk_win_set_ctl_colors(w, defaults, 1);
        Picture pic2(kt::hwnd_of(other));
        EXPECT_GT(pic2.count(RGB(0, 255, 0)), pic2.w * pic2.h / 2);
        RUV_COLOR_COMPONENT *copy = ruvk_win_get_ctl_colors(w);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy[0].type, 0x8);
        EXPECT_EQ(copy[1].type, 0);
        ruvv_mem_free(copy);
        // Removing the own colours falls back to the window's.
        ruvk_ctl_set_colors(label, nullptr, 1);
        Picture pic3(kt::hwnd_of(label));
        EXPECT_GT(pic3.count(RGB(0, 255, 0)), pic3.w * pic3.h / 2);
        EXPECT_EQ(pic3.count(RGB(0, 0, 255)), 0);
    });
}

TEST(ControlColours, NativeDefaultsPerPlatform)
{
    app([] {
        auto rgb = [](int index) {
            COLORREF c = GetSysColor(index);
            return (static_cast<RUV_COLOR>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        };
        RUV_COLOR_COMPONENT *edit = ruvk_ctl_get_native_colors(17);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit[0].type, 0x2);
        EXPECT_EQ(edit[0].color, rgb(COLOR_WINDOWTEXT));
        EXPECT_EQ(edit[1].type, 0x4);
        EXPECT_EQ(edit[1].color, rgb(COLOR_WINDOW));
        EXPECT_EQ(edit[2].type, 0x20);
        EXPECT_EQ(edit[3].type, 0);
        ruvv_mem_free(edit);
        EXPECT_EQ(ruvk_ctl_get_native_colors(23), nullptr);
        RUV_COLOR_COMPONENT *push = ruvk_ctl_get_native_colors(12);
        ASSERT_NE(push, nullptr);
        EXPECT_EQ(push[2].type, 0x8);
        ruvv_mem_free(push);
        EXPECT_EQ(ruvk_ctl_component_mask(21), 0xEu);
        RUVK_PLATFORM saved = ruvk_platform;
        ruvk_platform.win9x = 1;
        push = ruvk_ctl_get_native_colors(12);
        ASSERT_NE(push, nullptr);
        EXPECT_EQ(push[2].type, 0x20);  // Windows 9x has no window-colour entry
        ruvv_mem_free(push);
        uint32_t text, back, brush;
        ruvk_ctl_components(21, &text, &back, &brush);
        EXPECT_EQ(brush, 0x4u);
        ruvk_platform = saved;
    });
}

// ---- fonts ----

TEST(ControlFonts, OwnInheritedAndDropped)
{
    app([] {
        // A window whose definition gives its controls' font.
        RUV_FONT *big = ruvv_font_create();
        ruvv_font_set_family(big, "times");
        ruvv_font_set_size(big, 20);
        RUV_WIN_DEF def[2] = {};
        def[0].type = 1;
        def[0].rect = RUV_RECT{20, 20, 320, 420};
        def[0].title = const_cast<char *>("Fonts");
        def[0].u.win.flags = 0x803;
        def[0].u.win.font = big;
        RUV_WIN w = ruvk_win_create_def(def, et::task(), RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(w, nullptr);
        RUV_WIN a = make(w, 12, 0, "A", 80);
        RUV_WIN b = make(w, 18, 0, "B", 81, RUV_RECT{50, 10, 80, 150});
        HFONT shared = reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(a), WM_GETFONT, 0, 0));
        ASSERT_NE(shared, nullptr);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(b), WM_GETFONT, 0, 0)), shared);
        LOGFONTA lf;
        GetObjectA(shared, sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, "Times New Roman");

        RUV_FONT *small = ruvv_font_create();
        ruvv_font_set_family(small, "courier");
        ruvv_font_set_size(small, 8);
        ruvk_ctl_set_font(a, small);
        HFONT own = reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(a), WM_GETFONT, 0, 0));
        EXPECT_NE(own, shared);
        GetObjectA(own, sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, "Courier New");
        RUV_FONT *copy = ruvk_ctl_get_font(a);
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, a->ctl_font);
        EXPECT_STREQ(ruvv_font_get_family(copy), "courier");
        EXPECT_EQ(ruvv_font_get_size(copy), 8);
        ruvv_font_destroy(copy);
        EXPECT_EQ(ruvk_ctl_get_font(b), nullptr);
        // A font sent to the window's controls passes a control with its own.
        RUV_FONT *mid = ruvv_font_create();
        ruvv_font_set_family(mid, "helvetica");
        ruvv_font_set_size(mid, 14);
        ruvk_win_set_ctl_font(w, mid);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(a), WM_GETFONT, 0, 0)), own);
        HFONT sent = reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(b), WM_GETFONT, 0, 0));
        GetObjectA(sent, sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, "Arial");
        // Dropped: the window's own font again, as for a control made later.
        ruvk_ctl_set_font(a, nullptr);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(a), WM_GETFONT, 0, 0)), shared);
        RUV_WIN c = make(w, 17, 0, "C", 82, RUV_RECT{90, 10, 120, 150});
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(kt::hwnd_of(c), WM_GETFONT, 0, 0)), shared);
        RUV_FONT *win_font = ruvk_win_get_ctl_font(w);
        ASSERT_NE(win_font, nullptr);
        EXPECT_EQ(ruvv_font_get_size(win_font), 20);
        ruvv_font_destroy(win_font);
        ruvv_font_destroy(mid);
        ruvv_font_destroy(small);
        ruvv_font_destroy(big);
    });
}

// ---- checks, selection, formatter ----

TEST(ControlState, ChecksRadioGroupsAndMisuse)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN r[3];
        for (int i = 0; i < 3; ++i)
            r[i] = make(w, 13, 0, "r", 90 + i, RUV_RECT{static_cast<int16_t>(10 + 30 * i), 10,
                                                       static_cast<int16_t>(30 + 30 * i), 100});
        ruvk_ctl_set_checked(r[0], TRUE);
        ruvk_ctl_check_radio_button(r[1], r, 3);
        EXPECT_FALSE(ruvk_ctl_is_checked(r[0]));
        EXPECT_TRUE(ruvk_ctl_is_checked(r[1]));
        EXPECT_FALSE(ruvk_ctl_is_checked(r[2]));
        RUV_WIN push = make(w, 12, 0, "p", 95, RUV_RECT{120, 10, 140, 100});
        EXPECT_FALSE(ruvk_ctl_is_checked(push));
        EXPECT_EQ(kt::severity_of(0x347859), RUV_SEV_FATAL);
        EXPECT_EQ(ruvk_ctl_get_id(push), 95);
        EXPECT_EQ(ruvk_win_get_ctl(w, 92), r[2]);
        EXPECT_EQ(ruvk_win_get_ctl(w, 999), nullptr);
        EXPECT_EQ(ruvk_ctl_get_id(w), 0);
        et::pump(50);
        for (const auto &s : et::events_of(w))
            EXPECT_EQ(s.find("control"), std::string::npos) << s;
        // Flags read back with the state.
        EXPECT_EQ(ruvk_vobj_get_flags(r[1]) & 0x4u, 0x4u);
    });
}

TEST(ControlState, PressedButtonsAndTheDefaultButton)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN first = make(w, 12, 0x8, "First", 96);
        RUV_WIN second = make(w, 12, 0, "Second", 97, RUV_RECT{50, 10, 80, 150});
        RUV_WIN check = make(w, 14, 0, "Check", 98, RUV_RECT{90, 10, 110, 150});
        et::seen().clear();
        ruvk_ctl_press_button(check);
        ASSERT_EQ(et::events_of(w, RUV_EVENT_BIT(E_UPDATE) | RUV_EVENT_BIT(E_FOCUS)),
                  std::vector<std::string>{"control 98 type 14 data 0 0"});
        ruvk_ctl_set_default_button(second);
        EXPECT_EQ(GetWindowLongPtrA(kt::hwnd_of(second), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
        EXPECT_EQ(GetWindowLongPtrA(kt::hwnd_of(first), GWL_STYLE) & 0xF, BS_PUSHBUTTON);
    });
}

char *upper_formatter(RUV_WIN, char *title, int32_t *, int32_t *, intptr_t)
{
    static std::string out;
    out = title;
    for (char &c : out)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return out == title ? nullptr : &out[0];
}

TEST(ControlState, TextSelectionInCharactersAndTheFormatter)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN other = make(w, 17, 0, "elsewhere", 101, RUV_RECT{60, 10, 90, 200});
        RUV_WIN edit = make(w, 17, 0, "abcdef", 100);
        SetFocus(kt::hwnd_of(other));
        et::pump(50);
        et::seen().clear();
        ruvk_ctl_set_text_sel(edit, 1, 4);
        EXPECT_EQ(GetFocus(), kt::hwnd_of(edit));
        int32_t first = -1, last = -1;
        ruvk_ctl_get_text_sel(edit, &first, &last);
        EXPECT_EQ(first, 1);
        EXPECT_EQ(last, 4);
        ruvk_ctl_get_text_sel(edit, nullptr, &last);
        EXPECT_EQ(last, 4);
        // The focus was moved: the parent hears of it once, as a gain.
        int gains = 0;
        for (const et::Seen &s : et::seen())
            if (s.ev.type == E_CONTROL && s.ev.v.control.ctl == edit && s.ev.v.control.data.edit.change == 1 &&
                s.ev.v.control.data.edit.gained == 1)
                ++gains;
        EXPECT_GE(gains, 1);

        RUV_WIN down = make(w, 21, 0, "", 102, RUV_RECT{100, 10, 200, 200});
        SetWindowTextA(kt::hwnd_of(down), "drop-down");
        ruvk_ctl_set_text_sel(down, 2, 5);
        ruvk_ctl_get_text_sel(down, &first, &last);
        EXPECT_EQ(first, 2);
        EXPECT_EQ(last, 5);

        // The formatter rewrites what the field holds.
        edit->title_formatter = upper_formatter;
        SetWindowTextA(kt::hwnd_of(edit), "lower");
        char buf[32];
        GetWindowTextA(kt::hwnd_of(edit), buf, sizeof buf);
        EXPECT_STREQ(buf, "LOWER");
        edit->title_formatter = nullptr;
    });
}

// The edit commands of menus (cut, copy, paste, clear: 32042-32045) go to
// the edit field in focus and give no command event.
TEST(ControlState, EditCommandsReachTheFocusedField)
{
    app([] {
        RUV_WIN w = doc();
        RUV_RECT r = {10, 10, 150, 300};
        RUV_WIN pane = ruvk_win_create(7, &r, "", 0, w, 0, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_NE(pane, nullptr);
        RUV_WIN edit = make(pane, 17, 0, "hello", 130);
        ruvk_ctl_set_text_sel(edit, 1, 3);
        et::seen().clear();
        SendMessageA(kt::hwnd_of(pane), WM_COMMAND, MAKEWPARAM(32045, 0), 0);
        et::pump(50);
        char buf[16];
        GetWindowTextA(kt::hwnd_of(edit), buf, sizeof buf);
        EXPECT_STREQ(buf, "hlo");
        for (const std::string &e : et::events_of(NULL_WIN))
            EXPECT_EQ(e.find("command"), std::string::npos) << e;
        // Any other tag is a command of the window.
        SendMessageA(kt::hwnd_of(pane), WM_COMMAND, MAKEWPARAM(1234, 0), 0);
        EXPECT_EQ(et::events_of(pane).back(), "command 1234 s0 c0");
    });
}

// ---- scroll bars ----

TEST(ScrollBars, RangesProportionsAndPositionsOnBothPlatforms)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN bar = make(w, 16, 0, "", 110, RUV_RECT{10, 10, 200, 10});
        RUVK_PLATFORM saved = ruvk_platform;
        HWND h = kt::hwnd_of(bar);
        for (int paged = 0; paged < 2; ++paged) {
            SCOPED_TRACE(paged);
            ruvk_platform.win9x = 0;
            ruvk_platform.nt4 = static_cast<int16_t>(paged);
            ruvk_sbar_set_range(bar, 0, 0, 100);
            ruvk_sbar_set_proportion(bar, 0, 30);
            ruvk_sbar_set_pos(bar, 0, 90);
            EXPECT_EQ(ruvk_sbar_get_pos(bar, 0), 70);
            ruvk_sbar_set_pos(bar, 0, 20);
            EXPECT_EQ(ruvk_sbar_get_pos(bar, 0), 20);
            int32_t lo = -1, hi = -1;
            ruvk_sbar_get_range(bar, 0, &lo, &hi);
            EXPECT_EQ(lo, 0);
            EXPECT_EQ(hi, 100);
            EXPECT_EQ(ruvk_sbar_get_proportion(bar, 0), 30);
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_ALL;
            GetScrollInfo(h, SB_CTL, &si);
            if (paged) {
                EXPECT_EQ(si.nMax, 99);
                EXPECT_EQ(si.nPage, 30u);
            } else {
                EXPECT_EQ(si.nMax, 70);
            }
            // A proportion beyond the range is held to it.
            ruvk_sbar_set_proportion(bar, 0, 500);
            EXPECT_EQ(ruvk_sbar_get_proportion(bar, 0), 100);
            EXPECT_EQ(ruvk_sbar_get_pos(bar, 0), 0);
            ruvk_sbar_set_proportion(bar, 0, 0);
        }
        // A window's own bars; a bar other than 0 or 1 is an internal error.
        RUV_RECT r = {40, 40, 240, 340};
        RUV_WIN scrolled = ruvk_win_create(1, &r, "Bars", 0, et::task(), 0x80F, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ruvk_sbar_set_range(scrolled, 1, 10, 60);
        ruvk_sbar_set_pos(scrolled, 1, 25);
        EXPECT_EQ(GetScrollPos(kt::hwnd_of(scrolled), SB_VERT), 25);
        EXPECT_EQ(ruvk_sbar_get_pos(scrolled, 1), 25);
        ruvk_sbar_set_range(scrolled, 2, 0, 10);
        EXPECT_EQ(kt::severity_of(0x34846E), RUV_SEV_FATAL);
        ruvk_platform = saved;
    });
}

// ---- records ----

TEST(ControlRecords, GoWithTheirNativeWindows)
{
    app([] {
        RUV_WIN w = doc();
        RUV_WIN edit = make(w, 17, 0, "x", 120);
        RUV_WIN down = make(w, 21, 0, "", 121, RUV_RECT{50, 10, 150, 200});
        ASSERT_NE(down->ctl_state, nullptr);
        RUV_WIN part = static_cast<RUVK_CTL_STATE *>(down->ctl_state)->secondary;
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->kind, RUVK_KIND_SUBCTL);
        EXPECT_FALSE(ruvv_vobj_is_valid(part));  // not registered
        // The focus in the edit part is the drop-down's.
        SetFocus(kt::hwnd_of(part));
        EXPECT_EQ(ruvk_scr_get_focus_vobj(), down);
        ruvk_vobj_destroy(edit);
        EXPECT_FALSE(ruvv_vobj_is_valid(edit));
        ruvk_vobj_destroy(w);
        EXPECT_FALSE(ruvv_vobj_is_valid(down));
        EXPECT_TRUE(kt::reports().empty());
    });
}

} // namespace
