// KELPA definitions: elements, cells and group definitions in the
// definition side of a set, data groups in its data side; the bucket-chain
// search, the lookups by name and the iterations over each record kind.
#include "kelpa_internal.h"

#include <cctype>
#include <cstdio>

namespace kelpa {

namespace {

// Record kinds as written in the kind field.
constexpr int kElementRecord = 1;
constexpr int kCellRecord = 2;
constexpr int kGroupRecord = 3;
constexpr int kFixedDataRecord = 4;
constexpr int kVariableDataRecord = 5;

bool MulOverflows(uint64_t a, uint64_t b, uint64_t *out)
{
    if (a != 0 && b > UINT64_MAX / a)
        return true;
    *out = a * b;
    return false;
}

std::string Padded(const char *name)
{
    char buf[kNameLen + 1];
    PadToWidth(buf, name, kNameLen, kNameLen);
    return buf;
}

// Starts a record: next (patched on append), length, kind, name.
void BeginRecord(Encoder &e, int kind, const char *name)
{
    e.Address(kNil);
    e.Address(0);
    e.Kind(kind);
    e.Text(name, kNameLen);
}

struct AppendCodes {
    int write_code;
    std::string write_text;
    int wrap_code;
    std::string wrap_text;
};

// Appends a record at next-free (after a wrap check), chains it into its
// bucket and reserves extra bytes behind it.  The length field must already
// be patched.
int Append(FileSet &fs, RecordKind kind, int bucket, Encoder &rec, uint64_t extra,
           const AppendCodes &codes)
{
    Side side = SideOf(fs, kind);
    if (side.table == nullptr || side.table->empty() || side.fd < 0)
        return RecordError(codes.write_code, "%s", codes.write_text.c_str());
    std::vector<uint64_t> &table = *side.table;
    uint64_t address = table[0];
    uint64_t end = address + rec.Size();
    if (end < address || end + extra < end || end + extra == kNil)
        return RecordError(codes.wrap_code, "%s", codes.wrap_text.c_str());
    rec.PatchAddress(0, table[size_t(side.bucket_base + bucket)]);
    if (WriteAt(side.fd, rec.Bytes().data(), address, int64_t(rec.Size())) != int64_t(rec.Size()))
        return RecordError(codes.write_code, "%s", codes.write_text.c_str());
    table[0] = end + extra;
    table[size_t(side.bucket_base + bucket)] = address;
    return 0;
}

std::string Format(const char *format, const std::string &a, const std::string &b = "")
{
    char text[kMessageLen + 1];
    std::snprintf(text, sizeof text, format, a.c_str(), b.c_str());
    return text;
}

struct Cursor {
    int set = -1;
    std::vector<uint64_t> heads;
    int last = -1;
    int position = 0;
    uint64_t current = kNil;
};

Cursor g_cursors[4];

}  // namespace

int FindInChain(int set, RecordKind kind, const char *name, uint64_t *address, int *bucket,
                int *not_found)
{
    FileSet *fs = GetSet(set);
    int b = HashName(name);
    if (b < 0 || fs == nullptr)
        return RecordError(7001, "No entry found in hash table for key '%s'",
                           NameText(name ? name : "").c_str());
    Side side = SideOf(*fs, kind);
    std::string key = Padded(name);
    *bucket = b;
    *address = kNil;
    *not_found = 1;
    // A set without the file of this kind holds no such record.
    if (side.table == nullptr || side.table->empty())
        return 0;
    uint64_t at = (*side.table)[size_t(side.bucket_base + b)];
    bool old = fs->form == kOldForm;
    while (at != kNil) {
        uint8_t head[40] = {};
        size_t size = old ? 28 : 40;
        // A head cut short by the end of the file is not a record.
        if (ReadAt(head, side.fd, at, int64_t(size)) != int64_t(size))
            return RecordError(7002, "Unable to read next pointer (file write only?)");
        Decoder d(head, size, old, side.big);
        uint64_t next = d.Address();
        d.Address();
        d.KindText();
        char found[kNameLen + 1];
        d.Text(found, kNameLen);
        if (std::memcmp(found, key.data(), kNameLen) == 0) {
            *address = at;
            *not_found = 0;
            return 0;
        }
        // Chains run from newer to older records; a link that does not go
        // back in the file belongs to a damaged file and would loop.
        if (next != kNil && next >= at)
            return RecordError(7002, "Unable to read next pointer (file write only?)");
        at = next;
    }
    return 0;
}

int CheckElementType(const char *type, int32_t value_size, uint64_t *size)
{
    long v = long(value_size);
    if (TypeIs(type, "REAL")) {
        if (value_size != 4 && value_size != 8)
            return RecordError(5002, "This size of real (%ld) is not supported\n", v);
    } else if (TypeIs(type, "INTEGER")) {
        if (value_size != 2 && value_size != 4 && value_size != 8)
            return RecordError(5003, "This size of integer (%ld) is not supported\n", v);
    } else if (TypeIs(type, "CHARACTE")) {
        // Any length; a negative one cannot be a string length.
        if (value_size < 0)
            return RecordError(5006, "This element type is not supported '%s'\n",
                               NameText(type, kTypeLen).c_str());
    } else if (TypeIs(type, "COMPLEX")) {
        if (value_size != 8 && value_size != 16)
            return RecordError(5004, "This size of complex (%ld) is not supported\n", v);
    } else if (TypeIs(type, "LOGICAL")) {
        if (value_size != 2 && value_size != 4)
            return RecordError(5005, "This size of logical (%ld) is not supported\n", v);
    } else {
        return RecordError(5006, "This element type is not supported '%s'\n",
                           NameText(type, kTypeLen).c_str());
    }
    *size = uint64_t(value_size);
    return 0;
}

int DefineElement(int set, const char *name, char *type, const char *quantity, const char *unit,
                  const char *description, int32_t value_size, int32_t ndims,
                  const int32_t dims[MAX_DIM])
{
    FileSet *fs = GetSet(set);
    std::string pname = NameText(name);
    bool bad_dims = ndims < 1 || ndims > MAX_DIM;
    for (int i = 0; !bad_dims && i < MAX_DIM; ++i)
        bad_dims = dims[i] < 0;
    if (bad_dims || fs == nullptr)
        return RecordError(5001,
                           "Number of dimensions not within the range [1,%d]\n      Element '%s' has dimension %ld",
                           MAX_DIM, pname.c_str(), long(ndims));
    for (char *p = type; *p; ++p)
        *p = char(std::toupper(static_cast<unsigned char>(*p)));
    uint64_t size = 0;
    int err = CheckElementType(type, value_size, &size);
    if (err)
        return err;
    Side side = SideOf(*fs, kElementKind);
    AppendCodes codes{5008, Format("Error writing element '%s' to definition file\n", pname), 5024,
                      side.combined ? Format("Maximum size reached in DataDefinition file \"%s\"\n", *side.name)
                                    : Format("Maximum size reached in definition file\"%s\"\n", *side.name)};
    uint64_t total = size;
    for (int i = 0; i < ndims; ++i)
        if (MulOverflows(total, uint64_t(dims[i]), &total))
            return RecordError(codes.wrap_code, "%s", codes.wrap_text.c_str());
    uint64_t address;
    int bucket, absent;
    if ((err = FindInChain(set, kElementKind, name, &address, &bucket, &absent)) != 0)
        return err;
    if (!absent)
        return RecordError(5007, "Element '%s' already exists\n", pname.c_str());
    bool old = fs->form == kOldForm;
    Encoder e(old, side.big);
    BeginRecord(e, kElementRecord, name);
    e.Text(type, kTypeLen);
    e.Address(total);
    e.I32(value_size);
    e.Text(quantity, kNameLen);
    e.Text(unit, kNameLen);
    e.Text(description, kDescriptionLen);
    e.I32(ndims);
    for (int i = 0; i < MAX_DIM; ++i)
        e.I32(dims[i]);
    e.PatchAddress(old ? 4 : 8, e.Size() - (old ? 8 : 16));
    return Append(*fs, kElementKind, bucket, e, 0, codes);
}

int DefineCell(int set, const char *name, int32_t count, const char (*names)[kNameLen + 1])
{
    FileSet *fs = GetSet(set);
    std::string pname = NameText(name);
    if (count < 1 || count > MAX_CEL_DIM || fs == nullptr)
        return RecordError(5012, "Number of dimensions not within the range [1,MAX_CEL_DIM]\n Cel '%s'",
                           pname.c_str());
    Side side = SideOf(*fs, kCellKind);
    bool old = fs->form == kOldForm;
    AppendCodes codes{5011, Format("Error writing cel '%s' to definition file.\n", pname), 5026,
                      Format("Maximum size reached in definition file\"%s\"\n", *side.name)};
    uint64_t cell_bytes = 0;
    Encoder body(old, side.big);
    for (int i = 0; i < count; ++i) {
        uint64_t address;
        int bucket, absent;
        int err = FindInChain(set, kElementKind, names[i], &address, &bucket, &absent);
        if (err)
            return err;
        if (absent)
            return RecordError(5009, "Element '%s' does not exist\n", NameText(names[i]).c_str());
        ElementRecord el;
        if ((err = ReadElementRecord(set, address, &el)) != 0)
            return err;
        uint64_t rounded = el.total_bytes + (4 - el.total_bytes % 4) % 4;
        if (rounded < el.total_bytes || cell_bytes + rounded < cell_bytes)
            return RecordError(codes.wrap_code, "%s", codes.wrap_text.c_str());
        cell_bytes += rounded;
        body.Text(names[i], kNameLen);
    }
    uint64_t address;
    int bucket, absent;
    int err = FindInChain(set, kCellKind, name, &address, &bucket, &absent);
    if (err)
        return err;
    if (!absent)
        return RecordError(5010, "Cel '%s' already exists\n", pname.c_str());
    Encoder e(old, side.big);
    BeginRecord(e, kCellRecord, name);
    e.Address(cell_bytes);
    e.I32(count);
    e.Bytes().insert(e.Bytes().end(), body.Bytes().begin(), body.Bytes().end());
    e.PatchAddress(old ? 4 : 8, e.Size() - (old ? 8 : 16));
    return Append(*fs, kCellKind, bucket, e, 0, codes);
}

int DefineGroup(int set, const char *name, const char *cell, int32_t ndims,
                const int32_t dims[MAX_DIM], const int32_t order[MAX_DIM])
{
    FileSet *fs = GetSet(set);
    std::string pname = NameText(name);
    if (ndims < 1 || ndims > MAX_DIM || fs == nullptr)
        return RecordError(5016, "Number of dimensions not within the range [1,MAX_DIM]\n Group '%s'",
                           pname.c_str());
    int32_t d[MAX_DIM], o[MAX_DIM];
    for (int k = 0; k < MAX_DIM; ++k) {
        d[k] = k < ndims ? dims[k] : 1;
        o[k] = k < ndims ? order[k] : k + 1;
    }
    // The values are laid out by the order numbers: anything but the group's
    // own dimension numbers, each once, would address outside the group.
    bool seen[MAX_DIM] = {};
    int variable = 0;
    for (int k = 0; k < ndims; ++k) {
        variable += d[k] == 0;
        if (d[k] < 0 || variable > 1 || o[k] < 1 || o[k] > ndims || seen[o[k] - 1])
            return RecordError(5031,
                               "Group '%s': dimensions must not be negative, at most one may be variable, and the order numbers must be 1 to %ld, each once\n",
                               pname.c_str(), long(ndims));
        seen[o[k] - 1] = true;
    }
    Side side = SideOf(*fs, kGroupKind);
    uint64_t address;
    int bucket, absent;
    int err = FindInChain(set, kCellKind, cell, &address, &bucket, &absent);
    if (err)
        return err;
    if (absent)
        return RecordError(5013, "Cel '%s' does not exist on file '%s'.\n", NameText(cell).c_str(),
                           side.name->c_str());
    if ((err = FindInChain(set, kGroupKind, name, &address, &bucket, &absent)) != 0)
        return err;
    if (!absent)
        return RecordError(5014, "Group '%s' already exists on file '%s'.\n", pname.c_str(),
                           side.name->c_str());
    bool old = fs->form == kOldForm;
    Encoder e(old, side.big);
    BeginRecord(e, kGroupRecord, name);
    e.Text(cell, kNameLen);
    e.I32(ndims);
    for (int k = 0; k < MAX_DIM; ++k)
        e.I32(d[k]);
    for (int k = 0; k < MAX_DIM; ++k)
        e.I32(o[k]);
    e.PatchAddress(old ? 4 : 8, e.Size() - (old ? 8 : 16));
    AppendCodes codes{5015, Format("Error on writing group '%s' to definition file.\n", pname), 5028,
                      side.combined ? Format("Maximum size reached in definition file '%s'\n", *side.name)
                                    : Format("Maximum size reached in definition file\"%s\"\n", *side.name)};
    return Append(*fs, kGroupKind, bucket, e, 0, codes);
}

int CreateDataGroup(int set, const char *name, const char *group)
{
    FileSet *fs = GetSet(set);
    std::string pname = NameText(name);
    if (fs == nullptr)
        return RecordError(5017, "Group definition '%s' does not exist on file '%s'.\n",
                           NameText(group).c_str(), "");
    Side def = SideOf(*fs, kGroupKind);
    uint64_t address;
    int bucket, absent;
    int err = FindInChain(set, kGroupKind, group, &address, &bucket, &absent);
    if (err)
        return err;
    if (absent)
        return RecordError(5017, "Group definition '%s' does not exist on file '%s'.\n",
                           NameText(group).c_str(), def.name->c_str());
    GroupRecord g;
    if ((err = ReadGroupDefinitionRecord(set, address, &g)) != 0)
        return err;
    if ((err = FindInChain(set, kCellKind, g.cell, &address, &bucket, &absent)) != 0)
        return err;
    if (absent)
        return RecordError(5018, "Cel '%s' does not exist on file '%s'.\n", NameText(g.cell).c_str(),
                           def.name->c_str());
    auto cell = std::make_unique<CellRecord>();
    if ((err = ReadCellRecord(set, address, cell.get())) != 0)
        return err;
    Side side = SideOf(*fs, kDataGroupKind);
    AppendCodes codes{5023, Format("Error on writing fixed part of group '%s' \n", pname), 5030,
                      side.combined ? Format("Maximum size reached in DataDefinition file\"%s\"\n", *side.name)
                                    : Format("Maximum size reached in definition file\"%s\"\n",
                                             SetDefinitionName(set))};
    uint64_t n = 1;
    bool variable = false;
    for (int k = 0; k < g.ndims; ++k) {
        if (g.dims[k] == 0)
            variable = true;
        else if (MulOverflows(n, uint64_t(g.dims[k]), &n))
            return RecordError(codes.wrap_code, "%s", codes.wrap_text.c_str());
    }
    uint64_t step = 0;
    if (MulOverflows(n, cell->cell_bytes, &step))
        return RecordError(codes.wrap_code, "%s", codes.wrap_text.c_str());
    if ((err = FindInChain(set, kDataGroupKind, name, &address, &bucket, &absent)) != 0)
        return err;
    if (!absent)
        return RecordError(5019, "Data group '%s' already exists in data file '%s'\n", pname.c_str(),
                           side.name->c_str());
    bool old = fs->form == kOldForm;
    Encoder e(old, side.big);
    BeginRecord(e, variable ? kVariableDataRecord : kFixedDataRecord, name);
    e.Text(group, kNameLen);
    e.Blanks(360);
    uint64_t fixed = e.Size();
    uint64_t table_bytes = (old ? 4 : 8) * uint64_t(1 + kPointerTableWords);
    uint64_t area = variable ? table_bytes : step;
    if (fixed + area < fixed)
        return RecordError(codes.wrap_code, "%s", codes.wrap_text.c_str());
    e.PatchAddress(old ? 4 : 8, fixed + area);
    if (side.table->empty() || side.fd < 0)
        return RecordError(codes.write_code, "%s", codes.write_text.c_str());
    uint64_t at = (*side.table)[0];
    if ((err = Append(*fs, kDataGroupKind, bucket, e, area, codes)) != 0)
        return err;
    if (variable) {
        std::vector<uint64_t> first(1 + kPointerTableWords, kNil);
        first[0] = step;
        int64_t want = int64_t(first.size()) * 8;
        if (WriteAddressTable(side.fd, old, side.big, first.data(), first.size(), at + fixed) != want)
            return RecordError(5022,
                               "Error on writing variable part of group '%s' (first pointer table).\n",
                               pname.c_str());
    }
    return 0;
}

int LookupElement(int set, const char *name, ElementRecord *out)
{
    uint64_t address;
    int bucket, absent;
    int err = FindInChain(set, kElementKind, name, &address, &bucket, &absent);
    if (err)
        return err;
    if (absent)
        return RecordError(6005, "Element '%s' does not exist in definition file\n", NameText(name).c_str());
    return ReadElementRecord(set, address, out);
}

int LookupCell(int set, const char *name, CellRecord *out)
{
    uint64_t address;
    int bucket, absent;
    int err = FindInChain(set, kCellKind, name, &address, &bucket, &absent);
    if (err)
        return err;
    if (absent)
        return RecordError(6003, "Cell '%s' does not exist in definition file", NameText(name).c_str());
    return ReadCellRecord(set, address, out);
}

int LookupGroup(int set, const char *name, GroupRecord *out)
{
    uint64_t address;
    int bucket, absent;
    int err = FindInChain(set, kGroupKind, name, &address, &bucket, &absent);
    if (err)
        return err;
    if (absent)
        return RecordError(6007, "Group '%s' does not exist in definition file\n", NameText(name).c_str());
    return ReadGroupDefinitionRecord(set, address, out);
}

int LookupDataGroup(int set, const char *name, uint64_t *address, char group[kNameLen + 1])
{
    int bucket, absent;
    *address = kNil;
    uint64_t at;
    int err = FindInChain(set, kDataGroupKind, name, &at, &bucket, &absent);
    if (err)
        return err;
    if (absent)
        return RecordError(6004, "Group '%s' does not exist in data file\n", NameText(name).c_str());
    DataGroupHead head;
    if ((err = ReadDataGroupRecord(set, at, &head)) != 0)
        return err;
    *address = at;
    std::memcpy(group, head.group, kNameLen + 1);
    return 0;
}

void DropIterations(int set)
{
    for (Cursor &c : g_cursors)
        if (c.set == set)
            c = Cursor();
}

void SortAddresses(uint64_t *addresses, int first, int last)
{
    while (first < last) {
        int middle = first + (last - first) / 2;
        std::swap(addresses[first], addresses[middle]);
        uint64_t pivot = addresses[first];
        int store = first;
        for (int i = first + 1; i <= last; ++i)
            if (addresses[i] < pivot)
                std::swap(addresses[++store], addresses[i]);
        std::swap(addresses[first], addresses[store]);
        SortAddresses(addresses, first, store - 1);
        first = store + 1;
    }
}

namespace {

struct EndCodes {
    int combined_code;
    const char *combined_text;
    int separate_code;
    const char *separate_text;
};

const EndCodes kEnds[4] = {
    {-6023, "No more elements available in DefinitionData file '%s'\n", -6024,
     "No more elements available in definition file '%s'\n"},
    {-6025, "No more cells available in DefinitionData file '%s'\n", -6026,
     "No more cells available in definition file '%s'\n"},
    {-6027, "No more defined groups available in DefinitionData file '%s'\n", -6028,
     "No more defined groups available in definition file '%s'\n"},
    {-6021, "No more data groups available in DefinitonData file '%s'\n", -6022,
     "No more data groups available in data file '%s'\n"}};

// Positions the kind's cursor on the record to read; 0, or the end code.
int CursorStep(int set, RecordKind kind, int next, uint64_t *address)
{
    FileSet *fs = GetSet(set);
    Cursor &c = g_cursors[kind];
    const EndCodes &end = kEnds[kind];
    if (fs == nullptr)
        return RecordError(end.separate_code, end.separate_text, "");
    Side side = SideOf(*fs, kind);
    auto finish = [&]() {
        return side.combined ? RecordError(end.combined_code, end.combined_text, side.name->c_str())
                             : RecordError(end.separate_code, end.separate_text, side.name->c_str());
    };
    if (!next) {
        c = Cursor();
        c.set = set;
        for (int b = 0; side.table->size() >= size_t(side.bucket_base + kBuckets) && b < kBuckets; ++b) {
            uint64_t head = (*side.table)[size_t(side.bucket_base + b)];
            if (head != kNil)
                c.heads.push_back(head);
        }
        c.last = int(c.heads.size()) - 1;
        if (c.last >= 0)
            SortAddresses(c.heads.data(), 0, c.last);
        c.current = c.last >= 0 ? c.heads[0] : kNil;
    } else if (c.set != set) {
        return finish();
    }
    if (c.position > c.last || c.current == kNil)
        return finish();
    *address = c.current;
    return 0;
}

void CursorAdvance(RecordKind kind, uint64_t next)
{
    Cursor &c = g_cursors[kind];
    // A link that does not go back in the file ends its chain (damaged file).
    if (next != kNil && next < c.current) {
        c.current = next;
        return;
    }
    ++c.position;
    c.current = c.position <= c.last ? c.heads[size_t(c.position)] : kNil;
}

void CursorStop(RecordKind kind)
{
    g_cursors[kind].current = kNil;
}

template <typename Record, typename Reader>
int Iterate(int set, int next, RecordKind kind, Record *out, Reader reader)
{
    uint64_t address = kNil;
    int err = CursorStep(set, kind, next, &address);
    if (err)
        return err;
    if ((err = reader(set, address, out)) != 0) {
        CursorStop(kind);
        return err;
    }
    CursorAdvance(kind, out->next);
    return 0;
}

}  // namespace

int IterateElements(int set, int next, ElementRecord *out)
{
    return Iterate(set, next, kElementKind, out, ReadElementRecord);
}

int IterateCells(int set, int next, CellRecord *out)
{
    return Iterate(set, next, kCellKind, out, ReadCellRecord);
}

int IterateGroups(int set, int next, GroupRecord *out)
{
    return Iterate(set, next, kGroupKind, out, ReadGroupDefinitionRecord);
}

int IterateDataGroups(int set, int next, DataGroupHead *out)
{
    return Iterate(set, next, kDataGroupKind, out, ReadDataGroupRecord);
}

}  // namespace kelpa
