// Enclosure files and the cell status of the grid: the reader of the closed
// polygons drawn on the grid's index lattice, the cell status derived from
// them, the default enclosure, the enclosure command and its messages.
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editor_services.h"
#include "flow_files.h"
#include "ge_list.h"
#include "record_calls.h"
#include "record_io.h"
#include "grid_data.h"
#include "visarea.h"
#include "visarea_internal.h"

namespace {

// Marks of the reader's array.
constexpr int32_t kEdge = 2;      // an edge crossing: flips inside
constexpr int32_t kExtreme = 3;   // an extreme point of a polygon: no flip

struct Point {
    int32_t m;
    int32_t n;
};

int Sign(int32_t v)
{
    return (v > 0) - (v < 0);
}

// The marks of one closed polygon (points[0] == points[count-1]) in the
// reader's array of mmax1 x nmax1.  0, or 13 for an edge that is neither
// along a grid line nor diagonal.
int32_t MarkPolygon(const std::vector<Point> &points, int32_t mmax1, int32_t *cells)
{
    const int32_t edges = static_cast<int32_t>(points.size()) - 1;
    auto at = [&](int32_t m, int32_t n) -> int32_t & {
        return cells[static_cast<size_t>(n - 1) * mmax1 + (m - 1)];
    };
    auto dn = [&](int32_t e) { return Sign(points[e + 1].n - points[e].n); };
    auto length0 = [&](int32_t e) { return points[e + 1].m == points[e].m && points[e + 1].n == points[e].n; };
    // Pass 1: edges with a step in n.
    for (int32_t e = 0; e < edges; ++e) {
        if (dn(e) == 0)
            continue;
        int32_t dm = 0, dnn = 0, steps = 0, code = 0;
        ENCLOSURE_STEP(&points[e].m, &points[e].n, &points[e + 1].m, &points[e + 1].n, &dm, &dnn, &steps, &code);
        if (code != 0)
            return 13;
        for (int32_t s = 0; s < steps; ++s)
            at(points[e].m + s * dm, points[e].n + s * dnn) = kEdge;
        const int32_t previous = e == 0 ? edges - 1 : e - 1;
        int32_t compare = -1;
        if (dn(previous) != 0)
            compare = previous;
        else if (e >= 2)
            compare = e - 2;
        if (compare >= 0 && dn(compare) != 0 && dn(compare) == -dn(e))
            at(points[e].m, points[e].n) = kExtreme;
    }
    // Pass 2: edges along m.
    for (int32_t e = 0; e < edges; ++e) {
        if (dn(e) != 0 || length0(e))
            continue;
        const int32_t step = Sign(points[e + 1].m - points[e].m);
        const int32_t length = std::abs(points[e + 1].m - points[e].m);
        for (int32_t s = 1; s <= length; ++s)
            at(points[e].m + s * step, points[e].n) = -length;
        at(points[e].m, points[e].n) = kEdge;
        const int32_t before = e == 0 ? edges - 1 : e - 1;
        const int32_t after = e == edges - 1 ? 0 : e + 1;
        if (dn(before) != 0 && dn(before) == -dn(after))
            at(points[e].m, points[e].n) = kExtreme;
    }
    return 0;
}

}  // namespace

extern "C" void ENCLOSURE_STEP(const int32_t *m0, const int32_t *n0, const int32_t *m1, const int32_t *n1,
                               int32_t *dm, int32_t *dn, int32_t *steps, int32_t *code)
{
    const int32_t em = *m1 - *m0, en = *n1 - *n0;
    *steps = std::abs(em) > std::abs(en) ? std::abs(em) : std::abs(en);
    if (*steps <= 0)
        return;
    if (em == 0 || en == 0 || std::abs(em) == std::abs(en)) {
        *dm = em / *steps;
        *dn = en / *steps;
    } else {
        *code = 10;
    }
}

extern "C" void READ_ENCLOSURE_FILE(const char *name, int32_t name_len, int32_t *outcome, int32_t *nmax1,
                                   int32_t *mmax1, int32_t *cells, int32_t *polygon_m, int32_t *polygon_n,
                                   int32_t *all_m, int32_t *all_n, int32_t *count)
{
    *outcome = 0;
    *count = 0;
    const int32_t M1 = *mmax1, N1 = *nmax1;
    if (M1 < 1 || N1 < 1) {
        *outcome = 4;
        return;
    }
    std::memset(cells, 0, static_cast<size_t>(M1) * static_cast<size_t>(N1) * sizeof(int32_t));
    const int64_t room = static_cast<int64_t>(M1 + 4) * N1;
    const int unit = ALLOCATE_UNIT_NUMBER();
    if (recio::Open(unit, recio::FieldText(name, name_len), recio::Form::kFormatted, recio::Access::kSequential,
                    recio::OpenStatus::kOld) != recio::kOk) {
        *outcome = 1;
        return;
    }
    std::vector<Point> polygon;
    int32_t polygonCount = 0;
    bool closed = false;
    // Takes one point: room first, then the range.  Returns the outcome.
    auto take = [&](int32_t m, int32_t n) -> int32_t {
        if (polygonCount >= room || *count >= room)
            return 12;
        polygon_m[polygonCount] = m;
        polygon_n[polygonCount] = n;
        all_m[*count] = m;
        all_n[*count] = n;
        ++polygonCount;
        ++*count;
        if (m < 1 || n < 1 || m > M1 || n > N1)
            return 11;
        polygon.push_back({m, n});
        return 0;
    };
    auto read = [&](int32_t *m, int32_t *n) -> int {
        recio::ListRead r(unit);
        r.Int(m).Int(n);
        return r.result();
    };
    int32_t m = 0, n = 0;
    int result = read(&m, &n);
    if (result != recio::kOk) {
        *outcome = 4;
    } else {
        *outcome = take(m, n);
        while (*outcome == 0) {
            result = read(&m, &n);
            if (result < 0)
                break;
            if (result > 0) {
                *outcome = 4;
                break;
            }
            if (closed) {
                // The record after a closed polygon starts the next one.
                polygon.clear();
                polygonCount = 0;
                closed = false;
                *outcome = take(m, n);
                continue;
            }
            *outcome = take(m, n);
            if (*outcome != 0)
                break;
            if (m == polygon.front().m && n == polygon.front().n) {
                closed = true;
                *outcome = MarkPolygon(polygon, M1, cells);
            }
        }
    }
    if (*outcome == 0 && !closed)
        *outcome = 14;
    if (*outcome == 0) {
        for (int32_t row = 1; row <= N1; ++row) {
            int32_t *line = cells + static_cast<size_t>(row - 1) * M1;
            int32_t inside = 0;
            int32_t col = 1;
            while (col < M1) {
                const int32_t v = line[col - 1];
                if (v < 0) {
                    col += -v;
                    continue;
                }
                if (v == kEdge)
                    inside = !inside;
                else if (v != kExtreme)
                    line[col - 1] = inside;
                ++col;
            }
        }
    }
    recio::Close(unit);
}

int32_t *GE_EnclosureToCellStatus(int32_t mmax, int32_t nmax, const int32_t *readerCells)
{
    const int32_t M1 = mmax + 1;
    const size_t cellsCount = static_cast<size_t>(mmax + 1) * static_cast<size_t>(nmax + 1);
    auto *status = static_cast<int32_t *>(GE_Alloc(cellsCount * sizeof(int32_t)));
    if (!status)
        return nullptr;
    for (size_t k = 0; k < cellsCount; ++k)
        status[k] = readerCells[k] == 1 ? 1 : 0;
    auto at = [&](int32_t i, int32_t j) -> int32_t & { return status[static_cast<size_t>(j) * M1 + i]; };
    for (int32_t j = 1; j <= nmax - 1; ++j)
        for (int32_t i = 1; i <= mmax - 1; ++i) {
            if (at(i, j) != 1)
                continue;
            const int32_t around[4][2] = {{i - 1, j}, {i + 1, j}, {i, j - 1}, {i, j + 1}};
            for (const auto &a : around)
                if (at(a[0], a[1]) == 0)
                    at(a[0], a[1]) = 2;
        }
    return status;
}

GE_Enclosure *GE_DefaultEnclosure(int32_t mmax, int32_t nmax)
{
    if (mmax < 0 || nmax < 0)
        return nullptr;
    auto *enclosure = static_cast<GE_Enclosure *>(GE_Alloc(sizeof(GE_Enclosure)));
    const size_t cellsCount = static_cast<size_t>(mmax + 1) * static_cast<size_t>(nmax + 1);
    auto *status = static_cast<int32_t *>(GE_Alloc(cellsCount * sizeof(int32_t)));
    if (!enclosure || !status) {
        GE_Free(enclosure);
        GE_Free(status);
        return nullptr;
    }
    const int32_t M1 = mmax + 1;
    for (int32_t j = 0; j <= nmax; ++j)
        for (int32_t i = 0; i <= mmax; ++i) {
            const bool innerI = i >= 1 && i <= mmax - 1, innerJ = j >= 1 && j <= nmax - 1;
            int32_t v = 0;
            if (innerI && innerJ)
                v = 1;
            else if ((innerI && (j == 0 || j == nmax)) || (innerJ && (i == 0 || i == mmax)))
                v = 2;
            status[static_cast<size_t>(j) * M1 + i] = v;
        }
    enclosure->cellStatus = status;
    enclosure->polygons = nullptr;
    return enclosure;
}

void GE_FreeEnclosure(GE_Enclosure *enclosure)
{
    if (!enclosure)
        return;
    GE_Free(enclosure->cellStatus);
    GE_Free(enclosure);
}

GE_Enclosure *GE_ReadEnclosure(const char *name, int32_t mmax, int32_t nmax, int32_t *code)
{
    *code = 0;
    if (mmax < 1 || nmax < 1) {
        *code = 4;
        return nullptr;
    }
    int32_t M1 = mmax + 1, N1 = nmax + 1;
    const size_t cellsCount = static_cast<size_t>(M1) * static_cast<size_t>(N1);
    const size_t room = static_cast<size_t>(M1 + 4) * static_cast<size_t>(N1);
    std::vector<int32_t> cells(cellsCount), pm(room), pn(room), am(room), an(room);
    int32_t count = 0;
    CallReadEnclosureFile(name, code, &N1, &M1, cells.data(), pm.data(), pn.data(), am.data(), an.data(), &count);
    if (*code != 0)
        return nullptr;
    auto *enclosure = static_cast<GE_Enclosure *>(GE_Alloc(sizeof(GE_Enclosure)));
    int32_t *status = GE_EnclosureToCellStatus(mmax, nmax, cells.data());
    if (!enclosure || !status) {
        GE_Free(enclosure);
        GE_Free(status);
        *code = 3;
        return nullptr;
    }
    enclosure->cellStatus = status;
    enclosure->polygons = nullptr;
    return enclosure;
}

GE_Enclosure *GE_EnclosureCellStatus(const char *name, int32_t mmax, int32_t nmax, int32_t *code)
{
    *code = 0;
    GE_Enclosure *enclosure = nullptr;
    if (name && *name)
        enclosure = GE_ReadEnclosure(name, mmax, nmax, code);
    else
        *code = 15;
    if (*code != 0) {
        GE_FreeEnclosure(enclosure);
        enclosure = GE_DefaultEnclosure(mmax, nmax);
    }
    return enclosure;
}

int GE_LoadEnclosure(const char *name)
{
    GE_GlobalData &g = global_windata;
    assert(g.option_loaded[GEdit_SHOW_GRID] && "global_windata.option_loaded[GEdit_SHOW_GRID]");
    if (!g.option_loaded[GEdit_SHOW_GRID])
        return 0;
    int32_t code = 0;
    GE_Enclosure *enclosure = GE_EnclosureCellStatus(name ? name : "", g.grid.mmax, g.grid.nmax, &code);
    if (code != 0 || !enclosure) {
        GE_FreeEnclosure(enclosure);
        if (code == 1)
            PostErrorF("Cannot open enclosure file\n\n%s", name ? name : "");
        else
            PostErrorF("Error reading enclosure file\n\n%s", name ? name : "");
        return 0;
    }
    GE_Free(g.grid.cellStatus);
    g.grid.cellStatus = enclosure->cellStatus;
    enclosure->cellStatus = nullptr;
    GE_FreeEnclosure(enclosure);
    GE_BuildValidNodes();
    if (g.available[GEdit_SHOW_GRID] && GE_Actions().enclosureSet)
        GE_Actions().enclosureSet();
    GE_RebuildGridPointTypes(name ? name : "");
    return 1;
}

char *GE_EnclosureMessage(int32_t code)
{
    static const struct {
        int32_t code;
        const char *text;
    } kTexts[] = {
        {1, "Can't open the enclosure file"},
        {2, "Can't close the enclosure file"},
        {3, "Memory problem with the enclosure file"},
        {4, "Can't read the enclosure file"},
        {5, "Can't write the file"},
        {6, "End of the enclosure file"},
        {7, "Rectilinear grid (?!)"},
        {10, "An error with the enclosure file"},
        {11, "Enclosure point out of the grid range"},
        {12, "Max number of enclosure points reached"},
        {13, "Enclosure line not diagonal"},
        {14, "End point an enclosure polygon not found"},
        {15, "Default enclosure set"},
        {16, "Invalid grid cell in enclosure"},
        {19, "Grid status known from *.lga file"},
    };
    char *text = static_cast<char *>(GE_Alloc(512));
    if (!text)
        return nullptr;
    text[0] = '\0';
    for (const auto &t : kTexts)
        if (t.code == code)
            std::strcpy(text, t.text);
    return text;
}
