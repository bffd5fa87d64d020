// Boundary section of the wave input file: the packed integer, real and
// logical parameter arrays at their fixed slots, the per-nest values, up to
// four boundaries with their sections and segments, and the optional point
// list (or the alternative name that stands for it).

#include "wave_reader_context.h"

#include <algorithm>
#include <cstring>

namespace wave {

namespace {

constexpr int kSectionValues = 5;

// Reads the sections of one boundary; see READ_BOUNDARY_SECTIONS.  Status 3
// is returned without a message (the caller writes it).
int32_t ReadSections(WaveReader *reader, int32_t kind, int32_t layout, int32_t capacity, int32_t *count,
                     float *reals, std::string *names, size_t *begun)
{
    *begun = 0;
    const std::string blank(kNameLength, ' ');
    if (layout == 1) {
        if (capacity < 1)
            return kWaveCapacityExceeded;
        *count = 1;
        *begun = 1;
        std::fill(reals, reals + kSectionValues, 0.0f);
        names[0] = blank;
        bool ok = kind == 1
                      ? reader->Read().Real(&reals[1]).Real(&reals[2]).Real(&reals[3]).Real(&reals[4]).Finish()
                      : reader->Read().Text(&names[0], kNameLength).Finish();
        return ok ? kWaveOk : reader->status();
    }
    int32_t n = 0;
    if (!reader->Read().Int(&n).Finish())
        return reader->status();
    if (n > capacity)
        return kWaveCapacityExceeded;
    // A negative count would move the caller's free slot backwards.
    if (n < 0)
        return kWaveReadError;
    *count = n;
    for (int32_t i = 0; i < n; ++i) {
        float *v = reals + kSectionValues * i;
        *begun = static_cast<size_t>(i) + 1;
        std::fill(v, v + kSectionValues, 0.0f);
        names[i] = blank;
        bool ok = kind == 1
                      ? reader->Read().Real(&v[0]).Real(&v[1]).Real(&v[2]).Real(&v[3]).Real(&v[4]).Finish()
                      : reader->Read().Real(&v[0]).Text(&names[i], kNameLength).Finish();
        if (!ok)
            return reader->status();
    }
    return kWaveOk;
}

// The slots of the packed arrays, checked: a slot outside the array is a
// fault of this reader, not of the file.
struct Slots {
    WaveInputRecord *r;
    int32_t &I(size_t slot) { return r->ints.at(slot); }
    float &R(size_t slot) { return r->reals.at(slot); }
    bool &L(size_t slot) { return r->logicals.at(slot); }
};

bool ReadBoundaries(WaveReader *reader, const WaveCapacities &caps, Slots s, int32_t boundaries,
                    size_t *free_real, size_t *free_int, size_t *free_name)
{
    for (int32_t b = 0; b < boundaries; ++b) {
        const size_t base = *free_int;
        int32_t k1 = 0, k2 = 0, k3 = 0;
        if (!reader->Read().Int(&k1).Int(&k2).Int(&k3).Finish())
            return false;
        s.I(base) = k1;
        s.I(base + 4) = k2;
        s.I(base + 8) = k3;
        s.I(base + 1) = s.I(base + 2) = s.I(base + 3) = 1;
        if (k1 == 1 && !reader->Read().Int(&s.I(base + 1)).Int(&s.I(base + 2)).Int(&s.I(base + 3)).Finish())
            return false;
        if (k2 == 1) {
            s.I(base + 6) = 1;
            if (k3 == 1) {
                if (!reader->Read().Int(&s.I(base + 5)).Finish())
                    return false;
                s.I(base + 7) = 1;
            } else if (!reader->Read().Int(&s.I(base + 5)).Int(&s.I(base + 7)).Finish()) {
                return false;
            }
        } else {
            s.I(base + 5) = 1;
            s.I(base + 7) = 1;
            if (k3 == 2 && !reader->Read().Int(&s.I(base + 6)).Finish())
                return false;
        }

        const size_t capacity = caps.sections > 0 ? static_cast<size_t>(caps.sections) : 0;
        if (*free_real + kSectionValues * capacity > s.r->reals.size() ||
            *free_name + capacity > s.r->names.size()) {
            reader->Fail(kWaveReadError);   // cannot happen with the record's own sizes
            return false;
        }
        int32_t count = 0;
        size_t begun = 0;
        int32_t status = ReadSections(reader, k1, k3, caps.sections, &count, &s.r->reals[*free_real],
                                      &s.r->names[*free_name], &begun);
        if (status == kWaveCapacityExceeded) {
            reader->Overflow(" Number of sections exceeds maximum");
            return false;
        }
        if (status != kWaveOk) {
            reader->Fail(status);
            return false;
        }
        s.I(base + 9) = count;
        *free_real += kSectionValues * static_cast<size_t>(count);
        s.I(base + 10) = 0;

        if (k2 == 2) {
            int32_t segments = 0;
            if (!reader->Read().Int(&segments).Finish())
                return false;
            if (segments > caps.segments) {
                reader->Overflow(" Number of segments exceeds maximum");
                return false;
            }
            s.I(base + 10) = segments;
            for (int32_t g = 0; g < segments; ++g, *free_real += 2)
                if (!reader->Read().Real(&s.R(*free_real)).Real(&s.R(*free_real + 1)).Finish())
                    return false;
        }
        *free_int += 11;
        *free_name += static_cast<size_t>(count);
    }
    return true;
}

bool ReadSection(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *r)
{
    Slots s{r};
    // Integer values of the fixed slots, written when the section is
    // complete.  Lines that are absent leave theirs 0.
    int32_t held[32] = {};
    const size_t nests = r->nest_count > 0 ? static_cast<size_t>(r->nest_count) : 0;
    size_t free_real = 30 + 4 * nests;
    size_t free_int = 40 + 3 * nests;
    size_t free_name = 2;
    bool point_list = false;

    if (!reader->Read().Real(&s.R(1)).Finish() || !reader->Read().Real(&s.R(2)).Finish() ||
        !reader->Read().Logical(&s.L(2)).Finish() || !reader->Read().Logical(&s.L(3)).Finish() ||
        !reader->Read().Logical(&s.L(5)).Finish())
        return false;
    for (size_t i = 0; i < nests; ++i)
        if (!reader->Read()
                 .Real(&s.R(30 + 4 * i)).Real(&s.R(31 + 4 * i))
                 .Int(&s.I(40 + 3 * i)).Int(&s.I(41 + 3 * i)).Int(&s.I(42 + 3 * i))
                 .Real(&s.R(32 + 4 * i)).Real(&s.R(33 + 4 * i))
                 .Finish())
            return false;
    if (!reader->Read().Int(&held[10]).Finish() || !reader->Read().Int(&held[3]).Finish() ||
        !reader->Read().Real(&s.R(3)).Finish() || !reader->Read().Logical(&s.L(11)).Finish() ||
        !reader->Read().Int(&held[5]).Int(&held[6]).Int(&held[7]).Finish())
        return false;
    r->boundary_file_name = std::string(kNameLength, ' ');
    if (!reader->Read().Text(&r->boundary_file_name, kNameLength).Finish() ||
        !reader->Read().Logical(&s.L(6)).Logical(&s.L(7)).Logical(&s.L(8)).Logical(&s.L(9))
             .Logical(&s.L(10)).Finish() ||
        !reader->Read().Int(&held[9]).Finish() ||
        !reader->Read().Real(&s.R(4)).Real(&s.R(5)).Finish() ||
        !reader->Read().Int(&held[8]).Finish())
        return false;
    if (held[8] > kMaxBoundaries) {
        reader->Overflow(" Number of boundaries exceeds maximum (4)");
        return false;
    }
    if (!ReadBoundaries(reader, caps, s, held[8], &free_real, &free_int, &free_name))
        return false;

    if (!reader->Read().Int(&held[4]).Finish() ||
        !reader->Read().Int(&held[13]).Real(&s.R(6)).Real(&s.R(7)).Finish() ||
        !reader->Read().Int(&held[2]).Real(&s.R(8)).Finish() ||
        !reader->Read().Int(&held[14]).Real(&s.R(9)).Real(&s.R(10)).Finish() ||
        !reader->Read().Int(&held[15]).Int(&held[16]).Int(&held[17]).Int(&held[18]).Int(&held[19]).Finish() ||
        !reader->Read().Real(&s.R(11)).Real(&s.R(12)).Real(&s.R(13)).Real(&s.R(19)).Int(&held[1]).Finish() ||
        !reader->Read().Int(&held[30]).Finish() || !reader->Read().Logical(&s.L(4)).Finish())
        return false;
    if (s.L(4)) {
        if (!reader->Read().Logical(&s.L(12)).Finish())
            return false;
        if (s.L(12)) {
            if (!reader->Read().Text(&r->names.at(1), kNameLength).Finish())
                return false;
        } else {
            if (!reader->Read().Int(&held[20]).Finish())
                return false;
            if (held[20] > kMaxPoints) {
                reader->Overflow(" Number of points exceeds maximum(300)");
                return false;
            }
            point_list = true;
            s.I(31) = static_cast<int32_t>(free_real);
            for (int32_t p = 0; p < held[20]; ++p, free_real += 2)
                if (!reader->Read().Real(&s.R(free_real)).Real(&s.R(free_real + 1)).Finish())
                    return false;
        }
        if (!reader->Read().Int(&held[21]).Int(&held[22]).Int(&held[23]).Finish())
            return false;
    }
    if (!reader->Read().Int(&held[24]).Int(&held[25]).Int(&held[26]).Int(&held[27]).Int(&held[28])
             .Int(&held[29]).Finish())
        return false;

    for (size_t slot = 1; slot <= 30; ++slot)
        if (slot != 11 && slot != 12)
            s.I(slot) = held[slot];
    if (!point_list)
        s.I(31) = 0;
    return true;
}

}  // namespace

void ReadBoundarySection(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *record)
{
    if (ReadSection(reader, caps, record))
        record->boundary_section_absent = false;
}

}  // namespace wave

extern "C" int32_t READ_BOUNDARY_SECTIONS(const int32_t *unit, const int32_t *kind, const int32_t *layout,
                                          const int32_t *section_capacity, int32_t *count, float *real_block,
                                          char *name_block, int32_t name_len, int32_t *line_counter)
{
    const int32_t capacity = std::max(*section_capacity, 0);
    std::vector<std::string> names(static_cast<size_t>(capacity) + 1);
    wave::WaveReader reader(*unit, line_counter);
    size_t begun = 0;
    const int32_t status =
        wave::ReadSections(&reader, *kind, *layout, capacity, count, real_block, names.data(), &begun);
    if (name_len > 0)
        for (size_t i = 0; i < begun; ++i) {
            std::string name = wave::FitText(names[i], static_cast<size_t>(name_len));
            std::memcpy(name_block + i * static_cast<size_t>(name_len), name.data(), name.size());
        }
    return status;
}
