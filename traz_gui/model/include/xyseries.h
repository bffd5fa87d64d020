// Time-series tables (library xyseries 1.02.04): an XYSeries is a table of
// rows, each a time and one value per series, evaluated by linear
// interpolation, by blocks or as a sum of harmonics; built on GrowArray, a
// counted block of equal elements that grows by 20.
#ifndef TRAZ_XYSERIES_H
#define TRAZ_XYSERIES_H

#include <cstddef>
#include <cstdint>

#include "ruv_types.h"

#define XYSERIES_VERSION "1.02.04"

// A counted block of equal-sized elements.
struct GrowArray {
    void *data;           // owned element block
    int32_t count;        // elements in use
    int32_t capacity;     // elements allocated; starts at 20
    int32_t elementSize;  // bytes
};

constexpr int GROWARRAY_STEP = 20;

GrowArray *GrowArrayCreate(int elementSize);    // NULL for a size <= 0 or no memory
void GrowArrayDestroy(GrowArray *array);         // NULL ignored
// Index of the first of k new (uninitialised) elements at the end; -1 for
// k <= 0 or no memory (the array is then unchanged).
int GrowArrayExtend(GrowArray *array, int k);
// Makes room for k elements at index (negative = 0, beyond the count =
// append) and returns where they begin; -1 for k <= 0 or no memory.
int GrowArrayInsert(GrowArray *array, int index, int k);
// Removes k elements from start (cut at start when k reaches the end).
GrowArray *GrowArrayDelete(GrowArray *array, int start, int k);
// Address of element i (no range check).
inline void *GrowArrayAt(const GrowArray *array, int i)
{
    return static_cast<unsigned char *>(array->data) +
           static_cast<std::ptrdiff_t>(i) * static_cast<std::ptrdiff_t>(array->elementSize);
}

// One column: its range and name (63 significant characters).
struct XYSeriesDescriptor {
    double rangeMin;
    double rangeMax;
    char name[64];
};

enum XYSeriesKind { XYS_LINEAR = 0, XYS_BLOCK = 1, XYS_HARMONIC = 2 };

// Codes shared by the operations.
constexpr int XYS_ALL = -1;          // all series (the time column in name/range)
constexpr int XYS_QUERY = -2;        // query only
constexpr int XYS_SET = 5;           // access: set
constexpr int XYS_GET = -2;          // access: get
constexpr int XYS_OK = 0;
constexpr int XYS_BAD_ARGUMENT = -2;
constexpr int XYS_EMPTY = -3;

// Edit operations.
constexpr int XYS_INSERT_AT_TIME = 3;
constexpr int XYS_SET_AT_TIME = 4;
constexpr int XYS_SET_ROW = 5;
constexpr int XYS_DELETE_ROW = 6;

// Evaluation modes.
constexpr int XYS_NEAREST_ROW = 0;
constexpr int XYS_ROW = 1;
constexpr int XYS_AT_TIME = 2;

// Info codes of GetXYSeriesInfo.
constexpr int XYS_INFO_KIND = 0;
constexpr int XYS_INFO_MODE = 1;
constexpr int XYS_INFO_SERIES = 2;
constexpr int XYS_INFO_ROWS = 3;
constexpr int XYS_INFO_CURRENT = 4;
constexpr int XYS_INFO_VIEW = 5;

// Combine codes.
constexpr int XYS_COPY = 6;
constexpr int XYS_MERGE = 7;
constexpr int XYS_UNION = 8;

struct XYSeries {
    int32_t kind;           // XYSeriesKind
    int32_t modeFlag;       // 1: rows keyed by time (minutes from the start); 0: plain records
    int32_t seriesCount;    // n >= 1
    int32_t currentSeries;  // series that reads and writes address; -1 all
    int32_t viewAttached;   // 0 or 1
    int32_t autoRedraw;     // starts at 1
    RUV_WIN view;           // meaningful only when viewAttached is 1
    GrowArray *descriptors; // n + 1 XYSeriesDescriptor; 0 = time column
    GrowArray *times;       // double per row
    GrowArray *values;      // row of n floats
    GrowArray *phases;      // row of n floats (kind 2 only kept in step)
};

// A request to EditXYSeriesRows, passed by value.
struct XYSeriesEdit {
    XYSeries *table;
    int32_t operation;     // 3 insert at time, 4 set at time, 5 set row, 6 delete row
    int32_t row;           // operations 5 and 6 (-1 with 6 = all rows)
    double time;
    const float *values;   // one per written series
    const float *phases;   // same order; read for kind 2 only
};

XYSeries *CreateXYSeries(int kind, int modeFlag, int n);
// A table as CreateXYSeries(kind, modeFlag, n) makes it, in place of
// `table` (which may be NULL): a table of that shape that shows in no
// window is emptied and keeps its blocks, any other is destroyed.
XYSeries *RenewXYSeries(XYSeries *table, int kind, int modeFlag, int n);
void DestroyXYSeries(XYSeries *table);
int SelectXYSeries(XYSeries *table, int s);
int GetXYSeriesInfo(const XYSeries *table, int code);
int SetXYSeriesRedraw(XYSeries *table, int flag);
// Access 5 sets (at most 63 characters kept), -2 gets; s -1 is the time
// column.  Returns the stored name, NULL for a bad argument.
const char *SetXYSeriesName(XYSeries *table, int access, int s, const char *name);
// Access 5 sets (two different values, stored ordered), -2 gets into range.
int SetXYSeriesRange(XYSeries *table, int access, int s, double range[2]);
int EditXYSeriesRows(XYSeriesEdit request);
// Mode 0 nearest row to *time, 1 row `row`, 2 value at *time.  values and
// phases receive the written series packed from index 0 (either may be
// NULL).  0; -2 bad argument; -3 empty table.
int EvaluateXYSeries(XYSeries *table, int mode, int row, double *time, float *values,
                     float *phases);
// Last row whose time is <= time (binary search); -1 before the first row.
int FindXYSeriesRow(const XYSeries *table, double time);
// 6 copy of a, 7 merge a into b (returns b), 8 union of a and b.
XYSeries *CombineXYSeries(int code, XYSeries *a, XYSeries *b);

// A sorted name directory on three GrowArrays (names of 32 characters).
struct NameIndex {
    GrowArray *names;   // char[32] each
    GrowArray *data;    // elements of the size given at creation
    GrowArray *sorted;  // int32 element numbers in ascending name order
};
NameIndex *NameIndexCreate(int dataSize);
void NameIndexDestroy(NameIndex *index);
int NameIndexFind(const NameIndex *index, const char *name);

// Stores value in *target when it is 0 or 1 and returns 0; -2 otherwise.
int SetZeroOneFlag(int *target, int value);

#endif
