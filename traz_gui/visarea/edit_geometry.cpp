// Geometry of the edits on the grid: line objects in drawing order and the
// grid points they pass, thin-dam segments, the cell side nearest to a
// click, and the rubber band of the three-click grid edit (its third click
// held in the quadrant ahead of the axis, and its rectangle); the case of
// the texts drawn on the map.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "visarea.h"

namespace {

int32_t Sign(int32_t v) { return (v > 0) - (v < 0); }

float Squared(float x0, float y0, float x1, float y1)
{
    const float dx = x1 - x0, dy = y1 - y0;
    return dx * dx + dy * dy;
}

int32_t Round(double v) { return static_cast<int32_t>(std::lround(v)); }

}  // namespace

int GE_NormaliseLine(const GE_LineObject *line, GE_LineObject *out)
{
    const GE_LineObject in = *line;
    *out = in;
    const bool swap = in.m1 == in.m2 ? in.n1 >= in.n2 : in.m1 > in.m2;
    if (swap) {
        out->m1 = in.m2;
        out->n1 = in.n2;
        out->m2 = in.m1;
        out->n2 = in.n1;
    }
    return swap ? 1 : 0;
}

int32_t GE_LineKindAttribute(int32_t drawingKind)
{
    static const int32_t attributes[] = { GEdit_SHOW_DRY_POINTS,     GEdit_SHOW_THIN_DAMS,
                                          GEdit_SHOW_OPEN_BOUNDARIES, GEdit_SHOW_DISCHARGES,
                                          GEdit_SHOW_CROSS_SECTIONS,  GEdit_SHOW_OBSERVATIONS,
                                          GEdit_SHOW_DROGUES };
    return drawingKind >= 0 && drawingKind < 7 ? attributes[drawingKind] : -1;
}

int32_t GE_LineObjectPoints(const GE_LineObject *line, int32_t *m, int32_t *n, int32_t room, int32_t *labelAt)
{
    const int32_t dm = std::abs(line->m2 - line->m1), dn = std::abs(line->n2 - line->n1);
    const int32_t count = (dm > dn ? dm : dn) + 1;
    const int32_t stepN = Sign(line->n2 - line->n1);
    const bool alongM = line->m1 != line->m2;
    int32_t k = 0;
    for (; k < count && k < room; ++k) {
        m[k] = line->m1 + (alongM ? k : 0);
        n[k] = line->n1 + k * stepN;
    }
    if (labelAt)
        *labelAt = count / 2;
    return k;
}

int32_t GE_LineObjectRoom(const GE_LineObject *line)
{
    const int64_t dm = std::llabs(static_cast<int64_t>(line->m2) - line->m1);
    const int64_t dn = std::llabs(static_cast<int64_t>(line->n2) - line->n1);
    // A line far longer than any grid is cut: its points off the grid are
    // not drawn anyway.
    constexpr int64_t kLongest = int64_t{ 1 } << 20;
    return static_cast<int32_t>(std::min<int64_t>((dm > dn ? dm : dn) + 1, kLongest));
}

int32_t GE_ThinDamRoom(const GE_LineObject *line) { return 2 * GE_LineObjectRoom(line) + 2; }

int32_t GE_ThinDamSegments(const GE_LineObject *line, int32_t direction, int32_t *m, int32_t *n, int32_t room)
{
    if (direction != GEdit_U_DAM && direction != GEdit_V_DAM)
        return -1;
    int32_t count = 0;
    auto segment = [&](int32_t sm, int32_t sn) {
        if (2 * count + 1 >= room)
            return;
        m[2 * count] = sm;
        n[2 * count] = sn;
        m[2 * count + 1] = direction == GEdit_U_DAM ? sm : sm - 1;
        n[2 * count + 1] = direction == GEdit_U_DAM ? sn - 1 : sn;
        ++count;
    };
    if (direction == GEdit_U_DAM && line->n1 == line->n2) {
        for (int32_t k = line->m1; k <= line->m2; ++k)
            segment(k, line->n1);
    } else if (direction == GEdit_V_DAM && line->m1 == line->m2) {
        for (int32_t k = line->n1; k <= line->n2; ++k)
            segment(line->m1, k);
    } else {
        const int32_t step = Sign(line->n2 - line->n1);
        int32_t k = line->n1;
        for (int32_t j = line->m1; j <= line->m2; ++j, k += step)
            segment(j, k);
    }
    return count;
}

int32_t GE_CellSideCode(float x, float y, const float cornerX[4], const float cornerY[4], int32_t m, int32_t n,
                        GE_LineObject *side)
{
    enum { A, B, C, E };  // (m, n), (m-1, n), (m-1, n-1), (m, n-1)
    static const int32_t dm[4] = { 0, -1, -1, 0 }, dn[4] = { 0, 0, -1, -1 };
    float d[4];
    for (int k = 0; k < 4; ++k)
        d[k] = Squared(x, y, cornerX[k], cornerY[k]);

    // The corner: first the pair of m - 1 or of m, then one of the pair.
    int corner;
    if ((d[A] > d[B] && d[B] < d[E]) || (d[A] > d[C] && d[E] > d[C]))
        corner = d[B] > d[C] ? C : B;
    else
        corner = d[A] > d[E] ? E : A;

    // The two sides at the corner: the other end along constant n and along
    // constant m.
    static const int alongN[4] = { B, A, E, C }, alongM[4] = { E, C, B, A };
    auto midDistance = [&](int other) {
        return Squared(x, y, (cornerX[corner] + cornerX[other]) / 2, (cornerY[corner] + cornerY[other]) / 2);
    };
    const float toN = midDistance(alongN[corner]), toM = midDistance(alongM[corner]);
    const bool constantN = toN <= toM;
    const float cx = (cornerX[A] + cornerX[B] + cornerX[C] + cornerX[E]) / 4;
    const float cy = (cornerY[A] + cornerY[B] + cornerY[C] + cornerY[E]) / 4;
    const bool close = d[corner] < toN && d[corner] < Squared(x, y, cx, cy);

    // Round the cell: each corner's codes in the order far and close along
    // the side first met, then close and far along the other.
    static const int32_t base[4] = { 0, 12, 8, 4 };
    static const bool nFirst[4] = { true, false, true, false };
    const bool first = constantN == nFirst[corner];
    const int32_t code = base[corner] + (first ? (close ? 1 : 0) : (close ? 2 : 3));

    const int other = constantN ? alongN[corner] : alongM[corner];
    if (side) {
        std::memset(side, 0, sizeof *side);
        side->m1 = m + dm[corner];
        side->n1 = n + dn[corner];
        side->m2 = m + dm[other];
        side->n2 = n + dn[other];
    }
    return code;
}

void GE_ProjectOntoLine(int32_t px, int32_t py, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t *fx,
                        int32_t *fy)
{
    const double ax = x1 - x0, ay = y1 - y0, len = ax * ax + ay * ay;
    if (len == 0) {
        *fx = x0;
        *fy = y0;
        return;
    }
    const double t = ((px - x0) * ax + (py - y0) * ay) / len;
    *fx = Round(x0 + t * ax);
    *fy = Round(y0 + t * ay);
}

void GE_HoldThirdClick(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t *px, int32_t *py)
{
    const int32_t ax = x1 - x0, ay = y1 - y0;
    if (ax == 0 && ay == 0)
        return;
    if (ax == 0) {
        // Up the screen the left is towards smaller x; down, towards larger.
        if (ay < 0) {
            *px = *px > x0 ? x0 : *px;
            *py = *py > y0 ? y0 : *py;
        } else {
            *px = *px < x0 ? x0 : *px;
            *py = *py < y0 ? y0 : *py;
        }
        return;
    }
    if (ay == 0) {
        if (ax > 0) {
            *px = *px < x0 ? x0 : *px;
            *py = *py > y0 ? y0 : *py;
        } else {
            *px = *px > x0 ? x0 : *px;
            *py = *py < y0 ? y0 : *py;
        }
        return;
    }
    // With y down the screen, the left of the axis is where the cross
    // product is negative.
    const long long cross = static_cast<long long>(ax) * (*py - y0) - static_cast<long long>(ay) * (*px - x0);
    if (cross > 0)
        GE_ProjectOntoLine(*px, *py, x0, y0, x1, y1, px, py);
    const long long ahead = static_cast<long long>(ax) * (*px - x0) + static_cast<long long>(ay) * (*py - y0);
    if (ahead < 0)
        GE_ProjectOntoLine(*px, *py, x0, y0, x0 - ay, y0 + ax, px, py);
}

void GE_AxisRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t xs[5],
                      int32_t ys[5])
{
    int32_t bx = x0, by = y0;
    if (x1 != x0 || y1 != y0)
        GE_ProjectOntoLine(x2, y2, x0, y0, x1, y1, &bx, &by);
    xs[0] = xs[4] = x0;
    ys[0] = ys[4] = y0;
    xs[1] = bx;
    ys[1] = by;
    xs[2] = x2;
    ys[2] = y2;
    xs[3] = x0 + x2 - bx;
    ys[3] = y0 + y2 - by;
}

void GE_ApplyCase(char *text, int32_t textCase)
{
    for (char *c = text; c && *c; ++c) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (textCase == 1)
            *c = static_cast<char>(std::tolower(u));
        else if (textCase == 2)
            *c = static_cast<char>(std::toupper(u));
    }
}
