/* How the program calls the record-file routines.

   Convention of every record-file routine: each argument is passed by
   reference, numbers included; a text argument is a fixed-length field,
   blank-padded, whose length follows all other arguments as an extra int32
   (by value), one per text argument in their order; the outcome is an int32
   output argument, 0 for success.

   The editor calls the routines only through the wrappers below, which fix
   that convention in one place, and takes unit numbers from
   ALLOCATE_UNIT_NUMBER. */
#ifndef TRAZ_RECORD_CALLS_H
#define TRAZ_RECORD_CALLS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The first unit from 10 to 99 that is not connected.  Nothing is reserved:
   two calls without an open in between return the same unit.  When all 90
   are connected the program ends: " *** FATAL ERROR - New unit number not
   available" and " Abnormal end" on standard output, "abnormal end" on
   standard error, exit status 1. */
int32_t ALLOCATE_UNIT_NUMBER(void);

/* Grid table (ZRF_KIMBOL_UNF_LGA): name is a buffer of 2 * name_len
   characters whose first half holds the name; the companion coordinate
   file's name is put into the second half. */
void ReadLgaFile(char *name, int32_t name_len, int32_t *file_type, int32_t *location,
                 int32_t *dims_or_table, int32_t *segments, int32_t *spare, int32_t *status);

/* Coordinates (ZRF_KIMBOL_UNF_CCO): the file name is taken from the second
   half of the buffer, where ReadLgaFile put it. */
void ReadCcoFile(char *name, int32_t name_len, int32_t *file_type, int32_t *selector,
                 int32_t *spare, int32_t *location, float *missing, int32_t *capacity,
                 float *values, int32_t *status);

/* Segment depths (ZRF_KIMBOL_UNF_DPS). */
void ReadDpsFile(char *name, int32_t name_len, int32_t *file_type, int32_t *location,
                 int32_t *dims, float *depths, int32_t *segments, int32_t *spare,
                 int32_t *status);

/* Water-quality routines (wq_files.h).  name is a NUL-terminated text,
   passed with its strlen as the field length; the wrappers marked "zero put
   back" restore the terminator at that length after the call. */
void WqWriteBinaryFile(const void *array, int32_t *n, int32_t *ierr, char *name);   /* WQWBIN, zero put back */
void WqWriteGridFile(int32_t *n1, int32_t *n2, int32_t *n3, int32_t *noclay, int32_t *lgrid,
                     float *xcoord, float *ycoord, int32_t *ierr, char *name);      /* WQWGRD */
void WqReadParameterFile(float *array, int32_t *n, int32_t *m, int32_t *ierr,
                         char *name);                                             /* WQRPAR, zero put back */
void WqCloseResultFile(int32_t *handle);                                          /* DQBCLS */
/* title: four texts of 40 characters. */
void WqReadResultTitles(char *name, int32_t *handle, int32_t *ref_date, int32_t *ref_time, char *title,
                        int32_t *ierr);                                           /* DQBINF */
/* The four values go by their addresses; the time found is not returned. */
void WqReadResultValues(char *name, int32_t *handle, int32_t substance, int32_t segment, double time,
                        int32_t selector, float *values, int32_t *room, int32_t *ierr); /* DQBMAT */
/* names: texts of 20 characters. */
void WqReadResultSubstances(char *name, int32_t *handle, char *names, int32_t *index, int32_t *count,
                            int32_t *ierr);                                       /* DQBPAR */
void WqReadResultTimes(char *name, int32_t *handle, double *times, int32_t *count, int32_t unit_code,
                       int32_t *ierr);                                            /* DQBTIM */
void WqWriteArrayFile(int32_t *mode, float *array, int32_t *n1, int32_t *n2, int32_t *n3, int32_t *ierr,
                      char *name);                                                /* WQWRCA, zero put back */
void WqReadFieldFile(char *name, float *rdep, int32_t *n, int32_t *m, int32_t *k, int32_t *ierr); /* REAMIC */

#ifdef __cplusplus
}
#endif

#endif
