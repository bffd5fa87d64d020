/* Flow-model file routines: readers and writers of the hydrodynamic model's
   land-boundary, depth and grid files, and the wrappers by which C code
   calls them.

   Calling convention of the record-file routines (upper-case names): every
   argument is passed by reference, except that each text argument is
   followed directly by its length in characters, passed by value.  Texts
   are fixed-length fields; a name ends at its given length, at a NUL within
   it, and trailing blanks are dropped.  The last argument is the outcome,
   set to 0 first:
     0 success, 1 opening the file failed (nothing else is done),
     2 closing the file failed (replaces any earlier code),
     3 over capacity, or the file's sizes differ from the caller's,
     4 the rewind or a read failed, 5 the rewind or a write failed,
     6 the end of the file came before all values were read.
   Arrays are column-major with 1-based indices: element (m, n) of an array
   with leading dimension mmax lies at (n - 1) * mmax + (m - 1).
   Each call takes a unit from ALLOCATE_UNIT_NUMBER and closes it before it
   returns.  Single-threaded use only. */
#ifndef TRAZ_FLOW_FILES_H
#define TRAZ_FLOW_FILES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------- land boundary */

/* Land-boundary file: comment records ('*' first) anywhere between blocks;
   each block a name record, a size record (point-record count, column
   count), then that many point records of x and y (further values ignored).
   A point whose x is 999.999 or 999999.0 separates polylines and is not
   stored; every block begins a new polyline; the file may end anywhere.
   x, y receive the points (capacity entries each, cleared first), ends the
   1-based index of the last point of each polyline followed by zeros.  At
   most capacity - 1 points and capacity - 1 polylines are stored; beyond
   that the outcome is 3 and the partial result is to be discarded (enlarge
   the buffers and read again).  The point count is written only with
   outcome 0.  Outcomes 0, 1, 2, 3, 4. */
void READ_POLYLINE_FILE(const char *name, int32_t name_len, double *x, double *y, int32_t *ends,
                        const int32_t *capacity, int32_t *point_count, int32_t *outcome);

/* ---------------------------------------------------------- depth files */

/* An mmax x nmax array of 4-byte reals in free form, m varying fastest.
   READ_DEPTH_ROWS reads each column n with one list-directed read that
   begins on a new record; READ_DEPTH_STREAM reads all values with one read,
   whatever the line breaks.  The array is cleared first; values read before
   an end of file (6) or a read error (4) stay.  Outcomes 0, 1, 2, 4, 6. */
void READ_DEPTH_ROWS(const char *name, int32_t name_len, float *depth, const int32_t *mmax,
                     const int32_t *nmax, int32_t *outcome);
void READ_DEPTH_STREAM(const char *name, int32_t name_len, float *depth, const int32_t *mmax,
                       const int32_t *nmax, int32_t *outcome);

/* The clearing routines: capacity 8-byte reals, capacity int32 values, and
   mmax x nmax 4-byte reals set to 0 (a size of 0 or less clears nothing). */
void CLEAR_REAL8_ARRAY(double *values, const int32_t *capacity);
void CLEAR_INT_ARRAY(int32_t *values, const int32_t *capacity);
void CLEAR_REAL4_ARRAY(float *values, const int32_t *mmax, const int32_t *nmax);

/* ---------------------------------------------------------- grid files */

/* Grid file: a title record, a record "(2I8, I8)" of the file's mmax, nmax
   and a count k, a record "(3(6X,E14.8))" of three reals (returned in
   value1..3), 2 x k records that are skipped when k > 1, then the x and
   then the y coordinates: for each n one group of mmax values, 5 values of
   width 12 per record after 10 skipped characters.  When the file's sizes
   differ from *mmax and *nmax these receive the file's sizes, x and y stay
   untouched and the outcome is 3.  A failure while reading x still lets y
   be read.  Outcomes 0, 1, 2, 3, 4, 6. */
void READ_GRID_FILE(const char *name, int32_t name_len, float *value1, float *value2, float *value3,
                    float *x, float *y, int32_t *mmax, int32_t *nmax, int32_t *outcome);

/* The writers create the file or replace an existing one.  The new file is
   put in place only when every record was written and closed, so a write
   failure (5) or a close failure (2) leaves an existing file unchanged;
   outcome 1 when the file cannot be created or an existing one cannot be
   overwritten.

   WRITE_DEPTH_FILE: "(10F8.2)" groups: for each n the mmax values of row n
   and -999.0, then one group of mmax + 1 values -999.0 (the layout that
   READ_DEPTH_ROWS reads with mmax + 1 and nmax + 1).
   WRITE_GRID_FILE: "* Quarnex", mmax and nmax "(2I8)", "       0       0
   0", then the x and the y groups: " ETA= " and n as I4 before the first 5
   values "F12.3" of row n, 10 blanks before each further 5. */
void WRITE_DEPTH_FILE(const char *name, int32_t name_len, const float *depth, const int32_t *mmax,
                      const int32_t *nmax, int32_t *outcome);
void WRITE_GRID_FILE(const char *name, int32_t name_len, const float *x, const float *y, const int32_t *mmax,
                     const int32_t *nmax, int32_t *outcome);

/* ---------------------------------------------------------- wrappers */

/* Each takes a NUL-terminated name, computes its length and calls its
   routine with the name, that length and the remaining arguments. */
void CallReadPolylineFile(const char *name, double *x, double *y, int32_t *ends,
                          const int32_t *capacity, int32_t *point_count, int32_t *outcome);
void CallReadDepthRows(const char *name, float *depth, const int32_t *mmax, const int32_t *nmax,
                       int32_t *outcome);
void CallReadDepthStream(const char *name, float *depth, const int32_t *mmax, const int32_t *nmax,
                         int32_t *outcome);

void CallReadGridFile(const char *name, float *value1, float *value2, float *value3, float *x, float *y,
                      int32_t *mmax, int32_t *nmax, int32_t *outcome);
void CallWriteDepthFile(const char *name, const float *depth, const int32_t *mmax, const int32_t *nmax,
                        int32_t *outcome);
void CallWriteGridFile(const char *name, const float *x, const float *y, const int32_t *mmax,
                       const int32_t *nmax, int32_t *outcome);

/* The enclosure reader belongs to the map library, which defines
   READ_ENCLOSURE_FILE; its wrapper lives here with the others (in an object
   of its own, so that programs that do not call it need no definition).
   Arguments after the name: outcome, nmax + 1, mmax + 1, the cell array,
   the current polygon's m and n, all points' m and n, the point count. */
void READ_ENCLOSURE_FILE(const char *name, int32_t name_len, int32_t *outcome, int32_t *nmax1,
                         int32_t *mmax1, int32_t *cells, int32_t *polygon_m, int32_t *polygon_n,
                         int32_t *all_m, int32_t *all_n, int32_t *count);
void CallReadEnclosureFile(const char *name, int32_t *outcome, int32_t *nmax1, int32_t *mmax1,
                           int32_t *cells, int32_t *polygon_m, int32_t *polygon_n, int32_t *all_m,
                           int32_t *all_n, int32_t *count);

#ifdef __cplusplus
}
#endif

#endif
