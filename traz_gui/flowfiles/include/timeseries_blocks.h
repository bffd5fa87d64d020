/* Dates and the time-dependent files attached to a flow-model definition:
   Julian day numbers, the time-series readers that check a file's times
   against the simulation's time frame and copy it to a scratch unit as
   unformatted records, and the count of Fourier-analysis requests.

   Calling convention as in flow_files.h (every argument by reference, each
   text followed directly by its length); logical values are int32, -1 true
   and 0 false.  Messages go through REPORT_MESSAGE (keyword_records.h).

   Time frame of the readers: a time in a file is a real number of time
   units from the reference time; its index is k = nearest integer of
   time / dt.  The first time of a file must not lie after the start index
   ("U041"), its last time not before the stop index ("U042"), and times
   must not decrease ("U062"); each is an error that ends the reading.  A
   time more than dt / 10 off a whole step is a warning ("U044").  A missing
   file is "G004", a read error "G007"; both are errors.  Over several files
   the caller learns the latest first index (first_common, raised to each
   file's first k) and the earliest last index (last_common, lowered to each
   file's last k; -1 on entry means none yet).  A time step that is not
   positive, or a time whose index does not fit an int32, is "G007". */
#ifndef TRAZ_TIMESERIES_BLOCKS_H
#define TRAZ_TIMESERIES_BLOCKS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Julian day number of a date yyyymmdd; 0 for a date that does not exist
   (month 13, 30 February). */
void JULIAN_DAY_CONVERT(const int32_t *date, int32_t *day_number);

/* One time series of n values per time.  A file whose format begins with
   "un" holds one unformatted record per time (the time and the n values as
   4-byte reals); otherwise each time is one list-directed read of the time
   and the n values.  Each time goes to the scratch unit as one record: k as
   a 4-byte real holding the whole number, then the n values.  values is a
   work array of n reals.  The name is its text up to the first blank. */
void READ_TIMESERIES_BLOCK(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                           int32_t *last_common, int32_t *first_common, const char *name, int32_t name_len,
                           const char *format, int32_t format_len, const int32_t *n, float *values, const float *dt,
                           const int32_t *start_index, const int32_t *stop_index);

/* Transport boundary conditions for nopen open boundaries and ncons
   transported quantities.  The first record tells the layout: when it
   reads as a time and one value per quantity the file is uniform, and holds
   per time and opening a record for end A and one for end B, each the time
   (the same in every record of a time) and a value per quantity; each
   quantity's four values are then (A, A, B, B), its profile "Uniform   "
   and its jump 0.0.  Otherwise it holds profiles: per time a record with
   the time, then per opening and within it per quantity a record of a
   profile name (10 characters), a real jump value and four values.
   Formatted files are read list-directed, unformatted ones as records of
   4-byte reals (a profile record: the name, the jump and the four values).
   An empty file, a record that cannot be read and a repeated time that
   differs are "G007"; a negative value is an error ("V061" with
   "Concentration at open boundary").  Scratch: a record with the step,
   then per opening and within it per quantity a record of the profile
   name, the jump and the four values. */
void READ_TRANSPORT_BC_BLOCK(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                             int32_t *last_common, int32_t *first_common, const char *name, int32_t name_len,
                             const char *format, int32_t format_len, const int32_t *nopen, const int32_t *ncons,
                             const float *dt, const int32_t *start_index, const int32_t *stop_index);

/* The wind: a field of size1 x size2 values per time, in a grid whose
   further extent is `extent`; any of the three above 750 is refused with
   "U120" (blank text) before the file is touched.  The file begins with
   a record of a number and a one-letter flag ("y" or "n"; another flag, or
   none in an unformatted file, is "U159" with a blank text and counts as
   "y"); the number and the flag (one byte) are the first scratch record,
   then per time k (a 4-byte real) and the values.  Formatted files are read
   as lines of up to 132 characters: the time, then the values, over as many
   lines as they need.  Unformatted files hold one record per time: the
   time and the values.  A file that ends inside a time's values is
   "G006". */
void READ_WIND_TIMESERIES_BLOCK(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                                int32_t *last_common, int32_t *first_common, const char *name, int32_t name_len,
                                const char *format, int32_t format_len, const int32_t *size1, const int32_t *size2,
                                const int32_t *extent, const float *dt, const int32_t *start_index,
                                const int32_t *stop_index);

/* Counts the Fourier requests of the open formatted file on file_unit from
   its current record to its end: records "(a80)", lower-cased; a record
   without words or whose first word begins with '*' is skipped; the first
   word counts "wl" 1, "uv" 2, "qf" 2, "ct" 1, "cs" 1, "c1" to "c5" 1; any
   other first word writes "F001" with it, sets error and ends the scan (as
   does a read error). */
void SCAN_FOURIER_REQUESTS(const int32_t *diag_unit, const int32_t *file_unit, int32_t *error, int32_t *count);

/* The columns (1-based) of the blank-separated words of a line; starts and
   ends need room for (line_len + 1) / 2 words (40 for an 80-character
   line). */
void SPLIT_WORDS(const char *line, int32_t line_len, int32_t *starts, int32_t *ends, int32_t *count);

#ifdef __cplusplus
}
#endif

#endif
