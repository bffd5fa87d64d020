/* Resource API: menus, window and dialog definitions, extra data, fonts and
   images read from the compiled resource stream into the toolkit's
   records, string resources forwarded to the kernel, and the resource
   store's start and end. */
#include "res_reader.h"

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_image.h"
#include "ruvv_image_probe.h"
#include "ruvv_iostr.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

using namespace ruv_res;

namespace {

constexpr int MENU_DEPTH_MAX = 64;
constexpr int32_t START_TEXT_SIZE = 512;

struct Block {
    char *start_text[2];
};

void term_block(void *p)
{
    Block *b = static_cast<Block *>(p);
    for (char *&t : b->start_text) {
        ruvv_mem_free(t);
        t = nullptr;
    }
}

RUV_STATIC_BLOCK(g_desc, Block, nullptr, term_block);

Block *block()
{
    return static_cast<Block *>(ruvk_static_get_ptr(&g_desc));
}

/* ---- Flag translation: stream bits -> definition bits ------------------ */

struct BitMap {
    uint32_t file;
    uint32_t def;
};

const BitMap CONTROL_BITS[] = {
    {0x1, 0x1}, {0x2, 0x4}, {0x4, 0x8}, {0x8, 0x10}, {0x10, 0x20}, {0x20, 0x200}, {0x40, 0x400},
    {0x80, 0x2000}, {0x100, 0x4000}, {0x200, 0x8000}, {0x400, 0x800}, {0x800, 0x1000},
    {0x1000, 0x80}, {0x2000, 0x100}, {0x8000, 0x10000}, {0, 0}};
const BitMap WINDOW_HIGH_BITS[] = {{0x400, 0x800}, {0x800, 0x1000}, {0x1000, 0x2000}, {0x2000, 0x8000}, {0, 0}};
const BitMap DIALOG_BITS[] = {{0x1, 0x2}, {0x2, 0x1}, {0, 0}};

uint32_t translate(uint32_t file, const BitMap *map)
{
    uint32_t def = 0;
    for (const BitMap *m = map; m->file; ++m)
        if (file & m->file)
            def |= m->def;
    return def;
}

uint32_t window_flags(uint32_t file)
{
    return (file & 0x3FFu) | translate(file, WINDOW_HIGH_BITS);
}
uint32_t tx_flags(uint32_t file)
{
    return file & 0xFF9Fu; /* 0x20 and 0x40 dropped */
}
uint32_t font_style(uint32_t file)
{
    return file & 0x20F83F3u;
}

int32_t window_type(int16_t file_type)
{
    static const int32_t map[] = {1, 2, 3, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 23, 24, 21, 20, 22, 0, 0, 9};
    if (file_type < 0 || file_type >= (int16_t)(sizeof map / sizeof map[0]))
        return 0;
    return map[file_type];
}

bool is_window_type(int32_t t)
{
    return t == 1 || t == 2 || t == 3 || t == 7 || t == 9;
}

/* Control types whose font word the definition owns. */
bool owns_ctl_font(int32_t t)
{
    return t == 12 || t == 13 || t == 14 || t == 17 || t == 18 || t == 19 || t == 20 || t == 21 || t == 22;
}

/* One window or dialog item as the stream stores it. */
struct FileItem {
    int16_t file_type;
    int16_t id;
    int16_t left;
    int16_t top;
    int16_t width;
    int16_t height;
    int16_t link;
    int32_t flags;
    int16_t unit;
    int16_t font_id;
    char *title;
};

const Field ITEM_FIELDS[] = {
    {F_INT16, offsetof(FileItem, file_type)}, {F_INT16, offsetof(FileItem, id)},
    {F_INT16, offsetof(FileItem, left)},      {F_INT16, offsetof(FileItem, top)},
    {F_INT16, offsetof(FileItem, width)},     {F_INT16, offsetof(FileItem, height)},
    {F_INT16, offsetof(FileItem, link)},      {F_INT32, offsetof(FileItem, flags)},
    {F_INT16, offsetof(FileItem, unit)},      {F_INT16, offsetof(FileItem, font_id)},
    {F_STRING, offsetof(FileItem, title)},    {F_END, 0}};

/* The same item with its title skipped (data searches). */
const Field ITEM_SKIP_FIELDS[] = {
    {F_INT16, offsetof(FileItem, file_type)}, {F_INT16, offsetof(FileItem, id)}, {F_SKIP, 10},
    {F_INT32, offsetof(FileItem, flags)},     {F_SKIP, 4},                      {F_SKIP16, 0},
    {F_END, 0}};

struct TxExtra {
    int32_t flags;
    int16_t margin; /* the text edit's margin comes first, then its limit */
    int16_t limit;
};
const Field TX_FIELDS[] = {
    {F_INT32, offsetof(TxExtra, flags)}, {F_INT16, offsetof(TxExtra, margin)},
    {F_INT16, offsetof(TxExtra, limit)}, {F_END, 0}};

struct FileMenuItem {
    int16_t tag;
    int16_t mnemonic;
    int16_t flags;
    char *title;
};
const Field MENU_FIELDS[] = {
    {F_INT16, offsetof(FileMenuItem, tag)},   {F_INT16, offsetof(FileMenuItem, mnemonic)},
    {F_INT16, offsetof(FileMenuItem, flags)}, {F_STRING, offsetof(FileMenuItem, title)},
    {F_EXTRAS, 0},                            {F_END, 0}};
const Field MENU_SKIP_FIELDS[] = {
    {F_INT16, offsetof(FileMenuItem, tag)}, {F_SKIP, 2}, {F_INT16, offsetof(FileMenuItem, flags)},
    {F_SKIP16, 0},                          {F_END, 0}};

struct FileFont {
    int16_t size;
    int32_t style;
    char *family;
    char *desc;
};
const Field FONT_FIELDS[] = {
    {F_INT16, offsetof(FileFont, size)},    {F_INT32, offsetof(FileFont, style)},
    {F_STRING, offsetof(FileFont, family)}, {F_STRING, offsetof(FileFont, desc)},
    {F_END, 0}};

bool seek_or_report(int16_t type, int16_t id)
{
    if (ruvv_res_seek(type, id))
        return true;
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01530003);
    return false;
}

/* ---- Menus ------------------------------------------------------------- */

void free_tree(RUV_MENU_ITEM *tree)
{
    if (!tree)
        return;
    for (RUV_MENU_ITEM *m = tree; m->tag || m->title || m->submenu || m->flags; ++m) {
        ruvv_mem_free(m->title);
        free_tree(m->submenu);
    }
    ruvv_mem_free(tree);
}

RUV_MENU_ITEM *read_menu(int depth)
{
    int16_t count;
    if (depth > MENU_DEPTH_MAX || !read_i16(&count) || count < 0)
        return nullptr;
    RUV_MENU_ITEM *items = static_cast<RUV_MENU_ITEM *>(ruvv_mem_zalloc(sizeof(RUV_MENU_ITEM) * ((size_t)count + 1)));
    if (!items) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return nullptr;
    }
    for (int16_t i = 0; i < count; ++i) {
        FileMenuItem f = {};
        if (!decode(MENU_FIELDS, &f)) {
            free_tree(items);
            return nullptr;
        }
        RUV_MENU_ITEM &m = items[i];
        m.tag = f.tag;
        m.title = f.title;
        m.mnemonic = f.mnemonic;
        m.flags = ((f.flags & 0x1) ? 0u : RUV_MENU_ENABLED) | ((f.flags & 0x4) ? RUV_MENU_CHECKED : 0u) |
                  ((f.flags & 0x2) ? RUV_MENU_CHECKABLE : 0u) | ((f.flags & 0x8) ? RUV_MENU_SEPARATOR : 0u);
        if (f.flags & 0x10) {
            m.submenu = read_menu(depth + 1);
            if (!m.submenu) {
                free_tree(items);
                return nullptr;
            }
        }
    }
    return items;
}

/* Walks a menu body in stream order (item, its extras, its submenu) for the
   item with the tag; false on a short read. */
bool find_menu_data(int32_t item_tag, int16_t data_tag, int depth, char **found, bool *done)
{
    int16_t count;
    if (depth > MENU_DEPTH_MAX || !read_i16(&count) || count < 0)
        return false;
    for (int16_t i = 0; i < count && !*done; ++i) {
        FileMenuItem f = {};
        if (!decode(MENU_SKIP_FIELDS, &f))
            return false;
        if (f.tag == item_tag) {
            if (!find_extra(data_tag, found))
                return false;
            if (*found) {
                *done = true;
                return true;
            }
        } else if (!skip_extras()) {
            return false;
        }
        if ((f.flags & 0x10) && !find_menu_data(item_tag, data_tag, depth + 1, found, done))
            return false;
    }
    return true;
}

/* ---- Window and dialog definitions -------------------------------------- */

void free_def(RUV_WIN_DEF *def)
{
    if (!def)
        return;
    for (RUV_WIN_DEF *e = def; e->type; ++e) {
        ruvv_mem_free(e->title);
        ruvv_mem_free(e->colors);
        RUV_FONT *font = nullptr;
        if (is_window_type(e->type)) {
            free_tree(e->u.win.menu);
            font = e->u.win.font;
        } else if (e->type == 10 || e->type == 11) {
            font = e->u.dlg.font;
        } else if (e->type == 23) {
            font = e->u.tx.font;
        } else if (owns_ctl_font(e->type)) {
            font = e->u.ctl.font;
        }
        if (font) {
            if (ruvv_font_is_valid(font))
                ruvv_font_destroy(font);
            else
                RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01220003);
        }
    }
    ruvv_mem_free(def);
}

/* The fewest bytes of the resource that a record of the table takes. */
int32_t least_bytes(const Field *table)
{
    int32_t n = 0;
    for (const Field *f = table; f->kind != F_END; ++f) {
        switch (f->kind) {
        case F_INT32: n += 4; break;
        case F_BYTE: n += 1; break;
        case F_SKIP: n += (int32_t)f->offset; break;
        default: n += 2; break; /* an int16, or the int16 length or count that leads */
        }
    }
    return n;
}

RUV_WIN_DEF *read_def(int16_t type, int16_t id)
{
    if (!seek_or_report(type, id))
        return nullptr;
    int16_t count;
    if (!read_i16(&count) || count < 0)
        return nullptr;
    /* An item read takes its fields and its extras (at least their count):
       the entries go no further than the resource's bytes can hold items,
       whatever count a damaged file gives. */
    const int32_t item_bytes = least_bytes(ITEM_FIELDS) + 2;
    const int32_t entries = std::min<int32_t>(count, ruv_res::remaining() / item_bytes) + 1;
    RUV_WIN_DEF *def = static_cast<RUV_WIN_DEF *>(ruvv_mem_zalloc(sizeof(RUV_WIN_DEF) * (size_t)entries));
    int16_t *font_ids = static_cast<int16_t *>(ruvv_mem_zalloc(sizeof(int16_t) * (size_t)entries));
    if (!def || !font_ids) {
        ruvv_mem_free(def);
        ruvv_mem_free(font_ids);
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return nullptr;
    }
    bool ok = true;
    for (int16_t i = 0; i < count; ++i) {
        FileItem f = {};
        if (!decode(ITEM_FIELDS, &f) || !skip_extras()) {
            ruvv_mem_free(f.title);
            ok = false;
            break;
        }
        TxExtra tx = {};
        if (f.file_type == 14 && !decode(TX_FIELDS, &tx)) {
            ruvv_mem_free(f.title);
            ok = false;
            break;
        }
        int32_t t = window_type(f.file_type);
        if (t == 0) {
            /* An unlisted file type ends the definition here. */
            ruvv_mem_free(f.title);
            break;
        }
        RUV_WIN_DEF &e = def[i];
        e.type = t;
        e.rect.top = f.top;
        e.rect.left = f.left;
        e.rect.bottom = (int16_t)(f.top + f.height);
        e.rect.right = (int16_t)(f.left + f.width);
        e.title = f.title;
        e.unit = (int8_t)(f.unit >= 0 && f.unit <= 2 ? f.unit : 0);
        if (is_window_type(t)) {
            e.u.win.menu_id = f.link;
            e.u.win.flags = window_flags((uint32_t)f.flags);
        } else if (t == 10 || t == 11) {
            e.u.dlg.flags = translate((uint32_t)f.flags, DIALOG_BITS);
        } else if (t == 23) {
            e.u.tx.flags = tx_flags((uint32_t)tx.flags);
            e.u.tx.margin = tx.margin;
            e.u.tx.limit = tx.limit;
            e.u.tx.ctl_id = f.id;
            font_ids[i] = f.font_id;
        } else {
            e.u.ctl.ctl_id = f.id;
            e.u.ctl.icon_id = t == 24 ? f.link : 0;
            e.u.ctl.flags = translate((uint32_t)f.flags, CONTROL_BITS);
        }
    }
    /* Text-edit fonts of window resources, once the items are read (reading
       a font moves the reader). */
    if (ok && type == RUV_RES_WINDOW) {
        for (int16_t i = 0; i < count && def[i].type; ++i) {
            if (def[i].type == 23 && font_ids[i] && ruvv_furl_find(RUV_RES_FONT, font_ids[i]))
                def[i].u.tx.font = ruvv_res_get_font(font_ids[i]);
        }
    }
    ruvv_mem_free(font_ids);
    if (!ok) {
        free_def(def);
        return nullptr;
    }
    return def;
}

char *find_item_data(int16_t type, int16_t res_id, int16_t ctl_id, int16_t data_tag)
{
    if (!seek_or_report(type, res_id))
        return nullptr;
    int16_t count;
    if (!read_i16(&count) || count < 0)
        return nullptr;
    for (int16_t i = 0; i < count; ++i) {
        FileItem f = {};
        if (!decode(ITEM_SKIP_FIELDS, &f))
            return nullptr;
        if (ctl_id == 0 ? i == 0 : f.id == ctl_id) {
            char *found = nullptr;
            if (!find_extra(data_tag, &found))
                return nullptr;
            return found;
        }
        if (!skip_extras() || (f.file_type == 14 && !skip_bytes(8)))
            return nullptr;
    }
    return nullptr;
}

/* ---- Fonts --------------------------------------------------------------- */

/* Reads the font at the reader's position; *has_desc tells whether it has
   a native descriptor. */
RUV_FONT *read_font(bool *has_desc)
{
    FileFont f = {};
    if (!decode(FONT_FIELDS, &f))
        return nullptr;
    RUV_FONT *font = ruvv_font_create();
    if (font) {
        ruvv_font_set_family(font, f.family);
        ruvv_font_set_style(font, font_style((uint32_t)f.style));
        ruvv_font_set_size(font, f.size);
        if (f.desc[0])
            ruvv_font_set_native_desc(font, f.desc);
    } else {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
    }
    if (has_desc)
        *has_desc = f.desc[0] != '\0';
    ruvv_mem_free(f.family);
    ruvv_mem_free(f.desc);
    return font;
}

/* ---- Images -------------------------------------------------------------- */

struct MemSource {
    const uint8_t *data;
    int32_t length;
    int32_t pos;
};

int32_t mem_read(RUV_IOSTR *stream, int32_t count, void *buffer)
{
    MemSource *m = static_cast<MemSource *>(stream->source);
    if (count < 0)
        return -1;
    int32_t left = m->length - m->pos;
    if (count > left)
        count = left;
    memcpy(buffer, m->data + m->pos, (size_t)count);
    m->pos += count;
    return count;
}

int32_t mem_size(RUV_IOSTR *stream)
{
    return static_cast<MemSource *>(stream->source)->length;
}

RUV_IMAGE *image_from_memory(const uint8_t *data, int32_t length)
{
    typedef RUV_BOOL (*Probe)(RUV_IOSTR *);
    typedef RUV_IMAGE *(*Reader)(RUV_IOSTR *);
    static const Probe probes[] = {ruvv_image_probe_bmp, ruvv_image_probe_gif, ruvv_image_probe_jpg,
                                   ruvv_image_probe_png};
    static const Reader readers[] = {ruvv_image_read_bmp, ruvv_image_read_gif, ruvv_image_read_jpg,
                                     ruvv_image_read_png};
    MemSource src = {data, length, 0};
    RUV_IOSTR *stream = ruvv_iostr_create_read(&src, mem_read, mem_size);
    if (!stream) {
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        return nullptr;
    }
    RUV_IMAGE *image = nullptr;
    for (size_t i = 0; i < sizeof probes / sizeof probes[0]; ++i) {
        src.pos = 0;
        if (!probes[i](stream))
            continue;
        src.pos = 0;
        image = readers[i](stream);
        break;
    }
    ruvv_iostr_destroy(stream);
    return image;
}

} // namespace

/* ---- Public API ------------------------------------------------------------- */

extern "C" RUV_MENU_ITEM *ruvv_res_get_menu(int16_t id)
{
    if (!seek_or_report(RUV_RES_MENU, id))
        return nullptr;
    return read_menu(0);
}

extern "C" void ruvv_res_free_menu_tree(RUV_MENU_ITEM *tree)
{
    free_tree(tree);
}

extern "C" RUV_WIN_DEF *ruvv_res_get_win_def(int16_t id)
{
    return read_def(RUV_RES_WINDOW, id);
}

extern "C" RUV_WIN_DEF *ruvv_res_get_dlg_def(int16_t id)
{
    return read_def(RUV_RES_DIALOG, id);
}

extern "C" void ruvv_res_free_win_def(RUV_WIN_DEF *def)
{
    free_def(def);
}

extern "C" char *ruvv_res_get_menu_data(int16_t menu_id, int32_t item_tag, int16_t data_tag)
{
    if (!seek_or_report(RUV_RES_MENU, menu_id))
        return nullptr;
    char *found = nullptr;
    bool done = false;
    if (!find_menu_data(item_tag, data_tag, 0, &found, &done) && !done) {
        ruvv_mem_free(found);
        return nullptr;
    }
    return found;
}

extern "C" char *ruvv_res_get_win_data(int16_t win_id, int16_t ctl_id, int16_t data_tag)
{
    return find_item_data(RUV_RES_WINDOW, win_id, ctl_id, data_tag);
}

extern "C" char *ruvv_res_get_dlg_data(int16_t dlg_id, int16_t ctl_id, int16_t data_tag)
{
    return find_item_data(RUV_RES_DIALOG, dlg_id, ctl_id, data_tag);
}

extern "C" char *ruvv_res_get_image_data(int16_t image_id, int16_t data_tag)
{
    if (!seek_or_report(RUV_RES_IMAGE, image_id))
        return nullptr;
    int32_t flags;
    int16_t len;
    if (!read_i32(&flags) || !read_i16(&len) || !skip_bytes(len))
        return nullptr;
    char *found = nullptr;
    if (!find_extra(data_tag, &found))
        return nullptr;
    return found;
}

extern "C" RUV_FONT *ruvv_res_get_font(int16_t id)
{
    if (!seek_or_report(RUV_RES_FONT, id))
        return nullptr;
    return read_font(nullptr);
}

extern "C" RUV_FONT **ruvv_res_get_font_list(void)
{
    RUV_FONT **list = nullptr;
    int32_t used = 0, capacity = 0;
    int32_t count = ruvv_furl_count();
    for (int32_t i = 0; i < count; ++i) {
        int16_t type, id;
        if (!ruvv_furl_entry(i, nullptr, &type, &id) || type != RUV_RES_FONT || !ruvv_res_seek(type, id))
            continue;
        bool has_desc = false;
        RUV_FONT *font = read_font(&has_desc);
        if (!font)
            continue;
        if (!has_desc) {
            ruvv_font_destroy(font);
            continue;
        }
        if (used + 1 >= capacity) {
            RUV_FONT **grown = static_cast<RUV_FONT **>(
                ruvv_mem_realloc(list, sizeof(RUV_FONT *) * (size_t)(capacity + 10)));
            if (!grown) {
                RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
                ruvv_font_destroy(font);
                break;
            }
            list = grown;
            capacity += 10;
        }
        list[used++] = font;
        list[used] = nullptr;
    }
    return list;
}

extern "C" RUV_IMAGE *ruvv_res_get_image(int16_t id)
{
    if (!seek_or_report(RUV_RES_IMAGE, id))
        return nullptr;
    int32_t flags, length;
    char *name = nullptr;
    if (!read_i32(&flags) || !read_string(&name) || !skip_extras() || !read_i32(&length)) {
        ruvv_mem_free(name);
        return nullptr;
    }
    RUV_IMAGE *image = nullptr;
    if (flags & 1) {
        image = ruvv_image_read(name);
    } else if (length >= 0 && length <= remaining()) {
        uint8_t *data = static_cast<uint8_t *>(ruvv_mem_alloc(length ? (size_t)length : 1));
        if (!data)
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
        else if (read_bytes(data, length))
            image = image_from_memory(data, length);
        ruvv_mem_free(data);
    }
    ruvv_mem_free(name);
    return image;
}

extern "C" char *ruvv_res_get_str(int32_t id, char *buf, int32_t size)
{
    return ruvk_res_get_str(id, buf, size);
}

extern "C" struct SLIST *ruvv_res_get_str_list(int32_t first, int32_t last)
{
    return ruvk_res_get_str_list(first, last);
}

extern "C" RUV_BOOL ruvv_res_init(void)
{
    if (!ruvv_furl_open())
        return FALSE;
    Block *b = block();
    if (!b)
        return FALSE;
    static const int32_t keys[2] = {716, 717};
    for (int i = 0; i < 2; ++i) {
        intptr_t sid = ruvk_vobj_get_attr(NULL_WIN, keys[i]);
        if (!sid)
            continue;
        char text[START_TEXT_SIZE];
        if (!ruvk_res_get_str((int32_t)sid, text, START_TEXT_SIZE))
            return FALSE;
        size_t n = strlen(text);
        char *copy = static_cast<char *>(ruvv_mem_alloc(n + 1));
        if (!copy) {
            RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01510001);
            return FALSE;
        }
        memcpy(copy, text, n + 1);
        ruvv_mem_free(b->start_text[i]);
        b->start_text[i] = copy;
    }
    return TRUE;
}

extern "C" void ruvv_res_term(void)
{
    ruvk_res_remove_all_res();
    ruvv_furl_close();
    Block *b = block();
    if (b)
        term_block(b);
}

extern "C" const char *ruvv_res_get_start_text(int32_t which)
{
    Block *b = block();
    if (!b || which < 0 || which > 1)
        return nullptr;
    return b->start_text[which];
}
