// The map files the visualisation area reads itself: land boundaries
// (growing the buffers until the polyline reader has room), bathymetry files
// at the grid's corner points or at its nodes, and grid text files with the
// comment-skipping line readers under them.
#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "flow_files.h"
#include "ge_list.h"
#include "utilities.h"
#include "visarea.h"
#include "visarea_internal.h"

namespace {

// The polyline reader's buffers never grow beyond this many points.
constexpr int32_t kLandBoundaryMaxCapacity = 1 << 26;

template <typename T>
bool ReplaceArray(T **array, const T *source, size_t count)
{
    T *copy = static_cast<T *>(GE_Alloc(count * sizeof(T)));
    if (!copy)
        return false;
    if (count)
        std::memcpy(copy, source, count * sizeof(T));
    GE_Free(*array);
    *array = copy;
    return true;
}

// One line of at most GE_MAX_LINE characters into buffer (GE_MAX_LINE + 2
// bytes): 1 read, 0 end of file, -2 too long.  The line end stays.
int ReadRawLine(FILE *file, char *buffer)
{
    if (!std::fgets(buffer, GE_MAX_LINE + 2, file))
        return 0;
    const size_t length = std::strlen(buffer);
    if (length == GE_MAX_LINE + 1 && buffer[GE_MAX_LINE] != '\n')
        return -2;
    return 1;
}

void StripTrailingSpace(char *text)
{
    size_t length = std::strlen(text);
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t' || text[length - 1] == '\n' ||
                          text[length - 1] == '\r' || text[length - 1] == '\f' || text[length - 1] == '\v'))
        text[--length] = '\0';
}

// Length of the named file in bytes, -1 when unknown.  Taken from the file
// system: a text stream's position is not a byte count everywhere.
double FileLength(const char *name)
{
    struct stat info;
    if (!name || stat(name, &info) != 0)
        return -1.0;
    return static_cast<double>(info.st_size);
}

}  // namespace

void GE_ReadLandBoundary(const char *name, int32_t *count, float **x, float **y, int32_t **ends, float *xmin,
                         float *xmax, float *ymin, float *ymax, int32_t *code)
{
    int32_t outcome = 0;
    int32_t capacity = 10000;
    int32_t points = 0;
    float x0 = 1e10f, x1 = -1e10f, y0 = 1e10f, y1 = -1e10f;
    std::vector<double> bx(static_cast<size_t>(capacity)), by(static_cast<size_t>(capacity));
    std::vector<int32_t> be(static_cast<size_t>(capacity));
    CallReadPolylineFile(name, bx.data(), by.data(), be.data(), &capacity, &points, &outcome);
    while (outcome == 3) {
        if (capacity >= kLandBoundaryMaxCapacity) {
            outcome = 4;
            break;
        }
        outcome = 0;
        capacity *= 2;
        bx.assign(static_cast<size_t>(capacity), 0.0);
        by.assign(static_cast<size_t>(capacity), 0.0);
        be.assign(static_cast<size_t>(capacity), 0);
        CallReadPolylineFile(name, bx.data(), by.data(), be.data(), &capacity, &points, &outcome);
    }
    // A file without a single point (comments only) is not a land boundary.
    if (outcome == 0 && (points <= 0 || points > capacity))
        outcome = 4;
    if (outcome == 0) {
        const size_t n = static_cast<size_t>(points);
        std::vector<float> fx(n), fy(n);
        for (size_t k = 0; k < n; ++k) {
            fx[k] = static_cast<float>(bx[k]);
            fy[k] = static_cast<float>(by[k]);
            if (fx[k] < x0) x0 = fx[k];
            if (fx[k] > x1) x1 = fx[k];
            if (fy[k] < y0) y0 = fy[k];
            if (fy[k] > y1) y1 = fy[k];
        }
        float *nx = nullptr, *ny = nullptr;
        int32_t *ne = nullptr;
        if (ReplaceArray(&nx, fx.data(), n) && ReplaceArray(&ny, fy.data(), n) && ReplaceArray(&ne, be.data(), n)) {
            GE_Free(*x);
            GE_Free(*y);
            GE_Free(*ends);
            *x = nx;
            *y = ny;
            *ends = ne;
            *count = points;
        } else {
            GE_Free(nx);
            GE_Free(ny);
            GE_Free(ne);
            outcome = 4;
        }
    }
    if (xmin) *xmin = x0;
    if (xmax) *xmax = x1;
    if (ymin) *ymin = y0;
    if (ymax) *ymax = y1;
    *code = outcome;
}

void GE_ReadBathymetry(const char *name, int32_t mmax, int32_t nmax, float **depth, float *dmin, float *dmax,
                       int32_t *code)
{
    int32_t outcome = 0;
    float low = 1e10f, high = -1e10f;
    if (mmax <= 0 || nmax <= 0) {
        *code = 4;
        return;
    }
    int32_t rows = mmax + 1, columns = nmax + 1;
    std::vector<float> buffer(static_cast<size_t>(rows) * static_cast<size_t>(columns));
    CallReadDepthRows(name, buffer.data(), &rows, &columns, &outcome);
    if (outcome == 6)
        CallReadDepthStream(name, buffer.data(), &rows, &columns, &outcome);
    if (outcome == 6) {
        rows = mmax;
        columns = nmax;
        CallReadDepthRows(name, buffer.data(), &rows, &columns, &outcome);
    }
    if (outcome == 0) {
        const size_t nodes = GE_NodeCount(mmax, nmax);
        std::vector<float> values(nodes);
        for (int32_t n = 0; n < nmax; ++n)
            for (int32_t m = 0; m < mmax; ++m) {
                const float v = buffer[static_cast<size_t>(n) * rows + m];
                values[static_cast<size_t>(n) * mmax + m] = v;
                if (v > -999.0f) {
                    if (v < low) low = v;
                    if (v > high) high = v;
                }
            }
        if (!ReplaceArray(depth, values.data(), nodes))
            outcome = 4;
    }
    if (dmin) *dmin = low;
    if (dmax) *dmax = high;
    *code = outcome;
}

int ReadSignificantLineNocopy(FILE *file, char comment, char *buffer, int32_t *linesRead)
{
    do {
        const int read = ReadRawLine(file, buffer);
        if (read == 0) {
            buffer[0] = '\0';
            return -1;
        }
        if (linesRead)
            ++*linesRead;
        if (read < 0) {
            buffer[0] = '\0';
            return -2;
        }
        StripTrailingSpace(buffer);
    } while (!std::feof(file) && (buffer[0] == '\0' || buffer[0] == comment));
    if (buffer[0] == comment)
        buffer[0] = '\0';
    return std::feof(file) ? -1 : 0;
}

int ReadSignificantLine(FILE *file, char comment, char *line, int32_t *linesRead)
{
    char buffer[GE_MAX_LINE + 2];
    const int result = ReadSignificantLineNocopy(file, comment, buffer, linesRead);
    std::memcpy(line, buffer, std::strlen(buffer) + 1);
    return result;
}

int ReadGridCoordinates(FILE *file, double ***rowsOut, int32_t mmax, int32_t nmax)
{
    double **rows = reinterpret_cast<double **>(Alloc2DArray(nmax, mmax, sizeof(double)));
    if (!rows)
        return 1;
    char line[GE_MAX_LINE + 2];
    int32_t linesRead = 0;
    size_t at = 0;
    for (int32_t n = 0; n < nmax; ++n)
        for (int32_t k = 0; k < mmax; ++k) {
            double value = 0.0;
            int used = 0;
            if (k % 5 == 0) {
                const int result = ReadSignificantLine(file, '*', line, &linesRead);
                if (result == -2 || (result == -1 && line[0] == '\0')) {
                    Free2DArray(reinterpret_cast<void **>(rows), nmax);
                    return 1;
                }
                at = 0;
            }
            const int got = k == 0 ? std::sscanf(line, "%*3s =%*d%lg%n", &value, &used)
                                   : std::sscanf(line + at, "%lg%n", &value, &used);
            if (got != 1) {
                Free2DArray(reinterpret_cast<void **>(rows), nmax);
                return 1;
            }
            at += static_cast<size_t>(used);
            rows[n][k] = value;
        }
    *rowsOut = rows;
    return 0;
}

void GridCodesAndBounds(double **x, double **y, int32_t ***codesOut, int32_t mmax, int32_t nmax, double *xmin,
                        double *xmax, double *ymin, double *ymax)
{
    const double largest = 3.4028234663852886e38;
    double x0 = largest, x1 = -largest, y0 = largest, y1 = -largest;
    int32_t **codes = reinterpret_cast<int32_t **>(Alloc2DArray(nmax, mmax, sizeof(int32_t)));
    for (int32_t n = 0; n < nmax; ++n)
        for (int32_t m = 0; m < mmax; ++m) {
            const bool active = !(std::fabs(x[n][m]) <= 1e-5 && std::fabs(y[n][m]) <= 1e-5);
            if (codes)
                codes[n][m] = active ? 1 : 0;
            if (!active)
                continue;
            if (x[n][m] < x0) x0 = x[n][m];
            if (x[n][m] > x1) x1 = x[n][m];
            if (y[n][m] < y0) y0 = y[n][m];
            if (y[n][m] > y1) y1 = y[n][m];
        }
    *codesOut = codes;
    *xmin = x0;
    *xmax = x1;
    *ymin = y0;
    *ymax = y1;
}

int GE_ReadGridFile(const char *name, int32_t *mmaxOut, int32_t *nmaxOut, double ***xOut, double ***yOut,
                    int32_t ***codesOut, double *xmin, double *xmax, double *ymin, double *ymax,
                    int32_t *coordinateSystem, int32_t *noKey, double *missingValue)
{
    FILE *file = nullptr;
    if (!OpenFileChecked(name, &file, 0))
        return 1;
    // Every way out below closes the file.
    struct Closer {
        FILE *f;
        ~Closer() { std::fclose(f); }
    } closer{file};

    char line[GE_MAX_LINE + 2];
    if (ReadRawLine(file, line) != 1)
        return 4;
    StripTrailingSpace(line);
    int32_t system = (std::strstr(line, "Spherical") || std::strstr(line, "SPHERICAL")) ? 0 : 1;
    int32_t keyMissing = 1;
    double missing = 0.0;
    auto keyLine = [&](const char *text) {
        char word[GE_MAX_LINE + 2];
        if (std::sscanf(text, " Coordinate System =%255s", word) == 1) {
            keyMissing = 0;
            if (std::strcmp(word, "Spherical") == 0)
                system = 0;
        } else {
            std::sscanf(text, " Missing Value =%lg", &missing);
        }
    };
    if (line[0] != '*' && std::strchr(line, '='))
        keyLine(line);
    int32_t linesRead = 1;
    for (;;) {
        const int result = ReadSignificantLine(file, '*', line, &linesRead);
        if (result == -2 || (result == -1 && line[0] == '\0'))
            return 4;
        if (line[0] == '*')
            continue;
        if (!std::strchr(line, '='))
            break;
        keyLine(line);
        if (result == -1)
            return 4;
    }
    int32_t mmax = 0, nmax = 0;
    if (std::sscanf(line, "%d%d", &mmax, &nmax) != 2 || mmax < 1 || nmax < 1)
        return 4;
    // Each value takes at least a digit and a separator, and the file holds
    // the x and the y of every node: sizes the file cannot hold are refused
    // before anything is allocated for them.
    const double length = FileLength(name);
    if (length < 0 || static_cast<double>(mmax) * static_cast<double>(nmax) * 4.0 > length)
        return 4;
    if (coordinateSystem)
        *coordinateSystem = system;
    {
        const int result = ReadSignificantLine(file, '*', line, &linesRead);
        if (result == -2 || (result == -1 && line[0] == '\0'))
            return 4;
    }
    double **x = nullptr, **y = nullptr;
    if (ReadGridCoordinates(file, &x, mmax, nmax) != 0)
        return 4;
    if (ReadGridCoordinates(file, &y, mmax, nmax) != 0) {
        Free2DArray(reinterpret_cast<void **>(x), nmax);
        return 4;
    }
    int32_t **codes = nullptr;
    GridCodesAndBounds(x, y, &codes, mmax, nmax, xmin, xmax, ymin, ymax);
    if (!codes) {
        Free2DArray(reinterpret_cast<void **>(x), nmax);
        Free2DArray(reinterpret_cast<void **>(y), nmax);
        return 4;
    }
    *mmaxOut = mmax;
    *nmaxOut = nmax;
    *xOut = x;
    *yOut = y;
    *codesOut = codes;
    if (noKey)
        *noKey = keyMissing;
    if (missingValue)
        *missingValue = missing;
    return 0;
}
