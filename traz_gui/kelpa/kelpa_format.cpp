// KELPA file layout: the name hash, byte-order conversion, version and
// number-format recognition of headers, the field encoder and decoder of
// records in either form, the four record readers, and the padding and
// search of names.
#include "kelpa_internal.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace kelpa {

int HashName(const char *name)
{
    if (name == nullptr || name[0] == '\0')
        return -1;
    size_t len = 0;
    while (len < kNameLen && name[len] != '\0')
        ++len;
    uint32_t products[4] = {1, 1, 1, 1};
    for (size_t i = 0; i < kNameLen; ++i) {
        int32_t factor = 33;
        if (i < len)
            factor = int32_t(static_cast<signed char>(name[i])) + 1;
        products[i / 4] *= static_cast<uint32_t>(factor);
    }
    uint32_t sum = products[0] + products[1] + products[2] + products[3];
    return int(sum % 997u);
}

bool TypeIs(const char *type, const char *prefix)
{
    return std::strncmp(type, prefix, std::strlen(prefix)) == 0;
}

int ConvertByteOrder(void *destination, const void *source, uint64_t count, int value_size,
                     const char *type, int /*direction*/)
{
    size_t unit = 0;
    if (TypeIs(type, "INTEGER")) {
        if (value_size != 2 && value_size != 4 && value_size != 8)
            return RecordError(10001, "This size of integer (%d) is not supported\n", value_size);
        unit = size_t(value_size);
    } else if (TypeIs(type, "REAL")) {
        if (value_size != 4 && value_size != 8)
            return RecordError(10002, "This size of real (%d) is not supported\n", value_size);
        unit = size_t(value_size);
    } else if (TypeIs(type, "COMPLEX")) {
        if (value_size != 8 && value_size != 16)
            return RecordError(10004, "This size of complex (%d) is not supported\n", value_size);
        unit = size_t(value_size / 2);
    } else if (TypeIs(type, "LOGICAL")) {
        if (value_size != 2 && value_size != 4)
            return RecordError(10005, "This size of logical (%d) is not supported\n", value_size);
        unit = size_t(value_size);
    } else if (TypeIs(type, "CHARACTE")) {
        unit = 1;
    } else {
        return RecordError(10006, "This element type is not supported '%s'\n",
                           NameText(type, kTypeLen).c_str());
    }
    const uint8_t *src = static_cast<const uint8_t *>(source);
    uint8_t *dst = static_cast<uint8_t *>(destination);
    if (unit <= 1) {
        std::memmove(dst, src, size_t(count));
        return 0;
    }
    // Reverse whole units; a tail shorter than a unit is copied as it is.
    std::vector<uint8_t> tmp(src, src + count);
    uint64_t whole = count - count % unit;
    for (uint64_t i = 0; i < whole; i += unit)
        for (size_t k = 0; k < unit; ++k)
            dst[i + k] = tmp[i + unit - 1 - k];
    for (uint64_t i = whole; i < count; ++i)
        dst[i] = tmp[i];
    return 0;
}

static bool Contains(const char *text, size_t len, const char *what)
{
    const char *end = text + len;
    size_t wl = std::strlen(what);
    return std::search(text, end, what, what + wl) != end;
}

int CheckVersion(const char *header, size_t header_len, int *form)
{
    if (Contains(header, header_len, "Versie 1.") || Contains(header, header_len, "File; Version 4.")) {
        *form = kOldForm;
        return 0;
    }
    if (Contains(header, header_len, "File; 5.") || Contains(header, header_len, "KELPA Version 5.")) {
        *form = kNewForm;
        return 0;
    }
    return 1;
}

int SetNumberFormat(char *header, char letter, int position)
{
    char stored = (letter == 'B') ? 'B' : 'L';
    header[position - 1] = stored;
    return stored == 'B' ? 1 : 0;
}

int NeedsByteSwap(char letter, int set, const char *header, int position)
{
    char in_header = header[position - 1];
    if (SetForm(set) == kNewForm)
        return in_header == 'B' ? 1 : 0;
    if (letter == 'N')
        return 1;
    return (letter != 'B' && in_header == 'N') ? 1 : 0;
}

// ---- Number encoding --------------------------------------------------------

void StoreU64(uint8_t *p, uint64_t v, bool big)
{
    for (int i = 0; i < 8; ++i)
        p[big ? 7 - i : i] = uint8_t(v >> (8 * i));
}

uint64_t LoadU64(const uint8_t *p, bool big)
{
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v |= uint64_t(p[big ? 7 - i : i]) << (8 * i);
    return v;
}

void StoreU32(uint8_t *p, uint32_t v, bool big)
{
    for (int i = 0; i < 4; ++i)
        p[big ? 3 - i : i] = uint8_t(v >> (8 * i));
}

uint32_t LoadU32(const uint8_t *p, bool big)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(p[big ? 3 - i : i]) << (8 * i);
    return v;
}

void Encoder::Address(uint64_t v)
{
    size_t at = bytes_.size();
    if (old_) {
        bytes_.resize(at + 4);
        StoreU32(&bytes_[at], v == kNil ? 0xFFFFFFFFu : uint32_t(v), big_);
    } else {
        bytes_.resize(at + 8);
        StoreU64(&bytes_[at], v, big_);
    }
}

void Encoder::PatchAddress(size_t offset, uint64_t v)
{
    if (old_)
        StoreU32(&bytes_[offset], v == kNil ? 0xFFFFFFFFu : uint32_t(v), big_);
    else
        StoreU64(&bytes_[offset], v, big_);
}

void Encoder::I32(int32_t v)
{
    size_t at = bytes_.size();
    bytes_.resize(at + 4);
    StoreU32(&bytes_[at], uint32_t(v), big_);
}

void Encoder::Text(const char *text, size_t width)
{
    size_t n = 0;
    while (n < width && text[n] != '\0')
        ++n;
    bytes_.insert(bytes_.end(), text, text + n);
    bytes_.insert(bytes_.end(), width - n, ' ');
}

void Encoder::Kind(int kind)
{
    char text[9];
    std::snprintf(text, sizeof text, "%8d", kind);
    if (old_)
        Text(text + 4, 4);
    else
        Text(text, 8);
}

void Decoder::Raw(uint8_t *out, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        out[i] = (pos_ + i < n_) ? b_[pos_ + i] : 0;
    pos_ += n;
}

uint64_t Decoder::Address()
{
    uint8_t raw[8];
    if (old_) {
        Raw(raw, 4);
        return WidenAddress(LoadU32(raw, big_));
    }
    Raw(raw, 8);
    return LoadU64(raw, big_);
}

int32_t Decoder::I32()
{
    uint8_t raw[4];
    Raw(raw, 4);
    return int32_t(LoadU32(raw, big_));
}

int32_t Decoder::KindNumber()
{
    size_t width = old_ ? 4 : 8;
    uint8_t raw[8];
    Raw(raw, width);
    size_t i = 0;
    while (i < width && raw[i] == ' ')
        ++i;
    if (i == width)
        return -1;
    int32_t v = 0;
    for (; i < width; ++i) {
        if (raw[i] < '0' || raw[i] > '9')
            return -1;
        v = v * 10 + (raw[i] - '0');
    }
    return v;
}

void Decoder::Text(char *out, size_t width)
{
    uint8_t *o = reinterpret_cast<uint8_t *>(out);
    Raw(o, width);
    // A terminator inside the field ends the name: pad it with blanks.
    bool ended = false;
    for (size_t i = 0; i < width; ++i) {
        if (out[i] == '\0')
            ended = true;
        if (ended)
            out[i] = ' ';
    }
    out[width] = '\0';
}

std::string NameText(const char *name, size_t width)
{
    size_t n = 0;
    while (n < width && name[n] != '\0')
        ++n;
    return std::string(name, n);
}

void PadToWidth(char *destination, const char *source, size_t length, size_t width)
{
    size_t n = 0;
    while (n < length && n < width && source[n] != '\0')
        ++n;
    std::memmove(destination, source, n);
    std::memset(destination + n, ' ', width - n);
    destination[width] = '\0';
}

const char *NameContains(const char *first, const char *second)
{
    if (first == nullptr || second == nullptr)
        return nullptr;
    const std::string a(first, strnlen(first, kNameLen)), b(second, strnlen(second, kNameLen));
    const bool first_greater = a.compare(b) > 0;
    const std::string &greater = first_greater ? a : b, &smaller = first_greater ? b : a;
    const size_t at = smaller.find(greater);
    if (at == std::string::npos)
        return nullptr;
    return (first_greater ? second : first) + at;
}

// ---- Address tables ---------------------------------------------------------

int64_t ReadAddressTable(int fd, bool old_form, bool big, uint64_t *words, size_t count,
                         uint64_t address)
{
    size_t width = old_form ? 4 : 8;
    std::vector<uint8_t> raw(count * width, 0);
    int64_t got = ReadAt(raw.data(), fd, address, int64_t(raw.size()));
    if (got < 0)
        return got;
    for (size_t i = 0; i < count; ++i)
        words[i] = old_form ? WidenAddress(LoadU32(&raw[i * 4], big)) : LoadU64(&raw[i * 8], big);
    return old_form ? got * 2 : got;
}

int64_t WriteAddressTable(int fd, bool old_form, bool big, const uint64_t *words, size_t count,
                          uint64_t address)
{
    size_t width = old_form ? 4 : 8;
    std::vector<uint8_t> raw(count * width);
    for (size_t i = 0; i < count; ++i) {
        if (old_form)
            StoreU32(&raw[i * 4], words[i] == kNil ? 0xFFFFFFFFu : uint32_t(words[i]), big);
        else
            StoreU64(&raw[i * 8], words[i], big);
    }
    int64_t put = WriteAt(fd, raw.data(), address, int64_t(raw.size()));
    if (put < 0)
        return put;
    return old_form ? put * 2 : put;
}

// ---- Record readers ---------------------------------------------------------

namespace {

// Reads up to size bytes of a record into a zeroed buffer; the bytes read,
// -1 when the read failed.  The readers refuse a record that the file does
// not hold whole: the zeros behind a short read would be taken for fields.
int64_t ReadRecord(const Side &side, uint64_t address, std::vector<uint8_t> &buf, size_t size)
{
    buf.assign(size, 0);
    if (side.fd < 0 || address == kNil)
        return -1;
    return ReadAt(buf.data(), side.fd, address, int64_t(size));
}

bool DimsValid(int32_t ndims, const int32_t *dims)
{
    if (ndims < 1 || ndims > MAX_DIM)
        return false;
    for (int i = 0; i < MAX_DIM; ++i)
        if (dims[i] < 0)
            return false;
    return true;
}

}  // namespace

int ReadElementRecord(int set, uint64_t address, ElementRecord *out)
{
    FileSet *fs = GetSet(set);
    const char *msg = "During reading of element structure";
    if (fs == nullptr)
        return RecordError(7005, "%s", msg);
    Side side = SideOf(*fs, kElementKind);
    bool old = fs->form == kOldForm;
    std::vector<uint8_t> buf;
    size_t size = old ? kOldElementRecordLen : kElementRecordLen;
    if (ReadRecord(side, address, buf, size) != int64_t(size))
        return RecordError(7005, "%s", msg);
    ElementRecord r;
    Decoder d(buf.data(), buf.size(), old, side.big);
    r.next = d.Address();
    d.Address();
    d.KindText();
    d.Text(r.name, kNameLen);
    d.Text(r.type, kTypeLen);
    r.total_bytes = d.Address();
    r.value_size = d.I32();
    d.Text(r.quantity, kNameLen);
    d.Text(r.unit, kNameLen);
    d.Text(r.description, kDescriptionLen);
    r.ndims = d.I32();
    for (int i = 0; i < MAX_DIM; ++i)
        r.dims[i] = d.I32();
    if (!DimsValid(r.ndims, r.dims) || r.value_size < 0)
        return RecordError(7005, "%s", msg);
    *out = r;
    return 0;
}

int ReadCellRecord(int set, uint64_t address, CellRecord *out)
{
    FileSet *fs = GetSet(set);
    const char *msg = "During reading of cell structure.";
    if (fs == nullptr)
        return RecordError(7004, "%s", msg);
    Side side = SideOf(*fs, kCellKind);
    bool old = fs->form == kOldForm;
    size_t head = old ? 36 : 52;
    std::vector<uint8_t> buf;
    int64_t got = ReadRecord(side, address, buf, head + kNameLen * MAX_CEL_DIM);
    if (got < int64_t(head))
        return RecordError(7004, "%s", msg);
    auto r = std::make_unique<CellRecord>();
    Decoder d(buf.data(), buf.size(), old, side.big);
    r->next = d.Address();
    d.Address();
    d.KindText();
    d.Text(r->name, kNameLen);
    r->cell_bytes = d.Address();
    r->count = d.I32();
    // A count beyond the cell limit cannot come from the library and would
    // run past the name table.
    if (r->count < 0 || r->count > MAX_CEL_DIM)
        return RecordError(7004, "%s", msg);
    // A record cut inside its name table would give blank names for the
    // elements it no longer holds.
    if (got < int64_t(head + size_t(kNameLen) * size_t(r->count)))
        return RecordError(7004, "%s", msg);
    for (int i = 0; i < r->count; ++i)
        d.Text(r->names[i], kNameLen);
    for (int i = r->count; i < MAX_CEL_DIM; ++i)
        r->names[i][0] = '\0';
    *out = *r;
    return 0;
}

int ReadGroupDefinitionRecord(int set, uint64_t address, GroupRecord *out)
{
    FileSet *fs = GetSet(set);
    const char *msg = "During reading of group structure";
    if (fs == nullptr)
        return RecordError(7006, "%s", msg);
    Side side = SideOf(*fs, kGroupKind);
    bool old = fs->form == kOldForm;
    std::vector<uint8_t> buf;
    size_t size = old ? kOldGroupRecordLen : kGroupRecordLen;
    if (ReadRecord(side, address, buf, size) != int64_t(size))
        return RecordError(7006, "%s", msg);
    GroupRecord r;
    Decoder d(buf.data(), buf.size(), old, side.big);
    r.next = d.Address();
    d.Address();
    d.KindText();
    d.Text(r.name, kNameLen);
    d.Text(r.cell, kNameLen);
    r.ndims = d.I32();
    for (int i = 0; i < MAX_DIM; ++i)
        r.dims[i] = d.I32();
    for (int i = 0; i < MAX_DIM; ++i)
        r.order[i] = d.I32();
    bool valid = DimsValid(r.ndims, r.dims);
    for (int i = 0; valid && i < MAX_DIM; ++i)
        valid = r.order[i] >= 1 && r.order[i] <= MAX_DIM;
    if (!valid)
        return RecordError(7006, "%s", msg);
    *out = r;
    return 0;
}

int ReadDataGroupRecord(int set, uint64_t address, DataGroupHead *out)
{
    FileSet *fs = GetSet(set);
    const char *msg = "During reading of data structure";
    if (fs == nullptr)
        return RecordError(7007, "%s", msg);
    Side side = SideOf(*fs, kDataGroupKind);
    bool old = fs->form == kOldForm;
    std::vector<uint8_t> buf;
    size_t size = old ? 44 : 56;
    if (ReadRecord(side, address, buf, size) != int64_t(size))
        return RecordError(7007, "%s", msg);
    DataGroupHead r;
    Decoder d(buf.data(), buf.size(), old, side.big);
    r.next = d.Address();
    r.length = d.Address();
    r.kind = d.KindNumber();
    d.Text(r.name, kNameLen);
    d.Text(r.group, kNameLen);
    *out = r;
    return 0;
}

}  // namespace kelpa
