// The drawing-tools dialog: a modal window with a notebook whose pages edit
// a copy of a window's drawing tools: the pen (width, pattern, style and
// colour), the brush (pattern and colour), the text colours and the draw
// mode with opaque text.  Each colour group is a row of standard-colour
// swatches and a "More" box that opens the colour dialog.  OK copies the
// working tools back into the caller's record; Cancel and closing leave it
// as it was.  The windows come from the program's resource stream (window
// resources 9064-9092, tab images 9093 and 9094).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "draw_primitives.h"
#include "draw_state.h"
#include "native_controls.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_dm.h"
#include "ruvv_dwin.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"
#include "ruvv_image.h"
#include "ruvv_list.h"
#include "ruvv_notebk.h"
#include "ruvv_res.h"
#include "ruvv_windef.h"
#include "window_services.h"

namespace {

constexpr int32_t kHelpContext = 32150;
constexpr RUV_ERRMSG_ID ERR_BAD_VALUE = 0x01250001;  // "Bad value"
constexpr RUV_ERRMSG_ID ERR_TOO_HIGH = 0x01250003;   // "Value too high"

constexpr int32_t RES_WINDOW = 9064;
constexpr int32_t RES_FACES[4] = {9065, 9066, 9067, 9068};
constexpr int16_t RES_TAB_IMAGES[4] = {9093, 9094, 0, 0};
constexpr int32_t STR_TABS[4] = {31419, 31420, 31421, 31422};
const char *const DEFAULT_TABS[4] = {"PEN", "BRUSH", "COLOR", "ADVANCED"};
constexpr int32_t STR_MODES = 31410;
const char *const DEFAULT_MODES[8] = {"Copy", "And", "Not xor", "Not copy", "And not", "Not and", "Xor", "Or"};

constexpr int32_t kNotebookId = 1001;
constexpr int16_t kButtonArea = 50;  // below the notebook: OK and Cancel

// The eleven standard colours in swatch order, with their window resources.
constexpr int kSwatches = 11;
constexpr RUV_COLOR kColors[kSwatches] = {0x05FF00FF, 0x030000FF, 0x0400FFFF, 0x01FF0000, 0x06FFFF00, 0x0200FF00,
                                          0x07000000, 0x08404040, 0x09808080, 0x0AC0C0C0, 0x0BFFFFFF};
constexpr int32_t RES_SWATCH[kSwatches] = {9077, 9071, 9072, 9078, 9079, 9075, 9069, 9073, 9074, 9076, 9070};
constexpr int32_t RES_BACK_SWATCH[kSwatches] = {9089, 9083, 9084, 9090, 9091, 9087, 9081, 9085, 9086, 9088, 9082};
constexpr int32_t RES_MORE = 9080, RES_BACK_MORE = 9092;
constexpr RUV_COLOR kBlack = 0x07000000, kWhite = 0x0BFFFFFF, kOutline = 0x09808080;

// Where the page shows what the tools look like.
constexpr RUV_RECT kSample = {140, 10, 230, 220};

// Brush pattern samples: patterns 1 to 8 in two rows of four.
constexpr int16_t kPatternLeft[4] = {20, 70, 120, 170};
constexpr int16_t kPatternTop[2] = {150, 190};

enum Page { PEN, BRUSH, COLORS, ADVANCED, PAGES };
enum Group { G_PEN, G_BRUSH, G_FORE, G_BACK, GROUPS };

// Pen page controls.
constexpr int32_t C_RESET = 1, C_WIDTH = 2;
constexpr int32_t C_PATTERN_FIRST = 7, C_STYLE_FIRST = 11, C_STYLE_BOX = 14;
constexpr int32_t kPenPatterns[3] = {2, 9, 1};  // solid, patterned, none
// Colour page labels, advanced page controls.
constexpr int32_t C_FORE_LABEL = 2, C_BACK_LABEL = 3, C_MODES = 3, C_OPAQUE = 4;

struct State;

struct Swatch {
    State *state;
    int group;
    int index;  // kSwatches: the "More" box
    RUV_WIN win;
};

struct State {
    RUV_DRAW_CTOOLS *caller;
    int32_t parts;
    RUV_DRAW_CTOOLS work;
    Swatch swatches[GROUPS][kSwatches + 1];
    int marked[GROUPS];
    RUV_WIN faces[PAGES];
    RUV_WIN win;
    bool created;
    bool accepted;
};

bool valid(RUV_WIN w)
{
    return ruvv_vobj_is_valid(w) != 0;
}

RUV_COLOR &group_color(State *s, int g)
{
    switch (g) {
    case G_PEN: return s->work.pen.color;
    case G_BRUSH: return s->work.brush.color;
    case G_FORE: return s->work.fore;
    default: return s->work.back;
    }
}

RUV_WIN group_face(State *s, int g)
{
    return s->faces[g == G_PEN ? PEN : g == G_BRUSH ? BRUSH : COLORS];
}

void invalidate(RUV_WIN w, const RUV_RECT *rect = nullptr)
{
    if (!valid(w))
        return;
    RUV_RECT r;
    if (!rect) {
        ruvk_vobj_get_client_rect(w, &r);
        rect = &r;
    }
    ruvk_dwin_invalidate_rect(w, rect);
}

void redraw_group(State *s, int g)
{
    for (int i = 0; i <= kSwatches; ++i)
        invalidate(s->swatches[g][i].win);
    invalidate(group_face(s, g), &kSample);
}

// Marks the swatch whose colour is the group's colour (24 colour bits).
void mark_current(State *s, int g)
{
    s->marked[g] = -1;
    for (int i = 0; i < kSwatches; ++i)
        if ((kColors[i] & 0xFFFFFF) == (group_color(s, g) & 0xFFFFFF))
            s->marked[g] = i;
    redraw_group(s, g);
}

// A rectangle with a pen of width and colour over a fill.
void box(RUV_WIN w, const RUV_RECT &r, int16_t pen_width, RUV_COLOR frame, int32_t brush_pattern, RUV_COLOR fill)
{
    RUV_DRAW_CTOOLS t;
    ruvk_dwin_get_draw_ctools(w, &t);
    t.pen = RUV_CPEN{pen_width, 2, 0, frame};
    t.brush = RUV_CBRUSH{brush_pattern, fill};
    t.draw_mode = 0;
    ruvk_dwin_set_draw_ctools(w, &t);
    ruvk_dwin_draw_rect(w, &r);
}

int32_t swatch_handler(RUV_WIN win, RUV_EVENT *ev)
{
    auto *sw = static_cast<Swatch *>(win->app_data);
    if (!sw)
        return 0;
    State *s = sw->state;
    RUV_RECT client;
    ruvk_vobj_get_client_rect(win, &client);
    if (ev->type == E_UPDATE) {
        if (sw->index < kSwatches) {
            const RUV_COLOR c = kColors[sw->index];
            const bool marked = s->marked[sw->group] == sw->index;
            // An outline keeps the white swatch in sight on a light page.
            const RUV_COLOR frame = marked ? ((c & 0xFFFFFF) == 0 ? kWhite : kBlack) : kOutline;
            box(win, client, marked ? 2 : 1, frame, 2, c);
        } else {
            const RUV_COLOR fill = s->marked[sw->group] >= 0 ? kWhite : group_color(s, sw->group);
            box(win, client, 1, kBlack, 2, fill);
            RUV_DRAW_CTOOLS t;
            ruvk_dwin_get_draw_ctools(win, &t);
            const bool dark = ((fill >> 16) & 0xFF) + ((fill >> 8) & 0xFF) + (fill & 0xFF) < 384;
            t.fore = dark ? kWhite : kBlack;
            t.back = fill;
            t.opaque = 0;
            ruvk_dwin_set_draw_ctools(win, &t);
            const int32_t width = ruvk_dwin_get_text_width(win, "More", -1);
            ruvk_dwin_draw_text(win, (client.right - width) / 2, client.bottom - 6, "More", -1);
        }
        return 0;
    }
    if (ev->type != E_MOUSE_DOWN)
        return 0;
    if (sw->index < kSwatches) {
        s->marked[sw->group] = sw->index;
        group_color(s, sw->group) = kColors[sw->index];
    } else {
        RUV_COLOR chosen = group_color(s, sw->group);
        if (!ruvv_dm_post_color_sel(&chosen))
            return 0;
        group_color(s, sw->group) = chosen;
        s->marked[sw->group] = -1;
    }
    redraw_group(s, sw->group);
    return 0;
}

void make_group(State *s, int g)
{
    RUV_WIN face = group_face(s, g);
    for (int i = 0; i <= kSwatches; ++i) {
        Swatch &sw = s->swatches[g][i];
        sw = Swatch{s, g, i, NULL_WIN};
        const int32_t res = i == kSwatches ? (g == G_BACK ? RES_BACK_MORE : RES_MORE)
                                           : (g == G_BACK ? RES_BACK_SWATCH[i] : RES_SWATCH[i]);
        const uint32_t mask = RUV_EVENT_BIT(E_UPDATE) | RUV_EVENT_BIT(E_MOUSE_DOWN);
        sw.win = ruvv_win_create_res(res, face, mask, swatch_handler, &sw);
    }
    mark_current(s, g);
}

// ---- Pen page ----

RUV_WIN ctl(State *s, int page, int32_t id)
{
    return valid(s->faces[page]) ? ruvk_win_get_ctl(s->faces[page], id) : NULL_WIN;
}

void check_one(State *s, int page, int32_t first, int32_t count, int32_t which)
{
    for (int32_t i = 0; i < count; ++i)
        if (RUV_WIN r = ctl(s, page, first + i))
            ruvk_ctl_set_checked(r, first + i == which);
}

void show_pen(State *s)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", s->work.pen.width);
    if (RUV_WIN w = ctl(s, PEN, C_WIDTH))
        ruvk_vobj_set_title(w, text);
    int32_t which = -1;
    for (int32_t i = 0; i < 3; ++i)
        if (kPenPatterns[i] == s->work.pen.pattern)
            which = C_PATTERN_FIRST + i;
    check_one(s, PEN, C_PATTERN_FIRST, 3, which);
    check_one(s, PEN, C_STYLE_FIRST, 3, C_STYLE_FIRST + s->work.pen.style);
}

// Keeps only the digits of the width field as it is typed.
void digits_only(RUV_WIN field)
{
    char text[64] = "", kept[64];
    ruvk_vobj_get_title(field, text, sizeof text);
    size_t n = 0;
    for (const char *p = text; *p; ++p)
        if (*p >= '0' && *p <= '9')
            kept[n++] = *p;
    kept[n] = '\0';
    if (std::strcmp(kept, text) != 0) {
        ruvk_vobj_set_title(field, kept);
        ruvk_ctl_set_text_sel(field, static_cast<int32_t>(n), static_cast<int32_t>(n));
    }
}

// The width field's value into the working pen; 0 and 32768 or more are
// refused, and the field starts again at 1 with its text selected.
bool take_width(State *s)
{
    RUV_WIN field = ctl(s, PEN, C_WIDTH);
    if (!field)
        return true;
    char text[64] = "";
    ruvk_vobj_get_title(field, text, sizeof text);
    const long value = std::strtol(text, nullptr, 10);
    const bool too_long = std::strlen(text) > 6;
    if (value > 0 && value < 32768 && !too_long) {
        s->work.pen.width = static_cast<int16_t>(value);
        return true;
    }
    RUV_ERR(field, RUV_SEV_ERROR, value == 0 && !too_long ? ERR_BAD_VALUE : ERR_TOO_HIGH);
    if (valid(field)) {
        ruvk_vobj_set_title(field, "1");
        ruvk_ctl_set_text_sel(field, 0, 32767);
    }
    s->work.pen.width = 1;
    return false;
}

// ---- Page handlers ----

void draw_pen_sample(State *s, RUV_WIN face)
{
    box(face, kSample, 1, static_cast<RUV_COLOR>(ruvk_vobj_get_attr(face, RUV_ATTR_BACK_COLOR)), 2,
        static_cast<RUV_COLOR>(ruvk_vobj_get_attr(face, RUV_ATTR_BACK_COLOR)));
    RUV_DRAW_CTOOLS t = s->work;
    t.brush.pattern = 1;  // outline only
    t.draw_mode = 0;
    ruvk_dwin_set_draw_ctools(face, &t);
    const RUV_RECT inner = {kSample.top + 20, kSample.left + 20, kSample.bottom - 20, kSample.right - 20};
    ruvk_dwin_draw_rect(face, &inner);
}

void draw_brush_samples(State *s, RUV_WIN face)
{
    for (int i = 0; i < 8; ++i) {
        const int16_t left = kPatternLeft[i % 4], top = kPatternTop[i / 4];
        const RUV_RECT r = {top, left, static_cast<int16_t>(top + 30), static_cast<int16_t>(left + 40)};
        const bool selected = s->work.brush.pattern == i + 1;
        box(face, r, selected ? 2 : 1, kBlack, i + 1, s->work.brush.color);
    }
}

void draw_color_sample(State *s, RUV_WIN face)
{
    box(face, kSample, 1, kBlack, 2, s->work.back);
    RUV_DRAW_CTOOLS t;
    ruvk_dwin_get_draw_ctools(face, &t);
    t.fore = s->work.fore;
    t.back = s->work.back;
    t.opaque = 1;
    ruvk_dwin_set_draw_ctools(face, &t);
    ruvk_dwin_draw_text(face, kSample.left + 20, kSample.top + 50, "Sample text", -1);
}

int page_of(State *s, RUV_WIN face)
{
    for (int p = 0; p < PAGES; ++p)
        if (s->faces[p] == face)
            return p;
    return -1;
}

void restore(State *s, int page)
{
    const RUV_DRAW_CTOOLS &c = *s->caller;
    switch (page) {
    case PEN:
        s->work.pen = c.pen;
        show_pen(s);
        mark_current(s, G_PEN);
        break;
    case BRUSH:
        s->work.brush = c.brush;
        mark_current(s, G_BRUSH);
        break;
    case COLORS:
        s->work.fore = c.fore;
        s->work.back = c.back;
        mark_current(s, G_FORE);
        mark_current(s, G_BACK);
        break;
    case ADVANCED:
        s->work.draw_mode = c.draw_mode;
        s->work.opaque = c.opaque;
        ruvk_list_set_sel(ctl(s, ADVANCED, C_MODES), s->work.draw_mode, TRUE);
        ruvk_ctl_set_checked(ctl(s, ADVANCED, C_OPAQUE), s->work.opaque != 0);
        break;
    default:
        break;
    }
    invalidate(s->faces[page]);
}

void page_control(State *s, int page, RUV_EVENT *ev)
{
    const int32_t id = ev->v.control.id;
    if (id == C_RESET && ev->v.control.type == WC_PUSH_BUTTON) {
        restore(s, page);
        return;
    }
    switch (page) {
    case PEN:
        if (id == C_WIDTH && ev->v.control.type == WC_EDIT && ev->v.control.data.edit.change == 0) {
            digits_only(ev->v.control.ctl);
        } else if (id >= C_PATTERN_FIRST && id < C_PATTERN_FIRST + 3) {
            s->work.pen.pattern = kPenPatterns[id - C_PATTERN_FIRST];
            check_one(s, PEN, C_PATTERN_FIRST, 3, id);
            invalidate(s->faces[PEN], &kSample);
        } else if (id >= C_STYLE_FIRST && id < C_STYLE_FIRST + 3) {
            s->work.pen.style = id - C_STYLE_FIRST;
            check_one(s, PEN, C_STYLE_FIRST, 3, id);
            invalidate(s->faces[PEN], &kSample);
        }
        break;
    case ADVANCED:
        if (id == C_MODES) {
            const int32_t row = ruvk_list_get_sel_index(ctl(s, ADVANCED, C_MODES));
            if (row >= 0 && row < 8)
                s->work.draw_mode = row;
        } else if (id == C_OPAQUE) {
            s->work.opaque = s->work.opaque ? 0 : 1;
            ruvk_ctl_set_checked(ctl(s, ADVANCED, C_OPAQUE), s->work.opaque != 0);
        }
        break;
    default:
        break;
    }
}

int32_t face_handler(RUV_WIN face, RUV_EVENT *ev)
{
    auto *s = static_cast<State *>(face->app_data);
    const int page = s ? page_of(s, face) : -1;
    if (page < 0)
        return 0;
    switch (ev->type) {
    case E_UPDATE:
        if (page == PEN)
            draw_pen_sample(s, face);
        else if (page == BRUSH)
            draw_brush_samples(s, face);
        else if (page == COLORS)
            draw_color_sample(s, face);
        break;
    case E_MOUSE_DOWN:
        if (page == BRUSH) {
            for (int i = 0; i < 8; ++i) {
                const int16_t left = kPatternLeft[i % 4], top = kPatternTop[i / 4];
                if (ev->v.mouse.h >= left && ev->v.mouse.h < left + 40 && ev->v.mouse.v >= top &&
                    ev->v.mouse.v < top + 30) {
                    s->work.brush.pattern = i + 1;
                    invalidate(face, &kSample);
                }
            }
        }
        break;
    case E_CONTROL:
        page_control(s, page, ev);
        break;
    default:
        break;
    }
    return 0;
}

// ---- The pages ----

void set_up_page(State *s, int page)
{
    switch (page) {
    case PEN:
        show_pen(s);
        if ((s->parts & 0x82) == 0)
            for (int32_t id = C_STYLE_FIRST; id <= C_STYLE_BOX; ++id)
                if (RUV_WIN c = ctl(s, PEN, id))
                    ruvk_vobj_set_enabled(c, FALSE);
        make_group(s, G_PEN);
        break;
    case BRUSH:
        make_group(s, G_BRUSH);
        break;
    case COLORS:
        if (s->parts & 0xA8)
            make_group(s, G_FORE);
        else if (RUV_WIN c = ctl(s, COLORS, C_FORE_LABEL))
            ruvk_vobj_set_title(c, "");
        if (s->parts & 0xB0)
            make_group(s, G_BACK);
        else if (RUV_WIN c = ctl(s, COLORS, C_BACK_LABEL))
            ruvk_vobj_set_title(c, "");
        break;
    case ADVANCED: {
        RUV_WIN list = ctl(s, ADVANCED, C_MODES);
        char name[64];
        for (int32_t i = 0; i < 8 && list; ++i)
            ruvk_list_add(list, -1, ruvk_res_get_str(STR_MODES + i, name, sizeof name) ? name : DEFAULT_MODES[i]);
        if (list && s->work.draw_mode >= 0 && s->work.draw_mode < 8)
            ruvk_list_set_sel(list, s->work.draw_mode, TRUE);
        ruvk_ctl_set_checked(ctl(s, ADVANCED, C_OPAQUE), s->work.opaque != 0);
        break;
    }
    default:
        break;
    }
}

bool page_wanted(int32_t parts, int page)
{
    switch (page) {
    case PEN: return (parts & 0xA3) != 0;
    case BRUSH: return (parts & 0xA4) != 0;
    case COLORS: return (parts & 0xB8) != 0;
    default: return parts >= 64;
    }
}

void make_pages(State *s)
{
    RUV_RECT area;
    ruvk_vobj_get_client_rect(s->win, &area);
    area.bottom = static_cast<int16_t>(area.bottom > kButtonArea ? area.bottom - kButtonArea : 0);
    RUV_WIN nb = ruvk_ctl_create(WC_NOTEBOOK, &area, "Notebook", s->win, 0, nullptr, kNotebookId);
    if (!nb)
        return;
    int16_t tab = 0;
    for (int page = 0; page < PAGES; ++page) {
        if (!page_wanted(s->parts, page))
            continue;
        char title[64];
        if (!ruvk_res_get_str(STR_TABS[page], title, sizeof title))
            std::snprintf(title, sizeof title, "%s", DEFAULT_TABS[page]);
        RUV_IMAGE *image = RES_TAB_IMAGES[page] ? ruvv_res_get_image(RES_TAB_IMAGES[page]) : nullptr;
        const bool added = ruvv_notebk_add_tab(nb, tab, title, image) && ruvv_notebk_add_page(nb, tab, 0, title, 0);
        ruvv_image_destroy(image);
        if (!added)
            continue;
        s->faces[page] = ruvv_notebk_create_face_res(nb, tab, 0, RES_FACES[page], RUV_EVENT_MASK_ALL, face_handler, s);
        if (s->faces[page])
            set_up_page(s, page);
        ++tab;
    }
    if (tab > 0)
        ruvv_notebk_set_front_page(nb, 0, 0);
}

int32_t dialog_handler(RUV_WIN win, RUV_EVENT *ev)
{
    auto *s = static_cast<State *>(win->app_data);
    if (!s)
        return 0;
    switch (ev->type) {
    case E_CREATE:
        s->win = win;
        s->created = true;
        make_pages(s);
        break;
    case E_UPDATE:
        ruvv_dwin_clear(win, static_cast<RUV_COLOR>(ruvk_vobj_get_attr(win, RUV_ATTR_BACK_COLOR)));
        break;
    case E_CONTROL:
        if (ev->v.control.type != WC_PUSH_BUTTON)
            break;
        if (ev->v.control.id == 1) {
            if (!take_width(s))
                break;
            *s->caller = s->work;
            s->accepted = true;
            ruvk_vobj_destroy(win);
        } else if (ev->v.control.id == 2) {
            ruvk_vobj_destroy(win);
        }
        break;
    case E_CLOSE:
        ruvk_vobj_destroy(win);
        break;
    default:
        break;
    }
    return 0;
}

} // namespace

extern "C" RUV_BOOL ruvv_dm_post_ctools_sel(RUV_DRAW_CTOOLS *ctools, int32_t parts)
{
    if (!ctools)
        return FALSE;
    const int32_t previous = ruvv_win_set_help_ctx(kHelpContext);
    State s = {};
    s.caller = ctools;
    s.parts = parts;
    s.work = *ctools;
    for (int &m : s.marked)
        m = -1;
    RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    // A modal window: its loop runs before the creation returns.
    ruvv_win_create_res(RES_WINDOW, task, RUV_EVENT_MASK_ALL, dialog_handler, &s);
    if (!s.created)
        ruvv_dm_post_error_va("Can't open window");
    ruvv_win_set_help_ctx(previous);
    return s.accepted ? TRUE : FALSE;
}
