/* Tree views: a child window drawn by the toolkit itself, showing a tree of
   nodes (an image and a text each) with expandable branches, optional
   connecting lines, selection by mouse and keys and two scroll bars.  The
   visible rows are drawn into an off-screen pixmap that is copied to the
   window.  Clicks, double clicks and key selections reach the parent as
   E_CONTROL events of control type 27 (payload v.control.data.tree). */
#ifndef RUVV_TREEVIEW_H
#define RUVV_TREEVIEW_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_IMAGE;
struct RUV_TREE_NODE;

/* Control type of a tree view's notifications. */
#define RUV_CTL_TREE_VIEW 27

/* Node types: a branch may have children; any other type is a leaf. */
#define RUV_TREE_BRANCH 1
#define RUV_TREE_LEAF   0

/* Attribute bits. */
#define RUV_TREE_NO_BORDER   0x1u    /* window type 7 instead of 2 */
#define RUV_TREE_SHOW_ROOT   0x2u    /* the root node is a row */
#define RUV_TREE_LINES       0x20u   /* connecting lines (either bit) */
#define RUV_TREE_LINES_ALT   0x40u
#define RUV_TREE_NO_SEL      0x1000u
#define RUV_TREE_SINGLE_SEL  0x2000u /* also enables the keys */
#define RUV_TREE_MULTI_SEL   0x4000u

/* Flags of a notification. */
#define RUV_TREE_CLICK      0x1
#define RUV_TREE_DOUBLE     0x2
#define RUV_TREE_EXPANDED   0x4      /* a branch, now expanded */
#define RUV_TREE_COLLAPSED  0x8      /* a branch, now collapsed */

/* A node's callback: 0 vetoes the expand or collapse asked for. */
typedef RUV_BOOL (*RUV_TREE_CALLBACK)(RUV_WIN tree, struct RUV_TREE_NODE *node);

typedef struct RUV_TREE_NODE {
    int32_t type;                        /* RUV_TREE_BRANCH or a leaf */
    int16_t root;                        /* 1 for a tree's root node */
    struct RUV_IMAGE *item_image;        /* copies owned by the node */
    struct RUV_IMAGE *collapsed_image;
    struct RUV_IMAGE *expanded_image;
    char *text;
    int16_t expanded;
    int32_t num_children;
    int32_t num_vis_children;            /* num_children while expanded, else 0 */
    struct RUV_TREE_NODE *parent;
    struct RUV_TREE_NODE *child;         /* first child */
    struct RUV_TREE_NODE *previous;
    struct RUV_TREE_NODE *next;
    int16_t selected;
    RUV_TREE_CALLBACK callback;
    intptr_t data;
} RUV_TREE_NODE;

/* A tree view under parent; images are copied, a line height of 0 or less
   follows the font.  NULL when it cannot be made. */
RUV_WIN ruvv_treeview_create(RUV_WIN parent, const RUV_RECT *rect, const char *title, intptr_t value,
                             void *app_data, int32_t ctl_id, struct RUV_IMAGE *item_image,
                             struct RUV_IMAGE *collapsed_image, struct RUV_IMAGE *expanded_image,
                             uint32_t attributes, int32_t line_height);

/* Nodes.  Images and text are copied; NULL when memory runs out. */
RUV_TREE_NODE *ruvv_treeview_create_node(int32_t type, struct RUV_IMAGE *item_image,
                                         struct RUV_IMAGE *collapsed_image, struct RUV_IMAGE *expanded_image,
                                         const char *text, intptr_t data, RUV_TREE_CALLBACK callback);
/* Unlinks the node and frees it with its children (a tree's own root stays). */
void ruvv_treeview_destroy_node(RUV_TREE_NODE *node);
/* Appends child as parent's last child; 0 for a leaf parent. */
RUV_BOOL ruvv_treeview_add_child_node(RUV_TREE_NODE *parent, RUV_TREE_NODE *child);
/* Unlinks the node from its parent (it is not freed). */
void ruvv_treeview_remove_child_node(RUV_TREE_NODE *node);
RUV_TREE_NODE *ruvv_treeview_get_parent_node(RUV_TREE_NODE *node);
/* NULL outside 0 .. count - 1. */
RUV_TREE_NODE *ruvv_treeview_get_child_node(RUV_TREE_NODE *node, int32_t index);
int32_t ruvv_treeview_get_node_num_children(RUV_TREE_NODE *node);
int32_t ruvv_treeview_get_node_num_vis_children(RUV_TREE_NODE *node);
RUV_TREE_NODE *ruvv_treeview_get_root_node(RUV_WIN tree);

/* Branches only; recursive first does the same to every descendant. */
void ruvv_treeview_expand_node(RUV_TREE_NODE *node, RUV_BOOL recursive);
void ruvv_treeview_collapse_node(RUV_TREE_NODE *node, RUV_BOOL recursive);
/* Collapses an expanded branch, destroys every child, sets the type. */
void ruvv_treeview_set_node_type(RUV_TREE_NODE *node, int32_t type);

intptr_t ruvv_treeview_get_node_data(RUV_TREE_NODE *node);
void ruvv_treeview_set_node_data(RUV_TREE_NODE *node, intptr_t data);
RUV_TREE_CALLBACK ruvv_treeview_get_node_callback(RUV_TREE_NODE *node);
void ruvv_treeview_set_node_callback(RUV_TREE_NODE *node, RUV_TREE_CALLBACK callback);
/* The text into buf: at most size - 1 bytes and a terminator; returns buf. */
char *ruvv_treeview_get_node_string(RUV_TREE_NODE *node, char *buf, int32_t size);
void ruvv_treeview_set_node_string(RUV_TREE_NODE *node, const char *text);
int32_t ruvv_treeview_get_node_type(RUV_TREE_NODE *node);
/* Image setters destroy the old image and store a copy (or none). */
void ruvv_treeview_set_node_image_item(RUV_TREE_NODE *node, struct RUV_IMAGE *image);
struct RUV_IMAGE *ruvv_treeview_get_node_image_collapsed(RUV_TREE_NODE *node);
void ruvv_treeview_set_node_image_collapsed(RUV_TREE_NODE *node, struct RUV_IMAGE *image);
void ruvv_treeview_set_node_image_expanded(RUV_TREE_NODE *node, struct RUV_IMAGE *image);
RUV_BOOL ruvv_treeview_node_selected(RUV_TREE_NODE *node);

/* Selection by the tree's selection bits; unless suspended the rows are
   rebuilt and drawn. */
void ruvv_treeview_select_node(RUV_WIN tree, RUV_TREE_NODE *node, RUV_BOOL value);
uint32_t ruvv_treeview_get_attributes(RUV_WIN tree);
void ruvv_treeview_set_attributes(RUV_WIN tree, uint32_t attributes);   /* no redraw */
int32_t ruvv_treeview_get_line_height(RUV_WIN tree);
void ruvv_treeview_set_line_height(RUV_WIN tree, int32_t height);       /* <= 0: from the font */
void ruvv_treeview_suspend(RUV_WIN tree);
void ruvv_treeview_resume(RUV_WIN tree);
void ruvv_treeview_update(RUV_WIN tree);

/* Appends the node (and for depth >= 0 its children) to the file "tree-dump". */
void ruvv_treeview_dump_node(RUV_TREE_NODE *node, int32_t depth);

#ifdef __cplusplus
}
#endif

#endif
