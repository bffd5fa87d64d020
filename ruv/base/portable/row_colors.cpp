/* The colour prefix of rows in coloured list boxes and combo boxes: a row
   that holds "<\" shows only what follows the first ")>", and its prefix may
   name a background ("\CB("), text ("\CF(") and selection ("\CS(") colour
   as a decimal RUV_COLOR value. */
#include "ruvv_ctl_text.h"

#include <cstdint>
#include <cstring>

namespace {

// The decimal number after the first occurrence of key; false when the key
// is absent, no digit follows or the number does not fit in 32 bits.
bool number_after(const char *row, const char *key, RUV_COLOR *out)
{
    const char *p = std::strstr(row, key);
    if (!p)
        return false;
    p += std::strlen(key);
    if (*p < '0' || *p > '9')
        return false;
    uint64_t v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + static_cast<uint64_t>(*p - '0');
        if (v > UINT32_MAX)
            return false;
    }
    *out = static_cast<RUV_COLOR>(v);
    return true;
}

} // namespace

extern "C" void ruvv_row_colors_parse(const char *row, RUV_ROW_COLORS *out)
{
    if (!out)
        return;
    std::memset(out, 0, sizeof *out);
    if (!row)
        row = "";
    out->visible = row;
    if (!std::strstr(row, "<\\"))
        return;
    const char *end = std::strstr(row, ")>");
    if (!end)
        return;
    out->visible = end + 2;
    out->has_back = number_after(row, "\\CB(", &out->back);
    out->has_text = number_after(row, "\\CF(", &out->text);
    out->has_select = number_after(row, "\\CS(", &out->select);
}
