// Loading a hydrodynamics result into the scenario: the *.hyd description
// and its times, then the grid table, cell coordinates and segment depths
// through the record-file wrappers, handed on to the map window as its grid
// and bathymetry.
#ifndef TRAZ_LOAD_HYDRODYNAMICS_H
#define TRAZ_LOAD_HYDRODYNAMICS_H

#include <cstdint>

struct ScenarioRecord;

// Results of ReadGridTable.
enum {
    GRID_TABLE_READ = 0,
    GRID_TABLE_UNREADABLE = 3
};

// Missing depth of a cell without a segment, and the missing value handed
// to the coordinate reader and to the map window.
constexpr float GRID_MISSING_VALUE = -999.0f;

// Reads directory + "/" + fileName (fileName alone when the directory is
// empty) into the scenario (g_scenario) with ReadHydFile, spreads the
// conversion times over the four time groups and, when the grid-indices and
// grid-coordinates files are named, reads the grid from the directory given.
// Returns the ReadHydFile result.
int32_t LoadHydrodynamics(const char *directory, const char *fileName);

// Reads the grid table named gridIndicesFile, its coordinates and depths
// into the scenario and hands them to the map window.  0, or 3 when the
// table or its coordinates cannot be read (message shown; the scenario keeps
// its previous grid).  Unreadable depths leave the grid without bathymetry.
int32_t ReadGridTable(ScenarioRecord *scenario, const char *gridIndicesFile);

// Straight-line extrapolation to point u from the next two points v and w:
// with d1 = |uv|, d2 = |vw| and b = -d1/d2, values[u] = (1 - b) values[v] +
// b values[w]; when v and w coincide (d2 = 0) values[u] = values[v].
// Returns the value stored.
float ExtrapolateBoundaryValue(const float *x, const float *y, float *values, int32_t u, int32_t v,
                               int32_t w);

#endif
