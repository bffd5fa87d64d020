// Services of the visualisation area (the map-window library) that the
// scenario model calls: the zoom area box, the model grid and its depths,
// with the records they take.
#ifndef TRAZ_VISAREA_H
#define TRAZ_VISAREA_H

#include <cstdint>

// A point object: grid cell (1-based, named by its upper corner), world
// coordinates and a name.  56 bytes.
struct GE_PointObject {
    int32_t m;
    int32_t n;
    float x;
    float y;
    char name[40];
};
static_assert(sizeof(GE_PointObject) == 56, "a point record is 56 bytes");

// A line object: two grid cells and a name.  56 bytes.
struct GE_LineObject {
    int32_t m1;
    int32_t n1;
    int32_t m2;
    int32_t n2;
    char name[40];
};
static_assert(sizeof(GE_LineObject) == 56, "a line record is 56 bytes");

// Cell status values of GE_GridInput::cellStatus.
constexpr int32_t GE_CELL_INACTIVE = 0;
constexpr int32_t GE_CELL_ACTIVE = 1;
constexpr int32_t GE_CELL_BOUNDARY = 2;

// A grid handed to the library (only read).  Node (m, n), 1 <= m <= mmax,
// 1 <= n <= nmax, is at (n-1)*mmax + (m-1); cell (m, n) of the status array
// at (n-1)*(mmax+1) + (m-1).  The same record carries a land boundary
// (mmax = number of points, nmax = 0, polyline ends, x, y).
struct GE_GridInput {
    int32_t mmax;
    int32_t nmax;
    int32_t spare0;            // not read by the library
    int32_t spare1;            // not read by the library
    int32_t *cellCode;         // mmax*nmax, or NULL
    int32_t *polylineEnds;     // land boundary only, else NULL
    float *x;                  // mmax*nmax
    float *y;                  // mmax*nmax
    int32_t *validNodes;       // kept by the library for wave grids; not read
    void *spare2;              // not read by the library
    int32_t *cellStatus;       // (mmax+1)*(nmax+1), or NULL
    void *gridName;            // wave grids: name record; not read for the model grid
    void *spare3;              // not read by the library
    int32_t coordinateSystem;  // 1 cartesian, 0 spherical
    float missingValue;        // a node whose x and y both equal it is not valid
};

// Sets and shows the zoom area box from its two corners (m, n, x, y); the
// box shown before becomes the previous box.  Returns 0.
int GE_SetAreaBox(const GE_PointObject corners[2]);
// Loads the grid ("" = take the cell status of the input, else from that
// enclosure file) and marks the bathymetry as not loaded.
void GE_SetGrid(const GE_GridInput *input, const char *enclosureName);
// One depth per node (mmax*nmax) of the loaded grid, -999 = missing;
// replaces any earlier bathymetry and redraws.
void GE_SetDepth(const float *depth);

#endif
