/* Record-file routines of the water-quality and particle models: the binary
   array file, the grid as a KELPA file pair, the parameter array file, the
   unformatted array file written in steps, the formatted field file, and the
   result-file family (DQB...) that opens a plain map or history file or a
   KELPA result set and reads its titles, substance names, times and values.

   Calling convention of the record-file routines: every argument by
   reference; each text argument is a blank-padded field whose length follows
   all other arguments as an int32, in the order of the texts; a name ends at
   its first blank.  A name field that holds a NUL gets the NUL and all that
   follows it replaced by blanks in the caller's buffer.  IERR (int32) is the
   outcome, 0 for success; the numbers are listed with each routine. */
#ifndef TRAZ_WQ_FILES_H
#define TRAZ_WQ_FILES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Result-file handle: WQ_HANDLE_ENTRIES int32 owned by the caller, then the
   KELPA definition-file and data-file descriptors of a KELPA set. */
enum {
    WQ_HANDLE_ENTRIES = 30,
    WQ_HANDLE_SIZE = WQ_HANDLE_ENTRIES + 2,
    WQ_HANDLE_TAG = 4122317,
    /* positions (0-based) */
    WQ_H_TAG = 0,
    WQ_H_UNIT = 1,        /* plain file unit; -1 for a KELPA set */
    WQ_H_KIND = 2,        /* WQ_KIND_... */
    WQ_H_SUBSTANCES = 3,
    WQ_H_SEGMENTS = 4,    /* segments (map) or locations (history) */
    WQ_H_REF_DATE = 5,    /* yyyymmdd */
    WQ_H_REF_TIME = 6,    /* hhmmss */
    WQ_H_LAST_TIME = 7,   /* integer time of the last record read, WQ_NO_TIME when none */
    WQ_H_LAST_INDEX = 8,  /* time index last read, 0 when none */
    WQ_H_DEF_SET = WQ_HANDLE_ENTRIES,
    WQ_H_DATA_SET = WQ_HANDLE_ENTRIES + 1,
    WQ_NO_TIME = -999999,
    WQ_KIND_PLAIN_MAP = 1,
    WQ_KIND_PLAIN_HISTORY = 2,
    WQ_KIND_KELPA_MAP = 3,
    WQ_KIND_KELPA_HISTORY = 4
    /* a particle-model KELPA set adds 2: 5 map, 6 history */
};

/* Reference date used when a file gives none (yyyymmdd). */
#define WQ_DEFAULT_REF_DATE 19000101

/* One record: the integer 0 followed by n 4-byte values.  IERR 1: the file
   cannot be opened and written, or n < 0. */
void WQWBIN(const void *array, const int32_t *n, int32_t *ierr, char *filnam, int32_t filnam_len);

/* array: n x m 4-byte reals, zero-filled first.  The file (which must exist)
   holds a header of six integers whose fifth equals n, then n values; they
   go to the first column and are copied into columns 2..m.  IERR 1 on any
   failure. */
void WQRPAR(float *array, const int32_t *n, const int32_t *m, int32_t *ierr, char *filnam,
            int32_t filnam_len);

/* The grid as a KELPA pair: filnam with ".ada" (data) and ".adf"
   (definitions) written over its ".inp"/".INP", else at its first two
   blanks.  IERR: the KELPA error number of the first write or close that
   failed, 0 for success; 1 for a first or second size below 1. */
void WQWGRD(const int32_t *n1, const int32_t *n2, const int32_t *n3, const int32_t *noclay,
            const int32_t *lgrid, const float *xcoord, const float *ycoord, int32_t *ierr,
            char *filnam, int32_t filnam_len);

/* Unformatted array file on unit 10, in steps.  mode 1 open (2 already open,
   3 blank name, 4 open failed); 2 write n2*n3 records of n1 values taken
   consecutively from array (5 not open, 6 write failed); 3 close (7 not open,
   8 close failed); 4 one record holding the integer 0 (5, 6); other modes 1. */
void WQWRCA(const int32_t *mode, const float *array, const int32_t *n1, const int32_t *n2,
            const int32_t *n3, int32_t *ierr, char *filnam, int32_t filnam_len);

/* Sets n1*n2*n3 4-byte values to 0 (nothing when a size is below 1). */
void RNUL3(void *array, const int32_t *n1, const int32_t *n2, const int32_t *n3);

/* Formatted field file into rdep (n x m x k reals): IERR 1 cannot open,
   4 read error, 15 declared dimensions rejected, 2 close failed.  The
   values come first, one list-directed record of n values per (m, k), m
   fastest; a later line holding "***" may declare "= n m k"; the file is
   rejected only when all three differ from the arguments. */
void REAMIC(char *name, float *rdep, const int32_t *n, const int32_t *m, const int32_t *k,
            int32_t *ierr, int32_t name_len);

/* Opens a plain record file: mode 1 OLD, 2 NEW, else without status; a unit
   below 1 is replaced by the first free one.  IERR 1 on failure. */
void DQBOPN(char *fname, const int32_t *mode, int32_t *unit, int32_t *ierr, int32_t fname_len);

/* Opens the result file into the handle and reads its header; nothing when
   the handle is already open.  IERR 2 KELPA set not recognised or unreadable,
   3 plain header rejected (or the file cannot be opened). */
void DQBSET(char *fname, int32_t *handle, int32_t *ierr, int32_t fname_len);

/* Closes an open handle and clears its tag. */
void DQBCLS(int32_t *handle);

/* Titles (four of 40 characters) and reference date/time.  IERR 6 title
   length not 40, 2 titles unreadable, else DQBSET's. */
void DQBINF(char *fname, int32_t *handle, int32_t *ref_date, int32_t *ref_time, char *title,
            int32_t *ierr, int32_t fname_len, int32_t title_len);

/* Substance names (20 characters each), index 1..n and their number n;
   names and index must have room for the file's number of substances
   (handle[WQ_H_SUBSTANCES] after DQBSET).  IERR 6 name length not 20,
   2 unreadable. */
void DQBPAR(char *fname, int32_t *handle, char *names, int32_t *index, int32_t *count,
            int32_t *ierr, int32_t fname_len, int32_t names_len);

/* Times in the file, converted with unit code 0..4 (see DQBCNT); count is
   the room on entry and the number on exit.  IERR 5 bad unit code, 4 more
   times than room, 2 unreadable. */
void DQBTIM(char *fname, int32_t *handle, double *times, int32_t *count, const int32_t *unit_code,
            int32_t *ierr, int32_t fname_len);

/* Values of substance s (-1 all) and segment g (-1 all) at time t (in/out)
   with time selector o (1..4 and 0 unit codes, -3 the next time in unit 1,
   -1 as many times from the start as room allows); values segment by segment,
   substance fastest.  IERR 5 bad selector, 4 room too small, 2 no record at
   or after the time or a read failed. */
void DQBMAT(char *fname, int32_t *handle, const int32_t *substance, const int32_t *segment,
            double *time, const int32_t *selector, float *values, const int32_t *room,
            int32_t *ierr, int32_t fname_len);

/* Conversion between the file's integer times (seconds) and doubles: unit
   code 1..4 seconds, minutes, hours, days; 0 Julian day from the handle's
   reference.  direction 1: integer to double, else double to integer. */
void DQBCNT(const int32_t *handle, int32_t *itime, double *time, const int32_t *unit_code,
            const int32_t *direction);

#ifdef __cplusplus
}
#endif

#endif
