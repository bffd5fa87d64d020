/* Tree views: the node tree (links, counts, expansion, texts, images and
   selection), the rows of the visible nodes, and the child window that
   draws them through an off-screen pixmap, scrolls with its two scroll
   bars and tells its parent of clicks, double clicks and key selections.
   Nodes never know their tree; every live tree is kept in this module's
   list so that a node unlinked or destroyed under a tree leaves that
   tree's rows at once. */
#include "ruvv_treeview.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_color.h"
#include "ruvv_dwin.h"
#include "ruvv_event.h"
#include "ruvv_font.h"
#include "ruvv_image.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"

#ifdef _WIN32
extern "C" {
RUV_WIN ruvk_ctl_create(int32_t type, const RUV_RECT *rect, const char *title, RUV_WIN parent, uint32_t flags,
                        void *app_data, int32_t ctl_id);
void ruvk_sbar_set_range(RUV_WIN obj, int32_t bar, int32_t min, int32_t max);
void ruvk_sbar_get_range(RUV_WIN obj, int32_t bar, int32_t *min, int32_t *max);
void ruvk_sbar_set_proportion(RUV_WIN obj, int32_t bar, int32_t proportion);
int32_t ruvk_sbar_get_proportion(RUV_WIN obj, int32_t bar);
void ruvk_sbar_set_pos(RUV_WIN obj, int32_t bar, int32_t pos);
int32_t ruvk_sbar_get_pos(RUV_WIN obj, int32_t bar);
void ruvk_vobj_move(RUV_WIN win, const RUV_RECT *rect);
void ruvk_vobj_set_visible(RUV_WIN win, RUV_BOOL visible);
RUV_WIN ruvk_pmap_create(RUV_WIN parent, int32_t pmap_type, int32_t width, int32_t height);
void ruvk_dwin_draw_pmap(RUV_WIN win, RUV_WIN pmap, const RUV_RECT *src, const RUV_RECT *dst);
void ruvk_dwin_draw_image(RUV_WIN win, struct RUV_IMAGE *image, const RUV_RECT *src, const RUV_RECT *dst);
void ruvk_dwin_draw_text(RUV_WIN win, int32_t x, int32_t y, const char *text, int32_t count);
void ruvk_dwin_draw_set_pos(RUV_WIN win, RUV_POINT point);
void ruvk_dwin_draw_line(RUV_WIN win, RUV_POINT point);
}
#endif

namespace {

[[maybe_unused]] constexpr int32_t kGap = 10;          // room of a missing image
[[maybe_unused]] constexpr int16_t kHBarId = 1;
[[maybe_unused]] constexpr int16_t kVBarId = 2;
[[maybe_unused]] constexpr int32_t kHBarType = 15;
[[maybe_unused]] constexpr int32_t kVBarType = 16;
[[maybe_unused]] constexpr int32_t kKeyEnter = 13;
[[maybe_unused]] constexpr int32_t kKeyUpAlt = 380;
[[maybe_unused]] constexpr int32_t kKeyDownAlt = 381;
[[maybe_unused]] constexpr uint32_t kCompText = 0x2;   // colour component of a selected row's box
[[maybe_unused]] constexpr uint32_t kCompBack = 0x4;   // colour component of the background
[[maybe_unused]] constexpr RUV_COLOR kDefaultBack = 0x0BFFFFFF;
[[maybe_unused]] constexpr RUV_COLOR kDefaultSelBack = 0x00000080;

struct Tree {
    Tree *next;                        // the module's list of live trees
    RUV_WIN win;
    int32_t ctl_id;
    intptr_t value;
    char *title;
    RUV_TREE_NODE *root;
    std::vector<RUV_TREE_NODE *> *rows;
    RUV_WIN hbar, vbar;
    bool hshown, vshown;
    RUV_IMAGE *def_item, *def_collapsed, *def_expanded;
    int32_t indent;
    int32_t line_height;
    bool height_from_font;
    uint32_t attrs;
    bool suspended;
    RUV_WIN pixmap;
    int32_t pm_width, pm_height;
    RUV_FONT *font;
};

struct Module {
    Tree *trees;
};

RUV_STATIC_BLOCK(g_module_desc, Module, nullptr, nullptr);

Module *mod()
{
    return static_cast<Module *>(ruvk_static_get_ptr(&g_module_desc));
}

Tree *tree_of(RUV_WIN win)
{
    Module *m = mod();
    if (!m || !win)
        return nullptr;
    for (Tree *t = m->trees; t; t = t->next)
        if (t->win == win)
            return t;
    return nullptr;
}

char *copy_text(const char *text)
{
    if (!text)
        text = "";
    size_t n = std::strlen(text) + 1;
    char *c = static_cast<char *>(ruvv_mem_alloc(n));
    if (c)
        std::memcpy(c, text, n);
    return c;
}

RUV_IMAGE *copy_image(RUV_IMAGE *image)
{
    return image && ruvv_image_is_valid(image) ? ruvv_image_duplicate(image) : nullptr;
}

void replace_image(RUV_IMAGE **slot, RUV_IMAGE *image)
{
    if (*slot)
        ruvv_image_destroy(*slot);
    *slot = copy_image(image);
}

bool is_branch(const RUV_TREE_NODE *n)
{
    return n && n->type == RUV_TREE_BRANCH;
}

RUV_TREE_NODE *top_of(RUV_TREE_NODE *n)
{
    while (n && n->parent)
        n = n->parent;
    return n;
}

Tree *tree_holding(RUV_TREE_NODE *node)
{
    Module *m = mod();
    RUV_TREE_NODE *top = top_of(node);
    if (!m || !top)
        return nullptr;
    for (Tree *t = m->trees; t; t = t->next)
        if (t->root == top)
            return t;
    return nullptr;
}

void unlink(RUV_TREE_NODE *node)
{
    RUV_TREE_NODE *p = node->parent;
    if (!p)
        return;
    if (p->child == node)
        p->child = node->next;
    if (node->previous)
        node->previous->next = node->next;
    if (node->next)
        node->next->previous = node->previous;
    --p->num_children;
    if (p->expanded)
        --p->num_vis_children;
    node->parent = node->previous = node->next = nullptr;
}

void free_node(RUV_TREE_NODE *node)
{
    RUV_TREE_NODE *c = node->child;
    while (c) {
        RUV_TREE_NODE *next = c->next;
        free_node(c);
        c = next;
    }
    if (node->item_image)
        ruvv_image_destroy(node->item_image);
    if (node->collapsed_image)
        ruvv_image_destroy(node->collapsed_image);
    if (node->expanded_image)
        ruvv_image_destroy(node->expanded_image);
    ruvv_mem_free(node->text);
    ruvv_mem_free(node);
}

void set_expanded(RUV_TREE_NODE *node, bool expanded, bool recursive)
{
    if (!is_branch(node))
        return;
    if (recursive)
        for (RUV_TREE_NODE *c = node->child; c; c = c->next)
            set_expanded(c, expanded, true);
    node->expanded = expanded ? 1 : 0;
    node->num_vis_children = expanded ? node->num_children : 0;
}

[[maybe_unused]] void clear_selection(RUV_TREE_NODE *node)
{
    for (; node; node = node->next) {
        node->selected = 0;
        clear_selection(node->child);
    }
}

void collect_rows(const Tree *t, RUV_TREE_NODE *node, std::vector<RUV_TREE_NODE *> &rows)
{
    for (; node; node = node->next) {
        rows.push_back(node);
        if (is_branch(node) && node->expanded)
            collect_rows(t, node->child, rows);
    }
}

// The visible rows in display order; a hidden root is always expanded.
void rebuild_rows(Tree *t)
{
    if (!t->rows)
        return;
    t->rows->clear();
    if (!t->root)
        return;
    if (!(t->attrs & RUV_TREE_SHOW_ROOT)) {
        set_expanded(t->root, true, false);
        collect_rows(t, t->root->child, *t->rows);
    } else {
        t->rows->push_back(t->root);
        if (t->root->expanded)
            collect_rows(t, t->root->child, *t->rows);
    }
}

// A node leaving its tree (unlinked or destroyed) must not stay a row.
template <typename F> void leaving_tree(RUV_TREE_NODE *node, F unlink_step)
{
    Tree *t = tree_holding(node);
    unlink_step();
    if (t)
        rebuild_rows(t);
}

void dump(FILE *f, RUV_TREE_NODE *node, int32_t depth)
{
    std::string tabs(static_cast<size_t>(depth > 0 ? depth : 0), '\t');
    const char *p = tabs.c_str();
    std::fprintf(f, "%sNode: %p\n", p, static_cast<void *>(node));
    std::fprintf(f, "%sNode->string: %s\n", p, node->text ? node->text : "");
    std::fprintf(f, "%sNode->parent: %p\n", p, static_cast<void *>(node->parent));
    std::fprintf(f, "%sNode->child: %p\n", p, static_cast<void *>(node->child));
    std::fprintf(f, "%sNode->previous: %p\n", p, static_cast<void *>(node->previous));
    std::fprintf(f, "%sNode->next: %p\n", p, static_cast<void *>(node->next));
    if (depth >= 0)
        for (RUV_TREE_NODE *c = node->child; c; c = c->next)
            dump(f, c, depth + 1);
}

#ifdef _WIN32

int32_t image_width(const RUV_IMAGE *image)
{
    if (!image)
        return 0;
    int16_t w = 0, h = 0;
    ruvv_image_get_dimensions(image, &w, &h);
    return w;
}

int32_t image_height(const RUV_IMAGE *image)
{
    if (!image)
        return 0;
    int16_t w = 0, h = 0;
    ruvv_image_get_dimensions(image, &w, &h);
    return h;
}

int32_t depth_of(const Tree *t, const RUV_TREE_NODE *n)
{
    int32_t d = 0;
    for (const RUV_TREE_NODE *p = n->parent; p; p = p->parent)
        ++d;
    return (t->attrs & RUV_TREE_SHOW_ROOT) ? d : d - 1;
}

int32_t row_of(const Tree *t, const RUV_TREE_NODE *node)
{
    if (!t->rows || !node)
        return -1;
    auto it = std::find(t->rows->begin(), t->rows->end(), node);
    return it == t->rows->end() ? -1 : static_cast<int32_t>(it - t->rows->begin());
}

int16_t state_flags(const RUV_TREE_NODE *node)
{
    if (!is_branch(node))
        return 0;
    return node->expanded ? RUV_TREE_EXPANDED : RUV_TREE_COLLAPSED;
}

void select(Tree *t, RUV_TREE_NODE *node, RUV_BOOL value, bool keep_others)
{
    if (t->attrs & RUV_TREE_NO_SEL) {
        clear_selection(t->root);
    } else if (t->attrs & RUV_TREE_SINGLE_SEL) {
        clear_selection(t->root);
        if (node)
            node->selected = value ? 1 : 0;
    } else if (t->attrs & RUV_TREE_MULTI_SEL) {
        if (!keep_others)
            clear_selection(t->root);
        if (node)
            node->selected = value ? 1 : 0;
    }
}

// ---- the window ------------------------------------------------------------

RUV_COLOR component(RUV_WIN win, uint32_t type, RUV_COLOR fallback)
{
    for (RUV_WIN w = win; w; w = w->parent == w ? nullptr : w->parent) {
        auto *items = static_cast<const RUV_COLOR_COMPONENT *>(w->ctl_colors.items);
        for (int16_t i = 0; items && i < w->ctl_colors.count; ++i)
            if (static_cast<uint32_t>(items[i].type) == type)
                return items[i].color;
        if (w != win)
            break;  // the control's list, or its parent's
    }
    return fallback;
}

int32_t font_line_height(Tree *t)
{
    int32_t leading = 0, ascent = 0, descent = 0;
    ruvk_font_get_metrics(t->font, &leading, &ascent, &descent, t->win, 0);
    int32_t h = ascent + descent + leading;
    return h > 0 ? h : 16;
}

int32_t font_ascent(Tree *t)
{
    int32_t leading = 0, ascent = 0, descent = 0;
    ruvk_font_get_metrics(t->font, &leading, &ascent, &descent, t->win, 0);
    return ascent;
}

int32_t font_text_height(Tree *t)
{
    int32_t leading = 0, ascent = 0, descent = 0;
    ruvk_font_get_metrics(t->font, &leading, &ascent, &descent, t->win, 0);
    return ascent + descent;
}

RUV_IMAGE *image_for(const Tree *t, const RUV_TREE_NODE *n)
{
    if (!is_branch(n))
        return n->item_image ? n->item_image : t->def_item;
    if (n->expanded)
        return n->expanded_image ? n->expanded_image : t->def_expanded;
    return n->collapsed_image ? n->collapsed_image : t->def_collapsed;
}

int32_t branch_image_width(const Tree *t)
{
    int32_t e = std::max(image_width(t->def_expanded), image_width(t->def_collapsed));
    return e > 0 ? e : kGap;
}

int32_t row_x(const Tree *t, const RUV_TREE_NODE *n)
{
    return depth_of(t, n) * (branch_image_width(t) + 5) + 5;
}

int32_t row_image_width(const Tree *t, const RUV_TREE_NODE *n)
{
    RUV_IMAGE *img = image_for(t, n);
    return img ? image_width(img) : kGap;
}

void drop_pixmap(Tree *t)
{
    if (t->pixmap && ruvv_vobj_is_valid(t->pixmap))
        ruvk_vobj_destroy(t->pixmap);
    t->pixmap = nullptr;
    t->pm_width = t->pm_height = 0;
}

void draw_lines(Tree *t, int32_t lh)
{
    RUV_CPEN dotted = {1, 9, 0, 0x07000000};
    ruvk_dwin_set_cpen(t->pixmap, &dotted);
    const std::vector<RUV_TREE_NODE *> &rows = *t->rows;
    for (size_t i = 0; i < rows.size(); ++i) {
        RUV_TREE_NODE *n = rows[i];
        int32_t pr = row_of(t, n->parent);
        if (pr < 0)
            continue;
        int32_t px = row_x(t, n->parent) + row_image_width(t, n->parent) / 2;
        int32_t y = static_cast<int32_t>(i) * lh + lh / 2;
        ruvk_dwin_draw_set_pos(t->pixmap, RUV_POINT{static_cast<int16_t>(y), static_cast<int16_t>(px)});
        ruvk_dwin_draw_line(t->pixmap, RUV_POINT{static_cast<int16_t>(y), static_cast<int16_t>(row_x(t, n) - 1)});
        if (!n->next) {  // the last child: the line down from its parent
            int32_t top = (pr + 1) * lh - 1;
            ruvk_dwin_draw_set_pos(t->pixmap, RUV_POINT{static_cast<int16_t>(top), static_cast<int16_t>(px)});
            ruvk_dwin_draw_line(t->pixmap, RUV_POINT{static_cast<int16_t>(y), static_cast<int16_t>(px)});
        }
    }
}

// Renders the rows into a fresh pixmap; no rows, no pixmap.
void render(Tree *t)
{
    drop_pixmap(t);
    const std::vector<RUV_TREE_NODE *> &rows = *t->rows;
    if (rows.empty())
        return;
    const int32_t lh = t->line_height;
    int32_t deepest = 0, widest = 0, ends = 0;
    for (RUV_TREE_NODE *n : rows) {
        int32_t d = depth_of(t, n);
        int32_t w = ruvk_dwin_get_text_width(t->win, n->text ? n->text : "", -1);
        deepest = std::max(deepest, d);
        widest = std::max(widest, w);
        ends = std::max(ends, row_x(t, n) + row_image_width(t, n) + kGap + w + 5);
    }
    const int32_t levels = (t->attrs & RUV_TREE_SHOW_ROOT) ? deepest + 1 : deepest;
    const int64_t width = std::max<int64_t>(static_cast<int64_t>(t->indent + 5) * levels + widest + 5, ends);
    const int64_t height = static_cast<int64_t>(rows.size()) * lh;
    t->pixmap = ruvk_pmap_create(t->win, 0, static_cast<int32_t>(std::min<int64_t>(width, 32767)),
                                 static_cast<int32_t>(std::min<int64_t>(height, 32767)));
    if (!t->pixmap)
        return;
    t->pm_width = static_cast<int32_t>(std::min<int64_t>(width, 32767));
    t->pm_height = static_cast<int32_t>(std::min<int64_t>(height, 32767));

    RUV_DRAW_CTOOLS tools;
    ruvk_dwin_get_draw_ctools(t->win, &tools);
    const RUV_COLOR back = component(t->win, kCompBack, kDefaultBack);
    tools.brush.pattern = 2;
    tools.brush.color = back;
    tools.pen.pattern = 1;  // no outline
    tools.draw_mode = 0;
    tools.back = back;
    tools.opaque = 0;
    ruvk_dwin_set_draw_ctools(t->pixmap, &tools);
    ruvk_dwin_set_font(t->pixmap, t->font);
    RUV_RECT all = {0, 0, static_cast<int16_t>(t->pm_height), static_cast<int16_t>(t->pm_width)};
    ruvk_dwin_draw_rect(t->pixmap, &all);

    const int32_t ascent = font_ascent(t);
    const int32_t text_top = (lh - font_text_height(t)) / 2;
    for (size_t i = 0; i < rows.size(); ++i) {
        RUV_TREE_NODE *n = rows[i];
        const int32_t top = static_cast<int32_t>(i) * lh;
        if (top >= 32767)
            break;
        const int32_t x = row_x(t, n);
        RUV_IMAGE *img = image_for(t, n);
        int32_t iw = kGap;
        if (img) {
            iw = image_width(img);
            int32_t ih = image_height(img);
            int32_t iy = top + (lh - ih) / 2;
            RUV_RECT src = {0, 0, static_cast<int16_t>(ih), static_cast<int16_t>(iw)};
            RUV_RECT dst = {static_cast<int16_t>(iy), static_cast<int16_t>(x), static_cast<int16_t>(iy + ih),
                            static_cast<int16_t>(x + iw)};
            ruvk_dwin_draw_image(t->pixmap, img, &src, &dst);
        }
        RUV_DRAW_CTOOLS row_tools = tools;
        if (n->selected) {
            row_tools.back = component(t->win, kCompText, kDefaultSelBack);
            row_tools.fore = 0x0BFFFFFF;
            row_tools.opaque = 1;
        }
        ruvk_dwin_set_draw_ctools(t->pixmap, &row_tools);
        ruvk_dwin_draw_text(t->pixmap, x + iw + kGap, top + text_top + ascent, n->text ? n->text : "", -1);
    }
    ruvk_dwin_set_draw_ctools(t->pixmap, &tools);
    if (t->attrs & (RUV_TREE_LINES | RUV_TREE_LINES_ALT))
        draw_lines(t, lh);
}

int32_t clamp_pos(RUV_WIN bar, int32_t pos)
{
    int32_t lo = 0, hi = 0;
    ruvk_sbar_get_range(bar, 0, &lo, &hi);
    int32_t top = hi - ruvk_sbar_get_proportion(bar, 0);
    if (pos > top)
        pos = top;
    if (pos < lo)
        pos = lo;
    return pos;
}

int32_t bar_pos(RUV_WIN bar, bool shown)
{
    return bar && shown ? ruvk_sbar_get_pos(bar, 0) : 0;
}

// The client area less the shown bars.
RUV_RECT row_area(Tree *t)
{
    RUV_RECT c;
    ruvk_vobj_get_client_rect(t->win, &c);
    if (t->vshown)
        c.right = static_cast<int16_t>(c.right - ruvk_vobj_get_attr(nullptr, RUV_ATTR_VSCROLL_WIDTH));
    if (t->hshown)
        c.bottom = static_cast<int16_t>(c.bottom - ruvk_vobj_get_attr(nullptr, RUV_ATTR_HSCROLL_HEIGHT));
    return c;
}

void place_bars(Tree *t)
{
    RUV_RECT c;
    ruvk_vobj_get_client_rect(t->win, &c);
    const int32_t bw = static_cast<int32_t>(ruvk_vobj_get_attr(nullptr, RUV_ATTR_VSCROLL_WIDTH));
    const int32_t bh = static_cast<int32_t>(ruvk_vobj_get_attr(nullptr, RUV_ATTR_HSCROLL_HEIGHT));
    // Does the pixmap fit?  A shown bar takes its size off the other side.
    bool h = t->pm_width > c.right, v = t->pm_height > c.bottom;
    if (h && !v)
        v = t->pm_height > c.bottom - bh;
    if (v && !h)
        h = t->pm_width > c.right - bw;
    const bool in_update = ruvv_app_is_update_in_progress() != 0;
    const int32_t aw = c.right - (v ? bw : 0), ah = c.bottom - (h ? bh : 0);
    if (t->hbar) {
        if (h) {
            ruvk_sbar_set_range(t->hbar, 0, 0, t->pm_width);
            ruvk_sbar_set_proportion(t->hbar, 0, std::max(aw, 1));
            ruvk_sbar_set_pos(t->hbar, 0, clamp_pos(t->hbar, ruvk_sbar_get_pos(t->hbar, 0)));
        } else {
            ruvk_sbar_set_range(t->hbar, 0, 0, 0);
            ruvk_sbar_set_pos(t->hbar, 0, 0);
        }
        if (!in_update) {
            RUV_RECT r = {static_cast<int16_t>(c.bottom - bh), 0, c.bottom, static_cast<int16_t>(aw)};
            ruvk_vobj_move(t->hbar, &r);
        }
        if (h != t->hshown)
            ruvk_vobj_set_visible(t->hbar, h ? TRUE : FALSE);
    }
    if (t->vbar) {
        if (v) {
            ruvk_sbar_set_range(t->vbar, 0, 0, t->pm_height);
            ruvk_sbar_set_proportion(t->vbar, 0, std::max(ah, 1));
            ruvk_sbar_set_pos(t->vbar, 0, clamp_pos(t->vbar, ruvk_sbar_get_pos(t->vbar, 0)));
        } else {
            ruvk_sbar_set_range(t->vbar, 0, 0, 0);
            ruvk_sbar_set_pos(t->vbar, 0, 0);
        }
        if (!in_update) {
            RUV_RECT r = {0, static_cast<int16_t>(c.right - bw), static_cast<int16_t>(ah), c.right};
            ruvk_vobj_move(t->vbar, &r);
        }
        if (v != t->vshown)
            ruvk_vobj_set_visible(t->vbar, v ? TRUE : FALSE);
    }
    t->hshown = h;
    t->vshown = v;
}

void draw(Tree *t)
{
    if (!ruvv_vobj_is_valid(t->win))
        return;
    place_bars(t);
    RUV_RECT area = row_area(t);
    RUV_DRAW_CTOOLS saved;
    ruvk_dwin_get_draw_ctools(t->win, &saved);
    RUV_DRAW_CTOOLS frame = saved;
    frame.brush.pattern = 2;
    frame.brush.color = component(t->win, kCompBack, kDefaultBack);
    frame.draw_mode = 0;
    ruvk_dwin_set_draw_ctools(t->win, &frame);
    ruvv_dwin_set_std_cpen(t->win, 2);
    ruvk_dwin_draw_rect(t->win, &area);
    ruvk_dwin_set_draw_ctools(t->win, &saved);
    if (!t->pixmap)
        return;
    const int32_t h = bar_pos(t->hbar, t->hshown), v = bar_pos(t->vbar, t->vshown);
    const int32_t w = std::min<int32_t>(area.right, t->pm_width - h);
    const int32_t ht = std::min<int32_t>(area.bottom, t->pm_height - v);
    if (w <= 0 || ht <= 0)
        return;
    RUV_RECT src = {static_cast<int16_t>(v), static_cast<int16_t>(h), static_cast<int16_t>(v + ht),
                    static_cast<int16_t>(h + w)};
    RUV_RECT dst = {0, 0, static_cast<int16_t>(ht), static_cast<int16_t>(w)};
    ruvk_dwin_draw_pmap(t->win, t->pixmap, &src, &dst);
}

void refresh(Tree *t)
{
    rebuild_rows(t);
    render(t);
    draw(t);
}

void notify(Tree *t, RUV_TREE_NODE *node, int16_t flags)
{
    RUV_WIN parent = t->win->parent;
    if (!parent || !ruvv_vobj_is_valid(parent))
        return;
    RUV_EVENT ev;
    std::memset(&ev, 0, sizeof ev);
    ev.type = E_CONTROL;
    ev.v.control.id = t->ctl_id;
    ev.v.control.type = RUV_CTL_TREE_VIEW;
    ev.v.control.ctl = t->win;
    ev.v.control.data.tree.node = node;
    ev.v.control.data.tree.flags = flags;
    ruvv_win_dispatch_event(parent, &ev);
}

// The row under a point of the window, -1 outside the rows.
int32_t hit_row(Tree *t, int32_t v, int32_t h)
{
    RUV_RECT area = row_area(t);
    if (v < 0 || h < 0 || v >= area.bottom || h >= area.right || t->line_height <= 0)
        return -1;
    int32_t row = (bar_pos(t->vbar, t->vshown) + v) / t->line_height;
    return row < static_cast<int32_t>(t->rows->size()) ? row : -1;
}

// Expands or collapses a branch unless its callback vetoes; true when it changed.
bool toggle(Tree *t, RUV_TREE_NODE *n)
{
    if (n->callback && !n->callback(t->win, n))
        return false;
    if (!is_branch(n))
        return true;
    set_expanded(n, !n->expanded, false);
    return true;
}

// Scrolls by one line height at a time until the row is in the row area.
void keep_visible(Tree *t, int32_t row)
{
    if (!t->vbar || !t->vshown)
        return;
    RUV_RECT area = row_area(t);
    int32_t pos = ruvk_sbar_get_pos(t->vbar, 0);
    const int32_t top = row * t->line_height, bottom = top + t->line_height;
    while (top < pos)
        pos -= t->line_height;
    while (bottom > pos + area.bottom && pos + t->line_height <= t->pm_height)
        pos += t->line_height;
    ruvk_sbar_set_pos(t->vbar, 0, clamp_pos(t->vbar, pos));
}

void on_key(Tree *t, const RUV_EVENT *ev)
{
    if (!(t->attrs & RUV_TREE_SINGLE_SEL))
        return;
    int32_t sel = -1;
    for (size_t i = 0; i < t->rows->size(); ++i)
        if ((*t->rows)[i]->selected) {
            sel = static_cast<int32_t>(i);
            break;
        }
    if (sel < 0)
        return;  // nothing selected: the keys select nothing
    const int32_t key = ev->v.chr.key;
    const bool vk = ev->v.chr.virtual_key != 0;
    RUV_TREE_NODE *n = (*t->rows)[static_cast<size_t>(sel)];
    if (key == kKeyEnter && !vk) {
        if (!toggle(t, n))
            return;
        refresh(t);
        notify(t, n, state_flags(n));
        return;
    }
    int32_t to;
    if ((vk && key == K_UP) || key == kKeyUpAlt)
        to = sel - 1;
    else if ((vk && key == K_DOWN) || key == kKeyDownAlt)
        to = sel + 1;
    else
        return;
    if (to < 0 || to >= static_cast<int32_t>(t->rows->size()))
        return;  // at an end
    RUV_TREE_NODE *target = (*t->rows)[static_cast<size_t>(to)];
    select(t, target, TRUE, false);
    rebuild_rows(t);
    render(t);
    place_bars(t);
    keep_visible(t, to);
    draw(t);
    notify(t, target, state_flags(target));
}

void on_scroll(Tree *t, const RUV_EVENT *ev)
{
    const bool vertical = ev->v.control.id == kVBarId;
    RUV_WIN bar = vertical ? t->vbar : t->hbar;
    if (!bar || ev->v.control.ctl != bar)
        return;
    const int32_t line = vertical ? t->line_height : 1;
    const int32_t page = std::max(ruvk_sbar_get_proportion(bar, 0), 1);
    int32_t pos = ruvk_sbar_get_pos(bar, 0);
    switch (ev->v.control.data.scroll.action) {
    case SC_LINE_UP: pos -= line; break;
    case SC_LINE_DOWN: pos += line; break;
    case SC_PAGE_UP: pos -= page; break;
    case SC_PAGE_DOWN: pos += page; break;
    case SC_THUMB:
    case SC_THUMB_TRACK: pos = ev->v.control.data.scroll.position; break;
    default: return;
    }
    ruvk_sbar_set_pos(bar, 0, clamp_pos(bar, pos));
    draw(t);
}

void free_tree(Tree *t)
{
    Module *m = mod();
    if (m)
        for (Tree **p = &m->trees; *p; p = &(*p)->next)
            if (*p == t) {
                *p = t->next;
                break;
            }
    ruvv_mem_free(t->title);
    if (t->root)
        free_node(t->root);
    delete t->rows;
    for (RUV_IMAGE *img : {t->def_item, t->def_collapsed, t->def_expanded})
        if (img)
            ruvv_image_destroy(img);
    drop_pixmap(t);
    if (t->font)
        ruvv_font_destroy(t->font);
    ruvv_mem_free(t);
}

int32_t tree_handler(RUV_WIN win, RUV_EVENT *ev)
{
    Tree *t = tree_of(win);
    if (!t)
        return 0;  // still being made
    switch (ev->type) {
    case E_DESTROY:
        free_tree(t);
        break;
    case E_SIZE:
        if (!t->suspended)
            draw(t);
        break;
    case E_UPDATE:
        draw(t);
        break;
    case E_MOUSE_DOWN: {
        int32_t row = hit_row(t, ev->v.mouse.v, ev->v.mouse.h);
        if (row < 0)
            break;  // below the last row: nothing is selected
        RUV_TREE_NODE *n = (*t->rows)[static_cast<size_t>(row)];
        select(t, n, TRUE, ev->v.mouse.shift != 0);
        refresh(t);
        notify(t, n, static_cast<int16_t>(RUV_TREE_CLICK | state_flags(n)));
        break;
    }
    case E_MOUSE_DOUBLE: {
        int32_t row = hit_row(t, ev->v.mouse.v, ev->v.mouse.h);
        if (row < 0)
            break;
        RUV_TREE_NODE *n = (*t->rows)[static_cast<size_t>(row)];
        if (!toggle(t, n))
            break;
        refresh(t);
        notify(t, n, static_cast<int16_t>(RUV_TREE_DOUBLE | state_flags(n)));
        break;
    }
    case E_CHAR:
        on_key(t, ev);
        break;
    case E_CONTROL:
        if (ev->v.control.id == kHBarId || ev->v.control.id == kVBarId)
            on_scroll(t, ev);
        break;
    default:
        break;
    }
    return 0;
}

#endif // _WIN32

} // namespace

extern "C" {

// ---- nodes -------------------------------------------------------------------

RUV_TREE_NODE *ruvv_treeview_create_node(int32_t type, RUV_IMAGE *item_image, RUV_IMAGE *collapsed_image,
                                         RUV_IMAGE *expanded_image, const char *text, intptr_t data,
                                         RUV_TREE_CALLBACK callback)
{
    auto *n = static_cast<RUV_TREE_NODE *>(ruvv_mem_zalloc(sizeof(RUV_TREE_NODE)));
    if (!n)
        return nullptr;
    n->type = type;
    n->text = copy_text(text);
    n->item_image = copy_image(item_image);
    n->collapsed_image = copy_image(collapsed_image);
    n->expanded_image = copy_image(expanded_image);
    n->data = data;
    n->callback = callback;
    if (!n->text || (item_image && !n->item_image) || (collapsed_image && !n->collapsed_image) ||
        (expanded_image && !n->expanded_image)) {
        free_node(n);
        return nullptr;
    }
    return n;
}

void ruvv_treeview_destroy_node(RUV_TREE_NODE *node)
{
    if (!node)
        return;
    Module *m = mod();
    for (Tree *t = m ? m->trees : nullptr; t; t = t->next)
        if (t->root == node)
            return;  // the tree's own root goes with its tree
    leaving_tree(node, [node] { unlink(node); });
    free_node(node);
}

RUV_BOOL ruvv_treeview_add_child_node(RUV_TREE_NODE *parent, RUV_TREE_NODE *child)
{
    if (!parent || !child || !is_branch(parent) || child == parent || child->root)
        return 0;
    for (RUV_TREE_NODE *p = parent; p; p = p->parent)
        if (p == child)
            return 0;  // a node cannot go under itself
    if (child->parent)
        leaving_tree(child, [child] { unlink(child); });
    RUV_TREE_NODE **slot = &parent->child;
    RUV_TREE_NODE *last = nullptr;
    while (*slot) {
        last = *slot;
        slot = &(*slot)->next;
    }
    *slot = child;
    child->previous = last;
    child->next = nullptr;
    child->parent = parent;
    ++parent->num_children;
    if (parent->expanded)
        ++parent->num_vis_children;
    return 1;
}

void ruvv_treeview_remove_child_node(RUV_TREE_NODE *node)
{
    if (!node || !node->parent)
        return;
    leaving_tree(node, [node] { unlink(node); });
}

RUV_TREE_NODE *ruvv_treeview_get_parent_node(RUV_TREE_NODE *node)
{
    return node ? node->parent : nullptr;
}

RUV_TREE_NODE *ruvv_treeview_get_child_node(RUV_TREE_NODE *node, int32_t index)
{
    if (!node || index < 0 || index >= node->num_children)
        return nullptr;
    RUV_TREE_NODE *c = node->child;
    while (c && index-- > 0)
        c = c->next;
    return c;
}

int32_t ruvv_treeview_get_node_num_children(RUV_TREE_NODE *node)
{
    return node ? node->num_children : 0;
}

int32_t ruvv_treeview_get_node_num_vis_children(RUV_TREE_NODE *node)
{
    return node ? node->num_vis_children : 0;
}

RUV_TREE_NODE *ruvv_treeview_get_root_node(RUV_WIN tree)
{
    Tree *t = tree_of(tree);
    return t ? t->root : nullptr;
}

void ruvv_treeview_expand_node(RUV_TREE_NODE *node, RUV_BOOL recursive)
{
    set_expanded(node, true, recursive != 0);
}

void ruvv_treeview_collapse_node(RUV_TREE_NODE *node, RUV_BOOL recursive)
{
    set_expanded(node, false, recursive != 0);
}

void ruvv_treeview_set_node_type(RUV_TREE_NODE *node, int32_t type)
{
    if (!node)
        return;
    if (is_branch(node) && node->expanded)
        set_expanded(node, false, true);
    Tree *t = tree_holding(node);
    while (RUV_TREE_NODE *c = node->child) {
        unlink(c);
        free_node(c);
    }
    if (t)
        rebuild_rows(t);
    node->type = type;
}

intptr_t ruvv_treeview_get_node_data(RUV_TREE_NODE *node)
{
    return node ? node->data : 0;
}

void ruvv_treeview_set_node_data(RUV_TREE_NODE *node, intptr_t data)
{
    if (node)
        node->data = data;
}

RUV_TREE_CALLBACK ruvv_treeview_get_node_callback(RUV_TREE_NODE *node)
{
    return node ? node->callback : nullptr;
}

void ruvv_treeview_set_node_callback(RUV_TREE_NODE *node, RUV_TREE_CALLBACK callback)
{
    if (node)
        node->callback = callback;
}

char *ruvv_treeview_get_node_string(RUV_TREE_NODE *node, char *buf, int32_t size)
{
    if (!buf || size <= 0)
        return buf;
    const char *text = node && node->text ? node->text : "";
    size_t n = std::min(std::strlen(text), static_cast<size_t>(size - 1));
    std::memcpy(buf, text, n);
    buf[n] = '\0';
    return buf;
}

void ruvv_treeview_set_node_string(RUV_TREE_NODE *node, const char *text)
{
    if (!node)
        return;
    if (char *c = copy_text(text)) {
        ruvv_mem_free(node->text);
        node->text = c;
    }
}

int32_t ruvv_treeview_get_node_type(RUV_TREE_NODE *node)
{
    return node ? node->type : 0;
}

void ruvv_treeview_set_node_image_item(RUV_TREE_NODE *node, RUV_IMAGE *image)
{
    if (node)
        replace_image(&node->item_image, image);
}

RUV_IMAGE *ruvv_treeview_get_node_image_collapsed(RUV_TREE_NODE *node)
{
    return node ? node->collapsed_image : nullptr;
}

void ruvv_treeview_set_node_image_collapsed(RUV_TREE_NODE *node, RUV_IMAGE *image)
{
    if (node)
        replace_image(&node->collapsed_image, image);
}

void ruvv_treeview_set_node_image_expanded(RUV_TREE_NODE *node, RUV_IMAGE *image)
{
    if (node)
        replace_image(&node->expanded_image, image);
}

RUV_BOOL ruvv_treeview_node_selected(RUV_TREE_NODE *node)
{
    return node && node->selected ? 1 : 0;
}

void ruvv_treeview_dump_node(RUV_TREE_NODE *node, int32_t depth)
{
    if (!node)
        return;
    FILE *f = std::fopen("tree-dump", "a");
    if (!f)
        return;
    if (depth <= 0)
        std::fputs("------------------------------\n", f);
    dump(f, node, depth);
    std::fclose(f);
}

// ---- the tree view -----------------------------------------------------------

uint32_t ruvv_treeview_get_attributes(RUV_WIN tree)
{
    Tree *t = tree_of(tree);
    return t ? t->attrs : 0;
}

void ruvv_treeview_set_attributes(RUV_WIN tree, uint32_t attributes)
{
    if (Tree *t = tree_of(tree))
        t->attrs = attributes;
}

int32_t ruvv_treeview_get_line_height(RUV_WIN tree)
{
    Tree *t = tree_of(tree);
    return t ? t->line_height : 0;
}

#ifdef _WIN32

RUV_WIN ruvv_treeview_create(RUV_WIN parent, const RUV_RECT *rect, const char *title, intptr_t value,
                             void *app_data, int32_t ctl_id, RUV_IMAGE *item_image, RUV_IMAGE *collapsed_image,
                             RUV_IMAGE *expanded_image, uint32_t attributes, int32_t line_height)
{
    Module *m = mod();
    if (!m || !rect || !parent || !ruvv_vobj_is_valid(parent))
        return nullptr;
    RUV_WIN_DEF def[2];
    std::memset(def, 0, sizeof def);
    def[0].type = (attributes & RUV_TREE_NO_BORDER) ? 7 : 2;
    def[0].rect = *rect;
    def[0].title = const_cast<char *>(title ? title : "");
    RUV_WIN win = ruvk_win_create_def(def, parent, RUV_EVENT_MASK_ALL, tree_handler, app_data);
    if (!win)
        return nullptr;
    win->create_flags |= 0x8000u;

    auto *t = static_cast<Tree *>(ruvv_mem_zalloc(sizeof(Tree)));
    bool ok = t != nullptr;
    if (ok) {
        t->win = win;
        t->ctl_id = ctl_id;
        t->value = value;
        t->attrs = attributes;
        t->title = copy_text(title);
        t->root = ruvv_treeview_create_node(RUV_TREE_BRANCH, nullptr, nullptr, nullptr, "Root Node", 0, nullptr);
        t->rows = new (std::nothrow) std::vector<RUV_TREE_NODE *>();
        t->def_item = copy_image(item_image);
        t->def_collapsed = copy_image(collapsed_image);
        t->def_expanded = copy_image(expanded_image);
        t->font = ruvv_font_create();
        ok = t->title && t->root && t->rows && t->font;
    }
    if (!ok) {
        if (t) {
            t->next = m->trees;
            m->trees = t;
            free_tree(t);
        }
        win->event_mask = 0;
        ruvk_vobj_destroy(win);
        return nullptr;
    }
    t->root->root = 1;
    int32_t widest = std::max({image_width(t->def_item), image_width(t->def_collapsed), image_width(t->def_expanded)});
    t->indent = widest > 0 ? widest : 20;

    RUV_DRAW_CTOOLS tools;
    ruvv_app_get_default_ctools(&tools);
    ruvk_dwin_set_draw_ctools(win, &tools);
    ruvv_font_set_win(t->font, win);
    ruvk_dwin_set_font(win, t->font);
    t->height_from_font = line_height <= 0;
    t->line_height = t->height_from_font ? font_line_height(t) : line_height;

    RUV_RECT c;
    ruvk_vobj_get_client_rect(win, &c);
    const int16_t bw = static_cast<int16_t>(ruvk_vobj_get_attr(nullptr, RUV_ATTR_VSCROLL_WIDTH));
    const int16_t bh = static_cast<int16_t>(ruvk_vobj_get_attr(nullptr, RUV_ATTR_HSCROLL_HEIGHT));
    RUV_RECT hr = {static_cast<int16_t>(c.bottom - bh), 0, c.bottom, static_cast<int16_t>(c.right - bw)};
    RUV_RECT vr = {0, static_cast<int16_t>(c.right - bw), static_cast<int16_t>(c.bottom - bh), c.right};
    t->hbar = ruvk_ctl_create(kHBarType, &hr, "", win, 0, nullptr, kHBarId);
    t->vbar = ruvk_ctl_create(kVBarType, &vr, "", win, 0, nullptr, kVBarId);
    for (RUV_WIN bar : {t->hbar, t->vbar})
        if (bar) {
            ruvk_sbar_set_range(bar, 0, 0, 0);
            ruvk_vobj_set_visible(bar, FALSE);
        }
    t->next = m->trees;
    m->trees = t;
    refresh(t);
    return win;
}

void ruvv_treeview_select_node(RUV_WIN tree, RUV_TREE_NODE *node, RUV_BOOL value)
{
    Tree *t = tree_of(tree);
    if (!t)
        return;
    select(t, node, value, true);
    if (!t->suspended)
        refresh(t);
}

void ruvv_treeview_set_line_height(RUV_WIN tree, int32_t height)
{
    Tree *t = tree_of(tree);
    if (!t)
        return;
    t->height_from_font = height <= 0;
    t->line_height = t->height_from_font ? font_line_height(t) : height;
}

void ruvv_treeview_suspend(RUV_WIN tree)
{
    if (Tree *t = tree_of(tree))
        t->suspended = true;
}

void ruvv_treeview_resume(RUV_WIN tree)
{
    if (Tree *t = tree_of(tree)) {
        t->suspended = false;
        refresh(t);
    }
}

void ruvv_treeview_update(RUV_WIN tree)
{
    if (Tree *t = tree_of(tree))
        refresh(t);
}

#else

// Without a window system there are no tree-view windows.
RUV_WIN ruvv_treeview_create(RUV_WIN, const RUV_RECT *, const char *, intptr_t, void *, int32_t, RUV_IMAGE *,
                             RUV_IMAGE *, RUV_IMAGE *, uint32_t, int32_t)
{
    return nullptr;
}
void ruvv_treeview_select_node(RUV_WIN, RUV_TREE_NODE *, RUV_BOOL) {}
void ruvv_treeview_set_line_height(RUV_WIN, int32_t) {}
void ruvv_treeview_suspend(RUV_WIN) {}
void ruvv_treeview_resume(RUV_WIN) {}
void ruvv_treeview_update(RUV_WIN) {}

#endif // _WIN32

} // extern "C"
