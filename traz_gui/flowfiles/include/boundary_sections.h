/* Section readers of the master definition file for the grid objects, the
   discharge locations, the depth, the open boundaries, the initial
   conditions, the time frame and smoothing, and the boundary conditions of
   the openings (harmonic, time series and transport), with the readers of
   their attached files.

   Calling convention as in definition_reader.h: every argument by
   reference, each text argument followed directly by its length (the
   length of one element for an array of texts); logical values are int32,
   -1 true, 0 false (tested by their lowest bit).  The first arguments of a
   section reader are the definition unit, the diagnostic unit, the error
   flag (only ever set true), the record number and the current record (80
   characters), then strict_mode.  In strict mode a value that cannot be
   read sets the error flag, attached files are read and the lists are
   copied to scratch files "TMP_" + run id + extension; otherwise findings
   are reported, defaults used and attached files only named.

   Grid-sized field arrays are REAL*4 and indexed (n, m[, k[, l]]) with n
   fastest over row_length, m from -1 to mmax + 2 (two spare columns each
   side); the readers fill n = 1..nmax, m = 1..mmax. */
#ifndef TRAZ_BOUNDARY_SECTIONS_H
#define TRAZ_BOUNDARY_SECTIONS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------- grid objects */

/* The enclosure (MNgrd: m, n per point), the dry points (MNdry: m1, n1, m2,
   n2) and the thin dams (MNtd: m1, n1, m2, n2 and a direction letter), each
   from its attached file (Filgrd, Fildry, Filtd with their Fmt keywords) or
   from its keyword records.  Each list holds at most `limit` entries; the
   flags say that the enclosure was given and that dry points and thin dams
   are present.  In strict mode the lists go to "TMP_<id>.grd", ".dry" and
   ".td" only, and their counts stay 0. */
void READ_ENCLOSURE_DRY_POINTS_THIN_DAMS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, const char *run_id, int32_t run_id_len, const int32_t *mmax,
    const int32_t *nmax, char *enclosure_file, int32_t enclosure_file_len, char *enclosure_format,
    int32_t enclosure_format_len, int32_t *enclosure_flag, int32_t *enclosure_points,
    const int32_t *enclosure_limit, int32_t *enclosure_count, char *dry_point_file, int32_t dry_point_file_len,
    char *dry_point_format, int32_t dry_point_format_len, int32_t *dry_point_flag, int32_t *dry_points,
    const int32_t *dry_point_limit, int32_t *dry_point_count, char *thin_dam_file, int32_t thin_dam_file_len,
    char *thin_dam_format, int32_t thin_dam_format_len, char *thin_dam_types, int32_t thin_dam_types_len,
    int32_t *thin_dam_flag, int32_t *thin_dams, const int32_t *thin_dam_limit, int32_t *thin_dam_count);

/* Copy an attached enclosure, dry-point or thin-dam file (format
   "formatted" or "unformatted", 11 characters) to the open scratch unit,
   one unformatted record per entry.  Failures set error (missing file
   "G004", unreadable entry "G007"); list_flag is true when the copy ended
   without error, false otherwise (a missing file leaves it as it was). */
void COPY_ENCLOSURE_FILE(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error, const char *name,
                         int32_t name_len, const char *format, int32_t format_len, int32_t *list_flag);
void COPY_DRY_POINT_FILE(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error, const char *name,
                         int32_t name_len, const char *format, int32_t format_len, int32_t *list_flag);
void COPY_THIN_DAM_FILE(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error, const char *name,
                        int32_t name_len, const char *format, int32_t format_len, int32_t *list_flag);

/* ---------------------------------------------------------- discharges, depth */

/* Namdis, Disint and MNKdis of each of the discharge_count discharges, in
   file order.  locations: 3 x discharge_count (m, n, k). */
void READ_DISCHARGE_LOCATIONS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                              int32_t *record_number, char *record, int32_t record_len, const int32_t *strict_mode,
                              const int32_t *discharge_count, int32_t *locations, char *interpolation,
                              int32_t interpolation_len, char *names, int32_t names_len);

/* Fildep/Fmtdep, else Depuni.  In strict mode the depth array (n, m) is
   filled from the depth file or with the uniform depth.  The current record
   stands before the record number here. */
void READ_DEPTH(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, char *record, int32_t record_len,
                int32_t *record_number, const int32_t *strict_mode, char *depth_file, int32_t depth_file_len,
                char *depth_format, int32_t depth_format_len, float *uniform_depth, const int32_t *mmax,
                const int32_t *row_length, const int32_t *nmax, float *depth);

/* nmax records of mmax depths into depth(n, 1..mmax).  Missing file "G004",
   too few records "G006", a read error "G007"; each sets error. */
void READ_DEPTH_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                     const char *format, int32_t format_len, const int32_t *mmax, const int32_t *row_length,
                     const int32_t *nmax, float *depth);

/* ---------------------------------------------------------- open boundaries */

/* The open_boundary_count openings from the boundary file (read in both
   modes) or from their keyword records, then checked.  Arrays of `limit`
   entries: names 20 characters each, types and data kinds 1, line 4 x
   limit (m1, n1, m2, n2), alpha, profiles 20, labels 12 x limit x 2. */
void READ_OPEN_BOUNDARIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                          char *record, int32_t record_len, const int32_t *strict_mode,
                          const int32_t *open_boundary_count, const int32_t *harmonic_boundary_count,
                          const int32_t *mmax, const int32_t *nmax, const int32_t *kmax, const int32_t *limit,
                          char *boundary_file, int32_t boundary_file_len, char *boundary_format,
                          int32_t boundary_format_len, char *label_flag, int32_t label_flag_len, char *names,
                          int32_t names_len, char *types, int32_t types_len, char *data_kinds,
                          int32_t data_kinds_len, int32_t *lines, float *alpha, char *profiles,
                          int32_t profiles_len, char *labels, int32_t labels_len);

/* The openings of a boundary file (format "formatted" or "unformatted",
   11 characters), at most `limit`; read counts every opening, non_series
   those whose data kind is not 'T'. */
void READ_BOUNDARY_FILE(const int32_t *diag_unit, int32_t *error, const int32_t *strict_mode, const int32_t *kmax,
                        const int32_t *limit, int32_t *read, int32_t *non_series, const char *name,
                        int32_t name_len, const char *format, int32_t format_len, char *names, int32_t names_len,
                        char *types, int32_t types_len, char *data_kinds, int32_t data_kinds_len, int32_t *lines,
                        float *alpha, char *profiles, int32_t profiles_len, char *labels, int32_t labels_len);

/* ---------------------------------------------------------- initial conditions */

/* Restid (restart file "vto-rst." + id), else Filic/Fmtic, else the
   uniform values Zeta0, U0, V0, S0, T0, C01..C0n and I0 (per layer; C0 is
   100 x 5, layer first); then the names of the transported quantities
   (20 x 10).  Switches: salinity, temperature, secondary flow (logicals),
   named constituents and turbulence quantities (counts), kmax and the
   number of transported quantities.  In strict mode the field arrays are
   filled: water level (n, m), velocities (n, m, k), transported quantities
   (n, m, k, l) and turbulence quantities (n, m, 0..kmax, l). */
void READ_INITIAL_CONDITIONS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, const char *run_id, int32_t run_id_len, char *restart_id,
    int32_t restart_id_len, char *condition_file, int32_t condition_file_len, char *condition_format,
    int32_t condition_format_len, const int32_t *salinity, const int32_t *temperature,
    const int32_t *secondary_flow, const int32_t *named_constituents, const int32_t *turbulence_count,
    int32_t *turbulence_restart, float *water_level0, float *u0, float *v0, float *s0, float *t0, float *c0,
    float *i0, char *quantity_names, int32_t quantity_names_len, const int32_t *mmax, const int32_t *row_length,
    const int32_t *nmax, const int32_t *kmax, const int32_t *transported_count, float *water_level, float *u,
    float *v, float *transported, float *turbulence);

/* The restart file "vto-rst." + restart id, unformatted: water level, u and
   v per layer, each transported quantity per layer and, with turbulence,
   each turbulence quantity per interface 0..kmax (an end of file there is
   no error: turbulence_restart tells how far it came). */
void READ_RESTART_FILE(const int32_t *diag_unit, int32_t *error, const char *restart_id, int32_t restart_id_len,
                       int32_t *turbulence_restart, const int32_t *mmax, const int32_t *row_length,
                       const int32_t *nmax, const int32_t *kmax, const int32_t *transported_count,
                       const int32_t *turbulence_count, float *water_level, float *u, float *v, float *transported,
                       float *turbulence);

/* An initial-conditions file (format "formatted" or "unformatted"): the
   same items as the restart file without turbulence; a formatted file
   holds one list-directed read per record of the unformatted layout. */
void READ_INITIAL_CONDITION_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                                 const char *format, int32_t format_len, const int32_t *mmax,
                                 const int32_t *row_length, const int32_t *nmax, const int32_t *kmax,
                                 const int32_t *transported_count, float *water_level, float *u, float *v,
                                 float *transported);

/* ---------------------------------------------------------- time frame */

/* Itdate, Tunit, Dt (at least 0.000001), Tstart, Tstop and Tzone; the
   start and stop steps, the date as yyyymmdd and its Julian day, and the
   seconds per time unit (60). */
void READ_TIME_FRAME(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                     char *record, int32_t record_len, const int32_t *strict_mode, char *date_text,
                     int32_t date_text_len, float *start_time, float *stop_time, float *time_zone,
                     int32_t *date_number, int32_t *julian_day, int32_t *start_step, int32_t *stop_step,
                     float *time_step, char *time_unit, int32_t time_unit_len, float *seconds_per_unit);

/* Tlfsmo and its steps; with constituents, the return times of the open
   boundaries (Rettis/Rettib, else Rettim) into return_times (leading
   dimension x 2). */
void READ_SMOOTHING_TIME(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                         char *record, int32_t record_len, const int32_t *strict_mode, int32_t *smoothing_steps,
                         float *smoothing_time, const float *time_step, const int32_t *open_boundary_count,
                         const int32_t *leading_dimension, const int32_t *constituent_count, float *return_times);

/* ---------------------------------------------------------- boundary conditions
   earliest_last and latest_first: the steps shared by every time series
   of the read (-1 in earliest_last: not yet set). */

/* Astronomic openings (astronomic_flag "Y"): Filana and Filcor only.
   Otherwise FilbcH/FmtbcH (read in strict mode by READ_HARMONIC_BC_FILE),
   else Omega and the Ampab/Phsab records.  table: 4 x leading_dimension x
   frequency_dimension (amplitude A, amplitude B, phase A, phase B). */
void READ_HARMONIC_BOUNDARY_CONDITIONS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, char *harmonic_file, int32_t harmonic_file_len,
    char *harmonic_format, int32_t harmonic_format_len, char *component_file, int32_t component_file_len,
    char *correction_file, int32_t correction_file_len, const int32_t *harmonic_boundary_count,
    const int32_t *leading_dimension, const int32_t *frequency_count, const int32_t *frequency_dimension,
    float *frequencies, float *table, const char *astronomic_flag, int32_t astronomic_flag_len);

/* The frequencies and the amplitudes and phases of an attached harmonic
   file (format "formatted" or "unformatted", 11 characters). */
void READ_HARMONIC_BC_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                           const char *format, int32_t format_len, const int32_t *openings,
                           const int32_t *leading_dimension, const int32_t *frequency_count,
                           const int32_t *frequency_dimension, float *frequencies, float *table);

/* FilbcT/FmtbcT (copied in strict mode to "TMP_<id>.bct"), else the TsbcT
   times with one Ampab pair per time-series opening.  times: time
   dimension; values: 2 x time dimension x opening dimension. */
void READ_TIMESERIES_BOUNDARY_CONDITIONS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, int32_t *earliest_last, int32_t *latest_first,
    const char *run_id, int32_t run_id_len, char *series_file, int32_t series_file_len, char *series_format,
    int32_t series_format_len, const int32_t *series_boundary_count, float *times, const float *time_step,
    const int32_t *start_step, const int32_t *stop_step, const int32_t *time_dimension,
    const int32_t *opening_dimension, int32_t *time_count, float *values);

/* FilbcC/FmtbcC (copied in strict mode to "TMP_<id>.bcc"), else the TsbcC
   times with, per opening and quantity (salinity Sab, temperature Tab,
   constituents Cab1..), four values and an optional ProfC.  Tables by time
   dimension x opening dimension: salinity and temperature 4 x T x O,
   constituents 4 x 5 x T x O, jumps and profile names (10 characters)
   T x O x 7. */
void READ_TRANSPORT_BOUNDARY_CONDITIONS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, int32_t *earliest_last, int32_t *latest_first,
    const char *run_id, int32_t run_id_len, char *transport_file, int32_t transport_file_len,
    char *transport_format, int32_t transport_format_len, const int32_t *open_boundary_count, float *times,
    const float *time_step, const int32_t *start_step, const int32_t *stop_step, const int32_t *time_dimension,
    const int32_t *opening_dimension, int32_t *time_count, const int32_t *constituent_count,
    const int32_t *salinity, const int32_t *temperature, const int32_t *constituents,
    const int32_t *named_constituents, float *salinity_values, float *temperature_values,
    float *constituent_values, float *jumps, char *profiles, int32_t profiles_len);

#ifdef __cplusplus
}
#endif

#endif
