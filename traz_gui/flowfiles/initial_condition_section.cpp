// Section reader of the master definition file for the initial
// conditions: a restart file of an earlier run, an attached
// initial-conditions file or uniform values per layer, and the names of the
// transported quantities; with the readers of the restart and
// initial-conditions files.

#include "boundary_sections.h"

#include "boundary_keywords.h"
#include "flow_definition.h"

#include <algorithm>
#include <string>
#include <vector>

using sectionkw::Cursor;
using sectionkw::kTrue;

namespace {

constexpr int32_t kNameLength = 20;
constexpr int32_t kMaxNames = 10;
constexpr int32_t kMaxTransported = 10;
constexpr int32_t kMaxTurbulence = 2;

// The extents of the field arrays: n fastest over row_length, m from -1 to
// mmax + 2, then the layer (or interface) and the quantity.  The readers
// fill n = 1..nmax (within the row length) and m = 1..mmax.
struct FieldShape {
    int32_t mmax = 0, row = 0, nmax = 0, kmax = 0;

    FieldShape(const int32_t *m, const int32_t *row_length, const int32_t *n, const int32_t *k)
        : mmax(std::clamp(*m, 0, static_cast<int32_t>(kFlowMaxGrid))), row(std::max(*row_length, 0)),
          nmax(std::clamp(std::min(*n, *row_length), 0, static_cast<int32_t>(kFlowMaxGrid))),
          kmax(std::clamp(*k, 0, static_cast<int32_t>(kFlowMaxLayers)))
    {
    }
    // Values of one (n, m) plane, spare columns included.
    size_t Plane() const { return static_cast<size_t>(row) * static_cast<size_t>(mmax + 4); }
    size_t Point(int32_t n, int32_t m) const
    {
        return static_cast<size_t>(n - 1) + static_cast<size_t>(row) * static_cast<size_t>(m + 1);
    }
    // Every point of a plane gets the value.
    void Fill(float *plane, float value) const
    {
        for (int32_t m = 1; m <= mmax; ++m)
            for (int32_t n = 1; n <= nmax; ++n)
                plane[Point(n, m)] = value;
    }
};

// Records of mmax x nmax values (row by row: n outer, m inner) into the
// planes of the field arrays.
class FieldFile {
public:
    FieldFile(int unit, bool unformatted, const FieldShape &shape)
        : unit_(unit), unformatted_(unformatted), shape_(shape),
          values_(static_cast<size_t>(shape.mmax) * static_cast<size_t>(shape.nmax))
    {
    }
    // One record into a plane: the I/O result.
    int Read(float *plane)
    {
        int r;
        if (unformatted_) {
            r = recio::ReadReal32(unit_, values_.data(), values_.size());
        } else {
            recio::ListRead read(unit_);
            for (float &v : values_)
                read.Real(&v);
            r = read.result();
        }
        if (r != recio::kOk)
            return r;
        size_t i = 0;
        for (int32_t n = 1; n <= shape_.nmax; ++n)
            for (int32_t m = 1; m <= shape_.mmax; ++m)
                plane[shape_.Point(n, m)] = values_[i++];
        return recio::kOk;
    }
    // Water level, u and v per layer, each transported quantity per layer.
    // False (with the message and error set) when a record cannot be read.
    bool ReadFlowFields(float *water_level, float *u, float *v, float *transported, int32_t transported_count,
                        const int32_t *diag_unit, const std::string &name, int32_t *error)
    {
        std::vector<float *> planes = {water_level};
        for (int32_t k = 0; k < shape_.kmax; ++k)
            planes.push_back(u + shape_.Plane() * static_cast<size_t>(k));
        for (int32_t k = 0; k < shape_.kmax; ++k)
            planes.push_back(v + shape_.Plane() * static_cast<size_t>(k));
        for (int32_t l = 0; l < transported_count; ++l)
            for (int32_t k = 0; k < shape_.kmax; ++k)
                planes.push_back(transported + shape_.Plane() * static_cast<size_t>(k + shape_.kmax * l));
        for (float *plane : planes) {
            const int r = Read(plane);
            if (r != recio::kOk) {
                sectionkw::Report(diag_unit, r == recio::kEndOfFile ? "G006" : "G007", name);
                *error = kTrue;
                return false;
            }
        }
        return true;
    }

private:
    int unit_;
    bool unformatted_;
    FieldShape shape_;
    std::vector<float> values_;
};

std::string Lower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

extern "C" void READ_RESTART_FILE(const int32_t *diag_unit, int32_t *error, const char *restart_id,
                                  int32_t restart_id_len, int32_t *turbulence_restart, const int32_t *mmax,
                                  const int32_t *row_length, const int32_t *nmax, const int32_t *kmax,
                                  const int32_t *transported_count, const int32_t *turbulence_count,
                                  float *water_level, float *u, float *v, float *transported, float *turbulence)
{
    const std::string name = "vto-rst." + flowrec::FirstWord(restart_id, std::min(restart_id_len, 3));
    if (!CHECK_FILE_EXISTS(name.c_str(), static_cast<int32_t>(name.size()), diag_unit, "G004", 4)) {
        *error = kTrue;
        return;
    }
    flowrec::UnitGuard in;
    if (in.Open(name, recio::Form::kUnformatted, recio::OpenStatus::kOld) != recio::kOk) {
        sectionkw::Report(diag_unit, "G007", name);
        *error = kTrue;
        return;
    }
    const FieldShape shape(mmax, row_length, nmax, kmax);
    FieldFile file(in.unit(), true, shape);
    if (!file.ReadFlowFields(water_level, u, v, transported, std::clamp(*transported_count, 0, kMaxTransported),
                             diag_unit, name, error))
        return;
    const int32_t quantities = std::clamp(*turbulence_count, 0, kMaxTurbulence);
    if (quantities == 0)
        return;
    // The turbulence quantities per interface 0..kmax: a file that ends
    // before them is no error, the indicator tells how far it came.
    *turbulence_restart = 0;
    for (int32_t l = 0; l < quantities; ++l) {
        for (int32_t k = 0; k <= shape.kmax; ++k) {
            const int r = file.Read(turbulence + shape.Plane() * static_cast<size_t>(k + (shape.kmax + 1) * l));
            if (r == recio::kEndOfFile) {
                *turbulence_restart = l == 0 ? quantities : -quantities;
                return;
            }
            if (r != recio::kOk) {
                sectionkw::Report(diag_unit, "G007", name);
                *error = kTrue;
                return;
            }
        }
    }
}

extern "C" void READ_INITIAL_CONDITION_FILE(const int32_t *diag_unit, int32_t *error, const char *name,
                                            int32_t name_len, const char *format, int32_t format_len,
                                            const int32_t *mmax, const int32_t *row_length, const int32_t *nmax,
                                            const int32_t *kmax, const int32_t *transported_count,
                                            float *water_level, float *u, float *v, float *transported)
{
    flowrec::UnitGuard in;
    const sectionkw::AttachedInput input = sectionkw::OpenAttached(diag_unit, name, name_len, format, format_len, &in);
    if (!input.exists) {
        *error = kTrue;
        return;
    }
    if (input.result != recio::kOk) {
        sectionkw::Report(diag_unit, "G007", input.file);
        *error = kTrue;
        return;
    }
    FieldFile file(in.unit(), input.unformatted, FieldShape(mmax, row_length, nmax, kmax));
    file.ReadFlowFields(water_level, u, v, transported, std::clamp(*transported_count, 0, kMaxTransported), diag_unit,
                        input.file, error);
}

extern "C" void READ_INITIAL_CONDITIONS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, const char *run_id, int32_t run_id_len, char *restart_id,
    int32_t restart_id_len, char *condition_file, int32_t condition_file_len, char *condition_format,
    int32_t condition_format_len, const int32_t *salinity, const int32_t *temperature,
    const int32_t *secondary_flow, const int32_t *named_constituents, const int32_t *turbulence_count,
    int32_t *turbulence_restart, float *water_level0, float *u0, float *v0, float *s0, float *t0, float *c0,
    float *i0, char *quantity_names, int32_t quantity_names_len, const int32_t *mmax, const int32_t *row_length,
    const int32_t *nmax, const int32_t *kmax, const int32_t *transported_count, float *water_level, float *u,
    float *v, float *transported, float *turbulence)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    const bool has_salinity = sectionkw::IsTrue(salinity), has_temperature = sectionkw::IsTrue(temperature);
    const bool has_secondary = sectionkw::IsTrue(secondary_flow);
    const int32_t constituents = std::clamp(*named_constituents, 0, static_cast<int32_t>(kFlowMaxNamedConstituents));
    const FieldShape shape(mmax, row_length, nmax, kmax);
    const int32_t layers = shape.kmax;

    // Each transported quantity has its own slot in the field array,
    // whether or not its values could be read.
    const int32_t salinity_slot = 0;
    const int32_t temperature_slot = has_salinity ? 1 : 0;
    const int32_t first_constituent_slot = temperature_slot + (has_temperature ? 1 : 0);
    const int32_t secondary_slot = first_constituent_slot + constituents;
    auto quantity_plane = [&](int32_t slot, int32_t k) {
        return transported + shape.Plane() * static_cast<size_t>(k + shape.kmax * slot);
    };

    char id[3];
    if (cursor.ReadText("Restid", true, id, 3, " ") != Cursor::Text::kValue)
        sectionkw::Store(id, 3, "");
    if (!sectionkw::Blank(id, 3)) {
        const std::string lowered = Lower(std::string(id, 3));
        sectionkw::Store(restart_id, restart_id_len, lowered);
        std::string own(run_id, static_cast<size_t>(std::clamp(run_id_len, 0, 3)));
        own.resize(3, ' ');
        if (lowered == Lower(own)) {
            sectionkw::Report(diag_unit, "V005", " ");
            if (strict)
                *error = kTrue;
        } else if (strict) {
            READ_RESTART_FILE(diag_unit, error, restart_id, restart_id_len, turbulence_restart, mmax, row_length, nmax,
                              kmax, transported_count, turbulence_count, water_level, u, v, transported, turbulence);
        }
    } else {
        const sectionkw::AttachedFile file = sectionkw::ReadFilePair(
            cursor, "Filic", "Fmtic", true, condition_file, condition_file_len, condition_format, condition_format_len);
        if (file.named) {
            if (strict) {
                const std::string format = file.Format();
                READ_INITIAL_CONDITION_FILE(diag_unit, error, file.name.c_str(),
                                            static_cast<int32_t>(file.name.size()), format.c_str(), 11, mmax,
                                            row_length, nmax, kmax, transported_count, water_level, u, v,
                                            transported);
            }
        } else {
            // Uniform values.  The work buffer of the per-layer keywords
            // keeps what an earlier keyword put there.
            float buffer[kFlowMaxLayers] = {};
            float level = 0.0f;
            if (!cursor.ReadReals("Zeta0", 1, 1, true, &level))
                level = 0.0f;
            *water_level0 = level;
            if (strict)
                shape.Fill(water_level, level);

            auto read_layers = [&](const char *keyword, bool brackets) {
                return cursor.ReadReals(keyword, 0, kFlowMaxLayers, brackets, buffer);
            };
            struct Velocity {
                const char *keyword;
                float *values;
                float *field;
            } velocities[2] = {{"U0", u0, u}, {"V0", v0, v}};
            for (const Velocity &c : velocities) {
                const bool read = read_layers(c.keyword, true);
                for (int32_t k = 0; k < layers; ++k) {
                    c.values[k] = read ? buffer[k] : 0.0f;
                    if (strict)
                        shape.Fill(c.field + shape.Plane() * static_cast<size_t>(k), c.values[k]);
                }
            }

            // A quantity whose values cannot be read stores nothing.
            auto quantity = [&](const char *keyword, float *values, int32_t slot, bool fails) {
                if (!read_layers(keyword, false)) {
                    if (fails && strict)
                        *error = kTrue;
                    return;
                }
                for (int32_t k = 0; k < layers; ++k) {
                    values[k] = buffer[k];
                    if (strict)
                        shape.Fill(quantity_plane(slot, k), values[k]);
                }
            };
            if (has_salinity)
                quantity("S0", s0, salinity_slot, true);
            if (has_temperature)
                quantity("T0", t0, temperature_slot, true);
            for (int32_t i = 0; i < constituents; ++i) {
                const std::string keyword = "C0" + std::to_string(i + 1);
                quantity(keyword.c_str(), c0 + static_cast<size_t>(kFlowMaxLayers) * static_cast<size_t>(i),
                         first_constituent_slot + i, false);
            }
            if (has_secondary)
                quantity("I0", i0, secondary_slot, true);
        }
    }

    // The names of the transported quantities.
    std::vector<std::string> names;
    if (has_salinity)
        names.push_back("Salinity");
    if (has_temperature)
        names.push_back("Temperature");
    for (int32_t i = 0; i < constituents; ++i) {
        const std::string keyword = "Namc" + std::to_string(i + 1);
        char name[kNameLength];
        if (cursor.ReadText(keyword, true, name, kNameLength, " ") != Cursor::Text::kValue)
            sectionkw::Store(name, kNameLength, "");
        if (sectionkw::Blank(name, kNameLength)) {
            sectionkw::Report(diag_unit, "V015", " ");
            if (strict)
                *error = kTrue;
        }
        names.push_back(flowrec::FieldText(name, kNameLength));
    }
    if (has_secondary)
        names.push_back("Secondary flow");
    const int32_t turbulence_quantities = std::clamp(*turbulence_count, 0, kMaxTurbulence);
    if (turbulence_quantities >= 1)
        names.push_back("Turbulent energy");
    if (turbulence_quantities == 2)
        names.push_back("Energy dissipation");
    names.resize(std::min<size_t>(names.size(), kMaxNames));
    for (int32_t i = 0; i < kMaxNames; ++i)
        sectionkw::Store(quantity_names + static_cast<size_t>(i) * static_cast<size_t>(std::max(quantity_names_len, 0)),
                         quantity_names_len, static_cast<size_t>(i) < names.size() ? names[static_cast<size_t>(i)] : "");

    for (size_t i = 1; i < names.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (names[i] == names[j]) {
                sectionkw::Report(diag_unit, "U160", names[i]);
                if (strict)
                    *error = kTrue;
            }
}
