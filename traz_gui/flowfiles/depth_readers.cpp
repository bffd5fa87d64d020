// Readers of depth files: an mmax x nmax array of reals in free form, read
// column by column (each column starting on a new record) or as one stream
// of values.

#include "flow_files.h"

#include "flow_record_util.h"

namespace {

// Reads the array as `reads` list-directed statements of `per_read` values.
void ReadDepth(const char *name, int32_t name_len, float *depth, int32_t mmax, int32_t nmax, bool by_rows,
               int32_t *outcome)
{
    *outcome = 0;
    flowrec::UnitGuard file;
    if (file.Open(flowrec::FieldText(name, name_len), recio::Form::kFormatted, recio::OpenStatus::kOld) !=
        recio::kOk) {
        *outcome = 1;
        return;
    }
    const int unit = file.unit();
    if (recio::Rewind(unit) != recio::kOk) {
        *outcome = 4;
    } else {
        CLEAR_REAL4_ARRAY(depth, &mmax, &nmax);
        const size_t total = flowrec::ArraySize(mmax, nmax);
        if (total > 0) {
            const size_t per_read = by_rows ? static_cast<size_t>(mmax) : total;
            const size_t reads = total / per_read;
            for (size_t k = 0; k < reads; ++k) {
                recio::ListRead read(unit);
                float *values = depth + k * per_read;
                for (size_t i = 0; i < per_read && read.result() == recio::kOk; ++i)
                    read.Real(values + i);
                if (read.result() != recio::kOk) {
                    *outcome = flowrec::ReadOutcome(read.result());
                    break;
                }
            }
        }
    }
    if (file.Close() != recio::kOk)
        *outcome = 2;
}

}  // namespace

extern "C" void CLEAR_REAL4_ARRAY(float *values, const int32_t *mmax, const int32_t *nmax)
{
    const size_t total = flowrec::ArraySize(*mmax, *nmax);
    for (size_t i = 0; i < total; ++i)
        values[i] = 0.0f;
}

extern "C" void READ_DEPTH_ROWS(const char *name, int32_t name_len, float *depth, const int32_t *mmax,
                                const int32_t *nmax, int32_t *outcome)
{
    ReadDepth(name, name_len, depth, *mmax, *nmax, true, outcome);
}

extern "C" void READ_DEPTH_STREAM(const char *name, int32_t name_len, float *depth, const int32_t *mmax,
                                  const int32_t *nmax, int32_t *outcome)
{
    ReadDepth(name, name_len, depth, *mmax, *nmax, false, outcome);
}
