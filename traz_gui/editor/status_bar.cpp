// Status bar control: its parameters, placement before creation, the table
// of (owner, bar) pairs by which any window finds its bar, the text and
// default text, and the drawing of the fields with their frame.
#include "status_bar.h"

#include <cstdio>
#include <cstring>
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruvv_attr.h"

namespace {

constexpr RUV_COLOR BLACK = 0x07000000u;
constexpr RUV_COLOR WHITE = 0x0BFFFFFFu;
constexpr RUV_COLOR LIGHT_GREY = 0x0AC0C0C0u;
constexpr RUV_COLOR DARK_GREY = 0x08404040u;
constexpr int16_t DEFAULT_HEIGHT = 28;

struct BarPair {
    RUV_WIN owner;
    RUV_WIN bar;
};

// Registered bars in creation order.
BarPair g_bars[STATBAR_MAX_BARS];
int g_barCount = 0;

// Debug traces of the bar; the program prints none of them.
void Trace(const char *, ...) {}

RUV_WIN AttrWindow(int32_t key)
{
    return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, key));
}

RUV_WIN TaskWindow() { return AttrWindow(RUV_ATTR_TASK_WINDOW); }

// The owner of a window, or NULL for no window, the task window and the
// screen (which have none).
RUV_WIN OwnerOf(RUV_WIN window)
{
    if (window == NULL_WIN || window == TaskWindow() || window == AttrWindow(RUV_ATTR_SCREEN_WINDOW))
        return NULL_WIN;
    return ruvcm_get_owner(window);
}

// Present and empty, or beginning with "T", "t" or "1".
bool ParamTrue(int32_t count, char **params, const char *name)
{
    const char *v = ruvcm_param_lookup(count, params, name);
    return v && (v[0] == '\0' || v[0] == 'T' || v[0] == 't' || v[0] == '1');
}

void CopyText(char *dst, size_t size, const char *src)
{
    std::snprintf(dst, size, "%s", src ? src : "");
}

void RemovePair(RUV_WIN bar)
{
    for (int i = 0; i < g_barCount; ++i) {
        if (g_bars[i].bar != bar)
            continue;
        for (int j = i + 1; j < g_barCount; ++j)
            g_bars[j - 1] = g_bars[j];
        --g_barCount;
        g_bars[g_barCount] = BarPair{};
        return;
    }
}

bool BarRegisteredFor(RUV_WIN owner)
{
    for (int i = 0; i < g_barCount; ++i)
        if (g_bars[i].owner == owner)
            return true;
    return false;
}

// The bar's window text follows the text it shows, so that it can be read
// from outside the program.
void ShowText(RUV_WIN bar, StatbarModel *m)
{
    ruv_vobj_set_title(bar, m->text);
    ruv_dwin_invalidate_rect(bar, nullptr);
}

void SetDefaults(StatbarModel *m)
{
    m->text[0] = '\0';
    m->defaultText[0] = '\0';
    m->font = ruv_font_create();
    m->autosized = 1;
    m->scaled = 1;
    m->translated = 1;
    m->taskWindow = 0;
    m->debug = 0;
    m->height = DEFAULT_HEIGHT;
    m->leftOffset = 8;
    m->fieldOffset = 6;
    m->textColor = BLACK;
    const RUV_WIN screen = AttrWindow(RUV_ATTR_SCREEN_WINDOW);
    if (ruv_vobj_get_attr(screen, 101) != 0) {
        m->fillColor = LIGHT_GREY;
        m->plain = 0;
    } else {
        m->fillColor = WHITE;
        m->plain = 1;
    }
}

void ApplyParams(RUV_WIN bar, StatbarModel *m, int32_t count, char **params)
{
    if (ParamTrue(count, params, "AUTOSIZED")) {
        m->autosized = 1;
        m->scaled = 0;
    }
    if (ParamTrue(count, params, "SCALED")) {
        m->autosized = 0;
        m->scaled = 1;
    }
    if (ParamTrue(count, params, "TRANSLATED"))
        m->translated = 1;
    if (ParamTrue(count, params, "POS"))
        m->translated = 0;
    if (ParamTrue(count, params, "SIZE")) {
        m->autosized = 0;
        m->scaled = 0;
    }
    ruvcm_param_get_short(count, params, "HEIGHT", &m->height);
    ruvcm_param_get_short(count, params, "LEFT_OFFSET", &m->leftOffset);
    ruvcm_param_get_short(count, params, "FIELD_OFFSET", &m->fieldOffset);
    ruvcm_param_get_color(count, params, "FILL_COLOR", &m->fillColor);
    ruvcm_param_get_color(count, params, "TEXT_COLOR", &m->textColor);
    if (ParamTrue(count, params, "PLAIN")) {
        m->plain = 1;
        m->fillColor = WHITE;
        m->textColor = BLACK;
    }
    if (ParamTrue(count, params, "DEBUG"))
        m->debug = 1;
    if (const char *d = ruvcm_param_lookup(count, params, "DEFAULT_TEXT"))
        CopyText(m->defaultText, sizeof m->defaultText, d);
    if (ParamTrue(count, params, "TASK_WIN"))
        m->taskWindow = 1;
    int32_t size = 0;
    if (m->font && ruvcm_param_get_long(count, params, "FONTSIZE", &size))
        ruv_font_set_size(m->font, size);
    if (const char *family = ruvcm_param_lookup(count, params, "FONTFAMILY"))
        if (m->font)
            ruv_font_set_family(m->font, family);
    if (m->debug)
        Trace(m->autosized ? "Autosized statbar %ld created using %hd-point font:\n\t'%s'"
                           : "Design-sized statbar %ld created using %hd-point font:\n\t'%s'",
              static_cast<long>(ruvcm_get_child_id(bar)),
              static_cast<short>(m->font ? ruv_font_get_size(m->font) : 0), m->text);
}

void Line(RUV_WIN bar, RUV_COLOR color, int x0, int y0, int x1, int y1)
{
    RUV_CPEN pen{ 1, 2, 0, color };
    ruv_dwin_set_cpen(bar, &pen);
    ruv_dwin_draw_set_pos(bar, RUV_POINT{ static_cast<int16_t>(y0), static_cast<int16_t>(x0) });
    ruv_dwin_draw_line(bar, RUV_POINT{ static_cast<int16_t>(y1), static_cast<int16_t>(x1) });
}

void DrawFrame(RUV_WIN bar, const StatbarModel *m)
{
    const int t = m->rect.top, l = m->rect.left, b = m->rect.bottom, r = m->rect.right;
    if (m->plain) {
        Line(bar, BLACK, l, t, r, t);
        return;
    }
    const RUV_COLOR shades[3] = { WHITE, LIGHT_GREY, DARK_GREY };
    for (int i = 0; i < 3; ++i) {
        Line(bar, shades[i], l, t + i, r, t + i);
        Line(bar, shades[i], l, b - 3 + i, r, b - 3 + i);
    }
    Line(bar, WHITE, l, t, l, b);
    Line(bar, LIGHT_GREY, l + 1, t + 1, l + 1, b - 1);
    Line(bar, DARK_GREY, l + 2, t + 2, l + 2, b - 2);
    Line(bar, WHITE, r - 3, t + 2, r - 3, b - 2);
    Line(bar, LIGHT_GREY, r - 2, t + 1, r - 2, b - 1);
    Line(bar, DARK_GREY, r - 1, t, r - 1, b);
}

void DrawSeparator(RUV_WIN bar, const StatbarModel *m, int x, int baseline)
{
    const int t = m->rect.top, b = m->rect.bottom;
    if (m->plain) {
        ruv_dwin_set_fore_color(bar, m->textColor);
        ruv_dwin_draw_text(bar, x, baseline, "|", 1);
        return;
    }
    Line(bar, WHITE, x, t, x, b - 3);
    Line(bar, LIGHT_GREY, x, t + 1, x, b - 2);
    Line(bar, LIGHT_GREY, x + 2, t, x + 2, b - 2);
    Line(bar, DARK_GREY, x + 3, t + 2, x + 3, b - 2);
}

}  // namespace

StatbarModel *statbar_model(RUV_WIN bar)
{
    if (bar == NULL_WIN || ruvcm_find_child_entry(bar) == nullptr || ruv_win_get_handler(bar) != statbar_event_handler)
        return nullptr;
    return static_cast<StatbarModel *>(ruvcm_get_window_block(bar, sizeof(StatbarModel)));
}

RUV_WIN statbar_create(int32_t id, int16_t left, int16_t top, int16_t right, int16_t bottom, int32_t count,
                       char **params, RUV_WIN parent, int32_t parentResourceId, int32_t number, const char *title)
{
    // The table is full: the bar would never be found again.
    if (g_barCount >= STATBAR_MAX_BARS)
        return NULL_WIN;
    const RUV_WIN bar = ruvcm_create_window(id, left, top, right, bottom, count, params, parent, parentResourceId,
                                            number, title, statbar_event_handler, statbar_place);
    if (bar == NULL_WIN)
        return NULL_WIN;
    g_bars[g_barCount++] = BarPair{ ruvcm_get_owner(bar), bar };
    if (HWND hwnd = reinterpret_cast<HWND>(ruv_vobj_get_attr(bar, RUV_ATTR_NATIVE_WINDOW)))
        SetWindowLongPtrA(hwnd, GWLP_ID, static_cast<LONG_PTR>(id));
    if (StatbarModel *m = statbar_model(bar))
        ruv_vobj_set_title(bar, m->text);
    return bar;
}

RUV_WIN statbar_find(RUV_WIN window)
{
    if (window == NULL_WIN)
        return NULL_WIN;
    const RUV_WIN parent = OwnerOf(window);
    const RUV_WIN grandparent = OwnerOf(parent);
    for (int i = 0; i < g_barCount; ++i)
        if (g_bars[i].owner == window || g_bars[i].bar == window)
            return g_bars[i].bar;
    for (RUV_WIN owner : { parent, grandparent }) {
        if (owner == NULL_WIN)
            continue;
        for (int i = 0; i < g_barCount; ++i)
            if (g_bars[i].owner == owner)
                return g_bars[i].bar;
    }
    return NULL_WIN;
}

const char *statbar_set_title(RUV_WIN window, const char *text)
{
    const RUV_WIN bar = statbar_find(window);
    StatbarModel *m = statbar_model(bar);
    if (!m)
        return nullptr;
    const char *shown = (text && text[0]) ? text : m->defaultText;
    if (m->debug)
        Trace("statbar_set_title called with: '%s'", text ? text : "");
    if (std::strcmp(shown, m->text) != 0) {
        CopyText(m->text, sizeof m->text, shown);
        ShowText(bar, m);
    }
    return m->text;
}

char *statbar_get_title(RUV_WIN window, char *buffer, int32_t size)
{
    const StatbarModel *m = statbar_model(statbar_find(window));
    if (!m || !buffer || size <= 0)
        return nullptr;
    CopyText(buffer, static_cast<size_t>(size), m->text);
    return buffer;
}

const char *statbar_set_default_text(RUV_WIN window, const char *text)
{
    StatbarModel *m = statbar_model(statbar_find(window));
    if (!m)
        return nullptr;
    CopyText(m->defaultText, sizeof m->defaultText, text);
    return text ? m->defaultText : nullptr;
}

char *statbar_get_default_text(RUV_WIN window, char *buffer, int32_t size)
{
    const StatbarModel *m = statbar_model(statbar_find(window));
    if (!m || !buffer || size <= 0)
        return nullptr;
    CopyText(buffer, static_cast<size_t>(size), m->defaultText);
    return buffer;
}

void statbar_set_font(RUV_WIN window, RUV_FONT *font)
{
    const RUV_WIN bar = statbar_find(window);
    StatbarModel *m = statbar_model(bar);
    if (!m || !font || !ruv_font_is_valid(font))
        return;
    if (!m->font)
        m->font = ruv_font_create();
    if (!m->font)
        return;
    ruv_font_copy(m->font, font, -1);
    ruv_dwin_invalidate_rect(bar, nullptr);
}

RUV_FONT *statbar_get_font(RUV_WIN window, RUV_FONT *font)
{
    const StatbarModel *m = statbar_model(statbar_find(window));
    if (!m || !m->font || !font)
        return nullptr;
    ruv_font_copy(font, m->font, -1);
    return font;
}

void statbar_autosize(RUV_WIN window)
{
    const RUV_WIN bar = statbar_find(window);
    const StatbarModel *m = statbar_model(bar);
    if (!m)
        return;
    RUV_WIN owner = ruvcm_get_owner(bar);
    if (owner == TaskWindow() && ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI) != 0)
        owner = AttrWindow(RUV_ATTR_MDI_FRAME_WINDOW);
    RUV_RECT client{};
    if (!ruv_vobj_get_client_rect(owner, &client))
        return;
    RUV_RECT r = client;
    r.top = static_cast<int16_t>(client.bottom - m->height);
    ruv_vobj_move(bar, &r);
    if (m->debug)
        Trace("statbar_autosize autosized statbar to parent: %dx%d", client.right - client.left,
              client.bottom - client.top);
}

void statbar_draw(RUV_WIN bar)
{
    if (bar == NULL_WIN)
        return;
    StatbarModel *m = statbar_model(bar);
    if (!m) {
        ruv_dm_post_fatal_exit("%s", "Could not get model for statbar!");
        return;
    }
    if (m->font)
        ruv_dwin_set_font(bar, m->font);
    ruv_dwin_set_fore_color(bar, m->textColor);
    ruv_dwin_set_back_color(bar, m->fillColor);
    ruv_dwin_clear(bar, m->fillColor);
    int32_t leading = 0, ascent = 0, descent = 0;
    ruv_dwin_get_font_metrics(bar, &leading, &ascent, &descent);
    const int top = m->rect.top, left = m->rect.left, bottom = m->rect.bottom, right = m->rect.right;
    const int baseline = (ascent - descent) / 2 + (bottom - top) / 2 + top + 1;

    DrawFrame(bar, m);

    std::string text = m->text;
    const size_t firstTab = text.find('\t');
    const std::string first = text.substr(0, firstTab);
    int firstEnd = 0;
    if (!first.empty()) {
        ruv_dwin_set_fore_color(bar, m->textColor);
        ruv_dwin_draw_text(bar, left + m->leftOffset, baseline, first.c_str(), static_cast<int32_t>(first.size()));
        firstEnd = m->leftOffset + ruv_dwin_get_text_width(bar, first.c_str(), static_cast<int32_t>(first.size())) + 4;
        if (m->debug)
            Trace("statbar_draw placed text '%s' at %d,%d.", first.c_str(), left + m->leftOffset, baseline);
    }
    if (firstTab == std::string::npos)
        return;

    // Right-hand fields, from the last one leftwards; a field that would
    // reach into the first one ends the drawing.
    int x = right - 3;
    for (size_t tab = text.rfind('\t'); tab != std::string::npos && tab >= firstTab; tab = text.rfind('\t')) {
        const std::string field = text.substr(tab + 1);
        const int width =
            field.empty() ? 0 : ruv_dwin_get_text_width(bar, field.c_str(), static_cast<int32_t>(field.size()));
        x -= m->fieldOffset + width + 4;
        if (x < firstEnd)
            break;
        DrawSeparator(bar, m, x, baseline);
        if (!field.empty()) {
            ruv_dwin_set_fore_color(bar, m->textColor);
            ruv_dwin_draw_text(bar, x + m->fieldOffset / 2 + 4, baseline, field.c_str(),
                               static_cast<int32_t>(field.size()));
        }
        if (m->debug)
            Trace("statbar_draw put field '%s' at %d", field.c_str(), x);
        text.erase(tab);
    }
}

int32_t statbar_event_handler(RUV_WIN bar, RUV_EVENT *event)
{
    ruvcm_create_hook(bar, event);
    StatbarModel *m = statbar_model(bar);
    if (!m) {
        ruv_dm_post_error("%s", "Unable to get model for statbar");
    } else if (event) {
        switch (event->type) {
        case E_CREATE: {
            int32_t count = 0;
            char **params = ruvcm_get_saved_params(bar, &count);
            if (!params) {
                ruv_dm_post_error("%s", "Could not get properties for statbar!");
                break;
            }
            SetDefaults(m);
            CopyText(m->text, sizeof m->text, ruvcm_get_first_param(bar));
            ApplyParams(bar, m, count, params);
            ruv_vobj_get_client_rect(bar, &m->rect);
            break;
        }
        case E_DESTROY:
            RemovePair(bar);
            ruv_font_destroy(m->font);
            m->font = nullptr;
            ruv_vobj_get_client_rect(bar, &m->rect);
            break;
        case E_SIZE:
            ruv_vobj_get_client_rect(bar, &m->rect);
            ruv_dwin_invalidate_rect(bar, nullptr);
            break;
        case E_UPDATE:
            statbar_draw(bar);
            break;
        default:
            break;
        }
    }
    ruvcm_destroy_hook(bar, event);
    return 0;
}

void statbar_place(RUV_CM_CREATE_PARAMS *p)
{
    if (!p)
        return;
    const int32_t count = p->count;
    char **params = p->params;
    bool translated = true, scaledSize = true, autosize = true;
    int16_t height = DEFAULT_HEIGHT;
    RUV_POINT pos{}, size{};
    if (ParamTrue(count, params, "AUTOSIZED"))
        scaledSize = false;
    if (ParamTrue(count, params, "SCALED")) {
        scaledSize = true;
        autosize = false;
    }
    if (ParamTrue(count, params, "TRANSLATED"))
        translated = true;
    if (ruvcm_param_get_point(count, params, "POS", &pos))
        translated = false;
    if (ruvcm_param_get_point(count, params, "SIZE", &size)) {
        scaledSize = false;
        autosize = false;
    }
    ruvcm_param_get_short(count, params, "HEIGHT", &height);

    const RUV_WIN task = TaskWindow();
    if (ParamTrue(count, params, "TASK_WIN")) {
        p->parent = task;
        p->type = 2;
        p->flags = 2048;
    }
    if (p->parent == task && task != NULL_WIN) {
        // One bar for the task window: a second one gets no parent and is
        // refused.
        if (BarRegisteredFor(task)) {
            p->parent = NULL_WIN;
            return;
        }
        if (ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI) != 0) {
            p->parent = AttrWindow(RUV_ATTR_MDI_FRAME_WINDOW);
            ruv_vobj_set_attr(NULL_WIN, RUV_ATTR_MDI_MARGIN_BOTTOM, height + 1);
        }
    }
    if (autosize) {
        RUV_RECT client{};
        if (p->parent != NULL_WIN && ruv_vobj_get_client_rect(p->parent, &client)) {
            p->rect = client;
            p->rect.top = static_cast<int16_t>(client.bottom - height);
        }
        return;
    }
    const RUV_RECT design = p->rect;
    RUV_POINT topLeft = pos;
    if (translated) {
        topLeft.h = static_cast<int16_t>(ruvcm_scale_h(design.left));
        topLeft.v = static_cast<int16_t>(ruvcm_scale_v(design.top));
    }
    p->rect.left = topLeft.h;
    p->rect.top = topLeft.v;
    if (scaledSize) {
        p->rect.right = static_cast<int16_t>(ruvcm_scale_h(design.right));
        p->rect.bottom = static_cast<int16_t>(ruvcm_scale_v(design.bottom));
    } else {
        p->rect.right = static_cast<int16_t>(topLeft.h + size.h);
        p->rect.bottom = static_cast<int16_t>(topLeft.v + size.v);
    }
}

