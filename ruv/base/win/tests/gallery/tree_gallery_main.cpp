// The tree gallery: a toolkit program (with the control gallery's
// resources) with one window holding two tree
// views (one with connecting lines and images, a selected row and more
// rows than fit, one plain), for a screenshot.  Given a number of seconds
// as its argument it ends when they have passed.
#include <cstdlib>
#include <string>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_image.h"
#include "ruvv_treeview.h"
#include "startup.h"
#include "window_create.h"

namespace {

void quit_app()
{
    if (RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)))
        ruvk_vobj_destroy(task);
}

void CALLBACK time_up(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    quit_app();
}

// A square of one colour with a dark border.
RUV_IMAGE *square(RUV_COLOR color, int side)
{
    RUV_IMAGE *img = ruvv_image_create(RUV_IMAGE_DIRECT, side, side);
    if (!img)
        return nullptr;
    RUV_RECT all = {0, 0, static_cast<int16_t>(side), static_cast<int16_t>(side)};
    ruvv_image_fill_rect(img, 0x00303030, &all);
    RUV_RECT inner = {1, 1, static_cast<int16_t>(side - 1), static_cast<int16_t>(side - 1)};
    ruvv_image_fill_rect(img, color, &inner);
    return img;
}

RUV_TREE_NODE *add(RUV_TREE_NODE *parent, const char *text, int32_t type = RUV_TREE_LEAF)
{
    RUV_TREE_NODE *n = ruvv_treeview_create_node(type, nullptr, nullptr, nullptr, text, 0, nullptr);
    ruvv_treeview_add_child_node(parent, n);
    return n;
}

bool open_window()
{
    RUV_RECT r = {40, 40, 400, 600};
    RUV_WIN w = ruvk_win_create(1, &r, "Tree views", 0, reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)),
                                0x803, RUV_EVENT_MASK_ALL, [](RUV_WIN, RUV_EVENT *) { return 0; }, nullptr);
    if (!w)
        return false;
    RUV_IMAGE *leaf = square(0x0040A040, 10), *shut = square(0x00E0C040, 12), *open = square(0x004080E0, 12);
    RUV_RECT tr = {10, 10, 340, 280};
    RUV_WIN tree = ruvv_treeview_create(w, &tr, "Scenario", 0, nullptr, 1, leaf, shut, open,
                                        RUV_TREE_SINGLE_SEL | RUV_TREE_LINES, 0);
    RUV_RECT pr = {10, 300, 200, 540};
    RUV_WIN plain = ruvv_treeview_create(w, &pr, "Plain", 0, nullptr, 2, nullptr, nullptr, nullptr,
                                         RUV_TREE_SINGLE_SEL | RUV_TREE_SHOW_ROOT, 0);
    for (RUV_IMAGE *img : {leaf, shut, open})
        if (img)
            ruvv_image_destroy(img);
    if (!tree || !plain)
        return false;

    ruvv_treeview_suspend(tree);
    RUV_TREE_NODE *root = ruvv_treeview_get_root_node(tree);
    const char *groups[] = {"Substances", "Releases", "Observation points", "Output"};
    RUV_TREE_NODE *pick = nullptr;
    for (const char *g : groups) {
        RUV_TREE_NODE *b = add(root, g, RUV_TREE_BRANCH);
        for (int i = 1; i <= 6; ++i)
            pick = add(b, (std::string(g) + " " + std::to_string(i)).c_str());
        ruvv_treeview_expand_node(b, FALSE);
    }
    RUV_TREE_NODE *nested = add(root->child, "Oil fractions", RUV_TREE_BRANCH);
    add(nested, "Light");
    add(nested, "Heavy");
    ruvv_treeview_expand_node(nested, FALSE);
    ruvv_treeview_collapse_node(root->child->next, FALSE);
    ruvv_treeview_select_node(tree, pick, TRUE);
    ruvv_treeview_resume(tree);

    RUV_TREE_NODE *proot = ruvv_treeview_get_root_node(plain);
    ruvv_treeview_expand_node(proot, FALSE);
    add(proot, "First");
    RUV_TREE_NODE *second = add(proot, "Second", RUV_TREE_BRANCH);
    add(second, "Inside");
    add(proot, "Third");
    ruvv_treeview_update(plain);
    return true;
}

int32_t task_handler(RUV_WIN, RUV_EVENT *e)
{
    if (e->type == E_CREATE && !open_window())
        quit_app();
    return 0;
}

void end_process(int32_t) {}

} // namespace

int main(int argc, char **argv)
{
    RUV_START_RECORD start{};
    start.instance = GetModuleHandleA(nullptr);
    start.command_line = GetCommandLineA();
    start.show_mode = SW_SHOWNORMAL;
    start.argc = argc;
    start.exit_callback = end_process;
    if (!ruvwi_Begin(&start))
        return 1;
    if (!ruvwi_Init(&start)) {
        ruvwi_End();
        return 1;
    }
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    if (argc > 1)
        SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[1]) * 1000), time_up);
    static RUV_APP_CONFIG config{0, 0, "trees", "trees", "Tree gallery"};
    ruvwi_ruv_system(argc, argv, 0, task_handler, &config);
    ruvwi_End();
    return 0;
}
