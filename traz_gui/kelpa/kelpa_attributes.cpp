// KELPA data group attributes: five integer, five real and five string
// attributes in every data group record; storing one, reading one by name,
// and iterating over those of one type.
#include "kelpa_internal.h"

#include <algorithm>

namespace kelpa {

namespace {

struct AttributeType {
    int names;   // offset of the name array in a new-form record
    int values;  // offset of the value array
    int value_len;
    int no_space;
    const char *no_space_text;
    int not_found;
    const char *not_found_text;
    int none_left;
};

const AttributeType kTypes[3] = {
    {56, 136, 4, 6010, "No space left in data file for integer attribute of group '%s'", 6015,
     "Integer attribute '%s' of group '%s'not found", 6016},
    {156, 236, 4, 6011, "No space left in data file for real attribute of group '%s'", 6017,
     "Real attribute '%s' of group '%s'not found", 6018},
    {256, 336, 16, 6012, "No space left in data file for string attribute of group '%s'", 6019,
     "String attribute '%s' of group '%s'not found", 6020}};

// Iteration cursors, one per type, shared by all sets.
int g_cursor[3] = {-1, -1, -1};

const AttributeType *TypeOf(const char *type, int *which)
{
    if (TypeIs(type, "INTEGER"))
        *which = 0;
    else if (TypeIs(type, "REAL"))
        *which = 1;
    else if (TypeIs(type, "CHARACTE"))
        *which = 2;
    else
        return nullptr;
    return &kTypes[*which];
}

// Copies a value between the record and memory, reversing 4-byte numbers
// of a big-endian file.
void CopyValue(uint8_t *to, const uint8_t *from, int len, bool big)
{
    for (int i = 0; i < len; ++i)
        to[i] = (big && len == 4) ? from[3 - i] : from[i];
}

// Reads a data group's whole fixed part.  A part cut short by the end of
// the file is a failed read: the slots it no longer holds would come back
// as attributes of blank names and zero values.
bool ReadFixedPart(const Side &side, uint64_t address, std::vector<uint8_t> &rec)
{
    return ReadAt(rec.data(), side.fd, address, int64_t(rec.size())) == int64_t(rec.size());
}

// Iteration skips a slot whose name begins with a blank.  The library
// writes no NUL into a name, so one that begins with a NUL is no attribute
// either.
bool SlotIsFree(const uint8_t *name)
{
    return name[0] == ' ' || name[0] == '\0';
}

}  // namespace

int PutAttribute(int set, const char *group, const char *name, const void *value, const char *type)
{
    int which = 0;
    const AttributeType *t = TypeOf(type, &which);
    if (t == nullptr)
        return LastError();
    uint64_t address;
    char gname[kNameLen + 1];
    int err = LookupDataGroup(set, group, &address, gname);
    if (err)
        return err;
    FileSet *fs = GetSet(set);
    Side side = SideOf(*fs, kDataGroupKind);
    int shift = fs->form == kOldForm ? 12 : 0;
    int fixed = fs->form == kOldForm ? kOldDataGroupFixedLen : kDataGroupFixedLen;
    std::vector<uint8_t> rec(size_t(fixed), 0);
    if (!ReadFixedPart(side, address, rec))
        return RecordError(6009, "On reading attribute of group '%s'", NameText(group).c_str());
    char key[kNameLen + 1];
    PadToWidth(key, name, kNameLen, kNameLen);
    int slot = -1;
    for (int k = 0; k < 5 && slot < 0; ++k) {
        const uint8_t *n = &rec[size_t(t->names - shift + 16 * k)];
        if (std::memcmp(n, key, kNameLen) == 0 || std::memcmp(n, "      ", 6) == 0)
            slot = k;
    }
    if (slot < 0)
        return RecordError(t->no_space, t->no_space_text, NameText(group).c_str());
    uint8_t v[16];
    CopyValue(v, static_cast<const uint8_t *>(value), t->value_len, side.big);
    uint64_t name_at = address + uint64_t(t->names - shift + 16 * slot);
    uint64_t value_at = address + uint64_t(t->values - shift + t->value_len * slot);
    if (WriteAt(side.fd, key, name_at, kNameLen) != kNameLen ||
        WriteAt(side.fd, v, value_at, t->value_len) != t->value_len)
        return RecordError(6035, "On writing attribute of group '%s'", NameText(group).c_str());
    return 0;
}

int GetAttribute(int set, int mode, const char *group, char *name, void *value, const char *type)
{
    int which = 0;
    const AttributeType *t = TypeOf(type, &which);
    if (t == nullptr)
        return LastError();
    uint64_t address;
    int bucket, absent;
    int err = FindInChain(set, kDataGroupKind, group, &address, &bucket, &absent);
    if (err)
        return err;
    if (absent)
        return RecordError(6013, "Group '%s' does not exist in data file\n", NameText(group).c_str());
    FileSet *fs = GetSet(set);
    Side side = SideOf(*fs, kDataGroupKind);
    int shift = fs->form == kOldForm ? 12 : 0;
    int fixed = fs->form == kOldForm ? kOldDataGroupFixedLen : kDataGroupFixedLen;
    std::vector<uint8_t> rec(size_t(fixed), 0);
    if (!ReadFixedPart(side, address, rec))
        return RecordError(6014, "On reading attribute of group '%s'", NameText(group).c_str());
    auto name_of = [&](int k) { return &rec[size_t(t->names - shift + 16 * k)]; };
    int slot = -1;
    if (mode == 0) {
        size_t len = 0;
        while (len < kNameLen && name[len] != '\0')
            ++len;
        for (int k = 0; k < 5 && slot < 0; ++k)
            if (std::memcmp(name_of(k), name, len) == 0)
                slot = k;
        if (slot < 0)
            return RecordError(t->not_found, t->not_found_text, NameText(name).c_str(),
                               NameText(group).c_str());
    } else {
        int start = mode == 1 ? 0 : g_cursor[which] + 1;
        for (int k = std::max(start, 0); k < 5 && slot < 0; ++k)
            if (!SlotIsFree(name_of(k)))
                slot = k;
        if (slot < 0)
            return RecordError(t->none_left, "No valid attribute name found");
        std::memcpy(name, name_of(slot), kNameLen);
        name[kNameLen] = '\0';
    }
    g_cursor[which] = slot;
    CopyValue(static_cast<uint8_t *>(value), &rec[size_t(t->values - shift + t->value_len * slot)],
              t->value_len, side.big);
    return 0;
}

}  // namespace kelpa
