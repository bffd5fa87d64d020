/* Readers of the grid files of a hydrodynamics result: the active-grid table
   (".lga"), the cell coordinates (".cco") and the segment depths (".dps").
   Record-file routines in the convention of record_calls.h; the program
   calls them through ReadLgaFile, ReadCcoFile and ReadDpsFile.

   Files come in two storage forms, told apart by their content:
   - UNFORMATTED when the file's record length markers chain exactly from
     its first byte to its end;
   - otherwise BINARY when its size is exactly that of one header generation
     plus the arrays its header announces (table: 4 * (h + mmax * nmax) with
     h = 7, 5, 4 or 3; coordinates: 4 * (h + 2 * mmax * nmax) with h = 7 or
     6, header then x then y; depths: 4 * (6 + segments));
   - otherwise UNFORMATTED when at least its first record is framed (a
     damaged file: the read stops with GRID_READ_FAILED where it breaks);
   - otherwise neither: GRID_CANNOT_OPEN.
   In the binary form a record has no length of its own, so the records that
   the coordinate reader skips are empty there.

   Grid table header generations (int32): 7 values mmax, nmax, segments,
   layers, exchanges in the 1st, 2nd, 3rd direction; 5 values mmax, nmax,
   segments, (unused), layers; 4 values mmax, nmax, segments, layers;
   3 values mmax, nmax, segments (layers 1, exchanges mmax*nmax, mmax*nmax,
   0).  Then the table record, mmax * nmax int32, mmax varying fastest.
   Coordinates: a first record (skipped); header nmax, mmax, x0, y0, alpha
   (reals), np, one more int32 (older files: the first six only); np + 9
   records (skipped); x; y (mmax * nmax reals each).
   Depths: header of 6 int32 (mmax, nmax, segments, three unused), then one
   real per segment.

   Names: a name field ends at its first NUL; trailing blanks are not part of
   it (blanks inside a path are).  A name whose extension is ".dat" or ".def"
   (any case) is a KELPA file, which these readers do not read: file type 3
   and GRID_CANNOT_OPEN.  The table reader replaces the extension of the
   file's own name (appends it when there is none) by ".lga" for the table
   and ".cco" for the companion; a file name containing "lgridact" keeps its
   name and its companion is the same name with "telmccco" in place of
   "lgridact", in the same directory.  The depth reader uses ".dps" and
   ".cco". */
#ifndef TRAZ_GRID_READERS_H
#define TRAZ_GRID_READERS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    GRID_OK = 0,
    GRID_CANNOT_OPEN = 10,     /* a file is missing or in neither storage form */
    GRID_MISMATCH = 20,        /* companion header differs, or mmax, nmax or segments < 1 */
    GRID_CAPACITY = 31,        /* the caller's array is too small */
    GRID_READ_FAILED = 99      /* a read failed or a file ended early */
};

enum {
    GRID_SPARE_WORD = 10001,   /* value of the spare output word */
    GRID_FILE_TYPE_KELPA = 3,  /* file type output for a KELPA name */
    GRID_QUERY = -1,           /* location word: dimensions only */
    GRID_QUERY_EXCHANGES = -2  /* location word: dimensions and exchange counts */
};

/* Table reader.  location[0] GRID_QUERY or GRID_QUERY_EXCHANGES: dims[0]
   mmax, [1] nmax, [2] layers, [3] mmax * nmax and, for GRID_QUERY_EXCHANGES,
   [4] to [6] the exchange counts (0 for the 5- and 4-value headers); a query
   also makes sure the table record holds mmax * nmax values.  Any other
   location word: dims receives the table (mmax * nmax values).  *segments
   receives the segment count, *spare GRID_SPARE_WORD; the companion name
   goes to name[name_len .. 2 * name_len), blank-padded. */
void ZRF_KIMBOL_UNF_LGA(char *name, int32_t *file_type, int32_t *location, int32_t *dims,
                        int32_t *segments, int32_t *spare, int32_t *status, int32_t name_len);

/* Coordinate reader: the file is named by name[name_len .. 2 * name_len).
   *selector 1 reads x, 2 reads y into values, which holds *capacity floats
   (GRID_CAPACITY when that is less than mmax * nmax).  The missing value,
   location block and spare word are not used. */
void ZRF_KIMBOL_UNF_CCO(char *name, int32_t *file_type, int32_t *selector, int32_t *spare,
                        int32_t *location, float *missing, int32_t *capacity, float *values,
                        int32_t *status, int32_t name_len);

/* Depth reader: *segments holds, on entry, the number of floats depths can
   take (GRID_CAPACITY when the file has more and holds them all,
   GRID_READ_FAILED when it declares more than it holds) and receives the
   file's segment count once its header is read; dims[0] mmax, [1] nmax,
   [2] segments; *spare GRID_SPARE_WORD.  The location block is not used. */
void ZRF_KIMBOL_UNF_DPS(char *name, int32_t *file_type, int32_t *location, int32_t *dims,
                        float *depths, int32_t *segments, int32_t *spare, int32_t *status,
                        int32_t name_len);

#ifdef __cplusplus
}

/* While an object of this class lives, the readers keep the files they
   open connected, and a reader that opens one of them again takes it from
   its start instead of opening it anew: a grid loaded by a table query,
   the table, x, y and the depths opens each of its files once.  The files
   are closed when the object goes (they are held for the reads of one
   load, never from one load to the next).  An object made while another
   lives leaves the holding to that one. */
class GridFilesHeld {
public:
    GridFilesHeld();
    ~GridFilesHeld();
    GridFilesHeld(const GridFilesHeld &) = delete;
    GridFilesHeld &operator=(const GridFilesHeld &) = delete;

private:
    bool owner_ = false;
};
#endif

#endif
