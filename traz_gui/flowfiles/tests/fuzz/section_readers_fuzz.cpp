// Fuzzes every section reader of the definition in strict mode, each with
// arrays of its own, allocated to exactly the size that its arguments
// announce, so that a write past any of them is caught.  Input as for
// definition_reader_fuzz: the definition, then attached files a1, a2, ...
// after lines "%%".  The definition is opened and its dimensions counted
// leniently (so that counts come from its name records); then every
// section reads strictly, attached files and scratch files included, on
// small grid dimensions.  After each input no unit may stay connected.

#include "boundary_sections.h"
#include "definition_fuzz_files.h"
#include "definition_reader.h"
#include "flow_definition.h"
#include "keyword_records.h"
#include "process_sections.h"
#include "record_io.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// An array of exactly n elements on the heap, so that the sanitizer
// catches a step past its end; filled with one call (a loop of n
// instrumented stores would cost more than the readers).
template <typename T>
class Array {
public:
    explicit Array(size_t n, int fill = 0) : values_(new T[n]), size_(n) { Refill(fill); }
    void Refill(int fill) { std::memset(values_.get(), fill, size_ * sizeof(T)); }
    T *data() { return values_.get(); }
    T &operator[](size_t i) { return values_[i]; }

private:
    std::unique_ptr<T[]> values_;
    size_t size_;
};

template <typename T>
Array<T> Fresh(size_t n)
{
    return Array<T>(n);
}

Array<char> Texts(size_t n)
{
    return Array<char>(n, ' ');
}

// The transport boundary conditions' arrays (2 MB) are of fixed sizes:
// made once and refilled for every input that reads them.
struct TransportArrays {
    Array<char> profiles{700000, ' '};
    Array<float> times{100}, s1{40000}, s2{40000}, s3{200000}, jumps{70000};
    TransportArrays &Refilled()
    {
        profiles.Refill(' ');
        for (Array<float> *a : {&times, &s1, &s2, &s3, &jumps})
            a->Refill(0);
        return *this;
    }
};

// Every section in the driver's order, strictly, each with arrays of its
// own.
void ReadSections(const int32_t *def, const int32_t *diag, int32_t *rn, char *rec, const DefinitionProcess &p)
{
    const FlowDefinition &d = *FlowDefinitionGet();
    const int32_t strict = -1, limit = 100, fifty = 50;
    int32_t error = 0;
    // Small grids: the readers fill what their arguments announce.
    const int32_t m = std::clamp(d.mmax[0], 1, 5), n = std::clamp(d.nmax[0], 1, 4), k = std::clamp(d.kmax[0], 1, 3);
    const int32_t lead = n;
    const size_t plane = static_cast<size_t>(lead) * static_cast<size_t>(m + 4);
    const int32_t constituents = std::clamp(d.constituent_count[0], 0, 7);
    const int32_t named = std::clamp(p.constituents & 1 ? d.named_constituent_count[0] : 0, 0, 5);
    const int32_t transported = std::clamp(d.transported_count[0], 0, 8);
    const int32_t turbulence = std::clamp(p.turbulence_count, 0, 2);
    const int32_t with_turbulence = transported + turbulence;
    const int32_t openings = std::clamp(d.open_boundary_count[0], 0, 100);
    const int32_t harmonic = std::clamp(d.harmonic_boundary_count[0], 0, 100);
    const int32_t series = std::clamp(d.series_boundary_count[0], 0, 100);
    const int32_t frequencies = std::clamp(d.frequency_count[0], 0, 234), fdim = std::max(frequencies, 1);
    const int32_t discharges = std::clamp(d.discharge_count[0], 0, 50);
    const int32_t stations = std::clamp(d.station_count[0], 0, 200);
    const int32_t sections = std::clamp(d.cross_section_count[0], 0, 50);
    const int32_t drogues = std::clamp(d.drogue_count[0], 0, 50);
    const char *id = "fz ";

    {
        auto text = Texts(300);
        READ_RUN_TEXT(def, diag, rn, rec, 80, &strict, text.data(), 30);
    }
    int32_t from_file = 0, spherical = 0;
    {
        float dx = 0, dy = 0, lat = 0, angle = 0;
        auto thick = Fresh<float>(100);
        auto file = Texts(12), form = Texts(2), sphere = Texts(1);
        READ_GRID_PARAMETERS(def, diag, &error, rn, rec, 80, &strict, &k, &from_file, &dx, &dy, file.data(), 12,
                             form.data(), 2, thick.data(), &lat, &angle, sphere.data(), 1, &spherical);
    }
    {
        auto f1 = Texts(12), f2 = Texts(2), f3 = Texts(12), f4 = Texts(2), f5 = Texts(12), f6 = Texts(2);
        auto types = Texts(100);
        auto grd = Fresh<int32_t>(200), dry = Fresh<int32_t>(400), td = Fresh<int32_t>(400);
        int32_t flags[3] = {}, counts[3] = {};
        READ_ENCLOSURE_DRY_POINTS_THIN_DAMS(def, diag, &error, rn, rec, 80, &strict, id, 3, &m, &n, f1.data(), 12,
                                            f2.data(), 2, &flags[0], grd.data(), &limit, &counts[0], f3.data(), 12,
                                            f4.data(), 2, &flags[1], dry.data(), &limit, &counts[1], f5.data(), 12,
                                            f6.data(), 2, types.data(), 1, &flags[2], td.data(), &limit, &counts[2]);
    }
    {
        auto locations = Fresh<int32_t>(3 * static_cast<size_t>(discharges));
        auto interpolation = Texts(static_cast<size_t>(discharges)), names = Texts(20 * static_cast<size_t>(discharges));
        READ_DISCHARGE_LOCATIONS(def, diag, &error, rn, rec, 80, &strict, &discharges, locations.data(),
                                 interpolation.data(), 1, names.data(), 20);
    }
    {
        auto file = Texts(12), form = Texts(2);
        auto depth = Fresh<float>(plane);
        float uniform = 0;
        READ_DEPTH(def, diag, &error, rec, 80, rn, &strict, file.data(), 12, form.data(), 2, &uniform, &m, &lead, &n,
                   depth.data());
    }
    auto label_flag = Texts(1);
    label_flag[0] = d.boundary_label_flag[0];
    if (openings > 0) {
        auto file = Texts(12), form = Texts(2), names = Texts(2000), types = Texts(100), kinds = Texts(100),
             profiles = Texts(2000), labels = Texts(2400);
        auto lines = Fresh<int32_t>(400);
        auto alpha = Fresh<float>(100);
        READ_OPEN_BOUNDARIES(def, diag, &error, rn, rec, 80, &strict, &openings, &harmonic, &m, &n, &k, &limit,
                             file.data(), 12, form.data(), 2, label_flag.data(), 1, names.data(), 20, types.data(), 1,
                             kinds.data(), 1, lines.data(), alpha.data(), profiles.data(), 20, labels.data(), 12);
    }
    {
        auto restart = Texts(3), file = Texts(12), form = Texts(2), names = Texts(200);
        auto u0 = Fresh<float>(100), v0 = Fresh<float>(100), s0 = Fresh<float>(100), t0 = Fresh<float>(100),
             c0 = Fresh<float>(500), i0 = Fresh<float>(100);
        auto level = Fresh<float>(plane), u = Fresh<float>(plane * k), v = Fresh<float>(plane * k),
             quantities = Fresh<float>(plane * k * static_cast<size_t>(transported)),
             turb = Fresh<float>(plane * (k + 1) * static_cast<size_t>(turbulence));
        float zeta0 = 0;
        int32_t restart_state = 0;
        READ_INITIAL_CONDITIONS(def, diag, &error, rn, rec, 80, &strict, id, 3, restart.data(), 3, file.data(), 12,
                                form.data(), 2, &p.salinity, &p.temperature, &p.secondary_flow, &named, &turbulence,
                                &restart_state, &zeta0, u0.data(), v0.data(), s0.data(), t0.data(), c0.data(),
                                i0.data(), names.data(), 20, &m, &lead, &n, &k, &transported, level.data(), u.data(),
                                v.data(), quantities.data(), turb.data());
    }
    int32_t start = 0, stop = 0;
    float dt = 0;
    {
        auto date = Texts(10), unit = Texts(1);
        float tstart = 0, tstop = 0, zone = 0, seconds = 0;
        int32_t number = 0, julian = 0;
        READ_TIME_FRAME(def, diag, &error, rn, rec, 80, &strict, date.data(), 10, &tstart, &tstop, &zone, &number,
                        &julian, &start, &stop, &dt, unit.data(), 1, &seconds);
    }
    if (openings > 0) {
        auto returns = Fresh<float>(200);
        int32_t steps = 0;
        float smoothing = 0;
        READ_SMOOTHING_TIME(def, diag, &error, rn, rec, 80, &strict, &steps, &smoothing, &dt, &openings, &limit,
                            &constituents, returns.data());
    }
    int32_t last = -1, first = 0;
    if (harmonic > 0) {
        auto file = Texts(12), form = Texts(2), ana = Texts(12), cor = Texts(12);
        auto omega = Fresh<float>(static_cast<size_t>(fdim)), table = Fresh<float>(400 * static_cast<size_t>(fdim));
        READ_HARMONIC_BOUNDARY_CONDITIONS(def, diag, &error, rn, rec, 80, &strict, file.data(), 12, form.data(), 2,
                                          ana.data(), 12, cor.data(), 12, &harmonic, &limit, &frequencies, &fdim,
                                          omega.data(), table.data(), label_flag.data(), 1);
    }
    if (series > 0) {
        auto file = Texts(12), form = Texts(2);
        auto times = Fresh<float>(100), values = Fresh<float>(20000);
        int32_t count = 0;
        READ_TIMESERIES_BOUNDARY_CONDITIONS(def, diag, &error, rn, rec, 80, &strict, &last, &first, id, 3,
                                            file.data(), 12, form.data(), 2, &series, times.data(), &dt, &start,
                                            &stop, &limit, &limit, &count, values.data());
    }
    if (openings > 0 && constituents > 0) {
        auto file = Texts(12), form = Texts(2);
        static TransportArrays arrays;
        TransportArrays &t = arrays.Refilled();
        auto &profiles = t.profiles;
        auto &times = t.times, &s1 = t.s1, &s2 = t.s2, &s3 = t.s3, &jumps = t.jumps;
        int32_t count = 0;
        READ_TRANSPORT_BOUNDARY_CONDITIONS(def, diag, &error, rn, rec, 80, &strict, &last, &first, id, 3,
                                           file.data(), 12, form.data(), 2, &openings, times.data(), &dt, &start,
                                           &stop, &limit, &limit, &count, &constituents, &p.salinity, &p.temperature,
                                           &p.constituents, &named, s1.data(), s2.data(), s3.data(), jumps.data(),
                                           profiles.data(), 10);
    }
    {
        float ag = 0, rhow = 0;
        READ_GRAVITY_AND_DENSITY(def, diag, rn, rec, 80, &ag, &rhow);
    }
    {
        auto roumet = Texts(1), file = Texts(12), form = Texts(2), rouwav = Texts(4);
        auto u = Fresh<float>(plane * 2), v = Fresh<float>(plane * 2);
        float cu = 0, cv = 0;
        READ_ROUGHNESS(def, diag, &error, rn, rec, 80, &strict, roumet.data(), 1, &p.three_dimensional, file.data(),
                       12, form.data(), 2, &cu, &cv, &p.sub2_w, rouwav.data(), 4, &m, &lead, &n, u.data(), v.data());
    }
    {
        auto file = Texts(12), form = Texts(2), model = Texts(12);
        auto viscosity = Fresh<float>(plane * (k + 1)), diffusivity = Fresh<float>(plane * (k + 1));
        float values[4] = {};
        READ_VISCOSITY(def, diag, &error, rn, rec, 80, &strict, file.data(), 12, form.data(), 2, model.data(), 12,
                       &values[0], &values[1], &values[2], &values[3], &m, &lead, &n, &k, &k, &with_turbulence,
                       viscosity.data(), diffusivity.data());
    }
    int32_t ktemp = 0;
    auto wnsvwp = Texts(1);
    {
        auto tidfor = Texts(36), equili = Texts(1);
        auto wstres = Fresh<float>(4);
        float fclou = 0, sarea = 0, z0v = 0, tempw = 0, salw = 0, rhoa = 0, betac = 0;
        int32_t irov = 0, mode = 0;
        READ_PHYSICAL_PARAMETERS(def, diag, &error, rn, rec, 80, &strict, &p.salinity, &p.temperature, &p.wind,
                                 &ktemp, &fclou, &sarea, &irov, &z0v, &spherical, tidfor.data(), 36, &tempw, &salw,
                                 wstres.data(), &rhoa, &p.secondary_flow, &betac, equili.data(), 1, &mode);
    }
    {
        auto dryflp = Texts(4), temint = Texts(1), wndint = Texts(1);
        float work = 0, dryflc = 0;
        int32_t iter = 0;
        READ_NUMERICAL_PARAMETERS(def, diag, rn, rec, 80, &work, &iter, dryflp.data(), 4, &dryflc, &ktemp,
                                  temint.data(), 1, &p.wind, wndint.data(), 1, wnsvwp.data(), 1);
    }
    if (discharges > 0) {
        auto file = Texts(12), form = Texts(2);
        const size_t table = 50 * static_cast<size_t>(discharges);
        auto times = Fresh<float>(50), f1 = Fresh<float>(table), f2 = Fresh<float>(table), f3 = Fresh<float>(table),
             conc = Fresh<float>(5 * table);
        int32_t count = 0;
        READ_DISCHARGES(def, diag, &error, rn, rec, 80, &strict, &last, &first, id, 3, file.data(), 12, form.data(), 2,
                        &discharges, times.data(), &dt, &start, &stop, &fifty, &fifty, &count, &constituents,
                        &p.salinity, &p.temperature, &p.constituents, &named, f1.data(), f2.data(), f3.data(),
                        conc.data());
    }
    if (p.wind & 1) {
        auto file = Texts(12), form = Texts(2);
        auto times = Fresh<float>(100), w1 = Fresh<float>(100), w2 = Fresh<float>(100);
        int32_t count = 0;
        READ_WIND(def, diag, &error, rn, rec, 80, &strict, &last, &first, id, 3, file.data(), 12, form.data(), 2,
                  wnsvwp.data(), 1, &m, &n, &n, times.data(), &dt, &start, &stop, &limit, &count, w1.data(), w2.data());
    }
    if (ktemp != 0) {
        auto file = Texts(12), form = Texts(2);
        auto times = Fresh<float>(100), h1 = Fresh<float>(100), h2 = Fresh<float>(100), h3 = Fresh<float>(100),
             h4 = Fresh<float>(100);
        int32_t count = 0;
        READ_HEAT_SERIES(def, diag, &error, rn, rec, 80, &strict, &last, &first, id, 3, file.data(), 12, form.data(), 2,
                         &ktemp, times.data(), &dt, &start, &stop, &limit, &count, h3.data(), h2.data(), h4.data(),
                         h1.data());
    }
    auto filsta = Texts(12), filcrs = Texts(12);
    {
        auto fmtsta = Texts(2), fmtcrs = Texts(2), filpar = Texts(12), fmtpar = Texts(2);
        auto namst = Texts(20 * static_cast<size_t>(stations)), namcrs = Texts(20 * static_cast<size_t>(sections)),
             nampar = Texts(20 * static_cast<size_t>(drogues));
        auto mnst = Fresh<int32_t>(2 * static_cast<size_t>(stations)),
             mncrs = Fresh<int32_t>(4 * static_cast<size_t>(sections)),
             cells = Fresh<int32_t>(2 * static_cast<size_t>(drogues)),
             steps = Fresh<int32_t>(2 * static_cast<size_t>(drogues));
        auto fractions = Fresh<float>(2 * static_cast<size_t>(drogues));
        int32_t drogue_flag = p.drogues;
        READ_MONITORING_POINTS(def, diag, &error, rn, rec, 80, &strict, &dt, filsta.data(), 12, fmtsta.data(), 2,
                               &stations, filcrs.data(), 12, fmtcrs.data(), 2, &sections, filpar.data(), 12,
                               fmtpar.data(), 2, &drogues, &drogue_flag, namst.data(), 20, namcrs.data(), 20,
                               nampar.data(), 20, mnst.data(), mncrs.data(), cells.data(), steps.data(),
                               fractions.data());
    }
    {
        auto mp = Texts(19), hp = Texts(23), ms = Texts(20), hs = Texts(23);
        READ_PRINT_FLAGS(def, diag, rn, rec, 80, &k, &constituents, &turbulence, d.salinity_index, d.temperature_on,
                         &stations, filsta.data(), 12, &sections, filcrs.data(), 12, mp.data(), 19, hp.data(), 23,
                         ms.data(), 20, hs.data(), 23);
    }
    {
        auto map_steps = Fresh<int32_t>(50), steps = Fresh<int32_t>(10);
        auto prmap = Fresh<float>(50), times = Fresh<float>(10);
        auto restrt = Texts(1);
        int32_t count = 0;
        READ_OUTPUT_TIMES(def, diag, &error, rn, rec, 80, &strict, map_steps.data(), &fifty, &count, steps.data(),
                          prmap.data(), &times[0], &times[1], &times[2], &times[3], &times[4], &times[5], &times[6],
                          &times[7], &times[8], &times[9], restrt.data(), 1, &dt);
    }
    READ_USER_PROCESSES(def, diag, &error, rec, 80, rn, &strict);
    READ_USER_FILES(def, diag, &error, rec, 80, rn, &strict);
    READ_USER_COEFFICIENTS(def, diag, &error, rec, 80, rn, &strict);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = [] {
        deffuzz::InputDirectory::Home();   // taken before the first input
        // A catalogue that the inputs can select from.
        const std::string names = "P1                  P2                  P3                  ";
        const int32_t count = 3, needs[12] = {1, 1, 1, 1, 2, 0, 0, 0, 0, 3, 0, 1};
        SET_USER_PROCESS_CATALOGUE(&count, names.c_str(), 20, needs);
        return true;
    }();
    (void)ready;
    deffuzz::InputDirectory input(data, size);
    const MessageFileHold messages;   // as a read of the definition holds it

    int32_t def = kNoDefinitionUnit, diag = 0, error = 0, rn = 0;
    char record[80], caller[3] = {'f', 'z', ' '}, run_id[3], ident[27];
    OPEN_DEFINITION_FILE(&def, &diag, &error, &rn, record, 80, caller, 3, run_id, 3, "", 0, ident, 27);
    if (!(error & 1)) {
        recio::HoldFile(def, true);   // as a read of the definition holds it
        const int32_t lenient = 0;
        DefinitionProcess process = {};
        READ_DEFINITION_DIMENSIONS(&def, &diag, &error, &lenient, &rn, record, 80, &process);
        std::string line;
        if (recio::Rewind(def) == recio::kOk && recio::ReadLine(def, &line) == recio::kOk) {
            std::fill(record, record + 80, ' ');
            std::copy(line.begin(), line.begin() + static_cast<long>(std::min<size_t>(line.size(), 80)), record);
            rn = 1;
            ReadSections(&def, &diag, &rn, record, process);
        }
    }
    if (def != kNoDefinitionUnit)
        recio::Close(def);
    if (diag != 0)
        recio::Close(diag);
    deffuzz::ExpectAllUnitsClosed();   // every file is closed after the sections
    return 0;
}
