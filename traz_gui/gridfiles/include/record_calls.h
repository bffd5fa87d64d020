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

#ifdef __cplusplus
}
#endif

#endif
