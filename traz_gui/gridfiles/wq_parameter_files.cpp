// Array and field files that the water-quality and particle models exchange
// with the program: the binary array file (WQWBIN), the parameter array file
// (WQRPAR), the unformatted array file written in steps (WQWRCA), the
// formatted field file (REAMIC) and the array clearing helper (RNUL3).

#include "wq_files.h"

#include "record_io.h"
#include "wq_names.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Attempt {
    recio::Form form;
    recio::Access access;
};

// Form and access tried in turn by WQWBIN and WQRPAR.
const Attempt kArrayAttempts[3] = {
    {recio::Form::kBinary, recio::Access::kSequential},
    {recio::Form::kBinary, recio::Access::kTransparent},
    {recio::Form::kUnformatted, recio::Access::kSequential},
};

constexpr int kBinaryUnit = 20;
constexpr int kStepUnit = 10;
constexpr int kFieldUnit = 10;
constexpr int kScratchUnit = 11;

// Whether WQWRCA connected the step unit itself (another file on unit 10 is
// never written or closed by it).
bool g_step_unit_ours = false;

}  // namespace

extern "C" void WQWBIN(const void *array, const int32_t *n, int32_t *ierr, char *filnam,
                       int32_t filnam_len)
{
    *ierr = 0;
    const std::string name = wqnames::CleanName(filnam, filnam_len);
    if (*n < 0 || (*n > 0 && !array)) {
        *ierr = 1;
        return;
    }
    bool open = false;
    const unsigned char zero[4] = {0, 0, 0, 0};
    for (const Attempt &a : kArrayAttempts) {
        if (recio::Open(kBinaryUnit, name, a.form, a.access, recio::OpenStatus::kUnknown) == recio::kOk) {
            if (recio::WriteRecord(kBinaryUnit, zero, 4) == recio::kOk) {
                open = true;
                break;
            }
            recio::Close(kBinaryUnit);
        }
    }
    if (!open) {
        *ierr = 1;
        return;
    }
    std::vector<unsigned char> record(4 + 4 * static_cast<size_t>(*n));
    std::memcpy(record.data(), zero, 4);
    if (*n > 0)
        std::memcpy(record.data() + 4, array, 4 * static_cast<size_t>(*n));
    if (recio::Rewind(kBinaryUnit) != recio::kOk ||
        recio::WriteRecord(kBinaryUnit, record.data(), record.size()) != recio::kOk)
        *ierr = 1;
    if (recio::Close(kBinaryUnit) != recio::kOk)
        *ierr = 1;
}

extern "C" void WQRPAR(float *array, const int32_t *n, const int32_t *m, int32_t *ierr, char *filnam,
                       int32_t filnam_len)
{
    *ierr = 0;
    const std::string name = wqnames::CleanName(filnam, filnam_len);
    size_t total = 0;
    if (!wqnames::ValueCount(*n, *m, 1, &total)) {
        *ierr = 1;
        return;
    }
    if (total > 0)
        std::memset(array, 0, total * sizeof(float));
    const int unit = recio::FreeUnit();
    if (unit < 0) {
        *ierr = 1;
        return;
    }
    // A file whose length markers chain exactly from start to end is a
    // sequential unformatted file: read it so, since as a stream its first
    // marker would pass for the test value and shift every number.
    std::vector<Attempt> attempts(std::begin(kArrayAttempts), std::end(kArrayAttempts));
    if (recio::CheckRecordFrames(name) == recio::FrameChain::kExact)
        attempts.insert(attempts.begin(), Attempt{recio::Form::kUnformatted, recio::Access::kSequential});
    bool open = false;
    for (const Attempt &a : attempts) {
        if (recio::Open(unit, name, a.form, a.access, recio::OpenStatus::kOld) == recio::kOk) {
            int32_t probe = 0;
            if (recio::ReadInt32(unit, &probe, 1) == recio::kOk) {
                open = true;
                break;
            }
            recio::Close(unit);
        }
    }
    if (!open) {
        *ierr = 1;
        return;
    }
    int32_t header[6] = {0, 0, 0, 0, 0, 0};
    bool ok = recio::Rewind(unit) == recio::kOk && recio::ReadInt32(unit, header, 6) == recio::kOk &&
              header[4] == *n;
    if (ok && *n > 0 && *m > 0)
        ok = recio::ReadReal32(unit, array, static_cast<size_t>(*n)) == recio::kOk;
    recio::Close(unit);
    if (!ok) {
        *ierr = 1;
        return;
    }
    for (int32_t col = 1; col < *m; ++col)
        std::memcpy(array + static_cast<size_t>(col) * *n, array, static_cast<size_t>(*n) * sizeof(float));
}

extern "C" void WQWRCA(const int32_t *mode, const float *array, const int32_t *n1, const int32_t *n2,
                       const int32_t *n3, int32_t *ierr, char *filnam, int32_t filnam_len)
{
    *ierr = 0;
    const bool open = g_step_unit_ours && recio::IsConnected(kStepUnit);
    switch (*mode) {
    case 1: {
        const std::string name = wqnames::CleanName(filnam, filnam_len);
        if (recio::IsConnected(kStepUnit))
            *ierr = 2;
        else if (name.empty())
            *ierr = 3;
        else if (recio::Open(kStepUnit, name, recio::Form::kUnformatted, recio::Access::kSequential,
                             recio::OpenStatus::kUnknown) != recio::kOk)
            *ierr = 4;
        else
            g_step_unit_ours = true;
        return;
    }
    case 2: {
        if (!open) {
            *ierr = 5;
            return;
        }
        size_t dummy = 0;
        if (!wqnames::ValueCount(*n1, *n2, *n3, &dummy) || (*n1 > 0 && dummy > 0 && !array)) {
            *ierr = 6;
            return;
        }
        const size_t records = static_cast<size_t>(*n2) * static_cast<size_t>(*n3);
        const size_t bytes = static_cast<size_t>(*n1) * sizeof(float);
        for (size_t r = 0; r < records; ++r)
            if (recio::WriteRecord(kStepUnit, array + r * static_cast<size_t>(*n1), bytes) != recio::kOk) {
                *ierr = 6;
                return;
            }
        return;
    }
    case 3:
        if (!open) {
            *ierr = 7;
            return;
        }
        g_step_unit_ours = false;
        if (recio::Close(kStepUnit) != recio::kOk)
            *ierr = 8;
        return;
    case 4: {
        if (!open) {
            *ierr = 5;
            return;
        }
        const unsigned char zero[4] = {0, 0, 0, 0};
        if (recio::WriteRecord(kStepUnit, zero, 4) != recio::kOk)
            *ierr = 6;
        return;
    }
    default:
        *ierr = 1;
    }
}

extern "C" void RNUL3(void *array, const int32_t *n1, const int32_t *n2, const int32_t *n3)
{
    size_t count = 0;
    if (!array || *n1 < 1 || *n2 < 1 || *n3 < 1 || !wqnames::ValueCount(*n1, *n2, *n3, &count))
        return;
    std::memset(array, 0, count * 4);
}

namespace {

// The three dimensions declared after "=" in text, read list-directed
// through a scratch file; false when they cannot be read.
bool ReadDeclaredDimensions(const std::string &text, int32_t dims[3])
{
    if (recio::Open(kScratchUnit, std::string(), recio::Form::kFormatted, recio::Access::kSequential,
                    recio::OpenStatus::kScratch) != recio::kOk)
        return false;
    bool ok = recio::WriteLine(kScratchUnit, text) == recio::kOk && recio::Rewind(kScratchUnit) == recio::kOk;
    if (ok) {
        recio::ListRead read(kScratchUnit);
        read.Int(&dims[0]).Int(&dims[1]).Int(&dims[2]);
        ok = read.result() == recio::kOk;
    }
    recio::Close(kScratchUnit);
    return ok;
}

}  // namespace

extern "C" void REAMIC(char *name_field, float *rdep, const int32_t *n, const int32_t *m, const int32_t *k,
                       int32_t *ierr, int32_t name_len)
{
    *ierr = 0;
    const std::string name = wqnames::CleanName(name_field, name_len);
    size_t total = 0;
    if (!wqnames::ValueCount(*n, *m, *k, &total) ||
        recio::Open(kFieldUnit, name, recio::Form::kFormatted, recio::Access::kSequential,
                    recio::OpenStatus::kOld) != recio::kOk) {
        *ierr = 1;
        return;
    }
    if (recio::Rewind(kFieldUnit) != recio::kOk) {
        recio::Close(kFieldUnit);
        *ierr = 4;
        return;
    }
    RNUL3(rdep, n, m, k);

    // The line holding "***" (after the values) declares the dimensions in
    // its text after "=".  The values are then read from the start.
    std::string line;
    bool marker = false;
    for (;;) {
        int r = recio::ReadLine(kFieldUnit, &line);
        if (r == recio::kEndOfFile)
            break;
        if (r != recio::kOk) {
            recio::Close(kFieldUnit);
            *ierr = 4;
            return;
        }
        if (line.size() > 255)
            line.resize(255);
        if (line.find("***") != std::string::npos) {
            marker = true;
            break;
        }
    }
    bool rejected = false;
    size_t eq = line.find('=');
    if (marker && eq != std::string::npos) {
        int32_t dims[3] = {0, 0, 0};
        if (!ReadDeclaredDimensions(line.substr(eq + 1), dims))
            rejected = true;
        else if (dims[0] != *n && dims[1] != *m && dims[2] != *k)
            rejected = true;
    }
    if (rejected) {
        *ierr = 15;
    } else {
        if (recio::Rewind(kFieldUnit) != recio::kOk) {
            recio::Close(kFieldUnit);
            *ierr = 4;
            return;
        }
        bool end = false;
        for (int32_t kk = 0; kk < *k && !end; ++kk)
            for (int32_t mm = 0; mm < *m && !end; ++mm) {
                float *row = rdep + (static_cast<size_t>(kk) * *m + mm) * static_cast<size_t>(*n);
                recio::ListRead read(kFieldUnit);
                for (int32_t i = 0; i < *n; ++i)
                    read.Real(&row[i]);
                if (read.result() == recio::kEndOfFile) {
                    end = true;
                } else if (read.result() != recio::kOk) {
                    recio::Close(kFieldUnit);
                    *ierr = 4;
                    return;
                }
            }
    }
    if (recio::Close(kFieldUnit) != recio::kOk && *ierr == 0)
        *ierr = 2;
    if (*ierr != 0)
        RNUL3(rdep, n, m, k);
}
