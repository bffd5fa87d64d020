// The reader of the hydrodynamic model's master definition file: opens the
// definition and diagnostic files, establishes the dimensions, calls the
// section readers in their fixed order with their guards, and closes both
// files.  The values it hands to the readers live as long as the process.

#include "definition_reader.h"

#include "boundary_sections.h"
#include "flow_definition.h"
#include "process_sections.h"
#include "flow_record_util.h"
#include "keyword_records.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What the driver passes by reference to every step of a read.
struct ReadState {
    int32_t def_unit = kNoDefinitionUnit;
    int32_t diag_unit = 0;
    int32_t record_number = 0;
    char record[80] = {};
    int32_t strict_mode = 0;
    DefinitionProcess process = {};
    // The grid-sized arrays of the section readers, for a grid of one
    // point (with its two spare columns on each side): 80 reals, or in
    // strict mode, where the readers fill them, as many as the layers and
    // quantities of the definition need.
    std::vector<float> scratch = std::vector<float>(80, 0.0f);
    int32_t latest_first_step = 0;      // over all time series
    int32_t earliest_last_step = -1;    // -1: not yet set
    char ident[27] = {};
    DefinitionWorkValues work = {};
};

ReadState g_read;

bool IsSet(const int32_t *flag)
{
    return (*flag & 1) != 0;
}

// Back to the first record for the sections.  False when the definition
// file cannot be read from its start again.
bool RestartAtFirstRecord(ReadState &s)
{
    std::memset(s.record, ' ', sizeof s.record);
    std::string line;
    if (recio::Rewind(s.def_unit) != recio::kOk || recio::ReadLine(s.def_unit, &line) != recio::kOk)
        return false;
    std::memcpy(s.record, line.data(), std::min(line.size(), sizeof s.record));
    s.record_number = 1;
    return true;
}

// The sections in their fixed order, each behind its guard; a stop ends
// the read when the error flag is set.  Steps 11 to 28 run even after an
// earlier one has set the flag.
void ReadSections(ReadState &s, int32_t *error)
{
    FlowDefinition &def = *FlowDefinitionGet();
    DefinitionProcess &p = s.process;
    DefinitionWorkValues &w = s.work;
    const int32_t one = 1, limit = 100, fifty = 50;
    int32_t *const u = &s.def_unit, *const d = &s.diag_unit, *const rn = &s.record_number;
    const int32_t *const strict = &s.strict_mode;
    if (IsSet(&s.strict_mode)) {
        const size_t layers = static_cast<size_t>(std::max(def.kmax[0], 1)) + 1;
        const size_t quantities = static_cast<size_t>(std::max(def.transported_count[0], 0)) +
                                  static_cast<size_t>(std::max(p.turbulence_count, 0)) + 2;
        s.scratch.assign(std::max<size_t>(80, 5 * layers * quantities), 0.0f);
    }
    float *const scratch = s.scratch.data();
    const int32_t named = IsSet(&p.constituents) ? def.named_constituent_count[0] : 0;

    // 5, 6: run text and grid.
    READ_RUN_TEXT(u, d, rn, s.record, 80, strict, def.Runtxt, 30);
    if (IsSet(error))
        return;
    w.grid_from_file = 0;
    w.spherical = 0;
    READ_GRID_PARAMETERS(u, d, error, rn, s.record, 80, strict, def.kmax, &w.grid_from_file, def.dx, def.dy,
                         def.Filcco, 12, def.Fmtcco, 2, def.Thick, def.Anglat, def.Grdang, def.Sphere, 1, &w.spherical);
    if (IsSet(error))
        return;

    // 7, 8: grid objects and discharge locations.
    w.enclosure_given = 0;
    w.dry_points_present = 0;
    w.thin_dams_present = 0;
    READ_ENCLOSURE_DRY_POINTS_THIN_DAMS(u, d, error, rn, s.record, 80, strict, def.run_id, 3, def.mmax, def.nmax,
                                        def.Filgrd, 12, def.Fmtgrd, 2, &w.enclosure_given, def.MNgrd, &limit,
                                        def.enclosure_point_count, def.Fildry, 12, def.Fmtdry, 2,
                                        &w.dry_points_present, def.MNdry, &limit, def.dry_point_count, def.Filtd, 12,
                                        def.Fmttd, 2, def.thin_dam_types, 1, &w.thin_dams_present, def.MNtd, &limit,
                                        def.thin_dam_count);
    READ_DISCHARGE_LOCATIONS(u, d, error, rn, s.record, 80, strict, def.discharge_count, def.MNKdis, def.Disint, 1,
                             def.Namdis, 20);
    if (IsSet(error))
        return;

    // 9, 10: depth and open boundaries.
    READ_DEPTH(u, d, error, s.record, 80, rn, strict, def.Fildep, 12, def.Fmtdep, 2, def.Depuni, &one, &one, &one,
               scratch);
    if (def.open_boundary_count[0] > 0) {
        READ_OPEN_BOUNDARIES(u, d, error, rn, s.record, 80, strict, def.open_boundary_count,
                             def.harmonic_boundary_count, def.mmax, def.nmax, def.kmax, &limit, def.Filbnd, 12,
                             def.Fmtbnd, 2, def.boundary_label_flag, 1, def.Nambnd, 20, def.Typbnd, 1, def.Datbnd, 1,
                             def.MNbnd, def.Alpha, def.ProfU, 20, def.Label, 12);
        if (IsSet(error))
            return;
    }

    // 11 to 13: initial conditions, time frame, smoothing.
    w.turbulence_count = p.turbulence_count;
    READ_INITIAL_CONDITIONS(u, d, error, rn, s.record, 80, strict, def.run_id, 3, def.Restid, 3, def.Filic, 12,
                            def.Fmtic, 2, &p.salinity, &p.temperature, &p.secondary_flow, &named, &w.turbulence_count,
                            &w.turbulence_restart, def.Zeta0, def.U0, def.V0, def.S0, def.T0, def.C0, def.I0,
                            def.quantity_names, 20, &one, &one, &one, def.kmax, def.transported_count, scratch,
                            scratch, scratch, scratch, scratch);
    w.date_number = 0;
    w.julian_day = 0;
    w.start_step = 0;
    w.stop_step = 0;
    w.seconds_per_unit = 0.0f;
    READ_TIME_FRAME(u, d, error, rn, s.record, 80, strict, def.Itdate, 10, def.Tstart, def.Tstop, def.Tzone,
                    &w.date_number, &w.julian_day, &w.start_step, &w.stop_step, def.Dt, def.Tunit, 1,
                    &w.seconds_per_unit);
    if (def.open_boundary_count[0] > 0) {
        w.smoothing_steps = 0;
        READ_SMOOTHING_TIME(u, d, error, rn, s.record, 80, strict, &w.smoothing_steps, def.Tlfsmo, def.Dt,
                            def.open_boundary_count, &limit, def.constituent_count, def.Rettis_Rettib);
    }

    // 14 to 16: boundary conditions.
    if (def.harmonic_boundary_count[0] > 0) {
        w.frequency_dimension = std::max(def.frequency_count[0], 1);
        std::memset(def.Filana, ' ', sizeof def.Filana);
        std::memset(def.Filcor, ' ', sizeof def.Filcor);
        READ_HARMONIC_BOUNDARY_CONDITIONS(u, d, error, rn, s.record, 80, strict, def.FilbcH, 12, def.FmtbcH, 2,
                                          def.Filana, 12, def.Filcor, 12, def.harmonic_boundary_count, &limit,
                                          def.frequency_count, &w.frequency_dimension, def.Omega, def.Ampab_Phsab,
                                          def.boundary_label_flag, 1);
    }
    if (def.series_boundary_count[0] > 0)
        READ_TIMESERIES_BOUNDARY_CONDITIONS(u, d, error, rn, s.record, 80, strict, &s.earliest_last_step,
                                            &s.latest_first_step, def.run_id, 3, def.FilbcT, 12, def.FmtbcT, 2,
                                            def.series_boundary_count, def.series_times, def.Dt, &w.start_step,
                                            &w.stop_step, &limit, &limit, def.series_time_count, def.series_values);
    if (def.open_boundary_count[0] > 0 && def.constituent_count[0] > 0)
        READ_TRANSPORT_BOUNDARY_CONDITIONS(u, d, error, rn, s.record, 80, strict, &s.earliest_last_step,
                                           &s.latest_first_step, def.run_id, 3, def.FilbcC, 12, def.FmtbcC, 2,
                                           def.open_boundary_count, def.transport_times, def.Dt, &w.start_step,
                                           &w.stop_step, &limit, &limit, def.transport_time_count,
                                           def.constituent_count, &p.salinity, &p.temperature, &p.constituents, &named,
                                           def.transport_series_1, def.transport_series_2, def.transport_series_3,
                                           def.transport_series_4, def.ProfC, 10);

    // 17 to 21: gravity and density, roughness, viscosity, heat model,
    // numerical parameters.
    READ_GRAVITY_AND_DENSITY(u, d, rn, s.record, 80, def.Ag, def.Rhow);
    READ_ROUGHNESS(u, d, error, rn, s.record, 80, strict, def.Roumet, 1, &p.three_dimensional, def.Filrgh, 12,
                   def.Fmtrgh, 2, def.Ccofu, def.Ccofv, &p.sub2_w, def.Rouwav, 4, &one, &one, &one, scratch, scratch);
    READ_VISCOSITY(u, d, error, rn, s.record, 80, strict, def.Filedy, 12, def.Fmtedy, 2, def.Tkemod, 12, def.Vicouv,
                   def.Dicouv, def.Vicoww, def.Dicoww, &one, &one, &one, &one, def.kmax,
                   &p.transported_with_turbulence, scratch, scratch);
    w.secondary_flow_mode = 0;
    READ_PHYSICAL_PARAMETERS(u, d, error, rn, s.record, 80, strict, &p.salinity, &p.temperature, &p.wind,
                             def.heat_model, def.Fclou, def.Sarea, def.Irov, def.Z0v, &w.spherical, def.Tidfor, 36,
                             def.Tempw, def.Salw, def.Wstres, def.Rhoa, &p.secondary_flow, def.Betac, def.Equili, 1,
                             &w.secondary_flow_mode);
    w.numerical_work_value = 0.0f;
    READ_NUMERICAL_PARAMETERS(u, d, rn, s.record, 80, &w.numerical_work_value, def.Iter, def.Dryflp, 4, def.Dryflc,
                              def.heat_model, def.Temint, 1, &p.wind, def.Wndint, 1, def.Wnsvwp, 1);

    // 22 to 24: discharge, wind and heat-model series.
    if (def.discharge_count[0] > 0)
        READ_DISCHARGES(u, d, error, rn, s.record, 80, strict, &s.earliest_last_step, &s.latest_first_step,
                        def.run_id, 3, def.Fildis, 12, def.Fmtdis, 2, def.discharge_count, def.Tsdis, def.Dt,
                        &w.start_step, &w.stop_step, &fifty, &fifty, def.discharge_time_count, def.constituent_count,
                        &p.salinity, &p.temperature, &p.constituents, &named, def.discharge_series_1,
                        def.discharge_series_2, def.discharge_series_3, def.discharge_concentrations);
    if (IsSet(&p.wind))
        READ_WIND(u, d, error, rn, s.record, 80, strict, &s.earliest_last_step, &s.latest_first_step, def.run_id, 3,
                  def.Filwnd, 12, def.Fmtwnd, 2, def.Wnsvwp, 1, def.mmax, def.nmax, def.nmax, def.wind_times, def.Dt,
                  &w.start_step, &w.stop_step, &limit, def.wind_time_count, def.wind_series_1, def.wind_series_2);
    if (def.heat_model[0] != 0)
        READ_HEAT_SERIES(u, d, error, rn, s.record, 80, strict, &s.earliest_last_step, &s.latest_first_step,
                         def.run_id, 3, def.Filtmp, 12, def.Fmttmp, 2, def.heat_model, def.heat_times, def.Dt,
                         &w.start_step, &w.stop_step, &limit, def.heat_time_count, def.heat_series_3,
                         def.heat_series_2, def.heat_series_4, def.heat_series_1);

    // 25 to 27: output locations, print flags, output times.
    READ_MONITORING_POINTS(u, d, error, rn, s.record, 80, strict, def.Dt, def.Filsta, 12, def.Fmtsta, 2,
                           def.station_count, def.Filcrs, 12, def.Fmtcrs, 2, def.cross_section_count, def.Filpar, 12,
                           def.Fmtpar, 2, def.drogue_count, &p.drogues, def.Namst, 20, def.Namcrs, 20, def.Nampar, 20,
                           def.MNst, def.MNcrs, def.drogue_table_1, def.Tpar, def.XYpar);
    READ_PRINT_FLAGS(u, d, rn, s.record, 80, def.kmax, def.constituent_count, &p.turbulence_count,
                     def.salinity_index, def.temperature_on, def.station_count, def.Filsta, 12,
                     def.cross_section_count, def.Filcrs, 12, def.map_print_flags, 19, def.history_print_flags, 23,
                     def.map_store_flags, 20, def.history_store_flags, 23);
    std::fill(std::begin(w.map_print_steps), std::end(w.map_print_steps), 0);
    std::fill(std::begin(w.output_steps), std::end(w.output_steps), 0);
    READ_OUTPUT_TIMES(u, d, error, rn, s.record, 80, strict, w.map_print_steps, &fifty, def.map_print_count,
                      w.output_steps, def.Prmap, def.Prhis_start, def.Prhis_interval, def.Prhis_stop, def.Flmap_start,
                      def.Flmap_interval, def.Flmap_stop, def.Flhis, def.Flpp_start, def.Flpp_interval, def.Flpp_stop,
                      def.Restrt, 1, def.Dt);

    // 28 to 30: user processes, files and coefficients.
    READ_USER_PROCESSES(u, d, error, s.record, 80, rn, strict);
    if (IsSet(error))
        return;
    READ_USER_FILES(u, d, error, s.record, 80, rn, strict);
    if (IsSet(error))
        return;
    READ_USER_COEFFICIENTS(u, d, error, s.record, 80, rn, strict);
}

}  // namespace

extern "C" const DefinitionWorkValues *DefinitionWorkValuesGet(void)
{
    g_read.work.latest_first_step = g_read.latest_first_step;
    g_read.work.earliest_last_step = g_read.earliest_last_step;
    return &g_read.work;
}

extern "C" void READ_FLOW_DEFINITION_IN_MODE(const char *run_id, int32_t run_id_len, const int32_t *strict_mode,
                                             int32_t *error, const char *version, int32_t version_len)
{
    ReadState &s = g_read;
    s.scratch.assign(80, 0.0f);
    s.latest_first_step = 0;
    s.earliest_last_step = -1;
    std::memset(s.ident, ' ', sizeof s.ident);
    s.strict_mode = IsSet(strict_mode) ? -1 : 0;
    s.work = DefinitionWorkValues();
    s.def_unit = kNoDefinitionUnit;
    s.diag_unit = 0;
    *error = 0;

    // The opening step lower-cases the identifier it is given: hand it a
    // copy, so that the caller's text (perhaps a constant) stays as it is.
    char caller_id[3] = {' ', ' ', ' '};
    for (int32_t i = 0; i < std::min(run_id_len, 3) && run_id[i] != '\0'; ++i)
        caller_id[i] = run_id[i];

    SetDefaultMessageDirectory();   // before the first message
    const MessageFileHold messages;   // read once for all the lines of the read
    FlowDefinition &def = *FlowDefinitionGet();
    OPEN_DEFINITION_FILE(&s.def_unit, &s.diag_unit, error, &s.record_number, s.record, 80, caller_id, 3,
                         def.run_id, 3, version, version_len, s.ident, 27);
    if (!IsSet(error)) {
        recio::HoldFile(s.def_unit, true);   // read in one go, round and round
        READ_DEFINITION_DIMENSIONS(&s.def_unit, &s.diag_unit, error, &s.strict_mode, &s.record_number, s.record, 80,
                                   &s.process);
    }
    if (!IsSet(error)) {
        if (RestartAtFirstRecord(s)) {
            ReadSections(s, error);
        } else {
            const std::string text = "Md-file." + flowrec::FirstWord(caller_id, 3);
            REPORT_MESSAGE(&s.diag_unit, "G007", 4, text.c_str(), static_cast<int32_t>(text.size()));
            *error = -1;
        }
    }

    // Closing: both files stay on disk.
    if (s.def_unit != kNoDefinitionUnit && recio::IsConnected(s.def_unit))
        recio::Close(s.def_unit);
    if (s.diag_unit != 0)
        recio::Close(s.diag_unit);
    s.def_unit = kNoDefinitionUnit;
    s.diag_unit = 0;
}

extern "C" void READ_FLOW_DEFINITION(const char *run_id, int32_t run_id_len, int32_t *error, const char *version,
                                     int32_t version_len)
{
    const int32_t lenient = 0;
    READ_FLOW_DEFINITION_IN_MODE(run_id, run_id_len, &lenient, error, version, version_len);
}
