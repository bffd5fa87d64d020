// A small curvilinear wave grid for the map-window tests: 3 x 3 nodes
// 100 m apart, every node coded, named by its record.
#ifndef TRAZ_VISAREA_WAVE_GRID_FIXTURE_H
#define TRAZ_VISAREA_WAVE_GRID_FIXTURE_H

#include <string>
#include <vector>

#include "wave_grids.h"

namespace maptest {

// The grid's first node at (x0, y0); its name record is four bytes and
// then the name.
struct Curvi {
    std::vector<float> x, y;
    std::vector<int32_t> codes;
    std::string name;
    GE_GridInput input{};
    Curvi(float x0, float y0, const char *gridName) : name(std::string("....") + gridName)
    {
        for (int n = 0; n < 3; ++n)
            for (int m = 0; m < 3; ++m) {
                x.push_back(x0 + 100.0f * m);
                y.push_back(y0 + 100.0f * n);
            }
        codes.assign(9, 1);
        input.mmax = input.nmax = 3;
        input.x = x.data();
        input.y = y.data();
        input.cellCode = codes.data();
        input.gridName = &name[0];
        input.coordinateSystem = 1;
        input.missingValue = -99999.0f;
    }
};

}  // namespace maptest

#endif
