// Transforms between window pixels, world coordinates and grid cells, and
// the cell lookup: the scan over the grid's cells, and an index of the cells
// (a uniform bucket grid over their bounding boxes) that gives the scan's
// answer without visiting every cell.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <vector>

#include "visarea.h"
#include "visarea_internal.h"

namespace {

// The cell test of the scan for the block of step cells at 0-based node
// (mb, nb), whose four corners are valid: a corner within the tolerance, or
// all four edges on one side of the point.
struct CornerSet {
    float x[4];
    float y[4];
};

CornerSet Corners(int32_t mb, int32_t nb, int32_t step)
{
    const GE_GridState &grid = global_windata.grid;
    const int32_t cm[4] = {mb, mb + step, mb + step, mb};
    const int32_t cn[4] = {nb, nb, nb + step, nb + step};
    CornerSet c;
    for (int i = 0; i < 4; ++i) {
        const size_t k = static_cast<size_t>(cn[i]) * grid.mmax + cm[i];
        c.x[i] = grid.xcoord[k];
        c.y[i] = grid.ycoord[k];
    }
    return c;
}

// 1 found at a corner, 2 inside, 0 not in the block.
int TestBlock(const CornerSet &c, float x, float y)
{
    const float tolerance =
        0.01f * (std::fabs(c.x[0] - c.x[1]) + std::fabs(c.x[2] - c.x[3]) + std::fabs(c.y[0] - c.y[3]) +
                 std::fabs(c.y[2] - c.y[1])) / 4.0f;
    int sum = 0;
    for (int i = 0; i < 4; ++i) {
        if (std::fabs(x - c.x[i]) < tolerance && std::fabs(y - c.y[i]) < tolerance)
            return 1;
        const int j = (i + 1) % 4;
        const float cross = (c.x[j] - c.x[i]) * (y - c.y[i]) - (c.y[j] - c.y[i]) * (x - c.x[i]);
        sum += cross > 0.0f ? 1 : -1;
    }
    return std::abs(sum) > 3.5 ? 2 : 0;
}

bool NodeValid(int32_t m, int32_t n)
{
    const GE_GridState &grid = global_windata.grid;
    return grid.valid_point[static_cast<size_t>(n) * grid.mmax + m] != 0;
}

// ------------------------------------------------------------ the index

// A lookup on a large grid costs what it fetches from memory, so the index
// is laid out for as few dependent fetches as can be: a bucket is one
// aligned 32-byte slot that holds its cells' ids itself, as the first and
// 16-bit steps from it (a list that does not fit lives in the overflow),
// and the corners are read from a copy of the nodes with x and y side by
// side, fetched for all of a bucket's cells at once before any is tested.
struct alignas(32) Bucket {
    static constexpr int32_t INLINE = 13;
    int32_t count = 0;  // cells in the bucket; negative when they are in the overflow
    int32_t first = 0;  // the first cell's id (nb * mmax + mb), or its place in the overflow
    uint16_t step[INLINE - 1] = {};  // the other ids (ascending) less the first
};

struct Node {
    float x, y;
};

struct CellIndex {
    bool built = false;
    int32_t mmax = 0, nmax = 0;
    double x0 = 0, y0 = 0, cellW = 1, cellH = 1;
    int32_t columns = 0, rows = 0;
    std::vector<Bucket> buckets;   // row by row
    std::vector<int32_t> overflow;  // the lists of the buckets of more than INLINE cells
    std::vector<Node> nodes;       // the grid's nodes while the index holds
    std::vector<int32_t> always;   // cells tested for every point, in scan order
};

CellIndex g_index;

// Cells whose test may answer beyond their bounding box: corners that are
// not finite numbers, or corners (nearly) on one line.
bool TestedEverywhere(const CornerSet &c)
{
    double extent = 0.0;
    for (int i = 0; i < 4; ++i) {
        if (!std::isfinite(c.x[i]) || !std::isfinite(c.y[i]))
            return true;
        for (int j = i + 1; j < 4; ++j)
            extent = std::max(extent, std::hypot(double(c.x[i]) - c.x[j], double(c.y[i]) - c.y[j]));
    }
    if (extent == 0.0)
        return true;
    // Twice the area of the two triangles of the quadrilateral, each taken
    // unsigned: small against the extent squared means nearly collinear.
    auto tri = [&](int a, int b, int d) {
        return std::fabs((double(c.x[b]) - c.x[a]) * (double(c.y[d]) - c.y[a]) -
                         (double(c.y[b]) - c.y[a]) * (double(c.x[d]) - c.x[a]));
    };
    const double area = std::min(tri(0, 1, 2) + tri(0, 2, 3), tri(1, 2, 3) + tri(1, 3, 0));
    return area < 1e-3 * extent * extent;
}

struct Box {
    double x0, y0, x1, y1;
};

Box BlockBox(const CornerSet &c)
{
    Box b{c.x[0], c.y[0], c.x[0], c.y[0]};
    for (int i = 1; i < 4; ++i) {
        b.x0 = std::min<double>(b.x0, c.x[i]);
        b.x1 = std::max<double>(b.x1, c.x[i]);
        b.y0 = std::min<double>(b.y0, c.y[i]);
        b.y1 = std::max<double>(b.y1, c.y[i]);
    }
    // The corner tolerance and a margin for rounding of the edge tests.
    const double margin = 0.02 * std::max(b.x1 - b.x0, b.y1 - b.y0) + 1e-6 * (std::fabs(b.x0) + std::fabs(b.y0) +
                                                                               std::fabs(b.x1) + std::fabs(b.y1));
    return {b.x0 - margin, b.y0 - margin, b.x1 + margin, b.y1 + margin};
}

void BuildIndex()
{
    CellIndex &ix = g_index;
    ix = CellIndex{};
    const GE_GridState &grid = global_windata.grid;
    ix.mmax = grid.mmax;
    ix.nmax = grid.nmax;
    ix.built = true;
    if (!grid.valid_point || !grid.xcoord || !grid.ycoord || grid.mmax < 2 || grid.nmax < 2)
        return;
    std::vector<int32_t> ids;  // cell ids (nb * mmax + mb) of the indexed cells, in scan order
    std::vector<Box> boxes;
    double x0 = DBL_MAX, y0 = DBL_MAX, x1 = -DBL_MAX, y1 = -DBL_MAX;
    for (int32_t nb = 0; nb + 1 <= grid.nmax - 1; ++nb)
        for (int32_t mb = 0; mb + 1 <= grid.mmax - 1; ++mb) {
            if (!NodeValid(mb, nb) || !NodeValid(mb + 1, nb) || !NodeValid(mb + 1, nb + 1) || !NodeValid(mb, nb + 1))
                continue;
            const CornerSet c = Corners(mb, nb, 1);
            const int32_t id = nb * grid.mmax + mb;
            if (TestedEverywhere(c)) {
                ix.always.push_back(id);
                continue;
            }
            const Box b = BlockBox(c);
            ids.push_back(id);
            boxes.push_back(b);
            x0 = std::min(x0, b.x0);
            y0 = std::min(y0, b.y0);
            x1 = std::max(x1, b.x1);
            y1 = std::max(y1, b.y1);
        }
    if (ids.empty())
        return;
    // About one bucket per cell, shaped like the bounds: a bucket then holds
    // about four cells, nearly always within its slot.
    const double w = std::max(x1 - x0, 1e-30), h = std::max(y1 - y0, 1e-30);
    const double target = static_cast<double>(ids.size());
    double cols = std::sqrt(target * w / h);
    cols = std::min(std::max(cols, 1.0), target);
    double rws = std::min(std::max(target / cols, 1.0), target);
    ix.columns = static_cast<int32_t>(cols);
    ix.rows = static_cast<int32_t>(rws);
    ix.x0 = x0;
    ix.y0 = y0;
    ix.cellW = w / ix.columns;
    ix.cellH = h / ix.rows;
    auto column = [&](double x) {
        return static_cast<int32_t>(std::min<double>(std::max((x - ix.x0) / ix.cellW, 0.0), ix.columns - 1));
    };
    auto row = [&](double y) {
        return static_cast<int32_t>(std::min<double>(std::max((y - ix.y0) / ix.cellH, 0.0), ix.rows - 1));
    };
    // A cell spread over very many buckets is tested for every point.
    const int64_t spreadLimit = 4096;
    std::vector<int32_t> count(static_cast<size_t>(ix.columns) * ix.rows + 1, 0);
    std::vector<char> spread(ids.size(), 0);
    for (size_t k = 0; k < ids.size(); ++k) {
        const Box &b = boxes[k];
        const int64_t buckets = int64_t(column(b.x1) - column(b.x0) + 1) * (row(b.y1) - row(b.y0) + 1);
        if (buckets > spreadLimit) {
            spread[k] = 1;
            continue;
        }
        for (int32_t r = row(b.y0); r <= row(b.y1); ++r)
            for (int32_t q = column(b.x0); q <= column(b.x1); ++q)
                ++count[static_cast<size_t>(r) * ix.columns + q + 1];
    }
    for (size_t b = 1; b < count.size(); ++b)
        count[b] += count[b - 1];
    std::vector<int32_t> cells(static_cast<size_t>(count.back()), 0);
    std::vector<int32_t> fill(count.begin(), count.end() - 1);
    std::vector<int32_t> spreadIds;
    for (size_t k = 0; k < ids.size(); ++k) {
        if (spread[k]) {
            spreadIds.push_back(ids[k]);
            continue;
        }
        const Box &b = boxes[k];
        for (int32_t r = row(b.y0); r <= row(b.y1); ++r)
            for (int32_t q = column(b.x0); q <= column(b.x1); ++q)
                cells[static_cast<size_t>(fill[static_cast<size_t>(r) * ix.columns + q]++)] = ids[k];
    }
    ix.buckets.resize(count.size() - 1);
    for (size_t b = 0; b < ix.buckets.size(); ++b) {
        Bucket &bucket = ix.buckets[b];
        const int32_t *list = cells.data() + count[b];
        const int32_t n = count[b + 1] - count[b];
        if (n == 0)
            continue;
        if (n <= Bucket::INLINE && list[n - 1] - list[0] <= UINT16_MAX) {
            bucket.count = n;
            bucket.first = list[0];
            for (int32_t k = 1; k < n; ++k)
                bucket.step[k - 1] = static_cast<uint16_t>(list[k] - list[0]);
        } else {
            bucket.count = -n;
            bucket.first = static_cast<int32_t>(ix.overflow.size());
            ix.overflow.insert(ix.overflow.end(), list, list + n);
        }
    }
    ix.nodes.resize(static_cast<size_t>(grid.mmax) * grid.nmax);
    for (size_t k = 0; k < ix.nodes.size(); ++k)
        ix.nodes[k] = {grid.xcoord[k], grid.ycoord[k]};
    if (!spreadIds.empty()) {
        std::vector<int32_t> merged;
        std::merge(ix.always.begin(), ix.always.end(), spreadIds.begin(), spreadIds.end(),
                   std::back_inserter(merged));
        ix.always.swap(merged);
    }
}

// First cell in scan order among ids (ascending) that takes the point; -1.
int32_t FirstHit(const int32_t *ids, size_t count, float x, float y, int32_t before)
{
    const int32_t mmax = global_windata.grid.mmax;
    for (size_t k = 0; k < count; ++k) {
        if (before >= 0 && ids[k] >= before)
            return -1;
        const CornerSet c = Corners(ids[k] % mmax, ids[k] / mmax, 1);
        if (TestBlock(c, x, y))
            return ids[k];
    }
    return -1;
}

}  // namespace

void GE_InvalidateCellIndex(void)
{
    g_index = CellIndex{};
}

float GE_ScaleX(int32_t coordinateSystem, float scale, float latitude)
{
    if (coordinateSystem == 1)
        return scale;
    const double pi = std::acos(-1.0);
    return static_cast<float>(scale * std::cos(latitude * pi / 180.0));
}

void GE_WorldToPixel(int32_t pcx, int32_t pcy, float wcx, float wcy, float x, float y, float xscale, float yscale,
                     int16_t *px, int16_t *py)
{
    double vx = pcx + ((static_cast<double>(x) - wcx) * xscale + 0.5);
    double vy = pcy - ((static_cast<double>(y) - wcy) * yscale + 0.5);
    // NaN goes to the middle of the window's range rather than into a cast.
    if (std::isnan(vx)) vx = 0.0;
    if (std::isnan(vy)) vy = 0.0;
    vx = std::min(std::max(vx, -32767.0), 32767.0);
    vy = std::min(std::max(vy, -32767.0), 32767.0);
    *px = static_cast<int16_t>(vx);
    *py = static_cast<int16_t>(vy);
}

void GE_PixelToWorld(int32_t pcx, int32_t pcy, float wcx, float wcy, int32_t px, int32_t py, float xscale,
                     float yscale, float *x, float *y)
{
    const int16_t dx = static_cast<int16_t>(px - pcx);
    const int16_t dy = static_cast<int16_t>(py - pcy);
    *x = dx / xscale + wcx;
    *y = wcy - dy / yscale;
}

float GE_FitScale(int32_t width, int32_t height)
{
    const GE_GlobalData &g = global_windata;
    const float dx = g.xmax >= g.xmin ? g.xmax - g.xmin : 0.0f;
    const float dy = g.ymax >= g.ymin ? g.ymax - g.ymin : 0.0f;
    float sx = static_cast<float>(width - 22), sy = static_cast<float>(height - 22);
    if (dx > 1.0f)
        sx = (width - 22) / dx;
    if (dy > 1.0f)
        sy = (height - 22) / dy;
    return 0.9f * std::min(sx, sy);
}

int GE_ScanCell(int32_t mstart, int32_t nstart, int32_t mend, int32_t nend, int32_t step, float x, float y,
                int32_t *m, int32_t *n)
{
    *m = -1;
    *n = -1;
    const GE_GridState &grid = global_windata.grid;
    if (!grid.valid_point || !grid.xcoord || !grid.ycoord || step < 1)
        return 0;
    mend = std::min(mend, grid.mmax - 1);
    nend = std::min(nend, grid.nmax - 1);
    for (int32_t nb = nstart; nb < nend; nb += step)
        for (int32_t mb = mstart; mb < mend; mb += step) {
            if (mb + step > mend || nb + step > nend) {
                if (step < 2)
                    continue;
                const int32_t smaller = std::min(mend - mb, nend - nb);
                if (smaller >= 1 && GE_ScanCell(mb, nb, mend, nend, smaller, x, y, m, n))
                    return 1;
                continue;
            }
            int valid = 0;
            for (int32_t j = nb; j <= nb + step; ++j)
                for (int32_t i = mb; i <= mb + step; ++i)
                    valid += NodeValid(i, j);
            if (NodeValid(mb, nb) && NodeValid(mb + step, nb) && NodeValid(mb + step, nb + step) &&
                NodeValid(mb, nb + step)) {
                const int hit = TestBlock(Corners(mb, nb, step), x, y);
                if (hit == 1 || (hit == 2 && step == 1)) {
                    *m = mb + step + 1;
                    *n = nb + step + 1;
                    return 1;
                }
                if (hit == 2 && GE_ScanCell(mb, nb, mb + step, nb + step, step / 2, x, y, m, n))
                    return 1;
            } else if (step >= 2 && valid >= 4) {
                if (GE_ScanCell(mb, nb, mb + step, nb + step, step / 2, x, y, m, n))
                    return 1;
            }
        }
    return 0;
}

int GE_FindCell(void *, int32_t mstart, int32_t nstart, int32_t mend, int32_t nend, int32_t step, float x, float y,
                int32_t *m, int32_t *n)
{
    const GE_GridState &grid = global_windata.grid;
    const bool wholeGrid = mstart == 0 && nstart == 0 && mend == grid.mmax - 1 && nend == grid.nmax - 1 && step == 1;
    if (!wholeGrid || !std::isfinite(x) || !std::isfinite(y))
        return GE_ScanCell(mstart, nstart, mend, nend, step, x, y, m, n);
    *m = -1;
    *n = -1;
    if (!grid.valid_point || !grid.xcoord || !grid.ycoord || grid.mmax < 2 || grid.nmax < 2)
        return 0;
    CellIndex &ix = g_index;
    if (!ix.built || ix.mmax != grid.mmax || ix.nmax != grid.nmax)
        BuildIndex();
    int32_t best = -1;
    if (ix.columns > 0) {
        const double cx = (x - ix.x0) / ix.cellW, cy = (y - ix.y0) / ix.cellH;
        if (cx >= 0 && cy >= 0 && cx < ix.columns + 1e-9 && cy < ix.rows + 1e-9) {
            const int32_t q = std::min(static_cast<int32_t>(cx), ix.columns - 1);
            const int32_t r = std::min(static_cast<int32_t>(cy), ix.rows - 1);
            const Bucket &bucket = ix.buckets[static_cast<size_t>(r) * ix.columns + q];
            const int32_t mmax = grid.mmax;
            const Node *nodes = ix.nodes.data();
            auto test = [&](int32_t id) {
                const Node *low = nodes + id, *high = low + mmax;
                const CornerSet c{{low[0].x, low[1].x, high[1].x, high[0].x},
                                  {low[0].y, low[1].y, high[1].y, high[0].y}};
                return TestBlock(c, x, y) != 0;
            };
            if (bucket.count > 0) {
                const int32_t first = bucket.first, others = bucket.count - 1;
                __builtin_prefetch(nodes + first);
                __builtin_prefetch(nodes + first + mmax);
                for (int32_t k = 0; k < others; ++k) {
                    __builtin_prefetch(nodes + first + bucket.step[k]);
                    __builtin_prefetch(nodes + first + bucket.step[k] + mmax);
                }
                if (test(first))
                    best = first;
                for (int32_t k = 0; best < 0 && k < others; ++k)
                    if (test(first + bucket.step[k]))
                        best = first + bucket.step[k];
            } else if (bucket.count < 0) {
                const int32_t *list = ix.overflow.data() + bucket.first;
                for (int32_t k = 0; best < 0 && k < -bucket.count; ++k)
                    if (test(list[k]))
                        best = list[k];
            }
        }
    }
    const int32_t other = FirstHit(ix.always.data(), ix.always.size(), x, y, best);
    if (other >= 0)
        best = other;
    if (best < 0)
        return 0;
    *m = best % grid.mmax + 2;
    *n = best / grid.mmax + 2;
    return 1;
}

int GE_FindGridCell(float x, float y, int32_t *m, int32_t *n)
{
    const GE_GridState &grid = global_windata.grid;
    int32_t cm = 0, cn = 0;
    if (grid.mmax > 0 && grid.nmax > 0 && GE_FindCell(nullptr, 0, 0, grid.mmax - 1, grid.nmax - 1, 1, x, y, &cm, &cn)) {
        *m = cm;
        *n = cn;
        return 1;
    }
    *m = *n = 0;
    return 0;
}
