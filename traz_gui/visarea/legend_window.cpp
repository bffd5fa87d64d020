// The legend window under the task window, beside the first map window,
// wide enough for every label and drawn into a pixmap of its own that is
// copied on every update and drawn again whenever the kinds that hold
// objects change; and the About window with its three centred texts.
#include "legend_window.h"

#include <algorithm>
#include <new>

#include "map_window.h"

// The help hook forgets a window's help associations when it is destroyed.
void HelpRemoveWindow(RUV_WIN window);

namespace {

constexpr int32_t ATTR_BACK_COLOR = 100;
constexpr int32_t ATTR_TASK_WINDOW = 301;
constexpr int32_t SOLID = 2;
constexpr int32_t LEGEND_MIN_HEIGHT = 200;

struct LegendRecord {
    RUV_RECT client;
    RUV_WIN pixmap;
    int32_t shownKinds[GE_KIND_COUNT];  // the rows of the last drawing
    int32_t shownCount;  // -1 before the first drawing
};

// The gap between the legend and the map window it stands beside.
constexpr int32_t LEGEND_GAP = 4;
// Room right of the longest label.
constexpr int32_t LEGEND_RIGHT_MARGIN = 16;
constexpr int32_t LEGEND_FIRST_ROW = 35;
constexpr int32_t LEGEND_LABEL_X = 40;

RUV_WIN TaskWindow() { return reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, ATTR_TASK_WINDOW)); }

RUV_POINT At(int32_t x, int32_t y) { return RUV_POINT{ static_cast<int16_t>(y), static_cast<int16_t>(x) }; }

void Pen(RUV_WIN d, RUV_COLOR colour)
{
    const RUV_CPEN pen{ 2, SOLID, 0, colour };
    ruv_dwin_set_cpen(d, &pen);
}

void Line(RUV_WIN d, int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    ruv_dwin_draw_set_pos(d, At(x0, y0));
    ruv_dwin_draw_line(d, At(x1, y1));
}

struct LegendRow {
    int32_t kind;
    const char *label;
};

const LegendRow kRows[] = {
    { GEkind_DRY_POINT, "dry point" },
    { GEkind_THIN_DAM, "thin dam" },
    { GEkind_OBSERVATION, "observation point" },
    { GEkind_CROSS_SECTION, "cross section" },
    { GEkind_DROGUE, "drogue" },
    { GEkind_DISCHARGE, "discharge" },
    { GEkind_INSTANT_RELEASE, "instantaneous release" },
    { GEkind_CONTINUOUS_RELEASE, "continuous release" },
    { GEkind_OPEN_BOUNDARY, "open boundary" },
};

int32_t ObjectCount(int32_t kind)
{
    const GE_GlobalData &g = global_windata;
    switch (kind) {
    case GEkind_DRY_POINT: return g.dryPoints.count;
    case GEkind_THIN_DAM: return g.thinDams.count;
    case GEkind_OBSERVATION: return g.observations.count;
    case GEkind_DROGUE: return g.drogues.count;
    case GEkind_DISCHARGE:
    case GEkind_INSTANT_RELEASE:
    case GEkind_CONTINUOUS_RELEASE: return g.discharges[kind - GEkind_DISCHARGE].count;
    case GEkind_CROSS_SECTION: return g.crossSections.count;
    case GEkind_OPEN_BOUNDARY: return g.openBoundaries.count;
    default: return 0;
    }
}

int32_t KindMask()
{
    int32_t kinds[GE_KIND_COUNT];
    const int32_t count = GE_LegendKinds(kinds, GE_KIND_COUNT);
    int32_t mask = 0;
    for (int32_t k = 0; k < count; ++k)
        mask |= 1 << kinds[k];
    return mask;
}

// The kinds of the last drawing as bits, -1 before the first.
int32_t ShownMask(const LegendRecord *record)
{
    if (record->shownCount < 0)
        return -1;
    int32_t mask = 0;
    for (int32_t k = 0; k < record->shownCount; ++k)
        mask |= 1 << record->shownKinds[k];
    return mask;
}

LegendRecord *RecordOf(RUV_WIN legend)
{
    return legend ? static_cast<LegendRecord *>(ruv_vobj_get_data(legend)) : nullptr;
}

// The pixmap drawn afresh and shown.
void Redraw(RUV_WIN window, LegendRecord *record)
{
    if (record->pixmap) {
        ruv_dwin_clear(record->pixmap, GE_COLOR_WHITE);
        ruv_scr_set_busy_cursor();
        GE_DrawLegend(record->pixmap);
        record->shownCount = GE_LegendKinds(record->shownKinds, GE_KIND_COUNT);
    }
    ruv_dwin_invalidate_rect(window, nullptr);
}

// The client width that holds "Symbols:" and the longest label.
int32_t NeededWidth(RUV_WIN window)
{
    int32_t width = 20 + ruv_dwin_get_text_width(window, "Symbols:", -1);
    for (const LegendRow &row : kRows)
        width = std::max(width, LEGEND_LABEL_X + ruv_dwin_get_text_width(window, row.label, -1));
    return width + LEGEND_RIGHT_MARGIN;
}

int32_t Width(const RUV_RECT &r) { return r.right - r.left; }
int32_t Height(const RUV_RECT &r) { return r.bottom - r.top; }

}  // namespace

// ---------------------------------------------------------------- legend

void GE_OpenLegendWindow(void)
{
    GE_CloseLegendWindow();
    if (!ruv_win_create_res(GE_LEGEND_WINDOW, TaskWindow(), nullptr, GE_LegendWindowHandler, RUV_EVENT_MASK_ALL))
        ruv_dm_post_error("Can't open window");
}

void GE_CloseLegendWindow(void)
{
    if (global_windata.legendWindow) {
        const RUV_WIN legend = static_cast<RUV_WIN>(global_windata.legendWindow);
        global_windata.legendWindow = nullptr;
        ruv_vobj_destroy(legend);
    }
}

void GE_RefreshLegendWindow(void)
{
    const RUV_WIN legend = static_cast<RUV_WIN>(global_windata.legendWindow);
    if (LegendRecord *record = RecordOf(legend))
        Redraw(legend, record);
}

void GE_LegendFollowObjects(void)
{
    const RUV_WIN legend = static_cast<RUV_WIN>(global_windata.legendWindow);
    LegendRecord *record = RecordOf(legend);
    if (record && record->pixmap && ShownMask(record) != KindMask())
        Redraw(legend, record);
}

int32_t GE_LegendWindowHandler(RUV_WIN window, RUV_EVENT *event)
{
    switch (event->type) {
    case E_CREATE: GE_LegendCreated(window); break;
    case E_DESTROY: {
        HelpRemoveWindow(window);
        // A window closed by the system: its record and pixmap go with it.
        if (ruv_vobj_get_data(window))
            GE_LegendFree(window);
        break;
    }
    case E_SIZE: GE_LegendResized(window); break;
    case E_UPDATE: GE_LegendUpdate(window); break;
    case E_CLOSE: GE_CloseLegendWindow(); break;
    default: break;
    }
    return 0;
}

void GE_LegendCreated(RUV_WIN window)
{
    global_windata.legendWindow = window;
    LegendRecord *record = new (std::nothrow) LegendRecord{};
    if (record)
        record->shownCount = -1;
    ruv_vobj_set_data(window, record);
    // Wide enough for its labels, and as high as its rows need.
    RUV_RECT outer{}, client{};
    ruv_vobj_get_outer_rect(window, &outer);
    ruv_vobj_get_client_rect(window, &client);
    const int32_t rows = static_cast<int32_t>(sizeof kRows / sizeof kRows[0]);
    const int32_t width = std::max(Width(client), NeededWidth(window));
    const int32_t height = std::max(Height(client), LEGEND_FIRST_ROW + rows * GE_LegendRowPitch(window) + 10);
    // The frame round the client area: a border at the sides and the
    // bottom, the border and the title at the top.
    const int32_t border = (Width(outer) - Width(client)) / 2;
    const int32_t title = Height(outer) - Height(client) - border;
    const int32_t frameWidth = width + 2 * border, frameHeight = height + title + border;
    // The frame beside the first map window, on its left where there is
    // room, else on its right, and on the screen.
    RUV_RECT screen{};
    ruv_vobj_get_client_rect(TaskWindow(), &screen);
    int32_t left = Width(screen) - frameWidth, top = 0;
    if (global_windata.windowCount > 0) {
        RUV_RECT map{};
        ruv_vobj_get_outer_rect(static_cast<RUV_WIN>(global_windata.windows[0]), &map);
        top = map.top;
        left = map.left - LEGEND_GAP - frameWidth;
        if (left < 0)
            left = map.right + LEGEND_GAP;
    }
    left = std::max<int32_t>(0, std::min<int32_t>(left, Width(screen) - frameWidth));
    top = std::max<int32_t>(0, std::min<int32_t>(top, Height(screen) - frameHeight));
    // A window is moved by its client area.
    const RUV_RECT placed{ static_cast<int16_t>(top + title), static_cast<int16_t>(left + border),
                           static_cast<int16_t>(top + title + height), static_cast<int16_t>(left + border + width) };
    ruv_vobj_move(window, &placed);
}

void GE_LegendResized(RUV_WIN window)
{
    LegendRecord *record = RecordOf(window);
    if (!record)
        return;
    ruv_vobj_get_client_rect(window, &record->client);
    if (record->pixmap)
        ruv_pmap_destroy(record->pixmap);
    const int32_t width = record->client.right - record->client.left;
    const int32_t height = std::max<int32_t>(record->client.bottom - record->client.top, LEGEND_MIN_HEIGHT);
    record->pixmap = width > 0 ? ruv_pmap_create(window, 1, width, height) : NULL_WIN;
    Redraw(window, record);
}

void GE_LegendUpdate(RUV_WIN window)
{
    ruv_dwin_clear(window, static_cast<RUV_COLOR>(ruv_vobj_get_attr(NULL_WIN, ATTR_BACK_COLOR)));
    const LegendRecord *record = static_cast<const LegendRecord *>(ruv_vobj_get_data(window));
    if (!record || !record->pixmap)
        return;
    RUV_RECT source{ 0, 0, static_cast<int16_t>(record->client.bottom - record->client.top),
                     static_cast<int16_t>(record->client.right - record->client.left) };
    ruv_dwin_draw_pmap(window, record->pixmap, &record->client, &source);
}

void GE_LegendFree(RUV_WIN window)
{
    LegendRecord *record = static_cast<LegendRecord *>(ruv_vobj_get_data(window));
    if (record) {
        if (record->pixmap) {
            ruv_dwin_clear(record->pixmap, GE_COLOR_WHITE);
            ruv_pmap_destroy(record->pixmap);
        }
        ruv_vobj_set_data(window, nullptr);
        delete record;
    }
    if (global_windata.legendWindow == window)
        global_windata.legendWindow = nullptr;
}

int32_t GE_LegendKinds(int32_t *kinds, int32_t room)
{
    int32_t count = 0;
    for (const LegendRow &row : kRows)
        if (ObjectCount(row.kind) > 0 && count < room)
            kinds[count++] = row.kind;
    return count;
}

int32_t GE_LegendShownKinds(int32_t *kinds, int32_t room)
{
    const RUV_WIN legend = static_cast<RUV_WIN>(global_windata.legendWindow);
    if (!legend)
        return -1;
    const LegendRecord *record = static_cast<const LegendRecord *>(ruv_vobj_get_data(legend));
    int32_t count = 0;
    for (; record && count < record->shownCount && count < room; ++count)
        kinds[count] = record->shownKinds[count];
    return count;
}

const char *GE_LegendLabel(int32_t kind)
{
    for (const LegendRow &row : kRows)
        if (row.kind == kind)
            return row.label;
    return "";
}

void GE_DrawLegendSymbol(RUV_WIN d, int32_t kind, int32_t x, int32_t y, int32_t s)
{
    switch (kind) {
    case GEkind_DRY_POINT: {
        const RUV_CBRUSH brush{ SOLID, 0x00FFD600u };
        ruv_dwin_set_cbrush(d, &brush);
        ruv_dwin_set_std_cpen(d, 1);
        const RUV_RECT square{ static_cast<int16_t>(y), static_cast<int16_t>(x), static_cast<int16_t>(y + s),
                               static_cast<int16_t>(x + s) };
        ruv_dwin_draw_rect(d, &square);
        break;
    }
    case GEkind_THIN_DAM:
    case GEkind_CROSS_SECTION:
    case GEkind_OPEN_BOUNDARY: {
        Pen(d, kind == GEkind_THIN_DAM ? 0x00D8D800u : kind == GEkind_CROSS_SECTION ? 0x0400FFFFu : 0x000000FFu);
        Line(d, x, y + s / 2, x + s, y + s / 2);
        break;
    }
    case GEkind_OBSERVATION:
        Pen(d, 0x0400FFFFu);
        Line(d, x, y, x + s, y + s);
        Line(d, x, y + s, x + s, y);
        break;
    case GEkind_DROGUE: {
        const int32_t odd = s % 2 == 0 ? s + 1 : s;
        Pen(d, 0x00990099u);
        Line(d, x, y + odd / 2 + 1, x + odd, y + odd / 2 + 1);
        Line(d, x + odd / 2 + 1, y, x + odd / 2 + 1, y + odd);
        break;
    }
    case GEkind_DISCHARGE:
    case GEkind_INSTANT_RELEASE:
    case GEkind_CONTINUOUS_RELEASE: {
        Pen(d, kind == GEkind_DISCHARGE ? 0x00990099u : kind == GEkind_INSTANT_RELEASE ? 0x0200FF00u : 0x030000FFu);
        const RUV_POINT diamond[] = { At(x, y + s / 2), At(x + s / 2, y + s), At(x + s, y + s / 2), At(x + s / 2, y),
                                      At(x, y + s / 2) };
        ruv_dwin_draw_polyline(d, diamond, 5);
        break;
    }
    default: break;
    }
}

int32_t GE_LegendRowPitch(RUV_WIN drawable)
{
    int32_t leading = 0, ascent = 0, descent = 0;
    ruv_dwin_get_font_metrics(drawable, &leading, &ascent, &descent);
    return std::max<int32_t>(15, leading + ascent + descent + 3);
}

void GE_DrawLegend(RUV_WIN d)
{
    int32_t leading = 0, ascent = 0, descent = 0;
    ruv_dwin_get_font_metrics(d, &leading, &ascent, &descent);
    // Each label's letters stand level with its symbol (10 high).
    const int32_t baseline = 5 + (ascent - descent + 1) / 2;
    const int32_t pitch = GE_LegendRowPitch(d);
    ruv_dwin_set_fore_color(d, GE_COLOR_BLACK);
    ruv_dwin_draw_text(d, 20, 20, "Symbols:", -1);
    int32_t y = LEGEND_FIRST_ROW;
    for (const LegendRow &row : kRows) {
        if (ObjectCount(row.kind) <= 0)
            continue;
        GE_DrawLegendSymbol(d, row.kind, 20, y, 10);
        ruv_dwin_set_fore_color(d, GE_COLOR_BLACK);
        ruv_dwin_draw_text(d, LEGEND_LABEL_X, y + baseline, row.label, -1);
        y += pitch;
    }
}

// ---------------------------------------------------------------- About

RUV_WIN GE_OpenAboutWindow(void)
{
    const RUV_WIN about =
        ruv_win_create_res(GE_ABOUT_WINDOW, TaskWindow(), nullptr, GE_AboutWindowHandler, RUV_EVENT_MASK_ALL);
    if (!about)
        ruv_dm_post_error("Can't open window");
    return about;
}

void GE_FillAbout(RUV_WIN window)
{
    static const struct {
        int32_t id;
        const char *text;
    } texts[] = { { GE_ABOUT_PROGRAM, "Ostravel" }, { GE_ABOUT_AREA, "Visualisation Area" },
                  { GE_ABOUT_VERSION, "Version 3.00.00" } };
    for (const auto &t : texts)
        if (const RUV_WIN control = ruv_win_get_ctl(window, t.id))
            ruv_vobj_set_title(control, t.text);
}

int32_t GE_AboutWindowHandler(RUV_WIN window, RUV_EVENT *event)
{
    switch (event->type) {
    case E_CREATE: GE_FillAbout(window); break;
    case E_DESTROY: HelpRemoveWindow(window); break;
    case E_UPDATE:
        ruv_dwin_clear(window, static_cast<RUV_COLOR>(ruv_vobj_get_attr(NULL_WIN, ATTR_BACK_COLOR)));
        break;
    case E_CONTROL:
        if (event->v.control.id == GE_ABOUT_OK)
            ruv_vobj_destroy(window);
        break;
    case E_CLOSE: ruv_vobj_destroy(window); break;
    default: break;
    }
    return 0;
}
