// Tree-view nodes without a window: links and counts as children come and
// go, expansion and its counts, the type change that drops the children,
// texts copied into buffers of every size, and the "tree-dump" file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ruvv_treeview.h"

namespace {

RUV_TREE_NODE *node(const char *text, int32_t type = RUV_TREE_LEAF)
{
    return ruvv_treeview_create_node(type, nullptr, nullptr, nullptr, text, 0, nullptr);
}

std::string ptr(const void *p)
{
    char b[32];
    std::snprintf(b, sizeof b, "%p", p);
    return b;
}

TEST(TreeNodes, ChildrenLinkCountAndUnlink)
{
    RUV_TREE_NODE *top = node("top", RUV_TREE_BRANCH);
    RUV_TREE_NODE *a = node("a"), *b = node("b", RUV_TREE_BRANCH), *c = node("c");
    ASSERT_TRUE(top && a && b && c);
    EXPECT_TRUE(ruvv_treeview_add_child_node(top, a));
    EXPECT_TRUE(ruvv_treeview_add_child_node(top, b));
    EXPECT_TRUE(ruvv_treeview_add_child_node(top, c));
    EXPECT_EQ(ruvv_treeview_get_node_num_children(top), 3);
    EXPECT_EQ(ruvv_treeview_get_node_num_vis_children(top), 0);  // collapsed

    // Refusals: a leaf parent, a node under itself or its own descendant.
    RUV_TREE_NODE *d = node("d");
    EXPECT_FALSE(ruvv_treeview_add_child_node(a, d));
    EXPECT_FALSE(ruvv_treeview_add_child_node(b, b));
    EXPECT_FALSE(ruvv_treeview_add_child_node(b, top));
    EXPECT_TRUE(ruvv_treeview_add_child_node(b, d));

    for (int32_t i : {-1, 3, 100})
        EXPECT_EQ(ruvv_treeview_get_child_node(top, i), nullptr) << i;
    EXPECT_EQ(ruvv_treeview_get_child_node(top, 0), a);
    EXPECT_EQ(ruvv_treeview_get_child_node(top, 2), c);
    EXPECT_EQ(ruvv_treeview_get_parent_node(d), b);

    ruvv_treeview_expand_node(top, FALSE);
    EXPECT_EQ(ruvv_treeview_get_node_num_vis_children(top), 3);
    ruvv_treeview_remove_child_node(b);   // from the middle
    EXPECT_EQ(ruvv_treeview_get_node_num_children(top), 2);
    EXPECT_EQ(ruvv_treeview_get_node_num_vis_children(top), 2);
    EXPECT_EQ(a->next, c);
    EXPECT_EQ(c->previous, a);
    EXPECT_EQ(b->parent, nullptr);
    EXPECT_EQ(ruvv_treeview_get_child_node(b, 0), d);  // b keeps its own

    // A child moved to another parent leaves the first one.
    EXPECT_TRUE(ruvv_treeview_add_child_node(b, a));
    EXPECT_EQ(ruvv_treeview_get_node_num_children(top), 1);
    EXPECT_EQ(top->child, c);
    EXPECT_EQ(ruvv_treeview_get_node_num_children(b), 2);

    ruvv_treeview_destroy_node(b);   // with d and a
    ruvv_treeview_destroy_node(top);
}

TEST(TreeNodes, CollapsingHidesDescendantsAndKeepsTheirFlags)
{
    RUV_TREE_NODE *top = node("top", RUV_TREE_BRANCH);
    RUV_TREE_NODE *mid = node("mid", RUV_TREE_BRANCH);
    RUV_TREE_NODE *low = node("low", RUV_TREE_BRANCH);
    ruvv_treeview_add_child_node(top, mid);
    ruvv_treeview_add_child_node(mid, low);
    ruvv_treeview_add_child_node(low, node("leaf"));

    ruvv_treeview_expand_node(top, TRUE);
    EXPECT_TRUE(top->expanded && mid->expanded && low->expanded);
    EXPECT_EQ(ruvv_treeview_get_node_num_vis_children(low), 1);
    ruvv_treeview_collapse_node(top, FALSE);
    EXPECT_EQ(ruvv_treeview_get_node_num_vis_children(top), 0);
    EXPECT_TRUE(mid->expanded && low->expanded);
    ruvv_treeview_collapse_node(top, TRUE);
    EXPECT_FALSE(mid->expanded || low->expanded);

    // Leaves do not expand.
    RUV_TREE_NODE *leaf = low->child;
    ruvv_treeview_expand_node(leaf, FALSE);
    EXPECT_FALSE(leaf->expanded);

    // A type change collapses and drops every child.
    ruvv_treeview_expand_node(mid, TRUE);
    ruvv_treeview_set_node_type(mid, RUV_TREE_LEAF);
    EXPECT_EQ(ruvv_treeview_get_node_type(mid), RUV_TREE_LEAF);
    EXPECT_EQ(ruvv_treeview_get_node_num_children(mid), 0);
    EXPECT_EQ(mid->child, nullptr);
    EXPECT_FALSE(mid->expanded);
    ruvv_treeview_destroy_node(top);
}

TEST(TreeNodes, TextsFitTheirBuffersAndAreTerminated)
{
    RUV_TREE_NODE *n = node("abcdef");
    struct Case {
        int32_t size;
        const char *expect;
    };
    const Case cases[] = {{1, ""}, {2, "a"}, {6, "abcde"}, {7, "abcdef"}, {64, "abcdef"}};
    for (const Case &c : cases) {
        char buf[64];
        std::memset(buf, 'x', sizeof buf);
        EXPECT_EQ(ruvv_treeview_get_node_string(n, buf, c.size), buf);
        EXPECT_STREQ(buf, c.expect) << c.size;
        if (c.size < 64) {
            EXPECT_EQ(buf[c.size], 'x') << "written past " << c.size;
        }
    }
    char keep[4] = "zz";
    ruvv_treeview_get_node_string(n, keep, 0);   // no room: untouched
    EXPECT_STREQ(keep, "zz");

    ruvv_treeview_set_node_string(n, "new");
    char buf[8];
    EXPECT_STREQ(ruvv_treeview_get_node_string(n, buf, sizeof buf), "new");
    ruvv_treeview_set_node_string(n, nullptr);
    EXPECT_STREQ(ruvv_treeview_get_node_string(n, buf, sizeof buf), "");
    ruvv_treeview_set_node_data(n, 42);
    EXPECT_EQ(ruvv_treeview_get_node_data(n), 42);
    ruvv_treeview_destroy_node(n);
}

TEST(TreeNodes, DumpWritesAddressesAndIndentsChildren)
{
    namespace fs = std::filesystem;
    const fs::path old = fs::current_path();
    const fs::path dir = fs::temp_directory_path() / ("tree_dump_" + ptr(&old));
    fs::create_directories(dir);
    fs::current_path(dir);

    RUV_TREE_NODE *top = node("top", RUV_TREE_BRANCH);
    RUV_TREE_NODE *kid = node("kid");
    ruvv_treeview_add_child_node(top, kid);
    ruvv_treeview_dump_node(top, 0);
    ruvv_treeview_dump_node(kid, -1);   // no rule above, no children

    std::ifstream in("tree-dump");
    std::stringstream got;
    got << in.rdbuf();
    const std::string expect = "------------------------------\n"
                               "Node: " + ptr(top) + "\n"
                               "Node->string: top\n"
                               "Node->parent: " + ptr(nullptr) + "\n"
                               "Node->child: " + ptr(kid) + "\n"
                               "Node->previous: " + ptr(nullptr) + "\n"
                               "Node->next: " + ptr(nullptr) + "\n"
                               "\tNode: " + ptr(kid) + "\n"
                               "\tNode->string: kid\n"
                               "\tNode->parent: " + ptr(top) + "\n"
                               "\tNode->child: " + ptr(nullptr) + "\n"
                               "\tNode->previous: " + ptr(nullptr) + "\n"
                               "\tNode->next: " + ptr(nullptr) + "\n"
                               "------------------------------\n"
                               "Node: " + ptr(kid) + "\n"
                               "Node->string: kid\n"
                               "Node->parent: " + ptr(top) + "\n"
                               "Node->child: " + ptr(nullptr) + "\n"
                               "Node->previous: " + ptr(nullptr) + "\n"
                               "Node->next: " + ptr(nullptr) + "\n";
    EXPECT_EQ(got.str(), expect);
    in.close();
    ruvv_treeview_destroy_node(top);
    fs::current_path(old);
    fs::remove_all(dir);
}

} // namespace
