// View settings of the map windows: the layers and object kinds shown with
// or without their names (per window), the font family, size, style and
// text case of the names (every window, check marks in the menu used), the
// bathymetry colours, the suppress-warnings option, and the labels drawn in
// the window's case, whole inside the map.
#include <algorithm>
#include <cassert>
#include <cstring>
#include <string>

#include "map_window_state.h"

namespace {

const char *const kFamilies[] = { "times", "helvetica", "courier" };

void CheckFamily(RUV_WIN window, const char *family)
{
    for (int k = 0; k < 3; ++k)
        GE_SetMenuItem(window, GEcmd_FONT_TIMES + k, true, std::strcmp(family, kFamilies[k]) == 0);
}

void CheckSize(RUV_WIN window, int32_t size)
{
    for (int32_t k = 0; k < 5; ++k)
        GE_SetMenuItem(window, GEcmd_SIZE_LARGEST + k, true, 12 - k == size);
}

void CheckStyle(RUV_WIN window, int32_t style)
{
    GE_SetMenuItem(window, GEcmd_STYLE_REGULAR, true, style == 0);
    GE_SetMenuItem(window, GEcmd_STYLE_BOLD, true, style == 1);
}

void CheckCase(RUV_WIN window, int32_t textCase)
{
    GE_SetMenuItem(window, GEcmd_CASE_LOWER, true, textCase == 1);
    GE_SetMenuItem(window, GEcmd_CASE_NO_CHANGE, true, textCase == 0);
    GE_SetMenuItem(window, GEcmd_CASE_UPPER, true, textCase == 2);
}

void CheckScale(RUV_WIN window, int32_t scale)
{
    GE_SetMenuItem(window, GEcmd_SEA_COLORS, true, scale == 0);
    GE_SetMenuItem(window, GEcmd_RAINBOW, true, scale == 1);
}

// Every map window takes the change and is drawn again.
template <typename F> void ApplyToAll(F change)
{
    GE_EachMapWindow([&](RUV_WIN w) {
        GE_WindowData *d = GE_MapWindowData(w);
        change(d);
        GE_UpdateTransform(d);
        GE_DrawBackground(w);
        GE_DrawObjects(w, 1);
        GE_ShowEditStatus(w);
    });
}

}  // namespace

void GE_CheckViewItems(RUV_WIN window, const GE_WindowData *data)
{
    CheckFamily(window, data->fontFamily);
    CheckSize(window, data->fontSize);
    CheckStyle(window, data->fontStyle);
    CheckCase(window, data->textCase);
    CheckScale(window, global_windata.bathymetryColorScheme);
}

void GE_ToggleAttribute(RUV_WIN window, int32_t attribute, int32_t how)
{
    GE_WindowData *d = GE_MapWindowData(window);
    if (!d)
        return;
    assert(how >= 0 && how <= 2 && attribute > 0 && attribute < GE_ATTRIBUTE_COUNT && "FALSE");
    if (how >= 0 && how <= 2 && attribute > 0 && attribute < GE_ATTRIBUTE_COUNT) {
        const int32_t item = GE_AttributeMenuItem(attribute), names = GE_AttributeNamesMenuItem(attribute);
        if (how == 2) {
            d->namesShown[attribute] = d->namesShown[attribute] ? 0 : 1;
            if (names > 0)
                ruv_menu_set_item_checked(window, names, d->namesShown[attribute] ? TRUE : FALSE);
        } else if (!d->shown[attribute]) {
            d->shown[attribute] = d->namesShown[attribute] = 1;
            ruv_menu_set_item_checked(window, item, TRUE);
            if (names > 0)
                GE_SetMenuItem(window, names, true, true);
        } else {
            d->shown[attribute] = d->namesShown[attribute] = 0;
            ruv_menu_set_item_checked(window, item, FALSE);
            if (names > 0)
                ruv_menu_set_item_checked(window, names, FALSE);
        }
    }
    GE_RedrawWindow(window);
}

void GE_SetFontFamily(RUV_WIN window, const char *family)
{
    if (!family)
        return;
    CheckFamily(window, family);
    ApplyToAll([family](GE_WindowData *d) {
        std::strncpy(d->fontFamily, family, sizeof d->fontFamily - 1);
        d->fontFamily[sizeof d->fontFamily - 1] = '\0';
    });
}

void GE_SetFontSize(RUV_WIN window, int32_t size)
{
    CheckSize(window, size);
    ApplyToAll([size](GE_WindowData *d) { d->fontSize = size; });
}

void GE_SetFontStyle(RUV_WIN window, int32_t style)
{
    CheckStyle(window, style);
    ApplyToAll([style](GE_WindowData *d) { d->fontStyle = style; });
}

void GE_SetTextCase(RUV_WIN window, int32_t textCase)
{
    CheckCase(window, textCase);
    ApplyToAll([textCase](GE_WindowData *d) { d->textCase = textCase; });
}

void GE_SetDepthColorScale(RUV_WIN window, int32_t scale)
{
    assert((scale == 0 || scale == 1) && "FALSE");
    if (scale != 0 && scale != 1)
        return;
    global_windata.bathymetryColorScheme = scale;
    CheckScale(window, scale);
    ApplyToAll([](GE_WindowData *) {});
}

void GE_ToggleSuppressWarnings(void)
{
    GE_GlobalData &g = global_windata;
    g.suppressWarningsChecked = g.suppressWarningsChecked ? 0 : 1;
    GE_EachMapWindow([&](RUV_WIN w) {
        ruv_menu_set_item_checked(w, GEcmd_SUPPRESS_WARNINGS, g.suppressWarningsChecked ? TRUE : FALSE);
    });
}

void GE_DrawLabel(RUV_WIN window, const char *text, int32_t packedPoint)
{
    if (!text)
        return;
    const GE_WindowData *d = GE_MapWindowData(window);
    std::string copy(text);
    GE_ApplyCase(&copy[0], d ? d->textCase : 0);
    int32_t x = static_cast<int16_t>(static_cast<uint32_t>(packedPoint) >> 16);
    int32_t y = static_cast<int16_t>(packedPoint & 0xFFFF);
    // The name of a point inside the map stays whole inside it: at the
    // right edge it ends there, at the top it starts below the frame.
    if (d) {
        const RUV_RECT in = GE_MapInside(d);
        if (x >= in.left && x < in.right && y >= in.top && y < in.bottom) {
            const int32_t width = ruv_dwin_get_text_width(window, copy.c_str(), -1);
            int32_t leading = 0, ascent = 0, descent = 0;
            ruv_dwin_get_font_metrics(window, &leading, &ascent, &descent);
            x = std::max<int32_t>(in.left, std::min<int32_t>(x, in.right - width));
            y = std::max<int32_t>(in.top + ascent, std::min<int32_t>(y, in.bottom - descent));
        }
    }
    ruv_dwin_draw_text(window, x, y, copy.c_str(), -1);
}
