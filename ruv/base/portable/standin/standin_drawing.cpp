/* Kernel stand-in: drawing states without a window system.  Each window
   gets default tools and a font bound to it on first use; pens, brushes
   and whole tool sets are stored, rectangles are recorded with the tools
   in effect, and the mapped font values are the font's own (the face name
   that of its descriptor). */
#include "standin_drawing.h"

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_font.h"
#include "ruvv_font_desc.h"

#include <cstring>
#include <map>

namespace {

struct State {
    RUV_DRAW_CTOOLS tools;
    RUV_FONT *font;
    RUV_RECT client;
};

std::map<RUV_WIN, State> &states()
{
    static std::map<RUV_WIN, State> s;
    return s;
}

std::vector<standin::DrawnRect> &rects()
{
    static std::vector<standin::DrawnRect> r;
    return r;
}

State *state_of(RUV_WIN win)
{
    if (!win)
        return nullptr;
    auto it = states().find(win);
    if (it == states().end()) {
        State s{};
        ruvv_app_get_default_ctools(&s.tools);
        s.font = ruvv_font_create();
        if (s.font)
            s.font->win = win;
        it = states().emplace(win, s).first;
    }
    return &it->second;
}

} // namespace

namespace standin {

const std::vector<DrawnRect> &drawn_rects() { return rects(); }

void set_client_rect(RUV_WIN win, const RUV_RECT &rect)
{
    if (State *s = state_of(win))
        s->client = rect;
}

void reset_drawing()
{
    for (auto &e : states())
        ruvv_font_destroy(e.second.font);
    states().clear();
    rects().clear();
}

} // namespace standin

extern "C" void ruvk_dwin_get_draw_ctools(RUV_WIN win, RUV_DRAW_CTOOLS *out)
{
    State *s = state_of(win);
    if (s && out)
        *out = s->tools;
}

extern "C" RUV_DRAW_CTOOLS *ruvk_dwin_set_draw_ctools(RUV_WIN win, const RUV_DRAW_CTOOLS *tools)
{
    State *s = state_of(win);
    if (!s)
        return nullptr;
    if (tools)
        s->tools = *tools;
    return &s->tools;
}

extern "C" void ruvk_dwin_set_cpen(RUV_WIN win, const RUV_CPEN *pen)
{
    State *s = state_of(win);
    if (s && pen)
        s->tools.pen = *pen;
}

extern "C" void ruvk_dwin_set_cbrush(RUV_WIN win, const RUV_CBRUSH *brush)
{
    State *s = state_of(win);
    if (s && brush)
        s->tools.brush = *brush;
}

extern "C" void ruvk_dwin_set_font(RUV_WIN win, const RUV_FONT *font)
{
    State *s = state_of(win);
    if (s && s->font && font)
        ruvv_font_copy(s->font, font, 31);
}

extern "C" RUV_FONT *ruvk_dwin_get_font(RUV_WIN win, RUV_BOOL copy)
{
    State *s = state_of(win);
    if (!s || !s->font)
        return nullptr;
    if (!copy)
        return s->font;
    RUV_FONT *f = ruvv_font_create();
    if (f)
        ruvv_font_copy(f, s->font, 63);
    return f;
}

extern "C" void ruvk_dwin_draw_rect(RUV_WIN win, const RUV_RECT *rect)
{
    State *s = state_of(win);
    if (s && rect)
        rects().push_back({win, *rect, s->tools});
}

extern "C" int32_t ruvk_dwin_get_text_width(RUV_WIN win, const char *text, int32_t count)
{
    /* Eight pixels a byte. */
    if (!state_of(win) || !text || count == 0)
        return 0;
    return 8 * (count < 0 ? (int32_t)strlen(text) : count);
}

extern "C" void ruvk_vobj_get_client_rect(RUV_WIN win, RUV_RECT *rect)
{
    State *s = state_of(win);
    if (rect)
        *rect = s ? s->client : RUV_RECT{0, 0, 0, 0};
}

extern "C" void ruvk_font_get_metrics(RUV_FONT *font, int32_t *leading, int32_t *ascent, int32_t *descent,
                                      RUV_WIN win, int32_t reserved)
{
    if (!ruvv_font_is_valid(font))
        return;
    int32_t height = (96 * font->size + 36) / 72;
    if (leading)
        *leading = 0;
    if (ascent)
        *ascent = height - height / 4;
    if (descent)
        *descent = height / 4;
}

extern "C" int32_t ruvk_font_get_size_mapped(RUV_FONT *font)
{
    return ruvv_font_is_valid(font) ? ruvv_font_get_size(font) : 0;
}

extern "C" RUV_BOOL ruvk_font_is_print(const RUV_FONT *font)
{
    return ruvv_font_is_valid(font) && font->print ? TRUE : FALSE;
}

extern "C" RUV_BOOL ruvk_font_is_scalable(RUV_FONT *font)
{
    const char *f = ruvv_font_is_valid(font) ? ruvv_font_get_family(font) : nullptr;
    return f && strcmp(f, "system") != 0 ? TRUE : FALSE;
}

extern "C" const char *ruvk_font_get_family_mapped(RUV_FONT *font)
{
    /* The face name of the descriptor the font was mapped to. */
    static RUV_FONT_NATIVE_DESC desc;
    if (!ruvv_font_is_valid(font) || !ruvv_font_desc_parse(ruvv_font_get_native_desc(font, FALSE), &desc))
        return nullptr;
    return desc.face;
}

extern "C" uint32_t ruvk_font_get_style_mapped(RUV_FONT *font)
{
    return ruvv_font_is_valid(font) ? ruvv_font_get_style(font) : 0;
}
