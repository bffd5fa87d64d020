// Reader of land-boundary files: blocks of points in world coordinates,
// split into polylines by separator points, into caller buffers of a fixed
// capacity that report when they are too small.

#include "flow_files.h"

#include "flow_record_util.h"

namespace {

bool IsSeparator(double x)
{
    return x == 999.999 || x == 999999.0;
}

}  // namespace

extern "C" void CLEAR_REAL8_ARRAY(double *values, const int32_t *capacity)
{
    for (int32_t i = 0; i < *capacity; ++i)
        values[i] = 0.0;
}

extern "C" void CLEAR_INT_ARRAY(int32_t *values, const int32_t *capacity)
{
    for (int32_t i = 0; i < *capacity; ++i)
        values[i] = 0;
}

extern "C" void READ_POLYLINE_FILE(const char *name, int32_t name_len, double *x, double *y, int32_t *ends,
                                   const int32_t *capacity, int32_t *point_count, int32_t *outcome)
{
    *outcome = 0;
    flowrec::UnitGuard file;
    if (file.Open(flowrec::FieldText(name, name_len), recio::Form::kFormatted, recio::OpenStatus::kOld) !=
        recio::kOk) {
        *outcome = 1;
        return;
    }
    const int unit = file.unit();
    const int32_t cap = *capacity;

    if (recio::Rewind(unit) != recio::kOk) {
        *outcome = 4;
    } else {
        CLEAR_REAL8_ARRAY(x, capacity);
        CLEAR_REAL8_ARRAY(y, capacity);
        CLEAR_INT_ARRAY(ends, capacity);
        int32_t points = 0;
        int32_t polylines = 0;
        bool normal_end = false;
        std::string record;
        for (;;) {
            // Name record, after any comment records.
            int r = recio::ReadLine(unit, &record);
            if (r == recio::kEndOfFile) {
                normal_end = true;
                break;
            }
            if (r != recio::kOk) {
                *outcome = 4;
                break;
            }
            if (!record.empty() && record[0] == '*')
                continue;

            if (polylines >= cap) {
                *outcome = 3;
                break;
            }
            int32_t rows = 0;
            int32_t columns = 0;
            r = recio::ListRead(unit).Int(&rows).Int(&columns).result();
            if (r == recio::kEndOfFile) {
                normal_end = true;
                break;
            }
            if (r != recio::kOk) {
                *outcome = 4;
                break;
            }
            bool open = false;   // every block begins a new polyline
            bool stop = false;
            for (int32_t row = 0; row < rows; ++row) {
                if (points >= cap - 1) {
                    *outcome = 3;
                    stop = true;
                    break;
                }
                double px = 0.0;
                double py = 0.0;
                r = recio::ListRead(unit).Double(&px).Double(&py).result();
                if (r == recio::kEndOfFile) {
                    normal_end = true;
                    stop = true;
                    break;
                }
                if (r != recio::kOk) {
                    *outcome = 4;
                    stop = true;
                    break;
                }
                if (IsSeparator(px)) {
                    open = false;
                    continue;
                }
                if (!open) {
                    ++polylines;
                    open = true;
                }
                x[points] = px;
                y[points] = py;
                ++points;
                ends[polylines - 1] = points;
            }
            if (stop)
                break;
        }
        if (normal_end)
            *point_count = points;
    }
    if (file.Close() != recio::kOk)
        *outcome = 2;
}
