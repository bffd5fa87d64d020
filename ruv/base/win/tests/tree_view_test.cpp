// Tree views on real windows: a new tree with nothing to show (no pixmap,
// no bars), rows drawn and read back as pixels, clicks and double clicks
// by real mouse input, keys by real keyboard input, the scroll bars and
// their scrolling, the type-27 notifications to the parent, and nodes
// removed or destroyed under a tree that never come back as rows.
#include <string>
#include <vector>

#include "control_window_test_support.h"
#include "draw_state.h"
#include "native_controls.h"
#include "ruvv_app.h"
#include "ruvv_image.h"
#include "ruvv_treeview.h"
#include "window_services.h"

namespace {

constexpr int16_t kLine = 20;
constexpr int32_t kId = 4711;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSelection = RGB(0, 0, 0x80);

COLORREF pixel(HWND hwnd, int x, int y)
{
    ruvk_draw_release_cached();
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

// Pixels of a row's band (left part, away from the frame) that are c, or
// (other) that are not c.
int count_in_row(HWND hwnd, int row, COLORREF c, bool other = false)
{
    ruvk_draw_release_cached();
    HDC dc = GetDC(hwnd);
    int n = 0;
    for (int y = row * kLine + 1; y < (row + 1) * kLine - 1; ++y)
        for (int x = 2; x < 150; ++x)
            n += (GetPixel(dc, x, y) == c) != other;
    ReleaseDC(hwnd, dc);
    return n;
}

bool row_drawn(HWND hwnd, int row)
{
    return count_in_row(hwnd, row, kWhite, true) > 0;
}

struct Note {
    RUV_TREE_NODE *node;
    int16_t flags;
    int32_t id;
    RUV_WIN ctl;
};

std::vector<Note> notes(RUV_WIN parent)
{
    std::vector<Note> out;
    for (const et::Seen &s : et::seen())
        if (s.win == parent && s.ev.type == E_CONTROL && s.ev.v.control.type == RUV_CTL_TREE_VIEW)
            out.push_back({s.ev.v.control.data.tree.node, s.ev.v.control.data.tree.flags, s.ev.v.control.id,
                           s.ev.v.control.ctl});
    return out;
}

void click_at(HWND hwnd, int x, int y, bool twice = false)
{
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    SetCursorPos(p.x, p.y);
    et::pump(30);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
        et::pump(30);
    }
    et::pump(100);
}

// A click on a row; the notifications it brought.
std::vector<Note> click_row(RUV_WIN parent, RUV_WIN tree, int row, bool twice = false)
{
    std::vector<Note> got;
    et::undisturbed([&] {
        et::seen().clear();
        click_at(kt::hwnd_of(tree), 40, row * kLine + kLine / 2, twice);
        got = notes(parent);
    });
    return got;
}

// A key pressed on the focused tree; the notifications it brought.
std::vector<Note> press(RUV_WIN parent, RUV_WIN tree, int vk)
{
    std::vector<Note> got;
    const bool extended = vk == VK_UP || vk == VK_DOWN;
    et::undisturbed([&] {
        SetFocus(kt::hwnd_of(tree));
        et::pump(30);
        et::seen().clear();
        et::keys({vk, -vk}, extended);
        et::pump(150);
        got = notes(parent);
    });
    return got;
}

std::vector<HWND> bars_of(RUV_WIN tree)
{
    std::vector<HWND> bars;
    EnumChildWindows(
        kt::hwnd_of(tree),
        [](HWND h, LPARAM lp) {
            if (kt::class_of(h) == "ScrollBar")
                reinterpret_cast<std::vector<HWND> *>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&bars));
    return bars;
}

HWND vbar_of(RUV_WIN tree)
{
    for (HWND h : bars_of(tree))
        if (GetWindowLongPtrA(h, GWL_STYLE) & SBS_VERT)
            return h;
    return nullptr;
}

HWND hbar_of(RUV_WIN tree)
{
    for (HWND h : bars_of(tree))
        if (!(GetWindowLongPtrA(h, GWL_STYLE) & SBS_VERT))
            return h;
    return nullptr;
}

RUV_WIN bar_object(HWND h)
{
    return reinterpret_cast<RUV_WIN>(GetWindowLongPtrA(h, GWLP_USERDATA));
}

int pixmaps_under(RUV_WIN tree)
{
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    int n = 0;
    while (RUV_WIN o = ruvv_registry_iter_next(&it, ruvv_registry_filter_parent, reinterpret_cast<intptr_t>(tree)))
        n += o->type == 8;
    return n;
}

RUV_WIN make_tree(RUV_WIN parent, uint32_t attrs = RUV_TREE_SINGLE_SEL, int16_t height = 200)
{
    RUV_RECT r = {10, 10, static_cast<int16_t>(10 + height), 210};
    return ruvv_treeview_create(parent, &r, "Tree", 7, nullptr, kId, nullptr, nullptr, nullptr, attrs, kLine);
}

RUV_TREE_NODE *add(RUV_TREE_NODE *parent, const char *text, int32_t type = RUV_TREE_LEAF)
{
    RUV_TREE_NODE *n = ruvv_treeview_create_node(type, nullptr, nullptr, nullptr, text, 0, nullptr);
    EXPECT_TRUE(ruvv_treeview_add_child_node(parent, n));
    return n;
}

class TreeView : public testing::Test {
protected:
    void run(std::function<void(RUV_WIN)> body)
    {
        cw::run_in_window("Trees", RUV_RECT{40, 40, 340, 400}, et::record, body);
    }
};

TEST_F(TreeView, ANewTreeShowsNothingWithoutAPixmapOrBars)
{
    run([](RUV_WIN w) {
        RUV_WIN tree = make_tree(w);
        ASSERT_NE(tree, nullptr);
        et::pump(100);
        RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
        ASSERT_NE(root, nullptr);
        char text[32];
        EXPECT_STREQ(ruvv_treeview_get_node_string(root, text, sizeof text), "Root Node");
        EXPECT_EQ(ruvv_treeview_get_node_type(root), RUV_TREE_BRANCH);
        EXPECT_EQ(pixmaps_under(tree), 0);
        ASSERT_EQ(bars_of(tree).size(), 2u);
        for (HWND b : bars_of(tree))
            EXPECT_FALSE(IsWindowVisible(b));
        EXPECT_FALSE(row_drawn(kt::hwnd_of(tree), 0));
        // Redrawing and updating an empty tree stays as it is.
        ruvv_treeview_update(tree);
        InvalidateRect(kt::hwnd_of(tree), nullptr, TRUE);
        et::pump(100);
        EXPECT_EQ(pixmaps_under(tree), 0);
        EXPECT_TRUE(ruvv_vobj_is_valid(tree));
        // Its rows come with its first node, its pixmap with them.
        add(root, "Alpha");
        ruvv_treeview_update(tree);
        EXPECT_EQ(pixmaps_under(tree), 1);
        EXPECT_TRUE(row_drawn(kt::hwnd_of(tree), 0));
        EXPECT_EQ(pixel(kt::hwnd_of(tree), 100, 150), kWhite);
    });
}

TEST_F(TreeView, ClicksSelectRowsAndTellTheParent)
{
    run([](RUV_WIN w) {
        RUV_WIN tree = make_tree(w);
        RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
        RUV_TREE_NODE *a = add(root, "Alpha"), *b = add(root, "Beta"), *c = add(root, "Gamma");
        ruvv_treeview_update(tree);
        HWND h = kt::hwnd_of(tree);
        for (int row = 0; row < 3; ++row)
            EXPECT_TRUE(row_drawn(h, row)) << row;
        EXPECT_FALSE(row_drawn(h, 3));
        EXPECT_EQ(count_in_row(h, 1, kSelection), 0);

        std::vector<Note> got = click_row(w, tree, 1);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].node, b);
        EXPECT_EQ(got[0].flags, RUV_TREE_CLICK);
        EXPECT_EQ(got[0].id, kId);
        EXPECT_EQ(got[0].ctl, tree);
        EXPECT_TRUE(ruvv_treeview_node_selected(b));
        EXPECT_GT(count_in_row(h, 1, kSelection), 0);
        EXPECT_EQ(count_in_row(h, 0, kSelection), 0);

        // Below the last row: no node, no notification, the selection stays.
        EXPECT_TRUE(click_row(w, tree, 6).empty());
        EXPECT_TRUE(ruvv_treeview_node_selected(b));

        // Single selection moves; without selection a click selects nothing
        // but is still told.
        click_row(w, tree, 2);
        EXPECT_TRUE(ruvv_treeview_node_selected(c));
        EXPECT_FALSE(ruvv_treeview_node_selected(b));
        ruvv_treeview_set_attributes(tree, RUV_TREE_NO_SEL);
        got = click_row(w, tree, 0);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].node, a);
        EXPECT_FALSE(ruvv_treeview_node_selected(a) || ruvv_treeview_node_selected(b) ||
                     ruvv_treeview_node_selected(c));
        EXPECT_EQ(count_in_row(h, 2, kSelection), 0);

        // Multiple selection adds with shift held.
        ruvv_treeview_set_attributes(tree, RUV_TREE_MULTI_SEL);
        ruvv_treeview_select_node(tree, a, TRUE);
        et::undisturbed([&] {
            et::keys({VK_SHIFT});
            click_at(h, 40, 2 * kLine + kLine / 2);
            et::keys({-VK_SHIFT});
            et::pump(30);
        });
        EXPECT_TRUE(ruvv_treeview_node_selected(a));
        EXPECT_TRUE(ruvv_treeview_node_selected(c));
        EXPECT_FALSE(ruvv_treeview_node_selected(b));
        click_row(w, tree, 1);
        EXPECT_FALSE(ruvv_treeview_node_selected(a) || ruvv_treeview_node_selected(c));
    });
}

TEST_F(TreeView, DoubleClicksToggleBranchesUnlessTheirCallbackSaysNo)
{
    static int asked = 0;
    static RUV_BOOL answer = 1;
    run([](RUV_WIN w) {
        RUV_WIN tree = make_tree(w, RUV_TREE_SINGLE_SEL | RUV_TREE_LINES);
        RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
        RUV_TREE_NODE *folder = add(root, "Folder", RUV_TREE_BRANCH);
        add(folder, "One");
        RUV_TREE_NODE *two = add(folder, "Two", RUV_TREE_BRANCH);
        add(two, "Deep");
        ruvv_treeview_expand_node(two, FALSE);
        add(root, "After");
        ruvv_treeview_set_node_callback(folder, [](RUV_WIN, RUV_TREE_NODE *) {
            ++asked;
            return answer;
        });
        ruvv_treeview_update(tree);
        HWND h = kt::hwnd_of(tree);
        EXPECT_TRUE(row_drawn(h, 1));   // "After"
        EXPECT_FALSE(row_drawn(h, 2));

        std::vector<Note> got = click_row(w, tree, 0, true);
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got.front().flags, RUV_TREE_CLICK | RUV_TREE_COLLAPSED);   // the first press
        EXPECT_EQ(got.back().node, folder);
        EXPECT_EQ(got.back().flags, RUV_TREE_DOUBLE | RUV_TREE_EXPANDED);
        EXPECT_TRUE(folder->expanded);
        EXPECT_EQ(ruvv_treeview_get_node_num_vis_children(folder), 2);
        for (int row = 0; row < 5; ++row)   // Folder, One, Two, Deep, After
            EXPECT_TRUE(row_drawn(h, row)) << row;
        EXPECT_EQ(asked, 1);

        answer = 0;
        got = click_row(w, tree, 0, true);
        for (const Note &n : got)
            EXPECT_EQ(n.flags & RUV_TREE_DOUBLE, 0);
        EXPECT_TRUE(folder->expanded);

        answer = 1;
        got = click_row(w, tree, 0, true);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got.back().flags, RUV_TREE_DOUBLE | RUV_TREE_COLLAPSED);
        EXPECT_TRUE(two->expanded);   // its own flag kept while hidden
        EXPECT_TRUE(row_drawn(h, 1));
        EXPECT_FALSE(row_drawn(h, 2));
    });
}

TEST_F(TreeView, KeysMoveTheSelectionWithinTheRows)
{
    run([](RUV_WIN w) {
        RUV_WIN tree = make_tree(w);
        RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
        RUV_TREE_NODE *a = add(root, "Alpha"), *b = add(root, "Beta");
        RUV_TREE_NODE *c = add(root, "Gamma", RUV_TREE_BRANCH);
        RUV_TREE_NODE *d = add(c, "Delta");
        ruvv_treeview_update(tree);

        // Nothing selected: the arrows select nothing.
        EXPECT_TRUE(press(w, tree, VK_DOWN).empty());
        EXPECT_TRUE(press(w, tree, VK_UP).empty());
        for (RUV_TREE_NODE *n : {a, b, c})
            EXPECT_FALSE(ruvv_treeview_node_selected(n));

        struct Step {
            int vk;
            RUV_TREE_NODE *told;    // nullptr: no notification
            int16_t flags;
            RUV_TREE_NODE *selected;
        };
        ruvv_treeview_select_node(tree, a, TRUE);
        const Step steps[] = {
            {VK_UP, nullptr, 0, a},   // at the top
            {VK_DOWN, b, 0, b},
            {VK_DOWN, c, RUV_TREE_COLLAPSED, c},
            {VK_DOWN, nullptr, 0, c}, // at the bottom
            {VK_RETURN, c, RUV_TREE_EXPANDED, c},
            {VK_DOWN, d, 0, d},
            {VK_UP, c, RUV_TREE_EXPANDED, c},
        };
        for (const Step &s : steps) {
            std::vector<Note> got = press(w, tree, s.vk);
            if (s.told) {
                ASSERT_EQ(got.size(), 1u) << s.vk;
                EXPECT_EQ(got[0].node, s.told);
                EXPECT_EQ(got[0].flags, s.flags);
            } else {
                EXPECT_TRUE(got.empty()) << s.vk;
            }
            EXPECT_TRUE(ruvv_treeview_node_selected(s.selected));
        }
        EXPECT_GT(count_in_row(kt::hwnd_of(tree), 2, kSelection), 0);

        // Keys need single selection.
        ruvv_treeview_set_attributes(tree, RUV_TREE_MULTI_SEL);
        EXPECT_TRUE(press(w, tree, VK_DOWN).empty());
    });
}

TEST_F(TreeView, ScrollBarsShowWhatDoesNotFitAndScrollIt)
{
    run([](RUV_WIN w) {
        RUV_WIN tree = make_tree(w);
        RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
        std::vector<RUV_TREE_NODE *> rows;
        ruvv_treeview_suspend(tree);
        for (int i = 0; i < 30; ++i)
            rows.push_back(add(root, ("Row " + std::to_string(i)).c_str()));
        ruvv_treeview_select_node(tree, rows[1], TRUE);   // suspended: no drawing
        EXPECT_EQ(pixmaps_under(tree), 0);
        ruvv_treeview_resume(tree);
        HWND h = kt::hwnd_of(tree), vb = vbar_of(tree), hb = hbar_of(tree);
        ASSERT_TRUE(vb && hb);
        EXPECT_TRUE(IsWindowVisible(vb));
        EXPECT_FALSE(IsWindowVisible(hb));
        RUV_WIN vbar = bar_object(vb);
        int32_t lo = -1, hi = -1;
        ruvk_sbar_get_range(vbar, 0, &lo, &hi);
        EXPECT_EQ(lo, 0);
        EXPECT_EQ(hi, 30 * kLine);
        EXPECT_EQ(ruvk_sbar_get_pos(vbar, 0), 0);
        EXPECT_GT(count_in_row(h, 1, kSelection), 0);

        // A line down moves by one row: the selected row is now the first.
        SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(vb));
        et::pump(50);
        EXPECT_EQ(ruvk_sbar_get_pos(vbar, 0), kLine);
        EXPECT_GT(count_in_row(h, 0, kSelection), 0);
        EXPECT_EQ(count_in_row(h, 1, kSelection), 0);
        // Pages end at the range less the page.
        for (int i = 0; i < 10; ++i)
            SendMessageA(h, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(vb));
        et::pump(50);
        const int32_t page = ruvk_sbar_get_proportion(vbar, 0);
        EXPECT_GT(page, 0);
        EXPECT_EQ(ruvk_sbar_get_pos(vbar, 0), 30 * kLine - page);
        SendMessageA(h, WM_VSCROLL, SB_TOP, reinterpret_cast<LPARAM>(vb));
        et::pump(50);
        EXPECT_EQ(ruvk_sbar_get_pos(vbar, 0), 0);

        // The selection moved below the view by keys scrolls it in.
        const int visible = page / kLine;
        ruvv_treeview_select_node(tree, rows[visible - 1], TRUE);
        std::vector<Note> got = press(w, tree, VK_DOWN);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].node, rows[visible]);
        EXPECT_EQ(ruvk_sbar_get_pos(vbar, 0), kLine);

        // A text wider than the view brings the other bar.
        ruvv_treeview_set_node_string(rows[0], std::string(80, 'W').c_str());
        ruvv_treeview_update(tree);
        EXPECT_TRUE(IsWindowVisible(hb));
        RUV_WIN hbar = bar_object(hb);
        SendMessageA(h, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(hb));
        et::pump(50);
        EXPECT_EQ(ruvk_sbar_get_pos(hbar, 0), 1);

        // With every row gone, both bars go.
        for (RUV_TREE_NODE *n : rows)
            ruvv_treeview_destroy_node(n);
        ruvv_treeview_update(tree);
        EXPECT_FALSE(IsWindowVisible(vb));
        EXPECT_FALSE(IsWindowVisible(hb));
        EXPECT_EQ(pixmaps_under(tree), 0);
    });
}

TEST_F(TreeView, RemovedAndDestroyedNodesAreNeverRowsAgain)
{
    kt::MemCount::install(true);   // freed nodes are filled: a read of one shows
    run([](RUV_WIN w) {
        RUV_WIN tree = make_tree(w);
        RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
        RUV_TREE_NODE *a = add(root, "Alpha"), *b = add(root, "Beta", RUV_TREE_BRANCH);
        add(b, "Under Beta");
        ruvv_treeview_expand_node(b, FALSE);
        RUV_TREE_NODE *c = add(root, "Gamma");
        ruvv_treeview_update(tree);
        click_row(w, tree, 0);
        ASSERT_TRUE(ruvv_treeview_node_selected(a));

        // Beta and its child go without a redraw: the next row is Gamma.
        ruvv_treeview_destroy_node(b);
        std::vector<Note> got = press(w, tree, VK_DOWN);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].node, c);
        // Rows 2 and 3 are gone even where the old picture still shows them.
        EXPECT_TRUE(click_row(w, tree, 2).empty());
        EXPECT_TRUE(click_row(w, tree, 3).empty());

        // Gamma is taken out (not freed): its row is gone, it is no longer
        // the tree's.
        ruvv_treeview_remove_child_node(c);
        EXPECT_TRUE(click_row(w, tree, 1).empty());
        EXPECT_EQ(ruvv_treeview_get_node_num_children(root), 1);
        EXPECT_EQ(press(w, tree, VK_DOWN).size(), 0u);
        ruvv_treeview_destroy_node(c);

        // The tree's own root stays with its tree.
        ruvv_treeview_destroy_node(root);
        EXPECT_EQ(ruvv_treeview_get_root_node(tree), root);
        got = click_row(w, tree, 0);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].node, a);
    });
}

TEST_F(TreeView, ATreeGivesBackAllItsMemoryWithItsWindow)
{
    kt::MemCount::install(false);
    run([](RUV_WIN w) {
        RUV_IMAGE *img = ruvv_image_create(RUV_IMAGE_DIRECT, 8, 8);
        // A first tree warms up whatever the kernel keeps for the process.
        ruvk_vobj_destroy(make_tree(w));
        et::pump(50);
        const long before = kt::MemCount::outstanding();
        RUV_RECT r = {10, 10, 110, 110};
        RUV_WIN tree = ruvv_treeview_create(w, &r, "Tree", 0, nullptr, 1, img, img, img,
                                            RUV_TREE_SINGLE_SEL | RUV_TREE_LINES, 0);
        ASSERT_NE(tree, nullptr);
        RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
        for (int i = 0; i < 12; ++i) {
            RUV_TREE_NODE *b = ruvv_treeview_create_node(RUV_TREE_BRANCH, img, img, img, "Branch", i, nullptr);
            ruvv_treeview_add_child_node(root, b);
            ruvv_treeview_add_child_node(b, ruvv_treeview_create_node(RUV_TREE_LEAF, img, nullptr, nullptr, "Leaf", 0,
                                                                      nullptr));
            ruvv_treeview_expand_node(b, FALSE);
        }
        ruvv_treeview_update(tree);
        EXPECT_EQ(pixmaps_under(tree), 1);
        EXPECT_GT(kt::MemCount::outstanding(), before);
        ruvk_vobj_destroy(tree);
        et::pump(50);
        EXPECT_EQ(kt::MemCount::outstanding(), before);
        ruvv_image_destroy(img);
    });
}

TEST_F(TreeView, ResizingBringsAndTakesTheBars)
{
    run([](RUV_WIN w) {
        RUV_WIN tree = make_tree(w);
        RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
        for (const char *t : {"One", "Two", "Three", "Four", "Five"})
            add(root, t);
        ruvv_treeview_update(tree);
        HWND vb = vbar_of(tree);
        EXPECT_FALSE(IsWindowVisible(vb));

        RUV_RECT small = {10, 10, 70, 210};
        ruvk_vobj_move(tree, &small);
        et::pump(100);
        EXPECT_TRUE(IsWindowVisible(vb));
        RECT client, bar;
        GetClientRect(kt::hwnd_of(tree), &client);
        GetWindowRect(vb, &bar);
        MapWindowPoints(nullptr, kt::hwnd_of(tree), reinterpret_cast<POINT *>(&bar), 2);
        EXPECT_EQ(bar.right, client.right);
        EXPECT_EQ(bar.top, 0);
        int32_t lo = -1, hi = -1;
        ruvk_sbar_get_range(bar_object(vb), 0, &lo, &hi);
        EXPECT_EQ(hi, 5 * kLine);

        RUV_RECT big = {10, 10, 210, 210};
        ruvk_vobj_move(tree, &big);
        et::pump(100);
        EXPECT_FALSE(IsWindowVisible(vb));
        EXPECT_TRUE(row_drawn(kt::hwnd_of(tree), 4));
    });
}

} // namespace
