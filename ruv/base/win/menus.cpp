// Menus on Windows: native menu bars built from menu trees and trees read
// back from native menus, the index from command tags to native positions,
// the menu record of each window, the small cache that keeps only a few
// native menus alive at once, pop-up menus and the font-menu selection.

#include "menus.h"

#include <cctype>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "window_create.h"
#include "window_services.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_NO_OBJECT = 0x1210001;      // "NULL Object handle"
constexpr RUV_ERRMSG_ID ERR_NO_WINDOW = 0x1210002;      // "NULL Window handle"
constexpr RUV_ERRMSG_ID ERR_ACCESS = 0x1540003;         // "Failed to access object"
constexpr RUV_ERRMSG_ID ERR_NO_MEMORY = 0x510000;       // "Failed to allocate memory"
constexpr RUV_ERRMSG_ID ERR_ATTACH = 0x3486E0;
constexpr RUV_ERRMSG_ID ERR_ENSURE_CHECKED = 0x3480EF;
constexpr RUV_ERRMSG_ID ERR_TAG_CHECKED = 0x3480F0;
constexpr RUV_ERRMSG_ID ERR_ENSURE_ENABLED = 0x3480F3;
constexpr RUV_ERRMSG_ID ERR_TAG_ENABLED = 0x3480F4;
constexpr RUV_ERRMSG_ID ERR_ENSURE_TITLE = 0x3480FB;
constexpr RUV_ERRMSG_ID ERR_TAG_TITLE = 0x3480FC;
constexpr RUV_ERRMSG_ID ERR_MODIFY_TITLE = 0x3480FD;
constexpr RUV_ERRMSG_ID ERR_ENSURE_SET_TREE = 0x348104;
constexpr RUV_ERRMSG_ID ERR_ENSURE_UPDATE = 0x34814D;
constexpr RUV_ERRMSG_ID ERR_ENSURE_FONT = 0x34814E;
constexpr RUV_ERRMSG_ID ERR_INDEX_GROW = 0x34817F;
constexpr RUV_ERRMSG_ID ERR_INDEX_GROW_NATIVE = 0x348181;
constexpr RUV_ERRMSG_ID ERR_INDEX_GROW_POPUP = 0x348182;

constexpr int32_t FIRST_STANDARD_TAG = 32000;
constexpr int32_t TAG_CLOSE_ALL = 32766;
constexpr int32_t TAG_CLOSE = 32065;
constexpr int32_t FIRST_HELP_TAG = 32450;
constexpr int32_t LAST_HELP_TAG = 32499;
constexpr int32_t FIRST_SYSTEM_TAG = 61440;
constexpr size_t INDEX_STEP = 50;
constexpr int TITLE_READ = 512;

// Native state bits that a tree keeps in its native-flags word.
constexpr UINT STATE_OWN_BITS = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP;

struct IndexEntry {
    int32_t tag;
    HMENU menu;
    int position;
};

// The tag index: entries in the toolkit's memory, grown by INDEX_STEP
// entries at a time.
struct TagIndex {
    IndexEntry *items = nullptr;
    size_t count = 0, capacity = 0;

    TagIndex() = default;
    TagIndex(const TagIndex &) = delete;
    TagIndex &operator=(const TagIndex &) = delete;
    ~TagIndex() { ruvv_mem_free(items); }
    IndexEntry *begin() { return items; }
    IndexEntry *end() { return items + count; }
    const IndexEntry *begin() const { return items; }
    const IndexEntry *end() const { return items + count; }
    void clear() { count = 0; }
    // FALSE when the index cannot grow.
    bool add(const IndexEntry &e)
    {
        if (count == capacity) {
            auto *grown = static_cast<IndexEntry *>(
                ruvv_mem_realloc(items, (capacity + INDEX_STEP) * sizeof(IndexEntry)));
            if (!grown)
                return false;
            items = grown;
            capacity += INDEX_STEP;
        }
        items[count++] = e;
        return true;
    }
};

struct Record {
    uint32_t kind = 0;
    RUV_WIN window = NULL_WIN;
    int32_t resource_id = 0;
    RUV_MENU_ITEM *saved = nullptr;
    HMENU native = nullptr;
    HMENU flat = nullptr;
    TagIndex index;
    RUV_FONT *font = nullptr;
    int16_t has_selection = 0;
    bool cached = false;
};

std::unordered_map<RUV_WIN, Record *> &records()
{
    static std::unordered_map<RUV_WIN, Record *> r;
    return r;
}

// The ring of records holding native menus, newest first, and the one
// shown now.
std::vector<Record *> &ring()
{
    static std::vector<Record *> r;
    return r;
}
Record *current = nullptr;

Record *record_of(RUV_WIN win)
{
    auto it = records().find(win);
    return it == records().end() ? nullptr : it->second;
}

bool is_mdi(const Record *r)
{
    return r->kind == RUVK_KIND_MDIDOC || r->kind == RUVK_KIND_MDITASK;
}

RUV_WIN task_window()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

HWND hwnd_of(RUV_WIN win)
{
    return win && ruvv_vobj_is_valid(win) ? static_cast<HWND>(win->native) : nullptr;
}

HWND frame()
{
    return hwnd_of(task_window());
}

// ---- trees ----

bool is_end(const RUV_MENU_ITEM *m)
{
    return !m->tag && !m->title && !m->submenu && !m->flags;
}

char *dup_text(const char *s)
{
    size_t n = s ? std::strlen(s) : 0;
    auto *out = static_cast<char *>(ruvv_mem_alloc(n + 1));
    if (out) {
        if (n)
            std::memcpy(out, s, n);
        out[n] = '\0';
    }
    return out;
}

RUV_MENU_ITEM *copy_tree(const RUV_MENU_ITEM *tree)
{
    size_t n = 0;
    while (!is_end(&tree[n]))
        ++n;
    auto *out = static_cast<RUV_MENU_ITEM *>(ruvv_mem_zalloc((n + 1) * sizeof(RUV_MENU_ITEM)));
    if (!out)
        return nullptr;
    for (size_t i = 0; i < n; ++i) {
        out[i] = tree[i];
        out[i].title = tree[i].title ? dup_text(tree[i].title) : nullptr;
        out[i].submenu = tree[i].submenu ? copy_tree(tree[i].submenu) : nullptr;
        if ((tree[i].title && !out[i].title) || (tree[i].submenu && !out[i].submenu)) {
            out[i + 1] = RUV_MENU_ITEM{};
            ruvv_res_free_menu_tree(out);
            return nullptr;
        }
    }
    return out;
}

// ---- building native menus ----

// The text shown for a bar item: a literal '&' doubled so that it stays a
// character, and '&' before the mnemonic (the first character equal to
// it, else the first equal without regard to case).
std::string bar_text(const char *title, int32_t mnemonic)
{
    std::string t = title ? title : "";
    size_t mark = std::string::npos;
    const char m = static_cast<char>(mnemonic & 0xFF);
    if (mnemonic > 0 && mnemonic < 256 && m != '&') {
        mark = t.find(m);
        if (mark == std::string::npos) {
            for (size_t i = 0; i < t.size(); ++i)
                if (std::tolower(static_cast<unsigned char>(t[i])) == std::tolower(static_cast<unsigned char>(m))) {
                    mark = i;
                    break;
                }
        }
    }
    std::string out;
    out.reserve(t.size() * 2 + 1);
    for (size_t i = 0; i < t.size(); ++i) {
        if (i == mark)
            out += '&';
        if (t[i] == '&')
            out += '&';
        out += t[i];
    }
    return out;
}

// A menu whose items cannot all be indexed cannot be built: its items
// could not be found by tag.
bool add_index(Record *r, int32_t tag, HMENU menu, int position, RUV_ERRMSG_ID fatal)
{
    if (r->index.add({ tag, menu, position }))
        return true;
    RUV_ERR(r->window, RUV_SEV_FATAL, fatal);
    return false;
}

UINT item_flags(const RUV_MENU_ITEM &m)
{
    UINT carried = m.reserved & ~STATE_OWN_BITS;
    if (m.flags & RUV_MENU_SEPARATOR)
        return carried | MF_SEPARATOR;
    UINT f = carried | MF_STRING;
    if (m.flags & RUV_MENU_CHECKED)
        f |= MF_CHECKED;
    if (!(m.flags & RUV_MENU_ENABLED))
        f |= MF_GRAYED;
    return f;
}

// Appends the tree's items to menu, recording each in the index (record
// given) or as a pop-up (no record: titles as given, no column or mnemonic
// rules).  FALSE at the first append that fails.
bool build_items(Record *r, HMENU menu, RUV_MENU_ITEM *tree)
{
    int position = 0;
    for (RUV_MENU_ITEM *m = tree; !is_end(m); ++m, ++position) {
        if (r && !add_index(r, m->tag, menu, position, ERR_INDEX_GROW))
            return false;
        UINT flags = item_flags(*m);
        BOOL ok;
        if (m->flags & RUV_MENU_SEPARATOR) {
            ok = AppendMenuA(menu, flags, 0, nullptr);
        } else {
            std::string text;
            if (r) {
                if (m->title && m->title[0] == '|' && m->title[1] != '\0') {
                    std::memmove(m->title, m->title + 1, std::strlen(m->title));
                    flags |= MF_MENUBARBREAK;
                }
                text = bar_text(m->title, m->mnemonic);
            } else {
                text = m->title ? m->title : "";
            }
            if (m->submenu) {
                HMENU sub = CreatePopupMenu();
                if (!sub || !build_items(r, sub, m->submenu)) {
                    if (sub)
                        DestroyMenu(sub);
                    return false;
                }
                ok = AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
                if (!ok)
                    DestroyMenu(sub);
            } else {
                ok = AppendMenuA(menu, flags, static_cast<UINT_PTR>(static_cast<uint32_t>(m->tag)), text.c_str());
            }
        }
        if (!ok)
            return false;
    }
    return true;
}

// Indexes a native menu loaded from the program's resources: every item's
// id at its position, a pop-up with its first item's id minus one.
bool index_native(Record *r, HMENU menu, bool top)
{
    const RUV_ERRMSG_ID fatal = top ? ERR_INDEX_GROW_NATIVE : ERR_INDEX_GROW_POPUP;
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (!add_index(r, static_cast<int32_t>(GetMenuItemID(sub, 0)) - 1, menu, i, fatal) ||
                !index_native(r, sub, false))
                return false;
        } else if (!add_index(r, static_cast<int32_t>(GetMenuItemID(menu, i)), menu, i, fatal)) {
            return false;
        }
    }
    return true;
}

// The window menu goes before the help menu (a top item whose tag, or
// whose first item's tag, is a help tag), or at the end.
void insert_window_menu(Record *r)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app || !app->window_menu || !r->native)
        return;
    int n = GetMenuItemCount(r->native);
    int at = n;
    for (int i = 0; i < n && at == n; ++i) {
        int32_t tag = static_cast<int32_t>(GetMenuItemID(r->native, i));
        if (HMENU sub = GetSubMenu(r->native, i))
            tag = static_cast<int32_t>(GetMenuItemID(sub, 0));
        if (tag >= FIRST_HELP_TAG && tag <= LAST_HELP_TAG)
            at = i;
    }
    if (at == n) {
        AppendMenuA(r->native, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(app->window_menu),
                    app->window_menu_title);
        return;
    }
    InsertMenuA(r->native, static_cast<UINT>(at), MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(app->window_menu), app->window_menu_title);
    for (IndexEntry &e : r->index)
        if (e.menu == r->native && e.position >= at)
            ++e.position;
}

void remove_window_menu(Record *r)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!app || !app->window_menu || !r->native)
        return;
    for (int i = GetMenuItemCount(r->native) - 1; i >= 0; --i)
        if (GetSubMenu(r->native, i) == app->window_menu)
            RemoveMenu(r->native, static_cast<UINT>(i), MF_BYPOSITION);
}

// ---- reading native menus ----

bool system_menu_at_front(const Record *r, HMENU menu)
{
    if (!is_mdi(r) || menu != r->native)
        return false;
    HMENU first = GetSubMenu(menu, 0);
    return first && GetMenuItemID(first, 0) > 0xEFFF;
}

int32_t index_tag(const Record *r, HMENU menu, int position)
{
    for (const IndexEntry &e : r->index)
        if (e.menu == menu && e.position == position)
            return e.tag;
    return 0;
}

// The title without its marks: "&&" is one '&', the character after the
// first single '&' is the mnemonic.
void strip_marks(const char *native, char *title, int32_t *mnemonic)
{
    *mnemonic = 0;
    char *o = title;
    for (const char *p = native; *p; ++p) {
        if (*p == '&') {
            if (p[1] == '&') {
                *o++ = '&';
                ++p;
                continue;
            }
            if (!*mnemonic && p[1])
                *mnemonic = static_cast<unsigned char>(p[1]);
            continue;
        }
        *o++ = *p;
    }
    *o = '\0';
}

RUV_MENU_ITEM *read_tree(const Record *r, HMENU menu, bool report)
{
    int n = menu ? GetMenuItemCount(menu) : 0;
    if (n <= 0) {
        if (report)
            RUV_ERR(r->window, RUV_SEV_ERROR, ERR_ACCESS);
        return nullptr;
    }
    auto *tree = static_cast<RUV_MENU_ITEM *>(ruvv_mem_zalloc((n + 1) * sizeof(RUV_MENU_ITEM)));
    if (!tree) {
        RUV_ERR(r->window, RUV_SEV_ERROR, ERR_NO_MEMORY);
        return nullptr;
    }
    const int shift = system_menu_at_front(r, menu) ? 1 : 0;
    for (int i = 0; i < n; ++i) {
        RUV_MENU_ITEM &m = tree[i];
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        if (sub)
            state &= 0xFF;
        if (state & MF_SEPARATOR) {
            m.tag = -1;
            m.flags = RUV_MENU_SEPARATOR;
        } else {
            m.tag = sub ? index_tag(r, menu, i - shift) : static_cast<int32_t>(GetMenuItemID(menu, i));
            m.flags = RUV_MENU_CHECKABLE;
            if (state & MF_CHECKED)
                m.flags |= RUV_MENU_CHECKED;
            if (!(state & (MF_GRAYED | MF_DISABLED)))
                m.flags |= RUV_MENU_ENABLED;
        }
        m.reserved = state & ~STATE_OWN_BITS;
        char native[TITLE_READ] = "";
        if (!(state & MF_SEPARATOR))
            GetMenuStringA(menu, static_cast<UINT>(i), native, TITLE_READ, MF_BYPOSITION);
        m.title = static_cast<char *>(ruvv_mem_alloc(std::strlen(native) + 1));
        if (m.title)
            strip_marks(native, m.title, &m.mnemonic);
        if (sub)
            m.submenu = read_tree(r, sub, false);
        if (!m.title || (sub && !m.submenu && GetMenuItemCount(sub) > 0)) {
            ruvv_res_free_menu_tree(tree);
            RUV_ERR(r->window, RUV_SEV_ERROR, ERR_NO_MEMORY);
            return nullptr;
        }
    }
    return tree;
}

bool dropped_by_mdi(int32_t tag)
{
    return tag == 0 || tag > FIRST_SYSTEM_TAG || tag == 32769;
}

int32_t first_real_tag(const RUV_MENU_ITEM *sub)
{
    if (!sub)
        return 0;
    for (const RUV_MENU_ITEM *m = sub; !is_end(m); ++m)
        if (!(m->flags & RUV_MENU_SEPARATOR))
            return m->tag;
    return 1;
}

// The MDI bar without the window system's items and the window menu.
void filter_mdi(RUV_MENU_ITEM *tree)
{
    RUV_MENU_ITEM *out = tree;
    for (RUV_MENU_ITEM *m = tree; !is_end(m); ++m) {
        bool drop = m->submenu ? dropped_by_mdi(first_real_tag(m->submenu)) : dropped_by_mdi(m->tag);
        if (m->submenu == nullptr && (m->flags & RUV_MENU_SEPARATOR))
            drop = false;
        if (drop) {
            ruvv_mem_free(m->title);
            ruvv_res_free_menu_tree(m->submenu);
            continue;
        }
        *out++ = *m;
    }
    *out = RUV_MENU_ITEM{};
}

// ---- the cache ----

void discard(Record *r);

void cache_remove(Record *r)
{
    auto &v = ring();
    for (auto it = v.begin(); it != v.end(); ++it)
        if (*it == r) {
            v.erase(it);
            break;
        }
    r->cached = false;
}

void cache_add(Record *r)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    const size_t capacity = app && app->dc_cache_limit > 0 ? static_cast<size_t>(app->dc_cache_limit) : 1;
    auto &v = ring();
    while (v.size() >= capacity) {
        Record *victim = nullptr;
        // The bar on the frame stays as long as it is shown there.
        HWND f = frame();
        for (auto it = v.rbegin(); it != v.rend(); ++it)
            if (*it != current && !(f && (*it)->kind != RUVK_KIND_DETDOC && GetMenu(f) == (*it)->native)) {
                victim = *it;
                break;
            }
        if (!victim)
            break;
        discard(victim);
    }
    v.insert(v.begin(), r);
    r->cached = true;
}

void destroy_native(Record *r)
{
    if (!r->native)
        return;
    if (is_mdi(r))
        remove_window_menu(r);
    DestroyMenu(r->native);
    r->native = nullptr;
    r->index.clear();
}

// A detdoc bar while its native menu is away: every top pop-up becomes a
// plain item with its first item's id minus one.
HMENU flat_copy(HMENU bar)
{
    HMENU flat = CreateMenu();
    if (!flat)
        return nullptr;
    int n = GetMenuItemCount(bar);
    for (int i = 0; i < n; ++i) {
        char text[TITLE_READ] = "";
        GetMenuStringA(bar, static_cast<UINT>(i), text, TITLE_READ, MF_BYPOSITION);
        UINT state = GetMenuState(bar, static_cast<UINT>(i), MF_BYPOSITION);
        UINT_PTR id;
        if (HMENU sub = GetSubMenu(bar, i)) {
            state &= 0xFF & ~static_cast<UINT>(MF_POPUP);
            id = static_cast<UINT_PTR>(GetMenuItemID(sub, 0) - 1);
        } else {
            id = GetMenuItemID(bar, i);
        }
        AppendMenuA(flat, (state & ~static_cast<UINT>(MF_HILITE)) | MF_STRING, id, text);
    }
    return flat;
}

void discard(Record *r)
{
    cache_remove(r);
    if (!r->native)
        return;
    if (!r->resource_id && !r->saved) {
        r->saved = read_tree(r, r->native, false);
        if (r->saved && is_mdi(r))
            filter_mdi(r->saved);
    }
    if (r->kind == RUVK_KIND_DETDOC) {
        if (HWND hwnd = hwnd_of(r->window)) {
            r->flat = flat_copy(r->native);
            SetMenu(hwnd, r->flat);
        }
    }
    destroy_native(r);
}

bool build_native(Record *r)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    r->index.clear();
    bool ok = false;
    HMENU bar = nullptr;
    RUV_MENU_ITEM *tree = nullptr;
    if (r->resource_id) {
        tree = ruvv_res_get_menu(static_cast<int16_t>(r->resource_id));
        if (tree) {
            bar = CreateMenu();
            ok = bar && build_items(r, bar, tree);
            ruvv_res_free_menu_tree(tree);
        } else if (app && (bar = LoadMenuA(app->res_instance, MAKEINTRESOURCEA(r->resource_id))) != nullptr) {
            ok = index_native(r, bar, true);
        }
    } else if (r->saved) {
        bar = CreateMenu();
        ok = bar && build_items(r, bar, r->saved);
    }
    if (!ok) {
        if (bar)
            DestroyMenu(bar);
        r->index.clear();
        RUV_ERR(r->window, RUV_SEV_ERROR, ERR_NO_OBJECT);
        return false;
    }
    r->native = bar;
    if (is_mdi(r))
        insert_window_menu(r);
    cache_add(r);
    return true;
}

bool ensure(Record *r)
{
    if (r->native)
        return true;
    if (!build_native(r))
        return false;
    ruvv_res_free_menu_tree(r->saved);
    r->saved = nullptr;
    if (r->kind == RUVK_KIND_DETDOC && r->flat) {
        if (HWND hwnd = hwnd_of(r->window))
            SetMenu(hwnd, r->native);
        DestroyMenu(r->flat);
        r->flat = nullptr;
    }
    return true;
}

// Ensures the menu for an operation that changes it; the resource id is
// forgotten so that a later discard keeps the change.
bool ensure_for_change(Record *r, RUV_ERRMSG_ID fatal)
{
    if (!ensure(r)) {
        RUV_ERR(r->window, RUV_SEV_FATAL, fatal);
        return false;
    }
    r->resource_id = 0;
    return true;
}

void destroy_record(Record *r)
{
    cache_remove(r);
    if (current == r)
        current = nullptr;
    destroy_native(r);
    if (r->flat)
        DestroyMenu(r->flat);
    ruvv_res_free_menu_tree(r->saved);
    ruvv_font_destroy(r->font);
    delete r;
}

// Puts the record's bar on the frame when another bar is shown there.
void show_on_frame(Record *r)
{
    HWND f = frame();
    if (!f || !r->native || GetMenu(f) == r->native)
        return;
    RUV_APP_RECORD *app = ruvk_app_record();
    if (is_mdi(r) && app && app->mdi_client) {
        SendMessageA(app->mdi_client, WM_MDISETMENU, reinterpret_cast<WPARAM>(r->native),
                     reinterpret_cast<LPARAM>(app->window_menu));
        DrawMenuBar(f);
    } else {
        SetMenu(f, r->native);
    }
}

bool find_tag(Record *r, int32_t tag, HMENU *menu, UINT *position, bool *popup)
{
    for (const IndexEntry &e : r->index)
        if (e.tag == tag) {
            *menu = e.menu;
            int pos = e.position;
            if (system_menu_at_front(r, e.menu))
                ++pos;
            *position = static_cast<UINT>(pos);
            *popup = GetSubMenu(e.menu, pos) != nullptr;
            return true;
        }
    return false;
}

bool lookup(RUV_WIN win, int32_t tag, RUV_ERRMSG_ID ensure_fatal, RUV_ERRMSG_ID tag_fatal, Record **out, HMENU *menu,
            UINT *position, bool *popup)
{
    Record *r = record_of(win);
    if (!r || !ensure_for_change(r, ensure_fatal))
        return false;
    if (!find_tag(r, tag, menu, position, popup)) {
        if (tag < FIRST_STANDARD_TAG)
            RUV_ERR(win, RUV_SEV_FATAL, tag_fatal);
        return false;
    }
    *out = r;
    return true;
}

void tidy_system_menu(HWND hwnd)
{
    HMENU sys = GetSystemMenu(hwnd, FALSE);
    if (!sys)
        return;
    char text[TITLE_READ];
    if (GetMenuStringA(sys, SC_CLOSE, text, sizeof text, MF_BYCOMMAND) > 0) {
        if (char *tab = std::strchr(text, '\t')) {
            *tab = '\0';
            UINT state = GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED);
            ModifyMenuA(sys, SC_CLOSE, MF_BYCOMMAND | MF_STRING | state, SC_CLOSE, text);
        }
    }
    DeleteMenu(sys, SC_TASKLIST, MF_BYCOMMAND);
    int n = GetMenuItemCount(sys);
    if (n > 0 && (GetMenuState(sys, static_cast<UINT>(n - 1), MF_BYPOSITION) & MF_SEPARATOR))
        DeleteMenu(sys, static_cast<UINT>(n - 1), MF_BYPOSITION);
}

} // namespace

extern "C" {

RUV_BOOL ruvk_menu_has_record(RUV_WIN win)
{
    return record_of(win) != nullptr;
}

int32_t ruvk_menu_cache_count(void)
{
    return static_cast<int32_t>(ring().size());
}

RUV_BOOL ruvk_menu_attach(RUV_WIN win, int32_t resource_id, const RUV_MENU_ITEM *tree)
{
    if ((resource_id != 0) == (tree != nullptr)) {
        RUV_ERR(win, RUV_SEV_FATAL, ERR_ATTACH);
        return 0;
    }
    auto *r = new (std::nothrow) Record;
    if (!r)
        return 0;
    r->kind = win->kind;
    r->window = win;
    r->resource_id = resource_id;
    if (tree && !(r->saved = copy_tree(tree))) {
        delete r;
        return 0;
    }
    if (Record *old = record_of(win))
        destroy_record(old);
    records()[win] = r;
    return 1;
}

void ruvk_menu_after_creation(RUV_WIN win)
{
    Record *r = record_of(win);
    HWND hwnd = hwnd_of(win);
    if (!r || !hwnd)
        return;
    switch (r->kind) {
    case RUVK_KIND_TASK:
    case RUVK_KIND_DRAWTASK:
    case RUVK_KIND_DETDOC:
    case RUVK_KIND_MDITASK:
        if (ensure(r)) {
            SetMenu(hwnd, r->native);
            current = r;
        }
        break;
    case RUVK_KIND_DOC:
        tidy_system_menu(hwnd);
        break;
    default:
        break;
    }
}

void ruvk_menu_refresh(void)
{
    RUV_WIN focus = ruvk_scr_get_focus_vobj();
    RUV_WIN top = focus && ruvv_vobj_is_valid(focus) ? focus->top : NULL_WIN;
    if (!top || !ruvv_vobj_is_valid(top))
        top = task_window();
    ruvk_menu_show(top);
}

void ruvk_menu_show(RUV_WIN win)
{
    if (!win || !ruvv_vobj_is_valid(win) || win->kind == RUVK_KIND_MDIFRMCHILD)
        return;
    Record *r = record_of(win);
    if (win->kind == RUVK_KIND_DETDOC) {
        if (r)
            ensure(r);
        return;
    }
    if (!r)
        r = record_of(task_window());
    if (!r || !ensure(r))
        return;
    show_on_frame(r);
    current = r;
}

void ruvk_menu_drop(RUV_WIN win)
{
    Record *r = record_of(win);
    if (!r)
        return;
    HWND hwnd = hwnd_of(win);
    switch (r->kind) {
    case RUVK_KIND_TASK:
    case RUVK_KIND_DRAWTASK:
    case RUVK_KIND_DETDOC:
        if (hwnd)
            SetMenu(hwnd, nullptr);
        break;
    case RUVK_KIND_DOC:
    case RUVK_KIND_MDIDOC: {
        HWND f = frame();
        if (f && r->native && GetMenu(f) == r->native) {
            if (Record *t = record_of(task_window()); t && t != r && ensure(t)) {
                show_on_frame(t);
                current = t;
            } else {
                SetMenu(f, nullptr);
            }
        }
        break;
    }
    case RUVK_KIND_MDITASK:
        // The frame takes its bar with it.
        if (hwnd && r->native && GetMenu(hwnd) == r->native) {
            remove_window_menu(r);
            r->native = nullptr;
            r->index.clear();
        }
        break;
    default:
        break;
    }
    records().erase(win);
    destroy_record(r);
}

RUV_MENU_ITEM *ruvk_menu_get_tree(RUV_WIN win)
{
    Record *r = record_of(win);
    if (!r)
        return nullptr;
    RUV_MENU_ITEM *tree;
    if (r->native) {
        tree = read_tree(r, r->native, true);
        if (tree && is_mdi(r))
            filter_mdi(tree);
    } else if (r->saved) {
        tree = copy_tree(r->saved);
    } else {
        if (!ensure(r))
            return nullptr;
        tree = read_tree(r, r->native, true);
        if (tree && is_mdi(r))
            filter_mdi(tree);
    }
    return tree;
}

void ruvk_menu_set_tree(RUV_WIN win, const RUV_MENU_ITEM *tree)
{
    if (!tree || !win || !ruvv_vobj_is_valid(win)) {
        RUV_ERR(win, RUV_SEV_ERROR, ERR_NO_WINDOW);
        return;
    }
    Record *old = record_of(win);
    auto *r = new (std::nothrow) Record;
    if (!r)
        return;
    r->kind = win->kind;
    r->window = win;
    if (!(r->saved = copy_tree(tree))) {
        delete r;
        return;
    }
    if (!ensure(r)) {
        RUV_ERR(win, RUV_SEV_FATAL, ERR_ENSURE_SET_TREE);
        destroy_record(r);
        return;
    }
    if (old && old->font && (r->font = ruvv_font_create()) != nullptr) {
        ruvv_font_copy(r->font, old->font, -1);
        r->has_selection = old->has_selection;
    }
    if (r->kind == RUVK_KIND_DETDOC) {
        if (HWND hwnd = hwnd_of(win))
            SetMenu(hwnd, r->native);
    } else {
        HWND f = frame();
        if (f && (old ? old->native && GetMenu(f) == old->native : win == task_window()))
            show_on_frame(r);
    }
    records()[win] = r;
    current = r;
    if (old)
        destroy_record(old);
}

void ruvk_menu_set_item_checked(RUV_WIN win, int32_t tag, int16_t checked)
{
    Record *r;
    HMENU menu;
    UINT pos;
    bool popup;
    if (lookup(win, tag, ERR_ENSURE_CHECKED, ERR_TAG_CHECKED, &r, &menu, &pos, &popup))
        CheckMenuItem(menu, pos, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

int32_t ruvk_menu_set_item_enabled(RUV_WIN win, int32_t tag, int16_t enabled)
{
    if (tag == TAG_CLOSE_ALL)
        tag = TAG_CLOSE;
    Record *r;
    HMENU menu;
    UINT pos;
    bool popup;
    if (!lookup(win, tag, ERR_ENSURE_ENABLED, ERR_TAG_ENABLED, &r, &menu, &pos, &popup))
        return -1;
    return static_cast<int32_t>(EnableMenuItem(menu, pos, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED)));
}

void ruvk_menu_set_item_title(RUV_WIN win, int32_t tag, const char *title)
{
    Record *r;
    HMENU menu;
    UINT pos;
    bool popup;
    if (!lookup(win, tag, ERR_ENSURE_TITLE, ERR_TAG_TITLE, &r, &menu, &pos, &popup))
        return;
    const char *t = title ? title : "";
    std::string text(std::strlen(t) * 2 + 1, '\0');
    ruvk_title_to_native(t, &text[0], text.size());
    UINT state = GetMenuState(menu, pos, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK |
                                                           MF_MENUBREAK);
    UINT_PTR id = popup ? reinterpret_cast<UINT_PTR>(GetSubMenu(menu, static_cast<int>(pos)))
                        : static_cast<UINT_PTR>(GetMenuItemID(menu, static_cast<int>(pos)));
    if (!ModifyMenuA(menu, pos, MF_BYPOSITION | MF_STRING | state | (popup ? MF_POPUP : 0), id, text.c_str()))
        RUV_ERR(win, RUV_SEV_FATAL, ERR_MODIFY_TITLE);
}

void ruvk_menu_update(RUV_WIN win)
{
    Record *r = record_of(win);
    if (!r || !ensure_for_change(r, ERR_ENSURE_UPDATE))
        return;
    if (r->kind == RUVK_KIND_DETDOC) {
        if (HWND hwnd = hwnd_of(win))
            DrawMenuBar(hwnd);
    } else if (HWND f = frame(); f && GetMenu(f) == r->native) {
        DrawMenuBar(f);
    }
}

void ruvk_menu_set_font_sel(RUV_WIN win, const RUV_FONT *font)
{
    Record *r = record_of(win);
    if (!r || !ensure_for_change(r, ERR_ENSURE_FONT))
        return;
    if (!font) {
        r->has_selection = 0;
        return;
    }
    if (!r->font && !(r->font = ruvv_font_create()))
        return;
    ruvv_font_copy(r->font, font, -1);
    r->has_selection = 1;
}

RUV_FONT *ruvk_menu_get_font_sel(RUV_WIN win, int16_t copy)
{
    Record *r = record_of(win);
    if (!r || !r->has_selection || !r->font)
        return nullptr;
    if (!copy)
        return r->font;
    RUV_FONT *f = ruvv_font_create();
    if (f)
        ruvv_font_copy(f, r->font, -1);
    return f;
}

RUV_BOOL ruvk_menu_popup(const RUV_MENU_ITEM *tree, RUV_WIN win, RUV_POINT where, int16_t align, int32_t place_tag)
{
    HWND hwnd = hwnd_of(win);
    if (!tree || !hwnd)
        return 0;
    RUV_MENU_ITEM *copy = copy_tree(tree);
    HMENU menu = CreatePopupMenu();
    bool ok = copy && menu && build_items(nullptr, menu, copy);
    ruvv_res_free_menu_tree(copy);
    if (!ok) {
        if (menu)
            DestroyMenu(menu);
        return 0;
    }
    POINT pt = { where.h, where.v };
    ClientToScreen(hwnd, &pt);
    pt.x -= 1;
    if (place_tag) {
        const int by = HIWORD(GetDialogBaseUnits());
        int above = 0, total = 0;
        bool found = false;
        for (const RUV_MENU_ITEM *m = tree; !is_end(m); ++m) {
            int h = (m->flags & RUV_MENU_SEPARATOR) ? by / 2 + 1 : by + 2;
            if (!found && m->tag == place_tag && !(m->flags & RUV_MENU_SEPARATOR)) {
                found = true;
                above += (by + 2) / 2;
            } else if (!found) {
                above += h;
            }
            total += h;
        }
        if (found && pt.y - above >= 0 && pt.y - above + total <= GetSystemMetrics(SM_CYSCREEN))
            pt.y -= above;
    }
    UINT flags = TPM_RIGHTBUTTON | (align == 0 ? TPM_CENTERALIGN : align == 2 ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
    BOOL shown = TrackPopupMenu(menu, flags, pt.x, pt.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
    return shown ? 1 : 0;
}

} // extern "C"
