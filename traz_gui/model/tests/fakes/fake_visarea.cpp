// Fake of the map window's services for the scenario model's tests: each
// call is recorded as a "map" entry and what it was handed is kept for
// inspection.
#include <string>

#include "fake_state.h"
#include "visarea.h"

namespace fakes {

const GridCopy &LastGrid() { return S().grid; }
const std::vector<float> &LastDepth() { return S().depth; }
bool AreaBoxShown() { return S().areaBoxShown; }
const GE_PointObject *AreaBox() { return S().areaBox; }

} // namespace fakes

int GE_SetAreaBox(const GE_PointObject corners[2])
{
    if (!corners)
        return 0;
    fakes::S().areaBoxShown = true;
    fakes::S().areaBox[0] = corners[0];
    fakes::S().areaBox[1] = corners[1];
    fakes::Record("map", fakes::Format("GE_SetAreaBox (%d, %d, %g, %g) (%d, %d, %g, %g)",
                                       corners[0].m, corners[0].n, corners[0].x, corners[0].y,
                                       corners[1].m, corners[1].n, corners[1].x, corners[1].y));
    return 0;
}

// Drawing shows nothing here, so it is not recorded.
void GE_SuspendDrawing(void) {}
void GE_ResumeDrawing(void) {}

void GE_SetGrid(const GE_GridInput *input, const char *enclosureName)
{
    if (!input) {
        fakes::Record("map", "GE_SetGrid without a grid");
        return;
    }
    fakes::GridCopy &g = fakes::S().grid;
    g = fakes::GridCopy{};
    g.set = true;
    g.mmax = input->mmax;
    g.nmax = input->nmax;
    g.enclosure = enclosureName ? enclosureName : "";
    g.coordinateSystem = input->coordinateSystem;
    g.missingValue = input->missingValue;
    const size_t nodes = input->mmax > 0 && input->nmax > 0
                             ? static_cast<size_t>(input->mmax) * static_cast<size_t>(input->nmax)
                             : 0;
    if (input->x)
        g.x.assign(input->x, input->x + nodes);
    if (input->y)
        g.y.assign(input->y, input->y + nodes);
    int active = 0, boundary = 0;
    if (input->cellStatus && nodes > 0) {
        const size_t cells = static_cast<size_t>(input->mmax + 1) * static_cast<size_t>(input->nmax + 1);
        g.cellStatus.assign(input->cellStatus, input->cellStatus + cells);
        for (int32_t s : g.cellStatus) {
            active += s == GE_CELL_ACTIVE;
            boundary += s == GE_CELL_BOUNDARY;
        }
    }
    fakes::S().depth.clear();
    fakes::Record("map", fakes::Format("GE_SetGrid mmax=%d nmax=%d enclosure=\"%s\" active=%d boundary=%d",
                                       g.mmax, g.nmax, g.enclosure.c_str(), active, boundary));
}

// The cell of a point on the last grid handed over: the first cell (in
// the order of the map's scan, m within n) whose nodes' box holds it.
// Enough for the rectangular grids of the tests.
int GE_FindGridCell(float x, float y, int32_t *m, int32_t *n)
{
    const fakes::GridCopy &g = fakes::S().grid;
    *m = *n = 0;
    const size_t nodes = static_cast<size_t>(g.mmax > 0 ? g.mmax : 0) * static_cast<size_t>(g.nmax > 0 ? g.nmax : 0);
    if (!g.set || g.x.size() < nodes || g.y.size() < nodes)
        return 0;
    for (int32_t cn = 2; cn <= g.nmax; ++cn)
        for (int32_t cm = 2; cm <= g.mmax; ++cm) {
            float xlo = 0, xhi = 0, ylo = 0, yhi = 0;
            for (int corner = 0; corner < 4; ++corner) {
                const size_t k = static_cast<size_t>(cn - 2 + corner / 2) * g.mmax + (cm - 2 + corner % 2);
                if (corner == 0 || g.x[k] < xlo) xlo = g.x[k];
                if (corner == 0 || g.x[k] > xhi) xhi = g.x[k];
                if (corner == 0 || g.y[k] < ylo) ylo = g.y[k];
                if (corner == 0 || g.y[k] > yhi) yhi = g.y[k];
            }
            if (x >= xlo && x <= xhi && y >= ylo && y <= yhi) {
                *m = cm;
                *n = cn;
                return 1;
            }
        }
    return 0;
}

void GE_FreeGrid(void) { fakes::Record("map", "GE_FreeGrid"); }

void GE_SetDepth(const float *depth)
{
    const fakes::GridCopy &g = fakes::S().grid;
    if (!depth || !g.set) {
        fakes::Record("map", "GE_SetDepth without a grid");
        return;
    }
    const size_t nodes = g.mmax > 0 && g.nmax > 0 ? static_cast<size_t>(g.mmax) * static_cast<size_t>(g.nmax) : 0;
    fakes::S().depth.assign(depth, depth + nodes);
    fakes::Record("map", fakes::Format("GE_SetDepth count=%zu", nodes));
}
