/* The steps of the master definition file reader (flow_definition.h,
   READ_FLOW_DEFINITION): opening the definition and diagnostic files, the
   dimensions and counts of attached files, and the section readers, with
   the values they share during one read.

   Calling convention as in flow_definition.h.  Logical values are int32:
   -1 true, 0 false (any odd value is true).  strict_mode true makes a
   value that cannot be read set the error flag and makes attached files be
   opened and counted; false (the reader's own mode) reports the finding,
   uses the default and only names attached files. */
#ifndef TRAZ_DEFINITION_READER_H
#define TRAZ_DEFINITION_READER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The definition unit holds this value while no definition file is open
   (the unit allocator never hands it out). */
enum { kNoDefinitionUnit = 8 };

/* The process flags and the sizes that the dimensions step hands to the
   section readers. */
typedef struct DefinitionProcess {
    int32_t salinity;          /* "S" in Sub1 */
    int32_t temperature;       /* "T" in Sub1 */
    int32_t wind;              /* "W" in Sub1 */
    int32_t secondary_flow;    /* "I" in Sub1 */
    int32_t drogues;           /* "P" in Sub2 */
    int32_t constituents;      /* "C" in Sub2 */
    int32_t sub2_w;            /* "W" in Sub2, for the roughness section */
    int32_t three_dimensional; /* kmax > 1 */
    int32_t turbulence_count;  /* 0, 1 (K-L) or 2 (K-epsilon) */
    int32_t transported_with_turbulence;
    int32_t fourier_count;     /* Fourier requests (strict mode only) */
} DefinitionProcess;

/* READ_FLOW_DEFINITION (flow_definition.h) with the mode of its section
   readers given: lenient (false) is READ_FLOW_DEFINITION itself; strict
   (true) also reads the attached files, writes the scratch files "TMP_" +
   run id + extension and makes every finding of a section fail the read,
   so that the driver's stops end it. */
void READ_FLOW_DEFINITION_IN_MODE(const char *run_id, int32_t run_id_len, const int32_t *strict_mode,
                                  int32_t *error, const char *version, int32_t version_len);

/* The work values of the last read that the sections handed to each other
   (kept until the next read). */
typedef struct DefinitionWorkValues {
    int32_t grid_from_file;      /* the grid came from a coordinate file */
    int32_t spherical;           /* Sphere "Y" */
    int32_t enclosure_given, dry_points_present, thin_dams_present;
    int32_t turbulence_count;    /* turbulence quantities handed to the initial conditions */
    int32_t turbulence_restart;
    int32_t date_number;         /* Itdate as yyyymmdd */
    int32_t julian_day;
    int32_t start_step, stop_step;
    float seconds_per_unit;
    int32_t smoothing_steps;
    int32_t frequency_dimension; /* frequencies, at least 1 */
    int32_t secondary_flow_mode;
    float numerical_work_value;
    int32_t map_print_steps[50]; /* the first -1 without map print times */
    int32_t output_steps[10];    /* history print start, interval, stop; map store start, interval, stop;
                                    history store interval; communication file start, interval, stop */
    int32_t latest_first_step;   /* over all time series */
    int32_t earliest_last_step;  /* -1: none */
} DefinitionWorkValues;

const DefinitionWorkValues *DefinitionWorkValuesGet(void);

/* Creates "md-diag." + run id, opens "md-file." + run id (else "md-flow."
   + run id), reads the first record, whose first '=' sets the keyword width
   (its column - 1) and the value column (its column + 1) of every later
   search, and checks Ident (major version 1 is refused: "U112") and Runid
   (a Runid other than the caller's: "U113", not an error).  The caller's
   run id is lower-cased in place; run_id receives Runid lower-cased; ident
   the Ident value.  Failures set error; the diagnostic unit is 0 when the
   diagnostic file could not be created, the definition unit
   kNoDefinitionUnit when no definition file was opened.  version is not
   used. */
void OPEN_DEFINITION_FILE(int32_t *def_unit, int32_t *diag_unit, int32_t *error, int32_t *record_number,
                          char *record, int32_t record_len, char *caller_run_id, int32_t caller_run_id_len,
                          char *run_id, int32_t run_id_len, const char *version, int32_t version_len,
                          char *ident, int32_t ident_len);

/* Establishes the process letters, constituents, MNKmax, Tkemod and the
   counts of discharges, open boundaries (harmonic and time-series),
   harmonic frequencies, stations, cross sections, drogues and Fourier
   requests in the flow definition record and in *process, capping each
   count at its limit with a message. */
void READ_DEFINITION_DIMENSIONS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                const int32_t *strict_mode, int32_t *record_number, char *record,
                                int32_t record_len, DefinitionProcess *process);

/* The counting routines of the dimensions step.  First five arguments:
   definition unit, diagnostic unit, error flag, record number,
   strict_mode. */
void COUNT_PROCESS_LETTERS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                           int32_t *record_number, const int32_t *strict_mode, int32_t *transported_count,
                           int32_t *constituent_count, int32_t *salinity_index, int32_t *temperature_index,
                           int32_t *secondary_flow_index, int32_t *salinity, int32_t *temperature, int32_t *wind,
                           int32_t *secondary_flow, int32_t *drogues, int32_t *constituents, int32_t *sub2_w);
void COUNT_DISCHARGES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                      const int32_t *strict_mode, int32_t *count);
void COUNT_BOUNDARIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                      const int32_t *strict_mode, char *file_name, int32_t file_name_len, int32_t *total,
                      int32_t *harmonic, int32_t *series, char *label_flag, int32_t label_flag_len);
void COUNT_HARMONIC_FREQUENCIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                int32_t *record_number, const int32_t *strict_mode, int32_t *count);
/* file_keyword: "Filsta", "Filcrs" or "Filpar" (6 characters); it is
   rewritten to the form and name keywords as the routine goes. */
void COUNT_NAMED_ENTRIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                         const int32_t *strict_mode, int32_t *count, char *file_keyword, int32_t file_keyword_len);
void COUNT_FOURIER_REQUESTS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                            int32_t *record_number, const int32_t *strict_mode, char *file_name,
                            int32_t file_name_len, int32_t *count);

/* ---------------------------------------------------------- sections
   Attached-file pair rule of the sections: the file keyword gives a
   12-character name (a failed read: blank, no attached file); for a named
   file the Fmt keyword is normalised by CHECK_FILE_FORMAT (a failed read or
   a rejected value: formatted) and stored as "UN" or "FR". */

/* Runtxt: up to 10 lines of 30 characters into run_text (10 x
   run_text_len); a definition without Runtxt leaves it as it was, a bad
   value blanks it.  In strict mode the used lines are echoed to the
   diagnostic file.  Never fails the read. */
void READ_RUN_TEXT(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number, char *record,
                   int32_t record_len, const int32_t *strict_mode, char *run_text, int32_t run_text_len);

/* Filcco/Fmtcco (grid from a coordinate file: grid_from_file set), else
   Sphere ('Y' sets spherical) and DxDy; then the first kmax values of Thick,
   Anglat and Grdang (a bracket or a failed read: 0.0).  The error flag is
   set only in strict mode (missing or unformatted coordinate file, a
   rejected Fmtcco, an unreadable DxDy or Thick). */
void READ_GRID_PARAMETERS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                          char *record, int32_t record_len, const int32_t *strict_mode, const int32_t *kmax,
                          int32_t *grid_from_file, float *dx, float *dy, char *coordinate_file,
                          int32_t coordinate_file_len, char *coordinate_format, int32_t coordinate_format_len,
                          float *thick, float *latitude, float *grid_angle, char *sphere, int32_t sphere_len,
                          int32_t *spherical);

#ifdef __cplusplus
}
#endif

#endif
