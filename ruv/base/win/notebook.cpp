// The notebook model: the tabs of a notebook control in order, each with
// its pages in order, titles, a tab image of the notebook's own, the pages'
// application data and faces (the child windows that show them), the front
// tab and each tab's front page.  Every change the user can see is handed to
// the tab control (notebook_tab_control.cpp); the tab control keeps the
// model's head with the control.
#include "notebook_private.h"

#include <algorithm>
#include <cstring>

#include "event_private.h"
#include "ruvv_app.h"
#include "ruvv_errmsg.h"
#include "ruvv_image.h"
#include "ruvv_image_probe.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "ruvv_res.h"
#include "ruvv_str.h"
#include "ruvk.h"
#include "ruvv_windef.h"
#include "window_create.h"
#include "window_services.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_INTERNAL = 0x570000;  // "Internal error"
constexpr RUV_ERRMSG_ID ERR_NO_MEMORY = 0x510000; // "Failed to allocate memory"
constexpr int32_t kNotebookType = 25;
constexpr int32_t kFaceType = 7;
constexpr uint32_t kFaceFlags = 2064;

struct Page {
    RUV_WIN face;
    char *title;
    intptr_t data;
};

struct Tab {
    RUV_DLIST *pages;
    char *title;
    RUV_IMAGE *image;
    int32_t front_page;
};

struct Head {
    RUV_DLIST *tabs;
    int16_t front_tab;
    RUV_IMAGE_SIZE image_size;  // 0 x 0 until the first tab image
};

bool is_notebook(RUV_WIN w)
{
    return ruvv_vobj_is_valid(w) && w->tag == RUV_VOBJ_TAG && w->type == kNotebookType &&
           !(w->kind & RUV_KIND_TEXT_EDIT);
}

void internal_error(RUV_WIN nb)
{
    RUV_ERR(nb, RUV_SEV_ERROR, ERR_INTERNAL);
}

void forget_face(RUV_WIN notebook, RUV_WIN face);

// Faces are child windows of the tab control: they go with their native
// window.
void destroy_face(RUV_WIN face)
{
    if (!ruvv_vobj_is_valid(face))
        return;
    if (HWND h = ruvk_vobj_hwnd(face))
        DestroyWindow(h);
}

// The model of a notebook, made with its first use.
Head *head_of(RUV_WIN nb, bool report = true)
{
    if (!is_notebook(nb)) {
        if (report)
            internal_error(nb);
        return nullptr;
    }
    if (auto *h = static_cast<Head *>(ruvk_notebk_get_notebk_head(nb)))
        return h;
    auto *h = static_cast<Head *>(ruvv_mem_zalloc(sizeof(Head)));
    RUV_DLIST *tabs = h ? ruvv_dlist_create() : nullptr;
    if (!tabs || !ruvk_notebk_attach(nb)) {
        if (tabs)
            ruvv_dlist_destroy(tabs);
        ruvv_mem_free(h);
        RUV_ERR(nb, RUV_SEV_ERROR, ERR_NO_MEMORY);
        return nullptr;
    }
    h->tabs = tabs;
    h->front_tab = -1;
    ruvk_notebk_set_notebk_head(nb, h);
    ruvv_win_set_face_forget(forget_face);
    return h;
}

RUV_DLIST_NODE *nth(RUV_DLIST *list, int32_t index)
{
    if (index < 0)
        return nullptr;
    RUV_DLIST_NODE *n = ruvv_dlist_first(list);
    while (n && index-- > 0)
        n = ruvv_dlist_next(n);
    return n;
}

Tab *tab_at(Head *h, int16_t tab)
{
    RUV_DLIST_NODE *n = h ? nth(h->tabs, tab) : nullptr;
    return n ? static_cast<Tab *>(ruvv_dlist_get_data(n)) : nullptr;
}

Page *page_at(Tab *t, int16_t page)
{
    RUV_DLIST_NODE *n = t ? nth(t->pages, page) : nullptr;
    return n ? static_cast<Page *>(ruvv_dlist_get_data(n)) : nullptr;
}

// The tab or page, or a report of the missing one.
Tab *find_tab(RUV_WIN nb, int16_t tab, Head **head = nullptr)
{
    Head *h = head_of(nb);
    if (head)
        *head = h;
    if (!h)
        return nullptr;
    Tab *t = tab_at(h, tab);
    if (!t)
        internal_error(nb);
    return t;
}

Page *find_page(RUV_WIN nb, int16_t tab, int16_t page)
{
    Tab *t = find_tab(nb, tab);
    if (!t)
        return nullptr;
    Page *p = page_at(t, page);
    if (!p)
        internal_error(nb);
    return p;
}

// Position 0 or an empty list: the front; beyond the list: the end;
// otherwise the new element takes that index.
bool insert_at(RUV_DLIST *list, void *data, int32_t position)
{
    const int32_t count = ruvv_dlist_count(list);
    if (position <= 0 || count == 0)
        return ruvv_dlist_insert(list, data, nullptr, RUV_DLIST_FRONT) != nullptr;
    if (position >= count)
        return ruvv_dlist_insert(list, data, nullptr, RUV_DLIST_END) != nullptr;
    return ruvv_dlist_insert(list, data, nth(list, position), RUV_DLIST_BEFORE) != nullptr;
}

int32_t index_in(RUV_DLIST *list, const void *data)
{
    int32_t i = 0;
    for (RUV_DLIST_NODE *n = ruvv_dlist_first(list); n; n = ruvv_dlist_next(n), ++i)
        if (ruvv_dlist_get_data(n) == data)
            return i;
    return -1;
}

bool set_text(char **slot, const char *text, RUV_WIN nb)
{
    char *copy = nullptr;
    if (text && !(copy = ruvv_str_duplicate(text))) {
        RUV_ERR(nb, RUV_SEV_ERROR, ERR_NO_MEMORY);
        return false;
    }
    ruvv_mem_free(*slot);
    *slot = copy;
    return true;
}

// The notebook's copy of a tab image: the first one fixes the size of all.
RUV_IMAGE *copy_image(Head *h, RUV_IMAGE *image, RUV_WIN nb)
{
    RUV_IMAGE *copy = nullptr;
    if (!ruvv_image_make_scaled(&h->image_size, image, &copy))
        RUV_ERR(nb, RUV_SEV_ERROR, ERR_NO_MEMORY);
    return copy;
}

// The whole characters of a title that fit with their terminator.
void copy_title(char *buf, const char *title, int32_t size)
{
    buf[0] = '\0';
    if (!title || size <= 1)
        return;
    const int32_t n = ruvv_str_copy_n_size(buf, title, size - 1);
    buf[n >= 0 && n < size ? n : 0] = '\0';
}

void free_page(Page *p)
{
    if (!p)
        return;
    ruvv_mem_free(p->title);
    ruvv_mem_free(p);
}

// Takes page out of the tab; with tell, its face is destroyed and the tab
// control told.
void remove_page(RUV_WIN nb, Tab *t, int16_t tab, int16_t page, bool tell)
{
    RUV_DLIST_NODE *n = nth(t->pages, page);
    if (!n)
        return;
    auto *p = static_cast<Page *>(ruvv_dlist_get_data(n));
    if (tell) {
        RUV_WIN face = p->face;
        p->face = NULL_WIN;  // the face forgets nothing while it goes
        destroy_face(face);
        ruvk_notebk_rem_page(nb, tab, page);
    }
    // The destroyed face may have taken the page list with it (a handler
    // that removed the tab): find the page again.
    n = nth(t->pages, index_in(t->pages, p));
    if (!n)
        return;
    ruvv_dlist_delete(t->pages, n);
    free_page(p);
    const int32_t left = ruvv_dlist_count(t->pages);
    if (left == 0)
        t->front_page = -1;
    else if (t->front_page == page)
        t->front_page = std::min<int32_t>(page, left - 1);
    else if (page < t->front_page)
        --t->front_page;
}

void remove_tab(RUV_WIN nb, Head *h, int16_t tab, bool tell)
{
    Tab *t = tab_at(h, tab);
    if (!t)
        return;
    for (int32_t i = ruvv_dlist_count(t->pages) - 1; i >= 0; --i)
        remove_page(nb, t, tab, static_cast<int16_t>(i), tell);
    RUV_DLIST_NODE *n = nth(h->tabs, index_in(h->tabs, t));
    if (n)
        ruvv_dlist_delete(h->tabs, n);
    ruvv_mem_free(t->title);
    ruvv_image_destroy(t->image);
    ruvv_dlist_destroy(t->pages);
    ruvv_mem_free(t);
    if (tell)
        ruvk_notebk_rem_tab(nb, tab);
    const int32_t left = ruvv_dlist_count(h->tabs);
    if (left == 0)
        h->front_tab = -1;
    else if (h->front_tab == tab)
        h->front_tab = static_cast<int16_t>(std::min<int32_t>(tab, left - 1));
    else if (tab < h->front_tab)
        --h->front_tab;
}

// A face being destroyed leaves its page.
void forget_face(RUV_WIN notebook, RUV_WIN face)
{
    Head *h = is_notebook(notebook) ? static_cast<Head *>(ruvk_notebk_get_notebk_head(notebook)) : nullptr;
    if (!h)
        return;
    for (RUV_DLIST_NODE *tn = ruvv_dlist_first(h->tabs); tn; tn = ruvv_dlist_next(tn)) {
        auto *t = static_cast<Tab *>(ruvv_dlist_get_data(tn));
        for (RUV_DLIST_NODE *pn = ruvv_dlist_first(t->pages); pn; pn = ruvv_dlist_next(pn)) {
            auto *p = static_cast<Page *>(ruvv_dlist_get_data(pn));
            if (p->face == face)
                p->face = NULL_WIN;
        }
    }
}

// Places a new face in the page area, hidden until its page is in front,
// and records it as the page's face (a former face is destroyed).
RUV_WIN adopt_face(RUV_WIN nb, int16_t tab, int16_t page, RUV_WIN face)
{
    if (!face)
        return NULL_WIN;
    face->kind |= RUV_KIND_PAGE;
    RUV_RECT area;
    ruvk_notebk_get_page_rect(nb, &area);
    ruvk_vobj_move(face, &area);
    Page *p = page_at(tab_at(head_of(nb, false), tab), page);
    if (!p) {  // the page went while the face was made
        destroy_face(face);
        return NULL_WIN;
    }
    RUV_WIN old = p->face;
    p->face = face;
    if (old && old != face)
        destroy_face(old);
    Head *h = head_of(nb, false);
    Tab *t = tab_at(h, tab);
    if (h && t && h->front_tab == tab && t->front_page == page)
        ruvk_notebk_set_front_page(nb, tab, page);
    return face;
}

} // namespace

extern "C" {

RUV_BOOL ruvv_notebk_add_tab(RUV_WIN notebook, int16_t position, const char *title, RUV_IMAGE *image)
{
    Head *h = head_of(notebook);
    if (!h)
        return FALSE;
    auto *t = static_cast<Tab *>(ruvv_mem_zalloc(sizeof(Tab)));
    if (t)
        t->pages = ruvv_dlist_create();
    if (!t || !t->pages || !set_text(&t->title, title, notebook)) {
        if (t && t->pages)
            ruvv_dlist_destroy(t->pages);
        ruvv_mem_free(t);
        RUV_ERR(notebook, RUV_SEV_ERROR, ERR_NO_MEMORY);
        return FALSE;
    }
    t->front_page = -1;
    if (image && ruvv_image_is_valid(image))
        t->image = copy_image(h, image, notebook);
    const int32_t count = ruvv_dlist_count(h->tabs);
    const int16_t index = static_cast<int16_t>(std::min<int32_t>(std::max<int32_t>(position, 0), count));
    if (!insert_at(h->tabs, t, index)) {
        ruvv_image_destroy(t->image);
        ruvv_mem_free(t->title);
        ruvv_dlist_destroy(t->pages);
        ruvv_mem_free(t);
        RUV_ERR(notebook, RUV_SEV_ERROR, ERR_NO_MEMORY);
        return FALSE;
    }
    if (h->front_tab >= index)
        ++h->front_tab;
    ruvk_notebk_add_tab(notebook, index, t->title, t->image);
    return TRUE;
}

RUV_BOOL ruvv_notebk_add_page(RUV_WIN notebook, int16_t tab, int16_t position, const char *title, intptr_t data)
{
    Tab *t = find_tab(notebook, tab);
    if (!t)
        return FALSE;
    auto *p = static_cast<Page *>(ruvv_mem_zalloc(sizeof(Page)));
    if (!p || !set_text(&p->title, title, notebook)) {
        ruvv_mem_free(p);
        RUV_ERR(notebook, RUV_SEV_ERROR, ERR_NO_MEMORY);
        return FALSE;
    }
    p->data = data;
    const int32_t count = ruvv_dlist_count(t->pages);
    const int32_t index = std::min<int32_t>(std::max<int32_t>(position, 0), count);
    if (!insert_at(t->pages, p, index)) {
        free_page(p);
        RUV_ERR(notebook, RUV_SEV_ERROR, ERR_NO_MEMORY);
        return FALSE;
    }
    if (t->front_page >= index)
        ++t->front_page;
    ruvk_notebk_add_page(notebook, tab, static_cast<int16_t>(index));
    return TRUE;
}

RUV_WIN ruvv_notebk_create_face(RUV_WIN notebook, int16_t tab, int16_t page, uint32_t event_mask,
                                RUV_EVENT_HANDLER handler, void *app_data)
{
    if (!find_page(notebook, tab, page))
        return NULL_WIN;
    RUV_RECT area;
    ruvk_notebk_get_page_rect(notebook, &area);
    RUV_WIN face = ruvk_win_create(kFaceType, &area, "", 0, notebook, kFaceFlags, event_mask, handler, app_data);
    return adopt_face(notebook, tab, page, face);
}

RUV_WIN ruvv_notebk_create_face_def(RUV_WIN notebook, int16_t tab, int16_t page, const RUV_WIN_DEF *def,
                                    uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data)
{
    if (!def) {
        internal_error(notebook);
        return NULL_WIN;
    }
    if (!find_page(notebook, tab, page))
        return NULL_WIN;
    // A copy of the window element with the face's type, flags and place;
    // the controls follow it unchanged.
    int32_t count = 1;
    while (def[count].type != 0)
        ++count;
    auto *copy = static_cast<RUV_WIN_DEF *>(ruvv_mem_alloc(sizeof(RUV_WIN_DEF) * (count + 1)));
    if (!copy) {
        RUV_ERR(notebook, RUV_SEV_ERROR, ERR_NO_MEMORY);
        return NULL_WIN;
    }
    std::memcpy(copy, def, sizeof(RUV_WIN_DEF) * (count + 1));
    copy[0].type = kFaceType;
    copy[0].u.win.flags = kFaceFlags;
    copy[0].unit = 0;
    ruvk_notebk_get_page_rect(notebook, &copy[0].rect);
    RUV_WIN face = ruvk_win_create_def(copy, notebook, event_mask, handler, app_data);
    ruvv_mem_free(copy);
    return adopt_face(notebook, tab, page, face);
}

RUV_WIN ruvv_notebk_create_face_res(RUV_WIN notebook, int16_t tab, int16_t page, int32_t res_id,
                                    uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data)
{
    if (!find_page(notebook, tab, page))
        return NULL_WIN;
    RUV_WIN face = ruvv_win_create_res(res_id, notebook, event_mask, handler, app_data);
    return adopt_face(notebook, tab, page, face);
}

RUV_WIN ruvv_notebk_get_face(RUV_WIN notebook, int16_t tab, int16_t page)
{
    Page *p = find_page(notebook, tab, page);
    return p ? p->face : NULL_WIN;
}

RUV_BOOL ruvv_notebk_get_page_from_face(RUV_WIN face, int16_t *tab, int16_t *page)
{
    if (tab)
        *tab = -1;
    if (page)
        *page = -1;
    if (!ruvv_vobj_is_valid(face) || !is_notebook(face->parent))
        return FALSE;
    Head *h = head_of(face->parent, false);
    if (!h)
        return FALSE;
    int16_t ti = 0;
    for (RUV_DLIST_NODE *tn = ruvv_dlist_first(h->tabs); tn; tn = ruvv_dlist_next(tn), ++ti) {
        auto *t = static_cast<Tab *>(ruvv_dlist_get_data(tn));
        int16_t pi = 0;
        for (RUV_DLIST_NODE *pn = ruvv_dlist_first(t->pages); pn; pn = ruvv_dlist_next(pn), ++pi) {
            if (static_cast<Page *>(ruvv_dlist_get_data(pn))->face == face) {
                if (tab)
                    *tab = ti;
                if (page)
                    *page = pi;
                return TRUE;
            }
        }
    }
    return FALSE;
}

int16_t ruvv_notebk_get_num_tabs(RUV_WIN notebook)
{
    Head *h = head_of(notebook);
    return h ? static_cast<int16_t>(ruvv_dlist_count(h->tabs)) : 0;
}

int16_t ruvv_notebk_get_num_pages(RUV_WIN notebook, int16_t tab)
{
    Tab *t = find_tab(notebook, tab);
    return t ? static_cast<int16_t>(ruvv_dlist_count(t->pages)) : 0;
}

intptr_t ruvv_notebk_get_page_data(RUV_WIN notebook, int16_t tab, int16_t page)
{
    Page *p = find_page(notebook, tab, page);
    return p ? p->data : 0;
}

RUV_BOOL ruvv_notebk_set_page_data(RUV_WIN notebook, int16_t tab, int16_t page, intptr_t data)
{
    Page *p = find_page(notebook, tab, page);
    if (!p)
        return FALSE;
    p->data = data;
    return TRUE;
}

char *ruvv_notebk_get_page_title(RUV_WIN notebook, int16_t tab, int16_t page, char *buf, int32_t size)
{
    if (buf && size > 0)
        buf[0] = '\0';
    Page *p = find_page(notebook, tab, page);
    if (!p || !buf || size <= 0)
        return nullptr;
    copy_title(buf, p->title, size);
    return buf;
}

char *ruvv_notebk_get_tab_title(RUV_WIN notebook, int16_t tab, char *buf, int32_t size)
{
    if (buf && size > 0)
        buf[0] = '\0';
    Tab *t = find_tab(notebook, tab);
    if (!t || !buf || size <= 0)
        return nullptr;
    copy_title(buf, t->title, size);
    return buf;
}

RUV_BOOL ruvv_notebk_set_page_title(RUV_WIN notebook, int16_t tab, int16_t page, const char *title)
{
    Page *p = find_page(notebook, tab, page);
    if (!p || !set_text(&p->title, title, notebook))
        return FALSE;
    ruvk_notebk_set_page_title(notebook, tab, page, p->title);
    return TRUE;
}

RUV_BOOL ruvv_notebk_set_tab_title(RUV_WIN notebook, int16_t tab, const char *title)
{
    Tab *t = find_tab(notebook, tab);
    if (!t || !set_text(&t->title, title, notebook))
        return FALSE;
    ruvk_notebk_set_tab_title(notebook, tab, t->title ? t->title : "");
    return TRUE;
}

RUV_IMAGE *ruvv_notebk_get_tab_image(RUV_WIN notebook, int16_t tab)
{
    Tab *t = find_tab(notebook, tab);
    return t ? t->image : nullptr;
}

RUV_BOOL ruvv_notebk_set_tab_image(RUV_WIN notebook, int16_t tab, RUV_IMAGE *image)
{
    Head *h = nullptr;
    Tab *t = find_tab(notebook, tab, &h);
    if (!t)
        return FALSE;
    RUV_IMAGE *copy = nullptr;
    if (image && ruvv_image_is_valid(image) && !(copy = copy_image(h, image, notebook)))
        return FALSE;
    ruvv_image_destroy(t->image);
    t->image = copy;
    // Without an image the tab control drops the tab's old one too.
    ruvk_notebk_set_tab_image(notebook, tab, copy);
    return TRUE;
}

RUV_BOOL ruvv_notebk_set_front_page(RUV_WIN notebook, int16_t tab, int16_t page)
{
    Head *h = nullptr;
    Tab *t = find_tab(notebook, tab, &h);
    if (!t)
        return FALSE;
    if (page < 0 || page >= ruvv_dlist_count(t->pages)) {
        internal_error(notebook);
        return FALSE;
    }
    h->front_tab = tab;
    t->front_page = page;
    ruvk_notebk_set_front_page(notebook, tab, page);
    return TRUE;
}

RUV_WIN ruvv_notebk_get_front_page(RUV_WIN notebook, int16_t *tab)
{
    if (tab)
        *tab = -1;
    Head *h = head_of(notebook);
    if (!h)
        return NULL_WIN;
    if (tab)
        *tab = h->front_tab;
    Tab *t = tab_at(h, h->front_tab);
    Page *p = t ? page_at(t, static_cast<int16_t>(t->front_page)) : nullptr;
    return p ? p->face : NULL_WIN;
}

RUV_BOOL ruvv_notebk_rem_page(RUV_WIN notebook, int16_t tab, int16_t page)
{
    Tab *t = find_tab(notebook, tab);
    if (!t)
        return FALSE;
    if (!page_at(t, page)) {
        internal_error(notebook);
        return FALSE;
    }
    remove_page(notebook, t, tab, page, true);
    return TRUE;
}

RUV_BOOL ruvv_notebk_rem_tab(RUV_WIN notebook, int16_t tab)
{
    Head *h = nullptr;
    if (!find_tab(notebook, tab, &h))
        return FALSE;
    remove_tab(notebook, h, tab, true);
    return TRUE;
}

int32_t ruvv_notebk_enum_pages(RUV_WIN notebook, RUV_NOTEBK_ENUM_FN fn, void *data)
{
    Head *h = head_of(notebook);
    if (!h || !fn)
        return 0;
    const int16_t tabs = static_cast<int16_t>(ruvv_dlist_count(h->tabs));
    for (int16_t ti = 0; ti < tabs; ++ti) {
        Tab *t = tab_at(h, ti);
        if (!t)
            break;  // the walk's function removed tabs
        const int16_t pages = static_cast<int16_t>(ruvv_dlist_count(t->pages));
        for (int16_t pi = 0; pi < pages; ++pi)
            if (fn(notebook, ti, pi, data) == 0)
                return 0;
    }
    return 1;
}

// ---- For the tab control ----

RUV_WIN ruvv_notebk_face_at(RUV_WIN notebook, int16_t tab, int16_t page)
{
    Head *h = is_notebook(notebook) ? static_cast<Head *>(ruvk_notebk_get_notebk_head(notebook)) : nullptr;
    Page *p = page_at(tab_at(h, tab), page);
    return p && ruvv_vobj_is_valid(p->face) ? p->face : NULL_WIN;
}

void ruvv_notebk_note_front(RUV_WIN notebook, int16_t tab, int16_t page)
{
    Head *h = is_notebook(notebook) ? static_cast<Head *>(ruvk_notebk_get_notebk_head(notebook)) : nullptr;
    Tab *t = tab_at(h, tab);
    if (!t)
        return;
    h->front_tab = tab;
    if (page_at(t, page))
        t->front_page = page;
}

int16_t ruvv_notebk_tab_front_page(RUV_WIN notebook, int16_t tab)
{
    Head *h = is_notebook(notebook) ? static_cast<Head *>(ruvk_notebk_get_notebk_head(notebook)) : nullptr;
    Tab *t = tab_at(h, tab);
    return t ? static_cast<int16_t>(t->front_page) : -1;
}

void ruvv_notebk_head_destroy(RUV_WIN notebook)
{
    auto *h = static_cast<Head *>(ruvk_notebk_get_notebk_head(notebook));
    if (!h)
        return;
    for (int32_t i = ruvv_dlist_count(h->tabs) - 1; i >= 0; --i)
        remove_tab(notebook, h, static_cast<int16_t>(i), false);
    ruvv_dlist_destroy(h->tabs);
    ruvv_mem_free(h);
    ruvk_notebk_set_notebk_head(notebook, nullptr);
}

} // extern "C"
