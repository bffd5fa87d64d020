/* Design-support module: child windows with a control id and parameter
   strings, their registry per owner window, typed parameter reading,
   character-cell scaling of design coordinates, routing of menu and font
   commands to the focused registered child, and a default event handler.
   It calls only the toolkit's public functions, so each of its toolkit
   calls is marked and checked like an application's. */
#include "ruvcm.h"

#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"

#include <cstdio>
#include <cstring>

namespace {

const char SOURCE[] = "ruvcm";

/* Window types the module tells apart. */
constexpr int32_t TYPE_CHILD = 7;
constexpr int32_t TYPE_DOCUMENT = 2;

/* The hidden, never-activated top-level window that measures the cell. */
constexpr int32_t MEASURE_FLAGS = 0x830;

constexpr size_t NAME_MAX_BYTES = 256;
constexpr int32_t MIN_COUNT = 2;
constexpr int32_t MAX_COUNT = 1000;
constexpr int32_t MAX_FIRST_PARAM_COUNT = 999;

/* Per direction: whether the direction still waits for its first scaling,
   and the design and measured lengths taken then. */
struct Direction {
    bool pending = true;
    int32_t design = 0;
    int32_t measured = 0;
};

struct State {
    RUV_CM_OWNER_ENTRY *owners = nullptr;
    RUV_WIN lastFocus = NULL_WIN;
    int32_t baseCell = RUVCM_CELL(8, 16);
    int32_t measuredCell = 0;
    Direction horizontal;
    Direction vertical;
    char lookup[NAME_MAX_BYTES + 1] = {};
};

State &state()
{
    static State s;
    return s;
}

RUV_WIN attr_window(int32_t key)
{
    return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, key));
}

RUV_WIN task_window() { return attr_window(RUV_ATTR_TASK_WINDOW); }
RUV_WIN screen_window() { return attr_window(RUV_ATTR_SCREEN_WINDOW); }

bool is_task_or_screen(RUV_WIN window)
{
    return window == task_window() || window == screen_window();
}

RUV_CM_CHILD_ENTRY *find_in(RUV_CM_OWNER_ENTRY *owner, RUV_WIN window)
{
    for (RUV_CM_CHILD_ENTRY *c = owner ? owner->children : nullptr; c; c = c->next)
        if (c->window == window)
            return c;
    return nullptr;
}

RUV_WIN find_id_in(RUV_CM_OWNER_ENTRY *owner, int32_t id)
{
    for (RUV_CM_CHILD_ENTRY *c = owner ? owner->children : nullptr; c; c = c->next)
        if (c->id == id)
            return c->window;
    return NULL_WIN;
}

/* Scans the parameter's value with one format; 1 when every item was
   filled. */
template <typename... T>
int32_t scan(int32_t count, char **params, const char *name, const char *format, int items, T *...out)
{
    const char *value = ruvcm_param_lookup(count, params, name);
    if (!value)
        return 0;
    return std::sscanf(value, format, out...) == items ? 1 : 0;
}

/* One value of type T scanned with format into *out, which is written only
   on success. */
template <typename T, typename Out>
int32_t read_one(int32_t count, char **params, const char *name, const char *format, Out *out)
{
    T v;
    if (!out || !scan(count, params, name, format, 1, &v))
        return 0;
    *out = static_cast<Out>(v);
    return 1;
}

int scale(Direction &d, int value, int16_t (*part)(int32_t))
{
    State &s = state();
    if (d.pending) {
        const int32_t measured = ruvcm_measure_char_cell();
        if (measured == 0)
            return value; /* no cell yet: scale by 1 and measure again next time */
        d.pending = false;
        d.design = part(s.baseCell);
        d.measured = part(measured);
    }
    return static_cast<int>(static_cast<int32_t>(value) * d.measured / d.design);
}

int16_t cell_width(int32_t cell) { return RUVCM_CELL_WIDTH(cell); }
int16_t cell_height(int32_t cell) { return RUVCM_CELL_HEIGHT(cell); }

struct ColorName {
    const char *name;
    RUV_COLOR value;
};

const ColorName COLOR_NAMES[] = {
    { "RED", 0x01FF0000u },    { "GREEN", 0x0200FF00u },   { "BLUE", 0x030000FFu },
    { "CYAN", 0x0400FFFFu },   { "MAGENTA", 0x05FF00FFu }, { "YELLOW", 0x06FFFF00u },
    { "BLACK", 0x07000000u },  { "DKGRAY", 0x08404040u },  { "DK_GRAY", 0x08404040u },
    { "GRAY", 0x09808080u },   { "LTGRAY", 0x0AC0C0C0u },  { "LT_GRAY", 0x0AC0C0C0u },
    { "WHITE", 0x0BFFFFFFu },
};

constexpr RUV_COLOR BLACK = 0x07000000u;
constexpr RUV_COLOR WHITE = 0x0BFFFFFFu;

} // namespace

/* ---- Windows and hooks ----------------------------------------------- */

extern "C" RUV_WIN ruvcm_create_window(int32_t id, int16_t left, int16_t top, int16_t right, int16_t bottom,
                                       int32_t count, char **params, RUV_WIN parent, int32_t, int32_t,
                                       const char *, RUV_EVENT_HANDLER handler, RUV_CM_PRECREATE precreate)
{
    RUV_CM_CREATE_PARAMS p{};
    p.type = TYPE_CHILD;
    ruv_rect_set(&p.rect, left, top, right, bottom);
    p.parent = parent;
    p.flags = 0;
    p.eventMask = -1;
    p.handler = handler;
    p.id = id;
    p.count = count;
    p.params = params;
    if (precreate)
        precreate(&p);
    if (p.parent == NULL_WIN)
        return NULL_WIN;
    /* The kernel sends the create event before ruv_win_create returns; the
       create hook copies the record then. */
    RUV_CM_CREATE_RECORD record{ p.id, p.count, p.params };
    return ruv_win_create(p.type, &p.rect, "", 0, p.parent, p.flags, p.eventMask,
                          p.handler ? p.handler : ruvcm_default_event_handler, &record);
}

extern "C" RUV_WIN ruvcm_create_window_simple(int32_t type, const RUV_RECT *rect, RUV_WIN parent, int32_t flags,
                                              int32_t eventMask, RUV_EVENT_HANDLER handler, intptr_t, int32_t id,
                                              int32_t count, char **params)
{
    RUV_CM_CREATE_RECORD record{ id, count, params };
    return ruv_win_create(type, rect, "", 0, parent, flags, eventMask,
                          handler ? handler : ruvcm_default_event_handler, &record);
}

extern "C" RUV_BOOL ruvcm_create_hook(RUV_WIN window, RUV_EVENT *event)
{
    if (window == NULL_WIN || !event)
        return 1;
    if (event->type == E_CREATE)
        return ruvcm_register_window(window) ? 1 : 0;
    if (event->type == E_FOCUS && event->v.focus.active == 0 && !is_task_or_screen(window))
        state().lastFocus = window;
    return 1;
}

extern "C" RUV_BOOL ruvcm_destroy_hook(RUV_WIN window, RUV_EVENT *event)
{
    if (window != NULL_WIN && event && event->type == E_DESTROY)
        ruvcm_unregister_window(window);
    return 1;
}

/* ---- Registry -------------------------------------------------------- */

extern "C" RUV_WIN ruvcm_get_owner(RUV_WIN window)
{
    const RUV_WIN parent = ruv_vobj_get_parent(window);
    if (parent == NULL_WIN || parent == screen_window())
        return task_window();
    if (ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI) != 0 && parent == attr_window(RUV_ATTR_MDI_FRAME_WINDOW))
        return task_window();
    return parent;
}

extern "C" RUV_CM_OWNER_ENTRY *ruvcm_find_top_entry(RUV_WIN owner)
{
    for (RUV_CM_OWNER_ENTRY *o = state().owners; o; o = o->next)
        if (o->owner == owner)
            return o;
    return nullptr;
}

extern "C" RUV_CM_OWNER_ENTRY *ruvcm_add_top_entry(RUV_WIN owner)
{
    if (owner == NULL_WIN)
        return nullptr;
    if (RUV_CM_OWNER_ENTRY *o = ruvcm_find_top_entry(owner))
        return o;
    auto *o = static_cast<RUV_CM_OWNER_ENTRY *>(ruv_mem_zalloc(sizeof(RUV_CM_OWNER_ENTRY)));
    if (!o)
        return nullptr;
    o->owner = owner;
    o->next = state().owners;
    state().owners = o;
    return o;
}

extern "C" void ruvcm_remove_top_entry(RUV_WIN owner)
{
    for (RUV_CM_OWNER_ENTRY **link = &state().owners; *link; link = &(*link)->next) {
        if ((*link)->owner == owner) {
            RUV_CM_OWNER_ENTRY *o = *link;
            *link = o->next;
            ruv_mem_free(o);
            return;
        }
    }
}

extern "C" RUV_CM_CHILD_ENTRY *ruvcm_find_child_entry(RUV_WIN window)
{
    for (RUV_CM_OWNER_ENTRY *o = state().owners; o; o = o->next)
        if (RUV_CM_CHILD_ENTRY *c = find_in(o, window))
            return c;
    return nullptr;
}

extern "C" RUV_BOOL ruvcm_register_window(RUV_WIN window)
{
    const RUV_WIN owner = ruvcm_get_owner(window);
    if (owner == NULL_WIN)
        return 0;
    RUV_CM_OWNER_ENTRY *o = ruvcm_add_top_entry(owner);
    if (!o)
        return 0;
    auto *c = static_cast<RUV_CM_CHILD_ENTRY *>(ruv_mem_zalloc(sizeof(RUV_CM_CHILD_ENTRY)));
    if (!c)
        return 0;
    c->window = window;
    c->next = o->children;
    o->children = c;
    if (auto *record = static_cast<RUV_CM_CREATE_RECORD *>(ruv_vobj_get_data(window))) {
        ruv_vobj_set_data(window, nullptr);
        c->id = record->id;
        c->count = record->count;
        c->params = record->params;
    }
    return 1;
}

extern "C" void ruvcm_unregister_window(RUV_WIN window)
{
    State &s = state();
    /* A destroyed window is no target for routed commands. */
    if (s.lastFocus == window)
        s.lastFocus = NULL_WIN;
    const RUV_WIN owner = ruvcm_get_owner(window);
    if (owner == NULL_WIN)
        return;
    RUV_CM_OWNER_ENTRY *o = ruvcm_find_top_entry(owner);
    if (!o)
        return;
    for (RUV_CM_CHILD_ENTRY **link = &o->children; *link; link = &(*link)->next) {
        if ((*link)->window == window) {
            RUV_CM_CHILD_ENTRY *c = *link;
            *link = c->next;
            if (c->block)
                ruv_mem_free(c->block);
            std::memset(c, 0, sizeof *c);
            ruv_mem_free(c);
            return;
        }
    }
}

extern "C" RUV_WIN ruvcm_find_window_by_id(RUV_WIN parent, int32_t id)
{
    if (RUV_WIN found = find_id_in(ruvcm_find_top_entry(parent), id))
        return found;
    if (parent != NULL_WIN && parent == task_window() && ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI) != 0) {
        const RUV_WIN frame = attr_window(RUV_ATTR_MDI_FRAME_WINDOW);
        if (frame != NULL_WIN && frame != parent)
            return find_id_in(ruvcm_find_top_entry(frame), id);
    }
    return NULL_WIN;
}

extern "C" int32_t ruvcm_get_child_id(RUV_WIN window)
{
    const RUV_CM_CHILD_ENTRY *c = ruvcm_find_child_entry(window);
    return c ? c->id : -1;
}

extern "C" void *ruvcm_get_window_block(RUV_WIN window, int32_t size)
{
    RUV_CM_CHILD_ENTRY *c = ruvcm_find_child_entry(window);
    if (!c)
        return nullptr;
    if (!c->block && size > 0)
        c->block = ruv_mem_zalloc(size);
    return c->block;
}

extern "C" char **ruvcm_get_saved_params(RUV_WIN window, int32_t *count)
{
    const RUV_CM_CHILD_ENTRY *c = ruvcm_find_child_entry(window);
    if (count)
        *count = c ? c->count : 0;
    return c ? c->params : nullptr;
}

extern "C" char *ruvcm_get_first_param(RUV_WIN window)
{
    const RUV_CM_CHILD_ENTRY *c = ruvcm_find_child_entry(window);
    if (!c || c->count < 1 || c->count > MAX_FIRST_PARAM_COUNT || !c->params || !c->params[0] ||
        !c->params[0][0])
        return nullptr;
    return c->params[0];
}

extern "C" RUV_WIN ruvcm_get_last_focus(void) { return state().lastFocus; }

extern "C" RUV_BOOL ruvcm_notify_parent(RUV_WIN window, RUV_CM_NOTIFY *record)
{
    if (window == NULL_WIN || !record) {
        ruv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, 0x01250001u, SOURCE, __LINE__);
        return 0;
    }
    const RUV_CM_CHILD_ENTRY *c = ruvcm_find_child_entry(window);
    if (!c)
        return 0;
    record->type = TYPE_CHILD;
    record->window = window;
    RUV_EVENT event;
    std::memset(&event, 0, sizeof event);
    event.type = E_USER;
    event.v.user.id = c->id;
    event.v.user.data = record;
    const RUV_WIN owner = ruvcm_get_owner(window);
    if (owner != NULL_WIN)
        ruv_win_dispatch_event(owner, &event);
    return 1;
}

/* ---- Parameters ------------------------------------------------------ */

extern "C" const char *ruvcm_param_lookup(int32_t count, char **params, const char *name)
{
    if (!name || !params || count < MIN_COUNT || count > MAX_COUNT)
        return nullptr;
    const size_t nameLength = std::strlen(name);
    if (nameLength > NAME_MAX_BYTES)
        return nullptr;
    char pattern[NAME_MAX_BYTES + 2];
    std::memcpy(pattern, name, nameLength);
    pattern[nameLength] = '*';
    pattern[nameLength + 1] = '\0';

    const char *found = nullptr;
    for (int32_t i = 1; i < count && !found; ++i)
        if (params[i] && ruv_str_match(params[i], pattern, 0))
            found = params[i];
    if (!found)
        return nullptr;

    char *buffer = state().lookup;
    std::strncpy(buffer, found, NAME_MAX_BYTES);
    buffer[NAME_MAX_BYTES] = '\0';
    const size_t copied = std::strlen(buffer);
    /* A wildcard in the name may match a string shorter than the name. */
    if (nameLength > copied || buffer[nameLength] != '=')
        return buffer + copied;
    char *value = buffer + nameLength + 1;
    if (*value == '"') {
        ++value;
        if (char *close = std::strchr(value, '"'))
            *close = '\0';
    }
    return value;
}

extern "C" int32_t ruvcm_param_exists(int32_t count, char **params, const char *name)
{
    return ruvcm_param_lookup(count, params, name) ? 1 : 0;
}

extern "C" int32_t ruvcm_param_get_long(int32_t count, char **params, const char *name, int32_t *out)
{
    return read_one<long>(count, params, name, "%ld", out);
}

extern "C" int32_t ruvcm_param_get_int(int32_t count, char **params, const char *name, int *out)
{
    return read_one<int>(count, params, name, "%d", out);
}

extern "C" int32_t ruvcm_param_get_short(int32_t count, char **params, const char *name, int16_t *out)
{
    return read_one<short>(count, params, name, "%hd", out);
}

extern "C" int32_t ruvcm_param_get_char(int32_t count, char **params, const char *name, char *out)
{
    return read_one<char>(count, params, name, "%c", out);
}

extern "C" int32_t ruvcm_param_get_float(int32_t count, char **params, const char *name, float *out)
{
    return read_one<float>(count, params, name, "%f", out);
}

extern "C" int32_t ruvcm_param_get_point(int32_t count, char **params, const char *name, RUV_POINT *out)
{
    int h, v;
    char separator;
    if (!out || !scan(count, params, name, "%d%c%d", 3, &h, &separator, &v))
        return 0;
    out->h = static_cast<int16_t>(h);
    out->v = static_cast<int16_t>(v);
    return 1;
}

extern "C" int32_t ruvcm_param_get_color(int32_t count, char **params, const char *name, RUV_COLOR *out)
{
    if (!out)
        return 0;
    const char *value = ruvcm_param_lookup(count, params, name);
    if (!value)
        return 0;
    if (*value && ruv_str_is_digit(value)) {
        int red, green, blue;
        char s1, s2;
        if (std::sscanf(value, "%d%c%d%c%d", &red, &s1, &green, &s2, &blue) != 5)
            return 0;
        /* Each component is one byte: a negative or larger number gives its
           low 8 bits and never spills into its neighbour. */
        *out = (static_cast<RUV_COLOR>(red) & 0xFFu) << 16 | (static_cast<RUV_COLOR>(green) & 0xFFu) << 8 |
               (static_cast<RUV_COLOR>(blue) & 0xFFu);
        return 1;
    }
    for (const ColorName &c : COLOR_NAMES) {
        if (ruv_str_match(value, c.name, 0)) {
            *out = c.value;
            return 1;
        }
    }
    return 0;
}

/* ---- Character cells ------------------------------------------------- */

extern "C" int32_t ruvcm_get_base_cell(void) { return state().baseCell; }

extern "C" void ruvcm_set_base_cell(int32_t cell)
{
    /* The design cell divides every scaled value: a zero length keeps the
       cell in use. */
    if (RUVCM_CELL_WIDTH(cell) == 0 || RUVCM_CELL_HEIGHT(cell) == 0)
        return;
    state().baseCell = cell;
}

extern "C" int32_t ruvcm_measure_char_cell(void)
{
    State &s = state();
    if (RUVCM_CELL_HEIGHT(s.measuredCell) != 0)
        return s.measuredCell;

    RUV_RECT rect;
    ruv_rect_set(&rect, 0, 0, 100, 100);
    const RUV_WIN window = ruv_win_create(TYPE_DOCUMENT, &rect, "", 0, screen_window(), MEASURE_FLAGS, 0,
                                          ruvcm_null_handler, nullptr);
    if (window == NULL_WIN)
        return s.measuredCell;
    ruv_dwin_set_font_family(window, "system");
    ruv_dwin_set_font_style(window, 0);
    ruv_dwin_set_font_size(window, 12);
    int32_t leading = 0, ascent = 0, descent = 0;
    ruv_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    int32_t sum = 0;
    bool widthsRead = true;
    for (char c = 'A'; c <= 'z'; ++c) {
        const char text[2] = { c, '\0' };
        const int32_t w = ruv_dwin_get_text_width(window, text, 1);
        if (w < 0)
            widthsRead = false;
        sum += w;
    }
    ruv_vobj_destroy(window);

    const int32_t height = leading + ascent + descent;
    const int32_t width = (2 * sum + 58) / 116; /* mean of 58 widths, halves up */
    /* A measurement that read nothing usable is no cell: the next one
       tries again. */
    if (widthsRead && height > 0 && height <= INT16_MAX && width > 0 && width <= INT16_MAX)
        s.measuredCell = RUVCM_CELL(width, height);
    return s.measuredCell;
}

extern "C" int ruvcm_scale_h(int value) { return scale(state().horizontal, value, cell_width); }

extern "C" int ruvcm_scale_v(int value) { return scale(state().vertical, value, cell_height); }

/* ---- Events ---------------------------------------------------------- */

extern "C" int32_t ruvcm_null_handler(RUV_WIN, RUV_EVENT *) { return 0; }

extern "C" void ruvcm_route_event(RUV_WIN window, RUV_EVENT *event)
{
    if (!event)
        return;
    State &s = state();
    switch (event->type) {
    case E_DESTROY:
        ruvcm_remove_top_entry(window);
        if (!is_task_or_screen(window))
            s.lastFocus = NULL_WIN;
        return;
    case E_FOCUS:
        if (event->v.focus.active == 0 && !is_task_or_screen(window))
            s.lastFocus = NULL_WIN;
        return;
    case E_COMMAND:
    case E_FONT:
        break;
    default:
        return;
    }

    RUV_WIN p = ruv_scr_get_focus_vobj();
    if (p != NULL_WIN && p != window) {
        const int32_t type = ruv_vobj_get_type(p);
        if (type == 4 || type == 6 || type == 8 || type >= 10)
            return;
        const RUV_WIN task = task_window();
        while (p != NULL_WIN && p != task && ruv_vobj_get_parent(p) != window)
            p = ruvcm_get_owner(p);
        if (p != NULL_WIN && p != window)
            ruv_win_dispatch_event(p, event);
        return;
    }
    const RUV_WIN q = s.lastFocus;
    if (q != NULL_WIN && q != window && ruvcm_get_owner(q) == window)
        ruv_win_dispatch_event(q, event);
}

extern "C" int32_t ruvcm_default_event_handler(RUV_WIN window, RUV_EVENT *event)
{
    if (!event || event->type != E_UPDATE)
        return 0;
    ruv_dwin_clear(window, BLACK);
    RUV_DRAW_CTOOLS tools;
    std::memset(&tools, 0, sizeof tools);
    ruv_app_get_default_ctools(&tools);
    tools.fore = WHITE;
    ruv_dwin_set_draw_ctools(window, &tools);
    int32_t leading = 0, ascent = 0, descent = 0;
    ruv_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    ruv_dwin_draw_text(window, 4, ascent, "No event handler", -1);
    ruv_dwin_draw_text(window, 4, 2 * ascent + descent, "handler", -1);
    return 0;
}
