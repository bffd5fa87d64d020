// Time-series tables (library xyseries 1.02.04) and the growable array they
// are built on.  A table keeps its rows in ascending time in three parallel
// arrays (times, value rows, phase rows); it is edited through one request
// record, evaluated by rows, by linear or block interpolation or as a sum of
// harmonics, and copied or merged with other tables by series name.
#include "xyseries.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ge_list.h"
#include "ruv.h"

// ---------------------------------------------------------------------------
// GrowArray

GrowArray *GrowArrayCreate(int elementSize)
{
    if (elementSize <= 0)
        return nullptr;
    auto *array = static_cast<GrowArray *>(GE_Alloc(sizeof(GrowArray)));
    if (!array)
        return nullptr;
    array->data = GE_Alloc(static_cast<size_t>(GROWARRAY_STEP) * static_cast<size_t>(elementSize));
    if (!array->data) {
        GE_Free(array);
        return nullptr;
    }
    array->count = 0;
    array->capacity = GROWARRAY_STEP;
    array->elementSize = elementSize;
    return array;
}

void GrowArrayDestroy(GrowArray *array)
{
    if (!array)
        return;
    GE_Free(array->data);
    GE_Free(array);
}

int GrowArrayExtend(GrowArray *array, int k)
{
    if (!array || k <= 0 || array->count > INT_MAX - k)
        return -1;
    const int old = array->count;
    if (old + k > array->capacity) {
        int capacity = array->capacity <= INT_MAX - GROWARRAY_STEP ? array->capacity + GROWARRAY_STEP
                                                                   : INT_MAX;
        if (capacity < old + k)
            capacity = old + k;
        void *grown = GE_ReAlloc(array->data,
                                 static_cast<size_t>(capacity) * static_cast<size_t>(array->elementSize));
        if (!grown)
            return -1;  // the old block is kept
        array->data = grown;
        array->capacity = capacity;
    }
    array->count = old + k;
    return old;
}

int GrowArrayInsert(GrowArray *array, int index, int k)
{
    if (!array)
        return -1;
    if (index < 0)
        index = 0;
    const int old = array->count;
    if (GrowArrayExtend(array, k) < 0)
        return -1;
    if (index >= old)
        return old;
    auto *bytes = static_cast<unsigned char *>(array->data);
    const size_t size = static_cast<size_t>(array->elementSize);
    std::memmove(bytes + (static_cast<size_t>(index) + k) * size, bytes + static_cast<size_t>(index) * size,
                 static_cast<size_t>(old - index) * size);
    return index;
}

GrowArray *GrowArrayDelete(GrowArray *array, int start, int k)
{
    if (!array || array->count == 0 || start < 0 || start >= array->count || k <= 0)
        return array;
    if (k < array->count - start) {
        auto *bytes = static_cast<unsigned char *>(array->data);
        const size_t size = static_cast<size_t>(array->elementSize);
        std::memmove(bytes + static_cast<size_t>(start) * size,
                     bytes + (static_cast<size_t>(start) + k) * size,
                     static_cast<size_t>(array->count - start - k) * size);
        array->count -= k;
    } else {
        array->count = start;
    }
    return array;
}

// ---------------------------------------------------------------------------
// Table internals

namespace {

constexpr double kTwoPi = 6.2831852;  // the constant the tables were made with

// A row of n values, zero at first: on the stack for the rows of a few
// dozen series that tables have, so that a row edit allocates nothing.
template <typename T>
class RowScratch {
public:
    explicit RowScratch(int n)
    {
        const size_t count = static_cast<size_t>(n);
        if (count <= kOnStack) {
            std::fill(local_, local_ + count, T(0));
            data_ = local_;
        } else {
            heap_.assign(count, T(0));
            data_ = heap_.data();
        }
    }
    RowScratch(const RowScratch &) = delete;
    RowScratch &operator=(const RowScratch &) = delete;
    T *data() { return data_; }
    T &operator[](int i) { return data_[i]; }

private:
    static constexpr size_t kOnStack = 32;
    T local_[kOnStack];
    std::vector<T> heap_;
    T *data_;
};

XYSeriesDescriptor *Column(const XYSeries *t, int column)
{
    return static_cast<XYSeriesDescriptor *>(GrowArrayAt(t->descriptors, column));
}
int Rows(const XYSeries *t) { return t->times->count; }
double TimeAt(const XYSeries *t, int r) { return *static_cast<double *>(GrowArrayAt(t->times, r)); }
float *ValuesAt(const XYSeries *t, int r) { return static_cast<float *>(GrowArrayAt(t->values, r)); }
float *PhasesAt(const XYSeries *t, int r) { return static_cast<float *>(GrowArrayAt(t->phases, r)); }
bool Harmonic(const XYSeries *t) { return t->kind == XYS_HARMONIC; }

void Redraw(const XYSeries *t)
{
    if (t->viewAttached == 1 && t->autoRedraw == 1)
        ruv_dwin_invalidate_rect(t->view, nullptr);
}

// The series that reads and writes address: the current one, or all.
int WrittenCount(const XYSeries *t) { return t->currentSeries == XYS_ALL ? t->seriesCount : 1; }
int WrittenSeries(const XYSeries *t, int k) { return t->currentSeries == XYS_ALL ? k : t->currentSeries; }

// Every series of a kind 0 or 1 table at time tm (value at a time, mode 2):
// the first row's values before it, the last row's after it, zeros while
// the table is empty.
void InterpolateAll(const XYSeries *t, double tm, double *out)
{
    const int n = t->seriesCount;
    const int rows = Rows(t);
    if (rows == 0) {
        for (int s = 0; s < n; ++s)
            out[s] = 0.0;
        return;
    }
    const int r = FindXYSeriesRow(t, tm);
    if (r == -1 || r == rows - 1) {
        const float *v = ValuesAt(t, r < 0 ? 0 : r);
        for (int s = 0; s < n; ++s)
            out[s] = v[s];
        return;
    }
    double w = 0.0;
    if (t->kind == XYS_LINEAR) {
        const double span = TimeAt(t, r + 1) - TimeAt(t, r);
        // Neighbouring rows that share a time: the later row holds from it.
        w = span != 0.0 ? (tm - TimeAt(t, r)) / span : 1.0;
    }
    const float *v0 = ValuesAt(t, r);
    const float *v1 = ValuesAt(t, r + 1);
    for (int s = 0; s < n; ++s)
        out[s] = (1.0 - w) * v0[s] + w * v1[s];
}

// Every series of a harmonic table at time tm.
void HarmonicAll(const XYSeries *t, double tm, double *out)
{
    const int n = t->seriesCount;
    for (int s = 0; s < n; ++s)
        out[s] = 0.0;
    for (int i = 0; i < Rows(t); ++i) {
        const double period = TimeAt(t, i);
        const double f = period != 0.0 ? (tm - std::trunc(tm / period) * period) / period : 0.25;
        const float *amplitude = ValuesAt(t, i);
        const float *phase = PhasesAt(t, i);
        for (int s = 0; s < n; ++s)
            out[s] += amplitude[s] * std::sin(kTwoPi * f - phase[s]);
    }
}

// Inserts a full row at index in times, values and (kind 2) phases; false
// (table unchanged) when memory is short.
bool InsertRow(XYSeries *t, int index, double tm, const float *values, const float *phases)
{
    const size_t rowBytes = static_cast<size_t>(t->seriesCount) * sizeof(float);
    const int at = GrowArrayInsert(t->times, index, 1);
    if (at < 0)
        return false;
    if (GrowArrayInsert(t->values, index, 1) != at) {
        GrowArrayDelete(t->times, at, 1);
        return false;
    }
    if (Harmonic(t) && GrowArrayInsert(t->phases, index, 1) != at) {
        GrowArrayDelete(t->times, at, 1);
        GrowArrayDelete(t->values, at, 1);
        return false;
    }
    *static_cast<double *>(GrowArrayAt(t->times, at)) = tm;
    std::memcpy(ValuesAt(t, at), values, rowBytes);
    if (Harmonic(t))
        std::memcpy(PhasesAt(t, at), phases, rowBytes);
    return true;
}

// Operation 4 on whole rows: overwrite the row at exactly tm, else insert
// after the rows with time <= tm.
bool SetOrInsertRow(XYSeries *t, double tm, const float *values, const float *phases)
{
    const int e = FindXYSeriesRow(t, tm);
    if (e != -1 && TimeAt(t, e) == tm) {
        const size_t rowBytes = static_cast<size_t>(t->seriesCount) * sizeof(float);
        std::memcpy(ValuesAt(t, e), values, rowBytes);
        if (Harmonic(t))
            std::memcpy(PhasesAt(t, e), phases, rowBytes);
        return true;
    }
    return InsertRow(t, e + 1, tm, values, phases);
}

// Merges every row of src into dst, series matched by name (code 7).
bool MergeRows(const XYSeries *src, XYSeries *dst)
{
    const int n = dst->seriesCount;
    std::vector<int> match(static_cast<size_t>(n), -1);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < src->seriesCount; ++i)
            if (std::strcmp(Column(dst, j + 1)->name, Column(src, i + 1)->name) == 0) {
                match[static_cast<size_t>(j)] = i;
                break;
            }
    std::vector<double> row(static_cast<size_t>(n));
    std::vector<float> values(static_cast<size_t>(n)), phases(static_cast<size_t>(n));
    for (int r = 0; r < Rows(src); ++r) {
        const double tm = TimeAt(src, r);
        if (Harmonic(dst)) {
            const int e = FindXYSeriesRow(dst, tm);
            const bool exact = e != -1 && TimeAt(dst, e) == tm;
            for (int j = 0; j < n; ++j) {
                values[static_cast<size_t>(j)] = exact ? ValuesAt(dst, e)[j] : 0.0f;
                phases[static_cast<size_t>(j)] = exact ? PhasesAt(dst, e)[j] : 0.0f;
            }
        } else {
            InterpolateAll(dst, tm, row.data());
            for (int j = 0; j < n; ++j) {
                values[static_cast<size_t>(j)] = static_cast<float>(row[static_cast<size_t>(j)]);
                phases[static_cast<size_t>(j)] = 0.0f;
            }
        }
        for (int j = 0; j < n; ++j) {
            const int i = match[static_cast<size_t>(j)];
            if (i < 0)
                continue;
            values[static_cast<size_t>(j)] = ValuesAt(src, r)[i];
            if (Harmonic(src))
                phases[static_cast<size_t>(j)] = PhasesAt(src, r)[i];
        }
        if (!SetOrInsertRow(dst, tm, values.data(), phases.data()))
            return false;
    }
    return true;
}

// Redraw off and all series selected for the time of a combination.
struct CombineGuard {
    XYSeries *table;
    int redraw;
    int current;
    explicit CombineGuard(XYSeries *t) : table(t), redraw(0), current(0)
    {
        if (!table)
            return;
        redraw = table->autoRedraw;
        current = table->currentSeries;
        table->autoRedraw = 0;
        table->currentSeries = XYS_ALL;
    }
    ~CombineGuard()
    {
        if (!table)
            return;
        table->autoRedraw = redraw;
        table->currentSeries = current;
    }
    CombineGuard(const CombineGuard &) = delete;
    CombineGuard &operator=(const CombineGuard &) = delete;
};

} // namespace

// ---------------------------------------------------------------------------
// Tables

namespace {

// A table and the records of its four arrays, allocated as one block (the
// arrays' elements have blocks of their own, which grow): a table is made
// with five allocations instead of nine.
struct TableBlock {
    XYSeries table;   // first: a table's address is its block's
    GrowArray arrays[4];
};

// An empty array of a table, as GrowArrayCreate makes one; false when its
// elements' block cannot be had.
bool StartArray(GrowArray *array, int elementSize)
{
    array->data = GE_Alloc(static_cast<size_t>(GROWARRAY_STEP) * static_cast<size_t>(elementSize));
    array->count = 0;
    array->capacity = GROWARRAY_STEP;
    array->elementSize = elementSize;
    return array->data != nullptr;
}

// The state of a table just made, past its shape and blocks: no rows
// (they are dropped by the caller), the first series current, no view,
// and the columns' names and ranges of a new table.
void MakeNew(XYSeries *t)
{
    t->currentSeries = 0;
    t->viewAttached = 0;
    t->autoRedraw = 1;
    t->view = NULL_WIN;
    for (int c = 0; c <= t->seriesCount; ++c) {
        XYSeriesDescriptor *d = Column(t, c);
        std::memset(d, 0, sizeof *d);
        if (c == 0)
            std::strcpy(d->name, "X");
        else
            std::snprintf(d->name, sizeof d->name, "Series %d", c);
        d->rangeMin = 0.0;
        d->rangeMax = 1.0;
    }
}

// A row block that a renewed table keeps: one of a few hundred rows at
// most, so that a long table read once holds no memory after it.
bool Reusable(const GrowArray *rows)
{
    constexpr int kKeptRows = 256;
    return rows && rows->capacity <= kKeptRows;
}

} // namespace

XYSeries *CreateXYSeries(int kind, int modeFlag, int n)
{
    if (kind < XYS_LINEAR || kind > XYS_HARMONIC || (modeFlag != 0 && modeFlag != 1) || n < 1 ||
        n > INT_MAX / static_cast<int>(sizeof(float)) - 1)
        return nullptr;
    auto *block = static_cast<TableBlock *>(GE_Alloc(sizeof(TableBlock)));
    if (!block)
        return nullptr;
    std::memset(block, 0, sizeof *block);
    XYSeries *t = &block->table;
    t->descriptors = &block->arrays[0];
    t->times = &block->arrays[1];
    t->values = &block->arrays[2];
    t->phases = &block->arrays[3];
    const int rowBytes = n * static_cast<int>(sizeof(float));
    if (!StartArray(t->descriptors, static_cast<int>(sizeof(XYSeriesDescriptor))) ||
        !StartArray(t->times, static_cast<int>(sizeof(double))) || !StartArray(t->values, rowBytes) ||
        !StartArray(t->phases, rowBytes) || GrowArrayExtend(t->descriptors, n + 1) < 0) {
        DestroyXYSeries(t);
        return nullptr;
    }
    t->kind = kind;
    t->modeFlag = modeFlag;
    t->seriesCount = n;
    MakeNew(t);
    return t;
}

XYSeries *RenewXYSeries(XYSeries *table, int kind, int modeFlag, int n)
{
    if (table && table->viewAttached == 0 && table->kind == kind && table->modeFlag == modeFlag &&
        table->seriesCount == n && table->descriptors && table->descriptors->count == n + 1 &&
        Reusable(table->times) && Reusable(table->values) && Reusable(table->phases)) {
        table->times->count = 0;
        table->values->count = 0;
        table->phases->count = 0;
        MakeNew(table);
        return table;
    }
    DestroyXYSeries(table);
    return CreateXYSeries(kind, modeFlag, n);
}

void DestroyXYSeries(XYSeries *table)
{
    if (!table)
        return;
    if (table->viewAttached == 1 && table->view != NULL_WIN)
        ruv_vobj_destroy(table->view);
    // The arrays' records lie in the table's block; their elements do not.
    for (GrowArray *array : {table->descriptors, table->times, table->values, table->phases})
        GE_Free(array->data);
    GE_Free(reinterpret_cast<TableBlock *>(table));
}

int SelectXYSeries(XYSeries *table, int s)
{
    if (!table)
        return XYS_BAD_ARGUMENT;
    const int previous = table->currentSeries;
    if (s == XYS_QUERY)
        return previous;
    if (s != XYS_ALL && (s < 0 || s >= table->seriesCount))
        return XYS_BAD_ARGUMENT;
    table->currentSeries = s;
    Redraw(table);
    return previous;
}

int GetXYSeriesInfo(const XYSeries *table, int code)
{
    if (!table)
        return XYS_BAD_ARGUMENT;
    switch (code) {
    case XYS_INFO_KIND: return table->kind;
    case XYS_INFO_MODE: return table->modeFlag;
    case XYS_INFO_SERIES: return table->seriesCount;
    case XYS_INFO_ROWS: return Rows(table);
    case XYS_INFO_CURRENT: return table->currentSeries;
    case XYS_INFO_VIEW: return table->viewAttached;
    default: return XYS_BAD_ARGUMENT;
    }
}

int SetXYSeriesRedraw(XYSeries *table, int flag)
{
    if (!table)
        return XYS_BAD_ARGUMENT;
    const int previous = table->autoRedraw;
    table->autoRedraw = flag;
    if (flag != 0 && table->viewAttached == 1)
        ruv_dwin_invalidate_rect(table->view, nullptr);
    return previous;
}

namespace {

bool ColumnArgumentsOk(const XYSeries *table, int access, int s)
{
    return table && (access == XYS_SET || access == XYS_GET) && s >= -1 && s < table->seriesCount;
}

void RedrawForColumn(const XYSeries *table, int s)
{
    if (s == -1 || s == table->currentSeries || table->currentSeries == XYS_ALL)
        Redraw(table);
}

} // namespace

const char *SetXYSeriesName(XYSeries *table, int access, int s, const char *name)
{
    if (!ColumnArgumentsOk(table, access, s))
        return nullptr;
    XYSeriesDescriptor *d = Column(table, s + 1);
    if (access == XYS_SET) {
        if (!name)
            return nullptr;
        std::strncpy(d->name, name, sizeof d->name);
        d->name[sizeof d->name - 1] = '\0';
        RedrawForColumn(table, s);
    }
    return d->name;
}

int SetXYSeriesRange(XYSeries *table, int access, int s, double range[2])
{
    if (!ColumnArgumentsOk(table, access, s) || !range)
        return XYS_BAD_ARGUMENT;
    XYSeriesDescriptor *d = Column(table, s + 1);
    if (access == XYS_SET) {
        if (!(range[0] != range[1]) || std::isnan(range[0]) || std::isnan(range[1]))
            return XYS_BAD_ARGUMENT;
        d->rangeMin = range[0] < range[1] ? range[0] : range[1];
        d->rangeMax = range[0] < range[1] ? range[1] : range[0];
        RedrawForColumn(table, s);
    } else {
        range[0] = d->rangeMin;
        range[1] = d->rangeMax;
    }
    return XYS_OK;
}

int FindXYSeriesRow(const XYSeries *table, double time)
{
    if (!table)
        return -1;
    const int rows = Rows(table);
    if (rows == 0 || time < TimeAt(table, 0))
        return -1;
    if (time > TimeAt(table, rows - 1))
        return rows - 1;
    int b = 1;
    while (b <= rows / 2)
        b *= 2;
    int c = b - 1;
    for (;;) {
        const double d = TimeAt(table, c);
        b /= 2;
        if (time > d) {
            while (c + b >= rows)
                b /= 2;
            c += b;
        }
        if (d > time)
            c -= b;
        if (time == d)
            return c;
        if (b == 0)
            return d > time ? c - 1 : c;
    }
}

int EvaluateXYSeries(XYSeries *table, int mode, int row, double *time, float *values, float *phases)
{
    if (!table)
        return XYS_BAD_ARGUMENT;
    const int rows = Rows(table);
    if (rows == 0)
        return XYS_EMPTY;
    const int written = WrittenCount(table);
    switch (mode) {
    case XYS_NEAREST_ROW: {
        if (!time || !std::isfinite(*time))
            return XYS_BAD_ARGUMENT;
        const double tm = *time;
        int r = FindXYSeriesRow(table, tm);
        if (r == -1)
            r = 0;
        if (r < rows - 1 && tm - TimeAt(table, r) > TimeAt(table, r + 1) - tm)
            r += 1;
        row = r;
    }
        [[fallthrough]];  // the nearest row is read as a row
    case XYS_ROW:
        if (row < 0 || row >= rows)
            return XYS_BAD_ARGUMENT;
        if (time)
            *time = TimeAt(table, row);
        for (int k = 0; k < written; ++k) {
            const int s = WrittenSeries(table, k);
            if (values)
                values[k] = ValuesAt(table, row)[s];
            if (phases && Harmonic(table))
                phases[k] = PhasesAt(table, row)[s];
        }
        return XYS_OK;
    case XYS_AT_TIME: {
        if (!time || !std::isfinite(*time))
            return XYS_BAD_ARGUMENT;
        RowScratch<double> all(table->seriesCount);
        if (Harmonic(table))
            HarmonicAll(table, *time, all.data());
        else
            InterpolateAll(table, *time, all.data());
        if (values)
            for (int k = 0; k < written; ++k)
                values[k] = static_cast<float>(all[WrittenSeries(table, k)]);
        return XYS_OK;
    }
    default:
        return XYS_BAD_ARGUMENT;
    }
}

int EditXYSeriesRows(XYSeriesEdit request)
{
    XYSeries *t = request.table;
    if (!t || request.operation < XYS_INSERT_AT_TIME || request.operation > XYS_DELETE_ROW)
        return XYS_BAD_ARGUMENT;
    const int rows = Rows(t);
    const int n = t->seriesCount;
    const int written = WrittenCount(t);

    if (request.operation == XYS_DELETE_ROW) {
        int start = request.row, k = 1;
        if (request.row == -1) {
            start = 0;
            k = rows;
        } else if (request.row < 0 || request.row >= rows) {
            return XYS_BAD_ARGUMENT;
        }
        GrowArrayDelete(t->times, start, k);
        GrowArrayDelete(t->values, start, k);
        if (Harmonic(t))
            GrowArrayDelete(t->phases, start, k);
        return XYS_OK;
    }

    const double tm = request.time;
    if (!request.values || !std::isfinite(tm))
        return XYS_BAD_ARGUMENT;

    int setRow = -1;
    if (request.operation == XYS_SET_ROW) {
        const int r = request.row;
        if (r < 0 || r >= rows)
            return XYS_BAD_ARGUMENT;
        if ((r > 0 && !(TimeAt(t, r - 1) < tm)) || (r < rows - 1 && !(tm < TimeAt(t, r + 1))))
            return XYS_BAD_ARGUMENT;
        setRow = r;
    }
    const int e = FindXYSeriesRow(t, tm);
    if (request.operation == XYS_SET_AT_TIME && e != -1 && TimeAt(t, e) == tm)
        setRow = e;

    if (setRow >= 0) {
        *static_cast<double *>(GrowArrayAt(t->times, setRow)) = tm;
        for (int k = 0; k < written; ++k) {
            const int s = WrittenSeries(t, k);
            ValuesAt(t, setRow)[s] = request.values[k];
            if (Harmonic(t) && request.phases)
                PhasesAt(t, setRow)[s] = request.phases[k];
        }
        return XYS_OK;
    }

    // Insert: a full row first (interpolated for kinds 0 and 1, zero for
    // kind 2), then the request's series.
    RowScratch<float> values(n), phases(n);
    if (!Harmonic(t)) {
        RowScratch<double> all(n);
        InterpolateAll(t, tm, all.data());
        for (int s = 0; s < n; ++s)
            values[s] = static_cast<float>(all[s]);
    }
    for (int k = 0; k < written; ++k) {
        const int s = WrittenSeries(t, k);
        values[s] = request.values[k];
        if (Harmonic(t) && request.phases)
            phases[s] = request.phases[k];
    }
    // After every row of the same time, so that rows of one time keep the
    // order they were inserted in (the search may stop at any of them).
    int after = e;
    while (after + 1 < rows && TimeAt(t, after + 1) == tm)
        ++after;
    return InsertRow(t, after + 1, tm, values.data(), phases.data()) ? XYS_OK : XYS_BAD_ARGUMENT;
}

XYSeries *CombineXYSeries(int code, XYSeries *a, XYSeries *b)
{
    if (!a)
        return nullptr;
    if (code != XYS_COPY) {
        if (code != XYS_MERGE && code != XYS_UNION)
            return nullptr;
        if (!b || b->kind != a->kind || b->modeFlag != a->modeFlag)
            return nullptr;
    } else {
        b = nullptr;  // a copy reads only the first table
    }
    CombineGuard guardA(a);
    CombineGuard guardB(b == a ? nullptr : b);

    if (code == XYS_MERGE)
        return MergeRows(a, b) ? b : nullptr;

    // The new table's columns: a's series, then (union) b's series whose
    // names a lacks.
    std::vector<const XYSeriesDescriptor *> columns;
    for (int i = 0; i < a->seriesCount; ++i)
        columns.push_back(Column(a, i + 1));
    if (code == XYS_UNION) {
        for (int j = 0; j < b->seriesCount; ++j) {
            const XYSeriesDescriptor *d = Column(b, j + 1);
            bool known = false;
            for (int i = 0; i < a->seriesCount && !known; ++i)
                known = std::strcmp(Column(a, i + 1)->name, d->name) == 0;
            if (!known)
                columns.push_back(d);
        }
    }
    XYSeries *c = CreateXYSeries(a->kind, a->modeFlag, static_cast<int>(columns.size()));
    if (!c)
        return nullptr;
    *Column(c, 0) = *Column(a, 0);
    for (size_t k = 0; k < columns.size(); ++k)
        *Column(c, static_cast<int>(k) + 1) = *columns[k];
    if (!MergeRows(a, c) || (code == XYS_UNION && !MergeRows(b, c))) {
        DestroyXYSeries(c);
        return nullptr;
    }
    return c;
}

// ---------------------------------------------------------------------------
// NameIndex and flags

NameIndex *NameIndexCreate(int dataSize)
{
    if (dataSize <= 0)
        return nullptr;
    auto *index = static_cast<NameIndex *>(GE_Alloc(sizeof(NameIndex)));
    if (!index)
        return nullptr;
    index->names = GrowArrayCreate(32);
    index->data = GrowArrayCreate(dataSize);
    index->sorted = GrowArrayCreate(static_cast<int>(sizeof(int32_t)));
    if (!index->names || !index->data || !index->sorted) {
        NameIndexDestroy(index);
        return nullptr;
    }
    return index;
}

void NameIndexDestroy(NameIndex *index)
{
    if (!index)
        return;
    GrowArrayDestroy(index->names);
    GrowArrayDestroy(index->data);
    GrowArrayDestroy(index->sorted);
    GE_Free(index);
}

int NameIndexFind(const NameIndex *index, const char *name)
{
    if (!index || !name)
        return -1;
    char key[32];
    std::strncpy(key, name, 31);
    key[31] = '\0';
    size_t n = std::strlen(key);
    while (n > 0 && (key[n - 1] == ' ' || key[n - 1] == '\t'))
        key[--n] = '\0';
    int lo = 0, hi = index->sorted->count - 1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int element = *static_cast<int32_t *>(GrowArrayAt(index->sorted, mid));
        const int cmp = std::strncmp(key, static_cast<const char *>(GrowArrayAt(index->names, element)), 32);
        if (cmp == 0)
            return element;
        if (cmp < 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return -1;
}

int SetZeroOneFlag(int *target, int value)
{
    if (!target || (value != 0 && value != 1))
        return XYS_BAD_ARGUMENT;
    *target = value;
    return XYS_OK;
}
