// Writes the hydrodynamic side of the shipped example model "est": a
// synthetic one-layer estuary of 40 x 25 cells, with a bent channel that
// runs from the sea to the river head, a harbour basin off the channel and
// an open sea boundary along the northern edge.  Depths run from 2 m at the
// head to 18 m at the boundary; the run lasts 24 hours in 30-minute steps.
//
//   make_estuary DIR    writes DIR/trazest.hyd, .lga, .cco and .dps
//
// The output depends on nothing but this file, so a test can run it again
// and compare the result with examples/estuary byte for byte.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "record_io.h"

namespace {

constexpr int32_t kM = 40;   // cells in the first (x) direction
constexpr int32_t kN = 25;   // cells in the second (y) direction
constexpr double kPi = 3.14159265358979323846;

// What a cell is; water cells carry a depth.
enum class Cell { kLand, kWater, kBoundary };

// The channel's centre column in row j (rows 1..18 lie south of the sea):
// it leaves the sea at column 24 and bends west and back east towards the
// head in the south.
double ChannelCentre(int32_t j)
{
    double s = (18.0 - j) / 17.0;   // 0 at the mouth, 1 at the head
    return 24.0 - 9.0 * std::sin(kPi * s) + 3.0 * s;
}

struct Model {
    std::vector<Cell> kind = std::vector<Cell>(kM * kN, Cell::kLand);
    std::vector<double> depth = std::vector<double>(kM * kN, 0.0);

    Cell &At(int32_t i, int32_t j) { return kind[static_cast<size_t>(j * kM + i)]; }
    double &DepthAt(int32_t i, int32_t j) { return depth[static_cast<size_t>(j * kM + i)]; }
};

Model Layout()
{
    Model m;
    // The sea: rows 19-24 but the outer columns; its last row is the open
    // boundary.  It deepens from 12 m at the coast to 18 m.
    for (int32_t j = 19; j < kN; ++j)
        for (int32_t i = 1; i < kM - 1; ++i) {
            m.At(i, j) = j == kN - 1 ? Cell::kBoundary : Cell::kWater;
            m.DepthAt(i, j) = 12.0 + 6.0 * (j - 19) / 5.0;
        }
    // The channel, four cells wide, shoaling from 12 m at the mouth to 2 m
    // at the head (row 1).
    for (int32_t j = 1; j <= 18; ++j) {
        int32_t c = static_cast<int32_t>(std::lround(ChannelCentre(j)));
        for (int32_t i = c - 2; i <= c + 1; ++i) {
            m.At(i, j) = Cell::kWater;
            m.DepthAt(i, j) = 2.0 + 10.0 * (j - 1) / 17.0;
        }
    }
    // The harbour: a basin of 7 x 5 cells at 8 m west of the channel, and a
    // dredged entrance at row 10 that joins it to the channel.
    for (int32_t j = 8; j <= 12; ++j)
        for (int32_t i = 4; i <= 10; ++i) {
            m.At(i, j) = Cell::kWater;
            m.DepthAt(i, j) = 8.0;
        }
    for (int32_t i = 11; m.At(i, 10) == Cell::kLand; ++i) {
        m.At(i, 10) = Cell::kWater;
        m.DepthAt(i, 10) = 8.0;
    }
    return m;
}

// Cell centres of a gently curved grid: 150 m cells whose columns lean
// with the rows, so the grid is not rectangular.
float X(int32_t i, int32_t j) { return static_cast<float>(20000.0 + 150.0 * i + 40.0 * std::sin(0.25 * j)); }
float Y(int32_t i, int32_t j) { return static_cast<float>(40000.0 + 150.0 * j + 10.0 * std::sin(0.2 * i)); }

int WriteGrid(const std::string &base, const Model &m, int32_t *segmentsOut, int32_t *exchangesOut)
{
    // Grid table: water cells numbered from 1, row by row (first direction
    // fastest); boundary cells numbered -1, -2, ...; land 0.
    std::vector<int32_t> table(kM * kN, 0);
    std::vector<float> depths;
    int32_t segments = 0, boundaries = 0;
    for (int32_t c = 0; c < kM * kN; ++c) {
        if (m.kind[static_cast<size_t>(c)] == Cell::kWater) {
            table[static_cast<size_t>(c)] = ++segments;
            depths.push_back(static_cast<float>(m.depth[static_cast<size_t>(c)]));
        } else if (m.kind[static_cast<size_t>(c)] == Cell::kBoundary) {
            table[static_cast<size_t>(c)] = -++boundaries;
        }
    }
    // Exchanges between neighbouring cells that are both wet or boundary.
    int32_t first = 0, second = 0;
    for (int32_t j = 0; j < kN; ++j)
        for (int32_t i = 0; i < kM; ++i) {
            bool here = table[static_cast<size_t>(j * kM + i)] != 0;
            if (here && i + 1 < kM && table[static_cast<size_t>(j * kM + i + 1)] != 0)
                ++first;
            if (here && j + 1 < kN && table[static_cast<size_t>((j + 1) * kM + i)] != 0)
                ++second;
        }

    recio::RecordBytes header, cells;
    header.Int(kM).Int(kN).Int(segments).Int(1).Int(first).Int(second).Int(0);
    cells.Ints(table);
    int r = recio::WriteRecordFile(base + ".lga", recio::Form::kUnformatted, {header, cells});
    if (r != recio::kOk)
        return r;

    // Coordinates: a time record, the dimensions, nine fixed records and
    // the x and y values of every cell.
    std::vector<recio::RecordBytes> recs;
    recio::RecordBytes stamp, dims;
    stamp.Int(20260601).Int(0);
    dims.Int(kN).Int(kM).Real(20000.0f).Real(40000.0f).Real(0.0f).Int(0).Int(1);
    recs.push_back(stamp);
    recs.push_back(dims);
    for (int32_t k = 0; k < 9; ++k) {
        recio::RecordBytes fixed;
        fixed.Real(static_cast<float>(k)).Real(0.0f);
        recs.push_back(fixed);
    }
    recio::RecordBytes xs, ys;
    for (int32_t j = 0; j < kN; ++j)
        for (int32_t i = 0; i < kM; ++i) {
            xs.Real(X(i, j));
            ys.Real(Y(i, j));
        }
    recs.push_back(xs);
    recs.push_back(ys);
    r = recio::WriteRecordFile(base + ".cco", recio::Form::kUnformatted, recs);
    if (r != recio::kOk)
        return r;

    // Depths per segment.
    recio::RecordBytes dpsHeader, dpsValues;
    dpsHeader.Int(kM).Int(kN).Int(segments).Int(0).Int(0).Int(0);
    dpsValues.Reals(depths);
    r = recio::WriteRecordFile(base + ".dps", recio::Form::kUnformatted, {dpsHeader, dpsValues});
    *segmentsOut = segments;
    *exchangesOut = first + second;
    return r;
}

int WriteHyd(const std::string &path, int32_t exchanges)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 1;
    std::fprintf(f,
                 "# Hydrodynamics of the example estuary: one layer, 40 x 25 cells,\n"
                 "# 24 hours of tide in 30-minute steps.\n"
                 "task      full-coupling\n"
                 "geometry  curvilinear-grid\n"
                 "horizontal-aggregation       no\n"
                 "minimum-vert-diffusion-used  no\n"
                 "vertical-diffusion           calculated\n"
                 "description\n"
                 "   'Example estuary: bent channel and harbour'\n"
                 "   'synthetic tide, one layer'\n"
                 "end-description\n"
                 "reference-time           '20260601000000'\n"
                 "hydrodynamic-start-time  '20260601000000'\n"
                 "hydrodynamic-stop-time   '20260602000000'\n"
                 "hydrodynamic-timestep    '00000000003000'\n"
                 "conversion-ref-time      '20260601000000'\n"
                 "conversion-start-time    '20260601000000'\n"
                 "conversion-stop-time     '20260602000000'\n"
                 "conversion-timestep      '00000000003000'\n"
                 "grid-cells-first-direction      %d\n"
                 "grid-cells-second-direction     %d\n"
                 "number-hydrodynamic-layers       1\n"
                 "number-water-quality-layers      1\n"
                 "number-horizontal-exchanges    %d\n"
                 "number-vertical-exchanges        0\n"
                 "hydrodynamic-file        'trazest.dat'\n"
                 "aggregation-file         none\n"
                 "grid-indices-file        'trazest.lga'\n"
                 "grid-coordinates-file    'trazest.cco'\n"
                 "volumes-file             'trazest.vol'\n"
                 "areas-file               'trazest.are'\n"
                 "flows-file               'trazest.flo'\n"
                 "pointers-file            'trazest.poi'\n"
                 "lengths-file             'trazest.len'\n"
                 "salinity-file            none\n"
                 "temperature-file         none\n"
                 "vert-diffusion-file      none\n"
                 "surfaces-file            'trazest.srf'\n"
                 "total-grid-file          'com-trazest.lga'\n"
                 "discharges-file          none\n"
                 "depths-file              'trazest.dps'\n"
                 "hydrodynamic-layers\n"
                 "     1.0\n"
                 "end-hydrodynamic-layers\n"
                 "water-quality-layers\n"
                 "     1.0\n"
                 "end-water-quality-layers\n"
                 "boundary-sections\n"
                 "   'Sea'  ",
                 kM, kN, exchanges);
    for (int32_t b = 1; b <= kM - 2; ++b)
        std::fprintf(f, " %d", -b);
    std::fprintf(f, "\nend-boundary-sections\n");
    return std::fclose(f) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_estuary DIR\n");
        return 2;
    }
    std::string base = std::string(argv[1]) + "/trazest";
    Model m = Layout();
    int32_t segments = 0, exchanges = 0;
    if (WriteGrid(base, m, &segments, &exchanges) != recio::kOk || WriteHyd(base + ".hyd", exchanges) != 0) {
        std::fprintf(stderr, "make_estuary: cannot write %s.*\n", base.c_str());
        return 1;
    }
    std::printf("%d active cells, %d exchanges\n", segments, exchanges);
    return 0;
}
