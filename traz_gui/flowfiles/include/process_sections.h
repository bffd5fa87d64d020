/* Section readers of the master definition file from gravity and density
   to the user-defined processes: roughness, viscosity, the heat model and
   physical parameters, numerical parameters, the discharge, wind and
   heat-model time series, stations, cross sections and drogues, print
   flags and output times, and the user processes with their files and
   coefficients; with the readers of the attached files that belong to
   them.

   Calling convention as in definition_reader.h: every argument by
   reference, each text argument followed directly by its length (the
   length of one element for an array of texts), passed by value.  Logical
   values are int32, -1 true and 0 false (tested by their lowest bit).
   strict_mode true makes a value that cannot be read set the error flag,
   makes attached files be read and writes the scratch files "TMP_" + run
   id + extension; false reports each finding, uses the default and only
   names attached files.

   Grid-sized arrays handed over by the caller are indexed (n, m[, k]) with
   n = 1 .. the leading dimension fastest and m = -1 .. mmax + 2 (two spare
   columns on each side); the readers fill n = 1 .. nmax, m = 1 .. mmax. */
#ifndef TRAZ_PROCESS_SECTIONS_H
#define TRAZ_PROCESS_SECTIONS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------- gravity, density, roughness */

/* Ag, then Rhow: one real each, a bracket or a failed read keeps the
   value the field holds. */
void READ_GRAVITY_AND_DENSITY(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number,
                              char *record, int32_t record_len, float *ag, float *rhow);

/* Roumet (default "C"; "Z" with one layer: "V046"), Filrgh/Fmtrgh or the
   uniform Ccofu and Ccofv (default by formula: C 65.0, M 0.026, W 0.13,
   Z 0.003, else 0.0), and with waves Rouwav (default "BIJK"; a value not in
   the list of formulas: "V048").  The roughness arrays are (lead, -1 ..
   mmax + 2, 2); strict mode fills the first slice from the file or the
   uniform value and copies it into the second. */
void READ_ROUGHNESS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                    char *record, int32_t record_len, const int32_t *strict_mode, char *roumet, int32_t roumet_len,
                    const int32_t *three_dimensional, char *filrgh, int32_t filrgh_len, char *fmtrgh,
                    int32_t fmtrgh_len, float *ccofu, float *ccofv, const int32_t *waves, char *rouwav,
                    int32_t rouwav_len, const int32_t *mmax, const int32_t *lead, const int32_t *nmax,
                    float *rough_u, float *rough_v);

/* The attached roughness file: nmax rows of mmax values for the first
   direction, then nmax rows for the second ("G004" missing, "G006" end of
   file, "G007" read error; each sets error).  Arrays (lead, -1 .. mmax+2). */
void READ_ROUGHNESS_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                         const char *format, int32_t format_len, const int32_t *lead, const int32_t *mmax,
                         const int32_t *nmax, float *first, float *second);

/* ---------------------------------------------------------- viscosity, physical, numerical */

/* Filedy/Fmtedy or the uniform Vicouv and Dicouv; with more than one layer
   Tkemod (strict mode only), Vicoww and Dicoww (only when a Vicoww record
   stands).  The eddy arrays are (lead, -1 .. mmax + 2, 1 .. layer_dim + 1);
   strict mode fills the background layer layers + 1 and copies it into
   layers 1 .. layers. */
void READ_VISCOSITY(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                    char *record, int32_t record_len, const int32_t *strict_mode, char *filedy, int32_t filedy_len,
                    char *fmtedy, int32_t fmtedy_len, char *tkemod, int32_t tkemod_len, float *vicouv,
                    float *dicouv, float *vicoww, float *dicoww, const int32_t *mmax, const int32_t *lead,
                    const int32_t *nmax, const int32_t *layer_dim, const int32_t *layers,
                    const int32_t *transported, float *viscosity, float *diffusivity);

/* The attached eddy file: nmax rows of mmax values into the background
   layer of the viscosity, then (only with transported quantities) nmax
   rows into that of the diffusivity.  Arrays as READ_VISCOSITY's. */
void READ_EDDY_FILE(const int32_t *diag_unit, int32_t *error, const char *name, int32_t name_len,
                    const char *format, int32_t format_len, const int32_t *lead, const int32_t *mmax,
                    const int32_t *nmax, const int32_t *layers, const int32_t *transported, float *viscosity,
                    float *diffusivity);

/* Ktemp (with temperature; out of 0..3: "U051", 0), Fclou, Sarea, Irov and
   Z0v, Tidfor (spherical grid; unknown constituents "V081"), Tempw, Salw,
   Wstres and Rhoa (wind), Betac and Equili (secondary flow).
   secondary_mode: 2 when Equili is "Y", else 1 (set with secondary flow
   only). */
void READ_PHYSICAL_PARAMETERS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                              int32_t *record_number, char *record, int32_t record_len, const int32_t *strict_mode,
                              const int32_t *salinity, const int32_t *temperature, const int32_t *wind,
                              int32_t *ktemp, float *fclou, float *sarea, int32_t *irov, float *z0v,
                              const int32_t *spherical, char *tidfor, int32_t tidfor_len, float *tempw, float *salw,
                              float *wstres, float *rhoa, const int32_t *secondary_flow, float *betac, char *equili,
                              int32_t equili_len, int32_t *secondary_mode);

/* Iter, Dryflp, Dryflc; Temint with a heat model; Wndint and Wnsvwp with
   wind.  work_value is always 1.0e-6. */
void READ_NUMERICAL_PARAMETERS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number,
                               char *record, int32_t record_len, float *work_value, int32_t *iter, char *dryflp,
                               int32_t dryflp_len, float *dryflc, const int32_t *ktemp, char *temint,
                               int32_t temint_len, const int32_t *wind, char *wndint, int32_t wndint_len,
                               char *wnsvwp, int32_t wnsvwp_len);

/* ---------------------------------------------------------- time series
   Shared arguments: last_common, the earliest last step over all series
   (-1 while none), and first_common, the latest first step; dt, the time
   step; start_step and stop_step, the run in time steps. */

/* Fildis/Fmtdis, or Tsdis with Cqs, Cqt and CqcN per discharge and level.
   Tables: times (time_capacity), series (time_lead x discharges), the
   concentrations (5 x time_lead x discharges, constituent fastest).
   Strict mode writes "TMP_" + run id + ".dis". */
void READ_DISCHARGES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                     char *record, int32_t record_len, const int32_t *strict_mode, int32_t *last_common,
                     int32_t *first_common, const char *run_id, int32_t run_id_len, char *fildis, int32_t fildis_len,
                     char *fmtdis, int32_t fmtdis_len, const int32_t *discharge_count, float *times, const float *dt,
                     const int32_t *start_step, const int32_t *stop_step, const int32_t *time_lead,
                     const int32_t *time_capacity, int32_t *time_count, const int32_t *constituent_count,
                     const int32_t *salinity, const int32_t *temperature, const int32_t *constituents,
                     const int32_t *named_count, float *flow, float *salinity_values, float *temperature_values,
                     float *concentrations);

/* Filwnd/Fmtwnd (a space-varying wind, Wnsvwp "Y", reads its file as a
   field of mmax x nmax values, extent handed on as the further extent of
   the field) or Tswnd records of a time and two values.  Strict mode
   writes "TMP_" + run id + ".wnd". */
void READ_WIND(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
               char *record, int32_t record_len, const int32_t *strict_mode, int32_t *last_common,
               int32_t *first_common, const char *run_id, int32_t run_id_len, char *filwnd, int32_t filwnd_len,
               char *fmtwnd, int32_t fmtwnd_len, const char *wnsvwp, int32_t wnsvwp_len, const int32_t *mmax,
               const int32_t *nmax, const int32_t *extent, float *times, const float *dt, const int32_t *start_step,
               const int32_t *stop_step, const int32_t *time_capacity, int32_t *time_count, float *series_1,
               float *series_2);

/* Filtmp/Fmttmp or Tstmp records: heat model 3 a time and one value (into
   series_1), models 1 and 2 a time and three values (into series_3,
   series_2, series_4).  Strict mode writes "TMP_" + run id + ".tem". */
void READ_HEAT_SERIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                      char *record, int32_t record_len, const int32_t *strict_mode, int32_t *last_common,
                      int32_t *first_common, const char *run_id, int32_t run_id_len, char *filtmp,
                      int32_t filtmp_len, char *fmttmp, int32_t fmttmp_len, const int32_t *ktemp, float *times,
                      const float *dt, const int32_t *start_step, const int32_t *stop_step,
                      const int32_t *time_capacity, int32_t *time_count, float *series_3, float *series_2,
                      float *series_4, float *series_1);

/* ---------------------------------------------------------- stations, cross sections, drogues */

/* Stations (Filsta or Namst/MNst), cross sections (Filcrs or Namcrs/MNcrs)
   and drogues (Filpar or Nampar/Tpar/XYpar), then the duplicate-name
   checks ("U170", "U171", "U172").  Counts are those of the dimensions
   step, capped at 200, 50 and 50.  Cells: MNst 2 x n, MNcrs 4 x n, drogue
   cells, steps and fractions 2 x n. */
void READ_MONITORING_POINTS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                            int32_t *record_number, char *record, int32_t record_len, const int32_t *strict_mode,
                            const float *dt, char *filsta, int32_t filsta_len, char *fmtsta, int32_t fmtsta_len,
                            const int32_t *station_count, char *filcrs, int32_t filcrs_len, char *fmtcrs,
                            int32_t fmtcrs_len, const int32_t *cross_section_count, char *filpar, int32_t filpar_len,
                            char *fmtpar, int32_t fmtpar_len, const int32_t *drogue_count, int32_t *drogues,
                            char *station_names, int32_t station_names_len, char *cross_section_names,
                            int32_t cross_section_names_len, char *drogue_names, int32_t drogue_names_len,
                            int32_t *station_cells, int32_t *cross_section_cells, int32_t *drogue_cells,
                            int32_t *drogue_steps, float *drogue_fractions);

/* The attached files of the three lists: count entries, each a 20-character
   name and its numbers ("G004", "G006", "G007" and the blank-name codes set
   error).  Counts above the lists' limits are capped. */
void READ_STATION_FILE(const int32_t *diag_unit, const char *name, int32_t name_len, const char *format,
                       int32_t format_len, int32_t *error, const int32_t *count, char *names, int32_t names_len,
                       int32_t *cells);
void READ_CROSS_SECTION_FILE(const int32_t *diag_unit, const char *name, int32_t name_len, const char *format,
                             int32_t format_len, int32_t *error, const int32_t *count, char *names,
                             int32_t names_len, int32_t *cells);
void READ_DROGUE_FILE(const int32_t *diag_unit, const char *name, int32_t name_len, const char *format,
                      int32_t format_len, int32_t *error, const int32_t *count, const float *dt, char *names,
                      int32_t names_len, int32_t *cells, int32_t *steps, float *fractions);

/* ---------------------------------------------------------- print flags, output times */

/* The "Y"/"N" flags of the four outputs from the PH, PM, SH and SM
   keywords, switched off where the definition cannot produce them. */
void READ_PRINT_FLAGS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number, char *record,
                      int32_t record_len, const int32_t *layers, const int32_t *constituent_count,
                      const int32_t *turbulence_count, const int32_t *salinity_index,
                      const int32_t *temperature_index, const int32_t *station_count, const char *filsta,
                      int32_t filsta_len, const int32_t *cross_section_count, const char *filcrs,
                      int32_t filcrs_len, char *map_print, int32_t map_print_len, char *history_print,
                      int32_t history_print_len, char *map_store, int32_t map_store_len, char *history_store,
                      int32_t history_store_len);

/* Prmap (up to map_capacity times), Prhis, Flmap, Flhis, Flpp and Restrt,
   with their time steps: map_steps (map_capacity; the first is -1 without
   map print times) and steps[10]: history print start, interval, stop, map
   store start, interval, stop, history store interval, communication file
   start, interval, stop.  Times off the time-step grid: "U044". */
void READ_OUTPUT_TIMES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number,
                       char *record, int32_t record_len, const int32_t *strict_mode, int32_t *map_steps,
                       const int32_t *map_capacity, int32_t *map_print_count, int32_t *steps, float *prmap,
                       float *prhis_start, float *prhis_interval, float *prhis_stop, float *flmap_start,
                       float *flmap_interval, float *flmap_stop, float *flhis, float *flpp_start,
                       float *flpp_interval, float *flpp_stop, char *restrt, int32_t restrt_len, const float *dt);

/* ---------------------------------------------------------- user processes */

/* The user process catalogue (empty at start) and the record that the
   three readers below fill; at most 10 selected processes and 10 inputs of
   each kind (files, reals, integers, characters). */
enum { kUserProcessSlots = 10, kUserCatalogueCapacity = 100 };

/* Replaces the catalogue: count processes (at most 100; more are cut),
   names of 20 characters, requirements 4 per process (files, real, integer
   and character coefficients).  Every entry starts unused. */
void SET_USER_PROCESS_CATALOGUE(const int32_t *count, const char *names, int32_t names_len,
                                const int32_t *requirements);

/* The user process record: count, names (10 x 20), inputs (4 x 10, kind
   fastest), files (10 x 12), real, integer (10 each) and character
   coefficients (10 x 20). */
void GET_USER_PROCESS_RECORD(int32_t *count, char *names, int32_t names_len, int32_t *inputs, char *files,
                             int32_t files_len, float *reals, int32_t *integers, char *characters,
                             int32_t characters_len);

/* Nprcus, then per process Prcusr and Nprinp, checked against the
   catalogue; any finding discards the selection ("V201"). */
void READ_USER_PROCESSES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, char *record,
                         int32_t record_len, int32_t *record_number, const int32_t *strict_mode);
/* Filusr, one record per file the selected processes need. */
void READ_USER_FILES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, char *record,
                     int32_t record_len, int32_t *record_number, const int32_t *strict_mode);
/* Rcousr, Icousr and Ccousr for the selected processes. */
void READ_USER_COEFFICIENTS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, char *record,
                            int32_t record_len, int32_t *record_number, const int32_t *strict_mode);

#ifdef __cplusplus
}
#endif

#endif
