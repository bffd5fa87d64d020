// Test fixtures of grid files: a small grid with boundary cells and an
// active cell of depth 0, and writers of its table, coordinate and depth
// files in either storage form and every header generation.
#ifndef TRAZ_GRID_FIXTURE_H
#define TRAZ_GRID_FIXTURE_H

#include "record_io.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gridfix {

struct Grid {
    int32_t mmax = 0;
    int32_t nmax = 0;
    int32_t segments = 0;
    int32_t layers = 1;
    int32_t exchanges[3] = {0, 0, 0};
    std::vector<int32_t> table;   // mmax * nmax, mmax varying fastest
    std::vector<float> x, y;      // mmax * nmax
    std::vector<float> depths;    // segments
};

// mmax 5, nmax 3 (so a transposition shows), 8 segments:
//   j = 0:  -1   1   2   3  -2
//   j = 1:  -3   4   5   6   0
//   j = 2:   0   7   8   0   0
// Segment 1 has depth 0.0 beside wet segments; x = 100 + 10 i, y = 200 + 20 j
// plus a small per-cell offset so that no two values are equal.
inline Grid SampleGrid()
{
    Grid g;
    g.mmax = 5;
    g.nmax = 3;
    g.segments = 8;
    g.layers = 2;
    g.exchanges[0] = 11;
    g.exchanges[1] = 12;
    g.exchanges[2] = 8;
    g.table = {-1, 1, 2, 3, -2,
               -3, 4, 5, 6, 0,
               0, 7, 8, 0, 0};
    for (int j = 0; j < g.nmax; ++j)
        for (int i = 0; i < g.mmax; ++i) {
            g.x.push_back(100.0f + 10.0f * i + 0.25f * j);
            g.y.push_back(200.0f + 20.0f * j + 0.5f * i);
        }
    g.depths = {0.0f, 2.5f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f};
    return g;
}

// A regular grid of any size: every cell active, segment = cell number.
inline Grid RegularGrid(int32_t mmax, int32_t nmax)
{
    Grid g;
    g.mmax = mmax;
    g.nmax = nmax;
    g.segments = mmax * nmax;
    g.layers = 1;
    g.exchanges[0] = g.exchanges[1] = mmax * nmax;
    size_t cells = static_cast<size_t>(mmax) * static_cast<size_t>(nmax);
    g.table.resize(cells);
    g.x.resize(cells);
    g.y.resize(cells);
    g.depths.resize(cells);
    for (size_t c = 0; c < cells; ++c) {
        g.table[c] = static_cast<int32_t>(c + 1);
        g.x[c] = static_cast<float>(c % static_cast<size_t>(mmax)) * 25.0f;
        g.y[c] = static_cast<float>(c / static_cast<size_t>(mmax)) * 25.0f;
        g.depths[c] = 1.0f + static_cast<float>(c % 97);
    }
    return g;
}

// Table file with a header of `generation` values (7, 5, 4 or 3).
inline int WriteLga(const std::string &path, recio::Form form, int generation, const Grid &g)
{
    recio::RecordBytes header;
    header.Int(g.mmax).Int(g.nmax).Int(g.segments);
    switch (generation) {
    case 7: header.Int(g.layers).Int(g.exchanges[0]).Int(g.exchanges[1]).Int(g.exchanges[2]); break;
    case 5: header.Int(-77).Int(g.layers); break;
    case 4: header.Int(g.layers); break;
    default: break;
    }
    recio::RecordBytes table;
    table.Ints(g.table);
    return recio::WriteRecordFile(path, form, {header, table});
}

// Coordinate file with a header of `generation` values (7 or 6) and np
// skipped records.  In the binary form the skipped records are empty.
inline int WriteCco(const std::string &path, recio::Form form, int generation, const Grid &g,
                    int32_t np = 2)
{
    bool framed = form == recio::Form::kUnformatted;
    std::vector<recio::RecordBytes> recs;
    recio::RecordBytes first;
    if (framed)
        first.Int(20240101).Int(0);
    recs.push_back(first);
    recio::RecordBytes header;
    header.Int(g.nmax).Int(g.mmax).Real(0.0f).Real(0.0f).Real(0.0f).Int(np);
    if (generation == 7)
        header.Int(g.layers);
    recs.push_back(header);
    for (int32_t i = 0; i < np + 9; ++i) {
        recio::RecordBytes skipped;
        if (framed)
            skipped.Real(static_cast<float>(i)).Real(-1.0f);
        recs.push_back(skipped);
    }
    recio::RecordBytes x, y;
    x.Reals(g.x);
    y.Reals(g.y);
    recs.push_back(x);
    recs.push_back(y);
    return recio::WriteRecordFile(path, form, recs);
}

inline int WriteDps(const std::string &path, recio::Form form, const Grid &g)
{
    recio::RecordBytes header, depths;
    header.Int(g.mmax).Int(g.nmax).Int(g.segments).Int(0).Int(0).Int(0);
    depths.Reals(g.depths);
    return recio::WriteRecordFile(path, form, {header, depths});
}

// Writes base + ".lga", ".cco" and ".dps"; 0 when all three were written.
inline int WriteGridFiles(const std::string &base, recio::Form form, const Grid &g,
                          int lga_generation = 7, int cco_generation = 7)
{
    int r = WriteLga(base + ".lga", form, lga_generation, g);
    if (r == recio::kOk)
        r = WriteCco(base + ".cco", form, cco_generation, g);
    if (r == recio::kOk)
        r = WriteDps(base + ".dps", form, g);
    return r;
}

}  // namespace gridfix

#endif
