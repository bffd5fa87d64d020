// Map files opened from a map window: a land boundary and a bathymetry from
// the File menu, and a grid text file and an enclosure (which no menu
// reaches).  A file that cannot be read leaves the loaded data as they were.
#include <cstdint>

#include "dialog_controls.h"
#include "editor_services.h"
#include "ge_list.h"
#include "map_window.h"

void GE_LoadLandBoundaryFrom(RUV_WIN window, const char *name)
{
    ruv_scr_set_busy_cursor();
    int32_t count = 0, code = 0;
    float *x = nullptr, *y = nullptr;
    int32_t *ends = nullptr;
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    GE_ReadLandBoundary(name, &count, &x, &y, &ends, &xmin, &xmax, &ymin, &ymax, &code);
    if (code != 0 || count <= 0) {
        SetStatusFields(window, 0, "Not a valid LANDBOUNDARY file", nullptr, nullptr);
    } else {
        GE_GridInput input{};
        input.mmax = count;
        input.nmax = 0;
        input.polylineEnds = ends;
        input.x = x;
        input.y = y;
        GE_SetLandBoundary(&input);
        // A refusal of an earlier file no longer holds.
        SetStatusFields(window, 0, "", nullptr, nullptr);
    }
    GE_Free(x);
    GE_Free(y);
    GE_Free(ends);
}

void GE_LoadLandBoundary(RUV_WIN window)
{
    const char *name = SelectInputFile("ldb");
    if (!name || !name[0])
        return;
    GE_LoadLandBoundaryFrom(window, name);
}

void GE_LoadBathymetryFrom(RUV_WIN window, const char *name)
{
    const GE_GridState &grid = global_windata.grid;
    ruv_scr_set_busy_cursor();
    float *depth = nullptr;
    float dmin = 0, dmax = 0;
    int32_t code = 0;
    GE_ReadBathymetry(name, grid.mmax, grid.nmax, &depth, &dmin, &dmax, &code);
    if (code != 0 || !depth) {
        SetStatusFields(window, 0, "Not a valid BATHYMETRY file", nullptr, nullptr);
    } else {
        GE_SetDepth(depth);
        SetStatusFields(window, 0, "", nullptr, nullptr);
    }
    GE_Free(depth);
}

void GE_LoadBathymetry(RUV_WIN window)
{
    if (!global_windata.option_loaded[GEdit_SHOW_GRID]) {
        SetStatusFields(window, 0, "Before a BATHYMETRY file can be loaded a GRID file must be loaded", nullptr,
                        nullptr);
        return;
    }
    const char *name = SelectInputFile("dep");
    if (!name || !name[0])
        return;
    GE_LoadBathymetryFrom(window, name);
}

void GE_LoadGridFile(void)
{
    if (global_windata.option_loaded[GEdit_SHOW_BATHYMETRY] &&
        ruv_dm_post_ask("Cancel", "Continue", nullptr, "%s\n%s", "Loading a new grid will allso destroy the bathymetry.",
                        "It may allso invalidate the current objects (if any)!") != 1)
        return;
    const char *name = SelectInputFile("grd");
    if (!name || !name[0])
        return;
    int32_t mmax = 0, nmax = 0;
    GE_SetGridFromFile(name, "", &mmax, &nmax);
}

void GE_LoadEnclosureFile(void)
{
    const char *name = SelectInputFile("enc");
    if (!name || !name[0])
        return;
    GE_LoadEnclosure(name);
}
