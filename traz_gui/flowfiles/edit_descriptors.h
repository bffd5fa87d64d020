// Fixed-width fields of formatted records as the flow-model files use them:
// integer (Iw) and real (Fw.d, Ew.d) input fields, in which blanks are
// ignored, a field of blanks is zero and a real without a decimal point has
// d implied decimals; and the Fw.d and Iw output fields.
#ifndef TRAZ_EDIT_DESCRIPTORS_H
#define TRAZ_EDIT_DESCRIPTORS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace flowrec {

// Characters [start, start + width) of a record, blank-padded where the
// record is shorter.
std::string FieldAt(std::string_view record, size_t start, size_t width);

// Integer field; false when it is not an integer that fits an int32.
bool ParseIntField(std::string_view field, int32_t *value);

// Real field with `decimals` implied decimals; false when it is not a
// number or does not fit a 4-byte real.
bool ParseRealField(std::string_view field, int decimals, float *value);

// Fw.d: right-justified in width characters; asterisks when it does not fit.
std::string FormatFixed(double value, int width, int decimals);

// Iw: right-justified; asterisks when it does not fit.
std::string FormatInt(long long value, int width);

}  // namespace flowrec

#endif
