// The notebook control as a Windows tab control: its tab items with titles
// and images (an image list made with the first image), the page area
// below the tab row where the faces live, bringing a page's face to the
// front, and the E_CONTROL event its parent gets when the user picks a tab.
// The control keeps the notebook model's head and a little state of its own
// in a record hung on the native window, which goes with the window.
#include "notebook_private.h"

#include <cstring>
#include <string>

#include "event_translate.h"
#include "native_controls.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_event.h"
#include "ruvv_image.h"
#include "ruvv_mem.h"
#include "ruvk.h"
#include "window_create.h"
#include "window_services.h"

namespace {

const char kProp[] = "ruv.notebook";
constexpr uint32_t CF_TAB_OFFSET = 0x400;  // the page area starts lower
constexpr int32_t ATTR_TAB_OFFSET = 202;

struct Native {
    RUV_WIN notebook;
    void *head;            // the model's
    HIMAGELIST images;
    int16_t front_tab, front_page;
    RUV_WIN front_face;    // shown by the last bring-to-front
    WNDPROC prev_proc;
};

bool valid(RUV_WIN w)
{
    return ruvv_vobj_is_valid(w) != 0;
}

HWND hwnd_of(RUV_WIN nb)
{
    return valid(nb) ? ruvk_vobj_hwnd(nb) : nullptr;
}

Native *native_of(RUV_WIN nb)
{
    HWND h = hwnd_of(nb);
    return h ? static_cast<Native *>(GetPropA(h, kProp)) : nullptr;
}

// Shows and raises the face of (tab, page) and hides the face shown before
// (unless it is the same one or there was none); records the front.
void bring_to_front(Native *n, int16_t tab, int16_t page)
{
    RUV_WIN face = ruvv_notebk_face_at(n->notebook, tab, page);
    RUV_WIN before = n->front_face;
    if (face) {
        ruvk_vobj_set_visible(face, TRUE);
        ruvk_vobj_raise(face);
    }
    if (before && before != face && valid(before))
        ruvk_vobj_set_visible(before, FALSE);
    n->front_tab = tab;
    n->front_page = page;
    n->front_face = face;
}

// Follows the user's tab choices (a click or an arrow key on the tab row)
// and lets the record go with the window.
LRESULT CALLBACK tab_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto *n = static_cast<Native *>(GetPropA(hwnd, kProp));
    if (!n)
        return DefWindowProcA(hwnd, msg, wp, lp);
    WNDPROC prev = n->prev_proc;
    if (msg == WM_NCDESTROY) {
        if (valid(n->notebook))
            ruvv_notebk_head_destroy(n->notebook);
        if (n->images)
            ImageList_Destroy(n->images);
        RemovePropA(hwnd, kProp);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
        ruvv_mem_free(n);
        return CallWindowProcA(prev, hwnd, msg, wp, lp);
    }
    const bool may_pick = msg == WM_LBUTTONDOWN || msg == WM_KEYDOWN;
    const LRESULT before = may_pick ? SendMessageA(hwnd, TCM_GETCURSEL, 0, 0) : -1;
    LRESULT result = CallWindowProcA(prev, hwnd, msg, wp, lp);
    if (may_pick && GetPropA(hwnd, kProp) == n && valid(n->notebook)) {
        const LRESULT after = SendMessageA(hwnd, TCM_GETCURSEL, 0, 0);
        if (after >= 0 && after != before) {
            const auto tab = static_cast<int16_t>(after);
            int16_t page = ruvv_notebk_tab_front_page(n->notebook, tab);
            ruvk_notebk_tab_changed(n->notebook, tab, page < 0 ? 0 : page);
        }
    }
    return result;
}

// A device-independent bitmap of the whole image (24 bits a pixel).
HBITMAP bitmap_of(RUV_IMAGE *image)
{
    const int w = image->width, h = image->height;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp || !bits)
        return bmp;
    const int stride = ((w * 3) + 3) & ~3;
    for (int y = 0; y < h; ++y) {
        auto *row = static_cast<uint8_t *>(bits) + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x) {
            const RUV_COLOR c = ruvv_image_get_pixel(image, x, y);
            row[x * 3 + 0] = static_cast<uint8_t>(c & 0xFF);
            row[x * 3 + 1] = static_cast<uint8_t>((c >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<uint8_t>((c >> 16) & 0xFF);
        }
    }
    GdiFlush();
    return bmp;
}

void set_item_text(HWND h, int16_t tab, const char *title)
{
    std::string native(std::strlen(title) * 2 + 1, '\0');
    ruvk_title_to_native(title, &native[0], native.size());
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = &native[0];
    item.cchTextMax = static_cast<int>(std::strlen(native.c_str()) + 1);
    SendMessageA(h, TCM_SETITEMA, tab, reinterpret_cast<LPARAM>(&item));
}

} // namespace

extern "C" {

RUV_BOOL ruvk_notebk_attach(RUV_WIN notebook)
{
    HWND h = hwnd_of(notebook);
    if (!h)
        return FALSE;
    if (GetPropA(h, kProp))
        return TRUE;
    auto *n = static_cast<Native *>(ruvv_mem_zalloc(sizeof(Native)));
    if (!n)
        return FALSE;
    n->notebook = notebook;
    n->front_tab = n->front_page = -1;
    if (!SetPropA(h, kProp, n)) {
        ruvv_mem_free(n);
        return FALSE;
    }
    n->prev_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(tab_proc)));
    return TRUE;
}

void *ruvk_notebk_get_notebk_head(RUV_WIN notebook)
{
    Native *n = native_of(notebook);
    return n ? n->head : nullptr;
}

void ruvk_notebk_set_notebk_head(RUV_WIN notebook, void *head)
{
    if (head && !native_of(notebook))
        ruvk_notebk_attach(notebook);
    if (Native *n = native_of(notebook))
        n->head = head;
}

RUV_BOOL ruvk_notebk_add_image_list(RUV_WIN notebook, int32_t width, int32_t height, uint32_t flags)
{
    Native *n = native_of(notebook);
    if (!n)
        return FALSE;
    if (n->images)
        return TRUE;
    n->images = ImageList_Create(width, height, flags, 0, 20);
    if (!n->images)
        return FALSE;
    SendMessageA(hwnd_of(notebook), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(n->images));
    return TRUE;
}

int32_t ruvk_notebk_add_image_to_list(RUV_WIN notebook, RUV_IMAGE *image)
{
    if (!ruvv_image_is_valid(image))
        return -1;
    uint32_t flags = ILC_COLOR4;
    if (image->format == RUV_IMAGE_INDEXED)
        flags = ILC_COLOR8;
    else if (image->format == RUV_IMAGE_DIRECT)
        flags = ILC_COLOR24;
    // A failure answers -1: 0 would name the first image of the list.
    if (!ruvk_notebk_add_image_list(notebook, image->width, image->height, flags))
        return -1;
    HBITMAP bmp = bitmap_of(image);
    if (!bmp)
        return -1;
    const int index = ImageList_Add(native_of(notebook)->images, bmp, nullptr);
    DeleteObject(bmp);
    return index < 0 ? -1 : index;
}

void ruvk_notebk_destroy_image_list(RUV_WIN notebook)
{
    Native *n = native_of(notebook);
    if (n && n->images && ImageList_Destroy(n->images))
        n->images = nullptr;
}

int32_t ruvk_notebk_add_tab(RUV_WIN notebook, int16_t tab, const char *title, RUV_IMAGE *image)
{
    HWND h = hwnd_of(notebook);
    Native *n = native_of(notebook);
    if (!h || !n)
        return -1;
    std::string native;
    TCITEMA item = {};
    if (title) {
        native.assign(std::strlen(title) * 2 + 1, '\0');
        ruvk_title_to_native(title, &native[0], native.size());
        item.mask |= TCIF_TEXT;
        item.pszText = &native[0];
        item.cchTextMax = static_cast<int>(std::strlen(native.c_str()) + 1);
    }
    if (image) {
        const int32_t index = ruvk_notebk_add_image_to_list(notebook, image);
        if (index >= 0) {
            item.mask |= TCIF_IMAGE;
            item.iImage = index;
        }
    }
    const LRESULT r = SendMessageA(h, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
    if (r >= 0 && n->front_tab >= tab)
        ++n->front_tab;
    if (tab != 0)
        return ruvk_notebk_relayout(notebook);
    return static_cast<int32_t>(r);
}

void ruvk_notebk_rem_tab(RUV_WIN notebook, int16_t tab)
{
    HWND h = hwnd_of(notebook);
    Native *n = native_of(notebook);
    if (!h || !n)
        return;
    SendMessageA(h, TCM_DELETEITEM, tab, 0);
    if (n->front_tab == tab) {
        n->front_tab = n->front_page = -1;
        n->front_face = NULL_WIN;
    } else if (n->front_tab > tab) {
        --n->front_tab;
    }
}

void ruvk_notebk_set_tab_title(RUV_WIN notebook, int16_t tab, const char *title)
{
    HWND h = hwnd_of(notebook);
    if (!h)
        return;
    set_item_text(h, tab, title ? title : "");
    ruvk_notebk_relayout(notebook);
}

int32_t ruvk_notebk_set_tab_image(RUV_WIN notebook, int16_t tab, RUV_IMAGE *image)
{
    HWND h = hwnd_of(notebook);
    if (!h)
        return -1;
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    item.iImage = -1;
    if (SendMessageA(h, TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item)) && item.iImage >= 0)
        SendMessageA(h, TCM_REMOVEIMAGE, item.iImage, 0);
    const int32_t index = ruvk_notebk_add_image_to_list(notebook, image);
    if (index < 0) {
        // The tab is left without an image, and its width changes.
        ruvk_notebk_relayout(notebook);
        return -1;
    }
    item.mask = TCIF_IMAGE;
    item.iImage = index;
    SendMessageA(h, TCM_SETITEMA, tab, reinterpret_cast<LPARAM>(&item));
    ruvk_notebk_relayout(notebook);
    return index;
}

RUV_WIN ruvk_notebk_get_front_page(RUV_WIN notebook, int16_t *tab, int16_t *page)
{
    HWND h = hwnd_of(notebook);
    const int16_t t = h ? static_cast<int16_t>(SendMessageA(h, TCM_GETCURSEL, 0, 0)) : -1;
    if (tab)
        *tab = t;
    if (page)
        *page = 0;
    return t >= 0 ? ruvv_notebk_face_at(notebook, t, 0) : NULL_WIN;
}

void ruvk_notebk_set_front_page(RUV_WIN notebook, int16_t tab, int16_t page)
{
    HWND h = hwnd_of(notebook);
    Native *n = native_of(notebook);
    if (!h || !n)
        return;
    if (SendMessageA(h, TCM_GETCURSEL, 0, 0) != tab)
        SendMessageA(h, TCM_SETCURSEL, tab, 0);
    bring_to_front(n, tab, page);
}

void ruvk_notebk_rem_page(RUV_WIN notebook, int16_t tab, int16_t page)
{
    Native *n = native_of(notebook);
    if (!n || n->front_tab != tab)
        return;
    if (n->front_page == page) {
        n->front_page = -1;
        n->front_face = NULL_WIN;
    } else if (n->front_page > page) {
        --n->front_page;
    }
}

void ruvk_notebk_add_page(RUV_WIN notebook, int16_t tab, int16_t page)
{
    (void)notebook;
    (void)tab;
    (void)page;
}

void ruvk_notebk_set_page_title(RUV_WIN notebook, int16_t tab, int16_t page, const char *title)
{
    (void)notebook;
    (void)tab;
    (void)page;
    (void)title;
}

void ruvk_notebk_get_page_rect(RUV_WIN notebook, RUV_RECT *rect)
{
    if (!rect)
        return;
    *rect = RUV_RECT{0, 0, 0, 0};
    HWND h = hwnd_of(notebook);
    if (!h)
        return;
    RECT c = {}, r = {};
    GetClientRect(h, &c);
    SendMessageA(h, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    LONG top = r.bottom + 4;
    LONG right = c.right < 8 ? 4 : c.right - 4;
    LONG bottom = c.bottom - r.bottom < 8 ? r.bottom + 4 : c.bottom - 4;
    if (notebook->create_flags & CF_TAB_OFFSET)
        top += static_cast<LONG>(ruvk_vobj_get_attr(NULL_WIN, ATTR_TAB_OFFSET)) + 4;
    rect->top = static_cast<int16_t>(top);
    rect->left = 4;
    rect->bottom = static_cast<int16_t>(bottom);
    rect->right = static_cast<int16_t>(right);
}

int32_t ruvk_notebk_relayout(RUV_WIN notebook)
{
    Native *n = native_of(notebook);
    if (!n || n->front_page < 0 || !valid(n->front_face))
        return 0;
    RUV_RECT area, outer;
    ruvk_notebk_get_page_rect(notebook, &area);
    ruvk_vobj_get_outer_rect(n->front_face, &outer);
    if (std::memcmp(&area, &outer, sizeof area) != 0) {
        for (HWND c = GetWindow(hwnd_of(notebook), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (RUV_WIN w = ruvwi_hwnd_to_window(c))
                ruvk_vobj_move(w, &area);
    }
    ruvk_vobj_set_visible(n->front_face, FALSE);
    ruvk_vobj_set_visible(n->front_face, TRUE);
    return 1;
}

void ruvk_notebk_tab_changed(RUV_WIN notebook, int16_t tab, int16_t page)
{
    if (!valid(notebook))
        return;
    RUV_EVENT ev;
    ruvk_event_init(&ev, E_CONTROL);
    ev.v.control.id = ruvk_ctl_get_id(notebook);
    ev.v.control.type = WC_NOTEBOOK;
    ev.v.control.ctl = notebook;
    ev.v.control.data.notebook.face = ruvv_notebk_face_at(notebook, tab, page);
    ev.v.control.data.notebook.tab = tab;
    ev.v.control.data.notebook.page = page;
    if (valid(notebook->parent))
        ruvk_win_dispatch_event(notebook->parent, &ev);
    // The handler may have destroyed the notebook.
    Native *n = valid(notebook) ? native_of(notebook) : nullptr;
    if (!n)
        return;
    bring_to_front(n, tab, page);
    ruvv_notebk_note_front(notebook, tab, page);
}

} // extern "C"
