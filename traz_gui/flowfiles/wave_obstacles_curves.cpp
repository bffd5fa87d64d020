// Obstacles and curves of the wave input file (current layout only): the
// obstacles with their points and coefficients, the curves with their
// entries, and the line that says whether the boundary section follows.

#include "wave_reader_context.h"

#include <cstdint>

namespace wave {

namespace {

constexpr float kNotGiven = 999.0f;
const char kObstacleOverflow[] = " Number of obstacles exceeds maximum";
const char kCurveOverflow[] = " Number of curves exceeds maximum";

bool ReadObstacles(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *r)
{
    if (!reader->Read().Int(&r->obstacle_count).Finish())
        return false;
    // The per-obstacle entries are bounded by the point capacity as well.
    if (r->obstacle_count > caps.obstacle_points) {
        reader->Overflow(kObstacleOverflow);
        return false;
    }
    int64_t total = 0;
    size_t point = 0;
    for (int32_t i = 0; i < r->obstacle_count; ++i) {
        WaveObstacle &o = r->obstacles.at(static_cast<size_t>(i));
        bool short_form = false;
        if (!reader->NextLineHasWords(2, &short_form))
            return false;
        o.short_form = short_form;
        auto s = reader->Read();
        s.Int(&o.point_count);
        if (short_form) {
            s.Real(&o.coefficients[0]);
            o.coefficients[1] = o.coefficients[2] = o.coefficients[3] = kNotGiven;
        } else {
            s.Real(&o.coefficients[1]).Real(&o.coefficients[2]).Real(&o.coefficients[3]);
            o.coefficients[0] = kNotGiven;
        }
        if (!s.Finish())
            return false;
        // A negative point count would move the running total back and let
        // later obstacles write past the point entries.
        if (o.point_count < 0) {
            reader->Fail(kWaveReadError);
            return false;
        }
        total += o.point_count;
        if (total > caps.obstacle_points) {
            reader->Overflow(kObstacleOverflow);
            return false;
        }
        for (int32_t p = 0; p < o.point_count; ++p, ++point) {
            std::array<float, 2> &xy = r->obstacle_points.at(point);
            if (!reader->Read().Real(&xy[0]).Real(&xy[1]).Finish())
                return false;
        }
    }
    r->obstacle_point_total = static_cast<int32_t>(point);
    return true;
}

// Adds without overflow trouble: the curve total is a plain sum of what
// the file gives and wraps like the 32-bit word it is.
int32_t WrappingAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

bool ReadCurves(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *r)
{
    if (!reader->Read().Int(&r->curve_count).Finish())
        return false;
    const size_t capacity = caps.curve_entries > 0 ? static_cast<size_t>(caps.curve_entries) : 0;
    size_t entry = 0;
    int64_t lines = 0;
    for (int32_t c = 0; c < r->curve_count; ++c) {
        // A curve whose first line gives no lines still takes an entry.
        if (entry >= capacity) {
            reader->Overflow(kCurveOverflow);
            return false;
        }
        WaveCurveEntry &first = r->curve_entries.at(entry++);
        r->curve_total = WrappingAdd(r->curve_total, 1);
        if (!reader->Read().Int(&first.count).Real(&first.values[0]).Real(&first.values[1]).Finish())
            return false;
        const int32_t n = first.count;
        if (n > 0)
            lines += n;
        if (lines > caps.curve_entries) {
            reader->Overflow(kCurveOverflow);
            return false;
        }
        for (int32_t k = 2; k <= n; ++k) {
            if (entry >= capacity) {
                reader->Overflow(kCurveOverflow);
                return false;
            }
            WaveCurveEntry &e = r->curve_entries.at(entry++);
            if (!reader->Read().Int(&e.count).Real(&e.values[0]).Real(&e.values[1]).Finish())
                return false;
            r->curve_total = WrappingAdd(r->curve_total, e.count);
        }
    }
    r->curve_entry_count = static_cast<int32_t>(entry);
    return true;
}

}  // namespace

void ReadObstaclesAndCurves(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *record)
{
    if (!ReadObstacles(reader, caps, record) || !ReadCurves(reader, caps, record))
        return;
    bool boundaries = false;
    if (!reader->Read().Logical(&boundaries).Finish())
        return;
    if (!boundaries) {
        record->boundary_section_absent = true;
        return;
    }
    ReadBoundarySection(reader, caps, record);
}

}  // namespace wave
