// The editor's windows as the program makes them from its resources: every
// window, page and sub-pane is created through the toolkit as the shell
// creates it, and each row of the control table (resources/controls.tsv) is
// checked on the native windows: the control exists under its id, has the
// native class and style of its kind, is read-only exactly when the table
// says so and carries the text the code relies on.  The table is also
// complete (no named control is missing from it), the panes land on their
// design rectangles, the menus carry their items and greyed states, and the
// native dialogs, icon, accelerators and application name are there.
#include "dialog_controls.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "editor_resources.h"
#include "editor_test_support.h"
#include "front_fixture.h"
#include "ruvcm.h"
#include "ruvv_attr.h"

using namespace ruvf_test;

namespace {

struct ControlRow {
    int window;
    int id;
    std::string kind;
    std::string state;
    std::string text;
    std::string area;
};

std::vector<ControlRow> LoadControlTable()
{
    std::vector<ControlRow> rows;
    std::ifstream in(TRAZ_TEST_SOURCE_DIR "/traz_gui/editor/resources/controls.tsv");
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (header) { // the column names
            header = false;
            continue;
        }
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, '\t'))
            f.push_back(cell);
        while (f.size() < 6)
            f.emplace_back();
        rows.push_back(ControlRow{ std::stoi(f[0]), std::stoi(f[1]), f[2], f[3], f[4], f[5] });
    }
    return rows;
}

using editor_test::NativeOf;
using editor_test::WindowText;

std::string ClassOf(HWND hwnd)
{
    std::string cls = editor_test::WindowClass(hwnd);
    for (char &c : cls)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return cls;
}

// "" when the native control is of the table's kind, else what it is.
std::string KindMismatch(HWND ctl, const std::string &kind)
{
    const std::string cls = ClassOf(ctl);
    const LONG_PTR style = GetWindowLongPtrA(ctl, GWL_STYLE);
    const LONG_PTR button = style & BS_TYPEMASK;
    bool ok = false;
    if (kind == "button")
        ok = cls == "button" && (button == BS_PUSHBUTTON || button == BS_DEFPUSHBUTTON);
    else if (kind == "radio")
        ok = cls == "button" && (button == BS_RADIOBUTTON || button == BS_AUTORADIOBUTTON);
    else if (kind == "checkbox")
        ok = cls == "button" && (button == BS_CHECKBOX || button == BS_AUTOCHECKBOX);
    else if (kind == "edit")
        ok = cls == "edit";
    else if (kind == "static")
        ok = cls == "static";
    else if (kind == "listbox")
        ok = cls == "listbox";
    if (ok)
        return "";
    char buf[120];
    std::snprintf(buf, sizeof buf, "class %s, button style %ld", cls.c_str(), static_cast<long>(button));
    return buf;
}

// A shown-only field: a read-only edit, or one made disabled (the toolkit
// makes no read-only edit from a window description).
bool RefusesTyping(HWND edit)
{
    return (GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY) != 0 || !IsWindowEnabled(edit);
}

// The pages and sub-panes with their parents and design rectangles, in the
// order the shell makes them.
struct PaneSpec {
    int id;
    int parent;      // 101 the main window, else the parent pane
    RUV_RECT design; // left, top, right, bottom in the parent's client area
};

RUV_RECT Rect(int l, int t, int r, int b)
{
    RUV_RECT x{};
    x.left = static_cast<int16_t>(l);
    x.top = static_cast<int16_t>(t);
    x.right = static_cast<int16_t>(r);
    x.bottom = static_cast<int16_t>(b);
    return x;
}

const std::vector<PaneSpec> &Panes()
{
    static const std::vector<PaneSpec> panes = {
        { 106, 101, Rect(180, 10, 780, 456) }, { 102, 101, Rect(180, 10, 780, 456) },
        { 119, 101, Rect(180, 10, 780, 456) }, { 104, 101, Rect(180, 10, 780, 456) },
        { 185, 101, Rect(180, 10, 780, 456) }, { 108, 101, Rect(180, 10, 780, 456) },
        { 127, 101, Rect(176, 10, 780, 490) }, { 166, 101, Rect(180, 10, 780, 456) },
        { 142, 101, Rect(180, 10, 780, 456) }, { 168, 101, Rect(180, 10, 780, 456) },
        { 144, 101, Rect(180, 10, 780, 456) }, { 111, 101, Rect(180, 10, 880, 600) },
        { 128, 127, Rect(0, 70, 700, 700) },   { 183, 127, Rect(0, 70, 700, 456) },
        { 184, 183, Rect(0, 70, 700, 456) },   { 130, 183, Rect(0, 70, 700, 456) },
        { 132, 127, Rect(0, 70, 700, 550) },   { 134, 127, Rect(0, 70, 700, 600) },
        { 140, 127, Rect(0, 70, 700, 600) },   { 180, 127, Rect(0, 70, 700, 600) },
        { 177, 111, Rect(0, 280, 580, 560) },  { 156, 111, Rect(0, 280, 580, 560) },
    };
    return panes;
}

// Top-level windows the shell makes under the task window.
const int kFloatingWindows[] = { 148, 146, 174, 186 };
// Native dialogs: the About box and the toolkit's boxes.
const int kNativeDialogs[] = { 181, 9050, 9051, 9052, 9053, 9059 };

// Every window of the editor, made from the resources as the shell makes
// them, and destroyed with the set.
class EditorWindows
{
  public:
    explicit EditorWindows(RUV_WIN task)
    {
        made_[101] = ruv_win_create_res(101, task, nullptr, ruvcm_null_handler, RUV_EVENT_MASK_ALL);
        for (const PaneSpec &p : Panes()) {
            const RUV_WIN parent = made_[p.parent];
            made_[p.id] = parent == NULL_WIN
                              ? NULL_WIN
                              : CreateChildPaneEx(parent, p.id, ruvcm_null_handler, p.design.left, p.design.top,
                                                  p.design.right, p.design.bottom, nullptr);
        }
        for (int id : kFloatingWindows)
            made_[id] = ruv_win_create_res(id, task, nullptr, ruvcm_null_handler, RUV_EVENT_MASK_ALL);
        for (int id : kNativeDialogs)
            dialogs_[id] = CreateDialogParamA(
                GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    }
    ~EditorWindows()
    {
        for (auto &d : dialogs_)
            if (d.second)
                DestroyWindow(d.second);
        for (int id : kFloatingWindows)
            if (made_[id] != NULL_WIN)
                ruv_vobj_destroy(made_[id]);
        if (made_[101] != NULL_WIN)
            ruv_vobj_destroy(made_[101]);
    }
    EditorWindows(const EditorWindows &) = delete;
    EditorWindows &operator=(const EditorWindows &) = delete;

    RUV_WIN win(int id) const
    {
        auto it = made_.find(id);
        return it == made_.end() ? NULL_WIN : it->second;
    }
    // The native window of a toolkit window or native dialog; NULL when it
    // was not made.
    HWND hwnd(int id) const
    {
        auto d = dialogs_.find(id);
        if (d != dialogs_.end())
            return d->second;
        const RUV_WIN w = win(id);
        return w == NULL_WIN ? nullptr : NativeOf(w);
    }
    std::vector<int> toolkit_ids() const
    {
        std::vector<int> ids;
        for (auto &m : made_)
            ids.push_back(m.first);
        return ids;
    }

private:
    std::map<int, RUV_WIN> made_;
    std::map<int, HWND> dialogs_;
};

// The program's task window has no native window, so its top-level
// windows are detached documents with menu bars of their own; the fixture's
// task window has one, and the screen stands in for the program's.
RUV_WIN TopLevelParent()
{
    return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
}

// The direct children of a window.
std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> out;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        out.push_back(c);
    return out;
}

std::string Where(const ControlRow &r)
{
    return "window " + std::to_string(r.window) + " control " + std::to_string(r.id) + " (" + r.kind + ", " + r.area +
           ")";
}

bool IsMenuRow(const ControlRow &r)
{
    return r.kind == "menu_item";
}

TEST(WindowResources, EveryTableControlIsInItsWindowWithItsKindStateAndText)
{
    const std::vector<ControlRow> rows = LoadControlTable();
    ASSERT_GT(rows.size(), 200u) << "control table not read";
    in_app([&rows] {
        Recorder rec;
        EditorWindows w(TopLevelParent());
        for (const ControlRow &r : rows) {
            if (IsMenuRow(r))
                continue;
            const HWND parent = w.hwnd(r.window);
            ASSERT_NE(parent, nullptr) << "window " << r.window << " was not made";
            const HWND ctl = GetDlgItem(parent, r.id);
            ASSERT_NE(ctl, nullptr) << Where(r) << " is missing";
            EXPECT_EQ(KindMismatch(ctl, r.kind), "") << Where(r);
            if (r.kind == "edit") {
                EXPECT_EQ(RefusesTyping(ctl), r.state == "readonly") << Where(r);
            }
            if (!r.text.empty()) {
                EXPECT_EQ(WindowText(ctl), r.text) << Where(r);
            }
        }
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(WindowResources, TableNamesEveryControlOnceAndControlsStayInsideTheirWindow)
{
    const std::vector<ControlRow> rows = LoadControlTable();
    std::map<int, std::set<int>> table;
    for (const ControlRow &r : rows) {
        if (!IsMenuRow(r)) {
            EXPECT_TRUE(table[r.window].insert(r.id).second) << Where(r) << " is listed twice";
        }
    }
    in_app([&table] {
        Recorder rec;
        EditorWindows w(TopLevelParent());
        const std::vector<int> ids = w.toolkit_ids();
        const std::set<int> panes(ids.begin(), ids.end());
        for (int id : ids) {
            const HWND parent = w.hwnd(id);
            ASSERT_NE(parent, nullptr) << "window " << id << " was not made";
            RECT client{};
            GetClientRect(parent, &client);
            std::map<int, int> seen;
            for (HWND c : Children(parent)) {
                const int cid = GetDlgCtrlID(c);
                if (panes.count(cid))
                    continue; // a page or sub-pane inside this window
                // Labels carry no id.
                if (cid == 0 || cid == 0xFFFF)
                    continue;
                ++seen[cid];
                EXPECT_TRUE(table[id].count(cid)) << "window " << id << " control " << cid << " (" << WindowText(c)
                                                  << ") is not in the control table";
                RECT r{};
                GetWindowRect(c, &r);
                MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
                EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                            r.bottom <= client.bottom)
                    << "window " << id << " control " << cid << " at " << r.left << "," << r.top << "-" << r.right
                    << "," << r.bottom << " outside the client area " << client.right << "x" << client.bottom;
            }
            for (auto &s : seen)
                EXPECT_EQ(s.second, 1) << "window " << id << " has " << s.second << " controls with id " << s.first;
        }
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(WindowResources, PanesLandOnTheirDesignRectanglesUnderTheirResourceIds)
{
    in_app([] {
        Recorder rec;
        EditorWindows w(TopLevelParent());
        for (const PaneSpec &p : Panes()) {
            const HWND pane = w.hwnd(p.id);
            ASSERT_NE(pane, nullptr) << "pane " << p.id;
            EXPECT_EQ(GetDlgCtrlID(pane), p.id);
            EXPECT_EQ(GetParent(pane), w.hwnd(p.parent)) << "pane " << p.id;
            RECT r{};
            GetWindowRect(pane, &r);
            MapWindowPoints(nullptr, w.hwnd(p.parent), reinterpret_cast<POINT *>(&r), 2);
            EXPECT_EQ(r.left, p.design.left) << "pane " << p.id;
            EXPECT_EQ(r.top, p.design.top) << "pane " << p.id;
            EXPECT_EQ(r.right, p.design.right) << "pane " << p.id;
            EXPECT_EQ(r.bottom, p.design.bottom) << "pane " << p.id;
        }
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(WindowResources, TimeTableWindowsStartHiddenWithDistinctTitlesAndTheTableMenu)
{
    in_app([] {
        Recorder rec;
        EditorWindows w(TopLevelParent());
        std::set<std::string> titles;
        for (int id : kFloatingWindows) {
            const HWND h = w.hwnd(id);
            ASSERT_NE(h, nullptr) << "window " << id;
            EXPECT_TRUE(titles.insert(WindowText(h)).second)
                << "window " << id << " repeats the title " << WindowText(h);
            // The three sub-pane windows wait to be shown; the table editor
            // is made when it is wanted.
            EXPECT_EQ(IsWindowVisible(h) != FALSE, id == 186) << "window " << id;
            const bool tableMenu = id == 148 || id == 174;
            EXPECT_EQ(GetMenu(h) != nullptr, tableMenu) << "window " << id;
        }
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(WindowResources, MenusCarryTheirItemsTextsAndGreyedStates)
{
    const std::vector<ControlRow> rows = LoadControlTable();
    in_app([&rows] {
        Recorder rec;
        EditorWindows w(TopLevelParent());
        std::map<int, std::vector<HMENU>> menus = {
            { MAIN_MENU, { GetMenu(w.hwnd(101)) } },
            { TABLE_MENU, { GetMenu(w.hwnd(148)), GetMenu(w.hwnd(174)) } },
        };
        int checked = 0;
        for (const ControlRow &r : rows) {
            if (!IsMenuRow(r))
                continue;
            ASSERT_TRUE(menus.count(r.window)) << "menu " << r.window;
            for (HMENU m : menus[r.window]) {
                ASSERT_NE(m, nullptr) << "menu " << r.window;
                char buf[100] = "";
                GetMenuStringA(m, static_cast<UINT>(r.id), buf, sizeof buf, MF_BYCOMMAND);
                EXPECT_EQ(std::string(buf), r.text) << "menu " << r.window << " tag " << r.id;
                const UINT state = GetMenuState(m, static_cast<UINT>(r.id), MF_BYCOMMAND);
                ASSERT_NE(state, static_cast<UINT>(-1)) << "menu " << r.window << " has no tag " << r.id;
                EXPECT_EQ((state & MF_GRAYED) != 0, r.state == "greyed") << "menu " << r.window << " tag " << r.id;
                ++checked;
            }
        }
        EXPECT_EQ(checked, 12 + 2 * 4);
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

// The controls that the pages' focus orders name take the focus.
TEST(WindowResources, FocusOrdersNameControlsThatTakeTheFocus)
{
    const std::map<int, std::vector<int>> orders = {
        { 106, { 2, 3, 4 } },
        { 102, { 10 } },
        { 119, { 1, 2, 3, 4, 5, 6, 12, 8, 9 } },
        { 104, { 11, 12 } },
        { 185, { 1, 2, 3 } },
        { 108, { 2, 3, 4, 5, 6, 10, 9 } },
        { 127, { 2, 3, 4, 5 } },
        { 166, { 1, 3, 4, 17, 6, 7, 8, 12, 19, 14, 15, 24, 25 } },
        { 142, { 1, 3, 4, 17, 6, 7, 8, 12, 19, 14, 15 } },
        { 144, { 1, 3, 4, 6, 7, 8 } },
        { 111, { 9, 10, 11, 12, 13, 14, 21, 22, 24 } },
        { 128, { 2 } },
        { 183, { 2, 3 } },
        { 184, { 12, 11, 4, 5, 6 } },
        { 130, { 2, 8, 9 } },
        { 132, { 6, 7, 8, 9, 10, 19 } },
        { 180, { 39, 23, 24, 25, 26, 27, 28, 33, 36, 13, 29, 14, 5, 1 } },
        { 177, { 2, 3, 4, 1, 5, 8 } },
        { 156, { 2 } },
    };
    in_app([&orders] {
        Recorder rec;
        EditorWindows w(TopLevelParent());
        for (const auto &o : orders) {
            for (int id : o.second) {
                const HWND ctl = GetDlgItem(w.hwnd(o.first), id);
                ASSERT_NE(ctl, nullptr) << "window " << o.first << " control " << id;
                EXPECT_NE(ClassOf(ctl), "static") << "window " << o.first << " control " << id;
                EXPECT_FALSE(ClassOf(ctl) == "edit" && RefusesTyping(ctl))
                    << "window " << o.first << " control " << id << " is read-only";
            }
        }
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(WindowResources, NativeResourcesOfTheProgram)
{
    in_app([] {
        Recorder rec;
        const HMODULE self = GetModuleHandleA(nullptr);
        char name[32] = "";
        EXPECT_GT(LoadStringA(self, 30399, name, sizeof name), 0);
        EXPECT_STREQ(name, "Quarnex");
        EXPECT_NE(LoadAcceleratorsA(self, MAKEINTRESOURCEA(9001)), nullptr);
        EXPECT_NE(LoadIconA(self, MAKEINTRESOURCEA(9012)), nullptr);

        EditorWindows w(TopLevelParent());
        for (int id : kNativeDialogs)
            EXPECT_NE(w.hwnd(id), nullptr) << "dialog " << id;
        const HWND about = w.hwnd(181);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(WindowText(about), "About TRAZ-GUI");
        bool product = false, version = false;
        for (HWND c : Children(about)) {
            product |= WindowText(c) == "Quarnex TRAZ-GUI";
            version |= WindowText(c) == "Version";
        }
        EXPECT_TRUE(product);
        EXPECT_TRUE(version);

        // The toolkit makes the About box from the same resource and takes
        // its version field as a control.
        const RUV_WIN dlg = ruv_dlg_create_res(11, 181, RUV_EVENT_MASK_ALL, ruvcm_null_handler, nullptr);
        ASSERT_NE(dlg, NULL_WIN);
        EXPECT_NE(ruv_win_get_ctl(dlg, 5), NULL_WIN);
        EXPECT_NE(ruv_win_get_ctl(dlg, 1), NULL_WIN);
        ruv_vobj_destroy(dlg);
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

} // namespace
