// Name fields of the water-quality record-file routines: the caller's field
// is cleaned of a NUL (the NUL and all after it become blanks, in place) and
// the name is the text before its first blank.
#ifndef TRAZ_WQ_NAMES_H
#define TRAZ_WQ_NAMES_H

#include <cstdint>
#include <cstring>
#include <string>

namespace wqnames {

inline std::string CleanName(char *field, int32_t len)
{
    if (!field || len <= 0)
        return std::string();
    size_t n = static_cast<size_t>(len);
    if (void *nul = std::memchr(field, '\0', n)) {
        size_t at = static_cast<size_t>(static_cast<char *>(nul) - field);
        std::memset(field + at, ' ', n - at);
    }
    const void *blank = std::memchr(field, ' ', n);
    size_t end = blank ? static_cast<size_t>(static_cast<const char *>(blank) - field) : n;
    return std::string(field, end);
}

// Size of a count of 4-byte values, false when a count is negative or the
// product does not fit in memory sizes.
inline bool ValueCount(int64_t a, int64_t b, int64_t c, size_t *count)
{
    if (a < 0 || b < 0 || c < 0)
        return false;
    const int64_t limit = INT64_C(1) << 40;
    int64_t p = a;
    if (b && p > limit / b)
        return false;
    p *= b;
    if (c && p > limit / c)
        return false;
    p *= c;
    *count = static_cast<size_t>(p);
    return true;
}

}  // namespace wqnames

#endif
