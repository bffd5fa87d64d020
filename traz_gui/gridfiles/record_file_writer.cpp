// Making record files: the values of a record in their 4-byte little-endian
// coding, and whole files written in the unformatted or the binary form.

#include "record_io.h"

#include <cstdio>

namespace recio {

RecordBytes &RecordBytes::Int(int32_t value)
{
    unsigned char b[4];
    PutInt32LE(b, value);
    bytes_.insert(bytes_.end(), b, b + 4);
    return *this;
}

RecordBytes &RecordBytes::Ints(const int32_t *values, size_t count)
{
    bytes_.reserve(bytes_.size() + 4 * count);
    for (size_t i = 0; i < count; ++i)
        Int(values[i]);
    return *this;
}

RecordBytes &RecordBytes::Ints(const std::vector<int32_t> &values)
{
    return Ints(values.data(), values.size());
}

RecordBytes &RecordBytes::Real(float value)
{
    unsigned char b[4];
    PutReal32LE(b, value);
    bytes_.insert(bytes_.end(), b, b + 4);
    return *this;
}

RecordBytes &RecordBytes::Reals(const float *values, size_t count)
{
    bytes_.reserve(bytes_.size() + 4 * count);
    for (size_t i = 0; i < count; ++i)
        Real(values[i]);
    return *this;
}

RecordBytes &RecordBytes::Reals(const std::vector<float> &values)
{
    return Reals(values.data(), values.size());
}

RecordBytes &RecordBytes::Text(std::string_view text, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        bytes_.push_back(static_cast<unsigned char>(i < text.size() ? text[i] : ' '));
    return *this;
}

int WriteRecordFile(const std::string &path, Form form, const std::vector<RecordBytes> &records)
{
    if (form == Form::kFormatted)
        return kErrWrongForm;
    int unit = FreeUnit();
    if (unit < 0)
        return kErrOpenFailed;
    std::remove(path.c_str());
    int r = Open(unit, path, form, Access::kSequential, OpenStatus::kNew);
    if (r != kOk)
        return r;
    for (const RecordBytes &rec : records) {
        const std::vector<unsigned char> &b = rec.bytes();
        r = WriteRecord(unit, b.data(), b.size());
        if (r != kOk)
            break;
    }
    int c = Close(unit);
    return r != kOk ? r : c;
}

}  // namespace recio
