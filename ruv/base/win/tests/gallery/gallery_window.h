// The gallery's main window, shared by the gallery program and the test
// that reads its controls back: the window from its compiled description,
// the rows of its lists (coloured rows in the list box), the ranges of its
// scroll bars, a tooltip, and a drawable pane beside the controls that
// shows lines and arrow lines, every brush pattern and draw mode, an icon
// and one line of text in each logical font family.
#ifndef GALLERY_WINDOW_H
#define GALLERY_WINDOW_H

#include <cstdio>
#include <cstring>

#include "draw_primitives.h"
#include "draw_state.h"
#include "native_controls.h"
#include "ruvk.h"
#include "window_create.h"
#include "window_services.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_event.h"
#include "ruvv_font.h"
#include "ruvv_windef.h"
#include "gallery_res.h"

namespace gallery {

// Rows of the coloured list: red text, blue text, white on blue, plain.
constexpr const char *LIST_ROWS[] = {
    "<\\CF(16711680))>Red row",
    "<\\CF(255))>Blue row",
    "<\\CB(255)\\CF(16777215))>White on blue",
    "Plain row",
};
constexpr const char *KIND_ROWS[] = {"Tracer", "Oil", "Temperature"};
constexpr const char *UNIT_ROWS[] = {"m", "km", "ft"};
constexpr const char *FAMILIES[] = {"system", "helvetica", "fixed", "times", "courier"};

// Where the pane sits in the main window's client area.
constexpr RUV_RECT PANE_RECT = {10, 420, 460, 710};

inline RUV_WIN &pane()
{
    static RUV_WIN p = NULL_WIN;
    return p;
}

inline void set_pen(RUV_WIN w, int32_t pattern, RUV_COLOR color, int16_t width = 1)
{
    RUV_CPEN pen{width, pattern, 0, color};
    ruvk_dwin_set_cpen(w, &pen);
}

inline void set_brush(RUV_WIN w, int32_t pattern, RUV_COLOR color)
{
    RUV_CBRUSH brush{pattern, color};
    ruvk_dwin_set_cbrush(w, &brush);
}

inline void line(RUV_WIN w, int h1, int v1, int h2, int v2, int arrows = 0)
{
    ruvk_dwin_draw_set_pos(w, RUV_POINT{static_cast<int16_t>(v1), static_cast<int16_t>(h1)});
    RUV_POINT to{static_cast<int16_t>(v2), static_cast<int16_t>(h2)};
    if (arrows)
        ruvk_dwin_draw_aline(w, to, (arrows & 1) ? 1 : 0, (arrows & 2) ? 1 : 0);
    else
        ruvk_dwin_draw_line(w, to);
}

inline void draw_pane(RUV_WIN w)
{
    RUV_RECT client;
    ruvk_vobj_get_client_rect(w, &client);
    ruvk_dwin_set_draw_mode(w, 0);
    set_pen(w, 1, RUV_COLOR_BLACK);
    set_brush(w, 2, RUV_COLOR_WHITE);
    ruvk_dwin_draw_rect(w, &client);

    // Lines in three styles and arrow lines.
    set_pen(w, 2, RUV_COLOR_BLACK);
    line(w, 10, 12, 130, 12);
    set_pen(w, 9, RUV_COLOR_BLUE);
    line(w, 10, 22, 130, 22);
    set_pen(w, 2, RUV_COLOR_RED, 3);
    line(w, 10, 34, 130, 34);
    set_pen(w, 2, RUV_COLOR_BLACK);
    line(w, 150, 12, 270, 12, 2);
    line(w, 150, 26, 270, 40, 3);
    line(w, 150, 50, 200, 50, 1);

    // Every brush pattern: 1 hollow, 2 solid, 3-8 hatched, 9 solid.
    for (int p = 1; p <= 9; ++p) {
        set_pen(w, 2, RUV_COLOR_BLACK);
        set_brush(w, p, RUV_COLOR_BLUE);
        int16_t left = static_cast<int16_t>(10 + (p - 1) * 30);
        RUV_RECT r{60, left, 86, static_cast<int16_t>(left + 26)};
        ruvk_dwin_draw_rect(w, &r);
    }

    // Every draw mode: a red bar drawn over a grey stripe.
    set_pen(w, 1, RUV_COLOR_BLACK);
    set_brush(w, 2, RUV_COLOR_GREY);
    RUV_RECT stripe{96, 10, 106, 250};
    ruvk_dwin_draw_rect(w, &stripe);
    for (int m = 0; m <= 7; ++m) {
        ruvk_dwin_set_draw_mode(w, m);
        set_brush(w, 2, RUV_COLOR_RED);
        int16_t left = static_cast<int16_t>(10 + m * 30);
        RUV_RECT r{92, left, 112, static_cast<int16_t>(left + 24)};
        ruvk_dwin_draw_rect(w, &r);
    }
    ruvk_dwin_set_draw_mode(w, 0);

    // An icon, then one text line per logical family.
    ruvk_dwin_draw_icon(w, 240, 120, 9012);
    RUV_FONT *font = ruvv_font_create();
    for (size_t i = 0; font && i < sizeof FAMILIES / sizeof FAMILIES[0]; ++i) {
        ruvv_font_set_family(font, FAMILIES[i]);
        ruvv_font_set_size(font, 12);
        ruvk_dwin_set_font(w, font);
        char text[64];
        std::snprintf(text, sizeof text, "%s: The quick brown fox", FAMILIES[i]);
        ruvk_dwin_draw_text(w, 10, static_cast<int32_t>(140 + i * 24), text, -1);
    }
    ruvv_font_destroy(font);
}

inline int32_t pane_handler(RUV_WIN w, RUV_EVENT *e)
{
    if (e->type == E_UPDATE)
        draw_pane(w);
    return 0;
}

// Rows, ranges, tooltip and pane of a new main window.
inline void fill(RUV_WIN main)
{
    if (RUV_WIN list = ruvk_win_get_ctl(main, GL_ROWS))
        for (const char *r : LIST_ROWS)
            ruvk_list_add(list, -1, r);
    if (RUV_WIN kind = ruvk_win_get_ctl(main, GL_KIND))
        for (const char *r : KIND_ROWS)
            ruvk_list_add(kind, -1, r);
    if (RUV_WIN unit = ruvk_win_get_ctl(main, GL_UNIT))
        for (const char *r : UNIT_ROWS)
            ruvk_list_add(unit, -1, r);
    if (RUV_WIN h = ruvk_win_get_ctl(main, GL_HBAR)) {
        ruvk_sbar_set_range(h, 0, 0, 100);
        ruvk_sbar_set_proportion(h, 0, 20);
        ruvk_sbar_set_pos(h, 0, 30);
    }
    if (RUV_WIN v = ruvk_win_get_ctl(main, GL_VBAR)) {
        ruvk_sbar_set_range(v, 0, 0, 50);
        ruvk_sbar_set_pos(v, 0, 10);
    }
    if (RUV_WIN ok = ruvk_win_get_ctl(main, GL_OK))
        ruvk_ctl_set_tooltip(ok, "Accepts the gallery", nullptr);
    pane() = ruvk_win_create(7, &PANE_RECT, "", 0, main, 0, RUV_EVENT_MASK_ALL, pane_handler, nullptr);
}

// The main window's background in the system's button-face colour.
inline void clear(RUV_WIN w)
{
    RUV_RECT client;
    ruvk_vobj_get_client_rect(w, &client);
    ruvk_dwin_set_draw_mode(w, 0);
    set_pen(w, 1, RUV_COLOR_BLACK);
    set_brush(w, 2, static_cast<RUV_COLOR>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_BACK_COLOR)));
    ruvk_dwin_draw_rect(w, &client);
}

inline int32_t main_handler(RUV_WIN w, RUV_EVENT *e)
{
    if (e->type == E_CREATE)
        fill(w);
    else if (e->type == E_UPDATE)
        clear(w);
    else if (e->type == E_CLOSE)
        ruvk_vobj_destroy(reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)));
    return 0;
}

// The main window from its description under the task window.
inline RUV_WIN open()
{
    RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    return ruvv_win_create_res(GALLERY_WINDOW, task, RUV_EVENT_MASK_ALL, main_handler, nullptr);
}

} // namespace gallery

#endif
