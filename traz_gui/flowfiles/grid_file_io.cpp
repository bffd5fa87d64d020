// The curvilinear grid file (x and y of every grid point in fixed-width
// fields) read and written, and the depth file written in the layout that
// the depth readers take row by row.  The writers build the new file beside
// the old one and put it in place only when every record was written, so a
// failed write leaves the old file as it was.

#include "flow_files.h"

#include "edit_descriptors.h"
#include "flow_record_util.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- reading

// Reads the values of one row with the layout "(10X,5F12.3)": 10 skipped
// characters, then up to 5 values of width 12 per record.
int ReadRow(int unit, float *values, int32_t count)
{
    std::string record;
    for (int32_t i = 0; i < count; i += 5) {
        int r = recio::ReadLine(unit, &record);
        if (r != recio::kOk)
            return r;
        for (int32_t j = 0; j < 5 && i + j < count; ++j) {
            std::string field = flowrec::FieldAt(record, 10 + 12 * static_cast<size_t>(j), 12);
            if (!flowrec::ParseRealField(field, 3, values + i + j))
                return recio::kErrBadNumber;
        }
    }
    return recio::kOk;
}

// Reads an mmax x nmax array row by row; 0 or the outcome of the failure.
int32_t ReadArray(int unit, float *values, int32_t mmax, int32_t nmax)
{
    if (mmax <= 0)
        return 0;
    for (int32_t n = 0; n < nmax; ++n) {
        int r = ReadRow(unit, values + static_cast<size_t>(n) * static_cast<size_t>(mmax), mmax);
        if (r != recio::kOk)
            return flowrec::ReadOutcome(r);
    }
    return 0;
}

// ---------------------------------------------------------------- writing

// A file written through a unit under a work name and moved over the
// target only when it is complete.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;
    ~ReplacingFile()
    {
        if (open_)
            Finish(false);
    }

    bool Open(const std::string &target)
    {
        target_ = target;
        if (target.empty())
            return false;
        std::error_code ec;
        if (std::filesystem::exists(target, ec)) {
            // An existing file must be one that could be overwritten.
            std::FILE *f = std::fopen(target.c_str(), "r+b");
            if (!f)
                return false;
            std::fclose(f);
        }
        work_ = target + ".tmp~";
        std::remove(work_.c_str());
        unit_ = ALLOCATE_UNIT_NUMBER();
        open_ = recio::Open(unit_, work_, recio::Form::kFormatted, recio::Access::kSequential,
                            recio::OpenStatus::kNew) == recio::kOk;
        return open_;
    }
    int unit() const { return unit_; }

    // Closes the work file; keep: moves it over the target.  False when the
    // close or the move failed (the target is then unchanged).
    bool Finish(bool keep)
    {
        open_ = false;
        bool ok = recio::Close(unit_) == recio::kOk;
        if (ok && keep) {
            std::error_code ec;
            std::filesystem::rename(work_, target_, ec);
            ok = !ec;
        }
        if (!ok || !keep)
            std::remove(work_.c_str());
        return ok;
    }

private:
    std::string target_;
    std::string work_;
    int unit_ = -1;
    bool open_ = false;
};

// Writes one group: the values in records of per_record fields, the first
// record beginning with `first`, the others with `next`.
bool WriteGroup(int unit, const std::string &first, const std::string &next, const std::vector<double> &values,
                size_t per_record, int width, int decimals)
{
    size_t i = 0;
    std::string record = first;
    do {
        for (size_t j = 0; j < per_record && i < values.size(); ++j, ++i)
            record += flowrec::FormatFixed(values[i], width, decimals);
        if (recio::WriteLine(unit, record) != recio::kOk)
            return false;
        record = next;
    } while (i < values.size());
    return true;
}

// The x or y array as grid-file groups; false at the first failed write.
bool WriteGridArray(int unit, const float *values, int32_t mmax, int32_t nmax)
{
    const size_t m = mmax > 0 ? static_cast<size_t>(mmax) : 0;
    for (int32_t n = 1; n <= nmax; ++n) {
        std::vector<double> row(values + (n - 1) * m, values + n * m);
        if (!WriteGroup(unit, " ETA= " + flowrec::FormatInt(n, 4), std::string(10, ' '), row, 5, 12, 3))
            return false;
    }
    return true;
}

}  // namespace

extern "C" void READ_GRID_FILE(const char *name, int32_t name_len, float *value1, float *value2, float *value3,
                               float *x, float *y, int32_t *mmax, int32_t *nmax, int32_t *outcome)
{
    *outcome = 0;
    flowrec::UnitGuard file;
    if (file.Open(flowrec::FieldText(name, name_len), recio::Form::kFormatted, recio::OpenStatus::kOld) !=
        recio::kOk) {
        *outcome = 1;
        return;
    }
    const int unit = file.unit();
    std::string record;
    int32_t file_mmax = 0, file_nmax = 0, k = 0;
    float reals[3] = {0.0f, 0.0f, 0.0f};
    int r = recio::Rewind(unit);
    if (r != recio::kOk) {
        *outcome = 4;
    } else if ((r = recio::ReadLine(unit, &record)) != recio::kOk) {   // title
        *outcome = flowrec::ReadOutcome(r);
    } else if ((r = recio::ReadLine(unit, &record)) != recio::kOk) {
        *outcome = flowrec::ReadOutcome(r);
    } else if (!flowrec::ParseIntField(flowrec::FieldAt(record, 0, 8), &file_mmax) ||
               !flowrec::ParseIntField(flowrec::FieldAt(record, 8, 8), &file_nmax) ||
               !flowrec::ParseIntField(flowrec::FieldAt(record, 16, 8), &k)) {
        *outcome = 4;
    } else if ((r = recio::ReadLine(unit, &record)) != recio::kOk) {
        *outcome = flowrec::ReadOutcome(r);
    } else {
        bool ok = true;
        for (int i = 0; i < 3 && ok; ++i)
            ok = flowrec::ParseRealField(flowrec::FieldAt(record, 6 + 20 * static_cast<size_t>(i), 14), 8, &reals[i]);
        if (!ok) {
            *outcome = 4;
        } else {
            *value1 = reals[0];
            *value2 = reals[1];
            *value3 = reals[2];
            if (file_mmax == *mmax && file_nmax == *nmax) {
                CLEAR_REAL4_ARRAY(x, mmax, nmax);
                CLEAR_REAL4_ARRAY(y, mmax, nmax);
                // Their read results are ignored, but a damaged count must
                // not keep the reader going for millions of reads past the
                // end of the file: the first failed skip ends the skipping,
                // and the coordinates then meet the same end or error.
                if (k > 1)
                    for (int64_t i = 0; i < 2 * static_cast<int64_t>(k); ++i)
                        if (recio::ReadLine(unit, &record) != recio::kOk)
                            break;
                // A failure in x still lets y be read; a failure there
                // replaces the code, a success keeps the failure of x.
                int32_t x_outcome = ReadArray(unit, x, *mmax, *nmax);
                int32_t y_outcome = ReadArray(unit, y, *mmax, *nmax);
                *outcome = y_outcome != 0 ? y_outcome : x_outcome;
            } else {
                *mmax = file_mmax;
                *nmax = file_nmax;
                *outcome = 3;
            }
        }
    }
    if (file.Close() != recio::kOk)
        *outcome = 2;
}

extern "C" void WRITE_DEPTH_FILE(const char *name, int32_t name_len, const float *depth, const int32_t *mmax,
                                 const int32_t *nmax, int32_t *outcome)
{
    *outcome = 0;
    ReplacingFile file;
    if (!file.Open(flowrec::FieldText(name, name_len))) {
        *outcome = 1;
        return;
    }
    const int unit = file.unit();
    const size_t m = *mmax > 0 ? static_cast<size_t>(*mmax) : 0;
    if (recio::Rewind(unit) != recio::kOk) {
        *outcome = 5;
    } else {
        // Each row with -999.0 after it, then a row of -999.0: the
        // (mmax + 1) x (nmax + 1) layout of a depth file.
        std::vector<double> group(m + 1, -999.0);
        for (int32_t n = 0; n <= *nmax && *outcome == 0; ++n) {
            if (n < *nmax)
                for (size_t i = 0; i < m; ++i)
                    group[i] = depth[static_cast<size_t>(n) * m + i];
            else
                group.assign(m + 1, -999.0);
            if (!WriteGroup(unit, "", "", group, 10, 8, 2))
                *outcome = 5;
        }
    }
    if (!file.Finish(*outcome == 0))
        *outcome = 2;
}

extern "C" void WRITE_GRID_FILE(const char *name, int32_t name_len, const float *x, const float *y,
                                const int32_t *mmax, const int32_t *nmax, int32_t *outcome)
{
    *outcome = 0;
    ReplacingFile file;
    if (!file.Open(flowrec::FieldText(name, name_len))) {
        *outcome = 1;
        return;
    }
    const int unit = file.unit();
    if (recio::Rewind(unit) != recio::kOk || recio::WriteLine(unit, "* Quarnex") != recio::kOk ||
        recio::WriteLine(unit, flowrec::FormatInt(*mmax, 8) + flowrec::FormatInt(*nmax, 8)) != recio::kOk ||
        recio::WriteLine(unit, "       0       0       0") != recio::kOk) {
        *outcome = 5;
    } else {
        if (!WriteGridArray(unit, x, *mmax, *nmax))
            *outcome = 5;
        if (!WriteGridArray(unit, y, *mmax, *nmax))
            *outcome = 5;
    }
    if (!file.Finish(*outcome == 0))
        *outcome = 2;
}
