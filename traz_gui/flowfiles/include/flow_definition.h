/* The flow definition record: what the reader of the hydrodynamic model's
   master definition file gathers, in three blocks (texts; counts and
   values; further counts, values and small tables), and the routines that
   hand it to callers outside the reader.

   The record exists once per process, zero-filled at start, and keeps its
   values until a read or a setter overwrites them.  It holds no grid-sized
   data.  Texts are blank-padded fixed-length fields; an array of texts is
   stored element after element, first index fastest; integers and reals
   are 32 bits.

   Calling convention of the upper-case routines: every argument by
   reference, each text argument followed directly by its length, passed
   by value (the getters and setters copy the declared shape and do not use
   it).  A getter
   or setter takes the fields of its block in the order of the lists below,
   one argument per field, an array as one argument.  Single-threaded use
   only. */
#ifndef TRAZ_FLOW_DEFINITION_H
#define TRAZ_FLOW_DEFINITION_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Array limits of the record. */
enum {
    kFlowMaxGrid = 750,           /* mmax, nmax */
    kFlowMaxLayers = 100,         /* kmax */
    kFlowMaxDischarges = 50,
    kFlowMaxBoundaries = 100,
    kFlowMaxStations = 200,
    kFlowMaxCrossSections = 50,
    kFlowMaxDrogues = 50,
    kFlowMaxPoints = 100,         /* dry points, thin dams, enclosure points */
    kFlowMaxMapTimes = 50,
    kFlowMaxFrequencies = 234,
    kFlowMaxNamedConstituents = 5,
    kFlowMaxConstituents = 7,     /* with salinity and temperature */
    kFlowMaxSeriesTimes = 100,    /* boundary, wind and heat-model series */
    kFlowMaxDischargeTimes = 50
};

/* Block 1, the texts: F(name, length, number of texts) in order, S between
   entries. */
#define FLOW_DEFINITION_STRINGS(F, S)                                                                   \
    F(run_id, 3, 1) S F(Runtxt, 30, 10) S F(Sub1, 4, 1) S F(Sub2, 3, 1) S F(quantity_names, 20, 10) S \
    F(Filcco, 12, 1) S F(Fmtcco, 2, 1) S F(Filgrd, 12, 1) S F(Fmtgrd, 2, 1) S F(Namdis, 20, 50) S     \
    F(Fildry, 12, 1) S F(Fmtdry, 2, 1) S F(Filtd, 12, 1) S F(Fmttd, 2, 1) S                          \
    F(thin_dam_types, 1, 100) S F(Filana, 12, 1) S F(Filcor, 12, 1) S F(Fildep, 12, 1) S             \
    F(Fmtdep, 2, 1) S F(Filbnd, 12, 1) S F(Fmtbnd, 2, 1) S F(Nambnd, 20, 100) S F(Datbnd, 1, 100) S   \
    F(Typbnd, 1, 100) S F(Filic, 12, 1) S F(Fmtic, 2, 1) S F(Restid, 3, 1) S F(Roumet, 1, 1) S        \
    F(Filrgh, 12, 1) S F(Fmtrgh, 2, 1) S F(Filedy, 12, 1) S F(Fmtedy, 2, 1) S F(Dryflp, 4, 1) S       \
    F(Itdate, 10, 1) S F(Tunit, 1, 1) S F(Fildis, 12, 1) S F(Fmtdis, 2, 1) S F(Filtmp, 12, 1) S       \
    F(Fmttmp, 2, 1) S F(Filwnd, 12, 1) S F(Fmtwnd, 2, 1) S F(Namst, 20, 200) S F(Filsta, 12, 1) S     \
    F(Fmtsta, 2, 1) S F(Namcrs, 20, 50) S F(Filcrs, 12, 1) S F(Fmtcrs, 2, 1) S F(Nampar, 20, 50) S    \
    F(Filpar, 12, 1) S F(Fmtpar, 2, 1) S F(Restrt, 1, 1) S F(map_print_flags, 19, 1) S                \
    F(history_print_flags, 23, 1) S F(map_store_flags, 20, 1) S F(history_store_flags, 23, 1) S       \
    F(FilbcH, 12, 1) S F(FmtbcH, 2, 1) S F(FilbcT, 12, 1) S F(FmtbcT, 2, 1) S F(FilbcC, 12, 1) S      \
    F(FmtbcC, 2, 1) S F(Wndint, 1, 1) S F(Wnsvwp, 1, 1) S F(Disint, 1, 50) S F(Temint, 1, 1) S        \
    F(Sphere, 1, 1) S F(Tkemod, 12, 1) S F(boundary_label_flag, 1, 1) S F(Label, 12, 200) S           \
    F(ProfU, 20, 100) S F(ProfC, 10, 70000) S F(Equili, 1, 1) S F(Filfou, 12, 1) S                    \
    F(fourier_format, 2, 1) S F(Rouwav, 4, 1) S F(Tidfor, 36, 1)

/* Block 2, counts and values: F(type, name, number of values).  Arrays of
   several dimensions are stored first index fastest: MNgrd 2 x 100,
   MNKdis 3 x 50, MNdry and MNtd 4 x 100, MNbnd 4 x 100, C0 100 x 5 (layer,
   named constituent). */
#define FLOW_DEFINITION_INTS_A(F, S)                                                                    \
    F(int32_t, constituent_count, 1) S F(int32_t, named_constituent_count, 1) S                         \
    F(int32_t, salinity_index, 1) S F(int32_t, temperature_on, 1) S F(int32_t, secondary_flow_index, 1) S \
    F(int32_t, transported_count, 1) S F(int32_t, mmax, 1) S F(int32_t, nmax, 1) S F(int32_t, kmax, 1) S \
    F(float, Thick, 100) S F(float, dx, 1) S F(float, dy, 1) S F(float, Anglat, 1) S                     \
    F(float, Grdang, 1) S F(int32_t, enclosure_point_count, 1) S F(int32_t, MNgrd, 200) S               \
    F(int32_t, discharge_count, 1) S F(int32_t, MNKdis, 150) S F(int32_t, dry_point_count, 1) S         \
    F(int32_t, MNdry, 400) S F(int32_t, thin_dam_count, 1) S F(int32_t, MNtd, 400) S                    \
    F(float, Depuni, 1) S F(float, Alpha, 100) S F(int32_t, MNbnd, 400) S                               \
    F(int32_t, open_boundary_count, 1) S F(float, Zeta0, 1) S F(float, U0, 100) S F(float, V0, 100) S    \
    F(float, S0, 100) S F(float, T0, 100) S F(float, C0, 500) S F(float, I0, 100) S F(float, Ag, 1) S    \
    F(float, Rhow, 1) S F(float, Tempw, 1) S F(float, Salw, 1) S F(int32_t, heat_model, 1) S             \
    F(float, Sarea, 1) S F(float, Fclou, 1) S F(int32_t, series_boundary_count, 1) S F(float, Ccofu, 1) S \
    F(float, Ccofv, 1) S F(float, Vicouv, 1) S F(float, Dicouv, 1) S F(float, Vicoww, 1) S               \
    F(float, Dicoww, 1) S F(float, Betac, 1)

/* Block 3: F(type, name, number of values).  MNst 2 x 200, MNcrs 4 x 50,
   drogue_table_1, Tpar and XYpar 2 x 50, the discharge series 50 x 50
   (time, discharge), discharge_concentrations 50 x 50 x 5, Rettis_Rettib
   100 x 2 (boundary, column), Ampab_Phsab 4 values per boundary and
   frequency, series_values 2 x 100 x 100, transport series of 40000,
   40000, 200000 and 7 x 100 x 100 values.  The spare values are 4-byte
   slots that no reader fills. */
#define FLOW_DEFINITION_INTS_B(F, S)                                                                    \
    F(float, Wstres, 4) S F(float, Rhoa, 1) S F(int32_t, Irov, 1) S F(int32_t, spare_value_1, 1) S      \
    F(float, Z0v, 1) S F(int32_t, Iter, 1) S F(float, Dryflc, 1) S F(int32_t, spare_value_2, 1) S        \
    F(float, Dt, 1) S F(float, Tstart, 1) S F(float, Tstop, 1) S F(float, Tzone, 1) S                    \
    F(float, Flmap_start, 1) S F(float, Flmap_interval, 1) S F(float, Flmap_stop, 1) S                   \
    F(float, Flhis, 1) S F(float, Prmap, 50) S F(float, Prhis_start, 1) S F(float, Prhis_interval, 1) S   \
    F(float, Prhis_stop, 1) S F(float, Flpp_start, 1) S F(float, Flpp_interval, 1) S                     \
    F(float, Flpp_stop, 1) S F(float, Tlfsmo, 1) S F(int32_t, map_print_count, 1) S                      \
    F(int32_t, station_count, 1) S F(int32_t, cross_section_count, 1) S F(int32_t, drogue_count, 1) S    \
    F(int32_t, MNst, 400) S F(int32_t, MNcrs, 200) S F(int32_t, drogue_table_1, 100) S                   \
    F(int32_t, Tpar, 100) S F(float, XYpar, 100) S F(int32_t, discharge_time_count, 1) S                 \
    F(float, Tsdis, 50) S F(float, discharge_series_1, 2500) S F(float, discharge_series_2, 2500) S       \
    F(float, discharge_series_3, 2500) S F(float, discharge_concentrations, 12500) S                     \
    F(int32_t, harmonic_boundary_count, 1) S F(float, Rettis_Rettib, 200) S                              \
    F(int32_t, frequency_count, 1) S F(float, Omega, 234) S F(float, Ampab_Phsab, 93600) S               \
    F(int32_t, series_time_count, 1) S F(float, series_times, 100) S F(float, series_values, 20000) S     \
    F(int32_t, transport_time_count, 1) S F(float, transport_times, 100) S                               \
    F(float, transport_series_1, 40000) S F(float, transport_series_2, 40000) S                          \
    F(float, transport_series_3, 200000) S F(float, transport_series_4, 70000) S                         \
    F(int32_t, wind_time_count, 1) S F(float, wind_times, 100) S F(float, wind_series_1, 100) S          \
    F(float, wind_series_2, 100) S F(int32_t, heat_time_count, 1) S F(float, heat_times, 100) S          \
    F(float, heat_series_1, 100) S F(float, heat_series_2, 100) S F(float, heat_series_3, 100) S         \
    F(float, heat_series_4, 100)

#define FLOW_DEF_NOTHING
#define FLOW_DEF_COMMA ,
#define FLOW_DEF_STRING_FIELD(name, length, count) char name[(length) * (count)];
#define FLOW_DEF_VALUE_FIELD(type, name, count) type name[count];

typedef struct FlowDefinition {
    FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_FIELD, FLOW_DEF_NOTHING)
    FLOW_DEFINITION_INTS_A(FLOW_DEF_VALUE_FIELD, FLOW_DEF_NOTHING)
    FLOW_DEFINITION_INTS_B(FLOW_DEF_VALUE_FIELD, FLOW_DEF_NOTHING)
} FlowDefinition;

/* The process-wide record (the message directory, kept apart from the
   three blocks, is the one of FlowDefinitionStateGet in keyword_records.h). */
FlowDefinition *FlowDefinitionGet(void);

/* Parameter lists of the getters and setters. */
#define FLOW_DEF_STRING_OUT(name, length, count) char *name, int32_t name##_len
#define FLOW_DEF_STRING_IN(name, length, count) const char *name, int32_t name##_len
#define FLOW_DEF_VALUE_OUT(type, name, count) type *name
#define FLOW_DEF_VALUE_IN(type, name, count) const type *name

/* Stores 100, 750, 100, 50, 100, 100, 1, 100, 50, 200, 50, 50, 100000,
   234, 100, 100, 50, 100, 12, 7500 in this order. */
void GET_DEFINITION_LIMITS(int32_t *limits);

/* Copy every field of a block to its argument (getters) or every argument
   into its field (setters).  A text argument holds its field's declared
   shape (for an array of texts, every element); the length passed with it
   is not used. */
void GET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_OUT, FLOW_DEF_COMMA));
void SET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_IN, FLOW_DEF_COMMA));
void GET_DEFINITION_INTS_A(FLOW_DEFINITION_INTS_A(FLOW_DEF_VALUE_OUT, FLOW_DEF_COMMA));
void SET_DEFINITION_INTS_A(FLOW_DEFINITION_INTS_A(FLOW_DEF_VALUE_IN, FLOW_DEF_COMMA));
void GET_DEFINITION_INTS_B(FLOW_DEFINITION_INTS_B(FLOW_DEF_VALUE_OUT, FLOW_DEF_COMMA));
void SET_DEFINITION_INTS_B(FLOW_DEFINITION_INTS_B(FLOW_DEF_VALUE_IN, FLOW_DEF_COMMA));

/* The wrappers by which other code passes the texts of block 1 (each text
   followed by its length) to and from the record: they call
   GET_DEFINITION_STRINGS and SET_DEFINITION_STRINGS with their arguments
   unchanged. */
void CallGetDefinitionStrings(FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_OUT, FLOW_DEF_COMMA));
void CallSetDefinitionStrings(FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_IN, FLOW_DEF_COMMA));

/* Copies 60 characters (blank-padded or cut) into the message directory. */
void SET_MESSAGE_DIRECTORY(const char *directory, int32_t directory_len);

/* ---------------------------------------------------------- reading */

/* Reads the master definition file of a run ("md-file." + run id, else
   "md-flow." + run id, in the current directory) into the record, writing
   every finding as a coded line to the diagnostic file "md-diag." + run id
   (created or rewritten, kept afterwards).  The run id is the text before
   its first blank (at most 3 characters); the caller's text is not
   changed.  error: true (-1) when the definition was not read completely.
   The version text is not used. */
void READ_FLOW_DEFINITION(const char *run_id, int32_t run_id_len, int32_t *error, const char *version,
                          int32_t version_len);

#ifdef __cplusplus
}
#endif

#endif
