// Cell lookup on curvilinear grids of 100 x 100 and 1000 x 1000 nodes: the
// mean time of the indexed lookup and of the scan, printed as ratios from
// one run (run by hand, not a test).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "visarea.h"

namespace {

struct Grid {
    std::vector<float> x, y;
    std::vector<int32_t> status;
};

Grid Curved(int32_t mmax, int32_t nmax)
{
    Grid g;
    for (int32_t j = 0; j < nmax; ++j)
        for (int32_t i = 0; i < mmax; ++i) {
            const double r = 1000.0 + j * 1000.0 / nmax, a = i * 1.5 / mmax;
            g.x.push_back(static_cast<float>(r * std::cos(a)));
            g.y.push_back(static_cast<float>(r * std::sin(a)));
        }
    g.status.assign(static_cast<size_t>(mmax + 1) * (nmax + 1), 0);
    for (int32_t j = 1; j < nmax; ++j)
        for (int32_t i = 1; i < mmax; ++i)
            g.status[static_cast<size_t>(j) * (mmax + 1) + i] = 1;
    return g;
}

// Mean seconds per lookup over points inside the grid's cells.
double Mean(int32_t mmax, int32_t nmax, bool scan, int count)
{
    Grid g = Curved(mmax, nmax);
    GE_GridInput input{};
    input.mmax = mmax;
    input.nmax = nmax;
    input.x = g.x.data();
    input.y = g.y.data();
    input.cellStatus = g.status.data();
    input.coordinateSystem = 1;
    input.missingValue = -1.0f;
    GE_SetGrid(&input, "");
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> um(0, mmax - 2), un(0, nmax - 2);
    std::vector<std::pair<float, float>> points;
    for (int k = 0; k < count; ++k) {
        const size_t a = static_cast<size_t>(un(random)) * mmax + um(random);
        points.emplace_back((g.x[a] + g.x[a + mmax + 1]) / 2, (g.y[a] + g.y[a + mmax + 1]) / 2);
    }
    int32_t m, n;
    GE_FindCell(nullptr, 0, 0, mmax - 1, nmax - 1, 1, points[0].first, points[0].second, &m, &n);  // builds the index
    const auto start = std::chrono::steady_clock::now();
    for (const auto &p : points) {
        if (scan)
            GE_ScanCell(0, 0, mmax - 1, nmax - 1, 1, p.first, p.second, &m, &n);
        else
            GE_FindCell(nullptr, 0, 0, mmax - 1, nmax - 1, 1, p.first, p.second, &m, &n);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    GE_FreeAll();
    return took.count() / count;
}

}  // namespace

int main()
{
    GE_Init(1);
    const double small = Mean(100, 100, false, 200000), large = Mean(1000, 1000, false, 200000);
    const double scanSmall = Mean(100, 100, true, 2000), scanLarge = Mean(1000, 1000, true, 20);
    std::printf("indexed lookup: 100 x 100 %.1f ns, 1000 x 1000 %.1f ns\n", small * 1e9, large * 1e9);
    std::printf("indexed lookup: 1000 x 1000 / 100 x 100 = %.2f\n", large / small);
    std::printf("scan:           1000 x 1000 / 100 x 100 = %.2f\n", scanLarge / scanSmall);
    std::printf("scan / indexed lookup on 1000 x 1000   = %.0f\n", scanLarge / large);
    return 0;
}
