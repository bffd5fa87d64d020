// What the flow-model file routines share: the text of a fixed-length name
// field and a formatted unit opened on a free unit number, closed when the
// guard goes.
#ifndef TRAZ_FLOW_RECORD_UTIL_H
#define TRAZ_FLOW_RECORD_UTIL_H

#include "record_calls.h"
#include "record_io.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace flowrec {

using recio::FieldText;

// The text of a field up to its first blank (the whole field when none),
// and up to a NUL as FieldText takes it.
inline std::string FirstWord(const char *field, int32_t len)
{
    size_t n = 0;
    while (field && n < static_cast<size_t>(std::max(len, 0)) && field[n] != ' ' && field[n] != '\0')
        ++n;
    return std::string(field ? field : "", n);
}

// Number of elements of an mmax x nmax array; 0 when either is not positive.
inline size_t ArraySize(int32_t mmax, int32_t nmax)
{
    if (mmax <= 0 || nmax <= 0)
        return 0;
    return static_cast<size_t>(mmax) * static_cast<size_t>(nmax);
}

// A unit connected for one call.  Close() reports whether closing failed;
// the destructor closes a unit still connected (early returns).
class UnitGuard {
public:
    UnitGuard() = default;
    UnitGuard(const UnitGuard &) = delete;
    UnitGuard &operator=(const UnitGuard &) = delete;
    ~UnitGuard()
    {
        if (open_)
            recio::Close(unit_);
    }

    int Open(const std::string &path, recio::Form form, recio::OpenStatus status)
    {
        unit_ = ALLOCATE_UNIT_NUMBER();
        int r = recio::Open(unit_, path, form, recio::Access::kSequential, status);
        open_ = r == recio::kOk;
        return r;
    }
    int unit() const { return unit_; }
    // recio::kOk, or the result of the failed close.
    int Close()
    {
        if (!open_)
            return recio::kOk;
        open_ = false;
        return recio::Close(unit_);
    }

private:
    int unit_ = -1;
    bool open_ = false;
};

// Outcome of a transfer: end of file 6, any other failure the given code.
inline int32_t ReadOutcome(int result, int32_t error_code = 4)
{
    if (result == recio::kOk)
        return 0;
    return result < 0 ? 6 : error_code;
}

}  // namespace flowrec

#endif
