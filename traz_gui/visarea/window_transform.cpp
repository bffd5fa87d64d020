// The transform of a map window's record: world and pixel centres, the
// conversions between pixels, world coordinates and grid cells through it,
// and zooming onto a box.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "visarea.h"
#include "visarea_internal.h"

void GE_InitWindowData(GE_WindowData *data)
{
    std::memset(data, 0, sizeof *data);
    data->zoom = 1.0f;
    for (int k = 0; k < 4; ++k)
        data->clickX[k] = data->clickY[k] = -1;
    std::strcpy(data->fontFamily, "helvetica");
    data->fontSize = 10;
    data->fontStyle = 1;
    data->pixmap = NULL_WIN;
}

void GE_UpdateTransform(GE_WindowData *data)
{
    const GE_GlobalData &g = global_windata;
    if (g.xmax >= g.xmin) {
        data->worldCentreX = (g.xmax - g.xmin) / 2 + g.xmin + data->xOffset;
        data->worldCentreY = (g.ymax - g.ymin) / 2 + g.ymin + data->yOffset;
    } else {
        data->worldCentreX = data->xOffset;
        data->worldCentreY = data->yOffset;
    }
    const RUV_RECT &r = data->drawing;
    data->pixelCentreX = r.left + (r.right - r.left) / 2;
    data->pixelCentreY = r.top + (r.bottom - r.top) / 2;
    data->verticalScale = data->zoom * data->fitScale;
}

float GE_WindowScaleX(const GE_WindowData *data)
{
    return GE_ScaleX(global_windata.coordinateSystem, data->verticalScale, data->worldCentreY);
}

void GE_DataPixelToWorld(const GE_WindowData *data, int32_t px, int32_t py, float *x, float *y)
{
    GE_PixelToWorld(data->pixelCentreX, data->pixelCentreY, data->worldCentreX, data->worldCentreY, px, py,
                    GE_WindowScaleX(data), data->verticalScale, x, y);
}

void GE_DataWorldToPixel(const GE_WindowData *data, float x, float y, int16_t *px, int16_t *py)
{
    GE_WorldToPixel(data->pixelCentreX, data->pixelCentreY, data->worldCentreX, data->worldCentreY, x, y,
                    GE_WindowScaleX(data), data->verticalScale, px, py);
}

int GE_DataPixelToCell(const GE_WindowData *data, int32_t px, int32_t py, int32_t *m, int32_t *n)
{
    *m = *n = -1;
    const GE_GridState &grid = global_windata.grid;
    if (!global_windata.option_loaded[GEdit_SHOW_GRID])
        return 0;
    float x = 0.0f, y = 0.0f;
    GE_DataPixelToWorld(data, px, py, &x, &y);
    return GE_FindCell(nullptr, 0, 0, grid.mmax - 1, grid.nmax - 1, 1, x, y, m, n);
}

int GE_ZoomToBox(GE_WindowData *data, int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    const RUV_RECT &r = data->drawing;
    x1 = std::min<int32_t>(std::max<int32_t>(x1, r.left), r.right);
    y1 = std::min<int32_t>(std::max<int32_t>(y1, r.top), r.bottom);
    const int32_t width = std::abs(x1 - x0), height = std::abs(y1 - y0);
    if (width <= 10 && height <= 10)
        return 0;
    const float scale = data->zoom * data->fitScale;
    if (scale <= 0.0f)
        return 0;
    const int32_t centreX = static_cast<int32_t>((x0 + x1) / 2.0);
    const int32_t centreY = static_cast<int32_t>((y0 + y1) / 2.0);
    // In spherical coordinates a pixel along x spans more degrees.
    const float xScale = GE_ScaleX(global_windata.coordinateSystem, scale, data->worldCentreY);
    data->xOffset += (centreX - data->pixelCentreX) / (xScale > 0.0f ? xScale : scale);
    data->yOffset -= (centreY - data->pixelCentreY) / scale;
    // The zoom follows the sides that have a size.
    const float byHeight = height > 0 ? static_cast<float>(r.bottom - r.top) / height : 0.0f;
    const float byWidth = width > 0 ? static_cast<float>(r.right - r.left) / width : 0.0f;
    float factor = byHeight > 0.0f && byWidth > 0.0f ? std::min(byHeight, byWidth) : std::max(byHeight, byWidth);
    data->zoom *= factor;
    GE_UpdateTransform(data);
    return 1;
}
